#pragma once
// COutputView: computes and draws the arithmetic window's result. The
// result peak P lies on the top edge and -P on the bottom edge of the
// drawing area; a division by a zero sample takes the trace up to 10 pixels
// above the area and back. With a peak of 0 the trace lies on the middle row.
// The edges are labelled with +-P times the user factor ("%0.3f").
#include "analysis/Arithmetic.h"

#include <QWidget>

class CArithmeticData;
class QPainter;

inline const QColor kOutputTraceColour{0xC0, 0x00, 0xC0};

class COutputView : public QWidget {
    Q_OBJECT
public:
    explicit COutputView(QWidget* parent = nullptr);

    // Recomputes the result from the window's data and repaints.
    void Recompute(const CArithmeticData& data);
    const ArithmeticResult& Result() const { return m_result; }

    void Render(QPainter& painter, const QRect& area) const;

    QSize sizeHint() const override { return {400, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ArithmeticResult m_result;
    double m_factor = 1.0;
};
