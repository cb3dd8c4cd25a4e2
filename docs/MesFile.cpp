#include "docs/MesFile.h"

#include <QCoreApplication>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("CMesFile", text); }

// Grid items in the order the file stores their texts.
constexpr int kFileOrder[kMeasureItemCount] = {3,  6,  5,  2,  4,  0,  7,  8,  1,  9,  10, 11, 12,
                                               13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

}  // namespace

int CMesFile::Serialize(CArchive& ar, CMeasureData& data) {
    if (ar.IsStoring())
        ar.WriteClass(kClassName, kSchema);
    else if (!ar.ReadClass(kClassName))
        return 0;
    TransferRect(ar, data.frameRect);
    ar.Transfer(data.source);
    for (int item : kFileOrder) ar.Transfer(data.text[static_cast<size_t>(item)]);
    ar.Transfer(data.points);
    ar.Transfer(data.sampleBufferSize);
    if (ar.IsLoading() && (data.source < 0 || data.source > 1 || data.points < 0 || data.points > kMaxPoints ||
                           data.sampleBufferSize < 0 || data.sampleBufferSize > CMeasureData::kMaxSampleBuffer))
        ar.SetFailed();
    return ar.Failed() ? 0 : 1;
}

QByteArray CMesFile::Store(CMeasureData& data) {
    CArchive ar;
    Serialize(ar, data);
    return ar.Buffer();
}

int CMesFile::Save(const QString& path, CMeasureData& data, QString* error) {
    return SaveFileAtomically(path, Store(data), error);
}

std::unique_ptr<CMeasureData> CMesFile::LoadBytes(const QByteArray& bytes, QString* error) {
    if (!CArchive(bytes).ReadClass(kClassName)) {
        if (error) *error = Tr("The file is not a measurement file (.mes).");
        return nullptr;
    }
    CArchive ar(bytes);
    auto data = std::make_unique<CMeasureData>();
    if (!Serialize(ar, *data) || ar.Remaining() != 0) {
        if (error) *error = Tr("The measurement file is damaged or truncated.");
        return nullptr;
    }
    data->ValuesFromTexts();
    return data;
}

std::unique_ptr<CMeasureData> CMesFile::Load(const QString& path, QString* error) {
    QByteArray bytes;
    if (!LoadFileBytes(path, &bytes, kMaxFileSize, error)) return nullptr;
    return LoadBytes(bytes, error);
}
