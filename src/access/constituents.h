// Constituents: the control's constituent widgets, for tools that drive the control as a
// user would or read what its widgets show (scripts, tests, benchmarks). Applications see
// none of them: they are the control's own.
#pragma once

#include <array>
#include <memory>

#include "control/orvo_mask_impl.h"

namespace orvo {

struct Constituents {
  explicit Constituents(OrvoMask& c)
      : txt(OrvoMaskImpl::Of(c).txt),
        lab(OrvoMaskImpl::Of(c).lab),
        pic(OrvoMaskImpl::Of(c).pic),
        img(OrvoMaskImpl::Of(c).img),
        shp(OrvoMaskImpl::Of(c).shp),
        bot(OrvoMaskImpl::Of(c).bot),
        scrV(OrvoMaskImpl::Of(c).scrV),
        scrH(OrvoMaskImpl::Of(c).scrH),
        hok(OrvoMaskImpl::Of(c).hok) {}

  std::array<std::unique_ptr<TextBox>, 3>& txt;
  std::unique_ptr<Label>& lab;
  std::unique_ptr<PictureBox>& pic;
  std::unique_ptr<Image>& img;
  std::unique_ptr<orvo::Shape>& shp;
  std::unique_ptr<CommandButton>& bot;
  std::unique_ptr<ScrollBar>& scrV;
  std::unique_ptr<ScrollBar>& scrH;
  std::unique_ptr<MessageHook>& hok;
};

}  // namespace orvo
