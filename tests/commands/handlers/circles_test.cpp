// Circles and arcs: free, fixed-radius, through three points, inscribed
// and tangent to three inputs.

#include <cmath>
#include <numbers>

#include "commands/handlers/circles.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

constexpr double kDegCircles = std::numbers::pi / 180.0;

RDrawElement PenArcCircles(double cx, double cy, double r, float start = 0, float end = 0, float ratio = 1,
                           float rotation = 0) {
  RDrawElement e = Arc(cx, cy, r, start, end, ratio, rotation);
  e.ColorNo = 1;
  e.UndoMark = kUndoAdded;
  return e;
}

class CircleCommand : public CommandHarness {
 protected:
  // The midpoint assist between two points a unit either side of p hands p
  // back to the running command.
  void AssistAt(double x, double y) {
    TcadBox& box = Box();
    box.SavedMode = box.ButonType;
    box.ButonType = dtNitenkan;
    Click(x - 1, y);
    Click(x + 1, y);
  }
  // The group scale 1/100: a real length of 500 is 5 drawing units.
  void ScaleOneHundredth() { Box().GroupScales[Box().WriteGrupe_No] = 100; }
};

// ---- Free circle and ellipse ------------------------------------------------

TEST_F(CircleCommand, FreeCircleThroughTheSecondPointIsOneUndoStep) {
  TcadBox& box = Box();
  EXPECT_EQ(box.EllipseRatio, 1.0);  // a new control draws round circles
  box.ButonType = dtEnFree;
  Click(50, 50);
  Click(56, 58);  // 6-8-10
  ExpectElements({PenArcCircles(50, 50, 10)});
  ExpectUndoLog({PenArcCircles(50, 50, 10)});
  EXPECT_EQ(box.CommandStep, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(CircleCommand, FreeEllipsePassesThroughTheSecondPoint) {
  struct Case {
    double ratio, rotation, px, py;
  };
  for (const Case c : {Case{0.5, 30, 60, 55}, Case{0.25, 0, 50, 58}, Case{0.5, 90, 60, 50}}) {
    StartAfresh(dtEnFree);
    TcadBox& box = Box();
    box.EllipseRatio = c.ratio;
    box.EllipseRotation = c.rotation;
    Click(50, 50);
    Click(c.px, c.py);
    // a = d·sqrt(cos²φ + sin²φ/q²), φ the direction less the rotation.
    const double d = std::hypot(c.px - 50, c.py - 50);
    const double phi = std::atan2(c.py - 50, c.px - 50) - c.rotation * kDegCircles;
    const double a = d * std::sqrt(std::cos(phi) * std::cos(phi) + std::sin(phi) * std::sin(phi) / (c.ratio * c.ratio));
    ASSERT_EQ(Elements().size(), 1u);
    const RDrawElement& e = Elements()[0];
    EXPECT_NEAR(+e.Radius, a, 1e-9);
    EXPECT_EQ(+e.Ratio, static_cast<float>(c.ratio));
    EXPECT_EQ(+e.Rotation, static_cast<float>(c.rotation));
    // The point lies on the ellipse: (u/a)² + (v/b)² = 1 in the turned axes.
    const double rho = c.rotation * kDegCircles;
    const double u = (c.px - 50) * std::cos(rho) + (c.py - 50) * std::sin(rho);
    const double v = -(c.px - 50) * std::sin(rho) + (c.py - 50) * std::cos(rho);
    EXPECT_NEAR(u * u / (a * a) + v * v / (a * a * c.ratio * c.ratio), 1.0, 1e-9);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CircleCommand, FreeCircleKeepsTheHostsArcAnglesUntilACancel) {
  TcadBox& box = Box();
  box.ButonType = dtEnFree;
  box.AngleArcStart = 30;
  box.AngleArcEnd = 120;
  Click(50, 50);
  Click(60, 50);
  ExpectElements({PenArcCircles(50, 50, 10, 30, 120)});
  ExpectScreenMatchesRedraw();
  box.CancelCommands(true);
  EXPECT_EQ(box.AngleArcStart, 0);
  EXPECT_EQ(box.AngleArcEnd, 0);
  EXPECT_TRUE(box.ArcAnticlockwise);
  EXPECT_TRUE(box.FamilyState<RArcSweepState>().ArcSideDrawn);
  ExpectScreenMatchesRedraw();
  Click(50, 50);
  Click(60, 50);
  EXPECT_EQ(+Elements().back().StartAngle, 0);
  EXPECT_EQ(+Elements().back().EndAngle, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(CircleCommand, FreeCircleOfRadiusZeroOrOnTheCentreAddsNothing) {
  Seed({Line(70, 70, 90, 70)});
  TcadBox& box = Box();
  box.ButonType = dtEnFree;
  Click(20, 20);
  Click(30, 20);
  const RDrawElement first = PenArcCircles(20, 20, 10);
  // A free click on the centre: radius 0, back to the first step.
  Click(50, 50);
  Click(50, 50);
  EXPECT_EQ(box.CommandStep, 0);
  ExpectUndoLog({first});
  ExpectScreenMatchesRedraw();
  // A snapped point on the centre is refused and the step stays.
  Click(70.2, 70.1, ssRight);
  Click(70.1, 69.9, ssRight);
  EXPECT_EQ(TopMessage(), J("1点目と同一です"));
  EXPECT_EQ(box.CommandStep, 1);
  ExpectUndoLog({first});
  EXPECT_EQ(Elements().size(), 2u);
}

// ---- Arcs by centre, start and end direction --------------------------------

TEST_F(CircleCommand, ArcSideFollowsWhereTheCursorLeftTheStartDirection) {
  struct Path {
    const char* what;
    std::vector<RPoint2D> moves;
    RPoint2D end;
    float start, stop;
  };
  const std::vector<Path> paths = {
      // atan(1/10) = 5.7 degrees: within 7, anticlockwise side.
      {"anticlockwise within 7", {{60, 51}, {55, 58}}, {50, 60}, 0, 90},
      {"clockwise within 7", {{60, 49}, {55, 42}}, {50, 40}, 270, 0},
      // atan(2/10) = 11.3 degrees: beyond 7, the side of the start stays.
      {"clockwise beyond 7 keeps anticlockwise", {{60, 48}, {55, 42}}, {50, 40}, 0, 270},
      // Back across the start within 7 the other way.
      {"clockwise then back anticlockwise", {{60, 49}, {60, 51}, {55, 58}}, {50, 60}, 0, 90},
      // Round the far side without coming near the start: the last side stays.
      {"clockwise then round",
       {{60, 49}, {50, 40}, {40, 50}, {50, 60}},
       {58, 56},
       static_cast<float>(std::atan2(6.0, 8.0) / kDegCircles),
       0},
  };
  for (const Sbuttontype mode : {dtEnko, dtEnkoKotei}) {
    for (const Path& p : paths) {
      SCOPED_TRACE(::testing::Message() << p.what << " in mode " << static_cast<int>(mode));
      StartAfresh(mode);
      Box().AngleArcRadius = 1000;  // the fixed arc's 10 drawing units
      Click(50, 50);
      Click(60, 50);
      for (const RPoint2D& m : p.moves) MoveTo(m.x, m.y);
      Click(p.end.x, p.end.y);
      ASSERT_EQ(Elements().size(), 1u);
      const RDrawElement& e = Elements()[0];
      EXPECT_NEAR(+e.StartAngle, p.start, 1e-4);
      EXPECT_NEAR(+e.EndAngle, p.stop, 1e-4);
      EXPECT_EQ(+e.Radius, 10);
      EXPECT_EQ(Box().B_Switch, _off);
      ExpectScreenMatchesRedraw();
    }
  }
}

TEST_F(CircleCommand, FixedArcTakesTheSetRadiusWhateverTheClicks) {
  ScaleOneHundredth();
  TcadBox& box = Box();
  box.AngleArcRadius = 500;
  box.ButonType = dtEnkoKotei;
  Click(50, 50);
  Click(70, 50);
  MoveTo(50, 80);
  Click(50, 80);
  ExpectElements({PenArcCircles(50, 50, 5, 0, 90)});
  ExpectUndoLog({PenArcCircles(50, 50, 5, 0, 90)});
  ExpectScreenMatchesRedraw();
  EXPECT_EQ(box.AngleArcRadius, 500);
  // A centre without a snap point.
  Click(100, 90, ssRight);
  EXPECT_EQ(TopMessage(), J("点なし"));
  EXPECT_EQ(box.B_Switch, _off);
}

TEST_F(CircleCommand, ArcStartOnTheCentreIsRefused) {
  Seed({Line(50, 50, 80, 50)});
  TcadBox& box = Box();
  box.ButonType = dtEnko;
  Click(50, 50, ssRight);
  Click(50.2, 50.1, ssRight);
  EXPECT_EQ(TopMessage(), J("1点目と同一です"));
  EXPECT_EQ(box.B_Switch, on1);
  EXPECT_TRUE(UndoLog().empty());
}

TEST_F(CircleCommand, TheSetRadiusSurvivesTheFreeArcAndTheTangentCircle) {
  ScaleOneHundredth();
  TcadBox& box = Box();
  box.AngleArcRadius = 500;
  box.ButonType = dtEnko;
  Click(50, 50);
  Click(70, 50);
  Click(50, 70);
  EXPECT_EQ(+Elements().back().Radius, 20);
  ExpectScreenMatchesRedraw();
  // Three snapped points stand for the three elements: the circle through them.
  Seed({Point(110, 50), Point(100, 60), Point(90, 50)});
  box.ButonType = dtEnSeSen3sen;
  Click(110, 50, ssRight);
  Click(100, 60, ssRight);
  Click(90, 50, ssRight);
  EXPECT_NEAR(+Elements().back().X1, 100, 1e-9);
  EXPECT_NEAR(+Elements().back().Radius, 10, 1e-9);
  EXPECT_EQ(box.WorkingArcRadius, 0);
  ExpectScreenMatchesRedraw();
  box.ButonType = dtEnKotei;
  Click(30, 30);
  EXPECT_EQ(+Elements().back().Radius, 5);
  EXPECT_EQ(box.AngleArcRadius, 500);
  ExpectScreenMatchesRedraw();
}

// ---- Half circle and arc through three points -------------------------------

TEST_F(CircleCommand, HalfCircleOnTheSideOfTheCursor) {
  struct Case {
    double sideY;
    float start, end;
  };
  for (const Case c : {Case{60, 0, 180}, Case{40, 180, 0}}) {
    StartAfresh(dthanEn);
    Click(40, 50);
    Click(60, 50);
    MoveTo(50, c.sideY);
    Click(52, 50 + (c.sideY - 50) / 2);
    ExpectElements({PenArcCircles(50, 50, 10, c.start, c.end)});
    ExpectUndoLog({PenArcCircles(50, 50, 10, c.start, c.end)});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CircleCommand, ArcThroughThreePoints) {
  struct Case {
    RPoint2D a, b, through;
    float start, end;
  };
  const Case cases[] = {
      {{60, 50}, {50, 60}, {40, 50}, 90, 0},    // the long way round from 90 to 0
      {{50, 60}, {50, 40}, {60, 50}, 270, 90},  // across 0/360
      {{50, 60}, {50, 40}, {40, 50}, 90, 270},
  };
  for (const Case& c : cases) {
    StartAfresh(dtEn3ten);
    Click(c.a.x, c.a.y);
    Click(c.b.x, c.b.y);
    MoveTo(c.through.x, c.through.y);
    Click(c.through.x, c.through.y);
    ExpectElements({PenArcCircles(50, 50, 10, c.start, c.end)});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CircleCommand, CollinearOrRepeatedThreePointsAddNothing) {
  Seed({Line(20, 20, 40, 20)});
  TcadBox& box = Box();
  box.ButonType = dtEn3ten;
  Click(60, 50);
  Click(50, 60);
  Click(40, 50);
  const RDrawElement first = Elements().back();
  Click(60, 60);
  Click(70, 70);
  Click(80, 80);
  EXPECT_EQ(box.B_Switch, _off);
  ExpectUndoLog({first});
  ExpectScreenMatchesRedraw();
  Click(20, 20, ssRight);
  Click(20.1, 20.2, ssRight);
  EXPECT_EQ(TopMessage(), J("1.2点目と同一点です"));
  EXPECT_EQ(box.B_Switch, on1);
  ExpectUndoLog({first});
}

// ---- Circle of the set radius by a base point --------------------------------

TEST_F(CircleCommand, FixedCircleByEachBasePoint) {
  // Kind k >= 1: the centre is the click plus the point at parametric angle
  // t of the ellipse a = 5, b = 5q turned by the rotation.
  const double kParam[9] = {0, 270, 315, 0, 45, 90, 135, 180, 225};
  struct Look {
    double ratio, rotation;
  };
  for (const Look look : {Look{1.0, 0.0}, Look{0.5, 30.0}}) {
    for (std::uint8_t kind = 0; kind <= 9; ++kind) {
      SCOPED_TRACE(::testing::Message() << "kind " << int(kind) << " ratio " << look.ratio);
      StartAfresh(dtEnKotei);
      ScaleOneHundredth();
      TcadBox& box = Box();
      box.AngleArcRadius = 500;
      box.CircleBaseKind = kind;
      box.EllipseRatio = look.ratio;
      box.EllipseRotation = look.rotation;
      MoveTo(10, 20);
      Click(10, 20);
      double cx = 10, cy = 20;
      if (kind >= 1 && kind <= 8) {
        const double t = kParam[kind] * kDegCircles, rho = look.rotation * kDegCircles;
        const double u = 5 * std::cos(t), v = 5 * look.ratio * std::sin(t);
        cx += u * std::cos(rho) - v * std::sin(rho);
        cy += u * std::sin(rho) + v * std::cos(rho);
      }
      ASSERT_EQ(Elements().size(), 1u);
      EXPECT_NEAR(+Elements()[0].X1, cx, 1e-9);
      EXPECT_NEAR(+Elements()[0].Y1, cy, 1e-9);
      EXPECT_EQ(+Elements()[0].Radius, 5);
      EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame12+100"});
      ExpectScreenMatchesRedraw();
    }
  }
}

TEST_F(CircleCommand, FixedCircleOfRadiusZeroStillTellsTheHost) {
  TcadBox& box = Box();
  box.ButonType = dtEnKotei;
  box.AngleArcRadius = 0;
  Click(30, 30);
  EXPECT_TRUE(Elements().empty());
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame12+100"});
  ExpectScreenMatchesRedraw();
  // A right click without a snap point reports itself.
  MoveTo(100, 90);
  Press(100, 90, ssRight);
  EXPECT_EQ(box.Mhan1, 1);
  Release(100, 90, ssRight);
  EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(CircleCommand, FixedCirclePreviewLeavesWithTheCursor) {
  ScaleOneHundredth();
  TcadBox& box = Box();
  box.AngleArcRadius = 500;
  box.ButonType = dtEnKotei;
  MoveTo(40, 40);
  Leave();
  EXPECT_EQ(box.CurrentPoint.x, -50000);
  ExpectScreenMatchesRedraw();
  Enter();
  MoveTo(60, 40);
  box.CancelCommands(true);
  ExpectScreenMatchesRedraw();
}

// ---- Circles through, inscribed in and tangent to three inputs --------------

TEST_F(CircleCommand, CircleThroughThreePoints) {
  TcadBox& box = Box();
  box.ButonType = dtEnSeSen3ten;
  Click(60, 50);
  Click(50, 60);
  MoveTo(45, 45);
  Click(40, 50);
  ExpectElements({PenArcCircles(50, 50, 10)});
  ExpectUndoLog({PenArcCircles(50, 50, 10)});
  ExpectScreenMatchesRedraw();
  // Collinear: nothing, the log stays.
  Click(10, 10);
  Click(20, 20);
  Click(30, 30);
  EXPECT_EQ(Elements().size(), 1u);
  ExpectUndoLog({PenArcCircles(50, 50, 10)});
  ExpectScreenMatchesRedraw();
}

TEST_F(CircleCommand, InscribedCircleOfThreePoints) {
  struct Case {
    RPoint2D a, b, c;
  };
  const Case cases[] = {
      {{40, 40}, {70, 40}, {40, 80}},  // 30-40-50: centre (50, 50), radius 10
      {{20, 20}, {90, 30}, {50, 80}},
  };
  for (const Case& t : cases) {
    StartAfresh(dtEnSeSen3tenN);
    Click(t.a.x, t.a.y);
    Click(t.b.x, t.b.y);
    MoveTo(t.c.x, t.c.y);
    Click(t.c.x, t.c.y);
    // The incentre weighs each vertex by the opposite side; the radius is
    // the area over half the perimeter.
    const double la = std::hypot(t.b.x - t.c.x, t.b.y - t.c.y);
    const double lb = std::hypot(t.a.x - t.c.x, t.a.y - t.c.y);
    const double lc = std::hypot(t.a.x - t.b.x, t.a.y - t.b.y);
    const double sum = la + lb + lc;
    const double area = std::abs((t.b.x - t.a.x) * (t.c.y - t.a.y) - (t.c.x - t.a.x) * (t.b.y - t.a.y)) / 2;
    ASSERT_EQ(Elements().size(), 1u);
    const RDrawElement& e = Elements()[0];
    EXPECT_NEAR(+e.X1, (la * t.a.x + lb * t.b.x + lc * t.c.x) / sum, 1e-9);
    EXPECT_NEAR(+e.Y1, (la * t.a.y + lb * t.b.y + lc * t.c.y) / sum, 1e-9);
    EXPECT_NEAR(+e.Radius, area / (sum / 2), 1e-9);
    EXPECT_EQ(+e.Ratio, 1.0f);
    EXPECT_EQ(+e.StartAngle, 0.0f);
    ExpectScreenMatchesRedraw();
  }
  // A flat triangle: nothing.
  StartAfresh(dtEnSeSen3tenN);
  Click(10, 10);
  Click(20, 20);
  Click(30, 30);
  EXPECT_TRUE(Elements().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(CircleCommand, RepeatedOrMissingSnapPointsAreRefused) {
  for (Sbuttontype mode : {dtEnSeSen3ten, dtEnSeSen3tenN}) {
    StartAfresh(mode);
    Seed({Line(20, 20, 40, 20)});
    TcadBox& box = Box();
    Click(20, 20, ssRight);
    Click(20.1, 19.9, ssRight);
    EXPECT_EQ(TopMessage(), J("同一点"));
    EXPECT_EQ(box.B_Switch, on1);
    Click(90, 90, ssRight);
    EXPECT_EQ(TopMessage(), J("点無"));
    EXPECT_EQ(box.B_Switch, on1);
    Click(40, 20, ssRight);
    Click(39.9, 20.1, ssRight);
    EXPECT_EQ(TopMessage(), J("同一点"));
    EXPECT_EQ(box.B_Switch, on2);
    EXPECT_TRUE(UndoLog().empty());
  }
}

double DistanceToLine(const RDrawElement& l, double x, double y) {
  const double dx = l.X2 - l.X1, dy = l.Y2 - l.Y1;
  return std::abs(dy * (x - l.X1) - dx * (y - l.Y1)) / std::hypot(dx, dy);
}

TEST_F(CircleCommand, TangentCircleOfThreeLines) {
  const RDrawElement bottom = Line(20, 20, 100, 20);
  const RDrawElement left = Line(20, 20, 20, 90);
  const RDrawElement slant = Line(100, 20, 20, 80);  // 3-4-5: the incircle has radius 20
  Seed({bottom, left, slant});
  TcadBox& box = Box();
  box.ButonType = dtEnSeSen3sen;
  Click(50, 20);
  Click(20, 40);
  MoveTo(60, 50);
  Click(60, 50);
  ASSERT_EQ(Elements().size(), 4u);
  const RDrawElement& c = Elements()[3];
  for (const RDrawElement& l : {bottom, left, slant}) EXPECT_NEAR(DistanceToLine(l, +c.X1, +c.Y1), +c.Radius, 1e-3);
  EXPECT_NEAR(+c.Radius, 20, 1e-3);
  ExpectUndoLog({Elements()[3]});
  EXPECT_EQ(box.WorkingArcRadius, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(CircleCommand, TangentCircleOfALineAnArcAndAPoint) {
  const RDrawElement bottom = Line(10, 20, 110, 20);
  const RDrawElement circle = Arc(60, 60, 10);
  Seed({bottom, circle, Point(30, 50)});
  TcadBox& box = Box();
  box.ButonType = dtEnSeSen3sen;
  Click(40, 20);
  Click(51, 57);
  Click(30, 50, ssRight);
  ASSERT_EQ(Elements().size(), 4u);
  const RDrawElement& c = Elements()[3];
  EXPECT_NEAR(DistanceToLine(bottom, +c.X1, +c.Y1), +c.Radius, 1e-3);
  const double toCentre = std::hypot(c.X1 - 60, c.Y1 - 60);
  EXPECT_TRUE(std::abs(toCentre - (c.Radius + 10)) < 1e-3 || std::abs(toCentre - std::abs(c.Radius - 10)) < 1e-3)
      << toCentre << " r " << +c.Radius;
  EXPECT_NEAR(std::hypot(c.X1 - 30, c.Y1 - 50), +c.Radius, 1e-3);
  ExpectScreenMatchesRedraw();
}

TEST_F(CircleCommand, TangentCircleOfASetRadiusTouchesTheFirstTwo) {
  ScaleOneHundredth();
  const RDrawElement bottom = Line(20, 20, 100, 20);
  const RDrawElement left = Line(20, 20, 20, 90);
  Seed({bottom, left});
  TcadBox& box = Box();
  box.AngleStep = 500;  // 5 drawing units
  box.ButonType = dtEnSeSen3sen;
  Click(50, 20);
  Click(20, 50);
  MoveTo(40, 40);
  Click(40, 40);  // picks nothing: only the side
  ASSERT_EQ(Elements().size(), 3u);
  const RDrawElement& c = Elements()[2];
  EXPECT_NEAR(+c.Radius, 5, 1e-3);
  EXPECT_NEAR(+c.X1, 25, 1e-3);
  EXPECT_NEAR(+c.Y1, 25, 1e-3);
  EXPECT_EQ(box.PickedIndex[4], -100);
  EXPECT_EQ(box.AngleStep, 500);
  ExpectScreenMatchesRedraw();
}

TEST_F(CircleCommand, TangentCirclePickOverNothingIsRefused) {
  Seed({Line(20, 20, 100, 20)});
  TcadBox& box = Box();
  box.ButonType = dtEnSeSen3sen;
  Click(50, 60);
  EXPECT_EQ(Hint(), "  " + J("図形がありません"));
  EXPECT_EQ(box.B_Switch, _off);
  Click(50, 20);
  Click(50, 60);  // the second pick fails: back to the start
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_TRUE(UndoLog().empty());
  ExpectScreenMatchesRedraw();
}

// ---- Point assists hand points to every step --------------------------------

TEST_F(CircleCommand, PointAssistsFeedEveryStep) {
  ScaleOneHundredth();
  struct Case {
    Sbuttontype mode;
    std::vector<RPoint2D> points;
    RDrawElement want;
  };
  const Case cases[] = {
      {dtEnFree, {{50, 50}, {60, 50}}, PenArcCircles(50, 50, 10)},
      {dtEnko, {{50, 50}, {60, 50}, {50, 60}}, PenArcCircles(50, 50, 10, 0, 90)},
      {dtEnkoKotei, {{50, 50}, {60, 50}, {50, 60}}, PenArcCircles(50, 50, 5, 0, 90)},
      {dthanEn, {{40, 50}, {60, 50}, {50, 60}}, PenArcCircles(50, 50, 10, 0, 180)},
      {dtEn3ten, {{60, 50}, {50, 60}, {40, 50}}, PenArcCircles(50, 50, 10, 90, 0)},
      {dtEnSeSen3ten, {{60, 50}, {50, 60}, {40, 50}}, PenArcCircles(50, 50, 10)},
      {dtEnKotei, {{50, 50}}, PenArcCircles(50, 50, 5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    StartAfresh(c.mode);
    Box().AngleArcRadius = 500;
    for (std::size_t i = 0; i < c.points.size(); ++i) {
      // The preview of the last step shows before the assist takes over.
      if (i + 1 == c.points.size()) MoveTo(c.points[i].x, c.points[i].y);
      AssistAt(c.points[i].x, c.points[i].y);
      EXPECT_EQ(Box().ButonType, c.mode);
    }
    ExpectElements({c.want});
    ExpectUndoLog({c.want});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CircleCommand, AssistPointsWrittenIntoASlotBringTheStepsValues) {
  struct Case {
    Sbuttontype mode;
    RPoint2D first, slot;
    double radius, start;
    RPoint2D centre;
  };
  const Case cases[] = {
      {dtEnko, {50, 50}, {50, 58}, 8, 90, {50, 50}},        // the start point: radius and direction
      {dtEnkoKotei, {50, 50}, {42, 50}, 0, 180, {50, 50}},  // the fixed arc keeps its set radius
      {dthanEn, {40, 50}, {60, 50}, 10, 180, {50, 50}},     // the second end: centre, radius, angles
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    StartAfresh(c.mode);
    TcadBox& box = Box();
    box.WorkingArcRadius = 0;
    Click(c.first.x, c.first.y);
    box.SavedMode = c.mode;
    box.ButonType = dtsencyuten;
    box.sencyutenApply(c.slot.x, c.slot.y);
    EXPECT_EQ(box.ButonType, c.mode);
    EXPECT_EQ(box.WorkingArcRadius, c.radius);
    EXPECT_EQ(box.AngleArcStart, c.start);
    if (c.mode == dthanEn) {
      EXPECT_EQ(box.AngleArcCentre.x, c.centre.x);
      EXPECT_EQ(box.AngleArcCentre.y, c.centre.y);
      EXPECT_EQ(box.AngleArcEnd, 0);
    } else {
      EXPECT_EQ(box.AngleArcEnd, c.start);
      EXPECT_TRUE(box.ArcAnticlockwise);
    }
  }
}

// Pixels of the control's image that are not the black background.
int LitPixels(TcadBox& box) {
  int lit = 0;
  for (int py = 0; py < 96 * kHarnessPixelsPerUnit; ++py) {
    for (int px = 0; px < 128 * kHarnessPixelsPerUnit; ++px) {
      if ((box.Canvas().GetPixel(px, py) & 0xFFFFFF) != clBlack) ++lit;
    }
  }
  return lit;
}

TEST_F(CircleCommand, CancelErasesTheXorPreviews) {
  struct Case {
    Sbuttontype mode;
    std::vector<RPoint2D> clicks;
    RPoint2D cursor;
  };
  const Case cases[] = {
      {dtEnFree, {{50, 50}}, {60, 55}},
      {dtEnKotei, {}, {60, 55}},
      {dthanEn, {{40, 50}, {60, 50}}, {50, 60}},
      {dtEn3ten, {{60, 50}, {50, 60}}, {40, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    StartAfresh(c.mode);
    TcadBox& box = Box();
    box.AngleArcRadius = 500;
    box.Update();
    const int background = LitPixels(box);  // the frame of the view
    for (const RPoint2D& p : c.clicks) Click(p.x, p.y);
    MoveTo(c.cursor.x, c.cursor.y);
    box.Update();
    // The preview is on the screen, in XOR over the empty drawing.
    EXPECT_FALSE(box.RubberErased);
    EXPECT_GT(LitPixels(box) - background, 20);
    CancelCommands();
    box.Update();
    // XOR drawn again takes every pixel of it away, at once: no redraw.
    EXPECT_EQ(LitPixels(box), background);
    EXPECT_EQ(box.ButonType, dtNo);
    EXPECT_EQ(box.CommandStep, 0);
    EXPECT_EQ(box.B_Switch, _off);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CircleCommand, ThePreviewKeepsThePenItWasDrawnWith) {
  // Drawn with colour 4 and line type 2; the host's pen changes to 6 and 3
  // while it shows. The control tells which pen the preview on the screen
  // has, and the cancel takes it away with that pen.
  for (const Sbuttontype mode : {dtEnFree, dthanEn}) {
    SCOPED_TRACE(static_cast<int>(mode));
    StartAfresh(mode);
    TcadBox& box = Box();
    box.Pencol = 4;
    box.Pentyp = 2;
    Click(40, 50);
    if (mode == dthanEn) Click(60, 50);
    MoveTo(50, 62);
    ASSERT_FALSE(box.RubberErased);
    EXPECT_EQ(box.ArcPreviewColor, 4);
    EXPECT_EQ(box.ArcPreviewLineType, 2);
    box.Pencol = 6;
    box.Pentyp = 3;
    CancelCommands();
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CircleCommand, CancelPaintsOverTheArcAndCirclePreviews) {
  // The wide background circle takes most of the preview away; its pixels
  // follow the whole circle, not the preview's arc, so some may stay until
  // the next redraw, as may a gap in whatever else lay under the circle:
  // these commands leave the screen so on purpose. The next full redraw
  // shows the drawing alone.
  struct Case {
    Sbuttontype mode;
    std::vector<RPoint2D> clicks;
    RPoint2D cursor;
  };
  const Case cases[] = {
      {dtEnko, {{50, 50}, {60, 50}}, {50, 60}},
      {dtEnkoKotei, {{50, 50}, {60, 50}}, {40, 45}},
      {dtEnSeSen3ten, {{60, 50}, {50, 60}}, {40, 50}},
      {dtEnSeSen3tenN, {{40, 40}, {70, 40}}, {40, 80}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    StartAfresh(c.mode);
    TcadBox& box = Box();
    box.AngleArcRadius = 1000;  // 10 drawing units
    box.Update();
    const int background = LitPixels(box);  // the frame of the view
    for (const RPoint2D& p : c.clicks) Click(p.x, p.y);
    MoveTo(c.cursor.x, c.cursor.y);
    EXPECT_FALSE(box.RubberErased);
    box.Update();
    const int preview = LitPixels(box) - background;
    box.CancelCommands(true);
    box.Update();
    EXPECT_GT(preview, 40);
    EXPECT_LE(LitPixels(box) - background, preview / 2);
    RedrawAsTheHostDoes();
    EXPECT_EQ(LitPixels(box), background);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CircleCommand, CancelRemovesTheAngleAndArcChainPreviews) {
  // The previews of the angle measuring (a red XOR arc of width 2) and of
  // the arc chain (a circle painted over), put on the screen as those
  // commands draw them.
  for (Sbuttontype mode : {dtKakudoSokutei, dtkyokusen3ten}) {
    SCOPED_TRACE(static_cast<int>(mode));
    StartAfresh(mode);
    TcadBox& box = Box();
    box.B_Switch = on2;
    box.AngleArcCentre = {50, 50};
    box.WorkingArcRadius = 10;
    box.AngleArcStart = 30;
    box.AngleArcEnd = 120;
    TCanvas& canvas = box.Canvas();
    box.SetXorPen(0x0000FF, false);
    canvas.Pen.Width = 2;
    if (mode == dtKakudoSokutei) {
      box.DrawArc(1, canvas, 50, 50, 10, 1, 30, 120, 0);
    } else {
      box.DrawArc(1, canvas, 50, 50, 10, 1, 0, 0, 0);
    }
    canvas.Pen.Mode = pmCopy;
    box.RubberErased = false;
    box.CancelCommands(true);
    ExpectScreenMatchesRedraw();
  }
}

}  // namespace
