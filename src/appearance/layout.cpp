// Layout: the visible widgets for the field kind, their places and sizes (twips), the
// control's minimum size, and the field border.
#include "base/error.h"
#include "control/conversions16.h"
#include "control/orvo_mask.h"
#include "control/process_state.h"

namespace orvo {

namespace {

bool IsCheckKind(TipoDeCampo k) {
  return k == TipoDeCampo::Boolean || k == TipoDeCampo::Option;
}

// Sizes never go negative when a control is squeezed below what its parts need.
float NonNegative(float v) {
  return v < 0 ? 0 : v;
}

// A position or size given to a widget: widget geometry is Single, so only the 16-bit
// working quantities are rounded; a half twip from FieldH / 2 or ShapeBW / 2 stays.
float Twips(double v) {
  return std::isfinite(v) ? static_cast<float>(v) : 0.0f;
}

}  // namespace

void OrvoMask::SelectEditWidgets() {
  const TipoDeCampo kind = m_.DataType;
  const bool option = kind == TipoDeCampo::Option;
  if (img->Visible() != option) img->SetVisible(option);
  if (pic->Visible() != !option) pic->SetVisible(!option);

  if (ComLstExt()) {
    m_.ActiveTextIndex = 0;
  } else {
    switch (kind) {
      case TipoDeCampo::Character:
        m_.ActiveTextIndex = m_.MultiLine ? 2 : 0;
        break;
      case TipoDeCampo::Numeric:
      case TipoDeCampo::Spinner:
        m_.ActiveTextIndex = m_.ListFields.empty() ? 1 : 0;
        break;
      case TipoDeCampo::Memo:
        m_.ActiveTextIndex = 2;
        break;
      default:
        m_.ActiveTextIndex = 0;
        break;
    }
  }
  for (int16_t i = 0; i < 3; ++i) txt[i]->SetVisible(i == m_.ActiveTextIndex && !IsCheckKind(kind));
  pic->ZOrder(1);
}

// One pass over the current properties and widget sizes. The working quantities are 16-bit
// as the classic pass kept them; sums that leave the 16-bit range clamp to its ends rather
// than fail. What is written to the widgets is not rounded.
void OrvoMask::UserControl_Resize() {
  if (!m_.LayoutReady) return;
  HostServices& host = site_.Services();
  const float tppX = host.TwipsPerPixelX();
  const float tppY = host.TwipsPerPixelY();
  const TipoDeCampo kind = m_.DataType;
  const bool checkKind = IsCheckKind(kind);
  const bool spinner = kind == TipoDeCampo::Spinner;
  const bool threeD = m_.Appearance == Aparencia::ThreeD;
  const bool fixedSingle = m_.BorderStyle == TipoBorda::FixedSingle;
  const TipoAlinhamento align = m_.Alignment;
  const bool topBottom =
      align == TipoAlinhamento::FieldTop || align == TipoAlinhamento::FieldBottom;
  const bool leftRight = !topBottom;

  int16_t fieldH = 0, fieldW = 0, capH = 0, capW = 0, capGap = 0, shapeBW = 0;
  int16_t buttonW = 0, spinW = 0, spinH = 0;

  // 1. Field minimum.
  if (!checkKind) {
    fieldH = ClampI16(double(site_.TextHeight("0")) + pic->Height() - pic->ScaleHeight());
    fieldW = ClampI16(site_.TextWidth("0"));
    const int border = threeD ? 4 : fixedSingle ? 2 : 0;
    fieldH = ClampI16(double(fieldH) + double(border) * pic->DrawWidth() * tppX);
    fieldW = ClampI16(double(fieldW) + double(border) * pic->DrawWidth() * tppY);
  } else {
    fieldH = fieldW = 200;
  }

  // 2. Caption room.
  const bool hasCaption = !lab->Caption().empty();
  bool fillVisible = false;
  if (hasCaption) {
    fillVisible = m_.FillStyleOnFocus != EstiloShape::Transparent ||
                  m_.FillStyleNoFocus != EstiloShape::Transparent;
    if (leftRight) {
      if (fillVisible) capH = ClampI16(lab->Height());
      capW = ClampI16(double(lab->Width()) + m_.CaptionOffset);
    } else {
      capH = ClampI16(double(lab->Height()) + m_.CaptionOffset);
    }
    if (fillVisible) {
      shapeBW = ClampI16(double(shp->BorderWidth()) * tppX);
      capH = ClampI16(double(capH) + 2.0 * m_.CaptionOffset + shapeBW);
      double avail = double(site_.ScaleWidth()) - capW - (topBottom ? lab->Width() : 0) - 200;
      if (avail < 250 || checkKind) avail = 250;
      capGap = avail < 600 ? ClampI16(avail / 3) : int16_t(200);
      capW = ClampI16(double(capW) + capGap + shapeBW);
    }
  }

  // 3. Minimum width, whole pixels.
  double minW = double(fieldW) + capW + (hasCaption && topBottom ? lab->Width() : 0) +
                (spinner ? scrV->Width() : 0) + (m_.BrowseVisible != TipoBot::None ? 255 : 0);
  minW = tppX * std::floor(minW / tppX + 0.5);
  if (site_.Width() < minW) site_.SetWidth(static_cast<float>(minW));

  // 4. Minimum height.
  double minH = double(fieldH) + capH +
                (spinner && m_.Orientation == Orientacao::Horizontal ? scrH->Height() : 0);
  minH = tppY * std::floor(minH / tppY + 0.5);
  if (site_.Height() < minH) site_.SetHeight(static_cast<float>(minH));

  // 5. Field position.
  const float picTop = align == TipoAlinhamento::FieldBottom ? 0 : capH;
  const float picLeft = align == TipoAlinhamento::FieldRight ? 0 : capW;
  pic->Move(picLeft, picTop, pic->Width(), pic->Height());

  // 6. Field size.
  if (kind == TipoDeCampo::Boolean) {
    pic->Move(pic->Left(), pic->Top(), 200, 195);
  } else if (kind == TipoDeCampo::Option) {
    img->Move(pic->Left(), pic->Top(), 200, 195);
    pic->Move(pic->Left(), pic->Top(), 200, 195);
  } else {
    if (m_.BrowseVisible == TipoBot::DropDown || m_.BrowseVisible == TipoBot::Ellipsis)
      buttonW = 255;
    if (spinner) {
      if (m_.Orientation == Orientacao::Horizontal)
        spinH = ClampI16(scrH->Height());
      else
        spinW = ClampI16(scrV->Width());
    }
    double w = double(site_.ScaleWidth()) - capW - spinW - buttonW;
    if (w < fieldW) w = fieldW;
    double h = double(site_.ScaleHeight()) - capH - spinH;
    if (h < fieldH) h = fieldH;
    pic->Move(pic->Left(), pic->Top(), static_cast<float>(w + spinW + buttonW),
              static_cast<float>(h + spinH));
  }

  // 7. Caption and shape.
  if (!lab->Caption().empty()) {
    shp->Move(shp->Left(), shp->Top(),
              NonNegative(Twips((topBottom ? lab->Width() : 0) + capW + 2.0 * capGap)),
              NonNegative(Twips(fieldH / 2.0 + capH)));
    if (align != TipoAlinhamento::FieldBottom) {
      double x = 0;
      if (align == TipoAlinhamento::FieldTop)
        x = double(m_.CaptionOffset) + lab->Height();
      else if (fillVisible)
        x = lab->Height();
      const float newTop = Twips(pic->Top() - x);
      if (lab->Top() != newTop) lab->SetTop(newTop);
      shp->SetTop(Twips(shapeBW / 2.0));
    } else {
      shp->SetTop(Twips(double(pic->Top()) + pic->Height() + capH - shp->Height() - shapeBW / 2.0));
      const float newTop = Twips(double(pic->Top()) + pic->Height() + m_.CaptionOffset);
      if (lab->Top() != newTop) lab->SetTop(newTop);
    }
    if (align != TipoAlinhamento::FieldRight) {
      const float newLeft =
          align == TipoAlinhamento::FieldLeft ? Twips(shapeBW / 2.0 + capGap) : pic->Left();
      if (lab->Left() != newLeft) lab->SetLeft(newLeft);
      shp->SetLeft(Twips(shapeBW / 2.0));
    } else {
      const float newLeft = Twips(double(pic->Left()) + pic->Width() + m_.CaptionOffset);
      if (lab->Left() != newLeft) lab->SetLeft(newLeft);
      shp->SetLeft(Twips(double(lab->Left()) + lab->Width() + capGap - shp->Width()));
    }
    lab->ZOrder(0);
    lab->Refresh();
    if (site_.hWnd() == Process().gFocusedHwnd) DrawCaptionFocus();
  }

  // 8. Kind-specific finish.
  if (kind == TipoDeCampo::Boolean) {
    pic->ZOrder(0);
    if (!fillVisible && leftRight)
      pic->SetTop(Twips(lab->Top() + (double(lab->Height()) - pic->Height()) / 2));
    pic->SetPicture(m_.CheckValue ? bot->MouseIcon() : nullptr);
    int16_t clear = 0;
    DrawFieldBorder(clear);
  } else if (kind == TipoDeCampo::Option) {
    img->ZOrder(0);
    if (!fillVisible && leftRight)
      img->SetTop(Twips(lab->Top() + (double(lab->Height()) - img->Height()) / 2));
    bool selected = false;
    try {
      selected = site_.Index() == m_.CheckValue;
    } catch (const Error&) {
      // Not an element of a control array: the unselected mark.
    }
    img->SetPicture(selected ? scrV->MouseIcon() : scrH->MouseIcon());
  } else {
    const float d = (threeD ? 2.0f * pic->DrawWidth() : fixedSingle ? pic->DrawWidth() : 0) * tppX;
    const float sw = pic->ScaleWidth();
    const float sh = pic->ScaleHeight();
    ActiveBox().Move(d, d, NonNegative(sw - spinW - buttonW - 2 * d),
                     NonNegative(sh - spinH - 2 * d));
    if (m_.BrowseVisible != TipoBot::None)
      bot->Move(sw - buttonW - d, d, buttonW, NonNegative(sh - 2 * d));
    if (spinner) {
      if (m_.Orientation == Orientacao::Horizontal)
        scrH->Move(d, sh - spinH - d, NonNegative(sw - 2 * d - buttonW), spinH);
      else
        scrV->Move(sw - spinW - buttonW - d, d, spinW, NonNegative(sh - 2 * d));
    }
    int16_t clear = -1;
    DrawFieldBorder(clear);
  }
}

// Paints the flat or sunken border on the field's picture box (twips).
void OrvoMask::DrawFieldBorder(int16_t& Clear) {
  const bool threeD = m_.Appearance == Aparencia::ThreeD;
  if (!threeD && m_.BorderStyle == TipoBorda::None) return;
  const float h = pic->Height();
  const float w = pic->Width();
  const float dx = pic->DrawWidth() * site_.Services().TwipsPerPixelX();
  const float dy = pic->DrawWidth() * site_.Services().TwipsPerPixelY();
  pic->SetAutoRedraw(true);
  if (Clear) pic->Cls();
  if (!threeD) {
    pic->Line(0, h, 0, 0, kSys3DDarkShadow);
    pic->Line(0, 0, w - dx, 0, kSys3DDarkShadow);
    pic->Line(w - dx, 0, w - dx, h - dy, kSys3DDarkShadow);
    pic->Line(w - dx, h - dy, 0, h - dy, kSys3DDarkShadow);
  } else {
    pic->Line(0, h, 0, 0, kSysButtonShadow);
    pic->Line(0, 0, w - dx, 0, kSysButtonShadow);
    pic->Line(w - dx, 0, w - dx, h - dy, kSysButtonHighlight);
    pic->Line(w - dx, h - dy, 0, h - dy, kSysButtonHighlight);
    pic->Line(dx, h - 2 * dy, dx, dy, kSys3DDarkShadow);
    pic->Line(dx, dy, w - 2 * dx, dy, kSys3DDarkShadow);
    pic->Line(w - 2 * dx, dy, w - 2 * dx, h - 2 * dy, kSys3DLight);
    pic->Line(w - 2 * dx, h - 2 * dy, dx, h - 2 * dy, kSys3DLight);
  }
  pic->SetAutoRedraw(false);
}

}  // namespace orvo
