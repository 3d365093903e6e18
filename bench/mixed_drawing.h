#pragma once
// A deterministic drawing for the benchmarks: a mix of lines of all lengths,
// circles, texts and points spread over an A0 sheet, on all 16 layers. Each
// text names a string of its own, so texts stop at the text list's limit
// and the later text slots hold lines.

#include <cstdint>

#include "canvas/drawing_store.h"

// spread 0: all elements on the one sheet, so the drawing grows denser;
// spread 1: 10,000 elements on each A0 sheet of a square of sheets, so the
// drawing grows wider and stays as dense as one of 10,000 elements.
inline Tdrawinp MixedDrawing(std::int64_t count, int spread = 0) {
  Tdrawinp store;
  store.SetPaperSize(1189, 841);
  store.Elements.reserve(static_cast<std::size_t>(count));
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1u << 24);
  };
  std::int64_t side = 1;
  while (spread == 1 && side * side * 10'000 < count) ++side;
  for (std::int64_t i = 0; i < count; ++i) {
    RDrawElement e = ZeroElement();
    const std::int64_t sheet = spread == 1 ? i / 10'000 : 0;
    e.X1 = next() * 1189 + static_cast<double>(sheet % side) * 1189;
    e.Y1 = next() * 841 + static_cast<double>(sheet / side) * 841;
    e.Layer = static_cast<std::uint8_t>(i % 16);
    switch (i % 10) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
        e.Kind = kKindLine;
        e.X2 = e.X1 + (next() - 0.5) * 40;
        e.Y2 = e.Y1 + (next() - 0.5) * 40;
        break;
      case 6:
      case 7:
        e.Kind = kKindArc;
        e.Radius = next() * 20;
        e.Ratio = 1.0f;
        break;
      case 8:
        if (store.ElementTexts.size() < kMaxTextsPerList) {
          e.Kind = kKindText;
          e.X2 = e.X1 + 10;
          e.Y2 = e.Y1;
          e.TextIndex = static_cast<std::uint16_t>(store.ElementTexts.size());
          store.ElementTexts.push_back("T");
          break;
        }
        e.Kind = kKindLine;
        e.X2 = e.X1 + 5;
        e.Y2 = e.Y1 + 5;
        break;
      default: e.Kind = kKindPoint; break;
    }
    store.Elements.push_back(e);
  }
  return store;
}
