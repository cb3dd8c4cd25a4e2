#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <thread>

#include "corvane/MessageTables.h"
#include "corvane/SharedState.h"
#include "corvane/UiHelpers.h"

namespace {

// Sets the language for one test and restores English afterwards.
class LanguageScope {
public:
    explicit LanguageScope(uint32_t language) { g_nLanguage = language; }
    ~LanguageScope() { g_nLanguage = 0; }
};

// The text of each language must end inside its fixed row.
template <std::size_t W>
void ExpectFitsRow(const char (&table)[2][W], const char* name)
{
    for (int language = 0; language < 2; ++language) {
        const void* end = std::memchr(table[language], '\0', W);
        EXPECT_NE(end, nullptr) << name << " language " << language << " overruns " << W << " bytes";
        EXPECT_GT(std::strlen(table[language]), 0u) << name << " language " << language << " is empty";
    }
}

}  // namespace

TEST(SharedState, LinkFlagsAndGeometryStartAsTheLinkExpects)
{
    EXPECT_EQ(g_bSend.load(), 1);
    EXPECT_EQ(g_WaveTransOver.load(), 1);
    EXPECT_EQ(g_bRunThreadR.load(), 0);
    EXPECT_EQ(g_ConfignameLen.load(), static_cast<int32_t>(g_ConfigName.size()));
    EXPECT_EQ(g_VKConfigName.size(), 16u);
    EXPECT_EQ(waveDataLen, static_cast<int32_t>(g_GridNum * static_cast<float>(WaveDots)));
    EXPECT_EQ(g_nLCDMode, 1);
    EXPECT_EQ(Null_Menu.menu, -1);
    EXPECT_EQ(Null_Menu.item, -1);
    EXPECT_EQ(cmdItem.menu * 6 + cmdItem.item, 0);
    EXPECT_EQ(sizeof(ADBufferUI), 800u * 480u);
    EXPECT_EQ(sizeof(tagAcquireData), 8u);
}

TEST(SharedState, ModelNamesAreShortDistinctUpperCaseCodes)
{
    for (int i = 0; i < kMachineTypeCount; ++i) {
        const std::string name = g_Machinetype[i];
        EXPECT_GT(name.size(), 0u);
        EXPECT_LE(name.size(), 8u) << name;
        for (char c : name) {
            EXPECT_FALSE(c >= 'a' && c <= 'z') << name;
        }
        for (int j = i + 1; j < kMachineTypeCount; ++j) {
            EXPECT_NE(name, g_Machinetype[j]);
        }
    }
}

TEST(SharedState, ProgramLockIsRecursiveAndExcludesOtherThreads)
{
    std::lock_guard<std::recursive_mutex> outer(g_csLock);
    {
        std::lock_guard<std::recursive_mutex> inner(g_csLock);  // same thread: no deadlock
        bool otherGotIt = true;
        std::thread other([&] {
            otherGotIt = g_csLock.try_lock();
            if (otherGotIt) {
                g_csLock.unlock();
            }
        });
        other.join();
        EXPECT_FALSE(otherGotIt);
    }
}

TEST(MessageTables, LanguageSelectsTheRowOfEveryTable)
{
    EXPECT_STREQ(Msg(szConnectFirst), "Please Connect Oscillograph First!");
    EXPECT_EQ(Msg(g_strMemoryErr), "over range for memory!");
    {
        LanguageScope chinese(1);
        EXPECT_STREQ(Msg(szConnectFirst), "请首先连接示波器！");
        EXPECT_STREQ(Msg(szNum), "序号");
        EXPECT_STREQ(Msg(szLanguageActive), "请重新运行应用程序，新的语言才能生效！");
        EXPECT_EQ(Msg(g_strMemoryErr), "超出存储范围!");
        EXPECT_EQ(szStatus[1][LanguageIndex()], "状态：运行");
        EXPECT_EQ(szMthOperation[LanguageIndex()][4], "均方根");
    }
    {
        // A language number the program does not know must not read past the table.
        LanguageScope unknown(7);
        EXPECT_STREQ(Msg(szCommFail), "Communication fail!");
        EXPECT_EQ(LanguageIndex(), 0);
    }
    EXPECT_STREQ(Msg(szCommFail), "Communication fail!");
}

TEST(MessageTables, EveryTextFitsItsFixedRow)
{
#define QV_EXPECT_FITS(table) ExpectFitsRow(table, #table)
    QV_EXPECT_FITS(szTGCoup);
    QV_EXPECT_FITS(szCloseWindow);
    QV_EXPECT_FITS(szSaveWorkSpace);
    QV_EXPECT_FITS(szLanguageActive);
    QV_EXPECT_FITS(szConnectFirst);
    QV_EXPECT_FITS(szCheckConnect);
    QV_EXPECT_FITS(szOnLineFail);
    QV_EXPECT_FITS(szDataTransFail);
    QV_EXPECT_FITS(szCommFail);
    QV_EXPECT_FITS(szExportFileFail);
    QV_EXPECT_FITS(szExceedFileNum);
    QV_EXPECT_FITS(szCheckPrinters);
    QV_EXPECT_FITS(szPrintErrors);
    QV_EXPECT_FITS(szFindNoHelp);
    QV_EXPECT_FITS(szState);
    QV_EXPECT_FITS(szXYMode);
    QV_EXPECT_FITS(szACAvg);
    QV_EXPECT_FITS(szFFTMode);
    QV_EXPECT_FITS(szScanMode);
    QV_EXPECT_FITS(szTGType);
    QV_EXPECT_FITS(szMathMode);
    QV_EXPECT_FITS(szACType);
    QV_EXPECT_FITS(szTgVideoSync);
    QV_EXPECT_FITS(szACStoreDepth);
    QV_EXPECT_FITS(szTGSrc);
    QV_EXPECT_FITS(szVKTableErr);
    QV_EXPECT_FITS(szNum);
    QV_EXPECT_FITS(szVolt);
    QV_EXPECT_FITS(szTime);
    QV_EXPECT_FITS(szFrq);
    QV_EXPECT_FITS(szPower);
    QV_EXPECT_FITS(szFigure);
    QV_EXPECT_FITS(szType);
    QV_EXPECT_FITS(szValue);
    QV_EXPECT_FITS(szInput);
    QV_EXPECT_FITS(szConfig);
    QV_EXPECT_FITS(szWindow);
    QV_EXPECT_FITS(szSignal);
    QV_EXPECT_FITS(szPwrSpectrum);
    QV_EXPECT_FITS(szAmplitude);
    QV_EXPECT_FITS(szMagnitude);
    QV_EXPECT_FITS(szSigFrq);
    QV_EXPECT_FITS(szSigTime);
    QV_EXPECT_FITS(szInputSignals);
    QV_EXPECT_FITS(szInputSignal1);
    QV_EXPECT_FITS(szInputSignal2);
    QV_EXPECT_FITS(szSignal1);
    QV_EXPECT_FITS(szSignal2);
    QV_EXPECT_FITS(szOperation);
    QV_EXPECT_FITS(szOutputSignal);
#undef QV_EXPECT_FITS
    EXPECT_EQ(szCheckPrinters[0][0], '\t');
}

TEST(MessageTables, StyleAndColourLabelsUseTheFirstTwoSlots)
{
    EXPECT_EQ(szStyle[1][0], "Style:VECTORS");
    EXPECT_EQ(szColor[1][1], "颜色：黑白");
    EXPECT_TRUE(szStyle[0][2].empty());
    EXPECT_EQ(szAddrType[1][5], "10位寻址");
    EXPECT_EQ(szBusResultType[0][3], "hex");
    EXPECT_EQ(szTabName[0][4], "Decode Setup");
}

namespace {
int g_pumpCalls = 0;
void CountingPump()
{
    ++g_pumpCalls;
}
}  // namespace

TEST(UiHelpers, DoEventRunsTheInstalledPumpOnly)
{
    g_pumpCalls = 0;
    DoEvent();  // no pump: nothing happens
    SetDoEventPump(&CountingPump);
    DoEvent();
    DoEvent();
    SetDoEventPump(nullptr);
    DoEvent();
    EXPECT_EQ(g_pumpCalls, 2);
}

TEST(UiHelpers, DlgLayOutKeepsTheCornerAndPlacesTenRectangles)
{
    tagLayoutRect dialog{120, 80, 130, 90};
    std::array<tagLayoutRect, kDlgLayOutRects> rects{};
    DlgLayOut(dialog, rects);
    EXPECT_EQ(dialog.left, 120);
    EXPECT_EQ(dialog.top, 80);
    EXPECT_EQ(dialog.right - dialog.left, 400);
    EXPECT_EQ(dialog.bottom - dialog.top, 200);
    EXPECT_EQ(rects[0].left, 10);
    EXPECT_EQ(rects[0].bottom, 130);
    EXPECT_EQ(rects[4].left, 130);
    EXPECT_EQ(rects[6].right, 370);
    EXPECT_EQ(rects[9].left, 350);
    EXPECT_EQ(rects[9].bottom, 75);
    for (const auto& r : rects) {
        EXPECT_LT(r.left, r.right);
        EXPECT_LT(r.top, r.bottom);
        EXPECT_LE(r.right, 400);
        EXPECT_LE(r.bottom, 200);
    }
}
