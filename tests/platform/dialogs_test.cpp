#include "platform/dialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QWidget>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <fstream>

#include "geometry/codepage.h"
#include "platform/tool_windows.h"
#include "service_test_support.h"

namespace fs = std::filesystem;

namespace {

QString FromUtf8(const char* s) { return QString::fromUtf8(s); }

TEST(Dialogs, FiltersOfTheDataAndReportFiles) {
  const std::vector<FilterEntry> open =
      ParseFileFilter(J("Zuroﾌｧｲﾙ(すべて)|*.zq4;*.zq3|新Zuroﾌｧｲﾙ|*.zq4|旧Zuroﾌｧｲﾙ|*.zq3"));
  ASSERT_EQ(open.size(), 3u);
  EXPECT_EQ(open[0].Description, "Zuro\xCC\xA7\xB2\xD9(\x82\xB7\x82\xD7\x82\xC4)");
  EXPECT_EQ(open[0].Patterns, (std::vector<std::string>{"*.zq4", "*.zq3"}));
  EXPECT_EQ(open[1].Description, "\x90\x56Zuro\xCC\xA7\xB2\xD9");
  EXPECT_EQ(open[1].Patterns, std::vector<std::string>{"*.zq4"});
  EXPECT_EQ(open[2].Patterns, std::vector<std::string>{"*.zq3"});

  struct Case {
    std::string filter;
    std::size_t entries;
    std::string firstDescription;
  };
  const Case cases[] = {
      {"\xC3\xB7\xBD\xC4\xCC\xA7\xB2\xD9|*.txt", 1, "\xC3\xB7\xBD\xC4\xCC\xA7\xB2\xD9"},  // "ﾃｷｽﾄﾌｧｲﾙ"
      {"A\x81\x7C"
       "B|*.a",
       1,
       "A\x81\x7C"
       "B"},  // "－" ends in the byte of "|"
      {"Only a description", 0, ""},
      {"Empty|", 0, ""},
      {"", 0, ""},
      {"A|*.a;;*.b|B", 1, "A"},
  };
  for (const Case& c : cases) {
    const auto entries = ParseFileFilter(c.filter);
    ASSERT_EQ(entries.size(), c.entries) << c.filter;
    if (c.entries > 0) {
      EXPECT_EQ(entries[0].Description, c.firstDescription);
    }
  }
  EXPECT_EQ(ParseFileFilter("A|*.a;;*.b")[0].Patterns, (std::vector<std::string>{"*.a", "*.b"}));
}

TEST(Dialogs, DefaultExtension) {
  struct Case {
    fs::path name;
    std::string ext;
    fs::path expected;
  };
  const Case cases[] = {
      {"/d/b", "zq4", "/d/b.zq4"},
      {"/d/b.zq3", "zq4", "/d/b.zq3"},
      {"/d.x/b", "zq4", "/d.x/b.zq4"},
      {"/d/report", "txt", "/d/report.txt"},
      {"/d/b", "", "/d/b"},
      {"", "zq4", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(WithDefaultExtension(c.name, c.ext), c.expected) << c.name;
}

TEST(Dialogs, Captions) {
  EXPECT_EQ(MessageCaption(MessageKind::Plain), "Zuro");
  EXPECT_EQ(MessageCaption(MessageKind::Error), "Zuro");
  EXPECT_EQ(MessageCaption(MessageKind::Warning), "\x8C\x78\x8D\x90");       // 警告
  EXPECT_EQ(MessageCaption(MessageKind::Confirmation), "\x8A\x6D\x94\x46");  // 確認
  EXPECT_EQ(MessageCaption(MessageKind::Information), "\x8F\xEE\x95\xF1");   // 情報
}

TEST(Dialogs, ScriptedAnswersAndRecords) {
  ScriptedDialogs script;
  ScopedDialogs use(script);
  script.messageAnswers = {MessageAnswer::Yes};
  const std::string ask = J("現ﾃﾞ-ﾀ-が破棄されますがよろしいですか？");
  EXPECT_TRUE(AskWarningYesCancel(ask));
  EXPECT_FALSE(AskWarningYesCancel(ask));  // nothing queued: Cancel
  ShowWarning(J("この形状は不安定です。再検討してください。"));
  ShowConfirmation("ok");
  ShowMessage("plain");
  ASSERT_EQ(script.shown.size(), 5u);
  EXPECT_EQ(script.shown[0].text, ask);
  EXPECT_EQ(script.shown[0].messageKind, MessageKind::Warning);
  EXPECT_EQ(script.shown[0].buttons, MessageButtons::YesCancel);
  EXPECT_EQ(script.shown[2].buttons, MessageButtons::Ok);
  EXPECT_EQ(script.shown[3].messageKind, MessageKind::Confirmation);
  EXPECT_EQ(script.shown[4].messageKind, MessageKind::Plain);

  FileDialogRequest save{"", "Zuro4|*.zq4", 1, "zq4", "/work/a.zq3"};
  script.fileAnswers = {fs::path("/work/b"), std::nullopt};
  fs::path chosen = "unchanged";
  EXPECT_TRUE(CurrentDialogs().SaveFile(save, chosen));
  EXPECT_EQ(chosen, fs::path("/work/b.zq4"));
  EXPECT_FALSE(CurrentDialogs().OpenFile(save, chosen));
  EXPECT_EQ(chosen, fs::path("/work/b.zq4"));
  EXPECT_EQ(script.shown[5].kind, ScriptedDialogs::Kind::Save);
  EXPECT_EQ(script.shown[5].request.FileName, fs::path("/work/a.zq3"));
  EXPECT_EQ(script.shown[6].kind, ScriptedDialogs::Kind::Open);

  script.inputAnswers = {std::string("typed"), std::nullopt};
  const std::string caption = J("文字入力");
  EXPECT_EQ(CurrentDialogs().InputBox(caption, "INPUT", "INPUT"), "typed");
  EXPECT_EQ(CurrentDialogs().InputBox(caption, "INPUT", "INPUT"), "INPUT");
  EXPECT_EQ(CurrentDialogs().InputBox(caption, "INPUT", "INPUT"), "INPUT");
  EXPECT_EQ(script.shown[7].caption, caption);
}

// Without a script, the test program's default dialogs answer at once and
// fail the test that showed them, naming caption and text: a box nobody
// expected cannot hang a run.
TEST(UnscriptedDialogs, ABoxNoTestScriptedFailsTheTestInsteadOfWaiting) {
  ASSERT_NE(TestApplication(), nullptr);
  EXPECT_NONFATAL_FAILURE(
      ShowWarning(J("この形状は不安定です。")),
      "message box that the test did not script was shown: caption \"警告\", text \"この形状は不安定です。\"");
  static bool answer = true;
  EXPECT_NONFATAL_FAILURE(answer = AskWarningYesCancel(J("よろしいですか？")),
                          "caption \"警告\", text \"よろしいですか？\"");
  EXPECT_FALSE(answer);  // cancelled
  EXPECT_NONFATAL_FAILURE(ShowMessage("plain"), "caption \"Zuro\", text \"plain\"");
  static bool chosen = true;
  EXPECT_NONFATAL_FAILURE(
      {
        fs::path file;
        chosen = CurrentDialogs().OpenFile(FileDialogRequest{"", "Zuro|*.zq4", 1, "zq4", "/tmp/a.zq4"}, file);
      },
      "file dialog that the test did not script was shown: caption \"開く\", text \"/tmp/a.zq4\"");
  EXPECT_FALSE(chosen);
  static std::string typed;
  EXPECT_NONFATAL_FAILURE(typed = CurrentDialogs().InputBox(J("文字入力"), "INPUT", "as it was"),
                          "input box that the test did not script was shown: caption \"文字入力\", text \"INPUT\"");
  EXPECT_EQ(typed, "as it was");

  // A script installed over the default takes the box; its end brings the
  // default back.
  {
    ScriptedDialogs script;
    ScopedDialogs use(script);
    ShowMessage("scripted");
    EXPECT_EQ(script.shown.size(), 1u);
  }
  EXPECT_NONFATAL_FAILURE(ShowMessage("after"), "text \"after\"");
}

TEST(QtDialogs, WarningWithYesAndCancel) {
  ScopedDialogs qt(PlatformDialogs());  // the real boxes, answered by the test
  ASSERT_NE(TestApplication(), nullptr);
  struct Case {
    QMessageBox::StandardButton press;
    bool expected;
  };
  for (const Case c : {Case{QMessageBox::Yes, true}, Case{QMessageBox::Cancel, false}}) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons offered;
    QString yes, cancel;
    WhenModalShown([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      text = box->text();
      yes = box->button(QMessageBox::Yes)->text();
      cancel = box->button(QMessageBox::Cancel)->text();
      icon = box->icon();
      offered = box->standardButtons();
      box->button(c.press)->click();
    });
    EXPECT_EQ(AskWarningYesCancel(J("現ﾃﾞ-ﾀ-が破棄されますがよろしいですか？")), c.expected);
    EXPECT_EQ(title, FromUtf8("警告"));
    EXPECT_EQ(text, FromUtf8("現ﾃﾞ-ﾀ-が破棄されますがよろしいですか？"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(offered, QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(yes, FromUtf8("はい(&Y)"));
    EXPECT_EQ(cancel, FromUtf8("キャンセル"));
  }
}

TEST(QtDialogs, MessageKinds) {
  ScopedDialogs qt(PlatformDialogs());  // the real boxes, answered by the test
  ASSERT_NE(TestApplication(), nullptr);
  struct Case {
    MessageKind kind;
    const char* title;
    QMessageBox::Icon icon;
  };
  const Case cases[] = {
      {MessageKind::Plain, "Zuro", QMessageBox::NoIcon},
      {MessageKind::Confirmation, "確認", QMessageBox::Question},
      {MessageKind::Information, "情報", QMessageBox::Information},
      {MessageKind::Error, "Zuro", QMessageBox::Critical},
  };
  for (const Case& c : cases) {
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons offered;
    WhenModalShown([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      icon = box->icon();
      offered = box->standardButtons();
      box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(CurrentDialogs().ShowMessageBox("m", c.kind, MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(title, FromUtf8(c.title));
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(offered, QMessageBox::Ok);
  }
}

TEST(QtDialogs, InputBoxGivesTheTextOrTheDefault) {
  ScopedDialogs qt(PlatformDialogs());  // the real boxes, answered by the test
  ASSERT_NE(TestApplication(), nullptr);
  QString title, label;
  WhenModalShown([&](QWidget* w) {
    auto* dialog = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    label = dialog->labelText();
    EXPECT_EQ(dialog->textValue(), QStringLiteral("INPUT"));
    dialog->setTextValue(FromUtf8("梁 B1"));
    dialog->accept();
  });
  EXPECT_EQ(CurrentDialogs().InputBox(J("文字入力"), "INPUT", "INPUT"), J("梁 B1"));
  EXPECT_EQ(title, FromUtf8("文字入力"));
  EXPECT_EQ(label, QStringLiteral("INPUT"));

  WhenModalShown([](QWidget* w) {
    auto* dialog = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->setTextValue(QStringLiteral("thrown away"));
    dialog->reject();
  });
  EXPECT_EQ(CurrentDialogs().InputBox(J("文字入力"), "INPUT", "INPUT"), "INPUT");
}

TEST(QtDialogs, OpenAndSaveFileDialogs) {
  ScopedDialogs qt(PlatformDialogs());  // the real boxes, answered by the test
  ASSERT_NE(TestApplication(), nullptr);
  ScratchFolder folder;
  std::ofstream(folder / "a.zq3") << "x";

  FileDialogRequest open{"", J("Zuroﾌｧｲﾙ(すべて)|*.zq4;*.zq3|新Zuroﾌｧｲﾙ|*.zq4|旧Zuroﾌｧｲﾙ|*.zq3"), 1, "zq4", {}};
  open.FileName = folder.path() / "";
  QStringList filters;
  QString title;
  WhenModalShown([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    filters = dialog->nameFilters();
    title = dialog->windowTitle();
    dialog->selectFile(QString::fromStdString((folder / "a.zq3").string()));
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides its override
  });
  fs::path chosen;
  ASSERT_TRUE(CurrentDialogs().OpenFile(open, chosen));
  EXPECT_EQ(chosen, folder / "a.zq3");
  EXPECT_EQ(title, FromUtf8("開く"));
  EXPECT_EQ(filters, (QStringList{FromUtf8("Zuroﾌｧｲﾙ(すべて) (*.zq4 *.zq3)"), FromUtf8("新Zuroﾌｧｲﾙ (*.zq4)"),
                                  FromUtf8("旧Zuroﾌｧｲﾙ (*.zq3)")}));

  FileDialogRequest save{"", J("Zuro4ﾌｧｲﾙ|*.zq4"), 1, "zq4", folder / "a.zq3"};
  QString proposed;
  WhenModalShown([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    const auto edits = dialog->findChildren<QLineEdit*>();
    for (QLineEdit* e : edits) {
      if (e->isVisible() || proposed.isEmpty()) proposed = e->text();
    }
    dialog->selectFile(QString::fromStdString((folder / "b").string()));
    static_cast<QDialog*>(dialog)->accept();
  });
  ASSERT_TRUE(CurrentDialogs().SaveFile(save, chosen));
  EXPECT_EQ(chosen, folder / "b.zq4");  // the default extension is added
  EXPECT_EQ(title, FromUtf8("名前を付けて保存"));
  EXPECT_EQ(proposed, QStringLiteral("a.zq3"));

  // Choosing an existing name asks nothing more (a second modal box would hang here).
  std::ofstream(folder / "c.zq4") << "old";
  WhenModalShown([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(QString::fromStdString((folder / "c.zq4").string()));
    static_cast<QDialog*>(dialog)->accept();
  });
  ASSERT_TRUE(CurrentDialogs().SaveFile(save, chosen));
  EXPECT_EQ(chosen, folder / "c.zq4");

  WhenModalShown([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  chosen = "kept";
  EXPECT_FALSE(CurrentDialogs().SaveFile(save, chosen));
  EXPECT_EQ(chosen, fs::path("kept"));
}

TEST(ToolWindows, StayAboveTheMainWindowWithoutWaiting) {
  ASSERT_NE(TestApplication(), nullptr);
  QWidget main;
  main.setGeometry(200, 100, 800, 600);
  main.show();
  QWidget* dialog = new QWidget;  // owned by the main window once made a tool window
  dialog->resize(300, 200);
  ShowToolWindow(dialog, &main, 100, 120);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->parentWidget(), &main);
  EXPECT_TRUE(dialog->isWindow());
  EXPECT_EQ(dialog->windowType(), Qt::Tool);
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->pos(), main.frameGeometry().topLeft() + QPoint(100, 120));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  dialog->hide();
  ShowToolWindow(dialog, &main, 100, 120);  // shown again in the same place
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->pos(), main.frameGeometry().topLeft() + QPoint(100, 120));
}

}  // namespace
