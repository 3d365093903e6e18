// The selection filter, the range selections (window, crossing, stretch and
// outside), the withdrawal of a selection, and deleting one element at a
// point or by its list position, each deletion one undo step.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "canvas/cad_box.h"
#include "canvas/nearest_pick.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/selection_support.h"
#include "geometry/angles_points.h"
#include "geometry/ellipse_intersections.h"
#include "geometry/offsets_rects.h"

namespace {

// ---- The range ---------------------------------------------------------------

// A range with its corners sorted once. The tests answer exactly as
// SegmentSelectedByRect does; a segment far off the range is turned away
// before the exact crossing test.
struct RRange {
  double X1, Y1, X2, Y2;  // as given
  double MinX, MinY, MaxX, MaxY;
  double Magnitude;  // of the coordinates, for the margin of the quick refusal
  bool HasArea;

  RRange(double x1, double y1, double x2, double y2)
      : X1(x1),
        Y1(y1),
        X2(x2),
        Y2(y2),
        MinX(std::min(x1, x2)),
        MinY(std::min(y1, y2)),
        MaxX(std::max(x1, x2)),
        MaxY(std::max(y1, y2)),
        Magnitude(std::max({std::abs(x1), std::abs(y1), std::abs(x2), std::abs(y2)})),
        HasArea(MinX != MaxX && MinY != MaxY) {}

  bool Holds(double x, double y) const { return HasArea && x >= MinX && x <= MaxX && y >= MinY && y <= MaxY; }

  // The segment lies apart from the range by more than rounding could
  // bridge, so no crossing test can find it touching.
  bool FarFrom(const RPointPair& s) const { return SegmentFarFromBox(s, MinX, MinY, MaxX, MaxY, Magnitude); }

  bool Selects(bool crossing, const RPointPair& s) const {
    if (!crossing) return Holds(s.xa, s.ya) && Holds(s.xb, s.yb);
    if (FarFrom(s)) return false;
    return SegmentSelectedByRect(true, s.xa, s.ya, s.xb, s.yb, X1, Y1, X2, Y2);
  }
};

// ---- Test segments -------------------------------------------------------------

enum class RangeOp : std::uint8_t { Window, Stretch, Outside };  // Stretch also withdraws

// Both angles below 0.99 degrees: a whole circle or ellipse.
bool ClosedArc(const RDrawElement& e) {
  return std::trunc(e.StartAngle + 0.01) == 0 && std::trunc(e.EndAngle + 0.01) == 0;
}

RTestSegments TestSegmentsOf(const RDrawElement& e, RangeOp op, bool crossing) {
  RTestSegments t;
  if (e.Kind == kKindPoint) {
    t.Segment[0] = {e.X1, e.Y1, e.X1, e.Y1};
    return t;
  }
  if (e.Kind != kKindArc) {
    t.Segment[0] = {e.X1, e.Y1, e.X2, e.Y2};
    return t;
  }
  const double cx = e.X1, cy = e.Y1, r = e.Radius, q = e.Ratio, s = e.StartAngle, en = e.EndAngle, rot = e.Rotation;
  const RPointPair diagonal{cx - r, cy - r, cx + r, cy + r};
  RPointPair chord;
  PolarPointBuffered(chord.xa, chord.ya, s + rot, r, cx, cy);
  PolarPointBuffered(chord.xb, chord.yb, en + rot, r, cx, cy);
  const bool closed = ClosedArc(e);
  t.Count = 2;
  switch (op) {
    case RangeOp::Window:
      // A crossing range never takes a true arc by its bounding diagonal.
      t.Segment[0] = crossing && std::abs(s - en) > 0.00001 ? RPointPair{-10000, -10000, -10000, -10000} : diagonal;
      if (!closed) {
        t.Segment[1] = chord;
      } else if (e.Ratio == 1.0f) {
        t.Segment[1] = diagonal;
      } else if ((rot >= 80 && rot <= 100) || (rot >= 260 && rot <= 280)) {
        t.Segment[1] = {cx - r * q, cy - r, cx + r * q, cy + r};
      } else {
        t.Segment[1] = {cx - r, cy - r * q, cx + r, cy + r * q};
      }
      break;
    case RangeOp::Stretch:
      t.Segment[0] = diagonal;
      t.Segment[1] = closed ? diagonal : chord;
      break;
    case RangeOp::Outside:
      t.Segment[0] = diagonal;
      t.Count = 1;
      break;
  }
  return t;
}

bool LiesInRange(const RTestSegments& t, bool crossing, const RRange& range) {
  for (int i = 0; i < t.Count; ++i) {
    if (range.Selects(crossing, t.Segment[static_cast<std::size_t>(i)])) return true;
  }
  return false;
}

// Every test segment of an arc lies in the square of its larger semi-axis
// about its centre (but the stand-in point of the crossing window), so an
// arc far from the range is turned away before its chord is worked out.
bool ArcLiesInRange(const RDrawElement& e, RangeOp op, bool crossing, const RRange& range) {
  const bool standIn = op == RangeOp::Window && crossing && !range.FarFrom({-10000, -10000, -10000, -10000});
  const double reach = std::abs(e.Radius) * std::max(1.0, std::abs(static_cast<double>(e.Ratio)));
  if (!standIn && range.FarFrom({e.X1 - reach, e.Y1 - reach, e.X1 + reach, e.Y1 + reach})) return false;
  return LiesInRange(TestSegmentsOf(e, op, crossing), crossing, range);
}

// The element lies in the range by the test segments of the operation.
inline bool LiesInRange(const RDrawElement& e, RangeOp op, bool crossing, const RRange& range) {
  if (e.Kind == kKindArc) return ArcLiesInRange(e, op, crossing, range);
  if (e.Kind == kKindRect && crossing) {
    // Touched by any of the four lines it is drawn with; inside a window
    // it lies when both corners do, as for one line.
    for (const RDrawElement& side : RectangleSides(e)) {
      if (range.Selects(true, {side.X1, side.Y1, side.X2, side.Y2})) return true;
    }
    return false;
  }
  const double x2 = e.Kind == kKindPoint ? e.X1 : e.X2;
  const double y2 = e.Kind == kKindPoint ? e.Y1 : e.Y2;
  return range.Selects(crossing, {e.X1, e.Y1, x2, y2});
}

// ---- Kind rules ----------------------------------------------------------------

bool IsOblique(const RDrawElement& e) { return IsObliqueDirection(DirectionAngleDeg(e.X1, e.Y1, e.X2, e.Y2)); }

// What the window selection's marking pass found of an element: outside
// the range, not editable (not tested), or by the kind rule of an element
// in the range: taken, its kind switched off, or turned away by a filter.
enum class Verdict : std::uint8_t { Outside, NotEditable, Taken, KindOff, Filtered };

Verdict WindowKindRule(const TcadBox& box, const RDrawElement& e) {
  const RSelectionFilter& f = box.SelectionFilter;
  const auto by = [](bool passes) { return passes ? Verdict::Taken : Verdict::Filtered; };
  switch (e.Kind) {
    case kKindLine:
      if (f.ObliqueOnly) return by(box.MatchesColorTypeFilter(e.ColorNo, e.LineType) && IsOblique(e));
      if (!f.Lines) return Verdict::KindOff;
      return by(box.MatchesColorTypeFilter(e.ColorNo, e.LineType));
    case kKindRect: return by(box.MatchesColorTypeFilter(e.ColorNo, e.LineType));
    case kKindPoint:
      if (!f.Points) return Verdict::KindOff;
      return by(box.MatchesPointColorFilter(e.ColorNo));
    case kKindText:
      if (!f.Texts) return Verdict::KindOff;
      return by(box.MatchesTextStyleFilter(e.TextStyle));
    case kKindArc:
      if (!f.Arcs) return Verdict::KindOff;
      return by(box.MatchesColorTypeFilter(e.ColorNo, e.LineType));
    default: return Verdict::Filtered;
  }
}

// The kind rule of the stretch, outside and withdrawing ranges.
bool RangeKindRule(const TcadBox& box, const RDrawElement& e) {
  const RSelectionFilter& f = box.SelectionFilter;
  switch (e.Kind) {
    case kKindLine: return f.Lines && box.MatchesColorTypeFilter(e.ColorNo, e.LineType);
    case kKindRect: return box.MatchesColorTypeFilter(e.ColorNo, e.LineType);
    case kKindPoint: return f.Points;
    case kKindText: return f.Texts;
    case kKindArc: return f.Arcs && box.MatchesColorTypeFilter(e.ColorNo, e.LineType);
    default: return false;
  }
}

bool IsLineOrRect(const RDrawElement& e) { return e.Kind == kKindLine || e.Kind == kKindRect; }

// Arcs smaller than about a pixel, which the outside range only marks (as
// it does the lines `LineIsSmall` names): the threshold of the store's
// small-element list.
bool TinyArcInView(const TcadBox& box, const RDrawElement& e) {
  if (!(box.Zoom < 0.76 && e.Radius * box.Zoom < 0.2)) return false;
  const RViewRect& v = box.ViewWindow;
  return EllipseTouchesRect(e.X1, e.Y1, e.Radius, e.Ratio, e.Rotation, 0, 0, v.Left, v.Bottom, v.Right, v.Top, 0, 0);
}

// The modes whose picks the cancel-all and the commands withdraw one by one.
bool IsSinglePickMode(Sbuttontype mode) {
  switch (mode) {
    case dtSen:
    case dtSenDel:
    case dtMozi:
    case dtMoziDel:
    case dtSenSinsyuku:
    case dttreming:
    case dtSencyusin:
    case dtSencyusin2:
    case dtsenbunkatu:
    case dtSunpochiHen:
    case dtRenSunpoCyusin:
    case dtRenSunpoCyusin2:
    case dtiikatusin:
    case dtiikatuBubun:
    case dtsenbunkatupitch:
    case dtMentori:
    case dtMentori2: return true;
    default: return false;
  }
}

// Back in its own colour and marked as no longer selected.
void Withdraw(TcadBox& box, RDrawElement& e, TChangedArea& changed) {
  if (OnEditableLayer(*box.Draw1, e)) {
    DrawInOwnColour(box, e);
    changed.Add(box, e);
  }
  e.Selection = 10;
  if (e.Kind == kKindLine) e.Scratch = 0;
}

// Erases by drawing in the background colour with a solid pen.
void EraseWith(TcadBox& box, int width, std::uint8_t lineType, double x1, double y1, double x2, double y2) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = width;
  canvas.Pen.Color = box.Color();
  box.DrawLine(lineType, canvas, x1, y1, x2, y2);
  canvas.Pen.Width = 1;
}

}  // namespace

RTestSegments WindowTestSegments(const RDrawElement& e, bool crossing) {
  return TestSegmentsOf(e, RangeOp::Window, crossing);
}

bool TakenByWindowKindRule(const TcadBox& box, const RDrawElement& e) {
  return WindowKindRule(box, e) == Verdict::Taken;
}

// ---- Filter ----------------------------------------------------------------------

bool IsObliqueDirection(double d) {
  return !(d < 10 || (d > 80 && d < 100) || (d > 170 && d < 190) || (d > 260 && d < 280) || d > 350);
}

void TcadBox::SetSelectionFilter(std::uint8_t kindBits, std::uint16_t colourBits, std::uint16_t lineTypeBits,
                                 std::uint16_t textStyleBits, std::uint16_t pointColourBits) {
  RSelectionFilter& f = SelectionFilter;
  f.Texts = (kindBits & 1) != 0;
  f.Points = (kindBits & 2) != 0;
  f.Lines = (kindBits & 4) != 0;
  f.Arcs = (kindBits & 8) != 0;
  f.ObliqueOnly = (kindBits & 16) != 0;
  const auto spread = [](auto& flags, std::uint16_t bits) {
    for (std::size_t n = 1; n < flags.size(); ++n) flags[n] = (bits >> (n - 1) & 1) != 0;
  };
  spread(f.Colours, colourBits);
  spread(f.LineTypes, lineTypeBits);
  spread(f.TextStyles, textStyleBits);
  spread(f.PointColours, pointColourBits);
}

bool TcadBox::MatchesColorTypeFilter(std::uint8_t colour, std::uint8_t lineType) const {
  if (colour >= 1 && colour <= 10 && !SelectionFilter.Colours[colour]) return false;
  if (lineType >= 1 && lineType <= 9) return SelectionFilter.LineTypes[lineType];
  return true;
}

bool TcadBox::MatchesTextStyleFilter(std::uint8_t style) const {
  return style >= 1 && style <= 10 && SelectionFilter.TextStyles[style];
}

bool TcadBox::MatchesPointColorFilter(std::uint8_t colour) const {
  return colour >= 1 && colour <= 10 && SelectionFilter.PointColours[colour];
}

// ---- Range selections ------------------------------------------------------------

void TcadBox::SelectWindowRange(bool crossing, double x1, double y1, double x2, double y2) {
  const RRange range(x1, y1, x2, y2);
  Tdrawinp& store = *Draw1;
  std::vector<RDrawElement>& elements = store.Elements;
  bool selected = false;
  // The marking pass runs over the whole drawing; what it decided of the
  // elements in the range is kept for the drawing pass, which walks only
  // the elements in view. Fields are written only where they change, so
  // the records outside the range are only read.
  std::vector<Verdict> verdicts(elements.size(), Verdict::Outside);
  TChangedArea changed;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    RDrawElement& e = elements[i];
    if (e.Scratch != 0) {
      // A selected line drawn dashed for its stretch mark shows solid again.
      if (e.Kind == kKindLine && e.Selection == 1 && (e.Scratch == 1 || e.Scratch == 2)) InvalidateElementArea(e);
      e.Scratch = 0;
    }
    if (!OnEditableLayer(store, e)) {
      verdicts[i] = Verdict::NotEditable;
      continue;
    }
    if (e.Selection == 10) e.Selection = 0;
    if (IsLineOrRect(e) && (e.ScratchWord != 0 || e.ScratchByte != 0)) {
      e.ScratchWord = 0;
      e.ScratchByte = 0;
    }
    if (!LiesInRange(e, RangeOp::Window, crossing, range)) continue;
    verdicts[i] = WindowKindRule(*this, e);
    if (verdicts[i] == Verdict::Taken) {
      e.Selection = 1;
      selected = true;
    }
  }

  for (const RDisplayEntry& entry : store.DisplayList) {
    const auto index = static_cast<std::size_t>(entry.Index);
    if (entry.Index < 0 || index >= elements.size()) continue;
    Verdict verdict = verdicts[index];
    if (verdict == Verdict::NotEditable) {
      // Shown but not editable: in the range it counts as an element of a
      // disabled kind.
      if (!LiesInRange(elements[index], RangeOp::Window, crossing, range)) continue;
      verdict = Verdict::KindOff;
    }
    if (verdict == Verdict::Taken) {
      DrawHighlighted(*this, elements[index]);
      changed.Add(*this, elements[index]);
      HaniAka_Cyu = true;
    } else if (verdict == Verdict::KindOff) {
      HaniAka_Cyu = selected;
    }
  }
  changed.Repaint(*this);
}

void TcadBox::SelectParametricRange(double x1, double y1, double x2, double y2) {
  const RRange range(x1, y1, x2, y2);
  bool selected = false;
  TChangedArea changed;
  for (RDrawElement& e : Draw1->Elements) {
    if (!OnEditableLayer(*Draw1, e)) continue;
    const RTestSegments t = TestSegmentsOf(e, RangeOp::Stretch, false);
    const RPointPair& first = t.Segment[0];
    std::uint8_t which = 0;
    RPointPair ends;  // outside end, inside end
    const bool endInside = SegmentInsideEnd(first.xa, first.ya, first.xb, first.yb, x1, y1, x2, y2, which, ends.xa,
                                            ends.ya, ends.xb, ends.yb);
    if (!((endInside && e.Kind == kKindLine) || LiesInRange(t, false, range))) continue;
    if (RangeKindRule(*this, e)) {
      e.Selection = 1;
      selected = true;
      if (e.Kind == kKindLine) {
        EraseWith(*this, 2, e.LineType, e.X1, e.Y1, e.X2, e.Y2);
        // The end that is to move becomes the second point; a second run
        // over a marked line takes its mark away.
        if (which != 0 && e.Scratch == 0) {
          e.Scratch = which;
          e.X1 = ends.xa;
          e.Y1 = ends.ya;
          e.X2 = ends.xb;
          e.Y2 = ends.yb;
        } else {
          e.Scratch = 0;
        }
        DrawHighlightedAs(*this, e, e.Scratch != 0 ? 3 : e.LineType);
      } else {
        DrawHighlighted(*this, e);
      }
      changed.Add(*this, e);
    }
    if (MatchesColorTypeFilter(e.ColorNo, e.LineType)) HaniAka_Cyu = selected;
  }
  changed.Repaint(*this);
}

void TcadBox::SelectOutsideWindowRange(double x1, double y1, double x2, double y2) {
  const RRange range(x1, y1, x2, y2);
  TChangedArea changed;
  for (RDrawElement& e : Draw1->Elements) {
    if (!OnEditableLayer(*Draw1, e)) continue;
    if (LiesInRange(e, RangeOp::Outside, false, range)) continue;
    bool onlyMarked = false;
    if (RangeKindRule(*this, e)) {
      e.Selection = 1;
      switch (e.Kind) {
        case kKindLine: onlyMarked = LineIsSmall(e, Zoom); break;
        case kKindArc: onlyMarked = TinyArcInView(*this, e); break;
        default: break;
      }
      // Points vanish below zoom 0.2: marked, not drawn, yet they count.
      const bool drawn = !onlyMarked && !(e.Kind == kKindPoint && Zoom < 0.2);
      if (drawn) {
        DrawHighlighted(*this, e);
        changed.Add(*this, e);
      }
    }
    if (MatchesColorTypeFilter(e.ColorNo, e.LineType) && !onlyMarked) HaniAka_Cyu = true;
  }
  changed.Repaint(*this);
}

void TcadBox::DeselectWindowRange(bool crossing, double x1, double y1, double x2, double y2) {
  const RRange range(x1, y1, x2, y2);
  TChangedArea changed;
  for (RDrawElement& e : Draw1->Elements) {
    if (e.Selection == 0 || !OnEditableLayer(*Draw1, e)) continue;
    if (!LiesInRange(e, RangeOp::Stretch, crossing, range)) continue;
    if (!RangeKindRule(*this, e)) continue;
    e.Selection = 0;
    if (e.Kind == kKindLine) e.Scratch = 0;
    DrawInOwnColour(*this, e);
    changed.Add(*this, e);
  }
  changed.Repaint(*this);
}

void TcadBox::DeselectAll() {
  HaniAka_Cyu = false;
  TChangedArea changed;
  for (RDrawElement& e : Draw1->Elements) {
    if (e.Selection != 0 && e.Selection != 10) Withdraw(*this, e, changed);
  }
  changed.Repaint(*this);
}

void TcadBox::DeselectElement(std::int32_t index) {
  if (!IsSinglePickMode(ButonType)) return;
  if (index < 0 || static_cast<std::size_t>(index) >= Draw1->Elements.size()) return;
  TChangedArea changed;
  Withdraw(*this, Draw1->Elements[static_cast<std::size_t>(index)], changed);
  changed.Repaint(*this);
  HaniAka_Cyu = false;
}

// ---- Deletion ----------------------------------------------------------------------

void TcadBox::DeleteElementAt(double x, double y) {
  const double d = Zoom <= 10000 ? 4 / Zoom : 10 / Zoom;
  THitSen picker(x, y, d);
  Tdrawinp& store = *Draw1;
  // From the last entry back, so that among equals the one drawn last wins.
  for (std::size_t k = store.DisplayList.size(); k-- > 0;) {
    const std::int32_t index = store.DisplayList[k].Index;
    if (!store.EntryElement(store.DisplayList[k])) continue;
    RDrawElement& e = store.Elements[static_cast<std::size_t>(index)];
    if (e.Kind != kKindLine && e.Kind != kKindRect && e.Kind != kKindArc && e.Kind != kKindPoint) continue;
    if (!OnEditableLayer(store, e)) continue;
    e.Selection = 0;
    if (!MatchesColorTypeFilter(e.ColorNo, e.LineType)) continue;
    bool hit = false;
    switch (e.Kind) {
      case kKindRect:
        OfferRectangleSides(picker, e, index, [&](const RDrawElement& side) {
          return SegmentInPickSquare(side.X1, side.Y1, side.X2, side.Y2, x, y, d);
        });
        break;
      case kKindLine: hit = SegmentInPickSquare(e.X1, e.Y1, e.X2, e.Y2, x, y, d); break;
      case kKindPoint: hit = PointInPickSquare(e.X1, e.Y1, x, y, d); break;
      default: hit = ArcUnderCursor(e, x, y, d); break;
    }
    if (hit) picker.AddCandidate(e, index);
  }
  picker.PickNearest();

  if (picker.Found) {
    // The stored element: a rectangle was offered by the side that was hit.
    const RDrawElement e = store.Elements[static_cast<std::size_t>(picker.PickedIndex)];
    TUndoStep step(store);
    switch (e.Kind) {
      case kKindRect:
        for (const RDrawElement& side : RectangleSides(e)) InvalidateLineBand(side.X1, side.Y1, side.X2, side.Y2);
        step.Delete(picker.PickedIndex);
        break;
      case kKindPoint:
        step.Delete(picker.PickedIndex);
        InvalidateWorldRect(e.X1 - 0.8, e.Y1 - 0.8, e.X1 + 0.8, e.Y1 + 0.8);
        RingRepaintFlag = true;
        break;
      case kKindLine:
        InvalidateLineBand(e.X1, e.Y1, e.X2, e.Y2);
        step.Delete(picker.PickedIndex);
        break;
      default: {
        EraseRingCursor();
        const double r = e.Radius;
        // Its whole curve, the rightmost and lowest pixels too.
        InvalidateElementArea(e);
        TCanvas& canvas = Canvas();
        canvas.Pen.Mode = pmCopy;
        canvas.Pen.Style = psSolid;
        canvas.Pen.Width = 1;
        canvas.Pen.Color = Color();
        DrawArc(e.LineType == 1 ? 1 : 20, canvas, e.X1, e.Y1, r, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
        step.Delete(picker.PickedIndex);
        break;
      }
    }
  } else {
    DeleteTextAt(x, y);
  }
  RebuildDisplayLists(*this);
}

void TcadBox::DeleteLineByIndex(std::int32_t index, UndoJoin join) {
  if (index < 0 || static_cast<std::size_t>(index) >= Draw1->Elements.size()) return;
  const RDrawElement e = Draw1->Elements[static_cast<std::size_t>(index)];
  EraseRingCursor();
  // Whatever its kind, the segment between its two points; what crossed
  // it is painted again from the drawing.
  EraseWith(*this, 2, 1, e.X1, e.Y1, e.X2, e.Y2);
  InvalidateLineBand(e.X1, e.Y1, e.X2, e.Y2);
  TUndoStep(*Draw1, join).Delete(index);
  RebuildDisplayLists(*this);
}

void TcadBox::DeleteElementByIndex(std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= Draw1->Elements.size()) return;
  RDrawElement& e = Draw1->Elements[static_cast<std::size_t>(index)];
  if (e.Kind == kKindLine) {
    EraseWith(*this, 3, 1, e.X1, e.Y1, e.X2, e.Y2);
    InvalidateLineBand(e.X1, e.Y1, e.X2, e.Y2);
    // The undo copy carries no selection.
    e.Selection = 0;
    e.ScratchWord = 0;
    e.ScratchByte = 0;
  }
  TUndoStep(*Draw1).Delete(index);
  RebuildDisplayLists(*this);
}
