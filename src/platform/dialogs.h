#pragma once
// Modal message boxes, the open and save file dialogs and the one-line input
// box. Everything goes through one Dialogs object: the program uses the Qt
// one, tests install a ScriptedDialogs that records what was shown and gives
// the answers a test queued. Texts and captions are code page 932 bytes.

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class MessageKind { Plain, Information, Warning, Error, Confirmation };
enum class MessageButtons { Ok, YesCancel };
enum class MessageAnswer { Ok, Yes, Cancel };

struct FileDialogRequest {
  std::string Title;               // empty: "開く" or "名前を付けて保存"
  std::string Filter;              // "Text|*.a;*.b|Other|*.c"
  int FilterIndex = 1;             // 1-based choice of the filter pairs
  std::string DefaultExt;          // without the dot; added to a name typed without one
  std::filesystem::path FileName;  // proposed name (folder and file)
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MessageAnswer ShowMessageBox(const std::string& text, MessageKind kind, MessageButtons buttons) = 0;
  // true with the chosen file; false when the user cancels.
  virtual bool OpenFile(const FileDialogRequest& request, std::filesystem::path& chosen) = 0;
  virtual bool SaveFile(const FileDialogRequest& request, std::filesystem::path& chosen) = 0;
  // The text entered, or defaultText when the user cancels.
  virtual std::string InputBox(const std::string& caption, const std::string& prompt,
                               const std::string& defaultText) = 0;
};

// The dialogs in use; the default ones unless a test installed others.
Dialogs& CurrentDialogs();
void InstallDialogs(Dialogs* dialogs);  // nullptr restores the default ones
// The default dialogs: the Qt ones unless replaced (a test program makes
// its default fail the running test, so that no test waits on a real box).
// nullptr makes the Qt ones the default again.
void SetDefaultDialogs(Dialogs* dialogs);
// The Qt dialogs themselves, for the tests of those dialogs.
Dialogs& PlatformDialogs();

// The plain message box and the error report are captioned with the
// application's title ("Zuro").
const std::string& ApplicationTitle();
void SetApplicationTitle(const std::string& title);
// The caption of a message box of a kind: "情報", "警告", "確認", else the title.
std::string MessageCaption(MessageKind kind);

// The shapes of box the program shows.
inline void ShowMessage(const std::string& text) {
  CurrentDialogs().ShowMessageBox(text, MessageKind::Plain, MessageButtons::Ok);
}
inline void ShowWarning(const std::string& text) {
  CurrentDialogs().ShowMessageBox(text, MessageKind::Warning, MessageButtons::Ok);
}
inline void ShowConfirmation(const std::string& text) {
  CurrentDialogs().ShowMessageBox(text, MessageKind::Confirmation, MessageButtons::Ok);
}
// The warning with Yes and Cancel; true for Yes.
inline bool AskWarningYesCancel(const std::string& text) {
  return CurrentDialogs().ShowMessageBox(text, MessageKind::Warning, MessageButtons::YesCancel) == MessageAnswer::Yes;
}

// A filter "Text|*.a;*.b|Other|*.c" as its pairs of description and
// patterns, the patterns split at ";". A description without patterns is
// dropped.
struct FilterEntry {
  std::string Description;
  std::vector<std::string> Patterns;
};
std::vector<FilterEntry> ParseFileFilter(const std::string& filter);

// The name with "." + ext appended when its file part has no extension.
std::filesystem::path WithDefaultExtension(const std::filesystem::path& name, const std::string& ext);

// Records every dialog and answers from the queues; with an empty queue a
// message box is answered Ok (Cancel when it offers Yes and Cancel), and a
// file dialog or input box is cancelled.
class ScriptedDialogs : public Dialogs {
 public:
  enum class Kind { Message, Open, Save, Input };
  struct Shown {
    Kind kind;
    std::string text;  // message text, or the input box prompt
    MessageKind messageKind = MessageKind::Plain;
    MessageButtons buttons = MessageButtons::Ok;
    FileDialogRequest request;
    std::string caption, defaultText;  // input box
  };

  std::vector<Shown> shown;
  std::deque<MessageAnswer> messageAnswers;
  std::deque<std::optional<std::filesystem::path>> fileAnswers;  // nullopt: cancel
  std::deque<std::optional<std::string>> inputAnswers;           // nullopt: cancel

  MessageAnswer ShowMessageBox(const std::string& text, MessageKind kind, MessageButtons buttons) override;
  bool OpenFile(const FileDialogRequest& request, std::filesystem::path& chosen) override;
  bool SaveFile(const FileDialogRequest& request, std::filesystem::path& chosen) override;
  std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultText) override;

 private:
  bool AnswerFile(Kind kind, const FileDialogRequest& request, std::filesystem::path& chosen);
};

class ScopedDialogs {
 public:
  explicit ScopedDialogs(Dialogs& dialogs) { InstallDialogs(&dialogs); }
  ~ScopedDialogs() { InstallDialogs(nullptr); }
  ScopedDialogs(const ScopedDialogs&) = delete;
  ScopedDialogs& operator=(const ScopedDialogs&) = delete;
};
