#pragma once
// The extent of a text as the tools measure it, from the width, height and
// character spacing of its style (all in 0.1 paper millimetres): a
// double-byte character counts the full width and a single-byte one half,
// each followed by its share of the spacing except the last character. The
// text element's second point lies this length along the text angle.

#include <cstdint>
#include <string_view>

struct RTextExtent {
  double Length = 0.0;  // paper millimetres
  double Height = 0.0;  // paper millimetres
};

// text in code page 932; a lead byte at the very end counts as one
// double-byte character.
RTextExtent TextExtent(std::string_view text, double width, double height, double spacing);

// The point of a text's box that a justification code names, as offsets
// along and across the text from the box's bottom left: 0 bottom left, 1
// bottom centre, 2 bottom right, 3 middle right, 4 top right, 5 top centre,
// 6 centre, 7 top left, 8 middle left; any other code the bottom left.
struct RBoxOffset {
  double Along = 0.0;
  double Across = 0.0;
};
RBoxOffset JustifiedBoxOffset(std::uint8_t code, const RTextExtent& extent);
