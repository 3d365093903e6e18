// Adding single arcs, texts and points to a drawing store with the current
// pen or given attributes, for the commands and the canvas's own figures.

#include <cmath>

#include "canvas/cad_box.h"
#include "canvas/undo_step.h"
#include "geometry/angles_points.h"
#include "geometry/element_numbers.h"

namespace {

RDrawElement ArcElement(double cx, double cy, double r, double ratio, double startAngle, double endAngle,
                        double rotation) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = std::abs(r);
  e.Ratio = static_cast<float>(std::abs(ratio));
  e.StartAngle = static_cast<float>(NormalizeAngle360(startAngle));
  e.EndAngle = static_cast<float>(NormalizeAngle360(endAngle));
  e.Rotation = static_cast<float>(NormalizeAngle360(rotation));
  return e;
}

bool ArcOutOfReach(double cx, double cy, double r) { return !(r >= 1e-5) || CoordinatesOutOfRange(cx, cy, r, 0); }

void AddInStep(Tdrawinp& store, const RDrawElement& e, UndoJoin join) { TUndoStep(store, join).Add(e); }

}  // namespace

void TcadBox::AddArcToStore(Tdrawinp& store, double cx, double cy, double r, double ratio, double startAngle,
                            double endAngle, double rotation) {
  if (ArcOutOfReach(cx, cy, r)) return;
  RDrawElement e = ArcElement(cx, cy, r, ratio, startAngle, endAngle, rotation);
  e.LineType = Pentyp;
  e.ColorNo = Pencol;
  e.Group = WriteGrupe_No;
  e.Layer = WriteReiya_No;
  AddInStep(store, e, UndoJoin::NewStep);
}

void TcadBox::AddArcAttr(bool newUndo, std::uint8_t colour, std::uint8_t layer, std::uint8_t lineType, Tdrawinp& store,
                         double cx, double cy, double r, double ratio, double startAngle, double endAngle,
                         double rotation) {
  if (ArcOutOfReach(cx, cy, r)) return;
  RDrawElement e = ArcElement(cx, cy, r, ratio, startAngle, endAngle, rotation);
  e.LineType = lineType != 0 ? lineType : Pentyp;
  e.ColorNo = colour != 0 ? colour : Pencol;
  e.Group = WriteGrupe_No;
  e.Layer = layer != 0 ? layer : WriteReiya_No;
  AddInStep(store, e, NewStepWhen(newUndo));
}

void TcadBox::AddTextAttr(const RDrawElement& element, const std::string& text, Tdrawinp& store, bool newUndo,
                          std::uint8_t layer) {
  RDrawElement e = element;
  e.Group = WriteGrupe_No;
  e.Layer = layer != 0 ? layer : WriteReiya_No;
  AddTextExact(e, text, store, newUndo);
}

void TcadBox::AddTextExact(const RDrawElement& element, const std::string& text, Tdrawinp& store, bool newUndo) {
  if (text.empty()) return;
  const std::int32_t index = store.AppendText(store.ElementTexts, text);
  if (index < 0) return;  // the drawing can name no more texts
  RDrawElement e = element;
  e.TextIndex = static_cast<std::uint16_t>(index);
  e.Selection = 0;
  e.Scratch = 0;
  e.Reserved48 = 0;
  const std::size_t before = store.Elements.size();
  AddInStep(store, e, NewStepWhen(newUndo));
  // A text the undo log could not take was not stored: its string goes too.
  if (store.Elements.size() == before) store.ElementTexts.pop_back();
}

void TcadBox::AddPointToStore(Tdrawinp& store, double x, double y) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindPoint;
  e.X1 = x;
  e.Y1 = y;
  e.LineType = Pentyp;
  e.ColorNo = Pencol;
  e.Group = WriteGrupe_No;
  e.Layer = WriteReiya_No;
  AddInStep(store, e, UndoJoin::NewStep);
}

void TcadBox::AddPointAttr(std::uint8_t colour, std::uint8_t layer, Tdrawinp& store, bool newUndo, double x, double y) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindPoint;
  e.X1 = x;
  e.Y1 = y;
  e.LineType = 1;
  e.ColorNo = colour != 0 ? colour : Pencol;
  e.Group = WriteGrupe_No;
  e.Layer = layer != 0 ? layer : WriteReiya_No;
  AddInStep(store, e, NewStepWhen(newUndo));
}
