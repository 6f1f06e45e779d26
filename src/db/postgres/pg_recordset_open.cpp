// Building PostgreSQL recordsets: tables, keyset dynasets over plain selects, materialised
// results.
#include "db/postgres/pg_recordset_open.h"

#include "base/error.h"
#include "base/strings.h"
#include "db/dialect/db_errors.h"
#include "db/dialect/statement_translator.h"
#include "db/keyset/recordset_plan.h"
#include "db/postgres/pg_back_end.h"
#include "db/postgres/pg_catalog.h"
#include "db/postgres/pg_cursor.h"
#include "db/postgres/pg_type_oids.h"

namespace orvo {

namespace {

TableSchema RequireTable(PgConnection& conn, const std::string& name) {
  auto schema = PgTableSchema(conn, name);
  if (!schema) {
    RaiseError(dberr::kTableNotFound,
               "table or query `" + name + "` not found on " + conn.Describe());
  }
  return std::move(*schema);
}

bool IsIntegerKind(ColumnKind kind) {
  return kind == ColumnKind::Integer || kind == ColumnKind::Long || kind == ColumnKind::BigInt ||
         kind == ColumnKind::Byte;
}

// The table's rows walked in place.
//
// A table with neither a primary key nor a unique index over NOT NULL columns has no
// identity of its own, and its schema is the user's: nothing is added to it. Its rows are
// then identified by where they are stored and by which version of the row is stored there:
// `ctid` orders them (after the current index's key, so equal keys keep a stable order, and
// alone when there is no Index: the order rows lie in the table), and `xmin`, the
// transaction that wrote that version, must match too when a row is found again by its
// identity. An UPDATE by anyone writes a new version at a new place, and VACUUM FULL moves
// every row; a freed place may later hold another row. So a bookmark or a current record
// held across another user's change or deletion of that row never finds a different row:
// SetBookMark raises 3159 and Move 0 raises 3021, as for a deleted row, and the walk goes on
// from where the row stood. Without an Index a move reads the rows stored after the current
// one to find the next, so such a table is walked well only while it is small, or by an index.
PgRowSource TableSource(const TableSchema& schema, KeysetSelect select) {
  PgRowSource source;
  source.from = QuoteIdentifier(schema.name);
  source.fieldSql = std::move(select.fieldSql);
  source.order = std::move(select.order);
  source.where = std::move(select.where);
  source.identity = schema.rowIdentity;
  if (source.identity.empty()) {
    source.identity = {"ctid"};
    source.version = {"xmin"};
    source.neverNull.insert("CTID");
  }
  for (const auto& column : schema.columns) {
    if (column.notNull) source.neverNull.insert(UCase(column.name));
  }
  return source;
}

RecordsetRef Make(const PgConnectionRef& conn, RecordsetPlan plan, PgRowSource source,
                  bool integerIds) {
  RecordsetEngine engine;
  engine.cursor = std::make_unique<PgCursor>(conn, std::move(source));
  engine.backEnd = &PgCriteriaBackEnd();
  engine.locale = conn->Locale();
  engine.connection = conn;
  engine.integerIds = integerIds;
  return std::make_shared<KeysetRecordset>(std::move(engine), std::move(plan));
}

bool IntegerIdentity(const TableSchema& schema) {
  if (schema.rowIdentity.size() != 1) return false;
  int at = schema.FindColumn(schema.rowIdentity[0]);
  return at >= 0 && IsIntegerKind(schema.columns[at].kind);
}

RecordsetRef MakeFromTable(const PgConnectionRef& conn, RecordsetPlan plan,
                           const TableSchema& schema, KeysetSelect select) {
  return Make(conn, std::move(plan), TableSource(schema, std::move(select)),
              IntegerIdentity(schema));
}

// The words of a statement that may name tables, columns or aliases.
std::vector<std::string> Words(const ParsedStatement& parsed) {
  std::vector<std::string> words;
  for (const Token& token : parsed.tokens) {
    if (token.kind == TokenKind::Word || token.kind == TokenKind::Bracketed) {
      words.push_back(token.text);
    }
  }
  return words;
}

RecordsetRef OpenMaterialised(const PgConnectionRef& conn, const ParsedStatement& parsed,
                              RecordsetPlan plan) {
  auto names = ReadPgNames(*conn, Words(parsed));
  // Aliases keep the case they are written in.
  for (size_t i = 1; i + 1 < parsed.tokens.size(); ++i) {
    if (parsed.tokens[i - 1].IsWord("AS") && (parsed.tokens[i].kind == TokenKind::Word ||
                                              parsed.tokens[i].kind == TokenKind::Bracketed)) {
      names.emplace(LCase(parsed.tokens[i].text), parsed.tokens[i].text);
    }
  }
  PgBackEnd backEnd(std::move(names));
  PgRowSource source;
  source.fill = TranslateStatement(
      parsed,
      FromTableResolver(parsed,
                        [&](const std::string& name) { return PgTableSchema(*conn, name); }),
      conn->Locale(), backEnd);
  source.tempTable = conn->NewTempName();
  {
    // The result's columns and types, without reading a row; their declarations in one query.
    PgRows probe =
        conn->Query("SELECT * FROM (" + source.fill.sql + ") s LIMIT 0", source.fill.params);
    std::string types = "{", modifiers = "{";
    for (int i = 0; i < probe.Columns(); ++i) {
      const uint32_t type = probe.TypeOid(i);
      ColumnInfo info = PgColumn(probe.Name(i), type, probe.TypeModifier(i));
      // count(*) and other whole-number expressions are Long, as the dialect's engines
      // report them; a bigint column of a table stays BigInt.
      if (type == pgtype::kInt8 && probe.TableOid(i) == 0) info.kind = ColumnKind::Long;
      types += (i ? "," : "") + std::to_string(type);
      modifiers += (i ? "," : "") + std::to_string(probe.TypeModifier(i));
      source.fieldSql.push_back("c" + std::to_string(i));
      plan.fields.push_back(std::move(info));
    }
    PgRows declared = conn->Query(
        "SELECT format_type(t, m) FROM unnest(?::oid[], ?::int[]) WITH ORDINALITY AS u(t, m, n)"
        " ORDER BY n",
        {SqlValue::Text(types + "}"), SqlValue::Text(modifiers + "}")});
    for (int i = 0; i < declared.Count(); ++i) {
      source.tempColumns.push_back("c" + std::to_string(i) + " " + declared.Text(i, 0));
    }
  }
  plan.resolve = MaterialisedResolver(plan.fields);
  return Make(conn, std::move(plan), std::move(source), true);
}

}  // namespace

RecordsetRef OpenPgTable(const PgConnectionRef& conn, const std::string& name,
                         const std::string& index) {
  TableSchema schema = RequireTable(*conn, StripBrackets(name));
  if (schema.isView) {
    RaiseError(dberr::kWrongFamily, "`" + schema.name +
                                        "` is a view and cannot be opened as a table recordset; "
                                        "open it as a dynaset");
  }
  RecordsetPlan plan;
  KeysetSelect select;
  plan.flavour = RecordsetFlavour::Table;
  plan.name = schema.name;
  UseWholeTable(plan, select, schema);
  plan.index = index;
  return MakeFromTable(conn, std::move(plan), schema, std::move(select));
}

RecordsetRef OpenPgStatement(const PgConnectionRef& conn, const std::string& text,
                             RecordsetFlavour flavour) {
  RecordsetPlan plan;
  plan.flavour = flavour;
  plan.name = text;
  OpenText opened = ReadOpenText(text);
  if (!opened.table.empty()) {
    TableSchema schema = RequireTable(*conn, opened.table);
    if (schema.isView || !schema.hasRowid) {
      return OpenMaterialised(conn, ParseStatement("SELECT * FROM [" + schema.name + "]"),
                              std::move(plan));
    }
    KeysetSelect select;
    UseWholeTable(plan, select, schema);
    plan.table.reset();  // a dynaset has no indexes of its own
    return MakeFromTable(conn, std::move(plan), schema, std::move(select));
  }
  ParsedStatement parsed = ParseStatement(opened.statement);
  if (parsed.plain) {
    auto schema = PgTableSchema(*conn, parsed.plain->table);
    RecordsetPlan keyset = plan;
    KeysetSelect select;
    if (schema && !schema->isView && schema->hasRowid &&
        PlanPlainSelect(parsed, *schema, conn->Locale(), PgCriteriaBackEnd(), keyset, select)) {
      return MakeFromTable(conn, std::move(keyset), *schema, std::move(select));
    }
  }
  try {
    return OpenMaterialised(conn, parsed, std::move(plan));
  } catch (const Error& e) {
    if (e.Number() != dberr::kEngineError) throw;
    RaiseError(dberr::kSyntaxInStatement, "statement `" + text + "` cannot be run: " + e.Message());
  }
}

}  // namespace orvo
