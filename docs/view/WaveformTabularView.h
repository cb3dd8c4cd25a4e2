#pragma once
// CWaveformTabularView: the data table window. A grid of numbered rows of
// (time, voltage) of CH1 or CH2, or (frequency, level) of the spectrum, 3200
// rows a page, with the CH1 / CH2 / FFT source buttons and the page
// controls on the frame's tool bar, the ".txt"/".csv" export of the current
// page and printing. Everything shown lives in its document.
#include "docs/WaveformTabularDoc.h"
#include "ui/DataView.h"
#include "ui/MSFlexGrid.h"

class CPageBar;
class CSourceButtons;

class CWaveformTabularView : public CMSFlexGrid, public CDataView {
public:
    explicit CWaveformTabularView(const ChildViewContext& context);

    QWidget* Widget() override { return this; }
    ILinkView* LinkView() override { return this; }
    void UpdateCommandStates() override;
    CWaveformTabularDoc& Doc() { return static_cast<CWaveformTabularDoc&>(Document()); }
    // Column headers of the mode and the document's texts in the grid.
    void ShowTable();
    // Shows a page (1-based) recomputed from the acquisition buffers; in
    // spectrum mode only the grid is refreshed.
    void ShowPage(int page);
    // Empties the value columns of every data row.
    void ClearValues();
    CSourceButtons* SourceButtons() const { return m_source; }
    CPageBar* PageBar() const { return m_pages; }

protected:
    bool event(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override { ShowContextMenu(e); }
    void AddToolBarControls(IChildHost& host) override;
    void OnAcquisition(const tagAcquisitionSnapshot& snapshot) override;
    void OnStopRun() override;
    void BeforeStore() override;
    void OnDocumentReplaced() override;
    const char* ExportFilter() const override;
    QString ExportInitialName() const override { return QStringLiteral("*.txt"); }
    const char* ExportExtension() const override { return nullptr; }
    int WriteExport(const QString& path, QString* error) override;
    int PrintPageCount() const override;
    QImage PrintPicture(int page, bool blackWhite) override;

private:
    void SetSource(int mode);

    CSourceButtons* m_source = nullptr;
    CPageBar* m_pages = nullptr;
};
