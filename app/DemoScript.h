#pragma once
// The scripted demonstration (--demo=DIR): connects, presses a few
// front-panel keys, runs one data window of every kind for a moment, saves
// screenshots of each window, the main window, the front panel and the
// instrument's screen into DIR, disconnects.
// Each step is printed on stdout as it happens. Questions are answered "No"
// and notices printed, since nobody is there to click.
#include <QObject>
#include <QString>

class QImage;

class CMainFrame;

class CDemoScript : public QObject {
    Q_OBJECT
public:
    CDemoScript(CMainFrame& frame, const QString& folder);
    // Runs the whole script; returns the exit status (0 when every step worked).
    int Run();

protected:
    // Counts the screen-ready messages while no front panel takes them.
    bool event(QEvent* e) override;

private:
    void Step(const QString& text);
    static void Wait(int ms);
    bool PressKey(const char* name);
    bool WaitForNewScreen(int timeoutMs);
    void RunDataWindows();
    bool SaveScreenshots();
    // Saves picture as DIR/name (atomically) and reports it as what.
    bool SavePicture(const QString& name, const QImage& picture, const QString& what);

    CMainFrame& m_frame;
    QString m_folder;
    bool m_frontPanelShown = false;
    int m_screens = 0;
};
