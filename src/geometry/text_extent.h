#pragma once
// The extent of a text as the tools measure it, from the width, height and
// character spacing of its style (all in 0.1 paper millimetres): a
// double-byte character counts the full width and a single-byte one half,
// each followed by its share of the spacing except the last character. The
// text element's second point lies this length along the text angle.

#include <string_view>

struct RTextExtent {
  double Length = 0.0;  // paper millimetres
  double Height = 0.0;  // paper millimetres
};

// text in code page 932; a lead byte at the very end counts as one
// double-byte character.
RTextExtent TextExtent(std::string_view text, double width, double height, double spacing);
