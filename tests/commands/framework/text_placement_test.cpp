// Placing texts: the held text's base point from its anchor, and a text
// added again from a template with its end worked out from its new string.
// Style 1 is 20 wide, 20 high and spaced 1 (0.1 paper millimetres): "AB"
// is 1.0 + 0.05 + 1.0 = 2.05 long and its frame 2.0 high.

#include <gtest/gtest.h>

#include "geometry/codepage.h"
#include "support/command_harness.h"

namespace {

using TextPlacement = CommandHarness;

TEST_F(TextPlacement, TheHeldTextStartsWhereItsAnchorPutsIt) {
  TcadBox& box = Box();
  box.Mozi_No = 1;
  box.PlaceText = J("AB");
  box.AxisAngle = 0;
  // Without margins an anchor lies 0, L/2 or L along the text and 0, H/2
  // or H across it (L = 2.05, H = 2); the start is the cursor (50, 40) less
  // that offset, turned with the text.
  struct Case {
    std::uint8_t anchor;
    double angle;
    double startX, startY;
  } cases[] = {
      {0, 0, 50, 40},        // bottom left: the cursor itself
      {1, 0, 48.975, 40},    // bottom centre: 50 - 1.025
      {2, 0, 47.95, 40},     // bottom right: 50 - 2.05
      {3, 0, 47.95, 39},     // middle right: 40 - 1
      {4, 0, 47.95, 38},     // top right: 40 - 2
      {5, 0, 48.975, 38},    // top centre
      {6, 0, 48.975, 39},    // the middle
      {7, 0, 50, 38},        // top left
      {8, 0, 50, 39},        // middle left
      {4, 90, 52, 37.95},    // turned: along is up, across is to the left: (50 + 2, 40 - 2.05)
      {1, 180, 51.025, 40},  // turned half round: along runs to the left
      {8, 270, 49, 40},      // across runs to the right: 50 - 1
  };
  for (const Case& c : cases) {
    box.TextAnchor = c.anchor;
    box.CommandAngle = c.angle;
    box.PlaceHeldText(0, false, 50, 40);
    EXPECT_NEAR(box.HeldTextStart.x, c.startX, 1e-9) << int(c.anchor) << " at " << c.angle;
    EXPECT_NEAR(box.HeldTextStart.y, c.startY, 1e-9) << int(c.anchor) << " at " << c.angle;
    EXPECT_NEAR(box.CurrentTextHeight, 2, 1e-12);
  }
  // The text turns by the command angle and the axis angle together:
  // 30 + 60 = 90 degrees, as the turned case above.
  box.AxisAngle = 60;
  box.TextAnchor = 4;
  box.CommandAngle = 30;
  box.PlaceHeldText(0, false, 50, 40);
  EXPECT_NEAR(box.HeldTextStart.x, 52, 1e-9);
  EXPECT_NEAR(box.HeldTextStart.y, 37.95, 1e-9);
  box.AxisAngle = 0;
  // The margins move an anchor 1 outward each way; the centre stays.
  const Case withMargins[] = {
      {0, 0, 51, 41},      // (-1, -1)
      {4, 0, 46.95, 37},   // (2.05 + 1, 2 + 1)
      {6, 0, 48.975, 39},  // (1.025, 1)
  };
  for (const Case& c : withMargins) {
    box.TextAnchor = c.anchor;
    box.CommandAngle = c.angle;
    box.PlaceHeldText(0, true, 50, 40);
    EXPECT_NEAR(box.HeldTextStart.x, c.startX, 1e-9) << int(c.anchor) << " with margins";
    EXPECT_NEAR(box.HeldTextStart.y, c.startY, 1e-9) << int(c.anchor) << " with margins";
  }
}

TEST_F(TextPlacement, ATextAddedFromATemplateEndsWhereItsNewStringDoes) {
  struct Case {
    const char* name;
    float angle;
    double x, y;  // at or below -5000: the template's base point stays
    double x1, y1, x2, y2;
  } cases[] = {
      {"kept base point", 0, -10000, -10000, 30, 20, 32.05, 20},
      {"given base point", 0, 60, 70, 60, 70, 62.05, 70},
      {"upwards", 90, -10000, -10000, 30, 20, 30, 22.05},
      // cos 30 = 0.8660254: 2.05 × 0.8660254 = 1.7753521; 2.05 × 0.5 = 1.025.
      {"at 30 degrees", 30, -10000, -10000, 30, 20, 31.7753521, 21.025},
      {"only x given is not a base point", 0, 60, -10000, 30, 20, 32.05, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Store().ClearAll();
    RedrawAsTheHostDoes();
    Tdrawinp::TextList none;
    RDrawElement templ = StyledText(none, "", 30, 20, 99, 99, 1);  // its old end is of no account
    templ.TextAngle = c.angle;
    Box().AddTextRefitted(templ, J("AB"), c.x, c.y);
    ASSERT_EQ(Elements().size(), 1u);
    const RDrawElement& e = Elements()[0];
    EXPECT_NEAR(e.X1, c.x1, 1e-6);
    EXPECT_NEAR(e.Y1, c.y1, 1e-6);
    EXPECT_NEAR(e.X2, c.x2, 1e-6);
    EXPECT_NEAR(e.Y2, c.y2, 1e-6);
    EXPECT_EQ(TextOf(e), J("AB"));
    EXPECT_NEAR(Box().CurrentTextHeight, 2, 1e-12);
  }
  // An empty string adds nothing, and leaves no string behind.
  Store().ClearAll();
  Tdrawinp::TextList none;
  Box().AddTextRefitted(StyledText(none, "", 30, 20, 40, 20, 1), "", -10000, -10000);
  EXPECT_TRUE(Elements().empty());
  EXPECT_TRUE(Store().ElementTexts.empty());
}

TEST_F(TextPlacement, ACutIsListedAsTheViewShowsItAndAFailedJoinLeavesNoString) {
  // "ABCD" is 4.15 long; cut before "C" (2.2 along) it leaves "AB" from the
  // base point to 2.05 along and "CD" from 2.1 along. With the base point
  // 2.08 left of the view's right edge R, "AB" ends at R - 0.03, inside,
  // and "CD" starts at R + 0.02, outside: only "AB" is listed.
  const double right = Box().ViewWindow.Right;
  Seed({StyledText(Store().ElementTexts, J("ABCD"), right - 2.08, 50, right + 2.07, 50, 1)});
  Box().CutTextAt(right + 0.12, 50.5);
  ASSERT_EQ(Elements().size(), 2u);
  EXPECT_EQ(TextOf(Elements()[0]), J("AB"));
  EXPECT_EQ(TextOf(Elements()[1]), J("CD"));
  ASSERT_EQ(Store().DisplayList.size(), 1u);
  EXPECT_EQ(Store().DisplayList[0].Index, 0);

  // Joining two texts with an index outside the list joins nothing and
  // leaves no string from before behind.
  std::string joined = "x";
  Box().JoinTexts(0, 7, joined, true, true);
  EXPECT_TRUE(joined.empty());
  EXPECT_EQ(Elements().size(), 2u);
}

}  // namespace
