#include "canvas/envelope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/element_factory.h"

namespace {

constexpr double kTolEnvelope = 1e-9;

struct Seg {
  double x1, y1, x2, y2;
};

RDrawElement Styled(RDrawElement e, std::uint8_t lineType, std::uint8_t colour, std::uint8_t layer) {
  e.LineType = lineType;
  e.ColorNo = colour;
  e.Layer = layer;
  return e;
}

// Runs the clean-up in the window (0, 0)-(100, 100) at zoom 1.
std::vector<RDrawElement> CleanUp(const std::vector<RDrawElement>& lines, double zoom = 1.0) {
  THourakukei2 envelope(100, 100, 0, 0, zoom);
  for (const RDrawElement& e : lines) envelope.AddLine(e);
  envelope.Execute();
  EXPECT_TRUE(envelope.WorkLines.empty());
  return envelope.ResultLines;
}

void ExpectLines(const std::vector<RDrawElement>& got, const std::vector<Seg>& expected, const char* name) {
  ASSERT_EQ(got.size(), expected.size()) << name;
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_NEAR(Value(got[k].X1), expected[k].x1, kTolEnvelope) << name << " line " << k;
    EXPECT_NEAR(Value(got[k].Y1), expected[k].y1, kTolEnvelope) << name << " line " << k;
    EXPECT_NEAR(Value(got[k].X2), expected[k].x2, kTolEnvelope) << name << " line " << k;
    EXPECT_NEAR(Value(got[k].Y2), expected[k].y2, kTolEnvelope) << name << " line " << k;
  }
}

struct CleanCase {
  const char* name;
  std::vector<RDrawElement> lines;
  std::vector<Seg> expected;
};

TEST(Envelope, CleanUpCases) {
  const CleanCase cases[] = {
      {"nothing", {}, {}},
      {"overlapping collinear lines become one", {Line(10, 50, 60, 50), Line(40, 50, 90, 50)}, {{10, 50, 90, 50}}},
      {"collinear lines are joined across a gap", {Line(10, 50, 30, 50), Line(60, 50, 90, 50)}, {{10, 50, 90, 50}}},
      {"a reversed overlapping line is joined", {Line(10, 50, 60, 50), Line(90, 50, 40, 50)}, {{10, 50, 90, 50}}},
      {"different line types stay apart",
       {Styled(Line(10, 50, 60, 50), 1, 0, 0), Styled(Line(40, 50, 90, 50), 2, 0, 0)},
       {{10, 50, 60, 50}, {40, 50, 90, 50}}},
      // Entering from above, the vertical stops short of a horizontal that
      // passes through the window; it is taken to the horizontal, which keeps
      // its length (it meets the vertical only at that end).
      {"an inside end is extended to a perpendicular line",
       {Line(50, 150, 50, 70), Line(-50, 20, 150, 20)},
       {{50, 20, 50, 150}, {-50, 20, 150, 20}}},
      // Both enter the window; each reaches the other's line at (50, 20) as
      // they are perpendicular, wherever along the other that lies.
      {"two entering lines make a corner",
       {Line(50, 150, 50, 70), Line(80, 20, 150, 20)},
       {{50, 20, 50, 150}, {50, 20, 150, 20}}},
      // The inner line is first spanned between its outer crossings, then,
      // sharing no end and crossing three lines, dropped.
      {"an isolated inner line crossing three lines is dropped",
       {Line(20, 50, 80, 50), Line(30, -10, 30, 110), Line(50, -10, 50, 110), Line(70, -10, 70, 110)},
       {{30, -10, 30, 110}, {50, -10, 50, 110}, {70, -10, 70, 110}}},
      {"the same with two crossings is kept between them",
       {Line(20, 50, 80, 50), Line(30, -10, 30, 110), Line(70, -10, 70, 110)},
       {{30, 50, 70, 50}, {30, -10, 30, 110}, {70, -10, 70, 110}}},
      // The horizontal comes back as the parts outside its outer crossings.
      {"a through line crossed by two lines is cut between them",
       {Line(-20, 50, 120, 50), Line(30, -20, 30, 120), Line(70, -20, 70, 120)},
       {{30, -20, 30, 120}, {70, -20, 70, 120}, {-20, 50, 30, 50}, {70, 50, 120, 50}}},
      {"the same drawn the other way round",
       {Line(120, 50, -20, 50), Line(30, -20, 30, 120), Line(70, -20, 70, 120)},
       {{30, -20, 30, 120}, {70, -20, 70, 120}, {120, 50, 70, 50}, {30, 50, -20, 50}}},
      // An L of two inner lines sharing (80, 20), crossed by x = 40 and
      // x = 60: the bottom's free end goes to the crossing nearest the
      // corner; the shared ends become second ends.
      {"a line with one shared end is trimmed to the nearest crossing",
       {Line(20, 20, 80, 20), Line(80, 20, 80, 80), Line(40, -10, 40, 110), Line(60, -10, 60, 110)},
       {{60, 20, 80, 20}, {80, 80, 80, 20}, {40, -10, 40, 110}, {60, -10, 60, 110}}},
      // A U of inner lines crossed by x = 40 and x = 60: the bottom, whose
      // ends are both shared, loses its part between the crossings.
      {"a line with both ends shared is cut between its crossings",
       {Line(20, 20, 80, 20), Line(20, 20, 20, 80), Line(80, 20, 80, 80), Line(40, -10, 40, 110),
        Line(60, -10, 60, 110)},
       {{60, 20, 80, 20},
        {20, 80, 20, 20},
        {80, 80, 80, 20},
        {40, -10, 40, 110},
        {60, -10, 60, 110},
        {20, 20, 40, 20}}},
      {"a line outside the window comes back as it was", {Line(200, 200, 300, 300)}, {{200, 200, 300, 300}}},
  };
  for (const CleanCase& c : cases) ExpectLines(CleanUp(c.lines), c.expected, c.name);
}

TEST(Envelope, JoinedLinesKeepTheFirstLinesAttributes) {
  const std::vector<RDrawElement> out =
      CleanUp({Styled(Line(10, 50, 60, 50), 3, 5, 7), Styled(Line(40, 50, 90, 50), 3, 5, 9)});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].Layer, 7);
  EXPECT_EQ(out[0].ColorNo, 5);
  EXPECT_EQ(out[0].LineType, 3);
}

TEST(Envelope, OnlyLinesOfOneLayerInteract) {
  // The verticals are on another layer, so the horizontal is not cut.
  const std::vector<RDrawElement> out = CleanUp(
      {Line(-20, 50, 120, 50), Styled(Line(30, -20, 30, 120), 1, 0, 4), Styled(Line(70, -20, 70, 120), 1, 0, 4)});
  ExpectLines(out, {{-20, 50, 120, 50}, {30, -20, 30, 120}, {70, -20, 70, 120}}, "layers apart");
}

TEST(Envelope, AddLineClassifiesAndTakesOnlyLines) {
  THourakukei2 envelope(0, 0, 100, 100, 1.0);
  RDrawElement entering = Line(150, 50, 50, 50);
  entering.Selection = 1;
  entering.ScratchWord = 9;
  envelope.AddLine(entering);
  envelope.AddLine(Line(10, 10, 20, 20));
  envelope.AddLine(Line(-10, 50, 110, 50));
  envelope.AddLine(Arc(50, 50, 10));
  ASSERT_EQ(envelope.WorkLines.size(), 3u);
  EXPECT_EQ(envelope.AddedCount, 2);
  EXPECT_EQ(envelope.WorkLines[0].Scratch, kEnvelopeOneEndInside);
  EXPECT_EQ(Value(envelope.WorkLines[0].X1), 50) << "the inside end first";
  EXPECT_EQ(Value(envelope.WorkLines[0].X2), 150);
  EXPECT_EQ(envelope.WorkLines[0].Selection, 0);
  EXPECT_EQ(Value(envelope.WorkLines[0].ScratchWord), 0);
  EXPECT_EQ(envelope.WorkLines[1].Scratch, kEnvelopeInside);
  EXPECT_EQ(envelope.WorkLines[2].Scratch, kEnvelopeThrough);
}

TEST(Envelope, LinesMeet) {
  using S = THourakukei2::Segment;
  const S a{0, 0, 10, 0};
  auto turned = [](double deg) {
    const double r = deg * 3.14159265358979323846 / 180.0;
    return S{100, 50, 100 + 10 * std::cos(r), 50 + 10 * std::sin(r)};
  };
  struct Case {
    const char* name;
    S b;
    double zoom;
    bool meet;
    double px, py;  // the crossing of the two lines
  } const cases[] = {
      {"crossing segments", {5, -5, 5, 5}, 1, true, 5, 0},
      {"touching at an end", {10, 0, 10, 5}, 1, true, 10, 0},
      // y = x - 20 meets y = 0 at (20, 0): 10 from A's second end, 14.1 from B's first.
      {"near an end at zoom 2 (15)", {30, 10, 40, 20}, 2, true, 20, 0},
      {"not at zoom 3 (10, strictly)", {30, 10, 40, 20}, 3, false, 20, 0},
      // A zoom of 0 or less gives no end tolerance at all; a tiny positive
      // one a huge tolerance (30 / 0.001 = 30000).
      {"no end tolerance at zoom 0", {30, 10, 40, 20}, 0, false, 20, 0},
      {"no end tolerance at zoom -1", {30, 10, 40, 20}, -1, false, 20, 0},
      {"near an end at zoom 0.001", {30, 10, 40, 20}, 0.001, true, 20, 0},
      {"far but perpendicular", {100, 50, 100, 60}, 1, true, 100, 0},
      {"far at 75 degrees", turned(75), 1, true, 100 - 50 / std::tan(75 * 3.14159265358979323846 / 180.0), 0},
      {"far at 73 degrees", turned(73), 1, false, 0, 0},
      {"far at 285 degrees", turned(285), 1, true, 100 + 50 / std::tan(75 * 3.14159265358979323846 / 180.0), 0},
      // At zoom 1e5 the end tolerance is 30 / 1e5 = 0.0003. A line at 45
      // degrees through (x, 0) meets A at t = x / 10: 0.8e-4 beyond either end
      // still counts (the limit is 1e-4), 1.5e-4 does not (0.0015 from the end,
      // more than 0.0003).
      {"0.8e-4 of A's length before its start", {-0.0008 - 5, -5, -0.0008 + 5, 5}, 1e5, true, -0.0008, 0},
      {"1.5e-4 of A's length before its start", {-0.0015 - 5, -5, -0.0015 + 5, 5}, 1e5, false, 0, 0},
      {"0.8e-4 of A's length past its end", {10.0008 - 5, -5, 10.0008 + 5, 5}, 1e5, true, 10.0008, 0},
      {"1.5e-4 of A's length past its end", {10.0015 - 5, -5, 10.0015 + 5, 5}, 1e5, false, 0, 0},
  };
  for (const Case& c : cases) {
    THourakukei2 envelope(0, 0, 1, 1, c.zoom);
    double px = -1, py = -1;
    EXPECT_EQ(envelope.LinesMeet(px, py, a, c.b), c.meet) << c.name;
    if (!c.meet) continue;
    EXPECT_NEAR(px, c.px, 1e-9) << c.name;
    EXPECT_NEAR(py, c.py, 1e-9) << c.name;
  }
  THourakukei2 envelope(0, 0, 1, 1, 1);
  double px = -1, py = -1;
  EXPECT_FALSE(envelope.LinesMeet(px, py, a, {0, 5, 10, 5})) << "parallel";
  EXPECT_EQ(px, -1) << "outputs untouched";
  EXPECT_FALSE(envelope.SegmentCrossing(px, py, a, {20, -5, 20, 5}));
  EXPECT_EQ(px, -1) << "outputs untouched";
}

TEST(Envelope, LineRelations) {
  using S = THourakukei2::Segment;
  const THourakukei2 envelope(0, 0, 100, 100, 1);
  EXPECT_TRUE(envelope.OnSameLine({0, 0, 10, 0}, {500, 0, 600, 0})) << "collinear far apart";
  EXPECT_TRUE(envelope.OnSameLine({0, 0, 10, 0}, {-5, 0, -20, 0}));
  EXPECT_FALSE(envelope.OnSameLine({0, 0, 10, 0}, {500, 0.01, 600, 0.01})) << "parallel beside";
  EXPECT_TRUE(envelope.OverlapOnLine({0, 0, 10, 0}, S{15, 0, 5, 0}));
  EXPECT_FALSE(envelope.OverlapOnLine({0, 0, 10, 0}, S{25, 0, 15, 0})) << "no overlap";
  // Lines that do not start at the origin: the directions are seen from A's
  // own first end.
  EXPECT_TRUE(envelope.OnSameLine({10, 20, 30, 20}, {50, 20, 60, 20})) << "y = 20";
  EXPECT_TRUE(envelope.OnSameLine({10, 20, 30, 20}, {-20, 20, -10, 20})) << "y = 20 behind A's start";
  EXPECT_TRUE(envelope.OnSameLine({10, 20, 20, 30}, {-20, -10, -10, 0})) << "y = x + 10 behind A's start";
  EXPECT_TRUE(envelope.OnSameLine({10, 20, 20, 30}, {40, 50, 50, 60})) << "y = x + 10";
  EXPECT_FALSE(envelope.OnSameLine({10, 20, 20, 30}, {40, 50.01, 50, 60.01})) << "beside y = x + 10";
  EXPECT_TRUE(envelope.OverlapOnLine({10, 20, 30, 20}, S{40, 20, 20, 20})) << "overlap on y = 20";

  RDrawElement a = Line(0, 0, 10, 0);
  RDrawElement b = Line(10, 0, 10, 10);
  EXPECT_TRUE(THourakukei2::ShareEnd(a, b));
  b.ColorNo = 3;
  EXPECT_FALSE(THourakukei2::ShareEnd(a, b)) << "another layer";
  EXPECT_TRUE(THourakukei2::ShareEnd(a, Line(0.00009, -0.00009, 5, 5)));
  EXPECT_FALSE(THourakukei2::ShareEnd(a, Line(0.0001, 0, 5, 5)));
}

TEST(Envelope, EndsOnALine) {
  THourakukei2 envelope(0, 0, 100, 100, 1);
  envelope.WorkLines = {Line(0, 0, 100, 0), Line(10, 0, 10, 50), Line(20, 50, 20, 0), Line(30, 0, 30, 50),
                        Line(0, 0, -5, -30)};
  // Lines 1 to 3 end on line 0; line 4 ends at its first end.
  EXPECT_TRUE(envelope.HasEndAt(envelope.WorkLines[0], 0));
  EXPECT_FALSE(envelope.HasEndAt(envelope.WorkLines[1], 1)) << "nothing ends at (10, 0) but itself";
  EXPECT_FALSE(envelope.FewEndsOnLine(envelope.WorkLines[0], 0)) << "four ends lie on it";
  envelope.WorkLines.pop_back();
  EXPECT_FALSE(envelope.FewEndsOnLine(envelope.WorkLines[0], 0)) << "three";
  envelope.WorkLines.pop_back();
  EXPECT_TRUE(envelope.FewEndsOnLine(envelope.WorkLines[0], 0)) << "two";
}

}  // namespace
