// TDXF2DImport: the entities read with ExtendedEntities: inserts of blocks, polyline
// bulges, partial ellipses, MTEXT, SPLINE, POINT and HATCH boundaries.
#include "component/dxf/DXFImport.h"

#include "component/document/MyCAD.h"
#include "component/dxf/DXFHatch.h"
#include "component/dxf/DXFNumbers.h"
#include "component/dxf/DXFSpline.h"
#include "component/dxf/DXFText.h"
#include "component/shapes/AllShapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const QString kPolyLine = QStringLiteral("TMyPolyLine");
const QString kPolyBezier = QStringLiteral("TMyPolyBezier");
const QString kBLine = QStringLiteral("TMyBLine");
const QString kEllipse = QStringLiteral("TMyEllipse");

constexpr int kMaxInsertDepth = 16;
constexpr int kMaxRepeats = 10000; // columns times rows of one insert

std::string_view Trimmed(std::string_view Text)
{
    return DXFNumbers::TrimBlanks(Text);
}

} // namespace

void TDXF2DImport::ReadBulgedPath(const std::vector<TVertex>& Vertices, bool Closed, TShapes& Out)
{
    const bool bulged = std::any_of(Vertices.begin(), Vertices.end(), [](const TVertex& v) { return v.Bulge != 0; });
    if (!bulged) {
        if (auto shape = PolylineOf(Vertices, Closed))
            Out.push_back(std::move(shape));
        return;
    }
    // Straight runs become polylines, each bulged segment an arc.
    std::vector<TVertex> run;
    auto flush = [&] {
        if (run.size() >= 2)
            Out.push_back(PolylineOf(run, false));
        run.clear();
    };
    const size_t n = Vertices.size();
    const size_t segments = Closed ? n : n - 1;
    run.push_back(Vertices[0]);
    for (size_t i = 0; i < segments; ++i) {
        const TVertex& a = Vertices[i];
        const TVertex& b = Vertices[(i + 1) % n];
        const TVec2 p1{a.X, a.Y}, p2{b.X, b.Y};
        if (a.Bulge == 0 || (p1.X == p2.X && p1.Y == p2.Y)) {
            run.push_back({b.X, b.Y, 0});
            continue;
        }
        flush();
        const TVec2 middle = BulgeMiddle(p1, p2, a.Bulge);
        // Counter-clockwise from its start for a positive bulge.
        Out.push_back(a.Bulge > 0 ? ArcShape(p1, middle, p2) : ArcShape(p2, middle, p1));
        run.push_back({b.X, b.Y, 0});
    }
    flush();
}

void TDXF2DImport::ReadPartialEllipse2D(const TGroupTable& Groups, TShapes& Out)
{
    const TVec2 centre{Groups.Real(10), Groups.Real(20)};
    const TVec2 major{Groups.Real(11), Groups.Real(21)};
    const double ratio = Groups.Real(40);
    const TVec2 minor{-major.Y * ratio, major.X * ratio};
    // The parameter counts round the ellipse: the start is kept within one turn.
    const double given = Groups.Real(41, 0);
    const double start = std::fmod(given, 2 * std::numbers::pi);
    const double end = start + CounterClockwiseTurn(given, Groups.Real(42, 2 * std::numbers::pi));
    std::vector<TVec2> bezier;
    EllipticArcBezier(centre, major, minor, start, end, bezier);
    auto shape = NewShape(kPolyBezier);
    TArrMyPoint& p = shape->PointsRef();
    for (const TVec2& v : bezier)
        p.push_back(Map(v));
    Out.push_back(std::move(shape));
}

void TDXF2DImport::ReadMText2D(const TGroupTable& Groups, TShapes& Out)
{
    // The text comes in pieces: groups 3 in order, then group 1.
    QByteArray bytes;
    std::string_view last;
    for (const TDXFGroup& g : FCurrent->EntryGroups()) {
        if (g.Code == 3)
            bytes.append(g.Value.Text.data(), qsizetype(g.Value.Text.size()));
        else if (g.Code == 1)
            last = g.Value.Text;
    }
    bytes.append(last.data(), qsizetype(last.size()));
    const QStringList lines = MTextLines(DecodeDxfText(std::string_view(bytes.constData(), size_t(bytes.size())), FUtf8));
    // The direction vector, when given, decides the rotation.
    double degrees = Groups.Real(50);
    if (Groups.Has(11) && (Groups.Real(11) != 0 || Groups.Real(21) != 0))
        degrees = std::atan2(Groups.Real(21), Groups.Real(11)) * 180 / std::numbers::pi;
    Out.push_back(TextShape({Groups.Real(10), Groups.Real(20)}, degrees, QString(), lines, Groups.Integer(71, 1)));
}

void TDXF2DImport::ReadSpline2D(const TGroupTable& Groups, TShapes& Out)
{
    std::vector<double> knots, weights;
    std::vector<TVec2> control, fit;
    for (const TDXFGroup& g : FCurrent->EntryGroups()) {
        switch (g.Code) {
        case 40: knots.push_back(g.Value.Real); break;
        case 41: weights.push_back(g.Value.Real); break;
        case 10: control.push_back({g.Value.Real, 0}); break;
        case 20:
            if (!control.empty())
                control.back().Y = g.Value.Real;
            break;
        case 11: fit.push_back({g.Value.Real, 0}); break;
        case 21:
            if (!fit.empty())
                fit.back().Y = g.Value.Real;
            break;
        default: break;
        }
    }
    std::vector<TVec2> bezier;
    if (!SplineToBezier(Groups.Integer(71, 3), knots, control, weights, bezier)) {
        if (fit.size() < 2)
            return;
        // A spline given by its fit points alone: the interpolating B-line through them
        // (a B-line takes any number of points).
        auto shape = NewShape(kBLine);
        TArrMyPoint& p = shape->PointsRef();
        for (const TVec2& v : fit)
            p.push_back(Map(v));
        Out.push_back(std::move(shape));
        return;
    }
    auto shape = NewShape(kPolyBezier);
    TArrMyPoint& p = shape->PointsRef();
    p.reserve(bezier.size());
    for (const TVec2& v : bezier)
        p.push_back(Map(v));
    Out.push_back(std::move(shape));
}

void TDXF2DImport::ReadPoint2D(const TGroupTable& Groups, TShapes& Out)
{
    // A dot of one document unit around the point.
    const TMyPoint c = Map(Groups.Real(10), Groups.Real(20));
    auto shape = NewShape(kEllipse);
    shape->PointsRef() = {TMyPoint(c.X - 1, c.Y - 1), TMyPoint(c.X + 1, c.Y - 1), TMyPoint(c.X + 1, c.Y + 1),
                          TMyPoint(c.X - 1, c.Y + 1)};
    Out.push_back(std::move(shape));
}

void TDXF2DImport::ReadHatch2D(const TGroupTable&, TShapes& Out)
{
    for (const std::vector<TVec2>& loop : HatchBoundaries(FCurrent->EntryGroups())) {
        auto shape = NewShape(kPolyLine);
        TArrMyPoint& p = shape->PointsRef();
        p.reserve(loop.size() + 1);
        for (const TVec2& v : loop)
            p.push_back(Map(v));
        if (!(p.back() == p.front()))
            p.push_back(p.front());
        Out.push_back(std::move(shape));
    }
}

bool TDXF2DImport::ReadInsert(const TGroupTable& Groups, std::vector<TPendingShape>& Out)
{
    std::string name(Trimmed(Groups.Text(2)));
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    const auto found = FBlocks.find(name);
    // A block that does not exist, or that inserts itself, places nothing.
    if (found == FBlocks.end() || int(FInsertStack.size()) >= kMaxInsertDepth
        || std::find(FInsertStack.begin(), FInsertStack.end(), name) != FInsertStack.end())
        return true;
    const TBlock block = found->second;
    const double sx = Groups.Real(41, 1), sy = Groups.Real(42, 1);
    const double rotation = Groups.Real(50) * std::numbers::pi / 180;
    const int columns = std::clamp(Groups.Integer(70, 1), 1, kMaxRepeats);
    const int rows = std::clamp(Groups.Integer(71, 1), 1, kMaxRepeats / columns);
    const double columnSpacing = Groups.Real(44), rowSpacing = Groups.Real(45);
    const TAffine2D outer = FEntityMap.After(TAffine2D::Translation(Groups.Real(10), Groups.Real(20)))
                                .After(TAffine2D::Rotation(rotation));
    const TAffine2D inner = TAffine2D::Scaling(sx, sy).After(TAffine2D::Translation(-block.BaseX, -block.BaseY));

    const TAffine2D savedMap = FBlockMap;
    const int savedLayer = FInsertLayer;
    TDXFRead* savedReader = FCurrent;
    FInsertStack.push_back(name);
    bool ok = true;
    for (int row = 0; row < rows && ok; ++row) {
        for (int column = 0; column < columns && ok; ++column) {
            if (FInsertedEntities >= FMaxInserted)
                break;
            FBlockMap = outer.After(TAffine2D::Translation(column * columnSpacing, row * rowSpacing)).After(inner);
            FInsertLayer = FCurrentLayer;
            TDXFRead reader(*FReader, block.Begin, block.End);
            FCurrent = &reader;
            while (ok && reader.HasGroup() && FInsertedEntities < FMaxInserted) {
                if (reader.GroupCode() != 0) {
                    reader.ConsumeGroup();
                    continue;
                }
                ok = ReadEntity(Out);
            }
            FCurrentLayer = FInsertLayer;
        }
    }
    FInsertStack.pop_back();
    FCurrent = savedReader;
    FBlockMap = savedMap;
    FInsertLayer = savedLayer;
    return ok;
}
