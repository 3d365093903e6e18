// Placing member sections, arrowheads and line symbols: free and snapped
// clicks, repeated placement along a segment, the marks on selected lines,
// the symbols' reference lines and the cancel.

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>

#include <unistd.h>

#include "figures/fittings/fitting_kinds.h"
#include "figures/sections/section_generator.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr double kDegFigures = std::numbers::pi / 180;

RPoint2D TurnedFigures(RPoint2D v, double degrees) {
  const double c = std::cos(degrees * kDegFigures), s = std::sin(degrees * kDegFigures);
  return {v.x * c - v.y * s, v.x * s + v.y * c};
}

RPoint2D Plus(RPoint2D a, RPoint2D b) { return {a.x + b.x, a.y + b.y}; }

// A stray pixel in a corner of the picture: only a full redraw takes it away.
constexpr TColor kStray = 0x00FF8040;

class FigureCommands : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    RegisterFittingKinds();  // until kinds_ goes
  }
  const FigureKindRegistrationScope kinds_;

  TBuzaidanmenobj* Generator() { return Box().Tool(ToolSlot::BuzaiObj).Get<TBuzaidanmenobj>(); }

  void MarkStrayPixel() {
    underStray_ = Box().Canvas().GetPixel(1, 1);
    Box().Canvas().SetPixel(1, 1, kStray);
  }
  bool FullyRedrawn() { return Box().Canvas().GetPixel(1, 1) != kStray; }
  // The stray pixel is the test's own: where no redraw took it, it goes
  // before the screen is compared.
  void TakeStrayPixelAway() {
    if (!FullyRedrawn()) Box().Canvas().SetPixel(1, 1, underStray_);
  }

  // Press and release where the cursor is not moved first.
  void ClickInPlace(double x, double y, TShiftState button = ssLeft) {
    Press(x, y, button);
    Release(x, y, button);
  }

  // The hook of kind 91 by hand: a tail from (2r, 0) to (2r, -t) and a half
  // circle of radius r about (r, 0), turned by `angle` about the base point.
  void ExpectHook(std::size_t at, RPoint2D base, double t, double r, double angle) {
    ASSERT_GE(Elements().size(), at + 2);
    const RDrawElement& tail = Elements()[at];
    const RDrawElement& hook = Elements()[at + 1];
    const RPoint2D a = Plus(base, TurnedFigures({2 * r, 0}, angle));
    const RPoint2D b = Plus(base, TurnedFigures({2 * r, -t}, angle));
    const RPoint2D c = Plus(base, TurnedFigures({r, 0}, angle));
    EXPECT_EQ(int{Value(tail.Kind)}, int{kKindLine});
    EXPECT_NEAR(Value(tail.X1), a.x, 1e-9);
    EXPECT_NEAR(Value(tail.Y1), a.y, 1e-9);
    EXPECT_NEAR(Value(tail.X2), b.x, 1e-9);
    EXPECT_NEAR(Value(tail.Y2), b.y, 1e-9);
    EXPECT_EQ(int{Value(hook.Kind)}, int{kKindArc});
    EXPECT_NEAR(Value(hook.X1), c.x, 1e-9);
    EXPECT_NEAR(Value(hook.Y1), c.y, 1e-9);
    EXPECT_NEAR(Value(hook.Radius), r, 1e-9);
    EXPECT_NEAR(Value(hook.Rotation), angle, 1e-4);
    // The committed figure takes the current pen, group and layer.
    for (const RDrawElement& e : {tail, hook}) {
      EXPECT_EQ(Value(e.ColorNo), Box().Pencol);
      EXPECT_EQ(Value(e.LineType), Box().Pentyp);
      EXPECT_EQ(Value(e.Group), Box().WriteGrupe_No);
      EXPECT_EQ(Value(e.Layer), Box().WriteReiya_No);
    }
  }

  // A hook of tail 5 and radius 3 (real sizes 500 and 300 at scale 100).
  void SetHook(Sbuttontype mode = dtBuzaikotei) {
    TcadBox& box = Box();
    box.ButonType = mode;
    box.FigureKind = 91;
    box.FigureSizes = {500, 300, 0, 0, 0, 0};
  }

  SettingsGuard guard_;
  TColor underStray_ = 0;
};

// ---- Member sections ----------------------------------------------------------

TEST_F(FigureCommands, MemberSectionAtFreeAndSnappedClicks) {
  struct Case {
    const char* name;
    bool snapped;
    bool offset;
    RPoint2D base;  // by hand: the click, or the snapped point, plus the turned offset
  };
  const RPoint2D offset = TurnedFigures({10, 0}, 10);  // PointOffset (1000, 0) at scale 100, turned by AxisAngle
  const Case cases[] = {
      {"free", false, false, {40, 40}},
      {"free with offset", false, true, Plus({40, 40}, offset)},
      {"snapped", true, false, {60, 30}},
      {"snapped with offset", true, true, Plus({60, 30}, offset)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartAfresh(dtBuzaikotei);
    Seed({Point(60, 30)});
    SetHook();
    TcadBox& box = Box();
    box.CommandAngle = 20;
    box.AxisAngle = 10;
    box.OfsetRen = c.offset;
    box.PointOffset = {1000, 0};
    MoveTo(20, 70);
    if (c.snapped) {
      Click(60.3, 30.2, ssRight);
    } else {
      Click(40, 40);
    }
    ASSERT_EQ(Elements().size(), 3u);
    ExpectHook(1, c.base, 5, 3, 30);
    EXPECT_EQ(UndoLog().size(), 2u) << "one undo step";
    ExpectScreenMatchesRedraw();
    // A second click without moving commits again, as a step of its own.
    ClickInPlace(80, 60);
    ASSERT_EQ(Elements().size(), 5u);
    ExpectHook(3, c.offset ? Plus({80, 60}, offset) : RPoint2D{80, 60}, 5, 3, 30);
    EXPECT_EQ(UndoLog().size(), 2u);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(FigureCommands, ThePlacedFigureShowsFromTheNextMove) {
  // The click commits without drawing; the next move's erase of the
  // preview draws the committed figure, and the cancel takes the new
  // preview away.
  SetHook();
  MoveTo(30, 30);
  Click(40, 40);
  MoveTo(80, 60);
  Box().CancelCommands(true);
  ExpectScreenMatchesRedraw();
}

TEST_F(FigureCommands, ARightClickWithoutSnapIsDroppedAndReported) {
  SetHook();
  MoveTo(20, 20);
  Press(90, 90, ssRight);
  EXPECT_EQ(Box().Mhan1, 1);
  Release(90, 90, ssRight);
  EXPECT_EQ(Elements().size(), 0u);
}

TEST_F(FigureCommands, EachLineKeepsItsLayerAndTag) {
  // A fitting plan puts its coloured lines on the plan layer and tags them.
  FittingDefaults.FitPlanLayer = 5;
  TcadBox& box = Box();
  box.ButonType = dtBuzaikotei;
  box.FigureKind = 61;
  box.FigureSizes = {1800, 200, 0, 0, 0, 0};
  box.CommandAngle = 15;
  box.WriteReiya_No = 2;
  MoveTo(30, 30);
  Click(50, 40);
  // The generator's own output for that kind, point, angle and drawing sizes.
  TBuzaidanmenobj want(box.TextStyles, 100);
  want.Generate(61, 50, 40, 18, 2, 0, 0, 0, 0, 15);
  std::vector<RDrawElement> lines;
  for (const RDrawElement& e : want.Elements) {
    if (e.Kind == kKindLine && std::hypot(e.X2 - e.X1, e.Y2 - e.Y1) >= 1e-5) lines.push_back(e);
  }
  ASSERT_FALSE(lines.empty());
  bool onPlanLayer = false;
  std::size_t k = 0;
  for (const RDrawElement& got : Elements()) {
    if (got.Kind != kKindLine) continue;
    ASSERT_LT(k, lines.size());
    const RDrawElement& w = lines[k++];
    EXPECT_NEAR(Value(got.X1), Value(w.X1), 1e-9);
    EXPECT_NEAR(Value(got.Y2), Value(w.Y2), 1e-9);
    EXPECT_EQ(Value(got.Layer), w.Layer != 0 ? Value(w.Layer) : std::uint8_t{2});
    EXPECT_EQ(Value(got.LineTag), Value(w.LineTag));
    onPlanLayer |= got.Layer == 5;
  }
  EXPECT_EQ(k, lines.size());
  EXPECT_TRUE(onPlanLayer);
  EXPECT_EQ(UndoLog().size(), Elements().size()) << "one undo step";
  ExpectScreenMatchesRedraw();
}

TEST_F(FigureCommands, TextsRedrawFromZoomPointEightAndKind90TellsTheHost) {
  FirstData5.LabelText1 = "A";
  struct Case {
    std::uint8_t kind;
    double zoom;
    bool redraw;
    bool told;
  } cases[] = {{90, 1.0, true, true}, {90, 0.8, true, true}, {90, 0.79, false, true}, {91, 1.0, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << int(c.kind) << " zoom " << c.zoom);
    StartAfresh(dtBuzaikotei);
    TcadBox& box = Box();
    box.Zoom = c.zoom;
    box.FigureKind = c.kind;
    box.FigureSizes = {500, 300, 0, 0, 0, 0};
    TakeNotifications();
    MoveTo(20, 20);
    MoveTo(30, 30);
    MarkStrayPixel();
    Click(30, 30);
    EXPECT_EQ(FullyRedrawn(), c.redraw);
    const std::vector<std::string> told = TakeNotifications();
    EXPECT_EQ(told.size(), c.told ? 1u : 0u);
    if (c.told) {
      EXPECT_EQ(told[0], "TFrame32+119");
    }
    TakeStrayPixelAway();
    ExpectScreenMatchesRedraw();
    box.Zoom = 1.0;
  }
}

// ---- Repeated placement ----------------------------------------------------------

TEST_F(FigureCommands, RepeatedPlacementAtEveryPitchPoint) {
  // The segment (10, 20)-(110, 20), 100 long, pitch 3000 at scale 100 = 30.
  struct Case {
    std::uint8_t mode;
    std::vector<double> at;  // distances along the segment, by hand
  } cases[] = {
      {0, {25, 50, 75}},            // ceil(100 / 30) = 4 equal parts
      {1, {100.0 / 3, 200.0 / 3}},  // floor: 3 equal parts
      {2, {30, 60, 90}},            // from the start at the pitch
      {3, {20, 50, 80}},            // centred: end gaps (1/3 + 1) * 30 / 2 = 20
  };
  for (Sbuttontype mode : {dtBuzaikotei, dtBuzaikotei2}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " pitch mode " << int(c.mode));
      StartAfresh(mode);
      SetHook(mode);
      TcadBox& box = Box();
      box.DivPitch = 3000;
      box.PitchMode = c.mode;
      MoveTo(50, 50);
      box.SegmentPaste = true;
      box.SegmentStart = {10, 20};
      MarkStrayPixel();
      Click(110, 20);
      ASSERT_EQ(Elements().size(), 2 * c.at.size());
      for (std::size_t i = 0; i < c.at.size(); ++i) ExpectHook(2 * i, {10 + c.at[i], 20}, 5, 3, 0);
      EXPECT_EQ(UndoLog().size(), Elements().size()) << "one undo step";
      EXPECT_FALSE(box.SegmentPaste);
      EXPECT_EQ(FullyRedrawn(), mode == dtBuzaikotei);
      TakeStrayPixelAway();
      ExpectScreenMatchesRedraw();
    }
  }
}

TEST_F(FigureCommands, ASegmentShorterThanThePitchAddsNothing) {
  SetHook();
  TcadBox& box = Box();
  box.DivPitch = 3000;
  box.PitchMode = 2;
  MoveTo(50, 50);
  Click(50, 50);
  const std::vector<RDrawElement> log = UndoLog();
  ASSERT_EQ(Elements().size(), 2u);
  box.SegmentPaste = true;
  box.SegmentStart = {10, 20};
  Click(30, 20);  // 20 long
  EXPECT_EQ(Elements().size(), 2u);
  ExpectUndoLog(log);
  ExpectScreenMatchesRedraw();
}

TEST_F(FigureCommands, AMidpointAssistRightAfterACancelPlacesAlongItsSegment) {
  // The assist hands the segment back before any move has made the
  // generator: the placement makes it.
  Seed({Point(110, 20)});
  SetHook();
  TcadBox& box = Box();
  box.DivPitch = 1500;
  box.PitchMode = 2;
  MoveTo(40, 40);
  box.CancelCommands(true);
  ASSERT_EQ(Generator(), nullptr);
  ExpectScreenMatchesRedraw();
  box.SavedMode = dtBuzaikotei;
  box.ButonType = dthitsuru;
  box.FirstPoint = {10, 20};
  Click(110.2, 20.1, ssRight);
  // The segment from the pending point to the midpoint (60, 20): 15, 30, 45.
  EXPECT_EQ(box.ButonType, dtBuzaikotei);
  ASSERT_EQ(Elements().size(), 7u);
  for (int i = 0; i < 3; ++i) ExpectHook(1 + 2 * i, {25.0 + 15 * i, 20}, 5, 3, 0);
  EXPECT_EQ(UndoLog().size(), 6u);
  ExpectScreenMatchesRedraw();
}

// ---- Marks on selected lines ------------------------------------------------------

TEST_F(FigureCommands, Kind95TakesTheSelectedEditableLinesOnce) {
  TcadBox& box = Box();
  RDrawElement far = Line(0, 60, 100, 60);
  RDrawElement near = Line(0, 10, 100, 10);
  RDrawElement unselected = Line(0, 30, 100, 30);
  RDrawElement shownOnly = OnLayer(Store(), Line(0, 5, 100, 5), 3, kLayerReference);
  for (RDrawElement* e : {&far, &near, &shownOnly}) e->Selection = 1;
  Seed({far, near, unselected, shownOnly});
  box.HaniAka_Cyu = true;
  box.LastVertex = {50, 0};
  box.ButonType = dtBuzaikotei;
  box.FigureKind = 95;
  MoveTo(50, 40);
  const TBuzaidanmenobj* g = Generator();
  ASSERT_NE(g, nullptr);
  // Nearest the last vertex first; the reference layer's line is not taken.
  ASSERT_EQ(g->ReferenceLines.size(), 2u);
  EXPECT_EQ(Value(g->ReferenceLines[0].Y1), 10.0);
  EXPECT_EQ(Value(g->ReferenceLines[1].Y1), 60.0);
  for (const RDrawElement& e : Elements()) EXPECT_NE(Value(e.Selection), 1);
  EXPECT_FALSE(box.HaniAka_Cyu);
  // A line selected later is not added while the generator lives.
  Store().Elements[2].Selection = 1;
  MoveTo(55, 40);
  EXPECT_EQ(Generator()->ReferenceLines.size(), 2u);
}

// ---- Arrowheads ------------------------------------------------------------------

class ArrowCommands : public FigureCommands {
 protected:
  void SetArrow() {
    TcadBox& box = Box();
    box.ButonType = dtYazirusikotei;
    box.FigureKind = 110;  // open: two lines back from the tip
    box.FigureSizes = {4, 30, 0, 0, 0, 0};
  }
  // The open arrow by hand: from the tip back 4 at the turned angle +-30.
  void ExpectArrow(std::size_t at, RPoint2D tip, double angle) {
    ASSERT_GE(Elements().size(), at + 2);
    const double backs[] = {angle + 180 + 30, angle + 180 - 30};
    for (int k = 0; k < 2; ++k) {
      const RDrawElement& e = Elements()[at + k];
      const RPoint2D back = Plus(tip, {4 * std::cos(backs[k] * kDegFigures), 4 * std::sin(backs[k] * kDegFigures)});
      EXPECT_NEAR(Value(e.X1), tip.x, 1e-9);
      EXPECT_NEAR(Value(e.Y1), tip.y, 1e-9);
      EXPECT_NEAR(Value(e.X2), back.x, 1e-9) << k;
      EXPECT_NEAR(Value(e.Y2), back.y, 1e-9) << k;
    }
  }
};

TEST_F(ArrowCommands, OnTheEndsOfLinesAndArcsAtEveryScale) {
  struct Case {
    const char* name;
    RPoint2D click;
    RPoint2D tip;
    double angle;  // the direction leaving the element at that end
  } cases[] = {
      {"line, second end", {68, 50.5}, {70, 50}, 0},
      {"line, first end", {22, 50.5}, {20, 50}, 180},
      {"arc, start", {60, 30.3}, {60, 30}, 270},  // the tangent running back from 0 degrees
      {"arc, end", {50.3, 40}, {50, 40}, 180},    // the tangent running on from 90 degrees
  };
  for (double scale : {100.0, 50.0}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.name << " scale " << scale);
      StartAfresh(dtYazirusikotei);
      Seed({Line(20, 50, 70, 50), Arc(50, 30, 10, 0, 90)});
      SetArrow();
      Box().GroupScales[0] = scale;
      MoveTo(c.click.x, c.click.y);
      Click(c.click.x, c.click.y);
      ASSERT_EQ(Elements().size(), 4u);
      ExpectArrow(2, c.tip, c.angle);
      EXPECT_EQ(UndoLog().size(), 2u);
      EXPECT_EQ(Box().CommandAngle, 0.0);
      ExpectScreenMatchesRedraw();
    }
  }
}

TEST_F(ArrowCommands, ByABasePointAndADirectionPoint) {
  struct Case {
    std::uint8_t snap;
    double angle;  // by hand: the direction from the base point to (40, 35), plus 180
  } cases[] = {
      {0, std::atan2(5.0, 10.0) / kDegFigures + 180}, {1, 30 + 180},  // 26.57 degrees snaps to the 15-degree step 30
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "snap " << int(c.snap));
    StartAfresh(dtYazirusikotei);
    Seed({Point(30, 30)});
    SetArrow();
    Box().yakakugoto = c.snap;
    MoveTo(30.3, 30.2);
    Click(30.3, 30.2, ssRight);
    EXPECT_EQ(Box().CommandStep, 1);
    EXPECT_EQ(Elements().size(), 1u);
    MoveTo(40, 36);
    Click(40, 35);
    ASSERT_EQ(Elements().size(), 3u);
    ExpectArrow(1, {30, 30}, c.angle);
    EXPECT_EQ(Box().CommandStep, 0);
    EXPECT_EQ(Box().CommandAngle, 0.0);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(ArrowCommands, NoPointAndNoLineAreSaid) {
  SetArrow();
  TcadBox& box = Box();
  MoveTo(80, 80);
  Click(80, 80, ssRight);
  EXPECT_EQ(TopMessage(), J("点が有りません"));
  EXPECT_EQ(box.CommandStep, 0);
  Click(80, 80);
  EXPECT_EQ(TopMessage(), J("線・円弧が有りません"));
  EXPECT_EQ(Elements().size(), 0u);
  EXPECT_EQ(box.CommandStep, 0);
  // At the direction point a right click on nothing keeps the step.
  Seed({Point(30, 30)});
  Click(30.2, 30.2, ssRight);
  ASSERT_EQ(box.CommandStep, 1);
  box.ShowTopMessage("");
  Click(90, 10, ssRight);
  EXPECT_EQ(TopMessage(), J("点が有りません"));
  EXPECT_EQ(box.CommandStep, 1);
  EXPECT_EQ(Elements().size(), 1u);
}

TEST_F(ArrowCommands, SizesThatAreNotNumbersPlaceNothing) {
  Seed({Line(20, 50, 70, 50)});
  SetArrow();
  for (double bad : {std::nan(""), HUGE_VAL}) {
    Box().FigureSizes = {bad, 30, 0, 0, 0, 0};
    MoveTo(40, 40);
    Click(68, 50.5);
    EXPECT_EQ(Elements().size(), 1u);
  }
  ExpectScreenMatchesRedraw();
}

TEST_F(ArrowCommands, AClickRightAfterACancelPlacesTheArrow) {
  Seed({Line(20, 50, 70, 50)});
  SetArrow();
  MoveTo(40, 40);
  Box().CancelCommands(true);
  ASSERT_EQ(Generator(), nullptr);
  ExpectScreenMatchesRedraw();
  ClickInPlace(68, 50.5);
  ASSERT_EQ(Elements().size(), 3u);
  ExpectArrow(1, {70, 50}, 0);
  ExpectScreenMatchesRedraw();
}

// ---- Line symbols ------------------------------------------------------------------

class SymbolCommands : public FigureCommands {
 protected:
  void SetUp() override {
    FigureCommands::SetUp();
    path_ = std::filesystem::temp_directory_path() /
            ("zuro_figures_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
             std::to_string(::getpid()) + ".txt");
    // Entry 0 (placed at once): a line (0, 0)-(2, 0).
    // Entry 1 (against a line): a line (0, 1)-(0, 3) and a connector
    //   between (0, 0) and (4, 0), which starts at its far end (4, 0).
    // Entry 2 (placement code 2).
    std::ofstream(path_, std::ios::binary) << "#symbols\r\n3\r\n0 0 0 0 2 0\r\n"
                                              "99\r\n1 t\r\n0 0 0 1 0 3\r\n0 150 0 0 4 0 5\r\n"
                                              "99\r\n2 t\r\n0 0 0 0 2 0\r\n";
    FirstData18.LineSymbolFile = path_.string();
    TcadBox& box = Box();
    box.ButonType = dtSenkigo1;
    box.FigureKind = 100;
  }
  void TearDown() override {
    std::filesystem::remove(path_);
    FigureCommands::TearDown();
  }
  std::filesystem::path path_;
};

TEST_F(SymbolCommands, PlacedAtOnceWithoutAReferenceLine) {
  FirstData18.LineSymbolNumber = 0;
  MoveTo(10, 10);  // the generator
  MoveTo(20, 20);  // follows unseen
  Click(30, 40);
  ASSERT_EQ(Elements().size(), 1u);
  EXPECT_EQ(Value(Elements()[0].X1), 30.0);
  EXPECT_EQ(Value(Elements()[0].Y1), 40.0);
  EXPECT_EQ(Value(Elements()[0].X2), 32.0);
  EXPECT_EQ(Value(Elements()[0].Y2), 40.0);
  EXPECT_EQ(UndoLog().size(), 1u);
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(SymbolCommands, PlacedAgainstAPickedLine) {
  FirstData18.LineSymbolNumber = 1;
  RDrawElement reference = Line(10, 10, 90, 10);
  reference.ColorNo = 3;
  Seed({reference});
  MoveTo(40, 40);
  MoveTo(45, 40);
  Click(50, 10.5);  // picks the line
  EXPECT_EQ(Box().B_Switch, on2);
  EXPECT_EQ(Elements().size(), 1u);
  MoveTo(58, 14);
  Click(60, 15);
  // On the line at the foot (60, 10), turned 0 (from the line's midpoint to
  // the foot): the stroke (60, 11)-(60, 13); the connector hung from the
  // line's first point, in its colour, to (60, 10).
  ASSERT_EQ(Elements().size(), 3u);
  const RDrawElement& stroke = Elements()[1];
  const RDrawElement& connector = Elements()[2];
  EXPECT_NEAR(Value(stroke.X1), 60, 1e-9);
  EXPECT_NEAR(Value(stroke.Y1), 11, 1e-9);
  EXPECT_NEAR(Value(stroke.Y2), 13, 1e-9);
  EXPECT_NEAR(Value(connector.X1), 10, 1e-9);
  EXPECT_NEAR(Value(connector.Y1), 10, 1e-9);
  EXPECT_NEAR(Value(connector.X2), 60, 1e-9);
  EXPECT_NEAR(Value(connector.Y2), 10, 1e-9);
  EXPECT_EQ(Value(connector.ColorNo), 3);
  EXPECT_EQ(UndoLog().size(), 2u);
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

TEST_F(SymbolCommands, APlacementCodeAboveOneIsNeverPlaced) {
  FirstData18.LineSymbolNumber = 2;
  Seed({Line(10, 10, 90, 10)});
  MoveTo(40, 40);
  MoveTo(45, 40);
  Click(50, 10.5);
  EXPECT_EQ(Box().B_Switch, on2);
  MoveTo(58, 14);
  Click(60, 15);
  Click(70, 15);
  EXPECT_EQ(Elements().size(), 1u);
  EXPECT_EQ(Box().B_Switch, on2);
}

TEST_F(SymbolCommands, NoLineUnderTheClickKeepsWaiting) {
  FirstData18.LineSymbolNumber = 1;
  MoveTo(40, 40);
  MoveTo(45, 40);
  Click(50, 50);
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_EQ(Elements().size(), 0u);
}

// ---- Preview and cancel ------------------------------------------------------------

TEST_F(FigureCommands, ACancelErasesThePreviewAndFreesTheGenerator) {
  FirstData18.LineSymbolNumber = 0;
  struct Case {
    Sbuttontype mode;
    std::uint8_t kind;
  } cases[] = {{dtBuzaikotei, 91}, {dtBuzaikotei2, 0}, {dtYazirusikotei, 111}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.mode));
    StartAfresh(c.mode);
    TcadBox& box = Box();
    box.FigureKind = c.kind;
    box.FigureSizes = {2000, 1000, 100, 100, 0, 0};
    MoveTo(40, 40);
    MoveTo(50, 45);
    ASSERT_NE(Generator(), nullptr);
    ASSERT_FALSE(box.RubberErased);
    box.CancelCommands(false);
    EXPECT_EQ(Generator(), nullptr);
    EXPECT_EQ(box.CommandStep, 0);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(FigureCommands, ASymbolPreviewGoesWithTheCancel) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("zuro_figures_cancel_" + std::to_string(::getpid()) + ".txt");
  // The connector has line type 0, so the preview hangs it too.
  std::ofstream(path, std::ios::binary) << "#s\r\n2\r\n0 0 0 0 2 0\r\n"
                                           "99\r\n1 t\r\n0 0 0 1 0 3\r\n0 150 0 0 4 0 5 0\r\n";
  FirstData18.LineSymbolFile = path.string();
  FirstData18.LineSymbolNumber = 1;
  Seed({Line(10, 10, 90, 10)});
  TcadBox& box = Box();
  box.ButonType = dtSenkigo1;
  box.FigureKind = 100;
  MoveTo(40, 40);
  MoveTo(45, 40);
  Click(50, 10.5);
  MoveTo(58, 20);
  MoveTo(60, 25);
  ASSERT_FALSE(box.RubberErased);
  // The preview's connector (line type 0) hangs from the line's first point
  // along the line itself, so its XOR takes the line's pixels away there.
  const TColor lineColour = PixelAt(80, 10);
  EXPECT_NE(PixelAt(30, 10), lineColour);
  box.CancelCommands(false);
  EXPECT_EQ(Generator(), nullptr);
  EXPECT_EQ(box.B_Switch, _off);
  ExpectScreenMatchesRedraw();
  std::filesystem::remove(path);
}

TEST_F(FigureCommands, AHeldButtonFreezesThePreview) {
  SetHook();
  MoveTo(40, 40);
  Press(40, 40, ssLeft);
  MoveTo(40.2, 40);
  EXPECT_EQ(Box().SecondPoint.x, 40.0);
  EXPECT_EQ(Generator()->BaseX, 40.0);
}

TEST_F(FigureCommands, AClickRightAfterACancelPlacesTheFigure) {
  SetHook();
  MoveTo(20, 20);
  Box().CancelCommands(true);
  ASSERT_EQ(Generator(), nullptr);
  ExpectScreenMatchesRedraw();
  ClickInPlace(50, 50);
  ASSERT_EQ(Elements().size(), 2u);
  ExpectHook(0, {50, 50}, 5, 3, 0);
  EXPECT_EQ(UndoLog().size(), 2u);
  // A placement with no preview on the screen shows the preview again
  // where it last was (the cancel left that at the origin); the cancel
  // takes it away and leaves the committed hook as the redraw shows it.
  CancelCommands();
  ExpectScreenMatchesRedraw();
}

}  // namespace
