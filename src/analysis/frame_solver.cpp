#include "analysis/frame_solver.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "analysis/section_properties.h"

namespace {

constexpr double kMomentToKNcm = 100.0;  // kN·m to kN·cm
// Below this a member joins two points at the same place (cm).
constexpr double kShortestMember = 1e-6;

bool IsFinite(double v) { return std::isfinite(v); }

}  // namespace

SolveOutcome Tmat::Solve(RFrameModel& model) {
  Model = model;
  if (Model.NodeCount == 0 || Model.MemberCount == 0 || Model.MemberCount2 == 0) {
    return {SolveStatus::NothingToSolve, 0, 0};
  }
  if (const SolveOutcome refusal = Validate(); refusal.Status != SolveStatus::Solved) {
    return refusal;
  }

  NumberEquations();
  Allocate();
  AssembleStiffness();
  Eliminate();
  BuildLoadVector();
  const std::uint16_t unstableNode = BackSubstitute();
  MemberEndForces();
  if (const SolveOutcome overflow = ResultsFinite(); overflow.Status != SolveStatus::Solved) return overflow;

  model = Model;
  if (unstableNode != 0) return {SolveStatus::Unstable, 0, unstableNode};
  return {SolveStatus::Solved, 0, 0};
}

// Everything the steps below index or divide by is checked here, so no step
// can write outside its arrays or divide by a zero length.
SolveOutcome Tmat::Validate() const {
  const int nodes = Model.NodeCount;
  if (nodes > kFrameMaxNodes) return {SolveStatus::TooManyNodes, 0, 0};
  if (Model.MemberCount > kFrameMaxMembers || Model.MemberCount2 > kFrameMaxMembers ||
      Model.MemberCount3 > kFrameMaxMembers) {
    return {SolveStatus::TooManyMembers, 0, 0};
  }
  for (int node = 1; node <= nodes; ++node) {
    if (!IsFinite(Model.NodeX[node]) || !IsFinite(Model.NodeY[node])) {
      return {SolveStatus::NodeNotFinite, 0, static_cast<std::uint16_t>(node)};
    }
    const int mark = Model.NodeLoadMark[node];
    if (mark > nodes) return {SolveStatus::NodeLoadOutOfRange, 0, static_cast<std::uint16_t>(node)};
  }
  for (int m = 1; m <= Model.MemberCount2; ++m) {
    const auto member = static_cast<std::uint16_t>(m);
    const int i = Model.MemberI[m];
    const int j = Model.MemberJ[m];
    if (i < 1 || i > nodes || j < 1 || j > nodes) return {SolveStatus::MemberEndOutOfRange, member, 0};
    const double mdx = Model.NodeX[j] - Model.NodeX[i], mdy = Model.NodeY[j] - Model.NodeY[i];
    // The square decides but near the limit, where the rounding-free length does.
    const double square = mdx * mdx + mdy * mdy;
    if (!(square >= 4 * kShortestMember * kShortestMember) && !(std::hypot(mdx, mdy) >= kShortestMember)) {
      return {SolveStatus::MemberWithoutLength, member, 0};
    }
    const int s = Model.MemberSection[m];
    if (s < 1 || s > kFrameMaxSections) return {SolveStatus::SectionOutOfRange, member, 0};
    const double a = Model.SectionA[s], as = Model.SectionAs[s], iz = Model.SectionI[s];
    if (!(a > 0.0 && IsFinite(a)) || !(as > 0.0 && IsFinite(as)) || !(iz > 0.0 && IsFinite(iz))) {
      return {SolveStatus::SectionWithoutStiffness, member, 0};
    }
    double E = 0.0, G = 0.0;
    MaterialOf(m, E, G);
    if (!(E > 0.0 && IsFinite(E)) || !(G >= 0.0 && IsFinite(G))) {
      return {SolveStatus::MaterialWithoutStiffness, member, 0};
    }
  }
  return {SolveStatus::Solved, 0, 0};
}

SolveOutcome Tmat::ResultsFinite() const {
  const auto allFinite = [](const auto& row) {
    return std::all_of(row.begin() + 1, row.end(), [](double v) { return IsFinite(v); });
  };
  for (int node = 1; node <= Model.NodeCount; ++node) {
    if (!allFinite(Model.Displacement[node]) || !allFinite(Model.Reaction[node])) {
      return {SolveStatus::ResultNotFinite, 0, static_cast<std::uint16_t>(node)};
    }
  }
  for (int m = 1; m <= Model.MemberCount2; ++m) {
    if (!allFinite(Model.MemberForce[m])) return {SolveStatus::ResultNotFinite, static_cast<std::uint16_t>(m), 0};
  }
  return {SolveStatus::Solved, 0, 0};
}

// A restrained direction gets no equation: its row and column would hold
// nothing but its own unit diagonal, and a member reaching a support (a ring
// closing on it) would otherwise widen the band across every equation.
void Tmat::NumberEquations() {
  n = 0;
  EquationNode.assign(1, 0);
  for (int node = 1; node <= Model.NodeCount; ++node) {
    for (int q = 1; q <= 3; ++q) {
      if (Model.Fixity[node][q] == 1) {
        NodeEquation[node][q] = 0;
        continue;
      }
      NodeEquation[node][q] = ++n;
      EquationNode.push_back(static_cast<std::uint16_t>(node));
    }
  }
  b = 1;
  for (int m = 1; m <= Model.MemberCount2; ++m) {
    int lo = n + 1, hi = 0;
    for (const int node : {static_cast<int>(Model.MemberI[m]), static_cast<int>(Model.MemberJ[m])}) {
      for (int q = 1; q <= 3; ++q) {
        const int eq = NodeEquation[node][q];
        if (eq == 0) continue;
        lo = std::min(lo, eq);
        hi = std::max(hi, eq);
      }
    }
    if (hi >= lo) b = std::max<std::uint16_t>(b, static_cast<std::uint16_t>(hi - lo + 1));
  }
}

void Tmat::Allocate() {
  // Every member's state is written by the assembly before it is read.
  MemberWork.reset(new MemberState[static_cast<std::size_t>(Model.MemberCount2) + 1]);
  K.assign(static_cast<std::size_t>(n + 1) * (b + 1u), 0.0);
  F.assign(n + 1u, 0.0);
  X.assign(n + 1u, 0.0);
  w.assign(b + 1u, 0.0);
}

void Tmat::AssembleStiffness() {
  for (int m = 1; m <= Model.MemberCount2; ++m) {
    MemberStiffness(m, Model.JointType[m]);
    BuildTransformation();
    RotateStiffness(MemberWork[m].k);
    AddToBand(m);
  }
}

void Tmat::MaterialOf(int m, double& E, double& G) const {
  const int structure = Model.Structure[m];
  int concreteGrade = -1;
  switch (structure) {
    case 2: concreteGrade = 2; break;  // FC-210
    case 3: concreteGrade = 3; break;  // FC-240
    case 4: concreteGrade = 4; break;  // FC-270
    case 5: concreteGrade = 1; break;  // FC-180
    default: break;
  }
  if (concreteGrade >= 0) {
    Tconckyoudo concrete;
    concrete.Setup(static_cast<std::uint8_t>(concreteGrade), 1, 1.6);
    E = concrete.YoungModulus * kConcreteModulusToKNcm2;
    G = concrete.ShearModulus * kConcreteModulusToKNcm2;
  } else if (structure >= kFrameFirstUserMaterial && structure <= kFrameLastUserMaterial) {
    E = Model.UserE[structure];
    G = Model.UserG[structure];
  } else {
    E = kSteelE;
    G = kSteelG;
  }
}

void Tmat::MemberStiffness(int m, std::uint8_t jointType) {
  const int i = Model.MemberI[m];
  const int j = Model.MemberJ[m];
  dx = Model.NodeX[j] - Model.NodeX[i];
  dy = Model.NodeY[j] - Model.NodeY[i];
  L = std::sqrt(dx * dx + dy * dy);

  double E = 0.0, G = 0.0;
  MaterialOf(m, E, G);
  Model.CurrentE = E;
  Model.CurrentG = G;

  const int s = Model.MemberSection[m];
  const double A = Model.SectionA[s];
  const double As = Model.SectionAs[s];
  const double Iz = Model.SectionI[s];

  // Kept for the end forces.
  MemberState& member = MemberWork[m];
  member.dx = dx;
  member.dy = dy;
  member.L = L;
  Mat6& k = member.k;
  k = Mat6{};
  const double L2 = L * L;
  const double L3 = L2 * L;
  switch (jointType) {
    case kJointPinJ:
    case kJointPinI: {
      // Bending from the end that stays rigid; the pinned end carries none.
      const int rigidRotation = jointType == kJointPinJ ? 3 : 6;
      k[1][1] = k[4][4] = E * As / L;
      k[1][4] = -E * As / L;
      k[2][2] = k[5][5] = 3.0 * E * Iz / L3;
      k[2][5] = -3.0 * E * Iz / L3;
      k[2][rigidRotation] = 3.0 * E * Iz / L2;
      k[std::min(rigidRotation, 5)][std::max(rigidRotation, 5)] = -3.0 * E * Iz / L2;
      k[rigidRotation][rigidRotation] = 3.0 * E * Iz / L;
      break;
    }
    case kJointPinBoth:
      k[1][1] = k[4][4] = E * As / L;
      k[1][4] = -E * As / L;
      break;
    default: {
      // Rigid ends with shear deformation.
      const double shearDenominator = G * As * L2;
      const double beta = shearDenominator == 0.0 ? 0.0 : 6.0 * E * Iz / shearDenominator;
      const double a = 2.0 * E * Iz / L;
      k[3][3] = k[6][6] = a * (2.0 + beta) / (2.0 * beta + 1.0);
      k[3][6] = a * (1.0 - beta) / (2.0 * beta + 1.0);
      const double endShear = (k[3][3] + k[3][6]) / L;
      k[2][3] = k[2][6] = endShear;
      k[3][5] = k[5][6] = -endShear;
      k[2][2] = k[5][5] = 2.0 * endShear / L;
      k[2][5] = -k[2][2];
      k[1][1] = k[4][4] = E * A / L;
      k[1][4] = -E * A / L;
      break;
    }
  }
  for (int r = 1; r <= 6; ++r) {
    for (int c = r + 1; c <= 6; ++c) k[c][r] = k[r][c];
  }
}

void Tmat::BuildTransformation() {
  const double c = dx / L;
  const double s = dy / L;
  T = Mat6{};
  for (int o : {0, 3}) {
    T[o + 1][o + 1] = c;
    T[o + 1][o + 2] = s;
    T[o + 2][o + 1] = -s;
    T[o + 2][o + 2] = c;
    T[o + 3][o + 3] = 1.0;
  }
}

// Kg = Tᵀ·k·T. T is two 3×3 rotations on its diagonal, so each entry of a
// product has at most two terms (one on a rotation's axis); a term with a zero
// factor is left out, so an overflowed stiffness never meets 0 × ∞.
void Tmat::RotateStiffness(const Mat6& k) {
  const double c = T[1][1], s = T[1][2];
  // With every factor finite a zero factor gives a zero term, which changes
  // no sum begun at +0: the terms need no test.
  bool finite = IsFinite(c) && IsFinite(s);
  for (int r = 1; r <= 6; ++r) {
    for (int col = 1; col <= 6; ++col) finite = finite && IsFinite(k[r][col]);
  }
  if (finite) {
    RotateBlocks(k, [](double x, double y) { return x * y; });
  } else {
    RotateBlocks(k, [](double x, double y) { return x != 0.0 && y != 0.0 ? x * y : 0.0; });
  }
}

template <typename Term>
void Tmat::RotateBlocks(const Mat6& k, Term term) {
  const double c = T[1][1], s = T[1][2];
  // Only the upper half of Kg reaches the band: the lower left block is
  // never formed, nor the part of TtK only it would read.
  // TtK = Tᵀ·k, rows by block: (c·k₁ − s·k₂, s·k₁ + c·k₂, k₃).
  for (int o : {0, 3}) {
    for (int col = o + 1; col <= 6; ++col) {
      TtK[o + 1][col] = 0.0 + term(c, k[o + 1][col]) + term(-s, k[o + 2][col]);
      TtK[o + 2][col] = 0.0 + term(s, k[o + 1][col]) + term(c, k[o + 2][col]);
      TtK[o + 3][col] = 0.0 + term(1.0, k[o + 3][col]);
    }
  }
  // Kg = TtK·T, columns by block likewise.
  for (int row = 1; row <= 6; ++row) {
    for (int o : {0, 3}) {
      if (o + 3 < row) continue;
      Kg[row][o + 1] = 0.0 + term(TtK[row][o + 1], c) + term(TtK[row][o + 2], -s);
      Kg[row][o + 2] = 0.0 + term(TtK[row][o + 1], s) + term(TtK[row][o + 2], c);
      Kg[row][o + 3] = 0.0 + term(TtK[row][o + 3], 1.0);
    }
  }
}

void Tmat::SetMemberEquations(int m) {
  const int i = Model.MemberI[m];
  const int j = Model.MemberJ[m];
  for (int q = 1; q <= 3; ++q) {
    Eq[q] = NodeEquation[i][q];
    Eq[q + 3] = NodeEquation[j][q];
  }
}

// Only the upper half is stored; the pair is ordered by equation number so a
// member entered from its higher node still lands above the diagonal.
void Tmat::AddToBand(int m) {
  SetMemberEquations(m);
  double* const band = K.data();
  const std::size_t stride = b + 1u;
  for (int p = 1; p <= 6; ++p) {
    if (Eq[p] == 0) continue;  // restrained
    for (int q = p; q <= 6; ++q) {
      if (Eq[q] == 0) continue;
      const int lo = std::min(Eq[p], Eq[q]);
      const int hi = std::max(Eq[p], Eq[q]);
      band[static_cast<std::size_t>(lo) * stride + static_cast<std::size_t>(hi - lo + 1)] += Kg[p][q];
    }
  }
}

// Gaussian elimination within the band; row i keeps its unscaled values and
// serves the forward substitution later.
void Tmat::Eliminate() {
  for (int i = 1; i <= n - 1; ++i) {
    const int p = std::min<int>(b, n - i + 1);
    const double pivot = Band(i, 1);
    for (int c = 2; c <= p; ++c) w[c] = pivot == 0.0 ? 0.0 : Band(i, c) / pivot;
    for (int a = 2; a <= p; ++a) {
      const double factor = Band(i, a);
      if (factor == 0.0) continue;
      for (int c = a; c <= p; ++c) Band(i + a - 1, c - a + 1) -= factor * w[c];
    }
  }
}

// The fixed-end tables hold the values of a member fixed at both ends. A
// pinned end can carry no moment: its moment goes to zero and half of it is
// carried to a fixed far end; the end shears change by the moment change
// over the length, across the member.
void Tmat::ReleaseEndMoments(int m) {
  const std::uint8_t joint = Model.JointType[m];
  if (joint != kJointPinJ && joint != kJointPinI && joint != kJointPinBoth) return;
  const double mi = Model.FixedEndMI[m];
  const double mj = Model.FixedEndMJ[m];
  double newMi = mi, newMj = mj;
  switch (joint) {
    case kJointPinJ:
      newMi = mi - mj / 2.0;
      newMj = 0.0;
      break;
    case kJointPinI:
      newMj = mj - mi / 2.0;
      newMi = 0.0;
      break;
    default:
      newMi = 0.0;
      newMj = 0.0;
      break;
  }
  const int i = Model.LoadMemberI[m];
  const int j = Model.LoadMemberJ[m];
  const double mdx = Model.NodeX[j] - Model.NodeX[i];
  const double mdy = Model.NodeY[j] - Model.NodeY[i];
  const double length = std::sqrt(mdx * mdx + mdy * mdy);
  Model.FixedEndMI[m] = newMi;
  Model.FixedEndMJ[m] = newMj;
  if (length < kShortestMember) return;
  const double c = mdx / length;
  const double s = mdy / length;
  // Change of the equivalent end load across the member (local y) at I; J
  // takes the opposite, so the loads stay in equilibrium.
  const double shearChange = ((newMi - mi) + (newMj - mj)) * kMomentToKNcm / length;
  Model.FixedEndFxI[m] += -s * shearChange;
  Model.FixedEndFyI[m] += c * shearChange;
  Model.FixedEndFxJ[m] -= -s * shearChange;
  Model.FixedEndFyJ[m] -= c * shearChange;
}

void Tmat::BuildLoadVector() {
  std::fill(F.begin(), F.end(), 0.0);
  const int nodes = Model.NodeCount;
  for (int m = 1; m <= Model.MemberCount3; ++m) {
    const int i = Model.LoadMemberI[m];
    const int j = Model.LoadMemberJ[m];
    if (i < 1 || i > nodes || j < 1 || j > nodes) continue;
    ReleaseEndMoments(m);
    AddLoad(i, 1, Model.FixedEndFxI[m]);
    AddLoad(i, 2, Model.FixedEndFyI[m]);
    AddLoad(i, 3, kMomentToKNcm * Model.FixedEndMI[m]);
    AddLoad(j, 1, Model.FixedEndFxJ[m]);
    AddLoad(j, 2, Model.FixedEndFyJ[m]);
    AddLoad(j, 3, kMomentToKNcm * Model.FixedEndMJ[m]);
  }
  for (int node = 1; node <= nodes; ++node) {
    const int t = Model.NodeLoadMark[node];
    if (t == 0) continue;  // Validate keeps t within 1..NodeCount
    AddLoad(t, 1, Model.NodeLoadPx[node]);
    AddLoad(t, 2, Model.NodeLoadPy[node]);
    AddLoad(t, 3, kMomentToKNcm * Model.NodeLoadM[node]);
  }
}

// A load on a restrained direction goes straight into its support.
void Tmat::AddLoad(int node, int q, double value) {
  if (const int eq = NodeEquation[node][q]; eq != 0) F[eq] += value;
}

// Returns the first node with a load on an equation that nothing stiffens,
// or 0. Such an equation is solved as if restrained.
std::uint16_t Tmat::BackSubstitute() {
  std::uint16_t unstableNode = 0;
  auto noteUnstiffenedLoad = [&](int eq) {
    if (F[eq] != 0.0 && unstableNode == 0) unstableNode = EquationNode[eq];
  };
  if (n == 0) {  // every direction restrained
    for (int node = 1; node <= Model.NodeCount; ++node) {
      for (int q = 1; q <= 3; ++q) Model.Displacement[node][q] = 0.0;
    }
    return 0;
  }
  for (int i = 1; i <= n - 1; ++i) {
    const int p = std::min<int>(b, n - i + 1);
    const double pivot = Band(i, 1);
    if (pivot == 0.0) {
      noteUnstiffenedLoad(i);
      F[i] = 0.0;
    } else {
      F[i] /= pivot;
    }
    for (int a = 2; a <= p; ++a) F[i + a - 1] -= Band(i, a) * F[i];
  }
  if (Band(n, 1) == 0.0) {
    noteUnstiffenedLoad(n);
    X[n] = 0.0;
  } else {
    X[n] = F[n] / Band(n, 1);
  }
  for (int i = n - 1; i >= 1; --i) {
    const int p = std::min<int>(b, n - i + 1);
    double sum = 0.0;
    for (int a = 2; a <= p; ++a) sum += Band(i, a) * X[i + a - 1];
    const double pivot = Band(i, 1);
    X[i] = pivot == 0.0 ? F[i] : F[i] - sum / pivot;
  }
  for (int node = 1; node <= Model.NodeCount; ++node) {
    for (int q = 1; q <= 3; ++q) Model.Displacement[node][q] = X[NodeEquation[node][q]];
  }
  return unstableNode;
}

// The member's own fixed-end row: the load tables are written with the
// member tables, so row m belongs to member m. Another row joining the same
// two nodes belongs to another member and must not be used.
int Tmat::FixedEndRowOf(int m) const {
  if (m <= Model.MemberCount3 && Model.LoadMemberI[m] == Model.MemberI[m] && Model.LoadMemberJ[m] == Model.MemberJ[m]) {
    return m;
  }
  return 0;
}

void Tmat::MemberEndForces() {
  for (int node = 1; node <= Model.NodeCount; ++node) Model.Reaction[node] = {};

  for (int m = 1; m <= Model.MemberCount2; ++m) {
    const MemberState& member = MemberWork[m];
    const Mat6& k = member.k;
    dx = member.dx;
    dy = member.dy;
    L = member.L;
    SetMemberEquations(m);
    const double c = dx / L;
    const double s = dy / L;

    for (int q = 1; q <= 6; ++q) GlobalEndDisp[q] = X[Eq[q]];
    if (std::all_of(GlobalEndDisp.begin() + 1, GlobalEndDisp.end(), IsFinite)) {
      // Only the rotations' own terms: the others are zeros times finite
      // numbers, which change no sum.
      for (int o : {0, 3}) {
        const double u = GlobalEndDisp[o + 1], v = GlobalEndDisp[o + 2], r = GlobalEndDisp[o + 3];
        LocalEndDisp[o + 1] = 0.0 + c * u + s * v;
        LocalEndDisp[o + 2] = 0.0 + -s * u + c * v;
        LocalEndDisp[o + 3] = 0.0 + 1.0 * r;
      }
    } else {
      BuildTransformation();
      for (int r = 1; r <= 6; ++r) {
        double sum = 0.0;
        for (int q = 1; q <= 6; ++q) sum += T[r][q] * GlobalEndDisp[q];
        LocalEndDisp[r] = sum;
      }
    }
    auto& force = Model.MemberForce[m];
    for (int r = 1; r <= 6; ++r) {
      double sum = 0.0;
      for (int q = 1; q <= 6; ++q) sum += k[r][q] * LocalEndDisp[q];
      force[r] = sum;
    }

    if (const int row = FixedEndRowOf(m); row != 0) {
      const double fxI = Model.FixedEndFxI[row], fyI = Model.FixedEndFyI[row];
      const double fxJ = Model.FixedEndFxJ[row], fyJ = Model.FixedEndFyJ[row];
      force[kForceNI] -= fyI * s + fxI * c;
      force[kForceQI] -= fyI * c - fxI * s;
      force[kForceNJ] -= fyJ * s + fxJ * c;
      force[kForceQJ] -= fyJ * c - fxJ * s;
      force[kForceMI] -= kMomentToKNcm * Model.FixedEndMI[row];
      force[kForceMJ] -= kMomentToKNcm * Model.FixedEndMJ[row];
      force[kForceMc] = (force[kForceMJ] - force[kForceMI]) / 2.0 + kMomentToKNcm * Model.SimpleMidMoment[row];
    } else {
      force[kForceMc] = (force[kForceMJ] - force[kForceMI]) / 2.0;
    }

    const int ends[2] = {Model.MemberI[m], Model.MemberJ[m]};
    for (int e = 0; e < 2; ++e) {
      const int node = ends[e];
      const double N = force[e == 0 ? kForceNI : kForceNJ];
      const double Q = force[e == 0 ? kForceQI : kForceQJ];
      const double M = force[e == 0 ? kForceMI : kForceMJ];
      const auto& fix = Model.Fixity[node];
      auto& reaction = Model.Reaction[node];
      if (fix[1] == 1) reaction[1] -= N * c - Q * s;
      if (fix[2] == 1) reaction[2] -= N * s + Q * c;
      if (fix[3] == 1) reaction[3] -= M;
    }
  }

  for (int node = 1; node <= Model.NodeCount; ++node) {
    const auto& fix = Model.Fixity[node];
    auto& reaction = Model.Reaction[node];
    if (fix[1] == 1) reaction[1] += Model.NodeLoadPx[node];
    if (fix[2] == 1) reaction[2] += Model.NodeLoadPy[node];
    // A support that leaves the rotation free takes no moment.
    if (fix[3] == 1) reaction[3] += kMomentToKNcm * Model.NodeLoadM[node];
  }
}
