#include "component/render/HopIndex.h"

#include "component/shapes/MyLinkLine.h"

#include <algorithm>
#include <cmath>

void THopIndex::Clear()
{
    FBuilt = false;
    FSegments.clear();
    FEntries.clear();
}

int64_t THopIndex::BandOf(double Y) const
{
    // Within [FTop, FBottom] by the callers; the bound keeps a far band exact as an integer.
    return int64_t(std::min(std::floor((Y - FTop) / FBandHeight), 9.0e15));
}

void THopIndex::Build(const std::vector<const TMyShape*>& Shapes)
{
    FSegments.clear();
    FEntries.clear();
    double length = 0;
    for (const TMyShape* s : Shapes) {
        const auto* line = qobject_cast<const TMyLinkLine*>(s);
        if (!line)
            continue;
        const int n = line->GetPointsCount();
        for (int k = 0; k + 1 < n; ++k) {
            const TMyPoint a = line->GetPointInZoom(k), b = line->GetPointInZoom(k + 1);
            // Points off any scale (not finite) cross nothing.
            if (a.X == b.X && a.Y != b.Y && std::isfinite(a.X) && std::isfinite(a.Y) && std::isfinite(b.Y)) {
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
    // Every band a segment meets, those of its ends included: a crossing lies strictly
    // inside the segment, so in one of them.
    for (uint32_t i = 0; i < FSegments.size(); ++i) {
        const TSegment& g = FSegments[i];
        for (int64_t band = BandOf(g.Low), last = BandOf(g.High); band <= last; ++band)
            FEntries.push_back({band, g.X, i});
    }
    std::sort(FEntries.begin(), FEntries.end(), [](const TEntry& A, const TEntry& B) {
        if (A.Band != B.Band)
            return A.Band < B.Band;
        return A.X != B.X ? A.X < B.X : A.Segment < B.Segment;
    });
}

void THopIndex::Crossings(TMyPoint P, TMyPoint Q, std::vector<TMyPoint>& Out) const
{
    Out.clear();
    const double y = P.Y;
    if (FSegments.empty() || !(y > FTop && y < FBottom))
        return;
    const float left = std::min(P.X, Q.X), right = std::max(P.X, Q.X);
    const int64_t band = BandOf(y);
    auto it = std::lower_bound(FEntries.begin(), FEntries.end(), std::pair(band, left),
                               [](const TEntry& E, const std::pair<int64_t, float>& K) {
                                   return E.Band != K.first ? E.Band < K.first : E.X <= K.second;
                               });
    for (; it != FEntries.end() && it->Band == band && it->X < right; ++it) {
        const TSegment& g = FSegments[it->Segment];
        if (g.Low < P.Y && P.Y < g.High)
            Out.push_back(TMyPoint(g.X, P.Y));
    }
}
