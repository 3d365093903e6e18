#include "analysis/member_loads.h"

#include <algorithm>
#include <cmath>

#include "geometry/angles_points.h"

void Tmage1::ClearSums() {
  EndMomentI = EndMomentJ = MidMoment = 0.0;
  EndForceYI = EndForceYJ = EndForceXI = EndForceXJ = 0.0;
}

void Tmage1::SetMember(int code, double xI, double yI, double xJ, double yJ) {
  switch (code) {
    case kLoadHorizontalProjected: LoadedLength = std::abs(yJ - yI); break;
    case kLoadVerticalProjected: LoadedLength = std::abs(xJ - xI); break;
    default: LoadedLength = PointDistance(xI, yI, xJ, yJ); break;
  }
  MemberAngle = DirectionAngleDeg(xI, yI, xJ, yJ);
  ClearSums();
}

void Tmage1::AddLast() {
  EndMomentI += LastMomentI;
  EndMomentJ += LastMomentJ;
  MidMoment += LastMidMoment;
  EndForceYI += LastReactionI;
  EndForceYJ += LastReactionJ;
  EndForceXI += LastReactionI;
  EndForceXJ += LastReactionJ;
}

void Tmage1::AddUniform(double w) { AddLinear(w, w, 0.0, 0.0); }

void Tmage1::AddTrapezoid(double wI, double wJ, double start, double length) {
  const double L = LoadedLength;
  if (L == 0.0) {
    ClearSums();
    return;
  }
  // A load that starts at or beyond the J end, or has no extent, loads nothing.
  if (start >= L || !(length > 0.0)) return;
  const double rest = std::max(0.0, L - (start + length));
  AddLinear(wI, wJ, start, rest);
}

void Tmage1::AddConcentrated(double P, double a) {
  const double L = LoadedLength;
  if (L == 0.0) {
    ClearSums();
    return;
  }
  a = std::min(a, L);
  const double Rb = P * a * a * (3.0 * L - 2.0 * a) / (L * L * L);
  const double Mb = P * a * a * (L - a) / (L * L);
  LastReactionJ = Rb;
  LastMomentJ = Mb;
  LastMomentI = P * a + Mb - Rb * L;
  LastReactionI = P - Rb;
  LastMidMoment = 0.5 * P * a;
  if (a > L / 2.0) LastMidMoment -= P * (a - L / 2.0);
  AddLast();
}

// Intensity w1 at a from the I end rising linearly to w2 at b before the J end.
void Tmage1::AddLinear(double w1, double w2, double a, double b) {
  const double L = LoadedLength;
  if (L == 0.0) {
    ClearSums();
    return;
  }
  const double al = a / L;
  const double be = (L - b) / L;
  if (!(be - al > 0.0)) return;
  const double dw = w2 - w1;
  const double al2 = al * al, be2 = be * be;
  const double d3 = be2 * be - al2 * al;
  const double d4 = be2 * be2 - al2 * al2;
  const double d5 = be2 * be2 * be - al2 * al2 * al;

  const double W = (w1 + w2) * (be - al) * L / 2.0;
  const double S1 = (w1 * be - w2 * al) * d3;
  const double S2 = (0.75 * dw - 0.5 * (w1 * be - w2 * al)) * d4;
  const double Rb = (S1 + S2 - 0.4 * dw * d5) * L / (be - al);
  const double S3 = (w1 * be - w2 * al + w1 - w2) * d4 / 4.0;
  const double Mb = (S1 / 3.0 - S3 - dw * d5 / 5.0) * L * L / (be - al);
  // Static moment of the load about the I end.
  const double Ms = ((2.0 * w2 + w1) * be2 - dw * al * be - (2.0 * w1 + w2) * al2) * L * L / 6.0;

  // The part of the load beyond mid-span lowers the simple-span mid moment.
  double Mm = 0.0;
  const double half = L / 2.0;
  bool beyondMid = true;
  double alp = 0.0, bep = 0.0, w1p = w1;
  if (a >= half) {
    alp = (a - half) / half;
    bep = (half - b) / half;
  } else if (b >= half) {
    beyondMid = false;
  } else {
    alp = 0.0;
    bep = (half - b) / half;
    w1p = w1 + dw * (0.5 - al) / (be - al);
  }
  if (beyondMid) {
    Mm = -((w1p - w2) * alp * bep + (2.0 * w2 + w1p) * bep * bep - (2.0 * w1p + w2) * alp * alp) * L * L / 24.0;
  }

  LastReactionJ = Rb;
  LastMomentJ = Mb;
  LastMomentI = Ms + Mb - Rb * L;
  LastReactionI = W - Rb;
  LastMidMoment = 0.5 * Ms + Mm;
  AddLast();
}

void Tmage1::ResolveDirection(int code) {
  const bool vertical = !(code == kLoadHorizontalProjected || code == kLoadHorizontalTrue);
  bool reverse = false;
  if (vertical) {
    EndForceXI = EndForceXJ = 0.0;
    reverse = MemberAngle >= 90.0 && MemberAngle <= 270.0;
  } else {
    EndForceYI = EndForceYJ = 0.0;
    reverse = MemberAngle > 180.0;
  }
  if (reverse) {
    EndMomentI = -EndMomentI;
    EndMomentJ = -EndMomentJ;
    MidMoment = -MidMoment;
  }
}
