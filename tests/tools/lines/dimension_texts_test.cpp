// The value texts of the chained-dimension tool: number forms of lengths and
// angles, text elements and their placement, arc-length and angle values.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <span>
#include <string>

#include "dimension_replay.h"
#include "geometry/codepage.h"
#include "support/settings_guard.h"
#include "tools/lines/chained_dimension.h"

namespace {

constexpr double kRadDimensionTexts = 3.14159265358979323846 / 180.0;

// A number text under settings changed from the defaults.
struct NumberCase {
  const char* what;
  std::function<void()> set;
  double value;
  std::string bytes;  // 0xDF is the half-width degree mark
};

void ExpectNumberTexts(std::span<const NumberCase> cases, std::string (*text)(double)) {
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsGuard guard;
    c.set();
    EXPECT_EQ(text(c.value), c.bytes);
  }
}

TEST(DimensionTexts, LengthTextFollowsTheDimensionSettings) {
  const NumberCase cases[] = {
      {"defaults: whole numbers with separators", [] {}, 1570.796, "1,571"},
      {"defaults: a half rounds away from zero", [] {}, 2.5, "3"},
      {"defaults: a negative half too", [] {}, -2.5, "-3"},
      {"defaults: rounding reaches a new group", [] {}, 999.5, "1,000"},
      {"defaults: millions", [] {}, 1234567.4, "1,234,567"},
      {"decimals set but off", [] { DimensionDefaults.DimDecimals = 2; }, 1234.5, "1,235"},
      {"two decimals",
       [] {
         DimensionDefaults.DimDecimals = 2;
         DimensionDefaults.DimDecimalsOn = 1;
       },
       1234.5, "1,234.50"},
      {"one decimal",
       [] {
         DimensionDefaults.DimDecimals = 1;
         DimensionDefaults.DimDecimalsOn = 1;
       },
       0.25, "0.3"},
      {"an unknown count gives three",
       [] {
         DimensionDefaults.DimDecimals = 7;
         DimensionDefaults.DimDecimalsOn = 1;
       },
       1.23456, "1.235"},
      {"without separators",
       [] {
         DimensionDefaults.DimThousandsSeparator = 0;
         DimensionDefaults.DimDecimals = 1;
         DimensionDefaults.DimDecimalsOn = 1;
       },
       12345.25, "12345.3"},
      {"metres without decimals", [] { DimensionDefaults.DimInMetres = 1; }, 1570.796, "2"},
      {"metres with two decimals",
       [] {
         DimensionDefaults.DimInMetres = 1;
         DimensionDefaults.DimDecimals = 2;
         DimensionDefaults.DimDecimalsOn = 1;
       },
       1570.796, "1.57"},
      {"only 1 means metres", [] { DimensionDefaults.DimInMetres = 2; }, 1570.796, "1,571"},
      {"zero without a sign", [] {}, -0.4, "0"},
  };
  ExpectNumberTexts(cases, TRenSunpoSenobj::LengthText);
}

TEST(DimensionTexts, AngleTextFollowsTheDimensionSettings) {
  const NumberCase cases[] = {
      {"defaults: three decimals", [] {}, 45, "45.000\xDF"},
      {"defaults: a half rounds away from zero", [] {}, 30.0005, "30.001\xDF"},
      {"no decimals", [] { DimensionDefaults.AngleTextDecimals = 0; }, 45.5, "46\xDF"},
      {"two decimals", [] { DimensionDefaults.AngleTextDecimals = 2; }, 12.345, "12.35\xDF"},
      {"an unknown count gives four", [] { DimensionDefaults.AngleTextDecimals = 9; }, 12.34567, "12.3457\xDF"},
      {"separators", [] { DimensionDefaults.AngleTextDecimals = 1; }, 1234.5, "1,234.5\xDF"},
      {"no separators",
       [] {
         DimensionDefaults.AngleTextDecimals = 1;
         DimensionDefaults.DimThousandsSeparator = 0;
       },
       1234.5, "1234.5\xDF"},
      {"degrees, minutes and seconds", [] { DimensionDefaults.AngleTextDms = 1; }, 30.5,
       "30\xDF"
       "30'0\""},
      // 10 + 17/64 degrees: 15.9375 minutes, 56.25 seconds, each cut.
      {"minutes and seconds are cut", [] { DimensionDefaults.AngleTextDms = 1; }, 10.265625,
       "10\xDF"
       "15'56\""},
      {"a negative angle signs every part", [] { DimensionDefaults.AngleTextDms = 2; }, -30.5,
       "-30\xDF"
       "-30'0\""},
      {"a whole angle", [] { DimensionDefaults.AngleTextDms = 1; }, 90,
       "90\xDF"
       "0'0\""},
  };
  ExpectNumberTexts(cases, TRenSunpoSenobj::AngleText);
}

TEST(DimensionTexts, TextWidthMeasuresWithTheToolsStyles) {
  auto styles = DimensionTestStyles();
  styles[0].Width = 40;
  const TRenSunpoSenobj tool(styles);
  EXPECT_DOUBLE_EQ(tool.TextWidth("ABCD", 3), 5.5);     // 4 * 1 + 3 * 0.5
  EXPECT_DOUBLE_EQ(tool.TextWidth(J("寸法"), 3), 5.0);  // 2 * 2 + 1 after the first
  EXPECT_DOUBLE_EQ(tool.TextWidth("", 3), 0.0);
  EXPECT_DOUBLE_EQ(tool.TextWidth("A", 12), 2.0);  // no style 12: style 0, 0.05 * 40
}

TEST(DimensionTexts, MakeTextPlacesEveryJustificationCodeOnItsBoxPoint) {
  const TRenSunpoSenobj tool(DimensionTestStyles());
  // "ABCD" is 5.5 long and 3 high; the box point that the code names lands
  // on (10, 20), the box turned 30 degrees.
  const double c = std::sqrt(3.0) / 2, s = 0.5;
  struct Case {
    int code;
    double along, across;
  };
  const Case cases[] = {
      {0, 0, 0},    {1, 2.75, 0},   {2, 5.5, 0}, {3, 5.5, 1.5}, {4, 5.5, 3},
      {5, 2.75, 3}, {6, 2.75, 1.5}, {7, 0, 3},   {8, 0, 1.5},   {9, 0, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.code);
    RDrawElement e = LineElement(1, 2, 3, 4);
    e.Layer = 5;
    tool.MakeText(e, "ABCD", 10, 20, 30, 7, static_cast<std::uint8_t>(k.code), 3, 1);
    EXPECT_EQ(int{e.Kind}, int{kKindText});
    EXPECT_EQ(int{e.LineType}, 1);
    EXPECT_EQ(int{e.ColorNo}, 1);
    EXPECT_EQ(int{e.Layer}, 0);
    EXPECT_EQ(float{e.TextAngle}, 30.0f);
    EXPECT_EQ(int{e.TextIndex}, 7);
    EXPECT_EQ(int{e.TextStyle}, 3);
    EXPECT_EQ(int{e.TextDirection}, 0);
    const double x1 = 10 - (k.along * c - k.across * s);
    const double y1 = 20 - (k.along * s + k.across * c);
    EXPECT_NEAR(double{e.X1}, x1, 1e-6);
    EXPECT_NEAR(double{e.Y1}, y1, 1e-6);
    EXPECT_NEAR(double{e.X2}, x1 + 5.5 * c, 1e-6);
    EXPECT_NEAR(double{e.Y2}, y1 + 5.5 * s, 1e-6);
  }
}

TEST(DimensionTexts, WithoutTheGapFlagTheTextStandsAboveItsPoint) {
  SettingsGuard guard;
  const TRenSunpoSenobj tool(DimensionTestStyles());
  const double c = std::sqrt(3.0) / 2, s = 0.5;
  for (const double gap : {0.5, 1.25}) {
    SCOPED_TRACE(gap);
    DimensionDefaults.DimTextGap = static_cast<float>(gap);
    RDrawElement e = ZeroElement();
    // Bottom centre: along 2.75, across the gap below the baseline.
    tool.MakeText(e, "ABCD", 10, 20, 30, 0, 1, 3, 0);
    const double x1 = 10 - (2.75 * c + gap * s);
    const double y1 = 20 - (2.75 * s - gap * c);
    EXPECT_NEAR(double{e.X1}, x1, 1e-6);
    EXPECT_NEAR(double{e.Y1}, y1, 1e-6);
    EXPECT_NEAR(double{e.X2}, x1 + 5.5 * c, 1e-6);
    EXPECT_NEAR(double{e.Y2}, y1 + 5.5 * s, 1e-6);
  }
}

TEST(DimensionTexts, AnEmptyTextStaysOnItsPoint) {
  const TRenSunpoSenobj tool(DimensionTestStyles());
  for (const std::uint8_t gap : {0, 1}) {
    RDrawElement e = ZeroElement();
    tool.MakeText(e, "", 10, 20, 30, 0, 4, 3, gap);
    EXPECT_EQ(double{e.X1}, 10);
    EXPECT_EQ(double{e.Y1}, 20);
    EXPECT_EQ(double{e.X2}, 10);
    EXPECT_EQ(double{e.Y2}, 20);
  }
}

// The measured circle about (50, 40) with radius 10, the dimension circle
// about the same centre with radius 20; measuring points lie on the latter.
RDrawElement CircleAt5040(double r) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = 50;
  e.Y1 = 40;
  e.Radius = r;
  e.Ratio = 1;
  return e;
}

RPoint2D OnDimensionCircle(double angle) {
  return {50 + 20 * std::cos(angle * kRadDimensionTexts), 40 + 20 * std::sin(angle * kRadDimensionTexts)};
}

TEST(DimensionTexts, ArcValuesRunAnticlockwiseFromThePreviousPoint) {
  TRenSunpoSenobj tool(DimensionTestStyles());
  tool.GroupScale = 100;
  const RDrawElement measured = CircleAt5040(10), dimension = CircleAt5040(20);
  struct Case {
    const char* what;
    double e, l;         // directions of the measuring points
    double mid;          // where the text stands
    const char* length;  // sweep / 360 * 2 * pi * 10 * 100
    const char* angle;
  };
  const Case cases[] = {
      {"a quarter anticlockwise", 0, 90, 45, "1,571", "90.000\xDF"},
      {"a quarter clockwise reads as three quarters", 90, 0, 225, "4,712", "270.000\xDF"},
      {"across zero", 300, 30, 345, "1,571", "90.000\xDF"},
      {"a sixth", 30, 90, 60, "1,047", "60.000\xDF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RPoint2D e = OnDimensionCircle(c.e), l = OnDimensionCircle(c.l);
    const RPoint2D text = OnDimensionCircle(c.mid);
    const double readsFromLToE = std::atan2(e.y - l.y, e.x - l.x) / kRadDimensionTexts;
    const double textAngle = readsFromLToE < 0 ? readsFromLToE + 360 : readsFromLToE;

    const RArcValueText length = tool.ArcLengthText(measured, dimension, e.x, e.y, l.x, l.y);
    EXPECT_EQ(length.Text, c.length);
    EXPECT_NEAR(length.A1, c.e, 1e-9);
    EXPECT_NEAR(length.A2, c.l, 1e-9);
    EXPECT_NEAR(length.X, text.x, 1e-9);
    EXPECT_NEAR(length.Y, text.y, 1e-9);
    EXPECT_NEAR(length.Angle, textAngle, 1e-9);

    const RArcValueText angle = tool.ArcAngleText(dimension, e.x, e.y, l.x, l.y);
    EXPECT_EQ(angle.Text, c.angle);
    EXPECT_NEAR(angle.X, text.x, 1e-9);
    EXPECT_NEAR(angle.Y, text.y, 1e-9);
    EXPECT_NEAR(angle.Angle, textAngle, 1e-9);
  }
}

}  // namespace
