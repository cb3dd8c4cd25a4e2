#pragma once
// The program's language resources: Qt translation files beside the program,
// "Language/EnglishResource.qm" (language 0) and
// "Language/ChineseResource.qm" (any other language), built from the
// project's own English and Chinese texts. The English source texts are the
// program's own, so a missing file leaves the user interface in English.
#include <QString>

class QCoreApplication;

// Path of the translation file for a language number.
QString LanguageResourcePath(int language);
// Installs the language's translations (and Qt's own for the standard
// buttons, when the system has them). Returns whether the program's
// translation file was loaded.
bool InstallLanguage(QCoreApplication& app, int language);
