// Building recordset plans: tables, keyset dynasets over plain selects, materialised results.
#include "db/sqlite/recordset_open.h"

#include <sqlite3.h>

#include "base/error.h"
#include "base/strings.h"
#include "db/sqlite/db_errors.h"
#include "db/sqlite/statement_translator.h"

namespace orvo {

namespace {

// Criterion names over a table: "nome", "[Nome]", "clientes.nome", "c.nome" (an alias).
ColumnResolver TableResolver(const TableSchema& schema, std::string alias = "") {
  return [schema, alias](const std::string& name) -> std::optional<ResolvedColumn> {
    std::string column = name;
    auto dot = name.rfind('.');
    if (dot != std::string::npos) {
      std::string qualifier = UCase(name.substr(0, dot));
      if (qualifier != UCase(schema.name) && qualifier != UCase(alias)) return std::nullopt;
      column = name.substr(dot + 1);
    }
    int at = schema.FindColumn(column);
    if (at < 0) return std::nullopt;
    return ResolvedColumn{QuoteIdentifier(schema.columns[at].name), schema.columns[at].kind};
  };
}

TableSchema RequireTable(SqliteConnection& conn, const std::string& name) {
  auto schema = ReadTableSchema(conn, name);
  if (!schema) {
    RaiseError(dberr::kTableNotFound,
               "table or query `" + name + "` not found in database `" + conn.Path() + "`");
  }
  return std::move(*schema);
}

void UseWholeTable(RecordsetPlan& plan, const TableSchema& schema) {
  plan.from = QuoteIdentifier(schema.name);
  for (const auto& column : schema.columns) {
    plan.fields.push_back(column);
    plan.fieldSql.push_back(QuoteIdentifier(column.name));
  }
  plan.resolve = TableResolver(schema);
  plan.orderHint = OrderHint(schema, {});
  plan.table = schema;
}

std::string StripBrackets(const std::string& name) {
  std::string trimmed = Trim(name);
  if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
    return trimmed.substr(1, trimmed.size() - 2);
  }
  return trimmed;
}

// Keyset plan for a plain select over a rowid table; false when it is not one.
bool PlanPlainSelect(SqliteConnection& conn, const ParsedStatement& parsed, RecordsetPlan& plan) {
  const PlainSelect& select = *parsed.plain;
  auto schema = ReadTableSchema(conn, select.table);
  if (!schema || schema->isView || !schema->hasRowid) return false;
  // The rows are read from the table itself, so an alias only names it in the statement.
  plan.from = QuoteIdentifier(schema->name);
  plan.resolve = TableResolver(*schema, select.alias);
  auto find = [&](const PlainColumn& column) {
    if (!column.qualifier.empty() && UCase(column.qualifier) != UCase(schema->name) &&
        UCase(column.qualifier) != UCase(select.alias)) {
      return -1;
    }
    return schema->FindColumn(column.name);
  };
  if (select.columns.empty()) {
    for (const auto& column : schema->columns) {
      plan.fields.push_back(column);
      plan.fieldSql.push_back(QuoteIdentifier(column.name));
    }
  } else {
    for (const auto& column : select.columns) {
      int at = find(column);
      if (at < 0) return false;
      plan.fields.push_back(schema->columns[at]);
      if (!column.alias.empty()) plan.fields.back().name = column.alias;
      plan.fieldSql.push_back(QuoteIdentifier(schema->columns[at].name));
    }
  }
  std::vector<std::pair<std::string, ResolvedColumn>> aliases;
  for (size_t i = 0; i < select.columns.size(); ++i) {
    if (select.columns[i].alias.empty()) continue;
    aliases.push_back({UCase(select.columns[i].alias), {plan.fieldSql[i], plan.fields[i].kind}});
  }
  if (!aliases.empty()) {
    plan.resolve = [aliases, columns = plan.resolve](const std::string& name) {
      for (const auto& [alias, column] : aliases) {
        if (UCase(name) == alias) return std::optional<ResolvedColumn>(column);
      }
      return columns(name);
    };
  }
  for (const auto& item : select.order) {
    int at = find(item);
    if (at < 0) return false;
    plan.order.push_back({schema->columns[at].name, item.descending, ""});
  }
  plan.orderHint = OrderHint(*schema, plan.order);
  if (select.whereEnd > select.whereBegin) {
    try {
      plan.where = TranslateCondition(parsed.tokens, select.whereBegin, select.whereEnd,
                                      plan.resolve, conn.Locale(), "statement", parsed.source);
    } catch (const Error&) {
      return false;  // something the criterion grammar lacks: let SQLite judge it whole
    }
  }
  plan.table = std::move(*schema);
  return true;
}

// The table after the top-level FROM, to type the statement's literals by its columns.
ColumnResolver FromTableResolver(SqliteConnection& conn, const ParsedStatement& parsed) {
  const auto& tokens = parsed.tokens;
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (tokens[i].IsWord("FROM") &&
        (tokens[i + 1].kind == TokenKind::Word || tokens[i + 1].kind == TokenKind::Bracketed)) {
      if (auto schema = ReadTableSchema(conn, tokens[i + 1].text)) return TableResolver(*schema);
      break;
    }
  }
  return {};
}

void PlanMaterialised(SqliteConnection& conn, const ParsedStatement& parsed, RecordsetPlan& plan) {
  plan.fill = TranslateStatement(parsed, FromTableResolver(conn, parsed), conn.Locale());
  plan.tempTable = conn.NewTempName();
  std::string create = "CREATE TEMP TABLE " + QuoteIdentifier(plan.tempTable) + " (";
  {
    SqlQuery probe(conn, plan.fill.sql);
    probe.Bind(plan.fill.params);
    bool stepped = false, hasRow = false;
    for (int i = 0; i < probe.ColumnCount(); ++i) {
      ColumnInfo info = ColumnFromDeclType(probe.ColumnName(i), probe.ColumnDeclType(i));
      if (info.declType.empty()) {
        // An expression has no declared type: the first row's value decides.
        if (!stepped) hasRow = probe.Step(), stepped = true;
        int type = hasRow ? probe.ColumnType(i) : SQLITE_NULL;
        const char* decl = type == SQLITE_INTEGER ? "INTEGER"
                           : type == SQLITE_FLOAT ? "DOUBLE"
                           : type == SQLITE_TEXT  ? "VARCHAR(255)"
                                                  : "";
        info = ColumnFromDeclType(info.name, decl);
        info.declType.clear();
      }
      std::string sqlName = "c" + std::to_string(i);
      create += (i ? ", " : "") + sqlName + " " + probe.ColumnDeclType(i);
      plan.fields.push_back(std::move(info));
      plan.fieldSql.push_back(sqlName);
    }
  }
  conn.Exec(create + ")");
  plan.from = "temp." + QuoteIdentifier(plan.tempTable);
  plan.orderHint = " NOT INDEXED";
  std::vector<ColumnInfo> fields = plan.fields;
  plan.resolve = [fields](const std::string& name) -> std::optional<ResolvedColumn> {
    std::string upper =
        UCase(name.substr(name.rfind('.') == std::string::npos ? 0 : name.rfind('.') + 1));
    for (size_t i = 0; i < fields.size(); ++i) {
      if (UCase(fields[i].name) == upper)
        return ResolvedColumn{"c" + std::to_string(i), fields[i].kind};
    }
    return std::nullopt;
  };
}

}  // namespace

RecordsetRef OpenTableRecordset(const ConnectionRef& conn, const std::string& name,
                                const std::string& index) {
  TableSchema schema = RequireTable(*conn, StripBrackets(name));
  if (schema.isView || !schema.hasRowid) {
    RaiseError(dberr::kWrongFamily,
               "`" + schema.name + "` cannot be opened as a table recordset; open it as a dynaset");
  }
  RecordsetPlan plan;
  plan.flavour = RecordsetFlavour::Table;
  plan.name = schema.name;
  UseWholeTable(plan, schema);
  auto recordset = std::make_shared<SqliteRecordset>(conn, std::move(plan));
  if (!Trim(index).empty()) {
    recordset->SetIndex(index);
    recordset->MoveFirst();
  }
  return recordset;
}

RecordsetRef OpenStatementRecordset(const ConnectionRef& conn, const std::string& text,
                                    RecordsetFlavour flavour) {
  RecordsetPlan plan;
  plan.flavour = flavour;
  plan.name = text;
  std::string trimmed = Trim(text);
  std::vector<Token> tokens = Tokenize(trimmed, "statement");
  if (tokens.size() > 2 && !tokens[0].IsWord("SELECT") &&
      (tokens[1].IsWord("WHERE") || tokens[1].IsWord("ORDER"))) {
    // "clientes WHERE ...": the one-record query built from a dynaset opened by table name
    // (its Name is the table's), read as a select of the whole table.
    trimmed = "SELECT * FROM " + trimmed;
  } else if (!tokens[0].IsWord("SELECT")) {
    TableSchema schema = RequireTable(*conn, StripBrackets(trimmed));
    if (schema.isView || !schema.hasRowid) {
      PlanMaterialised(*conn, ParseStatement("SELECT * FROM [" + schema.name + "]"), plan);
      return std::make_shared<SqliteRecordset>(conn, std::move(plan));
    }
    UseWholeTable(plan, schema);
    return std::make_shared<SqliteRecordset>(conn, std::move(plan));
  }
  ParsedStatement parsed = ParseStatement(trimmed);
  RecordsetPlan keyset = plan;
  if (parsed.plain && PlanPlainSelect(*conn, parsed, keyset)) {
    keyset.table.reset();  // a dynaset has no indexes of its own
    auto recordset = std::make_shared<SqliteRecordset>(conn, std::move(keyset));
    return recordset;
  }
  try {
    PlanMaterialised(*conn, parsed, plan);
  } catch (const Error& e) {
    if (e.Number() != dberr::kEngineError) throw;
    RaiseError(dberr::kSyntaxInStatement, "statement `" + text + "` cannot be run: " + e.Message());
  }
  std::string temp = plan.tempTable;
  try {
    auto recordset = std::make_shared<SqliteRecordset>(conn, std::move(plan));
    return recordset;
  } catch (...) {
    conn->Exec("DROP TABLE IF EXISTS temp." + QuoteIdentifier(temp));
    throw;
  }
}

}  // namespace orvo
