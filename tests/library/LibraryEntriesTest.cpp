// Entries written, found and read back: the bytes field by field, the unit box, names and
// strings, and walking a damaged library.
#include "LibraryTestSupport.h"

namespace {

constexpr qsizetype kEntry = 10; // the first entry's first byte

class LibraryEntries : public ::testing::Test {
protected:
    TMyCAD cad;
    TLibManager lib;
};

} // namespace

TEST_F(LibraryEntries, NewLibraryIsItsTag)
{
    EXPECT_EQ(lib.Bytes(), QByteArray("ZEDALIBX.i"));
    EXPECT_TRUE(lib.LibFileName().isEmpty());
    EXPECT_EQ(lib.GetcmbShapesCount(), 0);
    EXPECT_EQ(lib.GetCmbShapesNameByID(0), QString());
    lib.AppendNewShape(QStringLiteral("x"), {}, TUserData(), 1, 1);
    lib.Clear();
    EXPECT_EQ(lib.Bytes(), QByteArray("ZEDALIBX.i"));
}

TEST_F(LibraryEntries, AppendedEntryFieldByField)
{
    auto a = MakeRect(cad, 100, 50, 300, 150);
    auto b = MakeRect(cad, 150, 80, 200, 120);
    a->StoreName(QStringLiteral("First"));
    b->StoreName(QStringLiteral("Second"));
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("Four"), {a.get(), b.get()}, TUserData(), 200, 100));
    const QByteArray& d = lib.Bytes();
    EXPECT_EQ(uint8_t(d[kEntry]), 4);
    EXPECT_EQ(d.mid(kEntry + 1, 4), QByteArray("Four"));
    EXPECT_EQ(I32At(d, 15), d.size() - 19); // the entry size counts what follows it
    EXPECT_EQ(I32At(d, 19), 200);
    EXPECT_EQ(I32At(d, 23), 100);
    EXPECT_EQ(I32At(d, 27), 0); // no user data
    EXPECT_EQ(I32At(d, 31), 2); // two shapes
    EXPECT_EQ(d.mid(35, 16), QByteArray("TMyRectangle    "));
    EXPECT_EQ(I32At(d, 51), 0); // the name is empty
    // id, number, layer, parent, no members, no connectors; then the points.
    const qsizetype points = 51 + 4 + 4 * 4 + 4 + 4;
    ASSERT_EQ(I32At(d, points), 4);
    const float expected[] = {0, 0, 1, 0, 1, 1, 0, 1};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(F32At(d, points + 4 + 4 * i), expected[i]) << i;
    // The second rectangle lies inside the first one's box: (50, 30) of (200, 100).
    const qsizetype second = d.indexOf("TMyRectangle", 51);
    ASSERT_GT(second, 0);
    const qsizetype points2 = second + 16 + 4 + 4 * 4 + 4 + 4;
    EXPECT_EQ(F32At(d, points2 + 4), 0.25f);
    EXPECT_EQ(F32At(d, points2 + 8), 0.3f);
    EXPECT_EQ(F32At(d, points2 + 12), 0.5f);

    int64_t position = 0, length = 0;
    ASSERT_TRUE(lib.GetExistShape(QStringLiteral("Four"), position, length));
    EXPECT_EQ(position, 10);
    EXPECT_EQ(length, d.size() - 10);
    // The shapes given keep their names and exactly their coordinates.
    EXPECT_EQ(a->Name(), QStringLiteral("First"));
    EXPECT_EQ(b->Points(), (TArrMyPoint{TMyPoint(150, 80), TMyPoint(200, 80), TMyPoint(200, 120), TMyPoint(150, 120)}));
}

TEST_F(LibraryEntries, ReadsBackAtItsNaturalSize)
{
    auto a = MakeRect(cad, 100, 50, 300, 150);
    auto b = MakeRect(cad, 150, 80, 200, 120);
    TUserData data;
    data.AddKeyandValue(QStringLiteral("part"), QStringLiteral("42"));
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("Four"), {a.get(), b.get()}, data, 200, 100));

    TArrMyPoint points{TMyPoint(9, 9)};
    TUserData read;
    read.AddKeyandValue(QStringLiteral("stale"), QStringLiteral("x"));
    TLibShapes shapes;
    int w = 0, h = 0;
    ASSERT_TRUE(lib.GetCmbShape(QStringLiteral("Four"), points, read, shapes, w, h, true));
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 100);
    EXPECT_TRUE(points.empty());
    ASSERT_EQ(read.GetCount(), 1);
    EXPECT_EQ(read.GetValueByKey(QStringLiteral("part")), QStringLiteral("42"));
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[0]->Points(), (TArrMyPoint{TMyPoint(0, 0), TMyPoint(200, 0), TMyPoint(200, 100), TMyPoint(0, 100)}));
    // Inside: (0.25, 0.3) of the box, through float arithmetic.
    EXPECT_EQ(shapes[1]->GetLeftTop().X, 50);
    EXPECT_NEAR(shapes[1]->GetLeftTop().Y, 30, 1e-5);
    EXPECT_NEAR(shapes[1]->GetRightBottom().Y, 70, 1e-5);
    EXPECT_TRUE(shapes[0]->Name().isEmpty());
    EXPECT_EQ(shapes[0]->OwnerCAD(), lib.Drawing());
    EXPECT_EQ(lib.Drawing()->DiskFileVersion(), QStringLiteral("XP.i"));

    // Another size: the same box, scaled.
    lib.AppendNewShape(QStringLiteral("Wide"), {a.get()}, TUserData(), 400, 10);
    ASSERT_TRUE(lib.GetCmbShape(QStringLiteral("Wide"), points, read, shapes, w, h, false));
    EXPECT_EQ(shapes[0]->GetRightBottom(), TMyPoint(400, 10));
    EXPECT_EQ(read.GetCount(), 0); // emptied: the entry has no pairs

    EXPECT_FALSE(lib.GetCmbShape(QStringLiteral("none"), points, read, shapes, w, h, false));
    EXPECT_EQ(shapes.size(), 1u); // unchanged
}

TEST_F(LibraryEntries, ShapeNarrowerThanOneUnitIsNormalisedByOne)
{
    auto narrow = MakeRect(cad, 5, 5, 5.3f, 15);
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("N"), {narrow.get()}, TUserData(), 1, 10));
    const qsizetype points = 10 + 1 + 1 + 4 + 8 + 4 + 4 + 16 + 4 + 16 + 8;
    ASSERT_EQ(I32At(lib.Bytes(), points), 4);
    EXPECT_EQ(F32At(lib.Bytes(), points + 4), 0.0f);
    EXPECT_NEAR(F32At(lib.Bytes(), points + 12), 0.3f, 1e-6); // (5.3 - 5) / 1
    EXPECT_EQ(F32At(lib.Bytes(), points + 24), 1.0f);      // (15 - 5) / 10
}

TEST_F(LibraryEntries, LinkPointsStayOutOfTheBoxAndComeBackAsCentres)
{
    auto rect = MakeRect(cad, 10, 10, 110, 60);
    auto point = MakeLinkPoint(cad, 110, 35); // its square reaches past the box
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("Box"), {rect.get(), point.get()}, TUserData(), 100, 50));
    TArrMyPoint points;
    TUserData data;
    TLibShapes shapes;
    int w = 0, h = 0;
    ASSERT_TRUE(lib.GetCmbShape(QStringLiteral("Box"), points, data, shapes, w, h, true));
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(shapes[0]->GetRightBottom(), TMyPoint(100, 50));
    EXPECT_EQ(points, (TArrMyPoint{TMyPoint(100, 25)}));
    ASSERT_TRUE(lib.GetCmbShape(QStringLiteral("Box"), points, data, shapes, w, h, false));
    EXPECT_TRUE(points.empty());
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_TRUE(qobject_cast<TMyLinkPoint*>(shapes[1].get()));
}

TEST_F(LibraryEntries, NamesTheLengthByteCannotHoldAreRefused)
{
    auto rect = MakeRect(cad, 0, 0, 10, 10);
    ASSERT_TRUE(lib.AppendNewShape(QString(255, QLatin1Char('n')), {rect.get()}, TUserData(), 10, 10));
    const QByteArray before = lib.Bytes();
    EXPECT_FALSE(lib.AppendNewShape(QString(256, QLatin1Char('n')), {rect.get()}, TUserData(), 10, 10));
    EXPECT_FALSE(lib.AppendNewShape(QStringLiteral("中"), {rect.get()}, TUserData(), 10, 10));
    EXPECT_FALSE(lib.RenameCmbShapeName(QString(255, QLatin1Char('n')), QString(300, QLatin1Char('m'))));
    EXPECT_EQ(lib.Bytes(), before);
    EXPECT_EQ(lib.GetCmbShapesNameByID(0), QString(255, QLatin1Char('n')));

    // Windows-1252 names: one byte each, found again by the same text.
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("Café €"), {rect.get()}, TUserData(), 10, 10));
    int64_t position = 0, length = 0;
    EXPECT_TRUE(lib.GetExistShape(QStringLiteral("Café €"), position, length));
    EXPECT_EQ(uint8_t(lib.Bytes()[qsizetype(position)]), 6);
    EXPECT_FALSE(lib.GetExistShape(QStringLiteral("café €"), position, length)); // case decides
    EXPECT_FALSE(lib.GetExistShape(QStringLiteral("Caf?"), position, length));
}

TEST_F(LibraryEntries, LongStringsAreKeptWholeUnderTheLongTag)
{
    auto rect = MakeRect(cad, 0, 0, 10, 10);
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("short"), {rect.get()}, TUserData(), 10, 10));
    const QByteArray shortOnly = lib.Bytes();
    auto captioned = MakeRect(cad, 0, 0, 10, 10);
    captioned->SetCaption(QString(300, QLatin1Char('c')));
    TUserData data;
    data.AddKeyandValue(QStringLiteral("note"), QString(400, QLatin1Char('v')));
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("long"), {captioned.get()}, data, 10, 10));
    EXPECT_EQ(lib.Bytes().left(10), QByteArray("ZEDALIBX.L"));
    // The entry written before is unchanged: its strings read the same in both forms.
    EXPECT_EQ(lib.Bytes().mid(10, shortOnly.size() - 10), shortOnly.mid(10));

    TArrMyPoint points;
    TUserData read;
    TLibShapes shapes;
    int w = 0, h = 0;
    ASSERT_TRUE(lib.GetCmbShape(QStringLiteral("long"), points, read, shapes, w, h, false));
    EXPECT_EQ(shapes[0]->Caption(), QString(300, QLatin1Char('c')));
    EXPECT_EQ(read.GetValueByKey(QStringLiteral("note")), QString(400, QLatin1Char('v')));
    ASSERT_TRUE(lib.GetCmbShape(QStringLiteral("short"), points, read, shapes, w, h, false));

    // Once the long strings are gone, the library is saved under the usual tag again.
    ASSERT_TRUE(lib.DeleteShape(QStringLiteral("long")));
    QByteArray saved;
    QBuffer buffer(&saved);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(lib.SaveToStream(buffer));
    EXPECT_EQ(saved, shortOnly);
}

TEST_F(LibraryEntries, NamesByIndexOutsideTheEntriesAreEmpty)
{
    auto rect = MakeRect(cad, 0, 0, 10, 10);
    lib.AppendNewShape(QStringLiteral("a"), {rect.get()}, TUserData(), 10, 10);
    lib.AppendNewShape(QStringLiteral("b"), {rect.get()}, TUserData(), 10, 10);
    EXPECT_EQ(lib.cmbShapesCount(), 2);
    EXPECT_EQ(lib.GetCmbShapesNameByID(1), QStringLiteral("b"));
    EXPECT_EQ(lib.GetCmbShapesNameByID(-1), QString());
    EXPECT_EQ(lib.GetCmbShapesNameByID(2), QString());
}

TEST_F(LibraryEntries, ShapesWithoutARecordAreRefused)
{
    auto rect = MakeRect(cad, 0, 0, 10, 10);
    EXPECT_FALSE(lib.AppendNewShape(QStringLiteral("a"), {rect.get(), nullptr}, TUserData(), 10, 10));
    EXPECT_EQ(lib.Bytes(), QByteArray("ZEDALIBX.i"));
}

TEST_F(LibraryEntries, WalkingADamagedLibraryEndsAtTheFirstBadEntry)
{
    auto rect = MakeRect(cad, 0, 0, 10, 10);
    lib.AppendNewShape(QStringLiteral("a"), {rect.get()}, TUserData(), 10, 10);
    lib.AppendNewShape(QStringLiteral("b"), {rect.get()}, TUserData(), 10, 10);
    const QByteArray good = lib.Bytes();
    int64_t second = 0, length = 0;
    ASSERT_TRUE(lib.GetExistShape(QStringLiteral("b"), second, length));

    for (int32_t size : {int32_t(length), -1, 0, 11, INT32_MAX}) {
        SCOPED_TRACE(size);
        QByteArray damaged = good;
        damaged.replace(qsizetype(second) + 2, 4, TBytes().I32(size).Data);
        LoadLibrary(lib, damaged);
        EXPECT_EQ(lib.GetcmbShapesCount(), 1);
        EXPECT_FALSE(lib.GetExistShape(QStringLiteral("b"), second, length));
        // A new entry goes in after the last good one and is found there.
        ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("c"), {rect.get()}, TUserData(), 10, 10));
        EXPECT_EQ(lib.GetCmbShapesNameByID(1), QStringLiteral("c"));
    }
    // A name longer than the bytes left.
    LoadLibrary(lib, good + QByteArray(1, char(200)) + "abc");
    EXPECT_EQ(lib.GetcmbShapesCount(), 2);
    // Insertions only at entry boundaries.
    LoadLibrary(lib, good);
    EXPECT_FALSE(lib.InsertNewShape(11, QStringLiteral("x"), {rect.get()}, TUserData(), 1, 1));
    EXPECT_FALSE(lib.InsertNewShape(5, QStringLiteral("x"), {rect.get()}, TUserData(), 1, 1));
    EXPECT_FALSE(lib.InsertNewShape(good.size() + 1, QStringLiteral("x"), {rect.get()}, TUserData(), 1, 1));
    EXPECT_EQ(lib.Bytes(), good);
    ASSERT_TRUE(lib.InsertNewShape(second, QStringLiteral("x"), {rect.get()}, TUserData(), 1, 1));
    EXPECT_EQ(lib.GetCmbShapesNameByID(1), QStringLiteral("x"));
    EXPECT_EQ(lib.GetCmbShapesNameByID(2), QStringLiteral("b"));
}

TEST_F(LibraryEntries, FieldOperationsReportWhereTheFieldsEnd)
{
    auto rect = MakeRect(cad, 0, 0, 10, 10);
    TUserData data;
    data.AddKeyandValue(QStringLiteral("k"), QStringLiteral("value"));
    lib.AppendNewShape(QStringLiteral("abc"), {rect.get()}, data, 30, 20);
    TLibSpan span;
    QByteArray tag;
    ASSERT_TRUE(lib.ReadLibTag(tag, &span));
    EXPECT_EQ(tag, QByteArray("ZEDALIBX.i"));
    EXPECT_EQ(span.Next, 10);
    QString name;
    ASSERT_TRUE(lib.ReadCmbShapeName(span.Next, name, &span));
    EXPECT_EQ(name, QStringLiteral("abc"));
    EXPECT_EQ(span.Length, 4);
    int32_t size = 0, w = 0, h = 0;
    ASSERT_TRUE(lib.ReadCmbShapeSize(span.Next, size, &span));
    EXPECT_EQ(span.Next + size, lib.Bytes().size());
    ASSERT_TRUE(lib.ReadWidthHeight(span.Next, w, h, &span));
    EXPECT_EQ(w, 30);
    EXPECT_EQ(h, 20);
    TUserData read;
    ASSERT_TRUE(lib.ReadUserDataRecords(span.Next, read, &span));
    EXPECT_EQ(span.Length, 4 + 4 + 1 + 4 + 5);
    EXPECT_EQ(read.GetValueByKey(QStringLiteral("k")), QStringLiteral("value"));
    TArrMyPoint points;
    TLibShapes shapes;
    ASSERT_TRUE(lib.ReadShapes(span.Next, w, h, false, points, shapes, &span));
    EXPECT_EQ(span.Next, lib.Bytes().size());
    EXPECT_EQ(shapes[0]->GetRightBottom(), TMyPoint(30, 20));

    // Writes overwrite in place and extend at the end; reads past the end fail.
    ASSERT_TRUE(lib.WriteWidthHeight(18, 60, 40, &span));
    EXPECT_EQ(span.Next, 26);
    ASSERT_TRUE(lib.GetCmbShape(QStringLiteral("abc"), points, read, shapes, w, h, false));
    EXPECT_EQ(shapes[0]->GetRightBottom(), TMyPoint(60, 40));
    const qsizetype end = lib.Bytes().size();
    ASSERT_TRUE(lib.WriteStrBuffer(end, QStringLiteral("tail"), &span));
    EXPECT_EQ(span.Length, 8);
    QString text;
    ASSERT_TRUE(lib.ReadStrBuffer(end, text));
    EXPECT_EQ(text, QStringLiteral("tail"));
    EXPECT_FALSE(lib.ReadCmbShapeSize(lib.Bytes().size() - 2, size));
    EXPECT_FALSE(lib.WriteCmbShapeSize(lib.Bytes().size() + 1, 0));
    EXPECT_FALSE(lib.WriteLibTag("short"));
}
