#include "app/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "tessary/ProgramFolder.h"

QString LanguageResourcePath(int language)
{
    const char* file = language == 0 ? "EnglishResource.qm" : "ChineseResource.qm";
    return QString::fromStdString(ProgramDataFolder()) + QStringLiteral("/Language/") + QLatin1String(file);
}

bool InstallLanguage(QCoreApplication& app, int language)
{
    if (language != 0) {
        auto* qtTexts = new QTranslator(&app);
        if (qtTexts->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            app.installTranslator(qtTexts);
    }
    auto* own = new QTranslator(&app);
    if (!own->load(LanguageResourcePath(language)))
        return false;
    app.installTranslator(own);
    return true;
}
