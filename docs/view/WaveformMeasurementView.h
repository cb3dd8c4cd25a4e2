#pragma once
// CWaveformMeasurementView: the measurement window. A three-column grid
// (picture, item, value) of the 25 measurements of one channel, the CH1 and
// CH2 source buttons on the frame's tool bar, the ".txt"/".csv" export and
// printing of the grid. Everything shown lives in its document.
#include "docs/WaveformMeasurementDoc.h"
#include "ui/DataView.h"
#include "ui/MSFlexGrid.h"

class CSourceButtons;

class CWaveformMeasurementView : public CMSFlexGrid, public CDataView {
public:
    explicit CWaveformMeasurementView(const ChildViewContext& context);

    QWidget* Widget() override { return this; }
    ILinkView* LinkView() override { return this; }
    void UpdateCommandStates() override;
    CWaveformMeasurementDoc& Doc() { return static_cast<CWaveformMeasurementDoc&>(Document()); }
    // Shows the document's texts in the grid (column 2 of rows 1 ... 25).
    void ShowTexts();
    // The source buttons; null until the frame is built.
    CSourceButtons* SourceButtons() const { return m_source; }

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
    QImage PrintPicture(int page, bool blackWhite) override;

private:
    void BuildGrid();

    CSourceButtons* m_source = nullptr;
};
