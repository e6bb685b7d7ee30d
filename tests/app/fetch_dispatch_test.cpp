#include "app/fetch_dispatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "app/memory_controls.h"
#include "app/status_text.h"
#include "sources/domains.h"
#include "tests/app/latch.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;

using testing::Latch;

struct Started {
  int source;
  Text address;  // as the extractor saw it when it ended
};

// The in-memory window with fake extractors: source n appends "[n]" to the title and
// "n" to the content, then finishes; `behaviour` may replace that for some sources.
struct DispatchTest : ::testing::Test {
  MemoryControls controls;
  std::mutex mutex;
  std::vector<Started> started;
  std::function<bool(int source, Extraction& run)> behaviour;  // true: handled
  FetchDispatch dispatch{controls, options()};

  DispatchOptions options() {
    DispatchOptions options;
    options.fetcher = [](const Text& address) { return FetchResult{"<html>", true, ""}; };
    options.extract = [this](const SourceSite& site, Extraction& run) {
      if (!(behaviour && behaviour(site.number, run))) {
        run.appendToBox("编辑框1", "[" + integerToText(site.number) + "]");
        run.appendToBox("编辑框2", integerToText(site.number));
        run.finish();
      }
      std::lock_guard lock(mutex);
      started.push_back({site.number, run.address()});
    };
    options.tickerPeriod = 1ms;
    return options;
  }

  void press(const Text& address) {
    controls.setText("地址框", address);
    dispatch.startFetch();
  }
  void waitForEveryThread() { ASSERT_TRUE(dispatch.waitUntilIdle(20s)) << "a thread never ended"; }

  std::set<int> checkedRadios() {
    std::set<int> checked;
    for (const SourceSite& site : sourceSites()) {
      if (controls.isChecked(site.radioName)) checked.insert(site.number);
    }
    return checked;
  }
  std::set<int> startedSources() {
    std::lock_guard lock(mutex);
    std::set<int> sources;
    for (const Started& s : started) sources.insert(s.source);
    return sources;
  }
};

TEST_F(DispatchTest, OffersTheAddressToEverySourceInOrder) {
  const Text source1 = homePageAddress(1) + "/film/1.html";
  const struct {
    const char* what;
    Text address;
    std::set<int> checkedBefore;
    std::set<int> expectedStarted;
    std::set<int> expectedChecked;
    Text expectedStatus;
  } cases[] = {
      {"one source", sampleAddress(), {}, {2}, {2}, statusDone()},
      {"two sources: both run, the higher one stays checked",
       homePageAddress(3) + "/a.html?from=" + Text(sourceDomain(8)), {}, {3, 8}, {8}, statusDone()},
      {"a new source replaces the checked one", source1, {9}, {1}, {1}, statusDone()},
      {"no source: radios keep their states", "http://www.elsewhere.example/a.html", {5}, {}, {5},
       statusUnsupported()},
      {"empty address", "", {4}, {}, {4}, statusUnsupported()},
      {"upper-case domain matches nothing", "http://www.REELHUB.EXAMPLE/Html/GP13861.html", {}, {},
       {}, statusUnsupported()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    started.clear();
    controls.setText("编辑框1", "old title");
    controls.setText("编辑框2", "old content");
    uncheckSourceRadios(controls);
    for (int n : c.checkedBefore) controls.setChecked(sourceSites()[n - 1].radioName, true);

    press(c.address);
    dispatch.waitForPress();
    waitForEveryThread();

    EXPECT_EQ(startedSources(), c.expectedStarted);
    for (const Started& s : started) EXPECT_EQ(s.address, c.address);
    EXPECT_EQ(checkedRadios(), c.expectedChecked);
    EXPECT_EQ(controls.text("标签3"), c.expectedStatus);
    EXPECT_EQ(dispatch.currentAddress(), c.address);
    Text title = controls.text("编辑框1");
    std::set<int> titled;
    for (int n : c.expectedStarted) {
      if (title.find("[" + integerToText(n) + "]") != Text::npos) titled.insert(n);
    }
    EXPECT_EQ(titled, c.expectedStarted) << title;
    EXPECT_EQ(title.size(), 3 * c.expectedStarted.size()) << "old text was not emptied";
  }
}

TEST_F(DispatchTest, ANewPressIsolatesTheEarlierOne) {
  Latch release;
  behaviour = [&](int source, Extraction& run) {
    const bool old = source == 1;
    if (old) release.wait();
    run.appendToBox("编辑框1", old ? "[old]" : "[new]");
    run.appendToBox("编辑框2", old ? "old" : "new");
    run.finish(Text(old ? "OLD MARK" : "NEW MARK"));
    return true;
  };
  const Text first = homePageAddress(1) + "/a.html";
  press(first);
  EXPECT_TRUE(dispatch.pressRunning());

  press(sampleAddress());
  dispatch.waitForPress();
  EXPECT_FALSE(dispatch.pressRunning()) << "the earlier press's extractor does not count";
  release.open();
  waitForEveryThread();

  EXPECT_EQ(controls.text("编辑框1"), "[new]");
  EXPECT_EQ(controls.text("编辑框2"), "new");
  EXPECT_EQ(controls.text("编辑框5"), "NEW MARK");
  EXPECT_EQ(controls.text("标签3"), statusDone());
  std::lock_guard lock(mutex);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[1].source, 1);
  EXPECT_EQ(started[1].address, first) << "an extractor keeps its own copy of the address";
}

TEST_F(DispatchTest, RenameWaitsForTheExtractorsOfThePress) {
  Latch appended, release;
  behaviour = [&](int, Extraction& run) {
    run.appendToBox("编辑框2", "[BDHD]\r\nbdhd://MARKa\r\n");
    appended.open();
    release.wait();
    run.appendToBox("编辑框2", "[/BDHD]\r\n");
    run.finish(Text("MARK"));
    return true;
  };
  press(sampleAddress());
  controls.setText("编辑框5", "MARK");
  appended.wait();
  dispatch.renameLinks();
  EXPECT_EQ(controls.text("编辑框2"), "[BDHD]\r\nbdhd://MARKa\r\n");

  release.open();
  dispatch.waitForPress();
  EXPECT_FALSE(dispatch.pressRunning());
  dispatch.renameLinks();
  EXPECT_EQ(controls.text("编辑框2"), "[BDHD]\r\nbdhd://a\r\n[/BDHD]\r\n");
  waitForEveryThread();
}

TEST_F(DispatchTest, TellsObserversWhenThePressStartsAndEnds) {
  std::mutex seenMutex;
  std::vector<bool> seen;
  dispatch.setRunningObserver([&] {
    std::lock_guard lock(seenMutex);
    seen.push_back(dispatch.pressRunning());
  });
  press(sampleAddress());
  dispatch.waitForPress();
  waitForEveryThread();
  std::lock_guard lock(seenMutex);
  ASSERT_FALSE(seen.empty());
  EXPECT_FALSE(seen.back());
  EXPECT_NE(std::find(seen.begin(), seen.end(), true), seen.end());
}

TEST_F(DispatchTest, AnExtractorThatThrowsEndsThePressAsFailed) {
  behaviour = [](int, Extraction& run) -> bool {
    run.appendToBox("编辑框1", "[partial]");
    throw std::runtime_error("broken page");
  };
  press(sampleAddress());
  dispatch.waitForPress();
  waitForEveryThread();
  EXPECT_EQ(controls.text("标签3"), statusFailed());
  EXPECT_NE(controls.toolTip("标签3").find("broken page"), Text::npos);
}

TEST_F(DispatchTest, ReleaseAddressEmptiesTheCurrentAddress) {
  press("http://www.elsewhere.example/");
  EXPECT_EQ(dispatch.currentAddress(), "http://www.elsewhere.example/");
  dispatch.releaseAddress();
  EXPECT_EQ(dispatch.currentAddress(), "");
  waitForEveryThread();
}

}  // namespace
}  // namespace quorvel
