// The pictures of the store's slots in the redraw: stretched into their
// rectangles, only on editable layers, transparency by the switch, under or
// over the elements, a higher slot over a lower one.

#include <memory>
#include <string>
#include <vector>

#include "canvas_fixture.h"
#include "pixel_view.h"
#include "platform/input_polling.h"
#include "platform/picture.h"

namespace {

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

// A 24-bit BMP file: rows given top first as $00BBGGRR colours, stored
// bottom first as blue, green, red bytes padded to four.
std::string Bmp(int width, const std::vector<TColor>& topDown) {
  const int height = static_cast<int>(topDown.size()) / width;
  const int stride = (width * 3 + 3) / 4 * 4;
  std::string out = "BM";
  Put32(out, 54 + stride * height);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, height);
  Put16(out, 1);
  Put16(out, 24);
  for (std::uint32_t v : {0u, static_cast<std::uint32_t>(stride * height), 2835u, 2835u, 0u, 0u}) Put32(out, v);
  for (int row = height - 1; row >= 0; --row) {
    for (int x = 0; x < width; ++x) {
      const TColor c = topDown[static_cast<std::size_t>(row * width + x)];
      out += static_cast<char>((c >> 16) & 0xFF);
      out += static_cast<char>((c >> 8) & 0xFF);
      out += static_cast<char>(c & 0xFF);
    }
    out.append(static_cast<std::size_t>(stride - width * 3), '\0');
  }
  return out;
}

// Red and green over blue and white.
const std::vector<TColor> kQuadrants = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};

class PictureTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    SetPixelView(*box, 1.0);
  }
  void Place(int slot, std::uint8_t kind, const std::vector<TColor>& colours, int width, double x1, double y1,
             double x2, double y2, std::uint8_t layer = 0) {
    auto graphic = std::make_shared<TGraphic>();
    ASSERT_TRUE(graphic->LoadFromBytes(Bmp(width, colours), TPictureFormat::Bitmap).Ok);
    RBitMapData& s = box->Draw1->Pictures[static_cast<std::size_t>(slot)];
    s.X1 = x1;
    s.Y1 = y1;
    s.X2 = x2;
    s.Y2 = y2;
    s.FileName = "p.bmp";
    s.Layer = layer;
    s.Picture = graphic;
    s.PictureKind = kind;
  }
};

TEST_F(PictureTest, SlotsAreDrawnStretchedByKindLayerAndSwitches) {
  struct Case {
    const char* what;
    std::uint8_t kind;
    std::uint8_t layerState;
    bool printKaiten;
    std::uint8_t transparency;
    bool drawn;
    TColor whiteQuadrant;
  };
  const Case cases[] = {
      {"bitmap", kPictureBitmap, kLayerEditable, false, 0, true, clWhite},
      {"JPEG", kPictureJpeg, kLayerEditable, false, 1, true, clWhite},
      {"metafile", kPictureMetafile, kLayerEditable, false, 0, true, clWhite},
      {"JPEG as bitmap", kPictureJpegAsBitmap, kLayerEditable, false, 0, true, clWhite},
      {"PNG, drawn like a bitmap", kPicturePng, kLayerEditable, false, 0, true, clWhite},
      {"transparent bitmap", kPictureBitmap, kLayerEditable, false, 1, true, clBlack},
      {"transparent PNG", kPicturePng, kLayerEditable, false, 2, true, clBlack},
      {"opaque with switch 3", kPictureBitmap, kLayerEditable, false, 3, true, clWhite},
      {"reference layer", kPictureBitmap, kLayerReference, false, 0, false, clBlack},
      {"hidden layer", kPictureBitmap, kLayerHidden, false, 0, false, clBlack},
      {"printing turned", kPictureBitmap, kLayerEditable, true, 0, false, clBlack},
      {"free slot", kPictureFree, kLayerEditable, false, 0, false, clBlack},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Place(3, c.kind, kQuadrants, 2, 100, 100, 300, 200);
    box->Draw1->LayerStates[0] = c.layerState;
    box->PrintKaiten = c.printKaiten;
    box->Bittukatyp = c.transparency;
    box->RedrawAll(false);
    EXPECT_EQ(PixelAt(150, 175), c.drawn ? 0x0000FFu : clBlack);
    EXPECT_EQ(PixelAt(250, 175), c.drawn ? 0x00FF00u : clBlack);
    EXPECT_EQ(PixelAt(150, 125), c.drawn ? 0xFF0000u : clBlack);
    EXPECT_EQ(PixelAt(250, 125), c.whiteQuadrant);
    EXPECT_EQ(PixelAt(95, 150), clBlack);
    EXPECT_EQ(PixelAt(305, 150), clBlack);
  }
}

TEST_F(PictureTest, PictureAroundTheWholeViewFillsIt) {
  // (-1000, -1000)-(2000, 2000): the view lies in its lower left quarter.
  Place(0, kPictureBitmap, kQuadrants, 2, -1000, -1000, 2000, 2000);
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(10, 10), 0xFF0000u);
  EXPECT_EQ(PixelAt(450, 440), 0xFF0000u);
  EXPECT_EQ(PixelAt(600, 440), clWhite);
  // One wholly outside the view is not drawn.
  box->Draw1->Pictures[0].X1 = 1000;
  box->Draw1->Pictures[0].X2 = 1200;
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(10, 10), clBlack);
}

TEST_F(PictureTest, HigherSlotIsDrawnOverALowerOne) {
  Place(0, kPictureBitmap, {0x0000FF}, 1, 100, 100, 300, 200);
  Place(1, kPictureBitmap, {0x00FF00}, 1, 200, 150, 400, 250);
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(150, 125), 0x0000FFu);
  EXPECT_EQ(PixelAt(250, 175), 0x00FF00u);
}

TEST_F(PictureTest, PicturesUnderOrOverTheElements) {
  Place(0, kPictureBitmap, {0x0000FF}, 1, 100, 100, 300, 200);
  RDrawElement line = Line(50, 150.2, 350, 150.2);
  line.ColorNo = 3;  // green
  box->Draw1->AddElement(line);
  box->BitDrawtyp = false;
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(200, 150.2), 0x00FF00u);
  box->BitDrawtyp = true;
  box->RedrawAll(false);
  EXPECT_EQ(PixelAt(200, 150.2), 0x0000FFu);
  EXPECT_EQ(PixelAt(60, 150.2), 0x00FF00u);
}

TEST_F(PictureTest, HeldButtonsStopTheSlotsBeforeTheTwentiethAndNotTheLastPass) {
  Place(18, kPictureBitmap, {0x0000FF}, 1, 100, 100, 200, 200);
  Place(19, kPictureBitmap, {0x00FF00}, 1, 300, 100, 400, 200);
  for (int i = 0; i < 25; ++i) box->Draw1->AddElement(Line(10, 10 + i, 20, 10 + i));
  FakeInputPolling input;
  input.Hold(PolledKey::LeftButton);
  input.Hold(PolledKey::RightButton);
  const ScopedInputPolling scoped(input);
  for (bool last : {false, true}) {
    SCOPED_TRACE(last);
    box->BitDrawtyp = last;  // drawn last: also after the aborted walk
    box->RedrawAll(false);
    EXPECT_EQ(PixelAt(150, 150), 0x0000FFu);
    EXPECT_EQ(PixelAt(350, 150), clBlack);
  }
}

}  // namespace
