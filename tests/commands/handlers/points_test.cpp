// Point elements at a free or snapped point.

#include "support/command_harness.h"

namespace {

RDrawElement PenPoint(double x, double y) {
  RDrawElement e = Point(x, y);
  e.ColorNo = 1;
  e.UndoMark = kUndoAdded;
  return e;
}

class PointCommand : public CommandHarness {};

TEST_F(PointCommand, EachClickAddsAPointAsItsOwnUndoStep) {
  Box().ButonType = dttenk;
  Click(30, 30);
  ExpectUndoLog({PenPoint(30, 30)});
  ExpectScreenMatchesRedraw();
  Click(30, 30);
  ExpectElements({PenPoint(30, 30), PenPoint(30, 30)});
  ExpectUndoLog({PenPoint(30, 30)});
  ExpectScreenMatchesRedraw();
}

TEST_F(PointCommand, SnappedPointTakesTheOffset) {
  Seed({Line(10, 10, 40, 10)});
  TcadBox& box = Box();
  box.ButonType = dttenk;
  box.OfsetRen = true;
  box.PointOffset = {0, 200};  // 2 drawing units up
  Click(39.6, 10.3, ssRight);
  ExpectElements({Elements()[0], PenPoint(40, 12)});
  ExpectUndoLog({PenPoint(40, 12)});
  ExpectScreenMatchesRedraw();
}

TEST_F(PointCommand, AFailedSnapAddsNothingAndKeepsTheLog) {
  TcadBox& box = Box();
  box.ButonType = dttenk;
  Click(30, 30);
  Click(80, 80, ssRight);
  ExpectElements({PenPoint(30, 30)});
  ExpectUndoLog({PenPoint(30, 30)});
  EXPECT_EQ(box.CommandStep, 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(PointCommand, AGestureDragDropsThePendingPoint) {
  TcadBox& box = Box();
  box.DridoL1 = 40;
  box.DridoL2 = 40;
  box.ButonType = dttenk;
  Drag(30, 30, 30, 50);  // 100 pixels: a gesture
  EXPECT_TRUE(Elements().empty());
  ExpectScreenMatchesRedraw();
}

}  // namespace
