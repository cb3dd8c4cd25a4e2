#include "app/Icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
constexpr int kIndicatorSize = 20;

QPixmap Plug(const QColor& colour, bool crossed)
{
    QPixmap pm(kIndicatorSize, kIndicatorSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(150), 1.5));
    p.setBrush(colour);
    p.drawEllipse(QRectF(2, 2, 16, 16));
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
    if (crossed) {
        p.drawLine(QPointF(6.5, 6.5), QPointF(13.5, 13.5));
        p.drawLine(QPointF(13.5, 6.5), QPointF(6.5, 13.5));
    } else {
        p.drawLine(QPointF(7.5, 5.5), QPointF(7.5, 9.0));
        p.drawLine(QPointF(12.5, 5.5), QPointF(12.5, 9.0));
        p.drawRoundedRect(QRectF(6.0, 9.0, 8.0, 4.0), 1.5, 1.5);
        p.drawLine(QPointF(10.0, 13.0), QPointF(10.0, 15.5));
    }
    return pm;
}

void DrawTrace(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    for (int x = 0; x <= 100; ++x) {
        const double t = x / 100.0;
        const QPointF pt(r.left() + t * r.width(), r.center().y() - std::sin(t * 12.566) * r.height() * 0.35);
        x == 0 ? path.moveTo(pt) : path.lineTo(pt);
    }
    p.drawPath(path);
}
}  // namespace

QPixmap ConnectedPixmap()
{
    return Plug(QColor(0x2e, 0xa0, 0x43), false);
}

QPixmap DisconnectedPixmap()
{
    return Plug(QColor(0xc6, 0x28, 0x28), true);
}

QIcon ProgramIcon()
{
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x10, 0x20, 0x30));
    p.setPen(QPen(QColor(0x90, 0xa0, 0xb0), 3));
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 8, 8);
    p.setPen(QPen(QColor(0xff, 0xe0, 0x40), 4));
    p.setBrush(Qt::NoBrush);
    DrawTrace(p, QRectF(8, 12, 48, 40));
    return QIcon(pm);
}

QIcon HelpIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1e, 0x4f, 0x9a), 1.5));
    p.setBrush(QColor(0x2f, 0x6f, 0xd0));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    QFont f = p.font();
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, QStringLiteral("?"));
    return QIcon(pm);
}

QPixmap SplashPixmap(const QString& caption)
{
    QPixmap pm(420, 240);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 240);
    g.setColorAt(0, QColor(0x12, 0x24, 0x3a));
    g.setColorAt(1, QColor(0x05, 0x0a, 0x12));
    p.fillRect(pm.rect(), g);
    p.setPen(QPen(QColor(0x30, 0x50, 0x70), 1));
    for (int x = 20; x < 420; x += 40)
        p.drawLine(x, 20, x, 160);
    for (int y = 20; y <= 160; y += 35)
        p.drawLine(20, y, 400, y);
    p.setPen(QPen(QColor(0xff, 0xe0, 0x40), 3));
    DrawTrace(p, QRectF(20, 20, 380, 140));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPointSize(22);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 165, 420, 40), Qt::AlignCenter, QStringLiteral("Quorvex"));
    f.setPointSize(10);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 205, 420, 25), Qt::AlignCenter, caption);
    return pm;
}
