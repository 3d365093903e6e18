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

RBoxOffset JustifiedBoxOffset(std::uint8_t code, const RTextExtent& extent) {
  const double l = extent.Length;
  const double h = extent.Height;
  switch (code) {
    case 1: return {l / 2, 0.0};
    case 2: return {l, 0.0};
    case 3: return {l, h / 2};
    case 4: return {l, h};
    case 5: return {l / 2, h};
    case 6: return {l / 2, h / 2};
    case 7: return {0.0, h};
    case 8: return {0.0, h / 2};
    default: return {};
  }
}
