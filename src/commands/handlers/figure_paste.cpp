// Pasting the copy buffer (a saved figure, the stock figure or the host's)
// at clicked points, deformation points, and the figure fitted to picked
// lines.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "canvas/buffer_transform.h"
#include "canvas/cad_box.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/framework/selection_support.h"
#include "commands/handlers/command_handlers.h"
#include "commands/handlers/figure_paste.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/intersections.h"
#include "platform/host_notifications.h"
#include "tools/edit/curves.h"

namespace {
RFigureFitState& FitState(TcadBox& box) { return box.FamilyState<RFigureFitState>(); }
void copyMensekiDown(TcadBox& box, TShiftState shift, double x, double y);
void copyMensekiMove(TcadBox& box, TShiftState shift, double x, double y);
void copyMensekiUp(TcadBox& box, TShiftState shift, double x, double y);
void copyMensekiAssistSegment(TcadBox& box);
void FigurePasteReset(TcadBox& box);
void henkeizukeiDown(TcadBox& box, TShiftState shift, double x, double y);
void henkeizukeiMove(TcadBox& box, TShiftState shift, double x, double y);
void henkeizukeiUp(TcadBox& box, TShiftState shift, double x, double y);
void CopyHenkeiZukeiDown(TcadBox& box, TShiftState shift, double x, double y);
void CopyHenkeiZukeiMove(TcadBox& box, TShiftState shift, double x, double y);
void CopyHenkeiZukeiUp(TcadBox& box, TShiftState shift, double x, double y);
void CopyHenkeiZukeiAssistSegment(TcadBox& box);
void CopyHenkeiZukei2Down(TcadBox& box, TShiftState shift, double x, double y);
void CopyHenkeiZukei2Move(TcadBox& box, TShiftState shift, double x, double y);
void CopyHenkeiZukei2Up(TcadBox& box, TShiftState shift, double x, double y);
bool RescaleFigureBuffer(TcadBox& box, double factor);
void copyMensekiAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void henkeizukeiAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void CopyHenkeiZukeiAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
}  // namespace

// The figure paste modes' preview goes with the copy and move's cancel;
// the deformation points' polyline with the vertex-list cancel.
void RegisterFigurePasteCommands() {
  RegisterFamily({.Name = "copyMenseki",
                  .Modes = {dtcopyMenseki, dtCopyTazuMen, dtCopyZukei},
                  .Down = copyMensekiDown,
                  .Move = copyMensekiMove,
                  .Up = copyMensekiUp,
                  .Reset = FigurePasteReset,
                  .Hooks = {.RescaleBuffer = RescaleFigureBuffer},
                  .Assist = {.Slot = copyMensekiAssistSlot, .Segment = copyMensekiAssistSegment},
                  .Gestures = {SwallowedDrag(GestureSide::Left, 0, {dtcopyMenseki, dtCopyTazuMen}),
                               DimensionGesture({dtcopyMenseki, dtCopyTazuMen}), OffsetGesture()}});
  RegisterFamily({.Name = "henkeizukei",
                  .Modes = {dthenkeizukei},
                  .Down = henkeizukeiDown,
                  .Move = henkeizukeiMove,
                  .Up = henkeizukeiUp,
                  .Assist = {.Slot = henkeizukeiAssistSlot}});
  RegisterFamily({.Name = "CopyHenkeiZukei",
                  .Modes = {dtCopyHenkeiZukei},
                  .Down = CopyHenkeiZukeiDown,
                  .Move = CopyHenkeiZukeiMove,
                  .Up = CopyHenkeiZukeiUp,
                  .Hooks = {.RescaleBuffer = RescaleFigureBuffer},
                  .Assist = {.Slot = CopyHenkeiZukeiAssistSlot, .Segment = CopyHenkeiZukeiAssistSegment},
                  .Gestures = {OffsetGesture()}});
  RegisterFamily({.Name = "CopyHenkeiZukei2",
                  .Modes = {dtCopyHenkeiZukei2},
                  .Down = CopyHenkeiZukei2Down,
                  .Move = CopyHenkeiZukei2Move,
                  .Up = CopyHenkeiZukei2Up});
}

namespace {

constexpr std::uint8_t kPreviewTextModeFigurePaste = 10;
// The host's panels: the paste's, and the one that builds deformed figures.
constexpr const char* kDeformPanel = "TFrame23";
constexpr int kPlacedFigurePaste = 100;
constexpr int kFillBufferForLine = 116;
constexpr int kFillBufferForTwoLines = 111;
// A failed line pick leaves this in the first pick slot.
constexpr std::int32_t kNoLinePicked = -100;

// ---- The paste shared by the three placing commands ------------------------

// The paste turns the figure by the command angle on the axis angle.
double PasteAngle(const TcadBox& box) { return NormalizeAngle360(box.CommandAngle + box.AxisAngle); }

// The preview on the screen drawn once more with what it was drawn with,
// which takes it away.
void EraseFigurePreview(TcadBox& box) {
  if (box.RubberErased) return;
  box.EraseBufferPreview(box.PreviewMirror, kPreviewTextModeFigurePaste, box.PreviewP2.x, box.PreviewP2.y,
                         box.CurrentPoint.x, box.CurrentPoint.y, box.PreviewAngle, box.PreviewP1.x, box.PreviewP1.y);
  box.RubberErased = true;
}

// The buffer previewed at `at` moved by `shift`, remembered for its erase.
void PreviewFigureAt(TcadBox& box, RPoint2D at, RPoint2D shift) {
  EraseFigurePreview(box);
  const double angle = PasteAngle(box);
  box.PreviewP2 = shift;
  box.DrawBufferPreview(box.DirectionMode, kPreviewTextModeFigurePaste, shift.x, shift.y, at.x, at.y, angle,
                        box.PasteScaleX, box.PasteScaleY);
  box.CurrentPoint = at;
  box.PreviewMirror = box.DirectionMode;
  box.PreviewAngle = angle;
  box.PreviewP1 = {box.PasteScaleX, box.PasteScaleY};
  box.RubberErased = false;
}

// The paste will add at least one element: a figure of no size, a buffer
// with nothing the paste takes or the far shift of a point assist add none.
bool PastesSomething(const TcadBox& box, bool skipType9) {
  if (box.PasteScaleX == 0.0 || box.PasteScaleY == 0.0) return false;
  if (box.PreviewP2.x < kNoPointShift && box.PreviewP2.y < kNoPointShift) return false;
  return std::any_of(box.Draw1->Buffer.begin(), box.Draw1->Buffer.end(), [&](const RDrawElement& e) {
    if (e.Kind == kKindText || e.Kind == kKindPoint) return true;
    if (e.Kind != kKindLine && e.Kind != kKindRect && e.Kind != kKindTwoPoint && e.Kind != kKindArc) return false;
    return !(skipType9 && e.LineType == 9);
  });
}

// Under the transform of the preview and the placed drawing, the axis
// angle included: what is stored is what was shown.
void PasteFigure(TcadBox& box, RPoint2D at, bool skipType9) {
  const RPoint2D d = box.PreviewP2;
  box.Draw1->PasteBuffer(box.DirectionMode, box.PasteKind, d.x, d.y, at.x, at.y, PasteAngle(box), box.AxisAngle,
                         box.PasteScaleX, box.PasteScaleY, box.WriteGrupe_No, box.WriteReiya_No, false, 0, false,
                         skipType9);
}

struct RFigurePlacement {
  RPoint2D At;                        // where the base point goes; PreviewP2 holds the shift
  bool SkipType9 = false;             // line type 9 stays out of the paste
  bool HiddenLineModes = true;        // SenUrakesi erases the lines under it or hatches instead
  UndoJoin Join = UndoJoin::NewStep;  // JoinCurrent: this action's deletions opened the step
};

// The placement: the hidden lines erased and the figure pasted, the
// outline hatched, the figure pasted along the segment of a point assist
// or pasted once. Everything one action changes is one undo step: the step
// opens at the paste unless a deletion of the same action opened it, and a
// hidden-line erase joins it (when the erase refuses the buffer, the paste
// still opens it). True when the step holds what the placement changed.
bool PlaceFigure(TcadBox& box, const RFigurePlacement& p) {
  Tdrawinp& store = *box.Draw1;
  const RPoint2D d = box.PreviewP2;
  const double angle = PasteAngle(box);
  const double sx = box.PasteScaleX, sy = box.PasteScaleY;
  if (p.HiddenLineModes && box.SenUrakesi == 1) {
    if (!PastesSomething(box, p.SkipType9)) return false;
    TUndoStep(store, p.Join).Open();
    box.ErasePasteHiddenLines(box.DirectionMode, d.x, d.y, p.At.x, p.At.y, angle, sx, sy, UndoJoin::JoinCurrent);
    PasteFigure(box, p.At, p.SkipType9);
    return true;
  }
  if (p.HiddenLineModes && box.SenUrakesi == 2) {
    if (box.hatchHozi) {
      box.HatchPasteOutlineKeptHatch(box.DirectionMode, d.x, d.y, p.At.x, p.At.y, angle, sx, sy);
    } else {
      box.HatchPasteOutline(box.DirectionMode, d.x, d.y, p.At.x, p.At.y, angle, sx, sy);
    }
    return true;
  }
  if (box.SegmentPaste) {
    return box.PasteBufferAlongSegment(box.SegmentStart.x, box.SegmentStart.y, p.At.x, p.At.y, p.Join);
  }
  if (!PastesSomething(box, p.SkipType9)) return false;
  TUndoStep(store, p.Join).Open();
  PasteFigure(box, p.At, p.SkipType9);
  return true;
}

// The displacement of the placement for the host, in real and drawing units.
void ReportLastMove(TcadBox& box) {
  const RPoint2D moved{box.SecondPoint.x - box.FirstPoint.x, box.SecondPoint.y - box.FirstPoint.y};
  const double unit = box.RealToDrawingLength(1);
  if (unit != 0) box.LastMoveReal = {moved.x / unit, moved.y / unit};
  box.LastMove = moved;
}

// After a placement the command waits for its next click; a segment set
// by a point assist served this placement only.
void EndPlacement(TcadBox& box) {
  box.SegmentPaste = false;
  RebuildDisplayLists(box);
  box.ClickKind = 0;
  box.RubberErased = true;
  box.B_Switch = _off;
  ReportLastMove(box);
}

// ---- Figure paste at clicked points ------------------------------------------

bool IsFigurePaste(const TcadBox& box) { return ModeIn(box.ButonType, {dtcopyMenseki, dtCopyTazuMen, dtCopyZukei}); }

// The base point goes onto p plus the paste offset.
RPoint2D ShiftOnto(const TcadBox& box, RPoint2D p) {
  return {p.x - box.FirstPoint.x + box.RealToDrawingLength(box.PasteOffset.x),
          p.y - box.FirstPoint.y + box.RealToDrawingLength(box.PasteOffset.y)};
}

void copyMensekiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!IsFigurePaste(box)) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.B_Switch != _off) return;
  RPoint2D p;
  if (!OffsetClickPoint(box, x, y, p)) return;
  box.SecondPoint = p;
  if (box.ClickKind == 2) {
    box.SetGuidePrompt(J(kCopyOrMovePlacePrompt));
  } else {
    box.SegmentStart = p;
  }
}

void copyMensekiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!IsFigurePaste(box) || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    EraseFigurePreview(box);
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift) || box.B_Switch != _off) return;
  box.SetGuidePrompt(J(kPlacePointPrompt));
  PreviewFigureAt(box, {x, y}, ShiftOnto(box, {x, y}));
}

void copyMensekiUp(TcadBox& box, TShiftState, double, double) {
  if (!IsFigurePaste(box)) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0 || box.B_Switch != _off) return;
  const bool once = box.ButonType == dtcopyMenseki;
  if (!box.SegmentPaste) EraseFigurePreview(box);
  box.PreviewP2 = ShiftOnto(box, box.SecondPoint);
  // The single placement opens its own undo step too, so an undo never
  // takes the action before it away with it.
  const bool placed =
      PlaceFigure(box, {.At = box.SecondPoint, .SkipType9 = box.PasteSkipType9, .HiddenLineModes = !once});
  // Shown as the redraw shows the drawing: what the figure hid drawn again
  // where it crossed others, the figure as stored (a hatch adds only its
  // pieces), in the order of the drawing.
  if (placed) RepaintUndoStep(box);
  EndPlacement(box);
  if (!once) return;
  PostHostNotificationChain({"TFrame22", "TFrame33"}, kPlacedFigurePaste);
  box.CancelCommands(false);
}

// The midpoint assist: the placement pastes along the segment from the
// point it replaces.
void copyMensekiAssistSegment(TcadBox& box) {
  if (box.B_Switch != _off) return;
  box.SegmentStart = box.SecondPoint;
  box.SegmentPaste = true;
}

void FigurePasteReset(TcadBox& box) {
  box.DeformCount = 0;
  FitState(box).DeformIndex = 0;
  FitState(box).RefLine1.Kind = kKindNone;
  FitState(box).RefLine2.Kind = kKindNone;
  box.PasteSkipType9 = false;
}

// The buffer holds a whole figure: all of it is brought to the writing
// group's new scale, not only its elements of that group. The stock figure
// is read again from the stock file, which the host has rescaled.
bool RescaleFigureBuffer(TcadBox& box, double factor) {
  const std::uint8_t group = box.WriteGrupe_No;
  if (box.ButonType == dtCopyTazuMen) {
    box.Draw1->ScaleGroup(group, 0, factor);
    box.LoadStockForCopy();
    return true;
  }
  // The buffer's group and layer mode has no effect on its rescale.
  box.BufferSourceScales.fill(box.GroupScales[group % kLayerGroups]);
  box.Draw1->ScaleGroup(group, 1, factor);
  box.Draw1->RescaleBuffer(group, 0, box.GroupScales, box.BufferSourceScales);
  return true;
}

// ---- Deformation points ------------------------------------------------------

constexpr std::size_t kDeformPoints = 4;

// The host's count read as 2 to 4: the points fill four entries, and the
// command must end.
std::uint8_t DeformCountOf(const TcadBox& box) { return std::clamp<std::uint8_t>(box.DeformCount, 2, 4); }

TSupuLineobj* DeformVerticesOf(TcadBox& box) { return box.Tool(ToolSlot::PolygonObj).Get<TSupuLineobj>(); }

RPoint2D LastDeformVertex(TcadBox& box) {
  const TSupuLineobj* v = DeformVerticesOf(box);
  if (v == nullptr || v->PointCount == 0) return box.FirstPoint;
  return VertexOf(*v, v->PointCount);
}

// Each segment runs along a multiple of the angle step.
RPoint2D SnappedDeformPoint(TcadBox& box, RPoint2D p) {
  const RPoint2D from = LastDeformVertex(box);
  return SnapToAngleStep(from.x, from.y, p.x, p.y, 0.0, box.AngleStep, 0.0);
}

void XorDeformRubber(TcadBox& box) {
  const RPoint2D from = LastDeformVertex(box);
  SetVertexListPen(box, pmXor);
  box.DrawLine(1, box.Canvas(), from.x, from.y, box.LastVertex.x, box.LastVertex.y);
  box.Canvas().Pen.Mode = pmCopy;
}

void henkeizukeiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dthenkeizukei) return;
  VertexListDown(box, shift, x, y);
}

void henkeizukeiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dthenkeizukei || box.ViewGestureState != 0) return;
  const bool drawing = box.B_Switch == on1 || box.B_Switch == on2;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (drawing && !box.RubberErased) XorDeformRubber(box);
    box.ClickKind = 0;
    box.RubberErased = true;
    box.DragStage = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (!drawing) {
    box.SetGuidePrompt(J("点指示    [左クリック（自由）：右クリック（点読取り）]"));
    box.ShowTopMessage(" " + std::to_string(DeformCountOf(box)) + J(" 点を指示"));
    return;
  }
  if (!box.RubberErased) XorDeformRubber(box);
  box.LastVertex = SnappedDeformPoint(box, {x, y});
  XorDeformRubber(box);
  box.RubberErased = false;
  box.SetGuidePrompt(J("点指示   [左クリック：（自由）  右クリック：（点読取り）]"));
}

// The vertex p snapped, drawn and kept as deformation point k.
void TakeDeformPoint(TcadBox& box, RPoint2D& p, std::size_t k) {
  if (!box.RubberErased) XorDeformRubber(box);
  box.RubberErased = true;
  p = SnappedDeformPoint(box, p);
  const RPoint2D from = LastDeformVertex(box);
  SetVertexListPen(box, pmCopy);
  box.DrawLine(1, box.Canvas(), from.x, from.y, p.x, p.y);
  if (TSupuLineobj* v = DeformVerticesOf(box)) v->AddPoint(p.x, p.y);
  if (k < kDeformPoints) {
    box.DeformX[k] = p.x;
    box.DeformY[k] = p.y;
  }
  box.DragStage = 0;
}

// The points stay for the host; the polyline goes with the cancel.
void EndDeformPoints(TcadBox& box) {
  box.CancelCommands(false);
  box.B_Switch = _off;
  PostHostNotification(kDeformPanel, kPlacedFigurePaste);
}

void henkeizukeiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dthenkeizukei) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.DragStage = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  const std::uint8_t count = DeformCountOf(box);
  if (box.B_Switch == _off) {
    box.DeformX.fill(0);
    box.DeformY.fill(0);
    box.B_Switch = on1;
    box.DeformX[0] = box.FirstPoint.x;
    box.DeformY[0] = box.FirstPoint.y;
    // A list left by another vertex-list mode does not lend its vertices.
    box.Tool(ToolSlot::PolygonObj).Emplace<TSupuLineobj>().AddPoint(box.FirstPoint.x, box.FirstPoint.y);
    box.RubberErased = true;
    return;
  }
  if (DeformVerticesOf(box) == nullptr) {
    box.Tool(ToolSlot::PolygonObj).Emplace<TSupuLineobj>().AddPoint(box.FirstPoint.x, box.FirstPoint.y);
  }
  if (box.B_Switch == on1) {
    box.B_Switch = on2;
    TakeDeformPoint(box, box.SecondPoint, 1);
    if (count == 2) EndDeformPoints(box);
    return;
  }
  const std::size_t k = 2u + FitState(box).DeformIndex;
  TakeDeformPoint(box, box.CurrentPoint, k);
  if (k + 1 >= count) {
    EndDeformPoints(box);
  } else {
    ++FitState(box).DeformIndex;
  }
}

// ---- The figure fitted to picked lines ------------------------------------------

bool DeletesReferenceLines(std::uint8_t fitMode) {
  return fitMode == 10 || fitMode == 11 || fitMode == 12 || fitMode == 15;
}

// The foot of p on the first picked line; p itself on a line of no length.
RPoint2D FootOnLine(const RDrawElement& line, RPoint2D p) {
  RPoint2D f = p;
  if (!PerpendicularFoot(f.x, f.y, line.X1, line.Y1, line.X2, line.Y2, p.x, p.y)) return p;
  return f;
}

// The x factor is negative while the figure lies behind the pick point on
// the line (the direction from the pick to the foot 180 degrees or more);
// the y factor takes its sign.
void SignByPickSide(TcadBox& box, RPoint2D foot) {
  const double along = DirectionAngleDeg(box.WorkPointA.x, box.WorkPointA.y, foot.x, foot.y);
  box.PasteScaleX = along >= 180.0 ? -std::abs(box.PasteScaleX) : std::abs(box.PasteScaleX);
  box.PasteScaleY = std::copysign(box.PasteScaleY, box.PasteScaleX);
}

// As SignByPickSide, with the y factor's sign turned over when the cursor
// lies on the right of that direction.
void SignByPickAndCursorSide(TcadBox& box, RPoint2D foot, RPoint2D cursor) {
  SignByPickSide(box, foot);
  const double along = DirectionAngleDeg(box.WorkPointA.x, box.WorkPointA.y, foot.x, foot.y);
  const double side = NormalizeAngle360(DirectionAngleDeg(foot.x, foot.y, cursor.x, cursor.y) - along);
  if (side >= 180.0) box.PasteScaleY = -box.PasteScaleY;
}

void ApplyFitRule(TcadBox& box, RPoint2D foot, RPoint2D cursor) {
  const RDrawElement& l = FitState(box).RefLine1;
  switch (box.FitMode) {
    case 0:
    case 10: {
      const double lineAngle = LineAngleDeg(l.X1, l.Y1, l.X2, l.Y2);
      const double side = NormalizeAngle360(DirectionAngleDeg(foot.x, foot.y, cursor.x, cursor.y) - lineAngle);
      box.CommandAngle = side >= 180.0 ? lineAngle + 180.0 : lineAngle;
      break;
    }
    case 2:
    case 12: SignByPickSide(box, foot); break;
    case 4:
    case 15: SignByPickAndCursorSide(box, foot, cursor); break;
    default: break;
  }
}

// The cross-hair leaves the screen while the line is taken.
void HideRingForPick(TcadBox& box) {
  if (box.LeaveErased) return;
  box.ToggleRingCursor();
  box.RingHidden = true;
}

// The first line under SecondPoint: the buffer is emptied for the host to
// fill; a left click also keeps the foot of the pick and the line's angle.
// False when no line is there.
bool PickFirstLine(TcadBox& box) {
  HideRingForPick(box);
  FitState(box).RefLine1.Kind = kKindNone;
  FitState(box).RefLine2.Kind = kKindNone;
  const RPoint2D p = box.SecondPoint;
  if (!box.PickLineNearEndFirst(box.PickedIndex[1], FitState(box).RefLine1, false, p.x, p.y)) {
    box.PickedIndex[1] = kNoLinePicked;
    box.B_Switch = _off;
    box.ClickKind = 0;
    return false;
  }
  box.Draw1->ClearBuffer();
  if (box.ClickKind == 2) {
    const RDrawElement& l = FitState(box).RefLine1;
    box.WorkPointA = FootOnLine(l, p);
    box.CommandAngle = LineAngleDeg(l.X1, l.Y1, l.X2, l.Y2);
  }
  PostHostNotification(kDeformPanel, kFillBufferForLine);
  box.B_Switch = on1;
  box.RubberErased = true;
  return true;
}

// Deletes the picked lines of the slots as one undo step, the higher list
// index first so that each index still names its own line; the slots left
// follow their lines down the list, the deleted ones name none. True when a
// line was deleted.
bool DeleteReferenceLines(TcadBox& box, const std::vector<std::size_t>& slots) {
  const auto size = static_cast<std::int32_t>(box.Draw1->Elements.size());
  std::vector<std::int32_t> doomed;
  for (const std::size_t slot : slots) {
    const std::int32_t i = box.PickedIndex[slot];
    if (i >= 0 && i < size && std::find(doomed.begin(), doomed.end(), i) == doomed.end()) doomed.push_back(i);
  }
  std::sort(doomed.rbegin(), doomed.rend());
  UndoJoin join = UndoJoin::NewStep;
  for (const std::int32_t i : doomed) {
    box.DeleteLineByIndex(i, join);
    join = UndoJoin::JoinCurrent;
  }
  for (std::size_t slot = 1; slot <= 2; ++slot) {
    std::int32_t& index = box.PickedIndex[slot];
    if (index < 0) continue;
    if (std::find(doomed.begin(), doomed.end(), index) != doomed.end()) {
      index = -1;
      continue;
    }
    const auto below = std::count_if(doomed.begin(), doomed.end(), [&](std::int32_t d) { return d < index; });
    index -= static_cast<std::int32_t>(below);
  }
  return !doomed.empty();
}

// The fitted paste at SecondPoint; the reference lines of `slots` go
// first, in the same undo step.
void PlaceFitted(TcadBox& box, const std::vector<std::size_t>& slots) {
  const bool joined = DeleteReferenceLines(box, slots);
  box.PreviewP2 = {box.SecondPoint.x - box.FirstPoint.x, box.SecondPoint.y - box.FirstPoint.y};
  const bool placed = PlaceFigure(
      box, {.At = box.SecondPoint, .SkipType9 = true, .Join = joined ? UndoJoin::JoinCurrent : UndoJoin::NewStep});
  // The deleted lines' place painted again too.
  if (placed || joined) RepaintUndoStep(box);
  EndPlacement(box);
}

void FittedPasteMoveGesture(TcadBox& box) {
  EraseFigurePreview(box);
  box.ClickKind = 0;
}

void CopyHenkeiZukeiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtCopyHenkeiZukei) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2 && box.ClickKind != 3) return;
  if (box.B_Switch == _off) {
    // The line is picked where the press is, never snapped.
    box.SecondPoint = box.FreePoint(x, y);
    return;
  }
  RPoint2D p;
  if (!OffsetClickPoint(box, x, y, p)) return;
  box.SecondPoint = p;
  if (box.ClickKind == 2) {
    box.SetGuidePrompt(J(kCopyOrMovePlacePrompt));
  } else {
    box.SegmentStart = p;
  }
}

// The move of both line-fitted pastes: the figure follows the cursor's foot
// on the first line, its factors signed by the command's own rule.
void FittedPasteMove(TcadBox& box, Sbuttontype mode, TShiftState shift, double x, double y, const char* linePrompt,
                     const char* placePrompt, void (*signRule)(TcadBox&, RPoint2D, RPoint2D)) {
  if (box.ButonType != mode || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    FittedPasteMoveGesture(box);
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  const std::string prompt = J(box.B_Switch == _off ? linePrompt : placePrompt);
  box.SetGuidePrompt(prompt);
  box.ShowTopMessage(prompt);
  if (box.B_Switch == _off) return;
  EraseFigurePreview(box);
  const RPoint2D foot = FootOnLine(FitState(box).RefLine1, {x, y});
  signRule(box, foot, {x, y});
  PreviewFigureAt(box, foot, {foot.x - box.FirstPoint.x, foot.y - box.FirstPoint.y});
}

void CopyHenkeiZukeiMove(TcadBox& box, TShiftState shift, double x, double y) {
  FittedPasteMove(box, dtCopyHenkeiZukei, shift, x, y, kLinePrompt, "配置位置指示", ApplyFitRule);
}

void CopyHenkeiZukeiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtCopyHenkeiZukei) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    PickFirstLine(box);
    return;
  }
  const bool along = box.SegmentPaste;
  if (!along) EraseFigurePreview(box);
  box.SecondPoint = FootOnLine(FitState(box).RefLine1, box.SecondPoint);
  std::vector<std::size_t> slots;
  if (DeletesReferenceLines(box.FitMode)) slots.push_back(1);
  PlaceFitted(box, slots);
}

void CopyHenkeiZukeiAssistSegment(TcadBox& box) {
  if (box.B_Switch != on1) return;
  box.SegmentStart = box.SecondPoint;
  box.SegmentPaste = true;
}

// The second line under the press: the figure goes to its crossing with
// the first, and the host learns the two angles that fit it between them.
// A line parallel to the first (the first itself too) crosses nowhere and
// counts as none.
bool PickSecondLine(TcadBox& box, RPoint2D press) {
  const RDrawElement& a = FitState(box).RefLine1;
  RDrawElement b = FitState(box).RefLine2;
  std::int32_t index = -1;
  RPoint2D cross;
  if (!box.PickLineNearEndFirst(index, b, false, press.x, press.y) ||
      !IntersectLines(cross.x, cross.y, a.X1, a.Y1, a.X2, a.Y2, b.X1, b.Y1, b.X2, b.Y2)) {
    return false;
  }
  box.PickedIndex[2] = index;
  FitState(box).RefLine2 = b;
  EraseFigurePreview(box);
  box.SecondPoint = cross;
  const RPoint2D foot = FootOnLine(b, press);
  const RPoint2D w = box.WorkPointA;
  box.FigureSizes[4] = DirectionAngleDeg(cross.x, cross.y, w.x, w.y);
  box.FigureSizes[5] = 90.0 - AngleAtVertexDeg(cross.x, cross.y, w.x, w.y, foot.x, foot.y);
  box.Draw1->ClearBuffer();
  PostHostNotification(kDeformPanel, kFillBufferForTwoLines);
  return true;
}

void CopyHenkeiZukei2Down(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtCopyHenkeiZukei2) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2) {
    if (box.B_Switch == _off && box.ClickKind == 3) box.ClickKind = 0;
    return;
  }
  const RPoint2D p = box.FreePoint(x, y);
  if (box.B_Switch == _off) {
    box.SecondPoint = p;
    return;
  }
  box.SegmentStart = p;
  box.SetGuidePrompt(J(kCopyOrMovePlacePrompt));
  if (!PickSecondLine(box, p)) box.ClickKind = 0;
}

void CopyHenkeiZukei2Move(TcadBox& box, TShiftState shift, double x, double y) {
  FittedPasteMove(box, dtCopyHenkeiZukei2, shift, x, y, "線1指示", "線2指示", SignByPickAndCursorSide);
}

void CopyHenkeiZukei2Up(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtCopyHenkeiZukei2) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    box.FigureSizes[4] = 0;
    box.FigureSizes[5] = 0;
    PickFirstLine(box);
    return;
  }
  if (box.ClickKind != 2) return;
  HideRingForPick(box);
  // Fit mode 10 deletes the first line, 11 the second, 12 both.
  std::vector<std::size_t> slots;
  if (box.FitMode == 10 || box.FitMode == 12) slots.push_back(1);
  if (box.FitMode == 11 || box.FitMode == 12) slots.push_back(2);
  PlaceFitted(box, slots);
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The place of the figure while none is placed; the last preview moves out
// of sight.
void copyMensekiAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  if (box.B_Switch == _off) slot.Pending = &box.SecondPoint;
  slot.FarPreview = true;
}

void henkeizukeiAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = SlotBySwitch(box, &box.FirstPoint, &box.SecondPoint, &box.CurrentPoint);
}

void CopyHenkeiZukeiAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  if (box.B_Switch == on1) slot.Pending = &box.SecondPoint;
  slot.FarPreview = true;
}

}  // namespace
