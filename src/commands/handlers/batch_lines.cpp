// Batch stretch and partial cut of the lines a fence crosses, and the fence
// selection handed to the host.

#include "commands/framework/command_family.h"
#include "commands/handlers/command_handlers.h"

void RegisterBatchLineCommands() {
  RegisterFamily({.Name = "iikatusin", .Modes = {dtiikatusin}});
  RegisterFamily({.Name = "iikatuBubun", .Modes = {dtiikatuBubun}});
  RegisterFamily({.Name = "iikatufugo", .Modes = {dtiikatufugo}});
}

// The window marking of lines under the line filters, which the split at a
// crossing uses to find the lines near its click.

#include "canvas/cad_box.h"
#include "commands/framework/command_framework.h"
#include "commands/framework/selection_support.h"
#include "geometry/angles_points.h"
#include "geometry/offsets_rects.h"

void TcadBox::MarkFilteredLinesInWindow(bool crossing, double x1, double y1, double x2, double y2) {
  Tdrawinp& store = *Draw1;
  for (const RDisplayEntry& entry : store.DisplayList) {
    if (entry.Index < 0 || static_cast<std::size_t>(entry.Index) >= store.Elements.size()) continue;
    RDrawElement& e = store.Elements[static_cast<std::size_t>(entry.Index)];
    if (!OnEditableLayer(store, e)) continue;
    e.Selection = 0;
    if (e.Kind != kKindLine) continue;
    e.ScratchWord = 0;
    e.ScratchByte = 0;
    if (!SegmentSelectedByRect(crossing, e.X1, e.Y1, e.X2, e.Y2, x1, y1, x2, y2)) continue;
    const bool oblique = SelectionFilter.ObliqueOnly;
    if (!SelectionFilter.Lines && !oblique) continue;
    if (!MatchesColorTypeFilter(e.ColorNo, e.LineType)) continue;
    if (oblique && !IsObliqueDirection(DirectionAngleDeg(e.X1, e.Y1, e.X2, e.Y2))) continue;
    e.Selection = 1;
  }
}
