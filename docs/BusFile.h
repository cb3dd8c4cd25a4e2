// CBusFile: the bus analysis window's file (".bus") and its record inside
// workspace files.
//
// Layout (docs/Archive.h rules; no class record):
//   frame rectangle: left, top, right, bottom (4 x int32)
//   window values: time base (float32), float32 x 2, int32, double x 2,
//     uint32 x 4, double x 2, int32
//   input display: record length L (int32), the CH1 record, the CH2 record
//     (L bytes each)
//   analysis display: float32 x 3 (its own value, the two per-channel
//     values); COLORREF x 5 (BACK, CH1, CH2, Res1, Res2); int32 x 5;
//     double x 2; bus name, the two line names (strings); bits, number base
//     (int32); number base name (string);
//     I2C: high pulse, low pulse, start build, start keep, stop time
//     (5 strings), address bits, address type, two thresholds (int32 x 4);
//     SPI: CPHA, CPOL, high pulse, low pulse, start build (5 strings),
//     threshold (int32)
//   settings panel: the open tab (int32)
// A reader checks the values a window depends on (record length, bits,
// base, address settings, tab) and refuses the file otherwise.
#pragma once

#include "docs/Archive.h"

#include <QByteArray>
#include <QString>

#include <memory>

class CBusAnalysisData;

class CBusFile {
public:
    static constexpr const char* kExtension = ".bus";
    static constexpr qint64 kMaxFileSize = qint64(64) << 20;
    static constexpr std::int32_t kMaxRecordLength = 8000000;

    // Writes the window's record, or reads one into data (a failed read may
    // leave it half filled). Non-zero on success.
    static int Serialize(CArchive& ar, CBusAnalysisData& data);

    static QByteArray Store(CBusAnalysisData& data);
    static int Save(const QString& path, CBusAnalysisData& data, QString* error = nullptr);
    // A whole file; null with a message for the user in *error when it is
    // damaged or truncated.
    static std::unique_ptr<CBusAnalysisData> Load(const QString& path, QString* error = nullptr);
    static std::unique_ptr<CBusAnalysisData> LoadBytes(const QByteArray& bytes, QString* error = nullptr);
};
