#include "platform/canvas.h"
#include "platform/canvas_qt.h"
#include "platform/gdi.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using PixelSet = std::set<std::pair<int, int>>;

// Every pixel of the canvas whose colour differs from the background.
PixelSet Inked(TCanvas& c, TColor background = clWhite) {
  PixelSet s;
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 0; x < c.Width(); ++x) {
      if (c.GetPixel(x, y) != background) s.insert({x, y});
    }
  }
  return s;
}

PixelSet Box(int l, int t, int r, int b) {  // [l, r) x [t, b)
  PixelSet s;
  for (int y = t; y < b; ++y) {
    for (int x = l; x < r; ++x) s.insert({x, y});
  }
  return s;
}

// ---- lines ----------------------------------------------------------------------

TEST(CanvasLine, LineToLeavesOutItsFinalPixel) {
  struct Case {
    const char* name;
    TPoint from, to;
    PixelSet expected;
  };
  const Case cases[] = {
      {"right", {2, 2}, {7, 2}, {{2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}},
      {"left", {7, 2}, {2, 2}, {{7, 2}, {6, 2}, {5, 2}, {4, 2}, {3, 2}}},
      {"down", {3, 1}, {3, 5}, {{3, 1}, {3, 2}, {3, 3}, {3, 4}}},
      {"diagonal", {2, 2}, {6, 6}, {{2, 2}, {3, 3}, {4, 4}, {5, 5}}},
      {"up-left diagonal", {6, 6}, {2, 2}, {{6, 6}, {5, 5}, {4, 4}, {3, 3}}},
      // Slope 1/2: y steps where the exact value reaches a half.
      {"shallow", {0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
      {"one pixel", {5, 5}, {6, 5}, {{5, 5}}},
      {"zero length", {5, 5}, {5, 5}, {}},
  };
  for (const Case& k : cases) {
    TCanvas c(12, 12);
    c.MoveTo(k.from.X, k.from.Y);
    c.LineTo(k.to.X, k.to.Y);
    EXPECT_EQ(Inked(c), k.expected) << k.name;
    EXPECT_EQ(c.PenPos().X, k.to.X) << k.name;
    EXPECT_EQ(c.PenPos().Y, k.to.Y) << k.name;
  }
}

TEST(CanvasLine, PolylineJoinsPaintEachPixelOnceAndLeaveOutTheLastPoint) {
  TCanvas c(10, 10);
  c.Pen.Mode = pmXor;
  c.Pen.Color = clWhite;  // white XOR white = black, twice would be white again
  c.Polyline({{1, 1}, {5, 1}, {5, 5}});
  PixelSet expected = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {5, 2}, {5, 3}, {5, 4}};
  EXPECT_EQ(Inked(c), expected);
  for (const auto& p : expected) EXPECT_EQ(c.GetPixel(p.first, p.second), clBlack);
}

TEST(CanvasLine, WidePolylinePaintsItsJoinsOnce) {
  TCanvas c(40, 40);
  c.Pen.Mode = pmXor;
  c.Pen.Color = clWhite;
  c.Pen.Width = 3;
  c.Polyline({{5, 5}, {30, 5}, {30, 30}, {8, 20}});
  const PixelSet ink = Inked(c);
  EXPECT_GT(ink.size(), 150u);
  for (const auto& p : ink) EXPECT_EQ(c.GetPixel(p.first, p.second), clBlack);
  EXPECT_EQ(c.GetPixel(30, 5), clBlack);  // the corner itself
}

TEST(CanvasLine, ClearPenDrawsNothingButMoves) {
  TCanvas c(10, 10);
  c.Pen.Style = psClear;
  c.MoveTo(0, 0);
  c.LineTo(9, 9);
  EXPECT_TRUE(Inked(c).empty());
  EXPECT_EQ(c.PenPos().X, 9);
}

TEST(CanvasLine, WidePensAreCentredOnTheLine) {
  struct Case {
    int width;
    int rowsAbove, rowsBelow;
  };
  const Case cases[] = {{2, 1, 0}, {3, 1, 1}};
  for (const Case& k : cases) {
    TCanvas c(40, 40);
    c.Pen.Width = k.width;
    c.MoveTo(5, 20);
    c.LineTo(30, 20);
    int top = 40, bottom = -1;
    for (int y = 0; y < 40; ++y) {
      if (c.GetPixel(15, y) != clWhite) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    EXPECT_EQ(bottom - top + 1, k.width) << k.width;
    EXPECT_LE(20 - top, k.rowsAbove + 1) << k.width;
    EXPECT_LE(bottom - 20, k.rowsBelow + 1) << k.width;
  }
}

// ---- pen modes -------------------------------------------------------------------

void DrawEverything(TCanvas& c) {
  c.MoveTo(1, 1);
  c.LineTo(37, 23);
  c.Polyline({{3, 30}, {20, 4}, {38, 30}, {10, 12}});
  c.Rectangle(4, 5, 20, 17);
  c.Ellipse(10, 8, 33, 29);
  c.Arc(2, 2, 30, 30, 30, 16, 16, 2);
  c.Polygon({{5, 35}, {25, 20}, {35, 38}});
  c.Pen.Width = 3;
  c.MoveTo(0, 39);
  c.LineTo(39, 0);
  c.Polyline({{2, 20}, {18, 38}, {38, 20}});
  c.Ellipse(5, 5, 15, 15);
  c.Arc(20, 20, 38, 38, 38, 29, 29, 20);
  c.Pen.Width = 2;
  c.Rectangle(22, 2, 36, 12);
  c.Pen.Width = 1;
}

void PaintBackground(TCanvas& c) {
  for (int y = 0; y < c.Height(); ++y) {
    for (int x = 0; x < c.Width(); ++x) {
      c.Pixels(x, y) = static_cast<TColor>((x * 37 + y * 101) * 2654435761u) & 0xFFFFFF;
    }
  }
}

TEST(CanvasPenMode, XorAndNotXorTwiceRestoreTheImage) {
  for (TPenMode mode : {pmXor, pmNotXor}) {
    TCanvas c(40, 40);
    PaintBackground(c);
    const QImage before = CanvasImage(c).copy();
    c.Pen.Mode = mode;
    c.Pen.Color = 0x5A3C96;
    c.Brush.Color = 0x1F2E3D;
    DrawEverything(c);
    EXPECT_NE(CanvasImage(c), before) << mode;
    DrawEverything(c);
    EXPECT_EQ(CanvasImage(c), before) << mode;
  }
}

TEST(CanvasPenMode, ResultOfEachModeOnWhiteAndBlack) {
  struct Case {
    TPenMode mode;
    TColor background, pen, expected;
  };
  const Case cases[] = {
      {pmCopy, clWhite, 0x123456, 0x123456},
      {pmXor, clWhite, 0x0000FF, 0xFFFF00},  // white XOR red = aqua
      {pmXor, clBlack, 0x0000FF, 0x0000FF},
      {pmNotXor, clWhite, 0x0000FF, 0x0000FF},  // NOT(white XOR c) = c on white
      {pmNotXor, clWhite, 0x123456, 0x123456},
      {pmNotXor, clBlack, 0x0000FF, 0xFFFF00},
  };
  for (const Case& k : cases) {
    TCanvas c(5, 5, k.background);
    c.Pen.Mode = k.mode;
    c.Pen.Color = k.pen;
    c.MoveTo(0, 2);
    c.LineTo(5, 2);
    EXPECT_EQ(c.GetPixel(2, 2), k.expected) << k.mode << " " << std::hex << k.pen;
    EXPECT_EQ(c.GetPixel(2, 1), k.background);
  }
}

TEST(CanvasPenMode, XorAppliesToBrushFillsButNotToFillRect) {
  TCanvas c(10, 10);
  c.Pen.Mode = pmXor;
  c.Pen.Style = psClear;
  c.Brush.Color = 0x0000FF;
  c.Polygon({{0, 0}, {5, 0}, {5, 5}, {0, 5}});
  EXPECT_EQ(c.GetPixel(2, 2), 0xFFFF00u);
  c.FillRect({5, 5, 10, 10});
  EXPECT_EQ(c.GetPixel(7, 7), 0x0000FFu);
}

// ---- rectangles, ellipses, arcs -------------------------------------------------

TEST(CanvasShapes, RectangleOutlineAndInsideLeaveOutRightAndBottom) {
  TCanvas c(12, 12);
  c.Pen.Color = clBlack;
  c.Brush.Color = clRed;
  c.Rectangle(2, 3, 8, 7);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      TColor want = clWhite;
      if (x >= 2 && x <= 7 && y >= 3 && y <= 6) {
        want = (x == 2 || x == 7 || y == 3 || y == 6) ? clBlack : clRed;
      }
      EXPECT_EQ(c.GetPixel(x, y), want) << x << "," << y;
    }
  }
}

TEST(CanvasShapes, RectangleCornersInAnyOrderAndClearBrushOrPen) {
  TCanvas a(12, 12);
  a.Brush.Style = bsClear;
  a.Rectangle(8, 7, 2, 3);
  PixelSet frame = Box(2, 3, 8, 7);
  for (const auto& p : Box(3, 4, 7, 6)) frame.erase(p);
  EXPECT_EQ(Inked(a), frame);

  TCanvas b(12, 12);
  b.Pen.Style = psClear;
  b.Brush.Color = clRed;
  b.Rectangle(2, 3, 8, 7);
  EXPECT_EQ(Inked(b), Box(2, 3, 8, 7));
}

TEST(CanvasShapes, FillRectCoversLeftTopButNotRightBottom) {
  TCanvas c(12, 12);
  c.Brush.Color = clBlue;
  c.FillRect({2, 3, 8, 7});
  EXPECT_EQ(Inked(c), Box(2, 3, 8, 7));
  c.FillRect({8, 7, 2, 3});  // inverted: nothing
  EXPECT_EQ(Inked(c), Box(2, 3, 8, 7));
}

TEST(CanvasShapes, EllipseStaysInsideItsBoxAndTouchesEveryEdge) {
  struct Case {
    int l, t, r, b;
  };
  const Case cases[] = {{0, 0, 11, 11}, {2, 3, 12, 9}, {1, 1, 20, 6}, {4, 4, 5, 9}};
  for (const Case& k : cases) {
    TCanvas c(24, 24);
    c.Pen.Color = clBlack;
    c.Brush.Color = clRed;
    c.Ellipse(k.l, k.t, k.r, k.b);
    const PixelSet ink = Inked(c);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (const auto& p : ink) {
      minX = std::min(minX, p.first);
      maxX = std::max(maxX, p.first);
      minY = std::min(minY, p.second);
      maxY = std::max(maxY, p.second);
    }
    EXPECT_EQ(minX, k.l);
    EXPECT_EQ(maxX, k.r - 1);
    EXPECT_EQ(minY, k.t);
    EXPECT_EQ(maxY, k.b - 1);
    // Mirror symmetric about the box centre.
    for (const auto& p : ink) {
      EXPECT_TRUE(ink.count({k.l + k.r - 1 - p.first, p.second}));
      EXPECT_TRUE(ink.count({p.first, k.t + k.b - 1 - p.second}));
    }
  }
  TCanvas c(24, 24);
  c.Pen.Color = clBlack;
  c.Brush.Color = clRed;
  c.Ellipse(0, 0, 11, 11);
  EXPECT_EQ(c.GetPixel(5, 5), clRed);    // inside
  EXPECT_EQ(c.GetPixel(0, 5), clBlack);  // outline at the left edge
  EXPECT_EQ(c.GetPixel(5, 0), clBlack);
  EXPECT_EQ(c.GetPixel(10, 5), clBlack);
  EXPECT_EQ(c.GetPixel(0, 0), clWhite);  // corner of the box is outside
}

TEST(CanvasShapes, ArcWithEqualEndsIsTheWholeOutline) {
  TCanvas whole(24, 24);
  whole.Arc(1, 2, 21, 15, 3, 3, 3, 3);
  TCanvas ellipse(24, 24);
  ellipse.Brush.Style = bsClear;
  ellipse.Ellipse(1, 2, 21, 15);
  EXPECT_FALSE(Inked(whole).empty());
  EXPECT_EQ(Inked(whole), Inked(ellipse));
}

TEST(CanvasShapes, ArcRunsAnticlockwiseFromStartToEnd) {
  // Circle in the box (0,0)-(11,11), centre pixel (5, 5).
  struct Case {
    const char* name;
    TPoint start, end;
    bool right, top, left, bottom;  // (10,5), (5,0), (0,5), (5,10)
  };
  const Case cases[] = {
      {"upper quarter", {20, -10}, {-10, -10}, false, true, false, false},  // 45 to 135 degrees
      {"all but the upper quarter", {-10, -10}, {20, -10}, true, false, true, true},
      {"lower quarter", {-10, 20}, {20, 20}, false, false, false, true},  // 225 to 315 degrees
  };
  for (const Case& k : cases) {
    TCanvas c(12, 12);
    c.Arc(0, 0, 11, 11, k.start.X, k.start.Y, k.end.X, k.end.Y);
    EXPECT_EQ(c.GetPixel(10, 5) == clBlack, k.right) << k.name;
    EXPECT_EQ(c.GetPixel(5, 0) == clBlack, k.top) << k.name;
    EXPECT_EQ(c.GetPixel(0, 5) == clBlack, k.left) << k.name;
    EXPECT_EQ(c.GetPixel(5, 10) == clBlack, k.bottom) << k.name;
    EXPECT_EQ(c.GetPixel(5, 5), clWhite) << k.name;  // an arc fills nothing
  }
}

TEST(CanvasShapes, WideArcIsThickerThanThinArc) {
  TCanvas thin(30, 30);
  thin.Arc(5, 5, 25, 25, 0, 0, 0, 0);
  TCanvas wide(30, 30);
  wide.Pen.Width = 3;
  wide.Arc(5, 5, 25, 25, 0, 0, 0, 0);
  // Along the row through the centre, 1 pixel each side against 3.
  int thinCount = 0, wideCount = 0;
  for (int x = 0; x < 30; ++x) {
    thinCount += thin.GetPixel(x, 14) == clBlack;
    wideCount += wide.GetPixel(x, 14) == clBlack;
  }
  EXPECT_EQ(thinCount, 2);
  EXPECT_EQ(wideCount, 6);
  EXPECT_EQ(wide.GetPixel(4, 14), clBlack);  // centred on the curve: one outside the box
}

TEST(CanvasShapes, PolygonFillsPixelCentresInsideAndOutlinesWithThePen) {
  TCanvas c(12, 12);
  c.Pen.Style = psClear;
  c.Brush.Color = clRed;
  c.Polygon({{2, 2}, {8, 2}, {8, 6}, {2, 6}});
  EXPECT_EQ(Inked(c), Box(2, 2, 8, 6));

  TCanvas t(12, 12);
  t.Pen.Style = psClear;
  t.Brush.Color = clRed;
  t.Polygon({{0, 0}, {8, 0}, {0, 8}});  // right triangle, hypotenuse x + y = 8
  // Pixel centres (x + 0.5, y + 0.5) strictly below the hypotenuse: x + y < 7.
  PixelSet expected;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      if (x + y < 7) expected.insert({x, y});
    }
  }
  EXPECT_EQ(Inked(t), expected);

  TCanvas o(12, 12);
  o.Brush.Style = bsClear;
  o.Polygon({{2, 2}, {8, 2}, {8, 6}, {2, 6}});
  PixelSet frame = Box(2, 2, 9, 7);
  for (const auto& p : Box(3, 3, 8, 6)) frame.erase(p);
  EXPECT_EQ(Inked(o), frame);  // a closed outline reaches every corner
}

// ---- brushes ---------------------------------------------------------------------

TEST(CanvasBrush, HatchPatternsRepeatEveryEightPixels) {
  struct Case {
    TBrushStyle style;
    bool (*covers)(int x, int y);
  };
  const Case cases[] = {
      {bsHorizontal, [](int, int y) { return y % 8 == 0; }},
      {bsVertical, [](int x, int) { return x % 8 == 0; }},
      {bsFDiagonal, [](int x, int y) { return (x - y + 64) % 8 == 0; }},
      {bsBDiagonal, [](int x, int y) { return (x + y) % 8 == 0; }},
      {bsCross, [](int x, int y) { return x % 8 == 0 || y % 8 == 0; }},
      {bsDiagCross, [](int x, int y) { return (x - y + 64) % 8 == 0 || (x + y) % 8 == 0; }},
  };
  for (const Case& k : cases) {
    TCanvas c(24, 24);
    c.Brush.Color = clBlue;
    c.Brush.Style = k.style;  // a hatch leaves its gaps alone: transparent background
    c.FillRect({0, 0, 24, 24});
    TCanvas o(24, 24);
    o.Brush.Color = clBlue;
    o.Brush.Style = k.style;
    SetBkMode(o, OPAQUE);
    SetBkColor(o, clLime);
    o.FillRect({0, 0, 24, 24});
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) {
        const bool on = k.covers(x, y);
        EXPECT_EQ(c.GetPixel(x, y), on ? clBlue : clWhite) << k.style << " " << x << "," << y;
        EXPECT_EQ(o.GetPixel(x, y), on ? clBlue : clLime) << k.style << " " << x << "," << y;
      }
    }
  }
}

TEST(CanvasBrush, BackgroundModeFollowsTheBrushUntilSetAgain) {
  TCanvas c(4, 4);
  c.Brush.Style = bsSolid;
  EXPECT_EQ(GetBkMode(c), OPAQUE);
  c.Brush.Style = bsClear;
  EXPECT_EQ(GetBkMode(c), TRANSPARENT);
  c.Brush.Style = bsSolid;
  EXPECT_EQ(SetBkMode(c, TRANSPARENT), OPAQUE);
  EXPECT_EQ(GetBkMode(c), TRANSPARENT);  // stays until the brush changes
  EXPECT_EQ(SetBkMode(c, 7), 0);         // unknown mode: nothing changes
  EXPECT_EQ(GetBkMode(c), TRANSPARENT);
}

TEST(CanvasBrush, ClearBrushFillsNothing) {
  TCanvas c(8, 8);
  c.Brush.Style = bsClear;
  c.FillRect({0, 0, 8, 8});
  c.Pen.Style = psClear;
  c.Ellipse(0, 0, 8, 8);
  c.Polygon({{0, 0}, {8, 0}, {8, 8}});
  EXPECT_TRUE(Inked(c).empty());
}

// ---- pixels and clipping ----------------------------------------------------------------

TEST(CanvasPixels, ReadAndWriteThroughPixels) {
  TCanvas c(6, 6);
  c.Pixels(3, 4) = 0x102030;
  const TColor read = c.Pixels(3, 4);
  EXPECT_EQ(read, 0x102030u);
  c.Pen.Mode = pmXor;  // setting a pixel ignores the pen mode
  c.Pixels(3, 4) = 0x405060;
  EXPECT_EQ(c.GetPixel(3, 4), 0x405060u);
  struct Outside {
    int x, y;
  };
  const Outside outside[] = {{-1, 0}, {0, -1}, {6, 0}, {0, 6}, {-2000000000, 2000000000}};
  for (const Outside& o : outside) {
    EXPECT_EQ(c.GetPixel(o.x, o.y), clInvalid);
    c.Pixels(o.x, o.y) = clBlack;  // ignored, no crash
  }
}

TEST(CanvasClip, PathClipLimitsDrawingAndPixelReads) {
  TCanvas c(20, 20);
  EXPECT_TRUE(BeginPath(c));
  c.Polygon({{2, 2}, {12, 2}, {2, 12}});
  EXPECT_TRUE(Inked(c).empty());  // recorded, not drawn
  EXPECT_TRUE(EndPath(c));
  HRGN region = PathToRegion(c);
  ASSERT_NE(region, nullptr);
  EXPECT_EQ(PathToRegion(c), nullptr);  // the path is used up
  EXPECT_EQ(SelectClipRgn(c, region), COMPLEXREGION);
  EXPECT_TRUE(DeleteObject(region));  // the canvas keeps its own copy

  c.Brush.Color = clRed;
  c.FillRect({0, 0, 20, 20});
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      // Pixel centres inside the triangle x + y < 14 (edge x + y = 14 through (12,2), (2,12)).
      const bool inside = x >= 2 && y >= 2 && x + y < 13;
      EXPECT_EQ(c.GetPixel(x, y), inside ? clRed : clInvalid) << x << "," << y;
    }
  }
  EXPECT_EQ(SelectClipRgn(c, nullptr), SIMPLEREGION);
  EXPECT_EQ(c.GetPixel(0, 0), clWhite);
  EXPECT_EQ(c.GetPixel(3, 3), clRed);
}

TEST(CanvasClip, PathFiguresFromLinesAndRectangles) {
  struct Case {
    const char* name;
    void (*record)(TCanvas&);
    int x, y;
    bool inside;
  };
  const auto corner = [](TCanvas& c) {
    c.MoveTo(0, 0);
    c.LineTo(10, 0);
    c.LineTo(10, 10);
  };
  const Case cases[] = {
      {"lines, closed implicitly", corner, 8, 2, true},
      {"lines, outside the diagonal", corner, 2, 8, false},
      {"rectangle", [](TCanvas& c) { c.Rectangle(3, 3, 9, 9); }, 8, 8, true},
      {"rectangle, right edge", [](TCanvas& c) { c.Rectangle(3, 3, 9, 9); }, 9, 5, false},
      {"polyline",
       [](TCanvas& c) {
         c.Polyline({{0, 0}, {12, 0}, {0, 12}});
       },
       2, 2, true},
  };
  for (const Case& k : cases) {
    TCanvas c(16, 16);
    BeginPath(c);
    k.record(c);
    EndPath(c);
    EXPECT_TRUE(Inked(c).empty()) << k.name;
    HRGN region = PathToRegion(c);
    ASSERT_NE(region, nullptr) << k.name;
    EXPECT_EQ(PtInRegion(region, k.x, k.y), k.inside) << k.name;
    SelectClipRgn(c, region);
    DeleteObject(region);
    EXPECT_EQ(c.GetPixel(k.x, k.y) != clInvalid, k.inside) << k.name;
  }
  TCanvas c(4, 4);
  EXPECT_FALSE(EndPath(c));  // no path begun
  EXPECT_EQ(PathToRegion(c), nullptr);
  BeginPath(c);
  EXPECT_EQ(PathToRegion(c), nullptr);  // not ended yet
}

TEST(CanvasClip, ClipAppliesToWidePensAndPixels) {
  TCanvas c(20, 20);
  HRGN region = CreateRectRgn(0, 0, 10, 20);
  EXPECT_EQ(SelectClipRgn(c, region), SIMPLEREGION);
  DeleteObject(region);
  c.Pen.Width = 3;
  c.MoveTo(0, 10);
  c.LineTo(19, 10);
  c.Pixels(15, 15) = clBlack;
  SelectClipRgn(c, nullptr);
  for (const auto& p : Inked(c)) EXPECT_LT(p.first, 10);
  EXPECT_EQ(c.GetPixel(5, 10), clBlack);
}

TEST(CanvasClip, RegionTypes) {
  TCanvas c(20, 20);
  struct Case {
    HRGN region;
    int type;
  };
  const Case cases[] = {
      {CreateRectRgn(2, 2, 8, 8), SIMPLEREGION},
      {CreateRectRgn(-100, -100, 1000, 1000), SIMPLEREGION},
      {CreateRectRgn(30, 30, 40, 40), NULLREGION},
      {CreatePolygonRgn({{0, 0}, {10, 0}, {0, 10}}, ALTERNATE), COMPLEXREGION},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(SelectClipRgn(c, k.region), k.type);
    DeleteObject(k.region);
  }
  SelectClipRgn(c, nullptr);
}

TEST(CanvasRegion, PointInPolygonAndRectRegions) {
  HRGN square = CreatePolygonRgn({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, ALTERNATE);
  HRGN rect = CreateRectRgn(0, 0, 10, 10);
  // A pentagram: its middle is covered twice.
  const std::vector<TPoint> star = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
  HRGN alternate = CreatePolygonRgn(star, ALTERNATE);
  HRGN winding = CreatePolygonRgn(star, WINDING);
  struct Case {
    HRGN region;
    int x, y;
    bool inside;
  };
  const Case cases[] = {
      {square, 0, 0, true},       {square, 9, 9, true},    {square, 10, 5, false},    {square, 5, 10, false},
      {square, -1, 5, false},     {rect, 0, 0, true},      {rect, 9, 9, true},        {rect, 10, 9, false},
      {alternate, 50, 50, false}, {winding, 50, 50, true}, {alternate, 50, 20, true}, {winding, 50, 20, true},
      {winding, 5, 80, false},
  };
  for (const Case& k : cases) EXPECT_EQ(PtInRegion(k.region, k.x, k.y), k.inside) << k.x << "," << k.y;
  EXPECT_FALSE(PtInRegion(nullptr, 0, 0));
  // Far outside any window the test still answers.
  HRGN far = CreateRectRgn(-2000000000, -2000000000, 2000000000, 2000000000);
  EXPECT_TRUE(PtInRegion(far, 1999999999, -1999999999));
  for (HRGN r : {square, rect, alternate, winding, far}) EXPECT_TRUE(DeleteObject(r));
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_EQ(CreatePolygonRgn(nullptr, 0, ALTERNATE), nullptr);
}

TEST(CanvasRegion, QtRegionForInvalidationStaysInsideTheBounds) {
  HRGN triangle = CreatePolygonRgn({{0, 0}, {4, 0}, {0, 4}}, ALTERNATE);
  const QRegion q = QRegionFromRegion(triangle, QRect(0, 0, 100, 100));
  // Rows 0..3 hold 3, 2, 1, 0 pixels (centres with x + y < 3).
  EXPECT_TRUE(q.contains(QPoint(2, 0)));
  EXPECT_FALSE(q.contains(QPoint(3, 0)));
  EXPECT_TRUE(q.contains(QPoint(0, 2)));
  EXPECT_FALSE(q.contains(QPoint(0, 3)));
  DeleteObject(triangle);
  HRGN rect = CreateRectRgn(3, 4, 13, 24);
  EXPECT_EQ(QRegionFromRegion(rect, QRect(0, 0, 100, 100)), QRegion(3, 4, 10, 20));
  DeleteObject(rect);
  HRGN huge = CreateRectRgn(-2000000000, -2000000000, 2000000000, 2000000000);
  EXPECT_EQ(QRegionFromRegion(huge, QRect(0, 0, 50, 40)).boundingRect(), QRect(0, 0, 50, 40));
  DeleteObject(huge);
}

// ---- far coordinates ---------------------------------------------------------------------

TEST(CanvasFar, ShapesFarOutsideAreCutBeforeDrawing) {
  const int big = 2000000000;
  {
    TCanvas c(16, 16);
    c.MoveTo(-big, 5);
    c.LineTo(big, 5);
    EXPECT_EQ(Inked(c), Box(0, 5, 16, 6));
  }
  {
    TCanvas c(16, 16);
    c.MoveTo(-1000000000, -1000000000);
    c.LineTo(1000000000, 1000000000);
    PixelSet diagonal;
    for (int i = 0; i < 16; ++i) diagonal.insert({i, i});
    EXPECT_EQ(Inked(c), diagonal);
  }
  {
    TCanvas c(16, 16);
    c.Pen.Width = 3;
    c.MoveTo(8, -big);
    c.LineTo(8, big);
    EXPECT_EQ(Inked(c), Box(7, 0, 10, 16));
  }
  {
    TCanvas c(16, 16);
    c.Pen.Style = psClear;
    c.Brush.Color = clRed;
    c.Polygon({{-big, -big}, {big, -big}, {big, big}, {-big, big}});
    EXPECT_EQ(Inked(c), Box(0, 0, 16, 16));
    TCanvas e(16, 16);
    e.Brush.Color = clRed;
    e.Ellipse(-big, -big, big, big);  // the window lies inside the ellipse
    EXPECT_EQ(Inked(e), Box(0, 0, 16, 16));
    EXPECT_EQ(e.GetPixel(3, 3), clRed);
    TCanvas a(16, 16);
    a.Arc(-big, -big, big, big, 0, 0, 0, 0);  // the outline passes far away
    EXPECT_TRUE(Inked(a).empty());
    TCanvas r(16, 16);
    r.Brush.Color = clRed;
    r.Rectangle(-big, 4, big, 12);
    EXPECT_EQ(r.GetPixel(8, 4), clBlack);
    EXPECT_EQ(r.GetPixel(8, 8), clRed);
  }
}

TEST(CanvasSize, SetSizeKeepsWhatFits) {
  TCanvas c(10, 10);
  c.Pixels(2, 2) = clRed;
  c.SetSize(20, 5, clBlue);
  EXPECT_EQ(c.Width(), 20);
  EXPECT_EQ(c.Height(), 5);
  EXPECT_EQ(c.GetPixel(2, 2), clRed);
  EXPECT_EQ(c.GetPixel(15, 2), clBlue);
  EXPECT_EQ(c.GetPixel(2, 7), clInvalid);
  TCanvas empty(0, 0);
  empty.MoveTo(0, 0);
  empty.LineTo(5, 5);
  empty.Ellipse(0, 0, 5, 5);
  EXPECT_EQ(empty.GetPixel(0, 0), clInvalid);
}

TEST(CanvasSize, AGrownCanvasHasNoXorDrawingInItsNewPart) {
  TCanvas c(10, 10);
  c.Pen.Mode = pmXor;
  c.Pen.Color = clWhite;
  c.MoveTo(0, 0);
  c.LineTo(5, 0);  // XOR drawing is now kept
  c.SetSize(20, 10, clWhite);
  // A picture painted into the new part lies under no XOR drawing: its
  // colour stays exactly as painted.
  {
    TCanvas::TPictureDrawing picture(c);
    c.Brush.Color = clRed;
    c.FillRect({12, 2, 18, 8});
  }
  EXPECT_EQ(c.GetPixel(15, 5), clRed);
}

}  // namespace
