#pragma once
// The program with its window: start-up, the message loop, and the exit.
#include <QApplication>

#include "app/command_line.h"
#include "app/fetch_dispatch.h"

namespace quorvel {

// Creates the window centred on the screen, runs its message loop and ends the process
// when the window is closed. Never returns.
[[noreturn]] int runWindowApp(int argc, char** argv, const WindowOptions& options);

// `releaseAddress` of `dispatch` runs when the process ends.
void registerReleaseAddress(FetchDispatch& dispatch);

// Lets long decoding loops on the window's thread keep it responsive; on any other thread
// the hook does nothing.
void installProcessEventsHook();

// Runs the message loop until the window is closed, then ends the process at once:
// extractor threads still running are not waited for, and nothing they use is destroyed
// under them.
[[noreturn]] void runUntilClosed(QApplication& app);

}  // namespace quorvel
