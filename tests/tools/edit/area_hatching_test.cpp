// Area hatching: pattern lines clipped to outlines of lines and of circles
// taken as 120 chords; the expected pieces worked out by hand.

#include "tools/edit/area_hatching.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "geometry/codepage.h"
#include "support/tool_message_recorder.h"

namespace {

struct SegAreaHatching {
  double x1, y1, x2, y2;
};

RDrawElement LineOf(SegAreaHatching s) { return LineElement(s.x1, s.y1, s.x2, s.y2); }

RDrawElement CurveAreaHatching(double cx, double cy, double r, float start = 0.0f, float end = 0.0f,
                               float ratio = 1.0f) {
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

// Closed polygons, each given by its corners; every loop closes itself.
using Loop = std::vector<std::pair<double, double>>;

void AddLoops(THachiZuobj& tool, const std::vector<Loop>& loops) {
  for (const Loop& loop : loops) {
    for (std::size_t i = 0; i < loop.size(); ++i) {
      const auto& a = loop[i];
      const auto& b = loop[(i + 1) % loop.size()];
      tool.AddFigureLine(LineOf({a.first, a.second, b.first, b.second}));
    }
  }
}

std::vector<SegAreaHatching> Pieces(const THachiZuobj& tool) {
  std::vector<SegAreaHatching> out;
  for (const RDrawElement& e : tool.Elements) out.push_back({e.X1, e.Y1, e.X2, e.Y2});
  return out;
}

const Loop kSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const Loop kLShape{{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
// Open at the top between x = 10 and 20, down to y = 10.
const Loop kUShape{{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
const Loop kOuter{{0, 0}, {30, 0}, {30, 30}, {0, 30}};
const Loop kHole{{10, 10}, {20, 10}, {20, 20}, {10, 20}};

struct ClipCase {
  const char* name;
  std::vector<Loop> outline;
  SegAreaHatching pattern;
  std::vector<SegAreaHatching> pieces;
};

TEST(AreaHatching, PatternLinesKeepExactlyTheirInsidePieces) {
  const ClipCase cases[] = {
      {"square, horizontal through", {kSquare}, {-5, 5, 15, 5}, {{0, 5, 10, 5}}},
      // Two or more crossings come out in x order whichever way the line runs.
      {"square, horizontal reversed", {kSquare}, {15, 5, -5, 5}, {{0, 5, 10, 5}}},
      {"square, vertical through", {kSquare}, {5, 15, 5, -5}, {{5, 0, 5, 10}}},
      // y = x + 5 enters at (0, 5) and leaves at (5, 10).
      {"square, oblique through", {kSquare}, {-5, 0, 10, 15}, {{0, 5, 5, 10}}},
      {"square, wholly inside", {kSquare}, {2, 2, 8, 3}, {{2, 2, 8, 3}}},
      {"square, wholly outside", {kSquare}, {12, 0, 20, 5}, {}},
      {"square, touching a corner from outside", {kSquare}, {-5, 5, 5, -5}, {}},
      // One crossing: from the crossing to the inside end.
      {"square, inside to outside", {kSquare}, {5, 5, 15, 5}, {{10, 5, 5, 5}}},
      {"square, outside to inside", {kSquare}, {5, 15, 5, 5}, {{5, 10, 5, 5}}},
      // Through two opposite corners: the outline's vertices count once.
      {"square, through its corners", {kSquare}, {-5, -5, 15, 15}, {{0, 0, 10, 10}}},
      // The start on the outline is no crossing: one crossing remains.
      {"square, starting at a corner", {kSquare}, {0, 0, 15, 15}, {{10, 10, 0, 0}}},
      // A piece on the outline is inside where the region lies to its left
      // (travelling towards larger x, or larger y when vertical).
      {"square, along the bottom edge", {kSquare}, {-5, 0, 15, 0}, {{0, 0, 10, 0}}},
      {"square, along the top edge", {kSquare}, {15, 10, -5, 10}, {}},
      {"square, along the right edge", {kSquare}, {10, -5, 10, 15}, {{10, 0, 10, 10}}},
      {"square, along the left edge", {kSquare}, {0, -5, 0, 15}, {}},
      {"L, through the arm", {kLShape}, {-5, 15, 25, 15}, {{0, 15, 10, 15}}},
      {"L, through the foot", {kLShape}, {25, 5, -5, 5}, {{0, 5, 20, 5}}},
      {"L, along the inner edge", {kLShape}, {-5, 10, 25, 10}, {{0, 10, 10, 10}}},
      // x + y = 20 meets the corners (0, 20), (10, 10) and (20, 0): both
      // diagonals of the L lie inside, cut at the inner corner.
      {"L, through three corners", {kLShape}, {-5, 25, 25, -5}, {{0, 20, 10, 10}, {10, 10, 20, 0}}},
      {"L, vertical through the inner corner", {kLShape}, {10, 25, 10, -5}, {{10, 0, 10, 10}, {10, 10, 10, 20}}},
      // Starts in the left arm, leaves it and enters the right arm.
      {"U, re-entering", {kUShape}, {5, 15, 25, 15}, {{5, 15, 10, 15}, {20, 15, 25, 15}}},
      {"U, re-entering reversed", {kUShape}, {25, 15, 5, 15}, {{5, 15, 10, 15}, {20, 15, 25, 15}}},
      {"U, three crossings", {kUShape}, {5, 15, 35, 15}, {{5, 15, 10, 15}, {20, 15, 30, 15}}},
      {"U, four crossings", {kUShape}, {-5, 15, 35, 15}, {{0, 15, 10, 15}, {20, 15, 30, 15}}},
      {"U, down through the gap", {kUShape}, {15, 25, 15, -5}, {{15, 0, 15, 10}}},
      {"U, inside the gap", {kUShape}, {12, 15, 18, 15}, {}},
      {"hole, across", {kOuter, kHole}, {-5, 15, 35, 15}, {{0, 15, 10, 15}, {20, 15, 30, 15}}},
      {"hole, inside the hole", {kOuter, kHole}, {12, 15, 18, 12}, {}},
      {"hole, from the hole out", {kOuter, kHole}, {15, 15, 25, 15}, {{20, 15, 25, 15}}},
      {"hole, beside it", {kOuter, kHole}, {5, -5, 5, 35}, {{5, 0, 5, 30}}},
      {"hole, oblique through both", {kOuter, kHole}, {-5, -5, 35, 35}, {{0, 0, 10, 10}, {20, 20, 30, 30}}},
  };
  for (const ClipCase& c : cases) {
    SCOPED_TRACE(c.name);
    THachiZuobj tool;
    AddLoops(tool, c.outline);
    tool.AddBoundary(LineOf(c.pattern));
    tool.Run(45, 5, 5);
    const std::vector<SegAreaHatching>& want = c.pieces;
    const std::vector<SegAreaHatching> got = Pieces(tool);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_NEAR(got[i].x1, want[i].x1, 1e-9);
      EXPECT_NEAR(got[i].y1, want[i].y1, 1e-9);
      EXPECT_NEAR(got[i].x2, want[i].x2, 1e-9);
      EXPECT_NEAR(got[i].y2, want[i].y2, 1e-9);
    }
  }
}

TEST(AreaHatching, ACircleOutlineClipsLinesToItsChordsWithinThe120gon) {
  // Lines at pitch 1 across a circle of radius 10 about (3, -4), in three
  // directions. The 120-gon lies between the circle and the circle of
  // radius r cos(1.5 degrees) inscribed in it, so each clipped length lies
  // between the two chords 2 sqrt(rho^2 - d^2) at the line's distance d.
  const double cx = 3, cy = -4, r = 10;
  const double rho = r * std::cos(std::numbers::pi / 120);
  for (double angle : {0.0, 90.0, 45.0}) {
    SCOPED_TRACE(angle);
    const double ux = std::cos(angle * std::numbers::pi / 180), uy = std::sin(angle * std::numbers::pi / 180);
    THachiZuobj tool;
    tool.AddFigureLine(CurveAreaHatching(cx, cy, r));
    ASSERT_EQ(tool.OutlineLines.size(), 120u);
    std::vector<double> offsets;
    for (int k = -9; k <= 9; ++k) offsets.push_back(k + 0.25);
    for (double d : offsets) {
      // The line at distance d to the left of the centre, from 30 before to 30 beyond.
      const double px = cx - uy * d, py = cy + ux * d;
      tool.AddBoundary(LineOf({px - 30 * ux, py - 30 * uy, px + 30 * ux, py + 30 * uy}));
    }
    tool.Run(45, 5, 5);
    ASSERT_EQ(tool.Elements.size(), offsets.size());
    double total = 0, exact = 0, slack = 0;
    for (std::size_t i = 0; i < offsets.size(); ++i) {
      SCOPED_TRACE(offsets[i]);
      const RDrawElement& e = tool.Elements[i];
      const double length = std::hypot(e.X2 - e.X1, e.Y2 - e.Y1);
      const double d = offsets[i];
      EXPECT_LE(length, 2 * std::sqrt(r * r - d * d) + 1e-9);
      EXPECT_GE(length, 2 * std::sqrt(rho * rho - d * d) - 1e-9);
      // Both ends on the pattern line.
      EXPECT_NEAR(-(e.X1 - cx) * uy + (e.Y1 - cy) * ux, d, 1e-9);
      EXPECT_NEAR(-(e.X2 - cx) * uy + (e.Y2 - cy) * ux, d, 1e-9);
      total += length;
      exact += 2 * std::sqrt(r * r - d * d);
      slack += 2 * std::sqrt(r * r - d * d) - 2 * std::sqrt(rho * rho - d * d);
    }
    EXPECT_NEAR(total, exact, slack);
  }
}

TEST(AreaHatching, ArcsBecome120ChordsAndOtherKindsAreIgnored) {
  THachiZuobj tool;
  // A quarter arc from 0 to 90 degrees: chord i from 0.75 i to 0.75 (i + 1).
  tool.AddFigureLine(CurveAreaHatching(1, 2, 4, 0.0f, 90.0f));
  ASSERT_EQ(tool.OutlineLines.size(), 120u);
  for (std::size_t i = 0; i < 120; ++i) {
    SCOPED_TRACE(i);
    const double a0 = 0.75 * static_cast<double>(i) * std::numbers::pi / 180;
    const double a1 = 0.75 * static_cast<double>(i + 1) * std::numbers::pi / 180;
    const RDrawElement& e = tool.OutlineLines[i];
    EXPECT_EQ(e.Kind, kKindLine);
    EXPECT_NEAR(e.X1, 1 + 4 * std::cos(a0), 1e-9);
    EXPECT_NEAR(e.Y1, 2 + 4 * std::sin(a0), 1e-9);
    EXPECT_NEAR(e.X2, 1 + 4 * std::cos(a1), 1e-9);
    EXPECT_NEAR(e.Y2, 2 + 4 * std::sin(a1), 1e-9);
  }
  // A line is kept as it is, unselected.
  RDrawElement line = LineOf({1, 2, 3, 4});
  line.Selection = 1;
  line.ColorNo = 7;
  tool.AddFigureLine(line);
  ASSERT_EQ(tool.OutlineLines.size(), 121u);
  EXPECT_EQ(tool.OutlineLines.back().Selection, 0);
  EXPECT_EQ(tool.OutlineLines.back().ColorNo, 7);
  // A text, a point and a curve without extent add nothing.
  RDrawElement text = LineOf({0, 0, 5, 0});
  text.Kind = kKindText;
  RDrawElement point = LineOf({0, 0, 0, 0});
  point.Kind = kKindPoint;
  tool.AddFigureLine(text);
  tool.AddFigureLine(point);
  tool.AddFigureLine(CurveAreaHatching(0, 0, 0));
  tool.AddFigureLine(CurveAreaHatching(0, 0, 5, 0.0f, 0.0f, 0.0f));
  EXPECT_EQ(tool.OutlineLines.size(), 121u);
}

TEST(AreaHatching, ResultLinesCarryTheirPointsOnly) {
  THachiZuobj tool;
  AddLoops(tool, {kSquare});
  RDrawElement pattern = LineOf({2, 2, 8, 8});
  pattern.LineType = 3;
  pattern.ColorNo = 4;
  pattern.Group = 2;
  pattern.Layer = 5;
  pattern.Selection = 1;
  pattern.LineTag = 0x9000;
  tool.AddBoundary(pattern);
  ASSERT_EQ(tool.PatternLines.size(), 1u);
  EXPECT_EQ(tool.PatternLines[0].Selection, 0);
  EXPECT_EQ(tool.PatternLines[0].ColorNo, 4);
  // Degenerate and non-finite pattern lines give nothing.
  tool.AddBoundary(LineOf({5, 5, 5, 5}));
  tool.AddBoundary(LineOf({2, 2, std::nan(""), 3}));
  tool.Run(45, 5, 5);
  ASSERT_EQ(tool.Elements.size(), 1u);
  // Every byte but the four coordinates zero.
  RDrawElement want = ZeroElement();
  want.X1 = 2;
  want.Y1 = 2;
  want.X2 = 8;
  want.Y2 = 8;
  EXPECT_EQ(std::memcmp(&tool.Elements[0], &want, sizeof want), 0);
}

TEST(AreaHatching, APitchAtTheLimitOnlyAsksForALargerOne) {
  const std::string message =
      "\x83\x73\x83\x62\x83\x60\x82\xf0\x8f\xe3\x82\xb0\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81\x42";
  EXPECT_EQ(J("ピッチを上げて下さい。"), message);
  struct Case {
    double pitch;
    bool refused;
  };
  for (const Case& c :
       {Case{0.1, true}, Case{0.0, true}, Case{-3.0, true}, Case{std::nan(""), true}, Case{0.11, false}}) {
    SCOPED_TRACE(c.pitch);
    ToolMessageRecorder recorder;
    THachiZuobj tool;
    AddLoops(tool, {kSquare});
    tool.AddBoundary(LineOf({-5, 5, 15, 5}));
    tool.Run(45, 5, 5);
    ASSERT_EQ(tool.Elements.size(), 1u);
    // A second pattern line makes a changed result visible.
    tool.AddBoundary(LineOf({-5, 7, 15, 7}));
    tool.Run(30, c.pitch, 0);
    if (c.refused) {
      ASSERT_EQ(recorder.Messages.size(), 1u);
      EXPECT_EQ(recorder.Messages[0].Kind, ToolMessageKind::Plain);
      EXPECT_EQ(recorder.Messages[0].Text, message);
      ASSERT_EQ(tool.Elements.size(), 1u);
      EXPECT_EQ(double{tool.Elements[0].Y1}, 5.0);
    } else {
      EXPECT_TRUE(recorder.Messages.empty());
      ASSERT_EQ(tool.Elements.size(), 2u);
      EXPECT_EQ(double{tool.Elements[1].Y1}, 7.0);
    }
  }
}

}  // namespace
