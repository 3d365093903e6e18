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
};

// The highest style the tool knows; an update above it changes nothing.
inline constexpr std::uint8_t kLastPolylineStyle = 21;
