// CompileMask as the control runs it: compiles Mask for DataType and applies the length rules.
#include "control/orvo_mask_impl.h"

namespace orvo {

void OrvoMask::CompileMask() {
  MaskCompilation c = orvo::CompileMask(d_->m_.Mask, d_->m_.DataType, !d_->m_.ListFields.empty(),
                                        d_->locale_.dateOrder);
  if (c.clearMask) {
    // A list field has no mask; the multi-line box is never touched here.
    d_->m_.Mask.clear();
    d_->txt[0]->SetMaxLength(0);
    d_->txt[1]->SetMaxLength(0);
  }
  d_->m_.compiled = std::move(c.compiled);
  if (c.setMaxLength) {
    d_->txt[0]->SetMaxLength(c.maxLength);
    d_->txt[1]->SetMaxLength(c.maxLength);
  }
}

}  // namespace orvo
