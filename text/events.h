#pragma once
// Lets long decoding loops keep a window responsive when they run on its thread.
#include <functional>

namespace quorvel {

// Runs the installed hook once; a no-op until the window installs one, and the
// window's hook does nothing on threads that own no window.
void processEvents();
void setProcessEventsHook(std::function<void()> hook);

}  // namespace quorvel
