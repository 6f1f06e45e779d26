// CompileMask as the control runs it: compiles Mask for DataType and applies the length rules.
#include "control/orvo_mask_impl.h"

namespace orvo {

void OrvoMaskImpl::CompileMask() {
  MaskCompilation c =
      orvo::CompileMask(m_.Mask, m_.DataType, !m_.ListFields.empty(), locale_.dateOrder);
  if (c.clearMask) {
    // A list field has no mask; the multi-line box is never touched here.
    m_.Mask.clear();
    txt[0]->SetMaxLength(0);
    txt[1]->SetMaxLength(0);
  }
  m_.compiled = std::move(c.compiled);
  if (c.setMaxLength) {
    txt[0]->SetMaxLength(c.maxLength);
    txt[1]->SetMaxLength(c.maxLength);
  }
}

}  // namespace orvo
