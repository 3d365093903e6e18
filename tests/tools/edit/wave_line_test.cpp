// Wave lines: sine vertices against the closed form, and the coil spans and
// connectors by hand for both coil styles, another group scale and a turned
// segment.

#include "tools/edit/wave_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr double kPi = std::numbers::pi;

void ExpectLine(const RDrawElement& e, double x1, double y1, double x2, double y2, double tol = 1e-9) {
  EXPECT_EQ(e.Kind, kKindLine);
  EXPECT_NEAR(e.X1, x1, tol);
  EXPECT_NEAR(e.Y1, y1, tol);
  EXPECT_NEAR(e.X2, x2, tol);
  EXPECT_NEAR(e.Y2, y2, tol);
}

void ExpectArc(const RDrawElement& e, double cx, double cy, double r, float startDeg, float endDeg, float rotation) {
  EXPECT_EQ(e.Kind, kKindArc);
  EXPECT_NEAR(e.X1, cx, 1e-9);
  EXPECT_NEAR(e.Y1, cy, 1e-9);
  EXPECT_NEAR(e.Radius, r, 1e-9);
  EXPECT_EQ(float{e.Ratio}, 1.0f);
  EXPECT_EQ(float{e.StartAngle}, startDeg);
  EXPECT_EQ(float{e.EndAngle}, endDeg);
  EXPECT_NEAR(e.Rotation, rotation, 1e-4);
}

TEST(WaveLine, SineVerticesFollowTheSineTurnedWithTheSegment) {
  SettingsGuard guard;
  ToolDefaults.WaveStyle = 0;
  struct Case {
    const char* name;
    double length, directionDeg;
    std::size_t lines;
  };
  const Case cases[] = {
      // Two periods of 8 lines; the 16th is cut from 75 to 78.00001.
      {"horizontal, 78", 78, 0, 16},
      // After two periods s = 80 = L: a third period, its first line cut to
      // 80.00001 and the other seven of zero length.
      {"horizontal, 80", 80, 0, 24},
      {"turned by 30 degrees", 78, 30, 16},
      {"downwards", 50, 270, 16},
  };
  const double x0 = 3, y0 = -2, height = 10, wavelength = 40;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const double a = c.directionDeg * kPi / 180;
    const double ca = c.directionDeg == 270 ? 0 : std::cos(a), sa = std::sin(a);
    TSinLineobj tool;
    tool.BuildWave(8, x0, y0, x0 + c.length * ca, y0 + c.length * sa, height, wavelength, 1);
    ASSERT_EQ(tool.Elements.size(), c.lines);
    double s = 0, y = 0;
    for (std::size_t i = 0; i < c.lines; ++i) {
      SCOPED_TRACE(i);
      const double u = std::min(s + 5, c.length + 1e-5);
      const double next = height / 2 * std::sin(2 * kPi * u / wavelength);
      ExpectLine(tool.Elements[i], x0 + s * ca - y * sa, y0 + s * sa + y * ca, x0 + u * ca - next * sa,
                 y0 + u * sa + next * ca, 1e-6);
      EXPECT_EQ(tool.Elements[i].LineType, 1);
      EXPECT_EQ(tool.Elements[i].Layer, 1);
      s = u;
      y = next;
    }
  }
  // The crest and the crossing by hand.
  TSinLineobj tool;
  tool.BuildWave(8, 0, 0, 78, 0, height, wavelength, 1);
  EXPECT_NEAR(tool.Elements[1].X2, 10, 1e-9);
  EXPECT_NEAR(tool.Elements[1].Y2, 5, 1e-9);
  EXPECT_NEAR(tool.Elements[3].X2, 20, 1e-9);
  EXPECT_NEAR(tool.Elements[3].Y2, 0, 1e-9);
  EXPECT_NEAR(tool.Elements[15].X1, 75, 1e-9);
  EXPECT_NEAR(tool.Elements[15].X2, 78.00001, 1e-9);
}

TEST(WaveLine, SineWithoutHeightWavelengthOrCountKeepsTheElements) {
  SettingsGuard guard;
  ToolDefaults.WaveStyle = 0;
  struct Case {
    const char* name;
    int count;
    double height, wavelength;
  };
  const Case cases[] = {
      {"height 0", 8, 0, 40},
      {"wavelength 0", 8, 10, 40 * 0},
      {"negative wavelength", 8, 10, -40},
      {"tiny wavelength", 8, 10, 9e-6},
      {"count 0", 0, 10, 40},
      {"negative count", -3, 10, 40},
      {"infinite height", 8, INFINITY, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSinLineobj tool;
    tool.Elements.push_back(ZeroElement());
    tool.BuildWave(c.count, 0, 0, 50, 0, c.height, c.wavelength, 1);
    EXPECT_EQ(tool.Elements.size(), 1u);
  }
}

TEST(WaveLine, CoilOfHalfCirclesWithTheBuiltInSizes) {
  SettingsGuard guard;  // style 1; height 50, loop 20, advance 10
  TSinLineobj tool;
  tool.BuildWave(8, 0, 0, 80, 0, 0, 0, 1);
  // Loops at e = 25 - 10 = 15: upper spans 0-20, 30-50, 60-80, lower
  // 15-35, 45-65 (the first advance 10 plus (20 - 10) / 2).
  ASSERT_EQ(tool.Elements.size(), 10u);
  ExpectArc(tool.Elements[0], 10, 15, 10, 0, 180, 0);
  ExpectLine(tool.Elements[1], 20, 15, 15, -15);
  ExpectArc(tool.Elements[2], 25, -15, 10, 180, 0, 0);
  ExpectLine(tool.Elements[3], 30, 15, 35, -15);
  ExpectArc(tool.Elements[4], 40, 15, 10, 0, 180, 0);
  ExpectLine(tool.Elements[5], 50, 15, 45, -15);
  ExpectArc(tool.Elements[6], 55, -15, 10, 180, 0, 0);
  ExpectLine(tool.Elements[7], 60, 15, 65, -15);
  ExpectArc(tool.Elements[8], 70, 15, 10, 0, 180, 0);
  ExpectLine(tool.Elements[9], 80, 15, 75, -15);
  EXPECT_EQ(tool.Elements[0].LineType, 1);
  EXPECT_EQ(tool.Elements[0].Group, 1);
}

TEST(WaveLine, CoilOfFlatStrokes) {
  SettingsGuard guard;
  ToolDefaults.WaveStyle = 2;
  TSinLineobj tool;
  tool.BuildWave(8, 0, 0, 50, 0, 0, 0, 1);
  // Rows at +-25; each stroke from the right end of its span to the left.
  ASSERT_EQ(tool.Elements.size(), 6u);
  ExpectLine(tool.Elements[0], 20, 25, 0, 25);
  ExpectLine(tool.Elements[1], 20, 25, 15, -25);
  ExpectLine(tool.Elements[2], 35, -25, 15, -25);
  ExpectLine(tool.Elements[3], 30, 25, 35, -25);
  ExpectLine(tool.Elements[4], 50, 25, 30, 25);
  ExpectLine(tool.Elements[5], 50, 25, 45, -25);
}

TEST(WaveLine, GroupScaleTwoHalvesThePattern) {
  SettingsGuard guard;
  TSinLineobj tool;
  tool.BuildWave(8, 0, 0, 40, 0, 0, 0, 2);
  // Height 25, loop 10, advance 5: e = 7.5, first lower start 5 + 2.5.
  ASSERT_EQ(tool.Elements.size(), 10u);
  ExpectArc(tool.Elements[0], 5, 7.5, 5, 0, 180, 0);
  ExpectLine(tool.Elements[1], 10, 7.5, 7.5, -7.5);
  ExpectArc(tool.Elements[2], 12.5, -7.5, 5, 180, 0, 0);
  ExpectLine(tool.Elements[3], 15, 7.5, 17.5, -7.5);
  ExpectArc(tool.Elements[8], 35, 7.5, 5, 0, 180, 0);
  ExpectLine(tool.Elements[9], 40, 7.5, 37.5, -7.5);
}

TEST(WaveLine, TurnedSegmentTurnsThePointsAndTheArcs) {
  SettingsGuard guard;
  TSinLineobj tool;
  tool.BuildWave(8, 1, 2, 1, 82, 0, 0, 1);  // upwards, L = 80
  ASSERT_EQ(tool.Elements.size(), 10u);
  // (x, y) in the segment's frame lands at (1 - y, 2 + x).
  ExpectArc(tool.Elements[0], 1 - 15, 2 + 10, 10, 0, 180, 90);
  ExpectLine(tool.Elements[1], 1 - 15, 2 + 20, 1 + 15, 2 + 15);
  ExpectArc(tool.Elements[2], 1 + 15, 2 + 25, 10, 180, 0, 90);
  ExpectLine(tool.Elements[9], 1 - 15, 2 + 80, 1 + 15, 2 + 75);
}

TEST(WaveLine, SettingsThatBuildNothingKeepTheElements) {
  struct Case {
    const char* name;
    std::uint8_t style;
    double height, loop, advance, groupScale;
  };
  const Case cases[] = {
      {"style 3", 3, 50, 20, 10, 1},          {"coil height 0", 1, 0, 20, 10, 1},
      {"loop and advance 0", 1, 50, 0, 0, 1}, {"loop and advance cancel", 2, 50, 10, -10, 1},
      {"group scale 0", 1, 50, 20, 10, 0},    {"negative group scale", 1, 50, 20, 10, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsGuard guard;
    ToolDefaults.WaveStyle = c.style;
    ToolDefaults.CoilHeight = c.height;
    ToolDefaults.CoilLoopWidth = c.loop;
    ToolDefaults.CoilAdvance = c.advance;
    TSinLineobj tool;
    tool.Elements.push_back(ZeroElement());
    tool.BuildWave(8, 0, 0, 80, 0, 10, 40, c.groupScale);
    EXPECT_EQ(tool.Elements.size(), 1u);
  }
}

TEST(WaveLine, AWaveOfMoreThanAHundredThousandPiecesIsNotBuilt) {
  SettingsGuard guard;  // coil of half circles: loop 20, advance 10
  struct Case {
    const char* name;
    std::uint8_t style;
    double length;
    std::size_t elements;  // 1: the element kept
  };
  const Case cases[] = {
      // Loops start at t = 30j (j = 0..19999) and 30j + 20 (j = 0..19998)
      // up to 600,000 - 20: 39,999 loops of two pieces.
      {"coil of 600,000", 1, 600000, 79998},
      {"coil of 1,000,000", 1, 1e6, 1},
      // Steps of 40 / 8 = 5: 80,000 pieces reach the end exactly, and the
      // round of 8 begun there adds 8 more.
      {"sine of 400,000", 0, 400000, 80008},
      {"sine of 1,000,000", 0, 1e6, 1},
      {"sine of 1e300", 0, 1e300, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ToolDefaults.WaveStyle = c.style;
    TSinLineobj tool;
    tool.Elements.push_back(ZeroElement());
    tool.BuildWave(8, 0, 0, c.length, 0, 10, 40, 1);
    EXPECT_EQ(tool.Elements.size(), c.elements);
  }
}

}  // namespace
