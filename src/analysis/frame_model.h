#pragma once
// The plane frame from input to results. A plain value: copied whole into
// the solver and back, so it holds no pointers and no strings.
//
// Units: lengths and coordinates cm, forces kN, E and G kN/cm², areas cm²,
// second moments cm⁴, moments of the fixed-end and node-load tables kN·m,
// moments of the result tables kN·cm, displacements cm, rotations rad.
// Angles and moments anticlockwise positive. Node n owns the equations
// 3n-2 (x), 3n-1 (y) and 3n (rotation).

#include <array>
#include <cstddef>
#include <cstdint>

// Rows 1..Last; slot 0 carries nothing so row k is the k of the tables.
template <class T, std::size_t Last>
using Rows1 = std::array<T, Last + 1>;

inline constexpr int kFrameMaxNodes = 150;
inline constexpr int kFrameMaxSections = 100;
inline constexpr int kFrameMemberSlots = 200;
// The load, fixed-end and result tables hold 120 members, so that is the
// model's real member capacity although the member tables have 200 slots.
inline constexpr int kFrameMaxMembers = 120;
inline constexpr int kFrameMemberForceRows = 150;
inline constexpr int kFrameNodeLoadMarks = 450;
inline constexpr int kFrameFirstUserMaterial = 6;
inline constexpr int kFrameLastUserMaterial = 9;

// End releases (JointType).
inline constexpr std::uint8_t kJointPinJ = 1;
inline constexpr std::uint8_t kJointPinI = 2;
inline constexpr std::uint8_t kJointPinBoth = 3;

// Member force columns (MemberForce[m][k]).
enum MemberForceColumn : int { kForceNI = 1, kForceQI, kForceMI, kForceNJ, kForceQJ, kForceMJ, kForceMc };

struct RFrameModel {
  std::uint16_t NodeCount = 0;
  std::uint16_t MemberCount = 0;
  std::uint16_t MemberCount2 = 0;  // the solver, diagram and report loops run over this copy
  double CurrentE = 0.0;           // moduli of the member last processed by the solver
  double CurrentG = 0.0;
  std::uint16_t MemberCount3 = 0;                 // the load-vector loop and the fixed-end row search use this copy
  Rows1<double, kFrameLastUserMaterial> UserE{};  // rows 6..9
  Rows1<double, kFrameLastUserMaterial> UserG{};

  Rows1<std::uint16_t, kFrameMaxNodes> NodeNo{};
  Rows1<double, kFrameMaxNodes> NodeX{};
  Rows1<double, kFrameMaxNodes> NodeY{};
  Rows1<Rows1<std::uint8_t, 3>, kFrameMaxNodes> Fixity{};  // [n][1..3] x, y, rotation: 1 restrained

  Rows1<std::uint16_t, kFrameMaxSections> SectionNo{};
  Rows1<double, kFrameMaxSections> SectionA{};
  Rows1<double, kFrameMaxSections> SectionI{};
  Rows1<double, kFrameMaxSections> SectionAs{};

  Rows1<std::uint16_t, kFrameMemberSlots> MemberI{};
  Rows1<std::uint16_t, kFrameMemberSlots> MemberJ{};
  Rows1<std::uint16_t, kFrameMemberSlots> MemberSection{};
  Rows1<std::uint8_t, kFrameMemberSlots> JointType{};
  Rows1<std::uint8_t, kFrameMemberSlots> Structure{};

  Rows1<std::uint16_t, kFrameMaxMembers> LoadMemberI{};
  Rows1<std::uint16_t, kFrameMaxMembers> LoadMemberJ{};
  // Equivalent nodal loads of the member loads in global axes, kN and kN·m.
  Rows1<double, kFrameMaxMembers> FixedEndMI{};
  Rows1<double, kFrameMaxMembers> FixedEndMJ{};
  Rows1<double, kFrameMaxMembers> FixedEndFyI{};
  Rows1<double, kFrameMaxMembers> FixedEndFyJ{};
  Rows1<double, kFrameMaxMembers> FixedEndFxI{};
  Rows1<double, kFrameMaxMembers> FixedEndFxJ{};
  Rows1<double, kFrameMaxMembers> SimpleMidMoment{};  // kN·m, sagging positive

  Rows1<std::uint16_t, kFrameNodeLoadMarks> NodeLoadMark{};
  Rows1<double, kFrameMaxNodes> NodeLoadPx{};
  Rows1<double, kFrameMaxNodes> NodeLoadPy{};
  Rows1<double, kFrameMaxNodes> NodeLoadM{};  // kN·m

  Rows1<Rows1<double, 3>, kFrameMaxNodes> Displacement{};  // x, y (cm), rotation (rad)
  // NI, QI, MI, NJ, QJ, MJ, Mc acting on the member in its own axes (kN, kN·cm).
  Rows1<Rows1<double, 7>, kFrameMemberForceRows> MemberForce{};
  // Action of the frame on the support: x, y (kN), rotation (kN·cm).
  Rows1<Rows1<double, 3>, kFrameMaxNodes> Reaction{};

  bool operator==(const RFrameModel&) const = default;
};
