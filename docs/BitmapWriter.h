#pragma once
// CBitmapWriter: the one writer of ".bmp" picture files, used by every
// bitmap export (waveform sheet, bus analysis, instrument screen). The file
// is a 14-byte file header ("BM", file size, two zero words, data offset 54),
// a 40-byte information header and the pixel rows, bottom row first, each
// padded to a multiple of 4 bytes, uncompressed and without a colour table.
// Pixels are 16 bits (5-5-5: blue in the low bits, then green, then red),
// 24 bits (blue, green, red) or 32 bits (blue, green, red, 0).
#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>

class CBitmapWriter {
public:
    static constexpr int kFileHeaderSize = 14;
    static constexpr int kInfoHeaderSize = 40;
    static constexpr int kDataOffset = kFileHeaderSize + kInfoHeaderSize;
    // Largest side a file is written for.
    static constexpr int kMaxSide = 1 << 15;

    // Whether a file can hold pixels of this depth (16, 24 or 32).
    static bool IsSupportedDepth(int bitsPerPixel);
    // Bytes of one padded pixel row.
    static int RowBytes(int width, int bitsPerPixel);
    // The whole file for an image at the depth; pixelsPerMetre goes into both
    // resolution fields (0: unknown). Empty for a null or oversized image or
    // an unsupported depth.
    static QByteArray FileBytes(const QImage& image, int bitsPerPixel, int32_t pixelsPerMetre = 0);
    // Writes the file atomically. Non-zero on success; *error says why not.
    static int Save(const QString& path, const QImage& image, int bitsPerPixel, QString* error = nullptr,
                    int32_t pixelsPerMetre = 0);
};
