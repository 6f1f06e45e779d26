// The layout plan as a table: settings and measured sizes in, places out; and a sweep of
// the 16-bit edges, where the plan must never give a negative or non-finite place.
#include "appearance/layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace orvo {
namespace {

// A 3D one-line text field as the headless host measures it: a character 90 x 195 twips,
// 15 twips a pixel, the caption "Nome" 360 x 195, bars 255 across, on 2400 x 600.
LayoutInput Field() {
  LayoutInput in;
  in.digitWidth = 90;
  in.digitHeight = 195;
  in.captionWidth = 360;
  in.captionHeight = 195;
  in.spinnerWidth = 255;
  in.spinnerHeight = 255;
  in.surfaceWidth = 2400;
  in.surfaceHeight = 600;
  return in;
}

struct Case {
  const char* name;
  std::function<void(LayoutInput&)> setup;
  // The surface the parts are laid out on when not the one the pass began with (a nested
  // pass grew it further); 0 lays out on the surface grown to exactly its least size.
  float laidOutWidth;
  std::vector<std::pair<std::string, double>> expected;
};

double Value(const LayoutInput& in, const std::string& what) {
  const LayoutRoom room = ComputeLayoutRoom(in);
  if (what == "minWidth") return room.minWidth;
  if (what == "minHeight") return room.minHeight;
  if (what == "captionGap") return room.captionGap;
  return 0;
}

double PlanValue(const LayoutPlan& p, const std::string& what) {
  const std::pair<const char*, const Placement*> parts[] = {
      {"field", &p.field}, {"shape", &p.shape}, {"box", p.editBox ? &*p.editBox : nullptr}};
  for (const auto& [name, place] : parts) {
    if (what.rfind(name, 0) != 0) continue;
    if (!place) ADD_FAILURE() << what << ": not placed";
    if (!place) return NAN;
    const std::string side = what.substr(std::string(name).size());
    if (side == ".left") return place->left;
    if (side == ".top") return place->top;
    if (side == ".width") return place->width;
    if (side == ".height") return place->height;
  }
  if (what == "caption.left") return p.captionLeft;
  if (what == "caption.top") return p.captionTop;
  ADD_FAILURE() << "no value named " << what;
  return NAN;
}

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class Layout : public ::testing::TestWithParam<Case> {};

TEST_P(Layout, Plan) {
  const Case& c = GetParam();
  LayoutInput in = Field();
  c.setup(in);
  const LayoutRoom room = ComputeLayoutRoom(in);
  const LayoutPlan plan = c.laidOutWidth ? ComputeLayout(in, room, c.laidOutWidth, in.surfaceHeight)
                                         : ComputeLayout(in);
  for (const auto& [what, want] : c.expected) {
    if (what == "minWidth" || what == "minHeight" || what == "captionGap")
      EXPECT_EQ(Value(in, what), want) << what;
    else
      EXPECT_EQ(PlanValue(plan, what), want) << what;
  }
}

const Case kCases[] = {
    // Clamped, the quantities still make sense where they are used: with the largest offset
    // the field stands at the end of the 16-bit range, below the caption; 255 + 32767 =
    // 33022 twips round to 2201 whole pixels.
    {"LargestOffsetPutsTheFieldAtTheEndOfTheRange",
     [](LayoutInput& in) {
       in.hasCaption = true;
       in.captionOffset = 32767;
     },
     0,
     {{"field.top", 32767}, {"field.height", 255}, {"minHeight", 33015}}},
    // Kept as the classic pass had it: the border's pixels are counted in X for the height
    // and in Y for the width. 195 + 4 x 20 = 275 high, 90 + 4 x 10 = 130 wide.
    {"UnequalPixelsCrossOverInTheFieldMinimum",
     [](LayoutInput& in) {
       in.twipsPerPixelX = 20;
       in.twipsPerPixelY = 10;
       in.surfaceWidth = in.surfaceHeight = 10;
     },
     0,
     {{"minWidth", 140}, {"minHeight", 280}, {"box.left", 40}, {"box.width", 60}}},
    // A nested pass grew the surface past what this pass measured: the parts take the new
    // width, the caption gap stays a third of the room measured first ((1000 - 410 - 200) /
    // 3 = 130), though the new width would allow 200.
    {"PartsTakeTheGrownSurfaceCaptionGapStaysAsMeasured",
     [](LayoutInput& in) {
       in.hasCaption = true;
       in.fillVisible = true;
       in.alignment = TipoAlinhamento::FieldLeft;
       in.surfaceWidth = 1000;
     },
     3000,
     {{"captionGap", 130}, {"field.left", 555}, {"field.width", 2445}, {"caption.left", 137.5}}},
};

INSTANTIATE_TEST_SUITE_P(Rows, Layout, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The 16-bit edges ----------------------------------------------------------------

struct Edge {
  TipoDeCampo kind;
  TipoAlinhamento alignment;
  bool fill;
  int16_t captionOffset;
  float textScale;  // caption and character sizes times this
  int16_t shapeBorderWidth;
  float surface;  // width and height the pass begins with
};

void ExpectSane(const Placement& p, const char* what) {
  EXPECT_TRUE(std::isfinite(p.left) && std::isfinite(p.top)) << what;
  EXPECT_TRUE(std::isfinite(p.width) && std::isfinite(p.height)) << what;
  EXPECT_GE(p.width, 0) << what;
  EXPECT_GE(p.height, 0) << what;
}

void ExpectSanePlan(const Edge& e) {
  LayoutInput in = Field();
  in.kind = e.kind;
  in.alignment = e.alignment;
  in.hasCaption = true;
  in.fillVisible = e.fill;
  in.captionOffset = e.captionOffset;
  in.digitWidth *= e.textScale;
  in.digitHeight *= e.textScale;
  in.captionWidth *= e.textScale;
  in.captionHeight *= e.textScale;
  in.shapeBorderWidth = e.shapeBorderWidth;
  in.browse = TipoBot::Ellipsis;
  in.orientation = Orientacao::Horizontal;
  in.surfaceWidth = in.surfaceHeight = e.surface;
  const LayoutRoom room = ComputeLayoutRoom(in);
  EXPECT_TRUE(std::isfinite(room.minWidth) && std::isfinite(room.minHeight));
  const LayoutPlan plan = ComputeLayout(in);
  ExpectSane(plan.field, "field");
  ExpectSane(plan.shape, "shape");
  ExpectSane({plan.captionLeft, plan.captionTop, 0, 0}, "caption");
  for (const auto* part : {&plan.optionMark, &plan.editBox, &plan.browseButton, &plan.spinnerBar})
    if (*part) ExpectSane(**part, "part");
}

// One test over every combination: a failing one is named by its trace.
TEST(LayoutEdges, NeverNegativeNorInfinite) {
  for (TipoDeCampo kind :
       {TipoDeCampo::Character, TipoDeCampo::Spinner, TipoDeCampo::Boolean, TipoDeCampo::Option})
    for (TipoAlinhamento align : {TipoAlinhamento::FieldTop, TipoAlinhamento::FieldBottom,
                                  TipoAlinhamento::FieldLeft, TipoAlinhamento::FieldRight})
      for (bool fill : {false, true})
        for (float surface : {10.0f, 32000.0f}) {
          const Edge edges[] = {
              {kind, align, fill, 32767, 1, 1, surface},
              {kind, align, fill, -32768, 1, 1, surface},
              // Text so large that one line of caption is beyond 16 bits of twips.
              {kind, align, fill, 50, 250, 1, surface},
              {kind, align, fill, 50, 1, 32767, surface},
          };
          for (const Edge& e : edges) {
            SCOPED_TRACE(testing::Message()
                         << "kind " << int(kind) << " alignment " << int(align) << " fill " << fill
                         << " surface " << surface << " offset " << e.captionOffset << " text x"
                         << e.textScale << " shape border " << e.shapeBorderWidth);
            ExpectSanePlan(e);
          }
        }
}

}  // namespace
}  // namespace orvo
