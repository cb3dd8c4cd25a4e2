#include "docs/AnalysisArchive.h"

#include "docs/InputTrace.h"

#include <cmath>
#include <cstdint>

void TransferFrameRect(CArchive& ar, QRect& r) { ar.Transfer(r); }

void TransferInputTrace(CArchive& ar, InputTraceScale& s) {
    ar.Transfer(s.timeBaseIndex);
    ar.Transfer(s.timePerDivision);
    ar.Transfer(s.probe);
    ar.Transfer(s.voltScaleIndex);
    ar.Transfer(s.voltsPerDivision);
    if (ar.IsLoading() && (!std::isfinite(s.timePerDivision) || s.probe < 0 || s.probe > 3)) ar.SetFailed();
}
