// quorvex-cli edit KIND[@TARGET]=CHOICE: applies one edit through the settings
// model, as a double-click in the settings tree followed by OK in the
// parameter dialog would, then prints what the instrument's next blocks
// decode to. CHOICE is a list position or label for a list setting, a typed
// value ("1.5ms", "200mV", "0.4") for the others; keys, lock and unlock take
// none. TARGET is the channel (1, 2), trigger target (1 swap CH1, 2 swap CH2,
// 3 normal, the default) or measurement item (1-8).
#include <QString>

#include <cstdio>
#include <memory>
#include <cstdlib>
#include <string>

#include "cli/CliCommand.h"
#include "cli/SettingsCli.h"
#include "corvane/SharedState.h"
#include "settings/FixedChoice.h"
#include "settings/HeadlessSettings.h"
#include "settings/SettingKinds.h"
#include "settings/SettingsListing.h"
#include "settings/SettingsModel.h"

namespace {
constexpr uint32_t kDecodeTimeoutMs = 5000;

struct EditRequest {
    int kind = -1;
    int target = 0;
    std::string choice;
};

bool ParseInt(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < -1000000 || v > 1000000)
        return false;
    value = static_cast<int>(v);
    return true;
}

int DefaultTarget(const KindInfo& info)
{
    if (info.scope == KindScope::Channel || info.scope == KindScope::Measure)
        return 1;
    return info.kind >= KIND_TRIGGER_MODE && info.kind <= KIND_TRIGGER_STATE ? kTargetNormal : 0;
}

// "KIND[@TARGET][=CHOICE]"; false for a malformed request or an unknown kind.
bool ParseRequest(const std::string& arg, EditRequest& r)
{
    const size_t eq = arg.find('=');
    const std::string head = arg.substr(0, eq);
    r.choice = eq == std::string::npos ? std::string() : arg.substr(eq + 1);
    const size_t at = head.find('@');
    if (!ParseInt(head.substr(0, at), r.kind) || !FindKind(r.kind))
        return false;
    r.target = DefaultTarget(*FindKind(r.kind));
    return at == std::string::npos || ParseInt(head.substr(at + 1), r.target);
}

// A list choice by position or by label (case-insensitive).
bool ListPosition(const std::vector<std::string>& labels, const std::string& choice, int& position)
{
    if (ParseInt(choice, position))
        return position >= 0 && position < static_cast<int>(labels.size());
    for (size_t i = 0; i < labels.size(); ++i)
        if (QString::fromStdString(labels[i]).trimmed().compare(QString::fromStdString(choice).trimmed(),
                                                                Qt::CaseInsensitive) == 0) {
            position = static_cast<int>(i);
            return true;
        }
    return false;
}

void PrintLabels(const std::vector<std::string>& labels)
{
    std::fprintf(stderr, "choices:");
    for (size_t i = 0; i < labels.size(); ++i)
        std::fprintf(stderr, " %zu=%s", i, labels[i].c_str());
    std::fprintf(stderr, "\n");
}

const char* StatusText(WriteStatus s)
{
    switch (s) {
    case WriteStatus::NoSegment: return "the model's settings file has no list for this setting";
    case WriteStatus::OutOfList: return "no such entry in the list";
    case WriteStatus::Rejected: return "the value was not understood";
    case WriteStatus::NotEditable: return "this setting cannot be edited";
    default: return "";
    }
}

int Report(CHeadlessSettings& panel, const EditRequest& req, const EditResult& r)
{
    switch (r.outcome) {
    case EditOutcome::Refused:
    case EditOutcome::NotConnected:
        return 1;  // the model has shown its message
    case EditOutcome::Invalid:
        std::fprintf(stderr, "quorvex-cli: %s\n", StatusText(r.status));
        return 1;
    case EditOutcome::Cancelled:
    case EditOutcome::FrontPanel:
        return 1;
    default: break;
    }
    for (const ParamWrite& w : r.writes)
        std::printf("wrote %s = %lld\n", w.name.c_str(), static_cast<long long>(w.value));
    if (!panel.WaitForFreshDecode(kDecodeTimeoutMs))
        std::fprintf(stderr, "quorvex-cli: no new settings from the instrument\n");
    const SettingValue* v = panel.Model().Records().Find(req.kind, req.target);
    if (v)
        std::printf("%s: %s\n", SettingPath(req.kind, req.target).c_str(), v->text.c_str());
    return 0;
}

int RunEdit(CliContext& ctx)
{
    EditRequest req;
    if (ctx.args.size() != 1 || !ParseRequest(ctx.args[0], req)) {
        std::fprintf(stderr, "quorvex-cli: usage: edit KIND[@TARGET]=CHOICE (KIND a setting kind number)\n");
        return 2;
    }
    int status = 0;
    CHeadlessSettings* connected = ConnectSettingsPanel(ctx, status);
    if (!connected) return status;
    CHeadlessSettings& panel = *connected;
    SettingChoice choice;
    choice.text = req.choice;
    const ChoiceRequest ask = panel.Model().RequestFor(req.kind, req.target);
    if (ask.listMode && !ListPosition(ask.labels, req.choice, choice.position)) {
        std::fprintf(stderr, "quorvex-cli: '%s' is not a choice of setting %d\n", req.choice.c_str(), req.kind);
        PrintLabels(ask.labels);
        return 2;
    }
    CFixedChoice chooser(choice);
    return Report(panel, req, panel.Model().ApplyEdit(req.kind, req.target, chooser));
}
}  // namespace

QV_CLI_COMMAND("edit", "KIND[@TARGET]=CHOICE", "change one instrument setting and print its new value", RunEdit);
