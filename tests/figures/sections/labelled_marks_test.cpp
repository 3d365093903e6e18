// Labelled symbols (kind 90), hook marks (91 to 94) and marks on the
// reference lines (95).

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "figures/sections/figure_checks.h"
#include "figures/sections/section_generator.h"
#include "geometry/codepage.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

const double kCos30LabelledMarks = std::sqrt(3.0) / 2;
const double kSqrtHalf = std::sqrt(0.5);

class LabelledMarksTest : public ::testing::Test {
 protected:
  void Generate(std::uint8_t kind, double x, double y, double angle, double d1 = 0, double d2 = 0) {
    fig_.Generate(kind, x, y, d1, d2, 0, 0, 0, 0, angle);
  }

  // The centre of a centred label at angle 0 in style 3 (2.0 high).
  static Pt CentreOf(const RDrawElement& e) { return {(e.X1 + e.X2) / 2, e.Y1 + 1.0}; }

  void ExpectLabel(std::size_t element, const std::string& text, Pt at, std::uint8_t justify = 6) {
    const RDrawElement& e = fig_.Elements[element];
    ASSERT_EQ(int{e.Kind}, int{kKindText});
    ASSERT_LT(static_cast<std::size_t>(e.TextIndex), fig_.Texts.size());
    EXPECT_EQ(fig_.Texts[e.TextIndex], text);
    EXPECT_EQ(int{e.TextStyle}, 3);
    EXPECT_EQ(int{e.ColorNo}, 1);
    EXPECT_EQ(int{e.LineType}, 1);
    // Style 3 in the test styles: 2.0 per single-byte character, 2.0 high.
    const double w = 2.0 * text.size();
    const double shiftY = justify == 6 ? 1.0 : 0.0;
    ExpectPoint(First(e), {at.x - w / 2, at.y - shiftY});
  }

  SettingsGuard guard_;
  std::array<RTextStyle, kTextStyleCount> styles_ = TestStyles();
  TBuzaidanmenobj fig_{styles_, 100.0};
};

// Box 8 x 8 centred on the base point (code 4): corner (46, 56), frame
// centre (50, 60).
TEST_F(LabelledMarksTest, LabelPositionsByFrameKind) {
  FirstData5.LabelText1 = "A";
  FirstData5.LabelText2 = "B";
  FirstData5.LabelText3 = "C";
  const struct {
    std::uint8_t kind;
    std::size_t frame;
    std::vector<Pt> labels;
    std::uint8_t justify;
  } cases[] = {
      {0, 2, {{50, 62}, {50, 58}}, 6},
      {1, 1, {{50, 60}}, 6},
      {2, 5, {{50, 60}}, 6},
      // Bracket: bottom-centred 1.2 h and 0.1 h above the centre (h = 2).
      {3, 3, {{50, 62.4}, {50, 60.2}}, 1},
      {4, 3, {{50, 60 + 8.0 / 3}, {50, 60}, {50, 60 - 8.0 / 3}}, 6},
      {5, 0, {{50, 60}}, 6},
      {6, 0, {}, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int{c.kind});
    FirstData5.LabelSymbolShape = c.kind;
    Generate(90, 50, 60, 0);
    ASSERT_EQ(fig_.Elements.size(), c.frame + c.labels.size());
    ASSERT_EQ(fig_.Texts.size(), c.labels.size());
    const char* names[] = {"A", "B", "C"};
    for (std::size_t i = 0; i < c.labels.size(); ++i) ExpectLabel(c.frame + i, names[i], c.labels[i], c.justify);
  }
  // The frame of kind 0 around the frame centre.
  FirstData5.LabelSymbolShape = 0;
  Generate(90, 50, 60, 0);
  ExpectLine(fig_.Elements[0], {46.4, 60}, {53.6, 60});
  ExpectArc(fig_.Elements[1], {50, 60}, 4, 0, 0);
}

// Turned by 30 about the box corner: with the box centred on the base point
// every point ends at C + R30(p - centre).
TEST_F(LabelledMarksTest, ALabelledSymbolTurnedThirtyDegrees) {
  FirstData5.LabelText1 = "A";
  FirstData5.LabelText2 = "B";
  Generate(90, 50, 60, 30);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 4u);
  // The bar: (+-3.6, 0) turned.
  ExpectLine(e[0], {50 - 3.6 * kCos30LabelledMarks, 60 - 1.8}, {50 + 3.6 * kCos30LabelledMarks, 60 + 1.8});
  ExpectArc(e[1], {50, 60}, 4, 0, 0, 30.0f);
  // Label 1 at (0, 2) from the centre turned: (-1, 2 cos 30); the first
  // point lies R30(1, 1) before it.
  const Pt label1{50 - 1, 60 + 2 * kCos30LabelledMarks};
  EXPECT_EQ(float{e[2].TextAngle}, 30.0f);
  ExpectPoint(First(e[2]), {label1.x - (kCos30LabelledMarks - 0.5), label1.y - (0.5 + kCos30LabelledMarks)});
  const Pt label2{50 + 1, 60 - 2 * kCos30LabelledMarks};
  ExpectPoint(First(e[3]), {label2.x - (kCos30LabelledMarks - 0.5), label2.y - (0.5 + kCos30LabelledMarks)});
}

TEST_F(LabelledMarksTest, EmptyLabelsGiveTheFrameOnlyAndLabelsAreConverted) {
  fig_.Texts = {"old"};
  Generate(90, 0, 0, 0);
  EXPECT_EQ(fig_.Elements.size(), 2u);
  EXPECT_TRUE(fig_.Texts.empty());

  FirstData5.LabelText1 = "a1";
  FirstData5.LabelText2 = J("Ｂ２");
  FirstData5.LabelWidthConversion = 1;
  Generate(90, 0, 0, 0);
  ASSERT_EQ(fig_.Texts.size(), 2u);
  EXPECT_EQ(fig_.Texts[0], J("ａ１"));
  EXPECT_EQ(fig_.Texts[1], J("Ｂ２"));
  FirstData5.LabelWidthConversion = 2;
  Generate(90, 0, 0, 0);
  EXPECT_EQ(fig_.Texts[0], "a1");
  EXPECT_EQ(fig_.Texts[1], "B2");
  FirstData5.LabelWidthConversion = 3;
  Generate(90, 0, 0, 0);
  EXPECT_EQ(fig_.Texts[1], J("Ｂ２"));
}

// Hooks of radius 2 and tail 5 from P = (10, 20).
TEST_F(LabelledMarksTest, HookMarksByHand) {
  const struct {
    std::uint8_t kind;
    Pt tailFrom, tailTo, centre;
    float start, end;
  } cases[] = {
      {91, {14, 20}, {14, 15}, {12, 20}, 0, 180},
      {92, {12, 22}, {17, 22}, {12, 20}, 90, 180},
      {93, {6, 20}, {6, 15}, {8, 20}, 0, 180},
      {94, {8, 22}, {3, 22}, {8, 20}, 0, 90},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int{c.kind});
    fig_.Texts = {"kept"};
    Generate(c.kind, 10, 20, 0, 5, 2);
    ASSERT_EQ(fig_.Elements.size(), 2u);
    ExpectLine(fig_.Elements[0], c.tailFrom, c.tailTo);
    ExpectArc(fig_.Elements[1], c.centre, 2, c.start, c.end);
    for (const RDrawElement& e : fig_.Elements) {
      EXPECT_EQ(int{e.ColorNo}, 0);
      EXPECT_EQ(int{e.LineType}, 0);
    }
    ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {10, 20});
    EXPECT_EQ(fig_.Texts, std::vector<std::string>{"kept"});
  }
}

TEST_F(LabelledMarksTest, HookMarksTurnAboutTheirStart) {
  Generate(91, 10, 20, 90, 5, 2);
  ASSERT_EQ(fig_.Elements.size(), 2u);
  // (4, 0) and (4, -5) from P turned by 90: (0, 4) and (5, 4).
  ExpectLine(fig_.Elements[0], {10, 24}, {15, 24}, 1e-12);
  ExpectArc(fig_.Elements[1], {10, 22}, 2, 0, 180, 90.0f, 1e-12);
}

TEST_F(LabelledMarksTest, AHookWithoutTailOrRadiusKeepsThePreviousFigure) {
  fig_.Generate(0, 0, 0, 0.2, 0.1, 0.01, 0.02, 0, 0, 0);
  const std::vector<RDrawElement> h = fig_.Elements;
  ASSERT_EQ(h.size(), 12u);
  Generate(91, 5, 5, 0, 0, 2);
  EXPECT_EQ(fig_.Elements.size(), h.size());
  Generate(94, 5, 5, 0, 3, 0);
  EXPECT_EQ(fig_.Elements.size(), h.size());
  EXPECT_EQ(std::memcmp(fig_.Elements.data(), h.data(), h.size() * sizeof(RDrawElement)), 0);
}

class LineMarksTest : public LabelledMarksTest {
 protected:
  void AddLine(double x1, double y1, double x2, double y2) { fig_.AddReferenceLine(LineElement(x1, y1, x2, y2)); }

  // A kind-2 frame on the default ellipse (a = b = 4, ticks 1 each way) at
  // m, unturned: four ticks, then the circle.
  void ExpectLevelMark(std::size_t from, Pt m) {
    const auto& e = fig_.Elements;
    ASSERT_GE(e.size(), from + 5);
    ExpectLine(e[from], {m.x - 5, m.y}, {m.x - 3, m.y});
    ExpectLine(e[from + 1], {m.x + 3, m.y}, {m.x + 5, m.y});
    ExpectLine(e[from + 2], {m.x, m.y - 5}, {m.x, m.y - 3});
    ExpectLine(e[from + 3], {m.x, m.y + 3}, {m.x, m.y + 5});
    ExpectArc(e[from + 4], m, 4, 0, 0);
  }
};

// The cursor's box is centred on it, so the perpendiculars start at (0, 0).
TEST_F(LineMarksTest, ParallelLinesFartherApartThanTheSymbol) {
  FirstData5.LabelText1 = "1";
  for (double y : {10.0, 20.0, 30.0}) AddLine(-50, y, 50, y);
  Generate(95, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 18u);
  EXPECT_EQ(fig_.Texts, (std::vector<std::string>{"1", "2", "3"}));
  for (int i = 0; i < 3; ++i) {
    ExpectLevelMark(6 * i, {0, 10.0 * (i + 1)});
    ExpectLabel(6 * i + 5, fig_.Texts[i], {0, 10.0 * (i + 1)});
    EXPECT_EQ(float{fig_.Elements[6 * i + 5].TextAngle}, 0.0f);
  }
}

// Lines 5 apart: the second foot lies within W = 8 of the first mark, so
// its mark moves 1.04 x 8 = 8.32 along its line; the third foot is then
// sqrt(5^2 + 8.32^2) = 9.71 from it and stays.
TEST_F(LineMarksTest, CrowdedMarksMoveAlongTheirLines) {
  FirstData5.LabelText1 = "A";
  for (double y : {5.0, 10.0, 15.0}) AddLine(-50, y, 50, y);
  Generate(95, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 18u);
  EXPECT_EQ(fig_.Texts, (std::vector<std::string>{"A", "B", "C"}));
  ExpectLevelMark(0, {0, 5});
  ExpectLevelMark(6, {8.32, 10});
  ExpectLabel(11, "B", {8.32, 10});
  ExpectLevelMark(12, {0, 15});

  // The option sends the mark the other way; a line drawn leftwards moves
  // it the same way as one drawn rightwards.
  FirstData5.MarkOption1 = 1;
  Generate(95, 0, 0, 0);
  ExpectLevelMark(6, {-8.32, 10});
  FirstData5.MarkOption1 = 0;
  fig_.ClearReferenceLines();
  AddLine(-50, 5, 50, 5);
  AddLine(50, 10, -50, 10);
  Generate(95, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 12u);
  // Its direction is 180, so its frame is turned half round about the mark.
  ExpectArc(fig_.Elements[10], {8.32, 10}, 4, 0, 0, 180.0f);
  ExpectLine(fig_.Elements[6], {13.32, 10}, {11.32, 10});
}

TEST_F(LineMarksTest, LinesMeetingAtTheFootShareOneMark) {
  FirstData5.LabelText1 = "9";
  AddLine(-50, 10, 0, 10);
  AddLine(0, 10, 50, 10);
  AddLine(-50, 30, 50, 30);
  Generate(95, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 12u);
  EXPECT_EQ(fig_.Texts, (std::vector<std::string>{"9", "10"}));
  ExpectLevelMark(0, {0, 10});
  ExpectLevelMark(6, {0, 30});
}

// With the option the label stands across its line: 90 on a level line, 315
// on a line at 45 (or 225) degrees, whose frame turns by 45 about its mark.
TEST_F(LineMarksTest, LabelAnglesFollowTheLinesWithTheOption) {
  FirstData5.LabelText1 = "A";
  FirstData5.MarkOption2 = 1;
  AddLine(-10, 0, 10, 20);   // direction 45, foot (-5, 5)
  AddLine(-50, 30, 50, 30);  // level, foot (0, 30)
  AddLine(10, 60, -10, 40);  // direction 225, foot (-25, 25)
  Generate(95, 0, 0, 0);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 18u);
  // The 45-degree line: ticks turned by 45 about (-5, 5), the circle's
  // rotation 45.
  const Pt m{-5, 5};
  ExpectLine(e[0], {m.x - 5 * kSqrtHalf, m.y - 5 * kSqrtHalf}, {m.x - 3 * kSqrtHalf, m.y - 3 * kSqrtHalf});
  ExpectArc(e[4], m, 4, 0, 0, 45.0f);
  EXPECT_EQ(float{e[5].TextAngle}, 315.0f);
  // Turned by 315 the first point lies R315(1, 1) = (sqrt 2, 0) before the
  // centre.
  ExpectPoint(First(e[5]), {m.x - std::sqrt(2.0), m.y});
  EXPECT_EQ(float{e[11].TextAngle}, 90.0f);
  EXPECT_EQ(float{e[17].TextAngle}, 315.0f);

  FirstData5.MarkOption2 = 2;
  Generate(95, 0, 0, 0);
  EXPECT_EQ(float{fig_.Elements[5].TextAngle}, 0.0f);
  EXPECT_EQ(float{fig_.Elements[11].TextAngle}, 0.0f);
}

TEST_F(LineMarksTest, AnEmptyLabelGivesFramesOnly) {
  FirstData5.LabelSymbolShape = 1;  // frame only: the ellipse
  AddLine(-50, 10, 50, 10);
  AddLine(-50, 20, 50, 20);
  fig_.Texts = {"old"};
  Generate(95, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 2u);
  EXPECT_TRUE(fig_.Texts.empty());
  ExpectArc(fig_.Elements[0], {0, 10}, 4, 0, 0);
  ExpectArc(fig_.Elements[1], {0, 20}, 4, 0, 0);
}

// Frame kinds other than 1 and 2 mark with ticks; a line of one point gets
// no mark and does not count as a previous mark; no lines, no figure.
TEST_F(LineMarksTest, DegenerateLinesAndAnEmptyBuffer) {
  FirstData5.LabelText1 = "1";
  FirstData5.LabelSymbolShape = 4;
  AddLine(3, 3, 3, 3);
  AddLine(-50, 5, 50, 5);
  Generate(95, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 6u);
  ExpectLevelMark(0, {0, 5});
  EXPECT_EQ(fig_.Texts, std::vector<std::string>{"1"});

  fig_.ClearReferenceLines();
  Generate(95, 0, 0, 0);
  EXPECT_TRUE(fig_.Elements.empty());
  EXPECT_TRUE(fig_.Texts.empty());
}

}  // namespace
