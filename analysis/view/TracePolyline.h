#pragma once
// The polyline of a trace with one point per sample, x = left + i * width / n.
// A deep record puts many samples in one pixel column; joined one after
// another they light that column from their lowest to their highest row, and
// the segment to the next column runs from the column's last sample. So each
// column is kept as at most four points (first, lowest, highest, last): the
// same pixels, a few thousand points instead of a point per sample.
#include <QPoint>
#include <QPolygon>
#include <QRect>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

// Rows of the samples of one pixel column, relative to the area's top.
struct ColumnRows {
    int first = 0, low = 0, high = 0, last = 0; // low: the smallest row (highest on screen)
};

// rowsOf(begin, end) gives the ColumnRows of samples [begin, end).
template <class RowsOfColumn>
QPolygon TracePolyline(std::int64_t samples, const QRect& area, RowsOfColumn rowsOf) {
    QPolygon line;
    const auto append = [&](int x, int y) {
        if (line.isEmpty() || line.back() != QPoint(x, y)) line << QPoint(x, y);
    };
    const std::int64_t width = std::max(area.width(), 0);
    // Sample i lies in column i * width / samples: column c holds the
    // samples from ceil(c * samples / width) on.
    const auto columnStart = [&](std::int64_t c) { return (c * samples + width - 1) / width; };
    for (std::int64_t c = 0; c < width; ++c) {
        const std::int64_t begin = columnStart(c), end = std::min(columnStart(c + 1), samples);
        if (begin >= end) continue;
        const ColumnRows r = rowsOf(begin, end);
        // From the first row over both extremes to the last, the shorter way.
        const bool lowFirst =
            std::abs(r.first - r.low) + std::abs(r.high - r.last) <= std::abs(r.first - r.high) + std::abs(r.low - r.last);
        const int x = area.left() + static_cast<int>(c);
        append(x, area.top() + r.first);
        append(x, area.top() + (lowFirst ? r.low : r.high));
        append(x, area.top() + (lowFirst ? r.high : r.low));
        append(x, area.top() + r.last);
    }
    return line;
}
