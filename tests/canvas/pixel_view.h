#pragma once
// Views with a whole number of pixels per drawing unit, so test points map
// to pixels by hand: x pixels = (x - left) * k, y pixels = height - (y - bottom) * k.

#include <cmath>

#include "canvas/cad_box.h"

// At 96 pixels per inch one drawing unit is k pixels at this zoom.
inline double ZoomForPixelsPerUnit(double k) { return k * 25.4 / 96.0; }

inline void SetPixelView(TcadBox& box, double k, double left = 0.0, double bottom = 0.0) {
  box.Zoom = ZoomForPixelsPerUnit(k);
  box.ViewWindow = {left, bottom, left + box.Width() / k, bottom + box.Height() / k};
  box.ViewCentre = {(box.ViewWindow.Left + box.ViewWindow.Right) / 2, (box.ViewWindow.Bottom + box.ViewWindow.Top) / 2};
}

// Pixel of a drawing point at one pixel per unit and the origin at the
// bottom left, rounded half to even like the view.
inline int PixelX(double x) { return static_cast<int>(std::nearbyint(x)); }
inline int PixelY(TcadBox& box, double y) { return static_cast<int>(std::nearbyint(box.Height() - y)); }
