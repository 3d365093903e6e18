#include "platform/event_loop_guard.h"

#include "geometry/codepage.h"
#include "platform/dialogs.h"

ZuroApplication::ZuroApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ZuroApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ReportException(std::current_exception());
    return false;
  }
}

void ReportException(std::exception_ptr error) {
  if (!error) return;
  std::string text;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text = J("不明なエラーが発生しました。");
  }
  // The report itself must not throw back into the event loop.
  try {
    CurrentDialogs().ShowMessageBox(text, MessageKind::Error, MessageButtons::Ok);
  } catch (...) {
  }
}
