// Kind 100: building, caching, moving, mirroring and placing a line symbol.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "figures/sections/figure_checks.h"
#include "figures/sections/section_generator.h"
#include "support/settings_guard.h"
#include "support/tool_message_recorder.h"
#include "tools/settings/default_settings.h"

namespace {

class LineSymbolKindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One file per test and process: the tests run side by side.
    path_ = std::filesystem::temp_directory_path() /
            ("zuro_symbol_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
             std::to_string(::getpid()) + ".txt");
    // Entry 0: a line (1,0)-(3,2), an arc of colour 5, a hidden arc, a connector.
    // Entry 1: one line (0,0)-(1,0).
    std::ofstream(path_, std::ios::binary) << "#n\r\n1\r\n0 0 1 0 3 2\n0 e 2 0 0 90 5 1 0 0 1\r"
                                              "8 e 2 0 0 90 5 1 0 0 1\n0 150 0 0 4 0 5\n99\n0 x\n0 0 0 0 1 0\n";
    FirstData18.LineSymbolFile = path_.string();
    FirstData18.LineSymbolNumber = 0;
  }
  void TearDown() override { std::filesystem::remove(path_); }

  SettingsGuard guard_;
  std::filesystem::path path_;
  std::array<RTextStyle, kTextStyleCount> styles_ = TestStyles();
  TBuzaidanmenobj fig_{styles_, 100.0};
};

TEST_F(LineSymbolKindTest, BuiltOnceThenMoved) {
  fig_.Generate(100, 10, 0, 0, 0, 0, 0, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 3u);  // the hidden arc is dropped, the connector kept
  ExpectLine(fig_.Elements[0], {11, 0}, {13, 2});
  EXPECT_EQ(int{fig_.Elements[2].ColorNo}, 11);
  EXPECT_EQ(FirstData18.LineSymbolChanged, 0);
  // A later edit of the file is not seen while nothing asks for a build.
  std::ofstream(path_, std::ios::binary) << "#n\n0\n";
  fig_.Generate(100, 15, 5, 0, 0, 0, 0, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 3u);
  ExpectLine(fig_.Elements[0], {16, 5}, {18, 7});
  // Each trigger rebuilds from the (now empty) file.
  fig_.SymbolNumber = 0;
  FirstData18.LineSymbolChanged = 1;
  fig_.Generate(100, 15, 5, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(fig_.Elements.empty());
}

TEST_F(LineSymbolKindTest, EachTriggerRebuilds) {
  fig_.Generate(100, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  FirstData18.LineSymbolNumber = 1;
  fig_.Generate(100, 5, 5, 0, 0, 0, 0, 0, 0, 0);
  ASSERT_EQ(fig_.Elements.size(), 1u);
  ExpectLine(fig_.Elements[0], {5, 5}, {6, 5});
  EXPECT_EQ(int{fig_.SymbolPlacement}, 0);
}

TEST_F(LineSymbolKindTest, MirrorAndAngle) {
  FirstData18.LineSymbolFactorX = -1.0;
  fig_.BuildLineSymbol(FirstData18.LineSymbolFile, 0, -1.0, 2.0, 90.0);
  ASSERT_EQ(fig_.Elements.size(), 3u);
  // (1, 0) -> (-1, 0) -> turned 90: (0, -1); (3, 2) -> (-3, 4) -> (-4, -3).
  ExpectLine(fig_.Elements[0], {0, -1}, {-4, -3});
  const RDrawElement& arc = fig_.Elements[1];
  EXPECT_EQ(int{arc.Kind}, int{kKindArc});
  ExpectPoint(First(arc), {0, -2});  // (2,0) -> (-2,0) -> (0,-2)
  EXPECT_EQ(double{arc.Radius}, 1.0);
}

TEST_F(LineSymbolKindTest, TextsKeepTheirSizeAndReadForward) {
  // "ab" in style 3 (40 wide, 20 high): 4 long, laid out from (4, 0) to (8, 0).
  std::ofstream(path_, std::ios::binary) << "#n\n0\n0 0 4 0 5 0 0 0 \"ab\"$\n";
  fig_.BuildLineSymbol(FirstData18.LineSymbolFile, 0, -2.0, 1.0, 0.0);
  ASSERT_EQ(fig_.Elements.size(), 1u);
  // Position scaled by |FX| to (8, 0), end (12, 0); mirrored and swapped.
  ExpectPoint(First(fig_.Elements[0]), {-12, 0});
  ExpectPoint(Second(fig_.Elements[0]), {-8, 0});
  EXPECT_EQ(float{fig_.Elements[0].TextAngle}, 0.0f);
  fig_.BuildLineSymbol(FirstData18.LineSymbolFile, 0, -2.0, 1.0, 90.0);
  ExpectPoint(First(fig_.Elements[0]), {0, -12});
  ExpectPoint(Second(fig_.Elements[0]), {0, -8});
  EXPECT_EQ(float{fig_.Elements[0].TextAngle}, 90.0f);
  ASSERT_EQ(fig_.Texts.size(), 1u);
  EXPECT_EQ(fig_.Texts[0], "ab");
}

TEST_F(LineSymbolKindTest, PlacementOnAPickedLine) {
  RDrawElement line = ZeroElement();
  line.X1 = 0;
  line.Y1 = 0;
  line.X2 = 100;
  line.Y2 = 0;
  fig_.SetReferenceElement(line, 1);
  fig_.BaseX = 80;
  fig_.BaseY = 7;
  double x, y, a;
  fig_.GetSymbolPlacement(x, y, a);
  ExpectPoint({x, y}, {80, 0});
  EXPECT_EQ(a, 0.0);
  fig_.BaseX = 20;
  fig_.GetSymbolPlacement(x, y, a);
  ExpectPoint({x, y}, {20, 0});
  EXPECT_EQ(a, 180.0);
  // A line of one point: the cursor, angle 0.
  line.X2 = 0;
  fig_.SetReferenceElement(line, 1);
  fig_.GetSymbolPlacement(x, y, a);
  ExpectPoint({x, y}, {20, 7});
  EXPECT_EQ(a, 0.0);
}

TEST_F(LineSymbolKindTest, AnUnreadableFileIsReportedOnce) {
  ToolMessageRecorder recorder;
  FirstData18.LineSymbolFile = (path_.string() + ".missing");
  fig_.Generate(100, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  fig_.Generate(100, 1, 0, 0, 0, 0, 0, 0, 0, 0);
  FirstData18.LineSymbolChanged = 1;
  fig_.Generate(100, 2, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(fig_.Elements.empty());
  ASSERT_EQ(recorder.Messages.size(), 1u);
  EXPECT_NE(recorder.Messages[0].Text.find(FirstData18.LineSymbolFile), std::string::npos);
}

}  // namespace
