// Tangent lines: from a point to a circle, common to two circles, and the
// piece of a tangent at a position or in the drawing direction.

#include <cmath>
#include <numbers>

#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

// The distance of a point from the line through a drawn line element.
double DistanceFromLine(const RDrawElement& e, double x, double y) {
  const double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
  return std::fabs((x2 - x1) * (y1 - y) - (x1 - x) * (y2 - y1)) / std::hypot(x2 - x1, y2 - y1);
}

class TangentCommands : public CommandHarness {
 protected:
  // The lines the command added (every element after the seeded ones).
  std::vector<RDrawElement> Added(std::size_t seeded) {
    return {Elements().begin() + static_cast<std::ptrdiff_t>(seeded), Elements().end()};
  }
};

TEST_F(TangentCommands, FromAPointToTheTouchingPointOnThePickedSide) {
  // Circle of radius 5 at (50, 50), the point 10 to its right: the touching
  // points at (50 + 25 / 10, 50 +- 5 sqrt(75) / 10).
  const double h = 5 * std::sqrt(75.0) / 10;
  struct Case {
    const char* what;
    RDrawElement circle;
    double pointX, pointY, pickX, pickY;
    bool adds;
    double tx, ty;
  } cases[] = {
      {"upper pick", Arc(50, 50, 5), 60, 50, 52.5, 50 + h, true, 52.5, 50 + h},
      {"lower pick", Arc(50, 50, 5), 60, 50, 52.5, 50 - h, true, 52.5, 50 - h},
      {"an arc is its full circle", Arc(50, 50, 5, 60, 180), 60, 50, 50 - 5 * 0.6, 50 + 5 * 0.8, true, 52.5, 50 + h},
      {"a point inside", Arc(50, 50, 5), 52, 50, 52.5, 50 + h, false, 0, 0},
      {"a line", Line(40, 60, 70, 60), 60, 50, 55, 60, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtSeSenTenEn);
    Seed({c.circle});
    Click(c.pointX, c.pointY);
    EXPECT_EQ(Box().B_Switch, on1);
    Click(c.pickX, c.pickY);
    EXPECT_EQ(Box().B_Switch, _off);
    const std::vector<RDrawElement> lines = Added(1);
    if (!c.adds) {
      EXPECT_TRUE(lines.empty());
      ExpectScreenMatchesRedraw();
      continue;
    }
    ASSERT_EQ(lines.size(), 1u);
    const RDrawElement& l = lines[0];
    EXPECT_NEAR(Value(l.X1), c.pointX, 1e-9);
    EXPECT_NEAR(Value(l.Y1), c.pointY, 1e-9);
    EXPECT_NEAR(Value(l.X2), c.tx, 1e-9);
    EXPECT_NEAR(Value(l.Y2), c.ty, 1e-9);
    // On the circle, and at a right angle to the radius.
    EXPECT_NEAR(std::hypot(c.tx - 50, c.ty - 50), 5, 1e-9);
    EXPECT_NEAR((c.tx - 50) * (c.tx - c.pointX) + (c.ty - 50) * (c.ty - c.pointY), 0, 1e-9);
    EXPECT_EQ(UndoLog().size(), 1u);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TangentCommands, CommonTangentsTouchBothCircles) {
  struct Case {
    const char* what;
    double x1, r1, x2, r2;
    double pick1Y, pick2Y;  // picks straight above or below the centres
    bool adds;
  } cases[] = {
      {"equal circles, upper picks", 30, 5, 60, 5, 55, 55, true},
      {"equal circles, lower picks", 30, 5, 60, 5, 45, 45, true},
      {"unequal circles, upper picks", 30, 5, 70, 10, 55, 60, true},
      {"unequal circles, lower picks", 70, 10, 30, 5, 40, 45, true},
      {"nested circles", 50, 5, 52, 20, 55, 70, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtSeSenEnEn);
    Seed({Arc(c.x1, 50, c.r1), Arc(c.x2, 50, c.r2)});
    Box().Update();  // nothing left to paint that would wipe the captions
    Click(c.x1, c.pick1Y);
    EXPECT_EQ(TopMessage(), J("円ﾋｯﾄ1"));
    Click(c.x2, c.pick2Y);
    const std::vector<RDrawElement> lines = Added(2);
    if (!c.adds) {
      EXPECT_TRUE(lines.empty());
      ExpectScreenMatchesRedraw();
      continue;
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(DistanceFromLine(lines[0], c.x1, 50), c.r1, 1e-9);
    EXPECT_NEAR(DistanceFromLine(lines[0], c.x2, 50), c.r2, 1e-9);
    // On the picked side: both touching points on the picks' side.
    const bool above = c.pick1Y > 50;
    EXPECT_EQ(Value(lines[0].Y1) > 50, above);
    EXPECT_EQ(Value(lines[0].Y2) > 50, above);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TangentCommands, ATangentToASnappedPointShowsAsTheRedrawShowsIt) {
  // The point marker stays over the tangent's snapped end: from a point to
  // the circle, and a piece on the tangent y = 55 whose end is read from a
  // point on it; its preview crossed an upright line.
  Seed({Arc(50, 50, 5), Point(60, 50), Point(60, 55), Line(57, 40, 57, 70)});
  Box().ButonType = dtSeSenTenEn;
  Click(60.2, 50.1, ssRight);
  EXPECT_EQ(Box().B_Switch, on1);
  Click(52.5, 50 + 5 * std::sqrt(75.0) / 10);
  ASSERT_EQ(Elements().size(), 5u);
  ExpectScreenMatchesRedraw();

  Box().ButonType = dtSesentenSitei;
  Click(55, 50);
  Click(50, 60);
  Click(52, 57);
  MoveTo(58, 58);
  MoveTo(60.2, 55.3);
  Click(60.2, 55.3, ssRight);
  ASSERT_EQ(Elements().size(), 6u);
  EXPECT_NEAR(Value(Elements()[5].X2), 60, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(TangentCommands, PicksOnNothingSayWhy) {
  Seed({Arc(30, 50, 5)});
  Box().ButonType = dtSeSenEnEn;
  Click(100, 90);
  EXPECT_EQ(TopMessage(), J("円無し"));
  EXPECT_EQ(Box().B_Switch, _off);
  Click(35, 50);
  EXPECT_EQ(Box().B_Switch, on1);
  Click(100, 90);
  EXPECT_NE(Hint().find(J("線がありません")), std::string::npos);
  EXPECT_EQ(Box().B_Switch, on1) << "the second circle can be picked again";
}

TEST_F(TangentCommands, APieceOfTheTangentAtAPosition) {
  // Circle of radius 5 at (50, 50); the piece runs between the feet of the
  // start and end clicks on the tangent y = 55 (position above) or y = 45.
  struct Case {
    double posY, startX, startY, endX, endY;
    double y;
  } cases[] = {{60, 54, 57, 60, 58, 55}, {40, 54, 43, 61, 42, 45}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.posY);
    StartAfresh(dtSesentenSitei);
    Seed({Arc(50, 50, 5)});
    Box().Update();  // nothing left to paint that would wipe the captions
    Click(55, 50);
    EXPECT_EQ(TopMessage(), J("円ﾋｯﾄ"));
    Click(50, c.posY);
    EXPECT_EQ(TopMessage(), J("1点目"));
    Click(c.startX, c.startY);
    EXPECT_EQ(TopMessage(), J("2点目"));
    MoveTo(c.endX - 3, c.endY);
    MoveTo(c.endX, c.endY);
    Click(c.endX, c.endY);
    const std::vector<RDrawElement> lines = Added(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(Value(lines[0].X1), c.startX, 1e-9);
    EXPECT_NEAR(Value(lines[0].Y1), c.y, 1e-9);
    EXPECT_NEAR(Value(lines[0].X2), c.endX, 1e-9);
    EXPECT_NEAR(Value(lines[0].Y2), c.y, 1e-9);
    EXPECT_EQ(Box().B_Switch, _off);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TangentCommands, APieceOfTheTangentInTheDrawingDirection) {
  // The tangent of direction a on the position's side touches at
  // C + 5 n, n the unit normal (-sin a, cos a) turned to that side; the
  // ends are the feet of the clicks on it.
  for (double a : {0.0, 30.0}) {
    SCOPED_TRACE(a);
    StartAfresh(dtSesenKakuSitei);
    Box().CommandAngle = a == 0 ? 0 : 20;
    Box().AxisAngle = a == 0 ? 0 : 10;
    Seed({Arc(50, 50, 5)});
    Box().Update();  // nothing left to paint that would wipe the captions
    const double t = a * std::numbers::pi / 180;
    const double ux = std::cos(t), uy = std::sin(t);
    // The position below the centre: the normal pointing down.
    const double nx = std::sin(t), ny = -std::cos(t);
    const double tx = 50 + 5 * nx, ty = 50 + 5 * ny;
    auto foot = [&](double x, double y) {
      const double along = (x - tx) * ux + (y - ty) * uy;
      return RPoint2D{tx + along * ux, ty + along * uy};
    };
    Click(55, 50);
    Click(50, 40);
    Click(56, 40);
    MoveTo(64, 43);
    Click(64, 43);
    const RPoint2D a1 = foot(56, 40), a2 = foot(64, 43);
    const std::vector<RDrawElement> lines = Added(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(Value(lines[0].X1), a1.x, 1e-9);
    EXPECT_NEAR(Value(lines[0].Y1), a1.y, 1e-9);
    EXPECT_NEAR(Value(lines[0].X2), a2.x, 1e-9);
    EXPECT_NEAR(Value(lines[0].Y2), a2.y, 1e-9);
    EXPECT_NEAR(DistanceFromLine(lines[0], 50, 50), 5, 1e-9);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TangentCommands, ThePieceCommandRestartsOnNothingAndAddsNoEmptyPiece) {
  Seed({Arc(50, 50, 5)});
  TcadBox& box = Box();
  box.ButonType = dtSesentenSitei;
  Click(100, 90);
  EXPECT_EQ(TopMessage(), J("円無"));
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_EQ(box.PickedIndex[1], -100);
  Click(55, 50);
  Click(50, 60);
  Click(57, 57);
  MoveTo(57, 62);
  Click(57, 62);  // both feet at x = 57
  EXPECT_EQ(Elements().size(), 1u);
  EXPECT_EQ(box.B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(TangentCommands, ACancelTakesThePiecesPreviewAway) {
  Seed({Arc(50, 50, 5)});
  Box().Update();  // nothing left to paint that would wipe the captions
  TcadBox& box = Box();
  box.ButonType = dtSesentenSitei;
  Click(55, 50);
  Click(50, 60);
  Click(54, 57);
  MoveTo(62, 58);
  CancelCommands();
  ExpectScreenMatchesRedraw();
  EXPECT_EQ(Elements().size(), 1u);
}

}  // namespace
