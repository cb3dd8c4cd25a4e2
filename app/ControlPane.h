#pragma once
// The "Control" page of the work bar: the settings panel (registered by the
// settings layer; a placeholder until then) and the button that opens the
// virtual front panel.
#include <QWidget>

struct ShellPanelContext;
class QPushButton;

class CControlPane : public QWidget {
    Q_OBJECT
public:
    CControlPane(const ShellPanelContext& context, QWidget* parent = nullptr);

    // The settings panel, or the placeholder label.
    QWidget* SettingsPanel() const { return m_settingsPanel; }
    bool HasSettingsPanel() const { return m_bRealPanel; }
    QPushButton* FrontPanelButton() const { return m_frontPanelButton; }

signals:
    void FrontPanelRequested();

private:
    QWidget* m_settingsPanel = nullptr;
    QPushButton* m_frontPanelButton = nullptr;
    bool m_bRealPanel = false;
};
