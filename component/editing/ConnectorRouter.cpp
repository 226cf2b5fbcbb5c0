#include "component/editing/ConnectorRouter.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"
#include "component/document/MyCAD.h"
#include "component/render/CanvasModes.h"
#include "component/shapes/AllShapes.h"
#include "platform/Canvas.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {
// The walk: steps of 15 pixels; a move's target counts as reached within 20 pixels on
// both axes; at most 10 steps per route; obstacles count within 10 pixels of their box
// and are passed 20 pixels outside it.
constexpr float kStep = 15;
constexpr float kReached = 20;
constexpr int kStepBudget = 10;
constexpr int kObstacleMargin = 10;
constexpr float kDetour = 20;

TMyPoint StepFrom(TMyPoint P, Tdirections D)
{
    switch (D) {
    case dLeft: return TMyPoint(P.X - kStep, P.Y);
    case dbottom: return TMyPoint(P.X, P.Y + kStep);
    case dRight: return TMyPoint(P.X + kStep, P.Y);
    case dTop: return TMyPoint(P.X, P.Y - kStep);
    case dNone: break;
    }
    return P;
}

bool Horizontal(Tdirections D)
{
    return D == dLeft || D == dRight;
}

// Strokes points (screen pixels) as one polyline, rounded.
void Stroke(TCanvas* Canvas, const TArrMyPoint& Points)
{
    if (!Canvas || Points.size() < 2)
        return;
    TArrPoint line;
    line.reserve(Points.size());
    for (const TMyPoint& p : Points)
        line.push_back(MyPtToPt(p));
    Canvas->Polyline(line);
}

// Pushes the moves of a plan so that its first move is on top of the stack.
void PushPlan(TArrDirAndPoints& Stack, const TArrDirAndPoints& Plan)
{
    for (auto it = Plan.rbegin(); it != Plan.rend(); ++it)
        Stack.push_back(*it);
}
} // namespace

TArrDirAndPoints TConnectorRouter::GetDirAndPoints(TMyPoint A, TMyPoint B, Tdirections D)
{
    TArrDirAndPoints moves;
    auto horizontal = [&](TMyPoint From) {
        if (B.X != From.X)
            moves.push_back({B.X > From.X ? dRight : dLeft, TMyPoint(B.X, From.Y)});
    };
    auto vertical = [&](TMyPoint From) {
        if (B.Y != From.Y)
            moves.push_back({B.Y > From.Y ? dbottom : dTop, TMyPoint(From.X, B.Y)});
    };
    if (Horizontal(D)) {
        vertical(A);
        horizontal(TMyPoint(A.X, B.Y));
    } else {
        horizontal(A);
        vertical(TMyPoint(B.X, A.Y));
    }
    return moves;
}

TConnectorRouter::TKey TConnectorRouter::KeyNow() const
{
    return {FCad.ShapeListGeneration(), FCad.GeometryGeneration()};
}

TGridBox TConnectorRouter::BoxOf(const TMyShape* S) const
{
    if (S->Points().empty())
        return TGridBox::Nowhere(); // a box of nothing holds no point
    const TRect r = myRecttoRect(FCad.GetShapesLTRB({const_cast<TMyShape*>(S)}));
    return TGridBox::Of(r.Left, r.Top, r.Right, r.Bottom);
}

void TConnectorRouter::CombineTouched(const TMyShape* S)
{
    // Only combined shapes are in the grid; they alone can be patched.
    const int no = S ? S->ShapeNo() : -1;
    if (no < 0 || size_t(no) >= FEntryOfNo.size() || FEntryOfNo[size_t(no)] < 0 || !FGrid.IsCurrent(KeyNow()))
        return;
    if (FCombines[size_t(FEntryOfNo[size_t(no)])] == S)
        FTouched.push_back(no);
}

void TConnectorRouter::BringUpToDate()
{
    const TKey key = KeyNow();
    if (FGrid.IsCurrent(key)) {
        for (int no : FTouched) {
            const uint32_t entry = uint32_t(FEntryOfNo[size_t(no)]);
            if (!FGrid.Patch(entry, BoxOf(FCombines[entry])))
                break;
        }
    }
    FTouched.clear();
    if (FGrid.IsCurrent(key))
        return;
    FCombines.clear();
    FEntryOfNo.assign(size_t(FCad.GetShapesCount()), -1);
    std::vector<TGridBox> boxes;
    for (const auto& owned : FCad.Shapes()) {
        const int no = owned->ShapeNo();
        if (!dynamic_cast<const TMyCombine*>(owned.get()) || no < 0 || no >= FCad.GetShapesCount())
            continue;
        FEntryOfNo[size_t(no)] = int(FCombines.size());
        FCombines.push_back(owned.get());
        boxes.push_back(BoxOf(owned.get()));
    }
    FGrid.Build(boxes, key);
}

const TMyShape* TConnectorRouter::CombineAt(TMyPoint P, double Margin)
{
    BringUpToDate();
    if (FCombines.empty())
        return nullptr;
    const double x = Round(P.X), y = Round(P.Y);
    uint32_t first = UINT32_MAX;
    FGrid.ForEachMeeting(TGridBox::Of(x - Margin, y - Margin, x + Margin, y + Margin), [&](uint32_t e) {
        const TGridBox& b = FGrid.BoxOf(e);
        // The box grown by the margin holds the point, its right and bottom edges excluded.
        if (e < first && x >= b.Left - Margin && x < b.Right + Margin && y >= b.Top - Margin && y < b.Bottom + Margin)
            first = e;
    });
    return first == UINT32_MAX ? nullptr : FCombines[first];
}

TMyShape* TConnectorRouter::GetCombineAtPoint(TPoint P, int Margin)
{
    BringUpToDate();
    if (FCombines.empty())
        return nullptr;
    // The grid keeps document boxes; look a little wider there, then test the box in
    // screen pixels exactly.
    const double z = FCad.Zoom();
    const double reach = (std::abs(double(Margin)) + 2) / z + 1;
    const TGridBox probe = TGridBox::Of(P.X / z - reach, P.Y / z - reach, P.X / z + reach, P.Y / z + reach);
    uint32_t first = UINT32_MAX;
    FGrid.ForEachMeeting(probe, [&](uint32_t e) {
        if (e >= first)
            return;
        TRect r = myRecttoRect(FCad.GetShapesLTRBinZoom({const_cast<TMyShape*>(FCombines[e])}));
        r = TRect(r.Left - Margin, r.Top - Margin, r.Right + Margin, r.Bottom + Margin);
        if (PtInRect(r, P))
            first = e;
    });
    return first == UINT32_MAX ? nullptr : const_cast<TMyShape*>(FCombines[first]);
}

namespace {
TDirAndPoint DetourAround(TMyRect R, TMyPoint Cur, TMyPoint T, Tdirections D)
{
    R = TMyRect(R.Left - kDetour, R.Top - kDetour, R.Right + kDetour, R.Bottom + kDetour);
    if (Horizontal(D)) {
        if (std::abs(T.Y - R.Top) < std::abs(T.Y - R.Bottom))
            return {dTop, TMyPoint(Cur.X, R.Top)};
        return {dbottom, TMyPoint(Cur.X, R.Bottom)};
    }
    if (std::abs(T.X - R.Left) < std::abs(T.X - R.Right))
        return {dLeft, TMyPoint(R.Left, Cur.Y)};
    return {dRight, TMyPoint(R.Right, Cur.Y)};
}
} // namespace

TDirAndPoint TConnectorRouter::GetDetourPoint(const TMyShape* O, TMyPoint Cur, TMyPoint T, Tdirections D) const
{
    if (!FCad.LinklineAroundShape() || !O)
        return {D, Cur};
    return DetourAround(FCad.GetShapesLTRBinZoom({const_cast<TMyShape*>(O)}), Cur, T, D);
}

TDirAndPoint TConnectorRouter::Detour(const TMyShape* O, TMyPoint Cur, TMyPoint T, Tdirections D) const
{
    if (!FCad.LinklineAroundShape() || !O)
        return {D, Cur};
    return DetourAround(FCad.GetShapesLTRB({const_cast<TMyShape*>(O)}), Cur, T, D);
}

// 25 units straight out of the side of S's box (made integer) nearest to P.
TMyPoint TConnectorRouter::Stub(const TMyShape* S, TMyPoint P) const
{
    constexpr double d = 25;
    const TRect box = myRecttoRect(FCad.GetShapesLTRB({const_cast<TMyShape*>(S)}));
    const double L = box.Left, T = box.Top, R = box.Right, B = box.Bottom;
    const double dl = P.X - L, dr = R - P.X, dt = P.Y - T, db = B - P.Y;
    const double m = std::min(std::min(dl, dr), std::min(dt, db));
    TMyPoint result = P;
    if (m == dl)
        result = TMyPoint(float(L - d), P.Y);
    if (m == dr)
        result = TMyPoint(float(R + d), P.Y);
    if (m == dt)
        result = TMyPoint(P.X, float(T - d));
    if (m == db)
        result = TMyPoint(P.X, float(B + d));
    return result;
}

void TConnectorRouter::GetPath(TCanvas* Canvas, TMyLinkLine* L, TMyShape* A, TMyPoint PA, TMyShape* B, TMyPoint PB,
                               Tdirections D)
{
    const double z = FCad.Zoom();
    Route(Canvas, L, A, TMyPoint(float(PA.X / z), float(PA.Y / z)), B, TMyPoint(float(PB.X / z), float(PB.Y / z)), D);
}

void TConnectorRouter::Route(TCanvas* Canvas, TMyLinkLine* L, TMyShape* A, TMyPoint PA, TMyShape* B, TMyPoint PB,
                             Tdirections D)
{
    if (!L)
        return;
    const double z = FCad.Zoom();
    if (L->LinkLineDrawStyle() == lldsFree) {
        L->PointsRef() = {PA, PB};
        return;
    }
    auto inZoom = [z](const TArrMyPoint& Points) {
        TArrMyPoint screen;
        screen.reserve(Points.size());
        for (const TMyPoint& p : Points)
            screen.push_back(TMyPoint(float(p.X * z), float(p.Y * z)));
        return screen;
    };
    if (Canvas) {
        SetDragResizeRotateShapeMode(Canvas);
        if (L->GetPointsCount() > 2)
            Stroke(Canvas, inZoom(L->Points()));
    }

    std::optional<TArrMyPoint> around;
    if (FCad.LinkLineRouter() == lrAvoidObstacles)
        around = RouteAround(L, A, PA, B, PB);
    const TArrMyPoint items = around ? std::move(*around) : Walk(A, PA, B, PB, D);
    L->PointsRef() = items;
    Stroke(Canvas, inZoom(items));
    L->SetCenterPoint(L->ComputeCenterPoint(4));
    L->SetCaptionPoint(TMyPoint(L->CenterPoint().X, GetPointsLTRB(L->Points()).Bottom + 10));
}

TArrMyPoint TConnectorRouter::Walk(TMyShape* A, TMyPoint PA, TMyShape* B, TMyPoint PB, Tdirections D)
{
    // The fixed items: the ends, and the stubs out of attached shapes (a junction has
    // none: its end is repeated instead).
    TArrMyPoint items{PA, PB};
    if (A) {
        const TMyPoint m = dynamic_cast<TMyLineLinkLine*>(A) ? PA : Stub(A, PA);
        items.insert(items.begin() + 1, m);
        PA = m;
    }
    if (B) {
        const TMyPoint m = dynamic_cast<TMyLineLinkLine*>(B) ? PB : Stub(B, PB);
        items.insert(items.end() - 1, m);
        PB = m;
    }
    // Waypoints go before the end stub, or before the end when it is free.
    auto addWaypoint = [&](TMyPoint P) { items.insert(items.end() - (B ? 2 : 1), P); };

    TArrDirAndPoints stack;
    PushPlan(stack, GetDirAndPoints(PA, PB, D));
    int steps = 0;
    while (!stack.empty()) {
        TDirAndPoint move = stack.back();
        stack.pop_back();
        TMyPoint cur = PA, probe = PA;
        while (std::abs(probe.X - move.Point.X) > kReached || std::abs(probe.Y - move.Point.Y) > kReached) {
            probe = StepFrom(cur, move.Dir);
            if (++steps > kStepBudget)
                break;
            const TMyShape* o = CombineAt(probe, kObstacleMargin);
            if (!o || o == CombineAt(move.Point, kObstacleMargin)) {
                cur = probe;
                continue;
            }
            // Blocked: turn along the obstacle's side, then plan afresh from there.
            addWaypoint(cur);
            const TDirAndPoint detour = Detour(o, cur, move.Point, move.Dir);
            if (!stack.empty())
                stack.pop_back();
            PushPlan(stack, GetDirAndPoints(detour.Point, PB, detour.Dir));
            move = detour;
        }
        addWaypoint(move.Point);
        PA = move.Point;
    }

    return items;
}
