// Regular polygons by their six constructions: vertices at the expected
// angles and distance, sides and inradius by the closed forms.

#include "tools/edit/polygons.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kDegPolygons = std::numbers::pi / 180.0;

struct PolygonCase {
  const char* name;
  int sides;
  std::uint8_t kind;
  double px, py, size, rotation;
  int n;            // sides built
  double radius;    // circumradius
  double firstDeg;  // direction of vertex 0
};

TEST(RegularPolygon, VerticesLieOnTheCircumcircleAtEqualSteps) {
  const double cx = 3, cy = -2;
  const PolygonCase cases[] = {
      // Resting on a bottom edge: vertex 0 at 270 - 180 / n (+ rotation).
      {"kind 0, point sets the circumradius", 5, 0, cx + 6, cy + 8, 0, 0, 5, 10, 270 - 36},
      {"kind 1, square of circumradius 10", 4, 1, 0, 0, 10, 0, 4, 10, 225},
      {"kind 1, turned", 6, 1, 0, 0, 4, 20, 6, 4, 270 - 30 + 20},
      {"kind 2, hexagon of side 10", 6, 2, 0, 0, 10, 0, 6, 10, 240},
      {"kind 2, triangle of side 6", 3, 2, 0, 0, 6, 0, 3, 6 / (2 * std::sin(60 * kDegPolygons)), 210},
      // Inradius 5: circumradius 5 / cos(180 / n).
      {"kind 3, square of inradius 5", 4, 3, cx, cy + 5, 0, 0, 4, 5 / std::cos(45 * kDegPolygons), 225},
      {"kind 3, octagon", 8, 3, cx - 3, cy - 4, 0, 10, 8, 5 / std::cos(22.5 * kDegPolygons), 270 - 22.5 + 10},
      // A vertex on the point.
      {"kind 4", 7, 4, cx + 10, cy, 0, 0, 7, 10, 0},
      {"kind 4, oblique", 5, 4, cx - 3, cy + 4, 0, 0, 5, 5, std::atan2(4, -3) / kDegPolygons},
      // A vertex towards the point, which lies at the inradius.
      {"kind 5", 6, 5, cx, cy + 6, 0, 0, 6, 6 / std::cos(30 * kDegPolygons), 90},
      {"kind 5, oblique", 4, 5, cx + 3, cy - 4, 0, 0, 4, 5 / std::cos(45 * kDegPolygons),
       360 + std::atan2(-4, 3) / kDegPolygons},
      // Fewer than three sides make a triangle.
      {"two sides", 2, 1, 0, 0, 5, 0, 3, 5, 210},
      {"no sides", 0, 1, 0, 0, 5, 0, 3, 5, 210},
      {"negative", -4, 1, 0, 0, 5, 0, 3, 5, 210},
  };
  for (const PolygonCase& c : cases) {
    SCOPED_TRACE(c.name);
    TTakakukeiobj tool;
    tool.Build(c.sides, c.kind, cx, cy, c.px, c.py, c.size, c.rotation);
    EXPECT_EQ(tool.Sides, c.n);
    EXPECT_NEAR(tool.Size, c.radius, 1e-9);
    ASSERT_EQ(tool.Elements.size(), static_cast<std::size_t>(c.n));
    const double side = 2 * c.radius * std::sin(180.0 / c.n * kDegPolygons);
    const double inradius = c.radius * std::cos(180.0 / c.n * kDegPolygons);
    for (int k = 0; k < c.n; ++k) {
      SCOPED_TRACE(k);
      const RDrawElement& e = tool.Elements[static_cast<std::size_t>(k)];
      EXPECT_EQ(e.Kind, kKindLine);
      EXPECT_EQ(e.LineType, 0);
      EXPECT_EQ(e.ColorNo, 0);
      const double a = (c.firstDeg + k * 360.0 / c.n) * kDegPolygons;
      EXPECT_NEAR(e.X1, cx + c.radius * std::cos(a), 1e-9);
      EXPECT_NEAR(e.Y1, cy + c.radius * std::sin(a), 1e-9);
      EXPECT_NEAR(std::hypot(e.X2 - e.X1, e.Y2 - e.Y1), side, 1e-9);
      // The edge's midpoint lies at the inradius.
      EXPECT_NEAR(std::hypot((e.X1 + e.X2) / 2 - cx, (e.Y1 + e.Y2) / 2 - cy), inradius, 1e-9);
      // Edges chain, the last one back to vertex 0.
      const RDrawElement& next = tool.Elements[static_cast<std::size_t>((k + 1) % c.n)];
      EXPECT_EQ(double{e.X2}, double{next.X1});
      EXPECT_EQ(double{e.Y2}, double{next.Y1});
    }
  }
}

TEST(RegularPolygon, QuarterTurnsAreExact) {
  // The square of circumradius 10 turned by 45: vertices on the axes.
  TTakakukeiobj tool;
  tool.Build(4, 1, 0, 0, 0, 0, 10, 45);
  ASSERT_EQ(tool.Elements.size(), 4u);
  const double want[4][2] = {{0, -10}, {10, 0}, {0, 10}, {-10, 0}};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(double{tool.Elements[k].X1}, want[k][0]);
    EXPECT_EQ(double{tool.Elements[k].Y1}, want[k][1]);
  }
  // Kind 4 puts vertex 0 exactly on the point.
  tool.Build(7, 4, 1, 2, 11, 2, 0, 0);
  EXPECT_EQ(double{tool.Elements[0].X1}, 11.0);
  EXPECT_EQ(double{tool.Elements[0].Y1}, 2.0);
}

TEST(RegularPolygon, UnknownKindsAndUnbuildableInputKeepThePreviousLines) {
  TTakakukeiobj tool;
  tool.Build(5, 1, 0, 0, 0, 0, 10, 0);
  ASSERT_EQ(tool.Elements.size(), 5u);
  const double x = tool.Elements[0].X1;
  tool.Build(8, 6, 1, 1, 4, 4, 3, 0);
  EXPECT_EQ(tool.Sides, 8);  // the values are stored
  EXPECT_EQ(tool.CentreX, 1.0);
  ASSERT_EQ(tool.Elements.size(), 5u);
  EXPECT_EQ(double{tool.Elements[0].X1}, x);
  tool.Build(2000000000, 1, 0, 0, 0, 0, 10, 0);
  EXPECT_EQ(tool.Elements.size(), 5u);
  tool.Build(6, 1, 0, 0, 0, 0, std::nan(""), 0);
  EXPECT_EQ(tool.Elements.size(), 5u);
  tool.Build(6, 1, 0, 0, 0, 0, 10, std::numeric_limits<double>::infinity());
  EXPECT_EQ(tool.Elements.size(), 5u);
}

}  // namespace
