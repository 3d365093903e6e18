#pragma once
// The table through which the canvas reaches the command handlers. The
// command library fills it at start; the canvas's mouse dispatch, cancel-all
// and full redraw walk it. Each handler set keeps its fixed position in each
// sequence (its rank, 1 first), whatever the order in which the sets were
// registered, so a family added later slots into its own row.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/custom_control.h"

class TcadBox;

// Down, Move and Up handlers: (box, Shift, x, y) with x, y in drawing units.
using TPointHandler = std::function<void(TcadBox&, TShiftState, double, double)>;
// Cancel and redraw phases, and the single hooks of the paint.
using TPhaseHandler = std::function<void(TcadBox&)>;
using TRectHook = std::function<void(TcadBox&, double, double, double, double)>;

// The cross-hair set comes first in every sequence; in the move sequence it
// runs even while a view gesture holds back the other move handlers.
inline constexpr int kRingCursorRank = 1;

// One handler set (a command family). Rank 0: the set has no handler there.
struct RHandlerSet {
  std::string Name;
  int DownRank = 0;
  int MoveRank = 0;
  int UpRank = 0;
  TPointHandler Down;
  TPointHandler Move;
  TPointHandler Up;
};

// Where a redraw phase runs within the full redraw.
enum class RedrawStage : std::uint8_t {
  BeforeGrid,          // before the grid and the elements
  AfterElements,       // after the elements, before RubberErased is set
  AfterRubberErased,   // after RubberErased is set
};

struct RPhaseEntry {
  std::string Name;
  int Rank = 0;  // redraw phases: the stage's thousands plus the rank within it
  RedrawStage Stage = RedrawStage::AfterElements;  // redraw phases only
  TPhaseHandler Phase;
};

struct RPointEntry {
  int Rank = 0;
  std::string Name;
  TPointHandler Handler;
};

class TCommandRegistry {
 public:
  // A set of the same name replaces the one registered before.
  void AddHandlerSet(const RHandlerSet& set);
  void AddCancelPhase(const std::string& name, int rank, TPhaseHandler phase);
  void AddRedrawPhase(const std::string& name, RedrawStage stage, int rank, TPhaseHandler phase);
  void Clear();

  // The sequences in rank order.
  const std::vector<RPointEntry>& DownSequence() const { return down_; }
  const std::vector<RPointEntry>& MoveSequence() const { return move_; }
  const std::vector<RPointEntry>& UpSequence() const { return up_; }
  const std::vector<RPhaseEntry>& CancelSequence() const { return cancel_; }
  const std::vector<RPhaseEntry>& RedrawSequence() const { return redraw_; }

  // Single hooks of the command framework that the canvas calls; empty
  // until the framework registers them.
  TPhaseHandler UpdateCommandCursor;
  TPhaseHandler ToggleRingCursor;
  TPhaseHandler EraseRingCursor;
  TPhaseHandler DrawGrid;
  TRectHook RedrawGridInRect;

 private:
  std::vector<RPointEntry> down_, move_, up_;
  std::vector<RPhaseEntry> cancel_, redraw_;
};

// The one registry of the program.
TCommandRegistry& CommandRegistry();

// Runs a hook when it is registered.
inline void RunHook(const TPhaseHandler& hook, TcadBox& box) {
  if (hook) hook(box);
}
