// Styles 13 to 18 of the continuous-line tool: section-list frames with
// their labels and the measuring styles, driven as the command drives them.
// Labels use text style 3: characters 3 wide with a spacing of 1 and 4 high,
// so a label of n double-byte characters is 4n - 1 long.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "line_checks.h"
#include "line_replay.h"
#include "support/settings_guard.h"
#include "tools/lines/continuous_line.h"

namespace {

std::array<RTextStyle, kTextStyleCount> LabelStyles() {
  std::array<RTextStyle, kTextStyleCount> styles{};
  styles[3].Width = 30;
  styles[3].Height = 40;
  styles[3].Spacing = 10;
  return styles;
}

enum class At { Start, End, Floor, Figure };

struct LabelWant {
  std::string bytes;
  At at;
  int row;
  double length;
};

// The code page 932 bytes of the labels.
const std::string kSign = "\x95\x84\x8d\x86";                                       // 符号
const std::string kSize = "\x82\x61\x82\x77\x82\x63";                               // ＢＸＤ
const std::string kPlace = "\x88\xca\x92\x75";                                      // 位置
const std::string kSpacer = "\x95\x9d\x8e\x7e\x83\x81\x8b\xd8";                     // 幅止メ筋
const std::string kWeb = "\x95\xa0\x8b\xd8";                                        // 腹筋
const std::string kStirrup = "\x82\x72\x82\x73";                                    // ＳＴ
const std::string kBottom = "\x89\xba\x83\x6f\x8b\xd8";                             // 下バ筋
const std::string kTop = "\x8f\xe3\x83\x6f\x8b\xd8";                                // 上バ筋
const std::string kFloor = "\x8a\x4b";                                              // 階
const std::string kFigure = "\x92\x66\x96\xca\x90\x7d";                             // 断面図
const std::string kDiaphragm = "\x83\x5f\x83\x43\x83\x84\x83\x74\x81\x7c\x83\x76";  // ダイヤフ－プ
const std::string kHoop = "\x83\x74\x81\x7c\x83\x76";                               // フ－プ
const std::string kMain = "\x8e\xe5\x8b\xd8";                                       // 主筋
const std::string kPile = "\x8d\x59\x8c\x61";                                       // 杭径

// A text element's base point and the end of its baseline.
void ExpectTextPoints(const RDrawElement& e, LineSeg want) {
  EXPECT_EQ(int{e.Kind}, int{kKindText});
  const LineSeg got = SegOf(e);
  EXPECT_NEAR(got.x1, want.x1, 1e-9);
  EXPECT_NEAR(got.y1, want.y1, 1e-9);
  EXPECT_NEAR(got.x2, want.x2, 1e-9);
  EXPECT_NEAR(got.y2, want.y2, 1e-9);
}

struct FrameCase {
  std::uint8_t style, mode;
  int endRows;
  double shift;  // of the middle labels
  std::vector<LabelWant> labels;
};

std::vector<FrameCase> FrameCases() {
  const LabelWant sign{kSign, At::Start, 1, 7}, size{kSize, At::Start, 2, 11}, place{kPlace, At::Start, 3, 7};
  const LabelWant pile{kPile, At::Start, 2, 7};
  const LabelWant floor{kFloor, At::Floor, 0, 3}, figure{kFigure, At::Figure, 0, 11};
  return {
      {13,
       0,
       5,
       0,
       {sign,
        size,
        place,
        {kSpacer, At::End, 1, 15},
        {kWeb, At::End, 2, 7},
        {kStirrup, At::End, 3, 7},
        {kBottom, At::End, 4, 11},
        {kTop, At::End, 5, 11},
        floor,
        figure}},
      {13,
       1,
       3,
       5,
       {sign,
        size,
        place,
        {kStirrup, At::End, 1, 7},
        {kBottom, At::End, 2, 11},
        {kTop, At::End, 3, 11},
        floor,
        figure}},
      {13,
       2,
       4,
       2.5,
       {sign,
        size,
        place,
        {kWeb, At::End, 1, 7},
        {kStirrup, At::End, 2, 7},
        {kBottom, At::End, 3, 11},
        {kTop, At::End, 4, 11},
        floor,
        figure}},
      {13,
       3,
       5,
       0,
       {sign,
        size,
        place,
        {kSpacer, At::End, 1, 15},
        {kStirrup, At::End, 3, 7},
        {kBottom, At::End, 4, 11},
        {kTop, At::End, 5, 11},
        floor,
        figure}},
      {14,
       0,
       3,
       0,
       {sign,
        size,
        place,
        {kDiaphragm, At::End, 1, 23},
        {kHoop, At::End, 2, 11},
        {kMain, At::End, 3, 7},
        floor,
        figure}},
      {14, 1, 2, 2.5, {sign, size, place, {kHoop, At::End, 1, 11}, {kMain, At::End, 2, 7}, floor, figure}},
      {14, 2, 2, 2.5, {sign, size, place, {kHoop, At::End, 1, 11}, {kMain, At::End, 2, 7}, floor, figure}},
      {14,
       4,
       3,
       0,
       {sign,
        size,
        place,
        {kDiaphragm, At::End, 1, 23},
        {kHoop, At::End, 2, 11},
        {kMain, At::End, 3, 7},
        floor,
        figure}},
      {15,
       0,
       3,
       0,
       {sign, pile, place, {kDiaphragm, At::End, 1, 23}, {kHoop, At::End, 2, 11}, {kMain, At::End, 3, 7}, figure}},
      {15, 2, 2, 2.5, {sign, pile, place, {kHoop, At::End, 1, 11}, {kMain, At::End, 2, 7}, figure}},
  };
}

// A frame of three bands from (0, 0) to (100, 90): bands 30 high, the label
// column to x = 25 and two section columns of 36 at x = 61 and 97.
TEST(SectionListStyles, FramesOfThreeBandsForEveryRowMode) {
  for (const FrameCase& c : FrameCases()) {
    SCOPED_TRACE(testing::Message() << "style " << int{c.style} << " mode " << int{c.mode});
    SettingsGuard guard;
    DraftDefaults.PolylineStyle = c.style;
    DraftDefaults.DivisionCount = 3;
    RcSectionDefaults.SectionListRowMode = c.mode;
    LineReplay replay({}, LabelStyles());
    replay.Click(0, 0);
    replay.Move(100, 90);
    const TRenzokuSenobj& tool = replay.Tool();
    EXPECT_EQ(FirstData3.SectionListHeight, 30);
    EXPECT_EQ(FirstData3.SectionListWidth, 36);

    std::vector<LineSeg> lines;
    for (int k = 0; k <= 3; ++k) {
      lines.push_back({0, 30.0 * k, 100, 30.0 * k});
      if (k < 3) {
        for (double off : {5, 10, 15}) lines.push_back({0, 30.0 * k + off, 100, 30.0 * k + off});
      }
      if (k >= 1) {
        for (int i = 1; i <= c.endRows; ++i) lines.push_back({0, 30.0 * k - 5 * i, 100, 30.0 * k - 5 * i});
      }
    }
    lines.push_back({0, 0, 0, 90});
    lines.push_back({100, 90, 100, 0});
    lines.push_back({25, 0, 25, 90});
    lines.push_back({61, 0, 61, 90});
    lines.push_back({97, 0, 97, 90});
    const std::size_t labelCount = 3 * c.labels.size();
    ASSERT_EQ(tool.Elements.size(), lines.size() + labelCount);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      SCOPED_TRACE(i);
      ExpectLineElement(tool.Elements[i], lines[i]);
      EXPECT_EQ(int{tool.Elements[i].LineType}, i + 2 >= lines.size() ? 9 : 0);
    }

    ASSERT_EQ(tool.Texts.size(), labelCount);
    // The middle labels sit about (p - 15) / 2 for beams, (p - 5) / 2 else.
    const double middle = c.style == 13 ? 7.5 : 12.5;
    for (int band = 0; band < 3; ++band) {
      for (std::size_t j = 0; j < c.labels.size(); ++j) {
        const LabelWant& want = c.labels[j];
        const std::size_t index = band * c.labels.size() + j;
        SCOPED_TRACE(testing::Message() << "band " << band << " label " << j);
        EXPECT_EQ(tool.Texts[index], want.bytes);
        const RDrawElement& e = tool.Elements[lines.size() + index];
        EXPECT_EQ(int{e.Kind}, int{kKindText});
        EXPECT_EQ(int{e.TextIndex}, static_cast<int>(index));
        EXPECT_EQ(int{e.TextStyle}, 3);
        EXPECT_EQ(int{e.LineType}, 1);
        EXPECT_EQ(int{e.ColorNo}, 1);
        EXPECT_EQ(float{e.TextAngle}, 0.0f);
        const double base = 30.0 * band;
        const LineSeg s = SegOf(e);
        EXPECT_NEAR(s.x2 - s.x1, want.length, 1e-9);
        EXPECT_NEAR(s.y2, s.y1, 1e-12);
        if (want.at == At::Floor) {
          // Top left at (14.5, M - 2.5 + S): the baseline 4 below it.
          EXPECT_NEAR(s.x1, 14.5, 1e-9);
          EXPECT_NEAR(s.y1 + 4, base + middle - 2.5 + c.shift, 1e-9);
          continue;
        }
        double centre = 0;
        switch (want.at) {
          case At::Start: centre = 5.0 * (want.row - 1) + 2.5; break;
          case At::End: centre = 30 - 5.0 * (want.row - 1) - 2.5; break;
          default: centre = middle + 2.5 + c.shift; break;
        }
        EXPECT_NEAR((s.x1 + s.x2) / 2, 12.5, 1e-9);
        EXPECT_NEAR(s.y1 + 2, base + centre, 1e-9);
      }
    }
  }
}

TEST(SectionListStyles, OneBandWrittenOut) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 13;
  DraftDefaults.DivisionCount = 1;  // mode 1 by default
  LineReplay replay({}, LabelStyles());
  replay.Click(0, 0);
  replay.Move(100, 60);
  const TRenzokuSenobj& tool = replay.Tool();
  // Eight row lines, three borders, two columns, eight labels.
  ASSERT_EQ(tool.Elements.size(), 21u);
  ExpectLineElement(tool.Elements[4], {0, 60, 100, 60});
  ExpectLineElement(tool.Elements[7], {0, 45, 100, 45});
  EXPECT_EQ(FirstData3.SectionListHeight, 60);
  // "ＳＴ" centred at (12.5, 57.5); "階" top left at (14.5, 22.5 - 2.5 + 5);
  // "断面図" centred at (12.5, 22.5 + 2.5 + 5).
  ExpectTextPoints(tool.Elements[16], {9, 55.5, 16, 55.5});
  ExpectTextPoints(tool.Elements[19], {14.5, 21, 17.5, 21});
  ExpectTextPoints(tool.Elements[20], {7, 28, 18, 28});
  EXPECT_EQ(tool.Texts[7], kFigure);
}

TEST(SectionListStyles, TurnedFramesPlaceLabelsAlongTheBaseAngle) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 14;
  DraftDefaults.DivisionCount = 1;
  LineReplay replay({.BaseAngle = 90}, LabelStyles());
  replay.Click(0, 0);
  replay.Move(-60, 100);
  const TRenzokuSenobj& tool = replay.Tool();
  // Along is +y, across -x: the first row line runs up the y axis and the
  // first label "符号" is centred at 12.5 along and 2.5 across.
  ExpectLineElement(tool.Elements[0], {0, 0, 0, 100});
  const RDrawElement& sign = tool.Elements[tool.Elements.size() - 7];
  EXPECT_EQ(float{sign.TextAngle}, 90.0f);
  const LineSeg s = SegOf(sign);
  EXPECT_NEAR(s.x1, -2.5 + 2, 1e-9);  // the baseline is 2 to the right of the centre
  EXPECT_NEAR((s.y1 + s.y2) / 2, 12.5, 1e-9);
  EXPECT_NEAR(s.y2 - s.y1, 7, 1e-9);
}

TEST(SectionListStyles, NarrowFramesAndCountsOfZero) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 13;
  DraftDefaults.DivisionCount = 1;
  FirstData3.SectionListWidth = 11;
  FirstData3.SectionListHeight = 22;
  {
    SCOPED_TRACE("75 beside the label column is needed: 60 gives no column");
    LineReplay replay({}, LabelStyles());
    replay.Click(0, 0);
    replay.Move(60, 60);
    EXPECT_EQ(replay.Tool().Elements.size(), 11u);
    EXPECT_TRUE(replay.Tool().Texts.empty());
    EXPECT_EQ(FirstData3.SectionListWidth, 11);
    EXPECT_EQ(FirstData3.SectionListHeight, 60);
  }
  {
    SCOPED_TRACE("column width 0: no columns, no labels");
    RcSectionDefaults.SectionListColumnWidth = 0;
    LineReplay replay({}, LabelStyles());
    replay.Click(0, 0);
    replay.Move(100, 60);
    EXPECT_EQ(replay.Tool().Elements.size(), 11u);
    EXPECT_TRUE(replay.Tool().Texts.empty());
    EXPECT_EQ(FirstData3.SectionListWidth, 11);
    RcSectionDefaults.SectionListColumnWidth = 36;
  }
  {
    SCOPED_TRACE("no bands: nothing changes, nothing is stored");
    DraftDefaults.DivisionCount = 0;
    FirstData3.SectionListHeight = 22;
    LineReplay replay({}, LabelStyles());
    replay.Click(0, 0);
    replay.Move(100, 60);
    EXPECT_TRUE(replay.Tool().Elements.empty());
    EXPECT_EQ(FirstData3.SectionListHeight, 22);
    EXPECT_EQ(FirstData3.SectionListWidth, 11);
  }
}

TEST(SectionListStyles, FurtherClicksKeepEveryLabel) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 15;
  DraftDefaults.DivisionCount = 1;
  LineReplay replay({}, LabelStyles());
  replay.Click(0, 0);
  replay.Click(100, 60);
  const std::vector<RDrawElement> frame = replay.Tool().Elements;
  const std::vector<std::string> texts = replay.Tool().Texts;
  ASSERT_EQ(texts.size(), 6u);  // pile labels of mode 1
  replay.Move(50, 50);          // two points: the frame stays
  for (int click = 0; click < 3; ++click) {
    replay.Click(70.0 + click, 70);
    replay.Move(80, 80);  // the extra point is taken back
    EXPECT_EQ(replay.Tool().PointCount, 2);
    EXPECT_EQ(replay.Tool().PointX.size(), 3u);
  }
  EXPECT_EQ(replay.Tool().Elements.size(), frame.size());
  EXPECT_EQ(replay.Tool().Texts, texts);
  replay.Finish();
  EXPECT_EQ(replay.Tool().Elements.size(), frame.size());
}

TEST(SectionListStyles, MeasuredCrossesStoreTheCell) {
  SettingsGuard guard;
  struct Case {
    std::uint8_t style;
    double baseAngle, width, height;
  };
  // The rectangle (0, 0)-(30, 40): 30 along 0 degrees and 40 across; at 90
  // degrees the sides swap.
  const Case cases[] = {{16, 0, 30, 40}, {17, 0, 30, 40}, {16, 90, 40, 30}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.baseAngle);
    DraftDefaults.PolylineStyle = c.style;
    LineReplay replay({.BaseAngle = c.baseAngle});
    replay.Click(0, 0);
    replay.Move(30, 40);
    EXPECT_EQ(replay.Tool().Elements.size(), 2u);
    EXPECT_NEAR(FirstData3.SectionListWidth, c.width, 1e-12);
    EXPECT_NEAR(FirstData3.SectionListHeight, c.height, 1e-12);
    // With two points the crosses go on and the cell stays.
    replay.Click(30, 40);
    replay.Move(50, 45);
    EXPECT_EQ(replay.Tool().FixedElementCount, 2);
    EXPECT_NEAR(FirstData3.SectionListWidth, c.width, 1e-12);
  }
  // 0.00005 from the point: within style 16's guard, outside style 17's.
  FirstData3.SectionListWidth = 1;
  DraftDefaults.PolylineStyle = 16;
  LineReplay near16;
  near16.Click(0, 0);
  near16.Move(0.00005, 0);
  EXPECT_TRUE(near16.Tool().Elements.empty());
  EXPECT_EQ(FirstData3.SectionListWidth, 1);
  DraftDefaults.PolylineStyle = 17;
  LineReplay near17;
  near17.Click(0, 0);
  near17.Move(0.00005, 0);
  EXPECT_EQ(near17.Tool().Elements.size(), 2u);
  EXPECT_NEAR(FirstData3.SectionListWidth, 0.00005, 1e-15);
}

TEST(SectionListStyles, MeasureLengthStoresDrawingAndRealLengths) {
  SettingsGuard guard;
  DraftDefaults.PolylineStyle = 18;
  LineReplay replay;
  replay.Click(0, 0);
  replay.Move(30, 40);
  ASSERT_EQ(replay.Tool().Elements.size(), 1u);
  ExpectLineElement(replay.Tool().Elements[0], {0, 0, 30, 40});
  EXPECT_EQ(FirstData3.SectionListWidth, 50);
  EXPECT_EQ(FittingDefaults.FitWidth, 5000);  // 50 drawing mm at 1/100
  // With a second point nothing changes.
  replay.Click(30, 40);
  replay.Move(60, 0);
  EXPECT_EQ(FirstData3.SectionListWidth, 50);
  EXPECT_EQ(replay.Tool().EndX, 30);
  ExpectLineElement(replay.Tool().Elements[0], {0, 0, 30, 40});
}

}  // namespace
