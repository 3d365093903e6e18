// The point assists: a gesture or a mode interrupts the running command,
// reads a midpoint, a point on a line, an intersection or a point on a
// circle, and hands it back to the interrupted command (SavedMode).
//
// Where the point goes and what the command does with it are said by the
// command's own row (RAssistHooks): its slot rule, the phase run after the
// point was written into the slots, the one run before a midpoint assist
// writes and the one by which a command takes the point of a two-step
// assist itself. A family that says nothing gets nothing.

#include <cmath>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/codepage.h"
#include "geometry/intersections.h"

namespace {
void hitsuruDown(TcadBox& box, TShiftState shift, double x, double y);
void hitsuruUp(TcadBox& box, TShiftState shift, double x, double y);
void Senzyouten2Down(TcadBox& box, TShiftState shift, double x, double y);
void Senzyouten2Up(TcadBox& box, TShiftState shift, double x, double y);
void NitenkanDown(TcadBox& box, TShiftState shift, double x, double y);
void SenZyouTenDown(TcadBox& box, TShiftState shift, double x, double y);
void EnZyouTenDown(TcadBox& box, TShiftState shift, double x, double y);
void EnZyouTenMove(TcadBox& box, TShiftState shift, double x, double y);
void NitenkanUp(TcadBox& box, TShiftState shift, double x, double y);
void SenZyouTenUp(TcadBox& box, TShiftState shift, double x, double y);
void EnZyouTenUp(TcadBox& box, TShiftState shift, double x, double y);
void Senzyouten2Gesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterPointAssistCommands() {
  RegisterFamily({.Name = "Nitenkan", .Modes = {dtNitenkan}, .Down = NitenkanDown, .Up = NitenkanUp});
  RegisterFamily({.Name = "SenZyouTen", .Modes = {dtSenZyouTen}, .Down = SenZyouTenDown, .Up = SenZyouTenUp});
  RegisterFamily(
      {.Name = "EnZyouTen", .Modes = {dtEnZyouTen}, .Down = EnZyouTenDown, .Move = EnZyouTenMove, .Up = EnZyouTenUp});
  RegisterFamily({.Name = "Senzyouten2",
                  .Modes = {dtSenzyouten2},
                  .Down = Senzyouten2Down,
                  .Up = Senzyouten2Up,
                  .GestureActions = {{{dtSenzyouten2}, Senzyouten2Gesture}}});
  RegisterFamily({.Name = "hitsuru", .Modes = {dthitsuru}, .Down = hitsuruDown, .Up = hitsuruUp});
}

namespace {

constexpr RPoint2D kFarPreview{-9000.0, -9000.0};

// The assist hooks of the first family that owns a mode; empty hooks when
// that family has no row.
const RAssistHooks& AssistHooksOf(Sbuttontype mode) {
  static const RAssistHooks none;
  const std::vector<const RCommandFamily*> rows = FamilyRowsOf(mode);
  return rows.empty() ? none : rows.front()->Assist;
}

void RunAssistHook(TcadBox& box, Sbuttontype mode, TPhaseHandler RAssistHooks::*hook) {
  RunHook(AssistHooksOf(mode).*hook, box);
}

const RDrawElement* PickedSlotElement(const TcadBox& box) {
  const std::int32_t index = box.PickedIndex[1];
  const std::vector<RDrawElement>& elements = box.Draw1->Elements;
  if (index < 0 || static_cast<std::size_t>(index) >= elements.size()) return nullptr;
  return &elements[static_cast<std::size_t>(index)];
}

RPoint2D Midpoint(const RPoint2D& a, const RPoint2D& b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

// Writes the handed-back point into the interrupted command's slots and
// restores that command. False when its row takes no point (only the mode
// is restored then).
bool WriteAssistPoint(TcadBox& box, const RPoint2D& p) {
  const Sbuttontype interrupted = box.SavedMode;
  const RAssistSlot slot = AssistSlotOf(box);
  // The line previews are drawn again in their own modes, so the mode comes back first.
  box.ButonType = slot.Restore;
  if (slot.RedrawFirst) RedrawLinePreviews(box);
  if (slot.Pending == nullptr) return false;
  *slot.Pending = p;
  for (RPoint2D* also : slot.Also) *also = p;
  if (slot.SetStep != 0xFF) box.CommandStep = slot.SetStep;
  if (slot.EraseRubber) box.RubberErased = true;
  if (slot.FarPreview) box.PreviewP2 = kFarPreview;
  if (slot.Marker) box.ShowPointMarker(0, p.x, p.y);
  box.AssistPoint = p;
  RunAssistHook(box, interrupted, &RAssistHooks::Point);
  return true;
}

// The slot's present value, the pending point of a midpoint.
RPoint2D PendingPoint(TcadBox& box) {
  const RAssistSlot slot = AssistSlotOf(box);
  return slot.Pending != nullptr ? *slot.Pending : box.PressPoint;
}

void hitsuruDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dthitsuru) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.ClickKind = 0;
    box.AssistRead = false;
    return;
  }
  if (box.AssistRead) return;
  RPoint2D snapped;
  if (box.SnappedPoint(x, y, snapped)) {
    box.AssistReadPoint = box.FreePoint(snapped.x, snapped.y);
    box.AssistRead = true;
  } else {
    box.ClickKind = 0;
  }
}

void hitsuruUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dthitsuru || box.ClickKind == 0 || !box.AssistRead) return;
  // A left click leaves the assist waiting with its point; a right one completes.
  if (box.ClickKind != 3) return;
  const RPoint2D p = Midpoint(PendingPoint(box), box.AssistReadPoint);
  RunAssistHook(box, box.SavedMode, &RAssistHooks::Segment);
  if (!WriteAssistPoint(box, p)) box.ButonType = box.SavedMode;
  box.AssistRead = false;
}

void Senzyouten2Down(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSenzyouten2) return;
  if (box.ViewGestureState != 0) {
    box.AssistRead = false;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.AssistRead) return;
  if (box.ClickKind == 2) {
    box.CurrentPoint = box.FreePoint(x, y);
    box.AssistReadPoint = box.CurrentPoint;
    box.AssistRead = true;
  } else if (box.ClickKind == 3) {
    RPoint2D snapped;
    if (box.SnappedPoint(x, y, snapped)) {
      box.AssistReadPoint = box.FreePoint(snapped.x, snapped.y);
      box.AssistRead = true;
    } else {
      box.ClickKind = 0;
      box.SetGuidePrompt(J(kNoFigureMessage));
    }
  }
}

void Senzyouten2Up(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSenzyouten2) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  if (!box.AssistRead) return;
  const RDrawElement* e = PickedSlotElement(box);
  RPoint2D p = box.AssistReadPoint;
  bool found = true;
  if (e != nullptr && (e->Kind == kKindLine || e->Kind == kKindText)) {
    if (box.ClickKind == 3) {
      found = box.FootOnPickedLine(p.x, p.y);
    } else {
      found = box.IntersectPickedLine(p.x, p.y) || box.FootOnPickedLine(p.x, p.y);
    }
  } else if (e != nullptr && e->Kind == kKindArc) {
    box.NearestPointOnPickedCircle(p.x, p.y);
  }
  if (!found) {
    box.AssistRead = false;
    return;
  }
  if (WriteAssistPoint(box, p)) box.ShowPointMarker(0, p.x, p.y);
  box.AssistRead = false;
}

// The two-step assists, entered by the host: two clicks each, then the
// point goes back into the restored command's handlers.
struct RMidpointAssist {
  RPoint2D First;  // the first click's point, free or snapped
};

void TwoStepAssistDown(TcadBox& box, Sbuttontype mode, TShiftState shift, double x, double y) {
  if (box.ButonType != mode) return;
  if (box.ViewGestureState != 0) {
    box.AssistClickKind = 0;
    return;
  }
  switch (shift) {
    case ssLeft:
    case ssShift | ssLeft:
    case ssCtrl | ssLeft: box.AssistClickKind = 2; break;
    case ssRight:
    case ssShift | ssRight:
    case ssCtrl | ssRight: box.AssistClickKind = 3; break;
    default: break;
  }
  if (box.AssistClickKind == 2) {
    box.AssistPoint = {x, y};
    return;
  }
  if (box.AssistClickKind != 3) return;
  // A right click snaps at the second step; the midpoint assist snaps its
  // first point too.
  if (box.AssistStep == 0 && box.ButonType != dtNitenkan) return;
  double sx = x, sy = y;
  if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
    box.AssistClickKind = 0;
    return;
  }
  box.AssistPoint = {sx, sy};
  box.ShowPointMarker(1, sx, sy);
}

void NitenkanDown(TcadBox& box, TShiftState shift, double x, double y) {
  TwoStepAssistDown(box, dtNitenkan, shift, x, y);
}
void SenZyouTenDown(TcadBox& box, TShiftState shift, double x, double y) {
  TwoStepAssistDown(box, dtSenZyouTen, shift, x, y);
}
void EnZyouTenDown(TcadBox& box, TShiftState shift, double x, double y) {
  TwoStepAssistDown(box, dtEnZyouTen, shift, x, y);
}

// Hands the point back: the restored command takes it at once.
void FinishTwoStepAssist(TcadBox& box, TShiftState shift, double x, double y) {
  box.ButonType = box.SavedMode;
  box.ResumeWithAssistPoint(shift, x, y);
  box.AssistStep = 0;
  box.AssistClickKind = 0;
}

bool TwoStepUpIgnored(TcadBox& box) {
  if (box.ViewGestureState != 0) {
    box.AssistClickKind = 0;
    box.RubberErased = true;
    return true;
  }
  return box.AssistClickKind == 0;
}

void NitenkanUp(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtNitenkan || TwoStepUpIgnored(box)) return;
  RMidpointAssist& state = box.FamilyState<RMidpointAssist>();
  if (box.AssistStep == 0) {
    state.First = box.AssistPoint;
    box.AssistStep = 1;
    return;
  }
  box.AssistPoint = Midpoint(state.First, box.AssistPoint);
  FinishTwoStepAssist(box, shift, x, y);
}

void SenZyouTenUp(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSenZyouTen || TwoStepUpIgnored(box)) return;
  if (box.AssistStep == 0) {
    if (box.AssistClickKind != 2) return;
    std::int32_t index = -1;
    if (box.PickLineOrArc(index, true, box.PressPoint.x, box.PressPoint.y, 0)) {
      box.PickedIndex[1] = index;
      box.AssistStep = 1;
    } else {
      box.AssistStep = 0;
      box.AssistClickKind = 0;
    }
    return;
  }
  box.FootOnPickedLine(box.AssistPoint.x, box.AssistPoint.y);
  FinishTwoStepAssist(box, shift, x, y);
}

void EnZyouTenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtEnZyouTen || box.ViewGestureState != 0) return;
  box.TrackDragGesture(shift, box.ButonType, x, y);
}

void EnZyouTenUp(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtEnZyouTen || TwoStepUpIgnored(box)) return;
  if (box.AssistStep == 0) {
    if (box.AssistClickKind != 2) return;
    std::int32_t index = -1;
    if (box.PickCircleToggle(index, box.PressPoint.x, box.PressPoint.y)) {
      box.PickedIndex[1] = index;
      box.AssistStep = 1;
    }
    return;
  }
  box.NearestPointOnPickedCircle(box.AssistPoint.x, box.AssistPoint.y);
  FinishTwoStepAssist(box, shift, x, y);
}

}  // namespace

RAssistSlot AssistSlotOf(TcadBox& box) {
  const Sbuttontype mode = box.SavedMode;
  RAssistSlot slot;
  slot.Restore = mode;
  const TAssistSlotRule& rule = AssistHooksOf(mode).Slot;
  if (rule) rule(box, mode, slot);
  if (slot.Pending == nullptr) slot.Marker = false;
  return slot;
}

void RangeBaseAssistSlot(TcadBox& box, Sbuttontype goOnIn, RAssistSlot& slot) {
  slot.Pending = &box.FirstPoint;
  slot.Also = {&box.CurrentPoint, &box.SecondPoint};
  slot.EraseRubber = true;
  slot.Restore = goOnIn;
}

void PlacedAtOnceAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = &box.FirstPoint;
  slot.SetStep = 1;
  slot.EraseRubber = true;
}

RPoint2D* SlotBySwitch(TcadBox& box, RPoint2D* off, RPoint2D* one, RPoint2D* other) {
  return box.B_Switch == _off ? off : box.B_Switch == on1 ? one : other;
}

void TcadBox::sencyutenApply(double x, double y) {
  if (ButonType != dtsencyuten || ViewGestureState != 0) return;
  ClickKind = 3;
  if (!WriteAssistPoint(*this, {x, y})) ButonType = SavedMode;
  AssistRead = false;
}

bool TcadBox::FootOnPickedLine(double& x, double& y) {
  const RDrawElement* e = PickedSlotElement(*this);
  if (e == nullptr || (e->Kind != kKindLine && e->Kind != kKindText)) return false;
  return PerpendicularFoot(x, y, e->X1, e->Y1, e->X2, e->Y2, x, y);
}

bool TcadBox::IntersectPickedLine(double& x, double& y) {
  const RDrawElement* e = PickedSlotElement(*this);
  if (e == nullptr) return false;
  const RDrawElement line = *e;
  std::int32_t other = -1;
  if (!PickLineOrArc(other, false, x, y, 1) || other == PickedIndex[1]) return false;
  const RDrawElement& b = Draw1->Elements[static_cast<std::size_t>(other)];
  // A crossing at the drawing's origin is as good as any other.
  return IntersectLines(x, y, line.X1, line.Y1, line.X2, line.Y2, b.X1, b.Y1, b.X2, b.Y2);
}

bool TcadBox::PickCircleToggle(std::int32_t& index, double x, double y) {
  const double tol = 8 / (PixelsPerMm * Zoom);
  for (const RDisplayEntry& entry : Draw1->DisplayList) {
    const RDrawElement* found = Draw1->EntryElement(entry);
    if (found == nullptr || found->Kind != kKindArc ||
        Draw1->LayerState(found->Group, found->Layer) != kLayerEditable) {
      continue;
    }
    if (!PointOnArc(found->X1, found->Y1, found->Radius, found->StartAngle, found->EndAngle, found->Rotation,
                    found->Ratio, x, y, tol)) {
      continue;
    }
    RDrawElement& e = Draw1->Elements[static_cast<std::size_t>(entry.Index)];
    TCanvas& canvas = Canvas();
    canvas.Pen.Mode = pmCopy;
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psSolid;
    if (e.Selection == 1) {
      canvas.Pen.Color = PrepareXorColor(PenColourOf(*this, e.ColorNo));
      DrawArc(e.LineType, canvas, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
      e.Selection = 0;
    } else {
      canvas.Pen.Color = Sentakucol;
      DrawArc(1, canvas, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
      e.Selection = 1;
    }
    // What lies over it in the drawing comes back over it.
    InvalidateElementArea(e);
    index = entry.Index;
    return true;
  }
  return false;
}

void TcadBox::NearestPointOnPickedCircle(double& x, double& y) {
  const std::int32_t index = PickedIndex[1];
  std::vector<RDrawElement>& elements = Draw1->Elements;
  if (index < 0 || static_cast<std::size_t>(index) >= elements.size()) return;
  RDrawElement& e = elements[static_cast<std::size_t>(index)];
  if (Draw1->LayerState(e.Group, e.Layer) != kLayerEditable) return;
  const double cx = e.X1, cy = e.Y1, r = e.Radius;
  PolarPoint(x, y, DirectionAngleDeg(cx, cy, x, y), r, cx, cy);
  e.Selection = 0;
  RingRepaintFlag = true;
  // The whole curve, its rightmost and lowest pixels too.
  InvalidateElementArea(e);
}

void TcadBox::ResumeWithAssistPoint(TShiftState shift, double x, double y) {
  // The restored command takes the point by its own steps, as its row says.
  const TPointHandler& resume = AssistHooksOf(ButonType).Resume;
  if (resume) resume(*this, shift, x, y);
}

// ---- What the release carries out for the gestures the family arms

namespace {

// The point-on-line assist starts on the element under the press.
void Senzyouten2Gesture(TcadBox& box, Sbuttontype) {
  std::int32_t index = -1;
  if (box.PickShownElement(index, false, box.PressPoint.x, box.PressPoint.y)) {
    box.PickedIndex[1] = index;
    box.RefreshRingCursor();
    RedrawLinePreviews(box);
    box.PendingGesture = dtNo;
    box.ButonType = dtSenzyouten2;
  } else {
    box.ShowTopMessage(J(" 線なし  "));
  }
}

}  // namespace
