// Offset of a circle through a point; stretch of a line and of an arc end.

#include "tools/edit/offset_stretch.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/angles_points.h"

namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

TEST(OffsetArc, GrowsOutsideOrOnTheCircleAndShrinksInside) {
  struct Case {
    double x, y, distance, radius;
    bool positive;
  };
  // Circle of radius 10 about (3, 4).
  const Case cases[] = {
      {18, 4, 2, 12, true},   // 15 from the centre: outside
      {3, 9, 2, 8, true},     // 5 from the centre: inside
      {13, 4, 2, 12, true},   // on the circle counts as outside
      {3, 4, 2, 8, true},     // the centre itself
      {5, 4, 10, 0, false},   // inside by the radius: nothing left
      {5, 4, 12, -2, false},  // inside by more: the radius as computed, false
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << ", " << c.y << " by " << c.distance);
    TFukuenobj offset(3, 4, 10, 0.3f, 30.5f, 200.25f, 12.125f);
    EXPECT_EQ(offset.Offset(c.x, c.y, c.distance), c.positive);
    EXPECT_DOUBLE_EQ(offset.Result.Radius, c.radius);
    // Every other field is the source's, the Singles widened exactly.
    EXPECT_EQ(offset.Result.CentreX, 3);
    EXPECT_EQ(offset.Result.CentreY, 4);
    EXPECT_EQ(offset.Result.Ratio, static_cast<double>(0.3f));
    EXPECT_EQ(offset.Result.StartAngle, 30.5);
    EXPECT_EQ(offset.Result.EndAngle, 200.25);
    EXPECT_EQ(offset.Result.Rotation, 12.125);
    EXPECT_EQ(offset.Source.Radius, 10);
  }
}

struct LineCase {
  const char* what;
  double x1, y1, x2, y2;  // the line
  double ax, ay, bx, by;  // pick and new position
  double rx1, ry1, rx2, ry2;
};

TEST(StretchLine, MovesTheEndOnTheNewPositionsSideOfThePick) {
  const LineCase cases[] = {
      {"extended past the second end", 0, 0, 10, 0, 9, 1, 12, 3, 0, 0, 12, 0},
      {"cut back, pick beyond the new end", 0, 0, 10, 0, 9, 1, 6, -2, 6, 0, 10, 0},
      {"cut back, pick before the new end", 0, 0, 10, 0, 5, 1, 6, -2, 0, 0, 6, 0},
      {"extended past the first end", 0, 0, 10, 0, 1, 1, -3, 2, -3, 0, 10, 0},
      {"cut back from the first end's side", 0, 0, 10, 0, 1, 1, 4, 0, 0, 0, 4, 0},
      {"reversed line", 10, 0, 0, 0, 9, 1, 12, 3, 12, 0, 0, 0},
      // Along (0.6, 0.8): the pick's foot at 30, the new foot at 60.
      {"oblique", 0, 0, 30, 40, 14, 27, 37.6, 46.8, 0, 0, 36, 48},
      {"zero length", 5, 5, 5, 5, 9, 1, 12, 3, 5, 5, 5, 5},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.what);
    TSinsyukuobj stretch(c.ax, c.ay, c.bx, c.by, 0.5);
    stretch.StretchLine(2, 3, c.x1, c.y1, c.x2, c.y2, 4, 5);
    EXPECT_NEAR(stretch.ResultLine.X1, c.rx1, 1e-9);
    EXPECT_NEAR(stretch.ResultLine.Y1, c.ry1, 1e-9);
    EXPECT_NEAR(stretch.ResultLine.X2, c.rx2, 1e-9);
    EXPECT_NEAR(stretch.ResultLine.Y2, c.ry2, 1e-9);
    EXPECT_EQ(stretch.ResultLine.LineType, 2);
    EXPECT_EQ(stretch.ResultLine.ColorNo, 3);
    EXPECT_EQ(stretch.ResultLine.Group, 4);
    EXPECT_EQ(stretch.ResultLine.Layer, 5);
    EXPECT_EQ(stretch.SourceLine.X1, c.x1);
    EXPECT_EQ(stretch.ElementKind, 0);
  }
}

// A point of the circle of radius r about (cx, cy) in direction deg.
void OnCircle(double cx, double cy, double r, double deg, double& x, double& y) {
  x = cx + r * std::cos(deg * kRad);
  y = cy + r * std::sin(deg * kRad);
}

TEST(StretchArc, TurnsTheEndNearerThePickToTheNewDirection) {
  struct Case {
    const char* what;
    float start, end, rotation;
    double pickDeg, newDeg;  // true directions from the centre
    double resultStart, resultEnd;
  };
  const Case cases[] = {
      {"end extended", 30, 120, 0, 110, 150, 30, 150},
      {"end cut back, picked near the start", 30, 120, 0, 40, 60, 30, 60},
      {"start cut back, picked near the end", 30, 120, 0, 100, 50, 50, 120},
      {"start extended", 30, 120, 0, 40, 10, 10, 120},
      // Across 0/360: pick 350, new 10 (350 - 10 > 270): the end moves.
      {"end across zero", 300, 5, 0, 350, 10, 300, 10},
      {"start across zero", 10, 100, 0, 20, 340, 340, 100},
      {"start cut back across zero", 300, 30, 0, 20, 350, 350, 30},
      // Turned by 30: angles are stored less the rotation.
      {"turned arc", 0, 90, 30, 110, 150, 0, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    double ax = 0, ay = 0, bx = 0, by = 0;
    OnCircle(5, -5, 10, c.pickDeg, ax, ay);
    OnCircle(5, -5, 25, c.newDeg, bx, by);
    TSinsyukuobj stretch(ax, ay, bx, by, 0.5);
    stretch.StretchArc(1, 2, 5, -5, 10, 1.0f, c.start, c.end, c.rotation, 3, 4);
    EXPECT_NEAR(stretch.ResultArc.StartAngle, c.resultStart, 1e-9);
    EXPECT_NEAR(stretch.ResultArc.EndAngle, c.resultEnd, 1e-9);
    EXPECT_EQ(stretch.ResultArc.Radius, 10);
    EXPECT_EQ(stretch.ResultArc.LineType, 1);
    EXPECT_EQ(stretch.ResultArc.Layer, 4);
    EXPECT_EQ(stretch.ElementKind, 1);
  }
}

TEST(StretchArc, TheMovedEndOfAnEllipseLiesInTheDirectionOfB) {
  // Semi-axes 10 and 5, turned by 20; the arc runs from parameter 0 to 90.
  // The pick is the ellipse point at parameter 80; B lies in direction 170.
  const double r = 10, ratio = 0.5, rot = 20;
  auto point = [&](double t, double& x, double& y) {
    const double lx = r * std::cos(t * kRad), ly = r * ratio * std::sin(t * kRad);
    x = 1 + lx * std::cos(rot * kRad) - ly * std::sin(rot * kRad);
    y = 2 + lx * std::sin(rot * kRad) + ly * std::cos(rot * kRad);
  };
  double ax = 0, ay = 0;
  point(80, ax, ay);
  struct Case {
    double newDeg;
    bool endMoves;  // B anticlockwise of the pick: the end; clockwise: the start
  };
  for (const Case& c : {Case{170.0, true}, Case{35.0, false}}) {
    SCOPED_TRACE(c.newDeg);
    double bx = 0, by = 0;
    OnCircle(1, 2, 30, c.newDeg, bx, by);
    TSinsyukuobj stretch(ax, ay, bx, by, 0.5);
    stretch.StretchArc(0, 0, 1, 2, r, static_cast<float>(ratio), 0, 90, static_cast<float>(rot), 0, 0);
    EXPECT_EQ(c.endMoves ? stretch.ResultArc.StartAngle : stretch.ResultArc.EndAngle, c.endMoves ? 0 : 90);
    double ex = 0, ey = 0;
    point(c.endMoves ? stretch.ResultArc.EndAngle : stretch.ResultArc.StartAngle, ex, ey);
    EXPECT_NEAR(DirectionAngleDeg(1, 2, ex, ey), c.newDeg, 1e-9);
  }
}

TEST(StretchArc, AFullCircleStaysWhole) {
  for (float end : {0.0f, 360.0f, 0.005f}) {
    TSinsyukuobj stretch(10, 0, 0, 10, 0.5);
    stretch.StretchArc(0, 0, 0, 0, 10, 1.0f, 0, end, 0, 0, 0);
    EXPECT_EQ(stretch.ResultArc.StartAngle, 0);
    EXPECT_EQ(stretch.ResultArc.EndAngle, static_cast<double>(end));
  }
}

}  // namespace
