#pragma once
// TShapeGrid: a uniform grid over the boxes of the drawing's top-level shapes, in screen
// pixels, so that the mouse finds the shapes under a point without testing every shape.
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
// zoom changed (TKey), and patches the boxes of the shapes it is told moved (Patch):
// their old places are struck from the cells and their new boxes kept on a short list
// that every query checks, until the next rebuild.
#include "mycad_export.h"
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

    bool IsCurrent(const TKey& Key) const { return FValid && Key == FKey; }
    void Invalidate() { FValid = false; }
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

    // Statistics, for tests and benchmarks.
    int IndexedCount() const { return int(FEntries.size()); }
    int WideCount() const { return int(FWide.size()); }
    int UnboundedCount() const { return int(FUnbounded.size()); }
    int CellCount() const { return FCols * FRows; }
    int CellSize() const { return FCellSize; }
    int PatchedCount() const { return int(FExtra.size()); }

    // The pixels by which a kind's hit test may reach beyond the box of its points, or
    // -1 for a kind whose hit test is not bounded by that box.
    static int HitMargin(const TMyShape* Shape);

private:
    struct TGather;
    struct TEntry {
        int Left, Top, Right, Bottom; // inclusive
        int No;
        bool Holds(TPoint P) const { return P.X >= Left && P.X <= Right && P.Y >= Top && P.Y <= Bottom; }
    };
    void BuildCells();
    // The entry of a gathered tree; false when it has no point or is not bounded.
    static bool EntryOf(const TGather& G, double Zoom, bool& Unbounded, TEntry& E);
    // The box of top-level shape R's tree, with the hit margins; false when the tree
    // has no point (Entry unset) or its hit test is not bounded (Unbounded set).
    bool TreeBox(const TMyCAD& Cad, int R, TEntry& Entry, bool& Unbounded) const;
    // The shape numbers of the top-level shapes of these shapes and of the connectors
    // hanging on their trees.
    std::vector<int> AffectedRoots(const TMyCAD& Cad, const TArrMyShape& Changed) const;

    bool FValid = false;
    TKey FKey;
    std::vector<TEntry> FEntries;     // top-level shapes in drawing order
    std::vector<uint32_t> FCellStart; // per cell, into FCellItems (one more than cells)
    std::vector<uint32_t> FCellItems; // indices into FEntries, ascending per cell
    std::vector<uint32_t> FWide;      // entries too large for the cells
    std::vector<int> FUnbounded;      // top-level shapes every query returns
    // Members grouped by top-level shape: (top-level number, member number), sorted.
    std::vector<std::pair<int, int>> FMembers;
    std::vector<int> FOrphans; // shapes without a top-level shape
    // By shape number: the index of its entry (-1 none), of its patched entry (-1 none),
    // and whether it is on the unbounded list.
    std::vector<int> FEntryOf;
    std::vector<int> FExtraOf;
    std::vector<char> FUnboundedFlag;
    std::vector<char> FDead;    // entries whose place in the cells is out of date
    std::vector<TEntry> FExtra; // boxes of patched top-level shapes
    // Kept from build to build to spare the allocations.
    std::vector<TGather> FGather;
    std::vector<int> FRootOf;
    int FOriginX = 0, FOriginY = 0, FCellSize = 1, FCols = 0, FRows = 0;
};
