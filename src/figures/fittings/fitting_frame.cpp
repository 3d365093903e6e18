// The frame shared by the fitting kinds.

#include "figures/fittings/fitting_frame.h"

#include <cmath>

#include "geometry/angles_points.h"
#include "tools/settings/default_settings.h"

void FittingFrame::Begin(double W, double H, double Gap) {
  figure_.SetBoxOffset(W, H, Gap);
  figure_.Elements.clear();
  originX_ = figure_.BaseX + figure_.OffsetX;
  originY_ = figure_.BaseY + figure_.OffsetY;
}

void FittingFrame::AddLine(std::uint8_t Color, std::uint8_t LineType, double X1, double Y1, double X2, double Y2) {
  if (mirrored_) {
    X1 = mirrorTotal_ - X1;
    X2 = mirrorTotal_ - X2;
  }
  RDrawElement e = LineElement(X1 + originX_, Y1 + originY_, X2 + originX_, Y2 + originY_);
  e.ColorNo = Color;
  e.LineType = LineType;
  figure_.Elements.push_back(e);
}

void FittingFrame::AddLine(bool Tagged, std::uint8_t Color, std::uint8_t LineType, double X1, double Y1, double X2,
                           double Y2) {
  AddLine(Color, LineType, X1, Y1, X2, Y2);
  RDrawElement& e = figure_.Elements.back();
  SetPlanLayer(e);
  if (Tagged) e.LineTag = kLineTagFitting;
}

void FittingFrame::AddArc(std::uint8_t Color, std::uint8_t LineType, double CX, double CY, double Radius,
                          double StartDeg, double EndDeg) {
  RDrawElement e = CircularArcElement(CX + originX_, CY + originY_, Radius, StartDeg, EndDeg, figure_.Angle);
  e.ColorNo = Color;
  e.LineType = LineType;
  SetPlanLayer(e);
  figure_.Elements.push_back(e);
}

void FittingFrame::SetPlanLayer(RDrawElement& E) const {
  if (E.ColorNo != 0) E.Layer = FittingDefaults.FitPlanLayer;
}

void FittingFrame::Finish() {
  const double angle = figure_.Angle;
  if (!(std::abs(angle) > 0.0001)) return;
  for (RDrawElement& e : figure_.Elements) {
    double x1 = e.X1;
    double y1 = e.Y1;
    RotateAboutCentre(x1, y1, angle, originX_, originY_);
    e.X1 = x1;
    e.Y1 = y1;
    if (e.Kind == kKindArc) continue;
    double x2 = e.X2;
    double y2 = e.Y2;
    RotateAboutCentre(x2, y2, angle, originX_, originY_);
    e.X2 = x2;
    e.Y2 = y2;
  }
}
