// Regular polygons of a set size at a point, or by centre and end point.

#include <cmath>
#include <numbers>

#include "canvas/cad_box.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "tools/edit/polygons.h"

namespace {
void takakukeikoteiDown(TcadBox& box, TShiftState shift, double x, double y);
void takakukeikoteiMove(TcadBox& box, TShiftState shift, double x, double y);
void takakukeikoteiUp(TcadBox& box, TShiftState shift, double x, double y);
void takakukeiFreeDown(TcadBox& box, TShiftState shift, double x, double y);
void takakukeiFreeMove(TcadBox& box, TShiftState shift, double x, double y);
void takakukeiFreeUp(TcadBox& box, TShiftState shift, double x, double y);
void takakukeiFreeCancel(TcadBox& box);
void takakukeiFreeAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
}  // namespace

void RegisterPolygonCommands() {
  RegisterFamily({.Name = "takakukeikotei",
                  .Modes = {dttakakukeikotei},
                  .Down = takakukeikoteiDown,
                  .Move = takakukeikoteiMove,
                  .Up = takakukeikoteiUp,
                  .Assist = {.Slot = PlacedAtOnceAssistSlot},
                  .Gestures = {EnvelopeGesture()}});
  RegisterFamily({.Name = "takakukeiFree",
                  .Modes = {dttakakukeiFree},
                  .Down = takakukeiFreeDown,
                  .Move = takakukeiFreeMove,
                  .Up = takakukeiFreeUp,
                  .Cancels = {{"takakukeiFreeCancel", takakukeiFreeCancel}},
                  .Assist = {.Slot = takakukeiFreeAssistSlot}});
}

namespace {

// The side count and construction the preview on the screen was built
// with: the host may change them while the preview shows, and the erase must
// rebuild what was drawn.
struct RPolygonPreview {
  std::int32_t Sides = 0;
  std::uint8_t Kind = 0;
};

// A polygon as the preview and the commit build it.
struct RPolygon {
  std::int32_t Sides;
  std::uint8_t Kind;
  RPoint2D Centre;
  RPoint2D Point;
  double Size;
  double Angle;
};

double CurrentAngle(const TcadBox& box) { return NormalizeAngle360(box.CommandAngle + box.AxisAngle); }
double CurrentSize(const TcadBox& box) { return box.RealToDrawingLength(box.AngleArcRadius); }

// The fixed-size polygon's point: at the set size from the centre in the
// direction of its first vertex, so that every construction takes the set
// size turned by the angle, wherever the polygon is placed.
RPoint2D FixedPolygonPoint(std::int32_t sides, const RPoint2D& centre, double size, double angle) {
  const int n = sides < 3 ? 3 : sides;
  const double a = (270.0 - 180.0 / n + angle) * std::numbers::pi / 180.0;
  return {centre.x + size * std::cos(a), centre.y + size * std::sin(a)};
}

RPolygon FixedPolygon(std::int32_t sides, std::uint8_t kind, const RPoint2D& centre, double size, double angle) {
  return {sides, kind, centre, FixedPolygonPoint(sides, centre, size, angle), size, angle};
}

void DrawPolygon(TcadBox& box, const RPolygon& p, std::uint8_t lineType) {
  TTakakukeiobj tool;
  tool.Build(p.Sides, p.Kind, p.Centre.x, p.Centre.y, p.Point.x, p.Point.y, p.Size, p.Angle);
  TCanvas& canvas = box.Canvas();
  for (const RDrawElement& e : tool.Elements) box.DrawLine(lineType, canvas, e.X1, e.Y1, e.X2, e.Y2);
}

void XorPolygon(TcadBox& box, const RPolygon& p, std::uint8_t colourNo, std::uint8_t lineType) {
  box.SetXorPen(PenColourOf(box, colourNo), true);
  box.Canvas().Pen.Width = 1;
  DrawPolygon(box, p, lineType);
  box.Canvas().Pen.Mode = pmCopy;
}

// The preview on the screen, rebuilt from what it was drawn with.
RPolygon ShownPreview(TcadBox& box) {
  const RPolygonPreview& shown = box.FamilyState<RPolygonPreview>();
  if (box.ButonType == dttakakukeikotei) {
    return FixedPolygon(shown.Sides, shown.Kind, box.SecondPoint, box.PreviewRadius, box.PreviewAngle);
  }
  return {shown.Sides, shown.Kind, box.FirstPoint, box.SecondPoint, box.PreviewRadius, box.PreviewAngle};
}

void ErasePreviewPolygons(TcadBox& box) {
  if (box.RubberErased) return;
  XorPolygon(box, ShownPreview(box), box.PreviewColor, box.PreviewLineType);
  box.RubberErased = true;
}

void ShowPreviewPolygons(TcadBox& box, const RPolygon& p) {
  XorPolygon(box, p, box.Pencol, box.Pentyp);
  box.PreviewColor = box.Pencol;
  box.PreviewLineType = box.Pentyp;
  box.FamilyState<RPolygonPreview>().Sides = p.Sides;
  box.PreviewRadius = p.Size;
  box.PreviewAngle = p.Angle;
  box.FamilyState<RPolygonPreview>().Kind = p.Kind;
  box.RubberErased = false;
}

// The polygon's edges stored with the current pen as one step and shown
// as the redraw shows them, under the point marker of a snapped point.
void CommitPolygon(TcadBox& box, const RPolygon& p) {
  TTakakukeiobj tool;
  tool.Build(p.Sides, p.Kind, p.Centre.x, p.Centre.y, p.Point.x, p.Point.y, p.Size, p.Angle);
  const std::size_t first = box.Draw1->Elements.size();
  {
    TUndoStep step(*box.Draw1);
    for (const RDrawElement& e : tool.Elements) {
      RDrawElement edge = LineElement(e.X1, e.Y1, e.X2, e.Y2);
      edge.LineType = box.Pentyp;
      edge.ColorNo = box.Pencol;
      edge.Group = box.WriteGrupe_No;
      edge.Layer = box.WriteReiya_No;
      step.AddChecked(edge);
    }
  }
  DrawAddedSince(box, first);
}

// The snapped point of a right press, marked; nothing found drops the click.
bool SnappedPoint(TcadBox& box, double x, double y, RPoint2D& point) {
  double sx = x, sy = y;
  if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
    box.ClickKind = 0;
    return false;
  }
  point = {sx, sy};
  return true;
}

void takakukeikoteiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dttakakukeikotei) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.RubberErased = true;
    box.CommandStep = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind == 2) {
    box.FirstPoint = box.CurrentPoint = {x, y};
    box.CommandStep = 1;
  } else if (box.ClickKind == 3) {
    box.CurrentPoint = {x, y};
    RPoint2D p;
    if (!SnappedPoint(box, x, y, p)) return;
    box.FirstPoint = p;
    box.CommandStep = 1;
    box.ShowPointMarker(0, p.x, p.y);
  }
}

void takakukeikoteiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dttakakukeikotei || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    ErasePreviewPolygons(box);
    box.CommandStep = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift) || box.CommandStep != 0) return;
  ErasePreviewPolygons(box);
  ShowPreviewPolygons(box, FixedPolygon(box.SetCount, box.PolygonKind, {x, y}, CurrentSize(box), CurrentAngle(box)));
  box.SecondPoint = {x, y};
  box.SetGuidePrompt(J(kPointPrompt));
}

void takakukeikoteiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dttakakukeikotei) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.CommandStep = 0;
    return;
  }
  if (box.ClickKind == 0 || box.CommandStep == 0) return;
  const RPoint2D centre = box.FreePoint(box.FirstPoint.x, box.FirstPoint.y);
  ErasePreviewPolygons(box);
  CommitPolygon(box, FixedPolygon(box.SetCount, box.PolygonKind, centre, CurrentSize(box), CurrentAngle(box)));
  box.CommandStep = 0;
  box.RubberErased = true;
  box.ClickKind = 0;
}

void takakukeiFreeDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dttakakukeiFree) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.CurrentPoint = box.FirstPoint;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2 && box.ClickKind != 3) return;
  RPoint2D p{x, y};
  if (box.ClickKind == 3 && !SnappedPoint(box, x, y, p)) return;
  const RPoint2D withOffset = box.FreePoint(p.x, p.y);
  if (box.CommandStep == 0) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = withOffset;
    if (box.ClickKind == 3) box.ShowPointMarker(0, box.FirstPoint.x, box.FirstPoint.y);
    return;
  }
  if (box.ClickKind == 3) {
    // The preview's position stays in SecondPoint, so that its erase
    // rebuilds it where it was drawn.
    if (std::fabs(withOffset.x - box.FirstPoint.x) < 0.0001 && std::fabs(withOffset.y - box.FirstPoint.y) < 0.0001) {
      box.ClickKind = 0;
      box.ShowTopMessage(J(kSamePointMessage));
      return;
    }
    box.ShowPointMarker(0, p.x, p.y);
  }
  box.CurrentPoint = withOffset;
}

void takakukeiFreeMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dttakakukeiFree || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.CommandStep == 1) ErasePreviewPolygons(box);
    box.RubberErased = true;
    box.ClickKind = 0;
    box.CommandStep = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(J("中心点指示    [左クリック：（自由）  右クリック：（点読取り）]"));
    return;
  }
  ErasePreviewPolygons(box);
  ShowPreviewPolygons(box,
                      {box.SetCount, box.PolygonKind, box.FirstPoint, {x, y}, CurrentSize(box), CurrentAngle(box)});
  box.SecondPoint = {x, y};
  box.SetGuidePrompt(J("終了点指示    [左クリック：（自由）  右クリック：（点読取り）]"));
}

void takakukeiFreeUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dttakakukeiFree || box.ViewGestureState != 0 || box.ClickKind == 0) return;
  if (box.CommandStep == 0) {
    box.CommandStep = 1;
    box.PreviewColor = box.Pencol;
    box.PreviewLineType = box.Pentyp;
    box.FamilyState<RPolygonPreview>().Sides = box.SetCount;
    return;
  }
  ErasePreviewPolygons(box);
  CommitPolygon(box,
                {box.SetCount, box.PolygonKind, box.FirstPoint, box.CurrentPoint, CurrentSize(box), CurrentAngle(box)});
  box.CommandStep = 0;
  box.ClickKind = 0;
}

// The polygon commands' preview goes with the cancel. The figure placement
// modes that share this cancel have their rows with the figures.
void takakukeiFreeCancel(TcadBox& box) {
  CommandRegistry().RunPhase("FigureModesCancel", box);
  if (box.ButonType == dttakakukeiFree && box.CommandStep == 1) {
    ErasePreviewPolygons(box);
    box.CommandStep = 0;
  } else if (box.ButonType == dttakakukeikotei && !box.RubberErased) {
    ErasePreviewPolygons(box);
    box.CommandStep = 0;
  }
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

void takakukeiFreeAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = box.CommandStep == 0 ? &box.FirstPoint : &box.CurrentPoint;
  slot.EraseRubber = true;
}

}  // namespace
