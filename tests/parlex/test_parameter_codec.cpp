// Writing named values into a system-parameter block and reading them back.
#include "parlex/Parlex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {
using Place = CParlex::Place;
constexpr unsigned char kSentinel = 0xA5;

const char* const kSmallDescription =
    "[TOTAL] 12\n"
    "[START]\n"
    "[TRIG-MODE] 1\n"
    "[HORIZ-TB] 2\n"
    "[SPARE-X] 3\n"
    "[VERT-CH1-POS] 4\n"
    "[END]\n";

// Joins the bytes of a place little-endian and unsigned, the way callers read.
uint64_t ReadBack(const std::vector<unsigned char>& block, Place place) {
    uint64_t value = 0;
    for (int i = std::min(place.second, 8) - 1; i >= 0; --i) value = (value << 8) | block[place.first + i];
    return value;
}

class ParameterCodec : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(table.Trans_Init(kSmallDescription), 1); }
    // Bytes outside [offset, offset + width) must still hold the sentinel.
    void ExpectOnlyPlaceTouched(Place place) const {
        for (int i = 0; i < static_cast<int>(block.size()); ++i) {
            if (i < place.first || i >= place.first + place.second) {
                EXPECT_EQ(block[i], kSentinel) << "byte " << i;
            }
        }
    }
    CParlex table;
    std::vector<unsigned char> block = std::vector<unsigned char>(12, kSentinel);
};
}  // namespace

TEST_F(ParameterCodec, WritesLittleEndianInsideThePlaceOnly) {
    EXPECT_EQ(table.GetSysBufLen(), 12);
    table.PCParamToDSOdata("HORIZ-TB", 0x1234, block.data());
    EXPECT_EQ(block[1], 0x34);
    EXPECT_EQ(block[2], 0x12);
    ExpectOnlyPlaceTouched({1, 2});

    table.PCParamToDSOdata("VERT-CH1-POS", -2, block.data());
    EXPECT_EQ(std::vector<unsigned char>(block.begin() + 3, block.begin() + 7),
              (std::vector<unsigned char>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ReadBack(block, table.DSOdataToPCParam("VERT-CH1-POS")), 4294967294u);
    // Read back by the table: the same four bytes, nothing from a block that
    // ends inside the place or from no block.
    uint64_t value = 0;
    EXPECT_TRUE(table.DSOdataToPCValue("VERT-CH1-POS", block.data(), 12, value));
    EXPECT_EQ(value, 4294967294u);
    EXPECT_FALSE(table.DSOdataToPCValue("VERT-CH1-POS", block.data(), 6, value));
    EXPECT_FALSE(table.DSOdataToPCValue("VERT-CH1-POS", nullptr, 12, value));
    EXPECT_FALSE(table.DSOdataToPCValue("HORIZ-WIN-TB", block.data(), 12, value));
    EXPECT_EQ(value, 4294967294u);

    table.PCParamToDSOdata("TRIG-MODE", 0x1FF, block.data());
    EXPECT_EQ(block[0], 0xFF);
    EXPECT_EQ(block[1], 0x34);
    EXPECT_EQ(static_cast<int8_t>(block[0]), -1);
    for (int i = 7; i < 12; ++i) EXPECT_EQ(block[i], kSentinel);
}

TEST_F(ParameterCodec, RoundTripIsStable) {
    for (const int64_t value : {int64_t{0}, int64_t{1}, int64_t{0x7F}, int64_t{0xBEEF}, int64_t{-1}}) {
        const Place place = table.DSOdataToPCParam("HORIZ-TB");
        table.PCParamToDSOdata("HORIZ-TB", value, block.data());
        const uint64_t first = ReadBack(block, place);
        EXPECT_EQ(first, static_cast<uint64_t>(value) & 0xFFFF);
        const std::vector<unsigned char> written = block;
        table.PCParamToDSOdata("HORIZ-TB", static_cast<int64_t>(first), block.data());
        EXPECT_EQ(block, written);
        ExpectOnlyPlaceTouched(place);
    }
}

TEST_F(ParameterCodec, UnknownNamesAndNullBlocksWriteNothing) {
    EXPECT_EQ(table.DSOdataToPCParam("HORIZ-WIN-TB"), Place(-1, -1));
    EXPECT_EQ(table.DSOdataToPCParam("SPARE-X"), Place(-1, -1));
    table.PCParamToDSOdata("HORIZ-WIN-TB", 7, block.data());
    table.PCParamToDSOdata("horiz-tb", 7, block.data());
    table.PCParamToDSOdata("HORIZ-TB", 7, nullptr);
    ExpectOnlyPlaceTouched({0, 0});
}

TEST(ParameterCodecWidths, ZeroAndWideWidths) {
    CParlex table;
    ASSERT_EQ(table.Trans_Init("[TOTAL] 14\n[START]\n[MATH-MODE] 0\n[MATH-FFT-DB] 10\n[END]\n"), 1);
    std::vector<unsigned char> block(16, kSentinel);
    table.PCParamToDSOdata("MATH-MODE", 0x55, block.data());
    EXPECT_EQ(table.DSOdataToPCParam("MATH-MODE"), Place(0, 0));
    EXPECT_EQ(ReadBack(block, {0, 0}), 0u);
    table.PCParamToDSOdata("MATH-FFT-DB", -1, block.data());
    for (int i = 0; i < 8; ++i) EXPECT_EQ(block[i], 0xFF) << "byte " << i;
    EXPECT_EQ(block[8], 0);
    EXPECT_EQ(block[9], 0);
    EXPECT_EQ(block[10], kSentinel);
}

// A block shorter than the description (one loaded from a file): places that
// do not fit wholly are absent and nothing is written there. The block is a
// heap buffer of exactly its length, so a write past it is caught under ASan.
TEST_F(ParameterCodec, ShortBlockKeepsEveryAccessInside) {
    struct Case {
        int32_t length;
        bool tbFits;   // HORIZ-TB: bytes 1..2
        bool posFits;  // VERT-CH1-POS: bytes 3..6 (the spare line names no group and takes no place)
    } cases[] = {{12, true, true}, {7, true, true}, {6, true, false}, {3, true, false}, {2, false, false}, {0, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::vector<unsigned char> shortBlock(static_cast<size_t>(c.length), kSentinel);
        unsigned char* data = c.length > 0 ? shortBlock.data() : nullptr;
        EXPECT_EQ(table.DSOdataToPCParam("HORIZ-TB", c.length), c.tbFits ? Place(1, 2) : Place(-1, -1));
        EXPECT_EQ(table.DSOdataToPCParam("VERT-CH1-POS", c.length), c.posFits ? Place(3, 4) : Place(-1, -1));
        table.PCParamToDSOdata("VERT-CH1-POS", 0x01020304, data, c.length);
        table.PCParamToDSOdata("HORIZ-TB", 0x0506, data, c.length);
        const long touched = std::count_if(shortBlock.begin(), shortBlock.end(), [](unsigned char b) { return b != kSentinel; });
        EXPECT_EQ(touched, (c.tbFits ? 2 : 0) + (c.posFits ? 4 : 0));
    }
    // A longer buffer than the description still ends at the description.
    EXPECT_EQ(table.DSOdataToPCParam("VERT-CH1-POS", 1000), Place(3, 4));
}
