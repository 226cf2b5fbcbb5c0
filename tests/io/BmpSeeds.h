#pragma once
// Small valid BMP files of every supported kind. They are the fuzzing seeds committed
// under tests/data/bmp (BmpSeedsTest checks that the files there equal these bytes and
// writes them again when MYCAD_WRITE_BMP_SEEDS names a folder).
#include "BmpBuilder.h"
#include "platform/BmpCodec.h"

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

// The index (or colour) pattern of the seeds: varied, so mistakes in row order, nibble
// order or padding show in the decoded pixels.
inline uint32_t SeedIndex(int x, int y, int colors) { return uint32_t((x * 3 + y * 5 + x * y) % colors); }

inline std::vector<std::pair<QString, QByteArray>> BmpSeeds()
{
    std::vector<std::pair<QString, QByteArray>> seeds;
    auto indexed = [](int bpp, int w, int h, bool topDown, uint32_t headerSize) {
        TBmpSpec s;
        s.Width = w;
        s.Height = topDown ? -h : h;
        s.BitCount = uint16_t(bpp);
        s.HeaderSize = headerSize;
        s.Palette = TestPalette(1 << bpp);
        s.Pixels = PackRows(bpp, w, h, topDown, [bpp](int x, int y) { return SeedIndex(x, y, 1 << bpp); });
        return BuildBmp(s);
    };
    seeds.emplace_back("seed_1bit.bmp", indexed(1, 9, 5, false, 40));
    seeds.emplace_back("seed_4bit.bmp", indexed(4, 7, 4, false, 40));
    seeds.emplace_back("seed_8bit_topdown.bmp", indexed(8, 6, 4, true, 40));
    seeds.emplace_back("seed_8bit_core.bmp", indexed(8, 5, 3, false, 12));
    {
        TBmpSpec s;
        s.Width = 5;
        s.Height = 3;
        s.BitCount = 16;
        s.Compression = 3;
        s.Masks = {0xF800, 0x07E0, 0x001F};
        s.Pixels = PackRows(16, 5, 3, false, [](int x, int y) { return uint32_t(x * 0x0841 + y * 0x2000); });
        seeds.emplace_back("seed_16bit_565.bmp", BuildBmp(s));
    }
    {
        TBmpSpec s;
        s.Width = 5;
        s.Height = 3;
        s.BitCount = 16;
        s.Pixels = PackRows(16, 5, 3, false, [](int x, int y) { return uint32_t(x * 0x0421 + y * 0x1000); });
        seeds.emplace_back("seed_16bit_555.bmp", BuildBmp(s));
    }
    {
        QImage image(5, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                image.setPixel(x, y, qRgb(x * 50, y * 100, 255 - x * 20));
        seeds.emplace_back("seed_24bit.bmp", WriteBmp(image));
    }
    {
        TBmpSpec s;
        s.Width = 4;
        s.Height = -3;
        s.BitCount = 24;
        s.HeaderSize = 108;
        s.Pixels = PackRows(24, 4, 3, true, [](int x, int y) { return uint32_t(x * 0x402010 + y * 0x000033); });
        seeds.emplace_back("seed_24bit_v4_topdown.bmp", BuildBmp(s));
    }
    {
        TBmpSpec s;
        s.Width = 4;
        s.Height = 3;
        s.BitCount = 32;
        s.Compression = 3;
        s.HeaderSize = 124;
        s.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
        s.Pixels = PackRows(32, 4, 3, false, [](int x, int y) { return uint32_t(0x80000000u | x * 0x40 | y * 0x5000 | 0x110000); });
        seeds.emplace_back("seed_32bit_v5_bitfields.bmp", BuildBmp(s));
    }
    {
        // RLE8, 6 x 3: bottom row a run and an absolute run, middle row a delta, top row
        // one run, then end of bitmap.
        TBmpSpec s;
        s.Width = 6;
        s.Height = 3;
        s.BitCount = 8;
        s.Compression = 1;
        s.Palette = TestPalette(6);
        s.ColorsUsed = 6;
        s.Pixels = QByteArray::fromHex("0301" "0003020302" "00" "0000"
                                       "00020200" "0204" "0000"
                                       "0605" "0001");
        seeds.emplace_back("seed_rle8.bmp", BuildBmp(s));
    }
    {
        // RLE4, 5 x 2: alternating-nibble run, absolute run, end of line, run, end of bitmap.
        TBmpSpec s;
        s.Width = 5;
        s.Height = 2;
        s.BitCount = 4;
        s.Compression = 2;
        s.Palette = TestPalette(16);
        s.Pixels = QByteArray::fromHex("0212" "00033450" "0000" "05AB" "0001");
        seeds.emplace_back("seed_rle4.bmp", BuildBmp(s));
    }
    return seeds;
}
