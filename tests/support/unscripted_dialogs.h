#pragma once
// The default dialogs of every test program: a box, file dialog or input box
// that a test did not script fails that test at once, naming its caption and
// text, and is answered as if cancelled, so a test never waits on a window
// nobody will close. Tests that expect a box install a ScriptedDialogs; the
// tests of the Qt dialogs themselves install PlatformDialogs().

#include "platform/dialogs.h"

class UnscriptedDialogs : public Dialogs {
 public:
  MessageAnswer ShowMessageBox(const std::string& text, MessageKind kind, MessageButtons buttons) override;
  bool OpenFile(const FileDialogRequest& request, std::filesystem::path& chosen) override;
  bool SaveFile(const FileDialogRequest& request, std::filesystem::path& chosen) override;
  std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultText) override;
};
