// Repeated profiles: the count, the bars and ticks, the boxes and the guards.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "figures/sections/figure_checks.h"
#include "figures/sections/section_generator.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

class RepeatedProfilesTest : public ::testing::Test {
 protected:
  SettingsGuard guard_;
  std::array<RTextStyle, kTextStyleCount> styles_ = TestStyles();
  TBuzaidanmenobj fig_{styles_, 100.0};
};

TEST_F(RepeatedProfilesTest, TheCountRoundsUpAllButAHair) {
  // c = trunc(D5 * 1000 / D1 + 0.9999); kind 21 has c + 2 lines.
  const struct {
    double d5, d1;
    std::size_t c;
  } cases[] = {
      {4.0, 1000, 4},      // 4.9999
      {4.001, 1000, 5},    // 5.0009
      {3.0002, 1000, 4},   // 4.0001
      {3.00005, 1000, 3},  // 3.99995
      {2.0, 500, 4},       // 4.9999
      {0.0001, 1000, 1},   // 1.0999
  };
  for (const auto& c : cases) {
    fig_.Generate(21, 0, 0, c.d1, 10, 5, 0, c.d5, 0, 0);
    EXPECT_EQ(fig_.Elements.size(), c.c + 2) << c.d5 << " / " << c.d1;
  }
}

TEST_F(RepeatedProfilesTest, BarsBetweenRails) {
  // c = 4, pitch 10, height 6; code 4 puts the base point at the middle of
  // the rails' span, 3 above the bottom rail.
  fig_.Generate(21, 100, 100, 1000, 10, 6, 0, 4, 0, 0);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 6u);
  for (int i = 0; i < 4; ++i) ExpectLine(e[i], {85.0 + 10 * i, 97}, {85.0 + 10 * i, 103});
  ExpectLine(e[4], {85, 97}, {115, 97});
  ExpectLine(e[5], {85, 103}, {115, 103});
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {-15, -3});
}

TEST_F(RepeatedProfilesTest, BarsWithAMiddleGap) {
  // c = 4, pitch 10, gap 25: bars at 0, 10, 35, 45; box 45 wide.
  DraftDefaults.FigureBasePoint = 2;
  fig_.Generate(22, 0, 0, 1000, 10, 6, 25, 4, 0, 0);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 6u);
  const double xs[] = {0, 10, 35, 45};
  for (int i = 0; i < 4; ++i) ExpectLine(e[i], {xs[i], 0}, {xs[i], 6});
  ExpectLine(e[4], {0, 0}, {45, 0});
  ExpectLine(e[5], {0, 6}, {45, 6});
  DraftDefaults.FigureBasePoint = 4;
  fig_.Generate(22, 0, 0, 1000, 10, 6, 25, 4, 0, 0);
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {-22.5, -3});
  // An odd count: c = 5, h = 2; bars at 0, 10, 35, 45, 55.
  DraftDefaults.FigureBasePoint = 2;
  fig_.Generate(22, 0, 0, 1000, 10, 6, 25, 5, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 7u);
  const double odd[] = {0, 10, 35, 45, 55};
  for (int i = 0; i < 5; ++i) ExpectLine(fig_.Elements[i], {odd[i], 0}, {odd[i], 6});
  ExpectLine(fig_.Elements[6], {0, 6}, {55, 6});
}

TEST_F(RepeatedProfilesTest, ADoubleBandWithTicks) {
  // c = 3, first tick 5, pitch 10, bands 2 high, 4 apart (total 8): bottom
  // ticks at 5 and 15, one top tick at 5.
  DraftDefaults.FigureBasePoint = 2;
  fig_.Texts = {"kept"};
  fig_.Generate(20, 0, 0, 1000, 10, 2, 5, 3, 4, 0);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 9u);
  ExpectLine(e[0], {0, 0}, {0, 8});
  ExpectLine(e[1], {5, 0}, {5, 2});
  ExpectLine(e[2], {5, 6}, {5, 8});
  ExpectLine(e[3], {15, 0}, {15, 2});
  ExpectLine(e[4], {0, 0}, {15, 0});
  ExpectLine(e[5], {0, 8}, {5, 8});
  ExpectLine(e[6], {5, 2}, {15, 2});
  ExpectLine(e[7], {5, 6}, {5, 6});
  ExpectLine(e[8], {5, 2}, {5, 6});
  EXPECT_EQ(fig_.Texts, std::vector<std::string>{"kept"});
  // The box is D4 wide and 2 * D3 + D6 high: code 4 gives (-2.5, -4).
  DraftDefaults.FigureBasePoint = 4;
  fig_.Generate(20, 0, 0, 1000, 10, 2, 5, 3, 4, 0);
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {-2.5, -4});
  // c = 4: the last top tick moves on to 15 as well.
  fig_.Generate(20, 0, 0, 1000, 10, 2, 5, 4, 4, 0);
  ASSERT_EQ(fig_.Elements.size(), 10u);
  ExpectLine(fig_.Elements[4], {12.5, 2}, {12.5, 4});
  ExpectLine(fig_.Elements[6], {-2.5, 4}, {12.5, 4});
}

TEST_F(RepeatedProfilesTest, TurnedAboutTheBoxCorner) {
  // Code 2, quarter turn: (x, y) lands at (-y, x).
  DraftDefaults.FigureBasePoint = 2;
  fig_.Generate(21, 0, 0, 1000, 10, 4, 0, 2, 0, 90);
  ASSERT_EQ(fig_.Elements.size(), 4u);
  ExpectLine(fig_.Elements[1], {0, 10}, {-4, 10}, 1e-12);
  ExpectLine(fig_.Elements[3], {-4, 0}, {-4, 10}, 1e-12);
}

TEST_F(RepeatedProfilesTest, CountsWithoutALastMarkBuildNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    std::uint8_t kind;
    double d1, d5;
  } cases[] = {
      {21, 1000, 0},      // c = 0
      {22, 1000, -3},     // c = -2
      {20, 1000, 0.5},    // c = 1: no top tick
      {21, 0, 4},         // no divisor
      {22, -1000, 4},     // a negative divisor
      {21, 1000, nan},    //
      {20, 1000, inf},    //
      {21, 1000, 1e300},  // beyond any count
      {22, 1, 200},       // 200000 bars
  };
  DraftDefaults.FigureBasePoint = 2;
  fig_.Generate(21, 0, 0, 1000, 10, 6, 0, 4, 0, 0);
  const std::vector<RDrawElement> before = fig_.Elements;
  for (const auto& c : cases) {
    fig_.Generate(c.kind, 7, 7, c.d1, 10, 6, 5, c.d5, 4, 0);
    ASSERT_EQ(fig_.Elements.size(), before.size()) << int{c.kind} << " " << c.d1 << " " << c.d5;
    EXPECT_EQ(std::memcmp(fig_.Elements.data(), before.data(), before.size() * sizeof(RDrawElement)), 0);
  }
  // One bar is enough for kinds 21 and 22, two ticks for kind 20.
  fig_.Generate(21, 0, 0, 1000, 10, 6, 0, 0.5, 0, 0);
  EXPECT_EQ(fig_.Elements.size(), 3u);
  fig_.Generate(20, 0, 0, 1000, 10, 6, 0, 1.5, 0, 0);
  EXPECT_EQ(fig_.Elements.size(), 8u);
}

}  // namespace
