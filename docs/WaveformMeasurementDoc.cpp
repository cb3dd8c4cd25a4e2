#include "docs/WaveformMeasurementDoc.h"

#include "docs/Archive.h"
#include "docs/FileFormats.h"

#include <QCoreApplication>

namespace {
// Grid items in the order the file stores their texts.
constexpr int kFileOrder[kMeasureItemCount] = {3,  6,  5,  2,  4,  0,  7,  8,  1,  9,  10, 11, 12,
                                               13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
}  // namespace

QString CWaveformMeasurementDoc::KindName() const {
    return QCoreApplication::translate("CWaveformMeasurementDoc", "measurement");
}

int CWaveformMeasurementDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.WriteClass(kClassName, kSchema);
    else if (!ar.ReadClass(kClassName))
        return 0;
    ar.Transfer(data.frameRect);
    ar.Transfer(data.source);
    for (int item : kFileOrder) ar.Transfer(data.text[static_cast<size_t>(item)]);
    ar.Transfer(data.points);
    ar.Transfer(data.sampleBufferSize);
    if (ar.IsLoading() && (data.source < 0 || data.source > 1 || data.points < 0 || data.points > kMaxPoints ||
                           data.sampleBufferSize < 0 || data.sampleBufferSize > CMeasureData::kMaxSampleBuffer))
        ar.SetFailed();
    return ar.Failed() ? 0 : 1;
}

int CWaveformMeasurementDoc::Update(const tagAcquisitionSnapshot& s) {
    const std::vector<uint8_t>& record = data.source == 1 ? s.ch2 : s.ch1;
    MeasureInput in;
    in.samples = record.data();
    in.count = record.size();
    in.position = data.source == 1 ? s.wfm.nCH2Pos : s.wfm.nCH1Pos;
    in.voltsPerDiv = static_cast<double>(data.source == 1 ? s.wfm.llCH2VoltBase : s.wfm.llCH1VoltBase);
    in.timePerDiv = s.wfm.fMeasureTimeBase;
    in.samplesPerDiv = s.samplesPerDivision;
    in.scan = s.ScanMode();
    const MeasureResult r = MeasureWaveform(in);
    if (!r.ok) return 0;
    data.points = s.recordLength;
    data.sampleBufferSize = static_cast<int32_t>(s.ch1.size() + s.ch2.size());
    data.Apply(r);
    SetModifiedFlag();
    return 1;
}

QV_FILE_FORMAT(".mes", CWaveformMeasurementDoc);
