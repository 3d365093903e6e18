// A snap search and a nearest-element pick on large drawings, with the
// display lists built for the whole sheet and for a close view.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "canvas/drawing_store.h"
#include "mixed_drawing.h"
#include "canvas/nearest_pick.h"
#include "geometry/arcs_ellipses.h"
#include "geometry/offsets_rects.h"

namespace {


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
