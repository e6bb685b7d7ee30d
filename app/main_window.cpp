#include "app/main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include "app/qt_text.h"
#include "app/source_sites.h"
#include "app/window_layout.h"
#include "sources/compose.h"

namespace quorvel {
namespace {

constexpr std::string_view kFetchButton = "获取按钮";
constexpr std::string_view kRenameButton = "替换按钮";
constexpr std::string_view kCopyTitleButton = "按钮1";
constexpr std::string_view kCopyContentButton = "按钮2";

void openInBrowser(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

QWidget* createWidget(const ControlSpec& layout, QWidget* parent) {
  switch (layout.kind) {
    case ControlKind::GroupBox:
      return new QGroupBox(parent);
    case ControlKind::Label: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case ControlKind::LineEdit:
      return new QLineEdit(parent);  // scrolls horizontally, no length limit of its own
    case ControlKind::MultiLineEdit: {
      auto* box = new QPlainTextEdit(parent);
      box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      return box;
    }
    case ControlKind::PushButton:
      return new QPushButton(parent);
    case ControlKind::CheckBox:
      return new QCheckBox(parent);
    case ControlKind::RadioButton:
      return new QRadioButton(parent);
  }
  return nullptr;
}

}  // namespace

MainWindow::MainWindow(MemoryControls& model, FetchDispatch& dispatch, Opener opener)
    : QWidget(nullptr,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                  Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      dispatch_(dispatch),
      opener_(opener ? std::move(opener) : Opener(openInBrowser)) {
  setWindowTitle(toQString(windowCaption()));
  QFont dialogFont = font();
  dialogFont.setPixelSize(12);
  setFont(dialogFont);
  setFixedSize(kWindowWidth, kWindowHeight);

  createControls();
  connectHandlers();
  model_.setObserver([this](std::string_view name) { modelChanged(name); });
  dispatch_.setRunningObserver([this] {
    QMetaObject::invokeMethod(this, [this] { refreshRunning(); }, Qt::QueuedConnection);
  });
  for (const ControlSpec& layout : windowControls()) refresh(std::string(layout.name));
  refreshRunning();
}

MainWindow::~MainWindow() {
  model_.setObserver({});
  dispatch_.setRunningObserver({});
}

QWidget* MainWindow::control(std::string_view name) const {
  const auto found = widgets_.find(name);
  return found == widgets_.end() ? nullptr : found->second;
}

void MainWindow::createControls() {
  radios_ = new QButtonGroup(this);
  radios_->setExclusive(true);
  for (const ControlSpec& layout : windowControls()) {
    QWidget* parent = layout.parent.empty() ? this : control(layout.parent);
    QWidget* widget = createWidget(layout, parent);
    widget->setObjectName(QString::fromUtf8(layout.name.data(), static_cast<int>(layout.name.size())));
    widget->setGeometry(layout.left, layout.top, layout.width, layout.height);
    widgets_.emplace(std::string(layout.name), widget);
  }
  for (const SourceSite& site : sourceSites()) {
    radios_->addButton(static_cast<QRadioButton*>(control(site.radioName)), site.number);
  }
}

void MainWindow::connectHandlers() {
  auto button = [this](std::string_view name) { return static_cast<QPushButton*>(control(name)); };
  connect(button(kFetchButton), &QPushButton::clicked, this, [this] { dispatch_.startFetch(); });
  connect(button(kRenameButton), &QPushButton::clicked, this, [this] { dispatch_.renameLinks(); });
  connect(button(kCopyTitleButton), &QPushButton::clicked, this,
          [this] { copyToClipboard(kTitleBox); });
  connect(button(kCopyContentButton), &QPushButton::clicked, this,
          [this] { copyToClipboard(kContentBox); });
  connect(static_cast<QLineEdit*>(control(kAddressBox)), &QLineEdit::returnPressed, this,
          [button] { button(kFetchButton)->click(); });

  for (const ControlSpec& layout : windowControls()) {
    const std::string name(layout.name);
    QWidget* widget = control(name);
    switch (layout.kind) {
      case ControlKind::LineEdit:
        connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this,
                [this, name](const QString& text) { model_.setText(name, fromQString(text)); });
        break;
      case ControlKind::MultiLineEdit: {
        auto* box = static_cast<QPlainTextEdit*>(widget);
        connect(box, &QPlainTextEdit::textChanged, this, [this, name, box] {
          if (!syncing_) model_.setText(name, fromDisplayedLines(box->toPlainText()));
        });
        break;
      }
      case ControlKind::CheckBox:
        connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, this,
                [this, name](bool checked) { model_.setChecked(name, checked); });
        break;
      default:
        break;
    }
  }
  connect(radios_, &QButtonGroup::idClicked, this, [this](int source) { openHomePage(source); });
}

// A click checks that radio button only; the handler opens the site's home page.
void MainWindow::openHomePage(int source) {
  for (const SourceSite& site : sourceSites()) {
    model_.setChecked(site.radioName, site.number == source);
  }
  opener_(toQString(sourceSites()[source - 1].homePage));
}

void MainWindow::copyToClipboard(std::string_view box) {
  QGuiApplication::clipboard()->setText(toDisplayedLines(model_.text(box)));
}

void MainWindow::modelChanged(std::string_view name) {
  {
    std::lock_guard lock(pendingMutex_);
    if (!pending_.emplace(name).second) return;  // a refresh is already on its way
  }
  QMetaObject::invokeMethod(
      this,
      [this, control = std::string(name)] {
        {
          std::lock_guard lock(pendingMutex_);
          pending_.erase(control);
        }
        refresh(control);
      },
      Qt::QueuedConnection);
}

void MainWindow::refresh(const std::string& name) {
  const ControlSpec* layout = findControl(name);
  QWidget* widget = control(name);
  if (layout == nullptr || widget == nullptr) return;
  syncing_ = true;
  const QString text = toQString(model_.text(name));
  switch (layout->kind) {
    case ControlKind::GroupBox:
      static_cast<QGroupBox*>(widget)->setTitle(text);
      break;
    case ControlKind::Label:
      static_cast<QLabel*>(widget)->setText(text);
      break;
    case ControlKind::PushButton:
      static_cast<QPushButton*>(widget)->setText(text);
      break;
    case ControlKind::CheckBox: {
      auto* box = static_cast<QCheckBox*>(widget);
      box->setText(text);
      const QSignalBlocker noClick(box);
      box->setChecked(model_.isChecked(name));
      break;
    }
    case ControlKind::RadioButton:
      static_cast<QRadioButton*>(widget)->setText(text);
      refreshRadios();
      break;
    case ControlKind::LineEdit: {
      auto* box = static_cast<QLineEdit*>(widget);
      if (box->text() != text) box->setText(text);
      break;
    }
    case ControlKind::MultiLineEdit: {
      auto* box = static_cast<QPlainTextEdit*>(widget);
      const QString wanted = toDisplayedLines(model_.text(name));
      const QString shown = box->toPlainText();
      if (wanted == shown) break;
      if (!shown.isEmpty() && wanted.startsWith(shown)) {
        QTextCursor end(box->document());
        end.movePosition(QTextCursor::End);
        end.insertText(wanted.mid(shown.size()));
      } else {
        box->setPlainText(wanted);
      }
      box->moveCursor(QTextCursor::End);
      box->ensureCursorVisible();
      box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
      break;
    }
  }
  const QString tip = toQString(model_.toolTip(name)).trimmed();
  if (!tip.isEmpty()) {
    widget->setToolTip(Qt::convertFromPlainText(tip, Qt::WhiteSpaceNoWrap));
  } else {
    // A domain may be longer than its radio button is wide.
    widget->setToolTip(layout->kind == ControlKind::RadioButton ? text : QString());
  }
  syncing_ = false;
}

// States set from code raise no click; the group lets go of its exclusivity meanwhile,
// so that all nine can be unchecked.
void MainWindow::refreshRadios() {
  radios_->setExclusive(false);
  for (const SourceSite& site : sourceSites()) {
    auto* radio = static_cast<QRadioButton*>(control(site.radioName));
    const QSignalBlocker noClick(radio);
    radio->setChecked(model_.isChecked(site.radioName));
  }
  radios_->setExclusive(true);
}

// While the extractors of the latest press append, the replace button waits and the
// boxes they fill take no typing (an edit would be written back over their appends).
void MainWindow::refreshRunning() {
  const bool running = dispatch_.pressRunning();
  control(kRenameButton)->setEnabled(!running);
  static_cast<QLineEdit*>(control(kTitleBox))->setReadOnly(running);
  static_cast<QPlainTextEdit*>(control(kContentBox))->setReadOnly(running);
}

void MainWindow::placeCentred() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QPoint centre = screen->availableGeometry().center();
  move(centre.x() - kWindowWidth / 2, centre.y() - kWindowHeight / 2);
}

// The toolkit sizes the client area; the frame is known once the window is shown.
void MainWindow::fitOuterSize() {
  if (isMaximized() || isFullScreen()) return;
  const QSize frame = frameGeometry().size() - size();
  const QSize client(kWindowWidth - frame.width(), kWindowHeight - frame.height());
  if (size() == client) return;
  setFixedSize(client);
  placeCentred();
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  fitOuterSize();
}

// The border is fixed at normal size; maximised, the window takes the screen and
// shows the labels beyond its normal right edge.
void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  if (isMaximized()) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else {
    const QSize frame = frameGeometry().size() - geometry().size();
    setFixedSize(kWindowWidth - frame.width(), kWindowHeight - frame.height());
  }
}

}  // namespace quorvel
