// The model test's random operations on the form: keys, clicks, popups, property, value and
// text sets, recordsets bound again, fields destroyed (their popup open or not) and remade.
#include "model_operations.h"

#include <functional>
#include <sstream>

#include "access/constituents.h"
#include "access/internals.h"
#include "base/dates.h"
#include "popups/calc_form.h"
#include "popups/calend_form.h"

namespace orvo::model {

std::string Randomness::Text(int maxLength) {
  static constexpr std::string_view kLikely = "0123456789012345abcXYZ,.-/():@ \xC1\xE7\xFF";
  std::string text;
  const int length = OneIn(40) ? 300 : Below(maxLength + 1);
  for (int i = 0; i < length; ++i)
    text += OneIn(12) ? static_cast<char>(32 + Below(224)) : kLikely[Below(kLikely.size())];
  return text;
}

namespace {

constexpr const char* kKeys[] = {
    "Enter",  "Tab",       "Shift+Tab",  "Up",          "Down",       "Left",      "Right",
    "Home",   "End",       "Shift+Left", "Shift+Right", "Shift+Home", "Shift+End", "Delete",
    "Delete", "Backspace", "Backspace",  "Escape",      "Space",      "F4",        "Ctrl+C",
    "Ctrl+X", "Ctrl+V",    "Ctrl+V",     "Ctrl+Tab",    "PageUp",     "PageDown"};

// Masks a form designer gives each kind; now and then a field gets one of another kind's.
constexpr const char* kTextMasks[] = {
    "",         "@!",    "@A",      "999.999.999-99", "(99) 9999-9999",
    "AAA-9N99", "##-##", "@a XXXX", "!aaa",           "99999-999"};
constexpr const char* kNumberMasks[] = {"", "#.##0,00", "9999", "999.999,99", "999", "9.9"};
constexpr const char* kDateMasks[] = {"", "99/99/9999", "dd/mmm/yyyy", "99:99", "99/99/99"};

const char* MaskFor(Randomness& rnd, TipoDeCampo kind, bool& fits) {
  fits = !rnd.OneIn(10);
  if (!fits) kind = static_cast<TipoDeCampo>(rnd.Below(3));
  if (IsNumericKind(kind)) return rnd.Pick(kNumberMasks);
  if (kind == TipoDeCampo::Date) return rnd.Pick(kDateMasks);
  if (kind == TipoDeCampo::Boolean || kind == TipoDeCampo::Option) return "";
  return rnd.Pick(kTextMasks);
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char ch : text) {
    if (ch < 32 || ch > 126 || ch == '"' || ch == '\\') {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02X", ch);
      out += buffer;
    } else {
      out += static_cast<char>(ch);
    }
  }
  return out + "\"";
}

Variant RandomValue(Randomness& rnd) {
  switch (rnd.Below(9)) {
    case 0:
      return Variant();
    case 1:
      return Variant::Null();
    case 2:
      return Variant(static_cast<int16_t>(rnd.Below(200) - 50));
    case 3:
      return Variant(static_cast<double>(rnd.Below(2000000)) / 100 - 5000);
    case 4:
      return Variant::Date(rnd.OneIn(10) ? 1e7 : 30000 + rnd.Below(30000) + rnd.Below(96) / 96.0);
    case 5:
      return Variant(rnd.OneIn(2));
    case 6:
      return Variant(rnd.OneIn(5) ? 1e300 : -1.5e-7);
    default:
      return Variant(rnd.Text(16));
  }
}

// A field that exists, or null: a slot chosen at random, remade now and then.
struct Chosen {
  size_t slot;
  OrvoMask* field;
};

Chosen AnyField(ModelForm& form, Randomness& rnd) {
  size_t slot = static_cast<size_t>(rnd.Below(static_cast<int>(form.slots.size())));
  return {slot, form.Field(slot)};
}

// The slot of the field that owns the open popup, or one at random.
size_t PopupOwnerSlot(ModelForm& form, Randomness& rnd) {
  for (size_t i = 0; i < form.slots.size(); ++i)
    if (form.Field(i) && form.Field(i) == PopupOwnerControl()) return i;
  return AnyField(form, rnd).slot;
}

std::string Name(const ModelForm& form, size_t slot) {
  const FieldSlot& s = form.slots[slot];
  return s.index >= 0 ? s.name + "(" + std::to_string(s.index) + ")" : s.name;
}

// A property an application sets while the form runs; the mask's own state follows.
void SetSomeProperty(ModelForm& form, Randomness& rnd, Chosen c, std::string& description) {
  OrvoMask& f = *c.field;
  FieldSlot& slot = form.slots[c.slot];
  switch (rnd.Below(12)) {
    case 0: {
      const char* mask = MaskFor(rnd, f.DataType(), slot.maskFitsKind);
      description += "Mask = " + Quote(mask);
      slot.textFollowsMask = false;
      f.SetMask(mask);
      break;
    }
    case 1: {
      // The application gives the kind its mask, as a form designer would.
      const auto kind = static_cast<TipoDeCampo>(rnd.Below(7));
      const char* mask = MaskFor(rnd, kind, slot.maskFitsKind);
      description +=
          "DataType = " + std::to_string(static_cast<int>(kind)) + ", Mask = " + Quote(mask);
      slot.textFollowsMask = false;
      f.SetDataType(kind);
      f.SetMask(mask);
      break;
    }
    case 2: {
      const bool v = rnd.OneIn(3);
      description += std::string("Enabled = ") + (v ? "false" : "true");
      f.SetEnabled(!v);
      break;
    }
    case 3: {
      const bool v = rnd.OneIn(3);
      description += std::string("Locked = ") + (v ? "true" : "false");
      f.SetLocked(v);
      break;
    }
    case 4: {
      const auto v = static_cast<TipoBot>(rnd.Below(3));
      description += "BrowseVisible = " + std::to_string(static_cast<int>(v));
      f.SetBrowseVisible(v);
      break;
    }
    case 5: {
      const bool v = rnd.OneIn(4);
      description += std::string("MultiLine = ") + (v ? "true" : "false");
      slot.textFollowsMask = false;
      f.SetMultiLine(v);
      break;
    }
    case 6: {
      const auto lo = static_cast<int16_t>(rnd.Below(100) - 20);
      const auto hi = static_cast<int16_t>(rnd.Below(100) - 20);
      description += "Min = " + std::to_string(lo) + ", Max = " + std::to_string(hi);
      f.SetMin(lo);
      f.SetMax(hi);
      break;
    }
    case 7: {
      const std::string stuff = rnd.OneIn(2) ? "" : rnd.OneIn(2) ? "0" : "*";
      description += "StuffChar = " + Quote(stuff);
      f.SetStuffChar(stuff);
      break;
    }
    case 8: {
      const bool v = rnd.OneIn(2);
      description += std::string("SelectOnFocus, FormatLostFocus = ") + (v ? "true" : "false");
      f.SetSelectOnFocus(v);
      f.SetFormatLostFocus(v);
      break;
    }
    case 9: {
      const auto v = static_cast<Orientacao>(rnd.Below(2));
      description += "Orientation = " + std::to_string(static_cast<int>(v));
      f.SetOrientation(v);
      break;
    }
    case 10: {
      std::string lists[] = {"", "SP|RJ|MG", "a|b|c", "nome|uf", "nome"};
      const std::string v = lists[rnd.Below(5)];
      description += "ListFields = " + Quote(v);
      slot.textFollowsMask = false;
      f.SetListFields(v);
      break;
    }
    default: {
      const std::string caption = rnd.Text(12);
      description += "Caption = " + Quote(caption);
      f.SetCaption(caption);
      break;
    }
  }
}

// An action inside the open popup: the calendar's or list's form, its grid or list box, or
// the calculator's keys.
void ActInPopup(ModelForm& form, Randomness& rnd, std::string& description) {
  HeadlessHost& host = form.host;
  if (CalcForm* calc = SharedCalculator(); calc && calc->Form().Visible()) {
    const auto key = static_cast<int16_t>(rnd.Below(calc::kButtonCount));
    description = "click calculator key " + std::to_string(key);
    host.Click(calc->Button(key));
    return;
  }
  OrvoMask* owner = PopupOwnerControl();
  CalendForm* popup = owner ? CalendarForm(*owner) : nullptr;
  if (!popup || !popup->Shown()) {
    // None is open: the user opens one with a field's button.
    Chosen c = AnyField(form, rnd);
    description = "click the button of " + Name(form, c.slot);
    if (c.field && Constituents(*c.field).bot) host.Click(*Constituents(*c.field).bot);
    return;
  }
  PopupForm& window = popup->Form();
  const float x = static_cast<float>(rnd.Below(static_cast<int>(window.Width()) + 200) - 100);
  const float y = static_cast<float>(rnd.Below(static_cast<int>(window.Height()) + 200) - 100);
  switch (rnd.Below(5)) {
    case 0:
      description = "click popup at " + std::to_string(x) + "," + std::to_string(y);
      host.Click(window, x, y);
      break;
    case 1:
      if (popup->grdLst && popup->grdLst->Visible()) {
        description = "click grid at " + std::to_string(x) + "," + std::to_string(y);
        host.Click(*popup->grdLst, x, y);
      } else if (popup->lst->Visible()) {
        description = "click list at " + std::to_string(y);
        host.Click(*popup->lst, 30, y);
      } else {
        description = "double click popup at " + std::to_string(x) + "," + std::to_string(y);
        host.DoubleClick(window, x, y);
      }
      break;
    case 2: {
      const int notches = rnd.Below(9) - 4;
      description = "wheel grid " + std::to_string(notches);
      if (popup->grdLst && popup->grdLst->Visible()) host.Wheel(*popup->grdLst, notches);
      break;
    }
    case 3: {
      const std::string text = rnd.Text(3);
      description = "type in popup " + Quote(text);
      host.Type(text);
      break;
    }
    default: {
      const char* key = rnd.Pick(kKeys);
      description = std::string("key in popup ") + key;
      host.Key(key);
      break;
    }
  }
}

bool PopupOpen() {
  if (CalcForm* calc = SharedCalculator(); calc && calc->Form().Visible()) return true;
  OrvoMask* owner = PopupOwnerControl();
  return owner && CalendarForm(*owner) && CalendarForm(*owner)->Shown();
}

}  // namespace

void RunRandomOperation(ModelForm& form, Randomness& rnd, std::string& description) {
  HeadlessHost& host = form.host;
  // A user with a popup open mostly works in it.
  if (PopupOpen() && rnd.Below(10) < 6) return ActInPopup(form, rnd, description);
  Chosen c = AnyField(form, rnd);
  const std::string name = Name(form, c.slot);
  const int op = rnd.Below(100);
  if (!c.field && op >= 60) {
    description = "create " + name;
    form.Create(c.slot);
    return;
  }
  if (op < 60) {
    // Input the user gives to whatever has the focus, or to a popup that is open.
    if (op < 18) {
      const std::string text = rnd.Text(6);
      description = "type " + Quote(text);
      host.Type(text);
    } else if (op < 32) {
      const char* key = rnd.Pick(kKeys);
      description = std::string("key ") + key;
      host.Key(key);
    } else if (op < 44) {
      ActInPopup(form, rnd, description);
    } else if (op < 47) {
      const int start = rnd.Below(16) - 1, length = rnd.Below(16) - 1;
      description = "select " + std::to_string(start) + " " + std::to_string(length);
      host.SelectText(start, length);
    } else if (op < 49) {
      const std::string text = rnd.Text(20);
      description = "clipboard " + Quote(text);
      host.SetClipboardText(text);
    } else if (op < 51) {
      description = "click outside";
      host.ActivateOutside();
    } else if (op < 53) {
      description = "wait";
      host.AdvanceClock(rnd.Below(3));
      host.ProcessPending();
    } else {
      // A field destroyed, mostly the one whose popup is open, then made again at once or
      // later.
      const size_t slot = rnd.OneIn(3) ? c.slot : PopupOwnerSlot(form, rnd);
      description =
          "destroy " + Name(form, slot) +
          (form.Field(slot) && form.Field(slot) == PopupOwnerControl() ? " (its popup open)" : "");
      form.Destroy(slot);
      host.ActivateOutside();
      if (rnd.OneIn(2)) form.Create(slot);
    }
    return;
  }
  if (!c.field) return;
  OrvoMask& f = *c.field;
  FieldSlot& slot = form.slots[c.slot];
  Constituents parts(f);
  if (op < 66) {
    description = "focus " + name;
    host.FocusControl(f.Site());
  } else if (op < 71) {
    const int what = rnd.Below(8);
    description = "click " + name + " " + std::to_string(what);
    switch (what) {
      case 0:
      case 1:
      case 6:
      case 7:
        if (parts.bot) host.Click(*parts.bot);
        break;
      case 2:
        host.Click(*parts.txt[MemberValue(f, "ActiveTextIndex")->AsInteger()]);
        break;
      case 3:
        if (parts.pic) host.Click(*parts.pic);
        if (parts.img) host.Click(*parts.img);
        break;
      case 4:
        if (parts.lab) host.Click(*parts.lab);
        break;
      default:
        host.ClickScrollBar(rnd.OneIn(2) ? *parts.scrV : *parts.scrH,
                            static_cast<ScrollPart>(rnd.Below(4)));
        break;
    }
  } else if (op < 78) {
    description = name + ".";
    SetSomeProperty(form, rnd, c, description);
  } else if (op < 84) {
    const Variant v = RandomValue(rnd);
    std::ostringstream shown;
    shown << v;
    description = name + ".Value = " + shown.str();
    const std::string before = f.Text();
    f.SetValue(v);
    // A spinner given no number keeps its text, whatever mask that text was written under.
    if (f.Text() != before) slot.textFollowsMask = true;
  } else if (op < 89) {
    const std::string text = rnd.Text(18);
    description = name + ".Text = " + Quote(text);
    f.SetText(text);
    slot.textFollowsMask = true;
  } else if (op < 92) {
    const int flavour = rnd.Below(6);
    description = name + ".RecordSource = customers " + std::to_string(flavour);
    f.SetRecordSource(flavour == 5 ? nullptr : form.OpenCustomers(flavour));
  } else if (op < 95) {
    const int what = rnd.Below(5);
    description = "read " + name + " " + std::to_string(what);
    if (what == 0) (void)f.Value();
    if (what == 1) (void)f.ListIndex();
    if (what == 2) (void)f.ListCount();
    if (what == 3) (void)f.List(static_cast<int16_t>(rnd.Below(6) - 1));
    if (what == 4) {
      std::string raw = rnd.Text(10);
      bool fits = true;
      const auto kind = static_cast<TipoDeCampo>(rnd.Below(7));
      (void)f.FormatField(RandomValue(rnd), MaskFor(rnd, kind, fits), kind,
                          rnd.OneIn(2) ? "" : "a|b|c");
      (void)f.FieldValue(raw, kind, MaskFor(rnd, kind, fits), "a|b");
    }
  } else {
    const int what = rnd.Below(4);
    description = "items of " + name + " " + std::to_string(what);
    if (what == 0) f.AddItem(rnd.Text(6));
    if (what == 1) f.RemoveItem(static_cast<int16_t>(rnd.Below(6) - 1));
    if (what == 2) f.Clear();
    if (what == 3) f.SetListIndex(static_cast<int16_t>(rnd.Below(6) - 2));
  }
}

}  // namespace orvo::model
