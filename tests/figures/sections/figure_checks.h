#pragma once
// A generator with known text styles, and checks of the elements it builds.

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "figures/sections/section_generator.h"

// Style n is 10 * (n + 1) wide, 20 high, spacing 0 (0.1 mm units), so a
// single-byte character of style 3 is 2.0 wide and 2.0 high.
inline std::array<RTextStyle, kTextStyleCount> TestStyles() {
  std::array<RTextStyle, kTextStyleCount> styles{};
  for (int n = 0; n < kTextStyleCount; ++n) {
    styles[n].Width = static_cast<std::uint16_t>(10 * (n + 1));
    styles[n].Height = 20;
    styles[n].Spacing = 0;
  }
  return styles;
}

struct Pt {
  double x, y;
};

// Packed fields are read by value.
inline Pt First(const RDrawElement& e) { return {double{e.X1}, double{e.Y1}}; }
inline Pt Second(const RDrawElement& e) { return {double{e.X2}, double{e.Y2}}; }

inline void ExpectPoint(Pt got, Pt want, double tol = 1e-9) {
  EXPECT_NEAR(got.x, want.x, tol);
  EXPECT_NEAR(got.y, want.y, tol);
}

inline void ExpectLine(const RDrawElement& e, Pt a, Pt b, double tol = 1e-9) {
  EXPECT_EQ(int{e.Kind}, int{kKindLine});
  ExpectPoint(First(e), a, tol);
  ExpectPoint(Second(e), b, tol);
}

inline void ExpectArc(const RDrawElement& e, Pt centre, double r, float start, float end, float rotation = 0.0f,
                      double tol = 1e-9) {
  EXPECT_EQ(int{e.Kind}, int{kKindArc});
  ExpectPoint(First(e), centre, tol);
  EXPECT_NEAR(double{e.Radius}, r, tol);
  EXPECT_EQ(float{e.Ratio}, 1.0f);
  EXPECT_EQ(float{e.StartAngle}, start);
  EXPECT_EQ(float{e.EndAngle}, end);
  EXPECT_EQ(float{e.Rotation}, rotation);
}

// The point of an arc at angle a (degrees, unturned arcs).
inline Pt ArcPoint(const RDrawElement& e, double a) {
  const double rad = a * M_PI / 180.0;
  return {double{e.X1} + double{e.Radius} * std::cos(rad), double{e.Y1} + double{e.Radius} * std::sin(rad)};
}
