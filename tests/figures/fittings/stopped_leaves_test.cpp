// Leaves between stop blocks in a wall, kinds 61, 66 and 69: golden tables
// at one and two units and at two scales, counts, and the boxes.

#include <gtest/gtest.h>

#include "figures/fittings/fitting_checks.h"

namespace {

class StoppedLeavesTest : public FittingTest {
 protected:
  // The width of the offset box: code 4 puts the base point at its centre.
  double BoxWidth(std::uint8_t kind) {
    DraftDefaults.FigureBasePoint = 4;
    Build(kind);
    DraftDefaults.FigureBasePoint = 2;
    return -2 * fig_.OffsetX;
  }
};

// W 100, T 20 (middle 10), E 8, G 10; the bare 12.5, 15, 20, 25 and 180 of
// the kind are 1.25, 1.5, 2, 2.5 and 18 at scale 10.
TEST_F(StoppedLeavesTest, Kind61OneUnit) {
  Build(61);
  ASSERT_EQ(Out().size(), 22u);
  ExpectLines(0, {{0, 0, -9.5, 0},         {0, 20, -9.5, 20},     {-1.5, 0, -1.5, 20},     {-1.5, 12.5, 2.5, 12.5},
                  {-1.5, 10, 2.5, 10},     {2.5, 10, 2.5, 12.5},  {48, 7.5, 52, 7.5},      {48, 10, 52, 10},
                  {48, 12.5, 52, 12.5},    {48, 7.5, 48, 12.5},   {52, 7.5, 52, 12.5},     {50, -8, 50, 28},
                  {100, 0, 109.5, 0},      {100, 20, 109.5, 20},  {101.5, 0, 101.5, 20},   {101.5, 10, 97.5, 10},
                  {101.5, 7.5, 97.5, 7.5}, {97.5, 10, 97.5, 7.5}, {2.5, 11.25, 48, 11.25}, {52, 8.75, 97.5, 8.75},
                  {0, 20, 100, 20, true},  {0, 0, 100, 0, true}});
  EXPECT_DOUBLE_EQ(BoxWidth(61), 100);
}

// The first unit's right wall spans the gap; the last unit has no left wall.
TEST_F(StoppedLeavesTest, Kind61TwoUnitsCloseTheGapFromTheFirst) {
  FittingDefaults.FitLeafCount = 2;
  Build(61);
  ASSERT_EQ(Out().size(), 42u);  // 22 + 20
  ExpectLines(12, {{100, 0, 110, 0}, {100, 20, 110, 20}});
  ExpectLines(22, {{108.5, 0, 108.5, 20}, {108.5, 12.5, 112.5, 12.5}});
  ExpectLines(32, {{210, 0, 219.5, 0}, {210, 20, 219.5, 20}});
  ExpectLines(40, {{110, 20, 210, 20, true}, {110, 0, 210, 0, true}});
  EXPECT_DOUBLE_EQ(BoxWidth(61), 210);  // 2 x 100 + 10
}

// The real tables: W 1000, G 100, T 80 (middle 40), E 80 (E + 15 = 95).
class RealStoppedLeavesTest : public StoppedLeavesTest {
 protected:
  RealStoppedLeavesTest() { FittingDefaults.FitPlanSize1 = 80; }
};

TEST_F(RealStoppedLeavesTest, Kind61OneUnitAtTwoScales) {
  AtScales1And50(61, [&] {
    ASSERT_EQ(Out().size(), 22u);
    ExpectRealLines(0, {{0, 0, -95, 0},          {0, 80, -95, 80},     {-15, 0, -15, 80},     {-15, 65, 25, 65},
                        {-15, 40, 25, 40},       {25, 40, 25, 65},     {480, 15, 520, 15},    {480, 40, 520, 40},
                        {480, 65, 520, 65},      {480, 15, 480, 65},   {520, 15, 520, 65},    {500, -140, 500, 220},
                        {1000, 0, 1095, 0},      {1000, 80, 1095, 80}, {1015, 0, 1015, 80},   {1015, 40, 975, 40},
                        {1015, 15, 975, 15},     {975, 40, 975, 15},   {25, 52.5, 480, 52.5}, {520, 27.5, 975, 27.5},
                        {0, 80, 1000, 80, true}, {0, 0, 1000, 0, true}});
  });
}

// Unit 0's right walls span the gap (1000 to 1100); unit 1 has no left walls.
TEST_F(RealStoppedLeavesTest, Kind61TwoUnitsAtTwoScales) {
  FittingDefaults.FitLeafCount = 2;
  AtScales1And50(61, [&] {
    ASSERT_EQ(Out().size(), 42u);  // 22 + 20
    ExpectRealLines(12, {{1000, 0, 1100, 0}, {1000, 80, 1100, 80}});
    ExpectRealLines(22, {{1085, 0, 1085, 80}});
    ExpectRealLines(32, {{2100, 0, 2195, 0}, {2100, 80, 2195, 80}});
  });
}

TEST_F(RealStoppedLeavesTest, Kind66OneUnitAtTwoScales) {
  AtScales1And50(66, [&] {
    ASSERT_EQ(Out().size(), 37u);
    ExpectRealLines(0, {{0, 0, -95, 0},
                        {0, 80, -95, 80},
                        {-15, 0, -15, 80},
                        {-15, 65, 25, 65},
                        {-15, 40, 25, 40},
                        {25, 40, 25, 65},
                        // first centre block at W/4 = 250
                        {230, 15, 270, 15},
                        {230, 40, 270, 40},
                        {230, 65, 270, 65},
                        {230, 15, 230, 65},
                        {270, 15, 270, 65},
                        {250, -140, 250, 220},
                        // double stop at W/2 = 500
                        {500, 40, 475, 40},
                        {500, 15, 475, 15},
                        {475, 40, 475, 15},
                        {500, 40, 525, 40},
                        {500, 15, 525, 15},
                        {525, 40, 525, 15},
                        {500, -140, 500, 220},
                        // second centre block at 3W/4 = 750
                        {730, 15, 770, 15},
                        {730, 40, 770, 40},
                        {730, 65, 770, 65},
                        {730, 15, 730, 65},
                        {770, 15, 770, 65},
                        {750, -140, 750, 220},
                        {1000, 0, 1095, 0},
                        {1000, 80, 1095, 80},
                        {1015, 0, 1015, 80},
                        {1015, 65, 975, 65},
                        {1015, 40, 975, 40},
                        {975, 40, 975, 65},
                        {25, 52.5, 230, 52.5},
                        {270, 27.5, 475, 27.5},
                        {525, 27.5, 730, 27.5},
                        {770, 52.5, 975, 52.5},
                        {0, 80, 1000, 80, true},
                        {0, 0, 1000, 0, true}});
  });
}

// Each side of the gap (1000 to 1100) runs to its middle, 1050.
TEST_F(RealStoppedLeavesTest, Kind66TwoUnitsCloseTheGapByHalves) {
  FittingDefaults.FitLeafCount = 2;
  AtScales1And50(66, [&] {
    ASSERT_EQ(Out().size(), 74u);
    ExpectRealLines(0, {{0, 0, -95, 0}, {0, 80, -95, 80}});
    ExpectRealLines(25, {{1000, 0, 1050, 0}, {1000, 80, 1050, 80}});
    ExpectRealLines(37, {{1100, 0, 1050, 0}, {1100, 80, 1050, 80}, {1085, 0, 1085, 80}});
    ExpectRealLines(62, {{2100, 0, 2195, 0}, {2100, 80, 2195, 80}});
    ExpectRealLines(72, {{1100, 80, 2100, 80, true}, {1100, 0, 2100, 0, true}});
  });
}

TEST_F(RealStoppedLeavesTest, Kind69OneUnitAtTwoScales) {
  AtScales1And50(69, [&] {
    ASSERT_EQ(Out().size(), 15u);
    ExpectRealLines(0, {{0, 0, -95, 0},
                        {-15, 80, -95, 80},
                        {-15, 0, -15, 80},
                        {-15, 22.5, 35, 22.5},
                        {-15, 57.5, 35, 57.5},
                        {35, 22.5, 35, 57.5},
                        {1000, 0, 1095, 0},
                        {1015, 80, 1095, 80},
                        {1015, 0, 1015, 80},
                        {1015, 57.5, 965, 57.5},
                        {1015, 22.5, 965, 22.5},
                        {965, 57.5, 965, 22.5},
                        {35, 40, 965, 40},
                        {-15, 80, 1015, 80, true},
                        {0, 0, 1000, 0, true}});
  });
}

// The upper half-gap lines start at the closing lines, 15 inside the gap.
TEST_F(RealStoppedLeavesTest, Kind69TwoUnitsCloseTheGapByHalves) {
  FittingDefaults.FitLeafCount = 2;
  AtScales1And50(69, [&] {
    ASSERT_EQ(Out().size(), 30u);
    ExpectRealLines(6, {{1000, 0, 1050, 0}, {1015, 80, 1050, 80}});
    ExpectRealLines(15, {{1100, 0, 1050, 0}, {1085, 80, 1050, 80}, {1085, 0, 1085, 80}});
    ExpectRealLines(21, {{2100, 0, 2195, 0}, {2115, 80, 2195, 80}});
  });
}

// Per unit: kind 61 22 lines but 20 for the last of two or more, kind 66
// 37, kind 69 15; end marks of type 3 add six, pockets six.
TEST_F(StoppedLeavesTest, CountsPerUnitWithEndMarksAndPockets) {
  FittingDefaults.FitPlanOption2 = 3;
  FittingDefaults.FitPlanOption1 = 1;
  struct Case {
    std::uint8_t kind;
    int n;
    std::size_t lines;
  };
  const Case cases[] = {
      {61, 1, 22 + 12},  {61, 2, 42 + 12}, {61, 3, 64 + 12}, {66, 1, 37 + 12}, {66, 2, 74 + 12},
      {66, 3, 111 + 12}, {69, 1, 15 + 12}, {69, 2, 30 + 12}, {69, 4, 60 + 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + " x " + std::to_string(c.n));
    FittingDefaults.FitLeafCount = static_cast<std::uint8_t>(c.n);
    Build(c.kind);
    EXPECT_EQ(Out().size(), c.lines);
  }
}

// End marks and pockets stand 15 beyond the outer closing lines: with
// n = 2 at scale 10 the right anchor is 2 x 100 + 10 + 1.5 = 211.5.
TEST_F(StoppedLeavesTest, EndMarksAndPocketsBeyondTheClosingLines) {
  FittingDefaults.FitLeafCount = 2;
  FittingDefaults.FitPlanOption2 = 1;
  FittingDefaults.FitPlanOption1 = 1;
  for (std::uint8_t kind : {66, 69}) {
    SCOPED_TRACE(int{kind});
    Build(kind);
    const std::size_t body = kind == 66 ? 74 : 30;
    ASSERT_EQ(Out().size(), body + 2 + 6);
    // Stubs 2T + 4 = 44 high; pockets J = 3 wide, D = 10 deep.
    ExpectMarks(body, {{-1.5, 0, -1.5, 44}, {211.5, 0, 211.5, 44}});
    ExpectLines(body + 2, {{-4.5, 0, -4.5, -10},
                           {-1.5, 0, -1.5, -10},
                           {-4.5, -10, -1.5, -10},
                           {211.5, 0, 211.5, -10},
                           {214.5, 0, 214.5, -10},
                           {211.5, -10, 214.5, -10}});
  }
}

// Box (total width, T, E + 15): n = 2 gives 210 wide, its gap 8 + 1.5.
TEST_F(StoppedLeavesTest, BoxesOfTheThreeKinds) {
  FittingDefaults.FitPlanOption5 = 0;
  FittingDefaults.FitLeafCount = 2;
  for (std::uint8_t kind : {61, 66, 69}) {
    SCOPED_TRACE(int{kind});
    const BoxSize box = MeasureBox(kind);
    EXPECT_NEAR(box.Width, 210, 1e-12);
    EXPECT_NEAR(box.Gap, 9.5, 1e-12);
  }
  // With the width overall, less 2 x (80 + 15) each unit: 81 + 10 + 81.
  FittingDefaults.FitPlanOption6 = 1;
  EXPECT_NEAR(MeasureBox(66).Width, 172, 1e-12);
}

}  // namespace
