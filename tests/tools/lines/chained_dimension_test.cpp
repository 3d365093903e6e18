// The chained-dimension tool's own operations: creation, points and picks,
// the style dispatch, dropping a point, and the shared geometry of
// arrowheads, leaders, diameter and radius lines.

#include "tools/lines/chained_dimension.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "dimension_replay.h"
#include "line_checks.h"
#include "support/settings_guard.h"

namespace {

constexpr double kRadChainedDimension = 3.14159265358979323846 / 180.0;

// The bytes 40 to 45 of an element.
std::array<unsigned char, 6> ScratchBytes(const RDrawElement& e) {
  std::array<unsigned char, 6> b{};
  std::memcpy(b.data(), reinterpret_cast<const unsigned char*>(&e) + 40, 6);
  return b;
}

TEST(ChainedDimension, CreateCopiesTheTextStylesAndStartsEmpty) {
  auto styles = DimensionTestStyles();
  styles[11].Width = 77;
  const TRenSunpoSenobj tool(styles);
  EXPECT_EQ(tool.PointCount, 0);
  EXPECT_EQ(tool.LastIndex, -1);
  EXPECT_EQ(int{tool.TextStyles[11].Width}, 77);
  EXPECT_EQ(int{tool.TextStyles[0].Height}, 30);
  EXPECT_TRUE(tool.Elements.empty());
  EXPECT_TRUE(tool.Texts.empty());
  EXPECT_TRUE(tool.Picks.empty());
  EXPECT_EQ(tool.EndX, 0);
  EXPECT_EQ(tool.EndY, 0);
}

TEST(ChainedDimension, AddPointKeepsTheReservedEntriesAndThePicks) {
  TRenSunpoSenobj tool(DimensionTestStyles());
  tool.AddPoint(1, 1, 5, 6, PickedCircle(1, 2, 3));
  tool.AddPoint(0, 0, 7, 8, ZeroElement());
  EXPECT_EQ(tool.PointCount, 2);
  ASSERT_EQ(tool.PointX.size(), 3u);
  ASSERT_EQ(tool.Picks.size(), 3u);
  EXPECT_EQ(tool.PointX[0], 0);
  EXPECT_EQ(tool.PointY[0], 0);
  EXPECT_EQ(tool.PointX[1], 5);
  EXPECT_EQ(tool.PointY[2], 8);
  EXPECT_EQ(int{tool.Picks[1].PointKind}, 1);
  EXPECT_EQ(int{tool.Picks[1].Found}, 1);
  EXPECT_EQ(double{tool.Picks[1].Element.Radius}, 3);
  EXPECT_EQ(int{tool.Picks[2].PointKind}, 0);
  EXPECT_EQ(int{tool.Picks[2].Found}, 0);
  EXPECT_TRUE(tool.Elements.empty());
  EXPECT_TRUE(tool.Texts.empty());
}

TEST(ChainedDimension, ThePickCopyClearsTheScratchOfLinesAndTextsOnly) {
  TRenSunpoSenobj tool(DimensionTestStyles());
  RDrawElement line = LineElement(0, 0, 10, 0);
  line.Zero40 = 1;
  line.LineTag = 0x9000;
  line.ScratchWord = 0x1234;
  line.ScratchByte = 5;
  line.Unused46 = 6;
  RDrawElement text = ZeroElement();
  text.Kind = kKindText;
  text.TextAngle = 30;
  text.TextIndex = 4;
  text.TextStyle = 3;
  const RDrawElement ellipse = PickedCircle(50, 40, 10, 0.5f, 37.3f);
  tool.AddPoint(1, 1, 0, 0, line);
  tool.AddPoint(1, 1, 0, 0, text);
  tool.AddPoint(1, 1, 0, 0, ellipse);
  const std::array<unsigned char, 6> zero{};
  EXPECT_EQ(ScratchBytes(tool.Picks[1].Element), zero);
  EXPECT_EQ(int{tool.Picks[1].Element.Unused46}, 6);
  EXPECT_EQ(double{tool.Picks[1].Element.X2}, 10);
  EXPECT_EQ(ScratchBytes(tool.Picks[2].Element), zero);
  EXPECT_EQ(int{tool.Picks[2].Element.TextStyle}, 3);
  // An arc keeps its end angle and its whole rotation.
  EXPECT_EQ(float{tool.Picks[3].Element.Rotation}, 37.3f);
  EXPECT_EQ(std::memcmp(&tool.Picks[3].Element, &ellipse, sizeof ellipse), 0);
}

TEST(ChainedDimension, UpdatesThatChangeNothing) {
  SettingsGuard guard;
  DraftDefaults.ChainDimensionStyle = 4;
  DimensionReplay replay;
  const RDrawElement circle = PickedCircle(50, 40, 10);
  replay.Click(60, 40, &circle);
  replay.Move(50, 60);
  TRenSunpoSenobj& tool = replay.Tool();
  ASSERT_EQ(tool.Elements.size(), 4u);
  const std::vector<RDrawElement> before = tool.Elements;
  const std::vector<std::string> texts = tool.Texts;
  auto expectUnchanged = [&](const char* what) {
    SCOPED_TRACE(what);
    ASSERT_EQ(tool.Elements.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      EXPECT_EQ(std::memcmp(&tool.Elements[i], &before[i], sizeof before[i]), 0) << i;
    }
    EXPECT_EQ(tool.Texts, texts);
  };
  // A style above the last is stored with the scale and builds nothing.
  DraftDefaults.ChainDimensionStyle = 13;
  tool.Update(80, 40, 0, 0, 0, 50);
  expectUnchanged("style 13");
  EXPECT_EQ(int{tool.Style}, 13);
  EXPECT_EQ(tool.GroupScale, 50);
  DraftDefaults.ChainDimensionStyle = 255;
  tool.Update(80, 40, 0, 0, 0, 100);
  expectUnchanged("style 255");
  // A style that builds only from two points.
  DraftDefaults.ChainDimensionStyle = 11;
  tool.Update(80, 40, 0, 0, 0, 100);
  expectUnchanged("style 11 with one point");
  DraftDefaults.ChainDimensionStyle = 4;
  // The cursor on the last point.
  tool.Update(60.00005, 40, 0, 0, 0, 100);
  expectUnchanged("cursor within 0.0001 of the point");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  tool.Update(nan, 40, 0, 0, 0, 100);
  tool.Update(80, inf, 0, 0, 0, 100);
  tool.Update(80, 40, 0, 0, 0, nan);
  expectUnchanged("values that are not finite");
  EXPECT_EQ(tool.GroupScale, 100);
  // No point: after a reset the update has nothing to measure from.
  tool.Reset();
  tool.Update(80, 40, 0, 0, 0, 100);
  expectUnchanged("no point");
}

TEST(ChainedDimension, DropLastPointWithOnePointResetsAndKeepsThePreview) {
  SettingsGuard guard;
  DraftDefaults.ChainDimensionStyle = 5;
  DimensionReplay replay;
  const RDrawElement circle = PickedCircle(50, 40, 10);
  replay.Click(60, 40, &circle);
  replay.Move(50, 70);
  replay.Finish();
  TRenSunpoSenobj& tool = replay.Tool();
  EXPECT_EQ(tool.PointCount, 0);
  EXPECT_TRUE(tool.PointX.empty());
  EXPECT_TRUE(tool.Picks.empty());
  ASSERT_EQ(tool.Elements.size(), 4u);
  ExpectLineElement(tool.Elements[0], {50, 40, 50, 50});
  ASSERT_EQ(tool.Texts.size(), 1u);
  EXPECT_EQ(tool.Texts[0], "1,000");
}

TEST(ChainedDimension, NormalizeAngleWrapsOneStep) {
  EXPECT_EQ(TRenSunpoSenobj::NormalizeAngle(360), 0);
  EXPECT_EQ(TRenSunpoSenobj::NormalizeAngle(725), 365);
  EXPECT_EQ(TRenSunpoSenobj::NormalizeAngle(-10), 350);
  EXPECT_EQ(TRenSunpoSenobj::NormalizeAngle(-400), -40);
  EXPECT_EQ(TRenSunpoSenobj::NormalizeAngle(0), 0);
  EXPECT_EQ(TRenSunpoSenobj::NormalizeAngle(359.5), 359.5);
}

// A stroke end at the angle and 1.5 (the default arrow length) from (x, y).
RPoint2D StrokeEnd(double x, double y, double angle) {
  return {x + 1.5 * std::cos(angle * kRadChainedDimension), y + 1.5 * std::sin(angle * kRadChainedDimension)};
}

void ExpectPoint(const RPoint2D& got, const RPoint2D& want) {
  EXPECT_NEAR(got.x, want.x, 1e-9);
  EXPECT_NEAR(got.y, want.y, 1e-9);
}

// Two heads: the first two stroke ends from (x1, y1), the last two from
// (x2, y2), at the given directions.
void ExpectHeads(const RPoint2D (&got)[4], double x1, double y1, double x2, double y2, const double (&angles)[4]) {
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    ExpectPoint(got[i], StrokeEnd(i < 2 ? x1 : x2, i < 2 ? y1 : y2, angles[i]));
  }
}

TEST(ChainedDimension, ArrowheadAtLineEndPointsAwayFromTheSecondPoint) {
  SettingsGuard guard;
  // DimEndMark 0 (the default) does not switch this head off.
  RDrawElement side1 = ZeroElement(), side2 = ZeroElement();
  TRenSunpoSenobj::ArrowheadAtLineEnd(LineElement(10, 20, 10, 30), side1, side2);
  const RPoint2D e1 = StrokeEnd(10, 20, 105), e2 = StrokeEnd(10, 20, 75);
  ExpectLineElement(side1, {10, 20, e1.x, e1.y});
  ExpectLineElement(side2, {10, 20, e2.x, e2.y});
}

TEST(ChainedDimension, LineArrowheadsPointOutwardAtBothEnds) {
  SettingsGuard guard;
  const RPoint2D unset{-1, -1};
  RPoint2D p[4] = {unset, unset, unset, unset};
  auto heads = [&p] { TRenSunpoSenobj::LineArrowheads(0, 0, 10, 0, 180, p[0], p[1], p[2], p[3]); };
  // Off by default: the ends stay as they were.
  heads();
  ExpectPoint(p[0], unset);
  ExpectPoint(p[3], unset);
  DimensionDefaults.DimEndMark = 1;
  DimensionDefaults.ArrowLength = 0;
  heads();
  ExpectPoint(p[0], unset);
  DimensionDefaults.ArrowLength = 1.5f;
  // A at the origin, B at (10, 0): the direction from B to A is 180.
  heads();
  ExpectHeads(p, 0, 0, 10, 0, {15, 345, 195, 165});
}

TEST(ChainedDimension, ArcArrowheadsLieAlongTheArcsTangents) {
  SettingsGuard guard;
  DimensionDefaults.DimEndMark = 1;
  // The arc from 0 to 90 degrees of the circle about (50, 40) with radius
  // 20: the tangent into the arc is 90 at the start and 0 at the end.
  RPoint2D p[4];
  TRenSunpoSenobj::ArcArrowheads(70, 40, 0, 50, 60, 90, p[0], p[1], p[2], p[3]);
  ExpectHeads(p, 70, 40, 50, 60, {105, 75, 15, 345});
}

TEST(ChainedDimension, RadialLeaderRunsFromTheLeaderCircleBeyondTheDimensionCircle) {
  SettingsGuard guard;
  DimensionDefaults.DimExtensionOvershoot = 1.5f;
  RDrawElement leader = ZeroElement(), measure = ZeroElement();
  leader.ColorNo = 7;
  // The cursor at (53, 44): 3-4-5 from the centre, so the direction's cosine
  // is 0.6 and its sine 0.8.
  TRenSunpoSenobj::RadialLeader(PickedCircle(50, 40, 12), PickedCircle(50, 40, 20), 53, 44, leader, measure);
  ExpectLineElement(leader, {57.2, 49.6, 62.9, 57.2});   // P at 12, Q at 20 + 1.5
  ExpectLineElement(measure, {57.2, 49.6, 62.0, 56.0});  // R at 20
  EXPECT_EQ(int{leader.ColorNo}, 7);                     // only the kind and the points
}

TEST(ChainedDimension, DiameterAndRadiusLinesFollowTheCursor) {
  double theta = 0;
  const RDrawElement circle = PickedCircle(50, 40, 10);
  ExpectLineElement(TRenSunpoSenobj::DiameterLine(circle, 53, 44, theta), {56, 48, 44, 32});
  EXPECT_NEAR(theta, std::atan2(4.0, 3.0) / kRadChainedDimension, 1e-9);
  ExpectLineElement(TRenSunpoSenobj::RadiusLine(circle, 50, 30, theta), {50, 40, 50, 30});
  EXPECT_EQ(theta, 270);
  // An ellipse with semi-axes 10 and 5 turned 37.3 degrees, the cursor at 80
  // degrees: r = ab / sqrt((b cos phi)^2 + (a sin phi)^2), phi = 80 - 37.3.
  const RDrawElement ellipse = PickedCircle(50, 40, 10, 0.5f, 37.3f);
  const double phi = (80 - double{37.3f}) * kRadChainedDimension;
  const double r = 50 / std::hypot(5 * std::cos(phi), 10 * std::sin(phi));
  const double ux = std::cos(80 * kRadChainedDimension), uy = std::sin(80 * kRadChainedDimension);
  ExpectLineElement(TRenSunpoSenobj::DiameterLine(ellipse, 50 + ux, 40 + uy, theta),
                    {50 + r * ux, 40 + r * uy, 50 - r * ux, 40 - r * uy}, 1e-6);
  ExpectLineElement(TRenSunpoSenobj::RadiusLine(ellipse, 50 + ux, 40 + uy, theta), {50, 40, 50 + r * ux, 40 + r * uy},
                    1e-6);
}

}  // namespace
