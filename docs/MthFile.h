// CMthFile: the arithmetic window's file (".mth") and its record inside
// workspace files.
//
// Layout (docs/Archive.h rules; no class record):
//   frame rectangle: left, top, right, bottom (4 x int32)
//   record length L, allocation length (int32 each)
//   2L bytes: the CH1 record, then the CH2 record
//   first input name, second input name, operation name (counted strings)
//   time base, CH1 volts per division, CH2 volts per division (double each)
//   scale factor (double)
// A reader allocates for the allocation length, re-derives the operand and
// operation codes from the names and the output scale from the two scales.
#pragma once

#include "docs/Archive.h"

#include <QByteArray>
#include <QString>

#include <memory>

class CArithmeticData;

class CMthFile {
public:
    static constexpr const char* kExtension = ".mth";
    static constexpr qint64 kMaxFileSize = qint64(64) << 20;

    // Writes the window's record, or reads one into data (a fresh object; a
    // failed read leaves it half filled). Non-zero on success.
    static int Serialize(CArchive& ar, CArithmeticData& data);

    static QByteArray Store(CArithmeticData& data);
    static int Save(const QString& path, CArithmeticData& data, QString* error = nullptr);
    // A whole file in the given language; null with a message for the user in
    // *error when it is damaged or truncated.
    static std::unique_ptr<CArithmeticData> Load(const QString& path, unsigned language,
                                                 QString* error = nullptr);
    static std::unique_ptr<CArithmeticData> LoadBytes(const QByteArray& bytes, unsigned language,
                                                      QString* error = nullptr);
};
