// ParseNumber and NumericValue: the leading number of a text under the decimal separator.
#include <cfloat>
#include <charconv>
#include <string>

#include "mask/format_text.h"

namespace orvo {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// Exponents are read saturated: beyond this no double is anything but 0 or overflow.
constexpr int64_t kExponentCap = 100000;

}  // namespace

double ParseNumber(std::string_view text, std::string_view decimalSeparator) {
  const bool commaDecimal = decimalSeparator == ",";
  // The separator swap: "1.234,5" -> "1234.5" under ","; "1,234.5" -> "1234.5" otherwise.
  // The no-break space some locales group with is dropped like the group separator.
  std::string t;
  t.reserve(text.size());
  for (char c : text) {
    if (c == '\xA0') continue;
    if (commaDecimal) {
      if (c == '.') continue;
      t += c == ',' ? '.' : c;
    } else if (c != ',') {
      t += c;
    }
  }

  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < t.size() && IsBlank(t[i])) ++i;
  };
  auto isDigit = [&](size_t at) { return at < t.size() && t[at] >= '0' && t[at] <= '9'; };

  skipBlanks();
  bool negative = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
    negative = t[i] == '-';
    ++i;
  }
  std::string digits;      // mantissa digits, leading zeros dropped
  int64_t pointShift = 0;  // decimal exponent contributed by the digits' position
  bool anyDigit = false, seenPoint = false;
  for (;; ++i) {
    skipBlanks();
    if (isDigit(i)) {
      anyDigit = true;
      if (digits.empty() && t[i] == '0') {
        if (seenPoint) --pointShift;
        continue;
      }
      digits += t[i];
      if (seenPoint) --pointShift;
    } else if (i < t.size() && t[i] == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit || digits.empty()) return 0.0;

  int64_t exponent = 0;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    size_t j = i + 1;
    while (j < t.size() && IsBlank(t[j])) ++j;
    bool expNegative = false;
    if (j < t.size() && (t[j] == '-' || t[j] == '+')) expNegative = t[j++] == '-';
    while (j < t.size() && IsBlank(t[j])) ++j;
    if (j < t.size() && t[j] >= '0' && t[j] <= '9') {
      for (; j < t.size(); ++j) {
        if (IsBlank(t[j])) continue;
        if (t[j] < '0' || t[j] > '9') break;
        if (exponent < kExponentCap) exponent = exponent * 10 + (t[j] - '0');
      }
      if (expNegative) exponent = -exponent;
    }
  }

  // Digits beyond what a double can tell apart only move the exponent.
  constexpr size_t kMaxDigits = 40;
  if (digits.size() > kMaxDigits) {
    pointShift += static_cast<int64_t>(digits.size() - kMaxDigits);
    digits.resize(kMaxDigits);
  }
  const int64_t scale = exponent + pointShift;
  std::string number = digits + "e" + std::to_string(scale);
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Magnitude of the first digit: above the double range gives the largest double.
    value = scale + static_cast<int64_t>(digits.size()) > 0 ? DBL_MAX : 0.0;
  } else if (ec != std::errc()) {
    value = 0.0;
  }
  if (value == 0.0) return 0.0;
  return negative ? -value : value;
}

Variant NumericValue(std::string_view text, std::string_view decimalSeparator) {
  if (text.empty()) return Variant(static_cast<int16_t>(0));
  return Variant(ParseNumber(text, decimalSeparator));
}

}  // namespace orvo
