// Two-point lines, the stretch command's new line end and the continuous
// line.

#include <algorithm>
#include <cmath>
#include <span>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/framework/selection_support.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"
#include "tools/lines/continuous_line.h"

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
void DrafRenDown(TcadBox& box, TShiftState shift, double x, double y);
void DrafRenMove(TcadBox& box, TShiftState shift, double x, double y);
void DrafRenUp(TcadBox& box, TShiftState shift, double x, double y);
void DrafRenFinish(TcadBox& box, std::uint8_t trim);
void DrafRenCancel(TcadBox& box);
void DrafRenRedraw(TcadBox& box);
void ForgetRenzokuSnapMode(TcadBox& box);
std::optional<int> DrafRenCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
void LineAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void DrafRenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void SenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void LineResume(TcadBox& box, TShiftState shift, double x, double y);
bool StepOne(const TcadBox& box);
bool StepOpen(const TcadBox& box);
void DrafRenGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterLineCommands() {
  RegisterFamily({.Name = "Draf",
                  .Modes = {dtDraf},
                  .Down = DrafDown,
                  .Move = DrafMove,
                  .Up = DrafUp,
                  .Hooks = {.Leave = EraseDrafLineOnLeave},
                  .Assist = {.Slot = LineAssistSlot, .Resume = LineResume}});
  RegisterFamily({.Name = "DrafRen",
                  .Modes = {dtDrafRen},
                  .Down = DrafRenDown,
                  .Move = DrafRenMove,
                  .Up = DrafRenUp,
                  .Cancels = {{"DrafRenCancel", DrafRenCancel}},
                  .Redraws = {{"DrafRenRedraw", DrafRenRedraw}},
                  .Finishes = {{"DrafRenFinish", DrafRenFinish}},
                  .Reset = ForgetRenzokuSnapMode,
                  .Hooks = {.Cursor = DrafRenCursor},
                  .Assist = {.Slot = DrafRenAssistSlot, .Resume = LineResume},
                  .Gestures = {{GestureSide::Left, {}, {0, StepOne, GestureOutcome::Toggle, "角度切替 ", dtDrafRen}},
                               ConfirmGesture(GestureSide::Left, dtDrafRen, {}, StepOne),
                               {GestureSide::Left, {}, {4, StepOpen, GestureOutcome::Toggle, "単/2切替 ", dtDrafRen}},
                               {GestureSide::Left, {}, {5, StepOpen, GestureOutcome::Toggle, "単連切替 ", dtDrafRen}}},
                  .GestureActions = {{{dtDrafRen}, DrafRenGesture}}});
  RegisterFamily({.Name = "Sen",
                  .Modes = {dtSen},
                  .Down = SenDown,
                  .Move = SenMove,
                  .Up = SenUp,
                  .Cancels = {{"SenCancel", SenCancel}},
                  .Hooks = {.Leave = EraseSenLineOnLeave},
                  .Assist = {.Slot = SenAssistSlot, .Resume = LineResume},
                  .Gestures = {SwallowedDrag(GestureSide::Left, 0), DimensionGesture(), OffsetGesture()}});
}

namespace {

struct RDrafState {
  bool EndSnapped = false;  // the second point was snapped
  // The rubber line as it was drawn; both ends the same while none is.
  RPoint2D RubberStart{}, RubberEnd{};
};

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
void EraseSenLineOnLeave(TcadBox& box) { EraseRubberLine(box, box.PickedElement.ColorNo, box.PickedElement.LineType); }

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
    box.ShowTopMessage(J(kPointHitCaption));
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
  const auto draw = [&box] {
    DrawRubberLine(box, box.Pentyp);
    RDrafState& state = box.FamilyState<RDrafState>();
    state.RubberStart = box.FirstPoint;
    state.RubberEnd = box.CurrentPoint;
  };
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
  box.MoveRubberBand(PenColourOf(box, box.Pencol), true, box.Penwidth, draw, [&] {
    box.CurrentPoint = ConstrainedEnd(box, {x, y});
  });
  box.SetGuidePrompt(J(kSecondPointPrompt));
}

void DrafUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtDraf || !SecondPointReleased(box)) return;
  RDrafState& state = box.FamilyState<RDrafState>();
  TCanvas& canvas = box.Canvas();
  if (!box.RubberErased) {
    // The rubber line goes where it was drawn: the line committed may end
    // elsewhere (a snapped end, the point offset, a point handed back by
    // an assist), and a line drawn over it would leave the rest behind.
    box.SetXorPen(PenColourOf(box, box.Pencol), true);
    canvas.Pen.Width = box.Penwidth;
    box.DrawLine(box.Pentyp, canvas, state.RubberStart.x, state.RubberStart.y, state.RubberEnd.x, state.RubberEnd.y);
  }
  state.RubberStart = state.RubberEnd;
  const RPoint2D end = ConstrainedEnd(box, box.SecondPoint);
  const std::size_t first = box.Draw1->Elements.size();
  box.AddLineToStore(*box.Draw1, box.FirstPoint.x, box.FirstPoint.y, end.x, end.y);
  DrawAddedSince(box, first);
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
    box.SetGuidePrompt(J(kSameAsFirstMessage));
    return;
  } else {
    box.SecondPoint = {sx, sy};
  }
  box.SetGuidePrompt(J(kPointHitPrompt));
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
    const RDrawElement old = box.Draw1->Elements[static_cast<std::size_t>(index)];
    box.DeleteElementByIndex(index);
    // The old line was painted over in the background colour: what it
    // crossed is painted again from the drawing.
    box.InvalidateElementArea(old);
    box.PickedIndex[3] = -10;
    const std::size_t first = box.Draw1->Elements.size();
    box.AddLineExact(picked.ColorNo, picked.LineType, box.FirstPoint.x, box.FirstPoint.y, box.SecondPoint.x,
                     box.SecondPoint.y, picked.Layer, picked.Group, false, 0, *box.Draw1);
    // Shown as the redraw shows it, under the point marker of a snapped end.
    DrawAddedSince(box, first);
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

// ---- Continuous line ---------------------------------------------------------

// Where the last point was snapped from is the control's (SnapSourceFound,
// SnapSource): the dimension commands' reference snap reports it too.
struct RDrafRenState {
  bool LastTanren = false;           // tanren_Han when the preview was last drawn
  std::uint8_t RenzokuSnapMode = 0;  // 8: the end's reference snap starts at the cursor
};

TRenzokuSenobj* RenzokuTool(TcadBox& box) { return box.Tool(ToolSlot::RenzokuObj).Get<TRenzokuSenobj>(); }

void ForgetRenzokuSnapMode(TcadBox& box) { box.FamilyState<RDrafRenState>().RenzokuSnapMode = 0; }

// The chain with the pen as set.
void DrawChain(TcadBox& box, const TRenzokuSenobj& tool, std::uint8_t defaultLineType) {
  box.DrawElementArray(tool.Elements, static_cast<std::int32_t>(tool.Elements.size()) - 1, defaultLineType, false,
                       false);
}

void SetChainPen(TcadBox& box, TPenMode mode, TColor colour) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = mode;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = colour;
}

TColor PreviewColour(TcadBox& box) {
  return box.FamilyState<RDrafRenState>().LastTanren ? box.Sentakucol4 : box.Sentakucol2;
}

void UpdateChain(TcadBox& box, TRenzokuSenobj& tool, RPoint2D p) {
  tool.Update(p.x, p.y, DrawingAngle(box), box.AngleStep, box.RealToDrawingLength(box.CmdLength),
              box.GroupScales[box.WriteGrupe_No % kLayerGroups], box.Zoom);
}

// An end snapped to a curve's centre moves onto the curve, seen from the
// centre in the drawing direction.
void MoveOntoSnappedCircle(TcadBox& box) {
  if (!box.SnapSourceFound || !box.Ensyukiten) return;
  const RDrawElement& c = box.SnapSource;
  const double angle = DirectionAngleDeg(box.FirstPoint.x, box.FirstPoint.y, box.SecondPoint.x, box.SecondPoint.y);
  EllipsePointAtAngle(box.SecondPoint.x, box.SecondPoint.y, angle, c.Rotation, c.Radius, c.Radius * c.Ratio, c.X1,
                      c.Y1);
}

// The reference snap of a right press from (x, y), which it moves: 1 a snap
// point, 2 a point from a reference line, 0 nothing. The source of a centre
// is kept for the point.
std::uint8_t ReferenceSnapPoint(TcadBox& box, double& x, double& y, RPoint2D ref, std::uint8_t footMode) {
  return box.Draw1->SnapPointRef(x, y, ref.x, ref.y, box.Zoom, 0, box.GridObj.Lines, footMode, box.SnapSourceFound,
                                 box.SnapSource);
}

void SnapStartPoint(TcadBox& box, double x, double y) {
  double sx = x, sy = y;
  const std::uint8_t found = ReferenceSnapPoint(box, sx, sy, {0, 0}, 1);
  if ((found == 1 || found == 2) && box.senzyohit) {
    box.FirstPoint = box.CurrentPoint = box.FreePoint(sx, sy);
    box.ShowPointMarker(found == 2 ? 1 : 0, sx, sy);
    return;
  }
  if (found > 2 && box.senzyohit) {
    box.ClickKind = 0;
    return;
  }
  sx = x;
  sy = y;
  if (box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
    box.FirstPoint = box.CurrentPoint = box.FreePoint(sx, sy);
    box.ShowPointMarker(0, sx, sy);
  } else {
    box.ClickKind = 0;
    box.CommandStep = 0;
  }
}

void SnapNextPoint(TcadBox& box, const TRenzokuSenobj& tool, double x, double y) {
  box.ClickPending = true;
  box.Mhan1 = 0;
  const bool fromCursor = box.FamilyState<RDrafRenState>().RenzokuSnapMode == 8;
  double sx = fromCursor ? x : tool.EndX, sy = fromCursor ? y : tool.EndY;
  const std::uint8_t found = ReferenceSnapPoint(box, sx, sy, box.CurrentPoint, 0);
  if ((found == 1 || found == 2) && box.senzyohit) {
    box.SecondPoint = box.FreePoint(sx, sy);
    MoveOntoSnappedCircle(box);
    box.ShowPointMarker(found == 2 ? 1 : 0, box.SecondPoint.x, box.SecondPoint.y);
    return;
  }
  if (found > 2 && box.senzyohit) {
    box.ClickKind = 0;
    box.CommandStep = 1;
    return;
  }
  sx = x;
  sy = y;
  if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
    box.ClickKind = 0;
    box.CommandStep = 1;
    // The host learns the quadrant of the drawing direction: 4 for the first.
    box.Mhan1 = static_cast<std::uint8_t>(4 - DirectionQuadrant(box.FirstPoint.x, box.FirstPoint.y, x, y));
    return;
  }
  box.SecondPoint = box.FreePoint(sx, sy);
  MoveOntoSnappedCircle(box);
  box.ShowPointMarker(0, sx, sy);
}

void DrafRenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtDrafRen) return;
  if (box.ViewGestureState != 0) {
    box.ClickPending = false;
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  if (!box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard)) return;
  box.SnapSourceFound = false;
  if (box.ClickKind == 2) {
    const RPoint2D p = box.FreePoint(x, y);
    if (box.CommandStep == 0) {
      box.FirstPoint = box.CurrentPoint = p;
    } else {
      box.SecondPoint = p;
      box.ClickPending = true;
    }
    return;
  }
  if (box.CommandStep == 0) {
    SnapStartPoint(box, x, y);
    return;
  }
  const TRenzokuSenobj* tool = RenzokuTool(box);
  if (!tool || tool->PointCount == 0) {
    box.ClickKind = 0;
    return;
  }
  SnapNextPoint(box, *tool, x, y);
}

void DrafRenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtDrafRen) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickPending = true;
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  TRenzokuSenobj* tool = RenzokuTool(box);
  if (!tool) {
    box.SetGuidePrompt(J(kStartPointPrompt));
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(J(kStartPointPrompt));
    return;
  }
  if (box.ClickPending) {
    box.ClickPending = false;
    return;
  }
  // The ring cursor may have changed the pen: the erase sets its own.
  SetChainPen(box, pmXor, PreviewColour(box));
  if (!box.RubberErased) DrawChain(box, *tool, 1);
  UpdateChain(box, *tool, {x, y});
  // The new preview takes the colour its erase will use.
  box.FamilyState<RDrafRenState>().LastTanren = box.tanren_Han;
  SetChainPen(box, pmXor, PreviewColour(box));
  DrawChain(box, *tool, 1);
  box.RubberErased = false;
  box.Canvas().Pen.Mode = pmCopy;
  box.SetGuidePrompt(J("終点指示    [左クリック：（自由）  右クリック：（点読取り）]"));
}

void DrafRenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtDrafRen) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.CommandStep == 0) {
    TRenzokuSenobj& tool = box.Tool(ToolSlot::RenzokuObj).Emplace<TRenzokuSenobj>(std::span(box.TextStyles));
    tool.AddPoint(box.SnapSourceFound ? 1 : 0, box.SnapSource, box.FirstPoint.x, box.FirstPoint.y);
    box.CommandStep = 1;
    box.RubberErased = true;
  } else {
    TRenzokuSenobj* tool = RenzokuTool(box);
    if (!tool) return;
    SetChainPen(box, pmXor, PreviewColour(box));
    if (box.ClickPending && !box.RubberErased) DrawChain(box, *tool, 1);
    UpdateChain(box, *tool, box.SecondPoint);
    box.Canvas().Pen.Mode = pmCopy;
    DrawChain(box, *tool, 1);
    tool->AddPoint(box.SnapSourceFound ? 1 : 0, box.SnapSource, tool->EndX, tool->EndY);
    box.RubberErased = false;
    box.ClickPending = false;
    box.CommandStep = 1;
    box.CurrentPoint = {tool->EndX, tool->EndY};
  }
  PostHostNotificationChain(
      {"TFrame3", "TFrame28", "TFrame19", "TFrame12", "TFrame25", "TFrame32", "TFrame10", "TFrame1"}, 100);
}

// The chain shown is painted over in the background colour. The point
// marker, often on the chain, is taken off first and shown again after, so
// that it stays whole; what the chain crossed is painted again from the
// drawing.
void PaintOverChain(TcadBox& box, const TRenzokuSenobj& tool) {
  const bool marker = box.MarkerPoint.x > -4000 && box.MarkerPoint.y > -4000;
  if (marker) box.XorPointMarker(box.MarkerKind, box.MarkerPoint.x, box.MarkerPoint.y);
  SetChainPen(box, pmCopy, box.Color());
  DrawChain(box, tool, 1);
  box.Canvas().Pen.Mode = pmCopy;
  for (const RDrawElement& e : tool.Elements) {
    if (e.Kind == kKindLine) {
      box.InvalidateLineBand(e.X1, e.Y1, e.X2, e.Y2);
    } else if (e.Kind == kKindText) {
      // The frame stands on the base line, as high as its style.
      const double h = std::abs(box.TextStyles[e.TextStyle < kTextStyleCount ? e.TextStyle : 0].Height * 0.1);
      box.InvalidateWorldRect(std::min(e.X1, e.X2) - h, std::min(e.Y1, e.Y2) - h, std::max(e.X1, e.X2) + h,
                              std::max(e.Y1, e.Y2) + h);
    } else {
      box.InvalidateElementArea(e);
    }
  }
  if (marker) box.XorPointMarker(box.MarkerKind, box.MarkerPoint.x, box.MarkerPoint.y);
}

// The chain is painted over and then, cut to its fixed points (trimmed
// when asked), stored as one undo step and shown as the redraw shows it.
void DrafRenFinish(TcadBox& box, std::uint8_t trim) {
  TRenzokuSenobj* tool = RenzokuTool(box);
  if (box.ButonType != dtDrafRen || !tool) return;
  PaintOverChain(box, *tool);
  tool->TrimOnFinish = trim;
  tool->Finish();
  const std::size_t first = box.Draw1->Elements.size();
  box.CommitElementArray(tool->Elements, static_cast<std::int32_t>(tool->Elements.size()) - 1, tool->Texts);
  DrawAddedSince(box, first);
  box.CommandStep = 0;
  box.RubberErased = false;
  box.Tool(ToolSlot::RenzokuObj).Free();
  RebuildDisplayLists(box);
  PostHostNotification("TFrame3", 103);
}

void DrafRenCancel(TcadBox& box) {
  TRenzokuSenobj* tool = RenzokuTool(box);
  if (box.ButonType != dtDrafRen || !tool) return;
  PaintOverChain(box, *tool);
  box.Tool(ToolSlot::RenzokuObj).Free();
}

// Also for the gesture menu and the point assists, whatever the mode.
void DrafRenRedraw(TcadBox& box) {
  TRenzokuSenobj* tool = RenzokuTool(box);
  if (!tool) return;
  SetChainPen(box, pmXor, PreviewColour(box));
  DrawChain(box, *tool, 1);
  box.Canvas().Pen.Mode = pmCopy;
  box.RubberErased = false;
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The first point while none is placed, then the second.
void LineAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = box.CommandStep == 0 ? &box.FirstPoint : &box.SecondPoint;
  if (box.CommandStep == 0) slot.Also = {&box.CurrentPoint};
}

void DrafRenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot) {
  LineAssistSlot(box, mode, slot);
  slot.RedrawFirst = true;
}

void SenAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = box.CommandStep == 0 ? &box.FirstPoint : &box.SecondPoint;
  slot.Also = {&box.CurrentPoint};
}

// A point handed back by a two-step assist: the first starts the line, the
// second is a free click. The single lines commit it at once; the
// continuous line keeps it for its next event.
void LineResume(TcadBox& box, TShiftState shift, double x, double y) {
  if (TakeAssistAsFirstPoint(box)) return;
  const RPoint2D p = box.AssistPoint;
  if (box.ButonType == dtSen && !box.RubberErased) SenCancel(box);
  box.SecondPoint = box.CurrentPoint = p;
  box.ClickKind = 2;
  if (box.ButonType != dtDrafRen) ReEnterUp(box, box.ButonType, shift, x, y);
}

bool StepOne(const TcadBox& box) { return box.CommandStep == 1; }
bool StepOpen(const TcadBox& box) { return box.CommandStep != 0; }

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// East toggles the angle step and north confirms the line; west and
// south-west tell the host's line panel, and their code stays pending.
void DrafRenGesture(TcadBox& box, Sbuttontype) {
  box.LabelAnchor = kGestureLabelOutOfSight;
  const TCommandRegistry& registry = CommandRegistry();
  if (box.GestureSector == 4) {
    PostHostNotification("TFrame3", 118);
  } else if (box.GestureSector == 5) {
    PostHostNotification("TFrame3", 119);
  } else if (box.GestureSector == 0) {
    box.PendingGesture = dtNo;
    if (box.AngleStep != 0) {
      box.KeptLineAngleStep = box.AngleStep;
      box.AngleStep = 0;
    } else {
      box.AngleStep = box.KeptLineAngleStep;
    }
    registry.RunPhase("DrafRenRedraw", box);
  } else if (box.GestureSector == 2) {
    box.PendingGesture = dtNo;
    registry.RunPhase("DrafRenRedraw", box);
    registry.RunFinish("DrafRenFinish", box, 1);
  }
}

}  // namespace
