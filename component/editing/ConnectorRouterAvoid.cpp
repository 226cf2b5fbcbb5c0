// TConnectorRouter's obstacle-avoiding routes: the drawing's side of ObstacleRouter.h.
// The obstacles are the combined shapes' boxes from the router's grid, grown by the
// 20-unit margin the walk passes them by; the stubs and their directions are the walk's.
#include "component/editing/ConnectorRouter.h"

#include "component/base/PointArrays.h"
#include "component/document/MyCAD.h"
#include "component/editing/ObstacleRouter.h"
#include "component/shapes/AllShapes.h"

#include <algorithm>

namespace {
// The margin around combined shapes; the nudging pass may use half of it.
constexpr float kMargin = 20;
// How far a nudged segment moves aside per step.
constexpr float kSpacing = 8;

Tdirections DirectionOf(TMyPoint From, TMyPoint To)
{
    if (To.X < From.X)
        return dLeft;
    if (To.X > From.X)
        return dRight;
    if (To.Y < From.Y)
        return dTop;
    if (To.Y > From.Y)
        return dbottom;
    return dNone;
}

bool Meets(const TRouteSegment& S, const TMyRect& R)
{
    if (S.Horizontal)
        return S.At >= R.Top && S.At <= R.Bottom && S.Hi >= R.Left && S.Lo <= R.Right;
    return S.At >= R.Left && S.At <= R.Right && S.Hi >= R.Top && S.Lo <= R.Bottom;
}
} // namespace

std::optional<TArrMyPoint> TConnectorRouter::RouteAround(const TMyLinkLine* L, const TMyShape* A, TMyPoint PA,
                                                         const TMyShape* B, TMyPoint PB)
{
    if (!A || !B || dynamic_cast<const TMyLineLinkLine*>(A) || dynamic_cast<const TMyLineLinkLine*>(B))
        return std::nullopt;
    BringUpToDate();
    const TRouteEnd start{PA, Stub(A, PA), DirectionOf(PA, Stub(A, PA))};
    const TRouteEnd end{PB, Stub(B, PB), DirectionOf(PB, Stub(B, PB))};
    if (start.Out == dNone || end.Out == dNone)
        return std::nullopt;
    // The combined shapes' boxes grown by Grow that meet Region.
    auto boxes = [this](const TMyRect& Region, float Grow, std::vector<TMyRect>& Out) {
        const TGridBox probe =
            TGridBox::Of(Region.Left - Grow, Region.Top - Grow, Region.Right + Grow, Region.Bottom + Grow);
        FGrid.ForEachMeeting(probe, [&](uint32_t e) {
            const TGridBox& b = FGrid.BoxOf(e);
            if (b.Kind == TGridBox::TKind::Box)
                Out.push_back(TMyRect(float(b.Left - Grow), float(b.Top - Grow), float(b.Right + Grow),
                                      float(b.Bottom + Grow)));
        });
    };
    std::optional<TArrMyPoint> route = RouteAroundObstacles(
        start, end, [&](const TMyRect& Region, std::vector<TMyRect>& Out) { boxes(Region, kMargin, Out); }, kMargin);
    if (!route || route->size() < 6)
        return route; // no middle segment to spread
    // Spread from the other connectors' middle segments near this route.
    const TMyRect extent = GetPointsLTRB(*route);
    std::vector<TRouteSegment> others;
    for (const auto& owned : FCad.Shapes()) {
        // Only routes of six points or more have middle segments; most shapes are skipped
        // before the cast.
        if (owned->Points().size() < 6)
            continue;
        const auto* other = dynamic_cast<const TMyLinkLine*>(owned.get());
        if (!other || other == L)
            continue;
        const TArrMyPoint& p = other->Points();
        for (size_t k = 2; k + 3 < p.size(); ++k) {
            if (p[k].X != p[k + 1].X && p[k].Y != p[k + 1].Y)
                continue;
            const TRouteSegment s = p[k].Y == p[k + 1].Y
                                        ? TRouteSegment{true, p[k].Y, std::min(p[k].X, p[k + 1].X), std::max(p[k].X, p[k + 1].X)}
                                        : TRouteSegment{false, p[k].X, std::min(p[k].Y, p[k + 1].Y), std::max(p[k].Y, p[k + 1].Y)};
            if (Meets(s, extent))
                others.push_back(s);
        }
    }
    if (others.empty())
        return route;
    std::vector<TMyRect> near;
    boxes(TMyRect(extent.Left - kSpacing * 3, extent.Top - kSpacing * 3, extent.Right + kSpacing * 3,
                  extent.Bottom + kSpacing * 3),
          kMargin / 2, near);
    NudgeApart(*route, others, near, kSpacing);
    return route;
}
