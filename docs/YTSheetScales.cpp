#include "docs/YTSheetScales.h"

#include "docs/YTSheetData.h"
#include "docs/YTSheetUpdate.h"

namespace {

enum class Axis { Horizontal, Vertical };

// Stretches the cursors that measure along an axis by ratio, about the point
// the trace is stretched about.
void StretchCursors(CYTSheetData& sheet, const CDSOWaveform& t, Axis axis, float ratio) {
    for (CDSOCursor& c : sheet.cursor) {
        if (axis == Axis::Vertical)
            c.SetVtRatio(ratio, t.GetPivot().y());
        else
            c.SetHzRatio(ratio, t.TriggerX());
    }
}

void RefreshReadout(CYTSheetData& sheet) {
    RefreshReadoutBases(sheet);
    RefreshCursorReadout(sheet);
}

int RescaleSelected(CYTSheetData& sheet, Axis axis, int index, double scale) {
    const int selected = sheet.SelectedTrace();
    if (selected < 0 || !(scale > 0)) return 0;
    CDSOWaveform& t = sheet.trace[selected];
    const bool vertical = axis == Axis::Vertical;
    const double previous = vertical ? t.GetPreVtScale() : t.GetPreHzScale();
    const double old = vertical ? t.GetOldVtScale() : t.GetOldHzScale();
    if (vertical) {
        t.SetPreVtScale(scale);
        t.SetVtRatio(static_cast<float>(old / scale));
        t.SetVtScaleIndex(index);
    } else {
        t.SetPreHzScale(scale);
        t.SetHzRatio(static_cast<float>(old / scale));
        t.SetHzScaleIndex(index);
    }
    if (previous > 0) StretchCursors(sheet, t, axis, static_cast<float>(previous / scale));
    RefreshReadout(sheet);
    return 1;
}

}  // namespace

int RescaleSelectedHorizontally(CYTSheetData& sheet, int index, double scale) {
    return RescaleSelected(sheet, Axis::Horizontal, index, scale);
}

int RescaleSelectedVertically(CYTSheetData& sheet, int index, double scale) {
    return RescaleSelected(sheet, Axis::Vertical, index, scale);
}

void ReturnToAcquiredScales(CYTSheetData& sheet) {
    for (int i = 0; i < kTraceCount; ++i) {
        CDSOWaveform& t = sheet.trace[i];
        if (!t.GetVisible() || !sheet.ShownFlag(i)) continue;
        if (sheet.block[i].GetBlockEnable()) {
            StretchCursors(sheet, t, Axis::Vertical, 1.0f / t.GetVtRatio());
            StretchCursors(sheet, t, Axis::Horizontal, 1.0f / t.GetHzRatio());
        }
        t.SetVtRatio(1.0f);
        t.SetHzRatio(1.0f);
        t.SetPreVtScale(t.GetOldVtScale());
        t.SetPreHzScale(t.GetOldHzScale());
    }
    RefreshReadout(sheet);
}
