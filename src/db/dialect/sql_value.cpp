// Text conversions at the database boundary and identifier quoting.
#include "db/dialect/sql_value.h"

namespace orvo {

char32_t DecodeUtf8(const unsigned char* p, size_t size, size_t& length) {
  const unsigned char c = p[0];
  const size_t extra = c >= 0xF0 && c < 0xF8   ? 3
                       : c >= 0xE0 && c < 0xF0 ? 2
                       : c >= 0xC2 && c < 0xE0 ? 1
                                               : 0;
  length = 1;
  if (extra == 0 || extra >= size) return c;
  for (size_t k = 1; k <= extra; ++k)
    if ((p[k] & 0xC0) != 0x80) return c;
  char32_t code = c & (0x3F >> extra);
  for (size_t k = 1; k <= extra; ++k) code = (code << 6) | (p[k] & 0x3F);
  length = extra + 1;
  return code;
}

std::string Utf8ToLatin1(const char* s, int length) {
  std::string out;
  out.reserve(length);
  const auto* p = reinterpret_cast<const unsigned char*>(s);
  const size_t size = length > 0 ? static_cast<size_t>(length) : 0;
  for (size_t i = 0, taken = 0; i < size; i += taken) {
    const char32_t code = DecodeUtf8(p + i, size - i, taken);
    out += code <= 0xFF ? static_cast<char>(code) : '?';
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
