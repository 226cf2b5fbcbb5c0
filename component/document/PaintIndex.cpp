#include "document/PaintIndex.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kBound = 1 << 30; // extents beyond it stay out of the cells
constexpr int kMaxCellsPerEntry = 64;

bool Boxable(const TPaintIndex::TExtent& E)
{
    const double v[] = {E.Left, E.Top, E.Right, E.Bottom};
    for (double x : v)
        if (!std::isfinite(x) || std::abs(x) > kBound)
            return false;
    return E.Left <= E.Right && E.Top <= E.Bottom;
}

// Sorting key for the size lists: not-a-number sizes never make a shape "larger".
double SizeKey(double v)
{
    return std::isnan(v) ? -HUGE_VAL : v;
}
} // namespace

void TPaintIndex::Build(const std::vector<std::pair<int, TExtent>>& Shapes, const TKey& Key)
{
    FEntries.clear();
    for (const auto& [no, extent] : Shapes)
        if (extent.Valid)
            FEntries.push_back({extent, no});
    const size_t n = FEntries.size();
    FSeen.assign(n, 0);
    FQuery = 0;

    FByWidth.resize(n);
    FByHeight.resize(n);
    for (uint32_t i = 0; i < n; ++i)
        FByWidth[i] = FByHeight[i] = i;
    std::stable_sort(FByWidth.begin(), FByWidth.end(), [this](uint32_t a, uint32_t b) {
        return SizeKey(FEntries[a].Extent.Width) > SizeKey(FEntries[b].Extent.Width);
    });
    std::stable_sort(FByHeight.begin(), FByHeight.end(), [this](uint32_t a, uint32_t b) {
        return SizeKey(FEntries[a].Extent.Height) > SizeKey(FEntries[b].Extent.Height);
    });

    BuildCells();
    FKey = Key;
    FValid = true;
}

void TPaintIndex::BuildCells()
{
    FLoose.clear();
    FCellItems.clear();
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
    std::vector<char> gridded(FEntries.size(), 0);
    for (uint32_t i = 0; i < FEntries.size(); ++i) {
        const TExtent& x = FEntries[i].Extent;
        int c0, c1, r0, r1;
        if (!Boxable(x) || (cellRange(x, c0, c1, r0, r1), (c1 - c0 + 1) * (r1 - r0 + 1) > kMaxCellsPerEntry)) {
            FLoose.push_back(i);
            continue;
        }
        gridded[i] = 1;
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                ++counts[size_t(r) * size_t(FCols) + size_t(c) + 1];
    }
    for (size_t k = 1; k < counts.size(); ++k)
        counts[k] += counts[k - 1];
    FCellStart = counts;
    FCellItems.resize(FCellStart.back());
    for (uint32_t i = 0; i < FEntries.size(); ++i) {
        if (!gridded[i])
            continue;
        int c0, c1, r0, r1;
        cellRange(FEntries[i].Extent, c0, c1, r0, r1);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                FCellItems[counts[size_t(r) * size_t(FCols) + size_t(c)]++] = i;
    }
}

void TPaintIndex::Take(uint32_t Entry, const TRect& R, std::vector<uint32_t>& Found)
{
    if (FSeen[Entry] == FQuery)
        return;
    FSeen[Entry] = FQuery;
    if (FEntries[Entry].Extent.Touches(R))
        Found.push_back(Entry);
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
    if (++FQuery == 0) {
        std::fill(FSeen.begin(), FSeen.end(), 0);
        FQuery = 1;
    }
    std::vector<uint32_t> found;
    if (FCols > 0 && R.Right >= FMinLeft && R.Left <= FMaxRight && R.Bottom >= FMinTop && R.Top <= FMaxBottom) {
        const double size = FCellSize, ox = std::floor(FMinLeft), oy = std::floor(FMinTop);
        auto cell = [size](double v, double origin, int count) {
            return int(std::clamp(std::floor((v - origin) / size), 0.0, double(count - 1)));
        };
        const int c0 = cell(R.Left, ox, FCols), c1 = cell(R.Right, ox, FCols);
        const int r0 = cell(R.Top, oy, FRows), r1 = cell(R.Bottom, oy, FRows);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                const size_t k = size_t(r) * size_t(FCols) + size_t(c);
                for (uint32_t at = FCellStart[k]; at < FCellStart[k + 1]; ++at)
                    Take(FCellItems[at], R, found);
            }
    }
    for (uint32_t i : FLoose)
        Take(i, R, found);
    for (uint32_t i : FByWidth) {
        if (!(FEntries[i].Extent.Width > R.Width()))
            break;
        Take(i, R, found);
    }
    for (uint32_t i : FByHeight) {
        if (!(FEntries[i].Extent.Height > R.Height()))
            break;
        Take(i, R, found);
    }
    std::sort(found.begin(), found.end());
    Out.reserve(found.size());
    for (uint32_t i : found)
        Out.push_back(FEntries[i].No);
}
