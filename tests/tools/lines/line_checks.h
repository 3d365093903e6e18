#pragma once
// Checks of the elements the continuous-line tool builds.

#include <gtest/gtest.h>

#include <cmath>

#include "records/draw_records.h"

struct LineSeg {
  double x1, y1, x2, y2;
};

// Packed fields are read by value.
inline LineSeg SegOf(const RDrawElement& e) { return {double{e.X1}, double{e.Y1}, double{e.X2}, double{e.Y2}}; }

inline void ExpectLineElement(const RDrawElement& e, LineSeg want, double tol = 1e-9) {
  EXPECT_EQ(int{e.Kind}, int{kKindLine});
  const LineSeg got = SegOf(e);
  EXPECT_NEAR(got.x1, want.x1, tol);
  EXPECT_NEAR(got.y1, want.y1, tol);
  EXPECT_NEAR(got.x2, want.x2, tol);
  EXPECT_NEAR(got.y2, want.y2, tol);
}

// A full circle (or the zero circle of a mitred corner).
inline void ExpectCircleElement(const RDrawElement& e, double cx, double cy, double r, double tol = 1e-9) {
  EXPECT_EQ(int{e.Kind}, int{kKindArc});
  EXPECT_NEAR(double{e.X1}, cx, tol);
  EXPECT_NEAR(double{e.Y1}, cy, tol);
  EXPECT_NEAR(double{e.Radius}, r, tol);
  EXPECT_EQ(float{e.Ratio}, 1.0f);
  EXPECT_EQ(float{e.StartAngle}, 0.0f);
  EXPECT_EQ(float{e.EndAngle}, 0.0f);
  EXPECT_EQ(float{e.Rotation}, 0.0f);
}

// Signed distance of (x, y) to the left of the infinite line a -> b.
inline double LeftDistance(double ax, double ay, double bx, double by, double x, double y) {
  const double dx = bx - ax, dy = by - ay;
  return (dx * (y - ay) - dy * (x - ax)) / std::hypot(dx, dy);
}
