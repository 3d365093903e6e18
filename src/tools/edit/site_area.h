#pragma once
// The site-area table: rows built from picked triangles (by base and height,
// by three sides, or split at the middle vertex into triangles with
// horizontal bases) or from a list of points. Each row holds the lines to
// draw, its labels already placed on the figure and its values as text.
// Lengths print in real units by the area settings of the draft defaults.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "geometry/angles_points.h"
#include "records/draw_records.h"
#include "tools/edit/area_table_labels.h"
#include "tools/edit/tool_records.h"

// One triangle row of modes 0 and 1.
struct RSikiData {
  // Mode 0: the height line from the foot of the perpendicular to the third
  // point; mode 1: the side from the second to the third point.
  RToolLine SecondLine;
  // Mode 0: the base from the first to the second point; mode 1: the side
  // from the first to the third point.
  RToolLine FirstLine;
  Rmoziko SecondLabel;
  Rmoziko FirstLabel;
  Rmoziko NumberLabel;
  RToolArc NumberCircle;
  // Mode 0: base times height (not halved); mode 1: the triangle's area.
  std::string AreaText;
  // Mode 1 only: the side from the second to the third point.
  Rmoziko ThirdLabel;
};

// One triangle with a horizontal base, of mode 2.
struct RSikiTriangleData {
  // The two ends of the base, then the apex (drawing coordinates).
  std::array<RPoint2D, 3> Corners{};
  // The sides of the picked triangle; only in the first record of a pick.
  std::array<RToolLine, 3> Outline{};
  long double CentroidX = 0.0L;  // real mm
  long double CentroidY = 0.0L;
  long double Area = 0.0L;             // real mm², positive
  long double Base = 0.0L;             // cm
  long double Height = 0.0L;           // cm
  long double OwnSecondMoment = 0.0L;  // cm⁴, about its own horizontal centroid axis
};

// One point of mode 3.
struct RSikiZaData {
  Rmoziko Label;
  // Relative to the first point, real mm or m, x then y (y then x when the
  // settings swap them).
  double First = 0.0;
  double Second = 0.0;
};

class TSikichiMenobj {
 public:
  // Copies the 12 styles; Mode 0 base and height, 1 three sides, 2 split
  // triangles, 3 point list.
  TSikichiMenobj(std::uint8_t Group, std::uint8_t Layer, double GroupScale, std::span<const RTextStyle> Styles,
                 std::uint8_t TextStyle, std::uint8_t TextStyle2, std::uint8_t Mode);

  // A triangle of three points in drawing coordinates, by the mode: 0 base
  // and height, 1 three sides, any other split triangles. A point that is no
  // number adds nothing.
  void AddTriangle(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  // A point row of the point list.
  void AddPoint(double X, double Y);

  void LengthText(std::string& S, double X1, double Y1, double X2, double Y2) const;
  void DoubleAreaText(const std::string& Base, const std::string& Height, std::string& S) const;
  void HeronAreaText(const std::string& Side1, const std::string& Side2, std::string& S,
                     const std::string& Side3) const;
  // Places a label in the object's text style at the label angle.
  void PlaceLabel(double& X, double& Y, std::uint8_t Justify, const std::string& Text, double& EndY,
                  double& EndX) const;
  void AddBaseHeightRow(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  void AddSplitTriangles(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  static double TruncateDecimals(int Decimals, double V);

  std::int32_t RowCount = 0;
  double LabelAngle = 0.0;
  double GroupScale = 0.0;
  std::uint8_t TextStyle = 0;
  std::uint8_t TextStyle2 = 0;
  std::uint8_t Group = 0;
  std::uint8_t Layer = 0;
  std::uint8_t Mode = 0;
  // The first point of the point list in real units, after the swap.
  double OriginFirst = 0.0;
  double OriginSecond = 0.0;
  std::array<RTextStyle, kTextStyleCount> TextStyles{};
  long double AreaSum = 0.0L;
  long double MomentSumX = 0.0L;  // area times centroid x
  long double MomentSumY = 0.0L;  // area times centroid y
  // 1: the base line of a base-and-height triangle is drawn as well.
  std::uint8_t BaseLineFlag = 0;
  std::vector<RSikiData> Rows;
  std::vector<RSikiTriangleData> TriangleRows;
  std::vector<RSikiZaData> PointRows;

 private:
  void AddThreeSidesRow(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  // A label with the length text of the side at its midpoint, along the
  // side from its first point.
  Rmoziko SideLabel(double X1, double Y1, double X2, double Y2);
  Rmoziko MakeLabel(double X, double Y, double Angle, std::uint8_t Justify, std::string Text);
  // The row number at the triangle's centroid and the circle round it.
  void NumberRow(RSikiData& Row, double X1, double Y1, double X2, double Y2, double X3, double Y3);
  void AddSplitRecord(const RPoint2D& Base1, const RPoint2D& Base2, const RPoint2D& Apex,
                      const std::array<RToolLine, 3>* Outline);
};
