// The tools' message hook: nothing shows without a hook; an installed hook
// receives the text and its kind.

#include "tools/edit/tool_messages.h"

#include <gtest/gtest.h>

#include "support/tool_message_recorder.h"

namespace {

TEST(ToolMessages, WithoutAHookNothingIsShown) {
  int calls = 0;
  InstallToolMessageHook([&calls](ToolMessageKind, const std::string&) { ++calls; });
  InstallToolMessageHook({});
  ShowToolMessage("a");
  ShowToolWarning("b");
  EXPECT_EQ(calls, 0);
}

TEST(ToolMessages, TheInstalledHookReceivesKindAndBytes) {
  ToolMessageRecorder recorder;
  // "ピッチを上げて下さい。" in code page 932.
  const std::string text = "\x83\x73\x83\x62\x83\x60\x82\xf0\x8f\xe3\x82\xb0\x82\xc4\x89\xba\x82\xb3\x82\xa2\x81\x42";
  ShowToolWarning(text);
  ShowToolMessage("done");
  ASSERT_EQ(recorder.Messages.size(), 2u);
  EXPECT_EQ(recorder.Messages[0].Kind, ToolMessageKind::Warning);
  EXPECT_EQ(recorder.Messages[0].Text, text);
  EXPECT_EQ(recorder.Messages[1].Kind, ToolMessageKind::Plain);
  EXPECT_EQ(recorder.Messages[1].Text, "done");
}

TEST(ToolMessages, TheInputBoxAnswersOrKeepsTheDefault) {
  // No hook: the default is the answer.
  EXPECT_EQ(AskToolText("c", "p", "INPUT"), "INPUT");
  ToolMessageRecorder recorder;
  recorder.Answers = {std::string("abc"), std::nullopt};
  EXPECT_EQ(AskToolText("cap", "prompt", "def"), "abc");
  EXPECT_EQ(AskToolText("cap", "prompt", "def"), "def");  // cancelled
  ASSERT_EQ(recorder.Inputs.size(), 2u);
  EXPECT_EQ(recorder.Inputs[0].Caption, "cap");
  EXPECT_EQ(recorder.Inputs[0].Prompt, "prompt");
  EXPECT_EQ(recorder.Inputs[0].Default, "def");
}

}  // namespace
