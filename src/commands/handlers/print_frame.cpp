// Placing the print frame.

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/intersections.h"
#include "platform/host_notifications.h"

namespace {
void printsenDown(TcadBox& box, TShiftState shift, double x, double y);
void printsenMove(TcadBox& box, TShiftState shift, double x, double y);
void printsenUp(TcadBox& box, TShiftState shift, double x, double y);
void printsenCancel(TcadBox& box);
void printsenAssistPoint(TcadBox& box);
void printsenResume(TcadBox& box, TShiftState, double, double);
void DrawFixedPrintFrame(TcadBox& box);
void ErasePrintPreviewOnLeave(TcadBox& box);
void printsenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
}  // namespace

void RegisterPrintFrameCommands() {
  RegisterFamily({.Name = "printsen",
                  .Modes = {dtprintsen},
                  .Down = printsenDown,
                  .Move = printsenMove,
                  .Up = printsenUp,
                  .Cancels = {{"printsenCancel", printsenCancel}},
                  .Redraws = {{"printsenRedraw", DrawFixedPrintFrame}},
                  .Hooks = {.Leave = ErasePrintPreviewOnLeave},
                  .Assist = {.Slot = printsenAssistSlot, .Point = printsenAssistPoint, .Resume = printsenResume},
                  .Gestures = {SwallowedDrag(GestureSide::Left, 0), DimensionGesture(), OffsetGesture()}});
}

void TcadBox::ComputePrintFrame(double& x, double& y, double& x2, double& y2) {
  double w = PrintSheetSize.Width / PrintScale, h = PrintSheetSize.Height / PrintScale;
  const double angle = NormalizeAngle360(PrintFrameAngle);
  // A scale of 0 or less or a size that is not finite has no frame: the
  // corners stay as they were, as for an unknown anchor.
  if (!(PrintScale > 0) || !std::isfinite(w) || !std::isfinite(h) || !std::isfinite(angle)) return;
  if (PrintKaiten) std::swap(w, h);
  struct RRange {
    double LowX, LowY, HighX, HighY;
  };
  const RRange ranges[9] = {
      {0, -h, w, 0},                   // top left corner
      {0, -h / 2, w, h / 2},           // middle of the left side
      {0, 0, w, h},                    // bottom left corner
      {-w / 2, -h, w / 2, 0},          // middle of the top side
      {-w / 2, -h / 2, w / 2, h / 2},  // centre
      {-w / 2, 0, w / 2, h},           // middle of the bottom side
      {-w, -h, 0, 0},                  // top right corner
      {-w, -h / 2, 0, h / 2},          // middle of the right side
      {-w, 0, 0, h},                   // bottom right corner
  };
  if (PrintAnchor > 8) return;
  RRange r = ranges[PrintAnchor];
  // The frame turns about the placed point.
  RotateAboutCentre(r.LowX, r.LowY, angle, 0, 0);
  RotateAboutCentre(r.HighX, r.HighY, angle, 0, 0);
  const double px = x, py = y;
  x = px + r.LowX;
  y = py + r.LowY;
  x2 = px + r.HighX;
  y2 = py + r.HighY;
}

namespace {

constexpr int kFramePlaced = 111;
constexpr int kFrameRemoved = 116;

void SetFramePen(TcadBox& box, TPenMode mode, bool prepared, int width) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = mode;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = width;
  canvas.Brush.Style = bsClear;
  canvas.Pen.Color = prepared ? box.PrepareXorColor(clAquaFrame) : clAquaFrame;
}

void DrawFrame(TcadBox& box, double x1, double y1, double x2, double y2, double angle) {
  box.DrawFrameRect(1, 1, x1, y1, x2, y2, angle);
}

void DrawPrintFrame(TcadBox& box, double angle) {
  const RViewRect& f = box.PrintFrame;
  DrawFrame(box, f.Left, f.Bottom, f.Right, f.Top, angle);
}

// The frame placed at a point, computed into that point and a second one,
// drawn once more in XOR.
void XorFrameAt(TcadBox& box, RPoint2D& placed, RPoint2D& far, double angle) {
  box.ComputePrintFrame(placed.x, placed.y, far.x, far.y);
  SetFramePen(box, pmXor, true, 1);
  DrawFrame(box, placed.x, placed.y, far.x, far.y, angle);
  box.Canvas().Pen.Mode = pmCopy;
}

void PlaceFrameAt(TcadBox& box, const RPoint2D& p) {
  RViewRect& f = box.PrintFrame;
  f.Left = p.x;
  f.Bottom = p.y;
  box.ComputePrintFrame(f.Left, f.Bottom, f.Right, f.Top);
}

// The fixed frame is part of the picture: it goes by painting the part of
// the control it covers again from the drawing, which keeps whatever else
// lies there (a frame drawn again in XOR would keep the pixel where two of
// its sides start, and one painted over in the background colour would
// take with it every line it crosses). The part is the box around the
// frame and its page tiles as DrawFrameRect draws them at the angle.
void RepaintUnderFrameAt(TcadBox& box, double angle) {
  const RViewRect& f = box.PrintFrame;
  const RPoint2D p1{f.Left, f.Bottom}, p2{f.Right, f.Top};
  RPoint2D k1, k2;
  // A frame with a side of no length, or one that is no number, was not drawn.
  if (!AlignedRectCorners(p1.x, p1.y, p2.x, p2.y, angle, k1, k2)) return;
  std::vector<RPoint2D> shifts{{0, 0}};
  if (box.print_htyp == 1 || box.print_htyp == 2) {
    const RPoint2D t1 = RotateAboutCentreExact(angle, 0, 0, box.paki_x, 0);
    shifts.push_back({k1.x - p1.x + t1.x, k1.y - p1.y + t1.y});
    if (box.print_htyp == 2) {
      const RPoint2D t2 = RotateAboutCentreExact(angle, 0, 0, 0, box.paki_y);
      const RPoint2D t3 = RotateAboutCentreExact(angle, 0, 0, box.paki_x, box.paki_y);
      shifts.push_back({k2.x - p1.x + t2.x, k2.y - p1.y + t2.y});
      shifts.push_back({p2.x - p1.x + t3.x, p2.y - p1.y + t3.y});
    }
  }
  double left = HUGE_VAL, bottom = HUGE_VAL, right = -HUGE_VAL, top = -HUGE_VAL;
  for (const RPoint2D& s : shifts) {
    for (const RPoint2D& c : {p1, p2, k1, k2}) {
      left = std::min(left, c.x + s.x);
      right = std::max(right, c.x + s.x);
      bottom = std::min(bottom, c.y + s.y);
      top = std::max(top, c.y + s.y);
    }
  }
  const RViewRect& view = box.ViewWindow;
  const double m = 2 / box.Zoom;
  left = std::max(left - m, view.Left);
  bottom = std::max(bottom - m, view.Bottom);
  right = std::min(right + m, view.Right);
  top = std::min(top + m, view.Top);
  // A frame clear of the view left nothing to repaint.
  if (!(left < right && bottom < top)) return;
  box.InvalidateWorldRect(left, bottom, right, top);
}

// The frame shows at the angle it was placed with, or at the host's angle
// since any paint: both are taken.
void RepaintUnderFixedFrame(TcadBox& box) {
  RepaintUnderFrameAt(box, box.PrintFrameAngle);
  if (box.PreviewAngle != box.PrintFrameAngle) RepaintUnderFrameAt(box, box.PreviewAngle);
}

// A fixed frame is part of the picture: every paint draws it with its tiles.
void DrawFixedPrintFrame(TcadBox& box) {
  if (box.ButonType != dtprintsen || box.B_Switch != on1) return;
  SetFramePen(box, pmCopy, false, 1);
  DrawPrintFrame(box, box.PrintFrameAngle);
}

void printsenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtprintsen) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.B_Switch != _off) return;
  if (box.ClickKind == 2) {
    box.FirstPoint = box.CurrentPoint = {x, y};
    PlaceFrameAt(box, {x, y});
  } else if (box.ClickKind == 3) {
    box.FirstPoint = {x, y};
    box.Mhan1 = 0;
    double sx = x, sy = y;
    if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
      box.ClickKind = 0;
      box.Mhan1 = 1;
      return;
    }
    box.CurrentPoint = {x, y};
    PlaceFrameAt(box, {sx, sy});
  }
}

void printsenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtprintsen) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.Mhan1 = 0;
    return;
  }
  const std::string prompt = J("印刷範囲を指定");
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (!box.RubberErased) {
      box.SetGuidePrompt(prompt);
      XorFrameAt(box, box.FirstPoint, box.SecondPoint, box.PrintFrameAngle);
    }
    box.RubberErased = true;
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift) || box.B_Switch != _off) return;
  box.SetGuidePrompt(prompt);
  SetFramePen(box, pmXor, true, 1);
  if (!box.RubberErased) DrawPrintFrame(box, box.PreviewAngle);
  PlaceFrameAt(box, {x, y});
  box.PreviewAngle = box.PrintFrameAngle;
  DrawPrintFrame(box, box.PreviewAngle);
  box.Canvas().Pen.Mode = pmCopy;
  box.RubberErased = false;
}

void printsenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtprintsen) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    PostHostNotification("TFrame8", kFramePlaced);
    box.B_Switch = on1;
    const bool previewShown = !box.RubberErased;
    box.RubberErased = true;
    // The preview followed the cursor to the press; a snapped frame lies elsewhere.
    if (previewShown) XorFrameAt(box, box.CurrentPoint, box.SecondPoint, box.PreviewAngle);
    SetFramePen(box, pmCopy, false, 1);
    DrawPrintFrame(box, box.PrintFrameAngle);
    return;
  }
  if (box.ClickKind != 3) return;
  RepaintUnderFixedFrame(box);
  box.RubberErased = true;
  box.B_Switch = _off;
  PostHostNotification("TFrame8", kFrameRemoved);
}

void printsenCancel(TcadBox& box) {
  if (box.ButonType != dtprintsen || box.B_Switch != on1) return;
  RepaintUnderFixedFrame(box);
}

void ErasePrintPreviewOnLeave(TcadBox& box) {
  if (box.RubberErased) return;
  SetFramePen(box, pmXor, true, 1);
  DrawPrintFrame(box, box.PreviewAngle);
  box.ClickKind = 0;
  box.RubberErased = true;
}

// A midpoint or similar assist's point while the frame follows the cursor:
// the frame is computed there.
void printsenAssistPoint(TcadBox& box) {
  if (box.B_Switch == _off) PlaceFrameAt(box, box.AssistPoint);
}

// A two-step assist places the frame at its point: the preview that
// followed the cursor, or the frame fixed before, goes, and the frame is
// drawn where it now lies as every paint draws it.
void printsenResume(TcadBox& box, TShiftState, double, double) {
  if (box.B_Switch == on1) {
    RepaintUnderFixedFrame(box);
  } else if (!box.RubberErased) {
    SetFramePen(box, pmXor, true, 1);
    DrawPrintFrame(box, box.PreviewAngle);
  }
  box.RubberErased = true;
  PlaceFrameAt(box, box.AssistPoint);
  box.B_Switch = on1;
  DrawFixedPrintFrame(box);
  box.Canvas().Pen.Mode = pmCopy;
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

void printsenAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  if (box.B_Switch == _off) slot.Pending = &box.FirstPoint;
}

}  // namespace
