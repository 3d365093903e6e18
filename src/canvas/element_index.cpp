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

template <typename T>
std::size_t Bytes(const std::vector<T>& v) {
  return v.capacity() * sizeof(T);
}

}  // namespace

bool TElementIndex::Extent(const RDrawElement& e, double textMargin, double& x1, double& y1, double& x2,
                           double& y2) {
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
    default:
      return false;
  }
  return Finite(x1, y1, x2, y2) && std::isfinite(x2 - x1) && std::isfinite(y2 - y1);
}

void TElementIndex::Clear() {
  fingerprintSum_ = 0;
  levels_.clear();
  keys_.clear();
  cellStarts_.clear();
  items_.clear();
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
  for (std::size_t i = n; i-- > 0;) {
    const std::uint32_t key = keys_[i];
    if (key == kEverywhere) continue;
    items_[--cellStarts_[key]] = static_cast<std::int32_t>(i);
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t key = keys_[i];
    if (key == kEverywhere) {
      everywhere_.push_back(static_cast<std::int32_t>(i));
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
  appended_.push_back(static_cast<std::int32_t>(keys_.size() - 1));
}

void TElementIndex::Remove(std::int32_t index, const RDrawElement& e) {
  if (index < 0 || static_cast<std::size_t>(index) >= keys_.size()) return;
  fingerprintSum_ -= Fingerprint(e);
  const std::uint32_t key = keys_[static_cast<std::size_t>(index)];
  keys_.erase(keys_.begin() + index);
  auto forget = [index](std::vector<std::int32_t>& list) {
    list.erase(std::remove(list.begin(), list.end(), index), list.end());
  };
  forget(appended_);
  forget(everywhere_);
  if (key != kEverywhere && key + 1 < cellStarts_.size()) {
    for (std::uint32_t k = cellStarts_[key]; k < cellStarts_[key + 1]; ++k) {
      if (items_[k] == index) items_[k] = -1;
    }
  }
  for (auto* list : {&items_, &appended_, &everywhere_}) {
    for (std::int32_t& item : *list) {
      if (item > index) --item;
    }
  }
}

void TElementIndex::Query(double x1, double y1, double x2, double y2, std::vector<std::int32_t>& out) const {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  for (const Level& l : levels_) {
    if (l.count == 0) continue;
    std::int64_t c1, c2, r1, r2;
    CellRange(l, x1, x2, originX_, l.columns, c1, c2);
    CellRange(l, y1, y2, originY_, l.rows, r1, r2);
    for (std::int64_t row = r1; row <= r2; ++row) {
      const std::uint32_t rowFirst = l.first + static_cast<std::uint32_t>(row * l.columns);
      const std::uint32_t from = cellStarts_[rowFirst + static_cast<std::uint32_t>(c1)];
      const std::uint32_t to = cellStarts_[rowFirst + static_cast<std::uint32_t>(c2) + 1];
      for (std::uint32_t k = from; k < to; ++k) {
        if (items_[k] >= 0) out.push_back(items_[k]);
      }
    }
  }
  for (const std::int32_t i : appended_) {
    if (KeyMeets(keys_[static_cast<std::size_t>(i)], x1, y1, x2, y2)) out.push_back(i);
  }
  out.insert(out.end(), everywhere_.begin(), everywhere_.end());
}

std::size_t TElementIndex::MemoryBytes() const {
  return Bytes(levels_) + Bytes(keys_) + Bytes(cellStarts_) + Bytes(items_) + Bytes(appended_) +
         Bytes(everywhere_);
}
