#pragma once
// THopIndex: the exactly vertical segments of the connectors one paint pass draws, in
// screen pixels as drawn, so that each horizontal connector segment finds the segments
// crossing it (where it draws its hops) without looking at every connector.
//
// The segments are cut into horizontal bands, a quarter of their mean length high, and
// listed by band, then x, then the order taken: the segments that may cross a horizontal
// line are the run of its band between its ends, already in the order the hops are drawn.
// Every segment is listed in at most its length over the band height plus two bands, so
// the list holds at most six entries per segment on average, whatever their lengths.
#include "component/base/MyTypes.h"
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
    struct TEntry {
        int64_t Band;
        float X;
        uint32_t Segment;
    };
    int64_t BandOf(double Y) const;

    bool FBuilt = false;
    std::vector<TSegment> FSegments; // in the order taken
    std::vector<TEntry> FEntries;    // by band, x, segment
    double FTop = 0, FBottom = 0, FBandHeight = 1;
};
