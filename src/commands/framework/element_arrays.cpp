// The element arrays the tools hand back: previewed with the caller's pen
// and committed to the drawing as one undo step.

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "canvas/cad_box.h"
#include "commands/framework/command_framework.h"
#include "geometry/angles_points.h"
#include "geometry/offsets_rects.h"

namespace {

// The records an array of this high index holds, never more than are there.
std::span<const RDrawElement> Records(std::span<const RDrawElement> elements, std::int32_t high) {
  if (high < 0) return {};
  return elements.first(std::min(elements.size(), static_cast<std::size_t>(high) + 1));
}

enum class LayerRule : std::uint8_t { Current, Kept };

// Adds one record through the adding operation of its kind; true when the
// drawing took it. Rectangles and other kinds are not added, nor a text
// without a string.
bool AddRecord(TcadBox& box, const RDrawElement& r, const Tdrawinp::TextList* texts, LayerRule rule, UndoJoin join) {
  Tdrawinp& store = *box.Draw1;
  const bool newUndo = join == UndoJoin::NewStep;
  const std::size_t before = store.Elements.size();
  switch (r.Kind) {
    case kKindLine:
      if (rule == LayerRule::Kept) {
        box.AddLineAttr(r.ColorNo, r.LineType, r.X1, r.Y1, r.X2, r.Y2, r.Layer, 0, newUndo, r.LineTag, store);
      } else {
        box.AddLineAttr(r.ColorNo, r.LineType, r.X1, r.Y1, r.X2, r.Y2, 0, 0, newUndo, 0, store);
      }
      break;
    case kKindArc:
      box.AddArcAttr(newUndo, r.ColorNo, r.Layer, r.LineType, store, r.X1, r.Y1, r.Radius, r.Ratio, r.StartAngle,
                     r.EndAngle, r.Rotation);
      break;
    case kKindPoint: box.AddPointAttr(r.ColorNo, r.Layer, store, newUndo, r.X1, r.Y1); break;
    case kKindText:
      // A string past the list reads as none.
      if (texts != nullptr && r.TextIndex < texts->size()) {
        box.AddTextAttr(r, (*texts)[r.TextIndex], store, newUndo, r.Layer);
      }
      break;
    default: break;
  }
  return store.Elements.size() > before;
}

// The records added in order. The step opens at the first record the
// drawing really takes, so a skipped first record (a rectangle, an empty
// text, a line too short to add) neither uses the step up nor lets the
// records join the step before; joining adds to the step already open.
void CommitRecords(TcadBox& box, std::span<const RDrawElement> records, const Tdrawinp::TextList* texts, LayerRule rule,
                   UndoJoin join, const std::function<void(const RDrawElement&)>& drawAdded = {}) {
  for (const RDrawElement& r : records) {
    if (!AddRecord(box, r, texts, rule, join)) continue;
    join = UndoJoin::JoinCurrent;
    if (drawAdded) drawAdded(r);
  }
}

}  // namespace

void TcadBox::CommitElementArray(std::span<const RDrawElement> elements, std::int32_t high,
                                 const Tdrawinp::TextList& texts) {
  CommitRecords(*this, Records(elements, high), &texts, LayerRule::Current, UndoJoin::NewStep);
}

void TcadBox::CommitElementArrayKeepLayer(std::span<const RDrawElement> elements, std::int32_t high,
                                          const Tdrawinp::TextList& texts, bool appendToUndo) {
  CommitRecords(*this, Records(elements, high), &texts, LayerRule::Kept, NewStepWhen(!appendToUndo));
}

void TcadBox::CommitAndDrawElementArray(std::span<const RDrawElement> elements, std::int32_t high) {
  // Each shows as it is added, as the redraw draws it: the last in the drawing.
  const auto draw = [this](const RDrawElement&) { DrawAsRedrawn(Draw1->Elements.back()); };
  CommitRecords(*this, Records(elements, high), nullptr, LayerRule::Current, UndoJoin::NewStep, draw);
}

void TcadBox::DrawElementArray(std::span<const RDrawElement> elements, std::int32_t high, std::uint8_t defaultLineType,
                               bool asLines, bool pointMode) {
  TCanvas& canvas = Canvas();
  for (const RDrawElement& r : Records(elements, high)) {
    if (asLines) {
      DrawLine(r.LineType, canvas, r.X1, r.Y1, r.X2, r.Y2);
      continue;
    }
    const std::uint8_t lineType = r.LineType != 0 ? r.LineType : defaultLineType;
    switch (r.Kind) {
      case kKindLine:
        if (PointDistance(r.X1, r.Y1, r.X2, r.Y2) < 0.0001) break;
        DrawLine(lineType, canvas, r.X1, r.Y1, r.X2, r.Y2);
        break;
      case kKindArc:
        if (!(std::abs(r.Radius) >= 0.0001)) break;
        DrawArc(lineType, canvas, r.X1, r.Y1, r.Radius, r.Ratio, r.StartAngle, r.EndAngle, r.Rotation);
        break;
      case kKindText: {
        const RViewRect& v = ViewWindow;
        if (PointDistance(r.X1, r.Y1, r.X2, r.Y2) < 0.0001) break;
        if (!SegmentTouchesRect(r.X1, r.Y1, r.X2, r.Y2, v.Left, v.Bottom, v.Right, v.Top)) break;
        const double height = TextStyles[r.TextStyle < kTextStyleCount ? r.TextStyle : 0].Height * 0.1;
        DrawTextFrame(canvas, r.X1, r.Y1, r.X2, r.Y2, height, r.TextAngle);
        break;
      }
      case kKindPoint: DrawPointMark(pointMode ? 200 : (r.ColorNo == 0 ? Pencol : 220), canvas, r.X1, r.Y1); break;
      default: break;
    }
  }
}
