#pragma once
// The cross-hair and the grid as plain line records: the objects only
// compute; the canvas draws the lines, decides when to rebuild and chooses
// the colours.

#include <cstdint>
#include <vector>

#include "records/draw_records.h"

class TRingobj {
 public:
  struct RWindow {
    double Left = 0.0;
    double Bottom = 0.0;
    double Right = 0.0;
    double Top = 0.0;
  };

  // Copied from the canvas before every build.
  RWindow ViewWindow;
  // Lines 0 and 1 are the cross-hair, the ticks follow.
  std::vector<RDrawElement> Lines;
  // Index of the last line, -1 when there is none.
  std::int32_t LastIndex() const { return static_cast<std::int32_t>(Lines.size()) - 1; }

  // The ticks follow the cross-hair settings as they are at each build.
  void BuildCrossHair(double x, double y, double axisAngle, double zoom, double groupScale);
};

class TGridobj {
 public:
  // Selection byte of a grid line: 0 on the full pitch, 1 a subdivision.
  std::vector<RDrawElement> Lines;

  void BuildGrid(std::uint8_t n, bool pitchOnPaper, double angle, std::int32_t densityLimit, double left, double bottom,
                 double right, double top, double zoom, double groupScale, double pitchX, double pitchY, double originX,
                 double originY);
  void BuildAxisGrid(std::uint8_t n, bool pitchOnPaper, double angle, std::int32_t densityLimit, double left,
                     double bottom, double right, double top, double zoom, double groupScale, double pitchX,
                     double pitchY, double originX, double originY);
};
