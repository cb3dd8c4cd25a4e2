#pragma once
// The one copy a data window takes of an acquisition: both channel records,
// the record length, the waveform parameters and the acquisition state, read
// from the shared buffers and g_wfmParam under g_csLock in one short step.
// Every window's update takes one and computes outside the lock, so the
// receive thread is held up only for the copy.
#include <cstdint>
#include <string>
#include <vector>

#include "corvane/SharedState.h"

struct tagAcquisitionSnapshot {
    tagWaveformParam wfm;          // g_wfmParam; wfm.strState is the acquisition state text
    std::vector<uint8_t> ch1;      // ADBufferCH1: the samples the views use (see Length)
    std::vector<uint8_t> ch2;      // ADBufferCH2
    int32_t recordLength = 0;      // waveDataLen: samples per trace the views use
    int32_t depth = 0;             // g_DepthSize: committed store depth in samples
    int32_t samplesPerDivision = 0;// WaveDots
    float gridNum = 0.0f;          // g_GridNum: divisions one record spans
    int32_t ch1Dex = 0;            // g_CH1DexY, g_CH2DexY, g_MthDexY: trace movement since the decode
    int32_t ch2Dex = 0;
    int32_t mathDex = 0;
    int32_t show[3] = {1, 1, 1};   // g_wfmShow: CH1, CH2, math shown

    // Samples held per channel: the record length, cut to the committed
    // depth (0 while the buffers are not committed).
    size_t Length() const { return ch1.size(); }
    // The acquisition state is "Scan" (roll mode).
    bool ScanMode() const { return wfm.strState == "Scan"; }
};

// Copies the shared acquisition under g_csLock.
tagAcquisitionSnapshot TakeAcquisitionSnapshot();
