#include "component/render/HopIndex.h"

#include "component/shapes/MyLinkLine.h"

#include <algorithm>

void THopIndex::Clear()
{
    FBuilt = false;
    FSegments.clear();
    FGrid.Invalidate();
}

void THopIndex::Build(const std::vector<const TMyShape*>& Shapes)
{
    FSegments.clear();
    for (const TMyShape* s : Shapes) {
        const auto* line = qobject_cast<const TMyLinkLine*>(s);
        if (!line)
            continue;
        const int n = line->GetPointsCount();
        for (int k = 0; k + 1 < n; ++k) {
            const TMyPoint a = line->GetPointInZoom(k), b = line->GetPointInZoom(k + 1);
            if (a.X == b.X && a.Y != b.Y)
                FSegments.push_back({a.X, std::min(a.Y, b.Y), std::max(a.Y, b.Y)});
        }
    }
    std::vector<TGridBox> boxes;
    boxes.reserve(FSegments.size());
    for (const TSegment& g : FSegments)
        boxes.push_back(TGridBox::Of(g.X, g.Low, g.X, g.High));
    FGrid.Place(boxes);
    FBuilt = true;
}

void THopIndex::Crossings(TMyPoint P, TMyPoint Q, std::vector<TMyPoint>& Out) const
{
    Out.clear();
    if (FSegments.empty())
        return;
    const float left = std::min(P.X, Q.X), right = std::max(P.X, Q.X), y = P.Y;
    std::vector<uint32_t>& found = FFound;
    found.clear();
    FGrid.ForEachMeeting(TGridBox::Of(left, y, right, y), [&](uint32_t i) {
        const TSegment& g = FSegments[i];
        if (g.Low < y && y < g.High && left < g.X && g.X < right)
            found.push_back(i);
    });
    // By x, and of equal x in the order the segments were taken.
    std::sort(found.begin(), found.end(), [this](uint32_t a, uint32_t b) {
        return FSegments[a].X != FSegments[b].X ? FSegments[a].X < FSegments[b].X : a < b;
    });
    for (uint32_t i : found)
        Out.push_back(TMyPoint(FSegments[i].X, y));
}
