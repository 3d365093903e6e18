// Corner trim and chamfer, the range drag, the middle cut and the split at
// intersections.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "canvas/cad_box.h"
#include "canvas/nearest_pick.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/framework/selection_support.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"
#include "platform/dialogs.h"
#include "tools/edit/corner_trim.h"
#include "tools/edit/middle_cut.h"

namespace {
void EraseCutWindowOnLeave(TcadBox& box);
std::optional<int> RangeDragCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
void DragguDown(TcadBox& box, TShiftState shift, double x, double y);
void DragguMove(TcadBox& box, TShiftState shift, double x, double y);
void DragguUp(TcadBox& box, TShiftState shift, double x, double y);
void DragguCancel(TcadBox& box);
void tremingDown(TcadBox& box, TShiftState shift, double x, double y);
void tremingMove(TcadBox& box, TShiftState shift, double x, double y);
void tremingUp(TcadBox& box, TShiftState shift, double x, double y);
void MentoriDown(TcadBox& box, TShiftState shift, double x, double y);
void MentoriMove(TcadBox& box, TShiftState shift, double x, double y);
void MentoriUp(TcadBox& box, TShiftState shift, double x, double y);
void SennakanukiDown(TcadBox& box, TShiftState shift, double x, double y);
void SennakanukiMove(TcadBox& box, TShiftState shift, double x, double y);
void SennakanukiUp(TcadBox& box, TShiftState shift, double x, double y);
void SenkotensetuDown(TcadBox& box, TShiftState shift, double x, double y);
void SenkotensetuMove(TcadBox& box, TShiftState shift, double x, double y);
void SenkotensetuUp(TcadBox& box, TShiftState shift, double x, double y);
}  // namespace

void RegisterTrimCommands() {
  RegisterFamily({.Name = "Draggu",
                  .Modes = {dtDraggu},
                  .Down = DragguDown,
                  .Move = DragguMove,
                  .Up = DragguUp,
                  .Cancels = {{"DragguCancel", DragguCancel}},
                  .Hooks = {.Cursor = RangeDragCursor}});
  RegisterFamily({.Name = "treming",
                  .Modes = {dttreming},
                  .Down = tremingDown,
                  .Move = tremingMove,
                  .Up = tremingUp,
                  .Hooks = {.Cursor = CursorPair(6, 16)},
                  .Gestures = {SwallowedDrag(GestureSide::Right, 0), SwallowedDrag(GestureSide::Right, 2),
                               SwallowedDrag(GestureSide::Right, 4)}});
  RegisterFamily({.Name = "Mentori",
                  .Modes = {dtMentori, dtMentori2},
                  .Down = MentoriDown,
                  .Move = MentoriMove,
                  .Up = MentoriUp,
                  .Hooks = {.Cursor = CursorPair(28, 29)}});
  RegisterFamily({.Name = "Sennakanuki",
                  .Modes = {dtSennakanuki},
                  .Down = SennakanukiDown,
                  .Move = SennakanukiMove,
                  .Up = SennakanukiUp,
                  .Hooks = {.Cursor = CursorPair(40, 41)},
                  .Gestures = {SwallowedDrag(GestureSide::Right, 0), SwallowedDrag(GestureSide::Right, 2),
                               SwallowedDrag(GestureSide::Right, 4)}});
  RegisterFamily({.Name = "Senkotensetu",
                  .Modes = {dtSenkotensetu},
                  .Down = SenkotensetuDown,
                  .Move = SenkotensetuMove,
                  .Up = SenkotensetuUp,
                  .Hooks = {.Leave = EraseCutWindowOnLeave}});
}

namespace {

// The range drag's fixed corner: the press of its anchor click.
struct RRangeDragState {
  RPoint2D DragAnchor;
};

constexpr TColor kDragFrameGreen = 0x0000FF00;
constexpr std::int32_t kNoPick = -100;

bool InList(const TcadBox& box, std::int32_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < box.Draw1->Elements.size();
}

RDrawElement& StoredAt(TcadBox& box, std::int32_t index) {
  return box.Draw1->Elements[static_cast<std::size_t>(index)];
}

// The ring goes before a result is drawn, unless leaving the control took it.
void HideRingForResultTrims(TcadBox& box) {
  if (box.LeaveErased) return;
  box.ToggleRingCursor();
  box.RingHidden = true;
}

// Painted over in the background colour with a solid pen of the width;
// what crossed it is painted again from the drawing. Both are the
// picture's: what is shown in XOR over it (the split's capture window)
// stays whole, for its own erase to take it off cleanly.
void EraseShown(TcadBox& box, const RDrawElement& e, int width) {
  TCanvas& canvas = box.Canvas();
  const TCanvas::TPictureDrawing picture(canvas);
  SetBackgroundPen(box);
  canvas.Pen.Width = width;
  if (e.Kind == kKindLine) {
    box.DrawLine(1, canvas, e.X1, e.Y1, e.X2, e.Y2);
  } else if (e.Kind == kKindArc) {
    box.DrawArc(1, canvas, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
  }
  canvas.Pen.Width = 1;
  box.InvalidateElementArea(e);
}

// A result drawn in copy mode, width 1, in its own line type and colour.
void DrawResult(TcadBox& box, const RDrawElement& e) {
  SetCopyPen(box, e.ColorNo, e.LineType, 1);
  TCanvas& canvas = box.Canvas();
  if (e.Kind == kKindLine) {
    box.DrawLine(e.LineType, canvas, e.X1, e.Y1, e.X2, e.Y2);
  } else if (e.Kind == kKindArc) {
    box.DrawArc(e.LineType, canvas, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
  }
}

// The record with the tool's line as its geometry, unselected.
RDrawElement WithLine(RDrawElement e, const RToolLine& line) {
  e.X1 = line.X1;
  e.Y1 = line.Y1;
  e.X2 = line.X2;
  e.Y2 = line.Y2;
  e.Selection = 0;
  return e;
}

RDrawElement WithArc(RDrawElement e, const RToolArc& arc) {
  e.Kind = kKindArc;
  e.X1 = arc.CentreX;
  e.Y1 = arc.CentreY;
  e.Radius = arc.Radius;
  e.Ratio = static_cast<float>(arc.Ratio);
  e.StartAngle = static_cast<float>(arc.StartAngle);
  e.EndAngle = static_cast<float>(arc.EndAngle);
  e.Rotation = static_cast<float>(arc.Rotation);
  e.Selection = 0;
  return e;
}

void LoadLine(Ttremingobj& tool, const RDrawElement& e, std::uint8_t slot) {
  tool.SetLine(e.LineType, e.ColorNo, e.X1, e.Y1, e.X2, e.Y2, e.Group, e.Layer, slot);
}

void LoadArc(Ttremingobj& tool, const RDrawElement& e, std::uint8_t slot) {
  tool.SetArc(e.LineType, e.ColorNo, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation, e.Group,
              e.Layer, slot);
}

// The same record byte for byte, the selection byte aside.
bool SameRecord(RDrawElement a, RDrawElement b) {
  a.Selection = 0;
  b.Selection = 0;
  return std::memcmp(&a, &b, sizeof(RDrawElement)) == 0;
}

// The results are the two picked elements as they stand: storing them
// again would only move them to the end of the list and lose the undo step.
bool ResultsAreThePicks(const std::vector<RDrawElement>& results, const RDrawElement& a, const RDrawElement& b) {
  if (results.size() != 2) return false;
  return (SameRecord(results[0], a) && SameRecord(results[1], b)) ||
         (SameRecord(results[0], b) && SameRecord(results[1], a));
}

// The pair at the two pick slots replaced by the results in one undo step:
// the higher index goes first, so that the lower one still names its
// element. No results, or results that are the picks themselves, change
// nothing: the picks are drawn again as they were.
void ReplacePair(TcadBox& box, const RDrawElement& e1, const RDrawElement& e2,
                 const std::vector<RDrawElement>& results) {
  const std::int32_t i1 = box.PickedIndex[1], i2 = box.PickedIndex[2];
  if (results.empty() || ResultsAreThePicks(results, e1, e2)) {
    DrawInOwnColour(box, e1);
    DrawInOwnColour(box, e2);
    return;
  }
  TUndoStep step(*box.Draw1);
  step.Delete(std::max(i1, i2));
  step.Delete(std::min(i1, i2));
  for (const RDrawElement& r : results) {
    if (step.AddChecked(r)) DrawResult(box, r);
  }
}

// Both slots name two different elements of the list. A slot left by a
// command whose list has changed since is refused.
bool PairPicked(TcadBox& box) {
  const std::int32_t i1 = box.PickedIndex[1], i2 = box.PickedIndex[2];
  if ((i1 < 0 && i2 < 0) || i1 == i2) return false;
  if (InList(box, i1) && InList(box, i2)) return true;
  for (const std::int32_t i : {i1, i2}) {
    if (InList(box, i)) {
      StoredAt(box, i).Selection = 0;
      DrawInOwnColour(box, StoredAt(box, i));
    }
  }
  box.PickedIndex[1] = box.PickedIndex[2] = kNoPick;
  return false;
}

// The chamfer of the lines at the two pick slots, E1 the one at the first
// slot with the pick point a. The range chamfer keeps a longer zero test of
// its segments and makes arcs only for the rounding kinds 2 and 3.
void ChamferPair(TcadBox& box, RPoint2D a, RPoint2D b, bool inRange) {
  if (!PairPicked(box)) return;
  const std::int32_t i1 = box.PickedIndex[1], i2 = box.PickedIndex[2];
  StoredAt(box, i1).Selection = 0;
  StoredAt(box, i2).Selection = 0;
  const RDrawElement e1 = StoredAt(box, i1), e2 = StoredAt(box, i2);
  std::vector<RDrawElement> results;
  if (e1.Kind == kKindLine && e2.Kind == kKindLine) {
    EraseShown(box, e1, 2);
    EraseShown(box, e2, 2);
    Ttremingobj tool(false, a.x, a.y, b.x, b.y, 4 / (box.PixelsPerMm * box.Zoom));
    LoadLine(tool, e1, 0);
    LoadLine(tool, e2, 1);
    const std::uint8_t kind = box.ChamferKind;
    // The tool takes the size before the group's scale.
    const double scale = box.GroupScales[box.WriteGrupe_No % kLayerGroups];
    tool.ChamferCorner(kind, box.RealToDrawingLength(box.ChamferSize), scale);
    if (tool.Status == Ttremingobj::kCollinear) {
      results.push_back(WithLine(e1, tool.ResultLines[0]));
    } else if (tool.Status == Ttremingobj::kMade) {
      results.push_back(WithLine(e1, tool.ResultLines[0]));
      results.push_back(WithLine(e2, tool.ResultLines[1]));
      const double pointTolerance = inRange ? 1e-4 : 1e-5;
      const auto segment = [&](const RToolLine& s) { return WithLine(e2, s); };
      if (kind == 0 || kind == 1) {
        const RToolLine& s = tool.ChamferLines[0];
        const double dx = std::abs(s.X2 - s.X1), dy = std::abs(s.Y2 - s.Y1);
        const bool point =
            inRange ? dx <= pointTolerance && dy <= pointTolerance : dx < pointTolerance && dy < pointTolerance;
        if (!point) results.push_back(segment(s));
      } else if (kind == 4) {
        results.push_back(segment(tool.ChamferLines[0]));
        results.push_back(segment(tool.ChamferLines[1]));
      } else if (kind == 2 || kind == 3 || (kind == 5 && !inRange)) {
        RToolArc arc = tool.ResultArcs[0];
        arc.Ratio = 1.0;
        if (arc.Radius > (inRange ? 1e-5 : 1e-6)) results.push_back(WithArc(e2, arc));
      }
    }
  }
  ReplacePair(box, e1, e2, results);
  box.PickedIndex[1] = box.PickedIndex[2] = kNoPick;
  RebuildDisplayLists(box);
}

}  // namespace

void TcadBox::TrimPair(RPoint2D first, RPoint2D second) {
  HideRingForResultTrims(*this);
  if (!PairPicked(*this)) return;
  const std::int32_t i1 = PickedIndex[1], i2 = PickedIndex[2];
  StoredAt(*this, i1).Selection = 0;
  StoredAt(*this, i2).Selection = 0;
  const RDrawElement e1 = StoredAt(*this, i1), e2 = StoredAt(*this, i2);
  // The tool takes the pair in list order, the higher index first.
  const bool firstIsHigher = i1 > i2;
  const RDrawElement& hi = firstIsHigher ? e1 : e2;
  const RDrawElement& lo = firstIsHigher ? e2 : e1;
  const RPoint2D pHi = firstIsHigher ? first : second, pLo = firstIsHigher ? second : first;
  std::vector<RDrawElement> results;
  const bool curves = (hi.Kind == kKindLine || hi.Kind == kKindArc) && (lo.Kind == kKindLine || lo.Kind == kKindArc);
  if (curves) {
    EraseShown(*this, e1, 3);
    EraseShown(*this, e2, 3);
    Ttremingobj tool(hi.Kind == kKindArc, pHi.x, pHi.y, pLo.x, pLo.y, 4 / Zoom);
    if (hi.Kind == kKindLine && lo.Kind == kKindLine) {
      LoadLine(tool, hi, 0);
      LoadLine(tool, lo, 1);
      tool.TrimLineLine();
      if (tool.Status == Ttremingobj::kCollinear) {
        results.push_back(WithLine(e1, tool.ResultLines[0]));
      } else if (tool.Status == Ttremingobj::kMade) {
        results.push_back(WithLine(hi, tool.ResultLines[0]));
        results.push_back(WithLine(lo, tool.ResultLines[1]));
      }
    } else if (hi.Kind == kKindArc && lo.Kind == kKindArc) {
      LoadArc(tool, hi, 0);
      LoadArc(tool, lo, 1);
      tool.TrimArcArc();
      results.push_back(WithArc(hi, tool.ResultArcs[0]));
      results.push_back(WithArc(lo, tool.ResultArcs[1]));
    } else {
      LoadLine(tool, hi.Kind == kKindLine ? hi : lo, 0);
      LoadArc(tool, hi.Kind == kKindArc ? hi : lo, 0);
      tool.TrimLineArc();
      for (const RDrawElement* e : {&hi, &lo}) {
        results.push_back(e->Kind == kKindLine ? WithLine(*e, tool.ResultLines[0]) : WithArc(*e, tool.ResultArcs[0]));
      }
    }
  }
  ReplacePair(*this, e1, e2, results);
  PickedIndex[1] = PickedIndex[2] = kNoPick;
  RebuildDisplayLists(*this);
}

void TcadBox::ChamferTwoLines(RPoint2D first, RPoint2D second) { ChamferPair(*this, first, second, false); }

void TcadBox::ChamferInRange(double x1, double y1, double x2, double y2) {
  std::int32_t found[2] = {-1, -1};
  RPoint2D outside[2];
  int count = 0;
  std::vector<RDrawElement>& elements = Draw1->Elements;
  for (std::int32_t i = static_cast<std::int32_t>(elements.size()) - 1; i >= 0; --i) {
    RDrawElement& e = elements[static_cast<std::size_t>(i)];
    e.Scratch = 0;
    if (e.Kind != kKindLine || e.LineTag == kLineTagFitting || !OnEditableLayer(*Draw1, e)) continue;
    double sx1 = 0, sy1 = 0, sx2 = 0, sy2 = 0;
    if (ClassifySegmentByRect(e.X1, e.Y1, e.X2, e.Y2, x1, y1, x2, y2, sx1, sy1, sx2, sy2) != 0) continue;
    if (count == 2) {
      count = 3;
      break;
    }
    found[count] = i;
    outside[count] = {sx2, sy2};
    ++count;
  }
  if (count != 2) {
    ShowConfirmation(J("面取りする２つの線の端点側のみ範囲内に入れてください。"));
    return;
  }
  PickedIndex[1] = found[0];
  PickedIndex[2] = found[1];
  ChamferPair(*this, outside[0], outside[1], true);
  HideRingCursor(0);
}

bool TcadBox::SplitLinesAtIntersection(double x, double y, std::uint8_t) {
  Tdrawinp& store = *Draw1;
  const double d = 2 / Zoom;
  MarkFilteredLinesInWindow(true, x - d, y - d, x + d, y + d);
  TSennakanukiobj tool(ZeroElement(), x, y, 3);
  tool.BoxHalfSize = d;
  std::vector<std::int32_t> offered;
  ForEachListed(store, [&](const RDrawElement& e, std::int32_t index) {
    if (e.Selection != 1 || e.Kind != kKindLine) return;
    tool.AddLine(e);
    offered.push_back(index);
  });
  tool.SplitCrossings();
  const bool split = std::any_of(tool.Results.begin(), tool.Results.end(),
                                 [](const RDrawElement& piece) { return piece.Selection == 2; });
  if (!split) {
    // Nothing crossed: the lines stay where they are, unmarked.
    for (const std::int32_t i : offered) StoredAt(*this, i).Selection = 0;
    RebuildDisplayLists(*this);
    return false;
  }
  // Exactly the lines handed to the tool leave the store: a selection
  // outside the view was never offered and stays.
  std::sort(offered.begin(), offered.end(), std::greater<>());
  offered.erase(std::unique(offered.begin(), offered.end()), offered.end());
  for (const std::int32_t i : offered) {
    RDrawElement& e = StoredAt(*this, i);
    e.Selection = 0;
    EraseShown(*this, e, 3);
  }
  TUndoStep step(store);
  step.DeleteDescending(offered);
  TCanvas& canvas = Canvas();
  // The pieces lie in the picture, under the capture window in XOR.
  const TCanvas::TPictureDrawing picture(canvas);
  for (RDrawElement piece : tool.Results) {
    if (piece.Selection == 2) {
      canvas.Pen.Mode = pmCopy;
      canvas.Pen.Style = PenStyles[std::min<std::size_t>(piece.LineType, kLineTypeCount - 1)];
      canvas.Pen.Width = 1;
      canvas.Pen.Color = Sentakucol;
      piece.Selection = 0;
    } else {
      SetCopyPen(*this, piece.ColorNo, piece.LineType, 1);
    }
    if (step.AddChecked(piece)) DrawLine(piece.LineType, canvas, piece.X1, piece.Y1, piece.X2, piece.Y2);
  }
  RebuildDisplayLists(*this);
  return false;
}

bool TcadBox::CutLineMiddle(std::int32_t& index, bool remove, double x, double y) {
  Tdrawinp& store = *Draw1;
  const double d = 4 / Zoom;
  THitSen picker(x, y, 6 / Zoom);
  ForEachListed(store, [&](const RDrawElement& e, std::int32_t i) {
    if (e.Kind == kKindLine && OnEditableLayer(store, e) && LineInPickBox(e, x, y, d)) picker.AddCandidate(e, i);
  });
  picker.PickNearest();
  if (!picker.Found || !InList(*this, picker.PickedIndex)) {
    index = -1;
    return false;
  }
  const std::int32_t k = picker.PickedIndex;
  index = k;
  const RDrawElement target = StoredAt(*this, k);
  TSennakanukiobj tool(target, x, y, remove ? 1 : 0);
  if (!tool.Valid) return false;
  for (std::size_t i = 0; i < store.Elements.size(); ++i) {
    const RDrawElement& e = store.Elements[i];
    if (static_cast<std::int32_t>(i) == k || !OnEditableLayer(store, e)) continue;
    if (e.Kind == kKindLine ? !SelectionFilter.Lines : e.Kind == kKindArc ? !SelectionFilter.Arcs : true) continue;
    if (!MatchesColorTypeFilter(e.ColorNo, e.LineType)) continue;
    const bool sameLook = e.LineType == target.LineType && e.ColorNo == target.ColorNo;
    if ((NakaZokuMusi == 1 || NakaZokuMusi == 3) && sameLook) continue;
    if ((NakaZokuMusi == 2 || NakaZokuMusi == 3) && e.LineType != 1) continue;
    tool.AddCutter(e);
  }
  tool.CutMiddle();
  // One piece over the same two ends is the line itself: nothing to store.
  if (tool.Results.size() == 1) {
    const RDrawElement& r = tool.Results[0];
    const bool same = (r.X1 == target.X1 && r.Y1 == target.Y1 && r.X2 == target.X2 && r.Y2 == target.Y2) ||
                      (r.X1 == target.X2 && r.Y1 == target.Y2 && r.X2 == target.X1 && r.Y2 == target.Y1);
    if (same) return false;
  }
  const bool axis = AlongAnAxis(target);
  if (axis) {
    EraseRingCursor();
    EraseShown(*this, target, 2);
  } else {
    InvalidateLineBand(target.X1, target.Y1, target.X2, target.Y2);
  }
  TUndoStep step(store);
  step.Delete(k);
  for (RDrawElement piece : tool.Results) {
    piece.Selection = 0;
    if (step.AddChecked(piece) && axis) DrawResult(*this, piece);
  }
  // The wide erase also took pixels of the lines crossing it: the band is
  // painted again from the drawing.
  if (axis) InvalidateLineBand(target.X1, target.Y1, target.X2, target.Y2);
  RebuildDisplayLists(*this);
  return true;
}

namespace {

// ---- Corner trim and chamfer ---------------------------------------------------

bool InTrim(const TcadBox& box) { return box.ButonType == dttreming && box.ViewGestureState == 0; }
bool InChamfer(const TcadBox& box) {
  return (box.ButonType == dtMentori || box.ButonType == dtMentori2) && box.ViewGestureState == 0;
}

void PairDown(TcadBox& box, TShiftState shift, double x, double y) {
  box.SetClickKindFrom(shift, TcadBox::ClickRule::ShiftApart);
  const std::uint8_t click = box.ClickKind;
  if (box.B_Switch == _off) {
    if (click == 2 || click == 3 || click == 6 || click == 7) box.FirstPoint = box.CurrentPoint = {x, y};
  } else if (box.B_Switch == on1 && (click == 2 || click == 6)) {
    box.CurrentPoint = {x, y};
  }
}

// A gesture drops the click; otherwise only the prompt of the step.
void PairMove(TcadBox& box, TShiftState shift, double x, double y, const char* firstPrompt, const char* secondPrompt) {
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J(firstPrompt));
  } else if (box.B_Switch == on1) {
    box.SetGuidePrompt(J(secondPrompt));
  }
}

// The first step's right click cuts the element under the cursor, its
// Shift+left click splits the lines crossing there. False when the click
// was none of these.
bool FirstStepTool(TcadBox& box, bool filteredPick) {
  const RPoint2D p = box.FirstPoint;
  if (box.ClickKind == 3) {
    std::int32_t& slot = box.PickedIndex[1];
    const bool found =
        filteredPick ? box.PickFilteredLineOrArc(slot, true, p.x, p.y) : box.PickLineOrArc(slot, true, p.x, p.y, 0);
    if (found) {
      const double d = 0.8 / box.Zoom;
      box.CutElementBetweenPoints(1, p.x + d, p.y + d, p.x - d, p.y - d);
    } else {
      slot = kNoPick;
      box.ClickKind = 0;
    }
    box.B_Switch = _off;
    return true;
  }
  if (box.ClickKind == 6) {
    box.SplitLinesAtIntersection(p.x, p.y, 0);
    box.B_Switch = _off;
    box.ClickKind = 0;
    return true;
  }
  return false;
}

void tremingDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (InTrim(box)) PairDown(box, shift, x, y);
}

void tremingMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InTrim(box)) return;
  PairMove(box, shift, x, y, "1線目指示    [左クリック（1線目）：右クリック（線切断）]",
           "2線目指示    [左クリック（2線目）]");
}

void tremingUp(TcadBox& box, TShiftState, double, double) {
  if (!InTrim(box) || box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    HideRingForResultTrims(box);
    if (FirstStepTool(box, true) || box.ClickKind != 2) return;
    if (box.PickFilteredLineOrArc(box.PickedIndex[1], true, box.FirstPoint.x, box.FirstPoint.y)) {
      box.B_Switch = on1;
      box.SetGuidePrompt(J("1線目ヒット"));
    } else {
      box.PickedIndex[1] = kNoPick;
      box.SetGuidePrompt(J(kNoLineMessage));
      box.B_Switch = _off;
      box.ClickKind = 0;
    }
    return;
  }
  if (box.B_Switch != on1 || box.ClickKind != 2) return;
  std::int32_t& second = box.PickedIndex[2];
  if (box.PickFilteredLineOrArc(second, false, box.CurrentPoint.x, box.CurrentPoint.y) &&
      second != box.PickedIndex[1]) {
    box.TrimPair(box.FirstPoint, box.CurrentPoint);
    box.B_Switch = _off;
    box.GenBan = 47;
  } else {
    second = kNoPick;
    box.ClickKind = 0;
  }
}

void MentoriDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (InChamfer(box)) PairDown(box, shift, x, y);
}

void MentoriMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (InChamfer(box)) PairMove(box, shift, x, y, kFirstLinePrompt, kSecondLinePrompt);
}

void MentoriUp(TcadBox& box, TShiftState, double, double) {
  if (!InChamfer(box) || box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    HideRingForResultTrims(box);
    if (FirstStepTool(box, false) || box.ClickKind != 2) return;
    if (box.PickLine(box.PickedIndex[1], true, box.FirstPoint.x, box.FirstPoint.y)) {
      box.B_Switch = on1;
    } else {
      box.PickedIndex[1] = kNoPick;
      box.B_Switch = _off;
      box.ClickKind = 0;
    }
    return;
  }
  if (box.B_Switch != on1) return;
  HideRingForResultTrims(box);
  if (box.ClickKind != 2) return;
  std::int32_t& second = box.PickedIndex[2];
  if (box.PickLine(second, false, box.CurrentPoint.x, box.CurrentPoint.y) && second != box.PickedIndex[1]) {
    box.ChamferTwoLines(box.FirstPoint, box.CurrentPoint);
    box.B_Switch = _off;
    box.GenBan = 48;
  } else {
    second = kNoPick;
    box.ClickKind = 0;
  }
}

// ---- Range drag ------------------------------------------------------------------

// The green rectangle between the corners in XOR: once shows it, twice
// takes it away.
void XorDragFrame(TcadBox& box, RPoint2D a, RPoint2D b) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Color = kDragFrameGreen;
  canvas.Pen.Width = 1;
  box.DrawFrameRect(1, 0, a.x, a.y, b.x, b.y, 0);
  canvas.Brush.Style = bsClear;
  canvas.Pen.Mode = pmCopy;
}

// The drawing is the same but for the marks the operations may leave on
// elements they looked at.
bool SameElements(const std::vector<RDrawElement>& before, const std::vector<RDrawElement>& after) {
  if (before.size() != after.size()) return false;
  for (std::size_t i = 0; i < before.size(); ++i) {
    RDrawElement a = before[i], b = after[i];
    a.Selection = b.Selection = 0;
    a.Scratch = b.Scratch = 0;
    if (a.Kind == kKindLine) a.ScratchWord = a.ScratchByte = 0;
    if (b.Kind == kKindLine) b.ScratchWord = b.ScratchByte = 0;
    if (std::memcmp(&a, &b, sizeof(RDrawElement)) != 0) return false;
  }
  return true;
}

// The closing click's operation on the rectangle. The interrupted command
// may hold picked indices: their elements lose the highlight first, and
// when the operation changed the list those indices name other elements,
// so the slots are emptied and the command starts again at its first step.
bool RunRangeOperation(TcadBox& box, RPoint2D a, RPoint2D b) {
  const std::uint8_t click = box.ClickKind;
  const bool copying = box.SavedMode == dtCopyZukei || box.SavedMode == dtCopyHenkeiZukei;
  if (click != 2 && click != 3 && click != 6 && click != 7 && click != 8 && click != 9) return false;
  if ((click == 3 || click == 7) && copying) {
    box.HideRingCursor(0);
    return true;
  }
  for (std::size_t slot = 1; slot < box.PickedIndex.size(); ++slot) {
    const std::int32_t i = box.PickedIndex[slot];
    if (!InList(box, i) || StoredAt(box, i).Selection != 1) continue;
    RDrawElement& e = StoredAt(box, i);
    e.Selection = 0;
    if (OnEditableLayer(*box.Draw1, e)) DrawInOwnColour(box, e);
  }
  const std::vector<RDrawElement> before = box.Draw1->Elements;
  const std::array<std::int32_t, 6> slots = box.PickedIndex;
  switch (click) {
    case 2: box.EnvelopeInsideBox(false, a.x, a.y, b.x, b.y); break;
    case 6: box.EnvelopeInsideBox(true, a.x, a.y, b.x, b.y); break;
    case 3: box.EraseInsideBox(false, a.x, a.y, b.x, b.y); break;
    case 7: box.EraseInsideBox(true, a.x, a.y, b.x, b.y); break;
    default: box.ChamferInRange(a.x, a.y, b.x, b.y); break;
  }
  if (SameElements(before, box.Draw1->Elements)) {
    box.PickedIndex = slots;
  } else {
    for (std::size_t slot = 1; slot < box.PickedIndex.size(); ++slot) box.PickedIndex[slot] = -1;
    box.B_Switch = _off;
    box.CommandStep = 0;
  }
  return true;
}

void DragguDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtDraggu) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::ShiftAndCtrlApart);
  const std::uint8_t click = box.ClickKind;
  if (box.DragStage == 1 && (click == 2 || click == 3 || click == 6 || click == 7 || click == 8 || click == 9)) {
    box.AssistPoint = {x, y};
  }
}

void DragguMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtDraggu || box.DragStage != 1) return;
  if (shift != 0 && shift != ssShift && shift != ssCtrl) return;
  const RPoint2D anchor = box.FamilyState<RRangeDragState>().DragAnchor;
  if (!box.RubberErased) XorDragFrame(box, anchor, box.AssistPoint);
  XorDragFrame(box, anchor, {x, y});
  box.AssistPoint = {x, y};
  box.RubberErased = false;
}

void DragguUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtDraggu) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  RRangeDragState& state = box.FamilyState<RRangeDragState>();
  if (box.DragStage == 0) {
    box.DragStage = 1;
    state.DragAnchor = box.PressPoint;
    box.AssistPoint = box.PressPoint;
    // Nothing of the rectangle is on the screen yet.
    box.RubberErased = true;
    return;
  }
  const RPoint2D anchor = state.DragAnchor, corner = box.AssistPoint;
  if (!box.RubberErased) XorDragFrame(box, anchor, corner);
  if (RunRangeOperation(box, anchor, corner)) box.GenBan = 46;
  box.DragStage = 0;
  box.ButonType = box.SavedMode;
  box.SavedMode = dtNo;
  if (box.ButonType == dtMozi) box.FirstPoint = {-90000, 90000};
  box.ClickKind = 0;
  box.RubberErased = true;
  box.CurrentPoint = box.SecondPoint = box.FirstPoint;
  box.PreviewBlock = {};
  box.PreviewRadius = 0.001;
  box.PreviewP1 = {0.01, 0.01};
  box.PreviewP2 = {0.0001, 0.0001};
}

void DragguCancel(TcadBox& box) {
  if (box.ButonType != dtDraggu || box.DragStage != 1) return;
  if (!box.RubberErased) XorDragFrame(box, box.FamilyState<RRangeDragState>().DragAnchor, box.AssistPoint);
  box.DragStage = 0;
  box.ClickKind = 0;
  box.ButonType = box.SavedMode;
  box.SavedMode = dtNo;
}

// With the ring cursor on, the range drag keeps the cursor as it is.
std::optional<int> RangeDragCursor(Sbuttontype, std::uint8_t ringHan, std::uint8_t&) {
  if (ringHan == 0) return 0;
  return std::nullopt;
}

// ---- Middle cut and split at a crossing ---------------------------------------------

bool InMiddleCut(const TcadBox& box) { return box.ButonType == dtSennakanuki && box.ViewGestureState == 0; }
bool InSplit(const TcadBox& box) { return box.ButonType == dtSenkotensetu && box.ViewGestureState == 0; }

void OneClickDown(TcadBox& box, TShiftState shift, double x, double y) {
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.B_Switch == _off && (box.ClickKind == 2 || box.ClickKind == 3)) box.FirstPoint = box.CurrentPoint = {x, y};
}

void SennakanukiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (InMiddleCut(box)) OneClickDown(box, shift, x, y);
}

void SennakanukiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InMiddleCut(box)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  box.SetGuidePrompt(J("線指示　[左クリック-線クリック部分*線残し　右クリック-線クリック部分*線中抜き]"));
}

void SennakanukiUp(TcadBox& box, TShiftState, double, double) {
  if (!InMiddleCut(box) || (box.ClickKind != 2 && box.ClickKind != 3)) return;
  box.CutLineMiddle(box.PickedIndex[1], box.ClickKind == 3, box.FirstPoint.x, box.FirstPoint.y);
}

// The square capture window around p in XOR in the selection colour.
void XorCutWindow(TcadBox& box, RPoint2D p) {
  const double e = 2 / box.Zoom;
  box.SetXorPen(box.Sentakucol, false);
  box.Canvas().Pen.Width = 1;
  box.DrawFrameRect(1, 0, p.x - e, p.y - e, p.x + e, p.y + e, 0);
  box.Canvas().Pen.Mode = pmCopy;
}

void EraseCutWindowOnLeave(TcadBox& box) {
  if (!box.RubberErased) XorCutWindow(box, box.FirstPoint);
  box.RubberErased = true;
}

void SenkotensetuDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (InSplit(box)) OneClickDown(box, shift, x, y);
}

void SenkotensetuMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InSplit(box)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (!box.RubberErased) XorCutWindow(box, box.FirstPoint);
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  box.SetGuidePrompt(J("交点指示　[左クリック：右クリック]"));
  if (!box.RubberErased) XorCutWindow(box, box.FirstPoint);
  XorCutWindow(box, {x, y});
  box.FirstPoint = {x, y};
  box.RubberErased = false;
}

void SenkotensetuUp(TcadBox& box, TShiftState, double, double) {
  if (!InSplit(box) || box.B_Switch != _off || (box.ClickKind != 2 && box.ClickKind != 3)) return;
  box.SplitLinesAtIntersection(box.FirstPoint.x, box.FirstPoint.y, box.ClickKind == 3 ? 1 : 0);
}

}  // namespace
