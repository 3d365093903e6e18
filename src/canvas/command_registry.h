#pragma once
// The table through which the canvas reaches the command handlers. The
// command library fills it at start; the canvas's mouse dispatch, cancel-all,
// full redraw and the few mode-dependent steps of its own operations walk
// it. Each handler set keeps its fixed position in each sequence (its rank,
// 1 first), whatever the order in which the sets were registered, so a
// family added later slots into its own row. The canvas never names a
// command mode itself: what a mode adds to the canvas is a hook of the set
// that owns the mode.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "canvas/command_modes.h"
#include "platform/custom_control.h"

class TcadBox;

// Down, Move and Up handlers: (box, Shift, x, y) with x, y in drawing units.
using TPointHandler = std::function<void(TcadBox&, TShiftState, double, double)>;
// Cancel, redraw and reset phases, and the single hooks of the paint.
using TPhaseHandler = std::function<void(TcadBox&)>;
// Finish phases, run by the confirm gestures with their flag.
using TFinishHandler = std::function<void(TcadBox&, std::uint8_t)>;
using TRectHook = std::function<void(TcadBox&, double, double, double, double)>;
// An operation on one element-list position.
using TIndexHook = std::function<void(TcadBox&, std::int32_t)>;
// The gesture executor of the release: (box, button, Shift, x, y).
using TReleaseHook = std::function<void(TcadBox&, TMouseButton, TShiftState, double, double)>;
// The cursor number of a mode; nothing keeps the cursor as it is. The rule
// may use up the host's cursor variant (cursorHan).
using TCursorRule = std::function<std::optional<int>(Sbuttontype mode, std::uint8_t ringHan, std::uint8_t& cursorHan)>;
// Rescales the copy buffer of a running command with its group; false leaves
// it to the canvas's own rescale of the buffer's elements of that group.
using TRescaleHook = std::function<bool(TcadBox&, double factor)>;

// The cross-hair set comes first in every sequence; in the move sequence it
// runs even while a view gesture holds back the other move handlers.
inline constexpr int kRingCursorRank = 1;

// What the owner of the running mode adds to the canvas's own operations.
struct RModeHooks {
  // Leaving the control: XOR-draws the running command's preview once more,
  // which erases it, and notes that it is gone.
  TPhaseHandler Leave{};
  TCursorRule Cursor{};
  // A two-button view gesture changed the view.
  TPhaseHandler AfterViewGesture{};
  TRescaleHook RescaleBuffer{};
  // A paint rebuilds the display lists instead of refiltering them.
  bool PaintRebuildsLists = false;
};

// One handler set (a command family). Rank 0: the set has no handler there.
// A set may be registered before its handlers are written: it then owns its
// modes and places, and answers nothing.
struct RHandlerSet {
  std::string Name{};
  std::vector<Sbuttontype> Modes{};  // the modes its down handler answers
  int DownRank = 0;
  int MoveRank = 0;
  int UpRank = 0;
  TPointHandler Down{};
  TPointHandler Move{};
  TPointHandler Up{};
  RModeHooks Hooks{};
  // The command library's own row of the set (what its modes take from the
  // point assists and offer the gesture menu); the canvas never reads it.
  std::shared_ptr<const void> Row{};
};

// Where a redraw phase runs.
enum class RedrawStage : std::uint8_t {
  BeforeGrid,         // full redraw only: after the paper outline
  EveryPaint,         // every paint and the full redraw, before the grid
  AfterElements,      // after the elements, before RubberErased is set
  AfterRubberErased,  // after RubberErased is set
};

struct RPhaseEntry {
  std::string Name;
  int Rank = 0;                                    // redraw phases: the stage's thousands plus the rank within it
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
  // Resets of a family's own data, run by the cancel-all with the command state.
  void AddResetPhase(const std::string& name, TPhaseHandler phase);
  // Phases reached only by name (point assists, gestures).
  void AddNamedPhase(const std::string& name, TPhaseHandler phase);
  void AddFinishPhase(const std::string& name, TFinishHandler finish);
  // An up handler of its own in the up sequence, outside any set.
  void AddUpEntry(const std::string& name, int rank, TPointHandler up);
  void Clear();

  // The sequences in rank order.
  const std::vector<RPointEntry>& DownSequence() const { return down_; }
  const std::vector<RPointEntry>& MoveSequence() const { return move_; }
  const std::vector<RPointEntry>& UpSequence() const { return up_; }
  const std::vector<RPhaseEntry>& CancelSequence() const { return cancel_; }
  const std::vector<RPhaseEntry>& RedrawSequence() const { return redraw_; }
  const std::vector<RPhaseEntry>& ResetSequence() const { return reset_; }

  // Every registered set, in the order of registration.
  const std::vector<RHandlerSet>& HandlerSets() const { return sets_; }
  const RHandlerSet* FindHandlerSet(const std::string& name) const;
  // The sets whose down handler answers the mode, in the order of their down
  // ranks (registration order among sets without a down rank).
  std::vector<const RHandlerSet*> OwnersOf(Sbuttontype mode) const;

  // A cancel, redraw, reset or named phase, or a finish, run by name. An
  // unregistered name is a mistake of the program: a debug build stops
  // with its name; otherwise it does nothing and gives false.
  bool RunPhase(const std::string& name, TcadBox& box) const;
  bool RunFinish(const std::string& name, TcadBox& box, std::uint8_t flag) const;
  bool HasPhase(const std::string& name) const { return FindPhase(name) != nullptr; }
  bool HasFinish(const std::string& name) const;

  // Single hooks of the command framework that the canvas calls; empty
  // until the framework registers them.
  TPhaseHandler UpdateCommandCursor;
  TPhaseHandler ToggleRingCursor;
  TPhaseHandler EraseRingCursor;
  TPhaseHandler DrawGrid;
  TRectHook RedrawGridInRect;
  TReleaseHook ExecuteDragGesture;
  // Withdraws the highlight of a picked element (the cancel-all's picks).
  TIndexHook DeselectElement;

 private:
  void RebuildOwners();
  const TPhaseHandler* FindPhase(const std::string& name) const;

  std::vector<RPointEntry> down_, move_, up_;
  std::vector<RPhaseEntry> cancel_, redraw_, reset_, named_;
  std::vector<std::pair<std::string, TFinishHandler>> finishes_;
  std::vector<RHandlerSet> sets_;
  // Positions in sets_, so a copy of the registry stays whole.
  std::array<std::vector<std::size_t>, 256> owners_;
};

// The one registry of the program.
TCommandRegistry& CommandRegistry();

// Runs a hook when it is registered.
inline void RunHook(const TPhaseHandler& hook, TcadBox& box) {
  if (hook) hook(box);
}
