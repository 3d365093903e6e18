// The dimension tool: value texts, chained and running steps between two
// guide lines, and single dimensions.

#include "tools/lines/dimension_tool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iomanip>
#include <string>
#include <vector>

#include "dimension_replay.h"
#include "support/settings_guard.h"

namespace {

constexpr double kRadDimensionTool = 3.14159265358979323846 / 180.0;
constexpr std::uint8_t kL = 7;  // line colour
constexpr std::uint8_t kM = 3;  // mark colour
constexpr std::uint8_t kS = 2;  // text style
// A text of two single-byte characters in the test styles: 2 × 1.0 + 0.5.
constexpr double kTwoDigits = 2.5;

TSunpoobj MakeTool(double g1x1, double g1y1, double g1x2, double g1y2, double g2x1, double g2y1, double g2x2,
                   double g2y2, double angle = 0.0, double scale = 1.0) {
  const auto styles = DimensionTestStyles();
  return TSunpoobj(g1x1, g1y1, g1x2, g1y2, g2x1, g2y1, g2x2, g2y2, angle, scale, styles, kL, kM, kS);
}

struct Expected {
  std::uint8_t kind;
  std::uint8_t colour;
  double x1, y1, x2, y2;
  std::string text = "";
  double angle = 0.0;
};

void ExpectRecords(const std::vector<RSundata>& got, std::size_t from, const std::vector<Expected>& want) {
  ASSERT_EQ(got.size() - from, want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("record " + std::to_string(from + i));
    const RSundata& r = got[from + i];
    const Expected& e = want[i];
    EXPECT_EQ(r.Kind, e.kind);
    EXPECT_EQ(r.Colour, e.colour);
    EXPECT_NEAR(r.X1, e.x1, 1e-9);
    EXPECT_NEAR(r.Y1, e.y1, 1e-9);
    EXPECT_NEAR(r.X2, e.x2, 1e-9);
    EXPECT_NEAR(r.Y2, e.y2, 1e-9);
    EXPECT_EQ(r.Text, e.text);
    EXPECT_NEAR(r.Angle, e.angle, 1e-9);
  }
}

TEST(DimensionTool, ValueTextFollowsItsOwnDecimalRule) {
  struct Case {
    const char* what;
    std::function<void()> set;
    double scale;
    double length;
    std::string text;
  } cases[] = {
      {"defaults: separators, no decimals", [] {}, 1, 1234.4, "1,234"},
      {"no separators", [] { DimensionDefaults.DimThousandsSeparator = 0; }, 1, 1234.4, "1234"},
      {"group scale 100", [] {}, 100, 25, "2,500"},
      {"decimals 0 means two, stripped", [] { DimensionDefaults.DimDecimalsOn = 1; }, 1, 12.5, "12.5"},
      {"a whole value loses the point", [] { DimensionDefaults.DimDecimalsOn = 1; }, 1, 12, "12"},
      {"the strip stops at the point", [] { DimensionDefaults.DimDecimalsOn = 1; }, 1, 100, "100"},
      {"two decimals kept when they count", [] { DimensionDefaults.DimDecimalsOn = 1; }, 1, 1234.25, "1,234.25"},
      {"one decimal",
       [] {
         DimensionDefaults.DimDecimalsOn = 1;
         DimensionDefaults.DimDecimals = 1;
       },
       1, 0.25, "0.3"},
      {"two decimals unstripped",
       [] {
         DimensionDefaults.DimDecimalsOn = 1;
         DimensionDefaults.DimDecimals = 2;
       },
       1, 12, "12.00"},
      {"three decimals",
       [] {
         DimensionDefaults.DimDecimalsOn = 1;
         DimensionDefaults.DimDecimals = 3;
       },
       1, 1.23456, "1.235"},
      {"any other count gives four",
       [] {
         DimensionDefaults.DimDecimalsOn = 1;
         DimensionDefaults.DimDecimals = 9;
       },
       1, 1.23456, "1.2346"},
      {"decimals set but off", [] { DimensionDefaults.DimDecimals = 3; }, 1, 1.6, "2"},
      {"metres with two decimals",
       [] {
         DimensionDefaults.DimInMetres = 1;
         DimensionDefaults.DimDecimalsOn = 1;
         DimensionDefaults.DimDecimals = 2;
       },
       1, 2500, "2.50"},
      {"metres stripped",
       [] {
         DimensionDefaults.DimInMetres = 1;
         DimensionDefaults.DimDecimalsOn = 1;
       },
       1, 2500, "2.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsGuard guard;
    c.set();
    const TSunpoobj tool = MakeTool(0, 0, 1, 0, 0, 1, 1, 1, 0, c.scale);
    EXPECT_EQ(tool.ValueText(3, 4, 3 + c.length, 4), c.text);
  }
}

// Guide line 1 through the origin at angle a, guide line 2 parallel to it
// 10 to its left; a local point (u, v) lies at u along a and v across.
struct Frame {
  double a;
  RPoint2D At(double u, double v) const {
    const double c = std::cos(a * kRadDimensionTool), s = std::sin(a * kRadDimensionTool);
    return {u * c - v * s, u * s + v * c};
  }
  TSunpoobj Tool() const {
    const RPoint2D g1 = At(100, 0), g2a = At(0, 10), g2b = At(100, 10);
    return MakeTool(0, 0, g1.x, g1.y, g2a.x, g2a.y, g2b.x, g2b.y, a);
  }
  Expected Line(std::uint8_t colour, RPoint2D p, RPoint2D q) const { return {kSunLine, colour, p.x, p.y, q.x, q.y}; }
  Expected Tick(RPoint2D b, double angle, double length = 1.5) const {
    return {kSunLine,
            kM,
            b.x,
            b.y,
            b.x + length * std::cos(angle * kRadDimensionTool),
            b.y + length * std::sin(angle * kRadDimensionTool)};
  }
  // Centred on the midpoint of (u1, 10) and (u2, 10), raised by the gap 0.5.
  Expected Centred(double u1, double u2, const std::string& text) const {
    const double mid = (u1 + u2) / 2;
    const RPoint2D p = At(mid - kTwoDigits / 2, 10.5), q = At(mid + kTwoDigits / 2, 10.5);
    return {kSunText, kS, p.x, p.y, q.x, q.y, text, a};
  }
};

TEST(DimensionTool, ChainOfThreePointsWithMarks) {
  for (double a : {0.0, 30.0}) {
    SCOPED_TRACE(a);
    SettingsGuard guard;
    DimensionDefaults.DimExtensionOvershoot = 2;
    const Frame f{a};
    TSunpoobj tool = f.Tool();
    const RPoint2D p1 = f.At(0, 5), p2 = f.At(30, 5), p3 = f.At(70, -3);
    tool.AddChainPoint(p1.x, p1.y);
    EXPECT_EQ(tool.FirstPointFlag, 1);
    EXPECT_EQ(tool.PointCount, 1);
    // F1 on guide 1, F2 on guide 2, F3 the overshoot 2 beyond it.
    ExpectRecords(tool.Records, 0, {{kSunSeparator, 0, 0, 0, 0, 0}, f.Line(kL, f.At(0, 0), f.At(0, 12))});
    tool.AddChainPoint(p2.x, p2.y);
    EXPECT_EQ(tool.FirstPointFlag, 0);
    ExpectRecords(tool.Records, 2,
                  {{kSunMark, kM, f.At(0, 10).x, f.At(0, 10).y, 0, 0},
                   f.Line(kL, f.At(0, 10), f.At(30, 10)),
                   f.Line(kL, f.At(30, 0), f.At(30, 12)),
                   {kSunMark, kM, f.At(30, 10).x, f.At(30, 10).y, 0, 0},
                   f.Centred(0, 30, "30")});
    EXPECT_EQ(tool.LastStepStart(), 1u);
    tool.AddChainPoint(p3.x, p3.y);
    EXPECT_EQ(tool.PointCount, 3);
    // The committed step: everything after the second separator.
    ASSERT_EQ(tool.LastStepStart(), 8u);
    ExpectRecords(tool.Records, 7,
                  {{kSunSeparator, 0, 0, 0, 0, 0},
                   f.Line(kL, f.At(30, 10), f.At(70, 10)),
                   f.Line(kL, f.At(70, 0), f.At(70, 12)),
                   {kSunMark, kM, f.At(70, 10).x, f.At(70, 10).y, 0, 0},
                   f.Centred(30, 70, "40")});
  }
}

TEST(DimensionTool, AStyleNumberBeyondTheTableMeasuresWithStyleZero) {
  SettingsGuard guard;
  const Frame f{0.0};
  TSunpoobj tool = f.Tool();
  tool.TextStyle = kTextStyleCount;  // 12: one past the last style
  tool.AddChainPoint(0, 5);
  tool.AddChainPoint(30, 5);
  // Style 0 of the test styles is as wide as the others: the text "30" is
  // 2.5 long, centred on 15 and raised by the gap 0.5; it keeps its number.
  const RSundata& text = tool.Records.back();
  EXPECT_EQ(text.Kind, kSunText);
  EXPECT_EQ(text.Colour, kTextStyleCount);
  EXPECT_NEAR(text.X1, 15 - kTwoDigits / 2, 1e-9);
  EXPECT_NEAR(text.X2, 15 + kTwoDigits / 2, 1e-9);
  EXPECT_NEAR(text.Y1, 10.5, 1e-9);
}

TEST(DimensionTool, ChainWithArrowheadsAndOffsetExtensionLines) {
  for (double a : {0.0, 30.0}) {
    SCOPED_TRACE(a);
    SettingsGuard guard;
    DimensionDefaults.DimEndMark = 1;
    ToolDefaults.ChainOffsetOn = 1;  // extension lines start 5 from the point
    const Frame f{a};
    TSunpoobj tool = f.Tool();
    for (double u : {0.0, 30.0, 70.0}) {
      const RPoint2D p = f.At(u, -20);
      tool.AddChainPoint(p.x, p.y);
    }
    // Ticks 1.5 long at 15 degrees: T1, T2 at the previous foot along the
    // segment, T3, T4 at the new foot back along it.
    ExpectRecords(tool.Records, 0,
                  {{kSunSeparator, 0, 0, 0, 0, 0},
                   f.Line(kL, f.At(0, -15), f.At(0, 10)),
                   f.Tick(f.At(0, 10), a + 15),
                   f.Tick(f.At(0, 10), a - 15),
                   f.Line(kL, f.At(0, 10), f.At(30, 10)),
                   f.Line(kL, f.At(30, -15), f.At(30, 10)),
                   f.Tick(f.At(30, 10), a + 165),
                   f.Tick(f.At(30, 10), a + 195),
                   f.Centred(0, 30, "30"),
                   {kSunSeparator, 0, 0, 0, 0, 0},
                   f.Line(kL, f.At(30, 10), f.At(70, 10)),
                   f.Line(kL, f.At(70, -15), f.At(70, 10)),
                   f.Tick(f.At(30, 10), a + 15),
                   f.Tick(f.At(30, 10), a - 15),
                   f.Tick(f.At(70, 10), a + 165),
                   f.Tick(f.At(70, 10), a + 195),
                   f.Centred(30, 70, "40")});
  }
}

TEST(DimensionTool, ArrowheadsOfNoLengthSitOnTheirBasePoints) {
  SettingsGuard guard;
  DimensionDefaults.DimEndMark = 1;
  DimensionDefaults.ArrowLength = 0;
  const Frame f{0};
  TSunpoobj tool = f.Tool();
  tool.AddChainPoint(0, 5);
  tool.AddChainPoint(30, 5);
  for (std::size_t i : {2u, 3u}) EXPECT_EQ(tool.Records[i].X2, 0.0);
  for (std::size_t i : {6u, 7u}) {
    EXPECT_EQ(tool.Records[i].X1, 30.0);
    EXPECT_EQ(tool.Records[i].X2, 30.0);
    EXPECT_EQ(tool.Records[i].Y2, 10.0);
  }
}

TEST(DimensionTool, RunningTotalsStandBeyondTheFoot) {
  SettingsGuard guard;
  ToolDefaults.ChainAutoOption = 1;
  DimensionDefaults.DimExtensionOvershoot = 2;
  const Frame f{0};
  TSunpoobj tool = f.Tool();
  for (double u : {0.0, 30.0, 70.0}) tool.AddChainPoint(u, 5);
  // The texts read upwards along the extension lines, the gap 0.5 past F2.
  ExpectRecords(tool.Records, 0,
                {{kSunSeparator, 0, 0, 0, 0, 0},
                 f.Line(kL, {0, 0}, {0, 12}),
                 {kSunMark, kM, 0, 10, 0, 0},
                 f.Line(kL, {0, 10}, {30, 10}),
                 f.Line(kL, {30, 0}, {30, 12}),
                 f.Tick({30, 10}, 165),
                 f.Tick({30, 10}, 195),
                 {kSunText, kS, 30, 10.5, 30, 13, "30", 90},
                 {kSunSeparator, 0, 0, 0, 0, 0},
                 f.Line(kL, {30, 10}, {70, 10}),
                 f.Line(kL, {70, 0}, {70, 12}),
                 f.Tick({70, 10}, 165),
                 f.Tick({70, 10}, 195),
                 {kSunText, kS, 70, 10.5, 70, 13, "70", 90}});
}

TEST(DimensionTool, RunningTextPointingDownIsTurned) {
  SettingsGuard guard;
  ToolDefaults.ChainAutoOption = 1;
  // Guide line 1 above guide line 2: the extension lines run at 270.
  TSunpoobj tool = MakeTool(0, 20, 100, 20, 0, 10, 100, 10);
  tool.AddChainPoint(0, 15);
  tool.AddChainPoint(70, 15);
  // Turned to 90 and moved back by the gap and its width: it ends 0.5
  // short of F2.
  ExpectRecords(tool.Records, tool.Records.size() - 1, {{kSunText, kS, 70, 7, 70, 9.5, "70", 90}});
}

// A running text along its extension line is turned round when the line
// points more than 135 and at most 315 degrees: it reads left to right or
// upwards. With guide lines of no length the extension line has no
// direction and the text takes the tool's text angle, given exactly here.
// The second point (30, 40) is 50 from the first: the text "50", 2.5 wide.
// Kept, it starts the gap 0.5 along the angle from (30, 40); turned, its
// angle is 180 less and it starts 0.5 + 2.5 back along the new angle.
TEST(DimensionTool, RunningTextTurnsAbove135UpTo315Degrees) {
  SettingsGuard guard;
  ToolDefaults.ChainAutoOption = 1;
  DimensionDefaults.DimTextGap = 0.5f;
  constexpr double kHalfRoot2 = 0.70710678118654752;
  struct Case {
    double angle;
    double textAngle;  // as stored
    double x1, y1;     // where the text starts
  } cases[] = {
      // 135 stays: (30, 40) + 0.5 (-1, 1) / sqrt 2.
      {135.0, 135.0, 30 - 0.5 * kHalfRoot2, 40 + 0.5 * kHalfRoot2},
      // A millionth of a degree either side: closed forms of the two rules.
      {134.999999, 134.999999, 30 + 0.5 * std::cos(134.999999 * kRadDimensionTool),
       40 + 0.5 * std::sin(134.999999 * kRadDimensionTool)},
      {135.000001, 315.000001, 30 - 3 * std::cos(315.000001 * kRadDimensionTool),
       40 - 3 * std::sin(315.000001 * kRadDimensionTool)},
      // 315 turns to 135: (30, 40) - 3 (-1, 1) / sqrt 2.
      {315.0, 135.0, 30 + 3 * kHalfRoot2, 40 - 3 * kHalfRoot2},
      {315.000001, 315.000001, 30 + 0.5 * std::cos(315.000001 * kRadDimensionTool),
       40 + 0.5 * std::sin(315.000001 * kRadDimensionTool)},
      // 180 turns to 0, kept as 360 by the one-step wrap: 3 back along x.
      {180.0, 360.0, 27.0, 40.0},
      {0.0, 0.0, 30.5, 40.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::setprecision(12) << c.angle);
    TSunpoobj tool = MakeTool(5, 5, 5, 5, 5, 5, 5, 5, c.angle);
    tool.AddChainPoint(0, 0);
    tool.AddChainPoint(30, 40);
    const RSundata& r = tool.Records.back();
    ASSERT_EQ(r.Kind, kSunText);
    EXPECT_EQ(r.Text, "50");
    EXPECT_NEAR(r.Angle, c.textAngle, 1e-9);
    EXPECT_NEAR(r.X1, c.x1, 1e-9);
    EXPECT_NEAR(r.Y1, c.y1, 1e-9);
    EXPECT_NEAR(r.X2, c.x1 + kTwoDigits * std::cos(c.textAngle * kRadDimensionTool), 1e-9);
    EXPECT_NEAR(r.Y2, c.y1 + kTwoDigits * std::sin(c.textAngle * kRadDimensionTool), 1e-9);
  }
}

TEST(DimensionTool, RunningModeOneKeepsOnlyTheTexts) {
  SettingsGuard guard;
  ToolDefaults.ChainAutoOption = 1;
  ToolDefaults.ChainAutoMode = 1;
  const Frame f{0};
  TSunpoobj tool = f.Tool();
  for (double u : {0.0, 30.0, 70.0}) tool.AddChainPoint(u, 5);
  const Expected zeroL{kSunLine, kL, 0, 0, 0, 0}, zeroM{kSunLine, kM, 0, 0, 0, 0};
  const Expected sep{kSunSeparator, 0, 0, 0, 0, 0};
  ExpectRecords(tool.Records, 0,
                {sep,
                 zeroL,
                 zeroL,
                 zeroL,
                 zeroL,
                 zeroM,
                 zeroM,
                 {kSunText, kS, 30, 10.5, 30, 13, "30", 90},
                 sep,
                 zeroL,
                 zeroL,
                 zeroM,
                 zeroM,
                 {kSunText, kS, 70, 10.5, 70, 13, "70", 90}});
}

TEST(DimensionTool, RestartDropsTheOldChain) {
  const Frame f{0};
  TSunpoobj tool = f.Tool();
  tool.AddChainPoint(0, 5);
  tool.AddChainPoint(30, 5);
  tool.RestartChain(50, 5);
  EXPECT_EQ(tool.PointCount, 1);
  EXPECT_EQ(tool.FirstPointFlag, 1);
  EXPECT_EQ(tool.ChainStartX, 50.0);
  ExpectRecords(tool.Records, 0, {{kSunSeparator, 0, 0, 0, 0, 0}, f.Line(kL, {50, 0}, {50, 10})});
}

TEST(DimensionTool, GuideLineOfNoLengthTakesThePointItself) {
  TSunpoobj tool = MakeTool(5, 5, 5, 5, 5, 5, 5, 5);
  tool.AddChainPoint(3, 4);
  EXPECT_EQ(tool.PreviousX, 3.0);
  EXPECT_EQ(tool.PreviousY, 4.0);
  ExpectRecords(tool.Records, 1, {{kSunLine, kL, 3, 4, 3, 4}});
}

TEST(DimensionTool, SingleDimensions) {
  // P1 (0, 0) to P2 (30, 40): length 50 at the angle whose cosine is 0.6.
  // The text's base: mid (15, 20) back 1.25 along (0.6, 0.8) and up 0.5
  // along (-0.8, 0.6).
  const double a = std::atan2(40.0, 30.0) / kRadDimensionTool;
  const Expected text{kSunText, kS, 13.85, 19.3, 15.35, 21.3, "50", a};
  const Expected sep{kSunSeparator, 0, 0, 0, 0, 0};
  auto tick = [&](double x, double y, double angle, std::uint8_t colour) {
    return Expected{kSunLine,
                    colour,
                    x,
                    y,
                    x + 1.5 * std::cos(angle * kRadDimensionTool),
                    y + 1.5 * std::sin(angle * kRadDimensionTool)};
  };
  struct Case {
    const char* what;
    std::uint8_t line, ends;
    std::vector<Expected> want;
  } cases[] = {
      {"defaults: the text only", 0, 0, {sep, text}},
      {"line and end marks",
       1,
       0,
       {sep, {kSunLine, kL, 0, 0, 30, 40}, {kSunMark, kM, 0, 0, 0, 0}, {kSunMark, kM, 30, 40, 0, 0}, text}},
      {"line and arrowheads in the line colour",
       1,
       1,
       {sep,
        {kSunLine, kL, 0, 0, 30, 40},
        tick(0, 0, a + 15, kL),
        tick(0, 0, a - 15, kL),
        tick(30, 40, a + 165, kL),
        tick(30, 40, a + 195, kL),
        text}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsGuard guard;
    DraftDefaults.SingleDimMark = c.line;
    DimensionDefaults.DimEndMark = c.ends;
    TSunpoobj tool = MakeTool(0, 0, 1, 0, 0, 1, 1, 1, 77.0);
    tool.AddSingleDimension(0, 0, 30, 40);
    EXPECT_NEAR(tool.TextAngle, a, 1e-12);
    ExpectRecords(tool.Records, 0, c.want);
  }
}

}  // namespace
