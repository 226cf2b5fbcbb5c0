// Deleting shapes: members go with their group, connectors are detached, and every
// reference by number is renumbered, in one pass however many shapes go.
#include "EditingSupport.h"

#include <random>

TEST(Delete, AShapeInTheMiddleRenumbersEveryKindOfReference)
{
    TMyCAD cad;
    TMyShape* r0 = AddRect(cad, 0, 0, 10, 10, "R0");
    TMyShape* r1 = AddRect(cad, 20, 0, 30, 10, "R1");
    TMyShape* r2 = AddRect(cad, 40, 0, 50, 10, "R2");
    TMyShape* r3 = AddRect(cad, 60, 0, 70, 10, "R3");
    TMyShape* r4 = AddRect(cad, 80, 0, 90, 10, "R4");
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({r3, r4}, false)); // 5
    TMyLinkLine* l0 = Connect(cad, r0, r4);                          // 6
    TMyLinkLine* l1 = Connect(cad, r2, r1);                          // 7, ends on R1
    const TArrMyPoint l1Points = l1->Points();
    cad.SelectAllShapes();
    std::vector<TMyShape*> deleted;
    cad.OnShapeDeleted = [&](TMyShape* s) { deleted.push_back(s); };

    EXPECT_TRUE(cad.DeleteShapeById(r1->GetShapeId(), false));
    EXPECT_EQ(deleted, (std::vector<TMyShape*>{r1}));
    EXPECT_EQ(Names(cad), (QStringList{"R0", "R2", "R3", "R4", "Shape5", "Shape6", "Shape7"}));
    EXPECT_EQ(r3->ParentNo(), 4);
    EXPECT_EQ(g->ChildNos(), (TMyShapeNo{2, 3}));
    EXPECT_EQ(l0->StartSpNo(), 0);
    EXPECT_EQ(l0->EndSpNo(), 3);
    EXPECT_EQ(r4->LinkLineNos(), (TMyShapeNo{5}));
    EXPECT_EQ(r2->LinkLineNos(), (TMyShapeNo{6}));
    // The connector that ended on R1 keeps its geometry with a loose end.
    EXPECT_EQ(l1->StartSpNo(), 1);
    EXPECT_EQ(l1->EndSpNo(), -1);
    EXPECT_EQ(l1->EndSpPtId(), -1);
    EXPECT_EQ(l1->Points(), l1Points);
    EXPECT_EQ(cad.GetSelectedShapesCount(), 0);
    EXPECT_CONSISTENT(cad);
}

TEST(Delete, AConnectorLeavesTheListsOfTheShapesAtItsEnds)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyLinkLine* l0 = Connect(cad, a, b);
    TMyLinkLine* l1 = Connect(cad, b, a);
    EXPECT_TRUE(cad.DeleteShapeById(l0->GetShapeId(), false));
    EXPECT_EQ(a->LinkLineNos(), (TMyShapeNo{2}));
    EXPECT_EQ(b->LinkLineNos(), (TMyShapeNo{2}));
    EXPECT_EQ(l1->ShapeNo(), 2);
    EXPECT_CONSISTENT(cad);
}

TEST(Delete, AGroupGoesWithItsMembersAndOneEvent)
{
    TMyCAD cad;
    TMyShape* keep = AddRect(cad, 0, 0, 10, 10, "Keep");
    TMyShape* a = AddRect(cad, 20, 0, 30, 10, "A");
    TMyShape* b = AddRect(cad, 40, 0, 50, 10, "B");
    TMyShape* inner = cad.GetShapeByID(cad.GroupShapes({a, b}, false));
    TMyShape* c = AddRect(cad, 60, 0, 70, 10, "C");
    TMyShape* outer = cad.GetShapeByID(cad.GroupShapes({inner, c}, false));
    TMyLinkLine* line = Connect(cad, keep, a);
    int events = 0;
    cad.OnShapeDeleted = [&](TMyShape* s) {
        ++events;
        EXPECT_EQ(s, outer);
    };
    EXPECT_TRUE(cad.DeleteShapeById(outer->GetShapeId(), false));
    EXPECT_EQ(events, 1);
    EXPECT_EQ(Names(cad), (QStringList{"Keep", line->Name()}));
    EXPECT_EQ(line->EndSpNo(), -1);
    EXPECT_EQ(keep->LinkLineNos(), (TMyShapeNo{1}));
    EXPECT_CONSISTENT(cad);
}

TEST(Delete, ALockedMemberStaysBehindAsATopLevelShape)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10, "A");
    TMyShape* b = AddRect(cad, 20, 0, 30, 10, "B");
    TMyShape* inner = cad.GetShapeByID(cad.GroupShapes({a, b}, false)); // 2
    inner->SetName("Inner");
    TMyShape* c = AddRect(cad, 40, 0, 50, 10, "C");
    TMyShape* outer = cad.GetShapeByID(cad.GroupShapes({inner, c}, false)); // 4
    inner->StoreLocked(true);                                             // a and b stay unlocked
    EXPECT_TRUE(cad.DeleteShapeById(outer->GetShapeId(), false));
    // The unlocked members of the locked member still go.
    EXPECT_EQ(Names(cad), (QStringList{"Inner"}));
    EXPECT_EQ(inner->ParentNo(), -1);
    EXPECT_TRUE(inner->ChildNos().empty());
    EXPECT_CONSISTENT(cad);
}

TEST(Delete, LockedAndUnknownShapesAreRefusedWithoutChange)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    cad.SelectAllShapes();
    b->SetLocked(true);
    int events = 0;
    cad.OnShapeDeleted = [&](TMyShape*) { ++events; };
    const QStringList before = Describe(cad);
    const int records = cad.UndoList().RecordCount();
    EXPECT_FALSE(cad.DeleteShapeById(b->GetShapeId(), true));
    EXPECT_FALSE(cad.DeleteShapeById(77, true));
    EXPECT_FALSE(cad.DeleteShapeById(-1, true));
    EXPECT_EQ(Describe(cad), before);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(cad.GetSelectedShapesCount(), 2); // the selection is untouched too
    EXPECT_EQ(cad.UndoList().RecordCount(), records);
    EXPECT_FALSE(cad.DeleteSelectedShapes()); // b is locked: nothing goes
    EXPECT_EQ(Describe(cad), before);
    EXPECT_EQ(cad.UndoList().RecordCount(), records);
    (void)a;
}

TEST(Delete, SelectedJunctionsTakeTheirConnectorsAlong)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10, "A");
    TMyShape* j = AddJunction(cad, 100, 100);
    TMyShape* b = AddRect(cad, 200, 0, 210, 10, "B");
    TMyLinkLine* l1 = Connect(cad, a, j);
    TMyLinkLine* l2 = Connect(cad, j, b);
    l1->SetName("L1");
    l2->SetName("L2");
    cad.DeSelectedAllShapesByCode();
    cad.AddWorkingShapes(j);
    cad.AddWorkingShapes(l2); // selected already: listed once
    const int records = cad.UndoList().RecordCount();
    EXPECT_TRUE(cad.DeleteSelectedShapes());
    EXPECT_EQ(Names(cad), (QStringList{"A", "B"}));
    EXPECT_TRUE(a->LinkLineNos().empty());
    EXPECT_TRUE(b->LinkLineNos().empty());
    // One action: the shapes in the order given, saved last to first.
    EXPECT_EQ(History(cad).mid(records), (QStringList{"3:ACT_DELETE:L1", "3:ACT_DELETE:L2", "3:ACT_DELETE:J"}));
    EXPECT_CONSISTENT(cad);
}

TEST(Delete, NothingSelectedDeletesNothingAndKeepsTheHistory)
{
    TMyCAD cad;
    AddRect(cad, 0, 0, 10, 10);
    cad.SetUndoRedoSize(1);
    cad.DeSelectedAllShapesByCode();
    const QStringList history = History(cad);
    EXPECT_TRUE(cad.DeleteSelectedShapes());
    EXPECT_EQ(cad.GetShapesCount(), 1);
    EXPECT_EQ(History(cad), history);
}

namespace {
// A drawing of n shapes with groups, nested groups and connectors, built the same way
// every time from the seed.
void BuildMixedDrawing(TMyCAD& cad, unsigned seed, int n)
{
    std::mt19937 random(seed);
    cad.SetUndoRedoSize(0);
    for (int i = 0; i < n; ++i)
        AddRect(cad, float(i), 0, float(i) + 5, 5, QStringLiteral("S%1").arg(i));
    std::uniform_int_distribution<int> pick(0, n - 1);
    for (int k = 0; k < n / 6; ++k) {
        TMyShape* a = cad.GetRootParentShape(cad.GetShapeByNo(pick(random)));
        TMyShape* b = cad.GetRootParentShape(cad.GetShapeByNo(pick(random)));
        if (a != b)
            cad.GroupShapes({a, b}, false);
    }
    for (int k = 0; k < n / 4; ++k) {
        TMyShape* a = cad.GetShapeByNo(pick(random));
        TMyShape* b = cad.GetShapeByNo(pick(random));
        Connect(cad, a, k % 5 == 0 ? nullptr : b);
    }
    for (int k = 0; k < n / 10; ++k)
        cad.GetShapeByNo(pick(random))->StoreLocked(true);
}
} // namespace

TEST(Delete, ABatchGivesTheSameDrawingAsOneDeletionAfterTheOther)
{
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        TMyCAD one, batch;
        BuildMixedDrawing(one, seed, 120);
        BuildMixedDrawing(batch, seed, 120);
        ASSERT_EQ(Describe(one), Describe(batch));
        std::mt19937 random(seed * 7);
        std::uniform_int_distribution<int> pick(0, one.GetShapesCount() + 5);
        std::vector<int> ids;
        for (int k = 0; k < 40; ++k)
            ids.push_back(pick(random)); // some unknown, some repeated, some members
        std::vector<QString> eventsOne, eventsBatch;
        one.OnShapeDeleted = [&](TMyShape* s) { eventsOne.push_back(s->Name()); };
        batch.OnShapeDeleted = [&](TMyShape* s) { eventsBatch.push_back(s->Name()); };
        bool last = true;
        for (int id : ids)
            last = one.DeleteShapeById(id, false);
        EXPECT_EQ(batch.DeleteShapesById(ids, false), last);
        EXPECT_EQ(Describe(batch), Describe(one)) << "seed " << seed;
        EXPECT_EQ(eventsBatch, eventsOne);
        EXPECT_CONSISTENT(batch);
        EXPECT_LT(batch.GetShapesCount(), 120 + 120 / 4);
    }
}

TEST(Delete, AHandlerThatDeletesDuringTheBatchIsSafe)
{
    TMyCAD cad;
    TArrMyShape s;
    for (int i = 0; i < 6; ++i)
        s.push_back(AddRect(cad, 0, 0, 5, 5, QStringLiteral("S%1").arg(i)));
    const int id5 = s[5]->GetShapeId();
    bool once = false;
    cad.OnShapeDeleted = [&](TMyShape*) {
        if (!once) {
            once = true;
            cad.DeleteShapeById(id5, false); // changes the list under the batch
        }
    };
    EXPECT_TRUE(cad.DeleteShapesById({s[1]->GetShapeId(), s[3]->GetShapeId()}, false));
    EXPECT_EQ(Names(cad), (QStringList{"S0", "S2", "S4"}));
    EXPECT_CONSISTENT(cad);
}

TEST(Delete, ABatchWithUndoRecordsAndRestoresAsOneDeletionAfterTheOther)
{
    for (unsigned seed : {5u, 6u}) {
        TMyCAD one, batch;
        BuildMixedDrawing(one, seed, 90);
        BuildMixedDrawing(batch, seed, 90);
        one.SetUndoRedoSize(200);
        batch.SetUndoRedoSize(200);
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> pick(0, one.GetShapesCount() - 1);
        std::vector<int> ids;
        for (int k = 0; k < 25; ++k)
            ids.push_back(pick(random));
        for (int id : ids)
            one.DeleteShapeById(id, true);
        batch.DeleteShapesById(ids, true);
        EXPECT_EQ(History(batch), History(one));
        EXPECT_EQ(Describe(batch), Describe(one));
        while (one.PopFromUndoRedoShapeList() >= 0) {
        }
        while (batch.PopFromUndoRedoShapeList() >= 0) {
        }
        EXPECT_EQ(Describe(batch), Describe(one)) << "seed " << seed;
        EXPECT_CONSISTENT(batch);
        EXPECT_CONSISTENT(one);
    }
}
