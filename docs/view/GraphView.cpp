#include "docs/view/GraphView.h"

CGraphView::CGraphView(int timeBaseIndex, QWidget* parent) : QWidget(parent), m_timeBaseIndex(timeBaseIndex) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CGraphView::SetRecord(const std::uint8_t* record, const std::int32_t* recordLength) {
    std::unique_lock<std::recursive_mutex> lock;
    if (m_recordLock) lock = std::unique_lock(*m_recordLock);
    m_record = record;
    m_recordLength = recordLength;
}

std::vector<std::uint8_t> CGraphView::ReadRecord() const {
    std::unique_lock<std::recursive_mutex> lock;
    if (m_recordLock) lock = std::unique_lock(*m_recordLock);
    if (!m_record || !m_recordLength || *m_recordLength <= 0) return {};
    return {m_record, m_record + *m_recordLength};
}
