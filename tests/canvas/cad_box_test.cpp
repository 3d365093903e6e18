// The control's starting state, the view and its navigation.

#include <QImage>

#include <cmath>
#include <filesystem>

#include "canvas_fixture.h"
#include "geometry/codepage.h"
#include "pixel_view.h"

namespace {

constexpr double kPxPerMm = 96 / 25.4;

TEST_F(CanvasTest, StartsWithItsDefaultsAndTheA0SheetFitted) {
  TcadBox fresh;
  EXPECT_EQ(fresh.ButonType, dtDraf);
  EXPECT_EQ(fresh.DridoL1, 0);
  EXPECT_EQ(fresh.Color(), clWindow);
  EXPECT_EQ(fresh.Width(), 640);
  EXPECT_EQ(fresh.Height(), 480);
  EXPECT_EQ(fresh.SavedMode, dtNo);
  EXPECT_EQ(fresh.PendingGesture, dtNo);
  // 640 x 480 is narrower than A0's proportions: the width decides.
  const double cW = 640 / kPxPerMm;
  EXPECT_NEAR(fresh.Zoom, cW / 1189 * 0.99, 1e-12);
  EXPECT_NEAR(fresh.ViewCentre.x, 594.5, 1e-9);
  EXPECT_NEAR(fresh.ViewCentre.y, 420.5, 1e-9);
  // The styles: 0 grey 2.0 mm, 11 blue 6.0 mm with 0.5 mm spacing, all Mincho.
  EXPECT_EQ(Value(fresh.TextStyles[0].TextColor), 0x808080);
  EXPECT_EQ(Value(fresh.TextStyles[0].Height), 20);
  EXPECT_EQ(Value(fresh.TextStyles[11].TextColor), 0xFF0000);
  EXPECT_EQ(Value(fresh.TextStyles[11].Height), 60);
  EXPECT_EQ(Value(fresh.TextStyles[11].Spacing), 5);
  EXPECT_EQ(FaceNameOf(fresh.TextStyles[5]), J("ＭＳ 明朝"));
  EXPECT_EQ(FaceNameOf(fresh.Draw1->TextStyles[11]), J("ＭＳ 明朝")) << "the store has its own copy";
  EXPECT_EQ(fresh.ColourTable[0], 0x4080FFu);
  EXPECT_EQ(fresh.GroupScales[2], 30);
  EXPECT_EQ(fresh.GroupScales[15], 1.0);
  EXPECT_EQ(fresh.PaperSizes[3].Height, 298);
  EXPECT_EQ(fresh.Draw1->LayerState(15, 15), kLayerEditable);
}

TEST_F(CanvasTest, FitsThePaperIntoAWideControl) {
  box->SetSize(696, 353);  // a resize fits with the margin 0.98
  const double cW = 696 / kPxPerMm, cH = 353 / kPxPerMm;
  EXPECT_NEAR(cW, 184.15, 0.005);
  EXPECT_NEAR(cH, 93.40, 0.005);
  EXPECT_NEAR(box->Zoom, cH / 841 * 0.98, 1e-12);
  EXPECT_NEAR(box->Zoom, 0.1088, 0.0001);
  // Centred with equal margins.
  EXPECT_NEAR(box->ViewWindow.Left + box->ViewWindow.Right, 1189, 1e-9);
  EXPECT_NEAR(box->ViewWindow.Bottom + box->ViewWindow.Top, 841, 1e-9);
  EXPECT_NEAR((box->ViewWindow.Top - box->ViewWindow.Bottom) * box->Zoom, cH, 1e-9);
  // The paper's corners land where the window says.
  EXPECT_EQ(box->WorldToScreenX(box->ViewWindow.Left), 0);
  EXPECT_EQ(box->WorldToScreenY(box->ViewWindow.Bottom), 353);
  RPoint2D p;
  box->ScreenToWorld(0, 353, p);
  EXPECT_NEAR(p.x, box->ViewWindow.Left, 1e-9);
  EXPECT_NEAR(p.y, box->ViewWindow.Bottom, 1e-9);
}

TEST_F(CanvasTest, PageUpThenPageDownRestoresTheView) {
  const RViewRect before = box->ViewWindow;
  const double zoom = box->Zoom;
  std::uint16_t up = VK_PRIOR, down = VK_NEXT;
  EXPECT_TRUE(box->ChildKey(up, 0));
  EXPECT_NEAR(box->Zoom, zoom * 1.2, 1e-12);
  EXPECT_TRUE(box->ChildKey(down, 0));
  EXPECT_NEAR(box->Zoom, zoom, 1e-12);
  EXPECT_NEAR(box->ViewWindow.Left, before.Left, 1e-9);
  EXPECT_NEAR(box->ViewWindow.Top, before.Top, 1e-9);
  std::uint16_t other = 'A';
  EXPECT_FALSE(box->ChildKey(other, 0)) << "other keys pass on";
}

TEST_F(CanvasTest, ArrowKeysPanByTwentyFiveScreenMillimetres) {
  struct Case {
    std::int32_t acceleration;
    double factor;
  };
  for (const Case c : {Case{0, 1.0}, Case{3, 1.45}, Case{6, 1.8}, Case{7, 1.0}}) {
    box->key_kasoku = c.acceleration;
    const double left = box->ViewWindow.Left, bottom = box->ViewWindow.Bottom;
    std::uint16_t right = VK_RIGHT, upKey = VK_UP;
    box->ChildKey(right, 0);
    box->ChildKey(upKey, 0);
    EXPECT_NEAR(box->ViewWindow.Left - left, 25 / box->Zoom * c.factor, 1e-9) << c.acceleration;
    EXPECT_NEAR(box->ViewWindow.Bottom - bottom, 25 / box->Zoom * c.factor, 1e-9) << c.acceleration;
  }
}

TEST_F(CanvasTest, WheelZoomKeepsThePointUnderTheCursorInItsColumn) {
  box->CursorWorldPos = {300, 200};
  const int column = box->WorldToScreenX(300);
  const double zoom = box->Zoom;
  box->DoMouseWheel(0, -120, TPoint{0, 0});  // towards the user: zoom in
  EXPECT_NEAR(box->Zoom, zoom * 1.2, 1e-9);
  EXPECT_NEAR(box->WorldToScreenX(300), column, 1);
  EXPECT_EQ(box->Hint(), "  " + J("拡大表示"));
  box->scl_han = true;
  box->DoMouseWheel(0, -120, TPoint{0, 0});
  EXPECT_NEAR(box->Zoom, zoom, 1e-9) << "the direction inverted";

  box->WheelMode = 1;
  const double bottom = box->ViewWindow.Bottom;
  box->DoMouseWheel(0, 120, TPoint{0, 0});
  EXPECT_NEAR(box->ViewWindow.Bottom - bottom, 50 / box->Zoom, 1e-9);
  EXPECT_EQ(box->Hint(), "  " + J("↑上移動"));
  box->WheelMode = 2;
  const double left = box->ViewWindow.Left;
  box->DoMouseWheel(0, -120, TPoint{0, 0});
  EXPECT_NEAR(box->ViewWindow.Left - left, 50 / box->Zoom, 1e-9);
}

TEST_F(CanvasTest, WheelZoomMovesTheCentreTowardsOrAwayFromTheCursor) {
  // One pixel per unit: the view is 0..640 x 0..480, centre (320, 240), and
  // the cursor at (300, 140). With factor f and t = (f - 1) / 2 the new
  // window runs, zooming out, from cx - (cx - left) f to cx + (right - cx) f
  // across, cx = 300, and from cy - (top - cy) f to cy + (cy - bottom) f
  // up, cy = 240 + (240 - 140) t; zooming in, f divides and
  // cy = 240 + (140 - 240) t.
  struct Case {
    std::int32_t step;
    int delta;
    double zoomRatio, cx, cy;
  };
  const Case cases[] = {
      // f 1.2, out: cy 250; x -60..708, y -26..550.
      {0, 120, 1 / 1.2, 324, 262},
      // f 1.2, in: cy 230; x 50..583.333, y 21.667..421.667.
      {0, -120, 1.2, 316.0 + 2.0 / 3, 221.0 + 2.0 / 3},
      // f 1.5, out: cy 265; x -150..810, y -57.5..662.5.
      {6, 120, 1 / 1.5, 330, 302.5},
      // f 1.5, in: cy 215; x 100..526.667, y 38.333..358.333.
      {6, -120, 1.5, 313.0 + 1.0 / 3, 198.0 + 1.0 / 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step * 1000 + c.delta);
    SetPixelView(*box, 1.0);
    const double zoom = box->Zoom;
    box->Wheel_kasoku = c.step;
    box->CursorWorldPos = {300, 140};
    box->DoMouseWheel(0, c.delta, TPoint{0, 0});
    EXPECT_NEAR(box->Zoom, zoom * c.zoomRatio, 1e-9);
    EXPECT_NEAR(box->ViewCentre.x, c.cx, 1e-9);
    EXPECT_NEAR(box->ViewCentre.y, c.cy, 1e-9);
  }
}

TEST_F(CanvasTest, ZoomStopsAtItsLimits) {
  box->ZoomToWindow(10, 10.0001, 10.0001, 10);
  EXPECT_EQ(box->Zoom, kMaxZoom);
  const double zoom = box->Zoom;
  box->ZoomToWindow(5, 5, 5, 6);  // no width: nothing changes
  EXPECT_EQ(box->Zoom, zoom);

  // A picture shown on an editable layer limits the zoom to 20 x 594 / 1189.
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "zuro_zoom_limit.bmp";
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::white);
  ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "BMP"));
  ASSERT_TRUE(box->Draw1->InsertPicture(0, 0, 0, 0, 10, 10, file.string(), 0, false));
  std::filesystem::remove(file);
  box->ZoomToWindow(10, 10.0001, 10.0001, 10);
  EXPECT_NEAR(box->Zoom, 20.0 * 594 / 1189, 1e-12);
  box->Draw1->LayerStates[0] = kLayerReference;
  box->ZoomToWindow(10, 10.0001, 10.0001, 10);
  EXPECT_EQ(box->Zoom, kMaxZoom) << "a picture on a reference layer does not count";
}

TEST_F(CanvasTest, FixedViewSurvivesResizesWhileKept) {
  box->ZoomToWindow(100, 300, 300, 100);
  const RFixedView kept = box->FixedView;
  EXPECT_NEAR(kept.CentreX, 200, 1e-9);  // the middle of 100..300 both ways
  EXPECT_NEAR(kept.CentreY, 200, 1e-9);
  box->View_hani_Kotei = true;
  box->ZoomToWindow(0, 50, 50, 0);
  EXPECT_EQ(box->FixedView.Zoom, kept.Zoom) << "frozen while kept";
  box->SetSize(700, 500);
  EXPECT_EQ(box->Zoom, kept.Zoom);
  EXPECT_EQ(box->ViewCentre.x, kept.CentreX);
  EXPECT_NEAR(box->ViewCentre.y, 200, 1e-9);
  box->View_hani_Kotei = false;
  box->SetSize(640, 480);
  EXPECT_NEAR(box->ViewCentre.x, 594.5, 1e-9) << "fitted again";
}

TEST_F(CanvasTest, RememberedViewsAlternateWithTheToggle) {
  box->PreviousViewToggle = false;
  box->ZoomToWindow(0, 100, 100, 0);
  const RViewRect first = box->PreviousViewB;
  EXPECT_EQ(first.Left, box->ViewWindow.Left);
  box->PreviousViewToggle = true;
  box->PanTowards(500, 500);
  EXPECT_EQ(box->PreviousViewA.Left, box->ViewWindow.Left);
  EXPECT_EQ(box->PreviousViewB.Left, first.Left);
  const double left = box->ViewWindow.Left;
  box->PanView(10, 0);
  EXPECT_EQ(box->ViewWindow.Left, left + 10);
  EXPECT_EQ(box->PreviousViewA.Left, left) << "a plain pan remembers nothing";
}

}  // namespace
