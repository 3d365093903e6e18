// Deleting elements and erasing a part of a line or arc, the window and
// crossing ranges with their cancel, and the polygon range.

#include <cmath>
#include <random>
#include <vector>

#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/element_factory.h"
#include "tools/edit/curves.h"

namespace {

RDrawElement Stored(RDrawElement e, std::uint8_t selection = 0) {
  e.ColorNo = 1;
  e.Selection = selection;
  e.UndoMark = kUndoAdded;
  return e;
}

std::vector<int> SelectionsOf(const std::vector<RDrawElement>& elements) {
  std::vector<int> s;
  for (const RDrawElement& e : elements) s.push_back(e.Selection);
  return s;
}

class SelectionCommands : public CommandHarness {
 protected:
  // The drawing point a click at (x, y) reaches, through the pixel.
  RPoint2D Clicked(double x, double y) {
    RPoint2D p;
    Box().ScreenToWorld(PixelX(x), PixelY(y), p);
    return p;
  }
};

// ---- Element delete and partial erase -------------------------------------------

TEST_F(SelectionCommands, RightClickDeletesTheNearestElementAsOneStep) {
  const RDrawElement a = Stored(Line(20, 20, 60, 20)), b = Stored(Line(20, 40, 60, 40));
  Seed({a, b});
  Box().ButonType = dtSenDel;
  Click(20.4, 20.4, ssRight);  // snaps to the end (20, 20)
  ExpectElements({b});
  ExpectUndoLog({Deleted(a)});
  EXPECT_EQ(Box().B_Switch, _off);
  Box().Update();
  EXPECT_EQ(PixelAt(40, 20), clBlack) << "the line is erased";
  EXPECT_EQ(PixelAt(40, 40), Box().ColourTable[1]);
  ExpectScreenMatchesRedraw();

  // Nothing to snap to: the prompt, and the log keeps the last step.
  Click(100, 80, ssRight);
  EXPECT_EQ(Hint(), "  " + J("図形がありません"));
  ExpectElements({b});
  ExpectUndoLog({Deleted(a)});
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionCommands, PartialEraseOfALineKeepsThePiecesOutsideTheFeet) {
  const RDrawElement line = Stored(Line(10, 10, 70, 40));
  Seed({line});
  Box().ButonType = dtSenDel;
  Click(40, 25);  // picks the line
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_EQ(Elements()[0].Selection, 1);
  Click(25, 22);
  EXPECT_EQ(Box().B_Switch, on2);
  Click(50, 27);
  // Along u = (2, 1) / sqrt 5 from (10, 10): (15, 12).(2, 1) / 5 = 8.4 gives
  // the foot (26.8, 18.4); (40, 17).(2, 1) / 5 = 19.4 gives (48.8, 29.4).
  const RDrawElement upper = Stored(Line(48.8, 29.4, 70, 40)), lower = Stored(Line(10, 10, 26.8, 18.4));
  ExpectElements({upper, lower});
  ExpectUndoLog({Deleted(Stored(Line(10, 10, 70, 40))), upper, lower});
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionCommands, PartialEraseOfAnArcLeavesTwoArcs) {
  Seed({Stored(Arc(60, 50, 20, 0, 180))});
  Box().ButonType = dtSenDel;
  Click(60, 70);  // on the arc at 90 degrees
  EXPECT_EQ(Box().B_Switch, on1);
  Click(70, 60);  // direction 45 degrees from the centre
  Click(50, 60);  // direction 135 degrees
  // The part from 45 to 135 goes: 0..45 and 135..180 stay.
  const RDrawElement first = Stored(Arc(60, 50, 20, 0, 45)), second = Stored(Arc(60, 50, 20, 135, 180));
  ExpectElements({first, second});
  ExpectUndoLog({Deleted(Stored(Arc(60, 50, 20, 0, 180))), first, second});
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionCommands, ALeftClickOnNothingPicksNothing) {
  Seed({Stored(Line(10, 10, 70, 40))});
  Box().ButonType = dtSenDel;
  Click(100, 80);
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_EQ(Elements()[0].Selection, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionCommands, ACancelAtTheEndPointReturnsToTheStartAndDeletesAgain) {
  const RDrawElement a = Stored(Line(10, 10, 70, 40)), b = Stored(Line(20, 60, 60, 60));
  Seed({a, b});
  TcadBox& box = Box();
  box.ButonType = dtSenDel;
  Click(40, 25);
  Click(25, 22);
  ASSERT_EQ(box.B_Switch, on2);
  box.CancelCommands(true);
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_EQ(box.ButonType, dtSenDel);
  EXPECT_EQ(Elements()[0].Selection, 10) << "the pick lost its highlight";
  ExpectScreenMatchesRedraw();
  Click(60.3, 60.2, ssRight);
  ExpectElements({a});  // the delete's walk clears the selection of what it passes
  ExpectUndoLog({Deleted(b)});
  ExpectScreenMatchesRedraw();
}

// ---- Window ranges -------------------------------------------------------------------

// A inside the window (10, 10)-(50, 50), B across its right side, C outside.
const RDrawElement kInside = Line(20, 20, 30, 30), kAcross = Line(35, 25, 80, 25), kOutside = Line(90, 70, 100, 80);

TEST_F(SelectionCommands, WindowRangesByClosingClickAndCrossingSetting) {
  struct Case {
    Sbuttontype mode;
    TShiftState closing;
    bool bubunhan;
    std::uint8_t seeded;  // selection of every seeded element
    std::vector<int> want;
  };
  const std::vector<Case> cases = {
      {dtHani, ssLeft, false, 0, {1, 0, 0}},
      {dtHani, ssShift | ssLeft, false, 0, {1, 1, 0}},
      {dtHani, ssLeft, true, 0, {1, 1, 0}},
      {dtHaniCopy, ssLeft, false, 0, {1, 0, 0}},
      {dtHaniMove, ssShift | ssLeft, false, 0, {1, 1, 0}},
      {dtHaniGaibu, ssLeft, true, 0, {1, 1, 0}},
      {dtHani, ssRight, false, 1, {0, 1, 1}},
      {dtHani, ssShift | ssRight, false, 1, {0, 0, 1}},
      {dtHaniCopy, ssRight, true, 1, {0, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << " closing " << int(c.closing) << " bubunhan "
                                    << c.bubunhan);
    StartAfresh(c.mode);
    Box().bubunhan = c.bubunhan;
    Seed({Stored(kInside, c.seeded), Stored(kAcross, c.seeded), Stored(kOutside, c.seeded)});
    Box().HaniAka_Cyu = c.seeded == 1;
    TakeNotifications();
    Click(10, 10);
    MoveTo(30, 40);
    MoveTo(50, 50);
    Click(50, 50, c.closing);
    EXPECT_EQ(SelectionsOf(Elements()), c.want);
    EXPECT_EQ(Box().CommandStep, 0);
    EXPECT_FALSE(Box().ParametricSelection);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+106"});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(SelectionCommands, TheStretchRangeMarksTheEndInside) {
  TcadBox& box = Box();
  box.ButonType = dtHaniParamet;
  Seed({Stored(kInside), Stored(kAcross), Stored(kOutside)});
  Click(10, 10);
  MoveTo(50, 50);
  Click(50, 50);
  EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{1, 1, 0}));
  EXPECT_TRUE(box.ParametricSelection);
  // B's first point lay inside: marked 1, turned so that the end inside,
  // the one to move, comes second.
  RDrawElement across = Stored(Line(80, 25, 35, 25), 1);
  across.Scratch = 1;
  ExpectElements({Stored(kInside, 1), across, Stored(kOutside)});
  ExpectScreenMatchesRedraw();
  // A plain range afterwards is no stretch range.
  box.ButonType = dtHani;
  Click(10, 10);
  Click(50, 50);
  EXPECT_FALSE(box.ParametricSelection);
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionCommands, ALaterRangeDrawsAStretchMarkedLineSolidAgain) {
  // The stretch range leaves B selected and drawn dashed; a plain window or
  // polygon range afterwards, not reaching B, takes the mark away.
  for (const Sbuttontype mode : {dtHani, dtHanipg}) {
    SCOPED_TRACE(int(mode));
    StartAfresh(dtHaniParamet);
    Seed({Stored(kInside), Stored(kAcross), Stored(kOutside)});
    Click(10, 10);
    MoveTo(50, 50);
    Click(50, 50);
    ASSERT_EQ(Elements()[1].Scratch, 1);
    Box().ButonType = mode;
    if (mode == dtHani) {
      Click(85, 65);
      Click(105, 85);
    } else {
      Click(85, 65);
      Click(105, 65);
      Click(105, 85);
      Click(85, 85, ssRight);
    }
    EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(Elements()[1].Scratch, 0);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(SelectionCommands, ARightClickTogglesOneElementAndTellsTheFirstPanel) {
  TcadBox& box = Box();
  box.ButonType = dtHani;
  Seed({Stored(kInside), Stored(kOutside)});
  Click(25, 25.2, ssRight);
  EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{1, 0}));
  EXPECT_EQ(box.CommandStep, 0);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+106"});
  ExpectScreenMatchesRedraw();
  Click(25, 25.2, ssRight);
  EXPECT_EQ(Elements()[0].Selection, 0);
  TakeNotifications();
  // On nothing: nothing toggled, nothing posted.
  Click(60, 60, ssRight);
  EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{0, 0}));
  EXPECT_TRUE(TakeNotifications().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionCommands, AShiftRightClickStartsARangeAtTheSnappedPointPlusOffset) {
  TcadBox& box = Box();
  box.ButonType = dtHani;
  box.GroupScales[0] = 100;
  box.WriteGrupe_No = 0;
  box.OfsetRen = true;
  box.PointOffset = {200, 100};  // real units: (2, 1) on the drawing
  Seed({Stored(Line(20, 20, 40, 20))});
  Click(20.4, 20.4, ssShift | ssRight);
  EXPECT_EQ(box.CommandStep, 1);
  EXPECT_NEAR(box.FirstPoint.x, 22, 1e-9);
  EXPECT_NEAR(box.FirstPoint.y, 21, 1e-9);
  EXPECT_EQ(Elements()[0].Selection, 0) << "nothing toggled";
  EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(SelectionCommands, AGestureDragWhileTheFrameShowsDropsTheRange) {
  TcadBox& box = Box();
  box.DridoL1 = 40;
  box.DridoL2 = 40;
  box.ButonType = dtHani;
  Seed({Stored(kInside)});
  Click(10, 10);
  MoveTo(40, 40);
  ASSERT_EQ(box.CommandStep, 1);
  Drag(40, 40, 40, 60);  // 100 pixels: a gesture
  EXPECT_EQ(box.CommandStep, 0);
  EXPECT_EQ(Elements()[0].Selection, 0);
  EXPECT_EQ(PixelAt(25, 10), clBlack) << "the frame is gone";
  ExpectScreenMatchesRedraw();
}

TEST_F(SelectionCommands, AnyCancelDropsAShownSelection) {
  for (Sbuttontype mode : {dtNo, dtDraf, dtHani, dtHanipg, dtSenDel, dttenk, dtHaniGai}) {
    SCOPED_TRACE(int(mode));
    StartAfresh(dtHani);
    Seed({Stored(kInside), Stored(kAcross)});
    Click(10, 10);
    Click(50, 50, ssShift | ssLeft);
    ASSERT_TRUE(Box().HaniAka_Cyu);
    Box().ButonType = mode;
    CancelCommands();
    EXPECT_FALSE(Box().HaniAka_Cyu);
    EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{10, 10}));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(SelectionCommands, TheRangeCancelTakesTheFrameAwayInEveryRangeMode) {
  for (Sbuttontype mode : {dtHani, dtHaniParamet, dtHaniGai, dtKiritoriHani}) {
    SCOPED_TRACE(int(mode));
    StartAfresh(mode);
    Click(10, 10);
    MoveTo(40, 30);
    ASSERT_EQ(Box().CommandStep, 1);
    CancelCommands();
    ExpectScreenMatchesRedraw();
  }
}

// ---- Polygon range ---------------------------------------------------------------------

// Winding number of the closed polygon about p, written apart from the
// control's crossing count.
int Winding(const std::vector<RPoint2D>& poly, RPoint2D p) {
  int w = 0;
  for (std::size_t i = 0; i < poly.size(); ++i) {
    const RPoint2D a = poly[i], b = poly[(i + 1) % poly.size()];
    const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
    if (a.y <= p.y) {
      if (b.y > p.y && side > 0) ++w;
    } else if (b.y <= p.y && side < 0) {
      --w;
    }
  }
  return w;
}

double Orientation(RPoint2D a, RPoint2D b, RPoint2D c) { return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x); }

bool OnSegment(RPoint2D a, RPoint2D b, RPoint2D p) {
  return Orientation(a, b, p) == 0 && p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) &&
         p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y);
}

// How a segment meets the polygon's edges: properly crossing one, not
// touching any, or touching (left out of the comparison).
enum class Meeting { Crosses, Apart, Touches };

Meeting MeetingOf(const std::vector<RPoint2D>& poly, RPoint2D p, RPoint2D q) {
  bool crosses = false;
  for (std::size_t i = 0; i < poly.size(); ++i) {
    const RPoint2D a = poly[i], b = poly[(i + 1) % poly.size()];
    const double o1 = Orientation(p, q, a), o2 = Orientation(p, q, b), o3 = Orientation(a, b, p),
                 o4 = Orientation(a, b, q);
    if (o1 == 0 || o2 == 0 || o3 == 0 || o4 == 0) {
      const bool touching =
          OnSegment(p, q, a) || OnSegment(p, q, b) || OnSegment(a, b, p) || OnSegment(a, b, q) || (o1 == 0 && o2 == 0);
      if (touching) return Meeting::Touches;
      continue;
    }
    if ((o1 > 0) != (o2 > 0) && (o3 > 0) != (o4 > 0)) crosses = true;
  }
  return crosses ? Meeting::Crosses : Meeting::Apart;
}

TEST_F(SelectionCommands, PolygonRangeAgainstAWindingNumberTest) {
  const std::vector<std::vector<RPoint2D>> polygons = {
      {{20, 20}, {80, 15}, {95, 60}, {40, 80}},                                            // convex
      {{10, 10}, {100, 10}, {100, 80}, {60, 80}, {60, 40}, {40, 40}, {40, 80}, {10, 80}},  // a U
      {{20, 10}, {60, 50}, {100, 10}, {100, 85}, {60, 30}, {20, 85}},                      // a bow tie
  };
  std::mt19937 random(46);
  for (bool crossing : {false, true}) {
    for (const std::vector<RPoint2D>& given : polygons) {
      SCOPED_TRACE(testing::Message() << "crossing " << crossing << " polygon of " << given.size());
      StartAfresh(dtHanipg);
      std::vector<RPoint2D> poly;
      for (RPoint2D v : given) poly.push_back(Clicked(v.x, v.y));
      // Ends on a grid and, one time in three, level with a vertex.
      std::uniform_int_distribution<int> grid(0, 44);
      std::uniform_int_distribution<int> pick(0, static_cast<int>(poly.size()) * 3 - 1);
      auto randomPoint = [&] {
        RPoint2D p{2.5 * grid(random), 2.0 * grid(random)};
        const int k = pick(random);
        if (k < static_cast<int>(poly.size())) p.y = poly[static_cast<std::size_t>(k)].y;
        return p;
      };
      std::vector<bool> want;
      std::vector<RDrawElement> lines;
      while (lines.size() < 150) {
        const RPoint2D p = randomPoint(), q = randomPoint();
        if (p.x == q.x && p.y == q.y) continue;
        const Meeting meeting = MeetingOf(poly, p, q);
        if (meeting == Meeting::Touches) continue;
        // Odd winding: the even-odd rule, the same as nonzero but where a
        // crossed polygon winds twice.
        const bool inside = Winding(poly, p) % 2 != 0 && Winding(poly, q) % 2 != 0;
        want.push_back(inside || (crossing && meeting == Meeting::Crosses));
        lines.push_back(Stored(Line(p.x, p.y, q.x, q.y)));
      }
      for (const RDrawElement& e : lines) Store().AddElementChecked(e);
      RedrawAsTheHostDoes();
      ASSERT_EQ(Elements().size(), lines.size());
      Click(given[0].x, given[0].y, crossing ? ssShift | ssLeft : ssLeft);
      for (std::size_t i = 1; i + 1 < given.size(); ++i) Click(given[i].x, given[i].y);
      Click(given.back().x, given.back().y, ssRight);
      int taken = 0;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(Elements()[i].Selection == 1, want[i]) << DescribeElement(Elements()[i]);
        taken += want[i];
      }
      EXPECT_GT(taken, 5);
      EXPECT_TRUE(Box().Tool(ToolSlot::PolygonObj).Empty());
      EXPECT_EQ(Box().B_Switch, _off);
      ExpectScreenMatchesRedraw();
    }
  }
}

// The square polygon (10, 10), (110, 10), (110, 90), (10, 90).
class PolygonRange : public SelectionCommands {
 protected:
  void TakeSquare(TShiftState second = ssLeft) {
    Click(10, 10);
    Click(110, 10, second);
    Click(110, 90);
    Click(10, 90, ssRight);
  }
};

TEST_F(PolygonRange, BubunhanTakesTheLinesCrossingAnEdge) {
  for (bool bubunhan : {false, true}) {
    StartAfresh(dtHanipgc);
    Box().bubunhan = bubunhan;
    // The example triangle (0, 0), (10, 0), (10, 10) closed at (0, 10),
    // moved by (20, 20).
    Seed({Stored(Line(22, 22, 28, 28)), Stored(Line(22, 22, 40, 22))});
    Click(20, 20);
    Click(30, 20);
    Click(30, 30);
    Click(20, 30, ssRight);
    EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{1, bubunhan ? 1 : 0}));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PolygonRange, ARayThroughAVertexCountsItsTwoEdgesOnce) {
  // The diamond (60, 10), (100, 40), (60, 70), (20, 40): the ray from a
  // point level with the side vertices passes through (100, 40), between
  // an edge below and an edge above, and crosses the outline once.
  const double level = Clicked(100, 40).y;
  for (double x : {30.0, 50.0, 90.0}) {
    SCOPED_TRACE(x);
    StartAfresh(dtHanipg);
    Seed({Stored(Line(x, level, x + 2, level - 2)), Stored(Line(x, level, x, level + 45))});
    Click(60, 10);
    Click(100, 40);
    Click(60, 70);
    Click(20, 40, ssRight);
    EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{1, 0}));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PolygonRange, ItsVertexClicksLeaveTheHostsAssistPointAlone) {
  // The assist point is the host's to set; a vertex click of the polygon
  // range takes its point from the click, never by writing it there.
  StartAfresh(dtHanipg);
  Click(60, 10);
  Box().AssistPoint = {5, 7};
  Click(100, 40);
  Click(60, 70);
  EXPECT_EQ(Box().AssistPoint.x, 5);
  EXPECT_EQ(Box().AssistPoint.y, 7);
}

TEST_F(PolygonRange, ASecondVertexNotALeftClickDeselects) {
  for (TShiftState second : std::vector<TShiftState>{ssRight, ssShift | ssLeft, ssCtrl | ssLeft}) {
    SCOPED_TRACE(int(second));
    StartAfresh(dthanipgm);
    Seed({Stored(Line(30, 30, 60, 50), 1), Stored(Line(115, 20, 125, 30), 1)});
    Box().HaniAka_Cyu = true;
    TakeSquare(second);
    EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{0, 1}));
    EXPECT_TRUE(Box().HaniAka_Cyu) << "a deselection leaves the flag";
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PolygonRange, KindsAgainstTheFilterFlags) {
  enum { kText, kPoint, kLevel, kOblique, kCircle, kPartialArc, kRect, kCount };
  struct Case {
    std::uint8_t kindBits;
    bool deselect;
    std::vector<int> taken;  // by the order above
  };
  const std::vector<Case> cases = {
      {0, false, {kRect}},
      {1, false, {kText, kRect}},
      {2, false, {kPoint, kRect}},
      {4, false, {kLevel, kOblique, kRect}},
      {16, false, {kOblique, kRect}},
      {4 | 16, false, {kOblique, kRect}},
      {8, false, {kCircle, kPartialArc, kRect}},
      {31, false, {kText, kPoint, kOblique, kCircle, kPartialArc, kRect}},
      // The deselection takes lines by the lines flag alone.
      {16, true, {kRect}},
      {4 | 16, true, {kLevel, kOblique, kRect}},
      {31, true, {kText, kPoint, kLevel, kOblique, kCircle, kPartialArc, kRect}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kinds " << int(c.kindBits) << " deselect " << c.deselect);
    StartAfresh(dtHanipg);
    const std::uint8_t seeded = c.deselect ? 1 : 0;
    SeedText("文字", 20, 60, 40, 60);
    RDrawElement rect = Stored(Line(70, 60, 90, 80), seeded);
    rect.Kind = kKindRect;
    Seed({Stored(Point(30, 30), seeded), Stored(Line(40, 40, 60, 40), seeded), Stored(Line(40, 45, 60, 65), seeded),
          Stored(Arc(80, 30, 8), seeded), Stored(Arc(60, 75, 8, 0, 180), seeded), rect});
    Store().Elements[0].Selection = seeded;
    RedrawAsTheHostDoes();
    Box().SetSelectionFilter(c.kindBits, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF);
    TakeSquare(c.deselect ? ssRight : ssLeft);
    std::vector<int> want(kCount, seeded);
    for (int k : c.taken) want[static_cast<std::size_t>(k)] = c.deselect ? 0 : 1;
    EXPECT_EQ(SelectionsOf(Elements()), want);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PolygonRange, TheCrossingTestTakesAPartialArcByItsEnds) {
  Box().ButonType = dtHanipgc;
  // Centre outside the square, both ends of the arc inside it: the chord
  // between the ends lies inside; a full circle there reaches out.
  Seed({Stored(Arc(60, 0, 30, 60, 120)), Stored(Arc(60, 0, 30))});
  Click(10, 10, ssShift | ssLeft);
  Click(110, 10);
  Click(110, 90);
  Click(10, 90, ssRight);
  EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{1, 1}))
      << "the circle's bounding diagonal crosses the bottom edge";
  ExpectScreenMatchesRedraw();
}

TEST_F(PolygonRange, NotificationsGoToTheRangePanel) {
  Box().ButonType = dtHanipg;
  Seed({Stored(Line(30, 30, 60, 50))});
  TakeNotifications();
  Click(10, 10);
  EXPECT_TRUE(TakeNotifications().empty());
  Click(110, 10);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame11+119"});
  Click(110, 90);
  EXPECT_TRUE(TakeNotifications().empty());
  Click(10, 90, ssRight);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame11+106"});
  // A right click before any vertex toggles what it hits.
  Click(45, 40.05, ssRight);
  EXPECT_EQ(Elements()[0].Selection, 0);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame11+119"});
  Click(100, 80, ssRight);
  EXPECT_TRUE(TakeNotifications().empty());
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(PolygonRange, ThePolygonIsPaintedOverWhenAppliedAndWhenCancelled) {
  TcadBox& box = Box();
  box.ButonType = dtHanipg;
  Seed({Stored(Line(30, 30, 60, 50)), Stored(Line(115, 50, 125, 60))});
  MoveTo(20, 20);
  Click(10, 10);
  MoveTo(60, 5);
  Click(110, 10);
  MoveTo(100, 50);
  Click(110, 90);
  MoveTo(50, 95);
  Click(10, 90, ssRight);
  EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{1, 0}));
  ExpectScreenMatchesRedraw();

  // Cancelled with two vertices and with one, after a drag gesture and a
  // full redraw.
  for (int vertices : {1, 2, 3}) {
    SCOPED_TRACE(vertices);
    box.ButonType = dtHanipg;
    Click(10, 10);
    if (vertices >= 2) Click(110, 10);
    if (vertices >= 3) Click(110, 90);
    MoveTo(70, 85);
    if (vertices == 3) {
      box.RedrawAll(false);
      MoveTo(60, 80);
    }
    CancelCommands();
    EXPECT_TRUE(box.Tool(ToolSlot::PolygonObj).Empty());
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PolygonRange, WhatThePolygonCrossesAndWhatLiesOverATakenElementStay) {
  // A lies inside the square; C, in another colour and later in the
  // drawing, starts where A starts and runs out across the bottom edge, so
  // no range without crossing takes it.
  struct Case {
    const char* what;
    std::uint8_t seeded;  // A's selection before
    TShiftState second;   // the second vertex
    bool cancel;          // cancelled at the third vertex instead
    int taken;            // A's selection after
  } cases[] = {{"select", 0, ssLeft, false, 1}, {"deselect", 1, ssRight, false, 0}, {"cancel", 0, ssLeft, true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtHanipg);
    RDrawElement crossing = Stored(Line(30, 30, 30, 0));
    crossing.ColorNo = 3;
    Seed({Stored(Line(30, 30, 60, 50), c.seeded), crossing});
    Box().HaniAka_Cyu = c.seeded == 1;
    if (c.cancel) {
      Click(10, 10);
      Click(110, 10);
      Click(110, 90);
      MoveTo(70, 85);
      CancelCommands();
    } else {
      TakeSquare(c.second);
    }
    EXPECT_EQ(SelectionsOf(Elements()), (std::vector<int>{c.taken, 0}));
    EXPECT_EQ(PixelAt(30, 10), Box().ColourTable[3]) << "C where the bottom edge crossed it";
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(PolygonRange, TheFullRedrawDrawsTheOpenPolygonAndTheExternalPolyline) {
  TcadBox& box = Box();
  box.ButonType = dtHanipg;
  Click(10, 10);
  Click(110, 10);
  Click(110, 90);
  MoveTo(60, 50);
  box.RedrawAll(false);
  EXPECT_EQ(PixelAt(60, 10), box.Sentakucol2);
  EXPECT_EQ(PixelAt(110, 50), box.Sentakucol2);
  EXPECT_EQ(PixelAt(60, 50), clBlack) << "no rubber edges";
  CancelCommands();
  ExpectScreenMatchesRedraw();

  box.ButonType = dttenGaibu;
  box.Gkasen = 1;
  Click(10, 10);
  Click(60, 10);
  Click(60, 50);
  box.RedrawAll(false);
  EXPECT_EQ(PixelAt(30, 10), box.Sentakucol2);
  EXPECT_EQ(PixelAt(60, 30), box.Sentakucol2);
  EXPECT_EQ(PixelAt(35, 30), clBlack);
}

}  // namespace
