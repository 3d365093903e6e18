// The corner trim and chamfer, the range drag, the middle cut and the split
// at a crossing, through the mouse.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "commands/framework/selection_support.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/element_factory.h"
#include "support/settings_guard.h"

namespace {

RDrawElement Looking(RDrawElement e, std::uint8_t lineType, std::uint8_t colour) {
  e.LineType = lineType;
  e.ColorNo = colour;
  return e;
}

// A line's ends in a fixed order, for lines whose direction the result
// does not fix.
std::array<double, 4> Ends(const RDrawElement& e) {
  std::array<double, 4> l{e.X1, e.Y1, e.X2, e.Y2};
  if (l[2] < l[0] || (l[2] == l[0] && l[3] < l[1])) l = {l[2], l[3], l[0], l[1]};
  return l;
}

void ExpectLine(const RDrawElement& e, double x1, double y1, double x2, double y2, double tolerance = 1e-9) {
  EXPECT_EQ(Value(e.Kind), kKindLine);
  EXPECT_NEAR(e.X1, x1, tolerance);
  EXPECT_NEAR(e.Y1, y1, tolerance);
  EXPECT_NEAR(e.X2, x2, tolerance);
  EXPECT_NEAR(e.Y2, y2, tolerance);
}

void ExpectArc(const RDrawElement& e, double cx, double cy, double r, double tolerance = 1e-6) {
  EXPECT_EQ(Value(e.Kind), kKindArc);
  EXPECT_NEAR(e.X1, cx, tolerance);
  EXPECT_NEAR(e.Y1, cy, tolerance);
  EXPECT_NEAR(e.Radius, r, tolerance);
}

class TrimCommands : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    // Gestures start at 40 pixels (8 drawing units); the near band runs to 80.
    Box().DridoL1 = 40;
    Box().DridoL2 = 40;
    Box().GroupScales.fill(100);
  }
  // An entry standing for an earlier undo step, which an action that
  // changes nothing must leave in the log.
  RDrawElement EarlierStep() {
    RDrawElement e = Added(Line(5, 90, 9, 90));
    Store().UndoLog = {e};
    return e;
  }
  // The envelope gesture from (x, y): a left drag 12 units to the east;
  // its release anchors the range there.
  void EnvelopeGestureAt(double x, double y) {
    Drag(x, y, x + 12, y);
    ASSERT_EQ(Box().ButonType, dtDraggu);
  }
  // The running command interrupted as the gesture executor does it; the
  // menu offers no gesture while a step is open, a host may still switch.
  void InterruptBy(Sbuttontype mode) {
    Box().SavedMode = Box().ButonType;
    Box().ButonType = mode;
  }
  SettingsGuard settings_;
};

// ---- Corner trim -------------------------------------------------------------------

TEST_F(TrimCommands, TwoLinesAreTrimmedOrExtendedToTheirCrossingOnThePickedSides) {
  // Crossing X = (40, 40) by hand; each line keeps the end on its pick's
  // side and runs from it to X; the higher index is stored first.
  struct Case {
    const char* what;
    RDrawElement a, b;
    double ax, ay, bx, by;
    std::array<double, 4> a2, b2;
  } cases[] = {
      {"crossing: the far parts go",
       Line(10, 40, 70, 40),
       Line(40, 10, 40, 70),
       20,
       41,
       41,
       60,
       {10, 40, 40, 40},
       {40, 70, 40, 40}},
      {"crossing picked on the other sides",
       Line(10, 40, 70, 40),
       Line(40, 10, 40, 70),
       60,
       41,
       41,
       20,
       {70, 40, 40, 40},
       {40, 10, 40, 40}},
      {"apart: both extended",
       Line(10, 40, 30, 40),
       Line(40, 50, 40, 70),
       20,
       41,
       41,
       60,
       {10, 40, 40, 40},
       {40, 70, 40, 40}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dttreming);
    Seed({c.a, Looking(c.b, 2, 3)});
    const RDrawElement a = Elements()[0], b = Elements()[1];
    Click(c.ax, c.ay);
    EXPECT_EQ(Box().B_Switch, on1);
    EXPECT_EQ(Value(Elements()[0].Selection), 1);
    Click(c.bx, c.by);
    RDrawElement b2 = Looking(Line(c.b2[0], c.b2[1], c.b2[2], c.b2[3]), 2, 3);
    RDrawElement a2 = Line(c.a2[0], c.a2[1], c.a2[2], c.a2[3]);
    ExpectElements({Kept(b2), Kept(a2)});
    ExpectUndoLog({Deleted(b), Deleted(a), Added(b2), Added(a2)});
    EXPECT_EQ(Box().B_Switch, _off);
    ASSERT_FALSE(BanGoCalls.empty());
    EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dttreming, 47}));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TrimCommands, CollinearLinesBecomeOneOverTheFarthestEndsWithTheFirstPicksLook) {
  StartAfresh(dttreming);
  Seed({Looking(Line(25, 40, 60, 40), 2, 3), Looking(Line(10, 40, 30, 40), 1, 5)});
  Click(55, 41);  // the first pick: the line of type 2, colour 3
  Click(12, 41);
  ASSERT_EQ(Elements().size(), 1u);
  const RDrawElement merged = Elements()[0];
  EXPECT_EQ((Ends(merged)), (std::array<double, 4>{10, 40, 60, 40}));
  EXPECT_EQ(Value(merged.LineType), 2);
  EXPECT_EQ(Value(merged.ColorNo), 3);
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, ALineAndAnArcEndOnTheirCrossing) {
  // The line y = 40 meets the circle about (60, 40), radius 10, at (50, 40)
  // (nearer the pick) and (70, 40). The arc 90..270 picked at 135 degrees
  // keeps its part from 90 to the crossing at 180; the line reaches (50, 40).
  StartAfresh(dttreming);
  Seed({Line(10, 40, 40, 40), Arc(60, 40, 10, 90, 270)});
  const double s = 10 / std::sqrt(2.0);
  Click(20, 41);
  Click(60 - s, 40 + s);
  ASSERT_EQ(Elements().size(), 2u);
  ExpectArc(Elements()[0], 60, 40, 10);  // the higher index first
  EXPECT_NEAR(Value(Elements()[0].StartAngle), 90, 1e-4);
  EXPECT_NEAR(Value(Elements()[0].EndAngle), 180, 1e-4);
  ExpectLine(Elements()[1], 10, 40, 50, 40);
  EXPECT_EQ(UndoLog().size(), 4u);
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, TwoArcsEndOnTheirCrossing) {
  // Circles about (40, 40) and (55, 40), radius 10: they cross at
  // (47.5, 40 +- sqrt(43.75)); both picks lie nearer the upper crossing,
  // seen at acos(0.75) = 41.4096 degrees from the first centre and at
  // 180 - 41.4096 from the second.
  StartAfresh(dttreming);
  Seed({Arc(40, 40, 10, 0, 180), Arc(55, 40, 10, 90, 270)});
  const double a = std::acos(0.75) * 180 / M_PI;
  Click(40, 50);
  Click(55 + 10 * std::cos(160 * M_PI / 180), 40 + 10 * std::sin(160 * M_PI / 180));
  ASSERT_EQ(Elements().size(), 2u);
  ExpectArc(Elements()[0], 55, 40, 10);
  EXPECT_NEAR(Value(Elements()[0].StartAngle), 180 - a, 1e-3);
  EXPECT_NEAR(Value(Elements()[0].EndAngle), 270, 1e-4);
  ExpectArc(Elements()[1], 40, 40, 10);
  EXPECT_NEAR(Value(Elements()[1].StartAngle), a, 1e-3);
  EXPECT_NEAR(Value(Elements()[1].EndAngle), 180, 1e-4);
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, TheSameElementPickedTwiceKeepsTheSecondStep) {
  for (const Sbuttontype mode : {dttreming, dtMentori}) {
    SCOPED_TRACE(mode);
    StartAfresh(mode);
    Seed({Line(10, 40, 70, 40)});
    // The first pick stays marked while the command waits for the second.
    RDrawElement picked = Elements()[0];
    picked.Selection = 1;
    Click(20, 41);
    Click(50, 41);
    EXPECT_EQ(Box().B_Switch, on1);
    EXPECT_EQ(Box().PickedIndex[1], 0);
    EXPECT_EQ(Box().PickedIndex[2], -100);
    EXPECT_EQ(Box().ClickKind, 0);
    ExpectElements({picked});
    EXPECT_TRUE(UndoLog().empty());
    EXPECT_EQ(BanGoCalls.back().GenBan, 0);
    ExpectScreenMatchesRedraw();
  }
}

// The operations themselves refuse a pair that names one element twice.
TEST_F(TrimCommands, ATrimOrChamferOfOneElementWithItselfChangesNothing) {
  StartAfresh(dtMentori);
  Seed({Line(10, 40, 70, 40), Line(40, 10, 40, 70), Arc(80, 70, 10, 0, 180)});
  const RDrawElement earlier = EarlierStep();
  const std::vector<RDrawElement> before = Elements();
  struct Case {
    const char* what;
    bool chamfer;
    std::int32_t index;
    RPoint2D a, b;
  } cases[] = {
      {"trim of a line", false, 1, {40, 20}, {40, 60}},
      {"chamfer of a line", true, 1, {40, 20}, {40, 60}},
      {"trim of an arc", false, 2, {90, 70}, {70, 70}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Box().PickedIndex[1] = Box().PickedIndex[2] = c.index;
    if (c.chamfer) {
      Box().ChamferTwoLines(c.a, c.b);
    } else {
      Box().TrimPair(c.a, c.b);
    }
    ExpectElements(before);
    ExpectUndoLog({earlier});
  }
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, ARightClickCutsOutThePartBetweenTheFeetOfItsCutPoints) {
  // The cut points (50 +- 0.8, 40 +- 0.8) have their feet at x = 49.2 and 50.8.
  for (const Sbuttontype mode : {dttreming, dtMentori}) {
    SCOPED_TRACE(mode);
    StartAfresh(mode);
    Seed({Line(10, 40, 90, 40)});
    Click(50, 40, ssRight);
    ASSERT_EQ(Elements().size(), 2u);
    std::vector<std::array<double, 4>> got = {Ends(Elements()[0]), Ends(Elements()[1])};
    std::sort(got.begin(), got.end());
    ASSERT_EQ(got.size(), 2u);
    EXPECT_NEAR(got[0][2], 49.2, 1e-9);
    EXPECT_NEAR(got[1][0], 50.8, 1e-9);
    EXPECT_EQ(got[0][0], 10);
    EXPECT_EQ(got[1][2], 90);
    EXPECT_EQ(Box().B_Switch, _off);
    ExpectScreenMatchesRedraw();
  }
}

// ---- Chamfer -----------------------------------------------------------------------

TEST_F(TrimCommands, ChamfersOfEveryKindOnARightAndASixtyDegreeCorner) {
  // The corner X = (30, 30); line 0 along +x (kept end (90, 30)), line 1
  // along the corner's angle. Size 1000 real at 1/100: 10 drawing units.
  // Set-back points T0 = X + 10 (1, 0), T1 = X + 10 (cos t, sin t), kind 1
  // sets back 10 sin((180 - t) / 2) / sin t. The rounding arc touches both
  // lines at T0 and T1: centre X + (10 / cos(t/2)) along the bisector,
  // radius 10 tan(t/2); the cove's centre lies on X -> M at
  // h - c^2 / h (h = |XM|, c = |M T0|), radius |O T0|.
  ToolDefaults.ChamferLength1 = 500;  // the notch: 5 and 8 drawing units
  ToolDefaults.ChamferLength2 = 800;
  struct Case {
    const char* what;
    double t;  // the corner's angle, degrees
    std::uint8_t kind;
  } cases[] = {{"right, kind 0", 90, 0}, {"right, kind 1", 90, 1}, {"right, kind 4", 90, 4},
               {"right, kind 2", 90, 2}, {"right, kind 3", 90, 3}, {"sixty, kind 0", 60, 0},
               {"sixty, kind 1", 60, 1}, {"sixty, kind 2", 60, 2}, {"sixty, kind 3", 60, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtMentori);
    Box().ChamferKind = c.kind;
    Box().ChamferSize = 1000;
    const double t = c.t * M_PI / 180, ux = std::cos(t), uy = std::sin(t);
    Seed({Line(20, 30, 90, 30), Looking(Line(30 - 10 * ux, 30 - 10 * uy, 30 + 60 * ux, 30 + 60 * uy), 2, 4)});
    Click(70, 31);
    Click(30 + 40 * ux - 0.5 * uy, 30 + 40 * uy + 0.5 * ux);
    ASSERT_EQ(BanGoCalls.back(), (RBanGoCall{dtMentori, 48}));
    const double s = c.kind == 1 ? 10 * std::sin((M_PI - t) / 2) / std::sin(t) : 10;
    const double s1 = c.kind == 4 ? 8 : s;
    const double s0 = c.kind == 4 ? 5 : s;
    const RPoint2D t0{30 + s0, 30}, t1{30 + s1 * ux, 30 + s1 * uy};
    ASSERT_GE(Elements().size(), 3u);
    ExpectLine(Elements()[0], 90, 30, t0.x, t0.y);
    ExpectLine(Elements()[1], 30 + 60 * ux, 30 + 60 * uy, t1.x, t1.y);
    // Every piece is a copy of the second line's record.
    for (std::size_t i = 2; i < Elements().size(); ++i) EXPECT_EQ(Value(Elements()[i].ColorNo), 4);
    switch (c.kind) {
      case 0:
      case 1:
        ASSERT_EQ(Elements().size(), 3u);
        EXPECT_EQ((Ends(Elements()[2])), (Ends(Line(t0.x, t0.y, t1.x, t1.y))));
        EXPECT_NEAR(std::hypot(t1.x - t0.x, t1.y - t0.y), c.kind == 1 ? 10 : 2 * 10 * std::sin(t / 2), 1e-9);
        break;
      case 4: {
        // The fourth corner of the parallelogram on X, T0, T1.
        const RPoint2D q{t0.x + t1.x - 30, t0.y + t1.y - 30};
        ASSERT_EQ(Elements().size(), 4u);
        ExpectLine(Elements()[2], t0.x, t0.y, q.x, q.y);
        ExpectLine(Elements()[3], t1.x, t1.y, q.x, q.y);
        break;
      }
      case 2: {
        ASSERT_EQ(Elements().size(), 3u);
        const double d = 10 / std::cos(t / 2);
        ExpectArc(Elements()[2], 30 + d * std::cos(t / 2), 30 + d * std::sin(t / 2), 10 * std::tan(t / 2));
        break;
      }
      case 3: {
        ASSERT_EQ(Elements().size(), 3u);
        const RPoint2D m{(t0.x + t1.x) / 2, (t0.y + t1.y) / 2};
        const double h = std::hypot(m.x - 30, m.y - 30), half = std::hypot(m.x - t0.x, m.y - t0.y);
        const double k = (h - half * half / h) / h;
        const RPoint2D o{30 + (m.x - 30) * k, 30 + (m.y - 30) * k};
        ExpectArc(Elements()[2], o.x, o.y, std::hypot(o.x - t0.x, o.y - t0.y));
        break;
      }
    }
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TrimCommands, AChamferWhoseSegmentIsAPointTrimsAndAddsNoSegment) {
  StartAfresh(dtMentori2);
  Box().ChamferKind = 0;
  Box().ChamferSize = 0;
  Seed({Line(20, 30, 90, 30), Line(30, 20, 30, 90)});
  Click(70, 31);
  Click(31, 70);
  ASSERT_EQ(Elements().size(), 2u);
  ExpectLine(Elements()[0], 90, 30, 30, 30);
  ExpectLine(Elements()[1], 30, 90, 30, 30);
  EXPECT_EQ(UndoLog().size(), 4u);
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, TheFilletOfKindFiveIsMadeByTheTwoLineChamferButNotByTheRangeChamfer) {
  // A fillet of radius 10 in the right corner at (30, 30): centre (40, 40),
  // the lines end at its feet (40, 30) and (30, 40).
  for (const bool inRange : {false, true}) {
    SCOPED_TRACE(inRange ? "range" : "two lines");
    StartAfresh(dtMentori);
    Box().ChamferKind = 5;
    Box().ChamferSize = 1000;
    Seed({Line(30, 20, 30, 90), Line(20, 30, 90, 30)});
    if (inRange) {
      Box().ChamferInRange(15, 15, 35, 35);
    } else {
      Click(31, 70);
      Click(70, 31);
    }
    ASSERT_EQ(Elements().size(), inRange ? 2u : 3u);
    if (!inRange) ExpectArc(Elements()[2], 40, 40, 10);
    ExpectScreenMatchesRedraw();
  }
}

// ---- No-ops --------------------------------------------------------------------------

TEST_F(TrimCommands, ActionsThatChangeNothingLeaveTheDrawingItsOrderAndTheUndoLog) {
  struct Case {
    const char* what;
    Sbuttontype mode;
    std::vector<RDrawElement> seed;
    std::vector<std::pair<RPoint2D, TShiftState>> clicks;
  } cases[] = {
      {"trim of parallel lines",
       dttreming,
       {Line(10, 40, 60, 40), Line(10, 50, 60, 50)},
       {{{20, 41}, ssLeft}, {{20, 49}, ssLeft}}},
      // The corner is there already: the results are the picks themselves.
      {"trim of two lines already ending at their crossing",
       dttreming,
       {Line(10, 40, 30, 40), Line(30, 70, 30, 40)},
       {{{20, 41}, ssLeft}, {{31, 60}, ssLeft}}},
      {"chamfer of parallel lines",
       dtMentori,
       {Line(10, 40, 60, 40), Line(10, 50, 60, 50)},
       {{{20, 41}, ssLeft}, {{20, 49}, ssLeft}}},
      // The line misses the flat ellipse: the tool finds no crossing.
      {"line and ellipse that never meet",
       dttreming,
       {Line(10, 40, 30, 40), Arc(60, 70, 10, 0, 180, 0.5f)},
       {{{20, 41}, ssLeft}, {{60, 75}, ssLeft}}},
      {"middle cut with nothing crossing",
       dtSennakanuki,
       {Line(10, 40, 60, 40), Line(10, 60, 60, 60)},
       {{{30, 40.5}, ssLeft}}},
      {"split with no line in its window", dtSenkotensetu, {Line(10, 40, 60, 40)}, {{{30, 60}, ssLeft}}},
      {"split of one line that crosses nothing", dtSenkotensetu, {Line(10, 40, 60, 40)}, {{{30, 40}, ssLeft}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(c.mode);
    Enter();
    for (const RDrawElement& e : c.seed) Seed({e});
    const std::vector<RDrawElement> before = Elements();
    const RDrawElement earlier = EarlierStep();
    for (const auto& [p, shift] : c.clicks) Click(p.x, p.y, shift);
    std::vector<RDrawElement> want;
    for (RDrawElement e : before) {
      e.Selection = 0;
      want.push_back(e);
    }
    ExpectElements(want);
    ExpectUndoLog({earlier});
    Leave();  // takes the split's capture window off the screen
    ExpectScreenMatchesRedraw();
  }
}

// ---- Split at a crossing ---------------------------------------------------------

TEST_F(TrimCommands, AnXSplitsIntoFourPiecesInOneStep) {
  // Each line is split at (40, 40), its second part first.
  using Way = std::pair<Sbuttontype, TShiftState>;
  const TShiftState shiftLeft = ssShift | ssLeft;
  for (const auto& [mode, shift] : {Way{dtSenkotensetu, ssLeft}, Way{dtSenkotensetu, ssRight},
                                    Way{dttreming, shiftLeft}, Way{dtMentori, shiftLeft}}) {
    SCOPED_TRACE(mode);
    StartAfresh(mode);
    Enter();
    Seed({Line(30, 30, 50, 50), Looking(Line(30, 50, 50, 30), 2, 3)});
    const RDrawElement a = Elements()[0], b = Elements()[1];
    Click(40, 40, shift);
    const RDrawElement a1 = Line(40, 40, 50, 50), a2 = Line(30, 30, 40, 40);
    const RDrawElement b1 = Looking(Line(40, 40, 50, 30), 2, 3), b2 = Looking(Line(30, 50, 40, 40), 2, 3);
    ExpectElements({Kept(a1), Kept(a2), Kept(b1), Kept(b2)});
    ExpectUndoLog({Deleted(b), Deleted(a), Added(a1), Added(a2), Added(b1), Added(b2)});
    // The pieces the window met are drawn in the selection colour, and the
    // lines' band painted again from the drawing at once shows them in
    // their own; leaving takes the capture window away.
    Leave();
    ExpectScreenMatchesRedraw();
  }
}

// A level line and an upright one: each lies along the middle of the
// click's window (2 units each way), not across a corner of it. A point
// standing on the crossing is no line: it is neither split nor marked.
TEST_F(TrimCommands, AnUprightCrossSplitsAndAPointOnItStaysUnmarked) {
  StartAfresh(dtSenkotensetu);
  Enter();
  Seed({Point(40, 40), Line(30, 40, 50, 40), Line(40, 30, 40, 50)});
  const RDrawElement point = Elements()[0], a = Elements()[1], b = Elements()[2];
  Click(40, 40);
  const RDrawElement a1 = Line(40, 40, 50, 40), a2 = Line(30, 40, 40, 40);
  const RDrawElement b1 = Line(40, 40, 40, 50), b2 = Line(40, 30, 40, 40);
  ExpectElements({point, Kept(a1), Kept(a2), Kept(b1), Kept(b2)});
  EXPECT_EQ(Value(Elements()[0].Selection), 0);
  ExpectUndoLog({Deleted(b), Deleted(a), Added(a1), Added(a2), Added(b1), Added(b2)});
  Leave();
  ExpectScreenMatchesRedraw();
}

// The split takes only the lines its window met: a selected line far
// outside the view stays where it was, as it was, selected, and has no
// part in the undo step.
TEST_F(TrimCommands, ASelectedElementOutsideTheViewSurvivesASplit) {
  StartAfresh(dtSenkotensetu);
  RDrawElement away = Line(300, 300, 320, 300);
  away.Selection = 1;
  Seed({away, Line(30, 30, 50, 50), Line(30, 50, 50, 30)});
  const RDrawElement stored = Elements()[0], a = Elements()[1], b = Elements()[2];
  Click(40, 40);
  const RDrawElement a1 = Line(40, 40, 50, 50), a2 = Line(30, 30, 40, 40);
  const RDrawElement b1 = Line(40, 40, 50, 30), b2 = Line(30, 50, 40, 40);
  ExpectElements({stored, Kept(a1), Kept(a2), Kept(b1), Kept(b2)});
  EXPECT_EQ(Value(Elements()[0].Selection), 1);
  ExpectUndoLog({Deleted(b), Deleted(a), Added(a1), Added(a2), Added(b1), Added(b2)});
  Leave();
  ExpectScreenMatchesRedraw();
}

// ---- Middle cut ------------------------------------------------------------------

TEST_F(TrimCommands, AMiddleCutKeepsOrRemovesThePartBetweenTheNearestCrossings) {
  // The horizontal line from (10, 40) to (90, 40) crosses the verticals at
  // x = 30 (side 1, towards its first end) and x = 60.
  struct Case {
    const char* what;
    TShiftState shift;
    std::vector<std::array<double, 4>> pieces;
  } cases[] = {
      {"left keeps the middle", ssLeft, {{30, 40, 60, 40}}},
      {"right keeps the outer parts", ssRight, {{30, 40, 10, 40}, {60, 40, 90, 40}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtSennakanuki);
    Seed({Line(30, 20, 30, 60), Line(60, 20, 60, 60), Looking(Line(10, 40, 90, 40), 2, 3)});
    const RDrawElement target = Elements()[2];
    Click(45, 40.5, c.shift);
    EXPECT_EQ(Box().PickedIndex[1], 2);
    ASSERT_EQ(Elements().size(), 2 + c.pieces.size());
    std::vector<RDrawElement> log = {Deleted(target)};
    for (std::size_t i = 0; i < c.pieces.size(); ++i) {
      const std::array<double, 4>& p = c.pieces[i];
      const RDrawElement piece = Looking(Line(p[0], p[1], p[2], p[3]), 2, 3);
      EXPECT_EQ(DescribeElement(Elements()[2 + i]), DescribeElement(Kept(piece)));
      log.push_back(Added(piece));
    }
    ExpectUndoLog(log);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TrimCommands, WhichCrossingsCountFollowsNakaZokuMusiAndTheFilter) {
  // The left vertical looks like the clicked line (type 1, colour 1); the
  // right one is dashed. A side without a cutter gives its own end.
  struct Case {
    const char* what;
    std::uint8_t option;
    bool filterOn;
    std::optional<std::array<double, 4>> piece;  // none: nothing changes
  } cases[] = {
      {"0: both cut", 0, true, std::array<double, 4>{30, 40, 60, 40}},
      {"1: not the one that looks the same", 1, true, std::array<double, 4>{60, 40, 10, 40}},
      {"2: only solid lines", 2, true, std::array<double, 4>{90, 40, 30, 40}},
      {"3: neither", 3, true, std::nullopt},
      {"4 and above as 0", 7, true, std::array<double, 4>{30, 40, 60, 40}},
      {"line and arc bits clear", 0, false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtSennakanuki);
    Box().NakaZokuMusi = c.option;
    Box().SelectionFilter.Lines = c.filterOn;
    Box().SelectionFilter.Arcs = c.filterOn;
    Seed({Line(30, 20, 30, 60), Looking(Line(60, 20, 60, 60), 2, 3), Line(10, 40, 90, 40)});
    const std::vector<RDrawElement> before = Elements();
    const RDrawElement earlier = EarlierStep();
    Click(45, 40.5);
    if (!c.piece) {
      ExpectElements(before);
      ExpectUndoLog({earlier});
      ExpectScreenMatchesRedraw();
      continue;
    }
    const std::array<double, 4>& p = *c.piece;
    ExpectElements({before[0], before[1], Kept(Line(p[0], p[1], p[2], p[3]))});
    ExpectScreenMatchesRedraw();
  }
}

// ---- Range chamfer and range drag --------------------------------------------------

TEST_F(TrimCommands, TheRangeChamferCutsTheTwoLinesWithOneEndInside) {
  // The walk from the last element makes the vertical the first line; the
  // outside ends are the pick points. Kind 0, 10 drawing units.
  StartAfresh(dttreming);
  Box().ChamferKind = 0;
  Box().ChamferSize = 1000;
  RDrawElement fitting = Line(25, 25, 25, 70);
  fitting.LineTag = kLineTagFitting;
  Seed({Looking(Line(20, 30, 90, 30), 1, 5), fitting, Looking(Line(30, 20, 30, 90), 2, 3)});
  EnvelopeGestureAt(15, 15);
  Click(35, 35, ssCtrl | ssLeft);
  EXPECT_EQ(Box().ButonType, dttreming);
  EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dttreming, 46}));
  EXPECT_TRUE(Dialogs().shown.empty());
  ASSERT_EQ(Elements().size(), 4u);
  EXPECT_EQ(Value(Elements()[0].LineTag), kLineTagFitting);
  ExpectLine(Elements()[1], 30, 90, 30, 40);
  ExpectLine(Elements()[2], 90, 30, 40, 30);
  ExpectLine(Elements()[3], 30, 40, 40, 30);   // from the first line's set-back point
  EXPECT_EQ(Value(Elements()[3].ColorNo), 5);  // a copy of the second line
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, AThirdLineEndInTheRangeGivesTheMessageAndNoChange) {
  StartAfresh(dttreming);
  Box().ChamferSize = 1000;
  Seed({Line(20, 30, 90, 30), Line(30, 20, 30, 90), Line(25, 25, 25, 70)});
  const std::vector<RDrawElement> before = Elements();
  const RDrawElement earlier = EarlierStep();
  EnvelopeGestureAt(15, 15);
  Click(35, 35, ssCtrl | ssRight);
  ASSERT_EQ(Dialogs().shown.size(), 1u);
  EXPECT_EQ(Dialogs().shown[0].text, J("面取りする２つの線の端点側のみ範囲内に入れてください。"));
  EXPECT_EQ(Dialogs().shown[0].messageKind, MessageKind::Confirmation);
  ExpectElements(before);
  ExpectUndoLog({earlier});
  EXPECT_EQ(Box().ButonType, dttreming);
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, TheClosingClickChoosesTheRangeOperation) {
  // The same drawing run through the range drag and through the operation
  // called directly on the range (35, 35)-(75, 55).
  struct Case {
    const char* what;
    TShiftState shift;
    std::function<void(TcadBox&)> direct;
  } cases[] = {
      {"left: envelope of solid lines", ssLeft, [](TcadBox& b) { b.EnvelopeInsideBox(false, 35, 35, 75, 55); }},
      {"Shift+left: envelope of every type", ssShift | ssLeft,
       [](TcadBox& b) { b.EnvelopeInsideBox(true, 35, 35, 75, 55); }},
      {"right: box trim of solid lines", ssRight, [](TcadBox& b) { b.EraseInsideBox(false, 35, 35, 75, 55); }},
      {"Shift+right: box trim of every type", ssShift | ssRight,
       [](TcadBox& b) { b.EraseInsideBox(true, 35, 35, 75, 55); }},
      {"Ctrl+left: range chamfer", ssCtrl | ssLeft, [](TcadBox& b) { b.ChamferInRange(35, 35, 75, 55); }},
  };
  const std::vector<RDrawElement> drawing = {
      Line(40, 40, 60, 40), Line(50, 40, 70, 40),  Looking(Line(45, 30, 45, 50), 2, 1),
      Line(20, 45, 90, 45), Line(70, 50, 100, 50), Line(72, 52, 72, 90)};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtNo);
    for (const RDrawElement& e : drawing) Seed({e});
    c.direct(Box());
    const std::vector<RDrawElement> want = Elements();
    const std::vector<RDrawElement> wantLog = UndoLog();
    StartAfresh(dttreming);
    for (const RDrawElement& e : drawing) Seed({e});
    BanGoCalls.clear();
    EnvelopeGestureAt(35, 35);
    // The gesture's label went with a partial repaint, which draws the
    // newest elements first: where the dashed line crosses the older line
    // under it, the older one lies on top until the next full redraw.
    EXPECT_EQ(PixelAt(45, 40), PixelAt(42, 40));
    RedrawAsTheHostDoes();
    EXPECT_EQ(PixelAt(45, 40), PixelAt(45, 40.4));
    MoveTo(60, 50);
    MoveTo(75, 55);
    Click(75, 55, c.shift);
    ExpectElements(want);
    ExpectUndoLog(wantLog);
    EXPECT_EQ(Box().ButonType, dttreming);
    EXPECT_EQ(Box().SavedMode, dtNo);
    EXPECT_EQ(Box().DragStage, 0);
    EXPECT_EQ(Box().ClickKind, 0);
    EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dttreming, 46}));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TrimCommands, ABoxTrimTakesThePartsOfSolidLinesInsideTheRange) {
  // The Part's case: anchor (0, 0)... here (20, 20) to (40, 40) in view.
  StartAfresh(dttreming);
  Seed({Line(10, 30, 50, 30), Looking(Line(30, 10, 30, 50), 2, 1)});
  EnvelopeGestureAt(20, 20);
  MoveTo(40, 40);
  Click(40, 40, ssRight);
  ASSERT_EQ(Elements().size(), 3u);
  EXPECT_EQ((Ends(Elements()[0])), (Ends(Looking(Line(30, 10, 30, 50), 2, 1))));
  std::vector<std::array<double, 4>> pieces = {Ends(Elements()[1]), Ends(Elements()[2])};
  std::sort(pieces.begin(), pieces.end());
  EXPECT_EQ(pieces[0], (std::array<double, 4>{10, 30, 20, 30}));
  EXPECT_EQ(pieces[1], (std::array<double, 4>{40, 30, 50, 30}));
  EXPECT_EQ(Box().ButonType, dttreming);
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, ARangeDragOverTheFigurePasteTrimsNothing) {
  for (const Sbuttontype mode : {dtCopyZukei, dtCopyHenkeiZukei}) {
    SCOPED_TRACE(mode);
    StartAfresh(dtDraggu);
    Box().SavedMode = mode;
    Seed({Line(10, 30, 50, 30)});
    const std::vector<RDrawElement> before = Elements();
    Click(20, 20);  // the anchor
    EXPECT_EQ(Box().DragStage, 1);
    MoveTo(40, 40);
    Click(40, 40, ssRight);
    ExpectElements(before);
    EXPECT_EQ(Box().ButonType, mode);
    EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{mode, 46}));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TrimCommands, ATrimWaitingForItsSecondLineStartsAgainAfterABoxTrimChangedTheList) {
  // The first pick sits at index 1; the box trim removes index 0, so the
  // kept index would name the vertical. The trim starts again instead.
  StartAfresh(dttreming);
  Seed({Line(100, 20, 110, 20), Line(10, 40, 60, 40), Line(40, 10, 40, 70)});
  Click(20, 41);
  ASSERT_EQ(Box().B_Switch, on1);
  ASSERT_EQ(Box().PickedIndex[1], 1);
  InterruptBy(dtDraggu);
  Click(95, 15);  // the anchor
  MoveTo(115, 25);
  Click(115, 25, ssRight);
  EXPECT_EQ(Box().ButonType, dttreming);
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_EQ(Box().PickedIndex[1], -1);
  ASSERT_EQ(Elements().size(), 2u);
  EXPECT_EQ(Value(Elements()[0].Selection), 0);
  ExpectScreenMatchesRedraw();
  // A pick now is a first pick again, and the trim takes the right pair.
  Click(20, 41);
  Click(41, 60);
  ExpectElements({Kept(Line(40, 70, 40, 40)), Kept(Line(10, 40, 40, 40))});
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, ARangeDragThatChangesNothingKeepsTheWaitingPick) {
  StartAfresh(dttreming);
  Seed({Line(10, 40, 60, 40), Line(40, 10, 40, 70)});
  Click(20, 41);
  InterruptBy(dtDraggu);
  Click(95, 15);
  MoveTo(115, 25);
  Click(115, 25, ssRight);  // nothing in the range
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_EQ(Box().PickedIndex[1], 0);
  Click(41, 60);
  ExpectElements({Kept(Line(40, 70, 40, 40)), Kept(Line(10, 40, 40, 40))});
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, TheTrimRefusesPickedIndicesOutsideTheList) {
  StartAfresh(dttreming);
  Seed({Line(10, 40, 60, 40), Line(40, 10, 40, 70)});
  const RDrawElement earlier = EarlierStep();
  const std::vector<RDrawElement> before = Elements();
  Box().PickedIndex[1] = 5;
  Box().PickedIndex[2] = 1;
  Box().TrimPair({20, 40}, {40, 60});
  Box().PickedIndex[1] = 0;
  Box().PickedIndex[2] = 7;
  Box().ChamferTwoLines({20, 40}, {40, 60});
  ExpectElements(before);
  ExpectUndoLog({earlier});
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, TheCancelTakesTheRectangleAwayAndReturnsToTheInterruptedMode) {
  StartAfresh(dttreming);
  Seed({Line(10, 30, 50, 30)});
  EnvelopeGestureAt(20, 20);
  MoveTo(40, 40);
  Box().CancelCommands(true);
  EXPECT_EQ(Box().DragStage, 0);
  EXPECT_EQ(Box().ButonType, dttreming);
  ExpectScreenMatchesRedraw();
}

TEST_F(TrimCommands, ALineCountsAsAlongAnAxisWithinATenthOfADegree) {
  // A line of length 100 from the origin at the given direction.
  struct Case {
    double degrees;
    bool along;
  } cases[] = {{0, true},      {0.099, true}, {0.101, false}, {45, false},    {89.901, true}, {90.101, false},
               {179.95, true}, {180, true},   {269.95, true}, {359.95, true}, {-0.101, false}};
  for (const Case& c : cases) {
    const double a = c.degrees * M_PI / 180;
    EXPECT_EQ(AlongAnAxis(Line(0, 0, 100 * std::cos(a), 100 * std::sin(a))), c.along) << c.degrees;
  }
}

// ---- The window marking of the split --------------------------------------------

TEST_F(TrimCommands, TheWindowMarkingTakesLinesByTheLineFilters) {
  // Lines crossing the window (35, 35)-(45, 45): horizontal, 45 degrees,
  // 5 degrees; a text in view and a line outside the window.
  StartAfresh(dtSenkotensetu);
  Seed({Line(20, 40, 60, 40), Line(30, 30, 50, 50), Line(20, 40, 60, 40 + 40 * std::tan(5 * M_PI / 180)),
        Line(80, 80, 90, 80)});
  struct Case {
    const char* what;
    bool lines, oblique;
    std::array<int, 4> marked;
  } cases[] = {
      {"lines", true, false, {1, 1, 1, 0}},
      {"oblique only: at least 10 degrees from the axes", true, true, {0, 1, 0, 0}},
      {"oblique bit alone", false, true, {0, 1, 0, 0}},
      {"neither bit: nothing, every mark cleared", false, false, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (RDrawElement& e : Store().Elements) e.Selection = 1;
    Box().SelectionFilter.Lines = c.lines;
    Box().SelectionFilter.ObliqueOnly = c.oblique;
    Box().MarkFilteredLinesInWindow(true, 35, 35, 45, 45);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(Value(Elements()[i].Selection), c.marked[i]) << i;
  }
}

}  // namespace
