#include "docs/AnalysisArchive.h"

#include "docs/InputTrace.h"

#include <climits>
#include <cmath>
#include <cstdint>

void TransferFrameRect(CArchive& ar, QRect& r) {
    std::int32_t left = r.left(), top = r.top(), right = r.left() + r.width(), bottom = r.top() + r.height();
    for (std::int32_t* v : {&left, &top, &right, &bottom}) ar.Transfer(*v);
    if (!ar.IsLoading() || ar.Failed()) return;
    const std::int64_t width = std::int64_t{right} - left, height = std::int64_t{bottom} - top;
    if (width < INT32_MIN || width > INT32_MAX || height < INT32_MIN || height > INT32_MAX) {
        ar.SetFailed();
        return;
    }
    r = QRect(QPoint(left, top), QSize(static_cast<int>(width), static_cast<int>(height)));
}

void TransferInputTrace(CArchive& ar, InputTraceScale& s) {
    ar.Transfer(s.timeBaseIndex);
    ar.Transfer(s.timePerDivision);
    ar.Transfer(s.probe);
    ar.Transfer(s.voltScaleIndex);
    ar.Transfer(s.voltsPerDivision);
    if (ar.IsLoading() && (!std::isfinite(s.timePerDivision) || s.probe < 0 || s.probe > 3)) ar.SetFailed();
}
