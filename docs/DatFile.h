// CDatFile: the data table window's file (".dat") and its record inside
// workspace files.
//
// Layout (docs/Archive.h rules):
//   class record "CWaveformTabularView", schema 3;
//   frame rectangle (4 × 32-bit, right and bottom exclusive);
//   source mode, rows per page R, page count, current page (32-bit each);
//   R pairs of row texts (column 1, column 2 of each row), counted strings;
//   point count P, point capacity (32-bit each); P points x, y (float32 each).
// Any schema is read. A file whose counts cannot be right (R or P beyond
// what the file holds, P above the capacity, a current page outside the
// page count) is refused before anything is allocated for it.
#pragma once

#include "docs/Archive.h"
#include "docs/TabularData.h"

#include <QByteArray>
#include <QString>

#include <memory>

class CDatFile {
public:
    static constexpr uint16_t kSchema = 3;
    static constexpr const char* kClassName = "CWaveformTabularView";
    static constexpr const char* kExtension = ".dat";
    static constexpr qint64 kMaxFileSize = qint64(256) << 20;

    static int Serialize(CArchive& ar, CTabularData& data);
    static QByteArray Store(CTabularData& data);
    static int Save(const QString& path, CTabularData& data, QString* error = nullptr);
    static std::unique_ptr<CTabularData> LoadBytes(const QByteArray& bytes, QString* error = nullptr);
    static std::unique_ptr<CTabularData> Load(const QString& path, QString* error = nullptr);
};
