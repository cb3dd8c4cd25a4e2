// Two-language texts of message boxes and labels.
//
// Each fixed table holds the English text in row 0 and the Chinese text in
// row 1, both UTF-8 and zero-terminated inside their fixed width W (30, 50 or
// 100 bytes). Msg() picks the row of the current language (g_nLanguage).
// The label tables hold string objects indexed as their comments show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "corvane/SharedState.h"

// Row of the current language: 0 English, 1 Chinese. A language number other
// than 1 reads as English so that no lookup can leave its table.
inline int LanguageIndex()
{
    return g_nLanguage == 1 ? 1 : 0;
}

// The text of a fixed two-language table in the current language.
template <std::size_t W>
const char* Msg(const char (&table)[2][W])
{
    return table[LanguageIndex()];
}

// The text of a [language] label table in the current language.
inline const std::string& Msg(const std::string (&table)[2])
{
    return table[LanguageIndex()];
}

// Fixed message tables.
extern const char szTGCoup[2][50];
extern const char szCloseWindow[2][50];
extern const char szSaveWorkSpace[2][50];
extern const char szLanguageActive[2][100];
extern const char szConnectFirst[2][50];
extern const char szCheckConnect[2][100];
extern const char szOnLineFail[2][100];
extern const char szDataTransFail[2][50];
extern const char szCommFail[2][50];
extern const char szExportFileFail[2][50];
extern const char szExceedFileNum[2][50];
extern const char szCheckPrinters[2][100];
extern const char szPrintErrors[2][100];
extern const char szFindNoHelp[2][50];
extern const char szState[2][50];
extern const char szXYMode[2][50];
extern const char szACAvg[2][50];
extern const char szFFTMode[2][50];
extern const char szScanMode[2][50];
extern const char szTGType[2][50];
extern const char szMathMode[2][50];
extern const char szACType[2][50];
extern const char szTgVideoSync[2][50];
extern const char szACStoreDepth[2][50];
extern const char szTGSrc[2][50];
extern const char szVKTableErr[2][100];
extern const char szNum[2][30];
extern const char szVolt[2][30];
extern const char szTime[2][30];
extern const char szFrq[2][30];
extern const char szPower[2][30];
extern const char szFigure[2][50];
extern const char szType[2][50];
extern const char szValue[2][50];
extern const char szInput[2][30];
extern const char szConfig[2][30];
extern const char szWindow[2][30];
extern const char szSignal[2][30];
extern const char szPwrSpectrum[2][30];
extern const char szAmplitude[2][30];
extern const char szMagnitude[2][30];
extern const char szSigFrq[2][30];
extern const char szSigTime[2][30];
extern const char szInputSignals[2][30];
extern const char szInputSignal1[2][30];
extern const char szInputSignal2[2][30];
extern const char szSignal1[2][30];
extern const char szSignal2[2][30];
extern const char szOperation[2][30];
extern const char szOutputSignal[2][30];

// Label tables of string objects.
extern const std::string g_strMemoryErr[2];        // [language]
extern const std::string szStatus[2][2];           // [0 stopped, 1 running][language]
inline constexpr int kStyleSlots = 20;
extern const std::string szStyle[2][kStyleSlots];  // [0 dots, 1 vectors][language]; slots 2.. empty
extern const std::string szColor[2][kStyleSlots];  // [0 colour, 1 black and white][language]
extern const std::string szAddrType[2][6];         // [language][I2C address kind]
extern const std::string szTabName[2][5];          // [language][bus settings tab]
extern const std::string szBusResultType[2][4];    // [language][binary, octal, decimal, hex]
extern const std::string szMthOperation[2][5];     // [language][add, subtract, multiply, divide, RMS sum]
