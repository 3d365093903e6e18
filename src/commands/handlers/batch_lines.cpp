// Batch stretch and partial cut of the lines a fence crosses, and the fence
// selection handed to the host.

#include <algorithm>
#include <span>
#include <vector>

#include "canvas/cad_box.h"
#include "canvas/nearest_pick.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/selection_support.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/codepage.h"
#include "geometry/intersections.h"
#include "geometry/offsets_rects.h"
#include "platform/host_notifications.h"
#include "tools/edit/batch_trim.h"

namespace {
void iikatusinDown(TcadBox& box, TShiftState shift, double x, double y);
void iikatusinMove(TcadBox& box, TShiftState shift, double x, double y);
void iikatusinUp(TcadBox& box, TShiftState shift, double x, double y);
void iikatuBubunDown(TcadBox& box, TShiftState shift, double x, double y);
void iikatuBubunMove(TcadBox& box, TShiftState shift, double x, double y);
void iikatuBubunUp(TcadBox& box, TShiftState shift, double x, double y);
void iikatufugoDown(TcadBox& box, TShiftState shift, double x, double y);
void iikatufugoMove(TcadBox& box, TShiftState shift, double x, double y);
void iikatufugoUp(TcadBox& box, TShiftState shift, double x, double y);
void iikatusinFinish(TcadBox& box, std::uint8_t flag);
void iikatuBubunFinish(TcadBox& box, std::uint8_t flag);
void iikatusinCancel(TcadBox& box);
void iikatusinGesture(TcadBox& box, Sbuttontype code);
void iikatuBubunGesture(TcadBox& box, Sbuttontype code);
void iikatufugoGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterBatchLineCommands() {
  RegisterFamily({.Name = "iikatusin",
                  .Modes = {dtiikatusin},
                  .Down = iikatusinDown,
                  .Move = iikatusinMove,
                  .Up = iikatusinUp,
                  .Cancels = {{"iikatusinCancel", iikatusinCancel}},
                  .Finishes = {{"iikatusinFinish", iikatusinFinish}},
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtiikatusin, {},
                                              [](const TcadBox& b) { return b.B_Switch == on3; })},
                  .GestureActions = {{{dtiikatusin}, iikatusinGesture}}});
  RegisterFamily({.Name = "iikatuBubun",
                  .Modes = {dtiikatuBubun},
                  .Down = iikatuBubunDown,
                  .Move = iikatuBubunMove,
                  .Up = iikatuBubunUp,
                  .Finishes = {{"iikatuBubunFinish", iikatuBubunFinish}},
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtiikatuBubun, {},
                                              [](const TcadBox& b) { return b.B_Switch == on4; })},
                  .GestureActions = {{{dtiikatuBubun}, iikatuBubunGesture}}});
  RegisterFamily({.Name = "iikatufugo",
                  .Modes = {dtiikatufugo},
                  .Down = iikatufugoDown,
                  .Move = iikatufugoMove,
                  .Up = iikatufugoUp,
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtiikatufugo, {},
                                              [](const TcadBox& b) { return b.HaniAka_Cyu; })},
                  .GestureActions = {{{dtiikatufugo}, iikatufugoGesture}}});
}

namespace {

constexpr int kFenceConfirmed = 111;
const char* const kPanel = "TFrame32";

struct RBatchLineState {
  // Where the fence rubber band on the screen ends: a press may give the
  // fence another end than the last move drew.
  RPoint2D BandEnd;
};

// The step at which the fence rubber band follows the cursor.
bool FenceEndStep(const TcadBox& box) {
  switch (box.ButonType) {
    case dtiikatusin: return box.B_Switch == on2;
    case dtiikatuBubun: return box.B_Switch == on3;
    case dtiikatufugo: return box.B_Switch == on1;
    default: return false;
  }
}

void DrawFence(TcadBox& box, RPoint2D a, RPoint2D b) { box.DrawLine(2, box.Canvas(), a.x, a.y, b.x, b.y); }

void MoveFence(TcadBox& box, double x, double y) {
  RBatchLineState& state = box.FamilyState<RBatchLineState>();
  box.MoveRubberBand(
      clAquaFrame, false, 1, [&] { DrawFence(box, box.FirstPoint, state.BandEnd); },
      [&] {
        state.BandEnd = box.CurrentPoint = {x, y};
      });
}

void EraseFence(TcadBox& box) {
  RBatchLineState& state = box.FamilyState<RBatchLineState>();
  box.EraseOwnRubberBand(clAquaFrame, false, 1, [&] { DrawFence(box, box.FirstPoint, state.BandEnd); });
}

// The fence step left to its release: the band goes, the lines it crosses
// are chosen, the fence is kept for the finish and the reference elements
// are taken out of the choice again.
void ConfirmFence(TcadBox& box, _Bswitch next) {
  EraseFence(box);
  box.SelectLinesCrossingFence(box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
  box.SegStart = box.FirstPoint;
  box.SegEnd = box.CurrentPoint;
  box.B_Switch = next;
  box.DeselectElement(box.PickedIndex[1]);
  box.DeselectElement(box.PickedIndex[2]);
  box.RingRepaintFlag = true;
}

// The fence start is taken: the band starts from nothing.
void StartFence(TcadBox& box, _Bswitch next) {
  box.B_Switch = next;
  box.RubberErased = true;
}

// The common part of the three move handlers; false when a gesture took
// the move or a button is held.
bool PromptMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return false;
  }
  return NoMouseButtonHeld(shift);
}

// ---- dtiikatusin -------------------------------------------------------------

void iikatusinDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtiikatusin || box.ViewGestureState != 0) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const RPoint2D p{x, y};
  switch (box.B_Switch) {
    case _off: box.FirstPoint = p; break;
    case on1: box.FirstPoint = box.CurrentPoint = p; break;
    case on2:
      if (box.ClickKind == 2) box.CurrentPoint = box.SecondPoint = p;
      break;
    case on3:
      if (box.ClickKind == 3) box.SecondPoint = p;
      break;
    default: break;
  }
}

void iikatusinMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtiikatusin || box.ViewGestureState != 0) return;
  if (!PromptMove(box, shift, x, y)) return;
  switch (box.B_Switch) {
    case _off: box.SetGuidePrompt(J("基準線指示")); break;
    case on1: box.SetGuidePrompt(J("範囲始点指示")); break;
    case on2:
      box.SetGuidePrompt(J("範囲終点指示"));
      MoveFence(box, x, y);
      break;
    case on3: box.SetGuidePrompt(J("右クリック（個別）")); break;
    default: break;
  }
}

void iikatusinUp(TcadBox& box, TShiftState, double x, double y) {
  if (box.ButonType != dtiikatusin || box.ViewGestureState != 0 || box.ClickKind == 0) return;
  switch (box.B_Switch) {
    case _off:
      if (box.PickLineOrArc(box.PickedIndex[1], true, box.FirstPoint.x, box.FirstPoint.y, 0)) {
        box.B_Switch = on1;
      } else {
        box.ClickKind = 0;
      }
      break;
    case on1: StartFence(box, on2); break;
    case on2: ConfirmFence(box, on3); break;
    case on3:
      if (box.ClickKind == 3 && box.ToggleLineSelectionAt(box.SecondPoint.x, box.SecondPoint.y)) {
        box.SecondPoint = {x, y};
      }
      break;
    default: break;
  }
}

// ---- dtiikatuBubun -----------------------------------------------------------

void iikatuBubunDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtiikatuBubun) return;
  if (box.ViewGestureState != 0) {
    box.CurrentPoint = box.FirstPoint;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const RPoint2D p{x, y};
  switch (box.B_Switch) {
    case _off:
    case on1:
    case on2: box.FirstPoint = box.CurrentPoint = p; break;
    case on3: box.CurrentPoint = p; break;
    case on4:
      if (box.ClickKind == 3) box.SecondPoint = p;
      break;
    default: break;
  }
}

void iikatuBubunMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtiikatuBubun || box.ViewGestureState != 0) return;
  if (!PromptMove(box, shift, x, y)) return;
  switch (box.B_Switch) {
    case _off: box.SetGuidePrompt(J("基準線1本目指示")); break;
    case on1: box.SetGuidePrompt(J("基準線2本目指示")); break;
    case on2: box.SetGuidePrompt(J("範囲始点指示")); break;
    case on3:
      box.SetGuidePrompt(J("範囲終点指示"));
      MoveFence(box, x, y);
      break;
    case on4: box.SetGuidePrompt(J("右クリック（個別）")); break;
    default: break;
  }
}

void iikatuBubunUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtiikatuBubun || box.ViewGestureState != 0 || box.ClickKind == 0) return;
  // The cut takes each reference by its two ends as a line: only lines
  // serve as references.
  const RPoint2D p = box.FirstPoint;
  switch (box.B_Switch) {
    case _off:
      if (box.PickLineOrArc(box.PickedIndex[1], true, p.x, p.y, 1)) box.B_Switch = on1;
      break;
    case on1:
      if (box.PickLineOrArc(box.PickedIndex[2], true, p.x, p.y, 1)) box.B_Switch = on2;
      break;
    case on2: StartFence(box, on3); break;
    case on3: ConfirmFence(box, on4); break;
    case on4:
      if (box.ClickKind == 3) box.ToggleLineSelectionAt(box.SecondPoint.x, box.SecondPoint.y);
      break;
    default: break;
  }
}

// ---- dtiikatufugo ------------------------------------------------------------

void iikatufugoDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtiikatufugo || box.ViewGestureState != 0) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const RPoint2D p{x, y};
  switch (box.B_Switch) {
    case _off: box.FirstPoint = p; break;
    case on1: box.CurrentPoint = p; break;
    case on2:
      if (box.ClickKind == 3) box.SecondPoint = p;
      break;
    default: break;
  }
}

void iikatufugoMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtiikatufugo || box.ViewGestureState != 0) return;
  if (!PromptMove(box, shift, x, y)) return;
  switch (box.B_Switch) {
    case _off: box.SetGuidePrompt(J("範囲開始点指示")); break;
    case on1:
      box.SetGuidePrompt(J("範囲終了点指示"));
      MoveFence(box, x, y);
      break;
    case on2: box.SetGuidePrompt(J("右クリックで個別選択・解除")); break;
    default: break;
  }
}

void iikatufugoUp(TcadBox& box, TShiftState, double x, double y) {
  if (box.ButonType != dtiikatufugo || box.ViewGestureState != 0 || box.ClickKind == 0) return;
  switch (box.B_Switch) {
    case _off: StartFence(box, on1); break;
    case on1:
      ConfirmFence(box, on2);
      PostHostNotification(kPanel, kFenceConfirmed);
      break;
    case on2:
      if (box.ClickKind == 3 && box.ToggleLineSelectionAt(box.SecondPoint.x, box.SecondPoint.y)) {
        box.SecondPoint = {x, y};
      }
      break;
    default: break;
  }
}

// ---- The finishes --------------------------------------------------------------

bool ValidIndex(const TcadBox& box, std::int32_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < box.Draw1->Elements.size();
}

// The rectangle the finish changed on the screen, grown line by line.
struct RChangedRect {
  bool Any = false;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  void Add(double xa, double ya, double xb, double yb) {
    if (!Any) {
      X1 = X2 = xa;
      Y1 = Y2 = ya;
      Any = true;
    }
    X1 = std::min({X1, xa, xb});
    X2 = std::max({X2, xa, xb});
    Y1 = std::min({Y1, ya, yb});
    Y2 = std::max({Y2, ya, yb});
  }
};

// A reference element leaves the choice; still highlighted, it shows in
// its own colour again.
void ReleaseReference(TcadBox& box, RDrawElement& e) {
  if (e.Selection == 1) DrawInOwnColour(box, e);
  e.Selection = 0;
}

// Whether any of the segment can show: its box meets the view. A quick
// test before the line drawing's own exact one, which most lines of a long
// list fail.
bool MayShow(const TcadBox& box, double x1, double y1, double x2, double y2) {
  const RViewRect& v = box.ViewWindow;
  return std::max(x1, x2) >= v.Left && std::min(x1, x2) <= v.Right && std::max(y1, y2) >= v.Bottom &&
         std::min(y1, y2) <= v.Top;
}

// The chosen lines handed to the tool, taken off the screen and out of the
// drawing (the higher index first), the tool's results added and drawn
// from the last to the first: one undo step, opened only by a real change.
template <class Tool>
void RunBatch(TcadBox& box, Tool& tool, std::int32_t ref1, std::int32_t ref2) {
  Tdrawinp& store = *box.Draw1;
  TCanvas& canvas = box.Canvas();
  // The references first, the higher index first, then the chosen lines in
  // one pass from the top: each line is handed over while it is at hand.
  const std::int32_t count = static_cast<std::int32_t>(store.Elements.size());
  const std::int32_t highRef = std::max(ref1, ref2), lowRef = std::min(ref1, ref2);
  if (highRef >= 0 && highRef < count) ReleaseReference(box, store.Elements[static_cast<std::size_t>(highRef)]);
  if (lowRef >= 0 && lowRef < count && lowRef != highRef) {
    ReleaseReference(box, store.Elements[static_cast<std::size_t>(lowRef)]);
  }
  // Each chosen line is logged as deleted while it is at hand; the list
  // closes up once, before the results come in.
  TUndoStep step(store);
  TDeletionPass pass(store);
  RChangedRect changed;
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = box.Sentakucol;
  // Apart: the scan's own loop keeps its state in registers.
  auto eraseFromScreen = [&](const RDrawElement& e) __attribute__((noinline)) {
    box.DrawLine(e.LineType, canvas, e.X1, e.Y1, e.X2, e.Y2);
    changed.Add(e.X1, e.Y1, e.X2, e.Y2);
  };
  auto choose = [&](const RDrawElement& e, std::int32_t i) {
    if (e.Kind != kKindLine || e.Selection != 1 || i == ref1 || i == ref2) return false;
    if (MayShow(box, e.X1, e.Y1, e.X2, e.Y2)) eraseFromScreen(e);
    return true;
  };
  step.TakeEach(pass, choose, [](RDrawElement& record) { record.Selection = 0; });
  canvas.Pen.Mode = pmCopy;
  // The chosen lines go to the tool from their records, in the order they
  // were taken: its list grows once.
  const std::size_t taken = pass.Taken();
  tool.Items.reserve(tool.Items.size() + taken);
  for (const RDrawElement& r : std::span(store.UndoLog).last(taken)) {
    tool.AddItem(r.LineType, r.ColorNo, r.Group, r.Layer, r.X1, r.Y1, r.X2, r.Y2);
  }
  pass.Finish();
  tool.Results.reserve(taken + 1);
  tool.Run();
  // The results come in from the last to the first, in one add, and are
  // drawn as they lie in the drawing.
  std::vector<RDrawElement> results;
  results.reserve(tool.Results.size());
  for (std::size_t k = tool.Results.size(); k-- > 1;) {
    const RTrimItem& r = tool.Results[k];
    RDrawElement& e = results.emplace_back(ZeroElement());
    e.Kind = kKindLine;
    e.LineType = r.LineType;
    e.ColorNo = r.ColorNo;
    e.Group = r.Group;
    e.Layer = r.Layer;
    e.X1 = r.X1;
    e.Y1 = r.Y1;
    e.X2 = r.X2;
    e.Y2 = r.Y2;
  }
  const std::size_t before = store.Elements.size();
  step.AddEachChecked(results);
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  for (std::size_t i = before; i < store.Elements.size(); ++i) {
    const RDrawElement& e = store.Elements[i];
    if (!MayShow(box, e.X1, e.Y1, e.X2, e.Y2)) continue;
    canvas.Pen.Color = box.PrepareXorColor(PenColourOf(box, e.ColorNo));
    box.DrawLine(e.LineType, canvas, e.X1, e.Y1, e.X2, e.Y2);
    changed.Add(e.X1, e.Y1, e.X2, e.Y2);
  }
  // Where an erased line crossed another, the erase took that pixel too:
  // the changed part of the view is painted again from the drawing.
  if (changed.Any) {
    const double m = 2 / box.Zoom;
    box.RepaintWorldRectFromDrawing(changed.X1 - m, changed.Y1 - m, changed.X2 + m, changed.Y2 + m);
  }
}

void EndBatch(TcadBox& box) {
  box.B_Switch = _off;
  box.ClickKind = 0;
  const RViewRect& v = box.ViewWindow;
  box.Draw1->RefilterDisplayLists(v.Left, v.Bottom, v.Right, v.Top, box.Zoom);
}

void iikatusinFinish(TcadBox& box, std::uint8_t) {
  if (box.B_Switch != on3) return;
  const std::int32_t ref = box.PickedIndex[1];
  if (ValidIndex(box, ref)) {
    Tcommand_a tool(box.Draw1->Elements[static_cast<std::size_t>(ref)], box.SegStart.x, box.SegStart.y, box.SegEnd.x,
                    box.SegEnd.y);
    RunBatch(box, tool, ref, -1);
  }
  EndBatch(box);
}

void iikatuBubunFinish(TcadBox& box, std::uint8_t) {
  if (box.B_Switch != on4) return;
  const std::int32_t ref1 = box.PickedIndex[1], ref2 = box.PickedIndex[2];
  if (ValidIndex(box, ref1) && ValidIndex(box, ref2)) {
    const RDrawElement a = box.Draw1->Elements[static_cast<std::size_t>(ref1)];
    const RDrawElement b = box.Draw1->Elements[static_cast<std::size_t>(ref2)];
    if (a.Kind == kKindLine && b.Kind == kKindLine) {
      Tcommand_b tool(a.X1, a.Y1, a.X2, a.Y2, b.X1, b.Y1, b.X2, b.Y2, box.SegStart.x, box.SegStart.y, box.SegEnd.x,
                      box.SegEnd.y);
      RunBatch(box, tool, ref1, ref2);
    }
  }
  EndBatch(box);
}

void iikatusinCancel(TcadBox& box) {
  if (!ModeIn(box.ButonType, {dtiikatusin, dtiikatuBubun, dtiikatufugo})) return;
  if (FenceEndStep(box)) EraseFence(box);
  box.DeselectAll();
  box.HaniAka_Cyu = false;
}

}  // namespace

void TcadBox::SelectLinesCrossingFence(double x1, double y1, double x2, double y2) {
  Tdrawinp& store = *Draw1;
  for (RDrawElement& e : store.Elements) {
    if (e.Kind != kKindLine || !OnEditableLayer(store, e)) continue;
    if (!MatchesColorTypeFilter(e.ColorNo, e.LineType)) continue;
    if (!SegmentsCross(x1, y1, x2, y2, e.X1, e.Y1, e.X2, e.Y2)) continue;
    HaniAka_Cyu = true;
    e.Selection = 1;
    DrawHighlighted(*this, e);
  }
}

bool TcadBox::ToggleLineSelectionAt(double x, double y) {
  const double t = 8 / (PixelsPerMm * Zoom);
  const double e = 4 / Zoom;
  THitSen picker(x, y, t);
  Tdrawinp& store = *Draw1;
  ForEachListed(store, [&](const RDrawElement& element, std::int32_t index) {
    if (element.Kind != kKindLine || !OnEditableLayer(store, element)) return;
    if (!SegmentTouchesRect(element.X1, element.Y1, element.X2, element.Y2, x - e, y - e / 1.5, x + e, y + e)) return;
    picker.AddCandidate(element, index);
  });
  picker.PickNearest();
  if (!picker.Found || picker.PickedIndex < 0 ||
      static_cast<std::size_t>(picker.PickedIndex) >= store.Elements.size()) {
    return false;
  }
  RDrawElement& picked = store.Elements[static_cast<std::size_t>(picker.PickedIndex)];
  if (picked.Selection == 1) {
    picked.Selection = 0;
    DrawInOwnColour(*this, picked);
  } else {
    picked.Selection = 1;
    DrawHighlighted(*this, picked);
  }
  return true;
}

// The window marking of lines under the line filters, which the split at a
// crossing uses to find the lines near its click.

#include "canvas/cad_box.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/selection_support.h"
#include "geometry/angles_points.h"
#include "geometry/offsets_rects.h"

void TcadBox::MarkFilteredLinesInWindow(bool crossing, double x1, double y1, double x2, double y2) {
  Tdrawinp& store = *Draw1;
  for (const RDisplayEntry& entry : store.DisplayList) {
    if (entry.Index < 0 || static_cast<std::size_t>(entry.Index) >= store.Elements.size()) continue;
    RDrawElement& e = store.Elements[static_cast<std::size_t>(entry.Index)];
    if (!OnEditableLayer(store, e)) continue;
    e.Selection = 0;
    if (e.Kind != kKindLine) continue;
    e.ScratchWord = 0;
    e.ScratchByte = 0;
    if (!SegmentSelectedByRect(crossing, e.X1, e.Y1, e.X2, e.Y2, x1, y1, x2, y2)) continue;
    const bool oblique = SelectionFilter.ObliqueOnly;
    if (!SelectionFilter.Lines && !oblique) continue;
    if (!MatchesColorTypeFilter(e.ColorNo, e.LineType)) continue;
    if (oblique && !IsObliqueDirection(DirectionAngleDeg(e.X1, e.Y1, e.X2, e.Y2))) continue;
    e.Selection = 1;
  }
}

// ---- What the release carries out for the gestures the family arms

namespace {

// The confirm gestures run the batch and go on in the same command.
void iikatusinGesture(TcadBox& box, Sbuttontype code) {
  CommandRegistry().RunFinish("iikatusinFinish", box, 0);
  box.ButonType = code;
  box.PendingGesture = dtNo;
}

void iikatuBubunGesture(TcadBox& box, Sbuttontype code) {
  CommandRegistry().RunFinish("iikatuBubunFinish", box, 0);
  box.ButonType = code;
  box.PendingGesture = dtNo;
}

// The fence is drawn by the host's panel.
void iikatufugoGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  box.ButonType = dtiikatufugo;
  PostHostNotification("TFrame32", 115);
}

}  // namespace
