#include "canvas/snap_point_finder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "geometry/intersections.h"
#include "platform/input_polling.h"
#include "support/element_factory.h"

namespace {

constexpr double kTolSnapPointFinder = 1e-9;
// Cursor and aperture of most cases: the square is (96, 96)-(104, 104).
constexpr double kCx = 100.0;
constexpr double kCy = 100.0;
constexpr double kAperture = 4.0;

RDrawElement Marked(RDrawElement e, std::uint8_t selection) {
  e.Selection = selection;
  return e;
}

struct Outcome {
  bool snap;
  bool foot;
  bool centre;
  double x;
  double y;
};

Outcome RunFinder(const std::vector<RDrawElement>& candidates, std::uint8_t mode = 0, double zoom = 1.0,
                  double cx = kCx, double cy = kCy) {
  THitzakei finder(mode, cx, cy, kAperture);
  for (const RDrawElement& e : candidates) finder.AddCandidate(e);
  finder.Execute(zoom);
  return {finder.SnapFound, finder.FootFound, finder.CentreFound, finder.ResultX, finder.ResultY};
}

struct SnapCase {
  const char* name;
  std::vector<RDrawElement> candidates;
  double cx, cy;  // the cursor
  bool snap;
  double x, y;  // the result when snap
};

TEST(SnapPointFinder, SnapPointsOfEachKind) {
  const SnapCase cases[] = {
      {"no candidates", {}, kCx, kCy, false, 0, 0},
      {"a point far away is still a snap point", {Point(500, 500)}, kCx, kCy, true, 500, 500},
      {"a line end on the square's border", {Line(104, 100, 104, 300)}, kCx, kCy, true, 104, 100},
      {"a line end 1.5 apertures right is not", {Line(106, 100, 106, 300)}, kCx, kCy, false, 0, 0},
      {"unless the line is marked 50", {Marked(Line(106, 100, 106, 300), 50)}, kCx, kCy, true, 106, 100},
      {"marked 50: 6 apertures in x and y", {Marked(Line(124, 124, 200, 300), 50)}, kCx, kCy, true, 124, 124},
      {"marked 50: beyond 6 apertures", {Marked(Line(124.1, 100, 200, 300), 50)}, kCx, kCy, false, 0, 0},
      // y = x - 2 and y = 202 - x cross at (102, 100); their ends are 20 away.
      {"two crossing lines", {Line(82, 80, 122, 120), Line(82, 120, 122, 80)}, kCx, kCy, true, 102, 100},
      // y = x - 6 and y = 206 - x cross at (106, 100): the factor of the end
      // square does not apply to crossings. Their ends lie beyond 6 apertures.
      {"a crossing outside the square",
       {Marked(Line(66, 60, 146, 140), 50), Marked(Line(66, 140, 146, 60), 50)},
       kCx,
       kCy,
       false,
       0,
       0},
      // Arc about (96, 100), r 10, from 0 to 90 degrees: its start (106, 100)
      // lies within 2 apertures, its end (96, 110) does not.
      {"an arc end 1.5 apertures right", {Arc(96, 100, 10, 0, 90)}, kCx, kCy, true, 106, 100},
      {"a whole circle has no ends", {Arc(100, 100, 3)}, kCx, kCy, false, 0, 0},
      // Circles r 10 about (95, 100) and (105, 100) cross at (100, 100 +- sqrt(75)).
      {"two circles crossing", {Arc(95, 100, 10), Arc(105, 100, 10)}, 100, 108, true, 100, 100 + std::sqrt(75.0)},
      // The line x = 108 cuts the circle r 10 about (100, 100) at y = 100 +- 6.
      {"a line across a circle", {Line(108, 0, 108, 300), Arc(100, 100, 10)}, 107, 105, true, 108, 106},
  };
  for (const SnapCase& c : cases) {
    const Outcome o = RunFinder(c.candidates, kSnapPointsOnly, 1.0, c.cx, c.cy);
    EXPECT_EQ(o.snap, c.snap) << c.name;
    if (!c.snap || !o.snap) continue;
    EXPECT_NEAR(o.x, c.x, 1e-6) << c.name;
    EXPECT_NEAR(o.y, c.y, 1e-6) << c.name;
  }
}

TEST(SnapPointFinder, ListOrderOfTheSnapPoints) {
  THitzakei finder(0, kCx, kCy, kAperture);
  finder.AddCandidate(Point(1, 1));
  finder.AddCandidate(Line(99, 97, 50, 97));  // first end in the square
  finder.AddCandidate(Point(2, 2));
  finder.AddCandidate(Line(97, 60, 97, 103));  // second end in the square; crosses the first line at (97, 97)
  finder.Execute(1.0);
  // Points last offered first; line ends last line first; then the crossing,
  // found once from each side.
  const std::vector<std::pair<double, double>> expected = {{2, 2}, {1, 1}, {97, 103}, {99, 97}, {97, 97}, {97, 97}};
  ASSERT_EQ(finder.SnapPoints.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_NEAR(finder.SnapPoints[k].x, expected[k].first, kTolSnapPointFinder) << k;
    EXPECT_NEAR(finder.SnapPoints[k].y, expected[k].second, kTolSnapPointFinder) << k;
  }
  // (97, 97) is 3 * sqrt(2) = 4.24 away, (99, 97) is sqrt(10) = 3.16 away.
  EXPECT_TRUE(finder.SnapFound);
  EXPECT_DOUBLE_EQ(finder.ResultX, 99);
  EXPECT_DOUBLE_EQ(finder.ResultY, 97);
}

TEST(SnapPointFinder, EqualDistancesGoToTheEarlierPointInTheList) {
  // Points are listed last offered first, so the second offer is earlier.
  const Outcome o = RunFinder({Point(103, 100), Point(97, 100)});
  EXPECT_TRUE(o.snap);
  EXPECT_DOUBLE_EQ(o.x, 97);
}

// Six vertical lines x = 97 .. 102, then six horizontal ones y = 97 .. 102,
// all reaching far beyond the square: 12 candidates, so the second member
// of a pair comes from index 4 up (H = 11, L = 11 div 2 - 1 = 4).
TEST(SnapPointFinder, CrossingsAmongManyLinesComeInPairOrder) {
  THitzakei finder(kSnapPointsOnly, 99.5, 100, kAperture);
  for (int k = 0; k < 6; ++k) finder.AddCandidate(Line(97 + k, 50, 97 + k, 150));
  for (int k = 0; k < 6; ++k) finder.AddCandidate(Line(50, 97 + k, 150, 97 + k));
  finder.Execute(1.0);
  // First member ascending, second descending: each vertical with the
  // horizontals from the top one down; then each horizontal with the
  // verticals at index 5 (x = 102) and 4 (x = 101), the only ones from L up.
  std::vector<std::pair<double, double>> expected;
  for (int v = 0; v < 6; ++v) {
    for (int h = 5; h >= 0; --h) expected.push_back({97 + v, 97 + h});
  }
  for (int h = 0; h < 6; ++h) {
    expected.push_back({102, 97 + h});
    expected.push_back({101, 97 + h});
  }
  ASSERT_EQ(finder.SnapPoints.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(finder.SnapPoints[k].x, expected[k].first) << k;
    EXPECT_EQ(finder.SnapPoints[k].y, expected[k].second) << k;
  }
  // (99, 100) and (100, 100) are both 0.5 from the cursor: the first listed.
  EXPECT_TRUE(finder.SnapFound);
  EXPECT_EQ(finder.ResultX, 99);
  EXPECT_EQ(finder.ResultY, 100);
}

// On bundles of lines through the square (some meeting exactly at their
// ends or along the square's sides), the list equals the one of the plain
// steps written out here: line ends last line first, then every pair of
// the scheme tested in order.
TEST(SnapPointFinder, CrossingsMatchThePlainPairingOnDenseBundles) {
  std::mt19937 random(5);
  auto real = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
  auto whole = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int round = 0; round < 200; ++round) {
    std::vector<RDrawElement> lines;
    const int count = whole(2, 60);
    for (int k = 0; k < count; ++k) {
      if (whole(0, 2) == 0) {
        // Axis-parallel on whole units, ends on the square's sides and on each other.
        const double at = whole(94, 106), from = whole(90, 100), to = whole(100, 110);
        lines.push_back(whole(0, 1) ? Line(at, from, at, to) : Line(from, at, to, at));
      } else {
        const double x = real(95, 105), y = real(95, 105), a = real(0, 6.3), l = real(1, 40);
        lines.push_back(Line(x - l * std::cos(a), y - l * std::sin(a), x + l * std::cos(a), y + l * std::sin(a)));
      }
    }
    THitzakei finder(kSnapPointsOnly, kCx, kCy, kAperture);
    for (const RDrawElement& e : lines) finder.AddCandidate(e);
    finder.Execute(1.0);

    auto inSquare = [](double x, double y, double h) {
      return x >= kCx - h && x <= kCx + h && y >= kCy - h && y <= kCy + h;
    };
    std::vector<RPoint2D> expected;
    for (int i = count - 1; i >= 0; --i) {
      const RDrawElement& e = lines[static_cast<std::size_t>(i)];
      if (inSquare(e.X1, e.Y1, kAperture)) expected.push_back({e.X1, e.Y1});
      if (inSquare(e.X2, e.Y2, kAperture)) expected.push_back({e.X2, e.Y2});
    }
    const int last = count - 1;
    const int low = last <= 10 ? 0 : last / 2 - 1;
    for (int i = 0; i <= last; ++i) {
      for (int j = last; j >= low; --j) {
        if (i == j) continue;
        const RDrawElement& a = lines[static_cast<std::size_t>(i)];
        const RDrawElement& b = lines[static_cast<std::size_t>(j)];
        double x = 0, y = 0;
        if (IntersectSegments(x, y, a.X1, a.Y1, a.X2, a.Y2, b.X1, b.Y1, b.X2, b.Y2) && inSquare(x, y, kAperture)) {
          expected.push_back({x, y});
        }
      }
    }
    ASSERT_EQ(finder.SnapPoints.size(), expected.size()) << "round " << round;
    for (std::size_t k = 0; k < expected.size(); ++k) {
      ASSERT_EQ(finder.SnapPoints[k].x, expected[k].x) << "round " << round << ", point " << k;
      ASSERT_EQ(finder.SnapPoints[k].y, expected[k].y) << "round " << round << ", point " << k;
    }
  }
}

TEST(SnapPointFinder, CrossingPairsAmongManyCandidates) {
  // Lines crossing at (100, 100) with their ends 10 away; filler lines far off.
  const RDrawElement a = Line(90, 90, 110, 110);
  const RDrawElement b = Line(90, 110, 110, 90);
  auto build = [&](int count, int ia, int ib) {
    std::vector<RDrawElement> list;
    for (int k = 0; k < count; ++k) list.push_back(Line(1000, 1000 + k, 1001, 1000 + k));
    list[static_cast<std::size_t>(ia)] = a;
    list[static_cast<std::size_t>(ib)] = b;
    return list;
  };
  struct Case {
    int count, ia, ib;
    bool snap;
  } const cases[] = {
      {11, 0, 1, true},   // last index 10: every pair
      {12, 0, 1, false},  // last index 11: second member from index 4 up
      {12, 0, 4, true},   {12, 3, 4, true},  {12, 2, 3, false},
      {12, 0, 11, true},  {30, 0, 13, true},  // last index 29: from index 13 up
      {30, 0, 12, false},
  };
  for (const Case& c : cases) {
    const Outcome o = RunFinder(build(c.count, c.ia, c.ib), kSnapPointsOnly);
    EXPECT_EQ(o.snap, c.snap) << c.count << " candidates, lines at " << c.ia << " and " << c.ib;
    if (c.snap && o.snap) {
      EXPECT_NEAR(o.x, 100, kTolSnapPointFinder);
      EXPECT_NEAR(o.y, 100, kTolSnapPointFinder);
    }
  }
}

TEST(SnapPointFinder, ArcEndsGiveWayToALineCrossingNextToALineEnd) {
  // Arc centred (100, 94), r 6, from 0 to 180: ends (106, 94) and (94, 94),
  // top (100, 100) on the cursor. A horizontal line y = 100 touches it there.
  {
    THitzakei finder(0, kCx, kCy, kAperture);
    finder.AddCandidate(Arc(100, 94, 6, 0, 180));
    finder.AddCandidate(Line(-50, 100, 250, 100));  // no end near
    finder.Execute(1.0);
    EXPECT_TRUE(finder.LineArcCrossingFound);
    EXPECT_FALSE(finder.LineEndNear);
    EXPECT_EQ(finder.SnapPoints.size(), 4u) << "the tangent point twice and both arc ends";
  }
  {
    THitzakei finder(0, kCx, kCy, kAperture);
    finder.AddCandidate(Arc(100, 94, 6, 0, 180));
    finder.AddCandidate(Line(101, 100, 250, 100));  // its first end is near
    finder.Execute(1.0);
    EXPECT_TRUE(finder.LineEndNear);
    ASSERT_EQ(finder.SnapPoints.size(), 3u) << "the line end and the tangent point twice, no arc ends";
    EXPECT_DOUBLE_EQ(finder.SnapPoints[0].x, 101);
    EXPECT_TRUE(finder.SnapFound);
    EXPECT_NEAR(finder.ResultX, 100, kTolSnapPointFinder);
    EXPECT_NEAR(finder.ResultY, 100, kTolSnapPointFinder);
  }
}

TEST(SnapPointFinder, CirclesThatDoNotMeetGiveNoCrossing) {
  // Circles r 10 about (85, 100) and (115, 100) are 30 apart. The closed
  // formula would put points at (100, 100 +- sqrt(125)); the cursor is there.
  const Outcome o = RunFinder({Arc(85, 100, 10), Arc(115, 100, 10)}, kSnapPointsOnly, 1.0, 100, 100 + std::sqrt(125.0));
  EXPECT_FALSE(o.snap);
  // Concentric circles neither.
  EXPECT_FALSE(RunFinder({Arc(100, 90, 10), Arc(100, 90, 12)}, kSnapPointsOnly).snap);
  // Touching circles meet once, at (100, 100).
  const Outcome touch = RunFinder({Arc(95, 100, 5), Arc(105, 100, 5)}, kSnapPointsOnly, 1.0, 101, 101);
  EXPECT_TRUE(touch.snap);
  EXPECT_NEAR(touch.x, 100, 1e-6);
  EXPECT_NEAR(touch.y, 100, 1e-6);
}

TEST(SnapPointFinder, EllipseCrossingsAreSearchedNearTheCursor) {
  // Ellipse about (100, 100), semi-axes 20 (x) and 10 (y); the circle r 15
  // about the same centre meets it where x^2 = 500/3, y^2 = 175/3.
  const double ex = 100 + std::sqrt(500.0 / 3.0);
  const double ey = 100 + std::sqrt(175.0 / 3.0);
  const Outcome two =
      RunFinder({Arc(100, 100, 20, 0, 0, 0.5f), Arc(100, 100, 15)}, kSnapPointsOnly, 1.0, ex + 1, ey + 1);
  EXPECT_TRUE(two.snap);
  EXPECT_NEAR(two.x, ex, 0.02);
  EXPECT_NEAR(two.y, ey, 0.02);
  // The line x = 100 meets the ellipse at (100, 110).
  const Outcome line =
      RunFinder({Line(100, 0, 100, 300), Arc(100, 100, 20, 0, 0, 0.5f)}, kSnapPointsOnly, 1.0, 101, 109);
  EXPECT_TRUE(line.snap);
  EXPECT_NEAR(line.x, 100, 0.01);
  EXPECT_NEAR(line.y, 110, 0.01);
}

TEST(SnapPointFinder, CentreFallback) {
  struct Case {
    const char* name;
    RDrawElement curve;
    double cx, cy, zoom;
    std::uint8_t mode;
    bool centre;
    double x, y;
  } const cases[] = {
      {"cursor on a circle's outline", Arc(100, 90, 10), 100, 100, 1.0, 0, true, 100, 90},
      {"outline 3.9 from the cursor (4 / zoom)", Arc(100, 90, 10), 100, 103.9, 1.0, 0, true, 100, 90},
      {"outline 4.1 from the cursor", Arc(100, 90, 10), 100, 104.1, 1.0, 0, false, 0, 0},
      {"outline 7.9 away at zoom 0.5", Arc(100, 90, 10), 100, 107.9, 0.5, 0, true, 100, 90},
      {"a circle centred on the origin", Arc(0, 0, 10), 0, 10, 1.0, 0, true, 0, 0},
      {"points-only mode", Arc(100, 90, 10), 100, 100, 1.0, kSnapPointsOnly, false, 0, 0},
  };
  for (const Case& c : cases) {
    THitzakei finder(c.mode, c.cx, c.cy, kAperture);
    finder.AddCandidate(c.curve);
    finder.Execute(c.zoom);
    EXPECT_EQ(finder.CentreFound, c.centre) << c.name;
    EXPECT_EQ(finder.SnapFound, c.centre) << c.name;
    EXPECT_FALSE(finder.FootFound) << c.name;
    if (!c.centre) continue;
    EXPECT_DOUBLE_EQ(finder.ResultX, c.x) << c.name;
    EXPECT_DOUBLE_EQ(finder.ResultY, c.y) << c.name;
    EXPECT_DOUBLE_EQ(Value(finder.CentreElement.Radius), 10) << c.name;
  }
}

TEST(SnapPointFinder, FallbackPoints) {
  struct Case {
    const char* name;
    std::vector<RDrawElement> candidates;
    std::uint8_t footMode;
    double ax, ay;  // reference point; the line runs to the cursor
    double cx, cy;
    bool foot;
    double x, y;
  } const cases[] = {
      {"foot on a line 1 away", {Line(0, 101, 300, 101)}, 1, 0, 0, 100, 100, true, 100, 101},
      {"nearest of two feet", {Line(0, 103, 300, 103), Line(0, 98, 300, 98)}, 1, 0, 0, 100, 100, true, 100, 98},
      {"equal feet: the earlier line",
       {Line(0, 102, 300, 102), Line(0, 98, 300, 98)},
       1,
       0,
       0,
       100,
       100,
       true,
       100,
       102},
      {"a foot far away still counts", {Line(0, 150, 300, 150)}, 1, 0, 0, 100, 100, true, 100, 150},
      {"a line marked 60 gives none", {Marked(Line(0, 101, 300, 101), 60)}, 1, 0, 0, 100, 100, false, 0, 0},
      {"the cursor on the line: distance 0", {Line(0, 100, 300, 100)}, 1, 0, 0, 100, 100, true, 100, 100},
      {"a foot at the origin", {Line(0, -50, 0, 50)}, 1, 0, 0, 2, 0, true, 0, 0},
      // Reference line y = x from (0, 0): it meets x = 102 at (102, 102).
      {"crossing with the reference line", {Line(102, 50, 102, 60)}, 0, 0, 0, 100, 100, true, 102, 102},
      // x = 105 meets y = x at (105, 105), outside the square.
      {"a crossing outside the square", {Line(105, 50, 105, 60)}, 0, 0, 0, 100, 100, false, 0, 0},
      // Feet of A (0, 0): (102, 0) is 100.02 from B; (0, 103) on the other is
      // 100.04 from B. The nearer foot's crossing wins.
      {"crossings ranked by the foot of the reference point",
       {Line(0, 103, 10, 103), Line(102, 50, 102, 60)},
       0,
       0,
       0,
       100,
       100,
       true,
       102,
       102},
      {"parallel to the reference line", {Line(0, 1, 300, 301)}, 0, 0, 0, 100, 100, false, 0, 0},
      // Reference line from (0, 50) to the cursor: y = 50 + x / 2, meeting
      // x = 102 at (102, 101).
      {"a reference point off the axes", {Line(102, 50, 102, 60)}, 0, 0, 50, 100, 100, true, 102, 101},
  };
  for (const Case& c : cases) {
    THitzakei finder(0, c.cx, c.cy, kAperture);
    finder.SetReferenceLine(c.footMode, c.ax, c.ay, c.cx, c.cy);
    for (const RDrawElement& e : c.candidates) finder.AddCandidate(e);
    finder.Execute(1.0);
    EXPECT_FALSE(finder.SnapFound) << c.name;
    EXPECT_EQ(finder.FootFound, c.foot) << c.name;
    if (!c.foot) continue;
    EXPECT_NEAR(finder.ResultX, c.x, kTolSnapPointFinder) << c.name;
    EXPECT_NEAR(finder.ResultY, c.y, kTolSnapPointFinder) << c.name;
  }
}

TEST(SnapPointFinder, NoReferenceLineGivesNoFallback) { EXPECT_FALSE(RunFinder({Line(0, 101, 300, 101)}).foot); }

TEST(SnapPointFinder, PointsOnlyModeIgnoresCurvesAndFeet) {
  THitzakei finder(kSnapPointsOnly, kCx, kCy, kAperture);
  finder.SetReferenceLine(1, 0, 0, kCx, kCy);
  finder.AddCandidate(Arc(100, 90, 10));
  finder.AddCandidate(Line(0, 150, 300, 150));  // misses the circle far from the cursor
  finder.Execute(1.0);
  EXPECT_FALSE(finder.SnapFound);
  EXPECT_FALSE(finder.FootFound);
  EXPECT_FALSE(finder.CentreFound);
}

TEST(SnapPointFinder, BothButtonsHeldDropOnlyCurveCrossings) {
  FakeInputPolling fake;
  fake.Hold(PolledKey::LeftButton);
  fake.Hold(PolledKey::RightButton);
  ScopedInputPolling scope(fake);
  THitzakei finder(0, kCx, kCy, kAperture);
  finder.AddCandidate(Point(500, 500));
  finder.AddCandidate(Arc(95, 100, 10));  // crosses the next circle at (100, 100 +- 8.66)
  finder.AddCandidate(Arc(105, 100, 10));
  finder.AddCandidate(Line(99, 97, 50, 97));       // end (99, 97)
  finder.AddCandidate(Line(97, 60, 97, 103));      // end (97, 103); crosses the line above at (97, 97)
  finder.AddCandidate(Arc(120, 96, 20, 90, 180));  // ends (120, 116) and (100, 96)
  finder.Execute(1.0);
  // The point, the line ends (last line first), the line crossing twice and
  // the arc end (100, 96); nothing from the circles.
  const std::vector<std::pair<double, double>> expected = {{500, 500}, {97, 103}, {99, 97},
                                                           {97, 97},   {97, 97},  {100, 96}};
  ASSERT_EQ(finder.SnapPoints.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_NEAR(finder.SnapPoints[k].x, expected[k].first, 1e-9) << k;
    EXPECT_NEAR(finder.SnapPoints[k].y, expected[k].second, 1e-9) << k;
  }
}

}  // namespace
