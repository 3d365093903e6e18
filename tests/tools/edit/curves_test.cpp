// Curves through points: midpoint curves against the quadratic through the
// edge midpoints, bulging arcs and their radii, cubic splines against hand
// solutions and symmetry, element counts, and the polygon edge list.

#include "tools/edit/curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

struct P {
  double x, y;
};

TSupuLineobj WithPoints(std::initializer_list<P> points) {
  TSupuLineobj tool;
  for (const P& p : points) tool.AddPoint(p.x, p.y);
  return tool;
}

P Mid(P a, P b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

// The quadratic with control polygon S, V, E.
P Quadratic(P s, P v, P e, double t) {
  return {(1 - t) * (1 - t) * s.x + 2 * t * (1 - t) * v.x + t * t * e.x,
          (1 - t) * (1 - t) * s.y + 2 * t * (1 - t) * v.y + t * t * e.y};
}

bool IsAllZero(const RDrawElement& e) {
  const RDrawElement zero = ZeroElement();
  return std::memcmp(&e, &zero, sizeof e) == 0;
}

void ExpectLineAt(const RDrawElement& e, P a, P b, double tol = 1e-9) {
  EXPECT_EQ(e.Kind, kKindLine);
  EXPECT_NEAR(e.X1, a.x, tol);
  EXPECT_NEAR(e.Y1, a.y, tol);
  EXPECT_NEAR(e.X2, b.x, tol);
  EXPECT_NEAR(e.Y2, b.y, tol);
}

// The chords one segment yields with Divisions d: a zero-length one at S,
// then Q at t = 0, 1/(d-2), ..., 1 joined in order.
std::vector<std::pair<P, P>> SegmentChords(P s, P v, P e, int d) {
  std::vector<std::pair<P, P>> chords{{s, s}};
  for (int i = 1; i <= d - 2; ++i)
    chords.push_back({Quadratic(s, v, e, double(i - 1) / (d - 2)), Quadratic(s, v, e, double(i) / (d - 2))});
  return chords;
}

void ExpectChords(const std::vector<RDrawElement>& els, std::size_t from, const std::vector<std::pair<P, P>>& chords) {
  ASSERT_GE(els.size(), from + chords.size());
  for (std::size_t i = 0; i < chords.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectLineAt(els[from + i], chords[i].first, chords[i].second);
  }
}

// ---- the point list ----

TEST(CurvePoints, PointsFollowAReservedEntryZero) {
  TSupuLineobj tool;
  EXPECT_TRUE(tool.PointX.empty());
  tool.AddPoint(3, 4);
  tool.AddPoint(-1, 2);
  EXPECT_EQ(tool.PointCount, 2);
  EXPECT_EQ(tool.PointX, (std::vector<double>{0, 3, -1}));
  EXPECT_EQ(tool.PointY, (std::vector<double>{0, 4, 2}));
}

TEST(CurvePoints, PolygonEdgesCloseBackToPointOne) {
  TSupuLineobj tool = WithPoints({{1, 1}, {5, 1}, {3, 4}});
  tool.BuildPolygonEdges();
  ASSERT_EQ(tool.Elements.size(), 4u);
  ExpectLineAt(tool.Elements[0], {0, 0}, {1, 1});  // from the reserved entry, skipped by readers
  ExpectLineAt(tool.Elements[1], {1, 1}, {5, 1});
  ExpectLineAt(tool.Elements[2], {5, 1}, {3, 4});
  ExpectLineAt(tool.Elements[3], {3, 4}, {1, 1});
  EXPECT_EQ(tool.Elements[2].LineType, 1);
  EXPECT_EQ(tool.Elements[2].Layer, 1);

  TSupuLineobj none;
  none.BuildPolygonEdges();
  EXPECT_TRUE(none.Elements.empty());
}

// ---- midpoint curves ----

TEST(MidpointCurve, OpenCurveRunsFromPointOneOverTheMidpointSegmentsToTheLastPoint) {
  const P p1{0, 0}, p2{4, 6}, p3{10, 2};
  TSupuLineobj tool = WithPoints({p1, p2, p3});
  tool.BuildCurve(5, 1, 0);
  EXPECT_EQ(tool.CurveKind, 1);
  // Entry 0, the end piece, four chords (t = 0, 1/3, 2/3, 1), the end piece.
  ASSERT_EQ(tool.Elements.size(), 7u);
  EXPECT_TRUE(IsAllZero(tool.Elements[0]));
  ExpectLineAt(tool.Elements[1], p1, Mid(p1, p2));
  ExpectChords(tool.Elements, 2, SegmentChords(Mid(p1, p2), p2, Mid(p2, p3), 5));
  ExpectLineAt(tool.Elements[6], Mid(p2, p3), p3);
  for (std::size_t i = 1; i < 7; ++i) {
    EXPECT_EQ(tool.Elements[i].LineType, 1);
    EXPECT_EQ(tool.Elements[i].ColorNo, 1);
    EXPECT_EQ(tool.Elements[i].Group, 1);
    EXPECT_EQ(tool.Elements[i].Layer, 1);
    EXPECT_EQ(int{tool.Elements[i].LineTag}, 0);
  }
}

TEST(MidpointCurve, ClosedCurveHasOneSegmentPerCornerOfTheOutline) {
  const P a{0, 0}, b{8, 0}, c{10, 6}, d{1, 5};
  const int div = 6;  // five chords per segment
  {
    SCOPED_TRACE("open outline: four corners");
    TSupuLineobj tool = WithPoints({a, b, c, d});
    tool.BuildCurve(div, 3, 0);
    ASSERT_EQ(tool.Elements.size(), 1u + 4 * 5);
    ExpectChords(tool.Elements, 1, SegmentChords(Mid(a, b), b, Mid(b, c), div));
    ExpectChords(tool.Elements, 6, SegmentChords(Mid(b, c), c, Mid(c, d), div));
    ExpectChords(tool.Elements, 11, SegmentChords(Mid(c, d), d, Mid(d, a), div));
    ExpectChords(tool.Elements, 16, SegmentChords(Mid(d, a), a, Mid(a, b), div));
  }
  {
    SCOPED_TRACE("already closed: the last point within 1e-4 of the first");
    const P a2{a.x + 5e-5, a.y - 5e-5};
    TSupuLineobj tool = WithPoints({a, b, c, d, a2});
    tool.BuildCurve(div, 3, 0);
    ASSERT_EQ(tool.Elements.size(), 1u + 4 * 5);
    ExpectChords(tool.Elements, 11, SegmentChords(Mid(c, d), d, Mid(d, a2), div));
    ExpectChords(tool.Elements, 16, SegmentChords(Mid(d, a2), a2, Mid(a, b), div));
  }
  {
    SCOPED_TRACE("two points: there and back");
    TSupuLineobj tool = WithPoints({a, b});
    tool.BuildCurve(div, 3, 0);
    ASSERT_EQ(tool.Elements.size(), 1u + 2 * 5);
    ExpectChords(tool.Elements, 1, SegmentChords(Mid(a, b), b, Mid(b, a), div));
    ExpectChords(tool.Elements, 6, SegmentChords(Mid(b, a), a, Mid(a, b), div));
  }
}

TEST(MidpointCurve, TooFewPointsOrDivisionsGiveOnlyEntryZero) {
  struct Case {
    const char* name;
    int points, divisions;
    std::uint8_t kind;
  };
  const Case cases[] = {
      {"open, two points", 2, 5, 1},      {"open, two divisions", 4, 2, 1}, {"closed, one point", 1, 5, 3},
      {"closed, no point", 0, 5, 3},      {"arcs, one point", 1, 5, 4},     {"radials, one point", 1, 5, 5},
      {"closed, two divisions", 4, 2, 3}, {"arcs, no divisions", 4, 0, 4},  {"radials, negative", 4, -3, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSupuLineobj tool;
    for (int k = 0; k < c.points; ++k) tool.AddPoint(k * 3.0, (k % 2) * 4.0);
    tool.BuildCurve(c.divisions, c.kind, 0);
    ASSERT_EQ(tool.Elements.size(), 1u);
    EXPECT_TRUE(IsAllZero(tool.Elements[0]));
  }
}

// The bulging arcs stand on the non-degenerate chords of the closed curve,
// in order.
std::vector<std::pair<P, P>> ClosedChords(const std::vector<P>& pts, int div) {
  std::vector<std::pair<P, P>> all;
  const std::size_t n = pts.size();
  for (std::size_t v = 0; v < n; ++v) {
    const P prev = pts[(v + n - 1) % n], next = pts[(v + 1) % n];
    for (const auto& ch : SegmentChords(Mid(prev, pts[v]), pts[v], Mid(pts[v], next), div))
      if (std::hypot(ch.second.x - ch.first.x, ch.second.y - ch.first.y) > 0) all.push_back(ch);
  }
  // Corners 2..n come first, corner 1 last.
  std::rotate(all.begin(), all.begin() + (div - 2), all.end());
  return all;
}

TEST(MidpointCurve, BulgingArcsPassThroughTheirChordEndsWithTheirSagittaOnTheLeft) {
  SettingsGuard guard;
  const std::vector<P> pts{{0, 0}, {20, 0}, {20, 12}, {0, 12}};
  const int div = 5;
  const std::vector<std::pair<P, P>> chords = ClosedChords(pts, div);
  struct Case {
    const char* name;
    double param;
    std::uint8_t bulge;  // CurveBulge
    double ratio;
  };
  const Case cases[] = {
      {"param 0 takes the built-in setting 4", 0, 4, 0.3},
      {"param 0 takes the changed setting", 0, 2, 0.2},
      {"param 2", 2, 4, 0.2},
      {"param -6 bulges to the right", -6, 4, -0.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ToolDefaults.CurveBulge = c.bulge;
    TSupuLineobj tool;
    for (const P& p : pts) tool.AddPoint(p.x, p.y);
    tool.BuildCurve(div, 4, c.param);
    ASSERT_EQ(tool.Elements.size(), 1 + chords.size());
    for (std::size_t i = 0; i < chords.size(); ++i) {
      SCOPED_TRACE(i);
      const RDrawElement& e = tool.Elements[i + 1];
      const P p = chords[i].first, r = chords[i].second;
      ASSERT_EQ(e.Kind, kKindArc);
      EXPECT_EQ(float{e.Ratio}, 1.0f);
      EXPECT_EQ(float{e.Rotation}, 0.0f);
      EXPECT_NEAR(std::hypot(p.x - e.X1, p.y - e.Y1), e.Radius, 1e-9);
      EXPECT_NEAR(std::hypot(r.x - e.X1, r.y - e.Y1), e.Radius, 1e-9);
      // The middle of the anticlockwise arc stands ratio x chord off the
      // chord's midpoint along its left normal.
      double sweep = double(e.EndAngle) - e.StartAngle;
      if (sweep < 0) sweep += 360;
      const double m = (e.StartAngle + sweep / 2) * std::numbers::pi / 180;
      const double len = std::hypot(r.x - p.x, r.y - p.y);
      const P left{-(r.y - p.y) / len, (r.x - p.x) / len};
      const P want{(p.x + r.x) / 2 + c.ratio * len * left.x, (p.y + r.y) / 2 + c.ratio * len * left.y};
      EXPECT_NEAR(e.X1 + e.Radius * std::cos(m), want.x, 1e-4);
      EXPECT_NEAR(e.Y1 + e.Radius * std::sin(m), want.y, 1e-4);
    }
  }
}

TEST(MidpointCurve, RadialsAreTwoLinesToTheCentreOfEveryBulgingArc) {
  SettingsGuard guard;
  ToolDefaults.CurveBulge = 6;  // ratio 0.4 for both kinds
  const std::vector<P> pts{{0, 0}, {15, 3}, {12, 14}, {-2, 9}};
  TSupuLineobj arcs, radials;
  for (const P& p : pts) {
    arcs.AddPoint(p.x, p.y);
    radials.AddPoint(p.x, p.y);
  }
  arcs.BuildCurve(6, 4, 0);
  radials.BuildCurve(6, 5, 2);  // the parameter is not read
  const std::vector<std::pair<P, P>> chords = ClosedChords(pts, 6);
  ASSERT_EQ(arcs.Elements.size(), 1 + chords.size());
  ASSERT_EQ(radials.Elements.size(), 1 + 2 * chords.size());
  for (std::size_t i = 0; i < chords.size(); ++i) {
    SCOPED_TRACE(i);
    const P centre{arcs.Elements[i + 1].X1, arcs.Elements[i + 1].Y1};
    ExpectLineAt(radials.Elements[1 + 2 * i], chords[i].first, centre);
    ExpectLineAt(radials.Elements[2 + 2 * i], chords[i].second, centre);
  }
}

TEST(MidpointCurve, KindAboveSevenOrNonFiniteBulgeKeepsTheElements) {
  TSupuLineobj tool = WithPoints({{0, 0}, {5, 5}, {10, 0}});
  tool.BuildCurve(5, 1, 0);
  const std::size_t before = tool.Elements.size();
  tool.BuildCurve(5, 8, 0);
  EXPECT_EQ(tool.CurveKind, 8);
  EXPECT_EQ(tool.Elements.size(), before);
  tool.BuildCurve(5, 255, 0);
  EXPECT_EQ(tool.Elements.size(), before);
  // A bulge that is not a number builds no arcs either.
  tool.BuildCurve(5, 4, NAN);
  EXPECT_EQ(tool.CurveKind, 4);
  EXPECT_EQ(tool.Elements.size(), before);
  EXPECT_EQ(tool.Elements[1].Kind, kKindLine);
}

// ---- cubic splines ----

// The lines a line build wrote (after entry 0, before its trailing zeros).
std::vector<RDrawElement> WrittenLines(const TSupuLineobj& tool) {
  const std::size_t trailing = static_cast<std::size_t>(tool.PointCount);
  return {tool.Elements.begin() + 1, tool.Elements.end() - static_cast<std::ptrdiff_t>(trailing)};
}

// The sample points an arc build joins: every line's start, then the end.
std::vector<P> PointsAlong(const std::vector<RDrawElement>& lines) {
  std::vector<P> pts;
  for (const RDrawElement& e : lines) pts.push_back({e.X1, e.Y1});
  if (!lines.empty()) pts.push_back({lines.back().X2, lines.back().Y2});
  return pts;
}

TEST(Spline, TwoPointsGiveStraightStepsAndCaptureTheirEnds) {
  {
    SCOPED_TRACE("oblique: both ends captured");
    TSupuLineobj tool = WithPoints({{0, 0}, {4, 3}});
    tool.BuildCurve(4, 0, 0);
    EXPECT_EQ(tool.Divisions, 4);
    // 8 steps, 2 splits, then n = 2 zero entries.
    ASSERT_EQ(tool.Elements.size(), 1u + 10 + 2);
    ExpectLineAt(tool.Elements[1], {0, 0}, {0, 0});
    for (int j = 0; j < 8; ++j)
      ExpectLineAt(tool.Elements[2 + j], {0.5 * j, 0.375 * j}, {0.5 * (j + 1), 0.375 * (j + 1)});
    ExpectLineAt(tool.Elements[10], {4, 3}, {4, 3});
    EXPECT_TRUE(IsAllZero(tool.Elements[0]));
    EXPECT_TRUE(IsAllZero(tool.Elements[11]));
    EXPECT_TRUE(IsAllZero(tool.Elements[12]));
  }
  {
    SCOPED_TRACE("horizontal: boxes without area capture nothing");
    TSupuLineobj tool = WithPoints({{0, 0}, {4, 0}});
    tool.BuildCurve(4, 0, 0);
    ASSERT_EQ(tool.Elements.size(), 1u + 8 + 2);
    for (int j = 0; j < 8; ++j) ExpectLineAt(tool.Elements[1 + j], {0.5 * j, 0}, {0.5 * (j + 1), 0});
  }
}

TEST(Spline, DivisionsOfZeroOrLessGiveZeroEntriesOnly) {
  for (int div : {0, -2}) {
    SCOPED_TRACE(div);
    for (std::uint8_t kind : {0, 2}) {
      TSupuLineobj tool = WithPoints({{0, 0}, {4, 3}, {9, 1}});
      tool.BuildCurve(div, kind, 0);
      ASSERT_EQ(tool.Elements.size(), 4u);  // n + 1
      for (const RDrawElement& e : tool.Elements) EXPECT_TRUE(IsAllZero(e));
    }
    for (std::uint8_t kind : {6, 7}) {
      TSupuLineobj tool = WithPoints({{0, 0}, {4, 3}, {9, 1}});
      tool.BuildCurve(div, kind, 0);
      EXPECT_EQ(tool.Elements.size(), 1u);
    }
  }
}

TEST(Spline, FewerThanTwoDistinctNodesGiveOnlyEntryZero) {
  for (std::uint8_t kind : {0, 2, 6, 7}) {
    SCOPED_TRACE(int(kind));
    for (int count : {0, 1, 3}) {
      TSupuLineobj tool;
      for (int k = 0; k < count; ++k) tool.AddPoint(2, 5);
      tool.BuildCurve(4, kind, 0);
      ASSERT_EQ(tool.Elements.size(), 1u);
      EXPECT_TRUE(IsAllZero(tool.Elements[0]));
    }
  }
}

TEST(Spline, CollinearPointsGiveStraightLines) {
  // Equal slopes between all nodes: the natural spline is the line itself.
  for (std::uint8_t kind : {0, 2}) {
    SCOPED_TRACE(int(kind));
    TSupuLineobj tool = WithPoints({{0, 0}, {1, 2}, {3, 6}, {6, 12}});
    tool.BuildCurve(5, kind, 0);
    for (const RDrawElement& e : WrittenLines(tool)) {
      EXPECT_NEAR(e.Y1, 2 * e.X1, 1e-9);
      EXPECT_NEAR(e.Y2, 2 * e.X2, 1e-9);
    }
  }
  TSupuLineobj open = WithPoints({{0, 0}, {1, 2}, {3, 6}, {6, 12}});
  open.BuildCurve(5, 0, 0);
  const std::vector<RDrawElement> lines = WrittenLines(open);
  EXPECT_NEAR(lines.front().X1, 0, 1e-12);
  EXPECT_NEAR(lines.back().X2, 6, 1e-12);
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_NEAR(lines[i].X1, lines[i - 1].X2, 1e-12);
}

TEST(Spline, ThreeNodeNaturalSplineMatchesTheHandSolution) {
  // Nodes (0, 0), (3, 4), (6, 0): lengths 5 and 5, so t = 0, 1/2, 1.
  // x: equal slopes 6, z = 0, x(u) = 6u.
  // y: d0 = 8, d1 = -8; 2 (t2 - t0) z1 = d1 - d0 gives z1 = -8 (y''(1/2) = -48),
  // so on [0, 1/2] with w = 2u: y = 4w - 2 (w^3 - w) = 6w - 2w^3, mirrored beyond.
  TSupuLineobj tool = WithPoints({{0, 0}, {3, 4}, {6, 0}});
  tool.BuildCurve(7, 0, 0);
  const std::vector<P> pts = PointsAlong(WrittenLines(tool));
  ASSERT_GE(pts.size(), 22u);  // 21 steps, the end
  for (const P& p : pts) {
    const double u = p.x / 6;
    const double w = 2 * std::min(u, 1 - u);
    EXPECT_NEAR(p.y, 6 * w - 2 * w * w * w, 1e-9) << "at x = " << p.x;
  }
  // The second derivative at the middle by central differences: y''(1/2) = -48.
  const double h = 1e-3;
  auto y = [](double u) {
    const double w = 2 * std::min(u, 1 - u);
    return 6 * w - 2 * w * w * w;
  };
  EXPECT_NEAR((y(0.5 + h) - 2 * y(0.5) + y(0.5 - h)) / (h * h), -48, 0.1);
}

TEST(Spline, CurvePassesThroughEveryCapturedPoint) {
  const std::vector<P> input{{0, 0}, {1, 2}, {3, 3}, {6, 4}};
  for (int div : {3, 4, 7}) {
    SCOPED_TRACE(div);
    TSupuLineobj tool;
    for (const P& p : input) tool.AddPoint(p.x, p.y);
    tool.BuildCurve(div, 0, 0);
    const std::vector<RDrawElement> lines = WrittenLines(tool);
    for (const P& p : input) {
      bool joined = false;
      for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        joined =
            joined || (lines[i].X2 == p.x && lines[i].Y2 == p.y && lines[i + 1].X1 == p.x && lines[i + 1].Y1 == p.y);
      EXPECT_TRUE(joined) << p.x << ", " << p.y;
    }
    // The inner points fall inside a chord, the ends on its corners: four
    // splits on 4 x div steps.
    EXPECT_EQ(lines.size(), 4u * div + 4);
    EXPECT_EQ(tool.Elements.size(), 1 + lines.size() + 4);
  }
}

TEST(Spline, ClosedSplineThroughARegularPolygonIsSymmetricAndSmoothAtTheSeam) {
  const int sides = 6, div = 12;
  TSupuLineobj tool;
  for (int k = 0; k < sides; ++k)
    tool.AddPoint(10 * std::cos(k * std::numbers::pi / 3), 10 * std::sin(k * std::numbers::pi / 3));
  tool.BuildCurve(div, 2, 0);
  // The curve points in order, with the captured vertices merged into the
  // samples they coincide with.
  std::vector<P> pts;
  for (const P& p : PointsAlong(WrittenLines(tool)))
    if (pts.empty() || std::hypot(p.x - pts.back().x, p.y - pts.back().y) > 1e-9) pts.push_back(p);
  ASSERT_EQ(pts.size(), std::size_t(sides * div + 1));  // u = j / 72, j = 0..72
  EXPECT_NEAR(pts.front().x, 10, 1e-9);
  EXPECT_NEAR(pts.back().x, 10, 1e-9);
  EXPECT_NEAR(pts.back().y, 0, 1e-9);
  const double c = std::cos(std::numbers::pi / 3), s = std::sin(std::numbers::pi / 3);
  for (std::size_t j = 0; j + div < pts.size(); ++j) {
    SCOPED_TRACE(j);
    // A sixth of the parameter on is the same point turned by 60 degrees,
    // and the curve mirrors in the x axis.
    EXPECT_NEAR(pts[j + div].x, c * pts[j].x - s * pts[j].y, 1e-9);
    EXPECT_NEAR(pts[j + div].y, s * pts[j].x + c * pts[j].y, 1e-9);
    EXPECT_NEAR(pts[pts.size() - 1 - j].x, pts[j].x, 1e-9);
    EXPECT_NEAR(pts[pts.size() - 1 - j].y, -pts[j].y, 1e-9);
  }
  // First derivatives by one-sided differences on both sides of the seam
  // agree as closely as at an inner node (where the spline is smooth by
  // construction), and the difference is the O(h) curvature term only.
  const double h = 1.0 / (sides * div);
  auto diff = [&](std::size_t a, std::size_t b) { return P{(pts[b].x - pts[a].x) / h, (pts[b].y - pts[a].y) / h}; };
  const std::size_t last = pts.size() - 1;
  const P seamIn = diff(last - 1, last), seamOut = diff(0, 1);
  const P innerIn = diff(div - 1, div), innerOut = diff(div, div + 1);
  const double seamJump = std::hypot(seamOut.x - seamIn.x, seamOut.y - seamIn.y);
  const double innerJump = std::hypot(innerOut.x - innerIn.x, innerOut.y - innerIn.y);
  EXPECT_NEAR(seamJump, innerJump, 1e-6);
  EXPECT_LT(seamJump, 0.2 * std::hypot(seamOut.x, seamOut.y));
  EXPECT_NEAR(seamIn.x, -seamOut.x, 1e-6);  // both nearly vertical, mirrored
  EXPECT_NEAR(seamIn.y, seamOut.y, 1e-6);
}

TEST(Spline, RepeatedConsecutivePointIsOneNode) {
  TSupuLineobj single = WithPoints({{0, 0}, {3, 4}, {6, 0}});
  TSupuLineobj doubled = WithPoints({{0, 0}, {3, 4}, {3, 4}, {6, 0}});
  single.BuildCurve(8, 0, 0);
  doubled.BuildCurve(6, 0, 0);  // 4 x 6 = 3 x 8 steps: the same samples
  const std::vector<P> a = PointsAlong(WrittenLines(single)), b = PointsAlong(WrittenLines(doubled));
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_TRUE(std::isfinite(b[i].x) && std::isfinite(b[i].y));
    EXPECT_NEAR(a[i].x, b[i].x, 1e-12);
    EXPECT_NEAR(a[i].y, b[i].y, 1e-12);
  }
}

// Checks the arcs of an arc build against the points of the line build of
// the same kind family: consecutive triples, an arc where the three points
// are apart and not on one line, a final line for two left over.
void ExpectArcsThroughTriples(const std::vector<P>& pts, const std::vector<RDrawElement>& els, bool finalLine) {
  auto apart = [](P a, P b) { return !(std::abs(a.x - b.x) < 0.01 && std::abs(a.y - b.y) < 0.01); };
  std::size_t e = 1, i = 0;
  for (; i + 2 < pts.size(); i += 2) {
    const P a = pts[i], m = pts[i + 1], b = pts[i + 2];
    if (!apart(a, m) || !apart(m, b) || !apart(a, b)) continue;
    SCOPED_TRACE(i);
    auto onCircle = [&](const RDrawElement& arc) {
      if (arc.Kind != kKindArc) return false;
      for (const P& q : {a, m, b})
        if (std::abs(std::hypot(q.x - arc.X1, q.y - arc.Y1) - arc.Radius) > 1e-6 * arc.Radius) return false;
      return true;
    };
    // Twice the angle at a between the chords to m and to b is the arc over
    // m-b, part of the sweep; a nearly straight triple (sweep below 1e-4
    // degrees) has no arc.
    const double sweepDeg = 2 *
                            std::abs(std::atan2((b.x - a.x) * (m.y - a.y) - (b.y - a.y) * (m.x - a.x),
                                                (b.x - a.x) * (m.x - a.x) + (b.y - a.y) * (m.y - a.y))) *
                            180 / std::numbers::pi;
    if (sweepDeg < 1e-3 && (e >= els.size() || !onCircle(els[e]))) continue;
    ASSERT_LT(e, els.size());
    const RDrawElement& arc = els[e++];
    ASSERT_TRUE(onCircle(arc));
    EXPECT_GT(float{arc.StartAngle}, 0.0f);
    EXPECT_LE(float{arc.StartAngle}, 360.0f);
    EXPECT_GT(float{arc.EndAngle}, 0.0f);
    EXPECT_LE(float{arc.EndAngle}, 360.0f);
    // The middle point lies on the anticlockwise way from start to end.
    auto ccw = [](double from, double to) { return std::fmod(to - from + 720.0, 360.0); };
    const double mid = std::atan2(m.y - arc.Y1, m.x - arc.X1) * 180 / std::numbers::pi;
    EXPECT_LT(ccw(arc.StartAngle, mid), ccw(arc.StartAngle, arc.EndAngle) + 1e-3);
  }
  EXPECT_EQ(i + 2 == pts.size(), finalLine);
  if (finalLine) {
    ASSERT_EQ(e + 1, els.size());
    ExpectLineAt(els[e], pts[i], pts[i + 1]);
  } else {
    EXPECT_EQ(e, els.size());
  }
}

TEST(Spline, ArcKindsJoinTheSamplesByArcsThroughConsecutiveTriples) {
  struct Case {
    const char* name;
    std::vector<P> points;
    int div;
    std::uint8_t kind;
    std::size_t samples;  // steps + 1 + captures
    bool finalLine;
  };
  const Case cases[] = {
      // 9 steps, the two ends captured (the top falls between samples): 12
      // points, five triples and a final line.
      {"open arch", {{0, 0}, {3, 4}, {6, 0}}, 3, 6, 12, true},
      // 4 x 4 steps, four captures: 21 points, ten triples.
      {"open rising", {{0, 0}, {1, 2}, {3, 3}, {6, 4}}, 4, 6, 21, false},
      {"closed triangle", {{0, 0}, {10, 0}, {5, 8}}, 4, 7, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSupuLineobj lines, arcs;
    for (const P& p : c.points) {
      lines.AddPoint(p.x, p.y);
      arcs.AddPoint(p.x, p.y);
    }
    lines.BuildCurve(c.div, c.kind == 6 ? 0 : 2, 0);
    arcs.BuildCurve(c.div, c.kind, 0);
    EXPECT_EQ(arcs.Divisions, c.div);
    const std::vector<P> pts = PointsAlong(WrittenLines(lines));
    if (c.samples != 0) {
      EXPECT_EQ(pts.size(), c.samples);
    }
    EXPECT_TRUE(IsAllZero(arcs.Elements[0]));
    ExpectArcsThroughTriples(pts, arcs.Elements, c.samples != 0 ? c.finalLine : pts.size() % 2 == 0);
  }
}

TEST(Spline, CollinearTriplesGiveNoArc) {
  TSupuLineobj tool = WithPoints({{0, 0}, {2, 1}, {8, 4}});
  tool.BuildCurve(2, 6, 0);
  // 6 steps on a straight line; both ends captured at chord corners, the
  // middle point (at a quarter of the length) inside the second chord: 10
  // points, no arc can exist, and the two left over make the only element.
  ASSERT_EQ(tool.Elements.size(), 2u);
  EXPECT_EQ(tool.Elements[1].Kind, kKindLine);
  EXPECT_NEAR(tool.Elements[1].X2, 8, 1e-12);
  EXPECT_NEAR(tool.Elements[1].Y2, 4, 1e-12);
}

}  // namespace
