// The descriptions the instrument serves, fetched over the simulated cable and
// read back by the program's own protocol and key tables.
#include <gtest/gtest.h>

#include "parlex/Parlex.h"
#include "parlex/VKTableParlex.h"
#include "sim/SimKeyLayout.h"
#include "sim/SimProtocolLayout.h"
#include "test_sim_harness.h"

namespace {

// Collects the text of a 0x90 transfer; checks every piece and the end packet.
std::string Collect(const std::vector<Bytes>& answers, std::size_t maxText, bool* sumMatches) {
    std::string text;
    std::uint8_t sum = 0;
    *sumMatches = false;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const Bytes& p = answers[i];
        EXPECT_TRUE(EnvelopeSound(p));
        EXPECT_EQ(p[3], 0x90);
        const bool last = i + 1 == answers.size();
        EXPECT_EQ(p[4], last ? 2 : 1);
        if (last) {
            EXPECT_EQ(p.size(), 7u);
            *sumMatches = p[5] == sum;
        } else {
            EXPECT_LE(p.size() - 6, maxText);
            for (std::size_t k = 5; k + 1 < p.size(); ++k) {
                text.push_back(static_cast<char>(p[k]));
                sum = static_cast<std::uint8_t>(sum + p[k]);
            }
        }
    }
    return text;
}

std::vector<std::string> NamesTheProgramLooksUp() {
    std::vector<std::string> names = {
        "DISPLAY-FORMAT", "DISPLAY-PERSIST", "DISPLAY-MODE", "DISPLAY-CONTRAST", "DISPLAY-MAXCONTRAST",
        "DISPLAY-GRID-KIND", "DISPLAY-GRID-BRIGHT", "DISPLAY-MAXGRID-BRIGHT", "ACQURIE-MODE", "ACQURIE-AVG-CNT",
        "ACQURIE-TYPE", "ACQURIE-STORE-DEPTH", "MATH-DISP", "MATH-MODE", "MATH-FFT-SRC", "MATH-FFT-WIN",
        "MATH-FFT-FACTOR", "MATH-FFT-DB", "HORIZ-TB", "HORIZ-WIN-TB", "HORIZ-WIN-STATE", "HORIZ-TRIGTIME",
        "TRIG-TYPE", "TRIG-MODE", "TRIG-SRC", "TRIG-STATE", "TRIG-VPOS", "TRIG-HOLDTIME", "TRIG-HOLDTIME-MIN",
        "TRIG-HOLDTIME-MAX", "TRIG-FREQUENCY", "TRIG-OVERTIME-NEG", "TRIG-OVERTIME-TIME",
        "TRIG-SWAP-CH1-MODE", "TRIG-SWAP-CH2-MODE", "TRIG-SWAP-CH1-TYPE", "TRIG-SWAP-CH2-TYPE",
        "CONTROL-TYPE", "CONTROL-MENUID", "CONTROL-DISP-MENU"};
    for (const char* ch : {"CH1", "CH2"})
        for (const char* s : {"DISP", "20MHZ", "COUP", "POS", "VB", "CNT-FINE", "FINE", "PROBE", "RPHASE"})
            names.push_back(std::string("VERT-") + ch + "-" + s);
    for (const char* p : {"TRIG-", "TRIG-SWAP-CH1-", "TRIG-SWAP-CH2-"})
        for (const char* s : {"COUP", "EDGE-SLOPE", "VIDEO-NEG", "VIDEO-PAL", "VIDEO-SYN", "VIDEO-LINE",
                              "PULSE-NEG", "PULSE-WHEN", "PULSE-TIME", "SLOPE-SET", "SLOPE-WIN", "SLOPE-V1",
                              "SLOPE-V2", "SLOPE-WHEN", "SLOPE-TIME"})
            names.push_back(std::string(p) + s);
    for (int i = 1; i <= 8; ++i) {
        names.push_back("MEASURE-ITEM" + std::to_string(i));
        names.push_back("MEASURE-ITEM" + std::to_string(i) + "-SRC");
    }
    return names;
}

}  // namespace

TEST(SimDescriptions, ProtocolTextParsesIntoTheInstrumentsOwnLayout) {
    SimBench bench("piece=700");
    bool sumOk = false;
    const std::string text = Collect(bench.Request("/protocol.inf"), 700, &sumOk);
    EXPECT_TRUE(sumOk);
    EXPECT_LT(text.size(), 10240u);  // fits the program's configuration buffer

    CParlex table;
    ASSERT_EQ(table.Trans_Init(text.c_str()), 1);
    const CSimProtocolLayout& layout = CSimProtocolLayout::Standard();
    EXPECT_EQ(table.GetSysBufLen(), layout.BlockSize());
    EXPECT_EQ(static_cast<std::size_t>(table.GetSysBufLen()), bench.Block().size());
    for (const std::string& name : NamesTheProgramLooksUp()) {
        const CParlex::Place place = table.DSOdataToPCParam(name);
        EXPECT_NE(place.first, -1) << name;
        EXPECT_EQ(place.first, layout.OffsetOf(name)) << name;
        EXPECT_EQ(place.second, layout.WidthOf(name)) << name;
        EXPECT_GT(place.second, 0) << name;
    }
    // Spare entries take bytes, and the widths add up to the total.
    int sum = 0;
    for (const auto& [name, place] : table.GetTable())
        sum += place.second;
    EXPECT_EQ(sum, table.GetSysBufLen());
    EXPECT_GT(table.GetTable().size(), NamesTheProgramLooksUp().size());
    EXPECT_NE(text.find("\n;"), std::string::npos);  // comment lines
}

TEST(SimDescriptions, ProgramWritesLandWhereTheFirmwareReads) {
    SimBench bench;
    bool sumOk = false;
    CParlex table;
    ASSERT_EQ(table.Trans_Init(Collect(bench.Request("/protocol.inf"), 1024, &sumOk).c_str()), 1);
    Bytes block = bench.Block();
    ASSERT_EQ(static_cast<int>(block.size()), table.GetSysBufLen());
    table.PCParamToDSOdata("VERT-CH1-POS", -37, block.data());
    table.PCParamToDSOdata("HORIZ-TRIGTIME", 123456789012LL, block.data());
    table.PCParamToDSOdata("TRIG-SWAP-CH2-SLOPE-WHEN", 2, block.data());
    ASSERT_EQ(bench.Send(17, block).size(), 1u);
    EXPECT_EQ(bench.sim->Param("VERT-CH1-POS"), -37);
    EXPECT_EQ(bench.sim->Param("HORIZ-TRIGTIME"), 123456789012LL);
    EXPECT_EQ(bench.sim->Param("TRIG-SWAP-CH2-SLOPE-WHEN"), 2);
}

TEST(SimDescriptions, KeyTextParsesIntoEveryPanelKey) {
    SimBench bench;
    bool sumOk = false;
    const std::string text = Collect(bench.Request("/keyprotocol.inf"), 1024, &sumOk);
    EXPECT_TRUE(sumOk);
    CVKTable_Parlex keys;
    ASSERT_EQ(keys.VKTrans_Init(text.c_str()), 1);
    const std::vector<std::string> panel = {
        "FN-0-KEY", "FN-1-KEY", "FN-2-KEY", "FN-3-KEY", "FN-4-KEY", "FN-5-KEY", "FN-6-KEY", "FN-7-KEY",
        "FN-MLEFT-KEY", "FN-MRIGHT-KEY", "FN-MZERO-KEY", "MENU-SR-KEY", "MENU-UTILITY-KEY", "MENU-MEASURE-KEY",
        "MENU-CURSOR-KEY", "MENU-ACQUIRE-KEY", "MENU-DISPLAY-KEY", "CT-HELP-KEY", "CT-DS-KEY", "CT-AUTOSET-KEY",
        "CT-SINGLESEQ-KEY", "CT-RS-KEY", "CT-STU-KEY", "VT-CH1-MENU-KEY", "VT-MATH-MENU-KEY", "VT-CH2-MENU-KEY",
        "VT-CH1-PADD-KEY", "VT-CH1-PSUB-KEY", "VT-CH1-PZERO-KEY", "VT-CH1-VBADD-KEY", "VT-CH1-VBSUB-KEY",
        "VT-CH2-PADD-KEY", "VT-CH2-PSUB-KEY", "VT-CH2-PZERO-KEY", "VT-CH2-VBADD-KEY", "VT-CH2-VBSUB-KEY",
        "HZ-MENU-KEY", "HZ-PADD-KEY", "HZ-PSUB-KEY", "HZ-PZERO-KEY", "HZ-TBADD-KEY", "HZ-TBSUB-KEY",
        "TG-MENU-KEY", "TG-PHALF-KEY", "TG-FORCE-KEY", "TG-PROBECHECK-KEY", "TG-PADD-KEY", "TG-PSUB-KEY",
        "TG-PZERO-KEY"};
    EXPECT_EQ(keys.GetKeyMap().size(), panel.size());
    for (const std::string& name : panel) {
        const int position = keys.GetVKKeyPos(name);
        EXPECT_GE(position, 0) << name;
        EXPECT_EQ(CSimKeyLayout::Standard().NameOf(position), name);  // the firmware reads the same number
    }
}

TEST(SimDescriptions, DamagedAndMissingFiles) {
    SimBench bench("fault=baddesc,fault=nokeys");
    bool sumOk = true;
    const std::string first = Collect(bench.Request("/protocol.inf"), 1024, &sumOk);
    EXPECT_FALSE(sumOk);  // the program's check fails on the first attempt
    const std::string second = Collect(bench.Request("/protocol.inf"), 1024, &sumOk);
    EXPECT_TRUE(sumOk);
    EXPECT_EQ(first.size(), second.size());
    EXPECT_NE(first, second);
    EXPECT_TRUE(bench.Request("/keyprotocol.inf").empty());
    EXPECT_TRUE(bench.Request("/nothing.inf").empty());
}
