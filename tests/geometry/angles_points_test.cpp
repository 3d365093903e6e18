#include "geometry/angles_points.h"

#include <gtest/gtest.h>

namespace {

TEST(AnglesPoints, DirectionIsExactOnTheAxes) {
  struct Case {
    double x2, y2, angle;
  };
  const Case cases[] = {{5, 0, 0}, {0, 0, 0}, {-5, 0, 180}, {0, 5, 90}, {0, -5, 270},
                        {1, 1, 45}, {-1, 1, 135}, {-1, -1, 225}, {1, -1, 315}};
  for (const Case& c : cases) {
    EXPECT_NEAR(DirectionAngleDeg(0, 0, c.x2, c.y2), c.angle, 1e-12) << c.x2 << "," << c.y2;
  }
}

TEST(AnglesPoints, NormalizeIsOneStep) {
  EXPECT_EQ(NormalizeAngle360(725), 365);
  EXPECT_EQ(NormalizeAngle360(-400), -40);
  EXPECT_EQ(NormalizeAngle360(360), 0);
  EXPECT_EQ(NormalizeAngle360(0), 0);
  EXPECT_EQ(PointDistance(1, 1, 4, 5), 5);
}

}  // namespace
