// Chains of three-point arcs, curves through clicked vertices and wave
// lines.

#include <cmath>
#include <numbers>

#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/settings_guard.h"
#include "tools/edit/arc_chain.h"
#include "tools/edit/curves.h"

namespace {

constexpr double kDegCurves = std::numbers::pi / 180.0;

// As the drawing holds them: the checked add leaves the undo mark alone.
RDrawElement PenArcCurves(double cx, double cy, double r, float start, float end) {
  RDrawElement e = Arc(cx, cy, r, start, end);
  e.ColorNo = 1;
  return e;
}

RDrawElement TaggedLine(double x1, double y1, double x2, double y2, std::uint16_t tag) {
  RDrawElement e = Line(x1, y1, x2, y2);
  e.ColorNo = 1;
  e.LineTag = tag;
  return e;
}

// As the undo log holds them.
std::vector<RDrawElement> LoggedCurves(std::vector<RDrawElement> elements) {
  for (RDrawElement& e : elements) e.UndoMark = kUndoAdded;
  return elements;
}

class CurveCommands : public CommandHarness {
 protected:
  // The confirm entry of the gesture menu: a drag of 100 pixels north.
  void Confirm(double x, double y) {
    Box().DridoL1 = 40;
    Box().DridoL2 = 40;
    Drag(x, y, x, y + 20);
  }
  const TRenzokuKoobj* Chain() { return Box().Tool(ToolSlot::ArcChainObj).Get<TRenzokuKoobj>(); }
  // Whether a pixel of the colour lies within two pixels of the point.
  bool ColourNear(double x, double y, TColor colour) {
    for (int dy = -2; dy <= 2; ++dy) {
      for (int dx = -2; dx <= 2; ++dx) {
        if (Box().Canvas().GetPixel(PixelX(x) + dx, PixelY(y) + dy) == colour) return true;
      }
    }
    return false;
  }
};

// ---- Chains of arcs through three points ------------------------------------

TEST_F(CurveCommands, EachChainArcRunsAnticlockwiseThroughItsPassPoint) {
  // Start, pass and end points; the circle through them by hand and the
  // angles of the anticlockwise arc that holds the pass point.
  struct Case {
    RPoint2D start, pass, end;
    double cx, cy, r;
    float from, to;
  } const cases[] = {
      {{60, 40}, {50, 50}, {40, 40}, 50, 40, 10, 0, 180},  // turning left
      {{40, 40}, {50, 50}, {60, 40}, 50, 40, 10, 0, 180},  // turning right: the same arc
      {{60, 40}, {50, 30}, {40, 40}, 50, 40, 10, 180, 0},  // the lower half
      {{20, 40}, {15, 45}, {20, 50}, 20, 45, 5, 90, 270},  // the left half
      {{30, 20}, {38, 24}, {40, 20}, 35, 20, 5, 0, 180},   // (38, 24): 3-4-5 from the centre
  };
  for (const Case& c : cases) {
    StartAfresh(dtkyokusen3ten);
    Click(c.start.x, c.start.y);
    Click(c.pass.x, c.pass.y);
    MoveTo(c.end.x + 1, c.end.y + 1);
    Click(c.end.x, c.end.y);
    ASSERT_NE(Chain(), nullptr);
    ASSERT_EQ(Chain()->Elements.size(), 1u);
    const RDrawElement& arc = Chain()->Elements[0];
    EXPECT_NEAR(+arc.X1, c.cx, 1e-9);
    EXPECT_NEAR(+arc.Y1, c.cy, 1e-9);
    EXPECT_NEAR(+arc.Radius, c.r, 1e-9);
    EXPECT_NEAR(+arc.StartAngle, c.from, 1e-4);
    EXPECT_NEAR(+arc.EndAngle, c.to, 1e-4);
    ExpectElements({});
    EXPECT_EQ(Box().B_Switch, on1);
    EXPECT_EQ(Box().FirstPoint.x, c.end.x);
    EXPECT_EQ(Box().FirstPoint.y, c.end.y);
  }
}

TEST_F(CurveCommands, ThreeChainArcsAreCommittedAsOneStep) {
  TcadBox& box = Box();
  box.ButonType = dtkyokusen3ten;
  // A chain of one arc first, so that the log holds an earlier step.
  Click(100, 20);
  Click(105, 25);
  Click(110, 20);
  Confirm(110, 30);
  ExpectUndoLog(LoggedCurves({PenArcCurves(105, 20, 5, 0, 180)}));
  TakeNotifications();

  Click(60, 40);
  Click(50, 50);
  MoveTo(45, 47);
  Click(40, 40);  // centre (50, 40), the upper half
  Click(30, 30);
  MoveTo(25, 35);
  Click(20, 40);  // centre (30, 40), the lower half
  Click(15, 45);
  Click(20, 50);  // centre (20, 45), the left half
  EXPECT_EQ(TakeNotifications(), (std::vector<std::string>{"TFrame27+100", "TFrame27+100", "TFrame27+100"}));
  EXPECT_EQ(Elements().size(), 1u) << "nothing is stored before the confirm";
  EXPECT_TRUE(ColourNear(50, 50, box.Sentakucol2)) << "the chain shows in the selection colour";
  Confirm(20, 60);
  const std::vector<RDrawElement> chain = {PenArcCurves(50, 40, 10, 0, 180), PenArcCurves(30, 40, 10, 180, 0),
                                           PenArcCurves(20, 45, 5, 90, 270)};
  ExpectUndoLog(LoggedCurves(chain));
  EXPECT_EQ(Elements().size(), 4u);
  EXPECT_EQ(TakeNotifications(), (std::vector<std::string>{"TFrame27+103"}));
  EXPECT_EQ(box.B_Switch, _off);
  ASSERT_NE(Chain(), nullptr) << "the emptied chain is kept";
  EXPECT_EQ(Chain()->ArcCount, 0);
  EXPECT_EQ(box.ButonType, dtkyokusen3ten);
  // A part of the control painted again shows the stored arcs alone.
  box.InvalidateWorldRect(10, 20, 70, 70);
  ApplyPendingPaint();
  ExpectScreenMatchesRedraw();
}

TEST_F(CurveCommands, ChainClicksWithoutAPointOrOnAnEarlierPointAreRefused) {
  Seed({Point(70, 70), Point(90, 70)});
  TcadBox& box = Box();
  box.Update();
  box.ButonType = dtkyokusen3ten;
  Click(30, 30, ssRight);  // nothing to snap to
  EXPECT_EQ(TopMessage(), J("点無"));
  EXPECT_EQ(box.B_Switch, _off);
  Click(70.2, 70.1, ssRight);
  EXPECT_EQ(box.B_Switch, on1);
  Click(69.9, 70.2, ssRight);  // the start point again
  EXPECT_EQ(TopMessage(), J("同一点"));
  EXPECT_EQ(box.B_Switch, on1);
  Click(90.1, 70, ssRight);
  EXPECT_EQ(box.B_Switch, on2);
  // At the end point the refusal is a label at the cursor.
  for (const RPoint2D p : {RPoint2D{90, 70.1}, RPoint2D{70.1, 70}}) {
    box.LabelPrevText.clear();
    Click(p.x, p.y, ssRight);
    EXPECT_EQ(box.LabelPrevText, J("同一点"));
    EXPECT_EQ(box.B_Switch, on2);
  }
  EXPECT_TRUE(TakeNotifications().empty());
  // A free click is not tested.
  Click(80, 80);
  EXPECT_EQ(box.B_Switch, on1);
}

TEST_F(CurveCommands, AnEndPointInLineWithTheOthersIsRefused) {
  TcadBox& box = Box();
  box.ButonType = dtkyokusen3ten;
  Click(10, 10);
  Click(20, 20);
  MoveTo(30, 30);
  Click(30, 30);
  EXPECT_EQ(box.B_Switch, on2);
  EXPECT_EQ(Chain()->ArcCount, 0);
  EXPECT_TRUE(TakeNotifications().empty());
  ExpectScreenMatchesRedraw();
  // Another end point makes the arc.
  MoveTo(40, 10);
  Click(30, 10);  // centre (20, 10), radius 10
  ASSERT_EQ(Chain()->ArcCount, 1);
  EXPECT_NEAR(+Chain()->Elements[0].Radius, 10, 1e-9);
}

TEST_F(CurveCommands, AMidpointAssistGivesTheEndPointAndTheArcIsTaken) {
  TcadBox& box = Box();
  box.ButonType = dtkyokusen3ten;
  Click(60, 40);
  Click(50, 50);
  MoveTo(45, 45);
  // The two-point midpoint assist between (39, 40) and (41, 40).
  box.SavedMode = dtkyokusen3ten;
  box.ButonType = dtNitenkan;
  Click(39, 40);
  Click(41, 40);
  EXPECT_EQ(box.ButonType, dtkyokusen3ten);
  ASSERT_EQ(Chain()->ArcCount, 1);
  EXPECT_NEAR(+Chain()->Elements[0].X1, 50, 1e-9);
  EXPECT_NEAR(+Chain()->Elements[0].Y1, 40, 1e-9);
  EXPECT_EQ(box.B_Switch, on1);
  EXPECT_EQ(box.FirstPoint.x, 40);
  EXPECT_EQ(TakeNotifications(), (std::vector<std::string>{"TFrame27+100"}));
}

TEST_F(CurveCommands, TheChainCancelTakesItsArcsAwayAndStoresNothing) {
  // At the pass point of the third arc, and at the end point of a chain
  // without arcs (its preview showing).
  for (const bool withArcs : {true, false}) {
    SCOPED_TRACE(withArcs);
    StartAfresh(dtkyokusen3ten);
    Click(60, 40);
    Click(50, 50);
    if (withArcs) {
      Click(40, 40);
      Click(30, 30);
      Click(20, 40);
    }
    MoveTo(40, 60);
    CancelCommands();
    EXPECT_EQ(Chain(), nullptr);
    ExpectElements({});
    // A part of the control painted again (a window over it) brings back
    // nothing of the chain.
    Box().InvalidateWorldRect(10, 20, 70, 70);
    ApplyPendingPaint();
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CurveCommands, TheRedrawDrawsTheChainUntilBothButtonsAreHeld) {
  TcadBox& box = Box();
  box.Update();  // a paint left from the set-up would wipe the chain
  box.ButonType = dtkyokusen3ten;
  // 21 half circles of radius 3 side by side.
  Click(0, 20);
  for (int k = 0; k < 21; ++k) {
    Click(6 * k + 3, 23);
    Click(6 * k + 6, 20);
  }
  ASSERT_EQ(Chain()->ArcCount, 21);
  box.RedrawAll(false);
  EXPECT_TRUE(ColourNear(6 * 20 + 3, 23, box.Sentakucol2));
  ExpectScreenMatchesRedraw();

  Input().Hold(PolledKey::LeftButton);
  Input().Hold(PolledKey::RightButton);
  box.RedrawAll(false);
  EXPECT_TRUE(ColourNear(6 * 18 + 3, 23, box.Sentakucol2)) << "the 19th arc";
  EXPECT_FALSE(ColourNear(6 * 19 + 3, 23, box.Sentakucol2)) << "the walk stops before the 20th";
  EXPECT_FALSE(ColourNear(6 * 20 + 3, 23, box.Sentakucol2));
}

// ---- Curves through vertices ---------------------------------------------------

TEST_F(CurveCommands, CurveVerticesShowAsAPolylineWithARubberSegment) {
  TcadBox& box = Box();
  box.ButonType = dtSupuLine;
  Click(10, 10);
  EXPECT_EQ(box.B_Switch, on1);
  EXPECT_TRUE(TakeNotifications().empty()) << "the first vertex is not told";
  MoveTo(30, 10);
  EXPECT_EQ(box.LastVertex.x, 30);
  EXPECT_TRUE(ColourNear(20, 10, box.Sentakucol2)) << "the rubber segment";
  Click(30, 40);
  // A vertex press waits for its release.
  MoveTo(50, 10);
  Press(50, 10, ssLeft);
  EXPECT_EQ(box.DragStage, 1);
  Release(50, 10, ssLeft);
  EXPECT_EQ(box.DragStage, 0);
  EXPECT_EQ(box.B_Switch, on2);
  EXPECT_EQ(TakeNotifications(), (std::vector<std::string>{"TFrame27+100", "TFrame27+100"}));
  const TSupuLineobj* v = box.Tool(ToolSlot::PolygonObj).Get<TSupuLineobj>();
  ASSERT_NE(v, nullptr);
  ASSERT_EQ(v->PointCount, 3);
  EXPECT_EQ(v->PointX[3], 50);
  EXPECT_EQ(v->PointY[3], 10);
  MoveTo(70, 30);
  EXPECT_TRUE(ColourNear(20, 25, box.Sentakucol2)) << "the first edge";
  EXPECT_TRUE(ColourNear(60, 20, box.Sentakucol2)) << "the rubber segment from the last vertex";
  ExpectElements({});
  // The cancel shared with the polygon range paints the polyline over.
  CancelCommands();
  EXPECT_TRUE(box.Tool(ToolSlot::PolygonObj).Empty());
  ExpectElements({});
  ExpectScreenMatchesRedraw();
}

TEST_F(CurveCommands, AVertexSnappedOntoTheVertexBeforeIsRefused) {
  Seed({Point(40, 40), Point(60, 40)});
  TcadBox& box = Box();
  box.Update();
  box.ButonType = dtSupuLine;
  Click(30, 30, ssRight);  // nothing there: dropped without a word
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_NE(TopMessage(), J("点無"));
  Click(40.1, 40, ssRight);
  EXPECT_EQ(box.DragStage, 0);
  Click(40, 40.1, ssRight);
  EXPECT_EQ(TopMessage(), J("同一点"));
  EXPECT_EQ(box.B_Switch, on1);
  Click(60, 40.2, ssRight);
  Click(60.1, 40, ssRight);
  EXPECT_EQ(box.B_Switch, on2);
  EXPECT_EQ(box.Tool(ToolSlot::PolygonObj).Get<TSupuLineobj>()->PointCount, 2);
}

TEST_F(CurveCommands, TheFinishStoresTheToolsCurveWithChainTags) {
  TcadBox& box = Box();
  box.ButonType = dtSupuLine;
  box.CurveKind = 1;    // open midpoint curve
  box.RepeatCount = 5;  // samples at t = 0, 1/3, 2/3, 1
  Click(10, 10);
  Click(30, 40);
  Click(50, 10);
  TakeNotifications();
  Confirm(70, 70);
  // S = (20, 25), V = (30, 40), E = (40, 25): Q(t) = (1-t)²S + 2t(1-t)V + t²E.
  const auto q = [](double t) {
    const double a = (1 - t) * (1 - t), b = 2 * t * (1 - t), c = t * t;
    return RPoint2D{a * 20 + b * 30 + c * 40, a * 25 + b * 40 + c * 25};
  };
  const RPoint2D q1 = q(1.0 / 3), q2 = q(2.0 / 3);
  const std::vector<RDrawElement> curve = {
      TaggedLine(10, 10, 20, 25, kLineTagCurveFirst),  // the first vertex to the first midpoint
      // (the quadratic piece's chord of no length is not stored)
      TaggedLine(20, 25, q1.x, q1.y, kLineTagCurveInner),
      TaggedLine(q1.x, q1.y, q2.x, q2.y, kLineTagCurveInner),
      TaggedLine(q2.x, q2.y, 40, 25, kLineTagCurveInner),
      TaggedLine(40, 25, 50, 10, kLineTagCurveLast),
  };
  ExpectElements(curve);
  ExpectUndoLog(LoggedCurves(curve));
  EXPECT_EQ(TakeNotifications(), (std::vector<std::string>{"TFrame27+103"}));
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_TRUE(box.Tool(ToolSlot::PolygonObj).Empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(CurveCommands, ACurveWhoseEndLinesAreTooShortIsStillOneStepClosedByItsOwnLine) {
  TcadBox& box = Box();
  box.ButonType = dtSupuLine;
  // An earlier curve, so that the log holds its step.
  box.CurveKind = 1;
  box.RepeatCount = 5;
  Click(70, 80);
  Click(90, 90);
  Click(110, 80);
  Confirm(120, 70);
  ASSERT_EQ(UndoLog().size(), 5u);

  // The open spline through two points of an oblique segment, 8 steps:
  // the first chord's box holds the first point and the last chord's box
  // the second, each split off as a line of no length; two empty entries
  // follow. Along the straight spline x = 10 + 80u, y = 10 + 40u.
  box.CurveKind = 0;
  box.RepeatCount = 4;
  Click(10, 10);
  Click(90, 50);
  Confirm(100, 20);
  std::vector<RDrawElement> lines;
  for (int j = 0; j < 8; ++j) {
    const std::uint16_t tag = j == 0 ? kLineTagCurveFirst : j == 7 ? kLineTagCurveLast : kLineTagCurveInner;
    lines.push_back(TaggedLine(10 + 10 * j, 10 + 5 * j, 20 + 10 * j, 15 + 5 * j, tag));
  }
  ExpectUndoLog(LoggedCurves(lines));
  ASSERT_EQ(Elements().size(), 13u);
  for (int j = 0; j < 8; ++j) EXPECT_EQ(DescribeElement(Elements()[5 + j]), DescribeElement(lines[j]));
  ExpectScreenMatchesRedraw();

  // A curve of no line (no divisions) leaves the drawing's last line and
  // the log as they were.
  box.RepeatCount = 0;
  Click(10, 80);
  Click(40, 90);
  Confirm(60, 60);
  EXPECT_EQ(Elements().size(), 13u);
  EXPECT_EQ(+Elements().back().LineTag, kLineTagCurveLast);
  EXPECT_EQ(+Elements()[4].LineTag, kLineTagCurveLast);
  EXPECT_EQ(+Elements()[3].LineTag, kLineTagCurveInner);
  ExpectUndoLog(LoggedCurves(lines));
  ExpectScreenMatchesRedraw();
}

TEST_F(CurveCommands, AFinishWithoutACurveLineLeavesAnUnrelatedLineAlone) {
  Seed({Line(10, 80, 40, 80)});
  TcadBox& box = Box();
  box.ButonType = dtSupuLine;
  box.RepeatCount = 0;
  Click(10, 10);
  Click(50, 30);
  Confirm(70, 40);
  ASSERT_EQ(Elements().size(), 1u);
  EXPECT_EQ(+Elements()[0].LineTag, 0);
  ExpectUndoLog({});
  ExpectScreenMatchesRedraw();
}

TEST_F(CurveCommands, TheRedrawDrawsTheCurvesPolylineUntilBothButtonsAreHeld) {
  TcadBox& box = Box();
  box.ButonType = dtSupuLine;
  // 22 vertices on a zigzag: 21 edges, edge k from (5k, 20) up or down.
  for (int k = 0; k <= 21; ++k) Click(5 * k + 5, k % 2 == 0 ? 20 : 30);
  MoveTo(120, 80);
  box.RedrawAll(false);
  EXPECT_TRUE(ColourNear(5 * 20 + 7.5, 25, box.Sentakucol2)) << "the 21st edge";
  EXPECT_FALSE(ColourNear(117, 60, box.Sentakucol2)) << "no rubber segment after a redraw";

  Input().Hold(PolledKey::LeftButton);
  Input().Hold(PolledKey::RightButton);
  box.RedrawAll(false);
  EXPECT_TRUE(ColourNear(5 * 18 + 7.5, 25, box.Sentakucol2)) << "the 19th edge";
  EXPECT_FALSE(ColourNear(5 * 19 + 7.5, 25, box.Sentakucol2)) << "the walk stops before the 20th";
}

// ---- Wave lines -------------------------------------------------------------------

TEST_F(CurveCommands, TheWaveEndLiesOnTheNearestRayOfTheAngleStep) {
  TcadBox& box = Box();
  box.ButonType = dtsinko;
  box.AngleStep = 15;
  box.DoubleOffsetRight = 300;  // 3 drawing units at 1/100
  box.DoubleOffsetLeft = 200;
  Click(20, 20);
  EXPECT_EQ(box.CommandStep, 1);
  // (60, 32) lies 16.7 degrees from the first point: the 15-degree ray;
  // its foot there at 40 cos 15 + 12 sin 15.
  MoveTo(60, 32);
  const double c = std::cos(15 * kDegCurves), s = std::sin(15 * kDegCurves);
  const double along = 40 * c + 12 * s;
  EXPECT_NEAR(box.CurrentPoint.x, 20 + along * c, 1e-9);
  EXPECT_NEAR(box.CurrentPoint.y, 20 + along * s, 1e-9);
  // The band: 3 to the right of the axis (s, -c) and 2 to the left (-s, c).
  const RPointPair& right = box.PreviewBlock[0];
  const RPointPair& left = box.PreviewBlock[1];
  EXPECT_NEAR(right.xa, 20 + 3 * s, 1e-9);
  EXPECT_NEAR(right.ya, 20 - 3 * c, 1e-9);
  EXPECT_NEAR(right.xb, 20 + along * c + 3 * s, 1e-9);
  EXPECT_NEAR(right.yb, 20 + along * s - 3 * c, 1e-9);
  EXPECT_NEAR(left.xa, 20 - 2 * s, 1e-9);
  EXPECT_NEAR(left.ya, 20 + 2 * c, 1e-9);
  EXPECT_NEAR(left.xb, 20 + along * c - 2 * s, 1e-9);
  EXPECT_NEAR(left.yb, 20 + along * s + 2 * c, 1e-9);

  // A set length of 2000 (20 drawing units) along the same ray.
  box.CmdLength = 2000;
  MoveTo(60, 31);
  EXPECT_NEAR(box.CurrentPoint.x, 20 + 20 * c, 1e-9);
  EXPECT_NEAR(box.CurrentPoint.y, 20 + 20 * s, 1e-9);
  // Leaving the control takes the band away.
  Leave();
  EXPECT_EQ(box.CurrentPoint.x, box.FirstPoint.x);
  EXPECT_TRUE(box.RubberErased);
  ExpectScreenMatchesRedraw();
  Enter();
  MoveTo(60, 31);
  CancelCommands();
  ExpectElements({});
  ExpectScreenMatchesRedraw();
}

TEST_F(CurveCommands, TheSineWaveIsStoredAsOneStepWithChainTags) {
  const SettingsGuard guard;
  ToolDefaults.WaveStyle = 0;
  TcadBox& box = Box();
  box.ButonType = dtsinko;
  box.SetCount = 8;
  box.AngleArcStart = 1000;  // height 10 at 1/100
  box.AngleArcEnd = 4000;    // wavelength 40
  Seed({Line(10, 80, 40, 80)});
  Box().DeleteElementByIndex(0);  // a step of its own in the log
  Click(20, 50);
  MoveTo(98, 50);
  Click(98, 50);
  // 16 lines of 5 along x, y = 5 sin(2 pi x / 40) from the first point; the
  // last ends 1e-5 past the end.
  std::vector<RDrawElement> wave;
  for (int k = 0; k < 16; ++k) {
    const double u = k == 15 ? 78.00001 : 5 * (k + 1);
    const std::uint16_t tag = k == 0 ? kLineTagCurveFirst : k == 15 ? kLineTagCurveLast : kLineTagCurveInner;
    wave.push_back(TaggedLine(20 + 5 * k, 50 + 5 * std::sin(2 * std::numbers::pi * 5 * k / 40), 20 + u,
                              50 + 5 * std::sin(2 * std::numbers::pi * u / 40), tag));
  }
  ExpectElements(wave);
  ExpectUndoLog(LoggedCurves(wave));
  EXPECT_EQ(box.CommandStep, 0);
  ExpectScreenMatchesRedraw();

  // A wave of no length stores nothing and leaves the log alone.
  Click(60, 30);
  Click(60, 30);
  EXPECT_EQ(Elements().size(), 16u);
  ExpectUndoLog(LoggedCurves(wave));
  ExpectScreenMatchesRedraw();
}

TEST_F(CurveCommands, CurvesThroughSnappedPointsShowAsTheRedrawShowsThem) {
  // Every vertex or end is read from a point of the drawing, so the point
  // marker shows on the curve; an upright line crosses what is drawn
  // before the commit.
  struct Case {
    const char* what;
    Sbuttontype mode;
  } cases[] = {{"arc chain", dtkyokusen3ten}, {"curve through vertices", dtSupuLine}, {"wave", dtsinko}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SettingsGuard guard;
    ToolDefaults.WaveStyle = 0;
    StartAfresh(c.mode);
    TcadBox& box = Box();
    box.RepeatCount = 4;
    box.SetCount = 4;
    box.AngleArcStart = 500;
    box.AngleArcEnd = 2000;
    Seed({Line(50, 20, 50, 80), Point(40, 40), Point(50, 50), Point(60, 40)});
    const std::size_t seeded = Elements().size();
    Click(40.2, 40.1, ssRight);
    if (c.mode == dtsinko) {
      MoveTo(55, 42);
      Click(60.1, 40.2, ssRight);
    } else {
      MoveTo(45, 48);
      Click(50.1, 50.2, ssRight);
      MoveTo(55, 45);
      Click(59.9, 40.1, ssRight);
      MoveTo(52, 35);
      Confirm(52, 35);
    }
    ASSERT_GT(Elements().size(), seeded);
    EXPECT_NE(PixelAt(50, 75), clBlack) << "the upright line";
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(CurveCommands, TheCoilWaveStoresItsHalfCirclesAndTaggedStrokes) {
  TcadBox& box = Box();
  box.ButonType = dtsinko;
  box.GroupScales[0] = 10;  // coil 50 high, loops 20 wide, advance 10: 5, 2 and 1 drawing units
  Click(20, 50);
  MoveTo(28, 50);
  Click(28, 50);
  // Upper half circles over 0-2, 3-5, 6-8 at y = 1.5, lower ones under
  // 1.5-3.5, 4.5-6.5 at y = -1.5, each followed by its slanted stroke.
  const std::vector<RDrawElement> coil = {
      PenArcCurves(21, 51.5, 1, 0, 180),   TaggedLine(22, 51.5, 21.5, 48.5, kLineTagCurveInner),
      PenArcCurves(22.5, 48.5, 1, 180, 0), TaggedLine(23, 51.5, 23.5, 48.5, kLineTagCurveInner),
      PenArcCurves(24, 51.5, 1, 0, 180),   TaggedLine(25, 51.5, 24.5, 48.5, kLineTagCurveInner),
      PenArcCurves(25.5, 48.5, 1, 180, 0), TaggedLine(26, 51.5, 26.5, 48.5, kLineTagCurveInner),
      PenArcCurves(27, 51.5, 1, 0, 180),   TaggedLine(28, 51.5, 27.5, 48.5, kLineTagCurveLast),
  };
  ExpectElements(coil);
  ExpectUndoLog(LoggedCurves(coil));
  ExpectScreenMatchesRedraw();
}

TEST_F(CurveCommands, AGestureKeepsTheWaveBandOnTheScreen) {
  TcadBox& box = Box();
  box.ButonType = dtsinko;
  box.DoubleOffsetRight = 300;
  box.DoubleOffsetLeft = 200;
  box.DridoL1 = 40;
  box.DridoL2 = 40;
  Click(20, 50);
  MoveTo(60, 50);
  const TColor pen = box.ColourTable[box.Pencol];
  EXPECT_EQ(PixelAt(40, 47), pen);
  EXPECT_EQ(PixelAt(40, 52), pen);
  Drag(60, 50, 60, 70);  // north: a host action
  EXPECT_EQ(box.CommandStep, 1);
  EXPECT_FALSE(box.RubberErased);
  EXPECT_EQ(PixelAt(40, 47), pen);
  EXPECT_EQ(PixelAt(40, 52), pen);
  ExpectElements({});
  // The next move moves the band; the cancel takes it away.
  MoveTo(60, 30);
  EXPECT_EQ(PixelAt(40, 47), clBlack);
  CancelCommands();
  EXPECT_EQ(box.CommandStep, 0);
  ExpectScreenMatchesRedraw();
}

}  // namespace
