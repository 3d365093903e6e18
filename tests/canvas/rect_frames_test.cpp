// Rectangles turned about their first corner, checked on the control's
// image at one pixel per unit with the origin in the middle of the view.

#include "canvas_fixture.h"
#include "pixel_view.h"

namespace {

class RotatedRectTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    SetPixelView(*box, 1.0, -320, -240);
    box->Pentyp = 1;
    canvas().Brush.Color = clBlack;
    canvas().Brush.Style = bsSolid;
    canvas().FillRect(TRect{0, 0, box->Width(), box->Height()});
    canvas().Pen.Color = clWhite;
    canvas().Pen.Mode = pmCopy;
    canvas().Pen.Width = 1;
    canvas().Pen.Style = psSolid;
  }
};

TEST_F(RotatedRectTest, AllFourSidesOfARectangleAcrossTheOrigin) {
  // y runs from -50 to 50, so the two heights cancel out: the rectangle is
  // still 100 high and shows four sides.
  box->DrawRotatedRect(canvas(), -100, -50, 100, 50, 0);
  EXPECT_EQ(PixelAt(0, -50), clWhite);   // bottom
  EXPECT_EQ(PixelAt(0, 50), clWhite);    // top
  EXPECT_EQ(PixelAt(-100, 0), clWhite);  // left
  EXPECT_EQ(PixelAt(100, 0), clWhite);   // right
  EXPECT_EQ(PixelAt(0, 0), clBlack);
}

TEST_F(RotatedRectTest, TurnedAQuarterAboutItsFirstCorner) {
  // (-50, -50)-(50, 50) turned 90 degrees about (-50, -50): the corner
  // (50, -50) goes to (-50, 50), (-50, 50) to (-150, -50) and (50, 50) to
  // (-150, 50).
  box->DrawRotatedRect(canvas(), -50, -50, 50, 50, 90);
  EXPECT_EQ(PixelAt(-50, 0), clWhite);
  EXPECT_EQ(PixelAt(-150, 0), clWhite);
  EXPECT_EQ(PixelAt(-100, -50), clWhite);
  EXPECT_EQ(PixelAt(-100, 50), clWhite);
  EXPECT_EQ(PixelAt(0, 0), clBlack);
  EXPECT_EQ(PixelAt(50, 0), clBlack);
}

TEST_F(RotatedRectTest, AFlatRectangleIsOneLine) {
  box->DrawRotatedRect(canvas(), 20, 0, 20, 60, 0);  // no width
  EXPECT_EQ(PixelAt(20, 30), clWhite);
  box->DrawRotatedRect(canvas(), 0, -30, 80, -30, 0);  // no height
  EXPECT_EQ(PixelAt(40, -30), clWhite);
  box->DrawRotatedRect(canvas(), 100, 100, 100, 100, 0);  // neither: nothing
  EXPECT_EQ(PixelAt(100, 100), clBlack);
}

}  // namespace
