// Leaves between stop blocks in a wall, kind 61: golden tables at one and
// two units, and the boxes.

#include <gtest/gtest.h>

#include "figures/fittings/fitting_checks.h"

namespace {

class StoppedLeavesTest : public FittingTest {
 protected:
  // The width of the offset box: code 4 puts the base point at its centre.
  double BoxWidth(std::uint8_t kind) {
    DraftDefaults.FigureBasePoint = 4;
    Build(kind);
    DraftDefaults.FigureBasePoint = 2;
    return -2 * fig_.OffsetX;
  }
};

// W 100, T 20 (middle 10), E 8, G 10; the bare 12.5, 15, 20, 25 and 180 of
// the kind are 1.25, 1.5, 2, 2.5 and 18 at scale 10.
TEST_F(StoppedLeavesTest, Kind61OneUnit) {
  Build(61);
  ASSERT_EQ(Out().size(), 22u);
  ExpectLines(0, {{0, 0, -9.5, 0},
                  {0, 20, -9.5, 20},
                  {-1.5, 0, -1.5, 20},
                  {-1.5, 12.5, 2.5, 12.5},
                  {-1.5, 10, 2.5, 10},
                  {2.5, 10, 2.5, 12.5},
                  {48, 7.5, 52, 7.5},
                  {48, 10, 52, 10},
                  {48, 12.5, 52, 12.5},
                  {48, 7.5, 48, 12.5},
                  {52, 7.5, 52, 12.5},
                  {50, -8, 50, 28},
                  {100, 0, 109.5, 0},
                  {100, 20, 109.5, 20},
                  {101.5, 0, 101.5, 20},
                  {101.5, 10, 97.5, 10},
                  {101.5, 7.5, 97.5, 7.5},
                  {97.5, 10, 97.5, 7.5},
                  {2.5, 11.25, 48, 11.25},
                  {52, 8.75, 97.5, 8.75},
                  {0, 20, 100, 20, true},
                  {0, 0, 100, 0, true}});
  EXPECT_DOUBLE_EQ(BoxWidth(61), 100);
}

// The first unit's right wall spans the gap; the last unit has no left wall.
TEST_F(StoppedLeavesTest, Kind61TwoUnitsCloseTheGapFromTheFirst) {
  FittingDefaults.FitLeafCount = 2;
  Build(61);
  ASSERT_EQ(Out().size(), 42u);  // 22 + 20
  ExpectLines(12, {{100, 0, 110, 0}, {100, 20, 110, 20}});
  ExpectLines(22, {{108.5, 0, 108.5, 20}, {108.5, 12.5, 112.5, 12.5}});
  ExpectLines(32, {{210, 0, 219.5, 0}, {210, 20, 219.5, 20}});
  ExpectLines(40, {{110, 20, 210, 20, true}, {110, 0, 210, 0, true}});
  EXPECT_DOUBLE_EQ(BoxWidth(61), 210);  // 2 x 100 + 10
}

}  // namespace
