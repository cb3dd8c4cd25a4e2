// CWfmFile: the waveform sheet's file (".wfm") and its record inside
// workspace files.
//
// Layout (docs/Archive.h rules: little-endian, counted strings, no padding):
//   class record "CYTSheetView", schema 3
//   colour mode (32-bit), zoom (float32; 5.0 is 100 %), view centre x, y
//   (2 × 32-bit), scroll position x, y, client rectangle and frame rectangle
//   (left, top, right, bottom; right and bottom exclusive; device pixels),
//   frame show state (32-bit);
//   CH1 and CH2 volts per division in millivolts (float32 each: the µV of
//   the acquisition parameters ÷ 1000, read back × 1000 truncated), CH1 and
//   CH2 vertical position (16-bit each, sample counts), the two
//   volts-per-division texts, horizontal position (32-bit, 1/40 division),
//   the window state (32-bit), the measurement time base (float32, ns per
//   division), the time-base text, the FFT zoom (32-bit), FFT decibels per
//   division (32-bit) and its text, the FFT frequency base (float32, Hz per
//   division) and its text, the trigger level (16-bit, sample counts), then
//   eleven 32-bit values: CH1 and CH2 scale index, time-base index, math
//   operation, CH1 and CH2 probe, CH1 and CH2 coupling, CH1 and CH2 scale
//   override, display format;
//   then the drawing objects' own records: graticule, traces 1-3, blocks 1-3,
//   rail, cursors 1 and 2, cursor read-out, scale read-out.
// Any schema is read; the schema found goes to g_nSchema before the fields.
// A stored zoom outside 20 % … 750 % is brought into that range.
#pragma once

#include "docs/Archive.h"

#include <QByteArray>
#include <QString>

#include <memory>

class CYTSheetData;

class CWfmFile {
public:
    static constexpr uint16_t kSchema = 3;
    static constexpr const char* kClassName = "CYTSheetView";
    static constexpr const char* kExtension = ".wfm";
    // Files are read whole; a sheet file is never near this size.
    static constexpr qint64 kMaxFileSize = qint64(512) << 20;

    // Writes or reads the sheet's record. Non-zero on success; a refused or
    // damaged record fails the archive (the sheet then holds what was read so
    // far and is to be thrown away).
    static int Serialize(CArchive& ar, CYTSheetData& sheet);

    // The bytes of a sheet's file.
    static QByteArray Store(CYTSheetData& sheet);
    // Writes the file atomically (temporary file and rename). Non-zero on
    // success; on failure the old file is untouched and *error says why.
    static int Save(const QString& path, CYTSheetData& sheet, QString* error = nullptr);
    // Reads a whole file into a new sheet whose display state is re-derived.
    // Null on failure, with a message for the user in *error: a file that is
    // not a sheet file, or one that is truncated or damaged.
    static std::unique_ptr<CYTSheetData> Load(const QString& path, QString* error = nullptr);
    static std::unique_ptr<CYTSheetData> LoadBytes(const QByteArray& bytes, QString* error = nullptr);

    // The name with ".wfm" appended unless it already ends in ".wfm".
    static QString WithExtension(const QString& name);
    // Whether saving must ask for a name: Save As always, Save when the
    // sheet's stored path is " " (never opened from a file).
    static bool NeedsFileDialog(const QString& storedPath, bool saveAs);
};
