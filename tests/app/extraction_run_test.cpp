#include "app/extraction_run.h"

#include <gtest/gtest.h>

#include "app/memory_controls.h"
#include "app/status_text.h"

namespace quorvel {
namespace {

// Pages named "none" get no response; every other page answers.
FetchResult fakeFetch(const Text& address) {
  if (address.find("none") != Text::npos) return {"", false, "refused"};
  return {"<html>", true, ""};
}

struct RunTest : ::testing::Test {
  MemoryControls controls;
  PressGate gate;
  PressGate::PressId press = gate.open([&] { controls.setText("标签3", statusBusy()); });

  void runOnce(const std::vector<Text>& requests) {
    ExtractionRun run(controls, gate, press, "http://www.reelhub.example/a", fakeFetch);
    for (const Text& request : requests) run.fetchPage(request);
    run.finish();
  }
};

TEST_F(RunTest, FinalStatusFollowsTheResponses) {
  const struct {
    std::vector<Text> requests;
    Text expected;
  } cases[] = {
      {{}, statusDone()},
      {{"http://h/film", "http://h/play"}, statusDone()},
      {{"http://h/none"}, statusFailed()},
      {{"http://h/none", "http://h/play"}, statusFailed()},
      {{"http://h/film", "http://h/none"}, statusPartlyFailed()},
  };
  for (const auto& c : cases) {
    controls.setText("标签3", statusBusy());
    controls.setToolTip("标签3", "");
    runOnce(c.requests);
    EXPECT_EQ(controls.text("标签3"), c.expected) << c.requests.size();
    const bool anyFailed = c.expected != statusDone();
    EXPECT_EQ(controls.toolTip("标签3").find("http://h/none - refused") != Text::npos, anyFailed);
  }
}

// Two extractors of one press: whichever finishes last, the worse outcome stays.
TEST_F(RunTest, TheWorseStatusOfOnePressStays) {
  const std::vector<Text> done = {"http://h/film"}, failed = {"http://h/none"},
                          partly = {"http://h/film", "http://h/none"};
  const struct {
    std::vector<Text> first, second;
    Text expected;
  } cases[] = {
      {failed, done, statusFailed()},   {done, failed, statusFailed()},
      {partly, done, statusPartlyFailed()}, {done, partly, statusPartlyFailed()},
      {partly, failed, statusFailed()}, {done, done, statusDone()},
  };
  for (const auto& c : cases) {
    controls.setText("标签3", statusBusy());
    runOnce(c.first);
    runOnce(c.second);
    EXPECT_EQ(controls.text("标签3"), c.expected);
  }
}

TEST_F(RunTest, OnlyTheFirstFinishWrites) {
  ExtractionRun run(controls, gate, press, "http://www.reelhub.example/a", fakeFetch);
  EXPECT_FALSE(run.finished());
  run.finish(Text("MARK"));
  controls.setText("编辑框5", "typed");
  run.finish(Text("MARK"));
  EXPECT_TRUE(run.finished());
  EXPECT_EQ(controls.text("编辑框5"), "typed");
}

}  // namespace
}  // namespace quorvel
