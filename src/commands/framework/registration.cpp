// Puts the framework's handler sets, cancel phases and paint hooks into the
// canvas's command registry, each set in its row of the dispatch order.

#include "canvas/cad_box.h"
#include "canvas/command_registry.h"
#include "commands/framework/command_framework.h"

void RegisterCommandFramework() {
  TCommandRegistry& r = CommandRegistry();
  r.AddHandlerSet({"RingCursor", kRingCursorRank, kRingCursorRank, kRingCursorRank, &TcadBox::RingCursorDown,
                   &TcadBox::RingCursorMove, &TcadBox::RingCursorUp});
  r.AddHandlerSet({"No", 3, 3, 0, &TcadBox::NoDown, &TcadBox::NoMove, nullptr});
  r.AddHandlerSet({"GridkizyunTen", 93, 92, 93, &TcadBox::GridkizyunTenDown, &TcadBox::GridkizyunTenMove,
                   &TcadBox::GridkizyunTenUp});

  r.AddCancelPhase("RefreshRingCursor", 2, &TcadBox::RefreshRingCursor);

  r.UpdateCommandCursor = &TcadBox::UpdateCommandCursor;
  r.ToggleRingCursor = &TcadBox::ToggleRingCursor;
  r.EraseRingCursor = &TcadBox::EraseRingCursor;
  r.DrawGrid = &TcadBox::DrawGrid;
  r.RedrawGridInRect = &TcadBox::RedrawGridInRect;
}
