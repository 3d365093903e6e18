#pragma once
// The texts and label layout shared by the area tables: side lengths as the
// table displays them, areas cut (not rounded) to two more decimals than the
// lengths, and labels placed by a justification code. Lengths and areas
// follow the area settings of the draft defaults (unit and decimals), read at
// every call.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "records/draw_records.h"
#include "tools/edit/tool_records.h"

// One placed label.
struct Rmoziko {
  double X = 0.0;  // start of the baseline
  double Y = 0.0;
  double EndX = 0.0;  // end of the baseline
  double EndY = 0.0;
  std::string Text;  // code page 932
  double Angle = 0.0;
  std::uint8_t TextStyle = 0;
};

// Every value is a number: a point that is none makes no row.
bool AllFinite(std::initializer_list<double> values);

// The integer part of V with Decimals 0; otherwise V cut to Decimals digits
// after the point, with an allowance of 0.01 of the last digit so that a
// value computed a hair below a digit still reaches it (1.23999 gives 1.24
// with 2 digits, 1.235 gives 1.23).
double TruncateDecimals(int Decimals, double V);

// The length of the side in real units (drawing length times the group
// scale, in metres when the settings say so) with the settings' decimals.
std::string AreaLengthText(double X1, double Y1, double X2, double Y2, double GroupScale);
// The same for a drawing length given as such (a radius).
std::string AreaDrawingLengthText(double Length, double GroupScale);
// A displayed length read back; a text that is no number reads as 0.
double AreaTextValue(std::string_view Text);
// An area value cut and formatted with two more decimals than the lengths.
std::string AreaValueText(double V);

// The style a label is measured with: a number above the table's last falls
// back to style 0.
const RTextStyle& AreaLabelStyle(std::span<const RTextStyle, kTextStyleCount> Styles, std::uint8_t StyleNo);

// Places a label: (X, Y) comes in as the point of the text's box that the
// justification code names (0 bottom left, 1 bottom centre, 2 bottom right,
// 3 middle right, 4 top right, 5 top centre, 6 centre, 7 top left, 8 middle
// left; other codes as 0), turned with the text, and goes out as the start
// of its baseline; (EndX, EndY) is the end of the baseline.
void PlaceAreaLabel(const RTextStyle& Style, double Angle, double& X, double& Y, std::uint8_t Justify,
                    std::string_view Text, double& EndY, double& EndX);

// A label of the given style placed at (X, Y) by the justification code.
Rmoziko MakeAreaLabel(const RTextStyle& Style, std::uint8_t StyleNo, double X, double Y, double Angle,
                      std::uint8_t Justify, std::string Text);
// The circle round a placed row number: radius 3 about the middle of its
// baseline raised by half the text height, so it rings the text.
RToolArc AreaNumberCircle(const Rmoziko& Number, const RTextStyle& Style);
