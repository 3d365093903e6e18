// Door and window elevations, kinds 51 to 56, at scale 1 and round sizes:
// the frame styles, the leaf layout, the opening marks, every kind's
// interior and bars, and a frame that holds every line.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "figures/fittings/fitting_checks.h"

namespace {

// A line of the figure in local coordinates with its line type.
struct ElevationLine {
  double x1, y1, x2, y2;
  int LineType = 0;
};

class ElevationTest : public FittingTest {
 protected:
  // w 1000, h0 2000, e = f = g 50, m 60, s 20, l 30, d 40, o 80.
  ElevationTest() {
    fig_.SetStylesAndScale(styles_, 1);
    FittingDefaults.FitWidth = 1000;
    FittingDefaults.FitHeight = 2000;
    FittingDefaults.FitLeafFrame1 = 50;
    FittingDefaults.FitLeafFrame2 = 50;
    FittingDefaults.FitLeafFrame3 = 50;
    FittingDefaults.FitLeafFrame4 = 60;
    FittingDefaults.FitSurroundSize = 20;
    FittingDefaults.FitSurroundOn = 1;
    FittingDefaults.FitSillSize = 30;
    FittingDefaults.FitFrameSize = 40;
    FittingDefaults.FitMullion = 80;
    FittingDefaults.FitFrameType = 0;
    FittingDefaults.FitLeafPattern = 0;
    FittingDefaults.FitHandleType = 0;
  }

  void ExpectElevation(std::size_t from, std::initializer_list<ElevationLine> want) const {
    ASSERT_LE(from + want.size(), Out().size());
    std::size_t i = from;
    for (const ElevationLine& w : want) {
      SCOPED_TRACE("element " + std::to_string(i));
      const RDrawElement& e = Out()[i++];
      ExpectLine(e, {kBaseX + w.x1, kBaseY + w.y1}, {kBaseX + w.x2, kBaseY + w.y2});
      EXPECT_EQ(int{e.ColorNo}, 0);
      EXPECT_EQ(int{e.LineType}, w.LineType);
      EXPECT_EQ(int{e.LineTag}, 0);
    }
  }

  // Frame rectangle with sill (5) and leaf-0 outline (3) come first.
  static constexpr std::size_t kLeafStart = 8;
};

// The frame by style, with and without sill and surround; the leaf-0
// outline only with the surround. Kind 54 without panels adds one divider.
TEST_F(ElevationTest, FrameStyles) {
  for (int style = 0; style <= 4; ++style) {
    for (int sill : {0, 1}) {
      for (int surround : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "style " << style << " sill " << sill << " surround " << surround);
        FittingDefaults.FitFrameType = static_cast<std::uint8_t>(style);
        FittingDefaults.FitSillSize = sill ? 30 : 0;
        FittingDefaults.FitSurroundOn = static_cast<std::uint8_t>(surround);
        Build(54);
        const double s = surround ? 20 : 0;
        const double l = sill ? 30 : 0;
        const double xR = 1000 + s;
        const double yT = 2000 + s;
        std::vector<ElevationLine> want;
        auto rect = [&](double x1, double y1, double x2, double y2) {
          want.insert(want.end(), {{x1, y1, x2, y1}, {x1, y2, x2, y2}, {x1, y1, x1, y2}, {x2, y1, x2, y2}});
        };
        if (style == 2) {
          want = {{-s, 0, -s, yT},
                  {xR, 0, xR, yT},
                  {-s, yT, xR, yT},
                  {-40 - s, -l, xR + 40, -l},
                  {-40 - s, -l, -40 - s, yT + 40},
                  {-40 - s, yT + 40, xR + 40, yT + 40},
                  {xR + 40, -l, xR + 40, yT + 40}};
          if (sill) want.push_back({-40 - s, 0, xR + 40, 0});
        } else {
          rect(-s, -l, xR, yT);
          if (style == 1) want.insert(want.end(), {{-40 - s, 0, -40 - s, yT}, {xR + 40, 0, xR + 40, yT}});
          if (style == 3) rect(-40 - s, -40 - l, xR + 40, yT + 40);
          if (sill) want.push_back({-s, 0, xR, 0});
        }
        if (surround) want.insert(want.end(), {{0, 0, 0, 2000}, {1000, 0, 1000, 2000}, {0, 2000, 1000, 2000}});
        want.push_back({0, 970, 1000, 970});  // (2000 - 60) / 2
        ASSERT_EQ(Out().size(), want.size());
        for (std::size_t i = 0; i < want.size(); ++i) ExpectElevation(i, {want[i]});
      }
    }
  }
}

// Leaves side by side at i(w + o), with mullion sides s inside the gap
// reaching the frame top, and the opening by code 4.
TEST_F(ElevationTest, LeafLayout) {
  const struct {
    int n, total;
    double w, B;
  } cases[] = {
      {1, 0, 1000, 1000}, {2, 0, 1000, 2080}, {3, 0, 1000, 3160},
      {1, 1, 1000, 1000}, {2, 1, 460, 1000},  // (1000 - 80) / 2
      {3, 1, 280, 1000},                      // (1000 - 160) / 3
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "n " << c.n << " total " << c.total);
    FittingDefaults.FitLeafCount = static_cast<std::uint8_t>(c.n);
    FittingDefaults.FitWidthIsTotal = static_cast<std::uint8_t>(c.total);
    Build(54);
    // Frame 5, outline 3, then per leaf: divider, (mullion 2, outline 3).
    ASSERT_EQ(Out().size(), 8u + 1 + 6u * (c.n - 1));
    ExpectElevation(0, {{-20, -30, c.B + 20, -30}, {-20, 2020, c.B + 20, 2020}});
    ExpectElevation(5, {{0, 0, 0, 2000}, {c.w, 0, c.w, 2000}, {0, 2000, c.w, 2000}, {0, 970, c.w, 970}});
    for (int i = 1; i < c.n; ++i) {
      const double xi = i * (c.w + 80);
      ExpectElevation(9 + 6 * (i - 1), {{xi, 970, xi + c.w, 970},
                                        {xi - 60, 0, xi - 60, 2020},
                                        {xi - 20, 0, xi - 20, 2020},
                                        {xi, 0, xi, 2000},
                                        {xi + c.w, 0, xi + c.w, 2000},
                                        {xi, 2000, xi + c.w, 2000}});
    }
    DraftDefaults.FigureBasePoint = 4;
    Build(54);
    ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {-c.B / 2, -1000});
    DraftDefaults.FigureBasePoint = 2;
  }
}

// The marks in the leaf box (0, 0)..(1000, 2000), centre (500, 1000).
TEST_F(ElevationTest, OpeningMarks) {
  const struct {
    int mark;
    std::uint8_t kind;
    std::vector<ElevationLine> lines;
  } cases[] = {
      {1, 54, {{320, 1000, 680, 1000}, {320, 1000, 410, 1060}, {680, 1000, 590, 940}}},  // 180, 90, 60
      {1, 52, {{350, 1000, 650, 1000}, {350, 1000, 430, 1040}, {650, 1000, 570, 960}}},  // 150, 80, 40
      {2, 54, {{0, 2000, 500, 0, 6}, {1000, 2000, 500, 0, 6}}},
      {3, 54, {{0, 2000, 1000, 1000, 6}, {0, 0, 1000, 1000, 6}}},
      {4, 54, {{0, 0, 1000, 2000, 6}}},
      {5, 54, {{0, 1000, 500, 0, 6}, {1000, 1000, 500, 0, 6}, {0, 1000, 500, 2000, 6}, {1000, 1000, 500, 2000, 6}}},
      {6, 54, {{0, 0, 500, 2000, 6}, {1000, 0, 500, 2000, 6}}},
      // Quarter points 250 and 750; 120, 90, 60.
      {7, 54, {{130, 1000, 370, 1000}, {130, 1000, 220, 1060}, {630, 1000, 870, 1000}, {870, 1000, 780, 1060}}},
      {8, 54, {{500, 820, 500, 1180}, {500, 820, 440, 910}, {500, 1180, 560, 1090}}},
      {9, 54, {}},
      {0, 54, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mark " << c.mark << " kind " << int{c.kind});
    FittingDefaults.FitHandleType = static_cast<std::uint8_t>(c.mark);
    Build(c.kind);
    // Kind 54 draws its divider first; kind 52 without louvres nothing.
    const std::size_t from = kLeafStart + (c.kind == 54 ? 1 : 0);
    ASSERT_EQ(Out().size(), from + c.lines.size());
    for (std::size_t i = 0; i < c.lines.size(); ++i) ExpectElevation(from + i, {c.lines[i]});
  }
}

struct InteriorCase {
  std::uint8_t kind;
  int pattern;
  double width, stile, topRail;
  std::vector<ElevationLine> lines;
};

// Each kind's interior of a single leaf with each panel style.
TEST_F(ElevationTest, LeafInteriors) {
  const InteriorCase cases[] = {
      // Kind 51: divider (1000 - 60) / 2 = 470.
      {51, 0, 1000, 50, 50, {{470, 0, 470, 2000}}},
      {51, 3, 1000, 50, 50, {{470, 0, 470, 2000}}},
      {51,
       1,
       1000,
       50,
       50,
       {{50, 50, 470, 50},
        {50, 1950, 470, 1950},
        {50, 50, 50, 1950},
        {470, 0, 470, 2000},
        {520, 50, 950, 50},
        {520, 1950, 950, 1950},
        {520, 50, 520, 1950},
        {950, 50, 950, 1950}}},
      // g - m = -10: the left panel has no right side.
      {51,
       2,
       1000,
       50,
       50,
       {{50, 50, 470, 50},
        {50, 1950, 470, 1950},
        {50, 50, 50, 1950},
        {520, 50, 950, 50},
        {520, 1950, 950, 1950},
        {520, 50, 520, 1950},
        {950, 50, 950, 1950},
        {470, 0, 470, 2000}}},
      // g 100, g - m = 40: the left panel ends at (1000 + 60) / 2 - 100.
      {51,
       2,
       1000,
       100,
       50,
       {{100, 50, 430, 50},
        {100, 1950, 430, 1950},
        {100, 50, 100, 1950},
        {430, 50, 430, 1950},
        {570, 50, 900, 50},
        {570, 1950, 900, 1950},
        {570, 50, 570, 1950},
        {900, 50, 900, 1950},
        {470, 0, 470, 2000}}},
      // g 60 = m: not more than m, so the left panel has no right side.
      {51,
       2,
       1000,
       60,
       50,
       {{60, 50, 470, 50},
        {60, 1950, 470, 1950},
        {60, 50, 60, 1950},
        {530, 50, 940, 50},
        {530, 1950, 940, 1950},
        {530, 50, 530, 1950},
        {940, 50, 940, 1950},
        {470, 0, 470, 2000}}},
      // g 59: the same rule a stile narrower.
      {51,
       2,
       1000,
       59,
       50,
       {{59, 50, 470, 50},
        {59, 1950, 470, 1950},
        {59, 50, 59, 1950},
        {529, 50, 941, 50},
        {529, 1950, 941, 1950},
        {529, 50, 529, 1950},
        {941, 50, 941, 1950},
        {470, 0, 470, 2000}}},
      // g 61, g - m = 1: the left panel ends at (1000 + 60) / 2 - 61 = 469.
      {51,
       2,
       1000,
       61,
       50,
       {{61, 50, 469, 50},
        {61, 1950, 469, 1950},
        {61, 50, 61, 1950},
        {469, 50, 469, 1950},
        {531, 50, 939, 50},
        {531, 1950, 939, 1950},
        {531, 50, 531, 1950},
        {939, 50, 939, 1950},
        {470, 0, 470, 2000}}},
      // Kind 52 without louvres: one panel, or nothing.
      {52, 0, 1000, 50, 50, {}},
      {52, 1, 1000, 50, 50, {{50, 50, 950, 50}, {50, 1950, 950, 1950}, {50, 50, 50, 1950}, {950, 50, 950, 1950}}},
      {52, 2, 1000, 50, 50, {{50, 50, 950, 50}, {50, 1950, 950, 1950}, {50, 50, 50, 1950}, {950, 50, 950, 1950}}},
      // Kind 53 without a split position: the middle.
      {53, 0, 1000, 50, 50, {{500, 0, 500, 2000}}},
      {53,
       2,
       1000,
       50,
       50,
       {{50, 50, 450, 50},
        {50, 1950, 450, 1950},
        {50, 50, 50, 1950},
        {450, 50, 450, 1950},
        {550, 50, 950, 50},
        {550, 1950, 950, 1950},
        {550, 50, 550, 1950},
        {950, 50, 950, 1950},
        {500, 0, 500, 2000}}},
      // Kind 54: divider at 970, lower panel top at (2000 + 60) / 2 - 50 = 980.
      {54, 0, 1000, 50, 50, {{0, 970, 1000, 970}}},
      {54,
       1,
       1000,
       50,
       50,
       {{50, 50, 950, 50},
        {0, 980, 1000, 980},
        {50, 50, 50, 980},
        {950, 50, 950, 980},
        {50, 1020, 950, 1020},
        {50, 1950, 950, 1950},
        {50, 1020, 50, 1950},
        {950, 1020, 950, 1950}}},
      // e - m = -10: the lower panel has no top.
      {54,
       2,
       1000,
       50,
       50,
       {{50, 50, 950, 50},
        {50, 50, 50, 980},
        {950, 50, 950, 980},
        {50, 1020, 950, 1020},
        {50, 1950, 950, 1950},
        {50, 1020, 50, 1950},
        {950, 1020, 950, 1950},
        {0, 970, 1000, 970}}},
      // e 100, e - m = 40: lower top at 1030 - 100 = 930, panels to 1900.
      {54,
       2,
       1000,
       50,
       100,
       {{50, 50, 950, 50},
        {50, 930, 950, 930},
        {50, 50, 50, 930},
        {950, 50, 950, 930},
        {50, 1020, 950, 1020},
        {50, 1900, 950, 1900},
        {50, 1020, 50, 1900},
        {950, 1020, 950, 1900},
        {0, 970, 1000, 970}}},
      // Kind 55 at w 1200: dividers 400 - 30 = 370 and 800 - 30 = 770.
      {55, 0, 1200, 50, 50, {{370, 0, 370, 2000}, {770, 0, 770, 2000}}},
      {55,
       1,
       1200,
       50,
       50,
       {{50, 50, 370, 50},
        {50, 1950, 370, 1950},
        {50, 50, 50, 1950},
        {370, 0, 370, 2000},
        {420, 50, 770, 50},
        {420, 1950, 770, 1950},
        {420, 50, 420, 1950},
        {770, 0, 770, 2000},
        {820, 50, 1150, 50},
        {820, 1950, 1150, 1950},
        {820, 50, 820, 1950},
        {1150, 50, 1150, 1950}}},
      {55,
       2,
       1200,
       50,
       50,
       {{50, 50, 370, 50},
        {50, 1950, 370, 1950},
        {50, 50, 50, 1950},
        {420, 50, 770, 50},
        {420, 1950, 770, 1950},
        {420, 50, 420, 1950},
        {820, 50, 1150, 50},
        {820, 1950, 1150, 1950},
        {820, 50, 820, 1950},
        {1150, 50, 1150, 1950},
        {370, 0, 370, 2000},
        {770, 0, 770, 2000}}},
      // g 100: panels end at 400 + 30 - 100 and 800 + 30 - 100.
      {55,
       2,
       1200,
       100,
       50,
       {{100, 50, 330, 50},
        {100, 1950, 330, 1950},
        {100, 50, 100, 1950},
        {330, 50, 330, 1950},
        {470, 50, 730, 50},
        {470, 1950, 730, 1950},
        {470, 50, 470, 1950},
        {730, 50, 730, 1950},
        {870, 50, 1100, 50},
        {870, 1950, 1100, 1950},
        {870, 50, 870, 1950},
        {1100, 50, 1100, 1950},
        {370, 0, 370, 2000},
        {770, 0, 770, 2000}}},
      // Kind 56 at w 1200: dividers 300 - 30, 600, 900 + 30.
      {56, 0, 1200, 50, 50, {{270, 0, 270, 2000}, {600, 0, 600, 2000}, {930, 0, 930, 2000}}},
      {56,
       1,
       1200,
       50,
       50,
       {{50, 50, 270, 50},
        {50, 1950, 270, 1950},
        {50, 50, 50, 1950},
        {270, 0, 270, 2000},
        {320, 50, 550, 50},
        {320, 1950, 550, 1950},
        {320, 50, 320, 1950},
        {550, 50, 550, 1950},
        {650, 50, 870, 50},
        {650, 1950, 870, 1950},
        {650, 50, 650, 1950},
        {870, 50, 870, 1950},
        {920, 50, 1150, 50},
        {920, 1950, 1150, 1950},
        {920, 0, 920, 2000},
        {1150, 50, 1150, 1950},
        {600, 0, 600, 2000}}},
      // g < m: the fourth panel from 900 + 20 has no left side and its
      // rails start 50 further right.
      {56,
       2,
       1200,
       50,
       50,
       {{50, 50, 270, 50},
        {50, 1950, 270, 1950},
        {50, 50, 50, 1950},
        {270, 50, 270, 1950},
        {970, 50, 1150, 50},
        {970, 1950, 1150, 1950},
        {1150, 50, 1150, 1950},
        {320, 50, 550, 50},
        {320, 1950, 550, 1950},
        {320, 50, 320, 1950},
        {550, 50, 550, 1950},
        {650, 50, 880, 50},
        {650, 1950, 880, 1950},
        {650, 50, 650, 1950},
        {880, 50, 880, 1950},
        {270, 0, 270, 2000},
        {600, 0, 600, 2000},
        {930, 0, 930, 2000}}},
      // g 60 = m: taken as not less, the four panels whole: (60, 270),
      // (900 - 30 + 60 = 930, 1140), (300 - 30 + 60 = 330, 540) and
      // (660, 900 + 30 - 60 = 870).
      {56,
       2,
       1200,
       60,
       50,
       {{60, 50, 270, 50},
        {60, 1950, 270, 1950},
        {60, 50, 60, 1950},
        {270, 50, 270, 1950},
        {930, 50, 1140, 50},
        {930, 1950, 1140, 1950},
        {930, 50, 930, 1950},
        {1140, 50, 1140, 1950},
        {330, 50, 540, 50},
        {330, 1950, 540, 1950},
        {330, 50, 330, 1950},
        {540, 50, 540, 1950},
        {660, 50, 870, 50},
        {660, 1950, 870, 1950},
        {660, 50, 660, 1950},
        {870, 50, 870, 1950},
        {270, 0, 270, 2000},
        {600, 0, 600, 2000},
        {930, 0, 930, 2000}}},
      // g 59 < m: the fourth panel from 900 + 29 without its left side, its
      // rails from 929 + 59 = 988.
      {56,
       2,
       1200,
       59,
       50,
       {{59, 50, 270, 50},
        {59, 1950, 270, 1950},
        {59, 50, 59, 1950},
        {270, 50, 270, 1950},
        {988, 50, 1141, 50},
        {988, 1950, 1141, 1950},
        {1141, 50, 1141, 1950},
        {329, 50, 541, 50},
        {329, 1950, 541, 1950},
        {329, 50, 329, 1950},
        {541, 50, 541, 1950},
        {659, 50, 871, 50},
        {659, 1950, 871, 1950},
        {659, 50, 659, 1950},
        {871, 50, 871, 1950},
        {270, 0, 270, 2000},
        {600, 0, 600, 2000},
        {930, 0, 930, 2000}}},
      // g 100 >= m.
      {56,
       2,
       1200,
       100,
       50,
       {{100, 50, 230, 50},
        {100, 1950, 230, 1950},
        {100, 50, 100, 1950},
        {230, 50, 230, 1950},
        {970, 50, 1100, 50},
        {970, 1950, 1100, 1950},
        {970, 50, 970, 1950},
        {1100, 50, 1100, 1950},
        {370, 50, 500, 50},
        {370, 1950, 500, 1950},
        {370, 50, 370, 1950},
        {500, 50, 500, 1950},
        {700, 50, 830, 50},
        {700, 1950, 830, 1950},
        {700, 50, 700, 1950},
        {830, 50, 830, 1950},
        {270, 0, 270, 2000},
        {600, 0, 600, 2000},
        {930, 0, 930, 2000}}},
  };
  for (const InteriorCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << int{c.kind} << " pattern " << c.pattern << " g " << c.stile << " e "
                                    << c.topRail);
    FittingDefaults.FitLeafPattern = static_cast<std::uint8_t>(c.pattern);
    FittingDefaults.FitWidth = c.width;
    FittingDefaults.FitLeafFrame3 = c.stile;
    FittingDefaults.FitLeafFrame1 = c.topRail;
    Build(c.kind);
    ASSERT_EQ(Out().size(), kLeafStart + c.lines.size());
    for (std::size_t i = 0; i < c.lines.size(); ++i) ExpectElevation(kLeafStart + i, {c.lines[i]});
  }
}

// A rail or stile set to 0 leaves that side of the panels out.
TEST_F(ElevationTest, PanelSidesFollowTheStoredRails) {
  FittingDefaults.FitLeafPattern = 2;
  FittingDefaults.FitLeafFrame2 = 0;  // f = 0: no bottoms
  FittingDefaults.FitLeafFrame3 = 0;  // g = 0: no sides
  Build(52);
  ASSERT_EQ(Out().size(), kLeafStart + 1);
  ExpectElevation(kLeafStart, {{0, 1950, 1000, 1950}});
}

// Louvres every 75 or 45 downward from the top, Trunc(height / pitch) of
// them; any other pitch none.
TEST_F(ElevationTest, Louvres) {
  const struct {
    int pitchType, pattern;
    double step, x1, x2, top;
    int count;
    std::size_t from;
  } cases[] = {
      {1, 0, 75, 0, 1000, 2000, 26, kLeafStart},      // 2000 / 75 = 26.7
      {2, 0, 45, 0, 1000, 2000, 44, kLeafStart},      // 2000 / 45 = 44.4
      {1, 1, 75, 50, 950, 1950, 25, kLeafStart + 4},  // 1900 / 75 = 25.3
      {2, 1, 45, 50, 950, 1950, 42, kLeafStart + 4},  // 1900 / 45 = 42.2
      {3, 0, 0, 0, 0, 0, 0, kLeafStart},
      {0, 1, 0, 0, 0, 0, 0, kLeafStart + 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "pitch " << c.pitchType << " pattern " << c.pattern);
    FittingDefaults.FitStripePattern = static_cast<std::uint8_t>(c.pitchType);
    FittingDefaults.FitLeafPattern = static_cast<std::uint8_t>(c.pattern);
    Build(52);
    ASSERT_EQ(Out().size(), c.from + c.count);
    for (int k = 1; k <= c.count; ++k) {
      const double y = c.top - k * c.step;
      ExpectElevation(c.from + k - 1, {{c.x1, y, c.x2, y}});
    }
  }
}

// Middle bars 850 and 890 high (f 50 + 800, + 40) after the leaf's lines.
TEST_F(ElevationTest, MiddleBars) {
  FittingDefaults.FitBarOn = 1;
  FittingDefaults.FitBarHeight = 800;
  FittingDefaults.FitBarWidth = 40;
  struct Bar {
    double x1, x2;
  };
  const struct {
    std::uint8_t kind;
    int pattern;
    double width, split;
    std::size_t interior;
    std::vector<Bar> bars;
  } cases[] = {
      // Insets g = 50 with panels, none without; half the stile 30.
      {51, 1, 1000, 0, 8, {{50, 480}, {520, 950}}},
      {51, 0, 1000, 0, 1, {{0, 470}, {470, 1000}}},
      {52, 1, 1000, 0, 4, {{50, 950}}},
      {52, 0, 1000, 0, 0, {{0, 1000}}},
      {53, 1, 1000, 300, 9, {{50, 250}, {350, 950}}},
      {53, 0, 1000, 0, 1, {{0, 500}, {500, 1000}}},
      // Thirds at 400 and 800.
      {55, 1, 1200, 0, 12, {{50, 380}, {420, 780}, {820, 1150}}},
      // Quarters 300, 600, 900; parts 1, 4, 2, 3.
      {56, 1, 1200, 0, 17, {{50, 270}, {930, 1150}, {320, 550}, {650, 880}}},
      {54, 1, 1000, 0, 8, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << int{c.kind} << " pattern " << c.pattern);
    FittingDefaults.FitLeafPattern = static_cast<std::uint8_t>(c.pattern);
    FittingDefaults.FitWidth = c.width;
    FittingDefaults.FitLeafSplit = c.split;
    Build(c.kind);
    const std::size_t from = kLeafStart + c.interior;
    ASSERT_EQ(Out().size(), from + 2 * c.bars.size());
    for (std::size_t i = 0; i < c.bars.size(); ++i) {
      ExpectElevation(from + 2 * i, {{c.bars[i].x1, 850, c.bars[i].x2, 850}, {c.bars[i].x1, 890, c.bars[i].x2, 890}});
    }
  }
}

// Kind 51's bar 150 and 180 below the panel top (or the leaf top without
// panels) over the left or right part, with its hanger at the part's middle.
TEST_F(ElevationTest, TopBarOnEachSide) {
  const struct {
    int side, pattern;
    std::size_t interior;
    std::vector<ElevationLine> lines;
  } cases[] = {
      {1, 1, 8, {{50, 1800, 480, 1800}, {50, 1770, 480, 1770}, {250, 1950, 250, 1800}}},
      {2, 1, 8, {{520, 1800, 950, 1800}, {520, 1770, 950, 1770}, {735, 1950, 735, 1800}}},
      {1, 0, 1, {{0, 1850, 470, 1850}, {0, 1820, 470, 1820}, {250, 2000, 250, 1850}}},
      {2, 0, 1, {{470, 1850, 1000, 1850}, {470, 1820, 1000, 1820}, {735, 2000, 735, 1850}}},
      {3, 1, 8, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "side " << c.side << " pattern " << c.pattern);
    FittingDefaults.FitHandlePlacement = static_cast<std::uint8_t>(c.side);
    FittingDefaults.FitLeafPattern = static_cast<std::uint8_t>(c.pattern);
    Build(51);
    const std::size_t from = kLeafStart + c.interior;
    ASSERT_EQ(Out().size(), from + c.lines.size());
    for (std::size_t i = 0; i < c.lines.size(); ++i) ExpectElevation(from + i, {c.lines[i]});
    // The top bar belongs to kind 51 alone.
    Build(55);
    EXPECT_EQ(Out().size(), kLeafStart + (c.pattern == 1 ? 12u : 2u));
  }
}

// A split position of 0 or less splits every part of the leaf at its
// middle: panels, split line, the rhombus apex and the middle bars.
TEST_F(ElevationTest, SplitAtTheMiddleUnlessSetInside) {
  FittingDefaults.FitLeafPattern = 1;
  FittingDefaults.FitHandleType = 5;
  FittingDefaults.FitBarOn = 1;
  FittingDefaults.FitBarHeight = 800;
  FittingDefaults.FitBarWidth = 40;
  FittingDefaults.FitLeafCount = 2;
  for (double split : {300.0, 0.0, -300.0}) {
    SCOPED_TRACE(split);
    FittingDefaults.FitLeafSplit = split;
    Build(53);
    const double p = split > 0 ? split : 500;
    // Per leaf: 9 interior, (5 mullion and outline), 4 mark, 4 bar lines.
    ASSERT_EQ(Out().size(), kLeafStart + 17u + 22u);
    for (int i = 0; i < 2; ++i) {
      const double xi = i * 1080;
      const std::size_t at = kLeafStart + 17 * i;
      ExpectElevation(at, {{xi + 50, 50, xi + p - 50, 50}});
      ExpectElevation(at + 8, {{xi + p, 0, xi + p, 2000}});
      const std::size_t mark = at + 9 + (i > 0 ? 5 : 0);
      ExpectElevation(mark, {{xi, 1000, xi + p, 0, 6}});
      ExpectElevation(mark + 4, {{xi + 50, 850, xi + p - 50, 850}});
      ExpectElevation(mark + 6, {{xi + p + 50, 850, xi + 950, 850}});
    }
  }
}

// Leaves wide enough for every mark keep every line inside the frame's
// outer box, whatever the kind, pattern, mark, bars and frame style.
TEST_F(ElevationTest, EveryLineLiesInTheFrame) {
  FittingDefaults.FitLeafCount = 2;
  FittingDefaults.FitBarOn = 1;
  FittingDefaults.FitStripePattern = 2;
  FittingDefaults.FitLeafSplit = 300;
  for (std::uint8_t kind = 51; kind <= 56; ++kind) {
    for (int pattern = 0; pattern <= 2; ++pattern) {
      for (int mark = 0; mark <= 8; ++mark) {
        for (int style = 0; style <= 3; ++style) {
          FittingDefaults.FitLeafPattern = static_cast<std::uint8_t>(pattern);
          FittingDefaults.FitHandleType = static_cast<std::uint8_t>(mark);
          FittingDefaults.FitFrameType = static_cast<std::uint8_t>(style);
          FittingDefaults.FitHandlePlacement = static_cast<std::uint8_t>(1 + mark % 2);
          Build(kind);
          // Outer box: d 40 and s 20 beyond the 2080 x 2000 opening, l 30 below.
          for (const RDrawElement& e : Out()) {
            for (Pt q : {First(e), Second(e)}) {
              EXPECT_TRUE(q.x >= kBaseX - 60 - 1e-9 && q.x <= kBaseX + 2140 + 1e-9 && q.y >= kBaseY - 70 - 1e-9 &&
                          q.y <= kBaseY + 2060 + 1e-9)
                  << "kind " << int{kind} << " pattern " << pattern << " mark " << mark << " style " << style;
            }
          }
        }
      }
    }
  }
}

// No leaves with the width shared among them: leaf width 0, the frame
// round the whole width, and finite lines.
TEST_F(ElevationTest, NoLeavesWithASharedWidth) {
  FittingDefaults.FitLeafCount = 0;
  FittingDefaults.FitWidthIsTotal = 1;
  FittingDefaults.FitHandleType = 1;
  for (std::uint8_t kind = 51; kind <= 56; ++kind) {
    SCOPED_TRACE(int{kind});
    Build(kind, 30);
    EXPECT_TRUE(AllFinite(Out()));
    Build(kind);
    ASSERT_EQ(Out().size(), 8u);
    ExpectElevation(0, {{-20, -30, 1020, -30}});
    ExpectElevation(5, {{0, 0, 0, 2000}, {0, 0, 0, 2000}, {0, 2000, 0, 2000}});
  }
}

// The built-in settings at scale 100, centred: the frame from (-0.15,
// -0.45) to (18.15, 19.15) about the 18 x 19 opening.
TEST_F(ElevationTest, BuiltInSettings) {
  FittingDefaults = RFittingDefaults{};
  DraftDefaults = RDraftDefaults{};
  fig_.SetStylesAndScale(styles_, 100);
  Build(51);
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {-9, -9.5});
  const double ox = kBaseX - 9;
  const double oy = kBaseY - 9.5;
  ExpectLine(Out()[0], {ox - 0.15, oy - 0.45}, {ox + 18.15, oy - 0.45});
  ExpectLine(Out()[1], {ox - 0.15, oy + 19.15}, {ox + 18.15, oy + 19.15});
  ExpectLine(Out()[4], {ox - 0.15, oy}, {ox + 18.15, oy});
  // Panels 0.4..8.8 and 9.2..17.6; the divider at 8.8 from 0 to 19.
  ExpectLine(Out()[8], {ox + 0.4, oy + 0.4}, {ox + 8.8, oy + 0.4});
  ExpectLine(Out()[11], {ox + 8.8, oy}, {ox + 8.8, oy + 19});
  ExpectLine(Out()[12], {ox + 9.2, oy + 0.4}, {ox + 17.6, oy + 0.4});
  EXPECT_EQ(Out().size(), 16u);
}

}  // namespace
