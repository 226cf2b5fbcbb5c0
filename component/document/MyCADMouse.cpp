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

TMouseController& TMyCAD::MouseController()
{
    if (!FMouse)
        FMouse.reset(new TMouseController(*this));
    return *FMouse;
}

void TMyCAD::GeometryChanged(TMyShape* S)
{
    ShapeExtentChanged(S);
    if (S && S->HasParentShape())
        ShapeExtentChanged(GetRootParentShape(S));
    if (FMouse)
        FMouse->ShapeMoved(S);
}

void TMyCAD::DropShapeInTheMaking()
{
    if (FMouse)
        FMouse->DropUnfinishedShape();
}

void TMyCAD::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    MouseController().MouseDown(Button, Shift, X, Y);
}

void TMyCAD::MouseMove(TShiftState Shift, int X, int Y)
{
    MouseController().MouseMove(Shift, X, Y);
}

void TMyCAD::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    MouseController().MouseUp(Button, Shift, X, Y);
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
    return FMouse ? FMouse->NextActionTool() : TActionTools::dtClose;
}

bool TMyCAD::MouseIsDown() const
{
    return FMouse && FMouse->MouseIsDown();
}

TPoint TMyCAD::AnchorPoint() const
{
    return FMouse ? FMouse->AnchorPoint() : TPoint();
}

TPoint TMyCAD::CurrentPoint() const
{
    return FMouse ? FMouse->CurrentPoint() : TPoint();
}

TMyShape* TMyCAD::UnderShape() const
{
    return FMouse ? FMouse->UnderShape() : nullptr;
}

int TMyCAD::HotShapeNo() const
{
    return FMouse ? FMouse->HotShapeNo() : -1;
}

int TMyCAD::HotLinkId() const
{
    return FMouse ? FMouse->HotLinkId() : -1;
}

void TMyCAD::ClosePolygon()
{
    auto* polygon = dynamic_cast<TMyPolygon*>(FCurrentShape);
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
