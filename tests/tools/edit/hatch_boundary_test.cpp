// The hatch boundary collector: loops closed by repeating their first point,
// several loops in a row, and picked circles, arcs and ellipses travelled
// from the last vertex to the click that ends them.

#include "tools/edit/hatch_boundary.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

RDrawElement Curve(double cx, double cy, double r, float ratio = 1.0f, float rotation = 0.0f, float start = 0.0f,
                   float end = 0.0f) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = ratio;
  e.Rotation = rotation;
  e.StartAngle = start;
  e.EndAngle = end;
  return e;
}

RPoint2D OnCircleHatchBoundary(double cx, double cy, double r, double deg) {
  return {cx + r * std::cos(deg * kDeg), cy + r * std::sin(deg * kDeg)};
}

void ExpectVertex(const ROutlinePoint& v, RPoint2D want, int pen, int arc, double tol = 1e-9) {
  EXPECT_NEAR(v.X, want.x, tol);
  EXPECT_NEAR(v.Y, want.y, tol);
  EXPECT_EQ(v.PenDown, pen);
  EXPECT_EQ(v.ArcFlag, arc);
}

std::vector<int> PenFlags(const THachiTenobj& tool) {
  std::vector<int> flags;
  for (const ROutlinePoint& v : tool.Vertices) flags.push_back(v.PenDown);
  return flags;
}

TEST(HatchBoundary, StartsEmpty) {
  THachiTenobj tool;
  EXPECT_EQ(tool.VertexCount, 0);
  EXPECT_TRUE(tool.Vertices.empty());
  EXPECT_FALSE(tool.ArcPending);
  EXPECT_EQ(tool.BasePoint.x, 0.0);
  EXPECT_EQ(tool.BasePoint.y, 0.0);
  for (std::int32_t s : tool.LoopStarts) EXPECT_EQ(s, 0);
  tool.SetBasePoint(3.5, -2.0);
  EXPECT_EQ(tool.BasePoint.x, 3.5);
  EXPECT_EQ(tool.BasePoint.y, -2.0);
}

TEST(HatchBoundary, RepeatingTheFirstPointWithinTheToleranceClosesTheLoop) {
  struct Case {
    double dx, dy;
    bool closes;
  };
  const Case cases[] = {
      {0.0, 0.0, true},       {0.99e-4, -0.99e-4, true},  // just within in both coordinates
      {1.01e-4, 0.0, false},                              // just beyond in x
      {0.0, -1.01e-4, false},                             // just beyond in y
      {0.5e-4, 2e-4, false},                              // within in x only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
    THachiTenobj tool;
    tool.AddPoint(10, 20);
    tool.AddPoint(30, 20);
    tool.AddPoint(30, 40);
    tool.AddPoint(10, 40);
    tool.AddPoint(10 + c.dx, 20 + c.dy);
    EXPECT_EQ(tool.VertexCount, 5);
    ASSERT_EQ(tool.Vertices.size(), 5u);
    EXPECT_EQ(PenFlags(tool), (std::vector<int>{1, 1, 1, 1, c.closes ? 0 : 1}));
    // Closing the first loop records vertex 5 as the start of loops 2, 4, 6
    // and 8 (the unset starts read 0, the first vertex).
    const std::array<std::int32_t, 7> closed{5, 0, 5, 0, 5, 0, 5};
    const std::array<std::int32_t, 7> open{};
    EXPECT_EQ(tool.LoopStarts, c.closes ? closed : open);
    ExpectVertex(tool.Vertices[4], {10 + c.dx, 20 + c.dy}, c.closes ? 0 : 1, 0);
  }
}

TEST(HatchBoundary, LoopsInARowCloseOnTheirOwnFirstPointsUpToSeven) {
  // Eight triangles side by side, each closed by clicking its first corner
  // again: vertices 4k to 4k + 3, the closing one pen up.
  THachiTenobj tool;
  for (int k = 0; k < 8; ++k) {
    const double x = 20.0 * k;
    tool.AddPoint(x, 0);
    tool.AddPoint(x + 10, 0);
    tool.AddPoint(x + 5, 8);
    tool.AddPoint(x, 0);
  }
  ASSERT_EQ(tool.VertexCount, 32);
  std::vector<int> want;
  for (int k = 0; k < 8; ++k) {
    // The eighth loop's start is recorded but never compared.
    want.insert(want.end(), {1, 1, 1, k < 7 ? 0 : 1});
  }
  EXPECT_EQ(PenFlags(tool), want);
  EXPECT_EQ(tool.LoopStarts, (std::array<std::int32_t, 7>{4, 8, 12, 16, 20, 24, 28}));
  // No boundary line joins a closing vertex to the next loop's first one.
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(tool.Vertices[static_cast<std::size_t>(4 * k + 3)].PenDown, 0);
    EXPECT_EQ(tool.Vertices[static_cast<std::size_t>(4 * k + 4)].X, 20.0 * (k + 1));
  }
}

TEST(HatchBoundary, TheSecondLoopRecordsItsSuccessorsStart) {
  THachiTenobj tool;
  for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {10, 10}, {0, 0}, {20, 0}, {30, 0}, {30, 10}, {20, 0}}) {
    tool.AddPoint(x, y);
  }
  EXPECT_EQ(PenFlags(tool), (std::vector<int>{1, 1, 1, 0, 1, 1, 1, 0}));
  // Loop 2 began at 4 and ends at 7: loops 3, 5 and 7 start at 8.
  EXPECT_EQ(tool.LoopStarts, (std::array<std::int32_t, 7>{4, 8, 4, 8, 4, 8, 4}));
  // A point repeating vertex 0 always closes, even inside a later loop.
  tool.AddPoint(40, 0);
  tool.AddPoint(0, 0);
  EXPECT_EQ(tool.Vertices.back().PenDown, 0);
}

struct ArcCase {
  const char* name;
  double lastDeg;  // direction of the last vertex from the centre
  double pickDeg;  // the click that picks the circle
  double endDeg;   // the click that ends the arc
  bool forward;
  double firstFrom, firstStep;    // angles of the first 51 points
  double secondFrom, secondStep;  // and of the second 51
};

TEST(HatchBoundary, APickedCircleIsTravelledTheShorterWayInTwoSweepsOf51Points) {
  const ArcCase cases[] = {
      // 10 to 100 anticlockwise (90 < 180), then on to 160.
      {"anticlockwise", 10, 100, 160, true, 10, 90.0 / 50, 100, 60.0 / 50},
      // 10 to 200 is 190 anticlockwise: clockwise, through 0 down to 200.
      {"clockwise", 10, 200, 150, false, 10, -170.0 / 50, 200, -50.0 / 50},
      // Exactly half a turn goes clockwise.
      {"half turn", 10, 190, 100, false, 10, -180.0 / 50, 190, -90.0 / 50},
      // 350 to 20 anticlockwise across 0.
      {"across zero", 350, 20, 50, true, 350, 30.0 / 50, 20, 30.0 / 50},
  };
  for (const ArcCase& c : cases) {
    SCOPED_TRACE(c.name);
    const double cx = 5, cy = -7, r = 12;
    THachiTenobj tool;
    // The last vertex lies 20 out on its ray; the clicks 3 and 30 out on theirs.
    const RPoint2D last = OnCircleHatchBoundary(cx, cy, 20, c.lastDeg);
    tool.AddPoint(last.x, last.y);
    const RPoint2D pick = OnCircleHatchBoundary(cx, cy, 3, c.pickDeg);
    tool.AddArc(Curve(cx, cy, r), pick.x, pick.y);
    EXPECT_TRUE(tool.ArcPending);
    EXPECT_EQ(tool.ArcForward, c.forward);
    EXPECT_EQ(tool.VertexCount, 52);
    const RPoint2D end = OnCircleHatchBoundary(cx, cy, 30, c.endDeg);
    tool.AddPoint(end.x, end.y);
    EXPECT_FALSE(tool.ArcPending);
    ASSERT_EQ(tool.VertexCount, 103);
    ASSERT_EQ(tool.Vertices.size(), 103u);
    ExpectVertex(tool.Vertices[0], last, 1, 0);
    for (int i = 0; i <= 50; ++i) {
      SCOPED_TRACE(i);
      ExpectVertex(tool.Vertices[static_cast<std::size_t>(1 + i)],
                   OnCircleHatchBoundary(cx, cy, r, c.firstFrom + i * c.firstStep), 1, 1, 1e-5);
      ExpectVertex(tool.Vertices[static_cast<std::size_t>(52 + i)],
                   OnCircleHatchBoundary(cx, cy, r, c.secondFrom + i * c.secondStep), 1, 1, 1e-5);
    }
  }
}

TEST(HatchBoundary, EveryArcVertexLiesOnATurnedEllipse) {
  // Semi-axes 20 and 10, the first turned 30 degrees.
  const double cx = 5, cy = -3;
  THachiTenobj tool;
  tool.AddPoint(cx + 40, cy + 2);                               // at about 3 degrees
  tool.AddArc(Curve(cx, cy, 20, 0.5f, 30.0f), cx - 1, cy + 5);  // at about 101 degrees
  tool.AddPoint(cx - 5, cy - 1);                                // at about 191 degrees
  ASSERT_EQ(tool.VertexCount, 103);
  const double c30 = std::cos(30 * kDeg), s30 = std::sin(30 * kDeg);
  for (std::size_t i = 1; i < tool.Vertices.size(); ++i) {
    SCOPED_TRACE(i);
    const double x = tool.Vertices[i].X - cx, y = tool.Vertices[i].Y - cy;
    const double u = x * c30 + y * s30, v = -x * s30 + y * c30;
    EXPECT_NEAR(u * u / 400 + v * v / 100, 1.0, 1e-9);
  }
  // The sweeps run from the last vertex's direction through the pick's to the end's.
  const auto direction = [&](std::size_t i) {
    return std::atan2(tool.Vertices[i].Y - cy, tool.Vertices[i].X - cx) / kDeg;
  };
  EXPECT_NEAR(direction(1), std::atan2(2.0, 40.0) / kDeg, 1e-6);
  EXPECT_NEAR(direction(51), std::atan2(5.0, -1.0) / kDeg, 1e-4);
  EXPECT_NEAR(direction(52), std::atan2(5.0, -1.0) / kDeg, 1e-4);
  EXPECT_NEAR(direction(102), std::atan2(-1.0, -5.0) / kDeg, 1e-4);
}

TEST(HatchBoundary, PointsThatAreNoNumberAreIgnored) {
  THachiTenobj tool;
  tool.AddPoint(std::nan(""), 1);
  EXPECT_EQ(tool.VertexCount, 0);
  tool.AddPoint(10, 0);
  tool.AddArc(Curve(0, 0, 10), std::numeric_limits<double>::infinity(), 10);
  EXPECT_FALSE(tool.ArcPending);
  tool.AddArc(Curve(0, 0, 10), 0, 10);
  tool.AddPoint(1, std::nan(""));  // does not end the arc
  EXPECT_TRUE(tool.ArcPending);
  EXPECT_EQ(tool.VertexCount, 52);
}

TEST(HatchBoundary, ASecondPickReplacesThePendingArc) {
  THachiTenobj tool;
  tool.AddPoint(10, 0);                 // on circle 1 at 0 degrees
  tool.AddArc(Curve(0, 0, 10), 0, 10);  // circle 1 to 90 degrees
  // Circle 2 about (0, 20), radius 10: the last vertex (0, 10) is at 270.
  tool.AddArc(Curve(0, 20, 10), 10, 20);  // to 360
  tool.AddPoint(0, 30);                   // on to 90
  ASSERT_EQ(tool.VertexCount, 154);
  for (int i = 0; i <= 50; ++i) {
    SCOPED_TRACE(i);
    ExpectVertex(tool.Vertices[static_cast<std::size_t>(1 + i)], OnCircleHatchBoundary(0, 0, 10, i * 90.0 / 50), 1, 1,
                 1e-5);
    ExpectVertex(tool.Vertices[static_cast<std::size_t>(52 + i)], OnCircleHatchBoundary(0, 20, 10, 270 + i * 90.0 / 50),
                 1, 1, 1e-5);
    ExpectVertex(tool.Vertices[static_cast<std::size_t>(103 + i)], OnCircleHatchBoundary(0, 20, 10, i * 90.0 / 50), 1,
                 1, 1e-5);
  }
}

TEST(HatchBoundary, PicksThatCannotBeTravelledAddNothing) {
  RDrawElement line = Curve(0, 0, 10);
  line.Kind = kKindLine;
  struct Case {
    const char* name;
    RDrawElement element;
    bool withVertex;
  };
  const Case cases[] = {
      {"a line", line, true},
      {"before any vertex", Curve(0, 0, 10), false},
      {"radius 0", Curve(0, 0, 0), true},
      {"axis ratio 0", Curve(0, 0, 10, 0.0f), true},
      {"a centre that is no number", Curve(std::nan(""), 0, 10), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    THachiTenobj tool;
    if (c.withVertex) tool.AddPoint(10, 0);
    const int before = tool.VertexCount;
    tool.AddArc(c.element, 0, 10);
    EXPECT_FALSE(tool.ArcPending);
    EXPECT_EQ(tool.VertexCount, before);
    // The next click is an ordinary vertex.
    tool.AddPoint(3, 4);
    EXPECT_EQ(tool.VertexCount, before + 1);
    EXPECT_EQ(tool.Vertices.back().X, 3.0);
  }
}

}  // namespace
