// The arc-end rule: which end turns to the new direction, at the limits of
// its plain (unwrapped) angle differences.

#include "tools/edit/arc_end_rule.h"

#include <gtest/gtest.h>

namespace {

TEST(ArcEndRule, PicksTheEndByThePlainDifferenceOfTheDirections) {
  struct Case {
    double pick, crossing;
    bool endMoves;
  };
  const Case cases[] = {
      {10, 50, true},      // anticlockwise of the pick
      {10, 280, true},     // 270 exactly: still anticlockwise
      {10, 280.5, false},  // more than 270 ahead: really just behind the pick
      {50, 10, false},     // clockwise of the pick
      {290, 20, false},    // 270 exactly behind: clockwise
      {350, 10, true},     // 340 behind: just ahead across 0
      {40, 40, false},     // the same direction moves the start
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.pick << " -> " << c.crossing);
    RToolArc arc;
    arc.StartAngle = 1;
    arc.EndAngle = 2;
    ApplyArcEndRule(arc, c.pick, c.crossing);
    EXPECT_EQ(arc.StartAngle, c.endMoves ? 1 : c.crossing);
    EXPECT_EQ(arc.EndAngle, c.endMoves ? c.crossing : 2);
  }
}

TEST(ArcEndRule, TheNewAngleIsTakenLessTheRotationAndWrappedOnce) {
  RToolArc arc;
  arc.Rotation = 30;
  ApplyArcEndRule(arc, 0, 20);  // end := 20 - 30 wrapped to 350
  EXPECT_EQ(arc.EndAngle, 350);
  arc.Rotation = -30;
  ApplyArcEndRule(arc, 0, 340);  // start := 370 wrapped to 10
  EXPECT_EQ(arc.StartAngle, 10);
}

}  // namespace
