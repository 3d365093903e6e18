// Style 9 of the chained-dimension tool: the leader note.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "dimension_replay.h"
#include "support/settings_guard.h"
#include "tools/lines/chained_dimension.h"

namespace {

constexpr double kRadLeaderNote = 3.14159265358979323846 / 180.0;
// The test styles: a single-byte character 1.0 wide with 0.5 spacing, 3.0
// high, so "AB" is 2.5 wide and the text pitch is 0.6 + 3.0.
constexpr double kAB = 2.5;
constexpr double kHalfHeight = 1.5;

RPoint2D Polar(double angle, double length, RPoint2D from = {0, 0}) {
  return {from.x + length * std::cos(angle * kRadLeaderNote), from.y + length * std::sin(angle * kRadLeaderNote)};
}

void ExpectPointLeaderNote(double x, double y, RPoint2D want) {
  EXPECT_NEAR(x, want.x, 1e-9);
  EXPECT_NEAR(y, want.y, 1e-9);
}

// A note whose one point lies at the origin, grown by a first update.
class LeaderNote : public ::testing::Test {
 protected:
  void SetUp() override {
    DraftDefaults.ChainDimensionStyle = 9;
    replay_.Click(0, 0);
    replay_.Move(1, 1);
  }
  TRenSunpoSenobj& Build(double x, double y) {
    replay_.Move(x, y);
    return replay_.Tool();
  }
  // The cursor at the direction and distance from the origin.
  TRenSunpoSenobj& BuildToward(double angle, double length = 10) {
    const RPoint2D p = Polar(angle, length);
    return Build(p.x, p.y);
  }

  SettingsGuard guard_;
  DimensionReplay replay_{1.0};
};

TEST_F(LeaderNote, FirstUpdateOnlyGrowsTheEntries) {
  const TRenSunpoSenobj& tool = replay_.Tool();
  EXPECT_EQ(tool.LastIndex, 0);
  ASSERT_EQ(tool.Elements.size(), 5u);
  for (const RDrawElement& e : tool.Elements) {
    EXPECT_EQ(+e.Kind, kKindLine);
    EXPECT_EQ(+e.X2, 0.0);
  }
  EXPECT_EQ(tool.Texts, std::vector<std::string>{""});
}

TEST_F(LeaderNote, DefaultsSnapTheLeaderAndMarkThePointWithAnArrowhead) {
  const TRenSunpoSenobj& tool = Build(10, 3);
  // 16.7 degrees snaps to 15; the end is the cursor's foot on that ray.
  const RPoint2D e = Polar(15, 10 * std::cos(15 * kRadLeaderNote) + 3 * std::sin(15 * kRadLeaderNote));
  ASSERT_EQ(tool.Elements.size(), 6u);
  ExpectPointLeaderNote(tool.Elements[0].X2, tool.Elements[0].Y2, e);
  ExpectPointLeaderNote(tool.Elements[1].X1, tool.Elements[1].Y1, e);
  ExpectPointLeaderNote(tool.Elements[1].X2, tool.Elements[1].Y2, {e.x + 2, e.y});
  // Strokes 1.5 long at 15 ± 15 degrees from the picked point.
  ExpectPointLeaderNote(tool.Elements[2].X2, tool.Elements[2].Y2, Polar(30, 1.5));
  ExpectPointLeaderNote(tool.Elements[3].X2, tool.Elements[3].Y2, Polar(0, 1.5));
  EXPECT_EQ(+tool.Elements[4].Kind, kKindArc);
  EXPECT_EQ(+tool.Elements[4].Radius, 0.0);
  // The empty text stands 1.0 beyond the shelf end.
  EXPECT_EQ(+tool.Elements[5].Kind, kKindText);
  ExpectPointLeaderNote(tool.Elements[5].X1, tool.Elements[5].Y1, {e.x + 3, e.y});
  EXPECT_EQ(tool.Texts, std::vector<std::string>{""});
}

TEST_F(LeaderNote, FixedLengthSnapsHalfUp) {
  FirstData11.Chain9Size5 = 20;
  const struct { double cursor, snapped; } cases[] = {{7.6, 15}, {7.4, 0}, {200, 195}, {352.6, 360}, {97, 90}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cursor);
    const TRenSunpoSenobj& tool = BuildToward(c.cursor, 3);
    ExpectPointLeaderNote(tool.Elements[0].X2, tool.Elements[0].Y2, Polar(c.snapped, 20));
  }
}

TEST_F(LeaderNote, ShelfDirections) {
  FirstData11.Chain9Text = "AB";
  const RPoint2D e = Polar(15, 10);
  struct Case {
    const char* what;
    std::uint8_t shelf, under;
    double balloon;
    RPoint2D shelfEnd, centre, base;  // from E
    double angle;
  } cases[] = {
      // Middle left: the base 1.5 below (or beside) the text point.
      {"right", 1, 0, 0, {2, 0}, {2, 0}, {3, -kHalfHeight}, 0},
      {"automatic right", 0, 0, 0, {2, 0}, {2, 0}, {3, -kHalfHeight}, 0},
      // Middle right: ends at the text point.
      {"left", 2, 0, 0, {-2, 0}, {-2, 0}, {-3 - kAB, -kHalfHeight}, 0},
      {"up", 3, 0, 0, {0, 2}, {0, 2}, {kHalfHeight, 3}, 90},
      // One shorter; the text still starts 1.0 beyond it.
      {"down", 4, 0, 0, {0, -1}, {0, -2}, {kHalfHeight, -2 - kAB}, 90},
      // Underlined: the shelf takes the text width, the text half a pitch up.
      {"right underlined", 1, 1, 0, {2 + kAB, 0}, {2, 0}, {2, 1.8 - kHalfHeight}, 0},
      {"up underlined", 3, 1, 0, {0, 2 + kAB}, {0, 2}, {kHalfHeight + 1.8, 2}, 90},
      // A balloon of radius 3 beyond the shelf, the text centred in it.
      {"right balloon", 1, 1, 3, {2, 0}, {5, 0}, {5 - kAB / 2, -kHalfHeight}, 0},
      {"left balloon", 2, 0, 3, {-2, 0}, {-5, 0}, {-5 - kAB / 2, -kHalfHeight}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FirstData11.Chain9Option2 = c.shelf;
    FirstData11.Chain9Option4 = c.under;
    FirstData11.Chain9Size4 = c.balloon;
    const TRenSunpoSenobj& tool = BuildToward(15);
    ExpectPointLeaderNote(tool.Elements[1].X2, tool.Elements[1].Y2, {e.x + c.shelfEnd.x, e.y + c.shelfEnd.y});
    ExpectPointLeaderNote(tool.Elements[4].X1, tool.Elements[4].Y1, {e.x + c.centre.x, e.y + c.centre.y});
    EXPECT_EQ(+tool.Elements[4].Radius, c.balloon);
    const RDrawElement& text = tool.Elements[5];
    ExpectPointLeaderNote(text.X1, text.Y1, {e.x + c.base.x, e.y + c.base.y});
    ExpectPointLeaderNote(text.X2, text.Y2, Polar(c.angle, kAB, {text.X1, text.Y1}));
    EXPECT_EQ(+text.TextAngle, c.angle);
    EXPECT_EQ(+text.TextStyle, 3);
  }
}

TEST_F(LeaderNote, AutomaticShelfPointsLeftForLeftwardLeaders) {
  const TRenSunpoSenobj& tool = BuildToward(100);
  EXPECT_NEAR(tool.Elements[1].X2 - tool.Elements[1].X1, -2, 1e-12);
}

TEST_F(LeaderNote, HalfArrowheadPerQuadrant) {
  FirstData11.Chain9Option1 = 2;
  const struct {
    std::uint8_t shelf;
    double cursor, stroke;
  } cases[] = {
      // Across shelves: the second stroke (−15) in the second and fourth
      // quadrants; up and down shelves: the first stroke above the point.
      {0, 15, 30}, {0, 165, 150}, {0, 195, 210}, {0, 345, 330},
      {3, 15, 30}, {3, 165, 180}, {4, 195, 180}, {4, 345, 330},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cursor);
    FirstData11.Chain9Option2 = c.shelf;
    const TRenSunpoSenobj& tool = BuildToward(c.cursor);
    ExpectPointLeaderNote(tool.Elements[2].X2, tool.Elements[2].Y2, Polar(c.stroke, 1.5));
    EXPECT_EQ(+tool.Elements[3].X2, 0.0);
    EXPECT_EQ(+tool.Elements[3].Y2, 0.0);
  }
}

TEST_F(LeaderNote, SmallCircleShortensTheLeader) {
  FirstData11.Chain9Option1 = 3;
  const TRenSunpoSenobj& tool = BuildToward(50);
  ExpectPointLeaderNote(tool.Elements[0].X1, tool.Elements[0].Y1, Polar(45, 0.5));
  EXPECT_EQ(+tool.Elements[2].Kind, kKindArc);
  EXPECT_EQ(+tool.Elements[2].Radius, 0.5);
  EXPECT_EQ(+tool.Elements[2].Ratio, 1.0f);
  ExpectPointLeaderNote(tool.Elements[2].X1, tool.Elements[2].Y1, {0, 0});
}

TEST_F(LeaderNote, OtherMarks) {
  BuildToward(15);  // an arrowhead in entries 2 and 3
  FirstData11.Chain9Option1 = 4;
  TRenSunpoSenobj& tool = BuildToward(60);
  EXPECT_EQ(+tool.Elements[2].Kind, kKindPoint);
  ExpectPointLeaderNote(tool.Elements[3].X2, tool.Elements[3].Y2, Polar(0, 1.5));  // kept
  FirstData11.Chain9Option1 = 0;
  BuildToward(60);
  EXPECT_EQ(+tool.Elements[2].X1, 0.0);
  EXPECT_EQ(+tool.Elements[3].X2, 0.0);
  // Unknown marks change the leader and the shelf only.
  FirstData11.Chain9Option1 = 1;
  BuildToward(15);
  const std::vector<RDrawElement> before = tool.Elements;
  FirstData11.Chain9Option1 = 5;
  BuildToward(120);
  ExpectPointLeaderNote(tool.Elements[0].X2, tool.Elements[0].Y2, Polar(120, 10));
  EXPECT_LT(+tool.Elements[1].X2, +tool.Elements[1].X1);
  for (std::size_t i = 2; i < before.size(); ++i) {
    EXPECT_EQ(std::memcmp(&tool.Elements[i], &before[i], sizeof(RDrawElement)), 0) << i;
  }
}

TEST_F(LeaderNote, ThreeLinesOnARightShelf) {
  FirstData11.Chain9Text = "A..B$C";
  const double length = 10 * std::cos(15 * kRadLeaderNote) + 3 * std::sin(15 * kRadLeaderNote);
  const struct {
    const char* what;
    double cursorY, angle;
    double textY[3];  // text points from E.y
    double shelfY[2];
  } cases[] = {
      {"leader up and right: the block hangs below E", 3, 15, {0, -4, -8}, {-4, -8}},
      {"leader down and right: the block stands above E", -3, 345, {8, 4, 0}, {8, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TRenSunpoSenobj& tool = Build(10, c.cursorY);
    const RPoint2D e = Polar(c.angle, length);
    EXPECT_EQ(tool.Texts, (std::vector<std::string>{"A", "B", "C"}));
    ASSERT_EQ(tool.Elements.size(), 10u);
    for (int i = 0; i < 2; ++i) {
      ExpectPointLeaderNote(tool.Elements[5 + i].X1, tool.Elements[5 + i].Y1, {e.x, e.y + c.shelfY[i]});
      ExpectPointLeaderNote(tool.Elements[5 + i].X2, tool.Elements[5 + i].Y2, {e.x + 2, e.y + c.shelfY[i]});
    }
    for (int i = 0; i < 3; ++i) {
      const RDrawElement& text = tool.Elements[7 + i];
      EXPECT_EQ(+text.TextIndex, i);
      ExpectPointLeaderNote(text.X1, text.Y1, {e.x + 3, e.y + c.textY[i] - kHalfHeight});
    }
  }
}

TEST_F(LeaderNote, FurtherShelfMeetsALongLeader) {
  FirstData11.Chain9Text = "A$B$C";
  FirstData11.Chain9Size5 = 30;
  const TRenSunpoSenobj& tool = BuildToward(15);
  const RPoint2D e = Polar(15, 30);
  // y = E.y − 4 meets the leader 16.9 from the shelf's far end, nearer than
  // the picked point (31.2); y = E.y − 8 meets it beyond the picked point.
  ExpectPointLeaderNote(tool.Elements[5].X1, tool.Elements[5].Y1, {(e.y - 4) / std::tan(15 * kRadLeaderNote), e.y - 4});
  ExpectPointLeaderNote(tool.Elements[6].X1, tool.Elements[6].Y1, {e.x, e.y - 8});
}

TEST_F(LeaderNote, ThreeLinesOnAnUpShelf) {
  FirstData11.Chain9Text = "A$B$C";
  FirstData11.Chain9Option2 = 3;
  const TRenSunpoSenobj& tool = BuildToward(15);
  const RPoint2D e = Polar(15, 10);
  // The leader points right: the block lies on the −x side, the last line
  // on the main shelf. Text points (E.x − 8 + 4i, E.y + 2 + 1); middle left
  // at 90 degrees puts the base 1.5 to the right.
  for (int i = 0; i < 3; ++i) {
    ExpectPointLeaderNote(tool.Elements[7 + i].X1, tool.Elements[7 + i].Y1, {e.x - 8 + 4 * i + kHalfHeight, e.y + 3});
  }
  // Both further shelves cross the leader nearer their far ends than the
  // picked point is, so they start on it.
  for (int i = 0; i < 2; ++i) {
    const double x = e.x - 8 + 4 * i;
    ExpectPointLeaderNote(tool.Elements[5 + i].X1, tool.Elements[5 + i].Y1, {x, x * std::tan(15 * kRadLeaderNote)});
    ExpectPointLeaderNote(tool.Elements[5 + i].X2, tool.Elements[5 + i].Y2, {x, e.y + 2});
  }
}

TEST_F(LeaderNote, FlushLinesOnALeftShelf) {
  FirstData11.Chain9Text = "A$BCD";  // widest line 4.0
  const RPoint2D e = Polar(165, 10);
  struct {
    std::uint8_t flush;
    double start[2];  // base x of each line from E.x
  } cases[] = {
      {0, {-3 - 1.0, -3 - 4.0}},  // ending at the shelf: middle right
      {1, {-7, -7}},              // starting at the block's far edge
  };
  for (const auto& c : cases) {
    FirstData11.Chain9Option3 = c.flush;
    const TRenSunpoSenobj& tool = BuildToward(165);
    for (int i = 0; i < 2; ++i) {
      ExpectPointLeaderNote(tool.Elements[6 + i].X1, tool.Elements[6 + i].Y1,
                            {e.x + c.start[i], e.y - 4 * i - kHalfHeight});
    }
  }
}

TEST_F(LeaderNote, AtMostTwentyOneLines) {
  std::string text = "1";
  for (int i = 2; i <= 22; ++i) text += "$" + std::to_string(i);
  FirstData11.Chain9Text = text;
  const TRenSunpoSenobj& tool = BuildToward(15);
  ASSERT_EQ(tool.Texts.size(), 21u);
  EXPECT_EQ(tool.Texts.back(), "21");
  EXPECT_EQ(tool.Elements.size(), 4u + 2 * 21);
}

TEST_F(LeaderNote, OnlyOnePointBuilds) {
  const std::vector<RDrawElement> before = BuildToward(15).Elements;
  replay_.Tool().AddPoint(1, 0, 5, 5, ZeroElement());
  const TRenSunpoSenobj& tool = BuildToward(100);
  ASSERT_EQ(tool.Elements.size(), before.size());
  EXPECT_EQ(+tool.Elements[0].X2, +before[0].X2);
}

TEST(LeaderNoteText, SplitTextLines) {
  const TRenSunpoSenobj tool(DimensionTestStyles());
  const struct {
    std::string text;
    bool split;
    std::vector<std::string> lines;
    double width;
  } cases[] = {
      {"A..B$C", true, {"A", "B", "C"}, 1.0},
      {" A $ $$BCD ", true, {"A", "BCD"}, 4.0},  // blank pieces skipped
      {"$$", true, {}, 0.0},
      {"AB", false, {}, kAB},
      {"", false, {}, 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::string> lines{"old"};
    double width = -1;
    EXPECT_EQ(tool.SplitTextLines(c.text, 3, lines, width), c.split);
    EXPECT_EQ(lines, c.lines);
    EXPECT_DOUBLE_EQ(width, c.width);
  }
}

}  // namespace
