#include "ui/ShellHooks.h"

#include <cstring>
#include <mutex>

#include "corvane/SharedState.h"
#include "docs/Archive.h"

namespace {
constexpr char kPanelClass[] = "CPartTreeView";
constexpr uint16_t kPanelSchema = 3;
constexpr uint32_t kMaxBlockBytes = 1u << 20;

struct Hooks {
    SettingsPanelFactory settingsPanel;
    FrontPanelFactory frontPanel;
    PanelStateSerializer panelState;
    ScreenImageSource screenImage;
};

Hooks& TheHooks()
{
    static Hooks hooks;
    return hooks;
}

int StoreParamBlock(CArchive& ar)
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    const int32_t length = g_pSysParamBuffer ? g_SysParamLen : 0;
    ar.WriteClass(kPanelClass, kPanelSchema);
    ar.WriteI32(length);
    if (length > 0)
        ar.WriteBytes(g_pSysParamBuffer, static_cast<size_t>(length));
    return ar.Failed() ? 0 : 1;
}

// The block is read whole before the program's copy is replaced, so a short
// file leaves the settings in memory as they were.
int LoadParamBlock(CArchive& ar)
{
    if (!ar.ReadClass(kPanelClass))
        return 0;
    const uint32_t length = ar.ReadCount(1, kMaxBlockBytes);
    const QByteArray block = ar.ReadByteArray(length);
    if (ar.Failed())
        return 0;
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    delete[] g_pSysParamBuffer;
    g_pSysParamBuffer = nullptr;
    g_SysParamLen = static_cast<int32_t>(length);
    if (length > 0) {
        g_pSysParamBuffer = new unsigned char[length];
        std::memcpy(g_pSysParamBuffer, block.constData(), length);
    }
    return 1;
}
}  // namespace

bool RegisterSettingsPanelFactory(SettingsPanelFactory factory)
{
    TheHooks().settingsPanel = std::move(factory);
    return true;
}

bool RegisterFrontPanelFactory(FrontPanelFactory factory)
{
    TheHooks().frontPanel = std::move(factory);
    return true;
}

bool RegisterPanelStateSerializer(PanelStateSerializer serializer)
{
    TheHooks().panelState = std::move(serializer);
    return true;
}

bool RegisterScreenImageSource(ScreenImageSource source)
{
    TheHooks().screenImage = std::move(source);
    return true;
}

const SettingsPanelFactory& SettingsPanelHook()
{
    return TheHooks().settingsPanel;
}

const FrontPanelFactory& FrontPanelHook()
{
    return TheHooks().frontPanel;
}

const ScreenImageSource& ScreenImageHook()
{
    return TheHooks().screenImage;
}

int SerializePanelState(CArchive& ar)
{
    if (TheHooks().panelState)
        return TheHooks().panelState(ar);
    return ar.IsStoring() ? StoreParamBlock(ar) : LoadParamBlock(ar);
}
