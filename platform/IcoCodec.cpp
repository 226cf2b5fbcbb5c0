#include "IcoCodec.h"

#include "Bitmap.h"
#include "Dib.h"
#include "PngCheck.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMaxEntries = 1024;
const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

void SetError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

uint16_t U16(const QByteArray& d, qsizetype at)
{
    return uint16_t(uint8_t(d[at]) | (uint8_t(d[at + 1]) << 8));
}

uint32_t U32(const QByteArray& d, qsizetype at)
{
    return uint32_t(U16(d, at)) | (uint32_t(U16(d, at + 2)) << 16);
}

uint32_t BigU32(const QByteArray& d, qsizetype at)
{
    return (uint32_t(uint8_t(d[at])) << 24) | (uint32_t(uint8_t(d[at + 1])) << 16)
         | (uint32_t(uint8_t(d[at + 2])) << 8) | uint32_t(uint8_t(d[at + 3]));
}

QByteArray EntryBytes(const QByteArray& data, const TIconEntry& e)
{
    return QByteArray::fromRawData(data.constData() + e.Offset, qsizetype(e.Size));
}

// Bits per pixel as the image stores them: a DIB's header, a PNG's IHDR.
int ImageBitCount(const QByteArray& image, bool png)
{
    if (png) {
        if (image.size() < 29)
            return 0;
        const int depth = uint8_t(image[24]);
        switch (uint8_t(image[25])) {
        case 0: return depth;          // grey
        case 2: return depth * 3;      // RGB
        case 3: return depth;          // palette
        case 4: return depth * 2;      // grey and alpha
        case 6: return depth * 4;      // RGBA
        default: return 0;
        }
    }
    return image.size() >= 16 ? U16(image, 14) : 0;
}

bool DecodePng(const QByteArray& bytes, QImage& out, QString* error, int64_t maxPixels)
{
    if (bytes.size() < 24 || !PictureSizeAllowed(BigU32(bytes, 16), BigU32(bytes, 20), maxPixels)
        || !PngChunksFit(bytes)) {
        SetError(error, QStringLiteral("The icon's PNG picture is damaged or larger than the pixel limit."));
        return false;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    QImage image;
    if (!reader.read(&image)) {
        SetError(error, QStringLiteral("The icon's PNG picture does not decode: ") + reader.errorString());
        return false;
    }
    out = image.convertToFormat(QImage::Format_ARGB32);
    return true;
}

bool DecodeDibEntry(const QByteArray& bytes, QImage& out, QString* error, int64_t maxPixels)
{
    if (bytes.size() < 40 || U32(bytes, 0) < 40 || U32(bytes, 0) > uint32_t(bytes.size())) {
        SetError(error, QStringLiteral("The icon's bitmap header is damaged."));
        return false;
    }
    const uint32_t headerSize = U32(bytes, 0);
    const int64_t width = int32_t(U32(bytes, 4));
    const int64_t doubled = int32_t(U32(bytes, 8));
    const int bpp = U16(bytes, 14);
    const uint32_t compression = U32(bytes, 16);
    // The height covers the colour rows and the mask.
    const int64_t height = std::llabs(doubled) / 2;
    if (!PictureSizeAllowed(width, height, maxPixels) || doubled < 0) {
        SetError(error, QStringLiteral("The icon's size is damaged or larger than the pixel limit."));
        return false;
    }
    const int64_t colours = bpp <= 8 ? (U32(bytes, 32) ? std::min<int64_t>(U32(bytes, 32), 256) : 1 << bpp) : 0;
    const int64_t masks = compression == 3 ? 12 : 0;
    const int64_t bitsAt = int64_t(headerSize) + masks + 4 * colours;
    const int64_t stride = ((width * bpp + 31) / 32) * 4;
    const int64_t maskStride = ((width + 31) / 32) * 4;
    if (bitsAt + stride * height > bytes.size()) {
        SetError(error, QStringLiteral("The icon's bitmap is cut short."));
        return false;
    }
    QImage image(int(width), int(height), QImage::Format_ARGB32);
    if (image.isNull()) {
        SetError(error, QStringLiteral("The icon does not fit in memory."));
        return false;
    }
    bool alpha = false;
    if (bpp == 32 && compression == 0) {
        // Blue, green, red, alpha, bottom-up: read as it is, alpha kept.
        for (int y = 0; y < image.height(); ++y) {
            const uint8_t* row = reinterpret_cast<const uint8_t*>(bytes.constData() + bitsAt + stride * (height - 1 - y));
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x, row += 4) {
                line[x] = qRgba(row[2], row[1], row[0], row[3]);
                alpha = alpha || row[3] != 0;
            }
        }
    } else {
        // The colour rows through the BMP reader: the header with the true height.
        QByteArray info = bytes.left(qsizetype(bitsAt));
        for (int i = 0; i < 4; ++i)
            info[8 + i] = char((uint32_t(height) >> (8 * i)) & 0xFF);
        for (int i = 0; i < 4; ++i)
            info[20 + i] = 0; // biSizeImage: the rows as the size says
        QImage colour;
        QString reason;
        if (!DecodeDib(info, bytes.mid(qsizetype(bitsAt), qsizetype(stride * height)), colour, &reason)) {
            SetError(error, QStringLiteral("The icon's bitmap does not decode: ") + reason);
            return false;
        }
        image = colour.convertToFormat(QImage::Format_ARGB32);
    }
    if (!alpha) {
        // The AND mask: 1 leaves the pixel out. A mask cut short counts as opaque.
        const int64_t maskAt = bitsAt + stride * height;
        for (int y = 0; y < image.height(); ++y) {
            const int64_t rowAt = maskAt + maskStride * (height - 1 - y);
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int64_t at = rowAt + x / 8;
                const bool clear = at < bytes.size() && (uint8_t(bytes[qsizetype(at)]) >> (7 - x % 8)) & 1;
                line[x] = clear ? 0 : (line[x] | 0xFF000000);
            }
        }
    }
    out = image;
    return true;
}

} // namespace

bool ReadIconDirectory(const QByteArray& data, std::vector<TIconEntry>& entries, QString* error)
{
    entries.clear();
    if (data.size() < 6 || U16(data, 0) != 0 || (U16(data, 2) != 1 && U16(data, 2) != 2)) {
        SetError(error, QStringLiteral("The data is not an icon file."));
        return false;
    }
    const int count = U16(data, 4);
    if (count == 0 || count > kMaxEntries || 6 + 16 * qsizetype(count) > data.size()) {
        SetError(error, QStringLiteral("The icon file's directory is damaged."));
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const qsizetype at = 6 + 16 * qsizetype(i);
        TIconEntry e;
        e.Width = uint8_t(data[at]) ? uint8_t(data[at]) : 256;
        e.Height = uint8_t(data[at + 1]) ? uint8_t(data[at + 1]) : 256;
        e.Size = U32(data, at + 8);
        e.Offset = U32(data, at + 12);
        if (e.Size == 0 || uint64_t(e.Offset) + e.Size > uint64_t(data.size())) {
            SetError(error, QStringLiteral("An icon entry lies outside the file."));
            entries.clear();
            return false;
        }
        const QByteArray image = EntryBytes(data, e);
        e.Png = image.startsWith(kPngSignature);
        e.BitCount = ImageBitCount(image, e.Png);
        if (e.BitCount == 0)
            e.BitCount = U16(data, at + 6);
        entries.push_back(e);
    }
    return true;
}

int ChooseIconEntry(const std::vector<TIconEntry>& entries)
{
    int best = -1;
    for (size_t i = 0; i < entries.size(); ++i) {
        const TIconEntry& e = entries[i];
        if (best < 0) {
            best = int(i);
            continue;
        }
        const TIconEntry& b = entries[size_t(best)];
        const int distance = std::abs(e.Width - 32) + std::abs(e.Height - 32);
        const int bestDistance = std::abs(b.Width - 32) + std::abs(b.Height - 32);
        if (distance < bestDistance || (distance == bestDistance && e.BitCount > b.BitCount))
            best = int(i);
    }
    return best;
}

bool DecodeIconEntry(const QByteArray& data, const TIconEntry& entry, QImage& out, QString* error, int64_t maxPixels)
{
    if (uint64_t(entry.Offset) + entry.Size > uint64_t(data.size())) {
        SetError(error, QStringLiteral("The icon entry lies outside the file."));
        return false;
    }
    const QByteArray bytes = EntryBytes(data, entry);
    return entry.Png ? DecodePng(bytes, out, error, maxPixels) : DecodeDibEntry(bytes, out, error, maxPixels);
}

bool ReadIco(const QByteArray& data, TBitmap& out, QString* error, int64_t maxPixels)
{
    std::vector<TIconEntry> entries;
    if (!ReadIconDirectory(data, entries, error))
        return false;
    QImage icon;
    if (!DecodeIconEntry(data, entries[size_t(ChooseIconEntry(entries))], icon, error, maxPixels))
        return false;
    // Drawn over white: each channel blended by the pixel's alpha.
    QImage page(icon.size(), QImage::Format_RGB32);
    for (int y = 0; y < icon.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(icon.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(page.scanLine(y));
        for (int x = 0; x < icon.width(); ++x) {
            const int a = qAlpha(from[x]);
            auto blend = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
            to[x] = qRgb(blend(qRed(from[x])), blend(qGreen(from[x])), blend(qBlue(from[x])));
        }
    }
    out.SetPixelFormat(pf24bit);
    out.Assign(page);
    return true;
}

bool ReadIcoFile(const QString& fileName, TBitmap& out, QString* error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, file.errorString());
        return false;
    }
    if (file.size() > kMaxPictureFileSize) {
        SetError(error, QStringLiteral("The file is too large."));
        return false;
    }
    return ReadIco(file.readAll(), out, error);
}
