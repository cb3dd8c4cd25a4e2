#pragma once
// CYTView: the input-signal trace, the upper pane of the power spectrum
// window. It draws the record it points at as a small Y-T plot (2500 x 200
// logical units, the centre line on row 100, 25 counts per division) with
// time and voltage labels and the captions szSignal, szSigTime and
// szAmplitude in the current language.
#include "docs/InputTrace.h"
#include "docs/view/GraphView.h"

class CArchive;
class QPainter;

inline const QColor kInputTraceColour{0xFF, 0x00, 0x00}; // red

class CYTView : public CGraphView {
    Q_OBJECT
public:
    explicit CYTView(QWidget* parent = nullptr);

    // Stores the scale and repaints, unless it equals the stored one.
    // Returns whether it changed.
    bool SetParameters(const InputTraceScale& scale);
    const InputTraceScale& Parameters() const { return m_scale; }

    // Time-base index, time per division, probe, volt scale index, volts per
    // division; after loading the view repaints (the panel points it at its
    // record again).
    void Serialize(CArchive& ar);

    // Paints the pane with labels and captions into area (window, printer,
    // export).
    void Render(QPainter& painter, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    InputTraceScale m_scale;
};
