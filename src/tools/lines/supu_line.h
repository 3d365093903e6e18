#pragma once
// The point list of the curves through points: the vertices as the user
// clicks them. Entry 0 of both arrays is a reserved (0, 0) made with the
// first point; vertex k (1 to PointCount) is (PointX[k], PointY[k]). The
// commands that only collect vertices read the arrays directly.

#include <cstdint>
#include <vector>

class TSupuLineobj {
 public:
  std::int32_t PointCount = 0;
  std::vector<double> PointX;
  std::vector<double> PointY;

  void AddPoint(double x, double y) {
    if (PointX.empty()) {
      PointX.push_back(0.0);
      PointY.push_back(0.0);
    }
    ++PointCount;
    PointX.push_back(x);
    PointY.push_back(y);
  }
};
