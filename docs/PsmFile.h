// CPsmFile: the power spectrum window's file (".psm") and its record inside
// workspace files.
//
// Layout (docs/Archive.h rules):
//   class record "CPowerSpectrumView", schema 3
//   frame rectangle: left, top, right, bottom (4 x int32)
//   input selection, window selection (int32 each)
//   record length A, allocation length B (int32 each)
//   A byte pairs: CH1 byte i, then CH2 byte i
//   CH1 commit size, CH1 offset, CH2 commit size, CH2 offset (4 x int32,
//   bytes; read and not used: the reader commits its own copies)
//   input trace: time-base index (int32), time per division (float32),
//   probe (int32), volt scale index (int32), volts per division (int32)
//   spectrum trace: time-base index (int32), decibels per division (int32),
//   frequency per division (float32), decibel centre (int32), window (int32)
// A reader commits both copies for B bytes and fills the first A bytes of
// each; the rest stay zero.
#pragma once

#include "docs/Archive.h"

#include <QByteArray>
#include <QString>

#include <memory>

class CPowerSpectrumData;

class CPsmFile {
public:
    static constexpr uint16_t kSchema = 3;
    static constexpr const char* kClassName = "CPowerSpectrumView";
    static constexpr const char* kExtension = ".psm";
    static constexpr qint64 kMaxFileSize = qint64(64) << 20;

    // Writes the window's record, or reads one into data (which must be a
    // fresh object: a failed read leaves it half filled). Non-zero on
    // success; a damaged record fails the archive.
    static int Serialize(CArchive& ar, CPowerSpectrumData& data);

    static QByteArray Store(CPowerSpectrumData& data);
    // Atomic write; non-zero on success, else *error says why.
    static int Save(const QString& path, CPowerSpectrumData& data, QString* error = nullptr);
    // A whole file; null with a message for the user in *error when it is not
    // a power spectrum file or is damaged or truncated.
    static std::unique_ptr<CPowerSpectrumData> Load(const QString& path, QString* error = nullptr);
    static std::unique_ptr<CPowerSpectrumData> LoadBytes(const QByteArray& bytes, QString* error = nullptr);
};
