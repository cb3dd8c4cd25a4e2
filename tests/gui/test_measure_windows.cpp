// The measurement and data-table windows on records of the simulated
// instrument put into the shared buffers as the link leaves them: the grid
// after an update, save and reopen, export, printing. With
// QV_SCREENSHOT_DIR set, both windows are also saved as pictures there.
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <mutex>

#include "QtPrinters.h"
#include "ScopedPrompts.h"
#include "corvane/SharedState.h"
#include "corvane/WaveMemory.h"
#include "docs/view/WaveformMeasurementView.h"
#include "docs/view/WaveformTabularView.h"
#include "sim/SignalRenderer.h"

namespace {

// A 1 kHz pulse of 25 % duty from -1 V to 2 V on CH1 and a 1 kHz sine on CH2,
// 1 V per division, 200 us per division: one sample per microsecond.
class SimulatedRecord {
public:
    SimulatedRecord() {
        ObligateMemSpace();
        MallocWaveDataBuf(4000, 0, 0.8f);
        SignalSpec pulse, sine;
        ParseSignalSpec("pulse:1k:3:0.5:duty=25", &pulse, nullptr);
        ParseSignalSpec("sine:1k:2", &sine, nullptr);
        ChannelFrontEnd fe;
        AcquisitionTiming t;
        t.secondsPerDiv = 200e-6;
        t.trigger.levelVolts = 0.5;
        const std::vector<uint8_t> ch1 = RenderChannel(pulse, sine, 1, fe, t);
        const std::vector<uint8_t> ch2 = RenderChannel(pulse, sine, 2, fe, t);
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        std::copy(ch1.begin(), ch1.end(), ADBufferCH1);
        std::copy(ch2.begin(), ch2.end(), ADBufferCH2);
        m_saved = g_wfmParam;
        g_wfmParam.llCH1VoltBase = g_wfmParam.llCH2VoltBase = 1000000;
        g_wfmParam.fMeasureTimeBase = g_wfmParam.fTableTimeBase = 200000;
        g_wfmParam.strState = "Trigd";
        WaveDots = 200;
    }
    ~SimulatedRecord() {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam = m_saved;
    }

private:
    tagWaveformParam m_saved;
};

void SaveScreenshot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("QV_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    w.resize(420, 560);
    w.grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QLatin1String(name));
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Prints every page of a view into a PDF; the file's size.
qint64 PrintToPdf(CDataView& view, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    view.PrintPage(printer, 1);
    return QFile(path).size();
}

class MeasureWindows : public ::testing::Test {
protected:
    ChildViewContext Context(const char* kind) {
        ChildViewContext c;
        c.kind = KindByTypeName(QLatin1String(kind));
        return c;
    }
    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    SimulatedRecord record;
    QTemporaryDir dir;
    ScopedPrompts prompts;
};

}  // namespace

TEST_F(MeasureWindows, MeasurementWindowShowsTheSignalSavesReopensExportsAndPrints) {
    CWaveformMeasurementView view(Context("WaveformMeasurement"));
    ASSERT_EQ(view.GetRows(), 26);
    EXPECT_EQ(view.GetTextMatrix(0, 1), "Type");
    EXPECT_EQ(view.GetTextMatrix(25, 1), "Slew rate");
    view.UpdateFromAcquisition();
    EXPECT_EQ(view.GetTextMatrix(1, 2), "1.0000 kHz");
    EXPECT_EQ(view.GetTextMatrix(12, 2), " 25 %");
    EXPECT_EQ(view.GetTextMatrix(7, 2), "2.00 v");  // Vmax: the pulse's high level
    EXPECT_TRUE(view.GetTextMatrix(25, 2).endsWith("/us"));
    SaveScreenshot(view, "measurement-window.png");

    QString error;
    ASSERT_TRUE(view.SaveDocument(Path("m.mes"), &error)) << error.toStdString();
    CWaveformMeasurementView reopened(Context("WaveformMeasurement"));
    ASSERT_TRUE(reopened.LoadDocument(Path("m.mes"), &error)) << error.toStdString();
    for (int row = 1; row <= 25; ++row) EXPECT_EQ(reopened.GetTextMatrix(row, 2), view.GetTextMatrix(row, 2));

    prompts.chosenFile = Path("m.csv");
    ASSERT_TRUE(reopened.ExportCommand());
    EXPECT_EQ(prompts.lastInitialName, "*.txt");
    EXPECT_TRUE(FileBytes(Path("m.csv")).startsWith("Type,Value,\r\nFrequency(Hz),1000.000000,\r\n"));
    prompts.chosenFile = Path("missing/m.txt");
    EXPECT_FALSE(reopened.ExportCommand());
    ASSERT_EQ(prompts.notices.size(), 1);
    EXPECT_TRUE(prompts.notices[0].startsWith("Export the file fail!"));
    EXPECT_GT(PrintToPdf(view, Path("m.pdf")), 0);
}

TEST_F(MeasureWindows, DataTableWindowShowsPagesAndTheSpectrum) {
    CWaveformTabularView view(Context("WaveformTabular"));
    view.UpdateFromAcquisition();
    EXPECT_EQ(view.GetRows(), 3201);
    EXPECT_EQ(view.GetTextMatrix(0, 2), "Voltage");
    EXPECT_EQ(view.GetTextMatrix(3200, 0), "3200");
    // Sample 0 sits 8 divisions before the trigger.
    EXPECT_EQ(view.GetTextMatrix(1, 1), "-1.600 ms");
    SaveScreenshot(view, "data-table-window.png");

    view.Doc().data.mode = kTableSpectrum;
    view.UpdateFromAcquisition();
    EXPECT_EQ(view.GetTextMatrix(0, 1), "Frequency");
    EXPECT_EQ(view.Doc().data.FilledRows(), kTableSpectrumRows);
    EXPECT_EQ(view.GetTextMatrix(1025, 1), "");

    QString error;
    ASSERT_TRUE(view.SaveDocument(Path("t.dat"), &error)) << error.toStdString();
    CWaveformTabularView reopened(Context("WaveformTabular"));
    ASSERT_TRUE(reopened.LoadDocument(Path("t.dat"), &error)) << error.toStdString();
    EXPECT_EQ(reopened.GetTextMatrix(0, 2), "Power");
    EXPECT_EQ(reopened.GetTextMatrix(9, 1), view.GetTextMatrix(9, 1));
    prompts.chosenFile = Path("t.txt");
    ASSERT_TRUE(reopened.ExportCommand());
    const QByteArray txt = FileBytes(Path("t.txt"));
    EXPECT_TRUE(txt.startsWith("NO.\tFrequency\t\tPower\r\n1\t"));
    EXPECT_EQ(txt.count('\n'), 1 + kTableSpectrumRows);
    EXPECT_GT(PrintToPdf(view, Path("t.pdf")), 0);
}
