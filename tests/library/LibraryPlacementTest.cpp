// Entries placed on a canvas: one shape, or a combined shape with members and link points,
// centred on the drop point, with the event and the undo record.
#include "LibraryTestSupport.h"
#include "support/DrawingTestSupport.h"

namespace {

TArrMyPoint Box(float l, float t, float r, float b)
{
    return {TMyPoint(l, t), TMyPoint(r, t), TMyPoint(r, b), TMyPoint(l, b)};
}

class LibraryPlacement : public ::testing::Test {
protected:
    void SetUp() override
    {
        cad.OnShapeAdded = [this](TMyShape*& shape, int count) { added.emplace_back(shape, count); };
    }
    TMyCAD source; // where the entries' shapes come from
    TMyCAD cad;
    TLibManager lib;
    std::vector<std::pair<TMyShape*, int>> added;
};

} // namespace

TEST_F(LibraryPlacement, OneShapeIsPlacedCentredOnTheDropPoint)
{
    auto rect = MakeRect(source, 40, 40, 140, 90);
    rect->Brush()->SetColor(clRed);
    TUserData data;
    data.AddKeyandValue(QStringLiteral("part"), QStringLiteral("A-1"));
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("R"), {rect.get()}, data, 100, 50));
    AddRect(cad, 0, 0, 5, 5); // identifier 0
    added.clear();

    const int id = cad.AddUserDefineShapefromLib(&lib, QStringLiteral("R"), 300, 200);
    ASSERT_EQ(id, 1);
    ASSERT_EQ(cad.GetShapesCount(), 2);
    TMyShape* s = cad.GetShapeByID(id);
    ASSERT_TRUE(qobject_cast<TMyRectangle*>(s));
    EXPECT_EQ(s->ClassName(), QStringLiteral("TMyRectangle"));
    EXPECT_EQ(s->Name(), QStringLiteral("Shape1"));
    EXPECT_EQ(s->ShapeNo(), 1);
    EXPECT_EQ(s->LayerId(), cad.CurrentLayerId());
    EXPECT_EQ(s->Points(), Box(250, 175, 350, 225));
    EXPECT_EQ(s->CenterPoint(), TMyPoint(300, 200));
    EXPECT_EQ(s->CaptionPoint(), TMyPoint(300, 235));
    EXPECT_EQ(s->Brush()->Color(), clRed);
    EXPECT_EQ(s->UserData()->GetValueByKey(QStringLiteral("part")), QStringLiteral("A-1"));
    EXPECT_EQ(s->ParentNo(), -1);
    EXPECT_EQ(cad.NextShapeId(), 2);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0], std::make_pair(s, 2));
    EXPECT_EQ(cad.WorkingShapes(), TArrMyShape{s});
    EXPECT_INVARIANTS(cad);

    // One undo step takes it away again.
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(cad.GetShapesCount(), 1);
    EXPECT_FALSE(cad.GetShapeByID(id));
}

TEST_F(LibraryPlacement, TheDropPointIsInScreenPixels)
{
    auto rect = MakeRect(source, 0, 0, 100, 50);
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("R"), {rect.get()}, TUserData(), 100, 50));
    cad.SetZoom(2);
    const int id = cad.AddUserDefineShapefromLib(&lib, QStringLiteral("R"), 300, 200);
    ASSERT_GE(id, 0);
    // 100 x 50 document units, centred on (150, 100) in document units.
    EXPECT_EQ(cad.GetShapeByID(id)->Points(), Box(100, 75, 200, 125));
}

TEST_F(LibraryPlacement, ARectangleWithALinkPointBecomesACombinedShape)
{
    auto rect = MakeRect(source, 0, 0, 100, 50);
    auto point = MakeLinkPoint(source, 100, 25);
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("Box"), {rect.get(), point.get()}, TUserData(), 100, 50));

    const int id = cad.AddUserDefineShapefromLib(&lib, QStringLiteral("Box"), 300, 200);
    ASSERT_EQ(id, 0);
    ASSERT_EQ(cad.GetShapesCount(), 2);
    TMyShape* combined = cad.GetShapeByNo(0);
    ASSERT_TRUE(qobject_cast<TMyCombine*>(combined));
    EXPECT_EQ(combined->Name(), QStringLiteral("Shape0"));
    EXPECT_EQ(combined->Points(), Box(250, 175, 350, 225));
    EXPECT_EQ(combined->LinkPoints(), (TArrMyPoint{TMyPoint(350, 200)}));
    EXPECT_EQ(combined->CaptionPoint(), TMyPoint(300, 235));
    EXPECT_EQ(combined->ChildNos(), (TMyShapeNo{1}));
    TMyShape* member = cad.GetShapeByNo(1);
    EXPECT_EQ(member->ClassName(), QStringLiteral("TMyRectangle"));
    EXPECT_EQ(member->Name(), QStringLiteral("Shape1"));
    EXPECT_EQ(member->GetShapeId(), 1);
    EXPECT_EQ(member->ParentNo(), 0);
    EXPECT_EQ(member->Points(), Box(250, 175, 350, 225));
    EXPECT_EQ(member->CenterPoint(), TMyPoint(300, 200));
    // One event, after the members, and the combined shape alone selected.
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0], std::make_pair(combined, 2));
    EXPECT_EQ(cad.WorkingShapes(), TArrMyShape{combined});
    EXPECT_INVARIANTS(cad);

    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(cad.GetShapesCount(), 0);
}

TEST_F(LibraryPlacement, CopiesKeepNoRelationsOfTheEntry)
{
    auto a = MakeRect(source, 0, 0, 40, 40);
    auto b = MakeRect(source, 60, 0, 100, 40);
    auto group = MakeShape(source, QStringLiteral("TMyGroup"), Box(0, 0, 100, 40));
    auto line = MakeShape(source, QStringLiteral("TMyLinkLine"), {TMyPoint(40, 20), TMyPoint(60, 20)});
    // Numbers of the drawing the entry was made from.
    a->SetParentNo(2);
    b->SetParentNo(2);
    group->ChildNos() = {0, 1};
    a->LinkLineNos() = {3};
    auto* connector = qobject_cast<TMyLinkLine*>(line.get());
    connector->SetStartSpNo(0);
    connector->SetStartSpPtId(0);
    connector->SetEndSpNo(1);
    connector->SetEndSpPtId(0);
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("G"), {a.get(), b.get(), group.get(), line.get()}, TUserData(), 100, 40));
    AddRect(cad, 0, 0, 5, 5);
    AddRect(cad, 10, 0, 15, 5);

    const int id = cad.AddUserDefineShapefromLib(&lib, QStringLiteral("G"), 200, 200);
    ASSERT_GE(id, 0);
    // The group is flattened: its members and the connector join the combined shape.
    ASSERT_EQ(cad.GetShapesCount(), 2 + 1 + 3);
    TMyShape* combined = cad.GetShapeByID(id);
    EXPECT_EQ(combined->ChildNos(), (TMyShapeNo{3, 4, 5}));
    for (int no = 3; no < 6; ++no) {
        const TMyShape* m = cad.GetShapeByNo(no);
        EXPECT_EQ(m->ParentNo(), 2);
        EXPECT_TRUE(m->ChildNos().empty());
        EXPECT_TRUE(m->LinkLineNos().empty());
    }
    const auto* placed = qobject_cast<const TMyLinkLine*>(cad.GetShapeByNo(5));
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->StartSpNo(), -1);
    EXPECT_EQ(placed->EndSpNo(), -1);
    EXPECT_TRUE(cad.GetShapeByNo(0)->LinkLineNos().empty());
    EXPECT_INVARIANTS(cad);
}

TEST_F(LibraryPlacement, NothingToPlaceGivesMinusOne)
{
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("empty"), {}, TUserData(), 10, 10));
    EXPECT_EQ(cad.AddUserDefineShapefromLib(&lib, QStringLiteral("empty"), 10, 10), -1);
    EXPECT_EQ(cad.AddUserDefineShapefromLib(&lib, QStringLiteral("none"), 10, 10), -1);
    EXPECT_EQ(cad.AddUserDefineShapefromLib(nullptr, QStringLiteral("empty"), 10, 10), -1);
    EXPECT_EQ(cad.GetShapesCount(), 0);
    EXPECT_TRUE(added.empty());

    // Link points alone make a combined shape without members.
    auto point = MakeLinkPoint(source, 0, 0);
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("point"), {point.get()}, TUserData(), 10, 10));
    const int id = cad.AddUserDefineShapefromLib(&lib, QStringLiteral("point"), 50, 60);
    ASSERT_GE(id, 0);
    EXPECT_TRUE(qobject_cast<TMyCombine*>(cad.GetShapeByID(id)));
    EXPECT_EQ(cad.GetShapeByID(id)->LinkPoints(), (TArrMyPoint{TMyPoint(50, 60)}));
    EXPECT_INVARIANTS(cad);
}

TEST_F(LibraryPlacement, EveryClassOfAnEntryIsPlaced)
{
    TLibManager seeds;
    LoadLibrary(seeds, LibrarySeeds()[size_t(ReadableTags().size()) + 1].second); // every class
    const int id = cad.AddUserDefineShapefromLib(&seeds, QStringLiteral("Every class"), 400, 300);
    ASSERT_GE(id, 0);
    EXPECT_GT(cad.GetShapesCount(), 10);
    EXPECT_INVARIANTS(cad);
    cad.Paint();
    // Undoing deletes the combined shape and its members (locked members stay, as any
    // deletion leaves them).
    cad.PopFromUndoRedoShapeList();
    EXPECT_FALSE(cad.GetShapeByID(id));
    EXPECT_INVARIANTS(cad);
}
