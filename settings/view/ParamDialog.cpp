#include "settings/view/ParamDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <mutex>

#include "corvane/SharedState.h"
#include "settings/SettingKinds.h"
#include "settings/SettingsModel.h"
#include "tessary/UI_Sys_table.h"

CParamDialog::CParamDialog(CSettingsModel* model, QWidget* parent) : QDialog(parent), m_model(model)
{
    resize(400, 200);
    m_list = new QListWidget(this);
    m_textLabel = new QLabel(tr("Value:"), this);
    m_text = new QLineEdit(this);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply,
                                         this);
    m_apply = buttons->button(QDialogButtonBox::Apply);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0, 1, 4);
    layout->addWidget(m_textLabel, 1, 0);
    layout->addWidget(m_text, 1, 1);
    layout->addWidget(m_up, 1, 2);
    layout->addWidget(m_down, 1, 3);
    layout->addWidget(buttons, 2, 0, 1, 4);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, &CParamDialog::ApplyNow);
    connect(m_up, &QToolButton::clicked, this, [this] { StepVoltsPerDivision(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { StepVoltsPerDivision(-1); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

bool CParamDialog::Choose(const ChoiceRequest& request, SettingChoice& choice)
{
    Prepare(request);
    if (exec() != QDialog::Accepted)
        return false;
    choice = CurrentChoice();
    return true;
}

void CParamDialog::Prepare(const ChoiceRequest& request)
{
    m_request = request;
    m_bChanged = false;
    setWindowTitle(QString::fromStdString(request.title));
    m_list->clear();
    for (const std::string& label : request.labels)
        m_list->addItem(QString::fromStdString(label));
    if (request.currentPosition >= 0 && request.currentPosition < m_list->count())
        m_list->setCurrentRow(request.currentPosition);
    m_text->setText(QString::fromStdString(request.currentText));
    const bool list = request.listMode;
    const bool spin = !list && request.kind == KIND_VOLTS_PER_DIV;
    m_list->setVisible(list);
    m_textLabel->setVisible(!list);
    m_text->setVisible(!list);
    m_up->setVisible(spin);
    m_down->setVisible(spin);
}

SettingChoice CParamDialog::CurrentChoice() const
{
    SettingChoice choice;
    if (m_request.listMode)
        choice.position = m_list->currentRow();
    else
        choice.text = m_text->text().trimmed().toStdString();
    return choice;
}

void CParamDialog::StepVoltsPerDivision(int step)
{
    std::vector<std::string> labels;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        if (const SegmentData* bases = g_UISysTable.GetUISysData("VBASE"))
            labels = bases->items;
    }
    if (labels.empty())
        return;
    const std::string now = m_text->text().trimmed().toStdString();
    const auto found = std::find(labels.begin(), labels.end(), now);
    int index = 0;
    if (found != labels.end())
        index = std::clamp(static_cast<int>(found - labels.begin()) + step, 0, static_cast<int>(labels.size()) - 1);
    m_text->setText(QString::fromStdString(labels[static_cast<size_t>(index)]));
}

// Writes and sends the current choice; a value the model refuses leaves the
// text box as it was typed so that it can be corrected.
void CParamDialog::ApplyNow()
{
    if (!m_model)
        return;
    const EditResult result = m_model->ApplyChoice(m_request.kind, m_request.target, CurrentChoice());
    if (result.outcome == EditOutcome::Applied) {
        m_bChanged = true;
        if (!m_request.listMode && !result.text.empty())
            m_text->setText(QString::fromStdString(result.text));
    }
}
