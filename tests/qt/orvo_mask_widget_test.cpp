// OrvoMaskWidget in an application's own windows: layouts and size hints, typed keys, Qt's
// Tab chain through the fields, signals with changeable arguments, Qt properties, popups.
#include "host/qt/orvo_mask_widget.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "access/constituents.h"
#include "host/core/core_popup_form.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"

namespace orvo {
namespace {

// Every QWidget needs the application first; the widget never makes one itself.
class WidgetTest : public ::testing::Test {
 protected:
  WidgetTest() {
    if (!qApp) app_ = std::make_unique<QApplication>(argc_, argv_);
  }

 private:
  int argc_ = 1;
  char name_[8] = "widgets";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// A window as an application builds it: a line edit, two fields, a line edit, one above the
// other in a QVBoxLayout.
struct FieldWindow {
  explicit FieldWindow(QPoint at) {
    auto* layout = new QVBoxLayout(&window);
    before = new QLineEdit;
    first = new OrvoMaskWidget(nullptr, "cpf");
    first->setMask("999.999.999-99");
    second = new OrvoMaskWidget(nullptr, "nome");
    after = new QLineEdit;
    for (QWidget* w : {static_cast<QWidget*>(before), static_cast<QWidget*>(first),
                       static_cast<QWidget*>(second), static_cast<QWidget*>(after)})
      layout->addWidget(w);
    window.move(at);
    window.show();
    Activate();
  }
  void Activate() {
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  QWidget window;
  QLineEdit* before;
  OrvoMaskWidget* first;
  OrvoMaskWidget* second;
  QLineEdit* after;
};

QWidget* Focused() {
  return QApplication::focusWidget();
}

void Tab(bool backwards = false) {
  QTest::keyClick(Focused(), Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
  QApplication::processEvents();
}

TEST_F(WidgetTest, SizeHintsComeFromTheControlsLayoutAndTheLayoutHonoursThem) {
  FieldWindow w({40, 40});
  const QSize least = w.first->minimumSizeHint();
  EXPECT_GT(least.height(), 10);
  EXPECT_LT(least.height(), 60);
  EXPECT_GE(w.first->sizeHint().width(), 160);
  EXPECT_EQ(w.first->height(), w.first->sizeHint().height());
  // A caption above the field makes the control taller: the hints follow.
  w.second->setCaption("Nome do cliente");
  QApplication::processEvents();
  EXPECT_GT(w.second->minimumSizeHint().height(), least.height());
  EXPECT_EQ(w.second->height(), w.second->sizeHint().height());
  // The edit box lies whole inside the widget the layout placed.
  QWidget* edit = QtView::WidgetOf(*NodeOf(Constituents(w.second->control()).txt[0].get()));
  ASSERT_NE(edit, nullptr);
  QRect box(edit->mapTo(w.second, QPoint(0, 0)), edit->size());
  EXPECT_TRUE(w.second->rect().contains(box))
      << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
}

// A check box stands level with its caption's middle: beside a caption shorter than the box
// its top is above the control's surface. The widget lets none of its parts stick out.
TEST_F(WidgetTest, ACheckBoxBesideASmallCaptionStaysWholeInsideTheWidget) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* check = new OrvoMaskWidget(nullptr, "chk");
  layout->addWidget(check);
  check->setDataType(static_cast<int>(TipoDeCampo::Boolean));
  check->control().SetAlignment(TipoAlinhamento::FieldRight);
  auto small = std::make_shared<Font>();
  small->size = 4;
  check->control().SetCaptionFont(small);
  check->setCaption("Ativo");
  window.show();
  QApplication::processEvents();
  for (QWidget* part : check->findChildren<QWidget*>()) {
    if (part->isWindow() || !part->isVisibleTo(check)) continue;
    const QRect place(part->mapTo(check, QPoint(0, 0)), part->size());
    EXPECT_TRUE(check->rect().contains(place))
        << part->metaObject()->className() << " at " << place.x() << "," << place.y() << " "
        << place.width() << "x" << place.height() << " in " << check->width() << "x"
        << check->height();
  }
  EXPECT_LE(check->minimumSizeHint().height(), check->height());
}

// Qt's chain and the model's focus move together: each field's control gets and loses the
// focus as Qt's focus passes through it.
TEST_F(WidgetTest, TabRunsThroughTheFieldsInTheWindowsOrder) {
  FieldWindow w({40, 40});
  w.before->setFocus();
  Tab();
  EXPECT_TRUE(w.first->isAncestorOf(Focused()));
  EXPECT_EQ(w.first->host().FocusName(), "cpf");
  Tab();
  EXPECT_TRUE(w.second->isAncestorOf(Focused()));
  EXPECT_EQ(w.first->host().FocusName(), "");
  EXPECT_EQ(w.second->host().FocusName(), "nome");
  Tab();
  EXPECT_EQ(Focused(), w.after);
  EXPECT_EQ(w.second->host().FocusName(), "");
  Tab(true);
  EXPECT_TRUE(w.second->isAncestorOf(Focused()));
  Tab(true);
  EXPECT_TRUE(w.first->isAncestorOf(Focused()));
  Tab(true);
  EXPECT_EQ(Focused(), w.before);
  // Enter moves on as Tab does: the control's own Tab leaves the field in Qt's order too.
  Tab();
  QTest::keyClick(Focused(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_TRUE(w.second->isAncestorOf(Focused()));
  EXPECT_EQ(w.first->host().FocusName(), "");
  // A click in a field's edit box gives its control the focus; a click on a line edit
  // takes it away.
  QWidget* box = QtView::WidgetOf(*NodeOf(Constituents(w.first->control()).txt[0].get()));
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_EQ(Focused(), box);
  EXPECT_EQ(w.first->host().FocusName(), "cpf");
  QTest::mouseClick(w.after, Qt::LeftButton);
  EXPECT_EQ(Focused(), w.after);
  EXPECT_EQ(w.first->host().FocusName(), "");
  // A disabled field is passed over.
  w.first->setEnabled(false);
  w.before->setFocus();
  Tab();
  EXPECT_TRUE(w.second->isAncestorOf(Focused()));
  EXPECT_EQ(w.first->host().FocusName(), "");
}

// Keys typed reach each field's own control through its mask, in two windows side by side.
TEST_F(WidgetTest, TypedKeysReachEachFieldInEachWindow) {
  FieldWindow one({40, 40});
  FieldWindow two({400, 40});
  one.Activate();
  one.before->setFocus();
  Tab();
  QTest::keyClicks(Focused(), "1234567890155");
  Tab();
  QTest::keyClicks(Focused(), "ana");
  two.Activate();
  two.first->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(two.first->isAncestorOf(Focused()));
  QTest::keyClicks(Focused(), "98765432100");
  EXPECT_EQ(one.first->text(), "123.456.789-01");
  EXPECT_EQ(one.second->text(), "ana");
  EXPECT_EQ(two.first->text(), "987.654.321-00");
  EXPECT_EQ(two.second->text(), "");
  // Back in the first window, the field that had the focus takes keys again.
  one.Activate();
  QTest::keyClicks(Focused(), "!");
  EXPECT_EQ(one.second->text(), "ana!");
}

// A field keeps its editing keys from the application's shortcuts (Ctrl+X is its cut); other
// keys with Ctrl or Alt go to the window's shortcuts first, as a menu's do (Ctrl+S, the access
// key Alt+A); an Alt key no shortcut wants reaches the control as a key, typing nothing.
TEST_F(WidgetTest, ShortcutsTakeCtrlAndAltKeysButNotTheFieldsEditingKeys) {
  FieldWindow w({40, 40});
  int menu = 0, cut = 0, save = 0;
  auto* access = new QAction(&w.window);
  access->setShortcut(QKeySequence(Qt::ALT | Qt::Key_A));
  QObject::connect(access, &QAction::triggered, [&] { ++menu; });
  auto* appCut = new QAction(&w.window);
  appCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  QObject::connect(appCut, &QAction::triggered, [&] { ++cut; });
  auto* appSave = new QAction(&w.window);
  appSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  QObject::connect(appSave, &QAction::triggered, [&] { ++save; });
  w.window.addActions({access, appCut, appSave});
  std::vector<int> altKeys;
  QObject::connect(w.second, &OrvoMaskWidget::KeyDown, [&](int16_t& keyCode, int16_t& shift) {
    if (shift & 4 && keyCode != 18) altKeys.push_back(keyCode);  // 18: Alt itself
  });
  w.second->setFocus();
  QApplication::processEvents();
  QTest::keyClicks(Focused(), "ana");
  QTest::keyClick(Focused(), Qt::Key_A, Qt::AltModifier);
  QTest::keyClick(Focused(), Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(menu, 1);
  EXPECT_EQ(altKeys, std::vector<int>{'B'});
  EXPECT_EQ(w.second->text(), "ana");
  QTest::keyClick(Focused(), Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(Focused(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(cut, 0);
  EXPECT_EQ(save, 1);
}

struct RecordingEvents : OrvoMaskEvents {
  void KeyPress(int16_t& KeyAscii) override { seen.push_back(static_cast<char>(KeyAscii)); }
  std::string seen;
};

// Change is raised per change of the text, and textChanged carries the new text; a KeyPress
// slot changes the key the control inserts, and the application's OrvoMaskEvents hears the
// changed key after the signal.
TEST_F(WidgetTest, SignalsCarryTheEventsAndTheirChangeableArguments) {
  FieldWindow w({40, 40});
  RecordingEvents events;
  w.second->setEvents(&events);
  int changes = 0;
  QStringList texts;
  QObject::connect(w.second, &OrvoMaskWidget::Change, [&] { ++changes; });
  QObject::connect(w.second, &OrvoMaskWidget::textChanged, [&](const QString& t) { texts << t; });
  QObject::connect(w.second, &OrvoMaskWidget::KeyPress, [](int16_t& KeyAscii) {
    if (KeyAscii == 'x') KeyAscii = 'y';
  });
  w.second->setFocus();
  QApplication::processEvents();
  QTest::keyClicks(Focused(), "xa");
  EXPECT_EQ(w.second->text(), "ya");
  EXPECT_EQ(events.seen, "ya");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(texts, (QStringList{"y", "ya"}));
  w.second->setText("ya");  // the same text: no change
  w.second->setText("b");
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(texts.last(), "b");
  w.second->setEvents(nullptr);
}

TEST_F(WidgetTest, PropertiesGoThroughQtsMetaObject) {
  FieldWindow w({40, 40});
  OrvoMaskWidget& f = *w.second;
  f.setProperty("dataType", static_cast<int>(TipoDeCampo::Date));
  f.setProperty("mask", "99/99/9999");
  f.setProperty("caption", "Nascimento");
  f.setProperty("value", QDate(2024, 6, 15));
  EXPECT_EQ(f.property("text").toString(), "15/06/2024");
  EXPECT_EQ(f.property("value").toDateTime().date(), QDate(2024, 6, 15));
  EXPECT_EQ(f.property("caption").toString(), "Nascimento");
  EXPECT_EQ(f.property("dataType").toInt(), static_cast<int>(TipoDeCampo::Date));
}

// The calendar opens beside its field, wherever the layout and the window put the field.
TEST_F(WidgetTest, APopupOpensBesideItsFieldInTheWindow) {
  FieldWindow w({300, 200});
  OrvoMaskWidget& f = *w.second;
  f.setDataType(static_cast<int>(TipoDeCampo::Date));
  f.setMask("99/99/9999");
  f.control().SetBrowseVisible(TipoBot::DropDown);
  f.updateSizeHints();
  QApplication::processEvents();
  QWidget* button = QtView::WidgetOf(*NodeOf(Constituents(f.control()).bot.get()));
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isVisible());
  QTest::mouseClick(button, Qt::LeftButton);
  QApplication::processEvents();
  QWidget* popup = nullptr;
  for (CoreWindow* cw : CoreOf(f.host()).Windows())
    if (cw->Popup() && cw->Shown()) popup = QtView::WidgetOf(cw->Popup()->Node());
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->isVisible());
  const QRect field(f.mapToGlobal(QPoint(0, 0)), f.size());
  const QRect shown = popup->geometry();
  EXPECT_LE(std::abs(shown.left() - field.left()), field.width()) << shown.left();
  EXPECT_TRUE(std::abs(shown.top() - field.bottom()) <= 8 ||
              std::abs(shown.bottom() - field.top()) <= 8)
      << "popup " << shown.top() << ".." << shown.bottom() << ", field " << field.top() << ".."
      << field.bottom();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_FALSE(popup->isVisible());
  // The window may go with its field's popup open.
  QTest::mouseClick(button, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_TRUE(popup->isVisible());
}

}  // namespace
}  // namespace orvo
