// Damaged and hostile descriptions: refused cleanly or read within bounds.
#include "parlex/Parlex.h"
#include "parlex/VKTableParlex.h"

#include <gtest/gtest.h>

#include <string>

namespace {
using Place = CParlex::Place;
const Place kAbsent{-1, -1};
}  // namespace

TEST(HostileDescription, TotalOutsideTheLimitIsRefusedAndChangesNothing) {
    CParlex table;
    ASSERT_EQ(table.Trans_Init("[TOTAL] 4\n[START]\n[TRIG-MODE] 1\n[END]\n"), 1);
    unsigned char* const buffer = table.GetSysBuf();
    for (const char* total : {"-1", "1048577", "99999999999999999999", "-99999999999999999999"}) {
        const std::string text = std::string("[TOTAL] ") + total + "\n[START]\n[TRIG-SRC] 1\n[END]\n";
        EXPECT_EQ(table.Trans_Init(text.c_str()), 0) << total;
        EXPECT_EQ(table.GetSysBufLen(), 4);
        EXPECT_EQ(table.GetSysBuf(), buffer);
        EXPECT_EQ(table.DSOdataToPCParam("TRIG-SRC"), kAbsent);
    }
    EXPECT_EQ(table.Trans_Init("[TOTAL] 1048576\n[START]\n[END]\n"), 1);
    EXPECT_EQ(table.GetSysBufLen(), CParlex::kMaxSysBufLen);
    EXPECT_EQ(table.Trans_Init("[TOTAL] 0\n[START]\n[TRIG-SRC] 0\n[END]\n"), 1);
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-SRC"), Place(0, 0));
}

TEST(HostileDescription, NegativeOrAbsurdWidthsRefuseTheWholeDescription) {
    for (const char* entries : {"[VERT-A] 1\n[VERT-B] -1\n[VERT-C] 1\n",
                                "[VERT-A] 1\n[VERT-B] 1048576\n",
                                "[VERT-A] 2147483647\n",
                                "[VERT-A] 600000\n[VERT-B] 600000\n"}) {
        CParlex table;
        const std::string text = std::string("[TOTAL] 16\n[START]\n") + entries + "[END]\n";
        EXPECT_EQ(table.Trans_Init(text.c_str()), 0) << entries;
        EXPECT_TRUE(table.GetTable().empty()) << entries;
        EXPECT_EQ(table.GetSysBufLen(), 16);
    }
}

TEST(HostileDescription, PlacesPastTheTotalAreFiledButNeverUsed) {
    CParlex table;
    ASSERT_EQ(table.Trans_Init("[TOTAL] 3\n[START]\n[TRIG-MODE] 2\n[TRIG-SRC] 2\n[END]\n"), 1);
    EXPECT_EQ(table.GetTable().at("TRIG-SRC"), Place(2, 2));
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-SRC"), kAbsent);
    unsigned char block[4] = {1, 2, 3, 4};
    table.PCParamToDSOdata("TRIG-SRC", 0, block);
    EXPECT_EQ(block[2], 3);
    EXPECT_EQ(block[3], 4);
    table.PCParamToDSOdata("TRIG-MODE", 0, block);
    EXPECT_EQ(block[0], 0);
}

TEST(HostileDescription, LongLinesAreCutAndStillCountAsOneLine) {
    const std::string longName(1u << 20, 'N');
    CParlex table;
    const std::string text = "[TOTAL] 8\n[START]\n[VERT-" + longName + "] 3\n[TRIG-MODE] 1\n[END]\n";
    ASSERT_EQ(table.Trans_Init(text.c_str()), 1);
    EXPECT_EQ(table.GetEntryCount(), 2);
    // The cut line loses its closing bracket and files nothing.
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-MODE"), Place(0, 1));
    EXPECT_EQ(table.GetTable().size(), 1u);

    // A name that fits in 1023 characters with its line is kept whole.
    const std::string fitting = "[VERT-" + std::string(1023 - 9, 'F') + "] 2";
    ASSERT_EQ(fitting.size(), 1023u);
    CParlex second;
    ASSERT_EQ(second.Trans_Init(("[TOTAL] 8\n[START]\n" + fitting + "\n[END]\n").c_str()), 1);
    EXPECT_EQ(second.DSOdataToPCParam("VERT-" + std::string(1023 - 9, 'F')), Place(0, 2));

    // One megabyte without a line feed: no total line can be completed.
    const std::string noFeeds(1u << 20, '[');
    EXPECT_EQ(CParlex().Trans_Init(noFeeds.c_str()), 0);
    EXPECT_EQ(CVKTable_Parlex().VKTrans_Init(noFeeds.c_str()), 0);

    CVKTable_Parlex keys;
    const std::string keyText = "[TOTAL] 1\n[START]\n[" + longName + "]\n[FN-1-KEY]\n";
    ASSERT_EQ(keys.VKTrans_Init(keyText.c_str()), 1);
    EXPECT_EQ(keys.GetVKKeyPos("FN-1-KEY"), 1);
    EXPECT_EQ(keys.GetKeyMap().size(), 1u);
}

TEST(HostileDescription, ZeroByteEndsTheText) {
    const std::string text("[TOTAL] 4\n[START]\n[TRIG-MODE] 1\n\0[TRIG-SRC] 1\n[END]\n", 50);
    CParlex table;
    ASSERT_EQ(table.Trans_Init(text.c_str()), 1);
    EXPECT_EQ(table.GetEntryCount(), 1);
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-SRC"), kAbsent);
    const std::string keyText("[TOTAL] 4\n[START]\n[A-KEY]\n[B-\0KEY]\n", 35);
    CVKTable_Parlex keys;
    ASSERT_EQ(keys.VKTrans_Init(keyText.c_str()), 1);
    EXPECT_EQ(keys.GetEntryCount(), 1);
    EXPECT_EQ(keys.GetVKKeyPos("A-KEY"), 0);
}
