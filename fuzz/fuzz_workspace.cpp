// libFuzzer driver: arbitrary bytes as a setup file (".set") and as a
// workspace file (".wrk"). The workspace's windows are made as stand-ins that
// read their record through the kind's document, as the data windows do.
// A workspace that reads must write again and read back the same windows.
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "FuzzDocuments.h"
#include "FuzzScratch.h"
#include "app/WorkspaceFile.h"
#include "corvane/SharedState.h"
#include "docs/Archive.h"
#include "link/DSOSetup.h"
#include "link/UserMessage.h"
#include "settings/view/SetupFile.h"
#include "ui/ChildView.h"
#include "ui/DocKinds.h"

namespace {
std::string s_setupPath;

class CStandInView : public IChildView {
public:
    explicit CStandInView(const DocKind& kind) : m_kind(kind), m_doc(FuzzDocumentFor(kind.extension)->make()) {}
    QWidget* Widget() override { return nullptr; }
    int LoadDocument(const QString&, QString*) override { return 0; }
    int SaveDocument(const QString&, QString*) override { return 0; }
    bool SaveCommand(bool) override { return false; }
    int SerializeState(CArchive& ar) override { return m_doc->Serialize(ar); }
    bool IsRunning() const override { return false; }
    void StartRun() override {}
    void StopRun() override {}
    const DocKind& Kind() const { return m_kind; }

private:
    const DocKind& m_kind;
    std::unique_ptr<CDataDoc> m_doc;
};

using Views = std::vector<std::unique_ptr<CStandInView>>;

int ReadWorkspace(const QByteArray& bytes, Views& views)
{
    CArchive ar(bytes);
    return CWorkspaceFile::Read(ar, nullptr, [&views](const DocKind& kind, const QString&) {
        views.push_back(std::make_unique<CStandInView>(kind));
        return views.back().get();
    });
}

QByteArray WriteWorkspace(const Views& views)
{
    std::vector<CWorkspaceFile::Window> windows;
    for (const auto& view : views)
        windows.push_back({&view->Kind(), view.get()});
    CArchive ar;
    return CWorkspaceFile::Write(ar, QStringLiteral("fuzz.wrk"), windows) ? ar.Buffer() : QByteArray();
}

void CheckWorkspace(const QByteArray& bytes)
{
    Views views;
    if (ReadWorkspace(bytes, views) < 0)
        return;
    const QByteArray stored = WriteWorkspace(views);
    Views again;
    if (stored.isEmpty() || ReadWorkspace(stored, again) != static_cast<int>(views.size()) ||
        WriteWorkspace(again) != stored)
        std::abort();
}

void CheckSetupFile(const std::string& bytes)
{
    {
        std::ofstream out(s_setupPath, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static CDSOSetup sender;
    if (OpenSetupFile(QString::fromStdString(s_setupPath), sender) != SetupStatus::Ok)
        return;
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    if (!g_pSysParamBuffer || g_SysParamLen <= 0)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!EveryFormatCovered())
        std::abort();
    SetUserMessageSink([](const std::string&) {});
    s_setupPath = (FuzzScratchFolder() / "fuzz.set").string();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    g_bRunThreadR = 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckWorkspace(bytes);
    CheckSetupFile(bytes.toStdString());
    return 0;
}
