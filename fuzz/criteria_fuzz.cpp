// Fuzz target for the criteria and statement translators, in SQLite's and PostgreSQL's
// spelling (translation needs no server). Beyond "no crash", it checks that no text of the
// input reaches the SQL except names and numbers: the output holds no quote but the ESCAPE
// clause's, and one placeholder per bound value.
// Built by fuzz/CMakeLists.txt: with libFuzzer under clang, else over fuzz_driver.cpp.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/error.h"
#include "base/strings.h"
#include "db/dialect/criteria_translator.h"
#include "db/dialect/statement_translator.h"
#include "db/postgres/pg_back_end.h"
#include "db/sqlite/sqlite_back_end.h"

namespace {

std::optional<orvo::ResolvedColumn> Resolve(const std::string& name) {
  std::string upper = orvo::UCase(name);
  if (upper == "NOME") return orvo::ResolvedColumn{"\"nome\"", orvo::ColumnKind::Text};
  if (upper == "NUM") return orvo::ResolvedColumn{"\"num\"", orvo::ColumnKind::Long};
  if (upper == "NASC") return orvo::ResolvedColumn{"\"nasc\"", orvo::ColumnKind::Date};
  return std::nullopt;
}

// The alphabets a case fold translates between are the only other literals: accented
// letters, nothing of the input.
void EraseFoldAlphabets(std::string& sql) {
  for (size_t at = 0; (at = sql.find("translate(", at)) != std::string::npos;) {
    for (int literal = 0; literal < 2; ++literal) {
      const size_t open = sql.find(", '", at);
      const size_t close = open == std::string::npos ? open : sql.find('\'', open + 3);
      if (close == std::string::npos) std::abort();
      for (size_t i = open + 3; i < close; ++i)
        if (static_cast<unsigned char>(sql[i]) < 0xC0) std::abort();
      sql.erase(open, close + 1 - open);
    }
    ++at;
  }
}

// Quotes outside double-quoted identifiers, once the ESCAPE clauses and the fold alphabets
// are taken out, and the placeholder count must match the values.
void CheckNoLiteralText(const orvo::SqlFragment& out) {
  std::string sql = out.sql;
  for (size_t at; (at = sql.find("ESCAPE '\\'")) != std::string::npos;) sql.erase(at, 10);
  EraseFoldAlphabets(sql);
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
  const orvo::SqlBackEnd& sqlite = orvo::SqliteBackEnd();
  // The catalogue's spelling of the names, as a connection learns it.
  static const orvo::PgBackEnd postgres({{"t", "T"}, {"nome", "Nome"}, {"num", "num"}});
  for (const orvo::SqlBackEnd* backEnd :
       {&sqlite, static_cast<const orvo::SqlBackEnd*>(&postgres)}) {
    try {
      CheckNoLiteralText(orvo::TranslateCriterion(text, Resolve, locale, *backEnd));
    } catch (const orvo::Error&) {
    }
    try {
      orvo::ParsedStatement parsed = orvo::ParseStatement("SELECT * FROM t WHERE " + text);
      CheckNoLiteralText(orvo::TranslateStatement(parsed, Resolve, locale, *backEnd));
    } catch (const orvo::Error&) {
    }
    // The input as a whole statement, names and all.
    try {
      orvo::ParsedStatement parsed = orvo::ParseStatement(text);
      CheckNoLiteralText(orvo::TranslateStatement(parsed, Resolve, locale, *backEnd));
    } catch (const orvo::Error&) {
    }
  }
  return 0;
}
