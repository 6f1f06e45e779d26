// Locale-aware reading and shortest round-trip writing of numbers.
#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "base/locale_settings.h"

namespace orvo {

namespace {

constexpr char kNoBreakSpace = '\xA0';

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == kNoBreakSpace;
}

bool StartsWithAt(std::string_view text, size_t at, std::string_view what) {
  return !what.empty() && text.substr(at, what.size()) == what;
}

// Lays out a decimal digit string d1 d2 ... dn meaning d1.d2...dn x 10^exp.
// Plain notation for exponents -4..maxPlainExp, as the classic CStr: 0.0001 stays plain,
// 0.00001 becomes "1E-05"; 1E+15 and beyond take the exponent form for doubles.
std::string LayOut(bool negative, std::string_view digits, int exp, int maxPlainExp,
                   const std::string& decimalSeparator) {
  std::string out = negative ? "-" : "";
  const auto n = static_cast<int>(digits.size());
  if (exp >= -4 && exp <= maxPlainExp) {
    if (exp < 0) {
      out += "0" + decimalSeparator + std::string(static_cast<size_t>(-exp - 1), '0');
      out += digits;
    } else if (n <= exp + 1) {
      out += digits;
      out += std::string(static_cast<size_t>(exp + 1 - n), '0');
    } else {
      out += digits.substr(0, static_cast<size_t>(exp + 1));
      out += decimalSeparator;
      out += digits.substr(static_cast<size_t>(exp + 1));
    }
    return out;
  }
  out += digits[0];
  if (n > 1) {
    out += decimalSeparator;
    out += digits.substr(1);
  }
  out += exp < 0 ? "E-" : "E+";
  const int a = std::abs(exp);
  if (a < 10) out += '0';
  out += std::to_string(a);
  return out;
}

// Splits to_chars' shortest scientific form "d.ddde+XX" into its digits and exponent.
template <typename T>
std::string ShortestText(T v, int maxPlainExp, const LocaleSettings& loc) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v < 0 ? "-Inf" : "Inf";
  if (v == 0) return "0";  // also -0
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));
  const bool negative = sci.front() == '-';
  if (negative) sci.remove_prefix(1);
  const auto e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e)) {
    if (IsDigit(c)) digits += c;
  }
  int exp = 0;
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exp);
  return LayOut(negative, digits, exp, maxPlainExp, DecimalMark(loc));
}

}  // namespace

const std::string& DecimalMark(const LocaleSettings& loc) {
  static const std::string kPoint = ".";
  return loc.decimalSeparator.empty() ? kPoint : loc.decimalSeparator;
}

NumberRead ReadNumberText(std::string_view text, const LocaleSettings& loc) {
  NumberRead bad;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // The group separator counts only between two digits, and never when it equals the
  // decimal separator (the decimal reading wins then).
  const std::string_view dec = DecimalMark(loc);
  const std::string_view group =
      loc.groupSeparator == dec ? std::string_view() : std::string_view(loc.groupSeparator);
  std::string intDigits, fracDigits;
  while (i < n) {
    if (IsDigit(text[i])) {
      intDigits += text[i++];
      continue;
    }
    size_t sepLen = 0;
    if (StartsWithAt(text, i, group))
      sepLen = group.size();
    else if (text[i] == kNoBreakSpace)
      sepLen = 1;
    if (sepLen == 0 || intDigits.empty() || i + sepLen >= n || !IsDigit(text[i + sepLen])) break;
    i += sepLen;
  }
  if (StartsWithAt(text, i, dec)) {
    i += dec.size();
    while (i < n && IsDigit(text[i])) fracDigits += text[i++];
  }
  if (intDigits.empty() && fracDigits.empty()) return bad;

  // The exponent saturates: anything past +-100000 is out of every range anyway.
  int64_t exp = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) expNegative = text[i++] == '-';
    if (i >= n || !IsDigit(text[i])) return bad;
    while (i < n && IsDigit(text[i])) {
      if (exp < 100000) exp = exp * 10 + (text[i] - '0');
      ++i;
    }
    if (expNegative) exp = -exp;
  }
  while (i < n && IsBlank(text[i])) ++i;
  if (i != n) return bad;

  std::string canonical = intDigits.empty() ? "0" : intDigits;
  if (!fracDigits.empty()) canonical += "." + fracDigits;
  canonical += "e" + std::to_string(exp);
  double value = 0;
  const auto res = std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
  NumberRead out;
  out.status = NumberReadStatus::Ok;
  if (res.ec == std::errc::result_out_of_range) {
    // Out of range either way: the position of the first significant digit tells which.
    const auto firstInt = intDigits.find_first_not_of('0');
    int64_t lead;
    if (firstInt != std::string::npos) {
      lead = static_cast<int64_t>(intDigits.size() - firstInt) - 1;
    } else {
      lead = -static_cast<int64_t>(fracDigits.find_first_not_of('0')) - 1;
    }
    if (lead + exp >= 0) {
      out.status = NumberReadStatus::Overflow;
      return out;
    }
    value = 0;
  } else if (res.ec != std::errc()) {
    return bad;
  }
  out.value = negative ? -value : value;
  return out;
}

std::string DoubleToText(double v, const LocaleSettings& loc) {
  return ShortestText(v, 14, loc);
}

// Singles take the exponent form from 1E+07 on, as the classic did for its 7-digit type;
// the digits are the shortest float round-trip.
std::string SingleToText(float v, const LocaleSettings& loc) {
  return ShortestText(v, 6, loc);
}

}  // namespace orvo
