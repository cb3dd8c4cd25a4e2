#pragma once
// CArithmeticView: the arithmetic window. It hosts the arithmetic panel over
// the window's document; on each completed transfer (message 1136) the panel
// takes both records and scales and redraws the inputs and the result.
// Export writes the window as a bitmap.
#include "ui/DataView.h"

#include <QWidget>

class CArithmeticDoc;
class CArithmeticPanel;

class CArithmeticView : public QWidget, public CDataView {
    Q_OBJECT
public:
    explicit CArithmeticView(const ChildViewContext& context);

    QWidget* Widget() override { return this; }
    ILinkView* LinkView() override { return this; }

    CArithmeticDoc& Doc();
    CArithmeticPanel& Panel() { return *m_panel; }
    QImage Picture();
    int WriteExport(const QString& path, QString* error) override;

protected:
    bool event(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override { ShowContextMenu(e); }
    void OnAcquisition(const tagAcquisitionSnapshot& snapshot) override;
    void BeforeStore() override;
    void OnDocumentReplaced() override;
    const char* ExportFilter() const override { return "Bitmap Files(*.bmp)|*.bmp|All Files(*.*)|*.*|"; }
    QImage PrintPicture(int page, bool blackWhite) override;

private:
    CArithmeticPanel* m_panel;
};
