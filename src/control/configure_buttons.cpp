// ConfigureButtons: shows and arms the browse button and the spinner bars for the field kind.
#include "appearance/spinner_bars.h"
#include "control/orvo_mask_impl.h"

namespace orvo {

void OrvoMask::ConfigureButtons(int32_t& orientation) {
  d_->m_.Orientation = orientation == 1 ? Orientacao::Horizontal : Orientacao::Vertical;
  const bool checkKind =
      d_->m_.DataType == TipoDeCampo::Boolean || d_->m_.DataType == TipoDeCampo::Option;
  if (checkKind && d_->m_.BrowseVisible != TipoBot::None) d_->m_.BrowseVisible = TipoBot::None;

  const bool locked = d_->txt[0]->Locked();
  if (static_cast<int32_t>(d_->m_.BrowseVisible) <= 0) {
    d_->bot->SetVisible(false);
  } else {
    d_->bot->SetPicture(d_->m_.BrowseVisible == TipoBot::Ellipsis ? d_->txt[0]->MouseIcon()
                                                                  : d_->txt[1]->MouseIcon());
    d_->bot->SetVisible(true);
    d_->bot->SetEnabled(!locked);
  }

  SpinnerBars bars(*d_->scrV, *d_->scrH);
  if (d_->m_.DataType == TipoDeCampo::Spinner)
    bars.Arm(d_->m_.Orientation, locked);
  else
    bars.Hide();
}

}  // namespace orvo
