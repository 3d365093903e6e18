// Styles 10 to 12 of the chained-dimension tool: arc division, apex lines
// and a text along a circle.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "dimension_replay.h"
#include "geometry/codepage.h"
#include "support/settings_guard.h"
#include "tools/lines/chained_dimension.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadArcConstructions = kPi / 180.0;

RPoint2D PolarArcConstructions(double angle, double length, RPoint2D from = {0, 0}) {
  return {from.x + length * std::cos(angle * kRadArcConstructions),
          from.y + length * std::sin(angle * kRadArcConstructions)};
}

void ExpectPointArcConstructions(double x, double y, RPoint2D want) {
  EXPECT_NEAR(x, want.x, 1e-9);
  EXPECT_NEAR(y, want.y, 1e-9);
}

// The tool driven directly: point 1 carries the pick, later points pick
// nothing.
class ArcConstructions : public ::testing::Test {
 protected:
  void Points(std::uint8_t style, std::initializer_list<RPoint2D> points, const RDrawElement* picked = nullptr) {
    DraftDefaults.ChainDimensionStyle = style;
    bool first = true;
    for (RPoint2D p : points) {
      const RDrawElement e = first && picked != nullptr ? *picked : ZeroElement();
      tool_.AddPoint(1, first && picked != nullptr ? 1 : 0, p.x, p.y, e);
      first = false;
    }
  }
  TRenSunpoSenobj& Build(double x, double y) {
    tool_.Update(x, y, 0.0, 0.0, 0.0, groupScale_);
    return tool_;
  }
  TRenSunpoSenobj& Build(RPoint2D p) { return Build(p.x, p.y); }

  SettingsGuard guard_;
  TRenSunpoSenobj tool_{DimensionTestStyles()};
  double groupScale_ = 1.0;
};

// --- style 10 -------------------------------------------------------------

constexpr RPoint2D kO{100, 50};

class ArcDivision : public ArcConstructions {
 protected:
  // Start at 0 degrees on the circle about kO, direction point at Toward.
  TRenSunpoSenobj& Divide(double radius, double toward, double cursor) {
    circle_ = PickedCircle(kO.x, kO.y, radius);
    tool_.Reset();
    Points(10,
           {PolarArcConstructions(0, radius, kO), PolarArcConstructions(0, radius, kO),
            PolarArcConstructions(toward, radius, kO)},
           &circle_);
    return Build(PolarArcConstructions(cursor, radius + 5, kO));
  }
  void ExpectPointsAt(double radius, std::initializer_list<double> angles) {
    ASSERT_EQ(tool_.Elements.size(), angles.size());
    std::size_t i = 0;
    for (double a : angles) {
      const RDrawElement& e = tool_.Elements[i++];
      EXPECT_EQ(+e.Kind, kKindPoint);
      ExpectPointArcConstructions(e.X1, e.Y1, PolarArcConstructions(a, radius, kO));
    }
  }
  RDrawElement circle_ = ZeroElement();
};

TEST_F(ArcDivision, CountModeSplitsTheAnticlockwiseSweep) {
  Divide(10, 30, 90);
  ExpectPointsAt(10, {0, 45, 90});
  EXPECT_TRUE(tool_.Texts.empty());
}

TEST_F(ArcDivision, DirectionPointAQuarterTurnOrMoreBackGoesClockwise) {
  Divide(10, 330, 270);  // the sweep is -90
  ExpectPointsAt(10, {0, -45, -90});
  Divide(10, 90, 270);  // a quarter turn on: still clockwise
  ExpectPointsAt(10, {0, -45, -90});
}

TEST_F(ArcDivision, CursorOnTheStartDirectionMakesAFullTurn) {
  ToolDefaults.Chain10Count = 4;
  Divide(10, 30, 0);
  ExpectPointsAt(10, {0, 90, 180, 270, 0});
}

TEST_F(ArcDivision, PitchModeStepsByTheAngleOfOnePitch) {
  // On a radius of 180/π one drawing unit spans one degree.
  const double r = 180.0 / kPi;
  ToolDefaults.Chain10Option = 1;
  ToolDefaults.Chain10Size = 10;
  Divide(r, 20, 35);
  ExpectPointsAt(r, {0, 10, 20, 30});
  Divide(r, 300, 325);  // clockwise, 35 degrees
  ExpectPointsAt(r, {0, -10, -20, -30});
  // The real pitch is divided by the scale: 20 real units at 1:2.
  groupScale_ = 2.0;
  ToolDefaults.Chain10Size = 20;
  Divide(r, 20, 35);
  ExpectPointsAt(r, {0, 10, 20, 30});
}

TEST_F(ArcDivision, PitchLongerThanTheSweepLeavesTheStartOnly) {
  // 100 on a radius of 10 spans about 573 degrees.
  ToolDefaults.Chain10Option = 1;
  Divide(10, 30, 350);
  ExpectPointsAt(10, {0});
}

TEST_F(ArcDivision, LineModesDrawRadiiOnATurnedEllipse) {
  // Semi-axes 20 and 10 turned 30 degrees: seen at 30 + φ from the centre
  // the ellipse lies at ab / sqrt((b cos φ)² + (a sin φ)²).
  const auto along = [](double phi) {
    const double c = std::cos(phi * kRadArcConstructions), s = std::sin(phi * kRadArcConstructions);
    return 200.0 / std::sqrt(100 * c * c + 400 * s * s);
  };
  const RDrawElement ellipse = PickedCircle(kO.x, kO.y, 20, 0.5f, 30);
  Points(10, {PolarArcConstructions(30, 20, kO), PolarArcConstructions(30, 20, kO), PolarArcConstructions(60, 5, kO)},
         &ellipse);
  ToolDefaults.Chain10Option = 2;
  Build(PolarArcConstructions(120, 3, kO));
  ASSERT_EQ(tool_.Elements.size(), 3u);
  const double angles[] = {30, 75, 120};
  for (int i = 0; i < 3; ++i) {
    const RDrawElement& e = tool_.Elements[static_cast<std::size_t>(i)];
    EXPECT_EQ(+e.Kind, kKindLine);
    ExpectPointArcConstructions(e.X1, e.Y1, kO);
    ExpectPointArcConstructions(e.X2, e.Y2, PolarArcConstructions(angles[i], along(angles[i] - 30), kO));
  }
  EXPECT_NEAR(along(90), 10.0, 1e-12);
  // Pitch with lines: one unit of arc on the major axis's radius of 20.
  ToolDefaults.Chain10Option = 3;
  ToolDefaults.Chain10Size = 2 * kPi * 20 / 360 * 40;  // 40 degrees
  Build(PolarArcConstructions(120, 3, kO));
  ASSERT_EQ(tool_.Elements.size(), 3u);
  ExpectPointArcConstructions(tool_.Elements[2].X2, tool_.Elements[2].Y2, PolarArcConstructions(110, along(80), kO));
}

TEST_F(ArcDivision, UndefinedStepsAndOtherCountsChangeNothing) {
  Divide(10, 30, 90);
  const std::vector<RDrawElement> before = tool_.Elements;
  const auto same = [&] {
    ASSERT_EQ(tool_.Elements.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      ExpectPointArcConstructions(tool_.Elements[i].X1, tool_.Elements[i].Y1, {before[i].X1, before[i].Y1});
    }
  };
  ToolDefaults.Chain10Count = 0;
  Build(PolarArcConstructions(60, 15, kO));
  same();
  ToolDefaults.Chain10Option = 1;
  ToolDefaults.Chain10Size = 0;
  Build(PolarArcConstructions(60, 15, kO));
  same();
  ToolDefaults.Chain10Size = -5;
  Build(PolarArcConstructions(60, 15, kO));
  same();
  // A circle of radius 0 gives a pitch no angle.
  ToolDefaults.Chain10Size = 10;
  const RDrawElement dot = PickedCircle(kO.x, kO.y, 0);
  TRenSunpoSenobj other(DimensionTestStyles());
  other.AddPoint(1, 1, 110, 50, dot);
  other.AddPoint(1, 0, 110, 50, ZeroElement());
  other.AddPoint(1, 0, 100, 60, ZeroElement());
  other.Elements = before;
  other.Update(90, 50, 0, 0, 0, 1.0);
  EXPECT_EQ(other.Elements.size(), before.size());
  // A fourth point, or a line picked instead of a circle: nothing either.
  tool_.AddPoint(1, 0, 0, 0, ZeroElement());
  Build(PolarArcConstructions(60, 15, kO));
  same();
}

TEST_F(ArcDivision, OnePointEmptiesTheResultAndALineBuildsNothing) {
  tool_.Elements.assign(2, ZeroElement());
  tool_.Texts = {"x"};
  const RDrawElement line = LineElement(0, 0, 10, 0);
  Points(10, {{0, 0}}, &line);
  Build(5, 5);
  EXPECT_TRUE(tool_.Elements.empty());
  EXPECT_TRUE(tool_.Texts.empty());
  EXPECT_EQ(tool_.LastIndex, -1);
  tool_.AddPoint(1, 0, 10, 0, ZeroElement());
  tool_.AddPoint(1, 0, 0, 10, ZeroElement());
  Build(-10, 0);
  EXPECT_TRUE(tool_.Elements.empty());
}

// --- style 11 -------------------------------------------------------------

// The base from (0, 0) to (10, 0).
class ApexLines : public ArcConstructions {
 protected:
  void SetUp() override {
    groupScale_ = 100.0;
    Points(11, {{0, 0}, {10, 0}});
  }
  void ExpectApex(RPoint2D apex) {
    ASSERT_EQ(tool_.Elements.size(), 2u);
    ExpectPointArcConstructions(tool_.Elements[0].X1, tool_.Elements[0].Y1, {0, 0});
    ExpectPointArcConstructions(tool_.Elements[0].X2, tool_.Elements[0].Y2, apex);
    ExpectPointArcConstructions(tool_.Elements[1].X1, tool_.Elements[1].Y1, {10, 0});
    ExpectPointArcConstructions(tool_.Elements[1].X2, tool_.Elements[1].Y2, apex);
    EXPECT_EQ(tool_.LastIndex, 1);
  }
};

TEST_F(ApexLines, NoSizesMeetAtTheCursor) {
  Build(3, 7);
  ExpectApex({3, 7});
  EXPECT_EQ(+tool_.Elements[0].Kind, kKindLine);
  EXPECT_EQ(+tool_.Elements[0].ColorNo, 0);
}

TEST_F(ApexLines, SideLengthsMeetOnTheCursorsSide) {
  // Real 600 and 800 at 1:100 over a base of 10: by the law of cosines the
  // angle at B1 has cos = (36 + 100 - 64) / 120 = 0.6, so the apex is at
  // 6 × (0.6, ±0.8).
  ToolDefaults.Chain11Size1 = 600;
  ToolDefaults.Chain11Size2 = -800;  // the size counts, not its sign
  Build(5, -10);
  ExpectApex({3.6, -4.8});
  Build(5, 10);
  ExpectApex({3.6, 4.8});
  // One side given: that far from its end towards the cursor.
  ToolDefaults.Chain11Size2 = 0;
  ToolDefaults.Chain11Size1 = 500;
  Build(6, 8);
  ExpectApex({3, 4});
  ToolDefaults.Chain11Size1 = 0;
  ToolDefaults.Chain11Size2 = 500;
  Build(10, 20);
  ExpectApex({10, 5});
}

TEST_F(ApexLines, ImpossibleTrianglesFallBackToTheCursor) {
  struct Case {
    double d1, d2;
  } cases[] = {{100, 100}, {100, 1200}, {1500, 100}};  // too short, too long, too long
  for (const Case& c : cases) {
    ToolDefaults.Chain11Size1 = c.d1;
    ToolDefaults.Chain11Size2 = c.d2;
    Build(4, 9);
    ExpectApex({4, 9});
  }
}

TEST_F(ApexLines, BaseAnglesAndSlopes) {
  ToolDefaults.Chain11Option = 1;
  ToolDefaults.Chain11Size1 = 45;
  ToolDefaults.Chain11Size2 = 45;
  Build(5, -1);
  ExpectApex({5, -5});
  // 30 and 60 degrees: a right angle at the apex, 5 from B1 along 30 degrees.
  ToolDefaults.Chain11Size1 = 30;
  ToolDefaults.Chain11Size2 = 60;
  Build(1, 1);
  ExpectApex(PolarArcConstructions(30, 10 * std::cos(30 * kRadArcConstructions)));
  // Angles summing to 180 or more meet nowhere.
  ToolDefaults.Chain11Size2 = 150;
  Build(2, 3);
  ExpectApex({2, 3});
  // Slopes of 4 per 10: atan(0.4) at both ends, so the apex rises 5 × 0.4.
  ToolDefaults.Chain11Option = 2;
  ToolDefaults.Chain11Size1 = 4;
  ToolDefaults.Chain11Size2 = 4;
  Build(5, 9);
  ExpectApex({5, 2});
  // A slope of 10 is 45 degrees.
  ToolDefaults.Chain11Size1 = 10;
  ToolDefaults.Chain11Size2 = 10;
  Build(5, -9);
  ExpectApex({5, -5});
  // A size of 0 leaves the cursor.
  ToolDefaults.Chain11Size2 = 0;
  Build(5, -9);
  ExpectApex({5, -9});
}

TEST_F(ApexLines, ApexByBaseAnglesGivesBothSidesOrNone) {
  RPoint2D a1, a2;
  TRenSunpoSenobj::ApexByBaseAngles(1, 0, 0, 10, 0, 45, 45, a1, a2);
  ExpectPointArcConstructions(a1.x, a1.y, {5, 5});
  ExpectPointArcConstructions(a2.x, a2.y, {5, -5});
  TRenSunpoSenobj::ApexByBaseAngles(1, 0, 0, 10, 0, 90, 90, a1, a2);
  ExpectPointArcConstructions(a1.x, a1.y, {0, 0});
  ExpectPointArcConstructions(a2.x, a2.y, {0, 0});
}

// Only a first candidate of exactly (0, 0) means "no apex" (the sum of the
// angles 180 or more gives it, above): one with a single coordinate 0 is an
// apex. A base angle of 90 at one end puts the apex on an axis: from (0, 0)
// down to (0, -10) with 90 and 45 the sides run along +x and at 45 degrees
// from (0, -10), meeting at (10, 0); from (-10, 0) to (0, 0) with 45 and 90
// they meet at (0, 10). The exact zero is checked first, since the case is
// about it.
TEST_F(ApexLines, AnApexWithOneZeroCoordinateIsKept) {
  ToolDefaults.Chain11Option = 1;
  struct Case {
    const char* what;
    RPoint2D b1, b2;
    double t1, t2;
    RPoint2D cursor, apex;
  } cases[] = {
      {"on the x axis", {0, 0}, {0, -10}, 90, 45, {8, 1}, {10, 0}},
      {"on the y axis", {-10, 0}, {0, 0}, 45, 90, {-1, 8}, {0, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RPoint2D a1, a2;
    TRenSunpoSenobj::ApexByBaseAngles(1, c.b1.x, c.b1.y, c.b2.x, c.b2.y, c.t1, c.t2, a1, a2);
    ASSERT_EQ(a1.x == 0.0, c.apex.x == 0.0) << a1.x;
    ASSERT_EQ(a1.y == 0.0, c.apex.y == 0.0) << a1.y;
    ToolDefaults.Chain11Size1 = c.t1;
    ToolDefaults.Chain11Size2 = c.t2;
    tool_.Reset();
    Points(11, {c.b1, c.b2});
    Build(c.cursor.x, c.cursor.y);
    ASSERT_EQ(tool_.Elements.size(), 2u);
    ExpectPointArcConstructions(tool_.Elements[0].X1, tool_.Elements[0].Y1, c.b1);
    ExpectPointArcConstructions(tool_.Elements[0].X2, tool_.Elements[0].Y2, c.apex);
    ExpectPointArcConstructions(tool_.Elements[1].X1, tool_.Elements[1].Y1, c.b2);
    ExpectPointArcConstructions(tool_.Elements[1].X2, tool_.Elements[1].Y2, c.apex);
  }
}

TEST_F(ApexLines, SecondOptionDropsTheFirstSide) {
  ToolDefaults.Chain11Option2 = 1;
  Build(3, 7);
  ASSERT_EQ(tool_.Elements.size(), 1u);
  ExpectPointArcConstructions(tool_.Elements[0].X1, tool_.Elements[0].Y1, {10, 0});
  ExpectPointArcConstructions(tool_.Elements[0].X2, tool_.Elements[0].Y2, {3, 7});
  EXPECT_EQ(tool_.LastIndex, 0);
}

TEST_F(ApexLines, PerpendicularModeDropsTheCursorOnTheBase) {
  ToolDefaults.Chain11Option = 3;
  Build(4, 6);
  ASSERT_EQ(tool_.Elements.size(), 1u);
  ExpectPointArcConstructions(tool_.Elements[0].X1, tool_.Elements[0].Y1, {4, 0});
  ExpectPointArcConstructions(tool_.Elements[0].X2, tool_.Elements[0].Y2, {4, 6});
  // Beyond the base's end the foot is on the base line extended.
  Build(-3, -2);
  ExpectPointArcConstructions(tool_.Elements[0].X1, tool_.Elements[0].Y1, {-3, 0});
}

TEST_F(ApexLines, CursorOnAnEndAndUndefinedModesChangeNothing) {
  Build(3, 7);
  Build(0, 0.00005);
  ExpectApex({3, 7});
  Build(10, 0);
  ExpectApex({3, 7});
  ToolDefaults.Chain11Option = 4;
  Build(1, 1);
  ExpectApex({3, 7});
  ToolDefaults.Chain11Option = 0;
  tool_.AddPoint(1, 0, 20, 0, ZeroElement());
  Build(1, 1);
  ExpectApex({3, 7});
}

// --- style 12 -------------------------------------------------------------

// The circle of radius 10 about the origin; the start at 0 degrees.
class TextOnArc : public ArcConstructions {
 protected:
  TRenSunpoSenobj& Lay(const std::string& text, double toward, double cursor) {
    FirstData11.Chain9Text = text;
    circle_ = PickedCircle(0, 0, 10);
    tool_.Reset();
    Points(12, {{10, 0}, {10, 0}, PolarArcConstructions(toward, 10)}, &circle_);
    return Build(PolarArcConstructions(cursor, 30));
  }
  // Character i stands at direction a on radius r, turned to angle; with
  // bottom-centre justification its baseline's middle is that point, with
  // middle justification the point lies half the 3.0 height above it.
  void ExpectCharacter(std::size_t i, double a, double r, double angle, std::uint8_t justify) {
    ASSERT_LT(i, tool_.Elements.size());
    const RDrawElement& e = tool_.Elements[i];
    EXPECT_EQ(+e.Kind, kKindText);
    EXPECT_EQ(static_cast<std::size_t>(e.TextIndex), i);
    EXPECT_EQ(+e.TextStyle, 3);
    EXPECT_NEAR(std::remainder(e.TextAngle - angle, 360.0), 0.0, 1e-4);
    const RPoint2D mid{(e.X1 + e.X2) / 2, (e.Y1 + e.Y2) / 2};
    const RPoint2D up = justify == 6 ? PolarArcConstructions(angle + 90, 1.5) : RPoint2D{0, 0};
    const RPoint2D p = PolarArcConstructions(a, r);
    EXPECT_NEAR(mid.x + up.x, p.x, 1e-5);
    EXPECT_NEAR(mid.y + up.y, p.y, 1e-5);
  }
  RDrawElement circle_ = ZeroElement();
};

TEST_F(TextOnArc, CharactersStepFromTheStartToTheCursor) {
  Lay("ABCD", 10, 90);
  ASSERT_EQ(tool_.Elements.size(), 4u);
  EXPECT_EQ(tool_.Texts, (std::vector<std::string>{"A", "B", "C", "D"}));
  // Option 0: 2.0 outside, the radial direction turned by -90 from inward.
  for (std::size_t i = 0; i < 4; ++i) ExpectCharacter(i, 30.0 * i, 12, 90 + 30.0 * i, 1);
  // Moving on rebuilds the same number of texts.
  Build(PolarArcConstructions(60, 30));
  EXPECT_EQ(tool_.Texts.size(), 4u);
  ExpectCharacter(3, 60, 12, 150, 1);
}

TEST_F(TextOnArc, OptionsPlaceInsideOrOutsideAndTurnTheCharacters) {
  struct Case {
    std::uint8_t option;
    double toward, cursor, last, radius, angle;
    std::uint8_t justify;
  } cases[] = {
      {1, 10, 90, 90, 8, 0, 1},        // inside by 2.0, turned +90 from inward
      {2, 10, 90, 90, 14, 270, 6},     // outside by W 2.0 + 2.0, facing the centre
      {3, 10, 90, 90, 6, 270, 6},      // inside by 4.0
      {2, 300, 270, -90, 14, 270, 6},  // clockwise: turned over, facing outward
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.option));
    FirstData11.Chain12Option = c.option;
    Lay("AB", c.toward, c.cursor);
    ASSERT_EQ(tool_.Elements.size(), 2u);
    ExpectCharacter(1, c.last, c.radius, c.angle, c.justify);
  }
}

TEST_F(TextOnArc, EmptyTextLaysOutTheUntitledWord) {
  Lay("", 10, 90);
  EXPECT_EQ(tool_.Texts, (std::vector<std::string>{J("無"), J("題")}));
  ExpectCharacter(0, 0, 12, 90, 1);
  ExpectCharacter(1, 90, 12, 180, 1);
}

TEST_F(TextOnArc, DoubleByteCharactersCountAsOne) {
  Lay(J("あいう") + "x", 10, 90);
  ASSERT_EQ(tool_.Elements.size(), 4u);
  EXPECT_EQ(tool_.Texts[1], J("い"));
  ExpectCharacter(1, 30, 12, 120, 1);
}

TEST_F(TextOnArc, OneCharacterOrAnUndefinedOptionBuildsNothing) {
  Lay("A", 10, 90);
  EXPECT_TRUE(tool_.Elements.empty());
  Lay("AB", 10, 90);
  ASSERT_EQ(tool_.Elements.size(), 2u);
  FirstData11.Chain12Option = 4;
  Build(PolarArcConstructions(45, 30));
  ExpectCharacter(1, 90, 12, 180, 1);
}

}  // namespace
