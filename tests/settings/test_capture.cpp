// Capture of several acquisitions through the whole cycle (timer 2, read
// mode, decode, waveform requests) against the simulated signals, and their
// CSV file.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

#include "SettingsRig.h"
#include "link/LinkSession.h"
#include "settings/CaptureRun.h"
#include "settings/SettingKinds.h"

namespace {

// Sample positions where the trace rises through level, interpolated.
std::vector<double> RisingCrossings(const std::vector<double>& v, double level)
{
    std::vector<double> at;
    for (size_t i = 1; i < v.size(); ++i)
        if (v[i - 1] < level && v[i] >= level)
            at.push_back(static_cast<double>(i - 1) + (level - v[i - 1]) / (v[i] - v[i - 1]));
    return at;
}

double PeriodInSamples(const std::vector<double>& v, double level)
{
    const std::vector<double> c = RisingCrossings(v, level);
    return c.size() < 2 ? 0.0 : (c.back() - c.front()) / static_cast<double>(c.size() - 1);
}

}  // namespace

TEST(SettingsCapture, RecordsMatchTheSimulatedSignals)
{
    CSettingsRig rig("model=4,ch1=sine:1k:2,ch2=square:10k:3.3:1.65");
    ASSERT_TRUE(rig.Connect());
    ASSERT_EQ(rig.Edit(KIND_VOLTS_PER_DIV, 1, {-1, "500mV"}).outcome, EditOutcome::Applied);
    rig.session->SetAcquisitionInterval(5);
    CCaptureRun run(*rig.session, *rig.model);
    ASSERT_EQ(run.Run(4, 10000), 4);
    EXPECT_FALSE(rig.session->IsAcquisitionTimerActive());

    const double countV1 = 0.5 / 25, countV2 = 1.0 / 25;
    for (const CapturedRecord& r : run.Records()) {
        ASSERT_EQ(r.ch1.size(), 3200u);
        ASSERT_EQ(r.ch2.size(), 3200u);
        const std::vector<double> ch1 = RecordVolts(r, 0), ch2 = RecordVolts(r, 1);
        const auto [lo1, hi1] = std::minmax_element(ch1.begin(), ch1.end());
        EXPECT_NEAR(*hi1, 1.0, countV1);
        EXPECT_NEAR(*lo1, -1.0, countV1);
        const auto [lo2, hi2] = std::minmax_element(ch2.begin(), ch2.end());
        EXPECT_NEAR(*hi2, 3.3, countV2);
        EXPECT_NEAR(*lo2, 0.0, countV2);
        // 200 us/div over 16 divisions: 1 us per sample.
        const double dt = SampleInterval(r);
        EXPECT_NEAR(dt, 1e-6, 1e-9);
        EXPECT_NEAR(PeriodInSamples(ch1, 0.0), 1e-3 / dt, 1.0);
        EXPECT_NEAR(PeriodInSamples(ch2, 1.65), 1e-4 / dt, 1.0);
        EXPECT_EQ(r.param.llCH1VoltBase, 500000);
    }
}

TEST(SettingsCapture, CsvHoldsTheRecordsInVoltsAndIsWrittenWhole)
{
    CSettingsRig rig("model=4,ch1=sine:1k:2,ch2=none");
    ASSERT_TRUE(rig.Connect());
    rig.session->SetAcquisitionInterval(5);
    CCaptureRun run(*rig.session, *rig.model);
    ASSERT_EQ(run.Run(2, 10000), 2);

    QTemporaryDir dir;
    const QString path = dir.filePath("capture.csv");
    ASSERT_EQ(WriteCaptureCsv(path.toStdString(), run.Records()), "");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 2 * 3200 + 2);  // header, rows, final newline
    EXPECT_EQ(lines[0], "record,time_s,ch1_V,ch2_V");
    const std::vector<double> ch1 = RecordVolts(run.Records()[1], 0);
    const QList<QByteArray> row = lines[3200 + 1 + 100].split(',');
    ASSERT_EQ(row.size(), 4);
    EXPECT_EQ(row[0], "2");
    EXPECT_NEAR(row[1].toDouble(), 100e-6, 1e-9);
    EXPECT_NEAR(row[2].toDouble(), ch1[100], 1e-5);
    EXPECT_NEAR(row[3].toDouble(), 0.0, 1e-9);  // CH2 sees no signal
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"capture.csv"});

    EXPECT_NE(WriteCaptureCsv(dir.filePath("missing/capture.csv").toStdString(), run.Records()), "");
}

TEST(SettingsCapture, BackToBackStartsEachAcquisitionWithoutTheTimer)
{
    // Timer 2 would not tick within the run; every acquisition has to start
    // from the end of the one before.
    CSettingsRig rig("model=4,ch1=sine:1k:2,ch2=square:10k:3.3:1.65");
    ASSERT_TRUE(rig.Connect());
    rig.session->SetAcquisitionInterval(60000);
    CCaptureRun run(*rig.session, *rig.model);
    run.SetBackToBack(true);
    ASSERT_EQ(run.Run(3, 5000), 3);
    for (const CapturedRecord& r : run.Records()) {
        EXPECT_EQ(r.ch1.size(), 3200u);
        EXPECT_EQ(r.ch2.size(), 3200u);
    }
    EXPECT_FALSE(rig.session->IsAcquisitionTimerActive());
}
