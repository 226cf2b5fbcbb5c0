// The control driven end to end by Qt's own mouse events, as a window system delivers
// them: presses, moves, releases, double clicks, entering and leaving.
#include "MouseTestSupport.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>

namespace {
void Send(TMyCAD& cad, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(p), QPointF(cad.mapToGlobal(p)), button, buttons, modifiers);
    QCoreApplication::sendEvent(&cad, &event);
}

void Press(TMyCAD& cad, QPoint p, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    Send(cad, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, modifiers);
}

void Release(TMyCAD& cad, QPoint p, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    Send(cad, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, modifiers);
}

void MoveTo(TMyCAD& cad, QPoint p, Qt::MouseButtons buttons = Qt::NoButton)
{
    Send(cad, QEvent::MouseMove, p, Qt::NoButton, buttons);
}
} // namespace

class QtEvents : public MouseTest {
protected:
    QtEvents()
    {
        logMouse = true;
        cad.OnClick = [this](QObject* sender) { events << (sender == &cad ? "CadClick" : "CadClick(?)"); };
        cad.OnDblClick = [this](QObject* sender) { events << (sender == &cad ? "CadDblClick" : "CadDblClick(?)"); };
    }
};

TEST_F(QtEvents, PressMoveAndReleaseDrawARectangle)
{
    cad.SetShapeTool(SpRectangle);
    Press(cad, QPoint(40, 40));
    Release(cad, QPoint(40, 40));
    MoveTo(cad, QPoint(90, 70));
    Press(cad, QPoint(120, 100), Qt::ShiftModifier);
    Release(cad, QPoint(120, 100), Qt::ShiftModifier);
    EXPECT_INVARIANTS(cad);
    EXPECT_EQ(TakeEvents(), QStringList({"MouseDown(0,40,40)", "CadClick", "MouseUp(0,40,40)", "MouseMove(90,70)",
                                         "MouseDown(0,120,100)", "CadClick", "ShapeAdded(Shape0,1)", "ToSelecting",
                                         "MouseUp(0,120,100)"}));
    ASSERT_EQ(cad.GetShapesCount(), 1);
    // Shift made it square.
    EXPECT_EQ(cad.GetShapeByNo(0)->GetRightBottom(), TMyPoint(100, 100));
}

TEST_F(QtEvents, ADragThroughQtEventsMovesTheShape)
{
    TMyShape* a = Rect(100, 100, 200, 200, "A");
    Press(cad, QPoint(150, 150));
    MoveTo(cad, QPoint(170, 160), Qt::LeftButton);
    MoveTo(cad, QPoint(190, 175), Qt::LeftButton);
    Release(cad, QPoint(190, 175));
    EXPECT_INVARIANTS(cad);
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(140, 125));
    EXPECT_EQ(TakeEvents(), QStringList({"MouseDown(0,150,150)", "ShapeSelected(nil,A)", "Click(A)", "MouseMove(170,160)",
                                         "Dragging(A,150,150,170,160)", "MouseMove(190,175)",
                                         "Dragging(A,150,150,190,175)", "CadClick", "Dragged(A,150,150,190,175)",
                                         "MouseUp(0,190,175)"}));
    // Moving without a button is hovering.
    MoveTo(cad, QPoint(150, 150));
    MoveTo(cad, QPoint(600, 600));
    EXPECT_EQ(TakeEvents(), QStringList({"MouseMove(150,150)", "Enter(A)", "MouseMove(600,600)", "Leave(A)"}));
}

TEST_F(QtEvents, ADoubleClickIsOneSelectionButTwoPointsOfAPolyline)
{
    Rect(100, 100, 200, 200, "A");
    Press(cad, QPoint(150, 150));
    Release(cad, QPoint(150, 150));
    Send(cad, QEvent::MouseButtonDblClick, QPoint(150, 150), Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(cad.MouseIsDown());
    Release(cad, QPoint(150, 150));
    EXPECT_EQ(TakeEvents(), QStringList({"MouseDown(0,150,150)", "ShapeSelected(nil,A)", "Click(A)", "CadClick",
                                         "MouseUp(0,150,150)", "CadDblClick", "MouseDown(0,150,150)", "CadClick",
                                         "MouseUp(0,150,150)"}));
    EXPECT_EQ(Selection(), QStringList({"A"}));

    cad.SetShapeTool(SpPolyLine);
    Press(cad, QPoint(300, 300));
    Release(cad, QPoint(300, 300));
    Send(cad, QEvent::MouseButtonDblClick, QPoint(340, 300), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(cad.MouseIsDown());
    ASSERT_NE(cad.CurrentShape(), nullptr);
    EXPECT_EQ(cad.CurrentShape()->GetPointsCount(), 2);
}

TEST_F(QtEvents, AReleaseOutsideTheControlIsNoClick)
{
    cad.SetShapeTool(SpSelecting);
    Press(cad, QPoint(50, 50));
    MoveTo(cad, QPoint(-20, 40), Qt::LeftButton);
    Release(cad, QPoint(-20, 40));
    EXPECT_EQ(TakeEvents(), QStringList({"MouseDown(0,50,50)", "MouseMove(-20,40)", "MouseUp(0,-20,40)"}));
    EXPECT_FALSE(cad.MouseIsDown());
}

TEST_F(QtEvents, EnteringAndLeavingTheControlAreReported)
{
    cad.OnMouseEnter = [this](QObject* sender) { events << (sender == &cad ? "Enter" : "Enter(?)"); };
    cad.OnMouseLeave = [this](QObject* sender) { events << (sender == &cad ? "Leave" : "Leave(?)"); };
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(cad.mapToGlobal(QPoint(5, 5))));
    QCoreApplication::sendEvent(&cad, &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&cad, &leave);
    EXPECT_EQ(TakeEvents(), QStringList({"Enter", "Leave"}));
}
