#include "canvas/drawing_store.h"

#include <algorithm>

#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/element_numbers.h"
#include "geometry/ellipse_intersections.h"
#include "geometry/offsets_rects.h"
#include "platform/dialogs.h"

namespace {

// Lines shorter than this are never stored.
constexpr double kShortestStoredLine = 0.00001;

bool IsText(const RDrawElement& e) { return e.Kind == kKindText; }

std::string TextListFullMessage() {
  return J("文字が多すぎます。これ以上の文字は記入できません！");
}

}  // namespace

Tdrawinp::Tdrawinp() {
  LayerStates.fill(kLayerEditable);
  for (RTextStyle& style : TextStyles) std::memset(&style, 0, sizeof style);
}

std::uint8_t Tdrawinp::LayerState(int group, int layer) const {
  if (group < 0 || group >= kLayerGroups || layer < 0 || layer >= kLayersPerGroup) return kLayerHidden;
  return LayerStates[static_cast<std::size_t>(group * kLayersPerGroup + layer)];
}

const RDrawElement* Tdrawinp::EntryElement(const RDisplayEntry& entry) const {
  if (entry.Index < 0 || static_cast<std::size_t>(entry.Index) >= Elements.size()) return nullptr;
  return &Elements[static_cast<std::size_t>(entry.Index)];
}

std::int32_t Tdrawinp::AppendText(TextList& list, const std::string& text) {
  if (list.size() >= kMaxTextsPerList) {
    ShowMessage(TextListFullMessage());
    return -1;
  }
  list.push_back(text);
  return static_cast<std::int32_t>(list.size() - 1);
}

void Tdrawinp::ClearAll() {
  DisplayList.clear();
  SmallList.clear();
  Elements.clear();
  UndoLog.clear();
  Buffer.clear();
  FillVertices.clear();
  SpareListA.clear();
  SpareListB.clear();
  ElementTexts.clear();
  UndoTexts.clear();
  BufferTexts.clear();
  Counts = {};
  FreeAllPictures();
}

void Tdrawinp::ClearBuffer() { Buffer.clear(); }
void Tdrawinp::ClearSpareListA() { SpareListA.clear(); }
void Tdrawinp::ClearSpareListB() { SpareListB.clear(); }

void Tdrawinp::ClearUndoLog() {
  UndoLog.clear();
  UndoTexts.clear();
}

void Tdrawinp::IncCount(int group, int layer, int what) {
  if (group < 0 || group >= kLayerGroups || layer < 0 || layer > kLayersPerGroup) return;
  CountPair& pair = Counts[static_cast<std::size_t>(group)][static_cast<std::size_t>(layer)];
  if (what == 1) ++pair.Graphic;
  if (what == 2) ++pair.Text;
}

void Tdrawinp::DecCount(int group, int layer, int what) {
  if (group < 0 || group >= kLayerGroups || layer < 0 || layer > kLayersPerGroup) return;
  CountPair& pair = Counts[static_cast<std::size_t>(group)][static_cast<std::size_t>(layer)];
  if (what == 1 && pair.Graphic > 0) --pair.Graphic;
  if (what == 2 && pair.Text > 0) --pair.Text;
}

void Tdrawinp::LogUndo(const RDrawElement& element) { UndoLog.push_back(element); }

// Stores `stored` and logs `logged` (its copy with undo mark 6). A text's
// string is copied into the undo texts so the log copy keeps its own string.
// Every stored element is listed for display at once: a zoom that only
// refilters the lists must still find it.
void Tdrawinp::StoreElement(RDrawElement stored, const RDrawElement& logged) {
  RDrawElement logCopy = logged;
  logCopy.UndoMark = kUndoAdded;
  if (IsText(stored)) {
    const std::size_t textIndex = stored.TextIndex;
    const std::string text = textIndex < ElementTexts.size() ? ElementTexts[textIndex] : std::string();
    const std::int32_t undoIndex = AppendText(UndoTexts, text);
    if (undoIndex < 0) return;  // the log could not name its string: refuse the element
    logCopy.TextIndex = static_cast<std::uint16_t>(undoIndex);
    Elements.push_back(stored);
    IncCount(stored.Group, stored.Layer, 2);
  } else {
    Elements.push_back(stored);
    IncCount(stored.Group, stored.Layer, 1);
  }
  LogUndo(logCopy);
  DisplayList.push_back({static_cast<std::int32_t>(Elements.size() - 1)});
}

void Tdrawinp::AddElement(const RDrawElement& element) {
  RDrawElement stored = element;
  stored.UndoMark = kUndoAdded;
  StoreElement(stored, stored);
}

bool Tdrawinp::PassesAddCheck(const RDrawElement& element) {
  return element.Kind != kKindLine ||
         (PointDistance(element.X1, element.Y1, element.X2, element.Y2) >= kShortestStoredLine &&
          !CoordinatesOutOfRange(element.X1, element.Y1, element.X2, element.Y2));
}

void Tdrawinp::AddElementChecked(const RDrawElement& element) {
  if (!PassesAddCheck(element)) return;
  StoreElement(element, element);
}

void Tdrawinp::DeleteElement(std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= Elements.size()) return;
  RDrawElement record = Elements[static_cast<std::size_t>(index)];
  record.UndoMark = kUndoDeleted;
  if (IsText(record)) {
    DecCount(record.Group, record.Layer, 2);
    const std::size_t textIndex = record.TextIndex;
    std::string text;
    if (textIndex < ElementTexts.size()) {
      text = ElementTexts[textIndex];
      ElementTexts.erase(ElementTexts.begin() + static_cast<std::ptrdiff_t>(textIndex));
    }
    const std::int32_t undoIndex = AppendText(UndoTexts, text);
    record.TextIndex = static_cast<std::uint16_t>(undoIndex < 0 ? 0 : undoIndex);
  } else {
    DecCount(record.Group, record.Layer, 1);
  }
  LogUndo(record);
  Elements.erase(Elements.begin() + index);
  ForgetDisplayEntries(index);
}

// Keeps the display lists naming the same elements after one was removed:
// the removed element's entries drop out, later positions move down.
void Tdrawinp::ForgetDisplayEntries(std::int32_t index) {
  for (auto* list : {&DisplayList, &SmallList}) {
    auto& entries = *list;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [index](const RDisplayEntry& e) { return e.Index == index; }),
                  entries.end());
    for (RDisplayEntry& e : entries) {
      if (e.Index > index) --e.Index;
    }
  }
}

void Tdrawinp::ShiftTextIndices(std::int32_t deletedText, std::int32_t fromIndex) {
  if (fromIndex < 0) fromIndex = 0;
  for (std::size_t i = static_cast<std::size_t>(fromIndex); i < Elements.size(); ++i) {
    RDrawElement& e = Elements[i];
    if (IsText(e) && e.TextIndex > deletedText) --e.TextIndex;
  }
}

Tdrawinp::Listing Tdrawinp::Classify(const RDrawElement& e, double xMin, double yMin, double xMax, double yMax,
                                     double zoom) const {
  switch (e.Kind) {
    case kKindLine: {
      if (!SegmentCrossesRectInterior(e.X1, e.Y1, e.X2, e.Y2, xMin, yMin, xMax, yMax)) return Listing::Skip;
      if (e.LineTag >= kLineTagCurveFirst) return Listing::Listed;
      const double size = PointDistance(e.X1, e.Y1, e.X2, e.Y2) * zoom;
      const bool small = (zoom < 0.5 && size <= 0.8) || (zoom >= 0.5 && zoom < 1.5 && size <= 0.4) ||
                         (zoom >= 1.5 && zoom < 2.5 && size <= 0.2);
      return small ? Listing::Small : Listing::Listed;
    }
    case kKindText:
      if (zoom > 70.0) return Listing::Skip;
      if (!SegmentCrossesRectInterior(e.X1, e.Y1, e.X2, e.Y2, xMin, yMin - 0.3 * zoom, xMax, yMax)) {
        return Listing::Skip;
      }
      return Listing::Listed;
    case kKindArc:
      if (!EllipseTouchesRect(e.X1, e.Y1, e.Radius, e.Ratio, e.Rotation, 0.0, 0.0, xMin, yMin, xMax, yMax, 0.0, 0.0)) {
        return Listing::Skip;
      }
      return (zoom < 0.76 && e.Radius * zoom < 0.2) ? Listing::Small : Listing::Listed;
    case kKindPoint:
      if (!PointInRectStrict(e.X1, e.Y1, xMin, yMin, xMax, yMax)) return Listing::Skip;
      return zoom < 0.2 ? Listing::Small : Listing::Listed;
    default:
      return Listing::Skip;
  }
}

void Tdrawinp::BuildDisplayLists(double xMin, double yMin, double xMax, double yMax, double zoom) {
  std::vector<RDisplayEntry> reference;
  std::vector<RDisplayEntry> main;
  SmallList.clear();
  for (std::size_t i = 0; i < Elements.size(); ++i) {
    const RDrawElement& e = Elements[i];
    const std::uint8_t state = LayerState(e.Group, e.Layer);
    if (state == kLayerHidden) continue;
    const Listing listing = Classify(e, xMin, yMin, xMax, yMax, zoom);
    if (listing == Listing::Skip) continue;
    const RDisplayEntry entry{static_cast<std::int32_t>(i)};
    if (listing == Listing::Small) {
      SmallList.push_back(entry);
    } else if (e.Kind != kKindPoint && state == kLayerReference) {
      reference.push_back(entry);
    } else {
      main.push_back(entry);
    }
  }
  // Reference layers first, so the editable ones are drawn over them.
  DisplayList = std::move(reference);
  DisplayList.insert(DisplayList.end(), main.begin(), main.end());
}

void Tdrawinp::RefilterDisplayLists(double xMin, double yMin, double xMax, double yMax, double zoom) {
  std::vector<RDisplayEntry> candidates = std::move(DisplayList);
  candidates.insert(candidates.end(), SmallList.begin(), SmallList.end());
  DisplayList.clear();
  SmallList.clear();
  for (const RDisplayEntry& entry : candidates) {
    const RDrawElement* e = EntryElement(entry);
    if (!e) continue;
    const Listing listing = Classify(*e, xMin, yMin, xMax, yMax, zoom);
    if (listing == Listing::Small) SmallList.push_back(entry);
    if (listing == Listing::Listed) DisplayList.push_back(entry);
  }
}

void ScaleElement(RDrawElement& e, double factor) {
  switch (e.Kind) {
    case kKindText:
      e.X1 *= factor;
      e.Y1 *= factor;
      e.X2 *= factor;
      e.Y2 *= factor;
      break;
    case kKindArc:
      e.X1 *= factor;
      e.Y1 *= factor;
      e.Radius *= factor;
      break;
    case kKindPoint:
      e.X1 *= factor;
      e.Y1 *= factor;
      break;
    case kKindLine:
    case kKindRect:
    case kKindTwoPoint:
      e.X1 *= factor;
      e.Y1 *= factor;
      e.X2 *= factor;
      e.Y2 *= factor;
      e.ScratchWord = 0;
      e.ScratchByte = 0;
      break;
    default:
      break;
  }
}

void Tdrawinp::ScaleGroup(std::uint8_t group, std::uint8_t wholeBuffer, double factor) {
  for (RDrawElement& e : Elements) {
    if (e.Group == group) ScaleElement(e, factor);
  }
  for (RFillVertex& v : FillVertices) {
    if (v.Group == group) {
      v.X *= factor;
      v.Y *= factor;
    }
  }
  ScalePictures(group, factor);
  for (RDrawElement& e : Buffer) {
    if (wholeBuffer == 1 || e.Group == group) ScaleElement(e, factor);
  }
}
