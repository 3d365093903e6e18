#pragma once
// The chained-dimension tool: the points a dimension command collects, each
// with the element picked under it, turned into dimension elements and value
// texts in the style the drafting setting ChainDimensionStyle names. The
// style is read again at every update and does not depend on the command.
//
// The commands drive it: the first point creates it and is added; every
// cursor move updates it (the preview); a click updates it with the clicked
// point and then adds the point; finishing sets TrimOnFinish, drops the last
// point (which trims the moving step) and commits Elements with Texts.
//
// The chains around a circle grow one step per point: the first update after
// a point only appends the step's zero elements and the blank text " ", the
// next one fills them. Elements carry only what their style writes (group,
// layer and selection stay 0); colours come from the dimension settings.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "geometry/angles_points.h"
#include "records/draw_records.h"

// One added point's pick: how the point was taken (1 a free left click, 0 a
// point read from the drawing), whether Element holds the element found
// under it, and a copy of that element.
struct RDimensionPick {
  std::uint8_t PointKind = 0;
  std::uint8_t Found = 0;
  RDrawElement Element = ZeroElement();
};

// The text placed by ArcLengthText and ArcAngleText, with the radial
// directions of the two measuring points (the arc runs anticlockwise from
// A1 to A2).
struct RArcValueText {
  std::string Text;
  double X = 0.0;
  double Y = 0.0;
  double Angle = 0.0;
  double A1 = 0.0;
  double A2 = 0.0;
};

class TRenSunpoSenobj {
 public:
  // Copies up to 12 text styles (the canvas passes its table).
  explicit TRenSunpoSenobj(std::span<const RTextStyle> Styles);

  // Appends point (X, Y) with its pick; Elements and Texts are untouched.
  void AddPoint(std::uint8_t PointKind, std::uint8_t Found, double X, double Y, const RDrawElement& Element);
  // Rebuilds the result for the cursor (PX, PY) in the current style. The
  // commands also pass their base angle, angle step and set length, which no
  // style reads. With no point or a value that is not finite nothing
  // changes; otherwise the style and the scale are stored, and a style
  // without a builder (or above the last) builds nothing.
  void Update(double PX, double PY, double BaseAngle, double AngleStep, double SetLength, double GroupScale);
  // Removes the last point and trims the moving step and the guide circles
  // of the chains; with one point: Reset, so the preview is committed.
  void DropLastPoint();
  // Back to no points; Elements and Texts stay.
  void Reset();

  // Styles 0 to 5.
  void BuildArcLengthChain(double PX, double PY);
  void BuildArcLengthChainArrows(double PX, double PY);
  void BuildAngleChain(double PX, double PY);
  void BuildAngleChainArrows(double PX, double PY);
  void BuildDiameterDimension(double PX, double PY);
  void BuildRadiusDimension(double PX, double PY);
  // Style 6: the centre line between the things picked with points 1 and
  // 2, or several at the multiples of the ratio step, single or doubled to
  // the division width, from point 3 to the cursor. With two points only the
  // guide feet are set.
  void BuildCentreLines(double PX, double PY);
  // Style 7: a parallel at the set real distance to every picked line, on
  // the side facing the cursor or on both, joined where picked lines meet
  // end to end. Runs on every update, whatever the point count.
  void BuildOffsetOutline(double PX, double PY);
  // Whether the middle of the segment lies inside the figure of the picked
  // elements, by the crossings of four axis rays (arcs by five chords).
  bool PointInsidePicks(double X1, double Y1, double X2, double Y2) const;
  // Count + 1 points along the arc or ellipse from its start angle to its
  // end angle (a whole turn when they are equal). True when the two angles
  // lie within 0.1 of each other.
  static bool ArcChordPoints(std::vector<RPoint2D>& Points, int Count, double Rotation, double EndAngle,
                             double StartAngle, double Ratio, double Radius, double CX, double CY);
  // Style 8: two leaders from the start across the width, converging
  // towards the cursor, bridged there with the width value.
  void BuildWidthLeader(double PX, double PY);
  // Puts the leader P-Q on a ray turned by Turn degrees from point 1 or,
  // when the leader's direction strays more than |Turn + 3| from point 1's
  // view of Q, from point 2; both ends keep their distances from the pivot.
  static void ConvergeLeader(double& Px, double& Py, double X1, double Y1, double X2, double Y2, double Turn,
                             double& Qx, double& Qy);
  // Style 9: a leader from point 1 snapped to the angle step, a shelf, the
  // mark, a balloon and the text of the note settings.
  void BuildLeaderNote(double PX, double PY);
  // Styles 10 to 12: division points or radial lines on the circle picked
  // with point 1, two lines from the ends of a base to an apex, and a text
  // laid out along the picked circle.
  void BuildArcDivision(double PX, double PY);
  void BuildApexLines(double PX, double PY);
  void BuildTextOnArc(double PX, double PY);
  // The apex over the base B1-B2 with base angles V1 and V2 (Mode 1 degrees,
  // Mode 2 rises per 10 of run) on the left of B1->B2 (A1) and its mirror in
  // the base (A2); both (0, 0) when the two sides do not meet.
  static void ApexByBaseAngles(std::uint8_t Mode, double B1X, double B1Y, double B2X, double B2Y, double V1, double V2,
                               RPoint2D& A1, RPoint2D& A2);

  // A text with ".." or "$" between its lines: true, with at most 21 trimmed
  // non-blank lines in Lines and the widest of them in Width. Otherwise
  // false, Lines empty and Width the whole text's.
  bool SplitTextLines(const std::string& Text, std::uint8_t StyleNo, std::vector<std::string>& Lines,
                      double& Width) const;

  // One step into [0, 360).
  static double NormalizeAngle(double A);

  // Two strokes ArrowLength long from Line's first point, ArrowAngle either
  // side of the line's direction, so the head points away from its second
  // point.
  static void ArrowheadAtLineEnd(const RDrawElement& Line, RDrawElement& Side1, RDrawElement& Side2);
  // Stroke ends of heads pointing outward at both ends of the straight line
  // A-B; Direction runs from B to A. Written only when arrowheads are on
  // (DimEndMark 1) and have a length.
  static void LineArrowheads(double AX, double AY, double BX, double BY, double Direction, RPoint2D& A1, RPoint2D& A2,
                             RPoint2D& B1, RPoint2D& B2);
  // The same for an anticlockwise arc from Start (radial direction StartAngle)
  // to Finish (FinishAngle): the heads point outward along the arc.
  static void ArcArrowheads(double StartX, double StartY, double StartAngle, double FinishX, double FinishY,
                            double FinishAngle, RPoint2D& S1, RPoint2D& S2, RPoint2D& F1, RPoint2D& F2);
  // For the cursor's direction θ from A's centre: Leader runs from A's point
  // at θ to DimExtensionOvershoot beyond B's point at θ, Measure from A's
  // point to B's point (its second point is the measuring point). Only the
  // kind and the points are written.
  static void RadialLeader(const RDrawElement& A, const RDrawElement& B, double PX, double PY, RDrawElement& Leader,
                           RDrawElement& Measure);
  // The line through the centre of the circle or ellipse C between its
  // points seen in the cursor's direction and opposite it; the direction
  // from the centre to the cursor goes to Theta.
  static RDrawElement DiameterLine(const RDrawElement& C, double PX, double PY, double& Theta);
  // The line from the centre of C to its point in the cursor's direction.
  static RDrawElement RadiusLine(const RDrawElement& C, double PX, double PY, double& Theta);

  // The length of the arc of the measured circle between the directions to
  // E and L, placed at the middle of that arc on the dimension circle.
  RArcValueText ArcLengthText(const RDrawElement& Measured, const RDrawElement& DimensionCircle, double EX, double EY,
                              double LX, double LY) const;
  // The angle at the centre of Circle between the directions to E and L,
  // placed on Circle.
  RArcValueText ArcAngleText(const RDrawElement& Circle, double EX, double EY, double LX, double LY) const;

  // Makes Element a text of style StyleNo showing entry TextIndex of Texts,
  // its point (X, Y) placed by PlaceText.
  void MakeText(RDrawElement& Element, const std::string& Text, double X, double Y, double Angle,
                std::uint16_t TextIndex, std::uint8_t Justify, std::uint8_t StyleNo, std::uint8_t Gap) const;
  // Moves a text element whose points both hold its reference point so that
  // the reference point is the box point of the justification code (codes as
  // the text-box convention, other codes as 0); with Gap 0 the text instead
  // stands DimTextGap above the reference point. An empty text stays.
  void PlaceText(RDrawElement& Element, const std::string& Text, std::uint8_t Justify, std::uint8_t Gap) const;
  // The length of the text in the style, paper mm.
  double TextWidth(const std::string& Text, std::uint8_t StyleNo) const;
  // A length or an angle (degrees) as the dimension settings print it.
  static std::string LengthText(double Value);
  static std::string AngleText(double Value);

  std::int32_t PointCount = 0;
  std::uint8_t Style = 0;  // ChainDimensionStyle at the last update
  double GroupScale = 0.0;
  std::int32_t LastIndex = -1;               // the last entry of Elements written
  RDrawElement FirstLeader = ZeroElement();  // styles 1 and 3: the first measuring point's leader
  std::array<RTextStyle, kTextStyleCount> TextStyles{};
  std::vector<RDimensionPick> Picks;  // entry i belongs to point i; entry 0 unused
  std::uint8_t TrimOnFinish = 0;      // both values finish alike
  double EndX = 0.0;                  // handed back by the commands as the next point; no style moves it
  double EndY = 0.0;
  std::vector<std::string> Texts;  // indexed by the text elements
  std::vector<RDrawElement> Elements;
  std::vector<double> PointX;  // entry 0 is 0.0, entry i point i
  std::vector<double> PointY;
  double GuideStartX = 0.0;  // a reference line the centre-line style leaves for the command
  double GuideStartY = 0.0;
  double GuideEndX = 0.0;
  double GuideEndY = 0.0;

 private:
  // The cursor within Bound of the last added point: the update keeps the
  // previous result.
  bool CursorOnLastPoint(double PX, double PY, double Bound = 0.0001) const;
  // Styles 0 to 3 share one chain builder; they differ in the value and the
  // end marks.
  void BuildCircleChain(double PX, double PY, bool Angles, bool Arrows);
  void BuildChainStep(double PX, double PY, bool Angles, bool Arrows, int StepSize);
  // The step growth of the chains when the last point has no step yet:
  // zero elements and the blank text. False when the step is there.
  bool GrowChainStep(int StepSize);
  // Styles 4 and 5: the dimension line from RadiusLine or DiameterLine.
  void BuildCircleDimension(double PX, double PY, bool Diameter);
  const RTextStyle& StyleOf(std::uint8_t StyleNo) const;
  // No elements, no texts, nothing written: where the construction styles
  // start over.
  void ClearResult();
  // Styles 10 and 12: with a circle, arc or ellipse picked at point 1, the
  // direction from its centre to point 2 in Start and the signed sweep to the
  // cursor (anticlockwise unless point 3 lies a quarter turn or more
  // clockwise of the start; a full turn when the cursor is on the start).
  bool ArcSweep(double PX, double PY, double& Start, double& Sweep) const;
};

// "%1.<decimals>n" with thousands separators (DimThousandsSeparator), else
// "%1.<decimals>f".
std::string DimensionDecimalFormat(int decimals);

// The highest style the tool dispatches; an update above it changes nothing.
inline constexpr std::uint8_t kLastChainDimensionStyle = 12;
