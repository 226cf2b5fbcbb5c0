// TMyLinkLine: copying, the ends and their attachment by code, the change of style and
// the tidying of the points.
#include "component/shapes/MyLinkLine.h"

#include "component/document/MyCAD.h"

#include <cmath>

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

// ---- Ends ---------------------------------------------------------------------------------

namespace {
bool AttachedTo(const TMyCAD* Cad, int No, int PtId)
{
    const TMyShape* s = Cad ? Cad->GetShapeByNo(No) : nullptr;
    return s && PtId >= 0 && PtId < s->GetLinkPointsCount();
}
} // namespace

bool TMyLinkLine::StartAttached() const
{
    return AttachedTo(FOwnerCAD, FStartSpNo, FStartSpPtId);
}

bool TMyLinkLine::EndAttached() const
{
    return AttachedTo(FOwnerCAD, FEndSpNo, FEndSpPtId);
}

TMyShape* TMyLinkLine::GetStartShape() const
{
    return StartAttached() ? FOwnerCAD->GetShapeByNo(FStartSpNo) : nullptr;
}

TMyShape* TMyLinkLine::GetEndShape() const
{
    return EndAttached() ? FOwnerCAD->GetShapeByNo(FEndSpNo) : nullptr;
}

TMyPoint TMyLinkLine::GetStartPoint() const
{
    if (const TMyShape* s = GetStartShape())
        return s->GetLinkPointInZoom(FStartSpPtId);
    return FPoints.empty() ? TMyPoint() : GetPointInZoom(0);
}

TMyPoint TMyLinkLine::GetEndPoint() const
{
    if (const TMyShape* s = GetEndShape())
        return s->GetLinkPointInZoom(FEndSpPtId);
    return FPoints.empty() ? TMyPoint() : GetPointInZoom(GetPointsCount() - 1);
}

bool TMyLinkLine::CreateSrcLink(int Id, int Index)
{
    TMyShape* s = FOwnerCAD ? FOwnerCAD->GetShapeByID(Id) : nullptr;
    if (!s || Index < 0 || Index >= s->GetLinkPointsCount() || s == this)
        return false;
    FOwnerCAD->AttachConnectorEnd(this, llStart, s->ShapeNo(), Index);
    FOwnerCAD->GetPath(FOwnerCAD->Canvas(), this, s, s->GetLinkPointInZoom(Index), GetEndShape(), GetEndPoint(), dNone);
    FOwnerCAD->Invalidate();
    return true;
}

bool TMyLinkLine::CreateDestLink(int Id, int Index)
{
    TMyShape* s = FOwnerCAD ? FOwnerCAD->GetShapeByID(Id) : nullptr;
    if (!s || Index < 0 || Index >= s->GetLinkPointsCount() || s == this)
        return false;
    FOwnerCAD->AttachConnectorEnd(this, llEnd, s->ShapeNo(), Index);
    FOwnerCAD->GetPath(FOwnerCAD->Canvas(), this, GetStartShape(), GetStartPoint(), s, s->GetLinkPointInZoom(Index), dNone);
    FOwnerCAD->Invalidate();
    return true;
}

// ---- Style ----------------------------------------------------------------------------------

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
    if (FPoints.size() >= 2 && FOwnerCAD)
        FOwnerCAD->GetPath(FOwnerCAD->Canvas(), this, GetStartShape(), GetStartPoint(), GetEndShape(), GetEndPoint(),
                           dNone);
}

// ---- Geometry helpers ---------------------------------------------------------------------

int TMyLinkLine::IsLineHV(TMyPoint P, TMyPoint Q)
{
    return std::abs(double(P.X) - Q.X) >= std::abs(double(P.Y) - Q.Y) ? 1 : 2;
}

TMyPoint TMyLinkLine::SplitALine(TMyPoint A, TMyPoint B)
{
    if (IsLineHV(A, B) == 1)
        return TMyPoint(float(A.X + (double(B.X) - A.X) / 2), A.Y);
    return TMyPoint(A.X, float(A.Y + (double(B.Y) - A.Y) / 2));
}

// The tidying removes, one at a time, the first inner point of a nearly straight run,
// starting over from the first point after each removal. After a removal at i only the
// runs through the points next to i can have changed, so the scan resumes there instead
// of at the start: the same points go, in the same order, in linear time.
void TMyLinkLine::MergePoints()
{
    TArrMyPoint& p = FPoints;
    const size_t before = p.size();
    bool rebuilt = false;
    p.erase(std::unique(p.begin(), p.end()), p.end());
    const bool bothAttached = StartAttached() && EndAttached();
    auto near = [](float a, float b) { return std::abs(double(a) - b) <= 10; };
    // Whether a, b and c (b in the middle) run nearly straight up or across.
    auto vertical = [&](TMyPoint a, TMyPoint b, TMyPoint c) { return near(a.X, b.X) && near(c.X, b.X); };
    auto horizontal = [&](TMyPoint a, TMyPoint b, TMyPoint c) { return near(a.Y, b.Y) && near(c.Y, b.Y); };
    // The scan changes nothing unless some three points in a row run so: then it is not
    // needed (a connector painted again, most often).
    auto anyRun = [&] {
        for (size_t i = 2; i < p.size(); ++i)
            if (vertical(p[i - 2], p[i - 1], p[i]) || horizontal(p[i - 2], p[i - 1], p[i]))
                return true;
        return false;
    };
    if (!(p.size() <= 4 && bothAttached) && p.size() >= 3 && anyRun()) {
        const bool endAttached = EndAttached();
        // kept: the points before the scan position and the current one (kept.back());
        // p[next] onwards: the points after it. Points moved back for a rescan go into the
        // slots before next, which the scan has consumed.
        TArrMyPoint kept;
        kept.reserve(p.size());
        kept.push_back(p[0]);
        size_t next = 1;
        const size_t n = p.size();
        while (next < n) {
            if (kept.size() >= 2) {
                TMyPoint& prev = kept[kept.size() - 2];
                const TMyPoint cur = kept.back();
                TMyPoint& after = p[next];
                const bool afterIsLast = next == n - 1;
                const bool up = vertical(prev, cur, after);
                if (up || horizontal(prev, cur, after)) {
                    const bool keepEnd = endAttached && afterIsLast;
                    if (up)
                        (keepEnd ? prev.X : after.X) = keepEnd ? after.X : prev.X;
                    else
                        (keepEnd ? prev.Y : after.Y) = keepEnd ? after.Y : prev.Y;
                    kept.pop_back();
                    // The run ending at the changed previous point is looked at again.
                    if (keepEnd && kept.size() >= 3) {
                        p[--next] = kept.back();
                        kept.pop_back();
                    }
                    continue;
                }
            }
            kept.push_back(p[next++]);
        }
        p.swap(kept);
    }
    if (p.size() <= 2 && bothAttached) {
        const TMyShape* a = GetStartShape();
        const TMyShape* b = GetEndShape();
        const TMyPoint S = a->GetLinkPoint(FStartSpPtId), E = b->GetLinkPoint(FEndSpPtId);
        if (p.size() < 2 || !(p.front() == S && p.back() == E)) {
            rebuilt = true;
            // Straight from link point to link point with one jog.
            if (std::abs(double(S.X) - E.X) > std::abs(double(S.Y) - E.Y)) {
                const float m = float(std::min(S.X, E.X) + std::abs(double(S.X) - E.X) / 2);
                p = {S, TMyPoint(m, S.Y), TMyPoint(m, E.Y), E};
            } else {
                const float m = float(std::min(S.Y, E.Y) + std::abs(double(S.Y) - E.Y) / 2);
                p = {S, TMyPoint(S.X, m), TMyPoint(E.X, m), E};
            }
        }
    }
    // Points change only with a removal or the rebuild.
    if (p.size() != before || rebuilt)
        ExtentChanged();
}
