// The layout pass as a pure function: the room the field and caption need, the control's
// least size, and the places of the field, caption, shape and the parts inside the field.
#include "appearance/layout.h"

#include <cmath>

#include "base/clamped_round.h"

namespace orvo {

namespace {

bool IsCheckKind(TipoDeCampo k) {
  return k == TipoDeCampo::Boolean || k == TipoDeCampo::Option;
}

bool TopOrBottom(TipoAlinhamento a) {
  return a == TipoAlinhamento::FieldTop || a == TipoAlinhamento::FieldBottom;
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

int16_t EditBoxFor(TipoDeCampo kind, bool multiLine, bool hasListFields, bool listsRecords) {
  if (listsRecords) return 0;
  switch (kind) {
    case TipoDeCampo::Character:
      return multiLine ? 2 : 0;
    case TipoDeCampo::Numeric:
    case TipoDeCampo::Spinner:
      return hasListFields ? 0 : 1;
    case TipoDeCampo::Memo:
      return 2;
    default:
      return 0;
  }
}

LayoutRoom ComputeLayoutRoom(const LayoutInput& in) {
  LayoutRoom r;
  const bool checkKind = IsCheckKind(in.kind);
  const bool topBottom = TopOrBottom(in.alignment);
  const float tppX = in.twipsPerPixelX;
  const float tppY = in.twipsPerPixelY;

  // The least field: a character and the border drawn around it; a check or option box
  // is a fixed square.
  if (!checkKind) {
    r.fieldHeight = ClampI16(double(in.digitHeight) + in.fieldBorderHeight);
    r.fieldWidth = ClampI16(in.digitWidth);
    const int border = in.appearance == Aparencia::ThreeD         ? 4
                       : in.borderStyle == TipoBorda::FixedSingle ? 2
                                                                  : 0;
    // The pixel sizes cross over (height by X, width by Y) as the classic pass had them;
    // they only differ on a screen with unequal pixels.
    r.fieldHeight = ClampI16(double(r.fieldHeight) + double(border) * in.drawWidth * tppX);
    r.fieldWidth = ClampI16(double(r.fieldWidth) + double(border) * in.drawWidth * tppY);
  } else {
    r.fieldHeight = r.fieldWidth = 200;
  }

  // The caption's room: above or below the field it takes height, beside it width; a
  // drawn shape adds the offset around the caption, its border and a gap.
  if (in.hasCaption) {
    if (!topBottom) {
      if (in.fillVisible) r.captionHeight = ClampI16(in.captionHeight);
      r.captionWidth = ClampI16(double(in.captionWidth) + in.captionOffset);
    } else {
      r.captionHeight = ClampI16(double(in.captionHeight) + in.captionOffset);
    }
    if (in.fillVisible) {
      r.shapeBorder = ClampI16(double(in.shapeBorderWidth) * tppX);
      r.captionHeight = ClampI16(double(r.captionHeight) + 2.0 * in.captionOffset + r.shapeBorder);
      double avail =
          double(in.surfaceWidth) - r.captionWidth - (topBottom ? in.captionWidth : 0) - 200;
      if (avail < 250 || checkKind) avail = 250;
      r.captionGap = avail < 600 ? ClampI16(avail / 3) : int16_t(200);
      r.captionWidth = ClampI16(double(r.captionWidth) + r.captionGap + r.shapeBorder);
    }
  }

  // The least size, in whole pixels.
  const bool spinner = in.kind == TipoDeCampo::Spinner;
  double minW = double(r.fieldWidth) + r.captionWidth +
                (in.hasCaption && topBottom ? in.captionWidth : 0) +
                (spinner ? in.spinnerWidth : 0) + (in.browse != TipoBot::None ? 255 : 0);
  r.minWidth = tppX * std::floor(minW / tppX + 0.5);
  double minH = double(r.fieldHeight) + r.captionHeight +
                (spinner && in.orientation == Orientacao::Horizontal ? in.spinnerHeight : 0);
  r.minHeight = tppY * std::floor(minH / tppY + 0.5);
  return r;
}

LayoutPlan ComputeLayout(const LayoutInput& in, const LayoutRoom& room, float surfaceWidth,
                         float surfaceHeight) {
  LayoutPlan p;
  const TipoDeCampo kind = in.kind;
  const TipoAlinhamento align = in.alignment;
  const bool topBottom = TopOrBottom(align);
  const bool spinner = kind == TipoDeCampo::Spinner;
  const bool horizontal = in.orientation == Orientacao::Horizontal;
  const int16_t capW = room.captionWidth, capH = room.captionHeight;
  const int16_t capGap = room.captionGap, shapeBW = room.shapeBorder;
  int16_t buttonW = 0, spinW = 0, spinH = 0;

  // The field: after the caption's room, and as large as the surface leaves it.
  Placement& field = p.field;
  field.top = align == TipoAlinhamento::FieldBottom ? 0 : capH;
  field.left = align == TipoAlinhamento::FieldRight ? 0 : capW;
  if (IsCheckKind(kind)) {
    field.width = 200;
    field.height = 195;
    if (kind == TipoDeCampo::Option) p.optionMark = field;
  } else {
    if (in.browse == TipoBot::DropDown || in.browse == TipoBot::Ellipsis) buttonW = 255;
    if (spinner) {
      if (horizontal)
        spinH = ClampI16(in.spinnerHeight);
      else
        spinW = ClampI16(in.spinnerWidth);
    }
    double w = double(surfaceWidth) - capW - spinW - buttonW;
    if (w < room.fieldWidth) w = room.fieldWidth;
    double h = double(surfaceHeight) - capH - spinH;
    if (h < room.fieldHeight) h = room.fieldHeight;
    field.width = static_cast<float>(w + spinW + buttonW);
    field.height = static_cast<float>(h + spinH);
  }

  // The caption and its shape, on the side the alignment leaves.
  p.captionLeft = in.captionLeft;
  p.captionTop = in.captionTop;
  if (in.hasCaption) {
    p.captionPlaced = true;
    Placement& shape = p.shape;
    shape.width = NonNegative(Twips((topBottom ? in.captionWidth : 0) + capW + 2.0 * capGap));
    shape.height = NonNegative(Twips(room.fieldHeight / 2.0 + capH));
    if (align != TipoAlinhamento::FieldBottom) {
      double x = 0;
      if (align == TipoAlinhamento::FieldTop)
        x = double(in.captionOffset) + in.captionHeight;
      else if (in.fillVisible)
        x = in.captionHeight;
      p.captionTop = Twips(field.top - x);
      shape.top = Twips(shapeBW / 2.0);
    } else {
      shape.top = Twips(double(field.top) + field.height + capH - shape.height - shapeBW / 2.0);
      p.captionTop = Twips(double(field.top) + field.height + in.captionOffset);
    }
    if (align != TipoAlinhamento::FieldRight) {
      p.captionLeft =
          align == TipoAlinhamento::FieldLeft ? Twips(shapeBW / 2.0 + capGap) : field.left;
      shape.left = Twips(shapeBW / 2.0);
    } else {
      p.captionLeft = Twips(double(field.left) + field.width + in.captionOffset);
      shape.left = Twips(double(p.captionLeft) + in.captionWidth + capGap - shape.width);
    }
  }

  // A check or option box beside a caption without a shape stands level with its middle.
  const bool centre = !in.fillVisible && !topBottom;
  if (kind == TipoDeCampo::Boolean) {
    if (centre) field.top = Twips(p.captionTop + (double(in.captionHeight) - field.height) / 2);
    p.drawBorder = true;
  } else if (kind == TipoDeCampo::Option) {
    if (centre)
      p.optionMark->top =
          Twips(p.captionTop + (double(in.captionHeight) - p.optionMark->height) / 2);
  } else {
    // The parts inside the field's border: the edit box, the button at the right end, the
    // spinner bar along the bottom or beside the button.
    const bool threeD = in.appearance == Aparencia::ThreeD;
    const bool fixedSingle = in.borderStyle == TipoBorda::FixedSingle;
    const float d = (threeD        ? 2.0f * in.drawWidth
                     : fixedSingle ? in.drawWidth
                                   : 0) *
                    in.twipsPerPixelX;
    const float sw = field.width - in.fieldBorderWidth;
    const float sh = field.height - in.fieldBorderHeight;
    p.editBox =
        Placement{d, d, NonNegative(sw - spinW - buttonW - 2 * d), NonNegative(sh - spinH - 2 * d)};
    if (in.browse != TipoBot::None)
      p.browseButton = Placement{sw - buttonW - d, d, float(buttonW), NonNegative(sh - 2 * d)};
    if (spinner) {
      if (horizontal)
        p.spinnerBar =
            Placement{d, sh - spinH - d, NonNegative(sw - 2 * d - buttonW), float(spinH)};
      else
        p.spinnerBar =
            Placement{sw - spinW - buttonW - d, d, float(spinW), NonNegative(sh - 2 * d)};
    }
    p.drawBorder = true;
    p.clearBorder = true;
  }
  return p;
}

LayoutPlan ComputeLayout(const LayoutInput& in) {
  const LayoutRoom room = ComputeLayoutRoom(in);
  const float w =
      in.surfaceWidth < room.minWidth ? static_cast<float>(room.minWidth) : in.surfaceWidth;
  const float h =
      in.surfaceHeight < room.minHeight ? static_cast<float>(room.minHeight) : in.surfaceHeight;
  return ComputeLayout(in, room, w, h);
}

}  // namespace orvo
