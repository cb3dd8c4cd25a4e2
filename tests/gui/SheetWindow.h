#pragma once
// A waveform sheet in its own child frame, shown offscreen at a given client
// size, and the mouse gestures the sheet tests use on it.
#include <QCoreApplication>
#include <QMouseEvent>

#include <memory>

#include "app/ChildFrame.h"
#include "ui/DocKinds.h"
#include "ui/SheetToolBar.h"
#include "docs/view/YTSheetView.h"

inline const DocKind& SheetKind() { return *KindByTypeName(QStringLiteral("YTSheet")); }

struct SheetWindow {
    explicit SheetWindow(QSize size = QSize(700, 560), CLinkSession* session = nullptr) {
        auto owned = std::make_unique<CYTSheetView>(ChildViewContext{session, &SheetKind(), nullptr});
        view = owned.get();
        frame = new CChildFrame(SheetKind(), std::move(owned), session);
        frame->show();
        frame->resize(frame->size() + size - view->viewport()->size());
        QCoreApplication::processEvents();
    }
    ~SheetWindow() { delete frame; }
    SheetWindow(const SheetWindow&) = delete;
    SheetWindow& operator=(const SheetWindow&) = delete;
    CYTSheetData& sheet() { return view->Sheet(); }
    CSheetToolBar& bar() { return *view->ToolBarControls(); }

    CChildFrame* frame;
    CYTSheetView* view;
};

inline void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent e(type, at, w->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

inline void Drag(CYTSheetView* view, QPoint from, QPoint to) {
    Mouse(view->viewport(), QEvent::MouseButtonPress, from);
    Mouse(view->viewport(), QEvent::MouseMove, (from + to) / 2);
    Mouse(view->viewport(), QEvent::MouseMove, to);
    Mouse(view->viewport(), QEvent::MouseButtonRelease, to, Qt::NoButton);
}
