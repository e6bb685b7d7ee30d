#include "app/status_text.h"

#include "text/gbk_literal.h"

namespace quorvel {

const Text& statusBusy() { return "正在获取中"_gbk; }
const Text& statusDone() { return "获取完毕!"_gbk; }
const Text& statusFailed() { return "获取失败!"_gbk; }
const Text& statusPartlyFailed() { return "部分获取失败!"_gbk; }
const Text& statusUnsupported() { return "不支持的地址!"_gbk; }

bool isFinalStatus(std::string_view status) {
  return status == statusDone() || status == statusFailed() || status == statusPartlyFailed() ||
         status == statusUnsupported();
}

}  // namespace quorvel
