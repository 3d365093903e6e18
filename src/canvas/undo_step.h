#pragma once
// One editing step of the single-level undo log. The log must hold exactly
// what the last action added and deleted, so a step opens (the log is
// emptied) only at the first element the action really changes: an action
// that changes nothing leaves the previous step in the log. A step that
// joins the one already open never empties it.

#include <algorithm>
#include <cstdint>
#include <span>

#include "canvas/drawing_store.h"

// How a change meets the undo log: as a new step, or joined to the step
// already open. Every helper of the control that changes the drawing takes
// this, never a bare flag.
enum class UndoJoin : std::uint8_t { NewStep, JoinCurrent };

// The join of the operations that say it with a flag.
constexpr UndoJoin NewStepWhen(bool newStep) { return newStep ? UndoJoin::NewStep : UndoJoin::JoinCurrent; }

class TUndoStep {
 public:
  explicit TUndoStep(Tdrawinp& store, UndoJoin join = UndoJoin::NewStep)
      : store_(store), open_(join == UndoJoin::JoinCurrent) {}

  // Opens the step before a change the store makes by itself (a paste, a
  // rescale, an add the store may still drop); does nothing once it is
  // open. The one place the log is emptied for a new step.
  void Open() {
    changed_ = true;
    if (open_) return;
    store_.ClearUndoLog();
    open_ = true;
  }

  // Adds the element, listed for display at once.
  void Add(const RDrawElement& element) {
    Open();
    store_.AddElement(element);
  }

  // Adds the element unless the store drops it (a line too short or out of
  // range); a dropped element opens nothing. False when it was dropped.
  bool AddChecked(const RDrawElement& element) {
    if (!Tdrawinp::PassesAddCheck(element)) return false;
    Open();
    store_.AddElementChecked(element);
    return true;
  }

  // AddChecked for each, in order: the step opens at the first the store
  // keeps.
  void AddEachChecked(std::span<const RDrawElement> elements) {
    const auto first = std::find_if(elements.begin(), elements.end(), Tdrawinp::PassesAddCheck);
    if (first == elements.end()) return;
    Open();
    store_.AddElementsChecked(std::span<const RDrawElement>(first, elements.end()));
  }

  // Deletes the element at the index; an index outside the list changes
  // nothing and opens nothing.
  void Delete(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= store_.Elements.size()) return;
    Open();
    store_.DeleteElement(index);
  }

  // Deletes the elements at the indices, given from the highest down, in
  // one pass over the list; as deleting them one by one in that order.
  void DeleteDescending(std::span<const std::int32_t> indices) {
    const auto inside = [this](std::int32_t i) {
      return i >= 0 && static_cast<std::size_t>(i) < store_.Elements.size();
    };
    if (std::none_of(indices.begin(), indices.end(), inside)) return;
    Open();
    store_.DeleteElementsDescending(indices);
  }

  // Deletes the element at the index through the pass (logged now, the
  // list closed up at the pass's Finish) and returns its record in the log;
  // an index the pass does not take changes nothing, opens nothing and
  // gives null.
  RDrawElement* Take(TDeletionPass& pass, std::int32_t index) {
    if (!pass.Takes(index)) return nullptr;
    Open();
    return pass.Take(index);
  }

  // Takes through the pass every element choose names (see
  // TDeletionPass::TakeEach); the step opens at the first.
  template <class Choose, class Fix>
  void TakeEach(TDeletionPass& pass, Choose&& choose, Fix&& fix) {
    pass.TakeEach(choose, fix, [this] { Open(); });
  }

  // Something was changed through this step.
  bool Changed() const { return changed_; }

 private:
  Tdrawinp& store_;
  bool open_;
  bool changed_ = false;
};
