#pragma once
// CAnalyseView: the analysis display of a bus window. It draws the data and
// clock lines as logic levels and, under them, every decoded field of the
// window's decoder: a box over the field's samples with its label, its value
// in the chosen base and the address marks, and the bit values at their
// clock edges. A failed decode shows the decoder's status text.
#include <QColor>
#include <QWidget>

#include <cstdint>

class CBusAnalysisData;
class QPainter;

// A COLORREF (0x00BBGGRR) as a colour.
QColor ColourOf(std::uint32_t colorref);
std::uint32_t ColorRefOf(const QColor& colour);

class CAnalyseView : public QWidget {
    Q_OBJECT
public:
    explicit CAnalyseView(const CBusAnalysisData& data, QWidget* parent = nullptr);

    // Everything into area (window, printer, bitmap export).
    void Render(QPainter& painter, const QRect& area) const;
    // Status text of the last decode, empty when it succeeded.
    void SetStatus(const QString& status) { m_status = status; }
    const QString& Status() const { return m_status; }

    QSize sizeHint() const override { return {600, 180}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawLine(QPainter& painter, const QRect& band, int channel) const;
    void DrawFields(QPainter& painter, const QRect& band) const;

    const CBusAnalysisData& m_data;
    QString m_status;
};
