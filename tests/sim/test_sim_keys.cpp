// Front-panel keys sent as key commands change the instrument's settings.
#include <gtest/gtest.h>

#include "sim/SimAcquisition.h"
#include "sim/SimKeyLayout.h"
#include "sim/SimMenus.h"
#include "test_sim_harness.h"

namespace {
int Key(const char* name) { return CSimKeyLayout::Standard().NumberOf(name); }
}  // namespace

TEST(SimKeys, ScaleAndPositionKeysStepTheSettings) {
    SimBench bench;
    const std::int64_t vb = bench.sim->Param("VERT-CH1-VB");
    EXPECT_EQ(bench.PressKey(Key("VT-CH1-VBADD-KEY")), (std::vector<Bytes>{{0x53, 0x02, 0x00, 0x93, 0xE8}}));
    EXPECT_EQ(bench.sim->Param("VERT-CH1-VB"), vb + 1);
    bench.PressKey(Key("VT-CH1-VBSUB-KEY"));
    bench.PressKey(Key("VT-CH1-VBSUB-KEY"));
    EXPECT_EQ(bench.sim->Param("VERT-CH1-VB"), vb - 1);

    bench.PressKey(Key("VT-CH2-PADD-KEY"));
    bench.PressKey(Key("VT-CH2-PADD-KEY"));
    EXPECT_EQ(bench.sim->Param("VERT-CH2-POS"), -48);
    bench.PressKey(Key("VT-CH2-PZERO-KEY"));
    EXPECT_EQ(bench.sim->Param("VERT-CH2-POS"), 0);

    const std::int64_t tb = bench.sim->Param("HORIZ-TB");
    bench.PressKey(Key("HZ-TBADD-KEY"));
    EXPECT_EQ(bench.sim->Param("HORIZ-TB"), tb + 1);
    for (int i = 0; i < 40; ++i)
        bench.PressKey(Key("HZ-TBSUB-KEY"));
    EXPECT_EQ(bench.sim->Param("HORIZ-TB"), 8);  // 800 ns/div is the fastest with two channels

    bench.PressKey(Key("HZ-PADD-KEY"));
    EXPECT_EQ(bench.sim->Param("HORIZ-TRIGTIME"), 800 * 1000 / 25);  // 1/25 division in ps
    bench.PressKey(Key("TG-PSUB-KEY"));
    EXPECT_EQ(bench.sim->Param("TRIG-VPOS"), 49);

    // The last key number is "TG-PZERO-KEY"; one past it is no key and changes nothing.
    const Bytes before = bench.Block();
    EXPECT_EQ(bench.PressKey(CSimKeyLayout::Standard().Count()).size(), 1u);
    EXPECT_EQ(bench.PressKey(0xFF).size(), 1u);
    EXPECT_EQ(bench.Block(), before);
}

TEST(SimKeys, RunStopSingleAndForceFollowTheStateText) {
    SimBench bench;
    EXPECT_EQ(bench.Block().empty(), false);
    EXPECT_EQ(bench.sim->Param("TRIG-STATE"), SimTrigState::kTrigd);
    bench.PressKey(Key("CT-RS-KEY"));
    bench.Block();
    EXPECT_EQ(bench.sim->Param("TRIG-STATE"), SimTrigState::kStop);
    bench.PressKey(Key("CT-RS-KEY"));
    bench.Block();
    EXPECT_EQ(bench.sim->Param("TRIG-STATE"), SimTrigState::kTrigd);

    // Level above the signal in normal mode: waiting; in auto mode: free-running.
    bench.sim->WithState([](SimState& s) { s.block.Set("TRIG-VPOS", 190); });
    bench.Block();
    EXPECT_EQ(bench.sim->Param("TRIG-STATE"), SimTrigState::kAuto);
    bench.sim->WithState([](SimState& s) { s.block.Set("TRIG-MODE", 1); });
    bench.PressKey(Key("CT-SINGLESEQ-KEY"));
    bench.Block();
    EXPECT_EQ(bench.sim->Param("TRIG-STATE"), SimTrigState::kReady);
    bench.PressKey(Key("TG-FORCE-KEY"));
    bench.Block();
    EXPECT_EQ(bench.sim->Param("TRIG-STATE"), SimTrigState::kAstop);

    // Single sequence with a reachable level captures by itself.
    bench.PressKey(Key("TG-PHALF-KEY"));
    EXPECT_EQ(bench.sim->Param("TRIG-VPOS"), bench.sim->Param("VERT-CH1-POS"));  // a sine's middle is 0 V
    bench.PressKey(Key("CT-SINGLESEQ-KEY"));
    bench.Block();
    EXPECT_EQ(bench.sim->Param("TRIG-STATE"), SimTrigState::kAstop);

    // Slow time bases scan.
    bench.PressKey(Key("CT-RS-KEY"));
    bench.sim->WithState([](SimState& s) { s.block.Set("HORIZ-TB", 24); });  // 200 ms/div
    bench.Block();
    EXPECT_EQ(bench.sim->Param("TRIG-STATE"), SimTrigState::kScan);
}

TEST(SimKeys, AutosetAndDefaultSetup) {
    SimBench bench("ch1=sine:10k:0.4,ch2=none");
    bench.sim->WithState([](SimState& s) {
        s.block.Set("VERT-CH1-VB", 10);
        s.block.Set("HORIZ-TB", 28);
        s.block.Set("TRIG-SRC", 1);
        s.run = SimRunState::Stopped;
    });
    bench.PressKey(Key("CT-AUTOSET-KEY"));
    EXPECT_EQ(bench.sim->Param("VERT-CH2-DISP"), 0);
    EXPECT_EQ(bench.sim->Param("VERT-CH1-DISP"), 1);
    EXPECT_EQ(bench.sim->Param("VERT-CH1-VB"), 5);   // 0.4 Vpp fits 6 divisions from 100 mV/div on (50 mV x 6 < 0.4 V)
    EXPECT_EQ(bench.sim->Param("HORIZ-TB"), 11 + 1); // 20 us/div (code 11): 16 divisions hold three periods of 10 kHz
    EXPECT_EQ(bench.sim->Param("TRIG-SRC"), 0);
    EXPECT_EQ(bench.sim->Param("VERT-CH1-POS"), 0);
    bench.Block();
    EXPECT_EQ(bench.sim->Param("TRIG-STATE"), SimTrigState::kTrigd);

    bench.PressKey(Key("CT-DS-KEY"));
    EXPECT_EQ(bench.sim->Param("VERT-CH2-DISP"), 1);
    EXPECT_EQ(bench.sim->Param("HORIZ-TB"), 15);
    EXPECT_EQ(bench.sim->Param("VERT-CH1-VB"), 8);
}

TEST(SimKeys, MenuAndFunctionKeysMoveThroughTheMenus) {
    SimBench bench("model=0");
    bench.PressKey(Key("MENU-DISPLAY-KEY"));
    EXPECT_EQ(bench.sim->Param("CONTROL-MENUID"), SimMenuId::kDisplay);
    EXPECT_EQ(bench.sim->Param("CONTROL-DISP-MENU"), 1);
    bench.PressKey(Key("FN-2-KEY"));  // persistence: AUTO -> 0.2s (code 2)
    EXPECT_EQ(bench.sim->Param("DISPLAY-PERSIST"), 2);
    bench.PressKey(Key("MENU-DISPLAY-KEY"));  // same key again hides the menu
    EXPECT_EQ(bench.sim->Param("CONTROL-DISP-MENU"), 0);
    bench.PressKey(Key("FN-0-KEY"));
    EXPECT_EQ(bench.sim->Param("CONTROL-DISP-MENU"), 1);

    // Trigger menu: the coupling item skips the noise reject this model lacks.
    bench.PressKey(Key("TG-MENU-KEY"));
    EXPECT_EQ(bench.sim->Param("CONTROL-MENUID"), SimMenuId::kTrigEdge);
    bench.PressKey(Key("FN-5-KEY"));
    bench.PressKey(Key("FN-5-KEY"));
    EXPECT_EQ(bench.sim->Param("TRIG-COUP"), 3);
    bench.PressKey(Key("FN-1-KEY"));  // type edge -> video, and its menu
    EXPECT_EQ(bench.sim->Param("TRIG-TYPE"), 1);
    EXPECT_EQ(bench.sim->Param("CONTROL-MENUID"), SimMenuId::kTrigVideo);
    bench.PressKey(Key("FN-MRIGHT-KEY"));
    EXPECT_EQ(bench.sim->Param("TRIG-HOLDTIME"), 600000);

    // Channel menu key: menu up, then off, then on again.
    bench.PressKey(Key("VT-CH2-MENU-KEY"));
    EXPECT_EQ(bench.sim->Param("CONTROL-MENUID"), SimMenuId::kCh2);
    bench.PressKey(Key("VT-CH2-MENU-KEY"));
    EXPECT_EQ(bench.sim->Param("VERT-CH2-DISP"), 0);
    bench.PressKey(Key("VT-CH2-PADD-KEY"));  // a hidden trace does not move
    EXPECT_EQ(bench.sim->Param("VERT-CH2-POS"), -50);
    bench.PressKey(Key("VT-CH2-MENU-KEY"));
    EXPECT_EQ(bench.sim->Param("VERT-CH2-DISP"), 1);

    // Acquire menu: depth steps over 1M while both channels are on.
    bench.PressKey(Key("MENU-ACQUIRE-KEY"));
    for (int i = 0; i < 4; ++i)
        bench.PressKey(Key("FN-4-KEY"));
    EXPECT_EQ(bench.sim->Param("ACQURIE-STORE-DEPTH"), 0);
}
