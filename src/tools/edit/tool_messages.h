#pragma once
// How the tools speak to the user: a message, plain or a warning, in code
// page 932. The program installs a hook at start that shows the platform's
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
