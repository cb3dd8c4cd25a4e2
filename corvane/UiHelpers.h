// Two small helpers that the windows of the program share. Corvane knows no
// windowing toolkit: DoEvent calls a hook that the program installs, and
// DlgLayOut works on plain rectangles that the caller applies to its widgets.
#pragma once

#include <array>
#include <cstdint>

// Empties the calling thread's event queue so that the user interface stays
// responsive inside long loops. Does nothing until a pump is installed.
void DoEvent();

// Installs the event pump that DoEvent calls (null restores the no-op).
// The program installs one at start-up, before any long loop runs.
using DoEventPump = void (*)();
void SetDoEventPump(DoEventPump pump);

// A rectangle as left, top, right, bottom in dialog pixels.
struct tagLayoutRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

inline constexpr int kDlgLayOutRects = 10;
inline constexpr int32_t kDlgLayOutWidth = 400;
inline constexpr int32_t kDlgLayOutHeight = 200;

// Lays out the parameter dialog: the dialog keeps its top-left corner and
// becomes 400 x 200; the ten control rectangles take their fixed places
// in the order the parameter dialog hands its controls over.
void DlgLayOut(tagLayoutRect& dialog, std::array<tagLayoutRect, kDlgLayOutRects>& rects);
