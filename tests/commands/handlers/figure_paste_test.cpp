// The figure paste at clicked points, the deformation points and the figure
// fitted to picked lines, through the mouse. Group 0 is drawn at 1:100: a
// real length of 100 is 1 drawing unit.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include <QImage>

#include "canvas/stock_file.h"
#include "commands/handlers/figure_paste.h"
#include "geometry/codepage.h"
#include "platform/canvas_qt.h"
#include "support/command_harness.h"
#include "support/element_factory.h"

namespace {

RDrawElement Typed(RDrawElement e, std::uint8_t lineType) {
  e.LineType = lineType;
  return e;
}

std::string PostFigurePaste(const char* frame, int n) { return std::string(frame) + "+" + std::to_string(n); }

constexpr double kDegFigurePaste = std::numbers::pi / 180.0;

// Where the paste puts a buffer point q for base point b and target p:
// the scaled offset from b turned by the angle, added to p; along the x
// axis (mode 1) the y of the target is dropped, along y (mode 2) its x.
RPoint2D PlacedFigurePaste(RPoint2D q, RPoint2D b, RPoint2D p, double sx, double sy, double angle, int mode) {
  const double a = angle * kDegFigurePaste;
  const double ux = sx * (q.x - b.x), uy = sy * (q.y - b.y);
  const double rx = ux * std::cos(a) - uy * std::sin(a), ry = ux * std::sin(a) + uy * std::cos(a);
  const double tx = mode == 2 ? b.x : p.x, ty = mode == 1 ? b.y : p.y;
  return {tx + rx, ty + ry};
}

class FigurePaste : public CommandHarness {
 protected:
  void SetUp() override {
    CommandHarness::SetUp();
    Box().Update();
    Box().PasteScaleX = 1;
    Box().PasteScaleY = 1;
  }
  // The mode with the buffer filled as the host fills it, base point b.
  void StartWith(Sbuttontype mode, std::vector<RDrawElement> buffer, RPoint2D b = {0, 0}) {
    StartAfresh(mode);
    FillBuffer(std::move(buffer), b);
  }
  void FillBuffer(std::vector<RDrawElement> buffer, RPoint2D b = {0, 0}) {
    Store().Buffer = std::move(buffer);
    Box().FirstPoint = b;
  }
  // A caption drawn over a longer one leaves the longer one's tail in the
  // pale box until that part of the control is painted again: the tail is
  // probed at pixel x of the box, and the strip painted again, so that the
  // rest of the screen can be compared with a redraw.
  void ExpectCaptionTailThenPaintItAway(int x) {
    EXPECT_EQ(Box().Canvas().GetPixel(x, 5), kCaptionBox);
    Box().InvalidateRect(TRect{0, 0, Box().Width(), 24}, true);
    ApplyPendingPaint();
    EXPECT_NE(Box().Canvas().GetPixel(x, 5), kCaptionBox);
  }
  static constexpr TColor kCaptionBox = 0xB4FFFF;  // RGB(255, 255, 180)
};

// The pixels that differ between two images, as (x, y) pairs.
std::vector<std::pair<int, int>> ChangedFigurePaste(const QImage& before, const QImage& after) {
  std::vector<std::pair<int, int>> changed;
  for (int y = 0; y < before.height(); ++y) {
    for (int x = 0; x < before.width(); ++x) {
      if ((before.pixel(x, y) & 0xFFFFFF) != (after.pixel(x, y) & 0xFFFFFF)) changed.emplace_back(x, y);
    }
  }
  return changed;
}

// ---- Figure paste at clicked points --------------------------------------------

TEST_F(FigurePaste, TheBasePointLandsOnTheClickUnderThePasteTransform) {
  struct Case {
    const char* what;
    double sx, sy, commandAngle, axisAngle;
    int mode;
    RPoint2D offsetReal;
  } cases[] = {
      {"factors 1", 1, 1, 0, 0, 0, {0, 0}},
      {"factors 2 and 3", 2, 3, 0, 0, 0, {0, 0}},
      {"turned 20 on an axis of 10", 1, 1, 20, 10, 0, {0, 0}},
      {"turned 350 on an axis of 100 is 90", 2, 1, 350, 100, 0, {0, 0}},
      {"along x", 1, 1, 0, 0, 1, {0, 0}},
      {"along y with factor 2", 2, 2, 0, 0, 2, {0, 0}},
      {"offset 100 real is 1 in x, -200 is -2 in y", 1, 1, 0, 0, 0, {100, -200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Box().PasteScaleX = c.sx;
    Box().PasteScaleY = c.sy;
    Box().CommandAngle = c.commandAngle;
    Box().AxisAngle = c.axisAngle;
    Box().DirectionMode = c.mode;
    Box().PasteOffset = c.offsetReal;
    StartWith(dtCopyZukei, {Line(10, 10, 20, 10), Point(12, 14)}, {10, 10});
    MoveTo(40, 30);
    Click(40, 30);
    ASSERT_EQ(Elements().size(), 2u);
    // The anchor is the base point less the offset in drawing units.
    const RPoint2D b{10 - c.offsetReal.x / 100, 10 - c.offsetReal.y / 100};
    const double angle = c.commandAngle + c.axisAngle;
    const RPoint2D l1 = PlacedFigurePaste({10, 10}, b, {40, 30}, c.sx, c.sy, angle, c.mode);
    const RPoint2D l2 = PlacedFigurePaste({20, 10}, b, {40, 30}, c.sx, c.sy, angle, c.mode);
    const RPoint2D pt = PlacedFigurePaste({12, 14}, b, {40, 30}, c.sx, c.sy, angle, c.mode);
    EXPECT_NEAR(Elements()[0].X1, l1.x, 1e-9);
    EXPECT_NEAR(Elements()[0].Y1, l1.y, 1e-9);
    EXPECT_NEAR(Elements()[0].X2, l2.x, 1e-9);
    EXPECT_NEAR(Elements()[0].Y2, l2.y, 1e-9);
    EXPECT_NEAR(Elements()[1].X1, pt.x, 1e-9);
    EXPECT_NEAR(Elements()[1].Y1, pt.y, 1e-9);
    ExpectScreenMatchesRedraw();
  }
  // With factors 1 and no offset the base point is exactly the click.
  Box().PasteScaleX = Box().PasteScaleY = 1;
  Box().CommandAngle = Box().AxisAngle = 0;
  Box().DirectionMode = 0;
  Box().PasteOffset = {0, 0};
  StartWith(dtCopyZukei, {Line(3, 4, 8, 4)}, {3, 4});
  Click(50, 60);
  ExpectElements({Line(50, 60, 55, 60)});
  EXPECT_DOUBLE_EQ(Box().LastMove.x, 47);
  EXPECT_DOUBLE_EQ(Box().LastMove.y, 56);
  EXPECT_DOUBLE_EQ(Box().LastMoveReal.x, 4700);
  ExpectScreenMatchesRedraw();
}

TEST_F(FigurePaste, AlongAnAxisTheFigureLandsWhereItsPreviewShowed) {
  // Kept to one axis turned by the axis angle, the placed figure is exactly
  // the preview the click was made on.
  for (const int mode : {1, 2}) {
    SCOPED_TRACE(mode);
    Box().AxisAngle = 30;
    Box().DirectionMode = mode;
    StartWith(dtCopyZukei, {Line(10, 10, 30, 10)}, {10, 10});
    MoveTo(50, 60);
    const QImage first = CanvasImage(Box().Canvas()).copy();
    // The move takes the first preview off and shows the one clicked on.
    MoveTo(60, 45);
    const std::vector<std::pair<int, int>> preview = ChangedFigurePaste(first, CanvasImage(Box().Canvas()));
    ASSERT_FALSE(preview.empty());
    Click(60, 45);
    ASSERT_EQ(Elements().size(), 1u);
    Box().Update();
    // Against the picture with the first preview: the same pixels differ,
    // now those of the stored figure.
    EXPECT_EQ(ChangedFigurePaste(first, CanvasImage(Box().Canvas())), preview);
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(FigurePaste, TheRepeatingModesPlaceAgainAndAgainEachOneStep) {
  for (const Sbuttontype mode : {dtCopyTazuMen, dtCopyZukei}) {
    SCOPED_TRACE(static_cast<int>(mode));
    StartWith(mode, {Line(0, 0, 5, 0)});
    Click(10, 10);
    Click(20, 10);
    Click(30, 10);
    ExpectElements({Line(10, 10, 15, 10), Line(20, 10, 25, 10), Line(30, 10, 35, 10)});
    ExpectUndoLog({Added(Line(30, 10, 35, 10))});
    EXPECT_EQ(Box().ButonType, mode);
    EXPECT_EQ(Box().B_Switch, _off);
    EXPECT_EQ(Store().Buffer.size(), 1u);
    EXPECT_TRUE(TakeNotifications().empty());
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(FigurePaste, TheSinglePastePlacesOnceInAStepOfItsOwnTellsTheHostAndEnds) {
  // The step before: a copy placed by another paste.
  StartWith(dtCopyZukei, {Line(0, 0, 5, 0)});
  Click(10, 10);
  ExpectUndoLog({Added(Line(10, 10, 15, 10))});
  Box().ButonType = dtcopyMenseki;
  Click(20, 30);
  ExpectElements({Line(10, 10, 15, 10), Line(20, 30, 25, 30)});
  // An undo takes only this paste away, not the copy before it.
  ExpectUndoLog({Added(Line(20, 30, 25, 30))});
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{PostFigurePaste("TFrame22", 100)});
  EXPECT_EQ(Box().ButonType, dtNo);
  EXPECT_TRUE(Store().Buffer.empty());
  ExpectScreenMatchesRedraw();
}

TEST_F(FigurePaste, LineType9StaysOutOnlyWhileTheHostAsksAndACancelClearsTheAsk) {
  const std::vector<RDrawElement> buffer = {Line(0, 0, 5, 0), Typed(Line(0, 1, 5, 1), 9), Typed(Arc(0, 3, 1), 9)};
  StartWith(dtCopyZukei, buffer);
  Box().PasteSkipType9 = true;
  Click(10, 10);
  ExpectElements({Line(10, 10, 15, 10)});
  ExpectScreenMatchesRedraw();
  Box().CancelCommands(true);
  EXPECT_FALSE(Box().PasteSkipType9);
  ExpectScreenMatchesRedraw();
  FillBuffer(buffer);
  Click(30, 10);
  ExpectElements(
      {Line(10, 10, 15, 10), Line(30, 10, 35, 10), Typed(Line(30, 11, 35, 11), 9), Typed(Arc(30, 13, 1), 9)});
  ExpectScreenMatchesRedraw();
}

// A line of the outline line type in a hidden-line colour.
RDrawElement OutlineFigurePaste(double x1, double y1, double x2, double y2) {
  RDrawElement e = Line(x1, y1, x2, y2);
  e.ColorNo = 1;
  return e;
}

// A square of side 10 with its base point at its lower left corner.
std::vector<RDrawElement> Square() {
  return {OutlineFigurePaste(0, 0, 10, 0), OutlineFigurePaste(10, 0, 10, 10), OutlineFigurePaste(10, 10, 0, 10),
          OutlineFigurePaste(0, 10, 0, 0)};
}

TEST_F(FigurePaste, HiddenLinesUnderTheFigureGoInThePastesStep) {
  Box().SenUrakesicol.set(1);
  StartWith(dtCopyTazuMen, Square());
  Seed({Line(35, 55, 55, 55)});
  Box().Update();
  FillBuffer(Square());
  Box().SenUrakesi = 1;
  Click(40, 50);
  // The line through the square keeps its parts outside x 40 to 50, each
  // from the square's side out to its end.
  const std::vector<RDrawElement> square = {OutlineFigurePaste(40, 50, 50, 50), OutlineFigurePaste(50, 50, 50, 60),
                                            OutlineFigurePaste(50, 60, 40, 60), OutlineFigurePaste(40, 60, 40, 50)};
  const std::vector<RDrawElement> pieces = {Line(50, 55, 55, 55), Line(40, 55, 35, 55)};
  std::vector<RDrawElement> want = pieces;
  want.insert(want.end(), square.begin(), square.end());
  ExpectElements(want);
  std::vector<RDrawElement> log = {Deleted(Line(35, 55, 55, 55))};
  for (const RDrawElement& e : want) log.push_back(Added(e));
  ExpectUndoLog(log);
  ExpectScreenMatchesRedraw();
}

TEST_F(FigurePaste, ARefusedHiddenLineErasePastesInAStepOfItsOwn) {
  // 300 points: too many for the hidden-line erase.
  std::vector<RDrawElement> many;
  for (int i = 0; i < 300; ++i) many.push_back(Point(i * 0.1, 0));
  StartWith(dtCopyTazuMen, many);
  Click(10, 10);  // the step before
  Box().SenUrakesi = 1;
  Click(10, 20);
  EXPECT_EQ(Elements().size(), 600u);
  ASSERT_EQ(UndoLog().size(), 300u);
  EXPECT_DOUBLE_EQ(UndoLog().front().Y1, 20);
  EXPECT_DOUBLE_EQ(UndoLog().back().Y1, 20);
  ASSERT_FALSE(Dialogs().shown.empty());
  EXPECT_EQ(Dialogs().shown.back().text, J("図形線総数300本以上は裏消は実行できません!"));
  ExpectScreenMatchesRedraw();
}

TEST_F(FigurePaste, SenUrakesi2HatchesInsteadOfPasting) {
  Box().SenUrakesicol.set(1);
  // The buffer is the pattern, one line; the drawing's outline square
  // (50, 50)-(60, 60) bounds the hatch.
  const std::vector<RDrawElement> square = {OutlineFigurePaste(50, 50, 60, 50), OutlineFigurePaste(60, 50, 60, 60),
                                            OutlineFigurePaste(60, 60, 50, 60), OutlineFigurePaste(50, 60, 50, 50)};
  StartAfresh(dtCopyZukei);
  Seed({square[0], square[1], square[2], square[3]});
  Box().Update();
  FillBuffer({Line(0, 0, 20, 0)});
  Box().SenUrakesi = 2;
  Click(45, 55);
  // The pattern lands on (45, 55)-(65, 55): only its piece inside the
  // square is added, no copy of the pattern.
  ASSERT_EQ(Elements().size(), 5u);
  const RDrawElement piece = Elements()[4];
  const double x1 = piece.X1, x2 = piece.X2, y1 = piece.Y1, y2 = piece.Y2;
  EXPECT_NEAR(std::min(x1, x2), 50, 1e-9);
  EXPECT_NEAR(std::max(x1, x2), 60, 1e-9);
  EXPECT_NEAR(y1, 55, 1e-9);
  EXPECT_NEAR(y2, 55, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(FigurePaste, TheMidpointAssistPastesAlongTheSegment) {
  Box().RepeatByCount = 1;
  Box().DivCount = 2;
  StartWith(dtCopyZukei, {Point(0, 0)});
  Seed({Point(20, 10), Point(60, 10)});
  Box().Update();
  FillBuffer({Point(0, 0)});
  Click(20.5, 10.5, ssRight);  // a snapped placement: the segment starts here
  ExpectElements({Point(20, 10), Point(60, 10), Point(20, 10)});
  TcadBox& b = Box();
  b.SavedMode = dtCopyZukei;
  b.ButonType = dthitsuru;
  Click(60.5, 10.5, ssLeft);  // the midpoint assist reads (60, 10)
  Click(90, 90, ssRight);     // and completes: the middle of (20, 10) and (60, 10)
  EXPECT_EQ(b.ButonType, dtCopyZukei);
  // The segment (20, 10) -> (40, 10) in 2 parts: one copy at (30, 10), in
  // its own undo step.
  ExpectElements({Point(20, 10), Point(60, 10), Point(20, 10), Point(30, 10)});
  ExpectUndoLog({Added(Point(30, 10))});
  EXPECT_FALSE(b.SegmentPaste);
  ExpectScreenMatchesRedraw();
}

TEST_F(FigurePaste, TheStockFigureIsReadAgainAfterARescale) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "zuro_figure_stock_XXXXXX").string();
  const fs::path folder = ::mkdtemp(pattern.data());
  ::setenv("ZURO_STOCK_DIR", folder.c_str(), 1);
  {
    std::array<double, kLayerGroups> scales;
    scales.fill(100);
    TDDGObject stock;
    stock.WriteElement(Line(0, 0, 7, 0), 1, 0, 0, 0.0, 1.0, 1.0, scales, Box().TextStyles);
    stock.SaveStockFile();
  }
  StartWith(dtCopyTazuMen, {Line(0, 0, 1, 0)});
  Seed({Line(0, 0, 3, 0)});
  Box().RescaleWriteGroup(2);
  RedrawAsTheHostDoes();
  ::unsetenv("ZURO_STOCK_DIR");
  fs::remove_all(folder);
  // The group is scaled; the buffer is the stock figure, at 1:100 as drawn.
  ExpectElements({Line(0, 0, 6, 0)});
  ASSERT_EQ(Store().Buffer.size(), 1u);
  EXPECT_NEAR(Store().Buffer[0].X2, 7, 1e-12);
  EXPECT_EQ(Box().ButonType, dtCopyTazuMen);
  ExpectScreenMatchesRedraw();
}

// ---- Deformation points ---------------------------------------------------------

TEST_F(FigurePaste, DeformationPointsFillTheFirstEntriesAndEndTheCommand) {
  const RPoint2D corners[] = {{10, 10}, {30, 10}, {30, 30}, {10, 30}};
  struct Case {
    std::uint8_t count;
    std::size_t taken;
  } cases[] = {{2, 2}, {3, 3}, {4, 4}, {0, 2}, {7, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.count));
    StartAfresh(dthenkeizukei);
    Box().DeformCount = c.count;
    Box().DeformX.fill(99);
    for (std::size_t i = 0; i < c.taken; ++i) {
      EXPECT_EQ(Box().ButonType, dthenkeizukei);
      Click(corners[i].x, corners[i].y);
    }
    EXPECT_EQ(Box().ButonType, dtNo);
    EXPECT_EQ(Box().DeformCount, 0);
    EXPECT_EQ(Box().FamilyState<RFigureFitState>().DeformIndex, 0);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{PostFigurePaste("TFrame23", 100)});
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_DOUBLE_EQ(Box().DeformX[i], i < c.taken ? corners[i].x : 0);
      EXPECT_DOUBLE_EQ(Box().DeformY[i], i < c.taken ? corners[i].y : 0);
    }
    EXPECT_TRUE(Elements().empty());
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(FigurePaste, DeformationSegmentsFollowTheAngleStep) {
  StartAfresh(dthenkeizukei);
  Box().DeformCount = 3;
  Box().AngleStep = 15;
  Click(10, 10);
  // (30, 14) from (10, 10): 11.31 degrees rounds to 15; the point is the
  // cursor's foot on that ray, 20 cos 15 + 4 sin 15 from the vertex.
  Click(30, 14);
  const double c15 = std::cos(15 * kDegFigurePaste), s15 = std::sin(15 * kDegFigurePaste);
  const double t = 20 * c15 + 4 * s15;
  const RPoint2D p1{10 + t * c15, 10 + t * s15};
  EXPECT_NEAR(Box().DeformX[1], p1.x, 1e-9);
  EXPECT_NEAR(Box().DeformY[1], p1.y, 1e-9);
  // (28, 36) from p1 (29.66, 15.27): 94.6 degrees rounds to 90; the foot
  // keeps the x of p1 and the cursor's y.
  Click(28, 36);
  EXPECT_NEAR(Box().DeformX[2], p1.x, 1e-9);
  EXPECT_NEAR(Box().DeformY[2], 36, 1e-9);
  EXPECT_EQ(Box().ButonType, dtNo);
  ExpectScreenMatchesRedraw();
}

TEST_F(FigurePaste, ARepeatedSnappedDeformationPointIsRefused) {
  StartAfresh(dthenkeizukei);
  Seed({Point(20, 20), Point(40, 20)});
  Box().Update();
  Box().DeformCount = 2;
  Click(20.3, 20.3, ssRight);
  EXPECT_EQ(Box().B_Switch, on1);
  Click(20.2, 19.8, ssRight);
  EXPECT_EQ(TopMessage(), J("同一点"));
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_EQ(Box().ButonType, dthenkeizukei);
  Click(40.2, 19.8, ssRight);
  EXPECT_EQ(Box().ButonType, dtNo);
  EXPECT_DOUBLE_EQ(Box().DeformX[1], 40);
  ExpectCaptionTailThenPaintItAway(90);
  ExpectScreenMatchesRedraw();
}

// ---- The figure slid along a line ---------------------------------------------------

TEST_F(FigurePaste, TheLinePickEmptiesTheBufferAndAsksTheHost) {
  StartWith(dtCopyHenkeiZukei, {Line(0, 0, 4, 0)});
  Seed({Line(0, 20, 60, 20)});
  Box().Update();
  Click(50, 50);  // no line there
  EXPECT_EQ(Box().PickedIndex[1], -100);
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_EQ(Store().Buffer.size(), 1u);
  Click(10, 20.2);
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_TRUE(Store().Buffer.empty());
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{PostFigurePaste("TFrame23", 116)});
  EXPECT_EQ(Box().PickedIndex[1], 0);
  EXPECT_NEAR(Box().WorkPointA.x, 10, 1e-9);
  EXPECT_NEAR(Box().WorkPointA.y, 20, 1e-9);
  EXPECT_EQ(Box().CommandAngle, 0);
  EXPECT_EQ(Box().FamilyState<RFigureFitState>().RefLine1.Kind, kKindLine);
  Box().CancelCommands(true);
  EXPECT_EQ(Box().FamilyState<RFigureFitState>().RefLine1.Kind, kKindNone);
  ExpectScreenMatchesRedraw();
}

TEST_F(FigurePaste, TheFigureSitsAtTheCursorsFootAndTurnsAcrossTheLineInFitMode0) {
  StartAfresh(dtCopyHenkeiZukei);
  Seed({Line(0, 20, 60, 20)});
  Box().Update();
  Box().FitMode = 0;
  Click(10, 20.2);
  FillBuffer({Line(0, 0, 4, 0), Line(0, 0, 0, 2)});
  MoveTo(30, 25);
  // Above the line: the figure at the foot (30, 20), not turned.
  EXPECT_NEAR(Box().CurrentPoint.x, 30, 1e-9);
  EXPECT_NEAR(Box().CurrentPoint.y, 20, 1e-9);
  EXPECT_EQ(Box().CommandAngle, 0);
  MoveTo(30, 15);
  EXPECT_EQ(Box().CommandAngle, 180);
  Click(30, 15);
  // Below it: turned half round about the foot.
  ExpectElements({Line(0, 20, 60, 20), Line(30, 20, 26, 20), Line(30, 20, 30, 18)});
  ExpectUndoLog({Added(Line(30, 20, 26, 20)), Added(Line(30, 20, 30, 18))});
  EXPECT_EQ(Box().B_Switch, _off);
  EXPECT_NEAR(Box().LastMove.x, 30, 1e-9);
  EXPECT_NEAR(Box().LastMove.y, 20, 1e-9);
  ExpectScreenMatchesRedraw();
}

TEST_F(FigurePaste, FitModes2And4SignTheFactorsBySide) {
  // Picked at (20, 20) on a line along x. Mode 2: the x factor is negative
  // while the foot lies behind the pick (direction 180), the y factor takes
  // its sign. Mode 4: the y factor's sign is the x factor's while the
  // cursor lies on the left of the direction pick -> foot, else opposite.
  struct Case {
    std::uint8_t mode;
    RPoint2D cursor;
    double sx, sy;
  } cases[] = {
      {2, {30, 25}, 2, 3},  {2, {30, 15}, 2, 3},  {2, {10, 25}, -2, -3}, {2, {10, 15}, -2, -3}, {4, {30, 25}, 2, 3},
      {4, {30, 15}, 2, -3}, {4, {10, 25}, -2, 3}, {4, {10, 15}, -2, -3}, {1, {10, 15}, 2, -3},  // no rule
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    SCOPED_TRACE(c.cursor.x);
    SCOPED_TRACE(c.cursor.y);
    StartAfresh(dtCopyHenkeiZukei);
    Seed({Line(0, 20, 60, 20)});
    Box().Update();
    Box().FitMode = c.mode;
    Box().PasteScaleX = 2;
    Box().PasteScaleY = -3;
    Click(20, 20.2);
    FillBuffer({Line(0, 0, 4, 0)});
    MoveTo(c.cursor.x, c.cursor.y);
    EXPECT_EQ(Box().PasteScaleX, c.sx);
    EXPECT_EQ(Box().PasteScaleY, c.sy);
  }
}

TEST_F(FigurePaste, TheDeletingFitModesTakeTheLineInThePastesStep) {
  for (const std::uint8_t mode : {10, 11, 12, 15}) {
    SCOPED_TRACE(static_cast<int>(mode));
    StartAfresh(dtCopyHenkeiZukei);
    Seed({Line(0, 20, 60, 20), Line(0, 40, 60, 40)});
    Box().Update();
    Box().FitMode = mode;
    Click(10, 20.2);
    FillBuffer({Line(0, 0, 0, 2)});
    Click(30, 25);
    ExpectElements({Line(0, 40, 60, 40), Line(30, 20, 30, 22)});
    ExpectUndoLog({Deleted(Line(0, 20, 60, 20)), Added(Line(30, 20, 30, 22))});
    ExpectScreenMatchesRedraw();
  }
  // Fit mode 13 keeps the line.
  StartAfresh(dtCopyHenkeiZukei);
  Seed({Line(0, 20, 60, 20)});
  Box().Update();
  Box().FitMode = 13;
  Click(10, 20.2);
  FillBuffer({Line(0, 0, 0, 2)});
  Click(30, 25);
  ExpectElements({Line(0, 20, 60, 20), Line(30, 20, 30, 22)});
  ExpectUndoLog({Added(Line(30, 20, 30, 22))});
  ExpectScreenMatchesRedraw();
}

TEST_F(FigurePaste, TheDeletedLineTheErasedLinesAndThePasteAreOneStep) {
  Box().SenUrakesicol.set(1);
  StartAfresh(dtCopyHenkeiZukei);
  Seed({Line(0, 20, 60, 20), Line(25, 25, 45, 25)});
  Box().Update();
  Box().FitMode = 10;
  Box().SenUrakesi = 1;
  Click(10, 20.2);
  FillBuffer(Square());
  Click(30, 25);
  // The square stands on the foot (30, 20); the line y = 25 through it
  // keeps its parts outside x 30 to 40.
  const std::vector<RDrawElement> square = {OutlineFigurePaste(30, 20, 40, 20), OutlineFigurePaste(40, 20, 40, 30),
                                            OutlineFigurePaste(40, 30, 30, 30), OutlineFigurePaste(30, 30, 30, 20)};
  std::vector<RDrawElement> want = {Line(40, 25, 45, 25), Line(30, 25, 25, 25)};
  want.insert(want.end(), square.begin(), square.end());
  ExpectElements(want);
  std::vector<RDrawElement> log = {Deleted(Line(0, 20, 60, 20)), Deleted(Line(25, 25, 45, 25))};
  for (const RDrawElement& e : want) log.push_back(Added(e));
  ExpectUndoLog(log);
  // " 終  了 " of the hidden-line erase over the longer "配置位置指示".
  ExpectCaptionTailThenPaintItAway(100);
  ExpectScreenMatchesRedraw();
}

// ---- The figure fitted between two lines ---------------------------------------------

class FitBetweenLines : public FigurePaste {
 protected:
  // Line 1 along y = 20, picked at (10, 20); line 2 from (30, 0) to (50, 40)
  // crosses it at (40, 20) and is pressed at (45, 30).
  static RDrawElement Line1() { return Line(0, 20, 60, 20); }
  static RDrawElement Line2() { return Line(30, 0, 50, 40); }
  void PickBoth(std::initializer_list<RDrawElement> drawing, std::uint8_t fitMode) {
    StartAfresh(dtCopyHenkeiZukei2);
    TakeNotifications();
    Seed(drawing);
    Box().Update();
    Box().FitMode = fitMode;
    Click(10, 20.2);
    ASSERT_EQ(Box().B_Switch, on1);
    EXPECT_EQ(TakeNotifications(), std::vector<std::string>{PostFigurePaste("TFrame23", 116)});
    FillBuffer({Line(0, 0, 4, 0)});
    MoveTo(45, 30);
    Press(45, 30, ssLeft);
  }
};

TEST_F(FitBetweenLines, TheSecondLineGivesTheCrossingAndTwoAnglesForTheHost) {
  PickBoth({Line1(), Line2()}, 0);
  EXPECT_EQ(TakeNotifications(), std::vector<std::string>{PostFigurePaste("TFrame23", 111)});
  EXPECT_TRUE(Store().Buffer.empty());
  EXPECT_NEAR(Box().SecondPoint.x, 40, 1e-9);
  EXPECT_NEAR(Box().SecondPoint.y, 20, 1e-9);
  // D5: from the crossing to the pick (10, 20), straight back along x.
  EXPECT_NEAR(Box().FigureSizes[4], 180, 1e-9);
  // D6: 90 less the angle at the crossing between (-30, 0) and (5, 10):
  // 180 - atan(2) = 116.565 degrees.
  EXPECT_NEAR(Box().FigureSizes[5], 90 - (180 - std::atan(2.0) / kDegFigurePaste), 1e-9);
  FillBuffer({Line(0, 0, 4, 0)});
  Release(45, 30, ssLeft);
  ExpectElements({Line1(), Line2(), Line(40, 20, 44, 20)});
  ExpectUndoLog({Added(Line(40, 20, 44, 20))});
  EXPECT_EQ(Box().B_Switch, _off);
  ExpectScreenMatchesRedraw();
  // The next line pick starts the angles afresh.
  Click(10, 20.2);
  EXPECT_EQ(Box().FigureSizes[4], 0);
  EXPECT_EQ(Box().FigureSizes[5], 0);
  ExpectScreenMatchesRedraw();
}

TEST_F(FitBetweenLines, FitMode12DeletesExactlyThePickedLinesInThePastesStep) {
  // The second line lies before the first in the list.
  const RDrawElement other = Line(0, 70, 10, 70), extra = Line(0, 80, 10, 80);
  PickBoth({Line2(), other, Line1(), extra}, 12);
  FillBuffer({Line(0, 0, 4, 0)});
  Release(45, 30, ssLeft);
  ExpectElements({other, extra, Line(40, 20, 44, 20)});
  ExpectUndoLog({Deleted(Line1()), Deleted(Line2()), Added(Line(40, 20, 44, 20))});
  ExpectScreenMatchesRedraw();
}

TEST_F(FitBetweenLines, FitModes10And11DeleteOneLineEach) {
  struct Case {
    std::uint8_t mode;
    RDrawElement kept, deleted;
  } cases[] = {{10, Line2(), Line1()}, {11, Line1(), Line2()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    PickBoth({Line1(), Line2()}, c.mode);
    FillBuffer({Line(0, 0, 4, 0)});
    Release(45, 30, ssLeft);
    ExpectElements({c.kept, Line(40, 20, 44, 20)});
    ExpectUndoLog({Deleted(c.deleted), Added(Line(40, 20, 44, 20))});
    ExpectScreenMatchesRedraw();
  }
}

TEST_F(FitBetweenLines, AParallelSecondLineCountsAsNone) {
  StartAfresh(dtCopyHenkeiZukei2);
  Seed({Line1(), Line(0, 30, 60, 30)});
  Box().Update();
  Click(10, 20.2);
  TakeNotifications();
  FillBuffer({Line(0, 0, 4, 0)});
  Click(45, 30);
  EXPECT_TRUE(TakeNotifications().empty());
  EXPECT_EQ(Store().Buffer.size(), 1u);
  EXPECT_EQ(Box().B_Switch, on1);
  EXPECT_EQ(Box().FamilyState<RFigureFitState>().RefLine2.Kind, kKindNone);
  ExpectElements({Line1(), Line(0, 30, 60, 30)});
  // The figure still follows the cursor's foot on the first line, in XOR
  // over it; the cancel takes it away.
  EXPECT_NE(PixelAt(46, 20), PixelAt(50, 20));
  CancelCommands();
  ExpectScreenMatchesRedraw();
}

}  // namespace
