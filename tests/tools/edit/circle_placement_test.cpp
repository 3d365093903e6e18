// Circle placement by its nine base points, and angle measuring with the
// forced small angle and the display arc.

#include "tools/edit/circle_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDegCirclePlacement = std::numbers::pi / 180.0;

TEST(CirclePlacement, TheBasePointBecomesTheNamedPointOfTheCircle) {
  // Radius 10 about the returned centre; the base point (2, 3) is its ...
  struct Case {
    int anchor;
    double cx, cy;
  };
  const double d = 10 / std::sqrt(2.0);
  const Case cases[] = {
      {0, 2, 3},          // centre
      {1, 2, -7},         // top point
      {2, 2 + d, 3 - d},  // upper-left point
      {3, 12, 3},         // left point
      {4, 2 + d, 3 + d},  // lower-left point
      {5, 2, 13},         // bottom point
      {6, 2 - d, 3 + d},  // lower-right point
      {7, -8, 3},         // right point
      {8, 2 - d, 3 - d},  // upper-right point
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.anchor);
    TEnKitenobj tool;
    tool.PlacePoint(static_cast<std::uint8_t>(c.anchor), 2, 3, 10, 1, 0);
    EXPECT_NEAR(tool.X, c.cx, 1e-9);
    EXPECT_NEAR(tool.Y, c.cy, 1e-9);
  }
}

TEST(CirclePlacement, ATurnedEllipseUsesItsParametricPoints) {
  // Semi-axes 10 and 4 turned by 30: the parametric point at t is
  // (10 cos t, 4 sin t) turned by 30, from the base point.
  const double angles[9] = {0, 270, 315, 0, 45, 90, 135, 180, 225};
  for (int anchor = 1; anchor <= 8; ++anchor) {
    SCOPED_TRACE(anchor);
    TEnKitenobj tool;
    tool.PlacePoint(static_cast<std::uint8_t>(anchor), -1, 5, 10, 0.4, 30);
    const double t = angles[anchor] * kDegCirclePlacement, r = 30 * kDegCirclePlacement;
    const double lx = 10 * std::cos(t), ly = 4 * std::sin(t);
    EXPECT_NEAR(tool.X, -1 + lx * std::cos(r) - ly * std::sin(r), 1e-9);
    EXPECT_NEAR(tool.Y, 5 + lx * std::sin(r) + ly * std::cos(r), 1e-9);
  }
  // An anchor above 8 keeps the previous result.
  TEnKitenobj tool;
  tool.PlacePoint(9, 4, 4, 10, 1, 0);
  EXPECT_EQ(tool.X, 0.0);
  EXPECT_EQ(tool.Y, 0.0);
  tool.PlacePoint(5, 0, 0, 10, 1, 0);
  tool.PlacePoint(200, 4, 4, 10, 1, 0);
  EXPECT_NEAR(tool.X, 0.0, 1e-12);
  EXPECT_NEAR(tool.Y, 10.0, 1e-12);
}

TEST(AngleMeasuring, MeasuresTheWayAskedUnlessTheRaysAreClose) {
  struct Case {
    double d1, d2;
    bool asked;
    int anticlockwise;
    double angle, start, end;
  };
  const Case cases[] = {
      {10, 100, true, 1, 90, 10, 100},
      {10, 100, false, 0, -270, 100, 10},
      {100, 10, true, 1, 270, 100, 10},
      {100, 10, false, 0, -90, 10, 100},
      // Across 0.
      {300, 30, true, 1, 90, 300, 30},
      {300, 30, false, 0, -270, 30, 300},
      // Within 4 degrees the small angle is measured whatever is asked.
      {10, 12, false, 1, 2, 10, 12},
      {12, 10, true, 0, -2, 10, 12},
      {359, 1, false, 1, 2, 359, 1},
      {1, 359, true, 0, -2, 359, 1},
      {20, 23.9, false, 1, 3.9, 20, 23.9},
      {23.9, 20, true, 0, -3.9, 20, 23.9},
      {20, 24.5, false, 0, -355.5, 24.5, 20},  // beyond 4: as asked
      {45, 45, true, 0, 0, 45, 45},            // equal rays: clockwise, zero
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.d1 << " to " << c.d2 << (c.asked ? " anticlockwise" : " clockwise"));
    const double vx = 3, vy = -1;
    TKakuSokuteiobj tool;
    tool.Measure(c.asked, vx, vy, vx + 8 * std::cos(c.d1 * kDegCirclePlacement),
                 vy + 8 * std::sin(c.d1 * kDegCirclePlacement), vx + 2 * std::cos(c.d2 * kDegCirclePlacement),
                 vy + 2 * std::sin(c.d2 * kDegCirclePlacement));
    EXPECT_EQ(tool.Anticlockwise, c.anticlockwise);
    EXPECT_NEAR(tool.Angle, c.angle, 1e-9);
    EXPECT_FALSE(std::signbit(tool.Angle) && tool.Angle == 0.0);
    const RDrawElement& arc = tool.Arc;
    EXPECT_EQ(arc.Kind, kKindArc);
    EXPECT_EQ(arc.LineType, 1);
    EXPECT_EQ(arc.ColorNo, 1);
    EXPECT_EQ(arc.Group, 1);
    EXPECT_EQ(arc.Layer, 1);
    EXPECT_EQ(double{arc.X1}, vx);
    EXPECT_EQ(double{arc.Y1}, vy);
    EXPECT_NEAR(arc.Radius, 8, 1e-12);
    EXPECT_EQ(float{arc.Ratio}, 1.0f);
    EXPECT_NEAR(arc.StartAngle, c.start, 1e-4);
    EXPECT_NEAR(arc.EndAngle, c.end, 1e-4);
    EXPECT_EQ(float{arc.Rotation}, 0.0f);
  }
}

}  // namespace
