#pragma once
// The frame envelope as the simulated instrument's firmware reads and writes
// it. Written independently of the program's link layer on purpose: when the
// two agree on every byte, each has checked the other.
//
// Envelope: byte 0 start mark ("S", or "C" for command 127), bytes 1-2 the
// length L = total - 3 (16-bit little-endian), byte 3 the code, then the
// arguments, and last a check byte: the 8-bit sum of all earlier bytes, or the
// letter "f" for the frames that carry no sum (command 16, command 127 and the
// block form of command 31).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One command frame received from the program, taken apart.
struct SimCommandFrame {
    std::uint8_t startMark = 0;
    std::uint8_t code = 0;
    std::vector<std::uint8_t> args;  // bytes 4 .. total - 2
    bool checkIsLetterF = false;     // the check byte was "f" rather than the sum
};

constexpr std::uint8_t kSimStartMark = 0x53;       // "S"
constexpr std::uint8_t kSimStartMarkRaw = 0x43;    // "C", command 127 only
constexpr std::uint8_t kSimCheckLetter = 0x66;     // "f"
constexpr std::uint8_t kSimAnswerBit = 0x80;       // answer code = command code + 0x80
constexpr std::size_t kSimMaxPacket = 65535;       // largest answer the program can read
constexpr std::size_t kSimEnvelopeBytes = 5;       // mark, two length bytes, code, check

// 8-bit sum of count bytes.
std::uint8_t SimByteSum(const std::uint8_t* data, std::size_t count);

// Takes one frame apart. Returns 1 and fills *out when the envelope is sound:
// a known start mark, a length that matches the byte count exactly, and a check
// byte that is the sum or, for the frames allowed to, the letter "f". Returns 0
// and sets *error (if given) otherwise. Never reads outside [data, data+length).
int DecodeSimCommandFrame(const std::uint8_t* data, std::size_t length, SimCommandFrame* out,
                          std::string* error = nullptr);

// Builds one answer packet: "S", L, code, data, sum. The caller keeps the data
// short enough for the whole packet to stay within kSimMaxPacket bytes.
std::vector<std::uint8_t> EncodeSimAnswer(std::uint8_t code, const std::uint8_t* data, std::size_t count);
std::vector<std::uint8_t> EncodeSimAnswer(std::uint8_t code, const std::vector<std::uint8_t>& data);

// Builds a command frame the way the program does, with the sum as check byte
// (or "f" when letterF is set). The firmware never sends commands; tests and
// tools that drive the simulator by hand use this.
std::vector<std::uint8_t> EncodeSimCommand(std::uint8_t code, const std::vector<std::uint8_t>& args,
                                           bool letterF = false);
