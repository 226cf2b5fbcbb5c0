// Deleting, renaming, moving and replacing entries: each edits the bytes in place.
#include "LibraryTestSupport.h"

namespace {

class LibraryEdits : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto a = MakeRect(cad, 0, 0, 10, 10);
        auto b = MakeRect(cad, 0, 0, 0.3f, 7); // narrower than one unit: stored as 0 .. 0.3
        auto point = MakeLinkPoint(cad, 0.3f, 3.5f);
        auto c = MakeRect(cad, 5, 5, 25, 15);
        ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("a"), {a.get()}, TUserData(), 10, 10));
        ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("b"), {b.get(), point.get()}, TUserData(), 3, 70));
        ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("c"), {c.get()}, TUserData(), 20, 10));
    }
    QStringList Names() const
    {
        QStringList names;
        for (int i = 0; i < lib.GetcmbShapesCount(); ++i)
            names << lib.GetCmbShapesNameByID(i);
        return names;
    }
    QByteArray EntryBytes(const QString& name) const
    {
        int64_t position = 0, length = 0;
        return lib.GetExistShape(name, position, length) ? lib.Bytes().mid(qsizetype(position), qsizetype(length))
                                                          : QByteArray();
    }

    TMyCAD cad;
    TLibManager lib;
};

} // namespace

TEST_F(LibraryEdits, DeletingRemovesTheFirstEntryOfTheName)
{
    const QByteArray c = EntryBytes(QStringLiteral("c"));
    auto d = MakeRect(cad, 0, 0, 1, 1);
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("a"), {d.get()}, TUserData(), 1, 1));
    TLibManager other; // the same entry alone: entries do not depend on their place
    ASSERT_TRUE(other.AppendNewShape(QStringLiteral("a"), {d.get()}, TUserData(), 1, 1));
    const QByteArray secondA = other.Bytes().mid(10);
    ASSERT_TRUE(lib.DeleteShape(QStringLiteral("a")));
    EXPECT_EQ(Names(), (QStringList{"b", "c", "a"}));
    EXPECT_EQ(EntryBytes(QStringLiteral("a")), secondA);
    EXPECT_FALSE(lib.DeleteShape(QStringLiteral("none")));
    EXPECT_EQ(EntryBytes(QStringLiteral("c")), c);
}

TEST_F(LibraryEdits, RenamingChangesOnlyTheNameField)
{
    const QByteArray before = lib.Bytes();
    const QByteArray b = EntryBytes(QStringLiteral("b"));
    ASSERT_TRUE(lib.RenameCmbShapeName(QStringLiteral("b"), QStringLiteral("longer name")));
    EXPECT_EQ(Names(), (QStringList{"a", "longer name", "c"}));
    const QByteArray renamed = EntryBytes(QStringLiteral("longer name"));
    EXPECT_EQ(renamed.mid(12), b.mid(2)); // everything after the name, byte for byte
    EXPECT_EQ(uint8_t(renamed[0]), 11);
    // To another entry's name, and back.
    ASSERT_TRUE(lib.RenameCmbShapeName(QStringLiteral("longer name"), QStringLiteral("c")));
    EXPECT_EQ(Names(), (QStringList{"a", "c", "c"}));
    ASSERT_TRUE(lib.RenameCmbShapeName(QStringLiteral("c"), QStringLiteral("b")));
    EXPECT_EQ(lib.Bytes(), before);
    EXPECT_FALSE(lib.RenameCmbShapeName(QStringLiteral("none"), QStringLiteral("x")));
    EXPECT_EQ(lib.Bytes(), before);
}

TEST_F(LibraryEdits, MovingToTheFrontKeepsTheEntryWhole)
{
    const QByteArray b = EntryBytes(QStringLiteral("b"));
    ASSERT_TRUE(lib.MoveCmbShapeBeforeByName(QStringLiteral("b"), QString()));
    EXPECT_EQ(Names(), (QStringList{"b", "a", "c"}));
    EXPECT_EQ(EntryBytes(QStringLiteral("b")), b);
    TArrMyPoint points;
    TUserData data;
    TLibShapes shapes;
    int w = 0, h = 0;
    ASSERT_TRUE(lib.GetCmbShape(QStringLiteral("b"), points, data, shapes, w, h, false));
    ASSERT_EQ(shapes.size(), 2u); // the link-point shape is still there
    EXPECT_TRUE(qobject_cast<TMyLinkPoint*>(shapes[1].get()));
    EXPECT_FLOAT_EQ(shapes[0]->GetRightBottom().X, 0.9f); // 0.3 of the unit times 3

    ASSERT_TRUE(lib.MoveCmbShapeBeforeByName(QStringLiteral("b"), QStringLiteral("c")));
    EXPECT_EQ(Names(), (QStringList{"a", "b", "c"}));
    ASSERT_TRUE(lib.MoveCmbShapeBeforeByName(QStringLiteral("c"), QStringLiteral("a")));
    EXPECT_EQ(Names(), (QStringList{"c", "a", "b"}));
    ASSERT_TRUE(lib.MoveCmbShapeBeforeByName(QStringLiteral("a"), QStringLiteral("a")));
    EXPECT_EQ(Names(), (QStringList{"c", "a", "b"}));
    const QByteArray moved = lib.Bytes();
    EXPECT_FALSE(lib.MoveCmbShapeBeforeByName(QStringLiteral("none"), QString()));
    EXPECT_FALSE(lib.MoveCmbShapeBeforeByName(QStringLiteral("a"), QStringLiteral("none")));
    EXPECT_EQ(lib.Bytes(), moved);
}

TEST_F(LibraryEdits, ReplacingKeepsThePlace)
{
    auto wide = MakeRect(cad, 0, 0, 40, 10);
    TUserData data;
    data.AddKeyandValue(QStringLiteral("k"), QStringLiteral("v"));
    ASSERT_TRUE(lib.RepalceExistShape(QStringLiteral("b"), {wide.get()}, data, 40, 10));
    EXPECT_EQ(Names(), (QStringList{"a", "b", "c"}));
    TArrMyPoint points;
    TUserData read;
    TLibShapes shapes;
    int w = 0, h = 0;
    ASSERT_TRUE(lib.GetCmbShape(QStringLiteral("b"), points, read, shapes, w, h, false));
    EXPECT_EQ(w, 40);
    EXPECT_EQ(shapes.size(), 1u);
    EXPECT_EQ(read.GetValueByKey(QStringLiteral("k")), QStringLiteral("v"));
    const QByteArray before = lib.Bytes();
    EXPECT_FALSE(lib.RepalceExistShape(QStringLiteral("none"), {wide.get()}, data, 1, 1));
    EXPECT_FALSE(lib.RepalceExistShape(QStringLiteral("b"), {nullptr}, data, 1, 1));
    EXPECT_EQ(lib.Bytes(), before);
}
