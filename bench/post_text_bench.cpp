// Tag stripping and the image loop on hostile descriptions: many distinct tags, each
// repeated, and a long address standing before thousands of different image tags.
#include <benchmark/benchmark.h>

#include <string>

#include "sources/compose.h"
#include "text/post_text.h"

namespace {

using namespace quorvel;

// About 158 KB: 8,000 distinct tags, each standing twice, with a little text after each.
const Text& repeatedTags() {
  static const Text text = [] {
    Text half;
    for (int i = 0; i < 8000; ++i) half += "<t" + std::to_string(i) + ">ab";
    return half + half;
  }();
  return text;
}

void stripTagsDistinctRepeatedTags(benchmark::State& state) {
  const Text& text = repeatedTags();
  if (stripTags(text).find('<') != Text::npos) state.SkipWithError("a tag was left");
  for (auto _ : state) benchmark::DoNotOptimize(stripTags(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(stripTagsDistinctRepeatedTags)->Unit(benchmark::kMillisecond);

// About 160 KB: 8,000 distinct image tags, each with its own address.
const Text& distinctImages() {
  static const Text text = [] {
    Text out;
    for (int i = 0; out.size() < 160 * 1024; ++i) {
      out += "<img src=\"p/" + std::to_string(i) + ".jpg\">";
    }
    return out;
  }();
  return text;
}

void imageTagsDistinctTags(benchmark::State& state) {
  const Text& text = distinctImages();
  for (auto _ : state) benchmark::DoNotOptimize(imageTagsToBlocks(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(imageTagsDistinctTags)->Unit(benchmark::kMillisecond);

// About 100 KB: a 20 KB address in front of thousands of different image tags. Every
// block would carry the address; the size limit ends the passes.
const Text& longAddressFirst() {
  static const Text text = [] {
    Text out = "<a src=\"" + Text(20 * 1024, 'x') + "\">";
    for (int i = 0; out.size() < 100 * 1024; ++i) out += "<img " + std::to_string(i) + ">";
    return out;
  }();
  return text;
}

void imageTagsLongAddressFirst(benchmark::State& state) {
  const Text& text = longAddressFirst();
  if (imageTagsToBlocks(text).size() > imageBlocksSizeLimit(text.size())) {
    state.SkipWithError("the text outgrew the limit");
  }
  for (auto _ : state) benchmark::DoNotOptimize(imageTagsToBlocks(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(imageTagsLongAddressFirst)->Unit(benchmark::kMillisecond);

}  // namespace
