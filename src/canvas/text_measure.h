#pragma once
// The size of a text in a style: the frame height across its base line and
// the length along it, with the style's sizes replaced by the positive sizes
// of a trailing size markup ("##"), whose part is not measured.

#include <cstdint>
#include <string>

#include "canvas/text_layout.h"
#include "records/draw_records.h"

struct RTextMeasure {
  double FrameHeight = 0.0;  // paper mm
  double Length = 0.0;       // paper mm, before any markup correction
  std::u16string Measured;   // the string without its size markup
  RTextStyle Sized{};        // the style with the markup's sizes in it
};

RTextMeasure MeasureText(TMoziViewobj& layout, const RTextStyle& style, const std::string& text,
                         std::uint8_t direction);
