// The calculator's keys and arithmetic.
#include "popups/calculator.h"

#include <cmath>

#include "base/format.h"
#include "base/key_codes.h"
#include "mask/format_text.h"

namespace orvo {

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

bool IsDigitButton(int16_t index) {
  return index >= calc::kDigit0 && index <= calc::kDigit9;
}

}  // namespace

void Calculator::IniciaCalc(const std::string& start, const LocaleSettings& locale) {
  locale_ = locale;
  size_t bar = start.find('|');
  CalcDisplay = ParseNumber(start.substr(0, bar), locale_.decimalSeparator);
  CalcFormat = bar == std::string::npos ? "" : start.substr(bar + 1);
  CalcMemory = 0;
  enabled_.fill(true);
  enabled_[calc::kDecimalPoint] = CalcFormat.find('.') != std::string::npos;
  for (int16_t i = calc::kMemoryRecall; i <= calc::kMemoryClear; ++i) enabled_[i] = false;
  InicializaDisplay();
  OperatorEntered = false;
  PendingOperator = 0;
}

// A value the format cannot hold in its own width, and anything that is not a finite number
// (a division by zero, a huge product), shows "Mask Error" and leaves 0 to work on.
void Calculator::ShowNumber(double value) {
  std::string s = std::isfinite(value) ? Format(Variant(value), CalcFormat, locale_) : "";
  if (std::isfinite(value) && s.size() <= CalcFormat.size()) {
    display_ = s;
  } else {
    display_ = kCalcMaskError;
    CalcDisplay = 0;
  }
}

void Calculator::InicializaDisplay() {
  ShowNumber(CalcDisplay);
  DecimalEntry = false;
  ResultShown = false;
  DecimalPosition = 0;
  OperatorEntered = false;
  if (ClearCount > 1) {
    CalcAccumulator = 0;
    ClearCount = 0;
  }
}

double Calculator::DisplayValue() const {
  return ParseNumber(display_, locale_.decimalSeparator);
}

// "12,50" and 9 -> "129,50" while the text is shorter than the format; after the decimal
// point the digits overwrite the places one by one, the last place over and over.
void Calculator::TrataNumeros(int16_t index) {
  // After "Mask Error" the display holds 0: the digit starts a new number.
  const std::string c = display_ == kCalcMaskError ? "" : display_;
  const std::string& sep = locale_.decimalSeparator;
  const char digit = static_cast<char>('0' + index - calc::kDigit0);
  size_t k = sep.empty() ? std::string::npos : c.find(sep);
  std::string integer = Trim(c.substr(0, k));
  std::string fraction = k == std::string::npos ? "" : Trim(c.substr(k + sep.size()));
  integer.erase(0, integer.find_first_not_of('0'));
  if (!DecimalEntry) {
    if (c.size() < CalcFormat.size()) integer += digit;
  } else if (!fraction.empty()) {
    // A format without decimal places has no place to write to: the digit is dropped.
    const auto places = static_cast<int16_t>(fraction.size());
    DecimalPosition = DecimalPosition < places ? DecimalPosition + 1 : places;
    fraction[DecimalPosition - 1] = digit;
  }
  ShowNumber(ParseNumber(integer + sep + fraction, sep));
  CalcDisplay = DisplayValue();
}

void Calculator::Compute(int16_t key) {
  const double r = DisplayValue();
  const bool percent = key == calc::kPercent;
  const double acc = CalcAccumulator;
  switch (PendingOperator) {
    case calc::kDivide:
      CalcDisplay = percent ? acc / (CalcDisplay / 100) : acc / r;
      break;
    case calc::kMultiply:
      CalcDisplay = percent ? acc * CalcDisplay / 100 : r * acc;
      break;
    case calc::kSubtract:
      CalcDisplay = percent ? acc - acc * CalcDisplay / 100 : acc - r;
      break;
    case calc::kAdd:
      CalcDisplay = percent ? acc * CalcDisplay / 100 + acc : r + acc;
      break;
    default:
      break;
  }
  ShowNumber(CalcDisplay);
  CalcDisplay = DisplayValue();
  DecimalEntry = false;
  OperatorEntered = false;
  PendingOperator = 0;
  CalcAccumulator = 0;
  ResultShown = true;
}

// A chain is worked out from left to right: 2 + 3 x 4 = gives 20. A second operation key in
// a row only replaces the pending one.
void Calculator::Operation(int16_t index) {
  if (!OperatorEntered) Compute(index);
  PendingOperator = index;
  CalcAccumulator = DisplayValue();
  ShowNumber(CalcDisplay);
  CalcDisplay = DisplayValue();
  DecimalEntry = false;
  OperatorEntered = true;
}

CalcOutcome Calculator::Press(int16_t index) {
  if (index == calc::kAccept) return CalcOutcome::Accept;
  if (index < 0 || index >= calc::kButtonCount) return CalcOutcome::Stay;
  if (IsDigitButton(index)) {
    ClearCount = 0;
    if ((OperatorEntered || ResultShown) && !DecimalEntry) {
      CalcDisplay = 0;
      InicializaDisplay();
    }
    TrataNumeros(index);
  } else {
    switch (index) {
      case calc::kDecimalPoint:
        if (!DecimalEntry && (OperatorEntered || ResultShown)) {
          CalcDisplay = 0;
          InicializaDisplay();
        }
        ResultShown = false;
        DecimalEntry = true;
        DecimalPosition = 0;
        break;
      case calc::kEquals:
      case calc::kPercent:
        Compute(index);
        break;
      case calc::kDivide:
      case calc::kMultiply:
      case calc::kSubtract:
      case calc::kAdd:
        Operation(index);
        break;
      case calc::kClear:
        // Once clears the display; twice without a digit between also the accumulator.
        ++ClearCount;
        CalcDisplay = 0;
        InicializaDisplay();
        break;
      case calc::kSignChange:
        CalcDisplay = -CalcDisplay;
        ShowNumber(CalcDisplay);
        CalcDisplay = DisplayValue();
        break;
      case calc::kSquareRoot:
        // The key is disabled below 0; a negative root shows "Mask Error" all the same.
        ShowNumber(std::sqrt(CalcDisplay));
        CalcDisplay = DisplayValue();
        DecimalEntry = false;
        ResultShown = true;
        break;
      case calc::kMemoryRecall:
        CalcDisplay = CalcMemory;
        ShowNumber(CalcMemory);
        ResultShown = false;  // further digits extend the recalled number
        break;
      case calc::kMemoryMinus:
      case calc::kMemoryPlus:
        CalcMemory += (index == calc::kMemoryPlus ? 1 : -1) * DisplayValue();
        ResultShown = true;
        break;
      case calc::kMemoryClear:
        CalcMemory = 0;
        ResultShown = true;
        break;
      default:
        break;
    }
  }
  UpdateEnabled();
  return CalcOutcome::Stay;
}

void Calculator::UpdateEnabled() {
  enabled_[calc::kSquareRoot] = CalcDisplay >= 0;
  enabled_[calc::kMemoryRecall] = enabled_[calc::kMemoryClear] = CalcMemory > 0;
  enabled_[calc::kMemoryMinus] = enabled_[calc::kMemoryPlus] = CalcDisplay > 0;
}

int16_t Calculator::ButtonForKey(int16_t keyCode) {
  if (keyCode >= vk::kNumpad0 && keyCode <= vk::kNumpad0 + 9)
    return static_cast<int16_t>(keyCode - vk::kNumpad0 + calc::kDigit0);
  switch (keyCode) {
    case vk::kOemPlus:  // the "=" key
      return calc::kEquals;
    case vk::kDecimal:
      return calc::kDecimalPoint;
    case vk::kKeyA + ('C' - 'A'):
      return calc::kClear;
    case vk::kDivide:
      return calc::kDivide;
    case vk::kMultiply:
      return calc::kMultiply;
    case vk::kSubtract:
      return calc::kSubtract;
    case vk::kAdd:
      return calc::kAdd;
    case vk::kEscape:
      return calc::kCancel;
    default:
      return calc::kNoButton;
  }
}

CalcOutcome Calculator::KeyDown(int16_t keyCode) {
  int16_t button = ButtonForKey(keyCode);
  if (button == calc::kCancel) return CalcOutcome::Cancel;
  if (button == calc::kNoButton) return CalcOutcome::Stay;
  return Press(button);
}

bool Calculator::Enabled(int16_t index) const {
  return index >= 0 && index < calc::kButtonCount && enabled_[index];
}

std::string Calculator::Caption(int16_t index) const {
  static const char* const kFaces[] = {"MR", "M-", "M+", "MC", "+/-", "%", "sqrt",
                                       "C",  "/",  "*",  "-",  "+",   "OK"};
  if (index == calc::kEquals) return "=";
  if (index == calc::kDecimalPoint) return locale_.decimalSeparator;
  if (IsDigitButton(index)) return std::string(1, static_cast<char>('0' + index - calc::kDigit0));
  if (index >= calc::kMemoryRecall && index <= calc::kAccept) return kFaces[index - 12];
  return "";
}

}  // namespace orvo
