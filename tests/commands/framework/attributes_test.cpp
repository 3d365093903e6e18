// The attribute commands through their gestures and clicks: reading an
// element's attributes, a text's string and the axis angle, and changing
// attributes as one undo step.

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

class Attributes : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    // Gestures from 40 pixels (8 units); the near band runs to 80.
    Box().DridoL1 = 40;
    Box().DridoL2 = 40;
    Box().ButonType = dtNo;
    Box().SavedMode = dtNo;
  }
  // The left drag 60 pixels (12 units) straight down arms "属性取得 "; the
  // Shift+Left drag 60 pixels down to the right arms "属性変更 ".
  void ReadGesture(double x, double y) { Drag(x, y, x, y - 12, ssLeft); }
  void ChangeGesture(double x, double y) {
    const double d = 12 / std::sqrt(2.0);
    Drag(x, y, x + d, y - d, ssLeft | ssShift);
  }
  static RDrawElement Coloured(RDrawElement e, std::uint8_t colour, std::uint8_t type) {
    e.ColorNo = colour;
    e.LineType = type;
    return e;
  }
};

TEST_F(Attributes, TheReadGestureShowsTheAttributesInItsOwnRelease) {
  struct Case {
    const char* what;
    RDrawElement element;
    double x, y;
    const char* message;  // UTF-8
  } cases[] = {
      {"line", Coloured(Line(20, 50, 80, 50), 3, 2), 50, 50, " 色3 種2 "},
      {"arc", Coloured(Arc(50, 50, 10), 5, 4), 60, 50, " 色5 種4 "},
      {"point", Coloured(Point(50, 50), 7, 1), 50.2, 50.2, " 色7 種1 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Store().Elements.clear();
    Seed({c.element});
    BanGoCalls.clear();
    ReadGesture(c.x, c.y);
    EXPECT_EQ(TopMessage(), J(c.message));
    ASSERT_FALSE(BanGoCalls.empty());
    EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dtNo, 20}));
    EXPECT_EQ(Box().ButonType, dtNo) << "back to the interrupted mode";
    EXPECT_EQ(Box().ClickKind, 0);
    EXPECT_EQ(Value(Box().PickedElement.ColorNo), Value(c.element.ColorNo));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(Attributes, ReadingATextMakesItsStyleCurrentAndTellsTheTextPanel) {
  RDrawElement text = SeedText("AB", 40, 50, 60, 50, 5);
  Box().Pencol = 6;
  Box().Pentyp = 3;
  // The text command interrupted by the reader.
  Box().SavedMode = dtMozi;
  Box().ButonType = dtzokusei;
  TakeNotifications();
  Click(50, 50.5, ssLeft);
  EXPECT_EQ(TopMessage(), J(" 文字NO.5 "));
  EXPECT_EQ(Box().Mozi_No, 5);
  EXPECT_EQ(Value(Box().PickedElement.ColorNo), 6) << "the copy takes the pen";
  EXPECT_EQ(Value(Box().PickedElement.LineType), 3);
  EXPECT_EQ(Value(Box().PickedElement.TextIndex), Value(text.TextIndex));
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame5+113"});
  EXPECT_EQ(Box().ButonType, dtMozi);
  ExpectScreenMatchesRedraw();
}

TEST_F(Attributes, NothingUnderTheGestureFailsTheRead) {
  Seed({Line(20, 80, 80, 80)});
  ReadGesture(50, 40);
  EXPECT_EQ(TopMessage(), J("読取失敗 "));
  EXPECT_EQ(Box().ButonType, dtNo);
  ASSERT_FALSE(BanGoCalls.empty());
  EXPECT_EQ(BanGoCalls.back().GenBan, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(Attributes, TheChangeGestureReplacesTheElementInOneUndoStep) {
  const RDrawElement old = Coloured(Line(20, 50, 80, 50), 3, 2);
  Seed({old, Line(20, 90, 80, 90)});
  Store().AddElement(Line(1, 1, 5, 1));  // the previous step
  RedrawAsTheHostDoes();
  Box().Pencol = 4;
  Box().Pentyp = 1;
  Box().WriteGrupe_No = 1;
  Box().WriteReiya_No = 2;
  ChangeGesture(50, 50);
  RDrawElement changed = Coloured(old, 4, 1);
  changed.Group = 1;
  changed.Layer = 2;
  RDrawElement previous = Line(1, 1, 5, 1);
  previous.UndoMark = kUndoAdded;  // as the store marks what it adds
  ExpectElements({Line(20, 90, 80, 90), previous, changed});
  RDrawElement deleted = old;
  deleted.UndoMark = kUndoDeleted;
  changed.UndoMark = kUndoAdded;
  ExpectUndoLog({deleted, changed});
  ASSERT_FALSE(BanGoCalls.empty());
  EXPECT_EQ(BanGoCalls.back().GenBan, 45);
  ExpectScreenMatchesRedraw();
}

TEST_F(Attributes, AChangedTextTakesTheCurrentStyleAndIsRefittedInItsOwnDirection) {
  RDrawElement text = SeedText("AB", 40, 50, 41, 50, 1);
  Box().Mozi_No = 3;
  Box().HeldTextDir = kTextVertical;  // the held text's direction plays no part
  RTextStyle& style = Box().TextStyles[3];
  style.Width = 40;  // 4 mm a full-width character, 2 mm a half-width one
  style.Height = 30;
  style.Spacing = 0;
  ChangeGesture(40.5, 50.5);
  ASSERT_EQ(Elements().size(), 1u);
  const RDrawElement& e = Elements()[0];
  EXPECT_EQ(Value(e.TextStyle), 3);
  EXPECT_EQ(TextOf(e), "AB");
  // Two half-width characters of 2 mm along its own horizontal base line.
  EXPECT_NEAR(Value(e.X2), 44.0, 1e-9);
  EXPECT_NEAR(Value(e.Y2), 50.0, 1e-9);
  ASSERT_EQ(UndoLog().size(), 2u);
  EXPECT_EQ(Value(UndoLog()[0].UndoMark), kUndoDeleted);
  EXPECT_EQ(Value(UndoLog()[1].UndoMark), kUndoAdded);
  EXPECT_EQ(Box().HeldTextDir, kTextVertical);
  ExpectScreenMatchesRedraw();
  (void)text;
}

TEST_F(Attributes, TheContinuousChangeTakesColourAndTypeOrOnlyTheColour) {
  Box().ButonType = dtZokuseiRenHen;
  Box().Pencol = 4;
  Box().Pentyp = 5;
  const RDrawElement a = Coloured(Line(20, 50, 80, 50), 3, 2);
  const RDrawElement b = Coloured(Line(20, 70, 80, 70), 3, 2);
  Seed({a, b});
  SeedText("AB", 40, 20, 60, 20, 1);
  Click(50, 50, ssLeft);
  Click(50, 70, ssRight);
  EXPECT_EQ(Box().ButonType, dtZokuseiRenHen) << "the command stays";
  ExpectElements({Elements()[0], Coloured(a, 4, 5), Coloured(b, 4, 2)});
  EXPECT_EQ(Value(Elements()[0].Kind), kKindText);
  ASSERT_EQ(UndoLog().size(), 2u) << "each change is its own step";
  ExpectScreenMatchesRedraw();
  Click(50, 20.5, ssLeft);
  EXPECT_EQ(TopMessage(), J("図形がありません")) << "texts are never chosen";
  EXPECT_EQ(UndoLog().size(), 2u);
  ExpectScreenMatchesRedraw();
}

TEST_F(Attributes, AChangedPointShowsInItsNewColourAtOnce) {
  Box().ButonType = dtZokuseiRenHen;
  Box().Pencol = 4;
  Box().Pentyp = 1;
  Box().ColourTable[3] = 0x00FF00;
  Box().ColourTable[4] = 0xFF0000;
  const RDrawElement point = Coloured(Point(50, 50), 3, 1);
  Seed({point});
  // The pixels of a colour within 4 of the point's pixel.
  const auto around = [&](TColor colour) {
    ApplyPendingPaint();
    int n = 0;
    for (int dy = -4; dy <= 4; ++dy) {
      for (int dx = -4; dx <= 4; ++dx) n += Box().Canvas().GetPixel(PixelX(50) + dx, PixelY(50) + dy) == colour;
    }
    return n;
  };
  ASSERT_GT(around(0x00FF00), 0);
  Click(50, 50, ssLeft);
  ExpectElements({Coloured(point, 4, 1)});
  // Its mark is painted again from the drawing: blue, no green left.
  EXPECT_EQ(around(0x00FF00), 0);
  EXPECT_GT(around(0xFF0000), 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(Attributes, WithTheRingTheAxisReaderTakesTheRangeVariantCursor) {
  // The host's variant 0 gives 4; 1 to 3 give 1 to 3 with the ring; the
  // variant stays.
  struct Case {
    std::uint8_t ringHan, cursorHan;
    int cursor;
  } cases[] = {{1, 0, 4}, {1, 2, 2}, {2, 3, 3}, {2, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ring " << int(c.ringHan) << " variant " << int(c.cursorHan));
    Box().SetCursor(99);
    Box().LastCursorMode = dtend;
    Box().ButonType = dtzikukaku;
    Box().RingHan = c.ringHan;
    Box().cursorHan = c.cursorHan;
    Box().UpdateCommandCursor();
    EXPECT_EQ(Box().Cursor(), c.cursor);
    EXPECT_EQ(Box().cursorHan, c.cursorHan);
  }
}

TEST_F(Attributes, TheTextReaderJoinsOnTheClickedSideForTheCentreLines) {
  SeedText("AB", 40, 50, 60, 50, 1);
  struct Case {
    const char* what;
    Sbuttontype saved;
    TShiftState shift;
    const char* before;
    const char* after;
    std::vector<std::string> posts;
  } cases[] = {
      {"in front", dtRenSunpoCyusin, ssShift | ssLeft, "X", "AB..X", {"TFkensa1+121", "TFrame30+121"}},
      {"behind", dtRenSunpoCyusin2, ssRight, "X", "X..AB", {"TFkensa1+121", "TFrame30+121"}},
      {"behind an empty one", dtRenSunpoCyusin, ssRight, "", "AB", {"TFkensa1+121", "TFrame30+121"}},
      {"replaced", dtRenSunpoCyusin, ssLeft, "X", "AB", {"TFkensa1+121", "TFrame30+121"}},
      {"elsewhere replaced", dtMozi, ssShift | ssLeft, "X", "AB", {"TFkensa1+121"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Box().SavedMode = c.saved;
    Box().ButonType = dtMoziyomu;
    Box().ReadText = c.before;
    TakeNotifications();
    Click(50, 50.5, c.shift);
    EXPECT_EQ(Box().ReadText, c.after);
    EXPECT_EQ(TakeNotifications(), c.posts);
    EXPECT_EQ(Box().ButonType, c.saved);
    EXPECT_EQ(Box().JoinSide, 0);
    ExpectScreenMatchesRedraw();
  }
  // An empty spot: the reader waits.
  Box().SavedMode = dtMozi;
  Box().ButonType = dtMoziyomu;
  Click(50, 80, ssLeft);
  EXPECT_EQ(Box().ButonType, dtMoziyomu);
  EXPECT_TRUE(TakeNotifications().empty());
  ExpectScreenMatchesRedraw();
  // A line: the read fails and the reader ends.
  Seed({Line(20, 80, 80, 80)});
  Click(50, 80, ssLeft);
  EXPECT_EQ(TopMessage(), J("読取失敗 "));
  EXPECT_EQ(Box().ButonType, dtMozi);
  ExpectScreenMatchesRedraw();
}

TEST_F(Attributes, TheAxisAngleComesFromALineOrATextOnly) {
  RDrawElement text = SeedText("AB", 40, 20, 60, 20, 1);
  Seed({Line(10, 60, 20, 70), Arc(80, 60, 10), Point(100, 20)});
  struct Case {
    const char* what;
    double x, y;
    bool read;
    double angle;
  } cases[] = {
      {"line", 15, 65, true, 45},        {"text", 50, 20.5, true, 0},    {"arc", 90, 60, false, 10},
      {"point", 100.2, 20.2, false, 10}, {"nothing", 60, 90, false, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Box().AxisAngle = 10;
    Box().TopMessage.clear();
    Box().SavedMode = dtDraf;
    Box().ButonType = dtzikukaku;
    Click(c.x, c.y, ssRight);
    EXPECT_EQ(Box().ButonType, dtDraf);
    EXPECT_NEAR(Box().AxisAngle, c.angle, 1e-9);
    EXPECT_EQ(TopMessage(), c.read ? "" : J("未読取り "));
    ExpectScreenMatchesRedraw();
  }
  (void)text;
}

TEST_F(Attributes, TheAxisAngleReadForTheSizedBoxRecomputesItsOffsets) {
  Seed({Line(10, 60, 30, 60)});
  TcadBox& b = Box();
  b.BoxWidth = 200;
  b.BoxHeight = 100;
  b.BoxAnchor = 4;  // the centre
  b.BoxClearance = {0, 0};
  b.CommandAngle = 0;
  b.AxisAngle = 30;
  b.BoxOffsets = {9, 9, 9, 9};
  b.SavedMode = dtBoxsunpo;
  b.ButonType = dtzikukaku;
  Click(20, 60, ssRight);
  EXPECT_EQ(b.ButonType, dtBoxsunpo);
  EXPECT_NEAR(b.AxisAngle, 0, 1e-9);
  // Unturned and centred: half the size either side of the placed point.
  const double expected[4] = {-100, -50, 100, 50};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(b.BoxOffsets[i], expected[i], 1e-9) << i;
  ExpectScreenMatchesRedraw();
}

TEST_F(Attributes, TheCancelAllForgetsTheJoinSide) {
  Box().JoinSide = 2;
  CancelCommands();
  EXPECT_EQ(Box().JoinSide, 0);
  ExpectScreenMatchesRedraw();
}

}  // namespace
