// Label frames: polygons, ellipses, bars, ticks and the bracket.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "figures/sections/figure_checks.h"
#include "figures/sections/rc_sections.h"
#include "geometry/angles_points.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

class LabelFramesTest : public ::testing::Test {
 protected:
  SettingsGuard guard_;
  TRCDanmenobj rc_{100.0};
};

void ExpectFrameAttributesZero(const std::vector<RDrawElement>& elements) {
  for (const RDrawElement& e : elements) {
    EXPECT_EQ(int{e.ColorNo}, 0);
    EXPECT_EQ(int{e.LineType}, 0);
    EXPECT_EQ(int{e.Group}, 0);
    EXPECT_EQ(int{e.Layer}, 0);
  }
}

// n sides closing on themselves, every vertex on the circle of radius r, the
// first side the bottom one: level at Y - r cos(180 / n), centred on X.
TEST_F(LabelFramesTest, PolygonVerticesLieOnTheCircleWithTheBottomSideLevel) {
  const double r = 5.0;
  FirstData5.LabelSymbolHeight = 2 * r;
  for (std::uint8_t n = 3; n <= 8; ++n) {
    SCOPED_TRACE(int{n});
    FirstData5.LabelFrameShape = n;
    rc_.MakeLabelFrame(1, 10, 20);
    const auto& e = rc_.Elements;
    ASSERT_EQ(e.size(), std::size_t{n});
    EXPECT_EQ(rc_.Count, n - 1);
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_EQ(int{e[i].Kind}, int{kKindLine});
      EXPECT_NEAR(PointDistance(e[i].X1, e[i].Y1, 10, 20), r, 1e-9);
      ExpectPoint(Second(e[i]), First(e[(i + 1) % n]), 1e-12);
    }
    const double half = M_PI / n;
    ExpectLine(e[0], {10 - r * std::sin(half), 20 - r * std::cos(half)},
               {10 + r * std::sin(half), 20 - r * std::cos(half)}, 1e-9);
    ExpectFrameAttributesZero(e);
  }
}

TEST_F(LabelFramesTest, ShapeNineStandsOnACornerAndShapesOneAndTwoDegenerate) {
  FirstData5.LabelFrameShape = 9;
  rc_.MakeLabelFrame(1, 10, 20);
  ASSERT_EQ(rc_.Elements.size(), 4u);
  // Corners at 270, 0, 90 and 180 degrees, radius 4, exactly.
  const Pt corners[] = {{10, 16}, {14, 20}, {10, 24}, {6, 20}};
  for (int i = 0; i < 4; ++i) ExpectLine(rc_.Elements[i], corners[i], corners[(i + 1) % 4], 0.0);

  FirstData5.LabelFrameShape = 2;
  rc_.MakeLabelFrame(1, 10, 20);
  ASSERT_EQ(rc_.Elements.size(), 2u);
  ExpectLine(rc_.Elements[0], {6, 20}, {14, 20}, 1e-12);
  ExpectLine(rc_.Elements[1], {14, 20}, {6, 20}, 1e-12);

  FirstData5.LabelFrameShape = 1;
  rc_.MakeLabelFrame(1, 10, 20);
  ASSERT_EQ(rc_.Elements.size(), 1u);
  ExpectLine(rc_.Elements[0], {10, 24}, {10, 24}, 1e-12);
}

// Width 10, height 8: a = 5, b = r = 4; tick lengths 3 and 2: t1 = 1.5,
// t2 = 1. Lines after the polygon (or before the ellipse), by frame kind
// and shape.
TEST_F(LabelFramesTest, EveryFrameKindAndShapeAgainstTheDistanceTable) {
  FirstData5.LabelSymbolWidth = 10;
  FirstData5.LabelSymbolHeight = 8;
  FirstData5.LabelTickLength1 = 3;
  FirstData5.LabelTickLength2 = 2;
  const double X = 10, Y = 20;
  struct Seg {
    Pt a, b;
  };
  // Four ticks at side distance s, bottom distance d, top distance u.
  auto ticks = [&](double s, double d, double u) {
    return std::vector<Seg>{{{X - s - 1, Y}, {X - s + 1, Y}},
                            {{X + s - 1, Y}, {X + s + 1, Y}},
                            {{X, Y - d - 1.5}, {X, Y - d + 1}},
                            {{X, Y + u - 1}, {X, Y + u + 1}}};
  };
  auto bar = [&](double half) { return std::vector<Seg>{{{X - half, Y}, {X + half, Y}}}; };
  auto bars = [&](double half) {
    return std::vector<Seg>{{{X - half, Y + 4.0 / 3}, {X + half, Y + 4.0 / 3}},
                            {{X - half, Y - 4.0 / 3}, {X + half, Y - 4.0 / 3}}};
  };
  const struct {
    std::uint8_t kind, shape;
    int sides;  // polygon sides first; -1: the ellipse comes last
    std::vector<Seg> lines;
  } cases[] = {
      {0, 0, -1, bar(4.5)},
      {1, 0, -1, {}},
      {2, 0, -1, ticks(5, 4, 4)},
      {4, 0, -1, bars(4.5)},
      {0, 3, 3, bar(0.5193 * 4)},
      {0, 6, 6, bar(0.9 * 4)},
      {0, 9, 4, bar(0.6363 * 4)},
      {0, 12, 12, bar(4)},
      {1, 7, 7, {}},
      {2, 3, 3, ticks(0.577 * 4, 0.5 * 4, 4)},
      {2, 4, 4, ticks(0.707 * 4, 0.707 * 4, 0.707 * 4)},
      {2, 5, 5, ticks(0.851 * 4, 0.809 * 4, 4)},
      {2, 6, 6, ticks(4, 0.866 * 4, 0.866 * 4)},
      {2, 7, 7, ticks(0.924 * 4, 0.901 * 4, 4)},
      {2, 8, 8, ticks(0.924 * 4, 0.924 * 4, 0.924 * 4)},
      {2, 9, 4, ticks(4, 4, 4)},
      {2, 10, 10, ticks(4, 4, 4)},
      {4, 4, 4, bars(0.54 * 4)},
      {4, 5, 5, bars(0.72 * 4)},
      {4, 8, 8, bars(0.81 * 4)},
      {4, 9, 4, bars(0.54 * 4)},
      {4, 2, 2, bars(4)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind) + " shape " + std::to_string(c.shape));
    FirstData5.LabelFrameShape = c.shape;
    rc_.MakeLabelFrame(c.kind, X, Y);
    const auto& e = rc_.Elements;
    const std::size_t first = c.sides < 0 ? 0 : c.sides;
    ASSERT_EQ(e.size(), first + c.lines.size() + (c.sides < 0 ? 1 : 0));
    for (std::size_t i = 0; i < c.lines.size(); ++i) ExpectLine(e[first + i], c.lines[i].a, c.lines[i].b, 1e-9);
    if (c.sides < 0) {
      const RDrawElement& el = e.back();
      EXPECT_EQ(int{el.Kind}, int{kKindArc});
      ExpectPoint(First(el), {X, Y});
      EXPECT_EQ(double{el.Radius}, 5.0);
      EXPECT_EQ(float{el.Ratio}, 0.8f);
      EXPECT_EQ(float{el.StartAngle}, 0.0f);
      EXPECT_EQ(float{el.EndAngle}, 0.0f);
      EXPECT_EQ(float{el.Rotation}, 0.0f);
    } else {
      for (int i = 0; i < c.sides; ++i) EXPECT_NEAR(PointDistance(e[i].X1, e[i].Y1, X, Y), 4.0, 1e-9);
    }
    ExpectFrameAttributesZero(e);
  }
}

TEST_F(LabelFramesTest, DefaultsGiveABarInACircle) {
  rc_.MakeLabelFrame(0, 0, 0);
  ASSERT_EQ(rc_.Elements.size(), 2u);
  ExpectLine(rc_.Elements[0], {-3.6, 0}, {3.6, 0}, 1e-12);
  ExpectArc(rc_.Elements[1], {0, 0}, 4, 0, 0);
  EXPECT_EQ(int{rc_.Elements[1].ColorNo}, 0);
}

// The bracket: a bar a wide (5 x 2 / 2) with legs b deep, whatever the shape.
TEST_F(LabelFramesTest, TheBracketIgnoresTheShape) {
  FirstData5.LabelSymbolWidth = 10;
  for (std::uint8_t shape : {0, 6, 9}) {
    FirstData5.LabelFrameShape = shape;
    rc_.MakeLabelFrame(3, 10, 20);
    ASSERT_EQ(rc_.Elements.size(), 3u);
    ExpectLine(rc_.Elements[0], {7.5, 20}, {12.5, 20});
    ExpectLine(rc_.Elements[1], {7.5, 20}, {7.5, 16});
    ExpectLine(rc_.Elements[2], {12.5, 20}, {12.5, 16});
    ExpectFrameAttributesZero(rc_.Elements);
  }
}

TEST_F(LabelFramesTest, KindFiveAndAboveLeaveTheArrayEmpty) {
  for (std::uint8_t kind : {5, 6, 255}) {
    rc_.MakeLabelFrame(0, 0, 0);
    ASSERT_FALSE(rc_.Elements.empty());
    rc_.MakeLabelFrame(kind, 0, 0);
    EXPECT_TRUE(rc_.Elements.empty());
    EXPECT_EQ(rc_.Count, -1);
  }
}

TEST_F(LabelFramesTest, AFrameOfNoWidthKeepsAFiniteAxisRatio) {
  FirstData5.LabelSymbolWidth = 0;
  rc_.MakeLabelFrame(1, 0, 0);
  ASSERT_EQ(rc_.Elements.size(), 1u);
  EXPECT_TRUE(std::isfinite(float{rc_.Elements[0].Ratio}));
  EXPECT_EQ(double{rc_.Elements[0].Radius}, 0.0);
}

}  // namespace
