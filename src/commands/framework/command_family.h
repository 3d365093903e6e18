#pragma once
// How a command family enters the canvas's command registry. Every family
// file opens with its rows: the handler set's name, which places it in the
// fixed dispatch order, the modes its down handler answers, its handlers,
// its cancel, redraw, finish and reset phases and what its modes add to the
// canvas's own operations (mouse leave, cursor, paint, rescale). The ranks
// and the places of the phases are read from the one dispatch-order table
// of dispatch_order.cpp, never written in a row.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/command_registry.h"

struct RNamedPhase {
  std::string Name{};
  TPhaseHandler Phase{};
};

struct RNamedFinish {
  std::string Name{};
  TFinishHandler Finish{};
};

struct RCommandFamily {
  std::string Name{};
  std::vector<Sbuttontype> Modes{};
  TPointHandler Down{};
  TPointHandler Move{};
  TPointHandler Up{};
  std::vector<RNamedPhase> Cancels{};   // placed by the cancel-all's order
  std::vector<RNamedPhase> Redraws{};   // placed by the full redraw's order
  std::vector<RNamedFinish> Finishes{}; // run by the confirm gestures
  std::vector<RNamedPhase> Phases{};    // reached by name only
  TPhaseHandler Reset{};                // the family's own data at the cancel-all
  RModeHooks Hooks{};
};

// Puts the family into the registry at its places. A name missing from the
// dispatch order, or a phase missing from the cancel or redraw order, is a
// mistake of the program and throws std::logic_error.
void RegisterFamily(const RCommandFamily& family);

// One row of the fixed dispatch order; 0: no handler in that sequence.
struct RDispatchRank {
  const char* Name;
  int Down;
  int Move;
  int Up;
};

// The dispatch order of every handler set, the cancel-all's order of the
// cancel phases and the full redraw's order of the redraw phases.
const std::vector<RDispatchRank>& DispatchOrder();
const std::vector<std::string>& CancelOrder();
struct RRedrawPlace {
  std::string Name{};
  RedrawStage Stage;
  int Rank;
};
const std::vector<RRedrawPlace>& RedrawOrder();
