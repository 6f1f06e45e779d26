// FormatText: the display text for raw text under the control's compiled mask.
#include "mask/format_text.h"

#include <algorithm>

#include "mask/group_integer.h"
#include "mask/mask_layout.h"

namespace orvo {
namespace {

void RemoveAll(std::string& s, std::string_view what) {
  if (what.empty()) return;
  for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at))
    s.erase(at, what.size());
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A number text in exponent form ("1,5E-05", "-2E+20") in positional notation, its
// decimals truncated to `decimals`: "1,5E-05" -> "0,00" for two decimals. Any other text
// comes back unchanged.
std::string PositionalFromExponent(const std::string& r, std::string_view decimalSeparator,
                                   int decimals) {
  const std::string_view s = TrimBlanks(r);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  std::string digits;
  int64_t point = -1;  // digits before the separator
  for (; i < s.size(); ++i) {
    if (s[i] >= '0' && s[i] <= '9') {
      digits += s[i];
    } else if (point < 0 && s.compare(i, decimalSeparator.size(), decimalSeparator) == 0) {
      point = static_cast<int64_t>(digits.size());
      i += decimalSeparator.size() - 1;
    } else {
      break;
    }
  }
  if (digits.empty() || i + 2 >= s.size() || (s[i] != 'E' && s[i] != 'e')) return r;
  if (s[i + 1] != '-' && s[i + 1] != '+') return r;
  const bool expNegative = s[i + 1] == '-';
  int64_t exponent = 0;
  for (i += 2; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return r;
    exponent = std::min<int64_t>(exponent * 10 + (s[i] - '0'), 100000);
  }
  if (point < 0) point = static_cast<int64_t>(digits.size());
  // Past a few hundred places the shown digits are all zero or the number fills no picture.
  const int64_t shift = std::clamp<int64_t>(expNegative ? -exponent : exponent, -400, 400);
  int64_t at = point + shift;  // digits before the point in positional form
  if (at < 0) {
    digits.insert(0, static_cast<size_t>(-at), '0');
    at = 0;
  } else if (at > static_cast<int64_t>(digits.size())) {
    digits.append(static_cast<size_t>(at) - digits.size(), '0');
  }
  std::string whole = digits.substr(0, static_cast<size_t>(at));
  std::string fraction = digits.substr(static_cast<size_t>(at));
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  if (whole.empty()) whole = "0";
  if (fraction.size() > static_cast<size_t>(std::max(decimals, 0)))
    fraction.resize(static_cast<size_t>(std::max(decimals, 0)));
  const bool shownNonZero = whole != "0" || fraction.find_first_not_of('0') != std::string::npos;
  std::string out = negative && shownNonZero ? "-" : "";
  out += whole;
  if (!fraction.empty()) {
    out += decimalSeparator;
    out += fraction;
  }
  return out;
}

std::string FormatNumber(const FormatContext& ctx, std::string r) {
  const CompiledMask& c = ctx.compiled;
  if (r.find('E') != std::string::npos || r.find('e') != std::string::npos)
    r = PositionalFromExponent(r, ctx.decimalSeparator, c.DecimalDigits);
  const size_t k = std::min(r.find(ctx.decimalSeparator), r.size());
  std::string i = r.substr(0, k);
  if (c.IntegerDigits > 0) {
    RemoveAll(i, ctx.groupSeparator);
    KeepIntegerDigits(i, c.IntegerDigits);
  }
  if (c.GroupThousands != 0) {
    RemoveAll(i, ctx.groupSeparator);
    const std::string_view trimmed = TrimBlanks(i);
    const bool negative = !trimmed.empty() && trimmed.front() == '-';
    i = GroupIntegerText(i, ctx.groupSeparator);
    if (negative && (i.empty() || i[0] != '-')) i.insert(0, 1, '-');
  }
  if (c.DecimalDigits > 0) {
    const size_t decimals = static_cast<size_t>(c.DecimalDigits);
    std::string f = k < r.size() ? r.substr(k + ctx.decimalSeparator.size()) : std::string();
    RemoveAll(f, ctx.groupSeparator);
    if (f.size() > decimals) f.resize(decimals);
    f.append(decimals - f.size(), '0');
    i += ctx.decimalSeparator;
    i += f;
  }
  return i;
}

}  // namespace

std::string FormatText(const FormatContext& ctx, std::string_view st) {
  if (ctx.mask.empty()) return std::string(st);
  const std::string_view decimal = ctx.decimalSeparator.empty() ? "," : ctx.decimalSeparator;
  const std::string_view group =
      ctx.groupSeparator.empty() ? (decimal == "," ? "." : ",") : ctx.groupSeparator;
  const FormatContext safe{ctx.compiled,  ctx.mask, ctx.kind, ctx.hasListFields,
                           ctx.stuffChar, decimal,  group};
  const bool numeric = IsNumericKind(ctx.kind) && !ctx.hasListFields;

  std::string raw(st);
  // A number assigned whole may be grouped with no-break spaces: read like the separator.
  if (numeric && group.find('\xA0') == std::string_view::npos) {
    for (size_t at = raw.find('\xA0'); at != std::string::npos; at = raw.find('\xA0', at)) {
      raw.replace(at, 1, group);
      at += group.size();
    }
  }

  const std::string& tmpl = ctx.compiled.MaskTemplate;
  const TemplateShape shape(tmpl, ctx.kind);
  std::string r = StripLiterals(shape, raw, 1);
  if (ctx.kind == TipoDeCampo::Character && !tmpl.empty() && !ctx.stuffChar.empty()) {
    // Right-aligned and filled on the left: "123" -> "000123" for six positions. A text
    // longer than the positions is kept whole rather than losing its first characters.
    const size_t positions = StripLiterals(shape, tmpl, 1).size();
    std::string trimmed(TrimBlanks(r));
    if (trimmed.size() < positions) trimmed.insert(0, positions - trimmed.size(), ctx.stuffChar[0]);
    r = std::move(trimmed);
  }
  InsertLiteralsInPlace(r, tmpl, 0);
  if (!numeric) return r;
  return FormatNumber(safe, std::move(r));
}

}  // namespace orvo
