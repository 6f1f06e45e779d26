// The calculator popup form: its keys' layout, and the way a result goes back to the field.
#include "popups/calc_form.h"

#include "base/error.h"

namespace orvo {

namespace {

// The form as designed (twips): five columns and five rows of keys under the display.
constexpr float kFormWidth = 1635, kFormHeight = 1620;
constexpr float kKeyWidth = 300, kFirstRowHeight = 195, kRowHeight = 240;
constexpr int16_t kAlignRight = 1, kBorderDisplay = 1;
constexpr float kMemoryFontSize = 6;
constexpr float kColumnLefts[5] = {45, 360, 660, 960, 1260};
constexpr float kRowTops[5] = {330, 585, 825, 1065, 1305};
constexpr int16_t kKeyAt[5][5] = {
    {calc::kMemoryRecall, calc::kMemoryMinus, calc::kMemoryPlus, calc::kMemoryClear, calc::kAccept},
    {calc::kSignChange, calc::kDigit0 + 7, calc::kDigit0 + 8, calc::kDigit0 + 9, calc::kDivide},
    {calc::kPercent, calc::kDigit0 + 4, calc::kDigit0 + 5, calc::kDigit0 + 6, calc::kMultiply},
    {calc::kSquareRoot, calc::kDigit0 + 1, calc::kDigit0 + 2, calc::kDigit0 + 3, calc::kSubtract},
    {calc::kClear, calc::kDigit0, calc::kDecimalPoint, calc::kEquals, calc::kAdd},
};

}  // namespace

CalcForm::CalcForm(HostServices& host, const LocaleSettings& locale)
    : host_(host), form_(host.CreatePopupForm()) {
  form_->Move(host.ScreenWidth() / 2, 0, kFormWidth, kFormHeight);
  // The display shows the number at its right end; the memory indicator stands over its left.
  lab = form_->CreateLabel();
  lab->SetAutoSize(false);
  lab->SetAlignment(kAlignRight);
  lab->SetBorderStyle(kBorderDisplay);
  lab->Move(60, 60, 1515, 255);
  labMemo = form_->CreateLabel();
  labMemo->SetAutoSize(false);
  labMemo->Move(110, 110, 105, 135);
  // The indicator is sized for a small letter.
  FontRef small = labMemo->Font()->Clone();
  small->size = kMemoryFontSize;
  labMemo->SetFont(small);
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 5; ++c) {
      const int16_t index = kKeyAt[r][c];
      // The keys up to the digits carry captions, the decimal key the separator of the locale
      // the calculator was loaded under; the others carry pictures named for their role.
      if (index > calc::kDigit9) {
        bot[index] = form_->CreateButton("");
        bot[index]->SetPicture(std::make_shared<Picture>("calc:" + calc_.Caption(index)));
      } else {
        bot[index] = form_->CreateButton(index == calc::kDecimalPoint ? locale.decimalSeparator
                                                                      : calc_.Caption(index));
      }
      bot[index]->Move(kColumnLefts[c], kRowTops[r], kKeyWidth,
                       r == 0 ? kFirstRowHeight : kRowHeight);
      bot[index]->OnClick = [this, index] { ButtonClick(index); };
      // The form previews every key going down, whichever key has the focus.
      bot[index]->OnKeyDown = [this](int16_t& keyCode, int16_t&) { KeyDown(keyCode); };
    }
  }
  form_->OnKeyDown = [this](int16_t& keyCode, int16_t&) { KeyDown(keyCode); };
}

CalcForm::~CalcForm() = default;

void CalcForm::IniciaCalc(PopupOwner& owner, const std::string& start,
                          const LocaleSettings& locale) {
  owner_ = &owner;
  calc_.IniciaCalc(start, locale);
  ShowState();
  DrawFrame();
}

// A raised frame round the client area: white along the left and top, black along the
// right and bottom, one pixel inside the edge.
void CalcForm::DrawFrame() {
  const float w = form_->ScaleWidth(), h = form_->ScaleHeight();
  const float px = host_.TwipsPerPixelX(), py = host_.TwipsPerPixelY();
  constexpr Color kWhite = 0xFFFFFF, kBlack = 0;
  form_->Cls();
  form_->Line(0, 0, 0, h - py, kWhite);
  form_->Line(0, 0, w - px, 0, kWhite);
  form_->Line(w - px, 0, w - px, h - py, kBlack);
  form_->Line(0, h - py, w - px, h - py, kBlack);
}

void CalcForm::ShowState() {
  lab->SetCaption(calc_.Display());
  labMemo->SetCaption(calc_.MemoryShown() ? "M" : "");
  for (int16_t i = 0; i < calc::kButtonCount; ++i) bot[i]->SetEnabled(calc_.Enabled(i));
}

void CalcForm::ButtonClick(int16_t index) {
  Apply(calc_.Press(index));
}

void CalcForm::KeyDown(int16_t& keyCode) {
  const int16_t button = Calculator::ButtonForKey(keyCode);
  if (button == calc::kNoButton) return;
  // The key is the calculator's: the focused key does not act on it too.
  keyCode = 0;
  Apply(button == calc::kCancel ? CalcOutcome::Cancel : calc_.Press(button));
}

void CalcForm::Apply(CalcOutcome outcome) {
  if (outcome == CalcOutcome::Stay) {
    ShowState();
    try {
      bot[calc::kAccept]->SetFocus();
    } catch (const Error&) {
      // The accept key may not take the focus (the form is hidden): the key still counts.
    }
    return;
  }
  PopupOwner* owner = owner_;
  if (!owner) return;
  owner_ = nullptr;
  const std::string result = calc_.Display();
  // "Mask Error" is no number: accepting it leaves the field as it was.
  const bool write = outcome == CalcOutcome::Accept && result != kCalcMaskError;
  Descarrega(*owner);
  owner->VoltaFoco();
  if (outcome == CalcOutcome::Accept && !write) host_.Beep();
  // The owner lets go of the popup before the text is written: the field's Change handler
  // may do anything, destroying the control included.
  owner->PopupClosed();
  if (write) owner->SetText(result);
}

void CalcForm::Descarrega(PopupOwner& owner) {
  int32_t liga = 0;
  bool geraEvento = false;
  owner.LigaDesligaHok(liga, geraEvento);
  if (form_->Visible()) {
    host_.SetWindowLong(owner.WndForm(), kGwlStyle, owner.EstiloForm());
    form_->Hide();
  }
}

void CalcForm::ForgetOwner(PopupOwner& owner) {
  if (owner_ != &owner) return;
  owner_ = nullptr;
  if (form_->Visible()) form_->Hide();
}

void CalcForm::CloseForOwner() {
  PopupOwner* owner = owner_;
  owner_ = nullptr;
  if (!owner) return;
  Descarrega(*owner);
  owner->PopupClosed();
}

}  // namespace orvo
