#include "platform/cursor_table.h"

#include <QBitmap>
#include <QCursor>
#include <QImage>

#include <cstdlib>

namespace {

// The pictures beside the cross.
enum class Picture {
  RangeDots,        // dashed frame with one to three dots: range copy variants
  Range,            // dashed frame
  RangeCorner,      // frame with a filled corner
  Stretch,          // double-headed arrow
  Trim,             // line ending at an edge
  DeleteLine,       // line crossed out
  Parallel,         // two parallel lines
  Text,             // the letter A
  Box,              // rectangle
  Circle,           // circle
  Polyline,         // zigzag of lines
  Chamfer,          // corner cut off
  Dimension,        // dimension line with extension ticks
  ParametricRange,  // frame with an arrow out of it
  Hatch,            // square with hatching
  Division,         // line with division ticks
  DeleteText,       // the letter A struck through
  MiddleCut,        // line with a gap
};

struct Entry {
  int number;
  bool ring;  // used while the ring cross-hair is drawn by the canvas
  Picture picture;
  int dots;  // RangeDots only
};

constexpr Entry kEntries[] = {
    {1, true, Picture::RangeDots, 1},
    {2, true, Picture::RangeDots, 2},
    {3, true, Picture::RangeDots, 3},
    {4, true, Picture::Range, 0},
    {5, false, Picture::Stretch, 0},
    {6, false, Picture::Trim, 0},
    {7, false, Picture::DeleteLine, 0},
    {8, false, Picture::Parallel, 0},
    {9, false, Picture::Text, 0},
    {11, false, Picture::RangeDots, 1},
    {12, false, Picture::RangeDots, 2},
    {13, false, Picture::RangeDots, 3},
    {15, true, Picture::Stretch, 0},
    {16, true, Picture::Trim, 0},
    {17, true, Picture::DeleteLine, 0},
    {18, true, Picture::Parallel, 0},
    {19, true, Picture::Text, 0},
    {20, false, Picture::Box, 0},
    {21, true, Picture::Box, 0},
    {22, false, Picture::Circle, 0},
    {23, true, Picture::Circle, 0},
    {24, true, Picture::RangeCorner, 0},
    {25, false, Picture::RangeCorner, 0},
    {26, false, Picture::Polyline, 0},
    {27, true, Picture::Polyline, 0},
    {28, false, Picture::Chamfer, 0},
    {29, true, Picture::Chamfer, 0},
    {30, false, Picture::Dimension, 0},
    {31, true, Picture::Dimension, 0},
    {32, false, Picture::ParametricRange, 0},
    {33, true, Picture::ParametricRange, 0},
    {34, false, Picture::Hatch, 0},
    {35, true, Picture::Hatch, 0},
    {36, false, Picture::Division, 0},
    {37, true, Picture::Division, 0},
    {38, false, Picture::DeleteText, 0},
    {39, true, Picture::DeleteText, 0},
    {40, false, Picture::MiddleCut, 0},
    {41, true, Picture::MiddleCut, 0},
};

const Entry* FindEntry(int number) {
  for (const Entry& e : kEntries) {
    if (e.number == number) return &e;
  }
  return nullptr;
}

class Pen {
 public:
  explicit Pen(CursorImage& image) : image_(image) {}

  void Dot(int x, int y) {
    if (x >= 0 && x < kCursorSize && y >= 0 && y < kCursorSize) image_.Ink[y] |= 1u << x;
  }
  // Both ends included.
  void Line(int x0, int y0, int x1, int y1, int dash = 0) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (int step = 0;; ++step) {
      if (dash == 0 || (step / dash) % 2 == 0) Dot(x0, y0);
      if (x0 == x1 && y0 == y1) break;
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x0 += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y0 += sy;
      }
    }
  }
  void Frame(int x0, int y0, int x1, int y1, int dash = 0) {
    Line(x0, y0, x1, y0, dash);
    Line(x1, y0, x1, y1, dash);
    Line(x1, y1, x0, y1, dash);
    Line(x0, y1, x0, y0, dash);
  }
  void Fill(int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y) Line(x0, y, x1, y);
  }
  void Circle(int cx, int cy, int r) {
    int x = r, y = 0, err = 1 - r;
    while (x >= y) {
      const int pts[8][2] = {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
      for (const auto& p : pts) Dot(cx + p[0], cy + p[1]);
      ++y;
      if (err < 0) {
        err += 2 * y + 1;
      } else {
        --x;
        err += 2 * (y - x) + 1;
      }
    }
  }

 private:
  CursorImage& image_;
};

// The pictures fill the box from (19, 19) to (31, 31), clear of the cross.
void DrawPicture(Pen& pen, Picture picture, int dots) {
  switch (picture) {
    case Picture::RangeDots:
      pen.Frame(19, 19, 31, 27, 2);
      for (int i = 0; i < dots; ++i) pen.Fill(21 + 4 * i, 30, 22 + 4 * i, 31);
      break;
    case Picture::Range: pen.Frame(19, 19, 31, 29, 2); break;
    case Picture::RangeCorner:
      pen.Frame(19, 19, 31, 29);
      pen.Fill(19, 19, 24, 23);
      break;
    case Picture::Stretch:
      pen.Line(19, 25, 31, 25);
      pen.Line(19, 25, 22, 22);
      pen.Line(19, 25, 22, 28);
      pen.Line(31, 25, 28, 22);
      pen.Line(31, 25, 28, 28);
      break;
    case Picture::Trim:
      pen.Line(27, 19, 27, 31);
      pen.Line(19, 25, 26, 25);
      pen.Line(28, 25, 31, 25, 1);
      break;
    case Picture::DeleteLine:
      pen.Line(19, 30, 31, 30);
      pen.Line(21, 19, 29, 27);
      pen.Line(29, 19, 21, 27);
      break;
    case Picture::Parallel:
      pen.Line(19, 27, 27, 19);
      pen.Line(23, 31, 31, 23);
      break;
    case Picture::Text:
    case Picture::DeleteText:
      pen.Line(20, 31, 25, 19);
      pen.Line(25, 19, 30, 31);
      pen.Line(22, 27, 28, 27);
      if (picture == Picture::DeleteText) pen.Line(19, 22, 31, 22);
      break;
    case Picture::Box: pen.Frame(19, 20, 31, 30); break;
    case Picture::Circle: pen.Circle(25, 25, 6); break;
    case Picture::Polyline:
      pen.Line(19, 31, 23, 21);
      pen.Line(23, 21, 27, 29);
      pen.Line(27, 29, 31, 19);
      break;
    case Picture::Chamfer:
      pen.Line(19, 20, 26, 20);
      pen.Line(26, 20, 30, 24);
      pen.Line(30, 24, 30, 31);
      break;
    case Picture::Dimension:
      pen.Line(19, 26, 31, 26);
      pen.Line(19, 21, 19, 31);
      pen.Line(31, 21, 31, 31);
      pen.Line(20, 26, 22, 24);
      pen.Line(30, 26, 28, 24);
      break;
    case Picture::ParametricRange:
      pen.Frame(19, 19, 26, 26);
      pen.Line(23, 23, 31, 31);
      pen.Line(31, 31, 31, 27);
      pen.Line(31, 31, 27, 31);
      break;
    case Picture::Hatch:
      pen.Frame(19, 19, 31, 31);
      pen.Line(19, 25, 25, 19);
      pen.Line(19, 31, 31, 19);
      pen.Line(25, 31, 31, 25);
      break;
    case Picture::Division:
      pen.Line(19, 25, 31, 25);
      for (int x = 19; x <= 31; x += 4) pen.Line(x, 22, x, 28);
      break;
    case Picture::MiddleCut:
      pen.Line(19, 25, 23, 25);
      pen.Line(27, 25, 31, 25);
      pen.Line(24, 21, 24, 29);
      pen.Line(26, 21, 26, 29);
      break;
  }
}

// White border of one pixel around the ink, so the cursor shows on any background.
void BuildMask(CursorImage& image) {
  for (int y = 0; y < kCursorSize; ++y) {
    std::uint32_t m = 0;
    for (int dy = -1; dy <= 1; ++dy) {
      const int row = y + dy;
      if (row < 0 || row >= kCursorSize) continue;
      const std::uint32_t ink = image.Ink[row];
      m |= ink | (ink << 1) | (ink >> 1);
    }
    image.Mask[y] = m;
  }
}

QBitmap BitmapOf(const std::array<std::uint32_t, kCursorSize>& rows) {
  QImage image(kCursorSize, kCursorSize, QImage::Format_MonoLSB);
  image.setColorCount(2);
  image.setColor(0, qRgb(255, 255, 255));
  image.setColor(1, qRgb(0, 0, 0));
  for (int y = 0; y < kCursorSize; ++y) {
    for (int x = 0; x < kCursorSize; ++x) image.setPixel(x, y, (rows[y] >> x) & 1u);
  }
  return QBitmap::fromImage(image);
}

}  // namespace

bool CursorImage::InkAt(int x, int y) const {
  return x >= 0 && x < kCursorSize && y >= 0 && y < kCursorSize && ((Ink[y] >> x) & 1u);
}

bool CursorImage::MaskAt(int x, int y) const {
  return x >= 0 && x < kCursorSize && y >= 0 && y < kCursorSize && ((Mask[y] >> x) & 1u);
}

bool IsCursorNumber(int number) { return FindEntry(number) != nullptr; }

bool CursorImageFor(int number, CursorImage& image) {
  const Entry* e = FindEntry(number);
  if (!e) return false;
  CursorImage result;
  Pen pen(result);
  if (e->ring) {
    // The ring cross-hair marks the point; the cursor only needs to be found.
    pen.Line(11, 15, 19, 15);
    pen.Line(15, 11, 15, 19);
  } else {
    pen.Line(0, 15, 12, 15);
    pen.Line(18, 15, 31, 15);
    pen.Line(15, 0, 15, 12);
    pen.Line(15, 18, 15, 31);
    pen.Dot(15, 15);
  }
  DrawPicture(pen, e->picture, e->dots);
  BuildMask(result);
  image = result;
  return true;
}

QCursor CursorFor(int number) {
  // Built on each call: the control asks only when its cursor changes.
  CursorImage image;
  if (!CursorImageFor(number, image)) return QCursor(Qt::ArrowCursor);
  return QCursor(BitmapOf(image.Ink), BitmapOf(image.Mask), image.HotX, image.HotY);
}
