#include "support/SharedStateGuard.h"

#include <algorithm>
#include <mutex>

CSharedStateGuard::CSharedStateGuard()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    m_wfm = g_wfmParam;
    m_recordLength = waveDataLen;
    std::copy(g_wfmShow, g_wfmShow + 3, m_show);
    m_updateNum = g_updateNum.load();
    m_runThread = g_bRunThreadR.load();
    m_readWfm = g_ReadWfm.load();
    m_language = g_nLanguage;
}

CSharedStateGuard::~CSharedStateGuard()
{
    std::lock_guard<std::recursive_mutex> lock(g_csLock);
    g_wfmParam = m_wfm;
    waveDataLen = m_recordLength;
    std::copy(m_show, m_show + 3, g_wfmShow);
    g_updateNum.store(m_updateNum);
    g_bRunThreadR.store(m_runThread);
    g_ReadWfm.store(m_readWfm);
    g_nLanguage = m_language;
}
