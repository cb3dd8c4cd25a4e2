#include "analysis/view/ArithmeticView.h"

#include "analysis/view/ArithmeticPanel.h"
#include "docs/ArithmeticDoc.h"
#include "docs/BitmapWriter.h"

namespace {

constexpr int kBitmapDepth = 24;

} // namespace

CArithmeticView::CArithmeticView(const ChildViewContext& context)
    : CPanelWindowView(context, [] { return std::unique_ptr<CDataDoc>(new CArithmeticDoc); }) {
    m_panel = new CArithmeticPanel(&Doc().Data(), this);
    SetPanel(m_panel);
}

CArithmeticDoc& CArithmeticView::Doc() {
    return static_cast<CArithmeticDoc&>(Document());
}

QRect& CArithmeticView::FrameRect() {
    return Doc().Data().frameRect;
}

void CArithmeticView::OnAcquisition(const tagAcquisitionSnapshot& snapshot) {
    m_panel->OnTransfer(snapshot.wfm, snapshot.ch1.data(), snapshot.ch2.data(),
                        static_cast<std::int32_t>(snapshot.Length()));
}

void CArithmeticView::OnDocumentReplaced() {
    m_panel->SetData(&Doc().Data());
    RestoreFrame();
}

int CArithmeticView::WriteExport(const QString& path, QString* error) {
    return CBitmapWriter::Save(path, Picture(), kBitmapDepth, error);
}

static std::unique_ptr<IChildView> MakeArithmetic(const ChildViewContext& context) {
    return std::make_unique<CArithmeticView>(context);
}
QV_CHILD_VIEW("Arithmetic", MakeArithmetic);
