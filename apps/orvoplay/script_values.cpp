// Reading value tokens of play scripts.
#include "script_values.h"

#include <charconv>
#include <cstdio>

#include "base/dates.h"

namespace orvo::play {

namespace {

bool AllDigits(const std::string& s, size_t from, size_t to) {
  if (from >= to) return false;
  for (size_t i = from; i < to; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

std::optional<Variant> NumberOf(const std::string& w) {
  size_t start = (!w.empty() && (w[0] == '-' || w[0] == '+')) ? 1 : 0;
  size_t point = w.find('.');
  if (point == std::string::npos) {
    if (!AllDigits(w, start, w.size())) return std::nullopt;
    double d = 0;
    // from_chars takes no leading '+'.
    const char* first = w.data() + (w[0] == '+' ? 1 : 0);
    if (std::from_chars(first, w.data() + w.size(), d).ec != std::errc()) return std::nullopt;
    if (d >= -32768 && d <= 32767) return Variant(static_cast<int16_t>(d));
    if (d >= -2147483648.0 && d <= 2147483647.0) return Variant(static_cast<int32_t>(d));
    return Variant(d);
  }
  if (!AllDigits(w, start, point) || !AllDigits(w, point + 1, w.size())) return std::nullopt;
  double d = 0;
  const char* first = w.data() + (w[0] == '+' ? 1 : 0);
  auto res = std::from_chars(first, w.data() + w.size(), d);
  if (res.ec != std::errc()) return std::nullopt;
  return Variant(d);
}

std::optional<Variant> DateOf(const std::string& text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  int n = std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s);
  if (n < 3 || !IsValidDate(y, mo, d) || h > 23 || mi > 59 || s > 59) return std::nullopt;
  return Variant::Date(DateSerial(y, mo, d) + TimeSerial(h, mi, s));
}

}  // namespace

std::optional<Variant> ValueOf(const Token& token, LexFault& fault) {
  switch (token.kind) {
    case TokenKind::String:
      return Variant(token.text);
    case TokenKind::Date: {
      auto v = DateOf(token.text);
      if (!v) fault = {"a valid date", "#" + token.text + "#"};
      return v;
    }
    case TokenKind::Word:
      break;
  }
  const std::string& w = token.text;
  if (w == "true") return Variant(true);
  if (w == "false") return Variant(false);
  if (w == "empty") return Variant();
  if (w == "null") return Variant::Null();
  if (auto v = NumberOf(w)) return v;
  fault = {"a value (number, \"string\", true, false, empty, null or #date#)", w};
  return std::nullopt;
}

std::optional<int32_t> WholeNumberOf(const Token& token) {
  if (token.kind != TokenKind::Word) return std::nullopt;
  auto v = NumberOf(token.text);
  if (!v) return std::nullopt;
  if (v->Type() == VarType::Integer) return v->AsInteger();
  if (v->Type() == VarType::Long) return v->AsLong();
  return std::nullopt;
}

}  // namespace orvo::play
