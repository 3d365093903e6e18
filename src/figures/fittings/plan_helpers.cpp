// Settings, widths, line attributes, end marks and side frames of the
// plan kinds.

#include "figures/fittings/plan_helpers.h"

#include <algorithm>

#include "tools/settings/default_settings.h"

FittingPlan::FittingPlan(TBuzaidanmenobj& Figure)
    : FittingFrame(Figure),
      n(FittingDefaults.FitLeafCount),
      G(Paper(FittingDefaults.FitMullion)),
      T(Paper(FittingDefaults.FitPlanSize1)),
      E(Paper(FittingDefaults.FitPlanSize2)),
      J(Paper(FittingDefaults.FitPlanSize3)),
      D(Paper(FittingDefaults.FitPlanSize4)) {}

double FittingPlan::RealWorkingWidth(double Reduction) const {
  const double width = FittingDefaults.FitWidth;
  return FittingDefaults.FitPlanOption6 != 0 ? width - Reduction : width;
}

double FittingPlan::RealFrameWidth() const {
  return RealWorkingWidth(SideFramesOn() ? 2 * FittingDefaults.FitPlanSize3 : 0.0);
}

RPlanUnits FittingPlan::RepeatedUnits(double Reduction) const {
  const double whole = WorkingWidth(Reduction);
  RPlanUnits units;
  units.n = n;
  if (FittingDefaults.FitWidthIsTotal != 0) {
    // The whole width is shared by the units and the gaps between them;
    // without units there is nothing to share it.
    units.W = n > 0 ? (whole - (n - 1) * G) / n : 0.0;
    units.Box = Paper(FittingDefaults.FitWidth);
  } else {
    units.W = whole;
    units.Box = n * whole + (n - 1) * G;
  }
  // The right end marks stand as for one unit when there is none.
  const int counted = std::max(n, 1);
  units.Right = counted * units.W + (counted - 1) * G;
  return units;
}

double FittingPlan::SideGap(double Gap) const { return FittingDefaults.FitPlanOption5 != 0 ? 0.0 : Gap; }

bool FittingPlan::SideFramesOn() const { return FittingDefaults.FitPlanOption1 != 0; }

void FittingPlan::Line(double X1, double Y1, double X2, double Y2, std::uint8_t LineType) {
  AddLine(true, FittingDefaults.FitPlanColour1, LineType, X1, Y1, X2, Y2);
}

void FittingPlan::Face(double X1, double Y1, double X2, double Y2) {
  AddLine(true, FittingDefaults.FitPlanColour2, 0, X1, Y1, X2, Y2);
}

void FittingPlan::Arc(double CX, double CY, double Radius, double StartDeg, double EndDeg) {
  AddArc(FittingDefaults.FitPlanColour1, 0, CX, CY, Radius, StartDeg, EndDeg);
}

void FittingPlan::WallFaces(double X, double XEnd) {
  Line(X, 0, XEnd, 0);
  Line(X, T, XEnd, T);
}

void FittingPlan::Mark(double X, double Y, double HalfLength) { Line(X, Y - HalfLength, X, Y + HalfLength); }

void FittingPlan::Block(double X0, double XEnd, double YA, double YB) {
  Line(X0, YA, XEnd, YA);
  Line(X0, YB, XEnd, YB);
  Line(XEnd, YA, XEnd, YB);
}

REndMarkShape FittingPlan::WallMarks() const { return {T, E, E, 2 * T + Paper(40)}; }

REndMarkShape FittingPlan::FrameMarks() const { return {D, J, J, Paper(160)}; }

REndMarkShape FittingPlan::HingedMarks(double Step2) const { return {D, Step2, J, -Paper(160)}; }

void FittingPlan::AddEndMarks(const REndMarkShape& Shape, double XL, double YL, double XR, double YR) {
  const std::uint8_t type = FittingDefaults.FitPlanOption2;
  if (type < 1 || type > 4) return;
  const double h = Shape.Depth;
  const double c10 = Paper(10);
  const double c20 = Paper(20);
  const double c40 = Paper(40);
  // Side -1 is the left end, +1 the right: each the mirror of the other.
  auto end = [&](double side, double X, double Y) {
    auto mark = [&](double x1, double y1, double x2, double y2) { AddLine(false, 0, 0, x1, y1, x2, y2); };
    if (type == 1) {
      mark(X, Y, X, Y + Shape.Stub);
    } else if (type == 2) {
      const double x = X + side * Shape.Step2;
      mark(x, Y, x, Y + Shape.Stub);
    } else {
      const double x = X + side * (Shape.Step34 + c20);
      if (type == 3) {
        mark(x, Y - h - c10, x, Y + h + c10);
        mark(x, Y + h + c10, X, Y + h + c20);
        mark(X, Y + h + c20, X, Y + 2 * h + c40);
      } else {
        mark(x, Y - c10, x, Y + 2 * h + c20);
        mark(x, Y - c10, X, Y - c20);
        mark(X, Y - c20, X, Y - h - c20);
      }
    }
  };
  end(-1.0, XL, YL);
  end(1.0, XR, YR);
}

void FittingPlan::AddSideFrames(SideFrameShape Shape, double XL, double XR) {
  if (Shape == SideFrameShape::Pocket) {
    AddPocket(XL - J, XL);
    AddPocket(XR, XR + J);
  } else {
    AddSideBox(XL, XL - J, D);
    AddSideBox(XR, XR + J, D);
  }
}

void FittingPlan::AddWallEnds(double XL, double XR) {
  AddEndMarks(WallMarks(), XL, 0, XR, 0);
  if (SideFramesOn()) AddSideFrames(SideFrameShape::Pocket, XL, XR);
}

void FittingPlan::AddFrameEnds(double W) {
  AddEndMarks(FrameMarks(), 0, 0, W, 0);
  if (SideFramesOn()) AddSideFrames(SideFrameShape::Box, 0, W);
}

void FittingPlan::AddPocket(double Left, double Right) {
  Line(Left, 0, Left, -D);
  Line(Right, 0, Right, -D);
  Line(Left, -D, Right, -D);
}

void FittingPlan::AddSideBox(double Inner, double Outer, double Depth) {
  Line(Outer, 0, Outer, Depth);
  Line(Inner, 0, Inner, Depth);
  Line(Outer, 0, Inner, 0);
  Line(Outer, Depth, Inner, Depth);
}
