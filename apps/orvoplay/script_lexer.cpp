// Splitting script lines into words, strings and date literals; reading script files.
#include "script_lexer.h"

#include <cstdio>
#include <fstream>

namespace orvo::play {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of a date literal starting at the `#` at `at`, closing `#` included; 0 when the
// text there is no date literal (then the `#` starts a comment). Only the shape is checked
// here: `#2024-13-45#` is a date literal whose value is refused later.
size_t DateLiteralLength(const std::string& s, size_t at) {
  // "#dddd-dd-dd" then "#" or " hh:mm:ss#" (hour may have one digit, seconds optional).
  auto digits = [&](size_t& i, size_t min, size_t max) {
    size_t n = 0;
    while (i < s.size() && IsDigit(s[i]) && n < max) ++i, ++n;
    return n >= min;
  };
  size_t i = at + 1;
  if (!digits(i, 4, 4) || i >= s.size() || s[i++] != '-') return 0;
  if (!digits(i, 1, 2) || i >= s.size() || s[i++] != '-') return 0;
  if (!digits(i, 1, 2) || i >= s.size()) return 0;
  if (s[i] == ' ') {
    ++i;
    if (!digits(i, 1, 2) || i >= s.size() || s[i++] != ':') return 0;
    if (!digits(i, 2, 2) || i >= s.size()) return 0;
    if (s[i] == ':') {
      ++i;
      if (!digits(i, 2, 2) || i >= s.size()) return 0;
    }
  }
  if (s[i] != '#') return 0;
  return i + 1 - at;
}

std::string Quoted(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u < 32 || u >= 127) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02X", u);
    return buf;
  }
  return std::string(1, c);
}

}  // namespace

LexedLine LexLine(const std::string& s) {
  LexedLine out;
  auto fail = [&](std::string expected, std::string got) {
    out.faulty = true;
    out.fault = {std::move(expected), std::move(got)};
    out.tokens.clear();
    return out;
  };
  size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    if (IsBlank(c)) {
      ++i;
    } else if (c == '#') {
      size_t n = DateLiteralLength(s, i);
      if (n == 0) break;  // comment to the end of the line
      out.tokens.push_back({TokenKind::Date, s.substr(i + 1, n - 2)});
      i += n;
    } else if (c == '"') {
      std::string text;
      ++i;
      bool closed = false;
      while (i < s.size()) {
        char d = s[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d != '\\') {
          text += d;
          continue;
        }
        if (i >= s.size()) return fail("an escape after \\", "end of line");
        char e = s[i++];
        switch (e) {
          case '"':
            text += '"';
            break;
          case '\\':
            text += '\\';
            break;
          case 't':
            text += '\t';
            break;
          case 'n':
            text += '\n';
            break;
          case 'r':
            text += '\r';
            break;
          case 'x': {
            int hi = i < s.size() ? HexValue(s[i]) : -1;
            int lo = i + 1 < s.size() ? HexValue(s[i + 1]) : -1;
            if (hi < 0 || lo < 0) {
              return fail("two hex digits after \\x", "\"" + s.substr(i, 2) + "\"");
            }
            text += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
          }
          default:
            return fail("one of the escapes \\\" \\\\ \\t \\n \\r \\xHH", "\\" + Quoted(e));
        }
      }
      if (!closed) return fail("a closing quote", "end of line");
      // A string runs into the next token only across a blank: `"a"b` is a typo.
      if (i < s.size() && !IsBlank(s[i]) && s[i] != '#') {
        return fail("a blank after the closing quote", Quoted(s[i]));
      }
      out.tokens.push_back({TokenKind::String, std::move(text)});
    } else {
      size_t start = i;
      while (i < s.size() && !IsBlank(s[i]) && s[i] != '#' && s[i] != '"') ++i;
      out.tokens.push_back({TokenKind::Word, s.substr(start, i - start)});
    }
  }
  return out;
}

bool Utf8ToLatin1(const std::string& utf8, std::string& latin1, std::string& bad) {
  latin1.clear();
  size_t i = 0;
  const size_t n = utf8.size();
  auto cont = [&](size_t k) {
    return k < n && (static_cast<unsigned char>(utf8[k]) & 0xC0) == 0x80;
  };
  while (i < n) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    uint32_t code = 0;
    size_t len = 0;
    if (b < 0x80) {
      code = b, len = 1;
    } else if ((b & 0xE0) == 0xC0 && b >= 0xC2 && cont(i + 1)) {
      code = ((b & 0x1Fu) << 6) | (utf8[i + 1] & 0x3F), len = 2;
    } else if ((b & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
      code = ((b & 0x0Fu) << 12) | ((utf8[i + 1] & 0x3Fu) << 6) | (utf8[i + 2] & 0x3F);
      len = 3;
    } else if ((b & 0xF8) == 0xF0 && b <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
      code = ((b & 0x07u) << 18) | ((utf8[i + 1] & 0x3Fu) << 12) | ((utf8[i + 2] & 0x3Fu) << 6) |
             (utf8[i + 3] & 0x3F);
      len = 4;
    } else {
      code = b, len = 1;  // not UTF-8: the byte as it stands
    }
    if (code > 0xFF) {
      char buf[16];
      std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(code));
      bad = buf;
      return false;
    }
    latin1 += static_cast<char>(code);
    i += len;
  }
  return true;
}

bool ReadScriptLines(const std::string& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  lines.clear();
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  // A UTF-8 byte order mark is not part of the first command.
  if (!lines.empty() && lines[0].rfind("\xEF\xBB\xBF", 0) == 0) lines[0].erase(0, 3);
  return !in.bad();
}

}  // namespace orvo::play
