#pragma once
// Command registry of quorvex-cli. Every command lives in its own cmd_*.cpp
// and registers itself at load time:
//
//   static int RunProtocol(CliContext& ctx);
//   QV_CLI_COMMAND("protocol", "FILE", "print the protocol table of a description", RunProtocol);
//
// Exit statuses: 0 success, 1 the operation failed, 2 bad usage or unreadable input.
#include <memory>
#include <string>
#include <vector>

#include "backend/UsbBackend.h"

class CHeadlessSettings;

struct CliContext {
    std::vector<std::string> args;  // arguments after the command name
    UsbBackendArgs backend;         // --sim[=OPTIONS] or --usb (backend/UsbBackend.h)
    unsigned language = 0;          // --language N (0 English, 1 Chinese)
    // The settings-panel connection that the commands of one invocation
    // share (SettingsCli.h); null until the first of them connects.
    std::shared_ptr<CHeadlessSettings> settingsPanel;
};

using CliHandler = int (*)(CliContext&);

struct CliCommand {
    const char* name;
    const char* usage;
    const char* summary;
    CliHandler run;
};

// Registers a command; returns true so it can initialise a static.
bool RegisterCliCommand(const CliCommand& command);
const std::vector<CliCommand>& CliCommands();

#define QV_CLI_CONCAT2(a, b) a##b
#define QV_CLI_CONCAT(a, b) QV_CLI_CONCAT2(a, b)
#define QV_CLI_COMMAND(name, usage, summary, fn) \
    static const bool QV_CLI_CONCAT(qvCliRegistered_, __LINE__) = RegisterCliCommand({name, usage, summary, fn})
