// Centre lines between two references and division lines between two picked
// lines by count and by pitch, through the mouse. Group 0 is drawn at 1:100,
// so a pitch of 1000 (real millimetres) is 10 drawing units.

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/element_factory.h"

namespace {

// A line as the current pen (type 1, colour 1, group 0, layer 0) adds it.
RDrawElement PenLineConstructionLines(double x1, double y1, double x2, double y2) {
  RDrawElement e = Line(x1, y1, x2, y2);
  e.ColorNo = 1;
  return Added(e);
}

RDrawElement WithSelection(RDrawElement e, std::uint8_t selection) {
  e.Selection = selection;
  return e;
}

// The foot of p on the line through c in the direction of angleDeg.
RPoint2D FootOnLineAt(RPoint2D c, double angleDeg, RPoint2D p) {
  const double a = angleDeg * std::numbers::pi / 180;
  const double t = (p.x - c.x) * std::cos(a) + (p.y - c.y) * std::sin(a);
  return {c.x + t * std::cos(a), c.y + t * std::sin(a)};
}

class ConstructionLines : public CommandHarness {
 protected:
  // An entry standing for an earlier undo step, which an action that
  // changes nothing must leave in the log.
  RDrawElement EarlierStep() {
    RDrawElement e = Added(Line(5, 90, 9, 90));
    Store().UndoLog = {e};
    return e;
  }
};

// ---- Centre lines --------------------------------------------------------------

TEST_F(ConstructionLines, CentreLinesAgainstTheirClosedForms) {
  struct Reference {
    double x, y;
    TShiftState click;  // left: the line there; right: the point snapped there
  };
  struct Case {
    const char* what;
    std::vector<RDrawElement> drawing;
    Reference first, second;
    RPoint2D base;  // a point of the centre line and its direction, by hand
    double angle;
  } cases[] = {
      {"crossing at right angles: the 45 degree bisector through the crossing",
       {Line(20, 50, 100, 50), Line(60, 10, 60, 90)},
       {80, 50, ssLeft},
       {60, 70, ssLeft},
       {60, 50},
       45},
      // The second line leaves the crossing at 300 degrees on the picked
      // side: the bisector of 0 and 300 lies at 330 (the mean 150 is the
      // same line).
      {"crossing at 60 degrees, picked on the 0 and 300 degree rays",
       {Line(20, 50, 100, 50), Line(50, 50 + 10 * std::sqrt(3.0), 70, 50 - 10 * std::sqrt(3.0))},
       {80, 50, ssLeft},
       {65, 50 - 5 * std::sqrt(3.0), ssLeft},
       {60, 50},
       330},
      {"parallel lines 10 apart: the line 5 from each",
       {Line(20, 30, 100, 30), Line(30, 40, 90, 40)},
       {70, 30, ssLeft},
       {40, 40, ssLeft},
       {0, 35},
       0},
      {"a point, then a line: halfway between them, along the line",
       {Point(40, 80), Line(20, 40, 100, 40)},
       {40.5, 80.3, ssRight},
       {70, 40, ssLeft},
       {40, 60},
       0},
      {"a line, then a point",
       {Point(40, 80), Line(20, 40, 100, 40)},
       {70, 40, ssLeft},
       {40.5, 80.3, ssRight},
       {40, 60},
       0},
      {"two points: the perpendicular bisector",
       {Point(30, 20), Point(50, 20)},
       {30.4, 20.2, ssRight},
       {49.6, 19.8, ssRight},
       {40, 20},
       90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartAfresh(dtSencyusin);
    for (const RDrawElement& e : c.drawing) Seed({e});
    const std::vector<RDrawElement> seeded = Elements();
    TcadBox& box = Box();
    Click(c.first.x, c.first.y, c.first.click);
    EXPECT_EQ(box.B_Switch, on1);
    Click(c.second.x, c.second.y, c.second.click);
    ASSERT_EQ(box.ButonType, dtSencyusin2);
    // The start and the end anywhere: both land on the centre line.
    const RPoint2D start = FootOnLineAt(c.base, c.angle, {70, 55});
    const RPoint2D end = FootOnLineAt(c.base, c.angle, {40, 35});
    Click(70, 55);
    MoveTo(50, 45);
    Click(40, 35);
    std::vector<RDrawElement> want = seeded;
    want.push_back(PenLineConstructionLines(start.x, start.y, end.x, end.y));
    ExpectElements(want);
    ExpectUndoLog({want.back()});
    EXPECT_EQ(box.ButonType, dtSencyusin);
    EXPECT_EQ(box.B_Switch, _off);
    EXPECT_EQ(box.CommandStep, 0);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(ConstructionLines, CollinearLinesGiveTheMessageAndTheFirstStep) {
  Seed({Line(20, 30, 50, 30), Line(70, 30, 100, 30)});
  const std::vector<RDrawElement> seeded = Elements();
  TcadBox& box = Box();
  box.ButonType = dtSencyusin;
  Click(40, 30);
  Click(80, 30);
  ASSERT_EQ(Dialogs().shown.size(), 1u);
  EXPECT_EQ(Dialogs().shown[0].text, J("同一線上は計算できません！"));
  EXPECT_EQ(Dialogs().shown[0].messageKind, MessageKind::Plain);
  ExpectElements(seeded);  // both picks withdrawn
  EXPECT_EQ(box.ButonType, dtSencyusin);
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_EQ(box.PickedIndex[1], -1);
  EXPECT_EQ(box.PickedIndex[2], -1);
  ExpectScreenMatchesRedraw();
}

TEST_F(ConstructionLines, AZeroLengthSegmentStoresNothing) {
  Seed({Point(30, 20), Point(50, 20)});
  const std::vector<RDrawElement> seeded = Elements();
  const RDrawElement earlier = EarlierStep();
  TcadBox& box = Box();
  box.ButonType = dtSencyusin;
  Click(30.4, 20.2, ssRight);
  Click(49.6, 19.8, ssRight);
  // Both clicks fall on (40, 60) of the line x = 40.
  Click(45, 60);
  Click(35, 60);
  ExpectElements(seeded);
  ExpectUndoLog({earlier});
  EXPECT_EQ(box.ButonType, dtSencyusin);
  ExpectScreenMatchesRedraw();
}

TEST_F(ConstructionLines, TheCentreLinePicksTakeNoArcAndNoMissedSnap) {
  Seed({Arc(60, 50, 20, 0, 180), Point(30, 20)});
  TcadBox& box = Box();
  box.ButonType = dtSencyusin;
  Click(80, 50.5);  // on the arc
  EXPECT_EQ(Hint(), "  " + J("図形がありません"));
  EXPECT_EQ(box.B_Switch, _off);
  Click(100, 80, ssRight);  // nothing to snap to
  EXPECT_EQ(Hint(), "  " + J("ﾋｯﾄできません"));
  EXPECT_EQ(box.B_Switch, _off);
  Click(30.3, 20.3, ssRight);
  EXPECT_EQ(box.B_Switch, on1);
  Click(29.8, 20.1, ssRight);  // the same point again
  EXPECT_EQ(Hint(), "  " + J("1点目と同一です"));
  EXPECT_EQ(box.B_Switch, on1);
  EXPECT_EQ(box.ButonType, dtSencyusin);
  Click(60, 70.5);  // the arc again
  EXPECT_EQ(Hint(), "  " + J("図形がありません"));
  EXPECT_EQ(box.B_Switch, on1);
  ExpectScreenMatchesRedraw();
}

TEST_F(ConstructionLines, AssistedPointsGiveTheStartAndTheEnd) {
  Seed({Point(30, 20), Point(50, 20)});
  const std::vector<RDrawElement> seeded = Elements();
  TcadBox& box = Box();
  box.ButonType = dtSencyusin;
  Click(30.4, 20.2, ssRight);
  Click(49.6, 19.8, ssRight);
  ASSERT_EQ(box.ButonType, dtSencyusin2);
  // Midpoint assists between clicks a unit either side of (45, 30), then
  // of (35, 60): on the line x = 40 they are (40, 30) and (40, 60).
  for (const RPoint2D p : {RPoint2D{45, 30}, RPoint2D{35, 60}}) {
    box.SavedMode = dtSencyusin2;
    box.ButonType = dtNitenkan;
    Click(p.x - 1, p.y);
    Click(p.x + 1, p.y);
  }
  std::vector<RDrawElement> want = seeded;
  want.push_back(PenLineConstructionLines(40, 30, 40, 60));
  ExpectElements(want);
  EXPECT_EQ(box.ButonType, dtSencyusin);
  EXPECT_EQ(box.CommandStep, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(ConstructionLines, PickPairOnlyTouchesPositionsOfTheList) {
  Seed({Line(20, 30, 50, 30)});
  TcadBox& box = Box();
  box.ButonType = dtSencyusin;
  for (const std::int32_t stale : {-5, 1, 7}) {
    SCOPED_TRACE(stale);
    box.PickedIndex[1] = stale;
    box.PickedIndex[2] = 0;
    Store().Elements[0].Selection = 1;
    box.DeselectPickPair();
    EXPECT_EQ(Value(Elements()[0].Selection), 0);
    EXPECT_EQ(box.PickedIndex[1], -1);
    EXPECT_EQ(box.PickedIndex[2], -1);
  }
}

// ---- Division by count ---------------------------------------------------------

TEST_F(ConstructionLines, DivisionByCountPutsLinesAtEqualParts) {
  // The lines y = 20 and y = 50 from x = 20 to 80: division i of N at
  // 30 * i / N from the line picked last.
  for (const bool lowerFirst : {true, false}) {
    for (const float ratio : {1.0f, 0.0f}) {
      for (std::int32_t n = 1; n <= 5; ++n) {
        SCOPED_TRACE(testing::Message() << "lower first " << lowerFirst << ", ratio " << ratio << ", N " << n);
        StartAfresh(dtsenbunkatu);
        Seed({Line(20, 20, 80, 20), Line(20, 50, 80, 50)});
        const std::vector<RDrawElement> seeded = Elements();
        const RDrawElement earlier = EarlierStep();
        TcadBox& box = Box();
        box.SetCount = n;
        box.DivisionRatio = ratio;
        Click(25, lowerFirst ? 20 : 50);
        Click(25, lowerFirst ? 50 : 20);
        std::vector<RDrawElement> want = {WithSelection(seeded[0], 10), WithSelection(seeded[1], 10)};
        std::vector<RDrawElement> log;
        for (std::int32_t i = 1; i < n; ++i) {
          const double y = lowerFirst ? 50 - 30.0 * i / n : 20 + 30.0 * i / n;
          log.push_back(PenLineConstructionLines(20, y, 80, y));
          want.push_back(Kept(log.back()));
        }
        ExpectElements(want);
        ExpectUndoLog(n < 2 ? std::vector<RDrawElement>{earlier} : log);
        EXPECT_EQ(box.B_Switch, _off);
        ExpectScreenMatchesRedraw();
      }
    }
  }
}

TEST_F(ConstructionLines, AGradedDivisionCrowdsTowardsTheLinePickedLast) {
  // Fraction i of N: ratio^(N + 1 - i) * i / N of the 30 between the lines,
  // from the line picked last.
  struct Case {
    float ratio;
    std::int32_t n;
    std::vector<double> along;  // by hand
  } cases[] = {
      {0.5f, 2, {3.75}},             // 0.25 / 2 * 30
      {0.5f, 3, {1.25, 5}},          // 0.125 / 3, 0.25 * 2 / 3
      {0.75f, 3, {4.21875, 11.25}},  // 0.421875 / 3, 0.5625 * 2 / 3
      {-2.0f, 3, {10, 20}},          // a negative ratio is read as 1
  };
  for (const Case& c : cases) {
    for (const bool lowerFirst : {true, false}) {
      SCOPED_TRACE(testing::Message() << "ratio " << c.ratio << ", N " << c.n << ", lower first " << lowerFirst);
      StartAfresh(dtsenbunkatu);
      Seed({Line(20, 20, 80, 20), Line(20, 50, 80, 50)});
      const std::vector<RDrawElement> seeded = Elements();
      TcadBox& box = Box();
      box.SetCount = c.n;
      box.DivisionRatio = c.ratio;
      Click(25, lowerFirst ? 20 : 50);
      Click(25, lowerFirst ? 50 : 20);
      std::vector<RDrawElement> want = {WithSelection(seeded[0], 10), WithSelection(seeded[1], 10)};
      std::vector<RDrawElement> log;
      for (const double d : c.along) {
        const double y = lowerFirst ? 50 - d : 20 + d;
        log.push_back(PenLineConstructionLines(20, y, 80, y));
        want.push_back(Kept(log.back()));
      }
      ExpectElements(want);
      ExpectUndoLog(log);
      ExpectScreenMatchesRedraw();
    }
  }
}

TEST_F(ConstructionLines, EachLinesEndsPairByItsOwnPick) {
  // A long line below and a short one above it, to the right: both picked
  // near their right ends, the right ends pair; the upper line picked at
  // its left end pairs that end with the lower line's right end.
  struct Case {
    RPoint2D lower, upper;  // the picks
    RPoint2D from1, to1;    // the single division line (N 2), by hand
  } cases[] = {
      // (100, 0) with (60, 30), (0, 0) with (40, 30): midpoints.
      {{90, 0}, {55, 30}, {80, 15}, {20, 15}},
      // (100, 0) with (40, 30), (0, 0) with (60, 30); the upper line is the
      // tool's first, so its picked end comes first.
      {{90, 0}, {42, 30}, {70, 15}, {30, 15}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.upper.x);
    StartAfresh(dtsenbunkatu);
    Seed({Line(0, 0, 100, 0), Line(40, 30, 60, 30)});
    TcadBox& box = Box();
    box.SetCount = 2;
    Click(c.lower.x, c.lower.y);
    Click(c.upper.x, c.upper.y);
    ASSERT_EQ(Elements().size(), 3u);
    ExpectUndoLog({PenLineConstructionLines(c.from1.x, c.from1.y, c.to1.x, c.to1.y)});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(ConstructionLines, DivisionTakesNoArcAndNoRightClick) {
  Seed({Line(20, 20, 80, 20), Arc(60, 60, 10, 0, 180)});
  const std::vector<RDrawElement> seeded = Elements();
  TcadBox& box = Box();
  box.SetCount = 3;
  for (const Sbuttontype mode : {dtsenbunkatu, dtsenbunkatupitch}) {
    SCOPED_TRACE(int(mode));
    box.ButonType = mode;
    Click(70, 60.3);  // on the arc
    EXPECT_EQ(Hint(), "  " + J("図形がありません"));
    EXPECT_EQ(box.B_Switch, _off);
    Click(50, 20, ssRight);
    EXPECT_EQ(box.B_Switch, _off);
    Click(50, 20);
    EXPECT_EQ(box.B_Switch, on1);
    Click(70, 60.3);
    EXPECT_EQ(Hint(), "  " + J("図形がありません"));
    Click(70, 60.3, ssRight);
    EXPECT_EQ(box.B_Switch, on1);
    ExpectElements({WithSelection(seeded[0], 1), seeded[1]});
    CancelCommands();
    ExpectScreenMatchesRedraw();
  }
  ExpectUndoLog({});
}

// ---- Division by pitch ---------------------------------------------------------

TEST_F(ConstructionLines, DivisionByPitchInTheFourModes) {
  // The gap between y = 20 and y = 50 is 30: a pitch of 10 divides it, one
  // of 8 leaves 30 / 8 = 3.75.
  struct Case {
    std::uint8_t mode;
    double pitch;               // real units
    std::vector<double> along;  // distances of the lines from y = 20, by hand
  } cases[] = {
      {0, 1000, {10, 20}},        // ceil(3) = 3 equal parts
      {1, 1000, {10, 20}},        // floor(3) = 3 equal parts
      {2, 1000, {10, 20, 30}},    // every pitch from the first line
      {3, 1000, {5, 15, 25}},     // e = (0 + 1) * 10 / 2, three steps
      {0, 800, {7.5, 15, 22.5}},  // ceil(3.75) = 4 equal parts
      {1, 800, {10, 20}},         // floor(3.75) = 3 equal parts
      {2, 800, {8, 16, 24}},
      {3, 800, {7, 15, 23}},  // e = (0.75 + 1) * 8 / 2
      {0, 4000, {}},          // a gap narrower than the pitch
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << ", pitch " << c.pitch);
    StartAfresh(dtsenbunkatupitch);
    Seed({Line(20, 20, 80, 20), Line(20, 50, 80, 50)});
    const std::vector<RDrawElement> seeded = Elements();
    const RDrawElement earlier = EarlierStep();
    TcadBox& box = Box();
    box.PitchMode = c.mode;
    box.DivPitch = c.pitch;
    Click(25, 20);
    Click(25, 50);
    std::vector<RDrawElement> want = {WithSelection(seeded[0], 10), WithSelection(seeded[1], 10)};
    std::vector<RDrawElement> log;
    for (const double d : c.along) {
      log.push_back(PenLineConstructionLines(20, 20 + d, 80, 20 + d));
      want.push_back(Kept(log.back()));
    }
    ExpectElements(want);
    ExpectUndoLog(c.along.empty() ? std::vector<RDrawElement>{earlier} : log);
    EXPECT_EQ(box.B_Switch, _off);
    ExpectScreenMatchesRedraw();
  }
}

}  // namespace
