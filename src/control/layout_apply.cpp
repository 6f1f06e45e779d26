// The layout pass of the control: which widgets show for the field kind, measuring them,
// and applying the plan of places (twips) and the field border to them.
#include "appearance/caption.h"
#include "appearance/field_border.h"
#include "appearance/layout.h"
#include "base/error.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"

namespace orvo {

namespace {

void Place(Widget& w, const Placement& p) {
  w.Move(p.left, p.top, p.width, p.height);
}

}  // namespace

void OrvoMaskImpl::SelectEditWidgets() {
  const TipoDeCampo kind = m_.DataType;
  const bool option = kind == TipoDeCampo::Option;
  if (img->Visible() != option) img->SetVisible(option);
  if (pic->Visible() != !option) pic->SetVisible(!option);
  m_.ActiveTextIndex =
      EditBoxFor(kind, m_.MultiLine != 0, !m_.ListFields.empty(), q_.ComLstExt() != 0);
  const bool checkKind = kind == TipoDeCampo::Boolean || option;
  for (int16_t i = 0; i < 3; ++i) txt[i]->SetVisible(i == m_.ActiveTextIndex && !checkKind);
  pic->ZOrder(1);
}

// Measures the settings and widgets the layout reads, as the pass begins.
LayoutInput OrvoMaskImpl::MeasureLayout() const {
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
  if (!d_->m_.LayoutReady) return;
  const LayoutInput in = d_->MeasureLayout();
  const LayoutRoom room = ComputeLayoutRoom(in);
  if (d_->site_.Width() < room.minWidth) d_->site_.SetWidth(static_cast<float>(room.minWidth));
  if (d_->site_.Height() < room.minHeight) d_->site_.SetHeight(static_cast<float>(room.minHeight));
  const LayoutPlan plan = ComputeLayout(in, room, d_->site_.ScaleWidth(), d_->site_.ScaleHeight());

  const TipoDeCampo kind = d_->m_.DataType;
  Place(*d_->pic, plan.field);
  if (plan.optionMark) Place(*d_->img, *plan.optionMark);
  if (plan.captionPlaced) {
    Place(*d_->shp, plan.shape);
    if (d_->lab->Top() != plan.captionTop) d_->lab->SetTop(plan.captionTop);
    if (d_->lab->Left() != plan.captionLeft) d_->lab->SetLeft(plan.captionLeft);
    d_->lab->ZOrder(0);
    d_->lab->Refresh();
    if (d_->site_.hWnd() == Process().gFocusedHwnd) d_->DrawCaptionFocus();
  }
  if (kind == TipoDeCampo::Boolean) {
    d_->pic->ZOrder(0);
    d_->pic->SetPicture(d_->m_.CheckValue ? d_->bot->MouseIcon() : nullptr);
  } else if (kind == TipoDeCampo::Option) {
    d_->img->ZOrder(0);
    bool selected = false;
    try {
      selected = d_->site_.Index() == d_->m_.CheckValue;
    } catch (const Error&) {
      // Not an element of a control array: the unselected mark.
    }
    d_->img->SetPicture(selected ? d_->scrV->MouseIcon() : d_->scrH->MouseIcon());
  } else {
    Place(d_->ActiveBox(), *plan.editBox);
    if (plan.browseButton) Place(*d_->bot, *plan.browseButton);
    if (plan.spinnerBar)
      Place(d_->m_.Orientation == Orientacao::Horizontal ? *d_->scrH : *d_->scrV, *plan.spinnerBar);
  }
  if (plan.drawBorder) {
    int16_t clear = plan.clearBorder ? -1 : 0;
    d_->DrawFieldBorder(clear);
  }
}

// Paints the flat or sunken border on the field's picture box (twips).
void OrvoMaskImpl::DrawFieldBorder(int16_t& Clear) {
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
