// A table's columns changed after a connection has opened it, by that connection or by
// another user: later opens show the table as it now is. And the estimated count, which
// small sets answer exactly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "db_test_support.h"

namespace orvo {
namespace {

using dbtest::Engine;

class SchemaChange : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    dbtest::RequireEngine(GetParam());
    if (IsSkipped() || HasFailure()) return;
    // SQLite's second connection needs a file.
    path_ = (std::filesystem::path(::testing::TempDir()) /
             ("orvo_schema_" + std::to_string(::getpid()) + ".db"))
                .string();
    mine = dbtest::MakeDb(GetParam(), dbtest::kProdutos, path_);
    theirs = dbtest::SecondConnection(GetParam(), mine);
  }
  void TearDown() override {
    theirs.reset();
    mine.reset();
    if (!path_.empty()) std::filesystem::remove(path_);
  }
  std::string path_;
  DatabaseRef mine, theirs;
};

TEST_P(SchemaChange, OwnStatementShowsAtTheNextOpen) {
  EXPECT_EQ(mine->OpenTable("prod")->FieldCount(), 8);
  mine->Exec("ALTER TABLE prod ADD COLUMN peso INTEGER");
  auto rs = mine->OpenTable("prod");
  EXPECT_EQ(rs->FieldCount(), 9);
  EXPECT_EQ(dbtest::Field(*rs, "peso"), "<null>");
}

// A read built on the columns as they were may fail once, with the engine's message; the
// table opened again reads as it now is.
TEST_P(SchemaChange, AnotherUsersStatementShowsOnceAReadMeetsIt) {
  mine->OpenTable("prod", "PrimaryKey");
  theirs->Exec("ALTER TABLE prod DROP COLUMN obs");
  try {
    mine->OpenTable("prod", "PrimaryKey")->MoveLast();
  } catch (const Error& e) {
    EXPECT_NE(e.Message().find("obs"), std::string::npos) << e.Message();
  }
  auto now = mine->OpenTable("prod", "PrimaryKey");
  EXPECT_EQ(now->FieldCount(), 7);
  now->MoveLast();
  EXPECT_EQ(dbtest::Field(*now, "nome"), "Alicate");
  auto dynaset = mine->OpenDynaset("SELECT * FROM prod WHERE grupo = 1 ORDER BY nome");
  EXPECT_EQ(dbtest::Forward(*dynaset, "nome"), "Alicate|Arruela|Martelo");
}

TEST_P(SchemaChange, EstimatedCountOfAFewRecordsIsExact) {
  EXPECT_EQ(mine->OpenTable("prod")->ApproxRecordCount(), 7);
  EXPECT_EQ(mine->OpenDynaset("SELECT * FROM prod WHERE grupo = 2")->ApproxRecordCount(), 3);
  EXPECT_EQ(mine->OpenDynaset("SELECT * FROM prod WHERE grupo = 9")->ApproxRecordCount(), 0);
  // A statement read into a table of its own.
  EXPECT_EQ(
      mine->OpenDynaset("SELECT grupo, count(*) FROM prod GROUP BY grupo")->ApproxRecordCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(Engines, SchemaChange, dbtest::Engines(), dbtest::EngineName);

}  // namespace
}  // namespace orvo
