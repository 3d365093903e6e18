// The idle handlers and what every command shares: how a press is read,
// the point offset, the XOR rubber band, the range frame a leaving cursor
// erases.

#include <cmath>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"
#include "tools/edit/curves.h"

namespace {
void NoDown(TcadBox& box, TShiftState shift, double x, double y);
void NoMove(TcadBox& box, TShiftState shift, double x, double y);
void kakuteiGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterIdleCommands() {
  RegisterFamily({.Name = "No",
                  .Modes = {dtNo, dtkakutei},
                  .Down = NoDown,
                  .Move = NoMove,
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtkakutei, {dtkakutei})},
                  .GestureActions = {{{dtkakutei}, kakuteiGesture}}});
}

namespace {

bool Idle(const TcadBox& box) { return box.ButonType == dtNo || box.ButonType == dtkakutei; }

void NoDown(TcadBox& box, TShiftState, double, double) {
  if (!Idle(box)) return;
  box.ClickKind = 0;
}

void NoMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!Idle(box) || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) return;
  box.SetGuidePrompt(J("コマンド指示"));
}

}  // namespace

void TcadBox::GetPointOffset(RPoint2D& offset, double angle, double dx, double dy) const {
  if (!OfsetRen && !CtrlClick) {
    offset = {0, 0};
    return;
  }
  if (std::abs(angle) <= 1e-5) {
    offset = {dx, dy};
    return;
  }
  double x = dx, y = dy;
  RotateVector(x, y, NormalizeAngle360(angle));
  offset = {x, y};
}

bool TcadBox::SetClickKindFrom(TShiftState shift, ClickRule rule) {
  const bool shiftApart = rule != ClickRule::Standard;
  const bool ctrlApart = rule == ClickRule::ShiftAndCtrlApart;
  std::uint8_t kind = 0;
  switch (shift) {
    case ssLeft: kind = 2; break;
    case ssRight: kind = 3; break;
    case ssShift | ssLeft: kind = shiftApart ? 6 : 2; break;
    case ssShift | ssRight: kind = shiftApart ? 7 : 3; break;
    case ssCtrl | ssLeft: kind = ctrlApart ? 8 : 2; break;
    case ssCtrl | ssRight: kind = ctrlApart ? 9 : 3; break;
    default:
      // Alt, the middle button, Shift with Ctrl: the previous kind stays.
      return false;
  }
  ClickKind = kind;
  return true;
}

RPoint2D TcadBox::FreePoint(double x, double y) const {
  RPoint2D offset;
  GetPointOffset(offset, AxisAngle, RealToDrawingLength(PointOffset.x), RealToDrawingLength(PointOffset.y));
  return {x + offset.x, y + offset.y};
}

bool NoMouseButtonHeld(TShiftState shift) { return shift == 0 || shift == ssShift || shift == ssCtrl; }

void TcadBox::MoveRubberBand(TColor colour, bool penColour, int width, const std::function<void()>& drawBand,
                             const std::function<void()>& moveBand) {
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = width;
  canvas.Pen.Color = penColour ? PrepareXorColor(colour) : colour;
  if (!RubberErased) drawBand();
  moveBand();
  drawBand();
  RubberErased = false;
  canvas.Pen.Mode = pmCopy;
}

void TcadBox::EraseOwnRubberBand(TColor colour, bool penColour, int width, const std::function<void()>& drawBand) {
  if (!RubberErased) {
    TCanvas& canvas = Canvas();
    canvas.Pen.Mode = pmXor;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = width;
    canvas.Pen.Color = penColour ? PrepareXorColor(colour) : colour;
    drawBand();
    canvas.Pen.Mode = pmCopy;
  }
  RubberErased = true;
}

bool ModeIn(Sbuttontype mode, std::initializer_list<Sbuttontype> modes) {
  for (Sbuttontype m : modes) {
    if (m == mode) return true;
  }
  return false;
}

TColor PenColourOf(const TcadBox& box, std::uint8_t colourNo) {
  return box.ColourTable[colourNo < kColourTableSize ? colourNo : 0];
}

void SetCopyPen(TcadBox& box, std::uint8_t colourNo, std::uint8_t lineType, int width) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = lineType < kLineTypeCount ? box.PenStyles[lineType] : psSolid;
  canvas.Pen.Color = PenColourOf(box, colourNo);
  canvas.Pen.Width = width;
}

bool OffsetClickPoint(TcadBox& box, double x, double y, RPoint2D& point) {
  RPoint2D snapped;
  return OffsetClickPoint(box, x, y, point, snapped);
}

bool OffsetClickPoint(TcadBox& box, double x, double y, RPoint2D& point, RPoint2D& snapped) {
  if (box.ClickKind == 2) {
    point = box.FreePoint(x, y);
    snapped = point;
    return true;
  }
  if (box.ClickKind != 3) return false;
  if (!box.SnappedPoint(x, y, snapped)) {
    box.ClickKind = 0;
    return false;
  }
  point = box.FreePoint(snapped.x, snapped.y);
  return true;
}

bool SameClickPoint(const RPoint2D& a, const RPoint2D& b) {
  return std::abs(a.x - b.x) < 1e-4 && std::abs(a.y - b.y) < 1e-4;
}

void ResumeThreePointCommand(TcadBox& box, RPoint2D& third, const TPointHandler& up) {
  const RPoint2D p = box.AssistPoint;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
    box.B_Switch = on1;
    box.ClickKind = 0;
    return;
  }
  if (box.B_Switch == on1) {
    box.SecondPoint = p;
    box.B_Switch = on2;
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  third = p;
  box.ClickKind = 2;
  up(box, 0, p.x, p.y);
}

bool TakeAssistAsFirstPoint(TcadBox& box) {
  if (box.CommandStep != 0) return false;
  box.FirstPoint = box.CurrentPoint = box.AssistPoint;
  box.CommandStep = 1;
  return true;
}

void ReEnterDown(TcadBox& box, Sbuttontype mode, TShiftState shift, double x, double y) {
  for (const RHandlerSet* owner : CommandRegistry().OwnersOf(mode)) {
    if (owner->Down) owner->Down(box, shift, x, y);
  }
}

void ReEnterUp(TcadBox& box, Sbuttontype mode, TShiftState shift, double x, double y) {
  for (const RHandlerSet* owner : CommandRegistry().OwnersOf(mode)) {
    if (owner->Up) owner->Up(box, shift, x, y);
  }
}

void DrawAddedSince(TcadBox& box, std::size_t first) {
  const std::vector<RDrawElement>& elements = box.Draw1->Elements;
  for (std::size_t i = first; i < elements.size(); ++i) box.DrawAsRedrawn(elements[i]);
}

bool SecondPointReleased(TcadBox& box) {
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return false;
  }
  if (box.ClickKind == 0) return false;
  if (box.CommandStep == 0) {
    box.CommandStep = 1;
    return false;
  }
  return true;
}

bool RangeClickReleased(TcadBox& box) {
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.ClickKind = 0;
    return false;
  }
  return box.ClickKind != 0;
}

double DrawingAngle(const TcadBox& box) { return NormalizeAngle360(box.CommandAngle + box.AxisAngle); }

void EraseRangeFrameOnLeave(TcadBox& box) {
  if (box.CommandStep != 1) return;
  if (!box.RubberErased) XorRangeFrame(box, box.FirstPoint, box.CurrentPoint);
  box.CurrentPoint = box.FirstPoint;
  box.RubberErased = true;
}

void XorRangeFrame(TcadBox& box, RPoint2D a, RPoint2D b) {
  box.SetXorPen(box.Sentakucol, false);
  box.Canvas().Pen.Width = 1;
  box.DrawFrameRect(1, 0, a.x, a.y, b.x, b.y, 0);
  box.Canvas().Pen.Mode = pmCopy;
}

void SetVertexListPen(TcadBox& box, TPenMode mode) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = mode;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = box.tanren_Han ? box.Sentakucol4 : box.Sentakucol2;
}

void SetBackgroundPen(TcadBox& box) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = box.Color();
}

RPoint2D VertexOf(const TSupuLineobj& v, std::int32_t k) {
  const auto i = static_cast<std::size_t>(k);
  return {v.PointX[i], v.PointY[i]};
}

bool DrawVertexPolyline(TcadBox& box, const TSupuLineobj& v, bool pollButtons) {
  for (std::int32_t k = 1; k < v.PointCount; ++k) {
    if (pollButtons && k % 20 == 0 && box.BothButtonsDown()) return false;
    const RPoint2D a = VertexOf(v, k), b = VertexOf(v, k + 1);
    box.DrawLine(1, box.Canvas(), a.x, a.y, b.x, b.y);
  }
  return true;
}

// ---- What the release carries out for the gestures the family arms

namespace {

// The confirm while waiting is the host panel's.
void kakuteiGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  PostHostNotification("TFrame18", 100);
}

}  // namespace
