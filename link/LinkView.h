#pragma once
// A data window as the link sees it. Each of the six data views implements
// this and registers with CLinkSession when its window is created
// (RegisterView) and unregisters before it is destroyed (UnregisterView);
// after UnregisterView returns the link calls it no more.
//
// Threads: Receiver, IsRunning and the two length calls are also made from
// the receive thread, while it holds g_csLock; IsRunning must therefore read
// an atomic flag, and the length calls must touch nothing but the view's own
// record buffers (which the view otherwise uses under g_csLock as well) and
// never a widget. StopAcquisition and ClearTraces run on the user-interface
// thread.
#include <cstdint>

#include "link/LinkMessages.h"

class QObject;

// The class of a data view; its value is the update message the link posts
// to a running view of the class when a record is complete.
enum class LinkViewClass : int {
    WaveformSheet = kMsgWaveformSheetUpdate,   // 1126
    Measurement = kMsgMeasurementUpdate,       // 1131
    DataTable = kMsgDataTableUpdate,           // 1130
    PowerSpectrum = kMsgPowerSpectrumUpdate,   // 1135
    Arithmetic = kMsgArithmeticUpdate,         // 1136
    BusAnalysis = kMsgBusAnalysisUpdate,       // 1156
};

class ILinkView {
public:
    virtual ~ILinkView() = default;

    virtual LinkViewClass ViewClass() const = 0;
    // The object update messages are posted to; null while the view has no window.
    virtual QObject* Receiver() const = 0;
    // The view shows live data (its running flag).
    virtual bool IsRunning() const = 0;
    // Current record length in samples.
    virtual int32_t RecordLength() const = 0;
    // Takes a new record length: the waveform sheet, measurement and data
    // table resize themselves; the other three only store it.
    virtual void ChangeRecordLength(int32_t length) = 0;
    // The view's stop routine; clears its running flag (Disconnect command).
    virtual void StopAcquisition() = 0;
    // Waveform sheets clear their traces when no channel is left to fetch.
    virtual void ClearTraces() {}
};
