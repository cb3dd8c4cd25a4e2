#include "settings/view/ParamDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>
#include <mutex>

#include "corvane/SharedState.h"
#include "corvane/UiHelpers.h"
#include "settings/SettingKinds.h"
#include "settings/SettingsModel.h"
#include "settings/ValueTexts.h"
#include "settings/VoltsStep.h"
#include "tessary/UI_Sys_table.h"

namespace {
enum LayoutSlot { kFrame, kList, kText, kSpinHigh, kOk, kCancel, kApply, kTextLabel, kSpinLow, kSpin };

QRect ToQRect(const tagLayoutRect& r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}
}  // namespace

CParamDialog::CParamDialog(CSettingsModel* model, QWidget* parent) : QDialog(parent), m_model(model)
{
    m_frame = new QGroupBox(this);
    m_list = new QComboBox(this);
    m_text = new QLineEdit(this);
    m_textLabel = new QLabel(tr("Value:"), this);
    m_spinLow = new QLabel(this);
    m_spinHigh = new QLabel(this);
    m_spin = new QWidget(this);
    m_up = ArrowButton(Qt::UpArrow, m_spin);
    m_down = ArrowButton(Qt::DownArrow, m_spin);
    auto* arrows = new QVBoxLayout(m_spin);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    // Plain buttons in a fixed order (OK, Cancel, Apply), not the platform's.
    m_ok = new QPushButton(tr("OK"), this);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_apply = new QPushButton(tr("&Apply"), this);
    m_ok->setDefault(true);
    LayOut();

    connect(m_ok, &QPushButton::clicked, this, &CParamDialog::OkPressed);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, &CParamDialog::ApplyNow);
    connect(m_up, &QToolButton::clicked, this, [this] { StepVoltsPerDivision(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { StepVoltsPerDivision(-1); });
}

void CParamDialog::LayOut()
{
    tagLayoutRect dialog{x(), y(), x() + width(), y() + height()};
    std::array<tagLayoutRect, kDlgLayOutRects> rects{};
    DlgLayOut(dialog, rects);
    setFixedSize(dialog.right - dialog.left, dialog.bottom - dialog.top);
    QWidget* placed[kDlgLayOutRects] = {m_frame, m_list,     m_text,   m_spinHigh, m_ok,
                                        m_cancel, m_apply, m_textLabel, m_spinLow, m_spin};
    for (int i = 0; i < kDlgLayOutRects; ++i)
        placed[i]->setGeometry(ToQRect(rects[static_cast<size_t>(i)]));
    // The list rectangle includes room for the opened list; the closed
    // drop-down takes its top only and leaves the buttons free.
    const QRect list = ToQRect(rects[kList]);
    m_list->setGeometry(list.x(), list.y(), list.width(), ToQRect(rects[kText]).height());
    m_frame->lower();
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
    m_oldText = request.currentText;
    setWindowTitle(QString::fromStdString(request.title));
    m_list->clear();
    for (const std::string& label : request.labels)
        m_list->addItem(QString::fromStdString(label));
    if (request.currentPosition >= 0 && request.currentPosition < m_list->count())
        m_list->setCurrentIndex(request.currentPosition);
    m_text->setText(QString::fromStdString(request.currentText));
    const bool list = request.listMode;
    const bool spin = !list && request.kind == KIND_VOLTS_PER_DIV;
    m_list->setVisible(list);
    m_textLabel->setVisible(!list);
    m_text->setVisible(!list);
    m_spin->setVisible(spin);
    m_spinLow->setVisible(spin);
    m_spinHigh->setVisible(spin);
    if (spin)
        ShowSpinLimits();
}

SettingChoice CParamDialog::CurrentChoice() const
{
    SettingChoice choice;
    if (m_request.listMode)
        choice.position = m_list->currentIndex();
    else
        choice.text = m_text->text().trimmed().toStdString();
    return choice;
}

int64_t CParamDialog::EditedProbe() const
{
    const int channel = m_request.target;
    if (!m_model || channel < 1 || channel > 2)
        return 1;
    return m_model->Records().channel[channel - 1].probeFactor;
}

void CParamDialog::ShowSpinLimits()
{
    int64_t lowest = 0;
    int64_t highest = 0;
    bool known = false;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        known = VoltsLimits(g_UISysTable, EditedProbe(), lowest, highest);
    }
    m_spinLow->setText(known ? tr("Min: %1").arg(QString::fromStdString(VoltText(lowest))) : QString());
    m_spinHigh->setText(known ? tr("Max: %1").arg(QString::fromStdString(VoltText(highest))) : QString());
}

// Steps from what the box holds; a text that is no volts per division steps
// from the setting's value.
void CParamDialog::StepVoltsPerDivision(int step)
{
    std::string next;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        next = StepVoltsText(g_UISysTable, EditedProbe(), m_text->text().trimmed().toStdString(), step);
        if (next.empty())
            next = StepVoltsText(g_UISysTable, EditedProbe(), m_oldText, step);
    }
    if (!next.empty())
        m_text->setText(QString::fromStdString(next));
}

bool CParamDialog::TextAcceptable() const
{
    return m_request.listMode || !m_model || m_model->AcceptsChoice(m_request.kind, m_request.target, CurrentChoice());
}

// A typed value the model cannot take puts the old one back and keeps the
// dialog open.
void CParamDialog::OkPressed()
{
    if (!TextAcceptable()) {
        m_text->setText(QString::fromStdString(m_oldText));
        return;
    }
    accept();
}

// Writes and sends the current choice; the applied value becomes the old
// value, a refused one is replaced by the old value.
void CParamDialog::ApplyNow()
{
    if (!m_model)
        return;
    const EditResult result = m_model->ApplyChoice(m_request.kind, m_request.target, CurrentChoice());
    if (result.outcome == EditOutcome::Applied) {
        m_bChanged = true;
        if (!m_request.listMode && !result.text.empty())
            m_oldText = result.text;
    }
    if (!m_request.listMode)
        m_text->setText(QString::fromStdString(m_oldText));
}
