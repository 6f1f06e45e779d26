// Loading from and saving to the property bag, and the end of the control's life.
#include <algorithm>

#include "base/error.h"
#include "control/bag_reader.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "platform/popup_widgets.h"
#include "popups/calend_form.h"

namespace orvo {

// The keys are read in a fixed order (tests pin it); an error ends the load there.
void OrvoMask::UserControl_ReadProperties(PropertyBag& PropBag) {
  d_->ReadUserMode();
  d_->ResetForLoading();
  BagReader r(PropBag, d_->locale_, d_->site_.AmbientFont());
  d_->ReadFieldSettings(r);
  d_->ShowUnfocusedLook();
  // The designer shows each stored text through FormatText, which works from the compiled
  // mask: compile the loaded Mask and DataType now, or a fresh control would format with no
  // template and lose what it cannot place ("1234,5" would show, and be saved, as "1234").
  // The compilation after the boxes still decides the final length limits.
  if (!d_->m_.UserMode) d_->CompileMask();
  d_->ReadEditBoxes(r);
  d_->ReadPictureBox(r);
  d_->CompileMask();
  int32_t orientation = static_cast<int32_t>(d_->m_.Orientation);
  d_->ConfigureButtons(orientation);
  d_->UpdateCaptionVisibility();
  d_->ForgetBinding();
  d_->SelectEditWidgets();
  UserControl_Resize();
  // No hook is active after loading, and no DropDown is raised.
  d_->StopHook();
}

// The one protected read: a container that cannot say counts as the designer.
void OrvoMaskImpl::ReadUserMode() {
  try {
    m_.UserMode = site_.AmbientUserMode() ? -1 : 0;
  } catch (const Error&) {
    m_.UserMode = 0;
  }
}

void OrvoMaskImpl::ResetForLoading() {
  m_.FilterKeyLast = -1;
  Process().gColumnSeparator = kColumnSeparator;
  m_.FormatLostFocus = kTrue;
}

// Everything but the edit boxes and the picture box.
void OrvoMaskImpl::ReadFieldSettings(BagReader& r) {
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
void OrvoMaskImpl::ReadSpinnerRange(BagReader& r) {
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

void OrvoMaskImpl::ShowUnfocusedLook() {
  shp->SetFillStyle(static_cast<int32_t>(m_.FillStyleNoFocus));
  shp->SetFillColor(m_.ColorNoFocus);
}

// The box keys are read once per box, box 0 first.
void OrvoMaskImpl::ReadEditBoxes(BagReader& r) {
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
    box.SetText(!s.empty() && !m_.UserMode ? q_.FormatText(s) : s);
  }
  for (Widget* w : {static_cast<Widget*>(bot.get()), static_cast<Widget*>(scrH.get()),
                    static_cast<Widget*>(scrV.get()), static_cast<Widget*>(lab.get())})
    w->SetEnabled(m_.Enabled != 0);
}

// The picture box takes the boxes' colours.
void OrvoMaskImpl::ReadPictureBox(BagReader& r) {
  pic->SetLinkTimeout(r.Number<int16_t>("LinkTimeOut"));
  pic->SetBackColor(txt[0]->BackColor());
  pic->SetForeColor(txt[0]->ForeColor());
}

// A loaded control starts unbound: the application binds its recordset afterwards.
void OrvoMaskImpl::ForgetBinding() {
  m_.PopupClosedAt = 0;
  q_.gRsLista = nullptr;
  q_.gTpMDB = DefaultOf<int16_t>("gTpMDB");
  q_.gTpTabela = DefaultOf<int16_t>("gTpTabela");
}

void OrvoMaskImpl::StopHook() {
  int32_t liga = 0;
  bool geraEvento = false;
  q_.LigaDesligaHok(liga, geraEvento);
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
  const FontRef ambient = d_->site_.AmbientFont();
  auto font = [&](PropertyName p, const FontRef& f) {
    const Variant v(std::static_pointer_cast<Object>(f));
    const bool ambientLike = f && ambient && f->SameAs(*ambient);
    PropBag.WriteProperty(std::string(p.Info().savedKey), v,
                          ambientLike ? v : Variant(std::static_pointer_cast<Object>(ambient)));
  };
  const TextBox& active = d_->ActiveBox();

  number("BackColor", active.BackColor());
  put("PasswordChar", Variant(active.PasswordChar()));
  // An unset BookMark is the empty default, as an empty text is.
  put("BookMark", d_->m_.BookMark.IsEmpty() ? Variant("") : d_->m_.BookMark);
  number("LinkTimeOut", d_->pic->LinkTimeout());
  number("Locked", d_->txt[0]->Locked());
  number("LargeChange", d_->scrH->LargeChange());
  number("ForeColor", active.ForeColor());
  font("Font", active.Font());
  number("Enabled", d_->m_.Enabled);
  number("MousePointer", d_->site_.MousePointer());
  put("MouseIcon", Variant(std::static_pointer_cast<Object>(d_->site_.MouseIcon())));
  number("Min", d_->m_.MinValue);
  // The key is 16-bit: a longer limit is stored as the largest it can hold, never wrapped.
  number("MaxLength", std::min(d_->txt[0]->MaxLength(), 32767));
  number("Max", d_->scrV->Max());
  put("Text", Variant(active.Text()));
  number("SmallChange", d_->scrH->SmallChange());
  number("Value", d_->scrH->Value());
  number("Orientation", d_->m_.Orientation);
  number("Appearance", d_->m_.Appearance);
  number("BorderStyle", d_->m_.BorderStyle);
  put("Mask", Variant(d_->m_.Mask));
  put("BoundColumn", Variant(d_->m_.BoundColumn));
  put("ListFields", Variant(d_->m_.ListFields));
  number("DataType", d_->m_.DataType);
  put("StuffChar", Variant(d_->m_.StuffChar));
  number("BrowseVisible", d_->m_.BrowseVisible);
  number("MultiLine", d_->m_.MultiLine);
  number("SelectOnFocus", d_->m_.SelectOnFocus);
  number("CaptionOffset", d_->m_.CaptionOffset);
  // An unchecked field stores nothing: the default is 0 of the same 16-bit type.
  number("CheckValue", d_->m_.CheckValue);
  put("Caption", Variant(d_->lab->Caption()));
  number("CaptionColor", d_->lab->ForeColor());
  font("CaptionFont", d_->lab->Font());
  number("ColorNoFocus", d_->m_.ColorNoFocus);
  number("ColorOnFocus", d_->m_.ColorOnFocus);
  number("Alignment", d_->m_.Alignment);
  number("Shape", d_->shp->ShapeKind());
  number("ShapeBorderColor", d_->shp->BorderColor());
  number("ShapeBorderWidth", d_->shp->BorderWidth());
  number("ShapeBorderStyle", d_->shp->BorderStyle());
  number("FillStyleOnFocus", d_->m_.FillStyleOnFocus);
  number("FillStyleNoFocus", d_->m_.FillStyleNoFocus);
}

// Every error is ignored here: an already unloaded popup form does no harm.
void OrvoMaskImpl::UserControl_Terminate() {
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
