#pragma once
// Plane frame solver by the displacement method: numbers the displacements
// the supports leave free, assembles the members into a symmetric band
// matrix over them, eliminates, and computes node displacements, member end
// forces and support reactions.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "analysis/frame_model.h"

// How a solve ended. Anything but Solved and Unstable leaves the caller's
// record untouched; the application turns the outcome into its own message.
enum class SolveStatus : std::uint8_t {
  Solved,
  // No node or no member: nothing to do.
  NothingToSolve,
  // Solved, but a load sits on a degree of freedom that no member and no
  // support holds, so the frame cannot carry it. `Node` names the node.
  Unstable,
  // Refusals: the model cannot be solved as it stands.
  TooManyNodes,              // NodeCount above the record's capacity
  TooManyMembers,            // a member count above the record's capacity
  MemberEndOutOfRange,       // `Member` has an end outside 1..NodeCount
  MemberWithoutLength,       // `Member` joins two points at the same place
  SectionOutOfRange,         // `Member` names no section row 1..100
  SectionWithoutStiffness,   // `Member`'s section has no positive area or inertia
  MaterialWithoutStiffness,  // `Member`'s material has no positive E (or a negative G)
  NodeLoadOutOfRange,        // `Node` carries a node-load mark naming no node of the model
  NodeNotFinite,             // `Node` has a coordinate that is not a number
  // The elimination overflowed: a displacement, end force or reaction came
  // out infinite or not a number, at `Node` or on `Member`. The frame is as
  // unstable as its input is extreme; nothing of the results is kept.
  ResultNotFinite,
};

struct SolveOutcome {
  SolveStatus Status = SolveStatus::Solved;
  std::uint16_t Member = 0;  // the member concerned, or 0
  std::uint16_t Node = 0;    // the node concerned, or 0

  bool Succeeded() const { return Status == SolveStatus::Solved || Status == SolveStatus::Unstable; }
};

class Tmat {
 public:
  // Solves `model` in place. On success (Solved or Unstable) the record holds
  // the displacements, member end forces and reactions; otherwise it is as
  // it was.
  SolveOutcome Solve(RFrameModel& model);

  // The number of equations and the band width of the last solve: only the
  // displacements left free are equations, so a support never widens the band.
  std::uint16_t EquationCount() const { return n; }
  std::uint16_t BandWidth() const { return b; }

  // Moduli of steel, kN/cm².
  static constexpr double kSteelE = 20593.965;
  static constexpr double kSteelG = 7943.3865;

 private:
  using Mat6 = Rows1<Rows1<double, 6>, 6>;
  using Vec6 = Rows1<double, 6>;

  RFrameModel Model{};

  // Work of the member being processed.
  Mat6 T{};
  Vec6 GlobalEndDisp{};
  Vec6 LocalEndDisp{};
  Mat6 Kg{};
  Rows1<std::uint16_t, 6> Eq{};
  Mat6 TtK{};
  // Each member's local stiffness and projections, from the assembly.
  struct MemberState {
    Mat6 k;
    double dx, dy, L;
  };
  std::unique_ptr<MemberState[]> MemberWork;

  std::uint16_t b = 0;  // band width
  std::uint16_t n = 0;  // number of equations
  // The equation of each node's x, y and rotation, in node order; 0 for a
  // restrained one, whose displacement is zero. And the node of each equation.
  Rows1<Rows1<std::uint16_t, 3>, kFrameMaxNodes> NodeEquation{};
  std::vector<std::uint16_t> EquationNode;
  double dx = 0.0, dy = 0.0, L = 0.0;

  // Upper half band: row r, column 1 the diagonal, column c the coupling of
  // equations r and r + c - 1. Row and column 0 carry nothing; X[0] stays 0,
  // the displacement of every restrained direction.
  std::vector<double> K;
  std::vector<double> F;
  std::vector<double> X;
  std::vector<double> w;

  double& Band(int row, int col) { return K[static_cast<std::size_t>(row) * (b + 1u) + col]; }

  SolveOutcome Validate() const;
  SolveOutcome ResultsFinite() const;
  void NumberEquations();
  void Allocate();
  void AssembleStiffness();
  void MemberStiffness(int m, std::uint8_t jointType);
  void MaterialOf(int m, double& E, double& G) const;
  void BuildTransformation();
  void RotateStiffness(const Mat6& k);
  template <typename Term>
  void RotateBlocks(const Mat6& k, Term term);
  void AddToBand(int m);
  void SetMemberEquations(int m);
  void Eliminate();
  void ReleaseEndMoments(int m);
  void BuildLoadVector();
  void AddLoad(int node, int q, double value);
  std::uint16_t BackSubstitute();
  void MemberEndForces();
  int FixedEndRowOf(int m) const;
};
