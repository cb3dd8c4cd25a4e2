#pragma once
// Stand-ins for the program's windows: an event recorder for posted
// messages, and a data view as the link sees it.
#include <QEvent>
#include <QObject>

#include <atomic>
#include <mutex>
#include <vector>

#include "link/LinkView.h"

// Records the type of every event posted to it (the message numbers).
class CEventRecorder : public QObject {
public:
    bool event(QEvent* e) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_types.push_back(static_cast<int>(e->type()));
        return true;
    }
    int Count(int type) const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        int n = 0;
        for (int t : m_types)
            n += t == type;
        return n;
    }
    size_t Total() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_types.size();
    }

private:
    mutable std::mutex m_lock;
    std::vector<int> m_types;
};

class CTestView : public ILinkView {
public:
    explicit CTestView(LinkViewClass c, bool isRunning = true) : running(isRunning), m_class(c) {}

    LinkViewClass ViewClass() const override { return m_class; }
    QObject* Receiver() const override { return hasWindow ? const_cast<CEventRecorder*>(&recorder) : nullptr; }
    bool IsRunning() const override { return running.load(); }
    int32_t RecordLength() const override { return length.load(); }
    void ChangeRecordLength(int32_t n) override
    {
        length = n;
        ++lengthChanges;
    }
    void StopAcquisition() override
    {
        running = false;
        ++stops;
    }
    void ClearTraces() override { ++clears; }

    CEventRecorder recorder;
    bool hasWindow = true;
    std::atomic<bool> running;
    std::atomic<int32_t> length{3200};
    std::atomic<int> lengthChanges{0}, stops{0}, clears{0};

private:
    LinkViewClass m_class;
};
