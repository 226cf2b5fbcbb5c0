#pragma once
// The orthogonal search under the obstacle-avoiding router, free of any drawing: a route
// from one point to another, leaving in one direction and arriving in another, over
// the lines through the edges of the obstacle boxes (an orthogonal visibility graph),
// found with A* that counts bends first and length second. Boxes are open: a route may
// run along an edge or through a corner, never through the inside.
#include "component/base/Enums.h"
#include "component/base/MyTypes.h"
#include "mycad_export.h"

#include <optional>
#include <vector>

struct MYCAD_EXPORT TOrthoQuery {
    TMyPoint From;
    Tdirections FromDir = dNone; // the direction of travel on arriving at From
    TMyPoint To;
    Tdirections ToDir = dNone;   // the direction of travel on leaving To; dNone: any
    TMyRect Bounds;              // the route stays inside (edges included)
    std::vector<TMyRect> Obstacles;
};

// The corners of the route, From first and To last, with no two consecutive segments
// on one line; nothing when no route inside Bounds avoids every obstacle.
MYCAD_EXPORT std::optional<TArrMyPoint> FindOrthoRoute(const TOrthoQuery& Query);

// Whether the axis-parallel segment A-B passes through the inside of R (touching its
// edges does not count).
MYCAD_EXPORT bool SegmentCrossesBox(TMyPoint A, TMyPoint B, const TMyRect& R);
// The number of direction changes along a polyline.
MYCAD_EXPORT int CountBends(const TArrMyPoint& Points);
// The length of a polyline.
MYCAD_EXPORT double PolylineLength(const TArrMyPoint& Points);
