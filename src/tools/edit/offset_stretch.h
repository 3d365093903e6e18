#pragma once
// Two tools that change one element: the concentric copy of a circle or arc
// through the side of a point, and the stretch of a line or of one end of
// an arc to a new position. The caller reads the result fields.

#include <cstdint>

#include "tools/edit/tool_records.h"

class TFukuenobj {
 public:
  TFukuenobj(double CentreX, double CentreY, double Radius, float AxisRatio, float StartAngle, float EndAngle,
             float Rotation);

  // Result := the source with its radius grown by Distance when (X, Y) lies
  // on or outside the circle, shrunk by it when inside. False when the
  // result's radius is 0 or less (the result is written all the same).
  bool Offset(double X, double Y, double Distance);

  RToolArc Source;
  RToolArc Result;
};

class TSinsyukuobj {
 public:
  // A: the pick on the element; B: the new end position. The tolerance is
  // kept for the caller; the computations do not use it.
  TSinsyukuobj(double AX, double AY, double BX, double BY, double Tolerance);

  // Moves the end on B's side of A's foot to B's foot; a line of zero length
  // stays as it is.
  void StretchLine(std::uint8_t LineType, std::uint8_t Colour, double X1, double Y1, double X2, double Y2,
                   std::uint8_t LayerGroup, std::uint8_t Layer);
  // Turns the end nearer A's direction to B's direction; a full circle
  // stays as it is.
  void StretchArc(std::uint8_t LineType, std::uint8_t Colour, double CentreX, double CentreY, double Radius,
                  float AxisRatio, float StartAngle, float EndAngle, float Rotation, std::uint8_t LayerGroup,
                  std::uint8_t Layer);

  double PointAX = 0.0;
  double PointAY = 0.0;
  double PointBX = 0.0;
  double PointBY = 0.0;
  double Tolerance = 0.0;
  RToolArc SourceArc;
  RToolLine SourceLine;
  RToolArc ResultArc;
  RToolLine ResultLine;
  std::uint8_t ElementKind = 0;  // 0 after a line, 1 after an arc
};
