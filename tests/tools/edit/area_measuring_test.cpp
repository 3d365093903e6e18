// The area-measuring outline: shoelace area, path length and centroid of
// clicked polygons in both orientations and at a group scale, and sides
// that follow a picked circle or arc in the direction of the pick.

#include "tools/edit/area_measuring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

constexpr double kDegAreaMeasuring = std::numbers::pi / 180.0;

RDrawElement CurveAreaMeasuring(double cx, double cy, double r, float ratio = 1.0f, float start = 0.0f,
                                float end = 0.0f) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = ratio;
  e.StartAngle = start;
  e.EndAngle = end;
  return e;
}

// Exact on the axes, so that a direction of 90 reads as exactly 90.
RPoint2D OnCircleAreaMeasuring(double r, double deg) {
  if (deg == 90.0) return {0.0, r};
  if (deg == 180.0) return {-r, 0.0};
  if (deg == 270.0) return {0.0, -r};
  return {r * std::cos(deg * kDegAreaMeasuring), r * std::sin(deg * kDegAreaMeasuring)};
}

double DirectionDeg(const ROutlinePoint& v) {
  double a = std::atan2(v.Y, v.X) / kDegAreaMeasuring;
  return a < 0 ? a + 360.0 : a;
}

struct PolygonCaseAreaMeasuring {
  const char* name;
  std::vector<RPoint2D> points;
  double scale;
  double area, length, cx, cy;
};

TEST(AreaMeasuring, PolygonsByShoelace) {
  const PolygonCaseAreaMeasuring cases[] = {
      // The square clockwise: +100, three sides of 10, centre (5, 5).
      {"square clockwise", {{0, 0}, {0, 10}, {10, 10}, {10, 0}}, 1.0, 100.0, 30.0, 5.0, 5.0},
      {"square anticlockwise", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 1.0, -100.0, 30.0, 5.0, 5.0},
      // Right triangle anticlockwise: 4 x 3 / 2 = 6, centroid (4/3, 1),
      // path 4 + 5 without the closing side.
      {"triangle anticlockwise", {{0, 0}, {4, 0}, {0, 3}}, 1.0, -6.0, 9.0, 4.0 / 3.0, 1.0},
      // L-shape from a 10 x 20 rectangle (200, centroid (5, 10)) and a
      // 20 x 10 one (200, centroid (20, 5)): 400, centroid (12.5, 7.5); the
      // path 20 + 10 + 10 + 20 + 10 leaves out the closing side of 30.
      {"L clockwise", {{0, 0}, {0, 20}, {10, 20}, {10, 10}, {30, 10}, {30, 0}}, 1.0, 400.0, 70.0, 12.5, 7.5},
      // The same L anticlockwise from another corner; path 10+20+10+10+20.
      {"L anticlockwise", {{30, 0}, {30, 10}, {10, 10}, {10, 20}, {0, 20}, {0, 0}}, 1.0, -400.0, 70.0, 12.5, 7.5},
      // Scale 100: 10 x 10 drawing units are 1000 x 1000 real mm.
      {"square at scale 100", {{0, 0}, {0, 10}, {10, 10}, {10, 0}}, 100.0, 1.0e6, 3000.0, 500.0, 500.0},
      // Scale 2.5 on the L: area x 6.25, lengths and centroid x 2.5.
      {"L at scale 2.5", {{0, 0}, {0, 20}, {10, 20}, {10, 10}, {30, 10}, {30, 0}}, 2.5, 2500.0, 175.0, 31.25, 18.75},
  };
  for (const PolygonCaseAreaMeasuring& c : cases) {
    SCOPED_TRACE(c.name);
    TSokuteiMenobj tool;
    for (const RPoint2D& p : c.points) tool.AddPoint(p.x, p.y, c.scale);
    const RPoint2D& first = c.points.front();
    const RPoint2D& last = c.points.back();
    EXPECT_EQ(tool.VertexCount, static_cast<int>(c.points.size()));
    EXPECT_NEAR(tool.Area, c.area, 1e-9 * std::abs(c.area));
    EXPECT_NEAR(tool.Length, c.length, 1e-9 * c.length);
    EXPECT_NEAR(tool.CentroidX, c.cx, 1e-9 * c.length);
    EXPECT_NEAR(tool.CentroidY, c.cy, 1e-9 * c.length);
    EXPECT_NEAR(tool.CentroidOffsetX, c.cx - first.x * c.scale, 1e-9 * c.length);
    EXPECT_NEAR(tool.CentroidOffsetY, c.cy - first.y * c.scale, 1e-9 * c.length);
    // The moment sums carry the area's sign.
    EXPECT_NEAR(tool.MomentY, c.cx * c.area, 1e-9 * std::abs(c.cx * c.area));
    EXPECT_NEAR(tool.MomentX, c.cy * c.area, 1e-9 * std::abs(c.cy * c.area));
    EXPECT_DOUBLE_EQ(tool.LastOffsetX, (last.x - first.x) * c.scale);
    EXPECT_DOUBLE_EQ(tool.LastOffsetY, (last.y - first.y) * c.scale);
    EXPECT_EQ(tool.GroupScale, c.scale);
    for (const ROutlinePoint& v : tool.Vertices) {
      EXPECT_EQ(v.PenDown, 1);
      EXPECT_EQ(v.ArcFlag, 0);
    }
  }
}

TEST(AreaMeasuring, FewPointsAndClear) {
  TSokuteiMenobj tool;
  tool.AddPoint(3, 4, 1.0);
  EXPECT_EQ(tool.VertexCount, 1);
  EXPECT_EQ(tool.Area, 0.0);
  EXPECT_EQ(tool.Length, 0.0);
  EXPECT_EQ(tool.CentroidOffsetX, 0.0);
  EXPECT_EQ(tool.CentroidOffsetY, 0.0);
  EXPECT_EQ(tool.LastOffsetX, 0.0);
  EXPECT_EQ(tool.LastOffsetY, 0.0);

  // (3, 4) -> (9, 4) -> (3, 10) runs anticlockwise: 6 x 6 / 2 = 18, negative,
  // centroid (5, 6). After a clear, two points enclose nothing: the area
  // reads 0 while the centroid of the last real outline stays.
  tool.AddPoint(9, 4, 1.0);
  tool.AddPoint(3, 10, 1.0);
  EXPECT_DOUBLE_EQ(tool.Area, -18.0);
  EXPECT_DOUBLE_EQ(tool.CentroidX, 5.0);
  EXPECT_DOUBLE_EQ(tool.CentroidY, 6.0);
  tool.Clear();
  EXPECT_EQ(tool.VertexCount, 0);
  EXPECT_TRUE(tool.Vertices.empty());
  EXPECT_DOUBLE_EQ(tool.Area, -18.0);  // results wait for the next point
  tool.AddPoint(0, 0, 1.0);
  tool.AddPoint(6, 8, 1.0);
  EXPECT_EQ(tool.Area, 0.0);
  EXPECT_DOUBLE_EQ(tool.Length, 10.0);
  EXPECT_DOUBLE_EQ(tool.CentroidX, 5.0);
  EXPECT_DOUBLE_EQ(tool.CentroidY, 6.0);
  EXPECT_DOUBLE_EQ(tool.LastOffsetX, 6.0);
  EXPECT_DOUBLE_EQ(tool.LastOffsetY, 8.0);
}

TEST(AreaMeasuring, BadInputChangesNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  TSokuteiMenobj tool;
  // An arc before the first point is ignored.
  tool.AddArc(CurveAreaMeasuring(0, 0, 10), 0, 10);
  EXPECT_FALSE(tool.ArcPending);
  tool.AddPoint(nan, 0, 1.0);
  tool.AddPoint(0, inf, 1.0);
  tool.AddPoint(0, 0, nan);
  EXPECT_EQ(tool.VertexCount, 0);
  tool.AddPoint(10, 0, 1.0);
  // A line, a circle of radius 0 and an ellipse of ratio 0 are no arcs.
  RDrawElement line = ZeroElement();
  line.Kind = kKindLine;
  tool.AddArc(line, 0, 10);
  tool.AddArc(CurveAreaMeasuring(0, 0, 0), 0, 10);
  tool.AddArc(CurveAreaMeasuring(0, 0, 10, 0.0f), 0, 10);
  EXPECT_FALSE(tool.ArcPending);
  tool.AddPoint(-10, 0, 1.0);
  EXPECT_EQ(tool.VertexCount, 2);
}

// A half circle of radius 10 picked between (10, 0) and (-10, 0), closed by
// its diameter: the inscribed half 200-gon. With theta = pi / 200 its area is
// 200 * r^2 sin(theta) / 2, its chords 200 * 2r sin(theta / 2), and its
// centroid lies on the y axis at 2r / (3 * 200 * tan(theta / 2)) (the fan of
// 200 triangles from the centre, each with its centroid at 2/3 of its apex
// height along its middle direction). Anticlockwise, so the area is negative.
TEST(AreaMeasuring, HalfCircleClosedByDiameter) {
  const double r = 10.0;
  const double theta = std::numbers::pi / 200.0;
  TSokuteiMenobj tool;
  tool.AddPoint(10, 0, 1.0);
  tool.AddArc(CurveAreaMeasuring(0, 0, r), 0, 10);
  EXPECT_TRUE(tool.ArcPending);
  EXPECT_DOUBLE_EQ(tool.PickDirection, 90.0);
  tool.AddPoint(-10, 0, 1.0);
  EXPECT_FALSE(tool.ArcPending);
  // The first point and the 201 arc points; the first arc point repeats it.
  ASSERT_EQ(tool.VertexCount, 202);
  ASSERT_EQ(tool.Vertices.size(), 202u);
  EXPECT_EQ(tool.Vertices[0].ArcFlag, 0);
  for (std::size_t i = 1; i < tool.Vertices.size(); ++i) {
    EXPECT_EQ(tool.Vertices[i].ArcFlag, 1);
    EXPECT_EQ(tool.Vertices[i].PenDown, 1);
    const double want = (i - 1) * 0.9;  // 180 degrees in 200 steps, upper half
    EXPECT_NEAR(tool.Vertices[i].X, r * std::cos(want * kDegAreaMeasuring), 1e-9);
    EXPECT_NEAR(tool.Vertices[i].Y, r * std::sin(want * kDegAreaMeasuring), 1e-9);
  }
  EXPECT_NEAR(tool.Area, -200.0 * r * r * std::sin(theta) / 2.0, 1e-9);
  EXPECT_NEAR(tool.Length, 200.0 * 2.0 * r * std::sin(theta / 2.0), 1e-9);
  EXPECT_NEAR(tool.CentroidX, 0.0, 1e-9);
  EXPECT_NEAR(tool.CentroidY, 2.0 * r / (3.0 * 200.0 * std::tan(theta / 2.0)), 1e-9);
}

TEST(AreaMeasuring, PointEndingAnArcIsReplaced) {
  TSokuteiMenobj tool;
  tool.AddPoint(0, -30, 1.0);
  tool.AddPoint(10, 0, 1.0);
  EXPECT_DOUBLE_EQ(tool.LastOffsetX, 10.0);
  EXPECT_DOUBLE_EQ(tool.LastOffsetY, 30.0);
  tool.AddArc(CurveAreaMeasuring(0, 0, 10), 0, 10);
  // Off the circle: the arc ends at its point in that direction, (-10, 0).
  tool.AddPoint(-20, 0, 1.0);
  ASSERT_EQ(tool.VertexCount, 203);
  EXPECT_NEAR(tool.Vertices.back().X, -10.0, 1e-9);
  EXPECT_NEAR(tool.Vertices.back().Y, 0.0, 1e-9);
  EXPECT_EQ(tool.Vertices.back().ArcFlag, 1);
  // The point that ends an arc leaves the last offset alone.
  EXPECT_DOUBLE_EQ(tool.LastOffsetX, 10.0);
  EXPECT_DOUBLE_EQ(tool.LastOffsetY, 30.0);
  // The next plain point is a vertex of its own again.
  tool.AddPoint(-10, -30, 1.0);
  EXPECT_EQ(tool.VertexCount, 204);
  EXPECT_EQ(tool.Vertices.back().ArcFlag, 0);
  EXPECT_DOUBLE_EQ(tool.LastOffsetX, -10.0);
  EXPECT_DOUBLE_EQ(tool.LastOffsetY, 0.0);
}

// One case per row of the choice of the arc's sweep, on a circle of radius
// 10 at the origin: the arc runs from P (the previous vertex) to Q and
// through the pick direction phi. Checked by the directions of the appended
// vertices 0, 50, 100 and 200.
struct DirectionCase {
  const char* name;
  double aP, aQ, phi;
  float elementStart, elementEnd;
  double at0, at50, at100, at200;
};

TEST(AreaMeasuring, ArcDirectionFollowsThePick) {
  const DirectionCase cases[] = {
      // aP < aQ, phi between: anticlockwise 30 -> 150 from P.
      {"between, P below Q", 30, 150, 90, 0, 0, 30, 60, 90, 150},
      // aP < aQ, phi outside: 150 -> 30 across 0 (sweep 240), run from P's
      // end backwards: clockwise 30 -> 330 -> 270 -> 150.
      {"outside, P below Q", 30, 150, 270, 0, 0, 30, 330, 270, 150},
      // aP > aQ, phi across 0: 300 -> 60 (sweep 120) from P.
      {"across zero, P above Q", 300, 60, 10, 0, 0, 300, 330, 0, 60},
      // aP > aQ, phi between: 60 -> 300 (sweep 240) run backwards from P.
      {"between, P above Q", 300, 60, 180, 0, 0, 300, 240, 180, 60},
      // The pick on P's own direction fits no row: the element's own angles
      // 0 -> 270 hold, run from their end nearer P (90 is nearer 0 than 270).
      {"pick on P", 90, 180, 90, 0, 270, 0, 67.5, 135, 270},
  };
  for (const DirectionCase& c : cases) {
    SCOPED_TRACE(c.name);
    TSokuteiMenobj tool;
    const RPoint2D p = OnCircleAreaMeasuring(10, c.aP);
    const RPoint2D q = OnCircleAreaMeasuring(10, c.aQ);
    const RPoint2D pick = OnCircleAreaMeasuring(5, c.phi);
    tool.AddPoint(p.x, p.y, 1.0);
    tool.AddArc(CurveAreaMeasuring(0, 0, 10, 1.0f, c.elementStart, c.elementEnd), pick.x, pick.y);
    tool.AddPoint(q.x, q.y, 1.0);
    ASSERT_EQ(tool.Vertices.size(), 202u);
    const double want[] = {c.at0, c.at50, c.at100, c.at200};
    const std::size_t at[] = {1, 51, 101, 201};
    for (int k = 0; k < 4; ++k) {
      const ROutlinePoint& v = tool.Vertices[at[k]];
      EXPECT_NEAR(std::hypot(v.X, v.Y), 10.0, 1e-9);
      const double got = DirectionDeg(v);
      EXPECT_NEAR(std::remainder(got - want[k], 360.0), 0.0, 1e-7) << "vertex " << at[k];
    }
  }
}

TEST(AreaMeasuring, SameDirectionGivesTheWholeCircle) {
  // P and Q on one ray: the arc is the whole circle from that direction.
  TSokuteiMenobj tool;
  tool.AddPoint(std::sqrt(50.0), std::sqrt(50.0), 1.0);
  tool.AddArc(CurveAreaMeasuring(0, 0, 10), -5, 0);
  tool.AddPoint(20, 20, 1.0);
  ASSERT_EQ(tool.Vertices.size(), 202u);
  for (std::size_t at : {1u, 201u}) {
    EXPECT_NEAR(tool.Vertices[at].X, std::sqrt(50.0), 1e-9);
    EXPECT_NEAR(tool.Vertices[at].Y, std::sqrt(50.0), 1e-9);
  }
  EXPECT_NEAR(tool.Vertices[101].X, -std::sqrt(50.0), 1e-9);
  EXPECT_NEAR(tool.Vertices[101].Y, -std::sqrt(50.0), 1e-9);
}

TEST(AreaMeasuring, SampleArcOnAnEllipse) {
  // Semi-axes 10 and 5, centre (2, 3), a quarter: every point lies on the
  // ellipse in its true direction start + k * 90 / 200 from the centre.
  TSokuteiMenobj::ArcSamples points;
  TSokuteiMenobj::SampleArc(points, 200, 2, 3, 10, 0.5, 0, 90, 0);
  for (int k = 0; k <= 200; ++k) {
    const RPoint2D& pt = points[static_cast<std::size_t>(k)];
    const double dx = pt.x - 2.0;
    const double dy = pt.y - 3.0;
    EXPECT_NEAR(dx * dx / 100.0 + dy * dy / 25.0, 1.0, 1e-9) << k;
    EXPECT_NEAR(std::atan2(dy, dx) / kDegAreaMeasuring, k * 90.0 / 200.0, 1e-7) << k;
  }
  // An end below the start sweeps across 0: 350 -> 10 is 20 degrees.
  TSokuteiMenobj::SampleArc(points, 200, 0, 0, 1, 1, 350, 10, 0);
  EXPECT_NEAR(std::atan2(points[100].y, points[100].x), 0.0, 1e-9);
  EXPECT_NEAR(std::atan2(points[200].y, points[200].x) / kDegAreaMeasuring, 10.0, 1e-7);
}

}  // namespace
