// Arrowheads: sides, back, notch, setback and reversal.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "figures/sections/figure_checks.h"
#include "figures/sections/section_generator.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

double Rad(double deg) { return deg * M_PI / 180.0; }

class ArrowheadsTest : public ::testing::Test {
 protected:
  SettingsGuard guard_;
  std::array<RTextStyle, kTextStyleCount> styles_ = TestStyles();
  TBuzaidanmenobj fig_{styles_, 100.0};
};

TEST_F(ArrowheadsTest, OpenArrowheadAtAngleZero) {
  fig_.OffsetX = 5;
  fig_.OffsetY = 5;
  fig_.Texts = {"kept"};
  fig_.Generate(110, 10, 20, 3, 15, 0, 0, 0, 0, 0);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 2u);
  // 3 * cos 15 = 2.89778, 3 * sin 15 = 0.77646.
  ExpectLine(e[0], {10, 20}, {10 - 2.8978, 20 - 0.7765}, 1e-4);
  ExpectLine(e[1], {10, 20}, {10 - 2.8978, 20 + 0.7765}, 1e-4);
  for (const RDrawElement& line : e) {
    EXPECT_EQ(int{line.LineType}, 0);
    EXPECT_EQ(int{line.ColorNo}, 0);
    EXPECT_EQ(int{line.LineTag}, 0);
  }
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {0, 0});
  EXPECT_EQ(fig_.Texts, std::vector<std::string>{"kept"});
}

// The sides of a turned arrow: each D1 long, at D2 to the backward axis,
// one on each side of it.
TEST_F(ArrowheadsTest, SidesKeepTheirLengthAndHalfAngleWhenTurned) {
  const double angle = 30, d1 = 4, d2 = 25;
  fig_.Generate(111, 1, 2, d1, d2, 0, 0, 0, 0, angle);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 3u);
  const Pt back{-std::cos(Rad(angle)), -std::sin(Rad(angle))};
  double crossSigns = 1;
  for (int i = 0; i < 2; ++i) {
    ExpectPoint(First(e[i]), {1, 2}, 1e-12);
    const Pt v{e[i].X2 - 1, e[i].Y2 - 2};
    EXPECT_NEAR(std::hypot(v.x, v.y), d1, 1e-12);
    EXPECT_NEAR((v.x * back.x + v.y * back.y) / d1, std::cos(Rad(d2)), 1e-12);
    crossSigns *= back.x * v.y - back.y * v.x;
  }
  EXPECT_LT(crossSigns, 0.0);
  // The back line joins the two side ends.
  ExpectLine(e[2], Second(e[0]), Second(e[1]), 1e-12);
}

TEST_F(ArrowheadsTest, TheNotchLiesOnTheAxisBetweenTipAndBack) {
  fig_.Generate(112, 0, 0, 3, 15, 0, 0, 0, 0, 0);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 4u);
  ExpectPoint(First(e[2]), Second(e[0]), 1e-12);
  ExpectPoint(First(e[3]), Second(e[1]), 1e-12);
  const Pt q = Second(e[2]);
  ExpectPoint(Second(e[3]), q, 1e-12);
  // From (-3 cos 15, -3 sin 15) at 80 degrees to the axis:
  // x = -3 cos 15 + 3 sin 15 / tan 80.
  EXPECT_NEAR(q.y, 0.0, 1e-12);
  EXPECT_NEAR(q.x, -3 * std::cos(Rad(15)) + 3 * std::sin(Rad(15)) / std::tan(Rad(80)), 1e-12);
  EXPECT_LT(q.x, 0.0);
  EXPECT_GT(q.x, -3 * std::cos(Rad(15)));
}

TEST_F(ArrowheadsTest, TheSetbackMovesTheTipBehindTheBasePoint) {
  fig_.Generate(110, 10, 20, 3, 15, 1, 0, 0, 0, 0);
  ExpectPoint(First(fig_.Elements[0]), {9, 20}, 1e-12);
  ExpectPoint(Second(fig_.Elements[0]), {9 - 3 * std::cos(Rad(15)), 20 - 3 * std::sin(Rad(15))}, 1e-12);
  fig_.Generate(110, 10, 20, 3, 15, 1, 0, 0, 0, 90);
  ExpectPoint(First(fig_.Elements[1]), {10, 19}, 1e-12);
}

TEST_F(ArrowheadsTest, TheOptionReversesTheArrow) {
  ToolDefaults.ArrowheadOption = 1;
  fig_.Generate(110, 0, 0, 2, 20, 1, 0, 0, 0, 30);
  EXPECT_EQ(fig_.Angle, 210.0);
  const auto& e = fig_.Elements;
  // Pointing along 210: the tip 1 behind, towards 30; the sides run back
  // along 30 +- 20.
  const Pt tip{std::cos(Rad(30)), std::sin(Rad(30))};
  ExpectPoint(First(e[0]), tip, 1e-12);
  ExpectPoint(Second(e[0]), {tip.x + 2 * std::cos(Rad(50)), tip.y + 2 * std::sin(Rad(50))}, 1e-12);
  ExpectPoint(Second(e[1]), {tip.x + 2 * std::cos(Rad(10)), tip.y + 2 * std::sin(Rad(10))}, 1e-12);
}

}  // namespace
