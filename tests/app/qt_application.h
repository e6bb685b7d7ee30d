#pragma once
// One QApplication for a test program, on the offscreen platform unless one is set.
#include <QApplication>
#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace quorvel::testing {

inline QApplication& qtApplication() {
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "quorvel_test";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Processes the window thread's events until `done` holds; false when it never does.
inline bool processEventsUntil(const std::function<bool()>& done,
                               std::chrono::seconds limit = std::chrono::seconds(20)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  QCoreApplication::processEvents();
  return true;
}

}  // namespace quorvel::testing
