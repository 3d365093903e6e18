// Styles 6 and 8 of the chained-dimension tool: centre lines and the width
// leader between two picked things.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dimension_replay.h"
#include "support/settings_guard.h"
#include "tools/lines/chained_dimension.h"

namespace {

constexpr double kRadCentreLines = 3.14159265358979323846 / 180.0;

RPoint2D PolarCentreLines(double angle, double length, RPoint2D from = {0, 0}) {
  return {from.x + length * std::cos(angle * kRadCentreLines), from.y + length * std::sin(angle * kRadCentreLines)};
}

void ExpectLine(const RDrawElement& e, RPoint2D a, RPoint2D b) {
  EXPECT_EQ(+e.Kind, kKindLine);
  EXPECT_NEAR(e.X1, a.x, 1e-9);
  EXPECT_NEAR(e.Y1, a.y, 1e-9);
  EXPECT_NEAR(e.X2, b.x, 1e-9);
  EXPECT_NEAR(e.Y2, b.y, 1e-9);
}

class BetweenPicks : public ::testing::Test {
 protected:
  void Add(double x, double y, const RDrawElement* picked = nullptr) {
    tool_.AddPoint(1, picked != nullptr ? 1 : 0, x, y, picked != nullptr ? *picked : ZeroElement());
  }
  TRenSunpoSenobj& Build(double x, double y) {
    tool_.Update(x, y, 0.0, 0.0, 0.0, 100.0);
    return tool_;
  }

  SettingsGuard guard_;
  TRenSunpoSenobj tool_{DimensionTestStyles()};
};

// --- style 6 --------------------------------------------------------------

// Parallels y = 0 and y = 10 picked at x = 20; the start at x = 30.
class CentreLines : public BetweenPicks {
 protected:
  void SetUp() override {
    DraftDefaults.ChainDimensionStyle = 6;
    Add(20, 0, &low_);
    Add(20, 10, &high_);
  }
  void Start() { Add(30, 1); }
  RDrawElement low_ = LineElement(0, 0, 100, 0);
  RDrawElement high_ = LineElement(0, 10, 100, 10);
};

TEST_F(CentreLines, TwoPointsLeaveTheGuideFeetOnly) {
  tool_.Elements.assign(1, ZeroElement());
  Build(50, 3);
  EXPECT_DOUBLE_EQ(tool_.GuideStartX, 20);
  EXPECT_DOUBLE_EQ(tool_.GuideStartY, 5);
  EXPECT_DOUBLE_EQ(tool_.GuideEndX, 50);
  EXPECT_DOUBLE_EQ(tool_.GuideEndY, 5);
  EXPECT_EQ(tool_.Elements.size(), 1u);
}

TEST_F(CentreLines, DefaultsDrawOneLineMidwayFromTheStartToTheCursor) {
  Start();
  Build(70, 8);
  ASSERT_EQ(tool_.Elements.size(), 1u);
  ExpectLine(tool_.Elements[0], {30, 5}, {70, 5});
  EXPECT_EQ(tool_.LastIndex, -1);
  // Within 0.00001 of the start nothing changes; beyond it the line follows.
  Build(30.000005, 1);
  ExpectLine(tool_.Elements[0], {30, 5}, {70, 5});
  Build(30.00002, 1);
  ExpectLine(tool_.Elements[0], {30, 5}, {30.00002, 5});
}

TEST_F(CentreLines, EveryMultipleOfTheStepWhenAsked) {
  struct Case {
    double t0;
    std::vector<double> heights;  // n = whole part of 1 / (t0 + 0.001)
  } cases[] = {
      {0.25, {2.5, 5, 7.5}},  // 1 / 0.251: 3
      {0.5, {5}},             // 1 / 0.501: 1
      {0.2, {2, 4, 6, 8}},    // 1 / 0.201: 4
      {2, {20}},              // below 1: at least 1
      {-0.001, {-0.01}},      // 1 / 0 is not finite: 1
  };
  Start();
  ToolDefaults.Chain6Option1 = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.t0);
    ToolDefaults.Chain6Size = c.t0;
    Build(70, 8);
    ASSERT_EQ(tool_.Elements.size(), c.heights.size());
    for (std::size_t k = 0; k < c.heights.size(); ++k) {
      ExpectLine(tool_.Elements[k], {30, c.heights[k]}, {70, c.heights[k]});
    }
  }
  // Without the option only the first.
  ToolDefaults.Chain6Option1 = 0;
  ToolDefaults.Chain6Size = 0.25;
  Build(70, 8);
  ASSERT_EQ(tool_.Elements.size(), 1u);
  ExpectLine(tool_.Elements[0], {30, 2.5}, {70, 2.5});
  // A step of 0 changes nothing.
  ToolDefaults.Chain6Size = 0;
  Build(60, 8);
  ExpectLine(tool_.Elements[0], {30, 2.5}, {70, 2.5});
}

TEST_F(CentreLines, DoubleLinesAtHalfTheWidthWithAndWithoutEnds) {
  // 200 real at 1:100: each line becomes two, 1 either side; the line runs
  // at 0 degrees, so its right lies below.
  ToolDefaults.DivisionWidth = 200;
  Start();
  Build(70, 8);
  ASSERT_EQ(tool_.Elements.size(), 2u);
  ExpectLine(tool_.Elements[0], {30, 4}, {70, 4});
  ExpectLine(tool_.Elements[1], {30, 6}, {70, 6});
  ToolDefaults.Chain6Option2 = 1;
  Build(70, 8);
  ASSERT_EQ(tool_.Elements.size(), 4u);
  ExpectLine(tool_.Elements[2], {30, 4}, {30, 6});
  ExpectLine(tool_.Elements[3], {70, 4}, {70, 6});
}

TEST_F(CentreLines, OnePointEmptiesAndFourPointsChangeNothing) {
  Start();
  Build(70, 8);
  Add(0, 0);
  Build(60, 8);
  ExpectLine(tool_.Elements[0], {30, 5}, {70, 5});
  tool_.Reset();
  tool_.Texts = {"x"};
  Add(1, 1);
  Build(5, 5);
  EXPECT_TRUE(tool_.Elements.empty());
  EXPECT_TRUE(tool_.Texts.empty());
}

// --- style 8 --------------------------------------------------------------

// Two free points 10 apart at 1:100; the bisector x = 5 runs up, with the
// offset lines x = 10 (right) and x = 0 (left). The start at (3, 2).
class WidthLeader : public BetweenPicks {
 protected:
  void SetUp() override {
    DraftDefaults.ChainDimensionStyle = 8;
    Add(0, 0);
    Add(10, 0);
    Add(3, 2);
    Build(4, 12);  // the first build
  }
  // The two strokes of a head at the tip for a leader running at Direction.
  void ExpectStroke(std::size_t entry, RPoint2D tip, double direction) {
    ExpectLine(tool_.Elements[entry], tip, PolarCentreLines(direction, 1.5, tip));
  }
  void ExpectZero(std::size_t entry) {
    EXPECT_EQ(+tool_.Elements[entry].Kind, 0);
    EXPECT_EQ(double{tool_.Elements[entry].X1}, 0.0);
    EXPECT_EQ(double{tool_.Elements[entry].X2}, 0.0);
  }
  // δ = 15 (or -15, turned back): the right leader turns about point 2 to
  // 105 degrees, the left one about point 1 to 75 degrees.
  void ExpectConverged() {
    ExpectLine(tool_.Elements[0], PolarCentreLines(105, 2, {10, 0}), PolarCentreLines(105, 12, {10, 0}));
    ExpectLine(tool_.Elements[1], PolarCentreLines(75, 2), PolarCentreLines(75, 12));
    ExpectLine(tool_.Elements[2], PolarCentreLines(105, 12, {10, 0}), PolarCentreLines(75, 12));
  }
};

TEST_F(WidthLeader, FirstBuildGivesEightZeroEntriesAndTheWidth) {
  ASSERT_EQ(tool_.Elements.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) ExpectZero(i);
  EXPECT_EQ(tool_.Texts, std::vector<std::string>{"1,000"});
  EXPECT_EQ(tool_.LastIndex, 0);
}

TEST_F(WidthLeader, NoTurnKeepsTheLeadersParallel) {
  FirstData11.Chain9Size1 = 0;
  Build(4, 12);
  ASSERT_EQ(tool_.Elements.size(), 8u);
  ExpectLine(tool_.Elements[0], {10, 2}, {10, 12});
  ExpectLine(tool_.Elements[1], {0, 2}, {0, 12});
  ExpectLine(tool_.Elements[2], {10, 12}, {0, 12});
  // Default heads: entries 3 and 5 on the right leader, 6 and 4 on the left.
  ExpectStroke(3, {10, 2}, 105);
  ExpectStroke(5, {10, 2}, 75);
  ExpectStroke(6, {0, 2}, 105);
  ExpectStroke(4, {0, 2}, 75);
  // The width, 10 × 100, at the bridge's middle along point 1 to point 2,
  // DimTextGap above it.
  const RDrawElement& text = tool_.Elements[7];
  EXPECT_EQ(+text.Kind, kKindText);
  EXPECT_EQ(+text.TextStyle, 3);
  EXPECT_EQ(float{text.TextAngle}, 0.0f);
  EXPECT_NEAR((text.X1 + text.X2) / 2, 5, 1e-9);
  EXPECT_NEAR(text.Y1, 12 + DimensionDefaults.DimTextGap, 1e-6);
  EXPECT_EQ(tool_.Texts, std::vector<std::string>{"1,000"});
}

TEST_F(WidthLeader, LeadersConvergeOnTheBridge) {
  Build(4, 12);
  ExpectConverged();
  // The cursor ends come 10 - 2 × 12 sin 15 apart.
  EXPECT_NEAR(tool_.Elements[2].X1 - tool_.Elements[2].X2, 10 - 24 * std::sin(15 * kRadCentreLines), 1e-9);
}

TEST_F(WidthLeader, ArrowheadModesChooseStrokesAndTextStyle) {
  FirstData11.Chain9TextStyle = 5;
  DimensionDefaults.DimTextStyle = 2;
  struct Case {
    std::uint8_t mode;
    double turn;         // ±15 build the same leaders, the second turned back
    double right, left;  // stroke directions of entries 3 and 4; 0: zero
    int style;
  } cases[] = {
      {0, 15, 0, 0, 2},
      {2, 15, 105 - 15, 75 + 15, 5},  // second on the right, first on the left
      {3, 15, 105 + 15, 75 - 15, 5},
      {2, -15, 105 + 15, 75 - 15, 5},  // turned back: the choice flips
      {3, -15, 105 - 15, 75 + 15, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << int{c.mode} << " " << c.turn);
    FirstData11.Chain8Option1 = c.mode;
    FirstData11.Chain9Size1 = c.turn;
    Build(4, 12);
    ExpectConverged();
    if (c.mode == 0) {
      ExpectZero(3);
      ExpectZero(4);
    } else {
      ExpectStroke(3, PolarCentreLines(105, 2, {10, 0}), c.right);
      ExpectStroke(4, PolarCentreLines(75, 2), c.left);
    }
    ExpectZero(5);
    ExpectZero(6);
    EXPECT_EQ(+tool_.Elements[7].TextStyle, c.style);
  }
}

TEST_F(WidthLeader, UnknownArrowheadModeLeavesTheMarksAndText) {
  FirstData11.Chain8Option1 = 4;
  Build(4, 12);
  ExpectConverged();
  for (std::size_t i = 3; i < 8; ++i) ExpectZero(i);
}

TEST_F(WidthLeader, TextModes) {
  FirstData11.Chain8Option2 = 0;
  Build(4, 12);
  EXPECT_EQ(tool_.Texts, std::vector<std::string>{""});
  FirstData11.Chain8Option2 = 1;
  Build(4, 13);
  EXPECT_EQ(tool_.Texts, std::vector<std::string>{"1,000"});
  FirstData11.Chain8Option2 = 2;
  FirstData11.Chain9Text = "W";
  Build(4, 12);
  EXPECT_EQ(tool_.Texts, std::vector<std::string>{"W"});
  EXPECT_EQ(int{tool_.Elements[7].TextIndex}, 0);
}

TEST_F(WidthLeader, ConvergeLeaderPivotsByTheTurnTest) {
  // |a1 - a3| = 0: pivot point 1, the ray from it turned by the turn.
  double px = 0, py = 2, qx = 0, qy = 12;
  TRenSunpoSenobj::ConvergeLeader(px, py, 0, 0, 10, 0, -15, qx, qy);
  EXPECT_NEAR(px, PolarCentreLines(75, 2).x, 1e-9);
  EXPECT_NEAR(qy, PolarCentreLines(75, 12).y, 1e-9);
  // a1 = 45, a3 = 60: 15 exceeds |-15 + 3| = 12 but not |15 + 3| = 18.
  const RPoint2D q = PolarCentreLines(45, 10);
  const RPoint2D p = PolarCentreLines(240, 4, q);
  for (double turn : {15.0, -15.0}) {
    SCOPED_TRACE(turn);
    double x = p.x, y = p.y, u = q.x, v = q.y;
    TRenSunpoSenobj::ConvergeLeader(x, y, 0, 0, 20, 0, turn, u, v);
    const RPoint2D k = turn > 0 ? RPoint2D{0, 0} : RPoint2D{20, 0};
    const double a = std::atan2(q.y - k.y, q.x - k.x) / kRadCentreLines + turn;
    const double dq = std::hypot(q.x - k.x, q.y - k.y);
    EXPECT_NEAR(u, PolarCentreLines(a, dq, k).x, 1e-9);
    EXPECT_NEAR(v, PolarCentreLines(a, dq, k).y, 1e-9);
  }
}

}  // namespace
