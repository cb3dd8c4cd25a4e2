#pragma once
// Entries of the waveform sheet's scale selectors and the scale each entry
// stands for.
#include <QStringList>

inline constexpr int kHorizontalScaleEntries = 31;
inline constexpr int kVerticalScaleEntries = 12;   // eleven fixed scales and a custom one
inline constexpr int kCustomVerticalEntry = 11;

// Domain of the selectors: time and voltage, or frequency and decibels.
enum class ScaleDomain { TimeVoltage = 0, FrequencyDecibel = 1 };

// "4.00ns", "8.00ns", "20.0ns", ... "20.0s", "40.0s".
QStringList HorizontalScaleTexts();
// "20.0mv" ... "50.0v", then the custom position (an empty text).
QStringList VerticalScaleTexts();

// Scale of horizontal entry index: the time base (ns) or frequency step (mHz).
double HorizontalScaleOf(int index, ScaleDomain domain);
// Scale of vertical entry index: volts per division in µV for the probe, the
// custom value at the custom position, or decibels per division.
double VerticalScaleOf(int index, ScaleDomain domain, int probe, double customScale);
