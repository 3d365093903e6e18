#include "figures/sections/section_generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "figures/sections/figure_checks.h"
#include "geometry/codepage.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

const double kCos30 = std::sqrt(3.0) / 2;
const double kSin30 = 0.5;

class SectionGeneratorTest : public ::testing::Test {
 protected:
  SettingsGuard guard_;
  std::array<RTextStyle, kTextStyleCount> styles_ = TestStyles();
  TBuzaidanmenobj fig_{styles_, 100.0};
};

TEST_F(SectionGeneratorTest, CreateKeepsStylesAndScaleAndStartsEmpty) {
  EXPECT_EQ(fig_.Scale, 100.0);
  EXPECT_EQ(int{fig_.Styles[11].Width}, 120);
  EXPECT_EQ(fig_.SymbolNumber, -1);
  EXPECT_TRUE(fig_.SymbolFileName.empty());
  EXPECT_EQ(int{fig_.Reference1.Kind}, int{kKindNone});
  EXPECT_EQ(int{fig_.Reference2.Kind}, int{kKindNone});
  EXPECT_TRUE(fig_.ReferenceLines.empty());
  EXPECT_TRUE(fig_.Elements.empty());
  EXPECT_TRUE(fig_.Texts.empty());
  EXPECT_TRUE(fig_.FittingLines.empty());
  EXPECT_EQ(fig_.OffsetX, 0.0);
  EXPECT_EQ(fig_.Kind, 0);

  // Fewer styles than twelve: the rest stay zero.
  const std::vector<RTextStyle> three(styles_.begin(), styles_.begin() + 3);
  TBuzaidanmenobj few(three, 50.0);
  EXPECT_EQ(int{few.Styles[2].Width}, 30);
  EXPECT_EQ(int{few.Styles[3].Width}, 0);
}

TEST_F(SectionGeneratorTest, ScaleChangesAboveOneReloadTheFittings) {
  const struct {
    double from, to;
    int reload;
  } cases[] = {
      {100.0, 100.5, 0}, {100.0, 101.0, 0}, {100.0, 101.5, 1}, {100.0, 98.5, 1}, {100.0, 99.0, 0},
  };
  for (const auto& c : cases) {
    TBuzaidanmenobj fig(styles_, c.from);
    FirstData5.FittingReload = 0;
    auto changed = styles_;
    changed[4].Width = 7;
    fig.SetStylesAndScale(changed, c.to);
    EXPECT_EQ(int{FirstData5.FittingReload}, c.reload) << c.from << " -> " << c.to;
    EXPECT_EQ(fig.Scale, c.to);
    EXPECT_EQ(int{fig.Styles[4].Width}, 7);
  }
}

TEST_F(SectionGeneratorTest, AnUnknownKindKeepsTheOutputButStoresTheValues) {
  fig_.Generate(12, 1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_TRUE(fig_.Elements.empty());
  EXPECT_TRUE(fig_.Texts.empty());

  fig_.Generate(0, 0, 0, 0.2, 0.1, 0.01, 0.02, 0, 0, 0);
  const std::vector<RDrawElement> h = fig_.Elements;
  ASSERT_EQ(h.size(), 12u);
  fig_.Generate(12, 1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_EQ(fig_.Kind, 12);
  EXPECT_EQ(fig_.BaseX, 1.0);
  EXPECT_EQ(fig_.BaseY, 2.0);
  EXPECT_EQ(fig_.D1, 3.0);
  EXPECT_EQ(fig_.D6, 8.0);
  EXPECT_EQ(fig_.Angle, 9.0);
  ASSERT_EQ(fig_.Elements.size(), h.size());
  EXPECT_EQ(std::memcmp(fig_.Elements.data(), h.data(), h.size() * sizeof(RDrawElement)), 0);
}

TEST_F(SectionGeneratorTest, KindsThatDivideByTheScaleKeepTheOutputForABrokenScale) {
  fig_.Generate(0, 0, 0, 0.2, 0.1, 0.01, 0.02, 0, 0, 0);
  const std::vector<RDrawElement> h = fig_.Elements;
  for (double scale : {0.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    fig_.SetStylesAndScale(styles_, scale);
    for (std::uint8_t kind = 0; kind <= 11; ++kind) {
      fig_.Generate(kind, 5, 5, 0.4, 0.2, 0.01, 0.02, 0.01, 0.01, 0);
      ASSERT_EQ(fig_.Elements.size(), h.size()) << int{kind};
      EXPECT_EQ(std::memcmp(fig_.Elements.data(), h.data(), h.size() * sizeof(RDrawElement)), 0);
    }
  }
  // The profiles and arrowheads do not divide by it.
  fig_.Generate(110, 0, 0, 3, 15, 0, 0, 0, 0, 0);
  EXPECT_EQ(fig_.Elements.size(), 2u);
}

// Offsets of the nine codes at angle 0 and of code 9 (unchanged), against
// W 10, H 6, Gap 2, Lift 1.5, D1 6, D2 10, steel gaps 200 and 100 real mm at
// scale 100 (gx 2, gy 1).
TEST_F(SectionGeneratorTest, BoxOffsetsOfEveryCode) {
  struct Row {
    const char* name;
    void (*set)(TBuzaidanmenobj&);
    std::uint8_t textMode;
    Pt want[9];
  };
  const Row rows[] = {
      {"box",
       [](TBuzaidanmenobj& f) { f.SetBoxOffset(10, 6, 2); },
       0,
       {{2, -6}, {2, -3}, {2, 0}, {-5, -6}, {-5, -3}, {-5, 0}, {-12, -6}, {-12, -3}, {-12, 0}}},
      {"mirrored",
       [](TBuzaidanmenobj& f) { f.SetMirroredBoxOffset(1, 10, 6, 2, 1.5); },
       0,
       {{2, -9}, {2, -3}, {2, 1.5}, {-5, -9}, {-5, -3}, {-5, 1.5}, {-12, -9}, {-12, -3}, {-12, 1.5}}},
      {"size",
       [](TBuzaidanmenobj& f) { f.SetSizeBoxOffset(); },
       0,
       {{0, -6}, {0, -3}, {0, 0}, {-5, -6}, {-5, -3}, {-5, 0}, {-10, -6}, {-10, -3}, {-10, 0}}},
      {"square",
       [](TBuzaidanmenobj& f) { f.SetSquareBoxOffset(); },
       0,
       {{0, -6}, {0, -3}, {0, 0}, {-3, -6}, {-3, -3}, {-3, 0}, {-6, -6}, {-6, -3}, {-6, 0}}},
      {"steel",
       [](TBuzaidanmenobj& f) { f.SetSteelBoxOffset(); },
       0,
       {{2, -7}, {2, -3}, {2, 1}, {-5, -7}, {-5, -3}, {-5, 1}, {-12, -7}, {-12, -3}, {-12, 1}}},
      {"double steel",
       [](TBuzaidanmenobj& f) { f.SetDoubleSteelBoxOffset(); },
       0,
       {{4, -7}, {4, -3}, {4, 1}, {-10, -7}, {-10, -3}, {-10, 1}, {-24, -7}, {-24, -3}, {-24, 1}}},
      {"steel anchor",
       [](TBuzaidanmenobj& f) { f.SetSteelBoxOffset(); },
       1,
       {{2, -1}, {2, 0}, {2, 1}, {0, -1}, {0, 0}, {0, 1}, {-2, -1}, {-2, 0}, {-2, 1}}},
      {"double steel anchor",
       [](TBuzaidanmenobj& f) { f.SetDoubleSteelBoxOffset(); },
       1,
       {{4, -1}, {4, 0}, {4, 1}, {0, -1}, {0, 0}, {0, 1}, {-4, -1}, {-4, 0}, {-4, 1}}},
  };
  ToolDefaults.SteelTextOffsetX = 200;
  ToolDefaults.SteelTextOffsetY = 100;
  fig_.D1 = 6;
  fig_.D2 = 10;
  fig_.Angle = 0;
  for (const Row& row : rows) {
    ToolDefaults.SteelTextMode = row.textMode;
    for (std::uint8_t code = 0; code <= 9; ++code) {
      SCOPED_TRACE(std::string(row.name) + " code " + std::to_string(code));
      DraftDefaults.FigureBasePoint = code;
      fig_.OffsetX = 123;
      fig_.OffsetY = -45;
      row.set(fig_);
      ExpectPoint({fig_.OffsetX, fig_.OffsetY}, code <= 8 ? row.want[code] : Pt{123, -45});
    }
  }
}

TEST_F(SectionGeneratorTest, BoxOffsetsAreTurnedByTheAngle) {
  DraftDefaults.FigureBasePoint = 4;
  fig_.Angle = 90;
  fig_.SetBoxOffset(10, 6, 2);
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {3, -5}, 1e-12);
  // Sign -1 turns the other way: code 2 gives (2, 1.5), turned by -90.
  DraftDefaults.FigureBasePoint = 2;
  fig_.SetMirroredBoxOffset(-1, 10, 6, 2, 1.5);
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {1.5, -2}, 1e-12);
  // The steel box at 30 degrees, code 8: (-10 - 0, 0) turned.
  fig_.Angle = 30;
  fig_.D1 = 6;
  fig_.D2 = 10;
  DraftDefaults.FigureBasePoint = 8;
  fig_.SetSteelBoxOffset();
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {-10 * kCos30, -10 * kSin30}, 1e-12);
}

TEST_F(SectionGeneratorTest, BaseJustificationOfEveryCode) {
  const int want[] = {7, 8, 0, 5, 6, 1, 4, 3, 2, 0, 0};
  for (int code = 0; code <= 10; ++code) {
    DraftDefaults.FigureBasePoint = static_cast<std::uint8_t>(code);
    EXPECT_EQ(int{fig_.BaseJustification()}, want[code]) << code;
  }
}

// "A漢b" in a style 20 wide, 30 high with spacing 2: A 1.0 + 0.1, 漢 2.0 +
// 0.2, b 1.0, so w = 4.3 and h = 3.0.
TEST_F(SectionGeneratorTest, JustifyTextMeasuresMixedTextForEveryCode) {
  fig_.Styles[5].Width = 20;
  fig_.Styles[5].Height = 30;
  fig_.Styles[5].Spacing = 2;
  const std::string text = "A" + J("漢") + "b";
  const double w = 4.3, h = 3.0;
  const Pt shift[] = {{0, 0},         {w / 2, 0}, {w, 0},     {w, h / 2}, {w, h}, {w / 2, h},
                      {w / 2, h / 2}, {0, h},     {0, h / 2}, {0, 0},     {0, 0}};
  for (int code = 0; code <= 10; ++code) {
    double x1 = 10, y1 = 20, x2 = 0, y2 = 0;
    fig_.JustifyText(x1, y1, x2, y2, 30, text, static_cast<std::uint8_t>(code), 5);
    const Pt first{10 - (shift[code].x * kCos30 - shift[code].y * kSin30),
                   20 - (shift[code].x * kSin30 + shift[code].y * kCos30)};
    SCOPED_TRACE(code);
    ExpectPoint({x1, y1}, first, 1e-9);
    ExpectPoint({x2, y2}, {first.x + w * kCos30, first.y + w * kSin30}, 1e-9);
  }
}

TEST_F(SectionGeneratorTest, JustifyTextMeasuresAStyleAboveElevenAsStyleZero) {
  // Style 0 is 10 wide: "ab" is 1.0 long, 2.0 high.
  double x1 = 5, y1 = 5, x2 = 0, y2 = 0;
  fig_.JustifyText(x1, y1, x2, y2, 0, "ab", 4, 200);
  ExpectPoint({x1, y1}, {4, 3});
  ExpectPoint({x2, y2}, {5, 3});
}

TEST_F(SectionGeneratorTest, MakeTextElementFillsTheTextFields) {
  fig_.Styles[3].Width = 20;
  fig_.Styles[3].Height = 20;
  fig_.Styles[3].Spacing = 1;
  RDrawElement e = ZeroElement();
  e.Group = 7;
  e.Layer = 8;
  e.Selection = 3;
  e.Scratch = 4;
  e.UndoMark = 5;
  e.TextDirection = kTextVertical;
  fig_.MakeTextElement(e, "AB", 10, 10, 0, 7, 6, 3);
  EXPECT_EQ(int{e.Kind}, int{kKindText});
  EXPECT_EQ(int{e.LineType}, 1);
  EXPECT_EQ(int{e.ColorNo}, 1);
  EXPECT_EQ(int{e.Group}, 0);
  EXPECT_EQ(int{e.Layer}, 0);
  EXPECT_EQ(int{e.Selection}, 3);
  EXPECT_EQ(int{e.Scratch}, 4);
  EXPECT_EQ(int{e.UndoMark}, 5);
  EXPECT_EQ(int{e.TextIndex}, 7);
  EXPECT_EQ(int{e.TextStyle}, 3);
  EXPECT_EQ(int{e.TextDirection}, 0);
  EXPECT_EQ(float{e.TextAngle}, 0.0f);
  // w = 20 * 0.05 + 1 * 0.05 + 20 * 0.05 = 2.05, h = 2.0, centred on (10, 10).
  ExpectPoint(First(e), {8.975, 9.0});
  ExpectPoint(Second(e), {11.025, 9.0});

  fig_.MakeTextElement(e, "AB", 0, 0, 90, 2, 0, 3);
  EXPECT_EQ(float{e.TextAngle}, 90.0f);
  ExpectPoint(First(e), {0, 0});
  ExpectPoint(Second(e), {0, 2.05}, 1e-12);
}

RDrawElement RefLine(double x1, double y1, double x2, double y2, std::uint8_t colour) {
  RDrawElement e = LineElement(x1, y1, x2, y2);
  e.ColorNo = colour;
  return e;
}

std::vector<int> ColoursOf(const std::vector<RDrawElement>& lines) {
  std::vector<int> colours;
  for (const RDrawElement& e : lines) colours.push_back(e.ColorNo);
  return colours;
}

TEST_F(SectionGeneratorTest, AddReferenceLineKeepsLinesOnlyWithTheSelectionCleared) {
  RDrawElement text = RefLine(0, 0, 1, 0, 1);
  text.Kind = kKindText;
  RDrawElement arc = RefLine(0, 0, 1, 0, 1);
  arc.Kind = kKindArc;
  RDrawElement point = RefLine(0, 0, 1, 0, 1);
  point.Kind = kKindPoint;
  fig_.AddReferenceLine(text);
  fig_.AddReferenceLine(arc);
  fig_.AddReferenceLine(point);
  EXPECT_TRUE(fig_.ReferenceLines.empty());

  RDrawElement selected = RefLine(1, 2, 3, 4, 5);
  selected.Selection = 1;
  selected.Layer = 3;
  fig_.AddReferenceLine(selected);
  ASSERT_EQ(fig_.ReferenceLines.size(), 1u);
  const RDrawElement& kept = fig_.ReferenceLines[0];
  EXPECT_EQ(int{kept.Selection}, 0);
  EXPECT_EQ(int{kept.Layer}, 3);
  EXPECT_EQ(int{kept.ColorNo}, 5);
  ExpectLine(kept, {1, 2}, {3, 4});

  fig_.ClearReferenceLines();
  EXPECT_TRUE(fig_.ReferenceLines.empty());
}

TEST_F(SectionGeneratorTest, SortReferenceLinesExchangesRecords) {
  // Keys from (0, 0): colour 1 is 2 away (y = 2), colour 2 is 2 away
  // (y = -2), colour 3 is 1 away (x = 1). The first pass exchanges 1 and 3;
  // colour 1 (2) then does not beat colour 2 (2), so the order is 3, 2, 1
  // where a stable sort would give 3, 1, 2.
  fig_.AddReferenceLine(RefLine(-5, 2, 5, 2, 1));
  fig_.AddReferenceLine(RefLine(-5, -2, 5, -2, 2));
  fig_.AddReferenceLine(RefLine(1, -5, 1, 5, 3));
  fig_.SortReferenceLines(0, 0);
  EXPECT_EQ(ColoursOf(fig_.ReferenceLines), (std::vector<int>{3, 2, 1}));

  // Two equal keys keep their order.
  fig_.ClearReferenceLines();
  fig_.AddReferenceLine(RefLine(-5, 2, 5, 2, 1));
  fig_.AddReferenceLine(RefLine(2, -5, 2, 5, 2));
  fig_.SortReferenceLines(0, 0);
  EXPECT_EQ(ColoursOf(fig_.ReferenceLines), (std::vector<int>{1, 2}));

  // The key is the distance to the perpendicular foot on the infinite line
  // (colour 1: the segment ends far away, key 1), and for a line of two
  // equal points the distance to that point (colour 2: 5).
  fig_.ClearReferenceLines();
  fig_.AddReferenceLine(RefLine(3, 4, 3, 4, 2));
  fig_.AddReferenceLine(RefLine(100, 1, 200, 1, 1));
  fig_.AddReferenceLine(RefLine(-10, 4.5, 10, 4.5, 3));
  fig_.SortReferenceLines(0, 0);
  EXPECT_EQ(ColoursOf(fig_.ReferenceLines), (std::vector<int>{1, 3, 2}));
}

TEST_F(SectionGeneratorTest, SetReferenceElementChoosesBySlot) {
  fig_.SetReferenceElement(RefLine(1, 1, 2, 2, 4), 1);
  fig_.SetReferenceElement(RefLine(3, 3, 4, 4, 5), 2);
  EXPECT_EQ(int{fig_.Reference1.ColorNo}, 4);
  EXPECT_EQ(int{fig_.Reference2.ColorNo}, 5);
  fig_.SetReferenceElement(RefLine(3, 3, 4, 4, 6), 0);
  EXPECT_EQ(int{fig_.Reference1.ColorNo}, 4);
  EXPECT_EQ(int{fig_.Reference2.ColorNo}, 6);
  ExpectLine(fig_.Reference2, {3, 3}, {4, 4});
}

TEST_F(SectionGeneratorTest, RegisteredKindsAreBuiltByTheirProducer) {
  static const RFigureKindRow first[] = {
      {250, 251, [](TBuzaidanmenobj& f) { f.Elements.assign(1, LineElement(1, 0, 0, 0)); }, false}};
  static const RFigureKindRow later[] = {
      {251, 251, [](TBuzaidanmenobj& f) { f.Elements.assign(2, LineElement(2, 0, 0, 0)); }, true}};
  {
    const FigureKindRegistrationScope scope;
    RegisterFigureKinds(first);
    RegisterFigureKinds(later);
    fig_.Generate(250, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(fig_.Elements.size(), 1u);
    fig_.Generate(251, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(fig_.Elements.size(), 2u);
    // A row that divides by the scale is skipped while the scale is 0.
    fig_.Generate(250, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    fig_.SetStylesAndScale(styles_, 0.0);
    fig_.Generate(251, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(fig_.Elements.size(), 1u);
  }
  // The scope gone, so are its rows: kinds 250 and 251 have no producer
  // and leave the output as it was.
  fig_.SetStylesAndScale(styles_, 100.0);
  fig_.Elements.assign(3, LineElement(3, 0, 0, 0));
  fig_.Generate(250, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  fig_.Generate(251, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(fig_.Elements.size(), 3u);
}

}  // namespace
