#include "geometry/angles_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

// The point at distance dist from the origin in direction deg.
RPoint2D At(double deg, double dist) { return {dist * std::cos(deg * kRad), dist * std::sin(deg * kRad)}; }

TEST(AnglesPoints, DirectionIsExactOnTheAxes) {
  struct Case {
    double x2, y2, angle;
  };
  const Case cases[] = {{5, 0, 0},  {0, 0, 0},    {-5, 0, 180},  {0, 5, 90},  {0, -5, 270},
                        {1, 1, 45}, {-1, 1, 135}, {-1, -1, 225}, {1, -1, 315}};
  for (const Case& c : cases) {
    EXPECT_NEAR(DirectionAngleDeg(0, 0, c.x2, c.y2), c.angle, 1e-12) << c.x2 << "," << c.y2;
  }
  // Exact, not merely near, on the axes.
  EXPECT_EQ(DirectionAngleDeg(0, 0, -1, 0), 180.0);
  EXPECT_EQ(DirectionAngleDeg(0, 0, 0, -1), 270.0);
  // Near an axis the small ratio is the one divided: atan(1e-9) in degrees.
  EXPECT_NEAR(DirectionAngleDeg(0, 0, 1, 1e-9), 1e-9 * 180 / std::numbers::pi, 1e-20);
  EXPECT_NEAR(DirectionAngleDeg(0, 0, 1e-9, 1), 90 - 1e-9 * 180 / std::numbers::pi, 1e-12);
  double angle = -1;
  GetDirectionAngleDeg(angle, 0, 0, 0, -3);
  EXPECT_EQ(angle, 270.0);
}

TEST(AnglesPoints, NormalizersAreOneStep) {
  struct Case {
    double (*fn)(double);
    double in, out;
  };
  const Case cases[] = {
      {NormalizeAngle360, 725, 365},
      {NormalizeAngle360, -400, -40},
      {NormalizeAngle360, 360, 0},
      {NormalizeAngle360, 0, 0},
      {NormalizeAngle360, -720, -360},
      {NormalizeAngle360, 359.5, 359.5},
      {NormalizeAngleKeep360, 360, 360},
      {NormalizeAngleKeep360, 360.5, 0.5},
      {NormalizeAngleKeep360, -10, 350},
      {NormalizeAngleKeep360, 0, 0},
      {NormalizeAngleUpTo360, 0, 360},
      {NormalizeAngleUpTo360, 360, 0},
      {NormalizeAngleUpTo360, 10, 10},
      {NormalizeAngleUpTo360, -10, 350},
      {NormalizeAngleUpTo360, 725, 365},
      {NormalizeAngleUpTo360, 359.9, 359.9},
      {AngleMod90, 300, 30},
      {AngleMod90, 270, 0},
      {AngleMod90, 200, 20},
      {AngleMod90, 180, 0},
      {AngleMod90, 100, 10},
      {AngleMod90, 89, 89},
      {AngleMod90, -30, -30},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(c.fn(c.in), c.out) << c.in;
  EXPECT_EQ(PointDistance(1, 1, 4, 5), 5);
}

TEST(AnglesPoints, PerpendicularFootAndItsRefusal) {
  struct Case {
    double x1, y1, x2, y2, px, py;
    bool ok;
    double fx, fy;
  };
  const Case cases[] = {
      {0, 0, 10, 0, 3, 4, true, 3, 0},
      {0, 0, 1, 1, 2, 0, true, 1, 1},
      {5, 5, 5, 9, 0, -2, true, 5, -2},  // beyond the points: the line is infinite
      {2, 2, 2, 2, 0, 0, false, -7, -7},
  };
  for (const Case& c : cases) {
    double fx = -7, fy = -7;
    EXPECT_EQ(PerpendicularFoot(fx, fy, c.x1, c.y1, c.x2, c.y2, c.px, c.py), c.ok);
    EXPECT_NEAR(fx, c.fx, 1e-12);
    EXPECT_NEAR(fy, c.fy, 1e-12);
  }
}

TEST(AnglesPoints, LineVertexAndAwayAngles) {
  struct Case {
    double x1, y1, x2, y2, angle;
  };
  const Case lines[] = {{0, 0, -1, -1, 45}, {0, 0, 1, 1, 45},   {0, 0, 0, -5, 90}, {0, 5, 0, 0, 90},
                        {0, 0, -3, 0, 0},   {0, 0, 1, -1, 135}, {1, -1, 0, 0, 135}};
  for (const Case& c : lines) {
    EXPECT_NEAR(LineAngleDeg(c.x1, c.y1, c.x2, c.y2), c.angle, 1e-12) << c.x2 << "," << c.y2;
  }
  // Vertex angles: differences of 315 fold to 45; 180 stays 180.
  const Case vertex[] = {{1, 0, 0, 1, 90}, {1, 0, 1, -1, 45}, {1, 0, -1, 0, 180}, {1, 0, 2, 0, 0}};
  for (const Case& c : vertex) {
    EXPECT_NEAR(AngleAtVertexDeg(0, 0, c.x1, c.y1, c.x2, c.y2), c.angle, 1e-12);
  }
  EXPECT_EQ(DirectionAwayFromPointDeg(0, 0, 10, 0, -5, 0), 0.0);
  EXPECT_EQ(DirectionAwayFromPointDeg(0, 0, 10, 0, 20, 0), 180.0);
  EXPECT_EQ(DirectionAwayFromPointDeg(0, 0, 10, 0, 5, 3), 0.0);  // tie: 1 -> 2
}

TEST(AnglesPoints, WithinSevenDegreesOnBothSidesOfEachBound) {
  struct Case {
    double ref, test;
    bool result, ccw;
  };
  const Case cases[] = {
      {10, 10, true, true},       {10, 16.999, true, true},    {10, 17, false, false},   {10, 3, true, false},
      {10, 2.999, false, false},  {2, 358, true, false},       {358, 2, true, true},     {7, 0.5, true, false},
      {6.9, 359.95, true, false}, {6.9, 359.89, false, false}, {353, 359.9, true, true}, {353, 0.1, false, false},
      {356, 2, true, true},       {356, 3.1, false, false},
  };
  for (const Case& c : cases) {
    // Preset to the opposite of any expected side so a write shows.
    bool ccw = !c.ccw;
    EXPECT_EQ(AngleWithin7Deg(c.ref, c.test, ccw), c.result) << c.ref << " " << c.test;
    if (c.result) {
      EXPECT_EQ(ccw, c.ccw) << c.ref << " " << c.test;
    } else {
      EXPECT_EQ(ccw, !c.ccw) << "ccwSide written on false";
    }
  }
}

TEST(AnglesPoints, SectorsAndQuadrants) {
  struct Case {
    double deg;
    int wide, narrow;
  };
  const double e = 1e-6;
  const Case cases[] = {
      {0, 0, 0},         {22.5 - e, 0, 0},  {22.5 + e, 1, 1},  {67.5 - e, 1, 1},  {67.5 + e, 2, 1},
      {82.5 - e, 2, 1},  {82.5 + e, 2, 2},  {90, 2, 2},        {102.5 - e, 2, 2}, {102.5 + e, 2, 3},
      {112.5 - e, 2, 3}, {112.5 + e, 3, 3}, {157.5 + e, 4, 4}, {180, 4, 4},       {202.5 + e, 5, 5},
      {247.5 + e, 6, 6}, {270, 6, 6},       {292.5 + e, 7, 7}, {337.5 - e, 7, 7}, {337.5 + e, 0, 0},
  };
  for (const Case& c : cases) {
    const RPoint2D p = At(c.deg, 10);
    EXPECT_EQ(DirectionSector8(false, 0, 0, p.x, p.y), c.wide) << c.deg;
    EXPECT_EQ(DirectionSector8(true, 0, 0, p.x, p.y), c.narrow) << c.deg;
  }
  EXPECT_EQ(DirectionSector8(false, 3, 3, 3, 3), 0);
  struct Quad {
    double x, y;
    int q;
  };
  const Quad quads[] = {{1, 0, 0}, {1, 1, 0}, {0, 1, 1}, {-1, 0, 2}, {0, -1, 3}, {1, -1e-9, 3}};
  for (const Quad& q : quads) EXPECT_EQ(DirectionQuadrant(0, 0, q.x, q.y), q.q) << q.x << "," << q.y;
}

TEST(AnglesPoints, RotationsAndTheirExactQuarterTurns) {
  double x = 1, y = 0;
  RotateVector(x, y, 90);
  EXPECT_NEAR(x, 0, 1e-15);
  EXPECT_NEAR(y, 1, 1e-15);
  x = 2, y = 1;
  RotateAboutCentre(x, y, 180, 1, 1);
  EXPECT_NEAR(x, 0, 1e-15);
  EXPECT_NEAR(y, 1, 1e-15);

  struct Case {
    double angle, cx, cy, x, y, rx, ry;
    bool exact;
  };
  const double h = std::sqrt(0.5);
  const Case cases[] = {
      {90.00005, 0, 0, 1, 0, 0, 1, true},  {89.99995, 0, 0, 1, 0, 0, 1, true},
      {180, 0, 0, 1, 0, -1, 0, true},      {270, 0, 0, 1, 0, 0, -1, true},
      {359.99995, 0, 0, 1, 0, 1, 0, true}, {0.00009, 0, 0, 1, 0, 1, 0, true},
      {90, 2, 3, 5, 3, 2, 6, true},        {45, 0, 0, 1, 0, h, h, false},
      {450, 0, 0, 1, 0, 0, 1, false},  // not normalised: the general formula
  };
  for (const Case& c : cases) {
    const RPoint2D p = RotateAboutCentreExact(c.angle, c.cx, c.cy, c.x, c.y);
    if (c.exact) {
      EXPECT_EQ(p.x, c.rx) << c.angle;
      EXPECT_EQ(p.y, c.ry) << c.angle;
    } else {
      EXPECT_NEAR(p.x, c.rx, 1e-12) << c.angle;
      EXPECT_NEAR(p.y, c.ry, 1e-12) << c.angle;
    }
  }
  // Just outside the 0.0001 band the general formula applies.
  EXPECT_NE(RotateAboutCentreExact(90.0002, 0, 0, 1, 0).x, 0.0);
  EXPECT_NE(RotateAboutCentreExact(0.0002, 0, 0, 1, 0).y, 0.0);
  EXPECT_NE(RotateAboutCentreExact(450, 0, 0, 1, 0).x, 0.0);
}

TEST(AnglesPoints, PolarAndLocalPoints) {
  struct Case {
    double angle, length, x0, y0, x, y;
    bool exact;
  };
  const Case cases[] = {
      {360, 5, 1, 1, 6, 1, true}, {0.000009, 5, 0, 0, 5, 0, true}, {0, -3, 0, 0, -3, 0, true},
      {90, 2, 1, 1, 1, 3, false}, {-90, 2, 0, 0, 0, -2, false},    {45, std::sqrt(2.0), 0, 0, 1, 1, false},
  };
  for (const Case& c : cases) {
    double x = 0, y = 0;
    PolarPoint(x, y, c.angle, c.length, c.x0, c.y0);
    if (c.exact) {
      EXPECT_EQ(x, c.x) << c.angle;
      EXPECT_EQ(y, c.y) << c.angle;
    } else {
      EXPECT_NEAR(x, c.x, 1e-14) << c.angle;
      EXPECT_NEAR(y, c.y, 1e-14) << c.angle;
    }
  }
  double x = 0, y = 0;
  PolarPoint(x, y, 0.00002, 5, 0, 0);
  EXPECT_GT(y, 0.0);  // beyond the 0.00001 band

  // The buffered form may write over its own origin.
  x = 1, y = 1;
  PolarPointBuffered(x, y, 90, 2, x, y);
  EXPECT_NEAR(x, 1, 1e-15);
  EXPECT_NEAR(y, 3, 1e-15);

  LocalOffsetPoint(x, y, 90, 2, 1, 10, 10);
  EXPECT_NEAR(x, 9, 1e-14);
  EXPECT_NEAR(y, 12, 1e-14);
  LocalOffsetPoint(x, y, 30, 2, 0, 0, 0);
  EXPECT_NEAR(x, std::sqrt(3.0), 1e-14);
  EXPECT_NEAR(y, 1, 1e-14);
}

TEST(AnglesPoints, ReflectionsAndProjections) {
  double rx = 0, ry = 0;
  ReflectPoint(rx, ry, 3, 4, 0, 0, 10, 0);
  EXPECT_EQ(rx, 3);
  EXPECT_EQ(ry, -4);
  ReflectPoint(rx, ry, 2, 0, 0, 0, 1, 1);
  EXPECT_NEAR(rx, 0, 1e-15);
  EXPECT_NEAR(ry, 2, 1e-15);
  ReflectPoint(rx, ry, 2, 5, 1, 1, 1, 1);  // no line: the point itself
  EXPECT_EQ(rx, 2);
  EXPECT_EQ(ry, 5);

  struct Case {
    std::uint8_t axis;
    double angle, ox, oy, x, y, fx, fy;
  };
  const Case cases[] = {
      {1, 0, 0, 0, 3, 4, 3, 0},    {0, 0, 0, 0, 3, 4, 0, 4},  {1, 90, 0, 0, 3, 4, 0, 4}, {1, 45, 0, 0, 2, 0, 1, 1},
      {1, -45, 0, 0, 2, 0, 1, -1}, {7, 90, 0, 0, 3, 4, 3, 0}, {1, 0, 1, 1, 5, 7, 5, 1},  {2, 0, 1, 1, 5, 7, 1, 7},
  };
  for (const Case& c : cases) {
    const RPoint2D p = c.ox == 0 && c.oy == 0 ? ProjectOnTurnedAxis(c.axis, c.angle, c.x, c.y)
                                              : ProjectOnTurnedAxisAt(c.axis, c.angle, c.ox, c.oy, c.x, c.y);
    EXPECT_NEAR(p.x, c.fx, 1e-12) << int(c.axis) << " " << c.angle;
    EXPECT_NEAR(p.y, c.fy, 1e-12) << int(c.axis) << " " << c.angle;
  }
}

TEST(AnglesPoints, RotatedRectExtents) {
  struct Case {
    double angle, minX, minY, maxX, maxY;
  };
  const double r = std::sqrt(0.5);
  const Case cases[] = {
      {90, 0, -2, 1, 0},
      {0, 0, 0, 2, 1},
      {45, 0, -2 * r, 3 * r, r},  // corners (2, 0), (2, 1), (0, 1) turned clockwise by 45
  };
  for (const Case& c : cases) {
    double minX = 9, minY = 9, maxX = 9, maxY = 9;
    RotatedRectExtents(0, 0, 2, 1, c.angle, minX, minY, maxX, maxY);
    EXPECT_NEAR(minX, c.minX, 1e-14) << c.angle;
    EXPECT_NEAR(minY, c.minY, 1e-14) << c.angle;
    EXPECT_NEAR(maxX, c.maxX, 1e-14) << c.angle;
    EXPECT_NEAR(maxY, c.maxY, 1e-14) << c.angle;
  }
  double minX = 9, minY = 9, maxX = 9, maxY = 9;
  RotatedRectExtents(0, 0, 2, 1, 90, minX, minY, maxX, maxY);
  EXPECT_EQ(minY, -2.0);  // a quarter turn is exact
}

TEST(AnglesPoints, Lengthening) {
  struct Case {
    double x1, y1, x2, y2, d;
    int which;  // -1 both ends
    double rx1, ry1, rx2, ry2;
  };
  const Case cases[] = {
      {0, 0, 10, 0, 2, -1, -2, 0, 12, 0}, {0, 0, 10, 0, -2, -1, 2, 0, 8, 0}, {0, 0, 3, 4, 5, -1, -3, -4, 6, 8},
      {0, 0, 10, 0, 2, 1, 0, 0, 12, 0},   {0, 0, 10, 0, 2, 0, -2, 0, 10, 0}, {0, 0, 0, 10, -4, 1, 0, 0, 0, 6},
      {0, 0, 10, 0, 2, 2, 0, 0, 10, 0},
  };
  for (const Case& c : cases) {
    double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
    if (c.which < 0) {
      LengthenSegmentBothEnds(x1, y1, x2, y2, c.d);
    } else {
      LengthenSegmentEnd(x1, y1, x2, y2, c.d, static_cast<std::uint8_t>(c.which));
    }
    EXPECT_NEAR(x1, c.rx1, 1e-12) << c.which << " " << c.d;
    EXPECT_NEAR(y1, c.ry1, 1e-12);
    EXPECT_NEAR(x2, c.rx2, 1e-12);
    EXPECT_NEAR(y2, c.ry2, 1e-12);
  }
}

TEST(AnglesPoints, SnapToAngleStepRoundsHalvesUp) {
  struct Case {
    double curX, curY, base, step, length, x, y;
  };
  const RPoint2D at882 = At(88.2, 10);  // quotient 0.49 of a 180 step
  const Case cases[] = {
      {0, 5, 0, 180, 10, -10, 0},             // 90 / 180 = 0.5 exactly: rounds up to 180
      {at882.x, at882.y, 0, 180, 10, 10, 0},  // 0.49 rounds down to 0
      {0, 5, -82.5, 15, 10, 10 * std::cos(97.5 * kRad), 10 * std::sin(97.5 * kRad)},  // 11.5 -> 12
      {0, 5, -82.3, 15, 10, 10 * std::cos(82.7 * kRad), 10 * std::sin(82.7 * kRad)},  // 11.49 -> 11
      {10, 3, 0, 90, 0, 10, 0},                                                       // length 0: foot on the ray
      {3, 10, 0, 90, 0, 0, 10},
      {3, 4, 0, 0, 10, 3, 4},  // no step: the cursor
  };
  for (const Case& c : cases) {
    const RPoint2D p = SnapToAngleStep(0, 0, c.curX, c.curY, c.base, c.step, c.length);
    EXPECT_NEAR(p.x, c.x, 1e-12) << c.base << " " << c.step;
    EXPECT_NEAR(p.y, c.y, 1e-12) << c.base << " " << c.step;
  }
  const RPoint2D exact = SnapToAngleStep(0, 0, 0, 5, 0, 180, 10);
  EXPECT_EQ(exact.x, -10.0);
  EXPECT_EQ(exact.y, 0.0);
  // A zero step keeps the cursor's direction while the length applies.
  const RPoint2D keep = SnapToAngleStepKeepLength(0, 0, 3, 4, 0, 0, 10);
  EXPECT_NEAR(keep.x, 6, 1e-5);
  EXPECT_NEAR(keep.y, 8, 1e-5);
  const RPoint2D keepStep = SnapToAngleStepKeepLength(0, 0, 0, 5, 0, 180, 10);
  EXPECT_EQ(keepStep.x, -10.0);
}

TEST(AnglesPoints, SnapCursorDirectionFifteenDegreeBins) {
  struct Case {
    double f;
    char kind;  // 'h' keeps curX on the horizontal, 'v' keeps curY, 'd' direction dir
    double dir;
  };
  const Case cases[] = {
      {0, 'h', 0},        {6.99, 'h', 0},     {7.01, 'd', 15},    {21.99, 'd', 15},   {22.01, 'd', 30},
      {36.99, 'd', 30},   {37.01, 'd', 45},   {52.01, 'd', 60},   {67.01, 'd', 75},   {81.99, 'd', 75},
      {82.01, 'v', 0},    {90, 'v', 0},       {96.99, 'v', 0},    {97.01, 'd', 105},  {112.01, 'd', 120},
      {127.01, 'd', 135}, {142.01, 'd', 150}, {157.01, 'd', 165}, {171.99, 'd', 165}, {172.01, 'h', 0},
      {180, 'h', 0},      {186.99, 'h', 0},   {187.01, 'd', 195}, {202.01, 'd', 210}, {217.01, 'd', 225},
      {232.01, 'd', 240}, {247.01, 'd', 255}, {261.99, 'd', 255}, {262.01, 'v', 0},   {270, 'v', 0},
      {276.99, 'v', 0},   {277.01, 'd', 285}, {292.01, 'd', 300}, {307.01, 'd', 315}, {322.01, 'd', 330},
      {337.01, 'd', 345}, {351.99, 'd', 345}, {352.01, 'd', 0},   {359.9, 'd', 0},
  };
  const double x0 = 2, y0 = 3, dist = 10;
  for (const Case& c : cases) {
    const RPoint2D cur = At(c.f, dist);
    const RPoint2D p = SnapCursorDirection(1, x0, y0, x0 + cur.x, y0 + cur.y, 0);
    RPoint2D want;
    if (c.kind == 'h') want = {x0 + cur.x, y0};
    if (c.kind == 'v') want = {x0, y0 + cur.y};
    if (c.kind == 'd') want = {x0 + dist * std::cos(c.dir * kRad), y0 + dist * std::sin(c.dir * kRad)};
    EXPECT_NEAR(p.x, want.x, 1e-12) << c.f;
    EXPECT_NEAR(p.y, want.y, 1e-12) << c.f;
  }
  // The last bin gives the exact horizontal point; the axis directions are exact.
  const RPoint2D last = SnapCursorDirection(1, 0, 0, At(352.5, 10).x, At(352.5, 10).y, 0);
  EXPECT_EQ(last.x, 10.0);
  EXPECT_EQ(last.y, 0.0);
}

TEST(AnglesPoints, SnapCursorDirectionModesAndTheNearCursor) {
  const RPoint2D preset{-5, -5};
  struct Case {
    std::uint8_t mode;
    double curX, curY;
    double x, y;
  };
  const Case cases[] = {
      {0, 0.00009, -0.00009, 1, 1},  // within 0.0001 of (x0, y0): (x0, y0) in every mode
      {1, 0.00009, -0.00009, 1, 1},
      {2, 0.00009, 0.00009, 1, 1},
      {9, 0.00009, 0.00009, 1, 1},
      {1, 0.00011, 0, 1.00011, 1},  // just outside: horizontal
      {0, 4, 7, 5, 8},
      {9, 4, 7, -5, -5},  // other modes: the preset
  };
  for (const Case& c : cases) {
    const RPoint2D p = SnapCursorDirection(c.mode, 1, 1, 1 + c.curX, 1 + c.curY, 30, preset);
    EXPECT_NEAR(p.x, c.x, 1e-12) << int(c.mode) << " " << c.curX;
    EXPECT_NEAR(p.y, c.y, 1e-12) << int(c.mode) << " " << c.curX;
  }
}

TEST(AnglesPoints, SnapCursorDirectionTurnedAxes) {
  // Mode 2 with base 30 turns the unturned cursor coordinates by 30.
  struct Case {
    double f;
    char kind;  // 'h' (curX, y0), 'v' (x0, curY), 'd' (x0 + dist, y0), each turned by 30
  };
  const Case cases[] = {
      {30, 'h'},  {50, 'h'},  {75, 'h'},  {76, 'v'},  {165, 'v'}, {166, 'h'}, {255, 'h'},
      {256, 'v'}, {345, 'v'}, {346, 'd'}, {389, 'd'}, {10, 'd'}};  // below the base: one turn later, (345, 390)
  const double b = 30, dist = 10;
  for (const Case& c : cases) {
    const RPoint2D cur = At(c.f, dist);
    const RPoint2D p = SnapCursorDirection(2, 0, 0, cur.x, cur.y, b);
    RPoint2D local = c.kind == 'h' ? RPoint2D{cur.x, 0} : c.kind == 'v' ? RPoint2D{0, cur.y} : RPoint2D{dist, 0};
    const RPoint2D want{local.x * std::cos(b * kRad) - local.y * std::sin(b * kRad),
                        local.x * std::sin(b * kRad) + local.y * std::cos(b * kRad)};
    EXPECT_NEAR(p.x, want.x, 1e-12) << c.f;
    EXPECT_NEAR(p.y, want.y, 1e-12) << c.f;
  }
}

}  // namespace
