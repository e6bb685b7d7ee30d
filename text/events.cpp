#include "text/events.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace quorvel {
namespace {

// Decoding loops read the hook once per group of four characters, so the read is one
// atomic load. Installed hooks are kept for the life of the process: a worker thread may
// still be running an old one, and worker threads are never joined before exit.
std::atomic<const std::function<void()>*> currentHook{nullptr};

struct HookStore {
  std::mutex mutex;
  std::vector<std::unique_ptr<const std::function<void()>>> installed;
};

HookStore& hookStore() {
  static auto* store = new HookStore;  // never destroyed, see above
  return *store;
}

}  // namespace

void processEvents() {
  if (const auto* hook = currentHook.load(std::memory_order_acquire)) (*hook)();
}

void setProcessEventsHook(std::function<void()> hook) {
  HookStore& store = hookStore();
  std::lock_guard lock(store.mutex);
  if (!hook) {
    currentHook.store(nullptr, std::memory_order_release);
    return;
  }
  store.installed.push_back(std::make_unique<const std::function<void()>>(std::move(hook)));
  currentHook.store(store.installed.back().get(), std::memory_order_release);
}

}  // namespace quorvel
