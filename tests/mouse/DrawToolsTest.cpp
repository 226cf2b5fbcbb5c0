// Drawing with the mouse: each tool's shape made press by press, the Shift constraints,
// the end of a shape (addition, name, selection, undo record, events, return to
// selecting) and its failure paths.
#include "MouseTestSupport.h"

#include "component/render/CanvasModes.h"

#include <QLabel>

namespace {
QStringList PointsOf(const TMyShape* s)
{
    QStringList out;
    for (const TMyPoint& p : s->Points())
        out << QStringLiteral("(%1,%2)").arg(double(p.X)).arg(double(p.Y));
    return out;
}
} // namespace

using DrawTools = MouseTest;

TEST_F(DrawTools, AFreshControlIgnoresTheMouseUntilAToolIsAssigned)
{
    TMyCAD fresh;
    EXPECT_EQ(fresh.ShapeTool(), SpSelecting);
    EXPECT_EQ(fresh.ActionTool(), dtClose);
    QLabel label;
    fresh.SetLabelXY(&label);
    int downs = 0;
    fresh.OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    fresh.MouseDown(mbLeft, ssLeft, 10, 10);
    fresh.MouseMove(ssLeft, 30, 30);
    fresh.MouseUp(mbLeft, 0, 30, 30);
    EXPECT_EQ(downs, 1); // the host's own handler still runs
    EXPECT_FALSE(fresh.MouseIsDown());
    EXPECT_EQ(fresh.ActionTool(), dtClose);
    EXPECT_TRUE(label.text().isEmpty()); // not even the coordinates
    EXPECT_EQ(fresh.GetShapesCount(), 0);
}

TEST_F(DrawTools, ALineTakesTwoPressesAndThenJoinsTheDrawing)
{
    cad.SetShapeTool(SpLine);
    QLabel value;
    cad.SetLabelValue(&value);
    logMouse = true;
    Down(100, 100);
    ASSERT_NE(cad.CurrentShape(), nullptr);
    EXPECT_EQ(cad.CurrentShape()->ClassName(), "TMyLine");
    EXPECT_EQ(cad.CurrentShape()->ShapeNo(), 0);
    EXPECT_EQ(cad.GetShapesCount(), 0); // not part of the drawing while it is drawn
    EXPECT_EQ(cad.NextActionTool(), dtSelecting);
    Up(100, 100);
    EXPECT_EQ(PointsOf(cad.CurrentShape()), QStringList({"(100,100)"}));
    Move(160, 180);
    EXPECT_EQ(value.text(), cad.CurrentShape()->GetLengthByUnit(TPoint(100, 100), TPoint(160, 180)));
    EXPECT_TRUE(value.text().endsWith(" mm"));
    Down(200, 140);
    Up(200, 140);
    EXPECT_EQ(TakeEvents(), QStringList({"MouseDown(0,100,100)", "MouseUp(0,100,100)", "MouseMove(160,180)",
                                         "MouseDown(0,200,140)", "ShapeAdded(Shape0,1)", "ToSelecting",
                                         "MouseUp(0,200,140)"}));
    ASSERT_EQ(cad.GetShapesCount(), 1);
    const TMyShape* line = cad.GetShapeByNo(0);
    EXPECT_EQ(line->Name(), "Shape0");
    EXPECT_EQ(line->Caption(), "Shape0");
    EXPECT_EQ(line->GetShapeId(), 0);
    EXPECT_EQ(PointsOf(line), QStringList({"(100,100)", "(200,140)"}));
    EXPECT_EQ(Selection(), QStringList({"Shape0"}));
    EXPECT_EQ(cad.CurrentShape(), nullptr);
    EXPECT_EQ(cad.ActionTool(), dtSelecting);
    EXPECT_EQ(cad.ShapeTool(), SpSelecting);
    EXPECT_EQ(History(cad), QStringList({"0:ACT_ADD:Shape0"}));
    EXPECT_FALSE(cad.MouseIsDown());
    EXPECT_FALSE(cad.CursorClipped());
}

TEST_F(DrawTools, PressesAndReleasesSnapToTheGrid)
{
    cad.SetSnap(true); // grid 20 x 20, four pixels
    cad.SetShapeTool(SpRuleLine);
    QLabel xy;
    cad.SetLabelXY(&xy);
    Click(103, 98);
    EXPECT_EQ(PointsOf(cad.CurrentShape()), QStringList({"(100,100)"}));
    EXPECT_EQ(cad.AnchorPoint(), TPoint(100, 100));
    // The rubber band and the coordinates shown follow the grid too.
    Move(157, 181);
    EXPECT_EQ(cad.CurrentPoint(), TPoint(160, 180));
    EXPECT_EQ(xy.text(), "(160,180)");
    Move(150, 181);
    EXPECT_EQ(xy.text(), "(150,180)");
    Click(157, 181);
    ASSERT_EQ(cad.GetShapesCount(), 1);
    EXPECT_EQ(cad.GetShapeByNo(0)->ClassName(), "TMyRuleLine");
    EXPECT_EQ(PointsOf(cad.GetShapeByNo(0)), QStringList({"(100,100)", "(160,180)"}));
}

TEST_F(DrawTools, ShiftMakesLinesHorizontalOrVertical)
{
    cad.SetShapeTool(SpLine);
    cad.SetReturnToSelecting(false);
    Click(100, 100);
    Click(200, 130, ssShift); // wider than high: horizontal
    Click(300, 300);
    Click(330, 200, ssShift); // higher than wide: vertical
    Click(50, 50);
    Click(80, 80, ssShift); // a tie is horizontal
    ASSERT_EQ(cad.GetShapesCount(), 3);
    EXPECT_EQ(PointsOf(cad.GetShapeByNo(0)), QStringList({"(100,100)", "(200,100)"}));
    EXPECT_EQ(PointsOf(cad.GetShapeByNo(1)), QStringList({"(300,300)", "(300,200)"}));
    EXPECT_EQ(PointsOf(cad.GetShapeByNo(2)), QStringList({"(50,50)", "(80,50)"}));
}

TEST_F(DrawTools, WithoutReturnToSelectingTheToolStaysForTheNextShape)
{
    cad.SetShapeTool(SpRectangle);
    cad.SetReturnToSelecting(false);
    Click(40, 40);
    Click(120, 100);
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeAdded(Shape0,1)"}));
    EXPECT_EQ(cad.ShapeTool(), SpRectangle);
    EXPECT_EQ(cad.ActionTool(), dtDrawing);
    EXPECT_EQ(cad.NextActionTool(), dtDrawing);
    Click(200, 200);
    ASSERT_NE(cad.CurrentShape(), nullptr);
    EXPECT_EQ(cad.CurrentShape()->ClassName(), "TMyRectangle");
    EXPECT_EQ(cad.CurrentShape()->ShapeNo(), 1);
    EXPECT_TRUE(Selection().isEmpty()); // a press of a drawing tool clears the selection
    Click(260, 240);
    ASSERT_EQ(cad.GetShapesCount(), 2);
    EXPECT_EQ(PointsOf(cad.GetShapeByNo(0)), QStringList({"(40,40)", "(120,40)", "(120,100)", "(40,100)"}));
    EXPECT_EQ(cad.GetShapeByNo(1)->Name(), "Shape1");
    EXPECT_EQ(History(cad), QStringList({"0:ACT_ADD:Shape0", "1:ACT_ADD:Shape1"}));
}

TEST_F(DrawTools, ShiftMakesBoxesSquareInTheDirectionOfTheDrag)
{
    cad.SetShapeTool(SpEllipse);
    cad.SetReturnToSelecting(false);
    Click(40, 40);
    Click(120, 100, ssShift); // 80 x 60 becomes 60 x 60
    Click(300, 300);
    Click(250, 380, ssShift); // up-left and taller: 50 x 50 to the left and down
    ASSERT_EQ(cad.GetShapesCount(), 2);
    EXPECT_EQ(cad.GetShapeByNo(0)->ClassName(), "TMyEllipse");
    EXPECT_EQ(PointsOf(cad.GetShapeByNo(0)), QStringList({"(40,40)", "(100,40)", "(100,100)", "(40,100)"}));
    EXPECT_EQ(PointsOf(cad.GetShapeByNo(1)), QStringList({"(300,300)", "(250,300)", "(250,350)", "(300,350)"}));
}

TEST_F(DrawTools, ADrawnTextAsksForItsLinesAndTakesTheBoxCorners)
{
    cad.SetShapeTool(SpText);
    ui.QueueStrings(QStringList({"first", "second"}));
    Click(120, 100);
    Click(40, 60); // drawn from bottom-right to top-left
    ASSERT_EQ(cad.GetShapesCount(), 1);
    auto* text = dynamic_cast<TMyText*>(cad.GetShapeByNo(0));
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs()[0].Kind, TRecordingUIServices::TDialogKind::EditStrings);
    EXPECT_EQ(ui.Dialogs()[0].Title, "String List Editor");
    EXPECT_EQ(text->Lines(), QStringList({"first", "second"}));
    EXPECT_EQ(PointsOf(text), QStringList({"(40,60)", "(120,60)", "(120,100)", "(40,100)"}));

    // Cancel keeps the lines the text had.
    cad.SetShapeTool(SpText);
    ui.QueueStrings(std::nullopt);
    Click(200, 200);
    Click(260, 240);
    ASSERT_EQ(cad.GetShapesCount(), 2);
    EXPECT_TRUE(static_cast<TMyText*>(cad.GetShapeByNo(1))->Lines().isEmpty());
}

TEST_F(DrawTools, EveryDrawingToolMakesItsKindOnTheFirstPress)
{
    const std::pair<TDrawTool, const char*> kinds[] = {
        {SpLinkLine, "TMyLinkLine"},   {SpLine, "TMyLine"},         {SpRuleLine, "TMyRuleLine"},
        {SpPolyLine, "TMyPolyLine"},   {SpRectangle, "TMyRectangle"}, {SpLinkPoint, "TMyLinkPoint"},
        {SpLineLinkLine, "TMyLineLinkLine"}, {SpEllipse, "TMyEllipse"}, {SpText, "TMyText"},
        {SpImage, "TMyImage"},         {SpPolygon, "TMyPolygon"},   {SpPolyBezier, "TMyPolyBezier"},
        {SpElliArc, "TMyElliArc"},     {SpFreeLine, "TMyFreeLine"}, {SpBLine, "TMyBLine"},
    };
    cad.SetLinkLineDrawStyle(lldsFree);
    for (const auto& [tool, kind] : kinds) {
        cad.SetShapeTool(tool);
        EXPECT_EQ(cad.ActionTool(), dtDrawing) << kind;
        EXPECT_EQ(cad.CurrentShape(), nullptr) << kind; // the setter drops an unfinished shape
        // Link points and junctions are placed with one click: earlier kinds may be in the
        // drawing already. The press itself adds nothing.
        const int before = cad.GetShapesCount();
        Down(50, 60);
        ASSERT_NE(cad.CurrentShape(), nullptr) << kind;
        EXPECT_EQ(cad.CurrentShape()->ClassName(), kind);
        EXPECT_GE(cad.CurrentShape()->GetPointsCount(), 1) << kind;
        EXPECT_EQ(cad.GetShapesCount(), before) << kind;
        Up(50, 60);
    }
}

TEST_F(DrawTools, APolylineShowsItsNextSegmentFromThePressOnAndConstrainsAgainstItsLastPoint)
{
    cad.SetShapeTool(SpPolyLine);
    cad.Paint();
    const QImage before = ScreenOf(cad);
    Down(100, 100); // draws the segment to the mouse, which the first move erases
    Move(150, 120);
    Move(170, 125);
    QImage expected = before;
    {
        TCanvas canvas(&expected);
        SetDragResizeRotateShapeMode(&canvas);
        canvas.MoveTo(100, 100);
        canvas.LineTo(170, 125);
    }
    EXPECT_TRUE(DifferenceOf(expected, ScreenOf(cad)).isEmpty());
    Up(170, 125);
    Down(140, 260, ssShift); // against (100, 100): vertical
    EXPECT_EQ(PointsOf(cad.CurrentShape()).mid(0, 2), QStringList({"(100,100)", "(100,260)"}));
}

TEST_F(DrawTools, AFreeLineGainsAPointAtEveryMoveWithTheButtonHeld)
{
    cad.SetShapeTool(SpFreeLine);
    Down(10, 10);
    Move(15, 12, ssLeft);
    Move(20, 18, ssLeft);
    Move(30, 20, ssLeft);
    ASSERT_NE(cad.CurrentShape(), nullptr);
    EXPECT_EQ(PointsOf(cad.CurrentShape()), QStringList({"(10,10)", "(15,12)", "(20,18)", "(30,20)"}));
    EXPECT_EQ(cad.AnchorPoint(), TPoint(30, 20));
    // After the release a move adds nothing and draws nothing.
    Up(30, 20);
    const int count = cad.CurrentShape() ? cad.CurrentShape()->GetPointsCount() : 0;
    const QImage held = ScreenOf(cad);
    Move(50, 50);
    EXPECT_EQ(cad.CurrentShape() ? cad.CurrentShape()->GetPointsCount() : 0, count);
    EXPECT_TRUE(DifferenceOf(held, ScreenOf(cad)).isEmpty());
}

TEST_F(DrawTools, TheSecondPressOfADoubleClickCountsOnlyWhileDrawing)
{
    TMyShape* r = Rect(100, 100, 200, 200, "R");
    Down(150, 150, ssDouble); // selecting: ignored
    EXPECT_FALSE(cad.MouseIsDown());
    EXPECT_TRUE(Selection().isEmpty());
    EXPECT_EQ(cad.CurrentShape(), nullptr);
    EXPECT_TRUE(TakeEvents().isEmpty());
    (void)r;

    cad.SetShapeTool(SpPolyLine);
    Click(10, 10);
    Down(40, 10, ssDouble);
    ASSERT_NE(cad.CurrentShape(), nullptr);
    EXPECT_EQ(PointsOf(cad.CurrentShape()), QStringList({"(10,10)", "(40,10)"}));
}

TEST_F(DrawTools, OnlyTheLeftButtonFinishesAShape)
{
    cad.SetShapeTool(SpLine);
    Click(10, 10);
    Down(60, 10, 0, mbRight); // ignored
    EXPECT_EQ(cad.CurrentShape()->GetPointsCount(), 1);
    EXPECT_FALSE(cad.MouseIsDown());
    Down(60, 10);
    Up(60, 10, 0, mbRight); // ends the press, but does not finish the line
    EXPECT_FALSE(cad.MouseIsDown());
    EXPECT_FALSE(cad.CursorClipped());
    EXPECT_EQ(cad.GetShapesCount(), 0);
    EXPECT_EQ(cad.CurrentShape()->GetPointsCount(), 2);
    EXPECT_EQ(cad.ActionTool(), dtDrawing);
}

TEST_F(DrawTools, ARefusedShapeStaysTheShapeBeingDrawn)
{
    cad.DeleteAllLayers();
    cad.SetShapeTool(SpLine);
    Click(10, 10);
    Click(60, 10);
    EXPECT_EQ(ui.LastMessageText(), "Error!There is no Layer!");
    EXPECT_EQ(cad.GetShapesCount(), 0);
    ASSERT_NE(cad.CurrentShape(), nullptr);
    EXPECT_EQ(cad.CurrentShape()->Name(), "Shape0");
    EXPECT_TRUE(Selection().isEmpty());
    EXPECT_TRUE(TakeEvents().isEmpty());
    EXPECT_TRUE(History(cad).isEmpty());
    EXPECT_EQ(cad.ActionTool(), dtDrawing);
}

TEST_F(DrawTools, AHandlerThatForgetsTheAddedShapeLeavesNoUndoRecord)
{
    cad.OnShapeAdded = [](TMyShape*& s, int) { s = nullptr; };
    cad.SetShapeTool(SpLine);
    Click(10, 10);
    Click(60, 10);
    EXPECT_EQ(cad.GetShapesCount(), 1);
    EXPECT_TRUE(History(cad).isEmpty());
    EXPECT_EQ(cad.ShapeTool(), SpSelecting);
}

TEST_F(DrawTools, ChoosingADrawingToolDropsTheUnfinishedShape)
{
    cad.SetShapeTool(SpLine);
    Click(10, 10);
    ASSERT_NE(cad.CurrentShape(), nullptr);
    cad.SetShapeTool(SpRectangle);
    EXPECT_EQ(cad.CurrentShape(), nullptr);
    Click(20, 20);
    EXPECT_EQ(cad.CurrentShape()->ClassName(), "TMyRectangle");
    Click(80, 90);
    ASSERT_EQ(cad.GetShapesCount(), 1);
    EXPECT_EQ(cad.GetShapeByNo(0)->ClassName(), "TMyRectangle");
}

TEST_F(DrawTools, TheRubberBandOfALineIsErasedExactlyAtEveryMove)
{
    cad.SetShapeTool(SpLine);
    cad.Paint();
    const QImage before = ScreenOf(cad);
    Click(100, 100);
    for (int i = 0; i < 5; ++i)
        Move(150 + 7 * i, 180 - 13 * i);
    // The picture is the page with exactly the last rubber band on it, and what the
    // first move's erasing of the press's band (of no length) left.
    QImage expected = before;
    {
        TCanvas canvas(&expected);
        SetDragResizeRotateShapeMode(&canvas);
        canvas.MoveTo(100, 100);
        canvas.LineTo(100, 100);
        canvas.MoveTo(100, 100);
        canvas.LineTo(178, 128);
    }
    EXPECT_TRUE(DifferenceOf(expected, ScreenOf(cad)).isEmpty());
    EXPECT_FALSE(DifferenceOf(before, ScreenOf(cad)).isEmpty());
}
