// The line-symbol definition reader: classification, tokens, entries, texts
// and their reference points, connectors, arcs, parameters and input texts.

#include "figures/sections/line_symbols.h"

#include <gtest/gtest.h>

#include "figures/sections/figure_checks.h"
#include "support/tool_message_recorder.h"

namespace {

TSenkigouobj Reader() {
  TSenkigouobj r(100.0);
  r.TextStyles = TestStyles();  // style 3: 40 wide, 20 high, spacing 0
  return r;
}

TEST(LineSymbols, ClassificationTable) {
  struct Case {
    const char* line;
    bool accepted;
    int kind;
  };
  const Case cases[] = {
      {"0 0 1 2 3 4", true, TSenkigouobj::kLineKindLine},
      {"300 0 1 0 2 e", true, TSenkigouobj::kLineKindArc},
      {"0 0 1 2 3 4 0 400 \"abc\"", true, TSenkigouobj::kLineKindText},
      {"0 0 1 2 3 4 0 400 \"tree\"", true, TSenkigouobj::kLineKindText},   // e inside the quotes
      {"0 0 1 2 3 4 0 400 \"30000\"", true, TSenkigouobj::kLineKindText},  // 30000 inside the quotes
      {"30000 0 5 6", true, TSenkigouobj::kLineKindPoint},
      {"   ", false, 0},
      {"1995 1 2", false, 0},  // separator
      {"0.99", false, 0},      // separator
  };
  for (const Case& c : cases) {
    TSenkigouobj r = Reader();
    r.NameState = 2;
    EXPECT_EQ(r.ClassifyLine(c.line, 0), c.accepted) << c.line;
    if (c.accepted) {
      EXPECT_EQ(int{r.LineKind}, c.kind) << c.line;
    }
  }
}

TEST(LineSymbols, NameCountEntriesAndStop) {
  TSenkigouobj r = Reader();
  const std::vector<std::string> lines = {"#symbols",    "2",    "0 0 0 0 1 0", "# comment",   " 99", "5 ab cd",
                                          "0 0 0 0 2 0", "1995", "1 two",       "0 0 0 0 3 0", "99",  "0 0 0 0 4 0"};
  r.BuildEntry(lines, 1, false, 1, 1, 0);
  EXPECT_EQ(r.Name, "#symbols");
  EXPECT_EQ(r.EntryCount, 2);
  EXPECT_EQ(r.PlacementCode, 5);
  EXPECT_EQ(r.Title, "ab cd");
  ASSERT_EQ(r.Items.size(), 1u);
  ExpectLine(r.Items[0], {0, 0}, {2, 0});
  EXPECT_EQ(int{r.Items[0].ColorNo}, 2);   // colour 0 becomes 2
  EXPECT_EQ(int{r.Items[0].LineType}, 0);  // a missing token reads "0"
  r.BuildEntry(lines, 0, false, 1, 1, 0);
  ASSERT_EQ(r.Items.size(), 1u);
  ExpectLine(r.Items[0], {0, 0}, {1, 0});
  // The third separator ends the reading: entry 3 is never built.
  r.BuildEntry(lines, 3, false, 1, 1, 0);
  EXPECT_TRUE(r.Items.empty());
}

TEST(LineSymbols, MoreThanSeventeenTokensAreCut) {
  TSenkigouobj r = Reader();
  r.NameState = 2;
  std::string line;
  for (int n = 0; n < 20; ++n) line += std::to_string(n) + "   ";
  ASSERT_TRUE(r.ClassifyLine(line, 0));
  EXPECT_EQ(r.Tokens[0], "0");
  EXPECT_EQ(r.Tokens[16], "16");
}

TEST(LineSymbols, TextLayoutAndEndCodes) {
  TSenkigouobj r = Reader();
  // Three single-byte characters of style 3: L = 3 x 40 x 0.05 = 6, H = 2.
  const std::vector<std::string> lines = {"#n", "0", "0 0 10 5 20 5 0 400 \"abc\"$ tail", "300 328 1 1 0 0",
                                          "314 0 0 0 0 0"};
  r.BuildEntry(lines, 0, false, 1, 1, 0);
  ASSERT_EQ(r.Items.size(), 3u);
  ASSERT_EQ(r.Texts.size(), 1u);
  EXPECT_EQ(r.Texts[0], "abc");
  const RDrawElement& t = r.Items[0];
  EXPECT_EQ(int{t.Kind}, int{kKindText});
  EXPECT_EQ(int{t.TextStyle}, 3);
  // Centred on (10, 5): base (7, 4), end (13, 4).
  ExpectPoint(First(t), {7, 4});
  ExpectPoint(Second(t), {13, 4});
  ExpectPoint({r.ReferencePoints[4].x, r.ReferencePoints[4].y}, {10, 5});
  ExpectPoint({r.ReferencePoints[8].x, r.ReferencePoints[8].y}, {13, 6});
  // 300: base point (7, 4) + (1, 1); 328: y of point 8 (6) + 0.
  ExpectLine(r.Items[1], {8, 5}, {0, 6});
  // 314: x of point 4 only.
  ExpectLine(r.Items[2], {10, 0}, {0, 0});
}

TEST(LineSymbols, TextFromRightToLeftIsTurnedHalfway) {
  TSenkigouobj r = Reader();
  // From (20, 5) to (10, 5): the direction is 180 degrees.
  r.BuildEntry({"#n", "0", "0 0 20 5 10 5 0 400 \"abc\""}, 0, false, 1, 1, 0);
  ASSERT_EQ(r.Items.size(), 1u);
  EXPECT_NEAR(r.Items[0].TextAngle, 180.0, 1e-6);
}

TEST(LineSymbols, ConnectorsAndArcColours) {
  TSenkigouobj r = Reader();
  const std::vector<std::string> lines = {
      "#n",
      "0",
      "0 150 1 0 5 0 3",  // second point farther: it comes first
      "150 0 5 0 1 0 3",
      "0 0 0 0 1 0 11",  // colour 11 from the file orders too
  };
  r.BuildEntry(lines, 0, false, 1, 1, 0);
  ASSERT_GE(r.Items.size(), 3u);
  ExpectLine(r.Items[0], {5, 0}, {1, 0});
  EXPECT_EQ(int{r.Items[0].ColorNo}, 11);
  ExpectLine(r.Items[1], {5, 0}, {1, 0});
  EXPECT_EQ(int{r.Items[1].ColorNo}, 11);
  ExpectLine(r.Items[2], {1, 0}, {0, 0});

  struct ArcCase {
    const char* line;
    int colour;
  };
  const ArcCase arcs[] = {
      {"0 e 1 2 0 90 0 2 3 0 4", 2},
      {"0 e 1 2 0 90 7 2 3 0 4", 11},
      {"8 e 1 2 0 90 5 2 3 0 4", 11},
      {"0 e 1 2 0 90 x 2 3 0 4", 1},
  };
  for (const ArcCase& c : arcs) {
    TSenkigouobj a = Reader();
    a.BuildEntry({"#n", "0", c.line}, 0, false, 1, 1, 0);
    ASSERT_EQ(a.Items.size(), 1u) << c.line;
    EXPECT_EQ(int{a.Items[0].ColorNo}, c.colour) << c.line;
    EXPECT_EQ(double{a.Items[0].Radius}, 4.0);
    EXPECT_EQ(float{a.Items[0].Ratio}, 1.0f);
    EXPECT_EQ(float{a.Items[0].Rotation}, 1.0f);
    EXPECT_EQ(float{a.Items[0].StartAngle}, 360.0f);  // 0 wraps up to 360
    EXPECT_EQ(float{a.Items[0].EndAngle}, 90.0f);
  }
}

TEST(LineSymbols, ParameterLinesAndInputTexts) {
  TSenkigouobj r = Reader();
  ToolMessageRecorder recorder;
  recorder.Answers = {std::string("xy"), std::nullopt};
  const std::vector<std::string> lines = {"#n", "0", "762 2.5 z", "0 0 0 0 1 1 0 0 \"INPUT1",
                                          "0 0 0 0 1 1 0 0 \"INPUT2"};
  r.BuildEntry(lines, 0, true, 1, 1, 0);
  EXPECT_EQ(r.ParameterCode, 762);
  EXPECT_EQ(r.ParameterValue1, 2.5);
  EXPECT_EQ(r.ParameterValue2, 1.0);
  ASSERT_EQ(r.Texts.size(), 2u);
  EXPECT_EQ(r.Texts[0], "xy");
  EXPECT_EQ(r.Texts[1], "INPUT2");  // cancelled: the default stays
  ASSERT_EQ(recorder.Inputs.size(), 2u);
  EXPECT_EQ(recorder.Inputs[0].Caption, "\x95\xb6\x8e\x9a\x93\xfc\x97\xcd");  // 文字入力
  EXPECT_EQ(recorder.Inputs[0].Prompt, "INPUT1");
  EXPECT_EQ(recorder.Inputs[0].Default, "INPUT1");
}

}  // namespace
