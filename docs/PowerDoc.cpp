#include "docs/PowerDoc.h"

#include "corvane/SharedState.h"
#include "docs/FileFormats.h"
#include "docs/PsmFile.h"

#include <mutex>

namespace {

std::int32_t CurrentRecordLength() {
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    return waveDataLen;
}

} // namespace

CPowerSpectrumDoc::CPowerSpectrumDoc() {
    m_data.Allocate(CurrentRecordLength());
}

int CPowerSpectrumDoc::Serialize(CArchive& ar) {
    return CPsmFile::Serialize(ar, m_data);
}

const char* CPowerSpectrumDoc::ClassName() const { return CPsmFile::kClassName; }

const char* CPowerSpectrumDoc::Extension() const { return CPsmFile::kExtension; }

QV_FILE_FORMAT(".psm", CPowerSpectrumDoc);
