#pragma once
// A live link for the quorvex-cli commands that talk to an instrument (info,
// dump, set, press): picks the backend from the global options, connects,
// and plays the settings panel's part of the exchange (an arriving parameter
// block releases the command sender again). Disconnects when destroyed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliCommand.h"

class CLinkSession;
class QCoreApplication;
class QObject;

class CCliLink {
public:
    // Closes the settings-panel connection of ctx first: one link at a time.
    explicit CCliLink(CliContext& ctx);
    ~CCliLink();

    // Connects (a few attempts, for lossy links). Returns 0 and prints the
    // user messages of the last attempt on stderr when no attempt succeeds.
    int Connect();
    // Asks for the instrument's parameter block and waits for it. Returns 0
    // when it did not come.
    int RefreshParams();
    // Connect, then RefreshParams; prints why when the parameters did not come.
    int ConnectWithParams();
    // Queues a key command and waits until it has gone out and was answered
    // (or given up on). Returns 0 when it could not be sent.
    int PressKey(int32_t position);
    // Sends the program's block (command 17) after the named values were written.
    int SendParams();

    CLinkSession& Session() { return *m_session; }
    const std::string& BackendDescription() const { return m_backend; }

private:
    std::unique_ptr<QCoreApplication> m_app;
    std::unique_ptr<QObject> m_panel;
    std::unique_ptr<CLinkSession> m_session;
    std::string m_backend;
};

// Value of a parameter in the program's block: unsigned little-endian over its
// width. Returns 0 when the name is not in the protocol table.
int ParamValue(const std::string& name, uint64_t* value);
