#pragma once
// CPowerSpectrumView: the power spectrum window. It hosts the spectrum panel
// over the window's document; on each completed transfer (message 1135) the
// panel copies both records and both traces redraw. Export writes the 1024
// bins as CSV (frequency in Hz, level in dB) or the window as a bitmap,
// chosen by the file's ending.
#include "analysis/view/PanelWindowView.h"

class CPowerSpectrumDoc;
class CPowerSpectrumPanel;

class CPowerSpectrumView : public CPanelWindowView {
    Q_OBJECT
public:
    explicit CPowerSpectrumView(const ChildViewContext& context);

    CPowerSpectrumDoc& Doc();
    CPowerSpectrumPanel& Panel() { return *m_panel; }
    // CSV unless the path ends in ".bmp"; a path without an ending gets ".csv".
    int WriteExport(const QString& path, QString* error) override;

protected:
    QRect& FrameRect() override;
    void OnAcquisition(const tagAcquisitionSnapshot& snapshot) override;
    void BeforeStore() override;
    void OnDocumentReplaced() override;
    const char* ExportFilter() const override;
    QString ExportInitialName() const override { return QStringLiteral("*.csv"); }
    const char* ExportExtension() const override { return nullptr; }

private:
    CPowerSpectrumPanel* m_panel;
};
