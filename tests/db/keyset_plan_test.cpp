// Walks over conditions that keep many rows and few rows take different query plans; the
// rows, their order, skips and counts must not depend on the plan.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "db/sqlite/sample_data.h"
#include "db/sqlite/sqlite_database.h"
#include "db_test_support.h"

namespace orvo {
namespace {

struct PlanCase {
  const char* name;
  const char* where;  // the dynaset's condition
  const char* order;  // its ORDER BY
  const char* find;   // a criterion to find through it
};

class KeysetPlans : public ::testing::TestWithParam<PlanCase> {
 protected:
  static void SetUpTestSuite() {
    path_ = (std::filesystem::path(::testing::TempDir()) /
             ("orvo_plans_" + std::to_string(::getpid()) + ".db"))
                .string();
    CreateCustomerDatabase(path_, 6000, 3);
  }
  static void TearDownTestSuite() { std::filesystem::remove(path_); }

  // The same rows through a statement the engine materialises as SQLite orders it.
  static std::string Reference(const DatabaseRef& db, const std::string& where,
                               const std::string& order) {
    auto rs = db->OpenDynaset("SELECT TOP 100000 codigo FROM clientes WHERE " + where +
                              " ORDER BY " + order + ", codigo");
    return dbtest::Forward(*rs, "codigo");
  }

  static std::string path_;
};

std::string KeysetPlans::path_;

TEST_P(KeysetPlans, SameRowsWhateverThePlan) {
  const PlanCase& c = GetParam();
  auto db = SqliteDatabase::Open(path_);
  std::string statement =
      std::string("SELECT * FROM clientes WHERE ") + c.where + " ORDER BY " + c.order;
  auto rs = db->OpenDynaset(statement);
  std::string expected = Reference(db, c.where, c.order);
  std::string walked = dbtest::Forward(*rs, "codigo");
  ASSERT_EQ(walked, expected);
  int32_t count = static_cast<int32_t>(std::count(expected.begin(), expected.end(), '|') + 1);
  EXPECT_EQ(rs->RecordCount(), count);

  // Move counts rows across the walk's segments.
  std::vector<std::string> ids;
  for (size_t start = 0;;) {
    size_t bar = expected.find('|', start);
    ids.push_back(expected.substr(start, bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  for (int32_t n : {1, 37, 150, 299}) {
    rs->MoveFirst();
    rs->Move(n, Variant());
    if (n < count) {
      EXPECT_EQ(dbtest::Field(*rs, "codigo"), ids[n]) << "Move " << n;
    } else {
      EXPECT_TRUE(rs->EOF_()) << "Move " << n;
    }
  }

  std::string found;
  for (rs->FindFirst(c.find); !rs->NoMatch(); rs->FindNext(c.find)) {
    found += (found.empty() ? "" : "|") + dbtest::Field(*rs, "codigo");
  }
  EXPECT_EQ(found, Reference(db, std::string("(") + c.where + ") And (" + c.find + ")", c.order));
}

INSTANTIATE_TEST_SUITE_P(Conditions, KeysetPlans,
                         ::testing::ValuesIn(std::vector<PlanCase>{
                             {"ManyRowsManyFound", "num > 600", "nome", "tipo = 'J'"},
                             {"ManyRowsFewFound", "uf = 'SP' Or uf = 'RJ'", "nome DESC",
                              "cidade = 'NITER\xD3I' And num < 300"},
                             {"FewRows", "codigo < 120", "nome", "uf = 'SP'"},
                             {"FewRowsOtherIndex", "cidade = 'PALMAS'", "uf, cidade",
                              "nome LIKE 'A*'"},
                             {"NoRowsFound", "num > 100", "nome", "obs = 'nada'"},
                         }),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeysetPlansEmpty, ConditionWithoutRows) {
  auto db = dbtest::MemoryDb(dbtest::kProdutos);
  auto rs = db->OpenDynaset("SELECT * FROM prod WHERE grupo = 9 ORDER BY nome");
  EXPECT_TRUE(rs->BOF() && rs->EOF_());
  EXPECT_EQ(rs->RecordCount(), 0);
  db->Exec("INSERT INTO prod (id, nome, grupo) VALUES (8, 'Trena', 9)");
  rs->Requery();
  EXPECT_EQ(dbtest::Field(*rs, "nome"), "Trena");
  EXPECT_EQ(rs->RecordCount(), 1);
}

}  // namespace
}  // namespace orvo
