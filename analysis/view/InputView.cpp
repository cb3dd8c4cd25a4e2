#include "analysis/view/InputView.h"

#include "analysis/SampleReading.h"
#include "analysis/view/TracePolyline.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace {

constexpr int kDivisionsX = 10;
constexpr int kDivisionsY = 8;
constexpr int kHalfRange = kCountsPerDivision * kDivisionsY / 2; // 100 counts

QPolygon TracePolygon(const std::vector<std::uint8_t>& record, const QRect& area) {
    const int height = area.height();
    return TracePolyline(static_cast<std::int64_t>(record.size()), area, [&](std::int64_t begin, std::int64_t end) {
        // Rows fall as counts rise: the extremes' rows from the extreme counts.
        const auto [least, most] = std::minmax_element(record.begin() + begin, record.begin() + end,
                                                       [](std::uint8_t a, std::uint8_t b) {
                                                           return SampleCount(a) < SampleCount(b);
                                                       });
        return ColumnRows{CInputView::RowOf(record[static_cast<std::size_t>(begin)], height),
                          CInputView::RowOf(*most, height), CInputView::RowOf(*least, height),
                          CInputView::RowOf(record[static_cast<std::size_t>(end - 1)], height)};
    });
}

} // namespace

void PaintTraceGrid(QPainter& painter, const QRect& area) {
    painter.save();
    painter.fillRect(area, Qt::white);
    for (int i = 0; i <= kDivisionsX; ++i) {
        painter.setPen(i == kDivisionsX / 2 ? Qt::gray : QColor(0xC0, 0xC0, 0xC0));
        const int x = area.left() + i * (area.width() - 1) / kDivisionsX;
        painter.drawLine(x, area.top(), x, area.bottom());
    }
    for (int i = 0; i <= kDivisionsY; ++i) {
        painter.setPen(i == kDivisionsY / 2 ? Qt::gray : QColor(0xC0, 0xC0, 0xC0));
        const int y = area.top() + i * (area.height() - 1) / kDivisionsY;
        painter.drawLine(area.left(), y, area.right(), y);
    }
    painter.restore();
}

CInputView::CInputView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CInputView::SetRecords(std::span<const std::uint8_t> ch1, std::span<const std::uint8_t> ch2) {
    m_ch1.assign(ch1.begin(), ch1.end());
    m_ch2.assign(ch2.begin(), ch2.end());
    update();
}

void CInputView::SetTraceNames(const QString& ch1, const QString& ch2) {
    m_ch1Name = ch1;
    m_ch2Name = ch2;
    update();
}

int CInputView::RowOf(std::uint8_t sample, int height) {
    const int count = std::clamp(SampleCount(sample), -kHalfRange, kHalfRange);
    return std::clamp((kHalfRange - count) * (height - 1) / (2 * kHalfRange), 0, std::max(height - 1, 0));
}

void CInputView::Render(QPainter& painter, const QRect& area) const {
    PaintTraceGrid(painter, area);
    painter.save();
    painter.setClipRect(area);
    const QFontMetrics metrics(painter.font());
    int nameX = area.left() + 4;
    for (const auto& [record, name, colour] :
         {std::tuple{&m_ch1, m_ch1Name, kInputCH1Colour}, std::tuple{&m_ch2, m_ch2Name, kInputCH2Colour}}) {
        painter.setPen(colour);
        painter.drawPolyline(TracePolygon(*record, area));
        painter.drawText(nameX, area.top() + metrics.ascent() + 2, name);
        nameX += metrics.horizontalAdvance(name) + 12;
    }
    painter.restore();
}

void CInputView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Render(painter, rect());
}
