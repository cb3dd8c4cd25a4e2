#pragma once
// CRecentFolders: the folder last used for each kind of file, so that a file
// dialog opens where the user last saved or opened a file of that kind. The
// kind is the file's ending (".wfm", ".bmp", ".set", ...); a dialog whose
// filter lists several endings opens in the folder of whichever of them was
// used last. Kept for the program's run.
#include <QHash>
#include <QString>

class CRecentFolders {
public:
    // Notes the folder of a chosen file under the file's ending.
    void Remember(const QString& path);
    // The folder last used for any ending the filter names ("*.wfm;*.mes"),
    // or an empty text.
    QString FolderFor(const QString& filter) const;
    // The name a dialog starts with: a bare initial name ("*.bmp",
    // "Wave_1.wfm") put into the folder last used for the filter; a name
    // with a folder of its own, or a kind never used, unchanged.
    QString StartPath(const QString& filter, const QString& initialName) const;

private:
    struct Use {
        QString folder;
        quint64 order = 0;
    };
    QHash<QString, Use> m_byEnding;
    quint64 m_uses = 0;
};
