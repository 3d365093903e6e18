#include "platform/tool_windows.h"

#include <QWidget>

void MakeToolWindow(QWidget* window, QWidget* mainWindow) {
  if (!window) return;
  // A Qt::Tool window with a parent is kept above that parent by the window system.
  window->setParent(mainWindow, Qt::Tool);
  window->setWindowModality(Qt::NonModal);
}

void ShowToolWindow(QWidget* window, QWidget* mainWindow, int dx, int dy) {
  if (!window) return;
  if (window->parentWidget() != mainWindow || !(window->windowFlags() & Qt::Tool)) {
    MakeToolWindow(window, mainWindow);
  }
  const QPoint origin = mainWindow ? mainWindow->frameGeometry().topLeft() : QPoint(0, 0);
  window->move(origin + QPoint(dx, dy));
  window->show();
  window->raise();
}
