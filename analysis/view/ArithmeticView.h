#pragma once
// CArithmeticView: the arithmetic window. It hosts the arithmetic panel over
// the window's document; on each completed transfer (message 1136) the panel
// takes both records and scales and redraws the inputs and the result.
// Export writes the window as a bitmap.
#include "analysis/view/PanelWindowView.h"

class CArithmeticDoc;
class CArithmeticPanel;

class CArithmeticView : public CPanelWindowView {
    Q_OBJECT
public:
    explicit CArithmeticView(const ChildViewContext& context);

    CArithmeticDoc& Doc();
    CArithmeticPanel& Panel() { return *m_panel; }
    int WriteExport(const QString& path, QString* error) override;

protected:
    QRect& FrameRect() override;
    void OnAcquisition(const tagAcquisitionSnapshot& snapshot) override;
    void OnDocumentReplaced() override;
    const char* ExportFilter() const override { return "Bitmap Files(*.bmp)|*.bmp|All Files(*.*)|*.*|"; }

private:
    CArithmeticPanel* m_panel;
};
