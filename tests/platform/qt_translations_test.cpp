#include "platform/qt_translations.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/dialogs.h"
#include "service_test_support.h"

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The texts of the buttons of a file dialog's button box.
QStringList ButtonTexts(QWidget* dialog) {
  QStringList texts;
  for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>()) {
    for (QAbstractButton* b : box->buttons()) texts << b->text();
  }
  return texts;
}

// What the program's file dialog shows on its buttons; the dialog is
// cancelled.
QStringList FileDialogButtons(bool save) {
  ScopedDialogs qt(PlatformDialogs());
  QStringList texts;
  WhenModalShown([&](QWidget* w) {
    texts = ButtonTexts(w);
    qobject_cast<QDialog*>(w)->reject();
  });
  ScratchFolder folder;
  FileDialogRequest request{"", "Zuro|*.zq4", 1, "zq4", folder / "a.zq4"};
  std::filesystem::path chosen;
  if (save) {
    EXPECT_FALSE(CurrentDialogs().SaveFile(request, chosen));
  } else {
    EXPECT_FALSE(CurrentDialogs().OpenFile(request, chosen));
  }
  return texts;
}

class QtTranslationsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(TestApplication(), nullptr); }
  void TearDown() override { RemoveQtTranslations(); }
};

TEST_F(QtTranslationsTest, StandardDialogsSpeakJapaneseUnderAJapaneseAndUnderACLocale) {
  for (const QLocale& locale : {QLocale(QLocale::Japanese, QLocale::Japan), QLocale::c()}) {
    SCOPED_TRACE(locale.name().toStdString());
    EXPECT_EQ(InstallQtTranslations(locale), QStringLiteral("qtbase_ja"));

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No |
                           QMessageBox::Close);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), U("OK"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), U("キャンセル"));
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), U("はい(&Y)"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), U("いいえ(&N)"));
    EXPECT_EQ(box.button(QMessageBox::Close)->text(), U("閉じる"));

    EXPECT_EQ(FileDialogButtons(false), (QStringList{U("開く(&O)"), U("キャンセル")}));
    EXPECT_EQ(FileDialogButtons(true), (QStringList{U("保存(&S)"), U("キャンセル")}));
  }
}

TEST_F(QtTranslationsTest, ALocaleWithATranslationOfItsOwnGetsIt) {
  EXPECT_EQ(InstallQtTranslations(QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("qtbase_de"));
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), U("Abbrechen"));

  // A language Qt has no translation for falls back to Japanese, and a
  // second call replaces the first.
  EXPECT_EQ(InstallQtTranslations(QLocale(QLocale::Swahili, QLocale::Tanzania)), QStringLiteral("qtbase_ja"));
  QMessageBox japanese;
  japanese.setStandardButtons(QMessageBox::Cancel);
  EXPECT_EQ(japanese.button(QMessageBox::Cancel)->text(), U("キャンセル"));

  RemoveQtTranslations();
  QMessageBox english;
  english.setStandardButtons(QMessageBox::Cancel);
  EXPECT_EQ(english.button(QMessageBox::Cancel)->text(), U("Cancel"));
}

}  // namespace
