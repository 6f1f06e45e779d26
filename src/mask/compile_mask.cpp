// CompileMask and DateFormatOf: a mask string and a field kind to a CompiledMask.
#include <algorithm>
#include <limits>

#include "mask/compiled_mask.h"

namespace orvo {
namespace {

int16_t ToInt16(size_t n) {
  return static_cast<int16_t>(std::min<size_t>(n, std::numeric_limits<int16_t>::max()));
}

void DropLeadingSpaces(std::string& s) {
  s.erase(0, std::min(s.find_first_not_of(' '), s.size()));
}

bool StartsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// Removes the leading "@" functions; "@!" "@a" "@A" set their flags, any other "@x" is
// dropped. A template without functions keeps its leading spaces.
void StripFunctions(std::string& t, CompiledMask& c) {
  for (;;) {
    const size_t first = t.find_first_not_of(' ');
    if (first == std::string::npos || t[first] != '@') return;
    DropLeadingSpaces(t);
    auto take = [&t](std::string_view function) {
      if (!StartsWith(t, function)) return false;
      t.erase(0, 2);
      DropLeadingSpaces(t);
      return true;
    };
    if (take("@!")) c.ForceUpper = -1;
    if (take("@a")) c.ForceLower = -1;
    if (take("@A")) c.AllLetters = -1;
    if (StartsWith(t, "@") && !StartsWith(t, "@!") && !StartsWith(t, "@a") &&
        !StartsWith(t, "@A")) {
      t.erase(0, std::min<size_t>(2, t.size()));
      DropLeadingSpaces(t);
    }
  }
}

// "#.##0,00": "," is the decimal mark and "." the grouping mark whatever the locale; every
// other character is a digit position, and the grouped display fills the whole picture.
void CompileNumeric(std::string& t, CompiledMask& c) {
  std::string digits;
  for (char ch : t)
    if (ch != '.') digits += ch;
  const size_t comma = digits.find(',');
  if (comma == std::string::npos) {
    c.IntegerDigits = ToInt16(digits.size());
  } else {
    c.IntegerDigits = ToInt16(comma);
    c.DecimalDigits = ToInt16(digits.size() - comma - 1);
  }
  if (t.find('.') != std::string::npos) c.GroupThousands = -1;
  t.assign(t.size(), '9');
}

void CompileDate(std::string& t, DateOrder order) {
  t = DateFormatOf(t, order);
  // A month name: "dd/mmm/yyyy" -> "99/!aa/9999", first letter upper, the rest lower.
  std::string lower = t;
  for (char& ch : lower)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
  const size_t run = lower.find("mmm");
  if (run != std::string::npos) {
    t[run] = '!';
    for (size_t i = run + 1; i < t.size() && (t[i] == 'm' || t[i] == 'M'); ++i) t[i] = 'a';
  }
  for (char& ch : t)
    if (std::string_view("dmyhsDMYHS").find(ch) != std::string_view::npos) ch = '9';
}

}  // namespace

MaskCompilation CompileMask(std::string_view mask, TipoDeCampo kind, bool hasListFields,
                            DateOrder order) {
  MaskCompilation out;
  if (hasListFields) {
    // A list field has no mask at all: its keys go to the list search, and its template
    // stays empty for every kind (a Date list field does not get the default date picture).
    out.clearMask = true;
    return out;
  }
  CompiledMask& c = out.compiled;
  std::string t(mask);
  StripFunctions(t, c);
  if (IsNumericKind(kind)) {
    CompileNumeric(t, c);
  } else if (kind == TipoDeCampo::Date) {
    CompileDate(t, order);
  }
  c.MaskTemplate = std::move(t);
  if (!mask.empty() && mask.find('@') == std::string_view::npos) {
    out.setMaxLength = true;
    out.maxLength = static_cast<int32_t>(
        std::min<size_t>(c.MaskTemplate.size(), std::numeric_limits<int32_t>::max()));
  }
  return out;
}

std::string DateFormatOf(std::string_view mask, DateOrder order) {
  if (mask.find('9') == std::string_view::npos)
    return mask.empty() ? std::string("dd/mm/yy") : std::string(mask);
  std::string_view fields = mask.find(':') != std::string_view::npos ? "hms"
                            : order == DateOrder::DayMonthYear       ? "dmy"
                                                                     : "mdy";
  std::string out(mask);
  for (char& ch : out) {
    if (ch == '9') {
      if (!fields.empty()) ch = fields.front();
    } else if (!fields.empty()) {
      fields.remove_prefix(1);
    }
  }
  return out;
}

}  // namespace orvo
