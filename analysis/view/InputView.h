#pragma once
// CInputView: draws the CH1 and CH2 record copies of an analysis window (the
// arithmetic window's inputs, the bus window's lines) as two traces over one
// grid of 10 x 8 divisions, 25 counts per division with 0 on the centre line.
// It holds its own copies, so the window may reuse its buffers at once.
#include <QColor>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <span>
#include <vector>

class QPainter;

inline const QColor kInputCH1Colour{0xC0, 0x80, 0x00};
inline const QColor kInputCH2Colour{0x00, 0x60, 0xC0};

class CInputView : public QWidget {
    Q_OBJECT
public:
    explicit CInputView(QWidget* parent = nullptr);

    // Copies both records (either may be empty) and repaints.
    void SetRecords(std::span<const std::uint8_t> ch1, std::span<const std::uint8_t> ch2);
    const std::vector<std::uint8_t>& Record(int channel) const { return channel == 1 ? m_ch2 : m_ch1; }
    // Names drawn beside the traces ("CH1", "CH2" unless set).
    void SetTraceNames(const QString& ch1, const QString& ch2);

    // Grid, both traces and their names into area (window, printer, export).
    void Render(QPainter& painter, const QRect& area) const;

    // Pixel row of a sample in a drawing area height rows high: +100 counts
    // on row 0, -100 on the bottom row, clamped to the area.
    static int RowOf(std::uint8_t sample, int height);

    QSize sizeHint() const override { return {400, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::uint8_t> m_ch1;
    std::vector<std::uint8_t> m_ch2;
    QString m_ch1Name = QStringLiteral("CH1");
    QString m_ch2Name = QStringLiteral("CH2");
};

// Grid of a trace pane: 10 x 8 divisions in the plot grey, the centre lines
// darker. Shared by the input and output views.
void PaintTraceGrid(QPainter& painter, const QRect& area);
