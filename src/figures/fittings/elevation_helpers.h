#pragma once
// What the elevation kinds 51 to 56 share: their sizes from the fitting
// settings, the frame, the leaf outlines and mullions, the opening marks,
// the rectangles of their panels and the middle bars.

#include <cstdint>
#include <functional>

#include "figures/fittings/fitting_frame.h"

// The sides of a panel that are left out, and how far its bottom and top
// start to the right of its left edge.
struct RPanelSides {
  double Start = 0.0;
  bool NoLeft = false;
  bool NoRight = false;
  bool NoTop = false;
};

// Which side of a frame rectangle runs past its bottom and top.
enum class ExtendedSide { Left, Right };

class FittingElevation : public FittingFrame {
 public:
  // Reads the elevation lengths of the settings, in paper millimetres.
  explicit FittingElevation(TBuzaidanmenobj& Figure);

  // The frame, the leaves with their interiors, mullions, outlines and
  // opening marks, then the final turn. Interior(i) and Bars(i) draw the
  // kind's own part of leaf i; Split is the opening mark's apex parameter.
  void Build(const std::function<void(int)>& Interior, const std::function<void(int)>& Bars, double Split = 0.0);

  // x of the left edge of leaf i.
  double LeafLeft(int i) const { return i * (w + o); }

  // A line of colour 0 and line type 0; x counts from LeafX.
  void Line(double X1, double Y1, double X2, double Y2);
  // Bottom, top, left, right; the extended side runs Down below y1 and Up
  // above y2.
  void AddFrameRect(double x1, double y1, double x2, double y2, double Up, double Down,
                    ExtendedSide Side = ExtendedSide::Right);
  // As a plain frame rectangle with its top Left and Right longer.
  void AddFrameRectWideTop(double x1, double y1, double x2, double y2, double Left, double Right);
  // The sides of a panel whose rails and stiles are set.
  void AddPanelRect(double x1, double y1, double x2, double y2, const RPanelSides& Sides = {});
  // The opening mark of the settings in the box L..R, Bt..Tp; P moves the
  // rhombus apex to L + P.
  void AddOpeningMark(double L, double Bt, double R, double Tp, double P);
  // The pair of lines of a middle bar from x1 to x2, when the bars are on.
  void AddMidBar(double x1, double x2);

  // The bar arguments of leaf i: the leaf's box and its insets.
  struct RBarBox {
    double P1, P2, P3, P4, P5, P6, P7;
    double cx() const { return (P1 + P3) / 2; }
  };
  RBarBox BarBox(int i) const;

  const int n;
  const double o;
  const double w;
  const double B;
  const double h0;
  const double d;
  const double e;
  const double f;
  const double g;
  const double m;
  const double l;
  const double s;
  const double yP;
  // Added to every x of Line while a leaf interior is drawn.
  double LeafX = 0.0;
  // The arrow of mark 1: kinds 52 and 53 draw it shorter.
  bool ShortArrow = false;

 private:
  void AddFrame();
  void AddLeafOutline(double x);
};
