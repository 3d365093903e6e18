// The centre line between two picked things.

#include "tools/lines/centre_line.h"

#include <gtest/gtest.h>

#include <cmath>

#include "dimension_replay.h"

namespace {

constexpr double kRadCentreLine = 3.14159265358979323846 / 180.0;

RDimensionPick Picked(const RDrawElement& e) { return {1, 1, e}; }
RDimensionPick Free() { return {1, 0, ZeroElement()}; }

// M and the direction of the computed centre line.
void ExpectCentreLine(const TCyuusinzaobj& c, RPoint2D m, double direction) {
  EXPECT_NEAR(c.CentreX, m.x, 1e-9);
  EXPECT_NEAR(c.CentreY, m.y, 1e-9);
  EXPECT_NEAR(c.DirX, m.x + 100 * std::cos(direction * kRadCentreLine), 1e-9);
  EXPECT_NEAR(c.DirY, m.y + 100 * std::sin(direction * kRadCentreLine), 1e-9);
}

struct RatioCase {
  const char* what;
  RDimensionPick pick1;
  RPoint2D p1;
  RPoint2D p2;
  RDimensionPick pick2;
  std::uint8_t mode;
  // M at ratios 0, 0.5 and 1 and the directions there.
  RPoint2D m[3];
  double direction[3];
};

TEST(CentreLine, ComputeAtRatiosZeroHalfAndOne) {
  const RDrawElement x0 = LineElement(0, 0, 10, 0);            // y = 0
  const RDrawElement y10 = LineElement(0, 10, 10, 10);         // y = 10
  const RDrawElement horizontal = LineElement(-8, 3, 12, 3);   // through (2, 3)
  const RDrawElement vertical = LineElement(2, -7, 2, 13);     // through (2, 3)
  const RDrawElement vertical10 = LineElement(10, -5, 10, 5);  // x = 10
  const RDrawElement c1 = PickedCircle(0, 0, 2);
  const RDrawElement c2 = PickedCircle(10, 0, 3);
  const RDrawElement inner = PickedCircle(0, 0, 6);
  const RDrawElement above = PickedCircle(5, 10, 4);
  const RDrawElement right = PickedCircle(10, 0, 4);
  const RDrawElement dot = LineElement(4, 4, 4, 4);
  const RatioCase cases[] = {
      // The perpendicular bisector of two points at 0.5.
      {"two points", Free(), {0, 0}, {10, 0}, Free(), 4, {{0, 0}, {5, 0}, {10, 0}}, {90, 90, 90}},
      // Crossing at (2, 3): the feet (7, 3) at 0 degrees and (2, 8) at 90;
      // the line turns from the first to the second through the angle
      // holding them.
      {"crossing lines",
       Picked(horizontal),
       {7, 3},
       {2, 8},
       Picked(vertical),
       1,
       {{2, 3}, {2, 3}, {2, 3}},
       {0, 45, 90}},
      // From the first line's first point to its foot on the second.
      {"parallel lines", Picked(x0), {3, 0}, {3, 10}, Picked(y10), 1, {{0, 0}, {0, 5}, {0, 10}}, {0, 0, 0}},
      // Facing points (2, 0) and (7, 0).
      {"two circles", Picked(c1), {2, 0}, {7, 0}, Picked(c2), 1, {{2, 0}, {4.5, 0}, {7, 0}}, {90, 90, 90}},
      // One centre: the facing points lie at 0 degrees, (2, 0) and (6, 0).
      {"concentric circles", Picked(c1), {0, 2}, {0, 6}, Picked(inner), 1, {{2, 0}, {4, 0}, {6, 0}}, {90, 90, 90}},
      // Foot (5, 0) of the centre, facing point (5, 6).
      {"line and circle", Picked(x0), {5, 0}, {5, 6}, Picked(above), 1, {{5, 0}, {5, 3}, {5, 6}}, {180, 180, 180}},
      {"circle and line", Picked(above), {5, 6}, {5, 0}, Picked(x0), 1, {{5, 6}, {5, 3}, {5, 0}}, {180, 180, 180}},
      // A free point and the circle's facing point (6, 0).
      {"point and circle", Free(), {0, 0}, {6, 0}, Picked(right), 2, {{0, 0}, {3, 0}, {6, 0}}, {90, 90, 90}},
      {"point and line", Free(), {0, 0}, {10, 1}, Picked(vertical10), 2, {{0, 0}, {5, 0}, {10, 0}}, {90, 90, 90}},
      // Only the first picked: 0 lies at the free point.
      {"circle and point", Picked(right), {6, 0}, {0, 0}, Free(), 3, {{6, 0}, {3, 0}, {0, 0}}, {90, 90, 90}},
      {"line and point", Picked(vertical10), {10, 1}, {0, 0}, Free(), 3, {{0, 0}, {5, 0}, {10, 0}}, {90, 90, 90}},
      // A line of one point: that point is its foot.
      {"line of one point and point",
       Picked(dot),
       {4, 4},
       {0, 0},
       Free(),
       3,
       {{0, 0}, {2, 2}, {4, 4}},
       {135, 135, 135}},
  };
  const double ratios[] = {0, 0.5, 1};
  for (const RatioCase& c : cases) {
    SCOPED_TRACE(c.what);
    TCyuusinzaobj tool(c.pick1, c.p1.x, c.p1.y, c.p2.x, c.p2.y, c.pick2);
    EXPECT_EQ(+tool.Mode, c.mode);
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(ratios[i]);
      tool.Compute(ratios[i]);
      ExpectCentreLine(tool, c.m[i], c.direction[i]);
    }
  }
}

TEST(CentreLine, CrossingLinesTakeTheShorterTurn) {
  // Feet at 350 and 10 degrees from the crossing at the origin: the
  // bisector runs at 0, not at 180.
  const RDrawElement a = LineElement(0, 0, std::cos(-10 * kRadCentreLine), std::sin(-10 * kRadCentreLine));
  const RDrawElement b = LineElement(0, 0, std::cos(10 * kRadCentreLine), std::sin(10 * kRadCentreLine));
  TCyuusinzaobj tool(Picked(a), 10 * std::cos(-10 * kRadCentreLine), 10 * std::sin(-10 * kRadCentreLine),
                     10 * std::cos(10 * kRadCentreLine), 10 * std::sin(10 * kRadCentreLine), Picked(b));
  tool.Compute(0.5);
  EXPECT_NEAR(std::remainder(std::atan2(tool.DirY - tool.CentreY, tool.DirX - tool.CentreX) / kRadCentreLine, 360.0),
              0.0, 1e-9);
}

TEST(CentreLine, FeetOnTheCentreLineAndItsOffsets) {
  // Two parallels 10 apart picked square across: the offsets at 5 either
  // side of the midway line are the picked lines themselves.
  TCyuusinzaobj tool(Picked(LineElement(0, 0, 10, 0)), 3, 0, 3, 10, Picked(LineElement(0, 10, 10, 10)));
  tool.Compute(0.5);
  tool.FootOnCentreLine(4, 7);
  EXPECT_NEAR(tool.FootX, 4, 1e-9);
  EXPECT_NEAR(tool.FootY, 5, 1e-9);
  tool.FeetOnOffsetLines(4, 7);
  // The centre line runs at 0 degrees: its right is below.
  EXPECT_NEAR(tool.RightFootX, 4, 1e-9);
  EXPECT_NEAR(tool.RightFootY, 0, 1e-9);
  EXPECT_NEAR(tool.LeftFootX, 4, 1e-9);
  EXPECT_NEAR(tool.LeftFootY, 10, 1e-9);
  // Two points: the bisector x = 5 runs up, so its right is x = 10.
  TCyuusinzaobj points(Free(), 0, 0, 10, 0, Free());
  points.Compute(0.5);
  points.FeetOnOffsetLines(3, 7);
  EXPECT_NEAR(points.RightFootX, 10, 1e-9);
  EXPECT_NEAR(points.RightFootY, 7, 1e-9);
  EXPECT_NEAR(points.LeftFootX, 0, 1e-9);
  EXPECT_NEAR(points.LeftFootY, 7, 1e-9);
}

}  // namespace
