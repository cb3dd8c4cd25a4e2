#pragma once
// CPowerSpectrumView: the power spectrum window. It hosts the spectrum panel
// over the window's document; on each completed transfer (message 1135) the
// panel copies both records and both traces redraw. Export writes the 1024
// bins as CSV (frequency in Hz, level in dB) or the window as a bitmap,
// chosen by the file's ending.
#include "ui/DataView.h"

#include <QWidget>

class CPowerSpectrumDoc;
class CPowerSpectrumPanel;

class CPowerSpectrumView : public QWidget, public CDataView {
    Q_OBJECT
public:
    explicit CPowerSpectrumView(const ChildViewContext& context);

    QWidget* Widget() override { return this; }
    ILinkView* LinkView() override { return this; }

    CPowerSpectrumDoc& Doc();
    CPowerSpectrumPanel& Panel() { return *m_panel; }
    // The whole window's picture (export, printing).
    QImage Picture();
    // The export of a path: CSV unless the path ends in ".bmp".
    int WriteExport(const QString& path, QString* error) override;

protected:
    bool event(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override { ShowContextMenu(e); }
    void OnAcquisition(const tagAcquisitionSnapshot& snapshot) override;
    void BeforeStore() override;
    void OnDocumentReplaced() override;
    const char* ExportFilter() const override;
    QString ExportInitialName() const override { return QStringLiteral("*.csv"); }
    const char* ExportExtension() const override { return nullptr; }
    QImage PrintPicture(int page, bool blackWhite) override;

private:
    CPowerSpectrumPanel* m_panel;
};
