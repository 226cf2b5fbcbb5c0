// The DXF text the export writes: the file skeleton, handles and group order of every
// exported kind, coordinates and numbers, and what it leaves out.
#include "DxfTestSupport.h"
#include "support/RecordingUIServices.h"

#include "component/dxf/DXFNumbers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <limits>
#include <numbers>
#include <gtest/gtest.h>

namespace {

// A drawing whose control is 600 pixels high.
struct TDrawing600 {
    TMyCAD cad;
    TDrawing600() { cad.resize(800, 600); }
    TMyShape* Add(const char* cls, TArrMyPoint points)
    {
        TMyShape* s = cad.CreateAddShapeByName(QString::fromLatin1(cls), nullptr);
        s->PointsRef() = std::move(points);
        s->SetCenterPoint(s->ComputeCenterPoint(4));
        return s;
    }
    QStringList Lines(bool outlines = false) const { return DxfLines(ExportBytes(cad, outlines)); }
};

QStringList Entities(const QStringList& lines)
{
    // Between "2 ENTITIES" and "0 ENDSEC".
    return lines.mid(4, lines.size() - 8);
}

} // namespace

TEST(DxfExport, EmptyDrawingIsTheEightLines)
{
    TMyCAD cad;
    EXPECT_EQ(ExportBytes(cad), QByteArray("0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n"));
}

TEST(DxfExport, LineGroupsAndCoordinates)
{
    TDrawing600 d;
    d.Add("TMyLine", {TMyPoint(0, 0), TMyPoint(378, 0)});
    EXPECT_EQ(Entities(d.Lines()), QStringList({"0", "LINE", "5", "20", "8", "0", "10", "0", "20", "158.75", "30",
                                                "0.0", "11", "100.0125", "21", "158.75", "31", "0.0"}));
}

TEST(DxfExport, RectangleHandlesAndClosedPolyline)
{
    TDrawing600 d;
    d.Add("TMyRectangle", {TMyPoint(0, 0), TMyPoint(378, 0), TMyPoint(378, 600), TMyPoint(0, 600)});
    d.Add("TMyLine", {TMyPoint(0, 600), TMyPoint(0, 600)});
    const QStringList e = Entities(d.Lines());
    const QStringList head = {"0", "POLYLINE", "5", "20", "8", "0", "66", "1", "10", "0.0", "20", "0.0", "30", "0.0",
                              "70", "1"};
    EXPECT_EQ(e.mid(0, head.size()), head);
    const QStringList vertex2 = {"0", "VERTEX", "5", "22", "8", "0", "10", "100.0125", "20", "158.75", "30", "0.0"};
    EXPECT_EQ(e.mid(head.size() + 12, 12), vertex2);
    const QStringList tail = {"0", "SEQEND", "5", "25", "8", "0", "0", "LINE", "5", "26"};
    EXPECT_EQ(e.mid(head.size() + 48, tail.size()), tail);
}

TEST(DxfExport, PolylineIsOneLinePerSegmentAndPolygonKeepsItsClosingVertex)
{
    TDrawing600 d;
    d.Add("TMyPolyLine", {TMyPoint(0, 0), TMyPoint(10, 0), TMyPoint(10, 10), TMyPoint(0, 10)});
    QStringList e = Entities(d.Lines());
    EXPECT_EQ(e.count("LINE"), 3);
    EXPECT_EQ(e.count("POLYLINE"), 0);

    TDrawing600 p;
    p.Add("TMyPolygon", {TMyPoint(0, 0), TMyPoint(37.8f, 0), TMyPoint(0, 37.8f), TMyPoint(0, 0)});
    e = Entities(p.Lines());
    EXPECT_EQ(e.count("VERTEX"), 4);
    // The first and the closing vertex are both there.
    const int first = int(e.indexOf("VERTEX"));
    const int last = int(e.lastIndexOf("VERTEX"));
    EXPECT_EQ(e.mid(first + 5, 6), e.mid(last + 5, 6));
}

TEST(DxfExport, EllipseAsCircleOrPolylineOf181Vertices)
{
    TDrawing600 d;
    // Semi-axes 50 and 49.6: a circle of radius 50 / S at the centre.
    d.Add("TMyEllipse", {TMyPoint(0, 0), TMyPoint(100, 0), TMyPoint(100, 99.2f), TMyPoint(0, 99.2f)});
    QStringList e = Entities(d.Lines());
    ASSERT_EQ(e.mid(0, 2), QStringList({"0", "CIRCLE"}));
    EXPECT_EQ(e[int(e.indexOf("40")) + 1], "13.2291666666667");

    TDrawing600 f;
    f.Add("TMyEllipse", {TMyPoint(0, 0), TMyPoint(180, 0), TMyPoint(180, 100), TMyPoint(0, 100)});
    e = Entities(f.Lines());
    EXPECT_EQ(e.mid(0, 16), QStringList({"0", "POLYLINE", "5", "20", "8", "0", "10", "0", "20", "145.520833333333",
                                         "30", "0.0", "66", "1", "70", "8"}));
    EXPECT_EQ(e.count("VERTEX"), 181);
    // Layer before handle in these vertices, and the 3-D vertex flag.
    EXPECT_EQ(e.mid(16, 14), QStringList({"0", "VERTEX", "8", "0", "5", "21", "10", "0", "20", "145.520833333333", "30",
                                          "0.0", "70", "32"}));
    // Half way: the lowest point on the screen (the ellipse's bottom, y = 100).
    const int v45 = 16 + 45 * 14;
    EXPECT_EQ(e.mid(v45 + 6, 4), QStringList({"10", "23.8125", "20", "132.291666666667"}));
    EXPECT_EQ(e.mid(int(e.size()) - 6, 2), QStringList({"0", "SEQEND"}));
}

TEST(DxfExport, ArcGetsItsCircleAndTheHalfItDraws)
{
    TDrawing600 d;
    // Start (100, 300), through (200, 200), to (300, 300): the upper half of the circle
    // about (200, 300), drawn clockwise on the screen from the start.
    d.Add("TMyElliArc", {TMyPoint(100, 300), TMyPoint(200, 200), TMyPoint(300, 300)});
    QStringList e = Entities(d.Lines());
    EXPECT_EQ(e, QStringList({"0", "ARC", "5", "20", "8", "0", "10", "52.9166666666667", "20", "79.375", "30", "0.0",
                              "40", "26.4583333333333", "50", "0", "51", "180"}));
    // Through (200, 400) instead: the lower half, drawn by the second pass.
    TDrawing600 s;
    s.Add("TMyElliArc", {TMyPoint(100, 300), TMyPoint(200, 400), TMyPoint(300, 300)});
    e = Entities(s.Lines());
    EXPECT_EQ(e.mid(14, 4), QStringList({"50", "180", "51", "0"}));
    // An end point exactly above the centre gets the angle 90: from the right, clockwise
    // on the screen through the left to the top.
    TDrawing600 q;
    q.Add("TMyElliArc", {TMyPoint(300, 300), TMyPoint(100, 300), TMyPoint(200, 200)});
    e = Entities(q.Lines());
    EXPECT_EQ(e.mid(14, 4), QStringList({"50", "90", "51", "0"}));
    // From the left to the top through the right: the second pass, three quarters.
    TDrawing600 t;
    t.Add("TMyElliArc", {TMyPoint(100, 300), TMyPoint(300, 300), TMyPoint(200, 200)});
    e = Entities(t.Lines());
    EXPECT_EQ(e.mid(14, 4), QStringList({"50", "180", "51", "90"}));
}

TEST(DxfExport, ArcStylesAndStraightArcs)
{
    TDrawing600 d;
    auto* chord = static_cast<TMyElliArc*>(d.Add("TMyElliArc", {TMyPoint(100, 300), TMyPoint(200, 200), TMyPoint(300, 300)}));
    chord->SetArcStyle(asChord);
    auto* sector = static_cast<TMyElliArc*>(d.Add("TMyElliArc", {TMyPoint(100, 300), TMyPoint(200, 200), TMyPoint(300, 300)}));
    sector->SetArcStyle(asSector);
    d.Add("TMyElliArc", {TMyPoint(0, 0), TMyPoint(10, 0), TMyPoint(5, 0)});   // straight: a line to the end
    d.Add("TMyElliArc", {TMyPoint(0, 0), TMyPoint(10, 10), TMyPoint(12, 12)}); // no circle: nothing
    const QStringList e = Entities(d.Lines());
    EXPECT_EQ(e.count("ARC"), 2);
    EXPECT_EQ(e.count("LINE"), 1 + 2 + 1);
    const int last = int(e.lastIndexOf("LINE"));
    EXPECT_EQ(e.mid(last + 5, 8), QStringList({"10", "0", "20", "158.75", "30", "0.0", "11", "1.32291666666667"}));
}

TEST(DxfExport, EllipseModeArcAndBezierAreOpenCurves)
{
    TDrawing600 d;
    auto* conic = static_cast<TMyElliArc*>(d.Add("TMyElliArc", {TMyPoint(0, 0), TMyPoint(100, 0), TMyPoint(100, 100)}));
    conic->SetArcMode(amEllipse);
    QStringList e = Entities(d.Lines());
    // |A| = |P0 - 2 P1 + 2 P2| = 200: n = round(sqrt(20000)) = 141, so 142 vertices.
    EXPECT_EQ(e.count("VERTEX"), 142);
    EXPECT_EQ(e[int(e.indexOf("70")) + 1], "0");
    // The ends are exactly P0 and P2.
    const int firstX = int(e.indexOf("VERTEX")) + 6;
    EXPECT_EQ(e[firstX], "0");
    const int lastX = int(e.lastIndexOf("VERTEX")) + 6;
    EXPECT_EQ(e.mid(lastX, 3), QStringList({"26.4583333333333", "20", "132.291666666667"}));

    TDrawing600 b;
    b.Add("TMyPolyBezier", {TMyPoint(0, 0), TMyPoint(0, 100), TMyPoint(100, 100), TMyPoint(100, 0)});
    e = Entities(b.Lines());
    EXPECT_EQ(e[int(e.indexOf("70")) + 1], "0");
    EXPECT_GT(e.count("VERTEX"), 10);
    const int bezierLast = int(e.lastIndexOf("VERTEX")) + 6;
    EXPECT_EQ(e.mid(bezierLast, 3), QStringList({"26.4583333333333", "20", "158.75"}));
}

TEST(DxfExport, JunctionIsTwoCircles)
{
    TDrawing600 d;
    d.Add("TMyLineLinkLine", {TMyPoint(100, 100), TMyPoint(112, 100), TMyPoint(112, 112), TMyPoint(100, 112)});
    const QStringList e = Entities(d.Lines());
    EXPECT_EQ(e, QStringList({"0", "CIRCLE", "5", "20", "8", "0", "10", "28.0458333333333", "20", "130.704166666667",
                              "30", "0.0", "40", "1.5875", "0", "CIRCLE", "5", "21", "8", "0", "10",
                              "28.0458333333333", "20", "130.704166666667", "30", "0.0", "40", "0.79375"}));
}

TEST(DxfExport, TextsTheirAngleHeightAndLineOrder)
{
    TDrawing600 d;
    TMyShape* t = d.Add("TMyText", {TMyPoint(0, 0), TMyPoint(100, 0), TMyPoint(100, 30), TMyPoint(0, 30)});
    t->SetInfo(QStringLiteral("Hi"));
    TFont font;
    font.SetHeight(-15);
    t->SetFont(&font);
    QStringList e = Entities(d.Lines());
    EXPECT_EQ(e, QStringList({"0", "TEXT", "5", "20", "8", "0", "10", "0", "20", "150.8125", "30", "0.0", "40",
                              "3.96875", "50", "0", "1", "Hi"}));

    // A text turned by pi/2 (clockwise on the screen) reads downwards: 270 in DXF's
    // counter-clockwise degrees.
    TDrawing600 r;
    TMyShape* turned = r.Add("TMyText", {TMyPoint(0, 0), TMyPoint(100, 0), TMyPoint(100, 30), TMyPoint(0, 30)});
    turned->SetInfo(QStringLiteral("Hi"));
    turned->StoreAngle(float(std::numbers::pi / 2));
    e = Entities(r.Lines());
    EXPECT_EQ(e[int(e.indexOf("50")) + 1], "270");

    // Lines: one TEXT each, the first line on top.
    TDrawing600 m;
    auto* lines = static_cast<TMyText*>(m.Add("TMyText", {TMyPoint(0, 0), TMyPoint(100, 0), TMyPoint(100, 60), TMyPoint(0, 60)}));
    lines->SetLines({QStringLiteral("one"), QStringLiteral("two\rwith\nbreaks"), QStringLiteral("caf\u00e9")});
    const QByteArray bytes = ExportBytes(m.cad);
    EXPECT_TRUE(bytes.contains("\r\n1\r\ntwo with breaks\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n1\r\ncaf\xe9\r\n")); // Windows-1252
    e = DxfLines(bytes);
    QList<double> ys;
    for (qsizetype i = 0; i + 1 < e.size(); ++i)
        if (e[i] == "TEXT")
            ys.append(e[i + 8].toDouble());
    ASSERT_EQ(ys.size(), 3);
    EXPECT_GT(ys[0], ys[1]);
    EXPECT_GT(ys[1], ys[2]);
    EXPECT_DOUBLE_EQ(ys[2], (600 - 60) / TDXFExport::S);
}

TEST(DxfExport, PositionsAreTheSameAtEveryZoom)
{
    TMyCAD cad;
    TMyShape* s = cad.CreateAddShapeByName(QStringLiteral("TMyLine"), nullptr);
    s->PointsRef() = {TMyPoint(10, 20), TMyPoint(200, 300)};
    const QByteArray atOne = ExportBytes(cad);
    cad.SetZoom(2.5);
    EXPECT_EQ(ExportBytes(cad), atOne);
}

TEST(DxfExport, SkipsShapesWithoutPointsOrWithPointsThatAreNotFinite)
{
    TDrawing600 d;
    d.Add("TMyLine", {});
    d.Add("TMyLine", {TMyPoint(0, 0), TMyPoint(std::numeric_limits<float>::infinity(), 0)});
    d.Add("TMyRectangle", {TMyPoint(0, 0), TMyPoint(std::nanf(""), 0), TMyPoint(1, 1), TMyPoint(0, 1)});
    d.Add("TMyRuleLine", {TMyPoint(0, 0), TMyPoint(10, 0)});
    d.Add("TMyLine", {TMyPoint(0, 0), TMyPoint(1, 1)});
    const QStringList e = Entities(d.Lines());
    EXPECT_EQ(e.count("LINE"), 1);
    EXPECT_EQ(e.mid(0, 4), QStringList({"0", "LINE", "5", "20"}));
}

TEST(DxfExport, EveryKindWritesItsEntities)
{
    TMyCAD cad;
    BuildEveryKind(cad);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TDXFExport writer(cad, buffer);
    ASSERT_TRUE(writer.Write());
    // Line, 2 of the polyline, rectangle, polygon, ellipse polyline, circle, arc, conic,
    // Bezier, 2 of the connector, 2 circles of the junction, text; rule and free lines none.
    EXPECT_EQ(writer.EntityCount(), 15);
}

TEST(DxfExport, TextOutlinesFromPathPoints)
{
    TMyCAD cad;
    cad.SetZoom(2);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TDXFExport writer(cad, buffer, true);
    // Two figures in screen pixels at zoom 2: a triangle closed by its last vertex, and a
    // single segment; the Bezier kind in between writes nothing.
    writer.WriteOutline({{0, 0}, {20, 0}, {20, 20}, {0, 0}, {2, 2}, {6, 6}},
                        {PT_MOVETO, PT_LINETO, PT_LINETO, PT_BEZIERTO, PT_LINETO | PT_CLOSEFIGURE, PT_MOVETO});
    ASSERT_TRUE(writer.Write());
    const QStringList e = DxfLines(bytes);
    EXPECT_EQ(e.count("POLYLINE"), 2);
    EXPECT_EQ(e.count("SEQEND"), 2);
    EXPECT_EQ(e.count("VERTEX"), 5);
    EXPECT_EQ(e.mid(0, 16), QStringList({"0", "POLYLINE", "5", "20", "8", "0", "66", "1", "10", "0.0", "20", "0.0",
                                         "30", "0.0", "70", "1"}));
    // Screen pixels divided by the zoom: (20, 0) at zoom 2 is (10, 0) in the drawing.
    char y[64];
    *DXFNumbers::FormatGeneral(y, TDXFExport::DocumentHeight(cad) / TDXFExport::S) = 0;
    EXPECT_EQ(e.mid(16 + 12 + 6, 4), QStringList({"10", "2.64583333333333", "20", QString::fromLatin1(y)}));
}

// SaveToDxf1: the glyphs of a text as closed polylines, in document units at every zoom.
TEST(DxfExport, TextOutlinesOfATextShape)
{
    TMyCAD cad;
    auto* text = static_cast<TMyText*>(cad.CreateAddShapeByName(QStringLiteral("TMyText"), nullptr));
    text->PointsRef() = {TMyPoint(100, 100), TMyPoint(220, 100), TMyPoint(220, 140), TMyPoint(100, 140)};
    text->SetLines({QStringLiteral("IO")});
    // At zoom 1 and 2 (where the glyphs are flattened finer) every vertex lies in the box.
    for (double zoom : {1.0, 2.0}) {
        cad.SetZoom(zoom);
        const QStringList e = DxfLines(ExportBytes(cad, true));
        EXPECT_EQ(e.count("TEXT"), 0);
        EXPECT_GE(e.count("POLYLINE"), 3); // the I, and the O's outer and inner contours
        EXPECT_EQ(e.count("POLYLINE"), e.count("SEQEND"));
        int vertices = 0;
        for (qsizetype i = 0; i + 8 < e.size(); ++i) {
            if (e[i] != "VERTEX")
                continue;
            ++vertices;
            const double x = e[i + 6].toDouble() * TDXFExport::S;
            const double y = TDXFExport::DocumentHeight(cad) - e[i + 8].toDouble() * TDXFExport::S;
            EXPECT_TRUE(x >= 99 && x <= 221 && y >= 99 && y <= 141) << x << ", " << y << " at zoom " << zoom;
        }
        EXPECT_GE(vertices, 12);
    }
}

namespace {

// A device that takes the first Room bytes and then refuses to write.
class TFullDevice : public QIODevice {
public:
    explicit TFullDevice(qint64 Room) : FRoom(Room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 n) override
    {
        if (n > FRoom)
            return -1;
        FRoom -= n;
        return n;
    }

private:
    qint64 FRoom;
};

} // namespace

TEST(DxfExport, WriteFailuresAreReported)
{
    TMyCAD cad;
    for (int i = 0; i < 2000; ++i) {
        TMyShape* s = cad.CreateAddShapeByName(QStringLiteral("TMyLine"), nullptr);
        s->PointsRef() = {TMyPoint(float(i), 0), TMyPoint(float(i), 100)};
    }
    TFullDevice full(1000);
    TDXFExport writer(cad, full);
    EXPECT_FALSE(writer.Write());

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("drawing.dxf"));
    ASSERT_TRUE(cad.SaveToDxf(file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), ExportBytes(cad));
    f.close();
    // Replaced by a later export; a folder that does not exist fails and writes nothing.
    TMyCAD empty;
    ASSERT_TRUE(empty.SaveToDxf(file));
    EXPECT_EQ(QFileInfo(file).size(), ExportBytes(empty).size());
    EXPECT_FALSE(cad.SaveToDxf(dir.filePath(QStringLiteral("missing/drawing.dxf"))));
    EXPECT_FALSE(cad.SaveToDxf(dir.path()));
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
    EXPECT_TRUE(cad.SaveToDxf1(file));
}
