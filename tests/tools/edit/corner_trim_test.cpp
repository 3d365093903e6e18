// The corner tool: trim and join of two lines, a line and a circle, arc or
// ellipse, and two arcs. Expected points by hand or from closed forms.

#include "tools/edit/corner_trim.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tool_line_checks.h"

namespace {

constexpr double kRadCornerTrim = 3.14159265358979323846 / 180.0;

bool SameLine(const RToolLine& a, const RToolLine& b) {
  return a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2 && a.LineType == b.LineType &&
         a.ColorNo == b.ColorNo && a.Group == b.Group && a.Layer == b.Layer && a.Flag == b.Flag;
}

bool SameArc(const RToolArc& a, const RToolArc& b) {
  return a.CentreX == b.CentreX && a.CentreY == b.CentreY && a.Radius == b.Radius && a.Ratio == b.Ratio &&
         a.StartAngle == b.StartAngle && a.EndAngle == b.EndAngle && a.Rotation == b.Rotation &&
         a.LineType == b.LineType && a.ColorNo == b.ColorNo && a.Group == b.Group && a.Layer == b.Layer;
}

// Two lines, line 0 with attributes 3, 5, group 2, layer 7 and line 1 with
// 4, 6, 1, 9.
Ttremingobj TwoLines(Seg l0, Seg l1, double ax, double ay, double bx, double by) {
  Ttremingobj tool(false, ax, ay, bx, by, 0.5);
  tool.SetLine(3, 5, l0.x1, l0.y1, l0.x2, l0.y2, 2, 7, 0);
  tool.SetLine(4, 6, l1.x1, l1.y1, l1.x2, l1.y2, 1, 9, 1);
  return tool;
}

TEST(CornerTool, CreateKeepsThePicksAndOrdersTheWorkingPicks) {
  const Ttremingobj plain(false, 1, 2, 3, 4, 0.25);
  EXPECT_EQ(plain.PickA.x, 1);
  EXPECT_EQ(plain.PickB.y, 4);
  EXPECT_EQ(plain.WorkPicks[0].x, 3);  // B first
  EXPECT_EQ(plain.WorkPicks[1].x, 1);
  EXPECT_EQ(plain.Tolerance, 0.25);
  EXPECT_EQ(plain.Status, 0);
  const Ttremingobj swapped(true, 1, 2, 3, 4, 0.25);
  EXPECT_EQ(swapped.WorkPicks[0].x, 1);  // A, the arc's pick, first
  EXPECT_EQ(swapped.WorkPicks[1].y, 4);
}

TEST(CornerTool, LoadersCopyIntoTheResultSlotsAndArcsReadBackExactly) {
  Ttremingobj tool(false, 0, 0, 0, 0, 0);
  tool.SetLineWithFlag(3, 5, 1, 2, 3, 4, 2, 7, 1, 2);
  EXPECT_TRUE(SameLine(tool.InputLines[1], tool.ResultLines[1]));
  EXPECT_EQ(tool.ResultLines[1].Flag, 2);
  EXPECT_EQ(tool.ResultLines[1].Group, 2);
  EXPECT_EQ(tool.ResultLines[1].Layer, 7);
  tool.SetLine(3, 5, 1, 2, 3, 4, 2, 7, 0);
  EXPECT_EQ(tool.ResultLines[0].Flag, 0);
  const float ratio = 0.3f, start = 30.7f, end = 200.1f, rotation = 12.3f;
  tool.SetArc(1, 2, 5.5, 6.5, 7.25, ratio, start, end, rotation, 3, 4, 1);
  EXPECT_TRUE(SameArc(tool.InputArcs[1], tool.ResultArcs[1]));
  EXPECT_EQ(static_cast<float>(tool.ResultArcs[1].Ratio), ratio);
  EXPECT_EQ(static_cast<float>(tool.ResultArcs[1].StartAngle), start);
  EXPECT_EQ(static_cast<float>(tool.ResultArcs[1].EndAngle), end);
  EXPECT_EQ(static_cast<float>(tool.ResultArcs[1].Rotation), rotation);
  // A slot outside 0 and 1 is ignored.
  tool.SetLine(9, 9, 9, 9, 9, 9, 9, 9, 2);
  tool.SetArc(9, 9, 9, 9, 9, 1, 0, 0, 0, 9, 9, 5);
  EXPECT_EQ(tool.ResultLines[0].X1, 1);
}

TEST(CornerTool, TrimLineLine) {
  struct Case {
    const char* what;
    Seg l0, l1;
    double ax, ay, bx, by;
    int status;
    Seg r0, r1;
  };
  const Seg horizontal{0, 0, 10, 0}, vertical{5, -5, 5, 5};
  const Case cases[] = {
      {"crossing in the middle, picks on the first parts",
       horizontal,
       vertical,
       2,
       1,
       5,
       3,
       1,
       {0, 0, 5, 0},
       {5, 5, 5, 0}},
      {"crossing in the middle, picks on the other parts",
       horizontal,
       vertical,
       8,
       -1,
       5,
       -4,
       1,
       {10, 0, 5, 0},
       {5, -5, 5, 0}},
      {"crossing beyond both", {0, 0, 4, 0}, {6, 1, 6, 5}, 2, 0, 6, 3, 1, {0, 0, 6, 0}, {6, 5, 6, 0}},
      {"crossing beyond one", {0, 0, 4, 0}, {6, -5, 6, 5}, 1, 0, 6, 2, 1, {0, 0, 6, 0}, {6, 5, 6, 0}},
      // The feet (8.25, 8.25) and (1, 9) lie 45 and 135 degrees from X.
      {"oblique, second ends picked", {0, 0, 10, 10}, {0, 10, 10, 0}, 8, 8.5, 1, 9, 1, {10, 10, 5, 5}, {0, 10, 5, 5}},
      {"parallel", horizontal, {0, 1, 10, 1}, 2, 0, 2, 1, 10, horizontal, {0, 1, 10, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Ttremingobj tool = TwoLines(c.l0, c.l1, c.ax, c.ay, c.bx, c.by);
    tool.TrimLineLine();
    EXPECT_EQ(tool.Status, c.status);
    ExpectLine(tool.ResultLines[0], c.r0);
    ExpectLine(tool.ResultLines[1], c.r1);
    // The attribute bytes are those of the loaded lines.
    EXPECT_EQ(tool.ResultLines[0].LineType, 3);
    EXPECT_EQ(tool.ResultLines[0].Layer, 7);
    EXPECT_EQ(tool.ResultLines[1].ColorNo, 6);
    EXPECT_EQ(tool.ResultLines[1].Group, 1);
  }
}

TEST(CornerTool, CollinearLinesMergeIntoTheFarthestEnds) {
  Ttremingobj tool = TwoLines({0, 0, 6, 0}, {4, 0, 10, 0}, 1, 0, 8, 0);
  tool.TrimLineLine();
  EXPECT_EQ(tool.Status, 0);
  const RToolLine& m = tool.ResultLines[0];
  EXPECT_EQ(std::min(m.X1, m.X2), 0);
  EXPECT_EQ(std::max(m.X1, m.X2), 10);
  EXPECT_EQ(m.Y1, 0);
  EXPECT_EQ(m.Y2, 0);
  EXPECT_TRUE(SameLine(tool.ResultLines[1], tool.InputLines[1]));
}

TEST(CornerTool, ALineWithoutLengthChangesNothing) {
  for (int op = 0; op < 3; ++op) {
    Ttremingobj tool = TwoLines({2, 2, 2, 2}, {5, -5, 5, 5}, 1, 1, 5, 3);
    if (op == 0) tool.TrimLineLine();
    if (op == 1) tool.JoinLineLine();
    if (op == 2) tool.ChamferCorner(0, 1, 1);
    EXPECT_EQ(tool.Status, 0);
    EXPECT_TRUE(SameLine(tool.ResultLines[0], tool.InputLines[0]));
    EXPECT_TRUE(SameLine(tool.ResultLines[1], tool.InputLines[1]));
  }
}

TEST(CornerTool, JoinLineLineFollowsTheFlags) {
  struct Case {
    const char* what;
    std::uint8_t flag0;
    Seg l1;
    double ax, ay;  // working pick 1 (pick A) steers line 1
    Seg r0, r1;
  };
  // Line 0 (0, 0)-(10, 0); the crossing lies at (12, 0).
  const Case cases[] = {
      {"flag 0: the farther end stays", 0, {12, 2, 12, 8}, 12, 3, {0, 0, 12, 0}, {12, 8, 12, 0}},
      {"flag 2: the first point goes to X", 2, {12, 2, 12, 8}, 12, 3, {12, 0, 10, 0}, {12, 8, 12, 0}},
      {"another flag counts as 0", 7, {12, 2, 12, 8}, 12, 3, {0, 0, 12, 0}, {12, 8, 12, 0}},
      {"X inside line 1, pick on its second part", 0, {12, -5, 12, 5}, 12, 3, {0, 0, 12, 0}, {12, 5, 12, 0}},
      {"X inside line 1, pick on its first part", 0, {12, -5, 12, 5}, 12, -3, {0, 0, 12, 0}, {12, -5, 12, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Ttremingobj tool(false, c.ax, c.ay, 0, 0, 0.5);
    tool.SetLineWithFlag(3, 5, 0, 0, 10, 0, 2, 7, 0, c.flag0);
    tool.SetLineWithFlag(4, 6, c.l1.x1, c.l1.y1, c.l1.x2, c.l1.y2, 1, 9, 1, 9);
    tool.JoinLineLine();
    EXPECT_EQ(tool.Status, 1);
    ExpectLine(tool.ResultLines[0], c.r0);
    ExpectLine(tool.ResultLines[1], c.r1);
    EXPECT_EQ(tool.ResultLines[0].LineType, 3);
    EXPECT_EQ(tool.ResultLines[0].ColorNo, 5);
    EXPECT_EQ(tool.ResultLines[0].Flag, 0);
    EXPECT_EQ(tool.ResultLines[1].LineType, 4);
    EXPECT_EQ(tool.ResultLines[1].ColorNo, 6);
    EXPECT_EQ(tool.ResultLines[1].Flag, 2);
    EXPECT_EQ(tool.InputLines[1].Flag, 0);  // 9 is no flag
  }
  for (Seg other : {Seg{4, 0, 20, 0}, Seg{0, 1, 10, 1}}) {
    SCOPED_TRACE("collinear or parallel");
    Ttremingobj tool = TwoLines({0, 0, 10, 0}, other, 1, 0, 8, 0);
    tool.JoinLineLine();
    EXPECT_EQ(tool.Status, 10);
    EXPECT_TRUE(SameLine(tool.ResultLines[0], tool.InputLines[0]));
    EXPECT_TRUE(SameLine(tool.ResultLines[1], tool.InputLines[1]));
  }
}

// A line and a circle or arc of radius 5 about the origin. Working pick 0
// is on the arc and working pick 1 on the line.
struct LineArcCase {
  const char* what;
  Seg line;
  double lineX, lineY;  // pick on the line
  double start, end;    // arc angles; equal: a full circle
  double arcX, arcY;    // pick on the arc
  int status;
  Seg result;
  double newStart, newEnd;
};

TEST(CornerTool, TrimLineArcTakesTheCrossingNearerThePickFoot) {
  const double r5 = std::sqrt(5.0);
  const double c10 = 5 * std::cos(10 * kRadCornerTrim), s10 = 5 * std::sin(10 * kRadCornerTrim);
  auto at = [](double deg) {
    return std::pair{5 * std::cos(deg * kRadCornerTrim), 5 * std::sin(deg * kRadCornerTrim)};
  };
  const auto [p350x, p350y] = at(350);
  const auto [p10x, p10y] = at(10);
  const auto [p45x, p45y] = at(45);
  const double a3487 = std::atan2(3.0, 4.0) / kRadCornerTrim;  // 36.87
  const double a5313 = std::atan2(4.0, 3.0) / kRadCornerTrim;  // 53.13
  const LineArcCase cases[] = {
      // y = 3 meets the circle at (+-4, 3); the circle stays whole.
      {"full circle, pick right", {-10, 3, 10, 3}, 8, 3, 0, 0, 0, 5, 0, {4, 3, 10, 3}, 0, 0},
      {"full circle, pick left", {-10, 3, 10, 3}, -8, 3, 0, 0, 0, 5, 0, {-10, 3, -4, 3}, 0, 0},
      // y = x / 2: x^2 + x^2 / 4 = 25, x = 2 sqrt 5.
      {"full circle, oblique", {-10, -5, 10, 5}, 8, 4, 0, 0, 0, 5, 0, {2 * r5, r5, 10, 5}, 0, 0},
      // x = 3 meets at (3, +-4); pick at 45 < 53.13: the end moves.
      {"arc 0..90, end moves", {3, -10, 3, 10}, 3, 8, 0, 90, p45x, p45y, 2, {3, 4, 3, 10}, 0, a5313},
      // x = 4 meets at 36.87 and 323.13 on the arc 300..60 across 0.
      {"across 0, start moves", {4, -10, 4, 10}, 4, -8, 300, 60, p350x, p350y, 2, {4, -10, 4, -3}, 360 - a3487, 60},
      {"across 0, end moves", {4, -10, 4, 10}, 4, 8, 300, 60, p10x, p10y, 2, {4, 3, 4, 10}, 300, a3487},
      // Pick at 350, crossing at 10: p - c = 340 > 270, the end moves.
      {"pick 350, crossing 10", {c10, -10, c10, 10}, c10, 8, 300, 60, p350x, p350y, 2, {c10, s10, c10, 10}, 300, 10},
  };
  for (const LineArcCase& c : cases) {
    SCOPED_TRACE(c.what);
    Ttremingobj tool(true, c.arcX, c.arcY, c.lineX, c.lineY, 0.5);
    tool.SetLine(3, 5, c.line.x1, c.line.y1, c.line.x2, c.line.y2, 2, 7, 0);
    tool.SetArc(1, 2, 0, 0, 5, 1.0f, static_cast<float>(c.start), static_cast<float>(c.end), 0.0f, 3, 4, 0);
    tool.TrimLineArc();
    EXPECT_EQ(tool.Status, c.status);
    ExpectLine(tool.ResultLines[0], c.result);
    EXPECT_NEAR(tool.ResultArcs[0].StartAngle, c.newStart, 1e-5);
    EXPECT_NEAR(tool.ResultArcs[0].EndAngle, c.newEnd, 1e-5);
    EXPECT_EQ(tool.ResultArcs[0].Radius, 5);
    EXPECT_EQ(tool.ResultLines[0].LineType, 3);
    EXPECT_EQ(tool.ResultArcs[0].Layer, 4);
  }
}

TEST(CornerTool, TrimLineArcEndTakesTheRotationOff) {
  // Crossing at 53.13 degrees, rotation 30: the end angle 23.13.
  Ttremingobj tool(true, 3.5, 3.5, 3, 8, 0.5);
  tool.SetLine(0, 0, 3, -10, 3, 10, 0, 0, 0);
  tool.SetArc(0, 0, 0, 0, 5, 1.0f, 330.0f, 60.0f, 30.0f, 0, 0, 0);
  tool.TrimLineArc();
  EXPECT_EQ(tool.Status, 2);
  EXPECT_NEAR(tool.ResultArcs[0].EndAngle, std::atan2(4.0, 3.0) / kRadCornerTrim - 30, 1e-5);
  EXPECT_EQ(tool.ResultArcs[0].StartAngle, 330);
}

TEST(CornerTool, ALineThatMissesTheCircleChangesNothing) {
  for (double start : {0.0, 20.0}) {
    SCOPED_TRACE(start);
    Ttremingobj tool(true, 0, 5, 0, 6, 0.5);
    tool.SetLine(3, 5, -10, 6, 10, 6, 2, 7, 0);
    tool.SetArc(1, 2, 0, 0, 5, 1.0f, static_cast<float>(start), 160.0f, 0.0f, 3, 4, 0);
    tool.TrimLineArc();
    EXPECT_EQ(tool.Status, 0);
    EXPECT_TRUE(SameLine(tool.ResultLines[0], tool.InputLines[0]));
    EXPECT_TRUE(SameArc(tool.ResultArcs[0], tool.InputArcs[0]));
  }
  // A touching line (within 0.0001) is trimmed at the touching point.
  Ttremingobj touch(true, 0, 5, 5, 5.00005, 0.5);
  touch.SetLine(0, 0, -10, 5.00005, 10, 5.00005, 0, 0, 0);
  touch.SetArc(0, 0, 0, 0, 5, 1.0f, 0.0f, 0.0f, 0.0f, 0, 0, 0);
  touch.TrimLineArc();
  ExpectLine(touch.ResultLines[0], {0, 5.00005, 10, 5.00005});
}

TEST(CornerTool, TrimLineArcOnAnEllipseEndsOnTheEllipse) {
  // x^2 / 100 + y^2 / 25 = 1 meets x = 6 at (6, 4), parametric angle 53.13.
  Ttremingobj tool(true, 6.1, 3.9, 6, 8, 0.5);
  tool.SetLine(0, 0, 6, -10, 6, 10, 0, 0, 0);
  tool.SetArc(0, 0, 0, 0, 10, 0.5f, 0.0f, 180.0f, 0.0f, 0, 0, 0);
  tool.TrimLineArc();
  EXPECT_EQ(tool.Status, 2);
  const RToolLine& l = tool.ResultLines[0];
  EXPECT_NEAR(l.X1, 6, 1e-9);
  EXPECT_NEAR(l.X1 * l.X1 / 100 + l.Y1 * l.Y1 / 25, 1.0, 1e-3);
  EXPECT_NEAR(l.Y1, 4, 1e-2);
  EXPECT_EQ(l.Y2, 10);
  EXPECT_NEAR(tool.ResultArcs[0].EndAngle, std::atan2(0.8, 0.6) / kRadCornerTrim, 0.1);
  EXPECT_EQ(tool.ResultArcs[0].StartAngle, 0);

  // A segment that does not reach the ellipse finds nothing: no change.
  Ttremingobj shortLine(true, 6.1, 3.9, 6, 1, 0.5);
  shortLine.SetLine(0, 0, 6, -1, 6, 1, 0, 0, 0);
  shortLine.SetArc(0, 0, 0, 0, 10, 0.5f, 0.0f, 180.0f, 0.0f, 0, 0, 0);
  shortLine.TrimLineArc();
  EXPECT_EQ(shortLine.Status, 0);
  EXPECT_TRUE(SameLine(shortLine.ResultLines[0], shortLine.InputLines[0]));
  EXPECT_TRUE(SameArc(shortLine.ResultArcs[0], shortLine.InputArcs[0]));
}

TEST(CornerTool, TrimArcArcMovesBothArcsToTheCrossing) {
  // Circles of radius 5 about (0, 0) and (6, 0) cross at (3, +-4).
  auto at = [](double cx, double deg) {
    return std::pair{cx + 5 * std::cos(deg * kRadCornerTrim), 5 * std::sin(deg * kRadCornerTrim)};
  };
  const auto [ax, ay] = at(0, 20);
  const auto [bx, by] = at(6, 160);
  Ttremingobj tool(false, ax, ay, bx, by, 0.5);
  tool.SetArc(1, 2, 0, 0, 5, 1.0f, 300.0f, 120.0f, 0.0f, 3, 4, 0);
  tool.SetArc(5, 6, 6, 0, 5, 1.0f, 60.0f, 240.0f, 0.0f, 7, 8, 1);
  tool.TrimArcArc();
  EXPECT_EQ(tool.Status, 0);  // never changed
  // Arc 0: pick 20 < crossing 53.13, the end moves.
  EXPECT_EQ(tool.ResultArcs[0].StartAngle, 300);
  EXPECT_NEAR(tool.ResultArcs[0].EndAngle, std::atan2(4.0, 3.0) / kRadCornerTrim, 1e-9);
  // Arc 1: pick 160 > crossing 126.87, the start moves.
  EXPECT_NEAR(tool.ResultArcs[1].StartAngle, std::atan2(4.0, -3.0) / kRadCornerTrim, 1e-9);
  EXPECT_EQ(tool.ResultArcs[1].EndAngle, 240);
  EXPECT_EQ(tool.ResultArcs[1].ColorNo, 6);

  struct Case {
    const char* what;
    double cx, r, start;
  };
  const Case unchanged[] = {
      {"apart", 20, 5, 60}, {"nested", 1, 2, 60}, {"concentric", 0, 3, 60}, {"full circle", 6, 5, 0}};
  for (const Case& c : unchanged) {
    SCOPED_TRACE(c.what);
    Ttremingobj other(false, ax, ay, bx, by, 0.5);
    other.SetArc(1, 2, 0, 0, 5, 1.0f, 300.0f, 120.0f, 0.0f, 3, 4, 0);
    const float end = c.start == 0 ? 0.0f : 240.0f;
    other.SetArc(5, 6, c.cx, 0, c.r, 1.0f, static_cast<float>(c.start), end, 0.0f, 7, 8, 1);
    other.TrimArcArc();
    EXPECT_TRUE(SameArc(other.ResultArcs[0], other.InputArcs[0]));
    EXPECT_TRUE(SameArc(other.ResultArcs[1], other.InputArcs[1]));
  }
}

}  // namespace
