// The external pick: a host panel takes a point, a line, a circle or a
// polyline from the drawing.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"
#include "tools/edit/curves.h"

namespace {
void tenGaibuDown(TcadBox& box, TShiftState shift, double x, double y);
void tenGaibuMove(TcadBox& box, TShiftState shift, double x, double y);
void tenGaibuUp(TcadBox& box, TShiftState shift, double x, double y);
void tenGaibuCancel(TcadBox& box);
void tenGaibuAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
}  // namespace

void RegisterExternalPickCommands() {
  RegisterFamily({.Name = "tenGaibu",
                  .Modes = {dttenGaibu, dttenGaibuopt},
                  .Down = tenGaibuDown,
                  .Move = tenGaibuMove,
                  .Up = tenGaibuUp,
                  .Cancels = {{"tenGaibuCancel", tenGaibuCancel}},
                  .Assist = {.Slot = tenGaibuAssistSlot}});
}

namespace {

constexpr int kPicked = 120;
constexpr TColor kPickedColour = 0x4080FF;  // RGB(255, 128, 64)

bool InPickExternalPick(const TcadBox& box) { return box.ButonType == dttenGaibu || box.ButonType == dttenGaibuopt; }

// Gkasen 1 and 5 to 255 collect a polyline; the others take one point,
// line, circle or (not yet) text.
bool PolylineKind(std::uint8_t kind) { return kind == 1 || kind >= 5; }

TSupuLineobj* Vertices(TcadBox& box) { return box.Tool(ToolSlot::SupuLineObj).Get<TSupuLineobj>(); }

RPoint2D LastVertex(const TSupuLineobj& v) {
  const auto k = static_cast<std::size_t>(v.PointCount);
  return {v.PointX[k], v.PointY[k]};
}

// Where the polyline's rubber segment ends.
struct RExternalPickRubber {
  RPoint2D End;
};

RPoint2D& RubberEnd(TcadBox& box) { return box.FamilyState<RExternalPickRubber>().End; }

// The rubber segment from the last vertex to its end, drawn in XOR.
void XorRubber(TcadBox& box) {
  const TSupuLineobj* v = Vertices(box);
  if (v == nullptr || v->PointCount == 0) return;
  const RPoint2D a = LastVertex(*v);
  SetVertexListPen(box, pmXor);
  box.DrawLine(1, box.Canvas(), a.x, a.y, RubberEnd(box).x, RubberEnd(box).y);
  box.Canvas().Pen.Mode = pmCopy;
}

void EraseRubber(TcadBox& box) {
  if (!box.RubberErased) XorRubber(box);
  box.RubberErased = true;
}

// The clicked point with the point offset, or the snapped point with it
// (marked); false when a right click finds nothing to snap to.
bool TakePoint(TcadBox& box, double x, double y, RPoint2D& point) {
  if (box.ClickKind == 2) {
    point = box.FreePoint(x, y);
    return true;
  }
  RPoint2D s;
  if (!box.SnappedPoint(x, y, s)) {
    box.ClickKind = 0;
    return false;
  }
  point = box.FreePoint(s.x, s.y);
  return true;
}

void tenGaibuDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InPickExternalPick(box)) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  if (!box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard)) return;
  RPoint2D p;
  if (!TakePoint(box, x, y, p)) return;
  if (!PolylineKind(box.Gkasen)) {
    box.FirstPoint = p;
    box.CurrentPoint = box.ClickKind == 2 ? p : RPoint2D{x, y};
    box.CommandStep = 1;
    box.ReportedPoint = p;
    return;
  }
  if (box.B_Switch == _off) {
    box.FirstPoint = box.CurrentPoint = box.SecondPoint = p;
    if (box.ClickKind == 2) RubberEnd(box) = p;
  } else if (box.B_Switch == on1) {
    box.SecondPoint = p;
  } else {
    box.CurrentPoint = p;
  }
  box.ReportedPoint = p;
  box.AssistRead = true;
}

void tenGaibuMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!InPickExternalPick(box) || box.ViewGestureState != 0) return;
  const bool polyline = PolylineKind(box.Gkasen);
  const bool drawing = box.B_Switch == on1 || box.B_Switch == on2;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (!polyline) {
      box.CommandStep = 0;
      box.ClickKind = 0;
      return;
    }
    if (drawing) EraseRubber(box);
    box.ClickKind = 0;
    box.RubberErased = true;
    box.AssistRead = false;
    return;
  }
  if (!polyline) {
    box.SetGuidePrompt(J(kPointPromptShort));
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (drawing) {
    EraseRubber(box);
    RubberEnd(box) = {x, y};
    XorRubber(box);
    box.RubberErased = false;
    box.SetGuidePrompt(J(kNextVertexPrompt));
  } else {
    box.SetGuidePrompt(J(kFirstVertexPrompt));
  }
}

// The line or circle under the first point goes into the copy buffer in
// its own colour and shows in orange.
void TakeElement(TcadBox& box, bool circle) {
  std::int32_t index = -1;
  if (!box.PickLineOrArc(index, false, box.FirstPoint.x, box.FirstPoint.y, circle ? 2 : 1)) {
    box.ShowTopMessage(J(circle ? kNoCircleShort : "線無"));
    return;
  }
  const RDrawElement e = box.Draw1->Elements[static_cast<std::size_t>(index)];
  box.Draw1->AppendToBuffer(e, 200);
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = kPickedColour;
  if (circle) {
    box.DrawArc(e.LineType, canvas, e.X1, e.Y1, e.Radius, e.Ratio, e.StartAngle, e.EndAngle, e.Rotation);
  } else {
    box.DrawLine(e.LineType, canvas, e.X1, e.Y1, e.X2, e.Y2);
  }
  PostHostNotification("TFrame31", kPicked);
  box.CommandStep = 0;
}

// A vertex after the first: the segment to it stays on the screen.
void AddVertex(TcadBox& box, RPoint2D p) {
  TSupuLineobj* v = Vertices(box);
  if (v == nullptr) return;
  EraseRubber(box);
  const RPoint2D a = LastVertex(*v);
  SetVertexListPen(box, pmCopy);
  box.DrawLine(1, box.Canvas(), a.x, a.y, p.x, p.y);
  v->AddPoint(p.x, p.y);
  box.AssistRead = false;
  PostHostNotification("TFrame31", kPicked);
}

void tenGaibuUp(TcadBox& box, TShiftState, double, double) {
  if (!InPickExternalPick(box) || box.ViewGestureState != 0 || box.ClickKind == 0) return;
  if (!PolylineKind(box.Gkasen)) {
    if (box.CommandStep != 1) return;
    switch (box.Gkasen) {
      case 0:
        PostHostNotification("TFrame31", kPicked);
        box.CommandStep = 0;
        break;
      case 2: TakeElement(box, false); break;
      case 3: TakeElement(box, true); break;
      default: box.ShowTopMessage(J("文字はまだ未対応")); break;
    }
    return;
  }
  if (box.B_Switch == _off) {
    box.B_Switch = on1;
    if (Vertices(box) == nullptr) {
      box.Tool(ToolSlot::SupuLineObj).Emplace<TSupuLineobj>().AddPoint(box.FirstPoint.x, box.FirstPoint.y);
      PostHostNotification("TFrame31", kPicked);
    }
  } else if (box.B_Switch == on1) {
    box.B_Switch = on2;
    AddVertex(box, box.SecondPoint);
  } else {
    AddVertex(box, box.CurrentPoint);
  }
}

// The polyline taken off, then forgotten. The rubber segment, drawn in XOR, goes by its own erase; the segments
// drawn for good are painted over in the background colour, and what they
// crossed is painted again from the drawing.
void tenGaibuCancel(TcadBox& box) {
  const TSupuLineobj* v = InPickExternalPick(box) ? Vertices(box) : nullptr;
  if (v == nullptr) return;
  EraseRubber(box);
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = box.Color();
  for (std::int32_t k = 1; k < v->PointCount; ++k) {
    const auto i = static_cast<std::size_t>(k);
    box.DrawLine(1, canvas, v->PointX[i], v->PointY[i], v->PointX[i + 1], v->PointY[i + 1]);
    box.InvalidateLineBand(v->PointX[i], v->PointY[i], v->PointX[i + 1], v->PointY[i + 1]);
  }
  box.Tool(ToolSlot::SupuLineObj).Free();
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The point is taken at once.
void tenGaibuAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = &box.FirstPoint;
  slot.SetStep = 1;
}

}  // namespace
