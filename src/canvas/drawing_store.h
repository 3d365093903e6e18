#pragma once
// The drawing store of one canvas: the drawing with its texts, the one-step
// undo log, the copy buffer, the layer states, the display lists the paint
// walks, the fill regions and the picture slots. It never draws.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "canvas/element_index.h"
#include "geometry/angles_points.h"
#include "records/draw_records.h"

class TGraphic;

// One vertex of a fill region (memory only).
struct RFillVertex {
  double X = 0.0;
  double Y = 0.0;
  std::uint16_t Region = 0;
  std::uint8_t Group = 0;
  std::uint8_t Layer = 0;
};

// One entry of a display list: the position of an element in the drawing.
// Entries name elements by position, never by address, so a deleted
// element cannot leave an entry pointing at freed memory.
struct RDisplayEntry {
  std::int32_t Index = 0;
};

// A text element holds no string: its TextIndex names a string in the text
// list of the list that holds it. TextIndex is 16 bits wide, so a list
// holds at most this many strings.
inline constexpr std::size_t kMaxTextsPerList = 65536;

// Layer states.
inline constexpr std::uint8_t kLayerHidden = 0;
inline constexpr std::uint8_t kLayerReference = 1;
inline constexpr std::uint8_t kLayerEditable = 2;

// A line too small to show at this zoom: its length times the zoom at most
// 0.8, 0.4 or 0.2 by zoom band (below 0.5, 1.5 and 2.5; none from 2.5 on).
// A chord of a curve is never small: the curve would show gaps. The display
// lists, the buffer previews and the range operations leave such lines
// undrawn.
bool LineIsSmall(const RDrawElement& e, double zoom);

inline constexpr int kPictureSlots = 30;

// Picture kinds of a slot.
inline constexpr std::uint8_t kPictureFree = 0;
inline constexpr std::uint8_t kPictureBitmap = 1;
inline constexpr std::uint8_t kPictureJpeg = 2;
inline constexpr std::uint8_t kPictureMetafile = 3;
inline constexpr std::uint8_t kPicturePng = 4;
inline constexpr std::uint8_t kPictureJpegAsBitmap = 20;

// One picture slot. The one platform picture object holds a bitmap, a JPEG
// image or a metafile alike; PictureKind says which the slot was given.
struct RBitMapData {
  double X1 = 0.0;
  double Y1 = 0.0;
  double X2 = 0.0;
  double Y2 = 0.0;
  double Aspect = 0.0;   // pixel width / pixel height
  std::string FileName;  // empty: a free slot
  std::uint8_t Group = 0;
  std::uint8_t Layer = 0;
  std::shared_ptr<TGraphic> Picture;
  std::uint8_t PictureKind = kPictureFree;
};

class Tdrawinp {
 public:
  using TextList = std::vector<std::string>;

  Tdrawinp();

  double PaperWidth = 0.0;
  double PaperHeight = 0.0;

  std::vector<RDrawElement> Elements;
  std::vector<RDrawElement> UndoLog;
  std::vector<RDrawElement> Buffer;
  std::vector<RFillVertex> FillVertices;
  std::vector<RDrawElement> SpareListA;
  std::vector<RDrawElement> SpareListB;

  // Per (group, layer): graphic elements and text elements; the 17th pair
  // of each group stays 0.
  struct CountPair {
    std::int32_t Graphic = 0;
    std::int32_t Text = 0;
  };
  std::array<std::array<CountPair, kLayersPerGroup + 1>, kLayerGroups> Counts{};

  std::vector<RDisplayEntry> DisplayList;
  std::vector<RDisplayEntry> SmallList;

  TextList ElementTexts;
  TextList UndoTexts;
  TextList BufferTexts;

  // Indexed group × 16 + layer.
  std::array<std::uint8_t, kLayerGroups * kLayersPerGroup> LayerStates{};
  std::array<RTextStyle, kTextStyleCount> TextStyles{};

  std::uint8_t PictureCount = 0;
  std::array<RBitMapData, kPictureSlots> Pictures;
  RBitMapData SparePicture;

  // Searches near a point read the spatial index; off, they walk the whole
  // display list (the tests compare the two).
  bool UseElementIndex = true;

  // State of a (group, layer) pair; a pair outside the table is hidden.
  // Defined here: the list builds and searches ask it of every element.
  std::uint8_t LayerState(int group, int layer) const {
    if (group < 0 || group >= kLayerGroups || layer < 0 || layer >= kLayersPerGroup) return kLayerHidden;
    return LayerStates[static_cast<std::size_t>(group * kLayersPerGroup + layer)];
  }
  // The element a display entry names, or null when it names none.
  const RDrawElement* EntryElement(const RDisplayEntry& entry) const {
    if (entry.Index < 0 || static_cast<std::size_t>(entry.Index) >= Elements.size()) return nullptr;
    return &Elements[static_cast<std::size_t>(entry.Index)];
  }

  void ClearAll();
  void ClearBuffer();
  void ClearSpareListA();
  void ClearSpareListB();
  void ClearUndoLog();

  // Both list the element for display at once. The checked add drops a
  // line that is too short or out of range (PassesAddCheck false).
  void AddElement(const RDrawElement& element);
  void AddElementChecked(const RDrawElement& element);
  // AddElementChecked for each, in order; the lists grow once.
  void AddElementsChecked(std::span<const RDrawElement> elements);
  static bool PassesAddCheck(const RDrawElement& element);
  void LogUndo(const RDrawElement& element);
  void DeleteElement(std::int32_t index);
  // Deletes the elements at the given positions, highest first, exactly as
  // DeleteElement one after the other would (the same drawing, texts and
  // undo log), with the drawing and the display lists compacted once.
  // Positions out of the list or not below the one before are passed over.
  void DeleteElementsDescending(std::span<const std::int32_t> indices);
  void ShiftTextIndices(std::int32_t deletedText, std::int32_t fromIndex);

  // Does nothing when neither the window and zoom nor the drawing (its
  // elements, the layer states, the lists themselves) changed since the
  // last build.
  void BuildDisplayLists(double xMin, double yMin, double xMax, double yMax, double zoom);
  void RefilterDisplayLists(double xMin, double yMin, double xMax, double yMax, double zoom);

  // Positions in DisplayList, ascending, of the entries whose elements may
  // meet the rectangle (corners in any order). Every entry whose element
  // meets it is among them, so the caller still tests each; a text is
  // found by its base line and the frame of the tallest text style. Arcs
  // are looked up in the rectangle widened by arcMargin on every side. With
  // the index off, every position.
  void ListedNear(double x1, double y1, double x2, double y2, std::vector<std::uint32_t>& positions,
                  double arcMargin = 0.0) const;
  // Tells the store that elements were changed in place (moved, resized,
  // refitted) rather than through its own operations, so that the next
  // build and search find them where they are now.
  void ElementsChanged();

  void ScaleGroup(std::uint8_t group, std::uint8_t wholeBuffer, double factor);

  void IncCount(int group, int layer, int what);
  void DecCount(int group, int layer, int what);

  // Appends a string to a text list and returns its index, or -1 (with a
  // message) when the list cannot name another string.
  std::int32_t AppendText(TextList& list, const std::string& text);
  std::int32_t AppendText(TextList& list, std::string&& text);

  // Copy buffer.
  void AppendToBuffer(const RDrawElement& element, std::uint8_t colour);
  void CopySelectionToBuffer(double dx, double dy);
  void RescaleBuffer(std::uint8_t targetGroup, std::uint8_t kind, const std::array<double, kLayerGroups>& sourceScales,
                     const std::array<double, kLayerGroups>& targetScales);
  void PasteBuffer(std::int32_t directionMode, std::uint8_t layerMode, double shiftX, double shiftY, double pivotX,
                   double pivotY, double rotation, double axisAngle, double scaleX, double scaleY, std::uint8_t group,
                   std::uint8_t layer, bool newUndo, std::uint8_t selection, bool newUndo2, bool skipType9);
  void PasteBufferMirrored(std::uint8_t selection, double x1, double y1, double x2, double y2);

  // Picture slots. InsertPicture loads the file into slot PictureCount and
  // returns false (with a message) when it is refused or unreadable.
  bool InsertPicture(std::uint8_t group, std::uint8_t layer, double x1, double y1, double x2, double y2,
                     const std::string& fileName, std::uint8_t sizeMode, bool asBitmap);
  void FreeAllPictures();
  void DeletePicture(std::int32_t slot);
  void ReorderPicture(std::int32_t slot, bool toBack, std::uint8_t sizeMode, bool asBitmap);

  // Snap searches. Each gathers the visible elements near (x, y), the extra
  // segments a command draws but has not stored and, for most, the paper
  // frame, and moves (x, y) to the snap point a THitzakei chooses. mode and
  // footMode go to the finder unchanged. A non-positive zoom finds nothing.
  bool SnapPoint(double& x, double& y, double zoom, std::uint8_t mode, std::span<const RDrawElement> extra) const;
  bool SnapPointNoText(double& x, double& y, double zoom, std::uint8_t mode, std::span<const RDrawElement> extra) const;
  // 0 nothing, 1 a snap point, 2 the fallback point from the line running
  // from (refX, refY) to the cursor. isCentre is written on every path;
  // centreElement only when the point is the centre of that curve.
  std::uint8_t SnapPointRef(double& x, double& y, double refX, double refY, double zoom, std::uint8_t mode,
                            std::span<const RDrawElement> extra, std::uint8_t footMode, bool& isCentre,
                            RDrawElement& centreElement) const;
  // As SnapPointRef, searching around (cursorX, cursorY) with the reference
  // line running from (refX, refY) to the point (x, y) holds on entry.
  std::uint8_t SnapPointRefFrom(double& x, double& y, double refX, double refY, double cursorX, double cursorY,
                                double zoom, std::uint8_t mode, std::span<const RDrawElement> extra,
                                std::uint8_t footMode) const;
  bool SnapPointWithLines(double& x, double& y, double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                          double bx2, double by2, std::span<const RDrawElement> extra, std::uint8_t mode,
                          double zoom) const;
  bool SnapPointWithCircles(double& x, double& y, double acx, double acy, double ar, double bcx, double bcy, double br,
                            std::span<const RDrawElement> extra, std::uint8_t mode, double zoom) const;
  void SetPaperSize(double width, double height);
  // The display-list build for this window would draw the element: on a
  // shown layer, in view and not too small.
  bool ListedInView(const RDrawElement& e, double xMin, double yMin, double xMax, double yMax, double zoom) const;
  // The corners above the start and above the end of a text's base line. A
  // style number past the table reads as style 0.
  void TextFrameCorners(std::uint8_t style, std::array<RPoint2D, 2>& corners, double x1, double y1, double x2,
                        double y2) const;

 private:
  friend class TDeletionPass;
  // What the display-list builders decide for one element.
  enum class Listing { Skip, Small, Listed };
  struct ListingWindow;
  Listing Classify(const RDrawElement& e, const ListingWindow& window) const;
  void StoreElement(const RDrawElement& stored, const RDrawElement& logged);
  void ForgetDisplayEntries(std::int32_t index);
  void LogDeletion(std::int32_t index);
  // The element copied into the undo log and marked there (deleted, added): a
  // packed record copied through a local and read back at once stalls the
  // copy (a deletion pass logs many). Inline: the pass runs it for every
  // element it takes.
  RDrawElement& LogCopy(const RDrawElement& source, std::uint8_t mark) {
    UndoLog.push_back(source);
    RDrawElement& record = UndoLog.back();
    record.UndoMark = mark;
    return record;
  }
  RDrawElement& LogDeletedCopy(const RDrawElement& source) { return LogCopy(source, kUndoDeleted); }
  // A deleted text's string leaves the text list for the undo texts; the
  // record names it there.
  void LogDeletedString(RDrawElement& record);
  // The half height of the text frames the searches measure, for the index.
  double TextFrameMargin() const;
  // Brings the index and the element positions up to date; false when the
  // display list cannot be searched through them (an element listed twice).
  bool SyncIndex() const;
  bool SyncPositions() const;
  void NoteChange();

  // What the last build was made for, so an unchanged build can be skipped.
  struct BuildKey {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0, zoom = 0;
    std::uint64_t revision = 0;
    std::array<std::uint8_t, kLayerGroups * kLayersPerGroup> layerStates{};
    std::size_t elements = 0, listed = 0, small = 0;
    bool valid = false;
  };
  BuildKey lastBuild_;
  std::uint64_t revision_ = 0;
  std::vector<RDisplayEntry> workingList_;  // the main part while a build runs

  // The spatial index and, per element, its position in DisplayList or -1.
  mutable TElementIndex index_;
  mutable bool indexStale_ = true;
  mutable std::vector<std::int32_t> listPositions_;
  mutable bool positionsValid_ = false;
  mutable std::size_t positionsListSize_ = 0;
  mutable const RDisplayEntry* positionsListData_ = nullptr;
  mutable std::vector<std::int32_t> queryScratch_;
  void ScalePictures(std::uint8_t group, double factor);
  void PlacePicture(RBitMapData& slot, double x1, double y1, double x2, double y2, std::uint8_t sizeMode);
};

// Multiplies the coordinates of one element by factor, by its kind: texts
// all four coordinates, arcs the centre and radius, points the position,
// lines, rectangles and kind 5 all four (clearing their scratch values).
void ScaleElement(RDrawElement& e, double factor);

// Deletes many elements of a store in one pass over its list, exactly as
// DeleteElement one after the other from the highest down would (the same
// drawing, texts and undo log). Each element is logged when it is taken,
// while the caller has it at hand; the list, the strings of the texts and
// the display lists follow once, at Finish. Between the first Take and
// Finish the store's lists must not change otherwise.
class TDeletionPass {
 public:
  explicit TDeletionPass(Tdrawinp& store) : store_(store), below_(static_cast<std::int32_t>(store.Elements.size())) {}
  TDeletionPass(const TDeletionPass&) = delete;
  TDeletionPass& operator=(const TDeletionPass&) = delete;
  ~TDeletionPass() { Finish(); }

  // Room in the undo log for this many more deletions.
  void Reserve(std::size_t count);
  // Whether Take would take the index: inside the list and below every
  // index taken before.
  bool Takes(std::int32_t index) const { return index >= 0 && index < below_; }
  // Logs the element at the index as deleted and returns its record, which
  // the caller may still change (not its kind, group or layer) until the
  // next Take or Finish: the element is not written to. Null, doing
  // nothing, when it does not take the index.
  RDrawElement* Take(std::int32_t index) {
    if (!Takes(index)) return nullptr;
    below_ = index;
    RDrawElement& record = Log(store_.Elements[static_cast<std::size_t>(index)], graphicsTaken_);
    taken_.push_back(index);
    return &record;
  }
  // Take for every element from below the last index taken down to the
  // first that choose(element, index) names, handing each record to
  // fix(record) as Take returns it; onFirst() runs before the first take.
  // One loop whose cursors stay in registers: a large selection costs
  // little more than reading the list and writing the log.
  template <class Choose, class Fix, class First>
  void TakeEach(Choose&& choose, Fix&& fix, First&& onFirst);
  std::size_t Taken() const { return taken_.size(); }
  // Closes the list up; a second call does nothing.
  void Finish();

 private:
  void MoveDeletedStrings();
  void RenumberEntries(std::vector<RDisplayEntry>& entries, std::size_t count) const;

  Tdrawinp& store_;
  std::int32_t below_;
  std::vector<std::int32_t> taken_;       // highest first
  std::vector<std::size_t> textRecords_;  // log positions of texts, in log order
  // Elements taken per group and layer.
  using LayerTally = std::array<std::array<std::int32_t, kLayersPerGroup + 1>, kLayerGroups>;
  // Each count falls by what was taken on its layer, stopping at 0 as one
  // deletion after the other would; the tally is emptied.
  void DropCounts(LayerTally& taken, std::int32_t Tdrawinp::CountPair::*count);
  LayerTally graphicsTaken_{};

  // The element logged as deleted; a text's record noted for its string, a
  // graphic counted in the tally (the counts drop once, at Finish). The
  // group, layer and kind are read from the element, not from the record
  // just written.
  RDrawElement& Log(const RDrawElement& source, LayerTally& tally) {
    const unsigned group = source.Group, layer = source.Layer;
    const bool text = source.Kind == kKindText;
    RDrawElement& record = store_.LogDeletedCopy(source);
    if (text) [[unlikely]] {
      textRecords_.push_back(static_cast<std::size_t>(&record - store_.UndoLog.data()));
    } else if (group < static_cast<unsigned>(kLayerGroups) && layer <= static_cast<unsigned>(kLayersPerGroup)) {
      ++tally[group][layer];
    }
    return record;
  }
};

template <class Choose, class Fix, class First>
void TDeletionPass::TakeEach(Choose&& choose, Fix&& fix, First&& onFirst) {
  const RDrawElement* const elements = store_.Elements.data();
  LayerTally tally{};
  std::int32_t lowest = below_;
  bool first = true;
  // At most every element below is taken: the index list never regrows.
  taken_.reserve(taken_.size() + static_cast<std::size_t>(below_));
  for (std::int32_t i = below_ - 1; i >= 0; --i) {
    const RDrawElement& source = elements[i];
    if (!choose(source, i)) continue;
    if (first) {
      onFirst();
      first = false;
    }
    RDrawElement& record = Log(source, tally);
    taken_.push_back(i);
    lowest = i;
    fix(record);
  }
  below_ = lowest;
  for (std::size_t g = 0; g < tally.size(); ++g) {
    for (std::size_t l = 0; l < tally[g].size(); ++l) graphicsTaken_[g][l] += tally[g][l];
  }
}
