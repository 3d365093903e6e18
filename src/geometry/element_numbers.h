#pragma once
// Small services for element data and numbers: the coordinate range guard of
// the element-adding operations, a digit of the stock file's import option
// code, mirroring a text's base line and an ellipse's axis ratio under a
// pasted scale, re-anchoring a text, rounding measured values and a stepped
// point at a segment end.

#include <cstdint>

#include "geometry/angles_points.h"

// True when a coordinate is -1.5e30 or less, 3.4e37 or more, or not a finite
// number; such an element is refused.
bool CoordinatesOutOfRange(double x1, double y1, double x2, double y2);
// Digit k of the five-digit code counted from the right (k = 1 the units);
// 0 for a code of four digits or fewer or k outside 1..5.
int OptionCodeDigit(std::uint16_t code, std::uint8_t k);
// Mirrors the base line in the vertical (scaleX < 0), then the horizontal
// (scaleY < 0) line through (cx, cy), exchanging its ends so a text still reads
// forwards; angleDeg becomes the new direction. Nothing is written otherwise.
void MirrorTextPoints(double& x1, double& y1, double& x2, double& y2, float& angleDeg, double cx, double cy,
                      double scaleX, double scaleY);
// The factor by which scales w along x and h along y change the axis ratio of
// an ellipse turned by angleDeg: |h / w|, or |w / h| near 90 and 270. A zero
// divisor gives 1 (the ratio is left as it is).
double AspectRatioAtAngle(double angleDeg, double w, double h);
// Moves the anchors A and B of a text whose far end B should become D:
// mode 1 centred, 2 end-anchored, otherwise A stays and B becomes D.
void ShiftByJustification(std::uint8_t mode, double& axOut, double& ayOut, double ax, double ay, double bx, double by,
                          double cx, double cy, double& bxOut, double& byOut);
// places 0..3 keep 4..1 decimals: mode 0 cuts, mode 1 rounds up from 0.01 of
// the last unit; places 4 keeps the integer part; other places give 3.0 and
// other modes return x.
double RoundDecimals(std::uint8_t mode, std::uint8_t places, double x);
// A point at distance d from one end of the segment (the second when
// atSecondEnd): an axis step chosen by the segment's sector for the angles 0,
// 90, 180 and 270, otherwise along angleDeg.
RPoint2D StepOffsetPoint(bool atSecondEnd, double x1, double y1, double x2, double y2, double angleDeg, double d);
