#include "docs/BitmapWriter.h"

#include <QCoreApplication>

#include "docs/Archive.h"

namespace {
constexpr uint32_t kUncompressed = 0;

uint16_t Pixel555(QRgb rgb)
{
    return static_cast<uint16_t>(((qRed(rgb) >> 3) << 10) | ((qGreen(rgb) >> 3) << 5) | (qBlue(rgb) >> 3));
}

void WriteHeaders(CArchive& ar, int width, int height, int bitsPerPixel, uint32_t imageSize, int32_t ppm)
{
    ar.WriteBytes("BM", 2);
    ar.WriteU32(imageSize + CBitmapWriter::kDataOffset);
    ar.WriteU16(0);
    ar.WriteU16(0);
    ar.WriteU32(CBitmapWriter::kDataOffset);
    ar.WriteU32(CBitmapWriter::kInfoHeaderSize);
    ar.WriteI32(width);
    ar.WriteI32(height);   // positive: the bottom row comes first
    ar.WriteU16(1);        // planes
    ar.WriteU16(static_cast<uint16_t>(bitsPerPixel));
    ar.WriteU32(kUncompressed);
    ar.WriteU32(imageSize);
    ar.WriteI32(ppm);
    ar.WriteI32(ppm);
    ar.WriteU32(0);        // colours used: no table
    ar.WriteU32(0);        // important colours: all
}

// One padded row of the file.
QByteArray EncodeRow(const QRgb* row, int width, int bitsPerPixel, int stride)
{
    QByteArray bytes(stride, '\0');
    auto* out = reinterpret_cast<unsigned char*>(bytes.data());
    for (int x = 0; x < width; ++x) {
        const QRgb c = row[x];
        if (bitsPerPixel == 16) {
            const uint16_t p = Pixel555(c);
            out[2 * x] = static_cast<unsigned char>(p & 0xFF);
            out[2 * x + 1] = static_cast<unsigned char>(p >> 8);
            continue;
        }
        unsigned char* px = out + x * (bitsPerPixel / 8);
        px[0] = static_cast<unsigned char>(qBlue(c));
        px[1] = static_cast<unsigned char>(qGreen(c));
        px[2] = static_cast<unsigned char>(qRed(c));
    }
    return bytes;
}
}  // namespace

bool CBitmapWriter::IsSupportedDepth(int bitsPerPixel)
{
    return bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

int CBitmapWriter::RowBytes(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

QByteArray CBitmapWriter::FileBytes(const QImage& source, int bitsPerPixel, int32_t pixelsPerMetre)
{
    if (source.isNull() || !IsSupportedDepth(bitsPerPixel) || source.width() > kMaxSide ||
        source.height() > kMaxSide)
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width(), height = image.height();
    const int stride = RowBytes(width, bitsPerPixel);
    const uint32_t imageSize = static_cast<uint32_t>(stride) * static_cast<uint32_t>(height);
    CArchive ar;
    WriteHeaders(ar, width, height, bitsPerPixel, imageSize, pixelsPerMetre);
    for (int y = height - 1; y >= 0; --y) {
        const QByteArray row =
            EncodeRow(reinterpret_cast<const QRgb*>(image.constScanLine(y)), width, bitsPerPixel, stride);
        ar.WriteBytes(row.constData(), static_cast<size_t>(row.size()));
    }
    return ar.Failed() ? QByteArray() : ar.Buffer();
}

int CBitmapWriter::Save(const QString& path, const QImage& image, int bitsPerPixel, QString* error,
                        int32_t pixelsPerMetre)
{
    const QByteArray bytes = FileBytes(image, bitsPerPixel, pixelsPerMetre);
    if (bytes.isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("CBitmapWriter", "There is no picture to export.");
        return 0;
    }
    return SaveFileAtomically(path, bytes, error);
}
