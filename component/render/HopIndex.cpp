#include "component/render/HopIndex.h"

#include "component/shapes/MyLinkLine.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

void THopIndex::Clear()
{
    FBuilt = false;
    FSegments.clear();
    FEntries.clear();
    FBandStart.clear();
}

int64_t THopIndex::BandOf(double Y) const
{
    // Within [FTop, FBottom] by the callers; the bound keeps a far band exact as an integer.
    return int64_t(std::min(std::floor((Y - FTop) / FBandHeight), 9.0e15));
}

void THopIndex::Build(const std::vector<const TMyShape*>& Shapes, double Low, double High)
{
    FSegments.clear();
    FEntries.clear();
    FLow = Low;
    FHigh = High;
    double length = 0;
    for (const TMyShape* s : Shapes) {
        // Connectors are the exact kind most of the time: a look at the class spares the
        // walk through the class chain.
        if (!s || (s->metaObject() != &TMyLinkLine::staticMetaObject && !qobject_cast<const TMyLinkLine*>(s)))
            continue;
        const TArrMyPoint& points = s->Points();
        for (size_t k = 0; k + 1 < points.size(); ++k) {
            const TMyPoint a = s->ZoomedValuePt(points[k]), b = s->ZoomedValuePt(points[k + 1]);
            // Points off any scale (not finite) cross nothing.
            if (a.X == b.X && a.Y != b.Y && std::isfinite(a.X) && std::isfinite(a.Y) && std::isfinite(b.Y)
                && std::max(a.Y, b.Y) >= Low && std::min(a.Y, b.Y) <= High) {
                FSegments.push_back({a.X, std::min(a.Y, b.Y), std::max(a.Y, b.Y)});
                length += double(FSegments.back().High) - FSegments.back().Low;
            }
        }
    }
    FBuilt = true;
    if (FSegments.empty())
        return;
    FTop = FSegments.front().Low;
    FBottom = FSegments.front().High;
    for (const TSegment& g : FSegments) {
        FTop = std::min(FTop, double(g.Low));
        FBottom = std::max(FBottom, double(g.High));
    }
    FBandHeight = std::max(1e-3, length / double(FSegments.size()) / 4);
    // The segments by x (of equal x in the order taken); their entries made in that order
    // and then placed by band, keeping it.
    // Sorted as one number each, x above the segment's number: x's bits turned so that
    // they order as x does (x is finite; -0 counts as 0, as it compares).
    std::vector<uint64_t> byX(FSegments.size());
    for (uint32_t i = 0; i < byX.size(); ++i) {
        const uint32_t bits = std::bit_cast<uint32_t>(FSegments[i].X + 0.0f);
        const uint32_t key = bits & 0x80000000u ? ~bits : bits | 0x80000000u;
        byX[i] = uint64_t(key) << 32 | i;
    }
    std::sort(byX.begin(), byX.end());
    // Every band a segment meets, those of its ends included: a crossing lies strictly
    // inside the segment, so in one of them.
    std::vector<TEntry> made;
    made.reserve(FSegments.size() * 2);
    for (const uint64_t key : byX) {
        const uint32_t i = uint32_t(key);
        const TSegment& g = FSegments[i];
        for (int64_t band = BandOf(g.Low), last = BandOf(g.High); band <= last; ++band)
            made.push_back({band, g.X, g.Low, g.High, i});
    }
    PlaceByBand(made);
}

void THopIndex::PlaceByBand(std::vector<TEntry>& Made)
{
    FBandStart.clear();
    const int64_t bands = BandOf(FBottom) + 1;
    if (bands > int64_t(4 * Made.size() + 64)) {
        // Bands spread by outliers: a sort by band, and searches over the whole list.
        std::stable_sort(Made.begin(), Made.end(), [](const TEntry& A, const TEntry& B) { return A.Band < B.Band; });
        FEntries.swap(Made);
        return;
    }
    // A counting pass: where each band starts, then every entry placed in its band.
    FBandStart.assign(size_t(bands) + 1, 0);
    for (const TEntry& e : Made)
        ++FBandStart[size_t(e.Band) + 1];
    for (size_t b = 1; b < FBandStart.size(); ++b)
        FBandStart[b] += FBandStart[b - 1];
    FEntries.resize(Made.size());
    std::vector<uint32_t> next(FBandStart.begin(), FBandStart.end() - 1);
    for (const TEntry& e : Made)
        FEntries[next[size_t(e.Band)]++] = e;
}

bool THopIndex::BandRange(double Y, float Left, float Right, const TEntry*& First, const TEntry*& Last,
                          bool ToRight) const
{
    if (FSegments.empty() || !(Y > FTop && Y < FBottom))
        return false;
    const int64_t band = BandOf(Y);
    const TEntry *from = FEntries.data(), *to = FEntries.data() + FEntries.size();
    if (!FBandStart.empty()) {
        from = FEntries.data() + FBandStart[size_t(band)];
        to = FEntries.data() + FBandStart[size_t(band) + 1];
    } else {
        from = std::lower_bound(from, to, band, [](const TEntry& E, int64_t B) { return E.Band < B; });
        to = std::lower_bound(from, to, band + 1, [](const TEntry& E, int64_t B) { return E.Band < B; });
    }
    First = std::lower_bound(from, to, Left, [](const TEntry& E, float X) { return E.X <= X; });
    Last = ToRight ? std::lower_bound(First, to, Right, [](const TEntry& E, float X) { return E.X < X; }) : to;
    return true;
}

void THopIndex::Crossings(TMyPoint P, TMyPoint Q, std::vector<TMyPoint>& Out) const
{
    Out.clear();
    const TEntry *it = nullptr, *end = nullptr;
    if (!BandRange(P.Y, std::min(P.X, Q.X), std::max(P.X, Q.X), it, end))
        return;
    for (; it != end; ++it)
        if (it->Low < P.Y && P.Y < it->High)
            Out.push_back(TMyPoint(it->X, P.Y));
}

bool THopIndex::Hops(TMyPoint P, TMyPoint Q, int R, std::vector<TMyPoint>& Out, double Until) const
{
    Out.clear();
    const float left = std::min(P.X, Q.X), right = std::max(P.X, Q.X);
    const TEntry *it = nullptr, *end = nullptr;
    if (!BandRange(P.Y, left, right, it, end, false))
        return false;
    bool any = false;
    // Where the previous hop ends; a hop's ends are rounded to float as they are drawn.
    float cur = left;
    const auto hopLeft = [R](float x) { return float(double(x) - R); };
    const auto leftOut = [&](const TEntry& E) { return !(hopLeft(E.X) > cur); };
    while (it != end && it->X < right) {
        if (!(it->Low < P.Y && P.Y < it->High)) {
            ++it;
            continue;
        }
        any = true;
        if (double(hopLeft(it->X)) > Until)
            return true;
        // Ends grow with x: once one hop reaches past the right end, every later one does.
        if (!(right > float(double(it->X) + R)))
            return true;
        if (hopLeft(it->X) > cur) {
            Out.push_back(TMyPoint(it->X, P.Y));
            cur = float(double(it->X) + R);
        }
        // The crossings whose hop would start at or before cur are left out whatever
        // they are: skip them by x, galloping, as they are few.
        ++it;
        size_t step = 1;
        while (step < size_t(end - it) && leftOut(it[step - 1]))
            step *= 2;
        const TEntry* bound = it + std::min(step, size_t(end - it));
        it = std::partition_point(it + step / 2, bound, leftOut);
    }
    return any;
}
