#include "ui/SourceButtons.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QToolBar>

#include "ui/ChildHost.h"

CSourceButtons::CSourceButtons(IChildHost& host, bool withFft, QObject* parent)
    : QObject(parent), m_group(new QButtonGroup(this))
{
    const int ids[] = {kIdSourceCH1, kIdSourceCH2, kIdSourceFFT};
    const char* labels[] = {"CH1", "CH2", "FFT"};
    for (int mode = 0; mode < (withFft ? 3 : 2); ++mode) {
        auto* button = new QRadioButton(QLatin1String(labels[mode]), host.ToolBar());
        button->setChecked(mode == kSourceCH1);
        button->setEnabled(false);
        m_group->addButton(button, mode);
        host.AddToolBarWidget(button, ids[mode]);
    }
    connect(m_group, &QButtonGroup::idClicked, this, [this](int mode) { Select(mode); });
}

bool CSourceButtons::Select(int mode)
{
    if (!m_group->button(mode) || mode == m_mode)
        return false;
    m_mode = mode;
    m_group->button(mode)->setChecked(true);
    emit SourceChosen(mode);
    return true;
}

void CSourceButtons::SetEnabled(bool enabled)
{
    for (QAbstractButton* b : m_group->buttons())
        b->setEnabled(enabled);
}

bool CSourceButtons::IsEnabled() const
{
    return m_group->button(kSourceCH1)->isEnabled();
}
