#include "analysis/view/PowerPanel.h"

#include "analysis/view/FFTView.h"
#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "docs/PowerData.h"
#include "docs/view/YTView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString Text(const char (&table)[2][30]) {
    return QString::fromUtf8(table[g_nLanguage == 1 ? 1 : 0]);
}

} // namespace

CPowerSpectrumPanel::CPowerSpectrumPanel(CPowerSpectrumData* data, QWidget* parent)
    : QWidget(parent), m_data(data) {
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(MakeInputPage(), Text(szInput));
    m_tabs->addTab(MakeWindowPage(), Text(szConfig));
    m_tabs->setMaximumHeight(90);
    m_inputTrace = new CYTView(this);
    m_inputTrace->setMinimumSize(520, 170);
    m_spectrum = new CFFTView(this);
    m_spectrum->setMinimumSize(520, 200);
    m_spectrum->SetCaptions(Text(szPwrSpectrum), Text(szSigFrq), Text(szMagnitude));
    for (CGraphView* view : {static_cast<CGraphView*>(m_inputTrace), static_cast<CGraphView*>(m_spectrum)})
        view->SetRecordLock(&g_csLock);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_inputTrace, 5);
    layout->addWidget(m_spectrum, 6);
    connect(m_inputList, &QComboBox::currentIndexChanged, this, &CPowerSpectrumPanel::SelectInput);
    connect(m_windowList, &QComboBox::currentIndexChanged, this, &CPowerSpectrumPanel::SelectWindow);
    SetData(data);
}

QWidget* CPowerSpectrumPanel::MakeInputPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(new QLabel(tr("Input Signal:"), page));
    m_inputList = new QComboBox(page);
    m_inputList->addItems({QStringLiteral("CH1"), QStringLiteral("CH2")});
    layout->addWidget(m_inputList);
    layout->addStretch();
    return page;
}

QWidget* CPowerSpectrumPanel::MakeWindowPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* group = new QGroupBox(tr("Spectrum Setup"), page);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(new QLabel(tr("Window"), group));
    m_windowList = new QComboBox(group);
    m_windowList->addItems(
        {QStringLiteral("WIN_FLATTOP"), QStringLiteral("WIN_RECTANGULAR"), QStringLiteral("WIN_HANNING")});
    groupLayout->addWidget(m_windowList);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

void CPowerSpectrumPanel::SetData(CPowerSpectrumData* data) {
    m_data = data;
    ShowState();
}

void CPowerSpectrumPanel::ShowState() {
    {
        const QSignalBlocker blockInput(m_inputList), blockWindow(m_windowList);
        m_inputList->setCurrentIndex(m_data->inputSelection);
        m_windowList->setCurrentIndex(m_data->windowSelection);
    }
    m_inputTrace->SetParameters(m_data->inputTrace);
    const SpectrumTraceState& s = m_data->spectrum;
    m_spectrum->SetSpectrumParams(s.timeBaseIndex, s.window, s.dbCentre, s.dbPerDivision, s.freqPerDivision);
    PointViews();
}

void CPowerSpectrumPanel::PointViews() {
    for (CGraphView* view : {static_cast<CGraphView*>(m_inputTrace), static_cast<CGraphView*>(m_spectrum)}) {
        view->SetRecord(m_data->SelectedCopy(), m_data->RecordLengthAddress());
        view->update();
    }
}

void CPowerSpectrumPanel::OnTransfer(const tagWaveformParam& wfm, const std::uint8_t* ch1,
                                     const std::uint8_t* ch2, std::int32_t length) {
    // The copies may move when the record length changes: unhook the views
    // first so no paint reads a released copy.
    m_inputTrace->SetRecord(nullptr, nullptr);
    m_spectrum->SetRecord(nullptr, nullptr);
    m_lastWfm = wfm;
    m_data->TakeTransfer(wfm, ch1, ch2, length);
    ShowState();
}

void CPowerSpectrumPanel::SelectInput(int input) {
    if (input < 0 || input > 1) return;
    m_data->inputSelection = input;
    if (m_lastWfm) {
        m_data->TakeScales(*m_lastWfm);
        ShowState();
    } else {
        PointViews();
    }
}

void CPowerSpectrumPanel::SelectWindow(int window) {
    if (window < 0) return;
    m_data->windowSelection = window;
    m_data->spectrum.window = window;
    m_spectrum->SetWindow(window);
    m_spectrum->update();
}

void CPowerSpectrumPanel::ShowTab(int tab) {
    m_tabs->setCurrentIndex(tab);
}

void CPowerSpectrumPanel::StoreViewState() {
    m_data->inputTrace = m_inputTrace->Parameters();
    m_data->spectrum = {m_spectrum->TimeBaseIndex(), m_spectrum->DbPerDivision(), m_spectrum->FreqPerDivision(),
                        m_spectrum->DbCentre(), m_spectrum->Window()};
}

void CPowerSpectrumPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
