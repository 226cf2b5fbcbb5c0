// Damaged and hostile BMP input: refused with a reason, never a crash, a hang or an
// allocation sized by an unchecked field.
#include "BmpBuilder.h"
#include "BmpSeeds.h"
#include "platform/BmpCodec.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// Refused, with a reason given.
void ExpectRefused(const QByteArray& bytes)
{
    QImage image;
    QString error;
    EXPECT_FALSE(ReadBmp(bytes, image, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(image.isNull());
}

TBmpSpec Rgb24(int32_t w, int32_t h)
{
    TBmpSpec s;
    s.Width = w;
    s.Height = h;
    s.Pixels = PackRows(24, std::abs(w), std::abs(h), h < 0, [](int x, int y) { return uint32_t(x * 7 + y); });
    return s;
}

// Overwrites a little-endian 32-bit field.
QByteArray Patch32(QByteArray bytes, int offset, uint32_t value)
{
    qToLittleEndian<uint32_t>(value, bytes.data() + offset);
    return bytes;
}

} // namespace

TEST(BmpDamage, EveryTruncationOfEverySeedIsRefusedOrDecodesTheSamePicture)
{
    for (const auto& [name, bytes] : BmpSeeds()) {
        SCOPED_TRACE(name.toStdString());
        QImage full;
        ASSERT_TRUE(ReadBmp(bytes, full));
        int accepted = 0;
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            QImage image;
            if (ReadBmp(bytes.left(n), image)) {
                ++accepted;
                // Only the padding of the last row may be missing.
                EXPECT_GE(n, bytes.size() - 3) << n;
                EXPECT_EQ(image, full);
            }
        }
        EXPECT_LE(accepted, 3);
    }
}

TEST(BmpDamage, WrongSignatureAndHeaderSizes)
{
    const QByteArray good = BuildBmp(Rgb24(2, 2));
    QByteArray bad = good;
    bad[0] = 'X';
    ExpectRefused(bad);
    ExpectRefused(QByteArray());
    ExpectRefused("BM");
    for (uint32_t size : {0u, 4u, 16u, 39u, 41u, 200u, 0xFFFFFFFFu})
        ExpectRefused(Patch32(good, 14, size));
}

TEST(BmpDamage, DimensionsOutsideTheLimitsAreRefusedBeforeAllocating)
{
    ExpectRefused(BuildBmp(Rgb24(0, 3)));
    ExpectRefused(BuildBmp(Rgb24(3, 0)));
    const QByteArray good = BuildBmp(Rgb24(2, 2));
    ExpectRefused(Patch32(good, 18, uint32_t(-5)));                // negative width
    ExpectRefused(Patch32(good, 18, 100000));                      // too wide
    ExpectRefused(Patch32(good, 22, 0x80000000u));                 // height INT_MIN
    ExpectRefused(Patch32(Patch32(good, 18, 30000), 22, 30000));   // too many pixels
    ExpectRefused(Patch32(Patch32(good, 18, 8000), 22, 8000));     // fits the limits, not the data
}

TEST(BmpDamage, UnsupportedFormatsAreRefused)
{
    for (uint16_t bpp : {0, 2, 3, 48, 64}) {
        TBmpSpec s = Rgb24(2, 2);
        s.BitCount = bpp;
        ExpectRefused(BuildBmp(s));
    }
    for (uint32_t compression : {4u, 5u, 7u, 11u, 0xFFFFFFFFu}) {
        TBmpSpec s = Rgb24(2, 2);
        s.Compression = compression;
        ExpectRefused(BuildBmp(s));
    }
    TBmpSpec rle8With4Bits = Rgb24(2, 2);
    rle8With4Bits.BitCount = 4;
    rle8With4Bits.Compression = 1;
    ExpectRefused(BuildBmp(rle8With4Bits));
    TBmpSpec bitfields24 = Rgb24(2, 2);
    bitfields24.Compression = 3;
    bitfields24.Masks = {0xFF0000, 0xFF00, 0xFF};
    ExpectRefused(BuildBmp(bitfields24));
    TBmpSpec noMasks;
    noMasks.Width = 1;
    noMasks.Height = 1;
    noMasks.BitCount = 32;
    noMasks.Compression = 3;
    noMasks.Masks = {0, 0, 0};
    noMasks.Pixels = QByteArray(4, '\x7F');
    ExpectRefused(BuildBmp(noMasks));
    TBmpSpec os2Huffman = noMasks;
    os2Huffman.HeaderSize = 64;
    os2Huffman.Masks.clear();
    ExpectRefused(BuildBmp(os2Huffman));
    TBmpSpec coreSixteen = Rgb24(2, 2);
    coreSixteen.HeaderSize = 12;
    coreSixteen.BitCount = 16;
    ExpectRefused(BuildBmp(coreSixteen));
}

TEST(BmpDamage, BadOffsetsAreRefused)
{
    TBmpSpec inside = Rgb24(2, 2);
    inside.PixelOffset = 30; // inside the info header
    ExpectRefused(BuildBmp(inside));
    const QByteArray good = BuildBmp(Rgb24(2, 2));
    ExpectRefused(Patch32(good, 10, 0xFFFFFFF0u)); // far beyond the data
    ExpectRefused(Patch32(good, 10, 60));          // rows then run past the end
}

TEST(BmpDamage, BadRleIsRefusedAndNeverOverrunsThePicture)
{
    auto rle8 = [](const QByteArray& commands, int w = 4, int h = 2) {
        TBmpSpec s;
        s.Width = w;
        s.Height = h;
        s.BitCount = 8;
        s.Compression = 1;
        s.Palette = TestPalette(4);
        s.Pixels = QByteArray::fromHex(commands);
        return BuildBmp(s);
    };
    ExpectRefused(rle8("0005010203"));   // absolute run of 5 with 3 bytes left
    ExpectRefused(rle8("000202"));       // delta without its second byte
    TBmpSpec topDown;
    topDown.Width = 2;
    topDown.Height = -2;
    topDown.BitCount = 8;
    topDown.Compression = 1;
    topDown.Pixels = QByteArray::fromHex("0001");
    ExpectRefused(BuildBmp(topDown));
    TBmpSpec noSize = topDown;
    noSize.Height = 2;
    noSize.SizeImage = 0;
    noSize.FileSize = 0;
    ExpectRefused(BuildBmp(noSize));

    QImage image;
    // Deltas and line ends far past the picture, runs far past the row: clipped.
    EXPECT_TRUE(ReadBmp(rle8("0002FFFF" "FF01" "0000" "0000" "0000" "0000" "FF02"), image));
    EXPECT_TRUE(ReadBmp(rle8("0002FF00" "FF01" "00FF" + QByteArray(512, 'A') + "0001"), image));
    // RLE4 absolute run with its bytes cut short.
    TBmpSpec rle4;
    rle4.Width = 8;
    rle4.Height = 1;
    rle4.BitCount = 4;
    rle4.Compression = 2;
    rle4.Pixels = QByteArray::fromHex("00071234");
    ExpectRefused(BuildBmp(rle4));
}

TEST(BmpDamage, CompressedDataMustBePlausibleForLargePictures)
{
    TBmpSpec s;
    s.Width = 4096;
    s.Height = 2048; // 8 Mi pixels
    s.BitCount = 8;
    s.Compression = 1;
    s.Palette = {0x00FF00, 0xFF0000};
    s.Pixels = QByteArray::fromHex("0001"); // a blank picture in two bytes: refused
    ExpectRefused(BuildBmp(s));
    // The same picture with an end-of-line code per row and a run in the top row.
    s.Pixels.clear();
    for (int row = 0; row < 2047; ++row)
        s.Pixels += QByteArray::fromHex("0000");
    s.Pixels += QByteArray::fromHex("03010001");
    QImage image;
    ASSERT_TRUE(ReadBmp(BuildBmp(s), image));
    EXPECT_EQ(image.pixel(2, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(3, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(0, 2047), qRgb(0, 255, 0));
}

TEST(BmpDamage, HugeColourCountsAndProfileFieldsAreHarmless)
{
    TBmpSpec s;
    s.Width = 2;
    s.Height = 1;
    s.BitCount = 8;
    s.ColorsUsed = 0xFFFFFFFFu;
    s.Palette = TestPalette(2);
    s.Pixels = QByteArray::fromHex("01000000");
    QImage image;
    ASSERT_TRUE(ReadBmp(BuildBmp(s), image));
    EXPECT_EQ(image.pixel(0, 0), 0xFF000000u | TestPalette(2)[1]);

    // A V5 header naming an embedded profile: a plausible one extends the file image, one
    // beyond the limits is ignored.
    TBmpSpec v5 = Rgb24(2, 2);
    v5.HeaderSize = 124;
    v5.FileSize = 0;
    const QByteArray plain = BuildBmp(v5);
    QByteArray profiled = Patch32(plain, 14 + 56, 0x4D424544u); // 'MBED'
    profiled = Patch32(profiled, 14 + 112, uint32_t(plain.size() - 14));
    profiled = Patch32(profiled, 14 + 116, 6);
    QByteArray stream = profiled + "ICCPRO" + "next";
    QBuffer buffer(&stream);
    buffer.open(QIODevice::ReadOnly);
    ASSERT_TRUE(ReadBmp(buffer, image));
    EXPECT_EQ(buffer.pos(), plain.size() + 6);

    QByteArray far = Patch32(profiled, 14 + 112, 0xFFFFFF00u);
    far = Patch32(far, 14 + 116, 0xFFFFFF00u);
    QByteArray farStream = far + "next";
    QBuffer farBuffer(&farStream);
    farBuffer.open(QIODevice::ReadOnly);
    ASSERT_TRUE(ReadBmp(farBuffer, image));
    EXPECT_EQ(farBuffer.pos(), plain.size());
}
