#pragma once
// The continuous-line tool: a chain of fixed points plus the moving cursor,
// turned into the elements of one of the line styles. The style is the
// drafting setting PolylineStyle, read again at every update, so the same
// object can change style between two cursor moves.
//
// The continuous-line command drives it: the first click creates it and adds
// the start; every cursor move updates it (the preview); a further click
// updates it with the clicked point and adds the end the update computed;
// finishing trims the moving segment and commits the rest.
//
// Elements carry their kind and geometry only: line type, colour, group,
// layer and the other bytes stay 0 and the commit reads 0 as the current
// pen, group and layer; it skips lines shorter than 0.00001 and arcs of a
// radius below 0.00001. Real-mm settings are divided by GroupScale,
// drawing-mm settings (arrowheads, mark radii) are used as they are.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "geometry/angles_points.h"
#include "records/draw_records.h"

class TRenzokuSenobj {
 public:
  // Copies up to 12 text styles (the canvas passes its table).
  explicit TRenzokuSenobj(std::span<const RTextStyle> Styles);

  // Appends the fixed point P[PointCount + 1] and keeps Flag (1: the point
  // was snapped to the centre of Picked, a circle, arc or ellipse) and Picked.
  void AddPoint(std::uint8_t Flag, const RDrawElement& Picked, double X, double Y);
  // Rebuilds Elements for the cursor (PX, PY) and sets EndX, EndY. BaseAngle
  // is the direction of the drawing axes, AngleStep the snapping step (0:
  // none), SetLength the fixed segment length in drawing mm (0: free),
  // ViewScale the zoom. With no fixed point, a style above the last or
  // values that are not finite (or a scale of 0 or less) nothing changes.
  void Update(double PX, double PY, double BaseAngle, double AngleStep, double SetLength, double GroupScale,
              double ViewScale);
  // Removes the last fixed point and its elements; with one point: Reset.
  void DropLastPoint();
  // Ends the line: with one fixed point a Reset that leaves Elements to be
  // committed; otherwise one point fewer and, with TrimOnFinish set,
  // Elements cut to the fixed segments.
  void Finish();
  // Back to no points; Elements stay.
  void Reset();

  // Moves a line sideways to its left by PolylineOffset / GroupScale.
  void ShiftSegment(RDrawElement& Element) const;
  // One step into [0, 360).
  static double WrapAngle(double A);

  // Styles 0 to 5.
  void BuildPolyline(double PX, double PY, double BaseAngle, double AngleStep, double SetLength, double ViewScale);
  void BuildDoubleLine(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildMarkedPolyline(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);

  // Styles 6 to 9: steps, ties, boxes and crosses.
  void BuildSteps(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  // Step layout of the segment (X1, Y1) -> (X2, Y2).
  void StepPlan(double X1, double Y1, double X2, double Y2, double& Run, double& Rise, double& Nosing,
                std::int32_t& Count) const;
  void BuildTies(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildBoxes(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildCrosses(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  // Styles 10 to 12: circles, division ticks and rings of ticks.
  void BuildCircles(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildDivisionTicks(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildRingTicks(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  // Styles 13 to 18: section-list frames and the measuring styles.
  void BuildBeamSectionList(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildColumnSectionList(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildPileSectionList(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildMeasuredCrosses(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildMeasuredCrosses2(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void MeasureLength(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  // A text element (line type 1, colour 1) for Texts[Index], anchored at
  // (X, Y) by Justification.
  void MakeText(RDrawElement& Element, const std::string& Text, double X, double Y, double Angle, std::uint16_t Index,
                std::uint8_t Justification, std::uint8_t Style) const;
  // Turns the anchor (X, Y) into the base point of Text and gives the end of
  // its baseline in (X2, Y2).
  void PlaceText(double& X, double& Y, std::uint8_t Style, std::uint8_t Justification, const std::string& Text,
                 double Angle, double& X2, double& Y2) const;
  // Styles 19 to 21: mats, lattices and point grids.
  void BuildMatLayout(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildLattice(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  void BuildPointGrid(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  // Lattice point (r, c) of a room in entry r * (U + 1) + c; a layout above
  // 4 leaves Grid as it is.
  static void MatGrid(std::uint8_t Layout, double AX, double AY, double BX, double BY, double C1X, double C1Y,
                      double C2X, double C2Y, std::array<RPoint2D, 30>& Grid);
  // The segment S1-S2 moved Dist / GroupScale to the side the diagonal
  // R1 -> R2 of its room gives, seen from the wall angle RefAngle.
  void QuadrantOffset(double S1X, double S1Y, double S2X, double S2Y, double R1X, double R1Y, double R2X, double R2Y,
                      double RefAngle, RPoint2D& A, RPoint2D& B, double Dist) const;

  // The two other corners of the rectangle with opposite corners A and B and
  // sides at Angle and Angle + 90: C1 on the side through A at Angle, C2 on
  // the side through A at Angle + 90. A corner that cannot be found (A = B)
  // keeps what the caller passed.
  static void BoxCorners(double X1, double Y1, double X2, double Y2, double Angle, double& C1X, double& C1Y,
                         double& C2X, double& C2Y);

  // Corner between two consecutive shifted lines: rounded when the fillet
  // radius is not tiny (true), else mitred at their crossing with Corner a
  // zero circle (false).
  bool JoinCorner(RDrawElement& Line1, RDrawElement& Line2, RDrawElement& Corner) const;
  bool RoundCorner(RDrawElement& Line1, RDrawElement& Line2, RDrawElement& Corner) const;
  // The crossing becomes Line1's second and Line2's first point; parallel
  // lines stay.
  static void MitreJoin(RDrawElement& Line1, RDrawElement& Line2);
  // The segment moved RightWidth to its right and LeftWidth to its left.
  static void OffsetPair(double X1, double Y1, double X2, double Y2, double RightWidth, double LeftWidth,
                         RPointPair& Right, RPointPair& Left);
  // Joins the previous pair of double lines (Right1, Left1) to the next
  // (Left2, Right2) at the crossings of their right and of their left lines.
  static void MitrePairs(RDrawElement& Right1, RDrawElement& Left1, RDrawElement& Left2, RDrawElement& Right2);
  // The two strokes of an arrowhead on Line, apex by Style.
  void Arrowhead(const RDrawElement& Line, RDrawElement& Side1, RDrawElement& Side2) const;
  // Arrowheads at the start of FirstLine and at the end of LastLine.
  static void BothArrowheads(const RDrawElement& FirstLine, const RDrawElement& LastLine, RDrawElement& EndSide1,
                             RDrawElement& EndSide2, RDrawElement& StartSide1, RDrawElement& StartSide2);
  // The line's second point moved back by PolylineMarkSize, to stop at the
  // end circle.
  static void ShortenForMark(RDrawElement& Line);

  std::int32_t PointCount = 0;
  // Leading entries of Elements that belong to the fixed segments, for the
  // styles that build several elements per segment.
  std::int32_t FixedElementCount = 0;
  std::uint8_t Style = 0;  // PolylineStyle at the last update
  double GroupScale = 0.0;
  double StartX = 0.0;  // the first point as it was added
  double StartY = 0.0;
  std::array<RTextStyle, kTextStyleCount> TextStyles{};
  std::uint8_t PickedFlag = 0;
  RDrawElement PickedElement = ZeroElement();
  std::uint8_t TrimOnFinish = 0;
  double EndX = 0.0;  // the end the last update computed from the cursor
  double EndY = 0.0;
  std::vector<std::string> Texts;  // indexed by text elements
  std::vector<RDrawElement> Elements;
  // P[1..PointCount]; entry 0 is a reserved (0, 0).
  std::vector<double> PointX;
  std::vector<double> PointY;

 private:
  // E from P[n] and the cursor, stored in EndX, EndY.
  RPoint2D SnapEnd(double PX, double PY, double BaseAngle, double AngleStep, double SetLength);
  RDrawElement ShiftedLine(double x1, double y1, double x2, double y2) const;
  // Styles 9, 16 and 17: crosses with the cursor guard Tolerance; true when
  // they were built.
  bool BuildCrossesWithin(double PX, double PY, double BaseAngle, double SetLength, double Tolerance);
  // Styles 13 to 15; Kind 0 beam, 1 column, 2 pile.
  void BuildSectionList(int Kind, double PX, double PY, double BaseAngle, double SetLength);
  // Styles 16 and 17 with one fixed point: the sides of the rectangle P[1], E
  // become the section-list cell.
  void MeasureCell(double BaseAngle);
  // Styles 19 and 20: one room or lattice rectangle with opposite corners A
  // and B; the diagonal A -> B decides the side of every offset.
  void MatRoom(RPoint2D A, RPoint2D B, double BaseAngle);
  void LatticeRectangle(RPoint2D A, RPoint2D B, double BaseAngle, bool Capped);
  // Removes P[n] without touching Elements.
  void RemoveLastPoint();
};

// A full circle: axis ratio 1, equal start and end angles.
inline RDrawElement CircleElement(double cx, double cy, double r) { return CircularArcElement(cx, cy, r); }

// Counts that settings and lengths give are computed in double; one that is
// not finite, negative or above the limit counts as 0.
std::int32_t CountWithin(double Count, double Limit);
// The largest count of one family of repeated elements (steps, ties, ticks,
// lattice lines) and of the points of a grid.
inline constexpr double kMaxRepeatCount = 100000.0;
inline constexpr double kMaxGridPoints = 1000000.0;

// The highest style the tool knows; an update above it changes nothing.
inline constexpr std::uint8_t kLastPolylineStyle = 21;
