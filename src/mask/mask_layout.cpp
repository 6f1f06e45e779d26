// StripLiterals and InsertLiterals over a template.
#include "mask/mask_layout.h"

#include <algorithm>

namespace orvo {

TemplateShape::TemplateShape(std::string_view tmpl, TipoDeCampo k) : maskTemplate(tmpl), kind(k) {
  for (char c : tmpl) {
    if (IsLiteralChar(c)) hasLiteral = true;
    if (c == '#') hasHash = true;
  }
}

namespace {

// Whether c at a position whose class character is m (0 beyond the template) is raw input.
bool IsRawInput(char c, char m, const TemplateShape& shape) {
  if (m == 0 || m == '!' || m == 'a' || m == 'X') return true;
  // A space standing on a space literal was laid in; one on a class position was typed.
  if (c == ' ') return m != ' ' && (shape.hasHash || m == 'A' || m == 'N' || m == '#');
  if (!IsLiteralChar(c)) return true;
  // The numeric kinds type ".,-+" as part of the number.
  return IsNumericKind(shape.kind) && (c == '.' || c == ',' || c == '-' || c == '+');
}

}  // namespace

void StripLiteralsInPlace(std::string& text, const TemplateShape& shape, int64_t start,
                          int64_t markFrom, int64_t markTo) {
  const int64_t size = static_cast<int64_t>(text.size());
  const int64_t tlen = static_cast<int64_t>(shape.maskTemplate.size());
  int64_t out = std::clamp<int64_t>(start - 1, 0, size);
  for (int64_t j = out; j < size; ++j) {
    const int64_t pos = j + 1;
    if (pos >= markFrom && pos < markTo) continue;
    const char c = text[static_cast<size_t>(j)];
    const char m = j < tlen ? shape.maskTemplate[static_cast<size_t>(j)] : 0;
    if (IsRawInput(c, m, shape)) text[static_cast<size_t>(out++)] = c;
  }
  text.resize(static_cast<size_t>(out));
}

std::string StripLiterals(const TemplateShape& shape, std::string_view text, int32_t start) {
  std::string out(text);
  StripLiteralsInPlace(out, shape, start);
  return out;
}

void InsertLiteralsInPlace(std::string& text, std::string_view maskTemplate, int64_t count,
                           size_t maxLength) {
  if (count < 0) count = 0;
  if (static_cast<size_t>(count) >= text.size()) {
    if (text.size() > maxLength) text.resize(maxLength);
    return;
  }
  // Only the tail from `count` on is rebuilt, so a key near the end of a long text is cheap.
  const size_t keep = static_cast<size_t>(count);
  std::string tail;
  tail.reserve(text.size() - keep + 8);
  size_t t = keep;
  for (size_t j = keep; j < text.size() && keep + tail.size() < maxLength; ++j) {
    while (t < maskTemplate.size() && IsLiteralChar(maskTemplate[t])) tail += maskTemplate[t++];
    tail += text[j];
    ++t;
  }
  text.resize(keep);
  text += tail;
  if (text.size() > maxLength) text.resize(maxLength);
}

std::string InsertLiterals(std::string_view maskTemplate, std::string_view text, int32_t count) {
  std::string out(text);
  InsertLiteralsInPlace(out, maskTemplate, count);
  return out;
}

}  // namespace orvo
