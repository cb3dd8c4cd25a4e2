#include "link/view/BitmapFile.h"

#include <QImage>

#include "docs/BitmapWriter.h"

int BitmapDepthForDisplay(int displayDepth)
{
    return displayDepth == 32 ? 32 : 24;
}

int BitmapRowStride(int width, int bitsPerPixel)
{
    return CBitmapWriter::RowBytes(width, bitsPerPixel);
}

// Colour references (red in the low byte) become an image for the one writer.
QByteArray EncodeBitmapFile(const uint32_t* colorRefs, int width, int height, int bitsPerPixel)
{
    if (!colorRefs || width <= 0 || height <= 0 || width > CBitmapWriter::kMaxSide ||
        height > CBitmapWriter::kMaxSide || (bitsPerPixel != 24 && bitsPerPixel != 32))
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colorRefs[static_cast<size_t>(y) * width + x];
            line[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
    }
    return CBitmapWriter::FileBytes(image, bitsPerPixel, kBitmapPixelsPerMetre);
}
