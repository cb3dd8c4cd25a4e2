#include "docs/YTSheetBitmap.h"

#include "docs/Archive.h"

namespace {
// A pixel as 5-5-5: blue in the low bits, then green, then red.
uint16_t Pixel555(QRgb rgb) {
    return static_cast<uint16_t>(((qRed(rgb) >> 3) << 10) | ((qGreen(rgb) >> 3) << 5) | (qBlue(rgb) >> 3));
}
}  // namespace

int CYTSheetBitmap::RowBytes(int width) { return ((width * kBitsPerPixel + 31) / 32) * 4; }

QByteArray CYTSheetBitmap::FileBytes(const QImage& source) {
    if (source.isNull()) return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width(), height = image.height();
    const uint32_t imageSize = static_cast<uint32_t>(RowBytes(width)) * static_cast<uint32_t>(height);

    CArchive ar;
    ar.WriteBytes("BM", 2);
    ar.WriteU32(imageSize + kDataOffset);
    ar.WriteU16(0);
    ar.WriteU16(0);
    ar.WriteU32(kDataOffset);
    ar.WriteU32(kInfoHeaderSize);
    ar.WriteI32(width);
    ar.WriteI32(height);  // positive: rows bottom-up
    ar.WriteU16(1);       // planes
    ar.WriteU16(kBitsPerPixel);
    ar.WriteU32(0);       // uncompressed
    ar.WriteU32(imageSize);
    ar.WriteI32(0);       // pixels per metre, x and y: unknown
    ar.WriteI32(0);
    ar.WriteU32(0);       // colours used: none (no table)
    ar.WriteU32(0);
    const int padding = RowBytes(width) - width * 2;
    for (int y = height - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) ar.WriteU16(Pixel555(row[x]));
        for (int p = 0; p < padding; ++p) ar.WriteU8(0);
    }
    return ar.Buffer();
}

int CYTSheetBitmap::Save(const QString& path, const QImage& image, QString* error) {
    const QByteArray bytes = FileBytes(image);
    if (bytes.isEmpty()) {
        if (error) *error = QStringLiteral("There is no picture to export.");
        return 0;
    }
    return SaveFileAtomically(path, bytes, error);
}
