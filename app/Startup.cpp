#include "app/Startup.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QScreen>

#include <cstdio>
#include <memory>

#include "app/AppSettings.h"
#include "app/DemoScript.h"
#include "app/Icons.h"
#include "app/Language.h"
#include "app/MainFrame.h"
#include "app/ShellMessages.h"
#include "app/SplashWindow.h"
#include "ui/UserPrompts.h"
#include "corvane/SharedState.h"
#include "corvane/UiHelpers.h"
#include "corvane/WaveMemory.h"
#include "link/UserMessage.h"
#include "backend/UsbBackend.h"

namespace {
const char kUsage[] =
    "usage: quorvex [--sim[=OPTIONS] | --usb] [--no-splash] [--demo=DIR] [FILE...]\n"
    "  --sim=OPTIONS  use the simulated instrument with these signals and faults\n"
    "  --usb          use a real instrument over USB\n"
    "  --demo=DIR     run the scripted demonstration and save screenshots into DIR\n"
    "  FILE           a data file (.wfm .mes .dat .psm .mth .bus) to open\n";

void PumpEvents()
{
    QCoreApplication::processEvents();
}

// The main frame while it exists; read and written on the user-interface thread only.
QPointer<CMainFrame> s_noteTarget;

// The link's notes go to the main frame's message pane, on the user-interface
// thread (the caller may be another thread).
void PostNote(const std::string& text)
{
    const QString note = QString::fromStdString(text);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [note] {
            if (s_noteTarget)
                s_noteTarget->AppendMessage(note);
        },
        Qt::QueuedConnection);
}

UsbBackendRequest BackendRequest(StartupOptions::Backend backend)
{
    switch (backend) {
    case StartupOptions::Backend::Simulated: return UsbBackendRequest::Simulated;
    case StartupOptions::Backend::LibUsb: return UsbBackendRequest::LibUsb;
    case StartupOptions::Backend::FromSettings: break;
    }
    return UsbBackendRequest::FromSettings;
}

void OpenFilesFromCommandLine(CMainFrame& frame, const QStringList& files)
{
    for (const QString& file : files)
        if (!frame.OpenDataFile(file))
            frame.AppendMessage(QCoreApplication::translate("Startup", "Not opened: %1").arg(file));
}
}  // namespace

std::optional<StartupOptions> ParseStartupOptions(const QStringList& args, QString* error)
{
    StartupOptions o;
    UsbBackendArgs backend;
    for (const QString& a : args) {
        std::string why;
        const int taken = ParseUsbBackendOption(a.toStdString(), &backend, &why);
        if (taken < 0) {
            if (error)
                *error = QString::fromStdString(why);
            return std::nullopt;
        }
        if (taken > 0) {
            o.backend = backend.request == UsbBackendRequest::LibUsb ? StartupOptions::Backend::LibUsb
                                                                     : StartupOptions::Backend::Simulated;
            o.simOptions = QString::fromStdString(backend.simOptions);
        } else if (a.startsWith(QLatin1String("--demo="))) {
            o.demoFolder = a.mid(7);
            o.splash = false;
        } else if (a == QLatin1String("--no-splash")) {
            o.splash = false;
        } else if (a.startsWith(QLatin1String("-"))) {
            if (error)
                *error = QStringLiteral("unknown option %1").arg(a);
            return std::nullopt;
        } else {
            o.files << a;
        }
    }
    if (!o.demoFolder.isNull() && o.demoFolder.isEmpty())
        o.demoFolder = QStringLiteral(".");
    return o;
}

int RunQuorvex(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationVersion(QStringLiteral("0.1"));
    QApplication::setWindowIcon(ProgramIcon());   // every window, dialog and child window
    QString error;
    const std::optional<StartupOptions> options = ParseStartupOptions(app.arguments().mid(1), &error);
    if (!options) {
        std::fprintf(stderr, "quorvex: %s\n%s", error.toUtf8().constData(), kUsage);
        return 2;
    }
    SetDoEventPump(PumpEvents);
    if (!ObligateMemSpace()) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvex"), QString::fromUtf8(szMemoryReserveFail));
        return 1;
    }

    CAppSettings settings = CAppSettings::Read(ParamIniPath());
    g_nLanguage = static_cast<uint32_t>(settings.UiLanguage());
    if (!InstallLanguage(app, settings.UiLanguage()) && settings.UiLanguage() != 0)
        std::fprintf(stderr, "quorvex: no language file %s; texts stay in English\n",
                     LanguageResourcePath(settings.UiLanguage()).toUtf8().constData());

    const UsbBackend backend =
        CreateUsbBackend(BackendRequest(options->backend), ParamIniPath(), options->simOptions.toStdString());
    if (!backend.driver) {
        std::fprintf(stderr, "quorvex: %s\n%s", backend.error.c_str(), kUsage);
        return 2;
    }
    std::printf("quorvex: instrument backend: %s\n", backend.description.c_str());
    std::fflush(stdout);
    InstallUserMessageBoxes();
    SetUserNoteSink(PostNote);

    const bool demo = !options->demoFolder.isEmpty();
    if (demo)
        settings.hardwareCheck = 0;   // the script connects itself
    auto frame = std::make_unique<CMainFrame>(backend.driver, settings, ParamIniPath());
    s_noteTarget = frame.get();
    frame->showMaximized();
    if (!frame->isMaximized())   // no window manager to do it
        frame->setGeometry(frame->screen()->availableGeometry());
    if (options->splash)
        (new CSplashWindow(frame.get()))->show();
    OpenFilesFromCommandLine(*frame, options->files);

    int status = 0;
    if (demo)
        status = CDemoScript(*frame, options->demoFolder).Run();
    else
        status = app.exec();
    frame.reset();
    FreeMemSpace();
    return status;
}
