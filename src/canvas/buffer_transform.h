#pragma once
// Where a paste puts the copy buffer: scaled about the origin, turned about
// the scaled pivot, then moved by the offset. The paste, its previews, the
// hidden-line erase and the range hatch all place the buffer through this
// one transform, so they act exactly where the paste puts the figure.

#include <cstdint>

#include "geometry/angles_points.h"
#include "records/draw_records.h"

// A shift below this in both coordinates is the "no point" marker.
inline constexpr double kNoPointShift = -8900.0;

struct TBufferTransform {
  double scaleX = 1.0, scaleY = 1.0, rotation = 0.0;
  double cx = 0.0, cy = 0.0;  // the scaled pivot
  double ox = 0.0, oy = 0.0;  // the offset
  // cos and sin of the rotation, worked out once: a paste turns every point
  // of the buffer by the same angle.
  double cosR = 1.0, sinR = 0.0;

  RPoint2D Apply(double x, double y) const;
  // Turned about the pivot only (the kept end of a stretched line).
  RPoint2D TurnOnly(double x, double y) const;
  // A line's ends as the paste places them: a line marked by the stretch
  // selection keeps its first point, only turned.
  void PlaceLine(RDrawElement& e) const;
  // An arc's centre, radius, axis ratio and angles as the paste places them.
  void PlaceArc(RDrawElement& e) const;
  // A text's base line and angle: mirrored by the factors' signs, its base
  // point scaled, never the text itself.
  void PlaceText(RDrawElement& e) const;
};

// A paste as its caller gives it: direction mode 0 (free), 1 (along the x
// axis) or 2 (along the y axis), the shift (the target minus the base
// point), the target, the rotation in degrees, the axis angle and the two
// factors.
struct RPastePlacement {
  std::int32_t DirectionMode = 0;
  double ShiftX = 0.0, ShiftY = 0.0;
  double TargetX = 0.0, TargetY = 0.0;
  double Rotation = 0.0;
  double AxisAngle = 0.0;
  double ScaleX = 1.0, ScaleY = 1.0;

  // The shift is the "no point" marker.
  bool ShiftIsNoPoint() const { return ShiftX < kNoPointShift && ShiftY < kNoPointShift; }
  // Nothing is placed: no point, or a factor of zero.
  bool PlacesNothing() const { return ShiftIsNoPoint() || ScaleX == 0.0 || ScaleY == 0.0; }
};

// The transform of the paste.
TBufferTransform MakeBufferTransform(const RPastePlacement& p);
// The same with the offset taken from a base point of its own (a preview
// measures it from the command's base point, the pivot from the target).
TBufferTransform MakeBufferTransform(const RPastePlacement& p, RPoint2D base);

// A buffer element mirrored in the line through (x1, y1) and (x2, y2) as
// the mirrored paste adds it: a text with its ends exchanged so that it
// still reads forwards, an arc with its angles reversed. False for a kind
// the paste leaves out.
bool MirrorBufferElement(RDrawElement& e, double x1, double y1, double x2, double y2);
