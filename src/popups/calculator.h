// Calculator: the state and arithmetic of the four-function calculator popup, with no widget.
// The popup form shows Display(), MemoryShown() and each key's Enabled(), and forwards its
// button clicks (Press) and previewed keys (KeyDown).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/locale_settings.h"

namespace orvo {

// Button indices of the calculator. 0 to 11 carry the captions "=", the decimal separator
// and "0".."9"; the others carry faces of their own.
namespace calc {
inline constexpr int16_t kEquals = 0;
inline constexpr int16_t kDecimalPoint = 1;
inline constexpr int16_t kDigit0 = 2;  // "0".."9" are 2..11
inline constexpr int16_t kDigit9 = 11;
inline constexpr int16_t kMemoryRecall = 12;
inline constexpr int16_t kMemoryMinus = 13;
inline constexpr int16_t kMemoryPlus = 14;
inline constexpr int16_t kMemoryClear = 15;
inline constexpr int16_t kSignChange = 16;
inline constexpr int16_t kPercent = 17;
inline constexpr int16_t kSquareRoot = 18;
inline constexpr int16_t kClear = 19;
inline constexpr int16_t kDivide = 20;
inline constexpr int16_t kMultiply = 21;
inline constexpr int16_t kSubtract = 22;
inline constexpr int16_t kAdd = 23;
inline constexpr int16_t kAccept = 24;
inline constexpr int16_t kButtonCount = 25;
// What a previewed key stands for besides a button.
inline constexpr int16_t kNoButton = -1;
inline constexpr int16_t kCancel = -2;
}  // namespace calc

// The text the display shows for a result wider than the field's format.
inline constexpr const char* kCalcMaskError = "Mask Error";

enum class CalcOutcome { Stay, Accept, Cancel };

class Calculator {
 public:
  // Prepares the calculator for a field: `start` is the field's text, "|", and the field's
  // number format ("12,5|####0.00"). Clears the memory; numbers read and show in `locale`.
  void IniciaCalc(const std::string& start, const LocaleSettings& locale);

  // A click on button `index` (0..24), enabled or not: the form clicks only enabled ones.
  CalcOutcome Press(int16_t index);
  // A key going down while the calculator is open: a mapped key presses its button, also
  // when that button is disabled; Escape cancels; other keys do nothing.
  CalcOutcome KeyDown(int16_t keyCode);
  // The button a virtual key presses, calc::kCancel for Escape, calc::kNoButton otherwise.
  static int16_t ButtonForKey(int16_t keyCode);

  const std::string& Display() const { return display_; }
  bool MemoryShown() const { return CalcMemory > 0; }
  bool Enabled(int16_t index) const;
  // "=", the decimal separator, "0".."9" for 0..11; a face naming the role for the others.
  std::string Caption(int16_t index) const;

  // The state, under the names the popup's routines use.
  double CalcDisplay = 0;
  double CalcAccumulator = 0;
  double CalcMemory = 0;
  std::string CalcFormat;
  int16_t PendingOperator = 0;
  bool OperatorEntered = false;
  bool ResultShown = false;
  bool DecimalEntry = false;
  int16_t DecimalPosition = 0;
  int16_t ClearCount = 0;

  void ShowNumber(double value);
  void InicializaDisplay();
  void TrataNumeros(int16_t index);

 private:
  void Compute(int16_t key);
  void Operation(int16_t index);
  double DisplayValue() const;
  void UpdateEnabled();

  LocaleSettings locale_;
  std::string display_;
  std::array<bool, calc::kButtonCount> enabled_{};
};

}  // namespace orvo
