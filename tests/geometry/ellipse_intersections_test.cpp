#include "geometry/ellipse_intersections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "platform/input_polling.h"

namespace {

constexpr double kRadEllipseIntersections = std::numbers::pi / 180.0;
const RPointPair kPresetEllipseIntersections{-7, -7, -7, -7};

// Crossings of the segment P1-P2 with the ellipse (centre c, semi-axes a, b,
// turned by rot) from the quadratic in the segment parameter.
std::vector<RPoint2D> SegmentEllipse(double x1, double y1, double x2, double y2, double cx, double cy, double a,
                                     double b, double rot) {
  const double c = std::cos(rot * kRadEllipseIntersections), s = std::sin(rot * kRadEllipseIntersections);
  auto local = [&](double x, double y) {
    return RPoint2D{((x - cx) * c + (y - cy) * s) / a, (-(x - cx) * s + (y - cy) * c) / b};
  };
  const RPoint2D p = local(x1, y1), q = local(x2, y2);
  const double dx = q.x - p.x, dy = q.y - p.y;
  const double qa = dx * dx + dy * dy, qb = 2 * (p.x * dx + p.y * dy), qc = p.x * p.x + p.y * p.y - 1;
  const double disc = qb * qb - 4 * qa * qc;
  std::vector<RPoint2D> out;
  if (disc < 0) return out;
  for (const double t : {(-qb - std::sqrt(disc)) / (2 * qa), (-qb + std::sqrt(disc)) / (2 * qa)}) {
    if (t >= 0 && t <= 1) out.push_back({x1 + t * (x2 - x1), y1 + t * (y2 - y1)});
  }
  return out;
}

void ExpectPoint(const RPointPair& p, const RPoint2D& want, double tol, const char* what) {
  EXPECT_NEAR(p.xa, want.x, tol) << what;
  EXPECT_NEAR(p.ya, want.y, tol) << what;
  EXPECT_EQ(p.xb, -90000.0) << what;
  EXPECT_EQ(p.yb, -90000.0) << what;
}

TEST(EllipseIntersections, LineWithEllipseAgainstTheQuadratic) {
  struct Case {
    const char* name;
    double x1, y1, x2, y2, rot;
  };
  // Ellipse r 10, ratio 0.5 about (1, 2).
  const Case cases[] = {
      {"vertical", 7, -8, 7, 12, 0},          {"vertical reversed", 7, 12, 7, -8, 0}, {"slanted", -12, -3, 14, 9, 0},
      {"turned ellipse", -12, -3, 14, 9, 30}, {"turned, steep", 3, -14, 6, 16, 120},
  };
  for (const Case& c : cases) {
    const std::vector<RPoint2D> roots = SegmentEllipse(c.x1, c.y1, c.x2, c.y2, 1, 2, 10, 5, c.rot);
    ASSERT_EQ(roots.size(), 2u) << c.name;
    for (const RPoint2D& root : roots) {
      // The near point a little off the crossing: the window is around its direction.
      const RPointPair p = IntersectLineEllipse(c.x1, c.y1, c.x2, c.y2, 10, 1, 2, 0, 0, c.rot, 0.5, root.x + 0.3,
                                                root.y - 0.2, 0, kPresetEllipseIntersections);
      ExpectPoint(p, root, 1e-3, c.name);
    }
  }
}

TEST(EllipseIntersections, LineWithEllipseFindsNothing) {
  struct Case {
    const char* name;
    double x1, y1, x2, y2, nearX, nearY;
  };
  // Ellipse r 10, ratio 0.5 about the origin; its crossing with x = 6 is (6, +-4).
  const Case cases[] = {
      {"near point far from the crossings", 6, -10, 6, 10, 0, -20},
      {"segment stops short", 6, -10, 6, 3.9, 6, 4},
      {"segment outside", 20, -10, 20, 10, 6, 4},
  };
  for (const Case& c : cases) {
    const RPointPair p = IntersectLineEllipse(c.x1, c.y1, c.x2, c.y2, 10, 0, 0, 0, 0, 0, 0.5, c.nearX, c.nearY, 0,
                                              kPresetEllipseIntersections);
    EXPECT_EQ(p.xa, kPresetEllipseIntersections.xa) << c.name;
    EXPECT_EQ(p.yb, kPresetEllipseIntersections.yb) << c.name;
  }
}

TEST(EllipseIntersections, NearCirclesUseTheCircleFormula) {
  // Within 0.001 of a circle: both crossings of the infinite line, so a short
  // segment far from the curve still gets them.
  const double h = std::sqrt(0.75);
  RPointPair p =
      IntersectLineEllipse(-0.1, 0.5, 0.1, 0.5, 1, 0, 0, 0, 0, 0, 1.0005, 0, 0, 0, kPresetEllipseIntersections);
  EXPECT_NEAR(p.xa, -h, 1e-12);
  EXPECT_NEAR(p.ya, 0.5, 1e-12);
  EXPECT_NEAR(p.xb, h, 1e-12);
  EXPECT_NEAR(p.yb, 0.5, 1e-12);
  // Beyond 0.001 the bounded numeric search applies and this segment is too short.
  p = IntersectLineEllipse(-0.1, 0.5, 0.1, 0.5, 1, 0, 0, 0, 0, 0, 1.002, 0.9, 0.5, 0, kPresetEllipseIntersections);
  EXPECT_EQ(p.xa, kPresetEllipseIntersections.xa);
}

TEST(EllipseIntersections, EllipseWithEllipseAgainstClosedForms) {
  // Circles: both crossings.
  RPointPair p = IntersectEllipseEllipse(5, 0, 0, 0, 0, 0, 1, 5, 6, 0, 0, 0, 0, 1, 3, 4, kPresetEllipseIntersections);
  EXPECT_NEAR(p.xa, 3, 1e-12);
  EXPECT_NEAR(p.ya, 4, 1e-12);
  EXPECT_NEAR(p.xb, 3, 1e-12);
  EXPECT_NEAR(p.yb, -4, 1e-12);

  // Ellipse x^2/100 + y^2/25 = 1 and circle x^2 + y^2 = 36: x^2 = 0.44 / 0.03.
  const double x = std::sqrt(0.44 / 0.03), y = std::sqrt(36 - 0.44 / 0.03);
  p = IntersectEllipseEllipse(10, 0, 0, 0, 0, 0, 0.5, 6, 0, 0, 0, 0, 0, 1, x + 0.2, y + 0.1,
                              kPresetEllipseIntersections);
  ExpectPoint(p, {x, y}, 1e-3, "ellipse and circle");
  p = IntersectEllipseEllipse(6, 0, 0, 0, 0, 0, 1, 10, 0, 0, 0, 0, 0, 0.5, -x, -y, kPresetEllipseIntersections);
  ExpectPoint(p, {-x, -y}, 1e-3, "circle and ellipse");

  // The same ellipse and its copy turned by 90 meet on the diagonals: x^2 = 20.
  const double d = std::sqrt(20.0);
  p = IntersectEllipseEllipse(10, 0, 0, 0, 0, 0, 0.5, 10, 0, 0, 0, 0, 90, 0.5, 4.5, 4.5, kPresetEllipseIntersections);
  ExpectPoint(p, {d, d}, 1e-3, "crossed ellipses");

  // Within 0.001 of circles both: the circle formula and both points.
  p = IntersectEllipseEllipse(5, 0, 0, 0, 0, 0, 1.0009, 5, 6, 0, 0, 0, 0, 1, 3, 4, kPresetEllipseIntersections);
  EXPECT_NEAR(p.yb, -4, 1e-12);
  p = IntersectEllipseEllipse(5, 0, 0, 0, 0, 0, 1.002, 5, 6, 0, 0, 0, 0, 1, 3, 4, kPresetEllipseIntersections);
  EXPECT_EQ(p.yb, -90000.0);
  EXPECT_NEAR(p.xa, 3, 0.02);
  // Near point away from every crossing: the preset stays.
  p = IntersectEllipseEllipse(10, 0, 0, 0, 0, 0, 0.5, 6, 0, 0, 0, 0, 0, 1, 6, 0, kPresetEllipseIntersections);
  EXPECT_EQ(p.xa, kPresetEllipseIntersections.xa);
}

TEST(EllipseIntersections, BothButtonsHeldAbortTheSearch) {
  struct Case {
    bool left, right, found;
  };
  const Case cases[] = {{true, true, false}, {true, false, true}, {false, true, true}, {false, false, true}};
  for (const Case& c : cases) {
    FakeInputPolling fake;
    fake.Hold(PolledKey::LeftButton, c.left);
    fake.Hold(PolledKey::RightButton, c.right);
    ScopedInputPolling scope(fake);
    const RPointPair line =
        IntersectLineEllipse(6, -10, 6, 10, 10, 0, 0, 0, 0, 0, 0.5, 6, 4, 0, kPresetEllipseIntersections);
    EXPECT_EQ(line.xa != kPresetEllipseIntersections.xa, c.found) << c.left << c.right;
    const RPointPair two =
        IntersectEllipseEllipse(10, 0, 0, 0, 0, 0, 0.5, 10, 0, 0, 0, 0, 90, 0.5, 4.5, 4.5, kPresetEllipseIntersections);
    EXPECT_EQ(two.xa != kPresetEllipseIntersections.xa, c.found) << c.left << c.right;
    EXPECT_GT(fake.polls, 0);
  }
  // Held only from a later poll on, the abort still ends the search.
  FakeInputPolling late;
  late.holdAllFromPoll = 3;
  ScopedInputPolling scope(late);
  TDaenKoten search;
  search.FindEllipseCrossing(10, 0, 0, 0, 0, 0, 0.5, 10, 0, 0, 0, 0, 90, 0.5, 4.5, 4.5);
  EXPECT_FALSE(search.Found);
}

TEST(EllipseIntersections, SegmentSearchStateAfterAMiss) {
  TDaenKoten search;
  EXPECT_FALSE(search.Found);
  EXPECT_EQ(search.X, 0.0);
  search.FindSegmentCrossing(20, -10, 20, 10, 10, 0, 0, 0, 0, 0, 0.5, 6, 4, 3);  // 40 chords
  EXPECT_FALSE(search.Found);
  EXPECT_EQ(search.X, 0.0);  // cleared by the last chord test
  search.FindSegmentCrossing(6, -10, 6, 10, 10, 0, 0, 0, 0, 0, 0.5, 6, 4, 3);
  EXPECT_TRUE(search.Found);
  EXPECT_NEAR(search.X, 6, 1e-9);
  EXPECT_NEAR(search.Y, 4, 1e-3);
}

TEST(EllipseIntersections, SegmentWithArc) {
  const double s91 = std::sqrt(91.0);
  const double h = std::sqrt(75.0);
  struct Case {
    const char* name;
    double ratio, x1, y1, x2, y2;
    bool found;
    double x, y, tol;
  };
  // Arc 0..180 of radius 10 about the origin.
  const Case cases[] = {
      {"line misses the circle", 1, 11, -5, 11, 5, false, -7, -7, 0},
      {"stops 3% short", 1, 3, 0, 3, s91 * 0.97, true, 3, s91, 1e-12},
      {"stops 6% short", 1, 3, 0, 3, s91 * 0.94, false, -7, -7, 0},
      {"below the arc", 1, 3, -20, 3, -1, false, -7, -7, 0},
      {"two crossings, nearer the first end", 1, -20, 5, 20, 5, true, -h, 5, 1e-12},
      {"two crossings reversed", 1, 20, 5, -20, 5, true, h, 5, 1e-12},
      {"nearly a circle", 1.005, 3, 0, 3, 20, true, 3, s91, 1e-12},
      // Beyond 1.01 the ellipse: x = 3 meets x^2/100 + y^2/10.2^2 = 1 at y = 10.2 sqrt(0.91).
      {"beyond a circle", 1.02, 3, 0, 3, 20, true, 3, 10.2 * std::sqrt(0.91), 1e-3},
      // Ellipse (ratio 0.5): x = 6 meets the upper half at (6, 4).
      {"ellipse", 0.5, 6, -10, 6, 10, true, 6, 4, 1e-3},
      // 3% short of the ellipse: the polygon's hit stands.
      {"ellipse, stops short", 0.5, 6, 0, 6, 3.88, true, 6, 4, 0.02},
  };
  for (const Case& c : cases) {
    double x = -7, y = -7;
    EXPECT_EQ(IntersectArcSegment(0, 0, 10, 0, 180, 0, c.ratio, c.x1, c.y1, c.x2, c.y2, x, y), c.found) << c.name;
    if (c.tol == 0) {
      EXPECT_EQ(x, -7) << c.name;
      EXPECT_EQ(y, -7) << c.name;
    } else {
      EXPECT_NEAR(x, c.x, c.tol) << c.name;
      EXPECT_NEAR(y, c.y, c.tol) << c.name;
    }
  }
}

TEST(EllipseIntersections, EllipseTouchesRect) {
  struct Case {
    const char* name;
    double r, ratio, rot, rx1, ry1, rx2, ry2;
    bool touches;
  };
  // Curves about the origin.
  const Case cases[] = {
      {"around (10, 0)", 10, 1, 0, 9, -1, 11, 1, true},
      {"far away", 10, 1, 0, 100, 100, 101, 101, false},
      // A strip across the circle whose centre direction misses the curve.
      {"strip across", 10, 1, 0, 5, -20, 6, 20, true},
      {"square inside the circle", 10, 1, 0, 6, 6, 6.5, 6.5, false},
      {"square on the curve", 10, 1, 0, 7, 7, 7.2, 7.2, true},
      {"around the centre only", 10, 1, 0, -1, -1, 1, 1, false},
      {"window around it all", 10, 1, 0, -50, -50, 50, 50, true},
      {"window inside it all", 30, 1, 0, -5, -5, 5, 5, false},
      // A flat ellipse along the diagonal: on its curve, beside it within its
      // extents, and beyond its extents.
      {"turned, on the curve", 10, 0.2, 45, 6.9, 6.9, 7.2, 7.2, true},
      {"turned, beside", 10, 0.2, 45, 5, -5, 6, -4, false},
      {"turned, beyond", 10, 0.2, 45, 20, 20, 21, 21, false},
      {"corners given reversed", 10, 0.5, 0, 5.2, 4.6, 4.8, 4.0, true},
      {"rectangle without area", 10, 1, 0, 5, -20, 5, 20, false},
      {"flat ellipse crossing", 10, 0, 0, 4, -1, 5, 1, true},
      {"flat ellipse beside", 10, 0, 0, 4, 1, 5, 2, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EllipseTouchesRect(0, 0, c.r, c.ratio, c.rot, 0, 0, c.rx1, c.ry1, c.rx2, c.ry2, 0, 0), c.touches)
        << c.name;
  }
  // The same with the centre moved.
  EXPECT_TRUE(EllipseTouchesRect(100, 50, 10, 1, 0, 0, 0, 105, 30, 106, 70, 0, 0));
  EXPECT_FALSE(EllipseTouchesRect(100, 50, 10, 1, 0, 0, 0, 106, 56, 106.5, 56.5, 0, 0));
}

TEST(EllipseIntersections, ArcEndInRect) {
  struct Case {
    const char* name;
    double start, end, ratio, testDeg, rx1, ry1, rx2, ry2;
    bool result;
    int which;
  };
  const Case cases[] = {
      {"start in the rectangle", 0, 90, 1, 200, 9, -1, 11, 1, true, 1},
      {"end in the rectangle", 0, 90, 1, 200, 1, 9, -1, 11, true, 2},
      {"test within the span", 0, 90, 1, 45, 50, 50, 60, 60, true, 0},
      {"test outside the span", 0, 90, 1, 135, 50, 50, 60, 60, false, 0},
      {"span across 0", 300, 60, 1, 330, 50, 50, 60, 60, true, 0},
      {"span across 0, low side", 300, 60, 1, 30, 50, 50, 60, 60, true, 0},
      {"span across 0, outside", 300, 60, 1, 180, 50, 50, 60, 60, false, 0},
      // Ellipse: the span is the directions of the end points (param 80 lies
      // in direction 70.6).
      {"ellipse inside", 0, 80, 0.5, 70, 50, 50, 60, 60, true, 0},
      {"ellipse beyond the end direction", 0, 80, 0.5, 72, 50, 50, 60, 60, false, 0},
  };
  for (const Case& c : cases) {
    std::uint8_t which = 9;
    EXPECT_EQ(ArcEndInRect(which, c.start, c.end, 0, 10, 0, 0, c.ratio, c.testDeg, c.rx1, c.ry1, c.rx2, c.ry2),
              c.result)
        << c.name;
    EXPECT_EQ(which, c.which) << c.name;
  }
}

TEST(EllipseIntersections, NonFiniteInputsFindNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const double v : {nan, inf, -inf, 1e300}) {
    const RPointPair line =
        IntersectLineEllipse(v, 0, 6, 10, 10, 0, 0, 0, 0, 0, 0.5, v, 4, 0, kPresetEllipseIntersections);
    EXPECT_EQ(line.xa, kPresetEllipseIntersections.xa) << v;
    const RPointPair two =
        IntersectEllipseEllipse(10, v, 0, 0, 0, 0, 0.5, 10, 0, 0, 0, 0, 90, 0.5, v, 4.5, kPresetEllipseIntersections);
    EXPECT_EQ(two.xa, kPresetEllipseIntersections.xa) << v;
    double x = -7, y = -7;
    EXPECT_FALSE(IntersectArcSegment(0, 0, 10, 0, 180, 0, 0.5, v, v, 6, 10, x, y)) << v;
    EXPECT_EQ(x, -7);
    EXPECT_FALSE(EllipseTouchesRect(v, 0, 10, 0.5, 0, 0, 0, 5, 5, 6, 6, 0, 0)) << v;
  }
}

}  // namespace
