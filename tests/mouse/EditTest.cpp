// Editing with the mouse: dragging in each drag mode and with snapping, resizing with and
// without Shift, rotating with a degree constraint, removing and inserting nodes and
// dragging the whole drawing; the geometry, the events with their points and the undo
// records after each step.
#include "MouseTestSupport.h"

#include <cmath>
#include <numbers>

namespace {
QStringList PointsOf(const TMyShape* s)
{
    QStringList out;
    for (const TMyPoint& p : s->Points())
        out << QStringLiteral("(%1,%2)").arg(double(p.X)).arg(double(p.Y));
    return out;
}
} // namespace

class Edit : public MouseTest {
protected:
    Edit()
    {
        a = Rect(100, 100, 200, 200, "A");
        cad.ClearAllUndoStuff();
    }
    TMyShape* a;
};

TEST_F(Edit, ADragMovesTheSelectionOnReleaseAsOneUndoAction)
{
    Down(150, 150);
    TakeEvents();
    Move(160, 155, ssLeft);
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(100, 100)); // only traces while moving
    Move(180, 170, ssLeft);
    Up(180, 170);
    EXPECT_EQ(TakeEvents(), QStringList({"Dragging(A,150,150,160,155)", "Dragging(A,150,150,180,170)",
                                         "Dragged(A,150,150,180,170)"}));
    EXPECT_EQ(PointsOf(a), QStringList({"(130,120)", "(230,120)", "(230,220)", "(130,220)"}));
    EXPECT_EQ(History(cad), QStringList({"0:ACT_CHANGE:A"}));
    EXPECT_EQ(cad.ActionTool(), dtSelecting);
    EXPECT_FALSE(cad.CursorClipped());
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(100, 100));
}

TEST_F(Edit, DragsUndoneAreRedoneStepByStepUntilANewDrag)
{
    Drag(150, 150, {TPoint(180, 170)});
    Drag(180, 170, {TPoint(200, 200)});
    const QStringList moved = PointsOf(a), history = History(cad);
    EXPECT_EQ(moved, QStringList({"(150,150)", "(250,150)", "(250,250)", "(150,250)"}));
    cad.PopFromUndoRedoShapeList();
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(100, 100));
    EXPECT_TRUE(cad.Redo());
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(130, 120));
    EXPECT_TRUE(cad.Redo());
    EXPECT_FALSE(cad.Redo());
    EXPECT_EQ(PointsOf(a), moved);
    EXPECT_EQ(History(cad), history);
    cad.PopFromUndoRedoShapeList();
    Drag(140, 140, {TPoint(145, 140)});
    EXPECT_FALSE(cad.CanRedo());
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(135, 120));
}

// The drop is reported once, for the current shape: the last selected shape the press
// looked at for hots.
TEST_F(Edit, ADragOfSeveralShapesIsOneActionAndEachShapeIsReportedWhileMoving)
{
    TMyShape* b = Rect(300, 100, 400, 200, "B");
    cad.SelectAllShapes();
    cad.ClearAllUndoStuff();
    TakeEvents();
    Drag(150, 150, {TPoint(150, 190)});
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(A,A)", "Click(A)", "Dragging(A,150,150,150,190)",
                                         "Dragging(B,150,150,150,190)", "Dragged(B,150,150,150,190)"}));
    EXPECT_EQ(b->GetLeftTop(), TMyPoint(300, 140));
    EXPECT_EQ(History(cad), QStringList({"0:ACT_CHANGE:B", "0:ACT_CHANGE:A"}));
}

TEST_F(Edit, ADragThatEndsWhereItBeganChangesNothing)
{
    Drag(150, 150, {TPoint(190, 170), TPoint(150, 150)});
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(nil,A)", "Click(A)", "Dragging(A,150,150,190,170)",
                                         "Dragging(A,150,150,150,150)"}));
    EXPECT_TRUE(History(cad).isEmpty());
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(100, 100));
}

TEST_F(Edit, DragModesKeepTheStartRowOrColumn)
{
    cad.SetDragShapeMode(dgHorz);
    Drag(150, 150, {TPoint(170, 185)});
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(120, 100));
    cad.SetDragMode(dgVert);
    Drag(150, 150, {TPoint(170, 185)});
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(120, 135));
    // The events see the constrained point.
    cad.SetDragMode(dgHorz);
    TakeEvents();
    Drag(150, 150, {TPoint(155, 190)});
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(A,A)", "Click(A)", "Dragging(A,150,150,155,150)",
                                         "Dragged(A,150,150,155,150)"}));
}

TEST_F(Edit, ADragSnapsTheSelectionBoxToTheGrid)
{
    cad.Move(a, -58, -58); // box (42, 42) to (142, 142)
    cad.SetSnap(true);
    cad.ClearAllUndoStuff();
    // Moved by (17, 3): the box's left edge 59 is one pixel from the grid line at 60;
    // nothing captures y.
    Drag(60, 60, {TPoint(77, 63)});
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(60, 45));
    EXPECT_EQ(History(cad), QStringList({"0:ACT_CHANGE:A"}));
}

TEST_F(Edit, TheDragEventsFollowTheXYModeAndTheDroppedEventCanMoveTheDrop)
{
    cad.SetXYMode(TXYMode::Mode1);
    const int h = cad.height();
    cad.OnShapeMouseDragged = [&](TMyShape*, TPoint from, TPoint& to) {
        events << QStringLiteral("Dragged(%1,%2,%3,%4)").arg(from.X).arg(from.Y).arg(to.X).arg(to.Y);
        to.X += 5; // five pixels further right
    };
    Drag(150, 150, {TPoint(170, 160)});
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(nil,A)", "Click(A)",
                                         QStringLiteral("Dragging(A,150,%1,170,%2)").arg(h - 150).arg(h - 160),
                                         QStringLiteral("Dragged(150,%1,170,%2)").arg(h - 150).arg(h - 160)}));
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(125, 110));
    EXPECT_EQ(History(cad), QStringList({"0:ACT_CHANGE:A"})); // one record for both moves
}

TEST_F(Edit, AtZoomTwoADragMovesHalfAsFarInDocumentUnits)
{
    cad.SetZoom(2);
    Drag(300, 300, {TPoint(340, 320)});
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(120, 110));
}

TEST_F(Edit, ResizingACornerReportsEveryStepAndRecordsTheChange)
{
    Click(150, 150);
    TakeEvents();
    Down(201, 199);
    EXPECT_EQ(cad.ActionTool(), dtResizing);
    EXPECT_EQ(a->CurrentHot(), 2);
    Move(230, 220, ssLeft);
    Move(240, 230, ssLeft);
    EXPECT_EQ(a->GetRightBottom(), TMyPoint(200, 200)); // only the rubber band so far
    Up(240, 230);
    EXPECT_EQ(TakeEvents(), QStringList({"Resizing(A,200,200,230,220)", "Resizing(A,200,200,240,230)",
                                         "Resized(A,200,200,240,230)", "ResizeFinished(A,200,200,240,230)"}));
    EXPECT_EQ(PointsOf(a), QStringList({"(100,100)", "(240,100)", "(240,230)", "(100,230)"}));
    EXPECT_EQ(History(cad), QStringList({"0:ACT_CHANGE:A"}));
    EXPECT_EQ(cad.ActionTool(), dtSelecting);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(a->GetRightBottom(), TMyPoint(200, 200));
}

TEST_F(Edit, ShiftKeepsAResizedBoxSquare)
{
    Click(150, 150);
    Down(200, 200);
    Move(240, 230, ssLeft | ssShift);
    Up(240, 230, ssShift);
    // 140 x 130 from the fixed corner: the shorter side wins.
    EXPECT_EQ(PointsOf(a), QStringList({"(100,100)", "(230,100)", "(230,230)", "(100,230)"}));
}

TEST_F(Edit, ShiftKeepsAResizedLineHorizontalOrVertical)
{
    TMyShape* line = Line({TMyPoint(300, 300), TMyPoint(400, 350)}, "L");
    Click(350, 325);
    EXPECT_EQ(Selection(), QStringList({"L"}));
    Down(400, 350);
    EXPECT_EQ(line->CurrentHot(), 1);
    Up(460, 370, ssShift);
    EXPECT_EQ(PointsOf(line), QStringList({"(300,300)", "(460,300)"}));
    Down(460, 300);
    Up(470, 500, ssShift);
    EXPECT_EQ(PointsOf(line), QStringList({"(300,300)", "(300,500)"}));
}

TEST_F(Edit, ALockedShapeShowsNoRubberBandButItsResizeIsStillRecorded)
{
    Click(150, 150);
    a->SetLocked(true);
    cad.Paint();
    const QImage before = ScreenOf(cad);
    Down(200, 200);
    EXPECT_EQ(cad.ActionTool(), dtResizing);
    Move(240, 240, ssLeft);
    Move(250, 260, ssLeft);
    EXPECT_TRUE(DifferenceOf(before, ScreenOf(cad)).isEmpty());
    Up(250, 260);
    EXPECT_EQ(a->GetRightBottom(), TMyPoint(200, 200));
    EXPECT_EQ(History(cad), QStringList({"0:ACT_CHANGE:A"}));
}

TEST_F(Edit, RotationSnapsToTheDegreeConstraint)
{
    cad.SetShapeTool(SpRotateSelecting);
    cad.SetRotateConstraintDegree(15);
    Click(150, 150);
    EXPECT_EQ(cad.ActionTool(), dtRotateSelecting);
    TakeEvents();
    Down(200, 100); // the top-right corner, 45 degrees above the centre's east
    EXPECT_EQ(cad.ActionTool(), dtRotating);
    Move(210, 140, ssLeft); // about 35.5 degrees further
    Up(210, 140);
    EXPECT_EQ(TakeEvents(), QStringList({"Rotating(A,200,100,210,140)", "Rotated(A,200,100,210,140)"}));
    EXPECT_NEAR(a->Angle(), std::numbers::pi / 6, 1e-5);
    // The corner turned by 30 degrees about the centre (150, 150).
    const double r = 50 * std::sqrt(2.0), t = -std::numbers::pi / 4 + std::numbers::pi / 6;
    EXPECT_NEAR(a->GetPoint(1).X, 150 + r * std::cos(t), 1e-3);
    EXPECT_NEAR(a->GetPoint(1).Y, 150 + r * std::sin(t), 1e-3);
    EXPECT_EQ(History(cad), QStringList({"0:ACT_CHANGE:A"}));
    EXPECT_EQ(cad.ActionTool(), dtRotateSelecting);
}

TEST_F(Edit, NodeRemovalReportsTheNodeOrTheReasonForARefusal)
{
    TMyShape* poly = Line({TMyPoint(300, 300), TMyPoint(400, 300), TMyPoint(400, 400)}, "P", SpPolyLine);
    cad.SelectShapeByCode(poly->GetShapeId(), true);
    cad.SetShapeTool(SpPolylinePolygonPointRemoving);
    cad.ClearAllUndoStuff();
    TakeEvents();
    Click(401, 299);
    EXPECT_EQ(TakeEvents(), QStringList({"NodeDeleted(P,1)"}));
    EXPECT_EQ(PointsOf(poly), QStringList({"(300,300)", "(400,400)"}));
    EXPECT_EQ(History(cad), QStringList({"0:ACT_CHANGE:P"}));
    Click(400, 400);
    EXPECT_EQ(TakeEvents(), QStringList({"NodeDeleted(P,-8)"})); // two nodes are the least
    Click(350, 500);
    EXPECT_TRUE(TakeEvents().isEmpty()); // no node hit
    EXPECT_EQ(History(cad).size(), 1);
    EXPECT_EQ(cad.ActionTool(), dtPolylinePolygonPointRemoving);
}

TEST_F(Edit, APolygonKeepsThreeNodesAndItsClosingNode)
{
    TMyShape* triangle = Line({TMyPoint(300, 300), TMyPoint(400, 300), TMyPoint(400, 400)}, "T", SpPolygon);
    TMyShape* square =
        Line({TMyPoint(500, 300), TMyPoint(600, 300), TMyPoint(600, 400), TMyPoint(500, 400)}, "S", SpPolygon);
    ASSERT_EQ(triangle->GetPointsCount(), 4); // the first point stored again
    cad.SetShapeTool(SpPolylinePolygonPointRemoving);
    cad.SelectShapeByCode(triangle->GetShapeId(), true);
    cad.ClearAllUndoStuff();
    TakeEvents();
    Click(400, 300);
    EXPECT_EQ(TakeEvents(), QStringList({"NodeDeleted(T,-8)"}));
    cad.SelectShapeByCode(square->GetShapeId(), true);
    TakeEvents();
    Click(500, 300); // the first node is also the closing one
    EXPECT_EQ(TakeEvents(), QStringList({"NodeDeleted(S,-7)"}));
    Click(600, 400);
    EXPECT_EQ(TakeEvents(), QStringList({"NodeDeleted(S,2)"}));
    EXPECT_EQ(PointsOf(square), QStringList({"(500,300)", "(600,300)", "(500,400)", "(500,300)"}));
    EXPECT_EQ(History(cad), QStringList({"0:ACT_CHANGE:S"}));
    // With two shapes selected nothing is removed.
    cad.SelectShapeByCode(triangle->GetShapeId(), false);
    TakeEvents();
    Click(600, 300);
    EXPECT_TRUE(TakeEvents().isEmpty());
    EXPECT_EQ(square->GetPointsCount(), 4);
}

TEST_F(Edit, NodeInsertionAddsANodeToEverySelectedPolylineHit)
{
    TMyShape* p = Line({TMyPoint(300, 300), TMyPoint(500, 300)}, "P", SpPolyLine);
    TMyShape* q = Line({TMyPoint(300, 310), TMyPoint(500, 310)}, "Q", SpPolyLine);
    cad.SelectShapeByCode(p->GetShapeId(), true);
    cad.SelectShapeByCode(q->GetShapeId(), false);
    cad.SetShapeTool(SpPolylinePolygonPointAdding);
    cad.ClearAllUndoStuff();
    TakeEvents();
    Click(400, 305); // within reach of both
    EXPECT_EQ(TakeEvents(), QStringList({"NodeAdded(P,1)", "NodeAdded(Q,1)"}));
    EXPECT_EQ(PointsOf(p), QStringList({"(300,300)", "(400,305)", "(500,300)"}));
    EXPECT_EQ(PointsOf(q), QStringList({"(300,310)", "(400,305)", "(500,310)"}));
    EXPECT_EQ(History(cad), QStringList({"0:ACT_CHANGE:P", "1:ACT_CHANGE:Q"}));
    EXPECT_EQ(cad.ActionTool(), dtPolylinePolygonPointAdding);
}

TEST_F(Edit, TheWholeDragMovesEveryTopLevelShapeWithoutAnUndoRecord)
{
    TMyShape* b = Rect(300, 100, 400, 200, "B");
    cad.ClearAllUndoStuff();
    Drag(10, 10, {TPoint(20, 20), TPoint(40, 30)});
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(100, 100)); // selecting, not dragging the whole
    cad.SetShapeTool(SpDragWhole);
    TakeEvents();
    Drag(10, 10, {TPoint(20, 20), TPoint(40, 30)});
    EXPECT_EQ(TakeEvents(), QStringList({"WholeDragged"}));
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(130, 120));
    EXPECT_EQ(b->GetLeftTop(), TMyPoint(330, 120));
    EXPECT_TRUE(History(cad).isEmpty());
    EXPECT_EQ(cad.ActionTool(), dtDragWhole);
    // Only the current layer's shapes unless every layer is operated.
    cad.SetOperateAllLayer(false);
    cad.SetCurrentLayerId(cad.NewLayer("Other", true));
    TMyShape* c = Rect(500, 500, 550, 550, "C");
    Drag(10, 10, {TPoint(15, 10)});
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(130, 120));
    EXPECT_EQ(c->GetLeftTop(), TMyPoint(505, 500));
    // Back where it began: no event.
    TakeEvents();
    Drag(10, 10, {TPoint(50, 50), TPoint(10, 10)});
    EXPECT_TRUE(TakeEvents().isEmpty());
}
