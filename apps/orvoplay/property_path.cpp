// Reading the names `get` and `set` take.
#include "property_path.h"

namespace orvo::play {

namespace {

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsName(const std::string& s) {
  if (s.empty() || (s[0] >= '0' && s[0] <= '9')) return false;
  for (char c : s) {
    if (!IsNameChar(c)) return false;
  }
  return true;
}

}  // namespace

std::optional<PropertyPath> ParsePropertyPath(const std::string& word) {
  PropertyPath path;
  std::string head = word;
  size_t dot = word.find('.');
  if (dot != std::string::npos) {
    head = word.substr(0, dot);
    std::string prop = word.substr(dot + 1);
    if (!IsName(prop)) return std::nullopt;
    path.widgetProperty = prop;
  }
  size_t open = head.find('(');
  if (open != std::string::npos) {
    if (head.back() != ')') return std::nullopt;
    std::string digits = head.substr(open + 1, head.size() - open - 2);
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.erase(0, 1);
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    int32_t n = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (negative) n = -n;
    if (n < -32768 || n > 32767) return std::nullopt;
    path.index = static_cast<int16_t>(n);
    head = head.substr(0, open);
  }
  if (!IsName(head)) return std::nullopt;
  path.name = head;
  return path;
}

}  // namespace orvo::play
