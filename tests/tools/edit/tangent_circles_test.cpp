// The inscribed circle of three points against the closed form, and circles
// tangent to every mix of lines, arcs and points, checked against the
// tangency conditions within the tool's tolerance.

#include "tools/edit/tangent_circles.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

struct PtTangentCircles {
  double x, y;
};

double DistTangentCircles(PtTangentCircles a, PtTangentCircles b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(InscribedCircle, MatchesTheIncentreAndAreaOverSemiPerimeter) {
  const std::vector<std::array<PtTangentCircles, 3>> triangles = {
      {{{0, 0}, {4, 0}, {0, 3}}},  // centre (1, 1), radius 1
      {{{0, 0}, {0, 3}, {4, 0}}},  // the same, clockwise
      {{{-2, 5}, {7, 1}, {3, 9}}},          {{{3, 9}, {7, 1}, {-2, 5}}}, {{{10, 10}, {10.5, 30}, {9, 12}}},  // thin
      {{{350, -20}, {-40, -25}, {0, 400}}},
  };
  for (const auto& t : triangles) {
    SCOPED_TRACE(testing::Message() << t[0].x << "," << t[0].y);
    TEnSeSantenobj tool(t[0].x, t[0].y, t[1].x, t[1].y, t[2].x, t[2].y);
    tool.Compute();
    ASSERT_EQ(tool.Valid, 1);
    // Side lengths opposite each vertex weight it.
    const double a = DistTangentCircles(t[1], t[2]), b = DistTangentCircles(t[0], t[2]),
                 c = DistTangentCircles(t[0], t[1]);
    const double s = (a + b + c) / 2;
    const double area = std::abs((t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[1].y - t[0].y) * (t[2].x - t[0].x)) / 2;
    const double scale = s;
    EXPECT_NEAR(tool.Result.CentreX, (a * t[0].x + b * t[1].x + c * t[2].x) / (2 * s), 1e-12 * scale);
    EXPECT_NEAR(tool.Result.CentreY, (a * t[0].y + b * t[1].y + c * t[2].y) / (2 * s), 1e-12 * scale);
    EXPECT_NEAR(tool.Result.Radius, area / s, 1e-12 * scale);
    EXPECT_EQ(tool.Result.Ratio, 1.0f);
    EXPECT_EQ(tool.Result.StartAngle, 0.0f);
    EXPECT_EQ(tool.Result.EndAngle, 0.0f);
    EXPECT_EQ(tool.Result.Rotation, 0.0f);
  }
  TEnSeSantenobj worked(0, 0, 4, 0, 0, 3);
  worked.Compute();
  EXPECT_NEAR(worked.Result.CentreX, 1, 1e-12);
  EXPECT_NEAR(worked.Result.CentreY, 1, 1e-12);
  EXPECT_NEAR(worked.Result.Radius, 1, 1e-12);
}

TEST(InscribedCircle, PointsOnOneLineGiveNone) {
  // Whichever point lies between the other two.
  const std::array<PtTangentCircles, 3> orders[] = {
      {{{0, 0}, {1, 1}, {2, 2}}},
      {{{1, 1}, {0, 0}, {2, 2}}},
      {{{0, 0}, {2, 2}, {1, 1}}},
      {{{0, 0}, {0, 0}, {3, 4}}},
  };
  for (const auto& t : orders) {
    TEnSeSantenobj tool(t[0].x, t[0].y, t[1].x, t[1].y, t[2].x, t[2].y);
    tool.Compute();
    EXPECT_EQ(tool.Valid, 0);
    EXPECT_EQ(tool.Result.Radius, 0.0);
    EXPECT_EQ(tool.Result.Ratio, 0.0f);
  }
}

// One slot of the tangent-circle tool: an element and where it was picked,
// or a plain point.
struct Slot {
  std::optional<RDrawElement> element;
  PtTangentCircles pick;
};

// Selected, as the command's picks are.
RDrawElement Line(double x1, double y1, double x2, double y2) {
  RDrawElement e = LineElement(x1, y1, x2, y2);
  e.Selection = 1;
  return e;
}

RDrawElement ArcTangentCircles(double cx, double cy, double r) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = 0.5f;  // not used: an arc counts as its circle
  e.StartAngle = 10;
  e.EndAngle = 50;
  return e;
}

Slot LineSlot(double x1, double y1, double x2, double y2, PtTangentCircles pick) {
  return {Line(x1, y1, x2, y2), pick};
}
Slot ArcSlot(double cx, double cy, double r, PtTangentCircles pick) { return {ArcTangentCircles(cx, cy, r), pick}; }
Slot PointSlot(PtTangentCircles p) { return {std::nullopt, p}; }

TEnSeSanSenobj Tool(const std::array<Slot, 3>& s, double radius) {
  const auto ptr = [](const Slot& slot) { return slot.element ? &*slot.element : nullptr; };
  return TEnSeSanSenobj(ptr(s[0]), ptr(s[1]), ptr(s[2]), s[0].pick.x, s[0].pick.y, s[1].pick.x, s[1].pick.y,
                        s[2].pick.x, s[2].pick.y, radius);
}

// How far the circle is from touching the slot: a line at its radius, an
// arc's circle at the sum or difference of the radii, a point on it.
double Miss(const RToolCircle& c, const Slot& slot) {
  const PtTangentCircles centre{c.CentreX, c.CentreY};
  if (!slot.element) return std::abs(DistTangentCircles(centre, slot.pick) - c.Radius);
  const RDrawElement& e = *slot.element;
  if (e.Kind == kKindLine) {
    const double d = std::abs((e.X2 - e.X1) * (c.CentreY - e.Y1) - (e.Y2 - e.Y1) * (c.CentreX - e.X1)) /
                     std::hypot(e.X2 - e.X1, e.Y2 - e.Y1);
    return std::abs(d - c.Radius);
  }
  const double d = DistTangentCircles(centre, {e.X1, e.Y1});
  return std::min(std::abs(d - (e.Radius + c.Radius)), std::abs(d - std::abs(e.Radius - c.Radius)));
}

struct TangentCase {
  const char* name;
  std::array<Slot, 3> slots;
};

TEST(TangentCircle, TouchesEveryLineArcAndPointWithoutARadius) {
  const TangentCase cases[] = {
      {"three points", {PointSlot({0, 0}), PointSlot({6, 0}), PointSlot({0, 8})}},
      {"three lines", {LineSlot(0, 0, 8, 0, {3, 0}), LineSlot(8, 0, 0, 6, {4, 3}), LineSlot(0, 6, 0, 0, {0, 2})}},
      {"line, line, point", {LineSlot(0, 0, 20, 0, {3, 0}), LineSlot(0, 0, 0, 20, {0, 3}), PointSlot({3, 4})}},
      {"point, line, line", {PointSlot({3, 4}), LineSlot(0, 0, 20, 0, {3, 0}), LineSlot(0, 0, 0, 20, {0, 3})}},
      {"line, point, point", {LineSlot(-10, 0, 10, 0, {1, 0}), PointSlot({-2, 3}), PointSlot({3, 5})}},
      {"arc, point, point", {ArcSlot(0, 0, 4, {4, 0}), PointSlot({8, 1}), PointSlot({7, -3})}},
      {"line, line, arc", {LineSlot(0, 0, 20, 0, {6, 0}), LineSlot(0, 0, 0, 20, {0, 6}), ArcSlot(12, 12, 3, {10, 10})}},
      {"line, arc, point", {LineSlot(-10, 0, 20, 0, {5, 0}), ArcSlot(5, 10, 3, {5, 7}), PointSlot({0, 3})}},
      {"arc, arc, point", {ArcSlot(0, 0, 2, {2, 0}), ArcSlot(10, 0, 2, {8, 0}), PointSlot({5, 4})}},
      {"line, arc, arc", {LineSlot(-10, 0, 20, 0, {5, 0}), ArcSlot(0, 6, 2, {1, 4}), ArcSlot(10, 6, 2, {9, 4})}},
      {"three arcs", {ArcSlot(0, 0, 2, {1.5, 1.5}), ArcSlot(10, 0, 2, {8.5, 1.5}), ArcSlot(5, 9, 2, {5, 7})}},
  };
  for (const TangentCase& c : cases) {
    SCOPED_TRACE(c.name);
    TEnSeSanSenobj tool = Tool(c.slots, 0);
    ASSERT_TRUE(tool.SolveThree());
    EXPECT_GT(tool.Result.Radius, 0.0);
    EXPECT_EQ(tool.Result.Ratio, 1.0f);
    for (const Slot& slot : c.slots) EXPECT_LT(Miss(tool.Result, slot), 1e-4);
  }
}

TEST(TangentCircle, ThreeSidesOfATriangleGiveItsIncircleOrAnExcircle) {
  // Legs 8 and 6, hypotenuse 10: area 24, semi-perimeter 12; the incircle
  // has radius 2 about (2, 2), the excircles radii 24 / (12 - side).
  TEnSeSanSenobj tool =
      Tool({LineSlot(0, 0, 8, 0, {3, 0}), LineSlot(8, 0, 0, 6, {4, 3}), LineSlot(0, 6, 0, 0, {0, 2})}, 0);
  ASSERT_TRUE(tool.SolveThree());
  struct Circle {
    double x, y, r;
  };
  const Circle known[] = {{2, 2, 2}, {12, 12, 12}, {-4, 4, 4}, {6, -6, 6}};
  bool matched = false;
  for (const Circle& k : known) {
    if (std::abs(tool.Result.CentreX - k.x) < 1e-3 && std::abs(tool.Result.CentreY - k.y) < 1e-3 &&
        std::abs(tool.Result.Radius - k.r) < 1e-3)
      matched = true;
  }
  EXPECT_TRUE(matched) << tool.Result.CentreX << ", " << tool.Result.CentreY << ", " << tool.Result.Radius;
}

TEST(TangentCircle, AFixedRadiusTouchesTheFirstTwoOnTheThirdPointsSide) {
  struct Case {
    const char* name;
    std::array<Slot, 3> slots;
    double radius;
    PtTangentCircles centre;  // expected by hand; x = NaN where only the conditions are checked
  };
  const double nan = std::nan("");
  const Case cases[] = {
      // Radius 2 in the corner of the axes: centre (2, 2).
      {"line, line", {LineSlot(0, 0, 20, 0, {5, 0}), LineSlot(0, 0, 0, 20, {0, 5}), PointSlot({3, 3})}, 2, {2, 2}},
      // Through (0, 3) and touching y = 0 with radius 5: centre (+-sqrt 21, 5).
      {"line, point", {LineSlot(-20, 0, 20, 0, {2, 0}), PointSlot({0, 3}), PointSlot({4, 6})}, 5, {std::sqrt(21.0), 5}},
      {"point, line",
       {PointSlot({0, 3}), LineSlot(-20, 0, 20, 0, {-2, 0}), PointSlot({-4, 6})},
       5,
       {-std::sqrt(21.0), 5}},
      // Outside both radius-3 circles 10 apart, radius 4: centre (5, +-sqrt 24).
      {"arc, arc", {ArcSlot(0, 0, 3, {2, 2}), ArcSlot(10, 0, 3, {8, 2}), PointSlot({5, 5})}, 4, {5, std::sqrt(24.0)}},
      // Radius 5 through (0, 0) and (6, 0), on the side of (3, 10): centre (3, 4).
      {"point, point", {PointSlot({0, 0}), PointSlot({6, 0}), PointSlot({3, 10})}, 5, {3, 4}},
      // Touching y = 0 and the radius-2 circle about (2, 7) from outside:
      // centre (5, 3) or (-1, 3); picked near the first.
      {"line, arc", {LineSlot(-20, 0, 20, 0, {5.5, 0}), ArcSlot(2, 7, 2, {3.4, 5.5}), PointSlot({5, 4})}, 3, {5, 3}},
      {"arc, point", {ArcSlot(0, 0, 5, {5, 0}), PointSlot({9, 0}), PointSlot({7, 3})}, 3, {nan, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool preview : {true, false}) {
      SCOPED_TRACE(preview);
      TEnSeSanSenobj tool = Tool(c.slots, c.radius);
      ASSERT_TRUE(preview ? tool.SolveWithRadius() : tool.SolveThree());
      EXPECT_EQ(tool.Result.Radius, c.radius);
      const double tolerance = preview ? 0.1 : 1e-4;
      EXPECT_LT(Miss(tool.Result, c.slots[0]), tolerance);
      EXPECT_LT(Miss(tool.Result, c.slots[1]), tolerance);
      if (!std::isnan(c.centre.x)) {
        EXPECT_NEAR(tool.Result.CentreX, c.centre.x, preview ? 0.1 : 1e-3);
        EXPECT_NEAR(tool.Result.CentreY, c.centre.y, preview ? 0.1 : 1e-3);
      }
    }
  }
}

TEST(TangentCircle, EmptySlotsHoldMarkedPoints) {
  const RDrawElement line = Line(0, 0, 10, 0);
  const RDrawElement arc = ArcTangentCircles(5, 5, 2);
  TEnSeSanSenobj withRadius(&line, nullptr, &arc, 1, 0, 2, 3, 4, 5, 2.5);
  EXPECT_EQ(withRadius.Slots[0].Kind, kKindLine);
  EXPECT_EQ(withRadius.Slots[0].Selection, 0);  // the copy is not selected
  for (int i : {1, 2}) {
    EXPECT_EQ(withRadius.Slots[static_cast<std::size_t>(i)].Kind, kKindNone);
    EXPECT_EQ(withRadius.Slots[static_cast<std::size_t>(i)].Selection, kEmptySlotMark);
  }
  EXPECT_EQ(withRadius.Points[2].x, 4.0);
  TEnSeSanSenobj without(&line, nullptr, &arc, 1, 0, 2, 3, 4, 5, 0);
  EXPECT_EQ(without.Slots[2].Kind, kKindArc);
}

TEST(TangentCircle, ImpossibleOrUnusableInputFindsNothingAndKeepsTheResult) {
  RDrawElement text = Line(0, 5, 10, 5);
  text.Kind = kKindText;
  struct Case {
    const char* name;
    std::array<Slot, 3> slots;
    double radius;
    bool preview;
  };
  const Case cases[] = {
      // Lines 2 apart cannot both touch a circle of radius 5.
      {"too large a radius",
       {LineSlot(0, 0, 20, 0, {5, 0}), LineSlot(0, 2, 20, 2, {5, 2}), PointSlot({5, 1})},
       5,
       true},
      {"too large, final", {LineSlot(0, 0, 20, 0, {5, 0}), LineSlot(0, 2, 20, 2, {5, 2}), PointSlot({5, 1})}, 5, false},
      {"a text", {LineSlot(0, 0, 20, 0, {5, 0}), {text, {5, 5}}, PointSlot({5, 1})}, 0, false},
      {"three points on a line", {PointSlot({0, 0}), PointSlot({1, 1}), PointSlot({2, 2})}, 0, false},
      {"points too far apart", {PointSlot({0, 0}), PointSlot({20, 0}), PointSlot({3, 3})}, 5, false},
      {"a zero-length line", {LineSlot(3, 3, 3, 3, {3, 3}), PointSlot({0, 1}), PointSlot({2, 2})}, 0, false},
      {"a negative radius", {PointSlot({0, 0}), PointSlot({6, 0}), PointSlot({3, 3})}, -5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TEnSeSanSenobj tool = Tool(c.slots, c.radius);
    tool.Result.CentreX = 7;
    tool.Result.Radius = 9;
    EXPECT_FALSE(c.preview ? tool.SolveWithRadius() : tool.SolveThree());
    EXPECT_EQ(tool.Result.CentreX, 7.0);
    EXPECT_EQ(tool.Result.Radius, 9.0);
  }
  // The preview needs a point in slot 3.
  TEnSeSanSenobj third =
      Tool({LineSlot(0, 0, 20, 0, {5, 0}), LineSlot(0, 0, 0, 20, {0, 5}), ArcSlot(9, 9, 2, {8, 8})}, 0);
  EXPECT_FALSE(third.SolveWithRadius());
  EXPECT_EQ(third.Result.Radius, 0.0);
  EXPECT_EQ(third.Result.Ratio, 0.0f);
}

}  // namespace
