// Stretching or trimming a line to a point or a boundary line.

#include <cmath>

#include "canvas/cad_box.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/framework/selection_support.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/intersections.h"
#include "tools/edit/offset_stretch.h"

namespace {
void SenSinsyukuDown(TcadBox& box, TShiftState shift, double x, double y);
void SenSinsyukuMove(TcadBox& box, TShiftState shift, double x, double y);
void SenSinsyukuUp(TcadBox& box, TShiftState shift, double x, double y);
void SenSinsyukuResume(TcadBox& box, TShiftState shift, double x, double y);
}  // namespace

void RegisterStretchCommands() {
  RegisterFamily({.Name = "SenSinsyuku",
                  .Modes = {dtSenSinsyuku},
                  .Down = SenSinsyukuDown,
                  .Move = SenSinsyukuMove,
                  .Up = SenSinsyukuUp,
                  .Hooks = {.Cursor = CursorPair(5, 15)},
                  .Assist = {.Resume = SenSinsyukuResume},
                  .Gestures = {SwallowedDrag(GestureSide::Right, 0), SwallowedDrag(GestureSide::Right, 2),
                               SwallowedDrag(GestureSide::Right, 4)}});
}

namespace {

struct RStretchState {
  // A right press at the end step found no snap point: its release looks
  // for a boundary line. Only that press may, not a click a gesture dropped.
  bool BoundaryPending = false;
};

// Two arc angles name the same direction within 0.01 degrees.
bool SameAngle(double a, double b) {
  const double d = std::abs(NormalizeAngle360(a) - NormalizeAngle360(b));
  return d < 0.01 || 360 - d < 0.01;
}

// The old element out and the new one in as one undo step; an element
// the stretch left as it was changes nothing. False when nothing changed
// or the new line was too short to keep.
bool ReplaceStretched(TcadBox& box, std::int32_t index, const RDrawElement& stretched, bool changed) {
  if (!changed) return false;
  TUndoStep step(*box.Draw1);
  step.Delete(index);
  return step.AddChecked(stretched);
}

void StretchLine(TcadBox& box, std::int32_t index, RDrawElement e, TSinsyukuobj& tool) {
  const bool axis = AlongAnAxis(e);
  TCanvas& canvas = box.Canvas();
  if (axis) {
    SetBackgroundPen(box);
    canvas.Pen.Width = 2;
    box.DrawLine(1, canvas, e.X1, e.Y1, e.X2, e.Y2);
    canvas.Pen.Width = 1;
  } else {
    box.InvalidateLineBand(e.X1, e.Y1, e.X2, e.Y2);
  }
  tool.StretchLine(e.LineType, e.ColorNo, e.X1, e.Y1, e.X2, e.Y2, e.Group, e.Layer);
  const RToolLine& r = tool.ResultLine;
  const bool changed = r.X1 != e.X1 || r.Y1 != e.Y1 || r.X2 != e.X2 || r.Y2 != e.Y2;
  e.X1 = r.X1;
  e.Y1 = r.Y1;
  e.X2 = r.X2;
  e.Y2 = r.Y2;
  // An unchanged line is drawn again as it stands: it shows unselected.
  const bool shown = ReplaceStretched(box, index, e, changed) || !changed;
  if (!shown) return;
  if (axis) {
    SetCopyPen(box, e.ColorNo, e.LineType, 1);
    box.DrawLine(e.LineType, canvas, e.X1, e.Y1, e.X2, e.Y2);
  } else {
    box.InvalidateLineBand(e.X1, e.Y1, e.X2, e.Y2);
  }
}

void StretchArc(TcadBox& box, std::int32_t index, RDrawElement e, TSinsyukuobj& tool) {
  // The square about the curve, with a margin: its right and bottom edges
  // would leave the curve's outermost pixels out of the repaint.
  const double cx = e.X1, cy = e.Y1, r = std::abs(e.Radius) + 1.5 / box.Zoom;
  box.InvalidateWorldRect(cx - r, cy - r, cx + r, cy + r);
  tool.StretchArc(e.LineType, e.ColorNo, cx, cy, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation, e.Group,
                  e.Layer);
  const float start = static_cast<float>(tool.ResultArc.StartAngle);
  const float end = static_cast<float>(tool.ResultArc.EndAngle);
  const bool changed = !SameAngle(start, e.StartAngle) || !SameAngle(end, e.EndAngle);
  e.StartAngle = start;
  e.EndAngle = end;
  ReplaceStretched(box, index, e, changed);
  box.InvalidateWorldRect(cx - r, cy - r, cx + r, cy + r);
}

}  // namespace

void TcadBox::StretchToPoint(RPoint2D a, RPoint2D b) {
  const std::int32_t index = PickedIndex[1];
  Tdrawinp& store = *Draw1;
  if (index < 0 || static_cast<std::size_t>(index) >= store.Elements.size()) return;
  if (!LeaveErased) {
    ToggleRingCursor();
    RingHidden = true;
  }
  RDrawElement& stored = store.Elements[static_cast<std::size_t>(index)];
  stored.Selection = 0;
  const RDrawElement e = stored;
  TSinsyukuobj tool(a.x, a.y, b.x, b.y, 4 / Zoom);
  if (e.Kind == kKindLine) {
    StretchLine(*this, index, e, tool);
  } else if (e.Kind == kKindArc) {
    StretchArc(*this, index, e, tool);
  }
  PickedIndex[1] = -100;
  RebuildDisplayLists(*this);
}

namespace {

bool RunsStretch(const TcadBox& box) { return box.ButonType == dtSenSinsyuku; }

void SenSinsyukuDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsStretch(box)) return;
  if (box.ViewGestureState != 0) {
    box.Mhan1 = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  box.Mhan1 = 0;
  RStretchState& state = box.FamilyState<RStretchState>();
  state.BoundaryPending = false;
  const std::uint8_t click = box.ClickKind;
  if (box.B_Switch == _off) {
    if (click == 2) {
      box.FirstPoint = {x, y};
    } else if (click == 3) {
      box.FirstPoint = box.CurrentPoint = {x, y};
      box.Mhan1 = 1;
    }
    return;
  }
  if (box.B_Switch != on1) return;
  if (click == 2) {
    box.CurrentPoint = {x, y};
  } else if (click == 3) {
    double sx = x, sy = y;
    if (box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
      box.CurrentPoint = {sx, sy};
    } else {
      box.CurrentPoint = box.SecondPoint = {x, y};
      box.ClickKind = 0;
      state.BoundaryPending = true;
    }
  }
}

void SenSinsyukuMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsStretch(box) || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    box.Mhan1 = 0;
    box.FamilyState<RStretchState>().BoundaryPending = false;
    return;
  }
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(box.SinsikuTyp == 1 ? J("伸縮線指示 [左クリック（線指定）：右クリック（線切断）]")
                                           : J("伸縮線指示 [左クリック（線指定）：右クリック（線端移動）]"));
  } else if (box.B_Switch == on1) {
    box.SetGuidePrompt(J("伸縮位置指示 [左クリック（自由）：右クリック（点読取り）]"));
  }
}

// The crossing of the picked line with the line under the point, both taken
// as infinite lines. Only lines serve: an arc's centre and radius are no
// line ends, so an arc on either side gives no crossing.
bool CrossingWithBoundary(TcadBox& box, RPoint2D at, RPoint2D& crossing) {
  const std::int32_t index = box.PickedIndex[1];
  const std::vector<RDrawElement>& elements = box.Draw1->Elements;
  if (index < 0 || static_cast<std::size_t>(index) >= elements.size()) return false;
  const RDrawElement picked = elements[static_cast<std::size_t>(index)];
  if (picked.Kind != kKindLine) return false;
  // The filtered line pick copies its find into PickedElement, which is
  // the line command's and stays as it was.
  const RDrawElement kept = box.PickedElement;
  std::int32_t boundaryIndex = -1;
  const bool found = box.PickFilteredLineNearEndFirst(boundaryIndex, false, at.x, at.y);
  const RDrawElement boundary = box.PickedElement;
  box.PickedElement = kept;
  if (!found) return false;
  box.Draw1->Elements[static_cast<std::size_t>(boundaryIndex)].Selection = 0;
  return IntersectLinesEps2e2(crossing.x, crossing.y, picked.X1, picked.Y1, picked.X2, picked.Y2, boundary.X1,
                              boundary.Y1, boundary.X2, boundary.Y2);
}

// A right click at the first step: the line under it is cut there, or
// handed to the line command, which draws it anew from its far end.
void CutOrHandOver(TcadBox& box) {
  if (!box.PickFilteredLineNearEndFirst(box.PickedIndex[3], true, box.FirstPoint.x, box.FirstPoint.y)) {
    box.SetGuidePrompt(J(kNoFigureMessage));
    return;
  }
  box.Mhan1 = 0;
  if (box.SinsikuTyp == 1) {
    box.PickedIndex[1] = box.PickedIndex[3];
    const double d = 0.8 / box.Zoom;
    const RPoint2D p = box.FirstPoint;
    box.CutElementBetweenPoints(1, p.x + d, p.y + d, p.x - d, p.y - d);
    return;
  }
  box.CommandStep = 1;
  box.FirstPoint = box.CurrentPoint = {box.PickedElement.X1, box.PickedElement.Y1};
  // No rubber line is on the screen yet.
  box.RubberErased = true;
  box.ButonType = dtSen;
}

void SenSinsyukuUp(TcadBox& box, TShiftState, double, double) {
  if (!RunsStretch(box)) return;
  if (box.ViewGestureState != 0) {
    box.Mhan1 = 0;
    return;
  }
  RStretchState& state = box.FamilyState<RStretchState>();
  const std::uint8_t click = box.ClickKind;
  if (box.B_Switch == on1) {
    if (click != 0) {
      box.StretchToPoint(box.FirstPoint, box.CurrentPoint);
      box.B_Switch = _off;
      box.ClickKind = 0;
      return;
    }
    if (!state.BoundaryPending) return;
    state.BoundaryPending = false;
    RPoint2D crossing;
    if (CrossingWithBoundary(box, box.CurrentPoint, crossing)) {
      box.CurrentPoint = crossing;
      box.DeselectElement(box.PickedIndex[1]);
      box.StretchToPoint(box.FirstPoint, box.CurrentPoint);
      box.B_Switch = _off;
    }
    box.Mhan1 = 0;
    return;
  }
  if (box.B_Switch != _off) return;
  if (click == 2) {
    box.B_Switch = box.PickFilteredLineOrArc(box.PickedIndex[1], true, box.FirstPoint.x, box.FirstPoint.y) ? on1 : _off;
    return;
  }
  if (click != 3) return;
  CutOrHandOver(box);
  box.B_Switch = _off;
  box.ClickKind = 0;
}

// A point of a two-step assist is the end point of the stretch, taken as
// a free click once the line is picked.
void SenSinsyukuResume(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.B_Switch != on1) return;
  box.CurrentPoint = box.AssistPoint;
  box.ClickKind = 2;
  ReEnterUp(box, dtSenSinsyuku, shift, x, y);
}

}  // namespace
