#include "app/SplashWindow.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/Icons.h"

CSplashWindow::CSplashWindow(QWidget* over)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(SplashPixmap(tr("Companion program of the two-channel USB oscilloscope")))
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(m_picture.size());
    const QRect area = over ? over->geometry() : screen()->availableGeometry();
    move(area.center() - rect().center());
    qApp->installEventFilter(this);
    QTimer::singleShot(kShowMs, this, &QWidget::close);
}

CSplashWindow::~CSplashWindow()
{
    qApp->removeEventFilter(this);
}

bool CSplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        close();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CSplashWindow::paintEvent(QPaintEvent*)
{
    QPainter(this).drawPixmap(0, 0, m_picture);
}
