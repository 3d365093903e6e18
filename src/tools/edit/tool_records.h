#pragma once
// The lines, arcs and points that the tools exchange with the drawing
// commands. A command copies an element's attribute bytes and coordinates
// into a record when it loads a tool and copies the result back into an
// element. No file carries them, so they are ordinary records with their
// fields in a fixed order; the attribute bytes mean what the element fields
// of the same name mean.

#include <cstdint>

// One straight line.
struct RToolLine {
  double X1 = 0.0;
  double Y1 = 0.0;
  double X2 = 0.0;
  double Y2 = 0.0;
  std::uint8_t LineType = 0;
  std::uint8_t ColorNo = 0;
  std::uint8_t Group = 0;
  std::uint8_t Layer = 0;
  // The element's line-scratch byte, carried through the joining of
  // parallel lines; 0 where the loader does not set it.
  std::uint8_t Flag = 0;
};

// A line with the given ends and no attribute bytes.
inline RToolLine ToolLineOf(double x1, double y1, double x2, double y2) {
  RToolLine line;
  line.X1 = x1;
  line.Y1 = y1;
  line.X2 = x2;
  line.Y2 = y2;
  return line;
}

// One circle, arc or elliptical arc; the element's Single fields widened.
struct RToolArc {
  double CentreX = 0.0;
  double CentreY = 0.0;
  double Radius = 0.0;  // of the axis that the ratio scales from
  double Ratio = 0.0;   // 1 for a circle
  double StartAngle = 0.0;
  double EndAngle = 0.0;
  double Rotation = 0.0;
  std::uint8_t LineType = 0;
  std::uint8_t ColorNo = 0;
  std::uint8_t Group = 0;
  std::uint8_t Layer = 0;
};

// One division point; readers use only X and Y.
struct RToolPoint {
  double X = 0.0;
  double Y = 0.0;
  std::uint8_t LineType = 0;
  std::uint8_t ColorNo = 0;
  std::uint8_t Group = 0;
  std::uint8_t Layer = 0;
  std::uint8_t Flag = 0;
};

// One vertex of a closed outline made of picked points and arcs.
struct ROutlinePoint {
  double X = 0.0;
  double Y = 0.0;
  // 1: a boundary segment runs to the next vertex; 0: this vertex closes its
  // loop and the next one, if any, starts a new loop.
  std::uint8_t PenDown = 0;
  // 1: generated along a picked arc; 0: a picked point.
  std::uint8_t ArcFlag = 0;
};

// One line item of the batch trim and cut tools; the attributes come first.
struct RTrimItem {
  std::uint8_t LineType = 0;
  std::uint8_t ColorNo = 0;
  std::uint8_t Group = 0;
  std::uint8_t Layer = 0;
  double X1 = 0.0;
  double Y1 = 0.0;
  double X2 = 0.0;
  double Y2 = 0.0;
};

// One arc piece of the arc cut tool: after the attributes, the arc fields of
// the drawing element with their own types.
struct RArcPiece {
  std::uint8_t LineType = 0;
  std::uint8_t ColorNo = 0;
  std::uint8_t Group = 0;
  std::uint8_t Layer = 0;
  double CentreX = 0.0;
  double CentreY = 0.0;
  double Radius = 0.0;
  float Ratio = 0.0f;
  float StartAngle = 0.0f;
  float EndAngle = 0.0f;
  float Rotation = 0.0f;
};
