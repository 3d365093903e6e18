// The helpers the commands share: snapped points with the point marker,
// picks of lines and arcs, and adding arcs, texts and points to a store.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>

#include "../../canvas/canvas_fixture.h"
#include "canvas/cad_box.h"

namespace {

using StoreHelpers = CanvasTest;

TEST_F(StoreHelpers, SnappedPointFindsALineEndAndMarksIt) {
  box->Draw1->AddElement(Line(100, 100, 300, 100));
  box->ZoomToWindow(90, 110, 110, 90);
  box->RedrawAll(false);
  RPoint2D p;
  ASSERT_TRUE(box->SnappedPoint(100.3, 100.2, p));
  EXPECT_NEAR(p.x, 100, 1e-9);
  EXPECT_NEAR(p.y, 100, 1e-9);
  // The yellow XOR marker circle lies 1.1 / zoom around the point.
  const int right = box->WorldToScreenX(100 + 1.1 / box->Zoom);
  const int row = box->WorldToScreenY(100);
  bool marked = false;
  for (int x = right - 2; x <= right; ++x) marked |= canvas().GetPixel(x, row) != clBlack;
  EXPECT_TRUE(marked);
  EXPECT_FALSE(box->SnappedPoint(104, 104, p)) << "nothing near";
}

// Whether any pixel of the marker's right side, around (x + d, y), is lit.
bool MarkerAt(TcadBox& box, double x, double y, double d) {
  const int right = box.WorldToScreenX(x + d), row = box.WorldToScreenY(y);
  bool lit = false;
  for (int px = right - 2; px <= right; ++px) lit |= box.Canvas().GetPixel(px, row) != clBlack;
  return lit;
}

TEST_F(StoreHelpers, PointMarkerErasesThePreviousOneAndAFullRedrawForgetsIt) {
  box->RedrawAll(false);
  const double small = 1.1 / box->Zoom, large = 1.5 / box->Zoom;
  box->ShowPointMarker(0, 500, 400);
  EXPECT_TRUE(MarkerAt(*box, 500, 400, small));
  box->ShowPointMarker(2, 600, 400);  // the first one goes
  EXPECT_FALSE(MarkerAt(*box, 500, 400, small));
  EXPECT_TRUE(MarkerAt(*box, 600, 400, large));
  box->RedrawAll(false);
  EXPECT_LT(box->MarkerPoint.x, -4000);
  box->ShowPointMarker(1, 700, 400);
  EXPECT_FALSE(MarkerAt(*box, 600, 400, large)) << "nothing stale is drawn back";
}

TEST_F(StoreHelpers, PicksTakeTheNearestLineAndTheArcUnderThePoint) {
  Tdrawinp& store = *box->Draw1;
  store.AddElement(Line(100, 100, 300, 100));
  store.AddElement(Line(100, 101, 300, 101));
  store.AddElement(Arc(500, 500, 20));
  box->ZoomToWindow(90, 110, 310, 90);
  box->RedrawAll(false);
  RPointPair line;
  ASSERT_TRUE(box->PickPlainLineCoords(line, 200, 100.9));
  EXPECT_EQ(line.ya, 101);
  box->ZoomToWindow(470, 530, 530, 470);
  box->RedrawAll(false);
  RDrawElement arc = ZeroElement();
  ASSERT_TRUE(box->PickArcRecord(arc, 520.5, 500));
  EXPECT_EQ(arc.Kind, kKindArc);
  EXPECT_FALSE(box->PickArcRecord(arc, 500, 500)) << "the centre is not on the curve";
}

// Among many elements under the click the nearest is taken; of two equally
// near, the one listed first.
TEST_F(StoreHelpers, PicksTakeTheNearestOfManyAndTheFirstListedOfATie) {
  Tdrawinp& store = *box->Draw1;
  // Horizontal lines at y = 102, 101.75, ..., 100, listed in that order.
  for (int k = 8; k >= 0; --k) store.AddElement(Line(100, 100 + 0.25 * k, 300, 100 + 0.25 * k));
  // Circles about (200, 140) of radius 10, 10.4 and 10.8.
  for (const double r : {10.0, 10.4, 10.8}) store.AddElement(Arc(200, 140, r));
  box->ZoomToWindow(90, 160, 310, 90);
  box->RedrawAll(false);
  struct Case {
    double y;         // the click, at x = 200
    double expected;  // y of the line taken
  } const cases[] = {
      {101.3, 101.25},    // 0.05 from it, 0.2 from the next
      {100.625, 100.75},  // 0.125 from the lines at 100.5 and 100.75: the latter is listed first
      {101.875, 102},     // the same between 101.75 and 102
  };
  for (const Case& c : cases) {
    RPointPair line{};
    ASSERT_TRUE(box->PickPlainLineCoords(line, 200, c.y)) << c.y;
    EXPECT_EQ(line.ya, c.expected) << c.y;
    EXPECT_EQ(line.yb, c.expected) << c.y;
  }
  RDrawElement arc = ZeroElement();
  ASSERT_TRUE(box->PickArcRecord(arc, 200 + 10.5, 140));  // 0.1 from the circle of 10.4
  EXPECT_EQ(arc.Radius, 10.4);
}

// The picks give the same answer with the index as with a walk of the
// whole display list, on random drawings and at random clicks.
TEST_F(StoreHelpers, PicksAnswerTheSameWithAndWithoutTheIndex) {
  std::mt19937 random(11);
  auto real = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
  Tdrawinp& store = *box->Draw1;
  for (int k = 0; k < 3000; ++k) {
    const double x = real(0, 400), y = real(0, 300);
    RDrawElement e = k % 3 == 0 ? Arc(x, y, real(0.5, 40), static_cast<float>(real(0, 360)),
                                      static_cast<float>(real(0, 360)), static_cast<float>(real(0.3, 1.5)))
                                : Line(x, y, x + real(-60, 60), y + real(-60, 60));
    e.Layer = static_cast<std::uint8_t>(k % 3);
    store.AddElement(e);
  }
  store.LayerStates[1] = kLayerReference;
  store.LayerStates[2] = kLayerHidden;
  for (const auto& window : {std::array<double, 4>{0, 300, 400, 0}, std::array<double, 4>{150, 180, 210, 140}}) {
    box->ZoomToWindow(window[0], window[1], window[2], window[3]);
    box->RedrawAll(false);
    for (int click = 0; click < 300; ++click) {
      const double x = real(window[0], window[2]), y = real(window[3], window[1]);
      RPointPair lineIndexed{}, lineWalked{};
      RDrawElement arcIndexed = ZeroElement(), arcWalked = ZeroElement();
      store.UseElementIndex = true;
      const bool foundLine = box->PickPlainLineCoords(lineIndexed, x, y);
      const bool foundArc = box->PickArcRecord(arcIndexed, x, y);
      store.UseElementIndex = false;
      ASSERT_EQ(box->PickPlainLineCoords(lineWalked, x, y), foundLine);
      ASSERT_EQ(box->PickArcRecord(arcWalked, x, y), foundArc);
      store.UseElementIndex = true;
      ASSERT_EQ(std::memcmp(&lineIndexed, &lineWalked, sizeof lineWalked), 0) << x << ", " << y;
      ASSERT_EQ(std::memcmp(&arcIndexed, &arcWalked, sizeof arcWalked), 0) << x << ", " << y;
    }
  }
}

TEST_F(StoreHelpers, AddedArcsTextsAndPoints) {
  Tdrawinp& store = *box->Draw1;
  box->Pentyp = 3;
  box->Pencol = 5;
  box->WriteGrupe_No = 2;
  box->WriteReiya_No = 7;
  box->AddArcToStore(store, 1, 2, 0.000009, 1, 0, 0, 0);
  EXPECT_TRUE(store.Elements.empty()) << "radius below 1e-5";
  box->AddArcToStore(store, 1, 2, -3, 1, 0, 0, 0);
  EXPECT_TRUE(store.Elements.empty()) << "a negative radius too";
  box->AddArcToStore(store, 1, 2, 3, -0.5, -90, 450, 0);
  ASSERT_EQ(store.Elements.size(), 1u);
  const RDrawElement a = store.Elements[0];
  EXPECT_EQ(Value(a.Radius), 3);
  EXPECT_EQ(Value(a.Ratio), 0.5f);
  EXPECT_EQ(Value(a.StartAngle), 270.0f);
  EXPECT_EQ(Value(a.EndAngle), 90.0f);
  EXPECT_EQ(a.LineType, 3);
  EXPECT_EQ(a.Group, 2);
  EXPECT_EQ(a.Layer, 7);

  box->AddArcAttr(false, 0, 4, 0, store, 5, 5, 1, 1, 0, 0, 0);
  EXPECT_EQ(store.UndoLog.size(), 2u) << "joined the step";
  EXPECT_EQ(store.Elements[1].Layer, 4);
  EXPECT_EQ(store.Elements[1].ColorNo, 5);

  RDrawElement text = ZeroElement();
  text.Kind = kKindText;
  text.Group = 9;
  text.Layer = 9;
  text.Selection = 1;
  box->AddTextAttr(text, "abc", store, true, 0);
  ASSERT_EQ(store.Elements.size(), 3u);
  EXPECT_EQ(store.ElementTexts.at(store.Elements[2].TextIndex), "abc");
  EXPECT_EQ(store.Elements[2].Group, 2);
  EXPECT_EQ(store.Elements[2].Layer, 7);
  EXPECT_EQ(store.Elements[2].Selection, 0);
  box->AddTextExact(text, "", store, true);
  box->AddTextExact(text, "x", store, false);
  ASSERT_EQ(store.Elements.size(), 4u) << "an empty text adds nothing";
  EXPECT_EQ(store.Elements[3].Group, 9);

  box->AddPointAttr(0, 0, store, true, 3, 4);
  EXPECT_EQ(store.Elements.back().Kind, kKindPoint);
  EXPECT_EQ(store.Elements.back().LineType, 1);
  EXPECT_EQ(store.Elements.back().ColorNo, 5);
  EXPECT_EQ(store.UndoLog.size(), 1u);
  box->AddPointToStore(store, 6, 7);
  EXPECT_EQ(store.Elements.back().LineType, 3);
}

TEST_F(StoreHelpers, InvalidatingABandAsksForTheCrossHairAgain) {
  box->RedrawAll(false);
  box->RingRepaintFlag = false;
  box->InvalidateLineBand(5000, 5000, 6000, 6000);
  EXPECT_FALSE(box->RingRepaintFlag) << "out of view: nothing";
  box->InvalidateLineBand(100, 100, 300, 300);
  EXPECT_TRUE(box->RingRepaintFlag);
}

}  // namespace
