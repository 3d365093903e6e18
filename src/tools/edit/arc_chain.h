#pragma once
// A chain of circular arcs, each from a start point through a second point
// to an end point; the continuous three-point arc command previews and
// collects them here.

#include <cstdint>
#include <vector>

#include "records/draw_records.h"

class TRenzokuKoobj {
 public:
  struct RArcPoints {
    double StartX = 0.0;
    double StartY = 0.0;
    double ThroughX = 0.0;
    double ThroughY = 0.0;
  };

  // The arc from (X1, Y1) through (X2, Y2) to (X3, Y3) into ArcPreview;
  // points that admit no circle keep the previous preview.
  void PreviewArc(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  // Appends the arc and its start and through points; points that admit no
  // circle append nothing and give false.
  bool AddArc(double X1, double Y1, double X2, double Y2, double X3, double Y3);
  void Clear();

  std::int32_t ArcCount = 0;
  RDrawElement ArcPreview = ZeroElement();
  std::vector<RDrawElement> Elements;
  std::vector<RArcPoints> ArcPoints;

 private:
  bool ComputeArc(double X1, double Y1, double X2, double Y2, double X3, double Y3);
};
