#include "geometry/offsets_rects.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr double kPresetOffsetsRects = -7.0;

struct SegOffsetsRects {
  double x1, y1, x2, y2;
};

void ExpectPair(const RPointPair& p, const SegOffsetsRects& s, const char* what) {
  EXPECT_NEAR(p.xa, s.x1, 1e-12) << what;
  EXPECT_NEAR(p.ya, s.y1, 1e-12) << what;
  EXPECT_NEAR(p.xb, s.x2, 1e-12) << what;
  EXPECT_NEAR(p.yb, s.y2, 1e-12) << what;
}

TEST(OffsetsRects, Offsets) {
  struct Case {
    SegOffsetsRects s;
    double d;
    SegOffsetsRects want;
  };
  const Case cases[] = {
      {{0, 0, 10, 0}, 2, {0, 2, 10, 2}},   {{0, 0, 10, 0}, -2, {0, -2, 10, -2}}, {{0, 0, 3, 4}, 5, {-4, 3, -1, 7}},
      {{10, 0, 0, 0}, 2, {10, -2, 0, -2}}, {{1, 1, 1, 1}, 5, {1, 1, 1, 1}},  // zero length: copied
  };
  for (const Case& c : cases) {
    RPoint2D p1{kPresetOffsetsRects, kPresetOffsetsRects}, p2{kPresetOffsetsRects, kPresetOffsetsRects};
    OffsetSegment(c.s.x1, c.s.y1, c.s.x2, c.s.y2, c.d, p1, p2);
    ExpectPair({p1.x, p1.y, p2.x, p2.y}, c.want, "OffsetSegment");
    ExpectPair(OffsetSegmentSide(true, c.s.x1, c.s.y1, c.s.x2, c.s.y2, c.d), c.want, "left side");
    ExpectPair(OffsetSegmentSide(false, c.s.x1, c.s.y1, c.s.x2, c.s.y2, -c.d), c.want, "right side");
  }
  ExpectPair(OffsetSegmentSide(false, 0, 0, 10, 0, 0), {0, 0, 10, 0}, "d = 0");

  // TryOffsetSegment refuses a segment shorter than 0.001 in both x and y.
  struct Try {
    SegOffsetsRects s;
    bool ok;
  };
  const Try tries[] = {{{0, 0, 0.0009, 0.0009}, false}, {{0, 0, 0.0011, 0}, true}, {{0, 0, 0, -0.0011}, true}};
  for (const Try& t : tries) {
    RPoint2D p1{kPresetOffsetsRects, kPresetOffsetsRects}, p2{kPresetOffsetsRects, kPresetOffsetsRects};
    EXPECT_EQ(TryOffsetSegment(t.s.x1, t.s.y1, t.s.x2, t.s.y2, 1, p1, p2), t.ok) << t.s.x2;
    EXPECT_EQ(p1.x == kPresetOffsetsRects, !t.ok) << t.s.x2;
  }

  RPointPair right{kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects}, left = right;
  OffsetSegmentBothSides(0, 0, 10, 0, 1, 3, right, left);
  ExpectPair(right, {0, -1, 10, -1}, "right");
  ExpectPair(left, {0, 3, 10, 3}, "left");
  RPointPair r2{kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects}, l2 = r2;
  OffsetSegmentBothSides(2, 2, 2, 2, 1, 3, r2, l2);
  EXPECT_EQ(r2.xa, kPresetOffsetsRects);
  EXPECT_EQ(l2.xa, kPresetOffsetsRects);
}

TEST(OffsetsRects, OffsetsTowardAndAwayFromTheCursor) {
  struct Case {
    double curX, curY;
    SegOffsetsRects toward, nearSide, farSide;
  };
  const SegOffsetsRects up{0, 2, 10, 2}, down{0, -2, 10, -2};
  const Case cases[] = {
      {5, 7, up, up, down},
      {5, -0.5, down, down, up},
      {5, 0, up, up, up},     // on the segment: a tie gives the +d offset
      {20, 1, up, up, down},  // beyond the end: the lines count, not the segments
  };
  for (const Case& c : cases) {
    ExpectPair(OffsetSegmentTowardCursor(0, 0, 10, 0, c.curX, c.curY, 2), c.toward, "toward");
    ExpectPair(OffsetSegmentNearOrFar(true, 0, 0, 10, 0, c.curX, c.curY, 2), c.nearSide, "near");
    ExpectPair(OffsetSegmentNearOrFar(false, 0, 0, 10, 0, c.curX, c.curY, 2), c.farSide, "far");
  }
  ExpectPair(OffsetSegmentTowardCursor(1, 1, 1, 1, 5, 5, 2), {1, 1, 1, 1}, "zero length");
}

TEST(OffsetsRects, PointInRect) {
  struct Case {
    double px, py, rx1, ry1, rx2, ry2;
    bool in, strict;
  };
  const Case cases[] = {
      {1, 1, 2, 2, 0, 0, true, false},  // corners in any order; strict needs lower left first
      {1, 1, 0, 0, 2, 2, true, true},           {2, 2, 0, 0, 2, 2, true, false},
      {0, 1, 0, 0, 2, 2, true, false},          {2.000001, 1, 0, 0, 2, 2, false, false},
      {1, -0.000001, 0, 0, 2, 2, false, false}, {0, 1, 0, 0, 0, 5, false, false},  // zero width
      {1, 0, 0, 0, 2, 0, false, false},                                            // zero height
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PointInRect(c.px, c.py, c.rx1, c.ry1, c.rx2, c.ry2), c.in) << c.px << "," << c.py;
    EXPECT_EQ(PointInRectStrict(c.px, c.py, c.rx1, c.ry1, c.rx2, c.ry2), c.strict) << c.px << "," << c.py;
  }
}

TEST(OffsetsRects, SegmentAgainstRectangle) {
  // Rectangle (0, 0)-(10, 5).
  struct Case {
    const char* name;
    SegOffsetsRects s;
    bool edge, diagonal, touches, interior, passes, window;
  };
  const Case cases[] = {
      {"inside", {6, 1, 7, 1}, false, false, true, true, false, true},
      {"inside across a diagonal", {1, 3, 3, 1}, false, true, true, true, false, true},
      {"side to side", {-5, 1, 15, 1}, true, true, true, true, true, false},
      {"one end inside", {5, 1, 15, 1}, true, true, true, true, false, false},
      {"outside", {-5, -5, -1, 20}, false, false, false, false, false, false},
      {"on a side", {2, 0, 3, 0}, false, false, true, false, false, true},
  };
  for (const Case& c : cases) {
    const SegOffsetsRects s = c.s;
    EXPECT_EQ(SegmentCrossesRectEdge(s.x1, s.y1, s.x2, s.y2, 0, 0, 10, 5), c.edge) << c.name;
    EXPECT_EQ(SegmentCrossesRectDiagonal(s.x1, s.y1, s.x2, s.y2, 0, 0, 10, 5), c.diagonal) << c.name;
    EXPECT_EQ(SegmentTouchesRect(s.x1, s.y1, s.x2, s.y2, 0, 0, 10, 5), c.touches) << c.name;
    EXPECT_EQ(SegmentCrossesRectInterior(s.x1, s.y1, s.x2, s.y2, 0, 0, 10, 5), c.interior) << c.name;
    EXPECT_EQ(SegmentPassesThroughRect(s.x1, s.y1, s.x2, s.y2, 0, 0, 10, 5), c.passes) << c.name;
    EXPECT_EQ(SegmentSelectedByRect(true, s.x1, s.y1, s.x2, s.y2, 0, 0, 10, 5), c.touches) << c.name;
    EXPECT_EQ(SegmentSelectedByRect(false, s.x1, s.y1, s.x2, s.y2, 10, 5, 0, 0), c.window) << c.name;
  }
}

TEST(OffsetsRects, RectTouchesRect) {
  EXPECT_TRUE(RectTouchesRect(4, 4, 6, 6, 0, 0, 10, 10));   // small A inside B: its corner
  EXPECT_FALSE(RectTouchesRect(0, 0, 10, 10, 4, 4, 6, 6));  // large A around B
  EXPECT_TRUE(RectTouchesRect(-5, 4, 5, 6, 0, 0, 10, 10));  // sides cross
  EXPECT_FALSE(RectTouchesRect(20, 20, 30, 30, 0, 0, 10, 10));
}

TEST(OffsetsRects, SegmentInsideEnd) {
  struct Case {
    SegOffsetsRects s;
    bool result;
    int which;
    SegOffsetsRects outIn;  // (outX, outY, inX, inY)
  };
  const Case cases[] = {
      {{5, 1, 15, 1}, true, 1, {15, 1, 5, 1}},
      {{15, 1, 5, 1}, true, 2, {15, 1, 5, 1}},
      {{2, 1, 3, 1},
       false,
       0,
       {kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects}},  // no side crossed
      {{-5, 1, 15, 1},
       false,
       0,
       {kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects}},  // no end inside
  };
  for (const Case& c : cases) {
    std::uint8_t which = 9;
    double ox = kPresetOffsetsRects, oy = kPresetOffsetsRects, ix = kPresetOffsetsRects, iy = kPresetOffsetsRects;
    EXPECT_EQ(SegmentInsideEnd(c.s.x1, c.s.y1, c.s.x2, c.s.y2, 0, 0, 10, 5, which, ox, oy, ix, iy), c.result);
    EXPECT_EQ(which, c.which);
    ExpectPair({ox, oy, ix, iy}, c.outIn, "SegmentInsideEnd");
  }
}

TEST(OffsetsRects, ExtendLineAcrossRect) {
  using Fn =
      bool (*)(double, double, double, double, double, double, double, double, double&, double&, double&, double&);
  struct Case {
    const char* name;
    Fn fn;
    SegOffsetsRects line;
    bool result;
    SegOffsetsRects want;
  };
  const Case cases[] = {
      {"horizontal", ExtendLineAcrossRect, {2, 3, 4, 3}, true, {0, 3, 10, 3}},
      {"diagonal", ExtendLineAcrossRect, {1, 1, 2, 2}, true, {0, 0, 5, 5}},
      // A nearly horizontal line hits the horizontal side lines far away;
      // within 1e-4 of parallel they count as parallel.
      {"nearly horizontal", ExtendLineAcrossRect, {0, 1, 100, 1.000001}, true, {-1e8, 0, 4e8, 5}},
      {"nearly horizontal 1e-4", ExtendLineAcrossRectEps1e4, {0, 1, 100, 1.000001}, true, {0, 1, 10, 1.0000001}},
      {"no line",
       ExtendLineAcrossRect,
       {3, 3, 3, 3},
       false,
       {kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects}},
  };
  for (const Case& c : cases) {
    double xa = kPresetOffsetsRects, ya = kPresetOffsetsRects, xb = kPresetOffsetsRects, yb = kPresetOffsetsRects;
    EXPECT_EQ(c.fn(c.line.x1, c.line.y1, c.line.x2, c.line.y2, 0, 0, 10, 5, xa, ya, xb, yb), c.result) << c.name;
    EXPECT_NEAR(xa, c.want.x1, 1e-6 * (1 + std::abs(c.want.x1))) << c.name;
    EXPECT_NEAR(ya, c.want.y1, 1e-9) << c.name;
    EXPECT_NEAR(xb, c.want.x2, 1e-6 * (1 + std::abs(c.want.x2))) << c.name;
    EXPECT_NEAR(yb, c.want.y2, 1e-9) << c.name;
  }
}

TEST(OffsetsRects, ClipSegmentToRect) {
  struct Case {
    const char* name;
    SegOffsetsRects s;
    bool result;
    SegOffsetsRects want;
  };
  const SegOffsetsRects zeros{0, 0, 0, 0};
  // Rectangle (0, 0)-(10, 5).
  const Case cases[] = {
      {"side to side", {-5, 1, 15, 1}, true, {0, 1, 10, 1}},
      {"first end inside", {5, 1, 15, 1}, true, {5, 1, 10, 1}},
      {"second end inside", {15, 1, 5, 1}, true, {10, 1, 5, 1}},
      {"inside", {2, 1, 3, 2}, true, {2, 1, 3, 2}},
      {"outside", {-5, -5, -1, 20}, false, zeros},
      {"from a side inward", {0, 1, 5, 1}, true, {0, 1, 5, 1}},
      // Through a corner: the corner counts once.
      {"through a corner into", {-1, -1, 3, 3}, true, {0, 0, 3, 3}},
      {"from a corner inward", {0, 0, 3, 1}, true, {0, 0, 3, 1}},
      {"corner to corner", {-2, -1, 12, 6}, true, {0, 0, 10, 5}},
      {"touching a corner only", {-5, 5, 5, -5}, false, zeros},
  };
  for (const Case& c : cases) {
    double xa = kPresetOffsetsRects, ya = kPresetOffsetsRects, xb = kPresetOffsetsRects, yb = kPresetOffsetsRects;
    EXPECT_EQ(ClipSegmentToRect(c.s.x1, c.s.y1, c.s.x2, c.s.y2, 0, 0, 10, 5, xa, ya, xb, yb), c.result) << c.name;
    ExpectPair({xa, ya, xb, yb}, c.want, c.name);
  }
}

TEST(OffsetsRects, SegmentPartsOutsideRect) {
  struct Case {
    const char* name;
    SegOffsetsRects s;
    int result;
    SegOffsetsRects a, b;
  };
  const SegOffsetsRects p{kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects};
  const Case cases[] = {
      {"side to side", {-5, 1, 15, 1}, 2, {0, 1, -5, 1}, {10, 1, 15, 1}},
      {"side to side reversed", {15, 1, -5, 1}, 2, {0, 1, -5, 1}, {10, 1, 15, 1}},
      {"first end inside", {5, 1, 15, 1}, 0, {10, 1, 15, 1}, p},
      {"second end inside", {15, 1, 5, 1}, 0, {10, 1, 15, 1}, p},
      {"inside", {2, 1, 3, 1}, 1, {2, 1, 3, 1}, p},
      {"outside", {-5, -5, -1, 20}, -1, p, p},
  };
  for (const Case& c : cases) {
    double a[4] = {kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects},
           b[4] = {kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects};
    EXPECT_EQ(SegmentPartsOutsideRect(c.s.x1, c.s.y1, c.s.x2, c.s.y2, 0, 0, 10, 5, a[0], a[1], a[2], a[3], b[0], b[1],
                                      b[2], b[3]),
              c.result)
        << c.name;
    ExpectPair({a[0], a[1], a[2], a[3]}, c.a, c.name);
    ExpectPair({b[0], b[1], b[2], b[3]}, c.b, c.name);
  }
}

TEST(OffsetsRects, ClassifySegmentByRect) {
  struct Case {
    SegOffsetsRects s;
    int result;
    SegOffsetsRects want;
  };
  const SegOffsetsRects p{kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects};
  const Case cases[] = {
      {{5, 1, 15, 1}, 0, {5, 1, 15, 1}}, {{15, 1, 5, 1}, 0, {5, 1, 15, 1}},
      {{2, 1, 3, 1}, 1, {2, 1, 3, 1}},   {{-5, 1, 15, 1}, 2, p},
      {{-5, -5, -1, 20}, -1, p},
  };
  for (const Case& c : cases) {
    double s[4] = {kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects};
    EXPECT_EQ(ClassifySegmentByRect(c.s.x1, c.s.y1, c.s.x2, c.s.y2, 0, 0, 10, 5, s[0], s[1], s[2], s[3]), c.result);
    ExpectPair({s[0], s[1], s[2], s[3]}, c.want, "classify");
  }
}

// The square (0, 0)-(10, 10) walked bottom, right, top, left; a horizontal
// segment at y = 5 meets the right side first (H1 = (10, 5)) and the left one
// second (H2 = (0, 5)).
std::vector<RPolyEdge> Square(std::uint8_t bottomTop, std::uint8_t right, std::uint8_t left) {
  return {{0, 0, 10, 0, bottomTop}, {10, 0, 10, 10, right}, {10, 10, 0, 10, bottomTop}, {0, 10, 0, 0, left}};
}

struct PolygonCase {
  const char* row;
  std::uint8_t right, left;  // kinds of the first (k1) and second (k2) side met
  double s1x, s2x;           // the segment (s1x, 5)-(s2x, 5)
  int result;
  SegOffsetsRects piece1, piece2;
};

void RunPolygonCases(const PolygonCase* cases, std::size_t n, bool lineMode) {
  for (std::size_t i = 0; i < n; ++i) {
    const PolygonCase& c = cases[i];
    const std::vector<RPolyEdge> edges = Square(c.right, c.right, c.left);
    double p[8];
    std::fill(std::begin(p), std::end(p), kPresetOffsetsRects);
    EXPECT_EQ(SegmentPartsOutsidePolygon(edges, c.s1x, 5, c.s2x, 5, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7],
                                         false, lineMode),
              c.result)
        << c.row;
    ExpectPair({p[0], p[1], p[2], p[3]}, c.piece1, c.row);
    ExpectPair({p[4], p[5], p[6], p[7]}, c.piece2, c.row);
  }
}

TEST(OffsetsRects, SegmentPartsOutsidePolygonSegmentMode) {
  const SegOffsetsRects p{kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects};
  const PolygonCase cases[] = {
      {"through, one kind", 1, 1, -5, 15, 2, {10, 5, 15, 5}, {0, 5, -5, 5}},
      {"through reversed", 1, 1, 15, -5, 2, {10, 5, 15, 5}, {0, 5, -5, 5}},
      {"ending inside", 1, 1, -5, 5, 1, {0, 5, -5, 5}, p},
      {"starting inside", 1, 1, 5, 15, 1, {10, 5, 15, 5}, p},
      {"k2 > k1", 1, 2, -5, 15, 1, {10, 5, 15, 5}, p},
      {"k2 < k1", 2, 1, -5, 15, 1, {10, 5, -5, 5}, p},
      {"no crossing", 1, 1, 20, 30, -1, p, p},
      {"inside, no crossing", 1, 1, 3, 7, -1, p, p},
  };
  RunPolygonCases(cases, std::size(cases), false);
  double q[8] = {};
  EXPECT_EQ(SegmentPartsOutsidePolygon({}, 0, 0, 1, 1, q[0], q[1], q[2], q[3], q[4], q[5], q[6], q[7], true, false),
            -1);
}

TEST(OffsetsRects, SegmentPartsOutsidePolygonLineModeEveryRow) {
  const SegOffsetsRects p{kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects, kPresetOffsetsRects};
  // Rows of the line-mode table in order. FA is S2 when S1 lies in the box,
  // else S1 when S2 does, else the end farther from H1.
  const PolygonCase cases[] = {
      {"k2=k1, both on", 1, 1, -5, 15, 2, {10, 5, 15, 5}, {0, 5, -5, 5}},
      {"k2=k1, only on1", 1, 1, 5, 15, 1, {10, 5, 15, 5}, p},
      {"k2=k1, only on2", 1, 1, -5, 5, 1, {0, 5, -5, 5}, p},
      {"k1=k2=1, neither", 1, 1, 3, 7, -1, {10, 5, 7, 5}, p},
      {"k1=k2=1, neither, outside", 1, 1, 20, 30, -1, {10, 5, kPresetOffsetsRects, kPresetOffsetsRects}, p},
      {"k1=k2=2, neither", 2, 2, 3, 7, 1, {10, 5, 7, 5}, p},
      {"k2=k1 other, neither", 3, 3, 3, 7, 1, {0, 5, 7, 5}, p},
      {"k1=1 k2=2, on1", 1, 2, 3, 15, 1, {10, 5, 15, 5}, p},
      {"k1=1 k2=2, not on1", 1, 2, -5, 5, 1, {5, 5, 0, 5}, p},
      {"k1=2 k2=3, on1", 2, 3, 3, 15, 1, {10, 5, 15, 5}, p},
      {"k1=2 k2=3, not on1", 2, 3, -5, 5, 1, {10, 5, -5, 5}, p},
      {"k2>k1 other, on1", 1, 3, 3, 15, 1, {-10, 5, 15, 5}, p},  // pushed by 2 x 10
      {"k2>k1 other, not on1", 1, 3, -5, 5, 1, {30, 5, -5, 5}, p},
      {"k1=2 k2=1, on1", 2, 1, 3, 15, 1, {10, 5, 3, 5}, p},
      {"k1=2 k2=1, not on1", 2, 1, -5, 5, 1, {-5, 5, 5, 5}, p},
      {"k1=3 k2=2, on1", 3, 2, 3, 15, 1, {10, 5, 3, 5}, p},
      {"k1=3 k2=2, not on1", 3, 2, -5, 5, 1, {10, 5, -5, 5}, p},
      {"k2<k1 other, on1", 3, 1, 3, 15, 1, {20, 5, 3, 5}, p},  // pushed by 10
      {"k2<k1 other, not on1", 3, 1, -5, 5, 1, {20, 5, -5, 5}, p},
  };
  RunPolygonCases(cases, std::size(cases), true);

  // One crossing and neither end in the (flat) box: the piece runs from the
  // crossing to the end farther from it.
  const RPolyEdge one[] = {{10, 0, 10, 10, 1}};
  double q[8];
  std::fill(std::begin(q), std::end(q), kPresetOffsetsRects);
  EXPECT_EQ(SegmentPartsOutsidePolygon(one, -5, 5, 5, 5, q[0], q[1], q[2], q[3], q[4], q[5], q[6], q[7], false, true),
            1);
  ExpectPair({q[0], q[1], q[2], q[3]}, {10, 5, -5, 5}, "single crossing");
}

}  // namespace
