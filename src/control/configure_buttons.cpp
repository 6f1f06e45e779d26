// ConfigureButtons: shows and arms the browse button and the spinner bars for the field kind.
#include "appearance/spinner_bars.h"
#include "control/orvo_mask_impl.h"

namespace orvo {

void OrvoMaskImpl::ConfigureButtons(int32_t& orientation) {
  m_.Orientation = orientation == 1 ? Orientacao::Horizontal : Orientacao::Vertical;
  const bool checkKind = m_.DataType == TipoDeCampo::Boolean || m_.DataType == TipoDeCampo::Option;
  if (checkKind && m_.BrowseVisible != TipoBot::None) m_.BrowseVisible = TipoBot::None;

  const bool locked = txt[0]->Locked();
  if (static_cast<int32_t>(m_.BrowseVisible) <= 0) {
    bot->SetVisible(false);
  } else {
    bot->SetPicture(m_.BrowseVisible == TipoBot::Ellipsis ? txt[0]->MouseIcon()
                                                          : txt[1]->MouseIcon());
    bot->SetVisible(true);
    bot->SetEnabled(!locked);
  }

  SpinnerBars bars(*scrV, *scrH);
  if (m_.DataType == TipoDeCampo::Spinner)
    bars.Arm(m_.Orientation, locked);
  else
    bars.Hide();
}

}  // namespace orvo
