// Placing the print frame.

#include "canvas/cad_box.h"
#include "commands/framework/command_family.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"

namespace {
void DrawFixedPrintFrame(TcadBox& box);
}  // namespace

void RegisterPrintFrameCommands() {
  RegisterFamily(
      {.Name = "printsen", .Modes = {dtprintsen}, .Redraws = {{"printsenRedraw", DrawFixedPrintFrame}}});
}

namespace {

// A fixed frame is part of the picture: every paint draws it with its tiles.
void DrawFixedPrintFrame(TcadBox& box) {
  if (box.ButonType != dtprintsen || box.B_Switch != on1) return;
  TCanvas& canvas = box.Canvas();
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = clAquaFrame;
  const RViewRect& frame = box.PrintFrame;
  box.DrawFrameRect(1, 1, frame.Left, frame.Bottom, frame.Right, frame.Top, box.PrintFrameAngle);
}

}  // namespace
