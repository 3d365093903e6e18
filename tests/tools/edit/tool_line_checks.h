#pragma once
// Checks of the result lines of the editing tools.

#include <gtest/gtest.h>

#include "tools/edit/tool_records.h"

struct Seg {
  double x1, y1, x2, y2;
};

inline void ExpectLine(const RToolLine& line, Seg want, double tol = 1e-9) {
  EXPECT_NEAR(line.X1, want.x1, tol);
  EXPECT_NEAR(line.Y1, want.y1, tol);
  EXPECT_NEAR(line.X2, want.x2, tol);
  EXPECT_NEAR(line.Y2, want.y2, tol);
}
