#include "app/status_ticker.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <thread>

#include "app/extraction_run.h"
#include "app/memory_controls.h"
#include "app/status_text.h"

namespace quorvel {
namespace {

struct TickerTest : ::testing::Test {
  MemoryControls controls;
  PressGate gate;
  PressGate::PressId press = gate.open([&] { controls.setText("标签3", statusBusy()); });
};

TEST_F(TickerTest, CyclesOneTwoThenThreeDotsForFourSteps) {
  StatusTicker ticker(controls, gate, press);
  for (const char* dots : {".", "..", "...", "...", "...", "...", ".", "..", "..."}) {
    ASSERT_TRUE(ticker.step());
    EXPECT_EQ(controls.text("标签3"), statusBusy() + dots);
  }
}

TEST_F(TickerTest, EndsOnEveryFinalStatusWithoutWriting) {
  for (const Text& final : {statusDone(), statusFailed(), statusPartlyFailed(), statusUnsupported()}) {
    StatusTicker ticker(controls, gate, press);
    controls.setText("标签3", statusBusy());
    ASSERT_TRUE(ticker.step());
    gate.writeIfCurrent(press, [&] { controls.setText("标签3", final); });
    EXPECT_FALSE(ticker.step());
    EXPECT_EQ(controls.text("标签3"), final);
  }
}

TEST_F(TickerTest, EndsWhenANewerPressStarts) {
  StatusTicker ticker(controls, gate, press);
  ASSERT_TRUE(ticker.step());
  gate.open([&] { controls.setText("标签3", statusBusy()); });
  EXPECT_FALSE(ticker.step());
  EXPECT_EQ(controls.text("标签3"), statusBusy());
}

TEST_F(TickerTest, RunStepsUntilTheEndAndStopsWhenPauseSaysSo) {
  int pauses = 0;
  StatusTicker ticker(controls, gate, press);
  ticker.run([&] {
    if (++pauses == 3) gate.writeIfCurrent(press, [&] { controls.setText("标签3", statusDone()); });
    return true;
  });
  EXPECT_EQ(pauses, 3);
  EXPECT_EQ(controls.text("标签3"), statusDone());

  controls.setText("标签3", statusBusy());
  StatusTicker stopped(controls, gate, press);
  stopped.run([] { return false; });
  EXPECT_EQ(controls.text("标签3"), statusBusy() + ".");
}

// The window's controls, with a hook that runs once, right after the status label was read.
class HookedControls : public MemoryControls {
 public:
  mutable std::function<void()> onStatusRead;
  Text text(std::string_view name) const override {
    Text read = MemoryControls::text(name);
    if (name == "标签3" && onStatusRead) std::exchange(onStatusRead, nullptr)();
    return read;
  }
};

// An extractor finishes exactly while the ticker holds the label between its check and
// its write: the final status must still be what the label reads afterwards.
TEST(TickerRace, FinalStatusWrittenDuringTheCheckIsNeverLost) {
  HookedControls controls;
  PressGate gate;
  const auto press = gate.open([&] { controls.setText("标签3", statusBusy()); });
  ExtractionRun run(controls, gate, press, "http://www.reelhub.example/a",
                    [](const Text&) { return FetchResult{"page", true, ""}; });
  StatusTicker ticker(controls, gate, press);

  std::mutex mutex;
  std::condition_variable changed;
  bool finishing = false, finished = false;
  std::thread extractor;
  controls.onStatusRead = [&] {
    extractor = std::thread([&] {
      {
        std::lock_guard lock(mutex);
        finishing = true;
      }
      changed.notify_all();
      run.finish();
      std::lock_guard lock(mutex);
      finished = true;
      changed.notify_all();
    });
    // Give the extractor every chance to write now, between the check and the write.
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return finishing; });
    changed.wait_for(lock, std::chrono::milliseconds(100), [&] { return finished; });
  };

  ticker.step();
  extractor.join();
  EXPECT_EQ(controls.text("标签3"), statusDone());
  EXPECT_FALSE(ticker.step());
  EXPECT_EQ(controls.text("标签3"), statusDone());
}

}  // namespace
}  // namespace quorvel
