// Frames with sliding sashes, kinds 62, 67, 68, 76 and 77: golden tables at
// two scales, both hands of kind 77, widths, end marks, side boxes and
// boxes.

#include <gtest/gtest.h>

#include "figures/fittings/fitting_checks.h"

namespace {

// W 1000, D 100 (middle 50), J 30.
class SlidingSashesTest : public FittingTest {};

TEST_F(SlidingSashesTest, Kind62AtTwoScales) {
  AtScales1And50(62, [&] {
    ASSERT_EQ(Out().size(), 11u);
    ExpectRealLines(0, {{0, 50, 500, 50},
                        {0, 70, 520, 70},
                        {0, 50, 0, 70},
                        {520, 50, 520, 70},
                        {480, 30, 1000, 30},
                        {480, 50, 1000, 50},
                        {480, 30, 480, 50},
                        {1000, 30, 1000, 50},
                        {0, 0, 1000, 0, true},
                        {0, 100, 1000, 100, true},
                        {500, -90, 500, 190}});
  });
}

// W 1200 for round thirds: 400 and 800; tracks 60 to 80, 40 to 60, 20 to 40.
TEST_F(SlidingSashesTest, Kind67AtTwoScales) {
  FittingDefaults.FitWidth = 1200;
  AtScales1And50(67, [&] {
    ASSERT_EQ(Out().size(), 16u);
    ExpectRealLines(0, {{0, 60, 400, 60},
                        {0, 80, 420, 80},
                        {0, 60, 0, 80},
                        {420, 60, 420, 80},
                        {390, 40, 810, 40},
                        {390, 60, 810, 60},
                        {390, 40, 390, 60},
                        {810, 40, 810, 60},
                        {780, 20, 1200, 20},
                        {780, 40, 1200, 40},
                        {780, 20, 780, 40},
                        {1200, 20, 1200, 40},
                        {0, 0, 1200, 0, true},
                        {0, 100, 1200, 100, true},
                        {400, -90, 400, 190},
                        {800, -90, 800, 190}});
  });
}

// Quarters 250, 500, 750: the outer sashes on the upper track.
TEST_F(SlidingSashesTest, Kind68AtTwoScales) {
  AtScales1And50(68, [&] {
    ASSERT_EQ(Out().size(), 21u);
    ExpectRealLines(0, {{0, 50, 250, 50},          {0, 70, 270, 70},     {0, 50, 0, 70},
                        {270, 50, 270, 70},        {230, 30, 500, 30},   {230, 50, 500, 50},
                        {230, 30, 230, 50},        {500, 30, 500, 50},   {250, -90, 250, 190},
                        {500, 30, 770, 30},        {500, 50, 770, 50},   {500, 30, 500, 50},
                        {770, 30, 770, 50},        {730, 50, 1000, 50},  {730, 70, 1000, 70},
                        {730, 50, 730, 70},        {1000, 50, 1000, 70}, {0, 0, 1000, 0, true},
                        {0, 100, 1000, 100, true}, {750, -90, 750, 190}, {500, -90, 500, 190}});
  });
}

// The faces and both side boxes, whatever the side-frame setting.
TEST_F(SlidingSashesTest, Kind76AtTwoScales) {
  AtScales1And50(76, [&] {
    ASSERT_EQ(Out().size(), 10u);
    ExpectRealLines(0, {{0, 0, 1000, 0, true},
                        {0, 100, 1000, 100, true},
                        {-30, 0, -30, 100},
                        {0, 0, 0, 100},
                        {-30, 0, 0, 0},
                        {-30, 100, 0, 100},
                        {1030, 0, 1030, 100},
                        {1000, 0, 1000, 100},
                        {1030, 0, 1000, 0},
                        {1030, 100, 1000, 100}});
  });
}

// W = 2 x (1000 + 25) = 2050; leaves T = 60 deep from y = D - 20 = 80 down
// to 20, overlapping from 1000 to 1050.
TEST_F(SlidingSashesTest, Kind77BothHandsAtTwoScales) {
  FittingDefaults.FitPlanSize1 = 60;
  for (std::uint8_t hand : {0, 1}) {
    SCOPED_TRACE("hand " + std::to_string(hand));
    FittingDefaults.FitPlanOption3 = hand;
    const std::uint8_t left = hand == 0 ? 3 : 0;
    const std::uint8_t right = hand == 0 ? 0 : 3;
    // Over the right leaf at 3W/4 + 12.5, over the left at W/4 - 12.5.
    const double mark = hand == 0 ? 1550 : 500;
    AtScales1And50(77, [&] {
      ASSERT_EQ(Out().size(), 11u);
      ExpectRealLines(0, {{0, 80, 1025, 80, false, left},
                          {0, 20, 1050, 20, false, left},
                          {0, 80, 0, 20, false, left},
                          {1050, 80, 1050, 20, false, left},
                          {1000, 80, 2050, 80, false, right},
                          {1000, 20, 2050, 20, false, right},
                          {1000, 80, 1000, 20, false, right},
                          {2050, 80, 2050, 20, false, right},
                          {0, 0, 2050, 0, true},
                          {0, 100, 2050, 100, true},
                          {mark, -90, mark, 190}});
    });
  }
}

// Counts: the bodies 11, 16, 21, 10, 11; end marks of type 3 add six; side
// boxes eight (kind 76 always). Neither the count nor the shared width
// changes anything.
TEST_F(SlidingSashesTest, CountsWithEndMarksAndSideBoxes) {
  FittingDefaults.FitLeafCount = 3;
  FittingDefaults.FitWidthIsTotal = 1;
  struct Case {
    std::uint8_t kind;
    std::size_t body;
  };
  for (const Case& c : {Case{62, 11}, Case{67, 16}, Case{68, 21}, Case{76, 10}, Case{77, 11}}) {
    SCOPED_TRACE(int{c.kind});
    FittingDefaults.FitPlanOption2 = 0;
    FittingDefaults.FitPlanOption1 = 0;
    Build(c.kind);
    EXPECT_EQ(Out().size(), c.body);
    FittingDefaults.FitPlanOption2 = 3;
    Build(c.kind);
    EXPECT_EQ(Out().size(), c.body + 6);
    FittingDefaults.FitPlanOption1 = 1;
    Build(c.kind);
    EXPECT_EQ(Out().size(), c.body + 6 + (c.kind == 76 ? 0 : 8));
  }
}

// Frame end marks at (0, 0) and (W, 0): type 2 steps J = 3 out, stubs 16
// up (scale 10); kind 62's side boxes follow them.
TEST_F(SlidingSashesTest, EndMarksThenSideBoxes) {
  FittingDefaults.FitPlanOption2 = 2;
  FittingDefaults.FitPlanOption1 = 1;
  Build(62);
  ASSERT_EQ(Out().size(), 21u);
  ExpectMarks(11, {{-3, 0, -3, 16}, {103, 0, 103, 16}});
  ExpectLines(13, {{-3, 0, -3, 10}, {0, 0, 0, 10}, {-3, 0, 0, 0}, {-3, 10, 0, 10}});
  ExpectLines(17, {{103, 0, 103, 10}, {100, 0, 100, 10}, {103, 0, 100, 0}, {103, 10, 100, 10}});
}

// Widths and boxes at scale 10 (W 100, J 3, D 10).
TEST_F(SlidingSashesTest, WidthsAndBoxes) {
  FittingDefaults.FitPlanOption5 = 0;
  struct Case {
    std::uint8_t kind;
    std::uint8_t overall;
    std::uint8_t sideFrames;
    double width;
    double gap;
  };
  const Case cases[] = {
      {62, 1, 0, 100, 0},                                          // overall alone keeps the width
      {62, 1, 1, 94, 3},                                           // 100 - 2 x 3
      {67, 0, 1, 100, 3}, {68, 1, 1, 94, 3},  {76, 0, 0, 100, 3},  // the side boxes always count
      {76, 1, 0, 94, 3},  {77, 0, 0, 205, 0},                      // 2 x (100 + 2.5)
      {77, 1, 0, 205, 0}, {77, 1, 1, 94, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + " overall " + std::to_string(c.overall) + " side " +
                 std::to_string(c.sideFrames));
    FittingDefaults.FitPlanOption6 = c.overall;
    FittingDefaults.FitPlanOption1 = c.sideFrames;
    const BoxSize box = MeasureBox(c.kind);
    EXPECT_NEAR(box.Width, c.width, 1e-12);
    EXPECT_NEAR(box.Gap, c.gap, 1e-12);
  }
  // No side gap: the offset box loses only its gap.
  FittingDefaults.FitPlanOption5 = 1;
  EXPECT_NEAR(MeasureBox(76).Gap, 0, 1e-12);
}

}  // namespace
