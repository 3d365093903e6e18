// The hatch boundary commands, area and coordinate measuring with the
// placing of its result, and angle measuring, through the harness. The
// background is black; the selection colour (the boundary, the measured
// outline) is red.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "commands/handlers/areas.h"
#include "geometry/codepage.h"
#include "support/command_harness.h"
#include "tools/edit/area_measuring.h"
#include "tools/edit/hatch_boundary.h"

namespace {

const std::string kBoundaryNotice = "TFrame20+112";
const std::string kMeasuredNotice = "TFrame13+101";
const std::string kPlacedNotice = "TFrame13+112";

class AreaCommands : public CommandHarness {
 protected:
  THachiTenobj* Hatch() { return Box().Tool(ToolSlot::HatchObj).Get<THachiTenobj>(); }
  TSokuteiMenobj* Area() { return Box().Tool(ToolSlot::AreaObj).Get<TSokuteiMenobj>(); }

  // A paint still pending from the set-up would wipe what the commands
  // draw straight onto the picture.
  void Fresh(Sbuttontype mode) {
    StartAfresh(mode);
    Box().Update();
  }
  void SeedNow(std::initializer_list<RDrawElement> elements) {
    Seed(elements);
    Box().Update();
  }

  bool ColourNear(double x, double y, TColor colour, int reach = 1) {
    for (int dx = -reach; dx <= reach; ++dx) {
      for (int dy = -reach; dy <= reach; ++dy) {
        if (Box().Canvas().GetPixel(PixelX(x) + dx, PixelY(y) + dy) == colour) return true;
      }
    }
    return false;
  }
  bool Red(double x, double y) { return ColourNear(x, y, 0x0000FF, 0); }

  static std::vector<int> PenFlags(const std::vector<ROutlinePoint>& v) {
    std::vector<int> flags;
    for (const ROutlinePoint& p : v) flags.push_back(p.PenDown);
    return flags;
  }
};

void ExpectVertex(const ROutlinePoint& v, double x, double y, const char* what) {
  EXPECT_NEAR(v.X, x, 1e-9) << what;
  EXPECT_NEAR(v.Y, y, 1e-9) << what;
}

// ---- Hatch boundary by points -------------------------------------------------------

TEST_F(AreaCommands, ClickedPointsAndAPickedArcBuildTheBoundary) {
  Fresh(dtHachiTen);
  TcadBox& box = Box();
  // A circle about (60, 50) of radius 10 and a line below it.
  SeedNow({Arc(60, 50, 10), Line(20, 80, 40, 80)});
  TakeNotifications();

  Click(30, 50);
  ASSERT_NE(Hatch(), nullptr);
  EXPECT_EQ(box.B_Switch, on1);
  ASSERT_EQ(Hatch()->Vertices.size(), 1u);
  ExpectVertex(Hatch()->Vertices[0], 30, 50, "the first vertex");
  EXPECT_TRUE(TakeNotifications().empty()) << "the first point only starts the boundary";

  // 4 from the circle: out of the arc's pick reach, a plain vertex.
  Click(46, 50);
  ASSERT_EQ(Hatch()->Vertices.size(), 2u);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{kBoundaryNotice});
  EXPECT_TRUE(Red(38, 50)) << "the first segment is drawn";

  // On the circle straight above its centre: the circle becomes the next
  // part. From 180 degrees to 90 the short way is clockwise; its first
  // sweep (90 to 180, 51 points) is appended from the last vertex's end.
  Click(60, 60);
  EXPECT_TRUE(TakeNotifications().empty()) << "an arc pick is not told";
  EXPECT_EQ(Elements()[0].Selection, 0);
  ASSERT_EQ(Hatch()->Vertices.size(), 53u);
  ExpectVertex(Hatch()->Vertices[2], 50, 50, "the arc starts at 180 degrees");
  ExpectVertex(Hatch()->Vertices[27], 60 - 10 * std::cos(std::numbers::pi / 4),
               50 + 10 * std::sin(std::numbers::pi / 4), "135 degrees");
  ExpectVertex(Hatch()->Vertices[52], 60, 60, "the pick");

  // Beside the circle at 0 degrees: the point ends the arc there and is not
  // a vertex itself.
  Click(75, 50);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{kBoundaryNotice});
  ASSERT_EQ(Hatch()->Vertices.size(), 104u);
  ExpectVertex(Hatch()->Vertices[53], 60, 60, "the second sweep starts at the pick");
  ExpectVertex(Hatch()->Vertices[103], 70, 50, "and ends at the point's direction");
  EXPECT_EQ(Hatch()->Vertices[103].ArcFlag, 1);
  EXPECT_TRUE(Red(60 + 10 * std::cos(std::numbers::pi / 4), 50 + 10 * std::sin(std::numbers::pi / 4)));

  // A line under the click: the click is a plain vertex.
  Click(30, 80);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{kBoundaryNotice});
  ASSERT_EQ(Hatch()->Vertices.size(), 105u);
  ExpectVertex(Hatch()->Vertices[104], 30, 80, "the click on the line");
  EXPECT_EQ(Hatch()->Vertices[104].ArcFlag, 0);

  // The first point again closes the loop: its pen is up.
  Click(30, 50);
  ASSERT_EQ(Hatch()->Vertices.size(), 106u);
  const std::vector<int> flags = PenFlags(Hatch()->Vertices);
  EXPECT_EQ(flags.back(), 0);
  EXPECT_EQ(std::count(flags.begin(), flags.end(), 0), 1);
  EXPECT_EQ(box.B_Switch, on1) << "the command stays at its point step";
  EXPECT_TRUE(UndoLog().empty());
  EXPECT_EQ(Elements().size(), 2u) << "nothing is added to the drawing";
  ExpectScreenMatchesRedraw();
}

TEST_F(AreaCommands, ARightClickTakesTheSnappedPoint) {
  Fresh(dtHachiTen);
  SeedNow({Point(40, 30), Point(70, 30)});
  Click(40.6, 30.4, ssRight);
  ASSERT_NE(Hatch(), nullptr);
  ExpectVertex(Hatch()->Vertices[0], 40, 30, "snapped");
  EXPECT_EQ(Box().MarkerKind, 0) << "the yellow marker";
  Click(90, 80, ssRight);  // nothing to snap to
  EXPECT_EQ(Hatch()->Vertices.size(), 1u);
  Click(69.5, 30.5, ssRight);
  ASSERT_EQ(Hatch()->Vertices.size(), 2u);
  ExpectVertex(Hatch()->Vertices[1], 70, 30, "snapped");
  ExpectScreenMatchesRedraw();
}

TEST_F(AreaCommands, CtrlClicksAddNothingToTheBoundary) {
  Fresh(dtHachiTen);
  Click(30, 30);
  Click(50, 30);
  TakeNotifications();
  Click(50, 50, ssCtrl | ssLeft);
  Click(30, 30, ssCtrl | ssRight);
  EXPECT_EQ(Hatch()->Vertices.size(), 2u) << "no repeated vertex, no loop closed";
  EXPECT_TRUE(TakeNotifications().empty());

  Fresh(dtHachi2ten);
  Click(30, 30, ssCtrl | ssLeft);
  EXPECT_EQ(Box().B_Switch, _off);
  Click(30, 30);
  Click(30, 30, ssCtrl | ssLeft);
  EXPECT_EQ(Box().B_Switch, on1) << "no flat rectangle";
  EXPECT_EQ(Hatch(), nullptr);
  ExpectScreenMatchesRedraw();
}

// ---- Hatch boundary by rectangles ----------------------------------------------------

TEST_F(AreaCommands, RectanglesInEveryCornerOrderCloseAtTheirFirstCorner) {
  struct Case {
    RPoint2D first, second;
  } cases[] = {{{20, 20}, {40, 35}}, {{40, 35}, {20, 20}}, {{20, 35}, {40, 20}}, {{40, 20}, {20, 35}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first.x << "," << c.first.y);
    Fresh(dtHachi2ten);
    TakeNotifications();
    Click(c.first.x, c.first.y);
    EXPECT_EQ(Box().B_Switch, on1);
    EXPECT_EQ(Hatch(), nullptr);
    MoveTo(50, 50);
    EXPECT_FALSE(Box().RubberErased) << "the rubber rectangle follows";
    Click(c.second.x, c.second.y);
    ASSERT_NE(Hatch(), nullptr);
    const std::vector<ROutlinePoint>& v = Hatch()->Vertices;
    ASSERT_EQ(v.size(), 5u);
    const RPoint2D a = c.first, b = c.second;
    ExpectVertex(v[0], a.x, a.y, "first corner");
    ExpectVertex(v[1], a.x, b.y, "second");
    ExpectVertex(v[2], b.x, b.y, "opposite corner");
    ExpectVertex(v[3], b.x, a.y, "fourth");
    ExpectVertex(v[4], a.x, a.y, "first corner again");
    EXPECT_EQ(PenFlags(v), (std::vector<int>{1, 1, 1, 1, 0}));
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{kBoundaryNotice});
    EXPECT_EQ(Box().B_Switch, _off);
    EXPECT_TRUE(Red(30, 20) && Red(40, 28) && Red(30, 35) && Red(20, 28));
    ExpectScreenMatchesRedraw();
  }
  // A second rectangle is a loop of its own in the same boundary.
  Click(60, 60);
  Click(80, 70);
  EXPECT_EQ(PenFlags(Hatch()->Vertices), (std::vector<int>{1, 1, 1, 1, 0, 1, 1, 1, 1, 0}));
  ExpectScreenMatchesRedraw();
  // Leaving the control with a rubber rectangle on the screen takes it away.
  Click(60, 20);
  MoveTo(90, 40);
  Leave();
  ExpectScreenMatchesRedraw();
}

// ---- The base point -----------------------------------------------------------------------

TEST_F(AreaCommands, TheBasePointModeTakesOneClickAndGoesOnWithPoints) {
  Fresh(dtHachitenHen);
  TcadBox& box = Box();
  Press(30, 40, ssLeft);
  EXPECT_EQ(box.ButonType, dtHachiTen) << "switched within the press";
  Release(30, 40, ssLeft);
  ASSERT_NE(Hatch(), nullptr);
  EXPECT_EQ(Hatch()->BasePoint.x, 30);
  EXPECT_EQ(Hatch()->BasePoint.y, 40);
  EXPECT_EQ(box.HatchBasePoint.x, 30);
  EXPECT_EQ(box.HatchBasePoint.y, 40);
  EXPECT_EQ(box.MarkerKind, 1) << "the red marker";
  EXPECT_EQ(box.MarkerPoint.x, 30);
  EXPECT_TRUE(Hatch()->Vertices.empty()) << "the click is no vertex";
  EXPECT_EQ(box.B_Switch, _off);

  // A right click snaps; with nothing near it does nothing.
  SeedNow({Point(70, 60)});
  box.ButonType = dtHachitenHen;
  Click(90, 80, ssRight);
  EXPECT_EQ(box.ButonType, dtHachitenHen);
  EXPECT_EQ(box.HatchBasePoint.x, 30);
  Click(70.5, 59.6, ssRight);
  EXPECT_EQ(box.ButonType, dtHachiTen);
  EXPECT_EQ(box.HatchBasePoint.x, 70);
  EXPECT_EQ(box.HatchBasePoint.y, 60);
  EXPECT_EQ(box.MarkerKind, 1);

  // In the point mode Shift clicks give the base point.
  Click(20, 20, ssShift | ssLeft);
  EXPECT_EQ(box.HatchBasePoint.x, 20);
  EXPECT_EQ(Hatch()->BasePoint.y, 20);
  Click(69.6, 60.4, ssShift | ssRight);
  EXPECT_EQ(box.HatchBasePoint.x, 70);
  EXPECT_TRUE(Hatch()->Vertices.empty());
  EXPECT_TRUE(TakeNotifications().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(AreaCommands, TheRectangleModeMovesOnlyAnExistingBasePoint) {
  Fresh(dtHachi2ten);
  TcadBox& box = Box();
  Click(30, 40, ssShift | ssLeft);
  EXPECT_EQ(Hatch(), nullptr) << "no boundary yet: nothing";
  EXPECT_EQ(box.ButonType, dtHachi2ten);
  Click(20, 20);
  Click(40, 30);
  ASSERT_NE(Hatch(), nullptr);
  box.HatchBasePoint = {1, 2};
  Click(50, 60, ssShift | ssLeft);
  EXPECT_EQ(Hatch()->BasePoint.x, 50);
  EXPECT_EQ(Hatch()->BasePoint.y, 60);
  EXPECT_EQ(box.MarkerKind, 1);
  EXPECT_EQ(box.HatchBasePoint.x, 1) << "the control's base point stays";
  EXPECT_EQ(box.ButonType, dtHachi2ten);
  EXPECT_EQ(box.B_Switch, _off);
  ExpectScreenMatchesRedraw();
}

// ---- Keeping the boundary ----------------------------------------------------------------

TEST_F(AreaCommands, AHeldHatchKeepsItsBoundaryThroughACancelAndARedraw) {
  Fresh(dtHachi2ten);
  TcadBox& box = Box();
  box.hatchHozi = true;
  Click(20, 20);
  Click(40, 35);
  THachiTenobj* kept = Hatch();
  ASSERT_NE(kept, nullptr);
  CancelCommands();
  EXPECT_EQ(Hatch(), kept);
  EXPECT_EQ(box.ButonType, dtNo);
  box.Update();
  EXPECT_TRUE(Red(30, 20)) << "still on the screen";
  ExpectScreenMatchesRedraw();
  box.RedrawAll(false);
  EXPECT_TRUE(Red(30, 35)) << "drawn again in another mode";
  ExpectScreenMatchesRedraw();

  // Not held, the cancel in the command takes the boundary away.
  box.hatchHozi = false;
  box.ButonType = dtHachi2ten;
  CancelCommands();
  EXPECT_EQ(Hatch(), nullptr);
  box.Update();
  EXPECT_FALSE(Red(30, 20));
  ExpectScreenMatchesRedraw();
}

TEST_F(AreaCommands, BothButtonsHeldStopTheBoundaryRedrawWithinTwentySegments) {
  Fresh(dtHachiTen);
  TcadBox& box = Box();
  // 30 segments, each 3 long, along y = 50.
  for (int k = 0; k <= 30; ++k) Click(10 + 3 * k, 50);
  ASSERT_EQ(Hatch()->Vertices.size(), 31u);
  Input().Hold(PolledKey::LeftButton);
  Input().Hold(PolledKey::RightButton);
  box.RedrawAll(false);
  EXPECT_TRUE(Red(10 + 3 * 19 + 1.5, 50)) << "the 20th segment";
  EXPECT_FALSE(Red(10 + 3 * 20 + 1.5, 50)) << "the 21st";
  EXPECT_FALSE(Red(10 + 3 * 29 + 1.5, 50));
}

// ---- Area and coordinate measuring --------------------------------------------------------

// The quadrilateral (20.4, 15.6), (62, 18.2), (55.4, 47.6), (24.8, 40) in
// drawing units on whole pixels (clicks arrive as pixels). Its sides:
//   |P0P1| = sqrt(41.6^2 + 2.6^2)  = sqrt(1737.32) = 41.681171
//   |P1P2| = sqrt(6.6^2 + 29.4^2)  = sqrt(907.92)  = 30.131711
//   |P2P3| = sqrt(30.6^2 + 7.6^2)  = sqrt(994.12)  = 31.529669
//   |P3P0| = sqrt(4.4^2 + 24.4^2)  = sqrt(614.72)  = 24.793548
// The path leaves out the closing side: 103.342550 listed, 86.454927 the
// other way round. Shoelace: 2A = 1953.4, A = 976.7; the centroid
// (41.406007, 29.786444); the last vertex 4.4, 24.4 from the first (41.6,
// 2.6 the other way round). All in real mm at scale 1, times 100 (area
// times 10000) at scale 100.
const std::vector<RPoint2D> kOutline = {{20.4, 15.6}, {62, 18.2}, {55.4, 47.6}, {24.8, 40}};

TEST_F(AreaCommands, TheQuadrilateralIsMeasuredInRealMillimetres) {
  struct Case {
    double scale;
    bool reversed;
    double path, dx, dy;
    const char* text;  // the perimeter in m, four decimals, cut
  } cases[] = {
      {1, false, 103.34255024754, 4.4, 24.4, "0.1033"},     // 1033.43 cut
      {1, true, 86.45492698635, 41.6, 2.6, "0.0864"},       // 864.55 cut
      {100, false, 10334.255024754, 440, 2440, "10.3342"},  // 103342.55 cut
      {100, true, 8645.492698635, 4160, 260, "8.6454"},     // 86454.93 cut
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "scale " << c.scale << (c.reversed ? " reversed" : ""));
    std::vector<RPoint2D> p = kOutline;
    if (c.reversed) std::reverse(p.begin() + 1, p.end());
    Fresh(dtSokuteiMen);
    TcadBox& box = Box();
    box.GroupScales[box.WriteGrupe_No] = c.scale;
    box.AreaKind = 0;
    box.PerimeterUnit = box.AreaUnit = box.CoordUnit = 0;
    box.PerimeterDecimals = box.AreaDecimals = box.CoordDecimals = 0;
    box.AreaRounding = 0;
    box.PlaceText = "kept";
    TakeNotifications();
    Click(p[0].x, p[0].y);
    EXPECT_EQ(box.PlaceText, "kept") << "the first vertex formats nothing";
    EXPECT_TRUE(TakeNotifications().empty());
    for (std::size_t i = 1; i < p.size(); ++i) Click(p[i].x, p[i].y);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>(3, kMeasuredNotice));
    ASSERT_EQ(Area()->Vertices.size(), p.size());
    for (std::size_t i = 0; i < p.size(); ++i) ExpectVertex(Area()->Vertices[i], p[i].x, p[i].y, "as clicked");
    ExpectScreenMatchesRedraw();

    const TSokuteiMenobj& a = *Area();
    const double k = c.scale;
    EXPECT_NEAR(std::abs(a.Area), 976.7 * k * k, 1e-6 * k * k);
    EXPECT_NEAR(a.Length, c.path, 1e-8 * k);
    EXPECT_NEAR(a.CentroidX, 41.406006620934 * k, 1e-8 * k);
    EXPECT_NEAR(a.CentroidY, 29.786444148664 * k, 1e-8 * k);
    EXPECT_NEAR(a.LastOffsetX, c.dx, 1e-9 * k);
    EXPECT_NEAR(a.LastOffsetY, c.dy, 1e-9 * k);
    EXPECT_EQ(box.PlaceText, c.text);
  }
}

// The held text of the quadrilateral at scale 1 by kind (0 perimeter, 1
// area, 2 centroid, 3 last vertex, 4 and 5 both), unit (0 m, 1 cm, 2 mm),
// decimals code and rounding (0 cut, 1 up, 2 left to the format). Codes 0
// to 4 keep 4, 4, 3, 2, 1 decimals and print 4, 3, 2, 1, 0; every value is
// first moved 1e-7 away from zero, "up" adds 0.99 of the last kept unit
// before the cut, and the print rounds a half away from zero.
TEST_F(AreaCommands, TheHeldTextForEachKindUnitDecimalsAndRounding) {
  Fresh(dtSokuteiMen);
  TcadBox& box = Box();
  box.GroupScales[box.WriteGrupe_No] = 1;
  for (const RPoint2D& p : kOutline) Click(p.x, p.y);
  ExpectScreenMatchesRedraw();
  struct Case {
    std::uint8_t kind, unit, code, mode;
    const char* text;
  } cases[] = {
      // Perimeter 103.342550 mm.
      {0, 0, 0, 0, "0.1033"},  // 0.10334265 x 10^4 = 1033.43, cut
      {0, 0, 0, 1, "0.1034"},  // + 0.000099: 1034.42, cut
      {0, 0, 0, 2, "0.1033"},  // 0.1033426 printed with 4
      {0, 1, 1, 1, "10.334"},  // 10.3343541 x 10^4 = 103343.5, cut 10.3343, printed with 3
      {0, 2, 3, 0, "103.3"},   // x 100 = 10334.26, cut 103.34, printed with 1
      {0, 2, 4, 1, "103"},     // + 0.099 = 103.44, x 10 cut 103.4, printed with 0
      // Area 976.7 mm^2.
      {1, 0, 0, 0, "0.0009"},  // 0.0009768 x 10^4 = 9.77, cut
      {1, 0, 0, 1, "0.0010"},  // + 0.000099: 10.76, cut 0.001
      {1, 1, 2, 0, "9.77"},    // 9.7670001 x 1000 = 9767.0001, cut 9.767, printed with 2
      {1, 2, 4, 2, "977"},     // 976.7 printed with 0
      // Centroid (41.406007, 29.786444) mm.
      {2, 0, 0, 0, "Xc:0.0414 Yc:0.0297"},  // 414.06 and 297.86, cut
      {2, 0, 0, 1, "Xc:0.0415 Yc:0.0298"},  // 415.05 and 298.85, cut
      {2, 2, 3, 2, "Xc:41.4 Yc:29.8"},
      // Last vertex 4.4, 24.4 mm from the first.
      {3, 1, 3, 0, "X:0.4 Y:2.4"},  // 0.4400001 x 100 = 44.00001, cut 0.44; 2.44
      {3, 2, 4, 1, "X:4 Y:24"},     // 4.4990001 x 10 cut 4.4; 24.4
      // Both, the unit after each.
      {4, 1, 2, 0, "10.33cm 9.77cm^u2"},  // 10334.26 cut 10.334; 9.767
      {5, 0, 4, 0, "0m 0m^u2"},           // 1.03 cut 0.1; 0.0098 cut 0.0
      {4, 2, 1, 2, "103.343mm 976.700mm^u2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << int(c.kind) << " unit " << int(c.unit) << " code " << int(c.code)
                                    << " mode " << int(c.mode));
    box.AreaKind = c.kind;
    box.AreaRounding = c.mode;
    box.PerimeterUnit = box.AreaUnit = box.CoordUnit = c.unit;
    box.PerimeterDecimals = box.AreaDecimals = box.CoordDecimals = c.code;
    box.FormatAreaResult();
    EXPECT_EQ(box.PlaceText, c.text);
  }
}

TEST_F(AreaCommands, SettingsPastTheirCodesLeaveTheHeldTextAlone) {
  Fresh(dtSokuteiMen);
  TcadBox& box = Box();
  box.GroupScales[box.WriteGrupe_No] = 1;
  Click(20, 20);
  Click(60, 20);
  Click(60, 50);
  ExpectScreenMatchesRedraw();
  struct Case {
    std::uint8_t kind, perimeterUnit, areaUnit, coordUnit, perimeterDecimals, areaDecimals, coordDecimals;
  } cases[] = {
      {6, 0, 0, 0, 0, 0, 0}, {255, 0, 0, 0, 0, 0, 0}, {0, 3, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 5, 0, 0},
      {1, 0, 3, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 5, 0},   {2, 0, 0, 3, 0, 0, 0}, {3, 0, 0, 0, 0, 0, 5},
      {4, 0, 3, 0, 0, 0, 0}, {5, 0, 0, 0, 0, 9, 0},   {4, 7, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    box.AreaKind = c.kind;
    box.PerimeterUnit = c.perimeterUnit;
    box.AreaUnit = c.areaUnit;
    box.CoordUnit = c.coordUnit;
    box.PerimeterDecimals = c.perimeterDecimals;
    box.AreaDecimals = c.areaDecimals;
    box.CoordDecimals = c.coordDecimals;
    box.PlaceText = "kept";
    box.FormatAreaResult();
    EXPECT_EQ(box.PlaceText, "kept") << int(c.kind);
  }
  // Valid settings again: 40 + 30 = 70 mm of path, in cm with two decimals.
  box.AreaKind = 0;
  box.PerimeterUnit = 1;
  box.PerimeterDecimals = 2;
  box.FormatAreaResult();
  EXPECT_EQ(box.PlaceText, "7.00");
}

TEST_F(AreaCommands, APickedArcBecomesASideAndTheResultComesWithTheNextPoint) {
  Fresh(dtSokuteiMen);
  TcadBox& box = Box();
  box.GroupScales[box.WriteGrupe_No] = 1;
  box.AreaKind = 1;
  box.AreaUnit = 2;
  box.AreaDecimals = 4;
  // A half disc: the diameter from (40, 40) to (60, 40), the arc over it.
  SeedNow({Arc(50, 40, 10, 0, 180)});
  TakeNotifications();
  Click(60, 40);
  box.PlaceText = "kept";
  Click(50, 50);  // on the arc
  EXPECT_TRUE(TakeNotifications().empty());
  EXPECT_EQ(box.PlaceText, "kept");
  EXPECT_EQ(Elements()[0].Selection, 0);
  // Beyond the arc's end, out of its pick reach: the arc ends at (40, 40).
  Click(35, 40);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{kMeasuredNotice});
  // 201 points on the half circle: the area of their polygon, 100 sin(pi /
  // 100) * 100 / 2 = 157.0...; one decimal kept, none printed.
  ASSERT_EQ(Area()->Vertices.size(), 202u);
  const double polygon = 0.5 * 100 * 200 * std::sin(std::numbers::pi / 200);
  EXPECT_NEAR(std::abs(Area()->Area), polygon, 1e-6);
  EXPECT_EQ(box.PlaceText, "157");
  ExpectScreenMatchesRedraw();
}

TEST_F(AreaCommands, TheOutlineShowsAndTheCancelTakesItAway) {
  for (std::uint8_t kind : {0, 3, 6}) {
    SCOPED_TRACE(int(kind));
    Fresh(dtSokuteiMen);
    TcadBox& box = Box();
    box.GroupScales[box.WriteGrupe_No] = 1;
    box.AreaKind = kind;
    SeedNow({Line(20, 80, 100, 80)});
    Click(30, 30);
    EXPECT_EQ(ColourNear(30.7, 30, 0x0000FF), kind != 6) << "the circle round the first point";
    Click(70, 30);
    Click(70, 60);
    EXPECT_EQ(Red(50, 30), kind == 0) << "the outline of the kinds that measure it";
    EXPECT_FALSE(Red(50, 45)) << "no closing side";
    ExpectScreenMatchesRedraw();
    CancelCommands();
    EXPECT_EQ(Area(), nullptr);
    EXPECT_EQ(box.B_Switch, _off);
    EXPECT_FALSE(ColourNear(30.7, 30, 0x0000FF));
    EXPECT_FALSE(Red(50, 30));
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(AreaCommands, CoordinatesAreMeasuredFromTheFirstClick) {
  Fresh(dtSokuteiMen);
  TcadBox& box = Box();
  box.GroupScales[box.WriteGrupe_No] = 100;
  box.AreaKind = 3;
  box.CoordUnit = 0;
  box.CoordDecimals = 2;
  SeedNow({Point(70, 55)});
  Click(30, 30);
  MoveTo(40, 40);
  EXPECT_EQ(Hint(), "  " + J("座標測定点指示　[左ｸﾘｯｸ(自由):右ｸﾘｯｸ(点読取り)]"));
  // (40, 25) drawing units at 1/100: 4 m and 2.5 m.
  Click(70.4, 54.7, ssRight);
  EXPECT_EQ(box.PlaceText, "X:4.00 Y:2.50");
  Click(10.4, 25.2);
  // -1.96 m and -0.48 m.
  EXPECT_EQ(box.PlaceText, "X:-1.96 Y:-0.48");
  ExpectScreenMatchesRedraw();
  box.CoordUnit = 2;
  box.CoordDecimals = 3;
  box.FormatAreaResult();
  EXPECT_EQ(box.PlaceText, "X:-1960.0 Y:-480.0");
}

// ---- Placing the result -----------------------------------------------------------------

TEST_F(AreaCommands, TheResultIsPlacedAsOneStepAndKeptForTheNextClick) {
  Fresh(dtSokuteiKeka);
  TcadBox& box = Box();
  SeedNow({Point(70, 30)});
  // Style 1: a character 1.0 long, 0.05 between characters; a text placed
  // at (x, y) starts at (x + 1, y + 1). "12.5" is 4.15 long.
  box.PlaceText = "12.5";
  TakeNotifications();
  MoveTo(30, 30);
  EXPECT_FALSE(box.RubberErased) << "the frame follows the cursor";
  Click(40, 50);
  RDrawElement placed = ZeroElement();
  placed.Kind = kKindText;
  placed.X1 = 41;
  placed.Y1 = 51;
  placed.X2 = 45.15;
  placed.Y2 = 51;
  placed.TextStyle = 1;
  placed.ColorNo = 1;
  placed.TextIndex = 0;
  placed.UndoMark = kUndoAdded;
  RDrawElement point = Point(70, 30);
  ExpectElements({point, placed});
  ExpectUndoLog({placed});
  EXPECT_EQ(TextOf(Elements()[1]), "12.5");
  EXPECT_EQ(box.PlaceText, "12.5") << "kept for another placement";
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{kPlacedNotice});
  ExpectScreenMatchesRedraw();

  // A right click lands on the snapped point, as a step of its own.
  Click(70.4, 29.6, ssRight);
  RDrawElement second = placed;
  second.X1 = 71;
  second.Y1 = 31;
  second.X2 = 75.15;
  second.Y2 = 31;
  second.TextIndex = 0;  // the first string of the new step's texts
  ExpectUndoLog({second});
  ASSERT_EQ(Elements().size(), 3u);
  EXPECT_EQ(TextOf(Elements()[2]), "12.5");
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{kPlacedNotice});
  ExpectScreenMatchesRedraw();

  // Nothing to snap to, or nothing held: nothing placed.
  Click(100, 80, ssRight);
  Leave();  // takes the frame away before the host empties the held text
  box.PlaceText.clear();
  Enter();
  Click(20, 20);
  EXPECT_EQ(Elements().size(), 3u);
  ExpectUndoLog({second});
  EXPECT_TRUE(TakeNotifications().empty());
  ExpectScreenMatchesRedraw();

  // The cancel takes a shown frame away.
  box.PlaceText = "12.5";
  MoveTo(50, 70);
  CancelCommands();
  ExpectScreenMatchesRedraw();
}

// ---- Angle measuring ----------------------------------------------------------------------

RPoint2D Polar(RPoint2D from, double degrees, double length) {
  const double a = degrees * std::numbers::pi / 180;
  return {from.x + length * std::cos(a), from.y + length * std::sin(a)};
}

// A point in a direction from another, on the nearest whole pixel (clicks
// arrive as pixels).
RPoint2D OnPixel(RPoint2D p) {
  return {std::round(p.x * kHarnessPixelsPerUnit) / kHarnessPixelsPerUnit,
          std::round(p.y * kHarnessPixelsPerUnit) / kHarnessPixelsPerUnit};
}

double DirectionDeg(RPoint2D from, RPoint2D to) {
  const double d = std::atan2(to.y - from.y, to.x - from.x) * 180 / std::numbers::pi;
  return d < 0 ? d + 360 : d;
}

TEST_F(AreaCommands, AnglesBetweenTwoRays) {
  const RPoint2D vertex{64, 48};
  // sense: +1 the sweep anticlockwise from the start ray to the end ray,
  // -1 clockwise (a negative result). Rays closer than 4 degrees always
  // measure the small angle; a cursor visit there turns the sense.
  struct Case {
    double start, end;
    double via;  // a cursor direction visited before the end (-1: none)
    int sense;
  } cases[] = {
      {0, 90, -1, 1},    {10, 100, -1, 1},  {100, 10, -1, 1},    {28, 30, -1, 1},   {30, 28, -1, -1}, {359, 1, -1, 1},
      {1, 359, -1, -1},  {350, 20, -1, 1},  {40, 43, -1, 1},     {43, 40, -1, -1},  {40, 45, -1, 1},  {45, 40, -1, 1},
      {30, 300, 28, -1}, {20, 350, 18, -1}, {200, 170, 198, -1}, {300, 30, 302, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << " to " << c.end);
    Fresh(dtKakudoSokutei);
    TcadBox& box = Box();
    TakeNotifications();
    Click(vertex.x, vertex.y);
    EXPECT_EQ(box.B_Switch, on1);
    const RPoint2D s = OnPixel(Polar(vertex, c.start, 40));
    Click(s.x, s.y);
    EXPECT_EQ(box.B_Switch, on2);
    if (c.via >= 0) {
      const RPoint2D v = OnPixel(Polar(vertex, c.via, 35));
      MoveTo(v.x, v.y);
    }
    const RPoint2D e = OnPixel(Polar(vertex, c.end, 35));
    MoveTo(e.x, e.y);
    const double d1 = DirectionDeg(vertex, s), d2 = DirectionDeg(vertex, e);
    const double sweep = c.sense > 0 ? std::fmod(d2 - d1 + 360, 360) : -std::fmod(d1 - d2 + 360, 360);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", sweep);
    const std::string text = buffer;
    EXPECT_EQ(TopMessage(), std::string(8 - text.size(), ' ') + text);
    EXPECT_FALSE(box.RubberErased) << "the arc shows";
    Click(e.x, e.y);
    EXPECT_EQ(box.PlaceText, text);
    EXPECT_EQ(box.B_Switch, _off);
    EXPECT_EQ(box.ButonType, dtKakudoSokutei);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{kMeasuredNotice});
    EXPECT_TRUE(Elements().empty());
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(AreaCommands, RefusedSnapsKeepTheStep) {
  Fresh(dtKakudoSokutei);
  TcadBox& box = Box();
  SeedNow({Point(40, 40), Point(70, 40)});
  Click(40.3, 40.2, ssRight);
  EXPECT_EQ(box.FamilyState<RAngleMeasureState>().AngleOrigin.x, 40);
  EXPECT_EQ(box.B_Switch, on1);
  Click(100, 80, ssRight);
  EXPECT_EQ(TopMessage(), J("点無し"));
  EXPECT_EQ(box.B_Switch, on1);
  Click(39.6, 40.4, ssRight);
  EXPECT_EQ(TopMessage(), J("同一点"));
  EXPECT_EQ(box.B_Switch, on1);
  Click(70.2, 40.3, ssRight);
  EXPECT_EQ(box.B_Switch, on2);
  EXPECT_EQ(box.SecondPoint.x, 70);
  Click(70.3, 39.8, ssRight);
  EXPECT_EQ(TopMessage(), J("同一点"));
  EXPECT_EQ(box.B_Switch, on2);
  Click(40.1, 39.9, ssRight);
  EXPECT_EQ(TopMessage(), J("同一点"));
  Click(100, 80, ssRight);
  EXPECT_EQ(TopMessage(), J("点無し"));
  EXPECT_EQ(box.B_Switch, on2);
  // The cancel takes the preview arc away and measures anticlockwise again.
  MoveTo(70, 39);  // just clockwise of the start ray: measured clockwise
  MoveTo(40, 60);
  EXPECT_FALSE(box.RubberErased);
  EXPECT_FALSE(box.ArcAnticlockwise);
  CancelCommands();
  EXPECT_TRUE(box.ArcAnticlockwise);
  ExpectScreenMatchesRedraw();
}

TEST_F(AreaCommands, EnteredFromTheMoveTheAngleGoesBackToIt) {
  for (Sbuttontype from : {dtIdoFree, dtCopyFree}) {
    Fresh(dtKakudoSokutei);
    TcadBox& box = Box();
    box.SavedMode = from;
    TakeNotifications();
    Click(50, 40);
    Click(70, 40);
    Click(50, 60);
    EXPECT_EQ(box.ButonType, from);
    EXPECT_EQ(box.B_Switch, on1);
    EXPECT_NEAR(box.CommandAngle, 90, 1e-9);
    EXPECT_EQ(box.PlaceText, "90.000");
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{"TFrame10+101"});
    ExpectScreenMatchesRedraw();
  }
}

}  // namespace
