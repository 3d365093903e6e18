// The outside ranges, the mirrored copy and move and the cut-out range.

#include "canvas/buffer_transform.h"
#include "canvas/cad_box.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/framework/selection_support.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"
#include "platform/host_notifications.h"

namespace {
std::optional<int> CutOutCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
void HaniGaiDown(TcadBox& box, TShiftState shift, double x, double y);
void HaniGaiMove(TcadBox& box, TShiftState shift, double x, double y);
void HaniGaiUp(TcadBox& box, TShiftState shift, double x, double y);
void CopyHantenDown(TcadBox& box, TShiftState shift, double x, double y);
void CopyHantenMove(TcadBox& box, TShiftState shift, double x, double y);
void CopyHantenUp(TcadBox& box, TShiftState shift, double x, double y);
void KiritoriHaniDown(TcadBox& box, TShiftState shift, double x, double y);
void KiritoriHaniMove(TcadBox& box, TShiftState shift, double x, double y);
void KiritoriHaniUp(TcadBox& box, TShiftState shift, double x, double y);
void KiritoriHaniCancel(TcadBox& box);
void KiritoriHaniRedraw(TcadBox& box);
void KiritoriHaniAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
bool BufferHolds(const TcadBox& box);
bool RangeHeld(const TcadBox& box);
bool RangeOpen(const TcadBox& box);
void KiritorisakuzyoGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterOutsideRangeCommands() {
  RegisterFamily({.Name = "CopyHanten",
                  .Modes = {dtIdoHanten, dtCopyHanten},
                  .Down = CopyHantenDown,
                  .Move = CopyHantenMove,
                  .Up = CopyHantenUp});
  RegisterFamily(
      {.Name = "KiritoriHani",
       .Modes = {dtKiritoriHani, dtKiritorisakuzyo},
       .Down = KiritoriHaniDown,
       .Move = KiritoriHaniMove,
       .Up = KiritoriHaniUp,
       .Cancels = {{"KiritoriHaniCancel", KiritoriHaniCancel}},
       .Redraws = {{"KiritoriHaniRedraw", KiritoriHaniRedraw}},
       .Hooks = {.Leave = EraseRangeFrameOnLeave, .Cursor = CutOutCursor},
       .Assist = {.Slot = KiritoriHaniAssistSlot},
       .Gestures = {ConfirmGesture(GestureSide::Left, dtKiritoriHani, {dtKiritoriHani}, BufferHolds, kConfirmCopy),
                    ConfirmGesture(GestureSide::Left, dtKiritorisakuzyo, {dtKiritorisakuzyo}, {}, kConfirmCopy),
                    SwallowedDrag(GestureSide::Right, 0, {}, RangeOpen),
                    ConfirmGesture(GestureSide::Right, dtKiritoriHani, {dtKiritoriHani}, BufferHolds, kConfirmSnapped),
                    ConfirmGesture(GestureSide::Right, dtKiritorisakuzyo, {dtKiritorisakuzyo}, {}, kConfirmSnapped),
                    SwallowedDrag(GestureSide::Right, 2, {dtKiritoriHani}, RangeOpen),
                    SwallowedDrag(GestureSide::Right, 4, {}, RangeOpen)},
       .GestureActions = {{{dtKiritorisakuzyo}, KiritorisakuzyoGesture}}});
  RegisterFamily(
      {.Name = "HaniGai",
       .Modes = {dtHaniGai, dtHaniCopyGai},
       .Down = HaniGaiDown,
       .Move = HaniGaiMove,
       .Up = HaniGaiUp,
       .Hooks = {.Cursor = RangeVariantCursor},
       .Gestures = {ConfirmGesture(GestureSide::Left, dtHani, {dtHaniGai}, RangeHeld),
                    ConfirmGesture(GestureSide::Left, dtHaniCopy, {dtHaniCopyGai}, RangeHeld, kConfirmCopy),
                    SwallowedDrag(GestureSide::Right, 0, {dtHaniGai}),
                    SwallowedDrag(GestureSide::Right, 2, {dtHaniGai}),
                    ConfirmGesture(GestureSide::Right, dtHaniCopy, {dtHaniCopyGai}, RangeHeld, kConfirmSnapped),
                    SwallowedDrag(GestureSide::Right, 4, {dtHaniGai})}});
}

namespace {

constexpr int kRangeTaken = 106;
constexpr int kMirrored = 114;

// The press of the mirror step, kept for its release.
struct RMirrorState {
  RPoint2D PickPoint;
};

bool InOutsideRange(const TcadBox& box) { return box.ButonType == dtHaniGai || box.ButonType == dtHaniCopyGai; }
bool InMirror(const TcadBox& box) { return box.ButonType == dtCopyHanten || box.ButonType == dtIdoHanten; }
bool InCutOut(const TcadBox& box) { return box.ButonType == dtKiritoriHani || box.ButonType == dtKiritorisakuzyo; }

// The rubber rectangle follows the cursor to (x, y).
void MoveRangeRect(TcadBox& box, double x, double y) {
  if (!box.RubberErased) XorRangeFrame(box, box.FirstPoint, box.CurrentPoint);
  box.RubberErased = false;
  box.CurrentPoint = {x, y};
  XorRangeFrame(box, box.FirstPoint, box.CurrentPoint);
}

// With no button held at the second step the rectangle follows the cursor;
// the prompt names the range the first button chose.
void FollowRangeRect(TcadBox& box, TShiftState shift, double x, double y, const char* leftPrompt) {
  if (!NoMouseButtonHeld(shift) || box.CommandStep != 1) return;
  MoveRangeRect(box, x, y);
  if (box.RangeClickKind == 2) box.SetGuidePrompt(J(leftPrompt));
  if (box.RangeClickKind == 3) box.SetGuidePrompt(J(kRangeLeftOutCaption));
}

// Removes the rubber rectangle when it is on the screen.
void EraseRangeRect(TcadBox& box) {
  if (!box.RubberErased) XorRangeFrame(box, box.FirstPoint, box.CurrentPoint);
  box.RubberErased = true;
}

void HaniGaiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InOutsideRange(box)) return;
  if (box.ViewGestureState != 0) {
    box.CurrentPoint = box.FirstPoint;
    return;
  }
  // The second press keeps the button of the first.
  if (box.CommandStep == 0) {
    box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
    if (box.ClickKind == 2 || box.ClickKind == 3) {
      box.FirstPoint = box.CurrentPoint = {x, y};
      box.RangeClickKind = box.ClickKind;
      box.GenBan = 1;
    }
  } else if (box.CommandStep == 1 && (box.ClickKind == 2 || box.ClickKind == 3)) {
    box.SecondPoint = {x, y};
    box.GenBan = 2;
  }
}

void HaniGaiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InOutsideRange(box) || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.CommandStep == 1) EraseRangeRect(box);
    box.ClickKind = 0;
    return;
  }
  FollowRangeRect(box, shift, x, y, "範 囲 外");
}

void HaniGaiUp(TcadBox& box, TShiftState, double, double) {
  if (!InOutsideRange(box) || !RangeClickReleased(box)) return;
  if (box.CommandStep == 0) {
    if (box.ClickKind == 3) {
      if (box.ToggleSelectElementAt(box.PickedIndex[1], box.FirstPoint.x, box.FirstPoint.y) && InOutsideRange(box)) {
        PostHostNotificationChain({"TFrame10", "TFrame11"}, kRangeTaken);
      }
    } else if (box.ClickKind == 2) {
      box.CommandStep = 1;
    }
    return;
  }
  PostHostNotification("TFrame10", kRangeTaken);
  EraseRangeRect(box);
  const RPoint2D a = box.FirstPoint, b = box.SecondPoint;
  if (box.RangeClickKind == 2) {
    box.SelectOutsideWindowRange(a.x, a.y, b.x, b.y);
  } else if (box.RangeClickKind == 3) {
    box.CopyRangeToBuffer(a.x, a.y, b.x, b.y);
    box.DeselectAll();
  }
  box.CommandStep = 0;
  box.ClickKind = 0;
  box.RangeClickKind = 0;
}

void CopyHantenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InMirror(box) || box.ViewGestureState != 0) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.B_Switch == on1 && box.ClickKind == 2) box.FamilyState<RMirrorState>().PickPoint = {x, y};
}

void CopyHantenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InMirror(box) || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  box.SetGuidePrompt(J("基準線指示    [左クリック（自由）：右クリック（反転キャンセル）]"));
}

void CopyHantenUp(TcadBox& box, TShiftState, double, double) {
  if (!InMirror(box) || box.ViewGestureState != 0 || box.ClickKind == 0 || box.B_Switch != on1) return;
  const bool move = box.ButonType == dtIdoHanten;
  if (box.ClickKind == 3) {
    box.SetGuidePrompt(J("反転キャンセル"));
    box.ClickKind = 0;
    box.ButonType = move ? dtIdoFree : dtCopyFree;
    return;
  }
  if (box.ClickKind != 2) return;
  const RPoint2D p = box.FamilyState<RMirrorState>().PickPoint;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (!box.PickMirrorLine(p.x, p.y, x1, y1, x2, y2)) {
    box.SetGuidePrompt(J(kNoLineExclaimed));
    return;
  }
  Tdrawinp& store = *box.Draw1;
  std::uint8_t selectedLook = 0;
  if (move) {
    // The deletion opens the step the mirrored paste then joins.
    box.DeleteSelection(false, true, true);
    box.ButonType = dtIdoFree;
    box.DrawGrid();
    selectedLook = 1;
  } else {
    box.ButonType = dtCopyFree;
  }
  CommandRegistry().RunPhase("CopyFreeCancel", box);
  box.DrawBufferMirrored(selectedLook, x1, y1, x2, y2);
  if (!move && !store.Buffer.empty()) TUndoStep(store).Open();
  store.PasteBufferMirrored(selectedLook, x1, y1, x2, y2);
  RebuildDisplayLists(box);
  box.B_Switch = _off;
  box.ClickKind = 0;
  PostHostNotification("TFrame10", kMirrored);
}

bool NoCutRange(const TcadBox& box) {
  const RCutRange& r = box.CutRange;
  return r.X1 == 0 && r.Y1 == 0 && r.X2 == 0 && r.Y2 == 0;
}

// The kept frame of a cut-out range, in the copy mode.
void DrawCutFrame(TcadBox& box, RPoint2D a, RPoint2D b) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = box.Sentakucol;
  canvas.Brush.Style = bsClear;
  box.DrawFrameRect(1, 0, a.x, a.y, b.x, b.y, 0);
  canvas.Pen.Mode = pmCopy;
}

void KiritoriHaniDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InCutOut(box)) return;
  if (box.ViewGestureState != 0) {
    box.CurrentPoint = box.FirstPoint;
    return;
  }
  if (box.CommandStep == 0) box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const std::uint8_t step = box.CommandStep;
  if (box.ClickKind == 2) {
    const RPoint2D p = box.FreePoint(x, y);
    if (step == 0) box.FirstPoint = box.CurrentPoint = p;
    box.SecondPoint = p;
  } else if (box.ClickKind == 3) {
    RPoint2D s;
    if (!box.SnappedPoint(x, y, s)) {
      box.ClickKind = 0;
      return;
    }
    const RPoint2D p = box.FreePoint(s.x, s.y);
    if (step == 0) {
      box.FirstPoint = box.CurrentPoint = p;
    } else {
      box.SecondPoint = p;
    }
  }
}

void KiritoriHaniMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InCutOut(box) || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  FollowRangeRect(box, shift, x, y, kRangeCaption);
}

void KiritoriHaniUp(TcadBox& box, TShiftState, double, double) {
  if (!InCutOut(box) || box.ViewGestureState != 0 || box.ClickKind == 0) return;
  if (box.CommandStep == 0) {
    box.CommandStep = 1;
    return;
  }
  if (!box.LeaveErased) box.EraseRingCursor();
  EraseRangeRect(box);
  DrawCutFrame(box, box.FirstPoint, box.SecondPoint);
  const RPoint2D a = box.FirstPoint, b = box.SecondPoint;
  if (box.ButonType == dtKiritoriHani) {
    box.CopyRangeToBuffer(a.x, a.y, b.x, b.y);
    PostHostNotification("TFrame10", kRangeTaken);
  } else {
    KiritoriHaniCancel(box);  // the previous range's frame goes
    PostHostNotification("TFrame11", kRangeTaken);
  }
  box.CutRange = {a.x, a.y, b.x, b.y};
  box.CommandStep = 0;
  box.ClickKind = 0;
  box.RangeClickKind = 0;
}

void KiritoriHaniRedraw(TcadBox& box) {
  if (!InCutOut(box) || NoCutRange(box)) return;
  const RCutRange& r = box.CutRange;
  DrawCutFrame(box, {r.X1, r.Y1}, {r.X2, r.Y2});
}

// Nothing to remove while no range was taken. The frame, drawn for good,
// goes by a paint of its four sides from the drawing: drawn again in XOR
// it would leave its first corner (which its two sides from there each
// draw once) and cut what it crossed.
void KiritoriHaniCancel(TcadBox& box) {
  if (!InCutOut(box) || NoCutRange(box)) return;
  const RCutRange& r = box.CutRange;
  box.InvalidateLineBand(r.X1, r.Y1, r.X2, r.Y1);
  box.InvalidateLineBand(r.X2, r.Y1, r.X2, r.Y2);
  box.InvalidateLineBand(r.X1, r.Y1, r.X1, r.Y2);
  box.InvalidateLineBand(r.X1, r.Y2, r.X2, r.Y2);
}

std::optional<int> CutOutCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (mode == dtKiritorisakuzyo) return RangeSelectCursor(mode, ringHan, cursorHan);
  return RangeVariantCursor(mode, ringHan, cursorHan);
}

}  // namespace

bool TcadBox::PickMirrorLine(double x, double y, double& x1, double& y1, double& x2, double& y2) {
  const double d = 4 / Zoom;
  const Tdrawinp& store = *Draw1;
  // The first line in display order, not the nearest.
  for (const RDisplayEntry& entry : store.DisplayList) {
    const RDrawElement* e = store.EntryElement(entry);
    if (e == nullptr || e->Kind != kKindLine || !OnEditableLayer(store, *e)) continue;
    if (!SegmentTouchesRect(e->X1, e->Y1, e->X2, e->Y2, x - d, y - d / 1.5, x + d, y + d)) continue;
    x1 = e->X1;
    y1 = e->Y1;
    x2 = e->X2;
    y2 = e->Y2;
    return true;
  }
  return false;
}

void TcadBox::DrawBufferMirrored(std::uint8_t selectedLook, double x1, double y1, double x2, double y2) {
  TCanvas& canvas = Canvas();
  for (const RDrawElement& original : Draw1->Buffer) {
    RDrawElement e = original;
    if (!MirrorBufferElement(e, x1, y1, x2, y2)) continue;
    const std::uint8_t lineType = e.LineType < kLineTypeCount ? e.LineType : 0;
    canvas.Pen.Mode = pmCopy;
    canvas.Pen.Width = 1;
    canvas.Pen.Style = PenStyles[lineType];
    const TColor own = PrepareXorColor(ColourTable[e.ColorNo < kColourTableSize ? e.ColorNo : 0]);
    canvas.Pen.Color = selectedLook == 1 ? Sentakucol : own;
    switch (e.Kind) {
      case kKindLine: DrawLine(e.LineType, canvas, e.X1, e.Y1, e.X2, e.Y2); break;
      case kKindRect: DrawRect(e.X1, e.Y1, e.X2, e.Y2); break;
      case kKindText: {
        canvas.Pen.Style = psSolid;
        canvas.Pen.Color = own;
        const std::uint8_t current = Mozi_No;
        Mozi_No = e.TextStyle;
        DrawBufferText(e.TextIndex, e.TextDirection, canvas, selectedLook == 1 ? 2 : 0, e.X1, e.Y1, e.X2, e.Y2,
                       e.TextAngle);
        Mozi_No = current;
        break;
      }
      case kKindArc:
        DrawArc(e.LineType, canvas, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
        break;
      case kKindPoint: DrawPointMark(selectedLook == 1 ? 100 : e.ColorNo, canvas, e.X1, e.Y1); break;
      default: break;
    }
    canvas.Pen.Mode = pmCopy;
  }
}

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The cut-out range takes the base point of the copy that follows.
void KiritoriHaniAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  RangeBaseAssistSlot(box, dtCopyFree, slot);
}

bool BufferHolds(const TcadBox& box) { return !box.Draw1->Buffer.empty(); }
// The range is held (red) or not yet.
bool RangeHeld(const TcadBox& box) { return box.HaniAka_Cyu; }
bool RangeOpen(const TcadBox& box) { return !box.HaniAka_Cyu; }

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// The confirmed cut-out delete is the host panel's.
void KiritorisakuzyoGesture(TcadBox& box, Sbuttontype) {
  PostHostNotification("TFrame11", 112);
  box.RangeConfirmKind = 0;
  box.PendingGesture = dtNo;
}

}  // namespace
