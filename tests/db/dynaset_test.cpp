// Dynasets and the flavour without NoMatch: finds, statements walked by key or
// materialised, requery, field types of both families.
#include <gtest/gtest.h>

#include "db/dialect/db_errors.h"
#include "db_test_support.h"

namespace orvo {
namespace {

using dbtest::ErrorOf;
using dbtest::Field;

using Dynaset = dbtest::ProductsTest;
INSTANTIATE_TEST_SUITE_P(Engines, Dynaset, dbtest::Engines(), dbtest::EngineName);

TEST_P(Dynaset, FindsWalkTheStatementOrder) {
  auto rs = db->OpenDynaset("SELECT * FROM prod ORDER BY nome");
  EXPECT_EQ(rs->Type(), 2);
  EXPECT_FALSE(rs->NoMatch());
  EXPECT_EQ(dbtest::Forward(*rs, "nome"), "Alicate|Arruela|Martelo|Parafuso|Porca|Prego|Serra");
  rs->FindFirst("[Nome] LIKE 'P*'");
  EXPECT_EQ(Field(*rs, "nome"), "Parafuso");
  rs->FindNext("[Nome] LIKE 'P*'");
  EXPECT_EQ(Field(*rs, "nome"), "Porca");
  rs->FindNext("[Nome] LIKE 'P*'");
  EXPECT_EQ(Field(*rs, "nome"), "Prego");
  rs->FindNext("[Nome] LIKE 'P*'");
  EXPECT_TRUE(rs->NoMatch());
  EXPECT_EQ(Field(*rs, "nome"), "Prego") << "a failed find leaves the current record";
  rs->FindLast("grupo = 1");
  EXPECT_FALSE(rs->NoMatch());
  EXPECT_EQ(Field(*rs, "nome"), "Martelo");
  rs->FindPrevious("grupo = 1");
  EXPECT_EQ(Field(*rs, "nome"), "Arruela");
  rs->FindFirst("criado = CDate('05/01/2024')");
  EXPECT_EQ(Field(*rs, "nome"), "Parafuso");
  // A caseless key found by a prefix in the other case (an index range on PostgreSQL).
  rs->FindFirst("codigo LIKE 'b*'");
  EXPECT_EQ(Field(*rs, "nome"), "Alicate");
  rs->FindNext("codigo LIKE 'b*'");
  EXPECT_EQ(Field(*rs, "nome"), "Arruela");
}

// LIKE compares accented letters without regard to case too, on a caseless indexed column
// (whose prefix narrows to an index range) and on a plain one; '_' takes one accented letter.
TEST_P(Dynaset, LikeFoldsTheCaseOfAccentedLetters) {
  DatabaseRef cities = dbtest::MakeDb(
      GetParam(),
      "CREATE TABLE cid (id INTEGER PRIMARY KEY, nome VARCHAR(30) COLLATE NOCASE, obs TEXT);"
      "CREATE INDEX ix_nome ON cid (nome);"
      "INSERT INTO cid VALUES (1, 'S\xC3O PAULO', 'Capital');"
      "INSERT INTO cid VALUES (2, 's\xE3o carlos', 'INTERIOR');"
      "INSERT INTO cid VALUES (3, 'SANTOS', 'litoral');"
      "INSERT INTO cid VALUES (4, 'Santo Andr\xE9', 'ABC');"
      "INSERT INTO cid VALUES (5, 'S\xC3O JOS\xC9 DOS CAMPOS', 'vale');"
      "INSERT INTO cid VALUES (6, 'Concei\xE7\xE3o', NULL);");
  auto rs = cities->OpenDynaset("SELECT * FROM cid ORDER BY id");
  auto found = [&](const std::string& criterion) {
    std::string ids;
    for (rs->FindFirst(criterion); !rs->NoMatch(); rs->FindNext(criterion))
      ids += (ids.empty() ? "" : "|") + Field(*rs, "id");
    return ids;
  };
  EXPECT_EQ(found("nome LIKE 's\xE3*'"), "1|2|5");
  EXPECT_EQ(found("nome LIKE 'S\xC3O J*'"), "5");
  EXPECT_EQ(found("nome LIKE 's\xE3o jos\xE9*'"), "5");
  EXPECT_EQ(found("nome LIKE 'santo*'"), "3|4");
  EXPECT_EQ(found("nome LIKE '*\xC7\xC3O'"), "6");
  EXPECT_EQ(found("nome LIKE 'S_O *'"), "1|2|5");
  EXPECT_EQ(found("nome NOT LIKE 's*'"), "6");
  EXPECT_EQ(found("obs LIKE 'INTER*' Or obs LIKE 'capital'"), "1|2");
}

TEST_P(Dynaset, WhereAndOrderOfTheStatement) {
  auto rs = db->OpenDynaset("SELECT nome, preco FROM prod WHERE grupo = 2 ORDER BY preco DESC");
  EXPECT_EQ(rs->RecordCount(), 3);
  EXPECT_EQ(rs->FieldCount(), 2);
  EXPECT_EQ(dbtest::Forward(*rs, "nome"), "Serra|Parafuso|Porca");
  rs->FindFirst("nome = 'Martelo'");  // outside the statement's rows
  EXPECT_TRUE(rs->NoMatch());
  // Fields the statement does not select still serve in criteria.
  rs->FindFirst("codigo = 'A1'");
  EXPECT_EQ(Field(*rs, "nome"), "Parafuso");
}

TEST_P(Dynaset, AliasesNameFieldsAndServeInCriteria) {
  auto rs = db->OpenDynaset(
      "SELECT p.nome AS Produto, p.preco FROM prod AS p WHERE p.grupo = 1 ORDER BY p.preco DESC");
  EXPECT_EQ(dbtest::Forward(*rs, "Produto"), "Martelo|Alicate|Arruela");
  rs->FindFirst("[Produto] LIKE 'Al*' Or p.nome = 'x'");
  EXPECT_EQ(Field(*rs, "preco"), "22");
}

TEST_P(Dynaset, MaterialisedStatements) {
  auto grouped =
      db->OpenDynaset("SELECT grupo, count(*) AS n FROM prod GROUP BY grupo ORDER BY grupo");
  EXPECT_EQ(dbtest::Forward(*grouped, "n"), "3|3|1");
  EXPECT_EQ(grouped->Fields("n").Type(), 4);
  grouped->FindFirst("n = 1");
  EXPECT_EQ(Field(*grouped, "grupo"), "3");
  db->Exec("INSERT INTO prod (id, nome, grupo) VALUES (8, 'Trena', 3)");
  EXPECT_EQ(grouped->RecordCount(), 3);
  grouped->Requery();
  grouped->FindFirst("[grupo] = 3");
  EXPECT_EQ(Field(*grouped, "n"), "2");

  auto top = db->OpenDynaset("SELECT TOP 2 * FROM prod WHERE preco Is Not Null ORDER BY preco");
  EXPECT_EQ(top->RecordCount(), 2);
  EXPECT_EQ(dbtest::Forward(*top, "nome"), "Prego|Arruela");

  db->Exec("CREATE VIEW baratos AS SELECT nome, preco FROM prod WHERE preco < 1");
  auto view = db->OpenDynaset("baratos");
  EXPECT_EQ(view->RecordCount(), 3);
  EXPECT_EQ(view->Fields("preco").Type(), 7);
}

TEST_P(Dynaset, RequeryAndBookmarks) {
  auto rs = db->OpenDynaset("SELECT * FROM prod ORDER BY nome");
  rs->FindFirst("nome = 'Porca'");
  Variant mark = rs->BookMark();
  db->Exec(
      "INSERT INTO prod (id, nome, grupo) VALUES (8, 'Abra\xE7"
      "adeira', 1)");
  rs->Requery();
  EXPECT_EQ(Field(*rs, "nome"),
            "Abra\xE7"
            "adeira");
  EXPECT_EQ(rs->RecordCount(), 8);
  rs->SetBookMark(mark);
  EXPECT_EQ(Field(*rs, "nome"), "Porca");
  rs->Move(-2, Variant());
  EXPECT_EQ(Field(*rs, "nome"), "Martelo");
  auto byName = db->OpenDynaset("prod");
  EXPECT_EQ(byName->Name(), "prod");
  EXPECT_EQ(dbtest::Forward(*byName, "id"), "1|2|3|4|5|6|7|8");
  // The one-record query built from such a dynaset's Name has no SELECT of its own.
  auto one = db->OpenDynaset(byName->Name() + " WHERE [nome] LIKE 'Pa*'");
  EXPECT_EQ(dbtest::Forward(*one, "id"), "1");
}

TEST_P(Dynaset, TableOperationsAreRefused) {
  auto rs = db->OpenDynaset("SELECT * FROM prod");
  EXPECT_EQ(ErrorOf([&] { rs->Seek("=", {1}); }), dberr::kWrongFamily);
  EXPECT_EQ(ErrorOf([&] { rs->Index(); }), dberr::kWrongFamily);
  EXPECT_EQ(ErrorOf([&] { rs->IndexCount(); }), dberr::kWrongFamily);
  EXPECT_EQ(rs->Fields("nome").Size(), 40);
  EXPECT_EQ(rs->Source(), "SELECT * FROM prod");
}

TEST_P(Dynaset, ValuesWithQuotesAndInjectionAttempts) {
  db->Exec("INSERT INTO prod (id, nome) VALUES (8, 'D''\xC1vila')");
  auto rs = db->OpenDynaset("SELECT * FROM prod ORDER BY nome");
  rs->FindFirst("[nome]='D''''\xC1vila'");  // four quotes are two: D''Ávila, which no row holds
  EXPECT_TRUE(rs->NoMatch());
  std::string message;
  EXPECT_EQ(ErrorOf([&] { rs->FindFirst("[nome]='D'\xC1vila'"); }, &message),
            dberr::kSyntaxInCriterion)
      << "a quote inside a value must be doubled";
  rs->FindFirst("[nome]='D''\xC1vila'");
  EXPECT_EQ(Field(*rs, "id"), "8");
  rs->FindFirst("nome = 'x'' OR ''1''=''1'");
  EXPECT_TRUE(rs->NoMatch());
  rs->FindFirst("nome LIKE '%'' ; DROP TABLE prod; --'");
  EXPECT_TRUE(rs->NoMatch());
  EXPECT_EQ(db->OpenTable("prod")->RecordCount(), 8);
  EXPECT_EQ(ErrorOf([&] { rs->FindFirst("nome LIKE 'a"); }, &message), dberr::kSyntaxInCriterion);
  EXPECT_EQ(message, "criterion `nome LIKE 'a` has an unterminated quote");
  EXPECT_EQ(ErrorOf([&] { db->OpenDynaset("SELECT * FROM nada"); }), dberr::kSyntaxInStatement);
  EXPECT_EQ(ErrorOf([&] { db->OpenDynaset("nada"); }), dberr::kTableNotFound);
}

class NoMatchless : public Dynaset {};
INSTANTIATE_TEST_SUITE_P(Engines, NoMatchless, dbtest::Engines(), dbtest::EngineName);

TEST_P(NoMatchless, FieldsReportTheirOwnFamily) {
  auto rs = db->OpenNoMatchless("SELECT * FROM prod");
  EXPECT_EQ(ErrorOf([&] { rs->NoMatch(); }), dberr::kNotSupported);
  EXPECT_EQ(ErrorOf([&] { rs->Fields("nome").Size(); }), dberr::kNotSupported);
  EXPECT_EQ(ErrorOf([&] { rs->Seek("=", {1}); }), dberr::kNotSupported);
  EXPECT_EQ(ErrorOf([&] { rs->FindFirst("id = 1"); }), dberr::kNotSupported);
  struct Expected {
    const char* name;
    int16_t type;
    int32_t definedSize;
  };
  for (const Expected& e :
       {Expected{"id", 3, 4}, Expected{"nome", 200, 40}, Expected{"preco", 5, 8},
        Expected{"criado", 7, 8}, Expected{"obs", 201, 2147483647}, Expected{"ativo", 11, 1}}) {
    EXPECT_EQ(rs->Fields(e.name).Type(), e.type) << e.name;
    EXPECT_EQ(rs->Fields(e.name).DefinedSize(), e.definedSize) << e.name;
  }
}

TEST_P(NoMatchless, FindStartsOnTheCurrentRecordAndEndsAtBofOrEof) {
  auto rs = db->OpenNoMatchless("SELECT * FROM prod ORDER BY nome");
  rs->MoveFirst();
  rs->Find("nome LIKE 'P%'", 0, 1);
  EXPECT_EQ(Field(*rs, "nome"), "Parafuso");
  rs->Find("nome LIKE 'P%'", 0, 1);
  EXPECT_EQ(Field(*rs, "nome"), "Parafuso") << "skip 0 tests the current record first";
  rs->Find("nome LIKE 'P%'", 1, 1);
  EXPECT_EQ(Field(*rs, "nome"), "Porca");
  rs->Find("grupo = 1", 0, -1);
  EXPECT_EQ(Field(*rs, "nome"), "Martelo");
  rs->Find("grupo = 3", 0, -1);
  EXPECT_TRUE(rs->BOF());
  rs->MoveFirst();
  rs->Find("nome = 'Nada'", 0, 1);
  EXPECT_TRUE(rs->EOF_());
  rs->MoveLast();
  rs->Find("[criado] = '2024/01/05 10:30:00'", 0, -1);
  EXPECT_EQ(Field(*rs, "nome"), "Prego");
  EXPECT_EQ(ErrorOf([&] { rs->Find("id = 1", 0, 2); }), dberr::kInvalidArgument);
}

}  // namespace
}  // namespace orvo
