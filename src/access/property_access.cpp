// By-name access to the control's properties and public variables, each as a Variant of its
// declared type; private members are read through the control's own MemberValue.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "access/by_name.h"
#include "access/internals.h"
#include "base/error.h"
#include "base/strings.h"
#include "control/orvo_mask.h"
#include "control/property_table.h"

namespace orvo {

namespace {

[[noreturn]] void NoSuchMember(const std::string& name) {
  RaiseError(err::kNotSupported, "Object doesn't support this property or method: " + name);
}

[[noreturn]] void ReadOnlyMember(const std::string& name) {
  RaiseError(err::kReadOnlyProperty, "'" + name + "' property is read-only");
}

Variant Long(int32_t v) {
  return Variant(v);
}
Variant Color32(Color c) {
  return Variant(static_cast<int32_t>(c));
}
Variant Int(int16_t v) {
  return Variant(v);
}

Color ToColor(const Variant& v, const LocaleSettings& loc) {
  const double d = ToDouble(v, loc);
  if (std::isnan(d) || d < -2147483648.0 || d > 4294967295.0)
    RaiseError(err::kOverflow, "Overflow");
  return d < 0 ? static_cast<Color>(static_cast<int32_t>(d)) : static_cast<Color>(d);
}

// Enumerations refuse values outside their members: error 380, nothing changed.
template <typename E>
E ToEnum(const Variant& v, const LocaleSettings& loc, std::initializer_list<int32_t> valid,
         const char* name) {
  const int32_t n = ToLong(v, loc);
  for (int32_t ok : valid)
    if (ok == n) return static_cast<E>(n);
  RaiseError(err::kInvalidPropertyValue,
             std::string("Invalid property value: ") + name + " cannot be " + std::to_string(n));
}

struct ByNameTable {
  using Getter = std::function<Variant(OrvoMask&)>;
  using Setter = std::function<void(OrvoMask&, const Variant&)>;
  struct Entry {
    Getter get;
    Setter set;
  };
  using Table = std::map<std::string, Entry>;  // keys upper-cased

  static const Table& Properties() {
    static const Table table = Build();
    return table;
  }

  static Table Build() {
    Table t;
    auto add = [&t](const char* name, Getter g, Setter s) { t[UCase(name)] = {g, s}; };
    auto str = [](const Variant& v, const OrvoMask& c) {
      return v.IsEmpty() ? std::string() : ToText(v, c.Locale());
    };
    auto i16 = [](const Variant& v, const OrvoMask& c) { return ToInteger(v, c.Locale()); };
    auto i32 = [](const Variant& v, const OrvoMask& c) { return ToLong(v, c.Locale()); };
    auto boolean = [](const Variant& v, const OrvoMask& c) { return ToBoolean(v, c.Locale()); };
    auto font = [](const Variant& v) -> FontRef {
      if (v.IsObject())
        if (auto f = std::dynamic_pointer_cast<orvo::Font>(v.AsObject())) return f;
      RaiseError(err::kTypeMismatch, "Type mismatch: a font object is required");
    };

    // Properties, in interface order.
    add(
        "SelectFilter", [](OrvoMask& c) { return Variant(c.SelectFilter()); },
        [=](OrvoMask& c, const Variant& v) { c.SetSelectFilter(str(v, c)); });
    add(
        "Filter", [](OrvoMask& c) { return Variant(c.Filter()); },
        [=](OrvoMask& c, const Variant& v) { c.SetFilter(str(v, c)); });
    add(
        "RecordSource",
        [](OrvoMask& c) { return Variant(std::static_pointer_cast<Object>(c.RecordSource())); },
        [](OrvoMask& c, const Variant& v) {
          if (v.IsObject() && !v.AsObject()) return c.SetRecordSource(nullptr);
          RecordsetRef r =
              v.IsObject() ? std::dynamic_pointer_cast<Recordset>(v.AsObject()) : nullptr;
          if (!r) RaiseError(err::kTypeMismatch, "Type mismatch: a recordset is required");
          c.SetRecordSource(r);
        });
    add("FormatLostFocus", nullptr,
        [=](OrvoMask& c, const Variant& v) { c.SetFormatLostFocus(boolean(v, c)); });
    add(
        "BackColor", [](OrvoMask& c) { return Color32(c.BackColor()); },
        [](OrvoMask& c, const Variant& v) { c.SetBackColor(ToColor(v, c.Locale())); });
    add(
        "BookMark", [](OrvoMask& c) { return c.BookMark(); },
        [](OrvoMask& c, const Variant& v) { c.SetBookMark(v); });
    add(
        "PasswordChar", [](OrvoMask& c) { return Variant(c.PasswordChar()); },
        [=](OrvoMask& c, const Variant& v) { c.SetPasswordChar(str(v, c)); });
    add(
        "LinkTimeOut", [](OrvoMask& c) { return Int(c.LinkTimeOut()); },
        [=](OrvoMask& c, const Variant& v) { c.SetLinkTimeOut(i16(v, c)); });
    add(
        "ColorNoFocus", [](OrvoMask& c) { return Color32(c.ColorNoFocus()); },
        [](OrvoMask& c, const Variant& v) { c.SetColorNoFocus(ToColor(v, c.Locale())); });
    add(
        "ColorOnFocus", [](OrvoMask& c) { return Color32(c.ColorOnFocus()); },
        [](OrvoMask& c, const Variant& v) { c.SetColorOnFocus(ToColor(v, c.Locale())); });
    add(
        "Locked", [](OrvoMask& c) { return Variant(c.Locked()); },
        [=](OrvoMask& c, const Variant& v) { c.SetLocked(boolean(v, c)); });
    add(
        "LargeChange", [](OrvoMask& c) { return Int(c.LargeChange()); },
        [=](OrvoMask& c, const Variant& v) { c.SetLargeChange(i16(v, c)); });
    add(
        "hwnd", [](OrvoMask& c) { return Long(c.hwnd()); }, nullptr);
    add(
        "hdc", [](OrvoMask& c) { return Long(c.hdc()); }, nullptr);
    add(
        "ForeColor", [](OrvoMask& c) { return Color32(c.ForeColor()); },
        [](OrvoMask& c, const Variant& v) { c.SetForeColor(ToColor(v, c.Locale())); });
    add(
        "ShapeBorderColor", [](OrvoMask& c) { return Color32(c.ShapeBorderColor()); },
        [](OrvoMask& c, const Variant& v) { c.SetShapeBorderColor(ToColor(v, c.Locale())); });
    add(
        "ShapeBorderWidth", [](OrvoMask& c) { return Int(c.ShapeBorderWidth()); },
        [=](OrvoMask& c, const Variant& v) { c.SetShapeBorderWidth(i16(v, c)); });
    add(
        "ShapeBorderStyle",
        [](OrvoMask& c) { return Long(static_cast<int32_t>(c.ShapeBorderStyle())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetShapeBorderStyle(
              ToEnum<TipoBordaShape>(v, c.Locale(), {0, 1, 2, 3, 4, 5, 6}, "ShapeBorderStyle"));
        });
    add(
        "CaptionColor", [](OrvoMask& c) { return Color32(c.CaptionColor()); },
        [](OrvoMask& c, const Variant& v) { c.SetCaptionColor(ToColor(v, c.Locale())); });
    add(
        "Font", [](OrvoMask& c) { return Variant(std::static_pointer_cast<Object>(c.Font())); },
        [=](OrvoMask& c, const Variant& v) { c.SetFont(font(v)); });
    add(
        "CaptionFont",
        [](OrvoMask& c) { return Variant(std::static_pointer_cast<Object>(c.CaptionFont())); },
        [=](OrvoMask& c, const Variant& v) { c.SetCaptionFont(font(v)); });
    add(
        "MultiLine", [](OrvoMask& c) { return Variant(c.MultiLine()); },
        [=](OrvoMask& c, const Variant& v) { c.SetMultiLine(boolean(v, c)); });
    add(
        "SelectOnFocus", [](OrvoMask& c) { return Variant(c.SelectOnFocus()); },
        [=](OrvoMask& c, const Variant& v) { c.SetSelectOnFocus(boolean(v, c)); });
    add(
        "BrowseVisible", [](OrvoMask& c) { return Long(static_cast<int32_t>(c.BrowseVisible())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetBrowseVisible(ToEnum<TipoBot>(v, c.Locale(), {0, 1, 2}, "BrowseVisible"));
        });
    add(
        "CaptionOffset", [](OrvoMask& c) { return Int(c.CaptionOffset()); },
        [=](OrvoMask& c, const Variant& v) { c.SetCaptionOffset(i16(v, c)); });
    add(
        "MousePointer", [](OrvoMask& c) { return Long(static_cast<int32_t>(c.MousePointer())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetMousePointer(ToEnum<Ponteiro>(
              v, c.Locale(), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 99},
              "MousePointer"));
        });
    add(
        "MouseIcon",
        [](OrvoMask& c) { return Variant(std::static_pointer_cast<Object>(c.MouseIcon())); },
        [](OrvoMask& c, const Variant& v) {
          PictureRef p = v.IsObject() ? std::dynamic_pointer_cast<Picture>(v.AsObject()) : nullptr;
          if (!v.IsObject() || (v.AsObject() && !p))
            RaiseError(err::kTypeMismatch, "Type mismatch: a picture is required");
          c.SetMouseIcon(p);
        });
    add(
        "Min", [](OrvoMask& c) { return Int(c.Min()); },
        [=](OrvoMask& c, const Variant& v) { c.SetMin(i16(v, c)); });
    add(
        "MaxLength", [](OrvoMask& c) { return Long(c.MaxLength()); },
        [=](OrvoMask& c, const Variant& v) { c.SetMaxLength(i32(v, c)); });
    add(
        "Max", [](OrvoMask& c) { return Int(c.Max()); },
        [=](OrvoMask& c, const Variant& v) { c.SetMax(i16(v, c)); });
    add(
        "ListIndex", [](OrvoMask& c) { return Int(c.ListIndex()); },
        [=](OrvoMask& c, const Variant& v) { c.SetListIndex(i16(v, c)); });
    add(
        "ListCount", [](OrvoMask& c) { return Int(c.ListCount()); }, nullptr);
    add(
        "SelText", [](OrvoMask& c) { return Variant(c.SelText()); },
        [=](OrvoMask& c, const Variant& v) { c.SetSelText(str(v, c)); });
    add(
        "SelStart", [](OrvoMask& c) { return Long(c.SelStart()); },
        [=](OrvoMask& c, const Variant& v) { c.SetSelStart(i32(v, c)); });
    add(
        "SelLength", [](OrvoMask& c) { return Long(c.SelLength()); },
        [=](OrvoMask& c, const Variant& v) { c.SetSelLength(i32(v, c)); });
    add(
        "Text", [](OrvoMask& c) { return Variant(c.Text()); },
        [=](OrvoMask& c, const Variant& v) { c.SetText(str(v, c)); });
    add(
        "SmallChange", [](OrvoMask& c) { return Int(c.SmallChange()); },
        [=](OrvoMask& c, const Variant& v) { c.SetSmallChange(i16(v, c)); });
    add(
        "Value", [](OrvoMask& c) { return c.Value(); },
        [](OrvoMask& c, const Variant& v) { c.SetValue(v); });
    add(
        "WhatsThisHelpID", [](OrvoMask& c) { return Long(c.WhatsThisHelpID()); },
        [=](OrvoMask& c, const Variant& v) { c.SetWhatsThisHelpID(i32(v, c)); });
    add(
        "BorderStyle", [](OrvoMask& c) { return Long(static_cast<int32_t>(c.BorderStyle())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetBorderStyle(ToEnum<TipoBorda>(v, c.Locale(), {0, 1}, "BorderStyle"));
        });
    add(
        "Appearance", [](OrvoMask& c) { return Long(static_cast<int32_t>(c.Appearance())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetAppearance(ToEnum<Aparencia>(v, c.Locale(), {0, 1}, "Appearance"));
        });
    add(
        "Orientation", [](OrvoMask& c) { return Long(static_cast<int32_t>(c.Orientation())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetOrientation(ToEnum<Orientacao>(v, c.Locale(), {0, 1}, "Orientation"));
        });
    add(
        "IndexField", [](OrvoMask& c) { return Variant(c.IndexField()); }, nullptr);
    add(
        "IndexBound", [](OrvoMask& c) { return Variant(c.IndexBound()); }, nullptr);
    add(
        "BoundColumn", [](OrvoMask& c) { return Variant(c.BoundColumn()); },
        [=](OrvoMask& c, const Variant& v) { c.SetBoundColumn(str(v, c)); });
    add(
        "ListFields", [](OrvoMask& c) { return Variant(c.ListFields()); },
        [=](OrvoMask& c, const Variant& v) { c.SetListFields(str(v, c)); });
    add(
        "Mask", [](OrvoMask& c) { return Variant(c.Mask()); },
        [=](OrvoMask& c, const Variant& v) { c.SetMask(str(v, c)); });
    add(
        "DataType", [](OrvoMask& c) { return Long(static_cast<int32_t>(c.DataType())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetDataType(ToEnum<TipoDeCampo>(v, c.Locale(), {0, 1, 2, 3, 4, 5, 6}, "DataType"));
        });
    add(
        "StuffChar", [](OrvoMask& c) { return Variant(c.StuffChar()); },
        [=](OrvoMask& c, const Variant& v) { c.SetStuffChar(str(v, c)); });
    add(
        "Caption", [](OrvoMask& c) { return Variant(c.Caption()); },
        [=](OrvoMask& c, const Variant& v) { c.SetCaption(str(v, c)); });
    add(
        "Alignment", [](OrvoMask& c) { return Long(static_cast<int32_t>(c.Alignment())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetAlignment(ToEnum<TipoAlinhamento>(v, c.Locale(), {0, 1, 2, 3}, "Alignment"));
        });
    add(
        "FillStyleOnFocus",
        [](OrvoMask& c) { return Long(static_cast<int32_t>(c.FillStyleOnFocus())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetFillStyleOnFocus(
              ToEnum<EstiloShape>(v, c.Locale(), {0, 1, 2, 3, 4, 5, 6, 7}, "FillStyleOnFocus"));
        });
    add(
        "FillStyleNoFocus",
        [](OrvoMask& c) { return Long(static_cast<int32_t>(c.FillStyleNoFocus())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetFillStyleNoFocus(
              ToEnum<EstiloShape>(v, c.Locale(), {0, 1, 2, 3, 4, 5, 6, 7}, "FillStyleNoFocus"));
        });
    add(
        "Shape", [](OrvoMask& c) { return Long(static_cast<int32_t>(c.Shape())); },
        [](OrvoMask& c, const Variant& v) {
          c.SetShape(ToEnum<TipoShape>(v, c.Locale(), {0, 1, 2, 3, 4, 5}, "Shape"));
        });
    add(
        "Enabled", [](OrvoMask& c) { return Variant(c.Enabled()); },
        [=](OrvoMask& c, const Variant& v) { c.SetEnabled(boolean(v, c)); });

    // Public variables.
    add(
        "gRsLista",
        [](OrvoMask& c) { return Variant(std::static_pointer_cast<Object>(c.gRsLista)); },
        [](OrvoMask& c, const Variant& v) {
          if (!v.IsObject()) RaiseError(err::kTypeMismatch, "Type mismatch: an object is required");
          c.gRsLista = std::dynamic_pointer_cast<Recordset>(v.AsObject());
        });
    add(
        "gTpMDB", [](OrvoMask& c) { return Variant(c.gTpMDB != 0); },
        [=](OrvoMask& c, const Variant& v) { c.gTpMDB = boolean(v, c) ? -1 : 0; });
    add(
        "gTpTabela", [](OrvoMask& c) { return Variant(c.gTpTabela != 0); },
        [=](OrvoMask& c, const Variant& v) { c.gTpTabela = boolean(v, c) ? -1 : 0; });
    add(
        "gValueAtual", [](OrvoMask& c) { return c.gValueAtual; },
        [](OrvoMask& c, const Variant& v) { c.gValueAtual = v; });
    add(
        "WndForm", [](OrvoMask& c) { return Long(c.WndForm); },
        [=](OrvoMask& c, const Variant& v) { c.WndForm = i32(v, c); });
    add(
        "EstiloForm", [](OrvoMask& c) { return Long(c.EstiloForm); },
        [=](OrvoMask& c, const Variant& v) { c.EstiloForm = i32(v, c); });
    add(
        "NaoEClick", [](OrvoMask& c) { return Int(c.NaoEClick); },
        [=](OrvoMask& c, const Variant& v) { c.NaoEClick = i16(v, c); });
    add(
        "EstadoNumLock", [](OrvoMask& c) { return Variant(c.EstadoNumLock != 0); },
        [=](OrvoMask& c, const Variant& v) { c.EstadoNumLock = boolean(v, c) ? -1 : 0; });
    add(
        "UserTag", [](OrvoMask& c) { return Variant(c.UserTag); },
        [=](OrvoMask& c, const Variant& v) { c.UserTag = str(v, c); });
    add(
        "ListBoxSearch", [](OrvoMask& c) { return Variant(c.ListBoxSearch); },
        [=](OrvoMask& c, const Variant& v) { c.ListBoxSearch = str(v, c); });
    add(
        "FazerRefresh", [](OrvoMask& c) { return Int(c.FazerRefresh); },
        [=](OrvoMask& c, const Variant& v) { c.FazerRefresh = i16(v, c); });
    return t;
  }
};

}  // namespace

Variant GetProperty(OrvoMask& c, const std::string& name) {
  const auto& table = ByNameTable::Properties();
  auto it = table.find(UCase(name));
  if (it == table.end()) {
    if (auto member = MemberValue(c, name)) return *member;
    NoSuchMember(name);
  }
  if (!it->second.get)
    RaiseError(err::kInvalidPropertyValue, "'" + name + "' property is write-only");
  return it->second.get(c);
}

void SetProperty(OrvoMask& c, const std::string& name, const Variant& value) {
  const auto& table = ByNameTable::Properties();
  auto it = table.find(UCase(name));
  if (it == table.end()) {
    if (MemberValue(c, name)) ReadOnlyMember(name);
    NoSuchMember(name);
  }
  if (!it->second.set) ReadOnlyMember(name);
  it->second.set(c, value);
}

Variant GetIndexedProperty(OrvoMask& c, const std::string& name, int16_t index) {
  if (UCase(name) == "LIST") return Variant(c.List(index));
  if (auto member = MemberValue(c, name, index)) return *member;
  NoSuchMember(name);
}

void SetIndexedProperty(OrvoMask& c, const std::string& name, int16_t index, const Variant& value) {
  if (UCase(name) == "LIST")
    return c.SetList(index, value.IsEmpty() ? "" : ToText(value, c.Locale()));
  NoSuchMember(name);
}

std::vector<std::string> SavedPropertyKeys() {
  std::vector<std::string> keys;
  for (const PropertyInfo& p : kPropertyTable)
    if (p.Saved() && std::find(keys.begin(), keys.end(), p.savedKey) == keys.end())
      keys.emplace_back(p.savedKey);
  return keys;
}

}  // namespace orvo
