#include "docs/view/WaveformMeasurementView.h"

#include "corvane/MessageTables.h"
#include "docs/Archive.h"
#include "corvane/ValueTables.h"
#include "docs/MeasureExport.h"
#include "docs/view/MeasureItemIcons.h"
#include "ui/ChildHost.h"
#include "ui/SourceButtons.h"

#include <QCoreApplication>
#include <QEvent>

namespace {
constexpr int kColumnWidths[3] = {40, 150, 150};
constexpr int kPrintWidth = 800;
}  // namespace

CWaveformMeasurementView::CWaveformMeasurementView(const ChildViewContext& context)
    : CMSFlexGrid(context.parent),
      CDataView(context, [] { return std::make_unique<CWaveformMeasurementDoc>(); }) {
    SetReceiver(this);
    BuildGrid();
}

void CWaveformMeasurementView::BuildGrid() {
    SetRows(kMeasureItemCount + 1);
    SetCols(3);
    const char* headers[3] = {Msg(szFigure), Msg(szType), Msg(szValue)};
    for (int c = 0; c < 3; ++c) {
        SetColWidth(c, kColumnWidths[c]);
        SetTextMatrix(0, c, QString::fromUtf8(headers[c]));
    }
    for (int k = 0; k < kMeasureItemCount; ++k) {
        SetRow(k + 1);
        SetCol(0);
        SetCellPicture(MeasureItemIcon(k));
        SetCellAlignment(Qt::AlignCenter);
        SetTextMatrix(k + 1, 1, QString::fromStdString(MesItem[k][LanguageIndex()]));
    }
    ShowTexts();
}

void CWaveformMeasurementView::ShowTexts() {
    const CMeasureData& d = Doc().data;
    for (int k = 0; k < kMeasureItemCount; ++k)
        SetTextMatrix(k + 1, 2, QString::fromStdString(ShownMeasureText(k, d.text[static_cast<size_t>(k)])));
}

bool CWaveformMeasurementView::event(QEvent* e) {
    return HandleViewEvent(e) || CMSFlexGrid::event(e);
}

void CWaveformMeasurementView::AddToolBarControls(IChildHost& host) {
    m_source = new CSourceButtons(host, false, this);
    m_source->Select(Doc().data.source);
    connect(m_source, &CSourceButtons::SourceChosen, this, [this](int mode) { Doc().data.source = mode; });
}

void CWaveformMeasurementView::UpdateCommandStates() {
    if (m_source) m_source->SetEnabled(IsRunning());
}

void CWaveformMeasurementView::OnStopRun() {
    UpdateCommandStates();
}

void CWaveformMeasurementView::OnAcquisition(const tagAcquisitionSnapshot& snapshot) {
    if (snapshot.Length() == 0) return;  // nothing acquired yet
    if (!Doc().Update(snapshot)) {
        SetStatusText(kPanePercent, QCoreApplication::translate("CWaveformMeasurementView", "Cannot measure"));
        return;
    }
    ShowTexts();
}

void CWaveformMeasurementView::BeforeStore() {
    if (Host() && Host()->FrameWidget()) Doc().data.frameRect = Host()->FrameWidget()->geometry();
}

void CWaveformMeasurementView::OnDocumentReplaced() {
    ShowTexts();
    if (m_source) {
        m_source->Select(Doc().data.source);
        m_source->SetEnabled(false);
    }
    if (Host() && Host()->FrameWidget() && Doc().data.frameRect.isValid())
        Host()->FrameWidget()->setGeometry(Doc().data.frameRect);
}

const char* CWaveformMeasurementView::ExportFilter() const {
    return "Text Files(*.txt)|*.txt|CSV Files(*.csv)|*.csv|All Files(*.*)|*.*|";
}

int CWaveformMeasurementView::WriteExport(const QString& path, QString* error) {
    return SaveFileAtomically(path, MeasureExportFor(path, Doc().data, LanguageIndex()), error);
}

QImage CWaveformMeasurementView::PrintPicture(int, bool blackWhite) {
    return RenderRows(1, kMeasureItemCount, kPrintWidth, blackWhite);
}

namespace {
std::unique_ptr<IChildView> MakeMeasurementView(const ChildViewContext& context) {
    return std::make_unique<CWaveformMeasurementView>(context);
}
}  // namespace

QV_CHILD_VIEW("WaveformMeasurement", MakeMeasurementView);
