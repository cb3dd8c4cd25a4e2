#include "analysis/view/PowerSpectrumView.h"

#include "analysis/SpectrumCsv.h"
#include "docs/PowerSpectrumDoc.h"
#include "analysis/view/FFTView.h"
#include "analysis/view/PowerSpectrumPanel.h"
#include "docs/Archive.h"
#include "docs/BitmapWriter.h"
#include "ui/ChildHost.h"

#include <QFileInfo>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr int kBitmapDepth = 24;

} // namespace

CPowerSpectrumView::CPowerSpectrumView(const ChildViewContext& context)
    : QWidget(context.parent),
      CDataView(context, [] { return std::unique_ptr<CDataDoc>(new CPowerSpectrumDoc); }) {
    m_panel = new CPowerSpectrumPanel(&Doc().Data(), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);
    SetReceiver(this);
}

CPowerSpectrumDoc& CPowerSpectrumView::Doc() {
    return static_cast<CPowerSpectrumDoc&>(Document());
}

bool CPowerSpectrumView::event(QEvent* e) {
    return HandleViewEvent(e) || QWidget::event(e);
}

void CPowerSpectrumView::OnAcquisition(const tagAcquisitionSnapshot& snapshot) {
    m_panel->OnTransfer(snapshot.wfm, snapshot.ch1.data(), snapshot.ch2.data(),
                        static_cast<std::int32_t>(snapshot.Length()));
}

void CPowerSpectrumView::BeforeStore() {
    m_panel->StoreViewState();
    if (Host()) Doc().Data().frameRect = Host()->FrameWidget()->geometry();
}

void CPowerSpectrumView::OnDocumentReplaced() {
    m_panel->SetData(&Doc().Data());
    const QRect frame = Doc().Data().frameRect;
    if (Host() && frame.isValid()) Host()->FrameWidget()->setGeometry(frame);
}

const char* CPowerSpectrumView::ExportFilter() const {
    return "Csv File(*.csv)|*.csv|Bitmap Files(*.bmp)|*.bmp|";
}

QImage CPowerSpectrumView::Picture() {
    return m_panel->grab().toImage();
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

QImage CPowerSpectrumView::PrintPicture(int, bool blackWhite) {
    const QImage picture = Picture();
    return blackWhite ? picture.convertToFormat(QImage::Format_Grayscale8) : picture;
}

static std::unique_ptr<IChildView> MakePowerSpectrum(const ChildViewContext& context) {
    return std::make_unique<CPowerSpectrumView>(context);
}
QV_CHILD_VIEW("PowerSpectrum", MakePowerSpectrum);
