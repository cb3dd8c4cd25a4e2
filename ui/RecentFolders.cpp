#include "ui/RecentFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
QString Ending(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix;
}
}  // namespace

void CRecentFolders::Remember(const QString& path)
{
    const QString ending = Ending(path);
    if (path.isEmpty() || ending.isEmpty())
        return;
    m_byEnding[ending] = Use{QFileInfo(path).absolutePath(), ++m_uses};
}

QString CRecentFolders::FolderFor(const QString& filter) const
{
    static const QRegularExpression pattern(QStringLiteral("\\*(\\.[A-Za-z0-9_]+)"));
    Use latest;
    for (auto match = pattern.globalMatch(filter); match.hasNext();) {
        const auto found = m_byEnding.constFind(match.next().captured(1).toLower());
        if (found != m_byEnding.cend() && found->order > latest.order)
            latest = *found;
    }
    return latest.folder;
}

QString CRecentFolders::StartPath(const QString& filter, const QString& initialName) const
{
    if (initialName.contains(QLatin1Char('/')))
        return initialName;
    const QString folder = FolderFor(filter);
    if (folder.isEmpty())
        return initialName;
    return initialName.isEmpty() ? folder : QDir(folder).filePath(initialName);
}
