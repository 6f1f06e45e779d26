// Planning recordsets over one table, for either engine: the names criteria may use, the
// whole table's fields, and plain one-table selects walked by key instead of materialised.
#pragma once

#include <string>
#include <vector>

#include "db/dialect/statement_translator.h"
#include "db/keyset/keyset_recordset.h"
#include "db/keyset/table_schema.h"

namespace orvo {

// Criterion names over a table: "nome", "[Nome]", "clientes.nome", "c.nome" (an alias).
ColumnResolver TableResolver(const TableSchema& schema, std::string alias = "");

// Criterion names over materialised rows, whose columns are c0, c1...: the result's names.
ColumnResolver MaterialisedResolver(std::vector<ColumnInfo> fields);

// The table named after a statement's first FROM, to type its literals by that table's
// columns; `read` reads a table's schema (nullopt when there is none).
template <typename ReadSchema>
ColumnResolver FromTableResolver(const ParsedStatement& parsed, ReadSchema read) {
  const auto& tokens = parsed.tokens;
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (tokens[i].IsWord("FROM") &&
        (tokens[i + 1].kind == TokenKind::Word || tokens[i + 1].kind == TokenKind::Bracketed)) {
      if (auto schema = read(tokens[i + 1].text)) return TableResolver(*schema);
      break;
    }
  }
  return {};
}

// "[Clientes]" -> "Clientes"; blanks around it go too.
std::string StripBrackets(const std::string& name);

// What a text given to OpenDynaset names: a bare table (`table` set), or a statement in the
// dialect. "clientes WHERE ..." (the one-record query built from a dynaset opened by table
// name, whose Name is the table's) is a select of the whole table.
struct OpenText {
  std::string table;
  std::string statement;
};
OpenText ReadOpenText(const std::string& text);

// What a keyset cursor reads for a plan: the fields' SQL, the statement's order and condition.
struct KeysetSelect {
  std::vector<std::string> fieldSql;
  std::vector<KeyColumn> order;
  SqlFragment where;
};

// Every column of the table, in table order.
void UseWholeTable(RecordsetPlan& plan, KeysetSelect& select, const TableSchema& schema);

// Plans a plain select over `schema` (the table the statement names); false when it names
// a column the table lacks or its condition is beyond the criterion grammar, so the engine
// must run it whole.
bool PlanPlainSelect(const ParsedStatement& parsed, const TableSchema& schema,
                     const LocaleSettings& locale, const SqlBackEnd& backEnd, RecordsetPlan& plan,
                     KeysetSelect& select);

}  // namespace orvo
