#include "tools/edit/tool_messages.h"

#include <utility>

namespace {

ToolMessageHook& InstalledHook() {
  static ToolMessageHook hook;
  return hook;
}

void Show(ToolMessageKind kind, const std::string& text) {
  const ToolMessageHook& hook = InstalledHook();
  if (hook) hook(kind, text);
}

ToolInputHook& InstalledInputHook() {
  static ToolInputHook hook;
  return hook;
}

}  // namespace

void InstallToolMessageHook(ToolMessageHook hook) { InstalledHook() = std::move(hook); }

void ShowToolMessage(const std::string& text) { Show(ToolMessageKind::Plain, text); }

void ShowToolWarning(const std::string& text) { Show(ToolMessageKind::Warning, text); }

void InstallToolInputHook(ToolInputHook hook) { InstalledInputHook() = std::move(hook); }

std::string AskToolText(const std::string& caption, const std::string& prompt, const std::string& defaultText) {
  const ToolInputHook& hook = InstalledInputHook();
  return hook ? hook(caption, prompt, defaultText) : defaultText;
}
