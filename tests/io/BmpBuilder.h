#pragma once
// Builds BMP file images byte by byte for the reader tests and the fuzzing seeds, with
// every header field under the test's control.
#include <QByteArray>
#include <QtEndian>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct TBmpSpec {
    int32_t Width = 0;
    int32_t Height = 0; // as stored: negative for top-down
    uint16_t BitCount = 24;
    uint32_t Compression = 0;
    uint32_t HeaderSize = 40;            // 12 (core), 40, 52, 56, 64, 108 or 124
    std::vector<uint32_t> Palette;       // 0x00RRGGBB
    std::vector<uint32_t> Masks;         // red, green, blue (and alpha); after a 40-byte header or inside a larger one
    QByteArray Pixels;                   // pixel data as stored (rows or RLE commands)
    uint32_t ColorsUsed = 0;
    std::optional<uint32_t> FileSize;    // default: the true size
    std::optional<uint32_t> PixelOffset; // default: right after the colour table
    std::optional<uint32_t> SizeImage;   // default: Pixels.size()
    QByteArray Trailer;                  // bytes after the pixel data
};

inline void PutU16(QByteArray& b, uint16_t v)
{
    char c[2];
    qToLittleEndian<uint16_t>(v, c);
    b.append(c, 2);
}

inline void PutU32(QByteArray& b, uint32_t v)
{
    char c[4];
    qToLittleEndian<uint32_t>(v, c);
    b.append(c, 4);
}

inline QByteArray BuildBmp(const TBmpSpec& s)
{
    QByteArray dib;
    const bool core = s.HeaderSize == 12;
    PutU32(dib, s.HeaderSize);
    if (core) {
        PutU16(dib, uint16_t(s.Width));
        PutU16(dib, uint16_t(s.Height));
        PutU16(dib, 1);
        PutU16(dib, s.BitCount);
    } else {
        PutU32(dib, uint32_t(s.Width));
        PutU32(dib, uint32_t(s.Height));
        PutU16(dib, 1);
        PutU16(dib, s.BitCount);
        PutU32(dib, s.Compression);
        PutU32(dib, s.SizeImage.value_or(uint32_t(s.Pixels.size())));
        PutU32(dib, 2835); // 72 dpi, which the reader ignores
        PutU32(dib, 2835);
        PutU32(dib, s.ColorsUsed);
        PutU32(dib, 0);
        size_t mask = 0;
        while (uint32_t(dib.size()) < s.HeaderSize) {
            if (s.HeaderSize >= 52 && mask < s.Masks.size() && dib.size() < 56)
                PutU32(dib, s.Masks[mask++]);
            else
                PutU32(dib, 0);
        }
        dib.truncate(s.HeaderSize);
        if (s.HeaderSize == 40) {
            for (uint32_t m : s.Masks)
                PutU32(dib, m);
        }
    }
    for (uint32_t c : s.Palette) {
        dib.append(char(c & 0xFF));
        dib.append(char((c >> 8) & 0xFF));
        dib.append(char((c >> 16) & 0xFF));
        if (!core)
            dib.append('\0');
    }
    const uint32_t offset = s.PixelOffset.value_or(uint32_t(14 + dib.size()));
    QByteArray body = dib;
    if (offset > 14 + uint32_t(body.size()))
        body.append(QByteArray(int(offset - 14 - body.size()), '\0'));
    else if (offset >= 14)
        body.truncate(offset - 14);
    body += s.Pixels;
    body += s.Trailer;

    QByteArray file("BM");
    PutU32(file, s.FileSize.value_or(uint32_t(14 + body.size())));
    PutU32(file, 0);
    PutU32(file, offset);
    return file + body;
}

// Pixel rows of a picture, packed at bitCount bits, padded to 4 bytes, in stored order
// (bottom row first unless topDown). value(x, y) gives the stored value of the pixel in
// picture row y: a palette index, a 16-bit word, 0x00RRGGBB for 24 bits, or a 32-bit word.
inline QByteArray PackRows(int bitCount, int width, int height, bool topDown,
                           const std::function<uint32_t(int, int)>& value)
{
    const int stride = ((width * bitCount + 31) / 32) * 4;
    QByteArray out;
    for (int r = 0; r < height; ++r) {
        const int y = topDown ? r : height - 1 - r;
        QByteArray row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const uint32_t v = value(x, y);
            switch (bitCount) {
            case 1:
                row[x / 8] = char(row[x / 8] | ((v & 1) << (7 - x % 8)));
                break;
            case 4:
                row[x / 2] = char(row[x / 2] | ((v & 15) << (x % 2 ? 0 : 4)));
                break;
            case 8:
                row[x] = char(v);
                break;
            case 16:
                qToLittleEndian<uint16_t>(uint16_t(v), row.data() + 2 * x);
                break;
            case 24:
                row[3 * x] = char(v & 0xFF);
                row[3 * x + 1] = char((v >> 8) & 0xFF);
                row[3 * x + 2] = char((v >> 16) & 0xFF);
                break;
            case 32:
                qToLittleEndian<uint32_t>(v, row.data() + 4 * x);
                break;
            }
        }
        out += row;
    }
    return out;
}

// A palette of n distinct colours.
inline std::vector<uint32_t> TestPalette(int n)
{
    std::vector<uint32_t> p;
    for (int i = 0; i < n; ++i)
        p.push_back(uint32_t(((i * 37) & 0xFF) << 16 | ((255 - i * 11) & 0xFF) << 8 | ((i * 101 + 7) & 0xFF)));
    return p;
}
