// Building SQLite recordsets: tables, keyset dynasets over plain selects, materialised results.
#include "db/sqlite/recordset_open.h"

#include <sqlite3.h>

#include "base/error.h"
#include "base/scope_guard.h"
#include "base/strings.h"
#include "db/dialect/db_errors.h"
#include "db/dialect/statement_translator.h"
#include "db/keyset/recordset_plan.h"
#include "db/sqlite/keyset_cursor.h"
#include "db/sqlite/sqlite_back_end.h"
#include "db/sqlite/sqlite_catalog.h"

namespace orvo {

namespace {

TableSchema RequireTable(SqliteConnection& conn, const std::string& name) {
  auto schema = ReadTableSchema(conn, name);
  if (!schema) {
    RaiseError(dberr::kTableNotFound,
               "table or query `" + name + "` not found in database `" + conn.Path() + "`");
  }
  return std::move(*schema);
}

// Rows are walked and found by their row id, which is the user's own key only where an
// INTEGER PRIMARY KEY names it. Elsewhere SQLite may give a deleted row's id to a new row
// (after the last row is deleted) and VACUUM may renumber every row, so a held bookmark
// could name another row: there a row found again by its id must also still hold the
// primary key it was read with, or, in a table without one, every value it was read with.
// A bookmark or current record whose row another user changed in that way then raises as a
// deleted row does (3159, 3021) and never lands on another row.
std::vector<std::string> RowCheck(const TableSchema& schema) {
  std::vector<std::string> check;
  for (const auto& index : schema.indexes) {
    if (!index.primary) continue;
    if (index.engineName.empty()) return {};  // the row id is the INTEGER PRIMARY KEY
    for (const auto& key : index.columns) check.push_back(QuoteIdentifier(key.name));
    return check;
  }
  for (const auto& column : schema.columns) check.push_back(QuoteIdentifier(column.name));
  return check;
}

void UseWholeTable(RecordsetPlan& plan, SqliteRowSource& source, const TableSchema& schema) {
  KeysetSelect select;
  UseWholeTable(plan, select, schema);
  source.from = QuoteIdentifier(schema.name);
  source.fieldSql = std::move(select.fieldSql);
  source.rowCheck = RowCheck(schema);
  source.table = schema;
}

RecordsetRef Make(const ConnectionRef& conn, RecordsetPlan plan, SqliteRowSource source) {
  RecordsetEngine engine;
  engine.integerIds = source.rowCheck.empty();
  engine.cursor = std::make_unique<KeysetCursor>(conn, std::move(source));
  engine.backEnd = &SqliteBackEnd();
  engine.locale = conn->Locale();
  engine.connection = conn;
  return std::make_shared<KeysetRecordset>(std::move(engine), std::move(plan));
}

// Keyset plan for a plain select over a rowid table; false when it is not one.
bool PlanPlainSelect(SqliteConnection& conn, const ParsedStatement& parsed, RecordsetPlan& plan,
                     SqliteRowSource& source) {
  auto schema = ReadTableSchema(conn, parsed.plain->table);
  if (!schema || schema->isView || !schema->hasRowid) return false;
  KeysetSelect select;
  if (!PlanPlainSelect(parsed, *schema, conn.Locale(), SqliteBackEnd(), plan, select)) return false;
  source.from = QuoteIdentifier(schema->name);
  source.fieldSql = std::move(select.fieldSql);
  source.order = std::move(select.order);
  source.where = std::move(select.where);
  source.rowCheck = RowCheck(*schema);
  source.table = std::move(*schema);
  return true;
}

void PlanMaterialised(SqliteConnection& conn, const ParsedStatement& parsed, RecordsetPlan& plan,
                      SqliteRowSource& source) {
  source.fill = TranslateStatement(
      parsed,
      FromTableResolver(parsed,
                        [&](const std::string& name) { return ReadTableSchema(conn, name); }),
      conn.Locale(), SqliteBackEnd());
  source.tempTable = conn.NewTempName();
  std::string create = "CREATE TEMP TABLE " + QuoteIdentifier(source.tempTable) + " (";
  {
    SqlQuery probe(conn, source.fill.sql);
    probe.Bind(source.fill.params);
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
      source.fieldSql.push_back(sqlName);
    }
  }
  conn.Exec(create + ")");
  source.from = "temp." + QuoteIdentifier(source.tempTable);
  plan.resolve = MaterialisedResolver(plan.fields);
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
  SqliteRowSource source;
  plan.flavour = RecordsetFlavour::Table;
  plan.name = schema.name;
  UseWholeTable(plan, source, schema);
  plan.index = index;
  return Make(conn, std::move(plan), std::move(source));
}

RecordsetRef OpenStatementRecordset(const ConnectionRef& conn, const std::string& text,
                                    RecordsetFlavour flavour) {
  RecordsetPlan plan;
  SqliteRowSource source;
  plan.flavour = flavour;
  plan.name = text;
  OpenText opened = ReadOpenText(text);
  if (!opened.table.empty()) {
    TableSchema schema = RequireTable(*conn, opened.table);
    if (schema.isView || !schema.hasRowid) {
      PlanMaterialised(*conn, ParseStatement("SELECT * FROM [" + schema.name + "]"), plan, source);
      return Make(conn, std::move(plan), std::move(source));
    }
    UseWholeTable(plan, source, schema);
    plan.table.reset();  // a dynaset has no indexes of its own
    return Make(conn, std::move(plan), std::move(source));
  }
  ParsedStatement parsed = ParseStatement(opened.statement);
  RecordsetPlan keyset = plan;
  SqliteRowSource keysetSource;
  if (parsed.plain && PlanPlainSelect(*conn, parsed, keyset, keysetSource)) {
    return Make(conn, std::move(keyset), std::move(keysetSource));
  }
  try {
    PlanMaterialised(*conn, parsed, plan, source);
  } catch (const Error& e) {
    if (e.Number() != dberr::kEngineError) throw;
    RaiseError(dberr::kSyntaxInStatement, "statement `" + text + "` cannot be run: " + e.Message());
  }
  // The materialised rows go with a recordset that fails to open.
  ScopeGuard dropTemp([&conn, temp = source.tempTable] {
    conn->Exec("DROP TABLE IF EXISTS temp." + QuoteIdentifier(temp));
  });
  RecordsetRef recordset = Make(conn, std::move(plan), std::move(source));
  dropTemp.Dismiss();
  return recordset;
}

}  // namespace orvo
