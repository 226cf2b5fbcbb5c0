// Exact reads and writes, byte layouts of the typed values, fixed text fields, counted
// strings in both variants and sized blocks, on random-access and sequential devices.
#include "SequentialDevice.h"
#include "platform/Stream.h"

#include <QBuffer>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A buffer open for writing; Bytes() gives what was written.
struct TOut {
    QByteArray bytes;
    QBuffer buffer{&bytes};
    TOut() { buffer.open(QIODevice::WriteOnly); }
};

struct TIn {
    QByteArray bytes;
    QBuffer buffer{&bytes};
    explicit TIn(QByteArray b) : bytes(std::move(b)) { buffer.open(QIODevice::ReadOnly); }
};

} // namespace

TEST(Stream, TypedValuesAreLittleEndianAndReadBack)
{
    TOut out;
    ASSERT_TRUE(WriteInt8(out.buffer, -5));
    ASSERT_TRUE(WriteUInt8(out.buffer, 200));
    ASSERT_TRUE(WriteInt16(out.buffer, -30000));
    ASSERT_TRUE(WriteUInt16(out.buffer, 0xBEEF));
    ASSERT_TRUE(WriteInt32(out.buffer, 0x01020304));
    ASSERT_TRUE(WriteUInt32(out.buffer, 0xDEADBEEF));
    ASSERT_TRUE(WriteInt64(out.buffer, -2));
    ASSERT_TRUE(WriteFloat32(out.buffer, 1.0f));
    ASSERT_TRUE(WriteFloat64(out.buffer, -2.5));
    ASSERT_TRUE(WriteBool(out.buffer, true));
    EXPECT_EQ(out.bytes, QByteArray::fromHex("fb" "c8" "d08a" "efbe" "04030201" "efbeadde"
                                             "feffffffffffffff" "0000803f" "00000000000004c0" "01"));

    TIn in(out.bytes);
    int8_t i8 = 0;
    uint8_t u8 = 0;
    int16_t i16 = 0;
    uint16_t u16 = 0;
    int32_t i32 = 0;
    uint32_t u32 = 0;
    int64_t i64 = 0;
    float f = 0;
    double d = 0;
    bool b = false;
    ASSERT_TRUE(ReadInt8(in.buffer, i8) && ReadUInt8(in.buffer, u8) && ReadInt16(in.buffer, i16)
                && ReadUInt16(in.buffer, u16) && ReadInt32(in.buffer, i32) && ReadUInt32(in.buffer, u32)
                && ReadInt64(in.buffer, i64) && ReadFloat32(in.buffer, f) && ReadFloat64(in.buffer, d)
                && ReadBool(in.buffer, b));
    EXPECT_EQ(i8, -5);
    EXPECT_EQ(u8, 200);
    EXPECT_EQ(i16, -30000);
    EXPECT_EQ(u16, 0xBEEF);
    EXPECT_EQ(i32, 0x01020304);
    EXPECT_EQ(u32, 0xDEADBEEFu);
    EXPECT_EQ(i64, -2);
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(d, -2.5);
    EXPECT_TRUE(b);
    EXPECT_FALSE(ReadUInt8(in.buffer, u8)); // end of data
}

TEST(Stream, ReadsFailCleanlyAtTheEndOfData)
{
    TIn in(QByteArray::fromHex("010203"));
    int32_t v = 7;
    EXPECT_FALSE(ReadInt32(in.buffer, v));
    EXPECT_TRUE(in.buffer.atEnd()); // the three bytes are consumed

    TIn exact(QByteArray::fromHex("0102"));
    char two[2];
    EXPECT_FALSE(ReadExact(exact.buffer, two, -1));
    EXPECT_TRUE(ReadExact(exact.buffer, two, 0));
    EXPECT_TRUE(ReadExact(exact.buffer, two, 2));
    EXPECT_FALSE(ReadExact(exact.buffer, two, 1));

    bool flag = false;
    TIn nonZero(QByteArray::fromHex("02"));
    ASSERT_TRUE(ReadBool(nonZero.buffer, flag));
    EXPECT_TRUE(flag);

    QBuffer closed;
    EXPECT_FALSE(ReadExact(closed, two, 1));
    EXPECT_FALSE(WriteInt32(closed, 1));
}

TEST(Stream, ReadBytesGrowsOnlyWithTheData)
{
    // A sequential device cannot say how much is left: a count of 512 MiB with ten bytes
    // behind it fails after reading the ten, without reserving the count.
    TSequentialDevice pipe(QByteArray(10, 'x'));
    QByteArray out;
    EXPECT_FALSE(ReadBytes(pipe, qint64(512) << 20, out));
    EXPECT_EQ(out, QByteArray(10, 'x'));
    EXPECT_LT(out.capacity(), qsizetype(4) << 20);

    TSequentialDevice small(QByteArray("abcdefghij"));
    ASSERT_TRUE(ReadBytes(small, 4, out));
    EXPECT_EQ(out, QByteArray("abcd"));

    TIn in(QByteArray("ab"));
    EXPECT_EQ(ReadBytesPadded(in.buffer, 4), QByteArray("ab\0\0", 4));
    EXPECT_EQ(ReadBytesPadded(in.buffer, 3), QByteArray(3, '\0'));
    EXPECT_TRUE(ReadBytesPadded(in.buffer, -1).isEmpty());
}

TEST(Stream, BytesLeftAndCountPlausibility)
{
    TIn in(QByteArray(100, 'x'));
    in.buffer.seek(40);
    EXPECT_EQ(BytesLeft(in.buffer), 60);
    EXPECT_TRUE(CountFits(in.buffer, 15, 4));
    EXPECT_FALSE(CountFits(in.buffer, 16, 4));
    EXPECT_FALSE(CountFits(in.buffer, -1, 4));
    EXPECT_FALSE(CountFits(in.buffer, int64_t(1) << 62, 8)); // no overflow
    EXPECT_TRUE(CountFits(in.buffer, 0, 1000));

    TSequentialDevice pipe(QByteArray(4, 'x'));
    EXPECT_EQ(BytesLeft(pipe), -1);
    EXPECT_TRUE(CountFits(pipe, 1000000, 4)); // unknown: the reads will tell
    EXPECT_FALSE(CountFits(pipe, -3, 4));
}

TEST(Stream, FixedTextFieldsArePaddedCutAndTrimmed)
{
    TOut out;
    ASSERT_TRUE(WriteFixedText(out.buffer, QStringLiteral("XP.i"), 16));
    ASSERT_TRUE(WriteFixedText(out.buffer, QByteArray("TMyRectangleTooLong"), 16));
    ASSERT_TRUE(WriteFixedText(out.buffer, QString::fromUtf8("Café"), 6));
    ASSERT_TRUE(WriteFixedText(out.buffer, QString(), 3));
    EXPECT_EQ(out.bytes, QByteArray("XP.i            " "TMyRectangleTooL" "Caf\xE9  " "   "));

    TIn in(out.bytes + QByteArray("  \x01Sig\0\0", 8));
    QString text;
    QByteArray raw;
    ASSERT_TRUE(ReadFixedText(in.buffer, 16, text));
    EXPECT_EQ(text, QStringLiteral("XP.i"));
    ASSERT_TRUE(ReadFixedText(in.buffer, 16, raw));
    EXPECT_EQ(raw, QByteArray("TMyRectangleTooL"));
    ASSERT_TRUE(ReadFixedText(in.buffer, 6, text));
    EXPECT_EQ(text, QString::fromUtf8("Café"));
    ASSERT_TRUE(ReadFixedText(in.buffer, 3, text));
    EXPECT_TRUE(text.isEmpty());
    ASSERT_TRUE(ReadFixedText(in.buffer, 8, text));
    EXPECT_EQ(text, QStringLiteral("Sig")); // control characters and zeros trimmed too
    EXPECT_FALSE(ReadFixedText(in.buffer, 1, text));

    EXPECT_EQ(TrimField(QByteArray("\t a b \r\n")), QByteArray("a b"));
    EXPECT_EQ(TrimField(QStringLiteral("  Ombrell Component ")), QStringLiteral("Ombrell Component"));
}

TEST(Stream, CountedStringsKeepTheLengthAndTheLowByteOfBytes)
{
    for (int n : {0, 1, 255, 256, 300}) {
        SCOPED_TRACE(n);
        QByteArray s(n, '\0');
        for (int i = 0; i < n; ++i)
            s[i] = char('a' + i % 26);
        TOut out;
        ASSERT_TRUE(WriteCountedBytes(out.buffer, s));
        const int kept = n % 256;
        ASSERT_EQ(out.bytes.size(), 4 + kept);
        EXPECT_EQ(qFromLittleEndian<int32_t>(out.bytes.constData()), n);
        EXPECT_EQ(out.bytes.mid(4), s.left(kept));

        TIn in(out.bytes + "rest");
        QByteArray back;
        int32_t stored = -1;
        ASSERT_TRUE(ReadCountedBytes(in.buffer, back, &stored));
        EXPECT_EQ(stored, n);
        EXPECT_EQ(back, s.left(kept));
        EXPECT_EQ(in.buffer.readAll(), QByteArray("rest"));
    }
    // Text goes through Windows-1252.
    TOut out;
    ASSERT_TRUE(WriteCountedString(out.buffer, QString::fromUtf8("Œuvre €")));
    EXPECT_EQ(out.bytes, QByteArray::fromHex("07000000") + QByteArray("\x8Cuvre \x80"));
    TIn in(out.bytes);
    QString text;
    ASSERT_TRUE(ReadCountedString(in.buffer, text));
    EXPECT_EQ(text, QString::fromUtf8("Œuvre €"));
}

TEST(Stream, CountedStringReadsFailAtTheEnd)
{
    TIn cut(QByteArray::fromHex("05000000") + "abc");
    QByteArray back;
    EXPECT_FALSE(ReadCountedBytes(cut.buffer, back));
    TIn noLength(QByteArray::fromHex("0500"));
    EXPECT_FALSE(ReadCountedBytes(noLength.buffer, back));
    // A negative length keeps its low byte: -1 is followed by 255 bytes.
    TIn negative(QByteArray::fromHex("ffffffff") + QByteArray(255, 'z'));
    int32_t stored = 0;
    ASSERT_TRUE(ReadCountedBytes(negative.buffer, back, &stored));
    EXPECT_EQ(stored, -1);
    EXPECT_EQ(back.size(), 255);
}

TEST(Stream, LongCountedStringsKeepEveryByteWithinTheCap)
{
    for (int n : {0, 255, 256, 300, 70000}) {
        SCOPED_TRACE(n);
        QByteArray s(n, 'q');
        TOut out;
        ASSERT_TRUE(WriteLongCountedBytes(out.buffer, s));
        ASSERT_EQ(out.bytes.size(), 4 + n);
        EXPECT_EQ(qFromLittleEndian<int32_t>(out.bytes.constData()), n);
        TIn in(out.bytes);
        QByteArray back;
        ASSERT_TRUE(ReadLongCountedBytes(in.buffer, back));
        EXPECT_EQ(back, s);
    }
    TOut text;
    ASSERT_TRUE(WriteLongCountedString(text.buffer, QString(300, QChar(0xE9))));
    TIn textIn(text.bytes);
    QString back;
    ASSERT_TRUE(ReadLongCountedString(textIn.buffer, back));
    EXPECT_EQ(back, QString(300, QChar(0xE9)));

    QByteArray bytes;
    TIn negative(QByteArray::fromHex("ffffffff"));
    EXPECT_FALSE(ReadLongCountedBytes(negative.buffer, bytes));
    TIn overCap(QByteArray::fromHex("0a000000") + QByteArray(10, 'x'));
    EXPECT_FALSE(ReadLongCountedBytes(overCap.buffer, bytes, 9));
    TIn beyondData(QByteArray::fromHex("ffffff7f") + "abc"); // 2 GiB claimed
    EXPECT_FALSE(ReadLongCountedBytes(beyondData.buffer, bytes));
    TSequentialDevice pipe(QByteArray::fromHex("00000004") + "abc"); // 64 MiB, sequential
    EXPECT_FALSE(ReadLongCountedBytes(pipe, bytes));
    EXPECT_LT(bytes.capacity(), qsizetype(4) << 20);
}

TEST(Stream, SizedBlocks)
{
    TOut out;
    ASSERT_TRUE(WriteSizedBlock(out.buffer, QByteArray()));
    ASSERT_TRUE(WriteSizedBlock(out.buffer, QByteArray("hello")));
    EXPECT_EQ(out.bytes, QByteArray(8, '\0') + QByteArray::fromHex("0500000000000000") + "hello");

    TIn in(out.bytes + QByteArray::fromHex("ffffffffffffffff") + QByteArray::fromHex("0900000000000000") + "abc");
    QByteArray block("stale");
    int64_t stored = 1;
    ASSERT_TRUE(ReadSizedBlock(in.buffer, block, kMaxBlockSize, &stored));
    EXPECT_TRUE(block.isEmpty());
    EXPECT_EQ(stored, 0);
    ASSERT_TRUE(ReadSizedBlock(in.buffer, block));
    EXPECT_EQ(block, QByteArray("hello"));
    ASSERT_TRUE(ReadSizedBlock(in.buffer, block, kMaxBlockSize, &stored)); // n = -1: no block
    EXPECT_TRUE(block.isEmpty());
    EXPECT_EQ(stored, -1);
    EXPECT_FALSE(ReadSizedBlock(in.buffer, block)); // 9 claimed, 3 there
    EXPECT_TRUE(in.buffer.atEnd());

    TIn big(QByteArray::fromHex("0000000000000040")); // 2^62
    EXPECT_FALSE(ReadSizedBlock(big.buffer, block));
    TIn capped(QByteArray::fromHex("0400000000000000") + "abcd");
    EXPECT_FALSE(ReadSizedBlock(capped.buffer, block, 3));
}
