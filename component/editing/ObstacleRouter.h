#pragma once
// The obstacle-avoiding router's plan, free of any drawing: a connector's route from the
// link point on one shape to the link point on another, stepping out of each shape
// through its stub and running between the stubs on the orthogonal search of
// OrthoGraph.h, around obstacle boxes that the caller hands out by region. The search
// looks near the ends first and widens its window when no way is found there.
//
// A nudging pass then spreads a route from the routes already laid: a middle segment
// that runs along another connector's segment moves aside by a small spacing, when the
// moved segment and its neighbours keep clear of the shapes.
#include "component/base/Enums.h"
#include "component/base/MyTypes.h"
#include "mycad_export.h"

#include <functional>
#include <optional>
#include <vector>

struct MYCAD_EXPORT TRouteEnd {
    TMyPoint Link;  // on the shape
    TMyPoint Stub;  // where the route has stepped out of it
    Tdirections Out = dNone; // from Link towards Stub
};

// Puts into Out the obstacle boxes (shapes' boxes grown by the margin) that meet Region.
using TObstacleQuery = std::function<void(const TMyRect& Region, std::vector<TMyRect>& Out)>;

// A straight piece of a laid route: along Y = At from X = Lo to Hi when Horizontal,
// else along X = At from Y = Lo to Hi.
struct MYCAD_EXPORT TRouteSegment {
    bool Horizontal = true;
    float At = 0, Lo = 0, Hi = 0;
};

// The route Link(A), Stub(A), corners..., Stub(B), Link(B); nothing when no way around the
// obstacles was found. Margin is the growth of the boxes the query hands out: an obstacle
// that holds a stub is taken without it, or left out when it holds the stub even then.
MYCAD_EXPORT std::optional<TArrMyPoint> RouteAroundObstacles(const TRouteEnd& A, const TRouteEnd& B,
                                                             const TObstacleQuery& Obstacles, float Margin);

// The middle segments of Route (neither touching a stub) as TRouteSegment values.
MYCAD_EXPORT std::vector<TRouteSegment> MiddleSegments(const TArrMyPoint& Route);

// Moves middle segments of Route that run along one of Others by multiples of Spacing
// (up to three, either side) to a place where they run along none, while the moved
// segment and its two neighbours stay out of Boxes and keep their directions.
MYCAD_EXPORT void NudgeApart(TArrMyPoint& Route, const std::vector<TRouteSegment>& Others,
                             const std::vector<TMyRect>& Boxes, float Spacing);
