// Loading from and saving to the property bag, and the end of the control's life.
#include <algorithm>

#include "base/error.h"
#include "control/bag_reader.h"
#include "control/orvo_mask.h"
#include "control/process_state.h"
#include "platform/popup_widgets.h"
#include "popups/calend_form.h"

namespace orvo {

// The keys are read in a fixed order (tests pin it); an error ends the load there.
void OrvoMask::UserControl_ReadProperties(PropertyBag& PropBag) {
  ReadUserMode();
  ResetForLoading();
  BagReader r(PropBag, locale_, site_.AmbientFont());
  ReadFieldSettings(r);
  ShowUnfocusedLook();
  // The designer shows each stored text through FormatText, which works from the compiled
  // mask: compile the loaded Mask and DataType now, or a fresh control would format with no
  // template and lose what it cannot place ("1234,5" would show, and be saved, as "1234").
  // The compilation after the boxes still decides the final length limits.
  if (!m_.UserMode) CompileMask();
  ReadEditBoxes(r);
  ReadPictureBox(r);
  CompileMask();
  int32_t orientation = static_cast<int32_t>(m_.Orientation);
  ConfigureButtons(orientation);
  UpdateCaptionVisibility();
  ForgetBinding();
  SelectEditWidgets();
  UserControl_Resize();
  // No hook is active after loading, and no DropDown is raised.
  StopHook();
}

// The one protected read: a container that cannot say counts as the designer.
void OrvoMask::ReadUserMode() {
  try {
    m_.UserMode = site_.AmbientUserMode() ? -1 : 0;
  } catch (const Error&) {
    m_.UserMode = 0;
  }
}

void OrvoMask::ResetForLoading() {
  m_.FilterKeyLast = -1;
  Process().gColumnSeparator = kColumnSeparator;
  m_.FormatLostFocus = kTrue;
}

// Everything but the edit boxes and the picture box.
void OrvoMask::ReadFieldSettings(BagReader& r) {
  scrH->SetLargeChange(r.Number<int16_t>("LargeChange"));
  scrV->SetLargeChange(scrH->LargeChange());
  m_.DataType = r.Number<TipoDeCampo>("DataType");
  m_.Enabled = r.Number<int16_t>("Enabled");
  site_.SetMousePointer(r.Number<int16_t>("MousePointer"));
  site_.SetMouseIcon(r.PictureValue("MouseIcon"));
  ReadSpinnerRange(r);
  m_.Orientation = r.Number<Orientacao>("Orientation");
  m_.Appearance = r.Number<Aparencia>("Appearance");
  m_.BorderStyle = r.Number<TipoBorda>("BorderStyle");
  m_.Mask = r.Text("Mask");
  m_.BoundColumn = r.Text("BoundColumn");
  m_.ListFields = r.Text("ListFields");
  m_.StuffChar = r.Text("StuffChar");
  m_.BrowseVisible = r.Number<TipoBot>("BrowseVisible");
  m_.MultiLine = r.Number<int16_t>("MultiLine");
  m_.SelectOnFocus = r.Number<int16_t>("SelectOnFocus");
  m_.CaptionOffset = r.Number<int16_t>("CaptionOffset");
  m_.CheckValue = r.Number<int16_t>("CheckValue");
  m_.ColorOnFocus = r.Number<Color>("ColorOnFocus");
  lab->SetCaption(r.Text("Caption"));
  lab->SetForeColor(r.Number<Color>("CaptionColor"));
  lab->SetFont(r.FontValue("CaptionFont"));
  m_.ColorNoFocus = r.Number<Color>("ColorNoFocus");
  m_.Alignment = r.Number<TipoAlinhamento>("Alignment");
  shp->SetShapeKind(static_cast<int32_t>(r.Number<TipoShape>("Shape")));
  shp->SetBorderColor(r.Number<Color>("ShapeBorderColor"));
  shp->SetBorderWidth(r.Number<int16_t>("ShapeBorderWidth"));
  shp->SetBorderStyle(static_cast<int32_t>(r.Number<TipoBordaShape>("ShapeBorderStyle")));
  m_.FillStyleOnFocus = r.Number<EstiloShape>("FillStyleOnFocus");
  m_.FillStyleNoFocus = r.Number<EstiloShape>("FillStyleNoFocus");
  m_.BookMark = r.AsStored("BookMark");
}

// Min and Max reach the bars as their set operations do, without reports. The bars are
// being restored, not moved by the user, so their change handling stays off from the range
// to the position: a bar moving into a stored range would otherwise show its number in the
// field, raise Change and take the focus from the field the user is in.
void OrvoMask::ReadSpinnerRange(BagReader& r) {
  m_.SuppressChange = -1;
  try {
    m_.MinValue = r.Number<int16_t>("Min");
    scrV->SetMin(m_.MinValue);
    scrH->SetMax(m_.MinValue);
    const int16_t max = r.Number<int16_t>("Max");
    scrH->SetMin(max);
    scrV->SetMax(max);
    scrH->SetSmallChange(r.Number<int16_t>("SmallChange"));
    scrH->SetValue(r.Number<int16_t>("Value"));
    scrV->SetSmallChange(scrH->SmallChange());
    scrV->SetValue(scrH->Value());
  } catch (const Error&) {
    m_.SuppressChange = 0;
    throw;
  }
  m_.SuppressChange = 0;
}

void OrvoMask::ShowUnfocusedLook() {
  shp->SetFillStyle(static_cast<int32_t>(m_.FillStyleNoFocus));
  shp->SetFillColor(m_.ColorNoFocus);
}

// The box keys are read once per box, box 0 first.
void OrvoMask::ReadEditBoxes(BagReader& r) {
  for (int i = 0; i < 3; ++i) {
    TextBox& box = *txt[i];
    FontRef font = r.FontValue("Font");
    box.SetFont(font);
    // The control's own surface measures text in the field's font, as the Font property
    // keeps it; a stored font must reach it too or the layout measures the wrong font.
    if (i == 0) site_.SetFont(font);
    box.SetBackColor(r.Number<Color>("BackColor"));
    box.SetForeColor(r.Number<Color>("ForeColor"));
    box.SetPasswordChar(r.Text("PasswordChar"));
    // The multi-line box is never length-limited.
    if (i != 2) box.SetMaxLength(r.Number<int16_t>("MaxLength"));
    box.SetEnabled(m_.Enabled != 0);
    box.SetLocked(r.Number<bool>("Locked"));
    std::string s = r.Text("Text");
    // The designer shows a stored text under the mask; run time shows it as stored.
    box.SetText(!s.empty() && !m_.UserMode ? FormatText(s) : s);
  }
  for (Widget* w : {static_cast<Widget*>(bot.get()), static_cast<Widget*>(scrH.get()),
                    static_cast<Widget*>(scrV.get()), static_cast<Widget*>(lab.get())})
    w->SetEnabled(m_.Enabled != 0);
}

// The picture box takes the boxes' colours.
void OrvoMask::ReadPictureBox(BagReader& r) {
  pic->SetLinkTimeout(r.Number<int16_t>("LinkTimeOut"));
  pic->SetBackColor(txt[0]->BackColor());
  pic->SetForeColor(txt[0]->ForeColor());
}

// A loaded control starts unbound: the application binds its recordset afterwards.
void OrvoMask::ForgetBinding() {
  m_.PopupClosedAt = 0;
  gRsLista = nullptr;
  gTpMDB = DefaultOf<int16_t>("gTpMDB");
  gTpTabela = DefaultOf<int16_t>("gTpTabela");
}

void OrvoMask::StopHook() {
  int32_t liga = 0;
  bool geraEvento = false;
  LigaDesligaHok(liga, geraEvento);
}

// Each key goes with the type and default the property table gives it, in a fixed order
// (tests pin it).
void OrvoMask::UserControl_WriteProperties(PropertyBag& PropBag) {
  auto put = [&](PropertyName p, const Variant& v) {
    PropBag.WriteProperty(std::string(p.Info().savedKey), v, SavedDefault(p.Info()));
  };
  auto number = [&](PropertyName p, auto n) {
    put(p, SavedNumber(p.Info(), static_cast<int64_t>(n)));
  };
  // A font like the ambient one is the default even when it is another object.
  const FontRef ambient = site_.AmbientFont();
  auto font = [&](PropertyName p, const FontRef& f) {
    const Variant v(std::static_pointer_cast<Object>(f));
    const bool ambientLike = f && ambient && f->SameAs(*ambient);
    PropBag.WriteProperty(std::string(p.Info().savedKey), v,
                          ambientLike ? v : Variant(std::static_pointer_cast<Object>(ambient)));
  };
  const TextBox& active = ActiveBox();

  number("BackColor", active.BackColor());
  put("PasswordChar", Variant(active.PasswordChar()));
  // An unset BookMark is the empty default, as an empty text is.
  put("BookMark", m_.BookMark.IsEmpty() ? Variant("") : m_.BookMark);
  number("LinkTimeOut", pic->LinkTimeout());
  number("Locked", txt[0]->Locked());
  number("LargeChange", scrH->LargeChange());
  number("ForeColor", active.ForeColor());
  font("Font", active.Font());
  number("Enabled", m_.Enabled);
  number("MousePointer", site_.MousePointer());
  put("MouseIcon", Variant(std::static_pointer_cast<Object>(site_.MouseIcon())));
  number("Min", m_.MinValue);
  // The key is 16-bit: a longer limit is stored as the largest it can hold, never wrapped.
  number("MaxLength", std::min(txt[0]->MaxLength(), 32767));
  number("Max", scrV->Max());
  put("Text", Variant(active.Text()));
  number("SmallChange", scrH->SmallChange());
  number("Value", scrH->Value());
  number("Orientation", m_.Orientation);
  number("Appearance", m_.Appearance);
  number("BorderStyle", m_.BorderStyle);
  put("Mask", Variant(m_.Mask));
  put("BoundColumn", Variant(m_.BoundColumn));
  put("ListFields", Variant(m_.ListFields));
  number("DataType", m_.DataType);
  put("StuffChar", Variant(m_.StuffChar));
  number("BrowseVisible", m_.BrowseVisible);
  number("MultiLine", m_.MultiLine);
  number("SelectOnFocus", m_.SelectOnFocus);
  number("CaptionOffset", m_.CaptionOffset);
  // An unchecked field stores nothing: the default is 0 of the same 16-bit type.
  number("CheckValue", m_.CheckValue);
  put("Caption", Variant(lab->Caption()));
  number("CaptionColor", lab->ForeColor());
  font("CaptionFont", lab->Font());
  number("ColorNoFocus", m_.ColorNoFocus);
  number("ColorOnFocus", m_.ColorOnFocus);
  number("Alignment", m_.Alignment);
  number("Shape", shp->ShapeKind());
  number("ShapeBorderColor", shp->BorderColor());
  number("ShapeBorderWidth", shp->BorderWidth());
  number("ShapeBorderStyle", shp->BorderStyle());
  number("FillStyleOnFocus", m_.FillStyleOnFocus);
  number("FillStyleNoFocus", m_.FillStyleNoFocus);
}

// Every error is ignored here: an already unloaded popup form does no harm.
void OrvoMask::UserControl_Terminate() {
  terminated_ = true;
  TryStep([&] { StopHook(); });
  Process().gActiveControl = nullptr;
  // A form never created has nothing to unload.
  TryStep([&] {
    if (!m_.ListFields.empty() && calendForm_) calendForm_->Unload();
  });
  // The shared calculator is unloaded by its owner module when it is loaded.
  TryStep([&] { UnloadCalculatorIfLoaded(); });
}

}  // namespace orvo
