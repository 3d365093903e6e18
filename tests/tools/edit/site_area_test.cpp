// The site-area table: base-and-height and three-sides rows with their texts
// computed from the displayed lengths, the placed labels and the number
// circle, triangles split at their middle vertex, and the point list.

#include "tools/edit/site_area.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "geometry/codepage.h"
#include "support/settings_guard.h"

namespace {

// Style 3 is the labels' style: width 3 mm, height 4 mm, spacing 1 mm, so a
// single-byte character is 1.5 long with 0.5 between characters. Style 0
// has width 2 mm, height 2 mm and no spacing.
std::array<RTextStyle, kTextStyleCount> Styles() {
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

TSikichiMenobj Table(std::uint8_t mode, double scale, std::uint8_t style = 3) {
  const auto styles = Styles();
  return TSikichiMenobj(2, 7, scale, styles, style, style, mode);
}

void ExpectLineSiteArea(const RToolLine& line, double x1, double y1, double x2, double y2, int lineType,
                        int colour = 0) {
  EXPECT_NEAR(line.X1, x1, 1e-12);
  EXPECT_NEAR(line.Y1, y1, 1e-12);
  EXPECT_NEAR(line.X2, x2, 1e-12);
  EXPECT_NEAR(line.Y2, y2, 1e-12);
  EXPECT_EQ(line.LineType, lineType);
  EXPECT_EQ(line.ColorNo, colour);
  EXPECT_EQ(line.Group, 0);
  EXPECT_EQ(line.Layer, 0);
}

void ExpectLabel(const Rmoziko& label, const std::string& text, double x, double y, double endX, double endY,
                 double angle) {
  EXPECT_EQ(label.Text, text);
  EXPECT_NEAR(label.X, x, 1e-9);
  EXPECT_NEAR(label.Y, y, 1e-9);
  EXPECT_NEAR(label.EndX, endX, 1e-9);
  EXPECT_NEAR(label.EndY, endY, 1e-9);
  EXPECT_NEAR(label.Angle, angle, 1e-12);
  EXPECT_EQ(label.TextStyle, 3);
}

TEST(SiteArea, CreateKeepsItsInputs) {
  auto styles = Styles();
  TSikichiMenobj table(2, 7, 50.0, styles, 3, 4, 1);
  styles[3].Width = 99;  // the table keeps its own copy
  EXPECT_EQ(table.Group, 2);
  EXPECT_EQ(table.Layer, 7);
  EXPECT_EQ(table.GroupScale, 50.0);
  EXPECT_EQ(table.TextStyle, 3);
  EXPECT_EQ(table.TextStyle2, 4);
  EXPECT_EQ(table.Mode, 1);
  EXPECT_EQ(int{table.TextStyles[3].Width}, 30);
  EXPECT_EQ(table.RowCount, 0);
}

// Mode 0 on (0, 0), (10, 0), (3, 4) at scale 1000 in metres with 2 decimals:
// base 10.00, height 4.00 (foot (3, 0)), double area 40.0000.
TEST(SiteArea, BaseAndHeightRow) {
  SettingsGuard guard;
  DraftDefaults.TableLineType1 = 4;
  DraftDefaults.TableLineType2 = 6;
  DraftDefaults.TableBaseLine = 1;
  DraftDefaults.TableStartNumber = 7;
  TSikichiMenobj table = Table(0, 1000.0);
  table.AddTriangle(0, 0, 10, 0, 3, 4);
  ASSERT_EQ(table.Rows.size(), 1u);
  EXPECT_EQ(table.RowCount, 1);
  EXPECT_EQ(table.BaseLineFlag, 1);
  const RSikiData& row = table.Rows[0];
  ExpectLineSiteArea(row.FirstLine, 0, 0, 10, 0, 4);
  ExpectLineSiteArea(row.SecondLine, 3, 0, 3, 4, 6);
  // "10.00": 5 x 1.5 + 4 x 0.5 = 9.5 long, centred at (5, 0).
  ExpectLabel(row.FirstLabel, "10.00", 0.25, 0, 9.75, 0, 0);
  // "4.00": 4 x 1.5 + 3 x 0.5 = 7.5, centred at (3, 2) and turned upwards.
  ExpectLabel(row.SecondLabel, "4.00", 3, -1.75, 3, 5.75, 90);
  EXPECT_EQ(row.ThirdLabel.Text, "");
  // Number "7" at the centroid (13/3, 4/3): 1.5 long; the circle stands on
  // the middle of its baseline, raised by half the height 4.
  ExpectLabel(row.NumberLabel, "7", 13.0 / 3 - 0.75, 4.0 / 3, 13.0 / 3 + 0.75, 4.0 / 3, 0);
  EXPECT_NEAR(row.NumberCircle.CentreX, 13.0 / 3, 1e-12);
  EXPECT_NEAR(row.NumberCircle.CentreY, 4.0 / 3 + 2.0, 1e-12);
  EXPECT_EQ(row.NumberCircle.Radius, 3.0);
  EXPECT_EQ(row.NumberCircle.Ratio, 1.0);
  EXPECT_EQ(row.NumberCircle.StartAngle, 0.0);
  EXPECT_EQ(row.NumberCircle.EndAngle, 0.0);
  EXPECT_EQ(row.NumberCircle.Rotation, 0.0);
  EXPECT_EQ(row.NumberCircle.LineType, 0);
  EXPECT_EQ(row.AreaText, "40.0000");

  // The next row is numbered on, and the flag follows the settings.
  DraftDefaults.TableBaseLine = 0;
  table.AddTriangle(0, 0, 10, 0, 3, 4);
  EXPECT_EQ(table.Rows[1].NumberLabel.Text, "8");
  EXPECT_EQ(table.BaseLineFlag, 0);
  EXPECT_EQ(table.RowCount, 2);
}

TEST(SiteArea, BaseOfNoLengthHasNoHeight) {
  SettingsGuard guard;
  TSikichiMenobj table = Table(0, 1000.0);
  table.AddTriangle(1, 1, 1, 1, 1, 5);
  ASSERT_EQ(table.Rows.size(), 1u);
  const RSikiData& row = table.Rows[0];
  ExpectLineSiteArea(row.SecondLine, 1, 5, 1, 5, 2);
  EXPECT_EQ(row.FirstLabel.Text, "0.00");
  EXPECT_EQ(row.SecondLabel.Text, "0.00");
  EXPECT_EQ(row.AreaText, "0.0000");
}

// One triangle over units and decimals: P1 (0, 0), P2 (12.3456, 0),
// P3 (3, 4.5678); sides P1P2 12.3456, P1P3 5.46487..., P2P3 10.40218...,
// height 4.5678. The metre rows use scale 1000, so they print alike.
struct TextCase {
  std::uint8_t metres;
  std::uint8_t decimals;
  const char* base;
  const char* height;
  const char* doubleArea;
  const char* side13;
  const char* side23;
  const char* heron;
};

TEST(SiteArea, TextsFromTheDisplayedLengths) {
  const TextCase cases[] = {
      // 12 x 5 = 60; Heron on 12, 5, 10: s = 13.5, 13.5 x 1.5 x 8.5 x 3.5
      // = 602.4375, root 24.5446...
      {0, 0, "12", "5", "60.00", "5", "10", "24.54"},
      {1, 0, "12", "5", "60.00", "5", "10", "24.54"},
      // 12.3 x 4.6 = 56.58; 12.3, 5.5, 10.4: s = 14.1, 14.1 x 1.8 x 8.6 x 3.7
      // = 807.5916, root 28.41815...
      {0, 1, "12.3", "4.6", "56.580", "5.5", "10.4", "28.418"},
      {1, 1, "12.3", "4.6", "56.580", "5.5", "10.4", "28.418"},
      // 12.35 x 4.57 = 56.4395; 12.35, 5.46, 10.40: s = 14.105,
      // 14.105 x 1.755 x 8.645 x 3.705 = 792.87269..., root 28.157993...
      {0, 2, "12.35", "4.57", "56.4395", "5.46", "10.40", "28.1579"},
      {1, 2, "12.35", "4.57", "56.4395", "5.46", "10.40", "28.1579"},
      // 12.346 x 4.568 = 56.396528; 12.346, 5.465, 10.402: s = 14.1065,
      // 14.1065 x 1.7605 x 8.6415 x 3.7045 = 795.0126..., root 28.195968...
      {0, 3, "12.346", "4.568", "56.39652", "5.465", "10.402", "28.19596"},
      {1, 3, "12.346", "4.568", "56.39652", "5.465", "10.402", "28.19596"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(std::string(c.metres ? "m " : "mm ") + std::to_string(c.decimals));
    SettingsGuard guard;
    DraftDefaults.AreaUnitMetres = c.metres;
    DraftDefaults.AreaDecimals = c.decimals;
    const double scale = c.metres ? 1000.0 : 1.0;
    TSikichiMenobj byHeight = Table(0, scale);
    byHeight.AddTriangle(0, 0, 12.3456, 0, 3, 4.5678);
    ASSERT_EQ(byHeight.Rows.size(), 1u);
    EXPECT_EQ(byHeight.Rows[0].FirstLabel.Text, c.base);
    EXPECT_EQ(byHeight.Rows[0].SecondLabel.Text, c.height);
    EXPECT_EQ(byHeight.Rows[0].AreaText, c.doubleArea);
    TSikichiMenobj bySides = Table(1, scale);
    bySides.AddTriangle(0, 0, 12.3456, 0, 3, 4.5678);
    ASSERT_EQ(bySides.Rows.size(), 1u);
    EXPECT_EQ(bySides.Rows[0].FirstLabel.Text, c.base);
    EXPECT_EQ(bySides.Rows[0].SecondLabel.Text, c.side13);
    EXPECT_EQ(bySides.Rows[0].ThirdLabel.Text, c.side23);
    EXPECT_EQ(bySides.Rows[0].AreaText, c.heron);
  }
}

TEST(SiteArea, ThreeSidesRow) {
  SettingsGuard guard;
  DraftDefaults.TableLineType1 = 4;
  DraftDefaults.TableLineType2 = 6;
  TSikichiMenobj table = Table(1, 1000.0);
  // Sides 3, 4, 5 m: area 6.0000.
  table.AddTriangle(0, 0, 3, 0, 0, 4);
  ASSERT_EQ(table.Rows.size(), 1u);
  const RSikiData& row = table.Rows[0];
  ExpectLineSiteArea(row.FirstLine, 0, 0, 0, 4, 4);
  ExpectLineSiteArea(row.SecondLine, 3, 0, 0, 4, 6);
  // "3.00" and its kin are 7.5 long, each centred on its side.
  ExpectLabel(row.FirstLabel, "3.00", -2.25, 0, 5.25, 0, 0);
  ExpectLabel(row.SecondLabel, "4.00", 0, -1.75, 0, 5.75, 90);
  // P2 -> P3 runs at 180 - atan(4/3) = 126.87 degrees: (-0.6, 0.8).
  ExpectLabel(row.ThirdLabel, "5.00", 1.5 + 3.75 * 0.6, 2 - 3.75 * 0.8, 1.5 - 3.75 * 0.6, 2 + 3.75 * 0.8,
              180.0 - std::atan(4.0 / 3.0) * 180.0 / 3.14159265358979323846);
  EXPECT_EQ(row.NumberLabel.Text, "1");
  EXPECT_EQ(row.AreaText, "6.0000");
}

TEST(SiteArea, FlatTriangleHasNoArea) {
  SettingsGuard guard;
  std::string s;
  const TSikichiMenobj table = Table(1, 1.0);
  // 1 + 2 = 3: exactly flat.
  table.HeronAreaText("1.00", "2.00", s, "3.00");
  EXPECT_EQ(s, "0.0000");
  // 0.99 + 1.01 < 2.01: the displayed sides make no triangle and the
  // product under the root is negative; the area is 0, never "NAN".
  table.HeronAreaText("0.99", "2.01", s, "1.01");
  EXPECT_EQ(s, "0.0000");
  // The same from a picked row: sides 0.994, 2.008 and 1.014 mm.
  DraftDefaults.AreaUnitMetres = 0;
  TSikichiMenobj picked = Table(1, 1.0);
  picked.AddTriangle(0, 0, 0.994, 0, 2.008, 0.0001);
  ASSERT_EQ(picked.Rows.size(), 1u);
  EXPECT_EQ(picked.Rows[0].FirstLabel.Text, "0.99");
  EXPECT_EQ(picked.Rows[0].SecondLabel.Text, "2.01");
  EXPECT_EQ(picked.Rows[0].ThirdLabel.Text, "1.01");
  EXPECT_EQ(picked.Rows[0].AreaText, "0.0000");
  // Base times height is read from its texts.
  table.DoubleAreaText("2.50", "1.20", s);
  EXPECT_EQ(s, "3.0000");
}

TEST(SiteArea, StyleAboveElevenMeasuresWithStyleZero) {
  SettingsGuard guard;
  TSikichiMenobj table = Table(0, 1000.0, 12);
  table.AddTriangle(0, 0, 10, 0, 3, 4);
  ASSERT_EQ(table.Rows.size(), 1u);
  // Style 0: width 2, no spacing: "10.00" is 5 x 1 long; height 2.
  const Rmoziko& label = table.Rows[0].FirstLabel;
  EXPECT_NEAR(label.X, 2.5, 1e-12);
  EXPECT_NEAR(label.EndX, 7.5, 1e-12);
  EXPECT_EQ(label.TextStyle, 12);
  EXPECT_NEAR(table.Rows[0].NumberCircle.CentreY, 4.0 / 3 + 1.0, 1e-12);
}

TEST(SiteArea, NonFiniteTriangleAddsNothing) {
  SettingsGuard guard;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (std::uint8_t mode : {0, 1, 2}) {
    TSikichiMenobj table = Table(mode, 1.0);
    table.AddTriangle(0, 0, nan, 0, 3, 4);
    table.AddTriangle(0, 0, 1, 0, 3, std::numeric_limits<double>::infinity());
    EXPECT_EQ(table.RowCount, 0);
    EXPECT_TRUE(table.Rows.empty());
    EXPECT_TRUE(table.TriangleRows.empty());
  }
  TSikichiMenobj points = Table(3, 1.0);
  points.AddPoint(nan, 1);
  EXPECT_TRUE(points.PointRows.empty());
}

// Triangles with a horizontal side give one record: corners in pick order,
// then the third point. (0, 0), (6, 0), (2, 3) in each order of the pick:
// area 9, centroid (8/3, 1); base 6 and height 3 in cm at scale 1 are 0.6
// and 0.3, own second moment 0.6 x 0.3^3 / 36 = 0.00045.
TEST(SiteArea, SplitTriangleWithAHorizontalSide) {
  struct Case {
    RPoint2D p1, p2, p3;
    int base1, base2, apex;  // which picked points become the corners
  };
  const Case cases[] = {
      {{0, 0}, {6, 0}, {2, 3}, 1, 2, 3},
      {{0, 0}, {2, 3}, {6, 0.00005}, 1, 3, 2},  // within 1e-4 counts as level
      {{2, 3}, {0, 0}, {6, 0}, 2, 3, 1},
  };
  for (const Case& c : cases) {
    TSikichiMenobj table = Table(2, 1.0);
    table.AddTriangle(c.p1.x, c.p1.y, c.p2.x, c.p2.y, c.p3.x, c.p3.y);
    ASSERT_EQ(table.TriangleRows.size(), 1u);
    EXPECT_EQ(table.RowCount, 1);
    const RPoint2D picked[] = {c.p1, c.p2, c.p3};
    const RSikiTriangleData& r = table.TriangleRows[0];
    const int order[] = {c.base1, c.base2, c.apex};
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(r.Corners[static_cast<std::size_t>(k)].x, picked[order[k] - 1].x);
      EXPECT_EQ(r.Corners[static_cast<std::size_t>(k)].y, picked[order[k] - 1].y);
    }
    EXPECT_NEAR(static_cast<double>(r.Area), 9.0, 2e-4);
    EXPECT_NEAR(static_cast<double>(r.CentroidX), 8.0 / 3, 1e-4);
    EXPECT_NEAR(static_cast<double>(r.CentroidY), 1.0, 1e-4);
    EXPECT_NEAR(static_cast<double>(r.Base), 0.6, 1e-12);
    EXPECT_NEAR(static_cast<double>(r.Height), 0.3, 1e-5);
    EXPECT_NEAR(static_cast<double>(r.OwnSecondMoment), 0.00045, 1e-7);
    // The outline: P1-P2, P1-P3, P2-P3, line type 1, colour 5.
    ExpectLineSiteArea(r.Outline[0], c.p1.x, c.p1.y, c.p2.x, c.p2.y, 1, 5);
    ExpectLineSiteArea(r.Outline[1], c.p1.x, c.p1.y, c.p3.x, c.p3.y, 1, 5);
    ExpectLineSiteArea(r.Outline[2], c.p2.x, c.p2.y, c.p3.x, c.p3.y, 1, 5);
    EXPECT_NEAR(static_cast<double>(table.AreaSum), 9.0, 2e-4);
  }
}

// (0, 0), (8, 4), (2, 10) at scale 10 has no level side: the line y = 4
// through the middle vertex meets the side (0, 0)-(2, 10) at (0.8, 4). Base
// 7.2 with heights 4 and 6: 14.4 + 21.6 = 36 = |8 x 10 - 4 x 2| / 2 drawing
// units, 3600 real mm² at scale 10; the whole centroid (10/3, 14/3) drawing
// units, (100/3, 140/3) real.
TEST(SiteArea, SplitTriangleAtTheMiddleVertex) {
  TSikichiMenobj table = Table(2, 10.0);
  table.AddTriangle(8, 4, 0, 0, 2, 10);
  ASSERT_EQ(table.TriangleRows.size(), 2u);
  EXPECT_EQ(table.RowCount, 2);
  const RSikiTriangleData& low = table.TriangleRows[0];
  const RSikiTriangleData& high = table.TriangleRows[1];
  const RPoint2D lowCorners[] = {{8, 4}, {0.8, 4}, {0, 0}};
  const RPoint2D highCorners[] = {{8, 4}, {0.8, 4}, {2, 10}};
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_NEAR(low.Corners[k].x, lowCorners[k].x, 1e-12);
    EXPECT_NEAR(low.Corners[k].y, lowCorners[k].y, 1e-12);
    EXPECT_NEAR(high.Corners[k].x, highCorners[k].x, 1e-12);
    EXPECT_NEAR(high.Corners[k].y, highCorners[k].y, 1e-12);
  }
  // Areas 1440 and 2160 real mm²; centroids of the corners' means x 10.
  EXPECT_NEAR(static_cast<double>(low.Area), 1440.0, 1e-9);
  EXPECT_NEAR(static_cast<double>(high.Area), 2160.0, 1e-9);
  EXPECT_NEAR(static_cast<double>(low.CentroidX), 88.0 / 3, 1e-9);
  EXPECT_NEAR(static_cast<double>(low.CentroidY), 80.0 / 3, 1e-9);
  EXPECT_NEAR(static_cast<double>(high.CentroidX), 108.0 / 3, 1e-9);
  EXPECT_NEAR(static_cast<double>(high.CentroidY), 180.0 / 3, 1e-9);
  // Base 7.2 x 10 x 0.1 = 7.2 cm; heights 4 and 6 cm; b h^3 / 36.
  EXPECT_NEAR(static_cast<double>(low.Base), 7.2, 1e-12);
  EXPECT_NEAR(static_cast<double>(low.Height), 4.0, 1e-12);
  EXPECT_NEAR(static_cast<double>(low.OwnSecondMoment), 7.2 * 64 / 36, 1e-9);
  EXPECT_NEAR(static_cast<double>(high.Height), 6.0, 1e-12);
  EXPECT_NEAR(static_cast<double>(high.OwnSecondMoment), 7.2 * 216 / 36, 1e-9);
  // The records add up to the triangle.
  EXPECT_NEAR(static_cast<double>(table.AreaSum), 3600.0, 1e-9);
  EXPECT_NEAR(static_cast<double>(table.MomentSumX / table.AreaSum), 100.0 / 3, 1e-9);
  EXPECT_NEAR(static_cast<double>(table.MomentSumY / table.AreaSum), 140.0 / 3, 1e-9);
  // Outline middle-lowest, lowest-highest, highest-middle in the first
  // record only.
  ExpectLineSiteArea(low.Outline[0], 8, 4, 0, 0, 1, 5);
  ExpectLineSiteArea(low.Outline[1], 0, 0, 2, 10, 1, 5);
  ExpectLineSiteArea(low.Outline[2], 2, 10, 8, 4, 1, 5);
  for (const RToolLine& line : high.Outline) ExpectLineSiteArea(line, 0, 0, 0, 0, 0, 0);
  // A second pick adds on to the sums.
  table.AddTriangle(0, 0, 6, 0, 2, 3);
  EXPECT_EQ(table.RowCount, 3);
  EXPECT_NEAR(static_cast<double>(table.AreaSum), 3600.0 + 900.0, 1e-9);
}

TEST(SiteArea, PointList) {
  struct Case {
    std::uint8_t metres;
    std::uint8_t swap;
    double scale;
    double first, second;  // of the point (6, 3) from (1, 1)
  };
  const Case cases[] = {
      {0, 0, 100.0, 500.0, 200.0},  // mm: 5 and 2 drawing units at scale 100
      {0, 1, 100.0, 200.0, 500.0},
      {1, 0, 1000.0, 5.0, 2.0},  // m: 5 m to the right, 2 m up
      {1, 1, 1000.0, 2.0, 5.0},
  };
  for (const Case& c : cases) {
    SettingsGuard guard;
    DraftDefaults.AreaUnitMetres = c.metres;
    FirstData22.PointLabelSwapXY = c.swap;
    TSikichiMenobj table = Table(3, c.scale);
    table.AddPoint(1, 1);
    table.AddPoint(6, 3);
    ASSERT_EQ(table.PointRows.size(), 2u);
    EXPECT_EQ(table.RowCount, 2);
    EXPECT_EQ(table.PointRows[0].First, 0.0);
    EXPECT_EQ(table.PointRows[0].Second, 0.0);
    EXPECT_NEAR(table.PointRows[1].First, c.first, 1e-9);
    EXPECT_NEAR(table.PointRows[1].Second, c.second, 1e-9);
    // "Pt-1": 7.5 long, its bottom right corner on the point.
    ExpectLabel(table.PointRows[0].Label, "Pt-1", -6.5, 1, 1, 1, 0);
    ExpectLabel(table.PointRows[1].Label, "Pt-2", -1.5, 3, 6, 3, 0);
  }
  SettingsGuard guard;
  FirstData22.PointLabelPrefix = J("点");
  DraftDefaults.TableStartNumber = 5;
  TSikichiMenobj table = Table(3, 1.0);
  table.AddPoint(10, 0);
  // "点5": 3 + 1 + 1.5 = 5.5 long.
  ExpectLabel(table.PointRows[0].Label, J("点5"), 4.5, 0, 10, 0, 0);
}

}  // namespace
