#include "canvas/nearest_pick.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "support/element_factory.h"

namespace {

struct PickCase {
  const char* name;
  double px, py;
  std::vector<RDrawElement> candidates;
  std::int32_t expected;  // the list index handed with the chosen candidate (its position + 10)
};

TEST(NearestPick, ChoosesAPointElseTheNearest) {
  RDrawElement ellipse = Arc(0, 0, 10, 0, 0, 0.5f);  // semi-axes 10 and 5
  const PickCase cases[] = {
      {"line, point, line: the point even when a line is nearer",
       0,
       0,
       {Line(-10, 0.5, 10, 0.5), Point(8, 8), Line(-10, 1, 10, 1)},
       11},
      {"two points: the first offered", 0, 0, {Point(9, 9), Point(1, 1)}, 10},
      {"the nearer of two lines", 0, 0, {Line(-10, 3, 10, 3), Line(-10, -2, 10, -2)}, 11},
      {"equal distances: the first offered", 0, 0, {Line(-10, 2, 10, 2), Line(-10, -2, 10, -2)}, 10},
      // A line through the click is at distance 0 in either place.
      {"a line under the click, offered first", 5, 0, {Line(0, 0, 10, 0), Line(0, 1, 10, 1)}, 10},
      {"a line under the click, offered second", 5, 0, {Line(0, 1, 10, 1), Line(0, 0, 10, 0)}, 11},
      {"a point-like line on the click", 3, 4, {Line(0, 1, 10, 1), Line(3, 4, 3, 4)}, 11},
      // Beyond the end of (0, 0)-(10, 0) the distance is to that end:
      // sqrt(2^2 + 0.5^2) = 2.06, less than 2.5 to the line y = 3, whichever
      // comes first.
      {"past a line's end, offered first", 12, 0.5, {Line(0, 0, 10, 0), Line(0, 3, 60, 3)}, 10},
      {"past a line's end, offered second", 12, 0.5, {Line(0, 3, 60, 3), Line(0, 0, 10, 0)}, 11},
      // The end is sqrt(20^2 + 1) = 20.02 away; y = 20 is 19 away.
      {"a far end loses to a nearer line", 30, 1, {Line(0, 0, 10, 0), Line(0, 20, 60, 20)}, 11},
      // Centre 10 from the click, radius 9: distance 1; the line is 1.5 away.
      {"a circle's outline", 10, 0, {Line(-10, 1.5, 30, 1.5), Arc(20, 0, 9)}, 11},
      {"a line nearer than the outline", 10, 0, {Arc(20, 0, 9), Line(-10, 0.5, 30, 0.5)}, 11},
      // The ellipse's point above the centre is (0, 5): 3 from (0, 8).
      {"an ellipse's outline", 0, 8, {Line(-10, 11.1, 10, 11.1), ellipse}, 11},
      {"a line nearer than the ellipse", 0, 8, {ellipse, Line(-10, 10.9, 10, 10.9)}, 11},
      // A ratio within 0.01 of 1 is measured as the circle of the radius in
      // every place: 2 from (0, 12); the line is 1.97 away.
      {"a near circle measured as a circle", 0, 12, {Line(-10, 13.97, 10, 13.97), Arc(0, 0, 10, 0, 0, 1.005f)}, 10},
  };
  for (const PickCase& c : cases) {
    THitSen pick(c.px, c.py, 3.0);
    for (std::size_t k = 0; k < c.candidates.size(); ++k) {
      pick.AddCandidate(c.candidates[k], static_cast<std::int32_t>(k) + 10);
    }
    pick.PickNearest();
    ASSERT_TRUE(pick.Found) << c.name;
    EXPECT_EQ(pick.PickedIndex, c.expected) << c.name;
    const RDrawElement& chosen = c.candidates[static_cast<std::size_t>(c.expected - 10)];
    EXPECT_EQ(std::memcmp(&pick.PickedElement, &chosen, sizeof chosen), 0) << c.name << ": a full copy";
  }
}

TEST(NearestPick, NoCandidateFindsNothing) {
  THitSen pick(1, 2, 3);
  pick.PickNearest();
  EXPECT_FALSE(pick.Found);
  EXPECT_EQ(pick.PickedIndex, 0);
  EXPECT_DOUBLE_EQ(pick.PickTolerance, 3);
}

TEST(NearestPick, DistancesToEachKind) {
  const THitSen pick(0, 0, 1);
  struct Case {
    const char* name;
    RDrawElement element;
    double distance;
  } const cases[] = {
      {"foot inside the segment", Line(-5, 4, 5, 4), 4},
      {"on the segment", Line(-5, 0, 5, 0), 0},
      {"past the second end", Line(-10, 3, -4, 3), 5},
      {"before the first end", Line(3, 4, 10, 4), 5},
      {"a zero-length element", Line(6, 8, 6, 8), 10},
      {"circle, click outside", Arc(10, 0, 7), 3},
      {"circle, click inside", Arc(3, 4, 8), 3},
      {"ellipse across its minor axis", Arc(0, 8, 10, 0, 0, 0.5f), 3},
      {"ellipse along its major axis", Arc(13, 0, 10, 0, 0, 0.5f), 3},
  };
  for (const Case& c : cases) EXPECT_NEAR(pick.DistanceTo(c.element), c.distance, 1e-9) << c.name;
}

}  // namespace
