// Import of hand-written DXF: every entity kind, the header extents, the layer table and
// blocks, with the switch for the further entities off.
#include "DxfTestSupport.h"
#include "support/DrawingTestSupport.h"
#include "support/RecordingUIServices.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

TMyPoint P(const TMyShape* s, int i)
{
    return s->GetPoint(i);
}

#define EXPECT_POINT(p, x, y)                                                                                          \
    do {                                                                                                               \
        EXPECT_NEAR((p).X, (x), 1e-3);                                                                                 \
        EXPECT_NEAR((p).Y, (y), 1e-3);                                                                                 \
    } while (0)

} // namespace

TEST(DxfImport, LineWithoutExtentsIsTakenOneToOne)
{
    TMyCAD cad;
    const TImportResult r = ImportBytes(cad, EntitiesSection({"0", "LINE", "8", "0", "10", "0", "20", "0", "11", "100",
                                                             "21", "50"}));
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(r.Entities, 1);
    ASSERT_EQ(cad.GetShapesCount(), 1);
    const TMyShape* s = cad.GetShapeByNo(0);
    EXPECT_EQ(s->ClassName(), "TMyLine");
    EXPECT_POINT(P(s, 0), 0, 0);
    EXPECT_POINT(P(s, 1), 100, 50);
    EXPECT_EQ(s->Name(), "Shape0");
    EXPECT_EQ(s->GetShapeId(), 0);
    EXPECT_EQ(s->LayerId(), 0);
    EXPECT_POINT(s->CenterPoint(), 50, 25);
    EXPECT_POINT(s->CaptionPoint(), 50, 60);
    EXPECT_EQ(cad.NextShapeId(), 1);
    EXPECT_INVARIANTS(cad);
}

TEST(DxfImport, HeaderExtentsFillTheCanvasOrTheDestination)
{
    const QByteArray file = Dxf({"0", "SECTION", "2", "HEADER", "9", "$EXTMAX", "10", "200", "20", "100", "9",
                                 "$EXTMIN", "10", "0", "20", "0", "9", "$ANGDIR", "70", "1", "0", "ENDSEC"})
                            + EntitiesSection({"0", "LINE", "10", "200", "20", "0", "11", "0", "21", "100"});
    TMyCAD cad;
    cad.resize(600, 300);
    ASSERT_TRUE(ImportBytes(cad, file).Ok);
    const TMyShape* s = cad.GetShapeByNo(0);
    EXPECT_POINT(P(s, 0), 600, 300);
    EXPECT_POINT(P(s, 1), 0, 0);

    TMyCAD region;
    ASSERT_TRUE(ImportBytes(region, file, false, [](TDXF2DImport& i) { i.SetDestRegion(TRect{100, 50, 300, 150}); }).Ok);
    s = region.GetShapeByNo(0);
    EXPECT_POINT(P(s, 0), 300, 150);
    EXPECT_POINT(P(s, 1), 100, 50);
}

TEST(DxfImport, ExtentsThatCannotFitCountAsMissing)
{
    for (const auto& [min, max] : std::vector<std::pair<const char*, const char*>>{
             {"5", "5"}, {"1e20", "-1e20"}, {"-5", "1e300"}, {"-1e20", "1e20"}, {"0", "inf"}}) {
        const QByteArray file = Dxf({"0", "SECTION", "2", "HEADER", "9", "$EXTMIN", "10", min, "20", min, "9",
                                     "$EXTMAX", "10", max, "20", max, "0", "ENDSEC"})
                                + EntitiesSection({"0", "LINE", "10", "1", "20", "2", "11", "3", "21", "4"});
        TMyCAD cad;
        TDXF2DImport import(file, &cad);
        ASSERT_TRUE(import.ReadDXF()) << min;
        EXPECT_FALSE(import.ExtentsFound()) << min;
        EXPECT_EQ(import.Scalex(), 1);
        EXPECT_EQ(import.Scaley(), 1);
        EXPECT_POINT(P(cad.GetShapeByNo(0), 1), 3, 4);
    }
}

TEST(DxfImport, LayerTableAndLayersOfEntities)
{
    const QByteArray file = Dxf({"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "LAYER", "70", "2", "0", "LAYER",
                                 "2", "Walls", "70", "0", "62", "7", "0", "LAYER", "2", "Doors", "70", "0", "0",
                                 "LAYER", "2", "Walls", "0", "ENDTAB", "0", "TABLE", "2", "LTYPE", "0", "LTYPE", "2",
                                 "DASHED", "0", "ENDTAB", "0", "ENDSEC"})
                            + EntitiesSection({"0", "LINE", "8", "Walls", "10", "0", "20", "0", "11", "1", "21", "1",
                                               "0", "LINE", "8", "Nowhere", "10", "0", "20", "0", "11", "1", "21", "1",
                                               "0", "LINE", "8", "  Doors ", "10", "0", "20", "0", "11", "1", "21", "1"});
    TMyCAD cad;
    std::vector<QString> created;
    cad.OnNewLayer = [&](int, const QString& name, bool visible) {
        EXPECT_TRUE(visible);
        created.push_back(name);
    };
    ASSERT_TRUE(ImportBytes(cad, file).Ok);
    EXPECT_EQ(created, std::vector<QString>({"Walls", "Doors"}));
    ASSERT_EQ(cad.GetLayersCount(), 3);
    const int walls = cad.GetLayerIdByName("Walls"), doors = cad.GetLayerIdByName("Doors");
    EXPECT_EQ(cad.GetShapeByNo(0)->LayerId(), walls);
    EXPECT_EQ(cad.GetShapeByNo(1)->LayerId(), walls); // unknown layer: the current one stays
    EXPECT_EQ(cad.GetShapeByNo(2)->LayerId(), doors);
    EXPECT_EQ(cad.CurrentLayerId(), doors);
}

TEST(DxfImport, ArcCircleAndEllipse)
{
    const double r10 = 10 * std::numbers::pi / 180;
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({"0", "ARC", "10", "0", "20", "0", "40", "10", "50", "350", "51", "10",
                                                  "0", "CIRCLE", "10", "5", "20", "6", "40", "2", "0", "ELLIPSE", "10",
                                                  "0", "20", "0", "11", "4", "21", "0", "40", "0.5", "41", "0", "42",
                                                  "6.2831853", "0", "ELLIPSE", "10", "0", "20", "0", "11", "4", "21",
                                                  "0", "40", "0.5", "41", "0", "42", "3.14159"}))
                    .Ok);
    ASSERT_EQ(cad.GetShapesCount(), 3); // the half ellipse makes nothing
    const auto* arc = qobject_cast<const TMyElliArc*>(cad.GetShapeByNo(0));
    ASSERT_TRUE(arc);
    EXPECT_EQ(arc->ArcMode(), amCircle);
    EXPECT_POINT(P(arc, 0), 10 * std::cos(r10), 10 * std::sin(r10));
    EXPECT_POINT(P(arc, 1), 10, 0); // (350 + 10) / 2 + 180 = 360
    EXPECT_POINT(P(arc, 2), 10 * std::cos(-r10), 10 * std::sin(-r10));
    const TMyShape* circle = cad.GetShapeByNo(1);
    EXPECT_EQ(circle->ClassName(), "TMyEllipse");
    EXPECT_POINT(P(circle, 0), 3, 4);
    EXPECT_POINT(P(circle, 1), 7, 4);
    EXPECT_POINT(P(circle, 2), 7, 8);
    EXPECT_POINT(P(circle, 3), 3, 8);
    const TMyShape* ellipse = cad.GetShapeByNo(2);
    EXPECT_POINT(P(ellipse, 0), -4, -2);
    EXPECT_POINT(P(ellipse, 2), 4, 2);
    EXPECT_EQ(ellipse->Angle(), 0);
}

TEST(DxfImport, ArcsAreCircularWhateverTheDrawingsArcMode)
{
    TMyCAD cad;
    cad.SetArcMode(amEllipse);
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({"0", "ARC", "40", "1", "50", "0", "51", "90"})).Ok);
    EXPECT_EQ(qobject_cast<const TMyElliArc*>(cad.GetShapeByNo(0))->ArcMode(), amCircle);
}

TEST(DxfImport, TurnedEllipseAndMirroredPlane)
{
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({"0", "ELLIPSE", "10", "10", "20", "10", "11", "3", "21", "3", "40",
                                                  "0.5", "0", "CIRCLE", "10", "5", "20", "0", "40", "1", "210", "0",
                                                  "220", "0", "230", "-1"}))
                    .Ok);
    const TMyShape* e = cad.GetShapeByNo(0);
    EXPECT_NEAR(e->Angle(), std::numbers::pi / 4, 1e-6);
    EXPECT_NEAR(e->GetMyWidth(), 2 * std::sqrt(18.0), 1e-3);
    EXPECT_NEAR(e->GetMyHeight(), std::sqrt(18.0), 1e-3);
    EXPECT_POINT(e->ComputeCenterPoint(4), 10, 10);
    // Seen from below the plane, x is mirrored: the circle's centre is at x = -5.
    EXPECT_POINT(cad.GetShapeByNo(1)->ComputeCenterPoint(4), -5, 0);
}

TEST(DxfImport, SolidCornersInDxfOrderAndDimension)
{
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({"0", "SOLID", "10", "0", "20", "0", "11", "10", "21", "0", "12", "0",
                                                  "22", "5", "13", "10", "23", "5", "0", "SOLID", "10", "0", "20", "0",
                                                  "11", "4", "21", "0", "12", "2", "22", "3", "0", "DIMENSION", "10",
                                                  "1", "20", "2", "11", "3", "21", "4", "13", "5", "23", "6", "14",
                                                  "7", "24", "8"}))
                    .Ok);
    const TMyShape* quad = cad.GetShapeByNo(0);
    EXPECT_EQ(quad->ClassName(), "TMyPolygon");
    ASSERT_EQ(quad->GetPointsCount(), 5);
    EXPECT_POINT(P(quad, 0), 0, 0);
    EXPECT_POINT(P(quad, 1), 10, 0);
    EXPECT_POINT(P(quad, 2), 10, 5);
    EXPECT_POINT(P(quad, 3), 0, 5);
    EXPECT_POINT(P(quad, 4), 0, 0);
    EXPECT_EQ(cad.GetShapeByNo(1)->GetPointsCount(), 4); // a triangle, closed
    const TMyShape* dim = cad.GetShapeByNo(2);
    EXPECT_EQ(dim->ClassName(), "TMyPolyLine");
    ASSERT_EQ(dim->GetPointsCount(), 5);
    EXPECT_POINT(P(dim, 0), 5, 6);
    EXPECT_POINT(P(dim, 1), 5, 2);
    EXPECT_POINT(P(dim, 2), 3, 2);
    EXPECT_POINT(P(dim, 3), 1, 2);
    EXPECT_POINT(P(dim, 4), 7, 8);
}

TEST(DxfImport, TextBoxFittedToItsInfo)
{
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({"0", "TEXT", "10", "20", "20", "30", "40", "2.5", "1",
                                                  "Size 10%%d", "0", "TEXT", "10", "0", "20", "0", "50", "90", "1",
                                                  "Up"}))
                    .Ok);
    const auto* text = qobject_cast<const TMyText*>(cad.GetShapeByNo(0));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Info(), QString::fromUtf8("Size 10\u00b0"));
    EXPECT_EQ(text->Font()->Size(), 8);
    // Without extents the drawing is the DXF mirrored top to bottom: the box hangs below
    // its insertion point.
    EXPECT_POINT(P(text, 0), 20, 30);
    EXPECT_GT(P(text, 1).X, 20);
    EXPECT_EQ(P(text, 1).Y, 30);
    EXPECT_GT(P(text, 3).Y, 30);
    // A turned text turns about its insertion point.
    const TMyShape* up = cad.GetShapeByNo(1);
    EXPECT_NEAR(up->Angle(), std::numbers::pi / 2, 1e-6);
    EXPECT_POINT(P(up, 0), 0, 0);
}

TEST(DxfImport, TextOnAFlippedCanvasSitsOnItsBaseline)
{
    const QByteArray file = Dxf({"0", "SECTION", "2", "HEADER", "9", "$EXTMIN", "10", "0", "20", "0", "9", "$EXTMAX",
                                 "10", "100", "20", "100", "0", "ENDSEC"})
                            + EntitiesSection({"0", "TEXT", "10", "0", "20", "0", "50", "30", "1", "Base"});
    TMyCAD cad;
    cad.resize(400, 400);
    ASSERT_TRUE(ImportBytes(cad, file).Ok);
    const TMyShape* text = cad.GetShapeByNo(0);
    // (0, 0) is the canvas's bottom-left corner, where the text's bottom-left lies; the
    // text rises to the right, which on the canvas is a negative (counter-clockwise) angle.
    EXPECT_POINT(P(text, 3), 0, 400);
    EXPECT_NEAR(std::remainder(text->Angle() + std::numbers::pi / 6, 2 * std::numbers::pi), 0, 1e-5);
}

TEST(DxfImport, PolylinesAndLightweightPolylines)
{
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({
                                     "0", "POLYLINE", "66", "1", "70", "1", "0", "VERTEX", "10", "0", "20", "0", "0",
                                     "VERTEX", "10", "4", "20", "0", "0", "VERTEX", "10", "4", "20", "3", "0", "SEQEND",
                                     // Spline fit: only the fitted vertices (flag 8) show.
                                     "0", "POLYLINE", "70", "4", "0", "VERTEX", "10", "9", "70", "16", "0", "VERTEX",
                                     "10", "1", "70", "8", "0", "VERTEX", "10", "2", "70", "8", "0", "SEQEND",
                                     // Spline fit without fitted vertices: nothing.
                                     "0", "POLYLINE", "70", "4", "0", "VERTEX", "10", "9", "70", "16", "0", "SEQEND",
                                     // Curve fit keeps all its vertices.
                                     "0", "POLYLINE", "70", "2", "0", "VERTEX", "10", "1", "0", "VERTEX", "10", "2",
                                     "70", "1", "0", "VERTEX", "10", "3", "0", "SEQEND",
                                     "0", "LWPOLYLINE", "90", "3", "70", "1", "10", "0", "20", "0", "10", "2", "20", "0",
                                     "42", "1", "10", "2", "20", "2"}))
                    .Ok);
    ASSERT_EQ(cad.GetShapesCount(), 4);
    const TMyShape* closed = cad.GetShapeByNo(0);
    ASSERT_EQ(closed->GetPointsCount(), 4);
    EXPECT_POINT(P(closed, 3), 0, 0);
    EXPECT_EQ(cad.GetShapeByNo(1)->GetPointsCount(), 2);
    EXPECT_EQ(cad.GetShapeByNo(2)->GetPointsCount(), 3);
    const TMyShape* lw = cad.GetShapeByNo(3);
    EXPECT_EQ(lw->ClassName(), "TMyPolyLine");
    ASSERT_EQ(lw->GetPointsCount(), 4); // the bulge is a straight segment with the switch off
    EXPECT_POINT(P(lw, 2), 2, 2);
    EXPECT_POINT(P(lw, 3), 0, 0);
}

TEST(DxfImport, CommaDecimalsAndValuesThatAreNoNumbers)
{
    TMyCAD cad;
    ASSERT_TRUE(ImportBytes(cad, EntitiesSection({"0", "LINE", "10", "1,5", "20", "  2.5  ", "11", "abc", "21", "1e400"}))
                    .Ok);
    const TMyShape* s = cad.GetShapeByNo(0);
    EXPECT_POINT(P(s, 0), 1.5, 2.5);
    EXPECT_POINT(P(s, 1), 0, 0);
}

TEST(DxfImport, FirstUsableBlockAtItsOwnCoordinates)
{
    const QByteArray file = Dxf({"0", "SECTION", "2", "BLOCKS",
                                 // Anonymous: nothing collected.
                                 "0", "BLOCK", "2", "*U1", "70", "1", "10", "0", "20", "0", "0", "LINE", "10", "9",
                                 "11", "9", "0", "ENDBLK",
                                 // Empty: goes on.
                                 "0", "BLOCK", "2", "EMPTY", "70", "0", "0", "ENDBLK",
                                 "0", "BLOCK", "2", "FIRST", "70", "0", "10", "100", "20", "100", "0", "CIRCLE",
                                 "10", "100", "20", "100", "40", "1", "0", "INSERT", "2", "EMPTY", "0", "LINE", "10",
                                 "1", "11", "2", "0", "ENDBLK",
                                 "0", "BLOCK", "2", "SECOND", "70", "0", "0", "LINE", "10", "5", "0", "ENDBLK",
                                 "0", "ENDSEC"})
                            + EntitiesSection({"0", "INSERT", "2", "FIRST", "10", "50", "20", "50"});
    TMyCAD cad;
    const TImportResult r = ImportBytes(cad, file);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.Entities, 2);
    ASSERT_EQ(cad.GetShapesCount(), 2);
    EXPECT_POINT(P(cad.GetShapeByNo(0), 0), 99, 99);
    EXPECT_EQ(cad.GetShapeByNo(1)->ClassName(), "TMyLine");
}

TEST(DxfImport, FailureLeavesTheDrawingAsItWas)
{
    TMyCAD cad;
    AddRect(cad, 0, 0, 10, 10);
    const int shapes = cad.GetShapesCount(), layers = cad.GetLayersCount(), next = cad.NextShapeId();
    const QByteArray file = Dxf({"0", "SECTION", "2", "TABLES", "0", "LAYER", "2", "New", "0", "ENDSEC"})
                            + EntitiesSection({"0", "LINE", "11", "1", "0", "POLYLINE", "0", "VERTEX", "10", "1", "0",
                                               "LINE"});
    TDXF2DImport import(file, &cad);
    EXPECT_FALSE(import.ReadDXF());
    EXPECT_TRUE(import.ReadFailed());
    EXPECT_EQ(import.LastError(), "Invalid DXF file.");
    EXPECT_EQ(cad.GetShapesCount(), shapes);
    EXPECT_EQ(cad.GetLayersCount(), layers);
    EXPECT_EQ(cad.NextShapeId(), next);
    EXPECT_EQ(cad.GetLayerIdByName("New"), -1);
    // SetReadFailed only stores; a good file clears the flag.
    import.SetReadFailed(false);
    EXPECT_FALSE(import.ReadFailed());
    TDXF2DImport good(EntitiesSection({"0", "LINE"}), &cad);
    good.SetReadFailed(true);
    EXPECT_TRUE(good.ReadDXF());
    EXPECT_FALSE(good.ReadFailed());
    EXPECT_TRUE(TDXF2DImport(QStringLiteral("/no/such.dxf"), &cad).IsOpen() == false);
    TDXF2DImport none(EntitiesSection({"0", "LINE"}), nullptr);
    EXPECT_FALSE(none.ReadDXF());
    EXPECT_FALSE(none.ReadFailed());
}

TEST(DxfImport, NoLayerIsReportedOnceAndAddsNothing)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    TMyCAD cad;
    cad.DeleteAllLayers();
    QByteArray entities;
    for (int i = 0; i < 50; ++i)
        entities += Dxf({"0", "LINE", "10", "1"});
    TDXF2DImport import(Dxf({"0", "SECTION", "2", "ENTITIES"}) + entities + Dxf({"0", "ENDSEC", "0", "EOF"}), &cad);
    EXPECT_FALSE(import.ReadDXF());
    EXPECT_EQ(import.LastError(), "Error!There is no Layer!");
    EXPECT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(cad.GetShapesCount(), 0);
    // With a LAYER table the shapes have somewhere to go.
    TDXF2DImport withLayer(Dxf({"0", "SECTION", "2", "TABLES", "0", "LAYER", "2", "L", "0", "ENDSEC"})
                               + EntitiesSection({"0", "LINE"}),
                           &cad);
    EXPECT_TRUE(withLayer.ReadDXF());
    EXPECT_EQ(cad.GetShapesCount(), 1);
    EXPECT_EQ(cad.GetShapeByNo(0)->LayerId(), cad.GetLayerIdByName("L"));
}

TEST(DxfImport, ProgressIsReportedAndCanCancel)
{
    QByteArray entities;
    for (int i = 0; i < 2000; ++i)
        entities += Dxf({"0", "LINE", "10", "1", "20", "2", "11", "3", "21", "4"});
    const QByteArray file = Dxf({"0", "SECTION", "2", "ENTITIES"}) + entities + Dxf({"0", "ENDSEC", "0", "EOF"});
    TMyCAD cad;
    TDXF2DImport import(file, &cad);
    std::vector<qint64> positions;
    import.OnProgress = [&](qint64 position, qint64 size, bool&) {
        EXPECT_EQ(size, file.size());
        positions.push_back(position);
    };
    ASSERT_TRUE(import.ReadDXF());
    EXPECT_GE(positions.size(), 50u);
    EXPECT_LE(positions.size(), 101u);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));

    TMyCAD other;
    TDXF2DImport cancelled(file, &other);
    cancelled.OnProgress = [](qint64 position, qint64 size, bool& cancel) { cancel = position > size / 2; };
    EXPECT_FALSE(cancelled.ReadDXF());
    EXPECT_TRUE(cancelled.Cancelled());
    EXPECT_EQ(other.GetShapesCount(), 0);
}

TEST(DxfImport, GoToSection)
{
    TMyCAD cad;
    TDXF2DImport import(Dxf({"0", "SECTION", "2", "HEADER", "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0",
                             "ENDSEC", "0", "EOF"}),
                        &cad);
    EXPECT_TRUE(import.GoToSection(scEntities));
    EXPECT_TRUE(import.GoToSection(scHeader));
    EXPECT_FALSE(import.GoToSection(scBlocks));
}
