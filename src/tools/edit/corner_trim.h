#pragma once
// The corner tool: two lines, a line and an arc, or two arcs trimmed or
// extended so that they meet at their crossing on the picked sides; the join
// of offset lines; and the corner cuts between two lines (chamfer, rounded
// corner, cove, notch, fillet). The caller creates it, loads the slots, runs
// one operation and reads the status and the result slots.

#include <array>
#include <cstdint>

#include "geometry/angles_points.h"
#include "tools/edit/tool_records.h"

// The line (staying end, X): of P1 and P2, P1 stays when its direction from
// X agrees with that of the pick foot F within t1 and P2's differs by more
// than 15 degrees, P2 likewise with t2, otherwise the end farther from X
// (P1 on a tie). Attribute bytes are the line's.
RToolLine KeptEndToCrossing(const RToolLine& line, double xx, double xy, double fx, double fy, double t1, double t2);

class Ttremingobj {
 public:
  // Outcomes of an operation.
  static constexpr std::uint8_t kCollinear = 0;  // result line 0 is the merged line
  static constexpr std::uint8_t kMade = 1;
  static constexpr std::uint8_t kLineArcTrimmed = 2;
  static constexpr std::uint8_t kNoCorner = 10;  // result slots as loaded

  // Working pick 0 is B and working pick 1 is A, the other way round with
  // SwapFirst (a line and an arc: working pick 0 belongs to the arc).
  Ttremingobj(bool SwapFirst, double AX, double AY, double BX, double BY, double Tolerance);

  // Each loader fills input slot Slot (0 or 1) and copies it into result
  // slot Slot.
  void SetLine(std::uint8_t LineType, std::uint8_t Colour, double X1, double Y1, double X2, double Y2,
               std::uint8_t LayerGroup, std::uint8_t Layer, std::uint8_t Slot);
  void SetLineWithFlag(std::uint8_t LineType, std::uint8_t Colour, double X1, double Y1, double X2, double Y2,
                       std::uint8_t LayerGroup, std::uint8_t Layer, std::uint8_t Slot, std::uint8_t Flag);
  void SetArc(std::uint8_t LineType, std::uint8_t Colour, double CentreX, double CentreY, double Radius,
              float AxisRatio, float StartAngle, float EndAngle, float Rotation, std::uint8_t LayerGroup,
              std::uint8_t Layer, std::uint8_t Slot);

  // Line slots 0 and 1, each kept on the side of its pick.
  void TrimLineLine();
  // The parallel-line command's join, steered by the lines' flags.
  void JoinLineLine();
  // Line slot 0 and arc slot 0.
  void TrimLineArc();
  // Arc slots 0 and 1; never changes the status.
  void TrimArcArc();

  // Kind 0 set-back chamfer, 1 chamfer of length Size, 2 rounded corner,
  // 3 cove, 4 notch (set-backs from the settings over GroupScale), 5 fillet
  // of radius Size; other kinds trim as kind 0 and add nothing.
  void ChamferCorner(std::uint8_t Kind, double Size, double GroupScale);

  std::array<RPoint2D, 2> WorkPicks{};
  RPoint2D PickA;
  RPoint2D PickB;
  double Tolerance = 0.0;  // half-size of the notch's pick box
  std::array<RToolArc, 2> InputArcs{};
  std::array<RToolLine, 2> InputLines{};
  std::uint8_t Status = 0;
  std::array<RToolArc, 2> ResultArcs{};  // result arc 0 also takes the corner arc
  std::array<RToolLine, 2> ResultLines{};
  std::array<RToolLine, 2> ChamferLines{};  // coordinates only

 private:
  // The crossing X of the two loaded lines: false after setting the status
  // when there is none (parallel) or the lines are collinear (merged into
  // result line 0).
  bool CrossingOrMerge(double& xx, double& xy);
  // The corner of both lines with the kept-end tolerances of the corner
  // cuts: false after setting the status when there is no corner to cut
  // (parallel, or collinear and merged).
  bool CornerStep(double& xx, double& xy, std::array<RToolLine, 2>& lines);
  // Size × sin((180 − θ) / 2) / sin θ, θ the angle between the trimmed
  // lines at X: the set-back that gives a chamfer segment of length Size.
  static double ChamferSetBack(double Size, const std::array<RToolLine, 2>& lines);
  // Start and end of result arc 0 so that the anticlockwise sweep between
  // the two directions is the shorter one.
  void SetShortArcAngles(double a0, double a1);
  // Result arc 0 mirrored in the line P -> Q.
  void MirrorResultArc(double px, double py, double qx, double qy);
  void NotchCorner(double GroupScale);
  void FilletCorner(double R);
};
