#include "analysis/section_properties.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kMmToCm = 0.1;
}  // namespace

void TDanSeinoobj::CalcH(double H, double B, double tw, double tf, double r) {
  H *= kMmToCm;
  B *= kMmToCm;
  tw *= kMmToCm;
  tf *= kMmToCm;
  r *= kMmToCm;
  const double hw = H - 2.0 * tf;
  // Distance of a fillet's centroid from its two straight edges, as a fraction of r.
  const double k = (10.0 - 3.0 * kPi) / (12.0 - 3.0 * kPi);
  const double filletArea = (1.0 - kPi / 4.0) * r * r;
  const double armOfFillet = H / 2.0 - tf - k * r;
  Area = 2.0 * B * tf + hw * tw + 4.0 * filletArea;
  Inertia = B * H * H * H / 12.0 - (B - tw) * hw * hw * hw / 12.0 + 4.0 * filletArea * armOfFillet * armOfFillet;
}

void TDanSeinoobj::CalcPipe(double D, double t) {
  D *= kMmToCm;
  t *= kMmToCm;
  const double d = D - 2.0 * t;
  Area = kPi * (D / 2.0) * (D / 2.0) - kPi * (d / 2.0) * (d / 2.0);
  Inertia = kPi * (D * D * D * D - d * d * d * d) / 64.0;
}

void TDanSeinoobj::CalcBox(double B, double H, double t, double /*r*/) {
  B *= kMmToCm;
  H *= kMmToCm;
  t *= kMmToCm;
  const double b = B - 2.0 * t;
  const double h = H - 2.0 * t;
  Area = B * H - b * h;
  Inertia = (B * H * H * H - b * h * h * h) / 12.0;
}

void TDanSeinoobj::CalcRect(double B, double D) {
  Area = B * D;
  Inertia = B * D * D * D / 12.0;
}

void Tconckyoudo::Setup(std::uint8_t grade, std::uint8_t kind, double unitWeight) {
  Grade = grade;
  Kind = kind;
  UnitWeight = unitWeight;
  Moduli();
}

void Tconckyoudo::Moduli() {
  double fc = 0.0;
  switch (Grade) {
    case 0:
    case 1: fc = 180.0; break;
    case 2: fc = 210.0; break;
    case 3: fc = 240.0; break;
    case 4: fc = 270.0; break;
    default: break;  // no such grade: no stiffness rather than a guess
  }
  double gamma = 0.0;
  if (Kind <= 1) {
    gamma = 2.3;
  } else if (Kind <= 5) {
    gamma = UnitWeight;
  }
  const double ratio = gamma / 2.3;
  YoungModulus = (fc > 0.0 && ratio > 0.0) ? 2.1 * std::sqrt(fc / 200.0) * ratio * ratio / std::sqrt(ratio) : 0.0;
  // Poisson's ratio 1/6.
  ShearModulus = YoungModulus / 2.3333333333333335;
}
