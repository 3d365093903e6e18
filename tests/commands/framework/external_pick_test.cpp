// The external pick: points, lines, circles and polylines taken for a host
// panel, each announced to it.

#include <gtest/gtest.h>

#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

class ExternalPick : public CommandHarness {
 protected:
  void Start(std::uint8_t kind) {
    Box().Gkasen = kind;
    Box().ButonType = dttenGaibu;
    TakeNotifications();
  }
  static std::vector<std::string> Posts(std::size_t n) { return std::vector<std::string>(n, "TFrame31+120"); }
};

TEST_F(ExternalPick, APointIsReportedAndARightClickOnNothingIsDropped) {
  Start(0);
  Click(30, 40, ssLeft);
  EXPECT_EQ(TakeNotifications(), Posts(1));
  EXPECT_EQ(Box().ReportedPoint.x, 30);
  EXPECT_EQ(Box().ReportedPoint.y, 40);
  EXPECT_EQ(Box().CommandStep, 0);
  ExpectScreenMatchesRedraw();
  Click(80, 80, ssRight);
  EXPECT_TRUE(TakeNotifications().empty());
  EXPECT_EQ(Box().ClickKind, 0);
  ExpectScreenMatchesRedraw();
  // A right click near an end takes the end.
  Seed({Line(10, 10, 50, 10)});
  Click(50.5, 10.5, ssRight);
  EXPECT_EQ(TakeNotifications(), Posts(1));
  EXPECT_EQ(Box().ReportedPoint.x, 50);
  EXPECT_EQ(Box().ReportedPoint.y, 10);
  ExpectScreenMatchesRedraw();  // the marker at the end stays, as the check draws it
}

// The picked line or circle is drawn over in orange and stays so until the
// next full redraw, which shows it in its own colour again: the screen
// differs from a redraw there on purpose.
TEST_F(ExternalPick, ALineGoesIntoTheBufferInItsColourAndShowsOrange) {
  Box().ColourTable[5] = 0x00FF00;
  Box().ColourTable[6] = 0xFF0000;
  RDrawElement line = Line(20, 50, 80, 50);
  line.ColorNo = 5;
  RDrawElement circle = Arc(50, 20, 8);
  circle.ColorNo = 6;
  Seed({line, circle});
  Start(2);
  Click(50, 50, ssLeft);
  ASSERT_EQ(Store().Buffer.size(), 1u);
  EXPECT_EQ(Value(Store().Buffer[0].ColorNo), 5);
  EXPECT_EQ(Value(Store().Buffer[0].X2), 80);
  EXPECT_EQ(PixelAt(30, 50), 0x4080FFu) << "RGB(255, 128, 64)";
  EXPECT_EQ(TakeNotifications(), Posts(1));
  // The circle is no line.
  Click(58, 20, ssLeft);
  EXPECT_EQ(TopMessage(), J("線無"));
  EXPECT_TRUE(TakeNotifications().empty());
  EXPECT_EQ(Box().CommandStep, 1) << "the step stays";

  Start(3);
  Click(58, 20, ssLeft);
  ASSERT_EQ(Store().Buffer.size(), 2u);
  EXPECT_EQ(Value(Store().Buffer[1].Kind), kKindArc);
  EXPECT_EQ(PixelAt(57.8, 20), 0x4080FFu) << "the circle's rightmost pixel in orange";
  EXPECT_EQ(TakeNotifications(), Posts(1));
  Click(30, 50, ssLeft);
  EXPECT_EQ(TopMessage(), J("円無"));
  RedrawAsTheHostDoes();
  EXPECT_EQ(PixelAt(30, 50), 0x00FF00u) << "the line in its own colour again";
  EXPECT_EQ(PixelAt(57.8, 20), 0xFF0000u) << "the circle too";
}

TEST_F(ExternalPick, TextsAreNotTakenYet) {
  SeedText("AB", 40, 50, 60, 50);
  Start(4);
  for (int i = 0; i < 2; ++i) {
    Box().TopMessage.clear();
    Click(50, 50.5, ssLeft);
    EXPECT_EQ(TopMessage(), J("文字はまだ未対応"));
    EXPECT_TRUE(TakeNotifications().empty());
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(ExternalPick, APolylineCollectsVerticesAndTheCancelErasesIt) {
  // A line the first segment crosses at (20, 10) and one the second
  // segment covers: both whole again after the cancel.
  Seed({Line(20, 0, 20, 20), Line(30, 15, 30, 25)});
  Start(1);
  Click(10, 10, ssLeft);
  EXPECT_EQ(TakeNotifications(), Posts(1)) << "the first vertex";
  MoveTo(30, 10);
  Click(30, 10, ssLeft);
  MoveTo(30, 30);
  Click(30, 30, ssLeft);
  EXPECT_EQ(TakeNotifications(), Posts(2)) << "one post per segment";
  EXPECT_EQ(Box().ReportedPoint.y, 30);
  EXPECT_EQ(Box().B_Switch, on2);
  EXPECT_EQ(PixelAt(20, 10), Box().Sentakucol2) << "the segments stay drawn";
  EXPECT_EQ(PixelAt(30, 20), Box().Sentakucol2);
  MoveTo(50, 30);  // the rubber segment
  Box().CancelCommands(true);
  EXPECT_TRUE(Box().Tool(ToolSlot::SupuLineObj).Empty());
  ExpectScreenMatchesRedraw();
}

}  // namespace
