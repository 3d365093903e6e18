// The harness's screen check must be able to fail: a stray pixel, a
// preview left behind and a whole paint nobody asked for are each caught.

#include <gtest/gtest-spi.h>

#include "support/command_harness.h"

namespace {

class HarnessScreenCheck : public CommandHarness {};

TEST_F(HarnessScreenCheck, PassesOnAFreshPicture) {
  Seed({Line(10, 10, 60, 40)});
  ExpectScreenMatchesRedraw();
}

TEST_F(HarnessScreenCheck, AStrayPixelAfterACommitFails) {
  Box().ButonType = dtDraf;
  Click(10, 10);
  Click(60, 40);
  ASSERT_EQ(Elements().size(), 1u);
  // A pixel no redraw puts there, far from the line.
  Box().Canvas().SetPixel(PixelX(100), PixelY(80), 0x00FFFFFF);
  EXPECT_NONFATAL_FAILURE(ExpectScreenMatchesRedraw(), "1 pixels differ");
}

TEST_F(HarnessScreenCheck, APreviewLeftAfterACancelFails) {
  // The rectangle's rubber band has no cancel phase: it stays on the
  // screen until the next redraw, which the check must see.
  Box().ButonType = dtBox;
  Click(20, 20);
  MoveTo(40, 30);
  CancelCommands();
  EXPECT_NONFATAL_FAILURE(ExpectScreenMatchesRedraw(), "pixels differ from a fresh redraw");
}

TEST_F(HarnessScreenCheck, AWholePaintNoInputAskedForFails) {
  Seed({Line(10, 10, 60, 40)});
  Box().Invalidate();
  EXPECT_NONFATAL_FAILURE(ExpectScreenMatchesRedraw(), "a paint of the whole control is waiting");
}

TEST_F(HarnessScreenCheck, AWholePaintAppliedBeforeLookingPasses) {
  Seed({Line(10, 10, 60, 40)});
  Box().Invalidate();
  ApplyPendingPaint();
  ExpectScreenMatchesRedraw();
}

}  // namespace
