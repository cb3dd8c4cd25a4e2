// A 5 x 7 pixel font for printable ASCII (0x20 ... 0x7E), used to draw the
// simulated instrument's screen texts. Each glyph sits in a 6 x 8 cell (one
// column and one row of spacing); characters outside the range draw as '?'.
#pragma once

#include <cstdint>
#include <string_view>

namespace BitmapFont {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kCellWidth = 6;
constexpr int kCellHeight = 8;

// True when pixel (x, y) of the glyph of c is lit; x 0 ... 4 from the left,
// y 0 ... 6 from the top; false outside the glyph.
bool PixelSet(char c, int x, int y);

// Width in pixels of text drawn at the given integer scale (cells of
// kCellWidth * scale, without the trailing spacing column).
int TextWidth(std::string_view text, int scale = 1);

} // namespace BitmapFont
