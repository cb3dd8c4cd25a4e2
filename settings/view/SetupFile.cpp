#include "settings/view/SetupFile.h"

#include <QFile>
#include <QSaveFile>

#include <mutex>

#include "app/ShellHooks.h"
#include "corvane/SharedState.h"
#include "docs/Archive.h"
#include "link/DSOSetup.h"

namespace {
constexpr char kSetupExtension[] = ".set";
// Larger than any parameter block the instrument describes.
constexpr qint64 kMaxSetupFileBytes = 1 << 21;

// g_bFileProcess is 1 while the file is read or written, so the acquisition
// timer keeps away.
struct FileProcess {
    FileProcess() { g_bFileProcess.store(1); }
    ~FileProcess() { g_bFileProcess.store(0); }
};

void SendBlock(CDSOSetup& sender)
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    if (!g_pSysParamBuffer || g_SysParamLen <= 0)
        return;
    CommandArgs a;
    a.nCmd = kCmdSysParamBlock;
    a.nArg1 = Null_Menu.menu;
    a.nArg2 = Null_Menu.item;
    a.pData = g_pSysParamBuffer;
    a.nDataLen = g_SysParamLen;
    sender.SendCommand(a);
}
}  // namespace

QString SetupFileName(const QString& chosen)
{
    return chosen.endsWith(QLatin1String(kSetupExtension), Qt::CaseSensitive) ? chosen
                                                                               : chosen + kSetupExtension;
}

int SaveSetupFile(const QString& path)
{
    FileProcess busy;
    CArchive ar;
    if (!SerializePanelState(ar))
        return 0;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    if (file.write(ar.Buffer()) != ar.Buffer().size())
        return 0;
    return file.commit() ? 1 : 0;
}

int OpenSetupFile(const QString& path, CDSOSetup& sender)
{
    {
        FileProcess busy;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSetupFileBytes)
            return 0;
        CArchive ar(file.readAll());
        if (!SerializePanelState(ar))
            return 0;
    }
    g_openFileName = path.toStdString();
    g_openFileFlag.store(1);
    if (g_bRunThreadR.load() != 0)
        SendBlock(sender);
    return 1;
}
