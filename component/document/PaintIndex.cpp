#include "component/document/PaintIndex.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kBound = 1 << 30; // extents beyond it stay out of the cells
constexpr int kMaxCellsPerEntry = 64;

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

void TPaintIndex::Build(const std::vector<std::pair<int, TExtent>>& Shapes, const TKey& Key)
{
    // Shapes without an extent get entries too, so that they can be patched in later.
    FEntries.clear();
    FEntryOf.clear();
    for (const auto& [no, extent] : Shapes) {
        if (no < 0)
            continue;
        if (size_t(no) >= FEntryOf.size())
            FEntryOf.resize(size_t(no) + 1, -1);
        FEntryOf[size_t(no)] = int(FEntries.size());
        FEntries.push_back({extent, no});
    }
    const size_t n = FEntries.size();
    FMoved.assign(n, 0);
    FPatched.clear();
    FTouchedFlag.assign(n, 0);
    FTouched.clear();

    std::vector<TBySize> widths, heights;
    widths.reserve(n);
    heights.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        const TExtent& e = FEntries[i].Extent;
        if (e.Valid) {
            widths.push_back({e.Width, i});
            heights.push_back({e.Height, i});
        }
    }
    FByWidth.Build(widths);
    FByHeight.Build(heights);

    BuildCells();
    FKey = Key;
    FValid = true;
}

void TPaintIndex::BuildCells()
{
    FLoose.clear();
    FCellItems.clear();
    FPlaces.assign(FEntries.size(), TPlace());
    FCellStart.assign(1, 0);
    FCols = FRows = 0;
    FCellSize = 1;
    FMinLeft = FMinTop = FMaxRight = FMaxBottom = 0;
    bool any = false;
    double span = 0;
    size_t boxable = 0;
    for (const TEntry& e : FEntries) {
        if (!Boxable(e.Extent))
            continue;
        const TExtent& x = e.Extent;
        FMinLeft = any ? std::min(FMinLeft, x.Left) : x.Left;
        FMinTop = any ? std::min(FMinTop, x.Top) : x.Top;
        FMaxRight = any ? std::max(FMaxRight, x.Right) : x.Right;
        FMaxBottom = any ? std::max(FMaxBottom, x.Bottom) : x.Bottom;
        span += std::max(x.Right - x.Left, x.Bottom - x.Top);
        ++boxable;
        any = true;
    }
    if (!any) {
        for (uint32_t i = 0; i < FEntries.size(); ++i)
            FLoose.push_back(i);
        return;
    }
    // Cells about as large as a typical shape, and not many more cells than shapes.
    const double width = FMaxRight - FMinLeft + 1, height = FMaxBottom - FMinTop + 1;
    double size = std::clamp(std::ceil(span / double(boxable)), 8.0, kBound);
    while ((std::floor(width / size) + 1) * (std::floor(height / size) + 1) > 4.0 * double(boxable) + 64)
        size *= 2;
    FCellSize = int(size);
    FCols = int(std::floor(width / size)) + 1;
    FRows = int(std::floor(height / size)) + 1;

    const double ox = std::floor(FMinLeft), oy = std::floor(FMinTop);
    auto cellRange = [&](const TExtent& x, int& c0, int& c1, int& r0, int& r1) {
        c0 = int(std::floor((x.Left - ox) / size));
        c1 = int(std::floor((x.Right - ox) / size));
        r0 = int(std::floor((x.Top - oy) / size));
        r1 = int(std::floor((x.Bottom - oy) / size));
    };
    std::vector<uint32_t> counts(size_t(FCols) * size_t(FRows) + 1, 0);
    for (uint32_t i = 0; i < FEntries.size(); ++i) {
        const TExtent& x = FEntries[i].Extent;
        TPlace& p = FPlaces[i];
        if (!x.Valid)
            continue; // shows nowhere until patched
        if (!Boxable(x) || (cellRange(x, p.C0, p.C1, p.R0, p.R1), (p.C1 - p.C0 + 1) * (p.R1 - p.R0 + 1) > kMaxCellsPerEntry)) {
            p = TPlace();
            FLoose.push_back(i);
            continue;
        }
        for (int r = p.R0; r <= p.R1; ++r)
            for (int c = p.C0; c <= p.C1; ++c)
                ++counts[size_t(r) * size_t(FCols) + size_t(c) + 1];
    }
    for (size_t k = 1; k < counts.size(); ++k)
        counts[k] += counts[k - 1];
    FCellStart = counts;
    FCellItems.resize(FCellStart.back());
    for (uint32_t i = 0; i < FEntries.size(); ++i) {
        const TPlace& p = FPlaces[i];
        if (p.C0 < 0)
            continue;
        for (int r = p.R0; r <= p.R1; ++r)
            for (int c = p.C0; c <= p.C1; ++c)
                FCellItems[counts[size_t(r) * size_t(FCols) + size_t(c)]++] = {i, p.C0, p.R0};
    }
}

void TPaintIndex::ShapesIn(const TRect& R, std::vector<int>& Out)
{
    Out.clear();
    if (!FValid)
        return;
    if (R.Left <= FMinLeft && R.Top <= FMinTop && R.Right >= FMaxRight && R.Bottom >= FMaxBottom) {
        // R holds every cell: no need to gather.
        for (const TEntry& e : FEntries)
            if (e.Extent.Touches(R))
                Out.push_back(e.No);
        return;
    }
    std::vector<uint32_t> found;
    auto take = [&](uint32_t i) {
        if (FEntries[i].Extent.Touches(R))
            found.push_back(i);
    };
    // The cells R meets, if any: every entry in them is looked at in the first of its
    // cells that R meets.
    int c0 = 0, c1 = -1, r0 = 0, r1 = -1;
    if (FCols > 0 && R.Right >= FMinLeft && R.Left <= FMaxRight && R.Bottom >= FMinTop && R.Top <= FMaxBottom) {
        const double size = FCellSize, ox = std::floor(FMinLeft), oy = std::floor(FMinTop);
        auto cell = [size](double v, double origin, int count) {
            return int(std::clamp(std::floor((v - origin) / size), 0.0, double(count - 1)));
        };
        c0 = cell(R.Left, ox, FCols);
        c1 = cell(R.Right, ox, FCols);
        r0 = cell(R.Top, oy, FRows);
        r1 = cell(R.Bottom, oy, FRows);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                const size_t k = size_t(r) * size_t(FCols) + size_t(c);
                for (uint32_t at = FCellStart[k]; at < FCellStart[k + 1]; ++at) {
                    const TItem& item = FCellItems[at];
                    if (std::max(item.Col, c0) == c && std::max(item.Row, r0) == r && !FMoved[item.Entry])
                        take(item.Entry);
                }
            }
    }
    for (uint32_t i : FLoose)
        if (!FMoved[i])
            take(i);
    for (uint32_t i : FPatched)
        take(i);
    // Shapes larger than R show wherever they are; those in the cells R meets and those
    // on the loose and patched lists have been looked at already.
    auto elsewhere = [&](uint32_t i) {
        const TPlace& p = FPlaces[i];
        return !FMoved[i] && p.C0 >= 0 && (p.C1 < c0 || p.C0 > c1 || p.R1 < r0 || p.R0 > r1);
    };
    FByWidth.ForLarger(R.Width(), [&](uint32_t i) {
        if (elsewhere(i))
            found.push_back(i);
    });
    FByHeight.ForLarger(R.Height(), [&](uint32_t i) {
        if (elsewhere(i) && !(FEntries[i].Extent.Width > R.Width()))
            found.push_back(i);
    });
    std::sort(found.begin(), found.end());
    Out.reserve(found.size());
    for (uint32_t i : found)
        Out.push_back(FEntries[i].No);
}

void TPaintIndex::Touch(int No)
{
    if (!FValid || No < 0 || size_t(No) >= FEntryOf.size() || FEntryOf[size_t(No)] < 0)
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
    if (!FValid || No < 0 || size_t(No) >= FEntryOf.size() || FEntryOf[size_t(No)] < 0)
        return FValid;
    const uint32_t i = uint32_t(FEntryOf[size_t(No)]);
    FEntries[i].Extent = Extent;
    if (!FMoved[i]) {
        FMoved[i] = 1;
        FPatched.push_back(i);
    }
    if (FPatched.size() > 1024 + FEntries.size() / 16) {
        FValid = false;
        return false;
    }
    return true;
}

bool TPaintIndex::Append(int No, const TKey& Key)
{
    // Numbers come in drawing order; one far beyond the last means the list was renumbered.
    if (!FValid || No < 0 || size_t(No) < FEntryOf.size() || size_t(No) > FEntryOf.size() + 1024) {
        FValid = false;
        return false;
    }
    FEntryOf.resize(size_t(No) + 1, -1);
    const uint32_t i = uint32_t(FEntries.size());
    FEntryOf[size_t(No)] = int(i);
    FEntries.push_back({TExtent(), No});
    FPlaces.emplace_back();
    FMoved.push_back(1);
    FPatched.push_back(i);
    FTouchedFlag.push_back(0);
    FKey = Key;
    Touch(No);
    if (FPatched.size() > 1024 + FEntries.size() / 16)
        FValid = false;
    return FValid;
}
