// Folding leaves, kind 74: the shape of a pair, the number of pairs by the
// real width, the lines after the pairs and the guard on the count.

#include <gtest/gtest.h>

#include <cmath>

#include "figures/fittings/fitting_checks.h"

namespace {

const double kCos75 = (std::sqrt(6.0) - std::sqrt(2.0)) / 4;  // = sin 15
const double kSin75 = (std::sqrt(6.0) + std::sqrt(2.0)) / 4;  // = cos 15

struct Vec {
  double x, y;
};

Vec Along(const RDrawElement& e) { return {e.X2 - e.X1, e.Y2 - e.Y1}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double Length(Vec a) { return std::sqrt(Dot(a, a)); }

class FoldingLeavesTest : public FittingTest {
 protected:
  // The number of pairs built: 8 lines each and 3 after them.
  std::size_t Pairs() const { return (Out().size() - 3) / 8; }
};

// One pair at W 100 (real 1000): L = 50, t = 2, on y0 = D - 2 = 8.
TEST_F(FoldingLeavesTest, OnePairStandsAsAnInvertedV) {
  Build(74);
  ASSERT_EQ(Out().size(), 11u);
  const double L = 50, t = 2;
  const auto& e = Out();
  // Edges at 75 and 105 degrees, L long, from the two bases.
  ExpectPoint(First(e[0]), {kBaseX, kBaseY + 8});
  ExpectPoint(Second(e[0]), {kBaseX + L * kCos75, kBaseY + 8 + L * kSin75});
  const double a = 2 * L * kCos75 + 2 * t * kSin75;
  ExpectPoint(First(e[4]), {kBaseX + a, kBaseY + 8});
  ExpectPoint(Second(e[4]), {kBaseX + a - L * kCos75, kBaseY + 8 + L * kSin75});
  for (int leaf = 0; leaf < 2; ++leaf) {
    SCOPED_TRACE(leaf);
    const RDrawElement& edge = e[4 * leaf];
    const RDrawElement& foot = e[4 * leaf + 1];
    const RDrawElement& upper = e[4 * leaf + 2];
    const RDrawElement& head = e[4 * leaf + 3];
    EXPECT_NEAR(Length(Along(edge)), L, 1e-9);
    EXPECT_NEAR(Length(Along(upper)), L, 1e-9);
    EXPECT_NEAR(Length(Along(foot)), t, 1e-9);
    EXPECT_NEAR(Length(Along(head)), t, 1e-9);
    // Feet and heads stand at right angles to the edges, downward.
    EXPECT_NEAR(Dot(Along(edge), Along(foot)), 0, 1e-9);
    EXPECT_NEAR(Dot(Along(edge), Along(head)), 0, 1e-9);
    EXPECT_LT(Along(foot).y, 0);
    ExpectPoint(First(foot), First(edge));
    ExpectPoint(First(upper), Second(foot));
    ExpectPoint(First(head), Second(edge));
    ExpectPoint(Second(head), Second(upper));
  }
  // The heads meet at x0 + L cos 75 + t cos 15.
  ExpectPoint(Second(e[3]), Second(e[7]));
  EXPECT_NEAR(double{e[3].X2}, kBaseX + L * kCos75 + t * kSin75, 1e-9);
  // Faces at D and D - 3.6, the mark from D/2 - 14 to D/2 + 14.
  ExpectLines(8, {{0, 10, 100, 10, true}, {0, 6.4, 100, 6.4, true}, {50, -9, 50, 19}});
  ExpectLines(0, {{0, 8, L * kCos75, 8 + L * kSin75}});
}

// The count follows the real width at every scale; a bound belongs to the
// smaller count.
TEST_F(FoldingLeavesTest, PairCountsByRealWidth) {
  const struct {
    double width;
    std::size_t pairs;
    double divisor;  // L = W / divisor
  } cases[] = {
      {1000, 1, 2},
      {1100, 1, 2},
      {1101, 2, 4},
      {1821, 2, 4},
      {1822, 3, 6},
      {2000, 3, 6},
      {2731, 3, 6},
      {2732, 4, 8},
      {3641, 4, 8},
      {3642, 5, 8},
      {4551, 5, 8},
      {4552, 11, 10},
      {5000, 13, 12},  // trunc(5000 / 450) =
                       // 11, odd: 12
      {5400, 13, 12},  // 12 exactly
  };
  for (double scale : {1.0, 7.0, 70.0, 100.0}) {
    fig_.SetStylesAndScale(styles_, scale);
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "scale " << scale << " width " << c.width);
      FittingDefaults.FitWidth = c.width;
      Build(74);
      ASSERT_EQ(Out().size(), 8 * c.pairs + 3);
      const double W = c.width / scale;
      const double L = W / c.divisor;
      const double t = 20 / scale;
      const double a = 2 * L * kCos75 + 2 * t * kSin75;
      // Where each pair starts, by the rows of the count.
      std::vector<double> starts;
      switch (c.pairs) {
        case 1: starts = {0}; break;
        case 2: starts = {0, W - a}; break;
        case 3: starts = {0, a, W - a}; break;
        case 4: starts = {0, a, W - 2 * a, W - a}; break;
        case 5: starts = {0, a, 2 * a, W - 2 * a, W - a}; break;
        default:
          for (std::size_t i = 0; i < c.pairs; ++i) starts.push_back(i * a);
      }
      const double tol = 1e-9 * std::max(1.0, W);
      for (std::size_t i = 0; i < c.pairs; ++i) {
        const RDrawElement& edge = Out()[8 * i];
        EXPECT_NEAR(double{edge.X1}, kBaseX + starts[i], tol) << "pair " << i;
        EXPECT_NEAR(double{edge.Y1}, kBaseY + (100 - 20) / scale, tol) << "pair " << i;
        EXPECT_NEAR(Length(Along(edge)), L, tol) << "pair " << i;
        EXPECT_NEAR(double{Out()[8 * i + 4].X1} - double{edge.X1}, a, tol) << "pair " << i;
      }
    }
  }
}

// With the width overall and side frames drawn, the count and W come from
// the width less both frames: 1160 - 60 = 1100, one pair.
TEST_F(FoldingLeavesTest, OverallWidthLosesTheSideFrames) {
  FittingDefaults.FitWidth = 1160;
  Build(74);
  EXPECT_EQ(Pairs(), 2u);
  FittingDefaults.FitPlanOption6 = 1;
  Build(74);
  EXPECT_EQ(Pairs(), 2u);
  FittingDefaults.FitPlanOption1 = 1;
  Build(74);
  ASSERT_EQ(Out().size(), 19u);  // one pair, 3 lines, 8 of the side boxes
  ExpectLines(8, {{0, 10, 110, 10, true}});
}

// End marks of the frame (stubs 16 upward) and side boxes at 0 and W.
TEST_F(FoldingLeavesTest, EndMarksAndSideBoxes) {
  FittingDefaults.FitPlanOption1 = 1;
  FittingDefaults.FitPlanOption2 = 1;
  Build(74);
  ASSERT_EQ(Out().size(), 21u);
  ExpectMarks(11, {{0, 0, 0, 16}, {100, 0, 100, 16}});
  ExpectLines(13, {{-3, 0, -3, 10},
                   {0, 0, 0, 10},
                   {-3, 0, 0, 0},
                   {-3, 10, 0, 10},
                   {103, 0, 103, 10},
                   {100, 0, 100, 10},
                   {103, 0, 100, 0},
                   {103, 10, 100, 10}});
  // The box: (W, D, J) with side frames, gap 0 without.
  FittingDefaults.FitPlanOption5 = 0;
  DraftDefaults.FigureBasePoint = 8;
  Build(74);
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {-103, 0});
  FittingDefaults.FitPlanOption1 = 0;
  Build(74);
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {-100, 0});
}

// A width too great for any real opening builds no pairs, and nothing is
// infinite.
TEST_F(FoldingLeavesTest, TooManyPairsBuildNone) {
  fig_.SetStylesAndScale(styles_, 1e9);
  FittingDefaults.FitWidth = 1e12;
  Build(74);
  ASSERT_EQ(Out().size(), 3u);
  EXPECT_TRUE(AllFinite(Out()));
  // The last count still built: 45,000,000 / 450 = 100000 pairs and one.
  fig_.SetStylesAndScale(styles_, 1e6);
  FittingDefaults.FitWidth = 45e6;
  Build(74);
  EXPECT_EQ(Pairs(), 100001u);
}

}  // namespace
