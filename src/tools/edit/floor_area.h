#pragma once
// The floor-area table: rows built figure by figure from four picked
// corners (measured as a rectangle, a trapezoid, or by a diagonal and two
// heights), three picked corners (a right or a general triangle) or a
// picked circle or arc (full circle, half circle or circular segment). Each
// row holds its construction lines, its labels already placed on the
// figure, the row number in a circle and the area, always computed from the
// lengths as they are displayed. Lengths print in real units by the area
// settings of the draft defaults, with the label layout of the site table.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "geometry/angles_points.h"
#include "records/draw_records.h"
#include "tools/edit/area_table_labels.h"
#include "tools/edit/tool_records.h"

// One row; labels and lines a figure does not need stay empty.
struct RYukaData {
  Rmoziko Label1;
  Rmoziko Label2;
  Rmoziko Label3;
  Rmoziko Label4;  // circular segment: the central angle
  Rmoziko NumberLabel;
  RToolArc NumberCircle;
  // Construction lines, of the table's construction line type.
  RToolLine Line1;
  RToolLine Line2;
  RToolLine Line3;
  RToolLine Line4;
  std::string AreaText;
  // 0 quadrilateral, 1 triangle, 2 circle or arc.
  std::uint8_t Figure = 0;
  // Quadrilateral: 0 rectangle, 1 trapezoid, 2 general; circle or arc: 0
  // full circle, 1 segment, 2 half circle; triangle: 0.
  std::uint8_t Variant = 0;
};

class TYukaMenobj {
 public:
  // Copies the 12 styles and the number of the first row.
  TYukaMenobj(std::uint8_t Group, std::uint8_t Layer, double GroupScale, std::span<const RTextStyle> Styles,
              std::uint8_t TextStyle, std::uint8_t TextStyle2);

  // Kind 0: the quadrilateral of the four points; kind 1: the triangle of
  // the first three. Other kinds, and points that are no numbers, add
  // nothing.
  void AddRow(std::uint8_t Kind, double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
              double Y4);
  // The circle or arc E picked at (X, Y), with kind 2; anything else adds
  // nothing. An arc of more than half a circle is refused with a warning.
  void AddArcRow(const RDrawElement& E, std::uint8_t Kind, double X, double Y);

  static double TruncateDecimals(int Decimals, double V);
  // Places a label in the object's text style at the label angle.
  void PlaceLabel(double& X, double& Y, std::uint8_t Justify, const std::string& Text, double& EndY,
                  double& EndX) const;
  void LengthText(std::string& S, double X1, double Y1, double X2, double Y2) const;
  void RadiusText(std::string& S, double R) const;
  void ProductAreaText(const std::string& A, const std::string& B, std::string& S) const;
  void CircleAreaText(const std::string& R, std::string& S, double Factor) const;
  void SegmentAreaText(const std::string& Chord, const std::string& Distance, std::string& S, const std::string& Angle,
                       const std::string& Radius) const;
  void TriangleAreaText(const std::string& A, const std::string& B, std::string& S, double Factor) const;
  void TwoTriangleAreaText(const std::string& A, const std::string& B, std::string& S, double Factor,
                           const std::string& A2, const std::string& B2) const;
  void TrapezoidAreaText(const std::string& A, const std::string& B, std::string& S, const std::string& H) const;
  static void LongestSideMidpoint(RPoint2D& P, double X1, double Y1, double X2, double Y2, double X3, double Y3);
  static void QuadCentroid(RPoint2D& P, double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4,
                           double Y4);
  // Puts the corners in an order that goes round the figure, P1 first; a
  // figure with one reflex corner is started at that corner so that the
  // diagonal from P1 lies inside it.
  static void OrderQuadrilateral(double& X1, double& Y1, double& X2, double& Y2, double& X3, double& Y3, double& X4,
                                 double& Y4);
  // The right angle's sides become P1-P2 and P2-P3 (the longest side P1-P3).
  static void OrderRightTriangle(double& X1, double& Y1, double& X2, double& Y2, double& X3, double& Y3);
  // True when no corner is a right angle; the longest side then becomes P1-P2.
  static bool ClassifyTriangle(double& X1, double& Y1, double& X2, double& Y2, double& X3, double& Y3);
  // The angle between the directions P1->P2 and P3->P4, 0 to 180.
  static double CornerAngle(double X1, double Y1, double X2, double Y2, double X3, double Y3, double X4, double Y4);
  // 0 rectangle, 1 trapezoid (ParallelPair tells which sides), 2 general.
  std::uint8_t ClassifyQuadrilateral(double& X1, double& Y1, double& X2, double& Y2, double& X3, double& Y3, double& X4,
                                     double& Y4);
  void AddQuadrilateralRow(std::uint8_t Kind, double X1, double Y1, double X2, double Y2, double X3, double Y3,
                           double X4, double Y4);
  static double ArcSweep(double EndAngle, double StartAngle);

  std::int32_t RowCount = 0;
  double GroupScale = 0.0;
  double LabelAngle = 0.0;
  std::uint8_t TextStyle = 0;
  std::uint8_t TextStyle2 = 0;
  std::uint8_t Group = 0;
  std::uint8_t Layer = 0;
  // Of a trapezoid: false when P1-P2 is parallel to P3-P4, true when P2-P3
  // is parallel to P4-P1.
  bool ParallelPair = false;
  std::int32_t StartNumber = 0;
  std::array<RTextStyle, kTextStyleCount> TextStyles{};
  std::vector<RYukaData> Rows;

 private:
  Rmoziko MakeLabel(double X, double Y, double Angle, std::uint8_t Justify, std::string Text);
  // The length of the side at its midpoint, along the side from its first
  // point.
  Rmoziko SideLabel(double X1, double Y1, double X2, double Y2);
  // Numbers the row at the anchor and appends it.
  void FinishRow(RYukaData& Row, double X, double Y, std::uint8_t Justify);
  void AddTriangleRow(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  const RTextStyle& LabelStyle() const;
};
