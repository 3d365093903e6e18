// A snap search and a nearest-element pick on large drawings, with the
// display lists built for the whole sheet and for a close view.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "canvas/drawing_store.h"
#include "canvas/nearest_pick.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/offsets_rects.h"

namespace {

// A deterministic mix spread over an A0 sheet: lines of all lengths, circles,
// texts and points.
Tdrawinp MixedDrawing(std::int64_t count) {
  Tdrawinp store;
  store.SetPaperSize(1189, 841);
  store.Elements.reserve(static_cast<std::size_t>(count));
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1u << 24);
  };
  for (std::int64_t i = 0; i < count; ++i) {
    RDrawElement e = ZeroElement();
    e.X1 = next() * 1189;
    e.Y1 = next() * 841;
    e.Layer = static_cast<std::uint8_t>(i % 16);
    switch (i % 10) {
      case 0: case 1: case 2: case 3: case 4: case 5:
        e.Kind = kKindLine;
        e.X2 = e.X1 + (next() - 0.5) * 40;
        e.Y2 = e.Y1 + (next() - 0.5) * 40;
        break;
      case 6: case 7:
        e.Kind = kKindArc;
        e.Radius = next() * 20;
        e.Ratio = 1.0f;
        break;
      case 8:
        e.Kind = kKindText;
        e.X2 = e.X1 + 10;
        e.Y2 = e.Y1;
        break;
      default:
        e.Kind = kKindPoint;
        break;
    }
    store.Elements.push_back(e);
  }
  return store;
}

// The cursor, and the views: 0 the whole sheet, 1 a close view around it.
constexpr double kCursorX = 600.0;
constexpr double kCursorY = 420.0;

double ViewFor(Tdrawinp& store, std::int64_t view) {
  if (view == 0) {
    store.BuildDisplayLists(0, 0, 1189, 841, 0.3);
    return 0.3;
  }
  store.BuildDisplayLists(kCursorX - 20, kCursorY - 15, kCursorX + 20, kCursorY + 15, 8.0);
  return 8.0;
}

void BM_SnapPoint(benchmark::State& state) {
  Tdrawinp store = MixedDrawing(state.range(0));
  const double zoom = ViewFor(store, state.range(1));
  for (auto _ : state) {
    double x = kCursorX, y = kCursorY;
    benchmark::DoNotOptimize(store.SnapPoint(x, y, zoom, 0, {}));
    benchmark::DoNotOptimize(x);
  }
}

// The canvas's pick: a square of 5 screen pixels around the click over the
// visible, editable elements, the choice made by THitSen.
void BM_PickNearest(benchmark::State& state) {
  Tdrawinp store = MixedDrawing(state.range(0));
  const double zoom = ViewFor(store, state.range(1));
  const double t = 5.0 / zoom;
  for (auto _ : state) {
    THitSen pick(kCursorX, kCursorY, t);
    for (const RDisplayEntry& entry : store.DisplayList) {
      const RDrawElement* e = store.EntryElement(entry);
      if (e == nullptr || store.LayerState(e->Group, e->Layer) != kLayerEditable) continue;
      bool hit = false;
      switch (e->Kind) {
        case kKindArc:
          hit = PointOnArc(e->X1, e->Y1, e->Radius, e->StartAngle, e->EndAngle, e->Rotation, e->Ratio, kCursorX,
                           kCursorY, t);
          break;
        case kKindPoint:
          hit = PointInRect(e->X1, e->Y1, kCursorX - t, kCursorY - t, kCursorX + t, kCursorY + t);
          break;
        default:
          hit = SegmentTouchesRect(e->X1, e->Y1, e->X2, e->Y2, kCursorX - t, kCursorY - t, kCursorX + t,
                                   kCursorY + t);
          break;
      }
      if (hit) pick.AddCandidate(*e, entry.Index);
    }
    pick.PickNearest();
    benchmark::DoNotOptimize(pick.PickedIndex);
  }
}

BENCHMARK(BM_SnapPoint)
    ->ArgsProduct({{10'000, 100'000, 1'000'000}, {0, 1}})
    ->ArgNames({"elements", "close"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PickNearest)
    ->ArgsProduct({{10'000, 100'000, 1'000'000}, {0, 1}})
    ->ArgNames({"elements", "close"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
