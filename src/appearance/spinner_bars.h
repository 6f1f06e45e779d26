// SpinnerBars: the spinner's two scroll bars, which keep opposite ends of one range so that
// up on the vertical bar and right on the horizontal one both count up.
#pragma once

#include "appearance/appearance_enums.h"
#include "platform/widgets.h"

namespace orvo {

class SpinnerBars {
 public:
  SpinnerBars(ScrollBar& vertical, ScrollBar& horizontal) : v_(vertical), h_(horizontal) {}

  // Shows the bar of the orientation, enabled unless the field is locked, and hides the
  // other; the vertical bar takes the horizontal one's range reversed.
  void Arm(Orientacao orientation, bool locked);
  void Hide();

 private:
  ScrollBar& v_;
  ScrollBar& h_;
};

}  // namespace orvo
