#pragma once
// What one extractor run sees of the world: its own copy of the address, page
// fetches, and the window's controls by name. The window side decides where the
// output goes (and drops it once a newer fetch has started).
#include <functional>
#include <optional>
#include <string_view>

#include "text/fetch.h"
#include "text/text.h"

namespace quorvel {

using PageFetcher = std::function<FetchResult(const Text& address)>;

class Extraction {
 public:
  virtual ~Extraction() = default;

  // The address this run was started with; later presses never change it.
  virtual const Text& address() const = 0;

  // The body of a GET of `address`, empty when the request failed. The run's first
  // request is its film page; requests without a response decide its final status.
  virtual Bytes fetchPage(const Text& address) = 0;

  virtual void appendToBox(std::string_view box, std::string_view text) = 0;
  virtual bool isChecked(std::string_view checkBox) const = 0;
  virtual Text controlText(std::string_view control) const = 0;

  // Ends the composition: the final status into "标签3", then the watermark, when
  // there is one, into "编辑框5".
  virtual void finish(const std::optional<Text>& watermark = std::nullopt) = 0;
};

using Extractor = void (*)(Extraction& run);

}  // namespace quorvel
