#pragma once
// Drives the continuous-line tool in the order of its command: the first
// click creates it and adds the point; a move updates it; a further click
// updates it with the clicked point and adds the end the update computed;
// finishing sets the trim flag and finishes. Coordinates are drawing
// coordinates; the view and group values are those the command would pass.

#include <array>
#include <memory>

#include "records/draw_records.h"
#include "tools/lines/continuous_line.h"

struct LineView {
  double BaseAngle = 0.0;
  double AngleStep = 0.0;
  double SetLength = 0.0;
  double GroupScale = 100.0;
  double ViewScale = 1.0;
};

class LineReplay {
 public:
  explicit LineReplay(LineView view = {}, const std::array<RTextStyle, kTextStyleCount>& styles = {})
      : view_(view), styles_(styles) {}

  void Click(double x, double y, std::uint8_t flag = 0, const RDrawElement& picked = ZeroElement()) {
    if (!tool_) {
      tool_ = std::make_unique<TRenzokuSenobj>(styles_);
      tool_->AddPoint(flag, picked, x, y);
      return;
    }
    Move(x, y);
    tool_->AddPoint(flag, picked, tool_->EndX, tool_->EndY);
  }

  void Move(double x, double y) {
    tool_->Update(x, y, view_.BaseAngle, view_.AngleStep, view_.SetLength, view_.GroupScale, view_.ViewScale);
  }

  // What this leaves in Elements is what the command commits.
  void Finish(std::uint8_t trim = 1) {
    tool_->TrimOnFinish = trim;
    tool_->Finish();
  }

  TRenzokuSenobj& Tool() { return *tool_; }

 private:
  LineView view_;
  std::array<RTextStyle, kTextStyleCount> styles_;
  std::unique_ptr<TRenzokuSenobj> tool_;
};
