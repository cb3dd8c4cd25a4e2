#include "docs/DSOGraticule.h"
#include "docs/DSOMapping.h"
#include "docs/DSOWaveform.h"

#include <QImage>
#include <QPixmap>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr double kZoom = 5.0; // 100 %: the graph is 500 × 400 pixels at (30, 30)
const QColor kTrace(255, 255, 0);

QImage PaintTrace(CDSOWaveform& trace) {
    QImage image(560, 460, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setTransform(CDSOMapping::LogicalToDevice(kZoom));
    trace.SetZoomScale(kZoom);
    trace.DrawWaveform(painter);
    return image;
}

// Device row of a graph y at 100 %.
int RowOf(int graphY) {
    return qRound(CDSOMapping::LogicalToDevice(kZoom).map(CDSOMapping::LogicalFromGraph(QPointF(0, graphY))).y());
}

int LitInRow(const QImage& image, int row, int* column) {
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, row) == kTrace) {
            ++count;
            *column = x;
        }
    return count;
}

} // namespace

TEST(DrawWaveform, CoordinateMappingOfTheSheet) {
    const QTransform t = CDSOMapping::LogicalToDevice(kZoom);
    EXPECT_EQ(t.map(QPointF(0, 0)), QPointF(30, 30));
    EXPECT_EQ(t.map(QPointF(3200, -1600)), QPointF(530, 430));
    EXPECT_EQ(t.map(QPointF(1600, -800)), QPointF(280, 230));
    // 720 %: the viewport grows, the origin stays.
    EXPECT_EQ(CDSOMapping::LogicalToDevice(36.0).map(QPointF(3200, -1600)), QPointF(3630, 2910));
    EXPECT_EQ(CDSOMapping::DeviceToLogical(QPointF(280, 230), kZoom), QPointF(1600, -800));
    // Graph units put the centre line at y 0 and the graticule at ±800.
    EXPECT_EQ(CDSOMapping::GraphFromLogical(QPointF(1600, -800)), QPointF(1600, 0));
    EXPECT_EQ(CDSOMapping::LogicalFromGraph(QPointF(0, 800)), QPointF(0, 0));
    EXPECT_EQ(CDSOMapping::GraphRect(), QRectF(0, -800, 3200, 1600));
    EXPECT_DOUBLE_EQ(CDSOMapping::UnitsPerPixelX(kZoom), 6.4);
    EXPECT_DOUBLE_EQ(CDSOMapping::UnitsPerPixelY(kZoom), 4.0);
}

TEST(DrawWaveform, ManyPointsKeepEveryColumnsExtremes) {
    CDSOWaveform trace;
    trace.SetWfmColor(DSORgb(255, 255, 0));
    trace.SetDisplayStyle(WFM_DOTS);
    trace.SetTrigVisible(0);
    constexpr int kCount = 800000;
    ASSERT_NE(trace.MallocMem(kCount), 0);
    std::vector<QPoint> points(kCount);
    for (int i = 0; i < kCount; ++i) points[i] = QPoint(static_cast<int>(i * (3200.0 / kCount)), (i % 7) * 10);
    // One high and one low spike, each a single point among 250 in its pixel column.
    points[123457].setY(700);
    points[654321].setY(-700);
    ASSERT_NE(trace.AddPoints(points.data(), points.size()), 0);
    ASSERT_EQ(trace.GetPointCount(), uint32_t(kCount));
    EXPECT_EQ(trace.GetPoint(654321), QPoint(points[654321].x(), -700));

    const QImage image = PaintTrace(trace);
    int column = -1;
    EXPECT_EQ(LitInRow(image, RowOf(700), &column), 1);
    EXPECT_EQ(column, 30 + points[123457].x() * 500 / 3200);
    EXPECT_EQ(LitInRow(image, RowOf(-700), &column), 1);
    EXPECT_EQ(column, 30 + points[654321].x() * 500 / 3200);
    // The ordinary band 0 … 60 fills every column of the graph.
    EXPECT_EQ(LitInRow(image, RowOf(0), &column), 500);
    // Nothing outside the graph.
    EXPECT_EQ(LitInRow(image, 20, &column), 0);
    EXPECT_EQ(LitInRow(image, 440, &column), 0);
}

TEST(DrawWaveform, FewPointsDrawnAsVectorsAndMarkersSkipped) {
    CDSOWaveform trace;
    trace.SetTrigVisible(0);
    // A flat line at +400 from x 0 to 1600, then the no-data marker, then a
    // flat line at −400 with a gap code in the middle of it.
    for (int x = 0; x <= 1600; x += 160) trace.AddPoint(QPoint(x, 400));
    trace.AddPoint(QPoint(1700, CDSOWaveform::kNoDataY));
    trace.AddPoint(QPoint(1800, -400));
    trace.AddPoint(QPoint(2400, CDSOWaveform::kGapY));
    trace.AddPoint(QPoint(3000, -400));
    const QImage image = PaintTrace(trace);
    int column = -1;
    EXPECT_EQ(LitInRow(image, RowOf(400), &column), 251); // x 30 … 280
    // The gap code is bridged: one line from 1800 to 3000 (device x 311.25 … 498.75).
    EXPECT_EQ(LitInRow(image, RowOf(-400), &column), 188);
    // No line joins the two runs across the no-data marker.
    EXPECT_EQ(LitInRow(image, RowOf(0), &column), 0);

    // Hidden traces draw nothing.
    trace.SetWfmShow(0);
    EXPECT_EQ(LitInRow(PaintTrace(trace), RowOf(400), &column), 0);
}

TEST(DrawWaveform, DisplayTransformUsesPivotTriggerAndDisplacement) {
    CDSOWaveform trace;
    trace.AddPoint(QPoint(0, 100));
    trace.AddPoint(QPoint(3200, 300));
    trace.SetPivot(QPoint(0, 100));
    trace.SetTrigPos(QPoint(-400, 200)); // trigger at x 1200
    trace.SetVtRatio(2.0f);
    trace.SetHzRatio(0.5f);
    EXPECT_EQ(trace.GetWfmStart(), QPoint(600, 100));
    EXPECT_EQ(trace.GetWfmEnd(), QPoint(2200, 500));
    EXPECT_EQ(trace.GetWfmTrig(), QPoint(1200, 300));
    trace.SetDisplacement(50, -20);
    trace.SetDisplacement(50, 0);
    EXPECT_EQ(trace.GetWfmTrig(), QPoint(1300, 280));
    trace.ResetDisplacement();
    EXPECT_EQ(trace.GetWfmTrig(), QPoint(1200, 300));
    trace.SetVtRatio(0.0f); // refused
    EXPECT_EQ(trace.GetVtRatio(), 2.0f);

    trace.RemoveAllPoint();
    EXPECT_EQ(trace.GetPointCount(), 0u);
    EXPECT_EQ(trace.GetPoint(0), QPoint());
    EXPECT_EQ(trace.GetWfmEnd(), QPoint(3200, 0));
}

TEST(DrawWaveform, StoreCanBeRefilledWhileAnotherThreadDraws) {
    CDSOWaveform trace;
    std::thread filler([&] {
        for (int round = 0; round < 20; ++round) {
            trace.RemoveAllPoint();
            for (int i = 0; i < 3200; ++i) trace.AddPoint(QPoint(i, (i * round) % 800));
        }
    });
    for (int i = 0; i < 20; ++i) {
        PaintTrace(trace);
        EXPECT_LE(trace.GetPointCount(), 3200u);
    }
    filler.join();
    EXPECT_EQ(trace.GetPointCount(), 3200u);
}

// An 800,000-byte record kept as bytes: y = signed byte × 8, like a channel.
struct DeepRecord {
    static constexpr size_t kLength = 800000;
    DeepRecord() : bytes(kLength) {
        for (size_t i = 0; i < kLength; ++i) bytes[i] = static_cast<uint8_t>((i % 7) * 2);
        for (int b = 0; b < 256; ++b) yOfByte[static_cast<size_t>(b)] = static_cast<int16_t>(static_cast<int8_t>(b) * 8);
    }
    void Load(CDSOWaveform& trace) const {
        ASSERT_NE(trace.SetSamples(bytes.data(), bytes.size(), 3200.0 / kLength, yOfByte), 0);
    }
    std::vector<uint8_t> bytes;
    std::array<int16_t, 256> yOfByte{};
};

TEST(DrawWaveform, DeepRecordKeepsItsSpikeThroughNewRecordsAndMappings) {
    CDSOWaveform trace;
    trace.SetDisplayStyle(WFM_DOTS);
    trace.SetTrigVisible(0);
    DeepRecord record;
    record.bytes[400001] = 80; // one sample at +640 among 1600 in its pixel column
    record.Load(trace);
    EXPECT_EQ(trace.GetPoint(400001), QPoint(1600, 640));
    EXPECT_EQ(trace.GetPoint(799999), QPoint(static_cast<int>(799999 * (3200.0 / 800000)), (799999 % 7) * 2 * 8));
    int column = -1;
    // Drawn twice from one reduction, then again after each change.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(LitInRow(PaintTrace(trace), RowOf(640), &column), 1);
        EXPECT_EQ(column, 280);
    }
    record.bytes[400001] = 0;
    record.bytes[100001] = 80;
    record.Load(trace);
    EXPECT_EQ(LitInRow(PaintTrace(trace), RowOf(640), &column), 1);
    EXPECT_EQ(column, 30 + 400 * 500 / 3200);
    trace.SetDisplacement(320, 0); // 50 pixels to the right
    EXPECT_EQ(LitInRow(PaintTrace(trace), RowOf(640), &column), 1);
    EXPECT_EQ(column, 30 + 400 * 500 / 3200 + 50);
    trace.SetVtRatio(0.5f); // about the pivot at 0: the spike drawn at +320
    EXPECT_EQ(LitInRow(PaintTrace(trace), RowOf(320), &column), 1);
    // Points added to a record store keep the record's points before them.
    trace.AddPoint(QPoint(3200, -640));
    EXPECT_EQ(trace.GetPointCount(), uint32_t(DeepRecord::kLength + 1));
    EXPECT_EQ(trace.GetPoint(100001), QPoint(400, 640));
}

// Points 5 pixels apart on pixel centres: device x 32.5 + 5m, rows on pixel
// centres too, so the reduced drawing and the point-by-point one meet the
// same pixels. 600 points reach far right of the graph, more than its 500
// columns; the 100 inside hold one point a column.
TEST(DrawWaveform, ReducedDrawingEqualsDirectDrawingWhereColumnsHoldOnePoint) {
    std::vector<QPoint> points;
    for (int m = 0; m < 600; ++m) points.emplace_back(16 + 32 * m, 2 + 4 * ((m * 37) % 300 - 150));
    for (int style : {WFM_VECTORS, WFM_DOTS}) {
        CDSOWaveform all, inside;
        for (CDSOWaveform* t : {&all, &inside}) {
            t->SetTrigVisible(0);
            t->SetDisplayStyle(style);
        }
        ASSERT_NE(all.AddPoints(points.data(), points.size()), 0);
        ASSERT_NE(inside.AddPoints(points.data(), 100), 0);
        EXPECT_EQ(PaintTrace(all), PaintTrace(inside)) << "style " << style;
    }
}

// On an image the column spans of a deep record are written straight into
// the pixels; they must be the pixels Qt's own one-pixel lines light, as
// drawn on a pixmap: noise, a slow walk and sines, clipped at the graph's
// edges, at several vertical scales.
TEST(DrawWaveform, SpansWrittenIntoTheImageAreThePixelsOfTheLines) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> noise(-128, 127), step(-6, 6);
    for (int trial = 0; trial < 12; ++trial) {
        const size_t n = trial % 2 ? 800000 : 20000;
        std::vector<uint8_t> bytes(n);
        int walk = 0;
        for (size_t i = 0; i < n; ++i) {
            const int kind = trial % 3;
            const int count = kind == 0   ? noise(random)
                              : kind == 1 ? (walk = std::clamp(walk + step(random), -128, 127))
                                          : static_cast<int>(std::lround(120 * std::sin(i * 2 * M_PI / (97 + 53 * trial))));
            bytes[i] = static_cast<uint8_t>(static_cast<int8_t>(count));
        }
        std::array<int16_t, 256> yOfByte{};
        for (int b = 0; b < 256; ++b)
            yOfByte[static_cast<size_t>(b)] = static_cast<int16_t>(static_cast<int8_t>(b) * (3 + trial % 4) + trial);
        CDSOWaveform trace;
        trace.SetTrigVisible(0);
        trace.SetDisplayStyle(trial % 4 < 2 ? WFM_VECTORS : WFM_DOTS);
        ASSERT_NE(trace.SetSamples(bytes.data(), n, 3200.0 / static_cast<double>(n), yOfByte), 0);
        QPixmap pixmap(560, 460);
        pixmap.fill(Qt::black);
        {
            QPainter painter(&pixmap);
            painter.setTransform(CDSOMapping::LogicalToDevice(kZoom));
            trace.SetZoomScale(kZoom);
            trace.DrawWaveform(painter);
        }
        EXPECT_EQ(PaintTrace(trace), pixmap.toImage().convertToFormat(QImage::Format_RGB32)) << "trial " << trial;
    }
}

TEST(DrawGraticule, BackgroundGridAndColourModes) {
    CDSOGraticule graticule;
    graticule.SetBgColor(DSORgb(0, 0, 128));
    graticule.SetGtColor(DSORgb(0, 255, 0));
    graticule.SetZoomScale(kZoom);
    QImage image(560, 460, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
        QPainter painter(&image);
        painter.setTransform(CDSOMapping::LogicalToDevice(kZoom));
        graticule.DrawGraticule(painter);
        graticule.DrawCoverArea(painter);
    }
    EXPECT_EQ(image.pixelColor(100, 100), QColor(0, 0, 128));        // background
    EXPECT_EQ(image.pixelColor(280, 100), QColor(0, 255, 0));        // vertical centre axis
    EXPECT_EQ(image.pixelColor(30, 100), QColor(0, 255, 0));         // frame
    EXPECT_EQ(image.pixelColor(5, 5), QColorFromDSO(CDSOGraticule::kCoverColor)); // cover
    EXPECT_EQ(image.pixelColor(550, 450), QColorFromDSO(CDSOGraticule::kCoverColor));

    graticule.SetColorMode(COLOR_MODE_BW);
    graticule.SetGraticuleType(GRATICULE_FRAME);
    {
        QPainter painter(&image);
        painter.setTransform(CDSOMapping::LogicalToDevice(kZoom));
        graticule.DrawGraticule(painter);
    }
    EXPECT_EQ(image.pixelColor(100, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(280, 100), QColor(Qt::white)); // no axes in the frame style
    EXPECT_EQ(image.pixelColor(30, 100), QColor(Qt::black));
}
