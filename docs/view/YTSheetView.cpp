#include "docs/view/YTSheetView.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScrollBar>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cmath>
#include <mutex>

#include "app/ChildFrame.h"
#include "ui/DocKinds.h"
#include "app/MainFrame.h"
#include "ui/ScaleSelectors.h"
#include "ui/UserPrompts.h"
#include "corvane/MessageTables.h"
#include "corvane/ScaleConversion.h"
#include "docs/DSOMapping.h"
#include "docs/WfmFile.h"
#include "docs/BitmapWriter.h"
#include "docs/YTSheetPainter.h"
#include "docs/YTSheetScales.h"
#include "docs/YTSheetZoom.h"
#include "docs/view/YTSheetPropertiesDialog.h"
#include "link/LinkMessages.h"
#include "link/LinkSession.h"

namespace {

constexpr int kArrowStep = 50;        // graph units per arrow key
constexpr int kScrollLineStep = 20;   // pixels per scroll-bar line
constexpr int kPrintMarginMm = 25;
constexpr int kHeaderBandMm = 18;
constexpr int kFooterBandMm = 10;

const char* const kBitmapFilter = "Bitmap Files (*.bmp);;All Files (*)";
const char* const kWfmFilter = "Wfm File (*.wfm);;All Files (*)";

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

QString VoltEntryText(int index, int probe) {
    return CYTSheetPainter::VoltText(static_cast<double>(CalcVoltBase(index + 1, probe)) * 1000.0);
}

void SharedShowFlags(int32_t out[3]) {
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    for (int i = 0; i < 3; ++i) out[i] = g_wfmShow[i];
}

}  // namespace

CYTSheetView::CYTSheetView(CLinkSession* session, QWidget* parent)
    : QAbstractScrollArea(parent), m_sheet(std::make_unique<CYTSheetData>()), m_session(session),
      m_recordLength(m_sheet->pointsPerTrace) {
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(kScrollLineStep);
    verticalScrollBar()->setSingleStep(kScrollLineStep);
    BuildActions();
    const QSize initial = CYTSheetZoom::PictureSize(m_sheet->zoom);
    horizontalScrollBar()->setRange(0, initial.width());
    verticalScrollBar()->setRange(0, initial.height());
}

CYTSheetView::~CYTSheetView() = default;

CChildFrame* CYTSheetView::Frame() const { return CChildFrame::Of(const_cast<CYTSheetView*>(this)); }

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
    return CDSOMapping::GraphFromLogical(CDSOMapping::DeviceToLogical(device + ScrollPosition(), m_sheet->zoom));
}

QPoint CYTSheetView::DeviceFromGraph(QPointF graph) const {
    return CYTSheetPainter::Mapping(m_sheet->zoom, ScrollPosition())
        .map(CDSOMapping::LogicalFromGraph(graph))
        .toPoint();
}

void CYTSheetView::UpdateScrollSizes() {
    const QSize client = viewport()->size();
    const QSize total = CYTSheetZoom::ScrollSize(client, m_sheet->zoom, &m_bScrollNeeded);
    horizontalScrollBar()->setRange(0, total.width() - client.width());
    verticalScrollBar()->setRange(0, total.height() - client.height());
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
    if (!m_bScrollNeeded) m_bPanMode = false;
}

void CYTSheetView::ScrollToCentre() {
    const QPoint scroll = CYTSheetZoom::ScrollForCentre(m_sheet->centre, viewport()->size(), m_sheet->zoom);
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setValue(scroll.y());
}

void CYTSheetView::ShowZoomText() {
    if (CChildFrame* frame = Frame(); frame && frame->ZoomBox())
        frame->ZoomBox()->setEditText(CYTSheetZoom::ZoomText(m_sheet->zoom));
}

void CYTSheetView::SetZoom(float zoom, QPoint centre) {
    m_sheet->zoom = CYTSheetZoom::Clamp(zoom);
    m_sheet->centre = centre;
    ShowZoomText();
    UpdateScrollSizes();
    ScrollToCentre();
    viewport()->update();
}

void CYTSheetView::ZoomIn() {
    const float z = CYTSheetZoom::ZoomIn(m_sheet->zoom);
    SetZoom(z, CYTSheetZoom::ScaleCentre(m_sheet->centre, m_sheet->zoom, z));
}

void CYTSheetView::ZoomOut() {
    const float z = CYTSheetZoom::ZoomOut(m_sheet->zoom);
    SetZoom(z, CYTSheetZoom::ScaleCentre(m_sheet->centre, m_sheet->zoom, z));
}

void CYTSheetView::Fit() {
    const float z = CYTSheetZoom::Fit(viewport()->size());
    SetZoom(z, CYTSheetZoom::FitCentre(z));
}

void CYTSheetView::SetZoomFactor(double factor) {
    const float z = CYTSheetZoom::Clamp(static_cast<float>(factor));
    SetZoom(z, CYTSheetZoom::ScaleCentre(m_sheet->centre, m_sheet->zoom, z));
}

void CYTSheetView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollSizes();
}

void CYTSheetView::scrollContentsBy(int, int) { viewport()->update(); }

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

void CYTSheetView::paintEvent(QPaintEvent*) {
    SheetPaintOptions options;
    options.size = viewport()->size();
    options.scroll = ScrollPosition();
    if (m_bRubberBand) options.rubberBand = m_rubberBand;
    SharedShowFlags(options.show);
    const QImage picture = CYTSheetPainter::Render(*m_sheet, options);
    QPainter painter(viewport());
    painter.drawImage(0, 0, picture);
    UpdateStatusPanes();
}

QImage CYTSheetView::ClientPicture() {
    SheetPaintOptions options;
    options.size = viewport()->size();
    options.scroll = ScrollPosition();
    SharedShowFlags(options.show);
    return CYTSheetPainter::Render(*m_sheet, options);
}

void CYTSheetView::UpdateStatusPanes() {
    CChildFrame* frame = Frame();
    if (!frame) return;
    const QList<QLabel*> panes = frame->StatusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    if (panes.size() < 4) return;
    const int language = LanguageIndex();
    const int style = m_sheet->trace[kTraceCH1].GetDisplayStyle() == WFM_DOTS ? 0 : 1;
    panes[0]->setText(QStringLiteral("0%"));
    panes[1]->setText(QString::fromStdString(szStatus[m_sheet->online ? 1 : 0][language]));
    panes[2]->setText(QString::fromStdString(szColor[m_sheet->colorMode == COLOR_MODE_BW ? 1 : 0][language]));
    panes[3]->setText(QString::fromStdString(szStyle[style][language]));
}

// ---------------------------------------------------------------------------
// Acquisition
// ---------------------------------------------------------------------------

bool CYTSheetView::event(QEvent* e) {
    if (e->type() == static_cast<QEvent::Type>(kMsgWaveformSheetUpdate)) {
        OnAcquisition();
        return true;
    }
    if (e->type() == static_cast<QEvent::Type>(kMsgReceiveTime)) {
        if (CMainFrame* main = CMainFrame::Instance()) main->AppendMessage(ReceiveTimeLine(QTime::currentTime()));
        return true;
    }
    return QAbstractScrollArea::event(e);
}

QString CYTSheetView::ReceiveTimeLine(const QTime& t) {
    return QString::asprintf("收到数据时间：%02d:%02d:%02d:%03d", t.hour(), t.minute(), t.second(), t.msec());
}

void CYTSheetView::ChangeRecordLength(int32_t length) {
    if (length > 0) m_recordLength.store(length);
}

SheetUpdateResult CYTSheetView::OnAcquisition() {
    const int32_t length = m_recordLength.load();
    if (length != m_sheet->pointsPerTrace) {
        m_sheet->pointsPerTrace = length;
        for (CDSOWaveform& t : m_sheet->trace) t.MallocMem(static_cast<uint32_t>(length));
    }
    SheetUpdateResult result = UpdateFromSharedBuffers(*m_sheet);
    if (!result.ok) TellUser(this, result.message);
    ApplySelectors(result.selectors);
    StepProgress();
    viewport()->update();
    return result;
}

void CYTSheetView::ApplySelectors(const SheetSelectorState& s) {
    CChildFrame* frame = Frame();
    if (!frame || s.channel < 0) return;
    frame->SetScaleDomain(s.spectrum ? ScaleDomain::FrequencyDecibel : ScaleDomain::TimeVoltage);
    frame->SetProbeFactor(s.probe);
    frame->SetCustomVerticalScale(s.customVertical);
    auto* vertical = qobject_cast<QComboBox*>(frame->ToolBar()->widgetForAction(frame->Action(kIdVerticalSelector)));
    auto* horizontal =
        qobject_cast<QComboBox*>(frame->ToolBar()->widgetForAction(frame->Action(kIdHorizontalSelector)));
    if (!vertical || !horizontal) return;
    QStringList vTexts, hTexts;
    for (int i = 0; i < kVerticalScaleEntries; ++i)
        vTexts << (s.spectrum ? QStringLiteral("%1dB").arg(CalcDbBase(i + 1))
                   : i == kCustomVerticalEntry ? CYTSheetPainter::VoltText(s.customVertical)
                                               : VoltEntryText(i, s.probe));
    if (s.spectrum)
        for (int i = 0; i < kHorizontalScaleEntries; ++i)
            hTexts << DSOFormatValue(static_cast<double>(CalcFqBase(i + 1)) / 1000.0, QStringLiteral("Hz"));
    else
        hTexts = HorizontalScaleTexts();
    vertical->clear();
    vertical->addItems(vTexts);
    vertical->setCurrentIndex(s.verticalIndex);
    horizontal->clear();
    horizontal->addItems(hTexts);
    horizontal->setCurrentIndex(s.horizontalIndex);
}

void CYTSheetView::StepProgress() {
    CChildFrame* frame = Frame();
    if (!frame || !frame->ProgressBar()) return;
    QProgressBar* bar = frame->ProgressBar();
    bar->setRange(0, 100);
    bar->setValue(100);
    bar->reset();
}

void CYTSheetView::ClearTraces() {
    m_sheet->trace[kTraceCH1].RemoveAllPoint();
    m_sheet->trace[kTraceCH2].RemoveAllPoint();
    viewport()->update();
}

void CYTSheetView::StartRun() {
    m_bRunning = true;
    m_sheet->online = 1;
    ReturnToAcquiredScales(*m_sheet);
    viewport()->update();
}

void CYTSheetView::StopRun() {
    m_bRunning = false;
    m_sheet->online = 0;
    viewport()->update();
}

void CYTSheetView::ApplyHorizontalScale(int index, double scale) {
    if (RescaleSelectedHorizontally(*m_sheet, index, scale)) viewport()->update();
}

void CYTSheetView::ApplyVerticalScale(int index, double scale) {
    if (RescaleSelectedVertically(*m_sheet, index, scale)) viewport()->update();
}

// ---------------------------------------------------------------------------
// Files and workspace
// ---------------------------------------------------------------------------

void CYTSheetView::StoreWindowPlacement() {
    m_sheet->scrollPos = ScrollPosition();
    m_sheet->clientRect = viewport()->rect();
    if (CChildFrame* frame = Frame()) {
        m_sheet->frameRect = frame->geometry();
        m_sheet->showState = frame->isMaximized() ? 3 : frame->isMinimized() ? 2 : 1;
    }
}

// The sheet just read replaces the shown one; the window takes the stored
// placement when it is a plausible one.
void CYTSheetView::ApplyLoadedSheet(std::unique_ptr<CYTSheetData> sheet) {
    sheet->online = m_sheet->online;
    m_sheet = std::move(sheet);
    m_recordLength.store(m_sheet->pointsPerTrace = std::max(m_sheet->pointsPerTrace, 1));
    ShowZoomText();
    if (CChildFrame* frame = Frame()) {
        const QRect r = m_sheet->frameRect;
        if (r.width() >= 100 && r.height() >= 100 && r.width() < 10000 && r.height() < 10000) frame->setGeometry(r);
        if (m_sheet->showState == 3) frame->showMaximized();
    }
    ApplySelectors(SheetSelectors(*m_sheet));
    UpdateScrollSizes();
    const QPoint scroll = m_sheet->clientRect.topLeft() + m_sheet->scrollPos;
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setValue(scroll.y());
    viewport()->update();
}

int CYTSheetView::LoadDocument(const QString& path, QString* error) {
    std::unique_ptr<CYTSheetData> sheet = CWfmFile::Load(path, error);
    if (!sheet) return 0;
    m_doc.SetPathName(path);
    ApplyLoadedSheet(std::move(sheet));
    return 1;
}

int CYTSheetView::SaveDocument(const QString& path, QString* error) {
    StoreWindowPlacement();
    return CWfmFile::Save(path, *m_sheet, error);
}

int CYTSheetView::SerializeState(CArchive& ar) {
    if (ar.IsStoring()) {
        StoreWindowPlacement();
        return CWfmFile::Serialize(ar, *m_sheet);
    }
    auto sheet = std::make_unique<CYTSheetData>();
    if (!CWfmFile::Serialize(ar, *sheet)) return 0;
    sheet->DeriveDisplayState();
    ApplyLoadedSheet(std::move(sheet));
    return 1;
}

bool CYTSheetView::Save(bool saveAs) {
    QString path = m_sheet->filePath;
    if (CWfmFile::NeedsFileDialog(path, saveAs)) {
        path = ChooseFile(this, FileDialogKind::Save, QLatin1String(kWfmFilter), QStringLiteral("*.wfm"));
        if (path.isEmpty()) return false;
        path = CWfmFile::WithExtension(path);
    }
    QString error;
    if (!SaveDocument(path, &error)) {
        TellUser(this, error);
        return false;
    }
    return true;
}

bool CYTSheetView::Export() {
    QString path = ChooseFile(this, FileDialogKind::Save, QLatin1String(kBitmapFilter), QStringLiteral("*.bmp"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)) path += QLatin1String(".bmp");
    QString error;
    if (!CBitmapWriter::Save(path, ClientPicture(), 16, &error)) {
        TellUser(this, QString::fromUtf8(Msg(szExportFileFail)) + QLatin1Char('\n') + error);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Printing
// ---------------------------------------------------------------------------

void CYTSheetView::TogglePrintBlackWhite() { m_sheet->printBlackWhite = m_sheet->printBlackWhite ? 0 : 1; }

void CYTSheetView::PrintPage(QPrinter& printer, int page) {
    printer.setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                           QPageLayout::Millimeter);
    QPainter painter(&printer);
    if (!painter.isActive()) return;
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution()).translated(
        -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    const double dotsPerMm = printer.resolution() / 25.4;
    const int header = static_cast<int>(kHeaderBandMm * dotsPerMm);
    const int footer = static_cast<int>(kFooterBandMm * dotsPerMm);

    QFont font = m_sheet->textFont;
    font.setPointSizeF(12);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top(), area.width(), header), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8(szPrintHeader));
    painter.drawText(QRect(area.left(), area.bottom() - footer, area.width(), footer), Qt::AlignCenter,
                     QStringLiteral("Page: %1").arg(page));

    SheetPaintOptions options;
    const float z = m_sheet->zoom;
    options.size = QSize(static_cast<int>(vwBaseWidth * z) + 60, static_cast<int>(vwBaseHeight * z) + 60);
    options.printing = true;
    SharedShowFlags(options.show);
    const QImage picture = CYTSheetPainter::Render(*m_sheet, options);
    const QRect band(area.left(), area.top() + header, area.width(), area.height() - header - footer);
    // Screen pixels become printer dots at the ratio of the two resolutions,
    // shrunk further when the picture would not fit the page.
    const double screenDpi = std::max(logicalDpiX(), 1);
    double scale = printer.resolution() / screenDpi;
    scale = std::min({scale, band.width() / double(picture.width()), band.height() / double(picture.height())});
    const QSize size(static_cast<int>(picture.width() * scale), static_cast<int>(picture.height() * scale));
    painter.drawImage(QRect(band.topLeft(), size), picture);
}

void CYTSheetView::Print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    g_bPrintProcess = 1;
    if (dialog.exec() == QDialog::Accepted) PrintPage(printer);
    g_bPrintProcess = 0;
}

void CYTSheetView::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintPage(*p); });
    g_bPreview = 1;
    preview.exec();
    g_bPreview = 0;
}

// ---------------------------------------------------------------------------
// Properties
// ---------------------------------------------------------------------------

void CYTSheetView::Properties() {
    CYTSheetPropertiesDialog dialog(*m_sheet, this);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.Apply(*m_sheet);
    RefreshCursorReadout(*m_sheet);
    viewport()->update();
}

// ---------------------------------------------------------------------------
// Mouse and keys
// ---------------------------------------------------------------------------

CYTSheetView::Target CYTSheetView::HitTest(QPoint g) const {
    const CYTSheetData& s = *m_sheet;
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
    CYTSheetData& s = *m_sheet;
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
    CYTSheetData& s = *m_sheet;
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
    CYTSheetData& s = *m_sheet;
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
    CYTSheetData& s = *m_sheet;
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
    const QPoint centre = CYTSheetPainter::Mapping(m_sheet->zoom, QPoint()).map(band.center()).toPoint();
    const float z = CYTSheetZoom::ZoomIn(m_sheet->zoom);
    SetZoom(z, CYTSheetZoom::ScaleCentre(centre, m_sheet->zoom, z));
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
    m_sheet->trace[kTraceCH1].SetDisplacement(dx, dy);
    for (CDSOCursor& c : m_sheet->cursor) c.SetDisplacement(dx, dy);
    RefreshCursorReadout(*m_sheet);
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

void CYTSheetView::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    for (const char* text : {QT_TR_NOOP("Cu&t"), QT_TR_NOOP("&Copy"), QT_TR_NOOP("&Paste")})
        menu.addAction(tr(text))->setEnabled(false);
    menu.addSeparator();
    menu.addAction(tr("Properties..."), this, &CYTSheetView::Properties);
    menu.addAction(tr("Save DataFile"), this, [this] { Save(false); });
    menu.addAction(tr("Save DataFile As..."), this, [this] { Save(true); });
    if (CChildFrame* frame = Frame())
        menu.addAction(tr("Full Screen(&F)\tCtrl+F"), frame, &CChildFrame::ToggleFullScreen);
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
    menu.addSeparator();
    menu.addAction(tr("Export Bitmap..."), this, &CYTSheetView::Export);
    QAction* bw = menu.addAction(tr("Print Black and White"), this, &CYTSheetView::TogglePrintBlackWhite);
    bw->setCheckable(true);
    bw->setChecked(m_sheet->printBlackWhite);
    menu.addAction(tr("Print..."), this, &CYTSheetView::Print);
    menu.addAction(tr("Print Preview"), this, &CYTSheetView::PrintPreview);
    if (CMainFrame* main = CMainFrame::Instance()) {
        menu.addSeparator();
        menu.addAction(tr("Save Workspace"), main, &CMainFrame::SaveWorkspace);
        menu.addAction(tr("Save Workspace As..."), main, &CMainFrame::SaveWorkspaceAs);
    }
    const QPoint at = e->reason() == QContextMenuEvent::Keyboard ? viewport()->mapToGlobal(QPoint(5, 5)) : e->globalPos();
    menu.exec(at);
}

// ---------------------------------------------------------------------------
// Registration
// ---------------------------------------------------------------------------

namespace {
std::unique_ptr<IChildView> MakeSheet(const ChildViewContext& context) {
    return std::make_unique<CYTSheetView>(context.session, context.parent);
}
}  // namespace

QV_CHILD_VIEW("YTSheet", MakeSheet);
