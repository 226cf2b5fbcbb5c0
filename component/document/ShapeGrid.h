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
// The grid does not watch the shapes: its owner rebuilds it when the shape list, the
// geometry or the zoom changed (TKey).
#include "platform/Types.h"

#include <cstdint>
#include <vector>

class TMyCAD;
class TMyShape;

class TShapeGrid {
public:
    // What a built grid reflects.
    struct TKey {
        uint64_t ListGeneration = 0;
        uint64_t GeometryGeneration = 0;
        double Zoom = 0;
        friend bool operator==(const TKey&, const TKey&) = default;
    };

    bool IsCurrent(const TKey& Key) const { return FValid && Key == FKey; }
    void Invalidate() { FValid = false; }
    void Build(const TMyCAD& Cad, const TKey& Key);

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

    // The pixels by which a kind's hit test may reach beyond the box of its points, or
    // -1 for a kind whose hit test is not bounded by that box.
    static int HitMargin(const TMyShape* Shape);

private:
    struct TEntry {
        int Left, Top, Right, Bottom; // inclusive
        int No;
        bool Holds(TPoint P) const { return P.X >= Left && P.X <= Right && P.Y >= Top && P.Y <= Bottom; }
    };
    void BuildCells();

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
    int FOriginX = 0, FOriginY = 0, FCellSize = 1, FCols = 0, FRows = 0;
};
