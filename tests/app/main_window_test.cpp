#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <thread>

#include "app/qt_text.h"
#include "app/status_text.h"
#include "app/window_layout.h"
#include "app/window_app.h"
#include "sources/domains.h"
#include "tests/app/latch.h"
#include "tests/app/qt_application.h"
#include "text/charset.h"
#include "text/events.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;
using testing::Latch;
using testing::processEventsUntil;

QString qs(const char* utf8) { return QString::fromUtf8(utf8); }

// The real window on the offscreen platform, over fake extractors that compose
// `lines` lines into the content box, after waiting at `release` when it is set.
struct WindowTest : ::testing::Test {
  QApplication& app = testing::qtApplication();
  MemoryControls model;
  int lines = 3;
  Latch* release = nullptr;
  FetchDispatch dispatch{model, options()};
  std::vector<QString> opened;
  MainWindow window{model, dispatch, [this](const QString& address) { opened.push_back(address); }};

  DispatchOptions options() {
    DispatchOptions options;
    options.fetcher = [](const Text&) { return FetchResult{"", false, "refused"}; };
    options.extract = [this](const SourceSite& site, Extraction& run) {
      if (release) release->wait();
      run.appendToBox("编辑框1", "[" + integerToText(site.number) + "]");
      for (int i = 1; i <= lines; ++i) run.appendToBox("编辑框2", "line " + integerToText(i) + "\r\n");
      run.finish();
    };
    options.tickerPeriod = 1ms;
    return options;
  }

  void SetUp() override {
    window.placeCentred();
    window.show();
    QCoreApplication::processEvents();
  }
  void TearDown() override {
    ASSERT_TRUE(dispatch.waitUntilIdle(20s));
    QCoreApplication::processEvents();
  }

  template <class Widget>
  Widget* widget(std::string_view name) {
    auto* found = qobject_cast<Widget*>(window.control(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QString content() { return widget<QPlainTextEdit>("编辑框2")->toPlainText(); }
  void click(std::string_view button) { widget<QAbstractButton>(button)->click(); }
  void pressKey(std::string_view name, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(window.control(name), &press);
    QCoreApplication::sendEvent(window.control(name), &release);
  }
  bool fetchEnded() {
    return !dispatch.pressRunning() && isFinalStatus(model.text("标签3")) &&
           widget<QLabel>("标签3")->text() == toQString(model.text("标签3")) &&
           widget<QPushButton>("替换按钮")->isEnabled();
  }
};

TEST_F(WindowTest, EveryControlStartsAsLaidOut) {
  for (const ControlSpec& layout : windowControls()) {
    SCOPED_TRACE(std::string(layout.name));
    QWidget* control = window.control(layout.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->objectName(), QString::fromUtf8(layout.name.data(), layout.name.size()));
    EXPECT_EQ(control->geometry(), QRect(layout.left, layout.top, layout.width, layout.height));
    QWidget* parent = layout.parent.empty() ? &window : window.control(layout.parent);
    EXPECT_EQ(control->parentWidget(), parent);

    const QString text = toQString(initialText(layout));
    switch (layout.kind) {
      case ControlKind::GroupBox:
        EXPECT_EQ(qobject_cast<QGroupBox*>(control)->title(), "");
        break;
      case ControlKind::Label:
        EXPECT_EQ(qobject_cast<QLabel*>(control)->text(), text);
        break;
      case ControlKind::LineEdit: {
        auto* box = qobject_cast<QLineEdit*>(control);
        EXPECT_EQ(box->text(), text);
        EXPECT_FALSE(box->isReadOnly());
        EXPECT_EQ(box->echoMode(), QLineEdit::Normal);
        break;
      }
      case ControlKind::MultiLineEdit: {
        auto* box = qobject_cast<QPlainTextEdit*>(control);
        EXPECT_EQ(box->toPlainText(), text);
        EXPECT_FALSE(box->isReadOnly());
        EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        break;
      }
      case ControlKind::PushButton:
      case ControlKind::CheckBox:
      case ControlKind::RadioButton: {
        auto* button = qobject_cast<QAbstractButton*>(control);
        EXPECT_EQ(button->text(), text);
        EXPECT_EQ(button->isChecked(), layout.checked);
        EXPECT_EQ(button->isCheckable(), layout.kind != ControlKind::PushButton);
        break;
      }
    }
  }
  EXPECT_EQ(widget<QLineEdit>("地址框")->text(), qs("http://www.reelhub.example/Html/GP13861.html"));
  EXPECT_EQ(widget<QLabel>("标签3")->text(), qs("获取状态"));
  EXPECT_EQ(widget<QRadioButton>("单选框5")->text(), qs("movieden.example"));
  EXPECT_EQ(widget<QCheckBox>("选择框2")->text(), qs("百度影音"));
  EXPECT_EQ(window.windowTitle(), "Quorvel" + QString(31, ' ') + "by Ordwyn");
}

TEST_F(WindowTest, OuterSizeIsFixedAndCentred) {
  EXPECT_EQ(window.frameGeometry().size(), QSize(611, 385));
  const QPoint screenCentre = window.screen()->availableGeometry().center();
  EXPECT_LE((window.frameGeometry().center() - screenCentre).manhattanLength(), 2);
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the border cannot be dragged";
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
}

TEST_F(WindowTest, LabelsBeyondTheRightEdgeShowOnlyWhenMaximised) {
  for (const char* label : {"标签6", "标签7"}) {
    EXPECT_TRUE(window.control(label)->visibleRegion().isEmpty()) << label;
  }
  window.showMaximized();
  ASSERT_TRUE(processEventsUntil([&] { return window.width() > 611; }));
  for (const char* label : {"标签6", "标签7"}) {
    EXPECT_FALSE(window.control(label)->visibleRegion().isEmpty()) << label;
  }
  EXPECT_EQ(widget<QLabel>("标签6")->text(), "by Ordwyn");
  EXPECT_EQ(widget<QLabel>("标签7")->text(), "2012-12-4");
  window.showNormal();
  ASSERT_TRUE(processEventsUntil([&] { return window.frameGeometry().width() == 611; }));
  for (const char* label : {"标签6", "标签7"}) {
    EXPECT_TRUE(window.control(label)->visibleRegion().isEmpty()) << label;
  }
}

TEST_F(WindowTest, RadioClickOpensThatHomePageAndChecksOnlyThatRadio) {
  model.setChecked("单选框2", true);
  model.setText("编辑框1", "[title]");
  for (int n : {4, 1, 9, 4}) {
    SCOPED_TRACE(n);
    opened.clear();
    const std::string clicked = "单选框" + std::to_string(n);
    click(clicked);
    QCoreApplication::processEvents();
    EXPECT_EQ(opened, std::vector<QString>{toQString(homePageAddress(n))});
    for (int other = 1; other <= 9; ++other) {
      const std::string radio = "单选框" + std::to_string(other);
      EXPECT_EQ(model.isChecked(radio), other == n) << radio;
      EXPECT_EQ(widget<QRadioButton>(radio)->isChecked(), other == n) << radio;
    }
  }
  EXPECT_EQ(model.text("编辑框1"), "[title]");
  EXPECT_EQ(opened.front(), "http://www.vidnest.example");
}

TEST_F(WindowTest, StatesSetFromCodeRaiseNoClick) {
  model.setChecked("单选框3", true);
  model.setChecked("选择框4", false);
  QCoreApplication::processEvents();
  EXPECT_TRUE(widget<QRadioButton>("单选框3")->isChecked());
  EXPECT_FALSE(widget<QCheckBox>("选择框4")->isChecked());
  uncheckSourceRadios(model);
  QCoreApplication::processEvents();
  for (int n = 1; n <= 9; ++n) {
    EXPECT_FALSE(widget<QRadioButton>("单选框" + std::to_string(n))->isChecked()) << n;
  }
  EXPECT_TRUE(opened.empty());
  EXPECT_FALSE(model.isChecked("选择框4"));
}

TEST_F(WindowTest, CheckBoxesToggleOnClick) {
  for (int n = 1; n <= 8; ++n) {
    const std::string box = "选择框" + std::to_string(n);
    click(box);
    EXPECT_FALSE(model.isChecked(box)) << box;
    EXPECT_FALSE(widget<QCheckBox>(box)->isChecked()) << box;
    click(box);
    EXPECT_TRUE(model.isChecked(box)) << box;
  }
}

TEST_F(WindowTest, CopyButtonsPutTheBoxesOnTheClipboard) {
  model.setText("编辑框1", utf8ToGbk("[大陆][2013]"));
  model.setText("编辑框2", utf8ToGbk("简介\r\n[BDHD]\r\n"));
  QCoreApplication::processEvents();
  click("按钮1");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), qs("[大陆][2013]"));
  click("按钮2");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), qs("简介\n[BDHD]\n"));
}

TEST_F(WindowTest, AFetchFillsTheBoxesFromWorkerThreads) {
  lines = 200;
  click("获取按钮");
  ASSERT_TRUE(processEventsUntil([&] { return fetchEnded(); }));
  ASSERT_TRUE(processEventsUntil([&] { return content().count('\n') == 200; }));
  EXPECT_EQ(content(), toDisplayedLines(model.text("编辑框2")));
  EXPECT_TRUE(content().startsWith("line 1\nline 2\n"));
  EXPECT_EQ(widget<QLineEdit>("编辑框1")->text(), "[2]");
  EXPECT_EQ(widget<QLabel>("标签3")->text(), qs("获取完毕!"));
  EXPECT_TRUE(widget<QRadioButton>("单选框2")->isChecked());
  auto* scroll = widget<QPlainTextEdit>("编辑框2")->verticalScrollBar();
  EXPECT_GT(scroll->maximum(), 0);
  EXPECT_EQ(scroll->value(), scroll->maximum()) << "the box scrolls as text is added";
}

TEST_F(WindowTest, FailedRequestsShowAsTheStatusTooltip) {
  model.setToolTip("标签3", "http://www.reelhub.example/a - refused\n");
  QCoreApplication::processEvents();
  EXPECT_TRUE(widget<QLabel>("标签3")->toolTip().contains("http://www.reelhub.example/a - refused"));
}

TEST_F(WindowTest, ReplaceButtonAndBoxesWaitWhileExtractorsAppend) {
  Latch latch;
  release = &latch;
  click("获取按钮");
  ASSERT_TRUE(processEventsUntil([&] { return !widget<QPushButton>("替换按钮")->isEnabled(); }));
  EXPECT_TRUE(widget<QPlainTextEdit>("编辑框2")->isReadOnly());
  EXPECT_TRUE(widget<QLineEdit>("编辑框1")->isReadOnly());
  latch.open();
  ASSERT_TRUE(processEventsUntil([&] { return fetchEnded(); }));
  EXPECT_FALSE(widget<QPlainTextEdit>("编辑框2")->isReadOnly());
  EXPECT_FALSE(widget<QLineEdit>("编辑框1")->isReadOnly());
}

TEST_F(WindowTest, EnterInTheAddressBoxPressesFetch) {
  pressKey("地址框", Qt::Key_Return);
  ASSERT_TRUE(processEventsUntil([&] { return fetchEnded(); }));
  EXPECT_EQ(model.text("编辑框1"), "[2]");
}

TEST_F(WindowTest, TypingGoesIntoTheModelAsGbk) {
  widget<QLineEdit>("编辑框5")->setFocus();
  pressKey("编辑框5", 0, qs("迅"));
  pressKey("编辑框5", Qt::Key_A, "a");
  EXPECT_EQ(model.text("编辑框5"), utf8ToGbk("迅a"));

  pressKey("编辑框2", Qt::Key_B, "b");
  pressKey("编辑框2", Qt::Key_Return, "\r");
  pressKey("编辑框2", 0, qs("片"));
  EXPECT_EQ(model.text("编辑框2"), utf8ToGbk("b\r\n片")) << "Enter is a line break, CR LF inside";
  QCoreApplication::processEvents();
  EXPECT_EQ(content(), qs("b\n片"));
}

// Decoding loops call processEvents(): on the window's thread it handles the window's
// pending events, on any other thread it does nothing.
TEST(ProcessEventsHook, RunsTheWindowsEventsOnlyOnTheWindowsThread) {
  QApplication& app = testing::qtApplication();
  installProcessEventsHook();
  bool handled = false;
  QMetaObject::invokeMethod(&app, [&] { handled = true; }, Qt::QueuedConnection);
  std::thread([] { processEvents(); }).join();
  EXPECT_FALSE(handled);
  processEvents();
  EXPECT_TRUE(handled);
  setProcessEventsHook({});
}

// Closing the window while an extractor still runs ends the process at once.
TEST(WindowExit, ClosingWhileExtractorsRunEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        QApplication& app = testing::qtApplication();
        auto* model = new MemoryControls;
        DispatchOptions options;
        options.extract = [](const SourceSite&, Extraction& run) {
          run.appendToBox("编辑框2", "started\r\n");
          Latch never;
          never.wait();
        };
        auto* dispatch = new FetchDispatch(*model, options);
        registerReleaseAddress(*dispatch);
        auto* window = new MainWindow(*model, *dispatch, [](const QString&) {});
        window->show();
        static_cast<QPushButton*>(window->control("获取按钮"))->click();
        QTimer::singleShot(50, window, [window] { window->close(); });
        runUntilClosed(app);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace quorvel
