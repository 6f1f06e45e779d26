// Property reads that return the member the property keeps, as it is kept.
#include "control/orvo_mask_impl.h"

namespace orvo {

std::string OrvoMask::SelectFilter() const {
  return d_->m_.SelectFilter;
}
std::string OrvoMask::Filter() const {
  return d_->m_.Filter;
}
Variant OrvoMask::BookMark() const {
  return d_->m_.BookMark;
}
Color OrvoMask::ColorNoFocus() const {
  return d_->m_.ColorNoFocus;
}
Color OrvoMask::ColorOnFocus() const {
  return d_->m_.ColorOnFocus;
}
bool OrvoMask::MultiLine() const {
  return d_->m_.MultiLine != 0;
}
bool OrvoMask::SelectOnFocus() const {
  return d_->m_.SelectOnFocus != 0;
}
TipoBot OrvoMask::BrowseVisible() const {
  return d_->m_.BrowseVisible;
}
int16_t OrvoMask::CaptionOffset() const {
  return d_->m_.CaptionOffset;
}
int16_t OrvoMask::Min() const {
  return d_->m_.MinValue;
}
TipoBorda OrvoMask::BorderStyle() const {
  return d_->m_.BorderStyle;
}
Aparencia OrvoMask::Appearance() const {
  return d_->m_.Appearance;
}
Orientacao OrvoMask::Orientation() const {
  return d_->m_.Orientation;
}
std::string OrvoMask::IndexField() const {
  return d_->m_.IndexField;
}
std::string OrvoMask::IndexBound() const {
  return d_->m_.IndexBound;
}
std::string OrvoMask::BoundColumn() const {
  return d_->m_.BoundColumn;
}
std::string OrvoMask::ListFields() const {
  return d_->m_.ListFields;
}
std::string OrvoMask::Mask() const {
  return d_->m_.Mask;
}
TipoDeCampo OrvoMask::DataType() const {
  return d_->m_.DataType;
}
std::string OrvoMask::StuffChar() const {
  return d_->m_.StuffChar;
}
TipoAlinhamento OrvoMask::Alignment() const {
  return d_->m_.Alignment;
}
EstiloShape OrvoMask::FillStyleOnFocus() const {
  return d_->m_.FillStyleOnFocus;
}
EstiloShape OrvoMask::FillStyleNoFocus() const {
  return d_->m_.FillStyleNoFocus;
}
bool OrvoMask::Enabled() const {
  return d_->m_.Enabled != 0;
}

}  // namespace orvo
