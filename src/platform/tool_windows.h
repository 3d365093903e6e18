#pragma once
// Modeless tool windows (the input dialogs): they stay above the main window,
// take no place in the task bar, and are shown without waiting, so the main
// window stays usable while they are open.

class QWidget;

// Makes window a tool window of mainWindow (its parent), keeping the
// window's own widgets and contents.
void MakeToolWindow(QWidget* window, QWidget* mainWindow);

// Places the tool window with its top left at the main window's top left
// plus (dx, dy) pixels and shows it without waiting.
void ShowToolWindow(QWidget* window, QWidget* mainWindow, int dx, int dy);
