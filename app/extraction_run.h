#pragma once
// One extractor's run inside one press: its own address, its requests and which of
// them got no response, and its writes into the window through the press gate.
#include <memory>
#include <mutex>
#include <vector>

#include "app/controls.h"
#include "app/press_gate.h"
#include "sources/extraction.h"

namespace quorvel {

struct FailedRequest {
  Text address;
  std::string reason;
};

class ExtractionRun : public Extraction {
 public:
  ExtractionRun(Controls& controls, PressGate& gate, PressGate::PressId press, Text address,
                PageFetcher fetcher);

  const Text& address() const override { return address_; }
  Bytes fetchPage(const Text& address) override;
  void appendToBox(std::string_view box, std::string_view text) override;
  bool isChecked(std::string_view checkBox) const override;
  Text controlText(std::string_view control) const override;
  void finish(const std::optional<Text>& watermark = std::nullopt) override;

  // The status this run ends with, from the responses its requests got.
  Text finalStatus() const;
  // Whether finish() has run; only its first call writes.
  bool finished() const;
  std::vector<FailedRequest> failedRequests() const;

 private:
  Controls& controls_;
  PressGate& gate_;
  const PressGate::PressId press_;
  const Text address_;
  const PageFetcher fetcher_;

  mutable std::mutex mutex_;
  int requests_ = 0;
  bool filmPageFailed_ = false;
  bool finished_ = false;
  std::vector<FailedRequest> failed_;
};

}  // namespace quorvel
