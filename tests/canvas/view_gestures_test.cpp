// Two-button view gestures sent as real mouse events: the views they give,
// worked out by hand from the view window before the gesture.

#include <cmath>

#include "dispatch_fixture.h"

namespace {

TEST_F(DispatchTest, BothButtonsClickedInPlacePanTowardsThePressPoint) {
  const RPoint2D centre = box->ViewCentre;
  const double px = WorldX(500), py = WorldY(100);
  int banGoClicks = 0;
  box->BanGo_Click = [&](TcadBox&, Sbuttontype, int&, int, int) { ++banGoClicks; };
  Press(Qt::LeftButton, Qt::LeftButton, {500, 100});
  EXPECT_EQ(box->ViewGestureState, 0) << "one button is no gesture";
  Press(Qt::RightButton, Qt::LeftButton | Qt::RightButton, {500, 100});
  EXPECT_EQ(box->ViewGestureState, 4);
  Move(Qt::LeftButton | Qt::RightButton, {510, 110});  // within 16 pixels: still a pan
  EXPECT_EQ(box->ViewGestureState, 4);
  Release(Qt::LeftButton, Qt::RightButton, {510, 110});
  EXPECT_EQ(box->ViewGestureState, 4) << "one button is still held";
  const bool toggle = box->PreviousViewToggle;
  Release(Qt::RightButton, Qt::NoButton, {510, 110});
  EXPECT_EQ(box->ViewGestureState, 0);
  EXPECT_EQ(box->TwoButtonGesture, 0);
  EXPECT_NEAR(box->ViewCentre.x, centre.x + 0.8 * (px - centre.x), 1e-9);
  EXPECT_NEAR(box->ViewCentre.y, centre.y + 0.8 * (py - centre.y), 1e-9);
  EXPECT_NE(box->PreviousViewToggle, toggle);
  EXPECT_EQ(banGoClicks, 2) << "both releases, the one that ends the gesture included";
}

TEST_F(DispatchTest, ADragDownAndRightZoomsToTheRectangleItSpans) {
  const double x1 = WorldX(100), y1 = WorldY(100), x2 = WorldX(300), y2 = WorldY(250);
  const double zoom = box->Zoom;
  const bool toggle = box->PreviousViewToggle;
  TwoButtonDrag({100, 100}, {300, 250});
  // 200 x 150 pixels of a 640 x 480 control: 3.2 times in both directions.
  EXPECT_NEAR(box->Zoom, zoom * 3.2, 1e-9);
  EXPECT_NEAR(box->ViewCentre.x, (x1 + x2) / 2, 1e-9);
  EXPECT_NEAR(box->ViewCentre.y, (y1 + y2) / 2, 1e-9);
  EXPECT_NE(box->PreviousViewToggle, toggle);
  EXPECT_EQ(box->ViewGestureState, 0);
}

TEST_F(DispatchTest, TheZoomRectangleIsShownWhileTheDragPointsThatWay) {
  box->RedrawAll(false);
  Press(Qt::LeftButton, Qt::LeftButton, {100, 100});
  Press(Qt::RightButton, Qt::LeftButton | Qt::RightButton, {100, 100});
  Move(Qt::LeftButton | Qt::RightButton, {300, 250});
  EXPECT_EQ(box->ViewGestureState, 1);
  EXPECT_NE(canvas().GetPixel(200, 100), clBlack) << "top side of the rectangle";
  // Turning to the up-right (whole paper) erases it.
  Move(Qt::LeftButton | Qt::RightButton, {300, 20});
  EXPECT_EQ(canvas().GetPixel(200, 100), clBlack);
  EXPECT_EQ(canvas().GetPixel(200, 250), clBlack);
  EXPECT_EQ(canvas().Pen.Mode, pmCopy);
}

TEST_F(DispatchTest, TheTopLeftCaptionShowsWhileTheGestureRuns) {
  box->RedrawAll(false);
  // The caption box is pale yellow, RGB(255, 255, 180), from pixel (5, 3).
  const TColor caption = 0xB4FFFF;
  Press(Qt::LeftButton, Qt::LeftButton, {200, 200});
  EXPECT_EQ(canvas().GetPixel(6, 4), clBlack) << "one button is no gesture";
  Press(Qt::RightButton, Qt::LeftButton | Qt::RightButton, {200, 200});
  EXPECT_EQ(canvas().GetPixel(6, 4), caption) << "a pan to begin with";
  box->RedrawAll(false);
  Move(Qt::LeftButton | Qt::RightButton, {100, 300});  // down-left: the previous view
  EXPECT_EQ(canvas().GetPixel(6, 4), caption);
}

TEST_F(DispatchTest, ADragAlongTheHorizontalToTheRightKeepsTheView) {
  const RViewRect before = box->ViewWindow;
  TwoButtonDrag({100, 100}, {300, 100});  // zoom window without height
  EXPECT_EQ(box->ViewWindow.Left, before.Left);
  EXPECT_EQ(box->ViewWindow.Top, before.Top);
}

TEST_F(DispatchTest, StepZoomOutsWidenTheWindowByTenTwentyThirty) {
  for (int step = 1; step <= 3; ++step) {
    const RViewRect v = box->ViewWindow;
    const double d = 10.0 * step;
    TwoButtonDrag({300, 240}, {200, 240});  // straight left
    EXPECT_EQ(box->StepZoomCount, step);
    // The requested window fits, touching on one pair of sides.
    const RViewRect& w = box->ViewWindow;
    const double wantW = v.Right - v.Left + 2 * d, wantH = v.Top - v.Bottom + 2 * d;
    const double gotW = w.Right - w.Left, gotH = w.Top - w.Bottom;
    EXPECT_GE(gotW + 1e-9, wantW);
    EXPECT_GE(gotH + 1e-9, wantH);
    EXPECT_TRUE(std::abs(gotW - wantW) < 1e-9 || std::abs(gotH - wantH) < 1e-9);
  }
  TwoButtonDrag({300, 240}, {310, 245});  // a pan keeps the count
  EXPECT_EQ(box->StepZoomCount, 3);
  TwoButtonDrag({300, 240}, {400, 100});  // up and right: the whole paper
  EXPECT_EQ(box->StepZoomCount, 0);
}

TEST_F(DispatchTest, UpRightFitsThePaperAndUpLeftZoomsOut) {
  // A0 on 640 x 480 pixels at 96 dpi: the width decides.
  const double widthMm = 640 / kDispatchPxPerMm;
  box->Zoom = 5;
  TwoButtonDrag({300, 240}, {400, 100});
  EXPECT_NEAR(box->Zoom, widthMm / 1189 * 0.98, 1e-12);
  TwoButtonDrag({300, 240}, {200, 100});  // up-left, 54 degrees past the vertical: sector 3
  EXPECT_NEAR(box->Zoom, widthMm / 1189 * 0.44, 1e-12);
}

TEST_F(DispatchTest, TheUpwardLineSelectionOnlyAsksTheHost) {
  box->Upsensentaku = true;
  const RViewRect before = box->ViewWindow;
  int seen = 0;
  box->BanGo_Click = [&](TcadBox&, Sbuttontype, int& genBan, int, int) { seen = genBan; };
  TwoButtonDrag({300, 300}, {300, 200});  // 100 pixels straight up
  EXPECT_EQ(seen, 38);
  EXPECT_EQ(box->ViewWindow.Left, before.Left);
  EXPECT_EQ(box->ViewWindow.Bottom, before.Bottom);
  // Without the setting the same drag fits the paper.
  box->Upsensentaku = false;
  box->Zoom = 5;
  TwoButtonDrag({300, 300}, {300, 200});
  EXPECT_NEAR(box->Zoom, 640 / kDispatchPxPerMm / 1189 * 0.98, 1e-12);
}

TEST_F(DispatchTest, AReleaseWithAltHeldDoesNotEndTheGesture) {
  Press(Qt::LeftButton, Qt::LeftButton, {100, 100});
  Press(Qt::RightButton, Qt::LeftButton | Qt::RightButton, {100, 100});
  Release(Qt::LeftButton, Qt::RightButton, {100, 100});
  Release(Qt::RightButton, Qt::NoButton, {100, 100}, Qt::AltModifier);
  EXPECT_EQ(box->ViewGestureState, 4);
  EXPECT_EQ(box->TwoButtonGesture, 1);
  Press(Qt::LeftButton, Qt::LeftButton, {100, 100});  // a single-button press clears it
  EXPECT_EQ(box->ViewGestureState, 0);
  EXPECT_EQ(box->TwoButtonGesture, 0);
}

TEST_F(DispatchTest, TwoPreviousViewGesturesAlternateBetweenTheLastTwoViews) {
  TwoButtonDrag({100, 100}, {300, 250});  // zoom in: view Z1
  const RViewRect z1 = box->ViewWindow;
  TwoButtonDrag({100, 100}, {400, 300});  // zoom in again: view Z2
  const RViewRect z2 = box->ViewWindow;
  TwoButtonDrag({300, 300}, {200, 400});  // down-left: previous view
  EXPECT_NEAR(box->ViewWindow.Left, z1.Left, 1e-9);
  EXPECT_NEAR(box->ViewWindow.Top, z1.Top, 1e-9);
  TwoButtonDrag({300, 300}, {200, 400});
  EXPECT_NEAR(box->ViewWindow.Left, z2.Left, 1e-9);
  EXPECT_NEAR(box->ViewWindow.Top, z2.Top, 1e-9);
}

TEST_F(DispatchTest, AViewChangeTellsTheRowOfTheRunningMode) {
  int told = 0;
  RHandlerSet set{"texts", {dtMozi}};
  set.Hooks.AfterViewGesture = [&](TcadBox&) { ++told; };
  CommandRegistry().AddHandlerSet(set);
  box->ButonType = dtMozi;
  TwoButtonDrag({300, 240}, {305, 240});  // pan
  EXPECT_EQ(told, 1);
  TwoButtonDrag({100, 100}, {300, 250});  // zoom window: the view changes without a notice
  EXPECT_EQ(told, 1);
  box->ButonType = dtNo;
  TwoButtonDrag({300, 240}, {305, 240});
  EXPECT_EQ(told, 1);
}

}  // namespace
