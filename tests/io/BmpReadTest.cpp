// Reading the BMP variants, built byte by byte, and checking every decoded pixel.
#include "BmpBuilder.h"
#include "BmpSeeds.h"
#include "SequentialDevice.h"
#include "platform/BmpCodec.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QImage Decode(const QByteArray& bytes)
{
    QImage image;
    QString error;
    EXPECT_TRUE(ReadBmp(bytes, image, &error)) << error.toStdString();
    return image;
}

QRgb Rgb(uint32_t rrggbb) { return 0xFF000000u | rrggbb; }

// Every pixel of a palette picture against its palette entry.
void ExpectIndexed(const QImage& image, int w, int h, const std::vector<uint32_t>& palette,
                   const std::function<uint32_t(int, int)>& index)
{
    ASSERT_EQ(image.format(), QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(image.pixel(x, y), Rgb(palette[index(x, y)])) << "pixel " << x << "," << y;
}

TBmpSpec IndexedSpec(int bpp, int w, int h, bool topDown = false)
{
    TBmpSpec s;
    s.Width = w;
    s.Height = topDown ? -h : h;
    s.BitCount = uint16_t(bpp);
    s.Palette = TestPalette(1 << bpp);
    s.Pixels = PackRows(bpp, w, h, topDown, [bpp](int x, int y) { return SeedIndex(x, y, 1 << bpp); });
    return s;
}

} // namespace

TEST(BmpRead, IndexedPicturesOfOneFourAndEightBitsWithOddWidths)
{
    for (int bpp : {1, 4, 8}) {
        for (int w : {1, 3, 9, 13, 33}) {
            SCOPED_TRACE(testing::Message() << bpp << " bits, width " << w);
            const TBmpSpec s = IndexedSpec(bpp, w, 5);
            ExpectIndexed(Decode(BuildBmp(s)), w, 5, s.Palette, [bpp](int x, int y) { return SeedIndex(x, y, 1 << bpp); });
        }
    }
}

TEST(BmpRead, TopDownRowsComeFirstInTheFile)
{
    TBmpSpec s = IndexedSpec(8, 6, 4, true);
    const QImage image = Decode(BuildBmp(s));
    ExpectIndexed(image, 6, 4, s.Palette, [](int x, int y) { return SeedIndex(x, y, 256); });
    // The first stored row is picture row 0.
    EXPECT_EQ(image.pixel(1, 0), Rgb(s.Palette[uint8_t(s.Pixels[1])]));
}

TEST(BmpRead, CoreHeaderWithThreeByteColourEntries)
{
    TBmpSpec s = IndexedSpec(8, 5, 3);
    s.HeaderSize = 12;
    ExpectIndexed(Decode(BuildBmp(s)), 5, 3, s.Palette, [](int x, int y) { return SeedIndex(x, y, 256); });

    TBmpSpec rgb;
    rgb.HeaderSize = 12;
    rgb.Width = 3;
    rgb.Height = 2;
    rgb.Pixels = PackRows(24, 3, 2, false, [](int x, int y) { return uint32_t(0x102030 * (x + 1) + y); });
    const QImage image = Decode(BuildBmp(rgb));
    EXPECT_EQ(image.pixel(2, 1), Rgb(0x102030 * 3 + 1));
}

TEST(BmpRead, ShortColourTableAndIndexesBeyondItGiveBlack)
{
    TBmpSpec s;
    s.Width = 4;
    s.Height = 1;
    s.BitCount = 8;
    s.ColorsUsed = 2;
    s.Palette = {0xFF0000, 0x00FF00};
    s.Pixels = QByteArray::fromHex("00010203");
    const QImage image = Decode(BuildBmp(s));
    EXPECT_EQ(image.pixel(0, 0), Rgb(0xFF0000));
    EXPECT_EQ(image.pixel(1, 0), Rgb(0x00FF00));
    EXPECT_EQ(image.pixel(2, 0), Rgb(0x000000));
    EXPECT_EQ(image.pixel(3, 0), Rgb(0x000000));
}

TEST(BmpRead, SixteenBitsFiveFiveFiveAndFiveSixFiveScaleToFullBytes)
{
    TBmpSpec s;
    s.Width = 3;
    s.Height = 1;
    s.BitCount = 16; // BI_RGB: x1555
    s.Pixels = PackRows(16, 3, 1, false, [](int x, int) {
        const uint32_t words[] = {0x7C00, 0x03E0 | 0x0010, 0x4210};
        return words[x];
    });
    QImage image = Decode(BuildBmp(s));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 132)); // 16 of 31 -> 132
    EXPECT_EQ(image.pixel(2, 0), qRgb(132, 132, 132));

    s.Compression = 3;
    s.Masks = {0xF800, 0x07E0, 0x001F};
    s.Pixels = PackRows(16, 3, 1, false, [](int x, int) {
        const uint32_t words[] = {0xF800, 0x07E0, 0x0001 | (32 << 5)};
        return words[x];
    });
    image = Decode(BuildBmp(s));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 130, 8)); // 32 of 63 -> 130, 1 of 31 -> 8
}

TEST(BmpRead, ThirtyTwoBitsIgnoreAlphaAndFollowTheirMasks)
{
    TBmpSpec s;
    s.Width = 2;
    s.Height = 1;
    s.BitCount = 32;
    s.Pixels = PackRows(32, 2, 1, false, [](int x, int) { return x ? 0x00123456u : 0x7FABCDEFu; });
    QImage image = Decode(BuildBmp(s));
    EXPECT_EQ(image.pixel(0, 0), Rgb(0xABCDEF));
    EXPECT_EQ(image.pixel(1, 0), Rgb(0x123456));

    // Red in the low byte, masks inside a V4 header.
    s.Compression = 3;
    s.HeaderSize = 108;
    s.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    image = Decode(BuildBmp(s));
    EXPECT_EQ(image.pixel(0, 0), Rgb(0xEFCDAB));
    EXPECT_EQ(image.pixel(1, 0), Rgb(0x563412));

    // Ten-bit channels are cut to their top eight bits.
    s.HeaderSize = 40;
    s.Masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    s.Pixels = PackRows(32, 2, 1, false, [](int x, int) { return x ? (0x3FFu << 20) : (0x200u << 10 | 0x004u); });
    image = Decode(BuildBmp(s));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 128, 1));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
}

TEST(BmpRead, HeaderVariantsOfTwentyFourBits)
{
    for (uint32_t headerSize : {40u, 52u, 56u, 64u, 108u, 124u}) {
        SCOPED_TRACE(headerSize);
        TBmpSpec s;
        s.HeaderSize = headerSize;
        s.Width = 5;
        s.Height = -2;
        s.Pixels = PackRows(24, 5, 2, true, [](int x, int y) { return uint32_t(x * 0x110000 + y * 0x33 + 0x0800); });
        const QImage image = Decode(BuildBmp(s));
        ASSERT_EQ(image.size(), QSize(5, 2));
        EXPECT_EQ(image.pixel(4, 1), Rgb(4 * 0x110000 + 0x33 + 0x0800));
        EXPECT_EQ(image.pixel(0, 0), Rgb(0x0800));
    }
}

TEST(BmpRead, Rle8RunsAbsoluteRunsDeltasAndSkippedPixels)
{
    const auto& seeds = BmpSeeds();
    const auto it = std::find_if(seeds.begin(), seeds.end(), [](const auto& s) { return s.first == "seed_rle8.bmp"; });
    ASSERT_NE(it, seeds.end());
    const std::vector<uint32_t> p = TestPalette(6);
    const int rows[3][6] = {{5, 5, 5, 5, 5, 5}, {0, 0, 4, 4, 0, 0}, {1, 1, 1, 2, 3, 2}};
    ExpectIndexed(Decode(it->second), 6, 3, p, [&](int x, int y) { return uint32_t(rows[y][x]); });
}

TEST(BmpRead, Rle4AlternatesNibbles)
{
    const auto& seeds = BmpSeeds();
    const auto it = std::find_if(seeds.begin(), seeds.end(), [](const auto& s) { return s.first == "seed_rle4.bmp"; });
    ASSERT_NE(it, seeds.end());
    const std::vector<uint32_t> p = TestPalette(16);
    const int rows[2][5] = {{10, 11, 10, 11, 10}, {1, 2, 3, 4, 5}};
    ExpectIndexed(Decode(it->second), 5, 2, p, [&](int x, int y) { return uint32_t(rows[y][x]); });
}

TEST(BmpRead, RleRunsPastTheRowEndAreClippedAndMissingEndIsTolerated)
{
    TBmpSpec s;
    s.Width = 4;
    s.Height = 2;
    s.BitCount = 8;
    s.Compression = 1;
    s.Palette = {0x000000, 0xFF0000, 0x00FF00};
    // Bottom row: a run of 9 (clipped to 4), end of line; top row: absolute run of 5
    // (clipped), then the data ends without an end-of-bitmap.
    s.Pixels = QByteArray::fromHex("0901" "0000" "00050202020202" "00");
    const QImage image = Decode(BuildBmp(s));
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(image.pixel(x, 1), Rgb(0xFF0000));
        EXPECT_EQ(image.pixel(x, 0), Rgb(0x00FF00));
    }
}

TEST(BmpRead, LargeBlankRleNeedsOnlyItsCommands)
{
    TBmpSpec s;
    s.Width = 1500;
    s.Height = 1200;
    s.BitCount = 8;
    s.Compression = 1;
    s.Palette = {0x123456};
    s.Pixels = QByteArray::fromHex("0001");
    const QImage image = Decode(BuildBmp(s));
    EXPECT_EQ(image.pixel(1499, 0), Rgb(0x123456));
}

TEST(BmpRead, PixelOffsetIsHonouredAndAColourTableRunningIntoThePixelsIsCut)
{
    TBmpSpec s = IndexedSpec(8, 3, 2);
    s.PixelOffset = 14 + 40 + 256 * 4 + 10; // ten bytes of gap
    ExpectIndexed(Decode(BuildBmp(s)), 3, 2, s.Palette, [](int x, int y) { return SeedIndex(x, y, 256); });

    // Table of 256 entries declared, pixels start after two entries.
    TBmpSpec cut;
    cut.Width = 2;
    cut.Height = 1;
    cut.BitCount = 8;
    cut.Palette = {0x0000FF, 0x00FF00};
    cut.Pixels = QByteArray::fromHex("0105" "0000");
    const QImage image = Decode(BuildBmp(cut));
    EXPECT_EQ(image.pixel(0, 0), Rgb(0x00FF00));
    EXPECT_EQ(image.pixel(1, 0), Rgb(0x000000));
}

TEST(BmpRead, StopsAtTheEndOfTheFileImage)
{
    const QByteArray first = BuildBmp(IndexedSpec(4, 7, 3));
    TBmpSpec withTrailer = IndexedSpec(1, 5, 2);
    withTrailer.Trailer = "profile";
    const QByteArray second = BuildBmp(withTrailer); // bfSize covers the trailer
    QByteArray all = first + second + "tail";
    QBuffer buffer(&all);
    buffer.open(QIODevice::ReadOnly);
    QImage a, b;
    ASSERT_TRUE(ReadBmp(buffer, a));
    EXPECT_EQ(buffer.pos(), first.size());
    ASSERT_TRUE(ReadBmp(buffer, b));
    EXPECT_EQ(buffer.pos(), first.size() + second.size());
    EXPECT_EQ(a.size(), QSize(7, 3));
    EXPECT_EQ(b.size(), QSize(5, 2));
}

TEST(BmpRead, InconsistentFileSizeFallsBackToTheHeaders)
{
    for (uint32_t fileSize : {0u, 20u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(fileSize);
        TBmpSpec s = IndexedSpec(8, 3, 2);
        s.FileSize = fileSize;
        const QByteArray bmp = BuildBmp(s);
        QByteArray all = bmp + "next record";
        QBuffer buffer(&all);
        buffer.open(QIODevice::ReadOnly);
        QImage image;
        ASSERT_TRUE(ReadBmp(buffer, image));
        EXPECT_EQ(buffer.pos(), bmp.size()); // the pixel rows end the image
    }
    // bfSize beyond the data, but the rows complete: accepted, all data consumed.
    TBmpSpec s = IndexedSpec(8, 3, 2);
    s.FileSize = 5000;
    QByteArray bmp = BuildBmp(s);
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::ReadOnly);
    QImage image;
    ASSERT_TRUE(ReadBmp(buffer, image));
    EXPECT_TRUE(buffer.atEnd());
}

TEST(BmpRead, MissingPaddingOfTheLastRowIsTolerated)
{
    const QByteArray bmp = BuildBmp(IndexedSpec(8, 3, 2));
    QImage image;
    EXPECT_TRUE(ReadBmp(bmp.left(bmp.size() - 1), image));
    EXPECT_FALSE(ReadBmp(bmp.left(bmp.size() - 2), image));
}

TEST(BmpRead, SequentialDevicesWork)
{
    for (const auto& [name, bytes] : BmpSeeds()) {
        SCOPED_TRACE(name.toStdString());
        TSequentialDevice dev(bytes + "after");
        QImage image;
        QString error;
        ASSERT_TRUE(ReadBmp(dev, image, &error)) << error.toStdString();
        EXPECT_EQ(image, Decode(bytes));
        EXPECT_EQ(dev.readAll(), QByteArray("after"));
    }
}
