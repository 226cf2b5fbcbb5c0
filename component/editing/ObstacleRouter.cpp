#include "component/editing/ObstacleRouter.h"

#include "component/editing/OrthoGraph.h"

#include <algorithm>
#include <cmath>

namespace {
// The search windows: the box of the two stubs grown by these distances in turn.
constexpr float kWindows[] = {60, 240, 960, 3840};

Tdirections Opposite(Tdirections D)
{
    switch (D) {
    case dLeft: return dRight;
    case dRight: return dLeft;
    case dTop: return dbottom;
    case dbottom: return dTop;
    case dNone: break;
    }
    return dNone;
}

bool Holds(const TMyRect& R, TMyPoint P)
{
    return P.X > R.Left && P.X < R.Right && P.Y > R.Top && P.Y < R.Bottom;
}

TMyRect Grown(const TMyRect& R, float By)
{
    return TMyRect(R.Left - By, R.Top - By, R.Right + By, R.Bottom + By);
}

// Whether two segments lie on one line (within half a unit) and share more than a unit.
bool RunAlong(const TRouteSegment& A, const TRouteSegment& B)
{
    return A.Horizontal == B.Horizontal && std::abs(A.At - B.At) < 0.5f &&
           std::min(A.Hi, B.Hi) - std::max(A.Lo, B.Lo) > 1;
}

TRouteSegment SegmentOf(TMyPoint P, TMyPoint Q)
{
    if (P.Y == Q.Y)
        return {true, P.Y, std::min(P.X, Q.X), std::max(P.X, Q.X)};
    return {false, P.X, std::min(P.Y, Q.Y), std::max(P.Y, Q.Y)};
}
} // namespace

std::optional<TArrMyPoint> RouteAroundObstacles(const TRouteEnd& A, const TRouteEnd& B, const TObstacleQuery& Obstacles,
                                                float Margin)
{
    TOrthoQuery q;
    q.From = A.Stub;
    q.FromDir = A.Out;
    q.To = B.Stub;
    q.ToDir = Opposite(B.Out);
    const float l = std::min(A.Stub.X, B.Stub.X), r = std::max(A.Stub.X, B.Stub.X);
    const float t = std::min(A.Stub.Y, B.Stub.Y), b = std::max(A.Stub.Y, B.Stub.Y);
    std::vector<TMyRect> found;
    for (float window : kWindows) {
        q.Bounds = TMyRect(l - window, t - window, r + window, b + window);
        found.clear();
        Obstacles(q.Bounds, found);
        q.Obstacles.clear();
        for (TMyRect box : found) {
            // A stub inside the margin of a neighbour: that neighbour counts without it.
            if (Holds(box, q.From) || Holds(box, q.To))
                box = Grown(box, -Margin);
            if (!Holds(box, q.From) && !Holds(box, q.To))
                q.Obstacles.push_back(box);
        }
        if (std::optional<TArrMyPoint> middle = FindOrthoRoute(q)) {
            TArrMyPoint route;
            route.reserve(middle->size() + 2);
            route.push_back(A.Link);
            route.insert(route.end(), middle->begin(), middle->end());
            route.push_back(B.Link);
            return route;
        }
        // The whole drawing is inside the window already: wider ones find nothing more.
        if (q.Obstacles.size() == found.size() && found.empty())
            break;
    }
    return std::nullopt;
}

std::vector<TRouteSegment> MiddleSegments(const TArrMyPoint& Route)
{
    std::vector<TRouteSegment> segments;
    // Points 0 and 1 are the start's link point and stub, the last two the end's.
    for (size_t k = 2; k + 3 < Route.size(); ++k)
        if (Route[k].X == Route[k + 1].X || Route[k].Y == Route[k + 1].Y)
            segments.push_back(SegmentOf(Route[k], Route[k + 1]));
    return segments;
}

void NudgeApart(TArrMyPoint& Route, const std::vector<TRouteSegment>& Others, const std::vector<TMyRect>& Boxes,
                float Spacing)
{
    auto crowded = [&](const TRouteSegment& S) {
        return std::any_of(Others.begin(), Others.end(), [&](const TRouteSegment& O) { return RunAlong(S, O); });
    };
    auto clear = [&](TMyPoint P, TMyPoint Q) {
        return std::none_of(Boxes.begin(), Boxes.end(), [&](const TMyRect& R) { return SegmentCrossesBox(P, Q, R); });
    };
    // The sign of a neighbour's run, which a move must keep.
    auto sign = [](float V) { return (V > 0) - (V < 0); };
    for (size_t k = 2; k + 3 < Route.size(); ++k) {
        TMyPoint& p = Route[k];
        TMyPoint& q = Route[k + 1];
        const bool horizontal = p.Y == q.Y;
        if (!horizontal && p.X != q.X)
            continue;
        if (!crowded(SegmentOf(p, q)))
            continue;
        const TMyPoint before = Route[k - 1], after = Route[k + 2];
        for (int step : {1, -1, 2, -2, 3, -3}) {
            const float shift = Spacing * float(step);
            TMyPoint np = p, nq = q;
            if (horizontal) {
                np.Y += shift;
                nq.Y += shift;
            } else {
                np.X += shift;
                nq.X += shift;
            }
            // The neighbours stay perpendicular runs in their directions.
            const float runBefore = horizontal ? p.Y - before.Y : p.X - before.X;
            const float runAfter = horizontal ? after.Y - q.Y : after.X - q.X;
            const float newBefore = horizontal ? np.Y - before.Y : np.X - before.X;
            const float newAfter = horizontal ? after.Y - nq.Y : after.X - nq.X;
            if (sign(newBefore) != sign(runBefore) || sign(newAfter) != sign(runAfter) || runBefore == 0 ||
                runAfter == 0)
                continue;
            if (crowded(SegmentOf(np, nq)) || !clear(before, np) || !clear(np, nq) || !clear(nq, after))
                continue;
            p = np;
            q = nq;
            break;
        }
    }
}
