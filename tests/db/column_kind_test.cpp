// Declared types, ISO date text and the Latin-1/UTF-8 boundary.
#include "db/dialect/column_kind.h"

#include <gtest/gtest.h>

#include "db/dialect/sql_value.h"

namespace orvo {
namespace {

struct DeclCase {
  const char* declType;
  ColumnKind kind;
  int32_t size;
  int16_t seekType, findType;
};

class DeclaredType : public ::testing::TestWithParam<DeclCase> {};

TEST_P(DeclaredType, MapsToKindSizeAndBothFamiliesCodes) {
  ColumnInfo info = ColumnFromDeclType("c", GetParam().declType);
  EXPECT_EQ(info.kind, GetParam().kind);
  EXPECT_EQ(info.size, GetParam().size);
  EXPECT_EQ(SeekFamilyType(info.kind), GetParam().seekType);
  EXPECT_EQ(FindFamilyType(info.kind), GetParam().findType);
}

INSTANTIATE_TEST_SUITE_P(Types, DeclaredType,
                         ::testing::Values(DeclCase{"VARCHAR(40)", ColumnKind::Text, 40, 10, 200},
                                           DeclCase{"nvarchar (12)", ColumnKind::Text, 12, 10, 200},
                                           DeclCase{"CHAR", ColumnKind::Text, 255, 10, 200},
                                           DeclCase{"TEXT", ColumnKind::Memo, 0, 12, 201},
                                           DeclCase{"", ColumnKind::Memo, 0, 12, 201},
                                           DeclCase{"DATE", ColumnKind::Date, 8, 8, 7},
                                           DeclCase{"DATETIME", ColumnKind::Date, 8, 8, 7},
                                           DeclCase{"INTEGER", ColumnKind::Long, 4, 4, 3},
                                           DeclCase{"BIGINT", ColumnKind::BigInt, 8, 16, 20},
                                           DeclCase{"SMALLINT", ColumnKind::Integer, 2, 3, 2},
                                           DeclCase{"REAL", ColumnKind::Double, 8, 7, 5},
                                           DeclCase{"DOUBLE PRECISION", ColumnKind::Double, 8, 7,
                                                    5},
                                           DeclCase{"NUMERIC(10,2)", ColumnKind::Double, 8, 7, 5},
                                           DeclCase{"BOOLEAN", ColumnKind::Boolean, 1, 1, 11},
                                           DeclCase{"MONEY", ColumnKind::Currency, 8, 5, 6}));

struct DateCase {
  const char* iso;
  double serial;
  const char* written;  // how the serial is written back
};

class IsoDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(IsoDate, ReadsAndWritesSerials) {
  auto serial = IsoTextToSerial(GetParam().iso);
  ASSERT_TRUE(serial.has_value());
  EXPECT_NEAR(*serial, GetParam().serial, 1e-9);
  EXPECT_EQ(SerialToIsoText(GetParam().serial), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, IsoDate,
    ::testing::Values(DateCase{"2024-12-25", 45651, "2024-12-25"},
                      DateCase{"2024-12-25 13:45:30", 45651 + (13 * 3600 + 45 * 60 + 30) / 86400.0,
                               "2024-12-25 13:45:30"},
                      DateCase{"2024/12/25 00:00:00", 45651, "2024-12-25"},
                      DateCase{"2024-02-29T06:00", 45351.25, "2024-02-29 06:00:00"},
                      DateCase{"1899-12-30", 0, "1899-12-30"},
                      // Before the epoch the fraction still counts forward within the day.
                      DateCase{"1899-12-29 06:00:00", -1.25, "1899-12-29 06:00:00"},
                      DateCase{"0100-01-01", -657434, "0100-01-01"}));

TEST(IsoDateText, RefusesWhatIsNoDate) {
  for (const char* text : {"2024-02-30", "2023-02-29", "2024-13-01", "2024-12-25x", "25/12/2024",
                           "abc", "", "2024-12-25 24:00:00", "99-01-01"}) {
    EXPECT_FALSE(IsoTextToSerial(text).has_value()) << text;
  }
}

TEST(TextBoundary, Latin1RoundTripsThroughUtf8) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  std::string utf8 = Latin1ToUtf8(all);
  EXPECT_EQ(utf8.size(), 127u + 2 * 128u);
  EXPECT_EQ(Utf8ToLatin1(utf8.data(), static_cast<int>(utf8.size())), all);
}

TEST(TextBoundary, ForeignUtf8AndStrayBytes) {
  struct Case {
    std::string in, out;
  };
  for (const Case& c : {Case{"S\xC3\xA3o", "S\xE3o"}, Case{"\xE2\x82\xAC 5", "? 5"},
                        Case{"\xF0\x9F\x98\x80!", "?!"}, Case{"caf\xE9", "caf\xE9"},
                        Case{"ab\xC3", "ab\xC3"}, Case{"\xC3(", "\xC3("}}) {
    EXPECT_EQ(Utf8ToLatin1(c.in.data(), static_cast<int>(c.in.size())), c.out) << c.in;
  }
}

}  // namespace
}  // namespace orvo
