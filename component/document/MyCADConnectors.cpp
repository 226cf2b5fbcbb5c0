// TMyCAD: connector ends attached to the link point under a point, and the merging of a
// line drawn between two line ends into one polyline.
#include "component/document/MyCAD.h"

#include "component/base/Geometry.h"
#include "component/shapes/AllShapes.h"

#include <algorithm>

namespace {
// The connector lists kept by the shapes a connector is attached to.
void AddConnectorTo(TMyShape* S, int No)
{
    TMyShapeNo& list = S->LinkLineNos();
    if (No >= 0 && std::find(list.begin(), list.end(), uint32_t(No)) == list.end())
        list.push_back(uint32_t(No));
}

void RemoveConnectorFrom(TMyShape* S, int No)
{
    TMyShapeNo& list = S->LinkLineNos();
    const auto it = std::find(list.rbegin(), list.rend(), uint32_t(No));
    if (No >= 0 && it != list.rend())
        list.erase(std::next(it).base());
}
} // namespace

void TMyCAD::GetMainShape(TMyLinkLine* Line, TLinkLineEndPoint End, TMyPoint P)
{
    if (!Line)
        return;
    const bool start = End == TLinkLineEndPoint::llStart;
    const int old = start ? Line->StartSpNo() : Line->EndSpNo();
    int no = -1, id = -1;
    InWhichShapeWhichHotLinkId(no, id, P);
    if (start) {
        Line->SetStartSpNo(no);
        Line->SetStartSpPtId(id);
    } else {
        Line->SetEndSpNo(no);
        Line->SetEndSpPtId(id);
    }
    if (TMyShape* previous = GetShapeByNo(old))
        RemoveConnectorFrom(previous, Line->ShapeNo());
    if (TMyShape* attached = GetShapeByNo(no))
        AddConnectorTo(attached, Line->ShapeNo());
}

void TMyCAD::GetMergeShape(TMyLine* Line, bool Start, TMyPoint P)
{
    if (!Line)
        return;
    int id = -1, no = -1;
    InWhichShapeWhichPointNo(id, no, P);
    if (Start)
        Line->SetMergeStart(id, no);
    else
        Line->SetMergeEnd(id, no);
}

void TMyCAD::CreateAndDelete(TMyLine* Line)
{
    if (!Line)
        return;
    TMyShape* a = GetShapeByID(Line->MergeStartShapeId());
    TMyShape* b = GetShapeByID(Line->MergeEndShapeId());
    if (!a || !b || a == b)
        return;
    // A's points run towards the new line's start, B's away from its end.
    TArrMyPoint points;
    auto append = [&](const TMyShape* s, bool forward) {
        const int n = s->GetPointsCount();
        for (int k = 0; k < n; ++k)
            points.push_back(GetMyPointByMode(s->GetPointInZoom(forward ? k : n - 1 - k)));
    };
    append(a, Line->MergeStartPointNo() != 0);
    append(b, Line->MergeEndPointNo() == 0);
    const int aId = a->GetShapeId(), bId = b->GetShapeId(), lineId = Line->GetShapeId();
    if (AddShapeByCode(this, SpPolyLine, QString(), points, 0, QStringLiteral("Shape%1").arg(GetShapesCount())) < 0)
        return;
    DeleteShapeById(aId, true);
    DeleteShapeById(bId, true);
    DeleteShapeById(lineId, false);
}
