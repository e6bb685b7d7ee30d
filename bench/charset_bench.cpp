// Page conversion and description tag stripping on realistic inputs.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "text/charset.h"
#include "text/post_text.h"

namespace {

using namespace quorvel;

// Common characters and punctuation of film descriptions, in UTF-8.
const char* const kChinese[] = {
    "的", "一", "是", "在", "不", "了", "有", "和", "人", "这", "中", "大", "为", "上", "个",
    "国", "我", "以", "要", "他", "时", "来", "用", "们", "生", "到", "作", "地", "于", "出",
    "就", "分", "对", "成", "会", "可", "主", "发", "年", "动", "同", "工", "也", "能", "下",
    "电", "影", "片", "剧", "情", "导", "演", "爱", "故", "事", "战", "争", "城", "市", "夜",
    "，", "。", "“", "”", "、", "：", "…", "（", "）", "！"};

std::string chineseRun(std::mt19937& random, int characters) {
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kChinese) - 1);
  std::string out;
  for (int i = 0; i < characters; ++i) out += kChinese[pick(random)];
  return out;
}

// About 1 MB of UTF-8 film page: markup, links and script around mostly Chinese text.
const std::string& utf8Page() {
  static const std::string page = [] {
    std::mt19937 random(7);
    std::string out = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" +
                      chineseRun(random, 12) + "</title></head><body>\n";
    for (int block = 0; out.size() < (1u << 20); ++block) {
      out += "<div class=\"item\" id=\"m" + std::to_string(block) + "\"><a href=\"/movie/" +
             std::to_string(block) + ".html\" title=\"" + chineseRun(random, 6) + "\">" +
             chineseRun(random, 8) + "</a>\n<p class=\"desc\">" + chineseRun(random, 120) +
             "</p>\n<span>2012-06-" + std::to_string(block % 28 + 1) +
             "</span><script>var u=\"ftp://dy:dy@ftp.example.cn/" + std::to_string(block) +
             ".rmvb\";</script></div>\n";
    }
    return out + "</body></html>";
  }();
  return page;
}

void decodePageTextThroughput(benchmark::State& state) {
  const std::string& page = utf8Page();
  if (gbkToUtf8(decodePageText(page)) != page) state.SkipWithError("conversion lost text");
  for (auto _ : state) benchmark::DoNotOptimize(decodePageText(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(page.size()));
}
BENCHMARK(decodePageTextThroughput)->Unit(benchmark::kMillisecond);

// 64 KB of GBK description through which 2,000 distinct tags are spread, each followed by
// text and a closing tag that repeats.
const Text& taggedDescription() {
  static const Text description = [] {
    std::mt19937 random(11);
    Text out;
    for (int tag = 0; tag < 2000; ++tag) {
      out += "<span id=\"t" + std::to_string(tag) + "\">" + utf8ToGbk(chineseRun(random, 4)) +
             "</span>";
    }
    while (out.size() < 64 * 1024) out += utf8ToGbk(chineseRun(random, 1));
    out.resize(64 * 1024);
    return out;
  }();
  return description;
}

void stripTagsDistinctTags(benchmark::State& state) {
  const Text& description = taggedDescription();
  if (stripTags(description).find('<') != Text::npos) state.SkipWithError("a tag was left");
  for (auto _ : state) benchmark::DoNotOptimize(stripTags(description));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(description.size()));
}
BENCHMARK(stripTagsDistinctTags)->Unit(benchmark::kMillisecond);

}  // namespace
