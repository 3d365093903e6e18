#include "platform/event_loop_guard.h"

#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include "geometry/codepage.h"
#include "platform/dialogs.h"
#include "platform/file_services.h"
#include "service_test_support.h"

namespace {

const QEvent::Type kThrowFileError = static_cast<QEvent::Type>(QEvent::User + 1);
const QEvent::Type kThrowOther = static_cast<QEvent::Type>(QEvent::User + 2);
const QEvent::Type kCount = static_cast<QEvent::Type>(QEvent::User + 3);

// An event handler that fails the way a file handler of the program fails.
class FailingHandler : public QObject {
 public:
  int handled = 0;
  bool event(QEvent* e) override {
    if (e->type() == kThrowFileError) throw FileError(J("ファイル \"a.zq4\" を読み込めません。"));
    if (e->type() == kThrowOther) throw 42;
    if (e->type() == kCount) {
      ++handled;
      return true;
    }
    return QObject::event(e);
  }
};

ZuroApplication* GuardedApplication() { return qobject_cast<ZuroApplication*>(TestApplication()); }

TEST(EventLoopGuard, EscapingErrorIsShownAndTheLoopGoesOn) {
  if (!GuardedApplication()) GTEST_SKIP() << "another application object was made first";
  ScriptedDialogs script;
  ScopedDialogs use(script);
  FailingHandler handler;

  QCoreApplication::postEvent(&handler, new QEvent(kThrowFileError));
  QCoreApplication::postEvent(&handler, new QEvent(kCount));
  QCoreApplication::postEvent(&handler, new QEvent(kThrowOther));
  QCoreApplication::postEvent(&handler, new QEvent(kCount));
  QEventLoop loop;
  QTimer::singleShot(0, &loop, &QEventLoop::quit);  // queued after the four events
  loop.exec();

  EXPECT_EQ(handler.handled, 2);  // the events after each failure still ran
  ASSERT_EQ(script.shown.size(), 2u);
  EXPECT_EQ(script.shown[0].text,
            "\x83\x74\x83\x40\x83\x43\x83\x8B \"a.zq4\" "
            "\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1\x81\x42");
  EXPECT_EQ(script.shown[0].messageKind, MessageKind::Error);
  EXPECT_EQ(script.shown[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(script.shown[1].text, J("不明なエラーが発生しました。"));
}

TEST(EventLoopGuard, SentEventsAreGuardedToo) {
  if (!GuardedApplication()) GTEST_SKIP() << "another application object was made first";
  ScriptedDialogs script;
  ScopedDialogs use(script);
  FailingHandler handler;
  QEvent e(kThrowFileError);
  EXPECT_FALSE(QCoreApplication::sendEvent(&handler, &e));
  EXPECT_EQ(script.shown.size(), 1u);
}

TEST(EventLoopGuard, ReportWithoutAnError) {
  ScriptedDialogs script;
  ScopedDialogs use(script);
  ReportException(nullptr);
  EXPECT_TRUE(script.shown.empty());
  ReportException(std::make_exception_ptr(std::runtime_error("plain text")));
  ASSERT_EQ(script.shown.size(), 1u);
  EXPECT_EQ(script.shown[0].text, "plain text");
}

}  // namespace
