// The site-area commands (triangles and the point list) and the floor-area
// command: snapped clicks feed the tables, the host hears of a figure after
// its second point, the rows show on the screen only, and a cancel takes
// the table and its figures away.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "support/settings_guard.h"
#include "support/tool_message_recorder.h"
#include "tools/edit/floor_area.h"
#include "tools/edit/site_area.h"

namespace {

const std::string kAreaNotice = "TFrame22+106";

class SiteFloorCommands : public CommandHarness {
 protected:
  TSikichiMenobj* Site() { return Box().Tool(ToolSlot::SiteObj).Get<TSikichiMenobj>(); }
  TYukaMenobj* Floor() { return Box().Tool(ToolSlot::FloorObj).Get<TYukaMenobj>(); }

  // Whether a pixel of the colour lies within `reach` pixels of the point.
  bool ColourNear(double x, double y, TColor colour, int reach = 1) {
    for (int dx = -reach; dx <= reach; ++dx) {
      for (int dy = -reach; dy <= reach; ++dy) {
        if (Box().Canvas().GetPixel(PixelX(x) + dx, PixelY(y) + dy) == colour) return true;
      }
    }
    return false;
  }

  TColor PenColour() { return Box().ColourTable[Box().Pencol]; }
  TColor TextColour(const Rmoziko& label) { return static_cast<TColor>(Box().TextStyles[label.TextStyle].TextColor); }

  // Some of the label's text colour inside its frame: the base line raised
  // by up to the text height.
  bool LabelShown(const Rmoziko& label) {
    const double h = Box().TextStyles[label.TextStyle].Height * 0.1;
    const double len = std::hypot(label.EndX - label.X, label.EndY - label.Y);
    if (len <= 0) return false;
    const double ux = (label.EndX - label.X) / len, uy = (label.EndY - label.Y) / len;
    for (double along = 0; along <= len; along += 0.1) {
      for (double up = 0; up <= h; up += 0.1) {
        const double x = label.X + ux * along - uy * up;
        const double y = label.Y + uy * along + ux * up;
        if (Box().Canvas().GetPixel(PixelX(x), PixelY(y)) == TextColour(label)) return true;
      }
    }
    return false;
  }

  // A point on the circle round a row number, to the right of its centre.
  bool CircleShown(const RToolArc& c) { return ColourNear(c.CentreX + c.Radius, c.CentreY, PenColour()); }

  // Snap points at the corners, drawn as points (no lines the figures could
  // be confused with).
  void SeedCorners(std::initializer_list<RPoint2D> corners) {
    for (const RPoint2D& p : corners) Store().AddElementChecked(Point(p.x, p.y));
    Store().ClearUndoLog();
    Box().RedrawAll(false);
    PaintPending();
  }

  // A paint draws the elements only: one still pending from the set-up
  // would wipe the figures the command draws.
  void PaintPending() { Box().Update(); }

  // A grid every 5 paper millimetres, its lines snap candidates.
  void GridEveryFiveUnits() {
    Box().Gridview = 1;
    Box().GridType = true;
    Box().GridPitches = {5, 5};
    Box().GridBase = {0, 0};
    Box().RedrawAll(false);
    PaintPending();
  }

  void ClickAll(std::initializer_list<RPoint2D> points, TShiftState shift = ssLeft) {
    for (const RPoint2D& p : points) Click(p.x, p.y, shift);
  }
};

constexpr RPoint2D kA{20, 20}, kB{60, 20}, kC{40, 50}, kD{20, 50};

TEST_F(SiteFloorCommands, TrianglesAddARowAtTheThirdSnappedClick) {
  struct Case {
    Sbuttontype mode;
    std::uint8_t toolMode;
    TShiftState button;
  } cases[] = {{dtSikichi, 0, ssLeft}, {dtSikichi2, 1, ssRight}, {dtSikichi3, 2, ssLeft}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.toolMode);
    StartAfresh(c.mode);
    SeedCorners({kA, kB, kC});
    TakeNotifications();
    // Empty paper offers nothing to snap to.
    Click(90, 75, c.button);
    EXPECT_EQ(Box().B_Switch, _off);
    EXPECT_EQ(Site(), nullptr);
    // Near the corner: the corner is taken.
    Click(kA.x + 0.3, kA.y + 0.2, c.button);
    EXPECT_EQ(Box().B_Switch, on1);
    ASSERT_NE(Site(), nullptr);
    EXPECT_EQ(Site()->Mode, c.toolMode);
    EXPECT_TRUE(TakeNotifications().empty());
    Click(kB.x, kB.y, c.button);
    EXPECT_EQ(Box().B_Switch, on2);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{kAreaNotice});
    EXPECT_TRUE(Site()->Rows.empty() && Site()->TriangleRows.empty());
    Click(kC.x, kC.y, c.button);
    EXPECT_EQ(Box().B_Switch, _off);
    EXPECT_TRUE(TakeNotifications().empty());
    if (c.toolMode == 2) {
      // Split at the middle vertex (the apex at y 50 is the highest, so the
      // horizontal through the middle vertex is the base itself): one
      // triangle, its outline in colour 5.
      ASSERT_FALSE(Site()->TriangleRows.empty());
      EXPECT_TRUE(Site()->Rows.empty());
      EXPECT_TRUE(ColourNear(40, 20, Box().ColourTable[5]));  // the base's middle
      EXPECT_TRUE(ColourNear(50, 35, Box().ColourTable[5]));  // the right side's middle
    } else {
      ASSERT_EQ(Site()->Rows.size(), 1u);
      const RSikiData& row = Site()->Rows[0];
      // The first corner was snapped: the row starts exactly there.
      EXPECT_DOUBLE_EQ(row.FirstLine.X1, kA.x);
      EXPECT_DOUBLE_EQ(row.FirstLine.Y1, kA.y);
      EXPECT_TRUE(CircleShown(row.NumberCircle));
      EXPECT_TRUE(LabelShown(row.NumberLabel));
      EXPECT_TRUE(LabelShown(row.FirstLabel));
      if (c.toolMode == 0) {
        // The height from the foot (40, 20) to the apex, above the number
        // circle, and no base.
        EXPECT_TRUE(ColourNear(40, 45, PenColour()));
        EXPECT_FALSE(ColourNear(30, 20, PenColour(), 0));
      } else {
        EXPECT_TRUE(LabelShown(row.ThirdLabel));
      }
    }
    ExpectElements({Point(kA.x, kA.y), Point(kB.x, kB.y), Point(kC.x, kC.y)});
    EXPECT_TRUE(UndoLog().empty());
    ExpectScreenMatchesRedraw();
    // A second triangle grows the same table.
    TSikichiMenobj* table = Site();
    ClickAll({kA, kB, kC}, c.button);
    EXPECT_EQ(Site(), table);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{kAreaNotice});
    ExpectScreenMatchesRedraw();
    // The full redraw draws the table again.
    Box().RedrawAll(false);
    if (c.toolMode == 2) {
      EXPECT_TRUE(ColourNear(50, 35, Box().ColourTable[5]));
    } else {
      EXPECT_TRUE(CircleShown(Site()->Rows[1].NumberCircle));
      EXPECT_TRUE(LabelShown(Site()->Rows[1].NumberLabel));
    }
  }
}

TEST_F(SiteFloorCommands, TheBaseLineShowsOnlyWithTheTableFlag) {
  SettingsGuard guard;
  for (std::uint8_t flag : {0, 1}) {
    SCOPED_TRACE(flag);
    DraftDefaults.TableBaseLine = flag;
    StartAfresh(dtSikichi);
    SeedCorners({kA, kB, kC});
    ClickAll({kA, kB, kC}, ssRight);
    ASSERT_NE(Site(), nullptr);
    EXPECT_EQ(Site()->BaseLineFlag, flag);
    EXPECT_EQ(ColourNear(30, 20, PenColour(), 0), flag == 1);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(SiteFloorCommands, ThePointListLabelsEveryClickAndPostsFromTheSecond) {
  StartAfresh(dtSikichi4);
  SeedCorners({kA, kB, kC});
  TakeNotifications();
  Click(90, 75);
  EXPECT_EQ(Site(), nullptr);
  Click(kA.x, kA.y);
  ASSERT_NE(Site(), nullptr);
  EXPECT_EQ(Site()->Mode, 3);
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_TRUE(TakeNotifications().empty());
  ASSERT_EQ(Site()->PointRows.size(), 1u);
  EXPECT_TRUE(LabelShown(Site()->PointRows[0].Label));
  Click(kB.x, kB.y, ssRight);
  Click(90, 75);  // nothing to snap to: no row, no notice
  Click(kC.x, kC.y);
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_EQ(TakeNotifications(), (std::vector<std::string>{kAreaNotice, kAreaNotice}));
  ASSERT_EQ(Site()->PointRows.size(), 3u);
  for (const RSikiZaData& row : Site()->PointRows) EXPECT_TRUE(LabelShown(row.Label));
  EXPECT_TRUE(UndoLog().empty());
  ExpectScreenMatchesRedraw();
  Box().RedrawAll(false);
  for (const RSikiZaData& row : Site()->PointRows) EXPECT_TRUE(LabelShown(row.Label));
}

TEST_F(SiteFloorCommands, ASwitchBetweenTriangleModesKeepsTheTableAndItsOwnRows) {
  // Each way round: the rows of the table's own mode are drawn, and the
  // other mode's array, empty, is never read.
  struct Case {
    Sbuttontype first, then;
  } cases[] = {{dtSikichi, dtSikichi3}, {dtSikichi3, dtSikichi}, {dtSikichi2, dtSikichi3}};
  for (const Case& c : cases) {
    StartAfresh(c.first);
    SeedCorners({kA, kB, kC});
    ClickAll({kA, kB, kC});
    TSikichiMenobj* table = Site();
    ASSERT_NE(table, nullptr);
    const std::uint8_t mode = table->Mode;
    Box().ButonType = c.then;
    ClickAll({kA, kB, kC});
    EXPECT_EQ(Site(), table);
    EXPECT_EQ(table->Mode, mode);
    if (mode == 2) {
      EXPECT_TRUE(table->Rows.empty());
      EXPECT_TRUE(ColourNear(50, 35, Box().ColourTable[5]));
    } else {
      EXPECT_EQ(table->Rows.size(), 2u);
      EXPECT_TRUE(table->TriangleRows.empty());
      EXPECT_TRUE(CircleShown(table->Rows[1].NumberCircle));
    }
    ExpectScreenMatchesRedraw();
    // The full redraw draws them again from the same arrays.
    Box().RedrawAll(false);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(SiteFloorCommands, TheCancelFreesTheTableAndTheRepaintClearsItsFigures) {
  for (Sbuttontype mode : {dtSikichi, dtSikichi4}) {
    StartAfresh(mode);
    SeedCorners({kA, kB, kC});
    ClickAll({kA, kB, kC});
    ASSERT_NE(Site(), nullptr);
    const Rmoziko label = mode == dtSikichi ? Site()->Rows[0].NumberLabel : Site()->PointRows[2].Label;
    EXPECT_TRUE(LabelShown(label));
    CancelCommands();
    EXPECT_EQ(Site(), nullptr);
    EXPECT_EQ(Box().B_Switch, _off);
    ExpectScreenMatchesRedraw();
    EXPECT_FALSE(LabelShown(label));
  }
}

TEST_F(SiteFloorCommands, FloorShapesTakeFourThreeOrOneClick) {
  struct Case {
    std::uint8_t shape;
    std::uint8_t figure;
    std::vector<RPoint2D> clicks;
  } cases[] = {
      {0, 0, {kA, kB, {60, 50}, kD}},
      {1, 1, {kA, kB, kC}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shape);
    StartAfresh(dtYuka);
    Box().FloorShape = c.shape;
    SeedCorners({kA, kB, {60, 50}, kD, kC});
    TakeNotifications();
    Click(90, 75);
    EXPECT_EQ(Floor(), nullptr);
    for (std::size_t i = 0; i < c.clicks.size(); ++i) {
      Click(c.clicks[i].x, c.clicks[i].y, i % 2 == 0 ? ssLeft : ssRight);
      EXPECT_EQ(TakeNotifications().size(), i == 1 ? 1u : 0u) << i;
      if (i + 1 < c.clicks.size()) {
        EXPECT_TRUE(Floor()->Rows.empty());
      }
    }
    EXPECT_EQ(Box().B_Switch, _off);
    ASSERT_EQ(Floor()->Rows.size(), 1u);
    EXPECT_EQ(Floor()->Rows[0].Figure, c.figure);
    if (c.shape == 1) {
      // The fourth corner of a triangle is still its first.
      EXPECT_EQ(Box().FourthPoint.x, kA.x);
      EXPECT_EQ(Box().FourthPoint.y, kA.y);
    }
    EXPECT_TRUE(CircleShown(Floor()->Rows[0].NumberCircle));
    EXPECT_TRUE(LabelShown(Floor()->Rows[0].NumberLabel));
    EXPECT_TRUE(LabelShown(Floor()->Rows[0].Label1));
    EXPECT_TRUE(UndoLog().empty());
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(SiteFloorCommands, TheShapeAtTheLastClickDecides) {
  StartAfresh(dtYuka);
  SeedCorners({kA, kB, {60, 50}, kD});
  // Begun as a quadrilateral, ended as a triangle at the third click.
  ClickAll({kA, kB});
  MoveTo(40, 40);
  EXPECT_EQ(Hint(), "  " + J("四角形　3点目指示    [左クリック：右クリック（点読取り）]"));
  Box().FloorShape = 1;
  MoveTo(41, 40);
  EXPECT_EQ(Hint(), "  " + J("三角形　3点目指示    [左クリック：右クリック（点読取り）]"));
  Click(60, 50);
  EXPECT_EQ(Box().B_Switch, _off);
  ASSERT_EQ(Floor()->Rows.size(), 1u);
  EXPECT_EQ(Floor()->Rows[0].Figure, 1);
  // Begun as a triangle, it takes a fourth corner once the shape is 0.
  ClickAll({kA, kB});
  Box().FloorShape = 0;
  Click(60, 50);
  EXPECT_EQ(Box().B_Switch, on3);
  MoveTo(30, 40);
  EXPECT_EQ(Hint(), "  " + J("四角形　4点目指示    [左クリック：右クリック（点読取り）]"));
  Click(kD.x, kD.y);
  ASSERT_EQ(Floor()->Rows.size(), 2u);
  EXPECT_EQ(Floor()->Rows[1].Figure, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(SiteFloorCommands, AnArcIsPickedWhereTheFirstClickPressed) {
  ToolMessageRecorder messages;
  // A quarter arc becomes a segment row at once; an arc of 270 degrees is
  // refused by the table with its warning. Both are picked at their 45
  // degree point.
  const double c45 = 10 * std::cos(std::numbers::pi / 4);
  struct Case {
    RDrawElement arc;
    bool adds;
  } cases[] = {{Arc(50, 50, 10, 0, 90), true}, {Arc(50, 50, 10, 0, 270), false}};
  for (const Case& c : cases) {
    StartAfresh(dtYuka);
    Box().FloorShape = 2;
    Seed({c.arc});
    PaintPending();
    TakeNotifications();
    messages.Messages.clear();
    MoveTo(30, 30);
    EXPECT_EQ(Hint(), "  " + J("円または、円弧指示"));
    Click(50 + c45, 50 + c45, ssRight);
    EXPECT_EQ(Box().B_Switch, _off);
    ASSERT_NE(Floor(), nullptr);
    EXPECT_TRUE(TakeNotifications().empty());
    if (c.adds) {
      ASSERT_EQ(Floor()->Rows.size(), 1u);
      EXPECT_EQ(Floor()->Rows[0].Figure, 2);
      EXPECT_TRUE(CircleShown(Floor()->Rows[0].NumberCircle));
      EXPECT_TRUE(messages.Messages.empty());
    } else {
      EXPECT_TRUE(Floor()->Rows.empty());
      ASSERT_EQ(messages.Messages.size(), 1u);
      EXPECT_EQ(messages.Messages[0].Kind, ToolMessageKind::Warning);
      EXPECT_EQ(messages.Messages[0].Text, J("半円以上の円弧は、計算できません！"));
    }
    ExpectElements({c.arc});
    EXPECT_TRUE(UndoLog().empty());
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(SiteFloorCommands, AnArcClickThatPicksNothingStaysAtTheFirstStep) {
  StartAfresh(dtYuka);
  Box().FloorShape = 2;
  GridEveryFiveUnits();
  TakeNotifications();
  // Snapped to the grid point (20, 20), but no element lies there.
  Click(20.3, 20.2, ssRight);
  ASSERT_NE(Floor(), nullptr);
  EXPECT_EQ(Box().FirstPoint.x, 20);
  EXPECT_EQ(Box().FirstPoint.y, 20);
  EXPECT_EQ(Box().B_Switch, _off);
  ClickAll({{30, 30}, {40, 40}, {50, 50}});
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_TRUE(TakeNotifications().empty());
  EXPECT_TRUE(Floor()->Rows.empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(SiteFloorCommands, TheFloorCancelFreesTheTable) {
  StartAfresh(dtYuka);
  SeedCorners({kA, kB, kC});
  Box().FloorShape = 1;
  ClickAll({kA, kB, kC});
  ASSERT_NE(Floor(), nullptr);
  const RToolArc circle = Floor()->Rows[0].NumberCircle;
  EXPECT_TRUE(CircleShown(circle));
  ClickAll({kA, kB});
  CancelCommands();
  EXPECT_EQ(Floor(), nullptr);
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
  EXPECT_FALSE(CircleShown(circle));
}

// Twenty-one figures at grid points; with both buttons held when the last
// one is added, its redraw stops after twenty rows and the last one is not
// drawn; without them it is.
TEST_F(SiteFloorCommands, BothButtonsHeldStopEachRedrawWithinTwentyRows) {
  struct Case {
    Sbuttontype mode;
    bool held;
  } cases[] = {{dtSikichi, false},  {dtSikichi, true},  {dtSikichi3, false}, {dtSikichi3, true},
               {dtSikichi4, false}, {dtSikichi4, true}, {dtYuka, false},     {dtYuka, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + (c.held ? " held" : " free"));
    StartAfresh(c.mode);
    Box().FloorShape = 1;
    GridEveryFiveUnits();
    for (int i = 0; i < 21; ++i) {
      const double x = 5 + 15 * (i % 7), y = 5 + 30 * (i / 7);
      if (c.mode != dtSikichi4) ClickAll({{x, y}, {x + 10, y}}, ssRight);
      const RPoint2D last = c.mode == dtSikichi4 ? RPoint2D{x, y} : RPoint2D{x + 5, y + 10};
      MoveTo(last.x, last.y);
      Press(last.x, last.y, ssRight);
      // Held from the release on, while the release redraws the table.
      Input().Hold(PolledKey::LeftButton, c.held && i == 20);
      Input().Hold(PolledKey::RightButton, c.held && i == 20);
      Release(last.x, last.y, ssRight);
      ASSERT_EQ(Box().B_Switch, c.mode == dtSikichi4 ? on1 : _off) << i;
    }
    Input().Hold(PolledKey::LeftButton, false);
    Input().Hold(PolledKey::RightButton, false);
    const auto lastShown = [&] {
      if (c.mode == dtSikichi || c.mode == dtYuka) {
        return CircleShown(c.mode == dtYuka ? Floor()->Rows.at(20).NumberCircle : Site()->Rows.at(20).NumberCircle);
      }
      if (c.mode == dtSikichi3) return ColourNear(100, 65, Box().ColourTable[5], 0);  // the last base's middle
      return LabelShown(Site()->PointRows.at(20).Label);
    };
    EXPECT_EQ(lastShown(), !c.held);
    EXPECT_TRUE(Elements().empty());
    EXPECT_TRUE(UndoLog().empty());
    if (c.held) {
      // A redraw stopped by the buttons leaves the rows after it off the
      // screen until the next one draws them.
      RedrawAsTheHostDoes();
      EXPECT_TRUE(lastShown());
    } else {
      ExpectScreenMatchesRedraw();
    }
  }
}

}  // namespace
