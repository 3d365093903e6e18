// Centre lines, and dividing lines between two lines by count or by pitch.

#include <algorithm>
#include <cmath>
#include <functional>

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
#include "platform/dialogs.h"
#include "tools/edit/division.h"

namespace {
void SencyusinDown(TcadBox& box, TShiftState shift, double x, double y);
void SencyusinMove(TcadBox& box, TShiftState shift, double x, double y);
void SencyusinUp(TcadBox& box, TShiftState shift, double x, double y);
void Sencyusin2Down(TcadBox& box, TShiftState shift, double x, double y);
void Sencyusin2Move(TcadBox& box, TShiftState shift, double x, double y);
void Sencyusin2Up(TcadBox& box, TShiftState shift, double x, double y);
void Sencyusin2Resume(TcadBox& box, TShiftState, double, double);
void senbunkatuDown(TcadBox& box, TShiftState shift, double x, double y);
void senbunkatuMove(TcadBox& box, TShiftState shift, double x, double y);
void senbunkatuUp(TcadBox& box, TShiftState shift, double x, double y);
void senbunkatupitchDown(TcadBox& box, TShiftState shift, double x, double y);
void senbunkatupitchMove(TcadBox& box, TShiftState shift, double x, double y);
void senbunkatupitchUp(TcadBox& box, TShiftState shift, double x, double y);
void SencyusinAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
}  // namespace

void RegisterConstructionLineCommands() {
  RegisterFamily({.Name = "Sencyusin",
                  .Modes = {dtSencyusin},
                  .Down = SencyusinDown,
                  .Move = SencyusinMove,
                  .Up = SencyusinUp,
                  .Assist = {.Slot = SencyusinAssistSlot}});
  RegisterFamily({.Name = "Sencyusin2",
                  .Modes = {dtSencyusin2},
                  .Down = Sencyusin2Down,
                  .Move = Sencyusin2Move,
                  .Up = Sencyusin2Up,
                  .Assist = {.Resume = Sencyusin2Resume}});
  RegisterFamily({.Name = "senbunkatu",
                  .Modes = {dtsenbunkatu},
                  .Down = senbunkatuDown,
                  .Move = senbunkatuMove,
                  .Up = senbunkatuUp,
                  .Hooks = {.Cursor = CursorPair(36, 37)}});
  RegisterFamily({.Name = "senbunkatupitch",
                  .Modes = {dtsenbunkatupitch},
                  .Down = senbunkatupitchDown,
                  .Move = senbunkatupitchMove,
                  .Up = senbunkatupitchUp,
                  .Hooks = {.Cursor = CursorPair(36, 37)}});
}

namespace {

const char* const kNoHit = "ﾋｯﾄできません";

bool RunsConstructionLines(const TcadBox& box, Sbuttontype mode) {
  return box.ButonType == mode && box.ViewGestureState == 0;
}

// The line stored at a list position, or null for a position outside the
// list or an element that is no line.
const RDrawElement* StoredLine(const TcadBox& box, std::int32_t index) {
  const std::vector<RDrawElement>& elements = box.Draw1->Elements;
  if (index < 0 || static_cast<std::size_t>(index) >= elements.size()) return nullptr;
  const RDrawElement& e = elements[static_cast<std::size_t>(index)];
  return e.Kind == kKindLine ? &e : nullptr;
}

RPoint2D Midpoint(RPoint2D a, RPoint2D b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

// The foot of p on the infinite line through the element's two points.
bool FootOn(const RDrawElement& line, RPoint2D p, RPoint2D& foot) {
  return PerpendicularFoot(foot.x, foot.y, line.X1, line.Y1, line.X2, line.Y2, p.x, p.y);
}

double DirectionOf(const RDrawElement& line) { return DirectionAngleDeg(line.X1, line.Y1, line.X2, line.Y2); }

}  // namespace

// ---- Centre line --------------------------------------------------------------

bool TcadBox::ComputeCentreLine(std::int32_t pairKind, RPoint2D p1, RPoint2D p2) {
  const RDrawElement* line1 = StoredLine(*this, PickedIndex[1]);
  const RDrawElement* line2 = StoredLine(*this, PickedIndex[2]);
  const bool needsLine1 = pairKind == 1 || pairKind == 3;
  const bool needsLine2 = pairKind == 1 || pairKind == 2;
  if ((needsLine1 && !line1) || (needsLine2 && !line2) || pairKind < 1 || pairKind > 4) return false;
  RPoint2D base;
  double angle = 0;
  RPoint2D f1, f2;
  switch (pairKind) {
    case 1: {
      if (!FootOn(*line1, p1, f1) || !FootOn(*line2, p2, f2)) return false;
      RPoint2D crossing;
      bool collinear = false;
      const RDrawElement& a = *line1;
      const RDrawElement& b = *line2;
      if (IntersectLinesOrCollinearEps11e3(crossing.x, crossing.y, collinear, a.X1, a.Y1, a.X2, a.Y2, b.X1, b.Y1, b.X2,
                                           b.Y2)) {
        if (collinear) {
          ShowMessage(J("同一線上は計算できません！"));
          DeselectPickPair();
          ButonType = dtSencyusin;
          B_Switch = _off;
          return false;
        }
        // The bisector of the angle on the picked sides; a mean a half
        // turn off gives the same line.
        base = crossing;
        angle = (DirectionAngleDeg(crossing.x, crossing.y, f1.x, f1.y) +
                 DirectionAngleDeg(crossing.x, crossing.y, f2.x, f2.y)) /
                2;
      } else {
        RPoint2D foot;
        if (!FootOn(b, {a.X1, a.Y1}, foot)) return false;
        base = Midpoint({a.X1, a.Y1}, foot);
        angle = DirectionOf(a);
      }
      break;
    }
    case 2:
      if (!FootOn(*line2, p1, f1)) return false;
      base = Midpoint(p1, f1);
      angle = DirectionOf(*line2);
      break;
    case 3:
      if (!FootOn(*line1, p2, f2)) return false;
      base = Midpoint(p2, f2);
      angle = DirectionOf(*line1);
      break;
    default: {
      base = Midpoint(p1, p2);
      const double d = DirectionAngleDeg(p1.x, p1.y, p2.x, p2.y);
      angle = d >= 90 ? d - 90 : d + 90;
      break;
    }
  }
  RPoint2D along{base.x + 100, base.y};
  RotateAboutCentre(along.x, along.y, angle, base.x, base.y);
  RefLine = {base.x, base.y, along.x, along.y};
  return true;
}

void TcadBox::DeselectPickPair() {
  std::vector<RDrawElement>& elements = Draw1->Elements;
  for (const std::int32_t index : {PickedIndex[1], PickedIndex[2]}) {
    // Only a position of the list names an element of this pair.
    if (index < 0 || static_cast<std::size_t>(index) >= elements.size()) continue;
    RDrawElement& e = elements[static_cast<std::size_t>(index)];
    if (e.Selection != 1) continue;
    e.Selection = 0;
    if (e.Kind == kKindArc) {
      InvalidateWorldRect(e.X1 - e.Radius, e.Y1 - e.Radius, e.X1 + e.Radius, e.Y1 + e.Radius);
    } else {
      InvalidateLineBand(e.X1, e.Y1, e.X2, e.Y2);
    }
  }
  PickedIndex[1] = PickedIndex[2] = -1;
}

namespace {

// How the two references of a centre line were taken (1 line-line, 2
// point-line, 3 line-point, 4 point-point).
struct RCentreLinePickState {
  std::int32_t PickPairKind = 0;
};

std::int32_t& PickPairKind(TcadBox& box) { return box.FamilyState<RCentreLinePickState>().PickPairKind; }

// A snapped point of a right press, marked; false, with the prompt, when
// nothing is near.
bool SnapReference(TcadBox& box, double x, double y, RPoint2D& snapped) {
  double sx = x, sy = y;
  if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
    box.ClickKind = 0;
    box.SetGuidePrompt(J(kNoHit));
    return false;
  }
  snapped = {sx, sy};
  return true;
}

void MarkHit(TcadBox& box, const char* prompt, RPoint2D at) {
  box.SetGuidePrompt(J(prompt));
  box.ShowPointMarker(0, at.x, at.y);
}

void SencyusinDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsConstructionLines(box, dtSencyusin)) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const std::uint8_t click = box.ClickKind;
  RPoint2D snapped;
  if (box.B_Switch == _off) {
    if (click == 2) {
      box.FirstPoint = {x, y};
    } else if (click == 3 && SnapReference(box, x, y, snapped)) {
      box.FirstPoint = box.CurrentPoint = box.SecondPoint = snapped;
      MarkHit(box, "ﾋｯﾄ_1", snapped);
    }
    return;
  }
  if (box.B_Switch != on1) return;
  if (click == 2) {
    box.CurrentPoint = {x, y};
  } else if (click == 3) {
    box.SecondPoint = {x, y};
    if (!SnapReference(box, x, y, snapped)) return;
    if (SameClickPoint(snapped, box.FirstPoint)) {
      box.ClickKind = 0;
      box.SetGuidePrompt(J(kSameAsFirstMessage));
      return;
    }
    box.CurrentPoint = snapped;
    MarkHit(box, "ﾋｯﾄ_2", snapped);
  }
}

void SencyusinMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsConstructionLines(box, dtSencyusin)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  box.SetGuidePrompt(J(box.B_Switch == _off ? kFirstLinePrompt : kSecondLinePrompt));
}

// The second reference taken: the centre line, and its extent is asked for.
void StartCentreLineExtent(TcadBox& box, std::int32_t added) {
  PickPairKind(box) += added;
  if (box.ComputeCentreLine(PickPairKind(box), box.FirstPoint, box.CurrentPoint)) box.ButonType = dtSencyusin2;
  box.B_Switch = _off;
  box.ClickKind = 0;
}

void SencyusinUp(TcadBox& box, TShiftState, double, double) {
  if (!RunsConstructionLines(box, dtSencyusin) || box.ClickKind == 0) return;
  const std::uint8_t click = box.ClickKind;
  if (box.B_Switch == _off) {
    if (click == 2) {
      // Only a line gives a reference: an arc under the click finds nothing.
      const bool found = box.PickLineOrArc(box.PickedIndex[1], true, box.FirstPoint.x, box.FirstPoint.y, 1);
      PickPairKind(box) = 0;
      if (found) {
        box.B_Switch = on1;
      } else {
        box.SetGuidePrompt(J(kNoFigureMessage));
        box.B_Switch = _off;
        box.ClickKind = 0;
      }
    } else if (click == 3) {
      box.B_Switch = on1;
      PickPairKind(box) = 1;
    }
    return;
  }
  if (box.B_Switch != on1) return;
  if (click == 2) {
    if (!box.PickLineOrArc(box.PickedIndex[2], true, box.CurrentPoint.x, box.CurrentPoint.y, 1)) {
      box.SetGuidePrompt(J(kNoFigureMessage));
      box.ClickKind = 0;
      return;
    }
    StartCentreLineExtent(box, 1);
    PickPairKind(box) = 0;
  } else if (click == 3) {
    StartCentreLineExtent(box, 3);
  }
}

// ---- Extent of the centre line -----------------------------------------------

struct RCentreExtentState {
  RPoint2D BandEnd;  // the end of the rubber line on the screen
};

RPoint2D OnCentreLine(const TcadBox& box, RPoint2D p) {
  const RPointPair& c = box.RefLine;
  RPoint2D foot = p;
  PerpendicularFoot(foot.x, foot.y, c.xa, c.ya, c.xb, c.yb, p.x, p.y);
  return foot;
}

void DrawExtentBand(TcadBox& box) {
  const RPoint2D end = box.FamilyState<RCentreExtentState>().BandEnd;
  box.DrawLine(box.Pentyp, box.Canvas(), box.FirstPoint.x, box.FirstPoint.y, end.x, end.y);
}

void Sencyusin2Down(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsConstructionLines(box, dtSencyusin2)) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const bool start = box.CommandStep == 0;
  if (box.ClickKind == 2) {
    box.CurrentPoint = OnCentreLine(box, {x, y});
    if (start) box.FirstPoint = box.CurrentPoint;
    return;
  }
  if (box.ClickKind != 3) return;
  RPoint2D snapped;
  if (!SnapReference(box, x, y, snapped)) return;
  box.CurrentPoint = OnCentreLine(box, snapped);
  if (start) box.FirstPoint = box.CurrentPoint;
  MarkHit(box, start ? "ﾋｯﾄ_1" : "ﾋｯﾄ_2", snapped);
}

void Sencyusin2Move(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsConstructionLines(box, dtSencyusin2)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) return;
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(J(kSnappedStartPointPrompt));
    return;
  }
  box.SetGuidePrompt(J(kSnappedEndPointPrompt));
  if (!NoMouseButtonHeld(shift)) return;
  box.MoveRubberBand(
      box.Sentakucol, false, box.Penwidth, [&box] { DrawExtentBand(box); },
      [&] {
        box.CurrentPoint = OnCentreLine(box, {x, y});
        box.FamilyState<RCentreExtentState>().BandEnd = box.CurrentPoint;
      });
  box.Canvas().Pen.Width = 1;
}

void EraseExtentBand(TcadBox& box) {
  box.EraseOwnRubberBand(box.Sentakucol, false, box.Penwidth, [&box] { DrawExtentBand(box); });
  box.Canvas().Pen.Width = 1;
}

void Sencyusin2Up(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSencyusin2) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.CommandStep == 0) {
    box.CommandStep = 1;
    // No rubber line is on the screen yet.
    box.RubberErased = true;
    return;
  }
  EraseExtentBand(box);
  const RPoint2D a = box.FirstPoint, b = box.CurrentPoint;
  SetCopyPen(box, box.Pencol, box.Pentyp, 1);
  box.DrawLine(box.Pentyp, box.Canvas(), a.x, a.y, b.x, b.y);
  box.AddLineToStore(*box.Draw1, a.x, a.y, b.x, b.y);
  box.CommandStep = 0;
  box.ClickKind = 0;
  box.ButonType = dtSencyusin;
  box.DeselectPickPair();
}

// A point of a two-step assist, taken as a left click at the point: the
// start moves the command to its end step, the end draws the segment.
void Sencyusin2Resume(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSencyusin2) return;
  const RPoint2D p = box.AssistPoint;
  if (box.CommandStep == 0) {
    box.FirstPoint = box.CurrentPoint = p;
    box.ClickKind = 2;
    Sencyusin2Down(box, ssLeft, p.x, p.y);
    box.CommandStep = 1;
    box.RubberErased = true;
    return;
  }
  EraseExtentBand(box);
  box.SecondPoint = p;
  box.ClickKind = 2;
  Sencyusin2Down(box, ssLeft, p.x, p.y);
  Sencyusin2Up(box, ssLeft, p.x, p.y);
}

// ---- Division between two lines ------------------------------------------------

// The two picks of the division commands, left clicks only: the first line
// into slot 1, the second into slot 2, which runs `divide` with both pick
// points and lets both lines go. Only lines are taken: an arc under the
// click finds nothing.
void PickTwoLinesThen(TcadBox& box, const std::function<void()>& divide) {
  if (box.ClickKind != 2) return;
  if (box.B_Switch == _off) {
    const bool found = box.PickLineOrArc(box.PickedIndex[1], true, box.FirstPoint.x, box.FirstPoint.y, 1);
    PickPairKind(box) = 0;
    box.B_Switch = found ? on1 : _off;
    if (!found) {
      box.SetGuidePrompt(J(kNoFigureMessage));
      box.ClickKind = 0;
    }
    return;
  }
  if (box.B_Switch != on1) return;
  if (!box.PickLineOrArc(box.PickedIndex[2], true, box.CurrentPoint.x, box.CurrentPoint.y, 1)) {
    box.SetGuidePrompt(J(kNoFigureMessage));
    box.ClickKind = 0;
    return;
  }
  divide();
  box.B_Switch = _off;
  box.ClickKind = 0;
  box.DeselectElement(box.PickedIndex[1]);
  box.DeselectElement(box.PickedIndex[2]);
}

void DivisionPrompt(TcadBox& box) {
  box.SetGuidePrompt(J(box.B_Switch == _off ? kFirstLinePrompt : kSecondLinePrompt));
}

// The result lines with the current pen, group and layer, drawn and added
// as one undo step; the picked lines lose their highlight.
void AddDivisionLines(TcadBox& box, const std::vector<RToolLine>& lines, const RDrawElement& l1,
                      const RDrawElement& l2) {
  TUndoStep step(*box.Draw1);
  for (const RToolLine& r : lines) {
    RDrawElement e = ZeroElement();
    e.Kind = kKindLine;
    e.LineType = box.Pentyp;
    e.ColorNo = box.Pencol;
    e.Group = box.WriteGrupe_No;
    e.Layer = box.WriteReiya_No;
    e.X1 = r.X1;
    e.Y1 = r.Y1;
    e.X2 = r.X2;
    e.Y2 = r.Y2;
    if (!step.AddChecked(e)) continue;
    SetCopyPen(box, box.Pencol, box.Pentyp, 1);
    box.DrawLine(box.Pentyp, box.Canvas(), e.X1, e.Y1, e.X2, e.Y2);
  }
  // The rectangles of the two lines, with a margin: that of a line along an
  // axis would be empty, and a division line lying on a picked line must
  // show as a redraw shows it.
  const double m = 1.5 / box.Zoom;
  for (const RDrawElement* l : {&l1, &l2}) {
    // By value: std::min and std::max take references, which packed fields cannot give.
    const double x1 = l->X1, y1 = l->Y1, x2 = l->X2, y2 = l->Y2;
    box.InvalidateWorldRect(std::min(x1, x2) - m, std::min(y1, y2) - m, std::max(x1, x2) + m, std::max(y1, y2) + m);
  }
}

// Both picked lines, deselected in the store; false when a slot names no line.
bool TakePickedLines(TcadBox& box, RDrawElement& l1, RDrawElement& l2) {
  const RDrawElement* a = StoredLine(box, box.PickedIndex[1]);
  const RDrawElement* b = StoredLine(box, box.PickedIndex[2]);
  if (!a || !b) return false;
  l1 = *a;
  l2 = *b;
  std::vector<RDrawElement>& elements = box.Draw1->Elements;
  elements[static_cast<std::size_t>(box.PickedIndex[1])].Selection = 0;
  elements[static_cast<std::size_t>(box.PickedIndex[2])].Selection = 0;
  l1.Selection = l2.Selection = 0;
  return true;
}

double WriteGroupScale(const TcadBox& box) { return box.GroupScales[box.WriteGrupe_No % kLayerGroups]; }

void senbunkatuDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsConstructionLines(box, dtsenbunkatu)) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2) return;
  if (box.B_Switch == _off) {
    box.FirstPoint = {x, y};
  } else if (box.B_Switch == on1) {
    box.CurrentPoint = {x, y};
  }
}

void senbunkatuMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!RunsConstructionLines(box, dtsenbunkatu) || box.TrackDragGesture(shift, box.ButonType, x, y)) return;
  DivisionPrompt(box);
}

void senbunkatuUp(TcadBox& box, TShiftState, double, double) {
  if (!RunsConstructionLines(box, dtsenbunkatu)) return;
  PickTwoLinesThen(box, [&box] { box.DivideBetweenLines(box.FirstPoint, box.CurrentPoint); });
}

void senbunkatupitchDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtsenbunkatupitch) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2 && box.ClickKind != 3) return;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = {x, y};
  } else if (box.B_Switch == on1) {
    box.CurrentPoint = {x, y};
  }
}

void senbunkatupitchMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtsenbunkatupitch) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  DivisionPrompt(box);
}

void senbunkatupitchUp(TcadBox& box, TShiftState, double, double) {
  if (!RunsConstructionLines(box, dtsenbunkatupitch)) return;
  PickTwoLinesThen(box, [&box] {
    box.AddLinesBetweenAtPitch(box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
  });
}

}  // namespace

void TcadBox::DivideBetweenLines(RPoint2D p1, RPoint2D p2) {
  RDrawElement l1, l2;
  if (!TakePickedLines(*this, l1, l2)) return;
  // The second line is the tool's first: a graded division crowds towards
  // the line picked last. Each line goes with its own pick point, which
  // tells which of its ends pairs with which end of the other.
  const TKansuobj tool(SetCount, l2.X1, l2.Y1, l2.X2, l2.Y2, l1.X1, l1.Y1, l1.X2, l1.Y2, DivisionRatio, p2.x, p2.y,
                       p1.x, p1.y, WriteGroupScale(*this), false, 0);
  AddDivisionLines(*this, tool.Results, l1, l2);
  RebuildDisplayLists(*this);
}

void TcadBox::AddLinesBetweenAtPitch(double x1, double y1, double x2, double y2) {
  RDrawElement l1, l2;
  if (!TakePickedLines(*this, l1, l2)) return;
  const TKansupitchobj tool(PitchMode, l1.X1, l1.Y1, l1.X2, l1.Y2, l2.X1, l2.Y1, l2.X2, l2.Y2,
                            RealToDrawingLength(DivPitch), x1, y1, x2, y2, WriteGroupScale(*this), false, 0);
  AddDivisionLines(*this, tool.ResultLines, l1, l2);
  RingRepaintFlag = true;
}

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

void SencyusinAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = SlotBySwitch(box, &box.FirstPoint, &box.CurrentPoint, &box.CurrentPoint);
}

}  // namespace
