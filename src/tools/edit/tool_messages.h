#pragma once
// How the tools speak to the user: a message, plain or a warning, in code
// page 932, and the one-line input box "文字入力". The program installs a hook at start that shows the platform's
// message box; tests install a recorder. With no hook installed nothing is
// shown, so a tool never depends on a display.

#include <functional>
#include <string>

enum class ToolMessageKind { Plain, Warning };

using ToolMessageHook = std::function<void(ToolMessageKind kind, const std::string& text)>;

// Replaces the installed hook; an empty hook shows nothing.
void InstallToolMessageHook(ToolMessageHook hook);

void ShowToolMessage(const std::string& text);
void ShowToolWarning(const std::string& text);

// The one-line input box: the answer, or defaultText when the user cancels.
// With no hook installed the default is the answer.
using ToolInputHook =
    std::function<std::string(const std::string& caption, const std::string& prompt, const std::string& defaultText)>;

void InstallToolInputHook(ToolInputHook hook);

std::string AskToolText(const std::string& caption, const std::string& prompt, const std::string& defaultText);
