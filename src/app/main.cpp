// zuro: plane frame analysis by the displacement method.

#include "app/main_form.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"
#include "figures/fittings/fitting_kinds.h"
#include "platform/dialogs.h"
#include "platform/event_loop_guard.h"
#include "platform/input_polling_x11.h"
#include "platform/qt_translations.h"
#include "tools/edit/tool_messages.h"

namespace {

// The tools speak through the platform's message boxes.
void ShowToolMessageBox(ToolMessageKind kind, const std::string& text) {
  if (kind == ToolMessageKind::Warning) {
    ShowWarning(text);
  } else {
    ShowMessage(text);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ZuroApplication application(argc, argv);
  InstallQtTranslations(QLocale::system());
  InstallPlatformInputPolling();
  InstallToolMessageHook(ShowToolMessageBox);
  InstallToolInputHook([](const std::string& caption, const std::string& prompt, const std::string& defaultText) {
    return CurrentDialogs().InputBox(caption, prompt, defaultText);
  });
  RegisterCommandFramework();
  RegisterCommandHandlers();
  RegisterFittingKinds();
  TForm1 form;
  form.show();
  return application.exec();
}
