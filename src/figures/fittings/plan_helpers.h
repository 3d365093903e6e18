#pragma once
// What the plan kinds 61 to 77 share beyond the fitting frame: their
// lengths from the fitting settings, working widths and repeated units,
// the line attributes, and the end marks and side frames.

#include "figures/fittings/fitting_frame.h"

// Where the end marks of a kind sit: their depth, their side step for
// type 2 and for types 3 and 4, and the stub of types 1 and 2 (positive
// upward, negative downward).
struct REndMarkShape {
  double Depth = 0.0;
  double Step2 = 0.0;
  double Step34 = 0.0;
  double Stub = 0.0;
};

// The units of a repeated wall kind, side by side at a pitch of W + G.
struct RPlanUnits {
  double W = 0.0;      // width of one unit
  int n = 0;           // number of units drawn
  double Right = 0.0;  // x of the right anchor: the total width, one unit's without units
  double Box = 0.0;    // width of the offset box
};

enum class SideFrameShape {
  Pocket,  // open towards the wall line, hanging below it
  Box,     // beside the frame across its whole depth
};

class FittingPlan : public FittingFrame {
 public:
  // Reads the plan lengths of the settings, in paper millimetres.
  explicit FittingPlan(TBuzaidanmenobj& Figure);

  // The real width of the settings, less Reduction (real mm) when the width
  // is given overall.
  double RealWorkingWidth(double Reduction) const;
  double WorkingWidth(double Reduction) const { return Paper(RealWorkingWidth(Reduction)); }
  // The working width of the frame kinds: less both side frames when the
  // width is overall and the side frames are drawn.
  double RealFrameWidth() const;
  double FrameWidth() const { return Paper(RealFrameWidth()); }
  // The units of a repeated kind whose overall width loses Reduction.
  RPlanUnits RepeatedUnits(double Reduction) const;
  // The side gap of the offset box, 0 when the settings ask for none.
  double SideGap(double Gap) const;
  bool SideFramesOn() const;

  // A line of the symbol, a face line across the opening, a swing arc.
  void Line(double X1, double Y1, double X2, double Y2, std::uint8_t LineType = 0);
  void Face(double X1, double Y1, double X2, double Y2);
  void Arc(double CX, double CY, double Radius, double StartDeg, double EndDeg);
  // The lower and upper faces of a wall T thick from X to XEnd.
  void WallFaces(double X, double XEnd);
  // A mark across the symbol at X, HalfLength either side of Y.
  void Mark(double X, double Y, double HalfLength);
  // A block from X0 to XEnd: its sides at heights YA and YB, then its end
  // at XEnd from YA to YB.
  void Block(double X0, double XEnd, double YA, double YB);

  REndMarkShape WallMarks() const;
  REndMarkShape FrameMarks() const;
  REndMarkShape HingedMarks(double Step2) const;
  // End marks of the type in the settings at the left and right anchors;
  // they are untagged lines of colour 0 and take part in trims.
  void AddEndMarks(const REndMarkShape& Shape, double XL, double YL, double XR, double YR);
  // One section J wide at each anchor.
  void AddSideFrames(SideFrameShape Shape, double XL, double XR);
  // The ends of a wall kind: its end marks at the anchors (XL, 0) and
  // (XR, 0), then pockets there when the side frames are on.
  void AddWallEnds(double XL, double XR);
  // The ends of a frame kind W wide: end marks at (0, 0) and (W, 0), then
  // boxes beside the frame when the side frames are on.
  void AddFrameEnds(double W);
  // A pocket from Left to Right hanging D below the wall line.
  void AddPocket(double Left, double Right);
  // A closed box from the inner edge to the outer edge, from y = 0 to Depth.
  void AddSideBox(double Inner, double Outer, double Depth);

  const int n;
  const double G;
  const double T;
  const double E;
  const double J;
  const double D;
};
