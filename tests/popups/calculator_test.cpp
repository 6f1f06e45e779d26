// The calculator's arithmetic and key states as tables of key faces.
#include "popups/calculator.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/key_codes.h"

namespace orvo {
namespace {

// A face as on the keys: "0".."9", "," or "." (decimal point), "=", "+", "-", "*", "/", "%",
// "sqrt", "+/-", "C", "MR", "M+", "M-", "MC"; "kp." presses the keypad decimal key.
int16_t ButtonOfFace(const Calculator& calc, const std::string& face) {
  if (face == "kp.") return Calculator::ButtonForKey(vk::kDecimal);
  for (int16_t i = 0; i < calc::kButtonCount; ++i)
    if (calc.Caption(i) == face) return i;
  ADD_FAILURE() << "no key " << face;
  return calc::kNoButton;
}

struct Case {
  const char* name;
  const char* start;  // the field's text | its format
  const char* keys;   // faces, blank-separated
  const char* display;
  bool memory = false;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class CalculatorTest : public testing::TestWithParam<Case> {};

TEST_P(CalculatorTest, Display) {
  const Case& c = GetParam();
  Calculator calc;
  calc.IniciaCalc(c.start, LocaleSettings::PtBR());
  std::istringstream keys(c.keys);
  for (std::string face; keys >> face;) {
    int16_t button = ButtonOfFace(calc, face);
    // A key press reaches disabled buttons too; a click would not.
    EXPECT_EQ(face == "kp." ? calc.KeyDown(vk::kDecimal) : calc.Press(button), CalcOutcome::Stay);
  }
  EXPECT_EQ(calc.Display(), c.display);
  EXPECT_EQ(calc.MemoryShown(), c.memory);
}

const Case kCases[] = {
    {"StartsFromTheField", "12,5|####0.00", "", "12,50"},
    {"DigitsExtendTheInteger", "12,5|####0.00", "9 9 9", "12999,50"},
    {"DigitBeyondTheFormatDropped", "12,5|####0.00", "9 9 9 9", "12999,50"},
    {"DecimalsOverwriteTheLastPlace", "0|####0.00", ", 7 5 3", "0,73"},
    {"ChainLeftToRight", "0|####0.00", "2 + 3 * 4 =", "20,00"},
    {"SecondOperatorReplacesTheFirst", "0|####0.00", "2 + * 4 =", "8,00"},
    {"PercentAdd", "0|####0.00", "2 0 0 + 1 0 %", "220,00"},
    {"PercentSubtract", "0|####0.00", "2 0 0 - 1 0 %", "180,00"},
    {"PercentMultiply", "0|####0.00", "2 0 0 * 1 0 %", "20,00"},
    {"PercentDivide", "0|####0.00", "2 0 0 / 1 0 %", "2000,00"},
    {"ClearOnceKeepsTheAccumulator", "0|####0.00", "5 + 3 C 4 =", "9,00"},
    {"ClearTwiceDropsIt", "0|####0.00", "5 + 3 C C 4 =", "4,00"},
    {"SignChange", "7|####0.00", "+/-", "-7,00"},
    {"SquareRoot", "0|####0.00", "8 1 sqrt", "9,00"},
    {"MemoryPlusShowsM", "0|####0.00", "5 M+ C MR", "5,00", true},
    {"NegativeMemoryShowsNoM", "0|####0.00", "5 M- C", "0,00"},
    {"MemoryClear", "0|####0.00", "5 M+ MC", "5,00"},
    {"RecalledNumberExtends", "0|####0.00", "5 M+ C MR 1", "51,00", true},
    {"NoDecimalsFormat", "0|#######", "4 2", "42"},
    {"ResultWiderThanTheFormat", "0|####0.00", "9 9 9 9 9 * 9 9 =", "Mask Error"},
    {"NegativeAtFullWidthIsTooWide", "0|####0.00", "9 9 9 9 9 +/-", "Mask Error"},
    {"DigitAfterMaskErrorStartsAtZero", "0|####0.00", "9 9 9 9 9 * 9 9 = 5", "5,00"},
    // Division by zero shows "Mask Error" and leaves 0 to work on, like a result too wide.
    {"DivisionByZero", "0|####0.00", "5 / 0 =", "Mask Error"},
    {"WorksOnZeroAfterDivisionByZero", "0|####0.00", "5 / 0 = + 2 =", "2,00"},
    {"PercentOfZeroDivides", "0|####0.00", "5 / 0 %", "Mask Error"},
    {"RootOfANegativeNumber", "3|####0.00", "+/- sqrt", "Mask Error"},
    {"HugeStartValue", "1E300|####0.00", "", "Mask Error"},
    {"KeypadDecimalWithoutDecimalPlaces", "0|#######", "4 kp. 2", "4"},
    {"RepeatedOperators", "0|####0.00", "5 + + + - - * 2 =", "10,00"},
};

INSTANTIATE_TEST_SUITE_P(Keys, CalculatorTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CalculatorKeys, EnablingFollowsDisplayAndMemory) {
  Calculator calc;
  calc.IniciaCalc("5|####0.00", LocaleSettings::PtBR());
  // Memory keys start disabled; the decimal point follows the format.
  for (int16_t i = calc::kMemoryRecall; i <= calc::kMemoryClear; ++i) EXPECT_FALSE(calc.Enabled(i));
  EXPECT_TRUE(calc.Enabled(calc::kDecimalPoint));
  calc.Press(calc::kMemoryPlus);
  EXPECT_TRUE(calc.Enabled(calc::kMemoryRecall));
  EXPECT_TRUE(calc.Enabled(calc::kMemoryClear));
  calc.Press(calc::kSignChange);
  EXPECT_FALSE(calc.Enabled(calc::kSquareRoot));
  EXPECT_FALSE(calc.Enabled(calc::kMemoryPlus));

  calc.IniciaCalc("5|#######", LocaleSettings::EnUS());
  EXPECT_FALSE(calc.Enabled(calc::kDecimalPoint));
  EXPECT_EQ(calc.Caption(calc::kDecimalPoint), ".");
}

TEST(CalculatorKeys, KeyboardMapping) {
  EXPECT_EQ(Calculator::ButtonForKey(vk::kNumpad0 + 7), calc::kDigit0 + 7);
  EXPECT_EQ(Calculator::ButtonForKey(vk::kOemPlus), calc::kEquals);
  EXPECT_EQ(Calculator::ButtonForKey('C'), calc::kClear);
  EXPECT_EQ(Calculator::ButtonForKey(vk::kEscape), calc::kCancel);
  EXPECT_EQ(Calculator::ButtonForKey('7'), calc::kNoButton);  // only the keypad's digits
  Calculator calc;
  calc.IniciaCalc("1|####0.00", LocaleSettings::PtBR());
  EXPECT_EQ(calc.KeyDown(vk::kEscape), CalcOutcome::Cancel);
  EXPECT_EQ(calc.Press(calc::kAccept), CalcOutcome::Accept);
  EXPECT_EQ(calc.Display(), "1,00");
}

}  // namespace
}  // namespace orvo
