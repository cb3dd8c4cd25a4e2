#include "veltro/EllipseButton.h"

#include <QMouseEvent>
#include <QPainter>

CEllipseButton::CEllipseButton(QWidget* parent) : CEllipseButton(QString(), parent) {}

CEllipseButton::CEllipseButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    // Moves without a button pressed are needed to notice the mouse arriving.
    setMouseTracking(true);
    PreSubclassWindow();
}

CEllipseButton::~CEllipseButton() {
    if (mouseGrabber() == this) releaseMouse();
}

void CEllipseButton::PreSubclassWindow() {
    const QRect client = rect();
    m_centreX = client.left() + client.width() / 2;
    m_centreY = client.top() + client.height() / 2;
    m_radiusX = client.width() / 2;
    m_radiusY = client.height() / 2;
    clearMask();
    m_region = QRegion(client, QRegion::Ellipse);
    setMask(m_region);
    update();
}

void CEllipseButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    PreSubclassWindow();
}

void CEllipseButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawItem(painter, rect());
}

void CEllipseButton::DrawItem(QPainter& painter, const QRect& rect) {
    m_caption = text();
    m_itemRect = rect;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.fillRect(m_itemRect, QColor(kBackgroundColor));
    if (m_lit)
        DrawPassBtn(painter);
    else
        DrawNormalBtn(painter);
    painter.restore();
}

void CEllipseButton::DrawNormalBtn(QPainter& painter) {
    DrawLook(painter, m_itemRect.adjusted(1, 2, -1, -2), kNormalRingColor, QPoint(1, 5));
}

void CEllipseButton::DrawPassBtn(QPainter& painter) {
    DrawLook(painter, m_itemRect.adjusted(2, 2, -2, -2), kLitRingColor, QPoint(0, 4));
}

// Outer black ring and face, the look's inner ring, then the caption centred
// horizontally in a rectangle that starts at textOffset from the corner.
// Rectangles are shrunk by one pixel at right and bottom so a 1-pixel ellipse
// stays inside them, as the fill of the item rectangle does.
void CEllipseButton::DrawLook(QPainter& painter, const QRect& inner, QRgb ringColor, const QPoint& textOffset) {
    painter.setBrush(QColor(kFaceColor));
    painter.setPen(QPen(QColor(kOuterRingColor), 1));
    painter.drawEllipse(m_itemRect.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(QColor(ringColor), 1));
    painter.drawEllipse(inner.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(kCaptionColor));
    painter.setBackgroundMode(Qt::TransparentMode);
    const QRect textRect(m_itemRect.topLeft() + textOffset, m_itemRect.bottomRight());
    painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop, m_caption);
}

void CEllipseButton::TakeFocus() {
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
}

void CEllipseButton::mousePressEvent(QMouseEvent* event) {
    m_lit = 0;
    TakeFocus();
    QPushButton::mousePressEvent(event);
    update();
}

void CEllipseButton::mouseReleaseEvent(QMouseEvent* event) {
    m_lit = 1;
    TakeFocus();
    QPushButton::mouseReleaseEvent(event);
    update();
}

void CEllipseButton::mouseMoveEvent(QMouseEvent* event) {
    if (m_tracking && mouseGrabber() == this) {
        if (!rect().contains(event->position().toPoint())) EndHover();
    } else if (!m_tracking) {
        m_tracking = 1;
        grabMouse();
        m_lit = 1;
        update();
    }
    QPushButton::mouseMoveEvent(event);
}

void CEllipseButton::EndHover() {
    m_tracking = 0;
    if (mouseGrabber() == this) releaseMouse();
    m_lit = 0;
    update();
}

// Safety nets: a button that is left, hidden or disabled never keeps the
// mouse captured.
void CEllipseButton::leaveEvent(QEvent* event) {
    if (m_tracking) EndHover();
    QPushButton::leaveEvent(event);
}

void CEllipseButton::hideEvent(QHideEvent* event) {
    if (m_tracking) EndHover();
    QPushButton::hideEvent(event);
}

void CEllipseButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled() && m_tracking) EndHover();
    QPushButton::changeEvent(event);
}
