#pragma once
// The program's application object. An exception that escapes an event
// handler is shown in an error box captioned with the application's title,
// and the program goes back to its event loop, as the platform's default
// error report did.

#include <QApplication>

#include <exception>

class ZuroApplication : public QApplication {
  Q_OBJECT

 public:
  ZuroApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the exception's message (code page 932) in the error box. An
// exception of unknown type shows a fixed text.
void ReportException(std::exception_ptr error);
