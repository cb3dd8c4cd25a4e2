// Rescaling a waveform sheet's traces: the scale selectors stretch the
// selected trace (the one whose block is enabled), and running again returns
// every shown trace to the scale it was acquired at. The cursors follow the
// selected trace about the same point as it is stretched (its pivot line, its
// trigger x), so they keep marking the same values; a cursor that was dragged
// goes back to where it was dropped once the trace is back at its scale.
//
// Scales are those of the traces: µV or decibels per division vertically,
// ns or mHz per division horizontally.
#pragma once

class CYTSheetData;

// The selected trace is shown at scale (its previous scale) with the ratio
// old ÷ scale and selector position index; vertical cursors are stretched
// by previous ÷ scale. Non-zero when a trace was rescaled; 0 when no block
// is enabled or the scale is not positive.
int RescaleSelectedHorizontally(CYTSheetData& sheet, int index, double scale);
// The same vertically, for horizontal cursors.
int RescaleSelectedVertically(CYTSheetData& sheet, int index, double scale);
// Every shown trace goes back to its acquired scale (ratios 1, previous
// scales := old ones); the cursors of the selected trace follow it.
void ReturnToAcquiredScales(CYTSheetData& sheet);
