// Lines with their line types, the redraws and their abort tests, checked
// on the control's image.

#include <string>
#include <vector>

#include "canvas_fixture.h"
#include "pixel_view.h"
#include "platform/input_polling.h"
#include "platform/input_polling_x11.h"

namespace {

// Which pixels of row y, from x0 for n pixels, are in the colour: a string
// of '#' and '.' so a failing pattern shows itself.
std::string Row(TCanvas& canvas, int y, int x0, int n, TColor colour) {
  std::string s;
  for (int x = x0; x < x0 + n; ++x) s += canvas.GetPixel(x, y) == colour ? '#' : '.';
  return s;
}

class LineTypeTest : public CanvasTest {
 protected:
  void Clear() {
    canvas().Brush.Color = clBlack;
    canvas().Brush.Style = bsSolid;
    canvas().FillRect(TRect{0, 0, box->Width(), box->Height()});
    canvas().Pen.Color = clWhite;
    canvas().Pen.Mode = pmCopy;
    canvas().Pen.Width = 1;
  }
};

TEST_F(LineTypeTest, DashPatternsCountPixelsFromTheFirstEnd) {
  struct Case {
    std::uint8_t type;
    int length;
    const char* row;  // pixels 0 .. length + 1
  };
  const Case cases[] = {
      {2, 20, "####...####...####...."},    // dashes over 0-4, 7-11, 14-18, then the gap
      {4, 18, "################..#."},      // the end falls in a gap: its pixel is set
      {5, 22, "################...##..."},  // ends in the gap after the dot: unmarked
      {7, 10, "##########.."},              // shorter than a dash: solid
      {9, 9, "#...#...#.."},                // dots
      {1, 6, "######.."},
      {0, 6, "######.."},
      {10, 6, "######.."},
      {11, 6, "######.."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    Clear();
    box->DrawPatternLine(10, 20, 10 + c.length, 20, c.type, canvas());
    EXPECT_EQ(Row(canvas(), 20, 10, c.length + 2, clWhite), c.row);
  }
}

// A dashed line far longer than the screen: the visible part is dashed all
// the way and its dashes lie where the whole line puts them.
TEST_F(LineTypeTest, LongDashedLinesKeepTheirPhaseAcrossTheScreen) {
  Clear();
  const int start = -150001;
  box->DrawPatternLine(start, 30, 50000, 30, 2, canvas());
  std::string expected;
  for (int x = 0; x < box->Width(); ++x) expected += ((x - start) % 7) < 4 ? '#' : '.';
  EXPECT_EQ(Row(canvas(), 30, 0, box->Width(), clWhite), expected);
}

TEST_F(LineTypeTest, CurveChordsCarryTheirPatternPixelByPixel) {
  // Dash 5, gap 3: a piece runs from counter 1 to 5, pixels near the chord
  // ends are joined at once so dashes follow the bend.
  box->PatternState = {};
  box->PatternState.LineType = 2;
  box->PatternState.Dash = 5;
  box->PatternState.Gap = 3;
  Clear();
  box->WalkPatternPixels(0, 40, 20, 40, canvas());
  EXPECT_EQ(Row(canvas(), 40, 0, 21, clWhite), "####....####....####.");
  EXPECT_EQ(box->PatternState.Counter, 5);
  // Walked backwards the same chord starts its pattern at the other end.
  box->PatternState.Counter = 0;
  Clear();
  box->WalkPatternPixels(20, 41, 0, 41, canvas());
  EXPECT_EQ(Row(canvas(), 41, 0, 21, clWhite), ".####....####....####");
}

TEST_F(LineTypeTest, TwoDotChordsCountTheirPiecesPixelByPixel) {
  // Type 7: dash 16, gap 3, two dots of 2. Pixel x has counter c = x + 1:
  // c 1 moves, 16 draws up to it (pixels 0 to 14), 19 moves, 21 draws
  // (18, 19), 24 moves, 26 draws (23, 24), 29 starts again at 0. A pixel
  // inside a piece draws at once when it is within one pixel of the
  // chord's end, so a chord ending inside the second dot keeps its first
  // pixel.
  struct Case {
    int length;
    const char* row;  // pixels 0 .. length
  };
  const Case cases[] = {
      {40, "###############...##...##....###########."},
      {24, "###############...##...#."},  // ends at c 25, inside the second dot
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    box->PatternState = {};
    box->PatternState.LineType = 7;
    box->PatternState.Dash = 16;
    box->PatternState.Gap = 3;
    box->PatternState.Dot = 2;
    box->PatternState.SecondDot = 2;
    Clear();
    box->WalkPatternPixels(0, 40, c.length, 40, canvas());
    EXPECT_EQ(Row(canvas(), 40, 0, c.length + 1, clWhite), c.row);
  }
}

TEST_F(LineTypeTest, LinesOutsideTheViewDrawNothingAndFarEndsDoNotBend) {
  Clear();
  const RViewRect v = box->ViewWindow;
  box->DrawLine(1, canvas(), v.Right + 10, v.Bottom, v.Right + 20, v.Top);
  for (int x = 0; x < box->Width(); x += 7) ASSERT_EQ(canvas().GetPixel(x, 100), clBlack);
  // A line with an end a long way off keeps its direction on the screen.
  const double y = 400;
  box->DrawLine(1, canvas(), 100, y, 1e12, y);
  EXPECT_EQ(PixelAt(300, y), clWhite);
  EXPECT_EQ(PixelAt(1000, y), clWhite);
}

TEST_F(LineTypeTest, LinesNearEveryEdgeOfTheViewAreDrawn) {
  // One pixel per unit: the view is 0..640 across and 0..480 up, wider
  // than tall, so a line right of x = 480 or above y = 480 tells the view's
  // width from its height.
  SetPixelView(*box, 1.0);
  struct Case {
    double x1, y1, x2, y2;
    double midX, midY;  // a point on the line, well inside the view
  };
  const Case cases[] = {
      {560, 100, 620, 100, 590, 100},  // right of 480
      {620, 20, 620, 460, 620, 240},   // down the right-hand side
      {100, 470, 200, 470, 150, 470},  // along the top
      {10, 20, 10, 460, 10, 240},      // down the left-hand side
      {100, 10, 200, 10, 150, 10},     // along the bottom
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.midX * 1000 + c.midY);
    Clear();
    box->DrawLine(1, canvas(), c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(PixelAt(c.midX, c.midY), clWhite);
  }
}

TEST_F(LineTypeTest, ALineCutAtTheCanvasEdgeKeepsItsCourse) {
  // One pixel per unit, view 0..640 x 0..480. Each line has an end off the
  // canvas, so it is cut to the canvas widened by 8 pixels; the probes lie
  // on the line, worked from its two ends.
  SetPixelView(*box, 1.0);
  struct Case {
    double x1, y1, x2, y2;
    double probeX[2];  // y = y1 + (x - x1) (y2 - y1) / (x2 - x1)
  };
  const Case cases[] = {
      {-200, 100, 300, 300, {40, 200}},   // y = 100 + (x + 200) 0.4: 196 and 260
      {300, 300, -200, 100, {40, 200}},   // the same drawn the other way
      {100, -300, 400, 300, {300, 380}},  // y = -300 + (x - 100) 2: 100 and 260
      {600, 200, 900, 500, {610, 630}},   // y = 200 + (x - 600): 210 and 230
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x1 * 1000 + c.y1);
    Clear();
    box->DrawLine(1, canvas(), c.x1, c.y1, c.x2, c.y2);
    for (double x : c.probeX) {
      const double y = c.y1 + (x - c.x1) * (c.y2 - c.y1) / (c.x2 - c.x1);
      EXPECT_EQ(PixelAt(x, y), clWhite) << x;
    }
  }
}

class RedrawTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    box->ColourTable[1] = clRed;
    box->Sentakucol = clLime;
    box->Sentakucol3 = clBlue;
  }
  RDrawElement Coloured(RDrawElement e, std::uint8_t colour = 1) {
    e.ColorNo = colour;
    return e;
  }
};

TEST_F(RedrawTest, EmptyDrawingShowsThePaperOutline) {
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(500, 0), clOlivePaper);
  EXPECT_EQ(PixelAt(0, 400), clOlivePaper);
  EXPECT_EQ(PixelAt(500, 400), clBlack);
  EXPECT_EQ(box->Draw1->PaperWidth, 1189);
}

TEST_F(RedrawTest, ColoursFollowLayerStateAndSelection) {
  Tdrawinp& store = *box->Draw1;
  store.AddElement(Coloured(Line(100, 100, 300, 100, 0, 0)));  // editable
  RDrawElement selected = Coloured(Line(100, 200, 300, 200, 0, 0));
  selected.Selection = 1;
  store.AddElement(selected);
  store.AddElement(Coloured(Line(100, 300, 300, 300, 0, 1)));  // reference layer
  store.AddElement(Coloured(Line(100, 400, 300, 400, 0, 2)));  // hidden layer
  RDrawElement highlighted = Coloured(Line(100, 500, 300, 500, 0, 0));
  highlighted.Selection = 50;  // no drawn state
  store.AddElement(highlighted);
  store.LayerStates[1] = kLayerReference;
  store.LayerStates[2] = kLayerHidden;
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(200, 100), clRed);
  EXPECT_EQ(PixelAt(200, 200), clLime);
  EXPECT_EQ(PixelAt(200, 300), clBlue);
  EXPECT_EQ(PixelAt(200, 400), clBlack);
  EXPECT_EQ(PixelAt(200, 500), clBlack);
}

TEST_F(RedrawTest, StretchMarkedSelectedLinesAreDashedInTheFullRedrawOnly) {
  RDrawElement line = Coloured(Line(100, 100, 600, 100));
  line.Selection = 1;
  line.Scratch = 2;
  box->Draw1->AddElement(line);
  box->ZoomToWindow(90, 120, 200, 80);
  box->RedrawAll(true);
  int gaps = 0;
  const int y = box->WorldToScreenY(100);
  for (int x = box->WorldToScreenX(110); x < box->WorldToScreenX(190); ++x) {
    if (canvas().GetPixel(x, y) != clLime) ++gaps;
  }
  EXPECT_GT(gaps, 10) << "line type 3 has gaps";
  box->RepaintRect(90, 80, 200, 120);
  for (int x = box->WorldToScreenX(110); x < box->WorldToScreenX(190); ++x) {
    ASSERT_EQ(canvas().GetPixel(x, y), clLime) << "the partial repaint keeps the own line type";
  }
}

TEST_F(RedrawTest, EveryElementInViewShowsAfterZoomResizeAndPan) {
  Tdrawinp& store = *box->Draw1;
  store.AddElement(Coloured(Line(50, 50, 150, 50)));      // lower left
  store.AddElement(Coloured(Line(900, 700, 1000, 700)));  // upper right
  box->RedrawAll(false);
  // Zoom in on the lower left: the lists are refiltered down to it.
  box->ZoomToWindow(0, 100, 200, 0);
  box->RedrawAll(true);
  EXPECT_EQ(PixelAt(100, 50), clRed);
  // A resize shows the whole sheet again; the platform's paint must list the
  // other line although it was filtered out before.
  box->SetSize(800, 600);
  box->Update();
  EXPECT_EQ(PixelAt(950, 700), clRed);
  EXPECT_EQ(PixelAt(100, 50), clRed);
  // The same after zooming in and panning across.
  box->ZoomToWindow(0, 100, 200, 0);
  box->RedrawAll(true);
  box->PanView(900, 650);
  box->Invalidate();
  box->Update();
  EXPECT_EQ(PixelAt(950, 700), clRed);
}

TEST_F(RedrawTest, BothButtonsHeldStopTheRedraw) {
  Tdrawinp& store = *box->Draw1;
  for (int i = 0; i < 40; ++i) store.AddElement(Coloured(Line(100, 10 + i * 20, 300, 10 + i * 20)));
  FakeInputPolling input;
  input.Hold(PolledKey::LeftButton);
  input.Hold(PolledKey::RightButton);
  const ScopedInputPolling scoped(input);
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(200, 10 + 18 * 20), clRed) << "entries before the 20th are drawn";
  EXPECT_EQ(PixelAt(200, 10 + 19 * 20), clBlack) << "the walk stops before the 20th";
  EXPECT_EQ(PixelAt(200, 10 + 39 * 20), clBlack);
}

// The platform's source reads the buttons at most once per interval of
// elapsed time; the walk's abort test answers from that reading meanwhile.
TEST_F(RedrawTest, TheThrottledSourceStopsTheRedrawByElapsedTime) {
  Tdrawinp& store = *box->Draw1;
  for (int i = 0; i < 40; ++i) store.AddElement(Coloured(Line(100, 10 + i * 10, 300, 10 + i * 10)));
  constexpr unsigned kBothButtons = 0x100 | 0x400;  // Button1Mask | Button3Mask
  struct Case {
    const char* name;
    std::int64_t step;  // microseconds the clock moves at each look
    bool heldAtFirst;   // the first reading already finds the buttons down
    int lastDrawn;      // the last line drawn
    int readings;
    std::int64_t interval = 5000;
  } const cases[] = {
      {"held from the start", 0, true, 18, 1},
      {"pressed after the first reading, clock still", 0, false, 39, 1},
      // Readings at 2500 (the pictures' test), then at 7500 (entry 39); the
      // test before entry 20, at 5000, answers from the first reading.
      {"pressed after the first reading, an interval later", 2500, false, 38, 2},
      // The platform's own interval (20 ms): readings at 10 ms and 30 ms; a
      // press after the first stops the walk at the first test 20 ms on.
      {"the platform's interval", 10000, false, 38, 2, ThrottledInputPolling::kIntervalMicroseconds},
      {"the platform's interval, looks closer together", 5000, false, 39, 1,
       ThrottledInputPolling::kIntervalMicroseconds},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::int64_t now = 0;
    int readings = 0;
    ThrottledInputPolling input(
        [&](bool) {
          InputReading r;
          r.pointerRead = true;
          r.pointerMask = (c.heldAtFirst || readings > 0) ? kBothButtons : 0;
          ++readings;
          return r;
        },
        X11KeyCodes{}, [&] { return now += c.step; }, c.interval);
    const ScopedInputPolling scoped(input);
    box->RedrawAll(false);
    EXPECT_EQ(PixelAt(200, 10 + c.lastDrawn * 10), clRed);
    if (c.lastDrawn < 39) {
      EXPECT_EQ(PixelAt(200, 10 + (c.lastDrawn + 1) * 10), clBlack);
    }
    EXPECT_EQ(input.Readings(), c.readings);
  }
}

TEST_F(RedrawTest, NewestElementsAreRedrawnFromTheEndOfTheList) {
  Tdrawinp& store = *box->Draw1;
  for (int i = 0; i < 100; ++i) store.AddElement(Coloured(Line(100, 5 + i * 8, 300, 5 + i * 8)));
  box->RedrawAll(false);
  canvas().Brush.Color = clBlack;
  canvas().Brush.Style = bsSolid;
  canvas().FillRect(TRect{0, 0, box->Width(), box->Height()});
  box->RedrawLastElements(60);
  EXPECT_EQ(PixelAt(200, 5 + 38 * 8), clBlack);
  EXPECT_EQ(PixelAt(200, 5 + 39 * 8), clRed) << "entries 39 to 99";
  EXPECT_EQ(PixelAt(200, 5 + 99 * 8), clRed);
}

TEST_F(RedrawTest, PartialRepaintDrawsAtMostItsCapNewestFirst) {
  Tdrawinp& store = *box->Draw1;
  // 100 short lines inside one rectangle, all crossing it.
  for (int i = 0; i < 100; ++i) store.AddElement(Coloured(Line(400 + i, 300, 400 + i, 310)));
  box->ZoomToWindow(390, 320, 510, 290);  // zoom about 2: the cap is 80
  ASSERT_GE(box->Zoom, 0.5);
  ASSERT_LT(box->Zoom, 3);
  box->RedrawAll(true);
  canvas().Brush.Color = clBlack;
  canvas().Brush.Style = bsSolid;
  canvas().FillRect(TRect{0, 0, box->Width(), box->Height()});
  box->RepaintRect(395, 295, 505, 315);
  EXPECT_EQ(PixelAt(400 + 99, 305), clRed);
  EXPECT_EQ(PixelAt(400 + 20, 305), clRed);
  EXPECT_EQ(PixelAt(400 + 19, 305), clBlack) << "the 81st newest is past the cap";
}

}  // namespace
