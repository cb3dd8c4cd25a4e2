#pragma once
// CWaveformMeasurementDoc: the measurement window's document and its file
// (".mes", also its record inside workspace files).
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
// Any schema is read. The values are not in the file: a read document takes
// them back from its texts.
#include "corvane/AcquisitionSnapshot.h"
#include "docs/DataDoc.h"
#include "docs/MeasureData.h"

class CWaveformMeasurementDoc : public CDataDoc {
public:
    static constexpr uint16_t kSchema = 3;
    static constexpr const char* kClassName = "CWaveformMeasurementView";
    // Longest record a file may claim to measure (the deepest store depth).
    static constexpr int32_t kMaxPoints = 800000;

    CMeasureData data;

    int Serialize(CArchive& ar) override;
    const char* ClassName() const override { return kClassName; }
    const char* Extension() const override { return ".mes"; }
    QString KindName() const override;

    // Measures the source channel of an acquisition. Scan state: every text
    // "?". Returns 0 when the record could not be measured (nothing held).
    int Update(const tagAcquisitionSnapshot& snapshot);

protected:
    void AfterLoad() override { data.ValuesFromTexts(); }
};
