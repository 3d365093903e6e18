#include "canvas/element_index.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// floor(v) clamped to [0, cells - 1], for any v, infinities and NaN included.
std::int64_t ClampedCell(double v, std::int64_t cells) {
  if (!(v >= 0.0)) return 0;  // NaN as well
  if (v >= static_cast<double>(cells - 1)) return cells - 1;
  return static_cast<std::int64_t>(v);
}

// An item's neighbourhood (its cell widened by half a cell on every side)
// maps to the quanta 8 to 247; the spare quanta on either side take the
// rounding, so an extent that the key placed never falls off the scale.
constexpr double kQuantumOffset = 8.0;
constexpr double kQuantaAcross = 239.0;

// Lower and upper quanta of a value, rounded outward by a quarter quantum
// more than any rounding of the arithmetic; false off the scale (or NaN).
bool QuantumBelow(double q, std::uint8_t& out) {
  const double f = std::floor(q - 0.25);
  if (!(f >= 0.0 && f <= 255.0)) return false;
  out = static_cast<std::uint8_t>(f);
  return true;
}
bool QuantumAbove(double q, std::uint8_t& out) {
  const double c = std::ceil(q + 0.25);
  if (!(c >= 0.0 && c <= 255.0)) return false;
  out = static_cast<std::uint8_t>(c);
  return true;
}
// The same for a query's side, clamped instead: -1 and 256 reject nothing.
int QueryBelow(double q) {
  const double f = std::floor(q - 0.25);
  if (!(f > -1.0)) return -1;  // NaN as well
  return f > 256.0 ? 256 : static_cast<int>(f);
}
int QueryAbove(double q) {
  const double c = std::ceil(q + 0.25);
  if (!(c < 256.0)) return 256;  // NaN as well
  return c < -1.0 ? -1 : static_cast<int>(c);
}

// Written so that a NaN anywhere counts as meeting.
bool BoxMeets(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2) {
  return !(ax1 > bx2 || ax2 < bx1 || ay1 > by2 || ay2 < by1);
}

template <typename T>
std::size_t Bytes(const std::vector<T>& v) {
  return v.capacity() * sizeof(T);
}

}  // namespace

bool TElementIndex::Extent(const RDrawElement& e, double textMargin, double& x1, double& y1, double& x2, double& y2) {
  const double ax = e.X1, ay = e.Y1;
  // Checked first: min and max would quietly drop a NaN.
  if (!std::isfinite(ax) || !std::isfinite(ay)) return false;
  switch (e.Kind) {
    case kKindLine:
    case kKindRect:
    case kKindTwoPoint:
    case kKindText: {
      const double bx = e.X2, by = e.Y2;
      if (!std::isfinite(bx) || !std::isfinite(by)) return false;
      x1 = std::min(ax, bx);
      x2 = std::max(ax, bx);
      y1 = std::min(ay, by);
      y2 = std::max(ay, by);
      if (e.Kind == kKindText) {
        x1 -= textMargin;
        y1 -= textMargin;
        x2 += textMargin;
        y2 += textMargin;
      }
      break;
    }
    case kKindArc: {
      // The curve never leaves the circle of its larger semi-axis.
      const double r = e.Radius;
      const double minor = r * static_cast<double>(e.Ratio);
      if (!std::isfinite(r) || !std::isfinite(minor)) return false;
      const double reach = std::max(std::abs(r), std::abs(minor));
      x1 = ax - reach;
      x2 = ax + reach;
      y1 = ay - reach;
      y2 = ay + reach;
      break;
    }
    case kKindPoint:
      x1 = x2 = ax;
      y1 = y2 = ay;
      break;
    default: return false;
  }
  return Finite(x1, y1, x2, y2) && std::isfinite(x2 - x1) && std::isfinite(y2 - y1);
}

void TElementIndex::Clear() {
  fingerprintSum_ = 0;
  levels_.clear();
  keys_.clear();
  cellStarts_.clear();
  items_.clear();
  boxes_.clear();
  appended_.clear();
  everywhere_.clear();
}

void TElementIndex::Build(std::span<const RDrawElement> elements, double textMargin) {
  Clear();
  textMargin_ = textMargin;
  const std::size_t n = elements.size();
  keys_.reserve(n);

  // The grid covers the centres of the extents; the cells of the lowest
  // level hold about four elements each where the drawing is even.
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY, largest = 0.0;
  std::size_t finite = 0;
  for (const RDrawElement& e : elements) {
    double x1, y1, x2, y2;
    if (!Extent(e, textMargin, x1, y1, x2, y2)) continue;
    const double cx = 0.5 * (x1 + x2), cy = 0.5 * (y1 + y2);
    minX = std::min(minX, cx);
    maxX = std::max(maxX, cx);
    minY = std::min(minY, cy);
    maxY = std::max(maxY, cy);
    largest = std::max({largest, x2 - x1, y2 - y1});
    ++finite;
  }
  if (finite > 0) {
    originX_ = minX;
    originY_ = minY;
    const double w = maxX - minX, h = maxY - minY;
    const double count = static_cast<double>(finite);
    double base = 2.0 * std::sqrt(w * h / count);
    if (!(base > 0.0) || !std::isfinite(base)) base = 4.0 * std::max(w, h) / count;
    // Not finer than the coordinates can tell apart.
    const double magnitude = std::max({std::abs(minX), std::abs(maxX), std::abs(minY), std::abs(maxY), 1.0});
    base = std::max(base, magnitude * 1e-12);
    if (!std::isfinite(base)) base = magnitude;
    std::uint64_t cells = 0;
    for (int level = 0; level < kMaxLevels; ++level) {
      Level l;
      l.cell = std::ldexp(base, level);
      l.columns = static_cast<std::int64_t>(std::min(std::floor(w / l.cell), 1e7)) + 1;
      l.rows = static_cast<std::int64_t>(std::min(std::floor(h / l.cell), 1e7)) + 1;
      const auto levelCells = static_cast<std::uint64_t>(l.columns) * static_cast<std::uint64_t>(l.rows);
      if (cells + levelCells >= kEverywhere) break;
      l.first = static_cast<std::uint32_t>(cells);
      cells += levelCells;
      levels_.push_back(l);
      if (l.columns == 1 && l.rows == 1 && l.cell >= largest) break;
    }
    cellStarts_.assign(cells + 1, 0);
  }

  // Counting sort of the elements by cell, in element order within a cell.
  for (const RDrawElement& e : elements) {
    fingerprintSum_ += Fingerprint(e);
    const std::uint32_t key = KeyOf(e);
    keys_.push_back(key);
    if (key != kEverywhere) ++cellStarts_[key];
  }
  std::uint32_t running = 0;
  for (std::uint32_t& start : cellStarts_) {
    running += start;
    start = running;  // for now the end of the cell
  }
  items_.resize(running);
  boxes_.resize(running);
  for (std::size_t i = n; i-- > 0;) {
    const std::uint32_t key = keys_[i];
    if (key == kEverywhere) continue;
    const std::uint32_t at = --cellStarts_[key];
    items_[at] = static_cast<std::int32_t>(i);
    boxes_[at] = BoxOf(elements[i], key);
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t key = keys_[i];
    if (key == kEverywhere) {
      everywhere_.push_back(LooseOf(elements[i], static_cast<std::int32_t>(i)));
      continue;
    }
    const auto at = std::upper_bound(levels_.begin(), levels_.end(), key,
                                     [](std::uint32_t k, const Level& l) { return k < l.first; });
    ++(at - 1)->count;
  }
}

std::uint32_t TElementIndex::KeyOf(const RDrawElement& e) const {
  if (levels_.empty()) return kEverywhere;
  double x1, y1, x2, y2;
  if (!Extent(e, textMargin_, x1, y1, x2, y2)) return kEverywhere;
  const double size = std::max(x2 - x1, y2 - y1);
  std::size_t level = 0;
  if (size > levels_[0].cell) {
    // size / base = m 2^e with m in [0.5, 1): the cell base 2^e is large enough.
    int exponent = 0;
    std::frexp(size / levels_[0].cell, &exponent);
    level = exponent >= kMaxLevels ? levels_.size() : static_cast<std::size_t>(std::max(exponent - 1, 0));
    while (level < levels_.size() && levels_[level].cell < size) ++level;
  }
  if (level >= levels_.size()) return kEverywhere;
  const Level& l = levels_[level];
  const std::int64_t column = ClampedCell((0.5 * (x1 + x2) - originX_) / l.cell, l.columns);
  const std::int64_t row = ClampedCell((0.5 * (y1 + y2) - originY_) / l.cell, l.rows);
  return l.first + static_cast<std::uint32_t>(row * l.columns + column);
}

TElementIndex::ItemBox TElementIndex::BoxOf(const RDrawElement& e, std::uint32_t key) const {
  ItemBox box{0, 0, 255, 255, static_cast<std::uint8_t>(e.Kind == kKindArc ? kArcItem : 0)};
  double x1, y1, x2, y2;
  if (key == kEverywhere || !Extent(e, textMargin_, x1, y1, x2, y2)) {
    box.flags |= kUnboxed;
    return box;
  }
  const auto at = std::upper_bound(levels_.begin(), levels_.end(), key,
                                   [](std::uint32_t k, const Level& l) { return k < l.first; });
  const Level& l = *(at - 1);
  const std::int64_t local = key - l.first;
  const double column = static_cast<double>(local % l.columns), row = static_cast<double>(local / l.columns);
  const double left = originX_ + (column - 0.5) * l.cell, bottom = originY_ + (row - 0.5) * l.cell;
  const double scale = kQuantaAcross / (2.0 * l.cell);
  if (!QuantumBelow(kQuantumOffset + (x1 - left) * scale, box.x1) ||
      !QuantumBelow(kQuantumOffset + (y1 - bottom) * scale, box.y1) ||
      !QuantumAbove(kQuantumOffset + (x2 - left) * scale, box.x2) ||
      !QuantumAbove(kQuantumOffset + (y2 - bottom) * scale, box.y2)) {
    box = {0, 0, 255, 255, static_cast<std::uint8_t>(box.flags | kUnboxed)};
  }
  return box;
}

TElementIndex::LooseItem TElementIndex::LooseOf(const RDrawElement& e, std::int32_t index) const {
  LooseItem item{index, -INFINITY, -INFINITY, INFINITY, INFINITY, e.Kind == kKindArc};
  double x1, y1, x2, y2;
  if (Extent(e, textMargin_, x1, y1, x2, y2)) item = {index, x1, y1, x2, y2, item.arc};
  return item;
}

// An element of the level lies within half a cell of its centre's cell, so
// only the cells whose centres' reach (half a cell) meets the range can hold
// one that meets it; a millionth of a cell more covers the rounding.
void TElementIndex::CellRange(const Level& level, double q1, double q2, double origin, std::int64_t cells,
                              std::int64_t& first, std::int64_t& last) const {
  first = ClampedCell(std::floor((q1 - origin - 0.5 * level.cell) / level.cell - 1e-6), cells);
  last = ClampedCell(std::floor((q2 - origin + 0.5 * level.cell) / level.cell + 1e-6), cells);
  if (std::isnan(q1) || std::isnan(q2)) {
    first = 0;
    last = cells - 1;
  }
}

bool TElementIndex::KeyMeets(std::uint32_t key, double x1, double y1, double x2, double y2) const {
  if (key == kEverywhere) return true;
  const auto at = std::upper_bound(levels_.begin(), levels_.end(), key,
                                   [](std::uint32_t k, const Level& l) { return k < l.first; });
  const Level& l = *(at - 1);
  const std::int64_t local = key - l.first;
  const std::int64_t column = local % l.columns, row = local / l.columns;
  std::int64_t c1, c2, r1, r2;
  CellRange(l, x1, x2, originX_, l.columns, c1, c2);
  CellRange(l, y1, y2, originY_, l.rows, r1, r2);
  return column >= c1 && column <= c2 && row >= r1 && row <= r2;
}

void TElementIndex::Append(const RDrawElement& e) {
  fingerprintSum_ += Fingerprint(e);
  keys_.push_back(KeyOf(e));
  appended_.push_back(LooseOf(e, static_cast<std::int32_t>(keys_.size() - 1)));
}

void TElementIndex::Remove(std::int32_t index, const RDrawElement& e) {
  if (index < 0 || static_cast<std::size_t>(index) >= keys_.size()) return;
  fingerprintSum_ -= Fingerprint(e);
  const std::uint32_t key = keys_[static_cast<std::size_t>(index)];
  keys_.erase(keys_.begin() + index);
  auto forget = [index](std::vector<LooseItem>& list) {
    list.erase(std::remove_if(list.begin(), list.end(), [index](const LooseItem& item) { return item.index == index; }),
               list.end());
    for (LooseItem& item : list) {
      if (item.index > index) --item.index;
    }
  };
  forget(appended_);
  forget(everywhere_);
  if (key != kEverywhere && key + 1 < cellStarts_.size()) {
    for (std::uint32_t k = cellStarts_[key]; k < cellStarts_[key + 1]; ++k) {
      if (items_[k] == index) items_[k] = -1;
    }
  }
  for (std::int32_t& item : items_) {
    if (item > index) --item;
  }
}

void TElementIndex::Query(double x1, double y1, double x2, double y2, std::vector<std::int32_t>& out,
                          double arcMargin) const {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (!(arcMargin > 0.0)) arcMargin = 0.0;
  const double wx1 = x1 - arcMargin, wy1 = y1 - arcMargin, wx2 = x2 + arcMargin, wy2 = y2 + arcMargin;
  for (const Level& l : levels_) {
    if (l.count == 0) continue;
    std::int64_t c1, c2, r1, r2;
    CellRange(l, wx1, wx2, originX_, l.columns, c1, c2);
    CellRange(l, wy1, wy2, originY_, l.rows, r1, r2);
    const double scale = kQuantaAcross / (2.0 * l.cell);
    for (std::int64_t row = r1; row <= r2; ++row) {
      const double bottom = originY_ + (static_cast<double>(row) - 0.5) * l.cell;
      // The query's sides in the quanta of the cells of this row and column;
      // index 0 the rectangle, 1 the one of the arcs.
      const int qy1[2] = {QueryBelow(kQuantumOffset + (y1 - bottom) * scale),
                          QueryBelow(kQuantumOffset + (wy1 - bottom) * scale)};
      const int qy2[2] = {QueryAbove(kQuantumOffset + (y2 - bottom) * scale),
                          QueryAbove(kQuantumOffset + (wy2 - bottom) * scale)};
      const std::uint32_t rowFirst = l.first + static_cast<std::uint32_t>(row * l.columns);
      for (std::int64_t column = c1; column <= c2; ++column) {
        const double left = originX_ + (static_cast<double>(column) - 0.5) * l.cell;
        const int qx1[2] = {QueryBelow(kQuantumOffset + (x1 - left) * scale),
                            QueryBelow(kQuantumOffset + (wx1 - left) * scale)};
        const int qx2[2] = {QueryAbove(kQuantumOffset + (x2 - left) * scale),
                            QueryAbove(kQuantumOffset + (wx2 - left) * scale)};
        const std::uint32_t cell = rowFirst + static_cast<std::uint32_t>(column);
        const std::uint32_t to = cellStarts_[cell + 1];
        for (std::uint32_t k = cellStarts_[cell]; k < to; ++k) {
          const std::int32_t item = items_[k];
          if (item < 0) continue;
          const ItemBox& b = boxes_[k];
          const int w = b.flags & kArcItem;
          if ((b.flags & kUnboxed) == 0 && (b.x2 < qx1[w] || b.x1 > qx2[w] || b.y2 < qy1[w] || b.y1 > qy2[w])) {
            continue;
          }
          out.push_back(item);
        }
      }
    }
  }
  const auto meets = [&](const LooseItem& item) {
    return item.arc ? BoxMeets(item.x1, item.y1, item.x2, item.y2, wx1, wy1, wx2, wy2)
                    : BoxMeets(item.x1, item.y1, item.x2, item.y2, x1, y1, x2, y2);
  };
  for (const LooseItem& item : appended_) {
    if (KeyMeets(keys_[static_cast<std::size_t>(item.index)], wx1, wy1, wx2, wy2) && meets(item)) {
      out.push_back(item.index);
    }
  }
  for (const LooseItem& item : everywhere_) {
    if (meets(item)) out.push_back(item.index);
  }
}

std::size_t TElementIndex::MemoryBytes() const {
  return Bytes(levels_) + Bytes(keys_) + Bytes(cellStarts_) + Bytes(items_) + Bytes(boxes_) + Bytes(appended_) +
         Bytes(everywhere_);
}
