#pragma once
// Installs a hook that records every tool message instead of showing it, and
// removes it again at the end of the scope.

#include <string>
#include <vector>

#include "tools/edit/tool_messages.h"

struct RecordedToolMessage {
  ToolMessageKind Kind;
  std::string Text;  // code page 932
};

class ToolMessageRecorder {
 public:
  ToolMessageRecorder() {
    InstallToolMessageHook(
        [this](ToolMessageKind kind, const std::string& text) { Messages.push_back({kind, text}); });
  }
  ~ToolMessageRecorder() { InstallToolMessageHook({}); }
  ToolMessageRecorder(const ToolMessageRecorder&) = delete;
  ToolMessageRecorder& operator=(const ToolMessageRecorder&) = delete;

  std::vector<RecordedToolMessage> Messages;
};
