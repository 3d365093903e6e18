// Kind 40: the plan of a fitting definition file placed at the base point,
// mirrored, turned about its placed point, kept per generator and only
// moved while nothing it was built from changes.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include <unistd.h>

#include "figures/fittings/fitting_kinds.h"
#include "figures/sections/figure_checks.h"
#include "figures/sections/section_generator.h"
#include "geometry/codepage.h"
#include "support/settings_guard.h"
#include "support/tool_message_recorder.h"
#include "tools/settings/default_settings.h"

namespace {

// Entry 1 of the plan fixture, grid of 5 over the plan width 1700 (pitch
// 425), wall 70 (across factor 1): a line (0, 0)-(1700, 70) of colour 3 and
// line type 1, and an arc shape 3 of colour 4 with its centre O = (0, 0),
// Q = (100 + 425, 0) and a sweep of 90: the arc r = 525 from 0 to 90, the
// line O-Q and the line O-Q' with Q' = (0, 525). Entry 2: one line
// (0, 0)-(1700, 35) on a grid of 3.
const char kPlanFixture[] =
    "# plan\r\n1\r\n990\r\n5\r\n1 5 0 0 0 70 3 1 0\r\n1 2 0 0 100 0 4 0 0 E 90 13\r\n"
    "991\r\n3\r\n1 3 0 0 0 35 5 0 0\r\n";

// Entry 1 of the elevation fixture, grid of 3 over the elevation width 1700
// (pitch 850), heights up to 500 from the bottom: a line (0, 0)-(1700, 300)
// of colour 5, a point (10 + 850, 20) of colour 6, the text "ドア" from
// (100, 50) towards (200 + 850, 50) (attribute 1: bottom left, style 2) and
// an arc of colour 7 about (0, 0), r 100, from 0 to 90. Entry 2: one line
// (0, 0)-(1700, 400).
std::string ElevationFixture() {
  return "1\n990\n3\n1 3 0 0 0 300 5 0 0\n2 2 10 20 0 0 30000 6 0\n1 2 100 50 200 50 10000 1 0 \"" + J("ドア") +
         "\n1 1 0 0 0 90 7 0 0 E 100\n991\n3\n1 3 0 0 0 400 5 0 0\n";
}

// Public: the cases of a table change the fixture's generator and files.
class DefinedPlanTest : public ::testing::Test {
 public:
  // The kinds the fixture registers are the test's alone.
  const FigureKindRegistrationScope kinds_;

  DefinedPlanTest() {
    RegisterFittingKinds();             // until kinds_ goes
    DraftDefaults.FigureBasePoint = 2;  // the box corner at the base point
    FirstData5.FittingEntry = 1;
  }
  void SetUp() override {
    // One file per test and process: the tests run side by side.
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string stem = "zuro_fitting_" + name + "_" + std::to_string(::getpid());
    path_ = std::filesystem::temp_directory_path() / (stem + ".txt");
    other_ = std::filesystem::temp_directory_path() / (stem + "_other.txt");
  }
  void TearDown() override {
    std::filesystem::remove(path_);
    std::filesystem::remove(other_);
  }

  static void Write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  void UsePlan() {
    Write(path_, kPlanFixture);
    FirstData5.FittingDefinitionFile = path_.string();
    FirstData5.FittingGenerator = 0;
  }
  void UseElevation() {
    Write(path_, ElevationFixture());
    FirstData5.FittingDefinitionFile = path_.string();
    FirstData5.FittingGenerator = 2;
  }

  void Build(TBuzaidanmenobj& fig, double x, double y, double angle = 0.0) {
    fig.Generate(40, x, y, 1, 2, 3, 4, 5, 6, angle);
  }
  std::unique_ptr<TBuzaidanmenobj> Fresh(const TBuzaidanmenobj& like) const {
    return std::make_unique<TBuzaidanmenobj>(like.Styles, like.Scale);
  }

  SettingsGuard guard_;
  std::filesystem::path path_;
  std::filesystem::path other_;
  std::array<RTextStyle, kTextStyleCount> styles_ = TestStyles();
  TBuzaidanmenobj fig_{styles_, 1.0};
};

// Two outputs agree element by element within 1e-9, texts exactly.
void ExpectSameFigure(const TBuzaidanmenobj& got, const TBuzaidanmenobj& want) {
  ASSERT_EQ(got.Elements.size(), want.Elements.size());
  EXPECT_EQ(got.Texts, want.Texts);
  for (std::size_t i = 0; i < got.Elements.size(); ++i) {
    SCOPED_TRACE("element " + std::to_string(i));
    const RDrawElement& a = got.Elements[i];
    const RDrawElement& b = want.Elements[i];
    ASSERT_EQ(int{a.Kind}, int{b.Kind});
    EXPECT_EQ(int{a.ColorNo}, int{b.ColorNo});
    EXPECT_EQ(int{a.LineType}, int{b.LineType});
    EXPECT_EQ(int{a.Layer}, int{b.Layer});
    ExpectPoint(First(a), First(b));
    if (a.Kind == kKindArc) {
      EXPECT_NEAR(double{a.Radius}, double{b.Radius}, 1e-9);
      EXPECT_EQ(float{a.StartAngle}, float{b.StartAngle});
      EXPECT_EQ(float{a.EndAngle}, float{b.EndAngle});
      EXPECT_EQ(float{a.Rotation}, float{b.Rotation});
    } else if (a.Kind != kKindPoint) {
      ExpectPoint(Second(a), Second(b));
    }
    if (a.Kind == kKindText) {
      EXPECT_EQ(float{a.TextAngle}, float{b.TextAngle});
      EXPECT_EQ(int{a.TextIndex}, int{b.TextIndex});
    }
  }
}

bool SameFigure(const TBuzaidanmenobj& a, const TBuzaidanmenobj& b) {
  if (a.Elements.size() != b.Elements.size() || a.Texts != b.Texts) return false;
  for (std::size_t i = 0; i < a.Elements.size(); ++i) {
    const RDrawElement& x = a.Elements[i];
    const RDrawElement& y = b.Elements[i];
    if (std::abs(x.X1 - y.X1) > 1e-9 || std::abs(x.Y1 - y.Y1) > 1e-9 || std::abs(x.X2 - y.X2) > 1e-9) return false;
    if (x.Kind != kKindArc && std::abs(x.Y2 - y.Y2) > 1e-9) return false;
    if (x.Kind == kKindArc && (x.StartAngle != y.StartAngle || x.Rotation != y.Rotation)) return false;
  }
  return true;
}

struct Mirror {
  int mx;
  int my;
};
constexpr Mirror kMirrors[] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};

// With code 2 and no gap the placed point is the base point: every x is
// MX x + 100, every y MY y + 200.
TEST_F(DefinedPlanTest, PlanLinesAndArcShapeMirroredThroughThePlacedPoint) {
  UsePlan();
  for (const Mirror& m : kMirrors) {
    SCOPED_TRACE(std::to_string(m.mx) + ", " + std::to_string(m.my));
    FirstData5.FittingMirrorX = m.mx;
    FirstData5.FittingMirrorY = m.my;
    Build(fig_, 100, 200);
    ASSERT_EQ(fig_.Elements.size(), 4u);
    EXPECT_DOUBLE_EQ(fig_.FittingPointX, 100);
    EXPECT_DOUBLE_EQ(fig_.FittingPointY, 200);
    const RDrawElement& line = fig_.Elements[0];
    ExpectLine(line, {100, 200}, {100 + m.mx * 1700.0, 200 + m.my * 70.0});
    EXPECT_EQ(int{line.ColorNo}, 3);
    EXPECT_EQ(int{line.LineType}, 1);
    EXPECT_EQ(int{line.LineTag}, int{kLineTagFitting});
    const RDrawElement& arc = fig_.Elements[1];
    ASSERT_EQ(int{arc.Kind}, int{kKindArc});
    ExpectPoint(First(arc), {100, 200});
    EXPECT_NEAR(double{arc.Radius}, 525, 1e-9);
    EXPECT_EQ(int{arc.ColorNo}, 4);
    // One mirroring exchanges the ends, two give them back: the arc from
    // (525, 0) to (0, 525), mirrored.
    const bool exchanged = m.mx * m.my < 0;
    const Pt from{100 + m.mx * 525.0, 200};
    const Pt to{100, 200 + m.my * 525.0};
    ExpectPoint(ArcPoint(arc, arc.StartAngle), exchanged ? to : from, 1e-4);
    ExpectPoint(ArcPoint(arc, arc.EndAngle), exchanged ? from : to, 1e-4);
    ExpectLine(fig_.Elements[2], {100, 200}, {100 + m.mx * 525.0, 200});
    ExpectLine(fig_.Elements[3], {100, 200}, {100, 200 + m.my * 525.0});
    EXPECT_TRUE(fig_.Texts.empty());
  }
}

// The point and arc mirror like the lines; the text keeps its anchor's
// mirror image and reads from the mirrored end back to it: directions 0
// (360 after the wrap), 0, 180, 0.
TEST_F(DefinedPlanTest, ElevationPointArcAndTextMirrored) {
  UseElevation();
  const double textAngle[] = {360, 360, 180, 360};
  int row = 0;
  for (const Mirror& m : kMirrors) {
    SCOPED_TRACE(std::to_string(m.mx) + ", " + std::to_string(m.my));
    FirstData5.FittingMirrorX = m.mx;
    FirstData5.FittingMirrorY = m.my;
    Build(fig_, 100, 200);
    ASSERT_EQ(fig_.Elements.size(), 4u);
    ExpectLine(fig_.Elements[0], {100, 200}, {100 + m.mx * 1700.0, 200 + m.my * 300.0});
    const RDrawElement& point = fig_.Elements[1];
    EXPECT_EQ(int{point.Kind}, int{kKindPoint});
    ExpectPoint(First(point), {100 + m.mx * 860.0, 200 + m.my * 20.0});
    EXPECT_EQ(int{point.ColorNo}, 6);
    const RDrawElement& text = fig_.Elements[2];
    ASSERT_EQ(fig_.Texts.size(), 1u);
    EXPECT_EQ(fig_.Texts[0], J("ドア"));
    RDrawElement want = ZeroElement();
    fig_.MakeTextElement(want, J("ドア"), 100 + m.mx * 100.0, 200 + m.my * 50.0, textAngle[row], 0, 0, 2);
    EXPECT_EQ(int{text.Kind}, int{kKindText});
    EXPECT_EQ(int{text.ColorNo}, 1);
    EXPECT_EQ(int{text.LineType}, 1);
    EXPECT_EQ(int{text.TextIndex}, 0);
    EXPECT_EQ(int{text.TextStyle}, 2);
    EXPECT_FLOAT_EQ(text.TextAngle, static_cast<float>(textAngle[row]));
    ExpectPoint(First(text), First(want));
    ExpectPoint(Second(text), Second(want));
    const RDrawElement& arc = fig_.Elements[3];
    ASSERT_EQ(int{arc.Kind}, int{kKindArc});
    EXPECT_EQ(int{arc.ColorNo}, 7);
    const bool exchanged = m.mx * m.my < 0;
    const Pt from{100 + m.mx * 100.0, 200};
    const Pt to{100, 200 + m.my * 100.0};
    ExpectPoint(ArcPoint(arc, arc.StartAngle), exchanged ? to : from, 1e-4);
    ExpectPoint(ArcPoint(arc, arc.EndAngle), exchanged ? from : to, 1e-4);
    ++row;
  }
}

// Angle 30 about the placed point (100, 200), c = cos 30, s = sin 30 = 0.5:
// (x, y) goes to (100 + c x - y / 2, 200 + x / 2 + c y).
TEST_F(DefinedPlanTest, TurnedAboutThePlacedPoint) {
  UseElevation();
  Build(fig_, 100, 200, 30);
  const double c = std::sqrt(3.0) / 2;
  auto turned = [&](double x, double y) { return Pt{100 + c * x - y / 2, 200 + x / 2 + c * y}; };
  ASSERT_EQ(fig_.Elements.size(), 4u);
  ExpectLine(fig_.Elements[0], {100, 200}, turned(1700, 300));
  ExpectPoint(First(fig_.Elements[1]), turned(860, 20));
  RDrawElement want = ZeroElement();
  const Pt anchor = turned(100, 50);
  fig_.MakeTextElement(want, J("ドア"), anchor.x, anchor.y, 30, 0, 0, 2);
  ExpectPoint(First(fig_.Elements[2]), First(want));
  ExpectPoint(Second(fig_.Elements[2]), Second(want));
  EXPECT_FLOAT_EQ(fig_.Elements[2].TextAngle, 30.0f);
  // The arc stays on its centre, keeps its angles (the reader wraps 0 to
  // 360) and takes the turn.
  ExpectArc(fig_.Elements[3], {100, 200}, 100, 360.0f, 90.0f, 30.0f);
}

// Code 4 centres the box on the base point: for every mirror and a turn
// of 30 the middle of the plan line, the box centre, is the base point.
TEST_F(DefinedPlanTest, MirroredBoxKeepsTheBasePointAtItsCode) {
  UsePlan();
  DraftDefaults.FigureBasePoint = 4;
  for (const Mirror& m : kMirrors) {
    for (double angle : {0.0, 30.0}) {
      SCOPED_TRACE(std::to_string(m.mx) + ", " + std::to_string(m.my) + " at " + std::to_string(angle));
      FirstData5.FittingMirrorX = m.mx;
      FirstData5.FittingMirrorY = m.my;
      Build(fig_, 100, 200, angle);
      const RDrawElement& line = fig_.Elements[0];
      ExpectPoint({(line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2}, {100, 200});
    }
  }
}

// Boxes at scale 50 (plan width 1700 -> 34, thickness 70 -> 1.4, frame 35
// -> 0.7). Plan mode 0 takes the frame size as the gap; any other mode acts
// as 1 (no gap). Mode 2 lifts the box by the gap and takes it off the
// height 2000 -> 40; a generator above 2 takes the box of modes 0 and 1.
TEST_F(DefinedPlanTest, BoxesByGeneratorAndPlanMode) {
  UsePlan();
  fig_.SetStylesAndScale(styles_, 50);
  FirstData5.FittingPlanExtraDepth = 30;  // 0.6
  struct Case {
    std::uint8_t generator;
    std::uint8_t planMode;
    std::uint8_t code;
    double ox, oy;
  };
  const Case cases[] = {
      {0, 1, 2, 0, 0},
      {0, 0, 2, 0.7, 0},
      {0, 0, 0, 0.7, -2.0},  // -(1.4 + 0.6)
      {1, 0, 8, -0.7 - 34, 0},
      {0, 5, 0, 0, -2.0},
      {3, 0, 4, -17, -1.0},
      {2, 1, 4, -17, -20},
      {2, 0, 2, 0.7, 0.7},
      {2, 0, 0, 0.7, -(40 - 0.7) - 1.4},
      {2, 0, 7, -0.7 - 34, -(40 - 0.7) / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.generator) + " mode " + std::to_string(c.planMode) + " code " +
                 std::to_string(c.code));
    FirstData5.FittingGenerator = c.generator;
    FirstData5.FittingPlanMode = c.planMode;
    DraftDefaults.FigureBasePoint = c.code;
    Build(fig_, 100, 200);
    EXPECT_NEAR(fig_.OffsetX, c.ox, 1e-12);
    EXPECT_NEAR(fig_.OffsetY, c.oy, 1e-12);
  }
}

// The marker of entry 1 carries the sizes 90 and 40: the very first build
// already sits on the box they give (code 0: (gap 40, -90)).
TEST_F(DefinedPlanTest, SizeLinePlacesTheFirstBuildByItsOwnBox) {
  Write(path_, "1\n990 90 40\n5\n1 5 0 0 0 70 3 1 0\n");
  FirstData5.FittingDefinitionFile = path_.string();
  FirstData5.FittingPlanMode = 0;
  DraftDefaults.FigureBasePoint = 0;
  Build(fig_, 100, 200);
  EXPECT_DOUBLE_EQ(FirstData5.FittingWallThickness, 90);
  EXPECT_DOUBLE_EQ(FirstData5.FittingFrameSize, 40);
  EXPECT_DOUBLE_EQ(fig_.OffsetX, 40);
  EXPECT_DOUBLE_EQ(fig_.OffsetY, -90);
  ASSERT_EQ(fig_.Elements.size(), 1u);
  ExpectLine(fig_.Elements[0], {140, 110}, {1840, 180});
  // The sizes it wrote are its own inputs: the next call only moves it.
  Write(path_, "1\n990\n3\n1 3 0 0 0 35 5 0 0\n");
  Build(fig_, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 1u);
  ExpectLine(fig_.Elements[0], {40, -90}, {1740, -20});
}

// Only kind 40 is the defined plan: the kinds next to it build nothing.
TEST_F(DefinedPlanTest, TheKindsBesideFortyBuildNothing) {
  UsePlan();
  for (const std::uint8_t kind : {39, 41, 49}) {
    SCOPED_TRACE(int{kind});
    auto fig = Fresh(fig_);
    fig->Generate(kind, 100, 200, 1, 2, 3, 4, 5, 6, 0.0);
    EXPECT_TRUE(fig->Elements.empty());
  }
  Build(fig_, 100, 200);
  EXPECT_FALSE(fig_.Elements.empty()) << "while kind 40 itself does";
}

// Without a reload the kept figure is moved by the change of the base
// point; a new generator's build there is the same figure.
TEST_F(DefinedPlanTest, MovedBuildEqualsANewBuildThere) {
  UseElevation();
  DraftDefaults.FigureBasePoint = 4;
  FirstData5.FittingMirrorX = -1;
  Build(fig_, 10, 20, 30);
  Build(fig_, -300, 455.5, 30);
  EXPECT_EQ(FirstData5.FittingReload, 0);
  auto fresh = Fresh(fig_);
  Build(*fresh, -300, 455.5, 30);
  ExpectSameFigure(fig_, *fresh);
  EXPECT_DOUBLE_EQ(fig_.OffsetX, fresh->OffsetX);
  EXPECT_DOUBLE_EQ(fig_.FittingPointX, fresh->FittingPointX);
  EXPECT_DOUBLE_EQ(fig_.FittingPointY, fresh->FittingPointY);
}

// Each input changed after a build rebuilds: the next call equals a new
// generator's build with the changed input, which differs from the stale
// figure.
TEST_F(DefinedPlanTest, EveryInputRebuilds) {
  struct Case {
    const char* name;
    bool elevation;
    std::function<void(DefinedPlanTest&, double& angle)> change;
  };
  const Case cases[] = {
      {"angle", true, [](DefinedPlanTest&, double& a) { a = 30; }},
      {"base code", true, [](DefinedPlanTest&, double&) { DraftDefaults.FigureBasePoint = 2; }},
      {"mirror x", true, [](DefinedPlanTest&, double&) { FirstData5.FittingMirrorX = -1; }},
      {"mirror y", true, [](DefinedPlanTest&, double&) { FirstData5.FittingMirrorY = -1; }},
      {"entry", true, [](DefinedPlanTest&, double&) { FirstData5.FittingEntry = 2; }},
      {"elevation width", true, [](DefinedPlanTest&, double&) { FirstData5.FittingElevationWidth = 1000; }},
      {"height", true, [](DefinedPlanTest&, double&) { FirstData5.FittingHeight = 1500; }},
      {"frame size", true, [](DefinedPlanTest&, double&) { FirstData5.FittingFrameSize = 50; }},
      {"plan mode", true, [](DefinedPlanTest&, double&) { FirstData5.FittingPlanMode = 1; }},
      {"generator", true, [](DefinedPlanTest&, double&) { FirstData5.FittingGenerator = 0; }},
      {"plan width", false, [](DefinedPlanTest&, double&) { FirstData5.FittingPlanWidth = 1000; }},
      {"wall thickness", false, [](DefinedPlanTest&, double&) { FirstData5.FittingWallThickness = 140; }},
      {"extra depth", false, [](DefinedPlanTest&, double&) { FirstData5.FittingPlanExtraDepth = 30; }},
      {"scale within 1", true, [](DefinedPlanTest& t, double&) { t.fig_.SetStylesAndScale(t.styles_, 1.5); }},
      {"styles", true,
       [](DefinedPlanTest& t, double&) {
         std::array<RTextStyle, kTextStyleCount> wider = t.styles_;
         wider[2].Width = 70;
         t.fig_.SetStylesAndScale(wider, t.fig_.Scale);
       }},
      {"file name", true,
       [](DefinedPlanTest& t, double&) {
         Write(t.other_, "1\n990\n3\n1 3 0 0 0 250 5 0 0\n");
         FirstData5.FittingDefinitionFile = t.other_.string();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsGuard restore;
    fig_.SetStylesAndScale(styles_, 1.0);
    c.elevation ? UseElevation() : UsePlan();
    DraftDefaults.FigureBasePoint = 6;  // every box size and the gap count
    FirstData5.FittingPlanMode = 0;
    FirstData5.FittingReload = 1;
    double angle = 0.0;
    Build(fig_, 10, 20, angle);
    auto stale = Fresh(fig_);
    Build(*stale, 40, -70, angle);
    c.change(*this, angle);
    Build(fig_, 40, -70, angle);
    EXPECT_EQ(FirstData5.FittingReload, 0);
    auto fresh = Fresh(fig_);
    Build(*fresh, 40, -70, angle);
    ExpectSameFigure(fig_, *fresh);
    EXPECT_FALSE(SameFigure(*fresh, *stale));
  }
}

// A changed file is read only when a reload is asked for, then the flag is
// cleared; a scale change of more than 1.0 asks for one.
TEST_F(DefinedPlanTest, ReloadReadsTheFileAgain) {
  UsePlan();
  Build(fig_, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 4u);
  Write(path_, "1\n990\n3\n1 3 0 0 0 35 5 0 0\n");
  Build(fig_, 5, 5);
  EXPECT_EQ(fig_.Elements.size(), 4u);
  FirstData5.FittingReload = 1;
  Build(fig_, 5, 5);
  ASSERT_EQ(fig_.Elements.size(), 1u);
  ExpectLine(fig_.Elements[0], {5, 5}, {1705, 40});
  EXPECT_EQ(FirstData5.FittingReload, 0);
  Write(path_, kPlanFixture);
  fig_.SetStylesAndScale(styles_, 10);
  EXPECT_EQ(FirstData5.FittingReload, 1);
  Build(fig_, 5, 5);
  ASSERT_EQ(fig_.Elements.size(), 4u);
  ExpectLine(fig_.Elements[0], {5, 5}, {175, 12});
}

// Another kind in between rebuilds Elements and Texts; kind 40 then gives
// its own figure again, not the other kind's moved.
TEST_F(DefinedPlanTest, AnotherKindInBetween) {
  UseElevation();
  Build(fig_, 10, 20);
  fig_.Generate(61, 10, 20, 0, 0, 0, 0, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 22u);
  Build(fig_, 50, 60);
  auto fresh = Fresh(fig_);
  Build(*fresh, 50, 60);
  ExpectSameFigure(fig_, *fresh);
  EXPECT_EQ(fig_.Texts.size(), 1u);
}

// Each generator keeps its own build: the flag cleared by one does not
// leave the next without a figure, and their angles stay their own.
TEST_F(DefinedPlanTest, TwoGeneratorsKeepTheirOwnBuilds) {
  UseElevation();
  TBuzaidanmenobj other(styles_, 1.0);
  Build(fig_, 10, 20, 0);
  EXPECT_EQ(FirstData5.FittingReload, 0);
  Build(other, 10, 20, 30);
  ASSERT_EQ(other.Elements.size(), 4u);
  for (int round = 0; round < 2; ++round) {
    Build(fig_, 70 + round, 80, 0);
    Build(other, 90, 100 + round, 30);
    auto freshA = Fresh(fig_);
    Build(*freshA, 70 + round, 80, 0);
    auto freshB = Fresh(other);
    Build(*freshB, 90, 100 + round, 30);
    ExpectSameFigure(fig_, *freshA);
    ExpectSameFigure(other, *freshB);
  }
}

// An unreadable file gives one report naming it and an empty figure over
// many calls, read again once a reload is asked for.
TEST_F(DefinedPlanTest, UnreadableFileReportedOnceThenReread) {
  ToolMessageRecorder messages;
  FirstData5.FittingDefinitionFile = path_.string();
  for (int i = 0; i < 100; ++i) {
    Build(fig_, i, 2 * i);
    EXPECT_TRUE(fig_.Elements.empty());
  }
  ASSERT_EQ(messages.Messages.size(), 1u);
  EXPECT_EQ(messages.Messages[0].Kind, ToolMessageKind::Warning);
  EXPECT_NE(messages.Messages[0].Text.find(path_.string()), std::string::npos);
  EXPECT_EQ(FirstData5.FittingReload, 0);
  Write(path_, kPlanFixture);
  FirstData5.FittingReload = 1;
  Build(fig_, 0, 0);
  EXPECT_EQ(fig_.Elements.size(), 4u);
  EXPECT_EQ(messages.Messages.size(), 1u);
}

// An empty name reads nothing: a new generator has no lines and builds an
// empty figure, and the flag is cleared.
TEST_F(DefinedPlanTest, EmptyFileNameReadsNothing) {
  ToolMessageRecorder messages;
  FirstData5.FittingDefinitionFile.clear();
  Build(fig_, 10, 20);
  EXPECT_TRUE(fig_.Elements.empty());
  EXPECT_TRUE(fig_.Texts.empty());
  EXPECT_EQ(FirstData5.FittingReload, 0);
  EXPECT_TRUE(messages.Messages.empty());
}

}  // namespace
