#include "docs/view/YTSheetView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTime>

#include <algorithm>
#include <mutex>

#include "corvane/MessageTables.h"
#include "docs/BitmapWriter.h"
#include "docs/DSOMapping.h"
#include "docs/YTSheetScales.h"
#include "docs/YTSheetZoom.h"
#include "docs/view/YTSheetPropertiesDialog.h"
#include "ui/ChildHost.h"
#include "ui/DocKinds.h"
#include "ui/SheetToolBar.h"
#include "ui/Shell.h"
#include "ui/UserPrompts.h"

namespace {

constexpr int kArrowStep = 50;        // graph units per arrow key
constexpr int kScrollLineStep = 20;   // pixels per scroll-bar line
constexpr int kPrintMarginPx = 60;    // around the printed graph, device pixels
constexpr double kPrintPointSize = 12.0;
constexpr int kExportBitsPerPixel = 16;
// The stored frame rectangle is taken only within these sizes.
constexpr int kMinFrameSide = 100;
constexpr int kMaxFrameSide = 10000;

int BlockIndex(CYTSheetView::Target t) {
    switch (t) {
    case CYTSheetView::Target::Block1: return kTraceCH1;
    case CYTSheetView::Target::Block2: return kTraceCH2;
    case CYTSheetView::Target::Block3: return kTraceMath;
    default: return -1;
    }
}

int CursorIndex(CYTSheetView::Target t) {
    return t == CYTSheetView::Target::Cursor1 ? 0 : t == CYTSheetView::Target::Cursor2 ? 1 : -1;
}

void SharedShowFlags(int32_t out[3]) {
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    for (int i = 0; i < 3; ++i) out[i] = g_wfmShow[i];
}

}  // namespace

CYTSheetView::CYTSheetView(const ChildViewContext& context)
    : QAbstractScrollArea(context.parent),
      CDataView(context, [] { return std::make_unique<CYTSheetDoc>(); }) {
    SetReceiver(this);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(kScrollLineStep);
    verticalScrollBar()->setSingleStep(kScrollLineStep);
    BuildActions();
    const QSize initial = CYTSheetZoom::PictureSize(Sheet().zoom);
    horizontalScrollBar()->setRange(0, initial.width());
    verticalScrollBar()->setRange(0, initial.height());
}

CYTSheetView::~CYTSheetView() = default;

void CYTSheetView::BuildActions() {
    const struct {
        int id;
        const char* text;
        QKeySequence key;
        void (CYTSheetView::*run)();
    } commands[] = {
        {kIdZoomIn, QT_TR_NOOP("Zoom In"), QKeySequence::ZoomIn, &CYTSheetView::ZoomIn},
        {kIdZoomOut, QT_TR_NOOP("Zoom Out"), QKeySequence::ZoomOut, &CYTSheetView::ZoomOut},
        {kIdFit, QT_TR_NOOP("Fit"), QKeySequence(Qt::CTRL | Qt::Key_0), &CYTSheetView::Fit},
        {kIdProperties, QT_TR_NOOP("Properties..."), QKeySequence(), &CYTSheetView::Properties},
    };
    for (const auto& c : commands) {
        auto* a = new QAction(tr(c.text), this);
        a->setData(c.id);
        a->setShortcut(c.key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(a, &QAction::triggered, this, c.run);
        addAction(a);
    }
}

// ---------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------

QPoint CYTSheetView::ScrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPointF CYTSheetView::GraphFromDevice(QPoint device) const {
    return CDSOMapping::GraphFromLogical(CDSOMapping::DeviceToLogical(device + ScrollPosition(), Sheet().zoom));
}

QPoint CYTSheetView::DeviceFromGraph(QPointF graph) const {
    return CYTSheetPainter::Mapping(Sheet().zoom, ScrollPosition())
        .map(CDSOMapping::LogicalFromGraph(graph))
        .toPoint();
}

void CYTSheetView::UpdateScrollSizes() {
    const QSize client = viewport()->size();
    const QSize total = CYTSheetZoom::ScrollSize(client, Sheet().zoom, &m_bScrollNeeded);
    horizontalScrollBar()->setRange(0, total.width() - client.width());
    verticalScrollBar()->setRange(0, total.height() - client.height());
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
    if (!m_bScrollNeeded) m_bPanMode = false;
}

void CYTSheetView::ScrollToCentre() {
    const QPoint scroll = CYTSheetZoom::ScrollForCentre(Sheet().centre, viewport()->size(), Sheet().zoom);
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setValue(scroll.y());
}

void CYTSheetView::ShowZoomText() {
    if (m_toolBar) m_toolBar->ShowZoomText(CYTSheetZoom::ZoomText(Sheet().zoom));
}

void CYTSheetView::SetZoom(float zoom, QPoint centre) {
    Sheet().zoom = CYTSheetZoom::Clamp(zoom);
    Sheet().centre = centre;
    ShowZoomText();
    UpdateScrollSizes();
    ScrollToCentre();
    viewport()->update();
}

void CYTSheetView::ZoomIn() {
    const float z = CYTSheetZoom::ZoomIn(Sheet().zoom);
    SetZoom(z, CYTSheetZoom::ScaleCentre(Sheet().centre, Sheet().zoom, z));
}

void CYTSheetView::ZoomOut() {
    const float z = CYTSheetZoom::ZoomOut(Sheet().zoom);
    SetZoom(z, CYTSheetZoom::ScaleCentre(Sheet().centre, Sheet().zoom, z));
}

void CYTSheetView::Fit() {
    const float z = CYTSheetZoom::Fit(viewport()->size());
    SetZoom(z, CYTSheetZoom::FitCentre(z));
}

void CYTSheetView::SetZoomFactor(double factor) {
    const float z = CYTSheetZoom::Clamp(static_cast<float>(factor));
    SetZoom(z, CYTSheetZoom::ScaleCentre(Sheet().centre, Sheet().zoom, z));
}

void CYTSheetView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollSizes();
}

void CYTSheetView::scrollContentsBy(int, int) { viewport()->update(); }

// ---------------------------------------------------------------------------
// Tool bar
// ---------------------------------------------------------------------------

void CYTSheetView::AddToolBarControls(IChildHost& host) {
    m_toolBar = new CSheetToolBar(host, this);
    connect(m_toolBar, &CSheetToolBar::ZoomChosen, this, &CYTSheetView::SetZoomFactor);
    connect(m_toolBar, &CSheetToolBar::HorizontalScaleChosen, this, &CYTSheetView::ApplyHorizontalScale);
    connect(m_toolBar, &CSheetToolBar::VerticalScaleChosen, this, &CYTSheetView::ApplyVerticalScale);
    ShowZoomText();
}

// The scale selectors go while the sheet runs and in X-Y.
void CYTSheetView::UpdateCommandStates() {
    if (m_toolBar) m_toolBar->SetSelectorsVisible(!IsRunning() && Sheet().ScaleSelectorsApply());
}

void CYTSheetView::ShowScales(const SheetSelectorState& selectors) {
    if (m_toolBar) m_toolBar->ShowScales(selectors);
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

SheetPaintOptions CYTSheetView::ScreenPaintOptions() const {
    SheetPaintOptions options;
    options.size = viewport()->size();
    options.scroll = ScrollPosition();
    SharedShowFlags(options.show);
    return options;
}

void CYTSheetView::paintEvent(QPaintEvent*) {
    SheetPaintOptions options = ScreenPaintOptions();
    if (m_bRubberBand) options.rubberBand = m_rubberBand;
    const QImage picture = CYTSheetPainter::Render(Sheet(), options);
    QPainter painter(viewport());
    painter.drawImage(0, 0, picture);
    UpdateStatusPanes();
}

QImage CYTSheetView::ClientPicture() { return CYTSheetPainter::Render(Sheet(), ScreenPaintOptions()); }

void CYTSheetView::UpdateStatusPanes() {
    const int language = LanguageIndex();
    const int style = Sheet().trace[kTraceCH1].GetDisplayStyle() == WFM_DOTS ? 0 : 1;
    SetStatusText(kPanePercent, QStringLiteral("0%"));
    SetStatusText(kPaneRunState, QString::fromStdString(szStatus[Sheet().online ? 1 : 0][language]));
    SetStatusText(kPaneColorMode,
                  QString::fromStdString(szColor[Sheet().colorMode == COLOR_MODE_BW ? 1 : 0][language]));
    SetStatusText(kPaneDisplayType, QString::fromStdString(szStyle[style][language]));
}

// ---------------------------------------------------------------------------
// Acquisition
// ---------------------------------------------------------------------------

bool CYTSheetView::event(QEvent* e) {
    if (HandleViewEvent(e)) return true;
    if (e->type() == static_cast<QEvent::Type>(kMsgReceiveTime)) {
        if (IShell* shell = Shell()) shell->AppendMessage(ReceiveTimeLine(QTime::currentTime()));
        return true;
    }
    return QAbstractScrollArea::event(e);
}

QString CYTSheetView::ReceiveTimeLine(const QTime& t) {
    return QString::asprintf("收到数据时间：%02d:%02d:%02d:%03d", t.hour(), t.minute(), t.second(), t.msec());
}

void CYTSheetView::OnAcquisition(const tagAcquisitionSnapshot& snapshot) {
    CYTSheetData& sheet = Sheet();
    const int32_t length = std::max(RecordLength(), 1);
    if (length != sheet.pointsPerTrace) {
        sheet.pointsPerTrace = length;
        for (CDSOWaveform& t : sheet.trace) t.MallocMem(static_cast<uint32_t>(length));
    }
    const SheetUpdateResult result = UpdateFromSnapshot(sheet, snapshot);
    if (!result.ok) TellUser(this, result.message);
    ShowScales(result.selectors);
    viewport()->update();
}

void CYTSheetView::ClearTraces() {
    Sheet().trace[kTraceCH1].RemoveAllPoint();
    Sheet().trace[kTraceCH2].RemoveAllPoint();
    viewport()->update();
}

void CYTSheetView::OnStartRun() {
    Sheet().online = 1;
    ReturnToAcquiredScales(Sheet());
    viewport()->update();
}

void CYTSheetView::OnStopRun() {
    Sheet().online = 0;
    viewport()->update();
}

void CYTSheetView::ApplyHorizontalScale(int index, double scale) {
    if (RescaleSelectedHorizontally(Sheet(), index, scale)) viewport()->update();
}

void CYTSheetView::ApplyVerticalScale(int index, double scale) {
    if (RescaleSelectedVertically(Sheet(), index, scale)) viewport()->update();
}

// ---------------------------------------------------------------------------
// Files, export and printing
// ---------------------------------------------------------------------------

std::pair<QRect, QPoint> CYTSheetView::Placement() const {
    const QWidget* frame = Host() ? Host()->FrameWidget() : nullptr;
    return {frame ? frame->geometry() : QRect(), ScrollPosition()};
}

void CYTSheetView::BeforeStore() {
    if (m_restoredPlacement == Placement()) return;
    CYTSheetData& sheet = Sheet();
    sheet.scrollPos = ScrollPosition();
    sheet.clientRect = viewport()->rect();
    if (QWidget* frame = Host() ? Host()->FrameWidget() : nullptr) {
        sheet.frameRect = frame->geometry();
        sheet.showState = frame->isMaximized() ? 3 : frame->isMinimized() ? 2 : 1;
    }
    m_restoredPlacement.reset();
}

// The window takes the stored placement when it is a plausible one.
void CYTSheetView::RestorePlacement() {
    const CYTSheetData& sheet = Sheet();
    if (QWidget* frame = Host() ? Host()->FrameWidget() : nullptr) {
        const QRect r = sheet.frameRect;
        if (std::min(r.width(), r.height()) >= kMinFrameSide && std::max(r.width(), r.height()) < kMaxFrameSide)
            frame->setGeometry(r);
        if (sheet.showState == 3) frame->showMaximized();
    }
    UpdateScrollSizes();
    const QPoint scroll = sheet.clientRect.topLeft() + sheet.scrollPos;
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setValue(scroll.y());
    m_restoredPlacement = Placement();
}

// A sheet just read replaces the shown one.
void CYTSheetView::OnDocumentReplaced() {
    CYTSheetData& sheet = Sheet();
    sheet.online = IsRunning() ? 1 : 0;
    sheet.pointsPerTrace = std::max(sheet.pointsPerTrace, 1);
    ChangeRecordLength(sheet.pointsPerTrace);
    ShowZoomText();
    ShowScales(SheetSelectors(sheet));
    RestorePlacement();
    viewport()->update();
}

int CYTSheetView::WriteExport(const QString& path, QString* error) {
    return CBitmapWriter::Save(path, ClientPicture(), kExportBitsPerPixel, error);
}

QFont CYTSheetView::PrintFont() const {
    QFont font = Sheet().textFont;
    font.setPointSizeF(kPrintPointSize);
    return font;
}

QImage CYTSheetView::PrintPicture(int, bool blackWhite) {
    CYTSheetData& sheet = Sheet();
    sheet.printBlackWhite = blackWhite ? 1 : 0;
    SheetPaintOptions options;
    options.size = QSize(static_cast<int>(vwBaseWidth * sheet.zoom) + kPrintMarginPx,
                         static_cast<int>(vwBaseHeight * sheet.zoom) + kPrintMarginPx);
    options.printing = true;
    SharedShowFlags(options.show);
    return CYTSheetPainter::Render(sheet, options);
}

// ---------------------------------------------------------------------------
// Properties
// ---------------------------------------------------------------------------

void CYTSheetView::Properties() {
    CYTSheetPropertiesDialog dialog(Sheet(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.Apply(Sheet());
    RefreshCursorReadout(Sheet());
    viewport()->update();
}

// ---------------------------------------------------------------------------
// Mouse and keys
// ---------------------------------------------------------------------------

CYTSheetView::Target CYTSheetView::HitTest(QPoint g) const {
    const CYTSheetData& s = Sheet();
    if (s.cursor[0].IsSelLine(g)) return Target::Cursor1;
    if (s.cursor[1].IsSelLine(g)) return Target::Cursor2;
    if (s.cursorInfo.IsSelRect(g)) return Target::CursorInfo;
    if (s.scaleInfoDrawn && s.scaleInfo.IsSelRect(g)) return Target::ScaleInfo;
    for (int i = 0; i < kTraceCount; ++i)
        if (s.block[i].IsSelRect(g)) return static_cast<Target>(static_cast<int>(Target::Block1) + i);
    if (s.rail.IsSelRect(g)) return Target::Rail;
    return Target::None;
}

void CYTSheetView::Hover(QPoint g) {
    CYTSheetData& s = Sheet();
    const Target hit = HitTest(g);
    s.cursor[0].SetFocus(hit == Target::Cursor1);
    s.cursor[1].SetFocus(hit == Target::Cursor2);
    s.cursorInfo.SetFocus(hit == Target::CursorInfo);
    s.scaleInfo.SetFocus(hit == Target::ScaleInfo);
    for (int i = 0; i < kTraceCount; ++i) s.block[i].SetFocus(BlockIndex(hit) == i);
    s.rail.SetFocus(hit == Target::Rail);
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (m_bPanMode)
        shape = m_bPanDrag ? Qt::ClosedHandCursor : Qt::OpenHandCursor;
    else if (const int c = CursorIndex(hit); c >= 0)
        shape = s.cursor[c].GetCursorType() == CDSOCursor::CURSOR_VERTICAL ? Qt::SizeHorCursor : Qt::SizeVerCursor;
    else if (hit == Target::CursorInfo || hit == Target::ScaleInfo)
        shape = Qt::SizeAllCursor;
    else if (BlockIndex(hit) >= 0)
        shape = Qt::SizeVerCursor;
    else if (hit == Target::Rail)
        shape = Qt::SizeHorCursor;
    viewport()->setCursor(shape);
}

void CYTSheetView::Select(QPoint g) {
    CYTSheetData& s = Sheet();
    m_selected = HitTest(g);
    if (const int c = CursorIndex(m_selected); c >= 0) {
        CDSOCursor& cursor = s.cursor[c];
        CDSOCursor& fellow = s.cursor[1 - c];
        cursor.SetSelFlag(1);
        fellow.SetFellowSelFlag(cursor.GetTrackFlag());
        for (CDSOCursor* each : {&cursor, &fellow}) {
            each->SetPrePos(each->GetPos());
            each->SetPrePenStyle(each->GetPenStyle());
        }
    } else if (const int b = BlockIndex(m_selected); b >= 0) {
        s.EnableBlock(b);
        for (int i = 0; i < kTraceCount; ++i) s.trace[i].SetWfmFocus(i == b);
        s.block[b].SetSelFlag(1);
        s.block[b].SetMoveStart(g.y());
    } else if (m_selected == Target::Rail) {
        s.rail.SetSelFlag(1);
        s.rail.SetMoveStart(g.x());
    } else if (m_selected == Target::CursorInfo) {
        s.cursorInfo.SetSelFlag(1);
    } else if (m_selected == Target::ScaleInfo) {
        s.scaleInfo.SetSelFlag(1);
    }
    RefreshReadoutBases(s);
}

void CYTSheetView::Drag(QPoint g) {
    CYTSheetData& s = Sheet();
    const QPoint delta = g - m_lastGraph;
    if (const int c = CursorIndex(m_selected); c >= 0) {
        const QPoint moved = s.cursor[c].MoveCursor(g);
        if (s.cursor[c].GetTrackFlag()) s.cursor[1 - c].MoveBy(moved);
        RefreshCursorReadout(s);
    } else if (m_selected == Target::CursorInfo) {
        s.cursorInfo.MoveInfo(delta);
    } else if (m_selected == Target::ScaleInfo) {
        s.scaleInfo.MoveInfo(delta);
    } else if (const int b = BlockIndex(m_selected); b >= 0) {
        s.block[b].MoveBlock(g.y());
    } else if (m_selected == Target::Rail) {
        s.rail.MoveRail(g.x());
    }
}

void CYTSheetView::Release(QPoint g) {
    CYTSheetData& s = Sheet();
    if (const int b = BlockIndex(m_selected); b >= 0) {
        s.block[b].SetMoveEnd(g.y());
        const int d = s.block[b].GetMoveDistance();
        s.trace[b].SetDisplacement(0, d);
        for (CDSOCursor& c : s.cursor) c.SetDisplacement(0, d);
    } else if (m_selected == Target::Rail) {
        s.rail.SetMoveEnd(g.x());
        const int d = s.rail.GetMoveDistance();
        s.trace[std::clamp(s.rail.GetRailID() - 1, 0, kTraceCount - 1)].SetDisplacement(d, 0);
        for (CDSOCursor& c : s.cursor) c.SetDisplacement(d, 0);
    }
    for (CDSOCursor& c : s.cursor) {
        c.SetSelFlag(0);
        c.SetFellowSelFlag(0);
    }
    for (CDSOMoveBlock& b : s.block) b.SetSelFlag(0);
    s.rail.SetSelFlag(0);
    s.cursorInfo.SetSelFlag(0);
    s.scaleInfo.SetSelFlag(0);
    RefreshReadoutBases(s);
    RefreshCursorReadout(s);
    m_selected = Target::None;
}

// The rubber band's centre comes to the middle of the window one zoom step up.
void CYTSheetView::FinishWindowZoom() {
    m_bRubberBand = false;
    m_bWindowZoomArmed = false;
    const QRectF band = m_rubberBand.normalized();
    const QPoint centre = CYTSheetPainter::Mapping(Sheet().zoom, QPoint()).map(band.center()).toPoint();
    const float z = CYTSheetZoom::ZoomIn(Sheet().zoom);
    SetZoom(z, CYTSheetZoom::ScaleCentre(centre, Sheet().zoom, z));
}

void CYTSheetView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(e);
    const QPoint device = e->position().toPoint();
    const QPointF graph = GraphFromDevice(device);
    m_bButtonDown = true;
    m_lastMouse = device;
    m_lastGraph = graph.toPoint();
    if (m_bPanMode) {
        m_bPanDrag = true;
        viewport()->setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (m_bWindowZoomArmed) {
        m_bRubberBand = true;
        const QPointF logical = CDSOMapping::LogicalFromGraph(graph);
        m_rubberBand = QRectF(logical, logical);
        return;
    }
    Select(graph.toPoint());
    viewport()->update();
}

void CYTSheetView::mouseMoveEvent(QMouseEvent* e) {
    const QPoint device = e->position().toPoint();
    const QPoint graph = GraphFromDevice(device).toPoint();
    if (!m_bButtonDown) {
        Hover(graph);
        viewport()->update();
        return;
    }
    if (m_bPanDrag) {
        const QPoint d = m_lastMouse - device;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + d.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() + d.y());
    } else if (m_bRubberBand) {
        m_rubberBand.setBottomRight(CDSOMapping::LogicalFromGraph(GraphFromDevice(device)));
    } else {
        Drag(graph);
    }
    m_lastMouse = device;
    m_lastGraph = graph;
    viewport()->update();
}

void CYTSheetView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(e);
    m_bButtonDown = false;
    const QPoint graph = GraphFromDevice(e->position().toPoint()).toPoint();
    if (m_bPanDrag) {
        m_bPanDrag = false;
        viewport()->setCursor(Qt::OpenHandCursor);
    } else if (m_bRubberBand) {
        m_rubberBand.setBottomRight(CDSOMapping::LogicalFromGraph(graph));
        FinishWindowZoom();
    } else {
        Release(graph);
    }
    viewport()->update();
}

void CYTSheetView::Displace(int dx, int dy) {
    Sheet().trace[kTraceCH1].SetDisplacement(dx, dy);
    for (CDSOCursor& c : Sheet().cursor) c.SetDisplacement(dx, dy);
    RefreshCursorReadout(Sheet());
    viewport()->update();
}

void CYTSheetView::keyReleaseEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Left: return Displace(-kArrowStep, 0);
    case Qt::Key_Right: return Displace(kArrowStep, 0);
    case Qt::Key_Up: return Displace(0, kArrowStep);
    case Qt::Key_Down: return Displace(0, -kArrowStep);
    default: QAbstractScrollArea::keyReleaseEvent(e);
    }
}

void CYTSheetView::wheelEvent(QWheelEvent* e) { e->accept(); }

void CYTSheetView::contextMenuEvent(QContextMenuEvent* e) { ShowContextMenu(e); }

void CYTSheetView::AddViewMenuItems(QMenu& menu) {
    for (const char* text : {QT_TR_NOOP("Cu&t"), QT_TR_NOOP("&Copy"), QT_TR_NOOP("&Paste")})
        menu.addAction(tr(text))->setEnabled(false);
    menu.addSeparator();
    menu.addAction(tr("Properties..."), this, &CYTSheetView::Properties);
    menu.addSeparator();
    menu.addAction(tr("Zoom In"), this, &CYTSheetView::ZoomIn);
    menu.addAction(tr("Zoom Out"), this, &CYTSheetView::ZoomOut);
    menu.addAction(tr("Fit"), this, &CYTSheetView::Fit);
    QAction* windowZoom = menu.addAction(tr("Window Zoom"), this, &CYTSheetView::ToggleWindowZoom);
    windowZoom->setCheckable(true);
    windowZoom->setChecked(m_bWindowZoomArmed);
    QAction* pan = menu.addAction(tr("Pan"), this, [this] { SetPanMode(true); });
    pan->setCheckable(true);
    pan->setChecked(m_bPanMode);
    pan->setEnabled(m_bScrollNeeded);
    menu.addAction(tr("Select"), this, [this] { SetPanMode(false); });
}

// ---------------------------------------------------------------------------
// Registration
// ---------------------------------------------------------------------------

namespace {
std::unique_ptr<IChildView> MakeSheet(const ChildViewContext& context) {
    return std::make_unique<CYTSheetView>(context);
}
}  // namespace

QV_CHILD_VIEW("YTSheet", MakeSheet);
