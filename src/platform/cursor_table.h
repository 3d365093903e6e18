#pragma once
// The canvas's own cursors, numbered 1 to 41 (there is no 10 and no 14): a
// 32 x 32 monochrome image each, with the hot spot at the centre. A number
// whose cursor is used while the ring cross-hair is on screen draws only a
// small cross at the hot spot; the others draw a full cross-hair. Beside the
// cross sits a small picture of what the command does (a letter for texts,
// a circle for circles, a dashed frame for ranges, ...).

#include <array>
#include <cstdint>

class QCursor;

inline constexpr int kCursorSize = 32;

struct CursorImage {
  int HotX = 15, HotY = 15;
  std::array<std::uint32_t, kCursorSize> Ink{};   // bit x of row y: a black pixel
  std::array<std::uint32_t, kCursorSize> Mask{};  // bit x of row y: not transparent (white where no ink)

  bool InkAt(int x, int y) const;
  bool MaskAt(int x, int y) const;
};

// 39 numbers: 1 to 9, 11 to 13, 15 to 41.
bool IsCursorNumber(int number);
// The image of a cursor number; false (image untouched) for any other number.
bool CursorImageFor(int number, CursorImage& image);

// The cursor to give the control for a number; 0 and every number without an
// image give the platform's arrow. Needs the application object.
QCursor CursorFor(int number);
