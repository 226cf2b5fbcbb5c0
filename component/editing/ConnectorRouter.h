#pragma once
// TConnectorRouter: lays the orthogonal routes of connectors. From each attached end the
// route steps out of the shape through a short stub, then follows an L-shaped plan of
// horizontal and vertical moves to the other end, walking in steps of 15 pixels and
// passing 20 pixels outside every combined shape that blocks a step (unless the drawing's
// LinklineAroundShape is off). At most 10 steps are probed per route; beyond them the
// plan is followed without looking.
//
// The route is laid in document units, with the distances above taken as document units,
// so that a connector gets the same route at every zoom; the ends come in and the rubber
// band goes out in screen pixels.
//
// The combined shapes are found through a uniform grid of their boxes, so that a probe
// costs the same however many other shapes the drawing holds. The grid is rebuilt when
// the shape list or the geometry as a whole changed, and patched for combined shapes
// whose points changed.
#include "component/base/Enums.h"
#include "component/base/MyTypes.h"
#include "component/document/UniformGrid.h"
#include "mycad_export.h"
#include "platform/Types.h"

#include <cstdint>
#include <optional>
#include <vector>

class TCanvas;
class TMyCAD;
class TMyLinkLine;
class TMyShape;

class MYCAD_EXPORT TConnectorRouter {
public:
    explicit TConnectorRouter(TMyCAD& Cad) : FCad(Cad) {}

    // The L-shaped plan from A to B: after a vertical direction, or none, horizontal
    // first; after a horizontal one, vertical first. Equal points give no move.
    static TArrDirAndPoints GetDirAndPoints(TMyPoint A, TMyPoint B, Tdirections D);
    // The first combined shape in drawing order whose box in screen pixels, made integer
    // and grown by Margin on every side, holds P (right and bottom edges excluded);
    // nothing when none.
    TMyShape* GetCombineAtPoint(TPoint P, int Margin);
    // The move that leaves obstacle O from Cur towards Target (screen pixels) when the walk
    // in direction D is blocked: along the side of O's box (grown by 20) nearer the target,
    // the bottom or right side on a tie. With LinklineAroundShape off, (D, Cur).
    TDirAndPoint GetDetourPoint(const TMyShape* O, TMyPoint Cur, TMyPoint Target, Tdirections D) const;
    // Lays L's route from PA (on shape A, or free) to PB (on shape B, or free), both in
    // screen pixels, starting in direction D, and stores it as L's points; in lldsHV the
    // old route is erased and the new one drawn on Canvas (when given) with the
    // exclusive-or pen, and the centre and caption point follow.
    void GetPath(TCanvas* Canvas, TMyLinkLine* L, TMyShape* A, TMyPoint PA, TMyShape* B, TMyPoint PB, Tdirections D);
    // The same with PA and PB in document units (no rounding through the zoom).
    void Route(TCanvas* Canvas, TMyLinkLine* L, TMyShape* A, TMyPoint PA, TMyShape* B, TMyPoint PB, Tdirections D);

    // The points of combined shape S may have changed: the grid takes it in at its next use.
    void CombineTouched(const TMyShape* S);
    // Statistics, for tests and benchmarks.
    int IndexedCombines() const { return int(FCombines.size()); }

private:
    struct TKey {
        uint64_t ListGeneration = 0;
        uint64_t GeometryGeneration = 0;
        friend bool operator==(const TKey&, const TKey&) = default;
    };
    TKey KeyNow() const;
    // The grid box of a combined shape: the box of its points, document units made integer.
    TGridBox BoxOf(const TMyShape* S) const;
    void BringUpToDate();
    // In document units: the first combined shape whose integer box grown by Margin holds
    // the rounded P; the detour around O; the stub out of shape S at its link point P.
    const TMyShape* CombineAt(TMyPoint P, double Margin);
    TDirAndPoint Detour(const TMyShape* O, TMyPoint Cur, TMyPoint T, Tdirections D) const;
    TMyPoint Stub(const TMyShape* S, TMyPoint P) const;
    // The standard route's points from PA to PB (document units), walking from direction D.
    TArrMyPoint Walk(TMyShape* A, TMyPoint PA, TMyShape* B, TMyPoint PB, Tdirections D);
    // With LinkLineRouter lrAvoidObstacles: L's route between shapes A and B around the
    // combined shapes (ConnectorRouterAvoid.cpp); nothing when an end is free or a junction,
    // or no way around was found, and the walk is taken instead.
    std::optional<TArrMyPoint> RouteAround(const TMyLinkLine* L, const TMyShape* A, TMyPoint PA, const TMyShape* B,
                                           TMyPoint PB);

    TMyCAD& FCad;
    TUniformGrid<TKey> FGrid;
    std::vector<const TMyShape*> FCombines; // per grid entry, in drawing order
    std::vector<int> FEntryOfNo;            // by shape number: the grid entry, or -1
    std::vector<int> FTouched;              // shape numbers of combined shapes to patch
};
