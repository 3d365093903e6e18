// Hatch boundaries, area and coordinate measuring with the placing of its
// result, and angle measuring. None of them adds to the drawing while it
// measures: the hatch boundary is kept for the range hatch, the results go
// into the held text for the result placement or the text command.

#include <cmath>
#include <vector>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/handlers/areas.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/codepage.h"
#include "geometry/element_numbers.h"
#include "geometry/number_format.h"
#include "platform/host_notifications.h"
#include "tools/edit/area_measuring.h"
#include "tools/edit/circle_placement.h"
#include "tools/edit/hatch_boundary.h"

namespace {
void HachiTenDown(TcadBox& box, TShiftState shift, double x, double y);
void HachiTenMove(TcadBox& box, TShiftState shift, double x, double y);
void HachiTenUp(TcadBox& box, TShiftState shift, double x, double y);
void Hachi2tenDown(TcadBox& box, TShiftState shift, double x, double y);
void Hachi2tenMove(TcadBox& box, TShiftState shift, double x, double y);
void Hachi2tenUp(TcadBox& box, TShiftState shift, double x, double y);
void Hachi2tenRedraw(TcadBox& box);
void Hachi2tenCancelUnlessHeld(TcadBox& box);
void SokuteiMenDown(TcadBox& box, TShiftState shift, double x, double y);
void SokuteiMenMove(TcadBox& box, TShiftState shift, double x, double y);
void SokuteiMenUp(TcadBox& box, TShiftState shift, double x, double y);
void SokuteiMenRedraw(TcadBox& box);
void SokuteiMenCancel(TcadBox& box);
void SokuteiKekaDown(TcadBox& box, TShiftState shift, double x, double y);
void SokuteiKekaMove(TcadBox& box, TShiftState shift, double x, double y);
void SokuteiKekaUp(TcadBox& box, TShiftState shift, double x, double y);
void KakudoSokuteiDown(TcadBox& box, TShiftState shift, double x, double y);
void KakudoSokuteiMove(TcadBox& box, TShiftState shift, double x, double y);
void KakudoSokuteiUp(TcadBox& box, TShiftState shift, double x, double y);
void EraseHatchRectOnLeave(TcadBox& box);
std::optional<int> HatchCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan);
void OutlineAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void HachiTenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void Hachi2tenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void HachiTenGesture(TcadBox& box, Sbuttontype code);
void SokuteiMenGesture(TcadBox& box, Sbuttontype code);
void SokuteiMenReselectGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterAreaCommands() {
  RegisterFamily(
      {.Name = "HachiTen",
       .Modes = {dtHachitenHen, dtHachiTen},
       .Down = HachiTenDown,
       .Move = HachiTenMove,
       .Up = HachiTenUp,
       .Hooks = {.Cursor = HatchCursor},
       .Assist = {.Slot = HachiTenAssistSlot},
       .Gestures = {ConfirmGesture(GestureSide::Left, dtHachiTen, {dtHachiTen}),
                    {GestureSide::Left, {dtHachiTen}, {4, {}, GestureOutcome::Choose, kReselectCaption, dtHachiten2}}},
       .GestureActions = {{{dtHachiTen}, HachiTenGesture}}});
  RegisterFamily(
      {.Name = "Hachi2ten",
       .Modes = {dtHachitenHen, dtHachi2ten},
       .Down = Hachi2tenDown,
       .Move = Hachi2tenMove,
       .Up = Hachi2tenUp,
       .Cancels = {{"Hachi2tenCancel", Hachi2tenCancelUnlessHeld}},
       .Redraws = {{"Hachi2tenRedraw", Hachi2tenRedraw}},
       .Hooks = {.Leave = EraseHatchRectOnLeave, .Cursor = HatchCursor},
       .Assist = {.Slot = Hachi2tenAssistSlot},
       .Gestures = {
           ConfirmGesture(GestureSide::Left, dtHachiTen, {dtHachi2ten}),
           {GestureSide::Left, {dtHachi2ten}, {4, {}, GestureOutcome::Choose, kReselectCaption, dtHachiten2}}}});
  RegisterFamily(
      {.Name = "SokuteiMen",
       .Modes = {dtSokuteiMen},
       .Down = SokuteiMenDown,
       .Move = SokuteiMenMove,
       .Up = SokuteiMenUp,
       .Cancels = {{"SokuteiMenCancel", SokuteiMenCancel}},
       .Redraws = {{"SokuteiMenRedraw", SokuteiMenRedraw}},
       .Assist = {.Slot = OutlineAssistSlot},
       .Gestures = {ConfirmGesture(GestureSide::Left, dtSokuteiMen),
                    {GestureSide::Left, {}, {4, {}, GestureOutcome::Choose, kReselectCaption, dtSokuteiMen2}}},
       .GestureActions = {{{dtSokuteiMen}, SokuteiMenGesture}, {{dtSokuteiMen2}, SokuteiMenReselectGesture}}});
  RegisterFamily({.Name = "SokuteiKeka",
                  .Modes = {dtSokuteiKeka},
                  .Down = SokuteiKekaDown,
                  .Move = SokuteiKekaMove,
                  .Up = SokuteiKekaUp,
                  .Hooks = {.Leave = EraseHeldTextFrameOnLeave}});
  // The preview arc is erased by the circle commands' cancel.
  RegisterFamily({.Name = "KakudoSokutei",
                  .Modes = {dtKakudoSokutei},
                  .Down = KakudoSokuteiDown,
                  .Move = KakudoSokuteiMove,
                  .Up = KakudoSokuteiUp,
                  .Gestures = {ConfirmGesture(GestureSide::Left, dtSokuteiMen)}});
}

namespace {

constexpr int kHatchBoundaryAdded = 112;
constexpr int kMeasured = 101;
constexpr int kResultPlaced = 112;
// Long outlines look at the mouse this often while they are drawn.
constexpr int kSegmentsPerAbortTest = 20;
constexpr TColor kAngleArcColour = 0x0000FF;  // red

// The handler of the running mode takes the event; while a view gesture
// runs the press is dropped instead.
bool OwnClick(TcadBox& box, Sbuttontype mode) {
  if (box.ButonType != mode) return false;
  if (box.ViewGestureState == 0) return true;
  box.ClickKind = 0;
  return false;
}

THachiTenobj* Hatch(TcadBox& box) { return box.Tool(ToolSlot::HatchObj).Get<THachiTenobj>(); }
THachiTenobj& HatchOrNew(TcadBox& box) {
  if (THachiTenobj* hatch = Hatch(box)) return *hatch;
  return box.Tool(ToolSlot::HatchObj).Emplace<THachiTenobj>();
}
TSokuteiMenobj* Area(TcadBox& box) { return box.Tool(ToolSlot::AreaObj).Get<TSokuteiMenobj>(); }

double WriteGroupScaleAreas(const TcadBox& box) { return box.GroupScales[box.WriteGrupe_No % kLayerGroups]; }

// The drag gesture of a move: it drops the press that began the drag.
bool GestureTaken(TcadBox& box, TShiftState shift, double x, double y) {
  if (!box.TrackDragGesture(shift, box.ButonType, x, y)) return false;
  box.ClickKind = 0;
  return true;
}

// The snapped point near a press, without the marker the snapping helper
// shows (the base point gets a marker of its own).
bool SnapQuietly(TcadBox& box, double x, double y, RPoint2D& point) {
  double sx = x, sy = y;
  if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) return false;
  point = {sx, sy};
  return true;
}

// The snapped point near a press, texts left out; the yellow marker shows it.
bool SnapNoText(TcadBox& box, double x, double y, RPoint2D& point) {
  double sx = x, sy = y;
  if (!box.Draw1->SnapPointNoText(sx, sy, box.Zoom, 0, box.GridObj.Lines)) return false;
  point = {sx, sy};
  box.ShowPointMarker(0, sx, sy);
  return true;
}

// A left click on a line or an arc of the drawing picks it (unselected);
// the circle or arc it found, which then becomes the next part of an
// outline, or nothing.
const RDrawElement* ArcOfLeftClick(TcadBox& box) {
  std::int32_t index = -1;
  if (box.ClickKind != 2 || !box.PickLineOrArc(index, false, box.CurrentPoint.x, box.CurrentPoint.y, 0)) {
    return nullptr;
  }
  RDrawElement& picked = box.Draw1->Elements[static_cast<std::size_t>(index)];
  picked.Selection = 0;
  return picked.Kind == kKindArc ? &picked : nullptr;
}

// A polyline of outline vertices in the canvas pen as it is set: a segment
// from each vertex whose pen flag is set to the next one. The drawing stops
// when both mouse buttons are held, asked after every 20 segments.
void DrawOutline(TcadBox& box, const std::vector<ROutlinePoint>& v) {
  int drawn = 0;
  for (std::size_t i = 0; i + 1 < v.size(); ++i) {
    if (v[i].PenDown == 0) continue;
    box.DrawLine(1, box.Canvas(), v[i].X, v[i].Y, v[i + 1].X, v[i + 1].Y);
    if (++drawn % kSegmentsPerAbortTest == 0 && box.BothButtonsDown()) return;
  }
}

// An outline drawn at a click is part of the picture, as the redraw draws
// it: under the point marker and the cross-hair shown in XOR.
void ShowOutline(TcadBox& box, void (*redraw)(TcadBox&)) {
  const TCanvas::TPictureDrawing picture(box.Canvas());
  redraw(box);
}

void SetOutlinePen(TcadBox& box, TColor colour, int width) {
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Color = colour;
  canvas.Pen.Width = width;
}

// ---- Hatch boundary ------------------------------------------------------------

// The base point of the hatch pattern: the press point, or the snapped point
// (nothing near: the click does nothing). The base-point mode lasts for this
// one click.
void TakeHatchBasePoint(TcadBox& box, bool snapped, double x, double y) {
  RPoint2D p{x, y};
  if (snapped && !SnapQuietly(box, x, y, p)) return;
  HatchOrNew(box).SetBasePoint(p.x, p.y);
  box.ShowPointMarker(1, p.x, p.y);
  box.HatchBasePoint = p;
  box.ButonType = dtHachiTen;
  box.ClickKind = 0;
}

// The base point of the base-point mode, in whichever set sees the press
// first: the plain left click takes the press point, the right click snaps.
void HatchBasePointModeDown(TcadBox& box, double x, double y) {
  if (box.ClickKind == 2 || box.ClickKind == 3) TakeHatchBasePoint(box, box.ClickKind == 3, x, y);
}

// Ctrl clicks take no point in the hatch commands, and their releases add
// nothing: only plain left and right clicks build the boundary.
bool HatchClickReleased(const TcadBox& box) {
  return box.ViewGestureState == 0 && (box.ClickKind == 2 || box.ClickKind == 3);
}

bool HatchClickPressed(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return false;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::ShiftAndCtrlApart);
  if (box.ButonType == dtHachitenHen) {
    HatchBasePointModeDown(box, x, y);
    return false;
  }
  return true;
}

void HachiTenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtHachitenHen && box.ButonType != dtHachiTen) return;
  if (!HatchClickPressed(box, shift, x, y)) return;
  switch (box.ClickKind) {
    case 6:
    case 7: TakeHatchBasePoint(box, box.ClickKind == 7, x, y); return;
    case 2:
      box.FirstPoint = {x, y};
      if (box.B_Switch == on1) box.CurrentPoint = {x, y};
      return;
    case 3: {
      box.CurrentPoint = {x, y};
      RPoint2D p;
      if (box.SnappedPoint(x, y, p)) {
        box.FirstPoint = p;
      } else {
        box.ClickKind = 0;
      }
      return;
    }
    default: return;
  }
}

void HachiTenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtHachiTen || box.ViewGestureState != 0 || GestureTaken(box, shift, x, y)) return;
  if (box.B_Switch != _off && box.B_Switch != on1) return;
  box.SetGuidePrompt(
      J("点指示(円指示=>円周中間部分左ｸﾘｯｸ指示 基準点変更=>Shift+ｸﾘｯｸ(赤丸が表示)） "
        "[左ｸﾘｯｸ(自由/円読取り):右ｸﾘｯｸ(点読取り)]"));
}

void HachiTenUp(TcadBox& box, TShiftState, double, double) {
  if (!OwnClick(box, dtHachiTen)) return;
  if (!HatchClickReleased(box)) return;
  THachiTenobj& hatch = HatchOrNew(box);
  if (box.B_Switch == _off) {
    hatch.AddPoint(box.FirstPoint.x, box.FirstPoint.y);
    box.B_Switch = on1;
    return;
  }
  if (box.B_Switch != on1) return;
  if (const RDrawElement* arc = ArcOfLeftClick(box)) {
    // The arc's points come with the next point; nothing to tell yet.
    box.ClickKind = 0;
    hatch.AddArc(*arc, box.CurrentPoint.x, box.CurrentPoint.y);
    ShowOutline(box, Hachi2tenRedraw);
    return;
  }
  hatch.AddPoint(box.FirstPoint.x, box.FirstPoint.y);
  ShowOutline(box, Hachi2tenRedraw);
  PostHostNotification("TFrame20", kHatchBoundaryAdded);
}

// The rubber rectangle of the second corner, in XOR: a second draw takes it
// away.
void XorHatchRect(TcadBox& box) {
  box.SetXorPen(box.Sentakucol, false);
  box.Canvas().Pen.Width = box.Penwidth;
  box.DrawAlignedRect(box.Canvas(), box.FirstPoint.x, box.FirstPoint.y, box.SecondPoint.x, box.SecondPoint.y, 0);
  box.Canvas().Pen.Mode = pmCopy;
}

void EraseHatchRect(TcadBox& box) {
  if (!box.RubberErased) XorHatchRect(box);
  box.RubberErased = true;
}

void Hachi2tenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtHachitenHen && box.ButonType != dtHachi2ten) return;
  if (!HatchClickPressed(box, shift, x, y)) return;
  RPoint2D p{x, y};
  switch (box.ClickKind) {
    case 6:
    case 7:
      // Only an existing boundary takes a new base point here; the mode stays.
      if (Hatch(box) == nullptr || (box.ClickKind == 7 && !SnapQuietly(box, x, y, p))) return;
      Hatch(box)->SetBasePoint(p.x, p.y);
      box.ShowPointMarker(1, p.x, p.y);
      return;
    case 3:
      if (!box.SnappedPoint(x, y, p)) {
        box.ClickKind = 0;
        return;
      }
      [[fallthrough]];
    case 2:
      if (box.B_Switch == _off) {
        box.FirstPoint = box.SecondPoint = p;
      } else if (box.B_Switch == on1) {
        box.CurrentPoint = p;
      }
      return;
    default: return;
  }
}

void Hachi2tenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtHachi2ten || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.B_Switch == on1) EraseHatchRect(box);
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J("１点目指示 (基準点変更=>Shift+ｸﾘｯｸ(赤丸が表示)[左ｸﾘｯｸ(自由):右ｸﾘｯｸ(点読取り)]"));
    return;
  }
  if (box.B_Switch != on1) return;
  box.SetGuidePrompt(J("２点目対角指示 (基準点変更=>Shift+ｸﾘｯｸ(赤丸が表示)　[左ｸﾘｯｸ(自由):右ｸﾘｯｸ(点読取り)]"));
  if (!NoMouseButtonHeld(shift)) return;
  EraseHatchRect(box);
  box.SecondPoint = {x, y};
  XorHatchRect(box);
  box.RubberErased = false;
}

void Hachi2tenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtHachi2ten || !HatchClickReleased(box)) return;
  if (box.B_Switch == _off) {
    box.B_Switch = on1;
    return;
  }
  if (box.B_Switch != on1) return;
  EraseHatchRect(box);
  THachiTenobj& hatch = HatchOrNew(box);
  const RPoint2D a = box.FirstPoint;
  const RPoint2D b = box.CurrentPoint;
  // A loop of its own, from the first corner round back to it.
  for (const RPoint2D& corner : {a, RPoint2D{a.x, b.y}, b, RPoint2D{b.x, a.y}, a}) hatch.AddPoint(corner.x, corner.y);
  ShowOutline(box, Hachi2tenRedraw);
  PostHostNotification("TFrame20", kHatchBoundaryAdded);
  box.B_Switch = _off;
  box.ClickKind = 0;
}

void Hachi2tenRedraw(TcadBox& box) {
  if (box.ButonType != dtHachi2ten && box.ButonType != dtHachiTen && !box.hatchHozi) return;
  const THachiTenobj* hatch = Hatch(box);
  if (hatch == nullptr) return;
  SetOutlinePen(box, box.Sentakucol, 1);
  DrawOutline(box, hatch->Vertices);
}

// The boundary goes with the repaint of the bands its segments covered.
void Hachi2tenCancel(TcadBox& box, bool force) {
  if (!force && box.ButonType != dtHachi2ten && box.ButonType != dtHachiTen) return;
  const THachiTenobj* hatch = Hatch(box);
  if (hatch != nullptr) {
    const std::vector<ROutlinePoint>& v = hatch->Vertices;
    for (std::size_t i = 0; i + 1 < v.size(); ++i) box.InvalidateTextOutline(v[i].X, v[i].Y, v[i + 1].X, v[i + 1].Y, 1);
    box.Tool(ToolSlot::HatchObj).Free();
  }
  if (!force) box.B_Switch = _off;
}

// A held hatch keeps its boundary through the cancel-all.
void Hachi2tenCancelUnlessHeld(TcadBox& box) {
  if (!box.hatchHozi) Hachi2tenCancel(box, false);
}

void EraseHatchRectOnLeave(TcadBox& box) {
  if (box.ButonType != dtHachi2ten || box.B_Switch != on1) return;
  if (!box.RubberErased) box.ClickKind = 0;
  EraseHatchRect(box);
}

// The base-point mode shared by both sets shows the plain cursor.
std::optional<int> HatchCursor(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan) {
  if (mode == dtHachitenHen) return DefaultCursor(ringHan);
  return CursorPair(34, 35)(mode, ringHan, cursorHan);
}

// ---- Area and coordinate measuring -----------------------------------------------

void SokuteiMenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!OwnClick(box, dtSokuteiMen)) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.B_Switch != _off && box.B_Switch != on1) return;
  if (box.ClickKind == 2) {
    box.FirstPoint = box.CurrentPoint = {x, y};
  } else if (box.ClickKind == 3) {
    RPoint2D p;
    if (SnapNoText(box, x, y, p)) {
      box.FirstPoint = p;
    } else {
      box.ClickKind = 0;
    }
  }
}

void SokuteiMenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSokuteiMen || box.ViewGestureState != 0 || GestureTaken(box, shift, x, y)) return;
  if (box.AreaKind >= 6) return;
  const bool coordinates = box.AreaKind == 3;
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(coordinates ? J("原点点指示　[左ｸﾘｯｸ(自由):右ｸﾘｯｸ(点読取り)]")
                                   : J("点指示(円指示=>円周中間部分左ｸﾘｯｸ指示 ） "
                                       "[左ｸﾘｯｸ(自由/円読取り):右ｸﾘｯｸ(点読取り)]"));
  } else if (box.B_Switch == on1) {
    box.SetGuidePrompt(coordinates ? J("座標測定点指示　[左ｸﾘｯｸ(自由):右ｸﾘｯｸ(点読取り)]")
                                   : J("点指示(円指示=>円周中間部分左ｸﾘｯｸ指示） "
                                       "[左ｸﾘｯｸ(自由/円読取り):右ｸﾘｯｸ(点読取り)]"));
  }
}

void SokuteiMenUp(TcadBox& box, TShiftState, double, double) {
  if (!OwnClick(box, dtSokuteiMen)) return;
  if (box.ClickKind == 0) return;
  const double scale = WriteGroupScaleAreas(box);
  if (box.B_Switch == _off) {
    TSokuteiMenobj* area = Area(box);
    if (area == nullptr) area = &box.Tool(ToolSlot::AreaObj).Emplace<TSokuteiMenobj>();
    area->AddPoint(box.FirstPoint.x, box.FirstPoint.y, scale);
    ShowOutline(box, SokuteiMenRedraw);
    box.B_Switch = on1;
    return;
  }
  if (box.B_Switch != on1) return;
  TSokuteiMenobj* area = Area(box);
  if (area == nullptr) return;
  if (const RDrawElement* arc = ArcOfLeftClick(box)) {
    area->AddArc(*arc, box.CurrentPoint.x, box.CurrentPoint.y);
  } else {
    area->AddPoint(box.FirstPoint.x, box.FirstPoint.y, scale);
    box.FormatAreaResult();
    PostHostNotification("TFrame13", kMeasured);
  }
  ShowOutline(box, SokuteiMenRedraw);
}

bool AreaKindDrawsOutline(std::uint8_t kind) { return kind <= 2 || kind == 4 || kind == 5; }

// The mark of the first point and, for the kinds that measure the outline,
// its segments, in the pen as the caller set it.
void DrawAreaFigure(TcadBox& box, const TSokuteiMenobj& area, int circleWidth, int outlineWidth) {
  if (area.Vertices.empty()) return;
  const ROutlinePoint& first = area.Vertices.front();
  box.Canvas().Pen.Width = circleWidth;
  box.DrawArc(1, box.Canvas(), first.X, first.Y, 0.7 / box.Zoom, 1, 0, 0, 0);
  if (!AreaKindDrawsOutline(box.AreaKind)) return;
  box.Canvas().Pen.Width = outlineWidth;
  DrawOutline(box, area.Vertices);
}

void SokuteiMenRedraw(TcadBox& box) {
  if (box.ButonType != dtSokuteiMen || box.AreaKind >= 6) return;
  const TSokuteiMenobj* area = Area(box);
  if (area == nullptr) return;
  SetOutlinePen(box, box.Sentakucol, 2);
  DrawAreaFigure(box, *area, 2, 1);
}

// The marks are painted over in the background colour and the drawing is
// drawn again over them.
void SokuteiMenCancel(TcadBox& box) {
  if (box.ButonType != dtSokuteiMen) return;
  const TSokuteiMenobj* area = Area(box);
  if (area == nullptr) return;
  if (box.AreaKind < 6) {
    SetOutlinePen(box, box.Color(), 2);
    DrawAreaFigure(box, *area, 2, 2);
  }
  box.Tool(ToolSlot::AreaObj).Free();
  box.RedrawElements(true);
  box.B_Switch = _off;
}

// ---- Placing the result ----------------------------------------------------------

void SokuteiKekaDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!OwnClick(box, dtSokuteiKeka)) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.B_Switch != _off && box.B_Switch != on1) return;
  if (box.ClickKind == 2) {
    box.FirstPoint = {x, y};
  } else if (box.ClickKind == 3) {
    RPoint2D p;
    if (SnapQuietly(box, x, y, p)) {
      box.FirstPoint = p;
    } else {
      box.ClickKind = 0;
    }
  }
}

void EraseResultFrame(TcadBox& box) {
  if (!box.RubberErased) XorHeldTextFrame(box, box.SecondPoint);
  box.RubberErased = true;
}

void SokuteiKekaMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSokuteiKeka || box.ViewGestureState != 0) return;
  box.SetGuidePrompt(J("計算結果出力位置指示    [左クリック：（自由）  右クリック：（点読取り）]"));
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    EraseResultFrame(box);
    if (box.PlaceText.empty()) return;
    box.ClickKind = 0;
    return;
  }
  if (box.PlaceText.empty() || !NoMouseButtonHeld(shift) || box.CommandStep != 0) return;
  EraseResultFrame(box);
  XorHeldTextFrame(box, {x, y});
  box.SecondPoint = {x, y};
  box.RubberErased = false;
}

void SokuteiKekaUp(TcadBox& box, TShiftState, double, double) {
  if (!OwnClick(box, dtSokuteiKeka)) return;
  if (box.ClickKind == 0 || box.B_Switch != _off) return;
  if (box.PlaceText.empty()) {
    box.CommandStep = 0;
    box.RubberErased = true;
    return;
  }
  EraseResultFrame(box);
  box.HeldTextStart = box.FirstPoint;
  box.PlaceHeldText(box.DirectionMode, true, box.FirstPoint.x, box.FirstPoint.y);
  const std::size_t before = box.Draw1->Elements.size();
  box.AddHeldTextStep(*box.Draw1);
  if (box.Draw1->Elements.size() > before) DrawLastText(box);
  box.RubberErased = true;
  box.ClickKind = 0;
  box.B_Switch = _off;
  PostHostNotification("TFrame13", kResultPlaced);
}

// ---- Angle measuring ---------------------------------------------------------------

// The preview arc as the working arc fields hold it, in red XOR, width 2.
void XorAngleArc(TcadBox& box) {
  box.SetXorPen(kAngleArcColour, false);
  box.Canvas().Pen.Width = 2;
  const double r = box.WorkingArcRadius;
  const RPoint2D c = box.AngleArcCentre;
  if (r >= 1e-5 && std::isfinite(r) && std::isfinite(c.x) && std::isfinite(c.y)) {
    box.DrawArc(1, box.Canvas(), c.x, c.y, r, 1.0, box.AngleArcStart, box.AngleArcEnd, 0.0);
  }
  box.Canvas().Pen.Mode = pmCopy;
}

void EraseAngleArc(TcadBox& box) {
  if (!box.RubberErased) XorAngleArc(box);
  box.RubberErased = true;
}

// A snapped ray point is refused on the points already taken.
bool TakeAngleSnap(TcadBox& box, double x, double y, std::initializer_list<RPoint2D> taken, RPoint2D& target) {
  double sx = x, sy = y;
  if (!box.Draw1->SnapPointNoText(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
    box.ClickKind = 0;
    box.ShowTopMessage(J(kNoPointMessage));
    return false;
  }
  const RPoint2D p{sx, sy};
  for (const RPoint2D& t : taken) {
    if (SameClickPoint(p, t)) {
      box.ClickKind = 0;
      box.ShowTopMessage(J(kSamePointMessage));
      return false;
    }
  }
  target = p;
  box.ShowPointMarker(0, p.x, p.y);
  return true;
}

RPoint2D& AngleOrigin(TcadBox& box) { return box.FamilyState<RAngleMeasureState>().AngleOrigin; }

void KakudoSokuteiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!OwnClick(box, dtKakudoSokutei)) return;
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const bool snapped = box.ClickKind == 3;
  if (box.ClickKind != 2 && !snapped) return;
  switch (box.B_Switch) {
    case _off:
      box.ArcAnticlockwise = true;
      if (!snapped) {
        AngleOrigin(box) = {x, y};
      } else {
        RPoint2D p;
        if (SnapNoText(box, x, y, p)) {
          AngleOrigin(box) = p;
        } else {
          box.ClickKind = 0;
        }
      }
      return;
    case on1:
      if (!snapped) {
        box.SecondPoint = {x, y};
      } else {
        TakeAngleSnap(box, x, y, {AngleOrigin(box)}, box.SecondPoint);
      }
      return;
    case on2:
      if (!snapped) {
        box.CurrentPoint = {x, y};
      } else {
        TakeAngleSnap(box, x, y, {AngleOrigin(box), box.SecondPoint}, box.CurrentPoint);
      }
      return;
    default: return;
  }
}

TKakuSokuteiobj MeasureAngle(TcadBox& box, RPoint2D end) {
  TKakuSokuteiobj tool;
  const RPoint2D origin = AngleOrigin(box);
  tool.Measure(box.ArcAnticlockwise, origin.x, origin.y, box.SecondPoint.x, box.SecondPoint.y, end.x, end.y);
  return tool;
}

void KakudoSokuteiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!OwnClick(box, dtKakudoSokutei)) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (box.B_Switch == on2) EraseAngleArc(box);
    box.ClickKind = 0;
    box.RubberErased = true;
    return;
  }
  if (box.B_Switch == _off) {
    box.SetGuidePrompt(J("原点指示    [左クリック（自由）：右クリック（点読取り）]"));
    return;
  }
  if (box.B_Switch == on1) {
    box.SetGuidePrompt(J("角度開始点指示    [左クリック（自由）：右クリック（点読取り）]"));
    return;
  }
  if (box.B_Switch != on2 || !NoMouseButtonHeld(shift)) return;
  EraseAngleArc(box);
  const TKakuSokuteiobj tool = MeasureAngle(box, {x, y});
  box.ShowTopMessage(Format("%8.3f", {tool.Angle}));
  box.ArcAnticlockwise = tool.Anticlockwise == 1;
  box.AngleArcCentre = {tool.Arc.X1, tool.Arc.Y1};
  box.WorkingArcRadius = tool.Arc.Radius;
  box.AngleArcStart = tool.Arc.StartAngle;
  box.AngleArcEnd = tool.Arc.EndAngle;
  XorAngleArc(box);
  box.RubberErased = false;
  box.SetGuidePrompt(J("角度終了点指示    [左クリック：（自由）  右クリック：（点読取り）]"));
}

void KakudoSokuteiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtKakudoSokutei) return;
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
  if (box.B_Switch != on2) return;
  EraseAngleArc(box);
  const TKakuSokuteiobj tool = MeasureAngle(box, box.CurrentPoint);
  box.PlaceText = Format("%2.3f", {tool.Angle});
  box.ClickKind = 0;
  if (box.SavedMode == dtCopyFree || box.SavedMode == dtIdoFree) {
    // The copy or move goes on with the angle at its placing step.
    box.ButonType = box.SavedMode;
    box.CommandAngle = tool.Angle;
    PostHostNotification("TFrame10", kMeasured);
    box.RubberErased = true;
    box.B_Switch = on1;
    return;
  }
  PostHostNotification("TFrame13", kMeasured);
  box.B_Switch = _off;
}

// The decimals codes: the places handed to the rounding, and the format.
struct RDecimalsCode {
  std::uint8_t Places;
  const char* Value;
  const char* Coordinates;
  const char* Centroid;
};
constexpr RDecimalsCode kDecimalsCodes[] = {
    {0, "%4.4f", "X:%4.4f Y:%4.4f", "Xc:%4.4f Yc:%4.4f"}, {0, "%4.3f", "X:%4.3f Y:%4.3f", "Xc:%4.3f Yc:%4.3f"},
    {1, "%4.2f", "X:%4.2f Y:%4.2f", "Xc:%4.2f Yc:%4.2f"}, {2, "%3.1f", "X:%3.1f Y:%3.1f", "Xc:%3.1f Yc:%3.1f"},
    {3, "%1.0f", "X:%1.0f Y:%1.0f", "Xc:%1.0f Yc:%1.0f"},
};
constexpr double kLengthDivisors[] = {1000.0, 10.0, 1.0};
constexpr double kAreaDivisors[] = {1000000.0, 100.0, 1.0};
constexpr const char* kLengthUnits[] = {"m ", "cm ", "mm "};
constexpr const char* kAreaUnits[] = {"m^u2", "cm^u2", "mm^u2"};
constexpr std::uint8_t kUnitCodes = 3;
constexpr std::uint8_t kDecimalsCodeCount = 5;

}  // namespace

void TcadBox::FormatAreaResult() {
  const TSokuteiMenobj* area = Tool(ToolSlot::AreaObj).Get<TSokuteiMenobj>();
  if (area == nullptr) return;
  const auto valid = [](std::uint8_t unit, std::uint8_t decimals) {
    return unit < kUnitCodes && decimals < kDecimalsCodeCount;
  };
  const auto rounded = [&](std::uint8_t decimals, double v) {
    return RoundDecimals(AreaRounding, kDecimalsCodes[decimals].Places, v);
  };
  const auto perimeter = [&] {
    return Format(kDecimalsCodes[PerimeterDecimals].Value,
                  {rounded(PerimeterDecimals, area->Length / kLengthDivisors[PerimeterUnit])});
  };
  const auto areaText = [&] {
    return Format(kDecimalsCodes[AreaDecimals].Value,
                  {rounded(AreaDecimals, std::abs(area->Area) / kAreaDivisors[AreaUnit])});
  };
  const auto point = [&](const char* RDecimalsCode::*format, double px, double py) {
    const double d = kLengthDivisors[CoordUnit];
    return Format(kDecimalsCodes[CoordDecimals].*format,
                  {rounded(CoordDecimals, px / d), rounded(CoordDecimals, py / d)});
  };
  switch (AreaKind) {
    case 0:
      if (valid(PerimeterUnit, PerimeterDecimals)) PlaceText = perimeter();
      return;
    case 1:
      if (valid(AreaUnit, AreaDecimals)) PlaceText = areaText();
      return;
    case 2:
      if (valid(CoordUnit, CoordDecimals)) {
        PlaceText = point(&RDecimalsCode::Centroid, area->CentroidX, area->CentroidY);
      }
      return;
    case 3:
      if (valid(CoordUnit, CoordDecimals)) {
        PlaceText = point(&RDecimalsCode::Coordinates, area->LastOffsetX, area->LastOffsetY);
      }
      return;
    case 4:
    case 5:
      if (valid(PerimeterUnit, PerimeterDecimals) && valid(AreaUnit, AreaDecimals)) {
        PlaceText = perimeter() + kLengthUnits[PerimeterUnit] + areaText() + kAreaUnits[AreaUnit];
      }
      return;
    default: return;
  }
}

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The next outline point, marked, while the outline is open.
void OutlineAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  if (box.B_Switch == _off || box.B_Switch == on1) slot.Pending = &box.FirstPoint;
  slot.Marker = true;
}

void HachiTenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot) {
  if (mode == dtHachiTen) OutlineAssistSlot(box, mode, slot);
}

void Hachi2tenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot) {
  if (mode != dtHachi2ten) return;
  slot.Pending = SlotBySwitch(box, &box.FirstPoint, &box.CurrentPoint, &box.CurrentPoint);
  slot.Marker = true;
}

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// The confirm gestures are the host panel's.
void HachiTenGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  PostHostNotification("TFrame20", 100);
}

void SokuteiMenGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  PostHostNotification("TFrame13", 111);
}

// The host's panel takes a new selection.
void SokuteiMenReselectGesture(TcadBox& box, Sbuttontype) {
  PostHostNotification("TFrame13", 118);
  box.PendingGesture = dtNo;
}

}  // namespace
