#include "tools/lines/corner_rounding.h"

namespace {

void SetLine(RDrawElement& e, const RToolLine& line) {
  e.X1 = line.X1;
  e.Y1 = line.Y1;
  e.X2 = line.X2;
  e.Y2 = line.Y2;
}

}  // namespace

RRoundedCorner RoundCornerByCornerTool(const RDrawElement& /*Line1*/, const RDrawElement& /*Line2*/,
                                       double /*R*/) {
  // The rounding belongs to the corner tool's rounded-corner kind (the
  // corner tool loaded with both lines, both picks at the origin and
  // tolerance 0, run with size R and group scale 1). That tool is not built
  // yet: until it is, no corner is made and the lines keep their
  // coordinates.
  return RRoundedCorner{};
}

void TakeRoundedCorner(const RRoundedCorner& Answer, RDrawElement& Line1, RDrawElement& Line2,
                       RDrawElement& Corner) {
  if (Answer.Status == 1) {
    SetLine(Line1, Answer.Lines[0]);
    SetLine(Line2, Answer.Lines[1]);
    Corner.X1 = Answer.Arc.CentreX;
    Corner.Y1 = Answer.Arc.CentreY;
    Corner.Radius = Answer.Arc.Radius;
    Corner.Ratio = 1.0f;
    Corner.StartAngle = static_cast<float>(Answer.Arc.StartAngle);
    Corner.EndAngle = static_cast<float>(Answer.Arc.EndAngle);
    Corner.Rotation = static_cast<float>(Answer.Arc.Rotation);
  } else if (Answer.Status == 0) {
    SetLine(Line1, Answer.Lines[0]);
    SetLine(Line2, RToolLine{});
    Corner.X1 = 0.0;
    Corner.Y1 = 0.0;
    Corner.Radius = 0.0;
  }
}
