// Strings longer than the format's counted strings hold (255 bytes): drawings holding one
// are written under the long-string tag with every byte kept; others stay "XP.i" byte for
// byte; old files with long strings read as the format defines.
#include "FilesTestSupport.h"
#include "component/persistence/DrawingStream.h"
#include "component/persistence/ShapeRecords.h"
#include "support/DrawingTestSupport.h"

#include <QtEndian>
#include <functional>

namespace {

QByteArray VersionField(const QByteArray& bytes)
{
    return bytes.mid(128, 16).trimmed();
}

QString LongText(int n, QChar first = 'L')
{
    QString s(n, 'x');
    s[0] = first;
    for (int i = 1; i < n; ++i)
        s[i] = QChar(u'a' + i % 26);
    return s;
}

} // namespace

TEST(LongStrings, DrawingWithALongCaptionIsWrittenWholeUnderTheLongTag)
{
    TMyCAD cad;
    TMyShape* r = AddRect(cad, 0, 0, 10, 10, "R");
    const QString caption = LongText(300);
    r->SetCaption(caption);
    r->SetInfo("after");
    const QByteArray bytes = SaveBytes(cad);
    EXPECT_EQ(VersionField(bytes), "XP.iL");
    // The length word and all 300 bytes follow one another.
    const QByteArray encoded = caption.toLatin1();
    const qsizetype at = bytes.indexOf(encoded);
    ASSERT_GT(at, 4);
    EXPECT_EQ(qFromLittleEndian<int32_t>(bytes.constData() + at - 4), 300);

    TMyCAD loaded;
    ASSERT_TRUE(LoadBytes(loaded, bytes));
    EXPECT_EQ(loaded.DiskFileVersion(), "XP.iL");
    EXPECT_EQ(loaded.GetShapeByNo(0)->Caption(), caption);
    EXPECT_EQ(loaded.GetShapeByNo(0)->Info(), "after");
    EXPECT_EQ(SaveBytes(loaded), bytes);
}

TEST(LongStrings, At255BytesTheFileStaysXPi)
{
    TMyCAD cad;
    AddRect(cad, 0, 0, 10, 10, "R")->SetCaption(LongText(255));
    EXPECT_EQ(VersionField(SaveBytes(cad)), "XP.i");
    cad.GetShapeByNo(0)->SetCaption(LongText(256));
    EXPECT_EQ(VersionField(SaveBytes(cad)), "XP.iL");
    // Characters outside the BMP take two UTF-16 units but one byte in the file.
    QString faces;
    for (int i = 0; i < 200; ++i)
        faces += QString::fromUcs4(U"\U0001F600");
    cad.GetShapeByNo(0)->SetCaption(faces);
    EXPECT_EQ(VersionField(SaveBytes(cad)), "XP.i");
}

// Each string of the format, made long on its own, switches the drawing to the long tag and
// comes back whole.
TEST(LongStrings, EveryStoredStringIsKeptWhole)
{
    const QString big = LongText(400, 'Q');
    const std::vector<std::pair<const char*, std::function<void(TMyCAD&)>>> cases = {
        {"shape name", [&](TMyCAD& c) { c.GetShapeByNo(0)->SetName(big); }},
        {"caption", [&](TMyCAD& c) { c.GetShapeByNo(0)->SetCaption(big); }},
        {"font name", [&](TMyCAD& c) { c.GetShapeByNo(0)->Font()->SetName(big); }},
        {"info", [&](TMyCAD& c) { c.GetShapeByNo(0)->SetInfo(big); }},
        {"user data key", [&](TMyCAD& c) { c.GetShapeByNo(0)->UserData()->AddKeyandValue(big, "v"); }},
        {"user data value", [&](TMyCAD& c) { c.GetShapeByNo(0)->UserData()->AddKeyandValue("k", big); }},
        {"multi info", [&](TMyCAD& c) { c.GetShapeByNo(0)->SetMultiInfo({"a", big}); }},
        {"rule line text", [&](TMyCAD& c) { static_cast<TMyRuleLine*>(c.GetShapeByNo(10))->SetUserInfo(big); }},
        {"text line", [&](TMyCAD& c) { static_cast<TMyText*>(c.GetShapeByNo(14))->SetLines({big, "b"}); }},
        {"layer name", [&](TMyCAD& c) { c.SetLayerNameByID(big, 1); }},
        {"drawing user data key", [&](TMyCAD& c) { c.UserData()->AddKeyandValue(big, "1"); }},
        {"drawing user data value", [&](TMyCAD& c) { c.UserData()->AddKeyandValue("2", big); }},
    };
    for (const auto& [what, change] : cases) {
        SCOPED_TRACE(what);
        TMyCAD cad;
        BuildEveryClassDrawing(cad);
        change(cad);
        const QByteArray bytes = SaveBytes(cad);
        EXPECT_EQ(VersionField(bytes), "XP.iL");
        TMyCAD loaded;
        ASSERT_TRUE(LoadBytes(loaded, bytes));
        EXPECT_EQ(DescribeDrawing(loaded), DescribeDrawing(cad));
        EXPECT_EQ(SaveBytes(loaded), bytes);
    }
}

TEST(LongStrings, AnXPiFileWithALongStringReadsItsStoredBytes)
{
    // What other programs write: length 300, then 300 mod 256 = 44 bytes.
    TBaseSpec recipe;
    recipe.Caption = LongText(300).toLatin1();
    TDocSpec doc;
    doc.ShapeCount = 1;
    const QByteArray bytes = TBytes().Raw(DocumentBytes(doc)).Fixed("TMyRectangle", 16).Raw(BaseRecord(TFileGeneration::XPi, recipe)).Data;
    TMyCAD cad;
    ASSERT_TRUE(LoadBytes(cad, bytes));
    const TMyShape* s = cad.GetShapeByNo(0);
    EXPECT_EQ(s->Caption(), QString::fromLatin1(recipe.Caption.left(44)));
    EXPECT_EQ(s->ColorBegin(), recipe.ColorBegin); // the fields after it are in place
    EXPECT_EQ(s->Font()->Name(), "DejaVu Sans Mono");
    EXPECT_EQ(s->Info(), "Inf");
}

TEST(LongStrings, SingleShapeWritesTheFormatsCountedStrings)
{
    // A shape saved on its own is an XP.i record: a long caption keeps its length word and
    // its first (length mod 256) bytes, and the record stays aligned.
    TMyCAD cad;
    TMyRectangle r(&cad);
    r.SetCaption(LongText(300));
    r.SetInfo("tail");
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(r.SaveToStream(out));
    TMyRectangle back(&cad);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(back.LoadFromStream(in));
    EXPECT_EQ(back.Caption(), LongText(44));
    EXPECT_EQ(back.Info(), "tail");

    // Under the long-string tag the same shape keeps everything.
    cad.SetDiskFileVersion("XP.iL");
    QByteArray whole;
    QBuffer wholeOut(&whole);
    wholeOut.open(QIODevice::WriteOnly);
    TRecordWriter writer(wholeOut, true);
    ASSERT_TRUE(WriteShapeRecord(r, writer));
    ASSERT_TRUE(writer.Finish());
    TMyRectangle full(&cad);
    QBuffer wholeIn(&whole);
    wholeIn.open(QIODevice::ReadOnly);
    ASSERT_TRUE(full.LoadFromStream(wholeIn));
    EXPECT_EQ(full.Caption(), LongText(300));
}

TEST(LongStrings, LongStringLengthsAreChecked)
{
    for (int32_t length : {-1, 0x7FFFFFFF, 1000}) {
        TDocSpec doc;
        doc.Tag = "XP.iL";
        doc.Layers = {};
        QByteArray bytes = DocumentBytes(doc);
        // Replace the layer table by one layer whose name claims `length` bytes.
        bytes.chop(12);
        bytes += TBytes().I32(1).I32(length).Raw("short").I32(0).I32(1).I32(0).I32(0).Data;
        TMyCAD cad;
        EXPECT_FALSE(LoadBytes(cad, bytes)) << length;
        EXPECT_EQ(cad.GetLayerNameByID(0), "Layer0");
    }
}
