#include "link/view/BitmapFile.h"

#include "docs/Archive.h"

namespace {
constexpr uint16_t kBitmapSignature = 0x4D42;   // "BM"
constexpr uint32_t kUncompressed = 0;
constexpr int kMaxSide = 1 << 15;

void WriteFileHeader(CArchive& ar, uint32_t fileSize)
{
    ar.WriteU16(kBitmapSignature);
    ar.WriteU32(fileSize);
    ar.WriteU16(0);
    ar.WriteU16(0);
    ar.WriteU32(kBitmapFileHeaderSize + kBitmapInfoHeaderSize);   // offset of the pixel rows
}

void WriteInfoHeader(CArchive& ar, int width, int height, int bitsPerPixel, uint32_t imageSize)
{
    ar.WriteU32(kBitmapInfoHeaderSize);
    ar.WriteI32(width);
    ar.WriteI32(height);   // positive: the bottom row comes first
    ar.WriteU16(1);        // planes
    ar.WriteU16(static_cast<uint16_t>(bitsPerPixel));
    ar.WriteU32(kUncompressed);
    ar.WriteU32(imageSize);
    ar.WriteI32(kBitmapPixelsPerMetre);
    ar.WriteI32(kBitmapPixelsPerMetre);
    ar.WriteU32(0);        // colours used: no table
    ar.WriteU32(0);        // important colours: all
}

// One row of colour references in the file's byte order, padded.
QByteArray EncodeRow(const uint32_t* row, int width, int bitsPerPixel, int stride)
{
    QByteArray bytes(stride, '\0');
    const int pixelBytes = bitsPerPixel / 8;
    for (int x = 0; x < width; ++x) {
        const uint32_t c = row[x];
        char* out = bytes.data() + x * pixelBytes;
        out[0] = static_cast<char>((c >> 16) & 0xFF);   // blue
        out[1] = static_cast<char>((c >> 8) & 0xFF);    // green
        out[2] = static_cast<char>(c & 0xFF);           // red
    }
    return bytes;
}
}  // namespace

int BitmapDepthForDisplay(int displayDepth)
{
    return displayDepth == 32 ? 32 : 24;
}

int BitmapRowStride(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

QByteArray EncodeBitmapFile(const uint32_t* colorRefs, int width, int height, int bitsPerPixel)
{
    if (!colorRefs || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return {};
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        return {};
    const int stride = BitmapRowStride(width, bitsPerPixel);
    const uint32_t imageSize = static_cast<uint32_t>(stride) * static_cast<uint32_t>(height);
    CArchive ar;
    WriteFileHeader(ar, kBitmapFileHeaderSize + kBitmapInfoHeaderSize + imageSize);
    WriteInfoHeader(ar, width, height, bitsPerPixel, imageSize);
    for (int y = height - 1; y >= 0; --y) {
        const QByteArray row = EncodeRow(colorRefs + static_cast<size_t>(y) * width, width, bitsPerPixel, stride);
        ar.WriteBytes(row.constData(), static_cast<size_t>(row.size()));
    }
    return ar.Failed() ? QByteArray() : ar.Buffer();
}
