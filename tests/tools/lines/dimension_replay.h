#pragma once
// Drives the chained-dimension tool in the order of the circle dimension
// commands: the first click creates it and adds the point with the circle
// picked there; a move updates it; a further click updates it with the
// clicked point and adds the tool's end point (which no style moves, so it
// stays (0, 0)) with the element found under the click; finishing sets the
// finish flag and drops the last point.

#include <array>
#include <memory>

#include "records/draw_records.h"
#include "tools/lines/chained_dimension.h"

// Every style 20 wide (a single-byte character 1 mm), 30 high (3 mm), with
// 10 of spacing (0.5 mm after a single-byte character).
inline std::array<RTextStyle, kTextStyleCount> DimensionTestStyles() {
  std::array<RTextStyle, kTextStyleCount> styles{};
  for (RTextStyle& s : styles) {
    s.Width = 20;
    s.Height = 30;
    s.Spacing = 10;
  }
  return styles;
}

// A circle, or an ellipse of the axis ratio and rotation, to be picked.
inline RDrawElement PickedCircle(double cx, double cy, double r, float ratio = 1, float rotation = 0) {
  RDrawElement e = ZeroElement();
  e.Kind = kKindArc;
  e.LineType = 1;
  e.X1 = cx;
  e.Y1 = cy;
  e.Radius = r;
  e.Ratio = ratio;
  e.Rotation = rotation;
  return e;
}

class DimensionReplay {
 public:
  explicit DimensionReplay(double groupScale = 100.0) : groupScale_(groupScale) {}

  void Click(double x, double y, const RDrawElement* picked = nullptr) {
    const std::uint8_t found = picked != nullptr ? 1 : 0;
    const RDrawElement element = picked != nullptr ? *picked : ZeroElement();
    if (!tool_) {
      tool_ = std::make_unique<TRenSunpoSenobj>(DimensionTestStyles());
      tool_->AddPoint(1, found, x, y, element);
      return;
    }
    Move(x, y);
    tool_->AddPoint(1, found, tool_->EndX, tool_->EndY, element);
  }

  void Move(double x, double y) { tool_->Update(x, y, 0.0, 0.0, 0.0, groupScale_); }

  // What this leaves in Elements is what the command commits.
  void Finish() {
    tool_->TrimOnFinish = 1;
    tool_->DropLastPoint();
  }

  TRenSunpoSenobj& Tool() { return *tool_; }

 private:
  double groupScale_;
  std::unique_ptr<TRenSunpoSenobj> tool_;
};
