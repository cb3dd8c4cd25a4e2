#include "docs/DatFile.h"

#include <QCoreApplication>

#include <cmath>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("CDatFile", text); }

// Smallest stored size of one row: two empty counted strings.
constexpr size_t kMinRowBytes = 2;

void TransferHeader(CArchive& ar, CTabularData& d) {
    TransferRect(ar, d.frameRect);
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

int CDatFile::Serialize(CArchive& ar, CTabularData& data) {
    if (ar.IsStoring())
        ar.WriteClass(kClassName, kSchema);
    else if (!ar.ReadClass(kClassName))
        return 0;
    TransferHeader(ar, data);
    TransferRows(ar, data);
    TransferPoints(ar, data);
    return ar.Failed() ? 0 : 1;
}

QByteArray CDatFile::Store(CTabularData& data) {
    CArchive ar;
    Serialize(ar, data);
    return ar.Buffer();
}

int CDatFile::Save(const QString& path, CTabularData& data, QString* error) {
    return SaveFileAtomically(path, Store(data), error);
}

std::unique_ptr<CTabularData> CDatFile::LoadBytes(const QByteArray& bytes, QString* error) {
    if (!CArchive(bytes).ReadClass(kClassName)) {
        if (error) *error = Tr("The file is not a data table file (.dat).");
        return nullptr;
    }
    CArchive ar(bytes);
    auto data = std::make_unique<CTabularData>(0);
    if (!Serialize(ar, *data) || ar.Remaining() != 0) {
        if (error) *error = Tr("The data table file is damaged or truncated.");
        return nullptr;
    }
    return data;
}

std::unique_ptr<CTabularData> CDatFile::Load(const QString& path, QString* error) {
    QByteArray bytes;
    if (!LoadFileBytes(path, &bytes, kMaxFileSize, error)) return nullptr;
    return LoadBytes(bytes, error);
}
