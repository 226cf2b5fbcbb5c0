// TDXF2DImport: one entity into shapes; the readers of the entity kinds.
#include "component/dxf/DXFImport.h"

#include "component/base/Geometry.h"
#include "component/document/MyCAD.h"
#include "component/dxf/DXFNumbers.h"
#include "component/dxf/DXFText.h"
#include "component/render/TextOut.h"
#include "component/shapes/AllShapes.h"
#include "platform/Canvas.h"

#include <cmath>
#include <numbers>

namespace {

const QString kLine = QStringLiteral("TMyLine");
const QString kPolyLine = QStringLiteral("TMyPolyLine");
const QString kPolygon = QStringLiteral("TMyPolygon");
const QString kEllipse = QStringLiteral("TMyEllipse");
const QString kElliArc = QStringLiteral("TMyElliArc");
const QString kText = QStringLiteral("TMyText");

constexpr double kDegree = std::numbers::pi / 180;

std::string_view Trimmed(std::string_view Text)
{
    return DXFNumbers::TrimBlanks(Text);
}

// The kinds whose coordinates lie in the entity's own plane: an extrusion direction
// pointing down the z axis mirrors their x.
bool UsesObjectPlane(std::string_view Name)
{
    return Name == "ARC" || Name == "CIRCLE" || Name == "TEXT" || Name == "SOLID" || Name == "LWPOLYLINE"
           || Name == "POLYLINE" || Name == "INSERT" || Name == "HATCH";
}

} // namespace

std::unique_ptr<TMyShape> TDXF2DImport::NewShape(const QString& ClassName) const
{
    return FTarget->CreateShapeByName(ClassName, FTarget);
}

void TDXF2DImport::SetEntityMap(const TGroupTable& Groups)
{
    FEntityMap = FBlockMap;
    const bool mirrored = Groups.Real(230, 1) < 0 && std::fabs(Groups.Real(210)) < 1.0 / 64
                          && std::fabs(Groups.Real(220)) < 1.0 / 64;
    if (mirrored && UsesObjectPlane(Trimmed(Groups.Text(0))))
        FEntityMap = FBlockMap.After(TAffine2D::Scaling(-1, 1));
    FPlainMap = FEntityMap.IsIdentity();
}

TMyPoint TDXF2DImport::Map(double X, double Y)
{
    if (!FPlainMap) {
        const TVec2 p = FEntityMap.Map({X, Y});
        X = p.X;
        Y = p.Y;
    }
    const TMyPoint p = mm2Pixel(X, Y);
    if (!std::isfinite(p.X) || !std::isfinite(p.Y))
        FBadPoint = true;
    return p;
}

TVec2 TDXF2DImport::MapVector(TVec2 V) const
{
    const TVec2 v = FPlainMap ? V : FEntityMap.MapVector(V);
    return {v.X * FScalex, v.Y * FScaley};
}

// ---- One entity --------------------------------------------------------------------------

bool TDXF2DImport::ReadEntity(std::vector<TPendingShape>& Out)
{
    TDXFRead& r = *FCurrent;
    FTable.Clear();
    r.ReadAnEntry(0, FTable);
    const std::string_view name = Trimmed(FTable.Text(0));
    const std::string_view layer = Trimmed(FTable.Text(8));
    if (FTable.Has(8))
        SelectLayer(layer);
    // Entities of a block on layer "0" take the layer of the insert that places them.
    if (!FInsertStack.empty() && (layer == "0" || !FTable.Has(8)))
        FCurrentLayer = FInsertLayer;
    if (FExtendedEntities && FInsertStack.empty() && FTable.Integer(67) == 1)
        return true; // paper space
    if (!FInsertStack.empty())
        ++FInsertedEntities;
    SetEntityMap(FTable);
    FBadPoint = false;

    TShapes shapes;
    auto add = [&shapes](std::unique_ptr<TMyShape> s) {
        if (s)
            shapes.push_back(std::move(s));
    };
    if (name == "LINE") {
        add(ReadLine2D(FTable));
    } else if (name == "LWPOLYLINE") {
        bool closed = false;
        const std::vector<TVertex> vertices = LWPolylineVertices(closed);
        if (FExtendedEntities)
            ReadBulgedPath(vertices, closed, shapes);
        else
            add(PolylineOf(vertices, closed));
    } else if (name == "CIRCLE") {
        add(ReadCircle2D(FTable));
    } else if (name == "ARC") {
        add(ReadArc2D(FTable));
    } else if (name == "TEXT") {
        add(ReadText2D(FTable));
    } else if (name == "POLYLINE") {
        std::vector<TVertex> vertices;
        bool closed = false;
        if (!ReadPolylineVertices(FTable, vertices, closed))
            return false;
        if (FExtendedEntities)
            ReadBulgedPath(vertices, closed, shapes);
        else
            add(PolylineOf(vertices, closed));
    } else if (name == "ELLIPSE") {
        std::unique_ptr<TMyShape> full = ReadEllipse2D(FTable);
        if (full)
            add(std::move(full));
        else if (FExtendedEntities)
            ReadPartialEllipse2D(FTable, shapes);
    } else if (name == "SOLID") {
        add(ReadSolid2D(FTable));
    } else if (name == "DIMENSION") {
        add(ReadDIMENSION2D(FTable));
    } else if (FExtendedEntities) {
        if (name == "INSERT")
            return ReadInsert(FTable, Out);
        if (name == "MTEXT")
            ReadMText2D(FTable, shapes);
        else if (name == "SPLINE")
            ReadSpline2D(FTable, shapes);
        else if (name == "POINT")
            ReadPoint2D(FTable, shapes);
        else if (name == "HATCH")
            ReadHatch2D(FTable, shapes);
    }
    // An entity with a point beyond the range of document coordinates makes nothing.
    if (FBadPoint || shapes.empty())
        return true;
    ++FImportedEntities;
    for (auto& s : shapes)
        Out.push_back({std::move(s), FCurrentLayer});
    return true;
}

// ---- The kinds -----------------------------------------------------------------------------

std::unique_ptr<TMyShape> TDXF2DImport::ReadLine2D(const TGroupTable& Groups)
{
    auto shape = NewShape(kLine);
    shape->PointsRef() = {Map(Groups.Real(10), Groups.Real(20)), Map(Groups.Real(11), Groups.Real(21))};
    return shape;
}

std::unique_ptr<TMyShape> TDXF2DImport::ArcShape(TVec2 Start, TVec2 Middle, TVec2 End)
{
    auto shape = NewShape(kElliArc);
    // Points in the order end, middle, start; always a circular arc, whatever mode the
    // drawing gives new arcs.
    static_cast<TMyElliArc*>(shape.get())->SetArcMode(amCircle);
    shape->PointsRef() = {Map(End), Map(Middle), Map(Start)};
    return shape;
}

std::unique_ptr<TMyShape> TDXF2DImport::ReadArc2D(const TGroupTable& Groups)
{
    const double cx = Groups.Real(10), cy = Groups.Real(20), r = Groups.Real(40);
    const double s = Groups.Real(50) * kDegree, e = Groups.Real(51) * kDegree;
    double m = (s + e) / 2;
    if (s >= e)
        m += std::numbers::pi;
    auto at = [&](double a) { return TVec2{cx + r * std::cos(a), cy + r * std::sin(a)}; };
    return ArcShape(at(s), at(m), at(e));
}

std::unique_ptr<TMyShape> TDXF2DImport::EllipseShape(TVec2 C, TVec2 U, TVec2 V)
{
    auto shape = NewShape(kEllipse);
    TArrMyPoint& p = shape->PointsRef();
    const TVec2 u = MapVector(U), v = MapVector(V);
    if (u.Y == 0 && v.X == 0) {
        // Axis-parallel: the corners of its box, mapped.
        p = {Map(C.X - U.X - V.X, C.Y - U.Y - V.Y), Map(C.X + U.X - V.X, C.Y + U.Y - V.Y),
             Map(C.X + U.X + V.X, C.Y + U.Y + V.Y), Map(C.X - U.X + V.X, C.Y - U.Y + V.Y)};
        return shape;
    }
    const TMyPoint c = Map(C);
    if (u.X == 0 && v.Y == 0) {
        // Parallel to the axes with the axes exchanged: an upright box.
        const double hw = std::fabs(v.X), hh = std::fabs(u.Y);
        p = {TMyPoint(float(c.X - hw), float(c.Y - hh)), TMyPoint(float(c.X + hw), float(c.Y - hh)),
             TMyPoint(float(c.X + hw), float(c.Y + hh)), TMyPoint(float(c.X - hw), float(c.Y + hh))};
        return shape;
    }
    // Turned: the box of its axes, turned to the major axis.
    const TEllipseAxes axes = EllipseAxes(u, v);
    const double a = axes.Major, b = axes.Minor;
    p = {TMyPoint(float(c.X - a), float(c.Y - b)), TMyPoint(float(c.X + a), float(c.Y - b)),
         TMyPoint(float(c.X + a), float(c.Y + b)), TMyPoint(float(c.X - a), float(c.Y + b))};
    if (axes.Angle != 0)
        shape->RotateChangeValueByAngle(c, float(axes.Angle));
    return shape;
}

std::unique_ptr<TMyShape> TDXF2DImport::ReadCircle2D(const TGroupTable& Groups)
{
    const double r = Groups.Real(40);
    return EllipseShape({Groups.Real(10), Groups.Real(20)}, {r, 0}, {0, r});
}

std::unique_ptr<TMyShape> TDXF2DImport::ReadEllipse2D(const TGroupTable& Groups)
{
    const double start = Groups.Real(41, 0), end = Groups.Real(42, 2 * std::numbers::pi);
    // Only a full ellipse; an end parameter within 1e-6 of a full turn counts as one.
    if (std::fabs(end - start - 2 * std::numbers::pi) > 1e-6)
        return nullptr;
    const TVec2 major{Groups.Real(11), Groups.Real(21)};
    const double ratio = Groups.Real(40);
    return EllipseShape({Groups.Real(10), Groups.Real(20)}, major, {-major.Y * ratio, major.X * ratio});
}

std::unique_ptr<TMyShape> TDXF2DImport::ReadSolid2D(const TGroupTable& Groups)
{
    auto shape = NewShape(kPolygon);
    TArrMyPoint& p = shape->PointsRef();
    // The corners in DXF's order 10, 11, 13, 12: the third and fourth corners are stored
    // the other way round, so that the literal order would draw a bow-tie.
    p.push_back(Map(Groups.Real(10), Groups.Real(20)));
    p.push_back(Map(Groups.Real(11), Groups.Real(21)));
    const TMyPoint third = Map(Groups.Real(12), Groups.Real(22));
    if (Groups.Has(13)) {
        const TMyPoint fourth = Map(Groups.Real(13), Groups.Real(23));
        if (!(fourth == third))
            p.push_back(fourth);
    }
    p.push_back(third);
    p.push_back(p.front());
    return shape;
}

std::unique_ptr<TMyShape> TDXF2DImport::ReadDIMENSION2D(const TGroupTable& Groups)
{
    auto shape = NewShape(kPolyLine);
    shape->PointsRef() = {Map(Groups.Real(13), Groups.Real(23)), Map(Groups.Real(13), Groups.Real(20)),
                          Map(Groups.Real(11), Groups.Real(20)), Map(Groups.Real(10), Groups.Real(20)),
                          Map(Groups.Real(14), Groups.Real(24))};
    return shape;
}

std::unique_ptr<TMyShape> TDXF2DImport::TextShape(TVec2 Insertion, double Degrees, const QString& Info,
                                                  const QStringList& Lines, int Attachment)
{
    auto shape = NewShape(kText);
    auto* text = static_cast<TMyText*>(shape.get());
    text->SetFont(FDefaultFont.get());
    const TMyPoint q = Map(Insertion);
    // The text's direction and its up on the canvas: the angle turns the shape, and the
    // box lies on the side of the baseline that the text's up maps to.
    const double r = Degrees * kDegree;
    const TVec2 dir = MapVector({std::cos(r), std::sin(r)});
    const TVec2 up = MapVector({-std::sin(r), std::cos(r)});
    double theta = std::atan2(dir.Y, dir.X);
    if (!std::isfinite(theta))
        theta = 0;
    const bool upIsUp = (up.X * std::sin(theta) - up.Y * std::cos(theta)) > 0;
    TArrMyPoint& p = text->PointsRef();
    if (Lines.isEmpty()) {
        text->SetInfo(Info);
        p = {q, TMyPoint(), TMyPoint(), TMyPoint()};
        text->reCaclpoints(FCanvas.get());
        if (upIsUp) {
            // The insertion point is the start of the baseline: the box's bottom-left.
            const float w = p[1].X - p[0].X, h = p[3].Y - p[0].Y;
            p = {TMyPoint(q.X, q.Y - h), TMyPoint(q.X + w, q.Y - h), TMyPoint(q.X + w, q.Y), q};
        }
    } else {
        text->SetLines(Lines);
        double w = 0, lineHeight = 0;
        for (const QString& line : Lines) {
            const TSize size = GetTextWidthHeight(FCanvas.get(), line, text->Font(), 1.0, 0.0);
            w = std::max(w, double(size.cx));
            lineHeight = std::max(lineHeight, double(size.cy));
        }
        const double h = lineHeight * double(Lines.size());
        const int column = (std::clamp(Attachment, 1, 9) - 1) % 3, row = (std::clamp(Attachment, 1, 9) - 1) / 3;
        static const TAlignment kColumns[3] = {taLeftJustify, taCenter, taRightJustify};
        static const TVAlignment kRows[3] = {vaTop, vaMiddle, vaBottom};
        text->SetHAlignment(kColumns[column]);
        text->SetVAlignment(kRows[row]);
        const double fromTop = row * 0.5 * h;
        const double x0 = q.X - column * 0.5 * w;
        const double y0 = upIsUp ? q.Y - fromTop : q.Y - (h - fromTop);
        p = {TMyPoint(float(x0), float(y0)), TMyPoint(float(x0 + w), float(y0)),
             TMyPoint(float(x0 + w), float(y0 + h)), TMyPoint(float(x0), float(y0 + h))};
    }
    // A text turns about its insertion point.
    if (theta != 0)
        text->RotateChangeValueByAngle(q, float(theta));
    return shape;
}

std::unique_ptr<TMyShape> TDXF2DImport::ReadText2D(const TGroupTable& Groups)
{
    return TextShape({Groups.Real(10), Groups.Real(20)}, Groups.Real(50), DecodeDxfText(Groups.Text(1), FUtf8), {}, 0);
}

std::unique_ptr<TMyShape> TDXF2DImport::PolylineOf(const std::vector<TVertex>& Vertices, bool Closed)
{
    if (Vertices.empty())
        return nullptr;
    auto shape = NewShape(kPolyLine);
    TArrMyPoint& p = shape->PointsRef();
    p.reserve(Vertices.size() + 1);
    for (const TVertex& v : Vertices)
        p.push_back(Map(v.X, v.Y));
    // Closed: back to the first vertex, unless the last one is there already.
    if (Closed && p.size() > 1 && !(p.back() == p.front()))
        p.push_back(p.front());
    return shape;
}

bool TDXF2DImport::ReadPolylineVertices(const TGroupTable& Groups, std::vector<TVertex>& Vertices, bool& Closed)
{
    const int flags = Groups.Integer(70, 0);
    Closed = (flags & 1) != 0;
    const bool splineFit = (flags & 4) != 0;
    const bool polyface = (flags & 64) != 0;
    TDXFRead& r = *FCurrent;
    bool fitted = false;
    while (r.IsGroup(0, "VERTEX")) {
        FVertexTable.Clear();
        r.ReadAnEntry(0, FVertexTable);
        const int vertexFlags = FVertexTable.Integer(70, 0);
        // A spline-fit polyline shows its fitted vertices (bit 8), not its frame; a
        // polyface mesh lists its face records (bit 128 without bit 64) after its points.
        // A curve-fit polyline keeps all its vertices: they all lie on the fitted curve.
        if (splineFit && (vertexFlags & 8) == 0)
            continue;
        if (polyface && (vertexFlags & 64) == 0)
            continue;
        fitted = true;
        Vertices.push_back({FVertexTable.Real(10), FVertexTable.Real(20), FVertexTable.Real(42)});
    }
    if (!r.IsGroup(0, "SEQEND"))
        return false;
    FVertexTable.Clear();
    r.ReadAnEntry(0, FVertexTable);
    if (!fitted)
        Vertices.clear();
    return true;
}

std::unique_ptr<TMyShape> TDXF2DImport::ReadPolyline2D(const TGroupTable& Groups, bool& Ok)
{
    std::vector<TVertex> vertices;
    bool closed = false;
    Ok = ReadPolylineVertices(Groups, vertices, closed);
    return Ok ? PolylineOf(vertices, closed) : nullptr;
}

std::vector<TDXF2DImport::TVertex> TDXF2DImport::LWPolylineVertices(bool& Closed) const
{
    std::vector<TVertex> vertices;
    Closed = false;
    for (const TDXFGroup& g : FCurrent->EntryGroups()) {
        switch (g.Code) {
        case 70: Closed = (g.Value.Integer & 1) != 0; break;
        case 10: vertices.push_back({g.Value.Real, 0, 0}); break;
        case 20:
            if (!vertices.empty())
                vertices.back().Y = g.Value.Real;
            break;
        case 42:
            if (!vertices.empty())
                vertices.back().Bulge = g.Value.Real;
            break;
        default: break;
        }
    }
    return vertices;
}

std::unique_ptr<TMyShape> TDXF2DImport::ReadLWPolyline2D(const TGroupTable&)
{
    bool closed = false;
    return PolylineOf(LWPolylineVertices(closed), closed);
}
