// Opening database files, locks, read-only use, the sample data.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "db/dialect/db_errors.h"
#include "db/sqlite/sample_data.h"
#include "db/sqlite/sqlite_database.h"
#include "db_test_support.h"

namespace orvo {
namespace {

using dbtest::ErrorOf;
using dbtest::Field;

class DatabaseFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("orvo_db_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string PathOf(const char* name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
};

TEST_F(DatabaseFile, MissingFileIsNotCreatedUnlessAsked) {
  std::string path = PathOf("nada.db");
  std::string message;
  EXPECT_EQ(ErrorOf([&] { SqliteDatabase::Open(path); }, &message), dberr::kFileNotFound);
  EXPECT_EQ(message, "could not find database file `" + path + "`");
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(ErrorOf([&] {
              SqliteDatabase::Open(path, LocaleSettings::PtBR(), {true, true, 100});
            }),
            dberr::kFileNotFound)
      << "read-only never creates";
  DatabaseOptions create;
  create.create = true;
  SqliteDatabase::Open(path, LocaleSettings::PtBR(), create)->Exec("CREATE TABLE t (a INTEGER)");
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(DatabaseFile, FileThatIsNoDatabase) {
  std::string path = PathOf("texto.db");
  std::ofstream(path) << "this is a text file, long enough to have a header of sorts........";
  std::string message;
  EXPECT_EQ(ErrorOf([&] { SqliteDatabase::Open(path); }, &message), dberr::kNotADatabase);
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_EQ(ErrorOf([&] { SqliteDatabase::Open(dir_.string()); }), dberr::kCannotOpen);
}

TEST_F(DatabaseFile, ReadOnlyRefusesWritesAndKeepsTheData) {
  std::string path = PathOf("ro.db");
  CreateCustomerDatabase(path, 20, 1);
  DatabaseOptions readOnly;
  readOnly.readOnly = true;
  auto db = SqliteDatabase::Open(path, LocaleSettings::PtBR(), readOnly);
  std::string message;
  EXPECT_EQ(ErrorOf([&] { db->Exec("DELETE FROM clientes"); }, &message), dberr::kReadOnly);
  EXPECT_NE(message.find("read-only"), std::string::npos) << message;
  // Materialised statements use temporary tables, which a read-only file still allows.
  auto rs = db->OpenDynaset("SELECT uf, count(*) FROM clientes GROUP BY uf");
  EXPECT_GT(rs->RecordCount(), 0);
  EXPECT_EQ(db->OpenTable("clientes")->RecordCount(), 20);
}

TEST_F(DatabaseFile, LockedDatabaseWaitsThenRaises) {
  std::string path = PathOf("lock.db");
  CreateCustomerDatabase(path, 10, 1);
  auto owner = SqliteDatabase::Open(path);
  owner->Exec("BEGIN EXCLUSIVE; DELETE FROM clientes WHERE codigo = 1;");
  DatabaseOptions impatient;
  impatient.busyTimeoutMs = 50;
  std::string message;
  EXPECT_EQ(
      ErrorOf([&] { SqliteDatabase::Open(path, LocaleSettings::PtBR(), impatient); }, &message),
      dberr::kLocked);
  EXPECT_NE(message.find("locked"), std::string::npos) << message;
  owner->Exec("COMMIT");
  auto other = SqliteDatabase::Open(path, LocaleSettings::PtBR(), impatient);
  EXPECT_EQ(other->OpenTable("clientes")->RecordCount(), 9);
  owner->Exec("BEGIN EXCLUSIVE; DELETE FROM clientes WHERE codigo = 2;");
  EXPECT_EQ(ErrorOf([&] { other->Exec("DELETE FROM clientes"); }), dberr::kLocked);
  owner->Exec("ROLLBACK");
}

TEST_F(DatabaseFile, SampleDataIsDeterministicLatin1StoredAsUtf8) {
  std::string first = PathOf("a.db"), second = PathOf("b.db");
  CreateCustomerDatabase(first, 300, 42);
  CreateCustomerDatabase(second, 300, 42);
  auto a = SqliteDatabase::Open(first)->OpenTable("clientes", "ix_nome");
  auto b = SqliteDatabase::Open(second)->OpenTable("clientes", "ix_nome");
  EXPECT_EQ(dbtest::Forward(*a, "nome") + dbtest::Forward(*a, "codigo"),
            dbtest::Forward(*b, "nome") + dbtest::Forward(*b, "codigo"));
  auto db = SqliteDatabase::Open(first);
  auto rs = db->OpenDynaset("SELECT * FROM clientes ORDER BY nome");
  EXPECT_EQ(rs->RecordCount(), 300);
  rs->FindFirst("cidade = 'S\xC3O PAULO'");
  ASSERT_FALSE(rs->NoMatch());
  auto stored =
      db->OpenDynaset("SELECT hex(cidade) AS h FROM clientes WHERE cidade = 'S\xC3O PAULO'");
  EXPECT_EQ(Field(*stored, "h"), "53C3834F205041554C4F");  // UTF-8 on disk
  auto table = db->OpenTable("clientes", "ix_uf_cidade");
  EXPECT_EQ(table->Indexes(2).Fields(), "+uf;+cidade");
  // The sample's text compares without case (ASCII letters only, as SQLite's NOCASE).
  table->Seek("=", {"sp", "s\xC3o paulo"});
  EXPECT_FALSE(table->NoMatch());
  EXPECT_EQ(Field(*table, "uf"), "SP");
}

}  // namespace
}  // namespace orvo
