// CYTSheetView: the waveform sheet window. It shows one captured acquisition
// (CYTSheetData) in Y-T or X-Y, takes new records while it runs (message
// 1126), and offers zoom, pan, a one-step window zoom, cursors, draggable
// trace handles and rail, the properties dialog, bitmap export, printing and
// the ".wfm" file. The child frame reaches it as an IChildView, the link as
// an ILinkView.
#pragma once

#include <QAbstractScrollArea>
#include <QRectF>

#include <atomic>
#include <memory>

#include "ui/ChildView.h"
#include "ui/DataView.h"
#include "docs/YTSheetData.h"
#include "docs/YTSheetDoc.h"
#include "docs/YTSheetUpdate.h"
#include "link/LinkView.h"

class CChildFrame;
class CLinkSession;
class QPrinter;

// Command ids of the sheet (as in its menus).
inline constexpr int kIdZoomIn = 32303;
inline constexpr int kIdZoomOut = 32304;
inline constexpr int kIdFit = 32305;
inline constexpr int kIdWindowZoom = 32839;
inline constexpr int kIdPan = 32840;
inline constexpr int kIdSelect = 32826;
inline constexpr int kIdProperties = 32823;
inline constexpr int kMsgReceiveTime = 1127;

class CYTSheetView : public QAbstractScrollArea, public IChildView, public ILinkView {
    Q_OBJECT
public:
    // The object a press selects for a drag.
    enum class Target { None, Cursor1, Cursor2, CursorInfo, ScaleInfo, Block1, Block2, Block3, Rail };

    explicit CYTSheetView(CLinkSession* session = nullptr, QWidget* parent = nullptr);
    ~CYTSheetView() override;

    CYTSheetData& Sheet() { return *m_sheet; }
    CYTSheetDoc& Document() { return m_doc; }

    // --- IChildView ---
    QWidget* Widget() override { return this; }
    ILinkView* LinkView() override { return this; }
    int LoadDocument(const QString& path, QString* error) override;
    int SaveDocument(const QString& path, QString* error) override;
    bool SaveCommand(bool saveAs) override { return Save(saveAs); }
    int SerializeState(CArchive& ar) override;
    bool IsRunning() const override { return m_bRunning.load(); }
    void StartRun() override;
    void StopRun() override;
    void SetZoomFactor(double factor) override;
    void ApplyHorizontalScale(int index, double scale) override;
    void ApplyVerticalScale(int index, double scale) override;
    bool ScaleSelectorsApply() const override { return m_sheet->ScaleSelectorsApply(); }

    // --- ILinkView ---
    LinkViewClass ViewClass() const override { return LinkViewClass::WaveformSheet; }
    QObject* Receiver() const override { return const_cast<CYTSheetView*>(this); }
    int32_t RecordLength() const override { return m_recordLength.load(); }
    void ChangeRecordLength(int32_t length) override;
    void StopAcquisition() override { StopRun(); }
    void ClearTraces() override;

    // --- commands ---
    void ZoomIn();
    void ZoomOut();
    void Fit();
    void ToggleWindowZoom() { m_bWindowZoomArmed = !m_bWindowZoomArmed; }
    void SetPanMode(bool on) { m_bPanMode = on && m_bScrollNeeded; }
    bool PanMode() const { return m_bPanMode; }
    bool WindowZoomArmed() const { return m_bWindowZoomArmed; }
    bool ScrollBarsNeeded() const { return m_bScrollNeeded; }
    void Properties();
    // Bitmap export: asks for a name; false when cancelled or failed.
    bool Export();
    // The picture the export writes (the client area as shown).
    QImage ClientPicture();
    // Save ("Save DataFile"): asks for a name while the sheet was never opened
    // from a file; Save As always asks. The stored path stays as it is.
    bool Save(bool saveAs);
    void TogglePrintBlackWhite();
    // Prints one page of the sheet on printer (header, picture, page number).
    void PrintPage(QPrinter& printer, int page = 1);
    void Print();
    void PrintPreview();

    // The acquisition update of message 1126 (also called directly).
    SheetUpdateResult OnAcquisition();
    // The line message 1127 adds to the main frame's message pane.
    static QString ReceiveTimeLine(const QTime& time);
    // The object a graph point hits, in the hover order.
    Target HitTest(QPoint graph) const;
    // A device point of the viewport in graph units.
    QPointF GraphFromDevice(QPoint device) const;
    // The viewport point of a graph point.
    QPoint DeviceFromGraph(QPointF graph) const;
    QPoint ScrollPosition() const;
    Target Selected() const { return m_selected; }

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    CChildFrame* Frame() const;
    void UpdateScrollSizes();
    void ScrollToCentre();
    void ShowZoomText();
    void SetZoom(float zoom, QPoint centre);
    void ApplyLoadedSheet(std::unique_ptr<CYTSheetData> sheet);
    void StoreWindowPlacement();
    void ApplySelectors(const SheetSelectorState& selectors);
    void StepProgress();
    void UpdateStatusPanes();
    void Hover(QPoint graph);
    void Select(QPoint graph);
    void Drag(QPoint graph);
    void Release(QPoint graph);
    void FinishWindowZoom();
    void Displace(int dx, int dy);
    void BuildActions();

    std::unique_ptr<CYTSheetData> m_sheet;
    CYTSheetDoc m_doc;
    CLinkSession* m_session;
    std::atomic<bool> m_bRunning{false};
    std::atomic<int32_t> m_recordLength;

    // Interaction state.
    bool m_bPanMode = false;
    bool m_bPanDrag = false;
    QPoint m_lastMouse;        // device units
    QPoint m_lastGraph;        // graph units
    bool m_bWindowZoomArmed = false;
    bool m_bRubberBand = false;
    QRectF m_rubberBand;       // logical units
    bool m_bButtonDown = false;
    bool m_bScrollNeeded = false;
    Target m_selected = Target::None;
};
