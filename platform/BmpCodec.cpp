#include "BmpCodec.h"

#include "Stream.h"

#include <QBuffer>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <vector>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
// No file image is read beyond this size, whatever its headers say.
constexpr int64_t kMaxFileImage = int64_t(1) << 30;
// A compressed picture up to this many pixels is accepted whatever its data size.
constexpr int64_t kRleFreePixels = int64_t(1) << 22;

enum : uint32_t { kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6 };

uint16_t U16(const uchar* p) { return qFromLittleEndian<uint16_t>(p); }
uint32_t U32(const uchar* p) { return qFromLittleEndian<uint32_t>(p); }
int32_t I32(const uchar* p) { return qFromLittleEndian<int32_t>(p); }

bool Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// Appends up to n bytes from the device to buf, in chunks, so that the buffer grows
// only as data really arrives. Returns the number of bytes appended.
int64_t AppendUpTo(QIODevice& dev, QByteArray& buf, int64_t n)
{
    constexpr int64_t chunk = int64_t(1) << 20;
    int64_t total = 0;
    while (total < n) {
        const int64_t want = std::min(chunk, n - total);
        const qsizetype old = buf.size();
        buf.resize(old + want);
        const qint64 got = dev.read(buf.data() + old, want);
        if (got <= 0) {
            buf.resize(old);
            break;
        }
        buf.resize(old + got);
        total += got;
    }
    return total;
}

// One colour channel of a bit-field pixel: where its bits are and how to widen them.
struct TChannel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit TChannel(uint32_t m) : mask(m)
    {
        if (m != 0) {
            shift = std::countr_zero(m);
            bits = 32 - std::countl_zero(m) - shift;
        }
    }
    int Value(uint32_t pixel) const
    {
        if (bits == 0)
            return 0;
        uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return int(v >> (bits - 8));
        const uint32_t max = (uint32_t(1) << bits) - 1;
        return int((v * 255 + max / 2) / max);
    }
};

// What the headers say, in the terms the decoder needs.
struct TBmpInfo {
    uint32_t fileSize = 0;
    uint32_t pixelOffset = 0;
    uint32_t headerSize = 0;
    bool core = false;
    bool os2 = false;
    int64_t width = 0;
    int64_t height = 0; // positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
    uint32_t masks[3] = {0, 0, 0};
    int extraMaskBytes = 0; // masks stored after a 40-byte header
    int64_t profileEnd = 0; // end of an embedded colour profile, from the file start
};

bool ParseHeaders(const QByteArray& head, TBmpInfo& info, QString* error)
{
    const uchar* h = reinterpret_cast<const uchar*>(head.constData());
    info.fileSize = U32(h + 2);
    info.pixelOffset = U32(h + 10);
    const uchar* d = h + kFileHeaderSize;
    info.headerSize = U32(d);
    if (info.core) {
        info.width = U16(d + 4);
        info.height = U16(d + 6);
        info.bitCount = U16(d + 10);
        if (info.bitCount != 1 && info.bitCount != 4 && info.bitCount != 8 && info.bitCount != 24)
            return Fail(error, QStringLiteral("unsupported bit count %1").arg(info.bitCount));
        return true;
    }
    info.width = I32(d + 4);
    const int32_t height = I32(d + 8);
    info.topDown = height < 0;
    info.height = height < 0 ? -int64_t(height) : int64_t(height);
    info.bitCount = U16(d + 14);
    info.compression = U32(d + 16);
    info.sizeImage = U32(d + 20);
    info.colorsUsed = U32(d + 32);

    const int bpp = info.bitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return Fail(error, QStringLiteral("unsupported bit count %1").arg(bpp));
    switch (info.compression) {
    case kBiRgb:
        if (bpp == 16) {
            info.masks[0] = 0x7C00;
            info.masks[1] = 0x03E0;
            info.masks[2] = 0x001F;
        } else if (bpp == 32) {
            info.masks[0] = 0x00FF0000;
            info.masks[1] = 0x0000FF00;
            info.masks[2] = 0x000000FF;
        }
        break;
    case kBiRle8:
        if (bpp != 8)
            return Fail(error, QStringLiteral("RLE8 compression needs 8 bits per pixel"));
        break;
    case kBiRle4:
        if (bpp != 4)
            return Fail(error, QStringLiteral("RLE4 compression needs 4 bits per pixel"));
        break;
    case kBiBitfields:
    case kBiAlphaBitfields:
        if (info.os2)
            return Fail(error, QStringLiteral("unsupported OS/2 Huffman compression"));
        if (bpp != 16 && bpp != 32)
            return Fail(error, QStringLiteral("bit-field compression needs 16 or 32 bits per pixel"));
        if (info.headerSize >= 52) {
            for (int i = 0; i < 3; ++i)
                info.masks[i] = U32(d + 40 + 4 * i);
        } else {
            info.extraMaskBytes = info.compression == kBiAlphaBitfields ? 16 : 12;
        }
        break;
    default:
        return Fail(error, QStringLiteral("unsupported compression %1").arg(info.compression));
    }
    if (info.compression == kBiRle4 || info.compression == kBiRle8) {
        if (info.topDown)
            return Fail(error, QStringLiteral("a compressed bitmap cannot be top-down"));
    }
    if (info.headerSize >= 124 && U32(d + 56) == 0x4D424544u) { // 'MBED': embedded profile
        const int64_t end = int64_t(kFileHeaderSize) + U32(d + 112) + U32(d + 116);
        if (end <= kMaxFileImage)
            info.profileEnd = end;
    }
    return true;
}

// Decoding of the pixel data into an RGB32 image; the buffer holds the whole file image.
class TDecoder {
public:
    TDecoder(const TBmpInfo& info, const QByteArray& data, const std::vector<QRgb>& palette, QImage& image)
        : m_info(info), m_data(reinterpret_cast<const uchar*>(data.constData())), m_palette(palette), m_image(image)
    {
    }

    bool Uncompressed(int64_t stride, QString* error)
    {
        const int w = int(m_info.width);
        const int h = int(m_info.height);
        const uchar* base = m_data + m_info.pixelOffset;
        if (m_info.compression == kBiBitfields || m_info.compression == kBiAlphaBitfields
            || ((m_info.bitCount == 16 || m_info.bitCount == 32) && m_info.compression == kBiRgb)) {
            if (m_info.masks[0] == 0 && m_info.masks[1] == 0 && m_info.masks[2] == 0)
                return Fail(error, QStringLiteral("all colour masks are empty"));
        }
        const TChannel red(m_info.masks[0]), green(m_info.masks[1]), blue(m_info.masks[2]);
        for (int r = 0; r < h; ++r) {
            const uchar* src = base + stride * r;
            QRgb* dst = reinterpret_cast<QRgb*>(m_image.scanLine(m_info.topDown ? r : h - 1 - r));
            switch (m_info.bitCount) {
            case 1:
                for (int x = 0; x < w; ++x)
                    dst[x] = Color((src[x >> 3] >> (7 - (x & 7))) & 1);
                break;
            case 4:
                for (int x = 0; x < w; ++x)
                    dst[x] = Color((x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4));
                break;
            case 8:
                for (int x = 0; x < w; ++x)
                    dst[x] = Color(src[x]);
                break;
            case 16:
                for (int x = 0; x < w; ++x) {
                    const uint32_t p = U16(src + 2 * x);
                    dst[x] = qRgb(red.Value(p), green.Value(p), blue.Value(p));
                }
                break;
            case 24:
                for (int x = 0; x < w; ++x)
                    dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            case 32:
                for (int x = 0; x < w; ++x) {
                    const uint32_t p = U32(src + 4 * x);
                    dst[x] = qRgb(red.Value(p), green.Value(p), blue.Value(p));
                }
                break;
            }
        }
        return true;
    }

    // RLE4 and RLE8, bottom-up. Every command consumes at least two bytes, and runs are
    // clipped to the picture, so the work is bounded by the data and the picture size.
    bool Rle(int64_t end, QString* error)
    {
        const bool rle4 = m_info.compression == kBiRle4;
        const int64_t w = m_info.width;
        const int64_t h = m_info.height;
        m_image.fill(Color(0));
        int64_t p = m_info.pixelOffset;
        int64_t x = 0;
        int64_t y = 0;
        while (y < h && end - p >= 2) {
            const int count = m_data[p];
            const int value = m_data[p + 1];
            p += 2;
            if (count > 0) {
                const int64_t n = std::min<int64_t>(count, w - x);
                QRgb* dst = Row(y);
                for (int64_t i = 0; i < n; ++i) {
                    const int index = rle4 ? (((i & 1) == 0) ? value >> 4 : value & 0x0F) : value;
                    dst[x + i] = Color(index);
                }
                x = std::min(x + count, w);
                continue;
            }
            if (value == 0) { // end of line
                x = 0;
                ++y;
            } else if (value == 1) { // end of bitmap
                break;
            } else if (value == 2) { // delta
                if (end - p < 2)
                    return Fail(error, QStringLiteral("RLE delta cut short by the end of the data"));
                x = std::min<int64_t>(x + m_data[p], w);
                y += m_data[p + 1];
                p += 2;
            } else { // absolute run of `value` pixels, padded to a 16-bit boundary
                const int64_t bytes = rle4 ? (value + 1) / 2 : value;
                if (end - p < bytes)
                    return Fail(error, QStringLiteral("RLE absolute run cut short by the end of the data"));
                const int64_t n = std::min<int64_t>(value, w - x);
                QRgb* dst = Row(y);
                for (int64_t i = 0; i < n; ++i) {
                    const int b = m_data[p + (rle4 ? i / 2 : i)];
                    const int index = rle4 ? (((i & 1) == 0) ? b >> 4 : b & 0x0F) : b;
                    dst[x + i] = Color(index);
                }
                x = std::min<int64_t>(x + value, w);
                p = std::min(p + bytes + (bytes & 1), end);
            }
        }
        return true;
    }

private:
    QRgb Color(int index) const
    {
        return size_t(index) < m_palette.size() ? m_palette[size_t(index)] : qRgb(0, 0, 0);
    }
    QRgb* Row(int64_t bottomUpRow)
    {
        return reinterpret_cast<QRgb*>(m_image.scanLine(int(m_info.height - 1 - bottomUpRow)));
    }

    const TBmpInfo& m_info;
    const uchar* m_data;
    const std::vector<QRgb>& m_palette;
    QImage& m_image;
};

} // namespace

bool ReadBmp(QIODevice& in, QImage& out, QString* error)
{
    // File header and the size of the DIB header.
    QByteArray data;
    if (!ReadBytes(in, kFileHeaderSize + 4, data))
        return Fail(error, QStringLiteral("file too short for a BMP header"));
    if (data[0] != 'B' || data[1] != 'M')
        return Fail(error, QStringLiteral("not a BMP file (no 'BM' signature)"));

    TBmpInfo info;
    info.headerSize = U32(reinterpret_cast<const uchar*>(data.constData()) + kFileHeaderSize);
    switch (info.headerSize) {
    case 12: info.core = true; break;
    case 64: info.os2 = true; break;
    case 40: case 52: case 56: case 108: case 124: break;
    default:
        return Fail(error, QStringLiteral("unsupported BMP header size %1").arg(info.headerSize));
    }
    if (AppendUpTo(in, data, info.headerSize - 4) != info.headerSize - 4)
        return Fail(error, QStringLiteral("BMP header cut short"));
    if (!ParseHeaders(data, info, error))
        return false;
    if (info.extraMaskBytes > 0) {
        if (AppendUpTo(in, data, info.extraMaskBytes) != info.extraMaskBytes)
            return Fail(error, QStringLiteral("colour masks cut short"));
        const uchar* m = reinterpret_cast<const uchar*>(data.constData()) + kFileHeaderSize + kInfoHeaderSize;
        for (int i = 0; i < 3; ++i)
            info.masks[i] = U32(m + 4 * i);
    }

    // Dimensions, before anything is sized by them.
    if (info.width <= 0 || info.height <= 0)
        return Fail(error, QStringLiteral("empty or negative BMP dimensions"));
    if (info.width > kBmpMaxDimension || info.height > kBmpMaxDimension
        || info.width * info.height > kBmpMaxPixels)
        return Fail(error, QStringLiteral("BMP dimensions %1 x %2 beyond the limits").arg(info.width).arg(info.height));

    // Colour table and the start of the pixel data.
    const int64_t headersEnd = data.size();
    const int entrySize = info.core ? 3 : 4;
    int64_t tableEntries = 0;
    if (info.bitCount <= 8) {
        const int64_t full = int64_t(1) << info.bitCount;
        tableEntries = (info.core || info.colorsUsed == 0) ? full : std::min<int64_t>(info.colorsUsed, full);
    }
    int64_t pixelOffset = info.pixelOffset;
    if (pixelOffset == 0)
        pixelOffset = headersEnd + tableEntries * entrySize;
    if (pixelOffset < headersEnd)
        return Fail(error, QStringLiteral("pixel data offset %1 lies inside the headers").arg(pixelOffset));
    if (pixelOffset > kMaxFileImage)
        return Fail(error, QStringLiteral("pixel data offset %1 beyond the limits").arg(pixelOffset));
    info.pixelOffset = uint32_t(pixelOffset);
    // A table that runs into the pixel data is cut at its start.
    tableEntries = std::min<int64_t>(tableEntries, (pixelOffset - headersEnd) / entrySize);

    // How far the file image reaches.
    const bool rle = info.compression == kBiRle4 || info.compression == kBiRle8;
    const int64_t stride = ((info.width * info.bitCount + 31) / 32) * 4;
    int64_t minEnd = 0;  // the data must reach this far
    int64_t fullEnd = 0; // where the image ends by its headers
    if (rle) {
        int64_t rleSize = info.sizeImage;
        if (rleSize == 0 && info.fileSize > pixelOffset)
            rleSize = int64_t(info.fileSize) - pixelOffset;
        if (rleSize == 0)
            return Fail(error, QStringLiteral("compressed BMP without a data size"));
        fullEnd = pixelOffset + rleSize;
        minEnd = fullEnd;
        // Compressed data can describe a large blank picture in a few bytes; an encoder
        // that ends every row with an end-of-line code needs two bytes per row, so no
        // real file exceeds kBmpMaxDimension / 2 pixels per byte.
        if (info.width * info.height > std::max(kRleFreePixels, rleSize * (kBmpMaxDimension / 2)))
            return Fail(error, QStringLiteral("%1 bytes of compressed data for a %2 x %3 picture")
                                   .arg(rleSize).arg(info.width).arg(info.height));
    } else {
        const int64_t rowBytes = (info.width * info.bitCount + 7) / 8;
        minEnd = pixelOffset + stride * (info.height - 1) + rowBytes;
        fullEnd = pixelOffset + stride * info.height;
    }
    fullEnd = std::max(fullEnd, info.profileEnd);
    if (fullEnd > kMaxFileImage)
        return Fail(error, QStringLiteral("BMP file image of %1 bytes beyond the limits").arg(fullEnd));
    const int64_t fileSize = info.fileSize;
    const int64_t extent = (fileSize >= minEnd && fileSize <= kMaxFileImage) ? fileSize : fullEnd;
    const int64_t have = data.size();
    // A random-access device tells up front whether the pixel rows can be there.
    const qint64 left = BytesLeft(in);
    if (left >= 0 && have + left < minEnd)
        return Fail(error, QStringLiteral("BMP pixel data cut short by the end of the data"));
    AppendUpTo(in, data, extent - have);
    if (data.size() < minEnd)
        return Fail(error, QStringLiteral("BMP pixel data cut short by the end of the data"));

    std::vector<QRgb> palette;
    palette.reserve(size_t(tableEntries));
    for (int64_t i = 0; i < tableEntries; ++i) {
        const uchar* e = reinterpret_cast<const uchar*>(data.constData()) + headersEnd + i * entrySize;
        palette.push_back(qRgb(e[2], e[1], e[0]));
    }

    QImage image(int(info.width), int(info.height), QImage::Format_RGB32);
    if (image.isNull())
        return Fail(error, QStringLiteral("out of memory for a %1 x %2 picture").arg(info.width).arg(info.height));
    TDecoder decoder(info, data, palette, image);
    const bool ok = rle ? decoder.Rle(minEnd, error) : decoder.Uncompressed(stride, error);
    if (!ok)
        return false;
    out = image;
    return true;
}

bool ReadBmp(const QByteArray& data, QImage& out, QString* error)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return ReadBmp(buffer, out, error);
}

bool WriteBmp(QIODevice& out, const QImage& image)
{
    if (image.isNull())
        return false;
    const int64_t w = image.width();
    const int64_t h = image.height();
    if (w > kBmpMaxDimension || h > kBmpMaxDimension || w * h > kBmpMaxPixels)
        return false;
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    const int64_t stride = (w * 3 + 3) & ~int64_t(3);
    const int64_t pixelBytes = stride * h;
    const int64_t headers = kFileHeaderSize + kInfoHeaderSize;

    uchar head[kFileHeaderSize + kInfoHeaderSize] = {};
    head[0] = 'B';
    head[1] = 'M';
    qToLittleEndian<uint32_t>(uint32_t(headers + pixelBytes), head + 2);
    qToLittleEndian<uint32_t>(uint32_t(headers), head + 10);
    uchar* d = head + kFileHeaderSize;
    qToLittleEndian<uint32_t>(kInfoHeaderSize, d);
    qToLittleEndian<int32_t>(int32_t(w), d + 4);
    qToLittleEndian<int32_t>(int32_t(h), d + 8);
    qToLittleEndian<uint16_t>(1, d + 12);  // planes
    qToLittleEndian<uint16_t>(24, d + 14); // bits per pixel
    qToLittleEndian<uint32_t>(kBiRgb, d + 16);
    qToLittleEndian<uint32_t>(uint32_t(pixelBytes), d + 20);
    if (!WriteExact(out, head, sizeof head))
        return false;

    QByteArray row(stride, '\0');
    uchar* dst = reinterpret_cast<uchar*>(row.data());
    for (int64_t r = h - 1; r >= 0; --r) {
        const QRgb* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(int(r)));
        for (int64_t x = 0; x < w; ++x) {
            dst[3 * x] = uchar(qBlue(src[x]));
            dst[3 * x + 1] = uchar(qGreen(src[x]));
            dst[3 * x + 2] = uchar(qRed(src[x]));
        }
        if (!WriteExact(out, row))
            return false;
    }
    return true;
}

QByteArray WriteBmp(const QImage& image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!WriteBmp(buffer, image))
        return QByteArray();
    return buffer.data();
}
