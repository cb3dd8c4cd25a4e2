#include "settings/view/SetupFile.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>
#include <mutex>

#include "corvane/ScopedFlag.h"
#include "ui/ShellHooks.h"
#include "corvane/SharedState.h"
#include "docs/Archive.h"
#include "link/DSOSetup.h"
#include "link/UserMessage.h"
#include "parlex/Parlex.h"

namespace {
constexpr char kSetupExtension[] = ".set";
constexpr char kPanelClass[] = "CPartTreeView";
constexpr uint16_t kPanelSchema = 3;
// Larger than any parameter block the instrument describes.
constexpr qint64 kMaxSetupFileBytes = 1 << 21;

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

int WriteRecord(CArchive& ar)
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    const int32_t length = g_pSysParamBuffer ? g_SysParamLen : 0;
    ar.WriteClass(kPanelClass, kPanelSchema);
    ar.WriteI32(length);
    if (length > 0)
        ar.WriteBytes(g_pSysParamBuffer, static_cast<size_t>(length));
    return ar.Failed() ? 0 : 1;
}

// Reads the record into block and judges it; the block in memory is untouched.
SetupStatus ReadRecord(CArchive& ar, QByteArray& block)
{
    uint16_t schema = 0;
    if (!ar.ReadClass(kPanelClass, &schema) || schema != kPanelSchema)
        return SetupStatus::NotSetupFile;
    const uint32_t length = ar.ReadCount(1, static_cast<uint32_t>(CParlex::kMaxSysBufLen));
    block = ar.ReadByteArray(length);
    if (ar.Failed())
        return SetupStatus::NotSetupFile;
    if (length == 0)
        return SetupStatus::NoSettings;
    const int connected = ConnectedBlockLength();
    if (connected > 0 && static_cast<uint32_t>(connected) != length)
        return SetupStatus::OtherInstrument;
    return SetupStatus::Ok;
}

// The earlier block is released.
void ReplaceBlock(const QByteArray& block)
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    delete[] g_pSysParamBuffer;
    g_SysParamLen = static_cast<int32_t>(block.size());
    g_pSysParamBuffer = new unsigned char[static_cast<size_t>(block.size())];
    std::memcpy(g_pSysParamBuffer, block.constData(), static_cast<size_t>(block.size()));
}

int LoadWorkspaceRecord(CArchive& ar)
{
    QByteArray block;
    switch (ReadRecord(ar, block)) {
    case SetupStatus::Ok: ReplaceBlock(block); return 1;
    case SetupStatus::NoSettings: return 1;
    case SetupStatus::OtherInstrument:
        ShowUserMessage(QCoreApplication::translate("CSettingsPanel",
                                                    "The workspace holds the settings of another instrument; the "
                                                    "connected instrument's settings are kept.")
                            .toStdString());
        return 1;
    default: return 0;
    }
}

const bool registered = RegisterPanelStateSerializer(SerializeWorkspacePanel);
}  // namespace

int ConnectedBlockLength()
{
    return g_bRunThreadR.load() != 0 ? ParlexParam.GetSysBufLen() : 0;
}

QString SetupFileName(const QString& chosen)
{
    return chosen.endsWith(QLatin1String(kSetupExtension), Qt::CaseSensitive) ? chosen
                                                                               : chosen + kSetupExtension;
}

SetupStatus SaveSetupFile(const QString& path)
{
    CScopedFlag busy(g_bFileProcess);   // the acquisition timer keeps away
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        if (!g_pSysParamBuffer || g_SysParamLen <= 0)
            return SetupStatus::NoSettings;
    }
    CArchive ar;
    if (!WriteRecord(ar))
        return SetupStatus::Unreadable;
    return SaveFileAtomically(path, ar.Buffer(), nullptr) ? SetupStatus::Ok : SetupStatus::Unreadable;
}

SetupStatus OpenSetupFile(const QString& path, CDSOSetup& sender)
{
    QByteArray block;
    {
        CScopedFlag busy(g_bFileProcess);   // the acquisition timer keeps away
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return SetupStatus::Unreadable;
        if (file.size() > kMaxSetupFileBytes)
            return SetupStatus::NotSetupFile;
        CArchive ar(file.readAll());
        const SetupStatus status = ReadRecord(ar, block);
        if (status != SetupStatus::Ok)
            return status;
    }
    ReplaceBlock(block);
    g_openFileName = path.toStdString();
    g_openFileFlag.store(1);
    if (g_bRunThreadR.load() != 0)
        SendBlock(sender);
    return SetupStatus::Ok;
}

int SerializeWorkspacePanel(CArchive& ar)
{
    return ar.IsStoring() ? WriteRecord(ar) : LoadWorkspaceRecord(ar);
}
