// Steel shape sections: designations, outlines, mirrors and placement.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "figures/sections/figure_checks.h"
#include "figures/sections/section_generator.h"
#include "support/settings_guard.h"
#include "tools/settings/default_settings.h"

namespace {

// Code page 932 bytes of the full-width signs.
const std::string kTimes = "\x81\x7E";
const std::string kFullH = "\x82\x67";
const std::string kSquare = "\x81\xA0";
const std::string kCircle = "\x81\x9B";
const std::string kFullC = "\x82\x62";
const std::string kFull2 = "\x82\x51";
const std::string kFullL = "\x82\x6B";
const std::string kFullI = "\x82\x68";

class SteelSectionsTest : public ::testing::Test {
 protected:
  SettingsGuard guard_;
  std::array<RTextStyle, kTextStyleCount> styles_ = TestStyles();
  TBuzaidanmenobj fig_{styles_, 100.0};
};

// Sizes 2, 1, 0.065, 0.09 at scale 100 print 200, 100, 6.5 and 9.
TEST_F(SteelSectionsTest, DesignationsOfEveryKind) {
  const std::string four = "-200" + kTimes + "100" + kTimes + "6.5" + kTimes + "9";
  const std::string three = "-200" + kTimes + "100" + kTimes + "6.5";
  const std::string two = "-200" + kTimes + "100";
  const struct {
    std::uint8_t kind;
    std::uint8_t channelOption;
    std::string want;
  } cases[] = {
      {0, 0, kFullH + four}, {1, 0, kSquare + three},        {2, 0, kCircle + two},
      {3, 0, kFullC + four}, {3, 1, kFull2 + kFullC + four}, {3, 2, kFull2 + kFullC + four},
      {3, 3, kFullC + four}, {4, 0, kFullL + three},         {5, 0, "[" + four},
      {6, 0, "CT" + four},   {7, 0, kFullI + four},          {8, 0, kFullL + four},
      {9, 0, "[ " + four},   {10, 0, kFullL + three},        {11, 0, "[ " + two},
  };
  ToolDefaults.SteelTextMode = 1;
  for (const auto& c : cases) {
    ToolDefaults.ChannelOption = c.channelOption;
    fig_.Texts = {"old", "older"};
    fig_.Generate(c.kind, 0, 0, 2, 1, 0.065, 0.09, 0.5, 0.5, 0);
    ASSERT_EQ(fig_.Texts.size(), 1u) << int{c.kind};
    EXPECT_EQ(fig_.Texts[0], c.want) << int{c.kind} << " option " << int{c.channelOption};
    ASSERT_EQ(fig_.Elements.size(), 1u);
    EXPECT_EQ(int{fig_.Elements[0].Kind}, int{kKindText});
  }
}

TEST_F(SteelSectionsTest, DesignationSizesKeepFifteenDigits) {
  ToolDefaults.SteelTextMode = 1;
  // 0.07 * 100 is 7.000000000000001 in binary; fifteen digits print 7.
  fig_.Generate(4, 0, 0, 2, 1, 0.07, 0, 0, 0, 0);
  EXPECT_EQ(fig_.Texts[0], kFullL + "-200" + kTimes + "100" + kTimes + "7");
}

// Style 3 is 40 wide and 20 high: a double-byte character 4.0, a single
// one 2.0, the height 2.0.
TEST_F(SteelSectionsTest, TheDesignationElementIsAnchoredAtTheBasePoint) {
  ToolDefaults.SteelTextMode = 1;
  // "Ｈ-200×100×6.5×9": four double-byte and eleven single-byte characters,
  // w = 38; code 4 centres it on the base point.
  fig_.Generate(0, 50, 40, 2, 1, 0.065, 0.09, 0, 0, 0);
  const RDrawElement& e = fig_.Elements[0];
  EXPECT_EQ(int{e.TextIndex}, 0);
  EXPECT_EQ(int{e.TextStyle}, 3);
  EXPECT_EQ(int{e.LineType}, 1);
  EXPECT_EQ(int{e.ColorNo}, 1);
  ExpectPoint(First(e), {31, 39});
  ExpectPoint(Second(e), {69, 39});

  // Code 0 with gaps 2 and 1 (200 and 100 real mm): the anchor (2, -1)
  // turned by 90 is (1, 2); the top-left justification (7) shifts the start
  // by the height across the text, (-2, 0) once turned. "□-200×100×6.5" is
  // 3 double-byte and 10 single-byte characters, w = 32.
  DraftDefaults.FigureBasePoint = 0;
  ToolDefaults.SteelTextOffsetX = 200;
  ToolDefaults.SteelTextOffsetY = 100;
  ToolDefaults.SteelTextStyle = 3;
  fig_.Generate(1, 50, 40, 2, 1, 0.065, 0.09, 0, 0, 90);
  const RDrawElement& t = fig_.Elements[0];
  EXPECT_EQ(float{t.TextAngle}, 90.0f);
  ExpectPoint(First(t), {53, 42}, 1e-12);
  ExpectPoint(Second(t), {53, 74}, 1e-12);
}

TEST_F(SteelSectionsTest, ThePipeUsesTheSquareBoxOrTheDesignationAnchor) {
  DraftDefaults.FigureBasePoint = 2;
  ToolDefaults.SteelTextOffsetX = 200;
  ToolDefaults.SteelTextOffsetY = 100;
  fig_.Generate(2, 0, 0, 10, 1, 0, 0, 0, 0, 0);
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {0, 0});
  ToolDefaults.SteelTextMode = 1;
  fig_.Generate(2, 0, 0, 10, 1, 0, 0, 0, 0, 0);
  ExpectPoint({fig_.OffsetX, fig_.OffsetY}, {2, 1});
}

TEST_F(SteelSectionsTest, PipeCircles) {
  fig_.Texts = {"kept"};
  fig_.Generate(2, 30, 20, 10, 1, 0, 0, 0, 0, 15);
  ASSERT_EQ(fig_.Elements.size(), 2u);
  ExpectArc(fig_.Elements[0], {30, 20}, 5, 0, 0, 15, 1e-12);
  ExpectArc(fig_.Elements[1], {30, 20}, 4, 0, 0, 15, 1e-12);
  EXPECT_EQ(fig_.Texts, std::vector<std::string>{"kept"});
}

struct CountCase {
  std::uint8_t kind;
  std::uint8_t channelOption;
  std::uint8_t tubeCorner;
  double d5;
  std::size_t count;
};

TEST_F(SteelSectionsTest, ElementCountsWithAndWithoutFillets) {
  const CountCase cases[] = {
      {0, 0, 3, 0, 12},   {0, 0, 3, 0.0001, 16}, {1, 0, 0, 1, 8},        {1, 0, 3, 1, 16},   {1, 0, 3, 0.00005, 8},
      {2, 0, 3, 0, 2},    {3, 0, 3, 0, 12},      {3, 0, 3, 0.00009, 12}, {3, 0, 3, 0.1, 20}, {3, 1, 3, 0, 24},
      {3, 1, 3, 0.1, 40}, {3, 2, 3, 0.1, 40},    {4, 0, 3, 0, 9},        {5, 0, 3, 0, 12},   {6, 0, 3, 0, 10},
      {7, 0, 3, 0, 20},   {8, 0, 3, 0, 8},       {9, 0, 3, 0, 12},       {10, 0, 3, 0, 8},   {11, 0, 3, 0, 11},
  };
  for (const CountCase& c : cases) {
    ToolDefaults.ChannelOption = c.channelOption;
    ToolDefaults.TubeCornerKind = c.tubeCorner;
    fig_.Generate(c.kind, 0, 0, 20, 10, 1, 1, c.d5, 0.5, 0);
    EXPECT_EQ(fig_.Elements.size(), c.count) << int{c.kind} << " d5 " << c.d5;
  }
  // The first fillet of the H section stops short of a full turn.
  fig_.Generate(0, 0, 0, 20, 10, 1, 1, 0.0001, 0, 0);
  EXPECT_EQ(float{fig_.Elements[12].EndAngle}, 359.99999f);
}

// The ends of the lines and arcs of an unturned figure.
std::vector<Pt> EndsOf(const std::vector<RDrawElement>& elements) {
  std::vector<Pt> ends;
  for (const RDrawElement& e : elements) {
    if (e.Kind == kKindArc) {
      ends.push_back(ArcPoint(e, e.StartAngle));
      ends.push_back(ArcPoint(e, e.EndAngle));
    } else {
      ends.push_back(First(e));
      ends.push_back(Second(e));
    }
  }
  return ends;
}

// Every end meets exactly one other end, except freeEnds ends that meet none.
void ExpectClosedOutline(const std::vector<RDrawElement>& elements, int freeEnds = 0) {
  const std::vector<Pt> ends = EndsOf(elements);
  int unmatched = 0;
  for (std::size_t i = 0; i < ends.size(); ++i) {
    int meets = 0;
    for (std::size_t j = 0; j < ends.size(); ++j) {
      if (j != i && std::hypot(ends[i].x - ends[j].x, ends[i].y - ends[j].y) < 1e-5) ++meets;
    }
    if (meets == 0) {
      ++unmatched;
    } else {
      EXPECT_EQ(meets, 1) << "end " << i << " at (" << ends[i].x << ", " << ends[i].y << ")";
    }
  }
  EXPECT_EQ(unmatched, freeEnds);
}

struct OutlineCase {
  std::uint8_t kind;
  double d[6];
  int freeEnds;
};

// Sizes of a sound figure of each kind; the bend radius equals the
// thickness where the inner bends meet the inner faces (kinds 1, 3, 9, 10).
const OutlineCase kOutlines[] = {
    {0, {20, 10, 1, 2, 1, 0}, 0}, {0, {20, 10, 1, 2, 0, 0}, 0},     {1, {20, 10, 9, 1, 1, 0}, 0},
    {3, {20, 8, 3, 1, 1, 0}, 0},  {4, {20, 15, 2, 1.5, 0.5, 0}, 0}, {5, {20, 8, 1, 1.5, 1, 0.5}, 0},
    {6, {20, 10, 1, 2, 1, 0}, 0}, {7, {20, 10, 1, 2, 1, 0.5}, 0},   {8, {20, 15, 2, 1.5, 1, 0.5}, 0},
    {9, {20, 8, 6, 1, 1, 0}, 0},  {10, {20, 15, 9, 1, 1, 0}, 0},    {11, {20, 8, 3, 1, 1, 0}, 2},
};

TEST_F(SteelSectionsTest, EveryOutlineIsClosedForEitherMirrorFlag) {
  DraftDefaults.FigureBasePoint = 2;
  for (std::uint8_t mirror : {0, 1}) {
    ToolDefaults.SteelOption = mirror;
    for (const OutlineCase& c : kOutlines) {
      SCOPED_TRACE("kind " + std::to_string(c.kind) + " mirror " + std::to_string(mirror));
      fig_.Generate(c.kind, 0, 0, c.d[0], c.d[1], c.d[2], c.d[3], c.d[4], c.d[5], 0);
      ExpectClosedOutline(fig_.Elements, c.freeEnds);
    }
    // The tube's square corners.
    ToolDefaults.TubeCornerKind = 0;
    fig_.Generate(1, 0, 0, 20, 10, 9, 1, 1, 0, 0);
    ExpectClosedOutline(fig_.Elements);
    ToolDefaults.TubeCornerKind = 3;
  }
}

TEST_F(SteelSectionsTest, EachChannelOfAPairIsClosed) {
  DraftDefaults.FigureBasePoint = 2;
  for (std::uint8_t option : {1, 2}) {
    ToolDefaults.ChannelOption = option;
    fig_.Generate(3, 0, 0, 20, 8, 3, 1, 1, 0, 0);
    const auto& e = fig_.Elements;
    ASSERT_EQ(e.size(), 40u);
    // Lines 0-11 and arcs 24-31 are the first channel, lines 12-23 and arcs
    // 32-39 the second.
    std::vector<RDrawElement> first(e.begin(), e.begin() + 12);
    first.insert(first.end(), e.begin() + 24, e.begin() + 32);
    std::vector<RDrawElement> second(e.begin() + 12, e.begin() + 24);
    second.insert(second.end(), e.begin() + 32, e.end());
    SCOPED_TRACE(option);
    ExpectClosedOutline(first);
    ExpectClosedOutline(second);
    // Back to back the webs lie on x = 8, facing the lips do; the second
    // channel's web outer face (line 12) lies on x = 8 or x = 16.
    const double web1 = e[0].X1;
    const double web2 = e[12].X1;
    EXPECT_EQ(web1, option == 1 ? 8.0 : 0.0);
    EXPECT_EQ(web2, option == 1 ? 8.0 : 16.0);
  }
}

TEST_F(SteelSectionsTest, TheMirrorFlagMirrorsTheAsymmetricKinds) {
  DraftDefaults.FigureBasePoint = 2;
  for (const OutlineCase& c : kOutlines) {
    if (c.kind == 0 || c.kind == 1 || c.kind == 6 || c.kind == 7) continue;
    SCOPED_TRACE("kind " + std::to_string(c.kind));
    const double w = c.d[1];
    ToolDefaults.SteelOption = 0;
    fig_.Generate(c.kind, 0, 0, c.d[0], c.d[1], c.d[2], c.d[3], c.d[4], c.d[5], 0);
    const std::vector<RDrawElement> plain = fig_.Elements;
    ToolDefaults.SteelOption = 1;
    fig_.Generate(c.kind, 0, 0, c.d[0], c.d[1], c.d[2], c.d[3], c.d[4], c.d[5], 0);
    ASSERT_EQ(fig_.Elements.size(), plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
      const RDrawElement& p = plain[i];
      const RDrawElement& m = fig_.Elements[i];
      if (p.Kind == kKindArc) {
        // The start of the mirrored arc is the mirror image of the end.
        const Pt pEnd = ArcPoint(p, p.EndAngle);
        const Pt pStart = ArcPoint(p, p.StartAngle);
        ExpectPoint(ArcPoint(m, m.StartAngle), {w - pEnd.x, pEnd.y}, 1e-5);
        ExpectPoint(ArcPoint(m, m.EndAngle), {w - pStart.x, pStart.y}, 1e-5);
        EXPECT_EQ(double{m.Radius}, double{p.Radius});
      } else {
        ExpectLine(m, {w - p.X1, p.Y1}, {w - p.X2, p.Y2});
      }
    }
  }
  // The angle's arcs run from 270 to 0, 90 to 180 and 90 to 180.
  ToolDefaults.SteelOption = 1;
  fig_.Generate(4, 0, 0, 20, 15, 2, 1.5, 0.5, 0, 0);
  EXPECT_EQ(float{fig_.Elements[6].StartAngle}, 270.0f);
  EXPECT_EQ(float{fig_.Elements[6].EndAngle}, 0.0f);
  EXPECT_EQ(float{fig_.Elements[7].StartAngle}, 90.0f);
  EXPECT_EQ(float{fig_.Elements[8].EndAngle}, 180.0f);
}

TEST_F(SteelSectionsTest, TheSymmetricKindsAndThePairsIgnoreTheMirrorFlag) {
  const struct { std::uint8_t kind, channelOption; } cases[] = {{0, 0}, {1, 0}, {2, 0}, {6, 0}, {7, 0}, {3, 1}, {3, 2}};
  for (const auto& c : cases) {
    ToolDefaults.ChannelOption = c.channelOption;
    ToolDefaults.SteelOption = 0;
    fig_.Generate(c.kind, 3, 4, 20, 8, 1, 1, 1, 0.5, 20);
    const std::vector<RDrawElement> plain = fig_.Elements;
    ToolDefaults.SteelOption = 1;
    fig_.Generate(c.kind, 3, 4, 20, 8, 1, 1, 1, 0.5, 20);
    ASSERT_EQ(fig_.Elements.size(), plain.size());
    EXPECT_EQ(std::memcmp(fig_.Elements.data(), plain.data(), plain.size() * sizeof(RDrawElement)), 0) << int{c.kind};
  }
}

// H 20, B 10, tw 1, tf 2: the web faces at a = 4.5 and c = 5.5.
const Pt kHOutline[12][2] = {
    {{0, 0}, {0, 2}},      {{0, 2}, {4.5, 2}},  {{4.5, 2}, {4.5, 18}}, {{4.5, 18}, {0, 18}},
    {{0, 18}, {0, 20}},    {{0, 20}, {10, 20}}, {{10, 20}, {10, 18}},  {{10, 18}, {5.5, 18}},
    {{5.5, 18}, {5.5, 2}}, {{5.5, 2}, {10, 2}}, {{10, 2}, {10, 0}},    {{10, 0}, {0, 0}},
};

TEST_F(SteelSectionsTest, HSectionPlacedByTheBaseCode) {
  // Code 4 centres the 10 x 20 box on (50, 50).
  fig_.Generate(0, 50, 50, 20, 10, 1, 2, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 12u);
  for (int i = 0; i < 12; ++i) {
    ExpectLine(fig_.Elements[i], {45 + kHOutline[i][0].x, 40 + kHOutline[i][0].y},
               {45 + kHOutline[i][1].x, 40 + kHOutline[i][1].y});
  }
}

TEST_F(SteelSectionsTest, AQuarterTurnWithTheBottomLeftCode) {
  // A local point (x, y) lands at (BaseX - y, BaseY + x).
  DraftDefaults.FigureBasePoint = 2;
  fig_.Generate(0, 100, 50, 20, 10, 1, 2, 0, 0, 90);
  ASSERT_EQ(fig_.Elements.size(), 12u);
  for (int i = 0; i < 12; ++i) {
    ExpectLine(fig_.Elements[i], {100 - kHOutline[i][0].y, 50 + kHOutline[i][0].x},
               {100 - kHOutline[i][1].y, 50 + kHOutline[i][1].x}, 1e-12);
  }
  // Fillets of radius 1: the first centre (3.5, 3) turned, the angles local
  // and the turn in the rotation.
  fig_.Generate(0, 100, 50, 20, 10, 1, 2, 1, 0, 90);
  ExpectArc(fig_.Elements[12], {97, 53.5}, 1, 270, 359.99999f, 90, 1e-12);
}

TEST_F(SteelSectionsTest, HSectionFilletsShortenTheLinesAtTheWeb) {
  DraftDefaults.FigureBasePoint = 2;
  fig_.Generate(0, 0, 0, 20, 10, 1, 2, 1, 0, 0);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 16u);
  ExpectLine(e[1], {0, 2}, {3.5, 2});
  ExpectLine(e[2], {4.5, 3}, {4.5, 17});
  ExpectLine(e[3], {3.5, 18}, {0, 18});
  ExpectLine(e[7], {10, 18}, {6.5, 18});
  ExpectLine(e[8], {5.5, 17}, {5.5, 3});
  ExpectLine(e[9], {6.5, 2}, {10, 2});
  ExpectArc(e[12], {3.5, 3}, 1, 270, 359.99999f);
  ExpectArc(e[13], {3.5, 17}, 1, 0, 90);
  ExpectArc(e[14], {6.5, 3}, 1, 180, 270);
  ExpectArc(e[15], {6.5, 17}, 1, 90, 180);
}

TEST_F(SteelSectionsTest, TubeCornersFromTheCornerKind) {
  // Kind 3 gives k = 1.5: outer radius 2.5 and inner 1.5 with D5 = 1.
  DraftDefaults.FigureBasePoint = 2;
  fig_.Generate(1, 0, 0, 20, 10, 9, 1, 1, 0, 0);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 16u);
  ExpectLine(e[0], {0, 2.5}, {0, 17.5});
  ExpectLine(e[5], {2.5, 1}, {7.5, 1});
  ExpectArc(e[8], {7.5, 17.5}, 2.5, 0, 90);
  ExpectArc(e[9], {7.5, 17.5}, 1.5, 0, 90);
  ExpectArc(e[10], {2.5, 2.5}, 2.5, 180, 270);
  ExpectArc(e[15], {7.5, 2.5}, 1.5, 270, 360);
  // A kind above 8 keeps the same rule: 10 gives k = 5.
  ToolDefaults.TubeCornerKind = 10;
  fig_.Generate(1, 0, 0, 20, 10, 9, 1, 1, 0, 0);
  ExpectArc(fig_.Elements[8], {4, 14}, 6, 0, 90);
  ExpectArc(fig_.Elements[9], {4, 14}, 5, 0, 90);
}

TEST_F(SteelSectionsTest, ChannelFlangeFacesSlopeFiveDegreesTowardsTheToes) {
  // D1 20, D2 8, t1 1, t2 1.5, r1 1, r2 0.5: the faces pass through x = 4.5
  // at 1.5 from the outer faces; the fillet points lie at x = 2, the toe
  // points at x = 7.5.
  DraftDefaults.FigureBasePoint = 2;
  fig_.Generate(5, 0, 0, 20, 8, 1, 1.5, 1, 0.5, 0);
  const auto& e = fig_.Elements;
  ASSERT_EQ(e.size(), 12u);
  const double slope = std::tan(5.0 * M_PI / 180.0);
  const double fy = 1.5 + 2.5 * slope;
  const double py = 1.5 - 3.0 * slope;
  ExpectLine(e[1], {1, fy + 1}, {1, 20 - fy - 1}, 1e-12);
  ExpectLine(e[3], {2, fy}, {7.5, py}, 1e-12);
  ExpectLine(e[5], {2, 20 - fy}, {7.5, 20 - py}, 1e-12);
  ExpectLine(e[6], {8, 20}, {8, 20 - py + 0.5}, 1e-12);
  ExpectLine(e[7], {8, 0}, {8, py - 0.5}, 1e-12);
  ExpectArc(e[8], {2, fy + 1}, 1, 180, 270, 0, 1e-12);
  ExpectArc(e[11], {7.5, 20 - py + 0.5}, 0.5, 270, 0, 0, 1e-12);
}

TEST_F(SteelSectionsTest, OutlinesLeaveTheTextsAlone) {
  fig_.Texts = {"kept"};
  for (std::uint8_t kind = 0; kind <= 11; ++kind) {
    fig_.Generate(kind, 0, 0, 20, 10, 1, 1, 1, 0.5, 0);
    EXPECT_EQ(fig_.Texts, std::vector<std::string>{"kept"}) << int{kind};
    for (const RDrawElement& e : fig_.Elements) {
      EXPECT_EQ(int{e.LineType}, 0);
      EXPECT_EQ(int{e.ColorNo}, 0);
      EXPECT_EQ(int{e.Layer}, 0);
    }
  }
}

}  // namespace
