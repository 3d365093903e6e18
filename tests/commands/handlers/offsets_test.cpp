// Offset lines, offsets of a part of a line and offset circles, through the
// mouse. Group 0 is drawn at 1:100, so an offset pitch of 500 (real
// millimetres) is 5 drawing units.

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "commands/handlers/offsets.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/element_factory.h"
#include "tools/edit/offset_stretch.h"

namespace {

// A line as the current pen (type 1, colour 1, group 0, layer 0) adds it;
// the drawing keeps it unmarked, the undo log marked as added.
RDrawElement PenLineOffsets(double x1, double y1, double x2, double y2) {
  RDrawElement e = Line(x1, y1, x2, y2);
  e.ColorNo = 1;
  return e;
}

std::vector<RDrawElement> Logged(std::vector<RDrawElement> elements) {
  for (RDrawElement& e : elements) e = Added(e);
  return elements;
}

RDrawElement PenArc(double cx, double cy, double r, float start, float end, float ratio, float rotation) {
  RDrawElement e = Arc(cx, cy, r, start, end, ratio, rotation);
  e.ColorNo = 1;
  return Added(e);
}

std::vector<std::string> Panel(std::initializer_list<int> numbers) {
  std::vector<std::string> posts;
  for (const int n : numbers) posts.push_back("TFrame4+" + std::to_string(n));
  return posts;
}

class OffsetCommands : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    // The first paint of the new control goes now: later it would cover the
    // top captions the commands show.
    Box().Update();
    Box().OffsetPitch = 500;
  }
  // A fresh drawing with the base line, picked by a right click (the set
  // pitch is used) at (px, py).
  RDrawElement StartWithBase(const RDrawElement& base, double px, double py) {
    StartAfresh(dtFukusen);
    Seed({base});
    Click(px, py, ssRight);
    EXPECT_EQ(Box().B_Switch, on1);
    return Elements()[0];
  }
};

TEST_F(OffsetCommands, CopiesLieAtWholePitchesOnTheClickSide) {
  // (nx, ny): the unit normal of the base line toward the click; the click
  // lies `distance` from the base line, so the count is Trunc(distance / 5),
  // at least 1.
  struct Case {
    const char* what;
    double x1, y1, x2, y2, px, py, nx, ny, distance;
    int count;
  } cases[] = {
      {"3.9 pitches above", 20, 50, 100, 50, 60, 50, 0, 1, 19.5, 3},
      {"0.2 pitch above", 20, 50, 100, 50, 60, 50, 0, 1, 1, 1},
      {"exactly 2 pitches above", 20, 50, 100, 50, 60, 50, 0, 1, 10, 2},
      {"exactly 3 pitches below", 20, 50, 100, 50, 60, 50, 0, -1, 15, 3},
      {"4.98 pitches below", 20, 50, 100, 50, 60, 50, 0, -1, 24.9, 4},
      // Direction (0.8, 0.6), length 50; the normal to its left is (-0.6, 0.8).
      {"2.4 pitches left of a sloped line", 20, 20, 60, 50, 40, 35, -0.6, 0.8, 12, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RDrawElement base = StartWithBase(Line(c.x1, c.y1, c.x2, c.y2), c.px, c.py);
    TakeNotifications();
    Click(c.px + c.distance * c.nx, c.py + c.distance * c.ny);
    std::vector<RDrawElement> copies;
    for (int i = 1; i <= c.count; ++i) {
      const double dx = 5 * i * c.nx, dy = 5 * i * c.ny;
      copies.push_back(PenLineOffsets(c.x1 + dx, c.y1 + dy, c.x2 + dx, c.y2 + dy));
    }
    std::vector<RDrawElement> all{base};
    all.insert(all.end(), copies.begin(), copies.end());
    ExpectElements(all);
    ExpectUndoLog(Logged(copies));
    EXPECT_EQ(Box().RepeatCount, 0) << "a derived count serves one commit";
    EXPECT_EQ(Box().OffsetLinesMade, c.count);
    EXPECT_EQ(Box().B_Switch, _off);
    EXPECT_EQ(TakeNotifications(), Panel({100}));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(OffsetCommands, AHostCountMakesThatManyCopiesAndStays) {
  const RDrawElement base = StartWithBase(Line(20, 20, 100, 20), 60, 20);
  Box().RepeatCount = 5;
  Click(60, 21);  // 0.2 pitches away: the host's count holds
  ExpectElements({base, PenLineOffsets(20, 25, 100, 25), PenLineOffsets(20, 30, 100, 30),
                  PenLineOffsets(20, 35, 100, 35), PenLineOffsets(20, 40, 100, 40), PenLineOffsets(20, 45, 100, 45)});
  EXPECT_EQ(UndoLog().size(), 5u);
  EXPECT_EQ(Box().RepeatCount, 5);
  EXPECT_EQ(Box().OffsetLinesMade, 1);
  ExpectScreenMatchesRedraw();
}

TEST_F(OffsetCommands, ALeftPickLetsTheNextClickSetThePitch) {
  StartAfresh(dtFukusen);
  Seed({Line(20, 50, 100, 50)});
  const RDrawElement base = Elements()[0];
  Click(60, 50);
  EXPECT_TRUE(Box().FamilyState<ROffsetState>().PitchFromPoint);
  Click(60, 62);  // 12 drawing units: 1200 real
  EXPECT_DOUBLE_EQ(Box().OffsetPitch, 1200);
  EXPECT_EQ(TopMessage(), "[1200.000]");
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_FALSE(Box().FamilyState<ROffsetState>().PitchFromPoint);
  EXPECT_EQ(Elements().size(), 1u);
  EXPECT_EQ(TakeNotifications(), Panel({116, 101}));
  Click(60, 75);  // 25 / 12: two copies at the new pitch
  ExpectElements({base, PenLineOffsets(20, 62, 100, 62), PenLineOffsets(20, 74, 100, 74)});
  EXPECT_EQ(TakeNotifications(), Panel({100}));
  ExpectScreenMatchesRedraw();
}

TEST_F(OffsetCommands, ACopyThroughTheSnappedSidePointShowsAsTheRedrawShowsIt) {
  // The side is read from a point that the first copy runs through: the
  // point marker stays over the copy.
  StartWithBase(Line(20, 50, 100, 50), 60, 50);
  Seed({Point(60, 55)});
  Click(60.2, 55.3, ssRight);
  ASSERT_EQ(Elements().size(), 3u);
  ExpectScreenMatchesRedraw();
}

TEST_F(OffsetCommands, ARightClickWithOrWithoutShiftCountsFromTheSnappedPoint) {
  // Base y = 50, pitch 5. The click at (60.4, 59.6) lies 9.6 from the base:
  // one copy; the point (60, 60) it snaps to lies 10 from it: two.
  struct Case {
    const char* what;
    TShiftState shift;
    bool point;
    const char* caption;
    int copies;
  } cases[] = {
      {"right, a point near", ssRight, true, " 点ﾋｯﾄ  ", 2},
      {"Shift+right, a point near", ssShift | ssRight, true, " 点ﾋｯﾄ  ", 2},
      {"Shift+right, nothing near: the click itself", ssShift | ssRight, false, " 点なし ", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartWithBase(Line(20, 50, 100, 50), 60, 50);
    if (c.point) Seed({Point(60, 60)});
    const std::vector<RDrawElement> seeded = Elements();
    Click(60.4, 59.6, c.shift);
    EXPECT_EQ(TopMessage(), J(c.caption));
    std::vector<RDrawElement> want = seeded, copies;
    for (int i = 1; i <= c.copies; ++i) copies.push_back(PenLineOffsets(20, 50 + 5 * i, 100, 50 + 5 * i));
    want.insert(want.end(), copies.begin(), copies.end());
    ExpectElements(want);
    ExpectUndoLog(Logged(copies));
    EXPECT_EQ(Box().B_Switch, _off);
  }
}

TEST_F(OffsetCommands, TwoSnappedPointsGiveTheBase) {
  TcadBox& box = Box();
  box.ButonType = dtFukusen;
  Seed({Point(30, 30), Point(70, 30)});
  const RDrawElement p = Elements()[0], q = Elements()[1];
  // Nothing to snap to: the click is dropped.
  Click(90, 80, ssShift | ssRight);
  EXPECT_EQ(TopMessage(), J(" 点なし "));
  EXPECT_EQ(box.B_Switch, _off);
  Click(30.5, 30.5, ssShift | ssRight);
  EXPECT_EQ(TopMessage(), J(" 点ﾋｯﾄ  "));
  EXPECT_EQ(box.B_Switch, on10);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{});
  Click(90, 80, ssRight);
  EXPECT_EQ(TopMessage(), J(" 点なし "));
  EXPECT_EQ(box.B_Switch, on10);
  Click(69.6, 30.3, ssRight);
  EXPECT_EQ(box.B_Switch, on1);
  EXPECT_FALSE(box.FamilyState<ROffsetState>().PitchFromPoint);
  EXPECT_EQ(TakeNotifications(), Panel({116}));
  Click(50, 41);
  ExpectElements({p, q, PenLineOffsets(30, 35, 70, 35), PenLineOffsets(30, 40, 70, 40)});
  ExpectUndoLog(Logged({PenLineOffsets(30, 35, 70, 35), PenLineOffsets(30, 40, 70, 40)}));
  ExpectScreenMatchesRedraw();
}

TEST_F(OffsetCommands, TheTwoPointGestureStartsTheBaseAtTheDragStart) {
  TcadBox& box = Box();
  box.DridoL1 = 40;
  box.DridoL2 = 40;
  box.ButonType = dtFukusen;
  Seed({Point(30, 30), Point(70, 30)});
  Drag(30.4, 30.4, 42.4, 30.4, ssRight);  // 60 pixels east
  EXPECT_EQ(box.B_Switch, on10);
  EXPECT_EQ(box.RefLine.xa, 30);
  EXPECT_EQ(box.RefLine.ya, 30);
  Click(70.3, 29.8, ssLeft);  // a left second point measures the pitch next
  EXPECT_EQ(box.B_Switch, on1);
  EXPECT_TRUE(box.FamilyState<ROffsetState>().PitchFromPoint);
  EXPECT_EQ(box.RefLine.xb, 70);
  EXPECT_EQ(box.RefLine.yb, 30);
}

TEST_F(OffsetCommands, RightClickOffsetsOfTwoLinesMeetAtTheCorner) {
  TcadBox& box = Box();
  box.ButonType = dtFukusen;
  box.RepeatCount = 1;
  Seed({Line(60, 0, 60, 60), Line(10, 10, 50, 10)});
  const RDrawElement upright = Elements()[0], flat = Elements()[1];
  // The copy of the flat line: parallel to the line before it, so no corner.
  Click(30, 10, ssRight);
  Click(30, 20, ssRight);
  EXPECT_EQ(TopMessage(), J(" 点なし ")) << "the distance click keeps its raw point";
  const RDrawElement c1 = PenLineOffsets(10, 15, 50, 15);
  ExpectElements({upright, flat, c1});
  EXPECT_EQ(box.FamilyState<ROffsetState>().KeptPoint.x, 30);
  EXPECT_EQ(box.FamilyState<ROffsetState>().KeptPoint.y, 20);
  // The copy of the upright line, x = 55, meets y = 15 at (55, 15): the
  // older copy runs from its far end to the corner, the newer one from the
  // end on the click's side of the corner (the click's foot is (55, 40)).
  Click(60, 40, ssRight);
  Click(50, 40, ssRight);
  const RDrawElement c2 = PenLineOffsets(55, 0, 55, 60);
  const RDrawElement j1 = PenLineOffsets(10, 15, 55, 15);
  RDrawElement j2 = PenLineOffsets(55, 60, 55, 15);
  j2.ScratchByte = 2;  // joined at its second end
  ExpectElements({upright, flat, j1, j2});
  ExpectUndoLog({Added(c2), Deleted(c2), Deleted(c1), Added(j1), Added(j2)});
  EXPECT_EQ(box.FamilyState<ROffsetState>().KeptPoint.x, 50);
  EXPECT_EQ(box.FamilyState<ROffsetState>().KeptPoint.y, 40);
  // Where the two copies lay before the join is painted again at once.
  ExpectScreenMatchesRedraw();
  // A part of the control painted again (a window over it) shows the
  // joined lines alone: nothing comes back of what the join cut off.
  box.InvalidateWorldRect(40, 0, 70, 70);
  ApplyPendingPaint();
  ExpectScreenMatchesRedraw();
  box.CancelCommands(true);
  EXPECT_EQ(box.FamilyState<ROffsetState>().KeptPoint.x, 0);
  EXPECT_EQ(box.FamilyState<ROffsetState>().KeptPoint.y, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(OffsetCommands, NoCopyWithoutAPositivePitch) {
  // The two lines drawn last are perpendicular: a join would trim them.
  struct Case {
    const char* what;
    double pitch;
    int repeat;
    bool measure;  // the pitch is taken from a click on the base line
  } cases[] = {
      {"pitch 0, derived count", 0, 0, false},
      {"pitch 0, host count", 0, 3, false},
      {"negative pitch", -500, 0, false},
      {"pitch no number", std::nan(""), 0, false},
      {"infinite pitch, host count", INFINITY, 2, false},
      {"pitch measured on the base line", 500, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtFukusen);
    TcadBox& box = Box();
    Seed({Line(30, 90, 50, 90), Line(60, 0, 60, 60), Line(10, 10, 50, 10)});
    box.DeleteElementByIndex(0);  // an earlier step in the log
    const std::vector<RDrawElement> before = Elements();
    const std::vector<RDrawElement> log = UndoLog();
    box.OffsetPitch = c.pitch;
    box.RepeatCount = c.repeat;
    if (c.measure) {
      Click(30, 10);
      Click(30, 10);  // on the base line
      EXPECT_EQ(box.OffsetPitch, 0);
      EXPECT_EQ(TopMessage(), "[0.000]");
      Click(30, 20);
    } else {
      Click(30, 10, ssRight);
      Click(30, 20, ssRight);
    }
    ExpectElements(before);
    ExpectUndoLog(log);
    EXPECT_EQ(box.B_Switch, _off);
    EXPECT_EQ(box.RepeatCount, c.repeat);
    box.RepeatCount = 0;
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(OffsetCommands, ACancelTakesTheBandAway) {
  const RDrawElement base = StartWithBase(Line(20, 50, 100, 50), 60, 50);
  MoveTo(60, 60);
  EXPECT_NE(PixelAt(40, 55), clBlack) << "the band at one pitch";
  CancelCommands();
  ExpectElements({base});
  ExpectScreenMatchesRedraw();
}

TEST_F(OffsetCommands, APartIsCutBetweenTheFeetOfTheClicks) {
  struct Case {
    const char* what;
    double sx, sy, ex, ey;  // start and end clicks
    double x1, x2;          // the part, start first
  } cases[] = {
      {"start before end", 40, 53, 80, 48, 40, 80},
      {"a start at the second end takes the line reversed", 100, 52, 70, 47, 100, 70},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtFukuSenTanbu);
    Seed({Line(20, 50, 100, 50)});
    const RDrawElement base = Elements()[0];
    TakeNotifications();
    Click(60, 50);
    EXPECT_EQ(Hint(), "  " + J("線ﾋｯﾄ"));
    Click(c.sx, c.sy);
    EXPECT_EQ(Box().B_Switch, on2);
    EXPECT_EQ(Box().RefLine.xa, c.x1);
    Click(c.ex, c.ey);
    EXPECT_EQ(Box().B_Switch, on3);
    EXPECT_EQ(Box().RefLine.xb, c.x2);
    Click(60, 61);  // 11 units: two copies
    ExpectElements({base, PenLineOffsets(c.x1, 55, c.x2, 55), PenLineOffsets(c.x1, 60, c.x2, 60)});
    ExpectUndoLog(Logged({PenLineOffsets(c.x1, 55, c.x2, 55), PenLineOffsets(c.x1, 60, c.x2, 60)}));
    EXPECT_EQ(TakeNotifications(), Panel({116, 100}));
    EXPECT_EQ(Box().B_Switch, _off);
    EXPECT_EQ(Box().ButonType, dtFukuSenTanbu);
    ExpectScreenMatchesRedraw();
  }
  StartAfresh(dtFukuSenTanbu);
  Click(60, 50);
  EXPECT_EQ(Hint(), "  " + J("線がありません"));
  EXPECT_EQ(Box().B_Switch, _off);
}

TEST_F(OffsetCommands, BeforeThePartStartTheWholeCopyFollowsTheCursor) {
  // The line picked, the cursor 8 above it: the band is the whole copy one
  // pitch (5) toward it, y = 55 from x = 20 to 100, in green on black.
  StartAfresh(dtFukuSenTanbu);
  Seed({Line(20, 50, 100, 50)});
  Click(60, 50);
  ASSERT_EQ(Box().B_Switch, on1);
  MoveTo(60, 58);
  EXPECT_EQ(Hint(), "  " + J("線開始点指示    [左クリック（自由）：右クリック（点読取り）]"));
  EXPECT_EQ(PixelAt(30, 55), 0x00FF00);
  EXPECT_EQ(PixelAt(90, 55), 0x00FF00);
  CancelCommands();
  ExpectScreenMatchesRedraw();
}

TEST_F(OffsetCommands, APartEndReadByARightClickLiesOnTheCrossingLine) {
  StartAfresh(dtFukuSenTanbu);
  Seed({Line(20, 50, 100, 50), Line(40, 10, 40, 90)});
  Click(60, 50);
  // Near the upright line, above the copy at one pitch (y = 55): whichever
  // point of the upright line the snap takes, its foot on the base is x = 40.
  Click(40.5, 56, ssRight);
  EXPECT_EQ(Box().B_Switch, on2);
  EXPECT_DOUBLE_EQ(Box().RefLine.xa, 40);
  EXPECT_DOUBLE_EQ(Box().RefLine.ya, 50);
  EXPECT_NEAR(Box().SegStart.x, 40, 1e-9);
  // Nothing to read near the end click: it is dropped.
  Click(90, 80, ssRight);
  EXPECT_EQ(Box().B_Switch, on2);
}

TEST_F(OffsetCommands, ThePartGestureReturnsToTheOffsetLines) {
  TcadBox& box = Box();
  box.DridoL1 = 40;
  box.DridoL2 = 40;
  const RDrawElement base = StartWithBase(Line(20, 50, 100, 50), 60, 50);
  Drag(70, 40, 82, 40, ssLeft);  // 60 pixels east: "端点変更 "
  EXPECT_EQ(box.ButonType, dtFukuSenTanbu);
  EXPECT_EQ(box.B_Switch, on1);
  EXPECT_NE(box.EndChangeFlag, 0);
  Click(40, 53);
  Click(80, 48);
  Click(60, 56);
  ExpectElements({base, PenLineOffsets(40, 55, 80, 55)});
  EXPECT_EQ(box.ButonType, dtFukusen);
  EXPECT_EQ(box.B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(OffsetCommands, CirclesArcsAndEllipsesGetConcentricCopies) {
  // Pitch 2 drawing units; the side is the click's distance from the centre
  // against the radius 10, whatever the axis ratio.
  const double c30 = std::cos(std::numbers::pi / 6), s30 = std::sin(std::numbers::pi / 6);
  struct Case {
    const char* what;
    float start, end, ratio, rotation;
    double pickX, pickY;  // on the curve
    double clickX, clickY;
    double radius;
  } cases[] = {
      {"circle, inside", 0, 0, 1, 0, 70, 48, 60, 52, 8},
      {"circle, outside", 0, 0, 1, 0, 70, 48, 60, 65, 12},
      {"arc, inside", 30, 120, 1, 0, 60, 58, 62, 50, 8},
      {"arc, outside", 30, 120, 1, 0, 60, 58, 60, 70, 12},
      {"ellipse, inside", 0, 0, 0.5f, 30, 60 + 10 * c30, 48 + 10 * s30, 61, 48, 8},
      {"ellipse, outside", 0, 0, 0.5f, 30, 60 + 10 * c30, 48 + 10 * s30, 75, 48, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtFukusen);
    TcadBox& box = Box();
    box.OffsetPitch = 200;
    Seed({Arc(60, 48, 10, c.start, c.end, c.ratio, c.rotation)});
    const RDrawElement source = Elements()[0];
    TakeNotifications();
    Click(c.pickX, c.pickY, ssRight);  // the offset lines hand the circle on
    EXPECT_EQ(box.ButonType, dtFukuen);
    EXPECT_EQ(box.B_Switch, on1);
    Click(c.clickX, c.clickY);
    const RDrawElement copy = PenArc(60, 48, c.radius, c.start, c.end, c.ratio, c.rotation);
    ExpectElements({source, copy});
    ExpectUndoLog({copy});
    EXPECT_EQ(TakeNotifications(), Panel({116, 100, 100}));
    EXPECT_EQ(box.ButonType, dtFukusen);
    EXPECT_EQ(box.B_Switch, _off);
    EXPECT_TRUE(box.Tool(ToolSlot::FukuenObj).Empty());
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(OffsetCommands, ACircleCopyWithoutRadiusOrPitchStoresNothing) {
  struct Case {
    const char* what;
    double pitch, clickX;
  } cases[] = {
      {"inside by the whole radius", 1000, 62},
      {"an infinite pitch", INFINITY, 75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtFukusen);
    TcadBox& box = Box();
    box.OffsetPitch = c.pitch;
    Seed({Arc(60, 48, 10)});
    const RDrawElement source = Elements()[0];
    Click(70, 48, ssRight);
    Click(c.clickX, 48);
    ExpectElements({source});
    ExpectUndoLog({});
    EXPECT_EQ(box.ButonType, dtFukusen) << "it still returns";
    EXPECT_EQ(box.B_Switch, _off);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(OffsetCommands, AMeasuredCirclePitchServesTheNextClick) {
  TcadBox& box = Box();
  box.ButonType = dtFukusen;
  box.OffsetPitch = 200;
  Seed({Arc(60, 48, 10)});
  const RDrawElement source = Elements()[0];
  Click(70, 48);  // a left pick: the next click measures
  EXPECT_TRUE(box.FamilyState<ROffsetState>().PitchFromPoint);
  Click(60, 55);  // 7 from the centre: |7 - 10| = 3 units, 300 real
  EXPECT_DOUBLE_EQ(box.OffsetPitch, 300);
  EXPECT_EQ(TopMessage(), "300.000");
  EXPECT_EQ(box.B_Switch, on2);
  // No move since the preview at the old pitch: the copy takes the new one.
  Press(60, 55, ssLeft);
  Release(60, 55, ssLeft);
  ExpectElements({source, PenArc(60, 48, 7, 0, 0, 1, 0)});
  EXPECT_EQ(box.ButonType, dtFukusen);
  ExpectScreenMatchesRedraw();
}

TEST_F(OffsetCommands, AnArcAfterAnotherElementIsTakenByValue) {
  // The arc is the store's second element: its fields lie 51 bytes on, off
  // every alignment of a double, where no reference may bind to them (the
  // sanitizer of the test build stops at one).
  StartAfresh(dtFukuen);
  TcadBox& box = Box();
  box.OffsetPitch = 200;
  Seed({Line(10, 10, 40, 10), Arc(60, 48, 10, 30, 120)});
  const std::vector<RDrawElement> seeded = Elements();
  Click(60, 58, ssRight);  // on the arc at 90°; a right pick keeps the pitch set
  EXPECT_EQ(box.B_Switch, on1);
  ASSERT_FALSE(box.Tool(ToolSlot::FukuenObj).Empty());
  Click(60, 70);  // outside: radius 10 + 2
  const RDrawElement copy = PenArc(60, 48, 12, 30, 120, 1, 0);
  ExpectElements({seeded[0], seeded[1], copy});
  ExpectUndoLog({copy});
}

TEST_F(OffsetCommands, ACancelFreesTheCircleTool) {
  TcadBox& box = Box();
  box.ButonType = dtFukusen;
  Seed({Arc(60, 48, 10)});
  Click(70, 48, ssRight);
  EXPECT_FALSE(box.Tool(ToolSlot::FukuenObj).Empty());
  box.CancelCommands(true);
  EXPECT_TRUE(box.Tool(ToolSlot::FukuenObj).Empty());
  ExpectScreenMatchesRedraw();
}

// ---- Double lines -----------------------------------------------------------

class DoubleLines : public OffsetCommands {
 protected:
  void SetUp() override {
    OffsetCommands::SetUp();
    StartAfresh(dtwsen);
  }
};

TEST_F(DoubleLines, TheLinesLieAtTheOffsetsRightThenLeftInOneStep) {
  // At 1:100 an offset of 500 is 5 drawing units, 300 is 3. (rx, ry): the
  // unit normal to the right of the base direction; the left one is its
  // opposite.
  struct Base {
    const char* what;
    double x1, y1, x2, y2, rx, ry;
  } bases[] = {
      {"east", 20, 20, 40, 20, 0, -1},
      {"north", 50, 20, 50, 40, 1, 0},
      {"west", 40, 60, 20, 60, 0, 1},
      {"south", 70, 60, 70, 40, -1, 0},
  };
  struct Offsets {
    const char* what;
    double right, left;  // real units
  } offsets[] = {{"right alone", 500, 0}, {"left alone", 0, 300}, {"both, unequal", 500, 300}};
  for (const Base& b : bases) {
    for (const Offsets& o : offsets) {
      SCOPED_TRACE(std::string(b.what) + ", " + o.what);
      StartAfresh(dtwsen);
      Box().DoubleOffsetRight = o.right;
      Box().DoubleOffsetLeft = o.left;
      TakeNotifications();
      Click(b.x1, b.y1);
      EXPECT_EQ(Box().CommandStep, 1);
      EXPECT_EQ(TakeNotifications(), Panel({109}));
      MoveTo((b.x1 + b.x2) / 2 + 1, (b.y1 + b.y2) / 2 + 1);
      Click(b.x2, b.y2);
      const double dr = o.right / 100, dl = o.left / 100;
      const RDrawElement right = PenLineOffsets(b.x1 + dr * b.rx, b.y1 + dr * b.ry, b.x2 + dr * b.rx, b.y2 + dr * b.ry);
      const RDrawElement left = PenLineOffsets(b.x1 - dl * b.rx, b.y1 - dl * b.ry, b.x2 - dl * b.rx, b.y2 - dl * b.ry);
      ExpectElements({right, left});
      ExpectUndoLog({Added(right), Added(left)});
      EXPECT_EQ(Box().CommandStep, 0);
      EXPECT_EQ(Box().ButonType, dtwsen) << "ready for the next double line";
      ExpectScreenMatchesRedraw();
    }
  }
}

TEST_F(DoubleLines, TheEndFollowsTheDirectionSnap) {
  // Right offset 5, left 0: the second line is the base from (20, 20) to
  // the snapped end.
  const double d45 = std::sqrt(181.0) / std::sqrt(2.0);  // |(10, 9)| along 45 degrees
  struct Case {
    const char* what;
    std::uint8_t mode;
    double commandAngle, cx, cy, ex, ey;
  } cases[] = {
      {"free", 0, 0, 37, 24, 37, 24},
      {"15-degree steps: 5.7 degrees lies in the horizontal bin, x kept", 1, 0, 30, 21, 30, 20},
      {"15-degree steps: 42 degrees goes to 45 at the cursor's distance", 1, 0, 30, 29, 20 + d45, 20 + d45},
      {"15-degree steps: 86 degrees lies in the vertical bin, y kept", 1, 0, 21, 35, 20, 35},
      {"axes at 0: 21.8 degrees keeps x on the horizontal", 2, 0, 30, 24, 30, 20},
      {"axes at 0: 63 degrees keeps y on the vertical", 2, 0, 25, 30, 20, 30},
      // Base 90: the direction 21.8 lies 291.8 past it, on the turned y
      // axis; the point (20, 24) turned by 90 about the start.
      {"axes turned to 90", 2, 90, 30, 24, 16, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtwsen);
    TcadBox& box = Box();
    box.DoubleOffsetRight = 500;
    box.DoubleOffsetLeft = 0;
    box.DirectionSnapMode = c.mode;
    box.CommandAngle = c.commandAngle;
    box.AxisAngle = 0;
    Click(20, 20);
    MoveTo(c.cx, c.cy);
    EXPECT_NEAR(box.CurrentPoint.x, c.ex, 1e-9);
    EXPECT_NEAR(box.CurrentPoint.y, c.ey, 1e-9);
    Click(c.cx, c.cy);
    ASSERT_EQ(Elements().size(), 2u);
    ExpectElements({Elements()[0], PenLineOffsets(20, 20, c.ex, c.ey)});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(DoubleLines, ABaseWithoutLengthStoresNothing) {
  Box().DoubleOffsetRight = 500;
  Box().DoubleOffsetLeft = 300;
  // A preview is drawn first, so that old lines would be there to store.
  Click(20, 20);
  MoveTo(40, 30);
  Click(20, 20);
  ExpectElements({});
  ExpectUndoLog({});
  EXPECT_EQ(Box().CommandStep, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(DoubleLines, ARightClickOnTheStartPointIsRefused) {
  Seed({Line(20, 20, 60, 20)});
  const RDrawElement seeded = Elements()[0];
  Box().DoubleOffsetRight = 500;
  Click(20, 20, ssRight);
  EXPECT_EQ(Box().CommandStep, 1);
  MoveTo(40, 30);
  Click(20.5, 20.5, ssRight);
  EXPECT_EQ(Hint(), "  " + J("1点目と同一です"));
  EXPECT_EQ(Box().CommandStep, 1);
  Click(59.5, 20.5, ssRight);  // the other end
  ExpectElements({seeded, PenLineOffsets(20, 15, 60, 15), PenLineOffsets(20, 20, 60, 20)});
  ExpectScreenMatchesRedraw();
}

TEST_F(DoubleLines, ACancelAtTheEndTakesThePreviewAway) {
  Box().DoubleOffsetRight = 500;
  Box().DoubleOffsetLeft = 0;
  Click(20, 20);
  MoveTo(40, 30);
  EXPECT_NE(PixelAt(30, 25), clBlack) << "the preview on the base";
  CancelCommands();
  EXPECT_EQ(Box().CommandStep, 0);
  ExpectElements({});
  ExpectScreenMatchesRedraw();
}

// ---- Offset pitch from the drawing ----------------------------------------------

TEST_F(OffsetCommands, TheSpacingMeasuresFromALineAndResumesTheCommand) {
  struct Case {
    const char* what;
    std::uint8_t groupScale;
    Sbuttontype saved;
    double pitch;  // the distance 25 drawing units in real units
    const char* message;
  } cases[] = {
      {"at 1:100, back to the offset lines", 100, dtFukusen, 2500, "[2500.000]"},
      {"at 1:1, back to the lines", 1, dtDraf, 25, "[25.000]"},
      {"started directly", 100, dtNo, 2500, "[2500.000]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtSenkankaku);
    TcadBox& box = Box();
    box.GroupScales[0] = c.groupScale;
    box.SavedMode = c.saved;
    Seed({Line(20, 30, 100, 30), Point(40, 55)});
    Box().Update();
    TakeNotifications();
    Click(60, 30.2);
    EXPECT_EQ(box.B_Switch, on1);
    Click(40.3, 55.2, ssRight);
    EXPECT_DOUBLE_EQ(box.OffsetPitch, c.pitch);
    EXPECT_EQ(TopMessage(), c.message);
    EXPECT_EQ(TakeNotifications(), Panel({101}));
    EXPECT_EQ(box.ButonType, c.saved);
    EXPECT_EQ(box.B_Switch, _off);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(OffsetCommands, TheSpacingTakesNoArcAndNeedsAPoint) {
  StartAfresh(dtSenkankaku);
  TcadBox& box = Box();
  box.SavedMode = dtFukusen;
  Seed({Arc(60, 48, 10), Line(20, 20, 100, 20)});
  Box().Update();
  Click(70, 48);  // on the circle
  EXPECT_EQ(box.B_Switch, _off) << "an arc is not measured from";
  Click(60, 20);
  EXPECT_EQ(box.B_Switch, on1);
  Click(30, 80, ssRight);  // nothing near
  EXPECT_EQ(TopMessage(), J("点無"));
  EXPECT_EQ(box.ButonType, dtSenkankaku);
  EXPECT_DOUBLE_EQ(box.OffsetPitch, 500) << "unchanged";
  ExpectScreenMatchesRedraw();
}

}  // namespace
