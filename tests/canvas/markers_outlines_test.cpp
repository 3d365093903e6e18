// Point markers sized by the zoom, their single-pixel colours, text outlines
// by angle and zoom and the filled text area, on the control's image.

#include <cmath>
#include <vector>

#include "canvas_fixture.h"
#include "pixel_view.h"

namespace {

class MarkerTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    Fill(canvas(), clBlack);
  }
  static void Fill(TCanvas& c, TColor colour) {
    c.Brush.Color = colour;
    c.Brush.Style = bsSolid;
    c.FillRect(TRect{0, 0, c.Width(), c.Height()});
    c.Brush.Style = bsClear;
    c.Pen.Color = clWhite;
    c.Pen.Mode = pmCopy;
    c.Pen.Width = 1;
    c.Pen.Style = psSolid;
  }
  int Differences(TCanvas& expected) {
    int count = 0;
    for (int y = 0; y < canvas().Height(); ++y) {
      for (int x = 0; x < canvas().Width(); ++x) count += canvas().GetPixel(x, y) != expected.GetPixel(x, y);
    }
    return count;
  }
  int Lit(TColor background = clBlack) {
    int count = 0;
    for (int y = 0; y < canvas().Height(); ++y) {
      for (int x = 0; x < canvas().Width(); ++x) count += canvas().GetPixel(x, y) != background;
    }
    return count;
  }
  bool Near(double x, double y, TColor colour) {
    const int px = box->WorldToScreenX(x), py = box->WorldToScreenY(y);
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (canvas().GetPixel(px + dx, py + dy) == colour) return true;
      }
    }
    return false;
  }
};

TEST_F(MarkerTest, MarkerCircleFollowsTheZoom) {
  struct Case {
    bool dots;
    double zoom;
    double radius;  // screen size: times 1 / zoom in drawing units
    double shift;
    int width;  // 0: nothing drawn
  };
  const Case cases[] = {
      {false, 0.2, 0, 0, 0},      {false, 0.25, 0.3, 0.12, 1}, {false, 1.0, 0.3, 0.12, 1}, {false, 2.0, 0.4, 0.12, 2},
      {false, 4.0, 0.4, 0.12, 2}, {false, 6.0, 0.5, 0, 2},     {false, 10.0, 0.65, 0, 3},  {false, 20.0, 0.8, 0, 3},
      {true, 1.0, 0.3, 0.12, 1},  {true, 2.5, 0.3, 0.12, 2},   {true, 3.5, 0.4, 0.12, 2},  {true, 0.19, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zoom);
    Fill(canvas(), clBlack);
    box->Dothyouzi = c.dots;
    SetPixelView(*box, c.zoom * 96 / 25.4);
    box->Zoom = c.zoom;  // exactly, for the bounds of the table
    const double x = box->ViewCentre.x, y = box->ViewCentre.y;
    box->DrawPointMark(5, canvas(), x, y);
    EXPECT_EQ(canvas().Pen.Width, 1);
    TCanvas expected(canvas().Width(), canvas().Height(), clBlack);
    Fill(expected, clBlack);
    if (c.width > 0) {
      const double r = c.radius / c.zoom, s = c.shift / c.zoom;
      const int left = box->WorldToScreenX(x - r + s), top = box->WorldToScreenY(y + r);
      const int right = box->WorldToScreenX(x + r + s), bottom = box->WorldToScreenY(y - r);
      expected.Pen.Width = c.width;
      expected.Arc(left, top, right, bottom, left, top, left, top);
      EXPECT_GT(Lit(), 0);
    }
    EXPECT_EQ(Differences(expected), 0);
  }
}

TEST_F(MarkerTest, SinglePixelMarkerColoursByCode) {
  box->Dothyouzi = true;
  SetPixelView(*box, 0.5 * 96 / 25.4);
  box->Sentakucol = 0x0000FF;
  box->Sentakucol2 = 0x00FF00;
  box->Sentakucol3 = 0xFF0000;
  box->ColourTable[0] = 0x4080FF;
  box->ColourTable[5] = 0xFF00FF;
  const TColor grey = 0x808080;  // the canvas before the marker
  struct Case {
    std::uint8_t code;
    TColor culled;    // through DrawPointMark
    TColor unculled;  // through DrawPointMarkUnculled
  };
  const Case cases[] = {
      {0, 0x0000FF, 0x4080FF}, {100, 0x0000FF, 0x0000FF}, {20, 0xFF0000, 0xFF0000}, {200, clBlack, clBlack},
      {210, clBlack, clBlack}, {220, grey, 0x00FF00},     {5, 0xFF00FF, 0xFF00FF},  {50, grey, grey},
  };
  const double x = box->ViewCentre.x, y = box->ViewCentre.y;
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code));
    Fill(canvas(), grey);
    box->DrawPointMark(c.code, canvas(), x, y);
    EXPECT_EQ(PixelAt(x, y), c.culled);
    EXPECT_EQ(Lit(grey), c.culled == grey ? 0 : 1);
    Fill(canvas(), grey);
    box->DrawPointMarkUnculled(c.code, canvas(), x, y);
    EXPECT_EQ(PixelAt(x, y), c.unculled);
  }
}

TEST_F(MarkerTest, OnlyTheUnculledMarkerShowsForAPointJustOutsideTheView) {
  SetPixelView(*box, 10 * 96 / 25.4);  // marker radius 0.065 units, about 2.5 pixels
  const double x = box->ViewWindow.Left - 0.02, y = box->ViewCentre.y;
  box->DrawPointMark(5, canvas(), x, y);
  EXPECT_EQ(Lit(), 0);
  box->DrawPointMarkUnculled(5, canvas(), x, y);
  EXPECT_GT(Lit(), 0);
}

TEST_F(MarkerTest, RedrawDrawsPointsByLayerStateAndSelection) {
  SetPixelView(*box, 10 * 96 / 25.4);
  box->Sentakucol = 0x0000FF;
  box->Sentakucol3 = 0xFF0000;
  const double y = box->ViewCentre.y, x0 = box->ViewCentre.x;
  RDrawElement plain = Point(x0 - 1, y);
  plain.ColorNo = 3;  // green
  RDrawElement selected = Point(x0, y);
  selected.Selection = 1;
  RDrawElement reference = Point(x0 + 1, y);
  reference.Layer = 1;
  box->Draw1->AddElement(plain);
  box->Draw1->AddElement(selected);
  box->Draw1->AddElement(reference);
  box->Draw1->LayerStates[1] = kLayerReference;
  box->RedrawAll(false);
  const double r = 0.065;  // radius at zoom 10
  EXPECT_TRUE(Near(x0 - 1 + r, y, 0x00FF00));
  EXPECT_TRUE(Near(x0 + r, y, 0x0000FF));
  EXPECT_TRUE(Near(x0 + 1 + r, y, 0xFF0000));
}

// A text from (100, 100) to (300, 100), 40 high, at one pixel per unit and
// the zoom of the case: the view is set so drawing units map to pixels.
TEST_F(MarkerTest, TextOutlineByAngleAndZoom) {
  struct Probe {
    double x, y;
  };
  struct Case {
    double zoom;
    double angle;
    double x2, y2;
    std::vector<Probe> lit;
    std::vector<Probe> dark;
  };
  const double d = 40 / std::sqrt(2.0);  // the 45-degree offsets
  const Case cases[] = {
      {0.3, 0, 300, 100, {{200, 120}}, {{200, 100}, {200, 140}}},  // one line through the middle
      {0.3, 359.9995, 300, 100, {{200, 120}}, {{200, 100}, {200, 140}}},
      {0.5, 0, 300, 100, {{200, 140}, {100, 120}, {200, 101}}, {{200, 120}}},  // the rectangle
      {1.1, 0, 300, 100, {{200, 100}, {200, 104}, {200, 140}, {100, 120}, {300, 120}}, {{200, 120}}},
      {0.3, 90, 100, 300, {{80, 200}}, {{100, 200}, {60, 200}}},
      {0.5, 180, -100, 100, {{0, 60}, {0, 99}}, {{0, 80}}},
      {0.3, 45, 300, 300, {{200, 200}, {200 - d / 10, 200 + d / 10}, {200 - d, 200 + d}}, {{200 - d / 2, 200 + d / 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zoom);
    SCOPED_TRACE(c.angle);
    Fill(canvas(), clBlack);
    // Units scaled so one unit is one pixel whatever the zoom.
    box->Zoom = c.zoom;
    box->PixelsPerMm = 1 / c.zoom;
    box->ViewWindow = {-220, -140, 420, 340};
    box->DrawTextFrame(canvas(), 100, 100, c.x2, c.y2, 40, c.angle);
    for (const Probe& p : c.lit) EXPECT_TRUE(Near(p.x, p.y, clWhite)) << p.x << "," << p.y;
    for (const Probe& p : c.dark) EXPECT_FALSE(Near(p.x, p.y, clWhite)) << p.x << "," << p.y;
  }
}

TEST_F(MarkerTest, TextAreaIsLengthenedByAFifthOfTheTextHeight) {
  SetPixelView(*box, 1.0);
  box->CurrentTextHeight = 10;
  canvas().Brush.Color = clRed;
  canvas().Brush.Style = bsSolid;
  canvas().Pen.Color = clRed;
  box->FillTextArea(100, 100, 200, 100, 20);  // polygon (100, 100) (202, 100) (202, 120) (100, 120)
  EXPECT_EQ(PixelAt(150, 110), clRed);
  EXPECT_EQ(PixelAt(201, 110), clRed);
  EXPECT_EQ(PixelAt(204, 110), clBlack);
  EXPECT_EQ(PixelAt(150, 123), clBlack);
}

}  // namespace

namespace {

TEST_F(CanvasTest, TextEnclosureAddsTheBoxAsOneUndoStep) {
  Tdrawinp& store = *box->Draw1;
  box->Pentyp = 1;
  box->Pencol = 2;
  store.ClearUndoLog();
  store.AddElement(Line(0, 0, 1, 1));  // a step before, which the enclosure replaces
  // A horizontal text from (10, 20) to (30, 20), 5 high, no margins.
  box->AddTextEnclosure(0, store, 10, 20, 30, 20, 5, 0);
  ASSERT_EQ(store.Elements.size(), 5u);
  EXPECT_EQ(store.UndoLog.size(), 4u) << "the four sides are one new step";
  const RDrawElement bottom = store.Elements[1];
  EXPECT_NEAR(bottom.X1, 10, 1e-9);
  EXPECT_NEAR(bottom.X2, 30, 1e-9);
  EXPECT_NEAR(bottom.Y1, 20, 1e-9);
  const RDrawElement top = store.Elements[2];
  EXPECT_NEAR(top.Y1, 25, 1e-9);
  EXPECT_EQ(bottom.ColorNo, 2);

  // A circle of radius 0 adds nothing; with a radius it goes around the box's middle.
  box->AddTextEnclosure(1, store, 10, 20, 30, 20, 5, 0);
  EXPECT_EQ(store.Elements.size(), 5u);
  box->TextEnclosureRadius = 12;
  box->AddTextEnclosure(1, store, 10, 20, 30, 20, 5, 0);
  ASSERT_EQ(store.Elements.size(), 6u);
  EXPECT_NEAR(store.Elements[5].X1, 20, 1e-9);
  EXPECT_NEAR(store.Elements[5].Y1, 22.5, 1e-9);
  EXPECT_NEAR(store.Elements[5].Radius, 12, 1e-9);
}

}  // namespace
