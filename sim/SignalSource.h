// Test signals of the simulated instrument: what is connected to the probe
// tips of CH1 and CH2. A signal is described by a short option text (the
// grammar below), parsed into a SignalSpec and evaluated in volts at any time
// by CSignalSource. Evaluation is a pure function of the description, the seed and
// the time, so records rendered from it are reproducible.
//
// ---------------------------------------------------------------------------
// Signal option grammar
//
//   signal   := kind { ":" field }
//   field    := positional | key "=" value
//   kind     := none | sine | square | triangle | pulse | dc | noise | i2c | spi
//
// Positional fields come first, in this order per kind (any may be left out,
// the defaults apply):
//   sine, square, triangle, pulse : frequency, Vpp, offset
//   dc                             : level (volts)
//   noise                          : noise rms (volts), offset
//   i2c, spi                       : bit rate (clock frequency), Vpp, offset
//   none                           : nothing (0 V, or the other channel's
//                                    bus line, see "Bus signals")
//
// Numbers take an optional SI prefix p n u m k M G ("m" is milli, "M" mega)
// and an optional unit "Hz", "V" or "s"/"S" after it: 1k, 2.5M, 500m, 1kHz,
// 3.3V. Integer values of the bus keys may be decimal or 0x-prefixed hex.
//
// Keys (any kind unless noted):
//   f=<Hz>, freq=<Hz>  frequency or bit rate        (default 1 kHz; buses 100 kHz)
//   vpp=<V>            peak-to-peak amplitude         (default 2 V; buses 3.3 V)
//   offset=<V>         level of the centre line       (default 0 V)
//   noise=<V>          gaussian noise added, rms      (default 0 V)
//   duty=<percent>     pulse only: high share of a period, 0 < duty < 100 (default 50)
//   line=data|clock    buses only: which bus line this channel shows
//   gap=<bits>         buses only: idle time after each transfer, in bit times
//                      (default 10; must be 2 ... 10000)
//   I2C:  addr=<n>     target address (default 0x50); above 0x7F it is 10 bit
//         addrbits=7|10
//         rw=w|r       direction of the transfer (default w)
//         data=<hex>[,<hex>...]  data bytes on the wire, at most 32 (default A5)
//         ack=<A|N>... acknowledge bit of each byte in wire order (address
//                      bytes included); missing letters take the default:
//                      the target acknowledges its address and written bytes,
//                      the controller acknowledges every read byte but the last
//         restart=<n>  after n written data bytes a repeated start follows and
//                      the address is sent again with the read bit; the
//                      remaining data bytes are read (rw= is then ignored)
//   SPI:  mode=0..3    clock polarity = mode / 2, clock phase = mode % 2 (default 0)
//         cpol=0|1, cpha=0|1
//         bits=<1..32> bits per word (default 8)
//         data=<hex>[,<hex>...]  words, most significant bit first, at most 32
//                      (default A5); each word is followed by two idle bit times
//
// Every kind swings offset +- Vpp/2 (a pulse, I2C or SPI line too: low is
// offset - Vpp/2, high offset + Vpp/2). Use offset=1.65 with vpp=3.3 for a
// 0 ... 3.3 V logic line.
//
// Bus signals: one bus description drives two lines, line 0 = data (I2C SDA, SPI
// DATA) and line 1 = clock (I2C SCL, SPI CLK). Given on CH1 it puts the data
// line on CH1 and the clock line on CH2; given on CH2 it puts the clock on CH2
// and the data line on CH1. A channel that has its own signal (anything but
// "none") keeps it; "line=" chooses the line of the channel the bus is given
// on, the other channel ("none") then shows the other line. When both
// channels carry a bus, each shows its own bus's line (CH1 data, CH2
// clock unless "line=" says otherwise).
//
// Examples: "sine:1k:2", "square:10k:3.3:1.65", "pulse:10k:3.3:0:duty=25",
// "dc:1.5", "noise:0.2", "sine:50:4:noise=0.05", "i2c:100k:addr=0x50:data=01,02",
// "i2c:100k:addr=0x1A3:rw=r:data=10,20", "i2c:400k:addr=0x68:data=75,68:restart=1",
// "spi:1M:mode=0:bits=8:data=A5", "spi:2M:mode=3:bits=16:data=BEEF,0102", "none".
// ---------------------------------------------------------------------------
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class SignalKind { None, Sine, Square, Triangle, Pulse, Dc, Noise, I2c, Spi };

// Which bus line a channel shows; Auto follows the channel (see grammar).
enum class BusLine { Auto, Data, Clock };

struct I2cSpec {
    uint16_t address = 0x50;         // 7-bit or 10-bit target address
    int addressBits = 7;             // 7 or 10
    bool read = false;               // rw=r
    std::vector<uint8_t> data{0xA5}; // data bytes in wire order
    std::string ackPattern;          // 'A'/'N' per byte in wire order; empty = defaults
    int restartAfter = -1;           // data bytes written before a repeated start; -1 none
};

struct SpiSpec {
    int cpol = 0;                     // idle clock level
    int cpha = 0;                     // 0: sample on the leading edge, 1: on the trailing edge
    int bitsPerWord = 8;              // 1 ... 32
    std::vector<uint32_t> words{0xA5};
};

struct SignalSpec {
    SignalKind kind = SignalKind::None;
    double frequency = 1000.0;  // Hz; the bit rate (clock frequency) of a bus
    double vpp = 2.0;           // volts peak to peak
    double offset = 0.0;        // volts
    double noiseRms = 0.0;      // volts rms of added gaussian noise
    double dutyPercent = 50.0;  // pulse only
    BusLine line = BusLine::Auto;
    double gapBits = 10.0;      // buses: idle bit times after each transfer
    I2cSpec i2c;
    SpiSpec spi;

    bool IsBus() const { return kind == SignalKind::I2c || kind == SignalKind::Spi; }
};

// Parses one signal option text. Returns 1 and fills *out on success; returns
// 0, leaves *out unchanged and puts a one-line reason into *error (when not
// null) for malformed text, unknown kinds or keys and out-of-range values.
int ParseSignalSpec(const std::string& text, SignalSpec* out, std::string* error);

// Writes a description back as option text that ParseSignalSpec reads to the
// same description.
std::string FormatSignalSpec(const SignalSpec& wave);

// Name of a kind as used in the option text ("sine", "i2c", ...).
const char* SignalKindName(SignalKind kind);

// Evaluates one signal description. Buses are laid out once at construction into a
// periodic pattern of line levels: the pattern starts at t = 0 with the idle
// gap, so the first falling data edge after t = 0 is the start condition
// (I2C) or the first data change of the first word (SPI). Thread-safe after
// construction (all members are const).
class CSignalSource {
public:
    // seed selects the noise sequence; two sources with the same description and seed
    // give the same values.
    explicit CSignalSource(const SignalSpec& wave, uint64_t seed = 1);

    const SignalSpec& Wave() const { return m_spec; }

    // Volts at time t (seconds, any sign) on line 0 (data / the only line) or
    // line 1 (bus clock; for a non-bus signal line 1 equals line 0), noise
    // included.
    double Evaluate(double t, int line = 0) const;

    // The same without the added noise (what a noise-rejecting trigger sees).
    double EvaluateClean(double t, int line = 0) const;

    // Time average over one period of the clean signal (what AC coupling removes).
    double MeanLevel(int line = 0) const;

    // Repeat period in seconds (a bus: one transfer plus its gap); 0 when the
    // clean signal is constant (none, dc, noise).
    double Period() const;

    // Shortest stretch of constant slope or level in the clean signal (a
    // quarter period, a pulse's high or low time, a quarter bit of a bus);
    // the trigger search steps finer than this. 0 for constant signals.
    double ShortestFeature() const;

private:
    struct BusSegment {
        double start;  // seconds from the pattern start
        uint8_t data;  // level of line 0
        uint8_t clock; // level of line 1
    };

    double Unit(double t, int line) const;  // clean waveform in -1 ... +1
    double BusUnit(double t, int line) const;
    double Noise(double t) const;
    void LayOutI2c();
    void LayOutSpi();
    void Append(double duration, int data, int clock);

    SignalSpec m_spec;
    uint64_t m_seed;
    std::vector<BusSegment> m_segments; // bus pattern, ascending start
    double m_busPeriod = 0.0;
};
