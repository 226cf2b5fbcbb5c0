// The drawing order: swapping, bringing to the front and sending to the back, with every
// reference by number following the shapes.
#include "EditingSupport.h"

namespace {
// Five named rectangles A..E at positions 0..4.
TArrMyShape FiveShapes(TMyCAD& cad)
{
    TArrMyShape shapes;
    for (const char* name : {"A", "B", "C", "D", "E"})
        shapes.push_back(AddRect(cad, 0, 0, 10, 10, name));
    return shapes;
}
} // namespace

TEST(Order, SwapKeepsConnectorsGroupsAndMembersAttached)
{
    TMyCAD cad;
    TArrMyShape s = FiveShapes(cad);
    TMyLinkLine* line = Connect(cad, s[0], s[3]); // position 5
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({s[1], s[2]}, false)); // position 6
    cad.SwapShape(s[0], g);
    EXPECT_EQ(Names(cad), (QStringList{"Shape6", "B", "C", "D", "E", "Shape5", "A"}));
    EXPECT_EQ(line->StartSpNo(), 6);
    EXPECT_EQ(s[0]->LinkLineNos(), (TMyShapeNo{5}));
    EXPECT_EQ(s[1]->ParentNo(), 0);
    EXPECT_EQ(g->ChildNos(), (TMyShapeNo{1, 2}));
    cad.SwapShape(line, s[3]);
    EXPECT_EQ(line->ShapeNo(), 3);
    EXPECT_EQ(line->EndSpNo(), 5);
    EXPECT_EQ(s[0]->LinkLineNos(), (TMyShapeNo{3}));
    EXPECT_EQ(s[3]->LinkLineNos(), (TMyShapeNo{3}));
    cad.SwapShape(s[4], s[4]);
    cad.SwapShape(s[4], nullptr);
    EXPECT_EQ(s[4]->ShapeNo(), 4);
    EXPECT_CONSISTENT(cad);
}

TEST(Order, BringToFrontPassesEveryLaterTopLevelShape)
{
    TMyCAD cad;
    TArrMyShape s = FiveShapes(cad);
    cad.BringToFront(s[1], true);
    EXPECT_EQ(Names(cad), (QStringList{"A", "C", "D", "E", "B"}));
    EXPECT_EQ(History(cad).last(), "5:ACT_BRINGTOFRONT:B");
    cad.SendToBack(s[3], true);
    EXPECT_EQ(Names(cad), (QStringList{"D", "A", "C", "E", "B"}));
    EXPECT_EQ(History(cad).last(), "6:ACT_SENDTOBACK:D");
    EXPECT_CONSISTENT(cad);
}

TEST(Order, ByStepPassesOneTopLevelShape)
{
    TMyCAD cad;
    TArrMyShape s = FiveShapes(cad);
    cad.BringToFrontByStep(s[1], true);
    EXPECT_EQ(Names(cad), (QStringList{"A", "C", "B", "D", "E"}));
    EXPECT_EQ(History(cad).last(), "5:ACT_BRINGTOFRONTBYSTEP:B");
    cad.SendToBackByStep(s[1], false);
    cad.SendToBackByStep(s[1], false);
    EXPECT_EQ(Names(cad), (QStringList{"B", "A", "C", "D", "E"}));
    EXPECT_EQ(cad.UndoList().ActionCount(), 6);
}

TEST(Order, AtTheEndFrontRecordsAndStepDoesNothing)
{
    TMyCAD cad;
    TArrMyShape s = FiveShapes(cad);
    const QStringList before = Names(cad);
    cad.BringToFront(s[4], true);
    EXPECT_EQ(Names(cad), before);
    EXPECT_EQ(History(cad).last(), "5:ACT_BRINGTOFRONT:E");
    cad.BringToFrontByStep(s[4], true);
    cad.SendToBackByStep(s[0], true);
    EXPECT_EQ(cad.UndoList().ActionCount(), 6);
    EXPECT_EQ(Names(cad), before);
}

TEST(Order, MembersStayInPlaceWhileTheirGroupMoves)
{
    TMyCAD cad;
    TArrMyShape s = FiveShapes(cad);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({s[1], s[2]}, false)); // position 5
    cad.SendToBack(g, false);
    // The group passes E, D and A; B and C stay at 1 and 2.
    EXPECT_EQ(Names(cad), (QStringList{"Shape5", "B", "C", "A", "D", "E"}));
    EXPECT_EQ(g->ChildNos(), (TMyShapeNo{1, 2}));
    EXPECT_EQ(s[1]->ParentNo(), 0);
    cad.BringToFront(s[0], false); // A passes D, E (and not the members)
    EXPECT_EQ(Names(cad), (QStringList{"Shape5", "B", "C", "D", "E", "A"}));
    // A member is not reordered by itself.
    cad.BringToFront(s[1], true);
    cad.SendToBackByStep(s[2], true);
    EXPECT_EQ(Names(cad), (QStringList{"Shape5", "B", "C", "D", "E", "A"}));
    EXPECT_CONSISTENT(cad);
}

TEST(Order, ConnectorEndsFollowAReorderedShape)
{
    TMyCAD cad;
    TArrMyShape s = FiveShapes(cad);
    TMyLinkLine* l1 = Connect(cad, s[0], s[4]);
    TMyLinkLine* l2 = Connect(cad, s[4], s[1]);
    cad.BringToFront(s[0], false);
    EXPECT_EQ(l1->StartSpNo(), s[0]->ShapeNo());
    EXPECT_EQ(l1->EndSpNo(), s[4]->ShapeNo());
    EXPECT_EQ(l2->StartSpNo(), s[4]->ShapeNo());
    EXPECT_EQ(s[4]->LinkLineNos(), (TMyShapeNo{uint32_t(l1->ShapeNo()), uint32_t(l2->ShapeNo())}));
    EXPECT_CONSISTENT(cad);
}

TEST(Order, BringingTheFirstOfAHundredThousandShapesToTheFrontIsOnePass)
{
    TMyCAD cad;
    cad.SetUndoRedoSize(0);
    for (int i = 0; i < 100000; ++i)
        cad.CreateAddShapeByName("TMyRectangle", nullptr);
    TMyShape* first = cad.GetShapeByNo(0);
    TMyShape* second = cad.GetShapeByNo(1);
    cad.BringToFront(first, false);
    EXPECT_EQ(first->ShapeNo(), 99999);
    EXPECT_EQ(second->ShapeNo(), 0);
    cad.SendToBack(first, false);
    EXPECT_EQ(first->ShapeNo(), 0);
    EXPECT_EQ(second->ShapeNo(), 1);
    EXPECT_INVARIANTS(cad);
}
