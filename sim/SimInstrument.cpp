#include "sim/SimInstrument.h"

#include <algorithm>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

CSimInstrument::CSimInstrument(const SimOptions& options)
    : m_faults(options.faults), m_firmware(options), m_random(options.seed) {}

CSimInstrument::~CSimInstrument() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_shutdown = true;
    m_ready.notify_all();
}

bool CSimInstrument::HandleOpen(UsbHandle handle) const { return m_handles.count(handle) != 0; }

UsbHandle CSimInstrument::Open(const char* path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!path || m_pulled || m_shutdown || !EndsWith(path, kDeviceName))
        return 0;
    const UsbHandle handle = m_nextHandle++;
    m_handles.insert(handle);
    return handle;
}

void CSimInstrument::Close(UsbHandle handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_handles.erase(handle);
    m_ready.notify_all();  // a read waiting on this handle gives up
}

int CSimInstrument::Start(UsbHandle handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pulled || !HandleOpen(handle))
        return 0;
    m_queue.clear();
    m_started = true;
    return 1;
}

int CSimInstrument::Stop(UsbHandle handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pulled || !HandleOpen(handle))
        return 0;
    Disconnect();
    return 1;
}

void CSimInstrument::Disconnect() {
    m_started = false;
    m_queue.clear();
    m_ready.notify_all();
}

int CSimInstrument::ReadPacket(UsbHandle handle, std::uint8_t* buffer, std::uint32_t capacity,
                               std::uint32_t* received) {
    return Read(handle, buffer, capacity, received, nullptr);
}

int CSimInstrument::ReadPacketFor(UsbHandle handle, std::uint8_t* buffer, std::uint32_t capacity,
                                  std::uint32_t* received, int waitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(waitMs, 0));
    return Read(handle, buffer, capacity, received, &deadline);
}

// Waits for the next answer that is ready, until deadline (when given).
int CSimInstrument::Read(UsbHandle handle, std::uint8_t* buffer, std::uint32_t capacity,
                         std::uint32_t* received, const Clock::time_point* deadline) {
    if (received)
        *received = 0;
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        if (m_shutdown || m_pulled || !m_started || !HandleOpen(handle) || !buffer || !received)
            return 0;
        const bool ready = !m_queue.empty() && Clock::now() >= m_queue.front().readyAt;
        if (!ready) {
            auto until = m_queue.empty() ? Clock::time_point::max() : m_queue.front().readyAt;
            if (deadline) {
                if (Clock::now() >= *deadline)
                    return -1;
                until = std::min(until, *deadline);
            }
            if (until == Clock::time_point::max())
                m_ready.wait(lock);
            else
                m_ready.wait_until(lock, until);
            continue;
        }
        SimPacket packet = std::move(m_queue.front().bytes);
        m_queue.pop_front();
        std::size_t size = packet.size();
        if (Chance(m_faults.shortReadRate))
            size = size / 2;  // the rest of the packet is lost, as on a real short transfer
        size = std::min<std::size_t>(size, capacity);
        std::memcpy(buffer, packet.data(), size);
        *received = static_cast<std::uint32_t>(size);
        return 1;
    }
}

int CSimInstrument::WriteFrame(UsbHandle handle, const std::uint8_t* frame, std::uint32_t length) {
    std::lock_guard<std::mutex> firmwareLock(m_firmwareMutex);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_pulled || !HandleOpen(handle) || !frame)
            return 0;
        if (!CountFrameAndCheckPull())
            return 0;
    }
    std::vector<SimPacket> answers = m_firmware.HandleFrame(frame, length);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pulled)
        return 0;
    if (!m_started || SilentNow())
        m_packetsLost += static_cast<int>(answers.size());
    else
        Enqueue(std::move(answers));
    return 1;
}

bool CSimInstrument::CountFrameAndCheckPull() {
    if (m_faults.pullAfterFrames >= 0 && m_framesWritten >= m_faults.pullAfterFrames) {
        m_pulled = true;
        Disconnect();
        return false;
    }
    ++m_framesWritten;
    return true;
}

bool CSimInstrument::SilentNow() {
    const auto now = Clock::now();
    const bool planned = m_faults.silenceAfterFrames >= 0 && m_framesWritten > m_faults.silenceAfterFrames;
    if (planned && !m_silenceFromPlanStarted) {
        m_silenceFromPlanStarted = true;
        if (m_faults.silenceMs == 0)
            m_silentForGood = true;
        else
            m_silentUntil = now + std::chrono::milliseconds(m_faults.silenceMs);
    }
    return m_silentForGood || now < m_silentUntil;
}

bool CSimInstrument::Chance(double rate) {
    if (rate <= 0.0)
        return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < rate;
}

void CSimInstrument::Enqueue(std::vector<SimPacket> answers) {
    auto delay = std::chrono::milliseconds(m_faults.latencyMs);
    if (m_faults.jitterMs > 0)
        delay += std::chrono::milliseconds(std::uniform_int_distribution<int>(0, m_faults.jitterMs)(m_random));
    const auto readyAt = std::max(Clock::now() + delay, m_lastReady);
    for (SimPacket& packet : answers) {
        if (Chance(m_faults.dropRate)) {
            ++m_packetsLost;
            continue;
        }
        if (Chance(m_faults.badSumRate))
            packet.back() = static_cast<std::uint8_t>(packet.back() ^ 0x5A);
        m_queue.push_back({std::move(packet), readyAt});
    }
    m_lastReady = readyAt;
    m_ready.notify_all();
}

void CSimInstrument::PullCable() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pulled = true;
    Disconnect();
}

void CSimInstrument::PlugCable() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pulled = false;
    m_handles.clear();  // handles of the old connection are gone
}

bool CSimInstrument::CablePulled() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pulled;
}

void CSimInstrument::Silence(int ms) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_silentUntil = Clock::now() + std::chrono::milliseconds(std::max(ms, 0));
}

void CSimInstrument::WithState(const std::function<void(SimState&)>& f) {
    std::lock_guard<std::mutex> firmwareLock(m_firmwareMutex);
    f(m_firmware.State());
}

std::int64_t CSimInstrument::Param(const std::string& name) {
    std::lock_guard<std::mutex> firmwareLock(m_firmwareMutex);
    return m_firmware.State().block.Get(name);
}

int CSimInstrument::FramesWritten() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_framesWritten;
}

int CSimInstrument::PacketsQueued() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_queue.size());
}

int CSimInstrument::PacketsLost() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_packetsLost;
}

std::shared_ptr<CSimInstrument> CreateSimInstrument(const std::string& options, std::string* error) {
    SimOptions parsed;
    if (!ParseSimOptions(options, &parsed, error))
        return nullptr;
    return std::make_shared<CSimInstrument>(parsed);
}
