#pragma once
// A gate a fake extractor waits at until the test opens it.
#include <condition_variable>
#include <mutex>

namespace quorvel::testing {

class Latch {
 public:
  void open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  void wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return open_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
};

}  // namespace quorvel::testing
