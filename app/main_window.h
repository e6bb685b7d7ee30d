#pragma once
// The on-screen window: a view of the window's model (MemoryControls). Worker threads
// only touch the model; each change posts a refresh of that control to the window's
// thread, which copies the model into the widget. What the user types, ticks or clicks
// goes back into the model, and the buttons run the handlers of FetchDispatch.
#include <QWidget>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "app/fetch_dispatch.h"
#include "app/memory_controls.h"

class QButtonGroup;

namespace quorvel {

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Opens an address in the user's browser; the desktop's default when not given.
  using Opener = std::function<void(const QString& address)>;

  MainWindow(MemoryControls& model, FetchDispatch& dispatch, Opener opener = {});
  ~MainWindow() override;

  // The widget of a control by its name ("编辑框1", "标签3", ...), or nullptr.
  QWidget* control(std::string_view name) const;

  // Outer size 611 x 385 (frame included, as far as the platform tells the frame),
  // centred on the screen.
  void placeCentred();

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void createControls();
  void connectHandlers();
  void openHomePage(int source);
  void copyToClipboard(std::string_view box);

  void modelChanged(std::string_view name);  // any thread
  void refresh(const std::string& name);     // window thread
  void refreshRadios();
  void refreshRunning();
  void fitOuterSize();

  MemoryControls& model_;
  FetchDispatch& dispatch_;
  Opener opener_;
  std::map<std::string, QWidget*, std::less<>> widgets_;
  QButtonGroup* radios_ = nullptr;
  bool syncing_ = false;  // true while the window copies the model into a widget

  std::mutex pendingMutex_;
  std::set<std::string, std::less<>> pending_;  // controls with a refresh posted
};

}  // namespace quorvel
