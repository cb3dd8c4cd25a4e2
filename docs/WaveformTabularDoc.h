#pragma once
// CWaveformTabularDoc: the data table window's document and its file (".dat",
// also its record inside workspace files).
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
#include "corvane/AcquisitionSnapshot.h"
#include "docs/DataDoc.h"
#include "docs/TabularData.h"

class CWaveformTabularDoc : public CDataDoc {
public:
    static constexpr uint16_t kSchema = 3;
    static constexpr const char* kClassName = "CWaveformTabularView";

    CTabularData data{0};

    int Serialize(CArchive& ar) override;
    const char* ClassName() const override { return kClassName; }
    const char* Extension() const override { return ".dat"; }
    QString KindName() const override;

    // Recomputes the current page from an acquisition (the table update and
    // show page); writeTexts false while printing. Returns the rows computed.
    int32_t Update(const tagAcquisitionSnapshot& snapshot, bool writeTexts = true);
};

// The table input of an acquisition snapshot.
TabularInput TabularInputOf(const tagAcquisitionSnapshot& snapshot);
