// Text and Value of the field, and the public conversions FormatText, FieldValue and
// FormatField.
#include <algorithm>

#include "base/error.h"
#include "base/format.h"
#include "base/scope_guard.h"
#include "base/strings.h"
#include "control/conversions16.h"
#include "control/list_page.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "mask/format_text.h"

namespace orvo {

namespace {

// A value as text for the conversions; Null and Empty read as "" (they clear a field
// rather than fail).
std::string TextOf(const Variant& v, const LocaleSettings& loc) {
  if (v.IsNull() || v.IsEmpty()) return "";
  return ToText(v, loc);
}

// Item `index` (0-based) of a "|"-separated list; past the last item the walk starts again
// from the first, and a negative index gives the first item.
std::string ItemAt(const std::string& items, int32_t index) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = items.find('|', start);
    parts.push_back(
        items.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  if (index < 0) return parts.front();
  return parts[static_cast<size_t>(index) % parts.size()];
}

// A text set whole is laid out as typed text is, and the keys keep no more than the box's
// MaxLength: "12345678901" set into "99999-999" shows "12345-678", not "12345-678901" past
// the mask's last position. The box itself keeps any text it is given, as the classic box
// does; a box without a MaxLength takes any length.
std::string WithinMaxLength(std::string text, const TextBox& box) {
  if (box.MaxLength() > 0 && text.size() > static_cast<size_t>(box.MaxLength()))
    text.resize(static_cast<size_t>(box.MaxLength()));
  return text;
}

}  // namespace

std::string OrvoMask::FormatText(std::string& St) {
  return d_->FormatTextWith(St);
}

std::string OrvoMaskImpl::FormatTextWith(const std::string& st) const {
  const ProcessState& ps = Process();
  FormatContext ctx{
      m_.compiled,          m_.Mask,           m_.DataType, !m_.ListFields.empty(), m_.StuffChar,
      ps.gDecimalSeparator, ps.gGroupSeparator};
  return orvo::FormatText(ctx, st);
}

std::string OrvoMask::Text() const {
  return d_->ActiveBox().Text();
}

void OrvoMask::SetText(const std::string& v) {
  d_->AsFrame([&] {
    if (NaoEClick != 0) d_->m_.SuppressChange = -1;
    std::string display;
    if (!v.empty())
      display = WithinMaxLength(d_->FormatTextWith(v), d_->ActiveBox());
    else
      gValueAtual = Variant();
    for (auto& box : d_->txt) box->SetText(display);
    if (NaoEClick != 0) {
      d_->m_.SuppressChange = 0;
      if (NaoEClick == -2) {
        d_->RaiseChangeReport("Text");
        d_->RaiseChangeReport("Value");
      }
    } else {
      d_->RaiseChangeReport("Text");
      d_->RaiseChangeReport("Value");
    }
  });
}

Variant OrvoMask::Value() {
  const TipoDeCampo kind = d_->m_.DataType;
  if (ComLstExt()) {
    if (!gValueAtual.IsEmpty()) return gValueAtual;
    switch (kind) {
      case TipoDeCampo::Character:
      case TipoDeCampo::Memo:
        return Variant("");
      case TipoDeCampo::Date:
        return Variant::Null();
      case TipoDeCampo::Boolean:
        return Variant(false);
      default:
        return Variant(int16_t{0});
    }
  }
  const std::string text = d_->ActiveBox().Text();
  switch (kind) {
    case TipoDeCampo::Character:
    case TipoDeCampo::Memo:
      // Reading the value shows the item the text names as the list's selection.
      if (d_->m_.UserMode && !d_->m_.ListFields.empty()) d_->SelectItemOfText();
      return Variant(text);
    case TipoDeCampo::Numeric:
    case TipoDeCampo::Spinner:
      if (kind == TipoDeCampo::Numeric && d_->m_.UserMode && !d_->m_.ListFields.empty())
        return Variant(d_->ItemListBox().ListIndex());
      return NumericValue(text, Process().gDecimalSeparator);
    case TipoDeCampo::Date: {
      if (!text.empty() && IsDate(Variant(text), d_->locale_)) {
        std::string f =
            Format(Variant(text), DateFormatOf(d_->m_.Mask, d_->locale_.dateOrder), d_->locale_);
        if (IsDate(Variant(f), d_->locale_)) return Variant::Date(ToDate(Variant(f), d_->locale_));
        return Variant::Null();
      }
      return d_->m_.UserMode ? Variant::Null() : Variant("");
    }
    case TipoDeCampo::Boolean:
      return Variant(d_->m_.CheckValue != 0);
    case TipoDeCampo::Option:
      return Variant(d_->m_.CheckValue);
  }
  return Variant();
}

// An item list's value is the index of its line: the line is selected and shown. No value
// (Empty or Null) selects nothing and empties the field; an index past the list changes
// nothing.
void OrvoMaskImpl::SetItemValue(const Variant& v) {
  ListBox& lst = ItemListBox();
  ProcessState& process = Process();
  process.gActiveControl = &q_;
  ScopeGuard release([&] {
    if (process.gActiveControl == &q_) process.gActiveControl = nullptr;
  });
  if (v.IsEmpty() || v.IsNull()) {
    lst.SetListIndex(-1);
    ActiveBox().SetText("");
    return;
  }
  const double index = ToDouble(v, locale_);
  if (index < 0 || index >= lst.ListCount()) return;
  lst.SetListIndex(static_cast<int16_t>(index));
  ActiveBox().SetText(
      ReplaceChars(lst.List(lst.ListIndex()), "\t", process.gColumnSeparator, false));
}

void OrvoMask::SetValue(const Variant& v) {
  d_->AsFrame([&] {
    const TipoDeCampo kind = d_->m_.DataType;
    if (d_->m_.UserMode && ComLstExt()) {
      gValueAtual = v;
      ProcessState& process = Process();
      process.gActiveControl = this;
      std::string text;
      {
        ScopeGuard release([&] {
          if (process.gActiveControl == this) process.gActiveControl = nullptr;
        });
        text = ListPage(*this, d_->EnsureCalendForm()).SelecionaItem(v);
      }
      d_->ActiveBox().SetText(text);
      // An empty text forgets the value through the box's change; the value set stays.
      gValueAtual = v;
    } else if (kind == TipoDeCampo::Spinner) {
      d_->m_.SuppressChange = -1;
      bool moved = false;
      try {
        const int16_t n = ToInteger(v, d_->locale_);
        d_->scrH->SetValue(n);
        d_->scrV->SetValue(n);
        moved = true;
      } catch (const Error&) {
      }
      d_->m_.SuppressChange = 0;
      // The bars' own change handling is held off while the value is set, so the field's
      // text would keep the old number and Value would read it back; write what the bars
      // now hold, as a click on them would.
      if (moved && d_->m_.UserMode) {
        std::string number = std::to_string(d_->scrH->Value());
        d_->ActiveBox().SetText(WithinMaxLength(d_->FormatTextWith(number), d_->ActiveBox()));
      }
    } else if (kind == TipoDeCampo::Date) {
      // Format gives a value that is no date back as it is ("False", "abc", "12,5"), which
      // the field would show over its literals: such a value is refused and the field keeps
      // its text. Empty, Null and "" clear it.
      const std::string text = Trim(TextOf(v, d_->locale_));
      if (!text.empty() && v.Type() != VarType::Date && !IsDate(Variant(text), d_->locale_))
        RaiseError(err::kTypeMismatch, "Type mismatch: \"" + text + "\" is no date");
      d_->ActiveBox().SetText(WithinMaxLength(
          Format(Variant(text), DateFormatOf(d_->m_.Mask, d_->locale_.dateOrder), d_->locale_),
          d_->ActiveBox()));
    } else if (kind == TipoDeCampo::Boolean) {
      const int16_t b = Bool16(!v.IsEmpty() && !v.IsNull() && ToBoolean(v, d_->locale_));
      if (b != d_->m_.CheckValue) {
        d_->m_.CheckValue = b;
        UserControl_Resize();
        d_->Raise([&] { d_->events_->Click(); });
        d_->Raise([&] { d_->events_->Change(); });
      }
    } else if (kind == TipoDeCampo::Option) {
      const int16_t n = ToInteger(v, d_->locale_);
      if (n != d_->m_.CheckValue) {
        ProcessState& ps = Process();
        if (ps.gOptionBusy) {
          d_->m_.CheckValue = n;
          UserControl_Resize();
        } else {
          ps.gOptionBusy = -1;
          try {
            const std::string name = d_->site_.Name();
            for (const SiblingControl& s : d_->site_.ParentControls()) {
              // The handles the host reports are the controls registered with it.
              auto* sibling = static_cast<OrvoMask*>(s.control);
              if (sibling && s.name == name && sibling->DataType() == TipoDeCampo::Option)
                sibling->SetValue(Variant(n));
            }
          } catch (const Error&) {
            ps.gOptionBusy = 0;
            throw;
          }
          ps.gOptionBusy = 0;
          d_->Raise([&] { d_->events_->Click(); });
          d_->Raise([&] { d_->events_->Change(); });
          UserControl_Resize();
        }
      }
    } else {
      const bool number = v.IsNumber();
      if (d_->m_.ListFields.empty() || !d_->m_.UserMode ||
          (!number && kind != TipoDeCampo::Numeric)) {
        d_->ActiveBox().SetText(
            WithinMaxLength(d_->FormatTextWith(TextOf(v, d_->locale_)), d_->ActiveBox()));
      } else {
        d_->SetItemValue(v);
      }
    }
    d_->RaiseChangeReport("Value");
  });
}

Variant OrvoMask::FieldValue(std::string St, TipoDeCampo Tp, std::string MA, std::string LstCp) {
  switch (Tp) {
    case TipoDeCampo::Character:
    case TipoDeCampo::Memo:
      return Variant(St);
    case TipoDeCampo::Numeric:
    case TipoDeCampo::Spinner:
    case TipoDeCampo::Option: {
      if (LstCp.empty()) return NumericValue(St, Process().gDecimalSeparator);
      // A text holding the separator is no single item, though "|a|b|" is found in
      // "|a|b|c|".
      if (St.find('|') != std::string::npos) return Variant(int16_t{-1});
      const std::string all = "|" + LstCp + "|";
      const size_t at = all.find("|" + St + "|");
      if (at == std::string::npos) return Variant(int16_t{-1});
      return Variant(static_cast<int32_t>(std::count(all.begin(), all.begin() + at, '|')));
    }
    case TipoDeCampo::Date: {
      if (St.empty()) return Variant::Null();
      std::string f = Format(Variant(St), DateFormatOf(MA, d_->locale_.dateOrder), d_->locale_);
      if (IsDate(Variant(f), d_->locale_)) return Variant::Date(ToDate(Variant(f), d_->locale_));
      return Variant::Null();
    }
    case TipoDeCampo::Boolean:
      return Variant(!Trim(St).empty());
  }
  return Variant();
}

std::string OrvoMask::FormatField(Variant New_Value, std::string MA, TipoDeCampo Tp,
                                  std::string LstCp) {
  const TipoDeCampo savedKind = d_->m_.DataType;
  const CompiledMask savedCompiled = d_->m_.compiled;
  const std::string savedMask = d_->m_.Mask;
  const std::string savedList = d_->m_.ListFields;
  const int32_t savedMaxLength = d_->ActiveBox().MaxLength();
  d_->m_.SuppressChange = -1;

  auto restore = [&] {
    d_->m_.DataType = savedKind;
    SetMaxLength(savedMaxLength);
    d_->m_.compiled = savedCompiled;
    d_->m_.Mask = savedMask;
    d_->m_.ListFields = savedList;
    d_->m_.SuppressChange = 0;
  };

  std::string result;
  try {
    d_->m_.DataType = Tp;
    d_->m_.Mask = MA;
    d_->m_.ListFields = LstCp;
    d_->CompileMask();
    const std::string text = TextOf(New_Value, d_->locale_);
    if (Tp == TipoDeCampo::Date) {
      result = Format(Variant(Trim(text)), DateFormatOf(d_->m_.Mask, d_->locale_.dateOrder),
                      d_->locale_);
    } else if (Tp == TipoDeCampo::Boolean) {
      result = !New_Value.IsEmpty() && !New_Value.IsNull() && ToBoolean(New_Value, d_->locale_)
                   ? "X"
                   : " ";
    } else if ((Tp == TipoDeCampo::Numeric && !LstCp.empty()) || Tp == TipoDeCampo::Option) {
      result = text.empty() ? "" : ItemAt(LstCp, ToLong(New_Value, d_->locale_));
    } else if (!d_->m_.Mask.empty()) {
      result = d_->FormatTextWith(text);
    } else {
      result = text;
    }
  } catch (const Error&) {
    restore();
    throw;
  }
  restore();
  return result;
}

}  // namespace orvo
