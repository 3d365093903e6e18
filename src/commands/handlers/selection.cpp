// Deleting elements, window and crossing range selections and the polygon
// range selection.

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/framework/selection_support.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/codepage.h"
#include "geometry/intersections.h"
#include "platform/host_notifications.h"
#include "tools/edit/curves.h"

namespace {
void SenDelDown(TcadBox& box, TShiftState shift, double x, double y);
void SenDelMove(TcadBox& box, TShiftState shift, double x, double y);
void SenDelUp(TcadBox& box, TShiftState shift, double x, double y);
void SenDelCancel(TcadBox& box);
void HaniDown(TcadBox& box, TShiftState shift, double x, double y);
void HaniMove(TcadBox& box, TShiftState shift, double x, double y);
void HaniUp(TcadBox& box, TShiftState shift, double x, double y);
void HaniCancel(TcadBox& box);
void HanipgDown(TcadBox& box, TShiftState shift, double x, double y);
void HanipgMove(TcadBox& box, TShiftState shift, double x, double y);
void HanipgUp(TcadBox& box, TShiftState shift, double x, double y);
void HanipgCancel(TcadBox& box);
void HanipgRedraw(TcadBox& box);
void EraseWindowRangeOnLeave(TcadBox& box);
void ErasePolygonRangeOnLeave(TcadBox& box);
std::optional<int> WindowRangeCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
std::optional<int> PolygonRangeCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
void HaniAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void HanipgAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
bool RangeHeld(const TcadBox& box);
bool RangeOpen(const TcadBox& box);
void HaniGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterSelectionCommands() {
  RegisterFamily({.Name = "SenDel",
                  .Modes = {dtSenDel},
                  .Down = SenDelDown,
                  .Move = SenDelMove,
                  .Up = SenDelUp,
                  .Cancels = {{"SenDelCancel", SenDelCancel}},
                  .Hooks = {.Cursor = CursorPair(7, 17)}});
  RegisterFamily(
      {.Name = "Hani",
       .Modes = {dtHani, dtHaniCopy, dtHaniMove, dtHaniParamet, dtHaniGaibu},
       .Down = HaniDown,
       .Move = HaniMove,
       .Up = HaniUp,
       .Cancels = {{"HaniCancel", HaniCancel}},
       .Hooks = {.Leave = EraseWindowRangeOnLeave, .Cursor = WindowRangeCursor},
       .Assist = {.Slot = HaniAssistSlot},
       .Gestures = {ConfirmGesture(GestureSide::Left, dtHani, {dtHani, dtHaniGaibu}, RangeHeld),
                    ConfirmGesture(GestureSide::Left, dtHaniCopy, {dtHaniCopy}, RangeHeld, kConfirmCopy),
                    ConfirmGesture(GestureSide::Left, dtHaniMove, {dtHaniMove, dtHaniParamet}, RangeHeld, kConfirmCopy),
                    SwallowedDrag(GestureSide::Right, 0, {dtHani, dtHaniGaibu}),
                    SwallowedDrag(GestureSide::Right, 0, {dtHaniCopy, dtHaniMove, dtHaniParamet}, RangeOpen),
                    SwallowedDrag(GestureSide::Right, 2, {dtHani, dtHaniGaibu}),
                    ConfirmGesture(GestureSide::Right, dtHaniCopy, {dtHaniCopy, dtHaniMove, dtHaniParamet}, RangeHeld,
                                   kConfirmSnapped),
                    SwallowedDrag(GestureSide::Right, 2, {dtHaniCopy, dtHaniMove, dtHaniParamet}, RangeOpen),
                    SwallowedDrag(GestureSide::Right, 4, {dtHani, dtHaniGaibu}),
                    SwallowedDrag(GestureSide::Right, 4, {dtHaniCopy, dtHaniMove, dtHaniParamet}, RangeOpen)},
       .GestureActions = {{{dtHani}, HaniGesture}}});
  RegisterFamily({.Name = "Hanipg",
                  .Modes = {dtHanipg, dtHanipgc, dthanipgm},
                  .Down = HanipgDown,
                  .Move = HanipgMove,
                  .Up = HanipgUp,
                  .Cancels = {{"HanipgCancel", HanipgCancel}},
                  .Redraws = {{"HanipgRedraw", HanipgRedraw}},
                  .Hooks = {.Leave = ErasePolygonRangeOnLeave, .Cursor = PolygonRangeCursor},
                  .Assist = {.Slot = HanipgAssistSlot},
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtHani, {dtHanipg}, RangeHeld),
                               ConfirmGesture(GestureSide::Left, dtHaniCopy, {dtHanipgc}, RangeHeld, kConfirmCopy),
                               ConfirmGesture(GestureSide::Left, dtHaniMove, {dthanipgm}, RangeHeld, kConfirmCopy),
                               SwallowedDrag(GestureSide::Right, 0, {dtHanipgc, dthanipgm}, RangeOpen),
                               SwallowedDrag(GestureSide::Right, 2, {dtHanipg}),
                               ConfirmGesture(GestureSide::Right, dtHaniCopy, {dtHanipgc}, RangeHeld, kConfirmSnapped),
                               SwallowedDrag(GestureSide::Right, 2, {dthanipgm}, RangeOpen),
                               SwallowedDrag(GestureSide::Right, 4, {dtHanipg}),
                               SwallowedDrag(GestureSide::Right, 4, {dtHanipgc, dthanipgm}, RangeOpen)}});
}

namespace {

// ---- Element delete and partial erase ---------------------------------------

void SenDelDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSenDel || box.ViewGestureState != 0) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const bool end = box.B_Switch == on2;
  if (box.ClickKind == 2) {
    if (end) {
      box.CurrentPoint = {x, y};
    } else {
      box.FirstPoint = box.CurrentPoint = {x, y};
    }
  } else if (box.ClickKind == 3) {
    RPoint2D p;
    if (!box.SnappedPoint(x, y, p)) {
      box.SetGuidePrompt(J(kNoFigureMessage));
      box.ClickKind = 0;
      return;
    }
    (end ? box.CurrentPoint : box.FirstPoint) = p;
  }
}

void SenDelMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSenDel || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  switch (box.B_Switch) {
    case _off: box.SetGuidePrompt(J("左クリック[部分消去線始点指示]：右クリック[消去線指示]")); break;
    case on1: box.SetGuidePrompt(J("部分消去線始点指示    [左クリック（自由）：右クリック（点読取り）]")); break;
    case on2: box.SetGuidePrompt(J("部分消去線終点指示    [左クリック（自由）：右クリック（点読取り）]")); break;
    default: break;
  }
}

void HideRingForResult(TcadBox& box) {
  box.ToggleRingCursor();
  box.RingHidden = true;
}

void SenDelUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSenDel || box.ViewGestureState != 0 || box.ClickKind == 0) return;
  switch (box.B_Switch) {
    case _off:
      if (box.ClickKind == 3) {
        box.DeleteElementAt(box.FirstPoint.x, box.FirstPoint.y);
      } else if (box.ClickKind == 2 &&
                 box.PickFilteredLineOrArc(box.PickedIndex[1], true, box.FirstPoint.x, box.FirstPoint.y)) {
        box.B_Switch = on1;
      }
      break;
    case on1:
      HideRingForResult(box);
      box.B_Switch = on2;
      break;
    case on2:
      HideRingForResult(box);
      box.CutElementBetweenPoints(0, box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
      box.B_Switch = _off;
      box.ClickKind = 0;
      break;
    default: break;
  }
}

void SenDelCancel(TcadBox& box) {
  if (box.ButonType != dtSenDel) return;
  box.B_Switch = _off;
  box.ClickKind = 0;
}

// ---- Window and crossing ranges ----------------------------------------------

bool InWindowRange(const TcadBox& box) {
  return ModeIn(box.ButonType, {dtHani, dtHaniCopy, dtHaniMove, dtHaniParamet, dtHaniGaibu});
}

// Every range mode whose frame the range cancel takes away.
bool InAnyRange(const TcadBox& box) {
  return ModeIn(box.ButonType, {dtHani, dtHaniDel, dtHaniCopy, dtHaniMove, dtHaniGai, dtHaniParamet, dtKiritoriHani,
                                dtHaniCopyGai, dtKiritorisakuzyo, dtHaniGaibu});
}

constexpr int kSelectionChanged = 106;

void EraseRangeFrame(TcadBox& box) {
  if (!box.RubberErased) XorRangeFrame(box, box.FirstPoint, box.CurrentPoint);
  box.RubberErased = true;
}

void HaniDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InWindowRange(box) || box.ViewGestureState != 0) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::ShiftApart);
  const bool left = box.ClickKind == 2 || box.ClickKind == 6;
  const bool right = box.ClickKind == 3 || box.ClickKind == 7;
  if (box.CommandStep == 0) {
    if (left) {
      box.FirstPoint = box.CurrentPoint = {x, y};
    } else if (right) {
      box.PickPoint = {x, y};
      box.FirstPoint = box.CurrentPoint = {x, y};
      // A right click toggles the element under the press itself; only a
      // range it starts begins at the snapped point.
      double sx = x, sy = y;
      if (box.Draw1->SnapPoint(sx, sy, box.Zoom, 10, box.GridObj.Lines)) {
        box.FirstPoint = box.CurrentPoint = box.FreePoint(sx, sy);
      }
    }
  } else if (left) {
    box.SecondPoint = {x, y};
    box.RangeAction = 2;
  } else if (right) {
    box.PickPoint = {x, y};
    box.RangeAction = 3;
    box.SecondPoint = {x, y};
  }
}

void HaniMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InWindowRange(box) || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.CommandStep == 1) {
      // A drag while the frame shows drops the range.
      if (!box.RubberErased) {
        XorRangeFrame(box, box.FirstPoint, box.CurrentPoint);
        box.CommandStep = 0;
      }
      box.RubberErased = true;
    }
    box.ClickKind = 0;
    return;
  }
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(
        J("範囲指示 [始点左->終点左ｸﾘｯｸ(範囲選択)/始点左->終点右ｸﾘｯｸ(範囲ｷｬﾝｾﾙ)/個別選択 右ｸﾘｯｸで選択・解除]"));
    return;
  }
  box.SetGuidePrompt(J("範囲開始　[左->左ｸﾘｯｸ（範囲選択)/左->右ｸﾘｯｸ(範囲ｷｬﾝｾﾙ）]"));
  // The frame follows the cursor whatever is held.
  if (!box.RubberErased) XorRangeFrame(box, box.FirstPoint, box.CurrentPoint);
  box.RubberErased = false;
  box.CurrentPoint = {x, y};
  XorRangeFrame(box, box.FirstPoint, box.CurrentPoint);
}

void HaniUp(TcadBox& box, TShiftState, double, double) {
  if (!InWindowRange(box) || !RangeClickReleased(box)) return;
  if (box.CommandStep == 0) {
    if (box.ClickKind == 3) {
      if (box.ToggleSelectElementAt(box.PickedIndex[1], box.PickPoint.x, box.PickPoint.y)) {
        PostHostNotificationChain({"TFrame10", "TFrame18", "TFrame11", "TFrame20", "TFrame22", "TFrame26", "TFrame27",
                                   "TFrame29", "TFrame17", "TFrame33"},
                                  kSelectionChanged);
      }
    } else {
      box.CommandStep = 1;
    }
    box.ClickKind = 0;
    return;
  }
  // A frame the cursor took away on leaving is not drawn back.
  EraseRangeFrame(box);
  const RPoint2D a = box.FirstPoint, b = box.SecondPoint;
  const bool stretch = box.ButonType == dtHaniParamet;
  if (box.RangeAction == 2) {
    if (stretch) {
      box.SelectParametricRange(a.x, a.y, b.x, b.y);
    } else {
      box.SelectWindowRange(box.ClickKind == 6 || box.bubunhan, a.x, a.y, b.x, b.y);
    }
  } else if (box.RangeAction == 3) {
    box.DeselectWindowRange(box.ClickKind == 7 || box.bubunhan, a.x, a.y, b.x, b.y);
  }
  box.CommandStep = 0;
  box.ClickKind = 0;
  box.RangeAction = 0;
  box.ParametricSelection = stretch;
  if (box.HaniAka_Cyu) {
    PostHostNotificationChain({"TFrame10", "TFrame18", "TFrame11", "TFrame20", "TFrame22", "TFrame33", "TFrame26",
                               "TFrame27", "TFrame17", "TFrame4"},
                              kSelectionChanged);
  }
}

// Every cancel drops a shown selection, whatever runs; a range mode also
// takes its frame away.
void HaniCancel(TcadBox& box) {
  if (box.HaniAka_Cyu) box.DeselectAll();
  if (!InAnyRange(box) || box.CommandStep != 1) return;
  EraseRangeFrame(box);
  box.FirstPoint = box.CurrentPoint;
  box.CommandStep = 0;
  box.ClickKind = 0;
  box.RangeAction = 0;
}

// Every window range but the stretch range erases its frame on leaving.
void EraseWindowRangeOnLeave(TcadBox& box) {
  if (box.ButonType != dtHaniParamet) EraseRangeFrameOnLeave(box);
}

std::optional<int> WindowRangeCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  switch (mode) {
    case dtHani:
    case dtHaniGaibu: return RangeSelectCursor(mode, ringHan, cursorHan);
    case dtHaniParamet: return ringHan == 0 ? 32 : 33;
    default: return RangeVariantCursor(mode, ringHan, cursorHan);
  }
}

// ---- Polygon range -------------------------------------------------------------

// How far to the right of a point the ray of the inside test reaches.
constexpr double kRayReach = 500000;

// The closed polygon of a vertex list's edge list, asked whether a point
// lies inside and whether a segment crosses an edge.
class TPolygonTest {
 public:
  explicit TPolygonTest(const TSupuLineobj& v) {
    const std::size_t last = std::min(v.Elements.size(), static_cast<std::size_t>(std::max(v.PointCount, 0)) + 1);
    for (std::size_t k = 1; k < last; ++k) {
      const RDrawElement& e = v.Elements[k];
      if (e.Kind != kKindLine) continue;
      const REdge edge{e.X1, e.Y1, e.X2, e.Y2};
      edges_.push_back(edge);
      minX_ = std::min({minX_, edge.ax, edge.bx});
      maxX_ = std::max({maxX_, edge.ax, edge.bx});
      minY_ = std::min({minY_, edge.ay, edge.by});
      maxY_ = std::max({maxY_, edge.ay, edge.by});
    }
    scale_ = std::max({std::abs(minX_), std::abs(maxX_), std::abs(minY_), std::abs(maxY_)});
  }

  // The ray from the point to the right crosses an odd number of edges. An
  // edge counts when exactly one of its ends lies above the ray's line, so
  // a ray through a vertex counts the two edges meeting there once between
  // them, and an edge along the ray never counts.
  bool Inside(double px, double py) const {
    if (!(py >= minY_ && py < maxY_ && px <= maxX_ && px + kRayReach >= minX_)) return false;
    bool inside = false;
    for (const REdge& e : edges_) {
      if ((e.ay > py) == (e.by > py)) continue;
      const double x = e.ax + (py - e.ay) * (e.bx - e.ax) / (e.by - e.ay);
      if (x >= px && x <= px + kRayReach) inside = !inside;
    }
    return inside;
  }

  bool Crosses(const RPointPair& s) const {
    for (const REdge& e : edges_) {
      if (SegmentsCross(s.xa, s.ya, s.xb, s.yb, e.ax, e.ay, e.bx, e.by)) return true;
    }
    return false;
  }

  // Both ends inside, or with crossing the segment crosses an edge; of the
  // test segments the first that passes takes the element.
  bool Holds(const RDrawElement& e, bool crossing) const {
    if (e.Kind == kKindRect) {
      // By the four lines it is drawn with: all of them inside, or with
      // crossing any one of them taken.
      int taken = 0;
      for (const RDrawElement& side : RectangleSides(e)) {
        if (Takes({side.X1, side.Y1, side.X2, side.Y2}, crossing)) ++taken;
      }
      return crossing ? taken > 0 : taken == 4;
    }
    if (e.Kind != kKindArc) {
      const bool point = e.Kind == kKindPoint;
      return Takes({e.X1, e.Y1, point ? e.X1 : e.X2, point ? e.Y1 : e.Y2}, crossing);
    }
    const RTestSegments t = WindowTestSegments(e, crossing);
    for (int i = 0; i < t.Count; ++i) {
      if (Takes(t.Segment[static_cast<std::size_t>(i)], crossing)) return true;
    }
    return false;
  }

 private:
  struct REdge {
    double ax, ay, bx, by;
  };

  // A segment apart from the polygon's box has neither an end inside nor
  // an edge to cross; most of a drawing is turned away here.
  bool Takes(const RPointPair& s, bool crossing) const {
    if (FarFrom(s)) return false;
    if (Inside(s.xa, s.ya) && Inside(s.xb, s.yb)) return true;
    return crossing && Crosses(s);
  }

  // Apart from the polygon's box by more than rounding could bridge.
  bool FarFrom(const RPointPair& s) const { return SegmentFarFromBox(s, minX_, minY_, maxX_, maxY_, scale_); }

  std::vector<REdge> edges_;
  double minX_ = HUGE_VAL, maxX_ = -HUGE_VAL, minY_ = HUGE_VAL, maxY_ = -HUGE_VAL;
  double scale_ = 0;
};

// The deselection takes lines by the lines flag alone, oblique or not.
bool TakenByPolygonDeselection(const TcadBox& box, const RDrawElement& e) {
  if (e.Kind == kKindLine) return box.SelectionFilter.Lines && box.MatchesColorTypeFilter(e.ColorNo, e.LineType);
  return TakenByWindowKindRule(box, e);
}

}  // namespace

void TcadBox::SelectInPolygon(bool crossing) {
  const TSupuLineobj* v = Tool(ToolSlot::PolygonObj).Get<TSupuLineobj>();
  if (v == nullptr) return;
  const TPolygonTest polygon(*v);
  Tdrawinp& store = *Draw1;
  std::vector<RDrawElement>& elements = store.Elements;
  std::vector<bool> taken(elements.size(), false);
  bool selected = false;
  TChangedArea area;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    RDrawElement& e = elements[i];
    if (e.Scratch != 0) {
      // A selected line drawn dashed for its stretch mark shows solid again.
      if (e.Kind == kKindLine && e.Selection == 1 && (e.Scratch == 1 || e.Scratch == 2)) area.Add(*this, e);
      e.Scratch = 0;
    }
    if (!OnEditableLayer(store, e)) continue;
    if (e.Selection == 10) e.Selection = 0;
    if (e.Kind == kKindLine && (e.ScratchWord != 0 || e.ScratchByte != 0)) {
      e.ScratchWord = 0;
      e.ScratchByte = 0;
    }
    if (!TakenByWindowKindRule(*this, e) || !polygon.Holds(e, crossing)) continue;
    e.Selection = 1;
    taken[i] = true;
    selected = true;
  }
  // Only the elements in view are drawn; a selection out of view counts
  // as shown all the same, so that a cancel withdraws it.
  for (const RDisplayEntry& entry : store.DisplayList) {
    const auto index = static_cast<std::size_t>(entry.Index);
    if (entry.Index >= 0 && index < elements.size() && taken[index]) area.Add(*this, elements[index]);
  }
  area.Repaint(*this);
  if (selected) HaniAka_Cyu = true;
}

void TcadBox::DeselectInPolygon(bool crossing) {
  const TSupuLineobj* v = Tool(ToolSlot::PolygonObj).Get<TSupuLineobj>();
  if (v == nullptr) return;
  const TPolygonTest polygon(*v);
  TChangedArea area;
  for (RDrawElement& e : Draw1->Elements) {
    // An element never selected has nothing to withdraw.
    if (e.Selection == 0 || !OnEditableLayer(*Draw1, e)) continue;
    if (!TakenByPolygonDeselection(*this, e) || !polygon.Holds(e, crossing)) continue;
    e.Selection = 0;
    if (e.Kind == kKindLine) e.Scratch = 0;
    area.Add(*this, e);
  }
  area.Repaint(*this);
}

namespace {

constexpr int kVertexTaken = 119;

bool InPolygonRange(const TcadBox& box) { return ModeIn(box.ButonType, {dtHanipg, dtHanipgc, dthanipgm}); }

TSupuLineobj* PolygonOf(TcadBox& box) { return box.Tool(ToolSlot::PolygonObj).Get<TSupuLineobj>(); }

TSupuLineobj& HeldPolygon(TcadBox& box) {
  if (TSupuLineobj* v = PolygonOf(box)) return *v;
  return box.Tool(ToolSlot::PolygonObj).Emplace<TSupuLineobj>();
}

struct RPolygonRangeState {
  bool PolygonDeselect = false;  // the second vertex was not a plain left click
};

void PostToRangePanel(int n) { PostHostNotificationChain({"TFrame11", "TFrame10"}, n); }

void DrawLineTo(TcadBox& box, RPoint2D a, RPoint2D b) { box.DrawLine(1, box.Canvas(), a.x, a.y, b.x, b.y); }

// The rubber edges run from the last vertex and, once there are two, from
// the first vertex to LastVertex; every overdraw of the polygon draws its
// edges the same way round, so that it covers them pixel for pixel.
void XorRubberEdges(TcadBox& box) {
  const TSupuLineobj* v = PolygonOf(box);
  if (v == nullptr || v->PointCount == 0) return;
  SetVertexListPen(box, pmXor);
  DrawLineTo(box, VertexOf(*v, v->PointCount), box.LastVertex);
  if (v->PointCount >= 2) DrawLineTo(box, VertexOf(*v, 1), box.LastVertex);
  box.Canvas().Pen.Mode = pmCopy;
}

// A shown edge painted over in the background colour; what it crossed is
// painted again from the drawing.
void PaintOverEdge(TcadBox& box, RPoint2D a, RPoint2D b) {
  SetBackgroundPen(box);
  DrawLineTo(box, a, b);
  box.InvalidateLineBand(a.x, a.y, b.x, b.y);
}

// The edges between the vertices, painted over.
void PaintOverVertexPolyline(TcadBox& box, const TSupuLineobj& v) {
  for (std::int32_t k = 1; k < v.PointCount; ++k) PaintOverEdge(box, VertexOf(v, k), VertexOf(v, k + 1));
}

// The applied polygon painted over and forgotten.
void HanipgStep(TcadBox& box) {
  TSupuLineobj* v = PolygonOf(box);
  if (v == nullptr) return;
  v->BuildPolygonEdges();
  PaintOverVertexPolyline(box, *v);
  if (v->PointCount >= 1) PaintOverEdge(box, VertexOf(*v, 1), box.LastVertex);
  box.B_Switch = _off;
  box.Tool(ToolSlot::PolygonObj).Free();
}

void HanipgDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InPolygonRange(box)) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::ShiftAndCtrlApart);
  switch (box.B_Switch) {
    case _off:
      box.FirstPoint = box.CurrentPoint = box.SecondPoint = box.LastVertex = {x, y};
      box.RangeAction = box.ClickKind;
      break;
    case on1: box.SecondPoint = {x, y}; break;
    default: box.CurrentPoint = {x, y}; break;
  }
  box.DragStage = 1;
}

void HanipgMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InPolygonRange(box)) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  const bool drawing = box.B_Switch == on1 || box.B_Switch == on2;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    // The vertices stay; only the rubber edges go.
    if (drawing && !box.RubberErased) XorRubberEdges(box);
    box.ClickKind = 0;
    box.RubberErased = true;
    box.DragStage = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (drawing) {
    if (!box.RubberErased) XorRubberEdges(box);
    box.LastVertex = {x, y};
    XorRubberEdges(box);
    box.RubberErased = false;
  }
  box.SetGuidePrompt(
      J("範囲左ｸﾘｯｸ指示　範囲確定は3点目以降で右ｸﾘｯｸ[2点目指示の時に右ｸﾘｯｸで範囲ｷｬﾝｾﾙ　/個別選択 右ｸﾘｯｸで選択・解除]"));
}

void ApplyPolygon(TcadBox& box) {
  if (!box.LeaveErased) HideRingForResult(box);
  TSupuLineobj& v = HeldPolygon(box);
  v.BuildPolygonEdges();
  const bool crossing = box.RangeAction == 6 || box.bubunhan;
  if (box.FamilyState<RPolygonRangeState>().PolygonDeselect) {
    box.DeselectInPolygon(crossing);
  } else {
    box.SelectInPolygon(crossing);
  }
  HanipgStep(box);
  box.B_Switch = _off;
  PostToRangePanel(kSelectionChanged);
}

void HanipgUp(TcadBox& box, TShiftState, double, double) {
  if (!InPolygonRange(box)) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.DragStage = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  switch (box.B_Switch) {
    case _off:
      if (box.ClickKind == 3) {
        if (box.ToggleSelectElementAt(box.PickedIndex[1], box.FirstPoint.x, box.FirstPoint.y)) {
          box.B_Switch = _off;
          PostToRangePanel(kVertexTaken);
        }
        return;
      }
      box.B_Switch = on1;
      // A list left by another vertex-list mode does not lend its vertices.
      box.Tool(ToolSlot::PolygonObj).Emplace<TSupuLineobj>().AddPoint(box.FirstPoint.x, box.FirstPoint.y);
      return;
    case on1: {
      box.FamilyState<RPolygonRangeState>().PolygonDeselect = box.ClickKind != 2;
      box.B_Switch = on2;
      TSupuLineobj& v = HeldPolygon(box);
      v.AddPoint(box.SecondPoint.x, box.SecondPoint.y);
      if (v.PointCount >= 2) {
        SetVertexListPen(box, pmXor);
        DrawLineTo(box, VertexOf(v, 1), VertexOf(v, 2));
        box.Canvas().Pen.Mode = pmCopy;
      }
      PostToRangePanel(kVertexTaken);
      return;
    }
    default:
      HeldPolygon(box).AddPoint(box.CurrentPoint.x, box.CurrentPoint.y);
      if (box.ClickKind == 3) ApplyPolygon(box);
      return;
  }
}

// The vertex-list modes: the polygon ranges, the curve through vertices and
// the deformation points share the list of the PolygonObj slot.
bool KeepsPolygonList(const TcadBox& box) {
  return InPolygonRange(box) || box.ButonType == dtSupuLine || box.ButonType == dthenkeizukei;
}

void HanipgCancel(TcadBox& box) {
  if (!KeepsPolygonList(box)) return;
  const TSupuLineobj* v = PolygonOf(box);
  if (v == nullptr) return;
  // The point marker, often on a vertex, is taken off first and shown again
  // after, so that the paint-over does not cut it.
  const bool marker = box.MarkerPoint.x > -4000 && box.MarkerPoint.y > -4000;
  if (marker) box.XorPointMarker(box.MarkerKind, box.MarkerPoint.x, box.MarkerPoint.y);
  if (v->PointCount < 2) {
    PaintOverEdge(box, box.FirstPoint, box.LastVertex);
  } else {
    PaintOverVertexPolyline(box, *v);
    PaintOverEdge(box, VertexOf(*v, 1), box.LastVertex);
    if (!box.RubberErased) PaintOverEdge(box, VertexOf(*v, v->PointCount), box.LastVertex);
  }
  if (marker) box.XorPointMarker(box.MarkerKind, box.MarkerPoint.x, box.MarkerPoint.y);
  box.Tool(ToolSlot::PolygonObj).Free();
}

// The polyline of a running vertex-list mode drawn again; the external
// pick keeps its own list.
void HanipgRedraw(TcadBox& box) {
  const TSupuLineobj* v = nullptr;
  if (InPolygonRange(box) || box.ButonType == dtSupuLine) {
    v = PolygonOf(box);
  } else if (box.ButonType == dttenGaibu || box.ButonType == dttenGaibuopt) {
    v = box.Tool(ToolSlot::SupuLineObj).Get<TSupuLineobj>();
  }
  if (v == nullptr || box.B_Switch == _off) return;
  SetVertexListPen(box, pmCopy);
  DrawVertexPolyline(box, *v, true);
}

// Of the polygon ranges, the crossing and the move variant erase their frame on leaving.
void ErasePolygonRangeOnLeave(TcadBox& box) {
  if (box.ButonType != dtHanipg) EraseRangeFrameOnLeave(box);
}

std::optional<int> PolygonRangeCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (mode == dtHanipg) return RangeSelectCursor(mode, ringHan, cursorHan);
  return RangeVariantCursor(mode, ringHan, cursorHan);
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The copy and move ranges take the base point of the copy or move that
// follows; the picking ranges take nothing.
void HaniAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot) {
  if (mode == dtHaniCopy) RangeBaseAssistSlot(box, dtCopyFree, slot);
  if (ModeIn(mode, {dtHaniMove, dtHaniParamet})) RangeBaseAssistSlot(box, dtIdoFree, slot);
}

void HanipgAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot) {
  if (mode == dtHanipgc) RangeBaseAssistSlot(box, dtCopyFree, slot);
  if (mode == dthanipgm) RangeBaseAssistSlot(box, dtIdoFree, slot);
}

// The range is held (red) or not yet.
bool RangeHeld(const TcadBox& box) { return box.HaniAka_Cyu; }
bool RangeOpen(const TcadBox& box) { return !box.HaniAka_Cyu; }

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// The confirmed range goes to whichever of the host's panels runs.
void HaniGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  PostHostNotificationChain({"TFrame31", "TFrame10", "TFrame11", "TFrame18", "TFrame20", "TFrame22", "TFrame26",
                             "TFrame27", "TFrame29", "TFrame4", "TFrame17", "TFrame33"},
                            111);
}

}  // namespace
