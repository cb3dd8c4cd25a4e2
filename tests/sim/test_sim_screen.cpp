// The simulated instrument's screen image: size, colours, traces, and that
// every read-out, menu and message change shows.
#include "sim/BitmapFont.h"
#include "sim/ScreenRenderer.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Pixels = std::vector<uint8_t>;

uint8_t At(const Pixels& pixels, int x, int y)
{
    return pixels[static_cast<size_t>(y) * kScreenWidth + x];
}

// Counts pixels of one colour inside a rectangle.
int CountColour(const Pixels& pixels, uint8_t colour, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            count += At(pixels, x, y) == colour;
    }
    return count;
}

ScreenState Typical()
{
    ScreenState state;
    state.modelName = "QV1102";
    state.stateText = "Trigd";
    state.triggerText = "CH1 / 0.00V";
    state.ch1Scale = "500mV";
    state.ch2Scale = "1.00V";
    state.timeBase = "500us";
    state.extraText = "10MSa/s";
    state.ch1.record.assign(3200, 50);                       // 2 divisions up
    state.ch2.record.assign(3200, static_cast<uint8_t>(-50)); // 2 divisions down
    state.ch2.positionCounts = -25;
    state.menuTitle = "CH1";
    state.menuItems = {{{"Coupling", "DC"}, {"BW Limit", "Off"}, {"Probe", "1X"},
                        {"Invert", "Off"}, {"Volts/Div", "Coarse"}}};
    state.selectedItem = 0;
    return state;
}

TEST(SimScreen, ImageIsFullSizeInTheChosenColoursAndRepeatable)
{
    const Pixels pixels = RenderScreen(Typical());
    ASSERT_EQ(pixels.size(), size_t{kScreenWidth} * kScreenHeight);
    const std::set<uint8_t> allowed{
        ScreenColour::kBackground, ScreenColour::kGrid,      ScreenColour::kGridAxis,
        ScreenColour::kCh1,        ScreenColour::kCh2,       ScreenColour::kText,
        ScreenColour::kStatusBar,  ScreenColour::kMenuBack,  ScreenColour::kMenuItem,
        ScreenColour::kMenuSelected, ScreenColour::kRunning, ScreenColour::kStopped,
        ScreenColour::kTrigger};
    for (uint8_t p : pixels)
        ASSERT_TRUE(allowed.count(p)) << int(p);
    EXPECT_EQ(RenderScreen(Typical()), pixels);
    // Every part is there: graticule, both traces, status bar, menu.
    EXPECT_GT(CountColour(pixels, ScreenColour::kGrid, 0, 0, kScreenWidth, kScreenHeight), 500);
    EXPECT_GT(CountColour(pixels, ScreenColour::kCh1, 0, 0, kScreenWidth, kScreenHeight), 600);
    EXPECT_GT(CountColour(pixels, ScreenColour::kCh2, 0, 0, kScreenWidth, kScreenHeight), 600);
    EXPECT_GT(CountColour(pixels, ScreenColour::kRunning, 0, 0, kScreenWidth, 30), 500);
    EXPECT_GT(CountColour(pixels, ScreenColour::kMenuSelected, 0, 0, kScreenWidth, kScreenHeight), 1000);
}

TEST(SimScreen, TracesLandAtTheirCountsAcrossTheGrid)
{
    ScreenState state = Typical();
    state.menuItems = {};
    const Pixels pixels = RenderScreen(state);
    // Grid: 40 px per division across from x = 16, 50 px per division
    // (2 px per count) down from y = 40; the centre line is y = 240.
    for (int x : {20, 300, 650}) {
        EXPECT_EQ(At(pixels, x, 240 - 100), ScreenColour::kCh1) << x;
        EXPECT_EQ(At(pixels, x, 240 + 100), ScreenColour::kCh2) << x;
    }
    EXPECT_EQ(CountColour(pixels, ScreenColour::kCh1, 20, 40, 650, 440), 650 - 20);

    // Without the menu the grid is 19.2 divisions wide and the traces reach x = 780.
    state.menuShown = false;
    const Pixels wide = RenderScreen(state);
    EXPECT_EQ(At(wide, 780, 140), ScreenColour::kCh1);
    EXPECT_EQ(At(pixels, 790, 240), ScreenColour::kMenuBack);
    EXPECT_DOUBLE_EQ(ScreenGridDivisions(false), 19.2);
    EXPECT_DOUBLE_EQ(ScreenGridDivisions(true), 16.0);

    // Out-of-range and marker samples stay inside the grid or are skipped.
    state.ch1.record = {0x80, 0x81, 0x7F, 0x81};
    state.ch1.positionCounts = 0;
    state.ch2.shown = false;
    const Pixels markers = RenderScreen(state);
    EXPECT_EQ(CountColour(markers, ScreenColour::kCh1, 0, 0, kScreenWidth, 39), 0);
    // Only the third sample (0x7F, held at the top edge) is drawn, at x = 16 + 2 x 768 / 4.
    EXPECT_EQ(CountColour(markers, ScreenColour::kCh1, 17, 0, 784, 440), 1);
    EXPECT_EQ(At(markers, 16 + 384, 40), ScreenColour::kCh1);
    EXPECT_EQ(CountColour(markers, ScreenColour::kCh2, 0, 0, kScreenWidth, kScreenHeight), 0);

    // Scan mode leaves the unacquired tail undrawn.
    state.scanMode = true;
    state.ch1.record.assign(3200, 0xFF);
    std::fill(state.ch1.record.begin(), state.ch1.record.begin() + 1600, uint8_t{10});
    const Pixels scan = RenderScreen(state);
    EXPECT_EQ(At(scan, 100, 220), ScreenColour::kCh1);
    EXPECT_EQ(CountColour(scan, ScreenColour::kCh1, 16 + 384 + 2, 40, 784, 440), 0);
}

TEST(SimScreen, EveryTextAndStateChangeShows)
{
    const Pixels base = RenderScreen(Typical());
    const std::vector<void (*)(ScreenState&)> changes{
        [](ScreenState& s) { s.modelName = "QV1202"; },
        [](ScreenState& s) { s.running = false; },
        [](ScreenState& s) { s.stateText = "Auto"; },
        [](ScreenState& s) { s.triggerText = "CH1 / 0.50V"; },
        [](ScreenState& s) { s.ch1Scale = "1.00V"; },
        [](ScreenState& s) { s.ch2Scale = "2.00V"; },
        [](ScreenState& s) { s.timeBase = "1.00ms"; },
        [](ScreenState& s) { s.extraText = "5MSa/s"; },
        [](ScreenState& s) { s.menuTitle = "CH2"; },
        [](ScreenState& s) { s.menuItems[4].value = "Fine"; },
        [](ScreenState& s) { s.menuItems[2].label = "Probe x"; },
        [](ScreenState& s) { s.selectedItem = 3; },
        [](ScreenState& s) { s.menuShown = false; },
        [](ScreenState& s) { s.message = "Autoset"; },
        [](ScreenState& s) { s.triggerLevelCounts = 40; },
        [](ScreenState& s) { s.triggerOffsetDiv = -3.0; },
        [](ScreenState& s) { s.ch1.positionCounts = 10; },
        [](ScreenState& s) { s.ch2.shown = false; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        ScreenState state = Typical();
        changes[i](state);
        EXPECT_NE(RenderScreen(state), base) << "change " << i;
    }
    // Texts far longer than their place, control characters and huge marker
    // offsets are cut or held, never drawn outside the image.
    ScreenState wild = Typical();
    wild.message = std::string(5000, 'W');
    wild.menuTitle = std::string("\x01\x7f\xff", 3);
    wild.triggerLevelCounts = 1 << 30;
    wild.triggerOffsetDiv = 1e300;
    wild.ch1.positionCounts = -(1 << 30);
    EXPECT_EQ(RenderScreen(wild).size(), size_t{kScreenWidth} * kScreenHeight);
}

TEST(SimScreen, FontDrawsPrintableAsciiAndQuestionMarksOtherwise)
{
    // 'T': a full top row and a centre stem.
    for (int x = 0; x < BitmapFont::kGlyphWidth; ++x)
        EXPECT_TRUE(BitmapFont::PixelSet('T', x, 0)) << x;
    for (int y = 0; y < BitmapFont::kGlyphHeight; ++y)
        EXPECT_TRUE(BitmapFont::PixelSet('T', 2, y)) << y;
    EXPECT_FALSE(BitmapFont::PixelSet('T', 0, 6));
    // Glyphs differ from one another; a blank is blank.
    std::set<std::vector<bool>> shapes;
    for (char c = '!'; c <= '~'; ++c) {
        std::vector<bool> shape;
        int lit = 0;
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 5; ++x) {
                shape.push_back(BitmapFont::PixelSet(c, x, y));
                lit += shape.back();
            }
        }
        EXPECT_GT(lit, 0) << c;
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes.size(), size_t{'~' - '!' + 1});
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_FALSE(BitmapFont::PixelSet(' ', x, y));
            EXPECT_EQ(BitmapFont::PixelSet('\x01', x, y), BitmapFont::PixelSet('?', x, y));
            EXPECT_EQ(BitmapFont::PixelSet('\xE4', x, y), BitmapFont::PixelSet('?', x, y));
        }
    }
    EXPECT_FALSE(BitmapFont::PixelSet('T', -1, 0));
    EXPECT_FALSE(BitmapFont::PixelSet('T', 5, 0));
    EXPECT_FALSE(BitmapFont::PixelSet('T', 0, 7));
    EXPECT_EQ(BitmapFont::TextWidth("abc", 2), 34);
    EXPECT_EQ(BitmapFont::TextWidth("", 2), 0);
}

} // namespace
