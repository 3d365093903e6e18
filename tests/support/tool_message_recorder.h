#pragma once
// Installs hooks that record every tool message instead of showing it and
// answer the input box from Answers (an empty optional cancels; with none
// left the box is cancelled), and removes them at the end of the scope.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tools/edit/tool_messages.h"

struct RecordedToolInput {
  std::string Caption;  // code page 932
  std::string Prompt;
  std::string Default;
};

struct RecordedToolMessage {
  ToolMessageKind Kind;
  std::string Text;  // code page 932
};

class ToolMessageRecorder {
 public:
  ToolMessageRecorder() {
    InstallToolMessageHook([this](ToolMessageKind kind, const std::string& text) { Messages.push_back({kind, text}); });
    InstallToolInputHook([this](const std::string& caption, const std::string& prompt, const std::string& def) {
      Inputs.push_back({caption, prompt, def});
      if (Answers.empty()) return def;
      std::optional<std::string> answer = Answers.front();
      Answers.pop_front();
      return answer ? *answer : def;
    });
  }
  ~ToolMessageRecorder() {
    InstallToolMessageHook({});
    InstallToolInputHook({});
  }
  ToolMessageRecorder(const ToolMessageRecorder&) = delete;
  ToolMessageRecorder& operator=(const ToolMessageRecorder&) = delete;

  std::vector<RecordedToolMessage> Messages;
  std::vector<RecordedToolInput> Inputs;
  std::deque<std::optional<std::string>> Answers;
};
