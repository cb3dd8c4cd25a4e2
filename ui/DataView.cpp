#include "ui/DataView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QWidget>

#include <algorithm>

#include "corvane/MessageTables.h"
#include "corvane/ScopedFlag.h"
#include "corvane/SharedState.h"
#include "docs/Archive.h"
#include "ui/ChildHost.h"
#include "ui/PrintJob.h"
#include "ui/Shell.h"
#include "ui/UserPrompts.h"

namespace {
constexpr int kPrintMarginMm = 25;
constexpr int kHeaderBandMm = 18;
constexpr int kFooterBandMm = 10;
constexpr int kProgressStep = 20;            // percent per progress step
constexpr double kHeaderPointSize = 12.0;
const QPoint kKeyboardMenuOffset(5, 5);

QString PercentText(double percent)
{
    return QString::asprintf("%3.0f%s", percent, "%");
}
}  // namespace

CDataView::CDataView(const ChildViewContext& context, DocumentFactory makeDocument)
    : m_kind(context.kind), m_session(context.session), m_shell(context.shell),
      m_makeDocument(std::move(makeDocument)), m_doc(m_makeDocument()), m_recordLength(0)
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    m_recordLength.store(waveDataLen);
}

CDataView::~CDataView() = default;

IShell* CDataView::Shell() const
{
    if (m_shell)
        return m_shell;
    return m_host ? m_host->Shell() : nullptr;
}

QWidget* CDataView::DialogParent()
{
    return m_host ? m_host->FrameWidget() : Widget();
}

void CDataView::AttachHost(IChildHost* host)
{
    m_host = host;
    if (!m_receiver.load())
        m_receiver.store(Widget());
    if (m_host) {
        AddToolBarControls(*m_host);
        ShowRunState();
    }
}

void CDataView::ShowRunState()
{
    SetStatusText(kPaneRunState, QString::fromStdString(szStatus[m_bRunning ? 1 : 0][LanguageIndex()]));
}

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

void CDataView::ReplaceDocument(std::unique_ptr<CDataDoc> doc)
{
    doc->SetTitle(doc->HasPath() ? doc->PathName() : m_doc->Title());
    m_doc = std::move(doc);
    OnDocumentReplaced();
    if (QWidget* w = Widget())
        w->update();
}

int CDataView::LoadDocument(const QString& path, QString* error)
{
    std::unique_ptr<CDataDoc> doc = m_makeDocument();
    CScopedFlag reading(g_bFileProcess);
    if (!doc->LoadFile(path, error))
        return 0;
    ReplaceDocument(std::move(doc));
    return 1;
}

int CDataView::SaveDocument(const QString& path, QString* error)
{
    BeforeStore();
    CScopedFlag writing(g_bFileProcess);
    return m_doc->SaveFile(path, error);
}

bool CDataView::SaveCommand(bool saveAs)
{
    const QString extension = QLatin1String(m_kind->extension);
    QString path = m_doc->PathName();
    if (saveAs || !m_doc->HasPath()) {
        path = ChooseFile(DialogParent(), FileDialogKind::Save, FileDialogFilter(*m_kind),
                          QStringLiteral("*") + extension);
        if (path.isEmpty())
            return false;
        if (path.right(extension.size()) != extension)
            path += extension;
    }
    QString error;
    if (SaveDocument(path, &error))
        return true;
    TellUser(DialogParent(), error.isEmpty() ? tr("Can not write %1.").arg(path) : error);
    return false;
}

int CDataView::SerializeState(CArchive& ar)
{
    if (ar.IsStoring()) {
        BeforeStore();
        return m_doc->Serialize(ar);
    }
    std::unique_ptr<CDataDoc> doc = m_makeDocument();
    if (!doc->Serialize(ar) || ar.Failed())
        return 0;
    ReplaceDocument(std::move(doc));
    return 1;
}

// ---------------------------------------------------------------------------
// Run, stop and updates
// ---------------------------------------------------------------------------

void CDataView::StartRun()
{
    m_bRunning = true;
    ShowRunState();
    OnStartRun();
    if (QWidget* w = Widget())
        w->update();
}

void CDataView::StopRun()
{
    m_bRunning = false;
    ShowRunState();
    OnStopRun();
    if (QWidget* w = Widget())
        w->update();
}

void CDataView::ChangeRecordLength(int32_t length)
{
    if (length > 0)
        m_recordLength.store(length);
}

bool CDataView::HandleViewEvent(QEvent* e)
{
    if (e->type() != static_cast<QEvent::Type>(UpdateMessageOf(*m_kind)))
        return false;
    UpdateFromAcquisition();
    return true;
}

void CDataView::UpdateFromAcquisition()
{
    OnAcquisition(TakeAcquisitionSnapshot());
    StepProgress();
    if (QWidget* w = Widget())
        w->update();
}

void CDataView::SetStatusText(int pane, const QString& text)
{
    if (m_host)
        m_host->SetStatusText(pane, text);
}

void CDataView::StepProgress()
{
    QProgressBar* bar = m_host ? m_host->ProgressBar() : nullptr;
    if (bar)
        bar->setRange(0, 100);
    for (int percent = kProgressStep; percent <= 100; percent += kProgressStep) {
        if (bar)
            bar->setValue(percent);
        SetStatusText(kPanePercent, PercentText(percent));
    }
    if (bar)
        bar->reset();
    SetStatusText(kPanePercent, QStringLiteral("0%"));
}

// ---------------------------------------------------------------------------
// Export and printing
// ---------------------------------------------------------------------------

bool CDataView::ExportCommand()
{
    const char* filter = ExportFilter();
    if (!filter)
        return false;
    QString path = ChooseFile(DialogParent(), FileDialogKind::Save, FileDialogFilter(filter), ExportInitialName());
    if (path.isEmpty())
        return false;
    if (const char* ending = ExportExtension(); ending && !path.endsWith(QLatin1String(ending), Qt::CaseInsensitive))
        path += QLatin1String(ending);
    QString error;
    CScopedFlag writing(g_bFileProcess);
    if (WriteExport(path, &error))
        return true;
    TellUser(DialogParent(), QString::fromUtf8(Msg(szExportFileFail)) + QLatin1Char('\n') + error);
    return false;
}

QFont CDataView::PrintFont() const
{
    QFont font(QStringLiteral("楷体_GB2312"));
    font.setPointSizeF(kHeaderPointSize);
    return font;
}

void CDataView::PrintPage(QPrinter& printer, int page)
{
    printer.setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                           QPageLayout::Millimeter);
    QPainter painter(&printer);
    if (!painter.isActive())
        return;
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect area = paint.translated(-paint.topLeft());
    const double dotsPerMm = printer.resolution() / 25.4;
    const int header = static_cast<int>(kHeaderBandMm * dotsPerMm);
    const int footer = static_cast<int>(kFooterBandMm * dotsPerMm);

    painter.setFont(PrintFont());
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top(), area.width(), header), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8(szPrintHeader));
    painter.drawText(QRect(area.left(), area.bottom() - footer, area.width(), footer), Qt::AlignCenter,
                     QStringLiteral("Page: %1").arg(page));

    const QImage picture = PrintPicture(page, m_bPrintBlackWhite);
    if (picture.isNull())
        return;
    const QRect band(area.left(), area.top() + header, area.width(), area.height() - header - footer);
    // Screen pixels become printer dots at the ratio of the two resolutions,
    // shrunk further when the picture would not fit the page.
    const QWidget* w = Widget();
    const double screenDpi = std::max(w ? w->logicalDpiX() : 96, 1);
    double scale = printer.resolution() / screenDpi;
    scale = std::min({scale, band.width() / double(picture.width()), band.height() / double(picture.height())});
    const QSize size(static_cast<int>(picture.width() * scale), static_cast<int>(picture.height() * scale));
    painter.drawImage(QRect(band.topLeft(), size), picture);
}

void CDataView::PrintCommand()
{
    PrintThroughDialog(DialogParent(), PrintPageCount(), [this](QPrinter& p, int page) { PrintPage(p, page); });
}

void CDataView::PrintPreviewCommand()
{
    ShowPrintPreview(DialogParent(), PrintPageCount(), [this](QPrinter& p, int page) { PrintPage(p, page); });
}

// ---------------------------------------------------------------------------
// Context menu
// ---------------------------------------------------------------------------

void CDataView::AddCommonMenuItems(QMenu& menu)
{
    menu.addAction(tr("Save DataFile"), [this] { SaveCommand(false); });
    menu.addAction(tr("Save DataFile As..."), [this] { SaveCommand(true); });
    if (ExportFilter())
        menu.addAction(tr("&Export..."), [this] { ExportCommand(); });
    if (m_host)
        menu.addAction(tr("Full Screen(&F)\tCtrl+F"), [this] { m_host->ToggleFullScreen(); });
    menu.addSeparator();
    QAction* bw = menu.addAction(tr("Print Black and White"), [this] { TogglePrintBlackWhite(); });
    bw->setCheckable(true);
    bw->setChecked(m_bPrintBlackWhite);
    menu.addAction(tr("Print..."), [this] { PrintCommand(); });
    menu.addAction(tr("Print Preview"), [this] { PrintPreviewCommand(); });
    if (IShell* shell = Shell()) {
        menu.addSeparator();
        menu.addAction(tr("Save Workspace"), [shell] { shell->SaveWorkspace(); });
        menu.addAction(tr("Save Workspace As..."), [shell] { shell->SaveWorkspaceAs(); });
    }
}

void CDataView::ShowContextMenu(QContextMenuEvent* e)
{
    QWidget* w = Widget();
    QMenu menu(w);
    AddViewMenuItems(menu);
    if (!menu.isEmpty())
        menu.addSeparator();
    AddCommonMenuItems(menu);
    const QPoint at = e->reason() == QContextMenuEvent::Keyboard ? w->mapToGlobal(kKeyboardMenuOffset) : e->globalPos();
    menu.exec(at);
}
