#include "app/fetch_dispatch.h"

#include <exception>
#include <system_error>
#include <thread>

#include "app/extraction_run.h"
#include "app/link_rename.h"
#include "app/status_text.h"
#include "app/status_ticker.h"
#include "sources/compose.h"
#include "text/charset.h"

namespace quorvel {

void uncheckSourceRadios(Controls& controls) {
  for (const SourceSite& site : sourceSites()) controls.setChecked(site.radioName, false);
}

FetchDispatch::FetchDispatch(Controls& controls, DispatchOptions options)
    : controls_(controls), options_(std::move(options)) {
  if (!options_.fetcher) options_.fetcher = fetchPageWithReport;
  if (!options_.extract) {
    options_.extract = [](const SourceSite& site, Extraction& run) { site.extractor(run); };
  }
}

FetchDispatch::~FetchDispatch() {
  std::unique_lock lock(mutex_);
  stopping_ = true;
  changed_.notify_all();
  changed_.wait(lock, [&] { return runningThreads_ == 0; });
}

void FetchDispatch::startFetch() {
  const PressGate::PressId press = gate_.open([&] {
    controls_.setText(kTitleBox, "");
    controls_.setText(kContentBox, "");
    controls_.setText(kStatusLabel, statusBusy());
    controls_.setToolTip(kStatusLabel, "");
  });
  {
    std::lock_guard lock(mutex_);
    latestPress_ = press;
  }
  startTicker(press);

  const Text address = controls_.text(kAddressBox);
  {
    std::lock_guard lock(mutex_);
    currentAddress_ = address;
  }
  bool matched = false;
  for (const SourceSite& site : sourceSites()) {
    if (!addressMatches(site, address)) continue;
    matched = true;
    uncheckSourceRadios(controls_);
    controls_.setChecked(site.radioName, true);
    startExtractor(site, press, address);
  }
  // Nobody else would ever end this press: say so instead of ticking for ever.
  if (!matched) {
    gate_.writeIfCurrent(press, [&] { controls_.setText(kStatusLabel, statusUnsupported()); });
  }
  notifyRunning();
}

void FetchDispatch::startExtractor(const SourceSite& site, PressGate::PressId press,
                                   const Text& address) {
  {
    std::lock_guard lock(mutex_);
    ++runningExtractors_[press];
  }
  notifyRunning();
  // A failure that ends the run early still ends the press, so the ticker stops and the
  // label never claims a complete post.
  auto fail = [this, press](const std::string& reason) {
    gate_.writeIfCurrent(press, [&] {
      controls_.setText(kStatusLabel, statusFailed());
      controls_.setToolTip(kStatusLabel,
                           controls_.toolTip(kStatusLabel) + utf8ToGbk(reason) + "\n");
    });
  };
  const bool started = startThread([this, &site, press, address, fail] {
    ExtractionRun run(controls_, gate_, press, address, options_.fetcher);
    try {
      options_.extract(site, run);
    } catch (const std::exception& error) {
      fail(std::string("extractor stopped: ") + error.what());
    } catch (...) {
      fail("extractor stopped");
    }
    run.finish();  // does nothing when the extractor finished itself
    extractorEnded(press);
  });
  if (!started) {
    fail("no thread could be started");
    extractorEnded(press);
  }
}

void FetchDispatch::startTicker(PressGate::PressId press) {
  startThread([this, press] {
    StatusTicker ticker(controls_, gate_, press);
    ticker.run([this] { return tickerPause(); });
  });
}

bool FetchDispatch::tickerPause() {
  std::unique_lock lock(mutex_);
  return !changed_.wait_for(lock, options_.tickerPeriod, [&] { return stopping_; });
}

bool FetchDispatch::startThread(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    ++runningThreads_;
  }
  try {
    std::thread([this, work = std::move(work)] {
      work();
      threadEnded();
    }).detach();
    return true;
  } catch (const std::system_error&) {
    threadEnded();
    return false;
  }
}

void FetchDispatch::threadEnded() {
  // Notified under the lock: the destructor may free this object as soon as it is released.
  std::lock_guard lock(mutex_);
  --runningThreads_;
  changed_.notify_all();
}

void FetchDispatch::extractorEnded(PressGate::PressId press) {
  {
    std::lock_guard lock(mutex_);
    if (--runningExtractors_[press] == 0) runningExtractors_.erase(press);
    changed_.notify_all();
  }
  notifyRunning();
}

bool FetchDispatch::pressRunning() const {
  std::lock_guard lock(mutex_);
  return runningExtractors_.contains(latestPress_);
}

void FetchDispatch::waitForPress() const {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return !runningExtractors_.contains(latestPress_); });
}

bool FetchDispatch::waitUntilIdle(std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [&] { return runningThreads_ == 0; });
}

void FetchDispatch::renameLinks() {
  if (pressRunning()) return;
  quorvel::renameLinks(controls_);
}

void FetchDispatch::setRunningObserver(std::function<void()> observer) {
  std::lock_guard lock(mutex_);
  runningObserver_ = std::move(observer);
}

void FetchDispatch::notifyRunning() {
  std::function<void()> observer;
  {
    std::lock_guard lock(mutex_);
    observer = runningObserver_;
  }
  if (observer) observer();
}

Text FetchDispatch::currentAddress() const {
  std::lock_guard lock(mutex_);
  return currentAddress_;
}

void FetchDispatch::releaseAddress() {
  std::lock_guard lock(mutex_);
  Text().swap(currentAddress_);
}

}  // namespace quorvel
