// A form that closes a field from inside one of the field's own events, and fields ended
// while their popups are open or loaded, in every order. Every row runs the event through
// the input that raises it in use; the sanitizer build reports any touch of what has gone.
// After each end the form must go on working: another field still takes keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "access/constituents.h"
#include "access/internals.h"
#include "base/key_codes.h"
#include "closing_events.h"
#include "orvo/orvo_mask.h"
#include "access/internals.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"
#include "popups/calc_form.h"
#include "popups/calend_form.h"

namespace orvo {
namespace {

using orvo::testing::Closer;

struct Field {
  std::unique_ptr<OrvoMask> c;
  Closer events;
};

// A headless form of run-mode fields with browse buttons, and the plain field "other".
class Form {
 public:
  Form() { Add("other", TipoDeCampo::Character); }
  ~Form() {
    for (auto& [name, f] : fields_) Close(name);
  }

  OrvoMask& Add(const std::string& name, TipoDeCampo kind) {
    auto f = std::make_unique<Field>();
    ControlSite& site = host.CreateSite(name);
    f->c = std::make_unique<OrvoMask>(site, &f->events);
    host.RegisterControl(site, f->c.get());
    MemoryPropertyBag bag;
    f->c->UserControl_ReadProperties(bag);
    f->c->SetDataType(kind);
    if (kind == TipoDeCampo::Date) f->c->SetMask("99/99/9999");
    if (kind == TipoDeCampo::Numeric || kind == TipoDeCampo::Spinner) f->c->SetMask("#####,##");
    if (kind != TipoDeCampo::Character) f->c->SetBrowseVisible(TipoBot::DropDown);
    host.ShowForm();
    OrvoMask& c = *f->c;
    fields_[name] = std::move(f);
    return c;
  }
  // An item-list field: three lines to choose from.
  OrvoMask& AddItems(const std::string& name) {
    OrvoMask& c = Add(name, TipoDeCampo::Character);
    c.SetListFields("um|dois|tres");
    c.SetBrowseVisible(TipoBot::DropDown);
    return c;
  }

  OrvoMask* Get(const std::string& name) { return fields_.at(name)->c.get(); }
  Closer& Events(const std::string& name) { return fields_.at(name)->events; }
  Constituents Parts(const std::string& name) { return Constituents(*Get(name)); }

  // As a container unloads a field: the control, then its site.
  void Close(const std::string& name) {
    std::unique_ptr<OrvoMask>& c = fields_.at(name)->c;
    if (!c) return;
    ControlSite& site = c->Site();
    c.reset();
    host.RemoveControl(site);
  }
  // The field closes the first time its event `on` is raised.
  void CloseOn(const std::string& name, const std::string& on) {
    Events(name).on = on;
    Events(name).close = [this, name] { Close(name); };
  }

  // Nothing refers to a closed field, and the field "other" still takes keys.
  void ExpectWorking() {
    OrvoMask* active = PopupOwnerControl();
    if (active) {
      bool live = false;
      for (auto& [name, f] : fields_) live = live || f->c.get() == active;
      EXPECT_TRUE(live) << "the popup owner is a closed field";
    }
    host.ActivateOutside();
    host.ProcessPending();
    OrvoMask& other = *Get("other");
    other.SetText("");
    host.FocusControl(other.Site());
    host.Type("ok");
    EXPECT_EQ(other.Text(), "ok");
    host.Key("Enter");  // a simulated Tab: the host's pending work still runs
    if (host.Sites().size() > 1) {
      EXPECT_NE(host.FocusName(), "other");
    }
  }

  // A click in the middle of day `day` of the open calendar.
  void ClickDay(const std::string& name, int16_t day) {
    CalendForm& form = *CalendarForm(*Get(name));
    const CalendarMonth& month = form.ShownMonth();
    const CalendarCells cells = form.Cells();
    const float x = (month.ColumnOf(day) * cells.width + cells.width / 2.0f) * 15;
    const float y = (month.RowOf(day) * cells.height + cells.height / 2.0f) * 15;
    host.Click(form.Form(), x, y);
  }
  // A click on line `line` of the open item list (195 twips a line in the headless font).
  void ClickItem(const std::string& name, int line) {
    host.Click(*CalendarForm(*Get(name))->lst, 30, 195.0f * line + 90);
  }
  void ClickCalc(int16_t key) { host.Click(SharedCalculator()->Button(key)); }

  HeadlessHost host;

 private:
  std::map<std::string, std::unique_ptr<Field>> fields_;
};

// One way an event is raised: `prepare` brings field "f" up to the input, which `raise`
// gives once the field is set to close on the event.
struct Case {
  const char* event;
  const char* how;
  TipoDeCampo kind;
  bool items;  // an item-list field
  std::function<void(Form&)> prepare;
  std::function<void(Form&)> raise;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.event << " by " << c.how;
}

void Focus(Form& f) {
  f.host.FocusControl(f.Get("f")->Site());
}
void TypeOne(Form& f) {
  f.host.Type("1");
}
void ClickBox(Form& f) {
  f.host.Click(*f.Parts("f").txt[0]);
}
void ClickButton(Form& f) {
  f.host.Click(*f.Parts("f").bot);
}
void Nothing(Form&) {}

const TipoDeCampo kChar = TipoDeCampo::Character, kNum = TipoDeCampo::Numeric,
                  kDate = TipoDeCampo::Date;

const Case kCases[] = {
    {"KeyDown", "a typed key", kChar, false, Focus, TypeOne},
    {"KeyPress", "a typed key", kChar, false, Focus, TypeOne},
    {"KeyUp", "a typed key", kChar, false, Focus, TypeOne},
    {"Change", "a typed key", kNum, false, Focus, TypeOne},
    {"Change", "Tab formats the field it leaves", kNum, false,
     [](Form& f) {
       Focus(f);
       TypeOne(f);
     },
     [](Form& f) { f.host.Key("Tab"); }},
    {"Change", "a day picked in the calendar", kDate, false, ClickButton,
     [](Form& f) { f.ClickDay("f", 10); }},
    {"Change", "OK on the calculator", kNum, false,
     [](Form& f) {
       ClickButton(f);
       f.ClickCalc(calc::kDigit0 + 8);
     },
     [](Form& f) { f.ClickCalc(calc::kAccept); }},
    {"Change", "a line clicked in the item list", kChar, true, ClickButton,
     [](Form& f) { f.ClickItem("f", 1); }},
    {"Click", "a line clicked in the item list", kChar, true, ClickButton,
     [](Form& f) { f.ClickItem("f", 1); }},
    {"Change", "Down in an item-list field", kChar, true, Focus,
     [](Form& f) { f.host.Key("Down"); }},
    {"Change", "a letter searching the item list", kChar, true, Focus,
     [](Form& f) { f.host.Type("d"); }},
    {"Change", "a click on a spinner arrow", TipoDeCampo::Spinner, false, Nothing,
     [](Form& f) { f.host.ClickScrollBar(*f.Parts("f").scrV, ScrollPart::ArrowMax); }},
    {"Change", "Space on a check box", TipoDeCampo::Boolean, false, Focus,
     [](Form& f) { f.host.Key("Space"); }},
    // The mouse move lets pending work run; the key that closes the field is among it.
    {"KeyDown", "a simulated key run by a mouse move's wait", TipoDeCampo::Boolean, false,
     [](Form& f) {
       Focus(f);
       f.host.Services().KeybdEvent('A', 0, 0);
     },
     [](Form& f) {
       auto& surface = static_cast<CoreSite&>(f.Get("f")->Site()).Surface();
       f.host.UserMouse(&surface, 2, 0, 0, 30, 30);
     }},
    {"Change", "the application's SetText", kNum, false, Nothing,
     [](Form& f) { f.Get("f")->SetText("12"); }},
    {"Click", "the application's SetValue on a check box", TipoDeCampo::Boolean, false, Nothing,
     [](Form& f) { f.Get("f")->SetValue(Variant(true)); }},
    {"Change", "the application's RemoveItem of the chosen line", kChar, true,
     [](Form& f) { f.Get("f")->SetListIndex(0); }, [](Form& f) { f.Get("f")->RemoveItem(0); }},
    {"Click", "a click on the field", kChar, false, Nothing, ClickBox},
    {"MouseDown", "a click on the field", kChar, false, Nothing, ClickBox},
    {"MouseUp", "a click on the field", kChar, false, Nothing, ClickBox},
    {"MouseMove", "a drag over the text", kChar, false,
     [](Form& f) {
       Focus(f);
       f.host.Type("abc");
     },
     [](Form& f) { f.host.SelectText(0, 2); }},
    {"ButtonClick", "a click on the browse button", kDate, false, Nothing, ClickButton},
    {"ButtonClick", "F4", kDate, false, Focus, [](Form& f) { f.host.Key("F4"); }},
    {"DropDown", "the calendar opening", kDate, false, Nothing, ClickButton},
    {"DropDown", "the item list opening", kChar, true, Nothing, ClickButton},
    {"DropDown", "another window activated over the calendar", kDate, false, ClickButton,
     [](Form& f) { f.host.ActivateOutside(); }},
    {"DropDown", "another window activated over the calculator", kNum, false, ClickButton,
     [](Form& f) { f.host.ActivateOutside(); }},
    {"DropDown", "Escape in the item list", kChar, true, ClickButton,
     [](Form& f) { f.host.Key("Escape"); }},
};

class DestroyFromEvent : public ::testing::TestWithParam<Case> {};

TEST_P(DestroyFromEvent, TheFieldEndsAndTheFormGoesOn) {
  const Case& c = GetParam();
  Form form;
  if (c.items)
    form.AddItems("f");
  else
    form.Add("f", c.kind);
  form.Add("n", kNum);  // a field whose popup stays usable after
  c.prepare(form);
  form.CloseOn("f", c.event);
  c.raise(form);
  EXPECT_EQ(form.Get("f"), nullptr) << c.event << " was not raised by " << c.how;
  form.ExpectWorking();
  form.host.Click(*form.Parts("n").bot);
  ASSERT_TRUE(SharedCalculator() && SharedCalculator()->Form().Visible());
  form.ClickCalc(calc::kDigit0 + 5);
  form.ClickCalc(calc::kAccept);
  EXPECT_EQ(form.Get("n")->Text(), "5,00");
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name = std::string(info.param.event) + "_" + info.param.how;
  std::replace_if(
      name.begin(), name.end(), [](char ch) { return !std::isalnum(ch); }, '_');
  return name + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Events, DestroyFromEvent, ::testing::ValuesIn(kCases), CaseName);

// Three fields whose popups have all been loaded, one of them still open, ended one by one in
// every order; the form keeps working after each.
TEST(DestroyWithPopups, EveryOrderWithEachPopupOpen) {
  const std::vector<std::string> names = {"date", "num", "items"};
  for (const std::string& open : names) {
    std::vector<std::string> order = names;
    do {
      SCOPED_TRACE("open " + open + ", order " + order[0] + " " + order[1] + " " + order[2]);
      Form form;
      form.Add("date", kDate);
      form.Add("num", kNum);
      form.AddItems("items");
      for (const std::string& name : names) {
        form.host.Click(*form.Parts(name).bot);
        form.host.ActivateOutside();
      }
      form.host.Click(*form.Parts(open).bot);
      ASSERT_EQ(PopupOwnerControl(), form.Get(open));
      for (const std::string& name : order) {
        form.Close(name);
        form.ExpectWorking();
      }
      EXPECT_EQ(SharedCalculator(), nullptr);
    } while (std::next_permutation(order.begin(), order.end()));
  }
}

// A field ended from the event of another field: the one whose popup is open closes the
// other part way through its own choice.
TEST(DestroyAnotherField, AChoiceInAPopup) {
  Form form;
  form.Add("date", kDate);
  form.Add("num", kNum);
  form.Events("num").on = "Change";
  form.Events("num").close = [&form] { form.Close("date"); };
  form.host.Click(*form.Parts("num").bot);
  form.ClickCalc(calc::kDigit0 + 3);
  form.ClickCalc(calc::kAccept);
  EXPECT_EQ(form.Get("date"), nullptr);
  EXPECT_EQ(form.Get("num")->Text(), "3,00");
  form.ExpectWorking();
}

// The field Tab leaves is formatted, and its Change closes the field Tab was going to.
TEST(DestroyAnotherField, TheOneTabGoesTo) {
  Form form;
  form.Add("a", kNum);
  form.Add("b", kChar);
  form.Events("a").on = "Change";
  form.host.FocusControl(form.Get("a")->Site());
  form.host.Type("1");
  form.Events("a").close = [&form] { form.Close("b"); };
  form.host.Key("Tab");
  EXPECT_EQ(form.Get("b"), nullptr);
  EXPECT_EQ(form.Get("a")->Text(), "1,00");
  form.ExpectWorking();
}

}  // namespace
}  // namespace orvo
