// The layout pass of the control: which widgets show for the field kind, measuring them,
// and applying the plan of places (twips) and the field border to them.
#include "appearance/caption.h"
#include "appearance/field_border.h"
#include "appearance/layout.h"
#include "base/error.h"
#include "control/orvo_mask.h"
#include "control/process_state.h"

namespace orvo {

namespace {

void Place(Widget& w, const Placement& p) {
  w.Move(p.left, p.top, p.width, p.height);
}

}  // namespace

void OrvoMask::SelectEditWidgets() {
  const TipoDeCampo kind = m_.DataType;
  const bool option = kind == TipoDeCampo::Option;
  if (img->Visible() != option) img->SetVisible(option);
  if (pic->Visible() != !option) pic->SetVisible(!option);
  m_.ActiveTextIndex =
      EditBoxFor(kind, m_.MultiLine != 0, !m_.ListFields.empty(), ComLstExt() != 0);
  const bool checkKind = kind == TipoDeCampo::Boolean || option;
  for (int16_t i = 0; i < 3; ++i) txt[i]->SetVisible(i == m_.ActiveTextIndex && !checkKind);
  pic->ZOrder(1);
}

// Measures the settings and widgets the layout reads, as the pass begins.
LayoutInput OrvoMask::MeasureLayout() const {
  HostServices& host = site_.Services();
  LayoutInput in;
  in.kind = m_.DataType;
  in.alignment = m_.Alignment;
  in.appearance = m_.Appearance;
  in.borderStyle = m_.BorderStyle;
  in.browse = m_.BrowseVisible;
  in.orientation = m_.Orientation;
  in.captionOffset = m_.CaptionOffset;
  in.hasCaption = !lab->Caption().empty();
  in.fillVisible = in.hasCaption && CaptionFillVisible(m_.FillStyleOnFocus, m_.FillStyleNoFocus);
  in.twipsPerPixelX = host.TwipsPerPixelX();
  in.twipsPerPixelY = host.TwipsPerPixelY();
  in.digitWidth = site_.TextWidth("0");
  in.digitHeight = site_.TextHeight("0");
  in.fieldBorderWidth = pic->Width() - pic->ScaleWidth();
  in.fieldBorderHeight = pic->Height() - pic->ScaleHeight();
  in.drawWidth = pic->DrawWidth();
  in.captionWidth = lab->Width();
  in.captionHeight = lab->Height();
  in.captionLeft = lab->Left();
  in.captionTop = lab->Top();
  in.shapeBorderWidth = shp->BorderWidth();
  in.spinnerWidth = scrV->Width();
  in.spinnerHeight = scrH->Height();
  in.surfaceWidth = site_.ScaleWidth();
  in.surfaceHeight = site_.ScaleHeight();
  return in;
}

// Growing the surface to its least size raises a nested pass, which lays everything out on
// the new size; this pass then lays the parts out again on the size the surface ended with.
void OrvoMask::UserControl_Resize() {
  if (!m_.LayoutReady) return;
  const LayoutInput in = MeasureLayout();
  const LayoutRoom room = ComputeLayoutRoom(in);
  if (site_.Width() < room.minWidth) site_.SetWidth(static_cast<float>(room.minWidth));
  if (site_.Height() < room.minHeight) site_.SetHeight(static_cast<float>(room.minHeight));
  const LayoutPlan plan = ComputeLayout(in, room, site_.ScaleWidth(), site_.ScaleHeight());

  const TipoDeCampo kind = m_.DataType;
  Place(*pic, plan.field);
  if (plan.optionMark) Place(*img, *plan.optionMark);
  if (plan.captionPlaced) {
    Place(*shp, plan.shape);
    if (lab->Top() != plan.captionTop) lab->SetTop(plan.captionTop);
    if (lab->Left() != plan.captionLeft) lab->SetLeft(plan.captionLeft);
    lab->ZOrder(0);
    lab->Refresh();
    if (site_.hWnd() == Process().gFocusedHwnd) DrawCaptionFocus();
  }
  if (kind == TipoDeCampo::Boolean) {
    pic->ZOrder(0);
    pic->SetPicture(m_.CheckValue ? bot->MouseIcon() : nullptr);
  } else if (kind == TipoDeCampo::Option) {
    img->ZOrder(0);
    bool selected = false;
    try {
      selected = site_.Index() == m_.CheckValue;
    } catch (const Error&) {
      // Not an element of a control array: the unselected mark.
    }
    img->SetPicture(selected ? scrV->MouseIcon() : scrH->MouseIcon());
  } else {
    Place(ActiveBox(), *plan.editBox);
    if (plan.browseButton) Place(*bot, *plan.browseButton);
    if (plan.spinnerBar)
      Place(m_.Orientation == Orientacao::Horizontal ? *scrH : *scrV, *plan.spinnerBar);
  }
  if (plan.drawBorder) {
    int16_t clear = plan.clearBorder ? -1 : 0;
    DrawFieldBorder(clear);
  }
}

// Paints the flat or sunken border on the field's picture box (twips).
void OrvoMask::DrawFieldBorder(int16_t& Clear) {
  const std::vector<DrawnLine> lines =
      FieldBorderLines(m_.Appearance, m_.BorderStyle, pic->Width(), pic->Height(),
                       pic->DrawWidth() * site_.Services().TwipsPerPixelX(),
                       pic->DrawWidth() * site_.Services().TwipsPerPixelY());
  if (lines.empty()) return;
  pic->SetAutoRedraw(true);
  if (Clear) pic->Cls();
  for (const DrawnLine& l : lines) pic->Line(l.x1, l.y1, l.x2, l.y2, l.color);
  pic->SetAutoRedraw(false);
}

}  // namespace orvo
