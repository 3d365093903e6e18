// Texts and label layout of the area tables: cut (not rounded) area values,
// length texts by the area settings, and labels placed by the text-length
// rule for every justification code, turned with the label.

#include "tools/edit/area_table_labels.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "geometry/codepage.h"
#include "support/settings_guard.h"

namespace {

constexpr double kDegAreaTableLabels = std::numbers::pi / 180.0;

RTextStyle Style(std::uint16_t width, std::uint16_t height, std::int16_t spacing) {
  RTextStyle s{};
  s.Width = width;
  s.Height = height;
  s.Spacing = spacing;
  return s;
}

TEST(AreaTableLabels, TruncateDecimals) {
  struct Case {
    int decimals;
    double value;
    double want;
  };
  const Case cases[] = {
      {2, 1.23999, 1.24},     // 123.999 + 0.01 reaches 124
      {2, 1.235, 1.23},       // cut, not rounded
      {4, 5.67898, 5.6789},   // 56789.8 is cut
      {4, 5.6789995, 5.679},  // 56789.995 + 0.01 reaches 56790
      {4, 5.678989, 5.6789},  // 56789.89 + 0.01 stays below 56790
      {0, 7.99, 7.0},         // the integer part
      {0, -7.99, -7.0},      {3, 40.0, 40.0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(TruncateDecimals(c.decimals, c.value), c.want) << c.decimals << " " << c.value;
  }
}

TEST(AreaTableLabels, LengthAndAreaTextsFollowTheSettings) {
  SettingsGuard guard;
  struct Case {
    std::uint8_t metres;
    std::uint8_t decimals;
    double scale;
    const char* length;  // of a side 12.3456 drawing units long
    const char* area;    // of the value 56.7898995
  };
  const Case cases[] = {
      {0, 0, 1.0, "12", "56.78"},                                          // area with 2 decimals, cut
      {0, 1, 1.0, "12.3", "56.789"},                                       // 3
      {0, 2, 1.0, "12.35", "56.7899"},                                     // 4: 567898.995 + 0.01 reaches 567899
      {0, 3, 1.0, "12.346", "56.78989"},                                   // 5
      {0, 7, 1.0, "12.346", "56.78989"},                                   // any other value as 3
      {1, 0, 1000.0, "12", "56.78"},                                       // metres: 12345.6 mm / 1000
      {1, 2, 1000.0, "12.35", "56.7899"}, {1, 2, 1.0, "0.01", "56.7899"},  // 0.0123456 m
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    DraftDefaults.AreaUnitMetres = c.metres;
    DraftDefaults.AreaDecimals = c.decimals;
    // A slanted side: (3, 4) to (3 + 12.3456 cos 30, 4 + 12.3456 sin 30).
    EXPECT_EQ(AreaLengthText(3, 4, 3 + 12.3456 * std::cos(30 * kDegAreaTableLabels),
                             4 + 12.3456 * std::sin(30 * kDegAreaTableLabels), c.scale),
              c.length);
    EXPECT_EQ(AreaValueText(56.7898995), c.area);
    // A length given as such (a radius) prints the same.
    EXPECT_EQ(AreaDrawingLengthText(12.3456, c.scale), c.length);
  }
  EXPECT_EQ(AreaTextValue("12.35"), 12.35);
  EXPECT_EQ(AreaTextValue("NAN"), 0.0);
}

TEST(AreaTableLabels, StyleAboveTheTableFallsBackToStyleZero) {
  std::array<RTextStyle, kTextStyleCount> styles{};
  for (int i = 0; i < kTextStyleCount; ++i) styles[static_cast<std::size_t>(i)] = Style(10 + i, 20, 0);
  EXPECT_EQ(int{AreaLabelStyle(styles, 11).Width}, 21);
  EXPECT_EQ(int{AreaLabelStyle(styles, 12).Width}, 10);
  EXPECT_EQ(int{AreaLabelStyle(styles, 255).Width}, 10);
}

// Style width 3 mm, height 4 mm, spacing 1 mm. "12.5": four single-byte
// characters of 1.5 and three spacings of 0.5: L = 7.5, H = 4.
struct JustifyCase {
  std::uint8_t code;
  double along, across;  // the given point within the box
  double baseX, baseY;   // at angle 0 from (100, 50)
};

TEST(AreaTableLabels, EveryJustificationCode) {
  const RTextStyle style = Style(30, 40, 10);
  const JustifyCase cases[] = {
      {0, 0.0, 0.0, 100.0, 50.0}, {1, 3.75, 0.0, 96.25, 50.0}, {2, 7.5, 0.0, 92.5, 50.0},   {3, 7.5, 2.0, 92.5, 48.0},
      {4, 7.5, 4.0, 92.5, 46.0},  {5, 3.75, 4.0, 96.25, 46.0}, {6, 3.75, 2.0, 96.25, 48.0}, {7, 0.0, 4.0, 100.0, 46.0},
      {8, 0.0, 2.0, 100.0, 48.0}, {9, 0.0, 0.0, 100.0, 50.0},  // not a code: as bottom left
  };
  for (const JustifyCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code));
    double x = 100.0, y = 50.0, endX = 0.0, endY = 0.0;
    PlaceAreaLabel(style, 0.0, x, y, c.code, "12.5", endY, endX);
    EXPECT_NEAR(x, c.baseX, 1e-12);
    EXPECT_NEAR(y, c.baseY, 1e-12);
    EXPECT_NEAR(endX, c.baseX + 7.5, 1e-12);
    EXPECT_NEAR(endY, c.baseY, 1e-12);
    // Turned by 90 degrees the offset (along, across) becomes (-across,
    // along), and the baseline runs upwards.
    x = 100.0, y = 50.0;
    PlaceAreaLabel(style, 90.0, x, y, c.code, "12.5", endY, endX);
    EXPECT_NEAR(x, 100.0 + c.across, 1e-12);
    EXPECT_NEAR(y, 50.0 - c.along, 1e-12);
    EXPECT_NEAR(endX, 100.0 + c.across, 1e-12);
    EXPECT_NEAR(endY, 50.0 - c.along + 7.5, 1e-12);
  }
}

TEST(AreaTableLabels, LengthOfDoubleAndSingleByteTexts) {
  const RTextStyle style = Style(30, 40, 10);
  struct Case {
    std::string text;
    double length;
  };
  const Case cases[] = {
      {J("面積"), 7.0},  // 3 + 1 (spacing after a double-byte) + 3
      {J("Ａ1"), 5.5},   // 3 + 1 + 1.5
      {J("1Ａ"), 5.0},   // 1.5 + 0.5 + 3
      {"7", 1.5},       {"", 0.0},
  };
  for (const Case& c : cases) {
    // Bottom centre at 30 degrees: the base lies L/2 back along the angle.
    double x = 10.0, y = 20.0, endX = 0.0, endY = 0.0;
    PlaceAreaLabel(style, 30.0, x, y, 1, c.text, endY, endX);
    EXPECT_NEAR(x, 10.0 - c.length / 2 * std::cos(30 * kDegAreaTableLabels), 1e-12) << c.length;
    EXPECT_NEAR(y, 20.0 - c.length / 2 * std::sin(30 * kDegAreaTableLabels), 1e-12) << c.length;
    EXPECT_NEAR(endX, 10.0 + c.length / 2 * std::cos(30 * kDegAreaTableLabels), 1e-12) << c.length;
    EXPECT_NEAR(endY, 20.0 + c.length / 2 * std::sin(30 * kDegAreaTableLabels), 1e-12) << c.length;
  }
}

}  // namespace
