// Chains of three-point arcs: the circle and the anticlockwise order of the
// ends by hand, points that admit no circle, and emptying the chain.

#include "tools/edit/arc_chain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kAtanHalfDeg = 26.565051177077990;  // atan(1/2) in degrees

struct ArcCaseArcChain {
  const char* name;
  double x1, y1, x2, y2, x3, y3;
  double cx, cy, r, startDeg, endDeg;
};

TEST(ArcChain, ArcRunsAnticlockwiseThroughTheMiddlePointInBothClickOrders) {
  const ArcCaseArcChain cases[] = {
      {"upper half", 10, 0, 0, 10, -10, 0, 0, 0, 10, 0, 180},
      {"upper half, clicked the other way", -10, 0, 0, 10, 10, 0, 0, 0, 10, 0, 180},
      {"lower half", 10, 0, 0, -10, -10, 0, 0, 0, 10, 180, 0},
      {"lower half, clicked the other way", -10, 0, 0, -10, 10, 0, 0, 0, 10, 180, 0},
      // Right angle at (0, 0): the centre is the middle of the hypotenuse
      // (4, 0)-(0, 2), radius sqrt(5); the arc from (4, 0) over (0, 2) to
      // (0, 0) runs anticlockwise from 360 - atan(1/2) to 180 + atan(1/2).
      {"through the top", 4, 0, 0, 2, 0, 0, 2, 1, std::sqrt(5.0), 360 - kAtanHalfDeg, 180 + kAtanHalfDeg},
      {"through the top, reversed", 0, 0, 0, 2, 4, 0, 2, 1, std::sqrt(5.0), 360 - kAtanHalfDeg, 180 + kAtanHalfDeg},
      // Through (4, 2) instead the short way round the right.
      {"short arc on the right", 4, 0, 4, 2, 0, 2, 2, 1, std::sqrt(5.0), 360 - kAtanHalfDeg, 180 - kAtanHalfDeg},
  };
  for (const ArcCaseArcChain& c : cases) {
    SCOPED_TRACE(c.name);
    TRenzokuKoobj chain;
    chain.PreviewArc(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3);
    const RDrawElement& e = chain.ArcPreview;
    EXPECT_EQ(e.Kind, kKindArc);
    EXPECT_NEAR(e.X1, c.cx, 1e-9);
    EXPECT_NEAR(e.Y1, c.cy, 1e-9);
    EXPECT_NEAR(e.Radius, c.r, 1e-9);
    EXPECT_NEAR(e.StartAngle, c.startDeg, 1e-4);
    EXPECT_NEAR(e.EndAngle, c.endDeg, 1e-4);
    EXPECT_EQ(float{e.Ratio}, 1.0f);
    EXPECT_EQ(float{e.Rotation}, 0.0f);
    EXPECT_EQ(chain.ArcCount, 0);  // a preview adds nothing
    EXPECT_TRUE(chain.Elements.empty());
  }
}

TEST(ArcChain, AddArcAppendsTheArcAndItsStartAndThroughPoints) {
  TRenzokuKoobj chain;
  ASSERT_TRUE(chain.AddArc(10, 0, 0, 10, -10, 0));
  ASSERT_TRUE(chain.AddArc(-10, 0, -20, -10, -30, 0));
  ASSERT_EQ(chain.ArcCount, 2);
  ASSERT_EQ(chain.Elements.size(), 2u);
  ASSERT_EQ(chain.ArcPoints.size(), 2u);
  EXPECT_EQ(chain.ArcPoints[1].StartX, -10);
  EXPECT_EQ(chain.ArcPoints[1].StartY, 0);
  EXPECT_EQ(chain.ArcPoints[1].ThroughX, -20);
  EXPECT_EQ(chain.ArcPoints[1].ThroughY, -10);
  // Centre (-20, 0), radius 10, the lower half from 180 to 0.
  const RDrawElement& e = chain.Elements[1];
  EXPECT_NEAR(e.X1, -20, 1e-9);
  EXPECT_NEAR(e.Y1, 0, 1e-9);
  EXPECT_NEAR(e.Radius, 10, 1e-9);
  EXPECT_NEAR(e.StartAngle, 180, 1e-4);
  EXPECT_NEAR(e.EndAngle, 0, 1e-4);
  // Attributes 1, every other byte 0.
  EXPECT_EQ(e.LineType, 1);
  EXPECT_EQ(e.ColorNo, 1);
  EXPECT_EQ(e.Group, 1);
  EXPECT_EQ(e.Layer, 1);
  EXPECT_EQ(e.Selection, 0);
  EXPECT_EQ(e.Scratch, 0);
  EXPECT_EQ(e.UndoMark, 0);
  EXPECT_EQ(int{e.Reserved48}, 0);
  EXPECT_EQ(e.Reserved50, 0);
}

TEST(ArcChain, PointsWithoutACircleKeepThePreviewAndAddNothing) {
  struct Bad {
    const char* name;
    double x1, y1, x2, y2, x3, y3;
  };
  const Bad cases[] = {
      {"collinear", 0, 0, 5, 5, 10, 10},
      {"through point on the start", 0, 0, 0.005, -0.005, 10, 3},
      {"end on the start", 1, 1, 5, 7, 1, 1},
  };
  for (const Bad& c : cases) {
    SCOPED_TRACE(c.name);
    TRenzokuKoobj chain;
    ASSERT_TRUE(chain.AddArc(10, 0, 0, 10, -10, 0));
    chain.PreviewArc(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3);
    EXPECT_NEAR(chain.ArcPreview.Radius, 10, 1e-9);  // the earlier arc
    EXPECT_NEAR(chain.ArcPreview.EndAngle, 180, 1e-4);
    EXPECT_FALSE(chain.AddArc(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3));
    EXPECT_EQ(chain.ArcCount, 1);
    EXPECT_EQ(chain.Elements.size(), 1u);
    EXPECT_EQ(chain.ArcPoints.size(), 1u);
  }
  // A first failure has no earlier arc to repeat either.
  TRenzokuKoobj empty;
  EXPECT_FALSE(empty.AddArc(0, 0, 1, 1, 2, 2));
  EXPECT_EQ(empty.ArcCount, 0);
  EXPECT_TRUE(empty.Elements.empty());
}

TEST(ArcChain, ClearEmptiesTheChain) {
  TRenzokuKoobj chain;
  ASSERT_TRUE(chain.AddArc(10, 0, 0, 10, -10, 0));
  ASSERT_TRUE(chain.AddArc(-10, 0, -20, 10, -30, 0));
  ASSERT_TRUE(chain.AddArc(-30, 0, -40, 10, -50, 0));
  ASSERT_EQ(chain.ArcCount, 3);
  chain.Clear();
  EXPECT_EQ(chain.ArcCount, 0);
  EXPECT_TRUE(chain.Elements.empty());
  EXPECT_TRUE(chain.ArcPoints.empty());
}

}  // namespace
