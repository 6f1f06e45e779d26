// Damaged form files: each is refused with error 321 naming the file, the line and the key.
#include <gtest/gtest.h>

#include "base/error.h"
#include "host/formfile/form_json.h"

namespace orvo {
namespace {

constexpr std::string_view kGood = R"({
  "format": 1,
  "title": "Clientes",
  "width": 7200,
  "height": 4800,
  "controls": [
    {
      "name": "txtNome",
      "index": null,
      "left": 120,
      "top": 120,
      "width": 2400,
      "height": 600,
      "properties": {
        "Caption": "Nome",
        "Locked": true,
        "MaxLength": {"int16":5},
        "MouseIcon": {"picture":{"name":"x","png":"iVBORw0KGgo="}},
        "Shape": {"int16":4}
      }
    }
  ]
}
)";

struct Damage {
  const char* name;
  std::string_view from;  // replaced in kGood; empty: the text is cut after `to` bytes
  std::string_view to;
  const char* message;
};

const Damage kDamages[] = {
    {"Truncated", "", "330",
     "form file \"f.json\", line 18, key \"MaxLength\": the file is damaged (not valid JSON: "
     "syntax error while parsing object key - unexpected end of input; expected string "
     "literal)"},
    {"Corrupted", "\"Locked\": true", "\"Locked\": tru#",
     "form file \"f.json\", line 16, key \"Locked\": the file is damaged (not valid JSON: "
     "syntax error while parsing value - invalid literal; last read: '\"Locked\": tru#')"},
    {"TypeSwappedNumber", "{\"int16\":5}", "\"5\"",
     "form file \"f.json\", line 17, key \"MaxLength\" of control txtNome: a 16-bit number "
     "{\"int16\": N} is required"},
    {"TypeSwappedBoolean", "\"Locked\": true", "\"Locked\": {\"int16\":-1}",
     "form file \"f.json\", line 16, key \"Locked\" of control txtNome: true or false is required"},
    {"WrongWidth", "{\"int16\":5}", "{\"int32\":5}",
     "form file \"f.json\", line 17, key \"MaxLength\" of control txtNome: a 16-bit number "
     "{\"int16\": N} is required"},
    {"UnknownKey", "\"Caption\"", "\"Legenda\"",
     "form file \"f.json\", line 15, key \"Legenda\" of control txtNome: unknown key"},
    {"MissingMember", "\"left\"", "\"esquerda\"",
     "form file \"f.json\", line 7, control txtNome: the control has no \"left\""},
    {"UnknownMember", "\"index\": null", "\"index\": null, \"colour\": 1",
     "form file \"f.json\", line 9, key \"colour\" of control txtNome: unknown member"},
    {"OutOf16Bits", "{\"int16\":5}", "{\"int16\":40000}",
     "form file \"f.json\", line 17, key \"MaxLength\" of control txtNome: 40000 is out of "
     "range (16-bit)"},
    {"BelowTheWidgetsRange", "\"MaxLength\": {\"int16\":5}", "\"SmallChange\": {\"int16\":0}",
     "form file \"f.json\", line 17, key \"SmallChange\" of control txtNome: 0 is out of "
     "range (1 to 32767)"},
    {"NotAMember", "{\"int16\":4}", "{\"int16\":9}",
     "form file \"f.json\", line 19, key \"Shape\" of control txtNome: 9 is out of range (not "
     "one of the property's values)"},
    {"BeyondLatin1", "\"Nome\"", "\"\\u0100\"",
     "form file \"f.json\", line 15, key \"Caption\" of control txtNome: a character beyond "
     "Latin-1 is out of range"},
    {"NegativeWidth", "\"width\": 2400", "\"width\": -1",
     "form file \"f.json\", line 12, key \"width\" of control txtNome: -1 is out of range"},
    {"NotAPng", "iVBORw0KGgo=", "R0lGODlh",
     "form file \"f.json\", line 18, key \"MouseIcon\" of control txtNome: picture png: not a "
     "PNG image"},
    {"BadIndex", "\"index\": null", "\"index\": -1",
     "form file \"f.json\", line 9, key \"index\" of control txtNome: an index from 0 to "
     "32767, or null, is required"},
    {"NewerVersion", "\"format\": 1", "\"format\": 2",
     "form file \"f.json\", line 2, key \"format\": the file has format version 2, newer than "
     "this program reads (1); open it with a newer version"},
    {"NumberBeyondAnyType", "\"width\": 2400", "\"width\": 1E400",
     "form file \"f.json\", line 12, key \"width\": the file is damaged (a number out of "
     "range)"},
    {"NoVersion", "\"format\": 1,", "",
     "form file \"f.json\", line 1: not a form file: it has no \"format\" version"},
    {"Empty", "", "0",
     "form file \"f.json\", line 1: the file is damaged (not valid JSON: syntax error while "
     "parsing value - unexpected end of input; expected '[', '{', or a literal)"},
};

class FormFileDamage : public testing::TestWithParam<Damage> {};

TEST_P(FormFileDamage, IsRefusedNamingFileLineAndKey) {
  const Damage& d = GetParam();
  std::string text(kGood);
  if (d.from.empty()) {
    text.resize(std::stoul(std::string(d.to)));
  } else {
    const size_t at = text.find(d.from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, d.from.size(), d.to);
  }
  try {
    ParseFormText(text, "f.json");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 321);
    EXPECT_EQ(e.Message(), d.message);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, FormFileDamage, testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FormFileDamage, TheUndamagedFileReads) {
  const FormDocument form = ParseFormText(kGood, "f.json");
  ASSERT_EQ(form.controls.size(), 1u);
  EXPECT_EQ(form.controls[0].properties.size(), 5u);
}

}  // namespace
}  // namespace orvo
