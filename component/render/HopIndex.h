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

#include <cmath>
#include <cstdint>
#include <vector>

class TMyShape;

class MYCAD_EXPORT THopIndex {
public:
    // Forgets the segments; the next Build starts afresh.
    void Clear();
    bool Built() const { return FBuilt; }
    // Takes the vertical segments of the connectors among Shapes (in that order, each
    // connector's segments in order: the order in which crossings of equal x are taken)
    // that reach into the rows Low..High: those are all that can cross a horizontal
    // segment there.
    void Build(const std::vector<const TMyShape*>& Shapes, double Low = -HUGE_VAL, double High = HUGE_VAL);
    // Whether the queries of a horizontal segment at Y find every crossing (Y lies within
    // the rows the index was built for).
    bool Covers(double Y) const { return FBuilt && Y >= FLow && Y <= FHigh; }
    // The crossings of the horizontal segment P-Q with the segments strictly inside it
    // (x strictly between P.x and Q.x, P.y strictly between the ends of the vertical
    // segment), as points (x, P.y), by increasing x, of equal x in the order taken.
    void Crossings(TMyPoint P, TMyPoint Q, std::vector<TMyPoint>& Out) const;
    // The crossings a segment P-Q with hops of radius R hops over: of the crossings above,
    // by increasing x, each whose hop [x - R, x + R] starts right of where the previous
    // hop taken ends (of P.x for the first) and ends left of the segment's right end.
    // Crossings left out are skipped over without being looked at one by one. Returns
    // whether P-Q has any crossing at all. Hops that would start right of Until are not
    // looked for (a caller that shows nothing there needs none of them): the hops before
    // it are the same.
    bool Hops(TMyPoint P, TMyPoint Q, int R, std::vector<TMyPoint>& Out, double Until = HUGE_VAL) const;
    int SegmentCount() const { return int(FSegments.size()); }

private:
    struct TSegment {
        float X, Low, High;
    };
    // A segment's ends are kept in its entries too: a query reads its band's entries in
    // order and nothing else.
    struct TEntry {
        int64_t Band;
        float X;
        float Low, High;
        uint32_t Segment;
    };
    int64_t BandOf(double Y) const;
    // Takes the entries, made in the order of x and segment, ordered by band.
    void PlaceByBand(std::vector<TEntry>& Made);
    // The entries of Y's band with x in the open range (Left, Right), or from Left to the
    // band's end when ToRight is false; false when Y lies off every segment.
    bool BandRange(double Y, float Left, float Right, const TEntry*& First, const TEntry*& Last,
                   bool ToRight = true) const;

    bool FBuilt = false;
    double FLow = -HUGE_VAL, FHigh = HUGE_VAL; // the rows built for
    std::vector<TSegment> FSegments; // in the order taken
    std::vector<TEntry> FEntries;    // by band, x, segment
    // Where each band's entries start (and, last, the end), when the bands are few enough
    // to list; empty otherwise.
    std::vector<uint32_t> FBandStart;
    double FTop = 0, FBottom = 0, FBandHeight = 1;
};
