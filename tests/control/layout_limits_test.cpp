// The layout pass at the edges of its 16-bit arithmetic: it never fails, and never gives a
// widget a negative or non-finite size.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "base/error.h"
#include "control/orvo_mask.h"
#include "platform/property_bag.h"
#include "host/headless/headless_host.h"

namespace orvo {
namespace {

struct LimitCase {
  int32_t dataType;
  int16_t alignment;
  bool fill;
  int16_t captionOffset;
  float fontSize;  // caption and field font, points
  int16_t shapeBorderWidth;
};

std::string Name(const LimitCase& c) {
  std::string s = "Kind" + std::to_string(c.dataType) + "Align" + std::to_string(c.alignment) +
                  (c.fill ? "Fill" : "NoFill") + "Offset" + (c.captionOffset < 0 ? "Neg" : "") +
                  std::to_string(std::abs(c.captionOffset)) + "Font" +
                  std::to_string(static_cast<int>(c.fontSize)) + "Border" +
                  std::to_string(c.shapeBorderWidth);
  return s;
}

void ExpectSane(const Widget& w, const char* name) {
  EXPECT_TRUE(std::isfinite(w.Left()) && std::isfinite(w.Top())) << name;
  EXPECT_TRUE(std::isfinite(w.Width()) && std::isfinite(w.Height())) << name;
  EXPECT_GE(w.Width(), 0) << name;
  EXPECT_GE(w.Height(), 0) << name;
}

class LayoutLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(LayoutLimits, PassNeverFails) {
  const LimitCase& c = GetParam();
  auto font = std::make_shared<Font>();
  font->size = c.fontSize;
  MemoryPropertyBag bag;
  bag.Set("DataType", Variant(c.dataType));
  bag.Set("Orientation", Variant(int32_t(1)));
  bag.Set("Alignment", Variant(c.alignment));
  bag.Set("CaptionOffSet", Variant(c.captionOffset));
  bag.Set("Caption", Variant("Nome do cliente"));
  bag.Set("FillStyleNoFocus", Variant(int16_t(c.fill ? 0 : 1)));
  bag.Set("ShapeBorderWidth", Variant(c.shapeBorderWidth));
  bag.Set("BrowseVisible", Variant(int16_t(2)));
  bag.Set("CaptionFont", Variant(std::static_pointer_cast<Object>(font)));
  bag.Set("Font", Variant(std::static_pointer_cast<Object>(font)));

  HeadlessHost host;
  ControlSite& site = host.CreateSite("a");
  auto control = std::make_unique<OrvoMask>(site);
  host.RegisterControl(site, control.get());
  EXPECT_NO_THROW({
    control->UserControl_ReadProperties(bag);
    host.ShowForm();
    site.SetWidth(10);
    site.SetHeight(10);
    host.ResizeControl(site, 32000, 32000);
    control->SetCaptionOffset(c.captionOffset == 32767 ? -32768 : 32767);
  });
  OrvoMask& m = *control;
  ExpectSane(*m.pic, "pic");
  ExpectSane(*m.lab, "lab");
  ExpectSane(*m.shp, "shp");
  ExpectSane(*m.img, "img");
  ExpectSane(*m.bot, "bot");
  ExpectSane(*m.scrH, "scrH");
  ExpectSane(*m.txt[0], "txt(0)");
  ExpectSane(*m.txt[1], "txt(1)");
  control.reset();
}

std::vector<LimitCase> Cases() {
  std::vector<LimitCase> cases;
  for (int32_t kind : {0, 3, 5, 6})
    for (int16_t align : {0, 1, 2, 3})
      for (bool fill : {false, true}) {
        cases.push_back({kind, align, fill, 32767, 8.25f, 1});
        cases.push_back({kind, align, fill, -32768, 8.25f, 1});
        // A font so large that one line of caption is beyond 16 bits of twips.
        cases.push_back({kind, align, fill, 50, 2000, 1});
        cases.push_back({kind, align, fill, 50, 8.25f, 32767});
      }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Edges, LayoutLimits, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return Name(info.param); });

// Clamped, the quantities still make sense where they are used: with the largest offset
// the field stands at the end of the 16-bit range, below the caption.
TEST(LayoutLimits, LargestOffsetPutsTheFieldAtTheEndOfTheRange) {
  HeadlessHost host;
  ControlSite& site = host.CreateSite("a");
  auto control = std::make_unique<OrvoMask>(site);
  host.RegisterControl(site, control.get());
  MemoryPropertyBag bag;
  bag.Set("Caption", Variant("Nome"));
  bag.Set("CaptionOffSet", Variant(int16_t(32767)));
  control->UserControl_ReadProperties(bag);
  host.ShowForm();
  EXPECT_EQ(control->pic->Top(), 32767);
  // 255 + 32767 = 33022 twips, rounded to 2201 whole pixels.
  EXPECT_EQ(site.Height(), 33015);
  EXPECT_EQ(control->pic->Height(), 255);
  control.reset();
}

}  // namespace
}  // namespace orvo
