#include "analysis/section_properties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

TEST(SectionProperties, RolledHSection) {
  TDanSeinoobj s;
  s.CalcH(200, 100, 5.5, 8, 11);
  EXPECT_NEAR(s.Area, 27.16, 0.005);
  EXPECT_NEAR(s.Inertia, 1844.2, 0.05);
  // Without fillets the section is three rectangles.
  s.CalcH(300, 150, 6.5, 9, 0);
  EXPECT_NEAR(s.Area, 2 * 15 * 0.9 + 28.2 * 0.65, 1e-12);
  EXPECT_NEAR(s.Inertia, (15 * 27000.0 - (15 - 0.65) * 28.2 * 28.2 * 28.2) / 12, 1e-9);
}

TEST(SectionProperties, PipeBoxAndRectangle) {
  TDanSeinoobj s;
  s.CalcPipe(100, 50);  // a solid disc of 10 cm
  EXPECT_NEAR(s.Area, kPi * 25, 1e-12);
  EXPECT_NEAR(s.Inertia, kPi * 1e4 / 64, 1e-9);
  s.CalcPipe(100, 0);
  EXPECT_EQ(s.Area, 0.0);
  EXPECT_EQ(s.Inertia, 0.0);
  s.CalcPipe(216.3, 8.2);
  EXPECT_NEAR(s.Area, kPi / 4 * (21.63 * 21.63 - 19.99 * 19.99), 1e-9);

  s.CalcBox(200, 300, 10, 25);  // the corner radius does not count
  EXPECT_NEAR(s.Area, 20 * 30 - 18 * 28, 1e-9);
  EXPECT_NEAR(s.Inertia, (20 * 27000.0 - 18 * 28.0 * 28 * 28) / 12, 1e-9);

  s.CalcRect(30, 60);
  EXPECT_EQ(s.Area, 1800.0);
  EXPECT_EQ(s.Inertia, 540000.0);
}

TEST(ConcreteModuli, GradesInKNPerCm2) {
  struct Case {
    std::uint8_t grade;
    double e, g;
  };
  const Case cases[] = {
      {0, 1953.72, 837.31}, {1, 1953.72, 837.31}, {2, 2110.25, 904.39}, {3, 2255.96, 966.84}, {4, 2392.80, 1025.49},
  };
  for (const Case& c : cases) {
    Tconckyoudo concrete;
    concrete.Setup(c.grade, 1, 2.3);
    EXPECT_NEAR(concrete.YoungModulus * kConcreteModulusToKNcm2, c.e, 0.01) << int(c.grade);
    EXPECT_NEAR(concrete.ShearModulus * kConcreteModulusToKNcm2, c.g, 0.01) << int(c.grade);
  }
}

TEST(ConcreteModuli, UnitWeightCountsOnlyForLightweightKinds) {
  Tconckyoudo a, b, light;
  a.Setup(2, 1, 1.6);
  b.Setup(2, 1, 2.3);
  EXPECT_EQ(a.YoungModulus, b.YoungModulus);
  light.Setup(2, 3, 1.8);
  EXPECT_NEAR(light.YoungModulus, 2.1 * std::sqrt(210.0 / 200) * std::pow(1.8 / 2.3, 1.5), 1e-12);
  EXPECT_NEAR(light.ShearModulus, light.YoungModulus * 3 / 7, 1e-12);
}

}  // namespace
