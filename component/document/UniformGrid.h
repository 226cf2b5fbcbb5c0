#pragma once
// TUniformGrid: boxes on a uniform grid of square cells, so that the boxes meeting a
// rectangle (or holding a point) are found without looking at every box. The drawing
// keeps two: the paint index (where top-level shapes paint) and the mouse's picking grid
// (where shape trees can be hit).
//
// Entries are numbered 0, 1, 2, ... in the order they were built or appended; the owner
// maps its own numbers onto them. Each entry is one of
//   - nowhere:    found by no query (a shape without points),
//   - a box:      found by the queries whose rectangle meets it, edges included,
//   - everywhere: found by every query (a box that is not finite, or a shape whose
//                 extent is not bounded by its points).
// Boxes too large for the cells, or beyond the range the cells cover, sit on a loose
// list that every query checks.
//
// The grid does not watch what it indexes: its owner rebuilds it when what it reflects
// (TKey) changed, and patches single entries that moved. A patched entry leaves its
// cells for a short list that every query checks, until so many are on it that a
// rebuild is better (Patch and Append then answer false and the grid is invalid).
#include "mycad_export.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct MYCAD_EXPORT TGridBox {
    enum class TKind : uint8_t { Nowhere, Box, Everywhere };
    TKind Kind = TKind::Nowhere;
    // Inclusive bounds, for Kind Box.
    double Left = 0, Top = 0, Right = 0, Bottom = 0;

    static TGridBox Nowhere() { return {}; }
    static TGridBox Everywhere() { return {TKind::Everywhere, 0, 0, 0, 0}; }
    static TGridBox Of(double Left, double Top, double Right, double Bottom)
    {
        return {TKind::Box, Left, Top, Right, Bottom};
    }
    bool Meets(const TGridBox& R) const
    {
        return Kind == TKind::Everywhere ||
               (Kind == TKind::Box && Right >= R.Left && Left <= R.Right && Bottom >= R.Top && Top <= R.Bottom);
    }
    bool operator==(const TGridBox&) const = default;
};

// The cells, the loose list and the patch list; TUniformGrid adds what a build reflects.
class MYCAD_EXPORT TGridCells {
public:
    bool IsValid() const { return FValid; }
    void Invalidate() { FValid = false; }

    // Places entry i at Boxes[i]; the grid becomes valid.
    void Place(const std::vector<TGridBox>& Boxes);
    // Moves entry Entry to Box (out of its cells, onto the patch list). False, leaving
    // the grid invalid, when so many entries were patched that a rebuild is better.
    bool Patch(uint32_t Entry, const TGridBox& Box);
    // Adds an entry (numbered EntryCount() before the call), on the patch list; false as
    // Patch.
    bool Append(const TGridBox& Box);
    const TGridBox& BoxOf(uint32_t Entry) const { return FBoxes[Entry]; }
    // The entries patched or appended since the last build, and whether one is.
    const std::vector<uint32_t>& Patched() const { return FPatched; }
    bool IsPatched(uint32_t Entry) const { return FMoved[Entry] != 0; }

    // Calls Visit(entry) once for every entry whose box meets R (R of kind Box), and for
    // every entry found everywhere; in no particular order. Nothing when invalid.
    template <typename Fn>
    void ForEachMeeting(const TGridBox& R, Fn Visit) const;
    // Calls Visit(entry) for every entry whose box holds the point.
    template <typename Fn>
    void ForEachHolding(double X, double Y, Fn Visit) const
    {
        ForEachMeeting(TGridBox::Of(X, Y, X, Y), Visit);
    }

    // Statistics, for tests and benchmarks.
    int EntryCount() const { return int(FBoxes.size()); }
    int CellCount() const { return FCols * FRows; }
    int CellSize() const { return int(FCellSize); }
    // Entries of kind Box in the cells, and on the loose list (too large, out of range).
    int CelledCount() const { return FCelled; }
    int LooseBoxCount() const { return FLooseBoxes; }
    int EverywhereCount() const { return FEverywhere; }
    int LooseCount() const { return int(FLoose.size()); }
    int PatchedCount() const { return int(FPatched.size()); }

private:
    // An entry in a cell, with the first column and row of its cells: a query takes it in
    // one cell only, the first of the entry's cells that the query visits.
    struct TItem {
        uint32_t Entry;
        int Col, Row;
    };
    bool TooManyPatched() const { return FPatched.size() > 1024 + FBoxes.size() / 16; }

    bool FValid = false;
    std::vector<TGridBox> FBoxes;     // per entry
    std::vector<char> FMoved;         // per entry: patched, so out of the cells and the loose list
    std::vector<uint32_t> FCellStart; // per cell, into FItems (one more than cells)
    std::vector<TItem> FItems;        // entries ascending per cell
    std::vector<uint32_t> FLoose;     // entries outside the cells
    std::vector<uint32_t> FPatched;   // patched entries
    double FOriginX = 0, FOriginY = 0, FCellSize = 1;
    int FCols = 0, FRows = 0;
    int FCelled = 0, FLooseBoxes = 0, FEverywhere = 0;
};

template <typename Fn>
void TGridCells::ForEachMeeting(const TGridBox& R, Fn Visit) const
{
    if (!FValid)
        return;
    if (FCols > 0) {
        const double x0 = (R.Left - FOriginX) / FCellSize, x1 = (R.Right - FOriginX) / FCellSize;
        const double y0 = (R.Top - FOriginY) / FCellSize, y1 = (R.Bottom - FOriginY) / FCellSize;
        if (x1 >= 0 && y1 >= 0 && x0 < FCols && y0 < FRows) {
            auto clamp = [](double v, int count) { return v < 0 ? 0 : v >= count ? count - 1 : int(v); };
            const int c0 = clamp(x0, FCols), c1 = clamp(x1, FCols);
            const int r0 = clamp(y0, FRows), r1 = clamp(y1, FRows);
            for (int r = r0; r <= r1; ++r)
                for (int c = c0; c <= c1; ++c) {
                    const size_t k = size_t(r) * size_t(FCols) + size_t(c);
                    for (uint32_t at = FCellStart[k]; at < FCellStart[k + 1]; ++at) {
                        const TItem& item = FItems[at];
                        if ((item.Col < c0 ? c0 : item.Col) == c && (item.Row < r0 ? r0 : item.Row) == r &&
                            !FMoved[item.Entry] && FBoxes[item.Entry].Meets(R))
                            Visit(item.Entry);
                    }
                }
        }
    }
    for (uint32_t i : FLoose)
        if (!FMoved[i] && FBoxes[i].Meets(R))
            Visit(i);
    for (uint32_t i : FPatched)
        if (FBoxes[i].Meets(R))
            Visit(i);
}

// A grid that knows what its build reflects.
template <typename TKey>
class TUniformGrid : public TGridCells {
public:
    bool IsCurrent(const TKey& Key) const { return IsValid() && Key == FKey; }
    void Build(const std::vector<TGridBox>& Boxes, const TKey& Key)
    {
        Place(Boxes);
        FKey = Key;
    }
    // Appends an entry when the grid is current up to Key (the owner's key now, after
    // the one change the entry stands for).
    bool Append(const TGridBox& Box, const TKey& Key)
    {
        FKey = Key;
        return TGridCells::Append(Box);
    }
    const TKey& Key() const { return FKey; }

private:
    TKey FKey{};
};
