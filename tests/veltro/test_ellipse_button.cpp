#include "veltro/EllipseButton.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QImage Render(CEllipseButton& button) {
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    button.DrawItem(painter, button.rect());
    return image;
}

} // namespace

TEST(EllipseButton, EllipticRegionFollowsTheSize) {
    CEllipseButton button("CH1");
    button.resize(60, 40);
    button.show(); // a hidden widget gets its resize event when shown
    EXPECT_EQ(button.GetCentre(), QPoint(30, 20));
    EXPECT_EQ(button.GetRadiusX(), 30);
    EXPECT_EQ(button.GetRadiusY(), 20);
    const QRegion mask = button.mask();
    EXPECT_EQ(mask.boundingRect(), QRect(0, 0, 60, 40));
    EXPECT_TRUE(mask.contains(QPoint(30, 20)));
    EXPECT_TRUE(mask.contains(QPoint(2, 20)));   // left end of the long axis
    EXPECT_TRUE(mask.contains(QPoint(30, 1)));   // top end of the short axis
    EXPECT_FALSE(mask.contains(QPoint(1, 1)));   // corners lie outside
    EXPECT_FALSE(mask.contains(QPoint(58, 38)));
    EXPECT_FALSE(mask.contains(QPoint(8, 5)));   // inside the rectangle, outside the ellipse

    button.resize(100, 50);
    EXPECT_EQ(button.GetCentre(), QPoint(50, 25));
    EXPECT_TRUE(QRect(0, 0, 100, 50).contains(button.mask().boundingRect()));
    EXPECT_EQ(button.mask().boundingRect().width(), 100);
    EXPECT_TRUE(button.mask().contains(QPoint(90, 25)));
}

TEST(EllipseButton, HoverCapturesAndLeavingReleases) {
    QWidget panel;
    panel.resize(200, 100);
    auto* button = new CEllipseButton("RUN", &panel);
    button->setGeometry(10, 10, 60, 40);
    panel.show();
    EXPECT_EQ(button->IsLit(), 0);

    Send(button, QEvent::MouseMove, QPoint(30, 20));
    EXPECT_EQ(button->IsLit(), 1);
    EXPECT_EQ(button->IsTracking(), 1);
    EXPECT_EQ(QWidget::mouseGrabber(), button);
    // Moving about inside changes nothing.
    Send(button, QEvent::MouseMove, QPoint(50, 30));
    EXPECT_EQ(button->IsLit(), 1);

    // Press shows the normal look, release lights it again and clicks.
    int clicks = 0;
    QObject::connect(button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
    Send(button, QEvent::MouseButtonPress, QPoint(30, 20), Qt::LeftButton);
    EXPECT_EQ(button->IsLit(), 0);
    EXPECT_TRUE(button->hasFocus() || !panel.isActiveWindow());
    Send(button, QEvent::MouseButtonRelease, QPoint(30, 20), Qt::LeftButton);
    EXPECT_EQ(button->IsLit(), 1);
    EXPECT_EQ(clicks, 1);

    // Out of the rectangle: normal look, capture released.
    Send(button, QEvent::MouseMove, QPoint(70, 20));
    EXPECT_EQ(button->IsLit(), 0);
    EXPECT_EQ(button->IsTracking(), 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // Back in, then the window reports a leave: released as well.
    Send(button, QEvent::MouseMove, QPoint(30, 20));
    ASSERT_EQ(QWidget::mouseGrabber(), button);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(button->IsLit(), 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // Hiding or disabling a lit button never leaves the mouse captured.
    Send(button, QEvent::MouseMove, QPoint(30, 20));
    button->setEnabled(false);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    button->setEnabled(true);
    Send(button, QEvent::MouseMove, QPoint(30, 20));
    button->hide();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(button->IsLit(), 0);
}

TEST(EllipseButton, TwoLooksPaintTheirColours) {
    CEllipseButton button; // no caption: the face stays plain
    button.resize(60, 40);
    button.show();
    QImage normal = Render(button);
    EXPECT_EQ(normal.pixel(0, 0), CEllipseButton::kBackgroundColor);
    EXPECT_EQ(normal.pixel(59, 39), CEllipseButton::kBackgroundColor);
    EXPECT_EQ(normal.pixel(30, 0), CEllipseButton::kOuterRingColor);
    EXPECT_EQ(normal.pixel(30, 2), CEllipseButton::kNormalRingColor);  // inset 2 at the top
    EXPECT_EQ(normal.pixel(1, 20), CEllipseButton::kNormalRingColor);  // inset 1 at the side
    EXPECT_EQ(normal.pixel(30, 20), CEllipseButton::kFaceColor);

    Send(&button, QEvent::MouseMove, QPoint(30, 20)); // hover lights it
    ASSERT_EQ(button.IsLit(), 1);
    QImage lit = Render(button);
    EXPECT_EQ(lit.pixel(30, 0), CEllipseButton::kOuterRingColor);
    EXPECT_EQ(lit.pixel(30, 2), CEllipseButton::kLitRingColor);
    EXPECT_EQ(lit.pixel(2, 20), CEllipseButton::kLitRingColor);  // inset 2 at the side too
    EXPECT_EQ(lit.pixel(30, 20), CEllipseButton::kFaceColor);
    Send(&button, QEvent::MouseMove, QPoint(90, 20));

    // The caption is read at each paint: a new text shows without another call.
    QImage before = Render(button);
    button.setText("MEASURE");
    QImage after = Render(button);
    EXPECT_NE(before, after);
    int black = 0;
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 55; ++x) black += after.pixel(x, y) == CEllipseButton::kCaptionColor;
    EXPECT_GT(black, 10);
}
