// The layer list: identifiers, the current layer, deletion, merging and visibility.
#include "support/DrawingTestSupport.h"

#include "support/RecordingUIServices.h"

namespace {
struct LayerEvent {
    QString Kind;
    int Id;
    QString Name;
    bool Visible;
};

void RecordLayerEvents(TMyCAD& cad, std::vector<LayerEvent>& events)
{
    cad.OnNewLayer = [&events](int id, const QString& name, bool visible) { events.push_back({"new", id, name, visible}); };
    cad.OnDeleteLayer = [&events](int id, const QString& name, bool visible) { events.push_back({"delete", id, name, visible}); };
}
} // namespace

TEST(Layers, NewLayerRefusesDuplicateNamesAndBecomesCurrent)
{
    std::vector<LayerEvent> events; // outlives the drawing, whose destruction fires events
    TMyCAD cad;
    RecordLayerEvents(cad, events);
    EXPECT_EQ(cad.NewLayer("Layer0", true), -1);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(cad.NewLayer("A", true), 1);
    EXPECT_EQ(cad.CurrentLayerId(), 1);
    EXPECT_EQ(cad.NewLayer("a", false), 2); // names compare exactly
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].Kind, "new");
    EXPECT_EQ(events[1].Id, 2);
    EXPECT_EQ(events[1].Name, "a");
    EXPECT_FALSE(events[1].Visible);
    EXPECT_EQ(cad.GetLayerIdByNo(2), 2);
    EXPECT_EQ(cad.GetLayerIdByNo(3), -1);
    EXPECT_EQ(cad.GetLayerNoByName("A"), 1);
    EXPECT_EQ(cad.GetMaxLayerId(), 2);
}

TEST(Layers, IdentifiersAreNeverReusedUntilAllLayersGo)
{
    TMyCAD cad;
    cad.NewLayer("A", true);
    EXPECT_TRUE(cad.DeleteLayerByID(1));
    EXPECT_EQ(cad.NewLayer("B", true), 2);
    EXPECT_TRUE(cad.DeleteAllLayers());
    EXPECT_EQ(cad.GetLayersCount(), 0);
    EXPECT_EQ(cad.CurrentLayerId(), -1);
    EXPECT_EQ(cad.NewLayer("C", true), 0);
}

TEST(Layers, DeletingALayerDeletesItsShapesAndMakesTheFirstCurrent)
{
    std::vector<LayerEvent> events; // outlives the drawing, whose destruction fires events
    TMyCAD cad;
    RecordLayerEvents(cad, events);
    AddRect(cad, 0, 0, 10, 10);
    cad.NewLayer("Top", true);
    TMyShape* onTop = AddRect(cad, 20, 20, 30, 30);
    onTop->SetLocked(true); // deletion unlocks the layer's shapes first
    AddRect(cad, 40, 40, 50, 50);
    EXPECT_EQ(cad.GetShapesCountInALayer(1), 2);
    EXPECT_TRUE(cad.DeleteLayerByID(1));
    EXPECT_EQ(cad.GetShapesCount(), 1);
    EXPECT_EQ(cad.CurrentLayerId(), 0);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().Kind, "delete");
    EXPECT_EQ(events.back().Name, "Top");
    EXPECT_INVARIANTS(cad);
    EXPECT_FALSE(cad.DeleteLayerByID(7));
    EXPECT_FALSE(cad.DeleteLayerByName("nothing"));
}

TEST(Layers, DeleteAllLayersFiresForEachAndThenRefusesShapes)
{
    TRecordingUIServices ui;
    TScopedUIServices scope(ui);
    std::vector<LayerEvent> events;
    TMyCAD cad;
    cad.NewLayer("A", true);
    RecordLayerEvents(cad, events);
    EXPECT_TRUE(cad.DeleteAllLayers());
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Name, "Layer0");
    EXPECT_EQ(events[1].Name, "A");
    // A drawing without layers refuses shapes with a message and goes on working.
    EXPECT_EQ(cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(0, 0), TMyPoint(5, 5)}, 0, "L"), -1);
    EXPECT_EQ(ui.LastMessageText(), "Error!There is no Layer!");
    EXPECT_EQ(cad.GetShapesCount(), 0);
    EXPECT_EQ(cad.NewLayer("Again", true), 0);
    EXPECT_GE(cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(0, 0), TMyPoint(5, 5)}, 0, "L"), 0);
}

TEST(Layers, MergeMovesEveryShapeIncludingMembers)
{
    TMyCAD cad;
    EXPECT_FALSE(cad.MergeLayers(1, 1));
    cad.NewLayer("One", true);
    TMyShape* a = AddRect(cad, 0, 0, 10, 10);
    TMyShape* b = AddRect(cad, 20, 0, 30, 10);
    std::unique_ptr<TMyShape> group = cad.CreateShapeByName("TMyGroup");
    ASSERT_TRUE(group);
    group->SetShapeId(99);
    group->SetShapeNo(cad.GetShapesCount());
    group->ChildNos() = {uint32_t(a->ShapeNo()), uint32_t(b->ShapeNo())};
    a->SetParentNo(cad.GetShapesCount());
    b->SetParentNo(cad.GetShapesCount());
    ASSERT_TRUE(cad.AddShape(group, false, true));
    EXPECT_FALSE(cad.MergeLayers(0, 5));
    EXPECT_TRUE(cad.MergeLayers(0, 1));
    EXPECT_EQ(cad.GetShapesCountInALayer(0), 3);
    EXPECT_EQ(cad.GetLayersCount(), 1);
    EXPECT_EQ(cad.CurrentLayerId(), 0);
    EXPECT_INVARIANTS(cad);
}

TEST(Layers, ShapesByLayerNeedACurrentLayer)
{
    TMyCAD cad;
    AddRect(cad, 0, 0, 10, 10);
    EXPECT_EQ(cad.GetShapesByLayerId(0).size(), 1u);
    cad.NewLayer("Other", true);
    cad.SetCurrentLayerId(0);
    EXPECT_EQ(cad.CurrentLayerId(), 0);
    cad.SetCurrentLayerId(42); // unknown: nothing changes
    EXPECT_EQ(cad.CurrentLayerId(), 0);
    cad.DeleteAllLayers();
    EXPECT_TRUE(cad.GetShapesByLayerId(0).empty());
}

TEST(Layers, VisibilityAndRenaming)
{
    TMyCAD cad;
    cad.NewLayer("X", true);
    cad.InVisibleLayerByName("X");
    EXPECT_FALSE(cad.IsVisibleLayerByID(1));
    cad.VisibleLayerByID(1);
    EXPECT_TRUE(cad.IsVisibleLayerByID(1));
    cad.InVisibleLayerByID(0);
    cad.InVisibleLayerByID(1);
    cad.VisibleAllLayer();
    EXPECT_TRUE(cad.IsVisibleLayerByID(0) && cad.IsVisibleLayerByID(1));
    EXPECT_FALSE(cad.IsVisibleLayerByID(9));
    cad.SetLayerNameByID("Y", 1);
    EXPECT_EQ(cad.GetLayerNameByID(1), "Y");
    cad.SetLayerNameByName("Z", "Y");
    EXPECT_EQ(cad.GetLayerIdByName("Z"), 1);
    EXPECT_EQ(cad.GetLayerNameByID(5), "");
}

TEST(Layers, AFullListTakesNoMoreLayersAndLargeIdentifiersStayUsable)
{
    TMyCAD cad;
    for (int i = 1; i < TMyCAD::MaxLayers; ++i)
        ASSERT_EQ(cad.NewLayer(QStringLiteral("L%1").arg(i), true), i);
    EXPECT_EQ(cad.GetLayersCount(), 255);
    EXPECT_EQ(cad.NewLayer("one too many", true), -1);
    EXPECT_EQ(cad.GetLayersCount(), 255);
    // Identifiers grow beyond a byte once layers have come and gone.
    ASSERT_TRUE(cad.DeleteLayerByID(3));
    EXPECT_EQ(cad.NewLayer("big", true), 255);
    ASSERT_TRUE(cad.DeleteLayerByID(4));
    EXPECT_EQ(cad.NewLayer("bigger", true), 256);
    EXPECT_EQ(cad.GetLayerNameByID(256), "bigger");
    EXPECT_GE(cad.GetLayerNoById(256), 0);
    AddRect(cad, 0, 0, 5, 5);
    EXPECT_EQ(cad.GetShapesByLayerId(256).size(), 1u);
    EXPECT_TRUE(cad.GetShapesByLayerId(0).empty()); // 256 is not truncated to 0
}
