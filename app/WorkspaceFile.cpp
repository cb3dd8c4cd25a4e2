#include "app/WorkspaceFile.h"

#include <QFileInfo>

#include <array>

#include "ui/ChildView.h"
#include "ui/DocKinds.h"
#include "ui/ShellHooks.h"
#include "docs/Archive.h"

namespace {
constexpr char kExtension[] = ".wrk";
// Smallest window record: its 32-bit kind.
constexpr size_t kMinWindowRecord = 4;
}  // namespace

int CWorkspaceFile::Write(CArchive& ar, const QString& fileName, const std::vector<Window>& windows)
{
    if (!SerializePanelState(ar))
        return 0;
    ar.WriteText(fileName);
    ar.WriteI32(static_cast<int32_t>(windows.size()));
    for (const Window& w : windows) {
        ar.WriteI32(w.kind->workspaceKind);
        if (!w.view->SerializeState(ar))
            return 0;
    }
    return ar.Failed() ? 0 : 1;
}

int CWorkspaceFile::Read(CArchive& ar, QString* storedName, const WindowMaker& make)
{
    if (!SerializePanelState(ar))
        return -1;
    const QString name = ar.ReadText();
    const uint32_t count = ar.ReadCount(kMinWindowRecord);
    if (ar.Failed())
        return -1;
    if (storedName)
        *storedName = name;
    std::array<int, kKindCount> counters;
    counters.fill(1);
    int restored = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const DocKind* kind = KindByWorkspaceNumber(ar.ReadI32());
        if (ar.Failed() || !kind)
            return -1;
        int& counter = counters[KindIndexOf(*kind)];
        IChildView* view = make(*kind, KindTitle(*kind, counter++));
        if (!view || !view->SerializeState(ar) || ar.Failed())
            return -1;
        ++restored;
    }
    return restored;
}

int CWorkspaceFile::Save(const QString& path, const std::vector<Window>& windows, QString* error)
{
    CArchive ar;
    return Write(ar, QFileInfo(path).fileName(), windows) && SaveFileAtomically(path, ar.Buffer(), error);
}

int CWorkspaceFile::Load(const QString& path, QString* storedName, const WindowMaker& make, QString* error)
{
    QByteArray bytes;
    if (!LoadFileBytes(path, &bytes, kMaxFileSize, error))
        return kUnreadable;
    CArchive ar(bytes);
    return Read(ar, storedName, make);
}

QString CWorkspaceFile::WithExtension(const QString& name)
{
    return name.right(4) == QLatin1String(kExtension) ? name : name + QLatin1String(kExtension);
}
