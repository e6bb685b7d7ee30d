#pragma once
// The fetch state as the status label "标签3" carries it.
#include <string_view>

#include "text/text.h"

namespace quorvel {

const Text& statusBusy();            // "正在获取中", dots follow while the ticker runs
const Text& statusDone();            // "获取完毕!": every request of the run got a response
const Text& statusFailed();          // "获取失败!": the film page got no response
const Text& statusPartlyFailed();    // "部分获取失败!": a later request got none
const Text& statusUnsupported();     // "不支持的地址!": the address matches no source

// A status that ends a fetch, and with it the ticker.
bool isFinalStatus(std::string_view status);

}  // namespace quorvel
