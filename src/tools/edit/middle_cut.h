#pragma once
// The middle cut of a clicked line between its nearest crossings on either
// side of the click, and the split of the lines that cross near a click.
// Results are lines; the selection byte tells the split's caller which
// lines were split (2).

#include <cstdint>
#include <vector>

#include "records/draw_records.h"

class TSennakanukiobj {
 public:
  // Mode 0 keeps the clicked part, 1 removes it (Target is the clicked
  // line); mode 2 or more splits the lines offered near (X, Y).
  TSennakanukiobj(const RDrawElement& Target, double X, double Y, std::uint8_t Mode);

  // Middle cut: lines and arcs that may cross the clicked line.
  void AddCutter(const RDrawElement& Element);
  void CutMiddle();
  // Split: the lines near the click.
  void AddLine(const RDrawElement& Element);
  void SplitCrossings();

  std::uint8_t Mode = 0;
  int SideCount1 = 0;
  int SideCount2 = 0;
  RDrawElement Target;
  double FootX = 0.0;
  double FootY = 0.0;
  double P1X = 0.0;  // split mode: the click point
  double P1Y = 0.0;
  double P2X = 0.0;
  double P2Y = 0.0;
  double Cut1X = 0.0;  // nearest crossing between the foot and P1
  double Cut1Y = 0.0;
  double Cut2X = 0.0;  // nearest crossing between the foot and P2
  double Cut2Y = 0.0;
  std::vector<RDrawElement> SplitItems;
  int LastItem = -1;
  double BoxHalfSize = 0.0;  // written by the caller after creation
  std::vector<RDrawElement> Results;
  // The click has a foot on the target (a target of non-zero length).
  bool Valid = false;

 private:
  void TakeCrossing(int side, double x, double y);
  void AddResult(double x1, double y1, double x2, double y2);
};
