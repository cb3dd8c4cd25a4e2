#include "link/view/ShapeKeepingBox.h"

#include <QPalette>

CShapeKeepingBox::CShapeKeepingBox(QWidget* child, QSize shape, QWidget* parent)
    : QWidget(parent), m_child(child), m_shape(shape)
{
    child->setParent(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
}

QRect CShapeKeepingBox::Fit(const QRect& area, QSize shape)
{
    QSize size = shape.scaled(area.size(), Qt::KeepAspectRatio);
    QRect fitted(QPoint(0, 0), size);
    fitted.moveCenter(area.center());
    return fitted;
}

QSize CShapeKeepingBox::sizeHint() const
{
    return m_child->sizeHint();
}

QSize CShapeKeepingBox::minimumSizeHint() const
{
    return m_child->minimumSizeHint();
}

void CShapeKeepingBox::resizeEvent(QResizeEvent*)
{
    m_child->setGeometry(Fit(rect(), m_shape));
}
