#include "geometry/text_extent.h"

#include "geometry/sjis_text.h"

RTextExtent TextExtent(std::string_view text, double width, double height, double spacing) {
  RTextExtent extent;
  extent.Height = 0.1 * height;
  std::size_t i = 0;
  while (i < text.size()) {
    const bool doubleByte = IsSjisLeadByte(static_cast<unsigned char>(text[i]));
    const double share = doubleByte ? 0.1 : 0.05;
    i += doubleByte ? 2 : 1;
    extent.Length += share * width;
    if (i < text.size()) extent.Length += share * spacing;
  }
  return extent;
}
