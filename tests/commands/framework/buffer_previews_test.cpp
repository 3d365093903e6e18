// The copy buffer shown while it is placed: the preview that gives way to
// the mouse, its exact erase, and the placed figure.

#include <gtest/gtest.h>

#include <QImage>

#include <set>
#include <utility>
#include <vector>

#include "platform/canvas_qt.h"
#include "support/command_harness.h"

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet ChangedPixels(const QImage& before, const QImage& after) {
  PixelSet changed;
  for (int y = 0; y < before.height(); ++y) {
    for (int x = 0; x < before.width(); ++x) {
      if (before.pixel(x, y) != after.pixel(x, y)) changed.insert({x, y});
    }
  }
  return changed;
}

class BufferPreviews : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    Box().ColourTable.fill(0x00FF00);  // shows on the black background
  }
  QImage Image() { return CanvasImage(Box().Canvas()).copy(); }
  std::vector<RDrawElement>& Buffer() { return Store().Buffer; }
  bool Shows(double x, double y, const QImage& before) {
    return Image().pixel(PixelX(x), PixelY(y)) != before.pixel(PixelX(x), PixelY(y));
  }
  // Some pixel within two of the point's changed (a dashed line's end may
  // fall in a gap).
  bool ShowsNear(double x, double y, const QImage& before) {
    const QImage now = Image();
    for (int dy = -2; dy <= 2; ++dy) {
      for (int dx = -2; dx <= 2; ++dx) {
        if (now.pixel(PixelX(x) + dx, PixelY(y) + dy) != before.pixel(PixelX(x) + dx, PixelY(y) + dy)) return true;
      }
    }
    return false;
  }
  // The pixels of one row between two x in a colour.
  int CountOnRow(double y, double x1, double x2, TColor colour) {
    int n = 0;
    for (int px = PixelX(x1); px <= PixelX(x2); ++px) n += Box().Canvas().GetPixel(px, PixelY(y)) == colour;
    return n;
  }
  // Eight short horizontal lines, one above the other at y = 10, 20, ... 80.
  void FillEightLines() {
    for (int i = 0; i < 8; ++i) Buffer().push_back(Line(10, 10 + 10 * i, 30, 10 + 10 * i));
  }
};

TEST_F(BufferPreviews, AMoveOfTheCursorEndsThePreviewAndTheEraseTakesExactlyWhatWasDrawn) {
  FillEightLines();
  Input().cursorKnown = true;
  Input().cursorX = 300;
  Input().cursorY = 200;
  // Read 1 is the start, then one read before elements 1, 3 and 5: the
  // fourth read, before element 5, sees the cursor elsewhere.
  Input().cursorMovesFromRead = 4;
  Input().movedX = 301;
  Input().movedY = 200;
  const QImage before = Image();
  Box().DrawBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  EXPECT_EQ(Box().PreviewLastIndex, 4);
  EXPECT_EQ(Input().cursorReads, 4);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Shows(20, 10 + 10 * i, before), i <= 4) << "line " << i;
  }
  Box().EraseBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  EXPECT_TRUE(Image() == before) << "the erase restores every pixel";
  EXPECT_EQ(Box().Canvas().Pen.Mode, pmCopy);
}

TEST_F(BufferPreviews, WithoutACursorPositionTheWholeBufferIsDrawn) {
  FillEightLines();
  const QImage before = Image();
  Box().DrawBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  EXPECT_EQ(Box().PreviewLastIndex, 7);
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(Shows(20, 10 + 10 * i, before)) << "line " << i;
  Box().EraseBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  EXPECT_TRUE(Image() == before);
}

TEST_F(BufferPreviews, ABufferOfOneElementIsDrawnWhole) {
  Buffer().push_back(Line(10, 10, 30, 10));
  Input().cursorKnown = true;
  Input().cursorMovesFromRead = 2;  // would stop at element 1, which is not there
  Input().movedX = 5;
  const QImage before = Image();
  Box().DrawBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  EXPECT_EQ(Box().PreviewLastIndex, 0);
  EXPECT_TRUE(Shows(20, 10, before));
  Box().EraseBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  EXPECT_TRUE(Image() == before);
}

TEST_F(BufferPreviews, NoPointOrAZeroFactorDrawsNothingAndKeepsTheIndex) {
  FillEightLines();
  struct Case {
    double dx, dy, sx, sy;
  } cases[] = {{-9000, -9000, 1, 1}, {0, 0, 0, 1}, {0, 0, 1, 0}};
  const QImage before = Image();
  for (const Case& c : cases) {
    Box().PreviewLastIndex = 3;
    Box().DrawBufferPreview(0, 10, c.dx, c.dy, 0, 0, 0, c.sx, c.sy);
    Box().EraseBufferPreview(0, 10, c.dx, c.dy, 0, 0, 0, c.sx, c.sy);
    Box().DrawBufferPlaced(0, 0, c.dx, c.dy, 0, 0, 0, c.sx, c.sy, false);
    EXPECT_EQ(Box().PreviewLastIndex, 3);
    EXPECT_TRUE(Image() == before);
  }
}

TEST_F(BufferPreviews, AnEmptyBufferErasesNothingAndResetsTheIndex) {
  Box().PreviewLastIndex = 5;
  const QImage before = Image();
  Box().EraseBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  EXPECT_EQ(Box().PreviewLastIndex, 0);
  EXPECT_TRUE(Image() == before);
}

TEST_F(BufferPreviews, TheEraseNeverReadsPastAShrunkenBuffer) {
  FillEightLines();
  Box().DrawBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  Box().EraseBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  const QImage before = Image();
  Buffer().resize(2);
  Box().PreviewLastIndex = 7;
  Box().DrawBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  Box().PreviewLastIndex = 7;
  Box().EraseBufferPreview(0, 10, 0, 0, 0, 0, 0, 1, 1);
  EXPECT_TRUE(Image() == before);
}

TEST_F(BufferPreviews, PreviewedLinesArcsAndPointsLandOnThePixelsOfThePaste) {
  // Base point (10, 10) to the target (60, 40), doubled in x, turned 90
  // degrees; the same with a mirror in y.
  Buffer().push_back(Line(10, 10, 20, 15));
  Buffer().push_back(Arc(15, 20, 4, 0, 120));
  Buffer().push_back(Point(12, 18));
  struct Case {
    double sx, sy, angle;
  } cases[] = {{2, 1, 90}, {1, -1, 30}, {1, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    Box().FirstPoint = {10, 10};
    const QImage before = Image();
    Box().DrawBufferPreview(0, 10, 50, 30, 60, 40, c.angle, c.sx, c.sy);
    const PixelSet previewed = ChangedPixels(before, Image());
    Box().EraseBufferPreview(0, 10, 50, 30, 60, 40, c.angle, c.sx, c.sy);
    ASSERT_TRUE(Image() == before);
    EXPECT_FALSE(previewed.empty());

    Store().PasteBuffer(0, 0, 50, 30, 60, 40, c.angle, 0, c.sx, c.sy, 0, 0, false, 0, false, false);
    Box().RedrawAll(false);
    const QImage pasted = Image();
    EXPECT_EQ(ChangedPixels(before, pasted), previewed);
    Store().Elements.clear();
    Store().ElementTexts.clear();
    Box().RedrawAll(false);
  }
}

TEST_F(BufferPreviews, AStretchedLineTurnsOnlyItsKeptEndAndRectanglesOnlyShift) {
  // The kept end (0, 0) stays; the moved end (10, 0) goes by the shift
  // (20, 30) to (30, 30). The rectangle is shifted alone, though the
  // preview doubles everything.
  RDrawElement stretched = Line(40, 10, 50, 10);
  stretched.Scratch = 2;
  RDrawElement rect = Line(10, 40, 20, 50);
  rect.Kind = kKindRect;
  RDrawElement ignored = Line(10, 20, 30, 20);
  ignored.Scratch = 4;  // a mark the preview does not know
  Buffer() = {stretched, rect, ignored};
  Box().FirstPoint = {0, 0};
  const QImage before = Image();
  Box().DrawBufferPreview(0, 10, 20, 30, 20, 30, 0, 1, 1);
  // The stretched line from (40, 10) to (70, 40): dashes, so somewhere on
  // it, near both ends.
  EXPECT_TRUE(ShowsNear(40, 10, before));
  EXPECT_TRUE(ShowsNear(70, 40, before));
  EXPECT_TRUE(ShowsNear(30, 70, before)) << "the rectangle shifted";
  EXPECT_FALSE(Shows(20, 20, before)) << "an unknown mark is not drawn";
  EXPECT_FALSE(Shows(40, 50, before));
  Box().EraseBufferPreview(0, 10, 20, 30, 20, 30, 0, 1, 1);
  EXPECT_TRUE(Image() == before);

  Box().DrawBufferPreview(0, 10, 20, 30, 20, 30, 0, 2, 2);
  // Doubled: the line's moved end at 2 * (50, 10) + (20, 30) = (120, 50);
  // the rectangle still shifted only.
  EXPECT_TRUE(ShowsNear(120, 50, before));
  EXPECT_TRUE(ShowsNear(30, 70, before));
  Box().EraseBufferPreview(0, 10, 20, 30, 20, 30, 0, 2, 2);
  EXPECT_TRUE(Image() == before);
}

TEST_F(BufferPreviews, TheEraseUsesTheAxisAngleOfItsPreview) {
  FillEightLines();
  Box().FirstPoint = {0, 0};
  Box().AxisAngle = 30;
  const QImage before = Image();
  Box().DrawBufferPreview(1, 10, 20, 5, 20, 5, 0, 1, 1);
  EXPECT_EQ(Box().PreviewAxisAngle, 30);
  Box().AxisAngle = 0;
  Box().EraseBufferPreview(1, 10, 20, 5, 20, 5, 0, 1, 1);
  EXPECT_TRUE(Image() == before);
}

TEST_F(BufferPreviews, ATextIsMirroredButNeverScaledAndItsFrameErasesExactly) {
  Tdrawinp::TextList& texts = Store().BufferTexts;
  Buffer().push_back(Text(texts, "AB", 20, 20, 30, 20));
  RDrawElement lost = Text(texts, "C", 20, 40, 25, 40);
  lost.TextIndex = 99;  // past the list: reads as no string
  Buffer().push_back(lost);
  Box().FirstPoint = {0, 0};
  const QImage before = Image();
  Box().DrawBufferPreview(0, 10, 60, 0, 60, 0, 0, -1, 1);
  const PixelSet mirrored = ChangedPixels(before, Image());
  Box().EraseBufferPreview(0, 10, 60, 0, 60, 0, 0, -1, 1);
  EXPECT_TRUE(Image() == before);
  // Mirrored about x = 0 and moved by 60: the base line from (40, 20) to
  // (30, 20), the same length, drawn about x = 30 to 40 only.
  ASSERT_FALSE(mirrored.empty());
  for (const auto& [px, py] : mirrored) {
    EXPECT_GE(px, PixelX(30) - 3);
    EXPECT_LE(px, PixelX(40) + 3);
  }
}

TEST_F(BufferPreviews, ThePlacedFigureShowsTheSelectionLookAndLeavesOutLineType9) {
  RDrawElement type9 = Line(10, 30, 30, 30);
  type9.LineType = 9;
  Buffer() = {Line(10, 10, 30, 10), type9};
  Box().DrawBufferPlaced(0, 1, 0, 0, 0, 0, 0, 1, 1, true);
  EXPECT_EQ(CountOnRow(10, 10, 30, Box().Sentakucol), 100) << "the whole line in the selection colour";
  EXPECT_EQ(Box().PreviewLastIndex, 1);
  EXPECT_EQ(CountOnRow(30, 10, 30, Box().Sentakucol), 0) << "line type 9 left out";

  Box().DrawBufferPlaced(0, 0, 0, 0, 0, 0, 0, 1, 1, false);
  const TColor own = Box().PrepareXorColor(0x00FF00);
  EXPECT_EQ(CountOnRow(10, 10, 30, own), 100) << "its own colour";
  EXPECT_GT(CountOnRow(30, 10, 30, own), 0) << "line type 9 drawn";
}

TEST_F(BufferPreviews, ThePlacedFiguresTextsShowInTheSelectionColour) {
  Box().Sentakucol = 0x0000FF;  // red, unlike every text colour
  RDrawElement text = Text(Store().BufferTexts, "AB", 40, 50, 42.05, 50);
  text.TextStyle = 1;
  Buffer() = {text};
  const QImage before = Image();
  Box().DrawBufferPlaced(0, 1, 0, 0, 0, 0, 0, 1, 1, true);
  const QImage after = Image();
  const PixelSet changed = ChangedPixels(before, after);
  ASSERT_FALSE(changed.empty()) << "the text shows";
  for (const auto& [px, py] : changed) {
    EXPECT_EQ(Box().Canvas().GetPixel(px, py), 0x0000FFu) << px << ", " << py;
  }
}

TEST_F(BufferPreviews, TheCancelAllForgetsThePreview) {
  // The free copy places the two selected lines: its preview follows the
  // cursor until the cancel-all takes it off.
  RDrawElement lower = Line(10, 10, 30, 10), upper = Line(10, 20, 30, 20);
  lower.Selection = 1;
  upper.Selection = 1;
  Seed({lower, upper});
  Box().PasteScaleX = 1;
  Box().PasteScaleY = 1;
  Box().ButonType = dtCopyFree;
  Click(10, 10);
  ASSERT_EQ(Box().B_Switch, on1);
  MoveTo(40, 50);
  ASSERT_EQ(PixelAt(50, 50), Box().PrepareXorColor(0x00FF00)) << "the preview shows";
  ASSERT_EQ(Box().PreviewLastIndex, 1);
  CancelCommands();
  EXPECT_EQ(Box().PreviewLastIndex, 0);
  ExpectScreenMatchesRedraw();
}

}  // namespace
