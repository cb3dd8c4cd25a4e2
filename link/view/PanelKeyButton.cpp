#include "link/view/PanelKeyButton.h"

#include <QPainter>

namespace {
constexpr qreal kCornerRadius = 4.0;
constexpr int kPressedDarkening = 115;   // percent
const QColor kEdgeColor(0x60, 0x60, 0x60);
const QColor kFocusEdgeColor(0x30, 0x60, 0xC0);
}  // namespace

CPanelKeyButton::CPanelKeyButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::TabFocus);
}

void CPanelKeyButton::SetFaceColor(const QColor& face)
{
    m_face = face;
    update();
}

QSize CPanelKeyButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(text()) + 12;
    return {std::max(44, textWidth), std::max(26, metrics.height() + 10)};
}

void CPanelKeyButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF cap = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(hasFocus() ? kFocusEdgeColor : kEdgeColor, 1.0));
    painter.setBrush(isDown() ? m_face.darker(kPressedDarkening) : m_face);
    painter.drawRoundedRect(cap, kCornerRadius, kCornerRadius);
    if (!icon().isNull()) {
        const QSize size = iconSize();
        QRect place(QPoint(0, 0), size);
        place.moveCenter(rect().center());
        icon().paint(&painter, place);
        return;
    }
    painter.setPen(isEnabled() ? Qt::black : Qt::gray);
    painter.drawText(rect(), Qt::AlignCenter, text());
}
