#include "docs/view/YTView.h"

#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "docs/AnalysisArchive.h"
#include "docs/view/LabelledPlot.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace {

template <class Labels>
QStringList ToStringList(const Labels& labels) {
    QStringList list;
    for (const std::string& label : labels) list << QString::fromStdString(label);
    return list;
}

QString Text(const char (&table)[2][30]) {
    return QString::fromUtf8(table[g_nLanguage == 1 ? 1 : 0]);
}

} // namespace

CYTView::CYTView(QWidget* parent) : CGraphView(InputTraceScale{}.timeBaseIndex, parent) {}

bool CYTView::SetParameters(const InputTraceScale& scale) {
    if (scale == m_scale) return false;
    m_scale = scale;
    m_timeBaseIndex = scale.timeBaseIndex;
    update();
    return true;
}

void CYTView::Serialize(CArchive& ar) {
    InputTraceScale scale = m_scale;
    TransferInputTrace(ar, scale);
    if (ar.IsLoading() && !ar.Failed()) {
        m_scale = scale;
        m_timeBaseIndex = scale.timeBaseIndex;
        update();
    }
}

void CYTView::Render(QPainter& painter, const QRect& area) {
    LabelledPlot frame;
    frame.logicalSize = QSize(kInputTraceWidth, kInputTraceHeight);
    frame.xLabels = ToStringList(InputTimeLabels(m_scale));
    frame.yLabels = ToStringList(InputVoltLabels(m_scale));
    frame.title = Text(szSignal);
    frame.xCaption = Text(szSigTime);
    frame.yCaption = Text(szAmplitude);
    const std::vector<std::uint8_t> record = ReadRecord();
    PaintLabelledPlot(painter, area, frame, [&record](QPainter& p) {
        p.setPen(CosmeticPen(kInputTraceColour));
        for (const std::vector<TracePoint>& run : InputTraceRuns(record)) {
            QPolygon line;
            for (const TracePoint& point : run) line << QPoint(point.x, point.y);
            if (line.size() == 1)
                p.drawPoint(line[0]);
            else
                p.drawPolyline(line);
        }
    });
}

void CYTView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    Render(painter, rect());
}
