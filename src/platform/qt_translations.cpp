#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

// Owned by the application object, so it goes with it.
QPointer<QTranslator> installed;

}  // namespace

QString InstallQtTranslations(const QLocale& locale) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application) return {};
  RemoveQtTranslations();
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  const QString name = QStringLiteral("qtbase");
  const QString prefix = QStringLiteral("_");
  auto* translator = new QTranslator(application);
  if (!translator->load(locale, name, prefix, folder) &&
      !translator->load(QLocale(QLocale::Japanese, QLocale::Japan), name, prefix, folder)) {
    delete translator;
    return {};
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return QFileInfo(translator->filePath()).completeBaseName();
}

void RemoveQtTranslations() {
  if (!installed) return;
  QCoreApplication::removeTranslator(installed);
  delete installed;
}
