#include "analysis/view/Analyse_BusView.h"

#include "analysis/view/AnalyseView.h"
#include "analysis/view/BusSettingsPanel.h"
#include "analysis/view/InputView.h"
#include "ui/ChildHost.h"
#include "ui/DocKinds.h"
#include "ui/PrintJob.h"
#include "ui/Shell.h"
#include "ui/UserPrompts.h"
#include "corvane/MessageTables.h"
#include "corvane/ScaleConversion.h"
#include "corvane/SharedState.h"
#include "docs/BusFile.h"
#include "docs/BitmapWriter.h"
#include "link/LinkMessages.h"
#include "link/LinkSession.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <mutex>

namespace {

constexpr int kPrintMarginMm = 20;
const char* const kBusFilter = "Bus File (*.bus);;All Files (*)";
const char* const kBitmapFilter = "Bitmap Files (*.bmp);;All Files (*)";

std::atomic<int> g_openBusWindows{0};

QString Text(const std::string& s) { return QString::fromStdString(s); }

} // namespace

int CAnalyse_BusView::OpenCount() { return g_openBusWindows.load(); }

CAnalyse_BusView::CAnalyse_BusView(CLinkSession* session, QWidget* parent)
    : QWidget(parent), m_data(std::make_unique<CBusAnalysisData>()), m_session(session) {
    ++g_openBusWindows;
    if (LanguageIndex() == 1) m_data->numberBaseName = "十六进制";
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_input = new CInputView(this);
    m_analysis = new CAnalyseView(*m_data, this);
    m_panel = new CBusSettingsPanel(*m_data, this);
    layout->addWidget(m_input, 2);
    layout->addWidget(m_analysis, 3);
    layout->addWidget(m_panel, 0);
    connect(m_panel, &CBusSettingsPanel::changed, this, &CAnalyse_BusView::Redecode);
    ShowRecords();
}

CAnalyse_BusView::~CAnalyse_BusView() { --g_openBusWindows; }

QWidget* CAnalyse_BusView::Frame() const { return m_host ? m_host->FrameWidget() : nullptr; }

// ---------------------------------------------------------------------------
// Transfers and decoding
// ---------------------------------------------------------------------------

bool CAnalyse_BusView::event(QEvent* e) {
    if (e->type() == static_cast<QEvent::Type>(kMsgBusAnalysisUpdate)) {
        OnTransfer();
        return true;
    }
    return QWidget::event(e);
}

int CAnalyse_BusView::OnTransfer() {
    float timeBase = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        m_data->TakeRecords(ADBufferCH1, ADBufferCH2, std::max(waveDataLen, 0));
        timeBase = static_cast<float>(CalcTimeBase(g_wfmParam.nTimeBaseIndex + 1));
    }
    m_panel->SetTimeBase(timeBase);
    m_data->timeBase = timeBase;
    StepProgress();
    return Redecode();
}

int CAnalyse_BusView::Redecode() {
    const int dots = WaveDots > 0 ? WaveDots : CBusDecoder::kDefaultSamplesPerDivision;
    const int ok = m_data->Decode(dots);
    const QString status = ok ? QString() : Text(m_data->Decoder().Status());
    m_analysis->SetStatus(status);
    if (m_host && m_host->StatusBar()) m_host->StatusBar()->showMessage(status);
    ShowRecords();
    return ok;
}

void CAnalyse_BusView::ShowRecords() {
    m_input->SetRecords(m_data->ch1, m_data->ch2);
    m_input->SetTraceNames(QStringLiteral("CH1 ") + Text(m_data->lineNames[0]),
                           QStringLiteral("CH2 ") + Text(m_data->lineNames[1]));
    m_analysis->update();
}

void CAnalyse_BusView::StepProgress() {
    QProgressBar* bar = m_host ? m_host->ProgressBar() : nullptr;
    if (!bar) return;
    bar->setRange(0, 100);
    bar->setFormat(QString::asprintf("%3.0f%s", 100.0, "%"));
    bar->setValue(100);
    bar->reset();
}

int CAnalyse_BusView::SetAreaColour(const QString& area, const QColor& colour) {
    static const QStringList kAreas{QStringLiteral("BACK"), QStringLiteral("CH1"), QStringLiteral("CH2"),
                                    QStringLiteral("Res1"), QStringLiteral("Res2")};
    const int index = static_cast<int>(kAreas.indexOf(area));
    if (index < 0) return 0;
    m_data->colours[index] = ColorRefOf(colour);
    if (index == kBusBack) update(); // the whole client area
    return 1;
}

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

void CAnalyse_BusView::ApplyData(std::unique_ptr<CBusAnalysisData> data) {
    // The displays keep a reference to the data: replace its contents.
    *m_data = std::move(*data);
    m_panel->Reload();
    if (QWidget* frame = Frame()) {
        const QRect r = m_data->frameRect;
        if (r.width() >= 100 && r.height() >= 100 && r.width() < 10000 && r.height() < 10000) frame->setGeometry(r);
        frame->setFocus();
    }
    Redecode();
}

int CAnalyse_BusView::LoadDocument(const QString& path, QString* error) {
    std::unique_ptr<CBusAnalysisData> data = CBusFile::Load(path, error);
    if (!data) return 0;
    m_path = path;
    ApplyData(std::move(data));
    return 1;
}

int CAnalyse_BusView::SaveDocument(const QString& path, QString* error) {
    if (QWidget* frame = Frame()) m_data->frameRect = frame->geometry();
    return CBusFile::Save(path, *m_data, error);
}

int CAnalyse_BusView::SerializeState(CArchive& ar) {
    if (ar.IsStoring()) {
        if (QWidget* frame = Frame()) m_data->frameRect = frame->geometry();
        return CBusFile::Serialize(ar, *m_data);
    }
    auto data = std::make_unique<CBusAnalysisData>();
    if (!CBusFile::Serialize(ar, *data)) return 0;
    ApplyData(std::move(data));
    return 1;
}

bool CAnalyse_BusView::Save(bool saveAs) {
    QString path = m_path;
    if (path.isEmpty() || saveAs) {
        path = ChooseFile(this, FileDialogKind::Save, QLatin1String(kBusFilter), QStringLiteral("*.bus"));
        if (path.isEmpty()) return false;
        if (!path.endsWith(QLatin1String(CBusFile::kExtension))) path += QLatin1String(CBusFile::kExtension);
    }
    QString error;
    if (!SaveDocument(path, &error)) {
        TellUser(this, error);
        return false;
    }
    if (m_path.isEmpty()) m_path = path;
    return true;
}

// ---------------------------------------------------------------------------
// Export and printing
// ---------------------------------------------------------------------------

QImage CAnalyse_BusView::Picture() {
    const QSize inputSize = m_input->size().expandedTo(QSize(400, 160));
    const QSize analysisSize(inputSize.width(), std::max(m_analysis->height(), 180));
    QImage image(inputSize.width(), inputSize.height() + analysisSize.height(), QImage::Format_RGB32);
    QPainter painter(&image);
    m_input->Render(painter, QRect(QPoint(0, 0), inputSize));
    m_analysis->Render(painter, QRect(QPoint(0, inputSize.height()), analysisSize));
    return image;
}

int CAnalyse_BusView::ExportTo(const QString& path) {
    QString error;
    if (CBitmapWriter::Save(path, Picture(), 16, &error)) return 1;
    TellUser(this, tr("Write File Error!"));
    return 0;
}

bool CAnalyse_BusView::Export() {
    QString path = ChooseFile(this, FileDialogKind::Save, QLatin1String(kBitmapFilter), QStringLiteral("*.bmp"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QLatin1String(".bmp"))) path += QLatin1String(".bmp");
    return ExportTo(path) != 0;
}

QList<QPair<QString, QString>> CAnalyse_BusView::ParameterRows() const {
    const CBusAnalysisData& d = *m_data;
    QList<QPair<QString, QString>> rows{{tr("BusName:"), Text(d.busName)}, {tr("Bits:"), QString::number(d.bits)}};
    if (d.IsSPI()) {
        rows += {{tr("HpuleWidth:"), Text(d.spi.highPulse)},
                 {tr("LpuleWidth:"), Text(d.spi.lowPulse)},
                 {tr("Start condition BuildTime:"), Text(d.spi.startBuild)},
                 {tr("CPOL:"), Text(d.spi.cpol)},
                 {tr("CPHA:"), Text(d.spi.cpha)},
                 {tr("Decode Type:"), Text(szBusResultType[LanguageIndex()][std::clamp(d.numberBase, 0, 3)])}};
        return rows;
    }
    rows += {{tr("HpuleWidth:"), Text(d.i2c.highPulse)},
             {tr("LpuleWidth:"), Text(d.i2c.lowPulse)},
             {tr("Start condition BuildTime:"), Text(d.i2c.startBuild)},
             {tr("Start condition KeepTime:"), Text(d.i2c.startKeep)},
             {tr("Stop codition time:"), Text(d.i2c.stopTime)},
             {tr("Address Type:"), Text(szAddrType[LanguageIndex()][std::clamp(d.i2c.addressType, 0, 5)])}};
    return rows;
}

void CAnalyse_BusView::PrintPage(QPrinter& printer, int page) {
    printer.setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                           QPageLayout::Millimeter);
    QPainter painter(&printer);
    if (!painter.isActive()) return;
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution()).translated(
        -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    const int line = painter.fontMetrics().height() * 3 / 2;
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top(), area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8(szPrintHeader));
    painter.drawText(QRect(area.left(), area.top(), area.width(), line), Qt::AlignRight | Qt::AlignVCenter,
                     QString::asprintf("Page:%d", page));
    // The parameter table: two columns of label and value pairs, ruled with
    // 6 horizontal and 3 vertical lines.
    const QList<QPair<QString, QString>> rows = ParameterRows();
    const int tableRows = 5, top = area.top() + line * 2, half = area.width() / 2;
    for (int i = 0; i < rows.size(); ++i) {
        const QRect cell(area.left() + (i / tableRows) * half + 8, top + (i % tableRows) * line, half - 16, line);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, rows[i].first + QLatin1Char(' ') + rows[i].second);
    }
    for (int h = 0; h < 6; ++h)
        painter.drawLine(area.left(), top + h * line, area.right(), top + h * line);
    for (int v = 0; v < 3; ++v) {
        const int x = area.left() + std::min(v * half, area.width() - 1);
        painter.drawLine(x, top, x, top + tableRows * line);
    }
    const QImage picture = Picture();
    const QRect band(area.left(), top + tableRows * line + line, area.width(),
                     area.bottom() - (top + tableRows * line + line));
    const double scale = std::min(band.width() / double(picture.width()), band.height() / double(picture.height()));
    painter.drawImage(QRect(band.topLeft(), picture.size() * scale), picture);
}

void CAnalyse_BusView::Print() {
    PrintThroughDialog(this, 1, [this](QPrinter& p, int page) { PrintPage(p, page); });
}

void CAnalyse_BusView::PrintPreview() {
    ShowPrintPreview(this, 1, [this](QPrinter& p, int page) { PrintPage(p, page); });
}

void CAnalyse_BusView::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    menu.addAction(tr("Save DataFile"), this, [this] { Save(false); });
    menu.addAction(tr("Save DataFile As..."), this, [this] { Save(true); });
    menu.addAction(tr("Decode"), this, &CAnalyse_BusView::Redecode);
    menu.addSeparator();
    menu.addAction(tr("Export Bitmap..."), this, &CAnalyse_BusView::Export);
    menu.addAction(tr("Print..."), this, &CAnalyse_BusView::Print);
    menu.addAction(tr("Print Preview"), this, &CAnalyse_BusView::PrintPreview);
    if (IShell* shell = m_host ? m_host->Shell() : nullptr) {
        menu.addSeparator();
        menu.addAction(tr("Save Workspace"), this, [shell] { shell->SaveWorkspace(); });
        menu.addAction(tr("Save Workspace As..."), this, [shell] { shell->SaveWorkspaceAs(); });
    }
    menu.exec(e->globalPos());
}

// ---------------------------------------------------------------------------
// Registration
// ---------------------------------------------------------------------------

namespace {
// The shell refuses a window beyond the kind's limit before it asks for one.
std::unique_ptr<IChildView> MakeBusView(const ChildViewContext& context) {
    return std::make_unique<CAnalyse_BusView>(context.session, context.parent);
}
} // namespace

QV_CHILD_VIEW("AnalyseBus", MakeBusView);
