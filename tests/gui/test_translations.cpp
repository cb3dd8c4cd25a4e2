// Every text the program passes through tr() (or marks for translation) has
// a finished Chinese translation in the shipped Language/ChineseResource.ts:
// lupdate reads the sources into a copy of the file, and any message left
// without a translation is listed.
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {
// The folders whose sources hold the program's texts.
const QStringList kSourceFolders = {"app", "link", "settings", "docs", "analysis", "ui"};

// "context: source" of each message without a finished translation.
QStringList Untranslated(QFile& ts)
{
    QStringList missing;
    QXmlStreamReader xml(&ts);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool unfinished = !xml.attributes().value("type").isEmpty();
            if (unfinished || xml.readElementText().isEmpty())
                missing << context + ": " + source;
        }
    }
    if (xml.hasError())
        missing << "unreadable .ts: " + xml.errorString();
    return missing;
}
}  // namespace

TEST(Translations, EveryTextOfTheProgramHasAChineseTranslation)
{
#ifndef QV_LUPDATE
    GTEST_SKIP() << "lupdate was not found at configuration";
#else
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath("ChineseResource.ts");
    ASSERT_TRUE(QFile::copy(QStringLiteral(QV_SOURCE_DIR "/Language/ChineseResource.ts"), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(QV_SOURCE_DIR));
    lupdate.start(QStringLiteral(QV_LUPDATE),
                  QStringList{"-no-obsolete", "-locations", "none"} + kSourceFolders + QStringList{"-ts", copy});
    ASSERT_TRUE(lupdate.waitForFinished(180000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    QFile ts(copy);
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    const QStringList missing = Untranslated(ts);
    EXPECT_TRUE(missing.isEmpty()) << missing.size() << " text(s) without Chinese:\n"
                                   << missing.join('\n').toStdString();
#endif
}
