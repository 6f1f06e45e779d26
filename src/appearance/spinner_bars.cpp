// The spinner bars' range, steps and which of the two shows.
#include "appearance/spinner_bars.h"

namespace orvo {

void SpinnerBars::Arm(Orientacao orientation, bool locked) {
  v_.SetMax(h_.Min());
  v_.SetMin(h_.Max());
  const bool horizontal = orientation == Orientacao::Horizontal;
  ScrollBar& shown = horizontal ? h_ : v_;
  ScrollBar& hidden = horizontal ? v_ : h_;
  hidden.SetVisible(false);
  shown.SetVisible(true);
  shown.SetEnabled(!locked);
}

void SpinnerBars::Hide() {
  v_.SetVisible(false);
  h_.SetVisible(false);
}

}  // namespace orvo
