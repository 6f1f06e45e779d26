// Faults of the database while a lookup list is open, on each engine they apply to: the file
// deleted, made read-only, locked or full; rows deleted or changed under the grid; the
// server's backend terminated. Each gives a clear error or an empty list, then works again
// once the fault is gone; the database is never left damaged.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "access/constituents.h"
#include "access/internals.h"
#include "orvo/orvo_mask.h"
#include "db/dialect/db_errors.h"
#include "db/sqlite/sqlite_connection.h"
#include "db/sqlite/sqlite_database.h"
#include "db_test_support.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"
#include "popups/calend_form.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;
using dbtest::Engine;
using dbtest::ErrorOf;

// The scene of one fault: the user's database and list, and another user's connection.
struct Scene {
  Engine engine = Engine::Sqlite;
  std::string path;  // SQLite: the database file
  DatabaseRef mine, theirs;
  HeadlessHost host;
  std::unique_ptr<OrvoMask> field;

  DataGrid& Grid() { return CalendarForm(*field)->Grid(); }
  // The names the open grid shows, read again as a repaint reads them.
  std::string ShownNames() {
    DataGrid& grid = Grid();
    grid.Rebind();
    std::string names;
    for (size_t row = 0; row < grid.ShownBookmarks().size(); ++row) {
      DataGrid::RowBuffer rows;
      rows.rowCount = 1;
      grid.OnReadRows(rows, row == 0 ? Variant() : grid.ShownBookmarks()[row - 1], false);
      for (const auto& values : rows.values)
        names += (names.empty() ? "" : "|") + dbtest::Show(values.at(0));
    }
    return names;
  }
  // The demo's save: a row replaced and one changed in one transaction, undone when the
  // database refuses it. The rows carry a few pages of text, so that a full file shows.
  void Save(const std::string& name) {
    const std::string pages =
        engine == Engine::Sqlite ? "hex(zeroblob(3000))" : "repeat('0', 6000)";
    mine->Exec("BEGIN");
    try {
      mine->Exec("DELETE FROM prod WHERE id = 100");
      mine->Exec("INSERT INTO prod (id, nome, obs) VALUES (100, '" + name + "', " + pages + ")");
      mine->Exec("UPDATE prod SET nome = '" + name + "' WHERE id = 4");
      mine->Exec("COMMIT");
    } catch (const Error&) {
      mine->Exec("ROLLBACK");
      throw;
    }
  }
};

struct FaultCase {
  const char* name;
  bool sqlite, postgres;
  std::function<void(Scene&)> apply, mend;
  int32_t readError;        // what reading the open list raises while the fault holds (0: none)
  const char* shown;        // what the list then shows ("*": as before the fault)
  int32_t saveError;        // what a save raises while the fault holds
  const char* saveMessage;  // a part of its message
};

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

std::string TempPath(const std::string& name) {
  return (fs::path(::testing::TempDir()) /
          ("orvo_fault_" + name + "_" + std::to_string(::getpid()) + ".db"))
      .string();
}

class ListFault : public ::testing::TestWithParam<std::tuple<Engine, FaultCase>> {
 protected:
  void SetUp() override {
    const auto& [engine, c] = GetParam();
    dbtest::RequireEngine(engine);
    if (IsSkipped() || HasFailure()) return;
    s.engine = engine;
    if (engine == Engine::Sqlite) {
      s.path = TempPath(c.name);
      dbtest::MakeDb(engine, dbtest::kProdutos, s.path).reset();
      DatabaseOptions quick;
      quick.busyTimeoutMs = 100;  // a lock is reported at once rather than waited out
      s.mine = SqliteDatabase::Open(s.path, LocaleSettings::PtBR(), quick);
    } else {
      s.mine = dbtest::MakeDb(engine, dbtest::kProdutos);
    }
    s.theirs = engine == Engine::Sqlite ? SqliteDatabase::Open(s.path)
                                        : dbtest::SecondConnection(engine, s.mine);
    ControlSite& site = s.host.CreateSite("c");
    s.field = std::make_unique<OrvoMask>(site);
    s.host.RegisterControl(site, s.field.get());
    MemoryPropertyBag bag;
    s.field->UserControl_ReadProperties(bag);
    s.field->SetBoundColumn("id");
    s.field->SetListFields("nome|grupo");
    s.field->SetBrowseVisible(TipoBot::DropDown);
    s.field->SetRecordSource(s.mine->OpenDynaset("SELECT * FROM prod ORDER BY nome"));
    s.host.ShowForm();
    s.host.Click(*Constituents(*s.field).bot);
    ASSERT_TRUE(s.Grid().Visible());
  }
  void TearDown() override {
    if (s.field) {
      ControlSite& site = s.field->Site();
      s.field.reset();
      s.host.RemoveControl(site);
    }
    s.theirs.reset();
    s.mine.reset();
    if (!s.path.empty()) {
      fs::permissions(fs::path(s.path).parent_path(), fs::perms::owner_all, fs::perm_options::add);
      fs::remove(s.path);
      fs::remove(s.path + "-journal");
    }
  }
  Scene s;
};

constexpr const char* kAllNames = "Alicate|Arruela|Martelo|Parafuso|Porca|Prego|Serra";

TEST_P(ListFault, ClearErrorOrEmptyListThenWorksAgain) {
  const FaultCase& c = std::get<1>(GetParam());
  ASSERT_EQ(s.ShownNames(), kAllNames);
  c.apply(s);

  std::string shown = "(raised)", message;
  EXPECT_EQ(ErrorOf([&] { shown = s.ShownNames(); }, &message), c.readError) << message;
  if (c.readError == 0) {
    EXPECT_EQ(shown, std::string(c.shown) == "*" ? kAllNames : c.shown);
  }
  // Scrolling and a search key in the open list end in the same error or in nothing.
  for (auto input : {std::function<void()>([&] { s.host.Wheel(s.Grid(), -3); }),
                     std::function<void()>([&] { s.host.Type("p"); })}) {
    const int32_t error = ErrorOf(input, &message);
    if (error != 0 && error != c.saveError) {
      EXPECT_EQ(error, c.readError) << message;
    }
  }
  message.clear();
  EXPECT_EQ(ErrorOf([&] { s.Save("Trena"); }, &message), c.saveError) << message;
  EXPECT_NE(message.find(c.saveMessage), std::string::npos) << message;

  c.mend(s);
  s.host.ActivateOutside();
  s.host.Click(*Constituents(*s.field).bot);
  EXPECT_EQ(ErrorOf([&] { shown = s.ShownNames(); }, &message), 0) << message;
  s.host.ActivateOutside();
  s.Save("Trena");
  auto again = s.mine->OpenDynaset("SELECT nome FROM prod WHERE id = 4");
  EXPECT_EQ(dbtest::Field(*again, "nome"), "Trena") << "the database takes a save again";
  if (s.engine == Engine::Sqlite) {
    SqliteConnection check(s.path, {}, LocaleSettings::PtBR());
    SqlQuery integrity(check, "PRAGMA integrity_check");
    ASSERT_TRUE(integrity.Step());
    EXPECT_EQ(integrity.ColumnText(0), "ok");
  }
}

void Nothing(Scene&) {}

// The backend serving this connection, ended by another connection as an administrator
// ends it; the call waits until it is gone.
void TerminateBackend(Scene& s) {
  s.mine->Exec("CREATE TABLE my_backend AS SELECT pg_backend_pid() AS pid");
  s.theirs->Exec("SELECT pg_terminate_backend(pid, 5000) FROM my_backend");
}

const FaultCase kFaults[] = {
    // Another user holds the whole file while writing: the list's reads and the save
    // wait out the busy timeout and say who holds it.
    FaultCase{"LockedByAWriter", true, false, [](Scene& s) { s.theirs->Exec("BEGIN EXCLUSIVE"); },
              [](Scene& s) { s.theirs->Exec("ROLLBACK"); }, dberr::kLocked, "", dberr::kLocked,
              "is locked by another user"},
    // Another user's write transaction, not yet committed: the list reads on, the
    // save waits and says the database is locked.
    FaultCase{"WriteReservedByAnother", true, true,
              [](Scene& s) {
                if (s.engine == Engine::Postgres) s.mine->Exec("SET lock_timeout = 100");
                s.theirs->Exec("BEGIN");
                s.theirs->Exec("UPDATE prod SET nome = 'Trava' WHERE id = 4");
              },
              [](Scene& s) { s.theirs->Exec("ROLLBACK"); }, 0, "*", dberr::kLocked,
              "is locked by another user"},
    FaultCase{"AllRowsDeletedUnderTheGrid", true, true,
              [](Scene& s) { s.theirs->Exec("DELETE FROM prod WHERE id <> 4"); }, Nothing, 0,
              "Martelo", 0, ""},
    FaultCase{"RowsChangedUnderTheGrid", true, true,
              [](Scene& s) { s.theirs->Exec("UPDATE prod SET nome = 'Zarabatana' WHERE id = 7"); },
              Nothing, 0, "Arruela|Martelo|Parafuso|Porca|Prego|Serra|Zarabatana", 0, ""},
    // The file is full: SQLite's page limit stands in for a full disk, since a small
    // file system needs privileges CI may not have; SQLite reports both alike.
    FaultCase{"DiskFullDuringASave", true, false,
              [](Scene& s) { s.mine->Exec("PRAGMA max_page_count = 1"); },
              [](Scene& s) { s.mine->Exec("PRAGMA max_page_count = 1073741823"); }, 0, "*",
              dberr::kDiskFull, "is full"},
    // The open file lives on, so the list reads on; a save must not write where nobody will
    // find it and says where the file went.
    FaultCase{"FileDeleted", true, false, [](Scene& s) { fs::remove(s.path); },
              [](Scene& s) {
                // The user puts a copy back; the application opens it again.
                s.field->SetRecordSource(nullptr);
                s.mine.reset();
                dbtest::MakeDb(Engine::Sqlite, dbtest::kProdutos, s.path).reset();
                s.mine = SqliteDatabase::Open(s.path);
                s.field->SetRecordSource(s.mine->OpenDynaset("SELECT * FROM prod ORDER BY nome"));
              },
              0, "*", dberr::kReadOnly, "was deleted or moved"},
    // The list's next read says the connection was lost; the one after connects again.
    FaultCase{"BackendTerminated", false, true, TerminateBackend, Nothing, dberr::kConnectionFailed,
              "", 0, ""}};

std::vector<FaultCase> On(Engine engine) {
  std::vector<FaultCase> cases;
  for (const FaultCase& c : kFaults)
    if (engine == Engine::Sqlite ? c.sqlite : c.postgres) cases.push_back(c);
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Sqlite, ListFault,
                         ::testing::Combine(::testing::Values(Engine::Sqlite),
                                            ::testing::ValuesIn(On(Engine::Sqlite))),
                         dbtest::CaseName<FaultCase>);
INSTANTIATE_TEST_SUITE_P(Postgres, ListFault,
                         ::testing::Combine(::testing::Values(Engine::Postgres),
                                            ::testing::ValuesIn(On(Engine::Postgres))),
                         dbtest::CaseName<FaultCase>);

// The file and its folder made read-only under an open list: the list reads on, a save says
// the database is read-only, and once writable again it saves. Permissions do not bind root,
// so when the tests run as root the scene runs in a child process as the user `nobody`.
int ReadOnlyScene(const fs::path& shared) {
  if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 10;
  const fs::path folder = shared / "mine";  // the user's own, to make read-only
  fs::create_directory(folder);
  const std::string path = (folder / "ro.db").string();
  DatabaseOptions create;
  create.create = true;
  SqliteDatabase::Open(path, LocaleSettings::PtBR(), create)->Exec(dbtest::kProdutos);
  auto db = SqliteDatabase::Open(path);
  auto list = db->OpenDynaset("SELECT * FROM prod ORDER BY nome");
  const auto save = [&] {
    db->Exec("BEGIN");
    try {
      db->Exec("UPDATE prod SET nome = 'Trena' WHERE id = 4");
      db->Exec("COMMIT");
    } catch (const Error&) {
      db->Exec("ROLLBACK");
      throw;
    }
  };
  fs::permissions(path, fs::perms::owner_read);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  list->Requery();
  if (dbtest::Forward(*list, "nome") != kAllNames) return 11;
  std::string message;
  const int32_t error = ErrorOf(save, &message);
  std::fprintf(stderr, "save while read-only: %d %s\n", error, message.c_str());
  if (error != dberr::kReadOnly || message.find("is read-only") == std::string::npos) return 12;
  fs::permissions(folder, fs::perms::owner_all);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  if (ErrorOf(save) != 0) return 13;
  list->Requery();
  return dbtest::Forward(*list, "nome") == "Alicate|Arruela|Parafuso|Porca|Prego|Serra|Trena" ? 0
                                                                                              : 14;
}

TEST(ListFaultReadOnly, TheListReadsOnTheSaveSaysReadOnlyThenSavesAgain) {
  const fs::path folder =
      fs::path(::testing::TempDir()) / ("orvo_ro_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  fs::permissions(folder, fs::perms::all);
  EXPECT_EXIT(std::_Exit(ReadOnlyScene(folder)), ::testing::ExitedWithCode(0), "");
  if (fs::exists(folder / "mine"))
    fs::permissions(folder / "mine", fs::perms::owner_all, fs::perm_options::add);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace orvo
