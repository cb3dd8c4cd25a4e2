#include "app/OptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

COptionsDialog::COptionsDialog(const CAppSettings& current, QWidget* parent)
    : QDialog(parent), m_current(current), m_interval(new QComboBox(this)), m_connectAtStart(new QCheckBox(this)),
      m_language(new QComboBox(this))
{
    setWindowTitle(tr("Options"));
    for (int ms : kAcquisitionIntervals) {
        m_interval->addItem(tr("%1 ms").arg(ms), ms);
        if (ms == current.interval)
            m_interval->setCurrentIndex(m_interval->count() - 1);
    }
    if (m_interval->findData(current.interval) < 0)
        m_interval->setCurrentIndex(m_interval->findData(2000));
    m_connectAtStart->setText(tr("Connect to the instrument at start-up"));
    m_connectAtStart->setChecked(current.hardwareCheck != 0);
    m_language->addItem(QStringLiteral("English"), 0);
    m_language->addItem(QStringLiteral("中文"), 1);
    m_language->setCurrentIndex(current.UiLanguage());

    auto* form = new QFormLayout(this);
    form->addRow(tr("Acquisition interval:"), m_interval);
    form->addRow(QString(), m_connectAtStart);
    form->addRow(tr("Language:"), m_language);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CAppSettings COptionsDialog::Chosen() const
{
    CAppSettings s = m_current;
    s.interval = m_interval->currentData().toInt();
    s.hardwareCheck = m_connectAtStart->isChecked() ? 1 : 0;
    s.language = m_language->currentData().toInt();
    return s;
}
