// Loading from and saving to the property bag, and the end of the control's life.
#include <algorithm>

#include "base/error.h"
#include "control/orvo_mask.h"
#include "platform/popup_widgets.h"
#include "control/process_state.h"
#include "popups/calend_form.h"

namespace orvo {

namespace {

// Reads one key and converts it to the key's type; a value that does not convert raises
// an error naming the key (the keys read before it stay applied).
class BagReader {
 public:
  BagReader(PropertyBag& bag, const LocaleSettings& loc) : bag_(bag), loc_(loc) {}

  int16_t I16(const char* key, int16_t def) {
    return Convert<int16_t>(key, Variant(def),
                            [&](const Variant& v) { return ToInteger(v, loc_); });
  }
  int32_t I32(const char* key, int32_t def) {
    return Convert<int32_t>(key, Variant(def), [&](const Variant& v) { return ToLong(v, loc_); });
  }
  bool Bool(const char* key, bool def) {
    return Convert<bool>(key, Variant(def), [&](const Variant& v) { return ToBoolean(v, loc_); });
  }
  std::string Str(const char* key) {
    return Convert<std::string>(key, Variant(""), [&](const Variant& v) {
      if (v.IsEmpty()) return std::string();
      return ToText(v, loc_);
    });
  }
  Variant Raw(const char* key, const Variant& def) { return bag_.ReadProperty(key, def); }
  FontRef FontValue(const char* key, const FontRef& def) {
    Variant v = bag_.ReadProperty(key, Variant(std::static_pointer_cast<Object>(def)));
    if (v.IsEmpty()) return def;
    if (v.IsObject()) {
      if (!v.AsObject()) return def;
      if (auto f = std::dynamic_pointer_cast<orvo::Font>(v.AsObject())) return f;
    }
    RaiseError(err::kTypeMismatch, std::string("property \"") + key + "\": a font is required");
  }
  PictureRef PictureValue(const char* key) {
    Variant v = bag_.ReadProperty(key, Variant(std::shared_ptr<Object>()));
    if (v.IsEmpty() || (v.IsObject() && !v.AsObject())) return nullptr;
    if (v.IsObject())
      if (auto p = std::dynamic_pointer_cast<Picture>(v.AsObject())) return p;
    RaiseError(err::kTypeMismatch, std::string("property \"") + key + "\": a picture is required");
  }

 private:
  template <typename T, typename F>
  T Convert(const char* key, const Variant& def, F convert) {
    Variant v = bag_.ReadProperty(key, def);
    try {
      if (v.IsObject() || v.IsNull()) RaiseError(err::kTypeMismatch, "type mismatch");
      return convert(v);
    } catch (const Error& e) {
      RaiseError(e.Number(), std::string("property \"") + key + "\": " + e.Message());
    }
  }

  PropertyBag& bag_;
  const LocaleSettings& loc_;
};

template <typename E>
E EnumFrom(int32_t v, int32_t max, const char* key) {
  if (v < 0 || v > max)
    RaiseError(err::kInvalidPropertyValue,
               std::string("property \"") + key + "\": invalid value " + std::to_string(v));
  return static_cast<E>(v);
}

}  // namespace

void OrvoMask::UserControl_ReadProperties(PropertyBag& PropBag) {
  // 1. The only protected step: a container that cannot say counts as the designer.
  try {
    m_.UserMode = site_.AmbientUserMode() ? -1 : 0;
  } catch (...) {
    m_.UserMode = 0;
  }
  // 2.
  m_.FilterKeyLast = -1;
  Process().gColumnSeparator = kColumnSeparator;
  m_.FormatLostFocus = -1;

  BagReader r(PropBag, locale_);
  const FontRef ambient = site_.AmbientFont();

  // 3. Keys 1 to 34.
  scrH->SetLargeChange(r.I16("LargeChange", 10));
  scrV->SetLargeChange(scrH->LargeChange());
  m_.DataType = EnumFrom<TipoDeCampo>(r.I32("DataType", 0), 6, "DataType");
  m_.Enabled = r.Bool("Enabled", true) ? -1 : 0;
  site_.SetMousePointer(r.I16("MousePointer", 0));
  site_.SetMouseIcon(r.PictureValue("MouseIcon"));
  // Min and Max reach the bars as their set operations do, without reports. The bars are
  // being restored, not moved by the user, so their change handling stays off from the
  // range to the position: a bar moving into a stored range would otherwise show its
  // number in the field, raise Change and take the focus from the field the user is in.
  m_.SuppressChange = -1;
  try {
    m_.MinValue = r.I16("Min", 0);
    scrV->SetMin(m_.MinValue);
    scrH->SetMax(m_.MinValue);
    const int16_t max = r.I16("Max", 32767);
    scrH->SetMin(max);
    scrV->SetMax(max);
    scrH->SetSmallChange(r.I16("SmallChange", 1));
    scrH->SetValue(r.I16("Value", 0));
    scrV->SetSmallChange(scrH->SmallChange());
    scrV->SetValue(scrH->Value());
  } catch (...) {
    m_.SuppressChange = 0;
    throw;
  }
  m_.SuppressChange = 0;
  m_.Orientation = EnumFrom<Orientacao>(r.I32("Orientation", 0), 1, "Orientation");
  m_.Appearance = EnumFrom<Aparencia>(r.I32("Appearance", 1), 1, "Appearance");
  m_.BorderStyle = EnumFrom<TipoBorda>(r.I32("BorderStyle", 1), 1, "BorderStyle");
  m_.Mask = r.Str("Mask");
  m_.BoundColumn = r.Str("BoundColumn");
  m_.ListFields = r.Str("ListFields");
  m_.StuffChar = r.Str("StuffChar");
  m_.BrowseVisible = EnumFrom<TipoBot>(r.I16("BrowseVisible", 0), 2, "BrowseVisible");
  m_.MultiLine = r.Bool("MultiLine", false) ? -1 : 0;
  m_.SelectOnFocus = r.Bool("SelectOnFocus", true) ? -1 : 0;
  m_.CaptionOffset = r.I16("CaptionOffSet", 50);
  m_.CheckValue = r.I16("ValueChk", 0);
  m_.ColorOnFocus = static_cast<Color>(r.I32("ColorOnFocus", 0xFF00));
  lab->SetCaption(r.Str("Caption"));
  lab->SetForeColor(
      static_cast<Color>(r.I32("CaptionColor", static_cast<int32_t>(kSysButtonText))));
  lab->SetFont(r.FontValue("CaptionFont", ambient));
  m_.ColorNoFocus = static_cast<Color>(r.I32("ColorNoFocus", 0xFF));
  m_.Alignment = EnumFrom<TipoAlinhamento>(r.I16("Alignment", 0), 3, "Alignment");
  shp->SetShapeKind(static_cast<int32_t>(EnumFrom<TipoShape>(r.I16("Shape", 2), 5, "Shape")));
  shp->SetBorderColor(
      static_cast<Color>(r.I32("ShapeBorderColor", static_cast<int32_t>(kSysWindowText))));
  shp->SetBorderWidth(r.I16("ShapeBorderWidth", 1));
  shp->SetBorderStyle(static_cast<int32_t>(
      EnumFrom<TipoBordaShape>(r.I16("ShapeBorderStyle", 1), 6, "ShapeBorderStyle")));
  m_.FillStyleOnFocus = EnumFrom<EstiloShape>(r.I16("FillStyleOnFocus", 1), 7, "FillStyleOnFocus");
  m_.FillStyleNoFocus = EnumFrom<EstiloShape>(r.I16("FillStyleNoFocus", 1), 7, "FillStyleNoFocus");
  m_.BookMark = r.Raw("BookMark", Variant(""));

  // 4. The unfocused look.
  shp->SetFillStyle(static_cast<int32_t>(m_.FillStyleNoFocus));
  shp->SetFillColor(m_.ColorNoFocus);

  // The designer shows each stored text through FormatText, which works from the compiled
  // mask: compile the loaded Mask and DataType now, or a fresh control would format with no
  // template and lose what it cannot place ("1234,5" would show, and be saved, as "1234").
  // The compilation of step 9 still decides the final length limits.
  if (!m_.UserMode) CompileMask();

  // 5. Keys 35 to 41, once per box.
  for (int i = 0; i < 3; ++i) {
    TextBox& box = *txt[i];
    FontRef font = r.FontValue("Font", ambient);
    box.SetFont(font);
    // The control's own surface measures text in the field's font, as the Font property
    // keeps it; a stored font must reach it too or the layout measures the wrong font.
    if (i == 0) site_.SetFont(font);
    box.SetBackColor(
        static_cast<Color>(r.I32("BackColor", static_cast<int32_t>(kSysWindowBackground))));
    box.SetForeColor(static_cast<Color>(r.I32("ForeColor", static_cast<int32_t>(kSysWindowText))));
    box.SetPasswordChar(r.Str("PasswordChar"));
    if (i != 2) box.SetMaxLength(r.I16("MaxLength", 0));
    box.SetEnabled(m_.Enabled != 0);
    box.SetLocked(r.Bool("Locked", false));
    std::string s = r.Str("Text");
    // The designer shows a stored text under the mask; run time shows it as stored.
    box.SetText(!s.empty() && !m_.UserMode ? FormatText(s) : s);
  }

  // 6.
  for (Widget* w : {static_cast<Widget*>(bot.get()), static_cast<Widget*>(scrH.get()),
                    static_cast<Widget*>(scrV.get()), static_cast<Widget*>(lab.get())})
    w->SetEnabled(m_.Enabled != 0);
  // 7.
  pic->SetLinkTimeout(r.I16("LinkTimeOut", 50));
  // 8.
  pic->SetBackColor(txt[0]->BackColor());
  pic->SetForeColor(txt[0]->ForeColor());
  // 9.
  CompileMask();
  int32_t orientation = static_cast<int32_t>(m_.Orientation);
  ConfigureButtons(orientation);
  UpdateCaptionVisibility();
  // 10.
  m_.PopupClosedAt = 0;
  gRsLista = nullptr;
  gTpMDB = -1;
  gTpTabela = 0;
  // 11.
  SelectEditWidgets();
  UserControl_Resize();
  // 12. No hook is active after loading, and no DropDown is raised.
  int32_t liga = 0;
  bool geraEvento = false;
  LigaDesligaHok(liga, geraEvento);
}

void OrvoMask::UserControl_WriteProperties(PropertyBag& PropBag) {
  auto i16 = [](int16_t v) { return Variant(v); };
  auto i32 = [](int32_t v) { return Variant(v); };
  auto color = [](Color c) { return Variant(static_cast<int32_t>(c)); };
  auto font = [](const FontRef& f) { return Variant(std::static_pointer_cast<Object>(f)); };
  // A font like the ambient one is the default even when it is another object.
  auto fontDefault = [&](const FontRef& f, const FontRef& ambient) {
    return f && ambient && f->SameAs(*ambient) ? font(f) : font(ambient);
  };
  const TextBox& active = ActiveBox();
  const FontRef ambient = site_.AmbientFont();
  PropertyBag& b = PropBag;

  b.WriteProperty("BackColor", color(active.BackColor()), color(kSysWindowBackground));
  b.WriteProperty("PasswordChar", Variant(active.PasswordChar()), Variant(""));
  // An unset BookMark is the empty default, as an empty text is.
  b.WriteProperty("BookMark", m_.BookMark.IsEmpty() ? Variant("") : m_.BookMark, Variant(""));
  b.WriteProperty("LinkTimeOut", i16(pic->LinkTimeout()), i16(50));
  b.WriteProperty("Locked", Variant(txt[0]->Locked()), Variant(false));
  b.WriteProperty("LargeChange", i16(scrH->LargeChange()), i16(10));
  b.WriteProperty("ForeColor", color(active.ForeColor()), color(kSysWindowText));
  b.WriteProperty("Font", font(active.Font()), fontDefault(active.Font(), ambient));
  b.WriteProperty("Enabled", Variant(m_.Enabled != 0), Variant(true));
  b.WriteProperty("MousePointer", i16(site_.MousePointer()), i16(0));
  b.WriteProperty("MouseIcon", Variant(std::static_pointer_cast<Object>(site_.MouseIcon())),
                  Variant(std::shared_ptr<Object>()));
  b.WriteProperty("Min", i16(m_.MinValue), i16(0));
  // The key is 16-bit: a longer limit is stored as the largest it can hold, never wrapped.
  b.WriteProperty("MaxLength", i16(static_cast<int16_t>(std::min(txt[0]->MaxLength(), 32767))),
                  i16(0));
  b.WriteProperty("Max", i16(scrV->Max()), i16(32767));
  b.WriteProperty("Text", Variant(active.Text()), Variant(""));
  b.WriteProperty("SmallChange", i16(scrH->SmallChange()), i16(1));
  b.WriteProperty("Value", i16(scrH->Value()), i16(0));
  b.WriteProperty("Orientation", i32(static_cast<int32_t>(m_.Orientation)), i32(0));
  b.WriteProperty("Appearance", i32(static_cast<int32_t>(m_.Appearance)), i32(1));
  b.WriteProperty("BorderStyle", i32(static_cast<int32_t>(m_.BorderStyle)), i32(1));
  b.WriteProperty("Mask", Variant(m_.Mask), Variant(""));
  b.WriteProperty("BoundColumn", Variant(m_.BoundColumn), Variant(""));
  b.WriteProperty("ListFields", Variant(m_.ListFields), Variant(""));
  b.WriteProperty("DataType", i32(static_cast<int32_t>(m_.DataType)), i32(0));
  b.WriteProperty("StuffChar", Variant(m_.StuffChar), Variant(""));
  b.WriteProperty("BrowseVisible", i16(static_cast<int16_t>(m_.BrowseVisible)), i16(0));
  b.WriteProperty("MultiLine", Variant(m_.MultiLine != 0), Variant(false));
  b.WriteProperty("SelectOnFocus", Variant(m_.SelectOnFocus != 0), Variant(true));
  b.WriteProperty("CaptionOffSet", i16(m_.CaptionOffset), i16(50));
  // CheckValue keeps its 16-bit value: an Option field's selected index (2, say) would be
  // lost as True if it were narrowed to a boolean. Its default is 0 of the same type, so
  // an unchecked field stores nothing.
  b.WriteProperty("ValueChk", i16(m_.CheckValue), i16(0));
  b.WriteProperty("Caption", Variant(lab->Caption()), Variant(""));
  b.WriteProperty("CaptionColor", color(lab->ForeColor()), color(kSysButtonText));
  b.WriteProperty("CaptionFont", font(lab->Font()), fontDefault(lab->Font(), ambient));
  b.WriteProperty("ColorNoFocus", color(m_.ColorNoFocus), color(0xFF));
  b.WriteProperty("ColorOnFocus", color(m_.ColorOnFocus), color(0xFF00));
  b.WriteProperty("Alignment", i16(static_cast<int16_t>(m_.Alignment)), i16(0));
  b.WriteProperty("Shape", i16(static_cast<int16_t>(shp->ShapeKind())), i16(2));
  b.WriteProperty("ShapeBorderColor", color(shp->BorderColor()), color(kSysWindowText));
  b.WriteProperty("ShapeBorderWidth", i16(shp->BorderWidth()), i16(1));
  b.WriteProperty("ShapeBorderStyle", i16(static_cast<int16_t>(shp->BorderStyle())), i16(1));
  b.WriteProperty("FillStyleOnFocus", i16(static_cast<int16_t>(m_.FillStyleOnFocus)), i16(1));
  b.WriteProperty("FillStyleNoFocus", i16(static_cast<int16_t>(m_.FillStyleNoFocus)), i16(1));
}

void OrvoMask::UserControl_Terminate() {
  terminated_ = true;
  try {
    int32_t liga = 0;
    bool geraEvento = false;
    LigaDesligaHok(liga, geraEvento);
  } catch (...) {
  }
  Process().gActiveControl = nullptr;
  try {
    // A form never created has nothing to unload.
    if (!m_.ListFields.empty() && calendForm_) calendForm_->Unload();
  } catch (...) {
  }
  // The shared calculator is unloaded by its owner module when it is loaded.
  try {
    UnloadCalculatorIfLoaded();
  } catch (...) {
  }
}

}  // namespace orvo
