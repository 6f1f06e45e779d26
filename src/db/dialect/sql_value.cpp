// Text conversions at the database boundary and identifier quoting.
#include "db/dialect/sql_value.h"

namespace orvo {

std::string Utf8ToLatin1(const char* s, int length) {
  std::string out;
  out.reserve(length);
  const auto* p = reinterpret_cast<const unsigned char*>(s);
  for (int i = 0; i < length;) {
    unsigned char c = p[i];
    int extra = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : 0;
    bool valid = c >= 0x80 && extra > 0;
    for (int k = 1; valid && k <= extra; ++k) {
      if (i + k >= length || (p[i + k] & 0xC0) != 0x80) valid = false;
    }
    if (c < 0x80 || !valid) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    uint32_t code = c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) code = (code << 6) | (p[i + k] & 0x3F);
    out += code <= 0xFF ? static_cast<char>(code) : '?';
    i += extra + 1;
  }
  return out;
}

std::string QuoteIdentifier(const std::string& name) {
  std::string out = "\"";
  for (char c : name) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

}  // namespace orvo
