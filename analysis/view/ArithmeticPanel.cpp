#include "analysis/view/ArithmeticPanel.h"

#include "analysis/view/InputView.h"
#include "analysis/view/OutputView.h"
#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "docs/ArithmeticData.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

unsigned Language() { return g_nLanguage == 1 ? 1 : 0; }

// Selects entry index of list without sending the change on.
void ShowEntry(QComboBox& list, int index) {
    const QSignalBlocker block(&list);
    list.setCurrentIndex(index);
}

} // namespace

CArithmeticPanel::CArithmeticPanel(CArithmeticData* data, QWidget* parent) : QWidget(parent), m_data(data) {
    auto* layout = new QVBoxLayout(this);
    m_inputCaption = new QLabel(this);
    m_inputs = new CInputView(this);
    m_outputCaption = new QLabel(this);
    m_output = new COutputView(this);
    auto* tabs = new QTabWidget(this);
    tabs->addTab(MakeSettingsPage(), QString::fromUtf8(szConfig[Language()]));
    tabs->setMaximumHeight(150);
    layout->addWidget(m_inputCaption);
    layout->addWidget(m_inputs, 1);
    layout->addWidget(m_outputCaption);
    layout->addWidget(m_output, 1);
    layout->addWidget(tabs);
    SetData(data);
}

QWidget* CArithmeticPanel::MakeSettingsPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    m_firstList = new QComboBox(page);
    m_secondList = new QComboBox(page);
    for (QComboBox* list : {m_firstList, m_secondList})
        list->addItems({QStringLiteral("CH1"), QStringLiteral("CH2")});
    m_operationList = new QComboBox(page);
    for (const std::string& name : szMthOperation[Language()]) m_operationList->addItem(QString::fromStdString(name));
    m_factorEdit = new QLineEdit(page);
    form->addRow(QString::fromUtf8(szInputSignal1[Language()]), m_firstList);
    form->addRow(QString::fromUtf8(szInputSignal2[Language()]), m_secondList);
    form->addRow(tr("Operation"), m_operationList);
    form->addRow(tr("Factor"), m_factorEdit);
    const auto nameOf = [](QComboBox* list) { return list->currentText().toStdString(); };
    connect(m_firstList, &QComboBox::currentIndexChanged, this, [=, this] {
        SetFirstInputName(nameOf(m_firstList));
        PostInputRedraw();
        PostOutputRecompute();
    });
    connect(m_secondList, &QComboBox::currentIndexChanged, this, [=, this] {
        SetSecondInputName(nameOf(m_secondList));
        PostInputRedraw();
        PostOutputRecompute();
    });
    connect(m_operationList, &QComboBox::currentIndexChanged, this, [=, this] {
        SetOperationName(nameOf(m_operationList));
        PostOutputRecompute();
    });
    connect(m_factorEdit, &QLineEdit::editingFinished, this,
            [this] { SetFactorText(m_factorEdit->text().toStdString()); });
    return page;
}

void CArithmeticPanel::SetData(CArithmeticData* data) {
    m_data = data;
    ShowSettings();
    ShowCaptions();
    RedrawInputs();
    RecomputeOutput();
}

void CArithmeticPanel::ShowSettings() {
    // By code: a stored name that matches no entry has left its code as it was.
    ShowEntry(*m_firstList, m_data->FirstInput());
    ShowEntry(*m_secondList, m_data->SecondInput());
    ShowEntry(*m_operationList, m_data->Operation());
    m_factorEdit->setText(QString::number(m_data->scaleFactor, 'g', 10));
}

void CArithmeticPanel::ShowCaptions() {
    const QString inputs = QString::fromUtf8(szInputSignals[Language()]);
    m_inputCaption->setText(tr("%1   CH1 %2 mV/div   CH2 %3 mV/div   %4 ns/div")
                                .arg(inputs)
                                .arg(m_data->ch1VoltsPerDivision, 0, 'f', 3)
                                .arg(m_data->ch2VoltsPerDivision, 0, 'f', 3)
                                .arg(m_data->timeBase, 0, 'f', 3));
    m_outputCaption->setText(tr("%1   %2 mV/div   x %3")
                                 .arg(QString::fromUtf8(szOutputSignal[Language()]))
                                 .arg(m_data->outputVoltsPerDivision, 0, 'f', 3)
                                 .arg(m_data->scaleFactor, 0, 'f', 3));
}

void CArithmeticPanel::OnTransfer(const tagWaveformParam& wfm, const std::uint8_t* ch1, const std::uint8_t* ch2,
                                  std::int32_t length) {
    const std::int32_t before = m_data->RecordLength();
    m_data->TakeTransfer(wfm, ch1, ch2, length);
    ShowCaptions();
    // Both views read the buffer: once it is committed anew for another
    // length they must not paint from the old one, even once.
    if (m_data->RecordLength() != before) {
        RedrawInputs();
        RecomputeOutput();
        return;
    }
    PostInputRedraw();
    PostOutputRecompute();
}

void CArithmeticPanel::SetFirstInputName(const std::string& name) { m_data->SetFirstInputName(name); }

void CArithmeticPanel::SetSecondInputName(const std::string& name) { m_data->SetSecondInputName(name); }

void CArithmeticPanel::SetOperationName(const std::string& name) { m_data->SetOperationName(name); }

void CArithmeticPanel::SetFactorText(const std::string& text) {
    m_data->scaleFactor = std::atof(text.c_str());
    RecomputeOutput();
    ShowCaptions();
}

void CArithmeticPanel::PostInputRedraw() {
    if (m_inputRedrawPosted) return;
    m_inputRedrawPosted = true;
    QTimer::singleShot(0, this, [this] { RedrawInputs(); });
}

void CArithmeticPanel::PostOutputRecompute() {
    if (m_outputRecomputePosted) return;
    m_outputRecomputePosted = true;
    QTimer::singleShot(0, this, [this] { RecomputeOutput(); });
}

void CArithmeticPanel::RedrawInputs() {
    m_inputRedrawPosted = false;
    m_inputs->SetRecords(m_data->Channel(kInputCH1), m_data->Channel(kInputCH2));
}

void CArithmeticPanel::RecomputeOutput() {
    m_outputRecomputePosted = false;
    m_output->Recompute(*m_data);
}
