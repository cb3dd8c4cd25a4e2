#pragma once
// CGraphView: the base of the two trace panes of the power spectrum window
// (the input-signal trace and the spectrum trace). It points at a channel
// record and its length, both owned by the panel and swapped only under the
// acquisition lock, and keeps the time-base index the pane's labels follow.
#include <QWidget>

#include <cstdint>
#include <mutex>
#include <vector>

class CGraphView : public QWidget {
    Q_OBJECT
public:
    explicit CGraphView(int timeBaseIndex, QWidget* parent = nullptr);

    // The record drawn and its length in bytes (null: nothing to draw).
    void SetRecord(const std::uint8_t* record, const std::int32_t* recordLength);
    // The lock held while the record is read (none when null).
    void SetRecordLock(std::recursive_mutex* lock) { m_recordLock = lock; }

    int TimeBaseIndex() const { return m_timeBaseIndex; }
    const std::uint8_t* Record() const { return m_record; }

protected:
    // A copy of the record, taken under the lock.
    std::vector<std::uint8_t> ReadRecord() const;

    int m_timeBaseIndex;

private:
    const std::uint8_t* m_record = nullptr;
    const std::int32_t* m_recordLength = nullptr;
    std::recursive_mutex* m_recordLock = nullptr;
};
