#pragma once
// Runs one extractor against a fixture site on the in-memory window and returns what
// the user would see: the title, content and replace boxes and the status label.
#include <functional>
#include <string>

#include "app/extraction_run.h"
#include "app/memory_controls.h"
#include "app/sample_pages.h"
#include "text/charset.h"

namespace quorvel::testing {

struct ComposedPost {
  Text title;
  Text content;
  Text replace;
  Text status;
  Text statusToolTip;
  std::vector<Text> requests;  // every address the extractor asked for, in order
};

// `prepare` may set up the window first (uncheck boxes, type into the replace box).
inline ComposedPost composePost(Extractor extractor, const Text& address, PageFetcher fetcher,
                                const std::function<void(MemoryControls&)>& prepare = {}) {
  MemoryControls controls;
  controls.setText("地址框", address);
  if (prepare) prepare(controls);
  PressGate gate;
  const auto press = gate.open([] {});
  ComposedPost post;
  auto recordingFetcher = [&](const Text& page) {
    post.requests.push_back(page);
    return fetcher(page);
  };
  ExtractionRun run(controls, gate, press, address, recordingFetcher);
  extractor(run);
  post.title = controls.text("编辑框1");
  post.content = controls.text("编辑框2");
  post.replace = controls.text("编辑框5");
  post.status = controls.text("标签3");
  post.statusToolTip = controls.toolTip("标签3");
  return post;
}

// Like composePost, with `duringFetch` acting on the window each time a page is asked
// for, before its answer comes back: the user changing the window while pages download.
inline ComposedPost composePostWhileFetching(
    Extractor extractor, const Text& address, PageFetcher fetcher,
    const std::function<void(MemoryControls& window, const Text& page)>& duringFetch) {
  MemoryControls* window = nullptr;
  return composePost(
      std::move(extractor), address,
      [&](const Text& page) {
        duringFetch(*window, page);
        return fetcher(page);
      },
      [&](MemoryControls& controls) { window = &controls; });
}

// The fixture site in tests/sources/<site> (files named as samplePagePath names them).
inline PageFetcher fixtureSite(const std::string& site) {
  return samplePageFetcher(std::string(QUORVEL_FIXTURES_DIR) + "/" + site);
}

// Fixture expectations are easiest to read in UTF-8.
inline Text gbk(std::string_view utf8) { return utf8ToGbk(utf8); }

}  // namespace quorvel::testing
