// The text commands through the harness. Style 1 is 20 wide, 20 high and
// spaced 1 (0.1 paper millimetres): a single-byte character advances
// 1.0, the spacing after it 0.05, and its frame is 2.0 high. The anchoring
// margins of the default settings put a bottom-left base point 1 before and
// 1 below the anchor: the held text placed at (x, y) starts at (x + 1, y + 1).

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

class TextCommands : public CommandHarness {
 protected:
  RDrawElement StyledAt(const char* utf8, double x1, double y1, double x2, double y2, std::uint8_t style = 1) {
    return StyledText(Store().ElementTexts, J(utf8), x1, y1, x2, y2, style);
  }
  // The text a command added: its string is the last of the list.
  RDrawElement Added(double x1, double y1, double x2, double y2, std::uint8_t style, std::uint16_t index) {
    RDrawElement e = ZeroElement();
    e.Kind = kKindText;
    e.X1 = x1;
    e.Y1 = y1;
    e.X2 = x2;
    e.Y2 = y2;
    e.TextStyle = style;
    e.ColorNo = style;
    e.TextIndex = index;
    e.UndoMark = kUndoAdded;
    return e;
  }
  std::string Strings() {
    std::string all;
    for (const RDrawElement& e : Elements()) all += TextOf(e) + "|";
    return all;
  }
  std::string Marks() {
    std::string all;
    for (const RDrawElement& e : UndoLog()) all += std::to_string(e.UndoMark) + ":" + UndoTextOf(e) + "|";
    return all;
  }
};

TEST_F(TextCommands, TheHeldTextIsPlacedAtTheClickAsOneStep) {
  StartAfresh(dtMozi);
  TcadBox& box = Box();
  box.Mozi_No = 1;
  box.PlaceText = J("AB");
  MoveTo(30, 30);
  EXPECT_FALSE(box.RubberErased) << "the frame follows the cursor";
  Click(40, 50);
  // "AB": 1.0 + 0.05 + 1.0.
  ExpectElements({Added(41, 51, 43.05, 51, 1, 0)});
  EXPECT_EQ(Marks(), "6:AB|");
  EXPECT_TRUE(box.PlaceText.empty());
  EXPECT_EQ(TakeNotifications().back(), "TFrame5+102");
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, BaseLinesOfTheAnchorsAndTheAxisLocks) {
  TcadBox& box = Box();
  box.Mozi_No = 1;
  box.PlaceText = J("AB");  // L = 2.05, H = 2
  const double L = 2.05, H = 2.0;
  struct Case {
    std::uint8_t anchor;
    double angle;
    double along, across;  // the anchor's offset with the margins
  };
  const Case cases[] = {{0, 0, -1, -1},  {4, 0, L + 1, H + 1},  {8, 0, -1, H / 2},
                        {0, 30, -1, -1}, {4, 30, L + 1, H + 1}, {8, 30, -1, H / 2}};
  for (const Case& c : cases) {
    box.TextAnchor = c.anchor;
    box.CommandAngle = c.angle;
    box.PlaceHeldText(0, true, 50, 40);
    const double a = c.angle * std::numbers::pi / 180;
    const double sx = 50 - (c.along * std::cos(a) - c.across * std::sin(a));
    const double sy = 40 - (c.along * std::sin(a) + c.across * std::cos(a));
    EXPECT_NEAR(box.HeldTextStart.x, sx, 1e-9) << int(c.anchor) << " " << c.angle;
    EXPECT_NEAR(box.HeldTextStart.y, sy, 1e-9) << int(c.anchor) << " " << c.angle;
    EXPECT_NEAR(box.HeldTextEnd.x, sx + L * std::cos(a), 1e-9) << int(c.anchor) << " " << c.angle;
    EXPECT_NEAR(box.HeldTextEnd.y, sy + L * std::sin(a), 1e-9) << int(c.anchor) << " " << c.angle;
    EXPECT_NEAR(box.CurrentTextHeight, H, 1e-12);
  }
  box.TextAnchor = 0;
  box.CommandAngle = 0;
  box.PickedElement.X1 = 20;
  box.PickedElement.Y1 = 10;
  box.PlaceHeldText(1, true, 50, 40);
  EXPECT_NEAR(box.HeldTextStart.x, 51, 1e-9);
  EXPECT_NEAR(box.HeldTextStart.y, 10, 1e-9) << "on the x axis through the picked base point";
  box.PlaceHeldText(2, true, 50, 40);
  EXPECT_NEAR(box.HeldTextStart.x, 20, 1e-9);
  EXPECT_NEAR(box.HeldTextStart.y, 41, 1e-9);
  // Turned by 90 degrees, the x axis through (20, 10) is the line x = 20.
  box.AxisAngle = 90;
  box.CommandAngle = 270;  // the text angle stays 0
  box.PlaceHeldText(1, true, 50, 40);
  EXPECT_NEAR(box.HeldTextStart.x, 20, 1e-9);
  EXPECT_NEAR(box.HeldTextStart.y, 41, 1e-9);
}

TEST_F(TextCommands, ATakenUpTextMovesKeepingItsGroupAndLayer) {
  StartAfresh(dtMozi);
  TcadBox& box = Box();
  RDrawElement seeded = StyledAt("AB", 40, 50, 42.05, 50, 2);
  seeded.Group = 1;
  seeded.Layer = 3;
  seeded.TextDirection = 0;
  Store().LayerStates[1 * kLayersPerGroup + 3] = kLayerEditable;
  Seed({seeded});
  Click(40.5, 50.5);
  EXPECT_EQ(box.PlaceText, J("AB"));
  EXPECT_EQ(box.B_Switch, on1);
  EXPECT_EQ(box.Mozi_No, 2);
  EXPECT_EQ(box.TextCopyMode, 0);
  EXPECT_EQ(Elements()[0].Selection, 1);
  EXPECT_EQ(TakeNotifications().back(), "TFrame5+100");
  ExpectScreenMatchesRedraw();
  Click(60, 70);
  // Style 2 is 25 wide, spaced 2: 1.25 + 0.1 + 1.25.
  RDrawElement moved = Added(61, 71, 63.6, 71, 2, 0);
  moved.Group = 1;
  moved.Layer = 3;
  ExpectElements({moved});
  EXPECT_EQ(Marks(), "9:AB|6:AB|");
  EXPECT_EQ(box.B_Switch, _off);
  EXPECT_TRUE(box.PlaceText.empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, ARightPickCopiesAndLeavesThePickedTextAlone) {
  StartAfresh(dtMozi);
  TcadBox& box = Box();
  Seed({StyledAt("AB", 40, 50, 42.05, 50)});
  Click(40.5, 50.5, ssRight);
  EXPECT_EQ(box.TextCopyMode, 1);
  Click(60, 70);
  // The picked text is withdrawn from the pick (selection mark 10).
  RDrawElement picked = StyledAt("AB", 40, 50, 42.05, 50);
  picked.Selection = 10;
  ExpectElements({picked, Added(61, 71, 63.05, 71, 1, 1)});
  EXPECT_EQ(Strings(), "AB|AB|");
  EXPECT_EQ(Marks(), "6:AB|");
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, AHeldTextEmptiedMeanwhileMovesNothing) {
  StartAfresh(dtMozi);
  TcadBox& box = Box();
  Seed({StyledAt("AB", 40, 50, 42.05, 50)});
  Click(40.5, 50.5);
  box.PlaceText.clear();  // a host's write
  Click(60, 70);
  RDrawElement kept = StyledAt("AB", 40, 50, 42.05, 50);
  kept.Selection = 10;  // only withdrawn from the pick
  ExpectElements({kept});
  EXPECT_TRUE(UndoLog().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, ShiftClicksPrependAndAppendAnotherTextsString) {
  StartAfresh(dtMozi);
  TcadBox& box = Box();
  Seed({StyledAt("CD", 40, 50, 42.05, 50)});
  Click(20, 20);  // nothing held, nothing here: the host is asked for a text
  box.PlaceText = J("AB");
  Click(40.5, 50.5, ssShift | ssLeft);
  EXPECT_EQ(box.PlaceText, J("CDAB"));
  Click(40.5, 50.5, ssShift | ssRight);
  EXPECT_EQ(box.PlaceText, J("CDABCD"));
  ExpectElements({StyledAt("CD", 40, 50, 42.05, 50)});
  EXPECT_EQ(Elements()[0].Selection, 0);
  Click(20, 20, ssShift | ssLeft);  // beside every text
  EXPECT_EQ(box.PlaceText, J("CDABCD"));
  Leave();  // the held text's frame follows the cursor until it leaves
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, TheHostLearnsWhatAClickFoundThroughMhan1) {
  StartAfresh(dtMozi);
  TcadBox& box = Box();
  int seen = -1;
  box.Mouse_up = [&seen](TcadBox& b, TMouseButton, TShiftState, double, double) { seen = b.Mhan1; };
  Click(20, 20);
  EXPECT_EQ(seen, 10);
  Click(20, 20, ssRight);
  EXPECT_EQ(seen, 11);
  box.PlaceText = J("AB");
  Click(20, 20, ssShift | ssRight);
  EXPECT_EQ(seen, 2);
  Click(20, 20, ssRight);  // nothing to snap to
  EXPECT_EQ(seen, 1);
  EXPECT_TRUE(Elements().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, OverlappingTextsAndLayersThatAreNotEditable) {
  StartAfresh(dtMozi);
  TcadBox& box = Box();
  const RDrawElement longer = StyledAt("longer", 40, 50, 70, 50);
  const RDrawElement shorter = StyledAt("ab", 40, 50, 50, 50);
  const RDrawElement reference = OnLayer(Store(), StyledAt("ref", 40, 20, 50, 20), 1, kLayerReference);
  const RDrawElement hidden = OnLayer(Store(), StyledAt("hid", 40, 30, 50, 30), 2, kLayerHidden);
  Seed({longer, shorter, reference, hidden});
  std::string t;
  EXPECT_TRUE(box.PickTextAt(t, true, 45, 51));
  EXPECT_EQ(t, J("ab")) << "the shorter base line";
  EXPECT_FALSE(box.PickTextAt(t, true, 45, 21));
  EXPECT_FALSE(box.PickTextAt(t, true, 45, 31));
}

TEST_F(TextCommands, NumberingStepsTheLabelUnderTheClick) {
  StartAfresh(dtnanbering);
  RDrawElement seeded = StyledAt("A9", 40, 50, 42.05, 50);
  seeded.Group = 1;
  seeded.Layer = 4;
  Store().LayerStates[1 * kLayersPerGroup + 4] = kLayerEditable;
  Seed({seeded, StyledAt("X0", 40, 30, 42.05, 30)});
  Click(41.2, 50.5);  // on "9", which starts at 41.05
  // "A10": 1.0 + 0.05 + 1.0 + 0.05 + 1.0.
  RDrawElement stepped = Added(40, 50, 43.1, 50, 1, 1);
  stepped.Group = 1;
  stepped.Layer = 4;
  stepped.UndoMark = 0;  // the checked adding keeps the template's mark
  ExpectElements({StyledAt("X0", 40, 30, 42.05, 30), stepped});
  EXPECT_EQ(Strings(), "X0|A10|");
  EXPECT_EQ(Marks(), "9:A9|6:A10|");
  ExpectScreenMatchesRedraw();
  // Down from 0 stays 0: nothing changes and the last step stays.
  Click(41.2, 30.5, ssRight);
  EXPECT_EQ(Strings(), "X0|A10|");
  EXPECT_EQ(Marks(), "9:A9|6:A10|");
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, AShiftClickInTheNumberingDeletesTheCharacter) {
  StartAfresh(dtnanbering);
  Seed({StyledAt("A9B", 40, 50, 43.1, 50)});
  Store().UndoLog = {Line(7, 7, 8, 8)};
  Click(41.2, 50.5, ssShift | ssLeft);  // on "9", which starts at 41.05
  // "AB" on the same base point: 1.0 + 0.05 + 1.0.
  RDrawElement left = Added(40, 50, 42.05, 50, 1, 0);
  left.UndoMark = 0;  // the checked adding keeps the template's mark
  ExpectElements({left});
  EXPECT_EQ(Strings(), "AB|");
  EXPECT_EQ(Marks(), "9:A9B|6:AB|");
  ExpectScreenMatchesRedraw();
  // Beside every character: nothing changes and the last step stays.
  Click(47, 50.5, ssShift | ssLeft);
  EXPECT_EQ(Strings(), "AB|");
  EXPECT_EQ(Marks(), "9:A9B|6:AB|");
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, CuttingKeepsEveryAttributeInBothParts) {
  StartAfresh(dtMoziDel);
  RDrawElement seeded = StyledAt("ABCD", 40, 50, 44.15, 50, 1);
  seeded.Group = 2;
  seeded.Layer = 5;
  Store().LayerStates[2 * kLayersPerGroup + 5] = kLayerEditable;
  Seed({seeded});
  Click(42.2, 50.5);  // on "C", which starts at 42.1
  RDrawElement left = Added(40, 50, 42.05, 50, 1, 0);
  RDrawElement right = Added(42.1, 50, 44.15, 50, 1, 1);
  left.Group = right.Group = 2;
  left.Layer = right.Layer = 5;
  left.UndoMark = right.UndoMark = 0;  // the checked adding keeps the template's mark
  ExpectElements({left, right});
  EXPECT_EQ(Strings(), "AB|CD|");
  EXPECT_EQ(Marks(), "9:ABCD|6:AB|6:CD|");
  ASSERT_FALSE(BanGoCalls.empty());
  EXPECT_NE(BanGoCalls.back().GenBan, 49) << "only the deletion reports the text edit";
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, DeletingLeavesEveryOtherTextWithItsOwnString) {
  StartAfresh(dtMoziDel);
  Seed({StyledAt("one", 40, 50, 43.1, 50), StyledAt("two", 40, 30, 43.1, 30), StyledAt("six", 40, 10, 43.1, 10)});
  Click(41, 50.5, ssRight);
  EXPECT_EQ(Strings(), "two|six|");
  EXPECT_EQ(Marks(), "9:one|");
  ASSERT_FALSE(BanGoCalls.empty());
  EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dtMoziDel, 49}));
  Click(90, 90, ssRight);  // on no text: still 49
  EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dtMoziDel, 49}));
  EXPECT_EQ(Strings(), "two|six|");
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, JoiningBeforeAndAfterTheBase) {
  struct Case {
    const char* name;
    double baseX;  // the pick on the base "AB" from 40 to 42.05
    TShiftState secondClick;
    const char* strings;
    const char* marks;
  };
  const Case cases[] = {
      {"first half, moved", 40.3, ssLeft, "CDAB|", "9:CD|9:AB|6:CDAB|"},  // the higher index goes first
      {"second half, copied", 41.8, ssRight, "CD|ABCD|", "9:AB|6:ABCD|"},
  };
  for (const Case& c : cases) {
    StartAfresh(dtRenKetuMozi);
    Seed({StyledAt("AB", 40, 50, 42.05, 50), StyledAt("CD", 40, 30, 42.05, 30)});
    BanGoCalls.clear();
    Click(c.baseX, 50.5);
    Click(40.3, 30.5, c.secondClick);
    EXPECT_EQ(Strings(), c.strings) << c.name;
    EXPECT_EQ(Marks(), c.marks) << c.name;
    EXPECT_NEAR(Elements().back().X1, 40, 1e-12) << c.name;
    EXPECT_NEAR(Elements().back().Y1, 50, 1e-12) << c.name;
    EXPECT_NEAR(Elements().back().X2, 44.15, 1e-9) << c.name;  // four characters
    ASSERT_FALSE(BanGoCalls.empty()) << c.name;
    EXPECT_EQ(BanGoCalls.back(), (RBanGoCall{dtRenKetuMozi, 49})) << c.name;
    EXPECT_EQ(Box().B_Switch, _off) << c.name;
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TextCommands, JoiningAtACharacter) {
  StartAfresh(dtRenKetuMozi);
  Seed({StyledAt("ABCD", 40, 50, 44.15, 50), StyledAt("xy", 40, 30, 42.05, 30)});
  Click(42.2, 50.5, ssRight);  // before "C"
  Click(40.3, 30.5);
  EXPECT_EQ(Strings(), "ABxyCD|");
  ExpectScreenMatchesRedraw();
}

TEST_F(TextCommands, AMissOrTheBaseTwiceJoinsNothing) {
  StartAfresh(dtRenKetuMozi);
  Seed({StyledAt("AB", 40, 50, 42.05, 50), StyledAt("CD", 40, 30, 42.05, 30)});
  Click(90, 90);
  EXPECT_EQ(Box().B_Switch, _off);
  Click(40.3, 50.5);
  Click(40.3, 50.5);  // the base again
  Click(90, 90);      // beside every text
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_EQ(Strings(), "AB|CD|");
  EXPECT_TRUE(UndoLog().empty());
  ExpectScreenMatchesRedraw();
  std::string joined = "x";
  Box().JoinTexts(0, 7, joined, true, true);  // an index outside the list
  EXPECT_TRUE(joined.empty());
  EXPECT_EQ(Strings(), "AB|CD|");
  EXPECT_TRUE(UndoLog().empty());
}

TEST_F(TextCommands, AnEnclosureAndItsTextAreOneStep) {
  // "AB" placed at (40, 50) runs from (41, 51) to (43.05, 51), 2.0 high.
  // Margins 0.5 along and 0.25 across: the box corners are (40.5, 50.75),
  // (43.55, 50.75), (40.5, 53.25) and (43.55, 53.25), its centre
  // (42.025, 52).
  struct RWant {
    double x1, y1, x2, y2;  // a line's ends, or an arc's centre and (radius, ratio)
  };
  struct Case {
    std::uint8_t shape;
    double radius;
    std::uint8_t kind;
    std::vector<RWant> enclosure;
  } cases[] = {
      {0,
       0,
       kKindLine,
       {{40.5, 50.75, 43.55, 50.75},
        {40.5, 53.25, 43.55, 53.25},
        {40.5, 50.75, 40.5, 53.25},
        {43.55, 50.75, 43.55, 53.25}}},
      {1, 3, kKindArc, {{42.025, 52, 3, 1}}},
      // The inscribed ellipse: semi-axis 3.05 / 2, across 2.5 / 2.
      {2, 3, kKindArc, {{42.025, 52, 1.525, 1.25 / 1.525}}},
      // A circle of no size adds nothing: the text takes a step of its own.
      {1, 0, kKindArc, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.shape));
    StartAfresh(dtMozi);
    TcadBox& box = Box();
    box.Mozi_No = 1;
    box.TextEnclosureOn = 1;
    box.TextEnclosureShape = c.shape;
    box.TextEnclosureMarginX = 0.5;
    box.TextEnclosureMarginY = 0.25;
    box.TextEnclosureRadius = c.radius;
    box.PlaceText = J("AB");
    Store().UndoLog = {Line(7, 7, 8, 8)};
    Click(40, 50);
    ASSERT_EQ(Elements().size(), c.enclosure.size() + 1);
    for (std::size_t i = 0; i < c.enclosure.size(); ++i) {
      const RDrawElement e = Elements()[i];
      const RWant& w = c.enclosure[i];
      ASSERT_EQ(e.Kind, c.kind);
      const double x1 = e.X1, y1 = e.Y1;
      EXPECT_NEAR(x1, w.x1, 1e-9) << i;
      EXPECT_NEAR(y1, w.y1, 1e-9) << i;
      if (c.kind == kKindLine) {
        const double x2 = e.X2, y2 = e.Y2;
        EXPECT_NEAR(x2, w.x2, 1e-9) << i;
        EXPECT_NEAR(y2, w.y2, 1e-9) << i;
      } else {
        const double r = e.Radius, ratio = e.Ratio;
        EXPECT_NEAR(r, w.x2, 1e-9);
        EXPECT_NEAR(ratio, w.y2, 1e-6);  // the ratio is stored as a float
      }
    }
    EXPECT_EQ(Elements().back().Kind, kKindText);
    // Everything the click added, and nothing of the earlier step.
    ASSERT_EQ(UndoLog().size(), c.enclosure.size() + 1);
    for (const RDrawElement& e : UndoLog()) EXPECT_EQ(e.UndoMark, kUndoAdded);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(TextCommands, TheCancelErasesTheFrame) {
  StartAfresh(dtMozi);
  Box().Mozi_No = 1;
  Box().PlaceText = J("AB");
  MoveTo(30, 30);
  EXPECT_FALSE(Box().RubberErased);
  Box().CancelCommands(true);
  EXPECT_TRUE(Box().RubberErased);
  ExpectScreenMatchesRedraw();
  EXPECT_EQ(Box().PlaceText, J("AB")) << "the held text survives";
  MoveTo(40, 40);
  Leave();
  ExpectScreenMatchesRedraw();
}

}  // namespace
