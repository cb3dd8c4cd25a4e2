#include "docs/BusFile.h"

#include "docs/AnalysisArchive.h"
#include "docs/BusAnalysisData.h"

#include <QCoreApplication>

#include <cmath>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("CBusFile", text); }

template <class T>
void TransferAll(CArchive& ar, std::initializer_list<T*> values) {
    for (T* v : values) ar.Transfer(*v);
}

void FailUnless(CArchive& ar, bool good) {
    if (ar.IsLoading() && !good) ar.SetFailed();
}

void TransferViewValues(CArchive& ar, CBusAnalysisData& d) {
    TransferAll<float>(ar, {&d.timeBase, &d.viewFloats[0], &d.viewFloats[1]});
    ar.Transfer(d.viewInt);
    TransferAll<double>(ar, {&d.viewDoubles[0], &d.viewDoubles[1]});
    for (std::uint32_t& w : d.viewWords) ar.Transfer(w);
    TransferAll<double>(ar, {&d.viewDoubles2[0], &d.viewDoubles2[1]});
    ar.Transfer(d.viewInt2);
    FailUnless(ar, std::isfinite(d.timeBase) && d.timeBase >= 0);
}

void TransferRecords(CArchive& ar, CBusAnalysisData& d) {
    std::int32_t length = static_cast<std::int32_t>(d.ch1.size());
    ar.Transfer(length);
    if (ar.IsStoring()) {
        d.ch2.resize(d.ch1.size());
        ar.WriteBytes(d.ch1.data(), d.ch1.size());
        ar.WriteBytes(d.ch2.data(), d.ch2.size());
        return;
    }
    if (ar.Failed() || length < 0 || length > CBusFile::kMaxRecordLength ||
        static_cast<std::size_t>(length) * 2 > ar.Remaining()) {
        ar.SetFailed();
        return;
    }
    for (std::vector<std::uint8_t>* record : {&d.ch1, &d.ch2}) {
        record->resize(static_cast<std::size_t>(length));
        ar.ReadBytes(record->data(), record->size());
    }
}

void TransferI2C(CArchive& ar, I2CBusSettings& s) {
    TransferAll<std::string>(ar, {&s.highPulse, &s.lowPulse, &s.startBuild, &s.startKeep, &s.stopTime});
    TransferAll<std::int32_t>(ar, {&s.addressBits, &s.addressType, &s.thresholds[0], &s.thresholds[1]});
    FailUnless(ar, (s.addressBits == 7 || s.addressBits == 10) && s.addressType >= 0 && s.addressType <= 5);
}

void TransferSPI(CArchive& ar, SPIBusSettings& s) {
    TransferAll<std::string>(ar, {&s.cpha, &s.cpol, &s.highPulse, &s.lowPulse, &s.startBuild});
    ar.Transfer(s.threshold);
    FailUnless(ar, (s.cpha == "0" || s.cpha == "1") && (s.cpol == "0" || s.cpol == "1"));
}

void TransferAnalysis(CArchive& ar, CBusAnalysisData& d) {
    TransferAll<float>(ar, {&d.displayFloat, &d.channelFloats[0], &d.channelFloats[1]});
    for (std::uint32_t& c : d.colours) ar.Transfer(c);
    for (std::int32_t& v : d.displayInts) ar.Transfer(v);
    TransferAll<double>(ar, {&d.displayDoubles[0], &d.displayDoubles[1]});
    TransferAll<std::string>(ar, {&d.busName, &d.lineNames[0], &d.lineNames[1]});
    TransferAll<std::int32_t>(ar, {&d.bits, &d.numberBase});
    ar.Transfer(d.numberBaseName);
    FailUnless(ar, (d.busName == "I2C" || d.busName == "SPI") && (d.bits == 8 || d.bits == 16 || d.bits == 32) &&
                       d.numberBase >= 0 && d.numberBase <= 3);
    TransferI2C(ar, d.i2c);
    TransferSPI(ar, d.spi);
}

} // namespace

int CBusFile::Serialize(CArchive& ar, CBusAnalysisData& data) {
    TransferFrameRect(ar, data.frameRect);
    TransferViewValues(ar, data);
    TransferRecords(ar, data);
    TransferAnalysis(ar, data);
    ar.Transfer(data.panelTab);
    FailUnless(ar, data.panelTab >= 0 && data.panelTab < 5);
    return ar.Failed() ? 0 : 1;
}

QByteArray CBusFile::Store(CBusAnalysisData& data) {
    CArchive ar;
    Serialize(ar, data);
    return ar.Buffer();
}

int CBusFile::Save(const QString& path, CBusAnalysisData& data, QString* error) {
    return SaveFileAtomically(path, Store(data), error);
}

std::unique_ptr<CBusAnalysisData> CBusFile::LoadBytes(const QByteArray& bytes, QString* error) {
    CArchive ar(bytes);
    auto data = std::make_unique<CBusAnalysisData>();
    if (!Serialize(ar, *data) || ar.Remaining() != 0) {
        if (error) *error = Tr(QT_TRANSLATE_NOOP("CBusFile", "The bus analysis file is damaged or truncated."));
        return nullptr;
    }
    return data;
}

std::unique_ptr<CBusAnalysisData> CBusFile::Load(const QString& path, QString* error) {
    QByteArray bytes;
    if (!LoadFileBytes(path, &bytes, kMaxFileSize, error)) return nullptr;
    return LoadBytes(bytes, error);
}
