// Selecting with the mouse: picks and their events, Shift, click-through, member clicks,
// the selection rectangle, hover, cursors, the caption point, browsing and the inert
// state.
#include "MouseTestSupport.h"

#include <QLabel>

namespace {
// A junction with a square of side 10 around (x, y), added to the drawing.
TMyShape* Junction(TMyCAD& cad, float x, float y, const QString& name)
{
    TMyShape* j = cad.CreateAddShapeByName(QStringLiteral("TMyLineLinkLine"), nullptr);
    j->PointsRef() = {TMyPoint(x - 5, y - 5), TMyPoint(x + 5, y - 5), TMyPoint(x + 5, y + 5), TMyPoint(x - 5, y + 5)};
    j->SetName(name);
    return j;
}
} // namespace

class Select : public MouseTest {
protected:
    Select()
    {
        a = Rect(100, 100, 200, 200, "A");
        b = Rect(300, 100, 400, 200, "B");
        cad.ClearAllUndoStuff();
    }
    TMyShape* a;
    TMyShape* b;
};

TEST_F(Select, APressOnAShapeSelectsItAndAReleaseInPlaceChangesNothing)
{
    Down(150, 150);
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(nil,A)", "Click(A)"}));
    EXPECT_EQ(Selection(), QStringList({"A"}));
    EXPECT_EQ(cad.CurrentShape(), a);
    EXPECT_EQ(cad.ActionTool(), dtDragging);
    EXPECT_EQ(cad.NextActionTool(), dtSelecting);
    Up(150, 150);
    EXPECT_TRUE(TakeEvents().isEmpty()); // no drag happened
    EXPECT_EQ(cad.ActionTool(), dtSelecting);
    EXPECT_TRUE(History(cad).isEmpty());
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(100, 100));
}

TEST_F(Select, PickingANewShapeReportsTheOldSelectionTwice)
{
    Click(150, 150);
    TakeEvents();
    Click(350, 150);
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(A,nil)", "Click(B)", "ShapeSelected(A,B)"}));
    EXPECT_EQ(Selection(), QStringList({"B"}));
}

TEST_F(Select, AJunctionIsPickedBeforeAShapeLyingOverItAndReportsFirst)
{
    Junction(cad, 350, 150, "J"); // added after B, but covered by C
    TMyShape* c = Rect(320, 120, 380, 180, "C");
    (void)c;
    Watch(cad.GetShapeByName("J"));
    Click(150, 150);
    TakeEvents();
    Click(350, 150);
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(A,nil)", "ShapeSelected(A,J)", "Click(J)"}));
    EXPECT_EQ(Selection(), QStringList({"J"}));
    // Beside the junction the topmost other shape wins.
    Click(325, 125);
    EXPECT_EQ(Selection(), QStringList({"C"}));
}

TEST_F(Select, ShiftTogglesShapesInAndOutOfTheSelection)
{
    Click(150, 150);
    TakeEvents();
    Down(350, 150, ssShift);
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(A,nil)", "ShapeSelected(nil,B)"}));
    EXPECT_EQ(cad.ActionTool(), dtSelecting); // no drag with Shift
    Up(350, 150, ssShift);
    EXPECT_EQ(Selection(), QStringList({"A", "B"}));
    // Shift on a selected shape deselects it without any event.
    Click(150, 150, ssShift);
    EXPECT_TRUE(TakeEvents().isEmpty());
    EXPECT_EQ(Selection(), QStringList({"B"}));
    EXPECT_EQ(cad.ActionTool(), dtSelecting);
}

TEST_F(Select, APressOnEmptyCanvasClearsTheSelectionEvenWithShift)
{
    Click(150, 150);
    Click(350, 150, ssShift);
    TakeEvents();
    Click(600, 600, ssShift);
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(A,nil)"}));
    EXPECT_TRUE(Selection().isEmpty());
}

TEST_F(Select, TheRightButtonIsIgnoredButItsReleaseEndsADrag)
{
    Down(150, 150, 0, mbRight);
    EXPECT_FALSE(cad.MouseIsDown());
    EXPECT_TRUE(Selection().isEmpty());
    EXPECT_TRUE(TakeEvents().isEmpty());

    Down(150, 150);
    Move(170, 160, ssLeft);
    Up(170, 160, ssLeft, mbRight);
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(120, 110));
    EXPECT_EQ(cad.ActionTool(), dtSelecting);
    EXPECT_FALSE(cad.MouseIsDown());
}

TEST_F(Select, AClickOnASelectedShapeSelectsTheShapeItCovers)
{
    TMyShape* big = Rect(120, 80, 260, 240, "Big"); // covers A's box on top of it
    Click(190, 190); // picks Big, the topmost
    EXPECT_EQ(Selection(), QStringList({"Big"}));
    TakeEvents();
    Down(150, 150);
    EXPECT_EQ(cad.UnderShape(), nullptr); // A is not wholly inside Big's box
    Up(150, 150);
    TakeEvents();

    // A shape wholly inside is found.
    TMyShape* small = Rect(140, 100, 160, 200, "Small");
    (void)small;
    cad.SelectShapeByCode(big->GetShapeId(), true);
    TakeEvents();
    Down(150, 150);
    EXPECT_EQ(NameOf(cad.UnderShape()), "Small");
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(Big,Big)", "Click(Big)"}));
    EXPECT_EQ(cad.ActionTool(), dtDragging);
    Up(150, 150);
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(Big,Small)", "Click(Small)"}));
    EXPECT_EQ(Selection(), QStringList({"Small"}));
    EXPECT_EQ(cad.ActionTool(), dtSelecting);

    // With movement it is a drag of the selected shape.
    cad.SelectShapeByCode(big->GetShapeId(), true);
    Drag(150, 150, {TPoint(155, 150)});
    EXPECT_EQ(Selection(), QStringList({"Big"}));
    EXPECT_EQ(big->GetLeftTop(), TMyPoint(125, 80));
}

TEST_F(Select, ClickThroughWhileBrowsingReturnsToSelecting)
{
    Rect(140, 100, 160, 200, "Small");
    cad.SetShapeTool(SpBrowse);
    Click(120, 120); // picks A, fires, stays browsing
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(nil,A)", "Click(A)"}));
    EXPECT_EQ(cad.ActionTool(), dtBrowse);
    Down(150, 150);
    EXPECT_EQ(cad.ActionTool(), dtBrowse);
    Up(150, 150);
    EXPECT_EQ(Selection(), QStringList({"Small"}));
    EXPECT_EQ(cad.ActionTool(), dtSelecting);
}

TEST_F(Select, BrowsingPicksButNeverMovesAShape)
{
    cad.SetShapeTool(SpBrowse);
    const QImage before = ScreenOf(cad);
    Drag(150, 150, {TPoint(170, 170), TPoint(190, 180)});
    EXPECT_EQ(Selection(), QStringList({"A"}));
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(100, 100));
    EXPECT_TRUE(DifferenceOf(before, ScreenOf(cad)).isEmpty());
    EXPECT_TRUE(History(cad).isEmpty());
    EXPECT_EQ(cad.ActionTool(), dtBrowse);
}

TEST_F(Select, TheSelectionRectangleAddsTheShapesWhollyInsideIt)
{
    TMyShape* c = Rect(100, 400, 150, 450, "C");
    TMyShape* hidden = Rect(120, 120, 130, 130, "Hidden");
    hidden->SetVisible(false);
    // The host selects C while the rectangle is drawn: it stays selected.
    cad.OnMouseMove = [&](QObject*, TShiftState shift, int, int) {
        if (shift & ssLeft)
            cad.SelectShapeByCode(c->GetShapeId(), false);
    };
    Drag(50, 50, {TPoint(120, 100), TPoint(250, 250)});
    EXPECT_EQ(Selection(), QStringList({"C", "A"}));
    EXPECT_EQ(cad.ActionTool(), dtSelecting);
    // The edges count as inside; dragged the other way round too.
    cad.OnMouseMove = nullptr;
    cad.DeSelectedAllShapesByCode();
    Drag(400, 200, {TPoint(300, 100)});
    EXPECT_EQ(Selection(), QStringList({"B"}));
}

TEST_F(Select, TheSelectionRectangleKeepsToTheCurrentLayerUnlessAllLayersAreOperated)
{
    const int layer = cad.NewLayer("Other", true);
    cad.SetCurrentLayerId(layer);
    TMyShape* other = Rect(110, 110, 120, 120, "Other");
    (void)other;
    cad.SetOperateAllLayer(false);
    Drag(50, 50, {TPoint(450, 450)});
    EXPECT_EQ(Selection(), QStringList({"Other"}));
    cad.SetOperateAllLayer(true);
    Drag(50, 50, {TPoint(450, 450)});
    EXPECT_EQ(Selection(), QStringList({"A", "B", "Other"}));
}

TEST_F(Select, HoverReportsEnteringTheNewShapeBeforeLeavingTheOldOne)
{
    TMyShape* top = Rect(180, 180, 320, 220, "Top"); // over A and B
    (void)top;
    QLabel xy;
    cad.SetLabelXY(&xy);
    Move(150, 150);
    EXPECT_EQ(xy.text(), "(150,150)");
    Move(160, 160);
    Move(190, 190);
    Move(350, 150);
    Move(700, 700);
    EXPECT_EQ(TakeEvents(), QStringList({"Enter(A)", "Enter(Top)", "Leave(A)", "Enter(B)", "Leave(Top)", "Leave(B)"}));
    EXPECT_EQ(cad.LastEnteredShape(), nullptr);
    // With a button down there is no hover.
    Move(150, 150, ssLeft);
    EXPECT_TRUE(TakeEvents().isEmpty());
    // Hover looks at the shapes' own hit tests only, hidden or not.
    a->SetVisible(false);
    Move(150, 150);
    EXPECT_EQ(TakeEvents(), QStringList({"Enter(A)"}));
}

TEST_F(Select, HoverWithXYModeShowsMappedCoordinates)
{
    QLabel xy;
    cad.SetLabelXY(&xy);
    cad.SetXYMode(TXYMode::Mode1);
    Move(15, 20);
    EXPECT_EQ(xy.text(), QStringLiteral("(15,%1)").arg(cad.height() - 20));
}

TEST_F(Select, AClickOnAMemberOfASelectedGroupSelectsTheMember)
{
    const int g = cad.GroupShapes({a, b}, true);
    TMyShape* group = cad.GetShapeByID(g);
    ASSERT_NE(group, nullptr);
    group->SetName("G");
    Watch(group);
    EXPECT_EQ(Selection(), QStringList({"G"}));
    TakeEvents();
    Down(150, 150);
    EXPECT_EQ(cad.ClickedChild(), a);
    EXPECT_EQ(cad.UnderShape(), nullptr); // a direct member is no click-through candidate
    EXPECT_EQ(TakeEvents(), QStringList({"ShapeSelected(G,G)", "Click(G)"}));
    Up(150, 150);
    EXPECT_EQ(TakeEvents(), QStringList({"ChildSelected(A)"}));
    EXPECT_EQ(cad.ClickedChild(), a);
    EXPECT_EQ(cad.CurrentShape(), a);
    EXPECT_EQ(Selection(), QStringList({"G"}));
    EXPECT_EQ(cad.ActionTool(), dtSelecting);

    // Refused by the host: the group stays selected as a whole.
    cad.OnChildShapeSelected = [](TMyShape*, bool& accept) { accept = false; };
    Click(350, 150);
    EXPECT_EQ(cad.ClickedChild(), nullptr);
    EXPECT_EQ(Selection(), QStringList({"G"}));

    // Moved: a drag of the group.
    Drag(150, 150, {TPoint(160, 150)});
    EXPECT_EQ(cad.ClickedChild(), nullptr);
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(110, 100));
    EXPECT_EQ(b->GetLeftTop(), TMyPoint(310, 100));
}

TEST_F(Select, TheCursorShowsTheHotUnderTheMouseAndTheCrossAfterARelease)
{
    Click(150, 150);
    Move(101, 99);
    EXPECT_EQ(cad.cursor().shape(), Qt::SizeFDiagCursor);
    Move(150, 101);
    EXPECT_EQ(cad.cursor().shape(), Qt::SizeVerCursor);
    Move(150, 150);
    EXPECT_EQ(cad.cursor().shape(), Qt::CrossCursor);
    Move(199, 199);
    Down(199, 199);
    EXPECT_EQ(cad.ActionTool(), dtResizing);
    Up(199, 199);
    EXPECT_EQ(cad.cursor().shape(), Qt::CrossCursor);
    cad.SetMouseEffect(false);
    Move(101, 99);
    EXPECT_EQ(cad.cursor().shape(), Qt::CrossCursor);
}

TEST_F(Select, HotsLeadToResizingOrRotatingOnlyWhenEnabled)
{
    Click(150, 150);
    cad.SetResizeEnable(false);
    Down(200, 200);
    EXPECT_EQ(cad.ActionTool(), dtSelecting); // the press ends on the hot
    EXPECT_EQ(cad.AnchorPoint(), TPoint(200, 200));
    Up(200, 200);
    cad.SetResizeEnable(true);
    Down(198, 203);
    EXPECT_EQ(cad.ActionTool(), dtResizing);
    EXPECT_EQ(cad.AnchorPoint(), TPoint(200, 200)); // the exact corner
    Up(198, 203);

    cad.SetShapeTool(SpRotateSelecting);
    cad.SetRotateEnable(false);
    Down(100, 100);
    EXPECT_EQ(cad.ActionTool(), dtRotateSelecting);
    Up(100, 100);
    cad.SetRotateEnable(true);
    Down(100, 100);
    EXPECT_EQ(cad.ActionTool(), dtRotating);
    Up(100, 100);
    EXPECT_EQ(cad.ActionTool(), dtRotateSelecting);
}

TEST_F(Select, TheCaptionPointMovesWithoutAnUndoRecord)
{
    a->SetInfo("Hello");
    const TMyPoint caption = a->CaptionPoint(); // (150, 210)
    Click(150, 150);
    TakeEvents();
    Down(int(caption.X) + 1, int(caption.Y));
    EXPECT_EQ(cad.ActionTool(), dtDraggingTextoutPoint);
    EXPECT_EQ(cad.AnchorPoint(), TPoint(150, 210));
    Move(180, 240, ssLeft);
    Move(190, 250, ssLeft);
    Up(190, 250);
    EXPECT_EQ(a->CaptionPoint(), TMyPoint(190, 250));
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(100, 100));
    EXPECT_EQ(cad.ActionTool(), dtSelecting);
    EXPECT_TRUE(History(cad).isEmpty());
    EXPECT_TRUE(TakeEvents().isEmpty());

    // Rotate-selecting does not move captions.
    cad.SetShapeTool(SpRotateSelecting);
    Down(190, 250);
    EXPECT_EQ(cad.ActionTool(), dtRotateSelecting);
    Up(190, 250);

    // Nor does a locked shape's caption move.
    cad.SetShapeTool(SpSelecting);
    cad.SelectShapeByCode(a->GetShapeId(), true);
    a->SetLocked(true);
    Down(190, 250);
    EXPECT_EQ(cad.ActionTool(), dtSelecting);
    Up(190, 250);
    EXPECT_EQ(a->CaptionPoint(), TMyPoint(190, 250));
}

TEST_F(Select, TheInertStateIgnoresEverything)
{
    cad.SetShapeTool(SpClose);
    QLabel xy;
    cad.SetLabelXY(&xy);
    Drag(150, 150, {TPoint(170, 170)});
    EXPECT_TRUE(Selection().isEmpty());
    EXPECT_TRUE(xy.text().isEmpty());
    EXPECT_TRUE(TakeEvents().isEmpty());
    EXPECT_EQ(a->GetLeftTop(), TMyPoint(100, 100));
}
