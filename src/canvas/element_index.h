#pragma once
// A spatial index over the elements of a drawing, so that a click looks only
// at the elements near it, whatever the size of the drawing.
//
// Hierarchical loose grid: level L has square cells of side base × 2^L, and
// an element lives in exactly one cell: the one that holds the centre of its
// extent, on the lowest level whose cell side is at least the extent's
// larger side. Its extent then lies within half a cell of that cell, so a
// query looks at the cells near the rectangle on every level. An element
// whose extent is not finite, or larger than the top level, is offered to
// every query.
//
// The index is an accelerator, never a filter: Query gives a superset of the
// elements whose extent meets the rectangle; the caller tests each exactly.
// Each item keeps its extent beside it, rounded outward to a 239th of twice
// its cell's side, so a query rejects the items of a cell without reading
// their records.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "records/draw_records.h"

class TElementIndex {
 public:
  // The rectangle an element can be found in by the searches: lines,
  // rectangles and two-point elements their two points; arcs the whole
  // ellipse's square; points their position; texts their base line widened
  // on every side by textMargin (the frame of the tallest text style). False
  // for an extent that is not finite and for kinds the searches never read.
  static bool Extent(const RDrawElement& e, double textMargin, double& x1, double& y1, double& x2, double& y2);

  // Indexes every element; textMargin as for Extent.
  void Build(std::span<const RDrawElement> elements, double textMargin);
  void Clear();

  // The number of elements the index covers; it must equal the drawing's
  // element count for a query to be complete.
  std::size_t Count() const { return keys_.size(); }
  double TextMargin() const { return textMargin_; }
  // Elements appended since the last build, kept in a list every query reads.
  std::size_t AppendedCount() const { return appended_.size(); }

  // The element just stored at the end of the drawing.
  void Append(const RDrawElement& e);
  // The element e at index was removed; later elements moved down by one.
  void Remove(std::int32_t index, const RDrawElement& e);
  // Whether the element at index still lies where it was indexed.
  bool Holds(std::size_t index, const RDrawElement& e) const {
    return index < keys_.size() && KeyOf(e) == keys_[index];
  }

  // A cheap digest of what places an element (kind and coordinates); the
  // index keeps the sum over its elements, so one pass over the drawing
  // tells whether any element was changed in place since it was indexed.
  static std::uint64_t Fingerprint(const RDrawElement& e) {
    // The bytes of the four coordinates (the radius of an arc among them),
    // the ratio and the kind: everything that places an element.
    std::uint64_t w[4];
    std::memcpy(w, reinterpret_cast<const char*>(&e) + offsetof(RDrawElement, X1), sizeof w);
    std::uint32_t ratio;
    const float r = e.Ratio;
    std::memcpy(&ratio, &r, sizeof ratio);
    const std::uint64_t h =
        w[0] ^ std::rotl(w[1], 16) ^ std::rotl(w[2], 32) ^ std::rotl(w[3], 48) ^ (std::uint64_t{ratio} << 8) ^ e.Kind;
    return h * 0x9E3779B97F4A7C15ull;
  }
  std::uint64_t FingerprintSum() const { return fingerprintSum_; }

  // Appends to out the indices of the elements whose extent may meet the
  // rectangle (any corner order), in no particular order and each once;
  // arcs are looked up in the rectangle widened by arcMargin on every side.
  void Query(double x1, double y1, double x2, double y2, std::vector<std::int32_t>& out, double arcMargin = 0.0) const;

  // Bytes held, for the memory report of the benchmarks.
  std::size_t MemoryBytes() const;

 private:
  static constexpr std::uint32_t kEverywhere = 0xFFFFFFFFu;
  static constexpr int kMaxLevels = 48;

  struct Level {
    double cell = 0.0;         // side of a cell
    std::int64_t columns = 0;  // cells across
    std::int64_t rows = 0;     // cells up
    std::uint32_t first = 0;   // number of the first cell of this level
    std::uint32_t count = 0;   // elements indexed on this level
  };

  // An item's extent in the quanta of its cell's neighbourhood (see Boxed).
  struct ItemBox {
    std::uint8_t x1, y1, x2, y2;
    std::uint8_t flags;
  };
  static constexpr std::uint8_t kArcItem = 1;  // looked up with the arc margin
  static constexpr std::uint8_t kUnboxed = 2;  // offered by its cell whatever the query
  // An element outside the cells, with its extent (infinite when it has none).
  struct LooseItem {
    std::int32_t index;
    double x1, y1, x2, y2;
    bool arc;
  };

  std::uint32_t KeyOf(const RDrawElement& e) const;
  ItemBox BoxOf(const RDrawElement& e, std::uint32_t key) const;
  LooseItem LooseOf(const RDrawElement& e, std::int32_t index) const;
  // The cell range of a level that can hold elements meeting [q1, q2].
  void CellRange(const Level& level, double q1, double q2, double origin, std::int64_t cells, std::int64_t& first,
                 std::int64_t& last) const;
  bool KeyMeets(std::uint32_t key, double x1, double y1, double x2, double y2) const;

  double textMargin_ = 0.0;
  std::uint64_t fingerprintSum_ = 0;
  double originX_ = 0.0;
  double originY_ = 0.0;
  std::vector<Level> levels_;
  std::vector<std::uint32_t> keys_;        // per element: its cell, or kEverywhere
  std::vector<std::uint32_t> cellStarts_;  // per cell: where its elements begin in items_ (one more at the end)
  std::vector<std::int32_t> items_;        // element indices by cell; -1 where one was removed
  std::vector<ItemBox> boxes_;             // beside items_
  std::vector<LooseItem> appended_;        // appended since the build
  std::vector<LooseItem> everywhere_;      // indexed on no level
};
