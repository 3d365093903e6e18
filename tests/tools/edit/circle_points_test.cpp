// The characteristic points of a circle: its eight points by direction, the
// middle of a partial arc.

#include "tools/edit/circle_points.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

RDrawElement Arc(double cx, double cy, double r, float start = 0, float end = 0, float ratio = 1, float rotation = 0) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = ratio;
  e.StartAngle = start;
  e.EndAngle = end;
  e.Rotation = rotation;
  return e;
}

TEST(CirclePoints, TheEighthPointInTheCursorsDirection) {
  const double r45 = 10 * std::sqrt(0.5);
  struct Case {
    double angle;  // of the cursor from the centre, degrees
    double x, y;   // expected, the centre at (100, 50), radius 10
  } cases[] = {
      {0, 110, 50},
      {22.4, 110, 50},
      {22.5, 100 + r45, 50 + r45},
      {67.4, 100 + r45, 50 + r45},
      {67.51, 100, 60},
      {135, 100 - r45, 50 + r45},
      {180, 90, 50},
      {225, 100 - r45, 50 - r45},
      {270, 100, 40},
      {300, 100 + r45, 50 - r45},
      {337.4, 100 + r45, 50 - r45},
      {337.5, 110, 50},
  };
  for (const Case& c : cases) {
    TEn4obj tool(Arc(100, 50, 10));
    const double a = c.angle * M_PI / 180;
    tool.SnapPoint(false, 100 + 30 * std::cos(a), 50 + 30 * std::sin(a));
    EXPECT_NEAR(tool.X, c.x, 1e-9) << c.angle;
    EXPECT_NEAR(tool.Y, c.y, 1e-9) << c.angle;
  }
}

TEST(CirclePoints, AQuarterPointIsExactAndTheEllipseIsTakenAsItsCircle) {
  RDrawElement ellipse = Arc(3, 7, 0.1, 0, 0, 0.5f, 30);
  TEn4obj tool(ellipse);
  tool.SnapPoint(false, 3, 100);
  EXPECT_EQ(tool.X, 3);
  EXPECT_EQ(tool.Y, 7.1);
}

TEST(CirclePoints, ThePartialArcGivesItsMiddleOnlyWhenAsked) {
  struct Case {
    float start, end;
    std::uint8_t partial;
  } cases[] = {{0, 90, 1}, {0, 0, 0}, {0, 360, 0}, {10, 10.000001f, 0}, {350, 10, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(TEn4obj(Arc(0, 0, 10, c.start, c.end)).PartialArc, c.partial) << c.start << " " << c.end;
  }
  TEn4obj arc(Arc(0, 0, 10, 0, 90));
  arc.SnapPoint(true, 10, -1);  // the cursor east, a little below
  EXPECT_NEAR(arc.X, 10 * std::sqrt(0.5), 1e-9);
  EXPECT_NEAR(arc.Y, 10 * std::sqrt(0.5), 1e-9);
  arc.SnapPoint(false, 10, -1);
  EXPECT_NEAR(arc.X, 10, 1e-12);
  EXPECT_NEAR(arc.Y, 0, 1e-12);
  // A whole circle has no middle: the eighth point instead.
  TEn4obj circle(Arc(0, 0, 10));
  circle.SnapPoint(true, 0, 20);
  EXPECT_EQ(circle.X, 0);
  EXPECT_EQ(circle.Y, 10);
}

}  // namespace
