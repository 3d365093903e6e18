// Repeated profiles, kinds 20 to 22: equal marks at a pitch between long
// lines (a double band with ticks, bars between rails, bars with a middle
// gap).

#include <cmath>
#include <vector>

#include "figures/sections/section_generator.h"

namespace {

// More marks than this would be unreadable; a longer row builds nothing
// instead of exhausting memory.
constexpr double kMaxProfileCount = 100000.0;

}  // namespace

void TBuzaidanmenobj::MakeRepeatedProfile() {
  // The count rounds a length that is a hair over a whole number of
  // divisors up.
  const double count = std::trunc(D5 * 1000.0 / D1 + 0.9999);
  // Kind 20 needs a top and a bottom tick, the bars a last bar.
  const double least = Kind == 20 ? 2.0 : 1.0;
  if (!(D1 > 0.0) || !(count >= least) || !(count <= kMaxProfileCount)) return;
  const int c = static_cast<int>(count);
  std::vector<RDrawElement> lines;
  lines.reserve(c + 6);
  if (Kind == 20) {
    const double top = 2 * D3 + D6;
    SetBoxOffset(D4, top, 0.0);
    lines.push_back(LineElement(0, 0, 0, top));
    double xb = D4;
    double xt = D4;
    for (int k = 0; k < c; ++k) {
      const double x = D4 + (k / 2) * D2;
      if (k % 2 == 0) {
        lines.push_back(LineElement(x, 0, x, D3));
        xb = x;
      } else {
        lines.push_back(LineElement(x, D3 + D6, x, top));
        xt = x;
      }
    }
    lines.push_back(LineElement(0, 0, xb, 0));
    lines.push_back(LineElement(0, top, xt, top));
    lines.push_back(LineElement(D4, D3, xb, D3));
    lines.push_back(LineElement(D4, D3 + D6, xt, D3 + D6));
    lines.push_back(LineElement(D4, D3, D4, D3 + D6));
  } else {
    // Kind 22 opens the gap D4 between bar h - 1 and bar h.
    const bool gap = Kind == 22;
    const int h = c / 2;
    const double last = gap ? D4 + (c - 2) * D2 : (c - 1) * D2;
    SetBoxOffset(last, D3, 0.0);
    for (int i = 0; i < c; ++i) {
      const double x = gap && i >= h ? D4 + (i - 1) * D2 : i * D2;
      lines.push_back(LineElement(x, 0, x, D3));
    }
    lines.push_back(LineElement(0, 0, last, 0));
    lines.push_back(LineElement(0, D3, last, D3));
  }
  PlaceLocalFigure(std::move(lines));
}
