// The post symbol, kind 50, on a 3 x 2 box: every shape's segments, the
// hatch, the corner shapes, the turn about the reference corner, the
// colours and line types, and a pitch that gives no sound count.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "figures/fittings/fitting_checks.h"
#include "geometry/angles_points.h"

namespace {

class PostSymbolTest : public FittingTest {
 protected:
  // At scale 10: corner 0.5, notch 0.4 wide and 0.3 high; outline colour
  // 2 in line type 3, inner colour 4 in line type 5.
  PostSymbolTest() {
    PostSymbolDefaults.PostCorner1 = 2;
    PostSymbolDefaults.PostCorner2 = 3;
    PostSymbolDefaults.PostCorner3 = 4;
    PostSymbolDefaults.PostCorner4 = 5;
    PostSymbolDefaults.PostCornerSize1 = 5;
    PostSymbolDefaults.PostCornerSize2 = 4;
    PostSymbolDefaults.PostCornerSize3 = 3;
    PostSymbolDefaults.PostHatchPitch = 1;
  }

  // D1 is the height, D2 the width.
  void BuildPost(int shape, double angle = 0.0) {
    PostSymbolDefaults.PostShape = static_cast<std::uint8_t>(shape);
    fig_.Generate(50, kBaseX, kBaseY, 2, 3, 0, 0, 0, 0, angle);
  }

  // Lines from..: local points moved by the base point.
  void ExpectPostLines(std::size_t from, const std::vector<LocalLine>& want) const {
    ASSERT_LE(from + want.size(), Out().size());
    for (std::size_t i = 0; i < want.size(); ++i) {
      SCOPED_TRACE(from + i);
      const LocalLine& w = want[i];
      ExpectLine(Out()[from + i], {kBaseX + w.x1, kBaseY + w.y1}, {kBaseX + w.x2, kBaseY + w.y2});
    }
  }
};

// Base-point code 2: the box corner is the base point.
TEST_F(PostSymbolTest, SegmentsOfEveryShape) {
  const std::vector<LocalLine> outline = {{0, 0, 0, 2}, {3, 0, 3, 2}, {0, 0, 3, 0}, {0, 2, 3, 2}};
  auto with = [&](std::vector<LocalLine> more) {
    std::vector<LocalLine> all = outline;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  const std::vector<LocalLine> notched = {{0, 0.3, 0, 1.7},   {3, 0.3, 3, 1.7},   {0.4, 0, 2.6, 0},
                                          {0.4, 2, 2.6, 2},   {0, 0.3, 0.4, 0.3}, {0.4, 0, 0.4, 0.3},
                                          {3, 0.3, 2.6, 0.3}, {2.6, 0, 2.6, 0.3}, {0, 1.7, 0.4, 1.7},
                                          {0.4, 2, 0.4, 1.7}, {3, 1.7, 2.6, 1.7}, {2.6, 2, 2.6, 1.7}};
  // A chamfer of 0.5 cuts sqrt(0.125) off each side.
  const double k = std::sqrt(0.125);
  const std::vector<LocalLine> chamfered = {{0, k, 0, 2 - k}, {3, k, 3, 2 - k}, {k, 0, 3 - k, 0}, {k, 2, 3 - k, 2},
                                            {0, k, k, 0},     {3 - k, 0, 3, k}, {0, 2 - k, k, 2}, {3 - k, 2, 3, 2 - k}};
  const struct {
    int shape;
    std::vector<LocalLine> lines;
  } cases[] = {
      {0, with({{0, 2, 3, 0}})},
      {1, with({{0, 2, 3, 0}, {0, 0, 3, 2}})},
      {3, notched},
      {4, chamfered},
      {6, outline},
      {255, outline},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shape);
    BuildPost(c.shape);
    ASSERT_EQ(Out().size(), c.lines.size());
    ExpectPostLines(0, c.lines);
    for (std::size_t i = 0; i < Out().size(); ++i) {
      const bool inner = i > 3 && c.shape < 3;
      EXPECT_EQ(int{Out()[i].ColorNo}, inner ? 4 : 2);
      EXPECT_EQ(int{Out()[i].LineType}, inner ? 5 : 3);
      EXPECT_EQ(int{Out()[i].Layer}, 0);
      EXPECT_EQ(int{Out()[i].LineTag}, 0);
    }
  }
  // The chamfers are 0.5 long.
  BuildPost(4);
  for (std::size_t i = 4; i < 8; ++i) {
    EXPECT_NEAR(PointDistance(Out()[i].X1, Out()[i].Y1, Out()[i].X2, Out()[i].Y2), 0.5, 1e-12);
  }
}

// Rounded corners: sides 0.5 short of each corner, arcs of radius 0.5
// about the corner centres, each ending on the two sides beside it.
TEST_F(PostSymbolTest, RoundedCorners) {
  BuildPost(5);
  ASSERT_EQ(Out().size(), 8u);
  ExpectPostLines(0, {{0, 0.5, 0, 1.5}, {3, 0.5, 3, 1.5}, {0.5, 0, 2.5, 0}, {0.5, 2, 2.5, 2}});
  const Pt centres[4] = {{2.5, 1.5}, {0.5, 1.5}, {0.5, 0.5}, {2.5, 0.5}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const RDrawElement& arc = Out()[4 + i];
    ExpectArc(arc, {kBaseX + centres[i].x, kBaseY + centres[i].y}, 0.5, 90.0f * i, 90.0f * i + 90);
    EXPECT_EQ(int{arc.ColorNo}, 2);
    EXPECT_EQ(int{arc.LineType}, 3);
    // Its ends meet the ends of the sides beside it.
    for (double a : {90.0 * i, 90.0 * i + 90}) {
      const Pt end = ArcPoint(arc, a);
      double nearest = 1e9;
      for (int s = 0; s < 4; ++s) {
        nearest = std::min({nearest, PointDistance(end.x, end.y, Out()[s].X1, Out()[s].Y1),
                            PointDistance(end.x, end.y, Out()[s].X2, Out()[s].Y2)});
      }
      EXPECT_NEAR(nearest, 0, 1e-9);
    }
  }
}

// The hatch at pitch 1 on the 3 x 2 box: the diagonal sqrt(13) gives 3
// tries, and each k with k x sqrt(2) <= 5 crosses two sides:
// y = x + 2 - k sqrt(2).
TEST_F(PostSymbolTest, Hatch) {
  BuildPost(2);
  ASSERT_EQ(Out().size(), 7u);
  const double r = std::sqrt(2.0);
  ExpectPostLines(4, {{0, 2 - r, r, 2}, {2 * r - 2, 0, 2 * r, 2}, {3, 5 - 3 * r, 3 * r - 2, 0}});
  for (std::size_t i = 4; i < 7; ++i) {
    const RDrawElement& e = Out()[i];
    // At 45 degrees, a pitch apart.
    EXPECT_NEAR(std::abs(double{e.Y2} - double{e.Y1}), std::abs(double{e.X2} - double{e.X1}), 1e-9);
    EXPECT_EQ(int{e.ColorNo}, 4);
    EXPECT_EQ(int{e.LineType}, 5);
    if (i > 4) {
      const RDrawElement& p = Out()[i - 1];
      const double gap = std::abs((double{e.Y1} - double{e.X1}) - (double{p.Y1} - double{p.X1})) / r;
      EXPECT_NEAR(gap, 1.0, 1e-9);
    }
  }
  // Pitch 0.5 on the same box: k <= Trunc(3.6 / 0.5) = 7 and
  // k x 0.5 x sqrt(2) <= 5 for k up to 7.
  PostSymbolDefaults.PostHatchPitch = 0.5;
  BuildPost(2);
  EXPECT_EQ(Out().size(), 4u + 7u);
  // Pitch 3: the diagonal is shorter than 2 pitches; one try at
  // 3 sqrt(2) = 4.24 <= 5 crosses the box.
  PostSymbolDefaults.PostHatchPitch = 3;
  BuildPost(2);
  ASSERT_EQ(Out().size(), 5u);
  ExpectPostLines(4, {{3, 5 - 3 * r, 3 * r - 2, 0}});
}

// A pitch of 0, one that is not finite, negative, or so large that the
// reference line is too short to offset: the outline alone.
TEST_F(PostSymbolTest, PitchWithoutHatch) {
  for (double pitch :
       {0.0, -1.0, 1e4, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(), 1e-300}) {
    SCOPED_TRACE(pitch);
    PostSymbolDefaults.PostHatchPitch = pitch;
    BuildPost(2, 30);
    EXPECT_EQ(Out().size(), 4u);
    EXPECT_TRUE(AllFinite(Out()));
  }
}

// At 30 degrees the figure is the unturned one turned about the reference
// corner; with code 4 the base point stays at the centre of the turned box.
TEST_F(PostSymbolTest, TurnAboutTheReferenceCorner) {
  for (int shape = 0; shape <= 6; ++shape) {
    SCOPED_TRACE(shape);
    BuildPost(shape);
    const std::vector<RDrawElement> flat = Out();
    BuildPost(shape, 30);
    ASSERT_EQ(Out().size(), flat.size());
    for (std::size_t i = 0; i < flat.size(); ++i) {
      Pt p1 = First(flat[i]);
      RotateAboutCentre(p1.x, p1.y, 30, kBaseX, kBaseY);
      ExpectPoint(First(Out()[i]), p1);
      if (flat[i].Kind == kKindArc) {
        ExpectArc(Out()[i], p1, 0.5, flat[i].StartAngle, flat[i].EndAngle, 30.0f);
      } else {
        Pt p2 = Second(flat[i]);
        RotateAboutCentre(p2.x, p2.y, 30, kBaseX, kBaseY);
        ExpectPoint(Second(Out()[i]), p2);
      }
    }
  }
  DraftDefaults.FigureBasePoint = 4;
  BuildPost(6, 30);
  double sx = 0.0;
  double sy = 0.0;
  for (int i = 0; i < 4; ++i) {
    sx += Out()[i].X1 + Out()[i].X2;
    sy += Out()[i].Y1 + Out()[i].Y2;
  }
  ExpectPoint({sx / 8, sy / 8}, {kBaseX, kBaseY});
}

// Twice the scale halves the corners but not the box, which comes in
// paper millimetres.
TEST_F(PostSymbolTest, ScaleDividesTheCornersOnly) {
  fig_.SetStylesAndScale(styles_, 20);
  BuildPost(5);
  ExpectPostLines(0, {{0, 0.25, 0, 1.75}});
  ExpectArc(Out()[4], {kBaseX + 2.75, kBaseY + 1.75}, 0.25, 0, 90);
  // The pitch is a paper length.
  BuildPost(2);
  EXPECT_EQ(Out().size(), 7u);
  // No scale: nothing is built and the output stays.
  fig_.SetStylesAndScale(styles_, 0);
  BuildPost(1);
  EXPECT_EQ(Out().size(), 7u);
}

}  // namespace
