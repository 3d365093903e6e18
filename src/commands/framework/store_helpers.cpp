// The small helpers the commands share beside the click and rubber-band
// rules: snapped points, invalidating what a command
// drew, and picking a line or an arc.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "canvas/cad_box.h"
#include "canvas/nearest_pick.h"
#include "commands/framework/selection_support.h"
#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"
#include "platform/gdi.h"

namespace {

// The four corners of a band around the segment: `right` to the right of the
// direction 1 -> 2, `left` to its left, `before` and `after` past the ends.
bool BandCorners(double x1, double y1, double x2, double y2, double before, double after, double right, double left,
                 std::array<TPoint, 4>& corners, const TcadBox& box) {
  const double angle = DirectionAngleDeg(x1, y1, x2, y2);
  double ax = 0, ay = 0, bx = 0, by = 0;
  PolarPoint(ax, ay, NormalizeAngle360(angle + 180), before, x1, y1);
  PolarPoint(bx, by, angle, after, x2, y2);
  RPoint2D l1, l2, r1, r2;
  if (!TryOffsetSegment(ax, ay, bx, by, left, l1, l2)) return false;
  if (!TryOffsetSegment(ax, ay, bx, by, -right, r1, r2)) return false;
  corners = {TPoint{box.WorldToScreenX(l1.x), box.WorldToScreenY(l1.y)},
             TPoint{box.WorldToScreenX(l2.x), box.WorldToScreenY(l2.y)},
             TPoint{box.WorldToScreenX(r2.x), box.WorldToScreenY(r2.y)},
             TPoint{box.WorldToScreenX(r1.x), box.WorldToScreenY(r1.y)}};
  return true;
}

}  // namespace

bool TcadBox::SnappedPoint(double x, double y, RPoint2D& point) {
  double sx = x, sy = y;
  if (!Draw1->SnapPoint(sx, sy, Zoom, 0, GridObj.Lines)) return false;
  point = {sx, sy};
  ShowPointMarker(0, sx, sy);
  return true;
}

void TcadBox::InvalidateWorldRect(double x1, double y1, double x2, double y2) {
  const int l = WorldToScreenX(x1), t = WorldToScreenY(y1), r = WorldToScreenX(x2), b = WorldToScreenY(y2);
  InvalidateRect(TRect{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)}, true);
}

void TcadBox::RepaintWorldRectFromDrawing(double x1, double y1, double x2, double y2) {
  const int l = WorldToScreenX(x1), t = WorldToScreenY(y1), r = WorldToScreenX(x2), b = WorldToScreenY(y2);
  const TRect rect{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
  Canvas().ForgetXorDrawing(rect);
  InvalidateRect(rect, true);
}

void TcadBox::InvalidatePointArea(double x, double y) { InvalidateWorldRect(x - 1, y - 1, x + 1, y + 1); }

void TcadBox::InvalidateLineBand(double x1, double y1, double x2, double y2) {
  const RViewRect& v = ViewWindow;
  if (!SegmentTouchesRect(x1, y1, x2, y2, v.Left, v.Bottom, v.Right, v.Top)) return;
  const double m = 1.5 / Zoom;
  std::array<TPoint, 4> corners;
  if (!BandCorners(x1, y1, x2, y2, m, m, m, m, corners, *this)) return;
  HRGN region = CreatePolygonRgn(corners.data(), 4, 2);
  RingRepaintFlag = true;
  InvalidateRgn(region, true);
  DeleteObject(region);
}

void TcadBox::InvalidateTextOutline(double x1, double y1, double x2, double y2, double height) {
  const RViewRect& v = ViewWindow;
  if (!SegmentTouchesRect(x1, y1, x2, y2, v.Left, v.Bottom, v.Right, v.Top)) return;
  const double m = 0.3 / Zoom;
  std::array<TPoint, 4> corners;
  if (!BandCorners(x1, y1, x2, y2, m, m + CurrentTextHeight / 5, m, height + m, corners, *this)) return;
  HRGN region = CreatePolygonRgn(corners.data(), 4, 2);
  RingRepaintFlag = true;
  InvalidateRgn(region, true);
  DeleteObject(region);
}

void TcadBox::InvalidateElementArea(const RDrawElement& e) {
  switch (e.Kind) {
    case kKindLine: InvalidateLineBand(e.X1, e.Y1, e.X2, e.Y2); break;
    case kKindRect:
      for (const RDrawElement& side : RectangleSides(e)) InvalidateLineBand(side.X1, side.Y1, side.X2, side.Y2);
      break;
    case kKindArc: {
      const double reach = std::abs(e.Radius) * std::max(1.0, std::abs(static_cast<double>(e.Ratio))) + 1.5 / Zoom;
      InvalidateWorldRect(e.X1 - reach, e.Y1 - reach, e.X1 + reach, e.Y1 + reach);
      break;
    }
    case kKindPoint: InvalidatePointArea(e.X1, e.Y1); break;
    case kKindText: InvalidateTextOutline(e.X1, e.Y1, e.X2, e.Y2, TextFrameHeight(*this, e)); break;
    default: break;
  }
}

bool TcadBox::PickPlainLineCoords(RPointPair& coords, double x, double y) {
  const double tol = 4 / Zoom;
  THitSen picker(x, y, tol);
  // The pick box reaches only two thirds as far below the point as above it.
  const double left = x - tol, bottom = y - tol / 1.5, right = x + tol, top = y + tol;
  const std::vector<RDisplayEntry>& list = Draw1->DisplayList;
  std::vector<std::uint32_t> near;
  Draw1->ListedNear(left, bottom, right, top, near);
  for (const std::uint32_t i : near) {
    const RDrawElement* e = Draw1->EntryElement(list[i]);
    if (!e || Draw1->LayerState(e->Group, e->Layer) == kLayerHidden) continue;
    const auto inBox = [&](const RDrawElement& line) { return LineInPickBox(line, x, y, tol); };
    if (e->Kind == kKindRect) OfferRectangleSides(picker, *e, list[i].Index, inBox);
    if (e->Kind == kKindLine && inBox(*e)) picker.AddCandidate(*e, list[i].Index);
  }
  picker.PickNearest();
  if (!picker.Found) return false;
  coords = {picker.PickedElement.X1, picker.PickedElement.Y1, picker.PickedElement.X2, picker.PickedElement.Y2};
  return true;
}

bool TcadBox::PickArcRecord(RDrawElement& element, double x, double y) {
  const double tol = 4 / Zoom;
  THitSen picker(x, y, tol);
  const std::vector<RDisplayEntry>& list = Draw1->DisplayList;
  std::vector<std::uint32_t> near;
  Draw1->ListedNear(x - tol, y - tol, x + tol, y + tol, near);
  for (const std::uint32_t i : near) {
    const RDrawElement* e = Draw1->EntryElement(list[i]);
    if (!e || e->Kind != kKindArc || Draw1->LayerState(e->Group, e->Layer) != kLayerEditable) continue;
    if (!PointOnArcRatioFirst(e->X1, e->Y1, e->Radius, e->Ratio, e->Rotation, e->StartAngle, e->EndAngle, x, y, tol)) {
      continue;
    }
    picker.AddCandidate(*e, list[i].Index);
  }
  picker.PickNearest();
  if (!picker.Found) return false;
  element = picker.PickedElement;
  return true;
}
