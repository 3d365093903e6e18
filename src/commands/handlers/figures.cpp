// Placing member-section figures, arrowheads and line symbols.

#include <cstdint>
#include <span>
#include <vector>

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"
#include "figures/sections/section_generator.h"
#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "platform/host_notifications.h"

namespace {
void BuzaikoteiDown(TcadBox& box, TShiftState shift, double x, double y);
void BuzaikoteiMove(TcadBox& box, TShiftState shift, double x, double y);
void BuzaikoteiUp(TcadBox& box, TShiftState shift, double x, double y);
void BuzaikoteiAssistSegment(TcadBox& box);
void BuzaikoteiAssistPoint(TcadBox& box);
void YazirusikoteiDown(TcadBox& box, TShiftState shift, double x, double y);
void YazirusikoteiMove(TcadBox& box, TShiftState shift, double x, double y);
void YazirusikoteiUp(TcadBox& box, TShiftState shift, double x, double y);
void Senkigo1Down(TcadBox& box, TShiftState shift, double x, double y);
void Senkigo1Move(TcadBox& box, TShiftState shift, double x, double y);
void Senkigo1Up(TcadBox& box, TShiftState shift, double x, double y);
void FigureModesCancel(TcadBox& box);
void YazirusikoteiAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
}  // namespace

void RegisterFigureCommands() {
  RegisterFamily(
      {.Name = "Buzaikotei",
       .Modes = {dtBuzaikotei, dtBuzaikotei2},
       .Down = BuzaikoteiDown,
       .Move = BuzaikoteiMove,
       .Up = BuzaikoteiUp,
       // The figure rows of the polygons' cancel, run from there.
       .Phases = {{"FigureModesCancel", FigureModesCancel}},
       .Assist = {.Slot = PlacedAtOnceAssistSlot, .Point = BuzaikoteiAssistPoint, .Segment = BuzaikoteiAssistSegment}});
  RegisterFamily({.Name = "Yazirusikotei",
                  .Modes = {dtYazirusikotei},
                  .Down = YazirusikoteiDown,
                  .Move = YazirusikoteiMove,
                  .Up = YazirusikoteiUp,
                  .Assist = {.Slot = YazirusikoteiAssistSlot}});
  RegisterFamily({.Name = "Senkigo1",
                  .Modes = {dtSenkigo1},
                  .Down = Senkigo1Down,
                  .Move = Senkigo1Move,
                  .Up = Senkigo1Up,
                  .Assist = {.Slot = PlacedAtOnceAssistSlot}});
}

namespace {

constexpr std::uint8_t kLineMarks = 95;
constexpr std::uint8_t kLabelledSymbol = 90;
constexpr std::uint8_t kConnectorColour = 11;
constexpr int kLabelledSymbolPlaced = 119;
constexpr RPoint2D kNoPreview{-50000.0, -50000.0};

TBuzaidanmenobj* GeneratorOf(TcadBox& box) { return box.Tool(ToolSlot::BuzaiObj).Get<TBuzaidanmenobj>(); }

double GroupScaleOf(const TcadBox& box) { return box.GroupScales[box.WriteGrupe_No % kLayerGroups]; }

// The generator of the running command, made when it is missing: by the
// first plain move, and equally by a click or a segment placement that
// comes before any move (right after a cancel, or handed back by an
// assist). For the marks on lines the selected editable lines become its
// reference lines once, nearest the last vertex first, and the selection
// is withdrawn.
TBuzaidanmenobj& Generator(TcadBox& box) {
  if (TBuzaidanmenobj* existing = GeneratorOf(box)) return *existing;
  TBuzaidanmenobj& made = box.Tool(ToolSlot::BuzaiObj).Emplace<TBuzaidanmenobj>(box.TextStyles, GroupScaleOf(box));
  if (ModeIn(box.ButonType, {dtBuzaikotei, dtBuzaikotei2}) && box.FigureKind == kLineMarks) {
    made.ClearReferenceLines();
    const Tdrawinp& store = *box.Draw1;
    for (const RDrawElement& e : store.Elements) {
      const bool editable = store.LayerState(e.Group, e.Layer) == kLayerEditable;
      if (e.Kind == kKindLine && e.Selection == 1 && editable) made.AddReferenceLine(e);
    }
    made.SortReferenceLines(box.LastVertex.x, box.LastVertex.y);
    box.DeselectAll();
    box.HaniAka_Cyu = false;
  }
  return made;
}

std::int32_t HighOf(const TBuzaidanmenobj& g) { return static_cast<std::int32_t>(g.Elements.size()) - 1; }

double FigureAngle(const TcadBox& box) { return NormalizeAngle360(box.CommandAngle + box.AxisAngle); }

// The member-section and line-symbol commands hand real sizes over in
// drawing units; the arrow gives its own sizes as they are.
void GenerateScaled(TcadBox& box, TBuzaidanmenobj& g, double x, double y) {
  const std::array<double, 6>& d = box.FigureSizes;
  const auto u = [&box](double v) { return box.RealToDrawingLength(v); };
  g.Generate(box.FigureKind, x, y, u(d[0]), u(d[1]), u(d[2]), u(d[3]), u(d[4]), u(d[5]), FigureAngle(box));
}

void GenerateSection(TcadBox& box, TBuzaidanmenobj& g, double x, double y) {
  g.SetStylesAndScale(box.TextStyles, GroupScaleOf(box));
  GenerateScaled(box, g, x, y);
}

void GenerateArrow(TcadBox& box, TBuzaidanmenobj& g, double x, double y) {
  const std::array<double, 6>& d = box.FigureSizes;
  g.SetStylesAndScale(box.TextStyles, GroupScaleOf(box));
  g.Generate(box.FigureKind, x, y, d[0], d[1], d[2], d[3], d[4], d[5], box.CommandAngle);
}

// The generator's output in XOR with the colour number, ending in copy mode.
void XorOutput(TcadBox& box, const TBuzaidanmenobj& g, std::uint8_t colourNo, std::uint8_t lineType,
               bool symbol = false) {
  box.SetXorPen(PenColourOf(box, colourNo), true);
  box.Canvas().Pen.Width = 1;
  if (symbol) {
    box.DrawSymbolElementArray(g.Elements, HighOf(g), lineType, false);
  } else {
    box.DrawElementArray(g.Elements, HighOf(g), lineType, false, false);
  }
  box.Canvas().Pen.Mode = pmCopy;
}

void RememberPreview(TcadBox& box, double x, double y) {
  box.SecondPoint = {x, y};
  box.PreviewColor = box.Pencol;
  box.PreviewLineType = box.Pentyp;
  box.RubberErased = false;
}

void CommitOutput(TcadBox& box, const TBuzaidanmenobj& g, UndoJoin join = UndoJoin::NewStep) {
  box.CommitElementArrayKeepLayer(g.Elements, HighOf(g), g.Texts, join == UndoJoin::JoinCurrent);
}

// Left and right presses, alone or with Shift or Ctrl; true for those.
bool TakeClickKind(TcadBox& box, TShiftState shift) {
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  return box.ClickKind == 2 || box.ClickKind == 3;
}

// ---- Member sections --------------------------------------------------------

void BuzaikoteiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (!ModeIn(box.ButonType, {dtBuzaikotei, dtBuzaikotei2})) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  box.SetClickKindFrom(shift, TcadBox::ClickRule::Standard);
  if (box.ClickKind == 2) {
    box.FirstPoint = box.CurrentPoint = box.FreePoint(x, y);
  } else if (box.ClickKind == 3) {
    box.CurrentPoint = {x, y};
    box.Mhan1 = 0;
    RPoint2D snapped;
    if (!box.SnappedPoint(x, y, snapped)) {
      box.ClickKind = 0;
      box.Mhan1 = 1;
      return;
    }
    box.FirstPoint = box.SegmentStart = box.FreePoint(snapped.x, snapped.y);
  }
}

void BuzaikoteiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (!ModeIn(box.ButonType, {dtBuzaikotei, dtBuzaikotei2})) return;
  if (box.ViewGestureState != 0) {
    box.Mhan1 = 0;
    return;
  }
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (!box.RubberErased) {
      if (const TBuzaidanmenobj* g = GeneratorOf(box)) XorOutput(box, *g, box.PreviewColor, box.PreviewLineType);
      box.RubberErased = true;
      box.CommandStep = 0;
    }
    box.ClickKind = 0;
    box.Mhan1 = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift) || box.CommandStep != 0) return;
  TBuzaidanmenobj& g = Generator(box);
  box.SetGuidePrompt(J("複写位置指示    [左クリック：（自由）  右クリック：（点読取り）]"));
  if (!box.RubberErased) XorOutput(box, g, box.PreviewColor, box.PreviewLineType);
  GenerateSection(box, g, x, y);
  XorOutput(box, g, box.Pencol, box.Pentyp);
  RememberPreview(box, x, y);
}

// The figure committed and shown at once as the redraw shows it.
void CommitAndShow(TcadBox& box, const TBuzaidanmenobj& g) {
  const std::size_t first = box.Draw1->Elements.size();
  CommitOutput(box, g);
  DrawAddedSince(box, first);
}

// A figure placed where its preview was shown (the preview taken off
// first): no preview shows until the next move draws one.
void CommitOverPreview(TcadBox& box, TBuzaidanmenobj& g) {
  box.CommandStep = 0;
  box.RubberErased = true;
  box.SecondPoint = kNoPreview;
  CommitAndShow(box, g);
}

// A figure placed while no preview was shown: the command waits for a new
// click.
void EndUnshownPlacement(TcadBox& box, bool previewShown) {
  box.CommandStep = 0;
  box.RubberErased = !previewShown;
  box.ClickKind = 0;
}

void BuzaikoteiUp(TcadBox& box, TShiftState, double, double) {
  if (!ModeIn(box.ButonType, {dtBuzaikotei, dtBuzaikotei2}) || box.ClickKind == 0) return;
  if (box.SegmentPaste) {
    // The preview at the cursor goes first: the generator, reused for the
    // copies, no longer holds what it showed, and the next move draws a
    // new one.
    if (const TBuzaidanmenobj* g = GeneratorOf(box); g != nullptr && !box.RubberErased) {
      XorOutput(box, *g, box.PreviewColor, box.PreviewLineType);
    }
    box.PlaceSectionAlongSegment(box.SegmentStart.x, box.SegmentStart.y, box.SecondPoint.x, box.SecondPoint.y);
    box.CommandStep = 0;
    box.RubberErased = true;
    box.ClickKind = 0;
    if (box.ButonType == dtBuzaikotei && box.Zoom >= 0.8) box.RedrawAll(false);
    box.SegmentPaste = false;
    return;
  }
  TBuzaidanmenobj& g = Generator(box);
  const bool shown = !box.RubberErased;
  if (shown) XorOutput(box, g, box.Pencol, box.Pentyp);
  GenerateSection(box, g, box.FirstPoint.x, box.FirstPoint.y);
  if (shown) {
    CommitOverPreview(box, g);
  } else {
    CommitAndShow(box, g);
    // The preview shows at the press again.
    GenerateSection(box, g, box.SecondPoint.x, box.SecondPoint.y);
    XorOutput(box, g, box.Pencol, box.Pentyp);
    EndUnshownPlacement(box, true);
  }
  if (!g.Texts.empty() && box.Zoom >= 0.8) box.RedrawAll(false);
  if (box.FigureKind == kLabelledSymbol) PostHostNotification("TFrame32", kLabelledSymbolPlaced);
}

// The midpoint assist: the placement that follows runs along the segment
// from the pending point to the midpoint handed back.
void BuzaikoteiAssistSegment(TcadBox& box) {
  box.SegmentStart = box.FirstPoint;
  box.SegmentPaste = true;
}

void BuzaikoteiAssistPoint(TcadBox& box) {
  if (box.SegmentPaste) box.SecondPoint = box.AssistPoint;
}

// ---- Arrowheads ---------------------------------------------------------------

// The point the direction is taken to, snapped by the angle mode.
RPoint2D DirectionPoint(const TcadBox& box, double x, double y) {
  return SnapCursorDirection(box.yakakugoto, box.FirstPoint.x, box.FirstPoint.y, x, y, box.AxisAngle, {x, y});
}

// The arrow points away from its second point.
double AngleFromDirectionPoint(const TcadBox& box, RPoint2D p) {
  return DirectionAngleDeg(box.FirstPoint.x, box.FirstPoint.y, p.x, p.y) + 180.0;
}

void YazirusikoteiDown(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtYazirusikotei) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  if (!TakeClickKind(box, shift)) return;
  const bool free = box.ClickKind == 2;
  if (box.CommandStep == 0) {
    if (free) {
      box.FirstPoint = box.CurrentPoint = box.FreePoint(x, y);
      return;
    }
    double sx = x, sy = y;
    const std::uint8_t found =
        box.Draw1->SnapPointRef(sx, sy, 0, 0, box.Zoom, 0, box.GridObj.Lines, 1, box.SnapSourceFound, box.SnapSource);
    if (found != 1 && found != 2) {
      box.ShowTopMessage(J("点が有りません"));
      box.ClickKind = 0;
      box.CommandStep = 0;
      return;
    }
    box.ShowPointMarker(found == 2 ? 1 : 0, sx, sy);
    box.FirstPoint = box.CurrentPoint = box.FreePoint(sx, sy);
    return;
  }
  if (free) {
    box.CurrentPoint = box.FreePoint(x, y);
    return;
  }
  RPoint2D snapped;
  if (!box.SnappedPoint(x, y, snapped)) {
    box.ShowTopMessage(J("点が有りません"));
    box.ClickKind = 0;
    return;
  }
  box.CurrentPoint = box.FreePoint(snapped.x, snapped.y);
}

void YazirusikoteiMove(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtYazirusikotei || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (!box.RubberErased) {
      if (const TBuzaidanmenobj* g = GeneratorOf(box)) XorOutput(box, *g, box.PreviewColor, box.PreviewLineType);
    }
    box.RubberErased = true;
    box.ClickKind = 0;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  TBuzaidanmenobj& g = Generator(box);
  RPoint2D at{x, y};
  if (box.CommandStep == 0) {
    box.SetGuidePrompt(
        J("左ｸﾘｯｸ=線または円弧指示(ｸﾘｯｸ位置が端点に近い方に配置)/右ｸﾘｯｸ=①点目-矢印基準点指示(点読取り)"));
  } else {
    box.SetGuidePrompt(J("②点目-角度決定点指示[左ｸﾘｯｸ:(自由)右ｸﾘｯｸ:(点読取り)]"));
    box.CommandAngle = AngleFromDirectionPoint(box, DirectionPoint(box, x, y));
    at = box.FirstPoint;
  }
  if (!box.RubberErased) XorOutput(box, g, box.PreviewColor, box.PreviewLineType);
  GenerateArrow(box, g, at.x, at.y);
  XorOutput(box, g, box.Pencol, box.Pentyp);
  RememberPreview(box, x, y);
}

void PlaceArrow(TcadBox& box) {
  TBuzaidanmenobj& g = Generator(box);
  const bool shown = !box.RubberErased;
  if (shown) XorOutput(box, g, box.PreviewColor, box.Pentyp);
  GenerateArrow(box, g, box.FirstPoint.x, box.FirstPoint.y);
  if (shown) {
    CommitOverPreview(box, g);
  } else {
    CommitAndShow(box, g);
    EndUnshownPlacement(box, false);
  }
  box.CommandAngle = 0;
}

void YazirusikoteiUp(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtYazirusikotei || box.ClickKind == 0) return;
  if (box.CommandStep == 1) {
    box.CommandAngle = AngleFromDirectionPoint(box, DirectionPoint(box, box.CurrentPoint.x, box.CurrentPoint.y));
    PlaceArrow(box);
    return;
  }
  if (box.ClickKind == 3) {
    box.CommandStep = 1;
    return;
  }
  double ex = box.FirstPoint.x, ey = box.FirstPoint.y, angle = 0;
  if (!box.PickLineOrArcEnd(ex, ey, angle, false)) {
    box.ShowTopMessage(J("線・円弧が有りません"));
    return;
  }
  box.FirstPoint = {ex, ey};
  box.CommandAngle = angle;
  PlaceArrow(box);
}

// ---- Line symbols ---------------------------------------------------------------

void EraseSymbolPreview(TcadBox& box, const TBuzaidanmenobj& g) {
  if (!box.RubberErased) XorOutput(box, g, box.PreviewColor, box.Pentyp, true);
}

void Senkigo1Down(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSenkigo1) return;
  if (box.ViewGestureState != 0) {
    box.ClickKind = 0;
    return;
  }
  if (!TakeClickKind(box, shift)) return;
  if (box.ClickKind == 2) {
    box.FirstPoint = box.CurrentPoint = box.FreePoint(x, y);
    return;
  }
  box.CurrentPoint = {x, y};
  RPoint2D snapped;
  if (!box.SnappedPoint(x, y, snapped)) {
    box.ClickKind = 0;
    return;
  }
  box.FirstPoint = box.FreePoint(snapped.x, snapped.y);
}

void Senkigo1Move(TcadBox& box, TShiftState shift, double x, double y) {
  if (box.ButonType != dtSenkigo1 || box.ViewGestureState != 0) return;
  if (box.TrackDragGesture(shift, box.ButonType, x, y)) {
    if (const TBuzaidanmenobj* g = GeneratorOf(box)) EraseSymbolPreview(box, *g);
    box.RubberErased = true;
    box.ClickKind = 0;
    box.B_Switch = _off;
    return;
  }
  if (!NoMouseButtonHeld(shift)) return;
  if (box.B_Switch == _off) {
    Generator(box);
    box.B_Switch = on1;
    return;
  }
  TBuzaidanmenobj& g = Generator(box);
  if (box.B_Switch == on1) {
    // The symbol follows the cursor unseen until its line is picked.
    GenerateScaled(box, g, x, y);
    box.SecondPoint = {x, y};
    box.PreviewColor = box.Pencol;
    box.PreviewLineType = box.Pentyp;
    return;
  }
  if (box.B_Switch != on2) return;
  box.SetGuidePrompt(J("位置指示    [左クリック：（自由）  右クリック：（点読取り）]"));
  EraseSymbolPreview(box, g);
  GenerateScaled(box, g, x, y);
  XorOutput(box, g, box.Pencol, box.Pentyp, true);
  RememberPreview(box, x, y);
}

// The symbol committed where the click was and shown at once as the
// redraw shows it, the preview taken off first. The command starts again
// with its symbol unseen (a move at the first step draws nothing), so no
// preview is left on the screen for a later move to take off.
void PlaceSymbol(TcadBox& box, TBuzaidanmenobj& g) {
  EraseSymbolPreview(box, g);
  GenerateScaled(box, g, box.FirstPoint.x, box.FirstPoint.y);
  const std::size_t first = box.Draw1->Elements.size();
  box.CommitSymbolElementArray(g.Elements, HighOf(g), g.Texts);
  DrawAddedSince(box, first);
  box.B_Switch = _off;
  box.RubberErased = true;
  box.SecondPoint = kNoPreview;
  box.ClickKind = 0;
}

void Senkigo1Up(TcadBox& box, TShiftState, double, double) {
  if (box.ButonType != dtSenkigo1 || box.ClickKind == 0) return;
  if (box.B_Switch != on1 && box.B_Switch != on2) return;
  TBuzaidanmenobj& g = Generator(box);
  const std::uint8_t placement = g.SymbolPlacement;
  if (box.B_Switch == on1 && placement != 0) {
    std::int32_t index = -1;
    if (!box.PickLineOrArc(index, false, box.FirstPoint.x, box.FirstPoint.y, 1)) return;
    box.PickedIndex[1] = index;
    g.SetReferenceElement(box.Draw1->Elements[static_cast<std::size_t>(index)], 1);
    box.B_Switch = on2;
    return;
  }
  // A symbol that asks for more than one line accepts no placement.
  if (placement > 1) return;
  PlaceSymbol(box, g);
}

// ---- Cancel ---------------------------------------------------------------------

void FigureModesCancel(TcadBox& box) {
  const Sbuttontype m = box.ButonType;
  if (!ModeIn(m, {dtBuzaikotei, dtBuzaikotei2, dtYazirusikotei, dtSenkigo1})) return;
  if (const TBuzaidanmenobj* g = GeneratorOf(box); g != nullptr && !box.RubberErased) {
    XorOutput(box, *g, box.PreviewColor, box.Pentyp, m == dtSenkigo1);
  }
  box.CommandStep = 0;
  box.B_Switch = _off;
  box.Tool(ToolSlot::BuzaiObj).Free();
}

// The symbol's records up to the high index with its connectors hung on
// the reference line: `attach` says which lines are connectors.
template <typename Attach>
std::vector<RDrawElement> Attached(TcadBox& box, std::span<const RDrawElement> elements, std::int32_t high,
                                   Attach attach, bool takeColour) {
  std::vector<RDrawElement> out;
  for (std::int32_t i = 0; i <= high && static_cast<std::size_t>(i) < elements.size(); ++i) {
    out.push_back(elements[static_cast<std::size_t>(i)]);
  }
  const TBuzaidanmenobj* g = GeneratorOf(box);
  if (g == nullptr) return out;
  const RDrawElement& ref = g->Reference1;
  bool first = true;
  for (RDrawElement& e : out) {
    if (e.Kind != kKindLine || !attach(e)) continue;
    e.X1 = first ? ref.X1 : ref.X2;
    e.Y1 = first ? ref.Y1 : ref.Y2;
    if (takeColour) e.ColorNo = ref.ColorNo;
    first = false;
  }
  return out;
}

}  // namespace

void TcadBox::CommitSymbolElementArray(std::span<const RDrawElement> elements, std::int32_t high,
                                       const Tdrawinp::TextList& texts) {
  const std::vector<RDrawElement> records = Attached(
      *this, elements, high, [](const RDrawElement& e) { return e.ColorNo == kConnectorColour; }, true);
  CommitElementArrayKeepLayer(records, static_cast<std::int32_t>(records.size()) - 1, texts, false);
}

void TcadBox::DrawSymbolElementArray(std::span<const RDrawElement> elements, std::int32_t high,
                                     std::uint8_t defaultLineType, bool asLines) {
  // The preview hangs only the connectors without a line type of their own.
  const std::vector<RDrawElement> records = Attached(
      *this, elements, high, [](const RDrawElement& e) { return e.ColorNo == kConnectorColour && e.LineType == 0; },
      false);
  DrawElementArray(records, static_cast<std::int32_t>(records.size()) - 1, defaultLineType, asLines, false);
}

void TcadBox::PlaceSectionAlongSegment(double x1, double y1, double x2, double y2) {
  const std::vector<RPoint2D> points = PitchDivisionPoints(*this, 0, 0, x2 - x1, y2 - y1);
  if (points.empty()) return;
  TBuzaidanmenobj& g = Generator(*this);
  const std::size_t first = Draw1->Elements.size();
  UndoJoin join = UndoJoin::NewStep;
  for (const RPoint2D& p : points) {
    GenerateSection(*this, g, x1 + p.x, y1 + p.y);
    CommitOutput(*this, g, join);
    join = UndoJoin::JoinCurrent;
  }
  // The copies shown as the redraw shows them.
  DrawAddedSince(*this, first);
}

// ---- What the modes take from the point assists and offer the gesture menu

namespace {

void YazirusikoteiAssistSlot(TcadBox& box, Sbuttontype, RAssistSlot& slot) {
  slot.Pending = box.CommandStep == 0 ? &box.FirstPoint : &box.CurrentPoint;
  slot.EraseRubber = true;
}

}  // namespace
