#pragma once
// TPaintIndex: the paint extents of the drawing's top-level shapes on a uniform grid
// (TUniformGrid) of screen-pixel cells, so that a repaint of part of the page finds the
// shapes that can show in it without looking at every shape.
//
// A shape shows in a rectangle R when it is wider or taller than R, or when its extent
// (the box of its points in zoom, widened by what it draws around them) meets R, edges
// included. The index keeps each shape's extent exactly as the paint pass computes it
// and answers with exactly the shapes for which that holds, in drawing order.
//
// The index does not watch the shapes: its owner rebuilds it when what it reflects
// (TKey) changed, and tells it which shapes changed since (Touch). Before the next query
// the owner hands it their new extents (Patch), which the grid takes in as patches.
#include "component/document/UniformGrid.h"
#include "mycad_export.h"
#include "platform/Types.h"

#include <cstdint>
#include <vector>

class MYCAD_EXPORT TPaintIndex {
public:
    // Where a shape paints, in screen pixels: the size of the box of its points and the
    // box widened by its pen, caption and arrow heads. Invalid for a shape without points.
    struct TExtent {
        bool Valid = false;
        double Width = 0, Height = 0;
        double Left = 0, Top = 0, Right = 0, Bottom = 0;
        // Whether the extent meets R (edges included): only then can the shape's pixels
        // fall into R.
        bool Meets(const TRect& R) const
        {
            return Valid && Right >= R.Left && Left <= R.Right && Bottom >= R.Top && Top <= R.Bottom;
        }
        // Whether the shape counts as showing in R: it is wider or taller than R, or its
        // extent meets R.
        bool Touches(const TRect& R) const
        {
            return Valid && (Width > R.Width() || Height > R.Height() || Meets(R));
        }
    };
    // What a built index reflects.
    struct TKey {
        uint64_t ListGeneration = 0;
        uint64_t GeometryGeneration = 0;
        uint64_t ExtentGeneration = 0;
        double Zoom = 0;
        friend bool operator==(const TKey&, const TKey&) = default;
    };

    bool IsCurrent(const TKey& Key) const { return FGrid.IsCurrent(Key); }
    void Invalidate() { FGrid.Invalidate(); }
    // Takes the extents of the top-level shapes, numbered by their place in the drawing
    // order (No ascending, not negative, below the number of shapes).
    void Build(const std::vector<std::pair<int, TExtent>>& Shapes, const TKey& Key);

    // Notes that top-level shape No may paint elsewhere now (other numbers are ignored).
    void Touch(int No);
    // Takes in top-level shape No appended to the drawing as the only change of the list
    // since the index was current (Key is the drawing's key now); it counts as touched.
    // False, leaving the index invalid, when that cannot hold.
    bool Append(int No, const TKey& Key);
    // The numbers of the shapes touched since the last patch, which the owner patches.
    std::vector<int> TakeTouched();
    // Takes in the new extent of touched shape No; false, leaving the index invalid, when
    // so many shapes were patched that a rebuild is the better way.
    bool Patch(int No, const TExtent& Extent);

    // The numbers of the shapes that show in R, ascending; with Meets, for each of them
    // whether its extent meets R (when not, it shows for its size only).
    void ShapesIn(const TRect& R, std::vector<int>& Out, std::vector<char>* Meets = nullptr);

    // The extent the index holds for top-level shape No, when it is where the shape paints
    // now (the shape has not been touched since it was taken in); null otherwise.
    const TExtent* CurrentExtent(int No) const
    {
        if (!FGrid.IsValid() || No < 0 || size_t(No) >= FEntryOf.size() || FEntryOf[size_t(No)] < 0)
            return nullptr;
        const size_t i = size_t(FEntryOf[size_t(No)]);
        return FTouchedFlag[i] ? nullptr : &FEntries[i].Extent;
    }

    // Statistics, for tests and benchmarks.
    int EntryCount() const { return int(FEntries.size()); }
    int CellCount() const { return FGrid.CellCount(); }
    int CellSize() const { return FGrid.CellSize(); }
    int LooseCount() const { return FGrid.LooseCount(); }
    int PatchedCount() const { return FGrid.PatchedCount(); }

private:
    struct TEntry {
        TExtent Extent;
        int No;
    };
    // Where the grid keeps an extent.
    static TGridBox BoxOf(const TExtent& Extent);

    TUniformGrid<TKey> FGrid;
    std::vector<TEntry> FEntries;     // in drawing order, as the grid numbers them
    std::vector<int> FNos;            // per entry its shape number, packed for queries
    // Entries by a size (their width or height when the index was built), in buckets
    // between powers of two, so that those larger than a given size are found without
    // sorting them all. Sizes that are not a number are left out: they are never larger.
    struct TBySize {
        double Size;
        uint32_t Entry;
    };
    class TSizeBuckets {
    public:
        void Build(const std::vector<TBySize>& Sized);
        // Calls Take(entry) for every entry whose size exceeds Limit, largest buckets first.
        template <typename Fn>
        void ForLarger(double Limit, Fn Take) const;

    private:
        static constexpr int kBuckets = 64;
        static int BucketOf(double Size);
        std::vector<uint32_t> FStart; // per bucket, into FItems (one more than buckets)
        std::vector<TBySize> FItems;
    };
    TSizeBuckets FByWidth;
    TSizeBuckets FByHeight;
    std::vector<int> FEntryOf;        // by shape number: its entry, or -1
    std::vector<char> FTouchedFlag;   // per entry: on the touched list
    std::vector<int> FTouched;        // shape numbers touched since the last patch
    // The bounds of the extents in the cells when the index was built.
    double FMinLeft = 0, FMinTop = 0, FMaxRight = 0, FMaxBottom = 0;
    // Entries found by a query and their marks, one bit per entry (kept to spare the
    // allocations).
    std::vector<uint32_t> FFound;
    std::vector<uint64_t> FFoundMarks;
    std::vector<uint64_t> FMeetingMarks;
};
