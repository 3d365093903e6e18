#pragma once
// The one way commands are tested: a canvas control made offscreen and
// configured as the program configures it, both registrations of the
// commands, mouse events sent at drawing coordinates through the control's
// own handlers, and what a host sees afterwards: the store, the undo log,
// BanGo_Click, the hint, the top caption, notifications, dialogs, and the
// image compared with a fresh full redraw.
//
// The view shows the drawing from (0, 0) to (128, 96) at 5 pixels per
// drawing unit (zoom 1), so whole coordinates fall on whole pixels.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "canvas/cad_box.h"
#include "platform/dialogs.h"
#include "platform/host_notifications.h"
#include "platform/input_polling.h"
#include "support/element_factory.h"

inline constexpr int kHarnessPixelsPerUnit = 5;

// One BanGo_Click as the host saw it.
struct RBanGoCall {
  Sbuttontype Mode;
  int GenBan;
  bool operator==(const RBanGoCall&) const = default;
};

// An element as one line of text, for failure messages.
std::string DescribeElement(const RDrawElement& e, const Tdrawinp::TextList* texts = nullptr);

class CommandHarness : public ::testing::Test {
 protected:
  CommandHarness();
  ~CommandHarness() override;
  void SetUp() override;
  void TearDown() override;

  TcadBox& Box() { return *box_; }
  Tdrawinp& Store() { return *box_->Draw1; }

  // ---- The mouse, at drawing coordinates. The shift byte: 1 Shift, 2 Alt,
  // 4 Ctrl, 8 left, 16 right, 32 middle. A press carries the buttons down
  // with the one just pressed; a move and a release carry the modifiers and
  // the buttons still held.
  void MoveTo(double x, double y, TShiftState modifiers = 0);
  // Presses the button of `shift` that is not held yet.
  void Press(double x, double y, TShiftState shift);
  // Releases one button (its bit); the modifiers of the last press stay
  // unless given.
  void Release(double x, double y, TShiftState button, int modifiers = -1);
  // Move there, press, release.
  void Click(double x, double y, TShiftState shift = ssLeft);
  // Move to the start, press, move to the end with the button held, release.
  void Drag(double x1, double y1, double x2, double y2, TShiftState shift = ssLeft);
  // The cursor leaves the control, or comes back.
  void Leave();
  void Enter();

  int PixelX(double x) const { return box_->WorldToScreenX(x); }
  int PixelY(double y) const { return box_->WorldToScreenY(y); }
  // The pixel on the screen at a drawing point, after the paint the event
  // loop would make.
  TColor PixelAt(double x, double y);

  // A new case of a table: the cancel-all, an empty drawing on a fresh
  // picture, and the mode set.
  void StartAfresh(Sbuttontype mode);

  // ---- The store. Seeded elements are stored as they are given (a line
  // the store drops is dropped), outside any undo step (the log is empty
  // afterwards), and drawn by a full redraw.
  void Seed(std::initializer_list<RDrawElement> elements);
  // A text element with its string (UTF-8 in the test, stored as code page 932).
  RDrawElement SeedText(const char* utf8, double x1, double y1, double x2, double y2, std::uint8_t style = 1);
  const std::vector<RDrawElement>& Elements() { return Store().Elements; }
  const std::vector<RDrawElement>& UndoLog() { return Store().UndoLog; }
  // The string of a text element of the drawing, or of the undo log.
  std::string TextOf(const RDrawElement& e) const;
  std::string UndoTextOf(const RDrawElement& e) const;

  // Records compared field by field (coordinates to 1e-9); a failure
  // prints both lists as text.
  void ExpectElements(const std::vector<RDrawElement>& want);
  void ExpectUndoLog(const std::vector<RDrawElement>& want);

  // ---- What the host sees.
  // Every BanGo_Click with the mode and GenBan as the handlers left them;
  // the recorder then resets GenBan as a host does.
  std::vector<RBanGoCall> BanGoCalls;
  const std::string& Hint() const { return box_->Hint(); }
  const std::string& TopMessage() const { return box_->TopMessage; }
  // The notifications posted so far, delivered and given as "TFrame5+116",
  // in order of posting; the list is emptied.
  std::vector<std::string> TakeNotifications();
  ScriptedDialogs& Dialogs() { return dialogs_; }
  FakeInputPolling& Input() { return input_; }

  // The cancel-all, as the host's buttons and the gestures call it.
  void CancelCommands();
  // A key pressed while the control has the focus (a navigation key goes
  // to ChildKey first), and the wheel turned at a drawing point: delta
  // below 0 towards the user.
  void PressKey(std::uint16_t key, TShiftState shift = 0);
  void TurnWheel(double x, double y, int delta, TShiftState shift = 0);

  // ---- The image. The control's image, with what is waiting to be
  // painted painted, must equal a fresh full redraw of the same store: a
  // preview left behind or erased twice fails. The point marker, the ring
  // cursor and the top caption, which a redraw forgets, are drawn again
  // over the fresh picture when they were on the screen, and stay.
  //
  // A paint of the whole control still waiting would make the shown image
  // a fresh redraw itself, so the check could not fail: the set-up and the
  // seeding apply their paint at once, as the event loop would before the
  // first input, and the check fails, naming the cause, when such a paint
  // is waiting that no input or cancel asked for.
  void ExpectScreenMatchesRedraw();
  // The full redraw a host makes after changing the drawing itself, and
  // the paint after it.
  void RedrawAsTheHostDoes();
  // What the event loop does before the next input: paints what is waiting.
  // For a test that changed the control directly before looking at it.
  void ApplyPendingPaint();

 private:
  class Listener;
  std::unique_ptr<TcadBox> box_;
  ScriptedDialogs dialogs_;
  FakeInputPolling input_;
  std::unique_ptr<ScopedDialogs> scopedDialogs_;
  std::unique_ptr<ScopedInputPolling> scopedInput_;
  std::vector<std::unique_ptr<Listener>> listeners_;
  std::vector<std::string> notifications_;
  // Runs one input through the control, noting a paint of the whole
  // control that the input itself asked for.
  template <class Action>
  void Dispatch(Action&& input);

  TShiftState held_ = 0;
  TShiftState modifiers_ = 0;
  std::uint64_t wholePaintsSeen_ = 0;  // whole-control paints asked for by inputs or applied
};
