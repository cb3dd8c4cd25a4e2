// The power spectrum and arithmetic panels over their windows' data: a
// channel switch redraws from the copies already held, settings changes
// recompute the result, and the user factor travels through the file.
#include "analysis/FftPower.h"
#include "analysis/view/ArithmeticPanel.h"
#include "analysis/view/FFTView.h"
#include "analysis/view/OutputView.h"
#include "analysis/view/PowerPanel.h"
#include "analysis/view/TracePolyline.h"
#include "corvane/SharedState.h"
#include "docs/ArithmeticData.h"
#include "docs/MthFile.h"
#include "docs/PowerData.h"
#include "docs/view/YTView.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace {

// The rows of a column from a row per sample, one by one.
template <class RowOfSample>
ColumnRows RowsOfSamples(std::int64_t begin, std::int64_t end, RowOfSample rowOf) {
    ColumnRows r;
    r.first = r.low = r.high = r.last = rowOf(begin);
    for (std::int64_t i = begin + 1; i < end; ++i) {
        r.last = rowOf(i);
        r.low = std::min(r.low, r.last);
        r.high = std::max(r.high, r.last);
    }
    return r;
}

std::vector<std::uint8_t> Constant(int count, std::size_t n = 3200) {
    return std::vector<std::uint8_t>(n, static_cast<std::uint8_t>(static_cast<std::int8_t>(count)));
}

} // namespace

TEST(PowerSpectrumPanel, ChannelSwitchShowsTheOtherCopyWithoutATransfer) {
    CPowerSpectrumData data;
    CPowerSpectrumPanel panel(&data);
    tagWaveformParam wfm;
    wfm.nTimeBaseIndex = 25;
    wfm.fMeasureTimeBase = 250000000.0f;
    wfm.llCH1VoltBase = 200000;   // 200 mV x1
    wfm.llCH2VoltBase = 20000000; // 2 V at x10
    wfm.nCH2Probe = 10;
    wfm.nCH2VoltIndex = 6;
    const auto ch1 = Constant(0), ch2 = Constant(100);
    panel.OnTransfer(wfm, ch1.data(), ch2.data(), 3200);
    panel.WindowList().setCurrentIndex(kWindowRectangular);
    panel.InputList().setCurrentIndex(1);

    // Every sample +100 with no window: bin 0 at 36 dB, the rest at -70.
    std::array<std::int32_t, kSpectrumBins> db{};
    ASSERT_EQ(panel.Spectrum().ComputeDb(db), 0);
    EXPECT_EQ(db[0], 36);
    EXPECT_EQ(db[1], -70);
    EXPECT_EQ(panel.InputTrace().Record(), data.Copy(1));
    EXPECT_EQ(data.Copy(1)[3199], 100);
    EXPECT_EQ(data.windowSelection, kWindowRectangular);

    // The input trace shows the CH2 scale of the last transfer.
    EXPECT_EQ(panel.InputTrace().Parameters().probe, 1);
    EXPECT_EQ(panel.InputTrace().Parameters().voltsPerDivision, 2000);
    EXPECT_EQ(panel.Spectrum().Window(), kWindowRectangular);

    panel.InputList().setCurrentIndex(0);
    ASSERT_EQ(panel.Spectrum().ComputeDb(db), 0);
    EXPECT_EQ(db[0], -70);
}

TEST(ArithmeticPanel, SettingsRecomputeAndTheFactorIsStored) {
    CArithmeticData data;
    CArithmeticPanel panel(&data);
    tagWaveformParam wfm;
    wfm.llCH1VoltBase = 500000;  // 0.5 V
    wfm.llCH2VoltBase = 1000000; // 1 V
    auto ch1 = Constant(40, 4), ch2 = Constant(10, 4);
    ch2[3] = 0;
    panel.OnTransfer(wfm, ch1.data(), ch2.data(), 4);
    QApplication::processEvents();
    ASSERT_EQ(panel.Output().Result().Size(), 4u);
    EXPECT_DOUBLE_EQ(panel.Output().Result().Value(0), 30.0);

    panel.OperationList().setCurrentIndex(kArithDivide);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(panel.Output().Result().Value(3), 101 * 0.5);
    EXPECT_DOUBLE_EQ(panel.Output().Result().peak, 2.0);

    panel.SetOperationName("Modulo");
    EXPECT_EQ(data.Operation(), kArithDivide);

    panel.FactorEdit().setText(QStringLiteral("2.5"));
    emit panel.FactorEdit().editingFinished();
    EXPECT_DOUBLE_EQ(data.scaleFactor, 2.5);
    const auto back = CMthFile::LoadBytes(CMthFile::Store(data), 0);
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->scaleFactor, 2.5);
    CArithmeticPanel reopened(back.get());
    EXPECT_EQ(reopened.FactorEdit().text(), QStringLiteral("2.5"));
    EXPECT_EQ(reopened.OperationList().currentIndex(), kArithDivide);
}

// A trace keeps at most four points a pixel column. Drawn, each column must
// reach the same rows as the polyline through every sample (within the pixel
// the pen's end rule may add or drop where segments meet), a one-sample spike
// included: few samples a column, many, and ends inside a column.
TEST(TracePolyline, ColumnsReachTheRowsOfEverySampleJoined) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> row(10, 69), step(-3, 3);
    const QRect area(5, 2, 100, 70);
    const auto columnRows = [&](const QPolygon& line) {
        QImage image(120, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setPen(Qt::black);
            painter.drawPolyline(line);
        }
        std::vector<std::pair<int, int>> reach; // top and bottom lit row per column
        for (int x = 0; x < image.width(); ++x) {
            int top = -1, bottom = -1;
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) != QColor(Qt::white).rgb()) {
                    if (top < 0) top = y;
                    bottom = y;
                }
            reach.emplace_back(top, bottom);
        }
        return reach;
    };
    for (const std::int64_t n : {7, 100, 173, 5000}) {
        for (int kind = 0; kind < 2; ++kind) {
            std::vector<int> rows(static_cast<std::size_t>(n));
            int walk = 40;
            for (auto& r : rows) r = kind == 0 ? row(random) : (walk = std::clamp(walk + step(random), 10, 69));
            rows[rows.size() / 2] = 0; // a spike to the top row
            QPolygon every;
            for (std::int64_t i = 0; i < n; ++i)
                every << QPoint(area.left() + static_cast<int>(i * area.width() / n),
                                area.top() + rows[static_cast<std::size_t>(i)]);
            const QPolygon reduced =
                TracePolyline(n, area, [&](std::int64_t begin, std::int64_t end) {
                    return RowsOfSamples(begin, end, [&](std::int64_t i) { return rows[static_cast<std::size_t>(i)]; });
                });
            EXPECT_LE(reduced.size(), 4 * area.width());
            const auto expected = columnRows(every), drawn = columnRows(reduced);
            for (std::size_t x = 0; x < expected.size(); ++x) {
                EXPECT_NEAR(drawn[x].first, expected[x].first, 1) << n << " samples, kind " << kind << ", x " << x;
                EXPECT_NEAR(drawn[x].second, expected[x].second, 1) << n << " samples, kind " << kind << ", x " << x;
            }
            const auto spikeColumn = static_cast<std::size_t>(area.left() + (n / 2) * area.width() / n);
            EXPECT_EQ(drawn[spikeColumn].first, area.top()) << n;
        }
    }
}
