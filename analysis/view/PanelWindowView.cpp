#include "analysis/view/PanelWindowView.h"

#include "ui/ChildHost.h"

#include <QVBoxLayout>

CPanelWindowView::CPanelWindowView(const ChildViewContext& context, DocumentFactory makeDocument)
    : QWidget(context.parent), CDataView(context, std::move(makeDocument)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    SetReceiver(this);
}

void CPanelWindowView::SetPanel(QWidget* panel) {
    m_panel = panel;
    layout()->addWidget(panel);
}

QImage CPanelWindowView::Picture() {
    return m_panel ? m_panel->grab().toImage() : QImage();
}

bool CPanelWindowView::event(QEvent* e) {
    return HandleViewEvent(e) || QWidget::event(e);
}

void CPanelWindowView::BeforeStore() {
    if (Host()) FrameRect() = Host()->FrameWidget()->geometry();
}

void CPanelWindowView::RestoreFrame() {
    const QRect frame = FrameRect();
    if (Host() && frame.isValid()) Host()->FrameWidget()->setGeometry(frame);
}

QImage CPanelWindowView::PrintPicture(int, bool blackWhite) {
    const QImage picture = Picture();
    return blackWhite ? picture.convertToFormat(QImage::Format_Grayscale8) : picture;
}
