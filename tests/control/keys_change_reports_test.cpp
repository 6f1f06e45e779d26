// The Change events and the host's change reports of Text, Value and FormatField, with and
// without NaoEClick.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "access/internals.h"
#include "orvo/orvo_mask.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"

namespace orvo {
namespace {

struct CountingEvents : OrvoMaskEvents {
  int changes = 0, clicks = 0;
  void Change() override { ++changes; }
  void Click() override { ++clicks; }
};

struct ReportCase {
  std::string name;
  std::function<void(OrvoMask&)> act;
  int changes;
  std::vector<std::string> reports;
};

std::ostream& operator<<(std::ostream& os, const ReportCase& c) {
  return os << c.name;
}

class ChangeReports : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ChangeReports, AreRaisedAsTheAssignmentSays) {
  const ReportCase& c = GetParam();
  HeadlessHost host;
  CountingEvents events;
  ControlSite& site = host.CreateSite("f");
  OrvoMask field(site, &events);
  host.RegisterControl(site, &field);
  MemoryPropertyBag bag;
  field.UserControl_ReadProperties(bag);
  host.ShowForm();
  field.SetMask("999");
  const size_t before = static_cast<HeadlessSite&>(site).PropertyChanges().size();
  events.changes = 0;
  c.act(field);
  const auto& all = static_cast<HeadlessSite&>(site).PropertyChanges();
  EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(before), all.end()),
            c.reports);
  EXPECT_EQ(events.changes, c.changes);
  EXPECT_EQ(MemberValue(field, "SuppressChange"), Variant(int16_t{0}));
}

const ReportCase kReportCases[] = {
    // Each of the three boxes reports its new value; the active one raises Change.
    {"TextReportsEveryBoxThenTextAndValue",
     [](OrvoMask& f) { f.SetText("12"); },
     1,
     {"Value", "Value", "Value", "Text", "Value"}},
    {"TextUnderNaoEClickMinusOneIsSilent",
     [](OrvoMask& f) {
       f.NaoEClick = -1;
       f.SetText("12");
     },
     0,
     {}},
    {"TextUnderNaoEClickMinusTwoReportsOnlyTheHost",
     [](OrvoMask& f) {
       f.NaoEClick = -2;
       f.SetText("12");
     },
     0,
     {"Text", "Value"}},
    {"TextAlreadyShownReportsOnlyTheHost",
     [](OrvoMask& f) {
       f.NaoEClick = -1;
       f.SetText("12");
       f.NaoEClick = 0;
       f.SetText("12");
     },
     0,
     {"Text", "Value"}},
    {"ValueWritesTheActiveBox",
     [](OrvoMask& f) { f.SetValue(Variant("7")); },
     1,
     {"Value", "Value"}},
    {"ClearingTextRaisesChange",
     [](OrvoMask& f) {
       f.NaoEClick = -1;
       f.SetText("12");
       f.NaoEClick = 0;
       f.SetText("");
     },
     1,
     {"Value", "Value", "Value", "Text", "Value"}},
    // FormatField works on a borrowed mask: no Change, only the restored MaxLength.
    {"FormatFieldReportsOnlyMaxLength",
     [](OrvoMask& f) {
       (void)f.FormatField(Variant(1234.5), "#.##0,00", TipoDeCampo::Numeric, "");
     },
     0,
     {"MaxLength"}},
};

INSTANTIATE_TEST_SUITE_P(Assignments, ChangeReports, ::testing::ValuesIn(kReportCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace orvo
