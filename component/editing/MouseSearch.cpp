// TMouseController: what lies under the mouse for the connector and line tools: the link
// point a connector end attaches to, the line end a new line starts or ends on, and the
// highlight of the hot found.
#include "component/editing/MouseController.h"

#include "component/document/MyCAD.h"
#include "component/render/HotDrawing.h"
#include "component/shapes/AllShapes.h"

bool TMouseController::LinkHotAt(int& ShapeNo, int& LinkId, TMyPoint P)
{
    // With one shape selected every shape takes part, that one too; otherwise the
    // selected shapes do not. The lowest shape number wins.
    const bool oneSelected = FCad.WorkingShapes().size() == 1;
    for (const auto& owned : FCad.Shapes()) {
        TMyShape* s = owned.get();
        if (s->GetLinkPointsCount() == 0 || (!oneSelected && FCad.IsInWorkingShape(s) >= 0))
            continue;
        const int id = s->InWhichLinkHot(P);
        if (id >= 0) {
            ShapeNo = s->ShapeNo();
            LinkId = id;
            return true;
        }
    }
    ShapeNo = -1;
    LinkId = -1;
    return false;
}

bool TMouseController::LineEndAt(int& Id, int& PointNo, TMyPoint P)
{
    for (const auto& owned : FCad.Shapes()) {
        TMyShape* s = owned.get();
        if (s == FState.CurrentShape)
            continue;
        const QMetaObject* kind = s->metaObject();
        if (kind != &TMyLine::staticMetaObject && kind != &TMyPolyLine::staticMetaObject)
            continue;
        const int no = s->InWhichPointHot(P);
        if (no >= 0) {
            Id = s->GetShapeId();
            PointNo = no;
            return true;
        }
    }
    Id = -1;
    PointNo = -1;
    return false;
}

int TMouseController::Highlight(TMyShape* Shape, int Index, bool LinkPoint)
{
    if (Index >= 0 && FState.HighlightIndex == Index && FState.HighlightShape == Shape)
        return Index;
    TCanvas* canvas = FCad.Canvas();
    if (Index >= 0)
        Shape->DrawHotLinkSquare(canvas, LinkPoint ? Shape->GetLinkPointInZoom(Index) : Shape->GetPointInZoom(Index));
    // Erase the previous highlight by drawing it once more.
    if (FState.HighlightIndex >= 0 && FState.HighlightShape) {
        TMyShape* previous = FState.HighlightShape;
        const int i = FState.HighlightIndex;
        previous->DrawHotLinkSquare(canvas, FState.HighlightIsLink ? previous->GetLinkPointInZoom(i)
                                                                   : previous->GetPointInZoom(i));
    }
    FState.HighlightShape = Index >= 0 ? Shape : nullptr;
    FState.HighlightIndex = Index;
    FState.HighlightIsLink = LinkPoint;
    FCad.ScreenChanged();
    return Index;
}
