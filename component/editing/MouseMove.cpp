// TMouseController: the move. Every figure drawn here is exclusive-or drawing on the
// control's picture: the previous figure is drawn again to erase it, then the new one.
#include "component/editing/MouseController.h"

#include "component/render/CanvasModes.h"
#include "component/base/Geometry.h"
#include "component/render/HotDrawing.h"
#include "component/document/MyCAD.h"
#include "component/shapes/AllShapes.h"

void TMouseController::MouseMove(TShiftState Shift, int X, int Y)
{
    Fire(FCad.OnMouseMove, &FCad, Shift, X, Y);
    if (FState.ActionTool == dtClose)
        return;
    // Drawing snaps the point: the coordinates shown are then the snapped ones.
    if (FState.ActionTool == dtDrawing && !dynamic_cast<TMyFreeLine*>(FState.CurrentShape.data()))
        MoveDrawing(Shift, X, Y);
    if (FState.ActionTool == dtSelecting || FState.ActionTool == dtRotateSelecting)
        MoveSelecting(Shift, X, Y);
    FCad.UpdateLabelXY(X, Y);
    if (FMouseDown)
        MoveWithButton(Shift, X, Y);
}

// The rubber band of the shape being drawn, with or without a button down.
void TMouseController::MoveDrawing(TShiftState Shift, int& X, int& Y)
{
    TCanvas* canvas = FCad.Canvas();
    SetDragResizeRotateShapeMode(canvas);
    const TMyPoint mouse = PtToMyPt(TPoint(X, Y));
    if (FCad.ShapeTool() == SpLine)
        LineEndAt(FHotShapeNo, FHotLinkId, mouse);
    if (FCad.ShapeTool() != SpLinkLine) {
        FCad.SnapXY(X, Y);
    } else {
        // A connector is not snapped: its end goes to the link point under the mouse.
        LinkHotAt(FHotShapeNo, FHotLinkId, mouse);
        if (auto* connector = dynamic_cast<TMyLinkLine*>(FState.CurrentShape.data())) {
            connector->SetEndSpNo(FHotShapeNo);
            connector->SetEndSpPtId(FHotLinkId);
        }
    }
    TMyShape* shape = FState.CurrentShape;
    if (!shape)
        return;
    shape->Drawing(canvas, FAnchorPoint, FCurrentPoint);
    FCurrentPoint = TPoint(X, Y);
    DrawMakeSquareorHV(Shift, shape, FAnchorPoint, FCurrentPoint);
    shape->Drawing(canvas, FAnchorPoint, FCurrentPoint);
    FCad.UpdateLabelValue(shape->GetLengthByUnit(FAnchorPoint, FCurrentPoint));
    FCad.ScreenChanged();
}

// The cursor over the hots of the selection, and the shape under the mouse.
void TMouseController::MoveSelecting(TShiftState Shift, int X, int Y)
{
    if (FCad.MouseEffect() && !FCad.WorkingShapes().empty()) {
        TCursor cursor = crCross;
        const TArrMyShape& working = FCad.WorkingShapes();
        for (size_t i = 0; i < working.size(); ++i) {
            cursor = working[i]->GetMouseCursor(X, Y);
            if (cursor != crCross)
                break;
        }
        const QCursor shown = ToQtCursor(cursor);
        if (FCad.cursor().shape() != shown.shape() || shown.shape() == Qt::BitmapCursor)
            FCad.setCursor(shown);
    }
    if (Shift & (ssLeft | ssRight | ssMiddle))
        return;
    const TPoint p(X, Y);
    TMyShape* top = TopShapeAt(p);
    FCad.ShowHintEnterLeaveShape(top, top != nullptr, p);
}

void TMouseController::ConfineCursor(int Left, int Top, int Right, int Bottom)
{
    const QPoint origin = FCad.mapToGlobal(QPoint(0, 0));
    const TRect area(origin.x() + Left, origin.y() + Top, FCad.width() - Left, FCad.height() - Top);
    FCad.SetCursorClipArea(area, Right, Bottom, false);
}

void TMouseController::MoveWithButton(TShiftState Shift, int X, int Y)
{
    ConfineCursor();
    TCanvas* canvas = FCad.Canvas();
    switch (FState.ActionTool) {
    case dtDrawing:
        // A free line gains a point at every move while the button is held.
        if (TMyShape* line = dynamic_cast<TMyFreeLine*>(FState.CurrentShape.data())) {
            line->Drawing(canvas, FAnchorPoint, FCurrentPoint);
            FCurrentPoint = TPoint(X, Y);
            line->Drawing(canvas, FAnchorPoint, FCurrentPoint);
            line->AddPointByMouse(FCurrentPoint);
            FAnchorPoint = FCurrentPoint;
        }
        break;
    case dtSelecting:
    case dtRotateSelecting:
        FCad.SetSelectShapeMode();
        canvas->Rectangle(FAnchorPoint.X, FAnchorPoint.Y, FCurrentPoint.X, FCurrentPoint.Y);
        FCurrentPoint = TPoint(X, Y);
        canvas->Rectangle(FAnchorPoint.X, FAnchorPoint.Y, FCurrentPoint.X, FCurrentPoint.Y);
        break;
    case dtResizing: MoveResizing(Shift, X, Y); break;
    case dtDragging: MoveDragging(X, Y); break;
    case dtDraggingTextoutPoint:
        if (TMyShape* s = FState.CurrentShape) {
            // The caption's diamond follows the mouse.
            const TMyPoint caption = s->ZoomedValuePt(s->CaptionPoint());
            auto at = [&](TPoint p) {
                return TMyPoint(float(p.X + double(caption.X) - FAnchorPoint.X),
                                float(p.Y + double(caption.Y) - FAnchorPoint.Y));
            };
            DrawDiamond(s, canvas, at(FCurrentPoint), clGreen);
            FCurrentPoint = TPoint(X, Y);
            SetDragResizeRotateShapeMode(canvas);
            DrawDiamond(s, canvas, at(FCurrentPoint), clGreen);
        }
        break;
    case dtRotating: MoveRotating(X, Y); break;
    case dtDragWhole: MoveDragWhole(X, Y); break;
    default: return;
    }
    FCad.ScreenChanged();
}

void TMouseController::MoveResizing(TShiftState Shift, int X, int Y)
{
    const QPointer<TMyShape> shape(FState.CurrentShape);
    if (!shape || shape->Locked() || !shape->ResizeEnable())
        return;
    TCanvas* canvas = FCad.Canvas();
    SetDragResizeRotateShapeMode(canvas);
    shape->Sizing(canvas, FAnchorPoint, FCurrentPoint);
    FCurrentPoint = TPoint(X, Y);
    const bool connector = dynamic_cast<TMyLinkLine*>(shape.data()) != nullptr;
    if (!connector)
        FCad.SnapXY(FCurrentPoint.X, FCurrentPoint.Y);
    ResizeMakeSquareorHV(Shift, shape, FAnchorPoint, FCurrentPoint);
    if (FCad.OnShapeMouseResizing) {
        TPoint to = FCad.GetPointByMode(FCurrentPoint);
        const TPoint asMapped = to;
        FCad.OnShapeMouseResizing(shape, FCad.GetPointByMode(FAnchorPoint), to);
        if (!shape)
            return;
        // A side hot follows the handler only when the box allows it.
        const auto* box = dynamic_cast<const TMyRectangle*>(shape.data());
        if (box && box->CurrentHot() > 3 && !box->AssociateSideResizing())
            to = asMapped;
        FCurrentPoint = FCad.GetPointByMode(to);
    }
    SetDragResizeRotateShapeMode(canvas);
    shape->Sizing(canvas, FAnchorPoint, FCurrentPoint);
    if (connector)
        LinkHotAt(FHotShapeNo, FHotLinkId, PtToMyPt(FCurrentPoint));
    FCad.UpdateLabelValue(shape->GetLengthByUnit(FAnchorPoint, FCurrentPoint));
}

TRect TMouseController::WorkingShapesBox() const
{
    return myRecttoRect(FCad.GetShapesLTRBinZoom(FCad.WorkingShapes()));
}

void TMouseController::MoveDragging(int X, int Y)
{
    const TPoint previous = FCurrentPoint;
    if ((FCad.Snap() || FCad.SnapShape()) && TPoint(X, Y) != FAnchorPoint) {
        TRect box = WorkingShapesBox();
        const int dx = X - FAnchorPoint.X, dy = Y - FAnchorPoint.Y;
        box = TRect(box.Left + dx, box.Top + dy, box.Right + dx, box.Bottom + dy);
        FCad.SnapRect(box, X, Y);
    }
    if (FCad.LockBound()) {
        // The box of the selection may not leave the control.
        FCurrentPoint = TPoint(X, Y);
        const TMyShape* current = FState.CurrentShape;
        if (!FCad.WorkingShapes().empty() && (!current || current->CurrentHot() == -1)) {
            const TMyRect b = FCad.GetShapesLTRBinZoom(FCad.WorkingShapes());
            ConfineCursor(Round(FAnchorPoint.X - double(b.Left)), Round(FAnchorPoint.Y - double(b.Top)),
                          Round(double(b.Right) - FAnchorPoint.X), Round(double(b.Bottom) - FAnchorPoint.Y));
        }
    } else {
        ConfineCursor();
    }
    TCanvas* canvas = FCad.Canvas();
    SetDragResizeRotateShapeMode(canvas);
    const TArrMyShape& working = FCad.WorkingShapes();
    for (size_t i = 0; i < working.size(); ++i) {
        TMyShape* s = working[i];
        if (FCad.DragTrace())
            FCad.DraggingforShapes(canvas, s, FAnchorPoint, previous);
        FCurrentPoint = TPoint(X, Y);
        FCad.GetMousePointbyDragMode(FAnchorPoint, FCurrentPoint);
        if (FCad.OnShapeMouseDragging) {
            // What the handler does with the point has no lasting effect.
            TPoint to = FCad.GetPointByMode(FCurrentPoint);
            FCad.OnShapeMouseDragging(s, FCad.GetPointByMode(FAnchorPoint), to);
            if (i >= working.size() || working[i] != s)
                continue; // the handler changed the selection
            SetDragResizeRotateShapeMode(canvas);
        }
        if (FCad.DragTrace()) {
            // The trace follows the mouse even where the drag mode holds the drop back.
            FCurrentPoint = TPoint(X, Y);
            FCad.DraggingforShapes(canvas, s, FAnchorPoint, FCurrentPoint);
        }
    }
}

void TMouseController::MoveRotating(int X, int Y)
{
    TCanvas* canvas = FCad.Canvas();
    SetDragResizeRotateShapeMode(canvas);
    const QPointer<TMyShape> shape(FState.CurrentShape);
    if (!shape)
        return;
    const TMyShape* root = shape->HasParentShape() ? FCad.GetRootParentShape(shape) : shape.data();
    const TMyPoint centre = root->GetCenterPointInZoom();
    auto angle = [&] { return shape->GetRotatedAngle(PtToMyPt(FAnchorPoint), PtToMyPt(FCurrentPoint), centre, true); };
    FCad.RotatingforShapes(canvas, shape, centre, angle());
    FCurrentPoint = TPoint(X, Y);
    if (FCad.OnShapeMouseRotating) {
        TPoint to = FCad.GetPointByMode(FCurrentPoint);
        FCad.OnShapeMouseRotating(shape, FCad.GetPointByMode(FAnchorPoint), to);
        if (!shape)
            return;
        FCurrentPoint = TPoint(X, Y); // the handler's change is discarded
        SetDragResizeRotateShapeMode(canvas);
    }
    FCad.RotatingforShapes(canvas, shape, centre, angle());
}

TArrMyShape TMouseController::WholeDragShapes() const
{
    if (!FCad.OperateAllLayer())
        return FCad.GetShapesByLayerId(FCad.CurrentLayerId());
    TArrMyShape shapes;
    for (const auto& s : FCad.Shapes())
        if (!s->HasParentShape())
            shapes.push_back(s.get());
    return shapes;
}

// Every top-level shape shows its trace, whatever DragTrace says.
void TMouseController::MoveDragWhole(int X, int Y)
{
    const TPoint previous = FCurrentPoint;
    TCanvas* canvas = FCad.Canvas();
    SetDragResizeRotateShapeMode(canvas);
    for (TMyShape* s : WholeDragShapes()) {
        FCad.DraggingforShapes(canvas, s, FAnchorPoint, previous);
        FCurrentPoint = TPoint(X, Y);
        FCad.GetMousePointbyDragMode(FAnchorPoint, FCurrentPoint);
        FCad.DraggingforShapes(canvas, s, FAnchorPoint, FCurrentPoint);
    }
}
