// Many presses while the extractors of earlier presses still append: run under
// ThreadSanitizer too (scripts/test.sh), where any data race fails the run.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/fetch_dispatch.h"
#include "app/memory_controls.h"
#include "app/status_text.h"
#include "sources/domains.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;

constexpr int kPresses = 61;
constexpr int kAppends = 25;

// The press number an address carries after "#".
Text pressTag(const Text& address) { return "p" + address.substr(address.find('#') + 1) + ";"; }

TEST(PressStress, ManyPressesNeverMixTwoFilms) {
  MemoryControls controls;
  DispatchOptions options;
  options.fetcher = [](const Text& address) { return FetchResult{address, true, ""}; };
  options.extract = [](const SourceSite& site, Extraction& run) {
    const Text tag = pressTag(run.address());
    for (int i = 0; i < kAppends; ++i) {
      run.fetchPage(run.address());
      if (run.isChecked("选择框1")) run.appendToBox("编辑框2", tag);
      run.appendToBox("编辑框1", tag);
      if (i % 5 == 0) std::this_thread::yield();
    }
    run.finish(Text(site.domain));
  };
  options.tickerPeriod = 1ms;

  std::atomic<bool> done = false;
  std::thread reader([&] {  // reads like the window's thread does
    while (!done) {
      controls.text("编辑框2");
      controls.text("标签3");
      controls.isChecked("单选框3");
    }
  });
  {
    FetchDispatch dispatch(controls, options);
    for (int press = 1; press <= kPresses; ++press) {
      const Text site = homePageAddress(press % 3 == 0 ? 3 : 2) + "/film.html";
      const Text address = press % 7 == 0 ? Text("http://www.elsewhere.example/")
                                          : site + (press % 2 ? "?and=playlot.example" : "");
      controls.setText("地址框", address + "#" + integerToText(press));
      dispatch.startFetch();
      if (press % 4 == 0) dispatch.renameLinks();
      if (press % 9 == 0) std::this_thread::sleep_for(1ms);
    }
    dispatch.waitForPress();
    EXPECT_FALSE(dispatch.pressRunning());
    ASSERT_TRUE(dispatch.waitUntilIdle(60s));
  }
  done = true;
  reader.join();

  // The last press (61: Source 2, with Source 8's domain too) alone filled the boxes.
  Text expected;
  for (int i = 0; i < 2 * kAppends; ++i) expected += pressTag("#" + integerToText(kPresses));
  EXPECT_EQ(controls.text("编辑框1"), expected);
  EXPECT_EQ(controls.text("编辑框2"), expected);
  EXPECT_EQ(controls.text("标签3"), statusDone());
  EXPECT_TRUE(controls.isChecked("单选框8"));
}

}  // namespace
}  // namespace quorvel
