// Leaves with posts in a wall, kinds 72 and 73: golden tables of the thin
// and the thick wall at two scales, the mirror, units, counts and boxes.

#include <gtest/gtest.h>

#include "figures/fittings/fitting_checks.h"

namespace {

// W 1000, G 100, E 80; the wall 80 thick (thin) unless a case says 120.
class PostedLeavesTest : public FittingTest {
 protected:
  PostedLeavesTest() { FittingDefaults.FitPlanSize1 = 80; }
};

// Thin wall T = 80: posts from a = 2 to b = 78, tracks p = 3T/4 - 1 = 59
// and q = T/4 + 1 = 21; U = 2W + 100 = 2100.
TEST_F(PostedLeavesTest, Kind72ThinWallAtTwoScales) {
  AtScales1And50(72, [&] {
    ASSERT_EQ(Out().size(), 29u);
    ExpectRealLines(0, {{0, 0, -80, 0},       {0, 80, -80, 80},     {0, 0, 0, 80},           {500, 2, 550, 2},
                        {500, 40, 550, 40},   {500, 78, 550, 78},   {500, 2, 500, 78},       {550, 2, 550, 78},
                        {1050, 40, 1000, 40}, {1050, 2, 1000, 2},   {1000, 40, 1000, 2},     {1050, 40, 1100, 40},
                        {1050, 2, 1100, 2},   {1100, 40, 1100, 2},  {1050, -140, 1050, 220}, {1550, 2, 1600, 2},
                        {1550, 40, 1600, 40}, {1550, 78, 1600, 78}, {1550, 2, 1550, 78},     {1600, 2, 1600, 78},
                        {2100, 0, 2180, 0},   {2100, 80, 2180, 80}, {2100, 0, 2100, 80},     {0, 59, 500, 59},
                        {550, 21, 1000, 21},  {1100, 21, 1550, 21}, {1600, 59, 2100, 59},    {0, 80, 2100, 80, true},
                        {0, 0, 2100, 0, true}});
  });
}

// Thick wall T = 120: posts 100 deep on the middle 60 (a = 10, b = 110),
// tracks 60 + 25 = 85 and 60 - 25 = 35.
TEST_F(PostedLeavesTest, Kind72ThickWallAtTwoScales) {
  FittingDefaults.FitPlanSize1 = 120;
  AtScales1And50(72, [&] {
    ASSERT_EQ(Out().size(), 29u);
    ExpectRealLines(3, {{500, 10, 550, 10},
                        {500, 60, 550, 60},
                        {500, 110, 550, 110},
                        {500, 10, 500, 110},
                        {550, 10, 550, 110},
                        {1050, 60, 1000, 60},
                        {1050, 10, 1000, 10},
                        {1000, 60, 1000, 10}});
    ExpectRealLines(23, {{0, 85, 500, 85}, {550, 35, 1000, 35}, {1100, 35, 1550, 35}, {1600, 85, 2100, 85}});
  });
}

// U = 2W + 50 = 2050; the mark over the second leaf at 3W/2 + 37.5.
TEST_F(PostedLeavesTest, Kind73ThinWallAtTwoScales) {
  AtScales1And50(73, [&] {
    ASSERT_EQ(Out().size(), 19u);
    ExpectRealLines(0, {{0, 0, -80, 0},
                        {0, 80, -80, 80},
                        {0, 0, 0, 80},
                        {1000, 2, 1050, 2},
                        {1000, 40, 1050, 40},
                        {1000, 78, 1050, 78},
                        {1000, 2, 1000, 78},
                        {1050, 2, 1050, 78},
                        {2050, 40, 2000, 40},
                        {2050, 2, 2000, 2},
                        {2000, 40, 2000, 2},
                        {2050, 0, 2130, 0},
                        {2050, 80, 2130, 80},
                        {2050, 0, 2050, 80},
                        {1537.5, -140, 1537.5, 220},
                        {0, 59, 1000, 59},
                        {1050, 21, 2000, 21},
                        {0, 80, 2050, 80, true},
                        {0, 0, 2050, 0, true}});
  });
}

// Every x becomes 2050 - x, the end marks too (type 2: E = 80 beyond the
// anchors, stubs 2T + 40 = 200), and the mark runs down from its top.
TEST_F(PostedLeavesTest, Kind73MirroredAtTwoScales) {
  FittingDefaults.FitPlanOption3 = 1;
  FittingDefaults.FitPlanOption2 = 2;
  AtScales1And50(73, [&] {
    ASSERT_EQ(Out().size(), 21u);
    ExpectRealLines(0, {{2050, 0, 2130, 0},
                        {2050, 80, 2130, 80},
                        {2050, 0, 2050, 80},
                        {1050, 2, 1000, 2},
                        {1050, 40, 1000, 40},
                        {1050, 78, 1000, 78},
                        {1050, 2, 1050, 78},
                        {1000, 2, 1000, 78},
                        {0, 40, 50, 40},
                        {0, 2, 50, 2},
                        {50, 40, 50, 2},
                        {0, 0, -80, 0},
                        {0, 80, -80, 80},
                        {0, 0, 0, 80},
                        {512.5, 220, 512.5, -140},
                        {2050, 59, 1050, 59},
                        {1000, 21, 50, 21},
                        {2050, 80, 0, 80, true},
                        {2050, 0, 0, 0, true}});
    ExpectRealLines(19, {{2130, 0, 2130, 200}, {-80, 0, -80, 200}}, true);
  });
}

// The pockets mirror too (scale 10: U = 205, J 3, D 10): the left one
// stands beyond x = 205, the right one beyond x = 0.
TEST_F(PostedLeavesTest, Kind73MirroredPockets) {
  FittingDefaults.FitPlanOption3 = 1;
  FittingDefaults.FitPlanOption1 = 1;
  Build(73);
  ASSERT_EQ(Out().size(), 25u);
  ExpectLines(19, {{208, 0, 208, -10},
                   {205, 0, 205, -10},
                   {208, -10, 205, -10},
                   {0, 0, 0, -10},
                   {-3, 0, -3, -10},
                   {0, -10, -3, -10}});
}

// T = 100 at scale 11 is thin as stored, though 100 / 11 x 11 > 100 in
// doubles: posts from 2/11 to 98/11, tracks 74/11 and 26/11.
TEST_F(PostedLeavesTest, WallOfExactly100IsThin) {
  FittingDefaults.FitPlanSize1 = 100;
  ASSERT_GT(100.0 / 11 * 11, 100.0);
  fig_.SetStylesAndScale(styles_, 11);
  for (std::uint8_t kind : {72, 73}) {
    SCOPED_TRACE(int{kind});
    Build(kind);
    const double x = kind == 72 ? 500 : 1000;
    ExpectRealLines(3, {{x, 2, x + 50, 2}, {x, 50, x + 50, 50}, {x, 98, x + 50, 98}});
    ExpectRealLines(kind == 72 ? 23 : 15, {{0, 74, x, 74}}, false);
  }
  FittingDefaults.FitPlanSize1 = 100.5;
  Build(73);
  ExpectRealLines(3, {{1000, 0.25, 1050, 0.25}});  // 50.25 - 50
}

// Units at a pitch of U + G; walls meet half way across each gap. Kind 73
// mirrored takes x to the total width 2 x 2050 + 100 - x.
TEST_F(PostedLeavesTest, TwoUnitsCloseTheGapByHalves) {
  FittingDefaults.FitLeafCount = 2;
  fig_.SetStylesAndScale(styles_, 1);
  Build(72);
  ASSERT_EQ(Out().size(), 58u);
  ExpectRealLines(20, {{2100, 0, 2150, 0}, {2100, 80, 2150, 80}, {2100, 0, 2100, 80}});
  ExpectRealLines(29, {{2200, 0, 2150, 0}, {2200, 80, 2150, 80}, {2200, 0, 2200, 80}});
  ExpectRealLines(49, {{4300, 0, 4380, 0}});
  Build(73);
  ASSERT_EQ(Out().size(), 38u);
  ExpectRealLines(11, {{2050, 0, 2100, 0}, {2050, 80, 2100, 80}});
  ExpectRealLines(19, {{2150, 0, 2100, 0}, {2150, 80, 2100, 80}});
  FittingDefaults.FitPlanOption3 = 1;
  Build(73);
  ExpectRealLines(11, {{2150, 0, 2100, 0}, {2150, 80, 2100, 80}});
  ExpectRealLines(19, {{2050, 0, 2100, 0}, {2050, 80, 2100, 80}});
  ExpectRealLines(33, {{4200 - 1537.5 - 2150, 220, 4200 - 1537.5 - 2150, -140}});
}

// 29 and 19 lines a unit for every n; end marks of type 4 add six, pockets
// six. Kind 72 does not read the hand.
TEST_F(PostedLeavesTest, CountsPerUnitWithEndMarksAndPockets) {
  FittingDefaults.FitPlanOption2 = 4;
  FittingDefaults.FitPlanOption1 = 1;
  FittingDefaults.FitPlanOption3 = 1;
  for (int n = 1; n <= 3; ++n) {
    FittingDefaults.FitLeafCount = static_cast<std::uint8_t>(n);
    Build(72);
    EXPECT_EQ(Out().size(), static_cast<std::size_t>(29 * n + 12));
    Build(73);
    EXPECT_EQ(Out().size(), static_cast<std::size_t>(19 * n + 12));
  }
  FittingDefaults.FitLeafCount = 1;
  Build(72);
  ExpectLines(0, {{0, 0, -8, 0}});
}

// Box (n U + (n - 1) G, T, E), neither width setting read: at scale 10
// U = 210 (kind 72) or 205 (kind 73).
TEST_F(PostedLeavesTest, Boxes) {
  FittingDefaults.FitPlanOption5 = 0;
  FittingDefaults.FitLeafCount = 2;
  FittingDefaults.FitPlanOption6 = 1;
  FittingDefaults.FitWidthIsTotal = 1;
  BoxSize box = MeasureBox(72);
  EXPECT_NEAR(box.Width, 430, 1e-12);
  EXPECT_NEAR(box.Gap, 8, 1e-12);
  box = MeasureBox(73);
  EXPECT_NEAR(box.Width, 420, 1e-12);
  EXPECT_NEAR(box.Gap, 8, 1e-12);
}

}  // namespace
