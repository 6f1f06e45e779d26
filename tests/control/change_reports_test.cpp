// The change each property set reports to its container, by name.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "access/by_name.h"
#include "base/error.h"
#include "orvo/orvo_mask.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"

namespace orvo {
namespace {

struct ReportCase {
  const char* property;
  Variant value;
  std::vector<std::string> reports;
};

std::ostream& operator<<(std::ostream& os, const ReportCase& c) {
  return os << c.property;
}

Variant FontValue() {
  return Variant(std::static_pointer_cast<Object>(std::make_shared<Font>()));
}

class ChangeReport : public ::testing::TestWithParam<ReportCase> {
 protected:
  ChangeReport() : site_(static_cast<HeadlessSite&>(host_.CreateSite("a"))) {
    control_ = std::make_unique<OrvoMask>(site_);
    host_.RegisterControl(site_, control_.get());
    MemoryPropertyBag bag;
    control_->UserControl_ReadProperties(bag);
    host_.ShowForm();
  }
  ~ChangeReport() override { control_.reset(); }

  HeadlessHost host_;
  HeadlessSite& site_;
  std::unique_ptr<OrvoMask> control_;
};

TEST_P(ChangeReport, NamesTheProperty) {
  const ReportCase& c = GetParam();
  const size_t before = site_.PropertyChanges().size();
  SetProperty(*control_, c.property, c.value);
  std::vector<std::string> reported(site_.PropertyChanges().begin() + before,
                                    site_.PropertyChanges().end());
  EXPECT_EQ(reported, c.reports);
}

std::vector<ReportCase> Cases() {
  using V = std::vector<std::string>;
  return {
      // No report for these two.
      {"FormatLostFocus", Variant(false), V{}},
      {"SelectFilter", Variant("Codigo = 1"), V{}},
      // The offset reports under its stored name.
      {"CaptionOffset", Variant(int16_t(80)), V{"CaptionOffSet"}},
      {"Filter", Variant("Codigo = 1"), V{"Filter"}},
      {"BackColor", Variant(int32_t(0xFF)), V{"BackColor"}},
      {"BookMark", Variant("x"), V{"BookMark"}},
      {"PasswordChar", Variant("*"), V{"PasswordChar"}},
      {"LinkTimeOut", Variant(int16_t(9)), V{"LinkTimeOut"}},
      {"ColorNoFocus", Variant(int32_t(1)), V{"ColorNoFocus"}},
      {"ColorOnFocus", Variant(int32_t(1)), V{"ColorOnFocus"}},
      {"Locked", Variant(true), V{"Locked"}},
      // A value the bars refuse still reports.
      {"LargeChange", Variant(int16_t(0)), V{"LargeChange"}},
      {"SmallChange", Variant(int16_t(0)), V{"SmallChange"}},
      {"ForeColor", Variant(int32_t(1)), V{"ForeColor"}},
      {"ShapeBorderColor", Variant(int32_t(1)), V{"ShapeBorderColor"}},
      {"ShapeBorderWidth", Variant(int16_t(2)), V{"ShapeBorderWidth"}},
      {"ShapeBorderStyle", Variant(int16_t(2)), V{"ShapeBorderStyle"}},
      {"CaptionColor", Variant(int32_t(1)), V{"CaptionColor"}},
      {"Font", FontValue(), V{"Font"}},
      {"CaptionFont", FontValue(), V{"CaptionFont"}},
      {"MultiLine", Variant(true), V{"MultiLine"}},
      {"SelectOnFocus", Variant(false), V{"SelectOnFocus"}},
      {"BrowseVisible", Variant(int16_t(2)), V{"BrowseVisible"}},
      {"MousePointer", Variant(int16_t(11)), V{"MousePointer"}},
      {"Min", Variant(int16_t(5)), V{"Min"}},
      {"Max", Variant(int16_t(20)), V{"Max"}},
      {"MaxLength", Variant(int32_t(10)), V{"MaxLength"}},
      {"SelStart", Variant(int32_t(0)), V{"SelStart"}},
      {"SelLength", Variant(int32_t(0)), V{"SelLength"}},
      {"SelText", Variant(""), V{"SelText"}},
      {"WhatsThisHelpID", Variant(int32_t(7)), V{"WhatsThisHelpID"}},
      {"BorderStyle", Variant(int32_t(0)), V{"BorderStyle"}},
      {"Appearance", Variant(int32_t(0)), V{"Appearance"}},
      {"Orientation", Variant(int32_t(1)), V{"Orientation"}},
      {"BoundColumn", Variant("Codigo"), V{"BoundColumn"}},
      // Turning the button into a drop-down is part of the ListFields report.
      {"ListFields", Variant("Um|Dois"), V{"ListFields"}},
      {"Mask", Variant("999"), V{"Mask"}},
      {"DataType", Variant(int32_t(2)), V{"DataType"}},
      {"StuffChar", Variant("0"), V{"StuffChar"}},
      {"Caption", Variant("Nome"), V{"Caption"}},
      {"Alignment", Variant(int32_t(2)), V{"Alignment"}},
      {"FillStyleOnFocus", Variant(int32_t(0)), V{"FillStyleOnFocus"}},
      {"FillStyleNoFocus", Variant(int32_t(0)), V{"FillStyleNoFocus"}},
      {"Shape", Variant(int32_t(0)), V{"Shape"}},
      {"Enabled", Variant(false), V{"Enabled"}},
  };
}

INSTANTIATE_TEST_SUITE_P(Properties, ChangeReport, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.property); });

// In the designer the selection properties refuse a set: error 382, no report.
TEST(ChangeReportInDesigner, SelectionSetsReportNothing) {
  HeadlessHost host;
  SiteOptions o;
  o.userMode = false;
  auto& site = static_cast<HeadlessSite&>(host.CreateSite("a", o));
  auto control = std::make_unique<OrvoMask>(site);
  control->UserControl_InitProperties();
  for (const char* name : {"SelStart", "SelLength", "SelText"}) {
    try {
      SetProperty(*control, name,
                  Variant(std::string(name) == "SelText" ? Variant("x") : Variant(int32_t(1))));
      ADD_FAILURE() << name << " set in the designer";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), err::kNotAtRunTime) << name;
    }
  }
  EXPECT_TRUE(site.PropertyChanges().empty());
  control.reset();
}

}  // namespace
}  // namespace orvo
