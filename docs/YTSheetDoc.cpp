#include "docs/YTSheetDoc.h"

#include "corvane/MessageTables.h"

#include <atomic>

namespace {
std::atomic<int> g_nextSheetNumber{1};
}  // namespace

int CYTSheetDoc::NextSheetNumber() { return g_nextSheetNumber.load(); }

int CYTSheetDoc::OnNewDocument(int openWindows, QString* message) {
    if (openWindows >= kMaxOpenWindows) {
        if (message) *message = QString::fromUtf8(Msg(szExceedFileNum));
        return 0;
    }
    m_title = QStringLiteral("Wave_%1").arg(g_nextSheetNumber.fetch_add(1));
    m_bModified = false;
    return 1;
}

void CYTSheetDoc::SetPathName(const QString& path) {
    m_path = path;
    m_title = path;
    m_bModified = false;
}
