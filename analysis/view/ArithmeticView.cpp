#include "analysis/view/ArithmeticView.h"

#include "docs/ArithmeticDoc.h"
#include "analysis/view/ArithmeticPanel.h"
#include "docs/BitmapWriter.h"
#include "ui/ChildHost.h"

#include <QVBoxLayout>

namespace {

constexpr int kBitmapDepth = 24;

} // namespace

CArithmeticView::CArithmeticView(const ChildViewContext& context)
    : QWidget(context.parent), CDataView(context, [] { return std::unique_ptr<CDataDoc>(new CArithmeticDoc); }) {
    m_panel = new CArithmeticPanel(&Doc().Data(), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);
    SetReceiver(this);
}

CArithmeticDoc& CArithmeticView::Doc() {
    return static_cast<CArithmeticDoc&>(Document());
}

bool CArithmeticView::event(QEvent* e) {
    return HandleViewEvent(e) || QWidget::event(e);
}

void CArithmeticView::OnAcquisition(const tagAcquisitionSnapshot& snapshot) {
    m_panel->OnTransfer(snapshot.wfm, snapshot.ch1.data(), snapshot.ch2.data(),
                        static_cast<std::int32_t>(snapshot.Length()));
}

void CArithmeticView::BeforeStore() {
    if (Host()) Doc().Data().frameRect = Host()->FrameWidget()->geometry();
}

void CArithmeticView::OnDocumentReplaced() {
    m_panel->SetData(&Doc().Data());
    const QRect frame = Doc().Data().frameRect;
    if (Host() && frame.isValid()) Host()->FrameWidget()->setGeometry(frame);
}

QImage CArithmeticView::Picture() {
    return m_panel->grab().toImage();
}

int CArithmeticView::WriteExport(const QString& path, QString* error) {
    return CBitmapWriter::Save(path, Picture(), kBitmapDepth, error);
}

QImage CArithmeticView::PrintPicture(int, bool blackWhite) {
    const QImage picture = Picture();
    return blackWhite ? picture.convertToFormat(QImage::Format_Grayscale8) : picture;
}

static std::unique_ptr<IChildView> MakeArithmetic(const ChildViewContext& context) {
    return std::make_unique<CArithmeticView>(context);
}
QV_CHILD_VIEW("Arithmetic", MakeArithmetic);
