#pragma once
// Shared pieces of the front-panel tests: a command sender that records what
// it is asked to send instead of queueing it, a small key description, and
// the shared state the panel touches put back to its start values.
#include <QCoreApplication>
#include <QEvent>

#include <cstring>
#include <mutex>
#include <vector>

#include "corvane/SharedState.h"
#include "link/DSOSetup.h"
#include "link/LinkMessages.h"
#include "parlex/VKTableParlex.h"

class CRecordingSender : public CDSOSetup {
public:
    struct Sent {
        int32_t nCmd;
        int32_t nPos;
        int64_t llValue;
        int32_t nKeyArg;
        std::vector<uint8_t> payload;
    };
    int SendCommand(int32_t nCmd, int32_t nPos, int32_t, int32_t, int32_t, int64_t llValue, int32_t,
                    int32_t nKeyArg, const uint8_t* pData, int32_t nDataLen, int32_t) override
    {
        std::vector<uint8_t> payload;
        if (pData && nDataLen > 0)
            payload.assign(pData, pData + nDataLen);
        sent.push_back({nCmd, nPos, llValue, nKeyArg, payload});
        return 1;
    }
    int Count(int32_t nCmd) const
    {
        int n = 0;
        for (const Sent& s : sent)
            n += s.nCmd == nCmd ? 1 : 0;
        return n;
    }
    std::vector<Sent> sent;
};

// Key positions: FN-1-KEY 0, (empty line 1), VT-CH1-PADD-KEY 2, CT-AUTOSET-KEY 3,
// VT-CH1-VBADD-KEY 4, FN-MRIGHT-KEY 5.
inline constexpr char kTestKeyDescription[] =
    "[TOTAL] 6\n[START]\n[FN-1-KEY]\n\n[VT-CH1-PADD-KEY]\n[CT-AUTOSET-KEY]\n[VT-CH1-VBADD-KEY]\n"
    "[FN-MRIGHT-KEY]\n[END]\n";

inline void ResetPanelState()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    g_VKTable.TableClear();
    g_bVKTable.store(0);
    g_bSend.store(1);
    g_WaveTransOver.store(1);
    g_bPrintProcess.store(0);
    g_bPreview.store(0);
    g_wfmParam.nModel = 0;
    g_nLCDMode = LCD_MODE_ENLARGED;
    g_hVtBoardWnd = nullptr;
    std::memset(ADBufferUI, 0, sizeof ADBufferUI);
}

inline void LoadTestKeyTable()
{
    g_VKTable.TableClear();
    g_VKTable.VKTrans_Init(kTestKeyDescription);
    g_bVKTable.store(1);
}

inline void DeliverScreenReady(QObject* panel)
{
    QEvent screenReady(static_cast<QEvent::Type>(kMsgScreenReady));
    QCoreApplication::sendEvent(panel, &screenReady);
}
