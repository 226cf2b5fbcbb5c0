// TMyCAD: splitting a connector where another connector ends on it or where a junction
// is placed on it. The split connector keeps its first part and ends on the junction; a
// new connector carries the rest from the junction to the old end. Points are document
// units unless noted.
#include "component/document/MyCAD.h"

#include "component/shapes/AllShapes.h"

#include <cmath>

int TMyCAD::IsBreakLineByAPoint(TMyPoint& P, TMyLinkLine*& L, const TMyLinkLine* Skip)
{
    L = nullptr;
    const double tolerance = FHotSize;
    for (const auto& owned : FShapes) {
        auto* line = qobject_cast<TMyLinkLine*>(owned.get());
        if (!line || line == Skip)
            continue;
        const TArrMyPoint& points = line->Points();
        for (size_t j = 0; j + 1 < points.size(); ++j) {
            const TMyPoint a = points[j], b = points[j + 1];
            const bool between = TMyLinkLine::IsLineHV(a, b) == 2
                                     ? (a.Y < P.Y && P.Y < b.Y) || (b.Y < P.Y && P.Y < a.Y)
                                     : (a.X < P.X && P.X < b.X) || (b.X < P.X && P.X < a.X);
            if (!between)
                continue;
            if (TMyLinkLine::IsLineHV(a, b) == 2 && std::abs(double(P.X) - a.X) <= tolerance) {
                P.X = a.X;
            } else if (TMyLinkLine::IsLineHV(a, b) == 1 && std::abs(double(P.Y) - a.Y) <= tolerance) {
                P.Y = a.Y;
            } else {
                continue;
            }
            L = line;
            return int(j);
        }
    }
    return -1;
}

namespace {
// The next shape of a kind, numbered and named as the drawing numbers new shapes.
template <typename TKind>
std::unique_ptr<TKind> NewShape(TMyCAD& Cad, TDrawTool Tool)
{
    std::unique_ptr<TMyShape> made = Cad.CreateShapeBySpTool(Tool);
    auto* kind = dynamic_cast<TKind*>(made.get());
    if (!kind)
        return nullptr;
    made.release();
    std::unique_ptr<TKind> shape(kind);
    shape->SetShapeId(Cad.NextShapeId());
    shape->SetShapeNo(Cad.GetShapesCount());
    shape->SetName(QStringLiteral("Shape%1").arg(Cad.NextShapeId()));
    return shape;
}

// Adds the shape; its pointer, or nothing when the drawing refused it.
template <typename TKind>
TKind* Add(TMyCAD& Cad, std::unique_ptr<TKind>& Shape)
{
    TKind* added = Shape.get();
    std::unique_ptr<TMyShape> owned = std::move(Shape);
    if (Cad.AddShape(owned, false, false))
        return added;
    Shape.reset(static_cast<TKind*>(owned.release()));
    return nullptr;
}
} // namespace

// The remainder of L after its point n: a new connector from P over L's later points to
// L's end, which takes L's end attachment (the shape there lists it instead of L, unless
// L's start is on that shape too); L now ends at P, free. The remainder, or nothing when
// the drawing refused it (L is then unchanged).
static TMyLinkLine* SplitOff(TMyCAD& Cad, TMyLinkLine* L, int n, TMyPoint P)
{
    std::unique_ptr<TMyLinkLine> rest = NewShape<TMyLinkLine>(Cad, SpLinkLine);
    if (!rest)
        return nullptr;
    TArrMyPoint& points = rest->PointsRef();
    points.push_back(P);
    points.insert(points.end(), L->Points().begin() + n + 1, L->Points().end());
    const int endNo = L->EndSpNo(), endPt = L->EndSpPtId();
    TMyLinkLine* N = Add(Cad, rest);
    if (!N)
        return nullptr;
    N->TMyShape::Drawed(TPoint(), TPoint()); // its centre and caption point
    Cad.AttachConnectorEnd(N, llEnd, endNo, endPt);
    Cad.AttachConnectorEnd(L, llEnd, -1, -1);
    TArrMyPoint& kept = L->PointsRef();
    kept.resize(size_t(n) + 1);
    kept.push_back(P);
    return N;
}

bool TMyCAD::BreakLine(TMyLinkLine* D, TMyPoint P, int n, TMyLinkLine* L)
{
    return BreakLineAt(D, TMyPoint(float(P.X / FZoom), float(P.Y / FZoom)), n, L);
}

bool TMyCAD::BreakLineAt(TMyLinkLine* D, TMyPoint P, int n, TMyLinkLine* L)
{
    if (n < 0 || !L || L == D || n + 1 >= L->GetPointsCount() || GetShapeNoInMyShapes(L) < 0)
        return false;
    PushtoUndoRedoShapeList({L}, UndoActionName(TUndoAction::Change));
    // The remainder first, then the junction; both get the next identifiers.
    TMyLinkLine* N = SplitOff(*this, L, n, P);
    if (!N)
        return false;
    PushtoUndoRedoShapeList({N}, UndoActionName(TUndoAction::Add));
    std::unique_ptr<TMyLineLinkLine> junction = NewShape<TMyLineLinkLine>(*this, SpLineLinkLine);
    if (!junction)
        return false;
    junction->AddPointByMouse(TPoint(Round(P.X * FZoom), Round(P.Y * FZoom)));
    junction->TMyShape::Drawed(TPoint(), TPoint());
    TMyLineLinkLine* J = ::Add(*this, junction);
    if (!J)
        return false;
    // The drawn connector ends on the junction, which lists the remainder, the split
    // connector, then the drawn one.
    if (D) {
        D->SetEndSpNo(J->ShapeNo());
        D->SetEndSpPtId(0);
        if (D->GetPointsCount() > 0)
            D->SetPoint(D->GetPointsCount() - 1, P);
    }
    AttachConnectorEnd(N, llStart, J->ShapeNo(), 0);
    PushtoUndoRedoShapeList({J}, UndoActionName(TUndoAction::Add));
    AttachConnectorEnd(L, llEnd, J->ShapeNo(), 0);
    if (D && GetShapeNoInMyShapes(D) >= 0) {
        AddLinklineShape(J, D->ShapeNo());
        PushtoUndoRedoShapeList({D}, UndoActionName(TUndoAction::Add));
    }
    Invalidate();
    return true;
}

bool TMyCAD::BreakLineByAPoint(TMyPoint P, TMyLinkLine* L, TMyLineLinkLine* J, int n)
{
    if (n < 0 || !L || !J || n + 1 >= L->GetPointsCount() || GetShapeNoInMyShapes(L) < 0 ||
        GetShapeNoInMyShapes(J) < 0 || J->GetLinkPointsCount() < 1)
        return false;
    PushtoUndoRedoShapeList({L}, UndoActionName(TUndoAction::Change));
    TMyLinkLine* N = SplitOff(*this, L, n, P);
    if (!N)
        return false;
    AttachConnectorEnd(N, llStart, J->ShapeNo(), 0);
    PushtoUndoRedoShapeList({N}, UndoActionName(TUndoAction::Add));
    AttachConnectorEnd(L, llEnd, J->ShapeNo(), 0);
    Invalidate();
    return true;
}
