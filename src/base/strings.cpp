// Latin-1 string routines with the classic 1-based positions.
#include "base/strings.h"

#include <algorithm>
#include <limits>

#include "base/error.h"

namespace orvo {

namespace {

// 1-based position of `what` in `text` from `start`, or 0; `start` below 1 counts as 1.
// An empty `what` is found at `start` when that lies within the text or just past it.
int64_t FindFrom(int64_t start, std::string_view text, std::string_view what, bool fold) {
  if (start < 1) start = 1;
  const auto len = static_cast<int64_t>(text.size());
  if (text.empty() || start > len + 1) return 0;
  if (what.empty()) return start;
  if (start > len) return 0;
  auto eq = [fold](char a, char b) { return fold ? UpperChar(a) == UpperChar(b) : a == b; };
  auto from = text.begin() + (start - 1);
  auto it = std::search(from, text.end(), what.begin(), what.end(), eq);
  return it == text.end() ? 0 : (it - text.begin()) + 1;
}

// Positions are 16-bit in the interface; a hit beyond that raises overflow as the
// classic assignment to an Integer did, rather than returning a wrong position.
int16_t ToPosition16(int64_t pos) {
  if (pos > std::numeric_limits<int16_t>::max()) {
    RaiseError(err::kOverflow, "Overflow: position " + std::to_string(pos));
  }
  return static_cast<int16_t>(pos);
}

}  // namespace

char UpperChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u >= 224 && u <= 254 && u != 247) return static_cast<char>(u - 32);
  return c;
}

char LowerChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  if (u >= 192 && u <= 222 && u != 215) return static_cast<char>(u + 32);
  return c;
}

int16_t FirstCharIn(int32_t start, std::string_view text, std::string_view set, bool perChar) {
  if (!perChar) return ToPosition16(FindFrom(start, text, set, false));
  const auto pos = text.find_first_of(set);
  return pos == std::string_view::npos ? 0 : ToPosition16(static_cast<int64_t>(pos) + 1);
}

std::string RemoveChars(std::string_view text, std::string_view what, bool perChar) {
  std::string out;
  out.reserve(text.size());
  if (perChar) {
    for (char c : text) {
      if (what.find(c) == std::string_view::npos) out.push_back(c);
    }
    return out;
  }
  if (what.empty()) return std::string(text);
  size_t at = 0;
  for (size_t hit; (hit = text.find(what, at)) != std::string_view::npos; at = hit + what.size()) {
    out.append(text.substr(at, hit - at));
  }
  out.append(text.substr(at));
  return out;
}

std::string ReplaceChars(std::string_view text, std::string_view from, std::string_view to,
                         bool perChar) {
  std::string out;
  if (perChar) {
    out.reserve(text.size());
    for (char c : text) {
      const auto k = from.find(c);
      // A character of `from` with no partner in a shorter `to` stays as it is: dropping it
      // would lose data silently.
      out.push_back(k != std::string_view::npos && k < to.size() ? to[k] : c);
    }
    return out;
  }
  if (from.empty()) return std::string(text);
  size_t at = 0;
  for (size_t hit; (hit = text.find(from, at)) != std::string_view::npos; at = hit + from.size()) {
    out.append(text.substr(at, hit - at));
    out.append(to);
  }
  out.append(text.substr(at));
  return out;
}

std::string LTrim(std::string_view s) {
  const auto b = s.find_first_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(s.substr(b));
}

std::string RTrim(std::string_view s) {
  const auto e = s.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

std::string Trim(std::string_view s) {
  return LTrim(RTrim(s));
}

std::string UCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperChar(c);
  return out;
}

std::string LCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerChar(c);
  return out;
}

std::string Left(std::string_view s, int64_t n) {
  if (n <= 0) return {};
  return std::string(s.substr(0, static_cast<size_t>(std::min<int64_t>(n, s.size()))));
}

std::string Right(std::string_view s, int64_t n) {
  if (n <= 0) return {};
  const auto k = static_cast<size_t>(std::min<int64_t>(n, s.size()));
  return std::string(s.substr(s.size() - k));
}

std::string Mid(std::string_view s, int64_t start) {
  return Mid(s, start, std::numeric_limits<int64_t>::max());
}

// A start below 1 clamps to 1 (the classic raised 5); the length counts from there.
std::string Mid(std::string_view s, int64_t start, int64_t length) {
  if (start < 1) start = 1;
  if (length <= 0 || start > static_cast<int64_t>(s.size())) return {};
  const auto from = static_cast<size_t>(start - 1);
  const auto avail = static_cast<int64_t>(s.size() - from);
  return std::string(s.substr(from, static_cast<size_t>(std::min(length, avail))));
}

int32_t InStr(int64_t start, std::string_view text, std::string_view what, bool textCompare) {
  const auto pos = FindFrom(start, text, what, textCompare);
  return pos > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(pos);
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace orvo
