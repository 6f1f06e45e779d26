// Fields that close themselves from their own events under Qt's real key and mouse events,
// and fields ended with their popups open as real top-level windows: the views go with their
// widgets while Qt is still delivering the event, and the form goes on taking keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "access/constituents.h"
#include "../control/closing_events.h"
#include "orvo/orvo_mask.h"
#include "access/internals.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"
#include "platform/property_bag.h"
#include "popups/calc_form.h"
#include "popups/calend_form.h"

namespace orvo {
namespace {

QWidget* ViewOf(Widget& w) {
  return QtView::WidgetOf(*NodeOf(&w));
}

using orvo::testing::Closer;

// A Qt form with a numeric field "f" that closes on its event `on`, and a plain field "g".
struct QtForm {
  explicit QtForm(const std::string& on) {
    f = Add("f", &closer, TipoDeCampo::Numeric);
    g = Add("g", nullptr, TipoDeCampo::Character);
    host.ShowForm();
    host.FormWidget()->activateWindow();
    QApplication::processEvents();
    closer.on = on;
    closer.close = [this] { Close(f); };
  }
  ~QtForm() {
    Close(f);
    Close(g);
  }
  std::unique_ptr<OrvoMask> Add(const char* name, OrvoMaskEvents* events, TipoDeCampo kind) {
    ControlSite& site = host.CreateSite(name);
    auto c = std::make_unique<OrvoMask>(site, events);
    host.RegisterControl(site, c.get());
    MemoryPropertyBag bag;
    c->UserControl_ReadProperties(bag);
    c->SetDataType(kind);
    if (kind == TipoDeCampo::Numeric) {
      c->SetMask("#####,##");
      c->SetBrowseVisible(TipoBot::DropDown);
    }
    return c;
  }
  void Close(std::unique_ptr<OrvoMask>& c) {
    if (!c) return;
    ControlSite& site = c->Site();
    c.reset();
    host.RemoveControl(site);
  }
  QWidget* Box() { return ViewOf(*Constituents(*f).txt[0]); }

  QtHost host;
  Closer closer;
  std::unique_ptr<OrvoMask> f, g;
};

struct QtCase {
  const char* event;
  const char* how;
  std::function<void(QtForm&)> prepare;
  std::function<void(QtForm&)> raise;
};

void PrintTo(const QtCase& c, std::ostream* os) {
  *os << c.event << " by " << c.how;
}

void FocusF(QtForm& q) {
  q.host.FocusControl(q.f->Site());
}
void TypeOne(QtForm& q) {
  QTest::keyClick(q.Box(), Qt::Key_1);
}
void ClickBox(QtForm& q) {
  QTest::mouseClick(q.Box(), Qt::LeftButton, {}, QPoint(5, 5));
}
void ClickButton(QtForm& q) {
  QTest::mouseClick(ViewOf(*Constituents(*q.f).bot), Qt::LeftButton, {}, QPoint(3, 3));
}

const QtCase kQtCases[] = {
    {"KeyDown", "a typed key", FocusF, TypeOne},
    {"KeyPress", "a typed key", FocusF, TypeOne},
    {"KeyUp", "a typed key", FocusF, TypeOne},
    {"Change", "a typed key", FocusF, TypeOne},
    {"Change", "Tab formats the field it leaves",
     [](QtForm& q) {
       FocusF(q);
       TypeOne(q);
     },
     [](QtForm& q) { QTest::keyClick(q.Box(), Qt::Key_Tab); }},
    {"MouseDown", "a click on the field", [](QtForm&) {}, ClickBox},
    {"MouseUp", "a click on the field", [](QtForm&) {}, ClickBox},
    {"Click", "a click on the field", [](QtForm&) {}, ClickBox},
    {"ButtonClick", "a click on the browse button", [](QtForm&) {}, ClickButton},
    {"DropDown", "the calculator opening", [](QtForm&) {}, ClickButton},
    {"Change", "OK on the calculator", ClickButton,
     [](QtForm&) {
       QTest::mouseClick(ViewOf(SharedCalculator()->Button(calc::kAccept)), Qt::LeftButton, {},
                         QPoint(3, 3));
     }},
};

class QtDestroyFromEvent : public ::testing::TestWithParam<QtCase> {};

TEST_P(QtDestroyFromEvent, TheFieldEndsAndTheFormGoesOn) {
  const QtCase& c = GetParam();
  QtForm q(c.event);
  q.closer.on.clear();
  c.prepare(q);
  q.closer.on = c.event;
  c.raise(q);
  QApplication::processEvents();
  EXPECT_EQ(q.f, nullptr) << c.event << " was not raised by " << c.how;
  EXPECT_EQ(PopupOwnerControl(), nullptr);
  q.host.FocusControl(q.g->Site());
  QTest::keyClicks(ViewOf(*Constituents(*q.g).txt[0]), "ok");
  EXPECT_EQ(q.g->Text(), "ok");
}

std::string QtCaseName(const ::testing::TestParamInfo<QtCase>& info) {
  std::string name = std::string(info.param.event) + "_" + std::to_string(info.index);
  return name;
}

INSTANTIATE_TEST_SUITE_P(Events, QtDestroyFromEvent, ::testing::ValuesIn(kQtCases), QtCaseName);

// The calculator's window is open when its field ends, and the host goes after it.
TEST(QtDestroyWithPopups, FieldAndThenHostEndWithTheCalculatorOpen) {
  auto q = std::make_unique<QtForm>("");
  ClickButton(*q);
  ASSERT_TRUE(SharedCalculator() && SharedCalculator()->Form().Visible());
  q->Close(q->f);
  EXPECT_EQ(SharedCalculator(), nullptr);
  QApplication::processEvents();
  q->host.FocusControl(q->g->Site());
  QTest::keyClicks(ViewOf(*Constituents(*q->g).txt[0]), "ok");
  EXPECT_EQ(q->g->Text(), "ok");
  q.reset();
  QApplication::processEvents();
}

// Three fields with their popups loaded as real windows, one of them open, ended in every
// order; the form's last field still takes real keys after each end.
TEST(QtDestroyWithPopups, EveryOrderWithEachPopupOpen) {
  const std::vector<std::string> names = {"date", "items", "num"};
  for (const std::string& open : names) {
    std::vector<std::string> order = names;
    do {
      SCOPED_TRACE("open " + open + ", order " + order[0] + " " + order[1] + " " + order[2]);
      QtForm q("");
      std::map<std::string, std::unique_ptr<OrvoMask>> fields;
      fields["date"] = q.Add("date", nullptr, TipoDeCampo::Date);
      fields["date"]->SetMask("99/99/9999");
      fields["date"]->SetBrowseVisible(TipoBot::DropDown);
      fields["num"] = q.Add("num", nullptr, TipoDeCampo::Numeric);
      fields["items"] = q.Add("items", nullptr, TipoDeCampo::Character);
      fields["items"]->SetListFields("um|dois|tres");
      fields["items"]->SetBrowseVisible(TipoBot::DropDown);
      q.host.ShowForm();
      for (const std::string& name : names) {
        q.host.Click(*Constituents(*fields[name]).bot);
        q.host.ActivateOutside();
      }
      q.host.Click(*Constituents(*fields[open]).bot);
      QApplication::processEvents();
      ASSERT_EQ(PopupOwnerControl(), fields[open].get());
      for (const std::string& name : order) {
        q.Close(fields[name]);
        QApplication::processEvents();
        q.host.FocusControl(q.g->Site());
        q.g->SetText("");
        QTest::keyClicks(ViewOf(*Constituents(*q.g).txt[0]), "ok");
        EXPECT_EQ(q.g->Text(), "ok");
      }
      EXPECT_EQ(PopupOwnerControl(), nullptr);
    } while (std::next_permutation(order.begin(), order.end()));
  }
}

}  // namespace
}  // namespace orvo
