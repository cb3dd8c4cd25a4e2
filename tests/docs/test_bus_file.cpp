// The bus analysis window's file: save -> load -> save is byte-identical,
// every truncation and out-of-range value is refused, and an SPI window
// comes back with its own line names.
#include "docs/BusAnalysisData.h"
#include "docs/BusFile.h"

#include <gtest/gtest.h>

TEST(BusFile, RoundTripRefusesDamageAndKeepsTheBusLines) {
    CBusAnalysisData data;
    data.frameRect = QRect(10, 20, 640, 480);
    data.timeBase = 40000.0f;
    data.TakeRecords(nullptr, nullptr, 300);
    data.ch1[7] = 0x81;
    data.ch2[299] = 0x7F;
    data.SetBusName("SPI");
    data.spi.cpol = "1";
    data.bits = 16;
    data.numberBase = kBaseBinary;
    data.colours[kBusRes2] = 0x123456;
    data.panelTab = 4;

    const QByteArray bytes = CBusFile::Store(data);
    // frame 16, window values 68, record length 4 + 2 x 300, analysis and panel after.
    ASSERT_GT(bytes.size(), 16 + 68 + 604);
    std::unique_ptr<CBusAnalysisData> loaded = CBusFile::LoadBytes(bytes);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->lineNames, (std::array<std::string, 2>{"DATA", "CLK"}));
    EXPECT_TRUE(loaded->IsSPI());
    EXPECT_EQ(loaded->ch1[7], 0x81);
    EXPECT_EQ(loaded->ch2[299], 0x7F);
    EXPECT_EQ(loaded->spi.cpol, "1");
    EXPECT_EQ(loaded->frameRect, data.frameRect);
    EXPECT_EQ(CBusFile::Store(*loaded), bytes);

    for (int cut = 0; cut < bytes.size(); ++cut)
        ASSERT_FALSE(CBusFile::LoadBytes(bytes.left(cut))) << cut;
    EXPECT_FALSE(CBusFile::LoadBytes(bytes + QByteArray(1, '\0')));

    // Values a window depends on are checked: bits, record length.
    for (auto damage : {+[](CBusAnalysisData& d) { d.bits = 12; }, +[](CBusAnalysisData& d) { d.numberBase = 4; },
                        +[](CBusAnalysisData& d) { d.i2c.addressBits = 9; },
                        +[](CBusAnalysisData& d) { d.busName = "CAN"; }}) {
        CBusAnalysisData bad = data;
        damage(bad);
        EXPECT_FALSE(CBusFile::LoadBytes(CBusFile::Store(bad)));
    }
    ASSERT_EQ(bytes.mid(84, 4), QByteArray("\x2c\x01\x00\x00", 4)); // the record length, 300
    QByteArray huge = bytes;
    for (int i = 84; i < 87; ++i)
        huge[i] = '\xFF'; // record length 0x00FFFFFF: more than the file holds
    EXPECT_FALSE(CBusFile::LoadBytes(huge));
    huge[87] = '\x7F'; // and above the longest record
    EXPECT_FALSE(CBusFile::LoadBytes(huge));
}
