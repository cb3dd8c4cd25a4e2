#pragma once
// The ".bmp" picture file the screen mirror exports: a file header
// (14 bytes), an information header (40 bytes) and the pixel rows, bottom row
// first, each padded to a multiple of 4 bytes. Pixels are written uncompressed
// at 24 bits (blue, green, red) or 32 bits (blue, green, red, 0); neither depth
// carries a colour table.
#include <QByteArray>

#include <cstdint>

inline constexpr int kBitmapFileHeaderSize = 14;
inline constexpr int kBitmapInfoHeaderSize = 40;
inline constexpr int32_t kBitmapPixelsPerMetre = 3780;   // 96 dots per inch

// The pixel depth of an exported picture for a display of the given depth:
// 32 on a 32-bit display, 24 on any other.
int BitmapDepthForDisplay(int displayDepth);

// Bytes of one pixel row, padding included.
int BitmapRowStride(int width, int bitsPerPixel);

// The whole file for width × height colour references (red in the low byte),
// given row by row from the top. Empty when the size or the depth (24 or 32)
// is not one a file can hold.
QByteArray EncodeBitmapFile(const uint32_t* colorRefs, int width, int height, int bitsPerPixel);
