#pragma once
// A scripted driver for the link tests: answer packets are queued by the test
// (or by a responder that sees every written frame), reads block until one is
// queued, Stop and Pull end pending reads the way the real driver does.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/UsbDriver.h"

using Bytes = std::vector<uint8_t>;

// An answer packet: "S", length, code, data, 8-bit sum.
inline Bytes Answer(uint8_t code, const Bytes& data = {})
{
    Bytes p(data.size() + 4);
    p[0] = 'S';
    p[3] = code;
    std::copy(data.begin(), data.end(), p.begin() + 4);
    const size_t length = p.size() + 1 - 3;
    p[1] = static_cast<uint8_t>(length);
    p[2] = static_cast<uint8_t>(length >> 8);
    uint8_t sum = 0;
    for (uint8_t b : p)
        sum = static_cast<uint8_t>(sum + b);
    p.push_back(sum);
    return p;
}

class CFakeDriver : public IUsbDriver {
public:
    using Responder = std::function<void(CFakeDriver&, const Bytes& frame)>;

    bool absent = false;   // Open fails
    int startResult = 1;
    int writeResult = 1;

    UsbHandle Open(const char* path) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        lastPath = path;
        ++opens;
        if (absent || pulled)
            return 0;
        ++openHandles;
        return ++m_next;
    }
    void Close(UsbHandle) override
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            --openHandles;
        }
        m_cv.notify_all();
    }
    int Start(UsbHandle) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        ++starts;
        stopped = false;
        m_packets.clear();
        return startResult;
    }
    int Stop(UsbHandle) override
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            ++stops;
            stopped = true;
        }
        m_cv.notify_all();
        return 1;
    }
    int ReadPacket(UsbHandle, uint8_t* buffer, uint32_t capacity, uint32_t* received) override
    {
        std::unique_lock<std::mutex> lock(m_lock);
        ++pendingReads;
        m_cv.notify_all();
        m_cv.wait(lock, [&] { return stopped || pulled || !m_packets.empty(); });
        --pendingReads;
        if (stopped || pulled)
            return 0;
        Bytes p = std::move(m_packets.front());
        m_packets.pop_front();
        const uint32_t n = static_cast<uint32_t>(std::min<size_t>(p.size(), capacity));
        std::copy(p.begin(), p.begin() + n, buffer);
        *received = n;
        ++reads;
        m_cv.notify_all();
        return 1;
    }
    int WriteFrame(UsbHandle, const uint8_t* frame, uint32_t length) override
    {
        Bytes f(frame, frame + length);
        Responder responder;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (pulled || writeResult != 1)
                return 0;
            written.push_back(f);
            responder = m_responder;
        }
        m_cv.notify_all();
        if (responder)
            responder(*this, f);
        return 1;
    }

    void Queue(const Bytes& packet)
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_packets.push_back(packet);
        }
        m_cv.notify_all();
    }
    void SetResponder(Responder r)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_responder = std::move(r);
    }
    void Pull()
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            pulled = true;
        }
        m_cv.notify_all();
    }
    void Plug()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        pulled = false;
    }
    // Waits until pred() holds (checked under the driver's lock) or 5 s pass.
    bool WaitFor(const std::function<bool()>& pred)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!pred()) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            // Polls, so that state outside the driver is seen too.
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            lock.lock();
        }
        return true;
    }
    // Waits until every queued packet has been read and the next read is pending.
    bool WaitDrained()
    {
        return WaitFor([&] { return m_packets.empty() && pendingReads > 0; });
    }
    std::vector<Bytes> Written()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return written;
    }
    size_t WrittenCount()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return written.size();
    }

    // Counters, read under the lock or after the link's threads have ended.
    std::string lastPath;
    int opens = 0, openHandles = 0, starts = 0, stops = 0, reads = 0, pendingReads = 0;
    bool stopped = true, pulled = false;
    std::vector<Bytes> written;

private:
    std::mutex m_lock;
    std::condition_variable m_cv;
    std::deque<Bytes> m_packets;
    Responder m_responder;
    UsbHandle m_next = 0;
};
