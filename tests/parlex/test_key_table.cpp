// Reading key descriptions into the key-name table.
#include "parlex/VKTableParlex.h"

#include <gtest/gtest.h>

TEST(KeyTable, PositionsCountEveryLineAfterTheStartMarker) {
    CVKTable_Parlex keys;
    const char* text =
        "[TOTAL] 42\r\n"
        "  [START]\r\n"
        "[FN-1-KEY]\r\n"
        "\r\n"
        "  [FN-2-KEY] second function key\r\n"
        "no brackets at all\r\n"
        "[FN-1-KEY] again\r\n"
        "[CT-AUTOSET-KEY\r\n"
        "\t[CT-RUN-KEY]\r\n"
        "[END]\r\n"
        "[AFTER-KEY]\r\n";
    ASSERT_EQ(keys.VKTrans_Init(text), 1);
    EXPECT_EQ(keys.GetTotal(), 42);
    EXPECT_EQ(keys.GetEntryCount(), 7);
    EXPECT_EQ(keys.GetVKKeyPos("FN-1-KEY"), 0);
    EXPECT_EQ(keys.GetVKKeyPos("FN-2-KEY"), 2);
    EXPECT_EQ(keys.GetVKKeyPos("CT-RUN-KEY"), 6);
    EXPECT_EQ(keys.GetVKKeyPos("CT-AUTOSET-KEY"), -1);
    EXPECT_EQ(keys.GetVKKeyPos("AFTER-KEY"), -1);
    EXPECT_EQ(keys.GetVKKeyPos("fn-1-key"), -1);
    EXPECT_EQ(keys.GetKeyMap().size(), 3u);

    // A second reading without clearing keeps the first positions.
    ASSERT_EQ(keys.VKTrans_Init("[TOTAL] 1\n[START]\n[CT-RUN-KEY]\n[MENU-KEY]\n"), 1);
    EXPECT_EQ(keys.GetVKKeyPos("CT-RUN-KEY"), 6);
    EXPECT_EQ(keys.GetVKKeyPos("MENU-KEY"), 1);

    keys.TableClear();
    EXPECT_EQ(keys.GetVKKeyPos("FN-1-KEY"), -1);
    EXPECT_EQ(keys.GetEntryCount(), 0);
    EXPECT_EQ(keys.GetTotal(), 0);
}

TEST(KeyTable, RefusesTextsWithoutTotalOrStart) {
    CVKTable_Parlex keys;
    EXPECT_EQ(keys.VKTrans_Init(""), 0);
    EXPECT_EQ(keys.VKTrans_Init(nullptr), 0);
    EXPECT_EQ(keys.VKTrans_Init("[START]\n[FN-1-KEY]\n[END]\n"), 0);
    EXPECT_EQ(keys.VKTrans_Init("[TOTAL] 3\n[FN-1-KEY]\n[END]\n"), 0);
    EXPECT_EQ(keys.GetVKKeyPos("FN-1-KEY"), -1);
    EXPECT_EQ(keys.VKTrans_Init("[TOTAL] 99999999999\n[START]\n[END]\n"), 1);
    EXPECT_EQ(keys.GetTotal(), 2147483647);
    EXPECT_EQ(keys.GetEntryCount(), 0);
}
