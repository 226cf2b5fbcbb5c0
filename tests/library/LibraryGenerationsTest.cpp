// Libraries of every generation, written by hand: read by their own tag, upgraded to the
// current generation with identical results, and upgraded before anything is written.
#include "LibraryTestSupport.h"

#include <QTemporaryDir>

namespace {

QStringList WithoutTag(const QString& description)
{
    QStringList lines = description.split('\n');
    lines.removeFirst();
    return lines;
}

bool IsOlderThanCurrent(const QByteArray& tag)
{
    return tag != "ZEDALIBX.i";
}

} // namespace

TEST(LibraryGenerations, EveryGenerationIsReadByItsOwnTag)
{
    for (const QByteArray& tag : ReadableTags()) {
        SCOPED_TRACE(tag.constData());
        TLibManager lib;
        LoadLibrary(lib, HandMadeLibrary(tag));
        const TFileGeneration g = RecordGenerationOf(tag);
        ASSERT_EQ(lib.GetcmbShapesCount(), 3);
        EXPECT_EQ(lib.GetCmbShapesNameByID(1), QStringLiteral("second"));

        TArrMyPoint points;
        TUserData data;
        data.AddKeyandValue(QStringLiteral("before"), QStringLiteral("reading"));
        TLibShapes shapes;
        int w = 0, h = 0;
        ASSERT_TRUE(lib.GetCmbShape(QStringLiteral("first"), points, data, shapes, w, h, true));
        EXPECT_EQ(lib.Drawing()->DiskFileVersion(), DrawingFormat::TagOfFormat({g, false}));
        EXPECT_EQ(w, 200);
        EXPECT_EQ(h, 100);
        ASSERT_EQ(shapes.size(), 7u); // the link point came back as a point
        ASSERT_EQ(points.size(), 1u);
        EXPECT_NEAR(points[0].X, 100, 1e-4);
        EXPECT_NEAR(points[0].Y, 0, 1e-4);
        EXPECT_EQ(shapes[0]->GetRightBottom(), TMyPoint(200, 100));
        if (g >= TFileGeneration::XP8) {
            ASSERT_EQ(data.GetCount(), 1); // emptied, then the stored pairs (a repeated key dropped)
            EXPECT_EQ(data.GetValueByKey(QStringLiteral("part")), QStringLiteral("first-1"));
        } else {
            ASSERT_EQ(data.GetCount(), 1); // no user-data block: left as it was
            EXPECT_EQ(data.GetKeyByNo(0), QStringLiteral("before"));
        }
        EXPECT_EQ(shapes[0]->Visible(), g < TFileGeneration::XP9);
        EXPECT_EQ(shapes[0]->MultiInfo().size(), g >= TFileGeneration::XPe ? 2 : 0);
        EXPECT_EQ(shapes[0]->LogWidth(), g >= TFileGeneration::XPh ? 40 : 10);
        const auto* text = qobject_cast<TMyText*>(shapes[4].get());
        ASSERT_TRUE(text);
        EXPECT_EQ(text->Lines().size(), g >= TFileGeneration::XPa ? 2 : 0);

        // Every reader reads the same by the real tag.
        for (auto reader : {&TLibManager::GetCmbShapeforX8, &TLibManager::GetCmbShapeforX9, &TLibManager::GetCmbShapeforXA,
                            &TLibManager::GetCmbShapeforXE, &TLibManager::GetCmbShapeforXH}) {
            TLibShapes again;
            TUserData other;
            ASSERT_TRUE((lib.*reader)(QStringLiteral("first"), points, other, again, w, h, true));
            ASSERT_EQ(again.size(), shapes.size());
            for (size_t i = 0; i < shapes.size(); ++i)
                EXPECT_EQ(DescribeShape(*again[i]), DescribeShape(*shapes[i]));
        }
    }
}

TEST(LibraryGenerations, UpgradesGiveIdenticalEntries)
{
    for (const QByteArray& tag : ReadableTags()) {
        if (!IsOlderThanCurrent(tag))
            continue;
        SCOPED_TRACE(tag.constData());
        TLibManager lib;
        LoadLibrary(lib, HandMadeLibrary(tag));
        const QStringList before = WithoutTag(DescribeLibrary(lib));
        ASSERT_FALSE(before.contains(QStringLiteral("unreadable")));
        ASSERT_TRUE(lib.UpgradeToCurrent());
        EXPECT_EQ(lib.Bytes().left(10), QByteArray("ZEDALIBX.i"));
        EXPECT_EQ(WithoutTag(DescribeLibrary(lib)), before);
        // The upgraded library is what the manager writes: saving changes nothing.
        const QByteArray upgraded = lib.Bytes();
        QByteArray saved;
        QBuffer buffer(&saved);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(lib.SaveToStream(buffer));
        EXPECT_EQ(saved, upgraded);
    }
}

TEST(LibraryGenerations, EachNamedUpgradeTakesOnlyItsSourceGeneration)
{
    using TUpgrade = bool (TLibManager::*)();
    const std::vector<std::pair<TUpgrade, QList<QByteArray>>> upgrades = {
        {&TLibManager::Upgradefromx6tox8, {"ZEDALIBX.6", "ZEDALIBX.7"}},
        {&TLibManager::Upgradefromx8tox9, {"ZEDALIBX.8"}},
        {&TLibManager::Upgradefromx9toxa, {"ZEDALIBX.9"}},
        {&TLibManager::Upgradefromxatoxe, {"ZEDALIBX.a"}},
        {&TLibManager::Upgradefromxetoxh, {"ZEDALIBX.e"}},
        {&TLibManager::Upgradefromxhtoxi, {"ZEDALIBX.h"}},
    };
    for (const auto& [upgrade, sources] : upgrades)
        for (const QByteArray& tag : ReadableTags()) {
            SCOPED_TRACE(tag.constData());
            TLibManager lib;
            const QByteArray bytes = HandMadeLibrary(tag);
            LoadLibrary(lib, bytes);
            const bool source = sources.contains(tag);
            EXPECT_EQ((lib.*upgrade)(), source);
            if (source) {
                EXPECT_EQ(lib.Bytes().left(10), QByteArray("ZEDALIBX.i"));
                TArrMyPoint points;
                TUserData data;
                TLibShapes shapes;
                int w = 0, h = 0;
                EXPECT_TRUE(lib.GetCmbShape(QStringLiteral("second"), points, data, shapes, w, h, false));
                EXPECT_EQ(shapes.size(), 8u);
            } else {
                EXPECT_EQ(lib.Bytes(), bytes);
            }
        }
}

TEST(LibraryGenerations, UpgradingKeepsEntriesOfTheSameNameApart)
{
    TLibManager lib;
    LoadLibrary(lib, HandMadeLibrary("ZEDALIBX.8"));
    ASSERT_TRUE(lib.Upgradefromx8tox9());
    EXPECT_EQ(lib.GetcmbShapesCount(), 3);
    int64_t first = 0, length = 0;
    ASSERT_TRUE(lib.GetExistShape(QStringLiteral("second"), first, length));
    TArrMyPoint points;
    TUserData data;
    TLibShapes shapes;
    int w = 0, h = 0;
    ASSERT_TRUE(lib.GetCmbShapeAt(first + length, points, data, shapes, w, h, true));
    EXPECT_EQ(w, 40); // the third entry is still the second "first", with its own size
    EXPECT_EQ(data.GetValueByKey(QStringLiteral("part")), QStringLiteral("first-1"));
}

TEST(LibraryGenerations, OpeningAFileUpgradesItsLibrary)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("old.lib"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(HandMadeLibrary("ZEDALIBX.7"));
    file.close();
    TLibManager reference;
    LoadLibrary(reference, HandMadeLibrary("ZEDALIBX.7"));

    TLibManager lib(name);
    EXPECT_EQ(lib.LibFileName(), name);
    EXPECT_EQ(lib.Bytes().left(10), QByteArray("ZEDALIBX.i"));
    EXPECT_EQ(WithoutTag(DescribeLibrary(lib)), WithoutTag(DescribeLibrary(reference)));

    // Loading keeps the real tag; saving upgrades.
    ASSERT_TRUE(reference.LoadFromFile(name));
    EXPECT_EQ(reference.Bytes().left(10), QByteArray("ZEDALIBX.7"));
    const QString saved = dir.filePath(QStringLiteral("saved.lib"));
    ASSERT_TRUE(reference.SavetoFile(saved));
    TLibManager again;
    ASSERT_TRUE(again.LoadFromFile(saved));
    EXPECT_EQ(again.Bytes(), lib.Bytes());
}

TEST(LibraryGenerations, WritingIntoAnOlderLibraryUpgradesItFirst)
{
    TMyCAD cad;
    auto rect = MakeRect(cad, 0, 0, 10, 10);
    TLibManager lib, reference;
    LoadLibrary(lib, HandMadeLibrary("ZEDALIBX.9"));
    LoadLibrary(reference, HandMadeLibrary("ZEDALIBX.9"));
    const QStringList before = WithoutTag(DescribeLibrary(reference));

    // Byte edits keep the generation.
    ASSERT_TRUE(lib.RenameCmbShapeName(QStringLiteral("second"), QStringLiteral("other")));
    ASSERT_TRUE(lib.MoveCmbShapeBeforeByName(QStringLiteral("other"), QString()));
    EXPECT_EQ(lib.Bytes().left(10), QByteArray("ZEDALIBX.9"));
    ASSERT_TRUE(lib.MoveCmbShapeBeforeByName(QStringLiteral("first"), QString()));
    ASSERT_TRUE(lib.RenameCmbShapeName(QStringLiteral("other"), QStringLiteral("second")));
    EXPECT_EQ(lib.Bytes(), reference.Bytes());

    // A new entry, placed between the old ones, upgrades the rest.
    int64_t position = 0, length = 0;
    ASSERT_TRUE(lib.GetExistShape(QStringLiteral("second"), position, length));
    ASSERT_TRUE(lib.InsertNewShape(position, QStringLiteral("new"), {rect.get()}, TUserData(), 10, 10));
    EXPECT_EQ(lib.Bytes().left(10), QByteArray("ZEDALIBX.i"));
    EXPECT_EQ(lib.GetCmbShapesNameByID(1), QStringLiteral("new"));
    QStringList after = WithoutTag(DescribeLibrary(lib));
    const qsizetype at = after.indexOf(QStringLiteral("entry new"));
    ASSERT_GT(at, 0);
    after.remove(at, 3); // the new entry: name, size, its one shape
    EXPECT_EQ(after, before);

    // Replacing keeps the place.
    LoadLibrary(lib, HandMadeLibrary("ZEDALIBX.9"));
    ASSERT_TRUE(lib.RepalceExistShape(QStringLiteral("second"), {rect.get()}, TUserData(), 5, 5));
    EXPECT_EQ(lib.Bytes().left(10), QByteArray("ZEDALIBX.i"));
    EXPECT_EQ(lib.GetCmbShapesNameByID(1), QStringLiteral("second"));
    EXPECT_EQ(lib.GetCmbShapesNameByID(2), QStringLiteral("first"));
}

TEST(LibraryGenerations, LibrariesWithoutAKnownLayoutKeepTheirBytes)
{
    TMyCAD cad;
    auto rect = MakeRect(cad, 0, 0, 10, 10);
    for (const QByteArray& tag : {QByteArray("ZEDALIBX.2"), QByteArray("ZEDALIB2.1"), QByteArray("Ombrell Co")}) {
        SCOPED_TRACE(tag.constData());
        const QByteArray bytes = tag + HandMadeEntry("ZEDALIBX.i", "entry", 10, 10);
        TLibManager lib;
        LoadLibrary(lib, bytes);
        EXPECT_EQ(lib.GetcmbShapesCount(), 1);
        EXPECT_EQ(lib.GetCmbShapesNameByID(0), QStringLiteral("entry"));
        TArrMyPoint points;
        TUserData data;
        TLibShapes shapes;
        int w = 0, h = 0;
        EXPECT_FALSE(lib.GetCmbShape(QStringLiteral("entry"), points, data, shapes, w, h, false));
        EXPECT_FALSE(lib.AppendNewShape(QStringLiteral("new"), {rect.get()}, TUserData(), 10, 10));
        EXPECT_FALSE(lib.RepalceExistShape(QStringLiteral("entry"), {rect.get()}, TUserData(), 10, 10));
        EXPECT_FALSE(lib.UpgradeToCurrent());
        TBitmap picture;
        EXPECT_FALSE(lib.GetCmbShapeImage(QStringLiteral("entry"), 32, picture, clGray));
        QByteArray saved;
        QBuffer buffer(&saved);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(lib.SaveToStream(buffer));
        EXPECT_EQ(saved, bytes);
    }
}
