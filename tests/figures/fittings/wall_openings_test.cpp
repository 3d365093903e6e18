// Openings in a wall, kinds 70, 71 and 75: golden tables at one, two and
// three units, the shared width, the overall width and the boxes.

#include <gtest/gtest.h>

#include "figures/fittings/fitting_checks.h"

namespace {

class WallOpeningsTest : public FittingTest {
 protected:
  // The width of the offset box: code 4 puts the base point at its centre.
  double BoxWidth(std::uint8_t kind) {
    DraftDefaults.FigureBasePoint = 4;
    Build(kind);
    DraftDefaults.FigureBasePoint = 2;
    return -2 * fig_.OffsetX;
  }
};

// W 100, T 20, E 8, G 10; units at a pitch of 110.
TEST_F(WallOpeningsTest, Kind70OneUnit) {
  Build(70);
  ASSERT_EQ(Out().size(), 9u);
  ExpectLines(0, {{0, 0, -8, 0},
                  {0, 20, -8, 20},
                  {0, 0, 0, 20},
                  {100, 0, 108, 0},
                  {100, 20, 108, 20},
                  {100, 0, 100, 20},
                  {0, 10, 100, 10},
                  {0, 20, 100, 20, true},
                  {0, 0, 100, 0, true}});
  EXPECT_DOUBLE_EQ(BoxWidth(70), 100);
}

TEST_F(WallOpeningsTest, Kind70TwoUnitsMeetHalfWayAcrossTheGap) {
  FittingDefaults.FitLeafCount = 2;
  Build(70);
  ASSERT_EQ(Out().size(), 18u);
  ExpectLines(0, {{0, 0, -8, 0},
                  {0, 20, -8, 20},
                  {0, 0, 0, 20},
                  {100, 0, 105, 0},
                  {100, 20, 105, 20},
                  {100, 0, 100, 20},
                  {0, 10, 100, 10},
                  {0, 20, 100, 20, true},
                  {0, 0, 100, 0, true},
                  {110, 0, 105, 0},
                  {110, 20, 105, 20},
                  {110, 0, 110, 20},
                  {210, 0, 218, 0},
                  {210, 20, 218, 20},
                  {210, 0, 210, 20},
                  {110, 10, 210, 10},
                  {110, 20, 210, 20, true},
                  {110, 0, 210, 0, true}});
  EXPECT_DOUBLE_EQ(BoxWidth(70), 210);  // 2 x 100 + 10
}

TEST_F(WallOpeningsTest, Kind70ThreeUnits) {
  FittingDefaults.FitLeafCount = 3;
  Build(70);
  ASSERT_EQ(Out().size(), 27u);
  ExpectLines(9, {{110, 0, 105, 0},
                  {110, 20, 105, 20},
                  {110, 0, 110, 20},
                  {210, 0, 215, 0},
                  {210, 20, 215, 20},
                  {210, 0, 210, 20},
                  {110, 10, 210, 10},
                  {110, 20, 210, 20, true},
                  {110, 0, 210, 0, true},
                  {220, 0, 215, 0},
                  {220, 20, 215, 20},
                  {220, 0, 220, 20},
                  {320, 0, 328, 0},
                  {320, 20, 328, 20},
                  {320, 0, 320, 20},
                  {220, 10, 320, 10},
                  {220, 20, 320, 20, true},
                  {220, 0, 320, 0, true}});
  // Both half-gap pairs of each gap end at its middle.
  for (int gap = 0; gap < 2; ++gap) {
    const double middle = kBaseX + 105 + 110 * gap;
    for (int row = 0; row < 2; ++row) {
      EXPECT_DOUBLE_EQ(double{Out()[9 * gap + 3 + row].X2}, middle);
      EXPECT_DOUBLE_EQ(double{Out()[9 * (gap + 1) + row].X2}, middle);
    }
  }
  EXPECT_DOUBLE_EQ(BoxWidth(70), 320);
}

TEST_F(WallOpeningsTest, Kind71OneUnit) {
  Build(71);
  ASSERT_EQ(Out().size(), 11u);
  ExpectLines(0, {{0, 0, -8, 0},
                  {0, 20, -8, 20},
                  {-8, 0, -8, 20},
                  {0, 0, 0, 1.5},
                  {0, 18.5, 0, 20},
                  {100, 0, 108, 0},
                  {100, 20, 108, 20},
                  {108, 0, 108, 20},
                  {100, 0, 100, 1.5},
                  {100, 18.5, 100, 20},
                  {-1.5, 10, 101.5, 10}});
  EXPECT_DOUBLE_EQ(BoxWidth(71), 100);
}

TEST_F(WallOpeningsTest, Kind71TwoUnits) {
  FittingDefaults.FitLeafCount = 2;
  Build(71);
  ASSERT_EQ(Out().size(), 21u);
  ExpectLines(0,
              {{0, 0, -8, 0},         {0, 20, -8, 20},    {-8, 0, -8, 20},    {0, 0, 0, 1.5},     {0, 18.5, 0, 20},
               {100, 0, 105, 0},      {100, 20, 105, 20}, {105, 0, 105, 20},  {100, 0, 100, 1.5}, {100, 18.5, 100, 20},
               {-1.5, 10, 101.5, 10}, {110, 0, 105, 0},   {110, 20, 105, 20}, {110, 0, 110, 1.5}, {110, 18.5, 110, 20},
               {210, 0, 218, 0},      {210, 20, 218, 20}, {218, 0, 218, 20},  {210, 0, 210, 1.5}, {210, 18.5, 210, 20},
               {108.5, 10, 211.5, 10}});
  EXPECT_DOUBLE_EQ(BoxWidth(71), 210);
}

// The middle unit draws a mid-gap line at its left as well: the first gap
// gets it twice.
TEST_F(WallOpeningsTest, Kind71ThreeUnits) {
  FittingDefaults.FitLeafCount = 3;
  Build(71);
  ASSERT_EQ(Out().size(), 32u);
  ExpectLines(11,
              {{110, 0, 105, 0},       {110, 20, 105, 20}, {105, 0, 105, 20},  {110, 0, 110, 1.5}, {110, 18.5, 110, 20},
               {210, 0, 215, 0},       {210, 20, 215, 20}, {215, 0, 215, 20},  {210, 0, 210, 1.5}, {210, 18.5, 210, 20},
               {108.5, 10, 211.5, 10}, {220, 0, 215, 0},   {220, 20, 215, 20}, {220, 0, 220, 1.5}, {220, 18.5, 220, 20},
               {320, 0, 328, 0},       {320, 20, 328, 20}, {328, 0, 328, 20},  {320, 0, 320, 1.5}, {320, 18.5, 320, 20},
               {218.5, 10, 321.5, 10}});
  ExpectLines(7, {{105, 0, 105, 20}});
  EXPECT_DOUBLE_EQ(BoxWidth(71), 320);
}

TEST_F(WallOpeningsTest, Kind75DrawsOneOpeningWhateverTheCount) {
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    FittingDefaults.FitLeafCount = static_cast<std::uint8_t>(n);
    Build(75);
    ASSERT_EQ(Out().size(), 3u);
    ExpectLines(0, {{-8, 20, 108, 20, true}, {-8, 0, -8, 20}, {108, 0, 108, 20}});
    EXPECT_DOUBLE_EQ(BoxWidth(75), 110.0 * n - 10);
  }
  // Neither end marks nor side frames.
  FittingDefaults.FitPlanOption1 = 1;
  FittingDefaults.FitPlanOption2 = 3;
  Build(75);
  EXPECT_EQ(Out().size(), 3u);
}

// With the width shared, two units of (100 - 10) / 2 = 45 fill the box of
// 100.
TEST_F(WallOpeningsTest, SharedWidth) {
  FittingDefaults.FitLeafCount = 2;
  FittingDefaults.FitWidthIsTotal = 1;
  Build(70);
  ASSERT_EQ(Out().size(), 18u);
  ExpectLines(0, {{0, 0, -8, 0}, {0, 20, -8, 20}, {0, 0, 0, 20}, {45, 0, 50, 0}, {45, 20, 50, 20}});
  ExpectLines(9, {{55, 0, 50, 0}, {55, 20, 50, 20}, {55, 0, 55, 20}, {100, 0, 108, 0}});
  EXPECT_DOUBLE_EQ(BoxWidth(70), 100);
  Build(71);
  ASSERT_EQ(Out().size(), 21u);
  ExpectLines(11, {{55, 0, 50, 0}, {55, 20, 50, 20}, {55, 0, 55, 1.5}});
  ExpectLines(20, {{53.5, 10, 101.5, 10}});
  EXPECT_DOUBLE_EQ(BoxWidth(71), 100);
  Build(75);
  ExpectLines(0, {{-8, 20, 53, 20, true}, {-8, 0, -8, 20}, {53, 0, 53, 20}});
  EXPECT_DOUBLE_EQ(BoxWidth(75), 100);
}

// Overall width: kinds 70 and 71 lose both wall extensions (1000 - 160),
// kind 75 both extensions and 15 more each side (1000 - 190).
TEST_F(WallOpeningsTest, OverallWidth) {
  FittingDefaults.FitPlanOption6 = 1;
  Build(70);
  ExpectLines(3, {{84, 0, 92, 0}});
  EXPECT_DOUBLE_EQ(BoxWidth(70), 84);
  Build(75);
  ExpectLines(0, {{-8, 20, 89, 20, true}});
  EXPECT_DOUBLE_EQ(BoxWidth(75), 81);
  // Shared as well: units of (81 - 10) / 2 = 35.5; the box keeps the
  // settings' width.
  FittingDefaults.FitLeafCount = 2;
  FittingDefaults.FitWidthIsTotal = 1;
  Build(75);
  ExpectLines(0, {{-8, 20, 43.5, 20, true}, {-8, 0, -8, 20}, {43.5, 0, 43.5, 20}});
  EXPECT_DOUBLE_EQ(BoxWidth(75), 100);
}

// Without units: no opening, the end marks and pockets stand as for one
// unit, the box is -G wide; with the width shared the unit width is 0.
TEST_F(WallOpeningsTest, NoUnits) {
  FittingDefaults.FitLeafCount = 0;
  FittingDefaults.FitPlanOption1 = 1;
  FittingDefaults.FitPlanOption2 = 1;
  Build(70);
  ASSERT_EQ(Out().size(), 8u);
  // Stubs 2T + 4 = 44 upward; pockets J 3 wide, D 10 deep.
  ExpectMarks(0, {{0, 0, 0, 44}, {100, 0, 100, 44}});
  ExpectLines(2, {{-3, 0, -3, -10},
                  {0, 0, 0, -10},
                  {-3, -10, 0, -10},
                  {100, 0, 100, -10},
                  {103, 0, 103, -10},
                  {100, -10, 103, -10}});
  EXPECT_DOUBLE_EQ(BoxWidth(70), -10);
  Build(71);
  ASSERT_EQ(Out().size(), 8u);
  ExpectMarks(0, {{0, 0, 0, 44}, {100, 0, 100, 44}});
  Build(75);
  ExpectLines(0, {{-8, 20, 108, 20, true}});
  EXPECT_DOUBLE_EQ(BoxWidth(75), -10);

  FittingDefaults.FitWidthIsTotal = 1;
  Build(70);
  ASSERT_EQ(Out().size(), 8u);
  ExpectMarks(0, {{0, 0, 0, 44}, {0, 0, 0, 44}});
  EXPECT_DOUBLE_EQ(BoxWidth(70), 100);
  Build(75);
  ExpectLines(0, {{-8, 20, 8, 20, true}, {-8, 0, -8, 20}, {8, 0, 8, 20}});
  EXPECT_TRUE(AllFinite(Out()));
}

// The end marks and pockets of the repeated kinds stand at 0 and at the
// total width.
TEST_F(WallOpeningsTest, EndMarksAndPocketsAtBothEnds) {
  FittingDefaults.FitLeafCount = 2;
  FittingDefaults.FitPlanOption1 = 1;
  FittingDefaults.FitPlanOption2 = 2;
  for (std::uint8_t kind : {70, 71}) {
    SCOPED_TRACE(int{kind});
    Build(kind);
    const std::size_t body = kind == 70 ? 18 : 21;
    ASSERT_EQ(Out().size(), body + 8);
    // Type 2 steps E = 8 outward.
    ExpectMarks(body, {{-8, 0, -8, 44}, {218, 0, 218, 44}});
    ExpectLines(body + 2, {{-3, 0, -3, -10},
                           {0, 0, 0, -10},
                           {-3, -10, 0, -10},
                           {210, 0, 210, -10},
                           {213, 0, 213, -10},
                           {210, -10, 213, -10}});
  }
}

}  // namespace
