#include "docs/MthFile.h"

#include "docs/AnalysisArchive.h"
#include "docs/ArithmeticData.h"

#include <QCoreApplication>

#include <cmath>
#include <string>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("CMthFile", text); }

void TransferSamples(CArchive& ar, CArithmeticData& d) {
    std::int32_t length = d.RecordLength(), allocated = d.AllocationLength();
    ar.Transfer(length);
    ar.Transfer(allocated);
    if (ar.IsStoring()) {
        const auto samples = d.Samples();
        ar.WriteBytes(samples.data(), samples.size());
        return;
    }
    if (ar.Failed() || length < 0 || length > allocated || size_t(length) * 2 > ar.Remaining() ||
        !d.Allocate(allocated)) {
        ar.SetFailed();
        return;
    }
    d.SetRecordLength(length);
    const auto samples = d.Samples();
    ar.ReadBytes(samples.data(), samples.size());
}

void TransferNames(CArchive& ar, CArithmeticData& d) {
    std::string first = d.FirstInputName(), second = d.SecondInputName(), operation = d.OperationName();
    for (std::string* name : {&first, &second, &operation}) ar.Transfer(*name);
    if (ar.IsStoring()) return;
    d.SetFirstInputName(first);
    d.SetSecondInputName(second);
    d.SetOperationName(operation);
}

void TransferScales(CArchive& ar, CArithmeticData& d) {
    double ch1 = d.ch1VoltsPerDivision, ch2 = d.ch2VoltsPerDivision;
    for (double* v : {&d.timeBase, &ch1, &ch2, &d.scaleFactor}) {
        ar.Transfer(*v);
        if (ar.IsLoading() && !std::isfinite(*v)) ar.SetFailed();
    }
    if (ar.IsLoading()) d.SetScales(ch1, ch2);
}

} // namespace

int CMthFile::Serialize(CArchive& ar, CArithmeticData& data) {
    TransferFrameRect(ar, data.frameRect);
    TransferSamples(ar, data);
    TransferNames(ar, data);
    TransferScales(ar, data);
    return ar.Failed() ? 0 : 1;
}

QByteArray CMthFile::Store(CArithmeticData& data) {
    CArchive ar;
    Serialize(ar, data);
    return ar.Buffer();
}

int CMthFile::Save(const QString& path, CArithmeticData& data, QString* error) {
    return SaveFileAtomically(path, Store(data), error);
}

std::unique_ptr<CArithmeticData> CMthFile::LoadBytes(const QByteArray& bytes, unsigned language, QString* error) {
    CArchive ar(bytes);
    auto data = std::make_unique<CArithmeticData>(language);
    if (!Serialize(ar, *data) || ar.Remaining() != 0) {
        if (error) *error = Tr("The arithmetic file is damaged or truncated.");
        return nullptr;
    }
    return data;
}

std::unique_ptr<CArithmeticData> CMthFile::Load(const QString& path, unsigned language, QString* error) {
    QByteArray bytes;
    if (!LoadFileBytes(path, &bytes, kMaxFileSize, error)) return nullptr;
    return LoadBytes(bytes, language, error);
}
