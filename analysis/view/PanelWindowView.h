#pragma once
// CPanelWindowView: the shared part of the analysis windows whose body is
// one panel widget over the document: the panel fills the window, the
// update message and the context menu go to the data-view base, the window's
// picture (export, printing; grey when printing black and white) is the
// panel's, and the frame's placement travels with the document.
#include "ui/DataView.h"

#include <QRect>
#include <QWidget>

class CPanelWindowView : public QWidget, public CDataView {
    Q_OBJECT
public:
    CPanelWindowView(const ChildViewContext& context, DocumentFactory makeDocument);

    QWidget* Widget() override { return this; }
    ILinkView* LinkView() override { return this; }
    // The panel's picture.
    QImage Picture();

protected:
    // Puts the panel into the window (once, from the kind's constructor).
    void SetPanel(QWidget* panel);
    // The document's stored frame rectangle.
    virtual QRect& FrameRect() = 0;

    bool event(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override { ShowContextMenu(e); }
    void BeforeStore() override;
    // Moves the frame to the stored rectangle (call after the kind's own
    // work on a replaced document).
    void RestoreFrame();
    QImage PrintPicture(int page, bool blackWhite) override;

private:
    QWidget* m_panel = nullptr;
};
