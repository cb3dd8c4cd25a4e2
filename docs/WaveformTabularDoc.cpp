#include "docs/WaveformTabularDoc.h"

#include "docs/Archive.h"
#include "docs/FileFormats.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// Smallest stored size of one row: two empty counted strings.
constexpr size_t kMinRowBytes = 2;

void TransferHeader(CArchive& ar, CTabularData& d) {
    ar.Transfer(d.frameRect);
    ar.Transfer(d.mode);
    ar.Transfer(d.rowsPerPage);
    ar.Transfer(d.pageCount);
    ar.Transfer(d.currentPage);
    if (!ar.IsLoading()) return;
    const bool sane = d.mode >= kTableCH1 && d.mode <= kTableSpectrum && d.rowsPerPage > 0 &&
                      d.rowsPerPage <= CTabularData::kMaxRows && d.pageCount >= 1 && d.currentPage >= 1 &&
                      d.currentPage <= d.pageCount && ar.Remaining() >= kMinRowBytes * size_t(d.rowsPerPage);
    if (!sane) ar.SetFailed();
}

void TransferRows(CArchive& ar, CTabularData& d) {
    if (ar.Failed()) return;
    if (ar.IsLoading()) d.cells.assign(static_cast<size_t>(d.rowsPerPage), {});
    for (auto& row : d.cells) {
        ar.Transfer(row[0]);
        ar.Transfer(row[1]);
        if (ar.Failed()) return;
    }
}

void TransferPoints(CArchive& ar, CTabularData& d) {
    if (ar.Failed()) return;
    uint32_t count = static_cast<uint32_t>(d.points.size());
    if (ar.IsStoring()) {
        ar.WriteU32(count);
    } else {
        count = ar.ReadCount(4, CTabularData::kMaxRows);
        if (ar.Failed()) return;
    }
    ar.Transfer(d.capacity);
    if (ar.IsLoading()) {
        if (d.capacity < count || d.capacity > static_cast<uint32_t>(CTabularData::kMaxRows) ||
            ar.Remaining() < size_t(count) * 8) {
            ar.SetFailed();
            return;
        }
        d.points.assign(count, tagAcquireData{});
    }
    for (tagAcquireData& p : d.points) {
        ar.Transfer(p.fX);
        ar.Transfer(p.fY);
        if (ar.IsLoading() && !(std::isfinite(p.fX) && std::isfinite(p.fY))) ar.SetFailed();
    }
}

}  // namespace

QString CWaveformTabularDoc::KindName() const {
    return QCoreApplication::translate("CWaveformTabularDoc", "data table");
}

int CWaveformTabularDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.WriteClass(kClassName, kSchema);
    else if (!ar.ReadClass(kClassName))
        return 0;
    TransferHeader(ar, data);
    TransferRows(ar, data);
    TransferPoints(ar, data);
    return ar.Failed() ? 0 : 1;
}

TabularInput TabularInputOf(const tagAcquisitionSnapshot& s) {
    TabularInput in;
    in.wfm = &s.wfm;
    in.ch1 = s.ch1.data();
    in.ch2 = s.ch2.data();
    in.length = s.Length();
    in.recordLength = s.recordLength;
    in.samplesPerDiv = s.samplesPerDivision;
    return in;
}

int32_t CWaveformTabularDoc::Update(const tagAcquisitionSnapshot& s, bool writeTexts) {
    const int32_t rows = UpdateTable(data, TabularInputOf(s), writeTexts);
    SetModifiedFlag();
    return rows;
}

QV_FILE_FORMAT(".dat", CWaveformTabularDoc);
