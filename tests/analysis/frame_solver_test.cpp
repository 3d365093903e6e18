// Frame solver against closed-form beam and frame results. Units in the
// model: cm, kN, kN/cm²; member loads are entered in kN/m over metres.

#include "analysis/frame_solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "frame_builder.h"

namespace {

constexpr double E = Tmat::kSteelE;
constexpr double G = Tmat::kSteelG;
constexpr double kRelTol = 1e-7;
// Structure number of a user material without shear deformation (G = 0).
constexpr std::uint8_t kBendingOnly = 6;

// |actual - expected| within kRelTol of the expected value, or of `scale`
// where the expected value is zero or small beside the problem's magnitudes.
void ExpectClose(double actual, double expected, double scale, const std::string& what) {
  const double tolerance = kRelTol * std::max(std::abs(expected), scale);
  EXPECT_NEAR(actual, expected, tolerance) << what;
}

SolveOutcome SolveModel(RFrameModel& model) {
  Tmat solver;
  return solver.Solve(model);
}

TEST(FrameSolver, CantileverEndLoadIncludesShearDeformation) {
  const double L = 300, A = 50, I = 5000, P = 10;
  FrameBuilder f;
  f.Node(0, 0, kFixed);
  f.Node(L, 0);
  f.Member(1, 2, f.Section(A, I));
  f.NodeLoad(2, 0, P);

  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const auto& r = f.model;
  const double deflection = P * L * L * L / (3 * E * I) + P * L / (G * A);
  ExpectClose(r.Displacement[2][2], -deflection, deflection, "tip deflection");
  ExpectClose(r.Displacement[2][3], -P * L * L / (2 * E * I), 1e-3, "tip rotation");
  ExpectClose(r.Displacement[2][1], 0, deflection, "tip axial");

  const auto& f1 = r.MemberForce[1];
  ExpectClose(f1[kForceNI], 0, P, "NI");
  ExpectClose(f1[kForceQI], P, P, "QI");
  ExpectClose(f1[kForceMI], P * L, P * L, "MI");
  ExpectClose(f1[kForceQJ], -P, P, "QJ");
  ExpectClose(f1[kForceMJ], 0, P * L, "MJ");
  ExpectClose(f1[kForceMc], -P * L / 2, P * L, "Mc hogging");

  ExpectClose(r.Reaction[1][1], 0, P, "RX");
  ExpectClose(r.Reaction[1][2], -P, P, "RY");
  ExpectClose(r.Reaction[1][3], -P * L, P * L, "RM");
  EXPECT_EQ(r.CurrentE, E);
  EXPECT_EQ(r.CurrentG, G);
}

TEST(FrameSolver, SimplySupportedUniformLoad) {
  const double L = 600, A = 80, I = 12000, w = 10;  // w in kN/m
  const double wc = w / 100;                        // kN/cm
  FrameBuilder f;
  f.Node(0, 0, kPinned);
  f.Node(L, 0, kRollerY);
  f.Member(1, 2, f.Section(A, I));
  f.UniformLoad(1, w);

  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const auto& r = f.model;
  const double R = wc * L / 2;
  ExpectClose(r.Reaction[1][2], -R, R, "left reaction");
  ExpectClose(r.Reaction[2][2], -R, R, "right reaction");
  ExpectClose(r.Reaction[1][1], 0, R, "no thrust");
  EXPECT_EQ(r.Reaction[1][3], 0.0);
  const double theta = wc * L * L * L / (24 * E * I);
  ExpectClose(r.Displacement[1][3], -theta, theta, "left end rotation");
  ExpectClose(r.Displacement[2][3], theta, theta, "right end rotation");
  const auto& m = r.MemberForce[1];
  ExpectClose(m[kForceMc], wc * L * L / 8, wc * L * L / 8, "mid-span moment");
  ExpectClose(m[kForceMI], 0, wc * L * L / 8, "MI");
  ExpectClose(m[kForceQI], R, R, "QI");
  ExpectClose(m[kForceQJ], R, R, "QJ");
}

// Fixed at both ends with a node at mid-span: bending plus shear deflection.
TEST(FrameSolver, FixedFixedMidPointLoad) {
  const double L = 800, A = 60, I = 9000, P = 20;
  FrameBuilder f;
  f.Node(0, 0, kFixed);
  f.Node(L, 0, kFixed);
  f.Node(L / 2, 0);
  const int s = f.Section(A, I);
  f.Member(1, 3, s);
  f.Member(2, 3, s);  // drawn from the right support to the middle
  f.NodeLoad(3, 0, P);

  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const auto& r = f.model;
  const double deflection = P * L * L * L / (192 * E * I) + P * L / (4 * G * A);
  ExpectClose(r.Displacement[3][2], -deflection, deflection, "mid deflection");
  ExpectClose(r.Displacement[3][3], 0, 1e-3, "mid rotation");
  ExpectClose(r.Reaction[1][2], -P / 2, P, "left RY");
  ExpectClose(r.Reaction[2][2], -P / 2, P, "right RY");
  ExpectClose(r.Reaction[1][3], -P * L / 8, P * L, "left RM");
  ExpectClose(r.Reaction[2][3], P * L / 8, P * L, "right RM");
  ExpectClose(r.MemberForce[1][kForceMI], P * L / 8, P * L, "member 1 MI");
  ExpectClose(r.MemberForce[1][kForceMJ], P * L / 8, P * L, "member 1 MJ (sagging at the load)");
}

TEST(FrameSolver, FixedFixedUniformLoadOverTwoMembers) {
  const double L = 800, A = 60, I = 9000, w = 5;
  const double wc = w / 100;
  FrameBuilder f;
  f.Node(0, 0, kFixed);
  f.Node(L / 2, 0);
  f.Node(L, 0, kFixed);
  const int s = f.Section(A, I);
  f.Member(1, 2, s);
  f.Member(2, 3, s);
  f.UniformLoad(1, w);
  f.UniformLoad(2, w);

  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const auto& r = f.model;
  const double deflection = wc * std::pow(L, 4) / (384 * E * I) + wc * L * L / (8 * G * A);
  const double Mend = wc * L * L / 12;
  ExpectClose(r.Displacement[2][2], -deflection, deflection, "mid deflection");
  ExpectClose(r.Reaction[1][3], -Mend, Mend, "left end moment");
  ExpectClose(r.Reaction[3][3], Mend, Mend, "right end moment");
  ExpectClose(r.MemberForce[1][kForceMJ], wc * L * L / 24, Mend, "mid-span sagging moment");
  ExpectClose(r.MemberForce[2][kForceMI], -wc * L * L / 24, Mend, "same, right member");
}

TEST(FrameSolver, ProppedCantileverUniformLoad) {
  const double L = 500, A = 40, I = 6000, w = 8;
  const double wc = w / 100;
  FrameBuilder f;
  f.UserMaterial(kBendingOnly, E, 0.0);
  f.Node(0, 0, kFixed);
  f.Node(L, 0, kRollerY);
  f.Member(1, 2, f.Section(A, I), 0, kBendingOnly);
  f.UniformLoad(1, w);

  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const auto& r = f.model;
  ExpectClose(r.Reaction[2][2], -3 * wc * L / 8, wc * L, "prop");
  ExpectClose(r.Reaction[1][2], -5 * wc * L / 8, wc * L, "fixed end force");
  ExpectClose(r.Reaction[1][3], -wc * L * L / 8, wc * L * L, "fixed end moment");
  const double theta = wc * L * L * L / (48 * E * I);
  ExpectClose(r.Displacement[2][3], theta, theta, "rotation at the prop");
  ExpectClose(r.MemberForce[1][kForceMc], wc * L * L / 16, wc * L * L, "mid-span moment");
}

// A released end between two fully fixed nodes: the member carries its loads
// as a propped cantilever (pin at one end) or a simple beam (pins at both).
struct ReleasedCase {
  const char* name;
  std::uint8_t joint;
  bool pointLoad;
  double a;  // m from the I end, point loads only
  // Expected, from the closed forms: reactions (support forces up +) and
  // member end moments acting on the member, kN·cm.
  std::function<void(const RFrameModel&, double L, double load)> check;
};

TEST(FrameSolver, ReleasedEndsCarryLoadsByClosedForms) {
  const double span = 600;
  const std::vector<ReleasedCase> cases = {
      {"pin at J, uniform", kJointPinJ, false, 0,
       [](const RFrameModel& r, double L, double w) {
         ExpectClose(-r.Reaction[2][2], 3 * w * L / 8, w * L, "prop reaction");
         ExpectClose(-r.Reaction[1][2], 5 * w * L / 8, w * L, "fixed reaction");
         ExpectClose(r.MemberForce[1][kForceMI], w * L * L / 8, w * L * L, "MI");
         EXPECT_EQ(r.MemberForce[1][kForceMJ], 0.0);
         EXPECT_EQ(r.Reaction[2][3], 0.0) << "a pinned end passes no moment";
         ExpectClose(r.MemberForce[1][kForceMc], w * L * L / 16, w * L * L, "Mc");
       }},
      {"pin at I, uniform", kJointPinI, false, 0,
       [](const RFrameModel& r, double L, double w) {
         ExpectClose(-r.Reaction[1][2], 3 * w * L / 8, w * L, "prop reaction");
         ExpectClose(-r.Reaction[2][2], 5 * w * L / 8, w * L, "fixed reaction");
         ExpectClose(r.MemberForce[1][kForceMJ], -w * L * L / 8, w * L * L, "MJ");
         EXPECT_EQ(r.MemberForce[1][kForceMI], 0.0);
         EXPECT_EQ(r.Reaction[1][3], 0.0);
       }},
      {"pin at J, point load", kJointPinJ, true, 2,
       [](const RFrameModel& r, double L, double P) {
         const double a = 200;
         ExpectClose(-r.Reaction[2][2], P * a * a * (3 * L - a) / (2 * L * L * L), P, "prop reaction");
         ExpectClose(r.MemberForce[1][kForceMI], P * a * (L - a) * (2 * L - a) / (2 * L * L), P * L, "MI");
       }},
      {"pins at both ends, point load", kJointPinBoth, true, 2,
       [](const RFrameModel& r, double L, double P) {
         const double a = 200;
         ExpectClose(-r.Reaction[1][2], P * (L - a) / L, P, "left reaction");
         ExpectClose(-r.Reaction[2][2], P * a / L, P, "right reaction");
         EXPECT_EQ(r.MemberForce[1][kForceMI], 0.0);
         EXPECT_EQ(r.MemberForce[1][kForceMJ], 0.0);
         ExpectClose(r.MemberForce[1][kForceMc], P * a / 2, P * L, "simple-span mid moment");
         ExpectClose(r.MemberForce[1][kForceQI], P * (L - a) / L, P, "QI");
       }},
      {"pins at both ends, uniform", kJointPinBoth, false, 0,
       [](const RFrameModel& r, double L, double w) {
         ExpectClose(-r.Reaction[1][2], w * L / 2, w * L, "left reaction");
         ExpectClose(r.MemberForce[1][kForceMc], w * L * L / 8, w * L * L, "Mc");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FrameBuilder f;
    f.Node(0, 0, kFixed);
    f.Node(span, 0, kFixed);
    f.Member(1, 2, f.Section(50, 8000), c.joint);
    const double load = c.pointLoad ? 30.0 : 12.0;  // kN or kN/m
    if (c.pointLoad) {
      f.PointLoad(1, load, c.a);
    } else {
      f.UniformLoad(1, load);
    }
    ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
    c.check(f.model, span, c.pointLoad ? load : load / 100);
  }
}

TEST(FrameSolver, PinnedEndCantileverUsesReducedStiffness) {
  const double L = 400, I = 7000, P = 6;
  FrameBuilder f;
  f.Node(0, 0, kFixed);
  f.Node(L, 0);
  f.Member(1, 2, f.Section(30, I), kJointPinJ);
  f.NodeLoad(2, 0, P);
  // The tip rotation is held by nothing but carries no load: no complaint.
  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const double deflection = P * L * L * L / (3 * E * I);
  ExpectClose(f.model.Displacement[2][2], -deflection, deflection, "tip deflection");
  EXPECT_EQ(f.model.Displacement[2][3], 0.0);
}

TEST(FrameSolver, PinnedMemberBetweenTwoMovingNodes) {
  // A cantilever of two members, the outer one pinned at its tip: both ends
  // of the pinned member move, so its end-to-end shear terms count. By hand,
  // the rigid member (with shear deformation) under shear P and the moment
  // P*L at its tip gives v2 = P*L^3/(3EI) + P*L^2*L/(2EI) + P*L/(G*A) and
  // theta2 = P*L^2/(2EI) + P*L*L/(EI); the tip then moves
  // v3 = v2 + theta2*L + P*L^3/(3EI) = 8*P*L^3/(3EI) + P*L/(G*A).
  const double L = 250, A = 40, I = 6000, P = 4;
  FrameBuilder f;
  f.Node(0, 0, kFixed);
  f.Node(L, 0);
  f.Node(2 * L, 0);
  const int s = f.Section(A, I);
  f.Member(1, 2, s);
  f.Member(2, 3, s, kJointPinJ);
  f.NodeLoad(3, 0, P);
  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const double v2 = 5 * P * L * L * L / (6 * E * I) + P * L / (G * A);
  const double v3 = 8 * P * L * L * L / (3 * E * I) + P * L / (G * A);
  ExpectClose(f.model.Displacement[2][2], -v2, v3, "middle deflection");
  ExpectClose(f.model.Displacement[3][2], -v3, v3, "tip deflection");
  ExpectClose(f.model.MemberForce[2][kForceMI], P * L, P * L, "pinned member MI");
}

TEST(FrameSolver, MemberWithoutALoadRowStillHasItsMidMoment) {
  // No load-table rows at all: the mid moment is the mean of the end moments
  // alone, here half the root moment of a cantilever, hogging.
  const double L = 300, P = 10;
  FrameBuilder f;
  f.Node(0, 0, kFixed);
  f.Node(L, 0);
  f.Member(1, 2, f.Section(50, 5000));
  f.NodeLoad(2, 0, P);
  f.model.MemberCount3 = 0;
  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  ExpectClose(f.model.MemberForce[1][kForceMI], P * L, P * L, "MI");
  ExpectClose(f.model.MemberForce[1][kForceMc], -P * L / 2, P * L, "Mc hogging");
}

TEST(FrameSolver, TwoBarTruss) {
  const double A = 25, P = 50;
  FrameBuilder f;
  f.Node(0, 0, kPinned);
  f.Node(800, 0, kPinned);
  f.Node(400, 300);
  const int s = f.Section(A, 1000);
  f.Member(1, 3, s, kJointPinBoth);
  f.Member(2, 3, s, kJointPinBoth);
  f.NodeLoad(3, 0, P);

  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const auto& r = f.model;
  const double sin = 0.6, cos = 0.8, length = 500;
  const double N = P / (2 * sin);  // compression in each bar
  const double deflection = N * length / (E * A) / sin;
  ExpectClose(r.Displacement[3][2], -deflection, deflection, "apex deflection");
  ExpectClose(r.Displacement[3][1], 0, deflection, "apex sway");
  EXPECT_EQ(r.Displacement[3][3], 0.0);
  for (int m : {1, 2}) {
    ExpectClose(r.MemberForce[m][kForceNI], N, N, "NI compression");
    ExpectClose(r.MemberForce[m][kForceNJ], -N, N, "NJ compression");
    ExpectClose(r.MemberForce[m][kForceQI], 0, N, "no shear");
  }
  ExpectClose(r.Reaction[1][1], -N * cos, N, "left thrust on support");
  ExpectClose(r.Reaction[2][1], N * cos, N, "right thrust on support");
  ExpectClose(r.Reaction[1][2], -P / 2, N, "left vertical");
  EXPECT_EQ(r.Reaction[1][3], 0.0);
}

// A fixed-base portal with equal columns. The column tops are held
// vertically and the load is split between them, so neither the columns nor
// the beam change length and the classic inextensible results hold exactly.
TEST(FrameSolver, PortalUnderLateralLoad) {
  const double h = 400, L = 600, Ic = 20000, Ib = 45000, H = 40;
  const double k = (Ib / L) / (Ic / h);
  FrameBuilder f;
  f.UserMaterial(kBendingOnly, E, 0.0);
  f.Node(0, 0, kFixed);
  f.Node(0, h, kRollerY);
  f.Node(L, h, kRollerY);
  f.Node(L, 0, kFixed);
  const int column = f.Section(100, Ic);
  const int beam = f.Section(100, Ib);
  f.Member(1, 2, column, 0, kBendingOnly);
  f.Member(2, 3, beam, 0, kBendingOnly);
  f.Member(3, 4, column, 0, kBendingOnly);  // drawn downward
  f.NodeLoad(2, H / 2, 0);
  f.NodeLoad(3, H / 2, 0);

  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const auto& r = f.model;
  const double sway = H * h * h * h * (2 + 3 * k) / (12 * E * Ic * (1 + 6 * k));
  const double baseMoment = H * h / 2 * (1 + 3 * k) / (1 + 6 * k);
  const double topMoment = H * h / 2 * (3 * k) / (1 + 6 * k);
  ExpectClose(r.Displacement[2][1], sway, sway, "sway left");
  ExpectClose(r.Displacement[3][1], sway, sway, "sway right");
  for (int base : {1, 4}) {
    ExpectClose(r.Reaction[base][1], H / 2, H, "base shear on support");
    ExpectClose(r.Reaction[base][3], -baseMoment, H * h, "base moment on support");
  }
  ExpectClose(std::abs(r.MemberForce[1][kForceMJ]), topMoment, H * h, "column top moment");
  ExpectClose(std::abs(r.MemberForce[2][kForceMI]), topMoment, H * h, "beam end moment");
}

TEST(FrameSolver, PortalUnderGravityLoad) {
  const double h = 400, L = 600, Ic = 20000, Ib = 45000, w = 15;
  const double wc = w / 100;
  const double k = (Ib * h) / (Ic * L);
  FrameBuilder f;
  f.UserMaterial(kBendingOnly, E, 0.0);
  f.Node(0, 0, kFixed);
  f.Node(0, h, kPinned);  // tops held in place by the symmetry of the load
  f.Node(L, h, kPinned);
  f.Node(L, 0, kFixed);
  const int column = f.Section(100, Ic);
  const int beam = f.Section(100, Ib);
  f.Member(1, 2, column, 0, kBendingOnly);
  f.Member(2, 3, beam, 0, kBendingOnly);
  f.Member(3, 4, column, 0, kBendingOnly);
  f.UniformLoad(2, w);

  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const auto& r = f.model;
  const double corner = wc * L * L / (6 * (2 + k));
  const double theta = (wc * L * L / 12) / (4 * E * Ic / h + 2 * E * Ib / L);
  ExpectClose(r.Displacement[2][3], -theta, theta, "left corner rotation");
  ExpectClose(r.Displacement[3][3], theta, theta, "right corner rotation");
  ExpectClose(std::abs(r.MemberForce[2][kForceMI]), corner, corner, "beam end moment");
  ExpectClose(std::abs(r.Reaction[1][3]), corner / 2, corner, "base moment");
  ExpectClose(r.MemberForce[2][kForceMc], wc * L * L / 8 - corner, corner, "beam mid-span moment");
}

// 120 nodes in a row, a apart, the first fixed; a chain of members along
// them and one member from the last node straight back to the first: a ring
// closing on its support. Its node numbers span the whole frame, but its free
// equations are as narrow as the chain's. The last node hangs on two equal
// cantilevers of length Lt from the same clamp (the chain and the closing
// member, the members overlapping), so each carries half of a load there:
// u = (H/2)·x/(EA) along the chain, v = (P/2)·(x²(3Lt − x)/(6EI) + x/(G·As)),
// θ = (P/2)·(Lt·x − x²/2)/(EI) at a distance x from the clamp.
TEST(FrameSolver, RingClosingOnItsSupportSolvesWithTheChainsBand) {
  constexpr int kNodes = 120;  // and 120 members, the most a model holds
  const double a = 100, A = 100, I = 20000, H = 30, P = 12;
  const double Lt = (kNodes - 1) * a;
  auto build = [&](bool closed) {
    FrameBuilder f;
    for (int n = 0; n < kNodes; ++n) f.Node(n * a, 0, n == 0 ? kFixed : kFree);
    const int s = f.Section(A, I);
    for (int n = 1; n < kNodes; ++n) f.Member(n, n + 1, s);
    if (closed) f.Member(1, kNodes, s);
    f.NodeLoad(kNodes, H, P);
    return f.model;
  };
  RFrameModel ring = build(true), chain = build(false);
  Tmat ringSolver, chainSolver;
  ASSERT_EQ(ringSolver.Solve(ring).Status, SolveStatus::Solved);
  ASSERT_EQ(chainSolver.Solve(chain).Status, SolveStatus::Solved);
  EXPECT_EQ(ringSolver.EquationCount(), 3 * (kNodes - 1));
  EXPECT_EQ(chainSolver.BandWidth(), 6);
  EXPECT_EQ(ringSolver.BandWidth(), chainSolver.BandWidth());

  const double tipV = P / 2 * (Lt * Lt * Lt / (3 * E * I) + Lt / (G * A));
  for (const int node : {2, 40, 100, kNodes}) {
    const double x = (node - 1) * a;
    const double u = H / 2 * x / (E * A);
    const double v = P / 2 * (x * x * (3 * Lt - x) / (6 * E * I) + x / (G * A));
    const double theta = P / 2 * (Lt * x - x * x / 2) / (E * I);
    const std::string at = " at node " + std::to_string(node);
    ExpectClose(ring.Displacement[node][1], u, H / 2 * Lt / (E * A), "axial" + at);
    ExpectClose(ring.Displacement[node][2], -v, tipV, "deflection" + at);
    ExpectClose(ring.Displacement[node][3], -theta, P / 2 * Lt * Lt / (2 * E * I), "rotation" + at);
  }
  // As on the support, the way the cantilever above gives them.
  ExpectClose(ring.Reaction[1][1], H, H, "support takes the push");
  ExpectClose(ring.Reaction[1][2], -P, P, "support takes the load");
  ExpectClose(ring.Reaction[1][3], -P * Lt, P * Lt, "support moment");
}

TEST(FrameSolver, MemberEnteredFromItsHigherNodeGivesTheSameFrame) {
  auto build = [](bool reversed) {
    FrameBuilder f;
    f.Node(0, 0, kFixed);
    f.Node(300, 200);
    const int s = f.Section(40, 5000);
    if (reversed) {
      f.Member(2, 1, s);
    } else {
      f.Member(1, 2, s);
    }
    f.NodeLoad(2, 3, 7, 2);
    return f.model;
  };
  RFrameModel forward = build(false), backward = build(true);
  ASSERT_EQ(SolveModel(forward).Status, SolveStatus::Solved);
  ASSERT_EQ(SolveModel(backward).Status, SolveStatus::Solved);
  for (int q = 1; q <= 3; ++q) {
    ExpectClose(backward.Displacement[2][q], forward.Displacement[2][q], 1e-6, "tip");
    ExpectClose(backward.Reaction[1][q], forward.Reaction[1][q], 1.0, "reaction");
  }
}

TEST(FrameSolver, SecondMemberBetweenTheSameNodesKeepsItsOwnLoad) {
  const double L = 600, w = 10, wc = w / 100;
  FrameBuilder f;
  f.Node(0, 0, kFixed);
  f.Node(L, 0, kFixed);
  const int s = f.Section(50, 8000);
  f.Member(1, 2, s);
  f.Member(1, 2, s);
  f.UniformLoad(2, w);

  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const auto& r = f.model;
  ExpectClose(r.MemberForce[2][kForceMI], wc * L * L / 12, wc * L * L, "loaded member MI");
  ExpectClose(r.MemberForce[2][kForceQI], wc * L / 2, wc * L, "loaded member QI");
  ExpectClose(r.MemberForce[1][kForceMI], 0, wc * L * L, "unloaded member MI");
  ExpectClose(r.MemberForce[1][kForceQI], 0, wc * L, "unloaded member QI");
  ExpectClose(r.Reaction[1][2], -wc * L / 2, wc * L, "left reaction");
}

TEST(FrameSolver, NodeMomentAtAPinnedSupportIsNoMomentReaction) {
  const double L = 500, I = 6000, M = 12;  // kN·m, clockwise as entered
  FrameBuilder f;
  f.UserMaterial(kBendingOnly, E, 0.0);
  f.Node(0, 0, kPinned);
  f.Node(L, 0, kRollerY);
  f.Member(1, 2, f.Section(40, I), 0, kBendingOnly);
  f.NodeLoad(1, 0, 0, M);

  ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
  const auto& r = f.model;
  const double Mc = M * 100;
  EXPECT_EQ(r.Reaction[1][3], 0.0);
  ExpectClose(r.Reaction[1][2], Mc / L, Mc / L, "left vertical");
  ExpectClose(r.Reaction[2][2], -Mc / L, Mc / L, "right vertical");
  ExpectClose(r.Displacement[1][3], -Mc * L / (3 * E * I), 1e-3, "rotation under the moment");
  ExpectClose(r.Displacement[2][3], Mc * L / (6 * E * I), 1e-3, "far-end rotation");
}

TEST(FrameSolver, LoadThatNothingHoldsIsReportedUnstable) {
  {
    SCOPED_TRACE("moment on a truss node");
    FrameBuilder f;
    f.Node(0, 0, kPinned);
    f.Node(800, 0, kPinned);
    f.Node(400, 300);
    const int s = f.Section(25, 1000);
    f.Member(1, 3, s, kJointPinBoth);
    f.Member(2, 3, s, kJointPinBoth);
    f.NodeLoad(3, 0, 0, 5);
    const SolveOutcome outcome = SolveModel(f.model);
    EXPECT_EQ(outcome.Status, SolveStatus::Unstable);
    EXPECT_EQ(outcome.Node, 3);
    EXPECT_TRUE(outcome.Succeeded());
  }
  {
    SCOPED_TRACE("load on a node no member reaches");
    FrameBuilder f;
    f.Node(0, 0, kFixed);
    f.Node(300, 0);
    f.Node(600, 0);
    f.Member(1, 2, f.Section(25, 1000));
    f.NodeLoad(3, 0, 4);
    const SolveOutcome outcome = SolveModel(f.model);
    EXPECT_EQ(outcome.Status, SolveStatus::Unstable);
    EXPECT_EQ(outcome.Node, 3);
  }
}

TEST(FrameSolver, MaterialFollowsTheStructureNumber) {
  struct Case {
    std::uint8_t structure;
    double e, g, tolerance;
  };
  const Case cases[] = {
      {0, E, G, 0},
      {1, E, G, 0},
      {10, E, G, 0},
      {5, 1953.72, 837.31, 0.01},
      {2, 2110.25, 904.39, 0.01},
      {3, 2255.96, 966.84, 0.01},
      {4, 2392.80, 1025.49, 0.01},
      {7, 3000.0, 1200.0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.structure));
    FrameBuilder f;
    f.UserMaterial(7, 3000.0, 1200.0);
    f.Node(0, 0, kFixed);
    f.Node(300, 0);
    f.Member(1, 2, f.Section(40, 5000), 0, c.structure);
    f.NodeLoad(2, 0, 1);
    ASSERT_EQ(SolveModel(f.model).Status, SolveStatus::Solved);
    EXPECT_NEAR(f.model.CurrentE, c.e, c.tolerance);
    EXPECT_NEAR(f.model.CurrentG, c.g, c.tolerance);
  }
}

TEST(FrameSolver, EmptyModelIsLeftUntouched) {
  FrameBuilder f;
  f.Node(0, 0, kFixed);
  f.NodeLoad(1, 0, 5);
  const RFrameModel before = f.model;
  EXPECT_EQ(SolveModel(f.model).Status, SolveStatus::NothingToSolve);
  EXPECT_TRUE(f.model == before);
}

TEST(FrameSolver, RefusesModelsItCannotSolveAndLeavesThemUntouched) {
  struct Case {
    const char* name;
    std::function<void(RFrameModel&)> spoil;
    SolveStatus status;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<Case> cases = {
      {"end node 0", [](RFrameModel& m) { m.MemberI[2] = 0; }, SolveStatus::MemberEndOutOfRange},
      {"first member's end node 0", [](RFrameModel& m) { m.MemberI[1] = 0; }, SolveStatus::MemberEndOutOfRange},
      {"first member without a section", [](RFrameModel& m) { m.MemberSection[1] = 0; },
       SolveStatus::SectionOutOfRange},
      {"end beyond the nodes", [](RFrameModel& m) { m.MemberJ[2] = 4; }, SolveStatus::MemberEndOutOfRange},
      {"zero length", [](RFrameModel& m) { m.NodeX[3] = m.NodeX[2]; }, SolveStatus::MemberWithoutLength},
      {"no section", [](RFrameModel& m) { m.MemberSection[2] = 0; }, SolveStatus::SectionOutOfRange},
      {"section beyond the table", [](RFrameModel& m) { m.MemberSection[2] = 101; }, SolveStatus::SectionOutOfRange},
      {"area unreadable", [](RFrameModel& m) { m.SectionA[2] = -2; }, SolveStatus::SectionWithoutStiffness},
      {"inertia zero", [](RFrameModel& m) { m.SectionI[2] = 0; }, SolveStatus::SectionWithoutStiffness},
      {"user material without E", [](RFrameModel& m) { m.Structure[2] = 8; }, SolveStatus::MaterialWithoutStiffness},
      {"too many nodes", [](RFrameModel& m) { m.NodeCount = 151; }, SolveStatus::TooManyNodes},
      {"too many members", [](RFrameModel& m) { m.MemberCount2 = 121; }, SolveStatus::TooManyMembers},
      {"node-load mark beyond the nodes", [](RFrameModel& m) { m.NodeLoadMark[3] = 140; },
       SolveStatus::NodeLoadOutOfRange},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FrameBuilder f;
    f.Node(0, 0, kFixed);
    f.Node(300, 0);
    f.Node(600, 0);
    f.Member(1, 2, f.Section(40, 5000));
    f.Member(2, 3, f.Section(30, 4000));
    f.NodeLoad(3, 0, 5);
    c.spoil(f.model);
    const RFrameModel before = f.model;
    const SolveOutcome outcome = SolveModel(f.model);
    EXPECT_EQ(outcome.Status, c.status);
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_TRUE(f.model == before);
  }
  {
    SCOPED_TRACE("coordinate not a number");
    FrameBuilder f;
    f.Node(0, 0, kFixed);
    f.Node(nan, 0);
    f.Member(1, 2, f.Section(40, 5000));
    const SolveOutcome outcome = SolveModel(f.model);
    EXPECT_EQ(outcome.Status, SolveStatus::NodeNotFinite);
    EXPECT_EQ(outcome.Node, 2);
    EXPECT_EQ(f.model.Reaction[1][2], 0.0);
  }
}

TEST(FrameSolver, OverflowingResultsAreReportedNotReturned) {
  // Values no frame has overflow the products of the elimination: each
  // gives an infinite or undefined result somewhere, which the solver
  // reports, naming the first node (by number) whose displacement or
  // reaction is not a number, else the first such member, instead of
  // handing it back. A 3 m cantilever (A 40 cm2, I 5000 cm4, steel),
  // fixed at one end: whatever overflows reaches the support's reaction.
  struct Case {
    const char* name;
    std::function<void(RFrameModel&)> spoil;
    bool fixedAtTwo;  // the support at node 2, the free end node 1
    std::uint16_t node;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<Case> cases = {
      // The support's moment 1e308 x 300 cm overflows.
      {"node load 1e308",
       [](RFrameModel& m) {
         m.NodeLoadPy[2] = -1e308;
         m.NodeLoadPx[2] = 1e308;
       },
       false, 1},
      {"node load infinite", [inf](RFrameModel& m) { m.NodeLoadPy[2] = -inf; }, false, 1},
      {"member load 1e308",
       [](RFrameModel& m) {
         m.FixedEndFyI[1] = 1e308;
         m.FixedEndMI[1] = 1e308;
       },
       false, 1},
      {"inertia and area 1e308",
       [](RFrameModel& m) {
         m.SectionI[1] = 1e308;
         m.SectionA[1] = m.SectionAs[1] = 1e308;
       },
       false, 1},
      {"user E 1e308",
       [](RFrameModel& m) {
         m.Structure[1] = 6;
         m.UserE[6] = 1e308;
         m.UserG[6] = 1e308;
       },
       false, 1},
      // The free end first, loaded by 1e306 kN downward: its deflection
      // (times L^3 / 3EI = 0.087) and rotation (times L^2 / 2EI = 4.4e-4)
      // stay numbers, as does the load times L / 2 on the way; the
      // support's moment 1e306 x 300 = 3e308, at node 2, does not.
      {"node load 1e306 at the free node 1", [](RFrameModel& m) { m.NodeLoadPy[1] = -1e306; }, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FrameBuilder f;
    if (c.fixedAtTwo) {
      f.Node(0, 0);
      f.Node(300, 0, kFixed);
      f.Member(1, 2, f.Section(40, 5000));
      f.NodeLoad(1, 0, 5);
    } else {
      f.Node(0, 0, kFixed);
      f.Node(300, 0);
      f.Member(1, 2, f.Section(40, 5000));
      f.NodeLoad(2, 0, 5);
    }
    c.spoil(f.model);
    const RFrameModel before = f.model;
    const SolveOutcome outcome = SolveModel(f.model);
    EXPECT_EQ(outcome.Status, SolveStatus::ResultNotFinite);
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_EQ(outcome.Node, c.node);
    EXPECT_EQ(outcome.Member, 0);
    EXPECT_TRUE(f.model == before) << "no result of an overflow is kept";
  }
}

}  // namespace
