#include "platform/pixel_raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>

namespace {

using PixelSetPixelRaster = std::set<std::pair<int64_t, int64_t>>;

PixelSetPixelRaster LinePixels(int64_t x0, int64_t y0, int64_t x1, int64_t y1, RasterBox box) {
  PixelSetPixelRaster s;
  RasterThinLine(x0, y0, x1, y1, box, [&](int x, int y) {
    EXPECT_TRUE(s.insert({x, y}).second) << "pixel visited twice";
  });
  return s;
}

PixelSetPixelRaster SpanPixels(const std::function<void(const RasterSpanSink&)>& draw) {
  PixelSetPixelRaster s;
  draw([&](int y, int x0, int x1) {
    for (int x = x0; x < x1; ++x) EXPECT_TRUE(s.insert({x, y}).second) << "pixel covered twice";
  });
  return s;
}

TEST(PixelRaster, ThinLineCutToTheBoxKeepsThePixelsOfTheWholeLine) {
  struct Case {
    int64_t x0, y0, x1, y1;
  };
  const Case cases[] = {{-7, -3, 40, 25}, {35, 2, -6, 19}, {3, -20, 9, 40}, {-5, 12, 45, 12}, {20, 20, 0, 0}};
  const RasterBox whole{-100, -100, 100, 100};
  const RasterBox window{0, 0, 30, 16};
  for (const Case& k : cases) {
    const PixelSetPixelRaster all = LinePixels(k.x0, k.y0, k.x1, k.y1, whole);
    PixelSetPixelRaster expected;
    for (const auto& p : all) {
      if (p.first >= 0 && p.first < 30 && p.second >= 0 && p.second < 16) expected.insert(p);
    }
    EXPECT_EQ(LinePixels(k.x0, k.y0, k.x1, k.y1, window), expected);
    // One pixel per step along the longer axis, the end left out.
    const int64_t steps = std::max(std::llabs(k.x1 - k.x0), std::llabs(k.y1 - k.y0));
    EXPECT_EQ(static_cast<int64_t>(all.size()), steps);
    EXPECT_TRUE(all.count({k.x0, k.y0}));
    EXPECT_FALSE(all.count({k.x1, k.y1}));
  }
}

TEST(PixelRaster, ThinLineWithExtremeEndsStaysExact) {
  // y = x / 2 across the whole int32 range, seen through a small window.
  const PixelSetPixelRaster s = LinePixels(-2000000000, -1000000000, 2000000000, 1000000000, RasterBox{0, 0, 8, 8});
  const PixelSetPixelRaster expected = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {6, 3}, {7, 4}};
  EXPECT_EQ(s, expected);
}

TEST(PixelRaster, ClipSegmentToBox) {
  struct Case {
    double x0, y0, x1, y1;
    bool visible;
    double cx0, cy0, cx1, cy1;
  };
  const Case cases[] = {
      {-10, 5, 20, 5, true, 0, 5, 10, 5},   {5, -10, 5, 5, true, 5, 0, 5, 5}, {-10, -10, 20, 20, true, 0, 0, 10, 10},
      {-10, 20, -5, 30, false, 0, 0, 0, 0}, {2, 3, 4, 5, true, 2, 3, 4, 5},   {-1e12, 5, 1e12, 5, true, 0, 5, 10, 5},
  };
  for (const Case& k : cases) {
    double x0 = k.x0, y0 = k.y0, x1 = k.x1, y1 = k.y1;
    EXPECT_EQ(RasterClipSegment(x0, y0, x1, y1, 0, 0, 10, 10), k.visible);
    if (!k.visible) continue;
    EXPECT_NEAR(x0, k.cx0, 1e-9);
    EXPECT_NEAR(y0, k.cy0, 1e-9);
    EXPECT_NEAR(x1, k.cx1, 1e-9);
    EXPECT_NEAR(y1, k.cy1, 1e-9);
  }
}

TEST(PixelRaster, PolygonRowsFollowTheFillRule) {
  // Two overlapping squares in one figure list: the overlap is out under
  // the alternate rule and in under the winding rule (both run clockwise).
  const std::vector<std::vector<RasterPointD>> squares = {
      {{0, 0}, {6, 0}, {6, 4}, {0, 4}},
      {{3, 0}, {9, 0}, {9, 4}, {3, 4}},
  };
  using Runs = std::vector<std::pair<int64_t, int64_t>>;
  EXPECT_EQ(RasterPolygonRow(squares, RasterFillRule::Alternate, 1), (Runs{{0, 3}, {6, 9}}));
  EXPECT_EQ(RasterPolygonRow(squares, RasterFillRule::Winding, 1), (Runs{{0, 9}}));
  EXPECT_TRUE(RasterPolygonRow(squares, RasterFillRule::Winding, 4).empty());  // bottom edge left out
  EXPECT_TRUE(RasterPolygonRow(squares, RasterFillRule::Winding, -1).empty());

  const PixelSetPixelRaster filled = SpanPixels([&](const RasterSpanSink& sink) {
    RasterPolygons(squares, RasterFillRule::Alternate, RasterBox{0, 0, 20, 20}, sink);
  });
  EXPECT_EQ(filled.size(), 24u);  // columns [0, 3) and [6, 9) over 4 rows
}

TEST(PixelRaster, EllipseRingAndInsidePartitionTheFilledEllipse) {
  struct Case {
    RasterEllipse e;
  };
  const Case cases[] = {
      {{0, 0, 11, 11, 1}}, {{2, 3, 30, 12, 1}}, {{0, 0, 40, 40, 3}}, {{5, 5, 6, 20, 1}}, {{0, 0, 9, 9, 2}}};
  for (const Case& k : cases) {
    PixelSetPixelRaster ring, inside;
    RasterEllipseRing(
        k.e, RasterBox{-10, -10, 60, 60},
        [&](int y, int x0, int x1) {
          for (int x = x0; x < x1; ++x) EXPECT_TRUE(ring.insert({x, y}).second);
        },
        [&](int y, int x0, int x1) {
          for (int x = x0; x < x1; ++x) EXPECT_TRUE(inside.insert({x, y}).second);
        });
    EXPECT_FALSE(ring.empty());
    for (const auto& p : inside) EXPECT_FALSE(ring.count(p)) << p.first << "," << p.second;
    // Each row of the union is one unbroken run.
    std::map<int64_t, std::pair<int64_t, int64_t>> rows;
    PixelSetPixelRaster all = ring;
    all.insert(inside.begin(), inside.end());
    for (const auto& p : all) {
      auto [it, fresh] = rows.try_emplace(p.second, p.first, p.first);
      if (!fresh) {
        it->second.first = std::min(it->second.first, p.first);
        it->second.second = std::max(it->second.second, p.first);
      }
    }
    size_t count = 0;
    for (const auto& row : rows) count += static_cast<size_t>(row.second.second - row.second.first + 1);
    EXPECT_EQ(count, all.size());
  }
}

TEST(PixelRaster, ArcDirectionsAreScreenAnglesAnticlockwise) {
  const RasterEllipse e{0, 0, 11, 11, 1};  // centre pixel (5, 5)
  EXPECT_NEAR(RasterDirectionFromCentre(e, 10, 5), 0.0, 1e-9);
  EXPECT_NEAR(RasterDirectionFromCentre(e, 5, 0), 90.0, 1e-9);
  EXPECT_NEAR(RasterDirectionFromCentre(e, 0, 5), 180.0, 1e-9);
  EXPECT_NEAR(RasterDirectionFromCentre(e, 5, 10), 270.0, 1e-9);
  PixelSetPixelRaster arc;
  RasterEllipseArc(e, 80.0, 100.0, false, RasterBox{0, 0, 20, 20}, [&](int x, int y) { arc.insert({x, y}); });
  for (const auto& p : arc) EXPECT_EQ(p.second, 0);  // only the top of the circle
  EXPECT_TRUE(arc.count({5, 0}));
}

}  // namespace
