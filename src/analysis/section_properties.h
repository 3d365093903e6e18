#pragma once
// Section area and second moment of area from a section's dimensions, and
// the moduli of concrete from its grade and kind.

#include <cstdint>

class TDanSeinoobj {
 public:
  double Inertia = 0.0;  // cm⁴ about the axis parallel to the width
  double Area = 0.0;     // cm²

  // Rolled H section: height, flange width, web and flange thickness, root
  // fillet radius, all in mm. The fillets count by their area at their centroid.
  void CalcH(double H, double B, double tw, double tf, double r);
  // Circular pipe: outer diameter and wall thickness in mm.
  void CalcPipe(double D, double t);
  // Rectangular box: width, depth, wall thickness in mm; the corner radius of
  // the catalogue row does not enter the result.
  void CalcBox(double B, double H, double t, double r);
  // Solid rectangle in whatever unit the caller uses; results in its square
  // and fourth power.
  void CalcRect(double B, double D);
};

// Concrete moduli in units of 10⁵ kgf/cm²; users multiply by 100 × 9.80665
// to get kN/cm².
class Tconckyoudo {
 public:
  std::uint8_t Grade = 0;  // 0, 1: FC-180; 2: FC-210; 3: FC-240; 4: FC-270
  std::uint8_t Kind = 0;   // 0, 1: normal weight; 2..5: lightweight types 1 to 4
  double YoungModulus = 0.0;
  double ShearModulus = 0.0;

  // The unit weight (t/m³) counts only for the lightweight kinds.
  void Setup(std::uint8_t grade, std::uint8_t kind, double unitWeight);
  void Moduli();

 private:
  double UnitWeight = 0.0;
};

// Factor from the concrete modulus unit to kN/cm².
inline constexpr double kConcreteModulusToKNcm2 = 100.0 * 9.80665;
