// TMyCAD: connectors: their ends attached to link points, their creation by code, their
// following of the shapes they hang on, the router's entry points, the hops of a paint
// pass, and the merging of a line drawn between two line ends into one polyline.
#include "component/document/MyCAD.h"

#include "component/base/Geometry.h"
#include "component/document/HopScope.h"
#include "component/editing/ConnectorRouter.h"
#include "component/editing/InteractionState.h"
#include "component/shapes/AllShapes.h"

#include <algorithm>
#include <utility>

void AddLinklineShape(TMyShape* S, int No)
{
    if (!S || No < 0)
        return;
    TMyShapeNo& list = S->LinkLineNos();
    if (std::find(list.begin(), list.end(), uint32_t(No)) == list.end())
        list.push_back(uint32_t(No));
}

void RemoveLinklineShape(TMyShape* S, int No)
{
    if (!S || No < 0 || !S->HasLinkShapes())
        return;
    TMyShapeNo& list = S->LinkLineNos();
    const auto it = std::find(list.rbegin(), list.rend(), uint32_t(No));
    if (it != list.rend())
        list.erase(std::next(it).base());
}

// ---- Ends -------------------------------------------------------------------------------------

void TMyCAD::AttachConnectorEnd(TMyLinkLine* L, TLinkLineEndPoint End, int No, int PtId)
{
    if (!L)
        return;
    const bool start = End == llStart;
    const int old = start ? L->StartSpNo() : L->EndSpNo();
    const int other = start ? L->EndSpNo() : L->StartSpNo();
    if (start) {
        L->SetStartSpNo(No);
        L->SetStartSpPtId(PtId);
    } else {
        L->SetEndSpNo(No);
        L->SetEndSpPtId(PtId);
    }
    // The lists name the connector by its number: only a connector of the drawing is listed.
    const int self = GetShapeNoInMyShapes(L);
    if (self < 0)
        return;
    if (old != No && old != other)
        RemoveLinklineShape(GetShapeByNo(old), self);
    if (No != self)
        AddLinklineShape(GetShapeByNo(No), self);
}

void TMyCAD::GetMainShape(TMyLinkLine* Line, TLinkLineEndPoint End, TMyPoint P)
{
    if (!Line)
        return;
    int no = -1, id = -1;
    InWhichShapeWhichHotLinkId(no, id, P);
    AttachConnectorEnd(Line, End, no, id);
}

int TMyCAD::IsinHotLink(const TMyShape* S, TPoint P) const
{
    if (!S)
        return -1;
    int found = -1;
    for (int i = 0; i < S->GetLinkPointsCount(); ++i) {
        const TPoint c = MyPtToPt(S->GetLinkPointInZoom(i));
        if (PtInRect(TRect(c.X - 5, c.Y - 5, c.X + 5, c.Y + 5), P))
            found = i;
    }
    return found;
}

int TMyCAD::IsLinked(const TMyShape* A, const TMyShape* B) const
{
    if (!A || !B)
        return -1;
    const TMyShapeNo& inB = B->LinkLineNos();
    for (uint32_t no : A->LinkLineNos())
        if (std::find(inB.begin(), inB.end(), no) != inB.end())
            if (const TMyShape* line = GetShapeByNo(int(no)))
                return line->GetShapeId();
    return -1;
}

// ---- Creation by code -------------------------------------------------------------------------

int TMyCAD::CreateLink(const QString& Name, TMyShape* A, int a, TMyShape* B, int b)
{
    const int noA = A ? GetShapeNoInMyShapes(A) : -1, noB = B ? GetShapeNoInMyShapes(B) : -1;
    if (noA < 0 || noB < 0 || a < 0 || a >= A->GetLinkPointsCount() || b < 0 || b >= B->GetLinkPointsCount())
        return -1;
    auto line = std::make_unique<TMyLinkLine>(this);
    line->StoreLinkLineDrawStyle(FLinkLineDrawStyle);
    TMyLinkLine* made = line.get();
    const QPointer<TMyShape> previous = Interaction().CurrentShape;
    Interaction().CurrentShape = made;
    FRouter->Route(nullptr, made, A, A->GetLinkPoint(a), B, B->GetLinkPoint(b), dNone);
    made->SetName(Name);
    made->SetShapeId(FNextShapeId);
    made->SetShapeNo(GetShapesCount());
    made->SetLayerId(FCurrentLayerId);
    made->SetStartSpNo(noA);
    made->SetStartSpPtId(a);
    made->SetEndSpNo(noB);
    made->SetEndSpPtId(b);
    std::unique_ptr<TMyShape> shape = std::move(line);
    if (!AddShape(shape, false, false)) {
        // Nothing is left behind: no list names the connector, the current shape is back.
        Interaction().CurrentShape = previous;
        return -1;
    }
    AddLinklineShape(A, made->ShapeNo());
    AddLinklineShape(B, made->ShapeNo());
    TMyShape* current = made;
    Fire(OnShapeAdded, current, GetShapesCount());
    int result = -1;
    // The handler may name another shape, or have freed the connector: only a shape the
    // drawing still holds is recorded and selected (found without touching the pointer).
    const bool held = current && std::any_of(FShapes.begin(), FShapes.end(),
                                             [current](const auto& owned) { return owned.get() == current; });
    if (held) {
        PushtoUndoRedoShapeList({current}, UndoActionName(TUndoAction::Add));
        result = current->GetShapeId();
        RemoveAllWorkingShapes();
        AddWorkingShapes(current);
    }
    Invalidate();
    Interaction().CurrentShape = nullptr;
    return result;
}

// ---- Following ---------------------------------------------------------------------------------

namespace {
// The direction of the step from A to B when it runs along one axis, else dNone.
Tdirections AxisOf(TMyPoint A, TMyPoint B)
{
    const TArrDirAndPoints moves = TConnectorRouter::GetDirAndPoints(A, B, dNone);
    return moves.size() == 1 ? moves.front().Dir : dNone;
}
} // namespace

void TMyCAD::ChangeLinkShapes(TMyShape* S)
{
    if (!S)
        return;
    GeometryChanged(S);
    // Members first; a damaged drawing whose members loop is walked only so deep.
    std::vector<std::pair<TMyShape*, int>> pending{{S, 0}};
    std::vector<TMyShape*> order;
    while (!pending.empty()) {
        auto [shape, depth] = pending.back();
        pending.pop_back();
        order.push_back(shape);
        if (depth >= GetShapesCount())
            continue;
        for (uint32_t member : std::as_const(*shape).ChildNos())
            if (TMyShape* m = GetShapeByNo(int(member)); m && m != shape)
                pending.push_back({m, depth + 1});
    }
    // This walk lists a shape before its members, the last member's tree first; reversed
    // it gives each shape after its members, the first member's tree first.
    std::reverse(order.begin(), order.end());
    for (TMyShape* shape : order) {
        const int no = shape->ShapeNo();
        const TMyShapeNo connectors = std::as_const(*shape).LinkLineNos(); // routing never changes it
        for (uint32_t c : connectors) {
            auto* line = qobject_cast<TMyLinkLine*>(GetShapeByNo(int(c)));
            if (!line || line == shape)
                continue; // a number that names no connector (a damaged file)
            if (line->GetPointsCount() <= 3)
                line->SetAutoRoute(true);
            if (line->AutoRoute() || line->GetPointsCount() < 4) {
                const TMyShape* a = line->GetStartShape();
                const TMyShape* b = line->GetEndShape();
                const TMyPoint pa = a ? a->GetLinkPoint(line->StartSpPtId()) : line->GetPoint(0);
                const TMyPoint pb = b ? b->GetLinkPoint(line->EndSpPtId()) : line->GetPoint(line->GetPointsCount() - 1);
                FRouter->Route(nullptr, line, const_cast<TMyShape*>(a), pa, const_cast<TMyShape*>(b), pb, dNone);
                continue;
            }
            // A route shaped by hand: only the end on this shape is laid again.
            if (line->StartAttached() && line->StartSpNo() == no) {
                const TArrMyPoint p = line->Points();
                const TArrMyPoint kept(p.begin() + 3, p.end());
                const Tdirections d = AxisOf(p[2], p[3]);
                line->PointsRef().clear();
                FRouter->Route(nullptr, line, shape, shape->GetLinkPoint(line->StartSpPtId()), nullptr, p[3], d);
                line->PointsRef().insert(line->PointsRef().end(), kept.begin(), kept.end());
            }
            if (line->EndAttached() && line->EndSpNo() == no && line->GetPointsCount() >= 4) {
                const TArrMyPoint p = line->Points();
                const size_t n = p.size();
                const TArrMyPoint kept(p.begin(), p.begin() + ptrdiff_t(n - 3));
                FRouter->Route(nullptr, line, shape, shape->GetLinkPoint(line->EndSpPtId()), nullptr, p[n - 4], dNone);
                TArrMyPoint route = line->Points();
                std::reverse(route.begin(), route.end());
                TArrMyPoint& points = line->PointsRef();
                points = kept;
                points.insert(points.end(), route.begin(), route.end());
            }
        }
    }
}

// ---- The router -------------------------------------------------------------------------------

TArrDirAndPoints TMyCAD::GetDirAndPoints(TMyPoint A, TMyPoint B, Tdirections D) const
{
    return TConnectorRouter::GetDirAndPoints(A, B, D);
}

TMyShape* TMyCAD::GetCombineAtPoint(TPoint P, int Margin)
{
    return FRouter->GetCombineAtPoint(P, Margin);
}

TDirAndPoint TMyCAD::GetDetourPoint(const TMyShape* O, TMyPoint Cur, TMyPoint Target, Tdirections D) const
{
    return FRouter->GetDetourPoint(O, Cur, Target, D);
}

void TMyCAD::GetPath(TCanvas* Canvas, TMyLinkLine* L, TMyShape* A, TMyPoint PA, TMyShape* B, TMyPoint PB,
                     Tdirections D)
{
    FRouter->GetPath(Canvas, L, A, PA, B, PB, D);
}

// ---- Hops ----------------------------------------------------------------------------------------

const THopIndex* TMyCAD::PassHopIndex(double Y)
{
    if (!FInPaintPass)
        return nullptr;
    if (!FHops.Covers(Y)) {
        // Most segments that ask lie in the part's rows; one elsewhere (whose hops shift
        // a dash pattern into the part) needs every row.
        const bool rows = !FHops.Built() && Y >= FHopRowsLow && Y <= FHopRowsHigh;
        std::vector<const TMyShape*> drawn = FHopRoots;
        if (drawn.empty()) {
            // A listed shape whose current extent lies above or below the rows has no
            // segment there: it is passed over without reading its points. The extents
            // are the index's at this zoom only.
            const bool byExtent = rows && FPaintIndex.IsCurrent(PaintKey());
            drawn.reserve(FDrawnShapes.size());
            for (uint32_t no : FDrawnShapes) {
                if (byExtent)
                    if (const TPaintIndex::TExtent* e = FPaintIndex.CurrentExtent(int(no));
                        e && e->Valid && (e->Bottom < FHopRowsLow || e->Top > FHopRowsHigh))
                        continue;
                if (const TMyShape* s = GetShapeByNo(int(no)))
                    drawn.push_back(s);
            }
        }
        if (rows)
            FHops.Build(drawn, FHopRowsLow, FHopRowsHigh);
        else
            FHops.Build(drawn);
    }
    return &FHops;
}

TMyCAD::THopScope::THopScope(TMyCAD& CAD, const std::vector<TMyShape*>& Roots)
    : FCAD(CAD), FWasInPass(CAD.FInPaintPass), FSavedRoots(std::move(CAD.FHopRoots)), FSavedLow(CAD.FHopRowsLow),
      FSavedHigh(CAD.FHopRowsHigh)
{
    CAD.FHopRoots.assign(Roots.begin(), Roots.end());
    std::erase(CAD.FHopRoots, nullptr);
    // Connectors are tidied before they are drawn, as in a paint pass.
    for (TMyShape* root : Roots)
        CAD.TidyVisibleTree(root, 0);
    CAD.FHops.Clear();
    CAD.FHopRowsLow = -HUGE_VAL;
    CAD.FHopRowsHigh = HUGE_VAL;
    CAD.FInPaintPass = true;
}

TMyCAD::THopScope::~THopScope()
{
    FCAD.FHops.Clear();
    FCAD.FHopRoots = std::move(FSavedRoots);
    FCAD.FHopRowsLow = FSavedLow;
    FCAD.FHopRowsHigh = FSavedHigh;
    FCAD.FInPaintPass = FWasInPass;
}

void TMyCAD::ConnectorCrossings(TMyPoint P, TMyPoint Q, std::vector<TMyPoint>& Out)
{
    Out.clear();
    if (const THopIndex* index = PassHopIndex(P.Y))
        index->Crossings(P, Q, Out);
}

bool TMyCAD::ConnectorHops(TMyPoint P, TMyPoint Q, int R, std::vector<TMyPoint>& Out, double Until)
{
    Out.clear();
    const THopIndex* index = PassHopIndex(P.Y);
    return index && index->Hops(P, Q, R, Out, Until);
}

// ---- Merging lines -----------------------------------------------------------------------------

void TMyCAD::GetMergeShape(TMyLine* Line, bool Start, TMyPoint P)
{
    if (!Line)
        return;
    int id = -1, no = -1;
    InWhichShapeWhichPointNo(id, no, P);
    if (Start)
        Line->SetMergeStart(id, no);
    else
        Line->SetMergeEnd(id, no);
}

void TMyCAD::CreateAndDelete(TMyLine* Line)
{
    if (!Line)
        return;
    TMyShape* a = GetShapeByID(Line->MergeStartShapeId());
    TMyShape* b = GetShapeByID(Line->MergeEndShapeId());
    if (!a || !b || a == b)
        return;
    // A's points run towards the new line's start, B's away from its end.
    TArrMyPoint points;
    auto append = [&](const TMyShape* s, bool forward) {
        const int n = s->GetPointsCount();
        for (int k = 0; k < n; ++k)
            points.push_back(GetMyPointByMode(s->GetPointInZoom(forward ? k : n - 1 - k)));
    };
    append(a, Line->MergeStartPointNo() != 0);
    append(b, Line->MergeEndPointNo() == 0);
    const int aId = a->GetShapeId(), bId = b->GetShapeId(), lineId = Line->GetShapeId();
    if (AddShapeByCode(this, SpPolyLine, QString(), points, 0, QStringLiteral("Shape%1").arg(GetShapesCount())) < 0)
        return;
    DeleteShapeById(aId, true);
    DeleteShapeById(bId, true);
    DeleteShapeById(lineId, false);
}
