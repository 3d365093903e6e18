#pragma once
// What the door and window figures of kinds 51 to 77 share: the box offset,
// the emptied output, the local origin at the box corner, the appending
// helpers and the final turn by the figure angle.
//
// A kind creates one FittingFrame on its generator, calls Begin with its
// figure box, appends its lines and arcs in local coordinates (x along the
// fitting, y across it, origin at the box corner) and ends with Finish.

#include <cstdint>

#include "figures/sections/section_generator.h"

// The most lines a kind repeats at a pitch; a count beyond it, or one
// that is not a number, draws no such lines.
inline constexpr double kMaxRepeatedFittingLines = 100000;

class FittingFrame {
 public:
  explicit FittingFrame(TBuzaidanmenobj& Figure) : figure_(Figure) {}

  // A real length in millimetres as a paper length of the figure.
  double Paper(double Real) const { return Real / figure_.Scale; }

  // Puts the base point on the W x H box (Gap beside it) by the base-point
  // code, empties Elements and keeps the box corner as the local origin.
  void Begin(double W, double H, double Gap);

  // An elevation line: colour and line type only.
  void AddLine(std::uint8_t Color, std::uint8_t LineType, double X1, double Y1, double X2, double Y2);
  // A plan line: a coloured one goes on the plan layer; a tagged one carries
  // the fitting tag, which keeps it out of box trims and envelopes.
  void AddLine(bool Tagged, std::uint8_t Color, std::uint8_t LineType, double X1, double Y1, double X2, double Y2);
  // A circular arc of a plan (angles in degrees), already turned by Angle.
  void AddArc(std::uint8_t Color, std::uint8_t LineType, double CX, double CY, double Radius, double StartDeg,
              double EndDeg);

  // Every line appended after it has its x replaced by Total - x: a figure
  // built as drawn and appended mirrored along the fitting.
  void MirrorAlong(double Total) {
    mirrored_ = true;
    mirrorTotal_ = Total;
  }

  // Turns the figure about the local origin by Angle: lines at both ends,
  // arcs at their centre. A turn of a ten-thousandth of a degree or less
  // leaves every coordinate as built.
  void Finish();

 private:
  // The plan layer for a coloured element.
  void SetPlanLayer(RDrawElement& E) const;

  TBuzaidanmenobj& figure_;
  double originX_ = 0.0;
  double originY_ = 0.0;
  bool mirrored_ = false;
  double mirrorTotal_ = 0.0;
};
