#include "component/document/UniformGrid.h"

#include <algorithm>
#include <cmath>

namespace {
// Boxes beyond it stay out of the cells.
constexpr double kBound = double(1 << 30);
// A box covering more cells than this goes on the loose list.
constexpr int64_t kMaxCellsPerEntry = 64;

bool Cellable(const TGridBox& B)
{
    if (B.Kind != TGridBox::TKind::Box)
        return false;
    for (double v : {B.Left, B.Top, B.Right, B.Bottom})
        if (!std::isfinite(v) || std::abs(v) > kBound)
            return false;
    return B.Left <= B.Right && B.Top <= B.Bottom;
}
} // namespace

void TGridCells::Place(const std::vector<TGridBox>& Boxes)
{
    FBoxes = Boxes;
    const size_t n = FBoxes.size();
    FMoved.assign(n, 0);
    FPatched.clear();
    FLoose.clear();
    FItems.clear();
    FCellStart.assign(1, 0);
    FCols = FRows = 0;
    FCellSize = 1;
    FOriginX = FOriginY = 0;
    FCelled = FLooseBoxes = FEverywhere = 0;
    FValid = true;

    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    std::vector<double> sizes;
    sizes.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        const TGridBox& b = FBoxes[i];
        if (b.Kind == TGridBox::TKind::Everywhere) {
            FLoose.push_back(i);
            ++FEverywhere;
            continue;
        }
        if (b.Kind != TGridBox::TKind::Box)
            continue;
        if (!Cellable(b)) {
            FLoose.push_back(i);
            ++FLooseBoxes;
            continue;
        }
        minX = sizes.empty() ? b.Left : std::min(minX, b.Left);
        minY = sizes.empty() ? b.Top : std::min(minY, b.Top);
        maxX = sizes.empty() ? b.Right : std::max(maxX, b.Right);
        maxY = sizes.empty() ? b.Bottom : std::max(maxY, b.Bottom);
        sizes.push_back(std::max(b.Right - b.Left, b.Bottom - b.Top) + 1);
    }
    if (sizes.empty())
        return;
    // Cells about as large as a typical box (a point then meets about as many boxes in its
    // cell as overlap there, and a box lands in about four cells), and not many more
    // cells than boxes.
    const size_t boxes = sizes.size();
    std::nth_element(sizes.begin(), sizes.begin() + ptrdiff_t(boxes / 2), sizes.end());
    const double width = maxX - std::floor(minX) + 1, height = maxY - std::floor(minY) + 1;
    double size = std::clamp(std::ceil(sizes[boxes / 2]), 8.0, kBound);
    while ((std::floor(width / size) + 1) * (std::floor(height / size) + 1) > 4.0 * double(boxes) + 64)
        size *= 2;
    FCellSize = size;
    FOriginX = std::floor(minX);
    FOriginY = std::floor(minY);
    FCols = int(std::floor(width / size)) + 1;
    FRows = int(std::floor(height / size)) + 1;

    struct TRange {
        int C0, R0, C1, R1;
    };
    auto rangeOf = [this](const TGridBox& b) {
        return TRange{int((b.Left - FOriginX) / FCellSize), int((b.Top - FOriginY) / FCellSize),
                      int((b.Right - FOriginX) / FCellSize), int((b.Bottom - FOriginY) / FCellSize)};
    };
    std::vector<uint32_t> counts(size_t(FCols) * size_t(FRows) + 1, 0);
    std::vector<uint32_t> celled;
    celled.reserve(boxes);
    for (uint32_t i = 0; i < n; ++i) {
        if (!Cellable(FBoxes[i]))
            continue;
        const TRange g = rangeOf(FBoxes[i]);
        if (int64_t(g.C1 - g.C0 + 1) * (g.R1 - g.R0 + 1) > kMaxCellsPerEntry) {
            FLoose.push_back(i);
            ++FLooseBoxes;
            continue;
        }
        celled.push_back(i);
        for (int r = g.R0; r <= g.R1; ++r)
            for (int c = g.C0; c <= g.C1; ++c)
                ++counts[size_t(r) * size_t(FCols) + size_t(c) + 1];
    }
    FCelled = int(celled.size());
    for (size_t k = 1; k < counts.size(); ++k)
        counts[k] += counts[k - 1];
    FCellStart = counts;
    FItems.resize(FCellStart.back());
    for (uint32_t i : celled) {
        const TRange g = rangeOf(FBoxes[i]);
        for (int r = g.R0; r <= g.R1; ++r)
            for (int c = g.C0; c <= g.C1; ++c)
                FItems[counts[size_t(r) * size_t(FCols) + size_t(c)]++] = {i, g.C0, g.R0};
    }
}

bool TGridCells::Patch(uint32_t Entry, const TGridBox& Box)
{
    if (!FValid || Entry >= FBoxes.size())
        return FValid;
    FBoxes[Entry] = Box;
    if (!FMoved[Entry]) {
        FMoved[Entry] = 1;
        FPatched.push_back(Entry);
    }
    if (TooManyPatched())
        FValid = false;
    return FValid;
}

bool TGridCells::Append(const TGridBox& Box)
{
    if (!FValid)
        return false;
    const uint32_t i = uint32_t(FBoxes.size());
    FBoxes.push_back(Box);
    FMoved.push_back(1);
    FPatched.push_back(i);
    if (TooManyPatched())
        FValid = false;
    return FValid;
}
