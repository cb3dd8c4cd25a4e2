// The bus analysis window: live decoding of the simulated instrument's I2C
// and SPI traffic through message 1156, its settings panel, the ".bus" file,
// bitmap export and printing.
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include "ScopedPrompts.h"
#include "analysis/BusFieldText.h"
#include "analysis/view/Analyse_BusView.h"
#include "analysis/view/AnalyseView.h"
#include "analysis/view/BusSettingsPanel.h"
#include "app/ChildFrame.h"
#include "app/AppSettings.h"
#include "ui/DocKinds.h"
#include "app/MainFrame.h"
#include "corvane/WaveMemory.h"
#include "docs/BusFile.h"
#include "link/LinkSession.h"
#include "sim/SimInstrument.h"
#include "support/QuickTimings.h"

namespace {

const DocKind& BusKind() { return *KindByTypeName(QStringLiteral("AnalyseBus")); }

struct BusWindow {
    explicit BusWindow(CLinkSession* session = nullptr) {
        auto owned = std::make_unique<CAnalyse_BusView>(session);
        view = owned.get();
        frame = new CChildFrame(BusKind(), std::move(owned), session);
        frame->resize(900, 640);
        frame->show();
        QCoreApplication::processEvents();
    }
    ~BusWindow() { delete frame; }

    CChildFrame* frame;
    CAnalyse_BusView* view;
};

// The decoded fields as the display writes them ("Addr:50W1").
std::vector<std::string> Shown(CAnalyse_BusView& view) {
    const CBusAnalysisData& d = view.Data();
    std::vector<std::string> shown;
    for (const BusFieldText& t : BusFieldTexts(d.Decoder().Results(), d.numberBase, !d.IsSPI(), false))
        shown.push_back(t.label + t.value + t.mark);
    return shown;
}

// Runs the window on the simulated instrument until a transfer decodes, as
// the settings decode would (read mode, then the waveform request).
// The record holds one whole transfer and only fields of it: repeats of the
// transfer, and pieces of it cut off at the record's ends, are no error.
bool HoldsTransfer(const std::vector<std::string>& shown, const std::vector<std::string>& transfer) {
    for (const std::string& field : shown)
        if (std::find(transfer.begin(), transfer.end(), field) == transfer.end()) return false;
    return std::search(shown.begin(), shown.end(), transfer.begin(), transfer.end()) != shown.end();
}

// Each channel's record ends with its own message: a transfer counts once
// both records of it have been decoded together.
void RunUntilDecoded(CLinkSession& session, BusWindow& w, const std::vector<std::string>& transfer) {
    w.view->StartRun();
    session.ViewStarted();
    for (int attempt = 0; attempt < 20 && !HoldsTransfer(Shown(*w.view), transfer); ++attempt) {
        if (!session.WaitUntil([] { return g_ReadWfm.load() == 1; }, 3000)) break;
        g_ReadWfm = 0;
        session.RequestWaveforms();
        session.WaitUntil([&] { return HoldsTransfer(Shown(*w.view), transfer); }, 1500);
    }
    w.view->StopRun();
    session.ViewStopped();
}

void SetSharedTimeBase(int index) {
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    g_wfmParam = tagWaveformParam{};
    g_wfmParam.nCH1Show = g_wfmParam.nCH2Show = 1;
    g_wfmParam.nTimeBaseIndex = index;
}

} // namespace

TEST(BusEndToEnd, SimulatedI2CAndSPIDecodeLiveSaveReopenExportPrint) {
    // The simulator's time base is 200 us per division (1 us per sample):
    // buses of 20 kHz put whole transfers on the screen.
    struct Case {
        const char* sim;
        const char* bus;
        std::vector<std::string> expected;
    } cases[] = {
        {"model=0,ch1=i2c:20k:addr=0x50:data=A5,3C:gap=4,ch2=none", "I2C",
         {"Addr:50W1", "Data:A5", "Data:3C", "Stop"}},
        {"model=0,ch1=spi:20k:mode=1:data=A5,3C:gap=4,ch2=none", "SPI", {"Data:A5", "Data:3C"}},
    };
    MallocWaveDataBuf(4000, 0, 0.8f);
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sim);
        std::string why;
        auto sim = CreateSimInstrument(c.sim, &why);
        ASSERT_TRUE(sim) << why;
        CLinkSession session(sim, QuickLinkTimings());
        session.SetAcquisitionInterval(100);
        ASSERT_EQ(session.ConnectCommand(), 1);
        SetSharedTimeBase(14); // CalcTimeBase(15) = 200000 ns
        const QString path = dir.filePath(QString::fromLatin1(c.bus) + QStringLiteral(".bus"));
        std::vector<std::string> shown;
        {
            BusWindow w(&session);
            w.view->Panel().ChooseBusType(QString::fromLatin1(c.bus));
            QLineEdit* high = w.view->Panel().TimeEdit(0);
            QLineEdit* low = w.view->Panel().TimeEdit(1);
            for (QLineEdit* edit : {high, low}) {
                edit->setText(QStringLiteral("25"));
                w.view->Panel().UnitList(edit == high ? 0 : 1)->setCurrentText(QStringLiteral("us"));
                emit edit->editingFinished();
            }
            RunUntilDecoded(session, w, c.expected);
            EXPECT_EQ(w.view->Data().timeBase, 200000.0f);
            ASSERT_TRUE(HoldsTransfer(Shown(*w.view), c.expected)) << w.view->Data().Decoder().Status();
            shown = Shown(*w.view);
            const QByteArray snapshot = qgetenv("QV_BUS_SNAPSHOT");
            if (!snapshot.isEmpty())
                w.frame->grab().save(QString::fromLocal8Bit(snapshot) + QLatin1Char('-') + QLatin1String(c.bus) +
                                     QStringLiteral(".png"));
            QString error;
            ASSERT_TRUE(w.view->SaveDocument(path, &error)) << error.toStdString();

            // Export and printing of what the window shows.
            const QString bmp = dir.filePath(QStringLiteral("bus.bmp"));
            ASSERT_EQ(w.view->ExportTo(bmp), 1);
            QFile exported(bmp);
            ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
            EXPECT_EQ(exported.read(2), QByteArray("BM"));
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(QStringLiteral("bus.pdf")));
            w.view->PrintPage(printer);
            EXPECT_GT(QFile(dir.filePath(QStringLiteral("bus.pdf"))).size(), 1000);
        }
        session.DisconnectCommand();
        BusWindow reopened;
        QString error;
        ASSERT_TRUE(reopened.view->LoadDocument(path, &error)) << error.toStdString();
        EXPECT_EQ(Shown(*reopened.view), shown);
        EXPECT_EQ(reopened.view->Panel().BusTypeList()->currentText(), QString::fromLatin1(c.bus));
        const QString data = QString::fromLatin1(QString::fromLatin1(c.bus) == QLatin1String("SPI") ? "DATA" : "SDA");
        EXPECT_EQ(reopened.view->Panel().LineList(0)->currentText(), data);
        EXPECT_EQ(reopened.view->Panel().LineList(0)->itemText(0), data);
    }
    SetSharedTimeBase(0);
}

TEST(BusView, PanelRefillsPerBusTypeAndFilesKeepEveryField) {
    BusWindow w;
    CBusSettingsPanel& panel = w.view->Panel();
    EXPECT_EQ(panel.Tabs()->count(), 5);
    EXPECT_EQ(panel.Tabs()->tabText(0), QStringLiteral("area of Valve Setup"));
    EXPECT_EQ(panel.TimeEdit(0)->text(), QStringLiteral("4.0"));
    EXPECT_EQ(panel.TimeEdit(1)->text(), QStringLiteral("4.7"));
    EXPECT_EQ(panel.TimeEdit(2)->maxLength(), 8);
    EXPECT_EQ(panel.LineList(1)->currentText(), QStringLiteral("SCL"));

    panel.ChooseBusType(QStringLiteral("SPI"));
    EXPECT_EQ(panel.TimeEdit(0)->text(), QStringLiteral("90"));
    EXPECT_EQ(panel.UnitList(0)->currentText(), QStringLiteral("ns"));
    EXPECT_EQ(w.view->Data().spi.startBuild, "250ns");
    EXPECT_EQ(panel.LineList(0)->currentText(), QStringLiteral("DATA"));
    EXPECT_EQ(panel.LineList(1)->currentText(), QStringLiteral("CLK"));
    // CH1 shows the clock instead: the decoder takes its data from CH2.
    panel.LineList(0)->setCurrentText(QStringLiteral("CLK"));
    panel.LineList(1)->setCurrentText(QStringLiteral("DATA"));
    EXPECT_EQ(w.view->Data().DataChannel(), 1);

    // Colour commands: "BACK" repaints everything, "CH1" only sets the colour.
    EXPECT_EQ(w.view->SetAreaColour(QStringLiteral("BACK"), QColor(0x10, 0x20, 0x30)), 1);
    EXPECT_EQ(w.view->Data().colours[kBusBack], 0x302010u);
    EXPECT_EQ(w.view->SetAreaColour(QStringLiteral("CH1"), Qt::red), 1);
    EXPECT_EQ(w.view->SetAreaColour(QStringLiteral("Res3"), Qt::red), 0);

    std::unique_ptr<CBusAnalysisData> loaded = CBusFile::LoadBytes(CBusFile::Store(w.view->Data()));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->lineNames[0], "CLK");

    ScopedPrompts prompts;
    EXPECT_EQ(w.view->ExportTo(QStringLiteral("/nonexistent-dir/x.bmp")), 0);
    EXPECT_EQ(prompts.notices, QStringList{QStringLiteral("Write File Error!")});
}

TEST(BusView, FileNewNumbersWindowsRefusesTheTenthAndWorkspacesRestoreThem) {
    QTemporaryDir dir;
    ScopedPrompts prompts;
    CAppSettings settings;
    auto frame = std::make_unique<CMainFrame>(CreateSimInstrument("", nullptr), settings,
                                              dir.filePath(QStringLiteral("Param.ini")).toStdString());
    for (int i = 0; i < CAnalyse_BusView::kMaxWindows + 1; ++i)
        frame->NewWindow(BusKind());
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<CChildFrame*> frames = frame->ChildFrames();
    ASSERT_EQ(frames.size(), CAnalyse_BusView::kMaxWindows);
    EXPECT_EQ(frames.front()->windowTitle(), QStringLiteral("Bus_1"));
    EXPECT_EQ(prompts.notices, QStringList{QStringLiteral("Exceed maximum window numbers limit!")});
    EXPECT_FALSE(frames.front()->View()->IsPlaceholder());

    // One SPI window in a workspace comes back as an SPI window.
    for (int i = 1; i < frames.size(); ++i)
        frames[i]->CloseWithoutAsking();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* view = static_cast<CAnalyse_BusView*>(frames.front()->View());
    view->Panel().ChooseBusType(QStringLiteral("SPI"));
    const QString path = dir.filePath(QStringLiteral("desk.wrk"));
    ASSERT_TRUE(frame->WriteWorkspace(path));
    ASSERT_TRUE(frame->CloseWorkspace());
    ASSERT_EQ(frame->ReadWorkspace(path), 1);
    frames = frame->ChildFrames();
    ASSERT_EQ(frames.size(), 1);
    view = static_cast<CAnalyse_BusView*>(frames.front()->View());
    EXPECT_TRUE(view->Data().IsSPI());
    EXPECT_EQ(view->Panel().LineList(1)->currentText(), QStringLiteral("CLK"));
    frame.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
