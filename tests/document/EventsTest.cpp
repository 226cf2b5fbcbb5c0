// The events a drawing fires for the document operations, with their arguments.
#include "support/DrawingTestSupport.h"

TEST(Events, ShapeAddedFiresForCodeButNotForClassNameOrAddShape)
{
    TMyCAD cad;
    int fired = 0;
    int lastCount = -1;
    TMyShape* lastShape = nullptr;
    cad.OnShapeAdded = [&](TMyShape*& s, int count) {
        ++fired;
        lastShape = s;
        lastCount = count;
    };
    cad.CreateAddShapeByName("TMyRectangle", nullptr);
    EXPECT_EQ(fired, 0);
    TMyShape* r = AddRect(cad, 0, 0, 5, 5);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(lastShape, r);
    EXPECT_EQ(lastCount, 2);
}

TEST(Events, ShapeDeletedFiresOnceForAGroup)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 5, 5);
    TMyShape* b = AddRect(cad, 10, 0, 15, 5);
    auto group = cad.CreateShapeByName("TMyGroup");
    group->SetShapeId(50);
    group->SetShapeNo(2);
    group->ChildNos() = {0, 1};
    a->SetParentNo(2);
    b->SetParentNo(2);
    TMyShape* g = group.get();
    ASSERT_TRUE(cad.AddShape(group, false, true));
    std::vector<TMyShape*> deleted;
    cad.OnShapeDeleted = [&deleted](TMyShape* s) { deleted.push_back(s); };
    EXPECT_TRUE(cad.DeleteShapeById(50, false));
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0], g);
    EXPECT_EQ(cad.GetShapesCount(), 0);
    EXPECT_FALSE(cad.DeleteShapeById(50, false));
}

TEST(Events, UnassignedEventsAreSkipped)
{
    TMyCAD cad;
    cad.OnShapeAdded = nullptr;
    cad.OnNewLayer = nullptr;
    EXPECT_GE(cad.NewLayer("quiet", true), 0);
    EXPECT_NE(AddRect(cad, 0, 0, 5, 5), nullptr);
}

TEST(Deletion, RenumbersEveryReferenceAndLeavesConnectorsLoose)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 5, 5);
    TMyShape* doomed = AddRect(cad, 10, 0, 15, 5);
    TMyShape* c = AddRect(cad, 20, 0, 25, 5);
    auto connector = cad.CreateShapeByName("TMyLinkLine");
    auto* line = static_cast<TMyLinkLine*>(connector.get());
    line->AddPoint(TMyPoint(5, 2));
    line->AddPoint(TMyPoint(20, 2));
    line->SetShapeId(cad.GetShapesCount());
    line->SetShapeNo(cad.GetShapesCount());
    line->SetStartSpNo(1);
    line->SetStartSpPtId(0);
    line->SetEndSpNo(2);
    line->SetEndSpPtId(1);
    doomed->LinkLineNos() = {3};
    c->LinkLineNos() = {3};
    ASSERT_TRUE(cad.AddShape(connector, false, false));
    EXPECT_INVARIANTS(cad);
    EXPECT_TRUE(cad.DeleteShapeById(doomed->GetShapeId(), false));
    EXPECT_INVARIANTS(cad);
    EXPECT_EQ(cad.GetShapesCount(), 3);
    EXPECT_EQ(line->ShapeNo(), 2);
    EXPECT_EQ(line->StartSpNo(), -1);
    EXPECT_EQ(line->StartSpPtId(), -1);
    EXPECT_EQ(line->EndSpNo(), 1);
    EXPECT_EQ(c->LinkLineNos(), TMyShapeNo({2}));
    EXPECT_EQ(line->GetPointsCount(), 2);
    EXPECT_EQ(a->ShapeNo(), 0);
}

TEST(Deletion, ALockedShapeIsRefusedAndALockedMemberStaysAsATopLevelShape)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 5, 5);
    TMyShape* b = AddRect(cad, 10, 0, 15, 5);
    auto group = cad.CreateShapeByName("TMyGroup");
    group->SetShapeId(cad.GetShapesCount());
    group->SetShapeNo(2);
    group->ChildNos() = {0, 1};
    a->SetParentNo(2);
    b->SetParentNo(2);
    const int groupId = group->GetShapeId();
    ASSERT_TRUE(cad.AddShape(group, false, false));
    AddRect(cad, 30, 0, 35, 5);
    a->StoreLocked(true);
    EXPECT_FALSE(cad.DeleteShapeById(a->GetShapeId(), false));
    EXPECT_TRUE(cad.DeleteShapeById(groupId, false));
    ASSERT_EQ(cad.GetShapesCount(), 2);
    EXPECT_EQ(cad.GetShapeByNo(0), a);
    EXPECT_EQ(a->ParentNo(), -1);
    EXPECT_INVARIANTS(cad);
    EXPECT_FALSE(cad.DeleteShapeById(12345, false));
    EXPECT_EQ(cad.GetShapesCount(), 2);
}
