// The dimension line between two guide lines, the single dimension between
// two snapped points and the change of a dimension's value, through the
// mouse.

#include <cmath>
#include <span>
#include <vector>

#include "canvas/command_registry.h"
#include "commands/handlers/dimensions.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/element_factory.h"
#include "tools/lines/dimension_tool.h"

namespace {

class Dimensions : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    Box().GroupScales.fill(1.0);
    StartAfresh(dtsunposen);
  }
  // A new drawing asks for a paint, which the event loop makes before the
  // next click.
  void StartAfresh(Sbuttontype mode) {
    CommandHarness::StartAfresh(mode);
    Box().Update();
  }
  void Seed(std::initializer_list<RDrawElement> elements) {
    CommandHarness::Seed(elements);
    Box().Update();
  }
  void Confirm(Sbuttontype code) {
    TcadBox& b = Box();
    b.PendingGesture = code;
    b.GesturePending = true;
    b.ExecuteDragGesture(0, 0);
  }
  // The guide lines the command built.
  RDimensionGuides& Guides() { return Box().FamilyState<RDimensionGuides>(); }
  // A tool made as the command makes it, with the guide lines the command
  // built: what it gives is the tool's, the command only carries it over.
  TSunpoobj ReferenceTool(double scale) {
    const TcadBox& b = Box();
    const RPointPair& g1 = Guides().GuideLine1;
    const RPointPair& g2 = Guides().GuideLine2;
    return TSunpoobj(g1.xa, g1.ya, g1.xb, g1.yb, g2.xa, g2.ya, g2.xb, g2.yb,
                     NormalizeAngle360(b.CommandAngle + b.AxisAngle), scale, std::span<const RTextStyle>(b.TextStyles),
                     b.DimLineColor, b.DimMarkColor, b.DimTextStyle);
  }
  // The elements the newest step of a tool gives, from its last record back.
  std::vector<RDrawElement> Expected(const TSunpoobj& tool, std::uint8_t group, std::uint8_t layer,
                                     std::uint8_t textGroup, std::uint8_t textLayer) {
    std::vector<RDrawElement> out;
    for (std::size_t k = tool.Records.size(); k-- > tool.LastStepStart();) {
      const RSundata& r = tool.Records[k];
      RDrawElement e = ZeroElement();
      e.UndoMark = kUndoAdded;  // as the store keeps an element added unchecked
      e.ColorNo = r.Colour;
      e.Group = group;
      e.Layer = layer;
      e.X1 = r.X1;
      e.Y1 = r.Y1;
      e.LineType = 1;
      if (r.Kind == kSunLine) {
        e.Kind = kKindLine;
        e.X2 = r.X2;
        e.Y2 = r.Y2;
      } else if (r.Kind == kSunMark) {
        e.Kind = kKindPoint;
      } else {
        e.Kind = kKindText;
        e.LineType = 0;
        e.X2 = r.X2;
        e.Y2 = r.Y2;
        e.TextStyle = Box().DimTextStyle;
        e.TextAngle = static_cast<float>(r.Angle);
        e.Group = textGroup;
        e.Layer = textLayer;
      }
      out.push_back(e);
    }
    return out;
  }
  // Compares the listed elements with the wanted ones, the text index
  // aside; texts by their strings.
  void ExpectTail(std::size_t from, const std::vector<RDrawElement>& want, const TSunpoobj& tool) {
    ASSERT_EQ(Elements().size(), from + want.size());
    std::vector<RDrawElement> got(Elements().begin() + static_cast<std::ptrdiff_t>(from), Elements().end());
    for (std::size_t i = 0; i < want.size(); ++i) {
      RDrawElement g = got[i], w = want[i];
      if (g.Kind == kKindText) {
        EXPECT_EQ(TextOf(g), tool.Records[tool.Records.size() - 1 - i].Text);
        w.TextIndex = g.TextIndex;
      }
      EXPECT_EQ(DescribeElement(g), DescribeElement(w)) << i;
    }
  }
};

TEST_F(Dimensions, TheGuideLinesCrossTheViewAtTheDimensionAngle) {
  // The view runs from (0, 0) to (128, 96). Ahead: max(|128 - x|, |96 - y|);
  // behind: twice max(|0 - x|, |0 - y|).
  struct Case {
    double angle;
    double x, y;
    RPointPair want;
  } cases[] = {
      {0, 40, 30, {40 + 88, 30, 40 - 80, 30}},
      {90, 40, 30, {40, 30 + 88, 40, 30 - 80}},
      {180, 100, 70, {100 - 28, 70, 100 + 200, 70}},  // ahead max(28, 26), behind 2 * max(100, 70)
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    StartAfresh(dtsunposen);
    Box().CommandAngle = c.angle;
    MoveTo(60, 60);
    EXPECT_EQ(Hint(), "  " + J("寸法線開始点指示    [左クリック（自由）：右クリック（点読取り）]"));
    Click(c.x, c.y);
    EXPECT_EQ(Box().B_Switch, on1);
    const RPointPair& g = Guides().GuideLine1;
    EXPECT_NEAR(g.xa, c.want.xa, 1e-9);
    EXPECT_NEAR(g.ya, c.want.ya, 1e-9);
    EXPECT_NEAR(g.xb, c.want.xb, 1e-9);
    EXPECT_NEAR(g.yb, c.want.yb, 1e-9);
    EXPECT_EQ(Box().SegStart.x, c.x);
    MoveTo(60, 60);
    EXPECT_EQ(Hint(), "  " + J("寸法線終了点指示    [左クリック（自由）：右クリック（点読取り）]"));
    Box().CancelCommands(true);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(Dimensions, TheGuideLinesReachEveryEdgeOfAViewAwayFromTheOrigin) {
  // The view from (-20, -10) to (108, 86): each edge is its own distance
  // away, so a side read the wrong way gives another length. Ahead:
  // max(|108 - x|, |86 - y|); behind: twice max(|-20 - x|, |-10 - y|).
  struct Case {
    const char* what;
    double angle, x, y;
    RPointPair want;
  } cases[] = {
      // ahead max(68, 56) = 68; behind 2 * max(60, 40) = 120
      {"the right and the left edge count", 0, 40, 30, {40 + 68, 30, 40 - 120, 30}},
      // ahead max(98, 26) = 98; behind 2 * max(30, 70) = 140
      {"the bottom edge counts behind", 90, 10, 60, {10, 60 + 98, 10, 60 - 140}},
      // ahead max(8, 86) = 86; behind 2 * max(120, 10) = 240
      {"the top edge counts ahead", 180, 100, 0, {100 - 86, 0, 100 + 240, 0}},
  };
  TcadBox& box = Box();
  const RViewRect shown = box.ViewWindow;
  box.ViewWindow = {-20, -10, 108, 86};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RPointPair g{};
    box.BuildGuideLine(g, c.x, c.y, c.angle);
    EXPECT_NEAR(g.xa, c.want.xa, 1e-9);
    EXPECT_NEAR(g.ya, c.want.ya, 1e-9);
    EXPECT_NEAR(g.xb, c.want.xb, 1e-9);
    EXPECT_NEAR(g.yb, c.want.yb, 1e-9);
  }
  box.ViewWindow = shown;
}

TEST_F(Dimensions, AnEndThatSnapsToNothingTakesTheGapOrIsDropped) {
  Click(40, 30);  // a free start: DimGapFree counts
  Click(60, 45, ssRight);
  EXPECT_EQ(Box().B_Switch, on1) << "no gap: the click is dropped";
  Box().DimGapFree = 10;
  Click(60, 45, ssRight);
  EXPECT_EQ(Box().B_Switch, on2);
  // Guide line 1 offset by 10 to both sides: y = 40 lies nearer (60, 45).
  const RPointPair& g = Guides().GuideLine2;
  EXPECT_NEAR(g.ya, 40, 1e-9);
  EXPECT_NEAR(g.yb, 40, 1e-9);
  EXPECT_EQ(Box().SegEnd.x, 60);
  EXPECT_EQ(Box().SegEnd.y, 45);
  ExpectScreenMatchesRedraw();
}

class DimensionChain : public Dimensions {
 protected:
  void SetUp() override {
    Dimensions::SetUp();
    TcadBox& b = Box();
    b.WriteGrupe_No = 2;
    b.WriteReiya_No = 3;
    b.GroupScales[2] = 100;
    b.DimLineColor = 5;
    b.DimMarkColor = 6;
    b.DimTextStyle = 4;
    // Points to measure, away from the guide lines at y = 30 and y = 50.
    Seed({Point(20, 10), Point(50, 10), Point(90, 10)});
    Click(10, 30);
    Click(10, 50);
  }
};

TEST_F(DimensionChain, RightClicksCommitEachPieceFromTheSecondPointOnAsOneUndoStep) {
  EXPECT_EQ(Box().B_Switch, on2);
  MoveTo(60, 70);
  EXPECT_EQ(Hint(), "  " + J("寸法点指示    [2点目以降-＞左クリック（個別）：右クリック（連続）]"));
  TSunpoobj want = ReferenceTool(100);
  Click(20, 11, ssRight);
  EXPECT_EQ(Elements().size(), 3u) << "the first point commits nothing";
  Click(50, 11, ssRight);
  want.AddChainPoint(20, 10);
  want.AddChainPoint(50, 10);
  const std::vector<RDrawElement> piece1 = Expected(want, 2, 3, 2, 3);
  ExpectTail(3, piece1, want);
  std::vector<RDrawElement> log;
  for (const RDrawElement& e : piece1) log.push_back(Added(e));
  EXPECT_EQ(UndoLog().size(), piece1.size());
  // The value of 30 units in group 2 at scale 100, shown at the top too.
  EXPECT_EQ(TextOf(Elements()[3]), "3,000");
  EXPECT_EQ(TopMessage(), " 3,000");
  Click(90, 11, ssRight);
  want.AddChainPoint(90, 10);
  const std::vector<RDrawElement> piece2 = Expected(want, 2, 3, 2, 3);
  ExpectTail(3 + piece1.size(), piece2, want);
  EXPECT_EQ(UndoLog().size(), piece2.size()) << "each piece its own step";
  ExpectScreenMatchesRedraw();
}

TEST_F(DimensionChain, ALeftClickStartsASeparateDimension) {
  Click(50, 11);
  EXPECT_EQ(Box().B_Switch, on3);
  EXPECT_EQ(Elements().size(), 3u);
  Click(90, 11);
  EXPECT_EQ(Box().B_Switch, on2);
  TSunpoobj want = ReferenceTool(100);
  want.RestartChain(50, 10);
  want.AddChainPoint(90, 10);
  ExpectTail(3, Expected(want, 2, 3, 2, 3), want);
  ExpectScreenMatchesRedraw();
}

TEST_F(DimensionChain, AClickThatSnapsToNothingIsDropped) {
  Click(70, 80, ssRight);
  Click(70, 80);
  EXPECT_EQ(Box().B_Switch, on2);
  EXPECT_EQ(Elements().size(), 3u);
  ExpectScreenMatchesRedraw();
}

TEST_F(DimensionChain, TheConfirmEndsTheDimensionLineAndStartsAfresh) {
  Click(20, 11, ssRight);
  Click(50, 11, ssRight);
  Confirm(dtsunposen);
  EXPECT_EQ(Box().ButonType, dtsunposen);
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_EQ(Box().Tool(ToolSlot::SunpoObj).Get<TSunpoobj>(), nullptr);
  EXPECT_EQ(Guides().GuideLine1.xa, 0);
  EXPECT_EQ(Guides().GuideLine2.ya, 0);
  ExpectScreenMatchesRedraw();
  // A new dimension line starts at once.
  Click(10, 60);
  EXPECT_EQ(Box().B_Switch, on1);
  ExpectScreenMatchesRedraw();
}

TEST_F(DimensionChain, AfterAZoomTheGuideLinesAreDrawnAcrossTheNewView) {
  Box().ZoomToWindow(5, 60, 100, 5);
  const RViewRect v = Box().ViewWindow;
  Box().RedrawAll(false);
  for (const RPointPair* g : {&Guides().GuideLine1, &Guides().GuideLine2}) {
    EXPECT_NEAR(std::min(g->xa, g->xb), v.Left, 1e-6);
    EXPECT_NEAR(std::max(g->xa, g->xb), v.Right, 1e-6);
  }
  ExpectScreenMatchesRedraw();
  Click(20, 11, ssRight);
  Click(50, 11, ssRight);
  ExpectScreenMatchesRedraw();
}

TEST_F(DimensionChain, AnAssistHandsItsPointAsALeftClick) {
  // At the end of the dimension line: guide line 2 and the tool are built.
  StartAfresh(dtsunposen);
  Seed({Point(20, 10), Point(50, 10)});
  TcadBox& b = Box();
  b.AssistPoint = {10, 30};
  b.ResumeWithAssistPoint(0, 0, 0);
  EXPECT_EQ(b.B_Switch, on1);
  EXPECT_EQ(b.SegStart.y, 30);
  EXPECT_NEAR(Guides().GuideLine1.ya, 30, 1e-9);
  b.AssistPoint = {10, 50};
  b.ResumeWithAssistPoint(0, 0, 0);
  EXPECT_EQ(b.B_Switch, on2);
  EXPECT_NEAR(Guides().GuideLine2.ya, 50, 1e-9);
  ASSERT_NE(b.Tool(ToolSlot::SunpoObj).Get<TSunpoobj>(), nullptr);
  Click(20, 11, ssRight);
  Click(50, 11, ssRight);
  EXPECT_GT(Elements().size(), 2u);
  ExpectScreenMatchesRedraw();
}

TEST_F(Dimensions, APointStepWithoutAToolDoesNothing) {
  Seed({Point(20, 10)});
  Box().B_Switch = on2;
  Click(20, 11, ssRight);
  Click(20, 11);
  EXPECT_EQ(Elements().size(), 1u);
  EXPECT_TRUE(UndoLog().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(Dimensions, TheSingleDimensionCommitsOneDimensionPerTwoSnappedClicks) {
  StartAfresh(dtSunpochi);
  Seed({Point(20, 10), Point(50, 10)});
  MoveTo(60, 60);
  EXPECT_EQ(Hint(), "  " + J("始点指示    [左クリック：右クリック（点読取り）]"));
  Click(70, 70);  // nothing to snap to: dropped
  EXPECT_EQ(Box().B_Switch, _off);
  Click(20, 11);
  EXPECT_EQ(Box().B_Switch, on1);
  Click(50, 11, ssRight);
  EXPECT_EQ(Box().B_Switch, _off);
  TSunpoobj want = ReferenceTool(1);
  want.AddSingleDimension(20, 10, 50, 10);
  const std::vector<RDrawElement> dim = Expected(want, 0, 0, 0, 0);
  ExpectTail(2, dim, want);
  EXPECT_EQ(UndoLog().size(), dim.size());
  EXPECT_EQ(Box().Tool(ToolSlot::SunpoObj).Get<TSunpoobj>(), nullptr);
  ExpectScreenMatchesRedraw();
}

class ValueChange : public Dimensions {
 protected:
  void SetUp() override {
    Dimensions::SetUp();
    StartAfresh(dtSunpochiHen);
  }
  // A text of the old value in group 3, layer 5 (scale 10), its base line
  // 20 long at the direction given from (50, 60); picked a little inside
  // its frame.
  RDrawElement SeedValue(double dir) {
    double x2 = 0, y2 = 0;
    PolarPoint(x2, y2, dir, 20, 50, 60);
    RDrawElement e = Text(Store().ElementTexts, "100", 50, 60, x2, y2, static_cast<float>(dir));
    e.TextStyle = e.ColorNo = 1;
    e.Group = 3;
    e.Layer = 5;
    Store().AddElementChecked(e);
    Store().ClearUndoLog();
    Box().RedrawAll(false);
    Box().Update();
    return Store().Elements.back();
  }
  void PickValue(double dir) {
    double x = 0, y = 0, px = 0, py = 0;
    PolarPoint(x, y, dir, 10, 50, 60);
    PolarPoint(px, py, dir + 90, 0.8, x, y);
    Click(px, py);
  }
};

TEST_F(ValueChange, ALineFarFromTheTextsDirectionIsTurnedRound) {
  // Directions compared the shorter way round: more than 10 apart turns the
  // line round, so the new value reads along the text.
  struct Case {
    double text, line;
    bool turned;
  } cases[] = {
      {0, 4, false},   {0, 10, false}, {0, 11, true}, {0, 175, true}, {356, 4, false},  // 8 apart across 0
      {4, 356, false},
  };
  Box().GroupScales[3] = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text << " / " << c.line);
    StartAfresh(dtSunpochiHen);
    double x2 = 0, y2 = 0;
    PolarPoint(x2, y2, c.line, 40, 20, 20);
    const RDrawElement line = Line(20, 20, x2, y2);
    Seed({line});
    const RDrawElement old = SeedValue(c.text);
    MoveTo(100, 90);
    EXPECT_EQ(Hint(), "  " + J("変更寸法値(文字)指示　[左ｸﾘｯｸ：右ｸﾘｯｸ(自由)]"));
    PickValue(c.text);
    ASSERT_EQ(Box().B_Switch, on1);
    Click((20 + x2) / 2, (20 + y2) / 2);
    EXPECT_EQ(Box().B_Switch, _off);
    EXPECT_EQ(Box().PickedIndex[5], -1);
    ASSERT_EQ(Elements().size(), 2u);
    const RDrawElement made = Elements()[1];
    ASSERT_EQ(made.Kind, kKindText);
    const double want = NormalizeAngle360(c.line + (c.turned ? 180 : 0));
    double got = made.TextAngle;
    EXPECT_NEAR(std::remainder(got - want, 360.0), 0, 1e-3);
    // The old text out, the new value in its group and layer at its scale:
    // 40 units at scale 10.
    EXPECT_EQ(made.Group, 3);
    EXPECT_EQ(made.Layer, 5);
    EXPECT_EQ(made.TextStyle, Box().DimTextStyle);
    EXPECT_NE(TextOf(made).find("400"), std::string::npos) << TextOf(made);
    ASSERT_EQ(UndoLog().size(), 2u);
    RDrawElement oldLogged = old;
    EXPECT_EQ(UndoLog()[0].UndoMark, kUndoDeleted);
    EXPECT_EQ(+UndoLog()[0].X1, +oldLogged.X1);
    EXPECT_EQ(UndoLog()[1].UndoMark, kUndoAdded);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(ValueChange, TwoSnappedPointsGiveTheNewValueWithoutTurning) {
  Seed({Point(20, 20), Point(60, 20)});
  SeedValue(180);
  PickValue(180);
  Click(20, 21, ssRight);
  EXPECT_EQ(Box().B_Switch, on2);
  MoveTo(100, 90);
  EXPECT_EQ(Hint(), "  " + J("寸法変更線終了点指示    [左ｸﾘｯｸ:右ｸﾘｯｸ(点読取り)]"));
  Click(100, 90);  // snaps to nothing: dropped
  EXPECT_EQ(Box().B_Switch, on2);
  Click(60, 21);
  ASSERT_EQ(Elements().size(), 3u);
  EXPECT_NEAR(Elements()[2].TextAngle, 0, 1e-6);
  ASSERT_EQ(UndoLog().size(), 2u);
  ExpectScreenMatchesRedraw();
}

TEST_F(ValueChange, ALeftoverToolDoesNotStopTheChange) {
  Seed({Point(20, 20), Point(60, 20)});
  SeedValue(0);
  TcadBox& b = Box();
  b.Tool(ToolSlot::SunpoObj)
      .Emplace<TSunpoobj>(0, 0, 0, 0, 0, 0, 0, 0, 0, 1, std::span<const RTextStyle>(b.TextStyles), 0, 0, 0);
  PickValue(0);
  Click(20, 21, ssRight);
  Click(60, 21);
  ASSERT_EQ(Elements().size(), 3u);
  EXPECT_EQ(Elements()[2].Kind, kKindText);
  ASSERT_EQ(UndoLog().size(), 2u);
  EXPECT_EQ(b.Tool(ToolSlot::SunpoObj).Get<TSunpoobj>(), nullptr);
  ExpectScreenMatchesRedraw();
}

TEST_F(ValueChange, ALeftClickBesideEveryLineChangesNothing) {
  SeedValue(0);
  PickValue(0);
  Click(100, 10);
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_EQ(Elements().size(), 1u);
  EXPECT_TRUE(UndoLog().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(ValueChange, ShiftLeftFromTheDimensionLineHandsOverAndBack) {
  Seed({Point(20, 20), Point(60, 20)});
  SeedValue(0);
  TcadBox& b = Box();
  // A failed pick returns at once.
  b.ButonType = dtsunposen;
  Click(100, 10, ssShift | ssLeft);
  EXPECT_EQ(b.ButonType, dtsunposen);
  EXPECT_EQ(b.B_Switch, _off);
  // A pick on the value: the change runs, then the dimension line resumes.
  double x = 0, y = 0;
  PolarPoint(x, y, 90, 0.8, 60, 60);
  Click(x, y, ssShift | ssLeft);
  EXPECT_EQ(b.ButonType, dtSunpochiHen);
  EXPECT_EQ(b.B_Switch, on1);
  Click(20, 21, ssRight);
  Click(60, 21);
  EXPECT_EQ(b.ButonType, dtsunposen);
  EXPECT_EQ(b.B_Switch, _off);
  EXPECT_EQ(Elements().size(), 3u);
  ExpectScreenMatchesRedraw();
  // Without the return mark the change stays in its own mode.
  StartAfresh(dtSunpochiHen);
  Click(100, 10);
  EXPECT_EQ(b.ButonType, dtSunpochiHen);
  ExpectScreenMatchesRedraw();
}

}  // namespace
