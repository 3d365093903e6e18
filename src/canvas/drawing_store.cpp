#include "canvas/drawing_store.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>

#include "geometry/angles_points.h"
#include "geometry/codepage.h"
#include "geometry/element_numbers.h"
#include "geometry/ellipse_intersections.h"
#include "geometry/offsets_rects.h"
#include "platform/dialogs.h"

namespace {

// Lines shorter than this are never stored.
constexpr double kShortestStoredLine = 0.00001;
// A search rebuilds the index rather than read more appended elements one
// by one than this.
constexpr std::size_t kMaxAppended = 1024;
// An undo log that held more records than this gives its memory back when
// the next step clears it; up to it, a run of large deletions reuses the
// room instead of taking it anew every step (a few megabytes at most).
constexpr std::size_t kUndoLogKeptCapacity = 65536;

bool IsText(const RDrawElement& e) { return e.Kind == kKindText; }

// Whether a line is long enough to store. The squared length settles all
// but lengths within a factor of two of the limit, far beyond its rounding;
// those, and a non-finite square, are measured exactly.
bool LongEnoughToStore(const RDrawElement& e) {
  const double dx = e.X2 - e.X1, dy = e.Y2 - e.Y1;
  const double square = dx * dx + dy * dy;
  constexpr double limitSquare = kShortestStoredLine * kShortestStoredLine;
  if (square >= 4 * limitSquare && square <= 1e300) return true;
  if (square < 0.25 * limitSquare) return false;
  return PointDistance(e.X1, e.Y1, e.X2, e.Y2) >= kShortestStoredLine;
}

std::string TextListFullMessage() { return J("文字が多すぎます。これ以上の文字は記入できません！"); }

}  // namespace

Tdrawinp::Tdrawinp() {
  LayerStates.fill(kLayerEditable);
  for (RTextStyle& style : TextStyles) std::memset(&style, 0, sizeof style);
}

std::int32_t Tdrawinp::AppendText(TextList& list, const std::string& text) {
  return AppendText(list, std::string(text));
}

std::int32_t Tdrawinp::AppendText(TextList& list, std::string&& text) {
  if (list.size() >= kMaxTextsPerList) {
    ShowMessage(TextListFullMessage());
    return -1;
  }
  list.push_back(std::move(text));
  return static_cast<std::int32_t>(list.size() - 1);
}

void Tdrawinp::ClearAll() {
  NoteChange();
  index_.Clear();
  indexStale_ = true;
  positionsValid_ = false;
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
  // A large step's log would otherwise keep its memory for as long as the
  // store lives.
  if (UndoLog.capacity() > kUndoLogKeptCapacity) {
    std::vector<RDrawElement>().swap(UndoLog);
  } else {
    UndoLog.clear();
  }
  if (UndoTexts.capacity() > kUndoLogKeptCapacity) {
    TextList().swap(UndoTexts);
  } else {
    UndoTexts.clear();
  }
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
void Tdrawinp::StoreElement(const RDrawElement& stored, const RDrawElement& logged) {
  // Both are copied straight from the caller's records into the lists and
  // the log record marked there: a record copied through a local and read
  // back at once stalls the copy (a batch adds thousands). A record inside
  // either list would move under the first push, so it is copied aside.
  auto inside = [](const std::vector<RDrawElement>& list, const RDrawElement* e) {
    return std::greater_equal<const RDrawElement*>()(e, list.data()) &&
           std::less<const RDrawElement*>()(e, list.data() + list.size());
  };
  if (inside(Elements, &stored) || inside(UndoLog, &stored) || inside(Elements, &logged) || inside(UndoLog, &logged)) {
    const RDrawElement storedCopy = stored, loggedCopy = logged;
    StoreElement(storedCopy, loggedCopy);
    return;
  }
  std::int32_t undoIndex = -1;
  if (IsText(stored)) {
    const std::size_t textIndex = stored.TextIndex;
    const std::string text = textIndex < ElementTexts.size() ? ElementTexts[textIndex] : std::string();
    undoIndex = AppendText(UndoTexts, text);
    if (undoIndex < 0) return;  // the log could not name its string: refuse the element
    Elements.push_back(stored);
    IncCount(stored.Group, stored.Layer, 2);
  } else {
    Elements.push_back(stored);
    IncCount(stored.Group, stored.Layer, 1);
  }
  RDrawElement& record = LogCopy(logged, kUndoAdded);
  if (undoIndex >= 0) record.TextIndex = static_cast<std::uint16_t>(undoIndex);
  NoteChange();
  const RDrawElement& added = Elements.back();
  if (!indexStale_ && index_.Count() + 1 == Elements.size()) {
    index_.Append(added);
  } else {
    indexStale_ = true;
  }
  const bool positionsKept = positionsValid_ && positionsListSize_ == DisplayList.size() &&
                             positionsListData_ == DisplayList.data() && listPositions_.size() + 1 == Elements.size();
  DisplayList.push_back({static_cast<std::int32_t>(Elements.size() - 1)});
  if (positionsKept) {
    listPositions_.push_back(static_cast<std::int32_t>(DisplayList.size() - 1));
    positionsListSize_ = DisplayList.size();
    positionsListData_ = DisplayList.data();
  } else {
    positionsValid_ = false;
  }
}

void Tdrawinp::AddElement(const RDrawElement& element) {
  RDrawElement stored = element;
  stored.UndoMark = kUndoAdded;
  StoreElement(stored, stored);
}

bool Tdrawinp::PassesAddCheck(const RDrawElement& element) {
  return element.Kind != kKindLine ||
         (LongEnoughToStore(element) && !CoordinatesOutOfRange(element.X1, element.Y1, element.X2, element.Y2));
}

void Tdrawinp::AddElementChecked(const RDrawElement& element) {
  if (!PassesAddCheck(element)) return;
  StoreElement(element, element);
}

void Tdrawinp::AddElementsChecked(std::span<const RDrawElement> elements) {
  if (elements.empty()) return;
  auto overlaps = [&elements](const std::vector<RDrawElement>& list) {
    return std::less<const RDrawElement*>()(elements.data(), list.data() + list.size()) &&
           std::less<const RDrawElement*>()(list.data(), elements.data() + elements.size());
  };
  // Elements from the lists themselves would move as the lists grow.
  if (overlaps(Elements) || overlaps(UndoLog)) {
    const std::vector<RDrawElement> copy(elements.begin(), elements.end());
    AddElementsChecked(copy);
    return;
  }
  Elements.reserve(Elements.size() + elements.size());
  UndoLog.reserve(UndoLog.size() + elements.size());
  DisplayList.reserve(DisplayList.size() + elements.size());
  // While neither the index nor the list positions are kept up (as after a
  // deletion pass), a graphic needs only the lists and its count; texts go
  // the single way.
  if (!indexStale_ || positionsValid_) {
    for (const RDrawElement& e : elements) AddElementChecked(e);
    return;
  }
  for (const RDrawElement& e : elements) {
    if (!PassesAddCheck(e)) continue;
    if (IsText(e)) {
      StoreElement(e, e);
      continue;
    }
    Elements.push_back(e);
    IncCount(e.Group, e.Layer, 1);
    LogCopy(e, kUndoAdded);
    DisplayList.push_back({static_cast<std::int32_t>(Elements.size() - 1)});
  }
  NoteChange();
}

// The deleted element into the undo log (with its string, which leaves the
// text list) and out of the counts; the element itself stays for the caller.
void Tdrawinp::LogDeletion(std::int32_t index) {
  RDrawElement& record = LogDeletedCopy(Elements[static_cast<std::size_t>(index)]);
  if (IsText(record)) {
    LogDeletedString(record);
  } else {
    DecCount(record.Group, record.Layer, 1);
  }
}

void Tdrawinp::LogDeletedString(RDrawElement& record) {
  DecCount(record.Group, record.Layer, 2);
  const std::size_t textIndex = record.TextIndex;
  std::string text;
  if (textIndex < ElementTexts.size()) {
    text = std::move(ElementTexts[textIndex]);
    ElementTexts.erase(ElementTexts.begin() + static_cast<std::ptrdiff_t>(textIndex));
  }
  const std::int32_t undoIndex = AppendText(UndoTexts, std::move(text));
  record.TextIndex = static_cast<std::uint16_t>(undoIndex < 0 ? 0 : undoIndex);
}

void Tdrawinp::DeleteElement(std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= Elements.size()) return;
  LogDeletion(index);
  NoteChange();
  if (!indexStale_ && index_.Count() == Elements.size()) {
    index_.Remove(index, Elements[static_cast<std::size_t>(index)]);
  } else {
    indexStale_ = true;
  }
  Elements.erase(Elements.begin() + index);
  ForgetDisplayEntries(index);
  positionsValid_ = false;
}

void Tdrawinp::DeleteElementsDescending(std::span<const std::int32_t> indices) {
  TDeletionPass pass(*this);
  pass.Reserve(indices.size());
  for (const std::int32_t index : indices) pass.Take(index);
  pass.Finish();
}

void TDeletionPass::Reserve(std::size_t count) {
  std::vector<RDrawElement>& log = store_.UndoLog;
  log.reserve(log.size() + count);
  taken_.reserve(taken_.size() + count);
}

namespace {

// With at least one removed position in this many, the rest of the list is
// passed over element by element; sparser, the kept runs move as blocks.
constexpr std::size_t kShortRun = 8;

}  // namespace

void TDeletionPass::Finish() {
  if (taken_.empty()) return;
  Tdrawinp& s = store_;
  DropCounts(graphicsTaken_, &Tdrawinp::CountPair::Graphic);
  MoveDeletedStrings();
  s.NoteChange();
  s.indexStale_ = true;
  s.positionsValid_ = false;
  // Each kept element moves down by the removed ones before it. The taken
  // positions are read from the lowest up.
  const std::size_t count = s.Elements.size();
  const std::size_t removed = taken_.size();
  const std::int32_t* const lowestFirst = taken_.data() + removed - 1;
  auto takenAt = [lowestFirst](std::size_t j) { return static_cast<std::size_t>(*(lowestFirst - j)); };
  std::size_t kept = takenAt(0);
  RDrawElement* const elements = s.Elements.data();
  if (removed * kShortRun >= count - kept) {
    // Dense: one pass over the rest moves the kept elements down, the
    // next removed one found by its address.
    const std::int32_t* next = lowestFirst;
    const std::int32_t* const pastLast = taken_.data() - 1;
    const RDrawElement* skip = elements + *next;
    RDrawElement* out = elements + kept;
    for (const RDrawElement* in = out; in != elements + count; ++in) {
      if (in == skip) {
        skip = --next != pastLast ? elements + *next : nullptr;
        continue;
      }
      std::memcpy(static_cast<void*>(out++), in, sizeof(RDrawElement));
    }
    kept = static_cast<std::size_t>(out - elements);
  } else {
    // Sparse: the runs between the removed ones move down as blocks.
    for (std::size_t j = 0; j < removed; ++j) {
      const std::size_t from = takenAt(j) + 1;
      const std::size_t to = j + 1 < removed ? takenAt(j + 1) : count;
      if (from >= to) continue;
      std::memmove(static_cast<void*>(elements + kept), elements + from, (to - from) * sizeof(RDrawElement));
      kept += to - from;
    }
  }
  s.Elements.resize(kept);
  for (auto* list : {&s.DisplayList, &s.SmallList}) RenumberEntries(*list, count);
  taken_.clear();
}

void TDeletionPass::DropCounts(LayerTally& taken, std::int32_t Tdrawinp::CountPair::*count) {
  for (std::size_t g = 0; g < taken.size(); ++g) {
    for (std::size_t l = 0; l < taken[g].size(); ++l) {
      std::int32_t& value = store_.Counts[g][l].*count;
      if (value > 0) value = std::max(0, value - taken[g][l]);
      taken[g][l] = 0;
    }
  }
}

// The entries of removed elements (and of none) drop out, the others move
// down by the removed positions below them: counted on the way when the
// entries ascend (as the builds and the adds leave them), else searched.
void TDeletionPass::RenumberEntries(std::vector<RDisplayEntry>& entries, std::size_t count) const {
  const std::size_t removed = taken_.size();
  const bool ascending = std::is_sorted(
      entries.begin(), entries.end(), [](const RDisplayEntry& a, const RDisplayEntry& b) { return a.Index < b.Index; });
  std::size_t out = 0;
  std::size_t below = 0;  // taken positions below the entry, while ascending
  for (const RDisplayEntry& e : entries) {
    if (e.Index < 0 || static_cast<std::size_t>(e.Index) >= count) continue;
    const std::int32_t index = e.Index;
    bool gone;
    if (ascending) {
      while (below < removed && taken_[removed - 1 - below] < index) ++below;
      gone = below < removed && taken_[removed - 1 - below] == index;
    } else {
      // Taken positions descend: those above the entry come first.
      const auto at = std::lower_bound(taken_.begin(), taken_.end(), index, std::greater<std::int32_t>());
      gone = at != taken_.end() && *at == index;
      below = static_cast<std::size_t>(taken_.end() - at) - (gone ? 1 : 0);
    }
    if (gone) continue;
    entries[out++] = {static_cast<std::int32_t>(static_cast<std::size_t>(index) - below)};
  }
  entries.resize(out);
}

// The strings of the deleted texts leave the text list in the log's order,
// as one deletion after the other takes them. When each names a string
// below the one before (the texts in string order, the usual case), no
// removal moves a string a later one names: the strings go to the undo
// texts as they come and the text list closes up once.
void TDeletionPass::MoveDeletedStrings() {
  Tdrawinp& s = store_;
  std::vector<std::size_t>& records = textRecords_;
  if (records.empty()) return;
  Tdrawinp::TextList& texts = s.ElementTexts;
  const std::size_t undoBase = s.UndoTexts.size();
  s.UndoTexts.reserve(undoBase + records.size());
  if (undoBase + records.size() <= kMaxTextsPerList) {
    // Taken as they come while each names a string below the one before.
    std::vector<std::uint16_t> strings;  // the removed ones, highest first
    strings.reserve(records.size());
    LayerTally textsTaken{};
    std::size_t above = texts.size();
    for (const std::size_t record : records) {
      RDrawElement& r = s.UndoLog[record];
      const std::uint16_t index = r.TextIndex;
      if (index >= above) break;
      above = index;
      strings.push_back(index);
      if (r.Group < kLayerGroups && r.Layer <= kLayersPerGroup) ++textsTaken[r.Group][r.Layer];
      r.TextIndex = static_cast<std::uint16_t>(s.UndoTexts.size());
      s.UndoTexts.push_back(std::move(texts[index]));
    }
    if (strings.size() == records.size()) {
      DropCounts(textsTaken, &Tdrawinp::CountPair::Text);
      std::size_t out = strings.back();
      std::size_t left = strings.size();
      for (std::size_t i = out; i < texts.size(); ++i) {
        if (left > 0 && strings[left - 1] == i) {
          --left;
          continue;
        }
        texts[out++] = std::move(texts[i]);
      }
      texts.resize(out);
      records.clear();
      return;
    }
    // Out of order: what was taken goes back, and the strings leave one
    // after the other below.
    for (std::size_t k = 0; k < strings.size(); ++k) {
      texts[strings[k]] = std::move(s.UndoTexts[undoBase + k]);
      s.UndoLog[records[k]].TextIndex = strings[k];
    }
    s.UndoTexts.resize(undoBase);
  }
  for (const std::size_t record : records) s.LogDeletedString(s.UndoLog[record]);
  records.clear();
}

// Keeps the display lists naming the same elements after one was removed:
// the removed element's entries drop out, later positions move down.
void Tdrawinp::ForgetDisplayEntries(std::int32_t index) {
  for (auto* list : {&DisplayList, &SmallList}) {
    auto& entries = *list;
    entries.erase(
        std::remove_if(entries.begin(), entries.end(), [index](const RDisplayEntry& e) { return e.Index == index; }),
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

// Whether a line is a few pixels or less at this zoom: its length times the
// zoom at most 0.8, 0.4 or 0.2 by zoom band. Squared lengths decide; only a
// length within rounding of the limit is measured exactly, so the answer is
// the one the plain length gives. The band is chosen once per zoom. Not in
// an unnamed namespace: the store's listing window, a member of the store,
// holds one.
class SmallSegmentTest {
 public:
  explicit SmallSegmentTest(double zoom) : zoom_(zoom) {
    if (zoom < 0.5) {
      limit_ = 0.8;
    } else if (zoom < 1.5) {
      limit_ = 0.4;
    } else if (zoom < 2.5) {
      limit_ = 0.2;
    }
    active_ = zoom < 2.5;
    zoomSquared_ = zoom * zoom;
    const double limitSquared = limit_ * limit_;
    belowSquared_ = limitSquared * (1.0 - 1e-9);
    aboveSquared_ = limitSquared * (1.0 + 1e-9);
  }
  bool operator()(double x1, double y1, double x2, double y2) const {
    if (!active_) return false;
    const double dx = x2 - x1, dy = y2 - y1;
    const double sizeSquared = (dx * dx + dy * dy) * zoomSquared_;
    if (sizeSquared < belowSquared_) return true;
    if (sizeSquared > aboveSquared_) return false;
    return PointDistance(x1, y1, x2, y2) * zoom_ <= limit_;  // at the limit, or not a number
  }

 private:
  double zoom_;
  double limit_ = 0.0;
  bool active_ = false;
  double zoomSquared_ = 0.0, belowSquared_ = 0.0, aboveSquared_ = 0.0;
};

// A chord of a curve is never small: the curve would show gaps.
bool LineIsSmall(const RDrawElement& e, double zoom) {
  return e.LineTag < kLineTagCurveFirst && SmallSegmentTest(zoom)(e.X1, e.Y1, e.X2, e.Y2);
}

// What a build decides once for its window and zoom, so that each element
// costs only its own tests. A fast answer below is the one the full test
// gives first; whatever it does not settle goes to the full test.
struct Tdrawinp::ListingWindow {
  double xMin, yMin, xMax, yMax, zoom;
  SmallSegmentTest segmentSmall;
  double textYMin;  // texts are listed down to their frame's depth
  bool textsShown, arcsMayBeSmall, pointsSmall;
  bool hasWidth;                  // for the strict inside test
  double minX, maxX, minY, maxY;  // the corners sorted, for the inclusive one
  bool sortedHasArea;

  ListingWindow(double x1, double y1, double x2, double y2, double z)
      : xMin(x1),
        yMin(y1),
        xMax(x2),
        yMax(y2),
        zoom(z),
        segmentSmall(z),
        textYMin(y1 - 0.3 * z),
        textsShown(!(z > 70.0)),
        arcsMayBeSmall(z < 0.76),
        pointsSmall(z < 0.2),
        hasWidth(x1 != x2),
        minX(std::min(x1, x2)),
        maxX(std::max(x1, x2)),
        minY(std::min(y1, y2)),
        maxY(std::max(y1, y2)),
        sortedHasArea(minX != maxX && minY != maxY) {}

  // Strictly inside, the corners as given (lower left first), the bottom
  // where the element's kind puts it.
  bool Inside(double px, double py, double bottom) const {
    return hasWidth && bottom != yMax && xMin < px && px < xMax && bottom < py && py < yMax;
  }
  // Inside or on the border, the corners in any order.
  bool Within(double px, double py) const {
    return sortedHasArea && px >= minX && px <= maxX && py >= minY && py <= maxY;
  }
  bool SegmentCrosses(double x1, double y1, double x2, double y2, double bottom) const {
    if (Inside(x1, y1, bottom) || Inside(x2, y2, bottom)) return true;
    return SegmentCrossesRectInterior(x1, y1, x2, y2, xMin, bottom, xMax, yMax);
  }
};

inline Tdrawinp::Listing Tdrawinp::Classify(const RDrawElement& e, const ListingWindow& w) const {
  const double x1 = e.X1, y1 = e.Y1;
  switch (e.Kind) {
    case kKindLine: {
      const double x2 = e.X2, y2 = e.Y2;
      if (!w.SegmentCrosses(x1, y1, x2, y2, w.yMin)) return Listing::Skip;
      if (e.LineTag >= kLineTagCurveFirst) return Listing::Listed;
      return w.segmentSmall(x1, y1, x2, y2) ? Listing::Small : Listing::Listed;
    }
    case kKindRect: {
      // A rectangle is the four lines it is drawn with: listed when one of
      // them crosses the window, small when its width and its height both are.
      const double x2 = e.X2, y2 = e.Y2, b = w.yMin;
      if (!w.SegmentCrosses(x1, y1, x2, y1, b) && !w.SegmentCrosses(x2, y1, x2, y2, b) &&
          !w.SegmentCrosses(x2, y2, x1, y2, b) && !w.SegmentCrosses(x1, y2, x1, y1, b)) {
        return Listing::Skip;
      }
      if (e.LineTag >= kLineTagCurveFirst) return Listing::Listed;
      return w.segmentSmall(x1, y1, x2, y1) && w.segmentSmall(x1, y1, x1, y2) ? Listing::Small : Listing::Listed;
    }
    case kKindText:
      if (!w.textsShown) return Listing::Skip;
      if (!w.SegmentCrosses(x1, y1, e.X2, e.Y2, w.textYMin)) return Listing::Skip;
      return Listing::Listed;
    case kKindArc: {
      const double r = e.Radius;
      // The four ends of the axes first, as the full test takes them.
      if (!w.Within(x1 + r, y1) && !w.Within(x1, y1 - r) && !w.Within(x1, y1 + r) && !w.Within(x1 - r, y1) &&
          !EllipseTouchesRect(x1, y1, r, e.Ratio, e.Rotation, 0.0, 0.0, w.xMin, w.yMin, w.xMax, w.yMax, 0.0, 0.0)) {
        return Listing::Skip;
      }
      return (w.arcsMayBeSmall && r * w.zoom < 0.2) ? Listing::Small : Listing::Listed;
    }
    case kKindPoint:
      if (!w.Inside(x1, y1, w.yMin)) return Listing::Skip;
      return w.pointsSmall ? Listing::Small : Listing::Listed;
    default: return Listing::Skip;
  }
}

void Tdrawinp::BuildDisplayLists(double xMin, double yMin, double xMax, double yMax, double zoom) {
  BuildKey key;
  key.xMin = xMin;
  key.yMin = yMin;
  key.xMax = xMax;
  key.yMax = yMax;
  key.zoom = zoom;
  key.revision = revision_;
  key.layerStates = LayerStates;
  key.elements = Elements.size();
  key.valid = true;
  const BuildKey& last = lastBuild_;
  if (last.valid && last.xMin == xMin && last.yMin == yMin && last.xMax == xMax && last.yMax == yMax &&
      last.zoom == zoom && last.revision == revision_ && last.layerStates == LayerStates &&
      last.elements == Elements.size() && last.listed == DisplayList.size() && last.small == SmallList.size()) {
    return;
  }

  // The main part goes straight into the display list and the reference
  // part, usually short, into the working list that is put in front of it.
  DisplayList.clear();
  SmallList.clear();
  workingList_.clear();
  const ListingWindow window(xMin, yMin, xMax, yMax, zoom);
  // Each element's position in the display list is noted as it is listed.
  listPositions_.resize(Elements.size());
  std::int32_t* const positions = listPositions_.data();
  // The same pass checks that no element was changed in place since it was
  // indexed (a change the store was not told of).
  const bool checkIndex = !indexStale_ && index_.Count() == Elements.size();
  std::uint64_t fingerprints = 0;
  for (std::size_t i = 0; i < Elements.size(); ++i) {
    const RDrawElement& e = Elements[i];
    if (checkIndex) fingerprints += TElementIndex::Fingerprint(e);
    std::int32_t position = -1;
    if (const std::uint8_t state = LayerState(e.Group, e.Layer); state != kLayerHidden) {
      const Listing listing = Classify(e, window);
      const RDisplayEntry entry{static_cast<std::int32_t>(i)};
      if (listing == Listing::Small) {
        SmallList.push_back(entry);
      } else if (listing == Listing::Listed) {
        if (e.Kind != kKindPoint && state == kLayerReference) {
          workingList_.push_back(entry);
        } else {
          position = static_cast<std::int32_t>(DisplayList.size());
          DisplayList.push_back(entry);
        }
      }
    }
    positions[i] = position;
  }
  if (checkIndex && fingerprints != index_.FingerprintSum()) indexStale_ = true;
  if (!workingList_.empty()) {
    // Reference layers first, so the editable ones are drawn over them.
    DisplayList.insert(DisplayList.begin(), workingList_.begin(), workingList_.end());
    for (std::size_t p = 0; p < DisplayList.size(); ++p) {
      listPositions_[static_cast<std::size_t>(DisplayList[p].Index)] = static_cast<std::int32_t>(p);
    }
  }
  positionsListSize_ = DisplayList.size();
  positionsListData_ = DisplayList.data();
  positionsValid_ = true;

  key.listed = DisplayList.size();
  key.small = SmallList.size();
  lastBuild_ = key;
}

bool Tdrawinp::ListedInView(const RDrawElement& e, double xMin, double yMin, double xMax, double yMax,
                            double zoom) const {
  return LayerState(e.Group, e.Layer) != kLayerHidden &&
         Classify(e, ListingWindow(xMin, yMin, xMax, yMax, zoom)) == Listing::Listed;
}

void Tdrawinp::RefilterDisplayLists(double xMin, double yMin, double xMax, double yMax, double zoom) {
  lastBuild_.valid = false;
  positionsValid_ = false;
  std::vector<RDisplayEntry> candidates = std::move(DisplayList);
  candidates.insert(candidates.end(), SmallList.begin(), SmallList.end());
  DisplayList.clear();
  SmallList.clear();
  const ListingWindow window(xMin, yMin, xMax, yMax, zoom);
  for (const RDisplayEntry& entry : candidates) {
    const RDrawElement* e = EntryElement(entry);
    if (!e) continue;
    const Listing listing = Classify(*e, window);
    if (listing == Listing::Small) SmallList.push_back(entry);
    if (listing == Listing::Listed) DisplayList.push_back(entry);
  }
}

void Tdrawinp::NoteChange() { ++revision_; }

void Tdrawinp::ElementsChanged() {
  NoteChange();
  indexStale_ = true;
}

double Tdrawinp::TextFrameMargin() const {
  double tallest = 0.0;
  for (const RTextStyle& style : TextStyles) tallest = std::max(tallest, style.Height * 0.1);
  return tallest;
}

bool Tdrawinp::SyncIndex() const {
  const double margin = TextFrameMargin();
  if (indexStale_ || index_.Count() != Elements.size() || margin > index_.TextMargin() ||
      index_.AppendedCount() > kMaxAppended) {
    index_.Build(Elements, margin);
    indexStale_ = false;
  }
  return SyncPositions();
}

bool Tdrawinp::SyncPositions() const {
  if (positionsValid_ && listPositions_.size() == Elements.size() && positionsListSize_ == DisplayList.size() &&
      positionsListData_ == DisplayList.data()) {
    return true;
  }
  positionsValid_ = false;
  listPositions_.assign(Elements.size(), -1);
  for (std::size_t p = 0; p < DisplayList.size(); ++p) {
    const std::int32_t index = DisplayList[p].Index;
    if (index < 0 || static_cast<std::size_t>(index) >= Elements.size()) continue;  // names nothing
    std::int32_t& position = listPositions_[static_cast<std::size_t>(index)];
    if (position >= 0) return false;  // listed twice: only the whole walk offers both
    position = static_cast<std::int32_t>(p);
  }
  positionsListSize_ = DisplayList.size();
  positionsListData_ = DisplayList.data();
  positionsValid_ = true;
  return true;
}

void Tdrawinp::ListedNear(double x1, double y1, double x2, double y2, std::vector<std::uint32_t>& positions,
                          double arcMargin) const {
  positions.clear();
  if (!UseElementIndex || !SyncIndex()) {
    positions.resize(DisplayList.size());
    std::iota(positions.begin(), positions.end(), 0u);
    return;
  }
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (!(arcMargin > 0.0)) arcMargin = 0.0;
  // The exact tests round; the index must not be stricter than they are.
  const double slack = 1e-9 * (1.0 + arcMargin + std::max({std::abs(x1), std::abs(x2), std::abs(y1), std::abs(y2)}));
  x1 -= slack;
  y1 -= slack;
  x2 += slack;
  y2 += slack;
  queryScratch_.clear();
  // The index rejects by each element's own extent, so only the elements
  // near the rectangle are looked up here.
  index_.Query(x1, y1, x2, y2, queryScratch_, arcMargin);
  for (const std::int32_t index : queryScratch_) {
    const std::int32_t position = listPositions_[static_cast<std::size_t>(index)];
    if (position >= 0) positions.push_back(static_cast<std::uint32_t>(position));
  }
  std::sort(positions.begin(), positions.end());
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
    default: break;
  }
}

void Tdrawinp::ScaleGroup(std::uint8_t group, std::uint8_t wholeBuffer, double factor) {
  ElementsChanged();
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
