// The starter shape library that ships with the component: its entries, their link
// points, the byte-for-byte round trip through the manager, and the file the build wrote.
#include "LibraryTestSupport.h"
#include "support/DrawingTestSupport.h"

#ifdef MYCAD_STARTER_LIBRARY
#include "starter_library/StarterShapes.h"
#endif

namespace {

class StarterLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifdef MYCAD_STARTER_LIBRARY
        ASSERT_TRUE(BuildStarterLibrary(lib));
#else
        GTEST_SKIP() << "the starter library is not built (MYCAD_BUILD_STARTER_LIBRARY is off)";
#endif
    }
    TLibManager lib;
};

} // namespace

#ifdef MYCAD_STARTER_LIBRARY

TEST_F(StarterLibrary, HoldsTheDiagramShapesWithLinkPointsOnTheirOutlines)
{
    const QStringList names = StarterShapeNames();
    ASSERT_GE(names.size(), 24);
    ASSERT_EQ(lib.GetcmbShapesCount(), names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        EXPECT_EQ(lib.GetCmbShapesNameByID(int(i)), names[i]);
        TArrMyPoint points;
        TUserData data;
        TLibShapes shapes;
        int w = 0, h = 0;
        ASSERT_TRUE(lib.GetCmbShape(names[i], points, data, shapes, w, h, true));
        EXPECT_FALSE(shapes.empty());
        EXPECT_FALSE(data.GetValueByKey(QStringLiteral("Category")).isEmpty());
        EXPECT_FALSE(points.empty());
        for (const TMyPoint& p : points)
            EXPECT_TRUE(p.X >= 0 && p.X <= w && p.Y >= 0 && p.Y <= h) << p.X << ", " << p.Y;
        // The preview shows the shape on the browser's grey.
        TBitmap picture;
        ASSERT_TRUE(lib.GetCmbShapeImage(names[i], 32, picture, clGray));
        const QImage image = picture.ToQImage();
        int drawn = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                drawn += (image.pixel(x, y) & 0xFFFFFF) != 0x808080;
        EXPECT_GT(drawn, 20);
    }
}

TEST_F(StarterLibrary, RoundTripsThroughTheManagerByteForByte)
{
    TLibManager copy;
    for (int i = 0; i < lib.GetcmbShapesCount(); ++i) {
        const QString name = lib.GetCmbShapesNameByID(i);
        TArrMyPoint points;
        TUserData data;
        TLibShapes shapes;
        int w = 0, h = 0;
        ASSERT_TRUE(lib.GetCmbShape(name, points, data, shapes, w, h, false));
        ASSERT_TRUE(copy.AppendNewShape(name, Pointers(shapes), data, w, h));
    }
    EXPECT_EQ(copy.Bytes(), lib.Bytes());
    TLibManager reread;
    LoadLibrary(reread, lib.Bytes());
    QByteArray saved;
    QBuffer buffer(&saved);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(reread.SaveToStream(buffer));
    EXPECT_EQ(saved, lib.Bytes());
}

TEST_F(StarterLibrary, TheBuildWroteThisLibrary)
{
    const QString path = QStringLiteral(MYCAD_STARTER_LIBRARY);
    ASSERT_TRUE(IsZEDALibFile(path));
    TLibManager built(path);
    EXPECT_EQ(built.Bytes(), lib.Bytes());
}

TEST_F(StarterLibrary, PlacedEntriesAreCombinedShapesWithTheirLinkPoints)
{
    TMyCAD cad;
    cad.SetZoom(1.5);
    int x = 100;
    for (const QString& name : StarterShapeNames()) {
        SCOPED_TRACE(name.toStdString());
        TArrMyPoint points;
        TUserData data;
        TLibShapes shapes;
        int w = 0, h = 0;
        ASSERT_TRUE(lib.GetCmbShape(name, points, data, shapes, w, h, true));
        const int id = cad.AddUserDefineShapefromLib(&lib, name, x, 300);
        ASSERT_GE(id, 0);
        TMyShape* placed = cad.GetShapeByID(id);
        ASSERT_TRUE(qobject_cast<TMyCombine*>(placed));
        EXPECT_EQ(placed->ChildNos().size(), shapes.size());
        ASSERT_EQ(placed->GetLinkPointsCount(), int(points.size()));
        EXPECT_EQ(placed->UserData()->GetValueByKey(QStringLiteral("Category")),
                  data.GetValueByKey(QStringLiteral("Category")));
        // Link points lie in the placed box, in document units.
        const TMyRect box = GetPointsLTRB(placed->Points());
        for (const TMyPoint& p : placed->LinkPoints())
            EXPECT_TRUE(p.X >= box.Left - 1e-3 && p.X <= box.Right + 1e-3 && p.Y >= box.Top - 1e-3
                        && p.Y <= box.Bottom + 1e-3)
                << p.X << ", " << p.Y;
        x += 150;
    }
    EXPECT_INVARIANTS(cad);
    cad.Paint();
}

#endif
