#pragma once
// The fetch button and the replace button, on any Controls (the window's model or the
// command line's). A press empties the boxes, starts a status ticker and one
// extractor thread per source whose domain occurs in the address; threads are never
// joined, but every one is counted, so a caller can wait for a press to end.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>

#include "app/controls.h"
#include "app/press_gate.h"
#include "app/source_sites.h"

namespace quorvel {

struct DispatchOptions {
  PageFetcher fetcher;  // fetchPageWithReport when empty
  // Runs one source's extractor; the table's extractor when empty (tests put fakes here).
  std::function<void(const SourceSite& site, Extraction& run)> extract;
  std::chrono::milliseconds tickerPeriod{300};
};

class FetchDispatch {
 public:
  explicit FetchDispatch(Controls& controls, DispatchOptions options = {});
  // Wakes sleeping tickers and waits for every thread this dispatch started.
  ~FetchDispatch();
  FetchDispatch(const FetchDispatch&) = delete;
  FetchDispatch& operator=(const FetchDispatch&) = delete;

  // The fetch button. Returns at once; the work goes on in the threads it starts.
  // An address that matches no source ends the press at once with "不支持的地址!".
  void startFetch();

  // The replace button; does nothing while the extractors of the latest press run,
  // since it would overwrite text that is still being appended.
  void renameLinks();

  // Whether extractors of the latest press are still running.
  bool pressRunning() const;
  // Waits until every extractor of the latest press has returned.
  void waitForPress() const;
  // Waits until every thread this dispatch started (tickers too) has ended; false when
  // `limit` passed first.
  bool waitUntilIdle(std::chrono::milliseconds limit) const;

  // Called, on the thread that caused it, whenever pressRunning() may have changed.
  void setRunningObserver(std::function<void()> observer);

  // The address of the latest press; released at exit.
  Text currentAddress() const;
  void releaseAddress();

 private:
  void startExtractor(const SourceSite& site, PressGate::PressId press, const Text& address);
  void startTicker(PressGate::PressId press);
  // Starts a counted, detached thread; false when no thread could be started.
  bool startThread(std::function<void()> work);
  void threadEnded();
  void extractorEnded(PressGate::PressId press);
  void notifyRunning();
  bool tickerPause();

  Controls& controls_;
  DispatchOptions options_;
  PressGate gate_;

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  PressGate::PressId latestPress_ = 0;
  std::map<PressGate::PressId, int> runningExtractors_;  // presses with extractors left
  int runningThreads_ = 0;
  bool stopping_ = false;
  Text currentAddress_;
  std::function<void()> runningObserver_;
};

}  // namespace quorvel

namespace quorvel {

// Sets the nine source radio buttons unchecked (from code: no click).
void uncheckSourceRadios(Controls& controls);

}  // namespace quorvel
