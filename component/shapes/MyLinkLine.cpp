// TMyLinkLine: copying and the change of style.
#include "component/shapes/MyLinkLine.h"

void TMyLinkLine::Assign(const TMyShape* Source)
{
    TMyLine::Assign(Source);
    const auto* link = dynamic_cast<const TMyLinkLine*>(Source);
    if (!link || link == this)
        return;
    FStartSpNo = link->FStartSpNo;
    FStartSpPtId = link->FStartSpPtId;
    FEndSpNo = link->FEndSpNo;
    FEndSpPtId = link->FEndSpPtId;
    FLinkLineDrawStyle = link->FLinkLineDrawStyle;
}

void TMyLinkLine::SetLinkLineDrawStyle(TLinkLineDrawStyle v)
{
    if (v == FLinkLineDrawStyle)
        return;
    if (v == lldsFree) {
        // A straight connector from its first to its last point.
        if (FPoints.size() > 2) {
            FPoints = {FPoints.front(), FPoints.back()};
            ExtentChanged();
        }
        FLinkLineDrawStyle = v;
        return;
    }
    FAutoRoute = true;
    FLinkLineDrawStyle = v;
    // TODO(router): with at least two points, recompute the whole route from the start
    // link point (or first point) to the end link point (or last point) with the
    // drawing's router, as when an attached shape moves.
}
