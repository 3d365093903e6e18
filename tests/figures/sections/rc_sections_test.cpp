#include "figures/sections/rc_sections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "figures/sections/figure_checks.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

// One expected element of a bar symbol centred on the origin: a circle of
// radius v, the rising ('/') or falling ('\\') line of a diagonal cross of
// half-size v, or the vertical ('|') or horizontal ('-') line of an upright
// cross of arm v.
struct SymbolPart {
  char shape;
  double v;
};

void ExpectSymbol(const std::vector<RDrawElement>& e, std::size_t from, Pt c, const std::vector<SymbolPart>& parts,
                  double tol = 1e-9) {
  ASSERT_GE(e.size(), from + parts.size());
  for (std::size_t i = 0; i < parts.size(); ++i) {
    SCOPED_TRACE(i);
    const RDrawElement& el = e[from + i];
    const double v = parts[i].v;
    switch (parts[i].shape) {
      case 'o': ExpectArc(el, c, v, 0, 0, 0, tol); break;
      case '/': ExpectLine(el, {c.x - v, c.y - v}, {c.x + v, c.y + v}, tol); break;
      case '\\': ExpectLine(el, {c.x + v, c.y - v}, {c.x - v, c.y + v}, tol); break;
      case '|': ExpectLine(el, {c.x, c.y - v}, {c.x, c.y + v}, tol); break;
      case '-': ExpectLine(el, {c.x + v, c.y}, {c.x - v, c.y}, tol); break;
    }
  }
}

class RcSectionsTest : public ::testing::Test {
 protected:
  SettingsGuard guard_;
};

// At scale 1 with the default sizes S = 30 and s = 12: radii and cross
// ends in real millimetres; the upright crosses reach 15 + 6 = 21.
TEST_F(RcSectionsTest, EveryBarMarkDrawsItsSymbol) {
  const struct {
    const char* mark;
    std::vector<SymbolPart> parts;
  } cases[] = {
      {"D10", {{'o', 6}, {'o', 4}, {'o', 2}}},
      {"D13", {{'/', 15}, {'\\', 15}}},
      {"D16", {{'/', 15}, {'o', 15}}},
      {"D19", {{'o', 15}, {'o', 11.25}, {'o', 7.5}, {'o', 3.75}}},
      {"D22", {{'o', 15}}},
      {"D25", {{'o', 15}, {'o', 30.0 / 9}, {'o', 30.0 / 18}}},
      {"D29", {{'/', 15}, {'\\', 15}, {'o', 15}}},
      {"D32", {{'o', 15}, {'o', 7.5}}},
      {"D35", {{'|', 21}, {'-', 21}, {'o', 15}}},
      {"D38", {{'|', 21}, {'-', 21}, {'o', 15}, {'o', 11.25}, {'o', 7.5}, {'o', 3.75}}},
      // Unknown, lower case, trailing blank: the cross with two circles.
      {"D41", {{'/', 15}, {'\\', 15}, {'o', 15}, {'o', 7.5}}},
      {"d22", {{'/', 15}, {'\\', 15}, {'o', 15}, {'o', 7.5}}},
      {"D22 ", {{'/', 15}, {'\\', 15}, {'o', 15}, {'o', 7.5}}},
      {"", {{'/', 15}, {'\\', 15}, {'o', 15}, {'o', 7.5}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mark);
    TRCDanmenobj rc(1.0);
    rc.MakeBarSymbol(c.mark, 100, 50);
    ASSERT_EQ(rc.Elements.size(), c.parts.size());
    EXPECT_EQ(rc.Count, static_cast<int>(c.parts.size()) - 1);
    ExpectSymbol(rc.Elements, 0, {100, 50}, c.parts);
  }
}

TEST_F(RcSectionsTest, BarSymbolsScaleAndTakeTheirAttributesFromTheSettings) {
  RcSectionDefaults.RcSymbolColour = 5;
  RcSectionDefaults.RcSymbolLineType = 3;
  RcSectionDefaults.RcSymbolSize2 = 24;
  TRCDanmenobj rc(2.0);
  EXPECT_EQ(rc.ToPaper(30), 15.0);
  // D10 follows the small size: 24 / 2 / 2 = 6; D35's arm 7.5 + 3.
  rc.MakeBarSymbol("D10", 0, 0);
  rc.AddBarSymbol("D35", 10, 0);
  ASSERT_EQ(rc.Elements.size(), 6u);
  EXPECT_EQ(rc.Count, 5);
  ExpectSymbol(rc.Elements, 0, {0, 0}, {{'o', 6}, {'o', 4}, {'o', 2}});
  ExpectSymbol(rc.Elements, 3, {10, 0}, {{'|', 10.5}, {'-', 10.5}, {'o', 7.5}});
  for (const RDrawElement& e : rc.Elements) {
    EXPECT_EQ(int{e.ColorNo}, 5);
    EXPECT_EQ(int{e.LineType}, 3);
    EXPECT_EQ(int{e.Group}, 0);
    EXPECT_EQ(int{e.Layer}, 0);
  }
  // MakeBarSymbol starts anew.
  rc.MakeBarSymbol("D22", 1, 1);
  ASSERT_EQ(rc.Elements.size(), 1u);
  EXPECT_EQ(rc.Count, 0);
}

// Scale 25 with the defaults: outline 12 x 24, stirrup 8.8 x 20.8 (cover
// 40), S = 1.2, s = 0.48; centred on (50, 40) the stirrup runs from 45.6 to
// 54.4 and from 29.6 to 50.4.
TEST_F(RcSectionsTest, BeamSectionWithTheDefaults) {
  TRCDanmenobj rc(25.0);
  rc.MakeBeamSection(1, 50, 40);
  const auto& e = rc.Elements;
  ASSERT_EQ(e.size(), 19u);
  EXPECT_EQ(rc.Count, 18);
  EXPECT_EQ(rc.CentreX, 50.0);
  EXPECT_EQ(rc.CentreY, 40.0);
  const double t = 1e-9;
  ExpectLine(e[0], {44, 52}, {56, 52}, t);
  ExpectLine(e[1], {44, 28}, {56, 28}, t);
  ExpectLine(e[2], {44, 28}, {44, 52}, t);
  ExpectLine(e[3], {56, 28}, {56, 52}, t);
  ExpectLine(e[4], {45.6, 50.4}, {54.4, 50.4}, t);
  ExpectLine(e[5], {45.6, 29.6}, {54.4, 29.6}, t);
  ExpectLine(e[6], {45.6, 29.6}, {45.6, 50.4}, t);
  ExpectLine(e[7], {54.4, 29.6}, {54.4, 50.4}, t);
  // D22 bars inset S/2 = 0.6 at the corners: top row, then bottom row.
  ExpectArc(e[8], {46.2, 49.8}, 0.6, 0, 0, 0, t);
  ExpectArc(e[9], {53.8, 49.8}, 0.6, 0, 0, 0, t);
  ExpectArc(e[10], {46.2, 30.2}, 0.6, 0, 0, 0, t);
  ExpectArc(e[11], {53.8, 30.2}, 0.6, 0, 0, 0, t);
  // One row of D10 web bars at mid-depth, s/2 = 0.24 in from the sides,
  // then the tie 0.24 above them.
  ExpectSymbol(e, 12, {45.84, 40}, {{'o', 0.24}, {'o', 0.16}, {'o', 0.08}}, t);
  ExpectSymbol(e, 15, {54.16, 40}, {{'o', 0.24}, {'o', 0.16}, {'o', 0.08}}, t);
  ExpectLine(e[18], {45.6, 40.24}, {54.4, 40.24}, t);
}

// The x of the top first-layer bars (y 49.8) for counts 0 to 3: a single
// bar at the left end, more spread over 53.8 - 46.2 = 7.6.
TEST_F(RcSectionsTest, FirstLayerCounts) {
  const struct {
    std::uint8_t n;
    std::vector<double> xs;
  } cases[] = {{0, {}}, {1, {46.2}}, {2, {46.2, 53.8}}, {3, {46.2, 50.0, 53.8}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int{c.n});
    FirstData3.RcBarCount1 = c.n;
    FirstData3.RcBarCount2 = 0;
    FirstData3.RcWebBars = 0;
    TRCDanmenobj rc(25.0);
    rc.MakeBeamSection(1, 50, 40);
    ASSERT_EQ(rc.Elements.size(), 8 + c.xs.size());
    for (std::size_t i = 0; i < c.xs.size(); ++i) {
      ExpectArc(rc.Elements[8 + i], {c.xs[i], 49.8}, 0.6, 0, 0, 0, 1e-9);
      EXPECT_TRUE(std::isfinite(double{rc.Elements[8 + i].X1}));
    }
  }
}

// Second layers one pitch G = (30 + 30) / 25 = 2.4 further in; from three
// bars a dashed line (line type 2, colour 0) S/2 beyond them.
TEST_F(RcSectionsTest, SecondLayersAndTheirLine) {
  FirstData3.RcWebBars = 0;
  FirstData3.RcBarCount1 = 0;
  FirstData3.RcBarCount2 = 0;
  FirstData3.RcBarCount7 = 3;  // top second layer of position 1
  FirstData3.RcBarCount8 = 1;  // bottom second layer of position 1
  TRCDanmenobj rc(25.0);
  rc.MakeBeamSection(1, 50, 40);
  const auto& e = rc.Elements;
  ASSERT_EQ(e.size(), 8u + 3 + 1 + 1);
  const double t = 1e-9;
  ExpectArc(e[8], {46.2, 47.4}, 0.6, 0, 0, 0, t);
  ExpectArc(e[9], {50.0, 47.4}, 0.6, 0, 0, 0, t);
  ExpectArc(e[10], {53.8, 47.4}, 0.6, 0, 0, 0, t);
  ExpectLine(e[11], {45.6, 46.8}, {54.4, 46.8}, t);
  EXPECT_EQ(int{e[11].LineType}, 2);
  EXPECT_EQ(int{e[11].ColorNo}, 0);
  ExpectArc(e[12], {46.2, 32.6}, 0.6, 0, 0, 0, t);

  // Two bars: no line; the bottom face gets its line above the layer.
  FirstData3.RcBarCount7 = 2;
  FirstData3.RcBarCount8 = 3;
  rc.MakeBeamSection(1, 50, 40);
  ASSERT_EQ(rc.Elements.size(), 8u + 2 + 3 + 1);
  ExpectLine(rc.Elements[13], {45.6, 33.2}, {54.4, 33.2}, t);
}

// Legs at Left + i (Right - Left) / (m + 1) - 15 real mm, whatever the
// symbol size: with 4 legs, 45.6 + 8.8 i / 3 - 0.6.
TEST_F(RcSectionsTest, StirrupLegsKeepTheirFixedShift) {
  FirstData3.RcHoopLegsX = 4;
  RcSectionDefaults.RcSymbolSize = 60;
  FirstData3.RcBarCount1 = 0;
  FirstData3.RcBarCount2 = 0;
  FirstData3.RcWebBars = 0;
  TRCDanmenobj rc(25.0);
  rc.MakeBeamSection(1, 50, 40);
  ASSERT_EQ(rc.Elements.size(), 10u);
  ExpectLine(rc.Elements[8], {45.6 + 8.8 / 3 - 0.6, 50.4}, {45.6 + 8.8 / 3 - 0.6, 29.6}, 1e-9);
  ExpectLine(rc.Elements[9], {45.6 + 17.6 / 3 - 0.6, 50.4}, {45.6 + 17.6 / 3 - 0.6, 29.6}, 1e-9);
}

TEST_F(RcSectionsTest, AttributesOfEveryPartComeFromTheSettings) {
  RcSectionDefaults.RcOutlineColour = 2;
  RcSectionDefaults.RcOutlineLineType = 3;
  RcSectionDefaults.RcHoopColour = 4;
  RcSectionDefaults.RcHoopLineType = 5;
  RcSectionDefaults.RcBarColour = 6;
  RcSectionDefaults.RcBarLineType = 7;
  RcSectionDefaults.RcSymbolColour = 8;
  RcSectionDefaults.RcSymbolLineType = 9;
  FirstData3.RcHoopLegsX = 3;
  TRCDanmenobj rc(25.0);
  rc.MakeBeamSection(1, 50, 40);
  const auto& e = rc.Elements;
  // Outline, stirrup, 4 bars, 2 x 3 web circles, tie, leg.
  ASSERT_EQ(e.size(), 20u);
  auto expect = [&](std::size_t from, std::size_t to, int colour, int type) {
    for (std::size_t i = from; i < to; ++i) {
      EXPECT_EQ(int{e[i].ColorNo}, colour) << i;
      EXPECT_EQ(int{e[i].LineType}, type) << i;
    }
  };
  expect(0, 4, 2, 3);
  expect(4, 8, 4, 5);
  expect(8, 18, 8, 9);
  expect(18, 19, 6, 7);
  expect(19, 20, 4, 5);
  ExpectLine(e[19], {45.6 + 4.4 - 0.6, 50.4}, {45.6 + 4.4 - 0.6, 29.6}, 1e-9);
}

TEST_F(RcSectionsTest, AWebBarOtherThanD10MovesByHalfTheLargeSymbol) {
  FirstData3.RcWebBar = "D13";
  FirstData3.RcBarCount1 = 0;
  FirstData3.RcBarCount2 = 0;
  FirstData3.RcWebBars = 4;  // two rows, 20.8 / 3 apart
  TRCDanmenobj rc(25.0);
  rc.MakeBeamSection(1, 50, 40);
  const auto& e = rc.Elements;
  ASSERT_EQ(e.size(), 8u + 2 * 5);
  const double y1 = 50.4 - 20.8 / 3;
  const double y2 = 50.4 - 2 * 20.8 / 3;
  ExpectSymbol(e, 8, {46.2, y1}, {{'/', 0.6}, {'\\', 0.6}}, 1e-9);
  ExpectSymbol(e, 10, {53.8, y1}, {{'/', 0.6}, {'\\', 0.6}}, 1e-9);
  ExpectLine(e[12], {45.6, y1 + 0.6}, {54.4, y1 + 0.6}, 1e-9);
  ExpectLine(e[17], {45.6, y2 + 0.6}, {54.4, y2 + 0.6}, 1e-9);
}

TEST_F(RcSectionsTest, PositionsAppendAndOtherPositionsDoNothing) {
  TRCDanmenobj rc(25.0);
  rc.MakeBeamSection(1, 50, 40);
  ASSERT_EQ(rc.Elements.size(), 19u);
  // Position 2 with its counts all 0: outline, stirrup and web bars.
  rc.MakeBeamSection(2, 80, 40);
  ASSERT_EQ(rc.Elements.size(), 19u + 15);
  EXPECT_EQ(rc.Count, 33);
  EXPECT_EQ(rc.CentreX, 80.0);
  ExpectLine(rc.Elements[19], {74, 52}, {86, 52}, 1e-9);
  for (std::uint8_t p : {0, 4, 255}) {
    rc.MakeBeamSection(p, 0, 0);
    rc.MakeColumnSection(p == 4 ? 3 : p, 0, 0);
    rc.MakeCircularSection(p == 4 ? 3 : p, 0, 0);
  }
  EXPECT_EQ(rc.Elements.size(), 34u);
  EXPECT_EQ(rc.CentreX, 80.0);
  // Position 1 starts anew.
  rc.MakeBeamSection(1, 50, 40);
  EXPECT_EQ(rc.Elements.size(), 19u);
  EXPECT_EQ(rc.Count, 18);
}

// Column at scale 25: 3 bars per face, corners shared, so 8 bars; 3 legs
// each way, one inner leg each way shifted by 0.6.
TEST_F(RcSectionsTest, ColumnBarsShareTheirCornersAndHoopLegsRunBothWays) {
  FirstData3.RcBarCount1 = 3;  // side faces
  FirstData3.RcBarCount2 = 3;  // top and bottom faces
  FirstData3.RcHoopLegsX = 3;
  FirstData3.RcHoopLegsY = 3;
  TRCDanmenobj rc(25.0);
  rc.MakeColumnSection(1, 50, 40);
  const auto& e = rc.Elements;
  ASSERT_EQ(e.size(), 8u + 8 + 2);
  const Pt bars[] = {{46.2, 49.8}, {50, 49.8},   {53.8, 49.8}, {46.2, 30.2},
                     {50, 30.2},   {53.8, 30.2}, {46.2, 40},   {53.8, 40}};
  for (int i = 0; i < 8; ++i) ExpectArc(e[8 + i], bars[i], 0.6, 0, 0, 0, 1e-9);
  ExpectLine(e[16], {49.4, 50.4}, {49.4, 29.6}, 1e-9);
  ExpectLine(e[17], {45.6, 39.4}, {54.4, 39.4}, 1e-9);

  // Position 2 reads counts 3 (sides) and 4 (top and bottom); a single bar
  // per face sits at the left end, side counts of 1 or 2 give no side bars.
  FirstData3.RcBarCount3 = 2;
  FirstData3.RcBarCount4 = 1;
  FirstData3.RcHoopLegsX = 2;
  FirstData3.RcHoopLegsY = 2;
  rc.MakeColumnSection(2, 80, 40);
  ASSERT_EQ(rc.Elements.size(), 18u + 8 + 2);
  ExpectArc(rc.Elements[26], {76.2, 49.8}, 0.6, 0, 0, 0, 1e-9);
  ExpectArc(rc.Elements[27], {76.2, 30.2}, 0.6, 0, 0, 0, 1e-9);
}

// Scale 10, diameter 600: outline radius 30, hoop (600 - 200) / 20 = 20,
// bars on 20 - 1.5 = 18.5 at i x 360 / n.
TEST_F(RcSectionsTest, PileBarsLieOnTheirCircle) {
  FirstData3.RcWidth = 600;
  FirstData3.RcBarCount1 = 6;
  FirstData3.RcBarCount2 = 4;
  TRCDanmenobj rc(10.0);
  rc.MakeCircularSection(1, 100, 50);
  const auto& e = rc.Elements;
  ASSERT_EQ(e.size(), 8u);
  ExpectArc(e[0], {100, 50}, 30, 0, 0, 0, 1e-9);
  ExpectArc(e[1], {100, 50}, 20, 0, 0, 0, 1e-9);
  for (int i = 0; i < 6; ++i) {
    const double a = i * M_PI / 3;
    ExpectArc(e[2 + i], {100 + 18.5 * std::cos(a), 50 + 18.5 * std::sin(a)}, 1.5, 0, 0, 0, 1e-9);
  }
  rc.MakeCircularSection(2, 200, 50);
  ASSERT_EQ(rc.Elements.size(), 8u + 6);
  ExpectArc(rc.Elements[9], {200, 50}, 20, 0, 0, 0, 1e-9);
  const Pt quarter[] = {{218.5, 50}, {200, 68.5}, {181.5, 50}, {200, 31.5}};
  for (int i = 0; i < 4; ++i) ExpectArc(rc.Elements[10 + i], quarter[i], 1.5, 0, 0, 0, 1e-9);

  FirstData3.RcBarCount1 = 0;
  rc.MakeCircularSection(1, 0, 0);
  EXPECT_EQ(rc.Elements.size(), 2u);
}

TEST_F(RcSectionsTest, OutOfRangeBarCountsReadAsZero) {
  EXPECT_EQ(RcBarCount(0), 0);
  EXPECT_EQ(RcBarCount(13), 0);
  FirstData3.RcBarCount12 = 7;
  EXPECT_EQ(RcBarCount(12), 7);
  EXPECT_EQ(RcBarCount(1), 2);
}

}  // namespace
