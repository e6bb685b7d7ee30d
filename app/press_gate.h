#pragma once
// Orders the writes of worker threads into the window. Each press of the fetch button
// opens a new press; output of the extractors and tickers of an earlier press no
// longer reaches any control, so two films never mix in one post. The same lock keeps
// a ticker's check-and-write apart from a final status, so the final status is never
// overwritten by a ticker.
#include <cstdint>
#include <mutex>

namespace quorvel {

class PressGate {
 public:
  using PressId = std::uint64_t;

  // Opens a new press, runs `first` (the press's own first writes) under the lock,
  // and returns the press.
  template <class Write>
  PressId open(Write&& first) {
    std::lock_guard lock(mutex_);
    ++current_;
    first();
    return current_;
  }

  // Runs `write` under the lock when `press` is still the latest; returns whether it ran.
  template <class Write>
  bool writeIfCurrent(PressId press, Write&& write) {
    std::lock_guard lock(mutex_);
    if (press != current_) return false;
    write();
    return true;
  }

 private:
  std::mutex mutex_;
  PressId current_ = 0;
};

}  // namespace quorvel
