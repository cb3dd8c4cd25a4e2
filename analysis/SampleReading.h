#pragma once
// How a byte of a channel record becomes a sample value.
//
// The instrument sends each sample of ADBufferCH1 / ADBufferCH2 as one byte
// holding a signed count: 25 counts per vertical division, 0 on the centre
// line, so the eight divisions of the screen span -100 .. +100. Every reader
// of a channel record (traces, tables, arithmetic, spectrum, bus decoders)
// goes through SampleCount so that a sample below the centre line stays
// negative everywhere.
#include <cstdint>

// Counts per vertical division of a channel sample.
inline constexpr int kCountsPerDivision = 25;

// The sample a record byte stands for: the byte read as a signed 8-bit count.
inline constexpr int SampleCount(std::uint8_t byte) {
    return static_cast<std::int8_t>(byte);
}
