#include "docs/ArithmeticDoc.h"

#include "corvane/SharedState.h"
#include "docs/FileFormats.h"
#include "docs/MthFile.h"

#include <mutex>

CArithmeticDoc::CArithmeticDoc() : m_data(g_nLanguage == 1 ? 1 : 0) {
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    m_data.Allocate(waveDataLen);
}

int CArithmeticDoc::Serialize(CArchive& ar) {
    return CMthFile::Serialize(ar, m_data);
}

const char* CArithmeticDoc::Extension() const { return CMthFile::kExtension; }

QV_FILE_FORMAT(".mth", CArithmeticDoc);
