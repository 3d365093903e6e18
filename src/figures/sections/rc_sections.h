#pragma once
// Reinforced-concrete sections drawn to the drawing scale: outlines, the
// stirrup or hoop inset by the cover, main bars, web bars and inner legs of
// beams and columns, circular pile sections, the symbol of one bar, and the
// frames round the labels of labelled symbols and marks.
//
// Sizes come from the RC settings in real millimetres and are divided by
// Scale (ToPaper); the label frames are paper sizes and ignore Scale. Every
// element starts zeroed and sets only what it names.

#include <cstdint>
#include <string_view>
#include <vector>

#include "records/draw_records.h"

class TRCDanmenobj {
 public:
  explicit TRCDanmenobj(double Scale);

  double ToPaper(double Length) const;

  // The symbol of one bar, which tells its size by its mark (compared
  // exactly: "d22" is not "D22").
  void AddBarSymbol(std::string_view Mark, double X, double Y);
  void MakeBarSymbol(std::string_view Mark, double X, double Y);

  // One position of a section centred on (X, Y): position 1 starts the
  // array anew, the next positions (2 and 3 for beams, 2 for the others)
  // append, any other value does nothing.
  void MakeBeamSection(std::uint8_t Position, double X, double Y);
  void MakeColumnSection(std::uint8_t Position, double X, double Y);
  void MakeCircularSection(std::uint8_t Position, double X, double Y);

  // Left, Right, Top, Bottom: the inner bounds of the stirrup or hoop.
  void AddBeamBars(std::uint8_t Position, double Left, double Right, double Top, double Bottom);
  void AddColumnBars(std::uint8_t Position, double Left, double Right, double Top, double Bottom);
  void AddCircularBars(std::uint8_t Position, double X, double Y);
  void AddWebBars(double Left, double Right, double Top, double Bottom);
  // Inner legs sit left of their equal division by half of 30 real
  // millimetres, whatever the symbol size.
  void AddStirrupLegs(double Left, double Right, double Top, double Bottom);
  void AddHoopLegs(double Left, double Right, double Top, double Bottom);

  // Label frames centred on (X, Y): 0 frame with one bar, 1 frame only, 2
  // frame with four ticks, 3 bracket open at the bottom, 4 frame with two
  // bars; any other kind leaves the array empty.
  void MakeLabelFrame(std::uint8_t Kind, double X, double Y);
  // The polygon of the frame shape, its sides as the first elements.
  void AddPolygonFrame(double X, double Y);

  std::int32_t Count = -1;  // high index of Elements
  double CentreX = 0.0;
  double CentreY = 0.0;
  double Scale = 0.0;
  std::vector<RDrawElement> Elements;

 private:
  void Clear();
  void Append(const RDrawElement& E);
  void AddLine(double x1, double y1, double x2, double y2, std::uint8_t Colour, std::uint8_t LineType);
  void AddCircle(double X, double Y, double R, std::uint8_t Colour, std::uint8_t LineType);
  // The outline and the stirrup or hoop of a rectangular section; the
  // stirrup's bounds come back.
  void AddRectangularFrame(double X, double Y, double& Left, double& Right, double& Top, double& Bottom);
  // A row of bars of the main-bar mark from (x0, y) to the right, the first
  // at x0 and the others Span / (n - 1) apart; a single bar stays at x0.
  void AddBarRow(std::uint8_t n, double x0, double Span, double y);
};

// Main-bar count k (1 to 12) of the RC settings; 0 outside that range.
std::uint8_t RcBarCount(int k);

// A line's two points, or a circle's or arc's centre, turned by Angle about
// (CX, CY); arcs then carry Angle as their rotation when SetArcRotation.
void TurnFigureElement(RDrawElement& E, double Angle, double CX, double CY, bool SetArcRotation);
