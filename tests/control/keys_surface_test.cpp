// The control's own surface: a press toggles a check or option field without a MouseDown
// event, the release is reported, and a disabled field passes the focus on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "orvo/orvo_mask.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"

namespace orvo {
namespace {

struct RecordingEvents : OrvoMaskEvents {
  std::vector<std::string> raised;
  void Click() override { raised.push_back("Click"); }
  void Change() override { raised.push_back("Change"); }
  void MouseDown(int16_t&, int16_t&, float&, float&) override { raised.push_back("MouseDown"); }
  void MouseUp(int16_t&, int16_t&, float&, float&) override { raised.push_back("MouseUp"); }
};

struct SurfaceCase {
  std::string name;
  TipoDeCampo kind;
  Variant value;  // after one press
  std::vector<std::string> raised;
};

std::ostream& operator<<(std::ostream& os, const SurfaceCase& c) {
  return os << c.name;
}

class SurfacePress : public ::testing::TestWithParam<SurfaceCase> {};

TEST_P(SurfacePress, TogglesWithoutMouseDown) {
  const SurfaceCase& c = GetParam();
  HeadlessHost host;
  RecordingEvents events;
  ControlSite& site = host.CreateSite("f");
  OrvoMask field(site, &events);
  host.RegisterControl(site, &field);
  MemoryPropertyBag bag;
  field.UserControl_ReadProperties(bag);
  host.ShowForm();
  field.SetDataType(c.kind);
  events.raised.clear();
  host.ClickSurface(site);
  EXPECT_EQ(field.Value(), c.value);
  EXPECT_EQ(events.raised, c.raised);
}

const SurfaceCase kSurfaceCases[] = {
    {"BooleanTurnsOn", TipoDeCampo::Boolean, Variant(true), {"Click", "Change", "MouseUp"}},
    // A text field has nothing to toggle: only the release is reported.
    {"CharacterOnlyReportsTheRelease", TipoDeCampo::Character, Variant(""), {"MouseUp"}},
};

INSTANTIATE_TEST_SUITE_P(Kinds, SurfacePress, ::testing::ValuesIn(kSurfaceCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace orvo
