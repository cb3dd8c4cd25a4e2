// The front panel against the simulated instrument: a key pressed on the
// panel changes the instrument, and the next screen image it asks for shows
// the change.
#include <QAbstractButton>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>

#include "PanelTestSupport.h"
#include "link/LinkSession.h"
#include "link/LinkTimings.h"
#include "support/QuickTimings.h"
#include "link/view/LCDCtrl.h"
#include "link/view/VirtualPanel.h"
#include "sim/SimInstrument.h"

namespace {

class PanelLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPanelState();
        std::string error;
        sim = CreateSimInstrument("model=0,ch1=sine:1k:2,ch2=none", &error);
        ASSERT_TRUE(sim) << error;
        session = std::make_unique<CLinkSession>(sim, PanelLinkTimings());
    }
    void TearDown() override
    {
        panel.reset();
        if (session)
            session->DisconnectCommand();
        session.reset();
        ResetPanelState();
    }
    // Asks for a screen as the screen timer does and waits for it to arrive.
    QImage FetchScreen()
    {
        const int before = panel->ScreensReceived();
        panel->OnScreenTimer();
        EXPECT_TRUE(session->WaitUntil([&] { return panel->ScreensReceived() > before; }, 5000));
        return panel->LCD()->Picture();
    }

    std::shared_ptr<CSimInstrument> sim;
    std::unique_ptr<CLinkSession> session;
    std::unique_ptr<CVirtualPanel> panel;
};

int CountDifferentPixels(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return n;
}
}  // namespace

TEST_F(PanelLinkTest, KeyPressedOnThePanelShowsOnTheNextScreen)
{
    ASSERT_EQ(session->ConnectCommand(), 1);
    ASSERT_EQ(g_bVKTable.load(), 1);
    panel = std::make_unique<CVirtualPanel>(&session->Sender(), session.get());
    session->StopStatusPoll();   // the panel's own requests only

    const QImage before = FetchScreen();
    QImage black(before.size(), QImage::Format_RGB32);
    black.fill(Qt::black);
    EXPECT_GT(CountDifferentPixels(before, black), 1000);   // a real screen, not the blank mirror
    const int64_t voltsBefore = sim->Param("VERT-CH1-VB");

    panel->Button(1058)->click();   // VT-CH1-VBADD-KEY
    ASSERT_TRUE(session->WaitUntil([&] { return sim->Param("VERT-CH1-VB") == voltsBefore + 1; }, 5000));
    const QImage after = FetchScreen();
    EXPECT_GT(CountDifferentPixels(before, after), 100);
    EXPECT_EQ(panel->ScreensReceived(), 2);
}

TEST_F(PanelLinkTest, KeysFollowTheSenderTheSessionHoldsNow)
{
    LoadTestKeyTable();
    panel = std::make_unique<CVirtualPanel>(&session->Sender(), session.get());
    CRecordingSender settingsObject;   // handed over after the panel was made
    session->SetCommandSender(&settingsObject);
    panel->show();                     // opening releases read mode there
    panel->Button(1026)->click();      // CT-AUTOSET-KEY, position 3
    panel->OnScreenTimer();
    ASSERT_EQ(settingsObject.sent.size(), 3u);
    EXPECT_EQ(settingsObject.sent[0].nCmd, kCmdReadMode);
    EXPECT_EQ(settingsObject.sent[1].nCmd, kCmdKey);
    EXPECT_EQ(settingsObject.sent[1].llValue, 3);
    EXPECT_EQ(settingsObject.sent[2].nCmd, kCmdScreen);
    panel.reset();                     // so does closing
    EXPECT_EQ(settingsObject.sent.back().nCmd, kCmdReadMode);
    session->SetCommandSender(nullptr);
}
