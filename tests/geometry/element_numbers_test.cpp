#include "geometry/element_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kRadElementNumbers = std::numbers::pi / 180.0;

TEST(ElementNumbers, CoordinateRangeGuard) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double v;
    bool out;
  };
  const Case cases[] = {
      {0, false},     {1e6, false},       {-2e30, true}, {-1.5e30, true}, {-1.4999e30, false}, {4e37, true},
      {3.4e37, true}, {3.3999e37, false}, {nan, true},   {inf, true},     {-inf, true},
  };
  for (const Case& c : cases) {
    // The value in each of the four places, the others ordinary.
    EXPECT_EQ(CoordinatesOutOfRange(c.v, 1, 2, 3), c.out) << c.v;
    EXPECT_EQ(CoordinatesOutOfRange(1, c.v, 2, 3), c.out) << c.v;
    EXPECT_EQ(CoordinatesOutOfRange(1, 2, c.v, 3), c.out) << c.v;
    EXPECT_EQ(CoordinatesOutOfRange(1, 2, 3, c.v), c.out) << c.v;
  }
}

TEST(ElementNumbers, OptionCodeDigit) {
  struct Case {
    std::uint16_t code;
    std::uint8_t k;
    int digit;
  };
  const Case cases[] = {
      {11000, 1, 0}, {11000, 5, 1}, {12345, 2, 4}, {12345, 1, 5}, {12345, 5, 1}, {12345, 3, 3},
      {9999, 1, 0},  {10000, 5, 1}, {65535, 3, 5}, {12345, 0, 0}, {12345, 6, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(OptionCodeDigit(c.code, c.k), c.digit) << c.code << " " << int(c.k);
}

TEST(ElementNumbers, MirrorTextPoints) {
  struct Case {
    double x1, y1, x2, y2, cx, cy, sx, sy;
    double rx1, ry1, rx2, ry2;
    float angle;
  };
  const float kUnwritten = -1;
  const Case cases[] = {
      {0, 0, 10, 0, 5, 0, -1, 1, 0, 0, 10, 0, 0},  // reflected and exchanged: reads forwards
      {0, 1, 10, 1, 5, 0, 1, -1, 10, -1, 0, -1, 180},
      {0, 0, 10, 0, 5, 0, -1, -1, 10, 0, 0, 0, 180},  // both: vertical first, then horizontal
      {1, 2, 4, 6, 0, 0, -2, 1, -4, 6, -1, 2, static_cast<float>(360 - std::atan(4.0 / 3) / kRadElementNumbers)},
      {1, 2, 4, 6, 0, 0, 2, 0.5, 1, 2, 4, 6, kUnwritten},      // nothing negative: nothing written
      {1, 2, 4, 6, 0, 0, 0, 0, 1, 2, 4, 6, kUnwritten},        // a zero scale is no mirror
      {1, 2, 4, 6, 0, 0, 0.05, 0.05, 1, 2, 4, 6, kUnwritten},  // nor is a small positive one
  };
  for (const Case& c : cases) {
    double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
    float angle = kUnwritten;
    MirrorTextPoints(x1, y1, x2, y2, angle, c.cx, c.cy, c.sx, c.sy);
    EXPECT_NEAR(x1, c.rx1, 1e-12) << c.sx << " " << c.sy;
    EXPECT_NEAR(y1, c.ry1, 1e-12);
    EXPECT_NEAR(x2, c.rx2, 1e-12);
    EXPECT_NEAR(y2, c.ry2, 1e-12);
    EXPECT_NEAR(angle, c.angle, 1e-4) << c.sx << " " << c.sy;
  }
}

TEST(ElementNumbers, AspectRatioAtAngle) {
  struct Case {
    double angle, w, h, k;
  };
  const Case cases[] = {
      {90, 2, 1, 2},    {45, 2, 1, 0.5},    {89.99, 2, 1, 2},  {89.98, 2, 1, 0.5},
      {90.01, 2, 1, 2}, {90.02, 2, 1, 0.5}, {270.01, 2, 1, 2}, {269.98, 2, 1, 0.5},
      {0, -2, 1, 0.5},  {0, 0, 1, 1},       {90, 2, 0, 1},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(AspectRatioAtAngle(c.angle, c.w, c.h), c.k) << c.angle;
}

TEST(ElementNumbers, ShiftByJustification) {
  struct Case {
    std::uint8_t mode;
    double ax, ay, bx, by;
  };
  // A = (0, 1), B = (10, 1), D = (14, 3).
  const Case cases[] = {{1, -2, 0, 12, 2}, {2, -4, -1, 10, 1}, {0, 0, 1, 14, 3}, {7, 0, 1, 14, 3}};
  for (const Case& c : cases) {
    double ax = -7, ay = -7, bx = -7, by = -7;
    ShiftByJustification(c.mode, ax, ay, 0, 1, 10, 1, 14, 3, bx, by);
    EXPECT_EQ(ax, c.ax) << int(c.mode);
    EXPECT_EQ(ay, c.ay) << int(c.mode);
    EXPECT_EQ(bx, c.bx) << int(c.mode);
    EXPECT_EQ(by, c.by) << int(c.mode);
  }
}

TEST(ElementNumbers, RoundDecimals) {
  struct Case {
    std::uint8_t mode, places;
    double x, r;
  };
  const Case cases[] = {
      {1, 1, 1.2341, 1.235},     {0, 1, 1.2349, 1.234},    {1, 4, 2.7, 2},
      {0, 7, 5.5, 3.0},          {2, 0, 5.55555, 5.55555}, {0, 0, 1.23456, 1.2345},
      {1, 0, 1.234501, 1.2346},   // rest 0.01 unit: up
      {1, 0, 1.2345001, 1.2345},  // rest 0.001 unit: kept
      {0, 3, 1.99, 1.9},         {1, 3, 1.91, 2.0},        {0, 2, -1.239, -1.23},
      {1, 2, -1.231, -1.22},     {0, 4, -2.7, -2},         {5, 4, 2.7, 2.7},
      {0, 255, 1, 3.0},          {0, 0, 1.99999995, 2.0},  // the 1e-7 nudge
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(RoundDecimals(c.mode, c.places, c.x), c.r) << int(c.mode) << " " << int(c.places) << " " << c.x;
  }
}

TEST(ElementNumbers, StepOffsetPoint) {
  struct Case {
    bool second;
    double x1, y1, x2, y2, angle, d, x, y;
  };
  const double c30 = 2 * std::cos(30 * kRadElementNumbers), s30 = 2 * std::sin(30 * kRadElementNumbers);
  const Case cases[] = {
      {false, 0, 0, 0, 10, 90, 2, 0, 2},          // sector 2 upward: (0, d)
      {true, 0, 0, 0, 10, 90, 2, 0, 8},           // from the second end down: sector 6
      {false, 0, 0, 10, 10, 0, 2, 2, 2},          // sector 1
      {false, 0, 0, -10, 10, 180, 2, -2, 2},      // sector 3
      {false, 0, 0, 10, -10, 270, 2, 2, -2},      // sector 7
      {false, 5, 5, 0, 5, 0, 2, 3, 5},            // sector 4
      {false, 0, 0, 10, 10, 90, 0.000001, 0, 0},  // |d| <= 1e-6: the end itself
      {true, 0, 0, 10, 10, 90, -0.000001, 10, 10},
      {false, 0, 0, 10, 10, 90, 0.000002, 0.000002, 0.000002},
      {false, 0, 0, 10, 10, 30, 2, c30, s30},           // along the angle
      {true, 0, 0, 10, 10, 30, 2, 10 - c30, 10 - s30},  // angle + 180 at the second end
      {false, 0, 0, -10, -10, 30, 2, -c30, -s30},       // direction 225: d negated
      {false, 0, 0, -10, 0, 30, 2, c30, s30},           // direction 180 exactly: not negated
  };
  for (const Case& c : cases) {
    const RPoint2D p = StepOffsetPoint(c.second, c.x1, c.y1, c.x2, c.y2, c.angle, c.d);
    EXPECT_NEAR(p.x, c.x, 1e-12) << c.second << " " << c.x2 << "," << c.y2 << " " << c.angle << " " << c.d;
    EXPECT_NEAR(p.y, c.y, 1e-12) << c.second << " " << c.x2 << "," << c.y2 << " " << c.angle << " " << c.d;
  }
}

}  // namespace
