// Number pictures: digit placeholders, decimal point, grouping and scaling commas, percent,
// sections.
#include <charconv>
#include <cmath>
#include <vector>

#include "base/format_parts.h"
#include "base/locale_settings.h"
#include "base/number_text.h"

namespace orvo {

namespace {

struct PictureItem {
  enum Kind { Zero, Hash, Point, Comma, Percent, Exponent, Literal } kind;
  std::string text;  // Literal and Percent: the text; Exponent: "E+", "e-" as written
};

std::vector<PictureItem> ParseSection(std::string_view s) {
  std::vector<PictureItem> items;
  bool seenPoint = false;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    switch (c) {
      case '0':
        items.push_back({PictureItem::Zero, {}});
        break;
      case '#':
        items.push_back({PictureItem::Hash, {}});
        break;
      case ',':
        items.push_back({PictureItem::Comma, {}});
        break;
      case '%':
        items.push_back({PictureItem::Percent, "%"});
        break;
      case 'E':
      case 'e':
        if (i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
          items.push_back({PictureItem::Exponent, std::string(s.substr(i, 2))});
          ++i;
        } else {
          items.push_back({PictureItem::Literal, std::string(1, c)});
        }
        break;
      case '.':
        // Only the first point is the decimal point; later ones print as they are.
        items.push_back(seenPoint ? PictureItem{PictureItem::Literal, "."}
                                  : PictureItem{PictureItem::Point, {}});
        seenPoint = true;
        break;
      case '"': {
        const auto end = s.find('"', i + 1);
        const auto stop = end == std::string_view::npos ? s.size() : end;
        items.push_back({PictureItem::Literal, std::string(s.substr(i + 1, stop - i - 1))});
        i = stop;
        break;
      }
      case '\\':
        if (i + 1 < s.size()) items.push_back({PictureItem::Literal, std::string(1, s[++i])});
        break;
      default:
        items.push_back({PictureItem::Literal, std::string(1, c)});
    }
  }
  return items;
}

bool IsDigitItem(const PictureItem& it) {
  return it.kind == PictureItem::Zero || it.kind == PictureItem::Hash;
}

// The 15 significant digits of v > 0 and the decimal exponent of the first: 1234.5 gives
// "123450000000000" and 3. Format works from these, as the classic Format does, so 1.005
// shows "1.01" under "0.00" although the double lies a hair below 1.005.
void SignificantDigits(double v, std::string& digits, int& exp) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
  const std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));
  const auto e = sci.find('e');
  digits.clear();
  for (char c : sci.substr(0, e)) {
    if (c != '.') digits += c;
  }
  exp = 0;
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exp);
}

// Splits the digits so that `pointAt` of them stand before the decimal point.
void PlacePoint(const std::string& digits, int pointAt, std::string& intPart,
                std::string& fracPart) {
  const auto n = static_cast<int>(digits.size());
  intPart.clear();
  fracPart.clear();
  if (pointAt > 0) {
    intPart = digits.substr(0, static_cast<size_t>(std::min(pointAt, n)));
    if (pointAt > n) intPart.append(static_cast<size_t>(pointAt - n), '0');
    if (pointAt < n) fracPart = digits.substr(static_cast<size_t>(pointAt));
  } else {
    fracPart = std::string(static_cast<size_t>(-pointAt), '0') + digits;
  }
}

// Rounds to `decimals` places, half away from zero, carrying into the integer digits.
void RoundDigits(std::string& intPart, std::string& fracPart, size_t decimals) {
  if (fracPart.size() > decimals) {
    const bool up = fracPart[decimals] >= '5';
    fracPart.resize(decimals);
    if (up) {
      std::string all = intPart + fracPart;
      size_t k = all.size();
      while (k > 0 && all[k - 1] == '9') all[--k] = '0';
      if (k == 0)
        all.insert(all.begin(), '1');
      else
        ++all[k - 1];
      intPart = all.substr(0, all.size() - decimals);
      fracPart = all.substr(all.size() - decimals);
    }
  }
  fracPart.resize(decimals, '0');
}

void DecimalDigits(double v, size_t decimals, std::string& intPart, std::string& fracPart) {
  intPart.clear();
  fracPart.clear();
  if (v > 0) {
    std::string digits;
    int exp = 0;
    SignificantDigits(v, digits, exp);
    PlacePoint(digits, exp + 1, intPart, fracPart);
  }
  RoundDigits(intPart, fracPart, decimals);
}

// Mantissa digits for "0.00E+00": as many integer digits as the picture has integer
// placeholders; returns the exponent shown. 1234.5 under "0.00E+00" gives "1", "23", 3.
int ScientificDigits(double v, int intSlots, size_t decimals, std::string& intPart,
                     std::string& fracPart) {
  intPart.clear();
  fracPart.clear();
  if (v <= 0) {
    RoundDigits(intPart, fracPart, decimals);
    return 0;
  }
  std::string digits;
  int exp = 0;
  SignificantDigits(v, digits, exp);
  PlacePoint(digits, intSlots, intPart, fracPart);
  const size_t before = intPart.size();
  RoundDigits(intPart, fracPart, decimals);
  int shown = exp + 1 - intSlots;
  if (intPart.size() > before && intPart.find_first_not_of('0') == 0 && intPart[0] == '1' &&
      intPart.size() > static_cast<size_t>(intSlots)) {
    // The carry made one digit too many ("9.99" -> "10.0"): shift it into the exponent.
    fracPart.insert(fracPart.begin(), intPart.back());
    intPart.pop_back();
    fracPart.pop_back();
    ++shown;
  }
  return shown;
}

std::string Grouped(const std::string& digits, const std::string& separator) {
  std::string out;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

// Splits at the ';' that stand outside quotes and escapes.
std::vector<std::string_view> SplitSections(std::string_view picture) {
  std::vector<std::string_view> out;
  size_t from = 0;
  bool quoted = false;
  for (size_t i = 0; i < picture.size(); ++i) {
    if (picture[i] == '"')
      quoted = !quoted;
    else if (picture[i] == '\\' && !quoted)
      ++i;
    else if (picture[i] == ';' && !quoted) {
      out.push_back(picture.substr(from, i - from));
      from = i + 1;
    }
  }
  out.push_back(picture.substr(std::min(from, picture.size())));
  return out;
}

}  // namespace

std::string FormatNumberSection(double value, std::string_view section, bool addSign,
                                const LocaleSettings& loc) {
  const std::vector<PictureItem> items = ParseSection(section);
  const auto count = static_cast<int>(items.size());
  // The mantissa is everything before an "E+"/"E-"; the placeholders after it show the exponent.
  int expAt = count, pointAt = count;
  for (int i = count - 1; i >= 0; --i) {
    if (items[i].kind == PictureItem::Exponent) expAt = i;
  }
  for (int i = expAt - 1; i >= 0; --i) {
    if (items[i].kind == PictureItem::Point) pointAt = i;
  }
  int firstInt = -1, lastInt = -1, intSlots = 0, minInt = 0, percents = 0, minExp = 0;
  size_t fracSlots = 0, minFrac = 0;
  for (int i = 0; i < count; ++i) {
    const auto& it = items[i];
    if (it.kind == PictureItem::Percent) ++percents;
    if (!IsDigitItem(it)) continue;
    if (i > expAt) {
      if (it.kind == PictureItem::Zero) ++minExp;
    } else if (i < pointAt) {
      if (firstInt < 0) firstInt = i;
      lastInt = i;
      ++intSlots;
      if (it.kind == PictureItem::Zero) ++minInt;
    } else {
      ++fracSlots;
      if (it.kind == PictureItem::Zero) minFrac = fracSlots;
    }
  }
  // A comma between integer placeholders turns grouping on; the commas right after the last
  // one each divide by 1000 ("#,##0," shows thousands).
  bool grouping = false;
  int scaleBy1000 = 0;
  for (int i = firstInt + 1; i < lastInt; ++i) {
    if (items[i].kind == PictureItem::Comma) grouping = true;
  }
  for (int i = lastInt + 1; lastInt >= 0 && i < pointAt && items[i].kind == PictureItem::Comma;
       ++i) {
    ++scaleBy1000;
  }

  double v = std::fabs(value);
  for (int i = 0; i < percents; ++i) v *= 100;
  for (int i = 0; i < scaleBy1000; ++i) v /= 1000;
  if (!std::isfinite(v)) return value < 0 ? "-Inf" : "Inf";  // a percent of a huge value
  std::string intPart, fracPart;
  int exponent = 0;
  if (expAt < count) {
    exponent = ScientificDigits(v, intSlots, fracSlots, intPart, fracPart);
  } else {
    DecimalDigits(v, fracSlots, intPart, fracPart);
  }
  while (fracPart.size() > minFrac && fracPart.back() == '0') fracPart.pop_back();
  const bool isZero = intPart.find_first_not_of('0') == std::string::npos &&
                      fracPart.find_first_not_of('0') == std::string::npos;
  intPart.erase(0, intPart.find_first_not_of('0'));
  if (static_cast<int>(intPart.size()) < minInt) {
    intPart.insert(0, static_cast<size_t>(minInt) - intPart.size(), '0');
  }
  if (grouping) intPart = Grouped(intPart, loc.groupSeparator);
  std::string expDigits = std::to_string(exponent < 0 ? -exponent : exponent);
  if (static_cast<int>(expDigits.size()) < minExp) {
    expDigits.insert(0, static_cast<size_t>(minExp) - expDigits.size(), '0');
  }

  std::string out = addSign && value < 0 && !isZero ? "-" : "";
  const int excess = static_cast<int>(intPart.size()) - intSlots;
  int intSlot = 0;
  size_t fracSlot = 0;
  bool expShown = false;
  for (int i = 0; i < count; ++i) {
    const auto& it = items[i];
    if (IsDigitItem(it) && i > expAt) {
      if (!expShown) out += expDigits;
      expShown = true;
    } else if (IsDigitItem(it) && i < pointAt) {
      // Digits fill the integer placeholders from the right; the first one takes the rest.
      if (grouping) {
        if (intSlot == 0) out += intPart;
      } else if (intSlot == 0) {
        out += intPart.substr(0, static_cast<size_t>(std::max(0, excess + 1)));
      } else if (excess + intSlot >= 0) {
        out += intPart[static_cast<size_t>(excess + intSlot)];
      }
      ++intSlot;
    } else if (IsDigitItem(it)) {
      if (fracSlot < fracPart.size()) out += fracPart[fracSlot];
      ++fracSlot;
    } else if (it.kind == PictureItem::Point && i == pointAt) {
      if (intSlots == 0) out += intPart;
      out += DecimalMark(loc);
    } else if (it.kind == PictureItem::Exponent) {
      if (i != expAt) continue;
      out += it.text[0];
      // "E+" always shows the exponent's sign; "E-" only a minus.
      if (exponent < 0)
        out += '-';
      else if (it.text[1] == '+')
        out += '+';
    } else if (it.kind == PictureItem::Literal || it.kind == PictureItem::Percent ||
               it.kind == PictureItem::Point) {
      out += it.kind == PictureItem::Point ? "." : it.text;
    }
  }
  return out;
}

std::string FormatNumber(double value, std::string_view picture, const LocaleSettings& loc) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
  const std::vector<std::string_view> sections = SplitSections(picture);
  if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
    return FormatNumberSection(-value, sections[1], false, loc);
  }
  if (value == 0 && sections.size() >= 3 && !sections[2].empty()) {
    return FormatNumberSection(0, sections[2], false, loc);
  }
  return FormatNumberSection(value, sections[0], true, loc);
}

}  // namespace orvo
