#include "app/ControlPane.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ShellHooks.h"

CControlPane::CControlPane(const ShellPanelContext& context, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    ShellPanelContext own = context;
    own.parent = this;
    if (SettingsPanelHook())
        m_settingsPanel = SettingsPanelHook()(own);
    m_bRealPanel = m_settingsPanel != nullptr;
    if (!m_bRealPanel) {
        auto* label = new QLabel(tr("The settings panel is not available in this version yet."), this);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        m_settingsPanel = label;
    }
    layout->addWidget(m_settingsPanel, 1);
    m_frontPanelButton = new QPushButton(tr("Virtual Panel"), this);
    layout->addWidget(m_frontPanelButton);
    connect(m_frontPanelButton, &QPushButton::clicked, this, &CControlPane::FrontPanelRequested);
}
