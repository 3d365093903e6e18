// Two-point lines, the stretch command's new line end and the continuous
// line.

#include <cmath>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"

namespace {
void DrafDown(TcadBox& box, TShiftState shift, double x, double y);
void DrafMove(TcadBox& box, TShiftState shift, double x, double y);
void DrafUp(TcadBox& box, TShiftState shift, double x, double y);
void SenDown(TcadBox& box, TShiftState shift, double x, double y);
void SenMove(TcadBox& box, TShiftState shift, double x, double y);
void SenUp(TcadBox& box, TShiftState shift, double x, double y);
void SenCancel(TcadBox& box);
void EraseDrafLineOnLeave(TcadBox& box);
void EraseSenLineOnLeave(TcadBox& box);
std::optional<int> DrafRenCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
}  // namespace

void RegisterLineCommands() {
  RegisterFamily({.Name = "Draf",
                  .Modes = {dtDraf},
                  .Down = DrafDown,
                  .Move = DrafMove,
                  .Up = DrafUp,
                  .Hooks = {.Leave = EraseDrafLineOnLeave}});
  RegisterFamily({.Name = "DrafRen", .Modes = {dtDrafRen}, .Hooks = {.Cursor = DrafRenCursor}});
  RegisterFamily({.Name = "Sen",
                  .Modes = {dtSen},
                  .Down = SenDown,
                  .Move = SenMove,
                  .Up = SenUp,
                  .Cancels = {{"SenCancel", SenCancel}},
                  .Hooks = {.Leave = EraseSenLineOnLeave}});
}

namespace {

struct RDrafState {
  bool EndSnapped = false;  // the second point was snapped: the release takes the rubber line off first
};

const char* const kFirstPointPrompt = "1点目指示    [左クリック：（自由）  右クリック：（点読取り）]";
const char* const kSecondPointPrompt = "2点目指示    [左クリック：（自由）  右クリック：（点読取り）]";

void DrawRubberLine(TcadBox& box, std::uint8_t lineType) {
  box.DrawLine(lineType, box.Canvas(), box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
}

// The rubber line from the first point to the cursor, drawn once more.
void EraseRubberLine(TcadBox& box, std::uint8_t colourNo, std::uint8_t lineType) {
  if (box.CommandStep == 0) return;
  box.SetXorPen(PenColourOf(box, colourNo), true);
  DrawRubberLine(box, lineType);
  box.CurrentPoint = box.FirstPoint;
  box.RubberErased = true;
}

void EraseDrafLineOnLeave(TcadBox& box) { EraseRubberLine(box, box.Pencol, box.Pentyp); }

// The stretch command's new line shows in the picked line's colour and type.
void EraseSenLineOnLeave(TcadBox& box) {
  EraseRubberLine(box, box.PickedElement.ColorNo, box.PickedElement.LineType);
}

// The end of a line for a point: its direction rounded to the angle step
// from the drawing angle, at the set length or at the point's foot.
RPoint2D ConstrainedEnd(const TcadBox& box, const RPoint2D& p) {
  return SnapToAngleStep(box.FirstPoint.x, box.FirstPoint.y, p.x, p.y, DrawingAngle(box), box.AngleStep,
                         box.RealToDrawingLength(box.CmdLength));
}

void DrafDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtDraf) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  RPoint2D p;
  if (!OffsetClickPoint(box, x, y, p)) return;
  if (box.ClickKind == 3) {
    box.ShowTopMessage(J("点ﾋｯﾄ"));
    if (box.CommandStep != 0) box.FamilyState<RDrafState>().EndSnapped = true;
  }
  if (box.CommandStep == 0) {
    box.FirstPoint = box.CurrentPoint = p;
  } else {
    box.SecondPoint = p;
  }
}

void DrafMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtDraf || box.ViewGestureState != 0) return;
  const auto draw = [&box] { DrawRubberLine(box, box.Pentyp); };
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.EraseOwnRubberBand(PenColourOf(box, box.Pencol), true, box.Penwidth, draw);
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(J(kFirstPointPrompt));
    return;
  }
  box.MoveRubberBand(PenColourOf(box, box.Pencol), true, box.Penwidth, draw,
                     [&] { box.CurrentPoint = ConstrainedEnd(box, {x, y}); });
  box.SetGuidePrompt(J(kSecondPointPrompt));
}

void DrafUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtDraf || !SecondPointReleased(box)) return;
  RDrafState& state = box.FamilyState<RDrafState>();
  TCanvas& canvas = box.Canvas();
  if (box.RubberErased || state.EndSnapped) {
    // A snapped end lies off the rubber line, which goes; otherwise the
    // line drawn next covers this one.
    box.SetXorPen(PenColourOf(box, box.Pencol), true);
    canvas.Pen.Width = box.Penwidth;
    DrawRubberLine(box, box.Pentyp);
  }
  const RPoint2D end = ConstrainedEnd(box, box.SecondPoint);
  SetCopyPen(box, box.Pencol, box.Pentyp, 1);
  box.DrawLine(box.Pentyp, canvas, box.FirstPoint.x, box.FirstPoint.y, end.x, end.y);
  box.AddLineToStore(*box.Draw1, box.FirstPoint.x, box.FirstPoint.y, end.x, end.y);
  box.RubberErased = false;
  state.EndSnapped = false;
  box.CommandStep = 0;
}

void SenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSen || box.ViewGestureState != 0) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind == 2) {
    if (box.CommandStep == 0) {
      box.FirstPoint = box.CurrentPoint = {x, y};
    } else {
      box.SecondPoint = {x, y};
    }
    return;
  }
  if (box.ClickKind != 3) return;
  if (box.CommandStep != 0) box.CurrentPoint = {x, y};
  double sx = x, sy = y;
  if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
    box.ClickKind = 0;
    return;
  }
  if (box.CommandStep == 0) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = {sx, sy};
  } else if (std::abs(sx - box.FirstPoint.x) < 1e-5 && std::abs(sy - box.FirstPoint.y) < 1e-5) {
    box.ClickKind = 0;
    box.SetGuidePrompt(J("1点目と同一です"));
    return;
  } else {
    box.SecondPoint = {sx, sy};
  }
  box.SetGuidePrompt(J("点ヒット"));
  box.ShowPointMarker(0, sx, sy);
}

void SenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSen || box.ViewGestureState != 0) return;
  const RDrawElement& picked = box.PickedElement;
  const auto draw = [&box, &picked] { DrawRubberLine(box, picked.LineType); };
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.CommandStep == 1) box.EraseOwnRubberBand(PenColourOf(box, picked.ColorNo), true, 1, draw);
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  // The new end follows the cursor even while a button is held.
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(J(kFirstPointPrompt));
    return;
  }
  box.MoveRubberBand(PenColourOf(box, picked.ColorNo), true, 1, draw, [&] { box.CurrentPoint = {x, y}; });
  box.SetGuidePrompt(J(kSecondPointPrompt));
}

void SenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSen || !SecondPointReleased(box)) return;
  const RDrawElement picked = box.PickedElement;
  TCanvas& canvas = box.Canvas();
  box.SetXorPen(PenColourOf(box, picked.ColorNo), true);
  canvas.Pen.Width = 1;
  DrawRubberLine(box, picked.LineType);
  canvas.Pen.Mode = pmCopy;
  const std::int32_t index = box.PickedIndex[3];
  // Entered without a picked line (the mode set directly), there is nothing
  // to replace: nothing is deleted or added.
  if (index >= 0 && static_cast<std::size_t>(index) < box.Draw1->Elements.size()) {
    box.DeleteElementByIndex(index);
    box.PickedIndex[3] = -10;
    SetCopyPen(box, picked.ColorNo, picked.LineType, 1);
    canvas.Pen.Style = psSolid;
    box.DrawLine(picked.LineType, canvas, box.FirstPoint.x, box.FirstPoint.y, box.SecondPoint.x, box.SecondPoint.y);
    box.AddLineExact(picked.ColorNo, picked.LineType, box.FirstPoint.x, box.FirstPoint.y, box.SecondPoint.x,
                     box.SecondPoint.y, picked.Layer, picked.Group, false, 0, *box.Draw1);
  }
  box.CommandStep = 0;
  box.CancelCommands(false);
  box.ButonType = dtSenSinsyuku;
}

void SenCancel(TcadBox& box) {
  if (box.ButonType != dtSen || box.CommandStep != 1) return;
  const RDrawElement& picked = box.PickedElement;
  if (!box.RubberErased) {
    box.SetXorPen(PenColourOf(box, picked.ColorNo), true);
    box.Canvas().Pen.Width = 1;
    DrawRubberLine(box, picked.LineType);
  }
  box.Canvas().Pen.Mode = pmCopy;
}

// The host's cursor variant 10 or 5 chooses between two cursors; any other
// keeps the cursor.
std::optional<int> DrafRenCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (cursorHan == 10) return CursorPair(20, 21)(mode, ringHan, cursorHan);
  if (cursorHan == 5) return CursorPair(26, 27)(mode, ringHan, cursorHan);
  return std::nullopt;
}

}  // namespace
