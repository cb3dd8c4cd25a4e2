#include "analysis/view/PowerView.h"

#include "analysis/PowerBinsCsv.h"
#include "analysis/view/FFTView.h"
#include "analysis/view/PowerPanel.h"
#include "docs/Archive.h"
#include "docs/BitmapWriter.h"
#include "docs/PowerDoc.h"

#include <QFileInfo>

#include <array>

namespace {

constexpr int kBitmapDepth = 24;

} // namespace

CPowerSpectrumView::CPowerSpectrumView(const ChildViewContext& context)
    : CPanelWindowView(context, [] { return std::unique_ptr<CDataDoc>(new CPowerSpectrumDoc); }) {
    m_panel = new CPowerSpectrumPanel(&Doc().Data(), this);
    SetPanel(m_panel);
}

CPowerSpectrumDoc& CPowerSpectrumView::Doc() {
    return static_cast<CPowerSpectrumDoc&>(Document());
}

QRect& CPowerSpectrumView::FrameRect() {
    return Doc().Data().frameRect;
}

void CPowerSpectrumView::OnAcquisition(const tagAcquisitionSnapshot& snapshot) {
    m_panel->OnTransfer(snapshot.wfm, snapshot.ch1.data(), snapshot.ch2.data(),
                        static_cast<std::int32_t>(snapshot.Length()));
}

void CPowerSpectrumView::BeforeStore() {
    m_panel->StoreViewState();
    CPanelWindowView::BeforeStore();
}

void CPowerSpectrumView::OnDocumentReplaced() {
    m_panel->SetData(&Doc().Data());
    RestoreFrame();
}

const char* CPowerSpectrumView::ExportFilter() const {
    return "Csv File(*.csv)|*.csv|Bitmap Files(*.bmp)|*.bmp|";
}

int CPowerSpectrumView::WriteExport(const QString& path, QString* error) {
    if (path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
        return CBitmapWriter::Save(path, Picture(), kBitmapDepth, error);
    const QString target = QFileInfo(path).suffix().isEmpty() ? path + QLatin1String(".csv") : path;
    std::array<std::int32_t, kSpectrumBins> db{};
    m_panel->Spectrum().ComputeDb(db);
    const std::string csv = SpectrumCsv(db, m_panel->Spectrum().FreqPerDivision());
    return SaveFileAtomically(target, QByteArray::fromStdString(csv), error);
}

static std::unique_ptr<IChildView> MakePowerSpectrum(const ChildViewContext& context) {
    return std::make_unique<CPowerSpectrumView>(context);
}
QV_CHILD_VIEW("PowerSpectrum", MakePowerSpectrum);
