// The waveform sheet's picture as a bitmap file: 16 bits per pixel (5-5-5,
// uncompressed), bottom-up rows padded to 4 bytes, a 14-byte file header
// ("BM", file size, two zero words, data offset 54) and a 40-byte
// information header, no colour table.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class CYTSheetBitmap {
public:
    static constexpr int kFileHeaderSize = 14;
    static constexpr int kInfoHeaderSize = 40;
    static constexpr int kDataOffset = kFileHeaderSize + kInfoHeaderSize;
    static constexpr int kBitsPerPixel = 16;

    // Bytes of one padded pixel row for a width.
    static int RowBytes(int width);
    // The whole file for an image (empty for a null image).
    static QByteArray FileBytes(const QImage& image);
    // Writes the file atomically. Non-zero on success; *error says why not.
    static int Save(const QString& path, const QImage& image, QString* error = nullptr);
};
