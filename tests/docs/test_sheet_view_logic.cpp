// Zoom and scroll geometry, painting of the waveform sheet and its bitmap file.
#include "docs/DSOMapping.h"
#include "docs/BitmapWriter.h"
#include "docs/YTSheetData.h"
#include "docs/YTSheetDoc.h"
#include "docs/YTSheetPainter.h"
#include "docs/YTSheetUpdate.h"
#include "docs/YTSheetZoom.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace {

uint32_t U32At(const QByteArray& b, int at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
    return v;
}

uint16_t U16At(const QByteArray& b, int at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8));
}

void FillFlatTraces(CYTSheetData& sheet, int ch1Y, int ch2Y, int count) {
    for (int i = 0; i < count; ++i) {
        sheet.trace[kTraceCH1].AddPoint(QPoint(i * 3200 / count, ch1Y));
        sheet.trace[kTraceCH2].AddPoint(QPoint(i * 3200 / count, ch2Y));
    }
    sheet.pointsPerTrace = count;
    sheet.wfm.nCH1Show = sheet.wfm.nCH2Show = 1;
}

int CountColor(const QImage& image, QColor color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == color;
    return n;
}

}  // namespace

TEST(SheetZoom, StepsStopAt20And720Percent) {
    EXPECT_FLOAT_EQ(CYTSheetZoom::ZoomIn(35.0f), 36.0f);
    EXPECT_FLOAT_EQ(CYTSheetZoom::ZoomIn(36.0f), 36.0f);
    EXPECT_FLOAT_EQ(CYTSheetZoom::ZoomOut(2.0f), 1.0f);
    EXPECT_FLOAT_EQ(CYTSheetZoom::ZoomOut(1.0f), 1.0f);
    EXPECT_EQ(CYTSheetZoom::ZoomText(36.0f), QStringLiteral("720%"));
    EXPECT_EQ(CYTSheetZoom::ZoomText(1.0f), QStringLiteral("20%"));
    EXPECT_EQ(CYTSheetZoom::ZoomText(7.0f), QStringLiteral("140%"));
    // A typed 750 % stands; a step up from it does not lower it, a step down does.
    EXPECT_FLOAT_EQ(CYTSheetZoom::Clamp(37.5f), 37.5f);
    EXPECT_FLOAT_EQ(CYTSheetZoom::Clamp(40.0f), 37.5f);
    EXPECT_FLOAT_EQ(CYTSheetZoom::ZoomIn(37.5f), 37.5f);
    EXPECT_FLOAT_EQ(CYTSheetZoom::ZoomOut(37.5f), 36.5f);
}

TEST(SheetZoom, FitNeverExceeds100PercentAndNeverDropsBelow20) {
    EXPECT_FLOAT_EQ(CYTSheetZoom::Fit(QSize(500, 400)), 5.0f);
    EXPECT_FLOAT_EQ(CYTSheetZoom::Fit(QSize(3000, 2000)), 5.0f);
    EXPECT_FLOAT_EQ(CYTSheetZoom::Fit(QSize(499, 400)), 4.0f);
    EXPECT_FLOAT_EQ(CYTSheetZoom::Fit(QSize(500, 239)), 2.0f);
    EXPECT_FLOAT_EQ(CYTSheetZoom::Fit(QSize(50, 30)), 1.0f);
    EXPECT_EQ(CYTSheetZoom::FitCentre(5.0f), QPoint(250, 200));
}

TEST(SheetZoom, ScrollSizesAndCentring) {
    bool needed = true;
    EXPECT_EQ(CYTSheetZoom::ScrollSize(QSize(700, 600), 5.0f, &needed), QSize(700, 600));
    EXPECT_FALSE(needed);
    EXPECT_EQ(CYTSheetZoom::ScrollSize(QSize(700, 400), 5.0f, &needed), QSize(700, 500));
    EXPECT_TRUE(needed);
    // Zooming keeps the graph point in the middle of the window where it was.
    const QPoint centre(400, 300);
    const QPointF before = CDSOMapping::DeviceToLogical(centre, 5.0);
    const QPoint scaled = CYTSheetZoom::ScaleCentre(centre, 5.0f, 6.0f);
    const QPointF after = CDSOMapping::DeviceToLogical(scaled, 6.0);
    EXPECT_NEAR(before.x(), after.x(), 6.0);
    EXPECT_NEAR(before.y(), after.y(), 6.0);
    // Scrolling puts the centre in the middle, held inside the scroll area.
    EXPECT_EQ(CYTSheetZoom::ScrollForCentre(QPoint(900, 700), QSize(400, 300), 10.0f), QPoint(700, 550));
    EXPECT_EQ(CYTSheetZoom::ScrollForCentre(QPoint(5000, -50), QSize(400, 300), 10.0f), QPoint(850, 0));
}


TEST(SheetPainter, XYPutsZeroOnTheGraphCentre) {
    EXPECT_EQ(CYTSheetPainter::XYPoint(0, 0), QPoint(1600, -800));
    CYTSheetData sheet;
    FillFlatTraces(sheet, 0, 0, 200);
    sheet.wfm.nDisplayFormat = kFormatXY;
    SheetPaintOptions options;
    options.size = QSize(625, 500);
    const QImage image = CYTSheetPainter::Render(sheet, options);
    const QColor magenta(255, 0, 255);
    const QPoint centre = CDSOMapping::LogicalToDevice(5.0).map(QPointF(1600, -800)).toPoint();
    EXPECT_EQ(centre, QPoint(280, 230));
    EXPECT_EQ(image.pixelColor(centre), magenta);
    EXPECT_EQ(sheet.rail.GetVisible(), 0);
    EXPECT_EQ(sheet.block[0].GetVisible(), 0);
}

TEST(SheetPainter, YTDrawsOnlyShownTracesAndPrintsBlackAndWhite) {
    CYTSheetData sheet;
    FillFlatTraces(sheet, 400, -400, 400);
    SheetPaintOptions options;
    options.size = QSize(625, 500);
    const QColor yellow = QColorFromDSO(kDefaultTraceColor[kTraceCH1]);
    const QColor cyan = QColorFromDSO(kDefaultTraceColor[kTraceCH2]);
    QImage image = CYTSheetPainter::Render(sheet, options);
    EXPECT_GT(CountColor(image, yellow), 400);
    EXPECT_GT(CountColor(image, cyan), 400);
    EXPECT_EQ(sheet.block[kTraceCH1].GetVisible(), 1);

    sheet.wfm.nCH2Show = 0;
    image = CYTSheetPainter::Render(sheet, options);
    EXPECT_EQ(CountColor(image, cyan), 0);
    EXPECT_EQ(sheet.block[kTraceCH2].GetVisible(), 0);

    options.show[kTraceCH1] = 0;  // channel not fetched: nothing but the graticule
    image = CYTSheetPainter::Render(sheet, options);
    EXPECT_EQ(CountColor(image, yellow), 0);

    options.show[kTraceCH1] = 1;
    options.printing = true;  // black and white on white, the screen's mode restored afterwards
    image = CYTSheetPainter::Render(sheet, options);
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y) & 0xFFFFFF);
    for (QRgb c : colours) EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << std::hex << c;
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(sheet.colorMode, COLOR_MODE_RGB);
}

TEST(SheetBitmap, SixteenBitFileHeaderAndPaddedRows) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::black);
    image.setPixelColor(0, 1, QColor(255, 0, 0));  // bottom row, first pixel
    image.setPixelColor(2, 0, QColor(0, 0, 255));  // top row, last pixel
    const QByteArray bmp = CBitmapWriter::FileBytes(image, 16);
    ASSERT_EQ(bmp.size(), 54 + 2 * 8);
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(U32At(bmp, 2), 70u);   // image size + 54
    EXPECT_EQ(U32At(bmp, 6), 0u);    // reserved words
    EXPECT_EQ(U32At(bmp, 10), 54u);  // data offset
    EXPECT_EQ(U32At(bmp, 14), 40u);  // information header
    EXPECT_EQ(U32At(bmp, 18), 3u);
    EXPECT_EQ(U32At(bmp, 22), 2u);
    EXPECT_EQ(U16At(bmp, 26), 1);
    EXPECT_EQ(U16At(bmp, 28), 16);
    EXPECT_EQ(U32At(bmp, 30), 0u);  // uncompressed
    EXPECT_EQ(U32At(bmp, 34), 16u);
    EXPECT_EQ(U32At(bmp, 46), 0u);  // no colour table
    EXPECT_EQ(U16At(bmp, 54), 0x7C00);      // first stored row is the bottom one
    EXPECT_EQ(U16At(bmp, 54 + 6), 0);       // padding
    EXPECT_EQ(U16At(bmp, 54 + 8 + 4), 0x001F);
    EXPECT_TRUE(CBitmapWriter::FileBytes(QImage(), 16).isEmpty());
    EXPECT_EQ(CBitmapWriter::RowBytes(625, 16), 1252);
}

TEST(SheetPainter, SpectrumTraceRisesAtTheSinesFrequency) {
    CYTSheetData sheet;
    sheet.pointsPerTrace = 3200;
    std::vector<uint8_t> ch1(3200), ch2(3200);
    for (size_t i = 0; i < ch1.size(); ++i)
        ch1[i] = static_cast<uint8_t>(static_cast<int8_t>(std::lround(60 * std::sin(2 * M_PI * i / 32.0))));
    tagWaveformParam wfm;
    wfm.nMathShow = 1;
    wfm.nMathOperation = kMathFFT;
    wfm.nFFTDbBase = 10;
    const int32_t show[3] = {1, 1, 1};
    SheetAcquisition in;
    in.wfm = &wfm;
    in.ch1 = ch1.data();
    in.ch2 = ch2.data();
    in.length = ch1.size();
    in.show = show;
    ApplyAcquisition(sheet, in);
    SheetPaintOptions options;
    options.size = QSize(625, 500);
    const QImage image = CYTSheetPainter::Render(sheet, options);
    const QByteArray snapshot = qgetenv("QV_SPECTRUM_SNAPSHOT");
    if (!snapshot.isEmpty()) image.save(QString::fromLocal8Bit(snapshot));
    // Bin 64 lies at column 157 of 2500, x = 200 graph units: device column 61.
    const QColor ink = QColorFromDSO(kDefaultTraceColor[kTraceMath]);
    auto highestRow = [&](int x0, int x1) {
        for (int y = 30; y < 430; ++y)
            for (int x = x0; x <= x1; ++x)
                if (image.pixelColor(x, y) == ink) return y;
        return 1000;
    };
    const int peak = highestRow(58, 64);
    EXPECT_LT(peak, 230);                       // above the centre line
    EXPECT_GT(highestRow(120, 500), peak + 60);  // nothing else comes near it
    EXPECT_EQ(sheet.block[kTraceMath].GetVisible(), 1);
    EXPECT_EQ(sheet.block[kTraceCH1].GetVisible(), 0);
}
