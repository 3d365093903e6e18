// Dimension lines between two guide lines, dimension values by points and
// the change of a dimension's value.

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "canvas/cad_box.h"
#include "canvas/undo_step.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/command_texts.h"
#include "commands/framework/selection_support.h"
#include "commands/handlers/command_handlers.h"
#include "commands/handlers/dimensions.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/offsets_rects.h"
#include "tools/lines/dimension_tool.h"

namespace {
void sunposenDown(TcadBox& box, TShiftState shift, double x, double y);
void sunposenMove(TcadBox& box, TShiftState shift, double x, double y);
void sunposenUp(TcadBox& box, TShiftState shift, double x, double y);
void sunposenRedraw(TcadBox& box);
void sunposenCancel(TcadBox& box);
void sunposenResume(TcadBox& box, TShiftState, double, double);
void SunpochiDown(TcadBox& box, TShiftState shift, double x, double y);
void SunpochiMove(TcadBox& box, TShiftState shift, double x, double y);
void SunpochiUp(TcadBox& box, TShiftState shift, double x, double y);
void SunpochiHenDown(TcadBox& box, TShiftState shift, double x, double y);
void SunpochiHenMove(TcadBox& box, TShiftState shift, double x, double y);
void SunpochiHenUp(TcadBox& box, TShiftState shift, double x, double y);
void ResetDimensionState(TcadBox& box);
void DimensionAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void SunpochiHenAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
void sunposenGesture(TcadBox& box, Sbuttontype code);
}  // namespace

void RegisterDimensionCommands() {
  RegisterFamily(
      {.Name = "sunposen",
       .Modes = {dtsunposen},
       .Down = sunposenDown,
       .Move = sunposenMove,
       .Up = sunposenUp,
       .Cancels = {{"sunposenCancel", sunposenCancel}},
       .Redraws = {{"sunposenRedraw", sunposenRedraw}},
       .Reset = ResetDimensionState,
       .Hooks = {.Cursor = CursorPair(30, 31)},
       .Assist = {.Slot = DimensionAssistSlot, .Resume = sunposenResume},
       .Gestures = {DimensionAxisToggle(), ConfirmGesture(GestureSide::Left, dtsunposen, {},
                                                          [](const TcadBox& b) { return b.B_Switch == on2; })},
       .GestureActions = {{{dtsunposen}, sunposenGesture}}});
  RegisterFamily({.Name = "Sunpochi",
                  .Modes = {dtSunpochi},
                  .Down = SunpochiDown,
                  .Move = SunpochiMove,
                  .Up = SunpochiUp,
                  .Hooks = {.Cursor = CursorPair(30, 31)},
                  .Assist = {.Slot = DimensionAssistSlot},
                  .Gestures = {DimensionAxisToggle()}});
  // A paint while a value is being changed lists the drawing afresh.
  RegisterFamily({.Name = "SunpochiHen",
                  .Modes = {dtSunpochiHen},
                  .Down = SunpochiHenDown,
                  .Move = SunpochiHenMove,
                  .Up = SunpochiHenUp,
                  .Hooks = {.Cursor = CursorPair(30, 31), .PaintRebuildsLists = true},
                  .Assist = {.Slot = SunpochiHenAssistSlot},
                  .Gestures = {DimensionAxisToggle()}});
}

namespace {

constexpr TColor kGuideColour1 = 0xC0C0C0;
constexpr TColor kGuideColour2 = 0x808080;
constexpr std::uint8_t kGuideLineType1 = 9;
constexpr std::uint8_t kGuideLineType2 = 1;

struct RDimensionState {
  // The dimension-line start was a free (left-click) point.
  bool SunpoStartFree = false;
  // The value change was entered from the dimension line and returns there.
  bool ReturnToSunposen = false;
};

RDimensionState& State(TcadBox& box) { return box.FamilyState<RDimensionState>(); }
RDimensionGuides& Guides(TcadBox& box) { return box.FamilyState<RDimensionGuides>(); }

void ResetDimensionState(TcadBox& box) { State(box).ReturnToSunposen = false; }

double DimensionAngle(const TcadBox& box) { return NormalizeAngle360(box.CommandAngle + box.AxisAngle); }

TSunpoobj* Tool(TcadBox& box) { return box.Tool(ToolSlot::SunpoObj).Get<TSunpoobj>(); }

TSunpoobj& CreateTool(TcadBox& box, double groupScale) {
  const RPointPair& g1 = Guides(box).GuideLine1;
  const RPointPair& g2 = Guides(box).GuideLine2;
  return box.Tool(ToolSlot::SunpoObj)
      .Emplace<TSunpoobj>(g1.xa, g1.ya, g1.xb, g1.yb, g2.xa, g2.ya, g2.xb, g2.yb, DimensionAngle(box), groupScale,
                          std::span<const RTextStyle>(box.TextStyles), box.DimLineColor, box.DimMarkColor,
                          box.DimTextStyle);
}

double WriteGroupScaleDimensions(const TcadBox& box) { return box.GroupScales[box.WriteGrupe_No % kLayerGroups]; }

// The gap of guide line 2 for the kind of the start; a value that is not
// finite counts as none.
double GuideGap(TcadBox& box) {
  const double gap = State(box).SunpoStartFree ? box.DimGapFree : box.DimGapSnapped;
  return std::isfinite(gap) ? gap : 0.0;
}

// The guide lines lie a little off their true place, so that the dimension
// lines drawn on them stay visible.
double GuideShift(const TcadBox& box) { return 0.3 / box.Zoom; }

// What shows of a guide line: its part across the view, drawn a little off
// its true place, so that the dimension lines drawn on it stay visible.
RPointPair ShownGuide(const TcadBox& box, const RPointPair& g) {
  const RViewRect& v = box.ViewWindow;
  RPointPair c = g;
  if (!ExtendLineAcrossRectEps1e4(g.xa, g.ya, g.xb, g.yb, v.Left, v.Bottom, v.Right, v.Top, c.xa, c.ya, c.xb, c.yb)) {
    c = g;
  }
  const double s = GuideShift(box);
  return {c.xa + s, c.ya + s, c.xb + s, c.yb + s};
}

void DrawGuide(TcadBox& box, const RPointPair& g, TColor colour, std::uint8_t lineType) {
  TCanvas& canvas = box.Canvas();
  const RPointPair shown = ShownGuide(box, g);
  canvas.Pen.Mode = pmXor;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = colour;
  box.DrawLine(lineType, canvas, shown.xa, shown.ya, shown.xb, shown.yb);
  canvas.Pen.Mode = pmCopy;
}

// Painted over in the line type it was drawn with: a dashed line's pixels
// do not all lie on the solid line between the same ends.
void PaintOverGuide(TcadBox& box, const RPointPair& g, std::uint8_t lineType) {
  const RPointPair shown = ShownGuide(box, g);
  SetBackgroundPen(box);
  box.DrawLine(lineType, box.Canvas(), shown.xa, shown.ya, shown.xb, shown.yb);
}

// The snap of the dimension points: the drawing, the grid lines and the two
// guide lines.
bool SnapWithGuides(TcadBox& box, double x, double y, RPoint2D& point) {
  double sx = x, sy = y;
  const RPointPair& a = Guides(box).GuideLine1;
  const RPointPair& b = Guides(box).GuideLine2;
  if (!box.Draw1->SnapPointWithLines(sx, sy, a.xa, a.ya, a.xb, a.yb, b.xa, b.ya, b.xb, b.yb, box.GridObj.Lines, 0,
                                     box.Zoom)) {
    return false;
  }
  point = {sx, sy};
  box.ShowPointMarker(0, sx, sy);
  return true;
}

bool SnapNoTextDimensions(TcadBox& box, double x, double y, RPoint2D& point) {
  double sx = x, sy = y;
  if (!box.Draw1->SnapPointNoText(sx, sy, box.Zoom, 0, box.GridObj.Lines)) return false;
  point = {sx, sy};
  box.ShowPointMarker(0, sx, sy);
  return true;
}

// The newest step of the tool into the drawing through the step given:
// the records after the last separator, from the last one back. Texts go
// into the group and layer given, the rest into the current ones.
void CommitNewestStep(TcadBox& box, TSunpoobj& tool, TUndoStep& step, std::uint8_t textGroup, std::uint8_t textLayer) {
  Tdrawinp& store = *box.Draw1;
  const std::size_t shownFrom = store.Elements.size();
  const std::size_t first = tool.LastStepStart();
  for (std::size_t k = tool.Records.size(); k-- > first;) {
    const RSundata& r = tool.Records[k];
    RDrawElement e = ZeroElement();
    e.ColorNo = r.Colour;
    e.Group = box.WriteGrupe_No;
    e.Layer = box.WriteReiya_No;
    e.X1 = r.X1;
    e.Y1 = r.Y1;
    if (r.Kind == kSunLine) {
      e.Kind = kKindLine;
      e.LineType = 1;
      e.X2 = r.X2;
      e.Y2 = r.Y2;
      step.Add(e);
    } else if (r.Kind == kSunMark) {
      e.Kind = kKindPoint;
      e.LineType = 1;
      step.Add(e);
    } else if (r.Kind == kSunText) {
      if (r.Text.empty()) continue;
      e.Kind = kKindText;
      e.LineType = 0;
      e.X2 = r.X2;
      e.Y2 = r.Y2;
      e.TextStyle = box.DimTextStyle;
      e.TextAngle = static_cast<float>(r.Angle);
      e.TextDirection = 0;
      e.Group = textGroup;
      e.Layer = textLayer;
      step.Open();
      const std::size_t before = store.Elements.size();
      box.AddTextExact(e, r.Text, store, false);
      if (store.Elements.size() == before) continue;
      box.ShowTopMessage(" " + r.Text);
    }
  }
  // Shown as the redraw shows them, under the guide lines drawn in XOR.
  DrawAddedSince(box, shownFrom);
}

// ---- dtsunposen ---------------------------------------------------------------

void sunposenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtsunposen) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  if (box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard) && shift == (ssShift | ssLeft)) box.ClickKind = 6;
  const RPoint2D at{x, y};
  const RPoint2D p = box.FreePoint(x, y);
  const RPoint2D o{p.x - x, p.y - y};
  const double angle = DimensionAngle(box);
  const std::uint8_t click = box.ClickKind;
  RPoint2D s;
  switch (box.B_Switch) {
    case _off:
      if (click == 2) {
        State(box).SunpoStartFree = true;
        box.FirstPoint = box.CurrentPoint = box.SegStart = box.SegEnd = p;
        box.BuildGuideLine(Guides(box).GuideLine1, p.x, p.y, angle);
      } else if (click == 6) {
        box.CancelCommands(false);
        box.FirstPoint = at;
        box.ButonType = dtSunpochiHen;
        State(box).ReturnToSunposen = true;
      } else if (click == 3) {
        State(box).SunpoStartFree = false;
        const RPoint2D start = SnapNoTextDimensions(box, x, y, s) ? RPoint2D{s.x + o.x, s.y + o.y} : p;
        box.FirstPoint = box.SegStart = box.SegEnd = start;
        box.BuildGuideLine(Guides(box).GuideLine1, start.x, start.y, angle);
      }
      return;
    case on1:
      if (click == 2) {
        box.CurrentPoint = box.SegEnd = p;
        box.BuildGuideLine(Guides(box).GuideLine2, p.x, p.y, angle);
      } else if (click == 3) {
        if (SnapWithGuides(box, x, y, s)) {
          box.SegEnd = box.CurrentPoint = {s.x + o.x, s.y + o.y};
          box.BuildGuideLine(Guides(box).GuideLine2, box.SegEnd.x, box.SegEnd.y, angle);
        } else if (GuideGap(box) == 0) {
          box.ClickKind = 0;
        } else {
          box.SegEnd = p;
          box.BuildSecondGuideLine(Guides(box).GuideLine1, Guides(box).GuideLine2, p.x, p.y, angle);
        }
      }
      return;
    case on2:
    case on3:
      if (click != 2 && click != 3) return;
      if (!SnapWithGuides(box, x, y, s)) {
        box.ClickKind = 0;
        return;
      }
      box.CurrentPoint = {s.x + o.x, s.y + o.y};
      if (click == 2) box.FirstPoint = box.CurrentPoint;
      return;
    default: return;
  }
}

void sunposenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtsunposen || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  switch (box.B_Switch) {
    case _off: box.SetGuidePrompt(J("寸法線開始点指示    [左クリック（自由）：右クリック（点読取り）]")); break;
    case on1: box.SetGuidePrompt(J("寸法線終了点指示    [左クリック（自由）：右クリック（点読取り）]")); break;
    case on2: box.SetGuidePrompt(J("寸法点指示    [2点目以降-＞左クリック（個別）：右クリック（連続）]")); break;
    default: break;
  }
}

void sunposenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtsunposen) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  switch (box.B_Switch) {
    case _off:
      box.B_Switch = on1;
      DrawGuide(box, Guides(box).GuideLine1, kGuideColour1, kGuideLineType1);
      return;
    case on1:
      DrawGuide(box, Guides(box).GuideLine2, kGuideColour2, kGuideLineType2);
      if (Tool(box) == nullptr) CreateTool(box, WriteGroupScaleDimensions(box));
      box.B_Switch = on2;
      box.ClickKind = 0;
      return;
    default: break;
  }
  // The dimension points need the tool; without one a point does nothing.
  TSunpoobj* tool = Tool(box);
  if (tool == nullptr) return;
  const RPoint2D p = box.CurrentPoint;
  if (box.B_Switch == on2 && box.ClickKind == 2) {
    tool->RestartChain(p.x, p.y);
    box.B_Switch = on3;
  } else if (box.B_Switch == on2) {
    tool->AddChainPoint(p.x, p.y);
    box.CommitDimensionStep(0, 0);
  } else if (box.B_Switch == on3) {
    tool->AddChainPoint(p.x, p.y);
    box.CommitDimensionStep(0, 0);
    box.B_Switch = on2;
  }
}

// A point of an assist is taken as a left click at the step the command is
// at: the start and the end of the dimension line build their guide lines
// (and at the end the tool), a dimension point goes to the tool.
void sunposenResume(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtsunposen) return;
  const RPoint2D p = box.AssistPoint;
  const double angle = DimensionAngle(box);
  switch (box.B_Switch) {
    case _off:
      State(box).SunpoStartFree = true;
      box.FirstPoint = box.CurrentPoint = box.SegStart = box.SegEnd = p;
      box.BuildGuideLine(Guides(box).GuideLine1, p.x, p.y, angle);
      break;
    case on1:
      box.CurrentPoint = box.SecondPoint = box.SegEnd = p;
      box.BuildGuideLine(Guides(box).GuideLine2, p.x, p.y, angle);
      break;
    case on2:
    case on3: box.FirstPoint = box.CurrentPoint = box.SecondPoint = p; break;
    default: return;
  }
  box.ClickKind = 2;
  sunposenUp(box, 0, p.x, p.y);
}

void sunposenRedraw(TcadBox& box) {
  if (box.ButonType != dtsunposen) return;
  const _Bswitch sw = box.B_Switch;
  if (sw != on1 && sw != on2 && sw != on3) return;
  const RViewRect& v = box.ViewWindow;
  const auto clip = [&](RPointPair& g) {
    RPointPair c;
    if (ExtendLineAcrossRectEps1e4(g.xa, g.ya, g.xb, g.yb, v.Left, v.Bottom, v.Right, v.Top, c.xa, c.ya, c.xb, c.yb)) {
      g = c;
    }
  };
  clip(Guides(box).GuideLine1);
  if (sw == on1) {
    Guides(box).GuideLine2 = RPointPair{};
  } else {
    clip(Guides(box).GuideLine2);
  }
  DrawGuide(box, Guides(box).GuideLine1, kGuideColour1, kGuideLineType1);
  if (sw != on1) DrawGuide(box, Guides(box).GuideLine2, kGuideColour2, kGuideLineType2);
}

void sunposenCancel(TcadBox& box) {
  if (box.ButonType != dtsunposen) return;
  const _Bswitch sw = box.B_Switch;
  if (sw == on1 || sw == on2 || sw == on3) PaintOverGuide(box, Guides(box).GuideLine1, kGuideLineType1);
  if (sw == on2 || sw == on3) PaintOverGuide(box, Guides(box).GuideLine2, kGuideLineType2);
  box.Canvas().Pen.Mode = pmCopy;
  Guides(box).GuideLine1 = RPointPair{};
  Guides(box).GuideLine2 = RPointPair{};
  box.RedrawLastElements(60);
  box.Tool(ToolSlot::SunpoObj).Free();
}

// ---- dtSunpochi -----------------------------------------------------------------

void SunpochiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSunpochi) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind != 2 && box.ClickKind != 3) return;
  if (box.B_Switch != _off && box.B_Switch != on1) return;
  RPoint2D s;
  if (!SnapNoTextDimensions(box, x, y, s)) {
    box.ClickKind = 0;
    return;
  }
  (box.B_Switch == _off ? box.FirstPoint : box.CurrentPoint) = s;
}

void SunpochiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSunpochi || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) return;
  if (box.B_Switch == _off) box.SetGuidePrompt(J(kSnappedStartPointPrompt));
  if (box.B_Switch == on1) box.SetGuidePrompt(J(kSnappedEndPointPrompt));
}

void SunpochiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSunpochi) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  if (box.ClickKind == 0) return;
  if (box.B_Switch == _off) {
    box.B_Switch = on1;
    return;
  }
  if (box.B_Switch != on1) return;
  TSunpoobj* tool = Tool(box);
  if (tool == nullptr) tool = &CreateTool(box, WriteGroupScaleDimensions(box));
  tool->AddSingleDimension(box.FirstPoint.x, box.FirstPoint.y, box.CurrentPoint.x, box.CurrentPoint.y);
  box.CommitDimensionStep(0, 0);
  box.Tool(ToolSlot::SunpoObj).Free();
  box.B_Switch = _off;
  box.ClickKind = 0;
}

// ---- dtSunpochiHen ----------------------------------------------------------------

void SunpochiHenDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSunpochiHen) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  const std::uint8_t click = box.ClickKind;
  if (click != 2 && click != 3) return;
  RPoint2D s;
  switch (box.B_Switch) {
    case _off: box.FirstPoint = {x, y}; break;
    case on1:
      if (click == 2) {
        box.FirstPoint = {x, y};
      } else if (SnapNoTextDimensions(box, x, y, s)) {
        box.FirstPoint = s;
      } else {
        box.ClickKind = 0;
      }
      break;
    case on2:
      if (SnapNoTextDimensions(box, x, y, s)) {
        box.CurrentPoint = s;
      } else {
        box.ClickKind = 0;
      }
      break;
    default: break;
  }
}

void SunpochiHenMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSunpochiHen || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    box.ClickKind = 0;
    return;
  }
  switch (box.B_Switch) {
    case _off: box.SetGuidePrompt(J("変更寸法値(文字)指示　[左ｸﾘｯｸ：右ｸﾘｯｸ(自由)]")); break;
    case on1: box.SetGuidePrompt(J("左ｸﾘｯｸ:寸法変更線指示　右ｸﾘｯｸ:寸法変更線開始点指示   [右ｸﾘｯｸ(点読取り)]")); break;
    case on2: box.SetGuidePrompt(J("寸法変更線終了点指示    [左ｸﾘｯｸ:右ｸﾘｯｸ(点読取り)]")); break;
    default: break;
  }
}

void ReturnToDimensionLine(TcadBox& box) {
  RDimensionState& state = State(box);
  if (!state.ReturnToSunposen) return;
  box.ButonType = dtsunposen;
  box.B_Switch = _off;
  box.ClickKind = 0;
  state.ReturnToSunposen = false;
}

// Two directions in degrees lie more than 10 degrees apart, the shorter way
// round: 355 and 5 are 10 apart. Rounding of a direction read from end
// points does not carry 10 over.
bool FarApart(double a, double b) {
  const double d = std::fmod(std::abs(a - b), 360.0);
  return std::min(d, 360.0 - d) > 10.0 + 1e-9;
}

// The picked text gives way to a dimension from A to B, measured with the
// scale of the text's group, its text in the text's group and layer: the
// dimension is built first, and only a dimension with parts deletes the
// text and adds them, all in one undo step.
void ReplaceValue(TcadBox& box, RPoint2D a, RPoint2D b) {
  Tdrawinp& store = *box.Draw1;
  const std::int32_t index = box.PickedIndex[5];
  if (index >= 0 && static_cast<std::size_t>(index) < store.Elements.size() &&
      store.Elements[static_cast<std::size_t>(index)].Kind == kKindText) {
    RDrawElement& stored = store.Elements[static_cast<std::size_t>(index)];
    stored.Selection = 0;
    const RDrawElement e = stored;
    box.Tool(ToolSlot::SunpoObj).Free();
    TSunpoobj& tool = CreateTool(box, box.GroupScales[e.Group % kLayerGroups]);
    tool.AddSingleDimension(a.x, a.y, b.x, b.y);
    if (tool.LastStepStart() < tool.Records.size()) {
      const double h = TextStyleHeight(box, e);
      TUndoStep step(store);
      DeleteTextElement(box, step, index);
      box.InvalidateTextOutline(e.X1, e.Y1, e.X2, e.Y2, h);
      CommitNewestStep(box, tool, step, e.Group, e.Layer);
    } else {
      DrawInOwnColour(box, e);
    }
    box.Tool(ToolSlot::SunpoObj).Free();
  }
  box.B_Switch = _off;
  box.ClickKind = 0;
  box.PickedIndex[5] = -1;
  ReturnToDimensionLine(box);
}

void SunpochiHenUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSunpochiHen) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  const std::uint8_t click = box.ClickKind;
  if (click == 0) return;
  switch (box.B_Switch) {
    case _off:
      if (box.PickTextAt(box.PlaceText, false, box.FirstPoint.x, box.FirstPoint.y)) {
        box.B_Switch = on1;
      } else {
        ReturnToDimensionLine(box);
      }
      return;
    case on1: {
      if (click == 3) {
        box.B_Switch = on2;
        return;
      }
      const std::int32_t index = box.PickedIndex[5];
      if (index < 0 || static_cast<std::size_t>(index) >= box.Draw1->Elements.size()) return;
      RPointPair line;
      if (!box.PickPlainLineCoords(line, box.FirstPoint.x, box.FirstPoint.y)) return;
      const RDrawElement& text = box.Draw1->Elements[static_cast<std::size_t>(index)];
      RPoint2D a{line.xa, line.ya}, b{line.xb, line.yb};
      if (FarApart(DirectionAngleDeg(a.x, a.y, b.x, b.y), DirectionAngleDeg(text.X1, text.Y1, text.X2, text.Y2))) {
        std::swap(a, b);
      }
      ReplaceValue(box, a, b);
      return;
    }
    case on2: ReplaceValue(box, box.FirstPoint, box.CurrentPoint); return;
    default: return;
  }
}

}  // namespace

void TcadBox::BuildGuideLine(RPointPair& line, double x, double y, double angle) const {
  const RViewRect& v = ViewWindow;
  const double ahead = std::max(std::abs(v.Right - x), std::abs(v.Top - y));
  const double behind = 2 * std::max(std::abs(v.Left - x), std::abs(v.Bottom - y));
  PolarPoint(line.xa, line.ya, angle, ahead, x, y);
  PolarPoint(line.xb, line.yb, angle + 180, behind, x, y);
}

void TcadBox::BuildSecondGuideLine(const RPointPair& guide1, RPointPair& line, double x, double y, double angle) {
  const double gap = GuideGap(*this);
  if (gap == 0) {
    BuildGuideLine(line, x, y, angle);
    return;
  }
  RPointPair right = guide1, left = guide1;
  OffsetSegmentBothSides(guide1.xa, guide1.ya, guide1.xb, guide1.yb, gap, gap, right, left);
  const auto footDistance = [&](const RPointPair& g) {
    double fx = g.xa, fy = g.ya;
    PerpendicularFoot(fx, fy, g.xa, g.ya, g.xb, g.yb, x, y);
    return PointDistance(fx, fy, x, y);
  };
  line = footDistance(right) <= footDistance(left) ? right : left;
}

void TcadBox::CommitDimensionStep(std::uint8_t group, std::uint8_t layer) {
  if (!ModeIn(ButonType, {dtsunposen, dtSunpochi, dtSunpochiHen})) return;
  TSunpoobj* tool = Tool(ToolSlot::SunpoObj).Get<TSunpoobj>();
  if (tool == nullptr || tool->FirstPointFlag != 0) return;
  if (ButonType == dtsunposen && tool->Records.size() <= 3) return;
  const bool changingValue = ButonType == dtSunpochiHen;
  // Each committed step is one undo step; the value change's own step
  // surrounds its commit.
  TUndoStep step(*Draw1, changingValue ? UndoJoin::JoinCurrent : UndoJoin::NewStep);
  CommitNewestStep(*this, *tool, step, changingValue ? group : WriteGrupe_No, changingValue ? layer : WriteReiya_No);
}

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

void DimensionAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = SlotBySwitch(box, &box.FirstPoint, &box.CurrentPoint, &box.CurrentPoint);
}

void SunpochiHenAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  if (box.B_Switch == on1) slot.Pending = &box.FirstPoint;
  if (box.B_Switch == on2) slot.Pending = &box.CurrentPoint;
}

}  // namespace

// ---- What the release carries out for the gestures the family arms

namespace {

// The confirm gesture starts a new dimension.
void sunposenGesture(TcadBox& box, Sbuttontype) {
  box.PendingGesture = dtNo;
  box.CancelCommands(false);
  box.ButonType = dtsunposen;
}

}  // namespace
