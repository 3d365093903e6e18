// Copy and move of the selection to picked places, the fitting range and
// the figure saved relative to a base point.

#include <algorithm>
#include <vector>

#include "canvas/cad_box.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/framework/selection_support.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"
#include "tools/edit/division.h"

namespace {
void CopyFreeDown(TcadBox& box, TShiftState shift, double x, double y);
void CopyFreeMove(TcadBox& box, TShiftState shift, double x, double y);
void CopyFreeUp(TcadBox& box, TShiftState shift, double x, double y);
void CopyFreeCancel(TcadBox& box);
void CopyFreeAssistSegment(TcadBox& box);
void TateguHaniDown(TcadBox& box, TShiftState shift, double x, double y);
void TateguHaniMove(TcadBox& box, TShiftState shift, double x, double y);
void TateguHaniUp(TcadBox& box, TShiftState shift, double x, double y);
void ZukeiHozonDown(TcadBox& box, TShiftState shift, double x, double y);
void ZukeiHozonMove(TcadBox& box, TShiftState shift, double x, double y);
void ZukeiHozonUp(TcadBox& box, TShiftState shift, double x, double y);
void CopyFreeAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void ZukeiHozonAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void CopyFreeResume(TcadBox& box, TShiftState shift, double x, double y);
void CopyFreeGesture(TcadBox& box, Sbuttontype code);
void ReselectGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterCopyMoveCommands() {
  RegisterFamily(
      {.Name = "CopyFree",
       .Modes = {dtCopyFree, dtIdoFree},
       .Down = CopyFreeDown,
       .Move = CopyFreeMove,
       .Up = CopyFreeUp,
       .Cancels = {{"CopyFreeCancel", CopyFreeCancel}},
       .Assist = {.Slot = CopyFreeAssistSlot, .Segment = CopyFreeAssistSegment, .Resume = CopyFreeResume},
       .Gestures = {{GestureSide::Left,
                     {},
                     {0, [](const TcadBox& b) { return b.B_Switch == on1; }, GestureOutcome::Toggle, "方向切替 ",
                      dtCopyFree, kKeepAnchor}},
                    {GestureSide::Left, {dtCopyFree}, {4, {}, GestureOutcome::Choose, kReselectCaption, dtCopy2}},
                    {GestureSide::Left, {dtIdoFree}, {4, {}, GestureOutcome::Choose, kReselectCaption, dtIdoFree2}},
                    DimensionGesture(),
                    OffsetGesture()},
       .GestureActions = {{{dtCopyFree}, CopyFreeGesture}, {{dtCopy2, dtIdoFree2}, ReselectGesture}}});
  RegisterFamily({.Name = "TateguHani",
                  .Modes = {dtTateguHani},
                  .Down = TateguHaniDown,
                  .Move = TateguHaniMove,
                  .Up = TateguHaniUp,
                  .Hooks = {.Leave = EraseRangeFrameOnLeave}});
  RegisterFamily({.Name = "ZukeiHozon",
                  .Modes = {dtZukeiHozon},
                  .Down = ZukeiHozonDown,
                  .Move = ZukeiHozonMove,
                  .Up = ZukeiHozonUp,
                  .Assist = {.Slot = ZukeiHozonAssistSlot, .Segment = CopyFreeAssistSegment}});
}

std::vector<RPoint2D> PitchDivisionPoints(const TcadBox& box, double x1, double y1, double x2, double y2) {
  const double scale = box.GroupScales[box.WriteGrupe_No % kLayerGroups];
  const TKansupitchobj divider(box.PitchMode, 0, 0, 0, 0, 0, 0, 0, 0, box.RealToDrawingLength(box.DivPitch), x1, y1, x2,
                               y2, scale, true, 0.0);
  std::vector<RPoint2D> points;
  for (const RToolPoint& p : divider.ResultPoints) points.push_back({p.X, p.Y});
  return points;
}

namespace {

constexpr std::uint8_t kPreviewTextMode = 10;
constexpr int kBufferFilled = 105;
constexpr int kPlaced = 100;
constexpr int kFittingRangeChanged = 106;

// The division points of a segment in the order the copies are placed: by
// count the interior points at i / DivCount, else those of the pitch.
std::vector<RPoint2D> DivisionPoints(const TcadBox& box, double x1, double y1, double x2, double y2) {
  std::vector<RPoint2D> points;
  if (box.RepeatByCount == 1) {
    const std::int32_t n = box.DivCount;
    if (n < 2) return points;
    for (std::int32_t i = 1; i < n; ++i) {
      const double f = static_cast<double>(i) / n;
      points.push_back({x1 + f * (x2 - x1), y1 + f * (y2 - y1)});
    }
    return points;
  }
  return PitchDivisionPoints(box, x1, y1, x2, y2);
}

RPoint2D OffsetInDrawingUnits(const TcadBox& box) {
  return {box.RealToDrawingLength(box.PasteOffset.x), box.RealToDrawingLength(box.PasteOffset.y)};
}

// The shift of a copy placed at p: the base point moves onto p plus the offset.
RPoint2D PlacementShift(const TcadBox& box, RPoint2D p) {
  const RPoint2D o = OffsetInDrawingUnits(box);
  return {p.x - box.FirstPoint.x + o.x, p.y - box.FirstPoint.y + o.y};
}

// One paste of the buffer under the paste transform at p with shift d.
void PasteAt(TcadBox& box, RPoint2D p, RPoint2D d, UndoJoin join) {
  box.Draw1->PasteBuffer(box.DirectionMode, box.PasteKind, d.x, d.y, p.x, p.y, box.CommandAngle, box.AxisAngle,
                         box.PasteScaleX, box.PasteScaleY, box.WriteGrupe_No, box.WriteReiya_No,
                         join == UndoJoin::NewStep, 0, true, false);
}

// A move deleted its source as a step of its own; the copies join it.
UndoJoin PasteJoin(bool move) { return move ? UndoJoin::JoinCurrent : UndoJoin::NewStep; }

}  // namespace

void RepaintUndoStep(TcadBox& box) {
  const Tdrawinp& store = *box.Draw1;
  std::size_t added = 0;
  for (const RDrawElement& e : store.UndoLog) {
    if (e.UndoMark == kUndoAdded) {
      ++added;
    } else {
      box.InvalidateElementArea(e);
    }
  }
  const std::vector<RDrawElement>& elements = store.Elements;
  for (std::size_t i = elements.size() - std::min(added, elements.size()); i < elements.size(); ++i) {
    box.InvalidateElementArea(elements[i]);
  }
}

bool TcadBox::PasteBufferAlongSegment(double x1, double y1, double x2, double y2, UndoJoin join) {
  const std::vector<RPoint2D> points = DivisionPoints(*this, x1, y1, x2, y2);
  if (points.empty()) return false;
  if (!Draw1->Buffer.empty()) TUndoStep(*Draw1, join).Open();
  // The copies show when the caller paints the step again.
  for (const RPoint2D& p : points) {
    PreviewP2 = PlacementShift(*this, p);
    PasteAt(*this, p, PreviewP2, UndoJoin::JoinCurrent);
  }
  return true;
}

namespace {

void EraseBufferPreviewShown(TcadBox& box) {
  if (box.RubberErased) return;
  box.EraseBufferPreview(box.PreviewMirror, kPreviewTextMode, box.PreviewP2.x, box.PreviewP2.y, box.CurrentPoint.x,
                         box.CurrentPoint.y, box.PreviewAngle, box.PreviewP1.x, box.PreviewP1.y);
}

// The buffer previewed at the cursor with the shift, remembered for its erase.
void PreviewBufferAt(TcadBox& box, double x, double y, RPoint2D shift) {
  EraseBufferPreviewShown(box);
  box.PreviewP2 = shift;
  box.DrawBufferPreview(box.DirectionMode, kPreviewTextMode, box.PreviewP2.x, box.PreviewP2.y, x, y, box.CommandAngle,
                        box.PasteScaleX, box.PasteScaleY);
  box.CurrentPoint = {x, y};
  box.PreviewMirror = box.DirectionMode;
  box.PreviewAngle = box.CommandAngle;
  box.PreviewP1 = {box.PasteScaleX, box.PasteScaleY};
  box.RubberErased = false;
}

bool IsCopyFree(const TcadBox& box) { return ModeIn(box.ButonType, {dtCopyFree, dtIdoFree}); }

void CopyFreeDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!IsCopyFree(box)) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  RPoint2D p;
  if (!OffsetClickPoint(box, x, y, p)) return;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = p;
  } else if (box.ClickKind == 2) {
    box.CurrentPoint = box.SecondPoint = p;
  } else {
    box.SecondPoint = box.SegmentStart = p;
  }
  box.SetGuidePrompt(J(kCopyOrMovePlacePrompt));
}

void CopyFreeMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!IsCopyFree(box)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    EraseBufferPreviewShown(box);
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J("基準点指示    [左クリック（自由）：右クリック（点読取り）]"));
    return;
  }
  box.SetGuidePrompt(J(kPlacePointPrompt));
  PreviewBufferAt(box, x, y, PlacementShift(box, {x, y}));
}

// The placement at SecondPoint by the hidden-line mode. A move deletes the
// selection first and pastes inside the deletion's step; it deletes only
// when something will be placed. True when the drawing changed.
bool PlaceCopy(TcadBox& box) {
  Tdrawinp& store = *box.Draw1;
  const bool move = box.ButonType == dtIdoFree;
  const RPoint2D p = box.SecondPoint;
  const bool hatch = box.SenUrakesi == 2 && !move;
  const bool erase = box.SenUrakesi == 1 && !move;
  const bool along = box.SegmentPaste && !hatch && !erase;
  const bool placesSomething =
      !store.Buffer.empty() && box.PasteScaleX != 0.0 && box.PasteScaleY != 0.0 &&
      (!along || !DivisionPoints(box, box.SegmentStart.x, box.SegmentStart.y, p.x, p.y).empty());
  if (move && placesSomething) {
    box.DeleteSelection(false, true, true);
    box.DrawGrid();
  }
  box.PreviewP2 = PlacementShift(box, p);
  const RPoint2D d = box.PreviewP2;
  if (!placesSomething) return false;
  if (hatch) {
    if (box.hatchHozi) {
      box.HatchPasteOutlineKeptHatch(box.DirectionMode, d.x, d.y, p.x, p.y, box.CommandAngle, box.PasteScaleX,
                                     box.PasteScaleY);
    } else {
      box.HatchPasteOutline(box.DirectionMode, d.x, d.y, p.x, p.y, box.CommandAngle, box.PasteScaleX, box.PasteScaleY);
    }
  } else if (erase) {
    // The step opens here, so the paste joins it also when the erase
    // refuses the buffer or finds nothing to hide.
    TUndoStep(store).Open();
    box.ErasePasteHiddenLines(box.DirectionMode, d.x, d.y, p.x, p.y, box.CommandAngle, box.PasteScaleX,
                              box.PasteScaleY);
    PasteAt(box, p, d, UndoJoin::JoinCurrent);
  } else if (along) {
    box.PasteBufferAlongSegment(box.SegmentStart.x, box.SegmentStart.y, p.x, p.y, PasteJoin(move));
  } else {
    PasteAt(box, p, d, PasteJoin(move));
  }
  return true;
}

void CopyFreeUp(TcadBox& box, TShiftState, double, double) {
  if (!IsCopyFree(box)) return;
  if (box.ViewGestureState != 0) box.RubberErased = true;
  if (box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    PostHostNotification("TFrame10", kBufferFilled);
    box.PreviewP2 = {0, 0};
    box.B_Switch = on1;
    box.Draw1->CopySelectionToBuffer(0, 0);
    box.RubberErased = true;
    return;
  }
  EraseBufferPreviewShown(box);
  // What the placement took away and added is shown as the redraw shows
  // the drawing: what the copy hides or the move erased, drawn again where
  // it crossed, and the copy as it was stored (a stretched line keeps its
  // outer end, a hatch adds only its pieces).
  if (PlaceCopy(box)) RepaintUndoStep(box);
  box.ClickKind = 0;
  box.RubberErased = true;
  box.B_Switch = on1;
  const double unit = box.RealToDrawingLength(1);
  const RPoint2D moved{box.SecondPoint.x - box.FirstPoint.x, box.SecondPoint.y - box.FirstPoint.y};
  if (unit != 0) box.LastMoveReal = {moved.x / unit, moved.y / unit};
  box.LastMove = moved;
  box.SegmentPaste = false;
  if (box.ButonType == dtCopyFree) PostHostNotification("TFrame10", kPlaced);
  RebuildDisplayLists(box);
}

void CopyFreeCancel(TcadBox& box) {
  const Sbuttontype m = box.ButonType;
  if (ModeIn(m, {dtCopyFree, dtIdoFree, dtZukeiHozon})) {
    if (box.RubberErased || box.B_Switch != on1) return;
    box.B_Switch = _off;
    box.ClickKind = 0;
    EraseBufferPreviewShown(box);
    box.RubberErased = true;
    if (m == dtIdoFree && box.ParametricSelection) box.RedrawElements(false);
  } else if (ModeIn(m, {dtcopyMenseki, dtCopyTazuMen, dtCopyZukei})) {
    box.RingRepaintFlag = false;
    if (box.RubberErased || box.B_Switch != _off) return;
    box.ClickKind = 0;
    EraseBufferPreviewShown(box);
    box.RubberErased = true;
  } else if (m == dtCopyHenkeiZukei || m == dtCopyHenkeiZukei2) {
    // The figure fitted between two lines shows its preview as the one
    // fitted to a line does, and it goes with the cancel as well.
    box.RingRepaintFlag = false;
    if (box.RubberErased || box.B_Switch == _off) return;
    box.B_Switch = _off;
    box.ClickKind = 0;
    EraseBufferPreviewShown(box);
    box.RubberErased = true;
  }
}

// The midpoint assist: the next placement pastes along the segment from
// the point it replaces.
void CopyFreeAssistSegment(TcadBox& box) {
  if (box.B_Switch != on1) return;
  box.SegmentStart = box.SecondPoint;
  box.SegmentPaste = true;
}

// ---- Fitting range ----------------------------------------------------------

void TateguHaniDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtTateguHani) return;
  if (box.ViewGestureState != 0) {
    box.CurrentPoint = box.FirstPoint;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.CommandStep == 0) {
    if (box.ClickKind != 2 && box.ClickKind != 3) return;
    box.FirstPoint = box.CurrentPoint = {x, y};
    box.RangeAction = 0;
  } else {
    box.SecondPoint = {x, y};
    box.RangeAction = box.ClickKind == 2 ? 2 : 3;
  }
}

void TateguHaniMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtTateguHani) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y) || box.ViewGestureState != 0) return;
  if (!NoMouseButtonHeld(shift)) return;
  box.SetGuidePrompt(J("範囲指示 [左->左ｸﾘｯｸ(範囲)：左->右ｸﾘｯｸ(範囲ｷｬﾝｾﾙ):図形右ｸﾘｯｸ(個別)]"));
  if (box.CommandStep != 1) return;
  if (!box.RubberErased) XorRangeFrame(box, box.FirstPoint, box.CurrentPoint);
  XorRangeFrame(box, box.FirstPoint, {x, y});
  box.CurrentPoint = {x, y};
  box.RubberErased = false;
  if (box.RangeAction == 2) box.SetGuidePrompt(J(kRangeCaption));
  if (box.RangeAction == 3) box.SetGuidePrompt(J(kRangeLeftOutCaption));
}

void TateguHaniUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtTateguHani || box.ViewGestureState != 0) return;
  if (box.CommandStep == 0) {
    if (box.ClickKind == 3) {
      if (box.ToggleSelectElementAt(box.PickedIndex[1], box.FirstPoint.x, box.FirstPoint.y)) {
        PostHostNotification("TFrame23", kFittingRangeChanged);
      }
    } else if (box.ClickKind == 2) {
      box.CommandStep = 1;
      box.RubberErased = true;
    }
    return;
  }
  PostHostNotification("TFrame23", kFittingRangeChanged);
  if (!box.RubberErased) XorRangeFrame(box, box.FirstPoint, box.CurrentPoint);
  box.RubberErased = true;
  const RPoint2D a = box.FirstPoint, b = box.SecondPoint;
  if (box.RangeAction == 2) box.SelectWindowRange(false, a.x, a.y, b.x, b.y);
  if (box.RangeAction == 3) box.DeselectWindowRange(false, a.x, a.y, b.x, b.y);
  box.CommandStep = 0;
  box.ClickKind = 0;
  box.RangeAction = 0;
}

// ---- Figure save ------------------------------------------------------------

void ZukeiHozonDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtZukeiHozon) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  RPoint2D p;
  if (!OffsetClickPoint(box, x, y, p)) return;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
  } else if (box.ClickKind == 2) {
    box.CurrentPoint = box.SecondPoint = p;
  } else {
    box.SecondPoint = p;
  }
  if (box.ClickKind == 2) box.ShowPointMarker(0, p.x, p.y);
  if (box.ClickKind == 3) box.SetGuidePrompt(J(kCopyOrMovePlacePrompt));
}

void ZukeiHozonMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtZukeiHozon || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    EraseBufferPreviewShown(box);
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J("基準点指示 [左ｸﾘｯｸ（任意点）：右ｸﾘｯｸ（点読取り）]"));
    return;
  }
  box.SetGuidePrompt(J("ﾌｧｲﾙ保存ﾎﾞﾀﾝまたはｸﾘｯﾌﾟﾎﾞｰﾄﾞﾎﾞﾀﾝをｸﾘｯｸ"));
  // The saved figure shows where it lies relative to the cursor, without the paste offset.
  PreviewBufferAt(box, x, y, {x - box.FirstPoint.x, y - box.FirstPoint.y});
}

void ZukeiHozonUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtZukeiHozon) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0 || box.B_Switch != _off) return;
  box.WorkPointB = box.SecondPoint;
  PostHostNotification("TFrame23", kBufferFilled);
  box.RubberErased = true;
  box.Draw1->CopySelectionToBuffer(box.FirstPoint.x - box.SecondPoint.x, box.FirstPoint.y - box.SecondPoint.y);
  box.B_Switch = on1;
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The base point while none is taken, then the place; the last preview
// moves out of sight.
void CopyFreeAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  const bool base = box.B_Switch == _off;
  slot.Pending = base ? &box.FirstPoint : &box.SecondPoint;
  if (base) slot.Also = {&box.CurrentPoint};
  slot.FarPreview = !base;
}

void ZukeiHozonAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  if (box.B_Switch == _off) slot.Pending = &box.SecondPoint;
  slot.FarPreview = true;
}

// A point of a two-step assist, taken as a free click: the base point
// while none is taken, then the place.
void CopyFreeResume(TcadBox& box, TShiftState shift, double x, double y) {
  const RPoint2D p = box.AssistPoint;
  box.ClickKind = 2;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
    ReEnterUp(box, box.ButonType, shift, x, y);
    box.B_Switch = on1;
  } else {
    box.SecondPoint = box.CurrentPoint = p;
    ReEnterUp(box, box.ButonType, shift, x, y);
  }
}

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// East steps the placing direction (three of them) on the host's panel.
void CopyFreeGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  box.ClickKind = 0;
  box.DirectionMode = (box.DirectionMode + 1) % 3;
  PostHostNotification("TFrame10", 115);
}

// The host's panel takes a new selection.
void ReselectGesture(TcadBox& box, Sbuttontype) {
  PostHostNotification("TFrame10", 118);
  box.PendingGesture = dtNo;
}

}  // namespace
