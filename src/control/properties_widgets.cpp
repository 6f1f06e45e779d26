// Properties that live in the constituent widgets: colours, fonts, text box state, shape.
#include "base/error.h"
#include "control/orvo_mask_impl.h"

namespace orvo {

Color OrvoMask::BackColor() const {
  return d_->ActiveBox().BackColor();
}

void OrvoMask::SetBackColor(Color c) {
  for (auto& box : d_->txt) box->SetBackColor(c);
  d_->pic->SetBackColor(c);
  UserControl_Resize();
  d_->RaiseChangeReport("BackColor");
}

Color OrvoMask::ForeColor() const {
  return d_->ActiveBox().ForeColor();
}

void OrvoMask::SetForeColor(Color c) {
  for (auto& box : d_->txt) box->SetForeColor(c);
  d_->pic->SetForeColor(c);
  d_->RaiseChangeReport("ForeColor");
}

std::string OrvoMask::PasswordChar() const {
  return d_->ActiveBox().PasswordChar();
}

void OrvoMask::SetPasswordChar(const std::string& v) {
  for (auto& box : d_->txt) box->SetPasswordChar(v);
  d_->RaiseChangeReport("PasswordChar");
}

int16_t OrvoMask::LinkTimeOut() const {
  return d_->pic->LinkTimeout();
}

void OrvoMask::SetLinkTimeOut(int16_t v) {
  d_->pic->SetLinkTimeout(v);
  d_->RaiseChangeReport("LinkTimeOut");
}

bool OrvoMask::Locked() const {
  return d_->txt[0]->Locked();
}

void OrvoMask::SetLocked(bool v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    for (auto& box : d_->txt) box->SetLocked(v);
    // A locked field offers neither browse button nor spinner.
    d_->bot->SetEnabled(!v);
    d_->scrV->SetEnabled(!v);
    d_->scrH->SetEnabled(!v);
    d_->RaiseChangeReport("Locked");
  });
}

void OrvoMask::SetEnabled(bool v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    d_->m_.Enabled = v ? -1 : 0;
    for (auto& box : d_->txt) box->SetEnabled(v);
    d_->bot->SetEnabled(v);
    d_->scrH->SetEnabled(v);
    d_->scrV->SetEnabled(v);
    d_->lab->SetEnabled(v);
    d_->RaiseChangeReport("Enabled");
  });
}

int32_t OrvoMask::hwnd() const {
  return d_->site_.hWnd();
}
int32_t OrvoMask::hdc() const {
  return d_->site_.hDC();
}

Color OrvoMask::ShapeBorderColor() const {
  return d_->shp->BorderColor();
}

void OrvoMask::SetShapeBorderColor(Color c) {
  d_->shp->SetBorderColor(c);
  d_->RaiseChangeReport("ShapeBorderColor");
}

int16_t OrvoMask::ShapeBorderWidth() const {
  return d_->shp->BorderWidth();
}

void OrvoMask::SetShapeBorderWidth(int16_t v) {
  d_->shp->SetBorderWidth(v);
  UserControl_Resize();
  d_->RaiseChangeReport("ShapeBorderWidth");
}

TipoBordaShape OrvoMask::ShapeBorderStyle() const {
  return static_cast<TipoBordaShape>(d_->shp->BorderStyle());
}

void OrvoMask::SetShapeBorderStyle(TipoBordaShape v) {
  d_->shp->SetBorderStyle(static_cast<int32_t>(v));
  d_->RaiseChangeReport("ShapeBorderStyle");
}

TipoShape OrvoMask::Shape() const {
  return static_cast<TipoShape>(d_->shp->ShapeKind());
}

void OrvoMask::SetShape(TipoShape v) {
  d_->shp->SetShapeKind(static_cast<int32_t>(v));
  d_->RaiseChangeReport("Shape");
}

Color OrvoMask::CaptionColor() const {
  return d_->lab->ForeColor();
}

void OrvoMask::SetCaptionColor(Color c) {
  d_->lab->SetForeColor(c);
  d_->RaiseChangeReport("CaptionColor");
}

FontRef OrvoMask::Font() const {
  return d_->ActiveBox().Font();
}

void OrvoMask::SetFont(FontRef f) {
  if (!f) RaiseError(err::kInvalidPropertyValue, "Font: a font object is required");
  for (auto& box : d_->txt) box->SetFont(f);
  // Text measured in the control's own font then matches the field.
  d_->site_.SetFont(f);
  UserControl_Resize();
  d_->RaiseChangeReport("Font");
}

FontRef OrvoMask::CaptionFont() const {
  return d_->lab->Font();
}

void OrvoMask::SetCaptionFont(FontRef f) {
  if (!f) RaiseError(err::kInvalidPropertyValue, "CaptionFont: a font object is required");
  d_->lab->SetFont(f);
  UserControl_Resize();
  d_->RaiseChangeReport("CaptionFont");
}

Ponteiro OrvoMask::MousePointer() const {
  return static_cast<Ponteiro>(d_->site_.MousePointer());
}

void OrvoMask::SetMousePointer(Ponteiro v) {
  d_->site_.SetMousePointer(static_cast<int16_t>(v));
  d_->RaiseChangeReport("MousePointer");
}

PictureRef OrvoMask::MouseIcon() const {
  return d_->site_.MouseIcon();
}

void OrvoMask::SetMouseIcon(PictureRef p) {
  d_->site_.SetMouseIcon(std::move(p));
  d_->RaiseChangeReport("MouseIcon");
}

int32_t OrvoMask::MaxLength() const {
  return d_->txt[0]->MaxLength();
}

void OrvoMask::SetMaxLength(int32_t v) {
  // The multi-line box is never length-limited.
  d_->txt[0]->SetMaxLength(v);
  d_->txt[1]->SetMaxLength(v);
  d_->RaiseChangeReport("MaxLength");
}

std::string OrvoMask::Caption() const {
  return d_->lab->Caption();
}

void OrvoMask::SetCaption(const std::string& v) {
  d_->lab->SetCaption(v);
  d_->UpdateCaptionVisibility();
  UserControl_Resize();
  d_->site_.Repaint();
  d_->RaiseChangeReport("Caption");
}

int32_t OrvoMask::WhatsThisHelpID() const {
  return d_->site_.WhatsThisHelpID();
}

void OrvoMask::SetWhatsThisHelpID(int32_t v) {
  d_->site_.SetWhatsThisHelpID(v);
  d_->RaiseChangeReport("WhatsThisHelpID");
}

// The selection properties are refused in the designer: error 382 and nothing changes.
static void RefuseAtDesignTime(int16_t userMode, const char* name) {
  if (!userMode)
    RaiseError(err::kNotAtRunTime,
               std::string("'") + name + "' property cannot be set at design time");
}

std::string OrvoMask::SelText() const {
  return d_->ActiveBox().SelText();
}

void OrvoMask::SetSelText(const std::string& v) {
  d_->AsFrame([&] {
    RefuseAtDesignTime(d_->m_.UserMode, "SelText");
    d_->ActiveBox().SetSelText(v);
    d_->RaiseChangeReport("SelText");
  });
}

int32_t OrvoMask::SelStart() const {
  return d_->ActiveBox().SelStart();
}

void OrvoMask::SetSelStart(int32_t v) {
  RefuseAtDesignTime(d_->m_.UserMode, "SelStart");
  d_->ActiveBox().SetSelStart(v);
  d_->RaiseChangeReport("SelStart");
}

int32_t OrvoMask::SelLength() const {
  return d_->ActiveBox().SelLength();
}

void OrvoMask::SetSelLength(int32_t v) {
  RefuseAtDesignTime(d_->m_.UserMode, "SelLength");
  d_->ActiveBox().SetSelLength(v);
  d_->RaiseChangeReport("SelLength");
}

}  // namespace orvo
