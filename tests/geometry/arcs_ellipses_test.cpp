#include "geometry/arcs_ellipses.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadArcsEllipses = kPi / 180.0;
constexpr double kPresetArcsEllipses = -7.0;

// Distance from (cx, cy) to the ellipse with semi-axes a, b turned by rot,
// in units of the ellipse: 1 on the curve.
double EllipseLevel(double x, double y, double cx, double cy, double a, double b, double rot) {
  const double dx = x - cx, dy = y - cy;
  const double c = std::cos(rot * kRadArcsEllipses), s = std::sin(rot * kRadArcsEllipses);
  const double lx = dx * c + dy * s, ly = -dx * s + dy * c;
  return std::hypot(lx / a, ly / b);
}

TEST(ArcsEllipses, Circumcircle) {
  struct Case {
    RPoint2D p1, p2, p3;
    bool ok;
  };
  const Case cases[] = {
      {{0, 0}, {2, 0}, {0, 2}, true},
      {{0, 0}, {1, 1}, {2, 2}, false},          // collinear
      {{0, 0}, {0.005, 0.005}, {3, 1}, false},  // P1 and P2 within 0.01
      {{0, 0}, {0.0099, 0}, {3, 1}, false},
      {{0, 0}, {0.0101, 0}, {3, 1}, true},
      {{0, 0}, {3, 1}, {0.0099, -0.0099}, false},  // P1 and P3
      {{3, 1}, {0, 0}, {0.0099, 0.0099}, false},   // P2 and P3
      {{5, 5}, {9, 5}, {5, 1}, true},
  };
  for (const Case& c : cases) {
    double cx = kPresetArcsEllipses, cy = kPresetArcsEllipses, r = kPresetArcsEllipses;
    EXPECT_EQ(Circumcircle(c.p1, c.p2, c.p3, cx, cy, r), c.ok) << c.p2.x << "," << c.p3.x;
    if (!c.ok) {
      EXPECT_EQ(cx, kPresetArcsEllipses);
      EXPECT_EQ(r, kPresetArcsEllipses);
      continue;
    }
    for (const RPoint2D& p : {c.p1, c.p2, c.p3}) EXPECT_NEAR(PointDistance(cx, cy, p.x, p.y), r, 1e-9);
  }
  double cx = 0, cy = 0, r = 0;
  ASSERT_TRUE(Circumcircle({0, 0}, {2, 0}, {0, 2}, cx, cy, r));
  EXPECT_NEAR(cx, 1, 1e-15);
  EXPECT_NEAR(cy, 1, 1e-15);
  EXPECT_NEAR(r, std::sqrt(2.0), 1e-15);
}

TEST(ArcsEllipses, ThreePointArc) {
  struct Case {
    double x1, y1, xm, ym, x3, y3;
    bool ok;
    double cx, cy, start, end;
  };
  const Case cases[] = {
      {1, 0, 0, 1, -1, 0, true, 0, 0, 0, 180},
      {-1, 0, 0, 1, 1, 0, true, 0, 0, 0, 180},   // the anticlockwise arc through 90
      {1, 0, 0, -1, -1, 0, true, 0, 0, 180, 0},  // through 270: across 0
      {5, 0, 0, 5, 0, -5, true, 0, 0, 0, 270},
      // Collinear: the caller's centre stays and the angles come from it.
      {1, 0, 2, 0, 3, 0, false, kPresetArcsEllipses, kPresetArcsEllipses, 0, 0},
  };
  for (const Case& c : cases) {
    double cx = kPresetArcsEllipses, cy = kPresetArcsEllipses, r = kPresetArcsEllipses, s = 0, e = 0;
    if (!c.ok) cx = 0, cy = 0;
    EXPECT_EQ(ThreePointArc(c.x1, c.y1, c.xm, c.ym, c.x3, c.y3, cx, cy, r, s, e), c.ok) << c.x1 << "," << c.ym;
    if (c.ok) {
      EXPECT_NEAR(cx, c.cx, 1e-12);
      EXPECT_NEAR(cy, c.cy, 1e-12);
    } else {
      EXPECT_EQ(cx, 0);
      EXPECT_EQ(r, kPresetArcsEllipses);
    }
    EXPECT_NEAR(s, c.start, 1e-9) << c.x1 << "," << c.ym;
    EXPECT_NEAR(e, c.end, 1e-9) << c.x1 << "," << c.ym;
  }
}

TEST(ArcsEllipses, ThreePointArcNeedsDistinctEnds) {
  // Radius 20000, first point at 0 degrees, middle at 180, last at 0.00005
  // (apart by less than 0.0001) or 0.00015 degrees.
  const double r = 20000;
  struct Case {
    double lastDeg;
    bool ok;
  };
  const Case cases[] = {{0.00005, false}, {0.00015, true}};
  for (const Case& c : cases) {
    double cx = 0, cy = 0, rr = 0, s = 0, e = 0;
    const double x3 = r * std::cos(c.lastDeg * kRadArcsEllipses), y3 = r * std::sin(c.lastDeg * kRadArcsEllipses);
    EXPECT_EQ(ThreePointArc(r, 0, -r, 0, x3, y3, cx, cy, rr, s, e), c.ok) << c.lastDeg;
    EXPECT_NEAR(rr, r, 1e-3);
  }
}

TEST(ArcsEllipses, CircleByTwoPointsRadius) {
  struct Case {
    RPoint2D p3;
    double r;
    bool ok;
    double cx, cy, rOut;
  };
  const Case cases[] = {
      {{2, 10}, 1, false, 2, 0, 7},       // no such circle: midpoint and |p1 p2| + 3
      {{2, 10}, 2.5, true, 2, 1.5, 2.5},  // centres (2, 1.5) and (2, -1.5)
      {{2, -10}, 2.5, true, 2, -1.5, 2.5},
      {{5, 0}, 2.5, true, 2, 1.5, 2.5},         // tie: the first candidate
      {{2, 9}, 2, true, 2, 0, 2},               // 2r = |p1 p2|: one centre
      {{0, 4}, 0, true, 2, 2, std::sqrt(8.0)},  // r = 0: circumcircle of the three
  };
  for (const Case& c : cases) {
    double cx = kPresetArcsEllipses, cy = kPresetArcsEllipses, r = kPresetArcsEllipses;
    EXPECT_EQ(CircleByTwoPointsRadius({0, 0}, {4, 0}, c.p3, c.r, cx, cy, r), c.ok) << c.r << " " << c.p3.y;
    EXPECT_NEAR(cx, c.cx, 1e-12) << c.r << " " << c.p3.y;
    EXPECT_NEAR(cy, c.cy, 1e-7) << c.r << " " << c.p3.y;
    EXPECT_NEAR(r, c.rOut, 1e-12) << c.r << " " << c.p3.y;
  }
}

TEST(ArcsEllipses, PointsAtParametricAngles) {
  struct Case {
    double param, rot, x, y;
  };
  const Case cases[] = {
      {0, 0, 2, 0},
      {90, 0, 0, 1},
      {450, 0, 0, 1},
      {90, 90, -1, 0},
      {180, 30, -2 * std::cos(30 * kRadArcsEllipses), -2 * std::sin(30 * kRadArcsEllipses)},
  };
  for (const Case& c : cases) {
    double x = 0, y = 0;
    EllipsePointAtParam(x, y, c.param, c.rot, 2, 1, 10, 20);
    EXPECT_NEAR(x, 10 + c.x, 1e-12) << c.param << " " << c.rot;
    EXPECT_NEAR(y, 20 + c.y, 1e-12) << c.param << " " << c.rot;
  }
}

TEST(ArcsEllipses, PointsInTrueDirections) {
  // The point lies on the turned ellipse and in the asked direction, in every quarter.
  const double a = 2, b = 1, cx = 3, cy = -4;
  for (const double rot : {0.0, 30.0, 100.0}) {
    for (const double angle : {0.0, 10.0, 45.0, 90.0, 100.0, 180.0, 200.0, 270.0, 300.0, 359.0}) {
      double x = kPresetArcsEllipses, y = kPresetArcsEllipses;
      EllipsePointAtAngle(x, y, angle, rot, a, b, cx, cy);
      EXPECT_NEAR(EllipseLevel(x, y, cx, cy, a, b, rot), 1, 1e-12) << rot << " " << angle;
      const double dir = DirectionAngleDeg(cx, cy, x, y);
      EXPECT_NEAR(std::remainder(dir - angle, 360.0), 0, 1e-9) << rot << " " << angle;
    }
  }
  // Direction 45 on the unturned ellipse: x = y with x^2/4 + x^2 = 1.
  double x = 0, y = 0;
  EllipsePointAtAngle(x, y, 45, 0, 2, 1, 0, 0);
  EXPECT_NEAR(x, 2 / std::sqrt(5.0), 1e-12);
  EXPECT_NEAR(y, 2 / std::sqrt(5.0), 1e-12);
  // A rotation of 0 or below is not applied: -30 gives the unturned ellipse's
  // point in direction angle + 30.
  double u = 0, v = 0;
  EllipsePointAtAngle(x, y, 20, -30, 2, 1, 0, 0);
  EllipsePointAtAngle(u, v, 50, 0, 2, 1, 0, 0);
  EXPECT_NEAR(x, u, 1e-12);
  EXPECT_NEAR(y, v, 1e-12);
  // A zero semi-axis writes nothing.
  x = kPresetArcsEllipses, y = kPresetArcsEllipses;
  EllipsePointAtAngle(x, y, 20, 0, 0, 1, 0, 0);
  EllipsePointAtAngle(x, y, 20, 0, 2, 0, 0, 0);
  EXPECT_EQ(x, kPresetArcsEllipses);
  EXPECT_EQ(y, kPresetArcsEllipses);
  // A near-unit circle keeps the true direction also when turned.
  EllipsePointAtAngle(x, y, 60, 30, 1.0005, 0.9995, 0, 0);
  EXPECT_NEAR(DirectionAngleDeg(0, 0, x, y), 60, 0.1);
}

TEST(ArcsEllipses, ParametricAngleOfADirection) {
  // The parametric angle t of the point in local direction l satisfies
  // tan t = a tan l / b: t = atan2(a sin l, b cos l); the output adds the rotation.
  const double a = 2, b = 1;
  for (const double rot : {0.0, 30.0}) {
    for (const double l : {0.0, 20.0, 45.0, 90.0, 135.0, 200.0, 225.0, 300.0, 315.0}) {
      double p = kPresetArcsEllipses;
      EllipseParamAngle(p, NormalizeAngle360(l + rot), rot, a, b, 0, 0, 0, 0);
      double t = std::atan2(a * std::sin(l * kRadArcsEllipses), b * std::cos(l * kRadArcsEllipses)) / kRadArcsEllipses;
      if (t < 0) t += 360;
      EXPECT_NEAR(std::remainder(p - (t + rot), 360.0), 0, 1e-9) << rot << " " << l;
    }
  }
  double p = 0;
  EllipseParamAngle(p, 45, 0, 2, 1, 0, 0, 0, 0);
  EXPECT_NEAR(p, std::atan(2.0) / kRadArcsEllipses, 1e-12);  // 63.43...
}

TEST(ArcsEllipses, DirectionFactorGivesTheMajorSemiAxis) {
  // A point on the ellipse with major semi-axis 10: factor x distance = 10.
  struct Case {
    double ratio, rot, param;
  };
  const Case cases[] = {{0.5, 0, 40}, {0.5, 30, 100}, {2, 0, 20}, {0.25, 250, 300}};
  for (const Case& c : cases) {
    double x = 0, y = 0;
    EllipsePointAtParam(x, y, c.param, c.rot, 10, 10 * c.ratio, 1, 2);
    const double d = PointDistance(1, 2, x, y);
    EXPECT_NEAR(EllipseDirectionFactor(c.ratio, c.rot, d, 1, 2, x, y) * d, 10, 1e-9) << c.param;
  }
  EXPECT_EQ(EllipseDirectionFactor(1.0009, 0, 5, 0, 0, 0, 5), 1.0);
  EXPECT_NEAR(EllipseDirectionFactor(1.002, 0, 5, 0, 0, 0, 5), 1 / 1.002, 1e-12);
  EXPECT_EQ(EllipseDirectionFactor(0, 0, 5, 0, 0, 0, 5), 1.0);  // b = 0
}

TEST(ArcsEllipses, EndAndMiddlePoints) {
  const RPointPair e = ArcEndPoints(1, 1, 10, 0, 90, 30);
  EXPECT_NEAR(e.xa, 1 + 10 * std::cos(30 * kRadArcsEllipses), 1e-12);
  EXPECT_NEAR(e.ya, 1 + 5, 1e-12);
  EXPECT_NEAR(e.xb, 1 - 5, 1e-12);
  EXPECT_NEAR(e.yb, 1 + 10 * std::sin(120 * kRadArcsEllipses), 1e-12);
  const RPointPair s = ArcEndPoints(0, 0, 10, 330, 0, 30);  // 360 wraps to the exact 0
  EXPECT_EQ(s.xa, 10.0);
  EXPECT_EQ(s.ya, 0.0);

  const RPointPair q = ArcEndPointsWithRatio(0, 0, 10, 0, 90, 0, 0.5);
  EXPECT_NEAR(q.xa, 10, 1e-12);
  EXPECT_NEAR(q.yb, 5, 1e-12);
  const RPointPair c = ArcEndPointsWithRatio(0, 0, 10, 0, 90, 30, 1);
  EXPECT_NEAR(c.xa, e.xa - 1, 1e-12);

  struct Mid {
    double start, end, rot, ratio, x, y;
  };
  const double h = 10 * std::sqrt(0.5);
  const Mid mids[] = {
      {0, 90, 0, 1, h, h},    {350, 10, 0, 1, 10, 0}, {90, 0, 0, 1, -h, -h},
      {0, 180, 0, 0.5, 0, 5}, {0, 90, 90, 1, -h, h},  {0, 180, 90, 0.5, -5, 0},
  };
  for (const Mid& m : mids) {
    const RPoint2D p = ArcMidPoint(0, 0, 10, m.start, m.end, m.rot, m.ratio);
    EXPECT_NEAR(p.x, m.x, 1e-12) << m.start << " " << m.end;
    EXPECT_NEAR(p.y, m.y, 1e-12) << m.start << " " << m.end;
  }
  const RPoint2D exact = ArcMidPoint(0, 0, 10, 350, 10, 0, 1);
  EXPECT_EQ(exact.x, 10.0);
  EXPECT_EQ(exact.y, 0.0);
}

TEST(ArcsEllipses, ArcToPolyline) {
  std::array<RPoint2D, 5> pts{};
  EXPECT_FALSE(ArcToPolyline(pts, 4, 0, 0, 10, 1, 0, 90, 0));
  for (int i = 0; i <= 4; ++i) {
    EXPECT_NEAR(DirectionAngleDeg(0, 0, pts[i].x, pts[i].y), 22.5 * i, 1e-9) << i;
    EXPECT_NEAR(PointDistance(0, 0, pts[i].x, pts[i].y), 10, 1e-12);
  }
  // The result tells whether start and end lie within 0.01 of each other.
  EXPECT_TRUE(ArcToPolyline(pts, 4, 0, 0, 10, 1, 0, 0.009, 0));
  EXPECT_FALSE(ArcToPolyline(pts, 4, 0, 0, 10, 1, 0, 0.011, 0));
  // Equal angles: a full turn from the start, reported as true.
  EXPECT_TRUE(ArcToPolyline(pts, 4, 0, 0, 10, 1, 30, 30, 0));
  EXPECT_NEAR(DirectionAngleDeg(0, 0, pts[0].x, pts[0].y), 30, 1e-9);
  EXPECT_NEAR(DirectionAngleDeg(0, 0, pts[1].x, pts[1].y), 120, 1e-9);
  EXPECT_NEAR(pts[4].x, pts[0].x, 1e-12);
  // Across 0 on an ellipse: parametric angles 300 to 60.
  EXPECT_FALSE(ArcToPolyline(pts, 2, 0, 0, 10, 0.5, 300, 60, 0));
  EXPECT_NEAR(pts[1].x, 10, 1e-12);
  EXPECT_NEAR(pts[1].y, 0, 1e-12);
  EXPECT_NEAR(pts[2].y, 5 * std::sin(60 * kRadArcsEllipses), 1e-12);
  // A sweep of zero (end = start - 360): a full turn from 0.
  EXPECT_FALSE(ArcToPolyline(pts, 4, 0, 0, 10, 1, 360, 0, 0));
  EXPECT_NEAR(pts[1].x, 0, 1e-12);
  EXPECT_NEAR(pts[1].y, 10, 1e-12);
  // Too few places or no chords: nothing is written.
  std::array<RPoint2D, 3> small{};
  small.fill({kPresetArcsEllipses, kPresetArcsEllipses});
  EXPECT_FALSE(ArcToPolyline(small, 4, 0, 0, 10, 1, 0, 90, 0));
  EXPECT_FALSE(ArcToPolyline(small, 0, 0, 0, 10, 1, 0, 90, 0));
  EXPECT_EQ(small[0].x, kPresetArcsEllipses);
}

TEST(ArcsEllipses, AnglesOrderingAndLength) {
  const auto [a1, a2] = AnglesFromCentre(1, 1, 0, 0, 0, 1, 5, -3, 1);
  EXPECT_EQ(a1, 90.0);
  EXPECT_EQ(a2, 180.0);

  struct Order {
    double start, end, through, s, e;
  };
  const Order orders[] = {
      {350, 10, 0, 350, 10},   {10, 350, 180, 10, 350}, {10, 350, 10, 10, 350},
      {10, 350, 350, 350, 10}, {90, 0, 45, 0, 90},
  };
  for (const Order& o : orders) {
    double s = o.start, e = o.end;
    OrderArcAngles(s, e, o.through);
    EXPECT_EQ(s, o.s) << o.start << " " << o.end << " " << o.through;
    EXPECT_EQ(e, o.e) << o.start << " " << o.end << " " << o.through;
  }

  struct Length {
    double start, end, degrees;
  };
  const Length lengths[] = {{0, 90, 90}, {350, 10, 20}, {30, 30, 360}, {0, 360, 360}, {90, 0, 270}, {10, -30, 320}};
  for (const Length& l : lengths) {
    EXPECT_NEAR(ArcLength(5, 5, 10, l.start, l.end, 0), 10 * kPi * l.degrees / 180, 1e-12) << l.start << " " << l.end;
  }
}

TEST(ArcsEllipses, PointOnCircularArcs) {
  struct Case {
    double start, end, rot, ratio, dirDeg, dist, tol;
    bool on;
  };
  const Case cases[] = {
      {0, 360, 0, 1, 123, 10, 0.1, true},                                           // full circle: any direction
      {0, 0, 0, 1, 250, 10, 0.1, true},         {350, 10, 0, 1, 5, 10, 0.1, true},  // across 0
      {350, 10, 0, 1, 355, 10, 0.1, true},      {350, 10, 0, 1, 180, 10, 0.1, false},
      {0, 90, 90, 1, 135, 10, 0.1, true},                                              // turned into 90..180
      {0, 90, 90, 1, 45, 10, 0.1, false},       {0, 90, 0, 1, 45, 10.099, 0.1, true},  // both sides of the tolerance
      {0, 90, 0, 1, 45, 10.101, 0.1, false},    {0, 90, 0, 1, 45, 9.901, 0.1, true},
      {0, 90, 0, 1, 45, 9.899, 0.1, false},     {0, 360, 0, 1, 45, 10.099, 0.1, true},
      {0, 360, 0, 1, 45, 10.101, 0.1, false},   {0, 90, 0, 1.005, 45, 10, 0.1, true},  // within 0.01 of a circle
      {0, 90, 0, 1.005, 45, 10.12, 0.1, true},                                         // the curve lies at 10.025 there
      {0, 90, 0, 1.005, 45, 10.13, 0.1, false},
  };
  for (const Case& c : cases) {
    const double px = 2 + c.dist * std::cos(c.dirDeg * kRadArcsEllipses);
    const double py = 3 + c.dist * std::sin(c.dirDeg * kRadArcsEllipses);
    EXPECT_EQ(PointOnArc(2, 3, 10, c.start, c.end, c.rot, c.ratio, px, py, c.tol), c.on)
        << c.start << "-" << c.end << " at " << c.dirDeg << " dist " << c.dist;
    EXPECT_EQ(PointOnArcRatioFirst(2, 3, 10, c.ratio, c.rot, c.start, c.end, px, py, c.tol), c.on);
  }
}

TEST(ArcsEllipses, PointOnEllipticalArcs) {
  // r 10, ratio 0.5: the point at parametric angle t, optionally moved
  // outward along its direction by `out`.
  struct Case {
    double start, end, rot, t, out;
    bool on;
  };
  const Case cases[] = {
      {0, 0, 0, 60, 0, true},  // whole ellipse
      {0, 360, 0, 200, 0, true},
      {0, 0, 0, 60, 0.05, true},  // within the tolerance 0.1
      {0, 0, 0, 60, 0.2, false},
      {0, 0, 0, 60, -0.2, false},
      {0, 180, 0, 90, 0, true},    // upper half
      {0, 180, 0, 270, 0, false},  // on the curve, outside the span
      {300, 60, 0, 0, 0, true},    // across 0
      {300, 60, 0, 330, 0, true},
      {300, 60, 0, 90, 0, false},
      // Parametric 80 lies in direction 70.6: outside the span 0..75 although
      // its direction is inside.
      {0, 75, 0, 80, 0, false},
      {0, 75, 0, 70, 0, true},
      {0, 90, 30, 45, 0, true},  // turned ellipse
      {0, 90, 30, 120, 0, false},
      {0, 90, 30, 45, 0.2, false},
  };
  for (const Case& c : cases) {
    double x = 0, y = 0;
    EllipsePointAtParam(x, y, c.t, c.rot, 10, 5, 1, 2);
    const double dir = DirectionAngleDeg(1, 2, x, y) * kRadArcsEllipses;
    x += c.out * std::cos(dir);
    y += c.out * std::sin(dir);
    EXPECT_EQ(PointOnArc(1, 2, 10, c.start, c.end, c.rot, 0.5, x, y, 0.1), c.on)
        << c.start << "-" << c.end << " rot " << c.rot << " t " << c.t << " out " << c.out;
  }
  EXPECT_FALSE(PointOnArc(0, 0, 0, 0, 0, 0, 0.5, 0, 0, 0.1));  // no ellipse
  // Beyond 0.01 of a circle the curve is an ellipse: its point at parametric
  // 90 lies at 10.2, which a circle of radius 10 would reject.
  EXPECT_TRUE(PointOnArc(0, 0, 10, 0, 180, 0, 1.02, 0, 10.2, 0.1));
  EXPECT_FALSE(PointOnArc(0, 0, 10, 0, 180, 0, 1.02, 0, 10, 0.1));
}

TEST(ArcsEllipses, MirrorArcAngles) {
  struct Case {
    float start, end, rot;
    double sx, sy;
    float s, e, r;
  };
  const Case cases[] = {
      {0, 90, 0, -1, 1, 90, 180, 0},    // mirrored in the vertical
      {0, 90, 0, 1, -1, 270, 0, 0},     // in the horizontal
      {0, 90, 0, -1, -1, 180, 270, 0},  // both: a half turn
      {0, 90, 30, -1, 1, 90, 180, 330}, {0, 90, 30, -1, -1, 180, 270, 30},
      {10, 50, 30, 2, 1, 10, 50, 30},  // positive factors change nothing
  };
  for (const Case& c : cases) {
    float s = c.start, e = c.end, r = c.rot;
    MirrorArcAngles(s, e, r, 4, 5, 10, c.sx, c.sy);
    EXPECT_NEAR(s, c.s, 1e-4) << c.sx << " " << c.sy << " " << c.rot;
    EXPECT_NEAR(e, c.e, 1e-4) << c.sx << " " << c.sy << " " << c.rot;
    EXPECT_NEAR(r, c.r, 1e-4) << c.sx << " " << c.sy << " " << c.rot;
  }
}

}  // namespace
