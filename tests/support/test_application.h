#pragma once
// The one application object of a test program: the program's own class,
// made before the first test and ended after the last, while Qt's tables
// of input devices still exist.

class QApplication;

QApplication* TestApplication();
