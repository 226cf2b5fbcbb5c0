#include "component/document/PaintIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {
constexpr double kBound = 1 << 30; // extents beyond it stay out of the cells

bool Boxable(const TPaintIndex::TExtent& E)
{
    if (!E.Valid)
        return false;
    const double v[] = {E.Left, E.Top, E.Right, E.Bottom};
    for (double x : v)
        if (!std::isfinite(x) || std::abs(x) > kBound)
            return false;
    return E.Left <= E.Right && E.Top <= E.Bottom;
}

} // namespace

// Bucket 0 holds sizes below 1 (negative ones too); bucket b > 0 sizes from 2^(b-1) up to
// 2^b, the last one everything larger, infinity included.
int TPaintIndex::TSizeBuckets::BucketOf(double Size)
{
    if (!(Size >= 1))
        return 0;
    if (std::isinf(Size))
        return kBuckets - 1;
    return std::min(kBuckets - 1, 1 + std::ilogb(Size));
}

void TPaintIndex::TSizeBuckets::Build(const std::vector<TBySize>& Sized)
{
    FStart.assign(kBuckets + 1, 0);
    for (const TBySize& s : Sized)
        if (!std::isnan(s.Size))
            ++FStart[size_t(BucketOf(s.Size)) + 1];
    for (int b = 0; b < kBuckets; ++b)
        FStart[size_t(b) + 1] += FStart[size_t(b)];
    std::vector<uint32_t> at(FStart.begin(), FStart.end() - 1);
    FItems.resize(FStart.back());
    for (const TBySize& s : Sized)
        if (!std::isnan(s.Size))
            FItems[at[size_t(BucketOf(s.Size))]++] = s;
}

template <typename Fn>
void TPaintIndex::TSizeBuckets::ForLarger(double Limit, Fn Take) const
{
    if (FStart.empty())
        return;
    for (int b = kBuckets - 1; b >= 0; --b) {
        // Every size in bucket b lies in [lower, upper).
        const double lower = b == 0 ? -HUGE_VAL : std::ldexp(1.0, b - 1);
        const double upper = b == 0 ? 1.0 : b == kBuckets - 1 ? HUGE_VAL : std::ldexp(1.0, b);
        if (b < kBuckets - 1 && upper <= Limit)
            return;
        for (uint32_t k = FStart[size_t(b)]; k < FStart[size_t(b) + 1]; ++k)
            if (lower > Limit || FItems[k].Size > Limit)
                Take(FItems[k].Entry);
    }
}

TGridBox TPaintIndex::BoxOf(const TExtent& E)
{
    if (!E.Valid)
        return TGridBox::Nowhere();
    // Extents that cannot be boxed are checked by every query.
    if (!Boxable(E))
        return TGridBox::Everywhere();
    return TGridBox::Of(E.Left, E.Top, E.Right, E.Bottom);
}

void TPaintIndex::Build(const std::vector<std::pair<int, TExtent>>& Shapes, const TKey& Key)
{
    // Shapes without an extent get entries too, so that they can be patched in later.
    // Sized once: the index lives as long as the drawing is shown.
    FEntries.clear();
    FEntries.reserve(Shapes.size());
    FNos.clear();
    FNos.reserve(Shapes.size());
    int largest = -1;
    for (const auto& entry : Shapes)
        largest = std::max(largest, entry.first);
    FEntryOf.assign(size_t(largest + 1), -1);
    for (const auto& [no, extent] : Shapes) {
        if (no < 0)
            continue;
        FEntryOf[size_t(no)] = int(FEntries.size());
        FEntries.push_back({extent, no});
        FNos.push_back(no);
    }
    const size_t n = FEntries.size();
    FTouchedFlag.assign(n, 0);
    FTouched.clear();

    std::vector<TBySize> widths, heights;
    std::vector<TGridBox> boxes;
    widths.reserve(n);
    heights.reserve(n);
    boxes.reserve(n);
    bool any = false;
    for (uint32_t i = 0; i < n; ++i) {
        const TExtent& e = FEntries[i].Extent;
        boxes.push_back(BoxOf(e));
        if (!e.Valid)
            continue;
        widths.push_back({e.Width, i});
        heights.push_back({e.Height, i});
        if (boxes.back().Kind != TGridBox::TKind::Box)
            continue;
        FMinLeft = any ? std::min(FMinLeft, e.Left) : e.Left;
        FMinTop = any ? std::min(FMinTop, e.Top) : e.Top;
        FMaxRight = any ? std::max(FMaxRight, e.Right) : e.Right;
        FMaxBottom = any ? std::max(FMaxBottom, e.Bottom) : e.Bottom;
        any = true;
    }
    if (!any)
        FMinLeft = FMinTop = FMaxRight = FMaxBottom = 0;
    FByWidth.Build(widths);
    FByHeight.Build(heights);
    FGrid.Build(boxes, Key);
}

void TPaintIndex::ShapesIn(const TRect& R, std::vector<int>& Out, std::vector<char>* Meets)
{
    Out.clear();
    if (Meets)
        Meets->clear();
    if (!FGrid.IsValid())
        return;
    // When R covers a good part of the extents' bounds, most shapes show: one pass over
    // all of them, already in order, costs less than gathering them from the cells and
    // sorting them.
    const double overlapWidth = std::min<double>(R.Right, FMaxRight) - std::max<double>(R.Left, FMinLeft);
    const double overlapHeight = std::min<double>(R.Bottom, FMaxBottom) - std::max<double>(R.Top, FMinTop);
    const double boundsArea = (FMaxRight - FMinLeft) * (FMaxBottom - FMinTop);
    if (overlapWidth >= 0 && overlapHeight >= 0 && overlapWidth * overlapHeight * 8 >= boundsArea) {
        for (const TEntry& e : FEntries)
            if (e.Extent.Touches(R)) {
                Out.push_back(e.No);
                if (Meets)
                    Meets->push_back(e.Extent.Meets(R));
            }
        return;
    }
    // Each find is its entry's number, doubled, plus one when the extent meets R.
    std::vector<uint32_t>& found = FFound;
    found.clear();
    auto take = [&](uint32_t i) {
        if (FEntries[i].Extent.Touches(R))
            found.push_back(i << 1 | uint32_t(FEntries[i].Extent.Meets(R)));
    };
    // Extents that meet R (a box the grid found holds the extent's own bounds), those
    // checked by every query, and the patched ones (whose size the buckets do not know).
    FGrid.ForEachMeeting(TGridBox::Of(R.Left, R.Top, R.Right, R.Bottom), [&](uint32_t i) {
        if (FGrid.BoxOf(i).Kind == TGridBox::TKind::Box)
            found.push_back(i << 1 | 1);
        else
            take(i);
    });
    for (uint32_t i : FGrid.Patched())
        take(i);
    // Shapes larger than R show wherever they are; an entry not patched since the build
    // has the size the buckets hold. Whether it also meets R, its other finds say.
    auto larger = [&](uint32_t i) {
        if (!FGrid.IsPatched(i))
            found.push_back(i << 1);
    };
    FByWidth.ForLarger(R.Width(), larger);
    FByHeight.ForLarger(R.Height(), larger);
    Out.reserve(found.size());
    if (Meets)
        Meets->reserve(found.size());
    const auto put = [&](uint32_t i, bool meets) {
        Out.push_back(FNos[i]);
        if (Meets)
            Meets->push_back(meets);
    };
    // In entry order without repeats: marked in a bit per entry and read off in order when
    // that costs less than sorting them.
    if (found.size() * 16 >= FEntries.size() / 64) {
        std::vector<uint64_t>& marks = FFoundMarks;
        std::vector<uint64_t>& meeting = FMeetingMarks;
        marks.assign((FEntries.size() + 63) / 64, 0);
        meeting.assign(marks.size(), 0);
        for (uint32_t f : found) {
            const uint32_t i = f >> 1;
            marks[i / 64] |= uint64_t(1) << (i % 64);
            meeting[i / 64] |= uint64_t(f & 1) << (i % 64);
        }
        for (size_t w = 0; w < marks.size(); ++w)
            for (uint64_t bits = marks[w]; bits != 0; bits &= bits - 1) {
                const int b = std::countr_zero(bits);
                put(uint32_t(w * 64 + size_t(b)), (meeting[w] >> b) & 1);
            }
        return;
    }
    std::sort(found.begin(), found.end());
    for (size_t k = 0; k < found.size();) {
        const uint32_t i = found[k] >> 1;
        bool meets = false;
        for (; k < found.size() && found[k] >> 1 == i; ++k)
            meets = meets || (found[k] & 1);
        put(i, meets);
    }
}

void TPaintIndex::Touch(int No)
{
    if (!FGrid.IsValid() || No < 0 || size_t(No) >= FEntryOf.size() || FEntryOf[size_t(No)] < 0)
        return;
    const size_t i = size_t(FEntryOf[size_t(No)]);
    if (!FTouchedFlag[i]) {
        FTouchedFlag[i] = 1;
        FTouched.push_back(No);
    }
}

std::vector<int> TPaintIndex::TakeTouched()
{
    std::vector<int> touched;
    touched.swap(FTouched);
    for (int no : touched)
        FTouchedFlag[size_t(FEntryOf[size_t(no)])] = 0;
    return touched;
}

bool TPaintIndex::Patch(int No, const TExtent& Extent)
{
    if (!FGrid.IsValid() || No < 0 || size_t(No) >= FEntryOf.size() || FEntryOf[size_t(No)] < 0)
        return FGrid.IsValid();
    const uint32_t i = uint32_t(FEntryOf[size_t(No)]);
    FEntries[i].Extent = Extent;
    return FGrid.Patch(i, BoxOf(Extent));
}

bool TPaintIndex::Append(int No, const TKey& Key)
{
    // Numbers come in drawing order; one far beyond the last means the list was renumbered.
    if (!FGrid.IsValid() || No < 0 || size_t(No) < FEntryOf.size() || size_t(No) > FEntryOf.size() + 1024) {
        FGrid.Invalidate();
        return false;
    }
    FEntryOf.resize(size_t(No) + 1, -1);
    const uint32_t i = uint32_t(FEntries.size());
    FEntryOf[size_t(No)] = int(i);
    FEntries.push_back({TExtent(), No});
    FNos.push_back(No);
    FTouchedFlag.push_back(0);
    if (!FGrid.Append(TGridBox::Nowhere(), Key))
        return false;
    Touch(No);
    return true;
}
