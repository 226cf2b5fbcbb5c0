// The further entities read with ExtendedEntities: inserts of blocks, bulges, partial
// ellipses, MTEXT, SPLINE, POINT, HATCH boundaries, and paper space left out.
#include "DxfTestSupport.h"
#include "support/DrawingTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

#define EXPECT_POINT(p, x, y)                                                                                          \
    do {                                                                                                               \
        EXPECT_NEAR((p).X, (x), 1e-3);                                                                                 \
        EXPECT_NEAR((p).Y, (y), 1e-3);                                                                                 \
    } while (0)

QByteArray BlocksSection(std::initializer_list<const char*> lines)
{
    return Dxf({"0", "SECTION", "2", "BLOCKS"}) + Dxf(lines) + Dxf({"0", "ENDSEC"});
}

} // namespace

TEST(DxfImportExtended, SwitchIsOffByDefault)
{
    TMyCAD cad;
    TDXF2DImport import(QByteArray(), &cad);
    EXPECT_FALSE(import.ExtendedEntities());
    EXPECT_FALSE(import.property("ExtendedEntities").toBool());
    TMyCAD off;
    ASSERT_TRUE(ImportBytes(off, EntitiesSection({"0", "POINT", "10", "1", "0", "MTEXT", "1", "x"})).Ok);
    EXPECT_EQ(off.GetShapesCount(), 0);
}

TEST(DxfImportExtended, InsertsPlaceTheirBlocksScaledTurnedAndRepeated)
{
    const QByteArray file =
        Dxf({"0", "SECTION", "2", "TABLES", "0", "LAYER", "2", "0", "0", "LAYER", "2", "Parts", "0", "LAYER", "2",
             "Own", "0", "ENDSEC"})
        + BlocksSection({"0", "BLOCK", "2", "Pin", "70", "0", "10", "1", "20", "0", "0", "LINE", "8", "0", "10", "1",
                         "20", "0", "11", "3", "21", "0", "0", "CIRCLE", "8", "Own", "10", "1", "20", "0", "40", "1",
                         "0", "ENDBLK", "0", "BLOCK", "2", "Pair", "70", "0", "0", "INSERT", "2", "PIN", "10", "0",
                         "20", "10", "0", "INSERT", "2", "Pair", "0", "ENDBLK"})
        + EntitiesSection({"0", "INSERT", "8", "Parts", "2", "Pin", "10", "10", "20", "20", "41", "2", "42", "2", "50",
                           "90", "0", "INSERT", "8", "Parts", "2", "Pin", "10", "0", "20", "0", "70", "3", "44", "5",
                           "0", "INSERT", "2", "Pair", "10", "100", "20", "0", "0", "INSERT", "2", "Missing"});
    TMyCAD cad;
    const TImportResult r = ImportBytes(cad, file, true);
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    // 2 of the first insert, 3 x 2 of the repeated one, 2 of Pair's Pin (Pair inserting
    // itself places nothing more).
    EXPECT_EQ(r.Entities, 10);
    ASSERT_EQ(cad.GetShapesCount(), 10);
    // Base (1, 0) to the insertion point, twice as large, turned by 90 degrees.
    const TMyShape* line = cad.GetShapeByNo(0);
    EXPECT_POINT(line->GetPoint(0), 10, 20);
    EXPECT_POINT(line->GetPoint(1), 10, 24);
    const int parts = cad.GetLayerIdByName("Parts");
    EXPECT_EQ(line->LayerId(), parts); // on layer "0" in the block: the insert's layer
    const TMyShape* circle = cad.GetShapeByNo(1);
    EXPECT_EQ(circle->LayerId(), cad.GetLayerIdByName("Own"));
    EXPECT_POINT(circle->ComputeCenterPoint(4), 10, 20);
    EXPECT_NEAR(circle->GetMyWidth(), 4, 1e-3);
    // Three columns 5 apart.
    for (int c = 0; c < 3; ++c)
        EXPECT_POINT(cad.GetShapeByNo(2 + 2 * c)->GetPoint(0), 5.0 * c, 0);
    // Pair's Pin at (100, 10) + (0, 0) after its base point.
    EXPECT_POINT(cad.GetShapeByNo(8)->GetPoint(0), 100, 10);
    EXPECT_INVARIANTS(cad);
}

TEST(DxfImportExtended, InsertsAreBounded)
{
    // Each level places its block 100 times: five levels would be ten billion lines.
    QByteArray blocks = Dxf({"0", "BLOCK", "2", "L0", "0", "LINE", "11", "1", "0", "ENDBLK"});
    for (int level = 1; level <= 5; ++level) {
        blocks += Dxf({"0", "BLOCK", "2"}) + "L" + QByteArray::number(level) + "\n"
                  + Dxf({"0", "INSERT", "2"}) + "L" + QByteArray::number(level - 1) + "\n"
                  + Dxf({"70", "10", "71", "10", "0", "ENDBLK"});
    }
    const QByteArray file = Dxf({"0", "SECTION", "2", "BLOCKS"}) + blocks + Dxf({"0", "ENDSEC"})
                            + EntitiesSection({"0", "INSERT", "2", "L5"});
    TMyCAD cad;
    const TImportResult r = ImportBytes(cad, file, true, [](TDXF2DImport& i) { i.SetMaxInsertedEntities(5000); });
    ASSERT_TRUE(r.Ok);
    EXPECT_LE(cad.GetShapesCount(), 5000);
    EXPECT_GT(cad.GetShapesCount(), 1000);
}

TEST(DxfImportExtended, BulgesAreArcs)
{
    TMyCAD cad;
    // A slot: straight (0,0)-(10,0), half circle to (10,10), straight to (0,10), half
    // circle back to the start, closed.
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({"0", "LWPOLYLINE", "90", "4", "70", "1", "10", "0", "20", "0", "10",
                                                  "10", "20", "0", "42", "1", "10", "10", "20", "10", "10", "0", "20",
                                                  "10", "42", "1"}),
                            true)
                    .Ok);
    ASSERT_EQ(cad.GetShapesCount(), 4);
    EXPECT_EQ(cad.GetShapeByNo(0)->ClassName(), "TMyPolyLine");
    const TMyShape* arc = cad.GetShapeByNo(1);
    ASSERT_EQ(arc->ClassName(), "TMyElliArc");
    // Counter-clockwise from (10, 0) to (10, 10): its middle point bulges out to x = 15.
    EXPECT_POINT(arc->GetPoint(0), 10, 10);
    EXPECT_POINT(arc->GetPoint(1), 15, 5);
    EXPECT_POINT(arc->GetPoint(2), 10, 0);
    EXPECT_EQ(cad.GetShapeByNo(2)->GetPointsCount(), 2);
    EXPECT_POINT(cad.GetShapeByNo(3)->GetPoint(1), -5, 5);

    // A clockwise bulge on an old-style POLYLINE.
    TMyCAD old;
    ASSERT_TRUE(ImportBytes(old, EntitiesSection({"0", "POLYLINE", "70", "0", "0", "VERTEX", "10", "0", "20", "0",
                                                  "42", "-1", "0", "VERTEX", "10", "2", "20", "0", "0", "SEQEND"}),
                            true)
                    .Ok);
    ASSERT_EQ(old.GetShapesCount(), 1);
    EXPECT_POINT(old.GetShapeByNo(0)->GetPoint(1), 1, 1);
}

TEST(DxfImportExtended, PartialEllipseIsABezierCurve)
{
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({"0", "ELLIPSE", "10", "0", "20", "0", "11", "10", "21", "0", "40",
                                                  "0.5", "41", "0", "42", "3.14159265358979"}),
                            true)
                    .Ok);
    const TMyShape* curve = cad.GetShapeByNo(0);
    ASSERT_EQ(curve->ClassName(), "TMyPolyBezier");
    ASSERT_EQ(curve->GetPointsCount(), 7); // two quarter pieces
    EXPECT_POINT(curve->GetPoint(0), 10, 0);
    EXPECT_POINT(curve->GetPoint(3), 0, 5);
    EXPECT_POINT(curve->GetPoint(6), -10, 0);
}

// Parameters count round the ellipse: a start two turns on is the same arc, and angles of
// any size are read at once (a whole turn at most).
TEST(DxfImportExtended, EllipseAndHatchArcAnglesOfAnySize)
{
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad,
                            EntitiesSection({"0", "ELLIPSE", "10", "0", "20", "0", "11", "10", "21", "0", "40", "0.5",
                                             "41", "12.566370614359172", "42", "3.14159265358979", //
                                             "0", "ELLIPSE", "10", "0", "20", "0", "11", "10", "21", "0", "40", "0.5",
                                             "41", "1e300", "42", "-1e300", //
                                             "0", "HATCH", "10", "0", "20", "0", "2", "SOLID", "70", "1", "71", "0",
                                             "91", "1", "92", "1", "93", "1", "72", "2", "10", "30", "20", "5", "40",
                                             "5", "50", "1e300", "51", "-1e300", "73", "1", "97", "0", "75", "1",
                                             "76", "1", "98", "0"}),
                            true)
                    .Ok);
    ASSERT_EQ(cad.GetShapesCount(), 3);
    const TMyShape* half = cad.GetShapeByNo(0);
    ASSERT_EQ(half->GetPointsCount(), 7);
    EXPECT_POINT(half->GetPoint(0), 10, 0);
    EXPECT_POINT(half->GetPoint(6), -10, 0);
    EXPECT_LE(cad.GetShapeByNo(1)->GetPointsCount(), 13);
    EXPECT_LE(cad.GetShapeByNo(2)->GetPointsCount(), 4100);
}

TEST(DxfImportExtended, MTextLinesAlignmentAndFormatting)
{
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({"0", "MTEXT", "10", "50", "20", "50", "71", "5", "3",
                                                  "{\\fArial|b1;First} line\\Psecond \\S1/2;", "1",
                                                  "\\~and\\Pthird 100%%d"}),
                            true)
                    .Ok);
    const auto* text = qobject_cast<const TMyText*>(cad.GetShapeByNo(0));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Lines(), QStringList({"First line", "second 1/2 and", QString::fromUtf8("third 100\u00b0")}));
    EXPECT_EQ(text->HAlignment(), taCenter);
    EXPECT_EQ(text->VAlignment(), vaMiddle);
    // Attached at its middle: the box is centred on the insertion point.
    EXPECT_POINT(text->ComputeCenterPoint(4), 50, 50);
}

TEST(DxfImportExtended, SplinesAreCurves)
{
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({
                                     // A clamped cubic with one span: its control points are the Bezier's.
                                     "0", "SPLINE", "71", "3", "72", "8", "73", "4", "40", "0", "40", "0", "40", "0",
                                     "40", "0", "40", "1", "40", "1", "40", "1", "40", "1", "10", "0", "20", "0", "10",
                                     "1", "20", "2", "10", "3", "20", "2", "10", "4", "20", "0",
                                     // Two spans: two pieces.
                                     "0", "SPLINE", "71", "3", "40", "0", "40", "0", "40", "0", "40", "0", "40", "1",
                                     "40", "2", "40", "2", "40", "2", "40", "2", "10", "0", "20", "0", "10", "1", "20",
                                     "1", "10", "2", "20", "0", "10", "3", "20", "1", "10", "4", "20", "0",
                                     // Fit points only: the interpolating B-line through them.
                                     "0", "SPLINE", "71", "3", "74", "3", "11", "0", "21", "0", "11", "5", "21", "5",
                                     "11", "10", "21", "0",
                                     // No points: nothing.
                                     "0", "SPLINE", "71", "3"}),
                            true)
                    .Ok);
    ASSERT_EQ(cad.GetShapesCount(), 3);
    const TMyShape* one = cad.GetShapeByNo(0);
    EXPECT_EQ(one->ClassName(), "TMyPolyBezier");
    ASSERT_EQ(one->GetPointsCount(), 4);
    EXPECT_POINT(one->GetPoint(1), 1, 2);
    EXPECT_POINT(one->GetPoint(3), 4, 0);
    const TMyShape* two = cad.GetShapeByNo(1);
    ASSERT_EQ(two->GetPointsCount(), 7);
    EXPECT_POINT(two->GetPoint(0), 0, 0);
    EXPECT_POINT(two->GetPoint(6), 4, 0);
    const TMyShape* fit = cad.GetShapeByNo(2);
    EXPECT_EQ(fit->ClassName(), "TMyBLine");
    EXPECT_EQ(fit->GetPointsCount(), 3);
}

TEST(DxfImportExtended, PointsAndHatchBoundaries)
{
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({
                                     "0", "POINT", "10", "5", "20", "6",
                                     "0", "HATCH", "10", "0", "20", "0", "2", "SOLID", "70", "1", "71", "0", "91", "2",
                                     // A polyline path: a square.
                                     "92", "2", "72", "0", "73", "1", "93", "4", "10", "0", "20", "0", "10", "10",
                                     "20", "0", "10", "10", "20", "10", "10", "0", "20", "10", "97", "0",
                                     // An edge path: two lines and a half circle.
                                     "92", "1", "93", "3", "72", "1", "10", "20", "20", "0", "11", "30", "21", "0",
                                     "72", "2", "10", "30", "20", "5", "40", "5", "50", "270", "51", "90", "73", "1",
                                     "72", "1", "10", "30", "20", "10", "11", "20", "21", "10", "97", "0",
                                     "75", "1", "76", "1", "98", "1", "10", "5", "20", "5"}),
                            true)
                    .Ok);
    ASSERT_EQ(cad.GetShapesCount(), 3);
    const TMyShape* dot = cad.GetShapeByNo(0);
    EXPECT_EQ(dot->ClassName(), "TMyEllipse");
    EXPECT_POINT(dot->ComputeCenterPoint(4), 5, 6);
    const TMyShape* square = cad.GetShapeByNo(1);
    EXPECT_EQ(square->ClassName(), "TMyPolyLine");
    ASSERT_EQ(square->GetPointsCount(), 5);
    EXPECT_POINT(square->GetPoint(4), 0, 0);
    const TMyShape* slot = cad.GetShapeByNo(2);
    const TMyRect box = GetPointsLTRB(slot->Points());
    EXPECT_NEAR(box.Left, 20, 1e-3);
    EXPECT_NEAR(box.Right, 35, 1e-3);
    EXPECT_NEAR(box.Bottom, 10, 1e-3);
}

TEST(DxfImportExtended, PaperSpaceIsLeftOutAndBlocksAreNotImportedDirectly)
{
    const QByteArray file = BlocksSection({"0", "BLOCK", "2", "B", "70", "0", "0", "LINE", "0", "ENDBLK"})
                            + EntitiesSection({"0", "LINE", "67", "1", "0", "CIRCLE", "40", "1"});
    TMyCAD cad;
    const TImportResult r = ImportBytes(cad, file, true);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.Entities, 1);
    ASSERT_EQ(cad.GetShapesCount(), 1);
    EXPECT_EQ(cad.GetShapeByNo(0)->ClassName(), "TMyEllipse");
}
