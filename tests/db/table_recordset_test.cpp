// Table recordsets: order by index, Seek on simple and composite keys, bookmarks, Move.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "db/dialect/db_errors.h"
#include "db_test_support.h"

namespace orvo {
namespace {

using dbtest::ErrorOf;
using dbtest::Field;
using dbtest::kProdutos;

using TableRecordset = dbtest::ProductsTest;
INSTANTIATE_TEST_SUITE_P(Engines, TableRecordset, dbtest::Engines(), dbtest::EngineName);

struct OrderCase {
  const char* name;
  const char* index;
  const char* ids;  // forward order
};

using TableOrder = dbtest::ProductsCaseTest<OrderCase>;

TEST_P(TableOrder, WalksForwardAndBackInIndexOrder) {
  auto rs = db->OpenTable("prod", TheCase().index);
  EXPECT_EQ(dbtest::Forward(*rs, "id"), TheCase().ids);
  rs->MoveLast();
  std::string backward = dbtest::Backward(*rs, "id");
  std::string expected = TheCase().ids;
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    size_t bar = expected.find('|', start);
    parts.push_back(expected.substr(start, bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::reverse(parts.begin(), parts.end());
  std::string reversed;
  for (auto& p : parts) reversed += (reversed.empty() ? "" : "|") + p;
  EXPECT_EQ(backward, reversed);
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, TableOrder,
    ::testing::Combine(dbtest::Engines(),
                       ::testing::Values(OrderCase{"None", "", "1|2|3|4|5|6|7"},
                                         OrderCase{"PrimaryKey", "PrimaryKey", "1|2|3|4|5|6|7"},
                                         // NULL first; A1/A1/a1 equal without case, so in
                                         // primary key order.
                                         OrderCase{"Codigo", "ix_codigo", "6|1|3|5|2|7|4"},
                                         OrderCase{"GrupoNome", "ix_grupo_nome", "4|2|7|6|3|1|5"})),
    dbtest::CaseName<OrderCase>);

struct SeekCase {
  const char* name;
  const char* index;
  const char* comparison;
  std::vector<Variant> keys;
  int expectedId;  // 0: NoMatch
};

using TableSeek = dbtest::ProductsCaseTest<SeekCase>;

TEST_P(TableSeek, LandsOnTheRecordOrSetsNoMatch) {
  const SeekCase& c = TheCase();
  auto rs = db->OpenTable("prod", c.index);
  rs->MoveLast();
  std::string before = Field(*rs, "id");
  rs->Seek(c.comparison, c.keys);
  if (c.expectedId == 0) {
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(Field(*rs, "id"), before) << "a failed seek leaves the current record";
  } else {
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(Field(*rs, "id"), std::to_string(c.expectedId));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TableSeek,
    ::testing::Combine(dbtest::Engines(),
                       ::testing::ValuesIn(std::vector<SeekCase>{
                           {"EqualFirstOfDuplicates", "ix_codigo", "=", {"A1"}, 1},
                           {"EqualIgnoresCaseOnNocaseIndex", "ix_codigo", "=", {"a1"}, 1},
                           {"AtOrAfterPrefix", "ix_codigo", ">=", {"A"}, 1},
                           {"AfterSkipsAllEqualKeys", "ix_codigo", ">", {"A1"}, 2},
                           {"AtOrBeforeTakesLastOfEqual", "ix_codigo", "<=", {"B2"}, 7},
                           {"BeforeTakesLastSmaller", "ix_codigo", "<", {"B2"}, 5},
                           {"BeforeEverythingButNull", "ix_codigo", "<=", {"A0"}, 6},
                           {"EqualMissing", "ix_codigo", "=", {"Z9"}, 0},
                           {"AfterLast", "ix_codigo", ">", {"C3"}, 0},
                           {"TrailingNulIsIgnored", "ix_codigo", "=", {std::string("B2\0", 3)}, 2},
                           {"CompositeFirstPart", "ix_grupo_nome", "=", {2}, 6},
                           {"CompositeBothParts", "ix_grupo_nome", "=", {2, "Porca"}, 3},
                           {"CompositeDescendingSecondPart", "ix_grupo_nome", ">=", {2, "Q"}, 3},
                           {"CompositeAfterGroup", "ix_grupo_nome", ">", {1}, 6},
                           {"CompositeLastOfGroup", "ix_grupo_nome", "<=", {2}, 1},
                           {"CompositeBeforeGroup", "ix_grupo_nome", "<", {2}, 7},
                           {"CompositeNumberAsText", "ix_grupo_nome", "=", {"3"}, 5},
                           {"CompositePastEnd", "ix_grupo_nome", ">=", {4}, 0},
                           {"PrimaryKeyEqual", "PrimaryKey", "=", {4}, 4},
                           {"PrimaryKeyFraction", "PrimaryKey", ">=", {4.5}, 5},
                           {"PrimaryKeyBeforeFirst", "PrimaryKey", "<", {1}, 0},
                       })),
    dbtest::CaseName<SeekCase>);

TEST_P(TableRecordset, ListsIndexesWithTheirFields) {
  auto rs = db->OpenTable("prod");
  ASSERT_EQ(rs->IndexCount(), 3);
  std::string listed;
  for (int16_t i = 0; i < rs->IndexCount(); ++i) {
    listed += rs->Indexes(i).Name() + "=" + rs->Indexes(i).Fields() + ";";
    EXPECT_FALSE(rs->Indexes(i).Foreign());
  }
  EXPECT_EQ(listed, "PrimaryKey=+id;ix_codigo=+codigo;ix_grupo_nome=+grupo;-nome;");
}

TEST_P(TableRecordset, PrimaryKeyOfATextKeyIsItsAutomaticIndex) {
  db->Exec(
      "CREATE TABLE uf (sigla VARCHAR(2) PRIMARY KEY, nome VARCHAR(30));"
      "INSERT INTO uf VALUES ('SP','S\xE3o Paulo'), ('AC','Acre'), ('MG','Minas');");
  auto rs = db->OpenTable("UF", "PrimaryKey");
  EXPECT_EQ(rs->Indexes(0).Name(), "PrimaryKey");
  EXPECT_EQ(rs->Indexes(0).Fields(), "+sigla");
  EXPECT_EQ(dbtest::Forward(*rs, "sigla"), "AC|MG|SP");
  rs->Seek("=", {"SP"});
  EXPECT_EQ(Field(*rs, "nome"), "S\xE3o Paulo");
}

TEST_P(TableRecordset, ChangingIndexKeepsTheCurrentRecord) {
  auto rs = db->OpenTable("prod", "PrimaryKey");
  rs->Seek("=", {3});
  rs->SetIndex("ix_grupo_nome");
  EXPECT_EQ(rs->Index(), "ix_grupo_nome");
  EXPECT_EQ(Field(*rs, "id"), "3");
  rs->MoveNext();
  EXPECT_EQ(Field(*rs, "id"), "1");
}

TEST_P(TableRecordset, FieldsReportTypesSizesAndValues) {
  auto rs = db->OpenTable("prod", "PrimaryKey");
  rs->Seek("=", {5});
  struct Expected {
    const char* name;
    int16_t type;
    int32_t size;
    const char* value;
  };
  for (const Expected& e :
       {Expected{"id", 4, 4, "5"}, Expected{"CODIGO", 10, 10, "a1"}, Expected{"preco", 7, 8, "0.1"},
        Expected{"obs", 12, 0, "<null>"}, Expected{"ativo", 1, 1, "True"}}) {
    EXPECT_EQ(rs->Fields(e.name).Type(), e.type) << e.name;
    EXPECT_EQ(rs->Fields(e.name).Size(), e.size) << e.name;
    EXPECT_EQ(Field(*rs, e.name), e.value) << e.name;
  }
  Variant created = rs->Fields("criado").Value();
  EXPECT_EQ(rs->Fields("criado").Type(), 8);
  ASSERT_EQ(created.Type(), VarType::Date);
  EXPECT_DOUBLE_EQ(created.AsDouble(), 45296 + 10.5 / 24);
  EXPECT_EQ(rs->Fields(int16_t{1}).Name(), "codigo");
  EXPECT_EQ(ErrorOf([&] { rs->Fields("criado").DefinedSize(); }), dberr::kNotSupported);
  EXPECT_EQ(ErrorOf([&] { rs->Fields("nada"); }), dberr::kItemNotFound);
  EXPECT_EQ(ErrorOf([&] { rs->Fields(int16_t{8}); }), dberr::kItemNotFound);
}

TEST_P(TableRecordset, BookmarksAndMoveFromABookmark) {
  auto rs = db->OpenTable("prod", "ix_codigo");
  rs->Seek("=", {"B2"});
  Variant mark = rs->BookMark();
  rs->MoveFirst();
  rs->SetBookMark(mark);
  EXPECT_EQ(Field(*rs, "id"), "2");
  rs->Move(2, mark);  // 2 -> 7 -> 4
  EXPECT_EQ(Field(*rs, "id"), "4");
  rs->Move(-3, Variant());  // 4 -> 7 -> 2 -> 5
  EXPECT_EQ(Field(*rs, "id"), "5");
  rs->Move(10, Variant());
  EXPECT_TRUE(rs->EOF_());
  rs->Move(-1, mark);
  EXPECT_EQ(Field(*rs, "id"), "5");
  rs->Move(-10, Variant());
  EXPECT_TRUE(rs->BOF());
  EXPECT_EQ(ErrorOf([&] { rs->BookMark(); }), dberr::kNoCurrentRecord);
  EXPECT_EQ(ErrorOf([&] { rs->SetBookMark(Variant(99.0)); }), dberr::kInvalidBookmark);
  EXPECT_EQ(ErrorOf([&] { rs->SetBookMark(Variant("x")); }), dberr::kInvalidBookmark);
}

// Rows read ahead in one trip are handed out only while they continue from the current row
// in the order and direction they were read in.
TEST_P(TableRecordset, ReadAheadStepsAsSingleStepsDo) {
  auto rs = db->OpenTable("prod", "ix_codigo");  // 6 | 5 1 3 | 2 7 | 4
  rs->ReadAhead(3);
  rs->MoveFirst();
  EXPECT_EQ(dbtest::Forward(*rs, "id"), "6|1|3|5|2|7|4");
  rs->MoveFirst();
  rs->MoveNext();  // reads 1 3 5 ahead of 6
  rs->Seek("=", {"B2"});
  rs->MoveNext();
  EXPECT_EQ(Field(*rs, "id"), "7");
  rs->MovePrevious();  // reads 2 5 3 behind 7
  EXPECT_EQ(Field(*rs, "id"), "2");
  rs->SetIndex("PrimaryKey");
  rs->MovePrevious();
  EXPECT_EQ(Field(*rs, "id"), "1");
  rs->MoveLast();  // reads 6 5 behind 7
  rs->MovePrevious();
  EXPECT_EQ(Field(*rs, "id"), "6");
  rs->ReadAhead(0);
  rs->MoveNext();
  EXPECT_EQ(Field(*rs, "id"), "7");
}

TEST_P(TableRecordset, EndsAndEmptyTables) {
  auto rs = db->OpenTable("prod");
  EXPECT_FALSE(rs->BOF());
  rs->MovePrevious();
  EXPECT_TRUE(rs->BOF());
  EXPECT_EQ(ErrorOf([&] { rs->MovePrevious(); }), dberr::kNoCurrentRecord);
  rs->MoveNext();
  EXPECT_EQ(Field(*rs, "id"), "1");
  rs->MoveLast();
  rs->MoveNext();
  EXPECT_TRUE(rs->EOF_());
  EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }), dberr::kNoCurrentRecord);
  EXPECT_EQ(ErrorOf([&] { rs->Fields("id").Value(); }), dberr::kNoCurrentRecord);

  db->Exec("CREATE TABLE vazia (id INTEGER PRIMARY KEY, nome VARCHAR(10))");
  auto empty = db->OpenTable("vazia", "PrimaryKey");
  EXPECT_TRUE(empty->BOF());
  EXPECT_TRUE(empty->EOF_());
  EXPECT_EQ(empty->RecordCount(), 0);
  empty->MoveLast();
  EXPECT_TRUE(empty->BOF() && empty->EOF_());
  empty->Seek(">=", {1});
  EXPECT_TRUE(empty->NoMatch());
}

TEST_P(TableRecordset, RecordCountFollowsChanges) {
  auto rs = db->OpenTable("prod");
  EXPECT_EQ(rs->RecordCount(), 7);
  db->Exec("INSERT INTO prod (id, nome) VALUES (8, 'Trena')");
  EXPECT_EQ(rs->RecordCount(), 8);
}

TEST_P(TableRecordset, ErrorsNameWhatIsWrong) {
  std::string message;
  EXPECT_EQ(ErrorOf([&] { db->OpenTable("nada"); }, &message), dberr::kTableNotFound);
  EXPECT_NE(message.find("`nada`"), std::string::npos) << message;
  EXPECT_EQ(ErrorOf([&] { db->OpenTable("prod", "ix_nada"); }, &message), dberr::kNotAnIndex);
  EXPECT_NE(message.find("ix_nada"), std::string::npos) << message;
  auto rs = db->OpenTable("prod");
  EXPECT_EQ(ErrorOf([&] { rs->Seek("=", {1}); }), dberr::kNoCurrentIndex);
  rs->SetIndex("ix_codigo");
  EXPECT_EQ(ErrorOf([&] { rs->Seek("=", {"A1", 2}); }), dberr::kInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { rs->Seek("=~", {"A1"}); }), dberr::kInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { rs->Seek("=", {}); }), dberr::kInvalidArgument);
  rs->Close();
  EXPECT_EQ(ErrorOf([&] { rs->MoveFirst(); }), dberr::kObjectClosed);
}

// A table with neither a primary key nor a unique index opens as a table too: in stored order
// without an Index, and by a non-unique Index with equal keys in a stable order.
TEST_P(TableRecordset, TableWithoutAKey) {
  db->Exec(
      "CREATE TABLE solta (nome VARCHAR(10), n INTEGER);"
      "CREATE INDEX ix_solta_nome ON solta (nome);"
      "INSERT INTO solta VALUES ('b', 1), ('a', 2), ('b', 3), (NULL, 4), ('a', 5), ('b', 6);");
  auto rs = db->OpenTable("solta");
  EXPECT_EQ(rs->IndexCount(), 1);
  EXPECT_EQ(dbtest::Forward(*rs, "n"), "1|2|3|4|5|6");
  rs->SetIndex("ix_solta_nome");
  EXPECT_EQ(dbtest::Forward(*rs, "n"), "4|2|5|1|3|6");
  rs->MoveLast();
  EXPECT_EQ(dbtest::Backward(*rs, "n"), "6|3|1|5|2|4");
  rs->Seek("=", {"b"});
  EXPECT_EQ(Field(*rs, "n"), "1");
  Variant mark = rs->BookMark();
  rs->MoveNext();
  rs->Seek("<=", {"a"});
  EXPECT_EQ(Field(*rs, "n"), "5") << "the last of the equal keys";
  rs->SetBookMark(mark);
  EXPECT_EQ(Field(*rs, "n"), "1");
  rs->MoveNext();
  EXPECT_EQ(Field(*rs, "n"), "3");
  rs->SetIndex("");
  EXPECT_EQ(Field(*rs, "n"), "3") << "changing Index keeps the record";
  rs->MoveNext();
  EXPECT_EQ(Field(*rs, "n"), "4");
}

// The lookup's own sequences: locate a value through another index and come back to it
// by bookmark in the list's order; find the last record of a key range by seeking just
// past it and stepping back.
TEST_P(TableRecordset, LookupCallSequences) {
  auto rs = db->OpenTable("prod", "ix_grupo_nome");
  std::string saved = rs->Index();
  rs->SetIndex("ix_codigo");
  rs->Seek("=", {"C3"});
  ASSERT_FALSE(rs->NoMatch());
  Variant mark = rs->BookMark();
  rs->SetIndex(saved);
  rs->SetBookMark(mark);
  EXPECT_EQ(Field(*rs, "id"), "4");
  rs->MoveNext();
  EXPECT_EQ(Field(*rs, "id"), "2") << "the next record in the restored order";

  rs->Seek(">=", {3});  // just past group 2
  EXPECT_FALSE(rs->NoMatch());
  rs->MovePrevious();
  EXPECT_EQ(Field(*rs, "id"), "1") << "the last record of group 2";
  rs->Seek(">=", {4});  // past the last group: nothing, so go to EOF and step back
  ASSERT_TRUE(rs->NoMatch());
  rs->MoveLast();
  rs->MoveNext();
  rs->MovePrevious();
  EXPECT_EQ(Field(*rs, "id"), "5");
}

// Walks over a table with many duplicate and NULL keys, ascending and descending, must
// visit exactly the rows in the order a sort gives, both ways.
TEST_P(TableRecordset, WalkMatchesASortOfTheRows) {
  db->Exec(
      "CREATE TABLE t (id INTEGER PRIMARY KEY, a INTEGER, b VARCHAR(5), c DOUBLE PRECISION);"
      "CREATE INDEX ix_mixed ON t (a DESC, b, c DESC);");
  struct Row {
    int id;
    std::optional<int> a;
    std::optional<std::string> b;
    std::optional<double> c;
  };
  std::vector<Row> rows;
  std::mt19937 random(7);
  for (int id = 1; id <= 300; ++id) {
    Row row{id, {}, {}, {}};
    if (random() % 5) row.a = static_cast<int>(random() % 4);
    if (random() % 4) row.b = std::string(1, static_cast<char>('p' + random() % 3));
    if (random() % 3) row.c = (random() % 3) / 2.0;
    rows.push_back(row);
    auto text = [](auto& o, auto f) { return o ? f(*o) : std::string("NULL"); };
    db->Exec("INSERT INTO t VALUES (" + std::to_string(id) + "," +
             text(row.a, [](int v) { return std::to_string(v); }) + "," +
             text(row.b, [](const std::string& v) { return "'" + v + "'"; }) + "," +
             text(row.c, [](double v) { return std::to_string(v); }) + ")");
  }
  // NULL is below every value; a and c descending, b ascending, id last.
  auto less = [](const auto& x, const auto& y) { return !x ? bool(y) : (y && *x < *y); };
  std::stable_sort(rows.begin(), rows.end(), [&](const Row& x, const Row& y) {
    if (x.a != y.a) return less(y.a, x.a);
    if (x.b != y.b) return less(x.b, y.b);
    if (x.c != y.c) return less(y.c, x.c);
    return x.id < y.id;
  });
  std::string expected;
  for (const Row& row : rows) expected += (expected.empty() ? "" : "|") + std::to_string(row.id);
  auto rs = db->OpenTable("t", "ix_mixed");
  EXPECT_EQ(dbtest::Forward(*rs, "id"), expected);
  rs->MoveLast();
  std::string back = dbtest::Backward(*rs, "id");
  std::string forwardAgain;
  for (size_t end = back.size(); end != std::string::npos && end > 0;) {
    size_t bar = back.rfind('|', end - 1);
    std::string part = back.substr(bar == std::string::npos ? 0 : bar + 1,
                                   end - (bar == std::string::npos ? 0 : bar + 1));
    forwardAgain += (forwardAgain.empty() ? "" : "|") + part;
    end = bar;
  }
  EXPECT_EQ(forwardAgain, expected);
}

}  // namespace
}  // namespace orvo
