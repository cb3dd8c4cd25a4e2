// Reading protocol descriptions into the name-to-place table.
#include "parlex/Parlex.h"

#include <gtest/gtest.h>

#include <string>

namespace {
using Place = CParlex::Place;
const Place kAbsent{-1, -1};

std::string Description(int total, const std::string& entries) {
    return "[TOTAL] " + std::to_string(total) + "\n[START]\n" + entries + "[END]\n";
}
}  // namespace

TEST(ProtocolTable, PacksKnownGroupsAndSkipsUnknownOnes) {
    CParlex table;
    const std::string text = Description(300,
        "[VERT-CH1-VB] 2\n"
        "[ACQUIRE-MODE] 5\n"  // misspelt group word: no bytes
        "[SPARE-X] 3\n"
        "HORIZ-TB] 4\n"       // opening bracket is optional
        "[TRIG-SWAP-CH1-COUP] 194\n");
    ASSERT_EQ(table.Trans_Init(text.c_str()), 1);
    EXPECT_EQ(table.GetSysBufLen(), 300);
    EXPECT_NE(table.GetSysBuf(), nullptr);
    EXPECT_EQ(table.GetEntryCount(), 5);
    EXPECT_EQ(table.DSOdataToPCParam("VERT-CH1-VB"), Place(0, 2));
    EXPECT_EQ(table.DSOdataToPCParam("HORIZ-TB"), Place(2, 4));
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-SWAP-CH1-COUP"), Place(6, 194));
    EXPECT_EQ(table.DSOdataToPCParam("ACQUIRE-MODE"), kAbsent);
    EXPECT_EQ(table.DSOdataToPCParam("SPARE-X"), kAbsent);
    EXPECT_EQ(table.DSOdataToPCParam("vert-ch1-vb"), kAbsent);
    EXPECT_EQ(table.GetTable().size(), 3u);
}

TEST(ProtocolTable, MarkersToleratePaddingCommentsAndCarriageReturns) {
    CParlex table;
    const char* text =
        "header line\r\n"
        "size [TOTAL]\t 16\r\n"
        "ignored before the start\r\n"
        "  \t[START] begin of entries\r\n"
        "\t[TRIG-MODE]\t1\r\n"
        "[HORIZ-TB] 2 two bytes\r\n"
        "   [END] trailing words\r\n"
        "[VERT-CH1-POS] 4\r\n";
    ASSERT_EQ(table.Trans_Init(text), 1);
    EXPECT_EQ(table.GetSysBufLen(), 16);
    EXPECT_EQ(table.GetEntryCount(), 2);
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-MODE"), Place(0, 1));
    EXPECT_EQ(table.DSOdataToPCParam("HORIZ-TB"), Place(1, 2));
    EXPECT_EQ(table.DSOdataToPCParam("VERT-CH1-POS"), kAbsent);
}

TEST(ProtocolTable, FirstEntryWinsButEveryWidthMovesTheOffset) {
    CParlex table;
    const std::string text = Description(20,
        "[TRIG-MODE] 1\n"
        "[TRIG-MODE] 2\n"
        "[VERT-CH1-VB]\n"      // no number: width 0
        "[MATH-DISP] 1\n"
        "\n"                   // empty line: counted, files nothing
        "no hyphen here\n"
        "[MEASURE-ITEM1-SRC] 1\n");
    ASSERT_EQ(table.Trans_Init(text.c_str()), 1);
    EXPECT_EQ(table.GetEntryCount(), 7);
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-MODE"), Place(0, 1));
    EXPECT_EQ(table.DSOdataToPCParam("VERT-CH1-VB"), Place(3, 0));
    EXPECT_EQ(table.DSOdataToPCParam("MATH-DISP"), Place(3, 1));
    EXPECT_EQ(table.DSOdataToPCParam("MEASURE-ITEM1-SRC"), Place(4, 1));

    // A second reading without clearing replaces no name.
    ASSERT_EQ(table.Trans_Init(Description(20, "[TRIG-MODE] 4\n[CONTROL-TYPE] 1\n").c_str()), 1);
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-MODE"), Place(0, 1));
    EXPECT_EQ(table.DSOdataToPCParam("CONTROL-TYPE"), Place(4, 1));
}

TEST(ProtocolTable, MissingMarkersAndUnterminatedLastLine) {
    CParlex table;
    EXPECT_EQ(table.Trans_Init(""), 0);
    EXPECT_EQ(table.Trans_Init(nullptr), 0);
    EXPECT_EQ(table.Trans_Init("[START]\n[TRIG-MODE] 1\n[END]\n"), 0);
    EXPECT_EQ(table.GetSysBuf(), nullptr);
    EXPECT_EQ(table.GetSysBufLen(), 0);

    // Total line without start marker: 0, but the new buffer exists.
    EXPECT_EQ(table.Trans_Init("[TOTAL] 8\n[TRIG-MODE] 1\n"), 0);
    EXPECT_EQ(table.GetSysBufLen(), 8);
    EXPECT_NE(table.GetSysBuf(), nullptr);
    EXPECT_TRUE(table.GetTable().empty());

    // No end marker: every complete line is an entry; the last one lacks its line feed.
    ASSERT_EQ(table.Trans_Init("[TOTAL] 8\n[START]\n[TRIG-MODE] 1\n[TRIG-SRC] 1\n[TRIG-TYPE] 1"), 1);
    EXPECT_EQ(table.GetEntryCount(), 2);
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-SRC"), Place(1, 1));
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-TYPE"), kAbsent);

    table.TableClear();
    EXPECT_EQ(table.GetSysBuf(), nullptr);
    EXPECT_TRUE(table.GetTable().empty());
    EXPECT_EQ(table.GetSysBufLen(), 8);
    EXPECT_EQ(table.DSOdataToPCParam("TRIG-MODE"), kAbsent);
}
