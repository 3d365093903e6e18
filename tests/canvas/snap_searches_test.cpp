#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "canvas/drawing_store.h"
#include "canvas/snap_point_finder.h"
#include "platform/input_polling.h"
#include "support/element_factory.h"

namespace {

constexpr double kTolSnapSearches = 1e-9;
// A cursor well inside an A0 sheet, away from its frame.
constexpr double kCxSnapSearches = 500.0;
constexpr double kCySnapSearches = 300.0;

// A store on an A0 sheet whose display list holds every element added.
struct Drawing {
  Tdrawinp store;
  Drawing() { store.SetPaperSize(1189, 841); }
  void Add(const RDrawElement& e) { store.AddElement(e); }
};

RDrawElement OnLayer(RDrawElement e, std::uint8_t group, std::uint8_t layer) {
  e.Group = group;
  e.Layer = layer;
  return e;
}

struct Snapped {
  bool found;
  double x, y;
};

Snapped Snap(const Tdrawinp& store, double x, double y, double zoom, std::uint8_t mode = kSnapPointsOnly,
             std::span<const RDrawElement> extra = {}) {
  const bool found = store.SnapPoint(x, y, zoom, mode, extra);
  return {found, x, y};
}

TEST(SnapSearches, ApertureFollowsTheZoom) {
  struct Case {
    double zoom;
    double offset;  // of a point element to the right of the cursor
    bool found;
  } const cases[] = {
      {0.2, 9.99, true},                        // 2 / 0.2 = 10
      {0.2, 10.01, false}, {0.39, 5.12, true},  // 2 / 0.39 = 5.128
      {0.39, 5.14, false}, {0.4, 9.99, true},   // 4 / 0.4 = 10
      {0.4, 10.01, false}, {1.0, 3.99, true},   // 4
      {1.0, 4.01, false},  {4.0, 0.99, true},   // 1
      {4.0, 1.01, false},
  };
  for (const Case& c : cases) {
    Drawing d;
    d.Add(Point(kCxSnapSearches + c.offset, kCySnapSearches));
    const Snapped s = Snap(d.store, kCxSnapSearches, kCySnapSearches, c.zoom);
    EXPECT_EQ(s.found, c.found) << "zoom " << c.zoom << ", offset " << c.offset;
    EXPECT_DOUBLE_EQ(s.x, c.found ? kCxSnapSearches + c.offset : kCxSnapSearches);
    EXPECT_DOUBLE_EQ(s.y, kCySnapSearches);
  }
}

TEST(SnapSearches, NonPositiveZoomFindsNothing) {
  Drawing d;
  d.Add(Point(kCxSnapSearches, kCySnapSearches));
  for (double zoom : {0.0, -1.0, std::nan("")}) {
    double x = kCxSnapSearches + 1, y = kCySnapSearches;
    EXPECT_FALSE(d.store.SnapPoint(x, y, zoom, 0, {}));
    EXPECT_EQ(x, kCxSnapSearches + 1);
  }
}

struct KindCase {
  const char* name;
  std::vector<RDrawElement> elements;
  double cx, cy;
  std::uint8_t mode;
  bool found;
  double x, y;
};

TEST(SnapSearches, EachKindThroughSnapPoint) {
  Tdrawinp::TextList texts;  // the search never reads the strings
  const KindCase cases[] = {
      {"a line end", {Line(502, 301, 600, 400)}, kCxSnapSearches, kCySnapSearches, kSnapPointsOnly, true, 502, 301},
      {"a crossing", {Line(490, 290, 510, 310), Line(490, 310, 510, 290)}, 501, 301, kSnapPointsOnly, true, 500, 300},
      {"a point", {Point(497, 302)}, kCxSnapSearches, kCySnapSearches, kSnapPointsOnly, true, 497, 302},
      // Arc about (490, 300), r 12, from 0 to 90: start (502, 300) within 2
      // apertures, end (490, 312) not.
      {"an arc end", {Arc(490, 300, 12, 0, 90)}, kCxSnapSearches, kCySnapSearches, kSnapPointsOnly, true, 502, 300},
      {"a circle's centre", {Arc(500, 290, 10)}, kCxSnapSearches, kCySnapSearches, 0, true, 500, 290},
      {"no centre in points-only mode",
       {Arc(500, 290, 10)},
       kCxSnapSearches,
       kCySnapSearches,
       kSnapPointsOnly,
       false,
       kCxSnapSearches,
       kCySnapSearches},
      // Base (450, 298)-(550, 298) in style 0 (height 0): both ends far, but
      // the base line passes through the square.
      {"a text's base ends",
       {Text(texts, "a", 450, 298, 503, 298)},
       kCxSnapSearches,
       kCySnapSearches,
       kSnapPointsOnly,
       true,
       503,
       298},
      {"nothing near",
       {Line(0, 0, 100, 0)},
       kCxSnapSearches,
       kCySnapSearches,
       0,
       false,
       kCxSnapSearches,
       kCySnapSearches},
  };
  for (const KindCase& c : cases) {
    Drawing d;
    for (const RDrawElement& e : c.elements) d.Add(e);
    const Snapped s = Snap(d.store, c.cx, c.cy, 1.0, c.mode);
    EXPECT_EQ(s.found, c.found) << c.name;
    EXPECT_NEAR(s.x, c.x, kTolSnapSearches) << c.name;
    EXPECT_NEAR(s.y, c.y, kTolSnapSearches) << c.name;
  }
}

TEST(SnapSearches, TextFrameCorners) {
  Tdrawinp store;
  store.TextStyles[0].Height = 50;   // 5 mm
  store.TextStyles[11].Height = 20;  // 2 mm
  struct Case {
    const char* name;
    std::uint8_t style;
    double x1, y1, x2, y2;
    std::array<RPoint2D, 2> corners;
  } const cases[] = {
      {"horizontal", 0, 100, 100, 140, 100, {{{100, 105}, {140, 105}}}},
      {"upwards", 0, 100, 100, 100, 140, {{{95, 100}, {95, 140}}}},
      {"leftwards", 11, 100, 100, 60, 100, {{{100, 98}, {60, 98}}}},
      {"a style past the table reads as style 0", 200, 100, 100, 140, 100, {{{100, 105}, {140, 105}}}},
      // Along (0.6, 0.8): the height 5 turned is (-4, 3).
      {"slanted", 0, 0, 0, 30, 40, {{{-4, 3}, {26, 43}}}},
  };
  for (const Case& c : cases) {
    std::array<RPoint2D, 2> got;
    store.TextFrameCorners(c.style, got, c.x1, c.y1, c.x2, c.y2);
    for (int k = 0; k < 2; ++k) {
      EXPECT_NEAR(got[k].x, c.corners[k].x, 1e-9) << c.name << " corner " << k;
      EXPECT_NEAR(got[k].y, c.corners[k].y, 1e-9) << c.name << " corner " << k;
    }
  }
}

TEST(SnapSearches, TextTopEdgeOffersItsCornersWithTheBaseFarAway) {
  Drawing d;
  d.store.TextStyles[0].Height = 500;  // 50 mm: the base line is 50 below the top edge
  d.store.TextStyles[3].Height = 500;
  // Base (480, 252)-(540, 252); top edge (480, 302)-(540, 302) through the square.
  RDrawElement text = Text(d.store.ElementTexts, "abc", 480, 252, 540, 252);
  RDrawElement oddStyle = text;
  oddStyle.TextStyle = 77;
  for (const RDrawElement& e : {text, oddStyle}) {
    Drawing each;
    each.store.TextStyles = d.store.TextStyles;
    each.Add(e);
    // Corners (480, 302) and (540, 302): 20.1 and 40.05 from the cursor.
    const Snapped s = Snap(each.store, kCxSnapSearches, kCySnapSearches, 1.0);
    EXPECT_TRUE(s.found);
    EXPECT_NEAR(s.x, 480, kTolSnapSearches);
    EXPECT_NEAR(s.y, 302, kTolSnapSearches);
    double x = kCxSnapSearches, y = kCySnapSearches;
    EXPECT_FALSE(each.store.SnapPointNoText(x, y, 1.0, kSnapPointsOnly, {})) << "no texts";
  }
}

TEST(SnapSearches, OnlyTheFirstEightArcsAreOffered) {
  // Concentric circles about (500, 250) pass within 4 of the cursor; they
  // have no ends and, sharing their centre, no crossings. The arc after them
  // has its start (504.62, 302.80) within 2 apertures.
  auto build = [](int circles) {
    Drawing d;
    for (int k = 0; k < circles; ++k) d.Add(Arc(500, 250, 50 + 0.5 * k));
    d.Add(Arc(500, 250, 53, 85, 120));
    return d;
  };
  const double startX = 500 + 53 * std::cos(85 * std::acos(-1.0) / 180);
  for (int circles : {0, 7}) {
    const Drawing d = build(circles);
    const Snapped s = Snap(d.store, kCxSnapSearches, kCySnapSearches, 1.0);
    EXPECT_TRUE(s.found) << circles << " circles first";
    EXPECT_NEAR(s.x, startX, 1e-6);
  }
  const Drawing d = build(8);
  EXPECT_FALSE(Snap(d.store, kCxSnapSearches, kCySnapSearches, 1.0).found) << "the ninth arc is not offered";
}

// Every entry near the cursor is a candidate, wherever it stands in the list.
TEST(SnapSearches, AnEntryFarDownTheListStillSnaps) {
  // Whole-sheet zoom of an A0 sheet on a screen: 0.2, where a point is not
  // small. The 10,000 lines lie away from the cursor.
  Drawing d;
  for (int k = 0; k < 10000; ++k) d.Add(Line(10, 10 + 0.01 * k, 20, 10 + 0.01 * k));
  d.Add(Point(501, 301));
  d.store.BuildDisplayLists(0, 0, 1189, 841, 0.2);
  ASSERT_EQ(d.store.DisplayList.size(), 10001u);
  ASSERT_EQ(d.store.DisplayList.back().Index, 10000);
  const Snapped s = Snap(d.store, kCxSnapSearches, kCySnapSearches, 0.2);
  EXPECT_TRUE(s.found);
  EXPECT_DOUBLE_EQ(s.x, 501);
  EXPECT_DOUBLE_EQ(s.y, 301);
  // The same without the index: the whole list is walked.
  d.store.UseElementIndex = false;
  EXPECT_TRUE(Snap(d.store, kCxSnapSearches, kCySnapSearches, 0.2).found);
}

TEST(SnapSearches, LayerStates) {
  struct Case {
    std::uint8_t state;
    bool found;
  } const cases[] = {{kLayerEditable, true}, {kLayerReference, true}, {kLayerHidden, false}};
  for (const Case& c : cases) {
    Drawing d;
    d.Add(OnLayer(Point(501, 301), 3, 5));
    d.store.LayerStates[3 * kLayersPerGroup + 5] = c.state;
    EXPECT_EQ(Snap(d.store, kCxSnapSearches, kCySnapSearches, 1.0).found, c.found) << "state " << int(c.state);
  }
  Drawing d;
  d.Add(OnLayer(Point(501, 301), 40, 0));
  EXPECT_FALSE(Snap(d.store, kCxSnapSearches, kCySnapSearches, 1.0).found) << "a group past the table reads as hidden";
}

TEST(SnapSearches, StaleEntriesAreSkipped) {
  Drawing d;
  d.Add(Point(501, 301));
  d.store.DisplayList.insert(d.store.DisplayList.begin(), RDisplayEntry{99});
  d.store.DisplayList.push_back(RDisplayEntry{-3});
  EXPECT_TRUE(Snap(d.store, kCxSnapSearches, kCySnapSearches, 1.0).found);
}

TEST(SnapSearches, PaperCorners) {
  Drawing d;
  d.store.SetPaperSize(420, 297);
  EXPECT_DOUBLE_EQ(d.store.PaperWidth, 420);
  EXPECT_DOUBLE_EQ(d.store.PaperHeight, 297);
  const Snapped s = Snap(d.store, 418, 295, 1.0);
  EXPECT_TRUE(s.found);
  EXPECT_DOUBLE_EQ(s.x, 420);
  EXPECT_DOUBLE_EQ(s.y, 297);
  double x = 418, y = 295;
  EXPECT_FALSE(d.store.SnapPointWithLines(x, y, 0, 0, 1, 1, 0, 0, 1, 1, {}, kSnapPointsOnly, 1.0))
      << "no paper frame there";
  EXPECT_FALSE(d.store.SnapPointWithCircles(x, y, 0, 0, 1, 0, 0, 1, {}, kSnapPointsOnly, 1.0));
}

TEST(SnapSearches, ExtraSegments) {
  Drawing d;
  const std::vector<RDrawElement> extra = {Line(0, 0, 10, 10), Line(503, 299, 700, 100)};
  const Snapped s = Snap(d.store, kCxSnapSearches, kCySnapSearches, 1.0, kSnapPointsOnly, extra);
  EXPECT_TRUE(s.found);
  EXPECT_DOUBLE_EQ(s.x, 503);
  EXPECT_DOUBLE_EQ(s.y, 299);
}

TEST(SnapSearches, SnapPointWithLines) {
  Drawing d;
  struct Case {
    const char* name;
    double a[4], b[4];
    double cx, cy;
    bool found;
    double x, y;
  } const cases[] = {
      {"only line A near, its end",
       {502, 301, 600, 400},
       {0, 0, 1, 1},
       kCxSnapSearches,
       kCySnapSearches,
       true,
       502,
       301},
      {"A and B cross", {490, 300, 510, 300}, {500, 290, 500, 310}, 501, 301, true, 500, 300},
      {"neither near",
       {0, 0, 1, 1},
       {0, 0, 2, 2},
       kCxSnapSearches,
       kCySnapSearches,
       false,
       kCxSnapSearches,
       kCySnapSearches},
  };
  for (const Case& c : cases) {
    double x = c.cx, y = c.cy;
    const bool found = d.store.SnapPointWithLines(x, y, c.a[0], c.a[1], c.a[2], c.a[3], c.b[0], c.b[1], c.b[2], c.b[3],
                                                  {}, kSnapPointsOnly, 1.0);
    EXPECT_EQ(found, c.found) << c.name;
    EXPECT_NEAR(x, c.found ? c.x : c.cx, kTolSnapSearches) << c.name;
    EXPECT_NEAR(y, c.found ? c.y : c.cy, kTolSnapSearches) << c.name;
  }
}

TEST(SnapSearches, SnapPointWithCircles) {
  Drawing d;
  // Circles r 5 about (496, 300) and (504, 300) cross at (500, 303) and (500, 297).
  double x = 500, y = 302;
  EXPECT_TRUE(d.store.SnapPointWithCircles(x, y, 496, 300, 5, 504, 300, 5, {}, kSnapPointsOnly, 1.0));
  EXPECT_NEAR(x, 500, 1e-9);
  EXPECT_NEAR(y, 303, 1e-9);
  // At zoom 0.3 the aperture is 6.67: circle A is offered within 6.67 of the
  // cursor, circle B within 13.3. An outline 10 away: B gives its centre,
  // A is not offered.
  x = kCxSnapSearches, y = kCySnapSearches;
  EXPECT_FALSE(d.store.SnapPointWithCircles(x, y, 500, 240, 50, 0, 0, 1, {}, 0, 0.3));
  EXPECT_TRUE(d.store.SnapPointWithCircles(x, y, 0, 0, 1, 500, 240, 50, {}, 0, 0.3));
  EXPECT_DOUBLE_EQ(x, 500);
  EXPECT_DOUBLE_EQ(y, 240);
  // Texts offer their base ends only.
  Drawing t;
  t.store.TextStyles[0].Height = 500;
  t.Add(Text(t.store.ElementTexts, "abc", 480, 252, 540, 252));
  x = kCxSnapSearches, y = kCySnapSearches;
  EXPECT_FALSE(t.store.SnapPointWithCircles(x, y, 0, 0, 1, 0, 0, 1, {}, kSnapPointsOnly, 1.0));
  t.Add(Text(t.store.ElementTexts, "abc", 450, 298, 502, 298));
  EXPECT_TRUE(t.store.SnapPointWithCircles(x, y, 0, 0, 1, 0, 0, 1, {}, kSnapPointsOnly, 1.0));
  EXPECT_DOUBLE_EQ(x, 502);
}

TEST(SnapSearches, ReferenceSearches) {
  Drawing d;
  d.Add(Line(0, 301, 1000, 301));  // no end near: the foot (500, 301)
  bool isCentre = true;
  RDrawElement centre = ZeroElement();
  double x = kCxSnapSearches, y = kCySnapSearches;
  EXPECT_EQ(d.store.SnapPointRef(x, y, 0, 0, 1.0, 0, {}, 1, isCentre, centre), 2);
  EXPECT_FALSE(isCentre);
  EXPECT_DOUBLE_EQ(x, 500);
  EXPECT_DOUBLE_EQ(y, 301);

  // The same line as an extra segment is marked 60 and gives no fallback.
  Drawing empty;
  const std::vector<RDrawElement> extra = {Line(0, 301, 1000, 301)};
  x = kCxSnapSearches, y = kCySnapSearches;
  EXPECT_EQ(empty.store.SnapPointRef(x, y, 0, 0, 1.0, 0, extra, 1, isCentre, centre), 0);
  EXPECT_DOUBLE_EQ(y, kCySnapSearches);

  // Footmode 0: the reference line y = 0.6 x meets the line x = 502 at (502, 301.2).
  Drawing vertical;
  vertical.Add(Line(502, 0, 502, 800));
  x = kCxSnapSearches, y = kCySnapSearches;
  EXPECT_EQ(vertical.store.SnapPointRef(x, y, 0, 0, 1.0, 0, {}, 0, isCentre, centre), 2);
  EXPECT_NEAR(x, 502, kTolSnapSearches);
  EXPECT_NEAR(y, 301.2, kTolSnapSearches);

  Drawing circle;
  circle.Add(Arc(500, 290, 10));
  x = kCxSnapSearches, y = kCySnapSearches;
  EXPECT_EQ(circle.store.SnapPointRef(x, y, 0, 0, 1.0, 0, {}, 1, isCentre, centre), 1);
  EXPECT_TRUE(isCentre);
  EXPECT_DOUBLE_EQ(Value(centre.Radius), 10);
  EXPECT_DOUBLE_EQ(x, 500);
  EXPECT_DOUBLE_EQ(y, 290);

  // RefFrom searches around the cursor argument; (x, y) only ends the
  // reference line and receives the point.
  Drawing point;
  point.Add(Point(501, 301));
  x = 10, y = 10;
  EXPECT_EQ(point.store.SnapPointRefFrom(x, y, 0, 0, kCxSnapSearches, kCySnapSearches, 1.0, 0, {}, 1), 1);
  EXPECT_DOUBLE_EQ(x, 501);
  EXPECT_DOUBLE_EQ(y, 301);
  x = kCxSnapSearches, y = kCySnapSearches;
  EXPECT_EQ(point.store.SnapPointRefFrom(x, y, 0, 0, 10, 10, 1.0, 0, {}, 1), 0);
  EXPECT_DOUBLE_EQ(x, kCxSnapSearches);
}

TEST(SnapSearches, BothButtonsHeldAbortTheSearch) {
  FakeInputPolling fake;
  fake.Hold(PolledKey::LeftButton);
  fake.Hold(PolledKey::RightButton);
  ScopedInputPolling scope(fake);
  auto drawing = [](int fillers) {
    Drawing d;
    d.Add(Point(501, 301));
    for (int k = 0; k < fillers; ++k) d.Add(Line(10, 10 + k, 20, 10 + k));
    return d;
  };
  // 19 entries are never polled; the 20th entry is.
  EXPECT_TRUE(Snap(drawing(18).store, kCxSnapSearches, kCySnapSearches, 1.0).found);
  const Drawing many = drawing(19);
  double x = kCxSnapSearches, y = kCySnapSearches;
  EXPECT_FALSE(many.store.SnapPoint(x, y, 1.0, kSnapPointsOnly, {}));
  EXPECT_EQ(x, kCxSnapSearches);
  EXPECT_FALSE(many.store.SnapPointNoText(x, y, 1.0, kSnapPointsOnly, {}));
  bool isCentre = true;
  RDrawElement centre = ZeroElement();
  EXPECT_EQ(many.store.SnapPointRef(x, y, 0, 0, 1.0, 0, {}, 1, isCentre, centre), 0);
  EXPECT_FALSE(isCentre);
  EXPECT_EQ(many.store.SnapPointRefFrom(x, y, 0, 0, kCxSnapSearches, kCySnapSearches, 1.0, 0, {}, 1), 0);
  EXPECT_FALSE(many.store.SnapPointWithLines(x, y, 0, 0, 1, 1, 0, 0, 1, 1, {}, kSnapPointsOnly, 1.0));
  EXPECT_TRUE(many.store.SnapPointWithCircles(x, y, 0, 0, 1, 0, 0, 1, {}, kSnapPointsOnly, 1.0))
      << "the circle search never polls";

  // Extra segments are polled too, except by the line and circle searches.
  Drawing empty;
  std::vector<RDrawElement> extra(25, Line(10, 10, 20, 20));
  extra.front() = Line(501, 301, 600, 400);
  x = kCxSnapSearches, y = kCySnapSearches;
  EXPECT_FALSE(empty.store.SnapPoint(x, y, 1.0, kSnapPointsOnly, extra));
  EXPECT_TRUE(empty.store.SnapPointWithLines(x, y, 0, 0, 1, 1, 0, 0, 1, 1, extra, kSnapPointsOnly, 1.0));
}

// The index only saves work: on random drawings every search gives the
// same answer with it as with a walk of the whole display list.
class RandomDrawing {
 public:
  explicit RandomDrawing(unsigned seed) : random_(seed) {
    store.SetPaperSize(200, 150);
    for (std::size_t s = 0; s < store.TextStyles.size(); ++s) {
      store.TextStyles[s].Height = static_cast<std::uint16_t>(10 * s + 5);
    }
    for (int g = 0; g < 2; ++g) {
      for (int l = 0; l < 4; ++l) store.LayerStates[g * kLayersPerGroup + l] = static_cast<std::uint8_t>(Int(0, 2));
    }
  }

  RDrawElement RandomElement() {
    const double x = Real(-20, 220), y = Real(-20, 170);
    RDrawElement e;
    switch (Int(0, 9)) {
      case 0:
      case 1:
      case 2:
      case 3: e = Line(x, y, x + Real(-30, 30), y + Real(-30, 30)); break;
      case 4:
        e = Arc(x, y, Real(0.1, 25), static_cast<float>(Real(0, 360)), static_cast<float>(Real(0, 360)),
                Int(0, 1) ? 1.0f : static_cast<float>(Real(0.2, 2)), static_cast<float>(Real(0, 90)));
        break;
      case 5:
        e = Arc(x, y, Real(0.1, 25));  // a whole circle
        break;
      case 6:
      case 7: e = Point(x, y); break;
      case 8:
        e = Text(store.ElementTexts, "t", x, y, x + Real(-15, 15), y + Real(-15, 15));
        e.TextStyle = static_cast<std::uint8_t>(Int(0, 13));
        break;
      default:
        e = Line(x, y, x + Real(-300, 300), y + Real(-3, 3));  // long ones cross many cells
        break;
    }
    e.Group = static_cast<std::uint8_t>(Int(0, 1));
    e.Layer = static_cast<std::uint8_t>(Int(0, 3));
    return e;
  }

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random_); }

  Tdrawinp store;

 private:
  std::mt19937 random_;
};

struct Answer {
  int result;
  double x, y;
  bool isCentre;
  RDrawElement centre;
  bool operator==(const Answer& o) const {
    return result == o.result && x == o.x && y == o.y && isCentre == o.isCentre &&
           std::memcmp(&centre, &o.centre, sizeof centre) == 0;
  }
};

std::vector<Answer> AllSearches(const Tdrawinp& store, double cx, double cy, double zoom) {
  std::vector<Answer> out;
  auto record = [&](int result, double x, double y, bool isCentre = false, RDrawElement centre = ZeroElement()) {
    out.push_back({result, x, y, isCentre, centre});
  };
  const std::vector<RDrawElement> extra = {Line(cx - 1, cy - 1, cx + 1, cy + 2)};
  for (std::uint8_t mode : {std::uint8_t{0}, kSnapPointsOnly}) {
    double x = cx, y = cy;
    record(store.SnapPoint(x, y, zoom, mode, {}), x, y);
    x = cx, y = cy;
    record(store.SnapPointNoText(x, y, zoom, mode, extra), x, y);
    x = cx, y = cy;
    bool isCentre = false;
    RDrawElement centre = ZeroElement();
    const int ref = store.SnapPointRef(x, y, cx - 30, cy - 20, zoom, mode, {}, 1, isCentre, centre);
    record(ref, x, y, isCentre, centre);
    x = cx + 5, y = cy + 5;
    record(store.SnapPointRefFrom(x, y, cx - 30, cy + 20, cx, cy, zoom, mode, {}, 0), x, y);
    x = cx, y = cy;
    record(store.SnapPointWithLines(x, y, cx - 9, cy, cx + 9, cy + 1, 0, 0, 1, 1, {}, mode, zoom), x, y);
    x = cx, y = cy;
    record(store.SnapPointWithCircles(x, y, cx + 3, cy, 3, cx, cy + 50, 5, {}, mode, zoom), x, y);
  }
  return out;
}

void ExpectSameAnswers(Tdrawinp& store, RandomDrawing& r, int probes) {
  for (int k = 0; k < probes; ++k) {
    const double zoom = std::array<double, 5>{0.15, 0.3, 0.5, 1.0, 4.0}[static_cast<std::size_t>(r.Int(0, 4))];
    const double cx = r.Real(-10, 210), cy = r.Real(-10, 160);
    store.UseElementIndex = true;
    const std::vector<Answer> indexed = AllSearches(store, cx, cy, zoom);
    store.UseElementIndex = false;
    const std::vector<Answer> walked = AllSearches(store, cx, cy, zoom);
    store.UseElementIndex = true;
    ASSERT_EQ(indexed.size(), walked.size());
    for (std::size_t i = 0; i < indexed.size(); ++i) {
      ASSERT_TRUE(indexed[i] == walked[i]) << "search " << i << " at (" << cx << ", " << cy << ") zoom " << zoom;
    }
  }
}

// One case per seed: each drawing is independent of the others, and three
// cases spread over the shards of the program.
class SnapSearchesSeeded : public ::testing::TestWithParam<unsigned> {};

TEST_P(SnapSearchesSeeded, TheIndexNeverChangesAnAnswer) {
  const unsigned seed = GetParam();
  SCOPED_TRACE(seed);
  RandomDrawing r(seed);
  Tdrawinp& store = r.store;
  for (int k = 0; k < 1000; ++k) store.AddElement(r.RandomElement());
  store.BuildDisplayLists(-30, -30, 230, 180, 0.3);
  ExpectSameAnswers(store, r, 30);

  // Elements added after the build, deleted ones, a zoom in, a pan.
  for (int k = 0; k < 300; ++k) store.AddElementChecked(r.RandomElement());
  for (int k = 0; k < 40; ++k) store.DeleteElement(r.Int(0, static_cast<int>(store.Elements.size()) - 1));
  ExpectSameAnswers(store, r, 20);
  store.BuildDisplayLists(-30, -30, 230, 180, 1.0);
  store.RefilterDisplayLists(40, 30, 160, 120, 2.0);
  ExpectSameAnswers(store, r, 20);

  // Elements moved in place, then the lists built again as after any change.
  for (int k = 0; k < 50; ++k) {
    RDrawElement& e = store.Elements[static_cast<std::size_t>(r.Int(0, static_cast<int>(store.Elements.size()) - 1))];
    e.X1 = r.Real(-20, 220);
    e.Y1 = r.Real(-20, 170);
  }
  store.BuildDisplayLists(-30, -30, 230, 180, 0.5);
  ExpectSameAnswers(store, r, 20);

  // A taller text style than the index was built for, and elements that
  // are not numbers.
  store.TextStyles[3].Height = 900;
  RDrawElement broken = r.RandomElement();
  broken.X1 = std::nan("");
  store.AddElement(broken);
  store.AddElement(Arc(100, 75, std::numeric_limits<double>::infinity()));
  ExpectSameAnswers(store, r, 20);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SnapSearchesSeeded, ::testing::Values(1u, 2u, 3u));

// With both buttons held the indexed search stops where the whole walk would:
// at the 20th entry, however far the nearest entry is from it.
TEST(SnapSearches, TheIndexedSearchPollsWhereTheWalkWould) {
  FakeInputPolling fake;
  fake.Hold(PolledKey::LeftButton);
  fake.Hold(PolledKey::RightButton);
  ScopedInputPolling scope(fake);
  for (int fillers : {18, 19, 40}) {
    Drawing d;
    for (int k = 0; k < fillers; ++k) d.Add(Line(10, 10 + k, 20, 10 + k));
    d.Add(Point(501, 301));  // the last entry, the only one near
    const bool found = Snap(d.store, kCxSnapSearches, kCySnapSearches, 1.0).found;
    EXPECT_EQ(found, fillers + 1 < 20) << fillers;
  }
}

}  // namespace
