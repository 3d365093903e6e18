// Chains of three-point arcs, curves through clicked vertices and wave
// lines.

#include <cmath>
#include <cstdint>
#include <vector>

#include "canvas/cad_box.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"
#include "platform/host_notifications.h"
#include "tools/edit/arc_chain.h"
#include "tools/edit/curves.h"
#include "tools/edit/wave_line.h"

namespace {
void kyokusen3tenDown(TcadBox& box, TShiftState shift, double x, double y);
void kyokusen3tenMove(TcadBox& box, TShiftState shift, double x, double y);
void kyokusen3tenUp(TcadBox& box, TShiftState shift, double x, double y);
void kyokusen3tenCancel(TcadBox& box);
void kyokusen3tenRedraw(TcadBox& box);
void kyokusen3tenFinish(TcadBox& box, std::uint8_t flag);
void kyokusen3tenResume(TcadBox& box, TShiftState, double, double);
void SupuLineDown(TcadBox& box, TShiftState shift, double x, double y);
void SupuLineMove(TcadBox& box, TShiftState shift, double x, double y);
void SupuLineUp(TcadBox& box, TShiftState shift, double x, double y);
void SupuLineFinish(TcadBox& box, std::uint8_t flag);
void SupuLineAssistPoint(TcadBox& box);
void sinkoDown(TcadBox& box, TShiftState shift, double x, double y);
void sinkoMove(TcadBox& box, TShiftState shift, double x, double y);
void sinkoUp(TcadBox& box, TShiftState shift, double x, double y);
void sinkoCancel(TcadBox& box);
void EraseWaveBandOnLeave(TcadBox& box);
void CurvePointAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void sinkoAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void sinkoResume(TcadBox& box, TShiftState shift, double x, double y);
void kyokusen3tenGesture(TcadBox& box, Sbuttontype code);
void SupuLineGesture(TcadBox& box, Sbuttontype code);
}  // namespace

// The curve through vertices is erased and drawn again by the vertex-list
// cancel and redraw of the polygon range, whose list it shares; the wave
// line's band goes with the double line's cancel, which runs sinkoCancel.
void RegisterCurveCommands() {
  RegisterFamily({.Name = "kyokusen3ten",
                  .Modes = {dtkyokusen3ten},
                  .Down = kyokusen3tenDown,
                  .Move = kyokusen3tenMove,
                  .Up = kyokusen3tenUp,
                  .Cancels = {{"kyokusen3tenCancel", kyokusen3tenCancel}},
                  .Redraws = {{"kyokusen3tenRedraw", kyokusen3tenRedraw}},
                  .Finishes = {{"kyokusen3tenFinish", kyokusen3tenFinish}},
                  .Assist = {.Slot = CurvePointAssistSlot, .Resume = kyokusen3tenResume},
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtkyokusen3ten)},
                  .GestureActions = {{{dtkyokusen3ten}, kyokusen3tenGesture}}});
  RegisterFamily({.Name = "SupuLine",
                  .Modes = {dtSupuLine},
                  .Down = SupuLineDown,
                  .Move = SupuLineMove,
                  .Up = SupuLineUp,
                  .Finishes = {{"SupuLineFinish", SupuLineFinish}},
                  .Assist = {.Slot = CurvePointAssistSlot, .Point = SupuLineAssistPoint},
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtSupuLine)},
                  .GestureActions = {{{dtSupuLine}, SupuLineGesture}}});
  RegisterFamily({.Name = "sinko",
                  .Modes = {dtsinko},
                  .Down = sinkoDown,
                  .Move = sinkoMove,
                  .Up = sinkoUp,
                  .Phases = {{"sinkoCancel", sinkoCancel}},
                  .Hooks = {.Leave = EraseWaveBandOnLeave},
                  .Assist = {.Slot = sinkoAssistSlot, .Resume = sinkoResume}});
}

namespace {

// The host's curve panel.
constexpr const char* kCurvePanel = "TFrame27";
constexpr int kPointTakenCurves = 100;
constexpr int kCurveCommitted = 103;

// Arcs of a smaller radius are left out of a committed chain; lines
// shorter than these out of a committed curve and wave.
constexpr double kSmallestChainRadius = 1e-4;
constexpr double kShortestCurveLine = 1e-5;
constexpr double kShortestWaveLine = 1e-4;

void RebuildDisplayListsCurves(TcadBox& box) {
  const RViewRect& v = box.ViewWindow;
  box.Draw1->BuildDisplayLists(v.Left, v.Bottom, v.Right, v.Top, box.Zoom);
}

// The element with the current pen, writing group and layer.
RDrawElement WithCurrentAttributes(const TcadBox& box, RDrawElement e) {
  e.LineType = box.Pentyp;
  e.ColorNo = box.Pencol;
  e.Group = box.WriteGrupe_No;
  e.Layer = box.WriteReiya_No;
  e.Selection = 0;
  e.Scratch = 0;
  return e;
}

// What the store would not take draws nothing either.
bool DrawableArc(const RDrawElement& a) {
  return a.Radius >= 1e-5 && std::isfinite(a.Radius) && std::isfinite(a.X1) && std::isfinite(a.Y1);
}

void DrawArcOf(TcadBox& box, std::uint8_t lineType, const RDrawElement& a) {
  if (!DrawableArc(a)) return;
  box.DrawArc(lineType, box.Canvas(), a.X1, a.Y1, a.Radius, a.Ratio, a.StartAngle, a.EndAngle, a.Rotation);
}

double LineLength(const RDrawElement& e) { return PointDistance(e.X1, e.Y1, e.X2, e.Y2); }

// A result of a curve tool added to the step with the current attributes;
// a line with its tag. The commit shows what it added as the redraw shows
// it (DrawAddedSince).
void CommitArc(TUndoStep& step, TcadBox& box, const RDrawElement& a) { step.AddChecked(WithCurrentAttributes(box, a)); }

void CommitLine(TUndoStep& step, TcadBox& box, const RDrawElement& l, std::uint16_t tag) {
  RDrawElement e = WithCurrentAttributes(box, LineElement(l.X1, l.Y1, l.X2, l.Y2));
  e.LineTag = tag;
  step.AddChecked(e);
}

// What a vertex list or a chain shows is painted over in the background
// colour by `paint`. The point marker, often on it, is taken off first and
// shown again after, so that it stays whole; the part of the control each
// of `areas` covers is painted again from the drawing, so that what the
// figure crossed comes back.
template <class Paint>
void PaintOverKeepingMarker(TcadBox& box, const std::vector<RDrawElement>& areas, Paint paint) {
  const bool marker = box.MarkerPoint.x > -4000 && box.MarkerPoint.y > -4000;
  if (marker) box.XorPointMarker(box.MarkerKind, box.MarkerPoint.x, box.MarkerPoint.y);
  SetBackgroundPen(box);
  paint();
  box.Canvas().Pen.Mode = pmCopy;
  box.Canvas().Pen.Width = 1;
  for (const RDrawElement& e : areas) box.InvalidateElementArea(e);
  if (marker) box.XorPointMarker(box.MarkerKind, box.MarkerPoint.x, box.MarkerPoint.y);
}

// ---- Chains of arcs through three points -----------------------------------

TRenzokuKoobj* ChainOf(TcadBox& box) { return box.Tool(ToolSlot::ArcChainObj).Get<TRenzokuKoobj>(); }

TRenzokuKoobj& HeldChain(TcadBox& box) {
  if (TRenzokuKoobj* chain = ChainOf(box)) return *chain;
  return box.Tool(ToolSlot::ArcChainObj).Emplace<TRenzokuKoobj>();
}

// The preview arc, kept in the working arc fields, in XOR in the selection
// colour: once shows it, twice takes it away.
void XorPreviewArc(TcadBox& box) {
  const RDrawElement arc = CircularArcElement(box.AngleArcCentre.x, box.AngleArcCentre.y, box.WorkingArcRadius,
                                              box.AngleArcStart, box.AngleArcEnd);
  SetVertexListPen(box, pmXor);
  DrawArcOf(box, 1, arc);
  box.Canvas().Pen.Mode = pmCopy;
}

void ErasePreviewArc(TcadBox& box) {
  if (!box.RubberErased) XorPreviewArc(box);
  box.RubberErased = true;
}

void kyokusen3tenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtkyokusen3ten) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const bool snapping = box.ClickKind == 3;
  RPoint2D p, snapped;
  if (!OffsetClickPoint(box, x, y, p, snapped)) {
    if (snapping) box.ShowTopMessage(J(kNoPointShort));
    return;
  }
  if (snapping && box.B_Switch == on1 && SameClickPoint(snapped, box.FirstPoint)) {
    box.ClickKind = 0;
    box.ShowTopMessage(J(kSamePointMessage));
    return;
  }
  if (snapping && box.B_Switch == on2 &&
      (SameClickPoint(snapped, box.FirstPoint) || SameClickPoint(snapped, box.SecondPoint))) {
    box.ClickKind = 0;
    box.ShowCursorLabel(J(kSamePointMessage));
    return;
  }
  switch (box.B_Switch) {
    case _off: box.FirstPoint = box.CurrentPoint = box.SecondPoint = p; break;
    case on1: box.SecondPoint = p; break;
    default: box.CurrentPoint = p; break;
  }
}

// The preview follows every move, a button held or not.
void kyokusen3tenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtkyokusen3ten || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.B_Switch == on2) ErasePreviewArc(box);
    box.ClickKind = 0;
    box.RubberErased = true;
    return;
  }
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J(kFirstVertexPrompt));
    return;
  }
  if (box.B_Switch == on1) {
    box.SetGuidePrompt(J("通過点指示    [左クリック（自由）：右クリック（点読取り）]"));
    return;
  }
  ErasePreviewArc(box);
  TRenzokuKoobj& chain = HeldChain(box);
  chain.PreviewArc(box.FirstPoint.x, box.FirstPoint.y, box.SecondPoint.x, box.SecondPoint.y, x, y);
  const RDrawElement& arc = chain.ArcPreview;
  box.AngleArcCentre = {arc.X1, arc.Y1};
  box.WorkingArcRadius = arc.Radius;
  box.AngleArcStart = arc.StartAngle;
  box.AngleArcEnd = arc.EndAngle;
  XorPreviewArc(box);
  box.RubberErased = false;
  box.SetGuidePrompt(J(kNextVertexPrompt));
}

void kyokusen3tenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtkyokusen3ten) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    box.B_Switch = on1;
    HeldChain(box);
    return;
  }
  if (box.B_Switch == on1) {
    box.B_Switch = on2;
    box.RubberErased = true;
    return;
  }
  ErasePreviewArc(box);
  TRenzokuKoobj& chain = HeldChain(box);
  // Three points on one line make no arc: the click is refused and the
  // end point is asked for again.
  if (!chain.AddArc(box.FirstPoint.x, box.FirstPoint.y, box.SecondPoint.x, box.SecondPoint.y, box.CurrentPoint.x,
                    box.CurrentPoint.y)) {
    box.ClickKind = 0;
    return;
  }
  {
    // Drawn into the picture, as the redraw draws the chain: under the
    // point marker of a snapped end.
    const TCanvas::TPictureDrawing picture(box.Canvas());
    SetVertexListPen(box, pmCopy);
    DrawArcOf(box, 1, chain.Elements.back());
  }
  PostHostNotification(kCurvePanel, kPointTakenCurves);
  box.RubberErased = false;
  box.B_Switch = on1;
  box.ClickKind = 0;
  box.FirstPoint = box.CurrentPoint;
}

// The part of the control the chain's arcs cover, drawn in the selection
// colour into the picture, painted again from the drawing.
void RepaintUnderChain(TcadBox& box, const TRenzokuKoobj& chain) {
  for (const RDrawElement& arc : chain.Elements) {
    if (DrawableArc(arc)) box.InvalidateElementArea(arc);
  }
}

// The chain's arcs change from the selection colour to the current pen and
// are stored as one step, which opens at the first arc stored.
void kyokusen3tenFinish(TcadBox& box, std::uint8_t) {
  if (box.ButonType != dtkyokusen3ten) return;
  if (TRenzokuKoobj* chain = ChainOf(box)) {
    const std::size_t first = box.Draw1->Elements.size();
    {
      TUndoStep step(*box.Draw1);
      for (const RDrawElement& arc : chain->Elements) {
        if (arc.Radius >= kSmallestChainRadius) CommitArc(step, box, arc);
      }
    }
    RepaintUnderChain(box, *chain);
    DrawAddedSince(box, first);
    chain->Clear();
  }
  box.Canvas().Pen.Mode = pmCopy;
  RebuildDisplayListsCurves(box);
  box.B_Switch = _off;
  PostHostNotification(kCurvePanel, kCurveCommitted);
}

void kyokusen3tenCancel(TcadBox& box) {
  if (box.ButonType != dtkyokusen3ten) return;
  const TRenzokuKoobj* chain = ChainOf(box);
  if (chain == nullptr) return;
  RepaintUnderChain(box, *chain);
  box.Tool(ToolSlot::ArcChainObj).Free();
}

void kyokusen3tenRedraw(TcadBox& box) {
  if (box.ButonType != dtkyokusen3ten) return;
  const TRenzokuKoobj* chain = ChainOf(box);
  if (chain == nullptr) return;
  SetVertexListPen(box, pmCopy);
  for (std::size_t i = 0; i < chain->Elements.size(); ++i) {
    if ((i + 1) % 20 == 0 && box.BothButtonsDown()) break;
    DrawArcOf(box, 1, chain->Elements[i]);
  }
}

void kyokusen3tenResume(TcadBox& box, TShiftState, double, double) {
  ResumeThreePointCommand(box, box.CurrentPoint, kyokusen3tenUp);
}

// ---- Curves through vertices --------------------------------------------------

TSupuLineobj* VerticesOf(TcadBox& box) { return box.Tool(ToolSlot::PolygonObj).Get<TSupuLineobj>(); }

void DrawSegment(TcadBox& box, const RPoint2D& a, const RPoint2D& b) {
  box.DrawLine(1, box.Canvas(), a.x, a.y, b.x, b.y);
}

// The rubber segment from the last vertex to LastVertex, in XOR.
void XorRubberSegment(TcadBox& box) {
  const TSupuLineobj* v = VerticesOf(box);
  if (v == nullptr || v->PointCount == 0) return;
  SetVertexListPen(box, pmXor);
  DrawSegment(box, VertexOf(*v, v->PointCount), box.LastVertex);
  box.Canvas().Pen.Mode = pmCopy;
}

void SupuLineDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSupuLine) return;
  VertexListDown(box, shift, x, y);
}

}  // namespace

void VertexListDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const bool snapping = box.ClickKind == 3;
  RPoint2D p, snapped;
  if (!OffsetClickPoint(box, x, y, p, snapped)) return;
  const bool repeated = snapping && ((box.B_Switch == on1 && SameClickPoint(snapped, box.FirstPoint)) ||
                                     (box.B_Switch == on2 && SameClickPoint(snapped, box.SecondPoint)));
  if (repeated) {
    box.ClickKind = 0;
    box.ShowTopMessage(J(kSamePointMessage));
    return;
  }
  switch (box.B_Switch) {
    case _off:
      box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
      if (!snapping) box.LastVertex = p;
      break;
    case on1: box.SecondPoint = p; break;
    default: box.CurrentPoint = p; break;
  }
  if (snapping && box.B_Switch == _off) return;
  box.DragStage = 1;
}

namespace {

void SupuLineMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSupuLine || box.ViewGestureState != 0) return;
  const bool drawing = box.B_Switch == on1 || box.B_Switch == on2;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    // The vertices stay; only the rubber segment goes.
    if (drawing && !box.RubberErased) XorRubberSegment(box);
    box.ClickKind = 0;
    box.RubberErased = true;
    box.DragStage = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (!drawing) {
    box.SetGuidePrompt(J(kFirstVertexPrompt));
    return;
  }
  if (!box.RubberErased) XorRubberSegment(box);
  box.LastVertex = {x, y};
  XorRubberSegment(box);
  box.RubberErased = false;
  box.SetGuidePrompt(J(kNextVertexPrompt));
}

void SupuLineUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSupuLine) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  box.DragStage = 0;
  if (box.B_Switch == _off) {
    box.B_Switch = on1;
    // A list left by another vertex-list mode does not lend its vertices.
    box.Tool(ToolSlot::PolygonObj).Emplace<TSupuLineobj>().AddPoint(box.FirstPoint.x, box.FirstPoint.y);
    box.RubberErased = true;
    return;
  }
  TSupuLineobj* v = VerticesOf(box);
  if (v == nullptr) {
    v = &box.Tool(ToolSlot::PolygonObj).Emplace<TSupuLineobj>();
    v->AddPoint(box.FirstPoint.x, box.FirstPoint.y);
  }
  const RPoint2D p = box.B_Switch == on1 ? box.SecondPoint : box.CurrentPoint;
  // The rubber segment ran from the vertex before; it goes before the new
  // vertex takes its place.
  if (!box.RubberErased) XorRubberSegment(box);
  box.RubberErased = true;
  SetVertexListPen(box, pmCopy);
  DrawSegment(box, VertexOf(*v, v->PointCount), p);
  v->AddPoint(p.x, p.y);
  box.B_Switch = on2;
  PostHostNotification(kCurvePanel, kPointTakenCurves);
}

// The curve's elements from position 1 (position 0 is no part of a result),
// drawn and stored as one step that opens at the first element stored.
// Lines are tagged as the first, an inner and the last line of a chain;
// when the last position is a line too short to store, the last line this
// commit stored closes the chain instead.
void CommitCurveCurves(TcadBox& box, const std::vector<RDrawElement>& elements) {
  if (elements.size() < 2) return;
  const std::size_t last = elements.size() - 1;
  const auto stored = [&](const RDrawElement& e) {
    if (e.Kind == kKindArc) return true;
    return e.Kind == kKindLine && LineLength(e) >= kShortestCurveLine &&
           Tdrawinp::PassesAddCheck(WithCurrentAttributes(box, e));
  };
  std::size_t lastStored = 0;
  for (std::size_t i = 1; i <= last; ++i) {
    if (stored(elements[i])) lastStored = i;
  }
  const bool lastLineDropped = elements[last].Kind == kKindLine && !stored(elements[last]);
  const std::size_t firstAdded = box.Draw1->Elements.size();
  TUndoStep step(*box.Draw1);
  bool first = true;
  for (std::size_t i = 1; i <= last; ++i) {
    const RDrawElement& e = elements[i];
    if (!stored(e)) continue;
    if (e.Kind == kKindArc) {
      CommitArc(step, box, e);
    } else {
      std::uint16_t tag = first ? kLineTagCurveFirst : i == last ? kLineTagCurveLast : kLineTagCurveInner;
      if (lastLineDropped && i == lastStored) tag = kLineTagCurveLast;
      CommitLine(step, box, e, tag);
    }
    first = false;
  }
  DrawAddedSince(box, firstAdded);
}

// The gesture's confirm passes a flag that is set: its drag has taken the
// rubber segment off already.
void SupuLineFinish(TcadBox& box, std::uint8_t flag) {
  if (box.ButonType != dtSupuLine) return;
  TSupuLineobj* v = VerticesOf(box);
  if (v == nullptr) return;
  v->BuildCurve(box.RepeatCount, box.CurveKind, 0.0);
  const bool rubber = flag == 0 && v->PointCount >= 1;
  std::vector<RDrawElement> edges;
  for (std::int32_t k = 1; k < v->PointCount; ++k) {
    const RPoint2D a = VertexOf(*v, k), b = VertexOf(*v, k + 1);
    edges.push_back(LineElement(a.x, a.y, b.x, b.y));
  }
  if (rubber) {
    const RPoint2D a = VertexOf(*v, v->PointCount);
    edges.push_back(LineElement(a.x, a.y, box.LastVertex.x, box.LastVertex.y));
  }
  PaintOverKeepingMarker(box, edges, [&] {
    DrawVertexPolyline(box, *v, false);
    if (rubber) DrawSegment(box, VertexOf(*v, v->PointCount), box.LastVertex);
  });
  CommitCurveCurves(box, v->Elements);
  RebuildDisplayListsCurves(box);
  box.B_Switch = _off;
  box.Tool(ToolSlot::PolygonObj).Free();
  PostHostNotification(kCurvePanel, kCurveCommitted);
}

// A point handed back by an assist is also the end of the rubber segment.
void SupuLineAssistPoint(TcadBox& box) { box.LastVertex = box.AssistPoint; }

// ---- Wave lines ------------------------------------------------------------------

// The end of the wave for a point: its direction rounded to the angle step
// from the drawing angle, at the set length or at the point's foot.
RPoint2D WaveEnd(const TcadBox& box, const RPoint2D& p) {
  return SnapToAngleStep(box.FirstPoint.x, box.FirstPoint.y, p.x, p.y, DrawingAngle(box), box.AngleStep,
                         box.RealToDrawingLength(box.CmdLength));
}

// The band of the wave from the first point to `end` at the host's half
// widths; a band of no length is two lines of no length.
void TakeBand(TcadBox& box, const RPoint2D& end) {
  const RPoint2D& a = box.FirstPoint;
  RPointPair& right = box.PreviewBlock[0];
  RPointPair& left = box.PreviewBlock[1];
  right = left = {a.x, a.y, a.x, a.y};
  OffsetSegmentBothSides(a.x, a.y, end.x, end.y, box.RealToDrawingLength(box.DoubleOffsetRight),
                         box.RealToDrawingLength(box.DoubleOffsetLeft), right, left);
}

void DrawBand(TcadBox& box) {
  for (const RPointPair& l : box.PreviewBlock) box.DrawLine(box.Pentyp, box.Canvas(), l.xa, l.ya, l.xb, l.yb);
}

void XorBand(TcadBox& box) {
  box.SetXorPen(PenColourOf(box, box.Pencol), true);
  box.Canvas().Pen.Width = 1;
  DrawBand(box);
  box.Canvas().Pen.Mode = pmCopy;
}

void EraseBand(TcadBox& box) {
  box.EraseOwnRubberBand(PenColourOf(box, box.Pencol), true, 1, [&box] { DrawBand(box); });
}

void sinkoDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtsinko) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  RPoint2D p;
  if (!OffsetClickPoint(box, x, y, p)) return;
  if (box.CommandStep == 0) {
    box.FirstPoint = p;
    return;
  }
  box.SecondPoint = p;
  if (box.ClickKind == 3) box.RubberErased = false;
}

void sinkoMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtsinko || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    // The band stays on the screen while the gesture runs.
    if (box.CommandStep == 1) {
      if (box.RubberErased) XorBand(box);
      box.RubberErased = false;
    }
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(J(kFirstPointPrompt));
    return;
  }
  box.MoveRubberBand(
      PenColourOf(box, box.Pencol), true, 1, [&box] { DrawBand(box); },
      [&] {
        box.CurrentPoint = WaveEnd(box, {x, y});
        TakeBand(box, box.CurrentPoint);
      });
  box.SetGuidePrompt(J(kSecondPointPrompt));
}

// The wave's lines are tagged by their position: the first, an inner and
// the last line of a chain. The step opens at the first element stored.
void CommitWave(TcadBox& box, const std::vector<RDrawElement>& elements) {
  const std::size_t first = box.Draw1->Elements.size();
  TUndoStep step(*box.Draw1);
  const std::size_t count = elements.size();
  for (std::size_t i = 0; i < count; ++i) {
    const RDrawElement& e = elements[i];
    if (e.Kind == kKindArc) {
      CommitArc(step, box, e);
    } else if (e.Kind == kKindLine && LineLength(e) >= kShortestWaveLine) {
      CommitLine(step, box, e, i == 0 ? kLineTagCurveFirst : i + 1 == count ? kLineTagCurveLast : kLineTagCurveInner);
    }
  }
  DrawAddedSince(box, first);
}

void sinkoUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtsinko || !SecondPointReleased(box)) return;
  EraseBand(box);
  const RPoint2D end = WaveEnd(box, box.SecondPoint);
  TSinLineobj wave;
  wave.BuildWave(box.SetCount, box.FirstPoint.x, box.FirstPoint.y, end.x, end.y,
                 box.RealToDrawingLength(box.AngleArcStart), box.RealToDrawingLength(box.AngleArcEnd),
                 box.GroupScales[box.WriteGrupe_No % kLayerGroups]);
  CommitWave(box, wave.Elements);
  RebuildDisplayListsCurves(box);
  box.CommandStep = 0;
  box.RubberErased = true;
}

// Run by the double line's cancel.
void sinkoCancel(TcadBox& box) {
  if (box.ButonType != dtsinko || box.CommandStep != 1) return;
  EraseBand(box);
  box.CommandStep = 0;
  box.ClickKind = 0;
}

void EraseWaveBandOnLeave(TcadBox& box) {
  if (box.CommandStep == 0) return;
  EraseBand(box);
  box.CurrentPoint = box.FirstPoint;
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The first, the second and the third point, by B_Switch.
void CurvePointAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = SlotBySwitch(box, &box.FirstPoint, &box.SecondPoint, &box.CurrentPoint);
}

// As the two-point line: the first point while none is placed, then the second.
void sinkoAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = box.CommandStep == 0 ? &box.FirstPoint : &box.SecondPoint;
  if (box.CommandStep == 0) slot.Also = {&box.CurrentPoint};
}

// A point of a two-step assist: the first starts the band, the second is
// kept as a free click for the command's next event.
void sinkoResume(TcadBox& box, TShiftState, double, double) {
  if (TakeAssistAsFirstPoint(box)) return;
  box.SecondPoint = box.CurrentPoint = box.AssistPoint;
  box.ClickKind = 2;
}

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// The confirm gestures end the curve.
void kyokusen3tenGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  CommandRegistry().RunFinish("kyokusen3tenFinish", box, 0);
}

void SupuLineGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  CommandRegistry().RunFinish("SupuLineFinish", box, 1);
}

}  // namespace
