// Texts drawn on the control's image: where ink must be and where it must
// not be (never exact glyph shapes), the fonts requested, the colour modes,
// the view tests and the redraws.

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "canvas/text_measure.h"
#include "canvas_fixture.h"
#include "geometry/codepage.h"

namespace {

constexpr TColor kInk = 0x00FFFF;  // the style colour of the tests

class TextDrawingTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    box->Draw1->ClearAll();
    // Style 3: a 3 mm square character cell, spacing 0.2 mm.
    RTextStyle& s = box->TextStyles[3];
    s.Width = 30;
    s.Height = 30;
    s.Spacing = 2;
    s.Weight = 400;
    s.TextColor = static_cast<std::int32_t>(kInk);
    SetFaceName(s, J("ＭＳ ゴシック"));
    box->Mozi_No = 3;
    SetView(4, 0, 0);
  }

  // Zoom and the window's lower left corner; the rest follows from the size.
  void SetView(double zoom, double left, double bottom) {
    box->Zoom = zoom;
    const double ppu = box->PixelsPerMm * zoom;
    box->ViewWindow = {left, bottom, left + box->Width() / ppu, bottom + box->Height() / ppu};
    Clear();
  }

  void Clear() {
    canvas().Brush.Color = clBlack;
    canvas().Brush.Style = bsSolid;
    canvas().FillRect(TRect{0, 0, box->Width(), box->Height()});
  }

  // Pixels of the colour within r pixels of the screen point of (x, y).
  int InkNear(double x, double y, TColor colour = kInk, int r = 3) {
    const int cx = box->WorldToScreenX(x), cy = box->WorldToScreenY(y);
    int n = 0;
    for (int py = cy - r; py <= cy + r; ++py) {
      for (int px = cx - r; px <= cx + r; ++px) n += canvas().GetPixel(px, py) == colour ? 1 : 0;
    }
    return n;
  }

  int InkAnywhere(TColor colour = kInk) {
    int n = 0;
    for (int y = 0; y < box->Height(); ++y) {
      for (int x = 0; x < box->Width(); ++x) n += canvas().GetPixel(x, y) == colour ? 1 : 0;
    }
    return n;
  }

  void Draw(const char* text, double x, double y, double angle, std::uint8_t direction = 0, std::uint8_t mode = 0) {
    box->DrawTextString(J(text), direction, canvas(), mode, x, y, x + 10, y, angle);
  }
};

// Two black squares "■■" in a 3 mm cell: each fills the middle of its cell.
TEST_F(TextDrawingTest, HorizontalTextLiesAboveItsBaseLine) {
  Draw("■■", 5, 10, 0);
  EXPECT_GT(InkNear(6.5, 11.5), 20);  // first cell
  EXPECT_GT(InkNear(9.7, 11.5), 20);  // second cell, 3.2 mm on
  EXPECT_EQ(InkNear(6.5, 15), 0);     // above the line
  EXPECT_EQ(InkNear(6.5, 8), 0);      // below the base line
  EXPECT_EQ(InkNear(3, 11.5), 0);     // before the text
  EXPECT_EQ(InkNear(14, 11.5), 0);    // after it
}

TEST_F(TextDrawingTest, TurnedTextRisesToTheLeftOfItsBaseLine) {
  Draw("■■", 20, 5, 90);
  EXPECT_GT(InkNear(18.5, 6.5), 20);  // first cell, to the left of the upward line
  EXPECT_GT(InkNear(18.5, 9.7), 20);
  EXPECT_EQ(InkNear(21.5, 6.5), 0);  // right of the base line
  EXPECT_EQ(InkNear(23.5, 6.5), 0);  // where the unturned text would be
  EXPECT_EQ(InkNear(18.5, 3), 0);
}

TEST_F(TextDrawingTest, VerticalTextRunsDownItsColumn) {
  // A column running down from (10, 25): the cells lie to the right of it.
  Draw("■■", 10, 25, 270, kTextVertical);
  EXPECT_GT(InkNear(11.5, 23.5), 20);
  EXPECT_GT(InkNear(11.5, 20.3), 20);
  EXPECT_EQ(InkNear(8.5, 23.5), 0);
  EXPECT_EQ(InkNear(11.5, 27), 0);
  EXPECT_EQ(InkNear(14.5, 23.5), 0);
  // The vertical variant of the face, its height from the style's width.
  EXPECT_EQ(canvas().Font.Name().front(), '@');
}

// True when the ink forms an outline: nothing inside its bounding box but
// on the box's border.
bool InkIsHollow(TCanvas& canvas, TColor ink) {
  int left = canvas.Width(), right = -1, top = canvas.Height(), bottom = -1;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (canvas.GetPixel(x, y) != ink) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  for (int y = top + 1; y < bottom; ++y) {
    for (int x = left + 1; x < right; ++x) {
      if (canvas.GetPixel(x, y) == ink) return false;
    }
  }
  return right >= 0;
}

TEST_F(TextDrawingTest, SmallTextsShowOnlyTheirFrame) {
  // Zoom 1 at 96 dpi: width 20 gives trunc(20 x 3.78 x 0.05) = 3 pixels,
  // width 10 gives 1: too small, so only the frame is drawn.
  SetView(1, 0, 0);
  box->TextStyles[3].Width = 20;
  box->TextStyles[3].Height = 20;
  Draw("■■", 20, 20, 0);
  EXPECT_FALSE(InkIsHollow(canvas(), kInk)) << "a legible text fills its characters";
  Clear();
  box->TextStyles[3].Width = 10;
  box->TextStyles[3].Height = 10;
  Draw("■■", 20, 20, 0);
  EXPECT_TRUE(InkIsHollow(canvas(), kInk)) << "the frame, no character inside it";
  // The frame-only mode shows no characters at any size.
  Clear();
  box->TextStyles[3].Width = 30;
  box->TextStyles[3].Height = 30;
  Draw("■■", 20, 20, 0, 0, 10);
  EXPECT_TRUE(InkIsHollow(canvas(), kInk));
}

TEST_F(TextDrawingTest, AnAngleOrPointThatIsNoNumberDrawsNothing) {
  const double nan = std::nan("");
  Draw("■■", 5, 10, nan);
  Draw("■■", nan, 10, 0);
  box->Draw1->ElementTexts.push_back(J("■■"));
  box->DrawElementTextUnculled(0, 0, canvas(), 0, 5, std::numeric_limits<double>::infinity(), 8, 10, 0);
  EXPECT_EQ(InkAnywhere(), 0);
}

TEST_F(TextDrawingTest, TheBackgroundModeErasesTheText) {
  box->SetColor(clBlack);
  Draw("■A■", 5, 10, 0);
  ASSERT_GT(InkAnywhere(), 0);
  Draw("■A■", 5, 10, 0, 0, 3);
  EXPECT_EQ(InkAnywhere(), 0);
}

TEST_F(TextDrawingTest, RaisedCharactersAreSmall) {
  // The second square is 55 % high and hangs from the top of its cell.
  Draw("■^u■", 5, 10, 0);
  EXPECT_GT(InkNear(6.5, 11.5), 20);
  EXPECT_GT(InkNear(9.0, 12.2, kInk, 1), 4);
  EXPECT_EQ(InkNear(9.0, 10.4, kInk, 1), 0);
}

TEST_F(TextDrawingTest, MarkupLeavingOneCharacterIsDrawnWithoutCulling) {
  // From zoom 3 on characters are culled by the cell diagonal, which a
  // single laid-out character does not have.
  Draw("■^u", 5, 10, 0);
  EXPECT_GT(InkNear(6.5, 11.5), 20);
  box->Draw1->ElementTexts.push_back(J("■^d"));
  box->DrawElementText(0, 0, canvas(), 0, 5, 20, 8, 20, 0);
  EXPECT_GT(InkNear(6.5, 21.5), 20);
}

TEST_F(TextDrawingTest, OneCharacterElementsAreDrawnAtTheirBasePointRaisedAndTurned) {
  box->Draw1->ElementTexts.push_back(J("■"));
  box->DrawElementText(0, 0, canvas(), 0, 5, 10, 8, 10, 0);
  EXPECT_GT(InkNear(6.5, 11.5), 20);
  box->DrawElementText(0, 0, canvas(), 0, 20, 5, 20, 8, 90);
  EXPECT_GT(InkNear(18.5, 6.5), 20);
  EXPECT_EQ(InkNear(21.5, 6.5), 0);
}

TEST_F(TextDrawingTest, TheViewTestLowersTheWindowByTwoUnits) {
  // The view from y = 10 upwards; a text whose base line is 1 below it
  // still shows its upper part, one 3 below is not drawn at all (nor one
  // 2.5 below).
  SetView(4, 0, 10);
  box->TextStyles[3].Height = 60;  // a 6 mm line
  box->Draw1->ElementTexts.push_back(J("■■"));
  box->DrawElementText(0, 0, canvas(), 0, 5, 9, 12, 9, 0);
  EXPECT_GT(InkAnywhere(), 0);
  Clear();
  box->DrawElementText(0, 0, canvas(), 0, 5, 7, 12, 7, 0);
  EXPECT_EQ(InkAnywhere(), 0);
  box->DrawElementText(0, 0, canvas(), 0, 5, 7.5, 12, 7.5, 0);
  EXPECT_EQ(InkAnywhere(), 0);
  // Without the view test the same text reaches the image.
  box->DrawElementTextUnculled(0, 0, canvas(), 0, 5, 7.5, 12, 7.5, 0);
  EXPECT_GT(InkAnywhere(), 0);
  // A text index naming no string draws nothing.
  Clear();
  box->DrawElementTextUnculled(7, 0, canvas(), 0, 5, 11, 12, 11, 0);
  box->DrawBufferText(0, 0, canvas(), 0, 5, 11, 12, 11, 0);
  EXPECT_EQ(InkAnywhere(), 0);
}

TEST_F(TextDrawingTest, TheFontFollowsTheStyleSuffixAndTheView) {
  struct Case {
    const char* text;
    std::uint8_t direction;
    double angle;
    int height, width, weight, escapement;
    bool italic, strike;
    const char* face;
  };
  // At zoom 4 and 96 dpi one tenth of a millimetre is 1.5118 pixels.
  const Case cases[] = {
      {"AB", 0, 0, 45, 22, 400, 0, false, false, "ＭＳ ゴシック"},
      {"AB##50/50/0/0/0/0", 0, 30, 75, 37, 400, 300, false, false, "ＭＳ ゴシック"},
      {"AB##50/50/0/7/0/0", 0, 0, 75, 37, 700, 0, false, false, "ＭＳ ゴシック"},
      {"AB##0/0/0/0/1/2", 0, 12.34, 45, 22, 400, 123, true, false, "ＭＳ 明朝"},
      {"AB##20/40/0/0/0/0", kTextVertical, 270, 30, 30, 400, 2700, false, false, "@ＭＳ ゴシック"},
      // Four letters 4 x 1.5 + 3 x 0.1 = 6.3 wide lose two half characters:
      // the glyphs narrow by (6.3 - 3) / 6.3, 22 x 0.5238 pixels.
      {"ABCD^2", 0, 0, 45, 11, 400, 0, false, false, "ＭＳ ゴシック"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    box->Draw1->ElementTexts.assign(1, J(c.text));
    box->DrawElementText(0, c.direction, canvas(), 0, 5, 10, 20, 10, c.angle);
    const LOGFONTA& lf = canvas().Font.Logical;
    EXPECT_EQ(lf.lfHeight, c.height);
    EXPECT_EQ(lf.lfWidth, c.width);
    EXPECT_EQ(lf.lfWeight, c.weight);
    EXPECT_EQ(lf.lfEscapement, c.escapement);
    EXPECT_EQ(lf.lfItalic != 0, c.italic);
    EXPECT_EQ(lf.lfStrikeOut != 0, c.strike);
    EXPECT_EQ(canvas().Font.Name(), J(c.face));
  }
  // With the frames shown an overridden text is struck out.
  box->StrWakuView = true;
  box->Draw1->ElementTexts.assign(1, J("AB##50/50/0/0/0/0"));
  box->DrawElementText(0, 0, canvas(), 0, 5, 10, 20, 10, 0);
  EXPECT_NE(canvas().Font.Logical.lfStrikeOut, 0);
}

TEST_F(TextDrawingTest, ColourModes) {
  box->Sentakucol = 0x0000FF;
  box->Sentakucol3 = 0x00FF00;
  box->SetColor(0x101010);
  box->TextStyles[0].TextColor = 0x808080;
  box->Draw1->ElementTexts.assign(1, "AB");
  box->Draw1->BufferTexts.assign(1, "AB");
  struct Case {
    std::uint8_t mode;
    TColor element, buffer;
  };
  const Case cases[] = {
      {0, kInk, kInk},         {1, 0x00FF00, 0x808080}, {2, 0x0000FF, 0x0000FF},
      {3, 0x101010, 0x101010}, {20, clBlack, 0x123456},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    canvas().Font.Color = 0x123456;
    box->DrawElementText(0, 0, canvas(), c.mode, 5, 10, 20, 10, 0);
    EXPECT_EQ(canvas().Font.Color, c.element);
    canvas().Font.Color = 0x123456;
    box->DrawBufferText(0, 0, canvas(), c.mode, 5, 10, 20, 10, 0);
    EXPECT_EQ(canvas().Font.Color, c.buffer);
  }
}

TEST_F(TextDrawingTest, RedrawsDrawTextsInTheirOwnStyleByLayerState) {
  box->Sentakucol = 0x0000FF;
  box->Sentakucol3 = 0x00FF00;
  box->Mozi_No = 1;
  box->WriteGrupe_No = 15;  // 1/1
  box->WriteReiya_No = 2;
  box->AddText(J("■■"), 3, 5, 10, 0, 0);
  struct Case {
    std::uint8_t state, selection;
    TColor colour;
  };
  const Case cases[] = {
      {kLayerEditable, 0, kInk},
      {kLayerEditable, 10, kInk},
      {kLayerEditable, 1, 0x0000FF},
      {kLayerReference, 1, 0x00FF00},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.selection));
    box->Draw1->LayerStates[15 * kLayersPerGroup + 2] = c.state;
    box->Draw1->Elements[0].Selection = c.selection;
    box->RedrawAll(false);
    EXPECT_GT(InkNear(6.5, 11.5, c.colour), 20);
    EXPECT_EQ(box->Mozi_No, 1);
  }
  box->Draw1->LayerStates[15 * kLayersPerGroup + 2] = kLayerHidden;
  box->RedrawAll(false);
  EXPECT_EQ(InkNear(6.5, 11.5, kInk), 0);
}

TEST_F(TextDrawingTest, ThePartialRepaintRedrawsTextsItsRectangleTouches) {
  box->WriteGrupe_No = 15;
  box->AddText(J("■■"), 3, 5, 10, 0, 0);
  box->RedrawAll(false);
  ASSERT_GT(InkNear(6.5, 11.5), 20);
  Clear();
  box->RepaintRect(30, 30, 35, 35);
  EXPECT_EQ(InkNear(6.5, 11.5), 0);
  box->RepaintRect(6, 11, 7, 12);  // inside the text's box
  EXPECT_GT(InkNear(6.5, 11.5), 20);
  Clear();
  box->RepaintRect(4, 9, 20, 20);  // across its edge
  EXPECT_GT(InkNear(6.5, 11.5), 20);
}

TEST_F(TextDrawingTest, TheRectangleTestUsesTheTextsBoxAboveItsBaseLine) {
  // Base line (0, 0) to (100, 0); on a layer that is not editable the box
  // rises 0.11 x the style height 30 = 3.3, so it spans (0, 0)-(100, 3.3).
  const RDrawElement e = StyledText(box->Draw1->ElementTexts, "AB", 0, 0, 100, 0, 3);
  struct Case {
    const char* name;
    double x1, y1, x2, y2;
    bool touches;
  };
  const Case cases[] = {
      {"wholly inside near the far end", 70, 1, 80, 2, true},
      {"wholly inside near the start", 1, 1, 2, 2, true},
      {"above the box", 1, 50, 2, 60, false},
      {"right of the box", 101, 1, 110, 2, false},
      {"across the base line's end", 90, -1, 110, 1, true},
      {"round the whole box", -10, -10, 200, 200, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(box->TextTouchesRect(e, kLayerReference, c.x1, c.y1, c.x2, c.y2), c.touches) << c.name;
  }
}

// The size rule on a style 2.0 mm wide, 3.0 mm high, spaced 0.4 mm: a
// single-byte character advances half the width, spacing after it half.
TEST(TextMeasure, LengthAndFrameHeightByHand) {
  RTextStyle style{};
  style.Width = 20;
  style.Height = 30;
  style.Spacing = 4;
  struct Case {
    const char* text;
    std::uint8_t direction;
    double length, height;
    const char* measured;
  };
  const Case cases[] = {
      {"", 0, 0.0, 3.0, ""},
      {"AB", 0, 1.0 + 0.2 + 1.0, 3.0, "AB"},
      {"漢字", 0, 2.0 + 0.4 + 2.0, 3.0, "漢字"},
      {"A漢", 0, 1.0 + 0.2 + 2.0, 3.0, "A漢"},
      {"漢A", 0, 2.0 + 0.4 + 1.0, 3.0, "漢A"},
      {"漢字", 32, 3.0 + 0.4 + 3.0, 2.0, "漢字"},  // vertical: the height advances
      {"ABD##30/40/3", 0, 3 * 1.5 + 2 * 0.15, 4.0, "ABD"},
      {"ABD##30/40/3", 32, 3 * 2.0 + 2 * 0.15, 3.0, "ABD"},
      {"ABCDEFG##x/ 40 /-5", 0, 7 * 1.0 + 6 * 0.2, 4.0, "ABCDEFG"},  // unreadable and negative keep the style
  };
  TMoziViewobj layout;
  for (const Case& c : cases) {
    const RTextMeasure m = MeasureText(layout, style, J(c.text), c.direction);
    EXPECT_NEAR(m.Length, c.length, 1e-9) << c.text << " " << int(c.direction);
    EXPECT_NEAR(m.FrameHeight, c.height, 1e-9) << c.text << " " << int(c.direction);
    EXPECT_EQ(m.Measured, Utf16FromCp932(J(c.measured))) << c.text;
  }
}

}  // namespace
