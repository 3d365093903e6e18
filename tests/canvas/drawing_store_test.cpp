#include "canvas/drawing_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "support/element_factory.h"

namespace {

std::vector<std::int32_t> Indices(const std::vector<RDisplayEntry>& list) {
  std::vector<std::int32_t> out;
  for (const RDisplayEntry& e : list) out.push_back(e.Index);
  return out;
}

TEST(DrawingStore, AddElementStoresListsAndLogs) {
  Tdrawinp store;
  store.ClearUndoLog();
  store.AddElement(Line(0, 0, 10, 0, 3, 4));
  RDrawElement text = Text(store.ElementTexts, "abc", 1, 1, 5, 1);
  text.Group = 3;
  text.Layer = 4;
  store.AddElement(text);

  ASSERT_EQ(store.Elements.size(), 2u);
  EXPECT_EQ(store.Elements[0].UndoMark, kUndoAdded);
  EXPECT_EQ(Indices(store.DisplayList), (std::vector<std::int32_t>{0, 1}));
  ASSERT_EQ(store.UndoLog.size(), 2u);
  EXPECT_EQ(store.UndoLog[1].UndoMark, kUndoAdded);
  EXPECT_EQ(store.UndoTexts.at(store.UndoLog[1].TextIndex), "abc");
  EXPECT_EQ(store.Counts[3][4].Graphic, 1);
  EXPECT_EQ(store.Counts[3][4].Text, 1);
}

TEST(DrawingStore, AddElementCheckedDropsDegenerateLinesAndListsTheRest) {
  Tdrawinp store;
  store.AddElementChecked(Line(0, 0, 0.000009, 0));
  store.AddElementChecked(Line(-2e30, 0, 5, 0));
  store.AddElementChecked(Line(0, 0, 5, 4e37));
  EXPECT_TRUE(store.Elements.empty());
  EXPECT_TRUE(store.UndoLog.empty());

  RDrawElement keep = Line(0, 0, 0.00001, 0);
  keep.UndoMark = 0;
  store.AddElementChecked(keep);
  ASSERT_EQ(store.Elements.size(), 1u);
  EXPECT_EQ(store.Elements[0].UndoMark, 0) << "the stored record keeps the mark it came with";
  EXPECT_EQ(store.UndoLog.at(0).UndoMark, kUndoAdded);
  // Listed at once, so a zoom that only refilters the lists still shows it.
  ASSERT_EQ(store.DisplayList.size(), 1u);
  EXPECT_EQ(store.DisplayList[0].Index, 0);
}

TEST(DrawingStore, DeletingATextKeepsEveryTextIndexRight) {
  Tdrawinp store;
  for (int i = 0; i < 6; ++i) {
    store.AddElement(Text(store.ElementTexts, "t" + std::to_string(i), i, 0, i + 1, 0));
    store.AddElement(Line(i, 1, i + 1, 1));
  }
  store.ClearUndoLog();
  const std::int32_t position = 6;  // the text whose TextIndex is 3
  ASSERT_EQ(Value(store.Elements[position].TextIndex), 3);
  store.ShiftTextIndices(3, position);
  store.DeleteElement(position);

  EXPECT_EQ(store.ElementTexts, (Tdrawinp::TextList{"t0", "t1", "t2", "t4", "t5"}));
  std::vector<std::string> shown;
  for (const RDrawElement& e : store.Elements) {
    if (e.Kind == kKindText) shown.push_back(store.ElementTexts.at(e.TextIndex));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"t0", "t1", "t2", "t4", "t5"}));
  ASSERT_EQ(store.UndoLog.size(), 1u);
  EXPECT_EQ(store.UndoLog.back().UndoMark, kUndoDeleted);
  EXPECT_EQ(store.UndoTexts.at(store.UndoLog.back().TextIndex), "t3");
  EXPECT_EQ(store.Counts[0][0].Text, 5);
}

TEST(DrawingStore, DisplayEntriesFollowADeletion) {
  Tdrawinp store;
  store.AddElement(Line(0, 0, 10, 0));
  store.AddElement(Line(0, 5, 10, 5));
  store.AddElement(Line(0, 9, 10, 9));
  store.DeleteElement(1);
  ASSERT_EQ(store.DisplayList.size(), 2u);
  for (const RDisplayEntry& entry : store.DisplayList) ASSERT_NE(store.EntryElement(entry), nullptr);
  EXPECT_EQ(Value(store.EntryElement(store.DisplayList[0])->Y1), 0);
  EXPECT_EQ(Value(store.EntryElement(store.DisplayList[1])->Y1), 9);
  EXPECT_EQ(store.EntryElement(RDisplayEntry{7}), nullptr);
}

// Window (0, 0)-(100, 100); where an element lands at a zoom.
struct ListingCase {
  const char* name;
  RDrawElement element;
  double zoom;
  enum { None, Small, Listed } expected;
};

TEST(DrawingStore, DisplayListThresholds) {
  RDrawElement curveChord = Line(50, 50, 50.1, 50);
  curveChord.LineTag = kLineTagCurveFirst;
  Tdrawinp::TextList texts;
  const RDrawElement text = Text(texts, "x", 10, 10, 20, 10);
  // A text is listed down to 0.3 × zoom below the window (its frame's depth).
  const RDrawElement textJustBelow = Text(texts, "x", 10, -0.2, 20, -0.2);
  const RDrawElement textFarBelow = Text(texts, "x", 10, -0.4, 20, -0.4);
  auto rect = [](double x1, double y1, double x2, double y2) {
    RDrawElement e = Line(x1, y1, x2, y2);
    e.Kind = kKindRect;
    return e;
  };
  const ListingCase cases[] = {
      // The window is (0, 0) to (100, 100).
      {"line through the window, both ends outside", Line(-10, 50, 110, 50), 1.0, ListingCase::Listed},
      {"rectangle with a corner inside", rect(90, 90, 120, 120), 1.0, ListingCase::Listed},
      {"rectangle 1 by 1 at zoom 0.4 (0.4 each way)", rect(10, 10, 11, 11), 0.4, ListingCase::Small},
      {"rectangle 1 by 3 at zoom 0.4 (0.4 by 1.2)", rect(10, 10, 11, 13), 0.4, ListingCase::Listed},
      {"rectangle across the window, no corner inside", rect(-10, 40, 110, 60), 1.0, ListingCase::Listed},
      {"rectangle around the whole window", rect(-10, -10, 110, 110), 1.0, ListingCase::None},
      {"circle with an axis end inside", Arc(-3, 50, 5), 1.0, ListingCase::Listed},
      // r 65 about the centre: the axis ends lie outside, (96, 96) inside.
      {"circle crossing only by its diagonals", Arc(50, 50, 65), 1.0, ListingCase::Listed},
      {"circle around the whole window", Arc(50, 50, 200), 1.0, ListingCase::None},
      {"text 0.2 below the window at zoom 1", textJustBelow, 1.0, ListingCase::Listed},
      {"text 0.4 below the window at zoom 1", textFarBelow, 1.0, ListingCase::None},
      {"line 1.0 at zoom 0.4 (size 0.4)", Line(10, 10, 11, 10), 0.4, ListingCase::Small},
      {"line 1.0 at zoom 0.5 (size 0.5)", Line(10, 10, 11, 10), 0.5, ListingCase::Listed},
      {"line 1.0 at zoom 0.2 (size 0.2)", Line(10, 10, 11, 10), 0.2, ListingCase::Small},
      {"line 2.0 at zoom 0.4 (size 0.8)", Line(10, 10, 12, 10), 0.4, ListingCase::Small},
      {"line 2.1 at zoom 0.4 (size 0.84)", Line(10, 10, 12.1, 10), 0.4, ListingCase::Listed},
      // Just past and just short of the limit 0.8, and slanted: 0.75 by 1 is 1.25 long.
      {"line 2.0000001 at zoom 0.4", Line(10, 10, 12.0000001, 10), 0.4, ListingCase::Listed},
      {"line 1.9999999 at zoom 0.4", Line(10, 10, 11.9999999, 10), 0.4, ListingCase::Small},
      {"line 1.25 slanted at zoom 0.4 (size 0.5)", Line(10, 10, 10.75, 11), 0.4, ListingCase::Small},
      {"line 1.25 slanted at zoom 0.5 (size 0.625)", Line(10, 10, 10.75, 11), 0.5, ListingCase::Listed},
      {"line 0.1 at zoom 2.0 (size 0.2)", Line(10, 10, 10.1, 10), 2.0, ListingCase::Small},
      {"line 0.1 at zoom 2.5", Line(10, 10, 10.1, 10), 2.5, ListingCase::Listed},
      {"curve chord 0.1 at zoom 0.4", curveChord, 0.4, ListingCase::Listed},
      {"line outside the window", Line(200, 200, 300, 300), 1.0, ListingCase::None},
      {"circle r 0.25 at zoom 0.7", Arc(50, 50, 0.25), 0.7, ListingCase::Small},
      {"circle r 0.25 at zoom 0.76", Arc(50, 50, 0.25), 0.76, ListingCase::Listed},
      {"point at zoom 0.19", Point(50, 50), 0.19, ListingCase::Small},
      {"point at zoom 0.2", Point(50, 50), 0.2, ListingCase::Listed},
      {"point on the window edge", Point(0, 50), 1.0, ListingCase::None},
      {"text at zoom 70", text, 70.0, ListingCase::Listed},
      {"text at zoom 70.01", text, 70.01, ListingCase::None},
  };
  for (const ListingCase& c : cases) {
    SCOPED_TRACE(c.name);
    Tdrawinp store;
    store.ElementTexts = texts;
    store.AddElement(c.element);
    store.BuildDisplayLists(0, 0, 100, 100, c.zoom);
    EXPECT_EQ(store.DisplayList.size(), c.expected == ListingCase::Listed ? 1u : 0u);
    EXPECT_EQ(store.SmallList.size(), c.expected == ListingCase::Small ? 1u : 0u);
  }
}

// The small-line rule itself, at each of its edges: the limit of each zoom
// band (length times zoom equal to it, a hair above, a hair below), the
// band edges 0.5, 1.5 and 2.5, and a chord of a curve. Lengths chosen so
// that length times zoom is exact in binary where the case sits on a limit.
TEST(DrawingStore, LineIsSmallAtTheEdgesOfItsLimits) {
  struct Case {
    double length, zoom;
    bool curve, small;
  } cases[] = {
      {3.2, 0.25, false, true},                                     // 0.8: on the limit of the band below 0.5
      {3.2000001, 0.25, false, false},                              // 0.80000003
      {3.1999999, 0.25, false, true},  {1.6, 0.4999, false, true},  // 0.79984, still the 0.8 band
      {1.6, 0.5, false, false},                                     // 0.8 in the 0.4 band
      {0.8, 0.5, false, true},                                      // 0.4: on the limit
      {0.8000001, 0.5, false, false},  {0.7999999, 0.5, false, true},
      {0.2, 1.4999, false, true},  // 0.29998, still the 0.4 band
      {0.2, 1.5, false, false},    // 0.3 in the 0.2 band
      {0.1, 2.0, false, true},     // 0.2: on the limit
      {0.1000001, 2.0, false, false},  {0.0999999, 2.0, false, true},
      {0.08, 2.4999, false, true},  // 0.199992, still the 0.2 band
      {0.01, 2.5, false, false},    // no band from 2.5 on
      {0.1, 1.0, true, false},      // a curve's chord is never small
      {0.0, 1.0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "length " << c.length << " zoom " << c.zoom << (c.curve ? " curve" : ""));
    // Along an axis, where the length is exact; slanted in a 3-4-5
    // direction too, where the case is not on a limit (the slanted ends
    // are not exact).
    std::vector<RDrawElement> lines = {Line(0, 7, c.length, 7)};
    const double size = c.length * c.zoom;
    if (size != 0.8 && size != 0.4 && size != 0.2) lines.push_back(Line(1, 2, 1 + 0.6 * c.length, 2 + 0.8 * c.length));
    for (RDrawElement e : lines) {
      if (c.curve) e.LineTag = kLineTagCurveFirst;
      EXPECT_EQ(LineIsSmall(e, c.zoom), c.small) << e.X2 << ", " << e.Y2;
    }
  }
}

// Layers 0 to 16 are counted (the 17th pair exists, though no layer of the
// drawing uses it); 17 and above, and groups from 16 on, are not.
TEST(DrawingStore, CountsTakeLayersUpToSixteen) {
  struct Case {
    std::uint8_t group, layer;
    bool counted;
  } cases[] = {{0, 15, true}, {0, 16, true}, {0, 17, false}, {15, 16, true}, {16, 0, false}, {2, 255, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "group " << int(c.group) << " layer " << int(c.layer));
    Tdrawinp store;
    store.AddElement(Line(0, 0, 10, 0, c.group, c.layer));
    RDrawElement text = Text(store.ElementTexts, "a", 0, 5, 5, 5);
    text.Group = c.group;
    text.Layer = c.layer;
    store.AddElement(text);
    int graphics = 0, textCount = 0;
    for (const auto& group : store.Counts) {
      for (const Tdrawinp::CountPair& pair : group) {
        graphics += pair.Graphic;
        textCount += pair.Text;
      }
    }
    EXPECT_EQ(graphics, c.counted ? 1 : 0);
    EXPECT_EQ(textCount, c.counted ? 1 : 0);
    if (c.counted) {
      EXPECT_EQ(store.Counts[c.group][c.layer].Graphic, 1);
      EXPECT_EQ(store.Counts[c.group][c.layer].Text, 1);
      // Deleting both takes the counts back to 0 on the same pair.
      store.DeleteElement(1);
      store.DeleteElement(0);
      EXPECT_EQ(store.Counts[c.group][c.layer].Graphic, 0);
      EXPECT_EQ(store.Counts[c.group][c.layer].Text, 0);
    }
  }
}

TEST(DrawingStore, ReferenceLayersAreListedFirstAndHiddenOnesNotAtAll) {
  Tdrawinp store;
  store.AddElement(Line(0, 10, 50, 10, 0, 1));  // editable
  store.AddElement(Line(0, 20, 50, 20, 0, 2));  // reference
  store.AddElement(Point(30, 30));              // editable point
  RDrawElement refPoint = Point(40, 40);
  refPoint.Layer = 2;
  store.AddElement(refPoint);                   // a point goes to the main part even on a reference layer
  store.AddElement(Line(0, 60, 50, 60, 0, 3));  // hidden
  store.LayerStates[2] = kLayerReference;
  store.LayerStates[3] = kLayerHidden;
  EXPECT_EQ(store.DisplayList.size(), 5u) << "adding lists whatever the layer state";

  store.BuildDisplayLists(0, 0, 100, 100, 1.0);
  EXPECT_EQ(Indices(store.DisplayList), (std::vector<std::int32_t>{1, 0, 2, 3}));

  // Refiltering looks only at what is listed, for a smaller window.
  store.RefilterDisplayLists(0, 0, 35, 35, 2.0);
  EXPECT_EQ(Indices(store.DisplayList), (std::vector<std::int32_t>{1, 0, 2}));
}

TEST(DrawingStore, LayerOutsideTheTableIsHidden) {
  Tdrawinp store;
  store.AddElement(Line(0, 10, 50, 10, 17, 200));
  store.BuildDisplayLists(0, 0, 100, 100, 1.0);
  EXPECT_TRUE(store.DisplayList.empty());
  EXPECT_EQ(store.LayerState(17, 200), kLayerHidden);
}

TEST(DrawingStore, ScaleGroupMultipliesOneGroupAndItsBufferElements) {
  Tdrawinp store;
  store.AddElement(Line(1, 2, 3, 4, 2));
  store.AddElement(Line(1, 2, 3, 4, 1));
  RDrawElement arc = Arc(5, 6, 7);
  arc.Group = 2;
  store.AddElement(arc);
  store.FillVertices.push_back({1.5, 2.5, 0, 2, 0});
  store.Buffer.push_back(Line(1, 1, 2, 2, 2));
  store.Buffer.push_back(Line(1, 1, 2, 2, 5));
  RDrawElement none = Line(1, 1, 2, 2, 2);
  none.Kind = kKindNone;
  store.Buffer.push_back(none);

  store.ScaleGroup(2, 0, 2.0);
  EXPECT_EQ(Value(store.Elements[0].X2), 6);
  EXPECT_EQ(Value(store.Elements[0].Y2), 8);
  EXPECT_EQ(Value(store.Elements[1].X2), 3) << "another group stays";
  EXPECT_EQ(Value(store.Elements[2].X1), 10);
  EXPECT_EQ(Value(store.Elements[2].Radius), 14);
  EXPECT_EQ(store.FillVertices[0].X, 3);
  EXPECT_EQ(Value(store.Buffer[0].X2), 4);
  EXPECT_EQ(Value(store.Buffer[1].X2), 2);
  EXPECT_EQ(Value(store.Buffer[2].X2), 2) << "no element is never scaled";

  store.ScaleGroup(2, 1, 2.0);
  EXPECT_EQ(Value(store.Buffer[1].X2), 4) << "the whole buffer";
}

TEST(DrawingStore, ClearAllKeepsLayerStatesAndStyles) {
  Tdrawinp store;
  store.LayerStates[5] = kLayerReference;
  store.TextStyles[3].Width = 30;
  store.AddElement(Text(store.ElementTexts, "a", 0, 0, 1, 0));
  store.Buffer.push_back(Line(0, 0, 1, 1));
  store.ClearAll();
  EXPECT_TRUE(store.Elements.empty());
  EXPECT_TRUE(store.ElementTexts.empty());
  EXPECT_TRUE(store.UndoTexts.empty());
  EXPECT_TRUE(store.Buffer.empty());
  EXPECT_TRUE(store.DisplayList.empty());
  EXPECT_EQ(store.Counts[0][0].Text, 0);
  EXPECT_EQ(store.LayerStates[5], kLayerReference);
  EXPECT_EQ(Value(store.TextStyles[3].Width), 30);
}

TEST(DrawingStore, CountsNeverGoBelowZero) {
  Tdrawinp store;
  store.DecCount(1, 1, 1);
  store.DecCount(1, 1, 2);
  store.IncCount(1, 1, 3);
  store.IncCount(99, 1, 1);
  EXPECT_EQ(store.Counts[1][1].Graphic, 0);
  EXPECT_EQ(store.Counts[1][1].Text, 0);
}

TEST(DrawingStore, AFullTextListRefusesWithAMessage) {
  ScriptedDialogs dialogs;
  const ScopedDialogs scoped(dialogs);
  Tdrawinp store;
  store.ElementTexts.assign(kMaxTextsPerList, "x");
  EXPECT_EQ(store.AppendText(store.ElementTexts, "one more"), -1);
  EXPECT_EQ(store.ElementTexts.size(), kMaxTextsPerList);
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

// A build is skipped only when nothing it reads changed since the last one.
TEST(DrawingStore, AnUnchangedBuildIsSkipped) {
  Tdrawinp store;
  store.AddElement(Line(10, 10, 20, 10, 0, 1));
  store.AddElement(Line(10, 20, 20, 20, 0, 2));
  store.BuildDisplayLists(0, 0, 100, 100, 1.0);
  ASSERT_EQ(Indices(store.DisplayList), (std::vector<std::int32_t>{0, 1}));

  // Moved in place without telling the store: the same build keeps the lists.
  store.Elements[0].X1 = 500;
  store.Elements[0].X2 = 510;
  store.BuildDisplayLists(0, 0, 100, 100, 1.0);
  EXPECT_EQ(Indices(store.DisplayList), (std::vector<std::int32_t>{0, 1}));
  store.ElementsChanged();
  store.BuildDisplayLists(0, 0, 100, 100, 1.0);
  EXPECT_EQ(Indices(store.DisplayList), (std::vector<std::int32_t>{1}));
  store.Elements[0].X1 = 10;
  store.Elements[0].X2 = 20;
  store.ElementsChanged();

  struct Change {
    const char* name;
    void (*apply)(Tdrawinp&);
    std::vector<std::int32_t> listed;
  } const changes[] = {
      {"layer state", [](Tdrawinp& s) { s.LayerStates[2] = kLayerReference; }, {1, 0}},
      {"add", [](Tdrawinp& s) { s.AddElementChecked(Line(10, 30, 20, 30, 0, 2)); }, {1, 2, 0}},
      {"delete", [](Tdrawinp& s) { s.DeleteElement(0); }, {0, 1}},
      {"group rescale", [](Tdrawinp& s) { s.ScaleGroup(0, 0, 100.0); }, {}},
      {"clear", [](Tdrawinp& s) { s.ClearAll(); }, {}},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.name);
    store.BuildDisplayLists(0, 0, 100, 100, 1.0);
    c.apply(store);
    store.BuildDisplayLists(0, 0, 100, 100, 1.0);
    EXPECT_EQ(Indices(store.DisplayList), c.listed);
  }
  // Lists changed from outside are built again as well.
  store.AddElement(Point(50, 50));
  store.BuildDisplayLists(0, 0, 100, 100, 1.0);
  store.DisplayList.clear();
  store.BuildDisplayLists(0, 0, 100, 100, 1.0);
  EXPECT_EQ(Indices(store.DisplayList), (std::vector<std::int32_t>{0}));
  // And so is any other window or zoom.
  store.BuildDisplayLists(60, 0, 100, 100, 1.0);
  EXPECT_TRUE(store.DisplayList.empty());
}

TEST(DrawingStore, TheUndoLogGivesItsMemoryBackAfterALargeStep) {
  Tdrawinp store;
  store.ClearUndoLog();
  // Beyond 65,536 records the room is given back; up to it a run of large
  // steps reuses it.
  for (int i = 0; i < 70000; ++i) store.AddElement(Point(i, 0));
  ASSERT_GE(store.UndoLog.capacity(), 70000u);
  store.ClearUndoLog();
  EXPECT_TRUE(store.UndoLog.empty());
  EXPECT_EQ(store.UndoLog.capacity(), 0u);
  // A step of 20,000 keeps its room for the next one.
  for (int i = 0; i < 20000; ++i) store.AddElement(Point(i, 0));
  const std::size_t small = store.UndoLog.capacity();
  store.ClearUndoLog();
  EXPECT_EQ(store.UndoLog.capacity(), small);
}

}  // namespace

namespace {

// Deleting many elements at once gives exactly what deleting them one by
// one gives: the drawing, its texts, the display lists and the undo log.
TEST(DrawingStore, DeletingManyAtOnceEqualsDeletingOneByOne) {
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int round = 0; round < 20; ++round) {
    Tdrawinp one, many;
    for (int i = 0; i < 200; ++i) {
      RDrawElement e = next() % 5 == 0 ? Text(one.ElementTexts, "t" + std::to_string(i), i, 0, i + 1, 0)
                                       : Line(i, 0, i + 1, next() % 7, 0, static_cast<std::uint8_t>(i % 16));
      if (e.Kind == kKindText) many.ElementTexts.push_back(one.ElementTexts.back());
      one.AddElement(e);
      many.AddElement(e);
    }
    one.BuildDisplayLists(0, -1, 120, 10, 1);
    many.BuildDisplayLists(0, -1, 120, 10, 1);
    one.ClearUndoLog();
    many.ClearUndoLog();
    // Counts lower than the deletions on their layer stop at 0 on the way.
    for (Tdrawinp* s : {&one, &many}) {
      s->Counts[0][3].Graphic = 1;
      s->Counts[0][0].Text = 2;
    }
    // Every other element on average in even rounds, one in twenty in odd
    // ones (long runs of kept elements between).
    const std::uint32_t oneIn = round % 2 == 0 ? 2 : 20;
    std::vector<std::int32_t> doomed;
    for (std::int32_t i = 199; i >= 0; --i) {
      if (next() % oneIn == 0) doomed.push_back(i);
    }
    for (std::int32_t i : doomed) one.DeleteElement(i);
    // A repeated position, one out of order and one out of range are passed over.
    std::vector<std::int32_t> given = doomed;
    if (!given.empty()) given.push_back(given.back());
    given.push_back(150);
    given.push_back(-1);
    many.DeleteElementsDescending(given);
    ASSERT_EQ(one.Elements.size(), many.Elements.size());
    EXPECT_EQ(0, std::memcmp(one.Elements.data(), many.Elements.data(), one.Elements.size() * sizeof(RDrawElement)));
    ASSERT_EQ(one.UndoLog.size(), many.UndoLog.size());
    EXPECT_EQ(0, std::memcmp(one.UndoLog.data(), many.UndoLog.data(), one.UndoLog.size() * sizeof(RDrawElement)));
    EXPECT_EQ(one.ElementTexts, many.ElementTexts);
    EXPECT_EQ(one.UndoTexts, many.UndoTexts);
    ASSERT_EQ(one.DisplayList.size(), many.DisplayList.size());
    for (std::size_t i = 0; i < one.DisplayList.size(); ++i)
      EXPECT_EQ(one.DisplayList[i].Index, many.DisplayList[i].Index);
    ASSERT_EQ(one.SmallList.size(), many.SmallList.size());
    for (std::size_t layer = 0; layer < one.Counts[0].size(); ++layer) {
      EXPECT_EQ(one.Counts[0][layer].Graphic, many.Counts[0][layer].Graphic);
      EXPECT_EQ(one.Counts[0][layer].Text, many.Counts[0][layer].Text);
    }
  }
}

}  // namespace

namespace {

bool SameRecords(const std::vector<RDrawElement>& a, const std::vector<RDrawElement>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

// Whatever strings the texts name (in order, against it, one string named
// twice, one past the list) and whatever order the display list has, the
// deletion at once leaves what one deletion after the other leaves.
TEST(DrawingStore, DeletingManyAtOnceEqualsOneByOneWhateverTheTextsName) {
  struct Case {
    const char* name;
    // The string each of the four texts names, the list holding s0..s3.
    std::array<std::uint16_t, 4> strings;
    bool reversedList;
  };
  const Case cases[] = {
      {"strings in order", {0, 1, 2, 3}, false},       {"strings against the order", {3, 2, 1, 0}, false},
      {"one string named twice", {0, 2, 2, 3}, false}, {"a string past the list", {0, 1, 9, 3}, false},
      {"display list descending", {0, 1, 2, 3}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tdrawinp one, many, each;
    for (Tdrawinp* s : {&one, &many, &each}) {
      s->ElementTexts = {"s0", "s1", "s2", "s3"};
      // Elements 0..9: lines, with texts at 1, 4, 6 and 8.
      int text = 0;
      for (int i = 0; i < 10; ++i) {
        RDrawElement e = Line(i, 0, i + 1, 0, 0, static_cast<std::uint8_t>(i % 3));
        if (i == 1 || i == 4 || i == 6 || i == 8) {
          e = ZeroElement();
          e.Kind = kKindText;
          e.X1 = i;
          e.X2 = i + 1;
          e.TextIndex = c.strings[static_cast<std::size_t>(text++)];
        }
        s->Elements.push_back(e);
        s->DisplayList.push_back({i});
      }
      if (c.reversedList) std::reverse(s->DisplayList.begin(), s->DisplayList.end());
      // Counts above what the layers hold, so that each drop shows.
      for (std::size_t layer = 0; layer < 3; ++layer) s->Counts[0][layer] = {10, 10};
      s->ElementsChanged();
    }
    // Texts 8, 6 and 1 go with lines 9, 3 and 2.
    const std::vector<std::int32_t> doomed{9, 8, 6, 3, 2, 1};
    for (const std::int32_t i : doomed) one.DeleteElement(i);
    many.DeleteElementsDescending(doomed);
    // The same through the pass's own loop, each record seen once as taken.
    int firsts = 0;
    std::vector<double> fixed;
    {
      TDeletionPass pass(each);
      pass.TakeEach([&](const RDrawElement&,
                        std::int32_t i) { return std::find(doomed.begin(), doomed.end(), i) != doomed.end(); },
                    [&](RDrawElement& record) {
                      EXPECT_EQ(kUndoDeleted, +record.UndoMark);
                      fixed.push_back(+record.X1);
                    },
                    [&] { ++firsts; });
    }
    EXPECT_EQ(1, firsts);
    EXPECT_EQ((std::vector<double>{9, 8, 6, 3, 2, 1}), fixed);
    for (const Tdrawinp* s : {&many, &each}) {
      EXPECT_TRUE(SameRecords(one.Elements, s->Elements));
      EXPECT_TRUE(SameRecords(one.UndoLog, s->UndoLog));
      EXPECT_EQ(one.ElementTexts, s->ElementTexts);
      EXPECT_EQ(one.UndoTexts, s->UndoTexts);
      EXPECT_EQ(Indices(one.DisplayList), Indices(s->DisplayList));
      for (std::size_t layer = 0; layer < 3; ++layer) {
        EXPECT_EQ(one.Counts[0][layer].Graphic, s->Counts[0][layer].Graphic);
        EXPECT_EQ(one.Counts[0][layer].Text, s->Counts[0][layer].Text);
      }
    }
  }
  // By hand, strings in order: s3, s2 and s0 leave in the log's order
  // (texts 8, 6, 1); s1 stays, and text 4 is now element 1.
  Tdrawinp store;
  store.ElementTexts = {"s0", "s1", "s2", "s3"};
  for (int i = 0; i < 10; ++i) {
    RDrawElement e = Line(i, 0, i + 1, 0);
    if (i == 1 || i == 4 || i == 6 || i == 8) {
      e.Kind = kKindText;
      e.TextIndex = static_cast<std::uint16_t>(i == 1 ? 0 : i == 4 ? 1 : i == 6 ? 2 : 3);
    }
    store.Elements.push_back(e);
  }
  store.DeleteElementsDescending(std::vector<std::int32_t>{9, 8, 6, 3, 2, 1});
  EXPECT_EQ((std::vector<std::string>{"s1"}), store.ElementTexts);
  EXPECT_EQ((std::vector<std::string>{"s3", "s2", "s0"}), store.UndoTexts);
  ASSERT_EQ(4u, store.Elements.size());
  EXPECT_EQ(4.0, +store.Elements[1].X1);
  EXPECT_EQ(5.0, +store.Elements[2].X1);
  ASSERT_EQ(6u, store.UndoLog.size());
  EXPECT_EQ(9.0, +store.UndoLog[0].X1);
  EXPECT_EQ(0, +store.UndoLog[1].TextIndex);  // text 8 names s3, first in the undo texts
  EXPECT_EQ(2, +store.UndoLog[5].TextIndex);  // text 1 names s0, third
}

// A record taken through the pass is the caller's to change until the next
// take; the element in the list is not written to, and an index the pass
// does not take changes nothing.
TEST(DrawingStore, APassLogsEachElementWhenItIsTaken) {
  Tdrawinp store;
  for (int i = 0; i < 5; ++i) store.AddElement(Line(i, 0, i + 1, 0));
  store.ClearUndoLog();
  {
    TDeletionPass pass(store);
    RDrawElement* record = pass.Take(3);
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(kUndoDeleted, +record->UndoMark);
    record->Selection = 7;
    EXPECT_EQ(0, +store.Elements[3].Selection);
    EXPECT_EQ(nullptr, pass.Take(3));  // not below the last one taken
    EXPECT_EQ(nullptr, pass.Take(-1));
    ASSERT_NE(nullptr, pass.Take(1));
    EXPECT_EQ(5u, store.Elements.size());  // the list closes up at the end
  }
  ASSERT_EQ(3u, store.Elements.size());
  EXPECT_EQ(0.0, +store.Elements[0].X1);
  EXPECT_EQ(2.0, +store.Elements[1].X1);
  EXPECT_EQ(4.0, +store.Elements[2].X1);
  ASSERT_EQ(2u, store.UndoLog.size());
  EXPECT_EQ(3.0, +store.UndoLog[0].X1);
  EXPECT_EQ(7, +store.UndoLog[0].Selection);
  EXPECT_EQ(1.0, +store.UndoLog[1].X1);
  EXPECT_EQ(3, store.Counts[0][0].Graphic);
}

// An element added from the drawing itself or from the log is stored as it
// was, though the lists grow under it.
TEST(DrawingStore, AnElementAddedFromTheListsItselfIsCopiedWhole) {
  Tdrawinp store;
  store.AddElement(Line(1, 2, 3, 4));
  store.Elements.shrink_to_fit();
  store.UndoLog.shrink_to_fit();
  store.AddElementChecked(store.Elements[0]);
  ASSERT_EQ(2u, store.Elements.size());
  EXPECT_EQ(3.0, +store.Elements[1].X2);
  EXPECT_EQ(4.0, +store.Elements[1].Y2);
  store.UndoLog.shrink_to_fit();
  store.AddElementChecked(store.UndoLog[0]);
  ASSERT_EQ(3u, store.Elements.size());
  EXPECT_EQ(1.0, +store.Elements[2].X1);
  EXPECT_EQ(kUndoAdded, +store.UndoLog.back().UndoMark);
  EXPECT_EQ(2.0, +store.UndoLog.back().Y1);
}

// Adding many at once leaves what adding one after the other leaves, with
// the search index and list positions kept up or left stale by a deletion
// pass: lines, one too short, one out of range, a text.
TEST(DrawingStore, AddingManyAtOnceEqualsOneByOne) {
  RDrawElement text = ZeroElement();
  text.Kind = kKindText;
  text.X1 = 2;
  text.X2 = 4;
  text.TextIndex = 1;
  const std::vector<RDrawElement> adds{Line(10, 0, 20, 0), Line(1, 1, 1.000001, 1), Line(1, 1, 4e37, 1), text,
                                       Line(0, 5, 5, 5, 0, 2)};
  for (const bool afterAPass : {false, true}) {
    SCOPED_TRACE(afterAPass ? "after a deletion pass" : "index and positions kept");
    Tdrawinp one, many;
    for (Tdrawinp* s : {&one, &many}) {
      s->ElementTexts = {"a", "b"};
      for (int i = 0; i < 6; ++i) s->AddElement(Line(i, 0, i + 1, 0, 0, static_cast<std::uint8_t>(i % 3)));
      s->ClearUndoLog();
      s->BuildDisplayLists(-100, -100, 100, 100, 1.0);
      std::vector<std::uint32_t> near;
      s->ListedNear(0, -1, 3, 1, near);
      if (afterAPass) s->DeleteElementsDescending(std::vector<std::int32_t>{4, 1});
    }
    for (const RDrawElement& e : adds) one.AddElementChecked(e);
    many.AddElementsChecked(adds);
    EXPECT_TRUE(SameRecords(one.Elements, many.Elements));
    EXPECT_TRUE(SameRecords(one.UndoLog, many.UndoLog));
    EXPECT_EQ(one.UndoTexts, many.UndoTexts);
    EXPECT_EQ(Indices(one.DisplayList), Indices(many.DisplayList));
    for (std::size_t layer = 0; layer < 3; ++layer) {
      EXPECT_EQ(one.Counts[0][layer].Graphic, many.Counts[0][layer].Graphic);
      EXPECT_EQ(one.Counts[0][layer].Text, many.Counts[0][layer].Text);
    }
    std::vector<std::uint32_t> nearOne, nearMany;
    one.ListedNear(9, -1, 21, 6, nearOne);
    many.ListedNear(9, -1, 21, 6, nearMany);
    EXPECT_EQ(nearOne, nearMany);
  }
  // By hand: the line, the text and the last line are kept, in order.
  Tdrawinp store;
  store.ElementTexts = {"a", "b"};
  store.AddElementsChecked(adds);
  ASSERT_EQ(3u, store.Elements.size());
  EXPECT_EQ(20.0, +store.Elements[0].X2);
  EXPECT_EQ(kKindText, +store.Elements[1].Kind);
  EXPECT_EQ(5.0, +store.Elements[2].Y2);
  ASSERT_EQ(3u, store.UndoLog.size());
  EXPECT_EQ(kUndoAdded, +store.UndoLog[2].UndoMark);
  EXPECT_EQ((std::vector<std::string>{"b"}), store.UndoTexts);
  EXPECT_EQ(1, store.Counts[0][0].Text);
  EXPECT_EQ(1, store.Counts[0][2].Graphic);
  EXPECT_EQ((std::vector<std::int32_t>{0, 1, 2}), Indices(store.DisplayList));
}

// Elements added from the drawing's own list are stored as they were,
// though the list grows under them.
TEST(DrawingStore, ManyElementsAddedFromTheListItselfAreCopiedWhole) {
  Tdrawinp store;
  store.AddElement(Line(1, 2, 3, 4));
  store.AddElement(Line(5, 6, 7, 8));
  store.DeleteElementsDescending(std::vector<std::int32_t>{});  // nothing: no pass
  store.Elements.shrink_to_fit();
  store.AddElementsChecked(store.Elements);
  ASSERT_EQ(4u, store.Elements.size());
  EXPECT_EQ(1.0, +store.Elements[2].X1);
  EXPECT_EQ(8.0, +store.Elements[3].Y2);
}

}  // namespace
