#pragma once
// Direct drawing-system calls in the shape the drawing code makes them:
// rotated fonts, clipping to a path, background mode and regions.
// Every handle returned here is released with DeleteObject.

#include "platform/canvas.h"

#include <vector>

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// Region types answered by SelectClipRgn.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

HFONT CreateFontIndirectA(const LOGFONTA& logical);
// False for a null handle.
bool DeleteObject(HGDIOBJ object);

// Returns the previous mode; 0 for an unknown mode, which changes nothing.
int SetBkMode(TCanvas& canvas, int mode);
int GetBkMode(const TCanvas& canvas);
TColor SetBkColor(TCanvas& canvas, TColor color);

// Between BeginPath and EndPath the canvas records MoveTo, LineTo,
// Polyline, Polygon and Rectangle as figures instead of drawing them.
bool BeginPath(TCanvas& canvas);
bool EndPath(TCanvas& canvas);
// The closed path as a region (the path is used up); null without one.
HRGN PathToRegion(TCanvas& canvas);
// A copy of the region becomes the clip; a null region removes the clip.
int SelectClipRgn(TCanvas& canvas, HRGN region);

HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode);
HRGN CreatePolygonRgn(const std::vector<TPoint>& points, int fillMode);
// Pixels [left, right) x [top, bottom).
HRGN CreateRectRgn(int left, int top, int right, int bottom);
bool PtInRegion(HRGN region, int x, int y);
