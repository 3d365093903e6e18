#pragma once
// Builds frame model records for the solver tests the way the input
// parsers fill them: nodes in order, members with their load-table copies,
// member loads through Tmage1 and node loads with their marks.

#include <algorithm>
#include <cstdint>

#include "analysis/frame_model.h"
#include "analysis/member_loads.h"

struct Fix {
  bool x = false, y = false, rotation = false;
};
inline constexpr Fix kFree{};
inline constexpr Fix kFixed{true, true, true};
inline constexpr Fix kPinned{true, true, false};
inline constexpr Fix kRollerY{false, true, false};

class FrameBuilder {
 public:
  RFrameModel model{};

  // Coordinates in cm.
  int Node(double x, double y, Fix fix = kFree) {
    const int n = ++model.NodeCount;
    model.NodeNo[n] = static_cast<std::uint16_t>(n);
    model.NodeX[n] = x;
    model.NodeY[n] = y;
    model.Fixity[n][1] = fix.x;
    model.Fixity[n][2] = fix.y;
    model.Fixity[n][3] = fix.rotation;
    return n;
  }

  int Section(double A, double I) {
    const int s = ++sections_;
    model.SectionNo[s] = static_cast<std::uint16_t>(s);
    model.SectionA[s] = A;
    model.SectionAs[s] = A;
    model.SectionI[s] = I;
    return s;
  }

  // Keeps the ends as given (the solver must cope with i > j too).
  int Member(int i, int j, int section, std::uint8_t joint = 0, std::uint8_t structure = 1) {
    const int m = ++model.MemberCount;
    model.MemberCount2 = model.MemberCount3 = model.MemberCount;
    model.MemberI[m] = model.LoadMemberI[m] = static_cast<std::uint16_t>(i);
    model.MemberJ[m] = model.LoadMemberJ[m] = static_cast<std::uint16_t>(j);
    model.MemberSection[m] = static_cast<std::uint16_t>(section);
    model.JointType[m] = joint;
    model.Structure[m] = structure;
    return m;
  }

  // Moduli of a user material 6..9, kN/cm².
  void UserMaterial(int number, double E, double G) {
    model.UserE[number] = E;
    model.UserG[number] = G;
  }

  // Node loads as entered: px toward +x, py downward, moment clockwise (kN, kN·m).
  void NodeLoad(int n, double px, double pyDown, double momentClockwise = 0.0) {
    model.NodeLoadMark[n] = static_cast<std::uint16_t>(n);
    model.NodeLoadPx[n] += px;
    model.NodeLoadPy[n] -= pyDown;
    model.NodeLoadM[n] -= momentClockwise;
  }

  // Member loads as the load dialog applies them (kN/m, kN, m).
  void UniformLoad(int m, double w, int code = kLoadVerticalTrue) {
    ApplyLoad(m, code, [&](Tmage1& t) { t.AddUniform(w); });
  }
  void PointLoad(int m, double P, double a, int code = kLoadVerticalTrue) {
    ApplyLoad(m, code, [&](Tmage1& t) { t.AddConcentrated(P, a); });
  }

 private:
  int sections_ = 0;

  template <class AddLoad>
  void ApplyLoad(int m, int code, AddLoad add) {
    Tmage1 t;
    const int i = model.MemberI[m];
    const int j = model.MemberJ[m];
    t.SetMember(code, model.NodeX[i] / 100.0, model.NodeY[i] / 100.0, model.NodeX[j] / 100.0, model.NodeY[j] / 100.0);
    add(t);
    t.ResolveDirection(code);
    model.FixedEndMI[m] -= t.EndMomentI;
    model.FixedEndMJ[m] += t.EndMomentJ;
    model.FixedEndFyI[m] -= t.EndForceYI;
    model.FixedEndFyJ[m] -= t.EndForceYJ;
    model.FixedEndFxI[m] += t.EndForceXI;
    model.FixedEndFxJ[m] += t.EndForceXJ;
    model.SimpleMidMoment[m] += t.MidMoment;
  }
};
