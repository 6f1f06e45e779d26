// Drop-down placement against the screen's edges, and the calculator's format for a field.
#include "popups/popup_placement.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

constexpr float kScreen = 800 * 15;  // twips

TEST(PopupPlacement, BesideTheControl) {
  // A control of 160 x 40 pixels at (8, 8): the popup ends one pixel inside its right edge.
  PopupPlace p = PlaceBesideControl({8, 8, 168, 48}, 600, 1720, 1545, 15, 15, kScreen);
  EXPECT_EQ(p.left, 168 * 15 - 1720 - 15);
  EXPECT_EQ(p.top, 8 * 15 + 600 + 15);
  // Near the left edge the popup would start left of the screen: it starts at 0.
  EXPECT_EQ(PlaceBesideControl({0, 8, 60, 48}, 600, 1720, 1545, 15, 15, kScreen).left, 0);
  // Near the bottom it opens above the control.
  p = PlaceBesideControl({8, 700, 168, 740}, 600, 1720, 1545, 15, 15, kScreen);
  EXPECT_EQ(p.top, 700 * 15 - 1545 - 15);
}

TEST(PopupPlacement, BelowTheField) {
  PopupPlace p = PlaceBelowField({20, 100, 180, 120}, 1000, 15, 15, kScreen);
  EXPECT_EQ(p.left, 300);
  EXPECT_EQ(p.top, 120 * 15 + 15);
  EXPECT_EQ(PlaceBelowField({20, 760, 180, 780}, 1000, 15, 15, kScreen).top, 760 * 15 - 1000 - 15);
}

TEST(PopupPlacement, CalculatorFormat) {
  EXPECT_EQ(CalculatorFormat(5, 2), "####0.00");
  EXPECT_EQ(CalculatorFormat(7, 0), "#######");
  EXPECT_EQ(CalculatorFormat(0, 2), "0.00");
}

}  // namespace
}  // namespace orvo
