// Style 7 of the chained-dimension tool: parallels to the picked lines.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dimension_replay.h"
#include "support/settings_guard.h"
#include "tools/lines/chained_dimension.h"

namespace {

constexpr double kRadOffsetOutline = 3.14159265358979323846 / 180.0;

struct RSegment {
  RPoint2D a, b;
};

void ExpectLinesOffsetOutline(const std::vector<RDrawElement>& got, const std::vector<RSegment>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(+got[i].Kind, kKindLine);
    EXPECT_NEAR(got[i].X1, want[i].a.x, 1e-9);
    EXPECT_NEAR(got[i].Y1, want[i].a.y, 1e-9);
    EXPECT_NEAR(got[i].X2, want[i].b.x, 1e-9);
    EXPECT_NEAR(got[i].Y2, want[i].b.y, 1e-9);
  }
}

// At 1:100 the default 1000 real is 10 in the drawing.
class OffsetOutline : public ::testing::Test {
 protected:
  void SetUp() override { DraftDefaults.ChainDimensionStyle = 7; }
  void PickLine(double x1, double y1, double x2, double y2) {
    RDrawElement e = LineElement(x1, y1, x2, y2);
    e.LineType = 2;
    e.ColorNo = 5;
    e.Layer = 3;
    tool_.AddPoint(1, 1, x1, y1, e);
  }
  // A rectangle 100 × 50 from (x, y), drawn anticlockwise, end to start.
  void PickRectangle(double x, double y) {
    PickLine(x, y, x + 100, y);
    PickLine(x + 100, y, x + 100, y + 50);
    PickLine(x + 100, y + 50, x, y + 50);
    PickLine(x, y + 50, x, y);
  }
  static std::vector<RSegment> Rectangle(double x, double y, double w, double h) {
    return {{{x, y}, {x + w, y}}, {{x + w, y}, {x + w, y + h}}, {{x + w, y + h}, {x, y + h}}, {{x, y + h}, {x, y}}};
  }
  TRenSunpoSenobj& Build(double x, double y) {
    tool_.Update(x, y, 0, 0, 0, 100.0);
    return tool_;
  }

  SettingsGuard guard_;
  TRenSunpoSenobj tool_{DimensionTestStyles()};
};

TEST_F(OffsetOutline, OneLineGetsItsRightParallelOnEitherSide) {
  PickLine(0, 0, 100, 0);
  for (double y : {50.0, -50.0}) {
    Build(50, y);
    ExpectLinesOffsetOutline(tool_.Elements, {{{0, -10}, {100, -10}}});
    EXPECT_EQ(+tool_.Elements[0].LineType, 0);
    EXPECT_EQ(+tool_.Elements[0].ColorNo, 0);
    EXPECT_EQ(+tool_.Elements[0].Layer, 0);
  }
}

TEST_F(OffsetOutline, ClosedRectangleGrowsOrShrinksWithJoinedCorners) {
  PickRectangle(0, 0);
  Build(200, 25);  // outside
  ExpectLinesOffsetOutline(tool_.Elements, Rectangle(-10, -10, 120, 70));
  // Inside: the centre (50, 25), 5 from the cursor, 25 from the top.
  Build(50, 30);
  const std::vector<RSegment> inner = Rectangle(10, 10, 80, 30);
  ExpectLinesOffsetOutline(tool_.Elements, inner);
  // Both: outer and inner parallels in turn, line by line.
  ToolDefaults.Chain7Option = 1;
  Build(200, 25);
  const std::vector<RSegment> outer = Rectangle(-10, -10, 120, 70);
  std::vector<RSegment> both;
  for (std::size_t k = 0; k < 4; ++k) {
    both.push_back(outer[k]);
    // The left parallel runs the same way as its line.
    both.push_back(inner[k]);
  }
  ExpectLinesOffsetOutline(tool_.Elements, both);
}

TEST_F(OffsetOutline, LinesCrossingInTheirMiddlesStayUnjoined) {
  PickLine(0, 0, 100, 0);
  PickLine(50, -50, 50, 50);
  ToolDefaults.Chain7Option = 1;
  Build(300, 300);
  ExpectLinesOffsetOutline(
      tool_.Elements, {{{0, -10}, {100, -10}}, {{0, 10}, {100, 10}}, {{60, -50}, {60, 50}}, {{40, -50}, {40, 50}}});
}

TEST_F(OffsetOutline, PointsThatPickedNothingDoNotMoveTheCentre) {
  // Far from the origin with a last point that picked nothing: the centre
  // stays (1050, 1025), so a cursor 5 above it is inside. Counting the free
  // point would put the centre at (840, 820) and the cursor outside.
  PickRectangle(1000, 1000);
  tool_.AddPoint(1, 0, 1050, 1030, ZeroElement());
  Build(1050, 1030.5);
  ExpectLinesOffsetOutline(tool_.Elements, Rectangle(1010, 1010, 80, 30));
}

TEST_F(OffsetOutline, NoPickedLineBuildsNothing) {
  tool_.Elements.assign(2, ZeroElement());
  tool_.AddPoint(1, 1, 0, 0, PickedCircle(0, 0, 10));
  Build(20, 20);
  EXPECT_TRUE(tool_.Elements.empty());
}

TEST_F(OffsetOutline, InsideTestCountsRayCrossings) {
  PickRectangle(0, 0);
  EXPECT_TRUE(tool_.PointInsidePicks(40, 20, 60, 30));
  EXPECT_FALSE(tool_.PointInsidePicks(140, 20, 160, 30));
  EXPECT_FALSE(tool_.PointInsidePicks(40, 60, 60, 70));
}

TEST(ArcChordPoints, StepsFromTheStartOrRoundTheWholeTurn) {
  struct Case {
    double start, end, from, step;
  } cases[] = {
      {0, 90, 0, 18},      // a quarter arc
      {270, 90, 270, 36},  // the end below the start: through 0
      {30, 30, 0, 72},     // equal angles: the whole circle from 0
  };
  std::vector<RPoint2D> points;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    TRenSunpoSenobj::ArcChordPoints(points, 5, 0, c.end, c.start, 1, 10, 3, 4);
    ASSERT_EQ(points.size(), 6u);
    for (int i = 0; i <= 5; ++i) {
      const double a = (c.from + i * c.step) * kRadOffsetOutline;
      EXPECT_NEAR(points[static_cast<std::size_t>(i)].x, 3 + 10 * std::cos(a), 1e-9);
      EXPECT_NEAR(points[static_cast<std::size_t>(i)].y, 4 + 10 * std::sin(a), 1e-9);
    }
  }
}

}  // namespace
