// GroupIntegerText: "#,##0" on integer texts.
#include "mask/group_integer.h"

namespace orvo {

std::string GroupIntegerText(std::string_view text, std::string_view groupSeparator) {
  std::string_view s = text;
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  } else if (!s.empty() && (s.back() == '-' || s.back() == '+')) {
    negative = s.back() == '-';
    s.remove_suffix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  }
  if (s.empty()) return std::string(text);
  for (char c : s)
    if (c < '0' || c > '9') return std::string(text);

  while (s.size() > 1 && s.front() == '0') s.remove_prefix(1);
  if (s == "0") negative = false;
  std::string out;
  out.reserve(s.size() + (s.size() / 3) * groupSeparator.size() + 1);
  if (negative) out += '-';
  for (size_t i = 0; i < s.size(); ++i) {
    if (i > 0 && (s.size() - i) % 3 == 0) out += groupSeparator;
    out += s[i];
  }
  return out;
}

void KeepIntegerDigits(std::string& text, int64_t digits) {
  int64_t seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9' && ++seen > digits) {
      text.resize(i);
      return;
    }
  }
}

}  // namespace orvo
