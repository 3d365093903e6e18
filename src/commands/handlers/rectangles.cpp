// Rectangles: a rectangle element by two corners, four lines along the
// drawing angle, and the sized rectangle placed by one of its anchors.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"

namespace {
void BoxDown(TcadBox& box, TShiftState shift, double x, double y);
void BoxMove(TcadBox& box, TShiftState shift, double x, double y);
void BoxUp(TcadBox& box, TShiftState shift, double x, double y);
void BoxSenDown(TcadBox& box, TShiftState shift, double x, double y);
void BoxSenMove(TcadBox& box, TShiftState shift, double x, double y);
void BoxSenUp(TcadBox& box, TShiftState shift, double x, double y);
void BoxSenCancel(TcadBox& box);
void BoxsunpoDown(TcadBox& box, TShiftState shift, double x, double y);
void BoxsunpoMove(TcadBox& box, TShiftState shift, double x, double y);
void BoxsunpoUp(TcadBox& box, TShiftState shift, double x, double y);
void BoxsunpoAssistPoint(TcadBox& box);
void EraseAlignedRectOnLeave(TcadBox& box);
void EraseSizedBoxOnLeave(TcadBox& box);
void BoxSenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void BoxSenResume(TcadBox& box, TShiftState shift, double x, double y);
void BoxsunpoResume(TcadBox& box, TShiftState shift, double x, double y);
}  // namespace

void RegisterRectangleCommands() {
  RegisterFamily({.Name = "Box", .Modes = {dtBox}, .Down = BoxDown, .Move = BoxMove, .Up = BoxUp});
  RegisterFamily({.Name = "BoxSen",
                  .Modes = {dtBoxSen},
                  .Down = BoxSenDown,
                  .Move = BoxSenMove,
                  .Up = BoxSenUp,
                  .Cancels = {{"BoxSenCancel", BoxSenCancel}},
                  .Hooks = {.Leave = EraseAlignedRectOnLeave, .Cursor = CursorPair(20, 21)},
                  .Assist = {.Slot = BoxSenAssistSlot, .Resume = BoxSenResume}});
  RegisterFamily({.Name = "Boxsunpo",
                  .Modes = {dtBoxsunpo},
                  .Down = BoxsunpoDown,
                  .Move = BoxsunpoMove,
                  .Up = BoxsunpoUp,
                  // The attribute reader recomputes the offsets after reading the axis angle.
                  .Phases = {{"ComputeSizedBoxOffsets", [](TcadBox& box) { box.ComputeSizedBoxOffsets(); }}},
                  .Hooks = {.Leave = EraseSizedBoxOnLeave, .Cursor = CursorPair(20, 21)},
                  .Assist = {.Slot = PlacedAtOnceAssistSlot, .Point = BoxsunpoAssistPoint, .Resume = BoxsunpoResume}});
}

void TcadBox::ComputeSizedBoxOffsets() {
  const double w = BoxWidth, h = BoxHeight, ex = BoxClearance.x, ey = BoxClearance.y;
  // Per anchor: the x and y ranges of the unturned rectangle about the
  // placed point, and the clearance pushing it away from that point.
  struct RAnchorRow {
    double LowX, LowY, HighX, HighY, Vx, Vy;
  };
  const RAnchorRow rows[9] = {
      {0, -h, w, 0, ex, -ey},                // top left corner
      {0, -h / 2, w, h / 2, ex, 0},          // middle of the left side
      {0, 0, w, h, ex, ey},                  // bottom left corner
      {-w / 2, -h, w / 2, 0, 0, -ey},        // middle of the top side
      {-w / 2, -h / 2, w / 2, h / 2, 0, 0},  // centre
      {-w / 2, 0, w / 2, h, 0, ey},          // middle of the bottom side
      {-w, -h, 0, 0, -ex, -ey},              // top right corner
      {-w, -h / 2, 0, h / 2, -ex, 0},        // middle of the right side
      {-w, 0, 0, h, -ex, ey},                // bottom right corner
  };
  if (BoxAnchor > 8) return;
  const RAnchorRow& r = rows[BoxAnchor];
  const double angle = DrawingAngle(*this);
  double vx = r.Vx, vy = r.Vy;
  RotateVector(vx, vy, angle);
  // The rectangle turns about its first corner; the anchor must stay put.
  const RPoint2D p = RotateAboutCentreExact(angle, r.LowX, r.LowY, 0, 0);
  BoxOffsets = {r.LowX - p.x + vx, r.LowY - p.y + vy, r.HighX - p.x + vx, r.HighY - p.y + vy};
}

namespace {

// ---- The rectangle element -------------------------------------------------

void DrawBoxRubber(TcadBox& box) {
  box.DrawRect(box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
}

void BoxDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtBox || box.ViewGestureState != 0) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind == 2) {
    if (box.CommandStep == 0) box.FirstPoint = {x, y};
    box.CurrentPoint = box.SecondPoint = {x, y};
  } else if (box.ClickKind == 3) {
    // At the second corner the rubber rectangle stays where the press was.
    if (box.CommandStep != 0) box.SecondPoint = {x, y};
    RPoint2D snapped;
    if (!box.SnappedPoint(x, y, snapped)) {
      box.ClickKind = 0;
    } else if (box.CommandStep == 0) {
      box.FirstPoint = box.CurrentPoint = box.SecondPoint = snapped;
    } else {
      box.CurrentPoint = snapped;
    }
  }
}

void BoxMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtBox || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) return;
  if (!NoMouseButtonHeld(shift) || box.CommandStep != 1) return;
  box.Canvas().Brush.Style = bsClear;
  box.MoveRubberBand(
      box.Sentakucol, false, box.Penwidth, [&box] { DrawBoxRubber(box); },
      [&] {
        box.CurrentPoint = {x, y};
      });
}

void BoxUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtBox || !SecondPointReleased(box)) return;
  TCanvas& canvas = box.Canvas();
  canvas.Brush.Style = bsClear;
  if (!box.RubberErased) {
    box.SetXorPen(box.Sentakucol, false);
    canvas.Pen.Width = box.Penwidth;
    box.DrawRect(box.FirstPoint.x, box.FirstPoint.y, box.SecondPoint.x, box.SecondPoint.y);
  }
  const std::size_t first = box.Draw1->Elements.size();
  box.AddRectangle(*box.Draw1, box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
  DrawAddedSince(box, first);
  box.CommandStep = 0;
}

// ---- Four lines along the drawing angle -----------------------------------

void DrawAlignedRubber(TcadBox& box) {
  box.DrawAlignedRect(box.Canvas(), box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y,
                      DrawingAngle(box));
}

void EraseAlignedRubber(TcadBox& box) {
  box.EraseOwnRubberBand(PenColourOf(box, box.Pencol), true, 1, [&box] { DrawAlignedRubber(box); });
}

void EraseAlignedRectOnLeave(TcadBox& box) {
  if (box.CommandStep == 0) return;
  box.SetXorPen(PenColourOf(box, box.Pencol), true);
  DrawAlignedRubber(box);
  box.CurrentPoint = box.FirstPoint;
  box.RubberErased = true;
}

void BoxSenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtBoxSen) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.RubberErased = true;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  RPoint2D p;
  if (!OffsetClickPoint(box, x, y, p)) return;
  if (box.ClickKind == 2 && box.CommandStep == 0) box.SecondPoint = p;
  if (box.CommandStep == 0) {
    box.FirstPoint = box.CurrentPoint = p;
  } else {
    box.SecondPoint = p;
  }
}

void BoxSenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtBoxSen || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.CommandStep == 1) EraseAlignedRubber(box);
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(J(kFirstPointPromptCompact));
    return;
  }
  box.MoveRubberBand(
      PenColourOf(box, box.Pencol), true, 1, [&box] { DrawAlignedRubber(box); },
      [&] {
        box.CurrentPoint = {x, y};
      });
  box.SetGuidePrompt(J(kSecondPointPrompt));
}

void BoxSenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtBoxSen || !SecondPointReleased(box)) return;
  box.ToggleRingCursor();
  box.RingHidden = true;
  EraseAlignedRubber(box);
  const std::size_t first = box.Draw1->Elements.size();
  box.AddAlignedRectLines(*box.Draw1, false, box.FirstPoint.x, box.FirstPoint.y, box.SecondPoint.x, box.SecondPoint.y,
                          DrawingAngle(box));
  DrawAddedSince(box, first);
  box.CommandStep = 0;
  box.RubberErased = false;
}

// ---- The sized rectangle ---------------------------------------------------

// The corners of the sized rectangle placed at q (drawing units).
void SizedBoxCorners(const TcadBox& box, const RPoint2D& q, RPoint2D& c1, RPoint2D& c2) {
  const std::array<double, 4>& o = box.BoxOffsets;
  c1 = {q.x + box.RealToDrawingLength(o[0]), q.y + box.RealToDrawingLength(o[1])};
  c2 = {q.x + box.RealToDrawingLength(o[2]), q.y + box.RealToDrawingLength(o[3])};
}

void SetSizedBoxXorPen(TcadBox& box) {
  box.SetXorPen(PenColourOf(box, box.Pencol), true);
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Style = box.Pentyp < kLineTypeCount ? box.PenStyles[box.Pentyp] : psSolid;
  canvas.Pen.Width = 1;
}

void DrawSizedBoxPreview(TcadBox& box) {
  box.DrawRotatedRect(box.Canvas(), box.PreviewP1.x, box.PreviewP1.y, box.PreviewP2.x, box.PreviewP2.y,
                      box.PreviewAngle);
}

// The preview on the screen drawn once more; the cancel and the leaving
// cursor take it away so.
void EraseSizedBoxPreview(TcadBox& box) {
  if (box.RubberErased) return;
  SetSizedBoxXorPen(box);
  DrawSizedBoxPreview(box);
  box.Canvas().Pen.Mode = pmCopy;
  box.RubberErased = true;
  box.PreviewP2 = box.PreviewP1;
}

void EraseSizedBoxOnLeave(TcadBox& box) { EraseSizedBoxPreview(box); }

void BoxsunpoDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtBoxsunpo) return;
  if (box.ViewGestureState != 0) {
    box.ClickPending = false;
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind == 2) {
    box.FirstPoint = box.FreePoint(x, y);
    box.CurrentPoint = box.SecondPoint = {x, y};
    box.ClickPending = true;
  } else if (box.ClickKind == 3) {
    box.CurrentPoint = box.SecondPoint = {x, y};
    box.Mhan1 = 0;
    RPoint2D snapped;
    if (box.SnappedPoint(x, y, snapped)) {
      box.FirstPoint = box.FreePoint(snapped.x, snapped.y);
      box.ClickPending = true;
    } else {
      box.ClickKind = 0;
      box.Mhan1 = 1;
    }
  }
}

void BoxsunpoMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtBoxsunpo || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    EraseSizedBoxPreview(box);
    box.ClickPending = false;
    box.RubberErased = true;
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift) || box.ClickPending) return;
  SetSizedBoxXorPen(box);
  if (!box.RubberErased) DrawSizedBoxPreview(box);
  box.ComputeSizedBoxOffsets();
  SizedBoxCorners(box, {x, y}, box.PreviewP1, box.PreviewP2);
  box.PreviewAngle = DrawingAngle(box);
  DrawSizedBoxPreview(box);
  box.RubberErased = false;
  box.Canvas().Pen.Mode = pmCopy;
  box.SetGuidePrompt(J(kPointPrompt));
}

void BoxsunpoUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtBoxsunpo) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.Mhan1 = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  if (!box.LeaveErased) {
    box.ToggleRingCursor();
    box.RingHidden = true;
  }
  box.ComputeSizedBoxOffsets();
  const double angle = DrawingAngle(box);
  TCanvas& canvas = box.Canvas();
  RPoint2D c1, c2;
  if (box.ClickPending && !box.RubberErased) {
    SizedBoxCorners(box, box.SecondPoint, c1, c2);
    SetSizedBoxXorPen(box);
    box.DrawRotatedRect(canvas, c1.x, c1.y, c2.x, c2.y, angle);
  }
  SizedBoxCorners(box, box.FirstPoint, c1, c2);
  const std::size_t first = box.Draw1->Elements.size();
  box.AddRotatedRectLines(*box.Draw1, c1.x, c1.y, c2.x, c2.y, angle);
  DrawAddedSince(box, first);
  if (box.BoxHouraku != 0) box.EnvelopeRotatedBox(c1.x, c1.y, c2.x, c2.y, angle);
  box.ClickPending = false;
  box.RubberErased = true;
  box.ClickKind = 0;
}

// A point handed back by the midpoint and similar assists waits in the
// first point; the preview corners are moved aside.
void BoxsunpoAssistPoint(TcadBox& box) { box.PreviewP1 = box.PreviewP2 = {0.01, 0.01}; }

void BoxSenCancel(TcadBox& box) {
  if (box.ButonType == dtBoxSen) {
    if (box.CommandStep == 1 && !box.RubberErased) {
      box.SetXorPen(PenColourOf(box, box.Pencol), true);
      box.Canvas().Pen.Width = 1;
      DrawAlignedRubber(box);
      box.Canvas().Pen.Mode = pmCopy;
    }
  } else if (box.ButonType == dtBoxsunpo) {
    EraseSizedBoxPreview(box);
  }
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

void BoxSenAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = box.CommandStep == 0 ? &box.FirstPoint : &box.SecondPoint;
}

// A point of a two-step assist: the first corner, then the second as a
// free click that commits the rectangle.
void BoxSenResume(TcadBox& box, TShiftState shift, double x, double y) {
  if (TakeAssistAsFirstPoint(box)) return;
  box.SecondPoint = box.AssistPoint;
  box.ClickKind = 2;
  ReEnterUp(box, dtBoxSen, shift, x, y);
  box.RubberErased = false;
}

// The sized rectangle is placed at the point at once, as a free click.
void BoxsunpoResume(TcadBox& box, TShiftState shift, double x, double y) {
  BoxSenCancel(box);
  box.FirstPoint = box.CurrentPoint = box.SecondPoint = box.AssistPoint;
  box.ClickKind = 2;
  box.CommandStep = 1;
  ReEnterUp(box, dtBoxsunpo, shift, x, y);
  box.RubberErased = true;
}

}  // namespace
