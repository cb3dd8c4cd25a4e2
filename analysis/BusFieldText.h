#pragma once
// The texts the bus analysis display shows for a decoded field: its label,
// its value in the chosen base and, after an I2C address, a mark.
//
// I2C address fields: broadcast, start-byte and high-speed addresses show all
// their bits (a start byte is labelled "SBit:"); other addresses show the
// address without the read/write bit, followed by "W" or "R" and 1 when the
// address was acknowledged, 2 when not ("W1", "R2"). A ten-bit prefix
// carries the mark "T" instead; its second byte is an "Addr:" field of 8
// bits shown whole.
#include "analysis/BusDecoder.h"

#include <string>
#include <vector>

struct BusFieldText {
    std::string label; // "Addr:", "Data:", "Stop" or "SBit:"
    std::string value; // empty for "Stop"
    std::string mark;  // "W1", "R2", "T" or empty
};

// The texts of every field of a decode, in order. i2c selects the address
// rules; tenBitAddresses tells that the decoder read ten-bit addresses
// (expected address type 5).
std::vector<BusFieldText> BusFieldTexts(const std::vector<BusField>& fields, int base, bool i2c,
                                        bool tenBitAddresses);
