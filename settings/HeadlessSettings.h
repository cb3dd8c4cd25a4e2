#pragma once
// The settings panel without a window: a link session over a driver backend
// with the settings model as its command sender and its receiver of message
// 1128, and an event loop when the caller has none. quorvex-cli's settings,
// edit and capture commands are built on it.
#include <QCoreApplication>

#include <cstdint>
#include <memory>
#include <string>

#include "link/LinkTimings.h"
#include "link/UsbDriver.h"

class CLinkSession;
class CSettingsModel;

class CHeadlessSettings {
public:
    explicit CHeadlessSettings(UsbDriverPtr driver, const LinkTimings& timings = {});
    ~CHeadlessSettings();
    CHeadlessSettings(const CHeadlessSettings&) = delete;
    CHeadlessSettings& operator=(const CHeadlessSettings&) = delete;

    // Connects and waits for the first decode of the instrument's settings.
    // Returns false (and leaves the link down) when either fails in time.
    bool Connect(uint32_t timeoutMs);
    // Waits until two more blocks have been decoded and no command waits, so
    // that the decoded settings are the instrument's answer to what was sent.
    bool WaitForFreshDecode(uint32_t timeoutMs);

    CLinkSession& Session() { return *m_session; }
    CSettingsModel& Model() { return *m_model; }

private:
    std::unique_ptr<QCoreApplication> m_app;
    std::unique_ptr<CLinkSession> m_session;
    std::unique_ptr<CSettingsModel> m_model;
};
