// Tangent lines: from a point, common to two circles, at a position and in
// a direction, checked against the tangency conditions and closed forms.

#include "tools/edit/tangents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDegTangents = std::numbers::pi / 180.0;

struct Pt {
  double x, y;
};

RDrawElement CircleTangents(double cx, double cy, double r, float start = 0.0f, float end = 0.0f) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = 1.0f;
  e.StartAngle = start;
  e.EndAngle = end;
  return e;
}

Pt At(Pt c, double r, double deg) {
  return {c.x + r * std::cos(deg * kDegTangents), c.y + r * std::sin(deg * kDegTangents)};
}

double Dist(Pt a, Pt b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Signed distance of p from the line a -> b, positive on its left.
double SignedDistance(Pt a, Pt b, Pt p) { return ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / Dist(a, b); }

// p mirrored in the line through a and b.
Pt Mirror(Pt a, Pt b, Pt p) {
  const double ux = (b.x - a.x) / Dist(a, b), uy = (b.y - a.y) / Dist(a, b);
  const double t = (p.x - a.x) * ux + (p.y - a.y) * uy;
  const Pt f{a.x + t * ux, a.y + t * uy};
  return {2 * f.x - p.x, 2 * f.y - p.y};
}

TEST(TangentFromAPoint, TouchesTheCircleAtRightAnglesOnThePicksSide) {
  struct Case {
    Pt centre;
    double r;
    Pt point;
    double pickDeg;  // direction of the pick from the centre
  };
  const Case cases[] = {
      {{2, 3}, 6, {12, 3}, 80},                                   // 10 away: touching points at 8 from it
      {{2, 3}, 6, {12, 3}, 280},    {{-4, 1}, 2.5, {3, -6}, 10},  // oblique
      {{-4, 1}, 2.5, {3, -6}, 200}, {{0, 0}, 1, {0, -30}, 170},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pickDeg);
    const Pt pick = At(c.centre, c.r, c.pickDeg);
    TSesenTenenobj tool(CircleTangents(c.centre.x, c.centre.y, c.r, 30, 60), pick.x, pick.y, c.point.x, c.point.y);
    ASSERT_TRUE(tool.HasTangent());
    tool.Compute();
    EXPECT_EQ(tool.X1, c.point.x);
    EXPECT_EQ(tool.Y1, c.point.y);
    const Pt t{tool.X2, tool.Y2};
    const double d = Dist(c.point, c.centre);
    EXPECT_NEAR(Dist(t, c.centre), c.r, 1e-9);
    EXPECT_NEAR((t.x - c.centre.x) * (t.x - c.point.x) + (t.y - c.centre.y) * (t.y - c.point.y), 0.0, 1e-9);
    EXPECT_NEAR(Dist(t, c.point), std::sqrt(d * d - c.r * c.r), 1e-9);
    // The other touching point is the mirror image in the line point-centre.
    EXPECT_LT(Dist(t, pick), Dist(Mirror(c.point, c.centre, t), pick));
  }
  // The worked case: (12, 3) from a radius-6 circle about (2, 3).
  TSesenTenenobj worked(CircleTangents(2, 3, 6), 2, 9, 12, 3);
  worked.Compute();
  EXPECT_NEAR(worked.X2, 5.6, 1e-12);
  EXPECT_NEAR(worked.Y2, 7.8, 1e-12);
}

TEST(TangentFromAPoint, NoTangentFromInsideOrToALine) {
  EXPECT_FALSE(TSesenTenenobj(CircleTangents(0, 0, 5), 5, 0, 3, 3).HasTangent());
  EXPECT_TRUE(TSesenTenenobj(CircleTangents(0, 0, 5), 5, 0, 0, 5).HasTangent());  // on the circle
  RDrawElement line = CircleTangents(0, 0, 5);
  line.Kind = kKindLine;
  EXPECT_FALSE(TSesenTenenobj(line, 5, 0, 30, 0).HasTangent());
  EXPECT_FALSE(TSesenTenenobj(CircleTangents(0, 0, 0), 0, 0, 30, 0).HasTangent());
  EXPECT_FALSE(TSesenTenenobj(CircleTangents(0, 0, 5), 5, 0, std::nan(""), 0).HasTangent());
}

struct TwoCircleCase {
  const char* name;
  Pt c1;
  double r1;
  double pick1Deg;
  Pt c2;
  double r2;
  double pick2Deg;
  bool has;
  bool cross;
};

TEST(TangentOfTwoCircles, TheLineTouchesBothInTheFamilyThePicksChoose) {
  const TwoCircleCase cases[] = {
      {"separate, outer above", {0, 0}, 2, 90, {10, 0}, 4, 90, true, false},
      {"separate, outer below", {0, 0}, 2, 260, {10, 0}, 4, 280, true, false},
      {"separate, cross", {0, 0}, 2, 90, {10, 0}, 4, 270, true, true},
      // 350 and 10 differ by 340 as numbers: a crossing tangent.
      {"separate, picks across 0", {0, 0}, 2, 350, {10, 0}, 4, 10, true, true},
      {"separate, larger first", {10, 0}, 4, 80, {0, 0}, 2, 100, true, false},
      {"oblique, outer", {1, 2}, 1.5, 200, {-6, 9}, 3.5, 170, true, false},
      {"oblique, cross", {1, 2}, 1.5, 200, {-6, 9}, 3.5, 20, true, true},
      {"touching, outer", {0, 0}, 2, 100, {6, 0}, 4, 80, true, false},
      {"intersecting, outer", {0, 0}, 3, 250, {4, 0}, 4, 290, true, false},
      {"intersecting, cross", {0, 0}, 3, 90, {4, 0}, 4, 270, false, true},
      {"nested", {1, 0}, 1, 90, {0, 0}, 5, 90, false, false},
      {"equal radii, outer", {0, 0}, 3, 300, {10, 0}, 3, 240, true, false},
      {"equal radii, cross", {0, 0}, 3, 90, {10, 0}, 3, 270, true, true},
  };
  for (const TwoCircleCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Pt q1 = At(c.c1, c.r1 + 0.5, c.pick1Deg), q2 = At(c.c2, c.r2 - 0.5, c.pick2Deg);
    TSesEnEnenobj tool(CircleTangents(c.c1.x, c.c1.y, c.r1), q1.x, q1.y, q2.x, q2.y,
                       CircleTangents(c.c2.x, c.c2.y, c.r2));
    EXPECT_EQ(tool.CrossTangentPicked(), c.cross);
    ASSERT_EQ(tool.HasTangent(), c.has);
    if (!c.has) continue;
    tool.Compute();
    const bool firstSmaller = c.r1 <= c.r2;
    const Pt small = firstSmaller ? c.c1 : c.c2, large = firstSmaller ? c.c2 : c.c1;
    const double rs = firstSmaller ? c.r1 : c.r2, rl = firstSmaller ? c.r2 : c.r1;
    const Pt qs = firstSmaller ? q1 : q2;
    const Pt a{tool.X1, tool.Y1}, b{tool.X2, tool.Y2};
    EXPECT_NEAR(Dist(a, small), rs, 1e-9);
    EXPECT_NEAR(Dist(b, large), rl, 1e-9);
    const double ds = SignedDistance(a, b, small), dl = SignedDistance(a, b, large);
    EXPECT_NEAR(std::abs(ds), rs, 1e-9);
    EXPECT_NEAR(std::abs(dl), rl, 1e-9);
    // Both centres on one side for an outer tangent, on either for a cross one.
    EXPECT_EQ(ds * dl < 0, c.cross);
    // The family's other tangent is the mirror image in the line of centres.
    EXPECT_LE(Dist(a, qs), Dist(Mirror(small, large, a), qs));
  }
}

TEST(TangentOfTwoCircles, EqualRadiiTouchAtTheEndsOfTheTurnedRadii) {
  // Radius 3 about (0, 0) and (10, 0): the outer tangents are y = 3 and y = -3.
  TSesEnEnenobj below(CircleTangents(0, 0, 3), 1, -3, 9, -3, CircleTangents(10, 0, 3));
  ASSERT_TRUE(below.HasTangent());
  below.Compute();
  EXPECT_EQ(below.X1, 0.0);
  EXPECT_EQ(below.Y1, -3.0);
  EXPECT_EQ(below.X2, 10.0);
  EXPECT_EQ(below.Y2, -3.0);
  TSesEnEnenobj above(CircleTangents(0, 0, 3), -1, 3, 11, 3, CircleTangents(10, 0, 3));
  above.Compute();
  EXPECT_EQ(above.Y1, 3.0);
  EXPECT_EQ(above.Y2, 3.0);
}

TEST(TangentOfTwoCircles, OnlyCirclesWithApartCentresHaveTangents) {
  RDrawElement line = CircleTangents(10, 0, 3);
  line.Kind = kKindLine;
  EXPECT_FALSE(TSesEnEnenobj(CircleTangents(0, 0, 3), 0, 3, 10, 3, line).HasTangent());
  EXPECT_FALSE(TSesEnEnenobj(CircleTangents(0, 0, 3), 0, 3, 0, 3, CircleTangents(0, 0, 3)).HasTangent());
  EXPECT_FALSE(TSesEnEnenobj(CircleTangents(0, 0, 3), 0, 3, 0, 3, CircleTangents(0, 0, 5)).HasTangent());
}

TEST(TangentAtAPosition, TouchesAtThePositionsDirection) {
  const Pt c{1, 2};
  const double r = 5;
  const Pt position = At(c, 10, 30);
  TSesSenEnSiteiobj tool(CircleTangents(c.x, c.y, r), position.x, position.y);
  EXPECT_NEAR(tool.Direction, 30, 1e-12);
  const Pt t = At(c, r, 30);
  EXPECT_NEAR(tool.TouchX, t.x, 1e-12);
  EXPECT_NEAR(tool.TouchY, t.y, 1e-12);
  // The clicks' feet on the tangent through T in direction 120.
  const Pt p1{-8, 4}, p2{6, 15};
  const double ux = std::cos(120 * kDegTangents), uy = std::sin(120 * kDegTangents);
  const auto foot = [&](Pt p) {
    const double s = (p.x - t.x) * ux + (p.y - t.y) * uy;
    return Pt{t.x + s * ux, t.y + s * uy};
  };
  tool.BuildTangent(false, p1.x, p1.y, p2.x, p2.y, 77);
  EXPECT_NEAR(tool.ResultX1, foot(p1).x, 1e-9);
  EXPECT_NEAR(tool.ResultY1, foot(p1).y, 1e-9);
  EXPECT_NEAR(tool.ResultX2, foot(p2).x, 1e-9);
  EXPECT_NEAR(tool.ResultY2, foot(p2).y, 1e-9);
  // Reversed clicks give the reversed line.
  tool.BuildTangent(false, p2.x, p2.y, p1.x, p1.y, 77);
  EXPECT_NEAR(tool.ResultX1, foot(p2).x, 1e-9);
  EXPECT_NEAR(tool.ResultY2, foot(p1).y, 1e-9);
}

TEST(TangentInADirection, RunsInTheAngleOnThePositionsSide) {
  struct Case {
    const char* name;
    double positionDeg;
    double angle;
    double touchDeg;  // where the tangent touches
  };
  const Case cases[] = {
      {"above, horizontal", 90, 0, 90},
      {"below, horizontal", 250, 360, 270},
      {"oblique", 200, 30, 120},
      {"oblique, other side", 330, 30, 300},
      // Along the radius the foot is the centre: the tangent on the left.
      {"radial", 30, 30, 120},
      {"radial, reversed", 30, 210, 300},
  };
  const Pt c{1, 2};
  const double r = 5;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const Pt position = At(c, 7, k.positionDeg);
    TSesSenEnSiteiobj tool(CircleTangents(c.x, c.y, r), position.x, position.y);
    const Pt p1 = At(c, 20, 140), p2 = At(c, 20, 320);
    tool.BuildTangent(true, p1.x, p1.y, p2.x, p2.y, k.angle);
    const Pt a{tool.ResultX1, tool.ResultY1}, b{tool.ResultX2, tool.ResultY2};
    const double dir = std::atan2(b.y - a.y, b.x - a.x) / kDegTangents;
    // The line runs in the angle's direction or against it, as the clicks lie.
    EXPECT_NEAR(std::sin((dir - k.angle) * kDegTangents), 0.0, 1e-9);
    const Pt touch = At(c, r, k.touchDeg);
    EXPECT_NEAR(SignedDistance(a, b, touch), 0.0, 1e-9);
    EXPECT_NEAR(std::abs(SignedDistance(a, b, c)), r, 1e-9);
    // Each end is a click's foot.
    EXPECT_NEAR((p1.x - a.x) * (b.x - a.x) + (p1.y - a.y) * (b.y - a.y), 0.0, 1e-9);
    EXPECT_NEAR((p2.x - b.x) * (b.x - a.x) + (p2.y - b.y) * (b.y - a.y), 0.0, 1e-9);
  }
  // The worked case: radius 5 about the origin, clicked above, angle 0.
  TSesSenEnSiteiobj tool(CircleTangents(0, 0, 5), 1, 8);
  tool.BuildTangent(true, -3, 7, 4, 1, 0);
  EXPECT_NEAR(tool.ResultX1, -3, 1e-12);
  EXPECT_NEAR(tool.ResultY1, 5, 1e-12);
  EXPECT_NEAR(tool.ResultX2, 4, 1e-12);
  EXPECT_NEAR(tool.ResultY2, 5, 1e-12);
}

}  // namespace
