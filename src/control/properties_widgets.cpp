// Properties that live in the constituent widgets: colours, fonts, text box state, shape.
#include "base/error.h"
#include "control/orvo_mask.h"

namespace orvo {

Color OrvoMask::BackColor() const { return ActiveBox().BackColor(); }

void OrvoMask::SetBackColor(Color c) {
  for (auto& box : txt) box->SetBackColor(c);
  pic->SetBackColor(c);
  UserControl_Resize();
  RaiseChangeReport("BackColor");
}

Color OrvoMask::ForeColor() const { return ActiveBox().ForeColor(); }

void OrvoMask::SetForeColor(Color c) {
  for (auto& box : txt) box->SetForeColor(c);
  pic->SetForeColor(c);
  RaiseChangeReport("ForeColor");
}

std::string OrvoMask::PasswordChar() const { return ActiveBox().PasswordChar(); }

void OrvoMask::SetPasswordChar(const std::string& v) {
  for (auto& box : txt) box->SetPasswordChar(v);
  RaiseChangeReport("PasswordChar");
}

int16_t OrvoMask::LinkTimeOut() const { return pic->LinkTimeout(); }

void OrvoMask::SetLinkTimeOut(int16_t v) {
  pic->SetLinkTimeout(v);
  RaiseChangeReport("LinkTimeOut");
}

bool OrvoMask::Locked() const { return txt[0]->Locked(); }

void OrvoMask::SetLocked(bool v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  AsFrame([&] {
    for (auto& box : txt) box->SetLocked(v);
    // A locked field offers neither browse button nor spinner.
    bot->SetEnabled(!v);
    scrV->SetEnabled(!v);
    scrH->SetEnabled(!v);
    RaiseChangeReport("Locked");
  });
}

void OrvoMask::SetEnabled(bool v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  AsFrame([&] {
    m_.Enabled = v ? -1 : 0;
    for (auto& box : txt) box->SetEnabled(v);
    bot->SetEnabled(v);
    scrH->SetEnabled(v);
    scrV->SetEnabled(v);
    lab->SetEnabled(v);
    RaiseChangeReport("Enabled");
  });
}

int32_t OrvoMask::hwnd() const { return site_.hWnd(); }
int32_t OrvoMask::hdc() const { return site_.hDC(); }

Color OrvoMask::ShapeBorderColor() const { return shp->BorderColor(); }

void OrvoMask::SetShapeBorderColor(Color c) {
  shp->SetBorderColor(c);
  RaiseChangeReport("ShapeBorderColor");
}

int16_t OrvoMask::ShapeBorderWidth() const { return shp->BorderWidth(); }

void OrvoMask::SetShapeBorderWidth(int16_t v) {
  shp->SetBorderWidth(v);
  UserControl_Resize();
  RaiseChangeReport("ShapeBorderWidth");
}

TipoBordaShape OrvoMask::ShapeBorderStyle() const {
  return static_cast<TipoBordaShape>(shp->BorderStyle());
}

void OrvoMask::SetShapeBorderStyle(TipoBordaShape v) {
  shp->SetBorderStyle(static_cast<int32_t>(v));
  RaiseChangeReport("ShapeBorderStyle");
}

TipoShape OrvoMask::Shape() const { return static_cast<TipoShape>(shp->ShapeKind()); }

void OrvoMask::SetShape(TipoShape v) {
  shp->SetShapeKind(static_cast<int32_t>(v));
  RaiseChangeReport("Shape");
}

Color OrvoMask::CaptionColor() const { return lab->ForeColor(); }

void OrvoMask::SetCaptionColor(Color c) {
  lab->SetForeColor(c);
  RaiseChangeReport("CaptionColor");
}

FontRef OrvoMask::Font() const { return ActiveBox().Font(); }

void OrvoMask::SetFont(FontRef f) {
  if (!f) RaiseError(err::kInvalidPropertyValue, "Font: a font object is required");
  for (auto& box : txt) box->SetFont(f);
  // Text measured in the control's own font then matches the field.
  site_.SetFont(f);
  UserControl_Resize();
  RaiseChangeReport("Font");
}

FontRef OrvoMask::CaptionFont() const { return lab->Font(); }

void OrvoMask::SetCaptionFont(FontRef f) {
  if (!f) RaiseError(err::kInvalidPropertyValue, "CaptionFont: a font object is required");
  lab->SetFont(f);
  UserControl_Resize();
  RaiseChangeReport("CaptionFont");
}

Ponteiro OrvoMask::MousePointer() const { return static_cast<Ponteiro>(site_.MousePointer()); }

void OrvoMask::SetMousePointer(Ponteiro v) {
  site_.SetMousePointer(static_cast<int16_t>(v));
  RaiseChangeReport("MousePointer");
}

PictureRef OrvoMask::MouseIcon() const { return site_.MouseIcon(); }

void OrvoMask::SetMouseIcon(PictureRef p) {
  site_.SetMouseIcon(std::move(p));
  RaiseChangeReport("MouseIcon");
}

int32_t OrvoMask::MaxLength() const { return txt[0]->MaxLength(); }

void OrvoMask::SetMaxLength(int32_t v) {
  // The multi-line box is never length-limited.
  txt[0]->SetMaxLength(v);
  txt[1]->SetMaxLength(v);
  RaiseChangeReport("MaxLength");
}

std::string OrvoMask::Caption() const { return lab->Caption(); }

void OrvoMask::SetCaption(const std::string& v) {
  lab->SetCaption(v);
  UpdateCaptionVisibility();
  UserControl_Resize();
  site_.Repaint();
  RaiseChangeReport("Caption");
}

int32_t OrvoMask::WhatsThisHelpID() const { return site_.WhatsThisHelpID(); }

void OrvoMask::SetWhatsThisHelpID(int32_t v) {
  site_.SetWhatsThisHelpID(v);
  RaiseChangeReport("WhatsThisHelpID");
}

// The selection properties are refused in the designer: error 382 and nothing changes.
static void RefuseAtDesignTime(int16_t userMode, const char* name) {
  if (!userMode)
    RaiseError(err::kNotAtRunTime,
               std::string("'") + name + "' property cannot be set at design time");
}

std::string OrvoMask::SelText() const { return ActiveBox().SelText(); }

void OrvoMask::SetSelText(const std::string& v) {
  AsFrame([&] {
    RefuseAtDesignTime(m_.UserMode, "SelText");
    ActiveBox().SetSelText(v);
    RaiseChangeReport("SelText");
  });
}

int32_t OrvoMask::SelStart() const { return ActiveBox().SelStart(); }

void OrvoMask::SetSelStart(int32_t v) {
  RefuseAtDesignTime(m_.UserMode, "SelStart");
  ActiveBox().SetSelStart(v);
  RaiseChangeReport("SelStart");
}

int32_t OrvoMask::SelLength() const { return ActiveBox().SelLength(); }

void OrvoMask::SetSelLength(int32_t v) {
  RefuseAtDesignTime(m_.UserMode, "SelLength");
  ActiveBox().SetSelLength(v);
  RaiseChangeReport("SelLength");
}

}  // namespace orvo
