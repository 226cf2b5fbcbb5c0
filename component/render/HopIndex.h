#pragma once
// THopIndex: the exactly vertical segments of the connectors one paint pass draws, in
// screen pixels as drawn, so that each horizontal connector segment finds the segments
// crossing it (where it draws its hops) without looking at every connector.
#include "component/base/MyTypes.h"
#include "component/document/UniformGrid.h"
#include "mycad_export.h"

#include <cstdint>
#include <vector>

class TMyShape;

class MYCAD_EXPORT THopIndex {
public:
    // Forgets the segments; the next Build starts afresh.
    void Clear();
    bool Built() const { return FBuilt; }
    // Takes the vertical segments of the connectors among Shapes (in that order, each
    // connector's segments in order: the order in which crossings of equal x are taken).
    void Build(const std::vector<const TMyShape*>& Shapes);
    // The crossings of the horizontal segment P-Q with the segments strictly inside it
    // (x strictly between P.x and Q.x, P.y strictly between the ends of the vertical
    // segment), as points (x, P.y), by increasing x, of equal x in the order taken.
    void Crossings(TMyPoint P, TMyPoint Q, std::vector<TMyPoint>& Out) const;
    int SegmentCount() const { return int(FSegments.size()); }

private:
    struct TSegment {
        float X, Low, High;
    };
    bool FBuilt = false;
    std::vector<TSegment> FSegments; // in the order taken
    TGridCells FGrid;
    mutable std::vector<uint32_t> FFound;
};
