#include "docs/view/WaveformTabularView.h"

#include "corvane/MessageTables.h"
#include "docs/Archive.h"
#include "docs/TabularExport.h"
#include "ui/ChildHost.h"
#include "ui/PageBar.h"
#include "ui/SourceButtons.h"

#include <QEvent>

namespace {
constexpr int kColumnWidths[3] = {70, 160, 160};
constexpr int kPrintWidth = 800;
constexpr int kRowsPerPrintedPage = 45;
}  // namespace

CWaveformTabularView::CWaveformTabularView(const ChildViewContext& context)
    : CMSFlexGrid(context.parent), CDataView(context, [] { return std::make_unique<CWaveformTabularDoc>(); }) {
    SetReceiver(this);
    g_AcquireItemNum = kTableRowsPerPage;
    Doc().data = CTabularData(waveDataLen);
    SetCols(3);
    for (int c = 0; c < 3; ++c) SetColWidth(c, kColumnWidths[c]);
    ShowTable();
}

void CWaveformTabularView::ShowTable() {
    const CTabularData& t = Doc().data;
    const bool spectrum = t.mode == kTableSpectrum;
    setUpdatesEnabled(false);
    SetRows(t.rowsPerPage + 1);
    SetTextMatrix(0, 0, QString::fromUtf8(Msg(szNum)));
    SetTextMatrix(0, 1, QString::fromUtf8(spectrum ? Msg(szFrq) : Msg(szTime)));
    SetTextMatrix(0, 2, QString::fromUtf8(spectrum ? Msg(szPower) : Msg(szVolt)));
    for (int32_t i = 0; i < t.rowsPerPage; ++i) {
        const auto& cell = t.cells[static_cast<size_t>(i)];
        SetTextMatrix(i + 1, 0, QString::fromStdString(t.RowNumber(i)));
        SetTextMatrix(i + 1, 1, QString::fromStdString(cell[0]));
        SetTextMatrix(i + 1, 2, QString::fromStdString(cell[1]));
    }
    setUpdatesEnabled(true);
}

void CWaveformTabularView::ShowPage(int page) {
    CTabularData& t = Doc().data;
    t.currentPage = std::max(page, 1);
    if (t.mode != kTableSpectrum) Doc().Update(TakeAcquisitionSnapshot(), g_bPrintProcess.load() == 0);
    ShowTable();
}

void CWaveformTabularView::ClearValues() {
    Doc().data.ClearValues();
    ShowTable();
}

bool CWaveformTabularView::event(QEvent* e) {
    return HandleViewEvent(e) || CMSFlexGrid::event(e);
}

void CWaveformTabularView::SetSource(int mode) {
    Doc().data.mode = mode;
    ClearValues();
    if (m_pages) m_pages->Reset();
}

void CWaveformTabularView::AddToolBarControls(IChildHost& host) {
    m_source = new CSourceButtons(host, true, this);
    m_source->Select(Doc().data.mode);
    connect(m_source, &CSourceButtons::SourceChosen, this, [this](int mode) { SetSource(mode); });
    m_pages = new CPageBar(host, this);
    m_pages->SetRecordLength(static_cast<int>(Doc().data.points.size()));
    connect(m_pages, &CPageBar::PageChosen, this, [this](int page) { ShowPage(page); });
}

void CWaveformTabularView::UpdateCommandStates() {
    if (m_source) m_source->SetEnabled(IsRunning());
}

void CWaveformTabularView::OnStopRun() {
    UpdateCommandStates();
}

void CWaveformTabularView::OnAcquisition(const tagAcquisitionSnapshot& snapshot) {
    const bool printing = g_bPrintProcess.load() != 0;
    Doc().Update(snapshot, !printing);
    if (m_pages && Doc().data.mode != kTableSpectrum) m_pages->SetRecordLength(snapshot.recordLength);
    if (!printing) ShowTable();
}

void CWaveformTabularView::BeforeStore() {
    if (Host() && Host()->FrameWidget()) Doc().data.frameRect = Host()->FrameWidget()->geometry();
}

void CWaveformTabularView::OnDocumentReplaced() {
    CTabularData& t = Doc().data;
    g_AcquireItemNum = t.rowsPerPage;
    ShowTable();
    if (m_source) {
        m_source->Select(t.mode);
        m_source->SetEnabled(false);
    }
    if (m_pages) {
        m_pages->SetRecordLength(t.pageCount * t.rowsPerPage);
        m_pages->GoToPage(QString::number(t.currentPage));
    }
    if (Host() && Host()->FrameWidget() && t.frameRect.isValid()) Host()->FrameWidget()->setGeometry(t.frameRect);
}

const char* CWaveformTabularView::ExportFilter() const {
    return "Text Files(*.txt)|*.txt|CSV Files(*.csv)|*.csv|All Files(*.*)|*.*|";
}

int CWaveformTabularView::WriteExport(const QString& path, QString* error) {
    return SaveFileAtomically(path, TabularExportFor(path, Doc().data, LanguageIndex()), error);
}

int CWaveformTabularView::PrintPageCount() const {
    const int rows = const_cast<CWaveformTabularView*>(this)->Doc().data.FilledRows();
    return std::max(1, (rows + kRowsPerPrintedPage - 1) / kRowsPerPrintedPage);
}

QImage CWaveformTabularView::PrintPicture(int page, bool blackWhite) {
    const int first = 1 + (std::max(page, 1) - 1) * kRowsPerPrintedPage;
    const int rows = std::min(kRowsPerPrintedPage, Doc().data.FilledRows() - (first - 1));
    return RenderRows(first, std::max(rows, 0), kPrintWidth, blackWhite);
}

namespace {
std::unique_ptr<IChildView> MakeTabularView(const ChildViewContext& context) {
    return std::make_unique<CWaveformTabularView>(context);
}
}  // namespace

QV_CHILD_VIEW("WaveformTabular", MakeTabularView);
