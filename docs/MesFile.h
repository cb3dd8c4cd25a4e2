// CMesFile: the measurement window's file (".mes") and its record inside
// workspace files.
//
// Layout (docs/Archive.h rules: little-endian, counted strings, no padding):
//   class record "CWaveformMeasurementView", schema 3;
//   frame rectangle (left, top, right, bottom, 32-bit each; right and bottom
//   exclusive); source channel (32-bit, 0 CH1, 1 CH2);
//   the 25 value texts in the order Vpp, Vmax, Vmin, Vavg, Vrms, Frequency,
//   Rise Time, Fall Time, Period, Pos.PulseWidth, Neg.PulseWidth, Pos.Duty,
//   Neg.Duty, Vamp, Vtop, Vbase, Vover, Vpre, Vtoptime, Vbasetime,
//   Vrisewidth, Vfallwidth, CMean, VCrms, Slew rate (the slew rate without
//   "/us");
//   points N (32-bit), sample buffer size (32-bit).
// Any schema is read.
#pragma once

#include "docs/Archive.h"
#include "docs/MeasureData.h"

#include <QByteArray>
#include <QString>

#include <memory>

class CMesFile {
public:
    static constexpr uint16_t kSchema = 3;
    static constexpr const char* kClassName = "CWaveformMeasurementView";
    static constexpr const char* kExtension = ".mes";
    static constexpr qint64 kMaxFileSize = qint64(1) << 20;
    // Longest record a file may claim to measure (the deepest store depth).
    static constexpr int32_t kMaxPoints = 800000;

    // Writes or reads the window's record. Non-zero on success; a damaged
    // record fails the archive.
    static int Serialize(CArchive& ar, CMeasureData& data);

    static QByteArray Store(CMeasureData& data);
    // Atomic write; non-zero on success, else *error says why.
    static int Save(const QString& path, CMeasureData& data, QString* error = nullptr);
    // Null on failure, with a message for the user in *error. A loaded
    // record has its values re-derived from its texts.
    static std::unique_ptr<CMeasureData> LoadBytes(const QByteArray& bytes, QString* error = nullptr);
    static std::unique_ptr<CMeasureData> Load(const QString& path, QString* error = nullptr);
};
