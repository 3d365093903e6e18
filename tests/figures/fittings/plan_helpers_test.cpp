// The shared plan helpers: repeated units, end marks of every variant and
// type, pockets and boxes, and the attributes of the plan lines.

#include "figures/fittings/plan_helpers.h"

#include <gtest/gtest.h>

#include "figures/fittings/fitting_checks.h"

namespace {

class PlanHelpersTest : public FittingTest {
 protected:
  // A plan whose local origin is the base point.
  FittingPlan& Start() {
    fig_.BaseX = kBaseX;
    fig_.BaseY = kBaseY;
    plan_.Begin(50, 20, 0);
    return plan_;
  }

  FittingPlan plan_{fig_};
};

TEST_F(PlanHelpersTest, LengthsAndUnits) {
  FittingPlan& p = Start();
  EXPECT_EQ(p.n, 1);
  EXPECT_DOUBLE_EQ(p.G, 10);
  EXPECT_DOUBLE_EQ(p.T, 20);
  EXPECT_DOUBLE_EQ(p.E, 8);
  EXPECT_DOUBLE_EQ(p.J, 3);
  EXPECT_DOUBLE_EQ(p.D, 10);
  EXPECT_DOUBLE_EQ(p.SideGap(8), 0);
  FittingDefaults.FitPlanOption5 = 0;
  EXPECT_DOUBLE_EQ(p.SideGap(8), 8);

  const struct {
    int n, total, overall;
    double W, right, box;
  } cases[] = {
      {1, 0, 0, 100, 100, 100},      {3, 0, 0, 100, 320, 320},  // 3 x 100 + 2 x 10
      {3, 1, 0, 80.0 / 3, 100, 100},                            // (100 - 20) / 3
      {2, 0, 1, 90, 190, 190},                                  // (1000 - 100) / 10
      {2, 1, 1, 40, 90, 100},                                   // (90 - 10) / 2; the box keeps 1000 / 10
      {0, 0, 0, 100, 100, -10},                                 // the right end as for one unit
      {0, 1, 0, 0, 0, 100},                                     // nothing to share the width
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.n << " " << c.total << " " << c.overall);
    FittingDefaults.FitLeafCount = static_cast<std::uint8_t>(c.n);
    FittingDefaults.FitWidthIsTotal = static_cast<std::uint8_t>(c.total);
    FittingDefaults.FitPlanOption6 = static_cast<std::uint8_t>(c.overall);
    const FittingPlan q(fig_);
    const RPlanUnits u = q.RepeatedUnits(100);
    EXPECT_EQ(u.n, c.n);
    EXPECT_NEAR(u.W, c.W, 1e-12);
    EXPECT_NEAR(u.Right, c.right, 1e-12);
    EXPECT_NEAR(u.Box, c.box, 1e-12);
  }
  // The frame width loses both side frames only when they are drawn and
  // the width is overall.
  FittingDefaults.FitPlanOption6 = 1;
  EXPECT_DOUBLE_EQ(FittingPlan(fig_).FrameWidth(), 100);
  FittingDefaults.FitPlanOption1 = 1;
  EXPECT_DOUBLE_EQ(FittingPlan(fig_).FrameWidth(), 94);
  EXPECT_DOUBLE_EQ(FittingPlan(fig_).RealFrameWidth(), 940);
}

// Anchors (10, 1) and (60, 2): every variant and type.
TEST_F(PlanHelpersTest, EndMarkVariantsAndTypes) {
  FittingPlan& p = Start();
  const struct {
    const char* name;
    REndMarkShape shape;
    double h, s2, s34, stub;
  } variants[] = {
      {"wall", p.WallMarks(), 20, 8, 8, 44},    // stub 2T + 4 up
      {"frame", p.FrameMarks(), 10, 3, 3, 16},  // D, J, 16 up
      {"hinged", p.HingedMarks(2.5), 10, 2.5, 3, -16},
      {"hinged 65", p.HingedMarks(p.J), 10, 3, 3, -16},
  };
  const std::size_t counts[] = {0, 2, 2, 6, 6, 0};
  for (const auto& v : variants) {
    for (int type = 0; type <= 5; ++type) {
      SCOPED_TRACE(testing::Message() << v.name << " type " << type);
      FittingDefaults.FitPlanOption2 = static_cast<std::uint8_t>(type);
      fig_.Elements.clear();
      p.AddEndMarks(v.shape, 10, 1, 60, 2);
      ASSERT_EQ(Out().size(), counts[type]);
      const double h = v.h;
      if (type == 1) {
        ExpectMarks(0, {{10, 1, 10, 1 + v.stub}, {60, 2, 60, 2 + v.stub}});
      } else if (type == 2) {
        ExpectMarks(0, {{10 - v.s2, 1, 10 - v.s2, 1 + v.stub}, {60 + v.s2, 2, 60 + v.s2, 2 + v.stub}});
      } else if (type == 3) {
        const double l = 10 - v.s34 - 2;
        const double r = 60 + v.s34 + 2;
        ExpectMarks(0, {{l, 1 - h - 1, l, 1 + h + 1},
                        {l, 1 + h + 1, 10, 1 + h + 2},
                        {10, 1 + h + 2, 10, 1 + 2 * h + 4},
                        {r, 2 - h - 1, r, 2 + h + 1},
                        {r, 2 + h + 1, 60, 2 + h + 2},
                        {60, 2 + h + 2, 60, 2 + 2 * h + 4}});
      } else if (type == 4) {
        const double l = 10 - v.s34 - 2;
        const double r = 60 + v.s34 + 2;
        ExpectMarks(0, {{l, 1 - 1, l, 1 + 2 * h + 2},
                        {l, 1 - 1, 10, 1 - 2},
                        {10, 1 - 2, 10, 1 - h - 2},
                        {r, 2 - 1, r, 2 + 2 * h + 2},
                        {r, 2 - 1, 60, 2 - 2},
                        {60, 2 - 2, 60, 2 - h - 2}});
      }
    }
  }
  // The wall type 3 written out: h = 20, s = 8.
  FittingDefaults.FitPlanOption2 = 3;
  fig_.Elements.clear();
  p.AddEndMarks(p.WallMarks(), 0, 0, 100, 0);
  ExpectMarks(0, {{-10, -21, -10, 21},
                  {-10, 21, 0, 22},
                  {0, 22, 0, 44},
                  {110, -21, 110, 21},
                  {110, 21, 100, 22},
                  {100, 22, 100, 44}});
}

TEST_F(PlanHelpersTest, PocketsAndBoxes) {
  FittingPlan& p = Start();
  p.AddSideFrames(SideFrameShape::Pocket, 10, 60);
  ASSERT_EQ(Out().size(), 6u);
  ExpectLines(
      0, {{7, 0, 7, -10}, {10, 0, 10, -10}, {7, -10, 10, -10}, {60, 0, 60, -10}, {63, 0, 63, -10}, {60, -10, 63, -10}});
  fig_.Elements.clear();
  p.AddSideFrames(SideFrameShape::Box, 0, 50);
  ASSERT_EQ(Out().size(), 8u);
  ExpectLines(0, {{-3, 0, -3, 10},
                  {0, 0, 0, 10},
                  {-3, 0, 0, 0},
                  {-3, 10, 0, 10},
                  {53, 0, 53, 10},
                  {50, 0, 50, 10},
                  {53, 0, 50, 0},
                  {53, 10, 50, 10}});
}

// Plan layer 5: every coloured plan line and arc goes on it with the tag;
// end marks keep colour 0, tag 0 and layer 0.
TEST_F(PlanHelpersTest, PlanLayerAndTags) {
  FittingDefaults.FitPlanLayer = 5;
  FittingDefaults.FitPlanOption1 = 1;
  FittingDefaults.FitPlanOption2 = 3;
  FittingDefaults.FitPlanOption4 = 1;
  for (std::uint8_t kind : {63, 64, 65, 70, 71, 74, 75}) {
    SCOPED_TRACE(int{kind});
    Build(kind);
    std::size_t marks = 0;
    for (const RDrawElement& e : Out()) {
      EXPECT_EQ(int{e.Group}, 0);
      EXPECT_EQ(int{e.Selection}, 0);
      EXPECT_EQ(int{e.UndoMark}, 0);
      if (e.Kind == kKindArc) {
        EXPECT_EQ(int{e.ColorNo}, 4);
        EXPECT_EQ(int{e.Layer}, 5);
      } else if (e.ColorNo == 0) {
        ++marks;
        EXPECT_EQ(int{e.LineTag}, 0);
        EXPECT_EQ(int{e.Layer}, 0);
      } else {
        EXPECT_TRUE(e.ColorNo == 4 || e.ColorNo == 7);
        EXPECT_EQ(int{e.LineTag}, int{kLineTagFitting});
        EXPECT_EQ(int{e.Layer}, 5);
      }
    }
    EXPECT_EQ(marks, kind == 75 ? 0u : 6u);
  }
  // A symbol colour of 0 leaves its lines on layer 0, still tagged.
  FittingDefaults.FitPlanColour1 = 0;
  FittingDefaults.FitPlanOption2 = 0;
  Build(70);
  ASSERT_EQ(Out().size(), 15u);
  EXPECT_EQ(int{Out()[0].Layer}, 0);
  EXPECT_EQ(int{Out()[0].LineTag}, int{kLineTagFitting});
  EXPECT_EQ(int{Out()[7].Layer}, 5);  // a face line
}

}  // namespace
