#include "analysis/view/AnalyseView.h"

#include "analysis/BusFieldText.h"
#include "analysis/BusLevels.h"
#include "docs/BusAnalysisData.h"

#include <QPainter>

#include <algorithm>

QColor ColourOf(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

std::uint32_t ColorRefOf(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}

CAnalyseView::CAnalyseView(const CBusAnalysisData& data, QWidget* parent) : QWidget(parent), m_data(data) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(120);
}

void CAnalyseView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Render(painter, rect());
}

namespace {

int XOf(int sample, int length, const QRect& band) {
    return band.left() + static_cast<int>(static_cast<long long>(sample) * band.width() / std::max(length, 1));
}

} // namespace

void CAnalyseView::DrawLine(QPainter& painter, const QRect& band, int channel) const {
    const std::vector<std::uint8_t>& record = channel == 0 ? m_data.ch1 : m_data.ch2;
    const int length = static_cast<int>(record.size());
    painter.setPen(ColourOf(m_data.colours[channel == 0 ? kBusCH1 : kBusCH2]));
    painter.drawText(band.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(m_data.lineNames[channel]));
    if (length < 2) return;
    const int mid = MidLevel(record.data(), length);
    const int high = band.top() + band.height() / 4, low = band.bottom() - band.height() / 4;
    int lastY = static_cast<std::int8_t>(record[0]) > mid ? high : low, lastX = band.left();
    // One segment per pixel column at most: the level at the column's end.
    for (int x = band.left() + 1; x <= band.right(); ++x) {
        const int sample = static_cast<int>(static_cast<long long>(x - band.left()) * length / band.width());
        const int y = static_cast<std::int8_t>(record[std::min(sample, length - 1)]) > mid ? high : low;
        if (y != lastY) {
            painter.drawLine(lastX, lastY, x, lastY);
            painter.drawLine(x, lastY, x, y);
            lastX = x;
            lastY = y;
        }
    }
    painter.drawLine(lastX, lastY, band.right(), lastY);
}

void CAnalyseView::DrawFields(QPainter& painter, const QRect& band) const {
    const CBusDecoder& decoder = m_data.Decoder();
    const int length = static_cast<int>(std::min(m_data.ch1.size(), m_data.ch2.size()));
    const std::vector<BusField>& fields = decoder.Results();
    const bool i2c = !m_data.IsSPI();
    const std::vector<BusFieldText> texts =
        BusFieldTexts(fields, m_data.numberBase, i2c, i2c && m_data.i2c.addressType == kAddrTenBit);
    const int boxTop = band.top(), boxHeight = band.height() / 2;
    for (std::size_t i = 0; i < fields.size() && i < texts.size(); ++i) {
        const BusField& f = fields[i];
        const bool address = texts[i].label != "Data:";
        const QColor colour = ColourOf(m_data.colours[address ? kBusRes1 : kBusRes2]);
        const int x0 = XOf(f.start, length, band), x1 = std::max(XOf(f.start + f.width, length, band), x0 + 2);
        const QRect box(x0, boxTop, x1 - x0, boxHeight);
        painter.setPen(colour);
        painter.drawRect(box);
        const QString text = QString::fromStdString(texts[i].label + texts[i].value + texts[i].mark);
        painter.drawText(box.adjusted(2, 0, 200, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        for (const BusBit& b : f.bits) {
            const int x = XOf(b.start, length, band);
            painter.drawText(QRect(x - 5, boxTop + boxHeight, 10, band.height() - boxHeight), Qt::AlignCenter,
                             QString::number(b.value));
        }
    }
}

void CAnalyseView::Render(QPainter& painter, const QRect& area) const {
    painter.fillRect(area, ColourOf(m_data.colours[kBusBack]));
    const int row = area.height() / 4;
    const int data = m_data.DataChannel();
    DrawLine(painter, QRect(area.left(), area.top(), area.width(), row), data);
    DrawLine(painter, QRect(area.left(), area.top() + row, area.width(), row), 1 - data);
    DrawFields(painter, QRect(area.left(), area.top() + 2 * row, area.width(), area.height() - 2 * row));
    if (!m_status.isEmpty()) {
        painter.setPen(ColourOf(m_data.colours[kBusRes1]));
        painter.drawText(area.adjusted(4, 0, -4, -2), Qt::AlignRight | Qt::AlignBottom, m_status);
    }
}
