// Command frames, byte for byte, as the instrument expects them.
#include <QByteArray>

#include <gtest/gtest.h>

#include "LinkTestSupport.h"
#include "corvane/SharedState.h"
#include "link/DSOSetup.h"

namespace {
std::string Hex(const std::vector<uint8_t>& frame)
{
    return QByteArray(reinterpret_cast<const char*>(frame.data()), static_cast<int>(frame.size()))
        .toHex()
        .toUpper()
        .toStdString();
}

CommandArgs Cmd(int32_t code)
{
    CommandArgs a;
    a.nCmd = code;
    return a;
}

std::string Frame(CommandArgs a)
{
    return Hex(CDSOSetup::BuildFrame(a));
}
}  // namespace

TEST(CommandFrames, CommandsWithoutArguments)
{
    EXPECT_EQ(Frame(Cmd(0)), "5302000055");
    EXPECT_EQ(Frame(Cmd(1)), "5302000156");
    EXPECT_EQ(Frame(Cmd(3)), "5302000358");
    EXPECT_EQ(Frame(Cmd(4)), "5302000459");
    EXPECT_EQ(Frame(Cmd(32)), "5302002075");
    EXPECT_EQ(Frame(Cmd(33)), "5302002176");
    EXPECT_EQ(Frame(Cmd(127)), "4302007F66");  // "C" start mark, "f" check
}

TEST(CommandFrames, UnknownCodesAndSubFormsGiveTheEmptyFrame)
{
    EXPECT_EQ(Frame(Cmd(5)), "5300000000");
    EXPECT_EQ(Frame(Cmd(99)), "5300000000");
    EXPECT_EQ(Frame(Cmd(-1)), "5300000000");
    CommandArgs wave = Cmd(2);
    wave.nSub = -1;
    EXPECT_EQ(Frame(wave), "5300000000");
    wave.nSub = 2;
    EXPECT_EQ(Frame(wave), "5300000000");
}

TEST(CommandFrames, WaveformRequests)
{
    CommandArgs a = Cmd(2);
    a.nSub = 0;
    EXPECT_EQ(Frame(a), "530300020058");
    a.nSub = 1;
    a.nChannel = 0;
    EXPECT_EQ(Frame(a), "5304000201005A");
    a.nChannel = 1;
    EXPECT_EQ(Frame(a), "5304000201015B");
}

TEST(CommandFrames, MenuReadModeKeyAndMenuByteCommands)
{
    CommandArgs menu = Cmd(14);
    menu.nArg1 = 3;
    menu.nArg2 = 4;
    EXPECT_EQ(Frame(menu), "5304000E03046C");

    CommandArgs read = Cmd(18);
    read.nPos = 1;
    read.llValue = 1;
    EXPECT_EQ(Frame(read), "5304001201016B");
    read.llValue = 0x100;  // only the low byte travels
    EXPECT_EQ(Frame(read), "5304001201006A");

    CommandArgs key = Cmd(19);
    key.llValue = 0x0A;
    key.nKeyArg = 1;
    EXPECT_EQ(Frame(key), "530400130A0175");
    key.llValue = -1;  // a key the table does not hold
    EXPECT_EQ(Frame(key), "53040013FF016A");

    CommandArgs byte = Cmd(30);
    byte.nArg1 = 1;
    byte.nArg2 = 2;
    byte.nByte = 3;
    EXPECT_EQ(Frame(byte), "5305001E0102037C");
}

TEST(CommandFrames, SmallParameterCommandsBySizeClass)
{
    CommandArgs read = Cmd(15);
    read.nPos = 40;  // class 1: two-byte values
    EXPECT_EQ(Frame(read), "5306000F0201280093");

    CommandArgs write = Cmd(31);
    write.nPos = 70;  // class 2: four bytes, least significant first
    write.llValue = 0x11223344;
    EXPECT_EQ(Frame(write), "530A001F040146004433221171");
    write.llValue = -2;
    EXPECT_EQ(Frame(write), "530A001F04014600FEFFFFFFC2");

    write.llValue = -1;  // the byte form: nByte, then zeros
    write.nByte = 0x7E;
    write.nPos = 5;
    EXPECT_EQ(Frame(write), "5307001F010105007EFE");
    write.nPos = 100;
    EXPECT_EQ(Frame(write), "530E001F080164007E000000000000006B");

    const uint8_t data[] = {0xAA, 0xBB};
    CommandArgs block = Cmd(31);
    block.nPos = 70;
    block.pData = data;
    block.nDataLen = 2;
    EXPECT_EQ(Frame(block), "5308001F04024000AABB66");

    read.nPos = 128;  // no size class: refused
    EXPECT_TRUE(CDSOSetup::BuildFrame(read).empty());
    write.nPos = -1;
    EXPECT_TRUE(CDSOSetup::BuildFrame(write).empty());
}

TEST(CommandFrames, ConfigurationRequestCarriesTheNameLength)
{
    ResetSharedState();
    const std::string name = "/protocol.inf";
    CommandArgs a = Cmd(16);
    a.nPos = 0;
    a.pData = reinterpret_cast<const uint8_t*>(name.data());
    g_ConfignameLen = 13;
    EXPECT_EQ(Frame(a), "53100010002F70726F746F636F6C2E696E6666");

    const std::string keys = "/keyprotocol.inf";
    a.pData = reinterpret_cast<const uint8_t*>(keys.data());
    g_ConfignameLen = 16;
    const std::vector<uint8_t> f = CDSOSetup::BuildFrame(a);
    ASSERT_EQ(f.size(), 22u);
    EXPECT_EQ(f[1], 19);
    EXPECT_EQ(std::string(f.begin() + 5, f.end() - 1), keys);
    EXPECT_EQ(f.back(), 'f');

    a.pData = nullptr;  // a name that is not there is refused
    EXPECT_TRUE(CDSOSetup::BuildFrame(a).empty());
    g_ConfignameLen = 13;
}

TEST(CommandFrames, ParameterBlockOfAnyLengthIsHeldWhole)
{
    const uint8_t small[] = {1, 2, 3};
    CommandArgs a = Cmd(17);
    a.pData = small;
    a.nDataLen = 3;
    EXPECT_EQ(Frame(a), "530500110102036F");

    std::vector<uint8_t> block(1100);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(i * 7);
    a.pData = block.data();
    a.nDataLen = 1100;
    const std::vector<uint8_t> f = CDSOSetup::BuildFrame(a);
    ASSERT_EQ(f.size(), 1105u);
    EXPECT_EQ(f[1] | (f[2] << 8), 1102);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), f.begin() + 4));
    uint8_t sum = 0;
    for (size_t i = 0; i + 1 < f.size(); ++i)
        sum = static_cast<uint8_t>(sum + f[i]);
    EXPECT_EQ(f.back(), sum);

    a.nDataLen = 0xFFFF;  // one byte more than the length field can count
    EXPECT_TRUE(CDSOSetup::BuildFrame(a).empty());
    a.nDataLen = -1;
    EXPECT_TRUE(CDSOSetup::BuildFrame(a).empty());
    a.pData = nullptr;
    a.nDataLen = 4;
    EXPECT_TRUE(CDSOSetup::BuildFrame(a).empty());
}
