#pragma once
// How a closed outline lies against the visible window: outside, overlapping
// it, or around it. The painters skip what is off screen and fill the whole
// client area when the view lies inside a region.

#include <vector>

struct RViewVertex {
  double X = 0.0;
  double Y = 0.0;
};

// A pixel corner of the client area.
struct RScreenCorner {
  int X = 0;
  int Y = 0;
};

class TZukeiHaninaiobj {
 public:
  // The window in drawing coordinates and the view size in pixels; a turned
  // view (angle not 0) is replaced by the extents of its turned corners.
  TZukeiHaninaiobj(int width, double left, double bottom, double right, double top, int height, double angle);

  void AddVertex(double x, double y);
  // The outline's extents, given by the caller; sets Class: -1 outside, 0
  // overlapping, 1 the view lies inside the outline (then ScreenPolygon
  // holds the four pixel corners of the view).
  void Classify(double minX, double minY, double maxX, double maxY);
  // Ready for the next outline; the window and the pixel size stay.
  void Clear();

  double Left = 0.0;
  double Bottom = 0.0;
  double Right = 0.0;
  double Top = 0.0;
  int VertexCount = 0;
  int Width = 0;
  int Height = 0;
  std::vector<RViewVertex> Vertices;
  int Class = -1;
  std::vector<RScreenCorner> ScreenPolygon;
};
