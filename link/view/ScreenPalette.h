#pragma once
// The instrument's screen palette: each byte of ADBufferUI is an index into
// 256 colour references (red in the low byte, then green, then blue, the top
// byte 0), the form the screen mirror keeps its two images in.
#include <QRgb>

#include <array>
#include <cstdint>

inline constexpr int kScreenPaletteSize = 256;

// The colour reference of one palette index.
uint32_t ScreenPaletteColor(uint8_t index);
// All 256 colour references, built once.
const std::array<uint32_t, kScreenPaletteSize>& ScreenPalette();

// A colour reference as Qt's 0xAARRGGBB (opaque).
constexpr QRgb ColorRefToRgb(uint32_t colorRef)
{
    return qRgb(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                static_cast<int>((colorRef >> 16) & 0xFF));
}
