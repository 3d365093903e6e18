// Chained dimensions of circles and angles, a circle's diameter or radius,
// and dimensions between elements and between two points, all built by the
// chained-dimension tool kept in its slot while the dimension grows.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/handlers/command_handlers.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"
#include "tools/lines/chained_dimension.h"

namespace {
void FukusenHaniSenDown(TcadBox& box, TShiftState shift, double x, double y);
void FukusenHaniSenMove(TcadBox& box, TShiftState shift, double x, double y);
void FukusenHaniSenUp(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoDown(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoMove(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoUp(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpokakuDown(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpokakuMove(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpokakuUp(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoKeiDown(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoKeiMove(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoKeiUp(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoCyusinDown(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoCyusinMove(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoCyusinUp(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoCyusin2Down(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoCyusin2Move(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoCyusin2Up(TcadBox& box, TShiftState shift, double x, double y);
void RenSunpoFinish(TcadBox& box, std::uint8_t finishFlag);
void RenSunpoCancel(TcadBox& box);
void RenSunpoCyusinCancel(TcadBox& box);
void RenSunpoRedraw(TcadBox& box);
void ChainedAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
bool ChainClosed(const TcadBox& box);
void RenSunpoGesture(TcadBox& box, Sbuttontype code);
void RenSunpoCyusin2Gesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterChainedDimensionCommands() {
  RegisterFamily({.Name = "FukusenHaniSen",
                  .Modes = {dtFukusenHaniSen},
                  .Down = FukusenHaniSenDown,
                  .Move = FukusenHaniSenMove,
                  .Up = FukusenHaniSenUp});
  RegisterFamily({.Name = "RenSunpo",
                  .Modes = {dtRenSunpo},
                  .Down = RenSunpoDown,
                  .Move = RenSunpoMove,
                  .Up = RenSunpoUp,
                  .Cancels = {{"RenSunpoCancel", RenSunpoCancel}},
                  .Redraws = {{"RenSunpoRedraw", RenSunpoRedraw}},
                  .Finishes = {{"RenSunpoFinish", RenSunpoFinish}},
                  .Hooks = {.Cursor = CursorPair(30, 31)},
                  .Assist = {.Slot = ChainedAssistSlot},
                  .Gestures = {DimensionAxisToggle(), ConfirmGesture(GestureSide::Left, dtRenSunpo, {}, ChainClosed)},
                  .GestureActions = {{{dtRenSunpo}, RenSunpoGesture}}});
  RegisterFamily({.Name = "RenSunpokaku",
                  .Modes = {dtRenSunpokaku},
                  .Down = RenSunpokakuDown,
                  .Move = RenSunpokakuMove,
                  .Up = RenSunpokakuUp,
                  .Hooks = {.Cursor = CursorPair(30, 31)},
                  .Assist = {.Slot = ChainedAssistSlot},
                  .Gestures = {DimensionAxisToggle(), ConfirmGesture(GestureSide::Left, dtRenSunpo, {}, ChainClosed)}});
  RegisterFamily({.Name = "RenSunpoKei",
                  .Modes = {dtRenSunpoKei},
                  .Down = RenSunpoKeiDown,
                  .Move = RenSunpoKeiMove,
                  .Up = RenSunpoKeiUp,
                  .Hooks = {.Cursor = CursorPair(30, 31)},
                  .Assist = {.Slot = ChainedAssistSlot},
                  .Gestures = {DimensionAxisToggle(), ConfirmGesture(GestureSide::Left, dtRenSunpo, {}, ChainClosed)}});
  RegisterFamily({.Name = "RenSunpoCyusin",
                  .Modes = {dtRenSunpoCyusin},
                  .Down = RenSunpoCyusinDown,
                  .Move = RenSunpoCyusinMove,
                  .Up = RenSunpoCyusinUp,
                  .Cancels = {{"RenSunpoCyusinCancel", RenSunpoCyusinCancel}},
                  .Hooks = {.Cursor = CursorPair(36, 37)},
                  .Assist = {.Slot = ChainedAssistSlot}});
  RegisterFamily({.Name = "RenSunpoCyusin2",
                  .Modes = {dtRenSunpoCyusin2},
                  .Down = RenSunpoCyusin2Down,
                  .Move = RenSunpoCyusin2Move,
                  .Up = RenSunpoCyusin2Up,
                  .Assist = {.Slot = ChainedAssistSlot},
                  .Gestures = {{GestureSide::Left,
                                {},
                                {0, [](const TcadBox& b) { return b.B_Switch == on1; }, GestureOutcome::Toggle,
                                 "角度切替 ", dtRenSunpoCyusin2}}},
                  .GestureActions = {{{dtRenSunpoCyusin2}, RenSunpoCyusin2Gesture}}});
}

namespace {

constexpr int kPointTaken = 100;
constexpr int kDimensionEnded = 103;
constexpr int kPositionCommitted = 114;
const char* const kPanelChainedDimensions = "TFrame14";

TRenSunpoSenobj* ToolChainedDimensions(TcadBox& box) { return box.Tool(ToolSlot::RenSunpoObj).Get<TRenSunpoSenobj>(); }

TRenSunpoSenobj& CreateToolChainedDimensions(TcadBox& box) {
  return box.Tool(ToolSlot::RenSunpoObj).Emplace<TRenSunpoSenobj>(std::span<const RTextStyle>(box.TextStyles));
}

// The modes whose dimension the shared finish, cancel and redraw serve.
bool FinishedByRenSunpo(Sbuttontype m) {
  return ModeIn(m, {dtRenSunpo, dtRenSunpokaku, dtRenSunpoKei, dtRenSunpoCyusin, dtRenSunpoCyusin2, dtRenKetuMozi});
}
bool KeepsTheTool(Sbuttontype m) { return FinishedByRenSunpo(m) || m == dtFukusenHaniSen; }

TColor PreviewColourChainedDimensions(const TcadBox& box) { return box.tanren_Han ? box.Sentakucol4 : box.Sentakucol2; }

void DrawToolArray(TcadBox& box, const TRenSunpoSenobj& tool, std::uint8_t defaultLineType) {
  box.DrawElementArray(tool.Elements, tool.LastIndex, defaultLineType, false, false);
}

// What of the dimension is on the screen, as it was drawn: the preview in
// XOR, and the result of a released point in the preview colour in the
// picture. The tool's array changes with every point it takes, so what is
// taken off is what was drawn, not the array as it stands.
struct RShownDimension {
  std::vector<RDrawElement> Preview;
  TColor PreviewColour = 0;
  std::vector<RDrawElement> Result;
};

std::vector<RDrawElement> ArrayOf(const TRenSunpoSenobj& tool) {
  const auto count = static_cast<std::size_t>(std::clamp<std::int64_t>(
      static_cast<std::int64_t>(tool.LastIndex) + 1, 0, static_cast<std::int64_t>(tool.Elements.size())));
  return {tool.Elements.begin(), tool.Elements.begin() + static_cast<std::ptrdiff_t>(count)};
}

void XorRecords(TcadBox& box, const std::vector<RDrawElement>& records, TColor colour) {
  box.SetXorPen(colour, true);
  box.Canvas().Pen.Width = 1;
  box.DrawElementArray(records, static_cast<std::int32_t>(records.size()) - 1, 1, false, false);
  box.Canvas().Pen.Mode = pmCopy;
}

// The tool's array drawn in XOR as the preview.
void XorPreview(TcadBox& box, const TRenSunpoSenobj& tool) {
  RShownDimension& shown = box.FamilyState<RShownDimension>();
  shown.Preview = ArrayOf(tool);
  shown.PreviewColour = PreviewColourChainedDimensions(box);
  XorRecords(box, shown.Preview, shown.PreviewColour);
}

void RepaintUnderShownResult(TcadBox& box);

// Whatever of the dimension shows goes: the preview drawn once more in XOR
// as it was drawn, a result by painting its part of the control again.
void ErasePreviewChainedDimensions(TcadBox& box, const TRenSunpoSenobj&) {
  RShownDimension& shown = box.FamilyState<RShownDimension>();
  if (!box.RubberErased) {
    if (!shown.Preview.empty()) XorRecords(box, shown.Preview, shown.PreviewColour);
    if (!shown.Result.empty()) RepaintUnderShownResult(box);
  }
  shown.Preview.clear();
  shown.Result.clear();
}

void UpdateTool(TcadBox& box, TRenSunpoSenobj& tool, const RPoint2D& p) {
  tool.Update(p.x, p.y, NormalizeAngle360(box.CommandAngle + box.AxisAngle), box.AngleStep,
              box.RealToDrawingLength(box.CmdLength), box.GroupScales[box.WriteGrupe_No % kLayerGroups]);
}

// The preview follows the cursor.
void UpdatePreview(TcadBox& box, TRenSunpoSenobj& tool, double x, double y) {
  ErasePreviewChainedDimensions(box, tool);
  UpdateTool(box, tool, {x, y});
  XorPreview(box, tool);
  box.RubberErased = false;
}

// A released point: the preview taken off, the tool updated with the point
// and its result drawn in the preview colour (under the point marker and
// the cross-hair).
void ShowPointResult(TcadBox& box, TRenSunpoSenobj& tool, const RPoint2D& p) {
  box.ToggleRingCursor();
  box.RingHidden = true;
  if (box.ClickPending) ErasePreviewChainedDimensions(box, tool);
  UpdateTool(box, tool, p);
  TCanvas& canvas = box.Canvas();
  const TCanvas::TPictureDrawing picture(canvas);
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = PreviewColourChainedDimensions(box);
  DrawToolArray(box, tool, 1);
  box.FamilyState<RShownDimension>().Result = ArrayOf(tool);
}

// The part of the control the shown result covers, painted again from the
// drawing: a box around its lines, arcs, text frames and point marks.
void RepaintUnderShownResult(TcadBox& box) {
  std::vector<RDrawElement>& shown = box.FamilyState<RShownDimension>().Result;
  double left = HUGE_VAL, bottom = HUGE_VAL, right = -HUGE_VAL, top = -HUGE_VAL;
  const auto take = [&](double x, double y, double reach) {
    left = std::min(left, x - reach);
    right = std::max(right, x + reach);
    bottom = std::min(bottom, y - reach);
    top = std::max(top, y + reach);
  };
  for (const RDrawElement& r : shown) {
    switch (r.Kind) {
      case kKindLine:
        take(r.X1, r.Y1, 0);
        take(r.X2, r.Y2, 0);
        break;
      case kKindArc:
        take(r.X1, r.Y1, std::abs(r.Radius) * std::max(1.0, std::abs(static_cast<double>(r.Ratio))));
        break;
      case kKindText: {
        // The frame stands on the base line, as high as its style.
        const double h = box.TextStyles[r.TextStyle < kTextStyleCount ? r.TextStyle : 0].Height * 0.1;
        take(r.X1, r.Y1, std::abs(h));
        take(r.X2, r.Y2, std::abs(h));
        break;
      }
      case kKindPoint: take(r.X1, r.Y1, 1); break;
      default: break;
    }
  }
  shown.clear();
  const RViewRect& v = box.ViewWindow;
  const double m = 2 / box.Zoom;
  left = std::max(left - m, v.Left);
  bottom = std::max(bottom - m, v.Bottom);
  right = std::min(right + m, v.Right);
  top = std::min(top + m, v.Top);
  if (!(left < right && bottom < top)) return;
  box.InvalidateWorldRect(left, bottom, right, top);
}

// The element under a point and whether there was one (kind 0 lines and
// arcs, 2 arcs only); an empty element when none.
bool ElementUnder(TcadBox& box, const RPoint2D& p, std::int32_t& index, bool highlight, std::uint8_t kind,
                  RDrawElement& element) {
  element = ZeroElement();
  if (!box.PickLineOrArc(index, highlight, p.x, p.y, kind)) return false;
  element = box.Draw1->Elements[static_cast<std::size_t>(index)];
  return true;
}

// Steps 1 to 3 of the finish: the last point dropped, the array drawn in
// the pen colour and committed with its texts as one step.
void CommitTool(TcadBox& box, TRenSunpoSenobj& tool) {
  tool.DropLastPoint();
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = box.PrepareXorColor(PenColourOf(box, box.Pencol));
  DrawToolArray(box, tool, box.Pentyp);
  box.CommitElementArray(tool.Elements, tool.LastIndex, tool.Texts);
}

void EndDimension(TcadBox& box) {
  box.B_Switch = _off;
  box.RubberErased = false;
  box.Tool(ToolSlot::RenSunpoObj).Free();
  PostHostNotification(kPanelChainedDimensions, kDimensionEnded);
  box.Invalidate();
  box.RingRepaintFlag = true;
}

void RenSunpoFinish(TcadBox& box, std::uint8_t finishFlag) {
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (!FinishedByRenSunpo(box.ButonType) || tool == nullptr) return;
  tool->TrimOnFinish = finishFlag;
  CommitTool(box, *tool);
  EndDimension(box);
}

// The commit that follows a released point: what the release drew in the
// preview colour lies in the picture (an XOR over it would only hide it
// until the part is painted again), so its part of the control is painted
// again from the drawing, which then holds the dimension, and the
// dimension shows at once as the redraw shows it.
void CommitShownResult(TcadBox& box, TRenSunpoSenobj& tool) {
  tool.DropLastPoint();
  const std::size_t first = box.Draw1->Elements.size();
  box.CommitElementArray(tool.Elements, tool.LastIndex, tool.Texts);
  ErasePreviewChainedDimensions(box, tool);
  DrawAddedSince(box, first);
}

void FukusenHaniSenStep(TcadBox& box, std::uint8_t finishFlag) {
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (box.ButonType != dtFukusenHaniSen || tool == nullptr) return;
  tool->TrimOnFinish = finishFlag;
  CommitShownResult(box, *tool);
  box.B_Switch = _off;
  box.RubberErased = false;
  box.Tool(ToolSlot::RenSunpoObj).Free();
  box.ToggleRingCursor();
  box.RingHidden = box.LeaveErased;
}

void RenSunpoCyusinStep(TcadBox& box) {
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (!ModeIn(box.ButonType, {dtRenSunpoCyusin, dtRenSunpoCyusin2, dtRenKetuMozi}) || tool == nullptr) return;
  CommitShownResult(box, *tool);
  box.B_Switch = _off;
  box.RubberErased = false;
  box.Tool(ToolSlot::RenSunpoObj).Free();
}

// The cancel-all's first phase: the chains keep what was built so far.
void RenSunpoCancel(TcadBox& box) {
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (!ModeIn(box.ButonType, {dtRenSunpo, dtRenSunpokaku, dtRenSunpoKei}) || tool == nullptr) return;
  if (box.ButonType != dtRenSunpoKei) {
    ErasePreviewChainedDimensions(box, *tool);
    tool->TrimOnFinish = 0;
    CommitTool(box, *tool);
  }
  EndDimension(box);
}

// The later phase: whatever dimension is left unfinished goes.
void RenSunpoCyusinCancel(TcadBox& box) {
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (!KeepsTheTool(box.ButonType) || tool == nullptr) return;
  ErasePreviewChainedDimensions(box, *tool);
  box.Canvas().Pen.Mode = pmCopy;
  box.Tool(ToolSlot::RenSunpoObj).Free();
}

void RenSunpoRedraw(TcadBox& box) {
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (!KeepsTheTool(box.ButonType) || tool == nullptr) return;
  // After a full redraw nothing of a result is left on the screen.
  if (box.RubberErased) box.FamilyState<RShownDimension>().Result.clear();
  XorPreview(box, *tool);
  box.RubberErased = false;
}

// A snapped point, marked; nothing found drops the click.
bool Snap(TcadBox& box, double x, double y, RPoint2D& point) {
  double sx = x, sy = y;
  if (!box.Draw1->SnapPoint(sx, sy, box.Zoom, 0, box.GridObj.Lines)) {
    box.ClickKind = 0;
    return false;
  }
  box.ShowPointMarker(0, sx, sy);
  point = box.FreePoint(sx, sy);
  return true;
}

// The snap of the measuring points around a circle: the tool's first two
// elements count as whole circles besides the drawing.
bool SnapWithToolCircles(TcadBox& box, const TRenSunpoSenobj* tool, double x, double y, RPoint2D& point) {
  const double none = std::numeric_limits<double>::quiet_NaN();
  double c[2][3] = {{none, none, 0}, {none, none, 0}};
  for (std::size_t i = 0; tool != nullptr && i < 2 && i < tool->Elements.size(); ++i) {
    const RDrawElement& e = tool->Elements[i];
    c[i][0] = e.X1;
    c[i][1] = e.Y1;
    c[i][2] = e.Radius;
  }
  double sx = x, sy = y;
  if (!box.Draw1->SnapPointWithCircles(sx, sy, c[0][0], c[0][1], c[0][2], c[1][0], c[1][1], c[1][2], box.GridObj.Lines,
                                       0, box.Zoom)) {
    box.ClickKind = 0;
    return false;
  }
  box.ShowPointMarker(0, sx, sy);
  point = box.FreePoint(sx, sy);
  return true;
}

// The press of the chain modes (angle: the angle origin is always read from
// the drawing).
void ChainDown(TcadBox& box, TShiftState shift, double x, double y, bool angleOrigin) {
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  if (!box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard)) return;
  box.ClickPending = true;
  RPoint2D p;
  switch (box.B_Switch) {
    case _off:
      if (angleOrigin) {
        if (!Snap(box, x, y, p)) return;
        box.FirstPoint = box.CurrentPoint = p;
      } else {
        box.FirstPoint = box.CurrentPoint = box.SecondPoint = box.FreePoint(x, y);
      }
      return;
    case on1:
    case on2:
      if (box.ClickKind == 2) {
        p = box.FreePoint(x, y);
      } else if (!Snap(box, x, y, p)) {
        return;
      }
      box.FirstPoint = box.SecondPoint = p;
      return;
    default:
      if (box.ButonType == dtRenSunpo || box.ButonType == dtRenSunpokaku) {
        if (SnapWithToolCircles(box, ToolChainedDimensions(box), x, y, p)) box.SecondPoint = p;
      } else if (Snap(box, x, y, p)) {
        box.SecondPoint = p;
      }
      return;
  }
}

void ChainMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (tool != nullptr) box.ClickKind = 0;
    return;
  }
  const bool angles = box.ButonType == dtRenSunpokaku;
  const bool chain = angles || box.ButonType == dtRenSunpo;
  const char* const originPrompt = "角度測定原点指示    [左クリック：（自由）  右クリック：（点読取り）]";
  if (tool == nullptr) {
    box.SetGuidePrompt(J(angles ? originPrompt : "測定対象円指示"));
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  switch (box.B_Switch) {
    case _off: box.SetGuidePrompt(J(angles ? originPrompt : "測定対象円指示")); return;
    case on1:
      box.SetGuidePrompt(J(chain ? "引出線開始位置指示    [左クリック：（自由）  右クリック：（点読取り）]"
                                 : "寸法位置指示    [左クリック：（自由）  右クリック：（点読取り）]"));
      break;
    case on2:
      if (!chain) return;
      box.SetGuidePrompt(J("引出線終了位置指示    [左クリック：（自由）  右クリック：（点読取り）]"));
      break;
    default:
      if (!chain) return;
      box.SetGuidePrompt(J(angles ? "角度測定点指示  　　  [左クリック：（自由）  右クリック：（点読取り）]"
                                  : "寸法測定点指示  　　  [左クリック：（自由）  右クリック：（点読取り）]"));
      break;
  }
  UpdatePreview(box, *tool, x, y);
}

void ChainUp(TcadBox& box) {
  if (box.ViewGestureState != 0) {
    box.RubberErased = false;
    box.ClickKind = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  const Sbuttontype mode = box.ButonType;
  const bool angles = mode == dtRenSunpokaku;
  const bool chain = angles || mode == dtRenSunpo;
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (box.B_Switch == _off) {
    RDrawElement element;
    if (mode == dtFukusenHaniSen) {
      box.B_Switch = on1;
    } else if (angles) {
      if (tool == nullptr)
        CreateToolChainedDimensions(box).AddPoint(box.ClickKind == 2, 0, box.FirstPoint.x, box.FirstPoint.y,
                                                  ZeroElement());
      box.B_Switch = on1;
    } else if (ElementUnder(box, box.PressPoint, box.PickedIndex[1], false, 0, element)) {
      if (element.Kind == kKindArc && tool == nullptr) {
        CreateToolChainedDimensions(box).AddPoint(box.ClickKind == 2, 1, box.FirstPoint.x, box.FirstPoint.y, element);
        box.B_Switch = on1;
      } else {
        box.B_Switch = _off;
      }
    }
    return;
  }
  if (tool == nullptr) {
    // A position click without a dimension to place: nothing to commit.
    box.B_Switch = _off;
    box.ClickPending = false;
    return;
  }
  if (chain && box.B_Switch == on1)
    box.B_Switch = on2;
  else if (chain && box.B_Switch == on2)
    box.B_Switch = on3;
  ShowPointResult(box, *tool, box.SecondPoint);
  RDrawElement element = ZeroElement();
  std::int32_t index = -1;
  const bool found = !angles && ElementUnder(box, box.PressPoint, index, false, 0, element);
  // The tool keeps no point of its own: the clicked point is the next one.
  tool->AddPoint(box.ClickKind == 2, found, box.SecondPoint.x, box.SecondPoint.y, element);
  box.RubberErased = false;
  box.ClickPending = false;
  box.CurrentPoint = box.SecondPoint;
  if (chain) {
    PostHostNotification(kPanelChainedDimensions, kPointTaken);
  } else if (mode == dtRenSunpoKei) {
    RenSunpoFinish(box, 1);
    PostHostNotification(kPanelChainedDimensions, kPointTaken);
  } else {
    FukusenHaniSenStep(box, 1);
    PostHostNotification(kPanelChainedDimensions, kPositionCommitted);
  }
}

void RenSunpoDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtRenSunpo) ChainDown(box, shift, x, y, false);
}
void RenSunpoMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtRenSunpo) ChainMove(box, shift, x, y);
}
void RenSunpoUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType == dtRenSunpo) ChainUp(box);
}
void RenSunpokakuDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtRenSunpokaku) ChainDown(box, shift, x, y, true);
}
void RenSunpokakuMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtRenSunpokaku) ChainMove(box, shift, x, y);
}
void RenSunpokakuUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType == dtRenSunpokaku) ChainUp(box);
}
void RenSunpoKeiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtRenSunpoKei) ChainDown(box, shift, x, y, false);
}
void RenSunpoKeiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtRenSunpoKei) ChainMove(box, shift, x, y);
}
void RenSunpoKeiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType == dtRenSunpoKei) ChainUp(box);
}
void FukusenHaniSenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtFukusenHaniSen) ChainDown(box, shift, x, y, false);
}
void FukusenHaniSenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType == dtFukusenHaniSen) ChainMove(box, shift, x, y);
}
void FukusenHaniSenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType == dtFukusenHaniSen) ChainUp(box);
}

// ---- Dimensions between elements -------------------------------------------------

// The snap against a reference line from A to B: a point of the drawing
// (marker 0) or one derived from the line (marker 1); a line of no length
// has nothing to derive from and the plain snap serves.
bool ReferenceSnapChainedDimensions(TcadBox& box, double x, double y, const RPoint2D& a, const RPoint2D& b,
                                    RPoint2D& point) {
  box.ClickPending = true;
  if (a.x != b.x || a.y != b.y) {
    double sx = b.x, sy = b.y;
    const std::uint8_t result = box.Draw1->SnapPointRefFrom(sx, sy, a.x, a.y, x, y, box.Zoom, 0, box.GridObj.Lines, 0);
    if (result == 1 || result == 2) {
      box.ShowPointMarker(result == 1 ? 0 : 1, sx, sy);
      point = box.FreePoint(sx, sy);
      return true;
    }
  }
  return Snap(box, x, y, point);
}

void RenSunpoCyusinDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtRenSunpoCyusin) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.ClickPending = false;
    return;
  }
  if (!box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard)) return;
  const std::uint8_t variant = box.CyusinKind;
  const bool left = box.ClickKind == 2;
  RPoint2D p;
  if (box.B_Switch == _off) {
    if (left || variant == 1) {
      p = box.FreePoint(x, y);
    } else if (!Snap(box, x, y, p)) {
      return;
    }
    box.FirstPoint = box.CurrentPoint = p;
    return;
  }
  if (left || (variant == 1 && box.B_Switch == on2)) {
    box.SecondPoint = box.FreePoint(x, y);
    return;
  }
  const TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (variant != 1 && box.B_Switch == on2) {
    const RPoint2D a = tool ? RPoint2D{tool->GuideStartX, tool->GuideStartY} : RPoint2D{};
    const RPoint2D b = tool ? RPoint2D{tool->GuideEndX, tool->GuideEndY} : RPoint2D{};
    if (ReferenceSnapChainedDimensions(box, x, y, a, b, p)) box.SecondPoint = p;
    return;
  }
  if (variant != 1 && box.B_Switch == on3) {
    if (tool == nullptr || tool->LastIndex < 0 || tool->Elements.empty()) {
      box.ClickKind = 0;  // nothing to read a point against
      return;
    }
    const std::size_t last =
        std::min<std::size_t>(static_cast<std::size_t>(tool->LastIndex), tool->Elements.size() - 1);
    const RDrawElement& line = tool->Elements[last];
    const bool isLine = line.Kind == kKindLine;
    const RPoint2D a = isLine ? RPoint2D{line.X1, line.Y1} : RPoint2D{};
    const RPoint2D b = isLine ? RPoint2D{line.X2, line.Y2} : RPoint2D{};
    if (ReferenceSnapChainedDimensions(box, x, y, a, b, p)) box.SecondPoint = p;
    return;
  }
  if (Snap(box, x, y, p)) box.SecondPoint = p;
}

void RenSunpoCyusinMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtRenSunpoCyusin) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (tool != nullptr) box.ClickKind = 0;
    return;
  }
  static const char* const kPrompts[3][5] = {
      {"1点目: 線指示[左クリック]  点指示[右クリック]", "1点目: 線指示[左クリック]  点指示[右クリック]",
       "2点目: 線指示[左クリック]  点指示[右クリック]",
       "線開始点位置指示    [左クリック：（自由）  右クリック：（点読取り）]",
       "線終了点位置指示    [左クリック：（自由）  右クリック：（点読取り）]"},
      {"円・円弧指示", "円・円弧指示:左クリック", "分割開始点指示:    [左クリック：（自由）  右クリック：（点読取り）]",
       "通過点指示(分割方向指示）:    [左クリック 右クリック：（自由）]",
       "分割終了点指示:    [左クリック：（自由）  右クリック：（点読取り）]"},
      {"1点目指示", "1点目指示", kSecondPointCaption, "2点目指示または、方向指示", nullptr}};
  const std::uint8_t variant = box.CyusinKind <= 2 ? box.CyusinKind : 0;
  if (tool == nullptr) {
    box.SetGuidePrompt(J(kPrompts[variant][0]));
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  const int step = box.B_Switch == _off ? 1 : box.B_Switch == on1 ? 2 : box.B_Switch == on2 ? 3 : 4;
  if (kPrompts[variant][step] != nullptr) box.SetGuidePrompt(J(kPrompts[variant][step]));
  if (box.B_Switch == _off) return;
  UpdatePreview(box, *tool, x, y);
}

// A point of the dimension line: shown, and added with the element under
// a left click.
void DimensionLinePoint(TcadBox& box, TRenSunpoSenobj& tool, std::uint8_t pickKind) {
  ShowPointResult(box, tool, box.SecondPoint);
  RDrawElement element = ZeroElement();
  const bool found =
      box.ClickKind == 2 && ElementUnder(box, box.SecondPoint, box.PickedIndex[4], false, pickKind, element);
  tool.AddPoint(found ? 1 : 0, found ? 1 : 0, box.SecondPoint.x, box.SecondPoint.y, element);
  box.RubberErased = false;
  box.ClickPending = false;
}

void EndBetweenElements(TcadBox& box) {
  RenSunpoCyusinStep(box);
  box.B_Switch = _off;
  box.DeselectElement(box.PickedIndex[1]);
  box.DeselectElement(box.PickedIndex[2]);
}

void RenSunpoCyusinUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtRenSunpoCyusin) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = false;
    box.ClickKind = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  const std::uint8_t variant = box.CyusinKind <= 2 ? box.CyusinKind : 0;
  const bool left = box.ClickKind == 2;
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  RDrawElement element;
  switch (box.B_Switch) {
    case _off:
      if (tool != nullptr) return;
      if (variant == 2 || (variant == 0 && !left)) {
        CreateToolChainedDimensions(box).AddPoint(0, 0, box.FirstPoint.x, box.FirstPoint.y, ZeroElement());
        box.B_Switch = on1;
      } else if (ElementUnder(box, box.FirstPoint, box.PickedIndex[1], true, variant == 1 ? 2 : 0, element)) {
        CreateToolChainedDimensions(box).AddPoint(1, 1, box.FirstPoint.x, box.FirstPoint.y, element);
        box.B_Switch = on1;
      }
      return;
    case on1:
      if (tool == nullptr) return;
      if (variant == 0 && left) {
        std::int32_t index = -1;
        if (!ElementUnder(box, box.SecondPoint, index, true, 0, element) || index == box.PickedIndex[1]) return;
        box.PickedIndex[2] = index;
        tool->AddPoint(1, 1, box.SecondPoint.x, box.SecondPoint.y, element);
      } else {
        tool->AddPoint(0, 0, box.SecondPoint.x, box.SecondPoint.y, ZeroElement());
      }
      box.B_Switch = on2;
      return;
    default:
      if (tool == nullptr) return;
      DimensionLinePoint(box, *tool, variant == 1 ? 2 : 0);
      if (box.B_Switch == on2 && variant != 2) {
        box.B_Switch = on3;
        return;
      }
      EndBetweenElements(box);
      if (variant == 1) box.RedrawAll(false);
      return;
  }
}

void RenSunpoCyusin2Down(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtRenSunpoCyusin2) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.ClickPending = true;
    return;
  }
  if (!box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard)) return;
  const bool left = box.ClickKind == 2;
  RPoint2D p;
  if (box.B_Switch == _off) {
    if (left) {
      p = box.FreePoint(x, y);
    } else if (box.senzyohit) {
      double sx = x, sy = y;
      const std::uint8_t result =
          box.Draw1->SnapPointRef(sx, sy, 0, 0, box.Zoom, 0, box.GridObj.Lines, 1, box.SnapSourceFound, box.SnapSource);
      if (result != 1 && result != 2) {
        box.ClickKind = 0;
        return;
      }
      box.ShowPointMarker(result == 2 ? 1 : 0, sx, sy);
      p = box.FreePoint(sx, sy);
    } else if (!Snap(box, x, y, p)) {
      return;
    }
    box.FirstPoint = box.CurrentPoint = p;
    return;
  }
  if (left) {
    box.SecondPoint = box.FreePoint(x, y);
  } else if (Snap(box, x, y, p)) {
    box.SecondPoint = p;
    box.ClickPending = true;
  }
}

void RenSunpoCyusin2Move(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtRenSunpoCyusin2) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (tool != nullptr) box.ClickKind = 0;
    return;
  }
  if (tool == nullptr || box.B_Switch == _off) {
    box.SetGuidePrompt(J(kStartPointPrompt));
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  box.SetGuidePrompt(J(" 終点指示    [左クリック：（自由）  右クリック：（点読取り）]"));
  UpdatePreview(box, *tool, x, y);
}

void RenSunpoCyusin2Up(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtRenSunpoCyusin2) return;
  if (box.ViewGestureState != 0) {
    box.RubberErased = false;
    box.ClickKind = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  TRenSunpoSenobj* tool = ToolChainedDimensions(box);
  if (box.B_Switch == _off) {
    if (tool == nullptr) tool = &CreateToolChainedDimensions(box);
    tool->AddPoint(1, 0, box.FirstPoint.x, box.FirstPoint.y, ZeroElement());
    box.B_Switch = on1;
    return;
  }
  if (tool == nullptr) return;
  DimensionLinePoint(box, *tool, 0);
  EndBetweenElements(box);
  if (box.Zoom >= 0.8) box.RedrawAll(false);
}

}  // namespace

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

// The first point while none is placed, then the next; the chain's
// previews are drawn again first.
void ChainedAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.RedrawFirst = true;
  const bool first = box.B_Switch == _off;
  slot.Pending = first ? &box.FirstPoint : &box.SecondPoint;
  if (first) slot.Also = {&box.CurrentPoint};
}

bool ChainClosed(const TcadBox& box) { return box.B_Switch == on3; }

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// The confirm gesture ends the chain.
void RenSunpoGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  const TCommandRegistry& registry = CommandRegistry();
  registry.RunPhase("RenSunpoRedraw", box);
  registry.RunFinish("RenSunpoFinish", box, 1);
}

// The toggle is the host panel's.
void RenSunpoCyusin2Gesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  box.ClickKind = 0;
  PostHostNotification("TFrame30", 115);
}

}  // namespace
