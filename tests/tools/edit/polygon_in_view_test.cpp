#include "tools/edit/polygon_in_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Vertex {
  double x, y;
};

// Adds the outline and classifies it by its own extents, as the painters do.
int ClassOf(TZukeiHaninaiobj& test, const std::vector<Vertex>& outline) {
  double minX = outline[0].x, maxX = minX, minY = outline[0].y, maxY = minY;
  for (const Vertex& v : outline) {
    test.AddVertex(v.x, v.y);
    minX = std::min(minX, v.x);
    maxX = std::max(maxX, v.x);
    minY = std::min(minY, v.y);
    maxY = std::max(maxY, v.y);
  }
  test.Classify(minX, minY, maxX, maxY);
  return test.Class;
}

// The view window is (0, 0)-(100, 100), 640 by 480 pixels.
TEST(PolygonInView, ClassesOfOutlines) {
  struct Case {
    const char* what;
    std::vector<Vertex> outline;  // closed: the first vertex repeated
    int expected;
  };
  const Case cases[] = {
      {"inside the view, no edge test", {{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}}, 0},
      {"around the view", {{-50, -50}, {150, -50}, {150, 150}, {-50, 150}, {-50, -50}}, 1},
      {"far to the left", {{-500, 0}, {-400, 0}, {-400, 50}, {-500, 0}}, -1},
      {"touching the left side only", {{-50, 10}, {0, 10}, {0, 20}, {-50, 10}}, -1},
      // Extents overlap, the edges pass below and left of the view.
      {"L shape around a corner",
       {{-50, -50}, {150, -50}, {150, -10}, {-10, -10}, {-10, 150}, {-50, 150}, {-50, -50}},
       -1},
      {"an edge across the view", {{-50, 50}, {150, 50}, {150, 200}, {-50, 50}}, 0},
      {"a vertex in the view, the rest outside", {{50, 50}, {300, -200}, {300, 300}, {50, 50}}, 0},
      // The ray from (100, 100) meets the vertex (300, 100), where two edges
      // meet: counted twice, so the view is taken as outside.
      {"around the view, a vertex on the ray", {{-100, -150}, {300, 100}, {-100, 350}, {-100, -150}}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TZukeiHaninaiobj test(640, 0, 0, 100, 100, 480, 0);
    EXPECT_EQ(ClassOf(test, c.outline), c.expected);
    if (c.expected == 1) {
      ASSERT_EQ(test.ScreenPolygon.size(), 4u);
      const RScreenCorner corners[4] = {{0, 0}, {0, 480}, {640, 480}, {640, 0}};
      for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(test.ScreenPolygon[i].X, corners[i].X);
        EXPECT_EQ(test.ScreenPolygon[i].Y, corners[i].Y);
      }
    } else {
      EXPECT_TRUE(test.ScreenPolygon.empty());
    }
  }
}

TEST(PolygonInView, ClearStartsTheNextOutline) {
  TZukeiHaninaiobj test(640, 0, 0, 100, 100, 480, 0);
  EXPECT_EQ(ClassOf(test, {{-50, -50}, {150, -50}, {150, 150}, {-50, 150}, {-50, -50}}), 1);
  test.Clear();
  EXPECT_EQ(test.VertexCount, 0);
  EXPECT_TRUE(test.ScreenPolygon.empty());
  // The L shape alone: without the Clear its edges would follow the square's.
  EXPECT_EQ(ClassOf(test, {{-50, -50}, {150, -50}, {150, -10}, {-10, -10}, {-10, 150}, {-50, 150}, {-50, -50}}), -1);
  EXPECT_EQ(test.VertexCount, 7);
}

TEST(PolygonInView, TurnedViewUsesTheExtentsOfItsCorners) {
  // (0, 0)-(100, 50) turned a quarter clockwise about (0, 0) covers
  // x 0 to 50, y -100 to 0.
  TZukeiHaninaiobj turned(640, 0, 0, 100, 50, 480, 90);
  EXPECT_DOUBLE_EQ(turned.Left, 0);
  EXPECT_DOUBLE_EQ(turned.Bottom, -100);
  EXPECT_DOUBLE_EQ(turned.Right, 50);
  EXPECT_DOUBLE_EQ(turned.Top, 0);
  const std::vector<Vertex> box = {{10, -90}, {20, -90}, {20, -80}, {10, -80}, {10, -90}};
  EXPECT_EQ(ClassOf(turned, box), 0);
  TZukeiHaninaiobj plain(640, 0, 0, 100, 50, 480, 0);
  EXPECT_EQ(ClassOf(plain, box), -1);
}

TEST(PolygonInView, AnOutlineOfOneVertexIsNeverAround) {
  TZukeiHaninaiobj test(0, 0, 0, 100, 100, 0, 0);
  test.AddVertex(-10, -10);
  test.Classify(-10, -10, 200, 200);  // extents that claim to overlap
  EXPECT_EQ(test.Class, -1);
}

}  // namespace
