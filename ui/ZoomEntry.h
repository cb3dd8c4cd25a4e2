#pragma once
// The zoom box of the waveform sheet's window: seven list entries and a typed
// percentage. A factor of 5 shows the sheet at 100 %.
#include <QString>
#include <QStringList>

#include <optional>

inline constexpr int kZoomEntryCount = 7;
inline constexpr int kDefaultZoomEntry = 3;          // "100%"
inline constexpr double kMinZoomPercent = 20.0;
inline constexpr double kMaxZoomPercent = 750.0;

// "25%", "50%", "75%", "100%", "150%", "200%", "400%".
QStringList ZoomEntryTexts();
// Zoom factor of a list entry: 1, 2, 3, 5, 7, 10, 20 (0 for a bad index).
double ZoomFactorOfEntry(int index);

// A typed zoom: the percentage after clamping, the text written back into the
// box ("%3.0f" and "%") and the zoom factor (percent × 5 / 100).
struct TypedZoom {
    double percent;
    QString text;
    double factor;
};
// Reads a typed zoom: trailing "%" signs are removed and one leading "+" or
// "-" is dropped; then only digits with at most one "." are a number.
// Anything else is refused (nullopt) and changes nothing.
std::optional<TypedZoom> ParseTypedZoom(const QString& typed);
