#pragma once
// CShapeKeepingBox: holds one widget at the largest size of a fixed shape that fits
// the box, centred on black, so that the widget grows and shrinks with the
// window around it without being distorted. Its size hints are the widget's.
#include <QSize>
#include <QWidget>

class CShapeKeepingBox : public QWidget {
    Q_OBJECT
public:
    CShapeKeepingBox(QWidget* child, QSize shape, QWidget* parent = nullptr);

    // The largest rectangle of the given shape inside area, centred.
    static QRect Fit(const QRect& area, QSize shape);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QWidget* m_child;
    QSize m_shape;
};
