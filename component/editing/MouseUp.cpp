// TMouseController: the release. The stored shapes change only here, through the
// drawing's transforms, each change recorded for undo before it is made.
#include "component/editing/MouseController.h"

#include "component/base/Geometry.h"
#include "component/base/PointArrays.h"
#include "component/document/MyCAD.h"
#include "platform/UIServices.h"
#include "component/shapes/AllShapes.h"

#include <algorithm>
#include <unordered_set>

namespace {
QString ChangeAction()
{
    return UndoActionName(TUndoAction::Change);
}
} // namespace

void TMouseController::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!FMouseDown) {
        Fire(FCad.OnMouseUp, &FCad, Button, Shift, X, Y);
        return;
    }
    FCurrentPoint = TPoint(X, Y);
    if (ReleaseMemberClick() || ReleaseClickThrough()) {
        Fire(FCad.OnMouseUp, &FCad, Button, Shift, X, Y);
        return;
    }
    switch (FState.ActionTool) {
    case dtDrawing: ReleaseDrawing(Button, Shift); break;
    case dtSelecting:
    case dtRotateSelecting: ReleaseRubberBand(); break;
    case dtResizing: ReleaseResizing(Shift); break;
    case dtDragging: ReleaseDragging(); break;
    case dtDraggingTextoutPoint:
        if (TMyShape* s = FState.CurrentShape) {
            const double z = FCad.Zoom();
            s->SetCaptionPoint(TMyPoint(float(FCurrentPoint.X / z), float(FCurrentPoint.Y / z)));
        }
        FState.ActionTool = FNextActionTool;
        FCad.Invalidate();
        break;
    case dtRotating: ReleaseRotating(); break;
    case dtPolylinePolygonPointRemoving: ReleaseNodeRemoving(); break;
    case dtPolylinePolygonPointAdding: ReleaseNodeAdding(); break;
    case dtDragWhole: ReleaseDragWhole(); break;
    default: break;
    }
    FMouseDown = false;
    FCad.ReleaseCursorClipArea();
    Fire(FCad.OnMouseUp, &FCad, Button, Shift, X, Y);
}

// A click without movement on a member of a selected group selects the member, when the
// host accepts it: only the member's hots show, while its group is the working shape.
bool TMouseController::ReleaseMemberClick()
{
    TMyShape* member = FState.ClickedChild;
    if (!member)
        return false;
    if (FCurrentPoint != FAnchorPoint) {
        FState.ClickedChild = nullptr;
        return false;
    }
    bool accept = true;
    const QPointer<TMyShape> guard(member);
    Fire(FCad.OnChildShapeSelected, member, accept);
    if (accept && guard) {
        FState.CurrentShape = member;
        FCad.RemoveAllWorkingShapes();
        FCad.AddWorkingShapes(member);
        FState.ClickedChild = member;
    } else {
        FState.ClickedChild = nullptr;
    }
    FMouseDown = false;
    FCad.ReleaseCursorClipArea();
    FCad.SelectAllWorkingShapes();
    FState.ActionTool = FNextActionTool;
    FCad.Invalidate();
    return true;
}

// A click without movement on a selected shape that covers another selects the other.
bool TMouseController::ReleaseClickThrough()
{
    TMyShape* under = FUnderShape.data();
    if (!under || FCurrentPoint != FAnchorPoint)
        return false;
    TMyShape* previous = FState.CurrentShape;
    FCad.RemoveAllWorkingShapes();
    FCad.AddWorkingShapes(under);
    FMouseDown = false;
    FCad.ReleaseCursorClipArea();
    FState.ActionTool = dtSelecting;
    FCad.SelectAllWorkingShapes();
    FCad.Invalidate();
    Fire(FCad.OnShapeSelected, previous, under);
    if (FUnderShape)
        Fire(FUnderShape->OnClick, &FCad);
    return true;
}

// ---- Drawing ---------------------------------------------------------------------------------

void TMouseController::ReleaseDrawing(TMouseButton Button, TShiftState Shift)
{
    TMyShape* shape = FState.CurrentShape;
    if (Button != mbLeft || !shape)
        return;
    if (FCad.ShapeTool() != SpLinkLine)
        FCad.SnapXY(FCurrentPoint.X, FCurrentPoint.Y);
    DrawMakeSquareorHV(Shift, shape, FAnchorPoint, FCurrentPoint);
    if (!shape->IsDrawingFinished(Button, FCurrentPoint))
        return; // the next press goes on with the shape
    FinishDrawnShape();
}

void TMouseController::FinishDrawnShape()
{
    TMyShape* shape = FState.CurrentShape;
    // A shape the drawing holds already (made current by some other operation while this
    // one was drawn) is not added again.
    if (FDrawnShape.get() != shape)
        return;
    const int id = FCad.NextShapeId();
    shape->SetShapeNo(FCad.GetShapesCount());
    shape->SetShapeId(id);
    shape->SetName(QStringLiteral("Shape%1").arg(id));
    FCad.ReleaseCursorClipArea();
    if (auto* text = dynamic_cast<TMyText*>(shape)) {
        QStringList lines = text->Lines();
        if (UIServices().EditStrings(lines, QStringLiteral("String List Editor")))
            text->SetLines(lines);
        // The corners become those of the box around the points, in order.
        const TMyRect box = GetPointsLTRB(text->Points());
        text->PointsRef() = {TMyPoint(box.Left, box.Top), TMyPoint(box.Right, box.Top),
                             TMyPoint(box.Right, box.Bottom), TMyPoint(box.Left, box.Bottom)};
    }
    // The grid takes the new shape in, unless something else changed the drawing.
    const TShapeGrid::TKey before{FCad.ShapeListGeneration(), FCad.GeometryGeneration(), FCad.Zoom()};
    if (FGrid.IsCurrent(before) && !FMoved.empty() && !FGrid.Patch(FCad, FMoved))
        FGrid.Invalidate();
    FMoved.clear();
    const bool gridCurrent = FGrid.IsCurrent(before);
    if (!FCad.AddShape(FDrawnShape, false, false))
        return; // refused: the shape stays the one being drawn
    if (auto* connector = dynamic_cast<TMyLinkLine*>(shape)) {
        // Now that the connector has its number, the shape at its start lists it.
        if (connector->StartAttached())
            AddLinklineShape(FCad.GetShapeByNo(connector->StartSpNo()), connector->ShapeNo());
    }
    FCad.SetWorkingShapes({shape});
    shape->Drawed(FAnchorPoint, FCurrentPoint);
    const TShapeGrid::TKey after{FCad.ShapeListGeneration(), FCad.GeometryGeneration(), FCad.Zoom()};
    if (gridCurrent && after.ListGeneration == before.ListGeneration + 1 &&
        after.GeometryGeneration == before.GeometryGeneration)
        FGrid.Append(FCad, shape, after);
    // The handler may name another shape as the one added.
    TMyShape* current = FState.CurrentShape;
    Fire(FCad.OnShapeAdded, current, FCad.GetShapesCount());
    FState.CurrentShape = current;
    if (TMyShape* added = FState.CurrentShape) {
        auto* line = added->metaObject() == &TMyLine::staticMetaObject ? static_cast<TMyLine*>(added) : nullptr;
        if (line && line->MergeStartShapeId() >= 0 && line->MergeEndShapeId() >= 0 &&
            line->MergeStartShapeId() != line->MergeEndShapeId())
            FCad.CreateAndDelete(line); // joins the two lines it was drawn between
        else
            FCad.PushtoUndoRedoShapeList({added}, UndoActionName(TUndoAction::Add));
    }
    FState.CurrentShape = nullptr;
    if (FCad.ReturnToSelecting()) {
        Fire(FCad.OnActionToolToSelecting);
        FState.ActionTool = FNextActionTool;
        FCad.StoreShapeTool(SpSelecting);
    }
    FCad.Invalidate();
}

// ---- Selecting -------------------------------------------------------------------------------

// The shapes wholly inside the rectangle join the selection.
void TMouseController::ReleaseRubberBand()
{
    TArrMyShape inside;
    for (const auto& owned : FCad.Shapes()) {
        TMyShape* s = owned.get();
        if (s->HasParentShape() || !s->Visible())
            continue;
        if (!FCad.OperateAllLayer() && s->LayerId() != FCad.CurrentLayerId())
            continue;
        if (FCad.IsInRegion(FAnchorPoint, FCurrentPoint, s))
            inside.push_back(s);
    }
    FCad.AppendWorkingShapes(inside);
    FCad.SelectAllWorkingShapes();
    FCad.Invalidate();
}

void TMouseController::ReleaseResizing(TShiftState Shift)
{
    TMyShape* shape = FState.CurrentShape;
    if (!shape) {
        FState.ActionTool = FNextActionTool;
        FCad.Invalidate();
        return;
    }
    if (FCad.ShapeTool() != SpLinkLine)
        FCad.SnapXY(FCurrentPoint.X, FCurrentPoint.Y);
    FCad.PushtoUndoRedoShapeList({shape}, ChangeAction());
    const bool connector = dynamic_cast<TMyLinkLine*>(shape) != nullptr;
    auto* box = dynamic_cast<TMyRectangle*>(shape);
    TPoint from = FAnchorPoint;
    if (!connector) {
        const int hot = shape->CurrentHot();
        from = MyPtToPt(shape->GetPointInZoom(box && hot >= 4 ? hot - 4 : hot));
        ResizeMakeSquareorHV(Shift, shape, from, FCurrentPoint);
    }
    FCad.SizeChangeValueforShapes(shape, PtToMyPt(from), PtToMyPt(FCurrentPoint));
    const QPointer<TMyShape> guard(shape);
    if (FCad.OnShapeMouseResized) {
        TPoint to = FCad.GetPointByMode(FCurrentPoint);
        const TPoint asMapped = to;
        FCad.OnShapeMouseResized(shape, FCad.GetPointByMode(FAnchorPoint), to);
        if (guard && box) {
            // The box is resized once more, to the point the handler gave.
            FCad.SizeChangeValueforShapes(shape, PtToMyPt(asMapped), PtToMyPt(FAnchorPoint));
            if (box->CurrentHot() > 3 && !box->AssociateSideResizing())
                to = asMapped;
            FCurrentPoint = FCad.GetPointByMode(to);
            FCad.SizeChangeValueforShapes(shape, PtToMyPt(FAnchorPoint), PtToMyPt(FCurrentPoint));
        }
    }
    if (guard) {
        FCad.GeometryChanged(shape);
        FCad.ChangeLinkShapes(shape);
        TPoint to = FCurrentPoint;
        Fire(FCad.OnShapeMouseResizeFinished, shape, FAnchorPoint, to);
    }
    FState.ActionTool = FNextActionTool;
    FCad.Invalidate();
}

void TMouseController::ReleaseDragging()
{
    FCad.GetMousePointbyDragMode(FAnchorPoint, FCurrentPoint);
    int dx = FCurrentPoint.X - FAnchorPoint.X, dy = FCurrentPoint.Y - FAnchorPoint.Y;
    if (dx != 0 || dy != 0) {
        if (FCad.Snap() || FCad.SnapShape()) {
            TRect box = WorkingShapesBox();
            box = TRect(box.Left + dx, box.Top + dy, box.Right + dx, box.Bottom + dy);
            FCad.SnapRect(box, FCurrentPoint.X, FCurrentPoint.Y);
            dx = FCurrentPoint.X - FAnchorPoint.X;
            dy = FCurrentPoint.Y - FAnchorPoint.Y;
        }
        // A copy: handlers may change the selection while it is moved.
        const TArrMyShape working = FCad.WorkingShapes();
        FCad.PushtoUndoRedoShapeList(working, ChangeAction());
        for (TMyShape* s : working)
            FCad.DragChangeValueDxDyforShapes(s, dx, dy);
        for (TMyShape* s : working) {
            FCad.GeometryChanged(s);
            FCad.ChangeLinkShapes(s);
        }
        if (FCad.OnShapeMouseDragged) {
            TPoint to = FCad.GetPointByMode(FCurrentPoint);
            const TPoint asMapped = to;
            FCad.OnShapeMouseDragged(FState.CurrentShape, FCad.GetPointByMode(FAnchorPoint), to);
            if (to != asMapped) {
                // The handler moved the drop: the selection follows.
                for (TMyShape* s : FCad.WorkingShapes())
                    FCad.DragChangeValueDxDyforShapes(s, to.X - asMapped.X, to.Y - asMapped.Y);
                for (TMyShape* s : FCad.WorkingShapes()) {
                    FCad.GeometryChanged(s);
                    FCad.ChangeLinkShapes(s);
                }
            }
        }
    }
    FState.ActionTool = FNextActionTool;
    FCad.Invalidate();
}

void TMouseController::ReleaseRotating()
{
    if (TMyShape* shape = FState.CurrentShape) {
        FCad.PushtoUndoRedoShapeList({shape}, ChangeAction());
        const TMyShape* root = shape->HasParentShape() ? FCad.GetRootParentShape(shape) : shape;
        const TMyPoint centre = root->GetCenterPoint();
        const float angle = shape->GetRotatedAngle(PtToMyPt(FAnchorPoint), PtToMyPt(FCurrentPoint),
                                                   shape->ZoomedValuePt(centre), true);
        FCad.RotateChangeValueforShapes(shape, centre, angle);
        FCad.GeometryChanged(shape);
        FCad.ChangeLinkShapes(shape);
        if (FCad.OnShapeMouseRotated) {
            TPoint to = FCad.GetPointByMode(FCurrentPoint);
            FCad.OnShapeMouseRotated(shape, FCad.GetPointByMode(FAnchorPoint), to);
        }
    }
    FState.ActionTool = FNextActionTool;
    FCad.Invalidate();
}

// ---- Nodes -----------------------------------------------------------------------------------

namespace {
// The refusals reported through OnNodeDeleted.
constexpr int NoNodeHit = -9;
constexpr int TooFewNodes = -8;
constexpr int ClosingNode = -7;
} // namespace

// Removes the node under the press from the one selected polyline or polygon.
void TMouseController::ReleaseNodeRemoving()
{
    const TArrMyShape& working = FCad.WorkingShapes();
    if (working.size() > 1)
        return;
    int result = NoNodeHit;
    TMyShape* shape = working.empty() ? nullptr : working.front();
    const int hot = dynamic_cast<TMyPolyLine*>(shape) ? shape->InWhichHot(FAnchorPoint) : -1;
    if (hot >= 0) {
        TArrMyPoint& points = shape->PointsRef();
        const int n = int(points.size());
        if (dynamic_cast<TMyPolygon*>(shape)) {
            // A polygon stores its first point again as its last.
            if (n <= 4) {
                result = TooFewNodes;
            } else if (hot == n - 1) {
                result = ClosingNode;
            } else {
                result = hot;
                FCad.PushtoUndoRedoShapeList({shape}, ChangeAction());
                RemovePoint(hot, points);
                if (hot == 0)
                    points.back() = points.front();
            }
        } else if (n > 2) {
            result = hot;
            FCad.PushtoUndoRedoShapeList({shape}, ChangeAction());
            RemovePoint(hot, points);
        } else {
            result = TooFewNodes;
        }
        FCad.GeometryChanged(shape);
    }
    FCad.Invalidate();
    if (result != NoNodeHit)
        Fire(FCad.OnNodeDeleted, shape, result);
}

// Every selected polyline or polygon hit at the release gains a node there.
void TMouseController::ReleaseNodeAdding()
{
    const TArrMyShape working = FCad.WorkingShapes();
    const double z = FCad.Zoom();
    for (TMyShape* s : working) {
        auto* line = dynamic_cast<TMyPolyLine*>(s);
        int before = -1;
        if (!line || !line->IsClickedMeBeforeWhichPoint(before, FCurrentPoint) || before < 0)
            continue;
        FCad.PushtoUndoRedoShapeList({s}, ChangeAction());
        InsertAPointBeforeId(TMyPoint(float(FCurrentPoint.X / z), float(FCurrentPoint.Y / z)), before, s->PointsRef());
        FCad.GeometryChanged(s);
        FCad.Invalidate();
        TMyShape* added = s;
        Fire(FCad.OnNodeAdded, added, before);
    }
}

void TMouseController::ReleaseDragWhole()
{
    FCad.GetMousePointbyDragMode(FAnchorPoint, FCurrentPoint);
    const int dx = FCurrentPoint.X - FAnchorPoint.X, dy = FCurrentPoint.Y - FAnchorPoint.Y;
    if (dx != 0 || dy != 0) {
        const TArrMyShape shapes = WholeDragShapes();
        for (TMyShape* s : shapes)
            FCad.DragChangeValueDxDyforShapes(s, dx, dy);
        for (TMyShape* s : shapes) {
            FCad.GeometryChanged(s);
            FCad.ChangeLinkShapes(s);
        }
        Fire(FCad.OnWholeDragged);
    }
    FCad.Invalidate();
}
