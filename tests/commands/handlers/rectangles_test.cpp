// Rectangles: the element by two corners, four lines along the drawing
// angle and the sized rectangle placed by an anchor.

#include <array>
#include <cmath>
#include <numbers>
#include <set>

#include "canvas/envelope.h"
#include "support/command_harness.h"

namespace {

RDrawElement PenLineRectangles(double x1, double y1, double x2, double y2) {
  RDrawElement e = Line(x1, y1, x2, y2);
  e.ColorNo = 1;
  e.UndoMark = kUndoAdded;
  return e;
}

RPoint2D Turned(double x, double y, double degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return {x * std::cos(a) - y * std::sin(a), x * std::sin(a) + y * std::cos(a)};
}

class RectangleCommands : public CommandHarness {};

TEST_F(RectangleCommands, BoxStoresOneRectangleElement) {
  Box().ButonType = dtBox;
  Click(20, 20);
  MoveTo(35, 28);
  Click(40, 30);
  RDrawElement rect = PenLineRectangles(20, 20, 40, 30);
  rect.Kind = kKindRect;
  ExpectElements({rect});
  ExpectUndoLog({rect});
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, BoxKeepsItsBandAfterACancel) {
  Box().ButonType = dtBox;
  Click(20, 20);
  MoveTo(40, 30);
  CancelCommands();
  EXPECT_EQ(PixelAt(20, 25), Box().Sentakucol) << "no cancel phase: the band stays until a redraw";
  RedrawAsTheHostDoes();
  EXPECT_EQ(PixelAt(20, 25), clBlack);
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, BoxSenRunsAlongTheDrawingAngle) {
  TcadBox& box = Box();
  box.ButonType = dtBoxSen;
  box.CommandAngle = 20;
  box.AxisAngle = 10;
  Click(20, 20);
  MoveTo(55, 45);
  Click(60, 50);
  // Sides along u = (cos 30, sin 30) and v = (-sin 30, cos 30); the corners
  // are the first point moved by (d.u) u and by (d.v) v, d = (40, 30).
  const double c = std::sqrt(3.0) / 2, s = 0.5;
  const double du = 40 * c + 30 * s, dv = -40 * s + 30 * c;
  const RPoint2D k1{20 + du * c, 20 + du * s}, k2{20 - dv * s, 20 + dv * c};
  const std::vector<RDrawElement> lines = {PenLineRectangles(20, 20, k1.x, k1.y), PenLineRectangles(k1.x, k1.y, 60, 50),
                                           PenLineRectangles(60, 50, k2.x, k2.y),
                                           PenLineRectangles(20, 20, k2.x, k2.y)};
  ExpectElements(lines);
  ExpectUndoLog(lines);
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, BoxSenTakesTheRingCursorOffAtTheCommit) {
  // The ring follows the cursor in every mode; the commit takes it off
  // the screen, and the next move draws it again.
  TcadBox& box = Box();
  box.ButonType = dtBoxSen;
  box.RingHan = 2;
  Click(20, 20);
  MoveTo(55, 45);
  ASSERT_FALSE(box.RingHidden) << "the ring is on the screen before the commit";
  Click(60, 50);
  EXPECT_TRUE(box.RingHidden);
  ASSERT_EQ(Elements().size(), 4u);
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, BoxSenCancelErasesTheRubberRectangle) {
  Box().ButonType = dtBoxSen;
  Box().CommandAngle = 30;
  Click(20, 20);
  MoveTo(60, 50);
  CancelCommands();
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, BoxsunpoPlacesTheSizedRectangleByItsAnchor) {
  // 1000 x 500 with clearance (100, 200), real units at scale 100.
  const double w = 10, h = 5, ex = 1, ey = 2;
  const RPoint2D q{60, 50};
  for (double angle : {0.0, 90.0, 30.0}) {
    for (std::uint8_t anchor = 0; anchor <= 8; ++anchor) {
      SCOPED_TRACE(testing::Message() << "angle " << angle << " anchor " << int(anchor));
      StartAfresh(dtBoxsunpo);
      TcadBox& box = Box();
      box.BoxWidth = 1000;
      box.BoxHeight = 500;
      box.BoxClearance = {100, 200};
      box.BoxAnchor = anchor;
      box.CommandAngle = angle;
      // Anchors run down the left side, the middle, the right side: top,
      // middle, bottom in each.
      const int column = anchor / 3, row = anchor % 3;
      const double lowX = column == 0 ? 0 : column == 1 ? -w / 2 : -w;
      const double lowY = row == 0 ? -h : row == 1 ? -h / 2 : 0;
      const double vx = column == 0 ? ex : column == 1 ? 0 : -ex;
      const double vy = row == 0 ? -ey : row == 1 ? 0 : ey;
      const RPoint2D v = Turned(vx, vy, angle);
      auto corner = [&](double x, double y) {
        const RPoint2D t = Turned(x, y, angle);
        return RPoint2D{q.x + v.x + t.x, q.y + v.y + t.y};
      };
      const RPoint2D ll = corner(lowX, lowY), lr = corner(lowX + w, lowY), ul = corner(lowX, lowY + h),
                     ur = corner(lowX + w, lowY + h);
      MoveTo(q.x - 5, q.y);
      MoveTo(q.x, q.y);
      Click(q.x, q.y);
      ExpectElements({PenLineRectangles(ll.x, ll.y, lr.x, lr.y), PenLineRectangles(ul.x, ul.y, ur.x, ur.y),
                      PenLineRectangles(ll.x, ll.y, ul.x, ul.y), PenLineRectangles(lr.x, lr.y, ur.x, ur.y)});
      ExpectScreenMatchesRedraw();
    }
  }
}

TEST_F(RectangleCommands, BoxsunpoAnchorPastEightKeepsTheOffsets) {
  TcadBox& box = Box();
  box.ButonType = dtBoxsunpo;
  box.BoxWidth = 1000;
  box.BoxHeight = 500;
  box.BoxAnchor = 9;
  box.BoxOffsets = {100, 200, 300, 400};
  MoveTo(60, 50);
  Click(60, 50);
  ExpectElements({PenLineRectangles(61, 52, 63, 52), PenLineRectangles(61, 54, 63, 54),
                  PenLineRectangles(61, 52, 61, 54), PenLineRectangles(63, 52, 63, 54)});
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, BoxsunpoFailedSnapTellsTheHost) {
  TcadBox& box = Box();
  box.ButonType = dtBoxsunpo;
  box.BoxWidth = 1000;
  box.BoxHeight = 500;
  MoveTo(60, 50);
  Press(60, 50, ssRight);
  EXPECT_EQ(box.Mhan1, 1);
  Release(60, 50, ssRight);
  EXPECT_EQ(box.Mhan1, 0) << "the release clears it after BanGo_Click";
  EXPECT_TRUE(Elements().empty());
}

TEST_F(RectangleCommands, BoxsunpoCancelAndLeaveEraseThePreview) {
  TcadBox& box = Box();
  box.ButonType = dtBoxsunpo;
  box.BoxWidth = 1000;
  box.BoxHeight = 500;
  box.CommandAngle = 30;
  MoveTo(60, 50);
  Leave();
  EXPECT_TRUE(box.RubberErased);
  ExpectScreenMatchesRedraw();
  Enter();
  MoveTo(50, 40);
  CancelCommands();
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, BoxsunpoWithTheEnvelopeCleansUpThePensLinesInOneStep) {
  TcadBox& box = Box();
  box.ButonType = dtBoxsunpo;
  box.BoxWidth = 1000;
  box.BoxHeight = 500;
  box.BoxAnchor = 4;
  box.BoxHouraku = 1;
  RDrawElement across = Line(40, 50, 60, 50);
  across.ColorNo = 1;
  RDrawElement otherPen = Line(40, 49, 60, 49);
  otherPen.ColorNo = 3;
  Seed({across, otherPen});
  MoveTo(50, 50);
  Click(50, 50);
  // The clean-up run by hand on the pen's lines in the window of the
  // rectangle (45, 47.5)-(55, 52.5): the last listed first.
  THourakukei2 reference(45 - 0.001, 47.5 - 0.001, 55 + 0.001, 52.5 + 0.001, box.Zoom);
  for (const RDrawElement& e : {PenLineRectangles(55, 47.5, 55, 52.5), PenLineRectangles(45, 47.5, 45, 52.5),
                                PenLineRectangles(45, 52.5, 55, 52.5), PenLineRectangles(45, 47.5, 55, 47.5), across}) {
    reference.AddLine(e);
  }
  reference.Execute();
  std::multiset<std::array<double, 4>> want = {{40, 49, 60, 49}};
  for (const RDrawElement& r : reference.ResultLines) want.insert({r.X1, r.Y1, r.X2, r.Y2});
  std::multiset<std::array<double, 4>> got;
  for (const RDrawElement& e : Elements()) got.insert({e.X1, e.Y1, e.X2, e.Y2});
  EXPECT_EQ(got, want);
  // One step: the rectangle's four lines and what the clean-up changed.
  std::size_t added = 0, deleted = 0;
  for (const RDrawElement& e : UndoLog()) (e.UndoMark == kUndoAdded ? added : deleted) += 1;
  EXPECT_EQ(deleted, 5u) << "the four sides and the pen's line went into the clean-up";
  EXPECT_EQ(added, 4 + reference.ResultLines.size());
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, BoxSenTakesAssistPointsForBothCorners) {
  TcadBox& box = Box();
  box.ButonType = dtBoxSen;
  box.AssistPoint = {20, 20};
  box.ResumeWithAssistPoint(0, 20, 20);
  EXPECT_EQ(box.CommandStep, 1);
  MoveTo(50, 40);
  box.AssistPoint = {60, 50};
  box.ResumeWithAssistPoint(0, 60, 50);
  const std::vector<RDrawElement> lines = {PenLineRectangles(20, 20, 60, 20), PenLineRectangles(60, 20, 60, 50),
                                           PenLineRectangles(60, 50, 20, 50), PenLineRectangles(20, 20, 20, 50)};
  ExpectElements(lines);
  ExpectUndoLog(lines);
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, BoxSenGestureDragCommitsNothing) {
  TcadBox& box = Box();
  box.DridoL1 = 40;
  box.DridoL2 = 40;
  box.ButonType = dtBoxSen;
  Click(20, 20);
  Drag(40, 30, 40, 50);  // a drag of 100 pixels is a gesture
  EXPECT_TRUE(Elements().empty());
  EXPECT_TRUE(UndoLog().empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, BoxsunpoTakesAnAssistPoint) {
  TcadBox& box = Box();
  box.ButonType = dtBoxsunpo;
  box.BoxWidth = 1000;
  box.BoxHeight = 500;
  box.BoxAnchor = 4;
  box.AssistPoint = {50, 50};
  box.ResumeWithAssistPoint(0, 50, 50);
  // Centred on the point: (45, 47.5)-(55, 52.5).
  ExpectElements({PenLineRectangles(45, 47.5, 55, 47.5), PenLineRectangles(45, 52.5, 55, 52.5),
                  PenLineRectangles(45, 47.5, 45, 52.5), PenLineRectangles(55, 47.5, 55, 52.5)});
  ExpectScreenMatchesRedraw();
}

// ---- A rectangle is drawn, snapped to, picked and selected by its sides ---------

RDrawElement StoredRect(double x1, double y1, double x2, double y2) {
  RDrawElement rect = PenLineRectangles(x1, y1, x2, y2);
  rect.Kind = kKindRect;
  rect.UndoMark = 0;
  return rect;
}

TEST_F(RectangleCommands, ABoxStaysDrawnThroughPageUpTheWheelAndARedraw) {
  Box().ButonType = dtBox;
  Click(20, 20);
  Click(40, 30);
  ASSERT_EQ(Elements().size(), 1u);
  const TColor pen = Box().ColourTable[1];
  // Its left side at mid height, and a point inside, which stays empty.
  const auto probe = [&](const char* after) {
    EXPECT_EQ(PixelAt(20, 25), pen) << "the left side after " << after;
    // The right side lies one pixel in from its edge, which is left out.
    EXPECT_EQ(Box().Canvas().GetPixel(PixelX(40) - 1, PixelY(30)), pen) << "the top right corner after " << after;
    EXPECT_EQ(PixelAt(30, 25), clBlack) << "inside after " << after;
  };
  probe("the commit");
  PressKey(VK_PRIOR);  // zooms in and only refilters the lists
  ASSERT_NEAR(Box().Zoom, 1.2, 1e-12);
  probe("PageUp");
  ExpectScreenMatchesRedraw();
  TurnWheel(30, 25, -120);  // towards the user: zooms in again
  ASSERT_GT(Box().Zoom, 1.2);
  probe("the wheel");
  PressKey(VK_NEXT);
  probe("PageDown");
  RedrawAsTheHostDoes();  // the lists built afresh
  probe("a full redraw");
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, ARectangleFarSmallerThanAPixelIsSetAsideLikeALine) {
  // At zoom 1 a line is small up to 0.4 long: a rectangle when both its
  // width and its height are.
  struct Case {
    double w, h;
    bool small;
  } cases[] = {{0.4, 0.4, true}, {0.4, 0.41, false}, {0.41, 0.1, false}, {0.0, 0.3, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
    StartAfresh(dtNo);
    Seed({StoredRect(30, 30, 30 + c.w, 30 + c.h)});
    Box().RedrawAll(false);
    EXPECT_EQ(Store().SmallList.size(), c.small ? 1u : 0u);
    EXPECT_EQ(Store().DisplayList.size(), c.small ? 0u : 1u);
  }
}

TEST_F(RectangleCommands, ARectangleAroundTheWholeViewIsNotListed) {
  Seed({StoredRect(-10, -10, 200, 200), StoredRect(-10, 40, 200, 60)});
  // The first has no side in view and draws nothing; the second crosses it.
  ASSERT_EQ(Store().DisplayList.size(), 1u);
  EXPECT_EQ(Store().DisplayList[0].Index, 1);
}

TEST_F(RectangleCommands, ARightClickSnapsToACornerAndToASideCrossingALine) {
  Seed({StoredRect(20, 20, 40, 30), PenLineRectangles(30, 10, 30, 50)});
  Box().ButonType = dtDraf;
  Click(40.4, 29.7, ssRight);  // the top right corner
  Click(30.3, 20.4, ssRight);  // the bottom side crosses the line there
  RDrawElement line = PenLineRectangles(40, 30, 30, 20);
  ASSERT_EQ(Elements().size(), 3u);
  EXPECT_EQ(DescribeElement(Elements()[2]), DescribeElement(line));
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, AWindowSelectionTakesAndDrawsARectangle) {
  Seed({StoredRect(20, 20, 40, 30), PenLineRectangles(60, 20, 80, 30)});
  Box().ButonType = dtHani;
  Click(10, 10);
  MoveTo(45, 35);
  Click(50, 40);
  ASSERT_EQ(Elements().size(), 2u);
  EXPECT_EQ(Elements()[0].Selection, 1) << "inside the window";
  EXPECT_EQ(Elements()[1].Selection, 0);
  EXPECT_TRUE(Box().HaniAka_Cyu);
  Box().Update();
  EXPECT_EQ(PixelAt(20, 25), Box().Sentakucol) << "drawn in the selection colour";
  ExpectScreenMatchesRedraw();
}

TEST_F(RectangleCommands, ARightClickOnASideDeletesTheRectangle) {
  const RDrawElement rect = StoredRect(20, 20, 40, 30);
  Seed({rect, PenLineRectangles(20, 50, 40, 50)});
  Box().ButonType = dtSenDel;
  Click(39.6, 30.3, ssRight);  // snaps to its top right corner
  ASSERT_EQ(Elements().size(), 1u);
  EXPECT_EQ(Elements()[0].Kind, kKindLine);
  ASSERT_EQ(UndoLog().size(), 1u);
  EXPECT_EQ(UndoLog()[0].Kind, kKindRect);
  EXPECT_EQ(UndoLog()[0].UndoMark, kUndoDeleted);
  ExpectScreenMatchesRedraw();
}

}  // namespace
