// The stream primitives shared by the drawing and library files: raw text fields and
// bitmap buffers, as free operations and as members of the drawing.
#include "FilesTestSupport.h"
#include "io/SequentialDevice.h"
#include "component/persistence/StreamPrimitives.h"

#include <QtEndian>

namespace {
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

TEST(StrBuffer, WritesTheFirstCountBytesAndZerosPastTheEnd)
{
    TOut out;
    ASSERT_TRUE(WriteStrBuffer(out.buffer, AppendSpace("XP.i", 16), 16));
    EXPECT_EQ(out.bytes, QByteArray("XP.i") + QByteArray(12, ' '));

    TOut cut;
    ASSERT_TRUE(WriteStrBuffer(cut.buffer, "abcdef", 3));
    EXPECT_EQ(cut.bytes, "abc");

    // The reserved header field: 63 spaces written with a count of 64 end in the zero
    // byte that terminates the string.
    TOut reserved;
    ASSERT_TRUE(WriteStrBuffer(reserved.buffer, QString(63, ' '), 64));
    EXPECT_EQ(reserved.bytes, QByteArray(63, ' ') + QByteArray(1, '\0'));

    TOut ansi;
    ASSERT_TRUE(WriteStrBuffer(ansi.buffer, QStringLiteral("\u20ac\u00e9"), 2));
    EXPECT_EQ(ansi.bytes, QByteArray("\x80\xe9"));

    TMyCAD cad;
    TOut member;
    ASSERT_TRUE(cad.WriteStrBuffer(member.buffer, "xy", 4));
    EXPECT_EQ(member.bytes, QByteArray("xy\0\0", 4));

    QByteArray none;
    QBuffer readOnly(&none);
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(WriteStrBuffer(readOnly, "x", 1));
}

TEST(StrBuffer, ReadsExactlyCountBytesAndNeverFails)
{
    TIn in("Ombrell");
    EXPECT_EQ(ReadStrBuffer(in.buffer, 3), "Omb");
    const QString rest = ReadStrBuffer(in.buffer, 8);
    EXPECT_EQ(rest.size(), 8);
    EXPECT_EQ(rest.left(4), "rell");
    EXPECT_EQ(rest.mid(4), QString(4, QChar(0)));
    EXPECT_EQ(ReadStrBuffer(in.buffer, 5).size(), 5);
    EXPECT_EQ(ReadStrBuffer(in.buffer, 0), "");
    TIn ansi("\x80\xe9");
    EXPECT_EQ(ReadStrBuffer(ansi.buffer, 2), QStringLiteral("\u20ac\u00e9"));
    TMyCAD cad;
    TIn member("ab");
    EXPECT_EQ(cad.ReadStrBuffer(member.buffer, 3), QString("ab") + QChar(0));
}

TEST(BitmapBuffer, HoldsTheBmpFileImageAfterItsSize)
{
    const auto picture = SmallPicture();
    const QByteArray bmp = BmpBytes(*picture);
    ASSERT_EQ(bmp.size(), 54 + 3 * 12);
    TOut out;
    ASSERT_TRUE(WriteBitmapBuffer(out.buffer, picture.get()));
    EXPECT_EQ(qFromLittleEndian<int64_t>(out.bytes.constData()), bmp.size());
    EXPECT_EQ(out.bytes.mid(8), bmp);

    TIn in(out.bytes + "next");
    std::unique_ptr<TBitmap> back;
    ASSERT_TRUE(ReadBitmapBuffer(in.buffer, back));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(BmpBytes(*back), bmp);
    EXPECT_EQ(back->PixelFormat(), pf24bit);
    EXPECT_EQ(in.buffer.pos(), out.bytes.size());
}

TEST(BitmapBuffer, NoBitmapIsAZeroSize)
{
    TOut none;
    ASSERT_TRUE(WriteBitmapBuffer(none.buffer, nullptr));
    TBitmap empty;
    ASSERT_TRUE(WriteBitmapBuffer(none.buffer, &empty));
    EXPECT_EQ(none.bytes, QByteArray(16, '\0'));

    // The free operation leaves the caller's bitmap alone; the member one gives none.
    for (int64_t n : {int64_t(0), int64_t(-3)}) {
        TIn in(TBytes().I64(n).Data);
        std::unique_ptr<TBitmap> kept = SmallPicture();
        TBitmap* before = kept.get();
        ASSERT_TRUE(ReadBitmapBuffer(in.buffer, kept));
        EXPECT_EQ(kept.get(), before);

        TIn again(TBytes().I64(n).Data);
        TMyCAD cad;
        std::unique_ptr<TBitmap> member = SmallPicture();
        ASSERT_TRUE(cad.ReadBitmapBuffer(again.buffer, member));
        EXPECT_EQ(member, nullptr);
    }
}

TEST(BitmapBuffer, DamagedPictureIsConsumedAndGivesAnEmptyBitmap)
{
    const QByteArray junk = "BM this is not a picture";
    TIn in(TBytes().Bitmap(junk).I32(1234).Data);
    std::unique_ptr<TBitmap> bitmap;
    EXPECT_FALSE(ReadBitmapBuffer(in.buffer, bitmap));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(in.buffer.pos(), 8 + junk.size()); // positioned after the buffer
}

TEST(BitmapBuffer, ShortOrOversizedBuffersFailWithoutTouchingTheBitmap)
{
    for (int64_t n : {int64_t(100), int64_t(1) << 40, int64_t(0x7FFFFFFFFFFFFFFF)}) {
        TIn in(TBytes().I64(n).Raw("BM").Data);
        std::unique_ptr<TBitmap> bitmap;
        EXPECT_FALSE(ReadBitmapBuffer(in.buffer, bitmap)) << n;
        EXPECT_EQ(bitmap, nullptr);
        TSequentialDevice pipe(TBytes().I64(n).Raw("BM").Data);
        EXPECT_FALSE(ReadBitmapBuffer(pipe, bitmap)) << n;
    }
    TIn shortSize("\x01\x02");
    std::unique_ptr<TBitmap> bitmap;
    EXPECT_FALSE(ReadBitmapBuffer(shortSize.buffer, bitmap));
}

TEST(BitmapBuffer, MemberWriteIsTheFreeOne)
{
    TMyCAD cad;
    const auto picture = SmallPicture();
    TOut a, b;
    ASSERT_TRUE(cad.WriteBitmapBuffer(a.buffer, picture.get()));
    ASSERT_TRUE(WriteBitmapBuffer(b.buffer, picture.get()));
    EXPECT_EQ(a.bytes, b.bytes);
}
