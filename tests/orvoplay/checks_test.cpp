// The check logic: `=> RENDERING`, `=> error N`, `expect-events`, and property paths.
#include "checks.h"

#include <gtest/gtest.h>

#include <ostream>

#include "property_path.h"

namespace orvo::play {
namespace {

struct RenderingCheckCase {
  const char* name;
  std::string expectedLine;  // as written after `=>`
  std::optional<std::string> lastLine;
  bool passes;
  std::string got;
};

void PrintTo(const RenderingCheckCase& c, std::ostream* os) {
  *os << c.name;
}

class RenderingCheckTest : public testing::TestWithParam<RenderingCheckCase> {};

TEST_P(RenderingCheckTest, Compares) {
  const auto& c = GetParam();
  LexedLine expected = LexLine(c.expectedLine);
  ASSERT_FALSE(expected.faulty);
  CheckOutcome out = CheckRendering(expected.tokens, c.lastLine);
  EXPECT_EQ(out.passed, c.passes);
  EXPECT_EQ(out.got, c.got);
}

const RenderingCheckCase kRenderingChecks[] = {
    {"SameRendering", "Long 5", "MaxLength = Long 5", true, "Long 5"},
    {"OtherType", "Integer 5", "MaxLength = Long 5", false, "Long 5"},
    {"OtherValue", "Long 6", "MaxLength = Long 5", false, "Long 5"},
    {"EscapesCompareByValue", R"(String "\t")", R"(Text = String "\x09")", true,
     R"(String "\x09")"},
    {"BlanksInsideStringsCount", R"(String "a b")", R"(Text = String "a  b")", false,
     R"(String "a  b")"},
    {"BlanksBetweenTokensDoNot", "Date   2024-12-25  13:45:00", "Value = Date 2024-12-25 13:45:00",
     true, "Date 2024-12-25 13:45:00"},
    {"OnlyFirstEqualsSplits", R"(String "a = b")", R"(Text = String "a = b")", true,
     R"(String "a = b")"},
    {"CallResult", "Double 1234.5", "FieldValue = Double 1234.5", true, "Double 1234.5"},
    {"ErrorLineComparedWhole", "Long 5", "error 438 Object doesn't support this property", false,
     "error 438 Object doesn't support this property"},
    {"LineTheLexerRefuses", "Long 5", "error 5 bad \"quote", false, "error 5 bad \"quote"},
    {"EqualsInsideEventArgument", R"(! OpenRecordSet String "[a] = 2")",
     R"(! OpenRecordSet String "[a] = 2")", true, R"(! OpenRecordSet String "[a] = 2")"},
    {"EqualsInsideStringValue", R"(String "x = y")", R"(Text = String "x = y")", true,
     R"(String "x = y")"},
    {"NothingPrinted", "Long 5", std::nullopt, false, "nothing printed"},
    {"EventLine", "! KeyPress Integer 65", "! KeyPress Integer 65", true, "! KeyPress Integer 65"},
};

INSTANTIATE_TEST_SUITE_P(Lines, RenderingCheckTest, testing::ValuesIn(kRenderingChecks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckErrorTest, ComparesNumbers) {
  EXPECT_TRUE(CheckError(438, 438).passed);
  CheckOutcome other = CheckError(380, 438);
  EXPECT_FALSE(other.passed);
  EXPECT_EQ(other.expected, "error 380");
  EXPECT_EQ(other.got, "error 438");
  CheckOutcome none = CheckError(380, std::nullopt);
  EXPECT_FALSE(none.passed);
  EXPECT_EQ(none.got, "no error");
}

TEST(CheckEventsTest, NamesInOrder) {
  EXPECT_TRUE(CheckEvents({}, {}).passed);
  EXPECT_TRUE(CheckEvents({"Click", "Change"}, {"Click", "Change"}).passed);
  CheckOutcome order = CheckEvents({"Click", "Change"}, {"Change", "Click"});
  EXPECT_FALSE(order.passed);
  EXPECT_EQ(order.got, "Change Click");
  CheckOutcome none = CheckEvents({}, {"Change"});
  EXPECT_FALSE(none.passed);
  EXPECT_EQ(none.expected, "no events");
  EXPECT_FALSE(CheckEvents({"Change"}, {"Change", "Change"}).passed);
}

struct PathCase {
  const char* word;
  std::optional<PropertyPath> path;
};

void PrintTo(const PathCase& c, std::ostream* os) {
  *os << c.word;
}

class PropertyPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(PropertyPathTest, Parses) {
  EXPECT_EQ(ParsePropertyPath(GetParam().word), GetParam().path);
}

const PathCase kPaths[] = {
    {"Text", PropertyPath{"Text", std::nullopt, std::nullopt}},
    {"gTpMDB", PropertyPath{"gTpMDB", std::nullopt, std::nullopt}},
    {"List(3)", PropertyPath{"List", 3, std::nullopt}},
    {"List(-1)", PropertyPath{"List", -1, std::nullopt}},
    {"bot.Visible", PropertyPath{"bot", std::nullopt, "Visible"}},
    {"txt(2).MaxLength", PropertyPath{"txt", 2, "MaxLength"}},
    {"List()", std::nullopt},
    {"List(3", std::nullopt},
    {"List(x)", std::nullopt},
    {"List(40000)", std::nullopt},
    {"txt(2).", std::nullopt},
    {".Visible", std::nullopt},
    {"2Text", std::nullopt},
    {"a.b.c", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Words, PropertyPathTest, testing::ValuesIn(kPaths));

}  // namespace
}  // namespace orvo::play
