// Batch trim to a boundary, partial erase between reference lines, and the
// arc cut; expected pieces by hand.

#include "tools/edit/batch_trim.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr double kRadBatchTrim = 3.14159265358979323846 / 180.0;

struct Seg {
  double x1, y1, x2, y2;
};

void ExpectItem(const RTrimItem& got, Seg want, double tol = 1e-9) {
  EXPECT_NEAR(got.X1, want.x1, tol);
  EXPECT_NEAR(got.Y1, want.y1, tol);
  EXPECT_NEAR(got.X2, want.x2, tol);
  EXPECT_NEAR(got.Y2, want.y2, tol);
  // The item's attribute bytes travel with every result.
  EXPECT_EQ(got.LineType, 3);
  EXPECT_EQ(got.ColorNo, 5);
  EXPECT_EQ(got.Group, 2);
  EXPECT_EQ(got.Layer, 7);
}

RDrawElement LineElement(double x1, double y1, double x2, double y2) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindLine;
  e.X1 = x1;
  e.Y1 = y1;
  e.X2 = x2;
  e.Y2 = y2;
  return e;
}

RDrawElement ArcElement(double cx, double cy, double r, float ratio, float start, float end, float rotation) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = ratio;
  e.StartAngle = start;
  e.EndAngle = end;
  e.Rotation = rotation;
  return e;
}

RTrimItem TrimOne(const RDrawElement& boundary, Seg fence, Seg item) {
  Tcommand_a tool(boundary, fence.x1, fence.y1, fence.x2, fence.y2);
  tool.AddItem(3, 5, 2, 7, item.x1, item.y1, item.x2, item.y2);
  tool.Run();
  EXPECT_EQ(tool.Count, 1);
  return tool.Results.at(1);
}

TEST(BatchTrim, LineBoundaryKeepsTheFencesSide) {
  const RDrawElement boundary = LineElement(10, -5, 10, 5);  // x = 10
  struct Case {
    const char* what;
    Seg fence, item, result;
  };
  const Case cases[] = {
      {"fence at x = 2: extended", {2, -1, 2, 1}, {0, 0, 5, 0}, {0, 0, 10, 0}},
      {"fence at x = 12: the far side", {12, -1, 12, 1}, {0, 0, 5, 0}, {10, 0, 5, 0}},
      {"fence at x = 2, item across the boundary: trimmed", {2, -1, 2, 1}, {0, 0, 15, 0}, {0, 0, 10, 0}},
      {"parallel to the boundary: unchanged", {-1, 2, 1, 2}, {0, 0, 0, 5}, {0, 0, 0, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectItem(TrimOne(boundary, c.fence, c.item), c.result);
  }
}

TEST(BatchTrim, CircleBoundaryEndsExactlyOnTheCircle) {
  const RDrawElement circle = ArcElement(0, 0, 10, 1.0f, 0.0f, 0.0f, 0.0f);
  const double x = std::sqrt(91.0);  // y = 3 meets the circle at (+-x, 3)
  struct Case {
    const char* what;
    Seg fence, item, result;
  };
  const Case cases[] = {
      // Both crossings beyond the fence on the same side: P1 to the near one.
      {"from outside", {-17, -1, -17, 5}, {-20, 3, -15, 3}, {-20, 3, -x, 3}},
      {"through the circle, fence outside", {-15, -1, -15, 5}, {-20, 3, 20, 3}, {-20, 3, -x, 3}},
      // The fence between the crossings keeps the chord, from the crossing
      // nearer P2.
      {"through the circle, fence inside", {0, -1, 0, 5}, {-20, 3, 20, 3}, {x, 3, -x, 3}},
      {"from inside", {1, -1, 1, 5}, {0, 3, 5, 3}, {x, 3, -x, 3}},
      // Both crossings on the far side of the fence from P1: to P2.
      {"from inside, fence beyond the circle", {-12, -1, -12, 5}, {0, 3, 5, 3}, {x, 3, 5, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RTrimItem r = TrimOne(circle, c.fence, c.item);
    ExpectItem(r, c.result);
  }
  // The ends on the circle, to 1e-9.
  const RTrimItem r = TrimOne(circle, {-17, -1, -17, 5}, {-20, 1.5, -15, 2.5});
  EXPECT_NEAR(std::hypot(r.X2, r.Y2), 10, 1e-9);
  EXPECT_LT(r.X2, 0);
  // A line that misses the circle comes back unchanged.
  ExpectItem(TrimOne(circle, {-17, -1, -17, 15}, {-20, 12, -15, 12}), {-20, 12, -15, 12});
}

TEST(BatchTrim, EllipseBoundaryEndsOnTheNearSide) {
  // x^2 / 400 + y^2 / 100 = 1 meets y = 3 at x = -+20 sqrt(0.91); the chord
  // order meets the right-hand crossing first.
  const RDrawElement ellipse = ArcElement(0, 0, 20, 0.5f, 0.0f, 0.0f, 0.0f);
  const RTrimItem r = TrimOne(ellipse, {-27, -1, -27, 5}, {-30, 3, -25, 3});
  EXPECT_EQ(r.X1, -30);
  EXPECT_NEAR(r.Y2, 3, 1e-9);
  EXPECT_NEAR(r.X2, -20 * std::sqrt(0.91), 0.05);  // within the chord error
  EXPECT_NEAR(r.X2 * r.X2 / 400 + r.Y2 * r.Y2 / 100, 1, 0.01);
}

TEST(BatchTrim, OtherBoundaryKindsLeaveEveryItem) {
  RDrawElement text = LineElement(10, -5, 10, 5);
  text.Kind = kKindText;
  Tcommand_a tool(text, 2, -1, 2, 1);
  EXPECT_TRUE(tool.BoundarySegments.empty());
  EXPECT_EQ(tool.ArcBoundary, 1);
  tool.AddItem(3, 5, 2, 7, 0, 0, 5, 0);
  tool.AddItem(3, 5, 2, 7, 1, 1, 6, 1);
  tool.Run();
  ASSERT_EQ(tool.Results.size(), 3u);
  ExpectItem(tool.Results[1], {0, 0, 5, 0});
  ExpectItem(tool.Results[2], {1, 1, 6, 1});
}

TEST(BatchTrim, ArcPointsRunFromStartToEnd) {
  const auto arc = Tcommand_a::ArcPoints(100, 1, 2, 10, 1.0, 300, 60, 0);  // across 0
  ASSERT_EQ(arc.size(), 101u);
  EXPECT_NEAR(arc[0].x, 1 + 10 * std::cos(300 * kRadBatchTrim), 1e-9);
  EXPECT_NEAR(arc[50].x, 11, 1e-9);  // the middle, at 0 degrees
  EXPECT_NEAR(arc[100].y, 2 + 10 * std::sin(60 * kRadBatchTrim), 1e-9);
  const auto full = Tcommand_a::ArcPoints(100, 0, 0, 10, 1.0, 90, 90, 0);
  EXPECT_NEAR(full[0].y, 10, 1e-9);
  EXPECT_NEAR(full[100].y, 10, 1e-9);
  EXPECT_NEAR(full[50].y, -10, 1e-9);
}

std::vector<RTrimItem> Erase(Seg r1, Seg r2, Seg fence, Seg item) {
  Tcommand_b tool(r1.x1, r1.y1, r1.x2, r1.y2, r2.x1, r2.y1, r2.x2, r2.y2, fence.x1, fence.y1, fence.x2, fence.y2);
  tool.AddItem(3, 5, 2, 7, item.x1, item.y1, item.x2, item.y2);
  tool.Run();
  EXPECT_EQ(tool.ResultCount + 1, static_cast<int>(tool.Results.size()));
  return {tool.Results.begin() + 1, tool.Results.end()};
}

TEST(BatchTrim, PartialEraseBetweenTwoReferences) {
  const Seg x3{3, -5, 3, 5}, x7{7, -5, 7, 5}, item{0, 0, 10, 0};
  struct Case {
    const char* what;
    Seg r1, r2, fence, item;
    std::vector<Seg> pieces;
  };
  const Case cases[] = {
      {"fence between: the middle stays", x3, x7, {5, -1, 5, 1}, item, {{3, 0, 7, 0}}},
      {"fence outside: the outer parts stay", x3, x7, {1, -1, 1, 1}, item, {{3, 0, 0, 0}, {7, 0, 10, 0}}},
      {"fence beyond the other end", x3, x7, {12, -1, 12, 1}, item, {{3, 0, 0, 0}, {7, 0, 10, 0}}},
      {"second reference met first", x7, x3, {1, -1, 1, 1}, item, {{3, 0, 0, 0}, {7, 0, 10, 0}}},
      {"a reference through the item's end", {0, -5, 0, 5}, x7, {12, -1, 12, 1}, item, {{7, 0, 10, 0}}},
      {"an item that misses a reference", x3, x7, {5, -1, 5, 1}, {4, 0, 10, 0}, {{4, 0, 10, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto pieces = Erase(c.r1, c.r2, c.fence, c.item);
    ASSERT_EQ(pieces.size(), c.pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) ExpectItem(pieces[i], c.pieces[i]);
  }
}

// Anticlockwise sweep in [0, 360).
double Sweep(double from, double to) {
  double d = std::fmod(to - from, 360.0);
  return d < 0 ? d + 360 : d;
}

bool OnArc(double deg, double start, double end) { return start == end || Sweep(start, deg) < Sweep(start, end); }

// Every direction of the arc outside the removed sweep lies on exactly one
// piece, every other direction on none.
void ExpectPartition(const Tcommand_c& tool, double start, double end, double removedFrom, double removedTo) {
  ASSERT_EQ(tool.LastPiece, static_cast<int>(tool.Pieces.size()) - 1);
  const double edges[] = {start, end, removedFrom, removedTo};
  for (double deg = 0.0; deg < 360.0; deg += 0.25) {
    bool nearEdge = false;
    for (double e : edges) nearEdge = nearEdge || Sweep(e, deg) < 0.01 || Sweep(deg, e) < 0.01;
    if (nearEdge) continue;
    const bool kept = OnArc(deg, start, end) && !(Sweep(removedFrom, deg) < Sweep(removedFrom, removedTo));
    int covering = 0;
    for (const RArcPiece& p : tool.Pieces) covering += OnArc(deg, p.StartAngle, p.EndAngle) ? 1 : 0;
    ASSERT_EQ(covering, kept ? 1 : 0) << "at " << deg;
  }
}

Tcommand_c CutArc(std::uint8_t mode, double a0, double a1, float start, float end, double r = 10) {
  Tcommand_c tool(mode, r * std::cos(a0 * kRadBatchTrim), r * std::sin(a0 * kRadBatchTrim),
                  r * std::cos(a1 * kRadBatchTrim), r * std::sin(a1 * kRadBatchTrim));
  tool.SetArc(3, 5, 2, 7, 0, 0, r, 1.0f, start, end, 0.0f);
  tool.Run();
  return tool;
}

TEST(ArcCut, ModeZeroRemovesTheSweepFromTheFirstCutToTheSecond) {
  struct Case {
    const char* what;
    double a0, a1;
    float start, end;
    std::vector<std::pair<double, double>> pieces;
  };
  const Case cases[] = {
      {"full circle", 0, 90, 0, 0, {{90, 0}}},
      {"two pieces", 100, 200, 0, 270, {{200, 270}, {0, 100}}},
      {"other order: through the gap", 200, 100, 0, 270, {{100, 200}}},
      // Cut first at 290 then at 40: the removed sweep 290 -> 40 holds the
      // gap 300 -> 30, so one piece 40 -> 290 (not two overlapping ones).
      {"straddling the gap", 290, 40, 30, 300, {{40, 290}}},
      {"across 0", 350, 20, 300, 60, {{20, 60}, {300, 350}}},
      {"across 0, through the gap", 20, 350, 300, 60, {{350, 20}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Tcommand_c tool = CutArc(0, c.a0, c.a1, c.start, c.end);
    ASSERT_EQ(tool.Pieces.size(), c.pieces.size());
    EXPECT_EQ(tool.LastPiece, static_cast<int>(c.pieces.size()) - 1);
    for (std::size_t i = 0; i < c.pieces.size(); ++i) {
      EXPECT_NEAR(tool.Pieces[i].StartAngle, c.pieces[i].first, 1e-4);
      EXPECT_NEAR(tool.Pieces[i].EndAngle, c.pieces[i].second, 1e-4);
      EXPECT_EQ(tool.Pieces[i].ColorNo, 5);
      EXPECT_EQ(tool.Pieces[i].Layer, 7);
      EXPECT_EQ(tool.Pieces[i].Radius, 10);
    }
    ExpectPartition(tool, c.start, c.end, c.a0, c.a1);
  }
}

TEST(ArcCut, ModeOneRemovesAShortGapAtEveryClick) {
  // The callers cut 0.3 either side of the click on a fixed diagonal.
  struct Arc {
    const char* what;
    float start, end;
  };
  // The diagonal runs along the circle at 135 and 315 degrees, so clicks
  // next to those ends put one cut beyond the end.
  const Arc arcs[] = {{"circle", 0, 0}, {"arc 135..315", 135, 315}, {"arc across 0", 315, 135}};
  for (const Arc& arc : arcs) {
    std::vector<double> clicks{arc.start + 0.5, arc.start + 1.5, arc.end - 0.5, arc.end - 1.5};
    for (double click = 0.5; click < 360; click += 7.5) clicks.push_back(click);
    for (double click : clicks) {
      if (!OnArc(click, arc.start, arc.end)) continue;
      SCOPED_TRACE(std::string(arc.what) + " at " + std::to_string(click));
      const double cx = 10 * std::cos(click * kRadBatchTrim), cy = 10 * std::sin(click * kRadBatchTrim);
      Tcommand_c tool(1, cx + 0.3, cy + 0.3, cx - 0.3, cy - 0.3);
      tool.SetArc(3, 5, 2, 7, 0, 0, 10, 1.0f, arc.start, arc.end, 0.0f);
      tool.Run();
      double d0 = std::atan2(cy + 0.3, cx + 0.3) / kRadBatchTrim, d1 = std::atan2(cy - 0.3, cx - 0.3) / kRadBatchTrim;
      if (Sweep(d0, d1) > 180) std::swap(d0, d1);
      EXPECT_LT(Sweep(d0, d1), 6.0);
      ExpectPartition(tool, arc.start, arc.end, d0, d1);
    }
  }
}

TEST(ArcCut, EllipseCutsAtParametricAngles) {
  // Semi-axes 10 and 5 turned by 30: the points at parametric 40 and 120.
  auto at = [](double t) {
    const double x = 10 * std::cos(t * kRadBatchTrim), y = 5 * std::sin(t * kRadBatchTrim);
    const double c = std::cos(30 * kRadBatchTrim), s = std::sin(30 * kRadBatchTrim);
    return std::pair{1 + x * c - y * s, 2 + x * s + y * c};
  };
  const auto [x1, y1] = at(40);
  const auto [x2, y2] = at(120);
  Tcommand_c tool(0, x1, y1, x2, y2);
  tool.SetArc(3, 5, 2, 7, 1, 2, 10, 0.5f, 0.0f, 180.0f, 30.0f);
  tool.Run();
  ASSERT_EQ(tool.LastPiece, 1);
  EXPECT_NEAR(tool.Pieces[0].StartAngle, 120, 1e-3);
  EXPECT_EQ(tool.Pieces[0].EndAngle, 180);
  EXPECT_EQ(tool.Pieces[1].StartAngle, 0);
  EXPECT_NEAR(tool.Pieces[1].EndAngle, 40, 1e-3);
  EXPECT_EQ(tool.Pieces[1].Rotation, 30.0f);
  EXPECT_EQ(tool.Pieces[1].Ratio, 0.5f);
}

TEST(ArcCut, OtherModesAndNonFiniteCutsMakeNothing) {
  const Tcommand_c tool = CutArc(2, 10, 20, 0, 0);
  EXPECT_TRUE(tool.Pieces.empty());
  EXPECT_EQ(tool.LastPiece, -1);
  Tcommand_c bad(0, std::nan(""), 0, 0, 10);
  bad.SetArc(3, 5, 2, 7, 0, 0, 10, 1.0f, 0.0f, 90.0f, 0.0f);
  bad.Run();
  EXPECT_TRUE(bad.Pieces.empty());
}

}  // namespace
