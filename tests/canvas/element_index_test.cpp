#include "canvas/element_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <vector>

#include "canvas/drawing_store.h"
#include "support/element_factory.h"

namespace {

// arcMargin widens the rectangle for arcs only.
bool Meets(const RDrawElement& e, double margin, double x1, double y1, double x2, double y2, double arcMargin = 0) {
  double a, b, c, d;
  if (!TElementIndex::Extent(e, margin, a, b, c, d)) return false;
  const double m = e.Kind == kKindArc ? arcMargin : 0.0;
  return a <= x2 + m && c >= x1 - m && b <= y2 + m && d >= y1 - m;
}

std::vector<RDrawElement> RandomElements(std::mt19937& random, int count) {
  std::uniform_real_distribution<double> at(-100, 900), size(0, 1), kind(0, 1);
  std::vector<RDrawElement> out;
  Tdrawinp::TextList texts;
  for (int k = 0; k < count; ++k) {
    const double x = at(random), y = at(random) * 0.5;
    // Mostly small elements, some huge: every level of the grid is used.
    const double reach = std::pow(10.0, 4.0 * size(random) - 1.0);
    const double pick = kind(random);
    if (pick < 0.4) {
      out.push_back(Line(x, y, x + reach * (size(random) - 0.5), y + reach * (size(random) - 0.5)));
    } else if (pick < 0.6) {
      out.push_back(Arc(x, y, reach, 0, 90, static_cast<float>(size(random) * 2)));
    } else if (pick < 0.8) {
      out.push_back(Point(x, y));
    } else {
      out.push_back(Text(texts, "t", x, y, x + reach, y));
    }
  }
  return out;
}

// Every element whose extent meets the rectangle is offered, each once.
void ExpectComplete(const TElementIndex& index, const std::vector<RDrawElement>& elements, double margin, double x1,
                    double y1, double x2, double y2, double arcMargin = 0) {
  std::vector<std::int32_t> found;
  index.Query(x1, y1, x2, y2, found, arcMargin);
  const std::set<std::int32_t> unique(found.begin(), found.end());
  ASSERT_EQ(unique.size(), found.size()) << "offered twice";
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (Meets(elements[i], margin, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), arcMargin)) {
      ASSERT_TRUE(unique.count(static_cast<std::int32_t>(i))) << "element " << i << " missed";
    }
  }
}

TEST(ElementIndex, ExtentsByKind) {
  struct Case {
    RDrawElement e;
    double x1, y1, x2, y2;
  };
  Tdrawinp::TextList texts;
  const Case cases[] = {
      {Line(5, 1, 2, 7), 2, 1, 5, 7},
      {Point(3, 4), 3, 4, 3, 4},
      {Arc(10, 10, 2, 0, 90, 3.0f), 4, 4, 16, 16},  // the larger semi-axis is 2 x 3
      {Arc(10, 10, 4, 0, 90, 0.5f), 6, 6, 14, 14},
      {Text(texts, "t", 0, 0, 10, 0), -1.5, -1.5, 11.5, 1.5},  // widened by the margin 1.5
  };
  for (const Case& c : cases) {
    double a, b, d, e;
    ASSERT_TRUE(TElementIndex::Extent(c.e, 1.5, a, b, d, e));
    EXPECT_DOUBLE_EQ(a, c.x1);
    EXPECT_DOUBLE_EQ(b, c.y1);
    EXPECT_DOUBLE_EQ(d, c.x2);
    EXPECT_DOUBLE_EQ(e, c.y2);
  }
  double a, b, d, e;
  EXPECT_FALSE(TElementIndex::Extent(Line(0, 0, std::nan(""), 1), 0, a, b, d, e));
  EXPECT_FALSE(TElementIndex::Extent(Arc(0, 0, std::numeric_limits<double>::infinity()), 0, a, b, d, e));
  RDrawElement other = Line(0, 0, 1, 1);
  other.Kind = 9;
  EXPECT_FALSE(TElementIndex::Extent(other, 0, a, b, d, e));
}

TEST(ElementIndex, QueriesMissNothingOnRandomDrawings) {
  std::mt19937 random(7);
  std::vector<RDrawElement> elements = RandomElements(random, 3000);
  elements.push_back(Line(0, 0, std::nan(""), 5));  // offered to every query
  TElementIndex index;
  index.Build(elements, 2.0);
  ASSERT_EQ(index.Count(), elements.size());
  std::uniform_real_distribution<double> at(-300, 1100), size(0, 1);
  auto queries = [&] {
    for (int q = 0; q < 300; ++q) {
      const double x = at(random), y = at(random) * 0.5, w = std::pow(10.0, 3.0 * size(random) - 2.0);
      ExpectComplete(index, elements, 2.0, x, y, x + w, y - w);
      ExpectComplete(index, elements, 2.0, x, y, x + w, y - w, w);
    }
  };
  queries();

  // Appended elements, far outside the built grid too, and removed ones.
  for (const RDrawElement& e : RandomElements(random, 200)) {
    RDrawElement moved = e;
    moved.X1 = moved.X1 * 3 - 2000;
    elements.push_back(moved);
    index.Append(moved);
  }
  for (int k = 0; k < 100; ++k) {
    const auto i = static_cast<std::int32_t>(random() % elements.size());
    index.Remove(i, elements[static_cast<std::size_t>(i)]);
    elements.erase(elements.begin() + i);
  }
  ASSERT_EQ(index.Count(), elements.size());
  queries();
  for (std::size_t i = 0; i < elements.size(); ++i) ASSERT_TRUE(index.Holds(i, elements[i])) << i;
  RDrawElement shifted = elements[5];
  shifted.X1 = shifted.X1 + 5000;
  EXPECT_FALSE(index.Holds(5, shifted)) << "an element moved far away is no longer where it was indexed";
  // The fingerprints add up to the index's sum until an element changes.
  std::uint64_t sum = 0;
  for (const RDrawElement& e : elements) sum += TElementIndex::Fingerprint(e);
  EXPECT_EQ(sum, index.FingerprintSum());
  EXPECT_NE(TElementIndex::Fingerprint(shifted), TElementIndex::Fingerprint(elements[5]));
}

TEST(ElementIndex, AQueryNearAnElementOffersOnlyWhatItsExtentReaches) {
  // 100 x 100 points one unit apart: the cells hold several each, and each
  // point's own place decides, without its record being read.
  std::vector<RDrawElement> elements;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) elements.push_back(Point(x, y));
  }
  TElementIndex index;
  index.Build(elements, 0);
  std::vector<std::int32_t> found;
  index.Query(50.2, 50.2, 50.8, 50.8, found);
  EXPECT_TRUE(found.empty()) << "between four points, 0.2 from the nearest";
  index.Query(49.9, 49.9, 50.1, 50.1, found);
  EXPECT_EQ(found, std::vector<std::int32_t>{50 * 100 + 50}) << "the point (50, 50) alone";
}

// Arcs are looked up in the rectangle widened by the margin, everything
// else in the rectangle itself; the same for elements indexed in the grid
// and for elements appended after the build.
TEST(ElementIndex, ArcsAreLookedUpWithTheMargin) {
  // A line from x = 10 to 12, an arc whose extent runs from x = 19 to 21
  // (r 1 about (20, 10)), a point at (15, 10); the rectangle x 14 to 16.
  const std::vector<RDrawElement> elements = {Line(10, 10, 12, 10), Arc(20, 10, 1), Point(15, 10)};
  struct Case {
    double arcMargin;
    std::set<std::int32_t> expected;
  } const cases[] = {
      {0.0, {2}},
      {2.5, {2}},     // widened to 11.5 .. 18.5: the arc starts 0.5 beyond
      {3.5, {1, 2}},  // widened to 10.5 .. 19.5: the arc is reached, the line (2 away) is not
  };
  TElementIndex built;
  built.Build(elements, 0);
  TElementIndex appended;
  appended.Build({}, 0);
  for (const RDrawElement& e : elements) appended.Append(e);
  for (const TElementIndex* index : {&built, &appended}) {
    for (const Case& c : cases) {
      std::vector<std::int32_t> found;
      index->Query(14, 9, 16, 11, found, c.arcMargin);
      EXPECT_EQ(std::set<std::int32_t>(found.begin(), found.end()), c.expected)
          << "margin " << c.arcMargin << (index == &built ? " built" : " appended");
    }
  }
}

TEST(ElementIndex, EmptyAndDegenerateDrawings) {
  TElementIndex index;
  index.Build({}, 0);
  std::vector<std::int32_t> found;
  index.Query(0, 0, 10, 10, found);
  EXPECT_TRUE(found.empty());
  index.Append(Point(3, 3));  // no grid yet: its own extent decides
  index.Query(100, 100, 110, 110, found);
  EXPECT_TRUE(found.empty());
  index.Query(2, 2, 4, 4, found);
  EXPECT_EQ(found, std::vector<std::int32_t>{0});

  // All elements at one spot, or on one line.
  const std::vector<RDrawElement> same(50, Point(7, 7));
  index.Build(same, 0);
  found.clear();
  index.Query(6, 6, 8, 8, found);
  EXPECT_EQ(found.size(), 50u);
  std::vector<RDrawElement> row;
  for (int k = 0; k < 50; ++k) row.push_back(Point(k, 0));
  index.Build(row, 0);
  found.clear();
  index.Query(9.5, -1, 10.5, 1, found);
  EXPECT_NE(std::find(found.begin(), found.end(), 10), found.end());
}

// The store's search window: the positions of the listed entries near a
// rectangle, ascending, and none missing.
TEST(ElementIndex, TheStoreOffersListedEntriesInListOrder) {
  std::mt19937 random(3);
  Tdrawinp store;
  for (const RDrawElement& e : RandomElements(random, 2000)) store.AddElement(e);
  store.LayerStates[0] = kLayerReference;  // a reference part at the front
  for (std::size_t i = 0; i < store.Elements.size(); i += 3) store.Elements[i].Layer = 1;
  store.ElementsChanged();
  store.BuildDisplayLists(0, 0, 500, 300, 1.0);
  std::uniform_real_distribution<double> at(-50, 550);
  std::vector<std::uint32_t> positions;
  for (int q = 0; q < 200; ++q) {
    const double x = at(random), y = at(random) * 0.6;
    store.ListedNear(x, y, x + 3, y + 3, positions);
    ASSERT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    const std::set<std::uint32_t> offered(positions.begin(), positions.end());
    ASSERT_EQ(offered.size(), positions.size());
    for (std::size_t p = 0; p < store.DisplayList.size(); ++p) {
      const RDrawElement& e = store.Elements[static_cast<std::size_t>(store.DisplayList[p].Index)];
      if (!Meets(e, 0, x, y, x + 3, y + 3)) continue;
      ASSERT_TRUE(offered.count(static_cast<std::uint32_t>(p))) << p;
    }
  }
  store.UseElementIndex = false;
  store.ListedNear(0, 0, 1, 1, positions);
  EXPECT_EQ(positions.size(), store.DisplayList.size()) << "without the index: every entry";
}

}  // namespace
