// The data commands of scripts: a database on either engine, recordsets bound to the
// current control.
//
// `db open NAME` opens an SQLite file (":memory:" for a fresh one in memory), or a
// PostgreSQL server when NAME is a connection string. With ORVOPLAY_DB=postgres the same
// script runs on the server named by $ORVO_PG instead: every NAME becomes a schema of its
// own for this run (":memory:" a fresh one at each open, a file name the same one at each
// open, so a second `db open` is a second connection to the same data), so that runs in
// parallel never meet; the schemas are dropped when the run ends. On PostgreSQL, `db exec`
// reads [names] as quoted names, as SQLite does, so that one script serves both engines.
#include <unistd.h>

#include <cctype>
#include <cstdlib>

#include "orvo/error.h"
#include "orvo/orvo_mask.h"
#include "orvo/postgres_database.h"
#include "orvo/sqlite_database.h"
#include "play_form.h"
#include "script_runner.h"

namespace orvo::play {

namespace {

inline constexpr int32_t kObjectVariableNotSet = 91;

bool OnPostgres() {
  const char* engine = std::getenv("ORVOPLAY_DB");
  return engine && std::string(engine) == "postgres";
}

std::string ServerConnection() {
  const char* conninfo = std::getenv("ORVO_PG");
  if (!conninfo || !*conninfo) {
    RaiseError(kObjectVariableNotSet,
               "orvoplay: ORVOPLAY_DB=postgres needs ORVO_PG, a connection string of the server");
  }
  return conninfo;
}

// The schemas of this run, dropped at its end.
struct RunSchemas {
  std::vector<std::string> names;
  ~RunSchemas() {
    if (names.empty()) return;
    try {
      auto db = PostgresDatabase::Open(ServerConnection());
      for (const auto& name : names) db->Exec("DROP SCHEMA IF EXISTS " + name + " CASCADE");
    } catch (const Error&) {
      // A server gone away took them along.
    }
  }
};

// The connection string of the schema that stands for `name` in this run.
std::string SchemaFor(const std::string& name) {
  static RunSchemas schemas;
  static int fresh = 0;
  std::string schema = "play_" + std::to_string(::getpid()) + "_";
  if (name == ":memory:" || name.empty()) {
    schema += "mem" + std::to_string(++fresh);
  } else {
    for (char c : name) {
      schema +=
          std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c)) : '_';
    }
  }
  bool made = false;
  for (const auto& known : schemas.names) made = made || known == schema;
  if (!made) {
    auto server = PostgresDatabase::Open(ServerConnection());
    server->Exec("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema);
    schemas.names.push_back(schema);
  }
  return ServerConnection() + " options='-csearch_path=" + schema + "'";
}

// [Cod Cli] -> "Cod Cli" outside literals.
std::string BracketsAsQuotes(const std::string& sql) {
  std::string out;
  bool inLiteral = false;
  for (char c : sql) {
    if (c == '\'') inLiteral = !inLiteral;
    if (!inLiteral && (c == '[' || c == ']')) {
      out += '"';
    } else {
      out += c;
    }
  }
  return out;
}

Database& OpenDatabase(const std::shared_ptr<Database>& db) {
  if (!db) RaiseError(kObjectVariableNotSet, "orvoplay: no database is open (`db open` first)");
  return *db;
}

}  // namespace

void ScriptRunner::DbCommand(const Command& c) {
  std::string what = c.Word(1);
  if (what == "open") {
    c.ExpectCount(2, 2);
    std::string path = c.Arg(2).kind == TokenKind::String ? c.Text(2) : c.Word(2);
    db_.reset();
    if (IsConnectionString(path) || OnPostgres()) {
      auto server = PostgresDatabase::Open(IsConnectionString(path) ? path : SchemaFor(path),
                                           LocaleSettings::Named(localeName_));
      if (!IsConnectionString(path)) server->CreateNocaseCollation();
      db_ = std::move(server);
    } else {
      DatabaseOptions options;
      options.create = true;  // scripts build their own data
      db_ = SqliteDatabase::Open(path, LocaleSettings::Named(localeName_), options);
    }
  } else if (what == "exec") {
    c.ExpectCount(2, 2);
    Database& db = OpenDatabase(db_);
    db.Exec(dynamic_cast<PostgresDatabase*>(&db) ? BracketsAsQuotes(c.Text(2)) : c.Text(2));
  } else {
    throw ScriptFault{"db open or db exec", what};
  }
}

void ScriptRunner::BindCommand(const Command& c) {
  std::string flavour = c.Word(1);
  Database& db = OpenDatabase(db_);
  RecordsetRef rs;
  if (flavour == "table") {
    c.ExpectCount(2, 3);
    std::string name = c.Arg(2).kind == TokenKind::String ? c.Text(2) : c.Word(2);
    std::string index;
    if (c.Count() == 3) index = c.Arg(3).kind == TokenKind::String ? c.Text(3) : c.Word(3);
    rs = db.OpenTable(name, index);
  } else if (flavour == "dynaset") {
    c.ExpectCount(2, 2);
    rs = db.OpenDynaset(c.Text(2));
  } else if (flavour == "nomatchless") {
    c.ExpectCount(2, 2);
    rs = db.OpenNoMatchless(c.Text(2));
  } else {
    throw ScriptFault{"table, dynaset or nomatchless", flavour};
  }
  Form().Current().SetRecordSource(rs);
  Form().Settle();
}

void ScriptRunner::AnswerCommand(const Command& c) {
  c.ExpectCount(1, 2);
  const std::string event = c.Word(1);
  // The application's handlers of ButtonClick, KeyDown and KeyPress: from now on they set
  // their argument, or leave it.
  const std::pair<const char*, std::pair<const char*, bool*>> kHandlers[] = {
      {"ButtonClick", {"cancel", &events_.cancelButtonClick}},
      {"KeyDown", {"zero", &events_.zeroKeyDown}},
      {"KeyPress", {"zero", &events_.zeroKeyPress}},
  };
  for (const auto& [name, answer] : kHandlers) {
    if (event != name) continue;
    const bool set = c.Count() == 2;
    if (set && c.Word(2) != answer.first) throw ScriptFault{answer.first, c.tokens[2].text};
    *answer.second = set;
    return;
  }
  c.ExpectCount(1, 1);
  if (event != "OpenRecordSet") throw ScriptFault{"OpenRecordSet", c.tokens[1].text};
  OpenDatabase(db_);
  std::weak_ptr<Database> weak = db_;
  // The statement is opened in the family the control searches with: gTpMDB marks the
  // family with NoMatch.
  events_.answerOpenRecordSet = [weak](OrvoMask& control, RecordsetRef& rs,
                                       const std::string& sql) {
    auto db = weak.lock();
    if (!db) RaiseError(kObjectVariableNotSet, "orvoplay: the database was closed");
    rs = control.gTpMDB != 0 ? db->OpenDynaset(sql) : db->OpenNoMatchless(sql);
  };
}

void ScriptRunner::RsCommand(const Command& c) {
  c.ExpectCount(1, 11);
  std::string op = c.Word(1);
  RecordsetRef ref = Form().Current().RecordSource();
  if (!ref) RaiseError(kObjectVariableNotSet, "orvoplay: the control has no RecordSource");
  Recordset& rs = *ref;
  auto noMore = [&](size_t n) { c.ExpectCount(n, n); };
  if (op == "MoveFirst") {
    noMore(1), rs.MoveFirst();
  } else if (op == "MoveLast") {
    noMore(1), rs.MoveLast();
  } else if (op == "MoveNext") {
    noMore(1), rs.MoveNext();
  } else if (op == "MovePrevious") {
    noMore(1), rs.MovePrevious();
  } else if (op == "Move") {
    c.ExpectCount(2, 2);
    rs.Move(c.Whole(2), Variant());
  } else if (op == "Requery") {
    noMore(1), rs.Requery();
  } else if (op == "Close") {
    noMore(1), rs.Close();
  } else if (op == "Seek") {
    c.ExpectCount(3, 11);
    std::vector<Variant> keys;
    for (size_t i = 3; i <= c.Count(); ++i) keys.push_back(c.Value(i));
    rs.Seek(c.Text(2), keys);
  } else if (op == "FindFirst" || op == "FindLast" || op == "FindNext" || op == "FindPrevious") {
    c.ExpectCount(2, 2);
    std::string criterion = c.Text(2);
    if (op == "FindFirst") rs.FindFirst(criterion);
    if (op == "FindLast") rs.FindLast(criterion);
    if (op == "FindNext") rs.FindNext(criterion);
    if (op == "FindPrevious") rs.FindPrevious(criterion);
  } else if (op == "Find") {
    c.ExpectCount(4, 4);
    rs.Find(c.Text(2), c.Whole(3), c.Whole(4));
  } else if (op == "SetIndex") {
    c.ExpectCount(2, 2);
    rs.SetIndex(c.Text(2));
  } else if (op == "Field") {
    c.ExpectCount(2, 2);
    std::string name = c.Arg(2).kind == TokenKind::String ? c.Text(2) : c.Word(2);
    PrintValue("Field", rs.Fields(name).Value());
  } else if (op == "EOF") {
    noMore(1), PrintValue(op, Variant(rs.EOF_()));
  } else if (op == "BOF") {
    noMore(1), PrintValue(op, Variant(rs.BOF()));
  } else if (op == "NoMatch") {
    noMore(1), PrintValue(op, Variant(rs.NoMatch()));
  } else if (op == "RecordCount") {
    noMore(1), PrintValue(op, Variant(rs.RecordCount()));
  } else if (op == "Index") {
    noMore(1), PrintValue(op, Variant(rs.Index()));
  } else if (op == "Name") {
    noMore(1), PrintValue(op, Variant(rs.Name()));
  } else if (op == "Source") {
    noMore(1), PrintValue(op, Variant(rs.Source()));
  } else if (op == "Type") {
    noMore(1), PrintValue(op, Variant(rs.Type()));
  } else if (op == "FieldCount") {
    noMore(1), PrintValue(op, Variant(rs.FieldCount()));
  } else if (op == "BookMark") {
    noMore(1), PrintValue(op, rs.BookMark());
  } else {
    throw ScriptFault{"a recordset operation or property", op};
  }
  Form().Settle();
}

}  // namespace orvo::play
