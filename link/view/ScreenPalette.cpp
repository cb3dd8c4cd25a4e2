#include "link/view/ScreenPalette.h"

namespace {
// The 6 x 6 x 6 colour cube of steps of 0x33: red steps with the lowest
// digit of n in base 6, green with the next, blue with the highest.
constexpr uint32_t CubeColor(uint32_t n)
{
    return 0x330000u * (n / 36) + 0x3300u * ((n / 6) % 6) + 0x33u * (n % 6);
}

constexpr int kCubeHeadEnd = 108;    // indices 0-107: the cube from its start
constexpr int kCubeTailStart = 148;  // indices 148-255: the cube continued at n = i - 40
constexpr int kCubeTailShift = 40;
constexpr int kDarkGreyIndex = 86;   // one cube entry replaced by a dark grey
constexpr uint32_t kDarkGrey = 0x444444u;

// Indices 108-147: blacks, yellows, greys and magentas of the instrument's menus.
constexpr std::array<uint32_t, kCubeTailStart - kCubeHeadEnd> kSpecialColors = {
    0x000000, 0x000000, 0x000000, 0x000000,            // 108-111
    0x00DDDD, 0x00AAAA, 0x00EEEE, 0x008888,            // 112-115
    0x000000,                                          // 116
    0x020202, 0x040404, 0x080808, 0x0F0F0F,            // 117-120
    0x111111, 0x222222, 0x333333, 0x444444, 0x555555,  // 121-125
    0x666666, 0x777777, 0x888888, 0x999999, 0xAAAAAA,  // 126-130
    0xBBBBBB, 0xCCCCCC, 0xDDDDDD, 0xEEEEEE, 0xFFFFFF,  // 131-135
    0xCC00CC, 0x990099, 0x660066, 0x330033,            // 136-139
    0xDD00DD, 0xAA00AA, 0xEE00EE, 0x880088,            // 140-143
    0xDDDD00, 0xAAAA00, 0xEEEE00, 0x888800,            // 144-147
};
}  // namespace

uint32_t ScreenPaletteColor(uint8_t index)
{
    if (index == kDarkGreyIndex)
        return kDarkGrey;
    if (index < kCubeHeadEnd)
        return CubeColor(index);
    if (index < kCubeTailStart)
        return kSpecialColors[index - kCubeHeadEnd];
    return CubeColor(static_cast<uint32_t>(index) - kCubeTailShift);
}

const std::array<uint32_t, kScreenPaletteSize>& ScreenPalette()
{
    static const std::array<uint32_t, kScreenPaletteSize> palette = [] {
        std::array<uint32_t, kScreenPaletteSize> colors{};
        for (int i = 0; i < kScreenPaletteSize; ++i)
            colors[i] = ScreenPaletteColor(static_cast<uint8_t>(i));
        return colors;
    }();
    return palette;
}
