// Shape identity and lookups: identifiers, numbers, names, roots, and adding by code.
#include "support/DrawingTestSupport.h"

#include "support/RecordingUIServices.h"

TEST(ShapeList, IdentifiersGrowAndRestartAfterDeleteAll)
{
    TMyCAD cad;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(cad.CreateAddShapeByName("TMyRectangle", nullptr)->GetShapeId(), i);
    EXPECT_EQ(cad.GetShapeByNo(0)->Name(), "Shape0");
    EXPECT_EQ(cad.GetShapeByNo(0)->Caption(), "Shape0");
    EXPECT_TRUE(cad.DeleteShapeById(3, false));
    EXPECT_INVARIANTS(cad);
    EXPECT_EQ(cad.CreateAddShapeByName("TMyEllipse", nullptr)->GetShapeId(), 6);
    EXPECT_EQ(cad.GetShapeByNo(5)->Name(), "Shape6");
    cad.DeleteAllShapes();
    EXPECT_EQ(cad.GetShapesCount(), 0);
    EXPECT_EQ(cad.GetLayersCount(), 1);
    EXPECT_EQ(cad.CreateAddShapeByName("TMyLine", nullptr)->GetShapeId(), 0);
    EXPECT_INVARIANTS(cad);
}

TEST(ShapeList, LookupsByIdentifierNumberAndName)
{
    TMyCAD cad;
    TMyShape* a = cad.CreateAddShapeByName("TMyRectangle", nullptr);
    TMyShape* b = cad.CreateAddShapeByName("TMyLine", nullptr);
    EXPECT_EQ(cad.GetShapeByID(0), a);
    EXPECT_EQ(cad.GetShapeByID(1), b);
    EXPECT_EQ(cad.GetShapeByID(2), nullptr); // the next identifier is beyond the bound
    EXPECT_EQ(cad.GetShapeByID(-1), nullptr);
    EXPECT_EQ(cad.GetShapeNoById(1), 1);
    EXPECT_EQ(cad.GetShapeNoById(7), -1);
    EXPECT_EQ(cad.GetShapeByNo(2), nullptr);
    EXPECT_EQ(cad.GetShapeByNo(-1), nullptr);
    EXPECT_EQ(cad.GetShapeNoInMyShapes(b), 1);
    EXPECT_EQ(cad.GetShapeNoInMyShapes(nullptr), -1);
    EXPECT_EQ(cad.GetShapeByName("Shape1"), b);
    EXPECT_EQ(cad.GetShapeByName("shape1"), nullptr);
}

TEST(ShapeList, RepeatedIdentifiersFindTheFirstShapeAndTheLastNumber)
{
    TMyCAD cad;
    TMyShape* a = cad.CreateAddShapeByName("TMyRectangle", nullptr);
    TMyShape* b = cad.CreateAddShapeByName("TMyRectangle", nullptr);
    TMyShape* c = cad.CreateAddShapeByName("TMyRectangle", nullptr);
    // A copy made with Assign carries the source's identifier.
    c->Assign(a);
    EXPECT_EQ(c->GetShapeId(), 0);
    EXPECT_EQ(cad.GetShapeByID(0), a);
    EXPECT_EQ(cad.GetShapeNoById(0), c->ShapeNo());
    b->SetShapeId(0);
    EXPECT_EQ(cad.GetShapeByID(0), a);
    a->SetShapeId(1);
    EXPECT_EQ(cad.GetShapeByID(0), b);
}

TEST(ShapeList, NameLookupsFollowRenamesAndFindTheFirstOfEqualNames)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 5, 5, "Same");
    TMyShape* b = AddRect(cad, 0, 0, 5, 5, "Same");
    EXPECT_EQ(cad.GetShapeByName("Same"), a);
    a->SetName("Other");
    EXPECT_EQ(cad.GetShapeByName("Same"), b);
    EXPECT_EQ(cad.GetShapeByName("Other"), a);
    cad.DeleteShapeById(b->GetShapeId(), false);
    EXPECT_EQ(cad.GetShapeByName("Same"), nullptr);
}

TEST(ShapeList, RenameRefusesExistingNamesAndInvalidIdentifiers)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    TMyCAD cad;
    cad.CreateAddShapeByName("TMyRectangle", nullptr);
    TMyShape* s1 = cad.CreateAddShapeByName("TMyRectangle", nullptr);
    cad.CreateAddShapeByName("TMyRectangle", nullptr);
    cad.RenameShapeName("Shape1", "Shape2");
    EXPECT_EQ(s1->Name(), "Shape1");
    cad.RenameShapeName("Shape1", "Door");
    EXPECT_EQ(s1->Name(), "Door");
    EXPECT_FALSE(s1->SetName("2 doors"));
    EXPECT_EQ(s1->Name(), "Door");
    EXPECT_FALSE(ui.Messages().empty());
}

TEST(ShapeList, CreationByNameAndToolIsExact)
{
    TMyCAD cad;
    EXPECT_EQ(cad.CreateShapeByName("TMyShape"), nullptr);
    EXPECT_EQ(cad.CreateShapeByName("tmyline"), nullptr);
    const std::pair<TDrawTool, const char*> tools[] = {
        {SpLinkLine, "TMyLinkLine"}, {SpLine, "TMyLine"}, {SpRuleLine, "TMyRuleLine"},
        {SpPolyLine, "TMyPolyLine"}, {SpRectangle, "TMyRectangle"}, {SpLinkPoint, "TMyLinkPoint"},
        {SpLineLinkLine, "TMyLineLinkLine"}, {SpEllipse, "TMyEllipse"}, {SpText, "TMyText"},
        {SpImage, "TMyImage"}, {SpPolygon, "TMyPolygon"}, {SpPolyBezier, "TMyPolyBezier"},
        {SpElliArc, "TMyElliArc"}, {SpFreeLine, "TMyFreeLine"}, {SpBLine, "TMyBLine"}};
    for (const auto& [tool, name] : tools) {
        auto byTool = cad.CreateShapeBySpTool(tool);
        ASSERT_TRUE(byTool) << name;
        EXPECT_EQ(byTool->ClassName(), name);
        auto byName = cad.CreateShapeByName(name);
        ASSERT_TRUE(byName) << name;
        EXPECT_EQ(byName->ClassName(), name);
        EXPECT_EQ(byName->OwnerCAD(), &cad);
    }
    EXPECT_EQ(cad.CreateShapeByName("TMyGroup")->ClassName(), "TMyGroup");
    EXPECT_EQ(cad.CreateShapeByName("TMyCombine")->ClassName(), "TMyCombine");
    for (TDrawTool tool : {SpSelecting, SpRotateSelecting, SpClose, SpPolylinePolygonPointRemoving,
                           SpPolylinePolygonPointAdding, SpDragWhole, SpBrowse})
        EXPECT_EQ(cad.CreateShapeBySpTool(tool), nullptr);
    cad.SetLinkLineDrawStyle(lldsFree);
    auto connector = cad.CreateShapeBySpTool(SpLinkLine);
    EXPECT_EQ(static_cast<TMyLinkLine*>(connector.get())->LinkLineDrawStyle(), lldsFree);
}

TEST(ShapeList, RootsAndNeighbours)
{
    TMyCAD cad;
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    TMyShape* c = AddRect(cad, 40, 0, 50, 10);
    b->SetParentNo(2);
    c->ChildNos() = {1};
    EXPECT_EQ(cad.GetRootParentShape(b), c);
    EXPECT_EQ(cad.GetRootParentShape(a), a);
    EXPECT_EQ(cad.GetNextSingleorRootShape(0), c);
    EXPECT_EQ(cad.GetNextSingleorRootShape(2), nullptr);
    EXPECT_EQ(cad.GetPrevSingleorRootShape(2), a);
    EXPECT_EQ(cad.GetPrevSingleorRootShape(0), nullptr);
    const TMyRect box = cad.GetShapesLTRB({a, c});
    EXPECT_EQ(box, TMyRect(0, 0, 50, 10));
    cad.SetZoom(2);
    EXPECT_EQ(cad.GetShapesLTRBinZoom({a, c}), TMyRect(0, 0, 100, 20));
    EXPECT_EQ(cad.GetShapesLTRB({}), TMyRect());
}

TEST(AddShapeByCode, PointCountsPerTool)
{
    TMyCAD cad;
    auto pts = [](int n) {
        TArrMyPoint p;
        for (int i = 0; i < n; ++i)
            p.push_back(TMyPoint(float(10 * i), float(5 * i + 3)));
        return p;
    };
    EXPECT_EQ(cad.AddShapeByCode(&cad, SpRectangle, {}, pts(3), 0, "R"), -1);
    EXPECT_GE(cad.AddShapeByCode(&cad, SpPolyBezier, {}, pts(4), 0, "B"), 0);
    EXPECT_EQ(cad.AddShapeByCode(&cad, SpPolyBezier, {}, pts(5), 0, "B"), -1);
    EXPECT_GE(cad.AddShapeByCode(&cad, SpPolyBezier, {}, pts(1), 0, "B"), 0);
    EXPECT_EQ(cad.AddShapeByCode(&cad, SpLine, {}, pts(3), 0, "L"), -1);
    EXPECT_EQ(cad.AddShapeByCode(&cad, SpElliArc, {}, pts(4), 0, "A"), -1);
    EXPECT_EQ(cad.AddShapeByCode(&cad, SpBLine, {}, pts(2), 0, "C"), -1);
    EXPECT_EQ(cad.AddShapeByCode(&cad, SpSelecting, {}, pts(2), 0, "X"), -1);
    const int count = cad.GetShapesCount();
    const int id = cad.AddShapeByCode(&cad, SpPolygon, {}, pts(3), 0, "P");
    ASSERT_GE(id, 0);
    EXPECT_EQ(cad.GetShapesCount(), count + 1);
    const TMyShape* polygon = cad.GetShapeByID(id);
    ASSERT_EQ(polygon->GetPointsCount(), 4);
    EXPECT_EQ(polygon->GetPoint(3), polygon->GetPoint(0));
    EXPECT_EQ(polygon->Name(), "P");
    EXPECT_INVARIANTS(cad);
}

TEST(AddShapeByCode, PointsAreMappedFromTheXYModeAndTheZoom)
{
    TMyCAD cad;
    cad.SetZoom(2);
    cad.resize(cad.width(), 600);
    cad.SetXYMode(TXYMode::Mode1);
    const int id = cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(10, 100), TMyPoint(30, 100)}, 0, "L");
    const TMyShape* line = cad.GetShapeByID(id);
    EXPECT_EQ(line->GetPoint(0), TMyPoint(5, 250));
    EXPECT_EQ(line->GetPointInZoomWithMode(0), TPoint(10, 100));
}

TEST(AddShapeByCode, AddsSelectsFiresAndSetsCentreAndCaption)
{
    TMyCAD cad;
    std::vector<std::pair<TMyShape*, int>> added;
    cad.OnShapeAdded = [&added](TMyShape*& s, int count) { added.push_back({s, count}); };
    const int id = cad.AddShapeByCode(&cad, SpText, "Hello", {TMyPoint(0, 0), TMyPoint(40, 0), TMyPoint(40, 20), TMyPoint(0, 20)}, 0, "T");
    TMyShape* text = cad.GetShapeByID(id);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].first, text);
    EXPECT_EQ(added[0].second, 1);
    EXPECT_EQ(text->Info(), "Hello");
    EXPECT_EQ(cad.GetWorkingShapesCount(), 1);
    EXPECT_EQ(cad.WorkingShapes().front(), text);
    EXPECT_EQ(text->CenterPoint(), TMyPoint(20, 10));
    EXPECT_EQ(text->CaptionPoint(), TMyPoint(20, 30));
    EXPECT_EQ(text->LayerId(), 0);
    EXPECT_EQ(text->GetLinkPointsCount(), 0);
}

TEST(AddShapeByCode, AngleTurnsThePointsAboutTheirCentre)
{
    TMyCAD cad;
    const int id = cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(0, 0), TMyPoint(20, 0)}, M_PI / 2, "L");
    const TMyShape* line = cad.GetShapeByID(id);
    EXPECT_NEAR(line->GetPoint(0).X, 10, 1e-4);
    EXPECT_NEAR(line->GetPoint(0).Y, -10, 1e-4);
    EXPECT_NEAR(line->GetPoint(1).Y, 10, 1e-4);
    EXPECT_NEAR(line->Angle(), M_PI / 2, 1e-6);
    EXPECT_NEAR(line->CenterPoint().X, 10, 1e-4);
    EXPECT_NEAR(line->CaptionPoint().Y, 20, 1e-4);
}
