// CalcForm: the calculator popup form, one per process: a display, a memory indicator and 25
// keys over the Calculator, closing into the field that opened it.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "base/locale_settings.h"
#include "platform/host_services.h"
#include "platform/popup_widgets.h"
#include "popups/calculator.h"
#include "popups/popup_owner.h"

namespace orvo {

class CalcForm {
 public:
  // Loads the form: its size, display, memory indicator and keys with their faces.
  CalcForm(HostServices& host, const LocaleSettings& locale);
  ~CalcForm();
  CalcForm(const CalcForm&) = delete;
  CalcForm& operator=(const CalcForm&) = delete;

  PopupForm& Form() { return *form_; }
  HostServices& Host() const { return host_; }
  const Calculator& Calc() const { return calc_; }
  std::string DisplayText() const { return lab->Caption(); }
  bool MemoryShown() const { return !labMemo->Caption().empty(); }
  CommandButton& Button(int16_t index) { return *bot[index]; }

  // Prepares the calculator for `owner`'s field from its start string ("12,5|####0.00").
  void IniciaCalc(PopupOwner& owner, const std::string& start, const LocaleSettings& locale);
  // Closes the calculator for `owner`: the hook off without an event, the parent form's style
  // back, the form hidden.
  void Descarrega(PopupOwner& owner);
  // `owner` is going away: the calculator forgets it (closing first when it is open for it).
  void ForgetOwner(PopupOwner& owner);
  // Closes the calculator for whichever field has it open, as when the form is unloaded.
  void CloseForOwner();

  // Button click and previewed key, as the widgets raise them.
  void ButtonClick(int16_t index);
  void KeyDown(int16_t& keyCode);

  std::unique_ptr<Label> lab;
  std::unique_ptr<Label> labMemo;
  std::array<std::unique_ptr<CommandButton>, calc::kButtonCount> bot;

 private:
  void Apply(CalcOutcome outcome);
  void ShowState();
  void DrawFrame();

  HostServices& host_;
  std::unique_ptr<PopupForm> form_;
  Calculator calc_;
  PopupOwner* owner_ = nullptr;
};

}  // namespace orvo
