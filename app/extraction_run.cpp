#include "app/extraction_run.h"

#include "app/status_text.h"
#include "text/charset.h"

namespace quorvel {

ExtractionRun::ExtractionRun(Controls& controls, PressGate& gate, PressGate::PressId press,
                             Text address, PageFetcher fetcher)
    : controls_(controls),
      gate_(gate),
      press_(press),
      address_(std::move(address)),
      fetcher_(std::move(fetcher)) {}

Bytes ExtractionRun::fetchPage(const Text& address) {
  FetchResult result = fetcher_(address);
  std::lock_guard lock(mutex_);
  const bool filmPage = requests_++ == 0;
  if (!result.responded) {
    if (filmPage) filmPageFailed_ = true;
    failed_.push_back({address, result.failure.empty() ? "no response" : result.failure});
  }
  return std::move(result.body);
}

void ExtractionRun::appendToBox(std::string_view box, std::string_view text) {
  gate_.writeIfCurrent(press_, [&] { controls_.appendToBox(box, text); });
}

bool ExtractionRun::isChecked(std::string_view checkBox) const {
  return controls_.isChecked(checkBox);
}

Text ExtractionRun::controlText(std::string_view control) const { return controls_.text(control); }

Text ExtractionRun::finalStatus() const {
  std::lock_guard lock(mutex_);
  if (filmPageFailed_) return statusFailed();
  if (!failed_.empty()) return statusPartlyFailed();
  return statusDone();
}

std::vector<FailedRequest> ExtractionRun::failedRequests() const {
  std::lock_guard lock(mutex_);
  return failed_;
}

bool ExtractionRun::finished() const {
  std::lock_guard lock(mutex_);
  return finished_;
}

namespace {

// Two extractors of one press share the label: the worse outcome stays on it, so the
// label never reads "done" when one of them failed, whichever finished last.
int severity(std::string_view status) {
  if (status == statusFailed()) return 2;
  if (status == statusPartlyFailed()) return 1;
  return 0;
}

}  // namespace

void ExtractionRun::finish(const std::optional<Text>& watermark) {
  {
    std::lock_guard lock(mutex_);
    if (finished_) return;
    finished_ = true;
  }
  const Text status = finalStatus();
  Text report;
  for (const FailedRequest& failed : failedRequests()) {
    report += failed.address + " - " + utf8ToGbk(failed.reason) + "\n";
  }
  gate_.writeIfCurrent(press_, [&] {
    const Text shown = controls_.text("标签3");
    if (!isFinalStatus(shown) || severity(status) > severity(shown)) {
      controls_.setText("标签3", status);
    }
    // Two extractors of one press report into the same tooltip.
    if (!report.empty()) controls_.setToolTip("标签3", controls_.toolTip("标签3") + report);
    if (watermark) controls_.setText("编辑框5", *watermark);
  });
}

}  // namespace quorvel
