#pragma once
// The dimension tool: the parts of a dimension between two guide lines,
// point by point (chained pieces or running totals), and single dimensions
// between two points. Every point adds one step to Records, opened by a
// separator; the commands commit the records after the last separator.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "geometry/angles_points.h"
#include "records/draw_records.h"

inline constexpr std::uint8_t kSunLine = 0;
inline constexpr std::uint8_t kSunMark = 1;  // a point at (X1, Y1)
inline constexpr std::uint8_t kSunText = 2;
inline constexpr std::uint8_t kSunSeparator = 3;  // opens a step; no geometry

// One part of a dimension.
struct RSundata {
  std::uint8_t Kind = kSunLine;
  std::uint8_t Colour = 0;  // line or mark colour, or the text style for a text
  double X1 = 0.0;          // a text's base point
  double Y1 = 0.0;
  double X2 = 0.0;  // the end of a text's base line
  double Y2 = 0.0;
  std::string Text{};
  double Angle = 0.0;  // degrees, texts only
};

class TSunpoobj {
 public:
  // Guide line 1 is where the extension lines start, guide line 2 the line
  // the dimension line runs on. Up to 12 styles are copied.
  TSunpoobj(double G1X1, double G1Y1, double G1X2, double G1Y2, double G2X1, double G2Y1, double G2X2, double G2Y2,
            double TextAngle, double GroupScale, std::span<const RTextStyle> TextStyles, std::uint8_t LineColour,
            std::uint8_t MarkColour, std::uint8_t TextStyle);

  void AddChainPoint(double X, double Y);
  // Drops everything and starts a new chain at (X, Y).
  void RestartChain(double X, double Y);
  void AddSingleDimension(double X1, double Y1, double X2, double Y2);
  // The distance of the two points as the dimension settings print it.
  std::string ValueText(double X1, double Y1, double X2, double Y2) const;
  // Index of the first record after the last separator (the committed step).
  std::size_t LastStepStart() const;

  std::array<double, 4> Guide1{};
  std::array<double, 4> Guide2{};
  double PreviousX = 0.0;  // foot of the previous point on guide line 2
  double PreviousY = 0.0;
  double ChainStartX = 0.0;
  double ChainStartY = 0.0;
  double TextAngle = 0.0;
  std::vector<RSundata> Records;
  double GroupScale = 1.0;
  std::int32_t PointCount = 0;
  std::uint8_t TextStyle = 0;
  std::uint8_t LineColour = 0;
  std::uint8_t MarkColour = 0;
  std::array<RTextStyle, kTextStyleCount> TextStyles{};
  // 1 after the first point of a chain: a chain of that one point is not
  // committed.
  std::uint8_t FirstPointFlag = 0;

 private:
  struct Feet {
    RPoint2D F1, F2, F3;
  };
  Feet FeetOf(double X, double Y) const;
  void AddRunningPoint(const Feet& f);
  void Line(double x1, double y1, double x2, double y2, std::uint8_t colour, bool zero = false);
  void Mark(double x, double y, bool zero = false);
  // Arrow strokes at B for a segment of direction f: the ticks T1 and T2
  // (Back false) or T3 and T4 (Back true).
  void Arrow(double bx, double by, double f, bool back, std::uint8_t colour, bool zero = false);
  void CentredText(double x1, double y1, double x2, double y2, double angle);
  void AlongText(const std::string& text, double bx, double by, double angle);
  double Width(const std::string& text) const;
};
