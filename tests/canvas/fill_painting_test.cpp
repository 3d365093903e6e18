// Fill regions on the control's image: runs closed by a vertex of the next
// number, solid, hatched and gradient fills clipped to their outline, the
// mixes, the skipped groups, the size check, the outline view and the
// printer mapping.

#include <vector>

#include "canvas_fixture.h"
#include "geometry/codepage.h"
#include "pixel_view.h"
#include "platform/input_polling.h"

namespace {

struct V {
  double x, y;
  std::uint16_t region;
  std::uint8_t group = 0;
  std::uint8_t layer = 13;
};

constexpr TColor kYellow = 0x00FFFF;
constexpr TColor kPaleYellow = 0xB4FFFF;

class FillTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    SetPixelView(*box, 1.0);
    Blank(clBlack);
  }
  void Blank(TColor colour) {
    canvas().Brush.Color = colour;
    canvas().Brush.Style = bsSolid;
    canvas().FillRect(TRect{0, 0, box->Width(), box->Height()});
  }
  void Regions(const std::vector<V>& vertices) {
    box->Draw1->FillVertices.clear();
    for (const V& v : vertices) box->Draw1->FillVertices.push_back({v.x, v.y, v.region, v.group, v.layer});
  }
  void Paint() {
    Blank(clBlack);
    box->PaintFillRegions(canvas(), 0);
  }
  // How many pixels of the rows and columns from (x0, y0) to (x1, y1), drawing
  // units, are not black, split by whether x + y < sum (inside the triangle
  // (100, 100) (300, 100) (100, 300) when sum is 400).
  void Count(int& inside, int& outside, double sum = 400) {
    inside = outside = 0;
    for (int y = 100; y < 300; ++y) {
      for (int x = 100; x < 300; ++x) {
        const bool lit = PixelAt(x + 0.2, y + 0.2) != clBlack;
        if (x + y < sum - 2) inside += lit;
        if (x + y > sum + 2) outside += lit;
      }
    }
  }
  // The top-left message box: its pale yellow background around the text.
  bool MessageShown() {
    for (int y = 3; y < 12; ++y) {
      for (int x = 5; x < 40; ++x) {
        if (canvas().GetPixel(x, y) == kPaleYellow) return true;
      }
    }
    return false;
  }
  const std::vector<V> kTriangle = {{100, 100, 0}, {300, 100, 0}, {100, 300, 1}};
};

TEST_F(FillTest, SolidAndHatchedFillsStayInsideTheirOutline) {
  struct Case {
    std::uint8_t style;
    bool solid;
  };
  const Case cases[] = {{0, true}, {2, false}, {3, false}, {4, false}, {5, false}, {6, false}, {7, false}};
  Regions(kTriangle);
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    box->FillSettings[0].Options[1] = c.style;
    Paint();
    int inside = 0, outside = 0;
    Count(inside, outside);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 0);
    const int area = 200 * 200 / 2;
    if (c.solid) {
      EXPECT_GT(inside, area * 9 / 10);
      EXPECT_EQ(PixelAt(150, 150), kYellow);  // XOR on black
    } else {
      EXPECT_LT(inside, area / 2);  // lines with gaps between
    }
  }
}

// Gradient: from yellow (255, 255, 0) to blue (0, 0, 255) in strips 10
// pixels high from the top of the box, which spans rows 180 to 380.
TEST_F(FillTest, GradientStripsInsideTheOutlineOnly) {
  Regions(kTriangle);
  box->FillSettings[0].Options[0] = 1;  // painted over
  box->FillSettings[0].Options[1] = 1;  // gradient
  box->FillSettings[0].Colours[3] = 0xFF0000;
  struct Case {
    std::uint8_t code;
    int stripWidth;
    double y;  // probe at x 110
    TColor expected;
  };
  const Case cases[] = {
      // N = 20 steps of (-12.75, -12.75, 12.75): strip 3 (rows 210 to 219)
      // takes 255 + T(-38.25) = 217 and T(38.25) = 38.
      {0, 10, 480 - 215, 0x26D9D9},
      {0, 10, 480 - 285, 0x7F8080},  // strip 10: 255 - 127, 127
      // A strip width of 0 counts as 1: N = 200, row 285 is strip 105:
      // 255 + T(-133.875) = 122, T(133.875) = 133.
      {0, 0, 480 - 285, 0x857A7A},
      // Diagonal bands 10 wide from the top-left corner: N = 40 steps of
      // 6.375; the second band holds the pixel 1 right and 12 down of
      // the box's top-left corner (100, 180).
      {8, 10, 480 - 192, 0x06F9F9},
      {8, 10, 480 - 185, kYellow},   // the first band, the start colour
      {12, 10, 480 - 215, clBlack},  // no pattern
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code));
    box->FillSettings[0].Options[4] = c.code;
    box->GraSensai1 = c.stripWidth;
    box->GraSensai2 = c.stripWidth;
    Paint();
    const double x = c.code == 8 ? 101 : 110;
    EXPECT_EQ(PixelAt(x, c.y), c.expected);
    int inside = 0, outside = 0;
    Count(inside, outside);
    EXPECT_EQ(outside, 0);
  }
}

TEST_F(FillTest, EachFillLayerTakesItsOwnGradientStyleAndCode) {
  // Layers 13 to 15 read style slot 1 + l and code slot 4 + l (l = layer
  // - 13). Every other slot holds 12, a style and code that paint nothing,
  // so a region that read a neighbour's slot would stay black; slot 0 holds
  // the group's mode, 1 (painted over).
  // A gradient with both colours equal shows that colour in every strip. A
  // solid fill shows its first colour; painted as a gradient in strips 10
  // high instead, the probe (row 330, strip 15 of 20 from row 180) would
  // be three quarters of the way to the second colour.
  struct Case {
    std::uint8_t layer, style;
    TColor colour1, colour2;
  };
  const Case cases[] = {
      {13, 0, 0x4080C0, 0xFFFFFF}, {14, 0, 0x102030, 0xFFFFFF}, {15, 0, 0x605040, 0xFFFFFF},
      {13, 1, 0x4080C0, 0x4080C0}, {14, 1, 0x102030, 0x102030}, {15, 1, 0x605040, 0x605040},
  };
  box->GraSensai1 = 10;
  box->GraSensai2 = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layer * 10 + c.style);
    const std::size_t l = c.layer - 13u;
    RFillSettings& fill = box->FillSettings[0];
    fill.Options = {1, 12, 12, 12, 12, 12, 12};
    fill.Options[1 + l] = c.style;
    fill.Options[4 + l] = 0;  // horizontal strips
    fill.Colours[l] = c.colour1;
    fill.Colours[3 + l] = c.colour2;
    Regions({{100, 100, 0}, {300, 100, 0}, {100, 300, 1, 0, c.layer}});  // the closing vertex names the layer
    Paint();
    EXPECT_EQ(PixelAt(110, 150), c.colour1);
  }
}

TEST_F(FillTest, DiagonalBandsReachTheFarCornerOfTheBox) {
  // The square (100, 100)-(300, 300) fills the box from column 100, row 180
  // to column 300, row 380. Code 8 runs 10-pixel bands from the top-left
  // corner: n = (200 + 200) / 10 = 40 steps of (-6.375, -6.375, 6.375)
  // from yellow to blue; a pixel dx right and dy down of the corner lies in
  // band (dx + dy) / 10.
  Regions({{100, 100, 0}, {300, 100, 0}, {300, 300, 0}, {100, 300, 1}});
  RFillSettings& fill = box->FillSettings[0];
  fill.Options[0] = 1;  // painted over
  fill.Options[1] = 1;  // gradient
  fill.Options[4] = 8;
  fill.Colours[3] = 0xFF0000;
  box->GraSensai1 = 10;
  box->GraSensai2 = 10;
  Paint();
  struct Case {
    int dx, dy;
    TColor expected;
  };
  const Case cases[] = {
      // Band 39: 255 + T(-248.625) = 7, T(248.625) = 248.
      {197, 197, 0xF80707},
      // Band 19 along the right edge: 255 + T(-121.125) = 134, 121.
      {195, 0, 0x798686},
      // Band 29 down the right edge: 255 + T(-184.875) = 71, 184.
      {197, 97, 0xB84747},
      // Band 25 across the middle: 255 + T(-159.375) = 96, 159.
      {125, 130, 0x9F6060},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dx * 1000 + c.dy);
    EXPECT_EQ(canvas().GetPixel(100 + c.dx, 180 + c.dy), c.expected);
  }
}

TEST_F(FillTest, GradientNeedsNinePixelsEachWay) {
  box->FillSettings[0].Options[1] = 1;
  box->GraSensai1 = 2;
  struct Case {
    double size;
    bool painted;
  };
  for (const Case& c : {Case{8, false}, Case{9, true}}) {
    Regions({{100, 100, 0}, {100 + c.size, 100, 0}, {100 + c.size, 100 + c.size, 0}, {100, 100 + c.size, 1}});
    Paint();
    EXPECT_EQ(PixelAt(102.2, 102.2) != clBlack, c.painted) << c.size;
  }
}

TEST_F(FillTest, RegionsTooLargeForThePixelRangeShowTheMessage) {
  struct Case {
    double farX, topY;  // triangle (100, 100) (farX, 100) (100, topY)
    bool painted;
  };
  const Case cases[] = {
      {32100, 867, true},   // W + H = 32000 + 767 = 32767
      {32100, 868, false},  // 32768
      {32800, 120, false},  // W + H = 32720, but the right edge at 32800
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.topY);
    Regions({{100, 100, 0}, {c.farX, 100, 0}, {100, c.topY, 1}});
    Paint();
    EXPECT_EQ(PixelAt(110, 110) == kYellow, c.painted);
    EXPECT_EQ(MessageShown(), !c.painted);
  }
}

TEST_F(FillTest, RunsClosingVerticesSettingsAndSkippedGroups) {
  // A region of group 1 (not painted) before a region of group 0: the
  // second polygon holds none of the first one's vertices. A run that no
  // vertex of another number closes is not painted.
  box->FillSettings[1].Options[0] = 2;
  Regions({{100, 100, 0},
           {200, 100, 0},
           {100, 200, 1, 1, 13},
           {300, 100, 1},
           {400, 100, 1},
           {300, 200, 2},
           {500, 100, 2},
           {600, 100, 2},
           {500, 200, 2}});
  Paint();
  EXPECT_EQ(PixelAt(120, 120), clBlack);
  EXPECT_EQ(PixelAt(320, 120), kYellow);
  EXPECT_EQ(PixelAt(250, 105), clBlack);
  EXPECT_EQ(PixelAt(520, 120), clBlack);

  // A region on layer 12 takes the settings of the region before it (layer 14: grey).
  Regions({{100, 100, 0}, {200, 100, 0}, {100, 200, 1, 0, 14}, {300, 100, 1}, {400, 100, 1}, {300, 200, 2, 0, 12}});
  Paint();
  EXPECT_EQ(PixelAt(120, 120), 0x808080u);
  EXPECT_EQ(PixelAt(320, 120), 0x808080u);
}

TEST_F(FillTest, MixFollowsTheBackgroundColour) {
  Regions(kTriangle);
  struct Case {
    TColor background;
    TColor expected;  // yellow mixed into grey 0x808080
  };
  const Case cases[] = {
      {clBlack, 0x807F7F},  // XOR
      {clWhite, 0x7F8080},  // NOT XOR
  };
  for (const Case& c : cases) {
    box->SetColor(c.background);
    Blank(0x808080);
    box->PaintFillRegions(canvas(), 0);
    EXPECT_EQ(PixelAt(150, 150), c.expected);
  }
  box->FillSettings[0].Options[0] = 1;  // painted over
  Blank(0x808080);
  box->PaintFillRegions(canvas(), 0);
  EXPECT_EQ(PixelAt(150, 150), kYellow);
}

TEST_F(FillTest, EmptyListLeavesTheCanvasReadyForTheElements) {
  box->SetColor(0x123456);
  canvas().Pen.Mode = pmXor;
  canvas().Pen.Style = psSolid;
  canvas().Brush.Style = bsSolid;
  box->PaintFillRegions(canvas(), 0);
  EXPECT_EQ(canvas().Pen.Mode, pmCopy);
  EXPECT_EQ(canvas().Brush.Color, 0x123456u);
  EXPECT_EQ(canvas().Pen.Style, psClear);
  EXPECT_EQ(canvas().Brush.Style, bsClear);
}

TEST_F(FillTest, OutlinesInsteadOfFills) {
  box->iro_Check = true;
  Regions({{100, 100, 0}, {300, 100, 0}, {100, 300, 1}, {400, 100, 1, 0, 2}, {450, 100, 1}, {400, 200, 2}});
  box->Draw1->LayerStates[2] = kLayerReference;  // the vertex (400, 100) is left out
  Paint();
  EXPECT_EQ(PixelAt(200, 100), clRed);
  EXPECT_EQ(PixelAt(200, 101), clRed);    // three pixels wide
  EXPECT_EQ(PixelAt(200, 200), clRed);    // the closing vertex's line
  EXPECT_EQ(PixelAt(100, 200), clBlack);  // not closed back to the first vertex
  EXPECT_EQ(PixelAt(150, 150), clBlack);  // no fill
  EXPECT_EQ(PixelAt(425, 150), clRed);    // (450, 100) to (400, 200)
  EXPECT_EQ(PixelAt(425, 100), clBlack);
}

TEST_F(FillTest, RedrawPaintsTheRegionsBeneathTheElements) {
  Regions(kTriangle);
  RDrawElement line = Line(50, 150.2, 350, 150.2);
  line.ColorNo = 3;
  box->Draw1->AddElement(line);
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(120, 120), kYellow);
  EXPECT_EQ(PixelAt(150, 150.2), 0x00FF00u);
}

TEST_F(FillTest, PrinterPoints) {
  box->PrintFrame = {10, 20, 400, 300};
  box->PrintScale = 2;
  box->PrintPixelsPerUnitX = 3;
  box->PrintPixelsPerUnitY = 4;
  box->PrintPageHeight = 1000;
  box->PrintSheetSize = {420, 297};
  struct Case {
    bool turned;
    double x, y;
    int px, py;
  };
  const Case cases[] = {
      {false, 15, 30, 30, 920},    // 3 x 2 x 5; 1000 - 4 x 2 x 10
      {false, 10.1, 20, 0, 1000},  // truncated
      // Turned a quarter about (10, 20): (0, 25), then x + 420 / 2 = 210.
      {true, 15, 30, 1200, 960},
  };
  for (const Case& c : cases) {
    box->PrintKaiten = c.turned;
    const TPoint p = box->WorldToPrinterPoint(c.x, c.y);
    EXPECT_EQ(p.X, c.px);
    EXPECT_EQ(p.Y, c.py);
  }
}

TEST_F(FillTest, BlackSolidFillPrintsWhite) {
  Regions(kTriangle);
  box->FillSettings[0].Options[0] = 1;
  box->FillSettings[0].Colours[0] = clBlack;
  box->PrintFrame = {0, 0, 640, 480};
  box->PrintPixelsPerUnitX = 1;
  box->PrintPixelsPerUnitY = 1;
  box->PrintPageHeight = 480;
  TCanvas printer(640, 480, 0x808080);
  box->PaintFillRegions(printer, 1);
  EXPECT_EQ(printer.GetPixel(150, 330), clWhite);
  Blank(0x808080);
  box->PaintFillRegions(canvas(), 0);
  EXPECT_EQ(PixelAt(150, 150), clBlack);
}

TEST_F(FillTest, HeldButtonsStopThePaintingBeforeTheTwentiethVertex) {
  // Seven triangles of three vertices each: the seventh is closed by the
  // twenty-first vertex, after the test before the twentieth.
  std::vector<V> vertices;
  for (std::uint16_t k = 0; k < 7; ++k) {
    const double x = 20 + 80 * k;
    vertices.push_back({x, 100, k});
    vertices.push_back({x + 60, 100, k});
    vertices.push_back({x, 160, static_cast<std::uint16_t>(k + 1)});
  }
  Regions(vertices);
  FakeInputPolling input;
  input.Hold(PolledKey::LeftButton);
  input.Hold(PolledKey::RightButton);
  const ScopedInputPolling scoped(input);
  Paint();
  EXPECT_EQ(PixelAt(30, 110), kYellow);
  EXPECT_EQ(PixelAt(20 + 80 * 5 + 10, 110), kYellow);
  EXPECT_EQ(PixelAt(20 + 80 * 6 + 10, 110), clBlack);
  // Printing has no abort test.
  box->PrintFrame = {0, 0, 640, 480};
  box->PrintPixelsPerUnitX = 1;
  box->PrintPixelsPerUnitY = 1;
  box->PrintPageHeight = 480;
  TCanvas printer(640, 480, clBlack);
  box->PaintFillRegions(printer, 1);
  EXPECT_NE(printer.GetPixel(20 + 80 * 6 + 10, 370), clBlack);
}

}  // namespace
