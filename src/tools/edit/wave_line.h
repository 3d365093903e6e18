#pragma once
// Wave lines along a segment: a sine curve of short lines (style 0) or a
// coil of half circles (style 1) or flat strokes (style 2) joined by slanted
// strokes. The style and the coil sizes come from the tool settings.

#include <cstdint>
#include <vector>

#include "records/draw_records.h"

class TSinLineobj {
 public:
  // Count lines per wavelength for the sine; Height and Wavelength in paper
  // millimetres; the coil sizes are real millimetres divided by GroupScale.
  // Settings or values that build nothing keep the previous Elements; so
  // does a wave of more than 100,000 pieces.
  void BuildWave(std::int32_t Count, double X1, double Y1, double X2, double Y2, double Height, double Wavelength,
                 double GroupScale);

  std::vector<RDrawElement> Elements;
};
