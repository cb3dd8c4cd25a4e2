// The power spectrum and arithmetic windows from their kinds, on the
// simulated instrument: a live update fills both windows, the power spectrum
// window saves, reopens and exports its 1024 bins, the arithmetic window's
// result follows the instrument's own signals.
#include "ScopedPrompts.h"
#include "analysis/FftPower.h"
#include "analysis/view/ArithmeticPanel.h"
#include "analysis/view/ArithmeticView.h"
#include "analysis/view/FFTView.h"
#include "analysis/view/OutputView.h"
#include "analysis/view/PowerPanel.h"
#include "analysis/view/PowerView.h"
#include "app/ChildFrame.h"
#include "corvane/ScaleConversion.h"
#include "corvane/WaveMemory.h"
#include "docs/ArithmeticDoc.h"
#include "docs/PowerDoc.h"
#include "link/LinkSession.h"
#include "sim/SimInstrument.h"
#include "support/QuickTimings.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <mutex>

namespace {

template <class View>
struct Window {
    Window(const char* typeName, CLinkSession* session) {
        const DocKind& kind = *KindByTypeName(QLatin1String(typeName));
        std::unique_ptr<IChildView> made = CreateChildView(kind, ChildViewContext{session, &kind, nullptr});
        view = dynamic_cast<View*>(made.get());
        frame = new CChildFrame(kind, std::move(made), session);
        frame->resize(640, 620);
        frame->show();
        QCoreApplication::processEvents();
    }
    ~Window() { delete frame; }
    CChildFrame* frame;
    View* view = nullptr;
};

bool HasSamples(const std::uint8_t* copy, int length) {
    for (int i = 0; copy && i < length; ++i)
        if (copy[i] != 0) return true;
    return false;
}

void SaveSnapshot(QWidget* w, const char* variable) {
    const QByteArray path = qgetenv(variable);
    if (!path.isEmpty()) w->grab().save(QString::fromLocal8Bit(path));
}

} // namespace

TEST(AnalysisWindows, SimulatedRunFillsBothWindowsAndThePowerFileRoundTrips) {
    std::string why;
    auto sim = CreateSimInstrument("model=0,ch1=sine:10k:2,ch2=square:1k:2:0", &why);
    ASSERT_TRUE(sim) << why;
    CLinkSession session(sim, QuickLinkTimings());
    session.SetAcquisitionInterval(100);
    ASSERT_EQ(session.ConnectCommand(), 1);
    MallocWaveDataBuf(4000, 0, 0.8f);
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam = tagWaveformParam{};
        g_wfmParam.nTimeBaseIndex = 15;
        g_wfmParam.fMeasureTimeBase = 200000.0f;
        g_wfmParam.fFFTFreqBase = 50000.0f;
        g_wfmParam.nFFTDbBase = 10;
        g_wfmParam.llCH1VoltBase = 500000;
        g_wfmParam.llCH2VoltBase = 1000000;
        g_wfmParam.strState = "Ready";
    }
    QTemporaryDir dir;
    const QString psm = dir.filePath(QStringLiteral("run.psm"));
    std::vector<std::uint8_t> ch2Copy;
    {
        Window<CPowerSpectrumView> power("PowerSpectrum", &session);
        Window<CArithmeticView> arith("Arithmetic", &session);
        ASSERT_TRUE(power.view && arith.view);
        for (IChildView* v : {static_cast<IChildView*>(power.view), static_cast<IChildView*>(arith.view)}) {
            v->StartRun();
            session.ViewStarted();
        }
        ASSERT_TRUE(session.WaitUntil([] { return g_ReadWfm.load() == 1; }, 5000));
        g_ReadWfm = 0;
        session.RequestWaveforms();
        const CPowerSpectrumData& data = power.view->Doc().Data();
        ASSERT_TRUE(session.WaitUntil(
            [&] { return HasSamples(data.Copy(0), data.RecordLength()) && HasSamples(data.Copy(1), data.RecordLength()); },
            5000));
        QCoreApplication::processEvents();

        // 10 kHz at 50 kHz per division: bin 10000 * 1024 / 500000 = 20.5.
        std::array<std::int32_t, kSpectrumBins> db{};
        ASSERT_EQ(power.view->Panel().Spectrum().ComputeDb(db), 0);
        EXPECT_NEAR(std::max_element(db.begin() + 3, db.end()) - db.begin(), 20.48, 1.0);
        EXPECT_EQ(power.view->Panel().Spectrum().FreqPerDivision(), 5.0e7f);
        // The arithmetic result follows the same records. The simulator puts
        // each 2 Vpp signal at +-1 V / (its volts per division) x 25 counts
        // about its position; the window takes CH1 at 0.5 V and CH2 at 1 V per
        // division, so the sum peaks at 0.5 (P1 + A1) + (P2 + A2) or its
        // opposite: the sine's crests meet both halves of the square.
        ASSERT_TRUE(session.WaitUntil([&] { return arith.view->Panel().Output().Result().peak > 0; }, 5000));
        EXPECT_EQ(arith.view->Doc().Data().outputVoltsPerDivision, 1000.0);
        const auto swing = [&](const std::string& channel) {
            EXPECT_EQ(sim->Param("VERT-" + channel + "-PROBE"), 0);
            const double voltsPerDivision =
                static_cast<double>(CalcVoltBase(static_cast<int>(sim->Param("VERT-" + channel + "-VB")) + 1, 1)) / 1000;
            return std::pair{static_cast<double>(sim->Param("VERT-" + channel + "-POS")),
                             static_cast<double>(std::lround(25 / voltsPerDivision))};
        };
        const auto [p1, a1] = swing("CH1");
        const auto [p2, a2] = swing("CH2");
        const double expected = std::max(std::abs(0.5 * (p1 + a1) + p2 + a2), std::abs(0.5 * (p1 - a1) + p2 - a2));
        EXPECT_NEAR(arith.view->Panel().Output().Result().peak, expected, 0.5) << p1 << " " << a1 << " " << p2 << " " << a2;

        for (IChildView* v : {static_cast<IChildView*>(power.view), static_cast<IChildView*>(arith.view)}) {
            v->StopRun();
            session.ViewStopped();
        }
        power.view->Panel().InputList().setCurrentIndex(1);
        power.view->Panel().WindowList().setCurrentIndex(kWindowFlatTop);
        SaveSnapshot(power.frame, "QV_POWER_SNAPSHOT");
        SaveSnapshot(arith.frame, "QV_ARITH_SNAPSHOT");
        ch2Copy.assign(data.Copy(1), data.Copy(1) + data.RecordLength());
        QString error;
        ASSERT_TRUE(power.view->SaveDocument(psm, &error)) << error.toStdString();
        ASSERT_TRUE(power.view->WriteExport(dir.filePath(QStringLiteral("bins")), &error)) << error.toStdString();
        ASSERT_TRUE(arith.view->WriteExport(dir.filePath(QStringLiteral("arith.bmp")), &error));
    }
    session.DisconnectCommand();

    QFile csv(dir.filePath(QStringLiteral("bins.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count('\n'), 1025);

    Window<CPowerSpectrumView> reopened("PowerSpectrum", nullptr);
    QString error;
    ASSERT_TRUE(reopened.view->LoadDocument(psm, &error)) << error.toStdString();
    const CPowerSpectrumData& back = reopened.view->Doc().Data();
    EXPECT_EQ(back.inputSelection, 1);
    EXPECT_EQ(reopened.view->Panel().InputList().currentIndex(), 1);
    EXPECT_EQ(reopened.view->Panel().Spectrum().Window(), kWindowFlatTop);
    ASSERT_EQ(std::size_t(back.RecordLength()), ch2Copy.size());
    EXPECT_TRUE(std::equal(ch2Copy.begin(), ch2Copy.end(), back.Copy(1)));
    EXPECT_EQ(reopened.view->Panel().Spectrum().Record(), back.Copy(1));
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    g_wfmParam = tagWaveformParam{};
}
