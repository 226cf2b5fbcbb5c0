// Writing 24-bit BMP files: exact layout, round trips, refusal of what cannot be written.
#include "BmpSeeds.h"
#include "platform/BmpCodec.h"

#include <QBuffer>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

uint32_t U32At(const QByteArray& b, int offset) { return qFromLittleEndian<uint32_t>(b.constData() + offset); }
uint16_t U16At(const QByteArray& b, int offset) { return qFromLittleEndian<uint16_t>(b.constData() + offset); }

QImage Pattern(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 37 + y) & 0xFF, (y * 59 + 3 * x) & 0xFF, (x * y * 13 + 200) & 0xFF));
    return image;
}

} // namespace

TEST(BmpWrite, HeadersRowsAndPaddingOfAThreeByTwoPicture)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(1, 2, 3));
    image.setPixel(1, 0, qRgb(4, 5, 6));
    image.setPixel(2, 0, qRgb(7, 8, 9));
    image.setPixel(0, 1, qRgb(10, 11, 12));
    image.setPixel(1, 1, qRgb(13, 14, 15));
    image.setPixel(2, 1, qRgb(16, 17, 18));
    const QByteArray b = WriteBmp(image);
    ASSERT_EQ(b.size(), 54 + 2 * 12);
    EXPECT_EQ(b.left(2), QByteArray("BM"));
    EXPECT_EQ(U32At(b, 2), 78u);  // bfSize
    EXPECT_EQ(U32At(b, 6), 0u);   // reserved
    EXPECT_EQ(U32At(b, 10), 54u); // bfOffBits
    EXPECT_EQ(U32At(b, 14), 40u); // biSize
    EXPECT_EQ(U32At(b, 18), 3u);
    EXPECT_EQ(U32At(b, 22), 2u); // positive: bottom-up
    EXPECT_EQ(U16At(b, 26), 1u);
    EXPECT_EQ(U16At(b, 28), 24u);
    EXPECT_EQ(U32At(b, 30), 0u);  // BI_RGB
    EXPECT_EQ(U32At(b, 34), 24u); // biSizeImage
    for (int offset = 38; offset < 54; offset += 4)
        EXPECT_EQ(U32At(b, offset), 0u) << offset; // resolution and colour counts
    // Bottom row first, blue-green-red, three zero bytes of padding.
    EXPECT_EQ(b.mid(54), QByteArray::fromHex("0c0b0a" "0f0e0d" "121110" "000000"
                                             "030201" "060504" "090807" "000000"));
}

TEST(BmpWrite, RoundTripsGiveTheSamePixelsAndTheSameBytes)
{
    for (int w : {1, 2, 3, 4, 5, 7, 13}) {
        for (int h : {1, 2, 5}) {
            SCOPED_TRACE(testing::Message() << w << " x " << h);
            const QImage image = Pattern(w, h);
            const QByteArray first = WriteBmp(image);
            ASSERT_EQ(first.size(), 54 + ((w * 3 + 3) / 4) * 4 * h);
            QImage back;
            ASSERT_TRUE(ReadBmp(first, back));
            EXPECT_EQ(back, image);
            EXPECT_EQ(WriteBmp(back), first);
        }
    }
}

TEST(BmpWrite, EverySeedRewritesToAStableTwentyFourBitFile)
{
    for (const auto& [name, bytes] : BmpSeeds()) {
        SCOPED_TRACE(name.toStdString());
        QImage image;
        ASSERT_TRUE(ReadBmp(bytes, image));
        const QByteArray once = WriteBmp(image);
        QImage again;
        ASSERT_TRUE(ReadBmp(once, again));
        EXPECT_EQ(again, image);
        EXPECT_EQ(WriteBmp(again), once);
    }
}

TEST(BmpWrite, OtherFormatsAreConvertedAndAlphaIsDropped)
{
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(10, 20, 30, 255));
    argb.setPixel(1, 0, qRgba(200, 100, 50, 255));
    QImage back;
    ASSERT_TRUE(ReadBmp(WriteBmp(argb), back));
    EXPECT_EQ(back.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(back.pixel(1, 0), qRgb(200, 100, 50));

    QImage indexed(3, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    indexed.setPixel(0, 0, 1);
    indexed.setPixel(1, 0, 0);
    indexed.setPixel(2, 0, 1);
    ASSERT_TRUE(ReadBmp(WriteBmp(indexed), back));
    EXPECT_EQ(back.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(back.pixel(1, 0), qRgb(255, 0, 0));
}

TEST(BmpWrite, RefusesWhatCannotBeWritten)
{
    EXPECT_TRUE(WriteBmp(QImage()).isEmpty());
    QByteArray target;
    QBuffer readOnly(&target);
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(WriteBmp(readOnly, Pattern(2, 2)));
    // Beyond the reader's limits: never written, so every written file reads back.
    const QImage wide(kBmpMaxDimension + 1, 1, QImage::Format_RGB32);
    EXPECT_TRUE(WriteBmp(wide).isEmpty());
}

TEST(BmpWrite, WritesAtTheDevicePosition)
{
    QByteArray target("prefix");
    QBuffer buffer(&target);
    buffer.open(QIODevice::ReadWrite);
    buffer.seek(target.size());
    ASSERT_TRUE(WriteBmp(buffer, Pattern(3, 3)));
    EXPECT_EQ(target.left(6), QByteArray("prefix"));
    EXPECT_EQ(target.mid(6), WriteBmp(Pattern(3, 3)));
}
