#include <gtest/gtest.h>

#include <cmath>

#include "canvas/drawing_store.h"
#include "support/element_factory.h"

namespace {

constexpr double kTol = 1e-9;

// Pastes the store's buffer with the transform and returns the added elements.
struct Paste {
  std::int32_t directionMode = 0;
  double shiftX = 0, shiftY = 0, pivotX = 0, pivotY = 0, rotation = 0, axisAngle = 0, scaleX = 1, scaleY = 1;
};

void PasteWith(Tdrawinp& store, const Paste& p) {
  store.PasteBuffer(p.directionMode, 0, p.shiftX, p.shiftY, p.pivotX, p.pivotY, p.rotation, p.axisAngle, p.scaleX,
                    p.scaleY, 0, 0, true, 0, true, false);
}

TEST(CopyBuffer, AppendKeepsOrSetsTheColour) {
  Tdrawinp store;
  Tdrawinp::TextList texts;
  RDrawElement text = Text(texts, "a", 0, 0, 1, 0);
  text.ColorNo = 5;
  store.AppendToBuffer(text, 3);
  RDrawElement line = Line(0, 0, 1, 0);
  line.ColorNo = 4;
  store.AppendToBuffer(line, 0);
  store.AppendToBuffer(line, 11);
  store.AppendToBuffer(Line(0, 0, 0.000009, 0), 200);
  ASSERT_EQ(store.Buffer.size(), 3u);
  EXPECT_EQ(store.Buffer[0].ColorNo, 5);
  EXPECT_EQ(store.Buffer[1].ColorNo, 0);
  EXPECT_EQ(store.Buffer[2].ColorNo, 4);
}

TEST(CopyBuffer, CopySelectionMovesCopiesAndGivesTextsTheirOwnStrings) {
  Tdrawinp store;
  RDrawElement text = Text(store.ElementTexts, "hello", 1, 2, 4, 2);
  text.Selection = 1;
  store.AddElement(text);
  store.AddElement(Line(0, 0, 9, 9));  // not selected
  store.CopySelectionToBuffer(5, 0);
  ASSERT_EQ(store.Buffer.size(), 1u);
  EXPECT_EQ(Value(store.Buffer[0].X1), 6);
  EXPECT_EQ(Value(store.Buffer[0].X2), 9);
  EXPECT_EQ(store.Buffer[0].Selection, 0);
  EXPECT_EQ(store.BufferTexts.at(store.Buffer[0].TextIndex), "hello");
  EXPECT_EQ(store.Elements[0].Selection, 1) << "the drawing stays selected";
}

TEST(CopyBuffer, RescaleConvertsBetweenGroupScales) {
  Tdrawinp store;
  store.Buffer.push_back(Line(0, 0, 10, 0, 1));
  std::array<double, kLayerGroups> source{}, target{};
  source.fill(100);
  target.fill(100);
  source[1] = 50;
  target[0] = 100;
  store.RescaleBuffer(0, 0, source, target);
  EXPECT_EQ(Value(store.Buffer[0].X2), 5);
  EXPECT_EQ(store.Buffer[0].Group, 1);
}

TEST(CopyBuffer, PasteTransformsPoints) {
  struct Case {
    const char* name;
    Paste paste;
    double bx, by;  // buffer point
    double px, py;  // where it lands
  };
  const Case cases[] = {
      {"shift only", {0, 10, 0, 10, 0, 0, 0, 1, 1}, 3, 4, 13, 4},
      {"scale 2 about the pivot (pivot itself)", {0, 10, 0, 12, 3, 0, 0, 2, 2}, 2, 3, 12, 3},
      {"scale 2 about the pivot", {0, 10, 0, 12, 3, 0, 0, 2, 2}, 3, 3, 14, 3},
      {"quarter turn", {0, 0, 0, 0, 0, 90, 0, 1, 1}, 1, 0, 0, 1},
      {"quarter turn of a point above the centre", {0, 0, 0, 0, 0, 90, 0, 1, 1}, 0, 1, -1, 0},
      // (1,0) shifted to (11,0), then turned a quarter about the pivot (10,0).
      {"shift, then a quarter turn about the pivot", {0, 10, 0, 10, 0, 90, 0, 1, 1}, 1, 0, 10, 1},
      {"x direction only, mirrored", {1, 4, 7, 10, 7, 0, 0, -1, 1}, 6, 2, 10, 2},
      // The shift (10, 0) projected on the x axis turned 45 degrees:
      // (10, 0) . (1, 1) / 2 x (1, 1) = (5, 5).
      {"x direction on an axis turned 45", {1, 10, 0, 10, 0, 0, 45, 1, 1}, 3, 4, 8, 9},
      // The shift (0, 10) projected on the y axis turned 30 degrees, along
      // (-1/2, sqrt 3 / 2): 5 sqrt 3 x (-1/2, sqrt 3 / 2) = (-2.5 sqrt 3, 7.5).
      {"y direction on an axis turned 30", {2, 0, 10, 0, 10, 0, 30, 1, 1}, 3, 4, 3 - 2.5 * std::sqrt(3.0), 11.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tdrawinp store;
    store.Buffer.push_back(Point(c.bx, c.by));
    PasteWith(store, c.paste);
    ASSERT_EQ(store.Elements.size(), 1u);
    EXPECT_NEAR(store.Elements[0].X1, c.px, kTol);
    EXPECT_NEAR(store.Elements[0].Y1, c.py, kTol);
  }
}

TEST(CopyBuffer, PasteRefusesNoPointAndZeroScales) {
  Tdrawinp store;
  store.Buffer.push_back(Point(1, 1));
  PasteWith(store, {0, -9000, -9000, 0, 0, 0, 0, 1, 1});
  PasteWith(store, {0, 0, 0, 0, 0, 0, 0, 0, 1});
  PasteWith(store, {0, 0, 0, 0, 0, 0, 0, 1, 0});
  EXPECT_TRUE(store.Elements.empty());
}

TEST(CopyBuffer, PastedTextsTurnButNeverScale) {
  Tdrawinp store;
  store.Buffer.push_back(Text(store.BufferTexts, "abc", 1, 0, 4, 0));
  PasteWith(store, {0, 0, 0, 0, 0, 90, 0, 1, 1});
  PasteWith(store, {0, 0, 0, 0, 0, 0, 0, 3, 3});
  ASSERT_EQ(store.Elements.size(), 2u);
  const RDrawElement& turned = store.Elements[0];
  EXPECT_NEAR(turned.TextAngle, 90, 1e-6);
  EXPECT_NEAR(turned.X1, 0, kTol);
  EXPECT_NEAR(turned.Y1, 1, kTol);
  EXPECT_NEAR(turned.Y2, 4, kTol);
  const RDrawElement& scaled = store.Elements[1];
  EXPECT_NEAR(scaled.X1, 3, kTol) << "the base point follows the scale";
  EXPECT_NEAR(scaled.X2 - scaled.X1, 3, kTol) << "the base line keeps its length";
  EXPECT_EQ(store.ElementTexts.at(scaled.TextIndex), "abc");
  EXPECT_EQ(store.Buffer.size(), 1u) << "pasting leaves the buffer as it was";
}

TEST(CopyBuffer, StretchedLinesKeepTheirFirstPoint) {
  Tdrawinp store;
  RDrawElement line = Line(1, 1, 2, 1);
  line.Scratch = 1;
  store.Buffer.push_back(line);
  PasteWith(store, {0, 10, 0, 10, 0, 0, 0, 1, 1});
  ASSERT_EQ(store.Elements.size(), 1u);
  EXPECT_EQ(Value(store.Elements[0].X1), 1);
  EXPECT_EQ(Value(store.Elements[0].X2), 12);
  EXPECT_EQ(store.Elements[0].Scratch, 0);
}

TEST(CopyBuffer, NoElementIsNeverPasted) {
  Tdrawinp store;
  RDrawElement none = Line(0, 0, 5, 5);
  none.Kind = kKindNone;
  store.Buffer.push_back(none);
  PasteWith(store, {0, 1, 1, 1, 1, 0, 0, 1, 1});
  EXPECT_TRUE(store.Elements.empty());
}

TEST(CopyBuffer, MirroredPasteOfTextsAndArcs) {
  {
    SCOPED_TRACE("text across the y axis");
    Tdrawinp store;
    store.Buffer.push_back(Text(store.BufferTexts, "t", 0, 1, 2, 1));
    store.PasteBufferMirrored(0, 0, 0, 0, 10);
    const RDrawElement& t = store.Elements.at(0);
    EXPECT_NEAR(t.X1, -2, kTol);
    EXPECT_NEAR(t.X2, 0, kTol);
    EXPECT_NEAR(t.TextAngle, 0, 1e-6);
  }
  {
    SCOPED_TRACE("text across the x axis");
    Tdrawinp store;
    store.Buffer.push_back(Text(store.BufferTexts, "t", 0, 1, 2, 1));
    store.PasteBufferMirrored(0, 0, 0, 10, 0);
    const RDrawElement& t = store.Elements.at(0);
    EXPECT_NEAR(t.X1, 2, kTol);
    EXPECT_NEAR(t.Y1, -1, kTol);
    EXPECT_NEAR(t.X2, 0, kTol);
    EXPECT_NEAR(t.TextAngle, 180, 1e-6);
  }
  {
    SCOPED_TRACE("arc across the x axis");
    Tdrawinp store;
    store.Buffer.push_back(Arc(0, 2, 1, 0, 90));
    store.PasteBufferMirrored(0, 0, 0, 10, 0);
    const RDrawElement& a = store.Elements.at(0);
    EXPECT_NEAR(a.Y1, -2, kTol);
    EXPECT_NEAR(a.StartAngle, 270, 1e-5);
    EXPECT_NEAR(a.EndAngle, 0, 1e-5);
  }
}

TEST(CopyBuffer, NegativeScaleMirrorsArcs) {
  Tdrawinp store;
  store.Buffer.push_back(Arc(0, 0, 2, 0, 90));
  PasteWith(store, {0, 0, 0, 0, 0, 0, 0, -1, 1});
  const RDrawElement& a = store.Elements.at(0);
  EXPECT_NEAR(a.StartAngle, 90, 1e-5);
  EXPECT_NEAR(a.EndAngle, 180, 1e-5);
  EXPECT_NEAR(a.Radius, 2, kTol);
}

}  // namespace
