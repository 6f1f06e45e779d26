// Forms saved and loaded in each host: every key comes back, however often, and an empty
// bag gives every default.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>

#include "access/by_name.h"
#include "form_test_support.h"
#include "host/formfile/form_json.h"

namespace orvo {
namespace {

using testing_support::TestControls;

Variant FontValue(const std::string& name, float size, bool flag) {
  auto f = std::make_shared<Font>();
  f->name = name;
  f->size = size;
  f->bold = flag;
  f->weight = flag ? 700 : 400;
  f->italic = !flag;
  f->underline = flag;
  f->strikethrough = true;
  f->charset = 1;
  return Variant(std::static_pointer_cast<Object>(f));
}

Variant Icon() {
  auto p = std::make_shared<Picture>("cursor.png");
  p->png = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
  return Variant(std::static_pointer_cast<Object>(p));
}

// Every saved key away from its default, in values the control keeps as given, but for the
// mask and the length limit, which a list field never keeps (MaskedCode holds those).
FormControl EveryKeyAway() {
  FormControl c{"txtValor", int16_t{3}, 240, 360, 3000, 615.5f, {}};
  auto add = [&](const char* key, Variant v) { c.properties.emplace_back(key, std::move(v)); };
  add("LargeChange", Variant(int16_t{7}));
  add("DataType", Variant(int32_t{1}));
  add("Enabled", Variant(false));
  add("MousePointer", Variant(int16_t{99}));
  add("MouseIcon", Icon());
  add("Min", Variant(int16_t{-5}));
  add("Max", Variant(int16_t{500}));
  add("SmallChange", Variant(int16_t{3}));
  add("Value", Variant(int16_t{12}));
  add("Orientation", Variant(int32_t{1}));
  add("Appearance", Variant(int32_t{0}));
  add("BorderStyle", Variant(int32_t{0}));
  add("BoundColumn", Variant("C\xF3"
                             "digo"));
  add("ListFields", Variant("Nome;C\xF3"
                            "digo"));
  add("StuffChar", Variant("_"));
  add("BrowseVisible", Variant(int16_t{2}));
  add("MultiLine", Variant(true));
  add("SelectOnFocus", Variant(false));
  add("CaptionOffSet", Variant(int16_t{120}));
  add("ValueChk", Variant(int16_t{2}));
  add("ColorOnFocus", Variant(int32_t{0x123456}));
  add("Caption", Variant("Pre\xE7o unit\xE1rio"));
  add("CaptionColor", Variant(int32_t{0x00FF00FF}));
  add("CaptionFont", FontValue("Arial", 10.2f, true));
  add("ColorNoFocus", Variant(int32_t{-2147483633}));
  add("Alignment", Variant(int16_t{1}));
  add("Shape", Variant(int16_t{4}));
  add("ShapeBorderColor", Variant(int32_t{0x0000FF}));
  add("ShapeBorderWidth", Variant(int16_t{3}));
  add("ShapeBorderStyle", Variant(int16_t{2}));
  add("FillStyleOnFocus", Variant(int16_t{0}));
  add("FillStyleNoFocus", Variant(int16_t{7}));
  add("BookMark", Variant(1234.5));
  add("Font", FontValue("Courier New", 12, false));
  add("BackColor", Variant(int32_t{0xFFFFCC}));
  add("ForeColor", Variant(int32_t{0x800000}));
  add("PasswordChar", Variant("*"));
  add("Locked", Variant(true));
  add("Text", Variant("1.234,50"));
  add("LinkTimeOut", Variant(int16_t{75}));
  return c;
}

FormControl MaskedCode() {
  return {"txtCodigo",
          {},
          240,
          1200,
          1500,
          600,
          {{"Mask", Variant("999-999")}, {"MaxLength", Variant(int16_t{7})}}};
}

class FormRoundTrip : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { host_ = testing_support::MakeHost(GetParam()); }
  std::unique_ptr<FormHost> host_;
};

TEST_P(FormRoundTrip, EveryKeyAwayFromItsDefaultReadsBackTheSameEveryTime) {
  FormDocument form{"Produtos",
                    9000,
                    6000.5f,
                    {EveryKeyAway(), MaskedCode(), {"lblNota", {}, 0, 0, 2400, 600, {}}}};
  TestControls controls(*host_);
  RestoreForm(*host_, form, controls);
  const std::string first = FormText(CaptureForm(*host_));
  // The control wrote every key back: none was lost to its default.
  const FormDocument saved = ParseFormText(first, "first.json");
  std::set<std::string> written;
  for (const FormControl& c : saved.controls)
    for (const auto& [key, value] : c.properties) written.insert(key);
  std::set<std::string> all;
  for (const std::string& key : SavedPropertyKeys()) all.insert(key);
  std::vector<std::string> lost;
  std::set_difference(all.begin(), all.end(), written.begin(), written.end(),
                      std::back_inserter(lost));
  EXPECT_EQ(lost, std::vector<std::string>{});
  EXPECT_EQ(FormText(saved), first);
  for (int round = 0; round < 3; ++round) {
    RestoreForm(*host_, ParseFormText(first, "again.json"), controls);
    EXPECT_EQ(FormText(CaptureForm(*host_)), first) << "round " << round;
  }
  EXPECT_EQ(controls.Count(), 3u);
}

TEST_P(FormRoundTrip, AControlWithNoKeysLoadsEveryDefaultAndSavesNone) {
  FormDocument form{"Vazio", 4800, 3600, {{"a", {}, 120, 120, 2400, 600, {}}}};
  TestControls controls(*host_);
  RestoreForm(*host_, form, controls);
  const FormDocument saved = CaptureForm(*host_);
  ASSERT_EQ(saved.controls.size(), 1u);
  EXPECT_TRUE(saved.controls[0].properties.empty());
  EXPECT_EQ(FormText(saved), FormText(form));
}

INSTANTIATE_TEST_SUITE_P(Hosts, FormRoundTrip, testing::ValuesIn(testing_support::HostNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orvo
