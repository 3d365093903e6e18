// The corner cuts of the corner tool over acute, right and obtuse corners.
// Expected points from the closed forms of each cut.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/settings_guard.h"
#include "tools/edit/corner_trim.h"
#include "tools/settings/default_settings.h"

namespace {

constexpr double kRadChamfer = 3.14159265358979323846 / 180.0;

struct Vec {
  double x, y;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(double k, Vec a) { return {k * a.x, k * a.y}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double Length(Vec a) { return std::hypot(a.x, a.y); }
Vec Unit(double deg) { return {std::cos(deg * kRadChamfer), std::sin(deg * kRadChamfer)}; }

void ExpectPoint(double x, double y, Vec want, double tol = 1e-9) {
  EXPECT_NEAR(x, want.x, tol);
  EXPECT_NEAR(y, want.y, tol);
}

// Two lines crossing at X = (10, 20): line 0 along 15 degrees from X - 20 u0
// to X + 40 u0, line 1 from X - 20 u1 to X + 40 u1 with u1 turned by the
// corner angle. A pick on the "far" part lies 30 along +u, on the "near"
// part 15 along -u; the kept direction d points to the picked part.
struct Corner {
  double angle;
  bool pickPlus0, pickPlus1;
  Vec x{10, 20};
  Vec u0() const { return Unit(15); }
  Vec u1() const { return Unit(15 + angle); }
  Vec d0() const { return (pickPlus0 ? 1.0 : -1.0) * u0(); }
  Vec d1() const { return (pickPlus1 ? 1.0 : -1.0) * u1(); }
  Vec e0() const { return x + (pickPlus0 ? 40.0 : 20.0) * d0(); }
  Vec e1() const { return x + (pickPlus1 ? 40.0 : 20.0) * d1(); }
  // The angle between the kept parts.
  double theta() const { return std::acos(Dot(d0(), d1())); }
  Vec bisector() const {
    const Vec s = d0() + d1();
    return (1.0 / Length(s)) * s;
  }

  Ttremingobj Tool() const {
    const Vec a = x + (pickPlus0 ? 30.0 : -15.0) * u0();
    const Vec b = x + (pickPlus1 ? 30.0 : -15.0) * u1();
    Ttremingobj tool(false, a.x, a.y, b.x, b.y, 0.5);
    const Vec p0 = x - 20.0 * u0(), q0 = x + 40.0 * u0();
    const Vec p1 = x - 20.0 * u1(), q1 = x + 40.0 * u1();
    tool.SetLine(3, 5, p0.x, p0.y, q0.x, q0.y, 2, 7, 0);
    tool.SetLine(4, 6, p1.x, p1.y, q1.x, q1.y, 1, 9, 1);
    return tool;
  }
};

std::vector<Corner> Corners() {
  std::vector<Corner> corners;
  for (double angle : {60.0, 90.0, 120.0}) {
    for (bool p0 : {true, false}) {
      for (bool p1 : {true, false}) corners.push_back({angle, p0, p1});
    }
  }
  return corners;
}

std::string Name(const Corner& c) {
  return std::to_string(static_cast<int>(c.angle)) + (c.pickPlus0 ? " far" : " near") +
         (c.pickPlus1 ? "/far" : "/near");
}

// Result lines run from the staying end to the given corner ends, with the
// loaded attribute bytes.
void ExpectTrimmed(const Ttremingobj& tool, const Corner& c, Vec t0, Vec t1) {
  EXPECT_EQ(tool.Status, 1);
  ExpectPoint(tool.ResultLines[0].X1, tool.ResultLines[0].Y1, c.e0());
  ExpectPoint(tool.ResultLines[0].X2, tool.ResultLines[0].Y2, t0);
  ExpectPoint(tool.ResultLines[1].X1, tool.ResultLines[1].Y1, c.e1());
  ExpectPoint(tool.ResultLines[1].X2, tool.ResultLines[1].Y2, t1);
  EXPECT_EQ(tool.ResultLines[0].LineType, 3);
  EXPECT_EQ(tool.ResultLines[0].Layer, 7);
  EXPECT_EQ(tool.ResultLines[1].ColorNo, 6);
  EXPECT_EQ(tool.ResultLines[1].Group, 1);
}

Vec ArcPoint(const RToolArc& arc, double deg) { return Vec{arc.CentreX, arc.CentreY} + arc.Radius * Unit(deg); }

// The arc runs anticlockwise between t0 and t1 (either way round) and
// sweeps the given angle.
void ExpectArcBetween(const RToolArc& arc, Vec t0, Vec t1, double sweepDeg) {
  const Vec s = ArcPoint(arc, arc.StartAngle), e = ArcPoint(arc, arc.EndAngle);
  const bool forward = Length(s - t0) < 1e-7;
  ExpectPoint(s.x, s.y, forward ? t0 : t1, 1e-7);
  ExpectPoint(e.x, e.y, forward ? t1 : t0, 1e-7);
  double sweep = arc.EndAngle - arc.StartAngle;
  if (sweep < 0) sweep += 360;
  EXPECT_NEAR(sweep, sweepDeg, 1e-7);
  EXPECT_EQ(arc.Ratio, 1.0);
  EXPECT_EQ(arc.Rotation, 0.0);
}

TEST(Chamfer, StraightChamfersSetBackBySizeOrCutASegmentOfSize) {
  for (const Corner& c : Corners()) {
    SCOPED_TRACE(Name(c));
    {
      Ttremingobj tool = c.Tool();
      tool.ChamferCorner(0, 10, 100);
      const Vec t0 = c.x + 10.0 * c.d0(), t1 = c.x + 10.0 * c.d1();
      ExpectTrimmed(tool, c, t0, t1);
      ExpectPoint(tool.ChamferLines[0].X1, tool.ChamferLines[0].Y1, t0);
      ExpectPoint(tool.ChamferLines[0].X2, tool.ChamferLines[0].Y2, t1);
      // Coordinates only.
      EXPECT_EQ(tool.ChamferLines[0].LineType, 0);
      EXPECT_EQ(tool.ChamferLines[0].Layer, 0);
      EXPECT_EQ(tool.ResultArcs[0].Radius, 0.0);
    }
    {
      // Equal set-backs s with 2 s sin(theta / 2) = 10.
      Ttremingobj tool = c.Tool();
      tool.ChamferCorner(1, 10, 100);
      const double s = 10 / (2 * std::sin(c.theta() / 2));
      ExpectTrimmed(tool, c, c.x + s * c.d0(), c.x + s * c.d1());
      const RToolLine& cut = tool.ChamferLines[0];
      EXPECT_NEAR(std::hypot(cut.X2 - cut.X1, cut.Y2 - cut.Y1), 10, 1e-9);
    }
    {
      // A kind above 5 trims as kind 0 and adds no arc.
      Ttremingobj tool = c.Tool();
      tool.ChamferCorner(9, 10, 100);
      ExpectTrimmed(tool, c, c.x + 10.0 * c.d0(), c.x + 10.0 * c.d1());
      EXPECT_EQ(tool.ResultArcs[0].Radius, 0.0);
    }
  }
  // The right angle by hand: kind 1, size 10, set back 10 sin 45 / sin 90.
  Corner right{90, true, true};
  Ttremingobj tool = right.Tool();
  tool.ChamferCorner(1, 10, 1);
  EXPECT_NEAR(std::hypot(tool.ResultLines[0].X2 - 10, tool.ResultLines[0].Y2 - 20), 7.0710678118654755, 1e-9);
}

TEST(Chamfer, RoundedCornerIsTangentAtTheSetBackPointsAndTheCoveBulgesAway) {
  for (const Corner& c : Corners()) {
    SCOPED_TRACE(Name(c));
    const double s = 8, half = c.theta() / 2;
    const Vec t0 = c.x + s * c.d0(), t1 = c.x + s * c.d1();
    const double sweep = 180 - c.theta() / kRadChamfer;
    {
      // Centre on the bisector at s / cos(theta / 2), radius s tan(theta / 2).
      Ttremingobj tool = c.Tool();
      tool.ChamferCorner(2, s, 100);
      ExpectTrimmed(tool, c, t0, t1);
      const RToolArc& arc = tool.ResultArcs[0];
      ExpectPoint(arc.CentreX, arc.CentreY, c.x + (s / std::cos(half)) * c.bisector(), 1e-7);
      EXPECT_NEAR(arc.Radius, s * std::tan(half), 1e-9);
      ExpectArcBetween(arc, t0, t1, sweep);
      // Touching: the radius to each set-back point is square to its line.
      const Vec o{arc.CentreX, arc.CentreY};
      EXPECT_NEAR(Dot(t0 - o, c.d0()), 0, 1e-7);
      EXPECT_NEAR(Dot(t1 - o, c.d1()), 0, 1e-7);
    }
    {
      // The same arc mirrored in the chord T0-T1.
      Ttremingobj tool = c.Tool();
      tool.ChamferCorner(3, s, 100);
      ExpectTrimmed(tool, c, t0, t1);
      const RToolArc& arc = tool.ResultArcs[0];
      const Vec m = 0.5 * (t0 + t1);
      const Vec filletCentre = c.x + (s / std::cos(half)) * c.bisector();
      ExpectPoint(arc.CentreX, arc.CentreY, 2.0 * m - filletCentre, 1e-7);
      EXPECT_NEAR(arc.Radius, s * std::tan(half), 1e-9);
      ExpectArcBetween(arc, t0, t1, sweep);
      double mid = (arc.StartAngle + arc.EndAngle) / 2;
      if (arc.EndAngle < arc.StartAngle) mid += 180;
      EXPECT_GT(Length(ArcPoint(arc, mid) - c.x), Length(m - c.x));
    }
  }
  // The right angle: the kind 2 centre 10 from both lines, the cove's at X.
  Corner right{90, true, true};
  Ttremingobj rounded = right.Tool(), cove = right.Tool();
  rounded.ChamferCorner(2, 10, 1);
  cove.ChamferCorner(3, 10, 1);
  ExpectPoint(rounded.ResultArcs[0].CentreX, rounded.ResultArcs[0].CentreY, right.x + 10.0 * (right.u0() + right.u1()));
  EXPECT_NEAR(rounded.ResultArcs[0].Radius, 10, 1e-9);
  ExpectPoint(cove.ResultArcs[0].CentreX, cove.ResultArcs[0].CentreY, right.x);
  EXPECT_NEAR(cove.ResultArcs[0].Radius, 10, 1e-9);
}

TEST(Chamfer, NotchCornerUsesTheSettingsOverTheGroupScale) {
  SettingsGuard guard;
  ToolDefaults.ChamferLength1 = 300;  // real mm; group scale 100: 3
  ToolDefaults.ChamferLength2 = 500;  // 5
  for (const Corner& c : Corners()) {
    SCOPED_TRACE(Name(c));
    Ttremingobj tool = c.Tool();
    tool.ChamferCorner(4, 99, 100);
    const Vec t0 = c.x + 3.0 * c.d0(), t1 = c.x + 5.0 * c.d1();
    const Vec q = t0 + t1 - c.x;
    ExpectTrimmed(tool, c, t0, t1);
    ExpectPoint(tool.ChamferLines[0].X1, tool.ChamferLines[0].Y1, t0);
    ExpectPoint(tool.ChamferLines[0].X2, tool.ChamferLines[0].Y2, q);
    ExpectPoint(tool.ChamferLines[1].X1, tool.ChamferLines[1].Y1, t1);
    ExpectPoint(tool.ChamferLines[1].X2, tool.ChamferLines[1].Y2, q);
  }
  // The built-in lengths of 0: both notch lines collapse to the corner.
  ToolDefaults.ChamferLength1 = 0;
  ToolDefaults.ChamferLength2 = 0;
  Corner right{90, true, false};
  Ttremingobj tool = right.Tool();
  tool.ChamferCorner(4, 10, 100);
  EXPECT_EQ(tool.Status, 1);
  for (const RToolLine& line : tool.ChamferLines) {
    ExpectPoint(line.X1, line.Y1, right.x);
    ExpectPoint(line.X2, line.Y2, right.x);
  }
  // A group scale of 0 or less gives no corner.
  Ttremingobj zero = right.Tool();
  zero.ChamferCorner(4, 10, 0);
  EXPECT_EQ(zero.Status, 10);
}

TEST(Chamfer, FilletCentreLiesInsideTheCornerAtRFromBothLines) {
  for (const Corner& c : Corners()) {
    for (double r : {4.0, 18.0}) {
      SCOPED_TRACE(Name(c) + " R " + std::to_string(r));
      // 18 on the obtuse corner is above |X E0| sin(corner angle) = 17.3
      // on its near part; the touching point 18 / tan 60 = 10.4 from X
      // still lies on the line. On the acute corner it would not.
      const double half = c.theta() / 2;
      const double along = r / std::tan(half);
      Ttremingobj tool = c.Tool();
      tool.ChamferCorner(5, r, 100);
      if (along > (c.pickPlus0 ? 40 : 20) || along > (c.pickPlus1 ? 40 : 20)) {
        EXPECT_EQ(tool.Status, 10);  // the touching point would pass the staying end
        continue;
      }
      const Vec t0 = c.x + along * c.d0(), t1 = c.x + along * c.d1();
      ExpectTrimmed(tool, c, t0, t1);
      const RToolArc& arc = tool.ResultArcs[0];
      ExpectPoint(arc.CentreX, arc.CentreY, c.x + (r / std::sin(half)) * c.bisector(), 1e-7);
      EXPECT_EQ(arc.Radius, r);
      ExpectArcBetween(arc, t0, t1, 180 - c.theta() / kRadChamfer);
    }
  }
}

TEST(Chamfer, SizeZeroTrimsWithoutAnArc) {
  for (std::uint8_t kind : {0, 1, 2, 3, 5}) {
    SCOPED_TRACE(int{kind});
    const Corner c{60, false, true};
    Ttremingobj tool = c.Tool();
    tool.ChamferCorner(kind, 0, 100);
    ExpectTrimmed(tool, c, c.x, c.x);
    EXPECT_EQ(tool.ResultArcs[0].Radius, 0.0);
  }
}

TEST(Chamfer, CollinearLinesMergeAndParallelLinesGiveNoCorner) {
  for (std::uint8_t kind = 0; kind <= 6; ++kind) {
    SCOPED_TRACE(int{kind});
    Ttremingobj merged(false, 1, 0, 8, 0, 0.5);
    merged.SetLine(3, 5, 0, 0, 6, 0, 2, 7, 0);
    merged.SetLine(4, 6, 4, 0, 10, 0, 1, 9, 1);
    merged.ChamferCorner(kind, 2, 100);
    EXPECT_EQ(merged.Status, 0);
    EXPECT_EQ(std::min(merged.ResultLines[0].X1, merged.ResultLines[0].X2), 0);
    EXPECT_EQ(std::max(merged.ResultLines[0].X1, merged.ResultLines[0].X2), 10);

    Ttremingobj parallel(false, 1, 0, 8, 1, 0.5);
    parallel.SetLine(3, 5, 0, 0, 6, 0, 2, 7, 0);
    parallel.SetLine(4, 6, 0, 1, 6, 1, 1, 9, 1);
    parallel.ChamferCorner(kind, 2, 100);
    EXPECT_EQ(parallel.Status, 10);
    EXPECT_EQ(parallel.ResultLines[0].X2, 6);
    EXPECT_EQ(parallel.ResultLines[1].Y2, 1);
  }
}

TEST(Chamfer, ASetBackPastTheStayingEndGivesNoCorner) {
  SettingsGuard guard;
  ToolDefaults.ChamferLength2 = 2500;  // 25 over a near part of 20
  const Corner c{90, true, false};
  for (std::uint8_t kind : {0, 2, 3, 4, 5}) {
    SCOPED_TRACE(int{kind});
    Ttremingobj tool = c.Tool();
    tool.ChamferCorner(kind, 25, 100);
    EXPECT_EQ(tool.Status, 10);
    EXPECT_EQ(tool.ResultLines[0].X1, tool.InputLines[0].X1);
    EXPECT_EQ(tool.ResultLines[1].Y2, tool.InputLines[1].Y2);
    EXPECT_EQ(tool.ChamferLines[0].X1, 0);
    EXPECT_EQ(tool.ResultArcs[0].Radius, 0);
  }
  // Exactly the length is allowed: the corner end reaches the staying end.
  Ttremingobj tool = c.Tool();
  tool.ChamferCorner(0, 20, 100);
  EXPECT_EQ(tool.Status, 1);
  ExpectPoint(tool.ResultLines[1].X2, tool.ResultLines[1].Y2, c.e1());
}

TEST(Chamfer, NonFiniteSizeGivesNoCorner) {
  const Corner c{90, true, true};
  Ttremingobj tool = c.Tool();
  tool.ChamferCorner(0, std::nan(""), 100);
  EXPECT_EQ(tool.Status, 10);
  EXPECT_EQ(tool.ResultLines[0].X1, tool.InputLines[0].X1);
}

}  // namespace
