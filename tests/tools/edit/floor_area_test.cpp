// The floor-area table: quadrilaterals ordered round the figure and
// measured as rectangles, trapezoids or by a diagonal and two heights,
// reflex quadrilaterals measured from their reflex corner, right and general
// triangles, full circles, half circles and circular segments, with every
// area computed from the lengths as displayed.

#include "tools/edit/floor_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/codepage.h"
#include "support/settings_guard.h"
#include "support/tool_message_recorder.h"

namespace {

constexpr double kDegFloorArea = std::numbers::pi / 180.0;

// Style 3 is the labels' style: width 3 mm, height 4 mm, spacing 1 mm, so a
// single-byte character is 1.5 long with 0.5 between characters and a text
// of n digits and points is 2n - 0.5 long. The others: width 2, height 2.
std::array<RTextStyle, kTextStyleCount> StylesFloorArea() {
  std::array<RTextStyle, kTextStyleCount> styles{};
  for (RTextStyle& s : styles) {
    s.Width = 20;
    s.Height = 20;
    s.Spacing = 0;
  }
  styles[3].Width = 30;
  styles[3].Height = 40;
  styles[3].Spacing = 10;
  return styles;
}

// Scale 1000 with lengths in metres (the defaults): a drawing unit prints
// as 1.00.
TYukaMenobj TableFloorArea(double scale = 1000.0) {
  const auto styles = StylesFloorArea();
  return TYukaMenobj(2, 7, scale, styles, 3, 3);
}

void AddQuad(TYukaMenobj& table, const std::array<RPoint2D, 4>& p) {
  table.AddRow(0, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, p[3].x, p[3].y);
}

void AddTriangle(TYukaMenobj& table, const RPoint2D& a, const RPoint2D& b, const RPoint2D& c) {
  // The fourth point is ignored; the command passes the first corner again.
  table.AddRow(1, a.x, a.y, b.x, b.y, c.x, c.y, a.x, a.y);
}

// Twice the signed area of the polygon.
double TwiceShoelace(const std::vector<RPoint2D>& p) {
  double sum = 0.0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const RPoint2D& a = p[i];
    const RPoint2D& b = p[(i + 1) % p.size()];
    sum += a.x * b.y - b.x * a.y;
  }
  return sum;
}

// A label bottom-centred on (ax, ay) at the angle; the text is single-byte.
void ExpectLabelFloorArea(const Rmoziko& label, const std::string& text, double ax, double ay, double angle) {
  EXPECT_EQ(label.Text, text);
  EXPECT_NEAR(std::remainder(label.Angle - angle, 360.0), 0.0, 1e-9);
  EXPECT_EQ(label.TextStyle, 3);
  const double length = 2.0 * static_cast<double>(text.size()) - 0.5;
  EXPECT_NEAR((label.X + label.EndX) / 2.0, ax, 1e-9);
  EXPECT_NEAR((label.Y + label.EndY) / 2.0, ay, 1e-9);
  EXPECT_NEAR(label.EndX - label.X, length * std::cos(angle * kDegFloorArea), 1e-9);
  EXPECT_NEAR(label.EndY - label.Y, length * std::sin(angle * kDegFloorArea), 1e-9);
}

void ExpectNoLabel(const Rmoziko& label) {
  EXPECT_EQ(label.Text, "");
  EXPECT_EQ(label.X, 0.0);
  EXPECT_EQ(label.Y, 0.0);
  EXPECT_EQ(label.EndX, 0.0);
  EXPECT_EQ(label.EndY, 0.0);
}

// The number bottom-centred on (ax, ay); its circle of radius 3 stands half
// the text height (2) above the middle of the baseline.
void ExpectNumber(const RYukaData& row, const std::string& number, double ax, double ay) {
  ExpectLabelFloorArea(row.NumberLabel, number, ax, ay, 0.0);
  EXPECT_NEAR(row.NumberCircle.CentreX, ax, 1e-9);
  EXPECT_NEAR(row.NumberCircle.CentreY, ay + 2.0, 1e-9);
  EXPECT_EQ(row.NumberCircle.Radius, 3.0);
  EXPECT_EQ(row.NumberCircle.Ratio, 1.0);
  EXPECT_EQ(row.NumberCircle.StartAngle, 0.0);
  EXPECT_EQ(row.NumberCircle.EndAngle, 0.0);
  EXPECT_EQ(row.NumberCircle.Rotation, 0.0);
}

void ExpectLineFloorArea(const RToolLine& line, double x1, double y1, double x2, double y2, int lineType) {
  EXPECT_NEAR(line.X1, x1, 1e-9);
  EXPECT_NEAR(line.Y1, y1, 1e-9);
  EXPECT_NEAR(line.X2, x2, 1e-9);
  EXPECT_NEAR(line.Y2, y2, 1e-9);
  EXPECT_EQ(line.LineType, lineType);
  EXPECT_EQ(line.ColorNo, 0);
  EXPECT_EQ(line.Group, 0);
  EXPECT_EQ(line.Layer, 0);
  EXPECT_EQ(line.Flag, 0);
}

void ExpectNoLine(const RToolLine& line) { ExpectLineFloorArea(line, 0, 0, 0, 0, 0); }

// The corners OrderQuadrilateral makes of the picks.
void ExpectOrder(const std::array<RPoint2D, 4>& picks, const std::array<RPoint2D, 4>& want) {
  double x[4];
  double y[4];
  for (std::size_t i = 0; i < 4; ++i) {
    x[i] = picks[i].x;
    y[i] = picks[i].y;
  }
  TYukaMenobj::OrderQuadrilateral(x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3]);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(x[i], want[i].x) << i;
    EXPECT_EQ(y[i], want[i].y) << i;
  }
}

std::vector<std::string> SortedLengthTexts(const RYukaData& row) {
  std::vector<std::string> texts{row.Label1.Text, row.Label2.Text, row.Label3.Text};
  std::sort(texts.begin(), texts.end());
  return texts;
}

TEST(FloorArea, CreateKeepsItsInputs) {
  SettingsGuard guard;
  DraftDefaults.TableStartNumber = 4;
  auto styles = StylesFloorArea();
  TYukaMenobj table(2, 7, 50.0, styles, 3, 5);
  styles[3].Width = 99;                // the table keeps its own copy
  DraftDefaults.TableStartNumber = 9;  // and the first number of its creation
  EXPECT_EQ(table.Group, 2);
  EXPECT_EQ(table.Layer, 7);
  EXPECT_EQ(table.GroupScale, 50.0);
  EXPECT_EQ(table.TextStyle, 3);
  EXPECT_EQ(table.TextStyle2, 5);
  EXPECT_EQ(table.StartNumber, 4);
  EXPECT_EQ(int{table.TextStyles[3].Width}, 30);
  EXPECT_EQ(table.RowCount, 0);
  table.AddRow(0, 0, 0, 1, 0, 1, 1, 0, 1);
  table.AddRow(1, 0, 0, 1, 0, 0, 1, 0, 0);
  ASSERT_EQ(table.Rows.size(), 2u);
  EXPECT_EQ(table.Rows[0].NumberLabel.Text, "4");
  EXPECT_EQ(table.Rows[1].NumberLabel.Text, "5");
  EXPECT_EQ(table.RowCount, 2);
}

TEST(FloorArea, CornerAngleAndArcSweep) {
  struct AngleCase {
    double x2, y2, x4, y4;  // directions from the origin
    double want;
  };
  const AngleCase angles[] = {
      {1, 0, 0, 1, 90},   {1, 0, 1, 0, 0},   {1, 0, -1, 0, 180},
      {1, 0, 0, -1, 90},  {1, 1, 1, -1, 90}, {std::cos(350 * kDegFloorArea), std::sin(350 * kDegFloorArea), 1, 0, 10},
      {-1, 0, 0, -1, 90},  // 180 against 270
  };
  for (const AngleCase& c : angles) {
    EXPECT_NEAR(TYukaMenobj::CornerAngle(0, 0, c.x2, c.y2, 0, 0, c.x4, c.y4), c.want, 1e-9);
  }
  // The two directions need not start at one point.
  EXPECT_NEAR(TYukaMenobj::CornerAngle(5, 5, 6, 5, -3, 2, -3, 9), 90.0, 1e-12);
  EXPECT_EQ(TYukaMenobj::ArcSweep(120, 0), 120.0);
  EXPECT_EQ(TYukaMenobj::ArcSweep(60, 300), 120.0);  // across 0
  EXPECT_EQ(TYukaMenobj::ArcSweep(0, 0), 0.0);
  EXPECT_EQ(TYukaMenobj::ArcSweep(360, 0), 360.0);
}

// A 4 m x 3 m rectangle picked corner by corner along a 4 m side.
TEST(FloorArea, RectanglePickedCornerByCorner) {
  SettingsGuard guard;
  TYukaMenobj table = TableFloorArea();
  AddQuad(table, {{{0, 0}, {4, 0}, {4, 3}, {0, 3}}});
  ASSERT_EQ(table.Rows.size(), 1u);
  const RYukaData& row = table.Rows[0];
  EXPECT_EQ(row.Figure, 0);
  EXPECT_EQ(row.Variant, 0);
  ExpectLabelFloorArea(row.Label1, "4.00", 2, 0, 0);
  ExpectLabelFloorArea(row.Label2, "3.00", 4, 1.5, 90);
  ExpectNoLabel(row.Label3);
  ExpectNoLabel(row.Label4);
  for (const RToolLine* line : {&row.Line1, &row.Line2, &row.Line3, &row.Line4}) ExpectNoLine(*line);
  // Centred on the middle of the diagonal (2, 1.5): the baseline 2 below.
  ExpectNumber(row, "1", 2, -0.5);
  EXPECT_EQ(row.AreaText, "12.0000");
}

// Corners K, L, M, N in turn picked K, M, L, N are measured K, N, M, L.
TEST(FloorArea, RectanglePickedAcross) {
  SettingsGuard guard;
  TYukaMenobj table = TableFloorArea();
  const RPoint2D k{0, 0}, l{4, 0}, m{4, 3}, n{0, 3};
  AddQuad(table, {k, m, l, n});
  ASSERT_EQ(table.Rows.size(), 1u);
  const RYukaData& row = table.Rows[0];
  EXPECT_EQ(row.Variant, 0);
  ExpectLabelFloorArea(row.Label1, "3.00", 0, 1.5, 90);  // K-N
  ExpectLabelFloorArea(row.Label2, "4.00", 2, 3, 0);     // N-M
  ExpectNumber(row, "1", 2, -0.5);
  EXPECT_EQ(row.AreaText, "12.0000");

  ExpectOrder({k, m, l, n}, {k, n, m, l});
}

// A trapezoid with P1-P2 parallel to P3-P4: (0, 0), (6, 0), (4, 3), (1, 3);
// shoelace 2A = 18 + 12 - 3 = 27. The height from P1 onto P3-P4 ends at
// F (0, 3); (6 + 3) x 3 / 2 = 13.5. Picked from (1, 3) instead, P2-P3 and
// P4-P1 are the parallel sides and the height runs from P2 (0, 0) to F (0, 3)
// on P1-P4.
TEST(FloorArea, TrapezoidWithEitherPairParallel) {
  SettingsGuard guard;
  DraftDefaults.TableLineType2 = 6;
  const std::vector<RPoint2D> figure{{0, 0}, {6, 0}, {4, 3}, {1, 3}};
  ASSERT_EQ(TwiceShoelace(figure), 27.0);
  {
    TYukaMenobj table = TableFloorArea();
    AddQuad(table, {figure[0], figure[1], figure[2], figure[3]});
    ASSERT_EQ(table.Rows.size(), 1u);
    const RYukaData& row = table.Rows[0];
    EXPECT_EQ(row.Variant, 1);
    EXPECT_FALSE(table.ParallelPair);
    ExpectLabelFloorArea(row.Label1, "3.00", 0, 1.5, 270);  // F (0, 3) down to P1
    ExpectLabelFloorArea(row.Label2, "6.00", 3, 0, 0);      // P1-P2
    ExpectLabelFloorArea(row.Label3, "3.00", 2.5, 3, 180);  // P3-P4
    ExpectNoLabel(row.Label4);
    ExpectLineFloorArea(row.Line1, 0, 3, 0, 0, 6);
    ExpectNoLine(row.Line2);
    ExpectNoLine(row.Line3);
    ExpectNoLine(row.Line4);
    ExpectNumber(row, "1", 11.0 / 4, 6.0 / 4);  // the mean of the corners
    EXPECT_EQ(row.AreaText, "13.5000");
  }
  {
    TYukaMenobj table = TableFloorArea();
    AddQuad(table, {figure[3], figure[0], figure[1], figure[2]});
    ASSERT_EQ(table.Rows.size(), 1u);
    const RYukaData& row = table.Rows[0];
    EXPECT_EQ(row.Variant, 1);
    EXPECT_TRUE(table.ParallelPair);
    ExpectLabelFloorArea(row.Label1, "3.00", 0, 1.5, 270);  // F (0, 3) down to P2 (0, 0)
    ExpectLabelFloorArea(row.Label2, "6.00", 3, 0, 0);      // P2-P3
    ExpectLabelFloorArea(row.Label3, "3.00", 2.5, 3, 0);    // P1 (1, 3) - P4 (4, 3)
    ExpectLineFloorArea(row.Line1, 0, 3, 0, 0, 6);
    ExpectNumber(row, "1", 11.0 / 4, 6.0 / 4);
    EXPECT_EQ(row.AreaText, "13.5000");
  }
}

// Without parallel sides: K (0, 0), L (1, -2), M (5, 0), N (3, 3); the
// diagonal K-M is 5 long, the heights of L and N are 2 and 3:
// 5 x (2 + 3) / 2 = 12.5, the shoelace area (2A = 10 + 15 = 25).
TEST(FloorArea, GeneralQuadrilateralByDiagonalAndHeights) {
  SettingsGuard guard;
  DraftDefaults.TableLineType2 = 6;
  const std::vector<RPoint2D> figure{{0, 0}, {1, -2}, {5, 0}, {3, 3}};
  ASSERT_EQ(TwiceShoelace(figure), 25.0);
  TYukaMenobj table = TableFloorArea();
  AddQuad(table, {figure[0], figure[1], figure[2], figure[3]});
  ASSERT_EQ(table.Rows.size(), 1u);
  const RYukaData& row = table.Rows[0];
  EXPECT_EQ(row.Variant, 2);
  ExpectLabelFloorArea(row.Label1, "5.00", 2.5, 0, 0);   // the diagonal P1-P3
  ExpectLabelFloorArea(row.Label2, "2.00", 1, -1, 90);   // P2 up to F2 (1, 0)
  ExpectLabelFloorArea(row.Label3, "3.00", 3, 1.5, 90);  // F4 (3, 0) up to P4
  ExpectNoLabel(row.Label4);
  ExpectLineFloorArea(row.Line1, 0, 0, 5, 0, 6);
  ExpectLineFloorArea(row.Line2, 1, -2, 1, 0, 6);
  ExpectLineFloorArea(row.Line3, 3, 3, 3, 0, 6);
  ExpectNoLine(row.Line4);
  ExpectNumber(row, "1", 9.0 / 4, 1.0 / 4);
  EXPECT_EQ(row.AreaText, "12.5000");
}

// The first pick fixed, the other three in every order: each order is
// measured going round the figure one way or the other, so the kind, the
// lengths, the number and the area are the same.
TEST(FloorArea, EveryOrderOfTheLastThreePicks) {
  SettingsGuard guard;
  struct Case {
    const char* name;
    std::array<RPoint2D, 4> corners;  // in turn
    std::uint8_t variant;
    std::vector<std::string> lengths;  // sorted
    RPoint2D number;                   // middle of the number's baseline
    const char* area;
  };
  const Case cases[] = {
      {"rectangle", {{{0, 0}, {4, 0}, {4, 3}, {0, 3}}}, 0, {"", "3.00", "4.00"}, {2, -0.5}, "12.0000"},
      {"trapezoid", {{{0, 0}, {6, 0}, {4, 3}, {1, 3}}}, 1, {"3.00", "3.00", "6.00"}, {2.75, 1.5}, "13.5000"},
      {"general", {{{0, 0}, {1, -2}, {5, 0}, {3, 3}}}, 2, {"2.00", "3.00", "5.00"}, {2.25, 0.25}, "12.5000"},
  };
  for (const Case& c : cases) {
    std::array<int, 3> rest{1, 2, 3};
    do {
      SCOPED_TRACE(std::string(c.name) + " " + std::to_string(rest[0]) + std::to_string(rest[1]) +
                   std::to_string(rest[2]));
      TYukaMenobj table = TableFloorArea();
      AddQuad(table, {c.corners[0], c.corners[static_cast<std::size_t>(rest[0])],
                      c.corners[static_cast<std::size_t>(rest[1])], c.corners[static_cast<std::size_t>(rest[2])]});
      ASSERT_EQ(table.Rows.size(), 1u);
      const RYukaData& row = table.Rows[0];
      EXPECT_EQ(row.Variant, c.variant);
      EXPECT_EQ(SortedLengthTexts(row), c.lengths);
      ExpectNumber(row, "1", c.number.x, c.number.y);
      EXPECT_EQ(row.AreaText, c.area);
    } while (std::next_permutation(rest.begin(), rest.end()));
  }
}

// Started at L (1, -2) the same figure is measured by the other diagonal
// L-N, sqrt(29) = 5.385..., with the heights of M and K, 16 / sqrt(29) =
// 2.971... and 9 / sqrt(29) = 1.671...: 5.39 x (2.97 + 1.67) / 2 = 12.5048,
// off the true 12.5 only by the rounding of the three texts (each within
// 0.005): at most (5.39 x 0.01 + 4.64 x 0.005) / 2 = 0.0386.
TEST(FloorArea, AnotherFirstPickMeasuresTheOtherDiagonal) {
  SettingsGuard guard;
  TYukaMenobj table = TableFloorArea();
  AddQuad(table, {{{1, -2}, {5, 0}, {3, 3}, {0, 0}}});
  ASSERT_EQ(table.Rows.size(), 1u);
  const RYukaData& row = table.Rows[0];
  EXPECT_EQ(row.Variant, 2);
  EXPECT_EQ(row.Label1.Text, "5.39");
  EXPECT_EQ(row.Label2.Text, "2.97");
  EXPECT_EQ(row.Label3.Text, "1.67");
  EXPECT_EQ(row.AreaText, "12.5048");
  EXPECT_LE(std::abs(std::stod(row.AreaText) - 12.5), 0.0386);
}

// Figures whose lengths print exactly: the area text is the shoelace area.
TEST(FloorArea, AreasMatchTheShoelaceArea) {
  SettingsGuard guard;
  struct Case {
    const char* name;
    std::vector<RPoint2D> corners;
    double twiceArea;  // by hand
    std::uint8_t variant;
    const char* area;
  };
  const Case cases[] = {
      // 2A = 12 + 12 = 24.
      {"rectangle", {{0, 0}, {4, 0}, {4, 3}, {0, 3}}, 24, 0, "12.0000"},
      // Sides 5 (along (3, 4)) and 10 (along (-8, 6)): 2A = 10 + 90 = 100.
      {"turned rectangle", {{0, 0}, {3, 4}, {-5, 10}, {-8, 6}}, 100, 0, "50.0000"},
      // Base 4, height 3: 2A = 12 + 12 = 24.
      {"parallelogram", {{0, 0}, {4, 0}, {5, 3}, {1, 3}}, 24, 1, "12.0000"},
      {"trapezoid", {{0, 0}, {6, 0}, {4, 3}, {1, 3}}, 27, 1, "13.5000"},
      {"general", {{0, 0}, {1, -2}, {5, 0}, {3, 3}}, 25, 2, "12.5000"},
      // Diagonal 8 on the x axis, heights 1 and 2.5: 2A = 8 + 20 = 28.
      {"uneven", {{0, 0}, {3, -1}, {8, 0}, {2, 2.5}}, 28, 2, "14.0000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TwiceShoelace(c.corners), c.twiceArea);
    TYukaMenobj table = TableFloorArea();
    AddQuad(table, {c.corners[0], c.corners[1], c.corners[2], c.corners[3]});
    ASSERT_EQ(table.Rows.size(), 1u);
    EXPECT_EQ(table.Rows[0].Variant, c.variant);
    EXPECT_EQ(table.Rows[0].AreaText, c.area);
  }
}

// An arrowhead: wings W1 (-2, 0) and W2 (4, 0), tip V (0, 4) and the reflex
// corner R (0, 1). Its area is the triangle W1 W2 V less the notch W1 W2 R:
// 12 - 3 = 9. No order goes round it with corners of at most 180 degrees;
// from R the diagonal R-V (3) runs inside, with the wings 2 and 4 from it on
// either side: 3 x (2 + 4) / 2 = 9. Any other order of the picks is
// another figure: the picks W1, R, W2, V taken as W1, R, V, W2 and measured
// by its diagonal W1-V, which runs outside, would put both heights on one
// side: 4.47 x (1.34 + 5.37) / 2 = 14.9968 for an area of 9.
TEST(FloorArea, ReflexCornerAtEveryPickPosition) {
  SettingsGuard guard;
  DraftDefaults.TableLineType2 = 6;
  const RPoint2D r{0, 1}, w2{4, 0}, v{0, 4}, w1{-2, 0};
  ASSERT_EQ(TwiceShoelace({r, w2, v, w1}), 18.0);
  const std::array<RPoint2D, 4> picks[] = {
      {r, w2, v, w1}, {w1, r, w2, v}, {v, w1, r, w2}, {w2, v, w1, r},  // one way round
      {r, w1, v, w2}, {w2, r, w1, v}, {v, w2, r, w1}, {w1, v, w2, r},  // the other
  };
  for (const auto& p : picks) {
    SCOPED_TRACE(testing::Message() << p[0].x << "," << p[0].y << " " << p[1].x << "," << p[1].y);
    TYukaMenobj table = TableFloorArea();
    AddQuad(table, p);
    ASSERT_EQ(table.Rows.size(), 1u);
    const RYukaData& row = table.Rows[0];
    EXPECT_EQ(row.Variant, 2);
    ExpectLabelFloorArea(row.Label1, "3.00", 0, 2.5, 90);  // R up to V
    ExpectLineFloorArea(row.Line1, 0, 1, 0, 4, 6);
    EXPECT_EQ(SortedLengthTexts(row), (std::vector<std::string>{"2.00", "3.00", "4.00"}));
    ExpectNumber(row, "1", 0.5, 1.25);
    EXPECT_EQ(row.AreaText, "9.0000");
  }
  // The order itself: the picked turn kept, started at R.
  ExpectOrder({w2, v, w1, r}, {r, w2, v, w1});
}

// Points that make no figure (three on one spot) fit no order and have no
// reflex corner: P3 and P4 change places, and the row measures nothing.
TEST(FloorArea, PointsWithoutAFigureKeepTheLastOrder) {
  SettingsGuard guard;
  ExpectOrder({{{0, 0}, {0, 0}, {0, 0}, {1, 1}}}, {{{0, 0}, {0, 0}, {1, 1}, {0, 0}}});
  TYukaMenobj table = TableFloorArea();
  AddQuad(table, {{{0, 0}, {0, 0}, {0, 0}, {1, 1}}});
  AddQuad(table, {{{0, 0}, {1, 0}, {2, 0}, {3, 0}}});  // four on one line
  ASSERT_EQ(table.Rows.size(), 2u);
  EXPECT_EQ(table.Rows[0].AreaText, "0.0000");
  EXPECT_EQ(table.Rows[1].AreaText, "0.0000");
}

TEST(FloorArea, WhatAddsNoRow) {
  SettingsGuard guard;
  ToolMessageRecorder messages;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  TYukaMenobj table = TableFloorArea();
  table.AddRow(2, 0, 0, 4, 0, 4, 3, 0, 3);
  table.AddRow(255, 0, 0, 4, 0, 4, 3, 0, 3);
  table.AddRow(0, 0, 0, 4, nan, 4, 3, 0, 3);
  table.AddRow(0, 0, 0, 4, 0, 4, 3, inf, 3);
  table.AddRow(1, 0, 0, 4, 0, nan, 3, 0, 0);
  EXPECT_TRUE(table.Rows.empty());
  EXPECT_EQ(table.RowCount, 0);
  // A triangle does not read the fourth point.
  table.AddRow(1, 0, 0, 4, 0, 0, 3, nan, nan);
  EXPECT_EQ(table.Rows.size(), 1u);
  EXPECT_TRUE(messages.Messages.empty());
}

// The sides of the right angle are measured: 3 x 4 / 2 = 6, the right angle
// at any corner. The points go to P1 (3, 0), P2 (0, 0), P3 (0, 4), or with
// the legs the other way round when the picks run that way.
TEST(FloorArea, RightTriangleAtEachCorner) {
  SettingsGuard guard;
  DraftDefaults.TableLineType2 = 6;
  const RPoint2D a{3, 0}, o{0, 0}, b{0, 4};
  struct Case {
    std::array<RPoint2D, 3> picks;
    std::array<RPoint2D, 3> order;
  };
  const Case cases[] = {
      {{o, a, b}, {a, o, b}},  // right angle at P1: P1 and P2 change places
      {{a, o, b}, {a, o, b}},  // at P2: as picked
      {{a, b, o}, {a, o, b}},  // at P3: P2 and P3 change places
      {{b, a, o}, {b, o, a}},
  };
  for (const Case& c : cases) {
    TYukaMenobj table = TableFloorArea();
    AddTriangle(table, c.picks[0], c.picks[1], c.picks[2]);
    ASSERT_EQ(table.Rows.size(), 1u);
    const RYukaData& row = table.Rows[0];
    EXPECT_EQ(row.Figure, 1);
    EXPECT_EQ(row.Variant, 0);
    const RPoint2D& p1 = c.order[0];
    const RPoint2D& p2 = c.order[1];
    const RPoint2D& p3 = c.order[2];
    ExpectLabelFloorArea(row.Label1, p1.x == 3 ? "3.00" : "4.00", (p1.x + p2.x) / 2, (p1.y + p2.y) / 2,
                         p1.x == 3 ? 180 : 270);
    ExpectLabelFloorArea(row.Label2, p3.x == 3 ? "3.00" : "4.00", (p2.x + p3.x) / 2, (p2.y + p3.y) / 2,
                         p3.x == 3 ? 0 : 90);
    ExpectNoLabel(row.Label3);
    for (const RToolLine* line : {&row.Line1, &row.Line2, &row.Line3, &row.Line4}) ExpectNoLine(*line);
    ExpectNumber(row, "1", 1, 4.0 / 3);  // the centroid
    EXPECT_EQ(row.AreaText, "6.0000");
  }
}

// Legs 3 and 4 with the angle between them 0.0005 off a right angle count
// as right; 0.0015 off, the triangle is general and measured by its longest
// side, the hypotenuse 5.00, and the height onto it, 3 x 4 / 5 = 2.40.
TEST(FloorArea, RightAngleTolerance) {
  SettingsGuard guard;
  struct Case {
    double angle;
    bool right;
  };
  for (const Case c : {Case{90.0005, true}, Case{89.9995, true}, Case{90.0015, false}, Case{89.9985, false}}) {
    SCOPED_TRACE(c.angle);
    TYukaMenobj table = TableFloorArea();
    const RPoint2D top{4 * std::cos(c.angle * kDegFloorArea), 4 * std::sin(c.angle * kDegFloorArea)};
    AddTriangle(table, {3, 0}, {0, 0}, top);
    ASSERT_EQ(table.Rows.size(), 1u);
    const RYukaData& row = table.Rows[0];
    if (c.right) {
      EXPECT_EQ(row.Label1.Text, "3.00");
      EXPECT_EQ(row.Label2.Text, "4.00");
      ExpectNoLine(row.Line1);
    } else {
      EXPECT_EQ(row.Label1.Text, "5.00");
      EXPECT_EQ(row.Label2.Text, "2.40");
      // The height ends at the right-angle corner, now P3.
      EXPECT_NEAR(row.Line1.X2, 0.0, 1e-12);
      EXPECT_NEAR(row.Line1.Y2, 0.0, 1e-12);
      EXPECT_NEAR(PointDistance(row.Line1.X1, row.Line1.Y1, 0, 0), 2.4, 1e-4);
    }
    EXPECT_EQ(row.AreaText, "6.0000");
  }
}

// A (0, 0), B (6, 0), C (2, 3): the longest side A-B (6) becomes the base
// wherever it was picked, the height from C ends at F (2, 0):
// 6 x 3 / 2 = 9.
TEST(FloorArea, GeneralTriangleWithTheLongestSideInEachPlace) {
  SettingsGuard guard;
  DraftDefaults.TableLineType2 = 6;
  const RPoint2D a{0, 0}, b{6, 0}, c{2, 3};
  struct Case {
    std::array<RPoint2D, 3> picks;
    double baseAngle;  // 0 from A to B, 180 from B to A
  };
  const Case cases[] = {
      {{a, b, c}, 0},    // longest P1-P2: as picked
      {{b, a, c}, 180},  //
      {{a, c, b}, 0},    // longest P1-P3: P2 and P3 change places
      {{b, c, a}, 180},  //
      {{c, a, b}, 0},    // longest P2-P3: turned to (P2, P3, P1)
      {{c, b, a}, 180},  //
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.baseAngle);
    TYukaMenobj table = TableFloorArea();
    AddTriangle(table, k.picks[0], k.picks[1], k.picks[2]);
    ASSERT_EQ(table.Rows.size(), 1u);
    const RYukaData& row = table.Rows[0];
    EXPECT_EQ(row.Figure, 1);
    EXPECT_EQ(row.Variant, 0);
    ExpectLabelFloorArea(row.Label1, "6.00", 3, 0, k.baseAngle);
    ExpectLabelFloorArea(row.Label2, "3.00", 2, 1.5, 90);
    ExpectLineFloorArea(row.Line1, 2, 0, 2, 3, 6);
    ExpectNoLine(row.Line2);
    ExpectNumber(row, "1", 8.0 / 3, 1);
    EXPECT_EQ(row.AreaText, "9.0000");
  }
}

RDrawElement ArcElementFloorArea(double cx, double cy, double r, float start, float end, float rotation = 0) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.LineType = 1;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = 1.0f;
  e.StartAngle = start;
  e.EndAngle = end;
  e.Rotation = rotation;
  return e;
}

// Sweeps at and around the limits (all exact in a Single): within 0.01 of 0
// or 360 a full circle, up to 179.99 a segment, up to 180.01 a half circle,
// anything larger refused with a warning and no row.
TEST(FloorArea, CirclesAndArcsBySweep) {
  SettingsGuard guard;
  enum Outcome { kFull = 0, kSegment = 1, kHalf = 2, kRefused = 3 };
  struct Case {
    float start, end;
    Outcome outcome;
  };
  const Case cases[] = {
      {0, 0, kFull},
      {30, 30, kFull},
      {10, 10.0078125f, kFull},    // 0.0078
      {0, 359.9921875f, kFull},    // 0.0078 short of 360
      {10, 10.015625f, kSegment},  // 0.0156
      {0, 90, kSegment},
      {300, 60, kSegment},         // 120 across 0
      {200, 10, kSegment},         // 170 across 0
      {0, 179.984375f, kSegment},  // 0.0156 short of 179.99
      {0, 179.9921875f, kHalf},    // above 179.99
      {0, 180, kHalf},
      {90, 270, kHalf},
      {0, 180.0078125f, kHalf},  // up to 180.01
      {0, 180.015625f, kRefused},
      {0, 200, kRefused},
      {10, 200, kRefused},
      {0, 359.984375f, kRefused},  // 0.0156 short of 360
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << " to " << c.end);
    ToolMessageRecorder messages;
    TYukaMenobj table = TableFloorArea();
    table.AddArcRow(ArcElementFloorArea(0, 0, 5, c.start, c.end), 2, 1, 1);
    if (c.outcome == kRefused) {
      EXPECT_TRUE(table.Rows.empty());
      EXPECT_EQ(table.RowCount, 0);
      ASSERT_EQ(messages.Messages.size(), 1u);
      EXPECT_EQ(messages.Messages[0].Kind, ToolMessageKind::Warning);
      EXPECT_EQ(messages.Messages[0].Text, J("半円以上の円弧は、計算できません！"));
    } else {
      ASSERT_EQ(table.Rows.size(), 1u);
      EXPECT_EQ(table.Rows[0].Figure, 2);
      EXPECT_EQ(table.Rows[0].Variant, c.outcome);
      EXPECT_TRUE(messages.Messages.empty());
    }
  }
}

// Radius 5 about (10, 20), picked towards (13, 24): the radius runs at
// atan(4/3) to Q (13, 24); 5.00 x 5.00 x 3.14 = 78.5.
TEST(FloorArea, FullCircle) {
  SettingsGuard guard;
  DraftDefaults.TableLineType2 = 6;
  TYukaMenobj table = TableFloorArea();
  table.AddArcRow(ArcElementFloorArea(10, 20, 5, 0, 0), 2, 13, 24);
  ASSERT_EQ(table.Rows.size(), 1u);
  const RYukaData& row = table.Rows[0];
  EXPECT_EQ(row.Variant, 0);
  ExpectLabelFloorArea(row.Label1, "5.00", 11.5, 22, std::atan2(4.0, 3.0) / kDegFloorArea);
  ExpectNoLabel(row.Label2);
  ExpectNoLabel(row.Label4);
  ExpectLineFloorArea(row.Line1, 10, 20, 13, 24, 6);
  ExpectNoLine(row.Line2);
  ExpectNumber(row, "1", 10, 20);
  EXPECT_EQ(row.AreaText, "78.5000");
  // Radius 1.00: pi taken as 3.14.
  table.AddArcRow(ArcElementFloorArea(0, 0, 1, 0, 0), 2, 0, -5);
  ASSERT_EQ(table.Rows.size(), 2u);
  ExpectLabelFloorArea(table.Rows[1].Label1, "1.00", 0, -0.5, 270);
  EXPECT_EQ(table.Rows[1].AreaText, "3.1400");
  EXPECT_EQ(table.Rows[1].NumberLabel.Text, "2");
}

// Radius 5 about (10, 20) from 0 to 180 turned by 90: S (10, 25) and
// T (10, 15). The radius label reads from T towards O, the line joins T and
// S, the number stands halfway to the arc's middle (5, 20);
// 5.00 x 5.00 x 1.57 = 39.25.
TEST(FloorArea, HalfCircle) {
  SettingsGuard guard;
  DraftDefaults.TableLineType2 = 6;
  TYukaMenobj table = TableFloorArea();
  table.AddArcRow(ArcElementFloorArea(10, 20, 5, 0, 180, 90), 2, 0, 0);
  ASSERT_EQ(table.Rows.size(), 1u);
  const RYukaData& row = table.Rows[0];
  EXPECT_EQ(row.Variant, 2);
  ExpectLabelFloorArea(row.Label1, "5.00", 10, 17.5, 90);
  ExpectLineFloorArea(row.Line1, 10, 15, 10, 25, 6);
  ExpectNoLine(row.Line2);
  ExpectNumber(row, "1", 7.5, 20);
  EXPECT_EQ(row.AreaText, "39.2500");
}

// Radius 5 about (10, 20), 0 to 120 turned by 30: S at 30 degrees
// (10 + 4.330..., 22.5), T at 150 (10 - 4.330..., 22.5), a level chord of
// 8.660... (8.66) whose foot F (10, 22.5) is 2.50 from O. The area from the
// texts: 5.00² x 3.14 x 120.00 / 360 - 8.66 x 2.50 / 2
// = 26.1666... - 10.825 = 15.3416...
TEST(FloorArea, CircularSegment) {
  SettingsGuard guard;
  DraftDefaults.TableLineType2 = 6;
  TYukaMenobj table = TableFloorArea();
  table.AddArcRow(ArcElementFloorArea(10, 20, 5, 0, 120, 30), 2, 0, 0);
  ASSERT_EQ(table.Rows.size(), 1u);
  const RYukaData& row = table.Rows[0];
  EXPECT_EQ(row.Variant, 1);
  const double h = 5.0 * std::sqrt(3.0) / 2.0;
  ExpectLabelFloorArea(row.Label1, "8.66", 10, 22.5, 0);             // chord, read from T to S
  ExpectLabelFloorArea(row.Label2, "2.50", 10, 21.25, 270);          // F down to O
  ExpectLabelFloorArea(row.Label3, "5.00", 10 - h / 2, 21.25, 150);  // O-T, at end + rotation
  // "120.00°": six characters of 1.5 and the double-byte sign of 3, with six
  // spacings of 0.5: 15 long, bottom-centred 1.5 x 4 below O.
  EXPECT_EQ(row.Label4.Text, J("120.00°"));
  EXPECT_NEAR(row.Label4.X, 2.5, 1e-9);
  EXPECT_NEAR(row.Label4.Y, 14, 1e-9);
  EXPECT_NEAR(row.Label4.EndX, 17.5, 1e-9);
  EXPECT_NEAR(row.Label4.EndY, 14, 1e-9);
  EXPECT_EQ(row.Label4.Angle, 0.0);
  ExpectLineFloorArea(row.Line1, 10, 20, 10 + h, 22.5, 6);        // O-S
  ExpectLineFloorArea(row.Line2, 10, 20, 10 - h, 22.5, 6);        // O-T
  ExpectLineFloorArea(row.Line3, 10 - h, 22.5, 10 + h, 22.5, 6);  // T-S
  ExpectLineFloorArea(row.Line4, 10, 20, 10, 22.5, 6);            // O-F
  // Midway between chord and arc: 2.5 + (5 - 2.5) / 2 = 3.75 above O.
  ExpectNumber(row, "1", 10, 23.75);
  EXPECT_EQ(row.AreaText, "15.3416");
}

// The sweep prints with two decimals and the area takes it as printed:
// 0 to 45.678 prints 45.68; chord 2 x 5 sin 22.84 = 3.881... (3.88), foot
// 5 cos 22.84 = 4.607... (4.61): 25 x 3.14 x 45.68 / 360 - 3.88 x 4.61 / 2
// = 9.9607... - 8.9434 = 1.0173...; the radius label reads along the end
// angle plus the rotation, wrapped below 360.
TEST(FloorArea, SegmentTakesTheAngleAsPrinted) {
  SettingsGuard guard;
  TYukaMenobj table = TableFloorArea();
  table.AddArcRow(ArcElementFloorArea(0, 0, 5, 300, 345.678f, 30), 2, 0, 0);
  ASSERT_EQ(table.Rows.size(), 1u);
  const RYukaData& row = table.Rows[0];
  EXPECT_EQ(row.Variant, 1);
  EXPECT_EQ(row.Label4.Text, J("45.68°"));
  EXPECT_EQ(row.Label1.Text, "3.88");
  EXPECT_EQ(row.Label2.Text, "4.61");
  EXPECT_NEAR(row.Label3.Angle, 15.678, 1e-4);
  EXPECT_EQ(row.AreaText, "1.0173");
}

TEST(FloorArea, OnlyCirclesAndArcsOfKindTwo) {
  SettingsGuard guard;
  ToolMessageRecorder messages;
  TYukaMenobj table = TableFloorArea();
  RDrawElement line = ZeroElement();
  line.Kind = kKindLine;
  line.X2 = 5;
  table.AddArcRow(line, 2, 0, 0);
  // Not kind 2: nothing, not even the warning for a large arc.
  table.AddArcRow(ArcElementFloorArea(0, 0, 5, 0, 90), 0, 0, 0);
  table.AddArcRow(ArcElementFloorArea(0, 0, 5, 0, 200), 1, 0, 0);
  // No radius, or a value that is no number.
  table.AddArcRow(ArcElementFloorArea(0, 0, 0, 0, 90), 2, 0, 0);
  table.AddArcRow(ArcElementFloorArea(0, 0, -1, 0, 90), 2, 0, 0);
  table.AddArcRow(ArcElementFloorArea(std::numeric_limits<double>::quiet_NaN(), 0, 5, 0, 90), 2, 0, 0);
  table.AddArcRow(ArcElementFloorArea(0, 0, 5, 0, std::numeric_limits<float>::infinity()), 2, 0, 0);
  EXPECT_TRUE(table.Rows.empty());
  EXPECT_EQ(table.RowCount, 0);
  EXPECT_TRUE(messages.Messages.empty());
}

// One figure of each kind over units and decimals: a 12.3456 x 4.5678
// rectangle, the right triangle with those legs and a circle of radius
// 1.23456 (drawing units at scale 1 in mm, at scale 1000 in m, so both
// print alike). Areas have two more decimals and are cut.
TEST(FloorArea, UnitsAndDecimals) {
  struct Case {
    std::uint8_t metres;
    std::uint8_t decimals;
    const char* side1;
    const char* side2;
    const char* rectangle;  // side1 x side2
    const char* triangle;   // side1 x side2 / 2
    const char* radius;
    const char* circle;  // radius² x 3.14
  };
  const Case cases[] = {
      // 12 x 5 = 60; 1 x 1 x 3.14.
      {0, 0, "12", "5", "60.00", "30.00", "1", "3.14"},
      {1, 0, "12", "5", "60.00", "30.00", "1", "3.14"},
      // 12.3 x 4.6 = 56.58; 1.44 x 3.14 = 4.5216.
      {0, 1, "12.3", "4.6", "56.580", "28.290", "1.2", "4.521"},
      {1, 1, "12.3", "4.6", "56.580", "28.290", "1.2", "4.521"},
      // 12.35 x 4.57 = 56.4395, half 28.21975; 1.5129 x 3.14 = 4.750506.
      {0, 2, "12.35", "4.57", "56.4395", "28.2197", "1.23", "4.7505"},
      {1, 2, "12.35", "4.57", "56.4395", "28.2197", "1.23", "4.7505"},
      // 12.346 x 4.568 = 56.396528, half 28.198264; 1.525225 x 3.14 =
      // 4.7892065.
      {0, 3, "12.346", "4.568", "56.39652", "28.19826", "1.235", "4.78920"},
      {1, 3, "12.346", "4.568", "56.39652", "28.19826", "1.235", "4.78920"},
      {1, 9, "12.346", "4.568", "56.39652", "28.19826", "1.235", "4.78920"},  // as 3
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.metres ? "m " : "mm ") + std::to_string(c.decimals));
    SettingsGuard guard;
    DraftDefaults.AreaUnitMetres = c.metres;
    DraftDefaults.AreaDecimals = c.decimals;
    TYukaMenobj table = TableFloorArea(c.metres ? 1000.0 : 1.0);
    AddQuad(table, {{{0, 0}, {12.3456, 0}, {12.3456, 4.5678}, {0, 4.5678}}});
    AddTriangle(table, {0, 0}, {12.3456, 0}, {0, 4.5678});
    table.AddArcRow(ArcElementFloorArea(0, 0, 1.23456, 0, 0), 2, 1, 0);
    ASSERT_EQ(table.Rows.size(), 3u);
    EXPECT_EQ(table.Rows[0].Label1.Text, c.side1);
    EXPECT_EQ(table.Rows[0].Label2.Text, c.side2);
    EXPECT_EQ(table.Rows[0].AreaText, c.rectangle);
    EXPECT_EQ(table.Rows[1].Label1.Text, c.side1);
    EXPECT_EQ(table.Rows[1].Label2.Text, c.side2);
    EXPECT_EQ(table.Rows[1].AreaText, c.triangle);
    EXPECT_EQ(table.Rows[2].Label1.Text, c.radius);
    EXPECT_EQ(table.Rows[2].AreaText, c.circle);
  }
}

TEST(FloorArea, AreaTextsFromTheirTexts) {
  SettingsGuard guard;
  const TYukaMenobj table = TableFloorArea();
  std::string s;
  table.ProductAreaText("2.50", "1.20", s);
  EXPECT_EQ(s, "3.0000");
  table.CircleAreaText("2.00", s, 3.14);
  EXPECT_EQ(s, "12.5600");
  table.TriangleAreaText("2.50", "1.20", s, 0.5);
  EXPECT_EQ(s, "1.5000");
  // (2 x 1.5 + 2 x 0.25) / 2 = 1.75.
  table.TwoTriangleAreaText("2.00", "1.50", s, 0.5, "2.00", "0.25");
  EXPECT_EQ(s, "1.7500");
  // (1 + 3) x 0.75 / 2 = 1.5.
  table.TrapezoidAreaText("1.00", "3.00", s, "0.75");
  EXPECT_EQ(s, "1.5000");
  // 2² x 3.14 x 90 / 360 - 2.83 x 1.41 / 2 = 3.14 - 1.99515 = 1.14485.
  table.SegmentAreaText("2.83", "1.41", s, "90.00", "2.00");
  EXPECT_EQ(s, "1.1448");
  table.RadiusText(s, 2.5);
  EXPECT_EQ(s, "2.50");
  EXPECT_EQ(TYukaMenobj::TruncateDecimals(2, 1.235), 1.23);
}

TEST(FloorArea, MidpointsAndMeans) {
  RPoint2D p;
  TYukaMenobj::LongestSideMidpoint(p, 0, 0, 4, 0, 4, 3);  // P1-P3 is 5
  EXPECT_EQ(p.x, 2.0);
  EXPECT_EQ(p.y, 1.5);
  TYukaMenobj::LongestSideMidpoint(p, 0, 0, 6, 0, 2, 1);  // P1-P2
  EXPECT_EQ(p.x, 3.0);
  EXPECT_EQ(p.y, 0.0);
  TYukaMenobj::LongestSideMidpoint(p, 2, 1, 0, 0, 6, 0);  // P2-P3
  EXPECT_EQ(p.x, 3.0);
  EXPECT_EQ(p.y, 0.0);
  TYukaMenobj::QuadCentroid(p, 0, 0, 4, 0, 4, 3, 0, 5);
  EXPECT_EQ(p.x, 2.0);
  EXPECT_EQ(p.y, 2.0);
}

}  // namespace
