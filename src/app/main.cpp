// zuro: plane frame analysis by the displacement method.

#include "app/main_form.h"
#include "commands/framework/command_framework.h"
#include "commands/handlers/command_handlers.h"
#include "platform/event_loop_guard.h"
#include "platform/input_polling_x11.h"
#include "platform/qt_translations.h"

int main(int argc, char** argv) {
  ZuroApplication application(argc, argv);
  InstallQtTranslations(QLocale::system());
  InstallPlatformInputPolling();
  RegisterCommandFramework();
  RegisterCommandHandlers();
  TForm1 form;
  form.show();
  return application.exec();
}
