// The connection's LIKE, folding the case of Latin-1 letters.
#include "db/sqlite/sqlite_like.h"

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "db/dialect/sql_value.h"

namespace orvo {

namespace {

// The code points of UTF-8 text; a byte that starts no whole sequence stands for itself.
std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t i = 0, taken = 0; i < text.size(); i += taken)
    out.push_back(DecodeUtf8(p + i, text.size() - i, taken));
  return out;
}

char32_t Folded(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  return c;
}

// Whether `text` matches `pattern` (both folded), with backtracking to the last '%' only: a
// match takes at most pattern x text steps.
bool Matches(const std::vector<char32_t>& pattern, const std::vector<char32_t>& text,
             std::optional<char32_t> escape) {
  size_t p = 0, t = 0;
  size_t starP = SIZE_MAX, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size()) {
      char32_t want = pattern[p];
      bool literal = false;
      if (escape && want == *escape && p + 1 < pattern.size()) {
        want = pattern[p + 1];
        literal = true;
      }
      if (!literal && want == '%') {
        starP = ++p;
        starT = t;
        continue;
      }
      if ((!literal && want == '_') || want == text[t]) {
        p += literal ? 2 : 1;
        ++t;
        continue;
      }
    }
    if (starP == SIZE_MAX) return false;
    p = starP;
    t = ++starT;
  }
  while (p < pattern.size() && pattern[p] == '%' && !(escape && *escape == '%')) ++p;
  return p == pattern.size();
}

std::vector<char32_t> FoldedArgument(sqlite3_value* value) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
  std::vector<char32_t> out =
      CodePoints(std::string_view(text ? text : "", sqlite3_value_bytes(value)));
  for (char32_t& c : out) c = Folded(c);
  return out;
}

void Like(sqlite3_context* context, int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i)
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return sqlite3_result_null(context);
  std::optional<char32_t> escape;
  if (argc == 3) {
    const std::vector<char32_t> e = CodePoints(std::string_view(
        reinterpret_cast<const char*>(sqlite3_value_text(argv[2])), sqlite3_value_bytes(argv[2])));
    if (e.size() != 1)
      return sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
    escape = Folded(e.front());
  }
  sqlite3_result_int(context, Matches(FoldedArgument(argv[0]), FoldedArgument(argv[1]), escape));
}

}  // namespace

void RegisterCaselessLike(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  sqlite3_create_function_v2(db, "like", 2, flags, nullptr, Like, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "like", 3, flags, nullptr, Like, nullptr, nullptr, nullptr);
}

}  // namespace orvo
