// CYTSheetView: the waveform sheet window. It draws the captured acquisition
// its document (CYTSheetDoc) holds in Y-T or X-Y, takes new records while it
// runs (message 1126), and offers zoom, pan, a one-step window zoom, cursors,
// draggable trace handles and rail and the properties dialog; its own
// tool-bar controls are the zoom box and the scale selectors (CSheetToolBar).
// Files, export, printing, Run and Stop are CDataView's.
#pragma once

#include <QAbstractScrollArea>
#include <QRectF>

#include <optional>

#include "docs/YTSheetData.h"
#include "docs/YTSheetDoc.h"
#include "docs/YTSheetPainter.h"
#include "docs/YTSheetUpdate.h"
#include "ui/DataView.h"

class CSheetToolBar;

// Command ids of the sheet (as in its menus).
inline constexpr int kIdZoomIn = 32303;
inline constexpr int kIdZoomOut = 32304;
inline constexpr int kIdFit = 32305;
inline constexpr int kIdWindowZoom = 32839;
inline constexpr int kIdPan = 32840;
inline constexpr int kIdSelect = 32826;
inline constexpr int kIdProperties = 32823;
inline constexpr int kMsgReceiveTime = 1127;

class CYTSheetView : public QAbstractScrollArea, public CDataView {
    Q_OBJECT
public:
    // The object a press selects for a drag.
    enum class Target { None, Cursor1, Cursor2, CursorInfo, ScaleInfo, Block1, Block2, Block3, Rail };

    explicit CYTSheetView(const ChildViewContext& context);
    ~CYTSheetView() override;

    CYTSheetDoc& SheetDocument() { return static_cast<CYTSheetDoc&>(Document()); }
    CYTSheetData& Sheet() { return SheetDocument().Sheet(); }
    const CYTSheetData& Sheet() const { return static_cast<const CYTSheetDoc&>(Document()).Sheet(); }
    // The zoom box and scale selectors; null until the frame is built.
    CSheetToolBar* ToolBarControls() const { return m_toolBar; }

    QWidget* Widget() override { return this; }
    ILinkView* LinkView() override { return this; }
    void ClearTraces() override;
    void UpdateCommandStates() override;

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
    // The picture the export writes (the client area as shown).
    QImage ClientPicture();
    // The zoom factor (5 = 100 %) about the present centre, and a new
    // horizontal or vertical scale for the selected waveform (the scale
    // selectors' entries).
    void SetZoomFactor(double factor);
    void ApplyHorizontalScale(int index, double scale);
    void ApplyVerticalScale(int index, double scale);
    // The acquisition update of message 1126 on a snapshot (UpdateFromAcquisition
    // takes one and steps the progress bar).
    void OnAcquisition(const tagAcquisitionSnapshot& snapshot) override;
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
    void AddToolBarControls(IChildHost& host) override;
    void OnStartRun() override;
    void OnStopRun() override;
    void BeforeStore() override;
    void OnDocumentReplaced() override;
    void AddViewMenuItems(QMenu& menu) override;
    const char* ExportFilter() const override { return "Bitmap Files(*.bmp)|*.bmp|All Files(*.*)|*.*|"; }
    int WriteExport(const QString& path, QString* error) override;
    QImage PrintPicture(int page, bool blackWhite) override;
    QFont PrintFont() const override;

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
    void UpdateScrollSizes();
    void ScrollToCentre();
    void ShowZoomText();
    void SetZoom(float zoom, QPoint centre);
    void ShowScales(const SheetSelectorState& selectors);
    SheetPaintOptions ScreenPaintOptions() const;
    // Where the window stands: the frame's geometry and the scroll position.
    std::pair<QRect, QPoint> Placement() const;
    void RestorePlacement();
    void UpdateStatusPanes();
    void Hover(QPoint graph);
    void Select(QPoint graph);
    void Drag(QPoint graph);
    void Release(QPoint graph);
    void FinishWindowZoom();
    void Displace(int dx, int dy);
    void BuildActions();

    CSheetToolBar* m_toolBar = nullptr;
    // The placement a file or workspace record put the window in; while the
    // window still stands there, the stored placement is written back as read.
    std::optional<std::pair<QRect, QPoint>> m_restoredPlacement;

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
