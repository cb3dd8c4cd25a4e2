#include "LinkTestSupport.h"

#include <cstring>

#include "corvane/SharedState.h"
#include "link/UserMessage.h"
#include "parlex/Parlex.h"
#include "parlex/VKTableParlex.h"

namespace {
std::mutex s_lock;
std::vector<std::string> s_messages;

void Collect(const std::string& text)
{
    std::lock_guard<std::mutex> lock(s_lock);
    s_messages.push_back(text);
}
}  // namespace

std::vector<std::string> ShownMessages()
{
    std::lock_guard<std::mutex> lock(s_lock);
    return s_messages;
}

void FreeSampleBuffers()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    delete[] ADBufferCH1;
    delete[] ADBufferCH2;
    ADBufferCH1 = ADBufferCH2 = nullptr;
    g_DepthSize = 0;
}

void AllocateSampleBuffers(int depth)
{
    FreeSampleBuffers();
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    ADBufferCH1 = new unsigned char[depth]();
    ADBufferCH2 = new unsigned char[depth]();
    g_DepthSize = depth;
}

void ResetSharedState()
{
    SetUserMessageSink(Collect);
    {
        std::lock_guard<std::mutex> lock(s_lock);
        s_messages.clear();
    }
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    g_nLanguage = 0;
    g_bSend = 1;
    g_bRespose = 0;
    g_bRunThreadR = 0;
    g_bTransfering = 0;
    g_WaveTransOver = 1;
    g_OverRecConfig = 0;
    g_RecConfigRight = 0;
    g_ConfigCheck = 0;
    g_bVKTable = 0;
    g_ReadWfm = 0;
    g_CT = 0;
    g_updateNum = 0;
    g_ConfignameLen = 13;
    g_bFileProcess = 0;
    g_bPrintProcess = 0;
    std::memset(ADBufferConfig, 0, sizeof ADBufferConfig);
    std::memset(ADBufferSysParam, 0, sizeof ADBufferSysParam);
    std::memset(ADBufferMenuParam, 0, sizeof ADBufferMenuParam);
    std::memset(ADBufferUI, 0, sizeof ADBufferUI);
    delete[] g_pSysParamBuffer;
    g_pSysParamBuffer = nullptr;
    g_SysParamLen = 0;
    FreeSampleBuffers();
    waveDataLen = 3200;
    WaveDots = 200;
    g_GridNum = 16.0f;
    g_wfmParam.strState.clear();
    cmdItem = {0, 0};
    ParlexParam.TableClear();
    g_VKTable.TableClear();
}

LinkTimings FastTimings()
{
    LinkTimings t;
    t.watchdogSilenceMs = 150;
    t.watchdogPauseMs = 20;
    t.watchdogPollMs = 2;
    t.sendPollMs = 2;
    t.protocolTimeoutMs = 400;
    t.keyTableTimeoutMs = 150;
    t.stopFrameWaitMs = 10;
    t.readModeWaitShortMs = 10;
    t.readModeWaitLongMs = 10;
    t.statusPollMs = 50;
    t.acquisitionMs = 50;
    t.oldReceiverWaitMs = 2000;
    return t;
}
