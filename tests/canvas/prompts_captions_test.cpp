// The guide prompt in the hint, the top-left message and the cursor label
// with its erase, on the control's image.

#include <string>

#include "canvas_fixture.h"
#include "geometry/codepage.h"
#include "pixel_view.h"

namespace {

constexpr TColor kPaleYellowPromptsCaptions = 0xB4FFFF;  // RGB(255, 255, 180)

class CaptionTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    SetPixelView(*box, 1.0, 10, 10);  // the paper outline off the screen
    box->RedrawAll(false);
  }
  // At one pixel per unit a label's top left lies 6.2 screen millimetres,
  // 6.2 x 96 / 25.4 = 23.43 units, above its anchor.
  static constexpr double kRise = 6.2 * 96 / 25.4;
  int CountIn(int x0, int y0, int x1, int y1, TColor colour) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) n += canvas().GetPixel(x, y) == colour;
    }
    return n;
  }
};

TEST_F(CaptionTest, GuidePromptGoesToTheHintAfterTwoBlanks) {
  box->SetGuidePrompt(J("点指示"));
  EXPECT_EQ(box->Hint(), "  " + J("点指示"));
}

TEST_F(CaptionTest, TopMessageIsDrawnAtTheTopLeftOnPaleYellow) {
  box->ShowTopMessage("");
  EXPECT_EQ(CountIn(0, 0, 100, 30, clBlack), 100 * 30);
  EXPECT_EQ(canvas().Brush.Style, bsClear);  // as the redraw left it

  const std::string text = J(" 計算中 ");
  box->ShowTopMessage(text);
  EXPECT_EQ(canvas().Font.Name(), J("ＭＳ ゴシック"));
  EXPECT_EQ(canvas().Font.Logical.lfHeight, -15);  // 11 points at 96 pixels per inch
  EXPECT_EQ(canvas().Brush.Color, kPaleYellowPromptsCaptions);
  EXPECT_EQ(canvas().Brush.Style, bsSolid);
  const TSize cell = canvas().TextExtent(text);
  EXPECT_EQ(canvas().GetPixel(5, 3), kPaleYellowPromptsCaptions);
  EXPECT_EQ(canvas().GetPixel(5 + cell.cx - 1, 3 + cell.cy - 1), kPaleYellowPromptsCaptions);
  EXPECT_EQ(canvas().GetPixel(4, 3), clBlack);
  EXPECT_EQ(canvas().GetPixel(5, 2), clBlack);
  EXPECT_EQ(canvas().GetPixel(5 + cell.cx, 3), clBlack);
  const int ink = CountIn(5, 3, 5 + cell.cx, 3 + cell.cy, clBlack);  // the characters
  EXPECT_GT(ink, 10);
  EXPECT_EQ(ink + CountIn(5, 3, 5 + cell.cx, 3 + cell.cy, kPaleYellowPromptsCaptions), cell.cx * cell.cy);
}

TEST_F(CaptionTest, CursorLabelTintByColourNumber) {
  struct Case {
    std::uint8_t colour;
    const char* text;
    TColor box;  // the label's top-left pixel
  };
  const Case cases[] = {
      {0, "A", 0xB4FFFF},         {1, "A", 0xFFFFB4}, {2, "A", 0xB4B4FF},
      {3, "A", 0xFFB4B4},         {4, "A", clBlack},  // no box: straight over the drawing
      {1, "---------", 0xDCDCDC},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SCOPED_TRACE(static_cast<int>(c.colour));
    box->RedrawAll(false);
    box->LabelColour = c.colour;
    box->LabelAnchor = {100, 100};
    box->ShowCursorLabel(c.text);
    EXPECT_EQ(PixelAt(100, 100 + kRise), c.box);
    EXPECT_EQ(PixelAt(98, 100 + kRise), clBlack);
    EXPECT_EQ(box->LabelPrevText, c.text);
    EXPECT_EQ(box->LabelPrevAnchor.x, 100);
    EXPECT_EQ(box->LabelPrevAnchor.y, 100);
  }
}

TEST_F(CaptionTest, ErasingRestoresTheDrawingBeneath) {
  RDrawElement line = Line(50, 115.2, 300, 115.2);
  line.ColorNo = 3;  // green
  box->Draw1->AddElement(line);
  box->RedrawAll(false);
  const int row = box->WorldToScreenY(115.2), x0 = box->WorldToScreenX(100);
  EXPECT_EQ(CountIn(x0, row, x0 + 30, row + 1, 0x00FF00), 30);

  box->LabelAnchor = {100, 100};
  box->ShowCursorLabel("ABCDEF");
  EXPECT_LT(CountIn(x0, row, x0 + 30, row + 1, 0x00FF00), 5);

  box->ShowCursorLabel(" ");
  EXPECT_EQ(CountIn(x0, row, x0 + 30, row + 1, 0x00FF00), 30);
  EXPECT_EQ(PixelAt(100, 100 + kRise), clBlack);
  EXPECT_EQ(CountIn(x0 - 5, row - 20, x0 + 60, row + 20, kPaleYellowPromptsCaptions), 0);
  EXPECT_TRUE(box->LabelPrevText.empty());
  EXPECT_EQ(box->LabelPrevAnchor.x, -1000000);
  EXPECT_EQ(box->LabelAnchor.y, -1000000);

  // The anchor is gone until the next press: a new label is not drawn.
  box->ShowCursorLabel("AB");
  EXPECT_EQ(CountIn(0, 0, box->Width(), box->Height(), kPaleYellowPromptsCaptions), 0);
  EXPECT_EQ(box->LabelPrevText, "AB");
}

TEST_F(CaptionTest, ErasingWithoutALabelDrawsNothing) {
  box->LabelAnchor = {100, 100};
  box->ShowCursorLabel(" ");
  EXPECT_EQ(CountIn(0, 0, box->Width(), box->Height(), clBlack), box->Width() * box->Height());
  EXPECT_EQ(box->LabelAnchor.x, -1000000);
  EXPECT_EQ(box->LabelPrevAnchor.y, -1000000);
}

TEST_F(CaptionTest, ShorterLabelLeavesTheOldTail) {
  box->LabelAnchor = {100, 100};
  box->ShowCursorLabel("ABCDEFGH");
  const int y = box->WorldToScreenY(100 + kRise);
  const int tail = box->WorldToScreenX(100) + canvas().TextWidth("ABCDEFGH") - 2;
  box->ShowCursorLabel("AB");
  EXPECT_EQ(canvas().GetPixel(tail, y), kPaleYellowPromptsCaptions);
}

TEST_F(CaptionTest, LabelOutsideTheViewIsRememberedNotDrawn) {
  box->LabelAnchor = {-500, 100};
  box->ShowCursorLabel("ABC");
  EXPECT_EQ(CountIn(0, 0, box->Width(), box->Height(), clBlack), box->Width() * box->Height());
  EXPECT_EQ(box->LabelPrevText, "ABC");
  EXPECT_EQ(box->LabelPrevAnchor.x, -500);
}

TEST_F(CaptionTest, PaintForgetsTheLabelOnTheScreen) {
  box->LabelAnchor = {100, 100};
  box->ShowCursorLabel("ABC");
  box->Paint();
  EXPECT_EQ(box->LabelPrevAnchor.x, -1000000);
  EXPECT_EQ(box->LabelPrevAnchor.y, -1000000);
}

}  // namespace
