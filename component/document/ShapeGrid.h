#pragma once
// TShapeGrid: the boxes of the drawing's top-level shapes on a uniform grid (TUniformGrid)
// of screen-pixel cells, so that the mouse finds the shapes under a point without testing
// every shape.
//
// Each top-level shape stands for its whole group tree: its box covers its own points,
// those of its direct members and of every shape whose chain of parents leads to it,
// widened by the hit tolerance of the kinds in the tree. A query returns the top-level
// shapes whose box holds the point, in drawing order; the caller then runs the exact hit
// tests in the order it needs, so the answer is the one a scan of the whole list gives.
//
// Kinds whose hit test can reach beyond their points' box (arcs bulge past their three
// points, interpolating curves overshoot theirs), kinds the grid does not know, and
// points that are not finite put their top-level shape on a list that every query
// returns. Shapes whose chain of parents never reaches a top-level shape (a damaged
// drawing) are kept apart for the one query that looks at members.
//
// The grid does not watch the shapes: its owner rebuilds it when the shape list or the
// zoom changed (TKey), and patches the boxes of the shapes it is told moved (Patch).
#include "mycad_export.h"
#include "component/document/UniformGrid.h"
#include "platform/Types.h"

#include "component/base/MyTypes.h"

#include <cstdint>
#include <vector>

class TMyCAD;
class TMyShape;

class MYCAD_EXPORT TShapeGrid {
public:
    // What a built grid reflects.
    struct TKey {
        uint64_t ListGeneration = 0;
        uint64_t GeometryGeneration = 0;
        double Zoom = 0;
        friend bool operator==(const TKey&, const TKey&) = default;
    };

    TShapeGrid();
    ~TShapeGrid();
    TShapeGrid(const TShapeGrid&) = delete;
    TShapeGrid& operator=(const TShapeGrid&) = delete;

    bool IsCurrent(const TKey& Key) const { return FGrid.IsCurrent(Key); }
    void Invalidate() { FGrid.Invalidate(); }
    void Build(const TMyCAD& Cad, const TKey& Key);

    // Takes the new geometry of the changed shapes (with their group trees and the
    // connectors hanging on them) into the grid; false, leaving the grid invalid, when
    // so much changed that a rebuild is the better way.
    bool Patch(const TMyCAD& Cad, const TArrMyShape& Changed);
    // Takes in a top-level shape just appended to the drawing, the only change of the
    // list since the grid was current; Key is the drawing's key now. False, leaving the
    // grid invalid, when that does not hold.
    bool Append(const TMyCAD& Cad, const TMyShape* Added, const TKey& Key);

    // Shape numbers of the top-level shapes whose region may hold P, ascending.
    void RootsAt(TPoint P, std::vector<int>& Out) const;
    // The same, followed by every shape whose top-level shape is among them and by the
    // shapes without one, all ascending: the shapes that can be hit at P.
    void ShapesAt(TPoint P, std::vector<int>& Out) const;

    // Statistics, for tests and benchmarks (as the grid was built).
    int IndexedCount() const { return FGrid.CelledCount() + FGrid.LooseBoxCount(); }
    int WideCount() const { return FGrid.LooseBoxCount(); }
    int UnboundedCount() const { return FGrid.EverywhereCount(); }
    int CellCount() const { return FGrid.CellCount(); }
    int CellSize() const { return FGrid.CellSize(); }
    int PatchedCount() const { return FGrid.PatchedCount(); }

    // The pixels by which a kind's hit test may reach beyond the box of its points, or
    // -1 for a kind whose hit test is not bounded by that box.
    static int HitMargin(const TMyShape* Shape);

private:
    struct TGather;
    // The grid box of a gathered tree: nowhere without points, everywhere when its hit
    // test is not bounded.
    static TGridBox BoxOf(const TGather& G, double Zoom);
    // The box of top-level shape R's tree, with the hit margins.
    TGridBox TreeBox(const TMyCAD& Cad, int R) const;
    // The shape numbers of the top-level shapes of these shapes and of the connectors
    // hanging on their trees.
    std::vector<int> AffectedRoots(const TMyCAD& Cad, const TArrMyShape& Changed) const;

    TUniformGrid<TKey> FGrid;
    std::vector<int> FRootOfEntry; // per grid entry: the top-level shape's number
    std::vector<int> FEntryOf;     // by shape number: the grid entry of a top-level shape, or -1
    // Members grouped by top-level shape: (top-level number, member number), sorted.
    std::vector<std::pair<int, int>> FMembers;
    std::vector<int> FOrphans; // shapes without a top-level shape
    // Kept from build to build to spare the allocations.
    std::vector<TGather> FGather;
    std::vector<int> FRootOf;
};
