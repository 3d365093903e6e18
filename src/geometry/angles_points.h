#pragma once
// Points, distances, directions and angle normalisation on drawing
// coordinates (x to the right, y upwards, angles in degrees anticlockwise).

// Two points a and b; b = (-90000, -90000) means only a exists.
struct RPoint2D {
  double x = 0.0;
  double y = 0.0;
};

struct RPointPair {
  double xa = 0.0;
  double ya = 0.0;
  double xb = 0.0;
  double yb = 0.0;
};

// One step of wrapping into [0, 360): 725 gives 365, -400 gives -40.
double NormalizeAngle360(double angle);

double PointDistance(double x1, double y1, double x2, double y2);

// Direction from point 1 to point 2 in [0, 360); exact on the axes.
double DirectionAngleDeg(double x1, double y1, double x2, double y2);
