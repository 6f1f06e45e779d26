// Whole scripts through the runner, for what needs no control: checks, faults, errors, tally.
#include "script_runner.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

namespace orvo::play {
namespace {

struct ScriptCase {
  const char* name;
  std::vector<std::string> lines;
  std::string transcript;
  int passed;
  int failed;
  HostKind host = HostKind::Headless;
};

void PrintTo(const ScriptCase& c, std::ostream* os) {
  *os << c.name;
}

class ScriptRunnerTest : public testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptRunnerTest, Transcript) {
  const ScriptCase& c = GetParam();
  std::ostringstream out;
  Transcript transcript(out);
  ScriptRunner runner(transcript, c.host);
  runner.RunLines(c.lines);
  EXPECT_EQ(out.str(), c.transcript);
  EXPECT_EQ(transcript.Passed(), c.passed);
  EXPECT_EQ(transcript.Failed(), c.failed);
}

const ScriptCase kScripts[] = {
    {"EmptyScript", {}, "", 0, 0},
    {"ErrorPrintedAndChecked",
     {"locale xx-YY", "=> error 5"},
     "error 5 Unknown locale \"xx-YY\"\nok\n",
     1,
     0},
    {"ErrorDoesNotStopTheScript",
     {"locale xx", "locale en-US", "=> error 5"},
     "error 5 Unknown locale \"xx\"\nFAIL line 1: unexpected error 5 Unknown locale \"xx\"\n"
     "FAIL line 3: expected error 5, got no error\n",
     0,
     2},
    {"UnansweredErrorAtTheEndFails",
     {"echo 1", "# a comment does not answer it", "locale xx", ""},
     "echo = Integer 1\nerror 5 Unknown locale \"xx\"\n"
     "FAIL line 3: unexpected error 5 Unknown locale \"xx\"\n",
     0,
     1},
    {"TwoChecksOfOneError",
     {"locale xx", "=> error 5", "=> error 6"},
     "error 5 Unknown locale \"xx\"\nok\nFAIL line 3: expected error 6, got error 5\n",
     1,
     1},
    {"RenderingCheckSeesTheErrorLine",
     {"locale xx", R"(=> error 5 Unknown locale "xx")"},
     "error 5 Unknown locale \"xx\"\nok\n",
     1,
     0},
    {"CheckBeforeAnythingPrinted",
     {"=> Long 5"},
     "FAIL line 1: expected Long 5, got nothing printed\n",
     0,
     1},
    {"CommentsAndBlankLinesSkipped",
     {"# a comment", "", "   ", "locale en-GB # trailing"},
     "",
     0,
     0},
    {"UnknownCommand", {"frobnicate 3"}, "FAIL line 1: expected a command, got frobnicate\n", 0, 1},
    {"MissingArgument",
     {"locale"},
     "FAIL line 1: expected argument 1 of locale, got end of line\n",
     0,
     1},
    {"ExtraArgument", {"design now"}, "FAIL line 1: expected end of line, got now\n", 0, 1},
    {"LexFaultNamesTheLine",
     {"", "keys \"abc"},
     "FAIL line 2: expected a closing quote, got end of line\n",
     0,
     1},
    {"CharacterOutsideLatin1",
     {"keys \"\xE2\x82\xAC\""},
     "FAIL line 1: expected Latin-1 text, got character U+20AC\n",
     0,
     1},
    {"BadValue",
     {"bag Mask Numeric"},
     "FAIL line 1: expected a value (number, \"string\", true, false, empty, null or #date#), "
     "got Numeric\n",
     0,
     1},
    {"OnlyOtherHostSkips", {"# geometry", "only qt", "=> Long 5"}, "skipped\n", 0, 0},
    {"OnlyThisHostRuns",
     {"only headless", "=> Long 5"},
     "FAIL line 2: expected Long 5, got nothing printed\n",
     0,
     1},
    {"OnlyInQtHost", {"only headless", "=> Long 5"}, "skipped\n", 0, 0, HostKind::Qt},
    {"OnlyLaterIsAFault",
     {"locale en-US", "only qt"},
     "FAIL line 2: expected `only` as the first command, got it on line 2\n",
     0,
     1},
    {"OnlyNamesNoHost",
     {"only windows"},
     "FAIL line 1: expected only headless or only qt, got only windows\n",
     0,
     1},
    {"NoEventsRaised",
     {"events on", "expect-events", "expect-events Change"},
     "ok\nFAIL line 3: expected Change, got no events\n",
     1,
     1},
    {"EventsNeedOnOrOff", {"events maybe"}, "FAIL line 1: expected on or off, got maybe\n", 0, 1},
    {"TranscriptStaysAscii",
     {"locale p\xC3\xA7", "=> error 5 Unknown locale \"p\\xE7\"", "frob\xC3\xA7"},
     "error 5 Unknown locale \"p\\xE7\"\nok\nFAIL line 3: expected a command, got frob\\xE7\n",
     1,
     1},
    {"PropertyBeforeAnyControl",
     {"get Text"},
     "FAIL line 1: expected a current control (`new NAME` first), got none\n",
     0,
     1},
    {"UseOfUnknownControl",
     {"new a", "use b", "focus opt 2"},
     "FAIL line 2: expected a control created with `new`, got b\n"
     "FAIL line 3: expected a control created with `new`, got opt(2)\n",
     0,
     2},
    {"WidgetStateIsReadOnly",
     {"new a", "set bot.Visible true"},
     "FAIL line 2: expected a property of the control, got bot.Visible\n",
     0,
     1},
    {"MalformedPropertyName",
     {"new a", "get List(x)"},
     "FAIL line 2: expected PROP, PROP(I) or WIDGET.PROP, got List(x)\n",
     0,
     1},
    {"UnknownKeyAndTarget",
     {"new a", "key Hyper", "key Enter -1", "click nowhere"},
     "FAIL line 2: expected a key name, got Hyper\n"
     "FAIL line 3: expected a count of 0 or more, got -1\n"
     "FAIL line 4: expected a click target, got nowhere\n",
     0,
     3},
    {"HostStateAndMissingList",
     {"new a", "get Beeps", "=> Long 0", "click list 0", "=> error 5"},
     "Beeps = Long 0\nok\nerror 5 orvoplay: no list is open\nok\n",
     2,
     0},
    {"ClipboardTakesAString",
     {"new a", "set Clipboard 5"},
     "FAIL line 2: expected a quoted string, got 5\n",
     0,
     1},
    {"LoadOfAMissingFileKeepsTheForm",
     {"new a", "load \"no-such-form.json\"", "=> error 53", "use a"},
     "error 53 cannot open form file \"no-such-form.json\": No such file or directory\nok\n",
     1,
     0},
};

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptRunnerTest, testing::ValuesIn(kScripts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::play
