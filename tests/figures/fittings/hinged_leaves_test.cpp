// Hinged leaves, kinds 63 to 65: leaves and swings for one and two leaves,
// both hands and the split, jambs, end marks and side sections.

#include <gtest/gtest.h>

#include "figures/fittings/fitting_checks.h"

namespace {

class HingedLeavesTest : public FittingTest {
 protected:
  // The arc at i and its leaf line after it: the line runs from the arc's
  // centre to its point at 90 degrees.
  void ExpectLeaf(std::size_t i, Pt hinge, double r, float start, float end) {
    SCOPED_TRACE("leaf " + std::to_string(i));
    ASSERT_LT(i + 1, Out().size());
    const RDrawElement& arc = Out()[i];
    ExpectArc(arc, {kBaseX + hinge.x, kBaseY + hinge.y}, r, start, end);
    EXPECT_EQ(int{arc.ColorNo}, 4);
    EXPECT_EQ(int{arc.LineType}, 0);
    ExpectLines(i + 1, {{hinge.x, hinge.y, hinge.x, hinge.y + r}});
    ExpectPoint(Second(Out()[i + 1]), ArcPoint(arc, 90));
  }
};

// Kind 63: hinges at 5 in a frame 9 deep (W 100).
TEST_F(HingedLeavesTest, Kind63OneLeafWithRebatedJambs) {
  Build(63);
  ASSERT_EQ(Out().size(), 18u);
  ExpectLeaf(0, {0, 5}, 100, 0, 90);
  ExpectLines(2, {{1.5, 0, -2, 0},
                  {0, 9, -2, 9},
                  {-2, 0, -2, 9},
                  {0, 5, 1.5, 5},
                  {1.5, 0, 1.5, 5},
                  {0, 5, 0, 9},
                  {98.5, 0, 102, 0},
                  {100, 9, 102, 9},
                  {102, 0, 102, 9},
                  {100, 5, 98.5, 5},
                  {98.5, 0, 98.5, 5},
                  {100, 5, 100, 9},
                  {1.5, 0, 98.5, 0, true},
                  {1.5, 5, 98.5, 5, true},
                  {0, 9, 100, 9, true},
                  {50, -4.5, 50, 31.5}});
}

// Kind 64: hinges at T - 4 = 16 in a wall 20 thick.
TEST_F(HingedLeavesTest, Kind64RightHandWithWallReturns) {
  FittingDefaults.FitPlanOption3 = 1;
  Build(64);
  ASSERT_EQ(Out().size(), 13u);
  ExpectLeaf(0, {100, 16}, 100, 90, 180);
  ExpectLines(2, {{0, 0, -2, 0},
                  {0, 20, -2, 20},
                  {0, 0, 0, 20},
                  {0, 16, 1.5, 16},
                  {100, 0, 102, 0},
                  {100, 20, 102, 20},
                  {100, 0, 100, 20},
                  {100, 16, 98.5, 16},
                  {1.5, 16, 98.5, 16, true},
                  {0, 20, 100, 20, true},
                  {50, 1, 50, 37}});
}

// Kind 65 with its built-in side: the leaves and the mark only; hinges at
// D - 4 = 6, the mark from D/2 - 9 to D/2 + 27.
TEST_F(HingedLeavesTest, LeavesHandsAndSplits) {
  const struct {
    int hand, doubled;
    double split;  // real mm
    double rL, rR, xm;
  } cases[] = {
      {0, 0, 0, 100, 0, 50},     // one leaf hinged left
      {1, 0, 0, 0, 100, 50},     // one leaf hinged right; the mark stays
      {0, 1, 0, 50, 50, 50},     // two equal leaves
      {0, 1, -300, 50, 50, 50},  // a negative split halves too
      {0, 1, 300, 30, 70, 30},   // 300 / 10 on the left
      {1, 1, 300, 70, 30, 70},   // the other hand swaps the radii
      {1, 1, -300, 50, 50, 50},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.hand << " " << c.doubled << " " << c.split);
    FittingDefaults.FitPlanOption3 = static_cast<std::uint8_t>(c.hand);
    FittingDefaults.FitPlanOption4 = static_cast<std::uint8_t>(c.doubled);
    FittingDefaults.FitLeafSplit = c.split;
    Build(65);
    std::size_t i = 0;
    if (c.doubled != 0) {
      ASSERT_EQ(Out().size(), 5u);
      ExpectLeaf(0, {0, 6}, c.rL, 0, 90);
      ExpectLeaf(2, {100, 6}, c.rR, 90, 180);
      EXPECT_DOUBLE_EQ(double{Out()[0].Radius} + double{Out()[2].Radius}, 100);
      i = 4;
    } else {
      ASSERT_EQ(Out().size(), 3u);
      if (c.hand == 0) {
        ExpectLeaf(0, {0, 6}, 100, 0, 90);
      } else {
        ExpectLeaf(0, {100, 6}, 100, 90, 180);
      }
      i = 2;
    }
    ExpectLines(i, {{c.xm, -4, c.xm, 32}});
    // The same leaves stand in kinds 63 and 64, at their own hinge heights.
    Build(63);
    ExpectLines(Out().size() - 1, {{c.xm, -4.5, c.xm, 31.5}});
    Build(64);
    ExpectLines(Out().size() - 1, {{c.xm, 1, c.xm, 37}});
  }
}

TEST_F(HingedLeavesTest, OverallWidthAndBoxes) {
  FittingDefaults.FitPlanOption6 = 1;
  // Kinds 63 and 64 lose 40 / 10; kind 65 only with its side frames.
  Build(63);
  ExpectLeaf(0, {0, 5}, 96, 0, 90);
  Build(64);
  ExpectLeaf(0, {0, 16}, 96, 0, 90);
  Build(65);
  ExpectLeaf(0, {0, 6}, 100, 0, 90);
  FittingDefaults.FitPlanOption1 = 1;
  Build(65);
  ExpectLeaf(0, {0, 6}, 94, 0, 90);

  // Boxes (W, H, Gap): 63 (96, 9, 2), 64 (96, 7, 2), 65 (94, D 10, J 3);
  // code 0 puts the base point at the top left, Gap to the left.
  FittingDefaults.FitPlanOption5 = 0;
  DraftDefaults.FigureBasePoint = 0;
  const struct {
    std::uint8_t kind;
    double gap, height;
  } boxes[] = {{63, 2, 9}, {64, 2, 7}, {65, 3, 10}};
  for (const auto& b : boxes) {
    Build(b.kind);
    ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {b.gap, -b.height});
  }
  FittingDefaults.FitPlanOption1 = 0;
  Build(65);
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {0, -10});
}

// End marks: hinged, stubs 16 downward; the type-2 step is 2.5 for kinds
// 63 and 64 and J = 3 for kind 65; types 3 and 4 step J.
TEST_F(HingedLeavesTest, EndMarks) {
  FittingDefaults.FitPlanOption2 = 2;
  const struct {
    std::uint8_t kind;
    std::size_t body;
    double step;
  } cases[] = {{63, 18, 2.5}, {64, 13, 2.5}, {65, 3, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int{c.kind});
    Build(c.kind);
    ASSERT_EQ(Out().size(), c.body + 2);
    ExpectMarks(c.body, {{-c.step, 0, -c.step, -16}, {100 + c.step, 0, 100 + c.step, -16}});
  }
  // Type 3 with h = D = 10: x = -(3 + 2) and 100 + 5.
  FittingDefaults.FitPlanOption2 = 3;
  Build(64);
  ASSERT_EQ(Out().size(), 19u);
  ExpectMarks(13, {{-5, -11, -5, 11},
                   {-5, 11, 0, 12},
                   {0, 12, 0, 24},
                   {105, -11, 105, 11},
                   {105, 11, 100, 12},
                   {100, 12, 100, 24}});
}

// Side sections after the end marks: J 3 wide, D 10 deep.
TEST_F(HingedLeavesTest, SideSections) {
  FittingDefaults.FitPlanOption1 = 1;
  FittingDefaults.FitPlanOption2 = 1;
  Build(63);
  ASSERT_EQ(Out().size(), 28u);
  ExpectMarks(18, {{0, 0, 0, -16}, {100, 0, 100, -16}});
  ExpectLines(20, {{-2.5, 0, -2.5, -10},
                   {0.5, 0, 0.5, -10},
                   {-2.5, 0, 0.5, 0},
                   {-2.5, -10, 0.5, -10},
                   {102.5, 0, 102.5, -10},
                   {99.5, 0, 99.5, -10},
                   {102.5, 0, 99.5, 0},
                   {102.5, -10, 99.5, -10}});
  Build(64);
  ASSERT_EQ(Out().size(), 23u);
  ExpectLines(15, {{-3, 0, -3, -10},
                   {0, 0, 0, -10},
                   {-3, 0, 0, 0},
                   {-3, -10, 0, -10},
                   {103, 0, 103, -10},
                   {100, 0, 100, -10},
                   {103, 0, 100, 0},
                   {103, -10, 100, -10}});
  // Kind 65: its width loses nothing without the overall width; stops
  // between D - 4 = 6 and D - 7 = 3.
  Build(65);
  ASSERT_EQ(Out().size(), 21u);
  ExpectLines(5, {{-3, 0, -3, 10},
                  {0, 0, 0, 10},
                  {-3, 0, 0, 0},
                  {-3, 10, 0, 10},
                  {1, 6, 0, 6},
                  {1, 3, 0, 3},
                  {1, 6, 1, 3},
                  {103, 0, 103, 10},
                  {100, 0, 100, 10},
                  {103, 0, 100, 0},
                  {103, 10, 100, 10},
                  {99, 6, 100, 6},
                  {99, 3, 100, 3},
                  {99, 6, 99, 3},
                  {0, 10, 100, 10, true},
                  {1, 6, 99, 6, true}});
}

// Kind 63 keeps its frame 9 deep and kind 64 its box 7 high whatever the
// wall and frame depths are.
TEST_F(HingedLeavesTest, FixedDepths) {
  FittingDefaults.FitPlanSize1 = 500;
  FittingDefaults.FitPlanSize4 = 700;
  Build(63);
  ExpectLines(2, {{1.5, 0, -2, 0}, {0, 9, -2, 9}});
  DraftDefaults.FigureBasePoint = 0;
  Build(63);
  EXPECT_DOUBLE_EQ(fig_.OffsetY, -9);
  Build(64);
  EXPECT_DOUBLE_EQ(fig_.OffsetY, -7);
}

}  // namespace
