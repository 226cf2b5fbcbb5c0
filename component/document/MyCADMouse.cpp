// TMyCAD: the mouse. Qt's mouse events become the control's MouseDown, MouseMove and
// MouseUp, which the mouse state machine (editing/MouseController.h) handles.
#include "component/document/MyCAD.h"

#include "component/base/Geometry.h"
#include "component/editing/MouseController.h"
#include "platform/Rounding.h"
#include "component/shapes/AllShapes.h"

#include <QEnterEvent>
#include <QMouseEvent>

void TMyCAD::TMouseControllerDeleter::operator()(TMouseController* Controller) const
{
    delete Controller;
}

TInteractionState& TMyCAD::Interaction()
{
    return FMouse->State();
}

const TInteractionState& TMyCAD::Interaction() const
{
    return FMouse->State();
}

TActionTools TMyCAD::ActionTool() const
{
    return Interaction().ActionTool;
}

TMyShape* TMyCAD::CurrentShape() const
{
    return Interaction().CurrentShape;
}

TMyShape* TMyCAD::LastEnteredShape() const
{
    return Interaction().LastEnteredShape;
}

TMyShape* TMyCAD::ClickedChild() const
{
    return Interaction().ClickedChild;
}

void TMyCAD::ClearAllLinkHot()
{
    Interaction().ClearHighlight();
}

int TMyCAD::HighlightHot(TMyShape* Shape, int Index, bool LinkPoint)
{
    return Shape ? FMouse->Highlight(Shape, Index, LinkPoint) : Index;
}

bool TMyCAD::InWhichShapeWhichHotLinkId(int& ShapeNo, int& LinkId, TMyPoint P)
{
    return FMouse->LinkHotAt(ShapeNo, LinkId, P);
}

bool TMyCAD::InWhichShapeWhichPointNo(int& Id, int& PointNo, TMyPoint P)
{
    return FMouse->LineEndAt(Id, PointNo, P);
}

void TMyCAD::DrawMakeSquareorHV(TShiftState Shift, TMyShape* Shape, TPoint Anchor, TPoint& P)
{
    FMouse->DrawMakeSquareorHV(Shift, Shape, Anchor, P);
}

void TMyCAD::ResizeMakeSquareorHV(TShiftState Shift, TMyShape* Shape, TPoint Anchor, TPoint& P)
{
    TMouseController::ResizeMakeSquareorHV(Shift, Shape, Anchor, P);
}

void TMyCAD::GeometryChanged(TMyShape* S)
{
    ShapeExtentChanged(S);
    if (S && S->HasParentShape())
        ShapeExtentChanged(GetRootParentShape(S));
    FMouse->ShapeMoved(S);
}

void TMyCAD::DropShapeInTheMaking()
{
    FMouse->DropUnfinishedShape();
}

void TMyCAD::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FMouse->MouseDown(Button, Shift, X, Y);
}

void TMyCAD::MouseMove(TShiftState Shift, int X, int Y)
{
    FMouse->MouseMove(Shift, X, Y);
}

void TMyCAD::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FMouse->MouseUp(Button, Shift, X, Y);
}

void TMyCAD::CMMouseEnter()
{
    Fire(OnMouseEnter, this);
}

void TMyCAD::CMMouseLeave()
{
    Fire(OnMouseLeave, this);
}

TActionTools TMyCAD::NextActionTool() const
{
    return FMouse->NextActionTool();
}

bool TMyCAD::MouseIsDown() const
{
    return FMouse->MouseIsDown();
}

TPoint TMyCAD::AnchorPoint() const
{
    return FMouse->AnchorPoint();
}

TPoint TMyCAD::CurrentPoint() const
{
    return FMouse->CurrentPoint();
}

TMyShape* TMyCAD::UnderShape() const
{
    return FMouse->UnderShape();
}

int TMyCAD::HotShapeNo() const
{
    return FMouse->HotShapeNo();
}

int TMyCAD::HotLinkId() const
{
    return FMouse->HotLinkId();
}

void TMyCAD::ClosePolygon()
{
    auto* polygon = dynamic_cast<TMyPolygon*>(CurrentShape());
    if (!polygon || polygon->GetPointsCount() <= 2)
        return;
    // The current point becomes the last vertex; the release on the first vertex lets the
    // polygon close itself.
    const TPoint current = CurrentPoint();
    const TPoint first = MyPtToPt(polygon->GetPointInZoom(0));
    MouseDown(mbLeft, 0, current.X, current.Y);
    MouseUp(mbLeft, 0, first.X, first.Y);
}

// ---- Qt's events -----------------------------------------------------------------------------

namespace {
TPoint PositionOf(const QMouseEvent* event)
{
    const QPointF p = event->position();
    return TPoint(Round(p.x()), Round(p.y()));
}
} // namespace

void TMyCAD::mousePressEvent(QMouseEvent* event)
{
    const TPoint p = PositionOf(event);
    MouseDown(FromQtButton(event->button()), FromQtModifiers(event->modifiers(), event->buttons()), p.X, p.Y);
}

// The second press of a double click: OnDblClick, then a press marked as double.
void TMyCAD::mouseDoubleClickEvent(QMouseEvent* event)
{
    const TPoint p = PositionOf(event);
    if (event->button() == Qt::LeftButton)
        Fire(OnDblClick, this);
    MouseDown(FromQtButton(event->button()), FromQtModifiers(event->modifiers(), event->buttons(), true), p.X, p.Y);
}

void TMyCAD::mouseMoveEvent(QMouseEvent* event)
{
    const TPoint p = PositionOf(event);
    MouseMove(FromQtModifiers(event->modifiers(), event->buttons()), p.X, p.Y);
}

// A left release inside the control is a click (OnClick) before the release is handled.
void TMyCAD::mouseReleaseEvent(QMouseEvent* event)
{
    const TPoint p = PositionOf(event);
    if (event->button() == Qt::LeftButton && rect().contains(p.toQPoint()))
        Fire(OnClick, this);
    MouseUp(FromQtButton(event->button()), FromQtModifiers(event->modifiers(), event->buttons()), p.X, p.Y);
}

void TMyCAD::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    CMMouseEnter();
}

void TMyCAD::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    CMMouseLeave();
}
