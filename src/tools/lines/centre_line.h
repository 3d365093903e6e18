#pragma once
// The line lying between two picked things at a ratio: two lines, two
// circles (or arcs), a line and a circle, an element and a free point, or
// two free points. Built afresh by the chained-dimension styles on every
// update, asked for a centre line and for feet on it, and dropped.

#include <cstdint>

#include "records/draw_records.h"
#include "tools/lines/chained_dimension.h"

class TCyuusinzaobj {
 public:
  // Copies both picked elements and both clicked points; Mode from whether
  // each pick found an element.
  TCyuusinzaobj(const RDimensionPick& Pick1, double X1, double Y1, double X2, double Y2, const RDimensionPick& Pick2);

  // The centre line at Ratio: 0 at the first thing, 1 at the second (with a
  // line picked only at the first point, 0 at the free second point).
  void Compute(double Ratio);
  // FootX, FootY := the foot of (X, Y) on the centre line.
  void FootOnCentreLine(double X, double Y);
  // The feet of (X, Y) on the centre line moved half the distance of the
  // two points to its right and to its left.
  void FeetOnOffsetLines(double X, double Y);

  RDrawElement Element1 = ZeroElement();
  RDrawElement Element2 = ZeroElement();
  double CentreX = 0.0;  // a point M of the centre line
  double CentreY = 0.0;
  double DirX = 0.0;  // 100 from M along the centre line
  double DirY = 0.0;
  double Point1X = 0.0;
  double Point1Y = 0.0;
  double Point2X = 0.0;
  double Point2Y = 0.0;
  // 1 both points picked an element, 2 only the second, 3 only the first,
  // 4 neither.
  std::uint8_t Mode = 4;
  double FootX = 0.0;
  double FootY = 0.0;
  double RightFootX = 0.0;
  double RightFootY = 0.0;
  double LeftFootX = 0.0;
  double LeftFootY = 0.0;

 private:
  // M and the line's direction (degrees).
  void SetLine(double MX, double MY, double Direction);
};
