// The frame the fitting kinds share: zero-filled records of the appending
// helpers, the turn about the base point, the scale, the base-point codes,
// the untouched texts and a scale that would break every length.

#include "figures/fittings/fitting_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "figures/fittings/fitting_checks.h"
#include "geometry/angles_points.h"

namespace {

constexpr std::uint8_t kKinds[] = {51, 52, 53, 54, 55, 56, 63, 64, 65, 70, 71, 74, 75};

class FittingFrameTest : public FittingTest {
 protected:
  // Settings under which every kind builds most of what it can: two
  // units or leaves, stepped end marks and side frames.
  void RichSettings() {
    FittingDefaults.FitLeafCount = 2;
    FittingDefaults.FitPlanOption1 = 1;
    FittingDefaults.FitPlanOption2 = 3;
    FittingDefaults.FitPlanOption4 = 1;
    FittingDefaults.FitLeafSplit = 300;
    FittingDefaults.FitPlanOption5 = 0;
    DraftDefaults.FigureBasePoint = 4;
  }
};

bool SameBytes(const RDrawElement& a, const RDrawElement& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(FittingFrameTest, HelpersAppendZeroFilledRecordsAtTheLocalOrigin) {
  FittingDefaults.FitPlanLayer = 5;
  fig_.BaseX = 1;
  fig_.BaseY = 2;
  fig_.Angle = 0;
  fig_.Elements.assign(3, LineElement(9, 9, 9, 9));
  DraftDefaults.FigureBasePoint = 0;
  FittingFrame frame(fig_);
  // Code 0: the base point at the top left of a 10 x 4 box, 3 beside it.
  frame.Begin(10, 4, 3);
  EXPECT_TRUE(fig_.Elements.empty());
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {3, -4});
  // Origin (4, -2).
  frame.AddLine(2, 3, 1, 1, 5, 1);
  frame.AddLine(true, 6, 1, 0, 0, 0, 2);
  frame.AddLine(false, 0, 0, 1, 0, 1, -1);
  frame.AddArc(6, 0, 2, 3, 4, 0, 90);
  ASSERT_EQ(fig_.Elements.size(), 4u);

  RDrawElement elevation = LineElement(5, -1, 9, -1);
  elevation.ColorNo = 2;
  elevation.LineType = 3;
  EXPECT_TRUE(SameBytes(fig_.Elements[0], elevation));
  RDrawElement plan = LineElement(4, -2, 4, 0);
  plan.ColorNo = 6;
  plan.LineType = 1;
  plan.Layer = 5;
  plan.LineTag = 0x9000;
  EXPECT_TRUE(SameBytes(fig_.Elements[1], plan));
  EXPECT_TRUE(SameBytes(fig_.Elements[2], LineElement(5, -2, 5, -3)));
  RDrawElement arc = CircularArcElement(6, 1, 4, 0, 90, 0);
  arc.ColorNo = 6;
  arc.Layer = 5;
  EXPECT_TRUE(SameBytes(fig_.Elements[3], arc));
}

TEST_F(FittingFrameTest, FinishTurnsAboutTheLocalOrigin) {
  fig_.BaseX = 0;
  fig_.BaseY = 0;
  fig_.Angle = 90;
  DraftDefaults.FigureBasePoint = 2;
  FittingFrame frame(fig_);
  frame.Begin(10, 4, 0);
  frame.AddLine(1, 0, 2, 0, 2, 3);
  frame.AddArc(1, 0, 3, 0, 1, 0, 90);
  frame.Finish();
  // A quarter turn: (x, y) becomes (-y, x).
  ExpectLine(fig_.Elements[0], {0, 2}, {-3, 2}, 1e-12);
  ExpectArc(fig_.Elements[1], {0, 3}, 1, 0, 90, 90, 1e-12);

  // A turn of up to a ten-thousandth of a degree leaves the figure as
  // built, to the bit.
  fig_.Angle = 0.0001;
  frame.Begin(10, 4, 0);
  frame.AddLine(1, 0, 2, 0.3, 2, 3);
  frame.Finish();
  EXPECT_EQ(double{fig_.Elements[0].X1}, 2.0);
  EXPECT_EQ(double{fig_.Elements[0].Y1}, 0.3);
}

// Each kind at 30 degrees is its figure at 0 turned about the base point;
// arcs keep their radius and angles and take the turn as their rotation.
TEST_F(FittingFrameTest, TurnedFigureIsTheFigureTurnedAboutTheBasePoint) {
  RichSettings();
  for (std::uint8_t kind : kKinds) {
    SCOPED_TRACE(int{kind});
    Build(kind, 0);
    const std::vector<RDrawElement> flat = Out();
    Build(kind, 30);
    ASSERT_EQ(Out().size(), flat.size());
    for (std::size_t i = 0; i < flat.size(); ++i) {
      SCOPED_TRACE(i);
      const RDrawElement& a = flat[i];
      const RDrawElement& b = Out()[i];
      Pt p1 = First(a);
      RotateAboutCentre(p1.x, p1.y, 30, kBaseX, kBaseY);
      ExpectPoint(First(b), p1, 1e-9);
      if (a.Kind == kKindArc) {
        ExpectArc(b, p1, a.Radius, a.StartAngle, a.EndAngle, 30.0f, 1e-9);
        EXPECT_EQ(float{a.Rotation}, 0.0f);
      } else {
        Pt p2 = Second(a);
        RotateAboutCentre(p2.x, p2.y, 30, kBaseX, kBaseY);
        ExpectPoint(Second(b), p2, 1e-9);
      }
    }
  }
}

// Twice the scale halves every distance from the base point.
TEST_F(FittingFrameTest, DoubleScaleHalvesTheFigure) {
  RichSettings();
  for (std::uint8_t kind : kKinds) {
    for (double angle : {0.0, 30.0}) {
      SCOPED_TRACE(testing::Message() << int{kind} << " at " << angle);
      fig_.SetStylesAndScale(styles_, 10);
      Build(kind, angle);
      const std::vector<RDrawElement> large = Out();
      fig_.SetStylesAndScale(styles_, 20);
      Build(kind, angle);
      ASSERT_EQ(Out().size(), large.size());
      auto half = [](Pt p) { return Pt{kBaseX + (p.x - kBaseX) / 2, kBaseY + (p.y - kBaseY) / 2}; };
      for (std::size_t i = 0; i < large.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectPoint(First(Out()[i]), half(First(large[i])), 1e-9);
        if (large[i].Kind == kKindArc) {
          EXPECT_NEAR(double{Out()[i].Radius}, double{large[i].Radius} / 2, 1e-9);
        } else {
          ExpectPoint(Second(Out()[i]), half(Second(large[i])), 1e-9);
        }
      }
    }
  }
}

// The boxes (W, H, Gap) at the round settings, one unit or leaf, no side
// frames; each code puts the base point on its place of the box and code 9
// keeps the offset of the call before.
TEST_F(FittingFrameTest, BasePointCodesPlaceTheBox) {
  FittingDefaults.FitPlanOption5 = 0;
  const struct {
    std::uint8_t kind;
    double W, H, Gap;
  } boxes[] = {
      {63, 100, 9, 2},  {64, 100, 7, 2},  {65, 100, 10, 0},   {70, 100, 20, 8},
      {71, 100, 20, 8}, {74, 100, 10, 0}, {75, 100, 20, 9.5},
  };
  for (const auto& b : boxes) {
    // Offsets from the base point to the box corner, by code.
    const Pt offsets[9] = {
        {b.Gap, -b.H},        {b.Gap, -b.H / 2},        {b.Gap, 0},
        {-b.W / 2, -b.H},     {-b.W / 2, -b.H / 2},     {-b.W / 2, 0},
        {-b.Gap - b.W, -b.H}, {-b.Gap - b.W, -b.H / 2}, {-b.Gap - b.W, 0},
    };
    DraftDefaults.FigureBasePoint = 2;
    Build(b.kind);
    const std::vector<RDrawElement> atCode2 = Out();
    for (int code = 0; code <= 9; ++code) {
      SCOPED_TRACE(testing::Message() << int{b.kind} << " code " << code);
      DraftDefaults.FigureBasePoint = static_cast<std::uint8_t>(code);
      Build(b.kind);
      const Pt want = offsets[code <= 8 ? code : 8];
      ExpectPoint({fig_.OffsetX, fig_.OffsetY}, want);
      // The figure moves with its corner.
      ASSERT_EQ(Out().size(), atCode2.size());
      for (std::size_t i = 0; i < Out().size(); ++i) {
        ExpectPoint(First(Out()[i]), {double{atCode2[i].X1} + want.x - b.Gap, double{atCode2[i].Y1} + want.y});
      }
    }
  }
}

// The built-in settings at scale 100.
TEST_F(FittingFrameTest, BuiltInSettings) {
  FittingDefaults = RFittingDefaults{};
  DraftDefaults = RDraftDefaults{};
  fig_.SetStylesAndScale(styles_, 100);
  // Kind 70: W 18, T 0.7, E 0.25; code 4 puts the base point at the
  // centre of the 18 x 0.7 box.
  Build(70);
  ASSERT_EQ(Out().size(), 9u);
  double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
  for (const RDrawElement& e : Out()) {
    left = std::min({left, double{e.X1}, double{e.X2}});
    right = std::max({right, double{e.X1}, double{e.X2}});
    bottom = std::min({bottom, double{e.Y1}, double{e.Y2}});
    top = std::max({top, double{e.Y1}, double{e.Y2}});
  }
  EXPECT_NEAR(left, kBaseX - 9 - 0.25, 1e-12);
  EXPECT_NEAR(right, kBaseX + 9 + 0.25, 1e-12);
  EXPECT_NEAR(bottom, kBaseY - 0.35, 1e-12);
  EXPECT_NEAR(top, kBaseY + 0.35, 1e-12);
  // Kind 65: the arc, the leaf and the mark.
  Build(65);
  EXPECT_EQ(Out().size(), 3u);
  // Kind 74: two pairs of leaves 4.5 long.
  Build(74);
  ASSERT_EQ(Out().size(), 19u);
  EXPECT_NEAR(PointDistance(Out()[0].X1, Out()[0].Y1, Out()[0].X2, Out()[0].Y2), 4.5, 1e-12);
}

// The plan and elevation kinds make no texts: the output texts stay as they were, and
// the sizes of the call are not read.
TEST_F(FittingFrameTest, TextsAndSizesUntouched) {
  RichSettings();
  fig_.Texts = {"kept"};
  for (std::uint8_t kind : kKinds) {
    SCOPED_TRACE(int{kind});
    Build(kind);
    const std::vector<RDrawElement> built = Out();
    fig_.Generate(kind, kBaseX, kBaseY, -1, 0, 1e9, 7, 8, 9, 0);
    ASSERT_EQ(Out().size(), built.size());
    for (std::size_t i = 0; i < built.size(); ++i) EXPECT_TRUE(SameBytes(Out()[i], built[i]));
    EXPECT_EQ(fig_.Texts, std::vector<std::string>{"kept"});
  }
}

// A scale of 0 or one that is not finite would make every length infinite
// or NaN: the kinds build nothing and the output stays as it was.
TEST_F(FittingFrameTest, BrokenScaleBuildsNothing) {
  RichSettings();
  const double broken[] = {0.0, -0.0, std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
  for (std::uint8_t kind : kKinds) {
    for (double scale : broken) {
      SCOPED_TRACE(testing::Message() << int{kind} << " scale " << scale);
      fig_.SetStylesAndScale(styles_, 10);
      Build(kind);
      const std::vector<RDrawElement> before = Out();
      fig_.SetStylesAndScale(styles_, scale);
      Build(kind, 30);
      ASSERT_EQ(Out().size(), before.size());
      for (std::size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(SameBytes(Out()[i], before[i]));
      EXPECT_TRUE(AllFinite(Out()));
    }
  }
}

// Sound settings give finite figures at every turn, also without units
// and with the width shared among none.
TEST_F(FittingFrameTest, EveryOutputIsFinite) {
  RichSettings();
  for (int n : {0, 1, 2}) {
    for (int total : {0, 1}) {
      FittingDefaults.FitLeafCount = static_cast<std::uint8_t>(n);
      FittingDefaults.FitWidthIsTotal = static_cast<std::uint8_t>(total);
      for (std::uint8_t kind : kKinds) {
        SCOPED_TRACE(testing::Message() << int{kind} << " n " << n << " total " << total);
        Build(kind, 123.4);
        EXPECT_FALSE(Out().empty());
        EXPECT_TRUE(AllFinite(Out()));
      }
    }
  }
}

}  // namespace
