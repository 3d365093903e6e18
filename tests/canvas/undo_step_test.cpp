// One undo step per action: the log is emptied at the first real change
// only, a joining step never empties it, deletions and additions are logged
// in their order.

#include "canvas/undo_step.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/element_factory.h"

namespace {

class UndoStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The previous action's step: one added line.
    store.AddElement(Line(0, 0, 10, 0));
    store.AddElement(Line(0, 0, 0, 10));
    store.ClearUndoLog();
    store.AddElement(Line(5, 5, 9, 9));
  }
  Tdrawinp store;
};

TEST_F(UndoStepTest, AnActionThatChangesNothingLeavesThePreviousStep) {
  TUndoStep step(store);
  EXPECT_FALSE(step.AddChecked(Line(1, 1, 1.000001, 1)));  // too short: dropped by the store
  EXPECT_FALSE(step.AddChecked(Line(1, 1, 4e37, 1)));      // out of range
  step.Delete(-1);
  step.Delete(3);
  EXPECT_FALSE(step.Changed());
  ASSERT_EQ(store.UndoLog.size(), 1u);
  EXPECT_EQ(Value(store.UndoLog[0].X2), 9);
  EXPECT_EQ(store.Elements.size(), 3u);
}

TEST_F(UndoStepTest, TheStepOpensAtTheFirstChangeAndHoldsExactlyTheAction) {
  TUndoStep step(store);
  EXPECT_FALSE(step.AddChecked(Line(1, 1, 1, 1)));  // nothing yet
  step.Delete(1);                                   // the log is emptied here
  EXPECT_TRUE(step.AddChecked(Line(2, 2, 3, 3)));
  step.Add(Point(4, 4));
  EXPECT_TRUE(step.Changed());
  ASSERT_EQ(store.UndoLog.size(), 3u);
  EXPECT_EQ(Value(store.UndoLog[0].UndoMark), kUndoDeleted);
  EXPECT_EQ(Value(store.UndoLog[0].Y2), 10);
  EXPECT_EQ(Value(store.UndoLog[1].UndoMark), kUndoAdded);
  EXPECT_EQ(Value(store.UndoLog[1].X2), 3);
  EXPECT_EQ(Value(store.UndoLog[2].Kind), kKindPoint);
  // Every stored element is listed for display at once.
  ASSERT_EQ(store.Elements.size(), 4u);
  EXPECT_EQ(store.DisplayList.back().Index, 3);
  EXPECT_EQ(store.DisplayList[store.DisplayList.size() - 2].Index, 2);
}

TEST_F(UndoStepTest, ATakeThroughADeletionPassOpensTheStepOnlyWhenItTakes) {
  TUndoStep step(store);
  {
    TDeletionPass pass(store);
    EXPECT_EQ(step.Take(pass, 3), nullptr);  // past the list: the previous step stays
    EXPECT_FALSE(step.Changed());
    ASSERT_EQ(store.UndoLog.size(), 1u);
    RDrawElement* record = step.Take(pass, 1);  // the log is emptied here
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(Value(record->Y2), 10);
    EXPECT_EQ(step.Take(pass, 1), nullptr);  // taken already
    ASSERT_NE(step.Take(pass, 0), nullptr);
  }
  EXPECT_TRUE(step.Changed());
  ASSERT_EQ(store.UndoLog.size(), 2u);
  EXPECT_EQ(Value(store.UndoLog[0].Y2), 10);
  EXPECT_EQ(Value(store.UndoLog[1].X2), 10);
  ASSERT_EQ(store.Elements.size(), 1u);
  EXPECT_EQ(Value(store.Elements[0].X2), 9);
}

// The pass's own loop likewise: nothing chosen leaves the previous step;
// the log is emptied before the first record is written.
TEST_F(UndoStepTest, TakingEachChosenOpensTheStepOnlyWhenOneIsChosen) {
  auto noFix = [](RDrawElement&) {};
  {
    TUndoStep step(store);
    TDeletionPass pass(store);
    step.TakeEach(
        pass, [](const RDrawElement&, std::int32_t) { return false; }, noFix);
    EXPECT_FALSE(step.Changed());
  }
  ASSERT_EQ(store.UndoLog.size(), 1u);
  EXPECT_EQ(store.Elements.size(), 3u);
  {
    TUndoStep step(store);
    TDeletionPass pass(store);
    step.TakeEach(
        pass, [](const RDrawElement& e, std::int32_t) { return e.X1 == 0; }, noFix);
    EXPECT_TRUE(step.Changed());
  }
  ASSERT_EQ(store.UndoLog.size(), 2u);
  EXPECT_EQ(Value(store.UndoLog[0].Y2), 10);  // the higher index first
  EXPECT_EQ(Value(store.UndoLog[1].X2), 10);
  ASSERT_EQ(store.Elements.size(), 1u);
  EXPECT_EQ(Value(store.Elements[0].X2), 9);
}

TEST_F(UndoStepTest, AddingManyOpensTheStepOnlyWhenTheStoreKeepsOne) {
  const std::vector<RDrawElement> dropped{Line(1, 1, 1.000001, 1), Line(1, 1, 4e37, 1)};
  {
    TUndoStep step(store);
    step.AddEachChecked(dropped);
    EXPECT_FALSE(step.Changed());
  }
  ASSERT_EQ(store.UndoLog.size(), 1u);  // the previous step stays
  {
    TUndoStep step(store);
    step.AddEachChecked(std::vector<RDrawElement>{dropped[0], Line(2, 2, 8, 2), dropped[1], Line(3, 3, 3, 9)});
    EXPECT_TRUE(step.Changed());
  }
  ASSERT_EQ(store.UndoLog.size(), 2u);
  EXPECT_EQ(Value(store.UndoLog[0].X2), 8);
  EXPECT_EQ(Value(store.UndoLog[1].Y2), 9);
  EXPECT_EQ(store.Elements.size(), 5u);
}

TEST_F(UndoStepTest, AJoiningStepAddsToTheStepInProgress) {
  TUndoStep step(store, UndoJoin::JoinCurrent);
  step.Add(Line(6, 6, 7, 7));
  step.Open();
  ASSERT_EQ(store.UndoLog.size(), 2u);
  EXPECT_EQ(Value(store.UndoLog[0].X2), 9);
  EXPECT_EQ(Value(store.UndoLog[1].X2), 7);
}

}  // namespace
