#pragma once
// The option string that configures a simulated instrument: model, signals at
// the probe tips, timing and faults. The grammar is documented in
// sim/README.md; in short, comma-separated KEY=VALUE items:
//
//   model=0|4|QX1022|QX1202   ch1=SIGNAL   ch2=SIGNAL   seed=N
//   latency=MS[:JITTER]       piece=BYTES  fault=KIND[:ARG...] (repeatable)
//   pipe=BYTES[:PAUSE[:EVERY]]
//
// A comma inside a signal's data list ("ch1=i2c:100k:data=01,02") belongs to
// the signal, because a piece without "KEY=" continues the item before it.
#include <cstdint>
#include <string>

#include "sim/SignalSource.h"

// Faults the simulated cable and firmware inject. Probabilities are 0 ... 1.
struct SimFaultPlan {
    int latencyMs = 0;            // delay from a command frame to its answers
    int jitterMs = 0;             // plus a uniformly drawn 0 ... jitterMs
    double dropRate = 0.0;        // answer packets lost on the cable
    double badSumRate = 0.0;      // answer packets with a damaged check byte
    double shortReadRate = 0.0;   // reads that return only the first part of a packet
    int silenceAfterFrames = -1;  // the firmware stops answering after this many frames
    int silenceMs = 0;            // ... for this long (0: for good)
    int pullAfterFrames = -1;     // the cable is pulled after this many frames
    int damagedDescriptions = 0;  // transfers of "/protocol.inf" sent with a damaged byte
    bool noKeyDescription = false;  // "/keyprotocol.inf" is not there
};

// How the answers reach the program when it reads them through a USB pipe
// (sim/SimUsbPipe.h): transfers of 1 ... maxBytes bytes, and a pause of
// pauseMs inside every pauseEvery-th answer (0: none). maxBytes 0: answers
// are read whole, one per read, as the driver interface hands them on.
struct SimPipePlan {
    int maxBytes = 0;
    int pauseMs = 250;
    int pauseEvery = 4;
};

struct SimOptions {
    int modelNumber = 4;          // QX1202
    SignalSpec ch1;               // what the probe tips see
    SignalSpec ch2;
    std::uint64_t seed = 1;       // faults, jitter and signal noise
    int pieceBytes = 0;           // data bytes per answer piece; 0 = the largest that fits
    SimFaultPlan faults;
    SimPipePlan pipe;
};

// The defaults: model 4, a 1 kHz 2 Vpp sine on CH1, a 10 kHz 3.3 V square on CH2.
SimOptions DefaultSimOptions();

// Parses an option string on top of the defaults. Returns 1 and fills *out;
// on a malformed string returns 0, leaves *out unchanged and puts a one-line
// reason naming the offending item into *error (when not null).
int ParseSimOptions(const std::string& text, SimOptions* out, std::string* error);
