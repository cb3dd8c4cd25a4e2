// The data-window frame: zoom box, scale selectors, Run and Stop with the
// running-view rule, paging and sources of the data table, the close question.
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

#include "FakeView.h"
#include "QtPrinters.h"
#include "ScopedPrompts.h"
#include "app/ChildFrame.h"
#include "ui/PageBar.h"
#include "ui/SourceButtons.h"
#include "ui/PageControl.h"
#include "ui/ScaleSelectors.h"
#include "ui/SheetToolBar.h"
#include "ui/ZoomEntry.h"
#include "corvane/ScaleConversion.h"
#include "corvane/SharedState.h"
#include "link/LinkSession.h"
#include "sim/SimInstrument.h"
#include "support/SharedStateGuard.h"

namespace {
// A session on a simulated instrument that is never connected; the link
// counts as up while linkUp is set.
class ChildFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session = std::make_unique<CLinkSession>(CreateSimInstrument("", nullptr));
        g_updateNum.store(0);
        g_bRunThreadR.store(1);
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam.strState = "Scan";
        waveDataLen = 3200;
    }
    void TearDown() override
    {
        frames.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        session.reset();
    }

    CChildFrame* Open(const char* typeName, FakeView::Controls controls = FakeView::kNoControls)
    {
        auto view = std::make_unique<FakeView>(controls);
        views.push_back(view.get());
        auto frame = std::make_unique<CChildFrame>(*KindByTypeName(QLatin1String(typeName)), std::move(view),
                                                   session.get());
        frames.push_back(std::move(frame));
        return frames.back().get();
    }
    FakeView* ViewOf(CChildFrame* frame) { return static_cast<FakeView*>(frame->View()); }

    CSharedStateGuard shared;   // goes last: the link flags stay up until the frames are gone
    std::unique_ptr<CLinkSession> session;
    std::vector<FakeView*> views;
    std::vector<std::unique_ptr<CChildFrame>> frames;
};

void PressEnter(QWidget* w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
}
}  // namespace

TEST(ZoomEntryTest, TypedPercentagesAreTrimmedClampedAndFormatted)
{
    auto big = ParseTypedZoom("1000");
    ASSERT_TRUE(big);
    EXPECT_EQ(big->text, "750%");
    EXPECT_DOUBLE_EQ(big->factor, 37.5);

    auto small = ParseTypedZoom("5");
    ASSERT_TRUE(small);
    EXPECT_EQ(small->text, " 20%");
    EXPECT_DOUBLE_EQ(small->factor, 1.0);

    auto signedWithPercents = ParseTypedZoom("-120%%");
    ASSERT_TRUE(signedWithPercents);
    EXPECT_EQ(signedWithPercents->text, "120%");
    EXPECT_DOUBLE_EQ(signedWithPercents->factor, 6.0);

    EXPECT_DOUBLE_EQ(ParseTypedZoom("+33.3")->factor, 33.3 * 5 / 100);
    for (const char* bad : {"abc", "", "%", "12a", "1.2.3", "1e3", "--50", "5 0"})
        EXPECT_FALSE(ParseTypedZoom(bad)) << bad;

    EXPECT_DOUBLE_EQ(ZoomFactorOfEntry(4), 7.0);   // "150%" is 7, not 7.5
    EXPECT_DOUBLE_EQ(ZoomFactorOfEntry(3), 5.0);
    EXPECT_EQ(ZoomFactorOfEntry(7), 0.0);
}

TEST_F(ChildFrameTest, ZoomBoxSetsTheViewFactorFromListAndTypedText)
{
    FakeView* view = ViewOf(Open("YTSheet", FakeView::kSheetSelectors));
    CSheetToolBar* bar = view->sheetBar;
    QComboBox* box = bar->ZoomBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->currentText(), "100%");

    bar->SelectZoomEntry(4);
    EXPECT_DOUBLE_EQ(view->zoom, 7.0);

    box->lineEdit()->setText("1000");
    PressEnter(box->lineEdit());
    EXPECT_DOUBLE_EQ(view->zoom, 37.5);
    EXPECT_EQ(box->currentText(), "750%");

    box->lineEdit()->setText("letters");
    PressEnter(box->lineEdit());
    EXPECT_DOUBLE_EQ(view->zoom, 37.5);
    EXPECT_EQ(box->currentText(), "letters");

    EXPECT_TRUE(bar->EnterZoomText("5%"));
    EXPECT_DOUBLE_EQ(view->zoom, 1.0);
    EXPECT_EQ(box->currentText(), " 20%");
}

TEST_F(ChildFrameTest, ScaleSelectorsPassTheConvertedScaleOfTheEntry)
{
    const QStringList h = HorizontalScaleTexts();
    ASSERT_EQ(h.size(), 31);
    EXPECT_EQ(h.front(), "4.00ns");
    EXPECT_EQ(h[2], "20.0ns");
    EXPECT_EQ(h[5], "200ns");
    EXPECT_EQ(h[8], "2.00us");
    EXPECT_EQ(h.back(), "40.0s");

    FakeView* view = ViewOf(Open("YTSheet", FakeView::kSheetSelectors));
    CSheetToolBar* bar = view->sheetBar;
    bar->SelectHorizontalScale(10);
    EXPECT_EQ(view->horizontal.index, 10);
    EXPECT_DOUBLE_EQ(view->horizontal.value, static_cast<double>(CalcTimeBase(11)));
    bar->SetScaleDomain(ScaleDomain::FrequencyDecibel);
    bar->SelectHorizontalScale(3);
    EXPECT_DOUBLE_EQ(view->horizontal.value, static_cast<double>(CalcFqBase(4)));
    bar->SelectVerticalScale(2);
    EXPECT_DOUBLE_EQ(view->vertical.value, CalcDbBase(3));

    bar->SetScaleDomain(ScaleDomain::TimeVoltage);
    bar->SetProbeFactor(10);
    bar->SelectVerticalScale(0);
    EXPECT_DOUBLE_EQ(view->vertical.value, static_cast<double>(CalcVoltBase(1, 10)) * 1000.0);
    bar->SetCustomVerticalScale(1234.0);
    bar->SelectVerticalScale(kCustomVerticalEntry);
    EXPECT_EQ(view->vertical.index, 11);
    EXPECT_DOUBLE_EQ(view->vertical.value, 1234.0);
    bar->SelectVerticalScale(12);
    EXPECT_EQ(view->vertical.index, 11);
}

TEST_F(ChildFrameTest, FirstRunningWindowStartsTimerTwoAndTheLastToStopKillsIt)
{
    CChildFrame* a = Open("YTSheet", FakeView::kSheetSelectors);
    CChildFrame* b = Open("WaveformMeasurement", FakeView::kTwoSources);
    EXPECT_EQ(session->ViewCount(), 2u);
    EXPECT_FALSE(session->IsAcquisitionTimerActive());

    a->show();
    QWidget* vertical = a->ToolBar()->widgetForAction(a->Action(kIdVerticalSelector));
    ASSERT_NE(vertical, nullptr);
    EXPECT_TRUE(vertical->isVisible());
    EXPECT_TRUE(a->Run());
    QCoreApplication::processEvents();   // the toolbar lays itself out
    EXPECT_FALSE(vertical->isVisible());
    EXPECT_TRUE(session->IsAcquisitionTimerActive());
    EXPECT_EQ(g_updateNum.load(), 1);
    EXPECT_FALSE(ViewOf(a)->sheetBar->SelectorsVisible());
    EXPECT_FALSE(a->Run());   // already running
    EXPECT_TRUE(b->Run());
    EXPECT_EQ(g_updateNum.load(), 2);
    EXPECT_TRUE(ViewOf(b)->sources->IsEnabled());

    EXPECT_TRUE(a->Stop());
    EXPECT_TRUE(session->IsAcquisitionTimerActive());
    EXPECT_TRUE(ViewOf(a)->sheetBar->SelectorsVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(vertical->isVisible());
    EXPECT_TRUE(b->Stop());
    EXPECT_FALSE(session->IsAcquisitionTimerActive());
    EXPECT_EQ(g_updateNum.load(), 0);
    EXPECT_FALSE(ViewOf(b)->sources->IsEnabled());
    EXPECT_FALSE(b->Stop());
}

TEST_F(ChildFrameTest, RunNeedsTheLinkAndWarnsWhileTheInstrumentIsStopped)
{
    ScopedPrompts prompts;
    CChildFrame* frame = Open("PowerSpectrum");
    g_bRunThreadR.store(0);
    EXPECT_FALSE(frame->Run());
    EXPECT_FALSE(ViewOf(frame)->IsRunning());
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->Action(kIdRun)->isEnabled());

    g_bRunThreadR.store(1);
    {
        std::lock_guard<std::recursive_mutex> lock(g_csLock);
        g_wfmParam.strState = "STOP";
    }
    EXPECT_TRUE(frame->Run());
    EXPECT_TRUE(ViewOf(frame)->IsRunning());
    ASSERT_EQ(prompts.notices.size(), 1);
    EXPECT_EQ(prompts.notices[0], "Please Run the  Oscillograph!");
    EXPECT_FALSE(frame->Action(kIdRun)->isEnabled());
    EXPECT_TRUE(frame->Action(kIdStop)->isEnabled());
}

TEST_F(ChildFrameTest, StoppingAfterADisconnectKeepsTheCountFromGoingNegative)
{
    CChildFrame* frame = Open("Arithmetic");
    ASSERT_TRUE(frame->Run());
    g_updateNum.store(0);   // what the Disconnect command does
    frame->StopIfRunning();
    EXPECT_EQ(g_updateNum.load(), 0);
    EXPECT_TRUE(frame->Run());
    EXPECT_EQ(g_updateNum.load(), 1);
    EXPECT_TRUE(session->IsAcquisitionTimerActive());
}

TEST_F(ChildFrameTest, CloseAsksAndOnlyYesClosesAndStops)
{
    ScopedPrompts prompts;
    QMdiArea area;
    auto view = std::make_unique<FakeView>();
    FakeView* fake = view.get();
    auto* frame = new CChildFrame(*KindByTypeName("YTSheet"), std::move(view), session.get());
    area.addSubWindow(frame);
    frame->show();
    ASSERT_TRUE(frame->Run());
    g_ReadWfm.store(1);

    prompts.answers = {QMessageBox::No};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(prompts.questions.value(0), "Continue to close this window?");
    EXPECT_EQ(g_ReadWfm.load(), 0);
    EXPECT_TRUE(fake->IsRunning());

    prompts.answers = {QMessageBox::Yes};
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(g_updateNum.load(), 0);
    EXPECT_FALSE(session->IsAcquisitionTimerActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_EQ(session->ViewCount(), 0u);
}

TEST(PageControlTest, PageCountFollowsTheRecordLength)
{
    CPageControl pages;
    pages.SetRecordLength(0);
    EXPECT_EQ(pages.PageCount(), 1);
    pages.SetRecordLength(6401);
    EXPECT_EQ(pages.PageCount(), 3);
    EXPECT_TRUE(pages.GoTo(3));
    pages.SetRecordLength(3200);
    EXPECT_EQ(pages.CurrentPage(), 1);
    EXPECT_FALSE(pages.Previous());
    EXPECT_FALSE(pages.Next());
}

// The page bar a data-table view puts on its frame's tool bar.
TEST_F(ChildFrameTest, DataTablePageControlsAreEnabledByPosition)
{
    CChildFrame* frame = Open("WaveformTabular", FakeView::kSourcesAndPages);
    FakeView* view = ViewOf(frame);
    CPageBar& bar = *view->pageBar;
    auto enabled = [&](int id) { return frame->Action(id)->isEnabled(); };

    frame->UpdateCommandStates();
    EXPECT_EQ(bar.Pages().PageCount(), 1);
    EXPECT_FALSE(enabled(kIdPreviousPage));
    EXPECT_FALSE(enabled(kIdNextPage));
    EXPECT_FALSE(enabled(kIdGoToPage));

    waveDataLen = 3201;
    frame->UpdateCommandStates();
    EXPECT_EQ(bar.Pages().PageCount(), 2);
    EXPECT_FALSE(enabled(kIdPreviousPage));
    EXPECT_TRUE(enabled(kIdNextPage));
    EXPECT_TRUE(enabled(kIdGoToPage));

    frame->Action(kIdNextPage)->trigger();
    EXPECT_EQ(bar.Pages().CurrentPage(), 2);
    EXPECT_TRUE(enabled(kIdPreviousPage));
    EXPECT_FALSE(enabled(kIdNextPage));
    ASSERT_EQ(view->pages.size(), 1u);
    EXPECT_EQ(view->pages[0].page, 2);

    waveDataLen = 16000;
    frame->UpdateCommandStates();
    bar.GoToPage("99");
    EXPECT_EQ(bar.Pages().CurrentPage(), 5);
    bar.GoToPage("x");
    EXPECT_EQ(bar.Pages().CurrentPage(), 1);
    bar.GoToPage("3");
    EXPECT_TRUE(enabled(kIdPreviousPage));
    EXPECT_TRUE(enabled(kIdNextPage));
}

// Source buttons sit on the tool bar before the full-screen button, are
// enabled only while the view runs, and a new source goes back to page 1.
TEST_F(ChildFrameTest, SourceButtonsFollowRunningAndResetPaging)
{
    waveDataLen = 9600;
    CChildFrame* frame = Open("WaveformTabular", FakeView::kSourcesAndPages);
    FakeView* view = ViewOf(frame);
    const QList<QAction*> actions = frame->ToolBar()->actions();
    EXPECT_LT(actions.indexOf(frame->Action(kIdSourceFFT)), actions.indexOf(frame->Action(kIdFullScreen)));
    EXPECT_GT(actions.indexOf(frame->Action(kIdSourceCH1)), actions.indexOf(frame->Action(kIdStop)));
    EXPECT_FALSE(view->sources->IsEnabled());
    ASSERT_TRUE(frame->Run());
    EXPECT_TRUE(view->sources->IsEnabled());
    frame->UpdateCommandStates();
    view->pageBar->GoToPage("3");

    EXPECT_FALSE(view->sources->Select(kSourceCH1));   // already the source
    EXPECT_TRUE(view->sources->Select(kSourceFFT));
    EXPECT_EQ(view->source, kSourceFFT);
    EXPECT_EQ(view->pageBar->Pages().CurrentPage(), 1);

    CChildFrame* measurement = Open("WaveformMeasurement", FakeView::kTwoSources);
    EXPECT_EQ(measurement->Action(kIdSourceFFT), nullptr);
    EXPECT_FALSE(ViewOf(measurement)->sources->Select(kSourceFFT));   // measurement has no FFT source
    EXPECT_TRUE(ViewOf(measurement)->sources->Select(kSourceCH2));
    EXPECT_EQ(ViewOf(measurement)->source, kSourceCH2);
}

TEST_F(ChildFrameTest, FullScreenHidesTheWindowBarsAndComesBack)
{
    QMdiArea area;
    area.resize(800, 600);
    auto* frame = new CChildFrame(*KindByTypeName("YTSheet"), std::make_unique<FakeView>(), session.get());
    area.addSubWindow(frame);
    area.show();
    frame->show();
    const QRect before = frame->geometry();
    bool signalled = false;
    QObject::connect(frame, &CChildFrame::FullScreenChanged, [&](bool on) { signalled = on; });

    frame->ToggleFullScreen();
    EXPECT_TRUE(frame->IsFullScreen());
    EXPECT_TRUE(signalled);
    EXPECT_TRUE(frame->ToolBar()->isHidden());
    EXPECT_EQ(frame->geometry().topLeft(), QPoint(-2, -2));
    EXPECT_EQ(frame->width(), area.viewport()->width() + 4);

    frame->ToggleFullScreen();
    EXPECT_FALSE(frame->IsFullScreen());
    EXPECT_FALSE(frame->ToolBar()->isHidden());
    EXPECT_EQ(frame->geometry(), before);
}
