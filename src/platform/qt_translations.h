#pragma once
// Qt's own texts in the program's language: the standard buttons of the
// message boxes and everything the file dialogs say.

#include <QLocale>
#include <QString>

// Installs Qt's translation for the locale, or the Japanese one when Qt has
// none for it (a C or POSIX locale names no language). A later call
// replaces what an earlier one installed. Returns the name of the file
// installed ("qtbase_ja"), or an empty text when none was found at all.
QString InstallQtTranslations(const QLocale& locale);

// Takes out what InstallQtTranslations installed: Qt speaks its own English.
void RemoveQtTranslations();
