#include "tools/lines/corner_rounding.h"

#include <utility>

#include "tools/edit/corner_trim.h"

namespace {

constexpr std::uint8_t kRoundedCorner = 2;  // the corner tool's rounded-corner kind

void SetLine(RDrawElement& e, const RToolLine& line) {
  e.X1 = line.X1;
  e.Y1 = line.Y1;
  e.X2 = line.X2;
  e.Y2 = line.Y2;
}

}  // namespace

RRoundedCorner RoundCornerByCornerTool(const RDrawElement& Line1, const RDrawElement& Line2, double R) {
  RRoundedCorner answer;
  // A line without length (the second line of a merged pair) has no side
  // to keep; the tool's fresh status would read as a merge.
  if ((Line1.X1 == Line1.X2 && Line1.Y1 == Line1.Y2) || (Line2.X1 == Line2.X2 && Line2.Y1 == Line2.Y2)) {
    return answer;
  }
  // Each line is picked at its end away from the corner, so the part that
  // leads to the neighbouring corner is the part that stays.
  Ttremingobj tool(true, Line1.X1, Line1.Y1, Line2.X2, Line2.Y2, 0.0);
  tool.SetLine(0, 0, Line1.X1, Line1.Y1, Line1.X2, Line1.Y2, 0, 0, 0);
  tool.SetLine(0, 0, Line2.X1, Line2.Y1, Line2.X2, Line2.Y2, 0, 0, 1);
  tool.ChamferCorner(kRoundedCorner, R, 1.0);
  answer.Status = tool.Status;
  answer.Lines = tool.ResultLines;
  answer.Arc = tool.ResultArcs[0];
  if (answer.Status == Ttremingobj::kMade) {
    // The tool runs the second line from its staying end to the corner;
    // the path runs from the corner on, and the next corner picks the
    // line's first point.
    RToolLine& second = answer.Lines[1];
    std::swap(second.X1, second.X2);
    std::swap(second.Y1, second.Y2);
  }
  return answer;
}

void TakeRoundedCorner(const RRoundedCorner& Answer, RDrawElement& Line1, RDrawElement& Line2, RDrawElement& Corner) {
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
