#include "platform/cursor_table.h"

#include <QBitmap>
#include <QCursor>
#include <QImage>

#include <gtest/gtest.h>

#include <set>

#include "service_test_support.h"

namespace {

// The cursors used while the ring cross-hair is drawn by the canvas.
const std::set<int> kRingNumbers = {1, 2, 3, 4, 15, 16, 17, 18, 19, 21, 23, 24, 27, 29, 31, 33, 35, 37, 39, 41};

TEST(CursorTable, ThirtyNineNumbers) {
  int count = 0;
  for (int n = -1; n <= 50; ++n) {
    const bool expected = n >= 1 && n <= 41 && n != 10 && n != 14;
    EXPECT_EQ(IsCursorNumber(n), expected) << n;
    CursorImage image;
    image.HotX = -7;
    EXPECT_EQ(CursorImageFor(n, image), expected) << n;
    if (!expected) {
      EXPECT_EQ(image.HotX, -7) << n;  // untouched
    }
    count += expected;
  }
  EXPECT_EQ(count, 39);
}

TEST(CursorTable, CrossOrSmallCrossAtTheHotSpot) {
  for (int n = 1; n <= 41; ++n) {
    CursorImage c;
    if (!CursorImageFor(n, c)) continue;
    EXPECT_EQ(c.HotX, 15);
    EXPECT_EQ(c.HotY, 15);
    if (kRingNumbers.count(n)) {
      // A small cross from 11 to 19; the ring draws the long lines.
      EXPECT_TRUE(c.InkAt(11, 15) && c.InkAt(19, 15) && c.InkAt(15, 11) && c.InkAt(15, 19)) << n;
      EXPECT_TRUE(c.InkAt(15, 15)) << n;
      EXPECT_FALSE(c.InkAt(10, 15) || c.InkAt(0, 15) || c.InkAt(15, 0) || c.InkAt(15, 31)) << n;
    } else {
      // A full cross-hair with a gap of two pixels around the hot spot.
      EXPECT_TRUE(c.InkAt(0, 15) && c.InkAt(31, 15) && c.InkAt(15, 0) && c.InkAt(15, 31)) << n;
      EXPECT_TRUE(c.InkAt(15, 15)) << n;
      EXPECT_FALSE(c.InkAt(13, 15) || c.InkAt(17, 15) || c.InkAt(15, 13) || c.InkAt(15, 17)) << n;
    }
  }
}

TEST(CursorTable, MaskIsTheInkWithAOnePixelBorder) {
  for (int n = 1; n <= 41; ++n) {
    CursorImage c;
    if (!CursorImageFor(n, c)) continue;
    for (int y = 0; y < kCursorSize; ++y) {
      for (int x = 0; x < kCursorSize; ++x) {
        bool nearInk = false;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) nearInk = nearInk || c.InkAt(x + dx, y + dy);
        }
        ASSERT_EQ(c.MaskAt(x, y), nearInk) << n << " at " << x << "," << y;
      }
    }
  }
}

TEST(CursorTable, EveryCursorLooksDifferent) {
  std::set<std::array<std::uint32_t, kCursorSize>> seen;
  for (int n = 1; n <= 41; ++n) {
    CursorImage c;
    if (CursorImageFor(n, c)) {
      EXPECT_TRUE(seen.insert(c.Ink).second) << n;
    }
  }
  EXPECT_EQ(seen.size(), 39u);
}

TEST(CursorTable, PicturesOfTheCommands) {
  struct Probe {
    int number;
    int x, y;
    bool ink;
    const char* what;
  };
  const Probe probes[] = {
      {9, 25, 19, true, "text: apex of the A"},
      {9, 25, 27, true, "text: bar of the A"},
      {9, 25, 23, false, "text: inside the A"},
      {38, 19, 22, true, "text delete: stroke through the A"},
      {9, 19, 22, false, "text: no stroke"},
      {22, 31, 25, true, "circle: right"},
      {22, 25, 19, true, "circle: top"},
      {22, 19, 25, true, "circle: left"},
      {22, 25, 31, true, "circle: bottom"},
      {22, 25, 25, false, "circle: centre"},
      {20, 19, 20, true, "box: corner"},
      {20, 31, 30, true, "box: opposite corner"},
      {20, 25, 25, false, "box: inside"},
      {11, 21, 30, true, "range copy 1: first dot"},
      {11, 25, 30, false, "range copy 1: no second dot"},
      {12, 25, 30, true, "range copy 2: second dot"},
      {12, 29, 30, false, "range copy 2: no third dot"},
      {13, 29, 30, true, "range copy 3: third dot"},
      {4, 19, 19, true, "range: dashed frame, dash"},
      {4, 21, 19, false, "range: dashed frame, gap"},
      {25, 20, 20, true, "range variant: filled corner"},
      {34, 25, 25, true, "hatch: diagonal through the middle"},
      {36, 23, 22, true, "division: tick"},
      {40, 25, 25, false, "middle cut: the gap"},
      {40, 24, 21, true, "middle cut: edge of the gap"},
      {5, 19, 25, true, "stretch: arrow tip"},
      {5, 22, 22, true, "stretch: arrow head"},
  };
  for (const Probe& p : probes) {
    CursorImage c;
    ASSERT_TRUE(CursorImageFor(p.number, c));
    EXPECT_EQ(c.InkAt(p.x, p.y), p.ink) << p.what;
  }
}

TEST(CursorTable, QtCursorsCarryTheImages) {
  ASSERT_NE(TestApplication(), nullptr);
  const QCursor text = CursorFor(9);
  EXPECT_EQ(text.shape(), Qt::BitmapCursor);
  EXPECT_EQ(text.hotSpot(), QPoint(15, 15));
  const QImage ink = text.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage mask = text.mask().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(ink.size(), QSize(32, 32));
  EXPECT_EQ(ink.pixel(25, 19), qRgb(0, 0, 0));        // ink is black (color1)
  EXPECT_EQ(ink.pixel(25, 23), qRgb(255, 255, 255));  // no ink
  EXPECT_EQ(mask.pixel(25, 19), qRgb(0, 0, 0));       // shown
  EXPECT_EQ(mask.pixel(2, 2), qRgb(255, 255, 255));   // transparent
  for (int n : {0, 10, 14, 42, -3}) EXPECT_EQ(CursorFor(n).shape(), Qt::ArrowCursor) << n;
}

}  // namespace
