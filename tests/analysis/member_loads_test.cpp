// Fixed-end forces of member loads against the fixed-beam influence lines
// integrated numerically, and the worked values of single loads.

#include "analysis/member_loads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace {

struct EndForces {
  double Ma, Mb, Ra, Rb, M0;
};

// Integrates a downward load q(x) over [from, to] of a span L against the
// influence lines of a beam fixed at both ends and of a simple span's
// mid-span moment (composite Simpson, split at mid-span where m(x) kinks).
EndForces Integrate(const std::function<double(double)>& q, double from, double to, double L) {
  EndForces sum{0, 0, 0, 0, 0};
  auto piece = [&](double a, double b) {
    if (b <= a) return;
    const int intervals = 2000;
    const double h = (b - a) / intervals;
    for (int i = 0; i <= intervals; ++i) {
      const double x = a + i * h;
      const double weight = (i == 0 || i == intervals) ? 1 : (i % 2 ? 4 : 2);
      const double p = q(x) * weight * h / 3;
      sum.Ma += p * x * (L - x) * (L - x) / (L * L);
      sum.Mb += p * x * x * (L - x) / (L * L);
      const double rb = p * x * x * (3 * L - 2 * x) / (L * L * L);
      sum.Rb += rb;
      sum.Ra += p - rb;
      sum.M0 += p * (x <= L / 2 ? x / 2 : (L - x) / 2);
    }
  };
  piece(from, std::min(to, L / 2));
  piece(std::max(from, L / 2), to);
  return sum;
}

void ExpectSums(const Tmage1& t, const EndForces& e, double tol) {
  EXPECT_NEAR(t.EndMomentI, e.Ma, tol);
  EXPECT_NEAR(t.EndMomentJ, e.Mb, tol);
  EXPECT_NEAR(t.EndForceYI, e.Ra, tol);
  EXPECT_NEAR(t.EndForceYJ, e.Rb, tol);
  EXPECT_NEAR(t.MidMoment, e.M0, tol);
}

TEST(MemberLoads, LinearLoadsMatchIntegratedInfluenceLines) {
  const double L = 6;
  struct Case {
    const char* name;
    double wI, wJ, start, length;
  };
  const Case cases[] = {
      {"uniform over the member", 10, 10, 0, 1000}, {"rising over the member", 0, 20, 0, 1000},
      {"falling over the member", 18, 4, 0, 1000},  {"partial, crossing mid-span", 5, 15, 1, 3},
      {"partial, before mid-span", 7, 2, 0.5, 2},   {"partial, beyond mid-span", 3, 9, 4, 1.5},
      {"starting at mid-span", 6, 6, 3, 2},         {"cut at the J end", 4, 12, 4, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tmage1 t;
    t.SetMember(kLoadVerticalTrue, 0, 0, L, 0);
    t.AddTrapezoid(c.wI, c.wJ, c.start, c.length);
    const double end = std::min(L, c.start + c.length);
    const auto q = [&](double x) { return c.wI + (c.wJ - c.wI) * (x - c.start) / (end - c.start); };
    ExpectSums(t, Integrate(q, c.start, end, L), 1e-9);
  }
  Tmage1 uniform;
  uniform.SetMember(kLoadVerticalTrue, 0, 0, L, 0);
  uniform.AddUniform(10);
  ExpectSums(uniform, Integrate([](double) { return 10.0; }, 0, L, L), 1e-9);
}

TEST(MemberLoads, PointLoads) {
  const double L = 6, P = 12;
  struct Case {
    double a;
    EndForces expected;
  };
  // Closed forms: Ma = P a b²/L², Mb = P a² b/L², Rb = P a²(3L - 2a)/L³,
  // simple-span mid moment P a/2 before mid-span, P b/2 beyond it.
  const Case cases[] = {
      {2, {12.0 * 2 * 16 / 36, 12.0 * 4 * 4 / 36, 12 - 12.0 * 4 * 14 / 216, 12.0 * 4 * 14 / 216, 12}},
      {4.5,
       {12.0 * 4.5 * 2.25 / 36, 12.0 * 20.25 * 1.5 / 36, 12 - 12.0 * 20.25 * 9 / 216, 12.0 * 20.25 * 9 / 216,
        12 * 1.5 / 2}},
      {3, {9, 9, 6, 6, 18}},
      {8, {0, 0, 0, 12, 0}},  // beyond the member: at the J end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a);
    Tmage1 t;
    t.SetMember(kLoadVerticalTrue, 0, 0, L, 0);
    t.AddConcentrated(P, c.a);
    ExpectSums(t, c.expected, 1e-12);
  }
}

TEST(MemberLoads, WorkedUniformLoadAndDirections) {
  Tmage1 t;
  t.SetMember(kLoadVerticalProjected, 0, 0, 6, 0);
  t.AddUniform(10);
  t.ResolveDirection(kLoadVerticalProjected);
  EXPECT_DOUBLE_EQ(t.EndMomentI, 30);
  EXPECT_DOUBLE_EQ(t.EndMomentJ, 30);
  EXPECT_DOUBLE_EQ(t.EndForceYI, 30);
  EXPECT_DOUBLE_EQ(t.EndForceYJ, 30);
  EXPECT_DOUBLE_EQ(t.MidMoment, 45);
  EXPECT_EQ(t.EndForceXI, 0);
  EXPECT_EQ(t.EndForceXJ, 0);

  // Drawn from right to left: the moments turn, the reactions do not.
  t.SetMember(kLoadVerticalProjected, 6, 0, 0, 0);
  t.AddUniform(10);
  t.ResolveDirection(kLoadVerticalProjected);
  EXPECT_DOUBLE_EQ(t.MemberAngle, 180);
  EXPECT_DOUBLE_EQ(t.EndMomentI, -30);
  EXPECT_DOUBLE_EQ(t.EndMomentJ, -30);
  EXPECT_DOUBLE_EQ(t.MidMoment, -45);
  EXPECT_DOUBLE_EQ(t.EndForceYI, 30);
}

TEST(MemberLoads, LoadedLengthFollowsTheDirectionCode) {
  struct Case {
    int code;
    double xJ, yJ;
    double length;
  };
  const Case cases[] = {
      {kLoadHorizontalProjected, 3, 4, 4},
      {kLoadVerticalProjected, 3, 4, 3},
      {kLoadHorizontalTrue, 3, 4, 5},
      {kLoadVerticalTrue, 3, 4, 5},
      {7, 3, 4, 5},  // any other code: vertical over the true length
  };
  for (const Case& c : cases) {
    Tmage1 t;
    t.SetMember(c.code, 0, 0, c.xJ, c.yJ);
    EXPECT_DOUBLE_EQ(t.LoadedLength, c.length) << "code " << c.code;
  }
}

TEST(MemberLoads, HorizontalLoadOnColumnsKeepsOrTurnsItsMoments) {
  Tmage1 up;
  up.SetMember(kLoadHorizontalProjected, 0, 0, 0, 4);
  up.AddUniform(5);
  up.ResolveDirection(kLoadHorizontalProjected);
  EXPECT_NEAR(up.EndMomentI, 5.0 * 16 / 12, 1e-12);
  EXPECT_DOUBLE_EQ(up.EndForceXI, 10);
  EXPECT_EQ(up.EndForceYI, 0);

  Tmage1 down;
  down.SetMember(kLoadHorizontalProjected, 0, 4, 0, 0);
  down.AddUniform(5);
  down.ResolveDirection(kLoadHorizontalProjected);
  EXPECT_DOUBLE_EQ(down.MemberAngle, 270);
  EXPECT_NEAR(down.EndMomentI, -5.0 * 16 / 12, 1e-12);
  EXPECT_DOUBLE_EQ(down.EndForceXJ, 10);
}

// A vertical load turns the moments of a member pointing from 90 to 270
// degrees, both included; a horizontal one those of a member pointing past
// 180. Uniform 10 kN/m: end moments w L^2 / 12, mid-span w L^2 / 8. Over the
// true length 6, or 6.0000000833 (L^2 = 36.000001) for a member leaning
// 0.001 off the vertical or horizontal, so 30 and 45, or 30.00000083 and
// 45.00000125; a vertical load over the projected length 0.001 gives
// 10 x 0.000001 / 12 = 8.33e-7 and 1.25e-6; over length 0 nothing.
TEST(MemberLoads, TheMomentsTurnFromExactlyNinetyAndPastOneEighty) {
  constexpr double kM = 10 * 36.000001 / 12, kMid = 10 * 36.000001 / 8;
  constexpr double kSmall = 10 * 0.000001 / 12, kSmallMid = 10 * 0.000001 / 8;
  struct Case {
    const char* what;
    int code;
    double xI, yI, xJ, yJ;
    double angle;  // the member's direction, where exact
    double end, mid;
  } cases[] = {
      {"vertical true at 90", kLoadVerticalTrue, 0, 0, 0, 6, 90, -30, -45},
      {"vertical true just below 90", kLoadVerticalTrue, 0, 0, 0.001, 6, -1, kM, kMid},
      {"vertical true just above 90", kLoadVerticalTrue, 0, 0, -0.001, 6, -1, -kM, -kMid},
      {"vertical true at 270", kLoadVerticalTrue, 0, 6, 0, 0, 270, -30, -45},
      {"vertical true just above 270", kLoadVerticalTrue, 0, 6, 0.001, 0, -1, kM, kMid},
      {"vertical true just below 270", kLoadVerticalTrue, 0, 6, -0.001, 0, -1, -kM, -kMid},
      {"vertical projected at 90: no length", kLoadVerticalProjected, 0, 0, 0, 6, 90, 0, 0},
      {"vertical projected just below 90", kLoadVerticalProjected, 0, 0, 0.001, 6, -1, kSmall, kSmallMid},
      {"vertical projected just above 90", kLoadVerticalProjected, 0, 0, -0.001, 6, -1, -kSmall, -kSmallMid},
      {"horizontal true at 90", kLoadHorizontalTrue, 0, 0, 0, 6, 90, 30, 45},
      {"horizontal projected at 90", kLoadHorizontalProjected, 0, 0, 0, 6, 90, 30, 45},
      {"horizontal true at 180", kLoadHorizontalTrue, 6, 0, 0, 0, 180, 30, 45},
      {"horizontal true just past 180", kLoadHorizontalTrue, 6, 0, 0, -0.001, -1, -kM, -kMid},
      {"horizontal projected at 270", kLoadHorizontalProjected, 0, 6, 0, 0, 270, -30, -45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Tmage1 t;
    t.SetMember(c.code, c.xI, c.yI, c.xJ, c.yJ);
    if (c.angle >= 0) {
      ASSERT_EQ(t.MemberAngle, c.angle);
    }
    t.AddUniform(10);
    t.ResolveDirection(c.code);
    EXPECT_NEAR(t.EndMomentI, c.end, 1e-9);
    EXPECT_NEAR(t.EndMomentJ, c.end, 1e-9);
    EXPECT_NEAR(t.MidMoment, c.mid, 1e-9);
  }
}

TEST(MemberLoads, LoadsThatReachNothing) {
  Tmage1 t;
  // A vertical load measured along a vertical member's horizontal projection.
  t.SetMember(kLoadVerticalProjected, 0, 0, 0, 5);
  t.AddUniform(10);
  t.AddConcentrated(4, 1);
  t.AddTrapezoid(1, 2, 0, 1000);
  for (double v : {t.EndMomentI, t.EndMomentJ, t.MidMoment, t.EndForceYI, t.EndForceYJ, t.EndForceXI, t.EndForceXJ}) {
    EXPECT_EQ(v, 0.0);
  }
  // A linear load that starts at or beyond the J end.
  Tmage1 beyond;
  beyond.SetMember(kLoadVerticalTrue, 0, 0, 6, 0);
  beyond.AddTrapezoid(5, 5, 6, 2);
  beyond.AddTrapezoid(5, 5, 9, 2);
  beyond.AddTrapezoid(5, 5, 1, 0);
  beyond.AddTrapezoid(5, 5, 1, std::numeric_limits<double>::quiet_NaN());  // no extent either
  EXPECT_EQ(beyond.EndMomentI, 0.0);
  EXPECT_EQ(beyond.EndForceYJ, 0.0);
  EXPECT_FALSE(std::isnan(beyond.MidMoment));
}

TEST(MemberLoads, SetMemberStartsNewSums) {
  Tmage1 t;
  t.SetMember(kLoadVerticalTrue, 0, 0, 6, 0);
  t.AddUniform(10);
  t.AddUniform(10);
  EXPECT_DOUBLE_EQ(t.EndMomentI, 60);
  t.SetMember(kLoadVerticalTrue, 0, 0, 6, 0);
  EXPECT_EQ(t.EndMomentI, 0.0);
  EXPECT_EQ(t.MidMoment, 0.0);
}

}  // namespace
