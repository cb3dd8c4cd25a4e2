#include "docs/PsmFile.h"

#include "docs/AnalysisArchive.h"
#include "docs/PowerData.h"

#include <QCoreApplication>

#include <cmath>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("CPsmFile", text); }

void TransferSelections(CArchive& ar, CPowerSpectrumData& d) {
    ar.Transfer(d.inputSelection);
    ar.Transfer(d.windowSelection);
    if (ar.IsLoading() && (d.inputSelection < 0 || d.inputSelection > 1 || d.windowSelection < 0 ||
                           d.windowSelection > 3))
        ar.SetFailed();
}

void StoreCopies(CArchive& ar, const CPowerSpectrumData& d) {
    ar.WriteI32(d.RecordLength());
    ar.WriteI32(d.AllocationLength());
    QByteArray pairs(2 * qsizetype(d.RecordLength()), '\0');
    for (std::int32_t i = 0; i < d.RecordLength(); ++i) {
        pairs[2 * i] = static_cast<char>(d.Copy(0)[i]);
        pairs[2 * i + 1] = static_cast<char>(d.Copy(1)[i]);
    }
    ar.WriteBytes(pairs.constData(), size_t(pairs.size()));
    for (int channel : {0, 1}) {
        ar.WriteI32(d.CommitSize(channel));
        ar.WriteI32(d.CommitOffset(channel));
    }
}

void LoadCopies(CArchive& ar, CPowerSpectrumData& d) {
    const std::int32_t used = ar.ReadI32();
    const std::int32_t allocated = ar.ReadI32();
    if (ar.Failed() || used < 0 || used > allocated || size_t(used) * 2 > ar.Remaining() ||
        !d.Allocate(allocated)) {
        ar.SetFailed();
        return;
    }
    const QByteArray pairs = ar.ReadByteArray(2 * size_t(used));
    for (std::int32_t i = 0; i < used && !ar.Failed(); ++i) {
        d.Copy(0)[i] = static_cast<std::uint8_t>(pairs[2 * i]);
        d.Copy(1)[i] = static_cast<std::uint8_t>(pairs[2 * i + 1]);
    }
    d.SetRecordLength(used);
    for (int i = 0; i < 4; ++i) ar.ReadI32();
}

void TransferSpectrumTrace(CArchive& ar, SpectrumTraceState& s) {
    ar.Transfer(s.timeBaseIndex);
    ar.Transfer(s.dbPerDivision);
    ar.Transfer(s.freqPerDivision);
    ar.Transfer(s.dbCentre);
    ar.Transfer(s.window);
    if (ar.IsLoading() && !std::isfinite(s.freqPerDivision)) ar.SetFailed();
}

} // namespace

int CPsmFile::Serialize(CArchive& ar, CPowerSpectrumData& data) {
    if (ar.IsStoring())
        ar.WriteClass(kClassName, kSchema);
    else if (!ar.ReadClass(kClassName))
        return 0;
    TransferFrameRect(ar, data.frameRect);
    TransferSelections(ar, data);
    if (ar.IsStoring())
        StoreCopies(ar, data);
    else
        LoadCopies(ar, data);
    TransferInputTrace(ar, data.inputTrace);
    TransferSpectrumTrace(ar, data.spectrum);
    return ar.Failed() ? 0 : 1;
}

QByteArray CPsmFile::Store(CPowerSpectrumData& data) {
    CArchive ar;
    Serialize(ar, data);
    return ar.Buffer();
}

int CPsmFile::Save(const QString& path, CPowerSpectrumData& data, QString* error) {
    return SaveFileAtomically(path, Store(data), error);
}

std::unique_ptr<CPowerSpectrumData> CPsmFile::LoadBytes(const QByteArray& bytes, QString* error) {
    if (CArchive probe(bytes); !probe.ReadClass(kClassName)) {
        if (error) *error = Tr("The file is not a power spectrum file (.psm).");
        return nullptr;
    }
    CArchive ar(bytes);
    auto data = std::make_unique<CPowerSpectrumData>();
    if (!Serialize(ar, *data) || ar.Remaining() != 0) {
        if (error) *error = Tr("The power spectrum file is damaged or truncated.");
        return nullptr;
    }
    return data;
}

std::unique_ptr<CPowerSpectrumData> CPsmFile::Load(const QString& path, QString* error) {
    QByteArray bytes;
    if (!LoadFileBytes(path, &bytes, kMaxFileSize, error)) return nullptr;
    return LoadBytes(bytes, error);
}
