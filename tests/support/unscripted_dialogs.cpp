#include "support/unscripted_dialogs.h"

#include <gtest/gtest.h>

#include "geometry/codepage.h"
#include "platform/file_services.h"

namespace {

void Fail(const char* what, const std::string& caption, const std::string& text) {
  ADD_FAILURE() << "a " << what << " that the test did not script was shown: caption \"" << Utf8FromCp932(caption)
                << "\", text \"" << Utf8FromCp932(text) << "\"";
}

std::string FileDialogCaption(const FileDialogRequest& request, const char* fallbackUtf8) {
  return request.Title.empty() ? J(fallbackUtf8) : request.Title;
}

}  // namespace

MessageAnswer UnscriptedDialogs::ShowMessageBox(const std::string& text, MessageKind kind, MessageButtons buttons) {
  Fail("message box", MessageCaption(kind), text);
  return buttons == MessageButtons::YesCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
}

bool UnscriptedDialogs::OpenFile(const FileDialogRequest& request, std::filesystem::path&) {
  Fail("file dialog", FileDialogCaption(request, "開く"), Cp932FromPath(request.FileName));
  return false;
}

bool UnscriptedDialogs::SaveFile(const FileDialogRequest& request, std::filesystem::path&) {
  Fail("file dialog", FileDialogCaption(request, "名前を付けて保存"), Cp932FromPath(request.FileName));
  return false;
}

std::string UnscriptedDialogs::InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultText) {
  Fail("input box", caption, prompt);
  return defaultText;
}
