// TMouseController: construction, the press, and the picks behind it.
#include "component/editing/MouseController.h"

#include "component/render/CanvasModes.h"
#include "component/base/Geometry.h"
#include "component/document/MyCAD.h"
#include "component/shapes/AllShapes.h"

#include <utility>

TMouseController::TMouseController(TMyCAD& Cad) : FCad(Cad) {}

TMouseController::~TMouseController() = default;

namespace {
// The polyline family adds its points one by one; Shift then constrains against the
// last one.
bool IsPolyLineKind(const TMyShape* S)
{
    return dynamic_cast<const TMyPolyLine*>(S) != nullptr;
}

bool IsExactly(const TMyShape* S, const QMetaObject& Kind)
{
    return S && S->metaObject() == &Kind;
}
} // namespace

void TMouseController::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    Fire(FCad.OnMouseDown, &FCad, Button, Shift, X, Y);
    const TActionTools state = FState.ActionTool;
    // The second press of a double click counts only while drawing.
    if (state == dtClose || Button != mbLeft || (state != dtDrawing && (Shift & ssDouble)))
        return;
    FAnchorPoint = FCurrentPoint = TPoint(X, Y);
    FMouseDown = true;
    FState.ClickedChild = nullptr;
    FUnderShape = nullptr;
    switch (state) {
    case dtDrawing: PressDrawing(Shift, X, Y); break;
    case dtSelecting:
    case dtRotateSelecting:
    case dtBrowse: PressSelecting(Shift); break;
    default: break; // the node tools and the whole drag only note the point
    }
}

// ---- Drawing -------------------------------------------------------------------------------

void TMouseController::PressDrawing(TShiftState Shift, int X, int Y)
{
    TCanvas* canvas = FCad.Canvas();
    SetDragResizeRotateShapeMode(canvas);
    FCad.RemoveAllWorkingShapes();
    FNextActionTool = FCad.ReturnToSelecting() ? dtSelecting : dtDrawing;
    int sx = X, sy = Y;
    FCad.SnapXY(sx, sy);
    const TPoint snapped(sx, sy);
    FCurrentPoint = FAnchorPoint = snapped;

    if (!FState.CurrentShape) {
        DropUnfinishedShape();
        std::unique_ptr<TMyShape> shape = FCad.CreateShapeBySpTool(FCad.ShapeTool());
        if (!shape)
            return;
        shape->SetShapeNo(FCad.GetShapesCount()); // the place it will take
        FDrawnShape = std::move(shape);
        FState.CurrentShape = FDrawnShape.get();
        if (auto* connector = dynamic_cast<TMyLinkLine*>(FState.CurrentShape.data())) {
            // The start takes the link point under the press. The shape there lists the
            // connector only once the connector is part of the drawing (its number means
            // nothing before), see FinishDrawnShape.
            int no = -1, id = -1;
            LinkHotAt(no, id, PtToMyPt(snapped));
            connector->SetStartSpNo(no);
            connector->SetStartSpPtId(id);
        }
        if (IsExactly(FState.CurrentShape, TMyLine::staticMetaObject))
            FCad.GetMergeShape(static_cast<TMyLine*>(FState.CurrentShape.data()), true, PtToMyPt(snapped));
    }
    TMyShape* shape = FState.CurrentShape;
    if ((Shift & ssShift) && shape->GetPointsCount() > 0) {
        const int ref = IsPolyLineKind(shape) ? shape->GetPointsCount() - 1 : 0;
        DrawMakeSquareorHV(Shift, shape, MyPtToPt(shape->GetPointInZoom(ref)), FCurrentPoint);
    }
    shape->AddPointByMouse(FCurrentPoint);
    FCurrentPoint = snapped;
    if (shape->GetPointsCount() > 0)
        FAnchorPoint = MyPtToPt(shape->GetPointInZoom(shape->GetPointsCount() - 1));
    // A polyline shows its next segment at once; a B-spline erases the preview curve
    // that the moves drew up to this point.
    if (auto* curve = dynamic_cast<TMyBLine*>(shape); curve && curve->GetPointsCount() > 2) {
        curve->SetPreview(true);
        curve->Drawing(canvas, FAnchorPoint, FCurrentPoint);
        FCad.ScreenChanged();
    } else if (IsPolyLineKind(shape)) {
        shape->Drawing(canvas, FAnchorPoint, FCurrentPoint);
        FCad.ScreenChanged();
    }
}

void TMouseController::DropUnfinishedShape()
{
    if (!FDrawnShape)
        return;
    if (FState.CurrentShape == FDrawnShape.get())
        FState.CurrentShape = nullptr;
    FDrawnShape.reset();
}

// ---- Selecting -------------------------------------------------------------------------------

void TMouseController::PressSelecting(TShiftState Shift)
{
    const TActionTools state = FState.ActionTool;
    FCad.SetSelectShapeMode();
    FNextActionTool = state;
    TCanvas* canvas = FCad.Canvas();
    if (PressOnHotOrCaption(canvas, state))
        return;
    if (PressOnWorkingShape(canvas, Shift, state))
        return;
    PressNewPick(Shift, state);
}

// A hot of a selected shape starts resizing or rotating; its caption point starts moving
// the caption. A member of a selected group under the press is remembered on the way.
bool TMouseController::PressOnHotOrCaption(TCanvas* Canvas, TActionTools State)
{
    const TArrMyShape& working = FCad.WorkingShapes();
    for (size_t i = 0; i < working.size(); ++i) {
        TMyShape* s = working[i];
        FState.CurrentShape = s;
        if (dynamic_cast<TMyFreeLine*>(s))
            return false;
        for (uint32_t no : std::as_const(*s).ChildNos()) {
            TMyShape* member = FCad.GetShapeByNo(int(no));
            if (member && member != s && member->IsClickedMe(Canvas, FAnchorPoint))
                FState.ClickedChild = member;
        }
        const int hot = s->InWhichHot(FAnchorPoint);
        if (hot < 0) {
            const bool hasCaption = !s->MultiInfo().isEmpty() || !s->Info().isEmpty();
            if (hasCaption && s->InTextPointHot(FAnchorPoint) && !s->Locked()) {
                FAnchorPoint = MyPtToPt(s->ZoomedValuePt(s->CaptionPoint()));
                if (State == dtSelecting)
                    FState.ActionTool = dtDraggingTextoutPoint;
                return true;
            }
            continue;
        }
        if (!dynamic_cast<TMyLinkLine*>(s) && hot < 4)
            FAnchorPoint = MyPtToPt(s->GetPointInZoom(hot));
        if (State == dtSelecting && FCad.ResizeEnable())
            FState.ActionTool = dtResizing;
        else if (State == dtRotateSelecting && FCad.RotateEnable())
            FState.ActionTool = dtRotating;
        return true;
    }
    return false;
}

// A press on a selected shape: with Shift it leaves the selection; otherwise it starts a
// drag, and a shape lying under it is remembered for a click without movement.
bool TMouseController::PressOnWorkingShape(TCanvas* Canvas, TShiftState Shift, TActionTools State)
{
    const TArrMyShape& working = FCad.WorkingShapes();
    for (size_t i = 0; i < working.size(); ++i) {
        TMyShape* s = working[i];
        if (!FCad.IsClickedMeforShape(Canvas, s, FAnchorPoint))
            continue;
        if (Shift & ssShift) {
            FCad.RemoveWorkingShape(s);
            return true;
        }
        FUnderShape = ClickThroughCandidate(s, FAnchorPoint);
        if (State != dtBrowse)
            FState.ActionTool = dtDragging;
        const QPointer<TMyShape> guard(s);
        Fire(FCad.OnShapeSelected, s, s);
        if (guard)
            Fire(guard->OnClick, &FCad);
        return true;
    }
    return false;
}

void TMouseController::PressNewPick(TShiftState Shift, TActionTools State)
{
    if (!FCad.WorkingShapes().empty())
        Fire(FCad.OnShapeSelected, FCad.WorkingShapes().front(), nullptr);
    bool passOne = false;
    TMyShape* pick = NewPickAt(FAnchorPoint, passOne);
    if (!pick) {
        FCad.RemoveAllWorkingShapes();
        return;
    }
    FState.CurrentShape = pick;
    const QPointer<TMyShape> guard(pick);
    if (Shift & ssShift) {
        FCad.AddWorkingShapes(pick);
        Fire(FCad.OnShapeSelected, nullptr, pick);
        return;
    }
    if (FCad.WorkingShapes().empty()) {
        FCad.AddWorkingShapes(pick);
        Fire(FCad.OnShapeSelected, nullptr, pick);
        if (guard)
            Fire(guard->OnClick, &FCad);
    } else {
        TMyShape* previous = FCad.WorkingShapes().front();
        FCad.RemoveAllWorkingShapes();
        FCad.AddWorkingShapes(pick);
        if (passOne) {
            Fire(FCad.OnShapeSelected, previous, pick);
            if (guard)
                Fire(guard->OnClick, &FCad);
        } else {
            Fire(pick->OnClick, &FCad);
            if (guard)
                Fire(FCad.OnShapeSelected, previous, guard.data());
            // The new selection shows at once.
            FCad.Invalidate();
            FCad.repaint();
        }
    }
    if (State != dtBrowse)
        FState.ActionTool = dtDragging;
}

// ---- Picks ---------------------------------------------------------------------------------

TShapeGrid& TMouseController::Grid()
{
    const TShapeGrid::TKey key{FCad.ShapeListGeneration(), FCad.GeometryGeneration(), FCad.Zoom()};
    if (!FGrid.IsCurrent(key) || (!FMoved.empty() && !FGrid.Patch(FCad, FMoved)))
        FGrid.Build(FCad, key);
    FMoved.clear();
    return FGrid;
}

void TMouseController::ShapeMoved(TMyShape* S)
{
    // Shapes noted once the grid is out of date anyway are not needed; a great many are
    // better served by a rebuild.
    const TShapeGrid::TKey key{FCad.ShapeListGeneration(), FCad.GeometryGeneration(), FCad.Zoom()};
    if (!S || !FGrid.IsCurrent(key))
        return;
    if (FMoved.size() >= (size_t(1) << 16)) {
        FGrid.Invalidate();
        FMoved.clear();
        return;
    }
    FMoved.push_back(S);
}

TMyShape* TMouseController::TopShapeAt(TPoint P)
{
    std::vector<int>& roots = FScratch;
    Grid().RootsAt(P, roots);
    TCanvas* canvas = FCad.Canvas();
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
        TMyShape* s = FCad.GetShapeByNo(*it);
        if (s && !s->HasParentShape() && s->IsClickedMe(canvas, P))
            return s;
    }
    return nullptr;
}

TMyShape* TMouseController::NewPickAt(TPoint P, bool& PassOne)
{
    PassOne = false;
    std::vector<int>& roots = FScratch;
    Grid().RootsAt(P, roots);
    TCanvas* canvas = FCad.Canvas();
    TMyShape* other = nullptr;
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
        TMyShape* s = FCad.GetShapeByNo(*it);
        if (!s || s->HasParentShape() || FCad.IsInWorkingShape(s) >= 0)
            continue;
        const bool junction = dynamic_cast<TMyLineLinkLine*>(s) != nullptr;
        if (!junction && other)
            continue; // a lower shape can only matter if it is a junction
        if (!FCad.IsClickedMeforShape(canvas, s, P) || !FCad.IsVisibleLayerByID(s->LayerId()))
            continue;
        if (!FCad.OperateAllLayer() && s->LayerId() != FCad.CurrentLayerId())
            continue;
        if (junction) {
            PassOne = true;
            return s;
        }
        other = s;
    }
    return other;
}

TMyShape* TMouseController::ClickThroughCandidate(TMyShape* S, TPoint P)
{
    const TMyRect box = FCad.GetShapesLTRBinZoom({S});
    const TPoint p1 = MyPtToPt(TMyPoint(box.Left, box.Top)), p2 = MyPtToPt(TMyPoint(box.Right, box.Bottom));
    std::vector<int>& shapes = FScratch;
    Grid().ShapesAt(P, shapes);
    TCanvas* canvas = FCad.Canvas();
    for (int no : shapes) {
        TMyShape* t = FCad.GetShapeByNo(no);
        if (!t || t == S || t->ParentNo() == S->ShapeNo())
            continue;
        if (!FCad.OperateAllLayer() && t->LayerId() != FCad.CurrentLayerId())
            continue;
        if (!FCad.IsClickedMeforShape(canvas, t, P) || !FCad.IsInRegion(p1, p2, t))
            continue;
        if (t->HasParentShape())
            if (TMyShape* parent = FCad.GetShapeByNo(t->ParentNo()))
                return parent;
        return t;
    }
    return nullptr;
}
