#pragma once
// How a command family enters the canvas's command registry. Every family
// file opens with its rows: the handler set's name, which places it in the
// fixed dispatch order, the modes its down handler answers, its handlers,
// its cancel, redraw, finish and reset phases, what its modes add to the
// canvas's own operations (mouse leave, cursor, paint, rescale), what they
// take back from a point assist, what they offer the drag-gesture menu and
// what its release carries out for the gesture codes they claim.
// The framework asks the row of the running mode for these, so a family
// added later touches only its own file and the dispatch order. The ranks
// and the places of the phases are read from the one dispatch-order table
// of dispatch_order.cpp, never written in a row.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "canvas/command_registry.h"
#include "geometry/angles_points.h"

struct RNamedPhase {
  std::string Name{};
  TPhaseHandler Phase{};
};

struct RNamedFinish {
  std::string Name{};
  TFinishHandler Finish{};
};

// Where an interrupted command's next click would put its point: the slot a
// midpoint assist reads and the slots the handed-back point is written to.
struct RAssistSlot {
  RPoint2D* Pending = nullptr;    // the slot the step fills; null: the command takes no point
  std::vector<RPoint2D*> Also{};  // filled with it
  Sbuttontype Restore = dtNo;     // the mode the command goes on in
  std::uint8_t SetStep = 0xFF;    // CommandStep afterwards (0xFF: unchanged)
  bool EraseRubber = false;       // RubberErased := True
  bool FarPreview = false;        // the copy commands' last preview moves out of sight
  bool Marker = false;            // the point marker at the point
  bool RedrawFirst = false;       // the line previews drawn again first
};

// Fills the slot of one of the family's modes by the command's step. The
// slot comes in restoring that mode and taking nothing.
using TAssistSlotRule = std::function<void(TcadBox&, Sbuttontype mode, RAssistSlot&)>;

// What a family's modes take back from the point assists. Each is run with
// the point in AssistPoint.
struct RAssistHooks {
  TAssistSlotRule Slot{};
  TPhaseHandler Point{};    // after the point was written into the slots: derived values, previews
  TPhaseHandler Segment{};  // before a midpoint assist writes: a segment paste between its two points
  // The two-step assists: the restored command takes the point by its own
  // steps, with the Shift state and position of the assist's last release
  // (for a handler it re-enters).
  TPointHandler Resume{};
};

// The drag-gesture menu. A drag is sorted into a side by its buttons and
// into one of eight sectors (0 east, counted anticlockwise) by direction.
enum class GestureSide : std::uint8_t { Left, Right };

enum class GestureOutcome : std::uint8_t {
  Choose,   // a cursor caption at the press point
  Toggle,   // a caption at the top left; the cursor caption goes out of sight
  Message,  // a caption at the top left
  Swallow,  // the drag is taken; nothing will happen
  None,     // no gesture
  Nothing,  // no gesture; one chosen earlier in this drag stays armed
  Offers,   // the menu's own rows only: here the running mode's offers are tried
};

// Extras of a menu row.
enum GestureExtra : std::uint8_t {
  kKeepSavedMode = 1,    // the interrupted mode stays what it was
  kKeepAnchor = 2,       // a toggle whose cursor caption stays in sight
  kEndChange = 4,        // EndChangeFlag := True
  kConfirmCopy = 8,      // RangeConfirmKind := 2
  kConfirmSnapped = 16,  // RangeConfirmKind := 3
  kBlueLabel = 32,       // LabelColour := 3
  kRedLabel = 64,        // LabelColour := 2
};

struct RGestureRow {
  std::uint8_t Sector = 0;
  std::function<bool(const TcadBox&)> When{};  // empty: always
  GestureOutcome Result = GestureOutcome::Nothing;
  const char* Caption = "";  // UTF-8 in the source
  Sbuttontype Code = dtNo;
  std::uint8_t Extras = 0;
};

// A row a family offers the menu for some of its modes; they are tried, in
// the family's order, before the menu's own rows of the sector.
struct RGestureOffer {
  GestureSide Side = GestureSide::Left;
  std::vector<Sbuttontype> Modes{};  // of the family's modes; empty: all of them
  RGestureRow Row{};
};

// What the release carries out for a gesture code the menu armed
// (PendingGesture), run with that code. A code is claimed by one row at
// most: a family's, or the menu's own for the codes no family owns.
using TGestureHandler = std::function<void(TcadBox&, Sbuttontype code)>;
struct RGestureAction {
  std::vector<Sbuttontype> Codes{};
  TGestureHandler Run{};
};

struct RCommandFamily {
  std::string Name{};
  std::vector<Sbuttontype> Modes{};
  TPointHandler Down{};
  TPointHandler Move{};
  TPointHandler Up{};
  std::vector<RNamedPhase> Cancels{};    // placed by the cancel-all's order
  std::vector<RNamedPhase> Redraws{};    // placed by the full redraw's order
  std::vector<RNamedFinish> Finishes{};  // run by the confirm gestures
  std::vector<RNamedPhase> Phases{};     // reached by name only
  TPhaseHandler Reset{};                 // the family's own data at the cancel-all
  RModeHooks Hooks{};
  RAssistHooks Assist{};
  std::vector<RGestureOffer> Gestures{};
  std::vector<RGestureAction> GestureActions{};  // the codes the family claims
};

// The rows of the families that own a mode, in the order of their down
// ranks.
std::vector<const RCommandFamily*> FamilyRowsOf(Sbuttontype mode);

// Where a point assist puts its point in the interrupted command
// (SavedMode), as the command's row says.
RAssistSlot AssistSlotOf(TcadBox& box);
// A copy or move range: the point is the base point of the copy or move
// that follows, which the command goes on in.
void RangeBaseAssistSlot(TcadBox& box, Sbuttontype goOnIn, RAssistSlot& slot);
// A command placed by its first point at once: the point ends the step.
void PlacedAtOnceAssistSlot(TcadBox& box, Sbuttontype mode, RAssistSlot& slot);
// The slot by B_Switch: off, on1, and any other.
RPoint2D* SlotBySwitch(TcadBox& box, RPoint2D* off, RPoint2D* one, RPoint2D* other);

// The drag bands of the gesture menu and the offers most families share.
bool NearGestureBand(const TcadBox& box);
bool FarGestureBand(const TcadBox& box);
// The drag is taken and does nothing.
RGestureOffer SwallowedDrag(GestureSide side, std::uint8_t sector, std::vector<Sbuttontype> modes = {},
                            std::function<bool(const TcadBox&)> when = {});
// The confirm gesture (north) arming the code.
RGestureOffer ConfirmGesture(GestureSide side, Sbuttontype code, std::vector<Sbuttontype> modes = {},
                             std::function<bool(const TcadBox&)> when = {}, std::uint8_t extras = 0);
// A command placing by points: dimensions (south) and offsets (south-east)
// near as well as far.
RGestureOffer DimensionGesture(std::vector<Sbuttontype> modes = {});
RGestureOffer OffsetGesture(std::vector<Sbuttontype> modes = {});
// The dimension commands' far drag east toggles X and Y.
RGestureOffer DimensionAxisToggle();
// A command whose open step has the envelope all the same.
RGestureOffer EnvelopeGesture();

// The menu's own gesture actions: the envelope drag, the attribute
// gestures, the confirmed copy ranges, the codes handed to the host as an
// action number and the point assists' starts.
const std::vector<RGestureAction>& MenuGestureActions();
// The action the release carries out for a gesture code: the one of the
// row that claims it, else the menu's own; null when none claims it.
const RGestureAction* GestureActionOf(Sbuttontype code);
// Where a drag's caption goes out of sight.
inline constexpr RPoint2D kGestureLabelOutOfSight{-1000000.0, -1000000.0};
// The two-point gestures: a snapped press point starts the interrupted
// command's two-point variant in `mode`; nothing near the press starts the
// point assist of the code instead.
void StartTwoPointGesture(TcadBox& box, Sbuttontype code, Sbuttontype mode);
// The line previews a point assist leaves on the screen are drawn again.
void RedrawLinePreviews(TcadBox& box);

// Puts the family into the registry at its places. A name missing from the
// dispatch order, a phase missing from the cancel or redraw order, a phase
// without a name or a handler, a phase name another family's row uses, a
// gesture action without a code or a handler, or a gesture code the menu
// or another family's row claims is a mistake of the program and throws
// std::logic_error.
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
