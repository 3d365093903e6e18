// Chained dimensions of circles and angles, a circle's own dimension and
// dimensions between elements, replayed through the mouse and compared
// with the chained-dimension tool driven directly with the same points.

#include <cmath>
#include <span>

#include "support/command_harness.h"
#include "support/settings_guard.h"
#include "tools/lines/chained_dimension.h"

namespace {

struct RClick {
  double x, y;
};

class ChainedDimensionCommands : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    // The host's preview colours; the result of a click is drawn in them
    // in copy mode, the preview that follows the cursor in XOR.
    Box().Sentakucol2 = 0x00FF00;
    Box().Sentakucol4 = 0x0000FF;
    Box().Update();  // the first paint now, not over a preview later
  }

  // The tool driven in the commands' order: the first point added with the
  // element picked there; every later point updated twice (the move onto
  // it and its release) and added; then the finish.
  TRenSunpoSenobj Reference(const RDrawElement& first, const RClick& firstClick, bool firstFound,
                            const std::vector<RClick>& points, const RClick& last, bool finish) {
    TRenSunpoSenobj tool{std::span<const RTextStyle>(Box().TextStyles)};
    tool.AddPoint(1, firstFound ? 1 : 0, firstClick.x, firstClick.y, first);
    const double scale = Box().GroupScales[0];
    for (const RClick& p : points) {
      tool.Update(p.x, p.y, 0, 0, 0, scale);
      tool.Update(p.x, p.y, 0, 0, 0, scale);
      tool.AddPoint(1, 0, p.x, p.y, ZeroElement());
    }
    tool.Update(last.x, last.y, 0, 0, 0, scale);
    tool.TrimOnFinish = finish ? 1 : 0;
    tool.DropLastPoint();
    return tool;
  }

  // The drawing's elements after the seeded ones equal the tool's records
  // that the drawing takes (lines and arcs with a length, texts), with the
  // texts' strings.
  void ExpectCommitted(std::size_t seeded, const TRenSunpoSenobj& tool, bool mayBeEmpty = false) {
    std::vector<RDrawElement> want;
    for (std::int32_t i = 0; i <= tool.LastIndex && i < static_cast<std::int32_t>(tool.Elements.size()); ++i) {
      const RDrawElement& r = tool.Elements[static_cast<std::size_t>(i)];
      const double x1 = r.X1, y1 = r.Y1, x2 = r.X2, y2 = r.Y2, radius = r.Radius;
      if (r.Kind == kKindLine && std::hypot(x2 - x1, y2 - y1) < 0.00001) continue;
      if (r.Kind == kKindArc && !(radius > 0)) continue;
      if (r.Kind == kKindText && r.TextIndex >= tool.Texts.size()) continue;
      want.push_back(r);
    }
    ASSERT_EQ(Elements().size() - seeded, want.size());
    ASSERT_TRUE(mayBeEmpty || !want.empty());
    for (std::size_t k = 0; k < want.size(); ++k) {
      const RDrawElement& got = Elements()[seeded + k];
      const RDrawElement& w = want[k];
      SCOPED_TRACE(k);
      EXPECT_EQ(Value(got.Kind), Value(w.Kind));
      EXPECT_NEAR(Value(got.X1), Value(w.X1), 1e-9);
      EXPECT_NEAR(Value(got.Y1), Value(w.Y1), 1e-9);
      if (w.Kind == kKindText) {
        EXPECT_EQ(TextOf(got), tool.Texts[w.TextIndex]);
        continue;
      }
      EXPECT_NEAR(Value(got.X2), Value(w.X2), 1e-9);
      EXPECT_NEAR(Value(got.Y2), Value(w.Y2), 1e-9);
    }
    EXPECT_EQ(UndoLog().size(), want.size()) << "one step";
    for (const RDrawElement& e : UndoLog()) EXPECT_EQ(Value(e.UndoMark), kUndoAdded);
  }

  // The confirm gesture: a short left drag upwards from the press.
  void Confirm(const RClick& at) {
    Box().DridoL1 = 40;
    Box().DridoL2 = 40;
    Drag(at.x, at.y, at.x, at.y + 12);  // 60 pixels: past the gesture length
  }

  SettingsGuard settings_;
};

const RClick kOnCircle{60, 50};
const std::vector<RClick> kPoints = {{65, 55}, {75, 60}, {50, 70}, {35, 65}, {30, 45}};

TEST_F(ChainedDimensionCommands, ChainsAroundACircleAreTheToolsInEveryStyle) {
  for (std::uint8_t style = 0; style <= 5; ++style) {
    SCOPED_TRACE(static_cast<int>(style));
    DraftDefaults.ChainDimensionStyle = style;
    StartAfresh(dtRenSunpo);
    const RDrawElement circle = Arc(50, 50, 10);
    // The measuring points snap: points of the drawing lie under them.
    Seed({circle, Point(50, 70), Point(35, 65), Point(30, 45)});
    TakeNotifications();
    Click(kOnCircle.x, kOnCircle.y);
    EXPECT_EQ(Box().B_Switch, on1);
    for (const RClick& p : kPoints) Click(p.x, p.y);
    EXPECT_EQ(Box().B_Switch, on3);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>(5, "TFrame14+100"));
    Confirm(kPoints.back());
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame14+103"});
    EXPECT_TRUE(Box().Tool(ToolSlot::RenSunpoObj).Empty());
    EXPECT_EQ(Box().B_Switch, _off);
    RDrawElement picked = circle;
    ExpectCommitted(4, Reference(picked, kOnCircle, true, kPoints, kPoints.back(), true));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(ChainedDimensionCommands, ACancelKeepsTheChainWithoutItsMovingPoint) {
  for (Sbuttontype mode : {dtRenSunpo, dtRenSunpokaku}) {
    SCOPED_TRACE(static_cast<int>(mode));
    DraftDefaults.ChainDimensionStyle = mode == dtRenSunpo ? 0 : 2;
    StartAfresh(mode);
    const RDrawElement circle = Arc(50, 50, 10);
    Seed({circle, Point(60, 50), Point(50, 70), Point(35, 65)});
    const std::vector<RClick> points = {{65, 55}, {75, 60}, {50, 70}, {35, 65}};
    // The angle origin is read from the drawing: the point on the circle.
    MoveTo(kOnCircle.x, kOnCircle.y);
    Click(kOnCircle.x, kOnCircle.y, mode == dtRenSunpo ? ssLeft : ssRight);
    for (const RClick& p : points) Click(p.x, p.y);
    MoveTo(30, 45);
    CancelCommands();
    const bool angles = mode == dtRenSunpokaku;
    TRenSunpoSenobj reference{std::span<const RTextStyle>(Box().TextStyles)};
    reference.AddPoint(angles ? 0 : 1, angles ? 0 : 1, 60, 50, angles ? ZeroElement() : circle);
    const double scale = Box().GroupScales[0];
    for (const RClick& p : points) {
      reference.Update(p.x, p.y, 0, 0, 0, scale);
      reference.Update(p.x, p.y, 0, 0, 0, scale);
      reference.AddPoint(1, 0, p.x, p.y, ZeroElement());
    }
    reference.Update(30, 45, 0, 0, 0, scale);
    reference.TrimOnFinish = 0;
    reference.DropLastPoint();
    ExpectCommitted(4, reference);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(ChainedDimensionCommands, TheCircleDimensionCommitsAtItsSecondClickAndACancelKeepsNothing) {
  DraftDefaults.ChainDimensionStyle = 4;
  const RDrawElement circle = Arc(50, 50, 10);
  Seed({circle});
  TcadBox& box = Box();
  box.ButonType = dtRenSunpoKei;
  TakeNotifications();
  Click(kOnCircle.x, kOnCircle.y);
  MoveTo(70, 65);
  Click(72, 66);
  EXPECT_EQ(TakeNotifications(), (std::vector<std::string>{"TFrame14+103", "TFrame14+100"}));
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_GT(Elements().size(), 1u);
  ExpectScreenMatchesRedraw();
  // A second one, cancelled before its position: nothing more.
  const std::size_t before = Elements().size();
  Click(kOnCircle.x, kOnCircle.y);
  MoveTo(70, 40);
  CancelCommands();
  EXPECT_EQ(Elements().size(), before);
  EXPECT_TRUE(box.Tool(ToolSlot::RenSunpoObj).Empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(ChainedDimensionCommands, TheFirstClickWantsACircle) {
  Seed({Line(20, 20, 80, 20)});
  TcadBox& box = Box();
  box.ButonType = dtRenSunpo;
  Click(50, 20);
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_TRUE(box.Tool(ToolSlot::RenSunpoObj).Empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(ChainedDimensionCommands, TheConfirmIsOfferedOnlyAmongTheMeasuringPoints) {
  Seed({Arc(50, 50, 10)});
  TcadBox& box = Box();
  box.ButonType = dtRenSunpo;
  Click(kOnCircle.x, kOnCircle.y);
  Click(65, 55);
  EXPECT_EQ(box.B_Switch, on2);
  Confirm({70, 20});
  EXPECT_EQ(box.B_Switch, on2) << "no confirm before the measuring points";
  EXPECT_FALSE(box.Tool(ToolSlot::RenSunpoObj).Empty());
}

TEST_F(ChainedDimensionCommands, ThePreviewTakesTheColourOfTheSetting) {
  TcadBox& box = Box();
  box.Sentakucol2 = 0x00FF00;
  box.Sentakucol4 = 0x0000FF;
  for (bool marked : {false, true}) {
    SCOPED_TRACE(marked);
    DraftDefaults.ChainDimensionStyle = 4;
    StartAfresh(dtRenSunpoKei);
    Seed({Arc(50, 50, 10)});
    box.tanren_Han = marked;
    Click(kOnCircle.x, kOnCircle.y);
    MoveTo(80, 50);  // the diameter along y = 50, out to the cursor
    EXPECT_EQ(PixelAt(45, 50), marked ? 0x0000FFu : 0x00FF00u);
    Box().RedrawAll(false);  // a zoom: the redraw shows the preview again
    MoveTo(80, 70);
    ExpectScreenMatchesRedraw();
    CancelCommands();
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(ChainedDimensionCommands, APositionWithoutADimensionToPlaceDoesNothing) {
  TcadBox& box = Box();
  box.ButonType = dtFukusenHaniSen;
  Click(40, 40);
  EXPECT_EQ(box.B_Switch, on1);
  Click(60, 60);
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_TRUE(Elements().empty());
  EXPECT_TRUE(TakeNotifications().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(ChainedDimensionCommands, ThePositionStepPlacesADimensionLeftByAnotherMode) {
  DraftDefaults.ChainDimensionStyle = 4;
  Seed({Arc(50, 50, 10)});
  TcadBox& box = Box();
  box.ButonType = dtRenSunpoKei;
  Click(kOnCircle.x, kOnCircle.y);
  box.ButonType = dtFukusenHaniSen;  // switched without the cancel
  box.B_Switch = _off;
  TakeNotifications();
  Click(40, 40);
  MoveTo(72, 66);
  Click(72, 66);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame14+114"});
  EXPECT_GT(Elements().size(), 1u);
  EXPECT_TRUE(box.Tool(ToolSlot::RenSunpoObj).Empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(ChainedDimensionCommands, BetweenTwoLinesThePicksShowUntilTheCommit) {
  DraftDefaults.ChainDimensionStyle = 4;
  Seed({Line(30, 20, 30, 80), Line(70, 20, 70, 80)});
  TcadBox& box = Box();
  box.ButonType = dtRenSunpoCyusin;
  Click(30, 50);
  Click(30, 60);  // the same line again: no step
  EXPECT_EQ(box.B_Switch, on1);
  Click(70, 50);
  EXPECT_EQ(box.B_Switch, on2);
  EXPECT_EQ(Value(Elements()[0].Selection), 1);
  EXPECT_EQ(Value(Elements()[1].Selection), 1);
  Click(40, 85);
  Press(60, 85, ssRight);  // a read point with nothing to read against is dropped
  Release(60, 85, ssRight);
  EXPECT_EQ(box.B_Switch, on3);
  MoveTo(60, 85);
  Click(60, 85);
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_NE(Value(Elements()[0].Selection), 1) << "drawn plain again";
  EXPECT_NE(Value(Elements()[1].Selection), 1);
  EXPECT_GT(Elements().size(), 2u);
  EXPECT_TRUE(box.Tool(ToolSlot::RenSunpoObj).Empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(ChainedDimensionCommands, TwoPointsRepaintAfterTheCommitOnlyFromZoomPointEight) {
  DraftDefaults.ChainDimensionStyle = 4;
  Seed({Arc(50, 50, 10)});
  TcadBox& box = Box();
  box.ButonType = dtRenSunpoCyusin2;
  Click(20, 20);
  MoveTo(60, 20);
  Click(60, 20);
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_TRUE(box.Tool(ToolSlot::RenSunpoObj).Empty());
  ExpectScreenMatchesRedraw();  // zoom 1: repainted
}

TEST_F(ChainedDimensionCommands, TheVariantsOfTheDimensionBetweenElements) {
  DraftDefaults.ChainDimensionStyle = 4;
  const RDrawElement circle = Arc(50, 50, 10);
  const double scale = Box().GroupScales[0];
  for (std::uint8_t variant : {1, 2}) {
    SCOPED_TRACE(static_cast<int>(variant));
    StartAfresh(dtRenSunpoCyusin);
    Seed({circle});
    Box().CyusinKind = variant;
    // Variant 1 picks the circle; variant 2 takes a free first point.
    const RClick first = variant == 1 ? kOnCircle : RClick{20, 20};
    const std::vector<RClick> clicks = {{65, 55}, {70, 60}, {75, 65}};
    Click(first.x, first.y);
    EXPECT_EQ(Box().B_Switch, on1);
    const std::size_t used = variant == 1 ? 3 : 2;
    for (std::size_t i = 0; i < used; ++i) Click(clicks[i].x, clicks[i].y);
    EXPECT_EQ(Box().B_Switch, _off);
    EXPECT_TRUE(Box().Tool(ToolSlot::RenSunpoObj).Empty());
    // The tool in the same order: the second point added after the move
    // onto it, the later ones updated by the move and the release.
    TRenSunpoSenobj reference{std::span<const RTextStyle>(Box().TextStyles)};
    reference.AddPoint(variant == 1 ? 1 : 0, variant == 1 ? 1 : 0, first.x, first.y,
                       variant == 1 ? circle : ZeroElement());
    reference.Update(clicks[0].x, clicks[0].y, 0, 0, 0, scale);
    reference.AddPoint(0, 0, clicks[0].x, clicks[0].y, ZeroElement());
    for (std::size_t i = 1; i < used; ++i) {
      reference.Update(clicks[i].x, clicks[i].y, 0, 0, 0, scale);
      reference.Update(clicks[i].x, clicks[i].y, 0, 0, 0, scale);
      reference.AddPoint(0, 0, clicks[i].x, clicks[i].y, ZeroElement());
    }
    reference.DropLastPoint();
    // The diameter needs the picked circle: variant 2 gives no dimension.
    ExpectCommitted(1, reference, variant == 2);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(ChainedDimensionCommands, TheReferenceSnapOfTwoPointsReportsACircleCentre) {
  // A right click on a circle, away from every point of the drawing. The
  // centre lies off the diagonal: the click read with x and y traded,
  // (40 + d, 60 + d), is 30 from it and meets nothing.
  const double d = 10 / std::sqrt(2.0);
  for (bool reference : {false, true}) {
    SCOPED_TRACE(reference);
    StartAfresh(dtRenSunpoCyusin2);
    Seed({Arc(60, 40, 10)});
    Box().senzyohit = reference;
    Box().SnapSourceFound = false;
    Box().SnapSource = ZeroElement();
    MoveTo(60 + d, 40 + d);
    Click(60 + d, 40 + d, ssRight);
    EXPECT_EQ(Box().SnapSourceFound, reference) << "only the reference snap says where its point came from";
    if (reference) {
      EXPECT_EQ(Box().B_Switch, on1);
      EXPECT_EQ(Box().FirstPoint.x, 60);
      EXPECT_EQ(Box().FirstPoint.y, 40);
      EXPECT_EQ(Value(Box().SnapSource.Kind), kKindArc);
    }
  }
}

}  // namespace
