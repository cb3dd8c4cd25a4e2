#include "link/view/LCDCtrl.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

#include <mutex>

#include "corvane/ScopedFlag.h"
#include "ui/UserPrompts.h"
#include "corvane/MessageTables.h"
#include "docs/Archive.h"
#include "link/view/BitmapFile.h"
#include "link/view/ScreenPalette.h"

namespace {
constexpr size_t kPixels = static_cast<size_t>(kScreenBufferSize);
const QString kWriteFileError = QStringLiteral("Write File Error!");
const QString kPrintFontFamily = QStringLiteral("楷体_GB2312");
constexpr int kPageCount = 1;   // the picture fits one page
constexpr double kPageMarginShare = 0.05;    // of the page width, around the picture
constexpr double kTextHeightShare = 0.02;    // footer and header text, of the page height

QString FromUtf8(const char* text)
{
    return QString::fromUtf8(text);
}

QFont PrintFont(const QRect& page)
{
    QFont font(kPrintFontFamily);
    font.setPixelSize(std::max(8, static_cast<int>(page.height() * kTextHeightShare)));
    return font;
}

// The picture as large as the page allows between top and bottom with
// margins at the sides, aspect kept, centred across the page.
QRect PictureRect(const QRect& page, int top, int bottom)
{
    const int margin = static_cast<int>(page.width() * kPageMarginShare);
    int width = page.width() - 2 * margin;
    int height = width * kScreenHeight / kScreenWidth;
    if (height > bottom - top) {
        height = std::max(1, bottom - top);
        width = height * kScreenWidth / kScreenHeight;
    }
    return QRect(page.left() + (page.width() - width) / 2, top, width, height);
}

QString WithBitmapEnding(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".bmp") : path;
}
}  // namespace

CLCDCtrl::CLCDCtrl(QWidget* parent) : QWidget(parent), m_image1(kPixels, 0), m_image2(kPixels, 0)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setObjectName(QStringLiteral("LCD"));
}

CLCDCtrl::~CLCDCtrl() = default;

void CLCDCtrl::StoreScreen(const unsigned char* indices)
{
    if (!indices)
        return;
    const auto& palette = ScreenPalette();
    for (size_t i = 0; i < kPixels; ++i) {
        const uint32_t color = palette[indices[i]];
        m_image1[i] = color;
        m_image2[i] = color;
    }
}

void CLCDCtrl::ClearImages()
{
    std::fill(m_image1.begin(), m_image1.end(), 0u);
    std::fill(m_image2.begin(), m_image2.end(), 0u);
}

uint32_t CLCDCtrl::ColorRefAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight)
        return 0;
    return m_image1[static_cast<size_t>(y) * kScreenWidth + x];
}

QImage CLCDCtrl::Picture() const
{
    QImage picture(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
    for (int y = 0; y < kScreenHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const uint32_t* source = m_image1.data() + static_cast<size_t>(y) * kScreenWidth;
        for (int x = 0; x < kScreenWidth; ++x)
            line[x] = ColorRefToRgb(source[x]);
    }
    return picture;
}

void CLCDCtrl::Draw(QPainter& painter, const QRect& target) const
{
    const QImage picture = Picture();
    painter.save();
    if (DisplayMode() == LCD_MODE_ENLARGED) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(target, picture);
    } else {
        painter.fillRect(target, Qt::black);
        QRect place(QPoint(0, 0), picture.size());
        place.moveCenter(target.center());
        painter.setClipRect(target);
        painter.drawImage(place.topLeft(), picture);
    }
    painter.restore();
}

void CLCDCtrl::SetDisplayMode(LCD_MODE mode)
{
    g_nLCDMode = mode;
    update();
}

void CLCDCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Draw(painter, rect());
}

QSize CLCDCtrl::sizeHint() const
{
    return {kScreenWidth / 2, kScreenHeight / 2};
}

QSize CLCDCtrl::minimumSizeHint() const
{
    return {kScreenWidth / 4, kScreenHeight / 4};
}

int CLCDCtrl::heightForWidth(int width) const
{
    return width * kScreenHeight / kScreenWidth;
}

// ---------------------------------------------------------------------------
// Export
// ---------------------------------------------------------------------------

int CLCDCtrl::ExportCommand()
{
    const QString chosen = ChooseFile(this, FileDialogKind::Save,
                                      QStringLiteral("Bitmap Files(*.bmp);;All Files(*.*)"), QStringLiteral("*.bmp"));
    if (chosen.isEmpty())
        return 0;
    return ExportBitmap(WithBitmapEnding(chosen));
}

int CLCDCtrl::ExportBitmap(const QString& path)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return ExportBitmap(path, BitmapDepthForDisplay(screen ? screen->depth() : 24));
}

int CLCDCtrl::ExportBitmap(const QString& path, int bitsPerPixel)
{
    QByteArray file;
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        file = EncodeBitmapFile(m_image1.data(), kScreenWidth, kScreenHeight, bitsPerPixel);
    }
    if (file.isEmpty() || !SaveFileAtomically(path, file)) {
        TellUser(this, kWriteFileError);
        return 0;
    }
    return 1;
}

// ---------------------------------------------------------------------------
// Printing
// ---------------------------------------------------------------------------

bool CLCDCtrl::ChoosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());   // no page numbers, selection or print to file
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

int CLCDCtrl::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!ChoosePrinter(printer))
        return 0;
    return PrintTo(printer);
}

int CLCDCtrl::PrintTo(QPrinter& printer)
{
    return PrintPages(printer, PageStyle::Footer);
}

void CLCDCtrl::PrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintPages(*target, PageStyle::Footer); });
    CScopedFlag open(g_bPreview);
    dialog.exec();
}

int CLCDCtrl::PrintWithCaptions()
{
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        TellUser(this, FromUtf8(Msg(szCheckPrinters)));
        return 0;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!ChoosePrinter(printer))
        return 0;
    return PrintCaptionedTo(printer);
}

int CLCDCtrl::PrintCaptionedTo(QPrinter& printer)
{
    if (PrintPages(printer, PageStyle::Captioned))
        return 1;
    TellUser(this, FromUtf8(Msg(szPrintErrors)));
    return 0;
}

// One job: the document carries the program's name; every page is drawn
// between the start of the job and its end, and a page that cannot be
// started ends the job.
int CLCDCtrl::PrintPages(QPrinter& printer, PageStyle style)
{
    // The data windows that pause during printing are not told of new records meanwhile.
    CScopedFlag printing(g_bPrintProcess);
    printer.setDocName(FromUtf8(szAppName));
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    for (int number = 1; number <= kPageCount; ++number) {
        if (number > 1 && !printer.newPage()) {
            printer.abort();
            return 0;
        }
        painter.save();
        RenderPage(painter, QRect(QPoint(0, 0), page.size()), style, number);
        painter.restore();
    }
    return painter.end() ? 1 : 0;
}

void CLCDCtrl::RenderPage(QPainter& painter, const QRect& page, PageStyle style, int number) const
{
    painter.setFont(PrintFont(page));
    painter.setPen(Qt::black);
    const int lineHeight = painter.fontMetrics().height();
    int top = page.top() + lineHeight;
    if (style == PageStyle::Captioned) {
        painter.drawText(QRect(page.left(), page.top(), page.width(), lineHeight), Qt::AlignCenter,
                         FromUtf8(szPrintHeader));
        top += lineHeight;
    }
    const QRect footerLine(page.left(), page.bottom() - 2 * lineHeight, page.width(), lineHeight);
    const QRect picture = PictureRect(page, top, footerLine.top() - lineHeight);
    painter.drawImage(picture, Picture());
    const QString footer = style == PageStyle::Captioned
                               ? QStringLiteral("Page:%1 of %2").arg(number).arg(kPageCount)
                               : QStringLiteral("Page %1 ").arg(number);
    painter.drawText(footerLine, Qt::AlignCenter, footer);
}
