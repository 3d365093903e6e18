#pragma once
// What one load on one member passes to the member's end nodes when both
// ends are fixed, and the mid-span moment of a simply supported span.
// Coordinates and distances in m, loads in kN/m or kN, so moments come out
// in kN·m. A vertical load acts downward, a horizontal one toward +x.

// Direction codes: which way the load acts and over which length.
inline constexpr int kLoadHorizontalProjected = 1;  // toward +x over |yJ - yI|
inline constexpr int kLoadVerticalProjected = 2;    // downward over |xJ - xI|
inline constexpr int kLoadHorizontalTrue = 3;       // toward +x over the true length
inline constexpr int kLoadVerticalTrue = 4;         // downward over the true length (any other code too)

class Tmage1 {
 public:
  // The last load's values (scratch).
  double LastMomentI = 0.0;
  double LastMomentJ = 0.0;
  double LastMidMoment = 0.0;
  double LastReactionI = 0.0;
  double LastReactionJ = 0.0;

  double LoadedLength = 0.0;  // m
  double MemberAngle = 0.0;   // direction I to J, degrees in [0, 360)

  // Sums of the member's loads. Before ResolveDirection all are positive
  // magnitudes for a load acting in its positive sense.
  double EndMomentI = 0.0;
  double EndMomentJ = 0.0;
  double MidMoment = 0.0;
  double EndForceYI = 0.0;
  double EndForceYJ = 0.0;
  double EndForceXI = 0.0;
  double EndForceXJ = 0.0;

  void SetMember(int code, double xI, double yI, double xJ, double yJ);
  void AddUniform(double w);
  // A load varying linearly from wI to wJ over length metres starting at
  // start metres from the I end, cut at the J end.
  void AddTrapezoid(double wI, double wJ, double start, double length);
  // A point load P at a metres from the I end; beyond the member it acts at J.
  void AddConcentrated(double P, double a);
  void ResolveDirection(int code);

 private:
  void ClearSums();
  void AddLinear(double w1, double w2, double a, double b);
  void AddLast();
};
