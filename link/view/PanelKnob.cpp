#include "link/view/PanelKnob.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cstdlib>

CPanelKnob::CPanelKnob(QAbstractButton* knob, int lowerId, int higherId, Axis axis, StepFunction step)
    : QObject(knob), m_knob(knob), m_lowerId(lowerId), m_higherId(higherId), m_axis(axis), m_step(std::move(step))
{
    knob->installEventFilter(this);
}

void CPanelKnob::WatchWheel(QObject* widget)
{
    if (widget)
        widget->installEventFilter(this);
}

bool CPanelKnob::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::Wheel)
        return OnWheel(e);
    if (watched == m_knob)
        return OnDrag(e);
    return false;
}

// Forward (away from the user) or to the right turns up; a high-resolution
// wheel adds up its small deltas to whole notches.
bool CPanelKnob::OnWheel(QEvent* e)
{
    const QPoint angle = static_cast<QWheelEvent*>(e)->angleDelta();
    Turn(m_wheel.Add(angle.y() != 0 ? angle.y() : angle.x()));
    return true;
}

int CPanelKnob::DragDelta(const QPoint& from, const QPoint& to) const
{
    const int up = from.y() - to.y();
    const int right = to.x() - from.x();
    switch (m_axis) {
    case Axis::Vertical: return up;
    case Axis::Horizontal: return right;
    case Axis::Both: break;
    }
    return std::abs(up) > std::abs(right) ? up : right;
}

// Once the press has moved far enough it is a drag: the button is no longer
// down, so its release clicks nothing, and it sees no more moves.
bool CPanelKnob::OnDrag(QEvent* e)
{
    const auto type = e->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(e);
    const QPoint at = mouse->position().toPoint();
    if (type == QEvent::MouseButtonPress) {
        m_pressed = mouse->button() == Qt::LeftButton;
        m_dragging = false;
        m_pressAt = m_last = at;
        m_drag.Reset();
        return false;
    }
    if (type == QEvent::MouseButtonRelease) {
        m_pressed = false;
        return false;
    }
    if (!m_pressed || !(mouse->buttons() & Qt::LeftButton))
        return false;
    if (!m_dragging && (at - m_pressAt).manhattanLength() < kDragStart)
        return false;
    if (!m_dragging) {
        m_dragging = true;
        m_knob->setDown(false);
    }
    Turn(m_drag.Add(DragDelta(m_last, at)));
    m_last = at;
    return true;
}

void CPanelKnob::Turn(int steps)
{
    for (int i = 0; i < std::abs(steps); ++i)
        m_step(steps > 0 ? m_higherId : m_lowerId);
}
