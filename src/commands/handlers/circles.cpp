// Circles and arcs: free, fixed-radius, through three points, inscribed
// and tangent to three elements.

#include <cmath>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/handlers/circles.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"
#include "tools/edit/circle_placement.h"
#include "tools/edit/tangent_circles.h"

namespace {
void EnFreeDown(TcadBox& box, TShiftState shift, double x, double y);
void EnFreeMove(TcadBox& box, TShiftState shift, double x, double y);
void EnFreeUp(TcadBox& box, TShiftState shift, double x, double y);
void EnkoDown(TcadBox& box, TShiftState shift, double x, double y);
void EnkoMove(TcadBox& box, TShiftState shift, double x, double y);
void EnkoUp(TcadBox& box, TShiftState shift, double x, double y);
void EnkoKoteiDown(TcadBox& box, TShiftState shift, double x, double y);
void EnkoKoteiMove(TcadBox& box, TShiftState shift, double x, double y);
void EnkoKoteiUp(TcadBox& box, TShiftState shift, double x, double y);
void EnKoteiDown(TcadBox& box, TShiftState shift, double x, double y);
void EnKoteiMove(TcadBox& box, TShiftState shift, double x, double y);
void EnKoteiUp(TcadBox& box, TShiftState shift, double x, double y);
void hanEnDown(TcadBox& box, TShiftState shift, double x, double y);
void hanEnMove(TcadBox& box, TShiftState shift, double x, double y);
void hanEnUp(TcadBox& box, TShiftState shift, double x, double y);
void En3tenDown(TcadBox& box, TShiftState shift, double x, double y);
void En3tenMove(TcadBox& box, TShiftState shift, double x, double y);
void En3tenUp(TcadBox& box, TShiftState shift, double x, double y);
void EnSeSen3tenDown(TcadBox& box, TShiftState shift, double x, double y);
void EnSeSen3tenMove(TcadBox& box, TShiftState shift, double x, double y);
void EnSeSen3tenUp(TcadBox& box, TShiftState shift, double x, double y);
void EnSeSen3tenNDown(TcadBox& box, TShiftState shift, double x, double y);
void EnSeSen3tenNMove(TcadBox& box, TShiftState shift, double x, double y);
void EnSeSen3tenNUp(TcadBox& box, TShiftState shift, double x, double y);
void EnSeSen3senDown(TcadBox& box, TShiftState shift, double x, double y);
void EnSeSen3senMove(TcadBox& box, TShiftState shift, double x, double y);
void EnSeSen3senUp(TcadBox& box, TShiftState shift, double x, double y);
void EnFreeCancel(TcadBox& box);
void ResetArcState(TcadBox& box);
void EnKoteiLeave(TcadBox& box);
void EnFreeResume(TcadBox& box, TShiftState, double, double);
void EnkoResume(TcadBox& box, TShiftState, double, double);
void EnkoKoteiResume(TcadBox& box, TShiftState, double, double);
void hanEnResume(TcadBox& box, TShiftState, double, double);
void En3tenResume(TcadBox& box, TShiftState, double, double);
void EnSeSen3tenResume(TcadBox& box, TShiftState, double, double);
void EnFreeAssistPoint(TcadBox& box);
void EnkoAssistPoint(TcadBox& box);
void EnkoKoteiAssistPoint(TcadBox& box);
void hanEnAssistPoint(TcadBox& box);
void EnFreeAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void ArcAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void EnKoteiAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void EnKoteiResume(TcadBox& box, TShiftState shift, double x, double y);
void ThreePointAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
}  // namespace

void RegisterCircleCommands() {
  RegisterFamily({.Name = "EnFree",
                  .Modes = {dtEnFree},
                  .Down = EnFreeDown,
                  .Move = EnFreeMove,
                  .Up = EnFreeUp,
                  .Cancels = {{"EnFreeCancel", EnFreeCancel}},
                  .Reset = ResetArcState,
                  .Hooks = {.Cursor = CursorPair(22, 23)},
                  .Assist = {.Slot = EnFreeAssistSlot, .Point = EnFreeAssistPoint, .Resume = EnFreeResume}});
  RegisterFamily({.Name = "Enko",
                  .Modes = {dtEnko},
                  .Down = EnkoDown,
                  .Move = EnkoMove,
                  .Up = EnkoUp,
                  .Hooks = {.Cursor = CursorPair(22, 23)},
                  .Assist = {.Slot = ArcAssistSlot, .Point = EnkoAssistPoint, .Resume = EnkoResume}});
  RegisterFamily({.Name = "EnkoKotei",
                  .Modes = {dtEnkoKotei},
                  .Down = EnkoKoteiDown,
                  .Move = EnkoKoteiMove,
                  .Up = EnkoKoteiUp,
                  .Hooks = {.Cursor = CursorPair(22, 23)},
                  .Assist = {.Slot = ArcAssistSlot, .Point = EnkoKoteiAssistPoint, .Resume = EnkoKoteiResume}});
  RegisterFamily({.Name = "EnKotei",
                  .Modes = {dtEnKotei},
                  .Down = EnKoteiDown,
                  .Move = EnKoteiMove,
                  .Up = EnKoteiUp,
                  .Hooks = {.Leave = EnKoteiLeave, .Cursor = CursorPair(22, 23)},
                  .Assist = {.Slot = EnKoteiAssistSlot, .Resume = EnKoteiResume},
                  .Gestures = {EnvelopeGesture()}});
  RegisterFamily({.Name = "hanEn",
                  .Modes = {dthanEn},
                  .Down = hanEnDown,
                  .Move = hanEnMove,
                  .Up = hanEnUp,
                  .Assist = {.Slot = ThreePointAssistSlot, .Point = hanEnAssistPoint, .Resume = hanEnResume}});
  RegisterFamily({.Name = "En3ten",
                  .Modes = {dtEn3ten},
                  .Down = En3tenDown,
                  .Move = En3tenMove,
                  .Up = En3tenUp,
                  .Hooks = {.Cursor = CursorPair(22, 23)},
                  .Assist = {.Slot = ThreePointAssistSlot, .Resume = En3tenResume}});
  RegisterFamily({.Name = "EnSeSen3ten",
                  .Modes = {dtEnSeSen3ten},
                  .Down = EnSeSen3tenDown,
                  .Move = EnSeSen3tenMove,
                  .Up = EnSeSen3tenUp,
                  .Assist = {.Slot = ThreePointAssistSlot, .Resume = EnSeSen3tenResume}});
  RegisterFamily({.Name = "EnSeSen3tenN",
                  .Modes = {dtEnSeSen3tenN},
                  .Down = EnSeSen3tenNDown,
                  .Move = EnSeSen3tenNMove,
                  .Up = EnSeSen3tenNUp,
                  .Assist = {.Slot = ThreePointAssistSlot}});
  RegisterFamily({.Name = "EnSeSen3sen",
                  .Modes = {dtEnSeSen3sen},
                  .Down = EnSeSen3senDown,
                  .Move = EnSeSen3senMove,
                  .Up = EnSeSen3senUp,
                  .Assist = {.Slot = ThreePointAssistSlot}});
}

namespace {

const char* const kThirdPointPrompt = "3点目指示    [左クリック：（自由）  右クリック：（点読取り）]";
const char* const kSecondPointPromptCompact = "2点目指示    [左クリック（自由）：右クリック（点読取り）]";
constexpr int kFixedCircleAdded = 100;

// A curve as the arc fields of an element: centre, major semi-axis, axis
// ratio, angles (equal: the whole curve) and rotation.
struct RCurve {
  RPoint2D Centre;
  double Radius = 0.0;
  double Ratio = 1.0;
  double Start = 0.0;
  double End = 0.0;
  double Rotation = 0.0;
};

// The preview on the screen exactly as it was drawn, so that its erase
// meets it pixel for pixel whatever the command's points did since.
struct RCirclePreview {
  RCurve Shown;
  std::uint8_t LineType = 1;
  std::uint8_t ColourNo = 0;
};

RCurve FullCircle(const RPoint2D& centre, double radius) { return {centre, radius, 1.0, 0.0, 0.0, 0.0}; }

// What the store would drop draws nothing either.
bool Drawable(const RCurve& c) {
  return c.Radius >= 1e-5 && std::isfinite(c.Radius) && std::isfinite(c.Centre.x) && std::isfinite(c.Centre.y) &&
         std::isfinite(c.Ratio) && std::isfinite(c.Start) && std::isfinite(c.End) && std::isfinite(c.Rotation);
}

double Direction(const RPoint2D& from, const RPoint2D& to) { return DirectionAngleDeg(from.x, from.y, to.x, to.y); }

void DrawCurve(TcadBox& box, std::uint8_t lineType, const RCurve& c) {
  box.DrawArc(lineType, box.Canvas(), c.Centre.x, c.Centre.y, c.Radius, c.Ratio, c.Start, c.End, c.Rotation);
}

void ErasePreview(TcadBox& box) {
  if (!box.RubberErased) {
    const RCirclePreview& preview = box.FamilyState<RCirclePreview>();
    box.SetXorPen(PenColourOf(box, preview.ColourNo), true);
    box.Canvas().Pen.Width = 1;
    DrawCurve(box, preview.LineType, preview.Shown);
    box.Canvas().Pen.Mode = pmCopy;
  }
  box.RubberErased = true;
}

// The new preview in XOR with the current pen; a curve without size
// leaves nothing on the screen.
void ShowPreview(TcadBox& box, const RCurve& c) {
  if (!Drawable(c)) return;
  RCirclePreview& preview = box.FamilyState<RCirclePreview>();
  box.SetXorPen(PenColourOf(box, box.Pencol), true);
  box.Canvas().Pen.Width = 1;
  DrawCurve(box, box.Pentyp, c);
  box.Canvas().Pen.Mode = pmCopy;
  preview = {c, box.Pentyp, box.Pencol};
  box.ArcPreviewLineType = box.Pentyp;
  box.ArcPreviewColor = box.Pencol;
  box.RubberErased = false;
}

// Added as one undo step with the current pen and shown as the redraw
// shows it, under the point marker of a snapped point.
void CommitCurve(TcadBox& box, const RCurve& c) {
  const std::size_t first = box.Draw1->Elements.size();
  box.AddArcToStore(*box.Draw1, c.Centre.x, c.Centre.y, c.Radius, c.Ratio, c.Start, c.End, c.Rotation);
  DrawAddedSince(box, first);
}

// Painted over in the background colour: a preview whose sweep side may
// have changed since it was drawn goes as a whole circle.
void PaintOverCircle(TcadBox& box, const RPoint2D& centre, double radius, double ratio, double rotation) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 2;
  canvas.Pen.Color = box.Color();
  canvas.Brush.Style = bsClear;
  if (Drawable({centre, radius, ratio, 0.0, 0.0, rotation})) {
    box.DrawArc(1, canvas, centre.x, centre.y, radius, ratio, 0.0, 0.0, rotation);
  }
  box.RubberErased = true;
}

// ---- Circle or ellipse by its centre and a point on it ----------------------

// The curve of the host's ratio and rotation about the centre through p.
RCurve EllipseThrough(const TcadBox& box, const RPoint2D& centre, const RPoint2D& p) {
  const double d = PointDistance(centre.x, centre.y, p.x, p.y);
  const double a = d * EllipseDirectionFactor(box.EllipseRatio, box.EllipseRotation, d, centre.x, centre.y, p.x, p.y);
  return {centre, a, box.EllipseRatio, box.AngleArcStart, box.AngleArcEnd, box.EllipseRotation};
}

void EnFreeDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtEnFree) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.CurrentPoint = box.FirstPoint;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const bool snapping = box.ClickKind == 3;
  RPoint2D p, snapped;
  if (!OffsetClickPoint(box, x, y, p, snapped)) return;
  if (box.CommandStep == 0) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
    return;
  }
  if (!snapping) {
    box.CurrentPoint = box.SecondPoint = p;
    return;
  }
  box.SecondPoint = {x, y};
  if (SameClickPoint(snapped, box.FirstPoint)) {
    box.ClickKind = 0;
    box.ShowTopMessage(J(kSameAsFirstMessage));
    return;
  }
  box.CurrentPoint = p;
}

void EnFreeMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtEnFree || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.CommandStep == 1) ErasePreview(box);
    box.ClickKind = 0;
    box.RubberErased = true;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(J("円中心点指示    [左クリック：（自由）  右クリック：（点読取り）]"));
    return;
  }
  ErasePreview(box);
  const RPoint2D cursor{x, y};
  box.PreviewRadius = PointDistance(box.FirstPoint.x, box.FirstPoint.y, x, y);
  ShowPreview(box, EllipseThrough(box, box.FirstPoint, cursor));
  box.CurrentPoint = cursor;
  box.PreviewAngle = box.EllipseRotation;
  box.SetGuidePrompt(J("円半径点指示    [左クリック：（自由）  右クリック：（点読取り）]"));
}

void EnFreeUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtEnFree) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.CommandStep == 0) {
    box.CommandStep = 1;
    return;
  }
  ErasePreview(box);
  CommitCurve(box, EllipseThrough(box, box.FirstPoint, box.CurrentPoint));
  box.CommandStep = 0;
  box.ClickKind = 0;
}

// ---- Arcs by centre, start point and end direction ---------------------------
// The free arc takes its radius from the start point; the fixed one has the
// host's set radius.

double ArcRadius(const TcadBox& box, bool fixedRadius) {
  return fixedRadius ? box.RealToDrawingLength(box.AngleArcRadius) : box.WorkingArcRadius;
}

Sbuttontype ArcMode(bool fixedRadius) { return fixedRadius ? dtEnkoKotei : dtEnko; }

// The start point: the start direction (both angles), the free arc's
// radius, and both sides anticlockwise.
void TakeArcStart(TcadBox& box, bool fixedRadius, const RPoint2D& p) {
  box.CurrentPoint = p;
  if (!fixedRadius) box.WorkingArcRadius = PointDistance(box.FirstPoint.x, box.FirstPoint.y, p.x, p.y);
  const double start = Direction(box.FirstPoint, p);
  box.AngleArcStart = box.AngleArcEnd = start;
  AngleWithin7Deg(box.AngleArcStart, start, box.FamilyState<RArcSweepState>().ArcSideDrawn);
  AngleWithin7Deg(box.AngleArcStart, start, box.ArcAnticlockwise);
}

// From the start angle to the direction, or from the direction to the start.
RCurve SweptArc(const TcadBox& box, bool fixedRadius, double direction) {
  RCurve c{box.FirstPoint, ArcRadius(box, fixedRadius), box.EllipseRatio, 0.0, 0.0, box.EllipseRotation};
  if (box.ArcAnticlockwise) {
    c.Start = box.AngleArcStart;
    c.End = direction;
  } else {
    c.Start = direction;
    c.End = box.AngleArcEnd;
  }
  return c;
}

void ArcDown(TcadBox& box, bool fixedRadius, TShiftState shift, double x, double y) {
  if (box.ButonType != ArcMode(fixedRadius)) return;
  if (box.ViewGestureState != 0) {
    if (fixedRadius) box.CurrentPoint = box.FirstPoint;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const bool snapping = box.ClickKind == 3;
  RPoint2D p, snapped;
  if (box.B_Switch == _off) {
    if (!OffsetClickPoint(box, x, y, p, snapped)) {
      if (fixedRadius && snapping) box.ShowTopMessage(J("点なし"));
      return;
    }
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
    return;
  }
  if (box.B_Switch == on1) {
    if (snapping) box.SecondPoint = {x, y};
    if (!OffsetClickPoint(box, x, y, p, snapped)) return;
    if (snapping && SameClickPoint(snapped, box.FirstPoint)) {
      box.ClickKind = 0;
      box.ShowTopMessage(J(kSameAsFirstMessage));
      return;
    }
    TakeArcStart(box, fixedRadius, p);
    if (snapping && !fixedRadius) box.SetGuidePrompt(J(kPointHitPrompt));
    return;
  }
  if (OffsetClickPoint(box, x, y, p, snapped)) box.SecondPoint = p;
}

void ArcMove(TcadBox& box, bool fixedRadius, TShiftState shift, double x, double y) {
  if (box.ButonType != ArcMode(fixedRadius) || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J(kFirstPointPrompt));
    return;
  }
  if (box.B_Switch == on1) {
    box.SetGuidePrompt(J(kSecondPointPrompt));
    return;
  }
  // The sweep side is the side on which the cursor last left the start
  // direction.
  const RPoint2D cursor{x, y};
  AngleWithin7Deg(box.AngleArcStart, Direction(box.FirstPoint, box.CurrentPoint),
                  box.FamilyState<RArcSweepState>().ArcSideDrawn);
  const double now = Direction(box.FirstPoint, cursor);
  AngleWithin7Deg(box.AngleArcStart, now, box.ArcAnticlockwise);
  ErasePreview(box);
  ShowPreview(box, SweptArc(box, fixedRadius, now));
  box.CurrentPoint = cursor;
  box.SetGuidePrompt(J(kThirdPointPrompt));
}

void ArcUp(TcadBox& box, bool fixedRadius) {
  if (box.ButonType != ArcMode(fixedRadius)) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    box.B_Switch = on1;
    return;
  }
  if (box.B_Switch == on1) {
    box.B_Switch = on2;
    box.RubberErased = true;
    return;
  }
  box.B_Switch = _off;
  ErasePreview(box);
  CommitCurve(box, SweptArc(box, fixedRadius, Direction(box.FirstPoint, box.SecondPoint)));
  box.ClickKind = 0;
}

void EnkoDown(TcadBox& box, TShiftState shift, double x, double y) { ArcDown(box, false, shift, x, y); }
void EnkoMove(TcadBox& box, TShiftState shift, double x, double y) { ArcMove(box, false, shift, x, y); }
void EnkoUp(TcadBox& box, TShiftState, double, double) { ArcUp(box, false); }
void EnkoKoteiDown(TcadBox& box, TShiftState shift, double x, double y) { ArcDown(box, true, shift, x, y); }
void EnkoKoteiMove(TcadBox& box, TShiftState shift, double x, double y) { ArcMove(box, true, shift, x, y); }
void EnkoKoteiUp(TcadBox& box, TShiftState, double, double) { ArcUp(box, true); }

// ---- Circle of the set radius by a base point --------------------------------

// The centre for a base point; a base kind the placement does not know
// keeps the point as the centre.
RCurve FixedCircleAt(const TcadBox& box, const RPoint2D& p) {
  const double r = box.RealToDrawingLength(box.AngleArcRadius);
  RPoint2D centre = p;
  if (box.CircleBaseKind <= 8) {
    TEnKitenobj placer;
    placer.PlacePoint(box.CircleBaseKind, p.x, p.y, r, box.EllipseRatio, box.EllipseRotation);
    centre = {placer.X, placer.Y};
  }
  return {centre, r, box.EllipseRatio, box.AngleArcStart, box.AngleArcEnd, box.EllipseRotation};
}

void EnKoteiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtEnKotei) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.RubberErased = true;
    box.CommandStep = 0;
    box.Mhan1 = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind == 2) {
    box.FirstPoint = box.FreePoint(x, y);
    box.CommandStep = 1;
  } else if (box.ClickKind == 3) {
    box.Mhan1 = 0;
    RPoint2D snapped;
    if (!box.SnappedPoint(x, y, snapped)) {
      box.ClickKind = 0;
      box.Mhan1 = 1;
      return;
    }
    box.FirstPoint = box.FreePoint(snapped.x, snapped.y);
    box.CommandStep = 1;
  }
}

void EnKoteiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtEnKotei) return;
  if (box.ViewGestureState != 0) {
    box.Mhan1 = 0;
    return;
  }
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    ErasePreview(box);
    box.CommandStep = 0;
    box.Mhan1 = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift) || box.CommandStep != 0) return;
  ErasePreview(box);
  const RCurve c = FixedCircleAt(box, {x, y});
  ShowPreview(box, c);
  box.CurrentPoint = c.Centre;
  box.PreviewRadius = box.AngleArcRadius;
  box.PreviewAngle = box.EllipseRotation;
  box.SetGuidePrompt(J(kPointPrompt));
}

void EnKoteiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtEnKotei) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    box.CommandStep = 0;
    return;
  }
  if (box.CommandStep == 0) return;
  ErasePreview(box);
  CommitCurve(box, FixedCircleAt(box, box.FirstPoint));
  box.CommandStep = 0;
  box.ClickKind = 0;
  // The next move shows the preview again.
  PostHostNotification("TFrame12", kFixedCircleAdded);
}

void EnKoteiLeave(TcadBox& box) {
  ErasePreview(box);
  box.CurrentPoint = {-50000.0, -50000.0};
}

// ---- Half circle on a diameter ------------------------------------------------

void TakeDiameter(TcadBox& box) {
  const RPoint2D& a = box.FirstPoint;
  const RPoint2D& b = box.SecondPoint;
  box.WorkingArcRadius = PointDistance(a.x, a.y, b.x, b.y) / 2;
  box.AngleArcCentre = {(a.x + b.x) / 2, (a.y + b.y) / 2};
  box.AngleArcStart = Direction(box.AngleArcCentre, a);
  box.AngleArcEnd = Direction(box.AngleArcCentre, b);
}

RCurve BuiltArc(const TcadBox& box) {
  return {box.AngleArcCentre, box.WorkingArcRadius, box.EllipseRatio,
          box.AngleArcStart,  box.AngleArcEnd,      box.EllipseRotation};
}

void hanEnDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dthanEn) return;
  if (box.ViewGestureState != 0 || (shift & (ssLeft | ssRight)) == (ssLeft | ssRight)) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2 && box.ClickKind != 3) return;
  RPoint2D p{x, y};
  if (box.B_Switch == on2) {
    // The side comes from the last move; the click only confirms it.
    box.CurrentPoint = p;
    return;
  }
  if (box.ClickKind == 3 && !box.SnappedPoint(x, y, p)) {
    box.ClickKind = 0;
    return;
  }
  if (box.B_Switch == _off) {
    box.FirstPoint = p;
    return;
  }
  if (box.ClickKind == 3 && SameClickPoint(p, box.FirstPoint)) {
    box.ClickKind = 0;
    box.SetGuidePrompt(J(kSameAsFirstMessage));
    return;
  }
  box.SecondPoint = p;
  TakeDiameter(box);
}

void hanEnMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dthanEn) return;
  if (box.ViewGestureState != 0 || box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J(kFirstPointPrompt));
    return;
  }
  if (box.B_Switch == on1) {
    box.SetGuidePrompt(J(kSecondPointPrompt));
    return;
  }
  ErasePreview(box);
  OrderArcAngles(box.AngleArcStart, box.AngleArcEnd, Direction(box.AngleArcCentre, {x, y}));
  ShowPreview(box, BuiltArc(box));
  box.CurrentPoint = {x, y};
  box.SetGuidePrompt(J(kThirdPointPrompt));
}

// The release of the three-step curve commands before the commit: a view
// gesture leaves the preview gone, a dropped click does nothing, the first
// two steps move on. True at the third step.
bool ThirdStepReleased(TcadBox& box) {
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return false;
  }
  if (box.ClickKind == 0) return false;
  if (box.B_Switch == _off) {
    box.B_Switch = on1;
    return false;
  }
  if (box.B_Switch == on1) {
    box.B_Switch = on2;
    box.RubberErased = true;
    return false;
  }
  return true;
}

void hanEnUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dthanEn || !ThirdStepReleased(box)) return;
  ErasePreview(box);
  CommitCurve(box, BuiltArc(box));
  box.B_Switch = _off;
  box.ClickKind = 0;
}

// ---- Arc through three points ------------------------------------------------

// The arc from the first to the second point through `through`, into the
// arc being built; false (nothing changed) when no circle passes the three.
bool ArcThrough(TcadBox& box, const RPoint2D& through) {
  double cx = 0, cy = 0, r = 0;
  if (!Circumcircle(box.FirstPoint, box.SecondPoint, through, cx, cy, r)) return false;
  box.AngleArcCentre = {cx, cy};
  box.WorkingArcRadius = r;
  box.AngleArcStart = Direction(box.AngleArcCentre, box.FirstPoint);
  box.AngleArcEnd = Direction(box.AngleArcCentre, box.SecondPoint);
  OrderArcAngles(box.AngleArcStart, box.AngleArcEnd, Direction(box.AngleArcCentre, through));
  return true;
}

void En3tenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtEn3ten) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const bool snapping = box.ClickKind == 3;
  RPoint2D p, snapped;
  if (!OffsetClickPoint(box, x, y, p, snapped)) return;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
    return;
  }
  const bool repeated = snapping && (SameClickPoint(snapped, box.FirstPoint) ||
                                     (box.B_Switch != on1 && SameClickPoint(snapped, box.SecondPoint)));
  if (repeated) {
    box.ClickKind = 0;
    box.ShowTopMessage(J("1.2点目と同一点です"));
    return;
  }
  if (box.B_Switch == on1) {
    box.SecondPoint = p;
    return;
  }
  box.SegmentStart = p;
  if (snapping) box.ShowTopMessage(J(kPointHitCaption));
}

void En3tenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtEn3ten) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.B_Switch == on2) ErasePreview(box);
    box.ClickKind = 0;
    return;
  }
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J(kFirstPointPromptCompact));
    return;
  }
  if (box.B_Switch == on1) {
    box.SetGuidePrompt(J(kSecondPointPromptCompact));
    return;
  }
  ErasePreview(box);
  const RPoint2D cursor{x, y};
  if (ArcThrough(box, cursor)) {
    ShowPreview(box, BuiltArc(box));
    box.CurrentPoint = cursor;
  }
  box.SetGuidePrompt(J(kThirdPointPrompt));
}

void En3tenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtEn3ten || !ThirdStepReleased(box)) return;
  ErasePreview(box);
  if (ArcThrough(box, box.SegmentStart)) CommitCurve(box, BuiltArc(box));
  box.B_Switch = _off;
  box.ClickKind = 0;
}

// ---- Circles through, inscribed in or tangent to three inputs ---------------

const RDrawElement* ElementAt(const TcadBox& box, std::int32_t index) {
  const std::vector<RDrawElement>& elements = box.Draw1->Elements;
  if (index < 0 || static_cast<std::size_t>(index) >= elements.size()) return nullptr;
  return &elements[static_cast<std::size_t>(index)];
}

// The circle for the third input into the arc being built; false (nothing
// changed) when the inputs give none. The tangent circle's preview touches
// the first two inputs only.
bool ThreeInputCircle(TcadBox& box, Sbuttontype mode, const RPoint2D& third, bool final) {
  const RPoint2D& p1 = box.FirstPoint;
  const RPoint2D& p2 = box.SecondPoint;
  double cx = 0, cy = 0, r = 0;
  if (mode == dtEnSeSen3ten) {
    if (!Circumcircle(p1, p2, third, cx, cy, r)) return false;
  } else if (mode == dtEnSeSen3tenN) {
    TEnSeSantenobj incircle(p1.x, p1.y, p2.x, p2.y, third.x, third.y);
    incircle.Compute();
    if (!(incircle.Result.Radius >= 1e-5)) return false;
    cx = incircle.Result.CentreX;
    cy = incircle.Result.CentreY;
    r = incircle.Result.Radius;
  } else {
    TEnSeSanSenobj tangent(ElementAt(box, box.PickedIndex[1]), ElementAt(box, box.PickedIndex[2]),
                           final ? ElementAt(box, box.PickedIndex[4]) : nullptr, p1.x, p1.y, p2.x, p2.y, third.x,
                           third.y, box.RealToDrawingLength(box.AngleStep));
    if (!(final ? tangent.SolveThree() : tangent.SolveWithRadius())) return false;
    cx = tangent.Result.CentreX;
    cy = tangent.Result.CentreY;
    r = tangent.Result.Radius;
  }
  box.AngleArcCentre = {cx, cy};
  box.WorkingArcRadius = r;
  return true;
}

RCurve BuiltCircle(const TcadBox& box) { return FullCircle(box.AngleArcCentre, box.WorkingArcRadius); }

void ThreeInputDown(TcadBox& box, Sbuttontype mode, TShiftState shift, double x, double y) {
  if (box.ButonType != mode) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  RPoint2D p{x, y};
  if (box.ClickKind == 3) {
    if (!box.Draw1->SnapPoint(p.x, p.y, box.Zoom, 0, box.GridObj.Lines)) {
      box.ClickKind = 0;
      box.ShowTopMessage(J(kNoPointShort));
      return;
    }
    const bool repeated = (box.B_Switch != _off && SameClickPoint(p, box.FirstPoint)) ||
                          (box.B_Switch == on2 && SameClickPoint(p, box.SecondPoint));
    if (repeated) {
      box.ClickKind = 0;
      box.ShowTopMessage(J(kSamePointMessage));
      return;
    }
    box.ShowPointMarker(0, p.x, p.y);
    if (mode == dtEnSeSen3sen) box.ShowTopMessage(J(kPointHitCaption));
  } else if (box.ClickKind != 2) {
    return;
  }
  if (box.B_Switch == _off) {
    box.FirstPoint = p;
    if (mode != dtEnSeSen3sen) box.SecondPoint = box.CurrentPoint = p;
  } else if (box.B_Switch == on1) {
    box.SecondPoint = p;
  } else {
    box.CurrentPoint = p;
  }
}

void ThreeInputMove(TcadBox& box, Sbuttontype mode, TShiftState shift, double x, double y) {
  if (box.ButonType != mode || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    if (mode != dtEnSeSen3ten && box.B_Switch == on2) ErasePreview(box);
    return;
  }
  const bool pointsOnly = mode != dtEnSeSen3sen;
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J(pointsOnly ? kFirstPointPromptCompact
                                    : "[1]　線、円、点指示  [左クリック（線、円読取り）：右クリック（点読取り）]"));
    return;
  }
  if (box.B_Switch == on1) {
    box.SetGuidePrompt(J(pointsOnly ? kSecondPointPromptCompact
                                    : "[2]　線、円、点指示  [左クリック（線、円読取り）：右クリック（点読取り）]"));
    return;
  }
  ErasePreview(box);
  const RPoint2D cursor{x, y};
  if (ThreeInputCircle(box, mode, cursor, false)) ShowPreview(box, BuiltCircle(box));
  if (pointsOnly) box.CurrentPoint = cursor;
  box.SetGuidePrompt(
      J(pointsOnly ? kThirdPointPrompt : "[3]　線、円、点指示  [左クリック（線、円読取り）：右クリック（点読取り）]"));
}

void CommitThreeInputCircle(TcadBox& box, Sbuttontype mode) {
  ErasePreview(box);
  if (ThreeInputCircle(box, mode, box.CurrentPoint, true)) CommitCurve(box, BuiltCircle(box));
  box.B_Switch = _off;
  box.ClickKind = 0;
}

void EnSeSen3tenDown(TcadBox& box, TShiftState shift, double x, double y) {
  ThreeInputDown(box, dtEnSeSen3ten, shift, x, y);
}
void EnSeSen3tenMove(TcadBox& box, TShiftState shift, double x, double y) {
  ThreeInputMove(box, dtEnSeSen3ten, shift, x, y);
}
void EnSeSen3tenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType == dtEnSeSen3ten && ThirdStepReleased(box)) CommitThreeInputCircle(box, dtEnSeSen3ten);
}
void EnSeSen3tenNDown(TcadBox& box, TShiftState shift, double x, double y) {
  ThreeInputDown(box, dtEnSeSen3tenN, shift, x, y);
}
void EnSeSen3tenNMove(TcadBox& box, TShiftState shift, double x, double y) {
  ThreeInputMove(box, dtEnSeSen3tenN, shift, x, y);
}
void EnSeSen3tenNUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType == dtEnSeSen3tenN && ThirdStepReleased(box)) CommitThreeInputCircle(box, dtEnSeSen3tenN);
}
void EnSeSen3senDown(TcadBox& box, TShiftState shift, double x, double y) {
  ThreeInputDown(box, dtEnSeSen3sen, shift, x, y);
}
void EnSeSen3senMove(TcadBox& box, TShiftState shift, double x, double y) {
  ThreeInputMove(box, dtEnSeSen3sen, shift, x, y);
}

// A left click picks the element the input stands for; a right click's
// snapped point stands for itself (index -100). False when a left click
// finds nothing.
bool PickInput(TcadBox& box, std::size_t slot, const RPoint2D& at) {
  box.PickedIndex[slot] = -100;
  if (box.ClickKind != 2) return true;
  std::int32_t index = -1;
  if (!box.PickLineOrArc(index, false, at.x, at.y, 0)) {
    box.SetGuidePrompt(J(kNoFigureMessage));
    return false;
  }
  box.PickedIndex[slot] = index;
  return true;
}

void EnSeSen3senUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtEnSeSen3sen) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = true;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.B_Switch == _off || box.B_Switch == on1) {
    const bool first = box.B_Switch == _off;
    const bool rightClick = box.ClickKind == 3;
    if (PickInput(box, first ? 1 : 2, first ? box.FirstPoint : box.SecondPoint)) {
      box.B_Switch = first ? on1 : on2;
      if (rightClick) box.ClickKind = 0;
    } else {
      box.B_Switch = _off;
      box.ClickKind = 0;
    }
    return;
  }
  // With a set radius the circle touches the first two; the third click
  // only chooses the side.
  if (box.AngleStep > 0) {
    box.PickedIndex[4] = -100;
  } else if (!PickInput(box, 4, box.CurrentPoint)) {
    return;
  }
  CommitThreeInputCircle(box, dtEnSeSen3sen);
  box.WorkingArcRadius = 0;
}

// ---- Cancel, reset and the point assists -------------------------------------

void EnFreeCancel(TcadBox& box) {
  switch (box.ButonType) {
    case dtEnFree:
      if (box.CommandStep == 1) ErasePreview(box);
      break;
    case dtEnKotei: ErasePreview(box); break;
    case dtEn3ten:
    case dthanEn:
      if (box.B_Switch == on2) ErasePreview(box);
      break;
    case dtEnko:
    case dtEnkoKotei:
      if (box.B_Switch == on2) {
        PaintOverCircle(box, box.FirstPoint, ArcRadius(box, box.ButonType == dtEnkoKotei), box.EllipseRatio,
                        box.EllipseRotation);
      }
      break;
    case dtkyokusen3ten:
    case dtEnSeSen3ten:
    case dtEnSeSen3tenN:
    case dtEnSeSen3sen:
      if (box.B_Switch == on2) PaintOverCircle(box, box.AngleArcCentre, box.WorkingArcRadius, 1.0, 0.0);
      break;
    case dtKakudoSokutei:
      if (box.B_Switch == on2 && !box.RubberErased) {
        box.SetXorPen(0x0000FF, false);
        box.Canvas().Pen.Width = 2;
        const RCurve arc{box.AngleArcCentre, box.WorkingArcRadius, 1.0, box.AngleArcStart, box.AngleArcEnd, 0.0};
        if (Drawable(arc)) DrawCurve(box, 1, arc);
        box.RubberErased = true;
      }
      break;
    default: return;
  }
  box.Canvas().Pen.Mode = pmCopy;
}

void ResetArcState(TcadBox& box) {
  box.ArcAnticlockwise = true;
  box.FamilyState<RArcSweepState>().ArcSideDrawn = true;
  box.AngleArcStart = 0.0;
  box.AngleArcEnd = 0.0;
}

// A point handed back by an assist goes where the step's click would put
// it; at the last step the command commits as after that click. Earlier
// points move the command on, as their release would, and leave no click
// for a release handler later in the same event.
void EnFreeResume(TcadBox& box, TShiftState, double, double) {
  const RPoint2D p = box.AssistPoint;
  if (box.CommandStep == 0) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
    box.CommandStep = 1;
    box.ClickKind = 0;
    return;
  }
  EnFreeCancel(box);
  box.CurrentPoint = box.SecondPoint = p;
  box.ClickKind = 2;
  EnFreeUp(box, 0, p.x, p.y);
}

void ArcResume(TcadBox& box, bool fixedRadius) {
  const RPoint2D p = box.AssistPoint;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
    box.B_Switch = on1;
    box.ClickKind = 0;
    return;
  }
  if (box.B_Switch == on1) {
    TakeArcStart(box, fixedRadius, p);
    box.B_Switch = on2;
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  box.SecondPoint = p;
  AngleWithin7Deg(box.AngleArcStart, Direction(box.FirstPoint, p), box.ArcAnticlockwise);
  box.ClickKind = 2;
  ArcUp(box, fixedRadius);
}

void EnkoResume(TcadBox& box, TShiftState, double, double) { ArcResume(box, false); }
void EnkoKoteiResume(TcadBox& box, TShiftState, double, double) { ArcResume(box, true); }

void hanEnResume(TcadBox& box, TShiftState, double, double) {
  const RPoint2D p = box.AssistPoint;
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = p;
    box.B_Switch = on1;
    box.ClickKind = 0;
    return;
  }
  if (box.B_Switch == on1) {
    box.SecondPoint = p;
    TakeDiameter(box);
    box.B_Switch = on2;
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  box.CurrentPoint = p;
  box.ClickKind = 2;
  hanEnUp(box, 0, p.x, p.y);
}

void En3tenResume(TcadBox& box, TShiftState, double, double) {
  ResumeThreePointCommand(box, box.SegmentStart, En3tenUp);
}
void EnSeSen3tenResume(TcadBox& box, TShiftState, double, double) {
  ResumeThreePointCommand(box, box.CurrentPoint, EnSeSen3tenUp);
}

// A point written into a step's slot brings the values that step derives.
void EnFreeAssistPoint(TcadBox& box) {
  if (box.CommandStep == 1) box.PreviewRadius = 0.01;
}
void EnkoAssistPoint(TcadBox& box) {
  if (box.B_Switch == on1) TakeArcStart(box, false, box.CurrentPoint);
}
void EnkoKoteiAssistPoint(TcadBox& box) {
  if (box.B_Switch == on1) TakeArcStart(box, true, box.CurrentPoint);
}
void hanEnAssistPoint(TcadBox& box) {
  if (box.B_Switch == on1) TakeDiameter(box);
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The centre while none is placed, then the point on the circle.
void EnFreeAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = box.CommandStep == 0 ? &box.FirstPoint : &box.CurrentPoint;
}

void ArcAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = SlotBySwitch(box, &box.FirstPoint, &box.CurrentPoint, &box.SecondPoint);
}

// The fixed circle is placed at once.
void EnKoteiAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = &box.FirstPoint;
  slot.SetStep = 1;
}

// A point of a two-step assist places the fixed circle as a free click.
void EnKoteiResume(TcadBox& box, TShiftState shift, double x, double y) {
  box.FirstPoint = box.CurrentPoint = box.SecondPoint = box.AssistPoint;
  box.CommandStep = 1;
  box.ClickKind = 2;
  ReEnterUp(box, dtEnKotei, shift, x, y);
}

// The first, the second and the third point, by B_Switch.
void ThreePointAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = SlotBySwitch(box, &box.FirstPoint, &box.SecondPoint, &box.CurrentPoint);
}

}  // namespace
