#include "support/test_application.h"

#include <QApplication>
#include <QInputDevice>
#include <QPointingDevice>

#include "platform/event_loop_guard.h"

QApplication* TestApplication() {
  if (QCoreApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "zuro_test";
    static char* argv[] = {name, nullptr};
    new ZuroApplication(argc, argv);
    // Qt keeps its input devices in a table that lives until exit; made now,
    // the table outlives the application, whose devices unregister from it.
    QInputDevice::primaryKeyboard();
    QPointingDevice::primaryPointingDevice();
  }
  return qobject_cast<QApplication*>(QCoreApplication::instance());
}
