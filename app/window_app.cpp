#include "app/window_app.h"

#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "app/main_window.h"
#include "app/memory_controls.h"
#include "app/sample_pages.h"
#include "app/status_text.h"
#include "sources/compose.h"
#include "text/events.h"

namespace quorvel {
namespace {

FetchDispatch* exitDispatch = nullptr;

void releaseAddress() {
  if (exitDispatch) exitDispatch->releaseAddress();
}

// Presses 获取 once the window shows, waits until the press's extractors have returned
// and the window shows their output, then saves the window as a PNG and quits.
void takeScreenshot(MainWindow& window, FetchDispatch& dispatch, MemoryControls& model,
                    const QString& file) {
  QTimer::singleShot(0, &window, [&window] {
    static_cast<QPushButton*>(window.control("获取按钮"))->click();
  });
  auto* poll = new QTimer(&window);
  QObject::connect(poll, &QTimer::timeout, &window, [&window, &dispatch, &model, file, poll] {
    if (dispatch.pressRunning() || !isFinalStatus(model.text(kStatusLabel))) return;
    poll->stop();
    // The refreshes the last appends posted come first.
    QTimer::singleShot(100, &window, [&window, file] {
      const bool saved = window.grab().save(file, "PNG");
      if (!saved) std::fprintf(stderr, "quorvel: could not write %s\n", qPrintable(file));
      QCoreApplication::exit(saved ? 0 : 1);
    });
  });
  poll->start(50);
}

}  // namespace

void registerReleaseAddress(FetchDispatch& dispatch) {
  static std::once_flag once;
  exitDispatch = &dispatch;
  std::call_once(once, [] {
    std::at_quick_exit(releaseAddress);
    std::atexit(releaseAddress);
  });
}

void installProcessEventsHook() {
  setProcessEventsHook([] {
    const QCoreApplication* app = QCoreApplication::instance();
    if (app != nullptr && QThread::currentThread() == app->thread()) {
      QCoreApplication::processEvents();
    }
  });
}

void runUntilClosed(QApplication& app) {
  const int code = app.exec();
  std::fflush(nullptr);
  std::quick_exit(code);
}

int runWindowApp(int argc, char** argv, const WindowOptions& options) {
  static int appArgc = argc;  // the application keeps a reference to it
  auto* app = new QApplication(appArgc, argv);
  if (!options.routes.empty()) setRoutes(options.routes);
  // Extractor threads use these until the process ends; they are never destroyed.
  auto* model = new MemoryControls;
  DispatchOptions dispatchOptions;
  if (options.samples) dispatchOptions.fetcher = samplePageFetcher(bundledSamplesDir());
  auto* dispatch = new FetchDispatch(*model, std::move(dispatchOptions));
  registerReleaseAddress(*dispatch);
  installProcessEventsHook();

  auto* window = new MainWindow(*model, *dispatch);
  window->placeCentred();
  window->show();
  if (!options.screenshot.empty()) {
    takeScreenshot(*window, *dispatch, *model, QString::fromStdString(options.screenshot));
  }
  runUntilClosed(*app);
}

}  // namespace quorvel
