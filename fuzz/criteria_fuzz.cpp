// Fuzz target for the criteria and statement translators. Beyond "no crash", it checks that
// no text of the input reaches the SQL except names and numbers: the output holds no quote
// but the ESCAPE clause's, and one placeholder per bound value.
// Build and run (libFuzzer):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Isrc fuzz/criteria_fuzz.cpp \
//     src/db/dialect/*.cpp src/db/sqlite/sqlite_back_end.cpp src/base/*.cpp \
//     -o /tmp/criteria_fuzz
//   /tmp/criteria_fuzz -max_total_time=60
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/error.h"
#include "base/strings.h"
#include "db/dialect/criteria_translator.h"
#include "db/dialect/statement_translator.h"
#include "db/sqlite/sqlite_back_end.h"

namespace {

std::optional<orvo::ResolvedColumn> Resolve(const std::string& name) {
  std::string upper = orvo::UCase(name);
  if (upper == "NOME") return orvo::ResolvedColumn{"\"nome\"", orvo::ColumnKind::Text};
  if (upper == "NUM") return orvo::ResolvedColumn{"\"num\"", orvo::ColumnKind::Long};
  if (upper == "NASC") return orvo::ResolvedColumn{"\"nasc\"", orvo::ColumnKind::Date};
  return std::nullopt;
}

// Quotes outside double-quoted identifiers, once the ESCAPE clauses are taken out, and the
// placeholder count must match the values.
void CheckNoLiteralText(const orvo::SqlFragment& out) {
  std::string sql = out.sql;
  for (size_t at; (at = sql.find("ESCAPE '\\'")) != std::string::npos;) sql.erase(at, 10);
  size_t placeholders = 0;
  bool inName = false;
  for (char c : sql) {
    if (c == '"') inName = !inName;
    if (inName) continue;
    if (c == '\'') std::abort();
    if (c == '?') ++placeholders;
  }
  if (placeholders != out.params.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  const orvo::LocaleSettings locale = orvo::LocaleSettings::PtBR();
  try {
    CheckNoLiteralText(orvo::TranslateCriterion(text, Resolve, locale, orvo::SqliteBackEnd()));
  } catch (const orvo::Error&) {
  }
  try {
    orvo::ParsedStatement parsed = orvo::ParseStatement("SELECT * FROM t WHERE " + text);
    CheckNoLiteralText(orvo::TranslateStatement(parsed, Resolve, locale, orvo::SqliteBackEnd()));
  } catch (const orvo::Error&) {
  }
  return 0;
}
