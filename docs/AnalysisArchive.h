#pragma once
// Archive fields shared by the analysis windows' files.
#include "docs/Archive.h"

#include <QRect>

struct InputTraceScale;

// A frame rectangle as left, top, right, bottom (int32 each; right and
// bottom exclusive).
void TransferFrameRect(CArchive& ar, QRect& rect);
// The input trace's stored state: time-base index, time per division
// (float32), probe, volt scale index, volts per division. A loading archive
// fails on a non-finite time per division or a probe outside 0..3.
void TransferInputTrace(CArchive& ar, InputTraceScale& scale);
