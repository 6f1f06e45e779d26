// The Qt host: what only the Qt host does (geometry from the real font, views that show the
// model, real key, mouse and focus events from Qt as the model's input, top-level popups,
// screenshots). The shared rules are the model's, tested once in tests/host.
#include "host/qt/qt_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <cstdio>

#include "../host/fake_field.h"
#include "host/core/core_site.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_views.h"

namespace orvo::testing {
namespace {

// The QWidget that shows a widget of the model.
template <class Q = QWidget>
Q* ViewOf(Widget& w) {
  return qobject_cast<Q*>(QtView::WidgetOf(*NodeOf(&w)));
}

TEST(QtHost, RunsOnTheOffscreenPlatformAt96Dpi) {
  QtHost host;
  EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
  EXPECT_EQ(host.Services().ScreenWidth(), 12000);
  EXPECT_EQ(host.Services().ScreenHeight(), 12000);
}

// Offscreen, the form stands at the screen's corner whatever frame the platform adds, so
// rectangles and popup places match the headless host's.
TEST(QtHost, WindowRectsMatchTheHeadlessHostOffscreen) {
  QtHost host;
  host.CreateSite("a");
  ControlSite& b = host.CreateSite("b");
  host.ShowForm();
  QApplication::processEvents();
  EXPECT_EQ(host.Services().GetWindowRect(b.hWnd()), (Rect{8, 56, 168, 96}));
}

TEST(QtHost, LabelTakesItsSizeFromTheRealFont) {
  QtHost host;
  ControlSite& site = host.CreateSite("a");
  auto lab = site.CreateLabel();
  lab->SetCaption("Nome");
  QFontMetrics fm(ToQFont(lab->Font().get()));
  EXPECT_EQ(lab->Width(), fm.horizontalAdvance("Nome") * 15);
  EXPECT_EQ(lab->Height(), fm.height() * 15);
  EXPECT_EQ(site.TextHeight("0"), fm.height() * 15.0f);
  EXPECT_GT(site.TextWidth("00"), site.TextWidth("0"));
}

TEST(QtHost, WidgetsMirrorTheHostsState) {
  QtHost host;
  ControlSite& site = host.CreateSite("a");
  auto pic = site.CreatePictureBox();
  pic->Move(300, 150, 1500, 300);
  auto txt = site.CreateTextBox(pic.get(), false);
  txt->Move(30, 30, 1200, 240);
  txt->SetText("abc\xE7");
  auto* line = ViewOf<QLineEdit>(*txt);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->text(), QString::fromUtf8("abc\xC3\xA7"));
  EXPECT_EQ(line->geometry(), QRect(2, 2, 80, 16));
  EXPECT_EQ(line->parentWidget(), ViewOf(*pic));
  txt->SetLocked(true);
  EXPECT_TRUE(line->isReadOnly());

  auto bar = site.CreateScrollBar(pic.get(), true);
  bar->SetMin(10);
  bar->SetMax(1);
  bar->SetValue(7);
  QScrollBar* q = ViewOf<QScrollBar>(*bar);
  // Min stays at the top, and the upper arrow (Qt's step down) moves towards it.
  q->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(bar->Value(), 8);
  q->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(bar->Value(), 10);
}

// A hidden part has no QWidget; the one made when it first shows shows what the part was given
// meanwhile, and stands among its siblings where its stacking puts it.
TEST(QtHost, APartShownLateShowsWhatItWasGivenWhileHidden) {
  QtHost host;
  ControlSite& site = host.CreateSite("a");
  host.ShowForm();
  auto pic = site.CreatePictureBox();
  pic->Move(0, 0, 3000, 1500);
  auto memo = site.CreateTextBox(pic.get(), true);
  auto bar = site.CreateScrollBar(pic.get(), true);
  auto other = site.CreateScrollBar(pic.get(), false);
  auto shape = site.CreateShape();
  for (Widget* w : std::initializer_list<Widget*>{memo.get(), bar.get(), other.get(), shape.get()})
    w->SetVisible(false);
  QApplication::processEvents();
  auto made = [](Widget& w) { return static_cast<QtView&>(*NodeOf(&w)->view).Widget(); };
  auto* surface = static_cast<QtView&>(*static_cast<CoreSite&>(site).Surface().view).Widget();
  EXPECT_EQ(made(*memo), nullptr);
  EXPECT_EQ(made(*shape), nullptr);

  memo->Move(150, 150, 1500, 600);
  memo->SetText("um\r\ndois");
  memo->SetSelStart(4);
  memo->SetSelLength(3);
  auto font = std::make_shared<Font>();
  font->bold = true;
  memo->SetFont(font);
  memo->SetForeColor(0x0000FF);
  memo->SetEnabled(false);
  bar->SetMax(50);
  bar->SetValue(20);
  bar->ZOrder(1);    // to the back
  memo->ZOrder(0);   // to the front
  shape->ZOrder(0);  // in front of the windowless ones only
  for (Widget* w : std::initializer_list<Widget*>{other.get(), shape.get(), bar.get(), memo.get()})
    w->SetVisible(true);

  auto* q = qobject_cast<QPlainTextEdit*>(made(*memo));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->toPlainText(), "um\ndois");
  EXPECT_EQ(q->textCursor().selectedText(), "doi");
  EXPECT_TRUE(q->font().bold());
  EXPECT_EQ(q->palette().color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_FALSE(q->isEnabled());
  EXPECT_TRUE(q->isVisible());
  EXPECT_EQ(q->geometry(), QRect(10, 10, 100, 40));
  EXPECT_EQ(qobject_cast<QScrollBar*>(made(*bar))->value(), 20);
  QWidgetList order;  // bottom to top
  for (QObject* o : made(*pic)->children())
    if (auto* w = qobject_cast<QWidget*>(o); w && w->isVisible()) order.push_back(w);
  EXPECT_EQ(order, (QWidgetList{made(*bar), made(*other), q}));
  EXPECT_LT(surface->children().indexOf(made(*shape)), surface->children().indexOf(made(*pic)));
}

// Only keys edit the text: Qt's own edits (a drop, a middle-button paste) would pass by the
// mask. A selection made with the real mouse counts.
TEST(QtHost, TextQtChangesByItselfGoesBackSelectionCounts) {
  QtHost host;
  ControlSite& site = host.CreateSite("a");
  auto txt = site.CreateTextBox(nullptr, false);
  int changes = 0;
  txt->OnChange = [&] { ++changes; };
  auto* line = ViewOf<QLineEdit>(*txt);
  line->insert("xy");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(txt->Text(), "");
  QCoreApplication::processEvents();
  EXPECT_EQ(line->text(), "");
  txt->SetText("xy");
  EXPECT_EQ(changes, 1);
  line->setSelection(1, 1);
  EXPECT_EQ(txt->SelStart(), 1);
  EXPECT_EQ(txt->SelText(), "y");
}

TEST(QtHost, RealKeyEventsGoThroughTheNotifications) {
  QtHost host;
  ControlSite& site = host.CreateSite("a");
  auto txt = site.CreateTextBox(nullptr, false);
  txt->Move(0, 0, 1500, 300);
  host.ShowForm();
  host.FocusControl(site);
  std::string seen;
  txt->OnKeyPress = [&](int16_t& k) {
    seen += static_cast<char>(k);
    if (k == 'b') k = 0;
  };
  QWidget* w = ViewOf(*txt);
  QTest::keyClicks(w, "abc");
  QTest::keyClick(w, Qt::Key_Left);
  EXPECT_EQ(seen, "abc");
  EXPECT_EQ(txt->Text(), "ac");
  EXPECT_EQ(txt->SelStart(), 1);
  auto* line = qobject_cast<QLineEdit*>(w);
  EXPECT_EQ(line->text(), "ac");  // the view shows the model
  EXPECT_EQ(line->cursorPosition(), 1);
}

TEST(QtHost, MultiLineTextKeepsClassicLineBreaksAndPositions) {
  QtHost host;
  ControlSite& site = host.CreateSite("a");
  auto memo = site.CreateTextBox(nullptr, true);
  memo->SetText("ab\r\ncd");
  memo->SetSelStart(4);
  memo->SetSelLength(2);
  EXPECT_EQ(memo->SelText(), "cd");
  EXPECT_EQ(memo->Text(), "ab\r\ncd");
}

TEST(QtHost, PopupIsARealTopLevelWindowAndScreenshotsShowIt) {
  QtHost host;
  ControlSite& site = host.CreateSite("a");
  auto pic = site.CreatePictureBox();
  pic->Move(0, 0, 2400, 600);
  pic->Line(0, 0, 2385, 0, kSys3DDarkShadow);
  host.ShowForm();
  auto popup = host.Services().CreatePopupForm();
  popup->Move(1500, 1500, 1800, 1500);
  popup->Print(15, 15, "Junho", 0);
  popup->Show(false);
  QWidget* top = ViewOf(*popup);
  EXPECT_TRUE(top->isWindow());
  EXPECT_TRUE(top->isVisible());
  EXPECT_EQ(top->geometry(), QRect(100, 100, 120, 100));
  std::string path = ::testing::TempDir() + "qt_host_shot.png";
  ASSERT_TRUE(host.SaveScreenshot(path));
  QImage shot(QString::fromStdString(path));
  EXPECT_GE(shot.width(), 120);  // the form and the popup beside it
  std::remove(path.c_str());
  popup->Hide();
  EXPECT_FALSE(top->isVisible());
}

// The user's own mouse on a display: Qt focuses the box on the press, the host's focus
// follows with its notifications, then the press reaches the box's mouse handler.
TEST(QtHost, RealMouseClickMovesTheFocusFirst) {
  QtHost host;
  std::vector<std::string> log;
  FakeField a(host, "a", log);
  FakeField b(host, "b", log);
  host.ShowForm();
  host.FormWidget()->activateWindow();
  QApplication::processEvents();
  host.FocusControl(a.site);
  log.clear();
  b.txt->OnMouseDown = [&](int16_t& button, int16_t&, float&, float&) {
    log.push_back("b.Down" + std::to_string(button));
  };
  b.txt->OnClick = [&] { log.push_back("b.Click"); };
  QWidget* box = ViewOf(*b.txt);
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(log, (std::vector<std::string>{"a.Lost", "a.Exit", "b.Enter", "b.Got", "b.Down1",
                                           "b.Click"}));
  EXPECT_EQ(host.FocusName(), "b");
  host.Key("Tab");  // navigation goes on from where the click put the focus
  EXPECT_EQ(host.FocusName(), "a");
}

// Another window activated by the window system, not by the host: Qt's activation events
// reach the popup's hook.
TEST(QtHost, ActivatingAnotherWindowReachesThePopupsHook) {
  QtHost host;
  ControlSite& site = host.CreateSite("a");
  auto pic = site.CreatePictureBox();
  pic->Move(0, 0, 2400, 600);
  host.ShowForm();
  auto popup = host.Services().CreatePopupForm();
  popup->Move(3000, 3000, 1500, 1500);
  popup->Show(false);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  auto hook = host.Services().CreateMessageHook();
  std::vector<int32_t> messages;
  hook->OnMessage = [&](int32_t msg) { messages.push_back(msg); };
  hook->SetHwndHook(popup->hWnd());
  hook->SetMessage(kWmActivate, true);
  QWidget other;
  other.setGeometry(600, 600, 50, 50);
  other.show();
  other.activateWindow();
  for (int i = 0; i < 20 && messages.empty(); ++i) {
    QApplication::processEvents();
    QTest::qWait(5);
  }
  EXPECT_EQ(messages, std::vector<int32_t>{kWmActivate});
  EXPECT_EQ(host.FocusName(), "");
}

// An error the control raises while it handles a real click goes to the host's error sink:
// it never crosses Qt's event loop.
TEST(QtHost, ErrorsOfRealInputGoToTheSink) {
  std::vector<int32_t> reported;
  QtHostOptions options;
  options.onInputError = [&](const Error& e) { reported.push_back(e.Number()); };
  QtHost host(options);
  ControlSite& site = host.CreateSite("a");
  auto button = site.CreateCommandButton(nullptr);
  button->Move(0, 0, 600, 300);
  button->OnClick = [] { RaiseError(err::kNotAvailableYet, "not yet"); };
  host.ShowForm();
  QTest::mouseClick(ViewOf(*button), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(reported, std::vector<int32_t>{err::kNotAvailableYet});
}

}  // namespace
}  // namespace orvo::testing
