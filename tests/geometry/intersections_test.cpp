#include "geometry/intersections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPreset = -7.0;

struct Seg {
  double x1, y1, x2, y2;
};

TEST(Intersections, BoundedMembersOnBothSidesOfTheirBounds) {
  using Fn = bool (*)(double&, double&, double, double, double, double, double, double, double, double);
  struct Case {
    const char* name;
    Fn fn;
    Seg a, b;
    bool result;
    double x, y;  // expected outputs, the preset where untouched
  };
  const Case cases[] = {
      {"segments X", IntersectSegments, {0, 0, 2, 2}, {0, 2, 2, 0}, true, 1, 1},
      {"segments shared end", IntersectSegments, {0, 0, 1, 0}, {1, 0, 1, 1}, true, 1, 0},
      {"segments parallel", IntersectSegments, {0, 0, 1, 0}, {0, 1, 1, 1}, false, 0, 0},
      {"segments A short", IntersectSegments, {0, 0, 1, 0}, {1.0000001, -1, 1.0000001, 1}, false, 0, 0},
      {"segments B short", IntersectSegments, {0, 0, 2, 0}, {1, 1e-9, 1, 1}, false, 0, 0},
      {"slack inside", IntersectSegmentsSlack1e6, {0, 0, 1, 0}, {1.0000005, -1, 1.0000005, 1}, true, 1.0000005, 0},
      {"slack outside", IntersectSegmentsSlack1e6, {0, 0, 1, 0}, {1.000002, -1, 1.000002, 1}, false, 0, 0},
      {"slack B inside", IntersectSegmentsSlack1e6, {0, 0, 2, 0}, {1, -0.0000005, 1, 1}, true, 1, 0},
      {"slack B outside", IntersectSegmentsSlack1e6, {0, 0, 2, 0}, {1, 0.000002, 1, 1}, false, 0, 0},
      {"line-seg hit", IntersectLineSegment, {0, 0, 1, 0}, {5, -1, 5, 1}, true, 5, 0},
      {"line-seg segment end", IntersectLineSegment, {0, 0, 1, 0}, {5, 0, 5, 1}, true, 5, 0},
      {"line-seg miss", IntersectLineSegment, {0, 0, 1, 0}, {5, 1, 5, 2}, false, kPreset, kPreset},
      {"line-seg parallel", IntersectLineSegment, {0, 0, 1, 0}, {0, 1, 5, 1}, false, kPreset, kPreset},
      // D = 1 * dBy: 0.0009 is parallel for the 0.001 member, 0.0011 is not.
      {"line-seg 1e-3 parallel",
       IntersectLineSegmentEps1e3,
       {0, 0, 1, 0},
       {5, -0.0005, 6, 0.0004},
       false,
       kPreset,
       kPreset},
      {"line-seg 1e-3 hit",
       IntersectLineSegmentEps1e3,
       {0, 0, 1, 0},
       {5, -0.0005, 6, 0.0006},
       true,
       5 + 0.0005 / 0.0011,
       0},
      {"lines far crossing", IntersectLines, {0, 0, 1, 0}, {3, 0, 4, 1e-12}, true, 3, 0},
      {"lines parallel", IntersectLines, {0, 0, 1, 0}, {0, 1, 1, 1}, false, kPreset, kPreset},
      {"lines 1e-7 parallel", IntersectLinesEps1e7, {0, 0, 1, 0}, {3, 0, 4, 1e-7}, false, kPreset, kPreset},
      {"lines 1e-7 hit", IntersectLinesEps1e7, {0, 0, 1, 0}, {3, 0, 4, 1.1e-7}, true, 3, 0},
      {"lines 1e-4 parallel", IntersectLinesEps1e4, {0, 0, 1, 0}, {3, 0, 4, 0.0001}, false, kPreset, kPreset},
      {"lines 1e-4 hit", IntersectLinesEps1e4, {0, 0, 1, 0}, {3, 0, 4, 0.00011}, true, 3, 0},
      {"lines 2e-2 parallel", IntersectLinesEps2e2, {0, 0, 1, 0}, {3, 0, 4, 0.019}, false, kPreset, kPreset},
      {"lines 2e-2 hit", IntersectLinesEps2e2, {0, 0, 1, 0}, {3, 0, 4, 0.021}, true, 3, 0},
  };
  for (const Case& c : cases) {
    double x = kPreset, y = kPreset;
    EXPECT_EQ(c.fn(x, y, c.a.x1, c.a.y1, c.a.x2, c.a.y2, c.b.x1, c.b.y1, c.b.x2, c.b.y2), c.result) << c.name;
    EXPECT_NEAR(x, c.x, 1e-12) << c.name;
    EXPECT_NEAR(y, c.y, 1e-12) << c.name;
  }
}

TEST(Intersections, CrossingTestsWithoutOutputs) {
  using Fn = bool (*)(double, double, double, double, double, double, double, double);
  struct Case {
    Fn fn;
    Seg a, b;
    bool result;
  };
  const Case cases[] = {
      {SegmentsCross, {0, 0, 2, 2}, {0, 2, 2, 0}, true},
      {SegmentsCross, {0, 0, 1, 0}, {1, 0, 1, 1}, true},   // shared end
      {SegmentsCross, {0, 0, 1, 0}, {0, 0, 1, 0}, false},  // parallel (the same)
      {SegmentsCross, {0, 0, 1, 0}, {1.001, -1, 1.001, 1}, false},
      // A may reach 5% beyond its ends, B may not.
      {SegmentsCrossSlack5, {0, 0, 1, 0}, {1.04, -1, 1.04, 1}, true},
      {SegmentsCrossSlack5, {0, 0, 1, 0}, {1.06, -1, 1.06, 1}, false},
      {SegmentsCrossSlack5, {0, 0, 1, 0}, {-0.04, -1, -0.04, 1}, true},
      {SegmentsCrossSlack5, {0, 0, 1, 0}, {-0.06, -1, -0.06, 1}, false},
      {SegmentsCrossSlack5, {0, 0, 2, 0}, {1, 0.01, 1, 1}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.fn(c.a.x1, c.a.y1, c.a.x2, c.a.y2, c.b.x1, c.b.y1, c.b.x2, c.b.y2), c.result)
        << c.b.x1 << "," << c.b.y1;
  }
}

TEST(Intersections, ParallelToleranceScalesWithBothLengths) {
  // 1 mm and 10 mm at 0.1 degree: cross product about 0.017, parallel; the
  // same directions at 100 mm and 100 mm (about 17) are not.
  const double s = std::sin(0.1 * std::numbers::pi / 180);
  const double c = std::cos(0.1 * std::numbers::pi / 180);
  double x = kPreset, y = kPreset;
  EXPECT_FALSE(IntersectLinesEps2e2(x, y, 0, 0, 1, 0, 0, 1, 10 * c, 1 + 10 * s));
  EXPECT_EQ(x, kPreset);
  EXPECT_TRUE(IntersectLinesEps2e2(x, y, 0, 0, 100, 0, 0, 1, 100 * c, 1 + 100 * s));
  EXPECT_NEAR(x, -1 / std::tan(0.1 * std::numbers::pi / 180), 1e-6);
  EXPECT_NEAR(y, 0, 1e-9);
}

TEST(Intersections, CollinearMembers) {
  using Fn = bool (*)(double&, double&, bool&, double, double, double, double, double, double, double, double);
  struct Case {
    const char* name;
    Fn fn;
    Seg a, b;
    bool result, collinear;
    double x, y;
  };
  const Case cases[] = {
      // C1: B2 at (-5, 0.0001) lies in direction 179.9989 from A1, within 0.01 of 180.
      {"C1 passes", IntersectLinesOrCollinearEps11e3, {0, 0, 1, 0}, {3, 0, -5, 0.0001}, true, true, kPreset, kPreset},
      // Directions 0.004 and 359.997 straddle 0: no wrap, so no pass.
      {"C1 straddle",
       IntersectLinesOrCollinearEps11e3,
       {0, 0, 1000, 0.07},
       {0, -0.1224, 1000, -0.0524},
       false,
       false,
       kPreset,
       kPreset},
      {"C1 same side",
       IntersectLinesOrCollinearEps11e3,
       {0, 0, 1000, 0.07},
       {0, -0.02, 1000, 0.05},
       true,
       true,
       kPreset,
       kPreset},
      {"11e3 parallel side",
       IntersectLinesOrCollinearEps11e3,
       {0, 0, 1, 0},
       {2, 0, 3, 0.0109},
       false,
       false,
       kPreset,
       kPreset},
      {"11e3 crossing", IntersectLinesOrCollinearEps11e3, {0, 0, 1, 0}, {2, 0, 3, 0.0111}, true, false, 2, 0},
      {"C2 passes", IntersectLinesOrCollinearEps6e5, {0, 0, 1, 0}, {2, 0, 3, 0.00005}, true, true, kPreset, kPreset},
      {"6e5 crossing", IntersectLinesOrCollinearEps6e5, {0, 0, 1, 0}, {2, 0, 3, 0.00007}, true, false, 2, 0},
      {"C2 parallel apart",
       IntersectLinesOrCollinearEps6e5,
       {0, 0, 1, 0},
       {0, 1, 1, 1},
       false,
       false,
       kPreset,
       kPreset},
      // Both sides of the 0.01-degree bound of C2 (B's direction 0.0086 and 0.0172).
      {"C2 within 0.01 deg",
       IntersectLinesOrCollinearEps6e5,
       {0, 0, 0.001, 0},
       {2, 0, 3, 0.00015},
       true,
       true,
       kPreset,
       kPreset},
      {"C2 beyond 0.01 deg",
       IntersectLinesOrCollinearEps6e5,
       {0, 0, 0.001, 0},
       {2, 0, 3, 0.0003},
       false,
       false,
       kPreset,
       kPreset},
      {"1e2 collinear",
       IntersectLinesOrCollinearEps1e2,
       {0, 0, 100, 0},
       {200, 0, 300, 0.00009},
       true,
       true,
       kPreset,
       kPreset},
      {"1e2 crossing", IntersectLinesOrCollinearEps1e2, {0, 0, 100, 0}, {200, 0, 300, 0.00011}, true, false, 200, 0},
      {"1e2 parallel apart",
       IntersectLinesOrCollinearEps1e2,
       {0, 0, 1, 0},
       {0, 1, 1, 1.009},
       false,
       false,
       kPreset,
       kPreset},
  };
  for (const Case& c : cases) {
    double x = kPreset, y = kPreset;
    bool collinear = !c.collinear;  // cleared on entry
    EXPECT_EQ(c.fn(x, y, collinear, c.a.x1, c.a.y1, c.a.x2, c.a.y2, c.b.x1, c.b.y1, c.b.x2, c.b.y2), c.result)
        << c.name;
    EXPECT_EQ(collinear, c.collinear) << c.name;
    EXPECT_NEAR(x, c.x, 1e-9) << c.name;
    EXPECT_NEAR(y, c.y, 1e-9) << c.name;
  }
}

TEST(Intersections, LongestEndPointSpan) {
  struct Case {
    Seg a, b, span;
  };
  const Case cases[] = {
      {{0, 0, 5, 0}, {3, 0, 9, 0}, {0, 0, 9, 0}},      // A1-B2
      {{0, 0, 10, 0}, {-5, 0, 1, 0}, {-5, 0, 10, 0}},  // A2-B1, written B1 first
      {{0, 0, 10, 0}, {2, 0, 3, 0}, {0, 0, 10, 0}},    // A1-A2
      {{2, 0, 3, 0}, {0, 0, 10, 0}, {0, 0, 10, 0}},    // B1-B2
      {{9, 0, 0, 0}, {10, 0, 1, 0}, {10, 0, 0, 0}},    // A2-B1 again, B1 first
      {{0, 0, 5, 0}, {0, 0, 5, 0}, {0, 0, 5, 0}},      // ties: A1-B2 is the first
      {{0, 0, 5, 0}, {5, 0, 0, 0}, {0, 0, 5, 0}},      // ties: A1-B1 is the first
  };
  for (const Case& c : cases) {
    double x1 = kPreset, y1 = kPreset, x2 = kPreset, y2 = kPreset;
    LongestEndPointSpan(c.a.x1, c.a.y1, c.a.x2, c.a.y2, c.b.x1, c.b.y1, c.b.x2, c.b.y2, x1, y1, x2, y2);
    EXPECT_EQ(x1, c.span.x1) << c.a.x1 << " " << c.b.x1;
    EXPECT_EQ(y1, c.span.y1);
    EXPECT_EQ(x2, c.span.x2) << c.a.x1 << " " << c.b.x1;
    EXPECT_EQ(y2, c.span.y2);
  }
}

TEST(Intersections, LineWithinRadius) {
  EXPECT_TRUE(LineWithinRadius(0, 0, 3, -5, 3, 5, 3));
  EXPECT_FALSE(LineWithinRadius(0, 0, 2.999, -5, 3, 5, 3));
  EXPECT_FALSE(LineWithinRadius(0, 0, 1, 7, -5, 7, -1));
  EXPECT_FALSE(LineWithinRadius(0, 0, 100, 1, 1, 1, 1));  // no line
}

TEST(Intersections, LineWithCircleAgainstClosedForms) {
  // Line y = m x + q with the unit circle: (1 + m^2) x^2 + 2 m q x + q^2 - 1 = 0.
  auto roots = [](double m, double q, double& xr, double& xl) {
    const double a = 1 + m * m, b = 2 * m * q, c = q * q - 1;
    const double s = std::sqrt(b * b - 4 * a * c);
    xr = (-b + s) / (2 * a);
    xl = (-b - s) / (2 * a);
  };
  double xr = 0, xl = 0;
  roots(0.1, -0.5, xr, xl);
  // Below the centre the first point is the right-hand crossing.
  RPointPair p = IntersectLineCircle(-10, -1.5, 10, 0.5, 0, 0, 1);
  EXPECT_NEAR(p.xa, xr, 1e-12);
  EXPECT_NEAR(p.ya, 0.1 * xr - 0.5, 1e-12);
  EXPECT_NEAR(p.xb, xl, 1e-12);
  EXPECT_NEAR(p.yb, 0.1 * xl - 0.5, 1e-12);
  // Above it, the left-hand one.
  roots(0.1, 0.5, xr, xl);
  p = IntersectLineCircle(-10, -0.5, 10, 1.5, 0, 0, 1);
  EXPECT_NEAR(p.xa, xl, 1e-12);
  EXPECT_NEAR(p.xb, xr, 1e-12);
  EXPECT_NEAR(p.yb, 0.1 * xr + 0.5, 1e-12);

  struct Case {
    Seg line;
    double cx, cy, r;
    RPointPair want;
  };
  const double h = std::sqrt(0.75);
  const double g = std::sqrt(1 - 0.9998 * 0.9998);
  const double k = std::sqrt(0.5);
  const Case cases[] = {
      {{3, -5, 3, 5}, 0, 0, 1, {3, 0, 3, 0}},                          // miss: the foot twice
      {{0.5, -5, 0.5, 5}, 0, 0, 1, {0.5, -h, 0.5, h}},                 // vertical
      {{0.5, -5, 0.50005, 5}, 0, 0, 1, {0.5, -h, 0.5, h}},             // within 0.0001 of vertical
      {{-5, 0.5, 5, 0.5}, 0, 0, 1, {-h, 0.5, h, 0.5}},                 // horizontal
      {{-5, 1.00005, 5, 1.00005}, 0, 0, 1, {0, 1.00005, 0, 1.00005}},  // tangent band, outside
      {{-5, 0.99995, 5, 0.99995}, 0, 0, 1, {0, 0.99995, 0, 0.99995}},  // tangent band, inside
      {{-5, 0.9998, 5, 0.9998}, 0, 0, 1, {-g, 0.9998, g, 0.9998}},     // beyond the band
      {{-1, -1, 1, 1}, 0, 0, 1, {k, k, -k, -k}},                       // through the centre
      {{12, 20, 14, 20}, 13, 20, 2, {11, 20, 15, 20}},                 // centre off the origin
      {{2, 3, 2, 3}, 0, 0, 1, {2, 3, 2, 3}},                           // no line: its points
  };
  for (const Case& c : cases) {
    const RPointPair q = IntersectLineCircle(c.line.x1, c.line.y1, c.line.x2, c.line.y2, c.cx, c.cy, c.r);
    EXPECT_NEAR(q.xa, c.want.xa, 1e-9) << c.line.x1 << " " << c.line.y1;
    EXPECT_NEAR(q.ya, c.want.ya, 1e-9) << c.line.x1 << " " << c.line.y1;
    EXPECT_NEAR(q.xb, c.want.xb, 1e-9) << c.line.x1 << " " << c.line.y1;
    EXPECT_NEAR(q.yb, c.want.yb, 1e-9) << c.line.x1 << " " << c.line.y1;
  }
  // 0.0002 off vertical: the general formula, still on the line and the circle.
  const RPointPair v = IntersectLineCircle(0.5, -5, 0.5002, 5, 0, 0, 1);
  for (const double* q : {&v.xa, &v.xb}) {
    EXPECT_NEAR(PointDistance(0, 0, q[0], q[1]), 1, 1e-12);
    EXPECT_NEAR(q[0], 0.5 + 0.0002 * (q[1] + 5) / 10, 1e-12);
  }
  EXPECT_LT(v.ya * v.yb, 0);  // one above, one below
  // r = 0: the caller's preset comes back.
  const RPointPair preset{1, 2, 3, 4};
  const RPointPair none = IntersectLineCircle(-5, 0, 5, 0, 0, 0, 0, preset);
  EXPECT_EQ(none.xa, 1);
  EXPECT_EQ(none.yb, 4);
}

TEST(Intersections, CirclesAgainstClosedForms) {
  struct Case {
    double x1, y1, r1, x2, y2, r2;
    RPointPair want;
  };
  const double m = std::sqrt(24.0);
  const Case cases[] = {
      {0, 0, 5, 6, 0, 5, {3, 4, 3, -4}},  {6, 0, 5, 0, 0, 5, {3, 4, 3, -4}},  // the left circle is the base either way
      {0, 0, 5, 0, 6, 5, {4, 3, -4, 3}},   // equal x: the second circle is the base, at -90
      {0, 0, 2, 0, 0, 3, {0, 3, 0, -3}},   // equal centres: the base circle's top and bottom
      {0, 0, 1, 2, 0, 1, {1, 0, 1, 0}},    // touching
      {0, 0, 1, 10, 0, 1, {5, -m, 5, m}},  // apart: negative h, points off the circles
      {1, 1, 5, 8, 2, 5, {0, 0, 0, 0}},    // general: checked below on both circles
  };
  for (const Case& c : cases) {
    const RPointPair p = IntersectCircles(c.x1, c.y1, c.r1, c.x2, c.y2, c.r2);
    if (c.x1 == 1) {
      EXPECT_NEAR(PointDistance(p.xa, p.ya, 1, 1), 5, 1e-12);
      EXPECT_NEAR(PointDistance(p.xa, p.ya, 8, 2), 5, 1e-12);
      EXPECT_NEAR(PointDistance(p.xb, p.yb, 1, 1), 5, 1e-12);
      EXPECT_NEAR(PointDistance(p.xb, p.yb, 8, 2), 5, 1e-12);
      EXPECT_GT(PointDistance(p.xa, p.ya, p.xb, p.yb), 1);
      continue;
    }
    EXPECT_NEAR(p.xa, c.want.xa, 1e-9) << c.x1 << " " << c.x2;
    EXPECT_NEAR(p.ya, c.want.ya, 1e-9) << c.x1 << " " << c.x2;
    EXPECT_NEAR(p.xb, c.want.xb, 1e-9) << c.x1 << " " << c.x2;
    EXPECT_NEAR(p.yb, c.want.yb, 1e-9) << c.x1 << " " << c.x2;
  }
}

}  // namespace
