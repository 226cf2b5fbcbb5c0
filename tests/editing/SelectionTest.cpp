// The working shapes: what enters and leaves the selection, and the events of selecting
// by code.
#include "EditingSupport.h"

TEST(WorkingShapes, AMemberStandsForItsRootGroupAndNothingIsSelectedTwice)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyShape* c = AddRect(cad, 40, 0, 50, 10);
    const int inner = cad.GroupShapes({a, b}, false);
    TMyShape* g1 = cad.GetShapeByID(inner);
    TMyShape* g2 = cad.GetShapeByID(cad.GroupShapes({g1, c}, false));
    cad.DeSelectedAllShapesByCode();
    cad.AddWorkingShapes(a);
    ASSERT_EQ(cad.GetWorkingShapesCount(), 1);
    EXPECT_EQ(cad.GetSelectedShape(), g2);
    cad.AddWorkingShapes(g1);
    cad.AddWorkingShapes(g2);
    EXPECT_EQ(cad.GetWorkingShapesCount(), 1);
    EXPECT_EQ(cad.IsInWorkingShape(g2), 0);
    EXPECT_EQ(cad.IsInWorkingShape(a), -1);
    cad.AddWorkingShapes(nullptr);
    EXPECT_EQ(cad.GetWorkingShapesCount(), 1);
}

TEST(WorkingShapes, RemovingKeepsTheOrderOfTheRest)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyShape* c = AddRect(cad, 40, 0, 50, 10);
    cad.DeSelectedAllShapesByCode();
    for (TMyShape* s : {c, a, b})
        cad.AddWorkingShapes(s);
    cad.RemoveWorkingShape(a);
    EXPECT_EQ(cad.GetSelectedShapes(), (TArrMyShape{c, b}));
    cad.RemoveWorkingShape(a); // not selected: nothing
    EXPECT_EQ(cad.GetSelectedShapesCount(), 2);
    EXPECT_EQ(cad.GetSelectedShape(), nullptr); // two are selected
    cad.RemoveAllWorkingShapes();
    EXPECT_EQ(cad.GetSelectedShapesCount(), 0);
    EXPECT_EQ(cad.GetSelectedShape(), nullptr);
}

TEST(WorkingShapes, SelectAllTakesTopLevelShapesInOrderAfterTheSelectedOnes)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyShape* c = AddRect(cad, 40, 0, 50, 10);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({a, b}, false));
    cad.DeSelectedAllShapesByCode();
    cad.AddWorkingShapes(c);
    cad.SelectAllShapes();
    EXPECT_EQ(cad.GetSelectedShapes(), (TArrMyShape{c, g}));
}

TEST(WorkingShapes, SelectAllByLayerAddsOnlyThatLayersTopLevelShapes)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    const int layer1 = cad.NewLayer("Second", true);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyShape* c = AddRect(cad, 40, 0, 50, 10);
    cad.DeSelectedAllShapesByCode();
    cad.SelectAllShapesByLayerId(layer1);
    EXPECT_EQ(cad.GetSelectedShapes(), (TArrMyShape{b, c}));
    cad.SelectAllShapesByLayerId(0);
    EXPECT_EQ(cad.GetSelectedShapes(), (TArrMyShape{b, c, a}));
}

TEST(WorkingShapes, SelectByCodeReportsThePreviousFirstShape)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    std::vector<std::pair<TMyShape*, TMyShape*>> events;
    cad.OnShapeSelected = [&](TMyShape* last, TMyShape* now) { events.emplace_back(last, now); };
    cad.DeSelectedAllShapesByCode();
    EXPECT_TRUE(cad.SelectShapeByCode(a->GetShapeId(), false));
    EXPECT_TRUE(cad.SelectShapeByCode(b->GetShapeId(), false));
    EXPECT_EQ(cad.GetSelectedShapes(), (TArrMyShape{a, b}));
    EXPECT_TRUE(cad.SelectShapeByCode(b->GetShapeId(), true));
    EXPECT_EQ(cad.GetSelectedShapes(), (TArrMyShape{b}));
    EXPECT_FALSE(cad.SelectShapeByCode(99, true));
    EXPECT_EQ(cad.GetSelectedShapes(), (TArrMyShape{b})); // unknown: nothing changes
    const std::vector<std::pair<TMyShape*, TMyShape*>> expected = {{a, a}, {a, b}, {b, b}};
    EXPECT_EQ(events, expected);
}

TEST(WorkingShapes, SelectingAMemberByCodeSelectsItsGroupButReportsTheMember)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyShape* g = cad.GetShapeByID(cad.GroupShapes({a, b}, false));
    TMyShape* reported = nullptr;
    cad.OnShapeSelected = [&](TMyShape*, TMyShape* now) { reported = now; };
    EXPECT_TRUE(cad.SelectShapeByCode(b->GetShapeId(), true));
    EXPECT_EQ(reported, b);
    EXPECT_EQ(cad.GetSelectedShape(), g);
}

TEST(WorkingShapes, SelectingEveryShapeOfALargeDrawingIsOnePass)
{
    TMyCAD cad;
    cad.SetUndoRedoSize(0);
    for (int i = 0; i < 20000; ++i)
        cad.CreateAddShapeByName("TMyRectangle", nullptr);
    cad.SelectAllShapes();
    EXPECT_EQ(cad.GetSelectedShapesCount(), 20000);
    cad.SelectAllShapes();
    EXPECT_EQ(cad.GetSelectedShapesCount(), 20000);
    cad.DeSelectedAllShapesByCode();
    EXPECT_EQ(cad.GetSelectedShapesCount(), 0);
}
