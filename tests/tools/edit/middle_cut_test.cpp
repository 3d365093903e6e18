// Middle cut of a clicked line between its nearest crossings, and the split
// of the lines crossing near a click.

#include "tools/edit/middle_cut.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/angles_points.h"

namespace {

struct SegMiddleCut {
  double x1, y1, x2, y2;
};

RDrawElement LineElementMiddleCut(SegMiddleCut s) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindLine;
  e.X1 = s.x1;
  e.Y1 = s.y1;
  e.X2 = s.x2;
  e.Y2 = s.y2;
  return e;
}

RDrawElement Circle(double cx, double cy, double r) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = 1.0f;
  return e;
}

void ExpectLineResult(const RDrawElement& got, SegMiddleCut want) {
  EXPECT_EQ(int{got.Kind}, int{kKindLine});
  EXPECT_NEAR(double{got.X1}, want.x1, 1e-9);
  EXPECT_NEAR(double{got.Y1}, want.y1, 1e-9);
  EXPECT_NEAR(double{got.X2}, want.x2, 1e-9);
  EXPECT_NEAR(double{got.Y2}, want.y2, 1e-9);
}

double LengthMiddleCut(const RDrawElement& e) { return PointDistance(e.X1, e.Y1, e.X2, e.Y2); }

TEST(MiddleCut, KeepsOrRemovesThePartBetweenTheNearestCrossings) {
  // The clicked line (0, 0)-(20, 0), clicked above x = 8: side 1 runs from
  // the foot to x = 0, side 2 to x = 20.
  RDrawElement target = LineElementMiddleCut({0, 0, 20, 0});
  target.ColorNo = 5;
  target.Layer = 7;
  const RDrawElement x2 = LineElementMiddleCut({2, -5, 2, 5}), x4 = LineElementMiddleCut({4, -5, 4, 5});
  const RDrawElement x15 = LineElementMiddleCut({15, -5, 15, 5}), x0 = LineElementMiddleCut({0, -5, 0, 5});
  RDrawElement text = x4;
  text.Kind = kKindText;
  const double r1 = std::sqrt(8.75), r2 = std::sqrt(3.75);
  struct Case {
    const char* what;
    std::vector<RDrawElement> cutters;
    std::vector<SegMiddleCut> mode0, mode1;
  };
  const Case cases[] = {
      {"one each side", {x4, x15}, {{4, 0, 15, 0}}, {{4, 0, 0, 0}, {15, 0, 20, 0}}},
      {"nearest of two on side 1", {x2, x4, x15}, {{4, 0, 15, 0}}, {{4, 0, 0, 0}, {15, 0, 20, 0}}},
      {"side 1 only", {x4}, {{20, 0, 4, 0}}, {{0, 0, 4, 0}}},
      {"side 2 only", {x15}, {{15, 0, 0, 0}}, {{20, 0, 15, 0}}},
      {"none", {}, {{0, 0, 20, 0}}, {}},
      {"other kinds do not cut", {text}, {{0, 0, 20, 0}}, {}},
      {"the only crossing at the line's end", {x0}, {{20, 0, 0, 0}}, {{0, 0, 20, 0}}},
      // Centres 0.5 off the line: the crossings 8 -+ sqrt(8.75) and
      // 15 -+ sqrt(3.75).
      {"a circle crossing both sides counts for both",
       {Circle(8, 0.5, 3)},
       {{8 - r1, 0, 8 + r1, 0}},
       {{8 - r1, 0, 0, 0}, {8 + r1, 0, 20, 0}}},
      {"a circle on one side: its crossing nearer the click",
       {Circle(15, 0.5, 2)},
       {{15 - r2, 0, 0, 0}},
       {{20, 0, 15 - r2, 0}}},
  };
  for (const Case& c : cases) {
    for (std::uint8_t mode : {0, 1}) {
      SCOPED_TRACE(std::string(c.what) + ", mode " + std::to_string(mode));
      TSennakanukiobj tool(target, 8, 1, mode);
      EXPECT_TRUE(tool.Valid);
      for (const RDrawElement& cutter : c.cutters) tool.AddCutter(cutter);
      tool.CutMiddle();
      const std::vector<SegMiddleCut>& want = mode == 0 ? c.mode0 : c.mode1;
      ASSERT_EQ(tool.Results.size(), want.size());
      for (std::size_t i = 0; i < want.size(); ++i) {
        ExpectLineResult(tool.Results[i], want[i]);
        EXPECT_EQ(int{tool.Results[i].ColorNo}, 5);
        EXPECT_EQ(int{tool.Results[i].Layer}, 7);
      }
    }
  }
}

TEST(MiddleCut, ATargetWithoutLengthIsNotValidAndCutsNothing) {
  TSennakanukiobj tool(LineElementMiddleCut({3, 3, 3, 3}), 8, 1, 0);
  EXPECT_FALSE(tool.Valid);
  tool.AddCutter(LineElementMiddleCut({3, -5, 3, 5}));
  tool.CutMiddle();
  EXPECT_TRUE(tool.Results.empty());
}

std::vector<RDrawElement> Split(const std::vector<RDrawElement>& lines) {
  TSennakanukiobj tool(ZeroElement(), 0, 0, 3);
  tool.BoxHalfSize = 1;
  for (const RDrawElement& line : lines) tool.AddLine(line);
  tool.SplitCrossings();
  return tool.Results;
}

TEST(SplitCrossings, AnXAtTheClickGivesFourPiecesSecondPartFirst) {
  const std::vector<RDrawElement> results =
      Split({LineElementMiddleCut({-10, -10, 10, 10}), LineElementMiddleCut({-10, 10, 10, -10})});
  ASSERT_EQ(results.size(), 4u);
  ExpectLineResult(results[0], {0, 0, 10, 10});
  ExpectLineResult(results[1], {-10, -10, 0, 0});
  ExpectLineResult(results[2], {0, 0, 10, -10});
  ExpectLineResult(results[3], {-10, 10, 0, 0});
  for (const RDrawElement& e : results) EXPECT_EQ(int{e.Selection}, 2);
}

TEST(SplitCrossings, PiecesCoverTheItemAndOnlyRealCrossingsSplit) {
  // A horizontal line through the box; an oblique one crossing it at
  // (0.5, 0); a line ending in the box; a far line whose extension meets
  // the horizontal one at (30, 0).
  const RDrawElement horizontal = LineElementMiddleCut({-10, 0, 10, 0});
  const RDrawElement oblique = LineElementMiddleCut({-4.5, -5, 5.5, 5});
  const RDrawElement endsInBox = LineElementMiddleCut({0.5, 0.5, 20, 8});
  const RDrawElement far = LineElementMiddleCut({30, 5, 30, 15});
  const std::vector<RDrawElement> results = Split({horizontal, oblique, endsInBox, far});
  // Two split items, two pieces each, then the two others unchanged.
  ASSERT_EQ(results.size(), 6u);
  EXPECT_NEAR(LengthMiddleCut(results[0]) + LengthMiddleCut(results[1]), LengthMiddleCut(horizontal), 1e-9);
  EXPECT_NEAR(LengthMiddleCut(results[2]) + LengthMiddleCut(results[3]), LengthMiddleCut(oblique), 1e-9);
  ExpectLineResult(results[0], {0.5, 0, 10, 0});
  ExpectLineResult(results[1], {-10, 0, 0.5, 0});
  ExpectLineResult(results[4], {0.5, 0.5, 20, 8});
  ExpectLineResult(results[5], {30, 5, 30, 15});
  EXPECT_EQ(int{results[4].Selection}, 0);
  EXPECT_EQ(int{results[5].Selection}, 0);

  // Only the far line's extension meets the horizontal one: no split.
  const std::vector<RDrawElement> alone = Split({horizontal, far});
  ASSERT_EQ(alone.size(), 2u);
  ExpectLineResult(alone[0], {-10, 0, 10, 0});
  EXPECT_EQ(int{alone[0].Selection}, 0);
}

TEST(SplitCrossings, BeyondElevenLinesOnlyTheLaterHalfCut) {
  // Line 0 through the box, line 1 crossing it at x = 3 outside the box,
  // then parallels far above that cross nothing.
  auto lines = [](int count) {
    std::vector<RDrawElement> v{LineElementMiddleCut({-10, 0, 10, 0}), LineElementMiddleCut({3, -5, 3, 5})};
    for (int i = 2; i < count; ++i) v.push_back(LineElementMiddleCut({-10, 20.0 + i, 10, 20.0 + i}));
    return v;
  };
  // Eleven lines: every line cuts, so line 0 is split at (3, 0).
  const auto eleven = Split(lines(11));
  ASSERT_EQ(eleven.size(), 12u);
  ExpectLineResult(eleven[0], {3, 0, 10, 0});
  ExpectLineResult(eleven[1], {-10, 0, 3, 0});
  // Twelve: the cutters run from 11 div 2 - 1 = 4 up, so line 1 cuts no more.
  const auto twelve = Split(lines(12));
  ASSERT_EQ(twelve.size(), 12u);
  ExpectLineResult(twelve[0], {-10, 0, 10, 0});
  EXPECT_EQ(int{twelve[0].Selection}, 0);
}

}  // namespace
