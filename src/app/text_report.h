#pragma once
// The nine-section report of a calculation: the model as entered and the
// solver's results, laid out for a fixed-pitch font. Lines are code page
// 932 text.

#include <string>
#include <vector>

#include "analysis/frame_model.h"
#include "platform/grid_cells.h"

// True when the absolute values of the numbers add up to more than 0.0002.
bool AnyNonZero(double a, double b, double c, double d, double e, double f, double g, double h);

struct TextReport {
  std::vector<std::string> Lines;
  // The largest node displacement in x or y, cm.
  double DeflectionMax = 0.0;
};

// memberList is the member list grid of the member dialog, memberLoads the
// member load grid of the load dialog (titles in row 0).
TextReport BuildTextReport(const RFrameModel& model, const GridCells& memberList, const GridCells& memberLoads);
