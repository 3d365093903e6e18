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
      {"uniform over the member", 10, 10, 0, 1000},
      {"rising over the member", 0, 20, 0, 1000},
      {"falling over the member", 18, 4, 0, 1000},
      {"partial, crossing mid-span", 5, 15, 1, 3},
      {"partial, before mid-span", 7, 2, 0.5, 2},
      {"partial, beyond mid-span", 3, 9, 4, 1.5},
      {"starting at mid-span", 6, 6, 3, 2},
      {"cut at the J end", 4, 12, 4, 10},
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
      {4.5, {12.0 * 4.5 * 2.25 / 36, 12.0 * 20.25 * 1.5 / 36, 12 - 12.0 * 20.25 * 9 / 216,
             12.0 * 20.25 * 9 / 216, 12 * 1.5 / 2}},
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

TEST(MemberLoads, LoadsThatReachNothing) {
  Tmage1 t;
  // A vertical load measured along a vertical member's horizontal projection.
  t.SetMember(kLoadVerticalProjected, 0, 0, 0, 5);
  t.AddUniform(10);
  t.AddConcentrated(4, 1);
  t.AddTrapezoid(1, 2, 0, 1000);
  for (double v : {t.EndMomentI, t.EndMomentJ, t.MidMoment, t.EndForceYI, t.EndForceYJ, t.EndForceXI,
                   t.EndForceXJ}) {
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
