// TMyCAD: the setters of the published properties that do more than store.
#include "component/document/MyCAD.h"

#include "component/editing/InteractionState.h"

#include "component/render/HotColor.h"
#include "component/shapes/MyShape.h"

void TMyCAD::SetArrowAngle(int v)
{
    if (v >= 0 && v < 360)
        FArrowAngle = v;
}

void TMyCAD::SetArrowLength(uint8_t v)
{
    if (v >= 10 && v <= 80)
        FArrowLength = v;
}

void TMyCAD::SetBkBitmap(TBitmap* v)
{
    if (v) {
        // The caller's picture is made 24 bits per pixel first, then copied.
        v->SetPixelFormat(pf24bit);
        FBkBitmap->Assign(*v);
    } else {
        FBkBitmap->Assign(TBitmap());
    }
    Invalidate();
}

void TMyCAD::SetBkBitmapMode(TBkBitmapMode v)
{
    FBkBitmapMode = v;
    Invalidate();
}

void TMyCAD::SetBrush(const TBrush* v)
{
    if (v)
        FBrush->Assign(*v);
}

void TMyCAD::SetColorOfBackGround(TColor v)
{
    if (v == FColorOfBackGround)
        return;
    FColorOfBackGround = v;
    Invalidate();
}

void TMyCAD::SetColorOfHot(TColor v)
{
    FColorOfHot = v;
    SetHotColor(v);
}

void TMyCAD::SetFont(const TFont* v)
{
    if (v)
        FFont->Assign(*v);
}

void TMyCAD::SetGridOperation(TGridObject* v)
{
    if (v)
        FGridOperation->Assign(*v);
}

void TMyCAD::SetOperateAllLayer(bool v)
{
    if (v == FOperateAllLayer)
        return;
    FOperateAllLayer = v;
    FWorkingShapes.clear();
    Interaction().CurrentShape = nullptr;
    Invalidate();
}

void TMyCAD::SetPageFootFont(const TFont* v)
{
    if (v)
        FPageFootFont->Assign(*v);
}

void TMyCAD::SetPageHeadFont(const TFont* v)
{
    if (v)
        FPageHeadFont->Assign(*v);
}

void TMyCAD::SetPen(const TPen* v)
{
    if (v)
        FPen->Assign(*v);
}

void TMyCAD::SetRatio(double v)
{
    FRatio = v;
    Invalidate();
}

void TMyCAD::SetRotateConstraintDegree(int v)
{
    if (v >= 0 && v != FRotateConstraintDegree)
        FRotateConstraintDegree = v;
}

void TMyCAD::SetShapeTool(TDrawTool v)
{
    FShapeTool = v;
    switch (v) {
    case SpSelecting: Interaction().ActionTool = TActionTools::dtSelecting; break;
    case SpRotateSelecting: Interaction().ActionTool = TActionTools::dtRotateSelecting; break;
    case SpClose: Interaction().ActionTool = TActionTools::dtClose; break;
    case SpPolylinePolygonPointRemoving: Interaction().ActionTool = TActionTools::dtPolylinePolygonPointRemoving; break;
    case SpPolylinePolygonPointAdding: Interaction().ActionTool = TActionTools::dtPolylinePolygonPointAdding; break;
    case SpDragWhole: Interaction().ActionTool = TActionTools::dtDragWhole; break;
    case SpBrowse: Interaction().ActionTool = TActionTools::dtBrowse; break;
    default:
        // A drawing tool: an unfinished shape is dropped and no link point stays
        // highlighted.
        Interaction().ActionTool = TActionTools::dtDrawing;
        DropShapeInTheMaking();
        Interaction().CurrentShape = nullptr;
        ClearAllLinkHot();
        break;
    }
    Invalidate();
}

void TMyCAD::SetSnapPixels(uint8_t v)
{
    if (v < FGridOperation->GridWidth() && v < FGridOperation->GridHeight())
        FSnapPixels = v;
}

void TMyCAD::SetTheUNIT(TUnits v)
{
    FTheUNIT = v;
    Invalidate();
}

void TMyCAD::SetUndoRedoSize(uint8_t v)
{
    if (v == FUndoRedoSize)
        return;
    FUndoRedoSize = v;
    if (v == 0)
        ClearAllUndoStuff();
}
