// The instrument screen mirror: palette, conversion of a screen image, the
// two display modes, the exported bitmap file and the printouts.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "PanelTestSupport.h"
#include "ScopedPrompts.h"
#include "link/view/BitmapFile.h"
#include "link/view/LCDCtrl.h"
#include "link/view/ScreenPalette.h"

namespace {
class ScreenMirrorTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPanelState(); }
    void TearDown() override { ResetPanelState(); }

    // A screen with a few marked pixels on a background index.
    void LoadScreen(uint8_t background)
    {
        std::vector<unsigned char> screen(kScreenBufferSize, background);
        screen[0] = 1;                                      // top left: darkest red
        screen[kScreenWidth - 1] = 6;                       // top right: darkest green
        screen[kScreenBufferSize - kScreenWidth] = 36;      // bottom left: darkest blue
        screen[kScreenBufferSize - 1] = 148;                // bottom right: 0x990000
        screen[2 * kScreenWidth + 10] = 86;                 // the one grey in the cube
        lcd.StoreScreen(screen.data());
    }

    static uint32_t U32At(const QByteArray& b, int offset)
    {
        return static_cast<uint8_t>(b[offset]) | static_cast<uint8_t>(b[offset + 1]) << 8 |
               static_cast<uint8_t>(b[offset + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(b[offset + 3])) << 24;
    }
    static uint16_t U16At(const QByteArray& b, int offset)
    {
        return static_cast<uint16_t>(static_cast<uint8_t>(b[offset]) | static_cast<uint8_t>(b[offset + 1]) << 8);
    }

    CLCDCtrl lcd;
    QTemporaryDir dir;
};
}  // namespace

TEST(ScreenPaletteTest, CubeGreysAndMenuColoursAsColourReferences)
{
    // The cube: red counts in the low digit, blue in the high one.
    EXPECT_EQ(ScreenPaletteColor(0), 0x000000u);
    EXPECT_EQ(ScreenPaletteColor(5), 0x0000FFu);
    EXPECT_EQ(ScreenPaletteColor(6), 0x003300u);
    EXPECT_EQ(ScreenPaletteColor(36), 0x330000u);
    EXPECT_EQ(ScreenPaletteColor(85), 0x666633u);
    EXPECT_EQ(ScreenPaletteColor(86), 0x444444u);
    EXPECT_EQ(ScreenPaletteColor(87), 0x666699u);
    EXPECT_EQ(ScreenPaletteColor(107), 0x66FFFFu);
    // Menu colours and greys.
    EXPECT_EQ(ScreenPaletteColor(111), 0x000000u);
    EXPECT_EQ(ScreenPaletteColor(112), 0x00DDDDu);
    EXPECT_EQ(ScreenPaletteColor(116), 0x000000u);
    EXPECT_EQ(ScreenPaletteColor(117), 0x020202u);
    EXPECT_EQ(ScreenPaletteColor(120), 0x0F0F0Fu);
    for (int i = 121; i <= 135; ++i)
        EXPECT_EQ(ScreenPaletteColor(static_cast<uint8_t>(i)), 0x111111u * static_cast<uint32_t>(i - 120)) << i;
    EXPECT_EQ(ScreenPaletteColor(136), 0xCC00CCu);
    EXPECT_EQ(ScreenPaletteColor(143), 0x880088u);
    EXPECT_EQ(ScreenPaletteColor(147), 0x888800u);
    // The cube continued forty places on.
    EXPECT_EQ(ScreenPaletteColor(148), 0x990000u);
    EXPECT_EQ(ScreenPaletteColor(149), 0x990033u);
    EXPECT_EQ(ScreenPaletteColor(184), 0xCC0000u);
    EXPECT_EQ(ScreenPaletteColor(255), 0xFFFFFFu);
    EXPECT_EQ(ScreenPalette()[200], ScreenPaletteColor(200));
    // Red is the low byte of a colour reference.
    EXPECT_EQ(ColorRefToRgb(0x0000FF), qRgb(0xFF, 0, 0));
    EXPECT_EQ(ColorRefToRgb(0x112233), qRgb(0x33, 0x22, 0x11));
}

TEST_F(ScreenMirrorTest, ScreenIndicesBecomeBothImagesAndThePicture)
{
    EXPECT_EQ(lcd.Picture().pixel(400, 240), qRgb(0, 0, 0));   // black before the first screen
    LoadScreen(255);
    EXPECT_EQ(lcd.ColorRefAt(0, 0), 0x000033u);
    EXPECT_EQ(lcd.ColorRefAt(799, 0), 0x003300u);
    EXPECT_EQ(lcd.ColorRefAt(0, 479), 0x330000u);
    EXPECT_EQ(lcd.ColorRefAt(799, 479), 0x990000u);
    EXPECT_EQ(lcd.ColorRefAt(10, 2), 0x444444u);
    EXPECT_EQ(lcd.ColorRefAt(400, 240), 0xFFFFFFu);
    EXPECT_EQ(lcd.ColorRefAt(800, 0), 0u);   // outside the picture
    EXPECT_EQ(lcd.ColorRefAt(-1, 5), 0u);

    const QImage picture = lcd.Picture();
    ASSERT_EQ(picture.size(), QSize(kScreenWidth, kScreenHeight));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0x33, 0, 0));
    EXPECT_EQ(picture.pixel(799, 0), qRgb(0, 0x33, 0));
    EXPECT_EQ(picture.pixel(0, 479), qRgb(0, 0, 0x33));
    EXPECT_EQ(picture.pixel(799, 479), qRgb(0, 0, 0x99));

    lcd.ClearImages();
    EXPECT_EQ(lcd.ColorRefAt(0, 0), 0u);
    EXPECT_EQ(lcd.ColorRefAt(400, 240), 0u);
}

TEST_F(ScreenMirrorTest, EnlargedModeStretchesNormalModeCentresOnBlack)
{
    std::vector<unsigned char> red(kScreenBufferSize, 5);
    lcd.StoreScreen(red.data());
    QImage target(1000, 600, QImage::Format_RGB32);

    lcd.SetDisplayMode(LCD_MODE_ENLARGED);
    EXPECT_EQ(g_nLCDMode, LCD_MODE_ENLARGED);
    target.fill(Qt::green);
    {
        QPainter painter(&target);
        lcd.Draw(painter, target.rect());
    }
    EXPECT_EQ(target.pixel(0, 0), qRgb(0xFF, 0, 0));
    EXPECT_EQ(target.pixel(999, 599), qRgb(0xFF, 0, 0));

    lcd.SetDisplayMode(LCD_MODE_NORMAL);
    EXPECT_EQ(g_nLCDMode, LCD_MODE_NORMAL);
    target.fill(Qt::green);
    {
        QPainter painter(&target);
        lcd.Draw(painter, target.rect());
    }
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0));            // margin of 100 by 60 pixels
    EXPECT_EQ(target.pixel(99, 59), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(100, 60), qRgb(0xFF, 0, 0));      // the picture, unscaled
    EXPECT_EQ(target.pixel(899, 539), qRgb(0xFF, 0, 0));
    EXPECT_EQ(target.pixel(900, 540), qRgb(0, 0, 0));

    // A target smaller than the picture shows its middle, nothing outside.
    QImage small(400, 200, QImage::Format_RGB32);
    small.fill(Qt::green);
    {
        QPainter painter(&small);
        painter.translate(10, 10);
        lcd.Draw(painter, QRect(0, 0, 380, 180));
    }
    EXPECT_EQ(small.pixel(5, 5), qRgb(0, 0xFF, 0));
    EXPECT_EQ(small.pixel(10, 10), qRgb(0xFF, 0, 0));
    EXPECT_EQ(small.pixel(390, 190), qRgb(0, 0xFF, 0));
}

TEST_F(ScreenMirrorTest, BitmapFileHeadersAndBottomUpRows)
{
    ASSERT_TRUE(dir.isValid());
    LoadScreen(112);   // background 0x00DDDD: red and green 0xDD
    const QString path = dir.filePath("screen.bmp");
    ASSERT_EQ(lcd.ExportBitmap(path, 24), 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();

    const int stride = 800 * 3;
    ASSERT_EQ(b.size(), 54 + stride * 480);
    EXPECT_EQ(b.left(2), QByteArray("BM"));
    EXPECT_EQ(U32At(b, 2), static_cast<uint32_t>(b.size()));
    EXPECT_EQ(U32At(b, 6), 0u);
    EXPECT_EQ(U32At(b, 10), 54u);       // pixel rows right after both headers
    EXPECT_EQ(U32At(b, 14), 40u);
    EXPECT_EQ(U32At(b, 18), 800u);
    EXPECT_EQ(U32At(b, 22), 480u);      // positive: bottom row first
    EXPECT_EQ(U16At(b, 26), 1);
    EXPECT_EQ(U16At(b, 28), 24);
    EXPECT_EQ(U32At(b, 30), 0u);        // uncompressed
    EXPECT_EQ(U32At(b, 34), static_cast<uint32_t>(stride * 480));
    EXPECT_EQ(U32At(b, 46), 0u);        // no colour table

    // First stored row = bottom screen row: blue 0x33 at its left end and
    // 0x990000 (blue 0x99) at its right end, in blue, green, red order.
    EXPECT_EQ(b.mid(54, 3), QByteArray::fromHex("330000"));
    EXPECT_EQ(b.mid(54 + 3, 3), QByteArray::fromHex("00dddd"));
    EXPECT_EQ(b.mid(54 + stride - 3, 3), QByteArray::fromHex("990000"));
    // Last stored row = top screen row.
    const int top = 54 + 479 * stride;
    EXPECT_EQ(b.mid(top, 3), QByteArray::fromHex("000033"));
    EXPECT_EQ(b.mid(top + stride - 3, 3), QByteArray::fromHex("003300"));
    EXPECT_EQ(b.mid(54 + (479 - 2) * stride + 10 * 3, 3), QByteArray::fromHex("444444"));

    // Any reader sees the same picture.
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), lcd.Picture());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files) == QStringList{"screen.bmp"});
}

TEST_F(ScreenMirrorTest, ThirtyTwoBitFilesAndRefusedSizes)
{
    ASSERT_TRUE(dir.isValid());
    LoadScreen(0);
    const QString path = dir.filePath("deep.bmp");
    ASSERT_EQ(lcd.ExportBitmap(path, 32), 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();
    ASSERT_EQ(b.size(), 54 + 3200 * 480);
    EXPECT_EQ(U16At(b, 28), 32);
    EXPECT_EQ(b.mid(54, 4), QByteArray::fromHex("33000000"));
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), lcd.Picture());

    // Rows of odd widths are padded to whole 32-bit words.
    EXPECT_EQ(BitmapRowStride(3, 24), 12);
    EXPECT_EQ(BitmapRowStride(4, 24), 12);
    EXPECT_EQ(BitmapRowStride(3, 32), 12);
    const uint32_t three[3] = {0x0000FF, 0x00FF00, 0xFF0000};
    const QByteArray tiny = EncodeBitmapFile(three, 3, 1, 24);
    ASSERT_EQ(tiny.size(), 54 + 12);
    EXPECT_EQ(tiny.mid(54), QByteArray::fromHex("0000ff00ff00ff000000" "0000"));

    EXPECT_TRUE(EncodeBitmapFile(three, 0, 1, 24).isEmpty());
    EXPECT_TRUE(EncodeBitmapFile(three, 3, -1, 24).isEmpty());
    EXPECT_TRUE(EncodeBitmapFile(three, 3, 1, 16).isEmpty());
    EXPECT_TRUE(EncodeBitmapFile(nullptr, 3, 1, 24).isEmpty());
    EXPECT_EQ(BitmapDepthForDisplay(32), 32);
    EXPECT_EQ(BitmapDepthForDisplay(24), 24);
    EXPECT_EQ(BitmapDepthForDisplay(16), 24);
}

TEST_F(ScreenMirrorTest, ExportCommandAddsTheEndingAndReportsUnwritableFiles)
{
    ASSERT_TRUE(dir.isValid());
    ScopedPrompts prompts;
    prompts.chosenFile = dir.filePath("picture");
    EXPECT_EQ(lcd.ExportCommand(), 1);
    EXPECT_TRUE(QFile::exists(dir.filePath("picture.bmp")));

    prompts.chosenFile = QString();   // cancelled
    EXPECT_EQ(lcd.ExportCommand(), 0);
    EXPECT_TRUE(prompts.notices.isEmpty());

    const QString nowhere = dir.filePath("missing-folder/screen.bmp");
    EXPECT_EQ(lcd.ExportBitmap(nowhere), 0);
    EXPECT_EQ(prompts.notices, QStringList{"Write File Error!"});
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(prompts.fileDialogs, 2);
}

TEST_F(ScreenMirrorTest, PrintoutsGoToThePrinterAndFailuresAreReported)
{
    ASSERT_TRUE(dir.isValid());
    ScopedPrompts prompts;
    LoadScreen(20);

    QPrinter pdf;
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(dir.filePath("screen.pdf"));
    EXPECT_EQ(lcd.PrintTo(pdf), 1);
    EXPECT_EQ(pdf.docName(), QString("Quorvex"));
    EXPECT_EQ(g_bPrintProcess.load(), 0);
    QFile printed(dir.filePath("screen.pdf"));
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().startsWith("%PDF"));

    QPrinter captioned;
    captioned.setOutputFormat(QPrinter::PdfFormat);
    captioned.setOutputFileName(dir.filePath("captioned.pdf"));
    EXPECT_EQ(lcd.PrintCaptionedTo(captioned), 1);
    EXPECT_TRUE(QFile::exists(dir.filePath("captioned.pdf")));
    EXPECT_TRUE(prompts.notices.isEmpty());

    // A job that cannot start: the plain printout gives up silently, the
    // panel's own print routine says so.
    QPrinter broken;
    broken.setOutputFormat(QPrinter::PdfFormat);
    broken.setOutputFileName(dir.filePath("missing-folder/x.pdf"));
    EXPECT_EQ(lcd.PrintTo(broken), 0);
    EXPECT_TRUE(prompts.notices.isEmpty());
    EXPECT_EQ(lcd.PrintCaptionedTo(broken), 0);
    EXPECT_EQ(prompts.notices, QStringList{"Printing error occured. Unable to find printer."});
    EXPECT_EQ(g_bPrintProcess.load(), 0);

    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        prompts.notices.clear();
        EXPECT_EQ(lcd.PrintWithCaptions(), 0);
        EXPECT_EQ(prompts.notices, QStringList{"\tCan not find printer. Please check installed/default printers!"});
    }
}
