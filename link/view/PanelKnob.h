#pragma once
// CPanelKnob: turning a knob of the virtual front panel with the mouse, as a
// user expects of a knob. Each wheel notch over the knob or its arrow keys,
// and each kDragPixels of a drag that starts on the knob, sends one step: the
// knob's higher key for the wheel turned forward or a drag up or to the right
// (the way its arrows point), the lower key otherwise. A drag does not push
// the knob; a plain click still does.
#include <QObject>
#include <QPoint>

#include <functional>

class QAbstractButton;

// Whole steps out of a stream of small movements; what is left of a step is
// kept for the next movement.
class CStepCounter {
public:
    explicit CStepCounter(int unit) : m_unit(unit) {}
    int Add(int delta)
    {
        m_rest += delta;
        const int steps = m_rest / m_unit;
        m_rest -= steps * m_unit;
        return steps;
    }
    void Reset() { m_rest = 0; }

private:
    int m_unit;
    int m_rest = 0;
};

class CPanelKnob : public QObject {
    Q_OBJECT
public:
    static constexpr int kWheelNotch = 120;   // angle delta of one notch (1/8 degree units)
    static constexpr int kDragPixels = 12;    // drag distance of one step
    static constexpr int kDragStart = 4;      // a press moved less than this is a click

    enum class Axis { Vertical, Horizontal, Both };
    using StepFunction = std::function<void(int buttonId)>;

    // knob: the knob's push key (watched for wheel and drag); lowerId and
    // higherId: the keys of its two directions, sent through step.
    CPanelKnob(QAbstractButton* knob, int lowerId, int higherId, Axis axis, StepFunction step);
    // Another widget (an arrow key of the knob) that turns it with the wheel.
    void WatchWheel(QObject* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool OnWheel(QEvent* e);
    bool OnDrag(QEvent* e);
    int DragDelta(const QPoint& from, const QPoint& to) const;
    void Turn(int steps);

    QAbstractButton* m_knob;
    int m_lowerId;
    int m_higherId;
    Axis m_axis;
    StepFunction m_step;
    CStepCounter m_wheel{kWheelNotch};
    CStepCounter m_drag{kDragPixels};
    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_pressAt;
    QPoint m_last;
};
