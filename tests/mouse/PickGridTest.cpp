// The grid behind picking gives exactly the shapes that a scan of the whole shape list
// gives, for every kind of shape, groups, hidden shapes, layers and zoom, and follows
// the drawing when it changes.
#include "MouseTestSupport.h"

#include "component/editing/MouseController.h"

#include <QRandomGenerator>

namespace {
// The picks as the plain scans make them.
TMyShape* ScanTop(TMyCAD& cad, TPoint p)
{
    for (int i = cad.GetShapesCount() - 1; i >= 0; --i) {
        TMyShape* s = cad.GetShapeByNo(i);
        if (!s->HasParentShape() && s->IsClickedMe(cad.Canvas(), p))
            return s;
    }
    return nullptr;
}

TMyShape* ScanNewPick(TMyCAD& cad, TPoint p)
{
    TArrMyShape candidates;
    for (int i = cad.GetShapesCount() - 1; i >= 0; --i) {
        TMyShape* s = cad.GetShapeByNo(i);
        if (cad.IsInWorkingShape(s) < 0 && cad.IsClickedMeforShape(cad.Canvas(), s, p) &&
            cad.IsVisibleLayerByID(s->LayerId()) && (cad.OperateAllLayer() || s->LayerId() == cad.CurrentLayerId()))
            candidates.push_back(s);
    }
    for (TMyShape* s : candidates)
        if (dynamic_cast<TMyLineLinkLine*>(s) && !s->HasParentShape())
            return s;
    for (TMyShape* s : candidates)
        if (!dynamic_cast<TMyLineLinkLine*>(s) && !s->HasParentShape())
            return s;
    return nullptr;
}

TMyShape* ScanUnder(TMyCAD& cad, TMyShape* selected, TPoint p)
{
    const TMyRect box = cad.GetShapesLTRBinZoom({selected});
    const TPoint p1 = MyPtToPt(TMyPoint(box.Left, box.Top)), p2 = MyPtToPt(TMyPoint(box.Right, box.Bottom));
    for (int i = 0; i < cad.GetShapesCount(); ++i) {
        TMyShape* s = cad.GetShapeByNo(i);
        if (s == selected)
            continue;
        if (cad.IsClickedMeforShape(cad.Canvas(), s, p) && cad.IsInRegion(p1, p2, s) &&
            s->ParentNo() != selected->ShapeNo() && (cad.OperateAllLayer() || s->LayerId() == cad.CurrentLayerId()))
            return s->HasParentShape() ? cad.GetShapeByNo(s->ParentNo()) : s;
    }
    return nullptr;
}

// A drawing of every pickable kind: boxes, lines, polylines, polygons, an arc, a Bezier
// curve, a junction, nested groups, a hidden shape, a huge box, a second layer.
void Populate(TMyCAD& cad, int count, quint32 seed)
{
    QRandomGenerator rng(seed);
    auto coord = [&](int limit) { return float(rng.bounded(limit)); };
    AddRect(cad, -50, -50, 2000, 3000, "Huge"); // under everything
    for (int i = 1; i < count; ++i) {
        const float x = coord(700), y = coord(1000), w = 4 + coord(80), h = 4 + coord(80);
        const QString name = QStringLiteral("S%1").arg(i);
        switch (i % 7) {
        case 0: AddRect(cad, x, y, x + w, y + h, name); break;
        case 1: cad.AddShapeByCode(&cad, SpLine, QString(), {TMyPoint(x, y), TMyPoint(x + w, y + h)}, 0, name); break;
        case 2:
            cad.AddShapeByCode(&cad, SpPolyLine, QString(), {TMyPoint(x, y), TMyPoint(x + w, y), TMyPoint(x, y + h)}, 0,
                               name);
            break;
        case 3:
            cad.AddShapeByCode(&cad, SpPolygon, QString(), {TMyPoint(x, y), TMyPoint(x + w, y + h / 2), TMyPoint(x, y + h)},
                               0, name);
            break;
        case 4: cad.AddShapeByCode(&cad, SpEllipse, QString(),
                                   {TMyPoint(x, y), TMyPoint(x + w, y), TMyPoint(x + w, y + h), TMyPoint(x, y + h)},
                                   0.3, name);
            break;
        case 5:
            cad.AddShapeByCode(&cad, SpPolyBezier, QString(),
                               {TMyPoint(x, y), TMyPoint(x + w, y), TMyPoint(x, y + h), TMyPoint(x + w, y + h)}, 0, name);
            break;
        case 6:
            cad.AddShapeByCode(&cad, SpElliArc, QString(), {TMyPoint(x, y), TMyPoint(x + w, y + h / 3), TMyPoint(x, y + h)},
                               0, name);
            break;
        }
    }
    // Groups, one nested in another.
    const int g1 = cad.GroupShapes({cad.GetShapeByNo(3), cad.GetShapeByNo(10)}, false);
    const int g2 = cad.GroupShapes({cad.GetShapeByID(g1), cad.GetShapeByNo(20), cad.GetShapeByNo(21)}, false);
    EXPECT_GE(g2, 0);
    cad.GetShapeByNo(30)->SetVisible(false);
    TMyShape* j = cad.CreateAddShapeByName(QStringLiteral("TMyLineLinkLine"), nullptr);
    j->PointsRef() = {TMyPoint(300, 300), TMyPoint(310, 300), TMyPoint(310, 310), TMyPoint(300, 310)};
    cad.SetCurrentLayerId(cad.NewLayer(QStringLiteral("Second"), true));
    AddRect(cad, 200, 200, 260, 260, "OnSecond");
    cad.DeSelectedAllShapesByCode();
}

// Checks the three picks at random points; returns how many points hit something above
// the huge box.
int ExpectSamePicks(TMyCAD& cad, quint32 seed, int probes)
{
    TMouseController& mouse = cad.MouseController();
    const TMyShape* huge = cad.GetShapeByName(QStringLiteral("Huge"));
    QRandomGenerator rng(seed);
    int above = 0;
    for (int k = 0; k < probes; ++k) {
        const TPoint p(int(rng.bounded(900)) - 50, int(rng.bounded(1200)) - 50);
        EXPECT_EQ(mouse.TopShapeAt(p), ScanTop(cad, p)) << p.X << "," << p.Y;
        bool passOne = false;
        EXPECT_EQ(mouse.NewPickAt(p, passOne), ScanNewPick(cad, p)) << p.X << "," << p.Y;
        TMyShape* top = ScanTop(cad, p);
        if (top) {
            EXPECT_EQ(mouse.ClickThroughCandidate(top, p), ScanUnder(cad, top, p)) << p.X << "," << p.Y;
            if (top != huge)
                ++above;
        }
    }
    return above;
}
} // namespace

TEST(PickGrid, AnswersAsTheScansOfTheWholeListDo)
{
    TMyCAD cad;
    Populate(cad, 400, 7);
    EXPECT_GT(ExpectSamePicks(cad, 11, 3000), 1000);
    const TShapeGrid& grid = cad.MouseController().Grid();
    EXPECT_GT(grid.IndexedCount(), 0);
    EXPECT_EQ(grid.UnboundedCount(), 0); // arcs and curves are indexed by their figures' boxes
    EXPECT_GE(grid.WideCount(), 1);      // the huge box
}

TEST(PickGrid, FollowsZoomLayersAndTheSelection)
{
    TMyCAD cad;
    Populate(cad, 200, 3);
    cad.SetZoom(1.5);
    ExpectSamePicks(cad, 5, 1000);
    cad.SetOperateAllLayer(false);
    cad.SelectAllShapes();
    cad.RemoveWorkingShape(cad.GetShapeByNo(5));
    ExpectSamePicks(cad, 6, 1000);
    cad.InVisibleLayerByID(cad.GetLayerIdByNo(0));
    ExpectSamePicks(cad, 8, 500);
}

TEST(PickGrid, FollowsShapesMovedAddedAndDeleted)
{
    TMyCAD cad;
    cad.SetShapeTool(SpSelecting);
    TMyShape* a = AddRect(cad, 100, 100, 150, 150, "A");
    cad.DeSelectedAllShapesByCode();
    TMouseController& mouse = cad.MouseController();
    EXPECT_EQ(mouse.TopShapeAt(TPoint(120, 120)), a);
    // Moved by the mouse.
    cad.MouseDown(mbLeft, ssLeft, 120, 120);
    cad.MouseMove(ssLeft, 420, 420);
    cad.MouseUp(mbLeft, 0, 420, 420);
    EXPECT_EQ(mouse.TopShapeAt(TPoint(120, 120)), nullptr);
    EXPECT_EQ(mouse.TopShapeAt(TPoint(420, 420)), a);
    // Moved by code; put back where it was before the drag by undo.
    cad.Move(a, -300, 0);
    EXPECT_EQ(mouse.TopShapeAt(TPoint(120, 420)), a);
    cad.PopFromUndoRedoShapeList();
    EXPECT_EQ(mouse.TopShapeAt(TPoint(120, 120)), a);
    EXPECT_EQ(mouse.TopShapeAt(TPoint(120, 420)), nullptr);
    // Added, zoomed, deleted.
    TMyShape* b = AddRect(cad, 600, 600, 700, 700, "B");
    EXPECT_EQ(mouse.TopShapeAt(TPoint(650, 650)), b);
    cad.SetZoom(0.5);
    EXPECT_EQ(mouse.TopShapeAt(TPoint(325, 325)), b);
    EXPECT_EQ(mouse.TopShapeAt(TPoint(650, 650)), nullptr);
    cad.DeleteShapeById(b->GetShapeId(), false);
    EXPECT_EQ(mouse.TopShapeAt(TPoint(325, 325)), nullptr);
}

TEST(PickGrid, MarginsCoverTheToleranceOfEachKind)
{
    TMyCAD cad;
    const int id = cad.AddShapeByCode(&cad, SpLine, QString(), {TMyPoint(100, 100), TMyPoint(300, 100)}, 0, "L");
    TMyShape* line = cad.GetShapeByID(id);
    TMouseController& mouse = cad.MouseController();
    EXPECT_EQ(mouse.TopShapeAt(TPoint(200, 107)), line); // within eight pixels
    EXPECT_EQ(mouse.TopShapeAt(TPoint(200, 108)), nullptr);
    EXPECT_EQ(TShapeGrid::HitMargin(line), 10);
    // Arcs and curves are hit within ten pixels of their figures' boxes.
    TMyElliArc arc(&cad);
    EXPECT_EQ(TShapeGrid::HitMargin(&arc), 12);
    TMyBLine curve(&cad);
    EXPECT_EQ(TShapeGrid::HitMargin(&curve), 12);
    TMyRectangle box(&cad);
    EXPECT_EQ(TShapeGrid::HitMargin(&box), 2);
}

TEST(PickGrid, ShapesMovedByTheDrawingsOperationsArePatchedInWithoutARebuild)
{
    TMyCAD cad;
    Populate(cad, 300, 9);
    TMouseController& mouse = cad.MouseController();
    ExpectSamePicks(cad, 1, 100);
    // A group, a member of a group, plain shapes; moved and turned by code.
    TMyShape* group = nullptr;
    for (int i = cad.GetShapesCount() - 1; i >= 0 && !group; --i)
        if (cad.GetShapeByNo(i)->HasChildShapes())
            group = cad.GetShapeByNo(i);
    ASSERT_NE(group, nullptr);
    cad.Move(group, 120, -40);
    cad.Move(cad.GetShapeByNo(int(group->ChildNos().front())), -200, 15);
    for (int i = 40; i < 60; ++i)
        cad.Move(cad.GetShapeByNo(i), 35, 70);
    cad.Rotate(cad.GetShapeByNo(70), 0.7f);
    EXPECT_EQ(mouse.Grid().PatchedCount() > 0, true);
    ExpectSamePicks(cad, 2, 3000);
    // Taken back by undo: patched again.
    while (cad.PopFromUndoRedoShapeList() >= 0) {
    }
    ExpectSamePicks(cad, 4, 1000);
}

TEST(PickGrid, ADrawnShapeJoinsTheGridWithoutARebuild)
{
    TMyCAD cad;
    Populate(cad, 200, 12);
    cad.SetSnap(false);
    TMouseController& mouse = cad.MouseController();
    ExpectSamePicks(cad, 3, 100);
    const int patched = mouse.Grid().PatchedCount();
    cad.SetShapeTool(SpRectangle);
    cad.MouseDown(mbLeft, ssLeft, 500, 500);
    cad.MouseUp(mbLeft, 0, 500, 500);
    cad.MouseDown(mbLeft, ssLeft, 540, 530);
    cad.MouseUp(mbLeft, 0, 540, 530);
    ASSERT_EQ(cad.GetShapeByNo(cad.GetShapesCount() - 1)->ClassName(), "TMyRectangle");
    EXPECT_EQ(mouse.Grid().PatchedCount(), patched + 1);
    EXPECT_EQ(mouse.TopShapeAt(TPoint(520, 515)), cad.GetShapeByNo(cad.GetShapesCount() - 1));
    ExpectSamePicks(cad, 13, 1000);
}
